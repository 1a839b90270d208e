// The licence store: what the detail window writes, the sorts and joins the swimmer lists share,
// and the reads of a licence and of the licences without fee.

#include "clubs_licences/licences.h"
#include "core/base.h"
#include "core/globales.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

namespace {

QStringList Valeurs(const QString& club, const QString& numero, const QString& nom)
{
    QStringList v;
    for (int i = 0; i < NB_VALEURS_LICENCE; ++i)
        v << QString("v%1").arg(i);
    v[0] = club;
    v[1] = numero;
    v[2] = nom;
    return v;
}

QStringList Colonne(const QString& sql)
{
    Executer_requete(sql, false);
    const QStringList valeurs = colResultat.colonne(0);
    Liberer_resultat();
    return valeurs;
}

} // namespace

class TstLicenceStore : public QObject {
    Q_OBJECT
private slots:
    void ordreDeTri_data();
    void ordreDeTri();
    void triEtJointureSurLaBase();
    void insertionEtModificationGardentLesApostrophes();
    void ecrituresEchoueesSansMessage();
    void copieTempoEtNumeroRetrouve();
    void activitesRemplaceesSansVide();
    void selectionRetrouveeSansDoublon();
    void sansCotisationTrouveTarifVide();
    void nationaliteInconnueChargeeQuandMeme();
};

void TstLicenceStore::ordreDeTri_data()
{
    QTest::addColumn<bool>("selection");
    QTest::addColumn<bool>("sansPrefixe");
    QTest::addColumn<bool>("triInitial");
    QTest::addColumn<int>("derniereInitiale");
    QTest::addColumn<QList<int>>("clics");
    QTest::addColumn<QString>("ordre");

    QTest::newRow("nom") << false << false << false << 0 << QList<int>{1} << "ORDER BY Licence.Nom, Licence.Prenom";
    QTest::newRow("nom deux fois") << false << false << false << 0 << QList<int>{1, 1}
                                   << "ORDER BY Licence.Nom DESC, Licence.Prenom";
    QTest::newRow("nom trois fois") << false << false << false << 0 << QList<int>{1, 1, 1}
                                    << "ORDER BY Licence.Nom, Licence.Prenom";
    QTest::newRow("autre colonne repart croissant") << false << false << false << 0 << QList<int>{1, 1, 2}
                                                    << "ORDER BY Licence.Prenom, Licence.Nom";
    QTest::newRow("prenom deux fois") << false << false << false << 0 << QList<int>{1, 2, 2}
                                      << "ORDER BY Licence.Prenom DESC, Licence.Nom";
    QTest::newRow("numero seul") << false << false << false << 0 << QList<int>{3, 3} << "ORDER BY Licence.Licence DESC";
    QTest::newRow("colonne 4 d'un club") << false << false << false << 0 << QList<int>{4}
                                         << "ORDER BY Licence.Date_Naissance, Licence.Nom, Licence.Prenom";
    QTest::newRow("colonne 4 d'une selection") << true << false << false << 0 << QList<int>{4}
                                               << "ORDER BY Club.Intitule, Licence.Nom, Licence.Prenom";
    QTest::newRow("naissance") << true << false << false << 0 << QList<int>{5}
                               << "ORDER BY Licence.Date_Naissance, Licence.Nom, Licence.Prenom";
    QTest::newRow("sans prefixe") << false << true << false << 0 << QList<int>{1} << "ORDER BY Nom, Prenom";
    QTest::newRow("sans prefixe decroissant") << false << true << false << 0 << QList<int>{1, 1}
                                              << "ORDER BY Nom DESC, Prenom";
    // The licence list opens sorted on the name with the toggle set.
    QTest::newRow("premier clic de la liste ouverte") << false << false << true << 1 << QList<int>{1}
                                                      << "ORDER BY Licence.Nom DESC, Licence.Prenom";
    QTest::newRow("colonne inconnue") << false << false << false << 1 << QList<int>{7} << "";
}

void TstLicenceStore::ordreDeTri()
{
    QFETCH(bool, selection);
    QFETCH(bool, sansPrefixe);
    QFETCH(bool, triInitial);
    QFETCH(int, derniereInitiale);
    QFETCH(QList<int>, clics);
    QFETCH(QString, ordre);
    bClubSelection = selection;
    bool tri = triInitial;
    int derniere = derniereInitiale;
    QString resultat;
    for (int colonne : clics)
        resultat = Get_order_by_licence(colonne, tri, derniere, sansPrefixe);
    bClubSelection = false;
    QCOMPARE(resultat, ordre);
    QCOMPARE(derniere, clics.last());
}

