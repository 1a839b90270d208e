// The main window: menus by base state, placement through the settings, closing, status bar.

#include "core/globales.h"
#include "core/services.h"
#include "shell/demarrage.h"
#include "shell/frm_principal.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "fixtures.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// Leaf items a user can reach: enabled and visible, under menus that are all enabled and visible.
QStringList Articles_accessibles(QMenuBar* barre)
{
    QStringList accessibles;
    std::function<void(QMenu*)> parcourir = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isEnabled() || !a->isVisible())
                continue;
            if (a->menu())
                parcourir(a->menu());
            else
                accessibles << a->objectName();
        }
    };
    for (QAction* a : barre->actions()) {
        if (a->isEnabled() && a->isVisible() && a->menu())
            parcourir(a->menu());
    }
    accessibles.sort();
    return accessibles;
}

QStringList Tous_les_articles(QMenuBar* barre)
{
    QStringList tous;
    std::function<void(QMenu*)> parcourir = [&](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible())
                continue;
            if (a->menu())
                parcourir(a->menu());
            else
                tous << a->objectName();
        }
    };
    for (QAction* a : barre->actions())
        parcourir(a->menu());
    tous.sort();
    return tous;
}

} // namespace

class TstFrmPrincipal : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QSettings().clear();
        intNbFenetres = 0;
    }

    // At start only New, Open, Delete, Quit and the "?" items can be used.
    void menusSansBase()
    {
        FrmPrincipal f;
        QCOMPARE(Articles_accessibles(f.menuBar()),
                 QStringList({"mnuBaseNew", "mnuBaseOpen", "mnuBaseSuppr", "mnuExit", "mnuHelpInfo", "mnuMajBase",
                              "mnuMajLogiciel"}));
        for (const char* nom : {"mnuBaseClub", "mnuLicence", "mnuCompet", "mnuModele", "mnuPerf", "mnuOutils"})
            QVERIFY2(!Menu(nom)->isEnabled(), nom);
        QVERIFY(Menu("mnuBase")->isEnabled());
        QVERIFY(Menu("mnuHelp")->isEnabled());
    }

    // With a base open and its profile loaded everything visible is reachable but New and Open;
    // closing goes back.
    void menusAvecBasePuisFermee()
    {
        FrmPrincipal f;
        strNumProfil = "1";
        Menus_base_ouverte();
        QStringList attendus = Tous_les_articles(f.menuBar());
        attendus.removeAll("mnuBaseNew");
        attendus.removeAll("mnuBaseOpen");
        QCOMPARE(Articles_accessibles(f.menuBar()), attendus);
        QVERIFY(attendus.contains("mnuBaseProfilChange"));
        QVERIFY(attendus.contains("mnuPerfOrdiParam"));

        Menus_base_fermee();
        QCOMPARE(Articles_accessibles(f.menuBar()).size(), 7);

        // Without a profile what works for a club stays locked.
        strNumProfil.clear();
        Menus_base_ouverte();
        for (const char* nom : {"mnuLicence", "mnuCompet", "mnuModele", "mnuPerf"})
            QVERIFY2(!Menu(nom)->isEnabled(), nom);
        QVERIFY(Menu("mnuBaseProfilChange")->isEnabled() && Menu("mnuBaseProfil")->isEnabled());
    }

    // The base state leaves alone the items the menu locks own.
    void etatBaseNeTouchepasAuxVerrous()
    {
        FrmPrincipal f;
        Menu("mnuLicNew")->setEnabled(false);
        strNumProfil = "1";
        Menus_base_ouverte();
        strNumProfil.clear();
        QVERIFY(!Menu("mnuLicNew")->isEnabled());
        QVERIFY(Menu("mnuLicence")->isEnabled());
    }

    void arbreDesMenus()
    {
        FrmPrincipal f;
        QStringList barre;
        for (QAction* a : f.menuBar()->actions())
            barre << a->objectName() + "=" + a->text();
        QCOMPARE(barre, QStringList({"mnuBase=&Base", "mnuBaseClub=&Club", "mnuLicence=&Licence",
                                     "mnuCompet=&Compétition", "mnuModele=&Modèles", "mnuPerf=&Performances",
                                     "mnuOutils=&Outils", "mnuHelp=&?"}));
        QCOMPARE(Menu("mnuBaseNew")->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(Menu("mnuBaseOpen")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(Menu("mnuBaseSave")->shortcut(), QKeySequence("Ctrl+S"));
        for (const char* cache : {"mnuBaseClubConfigRapport", "mnuPerfRec"})
            QVERIFY2(!Menu(cache)->isVisible(), cache);
        QVERIFY(Menu("mnuPerfOrdiTjsVisible")->isCheckable());
        QCOMPARE(Menu("mnuBaseClubCotisationUnknown")->text(), QString("&Listing cotisation manquante"));
        QCOMPARE(Menu("mnuOutilsCalculPointEquipe")->text(), QString("Calcul points équipe &interclubs"));
        // Every name is found once, so the menu locks reach the right item.
        QCOMPARE(f.findChildren<QAction*>("mnuLicPrint").size(), 1);
        QCOMPARE(Tous_les_articles(f.menuBar()).size(), 74);

        QMenu* tarifs = f.menuTarifs();
        QVERIFY(tarifs);
        QVERIFY(!f.menuBar()->actions().contains(tarifs->menuAction()));
        QCOMPARE(tarifs->actions().size(), 1);
        QCOMPARE(tarifs->actions()[0]->objectName(), QString("mnuTarifsSel_0"));
        QCOMPARE(tarifs->actions()[0]->text(), QString("Aucun"));
    }

    void barreOutilsEtBarreEtat()
    {
        FrmPrincipal f;
        auto* barre = f.findChild<QToolBar*>("tbToolBar");
        QVERIFY(barre);
        QStringList textes;
        for (QAction* a : barre->actions()) {
            textes << a->text();
            QCOMPARE(a->toolTip(), a->text());
        }
        QCOMPARE(textes, QStringList({"Ouvrir", "Enregistrer", "Imprimer", "Nouveau", "Supprimer", "Caméra",
                                      "Rechercher", "Tri croissant", "Tri décroissant"}));
        // Its buttons do nothing: it is not shown, nor offered by the bars' context menu.
        f.show();
        QVERIFY(!barre->isVisible());
        std::unique_ptr<QMenu> offerts(f.createPopupMenu());
        QVERIFY(!offerts || !offerts->actions().contains(barre->toggleViewAction()) || !barre->toggleViewAction()->isVisible());

        Afficher_statut("Ouverture de la base");
        QCOMPARE(f.findChild<QLabel*>("sbStatusBar_2")->text(), QString("Ouverture de la base"));
        f.Ecrire_panneau_profil("Profil : Principal (Club)");
        QCOMPARE(f.findChild<QLabel*>("sbStatusBar_1")->text(), QString("Profil : Principal (Club)"));
        Services::fixerAujourdhui(QDate(2024, 9, 16));
        QTRY_COMPARE(f.findChild<QLabel*>("sbStatusBar_3")->text(), QString("16/09/2024"));
        Services::fixerAujourdhui(QDate());
        QVERIFY(!f.findChild<QLabel*>("sbStatusBar_4")->text().isEmpty());
    }

    // Once the window is gone the step texts go nowhere instead of into a dead label.
    void statutApresFermeture()
    {
        { FrmPrincipal f; }
        Afficher_statut("Après");
    }

    // Room for the largest child window inside the menus and status bar, frame included, when
    // the screen has it; none (maximized) otherwise.
    void placementParDefaut_data()
    {
        QTest::addColumn<QRect>("dispo");
        QTest::addColumn<QRect>("attendu"); // null: maximized
        const QSize pourtour(4, 60);
        const QSize taille = TaillePlusGrandeFenetre + pourtour;
        QTest::newRow("grand écran") << QRect(0, 0, 1920, 1040) << QRect(QPoint(20, 20), taille);
        QTest::newRow("second écran") << QRect(1920, 30, 1920, 1050) << QRect(QPoint(1940, 50), taille);
        QTest::newRow("juste la place") << QRect(0, 0, taille.width() + 16, taille.height() + 40)
                                        << QRect(QPoint(0, 0), taille);
        QTest::newRow("un point trop étroit") << QRect(0, 0, taille.width() + 15, 1040) << QRect();
        QTest::newRow("1366 x 768 moins un panneau") << QRect(0, 30, 1366, 738) << QRect();
        QTest::newRow("écran inconnu") << QRect() << QRect(QPoint(20, 20), taille);
    }

    void placementParDefaut()
    {
        QFETCH(QRect, dispo);
        QFETCH(QRect, attendu);
        QCOMPARE(Placement_principal_defaut(dispo, QSize(4, 60)).value_or(QRect()), attendu);
    }

    void placementLu_data()
    {
        QTest::addColumn<QStringList>("valeurs"); // MainLeft, MainTop, MainWidth, MainHeight; "" = absent
        QTest::addColumn<QRect>("attendu");
        QTest::addColumn<bool>("agrandie");
        // The offscreen screen (800 x 600) is too small for the largest child window: a first start
        // opens maximized, over the screen less the window manager's frame when put back.
        const QRect dispo = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect repli(dispo.topLeft(), dispo.size() - QSize(16, 40));
        QTest::newRow("défauts") << QStringList{"", "", "", ""} << repli << true;
        QTest::newRow("enregistré") << QStringList{"1500", "1200", "9000", "7500"} << QRect(100, 80, 600, 500) << false;
        QTest::newRow("décimales") << QStringList{"1500.4", "1200,2", "9000", "7500"} << QRect(100, 80, 600, 500)
                                   << false;
        QTest::newRow("illisible") << QStringList{"abc", "", "large", "7500"}
                                   << QRect(repli.topLeft(), QSize(repli.width(), 500)) << false;
        // A placement beyond the screen comes back onto it.
        QTest::newRow("hors écran") << QStringList{"90000", "90000", "3000", "3000"} << QRect(0, 0, 200, 200) << false;
        // Larger than the screen, it is fitted to it, status bar in sight.
        QTest::newRow("plus grand que l'écran") << QStringList{"0", "0", "30000", "15000"} << repli << false;
        QTest::newRow("trop haute") << QStringList{"1500", "1200", "9000", "15000"}
                                    << QRect(100, dispo.bottom() + 1 - repli.height(), 600, repli.height()) << false;
    }

    void placementLu()
    {
        QFETCH(QStringList, valeurs);
        QFETCH(QRect, attendu);
        QFETCH(bool, agrandie);
        {
            QSettings s;
            s.beginGroup("Settings");
            const char* cles[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
            for (int i = 0; i < 4; ++i) {
                if (!valeurs[i].isEmpty())
                    s.setValue(cles[i], valeurs[i]);
            }
        }
        FrmPrincipal f;
        QCOMPARE(QRect(f.pos(), f.size()), attendu);
        QCOMPARE(f.isMaximized(), agrandie);
    }

    void placementSauveALaFermeture()
    {
        {
            FrmPrincipal f;
            f.show();
            f.move(150, 90);
            f.resize(540, 420);
            QVERIFY(f.close());
        }
        QSettings s;
        s.beginGroup("Settings");
        QCOMPARE(s.value("MainLeft").toString(), QString("2250"));
        QCOMPARE(s.value("MainTop").toString(), QString("1350"));
        QCOMPARE(s.value("MainWidth").toString(), QString("8100"));
        QCOMPARE(s.value("MainHeight").toString(), QString("6300"));
        FrmPrincipal g;
        QCOMPARE(QRect(g.pos(), g.size()), QRect(150, 90, 540, 420));
    }

    // A list that widens the main window for a long value does so for this session only: what is
    // saved is the size the user gave, or the one he gives it afterwards.
    void elargiePourUneListeSauveLaTailleDonnee()
    {
        for (const bool retouchee : {false, true}) {
            {
                FrmPrincipal f;
                f.show();
                QVERIFY(QTest::qWaitForWindowExposed(&f));
                f.showNormal();
                f.move(100, 50);
                f.resize(540, 420);
                QCoreApplication::processEvents();
                QCOMPARE(f.width(), 540);
                auto* fenetre = new QWidget;
                auto* disposition = new QVBoxLayout(fenetre);
                QTreeWidget* liste = Creer_liste_rapport(fenetre, "liste", {"Code Club", "Libellé Club"});
                disposition->addWidget(liste);
                Afficher_fenetre(fenetre);
                QCoreApplication::processEvents();
                Ajouter_ligne(liste, {"FRA1320021234", QString(240, QChar('M'))});
                QTest::qWait(50);
                QVERIFY2(f.width() > 540, qPrintable(QString::number(f.width())));
                if (retouchee)
                    f.resize(560, 450);
                QVERIFY(f.close());
            }
            QSettings s;
            s.beginGroup("Settings");
            QCOMPARE(s.value("MainWidth").toString(), QString::number((retouchee ? 560 : 540) * 15));
            QCOMPARE(s.value("MainHeight").toString(), QString::number((retouchee ? 450 : 420) * 15));
            if (!retouchee)
                QCOMPARE(s.value("MainLeft").toString(), QString("1500"));
        }
    }

    void agrandieRouvreAgrandie()
    {
        for (const bool agrandie : {true, false}) {
            {
                FrmPrincipal f;
                f.showNormal();
                f.move(150, 90);
                f.resize(540, 420);
                if (agrandie)
                    f.showMaximized();
                QCoreApplication::processEvents();
                QVERIFY(f.close());
            }
            FrmPrincipal g;
            QCOMPARE(g.isMaximized(), agrandie);
        }
    }

    void reduiteGardeLePlacementPrecedent()
    {
        {
            QSettings s;
            s.beginGroup("Settings");
            s.setValue("MainLeft", "3000");
        }
        FrmPrincipal f;
        f.show();
        f.move(10, 10);
        f.showMinimized();
        QVERIFY(f.close());
        QSettings s;
        s.beginGroup("Settings");
        QCOMPARE(s.value("MainLeft").toString(), QString("3000"));
        QVERIFY(!s.contains("MainWidth"));
    }

    void fermetureRefuseeAvecFenetreOuverte()
    {
        FrmPrincipal f;
        f.show();
        intNbFenetres = 1;
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());
        QVERIFY(!QSettings().contains("Settings/MainLeft"));
        intNbFenetres = 0;
        QVERIFY(f.close());
    }

    void boutonsStandardEnFrancais()
    {
        QVERIFY(Installer_traductions_francaises());
        QMessageBox boite;
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(boite.button(QMessageBox::Yes)->text().remove('&'), QString("Oui"));
        QCOMPARE(boite.button(QMessageBox::No)->text().remove('&'), QString("Non"));
        QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove('&'), QString("Annuler"));
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstFrmPrincipal)
#include "tst_frm_principal.moc"
