// The licence commands of the main window: each list in its mode with its locks, the new
// licence, the licences without fee with the tariff pop-up of the main window, the report.

#include "clubs_licences/det_licence.h"
#include "clubs_licences/frm_liste_licence.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/frm_principal.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString clubA = "FRA1320021234";


template <class T>
T* Fenetre_ouverte(FrmPrincipal& f)
{
    for (QMdiSubWindow* s : f.zoneFenetres()->subWindowList()) {
        if (auto* w = qobject_cast<T*>(s->widget()))
            return w;
    }
    return nullptr;
}

} // namespace

class TstMenusLicences : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listes_data();
    void listes();
    void nouvelleLicence();
    void licencesSansCotisation();
    void rapport();
    void fenetrePrincipaleLogeLesFenetres();

private:
    ReglagesTest m_reglages;
    std::unique_ptr<BaseTest> m_base;
    std::unique_ptr<PortIhmTest> m_ihm;
    std::unique_ptr<FrmPrincipal> m_principale;
};

void TstMenusLicences::init()
{
    m_principale.reset();
    m_ihm.reset();
    m_base.reset();
    m_base = std::make_unique<BaseTest>();
    m_ihm = std::make_unique<PortIhmTest>();
    m_ihm->accepterMessagesOk(true);
    strCodeClub = clubA;
    strNomClub = "Club A";
    strNomProfil = "Profil A";
    bClubSelection = false;
    m_base->executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + clubA + "', 'Club A')");
    m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Date_Naissance, Tarif) VALUES ('" + clubA
                     + "', '95123F', 'DUPONT', 'Jean', '19950703', '')");
    m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Date_Naissance, Tarif) VALUES ('" + clubA
                     + "', '96123F', 'MARTIN', 'Paul', '19960101', 'Adulte')");
    m_principale = std::make_unique<FrmPrincipal>();
    Initialiser_verrous_menus();
    Menus_base_ouverte();
}

void TstMenusLicences::listes_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<bool>("annuler");
    QTest::addColumn<QStringList>("verrouilles");

    const QStringList lecture = {"mnuBaseClubModif", "mnuBaseClubSuppr", "mnuBaseClubConfig", "mnuBaseProfilModif",
                                 "mnuBaseProfilSuppr", "mnuBaseProfilChange", "mnuLicNew", "mnuLicImport",
                                 "mnuLicListe", "mnuLicModif", "mnuLicSuppr"};
    const QStringList ecriture = lecture + QStringList {"mnuLicExp", "mnuLicPrint", "mnuEngagIndiv", "mnuEngagRelais",
                                                        "mnuEngagDisk", "mnuEngagConvoc", "mnuEngagBordereau",
                                                        "mnuModeleEngagNew", "mnuModeleEngagView",
                                                        "mnuModeleEngagModif"};
    QTest::newRow("liste") << "mnuLicListe" << "Liste des Licences" << "View" << "" << false << lecture;
    QTest::newRow("modifier") << "mnuLicModif" << "Modifier Licences" << "Modif" << "&Modifier" << false << ecriture;
    QTest::newRow("supprimer") << "mnuLicSuppr" << "Supprimer Licences" << "Suppr" << "&Supprimer" << true << ecriture;
}

