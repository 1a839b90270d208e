#include "shell/frm_principal.h"

#include "clubs_licences/dem_info.h"
#include "clubs_licences/det_mon_club.h"
#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/services.h"
#include "shell/commandes_competitions.h"
#include "shell/commandes_licences.h"
#include "shell/commandes_points.h"
#include "shell/commandes_modeles.h"
#include "shell/commandes_performances.h"
#include "shell/commandes_resultats.h"
#include "shell/commandes_records.h"
#include "shell/det_profil.h"
#include "shell/frm_attente.h"
#include "shell/frm_liste_profil.h"
#include "shell/frm_monitor_def.h"
#include "shell/frm_splash.h"
#include "shell/maj_base.h"
#include "shell/maj_logiciel.h"
#include "shell/menus.h"
#include "shell/operations_base.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>

#include <cmath>
#include <optional>
#include <utility>

namespace {

// Saved back in twips, the inverse of Twips_en_pixels.
constexpr int TwipsParPixel = 15;
static_assert(Twips_en_pixels(TwipsParPixel) == 1);
// Room the window manager takes around the window (title bar, borders).
constexpr QSize CadrePrincipal(16, 40);
// Where a first start puts the window, in pixels, when the screen has room.
constexpr QPoint CoinPrincipalDefaut(20, 20);

double Lire_twips(const QSettings& reglages, const QString& cle, double defaut)
{
    bool ok = false;
    const double v = reglages.value(cle).toString().trimmed().replace(',', '.').toFloat(&ok);
    return ok && std::isfinite(v) ? v : defaut;
}

} // namespace

std::optional<QRect> Placement_principal_defaut(const QRect& dispo, const QSize& pourtour)
{
    QRect r(dispo.topLeft() + CoinPrincipalDefaut, TaillePlusGrandeFenetre + pourtour);
    if (dispo.isEmpty())
        return r;
    if (r.width() + CadrePrincipal.width() > dispo.width() || r.height() + CadrePrincipal.height() > dispo.height())
        return std::nullopt;
    // Pulled back so that the frame stays on the screen.
    r.moveLeft(std::max(dispo.left(), std::min(r.left(), dispo.right() + 1 - CadrePrincipal.width() - r.width())));
    r.moveTop(std::max(dispo.top(), std::min(r.top(), dispo.bottom() + 1 - CadrePrincipal.height() - r.height())));
    return r;
}

FrmPrincipal* Fenetre_principale()
{
    return qobject_cast<FrmPrincipal*>(frmPrincipal.data());
}

FrmPrincipal::FrmPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmPrincipal");
    frmPrincipal = this;
    setWindowTitle("Quorvelane");
    setWindowIcon(QIcon(Logo_quorvelane(64)));
    m_zone = new QMdiArea(this);
    m_zone->setObjectName("zoneFenetres");
    // A child window partly outside the area stays within reach.
    m_zone->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_zone->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_zone);

    Construire_menus(*this);
    construireBarreOutils();
    construireBarreEtat();
    connecterMenus();

    // Repaints the status bar once a resize is over.
    m_timer1.setObjectName("Timer1");
    m_timer1.setSingleShot(true);
    m_timer1.setInterval(10);
    connect(&m_timer1, &QTimer::timeout, this, [] {
        Afficher_statut("Resize");
        Afficher_statut("");
    });

    lirePlacement();
    Menus_base_fermee();
}

FrmPrincipal::~FrmPrincipal()
{
    if (!frmPrincipal || frmPrincipal == this)
        Services::fixerSortieStatut(nullptr);
    delete m_parametresSuivi.data();
}

QMenu* FrmPrincipal::menuTarifs() const
{
    return findChild<QMenu*>("mnuTarifs");
}

