// The club windows driven as a user would: the code builder, the club dialogs, the club list in
// each mode with its menu locks, the forced "Nouveau Club" and the country picker.

#include "clubs_licences/code_club.h"
#include "clubs_licences/construc_code_club.h"
#include "clubs_licences/dem_info.h"
#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/frm_liste_pays.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/services.h"
#include "core/utils.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "core/sauvegarde.h"
#include "port_test.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString codeC = "FRA1320025555";

// A base, the scripted user and a count of the profile reloads.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    int rechargements = 0;
    Contexte()
    {
        Etapes_base().chargerProfilCourant = [this](bool) { ++rechargements; };
    }
    ~Contexte() { Etapes_base().chargerProfilCourant = {}; }
    QString club(const QString& code, const QString& nom)
    {
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + code + "', " + Sql_texte(nom) + ")");
        base.executer("INSERT INTO Profil (Libelle, Code_club) VALUES (" + Sql_texte(nom) + ", '" + code + "')");
        base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Visible) VALUES ('" + code + "', '09123F', 'X', true)");
        return base.valeur("SELECT Num FROM Club WHERE Code_federal = '" + code + "'");
    }
};







// The caller of the pickers: it is told when they close.
class Appelant : public QWidget, public AppelantFenetres {
public:
    Appelant()
    {
        for (const char* nom : {"text1_11", "text1_1", "text1_3"}) {
            auto* t = new QLineEdit(this);
            t->setObjectName(nom);
        }
        auto* l = new QLabel(this);
        l->setObjectName("txt_nom_club");
    }
    QString texte(const char* nom) const { return findChild<QWidget*>(nom)->property("text").toString(); }
    void ForceUnloadWindowsEngag(const QString& nom) override { fermees << nom; }
    QStringList fermees;
};

void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

} // namespace

class TstFenetresClub : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void constructeurRetrouveLeCode_data();
    void constructeurRetrouveLeCode();
    void constructeurNumeroEtType();
    void constructeurCopieSurConfirmation();
    void constructeurSansPays();
    void nouveauClubDepuisLeMenu();
    void nouveauClubRefuse();
    void listeModifRenommeEtReselectionne();
    void listeSupprAnnuleePuisValidee();
    void listeChoisirEcritDansLAppelant();
    void listeClubPourProfil();
    void dialogueObligatoireNeSeQuittePasSansClub();
    void dialogueObligatoireSeulementSansClubVisible();
    void dialogueObligatoireTientLeNomEntier();
    void listeDesPays();
    void captures();
};

void TstFenetresClub::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstFenetresClub::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

// ---- Code builder --------------------------------------------------------------------------

void TstFenetresClub::constructeurRetrouveLeCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("pays");
    QTest::addColumn<QString>("codification");
    QTest::newRow("fédérale") << "FRA0000000000" << 1 << "FRANCE" << "FRA0000000000";
    QTest::newRow("inter-régionale") << "FRA1000000000" << 2 << "FRANCE" << "FRA1000000000";
    QTest::newRow("régionale") << "FRA1320000000" << 3 << "FRANCE" << "FRA1320000000";
    QTest::newRow("départementale") << "FRA1320020000" << 4 << "FRANCE" << "FRA1320020000";
    QTest::newRow("club") << codeA << 0 << "FRANCE" << codeA;
    QTest::newRow("club corse") << "FRA39402A0042" << 0 << "FRANCE" << "FRA39402A0042";
    QTest::newRow("club étranger") << "BEL0000001234" << 0 << "BELGIQUE" << "BEL0000001234";
    QTest::newRow("sélection étrangère") << "BEL0000000000" << 1 << "BELGIQUE" << "BEL0000000000";
    QTest::newRow("invalide") << "FRA9000000000" << 2 << "FRANCE" << "";
    QTest::newRow("pays inconnu") << "XXX1320021234" << 0 << "FRANCE" << "";
}

