// The individual entry window driven as a user would: swimmers placed in teams, their events
// ticked with best times, typed times, team counts, and the ways of leaving the window; the
// template list and its name dialog.

#include "competitions/det_modele_obli.h"
#include "competitions/frm_liste_modele.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/ouvreurs.h"
#include "core/utils.h"
#include "entries/frm_engag.h"
#include "entries/utils_engag.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/profils.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A club with its profile, swimmers and one 25 m competition in March 2005.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    QString compet;
    QMap<QString, QString> nageurs; // name -> key

    Contexte(int longueur = 25)
    {
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320021234', 'Club')");
        base.executer("INSERT INTO Profil (Libelle, Code_club, LastUse) VALUES ('P', 'FRA1320021234', true)");
        strNumProfil = base.valeur("SELECT max(Num) FROM Profil");
        strCodeClub = "FRA1320021234";
        bClubSelection = false;
        for (const auto& [nom, sexe] : {std::pair{"ALBERT", "M"}, {"BERNARD", "M"}, {"CLAIRE", "F"}, {"DIANE", "F"}}) {
            base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES "
                                  "('FRA1320021234', '%1', '%1', 'x', '%2', true)")
                              .arg(nom, sexe));
            nageurs[nom] = base.valeur("SELECT max(Num) FROM Licence");
        }
        base.executer(QString("INSERT INTO Rcomp (Nom, Debut, Fin, Longueur, Visible) VALUES ('C', '20050310', "
                              "'20050311', %1, true)")
                          .arg(longueur));
        compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
        ihm.accepterMessagesOk(true);
    }
    // Windows left open close while the base is still there.
    ~Contexte()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        Traiter_evenements();
    }
    // A performance: event, swimmer, pool, date, time, place.
    void perf(int code, const QString& nom, int bassin, const QString& date, double tps, const QString& lieu)
    {
        base.executer(QString("INSERT INTO Liffn (Code_epreuve, Num_Lic, Type_bassin, Date_perf, Tps, Lieu) VALUES "
                              "(%1, %2, %3, '%4', %5, '%6')")
                          .arg(code)
                          .arg(nageurs[nom])
                          .arg(bassin)
                          .arg(date)
                          .arg(Reel_sql(tps), lieu));
    }
    frm_engag* ouvrir(QPointer<frm_engag>& f, const QString& mode = "Choix pour engagements", bool modele = false,
                      const QString& cle = QString())
    {
        Ouvrir_frm_engag(f, "Définition des engagements", mode, modele, cle.isEmpty() ? compet : cle, nullptr,
                         mode != "Choix pour engagements");
        return f;
    }
};

void Cliquer(QAbstractButton* b)
{
    QVERIFY(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton);
}

void Cocher(QCheckBox* c)
{
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Space);
}

// Selects the swimmer of that name in the licence list and adds him.
void Ajouter(frm_engag* f, const QString& nom)
{
    const int i = Chercher_element(nom, f->lsv_licencie, 0, 0, 0);
    QVERIFY2(i >= 1, qPrintable(nom));
    Selectionner_element(f->lsv_licencie, i);
    Cliquer(f->Cmd_add_0);
}

void Montrer(frm_engag* f, const QString& nom)
{
    const int i = Chercher_element(nom, f->lsv_engag, 0, 0, 0);
    QVERIFY2(i >= 1, qPrintable(nom));
    Selectionner_element(f->lsv_engag, i);
}

void Taper(QLineEdit* b, const QString& texte)
{
    b->setFocus();
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClicks(b, texte);
}

void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

} // namespace

class TstEngag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void cleanup();
    void regleDes50m_data();
    void regleDes50m();
    void troisNageursCinqEpreuvesAvecMeilleursTemps();
    void tempsSaisisFormates_data();
    void tempsSaisisFormates();
    void retirerUnNageur();
    void optionsDeBassinVideesPourLeNageurSuivant();
    void listeDesLicencesParEquipe();
    void baisserLesEquipesVideLesEquipesAuDessus();
    void nombresEquipesBornes();
    void annulerEtCaseDeFermetureRestaurent_data();
    void annulerEtCaseDeFermetureRestaurent();
    void modeleFaitAppliqueEcraseSupprime();
    void modeVueNEcritRien();
    void nomDeModele();
    void suppressionDeModelesAvecLeurContenu();
    void nouveauModeleAnnuleSupprimeSonContenu();
    void profilSupprimeAvecSesModeles();
    void captures();
};

