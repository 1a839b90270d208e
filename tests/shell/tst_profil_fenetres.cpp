// The profile windows driven as a user would, from the main window's menus: the first use of a
// new base, the forced choice, the profile list in each mode, the detail window, and the club
// menu commands.

#include "clubs_licences/dem_info.h"
#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/sauvegarde.h"
#include "core/utils.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/det_profil.h"
#include "shell/frm_liste_profil.h"
#include "shell/frm_principal.h"
#include "shell/profil_obli.h"
#include "shell/profils.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextDocumentFragment>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>

#include <memory>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString codeSelection = "FRA1320020000";
const QString doublon = "Un profil de même nom existe déjà.\r\nImpossible de le sauvegarder.";





QStringList Lignes(QTreeWidget* liste, int colonne = 0)
{
    QStringList textes;
    for (int i = 1; i <= Nombre_lignes(liste); ++i)
        textes << Ligne(liste, i)->text(colonne);
    return textes;
}

void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    QVERIFY(Cadre_fenetre(fenetre)->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png"));
}

// An open base, the main window with its menus usable, and the scripted user.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    std::unique_ptr<FrmPrincipal> principale = std::make_unique<FrmPrincipal>();
    Contexte()
    {
        principale->show();
        Menus_base_ouverte();
        Installer_etapes_clubs();
        Installer_etapes_profil();
    }
    ~Contexte() { Etapes_base() = EtapesBase(); }
    void club(const QString& code, const QString& nom) const
    {
        base.executer("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + code + "', " + Sql_texte(nom)
                      + ", " + Booleen_texte(code.endsWith("0000")) + ")");
    }
    QString profil(const QString& nom, const QString& code, bool courant = false) const
    {
        base.executer("INSERT INTO Profil (Libelle, Code_club, LastUse) VALUES (" + Sql_texte(nom) + ", '" + code
                      + "', " + Booleen_texte(courant) + ")");
        return base.valeur("SELECT max(Num) FROM Profil");
    }
    // Two clubs and three profiles, "Un" current and loaded.
    void peupler()
    {
        club(codeA, "Club A");
        club(codeB, "Club B");
        profil("Un", codeA, true);
        profil("Deux", codeB);
        profil("Trois", codeA);
        Charger_profil_courant(false);
    }
    QString panneau() const { return principale->findChild<QLabel*>("sbStatusBar_1")->text(); }
    QString courants() const { return base.valeur("SELECT group_concat(Libelle) FROM Profil WHERE LastUse = true"); }
    int modaux() const
    {
        return static_cast<int>(std::count_if(ihm.appels().begin(), ihm.appels().end(),
                                              [](const AppelIhm& a) { return a.genre == "modal"; }));
    }
    template <class T>
    T* fenetre() const
    {
        for (T* f : principale->findChildren<T*>()) {
            if (!f->estDecharge())
                return f;
        }
        return nullptr;
    }
};

} // namespace

class TstProfilFenetres : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void premiereUtilisation_data();
    void premiereUtilisation();
    void choixForceAuChargement();
    void choixForceSeTermineSansClub();
    void listeSelonLeMode_data();
    void listeSelonLeMode();
    void listeSuppression();
    void listeChoisirParDoubleClic();
    void detailNouveau();
    void detailPremierProfilDevientCourant();
    void detailModifRenommeEtRelie();
    void informationProfilActuel();
    void nomsStockesAffichesTelsQuels();
    void informationSansProfil();
    void menusClub_data();
    void menusClub();
    void captures();
};

void TstProfilFenetres::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TstProfilFenetres::init()
{
    intNbFenetres = 0;
    Initialiser_verrous_menus();
    strNomProfil.clear();
    strNomClub.clear();
    strNumProfil.clear();
    strCodeClub.clear();
    bClubSelection = false;
}

void TstProfilFenetres::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        for (auto* f : w->findChildren<FenetreComptee*>())
            f->close();
    }
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    for (const QList<int>& groupe : Tous_les_verrous())
        QVERIFY(std::all_of(groupe.begin(), groupe.end(), [](int n) { return n == 0; }));
}