void FrmPrincipal::construireBarreOutils()
{
    struct Bouton {
        const char* texte;
        const char* cle;
        const char* theme;
        QStyle::StandardPixmap secours;
    };
    static const Bouton boutons[] = {
        {"Ouvrir", "Open", "document-open", QStyle::SP_DialogOpenButton},
        {"Enregistrer", "Save", "document-save", QStyle::SP_DialogSaveButton},
        {"Imprimer", "Print", "document-print", QStyle::SP_FileDialogDetailedView},
        {"Nouveau", "New", "document-new", QStyle::SP_FileIcon},
        {"Supprimer", "Delete", "edit-delete", QStyle::SP_TrashIcon},
        {"Caméra", "Camera", "camera-photo", QStyle::SP_DesktopIcon},
        {"Rechercher", "Find", "edit-find", QStyle::SP_FileDialogContentsView},
        {"Tri croissant", "Sort Ascending", "view-sort-ascending", QStyle::SP_ArrowUp},
        {"Tri décroissant", "Sort Descending", "view-sort-descending", QStyle::SP_ArrowDown},
    };
    m_barreOutils = addToolBar("Barre d'outils");
    m_barreOutils->setObjectName("tbToolBar");
    m_barreOutils->setMovable(false);
    int index = 1;
    for (const Bouton& b : boutons) {
        const QString texte = QString::fromUtf8(b.texte);
        QAction* action = m_barreOutils->addAction(
            QIcon::fromTheme(QString::fromLatin1(b.theme), style()->standardIcon(b.secours)), texte);
        action->setObjectName(QString("tbToolBar_%1").arg(index++));
        action->setToolTip(texte);
        action->setData(QString::fromLatin1(b.cle));
        // The buttons carry no command: shown greyed rather than clickable for nothing.
        action->setEnabled(false);
    }
    // Nine buttons that do nothing would only take room: the bar is kept but never shown, and
    // the menu bar's context menu does not offer it.
    m_barreOutils->setVisible(false);
    m_barreOutils->toggleViewAction()->setVisible(false);
}

void FrmPrincipal::construireBarreEtat()
{
    QStatusBar* barre = statusBar();
    barre->setObjectName("sbStatusBar");
    auto panneau = [this](const QString& nom) {
        auto* l = new QLabel(this);
        l->setObjectName(nom);
        // Club, profile and step texts carry stored names: never read as markup.
        l->setTextFormat(Qt::PlainText);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setMinimumWidth(60);
        return l;
    };
    m_panneauProfil = panneau("sbStatusBar_1");
    m_panneauEtape = panneau("sbStatusBar_2");
    m_panneauDate = panneau("sbStatusBar_3");
    m_panneauHeure = panneau("sbStatusBar_4");
    m_panneauDate->setAlignment(Qt::AlignCenter);
    m_panneauHeure->setAlignment(Qt::AlignCenter);
    // The profile and its club are what the user reads most; the step text is short-lived.
    barre->addWidget(m_panneauProfil, 3);
    barre->addWidget(m_panneauEtape, 2);
    barre->addPermanentWidget(m_panneauDate);
    barre->addPermanentWidget(m_panneauHeure);

    // Long steps run before the next event is handled: paint the text now or it is never seen.
    Services::fixerSortieStatut([this](const QString& texte) {
        m_panneauEtape->setText(texte);
        m_panneauEtape->repaint();
    });

    m_horloge.setInterval(1000);
    connect(&m_horloge, &QTimer::timeout, this, &FrmPrincipal::rafraichirHorloge);
    m_horloge.start();
    rafraichirHorloge();
}

void FrmPrincipal::rafraichirHorloge()
{
    m_panneauDate->setText(QLocale().toString(Services::aujourdhui(), "dd/MM/yyyy"));
    m_panneauHeure->setText(QTime::currentTime().toString("HH:mm"));
}

void FrmPrincipal::Ecrire_panneau_profil(const QString& texte)
{
    m_panneauProfil->setText(texte);
    // The whole text when a narrow window cuts it; a tool tip guesses markup, so it gets it escaped.
    m_panneauProfil->setToolTip(texte.isEmpty() ? QString() : Qt::convertFromPlainText(texte, Qt::WhiteSpaceNoWrap));
}

