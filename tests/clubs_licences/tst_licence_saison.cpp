// Season maintenance on a fixture base: numbers freed two years after a deletion, the yearly
// renewal, and the commit of deletions with its purge of entries, templates and relays.

#include "clubs_licences/licences.h"
#include "clubs_licences/saison.h"
#include "core/base.h"
#include "core/globales.h"
#include "core/services.h"
#include "fixtures.h"

#include <QtTest>

namespace {

const QString clubA = "FRA1110751234";
const QString clubB = "FRA1110754321";
const QString selection = "FRA1110750000";



// Four competitions: to come (1), held and hidden (2), hidden but not held (3), held but still
// listed, as an import leaves it (4). X (10) and Y (11) are swimmers of club A, the placeholder
// licence is 1. Profiles 1 and 2 belong to club A, 3 and 4 to the selection.
void Preparer_engagements(const BaseTest& base)
{
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Visible, Date_suppr) VALUES (1, '" + clubA
                  + "', '1', 'Null', false, '')");
    strNumLicenceNulle = "1";
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (10, '" + clubA + "', '09123F', 'XAVIER')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (11, '" + clubA + "', '10123F', 'YVES')");
    for (const auto& [num, club] : std::initializer_list<std::pair<int, QString>>{{1, clubA}, {2, clubA}, {3, selection}, {4, selection}})
        base.executer(QString("INSERT INTO Profil (Num, Libelle, Code_club) VALUES (%1, 'P%1', '%2')").arg(num).arg(club));
    base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (1, 'a venir', true, false)");
    base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (2, 'passee', false, true)");
    base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (3, 'cachee', false, false)");
    base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (4, 'importee', true, true)");
    base.executer("INSERT INTO Modele_engag (NumAuto, Nom_modele, Num_profil) VALUES (1, 'M1', 1)");
    base.executer("INSERT INTO Modele_engag (NumAuto, Nom_modele, Num_profil) VALUES (3, 'M3', 3)");
}

void Engager(const BaseTest& base, int profil, int compet, int licence)
{
    base.executer(QString("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe) "
                          "VALUES (%1, %2, 1, %3, 0)").arg(compet).arg(profil).arg(licence));
    base.executer(QString("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe) VALUES (%1, %2, %3, 0)")
                      .arg(profil).arg(compet).arg(licence));
}

void Modele(const BaseTest& base, int modele, int licence)
{
    base.executer(QString("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic, Num_equipe) VALUES (%1, 1, %2, 0)")
                      .arg(modele).arg(licence));
    base.executer(QString("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe) VALUES (%1, %2, 0)")
                      .arg(modele).arg(licence));
}

// A relay team numbered `ordinal` whose legs 1 to 4 hold the given licences.
void Relais(const BaseTest& base, int profil, int compet, int ordinal, QList<int> jambes)
{
    base.executer(QString("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Licence1, "
                          "Licence2, Licence3, Licence4) VALUES (%1, %2, 1, %3, 1, %4, %5, %6, %7)")
                      .arg(profil).arg(compet).arg(ordinal).arg(jambes[0]).arg(jambes[1]).arg(jambes[2]).arg(jambes[3]));
}

// Every entry row as "table profile/competition/licence" (templates as "table model/licence").
QStringList Engagements()
{
    QStringList r;
    for (const QString& t : {QStringLiteral("Engag"), QStringLiteral("Engag_nageur")})
        for (const QString& l : Valeurs_colonne("SELECT Num_profil || '/' || Num_compet || '/' || Num_Lic FROM " + t
                                       + " ORDER BY 1"))
            r << t + " " + l;
    for (const QString& t : {QStringLiteral("Engag_modele"), QStringLiteral("Engag_nageur_modele")})
        for (const QString& l : Valeurs_colonne("SELECT Num_modele || '/' || Num_Lic FROM " + t + " ORDER BY 1"))
            r << t + " " + l;
    return r;
}

QStringList Jambes()
{
    return Valeurs_colonne("SELECT Num_profil || '/' || Num_compet || '/' || Num_Lic || ':' || Licence1 || ',' || Licence2 "
                  "|| ',' || Licence3 || ',' || Licence4 FROM Relais ORDER BY 1");
}

} // namespace

class TstLicenceSaison : public QObject {
    Q_OBJECT
private slots:
    void numerosLiberesApresDeuxAns_data();
    void numerosLiberesApresDeuxAns();
    void numeroLibereRedevientDisponible();
    void renouvellement_data();
    void renouvellement();
    void renouvellementUneFoisParSaison();
    void validationDansUnClub();
    void changementDeSexePurgeSansSupprimer();
    void validationDansUneSelection();
    void relaisFiltres();
};