// ---- Forced dialogs ----------------------------------------------------------------------------

void TstProfilFenetres::premiereUtilisation_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("votreClub");
    QTest::newRow("club") << codeA << true;
    QTest::newRow("sélection") << codeSelection << false;
}

// A new base: the club is forced, then "Création profil" with its club picker, through the port.
void TstProfilFenetres::premiereUtilisation()
{
    QFETCH(QString, code);
    QFETCH(bool, votreClub);
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& club = static_cast<dem_info_obli&>(d);
        club.champs->Text1_0->setText("Nageurs de l'Aisne");
        club.champs->Text1_1->setText(code);
        club.champs->Command1_0->click();
        return d.result();
    });
    bool okAttendu = false;
    bool resteOuvert = false;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& creation = static_cast<det_profil_obli&>(d);
        d.show();
        okAttendu = !creation.Command1_0->isEnabled();
        creation.Command1_1->click(); // "Annuler" leaves nothing
        d.reject();
        QTest::keyClick(&d, Qt::Key_Escape);
        d.close();
        resteOuvert = d.isVisible() && d.result() != QDialog::Accepted;
        QTest::keyClicks(creation.Text1_0, "Mon profil");
        okAttendu = okAttendu && !creation.Command1_0->isEnabled();
        creation.Text1_1->setText("fra1320029999"); // no such club
        creation.Command1_0->click();
        creation.Command1_2->click(); // "Choix d'un club": the picker takes its place
        return d.result();
    });
    bool cache = false;
    QStringList clubs;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_club_obli&>(d);
        cache = !choix.parentWidget()->isVisible();
        d.show();
        clubs = Lignes(choix.Lsv_club) + Lignes(choix.Lsv_club, 1);
        Double_clic(choix.Lsv_club, 1);
        return d.result();
    });
    QString codeRecu;
    QString nomRecu;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& creation = static_cast<det_profil_obli&>(d);
        codeRecu = creation.Text1_1->text();
        nomRecu = creation.txt_nom_club->text();
        creation.Command1_0->click();
        return d.result();
    });

    Initialiser_base();
    QVERIFY(ctx.ihm.toutConsomme());
    QCOMPARE(ctx.modaux(), 4);
    QVERIFY(okAttendu);
    QVERIFY(resteOuvert);
    QVERIFY(cache);
    QCOMPARE(clubs, (QStringList {code, "Nageurs de l'Aisne"}));
    QCOMPARE(codeRecu, code);
    QCOMPARE(nomRecu, QString("Nageurs de l'Aisne"));
    QCOMPARE(ctx.ihm.messages(),
             QStringList {"Aucun club n'a le code FRA1320029999.\r\nImpossible de le sauvegarder."});
    QCOMPARE(ctx.base.valeur("SELECT Libelle || '|' || Code_club FROM Profil"), "Mon profil|" + code);
    QCOMPARE(ctx.courants(), QString("Mon profil"));
    QCOMPARE(strNomProfil, QString("Mon profil"));
    QCOMPARE(ctx.panneau(), QString("Profil : Mon profil (Nageurs de l'Aisne)"));
    QCOMPARE(Menu("mnuBaseClubConfig")->isVisible(), votreClub);
    QCOMPARE(bClubSelection, !votreClub);
    // The base's own checks ran after the profile, on its club.
    QCOMPARE(ctx.base.valeur("SELECT Code_club FROM Licence WHERE Nom = 'Null'"), code);
}

