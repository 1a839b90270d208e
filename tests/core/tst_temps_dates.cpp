// Swim times and dates: conversions, sums and checks, as tables of cases.

#include "core/dates.h"
#include "core/globales.h"
#include "core/temps.h"
#include "core/utils.h"
#include "port_test.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

class TstTempsDates : public QObject {
    Q_OBJECT
private slots:
    void affichage_data();
    void affichage();
    void sommes_data();
    void sommes();
    void conversions();
    void formeDirecteCommeLeNombre();
    void saisieTempsRefuseSoixanteSecondes();
    void filtreTouchesTemps();
    void joursValides_data();
    void joursValides();
    void debutSaison_data();
    void debutSaison();
    void datesComposeesEtAffichees();
    void saisieDateAnnuleLaToucheFautive();
};

void TstTempsDates::affichage_data()
{
    QTest::addColumn<QString>("temps");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("minutes") << "1.0532" << "1:05.32";
    QTest::newRow("secondes") << "0.2875" << "28.75";
    QTest::newRow("zero devant") << "0.0532" << "05.32";
    QTest::newRow("virgule") << "1,0532" << "1:05.32";
    QTest::newRow("douze minutes") << "12.05" << "12:05.00";
    QTest::newRow("zero") << "0" << " ";
    QTest::newRow("vide") << "" << " ";
    // A negative time is impossible: it keeps its sign, never shown as a valid one.
    QTest::newRow("negatif") << "-1.0532" << "-1:05.32";
    QTest::newRow("negatif secondes") << "-0.5" << "-50.00";
    QTest::newRow("negatif virgule") << "-0,1" << "-10.00";
    QTest::newRow("negatif sous le centieme") << "-0.00001" << " ";
    QTest::newRow("negatif centieme") << "-0.0001" << "-00.01";
    QTest::newRow("moins zero") << "-0.0000" << " ";
    QTest::newRow("zeros devant") << "007.5" << "7:50.00";
    QTest::newRow("espace devant") << " 0.2875" << "28.75";
    QTest::newRow("neuf chiffres") << "123456789.1234" << "123456789:12.34";
    QTest::newRow("hors entier") << "1e20" << "00.00";
}

void TstTempsDates::affichage()
{
    QFETCH(QString, temps);
    QFETCH(QString, attendu);
    QCOMPARE(Temps_affichage(temps), attendu);
}

void TstTempsDates::sommes_data()
{
    QTest::addColumn<QString>("t1");
    QTest::addColumn<QString>("t2");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("centiemes a 100") << "1.0548" << "0.0052" << "1.0600";
    QTest::newRow("59.50 + 0.10") << "0.595" << "0.001" << "0.5960";
    QTest::newRow("passe la minute") << "0.595" << "0.015" << "1.0100";
    QTest::newRow("sans bruit flottant") << "0.2999" << "0.3001" << "1.0000";
    QTest::newRow("relais") << "0.2875" << "0.3125" << "1.0000";
}

void TstTempsDates::sommes()
{
    QFETCH(QString, t1);
    QFETCH(QString, t2);
    QFETCH(QString, attendu);
    QCOMPARE(Ajouter_temps(t1, t2), attendu);
    QCOMPARE(Ajouter_temps(t1.toDouble(), t2.toDouble()), attendu);
}

void TstTempsDates::conversions()
{
    QCOMPARE(Temps_en_secondes(1.0532), 65.32);
    QCOMPARE(Secondes_en_temps(65.32), QString("1.0532"));
    QCOMPARE(Secondes_en_temps(0), QString("0.0000"));
    QCOMPARE(Secondes_en_temps(59.999), QString("1.0000"));
    QCOMPARE(Format_temps("1,6"), QString("1.6000"));
    QCOMPARE(Format_temps("abc"), QString("0.0000"));
}

// Stored times are written out from their digits without reading a number: every text, stored
// or not, must give what the number read from it gives.
void TstTempsDates::formeDirecteCommeLeNombre()
{
    const auto reference = [](const QString& t) {
        const QString s = QString::number(Valeur_numerique(t), 'f', 4);
        return s == "-0.0000" ? QString("0.0000") : s;
    };
    QStringList textes = {"0",    "-0",    "00",     "0.",       "1.",         ".5",          "-.5",   "+1.5",
                          "1,5",  "1.5x",  "1.5 ",   "1..5",     "0.00005",    "0.03125",     "-0.0",  "999999999.9999",
                          "1e3",  "--1",   "0,0000", "1234567890.5", "0000000001.25", "12.3456", "-12.3456"};
    QRandomGenerator hasard(20261211);
    const QString signes[] = {"", "", "-", "+", " "};
    const QString separateurs[] = {".", ".", ",", "", "e"};
    for (int k = 0; k < 20000; ++k) {
        QString t = signes[hasard.bounded(5)];
        const int entiers = hasard.bounded(12);
        for (int i = 0; i < entiers; ++i)
            t += QChar(u'0' + (i == 0 && hasard.bounded(3) ? 1 + hasard.bounded(9) : hasard.bounded(10)));
        t += separateurs[hasard.bounded(5)];
        const int decimales = hasard.bounded(7);
        for (int i = 0; i < decimales; ++i)
            t += QChar(u'0' + hasard.bounded(10));
        textes << t;
    }
    for (const QString& t : textes)
        QCOMPARE(Format_temps(t), reference(t));
}

