// The checks run before a licence is written: identity checks in their fixed order, the family
// name's normalisation and the uniqueness of a number within its club.

#include "clubs_licences/licences.h"
#include "core/base.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"

#include <QtTest>

class TstLicenceControles : public QObject {
    Q_OBJECT
private slots:
    void premiereErreurSeule_data();
    void premiereErreurSeule();
    void erreurAfficheeUneFois();
    void nomDeFamilleNormalise_data();
    void nomDeFamilleNormalise();
    void numeroUniqueDansLeClub();
    void numeroModifieRefuseSiDejaPris();
};

void TstLicenceControles::premiereErreurSeule_data()
{
    QTest::addColumn<QString>("jour");
    QTest::addColumn<QString>("mois");
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("prenom");
    QTest::addColumn<QString>("message");

    const QString date = "Date de naissance invalide.";
    const QString incomplet = "Numéro de licence incomplet.";
    const QString annee = "La licence et annee de naissance ne correspondent pas.";
    const QString nom = "Nom de famille non renseigné.";
    const QString prenom = "Prénom non renseigné.";

    QTest::newRow("tout juste") << "3" << "7" << "2009" << "09123" << "DUPONT" << "Jean" << "";
    QTest::newRow("annee du numero differente") << "3" << "7" << "2009" << "08123" << "DUPONT" << "Jean" << annee;
    // A day that does not exist, or a birth after today or before 1900, could not be read back by
    // the licence import: refused as the date, before the number.
    QTest::newRow("31 fevrier refuse") << "31" << "2" << "2010" << "10123" << "DUPONT" << "Jean" << date;
    QTest::newRow("naissance future avant le numero") << "1" << "1" << "2999" << "0912" << "" << ""
                                                      << "La date de naissance est postérieure à la date du jour.";
    QTest::newRow("naissance en 1899") << "31" << "12" << "1899" << "99123" << "DUPONT" << "Jean"
                                       << "La date de naissance est antérieure à 1900.";
    QTest::newRow("annee 0000") << "1" << "1" << "0000" << "00123" << "DUPONT" << "Jean" << date;
    QTest::newRow("annee de 3 chiffres d'abord") << "3" << "7" << "200" << "0912" << "" << "" << date;
    QTest::newRow("jour vide") << "" << "7" << "2009" << "09123" << "DUPONT" << "Jean" << date;
    QTest::newRow("jour 32") << "32" << "7" << "2009" << "09123" << "DUPONT" << "Jean" << date;
    QTest::newRow("mois 13") << "3" << "13" << "2009" << "09123" << "DUPONT" << "Jean" << date;
    QTest::newRow("jour 0") << "0" << "7" << "2009" << "09123" << "DUPONT" << "Jean" << date;
    QTest::newRow("quatre chiffres avant les noms") << "3" << "7" << "2009" << "0912" << "" << "" << incomplet;
    QTest::newRow("blancs autour comptent pas") << "3" << "7" << "2009" << " 0912 " << "DUPONT" << "Jean" << incomplet;
    QTest::newRow("six chiffres") << "3" << "7" << "2009" << "091234" << "DUPONT" << "Jean" << incomplet;
    QTest::newRow("annee avant le nom") << "3" << "7" << "2009" << "10123" << "" << "" << annee;
    QTest::newRow("nom de blancs") << "3" << "7" << "2009" << "09123" << "   " << "Jean" << nom;
    QTest::newRow("nom avant prenom") << "3" << "7" << "2009" << "09123" << "" << "" << nom;
    QTest::newRow("prenom vide") << "3" << "7" << "2009" << "09123" << "DUPONT" << "" << prenom;
    QTest::newRow("prenom de blancs") << "3" << "7" << "2009" << "09123" << "DUPONT" << "  " << prenom;
}

