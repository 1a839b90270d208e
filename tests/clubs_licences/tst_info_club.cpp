// The own-club store: replacing a club's rows by marking, inserting and deleting, with its
// failures (the old rows come back, other clubs are never touched), the contact columns, and
// the purge of licence tariffs that no longer exist.

#include "clubs_licences/info_club.h"
#include "core/base.h"
#include "core/globales.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString erreurClub = "Une erreur s'est produite lors de la sauvegarde du club.";

// Every row of a query, its columns joined by "|".

// The rows of a table for one club, as the readers see them or all of them.
QStringList Rangs(const QString& table, const QString& colonnes, const QString& code, bool visiblesSeulement = true)
{
    return Lignes_requete("SELECT " + colonnes + " FROM " + table + " WHERE Code_federal = '" + code + "'"
                  + (visiblesSeulement ? " AND Suppr = false" : "") + " ORDER BY rowid");
}

// One of the three tables with a way to insert a row named by one value, and the step text of
// its failing insert.
struct CasTable {
    const TableClub* table;
    QString colonne; // the column that holds the name
    std::function<bool(const QString& code, const QString& valeur)> inserer;
    std::function<QString(const QString& valeur)> etape;
};

CasTable Cas(const QString& nom)
{
    if (nom == "Dirigeant")
        return {&Table_dirigeants(), "Nom",
                [](const QString& code, const QString& v) {
                    return Ajouter_dirigeant(code, "Membre pour " + v, "Membre", v, "0102", "", "");
                },
                [](const QString& v) { return "Erreur lors de la sauvegarde du rôle Membre pour " + v + "."; }};
    if (nom == "Activites")
        return {&Table_activites(), "Responsable",
                [](const QString& code, const QString& v) { return Ajouter_activite(code, "Natation", v); },
                [](const QString& v) {
                    return "Erreur lors de la sauvegarde du responsable " + v + " pour l'activité Natation.";
                }};
    return {&Table_tarifs(), "Intitule",
            [](const QString& code, const QString& v) { return Ajouter_tarif(code, v, "10,5"); },
            [](const QString& v) { return "Erreur lors de la sauvegarde du tarif " + v + "."; }};
}

// Inserts the values one by one, stopping at the first failure, as the window does.
std::function<bool()> Insertions(const CasTable& cas, const QString& code, const QStringList& valeurs)
{
    return [&cas, code, valeurs] {
        for (const QString& v : valeurs) {
            if (!cas.inserer(code, v))
                return false;
        }
        return true;
    };
}

// An insert of that value fails, as a full disk or a broken base would make it.
void Faire_echouer_insertion(const BaseTest& base, const QString& table, const QString& colonne, const QString& valeur)
{
    base.executer("CREATE TEMP TRIGGER echec_insertion BEFORE INSERT ON " + table + " WHEN NEW." + colonne + " = '"
                  + valeur + "' BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
}

} // namespace

class TstInfoClub : public QObject {
    Q_OBJECT
private slots:
    void remplacementReussi_data();
    void remplacementReussi();
    void insertionEchoueeRestaureLesAnciens_data();
    void insertionEchoueeRestaureLesAnciens();
    void marquageEchoueLaisseLaTable();
    void restaurationEchoueeCacheJusquALaProchaineSauvegarde();
    void listeVideEtDoublons();
    void coordonneesEtApostrophes();
    void montantDecimal();
    void purgeDesTarifsDisparus();
    void purgeEchoueeSignalee();
    void clubATarifs();
};

void TstInfoClub::remplacementReussi_data()
{
    QTest::addColumn<QString>("table");
    QTest::newRow("dirigeants") << "Dirigeant";
    QTest::newRow("activités") << "Activites";
    QTest::newRow("tarifs") << "Tarifs";
}

void TstInfoClub::remplacementReussi()
{
    QFETCH(QString, table);
    BaseTest base;
    PortIhmTest ihm;
    const CasTable cas = Cas(table);
    for (const char* v : {"Ancien1", "Ancien2"})
        QVERIFY(cas.inserer(codeA, v));
    QVERIFY(cas.inserer(codeB, "AutreClub"));

    QVERIFY(Remplacer_lignes_club(*cas.table, codeA, Insertions(cas, codeA, {"Nouveau1", "Nouveau2", "Nouveau3"})));

    QCOMPARE(Rangs(table, cas.colonne + ", Suppr", codeA, false),
             QStringList({"Nouveau1|Faux", "Nouveau2|Faux", "Nouveau3|Faux"}));
    QCOMPARE(Rangs(table, cas.colonne + ", Suppr", codeB, false), QStringList({"AutreClub|Faux"}));
    QVERIFY(ihm.appels().empty());
}

void TstInfoClub::insertionEchoueeRestaureLesAnciens_data()
{
    remplacementReussi_data();
}

