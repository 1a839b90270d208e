// The performance monitor: the main window's commands, the settings window, and our component.

#include "components/moniteur/mesure_charge.h"
#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/frm_monitor_def.h"
#include "shell/frm_principal.h"
#include "core/fenetres.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

// Stands for ComputerMonitor: keeps its properties and writes down every call.
struct EtatFaux {
    QStringList appels;
    int x = 0, y = 0, intervalle = 0;
    bool toujours = false;
    bool visible = false;
    int crees = 0;
};

class MoniteurFaux : public Composant {
public:
    explicit MoniteurFaux(EtatFaux& e) : m_e(e) { ++m_e.crees; }
    QVariant appeler(const QString& membre, const QVariantList& a) override
    {
        QStringList args;
        for (const QVariant& v : a)
            args << v.toString();
        m_e.appels << membre + "(" + args.join(",") + ")";
        if (membre == "ShowHideWindow")
            m_e.visible = a[0].toBool();
        else if (membre == "SetPosition")
            m_e.x = a[0].toInt(), m_e.y = a[1].toInt();
        else if (membre == "KillWindow")
            m_e.visible = false;
        else if (membre == "lgIntervalTimer")
            return a.isEmpty() ? m_e.intervalle : (m_e.intervalle = std::max(100, a[0].toInt()));
        else if (membre == "bMustBeAlwaysOpen")
            return a.isEmpty() ? m_e.toujours : (m_e.toujours = a[0].toBool());
        else if (membre == "lgPositionX")
            return a.isEmpty() ? m_e.x : (m_e.x = a[0].toInt());
        else if (membre == "lgPositionY")
            return a.isEmpty() ? m_e.y : (m_e.y = a[0].toInt());
        else
            throw ErreurExecution(438, membre);
        return {};
    }

private:
    EtatFaux& m_e;
};

} // namespace