void TstEngag::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TstEngag::regleDes50m_data()
{
    QTest::addColumn<int>("longueur");
    QTest::addColumn<QString>("nageur");
    QTest::addColumn<int>("boite");
    QTest::addColumn<bool>("cochable");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("onglet");
    QTest::newRow("25 m, femme, 25 NL") << 25 << "CLAIRE" << 0 << true << 0 << 3;
    QTest::newRow("25 m, homme, 25 NL") << 25 << "ALBERT" << 0 << true << 50 << 3;
    QTest::newRow("25 m, homme, 50 NL") << 25 << "ALBERT" << 1 << true << 51 << 3;
    QTest::newRow("25 m, homme, 100 4N") << 25 << "ALBERT" << 40 << true << 90 << 4;
    QTest::newRow("25 m, femme, 1500 NL") << 25 << "CLAIRE" << 6 << true << 6 << 3;
    QTest::newRow("50 m, 25 pap") << 50 << "CLAIRE" << 30 << false << -1 << 0;
    QTest::newRow("50 m, 25 dos") << 50 << "ALBERT" << 10 << false << -1 << 0;
    QTest::newRow("50 m, 100 4N") << 50 << "CLAIRE" << 40 << false << -1 << 0;
    QTest::newRow("50 m, 50 brasse") << 50 << "ALBERT" << 21 << true << 71 << 2;
    QTest::newRow("50 m, 200 4N") << 50 << "CLAIRE" << 41 << true << 41 << 4;
}

void TstEngag::regleDes50m()
{
    QFETCH(int, longueur);
    QFETCH(QString, nageur);
    QFETCH(int, boite);
    QFETCH(bool, cochable);
    QFETCH(int, code);
    QFETCH(int, onglet);
    Contexte c(longueur);
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Ajouter(f, nageur);
    QCOMPARE(f->Check1[boite]->isEnabled(), cochable);
    if (!cochable)
        return;
    f->SSTab2->setCurrentIndex(frm_engag::Onglet_epreuve(boite));
    Cocher(f->Check1[boite]);
    Cliquer(f->cmd_0);
    QCOMPARE(Valeurs_colonne("SELECT Code_epreuve FROM Engag"), QStringList{QString::number(code)});
    // Shown again in the same box, on its tab.
    QPointer<frm_engag> g;
    c.ouvrir(g);
    QVERIFY(g->Check1[boite]->isChecked());
    QCOMPARE(g->SSTab2->currentIndex(), onglet);
}

void TstEngag::troisNageursCinqEpreuvesAvecMeilleursTemps()
{
    Contexte c;
    // Season start for March 2005: 16 September 2003.
    c.perf(1, "CLAIRE", 25, "20040110", 0.3210, "Lyon");
    c.perf(1, "CLAIRE", 50, "20040510", 0.3105, "Paris");   // best, in a 50 m pool
    c.perf(1, "CLAIRE", 25, "20030901", 0.2900, "Vieux");   // before the season start
    c.perf(1, "CLAIRE", 25, "20040601", 0, "Zero");         // no time
    c.perf(40, "CLAIRE", 50, "20040601", 1.1500, "Nice");    // 100 4N: only a 25 m option
    c.perf(52, "ALBERT", 50, "20041201", 1.0200, "Rennes");
    c.perf(7, "DIANE", 25, "20041201", 13.0000, "Brest");
    QPointer<frm_engag> f;
    c.ouvrir(f);
    for (const char* nom : {"CLAIRE", "ALBERT", "DIANE"})
        Ajouter(f, nom);
    QCOMPARE(Nombre_lignes(f->lsv_engag), 3);

    struct Saisie {
        const char* nom;
        QList<int> boites;
    };
    for (const Saisie& s : {Saisie{"CLAIRE", {1, 40, 30}}, Saisie{"ALBERT", {2, 12}}, Saisie{"DIANE", {7, 22, 33, 41, 3}}}) {
        Montrer(f, s.nom);
        for (int i : s.boites) {
            f->SSTab2->setCurrentIndex(frm_engag::Onglet_epreuve(i));
            Cocher(f->Check1[i]);
        }
    }
    Montrer(f, "CLAIRE");
    QCOMPARE(f->txt_temps[1]->text(), "0.3105");
    QCOMPARE(f->Text1[1]->text(), "Paris");
    QCOMPARE(f->txt_description[1]->text() + "/" + f->txt_description[51]->text() + "/" + f->txt_description[101]->text(),
             "10/05/2004");
    QVERIFY(f->Option1[51]->isChecked());
    QVERIFY(f->Option1[40]->isChecked());
    QCOMPARE(Valeur_numerique(f->txt_temps[30]->text()), 0.0); // no performance: nothing prefilled
    Cliquer(f->cmd_0);

    const QString c1 = c.nageurs["CLAIRE"], a = c.nageurs["ALBERT"], d = c.nageurs["DIANE"];
    QCOMPARE(Lignes_requete("SELECT Num_Lic, Code_epreuve, Tps_engagement, Lieu_perf, Date_perf, Bassin, Num_equipe, "
                            "Equipe_mixte FROM Engag ORDER BY Num_Lic, Code_epreuve"),
             QStringList({a + "|52|1,02|Rennes|20041201|50|0|Vrai", a + "|62|0|||25|0|Vrai",
                          c1 + "|1|0,3105|Paris|20040510|50|0|Vrai", c1 + "|30|0|||25|0|Vrai",
                          c1 + "|40|1,15|Nice|20040601|25|0|Vrai", d + "|3|0|||25|0|Vrai",
                          d + "|7|13|Brest|20041201|25|0|Vrai", d + "|22|0|||25|0|Vrai", d + "|33|0|||25|0|Vrai",
                          d + "|41|0|||25|0|Vrai"}));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_nageur WHERE Equipe = 0 AND Equipe_m = true"), "3");
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_tempo"), "0");
}