// Profiles but none current: "Selection d'un profil"; "Annuler" leaves the context as it was.
void TstProfilFenetres::choixForceAuChargement()
{
    Contexte ctx;
    ctx.club(codeA, "Club A");
    ctx.club(codeSelection, "Sélection");
    ctx.profil("Un", codeA);
    ctx.profil("Deux", codeSelection);
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_profil_obli&>(d);
        d.show();
        choix.Command1_1->click();
        return d.result();
    });
    Charger_profil_courant(true);
    QCOMPARE(ctx.courants(), QString());
    QCOMPARE(ctx.panneau(), QString());

    QStringList profils;
    int selection = 0;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_profil_obli&>(d);
        d.show();
        profils = Lignes(choix.Lsv_profil);
        selection = Ligne_courante(choix.Lsv_profil);
        Double_clic(choix.Lsv_profil, 2);
        return d.result();
    });
    Charger_profil_courant(true);
    QVERIFY(ctx.ihm.toutConsomme());
    QCOMPARE(ctx.ihm.appels().back().titre, QString("Selection d'un profil"));
    QCOMPARE(profils, (QStringList {"Un", "Deux"}));
    QCOMPARE(selection, 1);
    QCOMPARE(ctx.courants(), QString("Deux"));
    QCOMPARE(ctx.panneau(), QString("Profil : Deux (Sélection)"));
    QVERIFY(!Menu("mnuBaseClubConfig")->isVisible());
}

// A profile whose club is gone can never be loaded: the choice refuses it instead of coming back
// inside itself after every load, and "Annuler" always ends it.
void TstProfilFenetres::choixForceSeTermineSansClub()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.club(codeA, "Club A");
    ctx.profil("Orphelin", "FRA1320029999", true);
    ctx.profil("Bon", codeA);
    bool refuse = false;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_profil_obli&>(d);
        d.show();
        choix.Command1_0->click(); // row 1, the profile without a club
        refuse = d.isVisible() && d.result() != QDialog::Accepted;
        Double_clic(choix.Lsv_profil, 2);
        return d.result();
    });
    Charger_profil_courant(true);
    QVERIFY(refuse);
    QCOMPARE(ctx.modaux(), 1);
    QCOMPARE(ctx.ihm.messages(),
             QStringList {"Le club lié au profil Orphelin n'existe plus.\r\nImpossible de choisir ce profil."});
    QCOMPARE(ctx.courants(), QString("Bon"));
    QCOMPARE(ctx.panneau(), QString("Profil : Bon (Club A)"));

    // Nothing loadable at all: refused, then left.
    ctx.base.executer("DELETE FROM Profil WHERE Libelle = 'Bon'");
    ctx.base.executer("UPDATE Profil SET LastUse = true");
    ctx.ihm.effacer();
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_profil_obli&>(d);
        choix.Command1_0->click();
        choix.Command1_1->click();
        return d.result();
    });
    Charger_profil_courant(true);
    QCOMPARE(ctx.modaux(), 1);
    QCOMPARE(ctx.ihm.messages().size(), 1);
}

// ---- Profile list ------------------------------------------------------------------------------

void TstProfilFenetres::listeSelonLeMode_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("bouton2");
    QTest::addColumn<bool>("annuler");
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QList<int>>("club");
    QTest::addColumn<QList<int>>("licence");
    const QList<int> licences {1, 0, 1, 1, 1, 1, 1};
    const QList<int> aucuneLicence(7, 0);
    QTest::newRow("liste") << "mnuBaseProfilList" << "View" << "Liste des profils" << "&Voir" << false << false
                           << QList<int> {0, 0, 0, 0, 0} << aucuneLicence;
    QTest::newRow("modifier") << "mnuBaseProfilModif" << "Modif" << "Modifier profils" << "&Modifier" << false
                              << false << QList<int> {1, 0, 1, 1, 1} << licences;
    QTest::newRow("supprimer") << "mnuBaseProfilSuppr" << "Suppr" << "Supprimer profils" << "&Supprimer" << true
                               << true << QList<int> {0, 0, 0, 1, 0} << licences;
    QTest::newRow("changer") << "mnuBaseProfilChange" << "Choisir" << "Choisir un profil" << "" << true << false
                             << QList<int> {0, 0, 1, 1, 1} << licences;
}