class TstSuiviPerf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_faux = EtatFaux{};
        Composants::enregistrer("ComputerMonitor", [this] { return std::make_unique<MoniteurFaux>(m_faux); });
        lgPosXSuivi = 40;
        lgPosYSuivi = 30;
        lgIntervalSuivi = 0;
        bAlwaysVisibleSuivi = false;
        intNbFenetres = 0;
        m_fenetre = std::make_unique<FrmPrincipal>();
        Menus_base_ouverte();
    }

    void cleanup()
    {
        m_fenetre.reset();
        Composants::retirer_tout();
    }

    void masquerAvantAfficherNeFaitRien()
    {
        Menu("mnuPerfOrdiMasquer")->trigger();
        QCOMPARE(m_faux.crees, 0);
        QVERIFY(!m_fenetre->objDllSuivi());
    }

    // Shown with the profile's settings, then the monitor's own values come back into them.
    void afficherPuisMasquer()
    {
        Menu("mnuPerfOrdiAffiche")->trigger();
        QCOMPARE(m_faux.appels.mid(0, 4), QStringList({"ShowHideWindow(true)", "SetPosition(40,30)",
                                                       "lgIntervalTimer(0)", "bMustBeAlwaysOpen(false)"}));
        QVERIFY(m_faux.visible);
        QCOMPARE(lgIntervalSuivi, 100);
        QCOMPARE(lgPosXSuivi, 40);

        Menu("mnuPerfOrdiAffiche")->trigger();
        QCOMPARE(m_faux.crees, 1);
        Menu("mnuPerfOrdiMasquer")->trigger();
        QVERIFY(!m_faux.visible);
    }

    void composantIntrouvableSignale()
    {
        PortIhmTest port;
        port.accepterMessagesOk(true);
        Composants::enregistrer("ComputerMonitor", Composants::Fabrique());
        Menu("mnuPerfOrdiAffiche")->trigger();
        QCOMPARE(port.messages(), QStringList({"Impossible de charger la dll qv_moniteur.so !"}));
        QVERIFY(!m_fenetre->objDllSuivi());
    }

    // "Toujours visible" shows the monitor, keeps it open, locks show/hide and is saved alone.
    void toujoursVisibleDuMenu()
    {
        BaseTest base;
        base.executer("INSERT INTO Profil (Num, Libelle, bAlwaysVisibleSuivi, lgIntervalSuivi) VALUES (4, 'P', 0, 700)");
        strNumProfil = "4";
        Menu("mnuPerfOrdiTjsVisible")->trigger();
        QVERIFY(Menu("mnuPerfOrdiTjsVisible")->isChecked());
        QVERIFY(bAlwaysVisibleSuivi);
        QVERIFY(m_faux.visible);
        QVERIFY(m_faux.toujours);
        QVERIFY(!Menu("mnuPerfOrdiAffiche")->isEnabled());
        QVERIFY(!Menu("mnuPerfOrdiMasquer")->isEnabled());
        QCOMPARE(base.valeur("SELECT bAlwaysVisibleSuivi FROM Profil WHERE Num = 4"), QString("Vrai"));
        QCOMPARE(base.valeur("SELECT lgIntervalSuivi FROM Profil WHERE Num = 4"), QString("700"));

        Menu("mnuPerfOrdiTjsVisible")->trigger();
        QVERIFY(!m_faux.toujours);
        QVERIFY(Menu("mnuPerfOrdiAffiche")->isEnabled());
        QCOMPARE(base.valeur("SELECT bAlwaysVisibleSuivi FROM Profil WHERE Num = 4"), QString("Faux"));
    }

    void sauvegardeEchoueeSignalee()
    {
        PortIhmTest port;
        port.accepterMessagesOk(true);
        strNumProfil = "1"; // no base open
        Menu("mnuPerfOrdiTjsVisible")->trigger();
        QCOMPARE(port.messages().size(), 1);
        QVERIFY(port.messages()[0].startsWith("Une erreur s'est produite lors de la sauvegarde du paramètre.\r\n"));
        QVERIFY(bAlwaysVisibleSuivi);
    }

    void parametresSansComposant()
    {
        PortIhmTest port;
        port.accepterMessagesOk(true);
        lgIntervalSuivi = 1500;
        Menu("mnuPerfOrdiParam")->trigger();
        FrmMonitorDef* def = m_fenetre->fenetreParametresSuivi();
        QVERIFY(def && def->isVisible());
        for (const char* nom : {"mnuPerfOrdiParam", "mnuPerfOrdiAffiche", "mnuPerfOrdiMasquer", "mnuPerfOrdiTjsVisible"})
            QVERIFY2(!Menu(nom)->isEnabled(), nom);
        auto* intervalle = def->findChild<QLineEdit*>("txtParam_0");
        QCOMPARE(intervalle->text(), QString("1500"));
        QCOMPARE(def->findChild<QLineEdit*>("txtParam_1")->text(), QString("40"));

        def->findChild<QPushButton*>("Command1_0")->click();
        QCOMPARE(port.messages(), QStringList({"Le composant de suivi des performances n'est pas chargé.\r\n"
                                               "Impossible de récupérer les paramètres."}));
        QCOMPARE(intervalle->text(), QString("1500"));
        QCOMPARE(m_faux.crees, 0);

        // Digits only.
        intervalle->clear();
        QTest::keyClicks(intervalle, "12a-3");
        QCOMPARE(intervalle->text(), QString("123"));

        def->findChild<QPushButton*>("Command1_2")->click();
        QTRY_VERIFY(!m_fenetre->fenetreParametresSuivi());
        for (const char* nom : {"mnuPerfOrdiParam", "mnuPerfOrdiAffiche", "mnuPerfOrdiMasquer", "mnuPerfOrdiTjsVisible"})
            QVERIFY2(Menu(nom)->isEnabled(), nom);
    }

    // "&Get param" reads the running monitor; "&Sav" applies the boxes and writes all four.
    void parametresLusPuisSauves()
    {
        BaseTest base;
        base.executer("INSERT INTO Profil (Num, Libelle) VALUES (2, 'P')");
        strNumProfil = "2";
        Menu("mnuPerfOrdiAffiche")->trigger();
        m_faux.x = 77; // dragged by the user
        Menu("mnuPerfOrdiParam")->trigger();
        FrmMonitorDef* def = m_fenetre->fenetreParametresSuivi();
        def->findChild<QPushButton*>("Command1_0")->click();
        QCOMPARE(def->findChild<QLineEdit*>("txtParam_1")->text(), QString("77"));

        def->findChild<QLineEdit*>("txtParam_0")->setText("2500");
        def->findChild<QLineEdit*>("txtParam_2")->setText("15");
        def->findChild<QCheckBox*>("chkAlwaysVisible")->setChecked(true);
        m_faux.appels.clear();
        def->findChild<QPushButton*>("Command1_1")->click();
        QCOMPARE(lgIntervalSuivi, 2500);
        QCOMPARE(lgPosXSuivi, 77);
        QCOMPARE(lgPosYSuivi, 15);
        QVERIFY(bAlwaysVisibleSuivi);
        QVERIFY(m_faux.toujours);
        QCOMPARE(m_faux.appels.last(), QString("SetPosition(77,15)"));
        QCOMPARE(base.valeur("SELECT lgPosXSuivi || ';' || lgPosYSuivi || ';' || lgIntervalSuivi || ';' || "
                             "bAlwaysVisibleSuivi FROM Profil WHERE Num = 2"),
                 QString("77;15;2500;1"));
        QVERIFY(def->isVisible());

        // Unticking lets the monitor be closed again, as the menu item does.
        def->findChild<QCheckBox*>("chkAlwaysVisible")->setChecked(false);
        def->findChild<QPushButton*>("Command1_1")->click();
        QVERIFY(!m_faux.toujours);
        QVERIFY(!Menu("mnuPerfOrdiTjsVisible")->isChecked());
        QCOMPARE(base.valeur("SELECT bAlwaysVisibleSuivi FROM Profil WHERE Num = 2"), QString("Faux"));
    }

    // Unloading the monitor also closes its settings window, which belongs to the closing profile.
    void dechargerFermeLesParametres()
    {
        Menu("mnuPerfOrdiAffiche")->trigger();
        Menu("mnuPerfOrdiParam")->trigger();
        QVERIFY(m_fenetre->fenetreParametresSuivi());
        m_fenetre->Decharger_suivi_perf();
        QTRY_VERIFY(!m_fenetre->fenetreParametresSuivi());
        QVERIFY(!m_fenetre->objDllSuivi());
        QCOMPARE(m_faux.appels.mid(m_faux.appels.size() - 2),
                 QStringList({"bMustBeAlwaysOpen(false)", "KillWindow()"}));
    }

    void fermetureDeLaFenetrePrincipaleDecharge()
    {
        Menu("mnuPerfOrdiAffiche")->trigger();
        QVERIFY(m_fenetre->close());
        QCOMPARE(m_faux.appels.last(), QString("KillWindow()"));
        QVERIFY(!m_fenetre->objDllSuivi());
    }

    // The real library: members by name, the interval's floor, an unknown member refused.
    void composantReel()
    {
        Composants::retirer_tout();
        std::unique_ptr<Composant> c = Composants::creer("ComputerMonitor");
        QVERIFY(c);
        c->appeler("ShowHideWindow", {true});
        c->appeler("SetPosition", {25, 35});
        QCOMPARE(c->appeler("lgPositionX", {}).toInt(), 25);
        QCOMPARE(c->appeler("lgPositionY", {}).toInt(), 35);
        QCOMPARE(c->appeler("lgIntervalTimer", {0}).toInt(), 100);
        c->appeler("bMustBeAlwaysOpen", {true});
        QWidget* w = nullptr;
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == "ComputerMonitor")
                w = t;
        QVERIFY(w && w->isVisible());
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        c->appeler("bMustBeAlwaysOpen", {false});
        c->appeler("KillWindow", {});
        QVERIFY_THROWS_EXCEPTION(ErreurExecution, c->appeler("Inconnu", {}));
        QVERIFY_THROWS_EXCEPTION(ErreurExecution, c->appeler("SetPosition", {1}));
        QCOMPARE(c->appeler("lgPositionX", {}).toInt(), 25);
    }

    void mesures_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<int>("charge");
        QTest::newRow("moitié") << QByteArray("cpu  100 0 100 700 100 0 0 0 0 0\ncpu0 1 2 3 4\n")
                                << QByteArray("cpu  150 0 150 790 110 0 0 0 50 0\n") << 50;
        QTest::newRow("inactif") << QByteArray("cpu 10 0 0 90 0 0 0 0\n") << QByteArray("cpu 10 0 0 190 0 0 0 0\n") << 0;
        QTest::newRow("sans écart") << QByteArray("cpu 10 0 0 90\n") << QByteArray("cpu 10 0 0 90\n") << -1;
        QTest::newRow("illisible") << QByteArray("intr 1 2 3\n") << QByteArray("cpu 10 0 0 90\n") << -1;
    }

    void mesures()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        QFETCH(int, charge);
        QCOMPARE(Charge_processeur(Lire_temps_processeur(avant), Lire_temps_processeur(apres)), charge);
    }

    void memoire()
    {
        QCOMPARE(Memoire_utilisee("MemTotal:       1000 kB\nMemFree:  100 kB\nMemAvailable:    250 kB\n"), 75);
        QCOMPARE(Memoire_utilisee("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 100 kB\nCached: 300 kB\n"), 50);
        QCOMPARE(Memoire_utilisee("MemFree: 100 kB\n"), -1);
        QVERIFY(Memoire_utilisee(QByteArray()) == -1);
    }

private:
    EtatFaux m_faux;
    std::unique_ptr<FrmPrincipal> m_fenetre;
};

QTEST_MAIN(TstSuiviPerf)
#include "tst_suivi_perf.moc"