void TstEngag::tempsSaisisFormates_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("stocke");
    QTest::newRow("vide") << "" << "0";
    QTest::newRow("point final") << "12." << "12";
    QTest::newRow("point seul") << "." << "0";
    QTest::newRow("temps") << "1.0523" << "1,0523";
    QTest::newRow("trop long") << "100" << "0";
}

void TstEngag::tempsSaisisFormates()
{
    QFETCH(QString, tape);
    QFETCH(QString, stocke);
    Contexte c;
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Ajouter(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[2]);
    Taper(f->txt_temps[2], tape);
    Taper(f->Text1[2], "L'Isle");
    Cliquer(f->cmd_0);
    QCOMPARE(Lignes_requete("SELECT Tps_engagement, Lieu_perf FROM Engag"), QStringList{stocke + "|L'Isle"});
}

void TstEngag::retirerUnNageur()
{
    Contexte c;
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Ajouter(f, "CLAIRE");
    Ajouter(f, "DIANE");
    Montrer(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[2]);
    Montrer(f, "DIANE");
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag"), "1");
    // Adding her again does nothing.
    Montrer(f, "CLAIRE");
    f->lsv_engag->setFocus();
    QKeyEvent suppr(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(f->lsv_engag, &suppr);
    QCOMPARE(Nombre_lignes(f->lsv_engag), 1);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag"), "0");
    QCOMPARE(Lignes_requete("SELECT Equipe, Equipe_m FROM Engag_nageur WHERE Num_Lic = " + c.nageurs["CLAIRE"]),
             QStringList{"0|Faux"});
    // Taken back: her row moves, no second row.
    Ajouter(f, "CLAIRE");
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_nageur WHERE Num_Lic = " + c.nageurs["CLAIRE"]), "1");
    Cliquer(f->cmd_0);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_nageur"), "2");
}

// The pool options of a swimmer's ticked rows do not stay on for the next one, nor on a row
// unticked: cleared and greyed.
void TstEngag::optionsDeBassinVideesPourLeNageurSuivant()
{
    Contexte c;
    c.perf(1, "CLAIRE", 50, "20041010", 0.3105, "Paris");
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Ajouter(f, "CLAIRE");
    Ajouter(f, "DIANE");
    Montrer(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[1]); // her best time, swum in a 50 m pool
    Cocher(f->Check1[2]);
    QVERIFY(f->Option1[51]->isChecked());
    QVERIFY(f->Option1[2]->isChecked());
    const auto allumees = [&f] {
        QStringList options;
        for (auto o = f->Option1.cbegin(); o != f->Option1.cend(); ++o) {
            if ((*o)->isChecked() || (*o)->isEnabled())
                options << QString::number(o.key());
        }
        return options;
    };
    Montrer(f, "DIANE");
    QCOMPARE(allumees(), QStringList());
    // Back to her: her pools come back; unticking a row clears its own.
    Montrer(f, "CLAIRE");
    QVERIFY(f->Option1[51]->isChecked() && f->Option1[2]->isChecked());
    Cocher(f->Check1[1]);
    QCOMPARE(allumees(), (QStringList {"2", "52"}));
    QVERIFY(f->Option1[2]->isChecked() && !f->Option1[52]->isChecked());
}

void TstEngag::listeDesLicencesParEquipe()
{
    Contexte c;
    c.base.executer("INSERT INTO Engag_equipe VALUES (" + c.compet + ", " + strNumProfil + ", 1, 1, 1, 0, 0, 0)");
    QPointer<frm_engag> f;
    c.ouvrir(f);
    QCOMPARE(f->cbo_team->count(), 4);
    Ajouter(f, "ALBERT");
    f->cbo_team->setCurrentText("Equipe 1 Homme");
    // Only men, and not the one placed in another team.
    QCOMPARE(Nombre_lignes(f->lsv_licencie), 1);
    QCOMPARE(Ligne(f->lsv_licencie, 1)->text(0), "BERNARD");
    f->cbo_team->setCurrentText("Equipe 1 Mixte");
    QCOMPARE(Nombre_lignes(f->lsv_licencie), 3);
}

void TstEngag::baisserLesEquipesVideLesEquipesAuDessus()
{
    Contexte c;
    const QString p = strNumProfil, k = c.compet;
    c.base.executer("INSERT INTO Engag_equipe VALUES (" + k + ", " + p + ", 3, 3, 3, 0, 0, 0)");
    const QString a = c.nageurs["ALBERT"], b = c.nageurs["BERNARD"], cl = c.nageurs["CLAIRE"], d = c.nageurs["DIANE"];
    // ALBERT in men's team 3, CLAIRE in women's team 3, DIANE in mixed team 3, BERNARD in men's team 2.
    for (const auto& [n, eq, m] : {std::tuple{a, 3, false}, {cl, 3, false}, {d, 3, true}, {b, 2, false}}) {
        c.base.executer(QString("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES "
                                "(%1, %2, %3, %4, %5)")
                            .arg(p, k, n)
                            .arg(eq)
                            .arg(m ? "true" : "false"));
        c.base.executer(QString("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) "
                                "VALUES (%1, %2, 1, %3, %4, %5)")
                            .arg(k, p, n)
                            .arg(eq)
                            .arg(m ? "true" : "false"));
    }
    // Relays: men's 3 (event 54 is men's), women's 3, men's 2.
    c.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) VALUES "
                    "(" + p + ", " + k + ", (SELECT min(Code_Nage) FROM Nage WHERE Nb_nageurs > 1 AND Sexe = 'M'), 1, 3, false)");
    c.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) VALUES "
                    "(" + p + ", " + k + ", (SELECT min(Code_Nage) FROM Nage WHERE Nb_nageurs > 1 AND Sexe = 'F'), 1, 3, false)");
    c.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) VALUES "
                    "(" + p + ", " + k + ", (SELECT min(Code_Nage) FROM Nage WHERE Nb_nageurs > 1 AND Sexe = 'M'), 1, 2, false)");
    QPointer<frm_engag> f;
    c.ouvrir(f);
    f->cbo_team->setCurrentText("Equipe 3 Homme");
    QCOMPARE(Nombre_lignes(f->lsv_engag), 1);
    Cliquer(f->cmd_def_team);
    QVERIFY(!f->cmd_0->isEnabled());
    Taper(f->txt_nb_equipe[0], "2");
    Taper(f->txt_nb_equipe[2], "2");
    Cliquer(f->Cmd_equipe_0);
    QCOMPARE(f->cbo_team->currentText(), "Individuel");
    QVERIFY(f->cmd_0->isEnabled());
    QCOMPARE(c.base.valeur("SELECT Eq_Homme || Eq_Femme || Eq_Mixte FROM Engag_equipe"), "232");
    QCOMPARE(Lignes_requete("SELECT Num_Lic, Equipe, Equipe_m FROM Engag_nageur ORDER BY Num_Lic"),
             QStringList({a + "|0|Faux", b + "|2|Faux", cl + "|3|Faux", d + "|0|Faux"}));
    QCOMPARE(Valeurs_colonne("SELECT Num_Lic FROM Engag ORDER BY Num_Lic"), QStringList({b, cl}));
    QCOMPARE(Valeurs_colonne("SELECT Num_equipe || n.Sexe FROM Relais r, Nage n WHERE n.Code_Nage = r.Code_epreuve "
                             "ORDER BY 1"),
             QStringList({"2M", "3F"}));
    Cliquer(f->cmd_0);
    // The removed swimmers are gone once the edit ends.
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_nageur"), "2");
}

