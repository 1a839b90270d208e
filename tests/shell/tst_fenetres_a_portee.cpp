// Every window the program opens, opened in turn as a user does on a 1366 x 768 screen with the
// main window at its default size: its whole frame lies in what the user sees of the document
// area, its lists, boxes and buttons lie inside it, and with values as wide as a season's data
// makes them no value, caption or title is cut. A picture of each is left in build/captures/fenetres/. Under offscreen the screen is made
// 1366 x 768; under xvfb-run -s "-screen 0 1366x768x24" with QT_QPA_PLATFORM=xcb it is the real one.

#include "fixtures.h"
#include "session_shell.h"

#include "core/base.h"
#include "fenetres_test.h"
#include "shell/demarrage.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyleOptionTitleBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>

namespace {

const QString kCaptures = QStringLiteral(QV_BINARY_DIR "/captures/fenetres");
const QSize kEcran(1366, 768);

QString Decrire(const QRect& r)
{
    return QString("%1x%2 en (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// The windows in the document area that the user sees, the last opened first.
QList<QMdiSubWindow*> Cadres_visibles(QMdiArea* zone)
{
    QList<QMdiSubWindow*> cadres;
    const QList<QMdiSubWindow*> tous = zone->subWindowList(QMdiArea::CreationOrder);
    for (auto it = tous.rbegin(); it != tous.rend(); ++it) {
        if ((*it)->isVisible())
            cadres << *it;
    }
    return cadres;
}

// A control of that name in the shown windows, the last opened first.
template <class T>
T* Controle(QMdiArea* zone, const QString& nom)
{
    for (QMdiSubWindow* cadre : Cadres_visibles(zone)) {
        for (T* w : cadre->findChildren<T*>(nom)) {
            if (w->isVisible())
                return w;
        }
    }
    return nullptr;
}

// Reads an item's texts, font and decorations as the list paints them.
class LectureDelegue : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::initStyleOption;
};

// The room a painted text has is the style's text rectangle less its margins; a wider text is elided.
bool Texte_coupe(const QString& texte, const QFont& police, int place)
{
    return !texte.trimmed().isEmpty() && QFontMetrics(police).horizontalAdvance(texte) > place;
}

// A window as wide as the screen lets it be: there a list may scroll sideways.
bool Au_plus_large(QWidget* controle)
{
    QWidget* cadre = controle->window();
    for (QWidget* w = controle; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* sous = qobject_cast<QMdiSubWindow*>(w)) {
            cadre = sous;
            break;
        }
    }
    const int ecran = controle->screen()->availableGeometry().width();
    if (auto* sous = qobject_cast<QMdiSubWindow*>(cadre))
        return sous->width() >= sous->mdiArea()->viewport()->width() && sous->window()->frameGeometry().width() >= ecran;
    return cadre->frameGeometry().width() >= ecran;
}

// Every value, heading, caption and box of the window that does not show whole.
QStringList Valeurs_coupees(QWidget* fenetre)
{
    QStringList coupees;
    for (QTreeWidget* liste : fenetre->findChildren<QTreeWidget*>()) {
        if (!liste->isVisible())
            continue;
        const QString nom = liste->objectName();
        QStyle* style = liste->style();
        const int marge = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, liste) + 1;
        LectureDelegue lecture;
        for (int c = 0; c < liste->columnCount(); ++c) {
            if (liste->isColumnHidden(c))
                continue;
            if (!liste->header()->isHidden() && liste->header()->sectionSizeHint(c) > liste->columnWidth(c))
                coupees << nom + " titre « " + liste->headerItem()->text(c) + " »";
            // A column ending past the view, or behind its vertical scroll bar, is not seen whole.
            const int droite = liste->header()->sectionViewportPosition(c) + liste->columnWidth(c);
            if (droite > liste->viewport()->width() && !Au_plus_large(liste))
                coupees << QString("%1 colonne « %2 » finit à %3 au-delà de la vue (%4)")
                               .arg(nom, liste->headerItem()->text(c))
                               .arg(droite)
                               .arg(liste->viewport()->width());
            for (int i = 0; i < liste->topLevelItemCount(); ++i) {
                const QModelIndex index = liste->model()->index(i, c);
                QStyleOptionViewItem option;
                option.initFrom(liste);
                option.widget = liste;
                option.font = liste->font();
                option.decorationSize = liste->iconSize().isValid() ? liste->iconSize() : QSize(16, 16);
                option.rect = QRect(0, 0, liste->columnWidth(c), 20);
                lecture.initStyleOption(&option, index);
                const QRect texte = style->subElementRect(QStyle::SE_ItemViewItemText, &option, liste);
                if (Texte_coupe(option.text, option.font, texte.width() - 2 * marge))
                    coupees << nom + " « " + option.text + " »";
            }
        }
    }
    for (QPushButton* bouton : fenetre->findChildren<QPushButton*>()) {
        if (!bouton->isVisible())
            continue;
        QStyleOptionButton option;
        option.initFrom(bouton);
        option.text = bouton->text();
        const QRect contenu = bouton->style()->subElementRect(QStyle::SE_PushButtonContents, &option, bouton);
        if (bouton->fontMetrics().size(Qt::TextShowMnemonic, bouton->text()).width() > contenu.width())
            coupees << "bouton « " + bouton->text() + " »";
    }
    for (QLineEdit* boite : fenetre->findChildren<QLineEdit*>()) {
        if (!boite->isVisible())
            continue;
        QStyleOptionFrame option;
        option.initFrom(boite);
        option.lineWidth = boite->hasFrame() ? boite->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, boite) : 0;
        const QRect contenu = boite->style()->subElementRect(QStyle::SE_LineEditContents, &option, boite);
        const QMargins m = boite->textMargins();
        // The box keeps two pixels on each side of its text.
        if (Texte_coupe(boite->text(), boite->font(), contenu.width() - m.left() - m.right() - 4))
            coupees << boite->objectName() + " « " + boite->text() + " »";
    }
    return coupees;
}

