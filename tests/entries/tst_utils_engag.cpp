// The undo of an entry edit and the entry templates, at the level of the tables: what a cancel
// puts back, what the end of an edit keeps, and that a failing write leaves nothing behind.

#include "core/base.h"
#include "core/globales.h"
#include "entries/utils_engag.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

namespace {

const QStringList tablesEdition = {"Engag", "Engag_nageur", "Engag_equipe", "Relais", "Engag_tempo", "Relais_tempo",
                                   "Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"};

// Every row of a table, each value as SQLite quotes it (type and bytes), in a stable order.
QStringList Contenu(const QString& table)
{
    const QStringList colonnes = Valeurs_colonne("select name from pragma_table_info('" + table + "')");
    QStringList quotes;
    for (const QString& c : colonnes)
        quotes << "quote(" + c + ")";
    return Valeurs_colonne("select " + quotes.join(" || '|' || ") + " from " + table + " order by 1");
}

QMap<QString, QStringList> Etat()
{
    QMap<QString, QStringList> etat;
    for (const QString& t : tablesEdition)
        etat[t] = Contenu(t);
    return etat;
}

// Competition 1 (25 m) and 2 (50 m) of profile 1, with rows of profile 2 that nothing may touch.
// Swimmers 10 to 13; 99 is the placeholder licence.
void Remplir(const BaseTest& b)
{
    strNumProfil = "1";
    strNumLicenceNulle = "99";
    b.executer("INSERT INTO Rcomp (AutoNum, Nom, Longueur) VALUES (1, 'Meeting 25', 25), (2, 'Meeting 50', 50), "
               "(3, 'Sans équipes', 25)");
    b.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES "
               "(1, 1, 10, 0, 1), (1, 1, 11, 1, 0), (1, 1, 12, 1, 1), (2, 1, 10, 2, 0), (1, 2, 13, 0, 1)");
    b.executer("INSERT INTO Engag VALUES (1, 1, 2, 10, 0, 1, 1.0532, 'Brest', '20250101', 50), "
               "(1, 1, 50, 10, 0, 1, 0.1288, 'Brest', '20250102', 25), "
               "(1, 1, 52, 11, 1, 0, 0.3012, '', '', 25), (1, 1, 3, 12, 1, 1, 0, '', '', 25), "
               "(2, 1, 40, 10, 0, 1, 1.1, 'Nantes', '20241201', 25), (2, 1, 1, 13, 0, 1, 0.3, '', '', 50), "
               "(2, 1, 2, 13, 0, 1, 0, '', '', 25), (1, 2, 2, 10, 2, 0, 1.1, '', '', 25)");
    b.executer("INSERT INTO Engag_equipe VALUES (1, 1, 1, 0, 1, 0, 0, 0), (1, 2, 2, 0, 0, 0, 0, 0)");
    b.executer("INSERT INTO Relais VALUES (1, 1, 93, 1, 1, 0, 2.0511, 11, 10, 99, 99, 99, 99, 99, 99, 99, 99), "
               "(1, 1, 14, 1, 1, 1, 0, 12, 11, 10, 99, 99, 99, 99, 99, 99, 99), "
               "(2, 1, 93, 1, 2, 0, 0, 10, 11, 99, 99, 99, 99, 99, 99, 99, 99), "
               "(1, 2, 93, 1, 1, 0, 0, 13, 99, 99, 99, 99, 99, 99, 99, 99, 99)");
}

} // namespace

class TstUtilsEngag : public QObject {
    Q_OBJECT
private slots:
    void annulerRemetTout_data();
    void annulerRemetTout();
    void annulerSansLigneEquipesDonneZero();
    void editionDeModele();
    void modeleCreeEtApplique();
    void echecNeLaisseRien_data();
    void echecNeLaisseRien();
    void copieRelaisEnEchec();
    void nageurRetireDesRelais_data();
    void nageurRetireDesRelais();
};