void TstProfilFenetres::listeSelonLeMode()
{
    QFETCH(QString, menu);
    QFETCH(QString, mode);
    QFETCH(QString, titre);
    QFETCH(QString, bouton2);
    QFETCH(bool, annuler);
    QFETCH(bool, multiple);
    QFETCH(QList<int>, club);
    QFETCH(QList<int>, licence);
    Contexte ctx;
    ctx.peupler();
    Menu(menu)->trigger();
    auto* liste = ctx.fenetre<Frm_liste_profil>();
    QVERIFY(liste);
    QCOMPARE(liste->strAction, mode);
    QCOMPARE(liste->windowTitle(), titre);
    QCOMPARE(liste->Command1_2->isVisibleTo(liste), !bouton2.isEmpty());
    if (!bouton2.isEmpty())
        QCOMPARE(liste->Command1_2->text(), bouton2);
    QCOMPARE(liste->Command1_1->isEnabled(), annuler);
    QCOMPARE(liste->Lsv_profil->selectionMode() == QAbstractItemView::ExtendedSelection, multiple);
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {1, 1, 1, 1, 0, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouClub), club);
    QCOMPARE(Compteurs_verrou(colVerrouLicence), licence);
    QVERIFY(!Menu(menu)->isEnabled());
    QVERIFY(Menu("mnuBaseProfilInfo")->isEnabled());

    QCOMPARE(Lignes(liste->Lsv_profil), (QStringList {"Un", "Deux", "Trois"}));
    QCOMPARE(Lignes(liste->Lsv_profil, 1), (QStringList {"X", "", ""}));
    QCOMPARE(Lignes(liste->Lsv_info_profil, 2), (QStringList {codeA, codeB, codeA}));
    QCOMPARE(Ligne_courante(liste->Lsv_profil), 1);
    QCOMPARE(Cadre_fenetre(liste)->minimumSize(), QSize(347, 261));

    Menu(menu)->trigger(); // locked: no second window
    QCOMPARE(intNbFenetres, qint16(1));
    liste->close();
    Traiter_evenements();
    QVERIFY(Menu(menu)->isEnabled());
}

void TstProfilFenetres::listeSuppression()
{
    Contexte ctx;
    ctx.peupler();
    QPointer<Frm_liste_profil> liste;
    Menu("mnuBaseProfilSuppr")->trigger();
    liste = ctx.fenetre<Frm_liste_profil>();
    liste->Lsv_profil->setFocus();
    QTest::keyClick(liste->Lsv_profil, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(liste->Lsv_profil, Qt::Key_Delete);
    QCOMPARE(Nombre_lignes(liste->Lsv_num), 3);
    QVERIFY(!liste->Command1_2->isEnabled());
    liste->Command1_1->click(); // "Annuler": nothing deleted
    Traiter_evenements();
    QVERIFY(!liste);
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Profil"), QString("3"));

    // "Ok" with nothing removed closes without reloading.
    Menu("mnuBaseProfilSuppr")->trigger();
    liste = ctx.fenetre<Frm_liste_profil>();
    strNomProfil = "témoin";
    liste->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!liste);
    QCOMPARE(strNomProfil, QString("témoin"));
    strNomProfil = "Un";

    // The current profile deleted: the choice is forced among those left.
    Menu("mnuBaseProfilSuppr")->trigger();
    liste = ctx.fenetre<Frm_liste_profil>();
    Ligne(liste->Lsv_profil, 1)->setSelected(true);
    Ligne(liste->Lsv_profil, 2)->setSelected(true);
    liste->Command1_2->click();
    QCOMPARE(Lignes(liste->Lsv_profil), QStringList {"Trois"});
    QCOMPARE(Lignes(liste->Lsv_info_profil), QStringList {"Trois"});
    QStringList proposes;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& choix = static_cast<Frm_liste_profil_obli&>(d);
        proposes = Lignes(choix.Lsv_profil);
        choix.Command1_0->click();
        return d.result();
    });
    liste->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!liste);
    QVERIFY(ctx.ihm.toutConsomme());
    QCOMPARE(proposes, QStringList {"Trois"});
    QCOMPARE(ctx.base.valeur("SELECT group_concat(Libelle) FROM Profil"), QString("Trois"));
    QCOMPARE(ctx.panneau(), QString("Profil : Trois (Club A)"));

    // The last one deleted: the creation is forced.
    Menu("mnuBaseProfilSuppr")->trigger();
    liste = ctx.fenetre<Frm_liste_profil>();
    QTest::keyClick(liste->Lsv_profil, Qt::Key_Delete);
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& creation = static_cast<det_profil_obli&>(d);
        creation.Text1_0->setText("Nouveau");
        creation.Text1_1->setText(codeB.toLower());
        creation.Command1_0->click();
        return d.result();
    });
    liste->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("SELECT Libelle || '|' || Code_club FROM Profil"), "Nouveau|" + codeB);
    QCOMPARE(ctx.courants(), QString("Nouveau"));
    QCOMPARE(ctx.panneau(), QString("Profil : Nouveau (Club B)"));
}