void TstEngag::nombresEquipesBornes()
{
    Contexte c;
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Cliquer(f->cmd_def_team);
    Taper(f->txt_nb_equipe[0], "75");
    Taper(f->txt_nb_equipe[1], "");
    Taper(f->txt_nb_equipe[2], "a1");
    Cliquer(f->Cmd_equipe_0);
    QCOMPARE(c.base.valeur("SELECT Eq_Homme || '/' || Eq_Femme || '/' || Eq_Mixte FROM Engag_equipe"), "49/0/1");
    QCOMPARE(f->cbo_team->count(), 51);
    // "&Annuler" of the counts gives the boxes back.
    Cliquer(f->cmd_def_team);
    Taper(f->txt_nb_equipe[0], "3");
    Cliquer(f->Cmd_equipe_1);
    QCOMPARE(f->txt_nb_equipe[0]->text(), "49");
}

void TstEngag::annulerEtCaseDeFermetureRestaurent_data()
{
    QTest::addColumn<int>("sortie"); // 0 "&Ok", 1 "&Annuler", 2 the close box
    QTest::newRow("Ok") << 0;
    QTest::newRow("Annuler") << 1;
    QTest::newRow("case de fermeture") << 2;
}

void TstEngag::annulerEtCaseDeFermetureRestaurent()
{
    QFETCH(int, sortie);
    Contexte c;
    const QString p = strNumProfil, k = c.compet;
    const QString a = c.nageurs["ALBERT"], cl = c.nageurs["CLAIRE"];
    c.base.executer("INSERT INTO Engag_equipe VALUES (" + k + ", " + p + ", 2, 0, 0, 0, 0, 0)");
    c.base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES (" + p + ", " + k
                    + ", " + a + ", 2, false)");
    c.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, "
                    "Tps_engagement) VALUES (" + k + ", " + p + ", 52, " + a + ", 2, false, 1.02)");
    c.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Licence1) "
                    "VALUES (" + p + ", " + k + ", (SELECT min(Code_Nage) FROM Nage WHERE Nb_nageurs > 1 AND Sexe = 'M'), 1, 2, false, " + a + ")");
    const QString etat = "SELECT (SELECT group_concat(Num_Lic || ':' || Equipe || Equipe_m) FROM Engag_nageur), "
                         "(SELECT group_concat(Code_epreuve || ':' || Tps_engagement) FROM Engag), "
                         "(SELECT Eq_Homme FROM Engag_equipe), (SELECT count(*) FROM Relais)";
    const QStringList avant = Lignes_requete(etat);
    Debuter_edition_engag({k, false, "Choix pour engagements"});
    QPointer<frm_engag> f;
    c.ouvrir(f);
    // CLAIRE added with an entry, ALBERT removed from team 2, the men's teams lowered to 1.
    Ajouter(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[2]);
    f->cbo_team->setCurrentText("Equipe 2 Homme");
    Montrer(f, "ALBERT");
    Cliquer(f->Cmd_add_1);
    Cliquer(f->cmd_def_team);
    Taper(f->txt_nb_equipe[0], "1");
    Cliquer(f->Cmd_equipe_0);
    if (sortie == 0)
        Cliquer(f->cmd_0);
    else if (sortie == 1)
        Cliquer(f->cmd_1);
    else
        f->close();
    Traiter_evenements();
    QVERIFY(!f);
    if (sortie == 0)
        QCOMPARE(Lignes_requete(etat), QStringList{cl + ":01|2:0.0|1|0"});
    else
        QCOMPARE(Lignes_requete(etat), avant);
    for (const char* t : {"Engag_tempo", "Relais_tempo"})
        QCOMPARE(c.base.valeur(QString("SELECT count(*) FROM ") + t), "0");
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag_nageur WHERE Old_equipe <> 0 OR Old_equipe_m"), "0");
}