void FrmPrincipal::connecterMenus()
{
    auto relier = [this](const char* nom, auto gestion) {
        if (QAction* a = findChild<QAction*>(QString::fromLatin1(nom)))
            connect(a, &QAction::triggered, this, gestion);
    };
    relier("mnuHelpInfo", [] { Afficher_a_propos(); });
    relier("mnuPerfOrdiAffiche", [this] { mnuPerfOrdiAffiche_Click(); });
    relier("mnuPerfOrdiMasquer", [this] { mnuPerfOrdiMasquer_Click(); });
    relier("mnuPerfOrdiParam", [this] { mnuPerfOrdiParam_Click(); });
    relier("mnuPerfOrdiTjsVisible", [this] { mnuPerfOrdiTjsVisible_Click(); });

    // Base file operations, database and software updates.
    relier("mnuBaseNew", [] { mnuBaseNew_Click(); });
    relier("mnuBaseOpen", [] { mnuBaseOpen_Click(); });
    relier("mnuBaseSave", [] { mnuBaseSave_Click(); });
    relier("mnuBaseAnnuler", [] { mnuBaseAnnuler_Click(); });
    relier("mnuBaseClose", [] { mnuBaseClose_Click(); });
    relier("mnuBaseSuppr", [] { mnuBaseSuppr_Click(); });
    relier("mnuBaseArchive", [] { mnuBaseArchive_Click(); });
    relier("mnuBaseCompacter", [] { mnuBaseCompacter_Click(); });
    relier("mnuExit", [] { mnuExit_Click(); });
    relier("mnuMajBase", [] { mnuMajBase_Click(); });
    relier("mnuMajLogiciel", [] { mnuMajLogiciel_Click(); });
    fixerFermetureBase(Fermer_base_fenetre_principale);

    // Own club ("Votre Club"): one information window at a time.
    relier("mnuBaseClubConfigInfo",
           [fenetre = QPointer<det_mon_club>()]() mutable { Ouvrir_det_mon_club(fenetre); });

    // Profiles and clubs.
    auto commande = [](const QString& erreur, const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur(erreur);
        }
    };
    const QString ouvertureProfil = "Une erreur s'est produite lors de l'ouverture de la fenêtre des profils.";
    const QString ouvertureClub = "Une erreur s'est produite lors de l'ouverture de la fenêtre des clubs.";
    relier("mnuBaseProfilNew", [=, this] {
        commande(ouvertureProfil, [this] { Ouvrir_det_profil(m_nouveauProfil, "Nouveau", {}, {}, 0, {}, nullptr); });
    });
    relier("mnuBaseProfilList", [=, this] {
        commande(ouvertureProfil, [this] {
            Ouvrir_liste_profil(m_listeProfils, "Liste des profils", false, "View", "&Voir", false);
        });
    });
    relier("mnuBaseProfilModif", [=, this] {
        commande(ouvertureProfil, [this] {
            Ouvrir_liste_profil(m_listeProfils, "Modifier profils", false, "Modif", "&Modifier", false);
        });
    });
    relier("mnuBaseProfilSuppr", [=, this] {
        commande(ouvertureProfil, [this] {
            Ouvrir_liste_profil(m_listeProfils, "Supprimer profils", true, "Suppr", "&Supprimer", true);
        });
    });
    relier("mnuBaseProfilInfo", [=, this] {
        commande(ouvertureProfil, [this] {
            Ouvrir_det_profil(m_infoProfil, "View", strNomProfil, strCodeClub, 0, strNumProfil, nullptr);
        });
    });
    relier("mnuBaseProfilChange", [=, this] {
        commande(ouvertureProfil, [this] {
            Ouvrir_liste_profil(m_listeProfils, "Choisir un profil", true, "Choisir", QString(), false);
        });
    });
    // "Nouveau" takes its locks itself.
    relier("mnuBaseClubNew", [=, this] {
        commande(ouvertureClub, [this] { Ouvrir_info_club(m_nouveauClub, "Nouveau", {}, {}, 0, nullptr); });
    });
    relier("mnuBaseClubListe", [=, this] {
        commande(ouvertureClub, [this] {
            Ouvrir_liste_club(m_listeClubs, "Liste des Clubs", "View", false, QString(), 0, 0, {}, {}, nullptr);
        });
    });
    relier("mnuBaseClubModif", [=, this] {
        commande(ouvertureClub, [this] {
            Ouvrir_liste_club(m_listeClubs, "Modifier Clubs", "Modif", false, "&Modifier", 0, 0, {}, {}, nullptr);
        });
    });
    relier("mnuBaseClubSuppr", [=, this] {
        commande(ouvertureClub, [this] {
            Ouvrir_liste_club(m_listeClubs, "Supprimer Clubs", "Suppr", true, "&Supprimer", 0, 0, {}, {}, nullptr);
        });
    });

    // Licences: the lists, a new licence, the licences without fee and the report. The tariff
    // pop-up's items are handled by the licence list that pops it up.
    auto* licences = new CommandesLicences(this);
    relier("mnuLicNew", [licences] { licences->mnuLicNew_Click(); });
    relier("mnuLicListe", [licences] { licences->mnuLicListe_Click(); });
    relier("mnuLicModif", [licences] { licences->mnuLicModif_Click(); });
    relier("mnuLicSuppr", [licences] { licences->mnuLicSuppr_Click(); });
    relier("mnuBaseClubCotisationUnknown", [licences] { licences->mnuBaseClubCotisationUnknown_Click(); });
    relier("mnuLicPrint", [licences] { licences->mnuLicPrint_Click(); });

    // Points: the calculator, the interclub estimate and the LEN reference times.
    auto* points = new CommandesPoints(this);
    relier("mnuOutilsCalculPoint", [points] { points->mnuOutilsCalculPoint_Click(); });
    relier("mnuOutilsCalculPointEquipe", [points] { points->mnuOutilsCalculPointEquipe_Click(); });
    relier("mnuPointRefLEN", [points] { points->mnuPointRefLEN_Click(); });

    // Competitions and pools.
    (new CommandesCompetitions(this))->connecter(this);

    // Entry and programme templates.
    auto* modeles = new CommandesModeles(this);
    relier("mnuModeleEngagNew", [modeles] { modeles->mnuModeleEngagNew_Click(); });
    relier("mnuModeleProgNew", [modeles] { modeles->mnuModeleProgNew_Click(); });
    for (const char* type : {"Engag", "Prog"}) {
        for (const char* mode : {"View", "Modif", "Suppr"}) {
            const QString nom = QString("mnuModele%1%2").arg(type, mode);
            relier(nom.toLatin1().constData(), [modeles, type, mode] { modeles->ouvrirListe(type, mode); });
        }
    }

    // Performances: the manual windows and the viewer.
    auto* performances = new CommandesPerformances(this);
    relier("mnuPerfAjout", [performances] { performances->mnuPerfAjout_Click(); });
    relier("mnuPerfAjoutRelais", [performances] { performances->mnuPerfAjoutRelais_Click(); });
    relier("mnuPerfView", [performances] { performances->mnuPerfView_Click(); });

    // Results of the held competitions.
    auto* resultats = new CommandesResultats(this);
    relier("mnuCompetVoirResult", [resultats] { resultats->mnuCompetVoirResult_Click(); });

    // Club records and their categories.
    auto* records = new CommandesRecords(this);
    relier("mnuPerfRecView", [records] { records->mnuPerfRecView_Click(); });
    relier("mnuPerfRecModifier", [records] { records->mnuPerfRecModifier_Click(); });

    // The time calculator from the tools menu has no relay window to copy into.
    relier("mnuOutilsCalculTps", [=, fenetre = QPointer<frm_calTps>()]() mutable {
        commande("Une erreur s'est produite lors de l'ouverture de la calculatrice de temps.",
                 [&fenetre] { Ouvrir_calculatrice_temps(fenetre, 0, 0, nullptr); });
    });

    // Exchanges through the outside components, and the software update.
    relier("mnuBaseClubImport", [] { Lancer_attente("ClubImporter", "impclub", "Importer Clubs", "", false); });
    relier("mnuBaseClubExport", [] { Lancer_attente("ClubExporter", "envassoc", "Exporter Clubs", "", false); });
    relier("mnuLicImport", [] { Lancer_attente("LicenceImporter", "implic", "Importer Licences", "", false); });
    relier("mnuLicMaj", [] { Lancer_attente("IufCodeUpdater", "majiuf", "Mise à jour des codes IUF", "", false); });
    relier("mnuLicExp", [] { Lancer_attente("LicenceExporter", "envadher", "Exporter Licences", "", false); });
    relier("mnuPerfImpor", [] { Lancer_attente("PerformanceImporter", "impperf", "Importer performances", "", false); });
    relier("mnuPerfExporter", [] { Lancer_attente("PerformanceExporter", "envchrono", "Exporter Performances", "", false); });
}