// The title bar's label as the frame lays it out at its width.
QStringList Titre_coupe(QMdiSubWindow* cadre)
{
    QStringList coupees;
    QStyleOptionTitleBar titre;
    titre.initFrom(cadre);
    titre.text = cadre->windowTitle();
    titre.fontMetrics = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"));
    titre.titleBarFlags = cadre->windowFlags();
    titre.subControls = QStyle::SC_All;
    titre.icon = cadre->windowIcon();
    // The frame paints its bar inside a border of 4 pixels, and the style cuts the title again
    // 14 pixels short of the label's width.
    const int bord = cadre->style()->styleHint(QStyle::SH_TitleBar_NoBorder, &titre, cadre) ? 0 : 4;
    titre.rect = QRect(bord, bord, cadre->width() - 2 * bord,
                       cadre->style()->pixelMetric(QStyle::PM_TitleBarHeight, &titre, cadre) - bord);
    const QRect etiquette = cadre->style()->subControlRect(QStyle::CC_TitleBar, &titre, QStyle::SC_TitleBarLabel, cadre);
    if (Texte_coupe(titre.text, QApplication::font("QMdiSubWindowTitleBar"), etiquette.width() - 14))
        coupees << "titre « " + titre.text + " »";
    return coupees;
}

bool Contient(QTreeWidget* liste, const QString& valeur)
{
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        for (int c = 0; c < liste->columnCount(); ++c) {
            if (liste->topLevelItem(i)->text(c).trimmed() == valeur)
                return true;
        }
    }
    return false;
}

// Lists, boxes and buttons that run past the window's edges, their scroll bars out of reach.
QStringList Controles_debordants(QWidget* fenetre)
{
    QStringList hors;
    QList<QWidget*> controles;
    for (QAbstractScrollArea* zone : fenetre->findChildren<QAbstractScrollArea*>())
        controles << zone;
    for (QAbstractButton* bouton : fenetre->findChildren<QAbstractButton*>())
        controles << bouton;
    for (QWidget* w : controles) {
        // What a list or a scrolling page holds moves under its own scroll bars.
        bool defile = false;
        for (QWidget* p = w->parentWidget(); p && p != fenetre; p = p->parentWidget())
            defile = defile || qobject_cast<QAbstractScrollArea*>(p);
        if (!w->isVisible() || defile || qobject_cast<QTabBar*>(w->parentWidget()))
            continue;
        // Wholly below the window's bottom is a part folded away until the window grows.
        const QRect place(w->mapTo(fenetre, QPoint(0, 0)), w->size());
        if (place.top() < fenetre->height() && !fenetre->rect().contains(place))
            hors << w->objectName() + " " + Decrire(place) + " hors de " + Decrire(fenetre->rect());
    }
    return hors;
}

} // namespace

