// Counted windows and menu locks: the counter and the menus come back to where they were
// whatever path closes a window, and an opener never takes locks twice.

#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/ouvreurs.h"
#include "port_test.h"

#include <QAction>
#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {
// A small counted window: a list and three buttons, as the list windows have them.
class FenetreDemo : public FenetreComptee {
public:
    FenetreDemo()
    {
        setObjectName("frm_demo");
        liste = new QTreeWidget(this);
        for (int i = 0; i < 3; ++i) {
            boutons[i] = new QPushButton(QString("B%1").arg(i), this);
            boutons[i]->setObjectName(QString("Command1_%1").arg(i));
        }
        Disposer_liste_boutons(this, liste, {boutons[2], boutons[0], boutons[1]});
        Fixer_taille_design(5205, 3915);
    }
    QTreeWidget* liste;
    QPushButton* boutons[3];
};

// A caller that keeps its child and hears when it closes.
class AppelantDemo : public FenetreComptee {
public:
    AppelantDemo() { setObjectName("frm_appelant"); }
    void ForceUnloadWindowsEngag(const QString& nom) override
    {
        entendus << nom;
        if (nom == "frm_demo")
            enfant.clear();
    }
    QStringList entendus;
    QPointer<FenetreDemo> enfant;
};

void vider_suppressions()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool actif(const char* menu)
{
    QAction* a = Menu(menu);
    return a && a->isEnabled();
}

const VerrousMenus verrousClub = VerrousMenus().groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
} // namespace

class TstFenetres : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void regleDeComptage_data();
    void regleDeComptage();
    void depassementRefuseSansRienChanger();
    void fenetresComptees();
    void fermetureParToutChemin_data();
    void fermetureParToutChemin();
    void ouvreurSurFenetreOuverteNeVerrouillePasDeuxFois();
    void fenetreDejaOuverte();
    void menusSelonLaBase();
    void afficherFormulaire();
    void sansFenetrePrincipale();
    void verrousDeLaListeDesModeles_data();
    void verrousDeLaListeDesModeles();
    void tailleDesignEtAncrage();
    void positionVisible_data();
    void positionVisible();
    void ouvertureDansLaZoneVisible();
    void elargiPourLeTitreSansPerdreLaMiseEnPage();

private:
    std::unique_ptr<QMainWindow> m_principale;
};

void TstFenetres::init()
{
    intNbFenetres = 0;
    Initialiser_verrous_menus();
    m_principale = std::make_unique<QMainWindow>();
    m_principale->setCentralWidget(new QMdiArea);
    QMenu* club = m_principale->menuBar()->addMenu("&Club");
    club->setObjectName("mnuBaseClub");
    for (const QString& nom : Menus_du_groupe(GroupeVerrou::Club)) {
        if (nom == "mnuBaseClubConfig") {
            // A submenu found by the name of its menu.
            club->addMenu("Votre Club")->setObjectName(nom);
        } else {
            club->addAction(nom)->setObjectName(nom);
        }
    }
    for (const char* nom : {"mnuBaseOpen", "mnuBaseNew", "mnuBaseSuppr", "mnuCompet", "mnuBaseClose"})
        m_principale->menuBar()->addAction(nom)->setObjectName(nom);
    m_principale->resize(1000, 800);
    m_principale->show();
    frmPrincipal = m_principale.get();
}

void TstFenetres::cleanup()
{
    m_principale.reset();
    vider_suppressions();
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstFenetres::regleDeComptage_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<QList<int>>("compteurs");
    QTest::addColumn<QList<bool>>("actifs");
    // One menu (mnuBaseClubModif) through a sequence of deltas.
    QTest::newRow("deux fenetres, deux liberations")
        << QList<int>{1, 1, -1, -1} << QList<int>{1, 2, 1, 0} << QList<bool>{false, false, false, true};
    QTest::newRow("liberation jamais prise") << QList<int>{-1} << QList<int>{-1} << QList<bool>{true};
    QTest::newRow("delta nul sans effet") << QList<int>{1, 0} << QList<int>{1, 1} << QList<bool>{false, false};
}