void TstProfilFenetres::listeChoisirParDoubleClic()
{
    Contexte ctx;
    ctx.peupler();
    Menu("mnuBaseProfilChange")->trigger();
    QPointer<Frm_liste_profil> liste = ctx.fenetre<Frm_liste_profil>();
    Double_clic(liste->Lsv_profil, 2);
    Traiter_evenements();
    QVERIFY(!liste);
    QCOMPARE(ctx.courants(), QString("Deux"));
    QCOMPARE(ctx.panneau(), QString("Profil : Deux (Club B)"));
    QVERIFY(ctx.ihm.appels().empty());

    // Choosing the current one again changes nothing else.
    Menu("mnuBaseProfilChange")->trigger();
    liste = ctx.fenetre<Frm_liste_profil>();
    QCOMPARE(Ligne_courante(liste->Lsv_profil), 2);
    QCOMPARE(Lignes(liste->Lsv_profil, 1), (QStringList {"", "X", ""}));
    liste->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(ctx.courants(), QString("Deux"));
}

// ---- Profile detail ----------------------------------------------------------------------------

void TstProfilFenetres::detailNouveau()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.peupler();
    Menu("mnuBaseProfilNew")->trigger();
    auto* detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    QCOMPARE(detail->windowTitle(), QString("Création d'un profil"));
    QCOMPARE(Compteurs_verrou(colVerrouClub), (QList<int> {1, 1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {1, 1, 1, 1, 1, 1}));
    QVERIFY(detail->Command1_1->isEnabled());
    QVERIFY(!detail->Command1_0->isEnabled());
    QTest::keyClicks(detail->Text1_0, "deux");
    QVERIFY(!detail->Command1_0->isEnabled());
    // Return does nothing while "Ok" cannot be pressed.
    detail->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(detail->window()));
    detail->Text1_0->setFocus();
    QTest::sendKeyEvent(QTest::Click, detail->Text1_0, Qt::Key_Return, QString("\r"), Qt::NoModifier);
    QVERIFY(ctx.ihm.appels().empty());
    QTest::keyClicks(detail->Text1_1, codeB.toLower());
    QVERIFY(detail->Command1_0->isEnabled());
    detail->Command1_0->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {doublon});
    QVERIFY(ctx.fenetre<det_profil>());

    // Return presses "Ok", as in the other dialogs.
    detail->Text1_0->setText("Quatre");
    QTest::sendKeyEvent(QTest::Click, detail->Text1_0, Qt::Key_Return, QString("\r"), Qt::NoModifier);
    Traiter_evenements();
    QVERIFY(!ctx.fenetre<det_profil>());
    QCOMPARE(ctx.base.valeur("SELECT Code_club FROM Profil WHERE Libelle = 'Quatre'"), codeB);
    QCOMPARE(ctx.courants(), QString("Un"));
    QCOMPARE(ctx.panneau(), QString("Profil : Un (Club A)"));
}

void TstProfilFenetres::detailPremierProfilDevientCourant()
{
    Contexte ctx;
    ctx.club(codeA, "Club A");
    Menu("mnuBaseProfilNew")->trigger();
    auto* detail = ctx.fenetre<det_profil>();
    QVERIFY(!detail->Command1_1->isEnabled()); // no profile to fall back on
    detail->Text1_0->setText("Premier");
    detail->Text1_1->setText(codeA);
    detail->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(ctx.courants(), QString("Premier"));
    QCOMPARE(ctx.panneau(), QString("Profil : Premier (Club A)"));
}

