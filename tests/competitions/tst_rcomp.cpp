// Closing of past competitions at each opening, and the competition made for an import.

#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

class TstRcomp : public QObject {
    Q_OBJECT
private slots:
    void competitionsPasseesCloturees();
    void competitionPourImport();
};

void TstRcomp::competitionsPasseesCloturees()
{
    BaseTest base;
    Services::fixerAujourdhui(QDate(2025, 3, 15));
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('passée', '20250314', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('aujourd''hui', '20250315', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('à venir', '20250316', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('cachée', '20250101', false, false)");
    Cloturer_compet_passees();
    Executer_requete("select Nom, Deroule, Visible from Rcomp order by AutoNum", false);
    QCOMPARE(colResultat.colonne(1), (QStringList{"Vrai", "Vrai", "Faux", "Faux"}));
    QCOMPARE(colResultat.colonne(2), (QStringList{"Faux", "Faux", "Vrai", "Faux"}));
    Services::fixerAujourdhui(QDate());
}

void TstRcomp::competitionPourImport()
{
    BaseTest base;
    Controler_piscine_reference();
    const QString cle = Creer_compet_import();
    QVERIFY(!cle.isEmpty());
    QCOMPARE(base.valeur("select Deroule || Visible from Rcomp where AutoNum = " + cle), QString("11"));
    QCOMPARE(base.valeur("select p.Nom from Rcomp r join Piscine p on p.Num = r.Num_Piscine where r.AutoNum = " + cle),
             QString("Null"));
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    base.executer("DROP TABLE Rcomp");
    QCOMPARE(Creer_compet_import(), QString());
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Erreur lors de la création de la nouvelle compétition pour importation des résultats !"));
}

QTEST_MAIN(TstRcomp)
#include "tst_rcomp.moc"