void TstFenetresClub::constructeurRetrouveLeCode()
{
    QFETCH(QString, code);
    QFETCH(int, type);
    QFETCH(QString, pays);
    QFETCH(QString, codification);
    Contexte ctx;
    QLineEdit cible(code);
    construc_code_club constructeur;
    constructeur.objTextBoxCible = &cible;
    constructeur.remplir_info();
    QVERIFY(constructeur.findChild<QRadioButton*>(QString("Opt_type_%1").arg(type))->isChecked());
    QCOMPARE(constructeur.Cb_pays->currentText(), pays);
    QCOMPARE(constructeur.txt_codification->text(), codification);
    if (type == TypeClub::Federale) {
        for (QComboBox* liste : {constructeur.Cb_inter, constructeur.Cb_region, constructeur.Cb_departement}) {
            QCOMPARE(liste->count(), 0);
            QVERIFY(!liste->isEnabled());
        }
    }
    if (pays != "FRANCE") {
        // Abroad: no region, and only the club and federal kinds.
        QVERIFY(!constructeur.Cb_region->isEnabled());
        QVERIFY(!constructeur.Opt_type[2]->isEnabled());
        QVERIFY(!constructeur.Opt_type[4]->isEnabled());
    }
    QVERIFY(ctx.ihm.appels().empty());
}

void TstFenetresClub::constructeurNumeroEtType()
{
    Contexte ctx;
    QLineEdit cible;
    construc_code_club constructeur;
    constructeur.objTextBoxCible = &cible;
    constructeur.remplir_info();
    QVERIFY(constructeur.Opt_type[0]->isChecked());
    QCOMPARE(constructeur.Cb_pays->currentText(), QString("FRANCE"));
    QVERIFY(constructeur.Cb_departement->isEnabled());

    // The user walks down the lists to a label holding a quote.
    constructeur.Cb_inter->setCurrentText("Île-de-France");
    constructeur.Cb_departement->setCurrentText("Val-d'Oise");
    QVERIFY(constructeur.Generer());
    QCOMPARE(constructeur.txt_codification->text(), QString("FRA5110950001"));
    QCOMPARE(constructeur.txt_code_fourni->text(), QString("0001"));

    constructeur.txt_code_fourni->setText("12");
    constructeur.Command1_0->click();
    QCOMPARE(constructeur.txt_code_fourni->text(), QString("0012"));
    QCOMPARE(constructeur.txt_codification->text(), QString("FRA5110950012"));

    // A selection kind: the number is "0000" and cannot be typed; lower lists follow the kind.
    constructeur.Opt_type[TypeClub::Regionale]->click();
    QVERIFY(!constructeur.txt_code_fourni->isEnabled());
    QVERIFY(!constructeur.Cb_departement->isEnabled());
    QVERIFY(constructeur.Generer());
    QString message;
    QVERIFY(constructeur.txt_codification->text().endsWith("0000000"));
    QVERIFY(Code_club_valide(constructeur.txt_codification->text(), false, message));

    // A foreign country turns a French kind into the federal selection.
    constructeur.Cb_pays->setCurrentText("BELGIQUE");
    QVERIFY(constructeur.Opt_type[TypeClub::Federale]->isChecked());
    QVERIFY(constructeur.Generer());
    QCOMPARE(constructeur.txt_codification->text(), QString("BEL0000000000"));

    // The number box keeps letters (upper-cased) and digits only.
    constructeur.Opt_type[TypeClub::Club]->click();
    QVERIFY(constructeur.txt_code_fourni->isEnabled());
    constructeur.txt_code_fourni->clear();
    QTest::keyClicks(constructeur.txt_code_fourni, "a-1'2");
    QCOMPARE(constructeur.txt_code_fourni->text(), QString("A12"));
    QVERIFY(constructeur.Generer());
    QCOMPARE(constructeur.txt_codification->text(), QString("BEL0000000001"));
}