void TstFenetres::regleDeComptage()
{
    QFETCH(QList<int>, deltas);
    QFETCH(QList<int>, compteurs);
    QFETCH(QList<bool>, actifs);
    for (qsizetype i = 0; i < deltas.size(); ++i) {
        Verrouiller_menus_club(0, 0, deltas[i], 0, 0);
        QCOMPARE(colVerrouClub[2], compteurs[i]);
        QCOMPARE(actif("mnuBaseClubModif"), actifs[i]);
    }
    QVERIFY(actif("mnuBaseClubNew"));
    // A delta of 0 leaves alone a menu whose state was changed meanwhile.
    Menu("mnuBaseClubNew")->setEnabled(false);
    Verrouiller_menus_club(0, 0, 0, 0, 0);
    QVERIFY(!actif("mnuBaseClubNew"));
}

void TstFenetres::depassementRefuseSansRienChanger()
{
    colVerrouClub[0] = 32767;
    try {
        Verrouiller_menus_club(0, 0, 1, 0, 1);
        Verrouiller_menus_club(1, 0, 0, 0, 0);
        QFAIL("16-bit overflow accepted");
    } catch (const ErreurExecution& e) {
        QCOMPARE(e.numero(), 6);
    }
    QCOMPARE(colVerrouClub, (CollectionCompteurs{32767, 0, 1, 0, 1}));
    colVerrouClub.removeLast();
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Verrouiller_menus_club(0, 0, 0, 0, 0));
}

void TstFenetres::fenetresComptees()
{
    QPointer<FenetreDemo> a, b;
    Ouverture ouverture;
    ouverture.verrous = verrousClub;
    ouverture.strAction = "Modif";
    ouverture.titre = "Modifier Clubs";
    Ouvrir_fenetre(a, ouverture);
    QVERIFY(a);
    QCOMPARE(a->strAction, QString("Modif"));
    QCOMPARE(a->windowTitle(), QString("Modifier Clubs"));
    QVERIFY(qobject_cast<QMdiSubWindow*>(a->parentWidget()));
    QCOMPARE(intNbFenetres, qint16(1));
    QVERIFY(Fenetre_ouverte());
    QVERIFY(!actif("mnuBaseClubModif"));
    QVERIFY(!actif("mnuBaseClubConfig"));
    QVERIFY(actif("mnuBaseClubNew"));

    Ouvrir_fenetre(b, ouverture);
    QCOMPARE(intNbFenetres, qint16(2));
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 2, 2, 2}));

    a->close();
    vider_suppressions();
    QVERIFY(!a);
    QCOMPARE(intNbFenetres, qint16(1));
    QVERIFY(!actif("mnuBaseClubModif"));

    b->close();
    vider_suppressions();
    QCOMPARE(intNbFenetres, qint16(0));
    QVERIFY(!Fenetre_ouverte());
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 0, 0, 0}));
    QVERIFY(actif("mnuBaseClubModif"));
    QVERIFY(actif("mnuBaseClubConfig"));
    // The window's frame went with it.
    QVERIFY(Zone_documents()->subWindowList().isEmpty());
}

void TstFenetres::fermetureParToutChemin_data()
{
    QTest::addColumn<int>("chemin");
    QTest::newRow("ses propres boutons") << 0;
    QTest::newRow("le cadre") << 1;
    QTest::newRow("detruite") << 2;
    QTest::newRow("la fenetre principale") << 3;
}

void TstFenetres::fermetureParToutChemin()
{
    QFETCH(int, chemin);
    auto* appelant = new AppelantDemo;
    Afficher_fenetre(appelant);
    Ouverture ouverture;
    ouverture.verrous = verrousClub;
    ouverture.appelant = appelant;
    FenetreDemo* demo = Ouvrir_fenetre<FenetreDemo>(appelant->enfant, ouverture, [](FenetreDemo& f) {
        f.boutons[2]->setText("&Modifier");
    });
    QCOMPARE(demo->frmCible.data(), static_cast<QWidget*>(appelant));
    QCOMPARE(demo->boutons[2]->text(), QString("&Modifier"));
    QCOMPARE(intNbFenetres, qint16(2));

    switch (chemin) {
    case 0: QVERIFY(demo->close()); break;
    case 1: QVERIFY(Cadre_fenetre(demo)->close()); break;
    case 2: delete Cadre_fenetre(demo); break;
    case 3: m_principale.reset(); break;
    }
    vider_suppressions();
    if (chemin != 3) {
        QVERIFY(!appelant->enfant);
        QCOMPARE(appelant->entendus, QStringList{"frm_demo"});
        QCOMPARE(intNbFenetres, qint16(1));
        appelant->close();
        vider_suppressions();
    }
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 0, 0, 0}));
}

