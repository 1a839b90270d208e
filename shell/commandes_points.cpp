#include "shell/commandes_points.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "records_points/frm_calpts.h"
#include "records_points/frm_defreflen.h"
#include "records_points/frm_pts_inter.h"

CommandesPoints::CommandesPoints(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesPoints");
}

void CommandesPoints::mnuOutilsCalculPoint_Click()
{
    try {
        Ouvrir_fenetre(m_calcul, Ouverture());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
}

void CommandesPoints::mnuOutilsCalculPointEquipe_Click()
{
    try {
        Ouvrir_points_equipes(m_equipes);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
}

void CommandesPoints::mnuPointRefLEN_Click()
{
    try {
        Ouvrir_fenetre(m_references, Ouverture());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
}