void TstFenetresClub::constructeurCopieSurConfirmation()
{
    Contexte ctx;
    QLineEdit cible(codeA);
    {
        construc_code_club constructeur;
        constructeur.objTextBoxCible = &cible;
        constructeur.remplir_info();
        constructeur.txt_code_fourni->setText("77");
        ctx.ihm.repondre(Reponse::Non);
        constructeur.Command1_1->click();
        QCOMPARE(constructeur.result(), int(QDialog::Accepted));
    }
    QCOMPARE(cible.text(), codeA);
    {
        construc_code_club constructeur;
        constructeur.objTextBoxCible = &cible;
        constructeur.remplir_info();
        constructeur.txt_code_fourni->setText("77");
        ctx.ihm.repondre(Reponse::Oui);
        constructeur.Command1_1->click();
    }
    QCOMPARE(cible.text(), QString("FRA1320020077"));
    QCOMPARE(ctx.ihm.messages(), (QStringList {"Copier le code Club ?", "Copier le code Club ?"}));
}

void TstFenetresClub::constructeurSansPays()
{
    Contexte ctx;
    QLineEdit cible(codeA);
    construc_code_club constructeur;
    constructeur.objTextBoxCible = &cible;
    constructeur.remplir_info();
    // The lists were filled before the geography changed under them.
    ctx.base.executer("DELETE FROM Departement WHERE Code = '002'");
    QVERIFY(constructeur.Generer());
    QCOMPARE(constructeur.txt_codification->text(), QString("FRA1320001234"));
    ctx.base.executer("DELETE FROM Pays WHERE Code = 'FRA'");
    QVERIFY(!constructeur.Generer());
    constructeur.Command1_1->click(); // nothing composed: no question, nothing copied
    QCOMPARE(cible.text(), codeA);
    QVERIFY(ctx.ihm.appels().empty());
}

// ---- Club dialogs --------------------------------------------------------------------------

void TstFenetresClub::nouveauClubDepuisLeMenu()
{
    Contexte ctx;
    QPointer<dem_info> info;
    Ouvrir_info_club(info, "Nouveau", QString(), QString(), 0, nullptr);
    QVERIFY(info);
    QCOMPARE(intNbFenetres, qint16(1));
    QCOMPARE(Compteurs_verrou(colVerrouClub), (QList<int> {1, 1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {1, 0, 1, 0, 0, 0}));
    ChampsClub* c = info->champs;
    QVERIFY(!c->Command1_1->isEnabled()); // no visible club yet: no way out but a club
    QVERIFY(!c->Command1_0->isEnabled());

    QTest::keyClicks(c->Text1_0, " L'Isle Natation");
    QCOMPARE(c->Text1_0->text(), QString("L'Isle Natation"));
    QTest::keyClicks(c->Text1_1, "fra13200'2123");
    QCOMPARE(c->Text1_1->text(), QString("FRA132002123"));
    QVERIFY(!c->Command1_0->isEnabled());
    QTest::keyClicks(c->Text1_1, "4");
    QVERIFY(c->Command1_0->isEnabled());
    c->Text1_0->clear();
    QVERIFY(!c->Command1_0->isEnabled());
    QTest::keyClicks(c->Text1_0, "L'Isle Natation");

    c->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!info);
    QCOMPARE(ctx.base.valeur("SELECT Code_federal || '|' || Intitule || '|' || Visible FROM Club"),
             codeA + "|L'Isle Natation|1");
    QCOMPARE(ctx.rechargements, 0);
}

void TstFenetresClub::nouveauClubRefuse()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.club(codeA, "A");
    QPointer<dem_info> info;
    Ouvrir_info_club(info, "Nouveau", QString(), QString(), 0, nullptr);
    ChampsClub* c = info->champs;
    QVERIFY(c->Command1_1->isEnabled());
    c->Text1_0->setText("B");
    c->Text1_1->setText(codeA.toLower()); // pasted in lower case: the same code
    c->Command1_0->click();
    c->Text1_1->setText("FRA9000001234");
    c->Command1_0->click();
    Traiter_evenements();
    QVERIFY(info && info->isVisible());
    QCOMPARE(ctx.ihm.messages(), (QStringList {"Sauvegarde annulée.\r\nUn club avec le même code existe déjà.",
                                               "Ajout annulé.\r\nLe code club tapé n'est pas valide."}));
    c->Command1_1->click();
    Traiter_evenements();
    QVERIFY(!info);
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Club"), QString("1"));
}