// Names typed by the user are shown as typed in the status bar and the profile detail, even when
// they look like markup.
void TstProfilFenetres::nomsStockesAffichesTelsQuels()
{
    Contexte ctx;
    const QString club = "Cercle d'O'Neil \"<b>&amp;</b>\"";
    ctx.club(codeA, club);
    ctx.profil("<i>Bassin</i>", codeA, true);
    Charger_profil_courant(false);
    auto* panneau = ctx.principale->findChild<QLabel*>("sbStatusBar_1");
    const QString attendu = "Profil : <i>Bassin</i> (" + club + ")";
    QCOMPARE(panneau->text(), attendu);
    QCOMPARE(panneau->textFormat(), Qt::PlainText);
    // Its tool tip, read as a tool tip reads it, says the same.
    QCOMPARE(QTextDocumentFragment::fromHtml(panneau->toolTip()).toPlainText(), attendu);

    Menu("mnuBaseProfilModif")->trigger();
    ctx.fenetre<Frm_liste_profil>()->Command1_2->click();
    det_profil* detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    QCOMPARE(detail->txt_nom_club->text(), club);
    QCOMPARE(detail->txt_nom_club->textFormat(), Qt::PlainText);
}

void TstProfilFenetres::detailModifRenommeEtRelie()
{
    Contexte ctx;
    ctx.peupler();
    const QString un = ctx.base.valeur("SELECT Num FROM Profil WHERE Libelle = 'Un'");
    ctx.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic) VALUES (1, " + un + ", 3, 7)");
    ctx.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic) VALUES (" + un + ", 1, 40, 1)");
    Menu("mnuBaseProfilModif")->trigger();
    auto* liste = ctx.fenetre<Frm_liste_profil>();
    liste->Command1_2->click();
    QPointer<det_profil> detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    QCOMPARE(detail->windowTitle(), QString("Modification d'un profil"));
    QCOMPARE(detail->Text1_0->text(), QString("Un"));
    QCOMPARE(detail->Text1_1->text(), codeA);
    QCOMPARE(detail->txt_nom_club->text(), QString("Club A"));
    QCOMPARE(detail->strProfilNumber, un);
    QVERIFY(detail->Command1_1->isEnabled());
    QCOMPARE(intNbFenetres, qint16(2));

    ctx.ihm.accepterMessagesOk(true);
    detail->Text1_0->setText("DEUX");
    detail->Command1_0->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {doublon});
    QVERIFY(detail);

    // A new name only: the entries stay; the list comes back with the profile selected.
    detail->Text1_0->setText("Zèbre");
    detail->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!detail);
    QCOMPARE(Lignes(liste->Lsv_profil), (QStringList {"Zèbre", "Deux", "Trois"}));
    QCOMPARE(Ligne_courante(liste->Lsv_profil), 1);
    QCOMPARE(ctx.panneau(), QString("Profil : Zèbre (Club A)"));
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Engag"), QString("1"));

    // Another club, chosen in the club list opened beside the window.
    Double_clic(liste->Lsv_profil, 1);
    detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    detail->Command1_2->click();
    auto* clubs = ctx.fenetre<Frm_liste_club>();
    QVERIFY(clubs);
    QCOMPARE(clubs->strAction, QString("liste club pour profil"));
    QCOMPARE(clubs->windowTitle(), QString("Choix d'un club à lier au profil"));
    // Beside the detail, drawn back as far as it takes to show whole.
    const int droite = Zone_documents()->viewport()->width() - Cadre_fenetre(clubs)->width();
    QCOMPARE(Cadre_fenetre(clubs)->x(), std::min(Cadre_fenetre(detail)->frameGeometry().right() + 1 + 20, droite));
    detail->Command1_2->click();
    QCOMPARE(ctx.ihm.messages().last(), QString("La fenêtre est déjà ouverte.\r\nTerminer la précédente opération."));
    QCOMPARE(intNbFenetres, qint16(3));
    clubs->Lsv_club->setCurrentItem(Ligne(clubs->Lsv_club, Chercher_element(codeB, clubs->Lsv_club, 0, 0, 0)));
    clubs->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(detail->Text1_1->text(), codeB);
    QCOMPARE(detail->txt_nom_club->text(), QString("Club B"));
    detail->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!detail);
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Engag") + ctx.base.valeur("SELECT count(*) FROM Relais"),
             QString("00"));
    QCOMPARE(ctx.panneau(), QString("Profil : Zèbre (Club B)"));
    QCOMPARE(strCodeClub, codeB);

    // Closing the list closes its detail window and the detail's club list.
    liste->Command1_2->click();
    ctx.fenetre<det_profil>()->Command1_2->click();
    QCOMPARE(intNbFenetres, qint16(3));
    liste->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstProfilFenetres::informationProfilActuel()
{
    Contexte ctx;
    ctx.peupler();
    Menu("mnuBaseProfilInfo")->trigger();
    QPointer<det_profil> detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    QCOMPARE(detail->windowTitle(), QString("Information profil"));
    QCOMPARE(detail->Text1_0->text(), QString("Un"));
    QCOMPARE(detail->Text1_1->text(), codeA);
    QVERIFY(detail->Text1_0->isReadOnly() && detail->Text1_1->isReadOnly());
    QVERIFY(!detail->Command1_1->isEnabled());
    QVERIFY(!detail->Command1_2->isVisibleTo(detail));
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {0, 0, 0, 0, 1, 0}));
    QCOMPARE(Compteurs_verrou(colVerrouClub), (QList<int> {0, 0, 0, 0, 0}));
    detail->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!detail);
    QCOMPARE(ctx.base.valeur("SELECT Libelle FROM Profil WHERE LastUse = true"), QString("Un"));
}

