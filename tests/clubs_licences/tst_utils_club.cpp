// The club store on the model base: inserts and updates with their refusals, and what a change
// of code or a deletion does to the rows that name a club by its code.

#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString codeC = "FRA1320025555";
const QString codeSel = "FRA1320020000";

// A club with a profile, two licences, an official, a tariff, an activity and a record
// category; returns its number.
QString Creer_club_peuple(const BaseTest& base, const QString& code, const QString& nom)
{
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + code + "', '" + nom + "')");
    const QString num = base.valeur("SELECT Num FROM Club WHERE Code_federal = '" + code + "'");
    base.executer("INSERT INTO Profil (Libelle, Code_club) VALUES ('Profil " + nom + "', '" + code + "')");
    for (const char* licence : {"09123F", "10456C"})
        base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Visible) VALUES ('%1', '%2', '%3', true)")
                          .arg(code, licence, nom));
    base.executer("INSERT INTO Dirigeant (Code_federal, Fonction, Nom) VALUES ('" + code + "', 'Président', 'X')");
    base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + code + "', 'Adulte', 120)");
    base.executer("INSERT INTO Activites (Code_federal, Activite, Responsable) VALUES ('" + code + "', 'Natation', 'Y')");
    base.executer("INSERT INTO Categori_record_club (Code_Club, Libelle, Age_inf, Age_sup, Sexe) VALUES ('" + code
                  + "', 'Toutes', 0, 99, 'Homme')");
    return num;
}

// The rows that name a club by one code, counted in: Profil, Licence, Selection, Dirigeant,
// Tarifs, Activites, Categori_record_club.
QList<int> Rangs_du_code(const BaseTest& base, const QString& code)
{
    QList<int> comptes;
    for (const auto& [table, colonne] : std::initializer_list<std::pair<QString, QString>> {
             {"Profil", "Code_club"},
             {"Licence", "Code_Club"},
             {"Selection", "Code_Sel"},
             {"Dirigeant", "Code_federal"},
             {"Tarifs", "Code_federal"},
             {"Activites", "Code_federal"},
             {"Categori_record_club", "Code_Club"}})
        comptes << base.valeur("SELECT count(*) FROM " + table + " WHERE " + colonne + " = '" + code + "'").toInt();
    return comptes;
}

// Entries of a swimmer in a competition, its entry list and a template.
void Engager(const BaseTest& base, const QString& numLic)
{
    base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe) VALUES (1, 1, 1, " + numLic + ", 0)");
    base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe) VALUES (1, 1, " + numLic + ", 0)");
    base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic, Num_equipe) VALUES (1, 1, " + numLic + ", 0)");
}

QString Entrees(const BaseTest& base, const QString& numLic)
{
    QStringList n;
    for (const char* t : {"Engag", "Engag_nageur", "Engag_modele"})
        n << base.valeur(QString("SELECT count(*) FROM ") + t + " WHERE Num_Lic = " + numLic);
    return n.join(',');
}

// What Creer_club_peuple gives a club, without selection rows.
const QList<int> peuple = {1, 2, 0, 1, 1, 1, 1};
const QList<int> aucun = {0, 0, 0, 0, 0, 0, 0};

} // namespace

class TstUtilsClub : public QObject {
    Q_OBJECT
private slots:
    void ajoutEtModificationRecalculentLaSelection();
    void codeInvalideRefuseAvantToutEcriture();
    void ecritureEchoueeRapporteeCommeEchec();
    void clubExisteAvecExclusion();
    void numeroDuClub();
    void changementDeCodeSuiviParLesLignesDuClub();
    void suppressionCacheLeClubEtSesLignes();
    void codeLibereNeDonneRienAuNouveauClub();
    void suppressionToutOuRien();
};