void TstFenetres::ouvreurSurFenetreOuverteNeVerrouillePasDeuxFois()
{
    QPointer<FenetreDemo> ref;
    Ouverture premiere;
    premiere.verrous = verrousClub;
    premiere.strAction = "Modif";
    FenetreDemo* f = Ouvrir_fenetre(ref, premiere);
    Ouverture seconde = premiere;
    seconde.strAction = "Suppr";
    QCOMPARE(Ouvrir_fenetre(ref, seconde), f);
    QCOMPARE(f->strAction, QString("Modif"));
    QCOMPARE(intNbFenetres, qint16(1));
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 1, 1, 1}));
    QCOMPARE(Zone_documents()->activeSubWindow(), Cadre_fenetre(f));
    f->close();
    vider_suppressions();
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 0, 0, 0}));
    QVERIFY(actif("mnuBaseClubModif"));
}

void TstFenetres::fenetreDejaOuverte()
{
    PortIhmTest port;
    QVERIFY(!Fenetre_deja_ouverte(nullptr, false));
    QPointer<FenetreDemo> premiere, seconde;
    Ouvrir_fenetre(premiere, Ouverture{});
    Ouvrir_fenetre(seconde, Ouverture{});
    QCOMPARE(Zone_documents()->activeSubWindow(), Cadre_fenetre(seconde));

    QVERIFY(Fenetre_deja_ouverte(premiere, true));
    QVERIFY(port.appels().empty());
    QCOMPARE(Zone_documents()->activeSubWindow(), Cadre_fenetre(premiere));

    port.repondre(Reponse::Ok);
    QVERIFY(Fenetre_deja_ouverte(seconde, false));
    QCOMPARE(port.messages(), QStringList{"La fenêtre est déjà ouverte.\r\nTerminer la précédente opération."});
    QCOMPARE(port.appels().front().titre, QString("Information"));
    QCOMPARE(Zone_documents()->activeSubWindow(), Cadre_fenetre(seconde));
    premiere->close();
    seconde->close();
}

void TstFenetres::menusSelonLaBase()
{
    // A base without a current profile: what works for a club waits for one.
    Menus_base_ouverte();
    QVERIFY(!actif("mnuCompet") && actif("mnuBaseClose") && actif("mnuBaseClub"));
    strNumProfil = "1";
    Menus_base_ouverte();
    strNumProfil.clear();
    QVERIFY(!actif("mnuBaseOpen") && !actif("mnuBaseNew"));
    QVERIFY(actif("mnuCompet") && actif("mnuBaseClose") && actif("mnuBaseClub"));
    Menu("mnuBaseSuppr")->setEnabled(false);
    Menus_base_fermee();
    QVERIFY(actif("mnuBaseOpen") && actif("mnuBaseNew"));
    QVERIFY(!actif("mnuCompet") && !actif("mnuBaseClose") && !actif("mnuBaseClub"));
    // Neither state touches the delete command nor the lock-group items.
    QVERIFY(!actif("mnuBaseSuppr"));
    QVERIFY(actif("mnuBaseClubModif"));
}

void TstFenetres::afficherFormulaire()
{
    PortIhmTest port;
    QDialog dialogue;
    dialogue.setObjectName("frmSplash");
    port.repondreModal([](QDialog& d) {
        d.accept();
        return d.result();
    });
    QCOMPARE(Afficher_formulaire(&dialogue, 1), int(QDialog::Accepted));
    QCOMPARE(port.appels().back().texte, QString("frmSplash"));

    auto* vue = new FenetreDemo;
    QCOMPARE(Afficher_formulaire(vue, 0), 0);
    QCOMPARE(Zone_documents()->activeSubWindow(), Cadre_fenetre(vue));
    QCOMPARE(intNbFenetres, qint16(1));
    vue->close();
}

