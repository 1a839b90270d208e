// The club code rules against the model base's geography: which codes are valid, when the user
// is told, and how the builder recognises the kind of a code.

#include "clubs_licences/code_club.h"
#include "core/base.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

class TstCodeClub : public QObject {
    Q_OBJECT
private slots:
    void validation_data();
    void validation();
    void messageApresLePrefixe();
    void longueurFausseSansMessage();
    void etrangerSansInterRegionZero();
    void typeDuCode_data();
    void typeDuCode();
};

void TstCodeClub::validation_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("valide");
    // Nord-Est (1) holds Hauts-de-France (32), which holds Aisne (002); Ain (001) belongs to
    // Auvergne-Rhône-Alpes (84, Sud-Est 3); Corse-du-Sud is 02A in Corse (94, Sud-Est 3).
    QTest::newRow("sélection fédérale") << "FRA0000000000" << true;
    QTest::newRow("sélection inter-régionale") << "FRA1000000000" << true;
    QTest::newRow("sélection régionale") << "FRA1320000000" << true;
    QTest::newRow("sélection départementale") << "FRA1320020000" << true;
    QTest::newRow("club") << "FRA1320021234" << true;
    QTest::newRow("département lettré") << "FRA39402A0042" << true;
    QTest::newRow("département d'une autre région") << "FRA1320011234" << false;
    QTest::newRow("région d'une autre inter-région") << "FRA1840000000" << false;
    QTest::newRow("inter 0 avec une région") << "FRA0320000000" << false;
    QTest::newRow("région 00 avec un département") << "FRA1000021234" << false;
    QTest::newRow("étranger, région ignorée") << "BEL0999999999" << true;
    QTest::newRow("étranger, club") << "BEL0000001234" << true;
    QTest::newRow("étranger avec inter-région") << "BEL1000000000" << false;
    QTest::newRow("pays inconnu") << "XXX0000000000" << false;
    QTest::newRow("inter-région inconnue") << "FRA9000000000" << false;
    QTest::newRow("lettre en inter-région") << "FRAA000000000" << false;
    QTest::newRow("apostrophe") << "FRA1320'21234" << false;
    QTest::newRow("minuscules") << "fra0000000000" << false;
    QTest::newRow("blanc") << "FRA 000000000" << false;
}

void TstCodeClub::validation()
{
    QFETCH(QString, code);
    QFETCH(bool, valide);
    BaseTest base;
    PortIhmTest ihm;
    QString message;
    QCOMPARE(Code_club_valide(code, false, message), valide);
    QVERIFY(ihm.messages().isEmpty());
    QVERIFY(message.isEmpty());

    // Shown, the refusal is one message box and never a query error.
    ihm.accepterMessagesOk(true);
    QCOMPARE(Code_club_valide(code, true, message), valide);
    QCOMPARE(ihm.messages(), valide ? QStringList() : QStringList {"Le code club tapé n'est pas valide."});
}

void TstCodeClub::messageApresLePrefixe()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    QString message = "Ajout annulé.";
    QVERIFY(!Code_club_valide("FRA9000000000", true, message));
    QCOMPARE(ihm.messages(), QStringList {"Ajout annulé.\r\nLe code club tapé n'est pas valide."});
    QCOMPARE(message, QString("Ajout annulé.\r\n"));
}

void TstCodeClub::longueurFausseSansMessage()
{
    BaseTest base;
    PortIhmTest ihm; // any message box would throw: none is queued
    for (const QString& code : {QString("FRA000000000"), QString("FRA00000000000"), QString()}) {
        QString message = "Ajout annulé.";
        QVERIFY(!Code_club_valide(code, true, message));
    }
    QVERIFY(ihm.appels().empty());
}

void TstCodeClub::etrangerSansInterRegionZero()
{
    BaseTest base;
    QString message;
    QVERIFY(Code_club_valide("BEL0000001234", false, message));
    base.executer("DELETE FROM Inter_Region WHERE Code = 0");
    QVERIFY(!Code_club_valide("BEL0000001234", false, message));
    QVERIFY(!Code_club_valide("FRA0000000000", false, message));
}

void TstCodeClub::typeDuCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("selection");
    QTest::newRow("fédérale") << "FRA0000000000" << TypeClub::Federale << true;
    QTest::newRow("inter-régionale") << "FRA1000000000" << TypeClub::InterRegionale << true;
    QTest::newRow("régionale") << "FRA1320000000" << TypeClub::Regionale << true;
    QTest::newRow("départementale") << "FRA1320020000" << TypeClub::Departementale << true;
    QTest::newRow("club") << "FRA1320021234" << -1 << false;
    // A foreign club has inter-region 0 too, yet it is a club, not the federal selection.
    QTest::newRow("club étranger") << "BEL0000001234" << -1 << false;
    QTest::newRow("vide") << "" << -1 << false;
}

void TstCodeClub::typeDuCode()
{
    QFETCH(QString, code);
    QFETCH(int, type);
    QFETCH(bool, selection);
    QCOMPARE(Type_code_club(code, -1), type);
    QCOMPARE(Est_code_selection(code), selection);
}

QTEST_MAIN(TstCodeClub)
#include "tst_code_club.moc"