void TstLicenceSaison::numerosLiberesApresDeuxAns_data()
{
    QTest::addColumn<QDate>("aujourdhui");
    QTest::addColumn<QStringList>("suppressions"); // Date_suppr of hidden licences; "NULL" for Null
    QTest::addColumn<QList<bool>>("liberes");

    QTest::newRow("limite exacte") << QDate(2024, 3, 10) << QStringList{"20220309", "20220310", "20240101"}
                                   << QList<bool>{true, false, false};
    QTest::newRow("vide et nul") << QDate(2024, 3, 10) << QStringList{"", "NULL"} << QList<bool>{true, false};
    // Two years before 29 February is 28 February.
    QTest::newRow("29 fevrier") << QDate(2024, 2, 29) << QStringList{"20220227", "20220228"}
                                << QList<bool>{true, false};
}

void TstLicenceSaison::numerosLiberesApresDeuxAns()
{
    QFETCH(QDate, aujourdhui);
    QFETCH(QStringList, suppressions);
    QFETCH(QList<bool>, liberes);
    BaseTest base;
    JourFixe jour(aujourdhui);
    for (int i = 0; i < suppressions.size(); ++i) {
        const QString date = suppressions[i] == "NULL" ? "NULL" : "'" + suppressions[i] + "'";
        base.executer(QString("INSERT INTO Licence (Num, Code_club, Licence, Visible, Date_suppr) "
                              "VALUES (%1, 'C', '0912%2F', false, %3)").arg(100 + i).arg(i).arg(date));
    }
    // A visible licence is never freed, whatever its Date_suppr.
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Date_suppr) VALUES (99, 'C', '08000F', '19990101')");
    Liberer_numeros_licences();
    for (int i = 0; i < suppressions.size(); ++i) {
        const QString numero = base.valeur(QString("SELECT Licence FROM Licence WHERE Num = %1").arg(100 + i));
        QCOMPARE(numero, liberes[i] ? QString::number(100 + i) : QString("0912%1F").arg(i));
    }
    QCOMPARE(base.valeur("SELECT Licence FROM Licence WHERE Num = 99"), QString("08000F"));
    QCOMPARE(base.valeur("SELECT count(*) FROM Licence WHERE typeof(Licence) <> 'text'"), QString("0"));
}

void TstLicenceSaison::numeroLibereRedevientDisponible()
{
    BaseTest base;
    JourFixe jour(QDate(2024, 10, 1));
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Visible, Date_suppr) "
                  "VALUES (5, 'FRA1110751234', '09123F', false, '20220930')");
    QCOMPARE(Compter_numero_licence("09123F", "FRA1110751234"), 1);
    Liberer_numeros_licences();
    QCOMPARE(Compter_numero_licence("09123F", "FRA1110751234"), 0);
    QCOMPARE(Get_num_licence("FRA1110751234", "5"), QString("5"));
}

void TstLicenceSaison::renouvellement_data()
{
    QTest::addColumn<QString>("derniere");
    QTest::addColumn<QDate>("aujourdhui");
    QTest::addColumn<QString>("saison"); // "" when nothing is renewed

    QTest::newRow("veille du 16 septembre") << "20230916" << QDate(2024, 9, 15) << "";
    QTest::newRow("16 septembre") << "20230916" << QDate(2024, 9, 16) << "20240916";
    QTest::newRow("jour meme du renouvellement") << "20240916" << QDate(2024, 9, 16) << "";
    QTest::newRow("jamais renouvele") << "" << QDate(2024, 3, 1) << "20230916";
    QTest::newRow("saison sautee") << "20220916" << QDate(2024, 10, 1) << "20240916";
    // A clock set back renews again, and moves LastUpdtLic back with it.
    QTest::newRow("horloge reculee") << "20240916" << QDate(2023, 12, 1) << "20230916";
}

void TstLicenceSaison::renouvellement()
{
    QFETCH(QString, derniere);
    QFETCH(QDate, aujourdhui);
    QFETCH(QString, saison);
    BaseTest base;
    JourFixe jour(aujourdhui);
    base.executer("UPDATE Info SET LastUpdtLic = '" + derniere + "'");
    // Filed long ago, never filed (''), unknown (Null), filed after any season start; the hidden
    // licence of another club is renewed like the others.
    base.executer("INSERT INTO Licence (Num, Code_club, Date_Depot, Date_obliteration, Type_licence) VALUES "
                  "(1, 'A', '20200101', '20200102', 'N')");
    base.executer("INSERT INTO Licence (Num, Code_club, Date_Depot, Type_licence) VALUES (2, 'A', '', 'T')");
    base.executer("INSERT INTO Licence (Num, Code_club, Date_Depot, Type_licence) VALUES (3, 'A', NULL, 'N')");
    base.executer("INSERT INTO Licence (Num, Code_club, Date_Depot, Type_licence) VALUES (4, 'A', '20990101', 'N')");
    base.executer("INSERT INTO Licence (Num, Code_club, Date_Depot, Type_licence, Visible) VALUES "
                  "(5, 'B', '20200101', 'T', false)");

    Renouveler_licences();

    const QStringList lignes = Valeurs_colonne("SELECT Num || ':' || IFNULL(Date_Depot, 'nul') || ',' || "
                                      "IFNULL(Date_obliteration, 'nul') || ',' || Type_licence FROM Licence ORDER BY Num");
    if (saison.isEmpty()) {
        QCOMPARE(lignes, (QStringList{"1:20200101,20200102,N", "2:,nul,T", "3:nul,nul,N", "4:20990101,nul,N",
                                      "5:20200101,nul,T"}));
        QCOMPARE(base.valeur("SELECT LastUpdtLic FROM Info"), derniere);
    } else {
        const QString s = saison + "," + saison + ",R";
        QCOMPARE(lignes, (QStringList{"1:" + s, "2:" + s, "3:nul,nul,N", "4:20990101,nul,N", "5:" + s}));
        QCOMPARE(base.valeur("SELECT LastUpdtLic FROM Info"), saison);
    }
}

