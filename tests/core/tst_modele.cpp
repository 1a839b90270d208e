// The model base that every new base is copied from.

#include "core/base.h"
#include "fixtures.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

class TstModele : public QObject {
    Q_OBJECT
private slots:
    void toutesLesTables();
    void lignesDeReference();
    void lisibleParLOutilSqlite();
};

void TstModele::toutesLesTables()
{
    BaseTest base;
    const QStringList tables{
        "Info", "Profil", "Club", "Pays", "Inter_Region", "Region", "Departement", "Dirigeant", "Tarifs",
        "Activites", "Activite_licence", "Selection", "Licence", "Licence_tempo", "Rcomp", "Rcomp_tempo",
        "Piscine", "Pcomp", "Pcomp_modele", "Pcomp_tempo", "Modele_prog", "Modele_engag", "Nage", "Engag",
        "Engag_nageur", "Engag_equipe", "Engag_tempo", "Relais", "Relais_tempo", "Engag_modele",
        "Engag_nageur_modele", "Engag_equipe_modele", "Liffn", "Liffn_relais", "Prres", "Prres_relais",
        "Categori", "Code_Disq", "RecordClub", "Categori_record_club"};
    for (const QString& t : tables)
        QVERIFY2(Lire_nombre("select count(*) from sqlite_schema where type = 'table' and name = '" + t + "'") == 1,
                 qPrintable(t));
    // Work copies are filled with "INSERT INTO X_tempo SELECT X.*": same columns, same order.
    for (const auto& [table, copie] : {std::pair{"Rcomp", "Rcomp_tempo"},
                                       {"Engag", "Engag_tempo"}, {"Relais", "Relais_tempo"}}) {
        Executer_requete(QString("select name from pragma_table_info('%1') order by cid").arg(table), false);
        const QStringList a = colResultat.colonne(0);
        Executer_requete(QString("select name from pragma_table_info('%1') order by cid").arg(copie), false);
        QCOMPARE(colResultat.colonne(0), a);
    }
    QCOMPARE(Lire_nombre("select count(*) from pragma_table_info('Licence')"), 31);
    QCOMPARE(Lire_nombre("select count(*) from pragma_table_info('Liffn')"), 16);
    QCOMPARE(Lire_nombre("select count(*) from pragma_table_info('Relais')"), 17);
}

void TstModele::lignesDeReference()
{
    BaseTest base;
    QCOMPARE(Lire_nombre("select count(*) from Info"), 1);
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Vrai"));
    QCOMPARE(base.valeur("select Version from Info").replace(',', '.').toDouble(), 3.0);
    QCOMPARE(base.valeur("select Libelle from Pays where Code = 'FRA'"), QString("FRANCE"));
    QVERIFY(Lire_nombre("select count(*) from Pays") > 150);
    QCOMPARE(Lire_nombre("select count(*) from Inter_Region where Code = 0"), 1);
    QVERIFY(Lire_nombre("select count(*) from Departement") >= 100);
    // Every individual event, women's and men's.
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33, 40, 41, 42}) {
        QVERIFY2(Lire_nombre(QString("select count(*) from Nage where Code_Nage = %1").arg(code)) == 1,
                 qPrintable(QString::number(code)));
        QVERIFY(Lire_nombre(QString("select count(*) from Nage where Code_Nage = %1").arg(code + 50)) == 1);
    }
    QVERIFY(Lire_nombre("select count(*) from Code_Disq") > 0);
}

void TstModele::lisibleParLOutilSqlite()
{
    const QString outil = QStandardPaths::findExecutable("sqlite3");
    if (outil.isEmpty())
        QSKIP("sqlite3 absent");
    QProcess p;
    p.start(outil, {Chemin_modele_construit(), "select count(*) from sqlite_schema where type = 'table';"});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().trimmed().toInt() >= 40);
}

QTEST_MAIN(TstModele)
#include "tst_modele.moc"