// The third of five inserts fails: the five old rows are back, none of the new ones stays, and
// the other club is untouched.
void TstInfoClub::insertionEchoueeRestaureLesAnciens()
{
    QFETCH(QString, table);
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    const CasTable cas = Cas(table);
    const QStringList anciens = {"A1", "A2", "A3", "A4", "A5"};
    for (const QString& v : anciens)
        QVERIFY(cas.inserer(codeA, v));
    QVERIFY(cas.inserer(codeB, "B1"));
    const QStringList avantA = Rangs(table, "*", codeA, false);
    const QStringList avantB = Rangs(table, "*", codeB, false);
    Faire_echouer_insertion(base, table, cas.colonne, "N3");

    QVERIFY(!Remplacer_lignes_club(*cas.table, codeA, Insertions(cas, codeA, {"N1", "N2", "N3", "N4", "N5"})));

    QCOMPARE(Rangs(table, "*", codeA, false), avantA);
    QCOMPARE(Rangs(table, cas.colonne, codeA), anciens);
    QCOMPARE(Rangs(table, "*", codeB, false), avantB);
    // One message: the failing row, the club-save line and the cause.
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith(cas.etape("N3") + "\r\n" + erreurClub + "\r\nErreur n° "));
    QVERIFY(ihm.messages()[0].contains("disque plein"));
}

void TstInfoClub::marquageEchoueLaisseLaTable()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    QVERIFY(Ajouter_tarif(codeA, "Adulte", "120"));
    base.executer("CREATE TEMP TRIGGER echec_marque BEFORE UPDATE OF Suppr ON Tarifs "
                  "BEGIN SELECT RAISE(ABORT, 'base verrouillée'); END");
    bool insere = false;

    QVERIFY(!Remplacer_lignes_club(Table_tarifs(), codeA, [&] { return insere = true; }));

    QVERIFY(!insere);
    QCOMPARE(Rangs("Tarifs", "Intitule, Tarif, Suppr", codeA, false), QStringList({"Adulte|120|Faux"}));
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Erreur lors de la sauvegarde temporaire des tarifs du club.\r\nErreur n° "));
}

// The old rows cannot be unmarked: they stay hidden (never shown twice with the new ones) until
// the next successful save of that table removes them.
void TstInfoClub::restaurationEchoueeCacheJusquALaProchaineSauvegarde()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    const CasTable cas = Cas("Activites");
    QVERIFY(cas.inserer(codeA, "Ancien"));
    Faire_echouer_insertion(base, "Activites", "Responsable", "N2");
    base.executer("CREATE TEMP TRIGGER echec_restauration BEFORE UPDATE OF Suppr ON Activites WHEN NEW.Suppr = 0 "
                  "BEGIN SELECT RAISE(ABORT, 'base verrouillée'); END");

    QVERIFY(!Remplacer_lignes_club(Table_activites(), codeA, Insertions(cas, codeA, {"N1", "N2"})));

    QCOMPARE(Rangs("Activites", "Responsable, Suppr", codeA, false), QStringList({"Ancien|Vrai"}));
    QCOMPARE(ihm.messages().size(), 2);
    QCOMPARE(ihm.messages()[1], QString("Erreur lors de la restoration des activités sauvegardées temporairement."));
    // A plain box with the application's title, without the cause.
    QCOMPARE(ihm.appels()[1].style, 0);
    QCOMPARE(ihm.appels()[1].titre, QCoreApplication::applicationName());

    base.executer("DROP TRIGGER temp.echec_insertion");
    base.executer("DROP TRIGGER temp.echec_restauration");
    QVERIFY(Remplacer_lignes_club(Table_activites(), codeA, Insertions(cas, codeA, {"N1"})));
    QCOMPARE(Rangs("Activites", "Responsable, Suppr", codeA, false), QStringList({"N1|Faux"}));
}

void TstInfoClub::listeVideEtDoublons()
{
    BaseTest base;
    PortIhmTest ihm;
    const CasTable cas = Cas("Dirigeant");
    QVERIFY(cas.inserer(codeA, "X"));
    QVERIFY(cas.inserer(codeB, "Y"));

    // Nothing is unique: the same official twice is two rows.
    QVERIFY(Remplacer_lignes_club(Table_dirigeants(), codeA, Insertions(cas, codeA, {"Z", "Z"})));
    QCOMPARE(Rangs("Dirigeant", "Fonction, Nom", codeA), QStringList({"Membre|Z", "Membre|Z"}));

    QVERIFY(Remplacer_lignes_club(Table_dirigeants(), codeA, [] { return true; }));
    QCOMPARE(Rangs("Dirigeant", "Nom", codeA, false), QStringList());
    QCOMPARE(Rangs("Dirigeant", "Nom", codeB, false), QStringList({"Y"}));
}