void TstFenetres::sansFenetrePrincipale()
{
    m_principale.reset();
    QVERIFY(!frmPrincipal);
    QVERIFY(!Menu("mnuBaseClubModif"));
    QPointer<FenetreDemo> ref;
    Ouverture ouverture;
    ouverture.verrous = verrousClub;
    ouverture.gauche = 1500;
    ouverture.haut = 3000;
    FenetreDemo* f = Ouvrir_fenetre(ref, ouverture);
    QVERIFY(f->isWindow());
    QVERIFY(f->isVisible());
    QCOMPARE(f->pos(), QPoint(100, 200));
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 1, 1, 1}));
    f->close();
    vider_suppressions();
    QVERIFY(!ref);
    QCOMPARE(colVerrouClub, (CollectionCompteurs{0, 0, 0, 0, 0}));
}

void TstFenetres::verrousDeLaListeDesModeles_data()
{
    using V = VerrousMenus;
    using G = GroupeVerrou;
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("type");
    QTest::addColumn<VerrousMenus>("attendu");
    const V base = V().groupe(G::Club, {0, 0, 1, 1, 1}).groupe(G::Profil, {0, 0, 1, 1, 0, 1});
    const V modeles = V(base).groupeEntier(G::ModeleEngag).groupeEntier(G::ModeleProg);
    QTest::newRow("choix depuis engagement") << "modele depuis engagement" << "Engag" << V();
    QTest::newRow("choix depuis programme") << "modele depuis programme" << "Prog" << V();
    QTest::newRow("engag voir") << "View" << "Engag" << modeles;
    QTest::newRow("engag modif") << "Modif" << "Engag"
                                 << V(modeles).groupe(G::Licence, {1, 1, 0, 1, 1, 0, 0}).groupe(G::Engag, {1, 1, 0, 0, 0});
    QTest::newRow("engag suppr") << "Suppr" << "Engag" << V(modeles).groupe(G::Engag, {1, 1, 0, 0, 0});
    QTest::newRow("prog voir") << "View" << "Prog" << modeles;
    QTest::newRow("prog suppr") << "Suppr" << "Prog" << V(modeles).groupe(G::Compet, {0, 0, 1, 0, 1, 0, 0});
    QTest::newRow("autre type") << "View" << "" << base;
}

void TstFenetres::verrousDeLaListeDesModeles()
{
    QFETCH(QString, mode);
    QFETCH(QString, type);
    QFETCH(VerrousMenus, attendu);
    QVERIFY(Verrous_liste_modeles(mode, type) == attendu);
}

void TstFenetres::tailleDesignEtAncrage()
{
    QPointer<FenetreDemo> ref;
    FenetreDemo* f = Ouvrir_fenetre(ref, Ouverture{});
    QWidget* cadre = Cadre_fenetre(f);
    const QSize design(5205 / 15, 3915 / 15);
    QCOMPARE(cadre->minimumSize(), design);
    QCOMPARE(cadre->size(), design);
    cadre->resize(200, 150);
    QCOMPARE(cadre->size(), design);

    vider_suppressions();
    const QRect liste = f->liste->geometry();
    QRect boutons[3];
    for (int i = 0; i < 3; ++i)
        boutons[i] = f->boutons[i]->geometry();
    // Buttons at the bottom right, in the design's order.
    QVERIFY(boutons[2].right() < boutons[0].left() && boutons[0].right() < boutons[1].left());
    QVERIFY(boutons[0].top() > liste.bottom());

    // 600 by 300 twips more: buttons move by as much, the list grows by as much.
    cadre->resize(design + QSize(40, 20));
    vider_suppressions();
    QCOMPARE(f->liste->geometry(), liste.adjusted(0, 0, 40, 20));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(f->boutons[i]->geometry(), boutons[i].translated(40, 20));
    f->close();
}

