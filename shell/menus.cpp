#include "shell/menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <vector>

namespace {

enum Drapeau { Aucun = 0, Cache = 1, Coche = 2, Separateur = 4 };

struct Article {
    const char* nom;
    const char* texte;
    const char* raccourci = nullptr;
    int drapeaux = Aucun;
    std::vector<Article> sous = {};
};

Article separateur(const char* nom)
{
    return {nom, "", nullptr, Separateur};
}

// The tree as the user sees it, in order.
const std::vector<Article>& Arbre()
{
    static const std::vector<Article> arbre = {
        {"mnuBase", "&Base", nullptr, Aucun, {
            {"mnuBaseNew", "&Nouvelle", "Ctrl+N"},
            {"mnuBaseOpen", "&Ouvrir", "Ctrl+O"},
            {"mnuBaseSave", "&Enregistrer", "Ctrl+S"},
            {"mnuBaseSuppr", "&Supprimer"},
            {"mnuBaseAnnuler", "&Annuler Opérations"},
            {"mnuBaseClose", "&Fermer"},
            {"mnuBaseGestion", "&Gestion Base", nullptr, Aucun, {
                {"mnuBaseArchive", "&Archiver Base"},
                {"mnuBaseCompacter", "&Compacter"},
            }},
            {"mnuBaseProfil", "&Profil", nullptr, Aucun, {
                {"mnuBaseProfilNew", "&Nouveau"},
                {"mnuBaseProfilList", "&Liste"},
                {"mnuBaseProfilModif", "&Modifier"},
                {"mnuBaseProfilSuppr", "&Supprimer"},
                {"mnuBaseProfilInfo", "&Information Profil Actuel"},
                {"mnuBaseProfilChange", "&Changer de Profil"},
            }},
            separateur("mnuFileBar0"),
            {"mnuExit", "&Quitter"},
        }},
        {"mnuBaseClub", "&Club", nullptr, Aucun, {
            {"mnuBaseClubNew", "&Nouveau"},
            {"mnuBaseClubImport", "&Importer"},
            {"mnuBaseClubListe", "&Liste"},
            {"mnuBaseClubModif", "&Modifier"},
            {"mnuBaseClubSuppr", "&Supprimer"},
            {"mnuBaseClubExport", "&Exporter"},
            {"mnuBaseClubConfig", "Votre Club", nullptr, Aucun, {
                {"mnuBaseClubConfigInfo", "&Information générale"},
                {"mnuBaseClubConfigRapport", "&Rapport cotisation", nullptr, Cache},
                {"mnuBaseClubCotisationUnknown", "&Listing cotisation manquante"},
            }},
        }},
        {"mnuLicence", "&Licence", nullptr, Aucun, {
            {"mnuLicNew", "&Nouvelle"},
            {"mnuLicImport", "&Importer"},
            {"mnuLicListe", "&Liste Licence"},
            {"mnuLicModif", "&Modifier"},
            {"mnuLicSuppr", "&Supprimer"},
            {"mnuLicMaj", "&Mise à jour IUF"},
            {"mnuLicExp", "&Exporter"},
            {"mnuLicPrint", "Imprimer &Rapport"},
        }},
        {"mnuCompet", "&Compétition", nullptr, Aucun, {
            {"mnuCompetNew", "&Nouvelle"},
            {"mnuCompetSquelet", "&Import squelette"},
            {"mnuCompetListe", "&Liste"},
            {"mnuCompetModif", "&Modifier"},
            {"mnuCompetSuppr", "&Supprimer"},
            {"mnuCompetDonnees", "&Données", nullptr, Aucun, {
                {"mnuEngagProgramme", "&Programme"},
                {"mnuCompetResult", "&Importation Résultats"},
                {"mnuCompetVoirResult", "&Voir Résultats"},
            }},
            {"mnuEngag", "&Engagements", nullptr, Aucun, {
                {"mnuEngagIndiv", "&Nageur(s)"},
                {"mnuEngagRelais", "&Relais"},
                {"mnuEngagDisk", "&Disquette"},
                {"mnuEngagConvoc", "&Convocations"},
                {"mnuEngagBordereau", "&Bordereaux"},
            }},
        }},
        {"mnuModele", "&Modèles", nullptr, Aucun, {
            {"mnuModeleEngag", "&Engagements", nullptr, Aucun, {
                {"mnuModeleEngagNew", "&Nouveaux"},
                {"mnuModeleEngagView", "&Voir"},
                {"mnuModeleEngagModif", "&Modifier"},
                {"mnuModeleEngagSuppr", "&Supprimer"},
            }},
            {"mnuModelePiscine", "&Piscine", nullptr, Aucun, {
                {"mnuModelePiscineNew", "&Nouvelle"},
                {"mnuModelePiscineView", "&Voir"},
                {"mnuModelePiscineModif", "&Modifier"},
                {"mnuModelePiscineSuppr", "&Supprimer"},
            }},
            {"mnuModeleProg", "&Programme compétition", nullptr, Aucun, {
                {"mnuModeleProgNew", "&Nouveau"},
                {"mnuModeleProgView", "&Voir"},
                {"mnuModeleProgModif", "&Modifier"},
                {"mnuModeleProgSuppr", "&Supprimer"},
            }},
        }},
        {"mnuPerf", "&Performances", nullptr, Aucun, {
            {"mnuPerfImpor", "&Importer"},
            {"mnuPerfAjout", "&Ajouter"},
            {"mnuPerfAjoutRelais", "Ajout &Relais"},
            {"mnuPerfView", "&Voir"},
            {"mnuPerfExporter", "&Exporter"},
            {"mnuPerfRecClub", "Records &Club", nullptr, Aucun, {
                {"mnuPerfRecView", "&Modifier"},
                {"mnuPerfRecModifier", "&Def Catégories"},
            }},
            {"mnuPerfRec", "&Records", nullptr, Cache, {
                {"mnuPerfRecImport", "&Importer", nullptr, Cache},
                {"mnuPerfRecConsult", "&Consulter", nullptr, Cache},
            }},
        }},
        {"mnuOutils", "&Outils", nullptr, Aucun, {
            {"mnuOutilsCalculTps", "Calculatrice &temps"},
            {"mnuOutilsCalculPoint", "&Calculatrice points"},
            {"mnuPointRefLEN", "&Ref LEN"},
            {"mnuOutilsCalculPointEquipe", "Calcul points équipe &interclubs"},
            {"mnuPerfOrdi", "&Perf Ordinateur", nullptr, Aucun, {
                {"mnuPerfOrdiAffiche", "&Afficher"},
                {"mnuPerfOrdiMasquer", "&Masquer"},
                {"mnuPerfOrdiParam", "&Paramètres"},
                {"mnuPerfOrdiTjsVisible", "&Toujours visible", nullptr, Coche},
            }},
        }},
        {"mnuHelp", "&?", nullptr, Aucun, {
            {"mnuMaj", "&Mise à jour", nullptr, Aucun, {
                {"mnuMajLogiciel", "&Logiciel"},
                {"mnuMajBase", "&Bases"},
            }},
            {"mnuHelpInfo", "&A propos"},
        }},
    };
    return arbre;
}

void Ajouter(QMenu& parent, const Article& article)
{
    const QString nom = QString::fromLatin1(article.nom);
    QAction* action = nullptr;
    if (article.drapeaux & Separateur) {
        action = parent.addSeparator();
    } else if (!article.sous.empty()) {
        auto* menu = new QMenu(QString::fromUtf8(article.texte), &parent);
        menu->setObjectName(nom);
        for (const Article& s : article.sous)
            Ajouter(*menu, s);
        action = parent.addMenu(menu);
    } else {
        action = parent.addAction(QString::fromUtf8(article.texte));
        if (article.raccourci)
            action->setShortcut(QKeySequence(QString::fromLatin1(article.raccourci)));
        action->setCheckable(article.drapeaux & Coche);
    }
    action->setObjectName(nom);
    action->setVisible(!(article.drapeaux & Cache));
}

} // namespace

void Construire_menus(QMainWindow& fenetre)
{
    QMenuBar* barre = fenetre.menuBar();
    for (const Article& article : Arbre()) {
        auto* menu = new QMenu(QString::fromUtf8(article.texte), barre);
        menu->setObjectName(QString::fromLatin1(article.nom));
        menu->menuAction()->setObjectName(menu->objectName());
        for (const Article& s : article.sous)
            Ajouter(*menu, s);
        barre->addMenu(menu);
    }

    // Never in the bar: the licence list pops it up and adds one element per tariff.
    auto* tarifs = new QMenu("Tarifs", &fenetre);
    tarifs->setObjectName("mnuTarifs");
    tarifs->menuAction()->setObjectName("mnuTarifs");
    tarifs->addAction("Aucun")->setObjectName("mnuTarifsSel_0");
}