QSize FrmPrincipal::pourtourZone() const
{
    // The tool bar is never shown; the document area shows its frame.
    const int bord = 2 * m_zone->frameWidth();
    return {bord, menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + bord};
}

void FrmPrincipal::lirePlacement()
{
    QSettings reglages;
    reglages.beginGroup("Settings");
    QScreen* principal = QGuiApplication::primaryScreen();
    const QRect dispoPrincipal = principal ? principal->availableGeometry() : QRect();
    const std::optional<QRect> place = Placement_principal_defaut(dispoPrincipal, pourtourZone());
    // A screen too small for the default gets all it has.
    const QRect defaut = place.value_or(QRect(dispoPrincipal.topLeft(), dispoPrincipal.size() - CadrePrincipal));
    // A saved placement wins; the default stands in for what is missing or unreadable.
    auto pixels = [&reglages](const char* cle, int defautPixels) {
        return Twips_en_pixels(
            static_cast<int>(std::lround(Lire_twips(reglages, cle, double(defautPixels) * TwipsParPixel))));
    };
    QRect r(pixels("MainLeft", defaut.left()), pixels("MainTop", defaut.top()), pixels("MainWidth", defaut.width()),
            pixels("MainHeight", defaut.height()));
    const bool enregistre = reglages.contains("MainLeft") || reglages.contains("MainTop")
                            || reglages.contains("MainWidth") || reglages.contains("MainHeight");

    // A placement saved on a screen that is gone would leave the window out of reach.
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        // The screen that shows most of it, else the main one.
        QRect dispo = ecran->availableGeometry();
        qint64 montre = 0;
        for (QScreen* s : QGuiApplication::screens()) {
            const QRect commun = s->availableGeometry().intersected(r);
            const qint64 aire = qint64(commun.width()) * commun.height();
            if (commun.width() >= 50 && commun.height() >= 20 && aire > montre) {
                montre = aire;
                dispo = s->availableGeometry();
            }
        }
        // Larger than its screen, the window would hide its status bar past the edge.
        r.setSize(r.size().boundedTo(dispo.size() - CadrePrincipal));
        if (montre == 0)
            r.moveTopLeft(dispo.topLeft());
        r.moveLeft(std::max(dispo.left(), std::min(r.left(), dispo.right() + 1 - r.width())));
        r.moveTop(std::max(dispo.top(), std::min(r.top(), dispo.bottom() + 1 - r.height())));
    }
    move(r.topLeft());
    resize(r.size().expandedTo(QSize(200, 150)));
    if ((!place && !enregistre) || reglages.value("MainMaximized").toString() == "1")
        setWindowState(windowState() | Qt::WindowMaximized);
    m_placementDefaut = place && !enregistre;
}