void TstInfoClub::coordonneesEtApostrophes()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + codeA + "', 'A')");
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + codeB + "', 'B')");
    const QString num = base.valeur("SELECT Num FROM Club WHERE Code_federal = '" + codeA + "'");

    // Pasted text can bring a quote into a field meant for digits: it is a value, never SQL.
    QVERIFY(Sauver_coordonnees_club(num, "1 rue de l'Église", "13'00", "L'Isle", "04'91", "0491', Mail = 'x",
                                    "a'b@c.fr"));
    QVERIFY(Ajouter_dirigeant(codeA, "r", "Trésorier", "D'Artagnan", "06", "07", "d'a@x.fr"));
    QVERIFY(Ajouter_activite(codeA, "Plongée d'été", "O'Neil"));
    QVERIFY(Ajouter_tarif(codeA, "Jeune's", "10"));

    QCOMPARE(Lignes_requete("SELECT Adresse, Code_Postal, Ville, Telephone, Fax, Mail FROM Club ORDER BY Num"),
             QStringList({"1 rue de l'Église|13'00|L'Isle|04'91|0491', Mail = 'x|a'b@c.fr", "|||||"}));
    QCOMPARE(Rangs("Dirigeant", "Fonction, Nom, Tel1, Tel2, Mail", codeA), QStringList({"Trésorier|D'Artagnan|06|07|d'a@x.fr"}));
    QCOMPARE(Rangs("Activites", "Activite, Responsable", codeA), QStringList({"Plongée d'été|O'Neil"}));
    QCOMPARE(Rangs("Tarifs", "Intitule", codeA), QStringList({"Jeune's"}));
    QVERIFY(ihm.appels().empty());

    // A key that is no number never reaches the SQL.
    QVERIFY(!Sauver_coordonnees_club("1 or 1=1", "x", "", "", "", "", ""));
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Erreur lors de la sauvegarde des informations sur le club.\r\n" + erreurClub));
    QCOMPARE(base.valeur("SELECT count(*) FROM Club WHERE Adresse = 'x'"), QString("0"));
}

void TstInfoClub::montantDecimal()
{
    BaseTest base;
    PortIhmTest ihm;
    QVERIFY(Ajouter_tarif(codeA, "Adulte", "12,50"));
    QVERIFY(Ajouter_tarif(codeA, "Enfant", "80"));
    QCOMPARE(base.valeur("SELECT typeof(Tarif) FROM Tarifs WHERE Intitule = 'Adulte'"), QString("real"));
    QCOMPARE(base.valeur("SELECT Tarif = 12.5 FROM Tarifs WHERE Intitule = 'Adulte'"), QString("1"));
    QCOMPARE(Rangs("Tarifs", "Tarif", codeA), QStringList({"12,5", "80"}));
}

// After a tariff is renamed, its licences lose it; a Null tariff stays Null; another club's
// licences are not looked at.
void TstInfoClub::purgeDesTarifsDisparus()
{
    BaseTest base;
    PortIhmTest ihm;
    strCodeClub = codeA;
    strNomClub = "Club A";
    QVERIFY(Ajouter_tarif(codeA, "Gardé", "100"));
    QVERIFY(Ajouter_tarif(codeB, "Ancien", "100"));
    auto licence = [&](const QString& code, const QString& nom, const QString& tarif) {
        base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Tarif) VALUES ('" + code + "', '09001F', '" + nom
                      + "', " + tarif + ")");
    };
    licence(codeA, "Disparu", "'Ancien'");
    licence(codeA, "Garde", "'GARDÉ'"); // names compare as the base compares text
    licence(codeA, "Aucun", "NULL");
    licence(codeA, "Vide", "''");
    licence(codeB, "Autre", "'Ancien'");

    Purger_tarifs_invalides();

    QCOMPARE(Lignes_requete("SELECT Nom, coalesce(Tarif, 'NULL') FROM Licence WHERE Nom <> 'Null' ORDER BY Num"),
             QStringList({"Disparu|", "Garde|GARDÉ", "Aucun|NULL", "Vide|", "Autre|Ancien"}));
    QVERIFY(ihm.appels().empty());
}

void TstInfoClub::purgeEchoueeSignalee()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    strCodeClub = codeA;
    strNomClub = "Les Dauphins";
    base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Tarif) VALUES ('" + codeA + "', '09001F', 'X', 'Ancien')");
    base.executer("CREATE TEMP TRIGGER echec_purge BEFORE UPDATE OF Tarif ON Licence "
                  "BEGIN SELECT RAISE(ABORT, 'base verrouillée'); END");

    Purger_tarifs_invalides();

    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Une erreur s'est produite lors de la suppression des tarifs invalides \r\n"
                                         "pour les licences du club Les Dauphins\r\nErreur n° "));
    QCOMPARE(base.valeur("SELECT Tarif FROM Licence WHERE Nom = 'X'"), QString("Ancien"));
}

void TstInfoClub::clubATarifs()
{
    BaseTest base;
    QVERIFY(!Club_a_tarifs(codeA));
    QVERIFY(Ajouter_tarif(codeB, "Adulte", "1"));
    QVERIFY(!Club_a_tarifs(codeA));
    QVERIFY(Ajouter_tarif(codeA, "Adulte", "1"));
    QVERIFY(Club_a_tarifs(codeA));
    QVERIFY(!Club_a_tarifs("' or '1'='1"));
}

QTEST_MAIN(TstInfoClub)
#include "tst_info_club.moc"
