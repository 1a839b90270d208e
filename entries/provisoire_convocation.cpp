// Stand-in until the convocations and the entry slip are built.
#include "core/ouvreurs.h"

void Ouvrir_frm_convocation(QPointer<frm_convocation>&, const QString&)
{
    Fonction_non_disponible();
}

void Imprimer_bordereau_engag(const QString&)
{
    Fonction_non_disponible();
}
