// Stand-in until the programme editor is built.
#include "core/ouvreurs.h"

void Ouvrir_frm_prog(QPointer<frm_prog>&, const QString&, const QString&, bool, const QString&, bool, QWidget*, bool)
{
    Fonction_non_disponible();
}