// What the entry window writes during an edit of competition 1; "modele" applies a template
// made beforehand from competition 2.
void TstUtilsEngag::annulerRemetTout_data()
{
    QTest::addColumn<QStringList>("ecritures");
    QTest::addColumn<bool>("appliquerModele");
    QTest::newRow("nageur ajouté") << QStringList{
        "INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES (1, 1, 13, 0, 1)",
        "INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Tps_engagement) "
        "VALUES (1, 1, 1, 13, 0, 1, 0.3)"} << false;
    QTest::newRow("nageur retiré") << QStringList{
        "UPDATE Engag_nageur SET Equipe = 0, Equipe_m = 0 WHERE Num_Lic = 11 AND Num_compet = 1 AND Num_profil = 1",
        "DELETE FROM Engag WHERE Num_Lic = 11 AND Num_compet = 1 AND Num_profil = 1",
        "UPDATE Relais SET Licence1 = 99 WHERE Licence1 = 11 AND Num_compet = 1 AND Num_profil = 1"} << false;
    QTest::newRow("équipes changées") << QStringList{
        "UPDATE Engag_equipe SET Eq_Homme = 3, Eq_Mixte = 0 WHERE Num_compet = 1 AND Num_profil = 1",
        "UPDATE Engag_nageur SET Equipe = 3, Equipe_m = 0 WHERE Num_Lic = 10 AND Num_compet = 1 AND Num_profil = 1",
        "UPDATE Engag SET Num_equipe = 3, Equipe_mixte = 0, Tps_engagement = 1.1 WHERE Num_Lic = 10 AND Num_compet = 1 "
        "AND Num_profil = 1"}
                                       << false;
    QTest::newRow("relais changés") << QStringList{
        "DELETE FROM Relais WHERE Code_epreuve = 14 AND Num_profil = 1",
        "UPDATE Relais SET Tps = 1.5959, Licence2 = 12 WHERE Code_epreuve = 93 AND Num_compet = 1 AND Num_profil = 1",
        "INSERT INTO Relais VALUES (1, 1, 94, 1, 1, 0, 0, 10, 99, 99, 99, 99, 99, 99, 99, 99, 99)"} << false;
    QTest::newRow("modèle appliqué") << QStringList{} << true;
}

void TstUtilsEngag::annulerRemetTout()
{
    QFETCH(QStringList, ecritures);
    QFETCH(bool, appliquerModele);
    BaseTest base;
    Remplir(base);
    if (appliquerModele)
        QVERIFY(Creer_modele_depuis_engag("7", "2"));
    const auto avant = Etat();

    const EditionEngag edition{"1", false, "Choix pour engagements"};
    // Cancelled, then ended: every table as it was, byte for byte.
    Debuter_edition_engag(edition);
    QCOMPARE(Contenu("Engag_tempo").size(), 4);
    QCOMPARE(Contenu("Relais_tempo").size(), 2);
    for (const QString& sql : ecritures)
        base.executer(sql);
    if (appliquerModele)
        QVERIFY(Appliquer_modele("1", "7"));
    QVERIFY(Etat() != avant);
    Annuler_edition_engag(edition);
    Terminer_edition_engag(edition);
    QCOMPARE(Etat(), avant);

    // Ended after "&Ok": the changes stay, without the removed swimmers, with no Old_ value
    // left and both work tables empty.
    Debuter_edition_engag(edition);
    for (const QString& sql : ecritures)
        base.executer(sql);
    if (appliquerModele)
        QVERIFY(Appliquer_modele("1", "7"));
    const QString colonnesNageur = "Num_profil || ',' || Num_compet || ',' || Num_Lic || ',' || Equipe || ',' || Equipe_m";
    const QStringList nageursGardes =
        Valeurs_colonne("select " + colonnesNageur + " from Engag_nageur where not (Equipe = 0 and Equipe_m = 0) order by 1");
    const QStringList engag = Contenu("Engag");
    const QStringList relais = Contenu("Relais");
    Terminer_edition_engag(edition);
    QCOMPARE(Valeurs_colonne("select " + colonnesNageur + " from Engag_nageur order by 1"), nageursGardes);
    QCOMPARE(Contenu("Engag"), engag);
    QCOMPARE(Contenu("Relais"), relais);
    QCOMPARE(base.valeur("select count(*) from Engag_nageur where Old_equipe <> 0 or Old_equipe_m <> 0"), QString("0"));
    QCOMPARE(base.valeur("select count(*) from Engag_equipe where Old_Eq_Homme + Old_Eq_Femme + Old_Eq_Mixte <> 0"),
             QString("0"));
    QVERIFY(Contenu("Engag_tempo").isEmpty());
    QVERIFY(Contenu("Relais_tempo").isEmpty());
}