void TstLicenceSaison::renouvellementUneFoisParSaison()
{
    BaseTest base;
    base.executer("INSERT INTO Licence (Num, Date_Depot, Type_licence) VALUES (1, '20200101', 'N')");
    {
        JourFixe jour(QDate(2024, 9, 20));
        Renouveler_licences();
    }
    QCOMPARE(base.valeur("SELECT Type_licence FROM Licence"), QString("R"));
    // A licence filed as new during the season stays new at the next openings of the season.
    base.executer("UPDATE Licence SET Type_licence = 'N', Date_Depot = '20241001'");
    base.executer("INSERT INTO Licence (Num, Date_Depot, Type_licence) VALUES (2, '20240101', 'T')");
    for (const QDate& d : {QDate(2024, 10, 1), QDate(2025, 1, 15), QDate(2025, 9, 15)}) {
        JourFixe jour(d);
        Renouveler_licences();
        QCOMPARE(Valeurs_colonne("SELECT Type_licence FROM Licence ORDER BY Num"), (QStringList{"N", "T"}));
    }
    JourFixe jour(QDate(2025, 9, 16));
    Renouveler_licences();
    QCOMPARE(Valeurs_colonne("SELECT Type_licence || Date_Depot FROM Licence ORDER BY Num"),
             (QStringList{"R20250916", "R20250916"}));
    QCOMPARE(base.valeur("SELECT LastUpdtLic FROM Info"), QString("20250916"));
}

void TstLicenceSaison::validationDansUnClub()
{
    BaseTest base;
    JourFixe jour(QDate(2024, 11, 5));
    Preparer_engagements(base);
    for (int compet : {1, 2, 3, 4})
        Engager(base, 1, compet, 10);
    Engager(base, 2, 1, 10);
    Engager(base, 1, 1, 11);
    Modele(base, 1, 10);
    Modele(base, 3, 10);
    Modele(base, 1, 11);
    Relais(base, 1, 1, 1, {11, 10, 11, 1});
    Relais(base, 2, 3, 1, {1, 1, 1, 10});
    Relais(base, 1, 2, 1, {10, 11, 1, 1});
    Relais(base, 1, 4, 1, {11, 10, 1, 1});
    Relais(base, 1, 1, 10, {11, 11, 11, 11}); // team ordinal 10 is not licence 10
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + selection + "', 10)");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + selection + "', 11)");
    // X deleted in the list and waiting for "Ok".
    base.executer("UPDATE Licence SET Visible = false WHERE Num = 10");
    QVERIFY(Copier_licence_tempo("10"));

    QStringList statuts;
    Services::fixerSortieStatut([&](const QString& t) { statuts << t; });
    Supprimer_engagements_licences(false, clubA, "");
    Services::fixerSortieStatut(nullptr);

    // Gone from the listed competitions (the imported one too) and from every template; the held
    // and the hidden competitions keep their rows.
    QCOMPARE(Engagements(), (QStringList{"Engag 1/1/11", "Engag 1/2/10", "Engag 1/3/10", "Engag_nageur 1/1/11",
                                         "Engag_nageur 1/2/10", "Engag_nageur 1/3/10", "Engag_modele 1/11",
                                         "Engag_nageur_modele 1/11"}));
    // Legs emptied where the competition is not held yet, in every profile.
    QCOMPARE(Jambes(), (QStringList{"1/1/10:11,11,11,11", "1/1/1:11,1,11,1", "1/2/1:10,11,1,1", "1/4/1:11,10,1,1",
                                    "2/3/1:1,1,1,1"}));
    QCOMPARE(base.valeur("SELECT Date_suppr FROM Licence WHERE Num = 10"), QString("20241105"));
    QCOMPARE(base.valeur("SELECT Date_suppr IS NULL FROM Licence WHERE Num = 11"), QString("1"));
    QCOMPARE(Valeurs_colonne("SELECT Num_Lic || ':' || Visible FROM Selection ORDER BY 1"), (QStringList{"10:0", "11:1"}));
    QCOMPARE(statuts, (QStringList{"Suppression du nageur dans les relais", ""}));
}