void TstTempsDates::saisieTempsRefuseSoixanteSecondes()
{
    PortIhmTest ihm;
    ihm.repondre(Reponse::Ok);
    QLineEdit boite;
    boite.setText("1.5");
    boite.setCursorPosition(3);
    QCOMPARE(Filtrer_touche_temps(&boite, '9'), int('9'));
    boite.setText("1.59");
    Controler_saisie_temps(&boite); // 1.5900 is accepted
    QCOMPARE(boite.text(), QString("1.59"));
    QVERIFY(ihm.appels().empty());

    boite.setText("1.");
    boite.setCursorPosition(2);
    Filtrer_touche_temps(&boite, '6');
    boite.setText("1.6");
    Controler_saisie_temps(&boite);
    QCOMPARE(ihm.messages(), QStringList{"Saisie du temps incorrect."});
    QCOMPARE(boite.text(), QString("1."));
    QCOMPARE(boite.cursorPosition(), 2);
    QVERIFY(strTempsPrecedent.isEmpty());
}

void TstTempsDates::filtreTouchesTemps()
{
    QLineEdit boite;
    boite.setText("1.2");
    QCOMPARE(Filtrer_touche_temps(&boite, '.'), 0);
    QCOMPARE(Filtrer_touche_temps(&boite, ','), 0);
    QCOMPARE(Filtrer_touche_temps(&boite, 'a'), 0);
    QCOMPARE(Filtrer_touche_temps(&boite, 8), 8);
    boite.setText("12");
    QCOMPARE(Filtrer_touche_temps(&boite, '.'), int('.'));
}

void TstTempsDates::joursValides_data()
{
    QTest::addColumn<int>("jour");
    QTest::addColumn<int>("mois");
    QTest::addColumn<int>("annee");
    QTest::addColumn<bool>("valide");
    QTest::newRow("29/2/2023") << 29 << 2 << 2023 << false;
    QTest::newRow("29/2/2024") << 29 << 2 << 2024 << true;
    QTest::newRow("29/2/1900") << 29 << 2 << 1900 << true;
    QTest::newRow("29/2 sans annee") << 29 << 2 << 0 << true;
    QTest::newRow("31/4") << 31 << 4 << 2024 << false;
    QTest::newRow("jour vide") << 0 << 7 << 2024 << true;
    QTest::newRow("mois 13") << 1 << 13 << 2024 << false;
    QTest::newRow("31 sans mois") << 31 << 0 << 2024 << true;
}

void TstTempsDates::joursValides()
{
    QFETCH(int, jour);
    QFETCH(int, mois);
    QFETCH(int, annee);
    QFETCH(bool, valide);
    QCOMPARE(Jour_valide(jour, mois, annee), valide);
}

void TstTempsDates::debutSaison_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("annees");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("16 septembre") << "20240916" << 0 << "20240916";
    QTest::newRow("15 septembre") << "20240915" << 0 << "20230916";
    QTest::newRow("decembre moins un an") << "20241231" << 1 << "20230916";
    QTest::newRow("janvier moins deux ans") << "20250101" << 2 << "20220916";
}

void TstTempsDates::debutSaison()
{
    QFETCH(QString, date);
    QFETCH(int, annees);
    QFETCH(QString, attendu);
    QCOMPARE(Debut_saison(date, annees), attendu);
}

void TstTempsDates::datesComposeesEtAffichees()
{
    QString mois = "9", jour = "1";
    QCOMPARE(Composer_date("2024", mois, jour), QString("20240901"));
    QCOMPARE(mois, QString("09"));
    QVERIFY(!Date_valide("24", "09", "01"));
    QVERIFY(!Date_valide("2024", "13", "01"));
    QVERIFY(Date_valide("2024", "02", "31"));
    QCOMPARE(Texte_en_date("01092024"), QString("20240901"));
    QCOMPARE(Texte_en_date("0109202"), QString());
    QCOMPARE(Date_en_texte(""), QString());
    QCOMPARE(Date_en_texte("20240901"), QString("1 septembre 2024"));
    QCOMPARE(Ecart_jours("1 septembre 2024", "3 septembre 2024"), 2);
    QCOMPARE(Ecart_jours("3 septembre 2024", "1 septembre 2024"), -2);
    QCOMPARE(Arrondi_dizaine(12), 10);
    QCOMPARE(Arrondi_dizaine(9), 0);
}

void TstTempsDates::saisieDateAnnuleLaToucheFautive()
{
    QLineEdit jour, mois, annee;
    const QMap<int, QLineEdit*> boites{{10, &jour}, {11, &mois}, {12, &annee}};
    bool controle = true;
    mois.setText("04");
    annee.setText("2024");
    jour.setText("3");
    jour.setCursorPosition(1);
    Memoriser_saisie_date(&jour);
    jour.setText("33");
    Controler_saisie_date(boites, controle, 10, Arrondi_dizaine(10), 1);
    QCOMPARE(jour.text(), QString("3"));
    QCOMPARE(jour.cursorPosition(), 1);
    QVERIFY(controle);
    jour.setText("30");
    Controler_saisie_date(boites, controle, 10, 10, 1);
    QCOMPARE(jour.text(), QString("30"));
}

QTEST_MAIN(TstTempsDates)
#include "tst_temps_dates.moc"