// ---- Club list -----------------------------------------------------------------------------

void TstFenetresClub::listeModifRenommeEtReselectionne()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    const QString numA = ctx.club(codeA, "Zèbres");
    ctx.club(codeB, "Albatros");
    QPointer<Frm_liste_club> liste;
    Ouvrir_liste_club(liste, "Modifier Clubs", "Modif", false, "&Modifier", 0, 0, QString(), QString(), nullptr);
    QCOMPARE(liste->windowTitle(), QString("Modifier Clubs"));
    QVERIFY(!liste->Command1_1->isEnabled());
    QVERIFY(liste->Command1_2->isVisible());
    QCOMPARE(Ligne_courante(liste->Lsv_club), 1);
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {1, 0, 1, 0, 0, 0}));
    QCOMPARE(Compteurs_verrou(colVerrouLicence), (QList<int> {1, 0, 1, 1, 1, 0, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouCompet), (QList<int> {0, 0, 0, 0, 0, 0, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouPerf), (QList<int> {0, 1, 1, 1, 0, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouPointsEquipe), QList<int> {1});

    Double_clic(liste->Lsv_club, 2);
    auto* info = Fenetre_nommee<dem_info>("dem_info");
    QVERIFY(info);
    QCOMPARE(intNbFenetres, qint16(2));
    QCOMPARE(info->champs->Text1_1->text(), codeA);
    QCOMPARE(info->champs->Text1_0->text(), QString("Zèbres"));

    info->champs->Text1_1->setText(codeB); // another club's code
    info->champs->Command1_0->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {"Modification annulée.\r\nUn club avec le même code existe déjà."});
    QVERIFY(info->isVisible());

    info->champs->Text1_1->setText(codeC.toLower());
    info->champs->Text1_0->setText("Aigles");
    info->champs->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!Fenetre_nommee<dem_info>("dem_info"));
    QCOMPARE(ctx.base.valeur("SELECT Code_federal || '|' || Intitule FROM Club WHERE Num = " + numA), codeC + "|Aigles");
    // The club's profile and licences follow its new code.
    QCOMPARE(ctx.base.valeur("SELECT Code_club FROM Profil WHERE Libelle = 'Zèbres'"), codeC);
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Licence WHERE Code_club = '" + codeC + "'"), QString("1"));
    QCOMPARE(ctx.rechargements, 1);
    // Reloaded with the club selected, now first by name.
    QCOMPARE(Ligne_courante(liste->Lsv_club), 1);
    QCOMPARE(Ligne(liste->Lsv_club, 1)->text(0), codeC);

    // Its own code is not a duplicate.
    liste->Command1_2->click();
    info = Fenetre_nommee<dem_info>("dem_info");
    QVERIFY(info);
    info->champs->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(ctx.rechargements, 2);
    QCOMPARE(ctx.ihm.messages().size(), 1);

    // Closing the list takes its dialog with it.
    liste->Command1_2->click();
    QVERIFY(Fenetre_nommee<dem_info>("dem_info"));
    liste->close();
    Traiter_evenements();
    QVERIFY(!Fenetre_nommee<dem_info>("dem_info"));
}