void TstUtilsClub::ajoutEtModificationRecalculentLaSelection()
{
    BaseTest base;
    PortIhmTest ihm;
    QVERIFY(Ajouter_club(codeSel, "Comité de l'Aisne"));
    QCOMPARE(base.valeur("SELECT Intitule FROM Club"), QString("Comité de l'Aisne"));
    QCOMPARE(base.valeur("SELECT Selection FROM Club"), QString("Vrai"));
    QCOMPARE(base.valeur("SELECT Visible FROM Club"), QString("Vrai"));

    const QString num = Get_num_club(codeSel);
    QVERIFY(Modifier_club(codeA, "L'Isle Natation", num, QString()));
    QCOMPARE(base.valeur("SELECT Code_federal || '|' || Intitule || '|' || Selection FROM Club WHERE Num = " + num),
             codeA + "|L'Isle Natation|0");
    QVERIFY(ihm.appels().empty());
}

void TstUtilsClub::codeInvalideRefuseAvantToutEcriture()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    QVERIFY(!Ajouter_club("FRA9000000000", "X"));
    QVERIFY(Ajouter_club(codeA, "A"));
    QVERIFY(!Modifier_club("FRA9000000000", "Y", Get_num_club(codeA), QString()));
    QCOMPARE(ihm.messages(), (QStringList {"Ajout annulé.\r\nLe code club tapé n'est pas valide.",
                                           "Le code club tapé n'est pas valide."}));
    QCOMPARE(base.valeur("SELECT group_concat(Code_federal || Intitule) FROM Club"), codeA + "A");
}

void TstUtilsClub::ecritureEchoueeRapporteeCommeEchec()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    QVERIFY(Ajouter_club(codeA, "A"));
    const QString num = Get_num_club(codeA);
    base.executer("CREATE TRIGGER refus_ajout BEFORE INSERT ON Club BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
    base.executer("CREATE TRIGGER refus_maj BEFORE UPDATE ON Club BEGIN SELECT RAISE(ABORT, 'disque plein'); END");

    QVERIFY(!Ajouter_club(codeB, "B"));
    QVERIFY(!Modifier_club(codeB, "B", num, QString()));
    QCOMPARE(ihm.messages().size(), 2);
    for (const QString& m : ihm.messages()) {
        QVERIFY2(m.startsWith("Une erreur s'est produite lors de la sauvegarde du club.\r\nErreur n° "), qPrintable(m));
        QVERIFY(m.contains("disque plein"));
    }
    QCOMPARE(base.valeur("SELECT group_concat(Code_federal) FROM Club"), codeA);
}

void TstUtilsClub::clubExisteAvecExclusion()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    QVERIFY(Ajouter_club(codeA, "A"));
    QVERIFY(Ajouter_club(codeB, "B"));
    const QString numA = Get_num_club(codeA);
    const QString numB = Get_num_club(codeB);

    QString message = "Modification annulée.";
    QVERIFY(!Club_existe(codeA, numA, true, message)); // its own code, while editing it
    QVERIFY(ihm.messages().isEmpty());
    QVERIFY(Club_existe(codeA, numB, true, message));
    QVERIFY(Club_existe(codeA, QString(), false, message));
    QCOMPARE(ihm.messages(), QStringList {"Modification annulée.\r\nUn club avec le même code existe déjà."});

    // A deleted club keeps its row: its code stays taken until the deletion frees it.
    base.executer("UPDATE Club SET Visible = false WHERE Num = " + numB);
    QVERIFY(Club_existe(codeB, QString(), false, message));
    QVERIFY(!Club_existe("FRA1320020'00", QString(), false, message));
}

void TstUtilsClub::numeroDuClub()
{
    BaseTest base;
    PortIhmTest ihm;
    QVERIFY(Ajouter_club(codeA, "A"));
    QVERIFY(!Get_num_club(codeA).isEmpty());
    QCOMPARE(Get_num_club(codeB), QString());
    QCOMPARE(Get_num_club("L'Isle"), QString()); // a quote is a value, never SQL
    QVERIFY(ihm.appels().empty());
}

void TstUtilsClub::changementDeCodeSuiviParLesLignesDuClub()
{
    BaseTest base;
    PortIhmTest ihm;
    const QString numA = Creer_club_peuple(base, codeA, "A");
    Creer_club_peuple(base, codeB, "B");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + codeA + "', 1)");

    QVERIFY(Modifier_club(codeC, "A", numA, QString()));
    QCOMPARE(Rangs_du_code(base, codeA), aucun);
    QCOMPARE(Rangs_du_code(base, codeC), (QList<int> {1, 2, 1, 1, 1, 1, 1}));
    QCOMPARE(Rangs_du_code(base, codeB), peuple);
}