void TstLicenceStore::triEtJointureSurLaBase()
{
    BaseTest base;
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1110751234', 'Zèbres')");
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1110754321', 'Albatros')");
    base.executer("INSERT INTO Licence (Num, Code_club, Nom, Prenom) VALUES (1, 'FRA1110751234', 'ARNAUD', 'Eve')");
    base.executer("INSERT INTO Licence (Num, Code_club, Nom, Prenom) VALUES (2, 'FRA1110754321', 'BRUN', 'Léa')");
    base.executer("INSERT INTO Licence (Num, Code_club, Nom, Prenom) VALUES (3, 'FRA1110751234', 'CARON', 'Ana')");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('FRA1110750000', 1)");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('FRA1110750000', 2)");
    base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('FRA1000000000', 3)");

    QString from, where;
    Get_jointure_selection(from, where);
    const QString requete = "SELECT Licence.Nom FROM " + from + "WHERE " + where
                            + "and Selection.Code_Sel = 'FRA1110750000' ";
    bClubSelection = true;
    bool tri = false;
    int derniere = 0;
    QCOMPARE(Colonne(requete + Get_order_by_licence(4, tri, derniere, false)), (QStringList{"BRUN", "ARNAUD"}));
    bClubSelection = false;
    QCOMPARE(Colonne(requete + Get_order_by_licence(1, tri, derniere, false)), (QStringList{"ARNAUD", "BRUN"}));
    QCOMPARE(Colonne(requete + Get_order_by_licence(1, tri, derniere, false)), (QStringList{"BRUN", "ARNAUD"}));
    tri = false;
    derniere = 0;
    QCOMPARE(Colonne("SELECT Nom FROM Licence " + Get_order_by_licence(2, tri, derniere, true)),
             (QStringList{"CARON", "ARNAUD", "BRUN"}));
}

void TstLicenceStore::insertionEtModificationGardentLesApostrophes()
{
    BaseTest base;
    QStringList v = Valeurs("FRA1110751234", "09123F", "D'ARTAGNAN");
    v[7] = "1, rue de l'Église";
    v[25] = "Tarif ''plein''";
    QVERIFY(Inserer_licence(v));
    const QString num = base.valeur("SELECT Num FROM Licence WHERE Licence = '09123F'");
    QVERIFY(!num.isEmpty());

    Executer_requete(Requete_lecture_licence(num), false);
    QCOMPARE(colResultat.nbColonnes(), 32);
    QCOMPARE(colResultat.item(1, 1), QString("FRA1110751234"));
    QCOMPARE(colResultat.item(3, 1), QString("D'ARTAGNAN"));
    QCOMPARE(colResultat.item(8, 1), QString("1, rue de l'Église"));
    QCOMPARE(colResultat.item(23, 1), QString("v22"));
    QCOMPARE(colResultat.item(24, 1), QString("Vrai")); // Visible takes its default
    QCOMPARE(colResultat.item(26, 1), QString("v23"));
    QCOMPARE(colResultat.item(28, 1), QString("Tarif ''plein''"));
    QCOMPARE(colResultat.item(30, 1), QString("v27"));
    Liberer_resultat();
    QCOMPARE(base.valeur("SELECT Date_suppr IS NULL FROM Licence WHERE Num = " + num), QString("1"));

    v[0] = "FRA1110754321";
    v[2] = "L'HERMITE";
    v[27] = "20240101";
    QVERIFY(Modifier_licence(v, num));
    QCOMPARE(base.valeur("SELECT Nom FROM Licence WHERE Num = " + num), QString("L'HERMITE"));
    QCOMPARE(base.valeur("SELECT Date_Ctrl_Medical FROM Licence WHERE Num = " + num), QString("20240101"));
    QCOMPARE(base.valeur("SELECT Code_club FROM Licence WHERE Num = " + num), QString("FRA1110751234"));
    QCOMPARE(base.valeur("SELECT Adresse FROM Licence WHERE Num = " + num), QString("1, rue de l'Église"));
}

void TstLicenceStore::ecrituresEchoueesSansMessage()
{
    BaseTest base;
    PortIhmTest port; // no answer queued: a message box would fail the write and be seen below
    const QStringList v = Valeurs("FRA1110751234", "09123F", "DUPONT");
    QVERIFY(!Inserer_licence(v.mid(1)));
    QVERIFY(!Modifier_licence(v, "1 OR 1=1"));
    QVERIFY(!Copier_licence_tempo(""));
    base.executer("DROP TABLE Licence_tempo");
    QVERIFY(Inserer_licence(v));
    QVERIFY(!Copier_licence_tempo(base.valeur("SELECT max(Num) FROM Licence")));
    QVERIFY(port.appels().empty());
    QCOMPARE(base.valeur("SELECT count(*) FROM Licence"), QString("1"));
}