// After a cancelled profile choice there is no profile to show: the item stays locked, also once
// another profile window has taken and given back its lock, until a profile is chosen.
void TstProfilFenetres::informationSansProfil()
{
    Contexte ctx;
    ctx.club(codeA, "Club A");
    ctx.profil("Un", codeA);
    ctx.ihm.repondreModal([&](QDialog& d) {
        d.show();
        static_cast<Frm_liste_profil_obli&>(d).Command1_1->click();
        return d.result();
    });
    Charger_profil_courant(true);
    QCOMPARE(strNumProfil, QString());
    QVERIFY(Menu("mnuBaseProfil")->isEnabled());
    QVERIFY(!Menu("mnuBaseProfilInfo")->isEnabled());
    Menu("mnuBaseProfilInfo")->trigger();
    QVERIFY(!ctx.fenetre<det_profil>());

    Menu("mnuBaseProfilNew")->trigger();
    QPointer<det_profil> nouveau = ctx.fenetre<det_profil>();
    QVERIFY(nouveau);
    nouveau->close();
    Traiter_evenements();
    QVERIFY(!nouveau);
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {0, 0, 0, 0, 0, 0}));
    QVERIFY(Menu("mnuBaseProfilNew")->isEnabled());
    QVERIFY(!Menu("mnuBaseProfilInfo")->isEnabled());

    Menu("mnuBaseProfilChange")->trigger();
    QPointer<Frm_liste_profil> liste = ctx.fenetre<Frm_liste_profil>();
    QVERIFY(liste);
    Double_clic(liste->Lsv_profil, 1);
    Traiter_evenements();
    QVERIFY(!liste);
    QCOMPARE(ctx.courants(), QString("Un"));
    QVERIFY(Menu("mnuBaseProfilInfo")->isEnabled());
    Menu("mnuBaseProfilInfo")->trigger();
    QPointer<det_profil> detail = ctx.fenetre<det_profil>();
    QVERIFY(detail);
    QCOMPARE(detail->Text1_0->text(), QString("Un"));
    detail->close();
    Traiter_evenements();
    QVERIFY(Menu("mnuBaseProfilInfo")->isEnabled());
}

