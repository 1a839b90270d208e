#include "shell/commandes_modeles.h"

#include "competitions/frm_liste_modele.h"
#include "core/erreurs.h"
#include "core/messages.h"
#include "core/ouvreurs.h"

CommandesModeles::CommandesModeles(QObject* parent) : QObject(parent) {}

void CommandesModeles::mnuModeleEngagNew_Click()
{
    Demander_nom_modele("Nouveau", true, 1, QString(), QString(), QString(), nullptr);
}

void CommandesModeles::mnuModeleProgNew_Click()
{
    Demander_nom_modele("nouveau prog", true, 1, QString(), QString(), QString(), nullptr);
}

void CommandesModeles::ouvrirListe(const QString& typeModele, const QString& mode)
{
    const bool engag = typeModele == "Engag";
    QString titre;
    QString bouton;
    if (mode == "View") {
        titre = engag ? "Liste des modèles d'engagements" : "Liste des modèles de programme";
        bouton = "&Voir";
    } else if (mode == "Modif") {
        titre = engag ? "Modification des modèles d'engagements" : "Modifier Modèles de programme";
        bouton = "&Modifier";
    } else {
        titre = engag ? "Supprimer des modèles d'engagements" : "Supprimer des modèles de programme";
        bouton = "&Supprimer";
    }
    try {
        Ouvrir_liste_modeles(engag ? m_engag : m_prog, titre, mode, true, bouton, typeModele, 0, 0, QString(), nullptr);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}
