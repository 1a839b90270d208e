// Stand-in until the time calculator is built.
#include "core/ouvreurs.h"

void Ouvrir_calculatrice_temps(QPointer<frm_calTps>&, int, int, QWidget*)
{
    Fonction_non_disponible();
}