void FrmPrincipal::sauverPlacement() const
{
    QSettings reglages;
    reglages.beginGroup("Settings");
    // The size the user gave, not the one a long value in a list lent the window.
    const QRect donne = Placement_donne(this);
    reglages.setValue("MainLeft", QString::number(donne.x() * TwipsParPixel));
    reglages.setValue("MainTop", QString::number(donne.y() * TwipsParPixel));
    reglages.setValue("MainWidth", QString::number(donne.width() * TwipsParPixel));
    reglages.setValue("MainHeight", QString::number(donne.height() * TwipsParPixel));
    // A maximised window opens maximised again.
    reglages.setValue("MainMaximized", isMaximized() ? "1" : "0");
}

void FrmPrincipal::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (std::exchange(m_placementDefaut, false))
        completerPlacementDefaut();
}

void FrmPrincipal::completerPlacementDefaut()
{
    // Laid out, the bars may take a few pixels more than they said: the largest window must
    // still fit, or the window takes the whole screen.
    const QSize manque = (TaillePlusGrandeFenetre - m_zone->viewport()->size()).expandedTo(QSize(0, 0));
    if (manque == QSize(0, 0) || isMaximized())
        return;
    const QRect dispo = screen() ? screen()->availableGeometry() : QRect();
    QRect cadre = frameGeometry();
    cadre.setSize(cadre.size() + manque);
    if (dispo.isEmpty() || dispo.contains(cadre))
        resize(size() + manque);
    else
        setWindowState(windowState() | Qt::WindowMaximized);
}

void FrmPrincipal::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    m_timer1.start();
}

void FrmPrincipal::closeEvent(QCloseEvent* e)
{
    // A child window may hold unsaved work.
    if (Fenetre_ouverte()) {
        e->ignore();
        return;
    }
    if (cnxBase.ouverte() && m_fermetureBase)
        m_fermetureBase();
    Decharger_suivi_perf();

    if (!isMinimized())
        sauverPlacement();
    if (cnxBase.ouverte())
        Fermer_base();
    e->accept();
}

// ---- The performance monitor ----

void Lire_position_suivi(Composant& composant, qint32& x, qint32& y, qint32& intervalle)
{
    x = composant.appeler("lgPositionX", {}).toInt();
    y = composant.appeler("lgPositionY", {}).toInt();
    intervalle = composant.appeler("lgIntervalTimer", {}).toInt();
}