void TstEngag::modeleFaitAppliqueEcraseSupprime()
{
    Contexte c;
    const QString p = strNumProfil, k = c.compet;
    const QString cl = c.nageurs["CLAIRE"], a = c.nageurs["ALBERT"];
    c.base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES (" + p + ", " + k
                    + ", " + cl + ", 0, true)");
    c.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, "
                    "Tps_engagement) VALUES (" + k + ", " + p + ", 2, " + cl + ", 0, true, 1.1)");
    // "Faire un modèle" on "&Ok": a new template named in the dialog.
    Debuter_edition_engag({k, false, "Choix pour engagements"});
    QPointer<frm_engag> f;
    c.ouvrir(f);
    f->Chk_DoModele->setChecked(true);
    Cliquer(f->cmd_0);
    auto* l = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
    QVERIFY(l);
    QVERIFY(f && !f->isVisible());
    QCOMPARE(l->strAction, "modele depuis engagement");
    QVERIFY(!l->Command1_0->isEnabled());
    c.ihm.repondreModal([](QDialog& d) {
        auto& dialogue = static_cast<det_modele_obli&>(d);
        dialogue.Text1->setText("Printemps");
        QTest::mouseClick(dialogue.Command1_0, Qt::LeftButton);
        return dialogue.result();
    });
    Cliquer(l->Command1_2);
    Traiter_evenements();
    QVERIFY(!f);
    QVERIFY(!Fenetre_nommee<frm_liste_modele>("frm_liste_modele"));
    QCOMPARE(intNbFenetres, qint16(0));
    const QString m = c.base.valeur("SELECT NumAuto FROM Modele_engag WHERE Nom_modele = 'Printemps'");
    QCOMPARE(Lignes_requete("SELECT Code_epreuve, Num_Lic FROM Engag_modele WHERE Num_modele = " + m),
             QStringList{"2|" + cl});

    // Applied to another competition from its entry window ("&Modèle").
    c.base.executer("INSERT INTO Rcomp (Nom, Debut, Fin, Longueur, Visible) VALUES ('D', '20050410', '20050410', 25, true)");
    const QString k2 = c.base.valeur("SELECT max(AutoNum) FROM Rcomp");
    Debuter_edition_engag({k2, false, "Choix pour engagements"});
    QPointer<frm_engag> g;
    c.ouvrir(g, "Choix pour engagements", false, k2);
    QCOMPARE(Nombre_lignes(g->lsv_engag), 0);
    // A swimmer shown with an unsaved entry, not in the template: the template wins.
    Ajouter(g, "DIANE");
    g->SSTab2->setCurrentIndex(3);
    Cocher(g->Check1[3]);
    Cliquer(g->Cmd_modele);
    l = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
    QVERIFY(l);
    QCOMPARE(l->strNumCompetSrc, k2);
    Cliquer(l->Command1_0);
    Traiter_evenements();
    QCOMPARE(Nombre_lignes(g->lsv_engag), 1);
    QVERIFY(g->Check1[2]->isChecked());
    Cliquer(g->cmd_0);
    QCOMPARE(Lignes_requete("SELECT Code_epreuve, Num_Lic FROM Engag WHERE Num_compet = " + k2), QStringList{"2|" + cl});

    // Overwritten from the first competition after the question, now with ALBERT only.
    c.base.executer("DELETE FROM Engag WHERE Num_compet = " + k);
    c.base.executer("UPDATE Engag_nageur SET Num_Lic = " + a + " WHERE Num_compet = " + k);
    c.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) VALUES ("
                    + k + ", " + p + ", 53, " + a + ", 0, true)");
    Debuter_edition_engag({k, false, "Choix pour engagements"});
    c.ouvrir(f);
    f->Chk_DoModele->setChecked(true);
    Cliquer(f->cmd_0);
    l = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
    c.ihm.repondre(Reponse::Non);
    Cliquer(l->Command1_0);
    QVERIFY(Fenetre_nommee<frm_liste_modele>("frm_liste_modele"));
    c.ihm.repondre(Reponse::Oui);
    Cliquer(l->Command1_0);
    Traiter_evenements();
    QVERIFY(c.ihm.messages().contains("Ecraser le modèle d'engagements Printemps ?"));
    QCOMPARE(Lignes_requete("SELECT Code_epreuve, Num_Lic FROM Engag_modele"), QStringList{"53|" + a});
    QCOMPARE(Valeurs_colonne("SELECT Num_Lic FROM Engag_nageur_modele"), QStringList{a});
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstEngag::modeVueNEcritRien()
{
    Contexte c;
    c.base.executer("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('M', " + strNumProfil + ")");
    const QString m = c.base.valeur("SELECT max(NumAuto) FROM Modele_engag");
    c.base.executer("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe, Equipe_m) VALUES (" + m + ", "
                    + c.nageurs["CLAIRE"] + ", 0, true)");
    c.base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) VALUES (" + m
                    + ", 3, " + c.nageurs["CLAIRE"] + ", 0, true)");
    const QStringList avant = Lignes_requete("SELECT * FROM Engag_modele") + Lignes_requete("SELECT * FROM Engag_nageur_modele");
    QPointer<frm_engag> f;
    Ouvrir_frm_engag(f, "Modèle d'engagements M", "View", true, m, nullptr, false);
    QVERIFY(f->Check1[3]->isChecked());
    QVERIFY(!f->Check1[3]->isEnabled());
    QVERIFY(!f->Cmd_add_0->isEnabled());
    QVERIFY(!f->Cmd_add_1->isEnabled());
    QVERIFY(!f->cmd_1->isEnabled());
    QVERIFY(!f->Cmd_modele->isVisible());
    f->close();
    QCOMPARE(Lignes_requete("SELECT * FROM Engag_modele") + Lignes_requete("SELECT * FROM Engag_nageur_modele"), avant);
}

