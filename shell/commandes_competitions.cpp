#include "shell/commandes_competitions.h"

#include "competitions/det_compet.h"
#include "competitions/det_piscine.h"
#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_piscine.h"
#include "competitions/piscines.h"
#include "core/erreurs.h"
#include "core/messages.h"
#include "core/ouvreurs.h"

#include <QAction>
#include <QWidget>

namespace {

void Essayer(const QString& erreur, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(erreur);
    }
}

const QString erreurCompet = "Une erreur s'est produite lors de l'ouverture de la fenêtre des compétitions.";
const QString erreurPiscine = "Une erreur s'est produite lors de l'ouverture de la fenêtre des piscines.";

} // namespace

CommandesCompetitions::CommandesCompetitions(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesCompetitions");
}

void CommandesCompetitions::connecter(QWidget* fenetrePrincipale)
{
    auto relier = [&](const char* nom, std::function<void()> gestion) {
        if (auto* a = fenetrePrincipale->findChild<QAction*>(QString::fromLatin1(nom)))
            connect(a, &QAction::triggered, this, std::move(gestion));
    };
    struct Liste {
        const char* menu;
        const char* mode;
        const char* titre;
        const char* action;
    };
    static const Liste listes[] = {
        {"mnuCompetListe", "View", "Liste des compétitions à venir", ""},
        {"mnuCompetModif", "Modif", "Modifier des informations des compétitions", "&Modifier"},
        {"mnuCompetSuppr", "Suppr", "Supprimer Compétitions", "&Supprimer"},
        {"mnuCompetResult", "Impor res", "Importation résultats pour compétition", "&Résultats"},
        {"mnuCompetSquelet", "Impor sque", "Importation squelette d'une compétition", "&Import"},
        {"mnuEngagIndiv", "Choix pour engagements", "Choix d'une compétition pour engagements des nageurs", "&Engag"},
        {"mnuEngagRelais", "Choix pour engagements relais", "Choix d'une compétition pour engagements des relais",
         "&Engag"},
        {"mnuEngagProgramme", "modif prog", "Choix d'une compétition pour définition du programme", "&Prog"},
        {"mnuEngagConvoc", "Imprim convoc", "Choix d'une compétition pour impression des convocations", "&Imprimer"},
        {"mnuEngagBordereau", "Imprim bordereau", "Choix d'une compétition pour impression bordereau d'engagement.",
         "&Imprimer"},
        {"mnuEngagDisk", "disk", "Choix d'une compétition pour création des disquettes", "&Disk"},
    };
    for (const Liste& l : listes) {
        relier(l.menu, [this, l] {
            ouvrirListe(QString::fromUtf8(l.mode), QString::fromUtf8(l.titre), QString::fromUtf8(l.action));
        });
    }
    relier("mnuCompetNew", [this] { mnuCompetNew_Click(); });
    relier("mnuModelePiscineNew", [this] { mnuModelePiscineNew_Click(); });
    relier("mnuModelePiscineView", [this] { ouvrirPiscines("View", "Liste des piscines", "&Voir"); });
    relier("mnuModelePiscineModif", [this] { ouvrirPiscines("Modif", "Modifier Piscines", "&Modifier"); });
    relier("mnuModelePiscineSuppr", [this] { ouvrirPiscines("Suppr", "Supprimer Piscines", "&Supprimer"); });
}

void CommandesCompetitions::ouvrirListe(const QString& mode, const QString& titre, const QString& titreAction)
{
    Essayer(erreurCompet, [&] {
        Ouvrir_liste_compet(m_listes[mode], titre, mode, mode == "Suppr", titreAction, nullptr, QString());
    });
}

void CommandesCompetitions::mnuCompetNew_Click()
{
    Essayer(erreurCompet, [&] { Ouvrir_det_compet(m_detail, "Nouveau", "Nouvelle compétition", QString(), nullptr); });
}

void CommandesCompetitions::mnuModelePiscineNew_Click()
{
    Essayer(erreurPiscine, [&] {
        Ouvrir_det_piscine(m_nouvellePiscine, "Nouveau", nullptr, 0, {}, {}, {}, {}, {}, {}, {});
    });
}

void CommandesCompetitions::ouvrirPiscines(const QString& mode, const QString& titre, const QString& titreAction)
{
    Essayer(erreurPiscine, [&] {
        Ouvrir_liste_piscines(m_piscines, titre, mode, false, titreAction, 0, 0, QString(), nullptr);
    });
}

Frm_liste_compet* CommandesCompetitions::liste(const QString& mode) const
{
    return m_listes.value(mode);
}

det_compet* CommandesCompetitions::detail() const
{
    return m_detail;
}

Frm_liste_piscine* CommandesCompetitions::piscines() const
{
    return m_piscines;
}

det_Piscine* CommandesCompetitions::nouvellePiscine() const
{
    return m_nouvellePiscine;
}