void TstUtilsClub::suppressionCacheLeClubEtSesLignes()
{
    BaseTest base;
    PortIhmTest ihm;
    Services::fixerAujourdhui(QDate(2024, 3, 9));
    const QString numA = Creer_club_peuple(base, codeA, "A");
    const QString numB = Creer_club_peuple(base, codeB, "B");
    Creer_club_peuple(base, codeC, "C");
    base.executer("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + codeSel + "', 'Sélection', true)");
    const QString licA = base.valeur("SELECT min(Num) FROM Licence WHERE Code_club = '" + codeA + "'");
    const QString licC = base.valeur("SELECT min(Num) FROM Licence WHERE Code_club = '" + codeC + "'");
    for (const QString& lic : {licA, licC}) {
        base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + codeSel + "', " + lic + ")");
        Engager(base, lic);
    }

    QVERIFY(Supprimer_clubs("Num = " + numA + " or Num = " + numB,
                            "Code_Club = '" + numA + "' or Code_Club = '" + numB + "'"));
    Services::fixerAujourdhui(QDate());

    QCOMPARE(base.valeur("SELECT group_concat(Code_federal || ':' || Visible, ' ') FROM "
                         "(SELECT * FROM Club ORDER BY Num)"),
             numA + ":0 " + numB + ":0 " + codeC + ":1 " + codeSel + ":1");
    QCOMPARE(base.valeur("SELECT group_concat(Libelle) FROM Profil"), QString("Profil C"));
    // The licences follow their club's number, hidden with today's date.
    QCOMPARE(base.valeur("SELECT count(*) FROM Licence WHERE Code_club IN ('" + numA + "', '" + numB
                         + "') AND Visible = false AND Date_suppr = '20240309'"),
             QString("4"));
    QCOMPARE(base.valeur("SELECT count(*) FROM Licence WHERE Visible = true"), QString("2"));
    QCOMPARE(base.valeur("SELECT Visible FROM Selection WHERE Num_Lic = " + licA), QString("Faux"));
    QCOMPARE(base.valeur("SELECT Visible FROM Selection WHERE Num_Lic = " + licC), QString("Vrai"));
    QCOMPARE(Entrees(base, licA), QString("0,0,0"));
    QCOMPARE(Entrees(base, licC), QString("1,1,1"));
    QVERIFY(ihm.appels().empty());
}

void TstUtilsClub::codeLibereNeDonneRienAuNouveauClub()
{
    BaseTest base;
    PortIhmTest ihm;
    const QString numA = Creer_club_peuple(base, codeA, "A");
    QVERIFY(Supprimer_clubs("Num = " + numA, "Code_Club = '" + numA + "'"));

    QString message;
    QVERIFY(!Club_existe(codeA, QString(), false, message));
    QVERIFY(Ajouter_club(codeA, "Nouveau"));
    QCOMPARE(Rangs_du_code(base, codeA), aucun);
    QCOMPARE(Get_num_club(codeA), base.valeur("SELECT Num FROM Club WHERE Intitule = 'Nouveau'"));
}

void TstUtilsClub::suppressionToutOuRien()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    const QString numA = Creer_club_peuple(base, codeA, "A");
    base.executer("CREATE TRIGGER refus BEFORE UPDATE OF Date_suppr ON Licence BEGIN SELECT RAISE(ABORT, 'verrou'); END");

    QVERIFY(!Supprimer_clubs("Num = " + numA, "Code_Club = '" + numA + "'"));
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages().first().startsWith("Une erreur s'est produite lors de la suppression des clubs.\r\n"));
    // Nothing of the deletion stays: the club, its code and its rows are as they were.
    QCOMPARE(base.valeur("SELECT Code_federal || ':' || Visible FROM Club"), codeA + ":1");
    QCOMPARE(Rangs_du_code(base, codeA), peuple);
    QCOMPARE(base.valeur("SELECT count(*) FROM Licence WHERE Visible = true"), QString("2"));
}

QTEST_MAIN(TstUtilsClub)
#include "tst_utils_club.moc"