void TstEngag::nomDeModele()
{
    Contexte c;
    // An empty name is refused and the dialog stays, the name box ready for typing; a quote is kept.
    bool focusSurLeNom = false;
    c.ihm.repondreModal([&focusSurLeNom](QDialog& d) {
        auto& dialogue = static_cast<det_modele_obli&>(d);
        QTest::mouseClick(dialogue.Command1_0, Qt::LeftButton);
        if (dialogue.result() == QDialog::Accepted)
            return 0;
        focusSurLeNom = dialogue.focusWidget() == dialogue.Text1;
        dialogue.Text1->setText("  L'été  ");
        QTest::mouseClick(dialogue.Command1_0, Qt::LeftButton);
        return dialogue.result();
    });
    Demander_nom_modele("Nouveau", true, 1, QString(), QString(), QString(), nullptr);
    QVERIFY(c.ihm.messages().contains("Donner un nom au profil."));
    QVERIFY(focusSurLeNom);
    QCOMPARE(c.base.valeur("SELECT Nom_modele FROM Modele_engag"), "L'été");
    const QString m = c.base.valeur("SELECT NumAuto FROM Modele_engag");
    auto* f = Fenetre_nommee<frm_engag>("frm_engag");
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), "Définition des engagements pour nouveau modèle L'été");
    QCOMPARE(f->strAction, "new modele");
    QVERIFY(!Menu("mnuModeleEngagNew") || true);
    // Entries of the new template: ticks only.
    Ajouter(f, "ALBERT");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[4]);
    QVERIFY(!f->txt_temps[4]->isEnabled());
    Cliquer(f->cmd_0);
    QCOMPARE(Lignes_requete("SELECT Num_modele, Code_epreuve FROM Engag_modele"), QStringList{m + "|54"});
    // Renamed.
    c.ihm.repondreModal([](QDialog& d) {
        auto& dialogue = static_cast<det_modele_obli&>(d);
        dialogue.Text1->setText("Hiver");
        QTest::mouseClick(dialogue.Command1_0, Qt::LeftButton);
        return dialogue.result();
    });
    Demander_nom_modele("Modif", true, 1, "Modele_engag", m, "L'été", nullptr);
    QCOMPARE(c.base.valeur("SELECT Nom_modele FROM Modele_engag"), "Hiver");
}