class TstFenetresAPortee : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Installer_traductions_francaises();
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), kEcran);
        QDir(kCaptures).removeRecursively();
        QVERIFY(QDir().mkpath(kCaptures));
    }

    void cleanup() { Traiter_evenements(); }

    // Bars laid out taller than they measured before the window showed: the largest window still fits.
    void zoneTientLaPlusGrandeFenetre()
    {
        QSettings().clear();
        FrmPrincipal f;
        f.statusBar()->setMinimumHeight(f.statusBar()->sizeHint().height() + 6);
        f.show();
        Traiter_evenements();
        const QSize zone = f.zoneFenetres()->viewport()->size();
        QVERIFY2(zone.width() >= TaillePlusGrandeFenetre.width() && zone.height() >= TaillePlusGrandeFenetre.height(),
                 qPrintable(QString("%1x%2").arg(zone.width()).arg(zone.height())));
        QVERIFY(!f.isMaximized());
    }

    void fenetreEntiereDansLaZone_data();
    void fenetreEntiereDansLaZone();

private:
    ReglagesTest m_reglages;
};

// Each path is what the user does, one step at a time: "mnuXxx" a menu item, "ligne" the first
// row of the last list shown, "clic:Nom" the control of that name in the last window that has it,
// "modal:Texte" the answer to the dialog that comes next (its first box filled, then "Ok"),
// "modal-clic:Nom" the dialog that comes next checked and left by its button of that name,
// "onglet:Nom:i" a click on tab i of that tab control, "cocher:Nom" every row of that list ticked
// with the space bar, "attendre" a second for what moves on the screen. The base opens first, or
// at "ouvrir" when the path has it: the steps before are the dialogs the opening brings, and
// "sans profil" opens a base without a profile.
void TstFenetresAPortee::fenetreEntiereDansLaZone_data()
{
    QTest::addColumn<QStringList>("parcours");
    QTest::addColumn<QString>("fenetre"); // the class of the window that must open

    const auto ligne = [](const char* nom, QStringList parcours, const char* fenetre) {
        QTest::newRow(nom) << parcours << QString::fromLatin1(fenetre);
    };
    // Profiles and clubs.
    ligne("profil nouveau", {"mnuBaseProfilNew"}, "det_profil");
    ligne("profil liste", {"mnuBaseProfilList"}, "Frm_liste_profil");
    ligne("profil info", {"mnuBaseProfilInfo"}, "det_profil");
    ligne("profil modifier, choix du club", {"mnuBaseProfilModif", "ligne", "clic:Command1_2", "clic:Command1_2"},
          "Frm_liste_club");
    ligne("club nouveau", {"mnuBaseClubNew"}, "dem_info");
    ligne("club liste", {"mnuBaseClubListe"}, "Frm_liste_club");
    ligne("sélection d'un club imposée",
          {"sans profil", "modal-clic:Command1_2", "modal-clic:Command1_0", "modal:Bassin", "ouvrir", "mnuBaseClubListe"},
          "Frm_liste_club");
    ligne("votre club", {"mnuBaseClubConfigInfo"}, "det_mon_club");
    ligne("votre club, organisation", {"mnuBaseClubConfigInfo", "onglet:SSTab1:1"}, "det_mon_club");
    // Licences.
    ligne("licence nouvelle", {"mnuLicNew"}, "det_licence");
    ligne("licence liste", {"mnuLicListe"}, "frm_liste_licence");
    ligne("licence liste, critères", {"mnuLicListe", "clic:Cmd_3"}, "frm_liste_licence");
    ligne("licence modifier", {"mnuLicModif", "ligne", "clic:Cmd_2"}, "det_licence");
    ligne("licence nouvelle, pays", {"mnuLicNew", "clic:Cmd_pays"}, "frm_liste_pays");
    // Competitions, entries, programmes.
    ligne("compétition nouvelle", {"mnuCompetNew"}, "det_compet");
    ligne("compétition liste", {"mnuCompetListe"}, "Frm_liste_compet");
    ligne("importation des résultats", {"mnuCompetResult"}, "Frm_liste_compet");
    ligne("disquette d'engagements", {"mnuEngagDisk"}, "Frm_liste_compet");
    ligne("bordereaux", {"mnuEngagBordereau"}, "Frm_liste_compet");
    ligne("compétition modifier", {"mnuCompetModif", "ligne", "clic:cmd_2"}, "det_compet");
    ligne("engagements", {"mnuEngagIndiv", "ligne", "clic:cmd_2"}, "frm_engag");
    ligne("engagements, modèle", {"mnuEngagIndiv", "ligne", "clic:cmd_2", "clic:Cmd_modele"}, "frm_liste_modele");
    ligne("engagements, faire un modèle",
          {"mnuEngagIndiv", "ligne", "clic:cmd_2", "clic:Chk_DoModele", "clic:cmd_0"}, "frm_liste_modele");
    ligne("engagements relais", {"mnuEngagRelais", "ligne", "clic:cmd_2"}, "frm_engag_relais");
    ligne("engagements relais, calculatrice", {"mnuEngagRelais", "ligne", "clic:cmd_2", "clic:Cmd_AffichCalTps"},
          "frm_calTps");
    ligne("programme", {"mnuEngagProgramme", "ligne", "clic:cmd_2"}, "frm_prog");
    ligne("programme, modèle", {"mnuEngagProgramme", "ligne", "clic:cmd_2", "clic:Cmd_modele"},
          "frm_liste_modele");
    ligne("programme, enregistrer dans un nouveau modèle",
          {"mnuEngagProgramme", "ligne", "clic:cmd_2", "clic:Chk_modele", "clic:Cmd_0"}, "frm_liste_modele");
    ligne("convocations", {"mnuEngagConvoc", "ligne", "clic:cmd_2"}, "frm_convocation");
    // Templates and pools.
    ligne("modèle d'engagements nouveau", {"modal:Été, meeting des jeunes", "mnuModeleEngagNew"}, "frm_engag");
    ligne("modèles d'engagements", {"mnuModeleEngagView"}, "frm_liste_modele");
    ligne("modèle d'engagements voir", {"mnuModeleEngagView", "ligne", "clic:Command1_2"}, "frm_engag");
    ligne("modèle de programme nouveau", {"modal:Hiver, circuit départemental", "mnuModeleProgNew"}, "frm_prog");
    ligne("modèles de programme", {"mnuModeleProgView"}, "frm_liste_modele");
    ligne("piscine nouvelle", {"mnuModelePiscineNew"}, "det_Piscine");
    ligne("piscines", {"mnuModelePiscineView"}, "Frm_liste_piscine");
    // Performances, results, records, tools.
    ligne("performance", {"mnuPerfAjout"}, "frm_ajout_perf");
    ligne("performance de relais", {"mnuPerfAjoutRelais"}, "frm_ajout_perf_relais");
    ligne("suivi des performances", {"mnuPerfView"}, "frm_view_perf");
    ligne("résultats", {"mnuCompetVoirResult"}, "frm_view_result");
    ligne("résultats, épreuves", {"mnuCompetVoirResult", "ligne"}, "frm_view_result");
    const QStringList resultats = {"mnuCompetVoirResult", "onglet:Tab_options:1", "clic:Cmd_option_0", "clic:Chk_tps_inter",
                                   "clic:Cmd_option_1", "onglet:Tab_options:0", "ligne", "clic:Chk_all", "clic:cmd_0"};
    ligne("résultats, temps intermédiaires", resultats, "frm_view_result");
    ligne("résultats, agrandis", resultats + QStringList{"clic:cmd_4"}, "frm_view_result");
    ligne("suivi des performances, voir", {"mnuPerfView", "cocher:LsvNageur", "clic:cmd_0"}, "frm_view_perf");
    ligne("records du club, voir", {"mnuPerfRecView", "cocher:LsvNage", "clic:Cmd_view_0"}, "frm_view_record");
    ligne("records du club", {"mnuPerfRecView"}, "frm_view_record");
    ligne("catégories de records", {"mnuPerfRecModifier"}, "det_categorie_record_club");
    ligne("calculatrice de temps", {"mnuOutilsCalculTps"}, "frm_calTps");
    ligne("calcul des points", {"mnuOutilsCalculPoint"}, "frm_calpts");
    ligne("calcul des points, table", {"mnuOutilsCalculPoint", "onglet:SSTab1:1", "attendre"}, "frm_calpts");
    ligne("points par équipe", {"mnuOutilsCalculPointEquipe"}, "frm_PtsInter");
    ligne("points de référence", {"mnuPointRefLEN"}, "frm_defreflen");
}

