// Stand-in until the relay entry window is built.
#include "core/ouvreurs.h"

void Ouvrir_frm_engag_relais(QPointer<frm_engag_relais>&, const QString&, QWidget*)
{
    Fonction_non_disponible();
}