void TstEngag::suppressionDeModelesAvecLeurContenu()
{
    Contexte c;
    for (const char* nom : {"A", "B", "C"}) {
        c.base.executer(QString("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('%1', %2)").arg(nom, strNumProfil));
        const QString m = c.base.valeur("SELECT max(NumAuto) FROM Modele_engag");
        c.base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic, Num_equipe) VALUES (" + m + ", 1, 1, 0)");
        c.base.executer("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe) VALUES (" + m + ", 1, 0)");
        c.base.executer("INSERT INTO Engag_equipe_modele (Num_modele, Eq_Homme, Eq_Femme, Eq_Mixte) VALUES (" + m + ", 1, 1, 1)");
    }
    QPointer<frm_liste_modele> l;
    auto marquer = [&](const QList<int>& lignes) {
        Ouvrir_liste_modeles(l, "Supprimer des modèles d'engagements", "Suppr", true, "&Supprimer", "Engag", 0, 0,
                             QString(), nullptr);
        l->Lsv_modele->clearSelection();
        for (int i : lignes)
            Ligne(l->Lsv_modele, i)->setSelected(true);
        QTest::keyClick(l->Lsv_modele, Qt::Key_Delete);
    };
    // Marked then cancelled: all stay, unmarked.
    marquer({1, 2});
    QCOMPARE(Nombre_lignes(l->Lsv_modele), 1);
    Cliquer(l->Command1_1);
    Traiter_evenements();
    QCOMPARE(c.base.valeur("SELECT count(*) || '/' || sum(Suppr) FROM Modele_engag"), "3/0");
    marquer({1, 3});
    Cliquer(l->Command1_0);
    Traiter_evenements();
    QCOMPARE(Valeurs_colonne("SELECT Nom_modele FROM Modele_engag"), QStringList{"B"});
    const QString b = c.base.valeur("SELECT NumAuto FROM Modele_engag");
    for (const char* t : {"Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
        QCOMPARE(Valeurs_colonne(QString("SELECT DISTINCT Num_modele FROM ") + t), QStringList{b});
}

void TstEngag::nouveauModeleAnnuleSupprimeSonContenu()
{
    Contexte c;
    c.ihm.repondreModal([](QDialog& d) {
        auto& dialogue = static_cast<det_modele_obli&>(d);
        dialogue.Text1->setText("Neuf");
        QTest::mouseClick(dialogue.Command1_0, Qt::LeftButton);
        return dialogue.result();
    });
    Demander_nom_modele("Nouveau", true, 1, QString(), QString(), QString(), nullptr);
    auto* f = Fenetre_nommee<frm_engag>("frm_engag");
    QVERIFY(f);
    QVERIFY(!Tous_les_verrous().isEmpty() && Tous_les_verrous() != Aucun_verrou());
    Ajouter(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    Cocher(f->Check1[1]);
    Cliquer(f->cmd_def_team);
    Taper(f->txt_nb_equipe[1], "2");
    Cliquer(f->Cmd_equipe_0);
    f->close(); // the close box
    Traiter_evenements();
    for (const char* t : {"Modele_engag", "Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
        QCOMPARE(c.base.valeur(QString("SELECT count(*) FROM ") + t), "0");
}

void TstEngag::profilSupprimeAvecSesModeles()
{
    Contexte c;
    c.base.executer("INSERT INTO Profil (Libelle, Code_club) VALUES ('Q', 'FRA1320021234')");
    const QString q = c.base.valeur("SELECT max(Num) FROM Profil");
    for (const QString& p : {strNumProfil, q}) {
        c.base.executer("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('E', " + p + ")");
        c.base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve) VALUES ((SELECT max(NumAuto) FROM Modele_engag), 1)");
        c.base.executer("INSERT INTO Modele_prog (Nom_modele, Num_profil) VALUES ('P', " + p + ")");
        c.base.executer("INSERT INTO Pcomp_modele (Num_modele, Code_epreuve) VALUES ((SELECT max(NumAuto) FROM Modele_prog), 1)");
    }
    Supprimer_profils({q});
    const QString m = c.base.valeur("SELECT NumAuto FROM Modele_engag");
    QCOMPARE(Valeurs_colonne("SELECT Num_profil FROM Modele_engag UNION ALL SELECT Num_profil FROM Modele_prog"),
             QStringList({strNumProfil, strNumProfil}));
    QCOMPARE(Valeurs_colonne("SELECT Num_modele FROM Engag_modele"), QStringList{m});
    QCOMPARE(Valeurs_colonne("SELECT Num_modele FROM Pcomp_modele"), Valeurs_colonne("SELECT NumAuto FROM Modele_prog"));
}

void TstEngag::captures()
{
    Contexte c;
    c.perf(1, "CLAIRE", 50, "20040510", 0.3105, "Paris");
    c.perf(3, "CLAIRE", 25, "20041010", 2.2512, "Lyon");
    QPointer<frm_engag> f;
    c.ouvrir(f);
    Ajouter(f, "CLAIRE");
    f->SSTab2->setCurrentIndex(3);
    for (int i : {1, 3, 5})
        Cocher(f->Check1[i]);
    Capturer(f, "frm_engag_nage_libre");
    f->SSTab2->setCurrentIndex(4);
    Capturer(f, "frm_engag_4_nages");
    c.base.executer("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('Interclubs', " + strNumProfil + ")");
    QPointer<frm_liste_modele> l;
    Ouvrir_liste_modeles(l, "Liste des modèles d'engagements", "View", true, "&Voir", "Engag", 0, 0, QString(), nullptr);
    Capturer(l, "frm_liste_modele");
}

QTEST_MAIN(TstEngag)
#include "tst_engag.moc"