void TstLicenceSaison::changementDeSexePurgeSansSupprimer()
{
    BaseTest base;
    Preparer_engagements(base);
    Engager(base, 1, 1, 11);
    Engager(base, 1, 1, 10);
    Modele(base, 1, 11);
    Relais(base, 1, 1, 1, {11, 10, 1, 1});
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + selection + "', 11)");
    base.executer("INSERT INTO Licence_tempo (Num) VALUES (10)"); // another window's pending deletion

    Supprimer_engagements_licences(false, clubA, "11");

    QCOMPARE(Engagements(), (QStringList{"Engag 1/1/10", "Engag_nageur 1/1/10"}));
    QCOMPARE(Jambes(), QStringList{"1/1/1:1,10,1,1"});
    QCOMPARE(Valeurs_colonne("SELECT Num || ':' || IFNULL(Date_suppr, 'nul') FROM Licence WHERE Num IN (10, 11) ORDER BY Num"),
             (QStringList{"10:nul", "11:nul"}));
    QCOMPARE(base.valeur("SELECT Visible FROM Selection"), QString("Vrai"));
}

void TstLicenceSaison::validationDansUneSelection()
{
    BaseTest base;
    Preparer_engagements(base);
    strNumProfil = "3";
    // X removed from the selection and waiting; Y stays.
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic, Visible, Suppr) VALUES ('" + selection + "', 10, false, true)");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + selection + "', 11)");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic, Visible, Suppr) VALUES ('FRA1000000000', 10, false, true)");
    Engager(base, 3, 1, 10); // selection profile, listed: goes
    Engager(base, 4, 1, 10); // other profile of the selection: goes too
    Engager(base, 3, 2, 10); // held: stays
    Engager(base, 1, 1, 10); // the member club's own profile: stays
    Engager(base, 3, 1, 11);
    Modele(base, 3, 10);
    Modele(base, 3, 11);
    Modele(base, 1, 10);
    Relais(base, 3, 1, 1, {10, 11, 1, 1}); // current profile, to come: leg emptied
    Relais(base, 4, 1, 1, {10, 11, 1, 1}); // another profile: kept
    Relais(base, 3, 2, 1, {10, 11, 1, 1}); // held: kept

    Supprimer_engagements_licences(true, selection, "");
    strNumProfil.clear();

    QCOMPARE(Engagements(), (QStringList{"Engag 1/1/10", "Engag 3/1/11", "Engag 3/2/10", "Engag_nageur 1/1/10",
                                         "Engag_nageur 3/1/11", "Engag_nageur 3/2/10", "Engag_modele 1/10",
                                         "Engag_modele 3/11", "Engag_nageur_modele 1/10", "Engag_nageur_modele 3/11"}));
    QCOMPARE(Jambes(), (QStringList{"3/1/1:1,11,1,1", "3/2/1:10,11,1,1", "4/1/1:10,11,1,1"}));
    // The removal is final; the other selection's pending mark is not this commit's.
    QCOMPARE(Valeurs_colonne("SELECT Code_Sel || ' ' || Num_Lic || ':' || Visible || Suppr FROM Selection ORDER BY 1"),
             (QStringList{"FRA1000000000 10:01", "FRA1110750000 10:00", "FRA1110750000 11:10"}));
    QCOMPARE(base.valeur("SELECT IFNULL(Date_suppr, 'nul') || Visible FROM Licence WHERE Num = 10"), QString("nul1"));
}

void TstLicenceSaison::relaisFiltres()
{
    BaseTest base;
    strNumLicenceNulle = "1";
    Relais(base, 1, 1, 1, {10, 11, 12, 10});
    Relais(base, 2, 1, 1, {10, 11, 12, 10});
    base.executer("UPDATE Relais SET Licence10 = 11, Num_equipe = 2 WHERE Num_profil = 2");
    Supprimer_nageur_relais("10, 11", "", "2", "false", "2");
    QCOMPARE(Jambes(), (QStringList{"1/1/1:10,11,12,10", "2/1/1:1,1,12,1"}));
    QCOMPARE(base.valeur("SELECT Licence10 FROM Relais WHERE Num_profil = 2"), QString("1"));
    Supprimer_nageur_relais("select 12", "", "", "", "");
    QCOMPARE(Jambes(), (QStringList{"1/1/1:10,11,1,10", "2/1/1:1,1,1,1"}));
}

QTEST_MAIN(TstLicenceSaison)
#include "tst_licence_saison.moc"