void TstLicenceStore::copieTempoEtNumeroRetrouve()
{
    BaseTest base;
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Visible) "
                  "VALUES (7, 'FRA1110751234', '09123F', 'O''NEIL', 'Ann', false)");
    QVERIFY(Copier_licence_tempo("7"));
    QCOMPARE(base.valeur("SELECT Num || '|' || Code_Club || '|' || Licence || '|' || Nom || '|' || Prenom FROM Licence_tempo"),
             QString("7|FRA1110751234|09123F|O'NEIL|Ann"));
    QCOMPARE(Get_num_licence("FRA1110751234", "09123F"), QString("7")); // hidden, still found
    QCOMPARE(Get_num_licence("FRA1110754321", "09123F"), QString());
    QCOMPARE(Get_num_licence("FRA1110751234", "0'123F"), QString());
}

void TstLicenceStore::activitesRemplaceesSansVide()
{
    BaseTest base;
    Enregistrer_activites_licence("5", "Ancien\t");
    Enregistrer_activites_licence("6", "Autre");
    Enregistrer_activites_licence("5", "Natation\t\tAqua'gym\t");
    QCOMPARE(Colonne("SELECT Activite FROM Activite_licence WHERE Num_lic = 5 ORDER BY rowid"),
             (QStringList{"Natation", "Aqua'gym"}));
    Enregistrer_activites_licence("5", "");
    QCOMPARE(base.valeur("SELECT count(*) FROM Activite_licence"), QString("1"));
    // A later version's column after the model's ones changes nothing to what is written.
    base.executer("ALTER TABLE Activite_licence ADD COLUMN Niveau TEXT");
    Enregistrer_activites_licence("5", "Water-polo");
    QCOMPARE(base.valeur("SELECT Activite || '|' || ifnull(Niveau, '-') FROM Activite_licence WHERE Num_lic = 5"),
             QString("Water-polo|-"));
}

void TstLicenceStore::selectionRetrouveeSansDoublon()
{
    BaseTest base;
    Ajouter_licence_selection("FRA1110750000", "4");
    base.executer("UPDATE Selection SET Visible = false");
    Ajouter_licence_selection("FRA1110750000", "4");
    Ajouter_licence_selection("FRA1000000000", "4");
    QCOMPARE(Colonne("SELECT Code_Sel || ' ' || Visible || ' ' || Suppr FROM Selection ORDER BY Code_Sel"),
             (QStringList{"FRA1000000000 1 0", "FRA1110750000 1 0"}));
}

void TstLicenceStore::sansCotisationTrouveTarifVide()
{
    BaseTest base;
    base.executer("INSERT INTO Licence (Nom, Tarif) VALUES ('VIDE', '')");
    base.executer("INSERT INTO Licence (Nom, Tarif) VALUES ('BLANC', ' ')");
    base.executer("INSERT INTO Licence (Nom, Tarif) VALUES ('NUL', NULL)");
    base.executer("INSERT INTO Licence (Nom, Tarif) VALUES ('PAYE', 'Adulte')");
    QCOMPARE(Colonne("SELECT Nom FROM Licence WHERE " + Condition_licence_sans_tarif() + " ORDER BY Nom"),
             (QStringList{"BLANC", "NUL", "VIDE"}));
}

void TstLicenceStore::nationaliteInconnueChargeeQuandMeme()
{
    BaseTest base;
    base.executer("INSERT INTO Licence (Num, Nom, Nationalite) VALUES (1, 'DURAND', 'FRA')");
    base.executer("INSERT INTO Licence (Num, Nom, Nationalite) VALUES (2, 'SMITH', 'XYZ')");
    for (auto [num, nom, pays] : {std::tuple{"1", "DURAND", "FRANCE"}, std::tuple{"2", "SMITH", "XYZ"}}) {
        Executer_requete(Requete_lecture_licence(num), false);
        QCOMPARE(colResultat.Count(0), 1);
        QCOMPARE(colResultat.item(3, 1), QString(nom));
        QCOMPARE(colResultat.item(31, 1), QString(pays));
        Liberer_resultat();
    }
    QCOMPARE(Code_nationalite("FRANCE"), QString("FRA"));
    QCOMPARE(Code_nationalite("ALGÉRIE", "XYZ"), QString("ALG"));
    QCOMPARE(Code_nationalite("XYZ", "XYZ"), QString("XYZ")); // shown as loaded: kept
    QCOMPARE(Code_nationalite("Atlantide", "XYZ"), QString("FRA"));
    QCOMPARE(Code_nationalite("L'Île", ""), QString("FRA"));
}

QTEST_MAIN(TstLicenceStore)
#include "tst_licence_store.moc"