void TstFenetres::positionVisible_data()
{
    QTest::addColumn<QRect>("cadre");
    QTest::addColumn<QPoint>("attendu");
    // The visible area is 800 x 600 at (100, 50).
    QTest::newRow("tient") << QRect(300, 200, 400, 300) << QPoint(300, 200);
    QTest::newRow("bord à bord") << QRect(500, 350, 400, 300) << QPoint(500, 350);
    QTest::newRow("dépasse à droite") << QRect(700, 200, 400, 300) << QPoint(500, 200);
    QTest::newRow("dépasse en bas à droite") << QRect(850, 500, 400, 300) << QPoint(500, 350);
    QTest::newRow("avant le coin") << QRect(0, 0, 400, 300) << QPoint(100, 50);
    QTest::newRow("trop large") << QRect(300, 200, 900, 300) << QPoint(100, 200);
    QTest::newRow("trop haute") << QRect(700, 200, 400, 700) << QPoint(500, 50);
    QTest::newRow("trop grande") << QRect(300, 200, 1000, 700) << QPoint(100, 50);
}

void TstFenetres::positionVisible()
{
    QFETCH(QRect, cadre);
    QFETCH(QPoint, attendu);
    QCOMPARE(Position_visible(cadre, QRect(100, 50, 800, 600)), attendu);
}

// A position given by the opener is kept when the window fits there; otherwise, and when the
// opener or a growth moves it afterwards, the window comes back whole into the visible area.
void TstFenetres::ouvertureDansLaZoneVisible()
{
    auto* zone = qobject_cast<QMdiArea*>(m_principale->centralWidget());
    const QRect visible = zone->viewport()->rect();
    QPointer<FenetreDemo> ref;
    Ouverture ouverture;
    ouverture.gauche = 1500;
    ouverture.haut = 3000;
    QWidget* cadre = Cadre_fenetre(Ouvrir_fenetre(ref, ouverture));
    QCOMPARE(cadre->pos(), QPoint(100, 200));
    ref->close();
    vider_suppressions();

    ouverture.gauche = (visible.width() - 100) * 15;
    cadre = Cadre_fenetre(Ouvrir_fenetre(ref, ouverture));
    QCOMPARE(cadre->geometry(), QRect(QPoint(visible.width() - cadre->width(), 200), cadre->size()));
    ref->close();
    vider_suppressions();

    ouverture.gauche = 0;
    cadre = Cadre_fenetre(Ouvrir_fenetre(ref, ouverture, [](FenetreDemo& f) {
        Cadre_fenetre(&f)->move(-50, 10000);
    }));
    QCOMPARE(cadre->geometry(), QRect(QPoint(0, visible.height() - cadre->height()), cadre->size()));
    // Grown at the bottom of the area, it rises to show its lower edge.
    ref->Fixer_taille_design(5205, 3915 + 1500);
    QCOMPARE(cadre->geometry(), QRect(QPoint(0, visible.height() - cadre->height()), cadre->size()));
    QCOMPARE(cadre->height(), (3915 + 1500) / 15);
    ref->close();
}

// A window widened for its title still keeps the least width its layout needs: the explicit
// minimum must not drop the layout's, or a wide box runs past the right edge.
void TstFenetres::elargiPourLeTitreSansPerdreLaMiseEnPage()
{
    QDialog dialogue;
    dialogue.setWindowTitle("Nouveau Club");
    auto* formulaire = new QFormLayout(&dialogue);
    auto* boite = new QLineEdit(&dialogue);
    boite->setMinimumWidth(420);
    formulaire->addRow("Nom du Club :", boite);
    dialogue.resize(200, 100);
    Elargir_au_contenu(&dialogue);
    dialogue.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialogue));
    QVERIFY2(boite->geometry().right() < dialogue.width(),
             qPrintable(QString("%1 > %2").arg(boite->geometry().right()).arg(dialogue.width())));
    QVERIFY(dialogue.width() >= Largeur_pour_titre(&dialogue));
}

QTEST_MAIN(TstFenetres)
#include "tst_fenetres.moc"