void TstMenusLicences::listes()
{
    QFETCH(QString, menu);
    QFETCH(QString, titre);
    QFETCH(QString, mode);
    QFETCH(QString, bouton);
    QFETCH(bool, annuler);
    QFETCH(QStringList, verrouilles);

    Menu(menu)->trigger();
    auto* liste = Fenetre_ouverte<frm_liste_licence>(*m_principale);
    QVERIFY(liste);
    QCOMPARE(liste->windowTitle(), titre);
    QCOMPARE(liste->strAction, mode);
    QCOMPARE(liste->Cmd[2]->isHidden(), bouton.isEmpty());
    QCOMPARE(liste->Cmd[2]->text(), bouton);
    QCOMPARE(liste->Cmd[1]->isEnabled(), annuler);
    QCOMPARE(Nombre_lignes(liste->lsv_licence), 2);
    for (const QString& m : verrouilles)
        QVERIFY2(!Menu(m)->isEnabled(), qPrintable(m));
    QVERIFY(Menu("mnuBaseClubNew")->isEnabled());
    QCOMPARE(Menu("mnuLicPrint")->isEnabled(), !verrouilles.contains("mnuLicPrint"));

    if (mode == "Suppr") {
        QTest::keyClick(liste->lsv_licence, Qt::Key_Delete);
        QCOMPARE(m_base->valeur("SELECT count(*) FROM Licence WHERE Visible = true"), QString("1"));
    }
    // The close box of the document window: a pending deletion is undone.
    Cadre_fenetre(liste)->close();
    Traiter_evenements();
    QVERIFY(!Fenetre_ouverte<frm_liste_licence>(*m_principale));
    QCOMPARE(m_base->valeur("SELECT count(*) FROM Licence WHERE Visible = true"), QString("2"));
    for (const QString& m : verrouilles)
        QVERIFY2(Menu(m)->isEnabled(), qPrintable(m));
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstMenusLicences::nouvelleLicence()
{
    Menu("mnuLicNew")->trigger();
    auto* detail = Fenetre_ouverte<det_licence>(*m_principale);
    QVERIFY(detail);
    QCOMPARE(detail->windowTitle(), QString("Nouvelle Licence"));
    QCOMPARE(detail->strAction, QString("Nouveau"));
    for (const char* m : {"mnuLicNew", "mnuLicListe", "mnuLicModif", "mnuLicSuppr", "mnuEngagIndiv",
                          "mnuModeleEngagNew", "mnuModeleEngagModif", "mnuBaseClubModif", "mnuBaseProfilChange"})
        QVERIFY2(!Menu(m)->isEnabled(), m);
    QVERIFY(Menu("mnuLicPrint")->isEnabled());
    detail->Command1[1]->click();
    Traiter_evenements();
    QVERIFY(Menu("mnuLicNew")->isEnabled() && Menu("mnuEngagIndiv")->isEnabled());
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstMenusLicences::licencesSansCotisation()
{
    // No tariff yet: refused, nothing opened.
    Menu("mnuBaseClubCotisationUnknown")->trigger();
    QCOMPARE(m_ihm->messages(), QStringList {"Vous devez d'abord définir au moins un tarif."});
    QVERIFY(!Fenetre_ouverte<frm_liste_licence>(*m_principale));

    m_base->executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + clubA + "', 'Adulte', 120)");
    Menu("mnuBaseClubCotisationUnknown")->trigger();
    auto* liste = Fenetre_ouverte<frm_liste_licence>(*m_principale);
    QVERIFY(liste);
    QCOMPARE(liste->windowTitle(), QString("Licences sans cotisation"));
    QCOMPARE(liste->strAction, QString("SsCotisation"));
    QCOMPARE(Nombre_lignes(liste->lsv_licence), 1);
    // The pop-up is the main window's, its tariff items added for as long as the list is open.
    QMenu* tarifs = m_principale->menuTarifs();
    QCOMPARE(liste->Menu_tarifs(), tarifs);
    QCOMPARE(tarifs->actions().size(), 2);
    QCOMPARE(tarifs->actions().at(1)->objectName(), QString("mnuTarifsSel_1"));

    m_ihm->repondreMenu([](QMenu& m) { return m.findChild<QAction*>("mnuTarifsSel_1"); });
    QTreeWidgetItem* ligne = Ligne(liste->lsv_licence, 1);
    QTest::mouseClick(liste->lsv_licence->viewport(), Qt::RightButton, {},
                      liste->lsv_licence->visualItemRect(ligne).center());
    liste->Cmd[0]->click();
    Traiter_evenements();
    QCOMPARE(m_base->valeur("SELECT Tarif FROM Licence WHERE Nom = 'DUPONT'"), QString("Adulte"));
    QCOMPARE(tarifs->actions().size(), 1);
    QCOMPARE(tarifs->actions().at(0)->objectName(), QString("mnuTarifsSel_0"));
}

void TstMenusLicences::rapport()
{
    const QString pdf = m_base->repertoire().fichier("rapport.pdf");
    m_ihm->repondreImprimante(false);
    Menu("mnuLicPrint")->trigger();
    QVERIFY(!QFile::exists(pdf));
    m_ihm->repondreImprimante(true, pdf);
    Menu("mnuLicPrint")->trigger();
    QVERIFY(QFile(pdf).size() > 1000);
    QVERIFY(m_ihm->messages().isEmpty());
}

// At its default size on a screen with room, the main window shows every menu and holds the
// largest child windows; the document area scrolls to what lies outside it.
void TstMenusLicences::fenetrePrincipaleLogeLesFenetres()
{
    m_principale->showNormal();
    Traiter_evenements();
    const QSize pourtour = m_principale->size() - m_principale->zoneFenetres()->viewport()->size();
    const std::optional<QRect> defaut = Placement_principal_defaut(QRect(0, 0, 1920, 1040), pourtour);
    QVERIFY(defaut);
    m_principale->resize(defaut->size());
    strNumProfil = "1";
    Menus_base_ouverte();
    QMenuBar* barre = m_principale->menuBar();
    for (QAction* menu : barre->actions())
        QVERIFY2(barre->rect().contains(barre->actionGeometry(menu)), qPrintable(menu->text()));

    QMdiArea* zone = m_principale->zoneFenetres();
    QCOMPARE(zone->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(zone->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    Menu("mnuLicListe")->trigger();
    auto* liste = Fenetre_ouverte<frm_liste_licence>(*m_principale);
    QVERIFY(liste);
    liste->Cmd[3]->click(); // the criteria
    QVERIFY(liste->frm_crit->isVisible());
    Traiter_evenements();
    QWidget* cadre = Cadre_fenetre(liste);
    QVERIFY2(zone->viewport()->rect().contains(QRect(cadre->pos(), cadre->size().expandedTo(cadre->minimumSizeHint()))),
             qPrintable(QString("%1x%2 dans %3x%4").arg(cadre->width()).arg(cadre->height()).arg(zone->viewport()->width()).arg(zone->viewport()->height())));
    QPointer<det_licence> detail;
    Ouvrir_det_licence(detail, nullptr, "Nouveau", "Nouvelle Licence", QString());
    QWidget* cadreDetail = Cadre_fenetre(detail);
    QVERIFY(cadreDetail->width() <= zone->viewport()->width() && cadreDetail->height() <= zone->viewport()->height());
    detail->close();

    // A window moved out of the area is reached by the scroll bars.
    cadre->move(zone->viewport()->width() - 50, 0);
    Traiter_evenements();
    QVERIFY(zone->horizontalScrollBar()->isVisible());
    strNumProfil.clear();
}

QTEST_MAIN(TstMenusLicences)
#include "tst_menus_licences.moc"