void TstFenetresAPortee::fenetreEntiereDansLaZone()
{
    QFETCH(QStringList, parcours);
    QFETCH(QString, fenetre);

    QSettings().clear(); // a first start: the default placement
    Session s;
    const QString chemin = Preparer_base(s.rep, "base.mdb");
    {
        // A swimmer, a competition to come, a pool and a template of each kind for profile 1; a
        // held meet with a 1500 m, its splits and 1102 points; a performance and a record. Names,
        // places and dates as long as real ones, the clubs' names at their 30 characters, in capitals
        // as the federation writes them; an official with a long address; competitions over two days.
        sqlite3* db = Ouvrir_connexion_sqlite(chemin);
        QStringList requetes = {
            "UPDATE Club SET Intitule = 'NATATION CLUB DE SAINT-GERMAIN'",
            "INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320029876', 'Cercle des Nageurs de Besançon')",
            "INSERT INTO Dirigeant (Code_federal, Fonction, Nom, Tel1, Tel2, Mail) VALUES ('" + kCodeClub
                + "', 'Vice-présidente', 'DE LA FONTAINE-MAISONNEUVE Marie-Bernadette', '01 39 73 45 67', "
                "'06 12 34 56 78', 'secretariat.natation@saint-germain-en-laye.fr')",
            "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) VALUES ('"
                + kCodeClub + "', '100', 'ALBERT', 'Jean', 'M', '20070101', 'FRA', true)",
            "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) VALUES ('"
                + kCodeClub + "', '1234567890', 'DE LA FONTAINE-MAISONNEUVE', 'Marie-Bernadette', 'F', '20080920', "
                "'FRA', true)",
            "INSERT INTO Rcomp (Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
            "('Meeting de printemps', '20250412', '20250413', 'Nîmes', 25, false, true)",
            "INSERT INTO Rcomp (Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
            "('Championnats départementaux d''hiver', '20251220', '20251221', 'Saint-Germain-en-Laye', 25, false, true)",
            "INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES ('R9', "
            "'Championnats régionaux d''hiver', '20250920', '20250921', 'Villefranche-sur-Saône', 50, true, true)",
            "INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) SELECT max(AutoNum), 6, 1, 1 FROM Rcomp",
            "INSERT INTO Piscine (Nom, Ville, NbCouloir, Bassin) VALUES ('Nakache', 'Toulouse', 8, 50)",
            "INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('Printemps', 1)",
            "INSERT INTO Modele_prog (Nom_modele, Num_profil) VALUES ('Meeting', 1)",
            "INSERT INTO Liffn (Code_epreuve, Code_club, Num_Lic, Type_bassin, Date_perf, Tps, Lieu, Age_nageur) "
            "SELECT 6, Code_club, Num, 50, '20250920', 11.2345, 'Villefranche-sur-Saône', 17 FROM Licence",
            "INSERT INTO Categori_record_club (Code_Club, Libelle, Age_inf, Age_sup, Sexe) VALUES ('" + kCodeClub
                + "', 'Toutes catégories', 10, 99, 'F')",
            "INSERT INTO RecordClub (Categorie, Code_nage, Bassin, Tps, Nom, Prenom, Date_perf, Lieu) SELECT "
            "max(Num_cat), 6, 50, 16.0512, 'DE LA FONTAINE-MAISONNEUVE', 'Marie-Bernadette', '20250920', "
            "'Villefranche-sur-Saône' FROM Categori_record_club"};
        QString colonnes;
        QString temps;
        for (int k = 1; k <= 14; ++k) {
            colonnes += QString(", Inter%1").arg(k);
            temps += ", " + QString::number(k * 0.4512 + 0.0023, 'f', 4);
        }
        requetes << "INSERT INTO Prres (Num_compet, Code_epreuve, Num_Lic, Code_club, Num_equipe, Tps, Cotation_FFN, "
                    "Type_course, Numero_serie, Numero_couloir, Numero_ordre_couloir"
                        + colonnes + ") SELECT (SELECT max(AutoNum) FROM Rcomp), 6, Num, Code_club, 1, 11.2345, 1102, "
                        "'F', 1, 4, 1" + temps + " FROM Licence";
        if (parcours.contains("sans profil"))
            requetes << "DELETE FROM Profil";
        for (const QString& sql : requetes)
            QVERIFY2(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK,
                     qPrintable(sql + " : " + sqlite3_errmsg(db)));
        sqlite3_close(db);
    }
    const auto ouvrir = [&] {
        QVERIFY(s.ouvrir(chemin));
        QVERIFY(!strNumProfil.isEmpty());
        s.ihm.effacer();
    };
    if (!parcours.contains("ouvrir"))
        ouvrir();

    QMdiArea* zone = s.fenetre->zoneFenetres();
    QStringList dialogues; // those shown off the screen, and what they cut
    // Shown as the desktop's port shows it: centred on its parent, within the screen, as wide as
    // its controls need.
    const auto verifier_dialogue = [&dialogues](QDialog& d) {
        Elargir_au_contenu(&d);
        d.show();
        Traiter_evenements();
        if (!d.screen()->availableGeometry().contains(d.frameGeometry()))
            dialogues << d.windowTitle() + " : " + Decrire(d.frameGeometry());
        for (const QString& defaut : Controles_debordants(&d) + Valeurs_coupees(&d))
            dialogues << d.windowTitle() + " : " + defaut;
        d.grab().save(kCaptures + "/" + QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_') + "_"
                      + d.objectName() + ".png");
    };
    for (const QString& pas : parcours) {
        if (pas == "sans profil") {
            continue;
        } else if (pas == "ouvrir") {
            ouvrir();
            if (QTest::currentTestFailed())
                return;
        } else if (pas.startsWith("mnu")) {
            QVERIFY2(s.declencher(qPrintable(pas)), qPrintable(pas));
        } else if (pas == "ligne") {
            auto* liste = Controle<QTreeWidget>(zone, QString());
            QVERIFY2(liste && liste->topLevelItemCount() > 0, "une liste avec une ligne");
            const QPoint centre = liste->visualItemRect(liste->topLevelItem(0)).center();
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
        } else if (pas.startsWith("clic:")) {
            auto* bouton = Controle<QAbstractButton>(zone, pas.mid(5));
            QVERIFY2(bouton && bouton->isEnabled(), qPrintable(pas + (bouton ? " grisé" : " absent")));
            // A box stretched along its row takes clicks on its mark and its words only.
            const QPoint point = qobject_cast<QCheckBox*>(bouton) ? QPoint(7, bouton->height() / 2) : bouton->rect().center();
            QTest::mouseClick(bouton, Qt::LeftButton, {}, point);
        } else if (pas.startsWith("onglet:")) {
            const QStringList p = pas.split(':');
            auto* onglets = Controle<QTabWidget>(zone, p[1]);
            QVERIFY2(onglets, qPrintable(pas));
            QTabBar* barre = onglets->tabBar();
            QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(p[2].toInt()).center());
        } else if (pas.startsWith("cocher:")) {
            auto* liste = Controle<QTreeWidget>(zone, pas.mid(7));
            QVERIFY2(liste && liste->topLevelItemCount() > 0, qPrintable(pas));
            liste->setFocus();
            for (int i = 0; i < liste->topLevelItemCount(); ++i) {
                liste->setCurrentItem(liste->topLevelItem(i), 0);
                QTest::keyClick(liste, Qt::Key_Space, {}, ' ');
            }
        } else if (pas == "attendre") {
            QTest::qWait(1000);
        } else if (pas.startsWith("modal:")) {
            s.ihm.repondreModal([verifier_dialogue, texte = pas.mid(6)](QDialog& d) {
                d.findChild<QLineEdit*>()->setText(texte);
                verifier_dialogue(d);
                d.findChild<QAbstractButton*>("Command1_0")->click();
                return d.result();
            });
        } else if (pas.startsWith("modal-clic:")) {
            s.ihm.repondreModal([verifier_dialogue, nom = pas.mid(11)](QDialog& d) {
                verifier_dialogue(d);
                if (auto* bouton = d.findChild<QAbstractButton*>(nom))
                    bouton->click();
                else
                    d.reject();
                return d.result();
            });
        }
        Traiter_evenements();
    }
    QVERIFY2(s.ihm.toutConsomme(), qPrintable(s.ihm.textes().join(" | ")));
    QVERIFY2(dialogues.isEmpty(), qPrintable(dialogues.join(" | ")));

    const QList<QMdiSubWindow*> cadres = Cadres_visibles(zone);
    const bool ouverte = std::any_of(cadres.begin(), cadres.end(), [&](QMdiSubWindow* c) {
        return c->widget() && c->widget()->metaObject()->className() == fenetre;
    });
    QVERIFY2(ouverte, qPrintable(fenetre + " n'est pas ouverte ; messages : " + s.ihm.messages().join(" | ")));
    s.fenetre->grab().save(kCaptures + "/" + QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_') + ".png");

    const QRect visible = zone->viewport()->rect();
    for (QMdiSubWindow* cadre : cadres) {
        const QString classe = cadre->widget()->metaObject()->className();
        QVERIFY2(visible.contains(cadre->geometry()),
                 qPrintable(QString("%1 : %2 hors de la zone visible %3")
                                .arg(classe, Decrire(cadre->geometry()), Decrire(visible))));
        const QStringList hors = Controles_debordants(cadre->widget());
        QVERIFY2(hors.isEmpty(), qPrintable(classe + " : " + hors.join(" | ")));
        const QStringList coupees = Valeurs_coupees(cadre->widget()) + Titre_coupe(cadre);
        QVERIFY2(coupees.isEmpty(), qPrintable(classe + " coupe : " + coupees.join(" | ")));
    }
    // What a user asked for is there to see.
    const QMap<QString, QStringList> attendus = {
        {"résultats, temps intermédiaires", {"LsvResults", "1102", "11:23.45"}},
        {"suivi des performances, voir", {"LsvPerf", "11:23.45", "20 septembre 2025"}},
        {"records du club, voir", {"lsvRecords", "16:05.12", "20 septembre 2025"}},
    };
    if (const QStringList attendu = attendus.value(QString::fromUtf8(QTest::currentDataTag())); !attendu.isEmpty()) {
        auto* liste = Controle<QTreeWidget>(zone, attendu[0]);
        QVERIFY2(liste, qPrintable(attendu[0]));
        for (const QString& valeur : attendu.mid(1))
            QVERIFY2(Contient(liste, valeur), qPrintable(attendu[0] + " sans " + valeur));
    }
    // The points table grows to its full height only where the area holds it.
    if (fenetre == "frm_calpts" && QString::fromUtf8(QTest::currentDataTag()).endsWith("table")) {
        QMdiSubWindow* cadre = cadres.first();
        QCOMPARE(cadre->height(), std::min(Twips_en_pixels(11295), visible.height()));
    }
    // The main window holds the largest window where the screen has room.
    QVERIFY2(visible.width() >= TaillePlusGrandeFenetre.width() && visible.height() >= TaillePlusGrandeFenetre.height(),
             qPrintable("zone visible " + Decrire(visible)));
}

int main(int argc, char** argv)
{
    // The offscreen platform takes its screen from a file.
    QTemporaryDir dossier;
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (plateforme.isEmpty() || plateforme == "offscreen") {
        QFile config(dossier.filePath("ecran.json"));
        if (!config.open(QIODevice::WriteOnly))
            return 1;
        config.write(QString(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": %1, "height": %2}]})")
                         .arg(kEcran.width())
                         .arg(kEcran.height())
                         .toUtf8());
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    }
    QApplication app(argc, argv);
    TstFenetresAPortee test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fenetres_a_portee.moc"