void TstFenetresClub::listeSupprAnnuleePuisValidee()
{
    Contexte ctx;
    const QString numA = ctx.club(codeA, "A");
    const QString numB = ctx.club(codeB, "B");
    ctx.club(codeC, "C");
    QPointer<Frm_liste_club> liste;
    Ouvrir_liste_club(liste, "Supprimer Clubs", "Suppr", true, "&Supprimer", 0, 0, QString(), QString(), nullptr);
    QCOMPARE(Compteurs_verrou(colVerrouProfil), (QList<int> {1, 1, 1, 1, 0, 1}));
    Ligne(liste->Lsv_club, 1)->setSelected(true);
    Ligne(liste->Lsv_club, 2)->setSelected(true);
    QTest::keyClick(liste->Lsv_club, Qt::Key_Delete);
    QCOMPARE(Nombre_lignes(liste->Lsv_club), 1);
    QCOMPARE(Nombre_lignes(liste->Lsv_info_club), 1);
    QCOMPARE(Ligne(liste->Lsv_num, 1)->text(0) + "," + Ligne(liste->Lsv_num, 2)->text(0), numA + "," + numB);
    liste->Command1_1->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Club WHERE Visible = true"), QString("3"));

    Ouvrir_liste_club(liste, "Supprimer Clubs", "Suppr", true, "&Supprimer", 0, 0, QString(), QString(), nullptr);
    liste->Lsv_club->setFocus();
    QTest::keyClick(liste->Lsv_club, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(liste->Lsv_club->selectedItems().size(), 3);
    QTest::keyClick(liste->Lsv_club, Qt::Key_Delete);
    QCOMPARE(Nombre_lignes(liste->Lsv_club), 0);
    QVERIFY(!liste->Command1_2->isEnabled());

    // The last club gone, a new one is forced before the profile is reloaded.
    int rechargementsAvant = -1;
    ctx.ihm.repondreModal([&](QDialog& d) {
        rechargementsAvant = ctx.rechargements;
        auto* c = static_cast<dem_info_obli&>(d).champs;
        c->Text1_0->setText("Nouveau");
        c->Text1_1->setText("FRA1320029999");
        c->Command1_0->click();
        return d.result();
    });
    liste->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!liste);
    QVERIFY(ctx.ihm.toutConsomme());
    QCOMPARE(rechargementsAvant, 0);
    QCOMPARE(ctx.rechargements, 1);
    QCOMPARE(ctx.base.valeur("SELECT group_concat(Intitule) FROM Club WHERE Visible = true"), QString("Nouveau"));
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Licence WHERE Visible = true"), QString("0"));
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Profil"), QString("0"));
}

void TstFenetresClub::listeChoisirEcritDansLAppelant()
{
    Contexte ctx;
    ctx.club(codeA, "A");
    ctx.club(codeB, "B");
    ctx.club("FRA1840000000", "Sélection");
    Appelant appelant;
    const QString prefixe = "SELECT Code_federal, Intitule, Num FROM Club where Visible = true and Code_federal like '%1%' "
                            "order by Intitule";
    QPointer<Frm_liste_club> liste;
    Ouvrir_liste_club(liste, "Choix d'un club", "Choisir", true, QString(), 0, 0, prefixe.arg("FRA132"), QString(),
                      &appelant);
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    QVERIFY(!liste->Command1_2->isVisible());
    QCOMPARE(Nombre_lignes(liste->Lsv_club), 2);
    Double_clic(liste->Lsv_club, 2);
    Traiter_evenements();
    QVERIFY(!liste);
    QCOMPARE(appelant.texte("text1_11"), codeB);
    QCOMPARE(appelant.fermees, QStringList {"Frm_liste_club"});

    Ouvrir_liste_club(liste, "Choix d'un club", "Choisir", true, QString(), 0, 0, prefixe.arg("BEL"), QString(),
                      &appelant);
    QCOMPARE(Nombre_lignes(liste->Lsv_club), 0);
    QVERIFY(!liste->Command1_1->isEnabled());
    liste->Command1_0->click();
    QCOMPARE(appelant.texte("text1_11"), codeB);
}