// ---- Club menus --------------------------------------------------------------------------------

void TstProfilFenetres::menusClub_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<bool>("annuler");
    QTest::addColumn<QString>("bouton2");
    QTest::addColumn<QList<int>>("profil");
    QTest::newRow("liste") << "mnuBaseClubListe" << "View" << "Liste des Clubs" << false << ""
                           << QList<int> {0, 0, 0, 0, 0, 0};
    QTest::newRow("modifier") << "mnuBaseClubModif" << "Modif" << "Modifier Clubs" << false << "&Modifier"
                              << QList<int> {1, 0, 1, 0, 0, 0};
    QTest::newRow("supprimer") << "mnuBaseClubSuppr" << "Suppr" << "Supprimer Clubs" << true << "&Supprimer"
                               << QList<int> {1, 1, 1, 1, 0, 1};
    QTest::newRow("nouveau") << "mnuBaseClubNew" << "Nouveau" << "Information club" << true << ""
                             << QList<int> {1, 0, 1, 0, 0, 0};
}

void TstProfilFenetres::menusClub()
{
    QFETCH(QString, menu);
    QFETCH(QString, mode);
    QFETCH(QString, titre);
    QFETCH(bool, annuler);
    QFETCH(QString, bouton2);
    QFETCH(QList<int>, profil);
    Contexte ctx;
    ctx.peupler();
    Menu(menu)->trigger();
    QCOMPARE(intNbFenetres, qint16(1));
    QCOMPARE(Compteurs_verrou(colVerrouClub), (QList<int> {1, 1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouProfil), profil);
    FenetreComptee* fenetre = nullptr;
    if (mode == "Nouveau") {
        auto* info = ctx.fenetre<dem_info>();
        QVERIFY(info);
        QCOMPARE(info->champs->Command1_1->isEnabled(), annuler);
        fenetre = info;
    } else {
        auto* liste = ctx.fenetre<Frm_liste_club>();
        QVERIFY(liste);
        QCOMPARE(liste->Command1_1->isEnabled(), annuler);
        QCOMPARE(liste->Command1_2->isVisibleTo(liste), !bouton2.isEmpty());
        if (!bouton2.isEmpty())
            QCOMPARE(liste->Command1_2->text(), bouton2);
        QCOMPARE(Lignes(liste->Lsv_club, 1), (QStringList {"Club A", "Club B"}));
        fenetre = liste;
    }
    QCOMPARE(fenetre->strAction, mode);
    QCOMPARE(fenetre->windowTitle(), titre);
    QVERIFY(!Menu(menu)->isEnabled());
    fenetre->close();
}

// ---- What the user sees ------------------------------------------------------------------------

void TstProfilFenetres::captures()
{
    Contexte ctx;
    ctx.peupler();
    ctx.principale->resize(900, 600);
    ctx.principale->show();
    Menu("mnuBaseProfilModif")->trigger();
    auto* liste = ctx.fenetre<Frm_liste_profil>();
    Capturer(liste, "Frm_liste_profil");
    liste->Command1_2->click();
    auto* detail = ctx.fenetre<det_profil>();
    Capturer(detail, "det_profil");
    Capturer(ctx.principale.get(), "frmPrincipal_profils");

    det_profil_obli creation;
    creation.Text1_0->setText("Mon profil");
    creation.Text1_1->setText(codeA);
    creation.txt_nom_club->setText("Club A");
    creation.show();
    Capturer(&creation, "det_profil_obli");
    Frm_liste_profil_obli choix;
    Remplir_listes("SELECT Libelle FROM Profil", {choix.Lsv_profil}, {{0}}, QString());
    choix.show();
    Capturer(&choix, "Frm_liste_profil_obli");
    Frm_liste_club_obli clubs(&creation);
    clubs.set_liste();
    clubs.show();
    Capturer(&clubs, "Frm_liste_club_obli");
}

QTEST_MAIN(TstProfilFenetres)
#include "tst_profil_fenetres.moc"