void Sauver_suivi_toujours_visible()
{
    // Without a current profile the settings belong to nobody.
    if (strNumProfil.isEmpty())
        return;
    try {
        cnxBase.Execute(QString("UPDATE Profil SET ") + "bAlwaysVisibleSuivi = "
                        + (bAlwaysVisibleSuivi ? "true" : "false") + " WHERE Num = " + strNumProfil);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du paramètre.");
    }
}

void Sauver_param_suivi()
{
    // Without a current profile the settings belong to nobody.
    if (strNumProfil.isEmpty())
        return;
    try {
        cnxBase.Execute(QString("UPDATE Profil SET ") + "lgPosXSuivi = " + QString::number(lgPosXSuivi) + ", "
                        + "lgPosYSuivi = " + QString::number(lgPosYSuivi) + ", " + "lgIntervalSuivi = "
                        + QString::number(lgIntervalSuivi) + ", " + "bAlwaysVisibleSuivi = "
                        + (bAlwaysVisibleSuivi ? "true" : "False") + " WHERE Num = " + strNumProfil);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde des paramètres de suivi des performances.");
    }
}

void FrmPrincipal::mnuPerfOrdiAffiche_Click()
{
    if (!m_suivi) {
        // Reported instead of stopping the program when the library is missing.
        m_suivi = Composants::creer_ou_signaler("ComputerMonitor");
        if (!m_suivi)
            return;
    }
    try {
        m_suivi->appeler("ShowHideWindow", {true});
        m_suivi->appeler("SetPosition", {lgPosXSuivi, lgPosYSuivi});
        m_suivi->appeler("lgIntervalTimer", {lgIntervalSuivi});
        m_suivi->appeler("bMustBeAlwaysOpen", {bAlwaysVisibleSuivi});
        Lire_position_suivi(*m_suivi, lgPosXSuivi, lgPosYSuivi, lgIntervalSuivi);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'affichage du suivi des performances.");
    }
}

void FrmPrincipal::mnuPerfOrdiMasquer_Click()
{
    if (!m_suivi)
        return;
    try {
        m_suivi->appeler("ShowHideWindow", {false});
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'affichage du suivi des performances.");
    }
}

void FrmPrincipal::mnuPerfOrdiTjsVisible_Click()
{
    QAction* item = findChild<QAction*>("mnuPerfOrdiTjsVisible");
    // The item has already turned its check over.
    Fixer_suivi_toujours_visible(item->isChecked(), true);
    Sauver_suivi_toujours_visible();
    if (m_suivi) {
        try {
            m_suivi->appeler("bMustBeAlwaysOpen", {item->isChecked()});
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du paramètre.");
        }
    }
}

void FrmPrincipal::mnuPerfOrdiParam_Click()
{
    findChild<QAction*>("mnuPerfOrdiParam")->setEnabled(false);
    if (!m_parametresSuivi) {
        m_parametresSuivi = new FrmMonitorDef(this);
        m_parametresSuivi->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_parametresSuivi->show();
    m_parametresSuivi->raise();
}

void FrmPrincipal::Decharger_suivi_perf()
{
    // Its settings belong to the profile of the base being closed.
    if (m_parametresSuivi)
        m_parametresSuivi->close();
    if (!m_suivi)
        return;
    try {
        m_suivi->appeler("bMustBeAlwaysOpen", {false});
        m_suivi->appeler("KillWindow", {});
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du déchargement de la dll de suivi des performances.");
    }
    m_suivi.reset();
}

void FrmPrincipal::Etat_menus_suivi(bool b)
{
    const bool actif = b && !bAlwaysVisibleSuivi;
    findChild<QAction*>("mnuPerfOrdiAffiche")->setEnabled(actif);
    findChild<QAction*>("mnuPerfOrdiMasquer")->setEnabled(actif);
}

void FrmPrincipal::Etat_menu_toujours_visible(bool b)
{
    findChild<QAction*>("mnuPerfOrdiTjsVisible")->setEnabled(b);
}

void FrmPrincipal::Fixer_suivi_toujours_visible(bool visible, bool majMenus)
{
    findChild<QAction*>("mnuPerfOrdiTjsVisible")->setChecked(visible);
    bAlwaysVisibleSuivi = visible;
    if (majMenus)
        Etat_menus_suivi(!visible);
    if (visible)
        mnuPerfOrdiAffiche_Click();
}
