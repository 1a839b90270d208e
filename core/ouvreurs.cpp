#include "core/ouvreurs.h"

VerrousMenus Verrous_liste_modeles(const QString& mode, const QString& typeModele)
{
    VerrousMenus v;
    // Choosing a template for another window locks nothing.
    if (mode == "modele depuis programme" || mode == "modele depuis engagement")
        return v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    if (typeModele == "Prog") {
        v.groupeEntier(GroupeVerrou::ModeleEngag).groupeEntier(GroupeVerrou::ModeleProg);
        if (mode == "Modif" || mode == "Suppr")
            v.groupe(GroupeVerrou::Compet, {0, 0, 1, 0, 1, 0, 0});
    } else if (typeModele == "Engag") {
        v.groupeEntier(GroupeVerrou::ModeleEngag).groupeEntier(GroupeVerrou::ModeleProg);
        if (mode == "Modif")
            v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
        if (mode != "View")
            v.groupe(GroupeVerrou::Engag, {1, 1, 0, 0, 0});
    }
    return v;
}