void TstFenetresClub::listeClubPourProfil()
{
    Contexte ctx;
    ctx.club(codeA, "A");
    ctx.club(codeB, "B");
    Appelant appelant;
    QPointer<Frm_liste_club> liste;
    Ouvrir_liste_club(liste, "Choix d'un club à lier au profil", "liste club pour profil", true, QString(), 0, 0,
                      QString(), codeB, &appelant);
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    QCOMPARE(Ligne_courante(liste->Lsv_club), 2); // the caller's club
    liste->Command1_0->click();
    QCOMPARE(appelant.texte("text1_1"), codeB);
    QCOMPARE(appelant.texte("txt_nom_club"), QString("B"));
}

void TstFenetresClub::dialogueObligatoireNeSeQuittePasSansClub()
{
    Contexte ctx;
    bool resteOuvert = false;
    bool sansFermeture = false;
    bool annulerInactif = false;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& obli = static_cast<dem_info_obli&>(d);
        d.show();
        annulerInactif = !obli.champs->Command1_1->isEnabled();
        sansFermeture = !(d.windowFlags() & Qt::WindowCloseButtonHint);
        d.reject();
        d.close();
        QTest::keyClick(&d, Qt::Key_Escape);
        obli.champs->Command1_1->click();
        resteOuvert = d.isVisible() && d.result() != QDialog::Accepted;
        obli.champs->Text1_0->setText("Club");
        obli.champs->Command1_2->click(); // "Aide": the builder takes its place
        return d.result();
    });
    bool cache = false;
    ctx.ihm.repondreModal([&](QDialog& d) {
        cache = !Fenetre_nommee<QDialog>("dem_info_obli");
        auto& constructeur = static_cast<construc_code_club&>(d);
        constructeur.txt_code_fourni->setText("77");
        constructeur.Command1_1->click();
        return d.result();
    });
    ctx.ihm.repondre(Reponse::Oui);
    QString codeRecu;
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& obli = static_cast<dem_info_obli&>(d);
        codeRecu = obli.champs->Text1_1->text();
        obli.champs->Command1_0->click();
        return d.result();
    });
    Controler_club();
    QVERIFY(annulerInactif);
    QVERIFY(sansFermeture);
    QVERIFY(resteOuvert);
    QVERIFY(cache);
    QCOMPARE(codeRecu, QString("FRA5110910077"));
    QVERIFY(ctx.ihm.toutConsomme());
    QCOMPARE(ctx.base.valeur("SELECT Code_federal || '|' || Intitule FROM Club WHERE Visible = true"),
             QString("FRA5110910077|Club"));
}

void TstFenetresClub::dialogueObligatoireSeulementSansClubVisible()
{
    Contexte ctx;
    ctx.club(codeA, "A");
    Controler_club(); // a dialog would throw: none is expected
    ctx.base.executer("UPDATE Club SET Visible = false");
    ctx.ihm.accepterMessagesOk(true);
    ctx.ihm.repondreModal([&](QDialog& d) {
        auto& obli = static_cast<dem_info_obli&>(d);
        obli.champs->Text1_0->setText("B");
        obli.champs->Text1_1->setText(codeA); // still taken by the hidden club
        obli.champs->Command1_0->click();
        obli.champs->Text1_1->setText(codeB);
        obli.champs->Command1_0->click();
        return d.result();
    });
    Controler_club();
    QCOMPARE(ctx.ihm.messages(), QStringList {"Sauvegarde annulée\r\nUn club avec le même code existe déjà."});
    QCOMPARE(ctx.base.valeur("SELECT Code_federal FROM Club WHERE Visible = true"), codeB);
}

// ---- Country picker ------------------------------------------------------------------------

