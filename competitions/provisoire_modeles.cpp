// Stand-in until the template list and the template-name dialog are built.
#include "core/ouvreurs.h"

void Demander_nom_modele(const QString&, bool, int, const QString&, const QString&, const QString&, QWidget*)
{
    Fonction_non_disponible();
}

void Ouvrir_liste_modeles(QPointer<frm_liste_modele>&, const QString&, const QString&, bool, const QString&,
                          const QString&, int, int, const QString&, QWidget*)
{
    Fonction_non_disponible();
}