void TstUtilsEngag::annulerSansLigneEquipesDonneZero()
{
    BaseTest base;
    Remplir(base);
    const EditionEngag edition{"3", false, "Choix pour engagements"};
    Debuter_edition_engag(edition);
    base.executer("INSERT INTO Engag_equipe VALUES (3, 1, 2, 1, 0, 0, 0, 0)");
    Annuler_edition_engag(edition);
    Terminer_edition_engag(edition);
    QCOMPARE(Lignes_requete("select * from Engag_equipe where Num_compet = 3"), QStringList{"3|1|0|0|0|0|0|0"});
}

void TstUtilsEngag::editionDeModele()
{
    BaseTest base;
    Remplir(base);
    QVERIFY(Creer_modele_depuis_engag("7", "1"));
    const auto avant = Etat();
    const EditionEngag edition{"7", true, "Modif"};
    Debuter_edition_engag(edition);
    QCOMPARE(Contenu("Engag_tempo").size(), 4);
    base.executer("UPDATE Engag_nageur_modele SET Equipe = 0, Equipe_m = 0 WHERE Num_Lic = 12");
    base.executer("DELETE FROM Engag_modele WHERE Num_Lic = 12");
    base.executer("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe, Equipe_m) VALUES (7, 13, 2, 0)");
    base.executer("UPDATE Engag_equipe_modele SET Eq_Femme = 4");
    Annuler_edition_engag(edition);
    Terminer_edition_engag(edition);
    QCOMPARE(Etat(), avant);

    // A new template cancelled goes with the content already written for it.
    base.executer("INSERT INTO Modele_engag (NumAuto, Nom_modele, Num_profil) VALUES (8, 'neuf', 1)");
    const EditionEngag nouveau{"8", true, "new modele"};
    Debuter_edition_engag(nouveau);
    base.executer("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe, Equipe_m) VALUES (8, 13, 0, 1)");
    base.executer("INSERT INTO Engag_modele VALUES (8, 2, 13, 0, 1)");
    Annuler_edition_engag(nouveau);
    Terminer_edition_engag(nouveau);
    QCOMPARE(base.valeur("select count(*) from Modele_engag where NumAuto = 8"), QString("0"));
    QCOMPARE(Etat(), avant);
}

void TstUtilsEngag::modeleCreeEtApplique()
{
    BaseTest base;
    Remplir(base);
    QVERIFY(Creer_modele_depuis_engag("7", "1"));
    // Times, places, dates and pools stay behind, and so do the relays.
    QCOMPARE(Lignes_requete("select Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte from Engag_modele order by 1"),
             (QStringList{"2|10|0|Vrai", "3|12|1|Vrai", "50|10|0|Vrai", "52|11|1|Faux"}));
    QCOMPARE(Lignes_requete("select * from Engag_equipe_modele"), QStringList{"7|1|0|1|0|0|0"});
    QCOMPARE(Lignes_requete("select Num_Lic, Equipe, Equipe_m from Engag_nageur_modele order by 1"),
             (QStringList{"10|0|Vrai", "11|1|Faux", "12|1|Vrai"}));

    // Into the 50 m competition, outside an edit: 50 (25 m freestyle) cannot be swum there.
    QVERIFY(Appliquer_modele("2", "7", false));
    QCOMPARE(Lignes_requete("select Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Tps_engagement, Lieu_perf, "
                            "Date_perf from Engag where Num_compet = 2 order by 1"),
             (QStringList{"2|10|0|Vrai|0||", "3|12|1|Vrai|0||", "52|11|1|Faux|0||"}));
    QCOMPARE(Lignes_requete("select Num_Lic, Equipe, Equipe_m, Old_equipe from Engag_nageur where Num_compet = 2 "
                            "order by 1"),
             (QStringList{"10|0|Vrai|0", "11|1|Faux|0", "12|1|Vrai|0"}));
    QCOMPARE(Lignes_requete("select * from Engag_equipe where Num_compet = 2"), QStringList{"2|1|1|0|1|0|0|0"});
    QCOMPARE(base.valeur("select count(*) from Relais where Num_compet = 2"), QString("0"));
    // Competition 1 and the other profile untouched.
    QCOMPARE(base.valeur("select count(*) from Engag where Num_compet = 1"), QString("5"));
    QCOMPARE(base.valeur("select count(*) from Relais where Num_compet = 1"), QString("3"));

    // Into a 25 m competition every entry is kept.
    QVERIFY(Appliquer_modele("3", "7", false));
    QCOMPARE(base.valeur("select count(*) from Engag where Num_compet = 3"), QString("4"));
}