void TstLicenceControles::premiereErreurSeule()
{
    QFETCH(QString, jour);
    QFETCH(QString, mois);
    QFETCH(QString, annee);
    QFETCH(QString, numero);
    QFETCH(QString, nom);
    QFETCH(QString, prenom);
    QFETCH(QString, message);
    QCOMPARE(Erreur_saisie_licence({jour, mois, annee, numero, nom, prenom}), message);
}

void TstLicenceControles::erreurAfficheeUneFois()
{
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QVERIFY(!Verifier_saisie_licence({"3", "7", "200", "0912", "", ""}));
    QCOMPARE(port.messages(), QStringList{"Date de naissance invalide."});
    QCOMPARE(port.appels().front().titre, QString("Erreur"));
    port.effacer();
    QVERIFY(Verifier_saisie_licence({"03", "07", "2009", "09123", "DUPONT", "Jean"}));
    QVERIFY(port.messages().isEmpty());
}

void TstLicenceControles::nomDeFamilleNormalise_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("enregistre");
    QTest::newRow("accents minuscules") << "Hélène" << "HELENE";
    // Lower-cased before the replacements, so accented capitals lose their accents too.
    QTest::newRow("majuscules accentuees") << "HÉLÈNE" << "HELENE";
    QTest::newRow("toutes les lettres") << "éèêëàäâîïôöüûç" << "EEEEAAAIIOOUUC";
    QTest::newRow("apostrophe et tiret") << "d'Estaing-Loüis" << "D'ESTAING-LOUIS";
    QTest::newRow("blancs gardes") << "  le Nôtre " << "  LE NOTRE ";
    QTest::newRow("blancs seuls") << "   " << "   ";
}

void TstLicenceControles::nomDeFamilleNormalise()
{
    QFETCH(QString, tape);
    QFETCH(QString, enregistre);
    QCOMPARE(Sans_accents(tape), enregistre);
}

void TstLicenceControles::numeroUniqueDansLeClub()
{
    BaseTest base;
    PortIhmTest port;
    base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Visible) VALUES ('FRA1110751234', '09123F', 'DUPONT', false)");
    // Hidden but not freed: still holds its number in its club, and only there.
    QCOMPARE(Compter_numero_licence("09123F", "FRA1110751234"), 1);
    QCOMPARE(Compter_numero_licence("09123F", "FRA1110754321"), 0);
    QCOMPARE(Compter_numero_licence("09123C", "FRA1110751234"), 0);
    // A pasted quote is a value like any other, never SQL.
    QCOMPARE(Compter_numero_licence("09'12F", "FRA1110751234"), 0);

    port.accepterMessagesOk(true);
    Afficher_numero_utilise(true);
    QCOMPARE(port.messages(), QStringList{"Numéro de licence déjà utilisé.\r\nInsertion du licencié annulé."});
}

void TstLicenceControles::numeroModifieRefuseSiDejaPris()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (10, 'FRA1110751234', '10001F', 'A')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (11, 'FRA1110751234', '10002F', 'B')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (12, 'FRA1110754321', '10003F', 'C')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom) VALUES (13, 'FRA1110751234', '10002F', 'D')");

    QVERIFY(!Numero_licence_modifiable("10001F", "10002F", "FRA1110751234", "11"));
    QCOMPARE(port.messages(), QStringList{"Numéro de licence déjà utilisé."});
    port.effacer();
    QVERIFY(Numero_licence_modifiable("10004F", "10002F", "FRA1110751234", "11"));
    QVERIFY(Numero_licence_modifiable("10003F", "10002F", "FRA1110751234", "11")); // other club
    // Unchanged: a duplicate the base already holds stays editable.
    QVERIFY(Numero_licence_modifiable("10002F", "10002F", "FRA1110751234", "11"));
    // The licence itself never counts against its own number.
    QVERIFY(Numero_licence_modifiable("10001f", "10001F", "FRA1110751234", "10"));
    QVERIFY(port.messages().isEmpty());
}

QTEST_MAIN(TstLicenceControles)
#include "tst_licence_controles.moc"