void TstFenetresClub::listeDesPays()
{
    Contexte ctx;
    Appelant appelant;
    QPointer<frm_liste_pays> pays;
    Ouvrir_liste_pays(pays, "Choisir", "FRANCE", 0, 0, &appelant);
    QCOMPARE(pays->windowTitle(), QString("Liste des Pays"));
    QCOMPARE(intNbFenetres, qint16(1));
    QCOMPARE(Ligne(pays->Lsv_pays, 1)->text(0), QString("AFGHANISTAN"));
    const int belgique = Chercher_element("BELGIQUE", pays->Lsv_pays, 0, 0, 0);
    Double_clic(pays->Lsv_pays, belgique);
    Traiter_evenements();
    QVERIFY(!pays);
    QCOMPARE(appelant.texte("text1_3"), QString("BELGIQUE"));
    QCOMPARE(appelant.fermees, QStringList {"frm_liste_pays"});

    // Closed by its box, or in another mode: nothing written, the caller still told.
    Ouvrir_liste_pays(pays, "View", QString(), 0, 0, &appelant);
    Double_clic(pays->Lsv_pays, 1);
    QVERIFY(pays);
    pays->Command1_0->click();
    Traiter_evenements();
    Ouvrir_liste_pays(pays, "Choisir", QString(), 0, 0, &appelant);
    pays->close();
    Traiter_evenements();
    QCOMPARE(appelant.texte("text1_3"), QString("BELGIQUE"));
    QCOMPARE(appelant.fermees.size(), 3);

    ctx.base.executer("DELETE FROM Pays");
    Ouvrir_liste_pays(pays, "Choisir", QString(), 0, 0, nullptr);
    QCOMPARE(Nombre_lignes(pays->Lsv_pays), 0);
    QVERIFY(!pays->Command1_1->isEnabled());
    pays->Command1_0->click();
    Traiter_evenements();
    QVERIFY(!pays);
}

// ---- What the user sees --------------------------------------------------------------------

// Shown by the desktop's own port, the dialog is as wide as its 30-character name box needs.
void TstFenetresClub::dialogueObligatoireTientLeNomEntier()
{
    dem_info_obli obli;
    QRect boite, fenetre;
    QTimer::singleShot(0, [&] {
        QLineEdit* nom = obli.champs->Text1_0;
        for (int i = 0; i < nom->maxLength(); ++i)
            QTest::keyClick(nom, Qt::Key_N, Qt::ShiftModifier, 'N');
        boite = QRect(nom->mapTo(&obli, QPoint(0, 0)), nom->size());
        fenetre = obli.rect();
        obli.done(QDialog::Rejected);
    });
    PortIhmQt().executerModal(obli);
    QVERIFY(!boite.isEmpty());
    QVERIFY2(fenetre.contains(boite), qPrintable(QString("boîte jusqu'à %1, fenêtre de %2").arg(boite.right()).arg(fenetre.width())));
}

void TstFenetresClub::captures()
{
    Contexte ctx;
    ctx.club(codeA, "Cercle des Nageurs de l'Aisne");
    ctx.club(codeB, "Saint-Quentin Natation");
    ctx.club(codeC, "Laon Aquatique");
    ctx.club("FRA1320020000", "Sélection de l'Aisne");
    QPointer<Frm_liste_club> liste;
    Ouvrir_liste_club(liste, "Modifier Clubs", "Modif", false, "&Modifier", 0, 0, QString(), codeC, nullptr);
    Capturer(liste, "Frm_liste_club");
    liste->Command1_2->click();
    auto* info = Fenetre_nommee<dem_info>("dem_info");
    QVERIFY(info);
    Capturer(info, "dem_info");

    QLineEdit cible(codeA);
    construc_code_club constructeur;
    constructeur.objTextBoxCible = &cible;
    constructeur.remplir_info();
    constructeur.show();
    Capturer(&constructeur, "construc_code_club");

    dem_info_obli obli;
    obli.show();
    Capturer(&obli, "dem_info_obli");

    QPointer<frm_liste_pays> pays;
    Ouvrir_liste_pays(pays, "Choisir", QString(), 0, 0, nullptr);
    Capturer(pays, "frm_liste_pays");
    QVERIFY(QFile::exists(QV_BINARY_DIR "/captures/Frm_liste_club.png"));
}

QTEST_MAIN(TstFenetresClub)
#include "tst_fenetres_club.moc"
