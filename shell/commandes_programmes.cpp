#include "shell/commandes_programmes.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "core/ouvreurs.h"

CommandesProgrammes::CommandesProgrammes(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesProgrammes");
}

void CommandesProgrammes::ouvrirListe(const QString& mode, const QString& titre, const QString& texteBouton)
{
    try {
        Ouvrir_liste_modeles(m_liste, titre, mode, mode == "Suppr", texteBouton, "Prog", 0, 0, QString(), nullptr);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void CommandesProgrammes::mnuModeleProgNew_Click()
{
    try {
        // The editor opened once the template is named takes the locks of a new template.
        Demander_nom_modele("nouveau prog", true, 1, QString(), QString(), QString(), nullptr);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void CommandesProgrammes::mnuModeleProgView_Click()
{
    ouvrirListe("View", "Liste des modèles de programme", "&Voir");
}

void CommandesProgrammes::mnuModeleProgModif_Click()
{
    ouvrirListe("Modif", "Modifier Modèles de programme", "&Modifier");
}

void CommandesProgrammes::mnuModeleProgSuppr_Click()
{
    ouvrirListe("Suppr", "Supprimer des modèles de programme", "&Supprimer");
}