void TstUtilsEngag::echecNeLaisseRien_data()
{
    QTest::addColumn<QString>("casse");
    QTest::addColumn<bool>("creer");
    QTest::newRow("appliquer, équipes du modèle") << "DROP TABLE Engag_equipe_modele" << false;
    QTest::newRow("appliquer, compétition inconnue") << "DELETE FROM Rcomp WHERE AutoNum = 1" << false;
    QTest::newRow("créer, nageurs") << "DROP TABLE Engag_nageur" << true;
}

void TstUtilsEngag::echecNeLaisseRien()
{
    QFETCH(QString, casse);
    QFETCH(bool, creer);
    BaseTest base;
    Remplir(base);
    QVERIFY(Creer_modele_depuis_engag("7", "2"));
    base.executer(casse);
    QStringList tables = tablesEdition;
    tables.removeAll(casse.section(' ', 2, 2));
    QMap<QString, QStringList> avant;
    for (const QString& t : tables)
        avant[t] = Contenu(t);
    QVERIFY(!(creer ? Creer_modele_depuis_engag("8", "1") : Appliquer_modele("1", "7")));
    for (const QString& t : tables)
        QCOMPARE(Contenu(t), avant[t]);
}

void TstUtilsEngag::copieRelaisEnEchec()
{
    BaseTest base;
    Remplir(base);
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    base.executer("INSERT INTO Relais_tempo SELECT * FROM Relais WHERE Num_compet = 1 AND Num_profil = 1");
    base.executer("ALTER TABLE Relais RENAME TO Relais_vu");
    Copier_relais_table("1", "Relais", "Relais_tempo");
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith(
        "Une erreur s'est produite lors de la sauvegarde dans la table Relais_tempo des engagements des relais."));
    QCOMPARE(Contenu("Relais_tempo").size(), 2);

    // An edit whose relays cannot be copied does not begin: its cancel would lose them.
    base.executer("DELETE FROM Relais_tempo");
    QVERIFY_THROWS_EXCEPTION(std::exception, Debuter_edition_engag({"1", false, "Choix pour engagements"}));
    QVERIFY(Contenu("Engag_tempo").isEmpty());
}

void TstUtilsEngag::nageurRetireDesRelais_data()
{
    QTest::addColumn<QStringList>("filtres");
    QTest::addColumn<QStringList>("attendu");
    // Rows: profile, competition, event, team, legs 1 to 3.
    QTest::newRow("licences seules") << QStringList{"10, 11", "", "", "", ""}
                                     << QStringList{"1|1|14|1|12|99|99", "1|1|93|1|99|99|99", "1|2|93|1|13|99|99",
                                                    "2|1|93|2|99|99|99"};
    QTest::newRow("tous les filtres") << QStringList{"10", "1, 2", "1", "false", "1"}
                                      << QStringList{"1|1|14|1|12|11|10", "1|1|93|1|11|99|99", "1|2|93|1|13|99|99",
                                                     "2|1|93|2|10|11|99"};
}

void TstUtilsEngag::nageurRetireDesRelais()
{
    QFETCH(QStringList, filtres);
    QFETCH(QStringList, attendu);
    BaseTest base;
    Remplir(base);
    Supprimer_nageur_relais(filtres[0], filtres[1], filtres[2], filtres[3], filtres[4]);
    QCOMPARE(Lignes_requete("select Num_profil, Num_compet, Code_epreuve, Num_equipe, Licence1, Licence2, Licence3 "
                            "from Relais order by 1, 2, 3"),
             attendu);
}

QTEST_MAIN(TstUtilsEngag)
#include "tst_utils_engag.moc"
