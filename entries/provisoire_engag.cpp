// Stand-in until the individual entry window is built.
#include "core/ouvreurs.h"

void Ouvrir_frm_engag(QPointer<frm_engag>&, const QString&, const QString&, bool, const QString&, QWidget*, bool)
{
    Fonction_non_disponible();
}
