// Reading a programme from "pcomp.txt" and describing its unknown codes from "nage.txt":
// Windows-1252 bytes, fixed columns, days from the earliest and latest dates.

#include "competitions/programme.h"

#include <QtTest>

namespace {

// One "pcomp.txt" line: columns 1-3 unread, code (2), date ddmmyyyy (8), one unread column,
// formula, finals, finals type, order (2).
QByteArray ligne(const char* code, const char* date, const char* reglages)
{
    return QByteArray("001") + code + date + " " + reglages;
}

QByteArray fichier(const QList<QByteArray>& lignes, const char* fin = "\r\n")
{
    return lignes.join(fin) + fin;
}

// The event list of a 25 m pool holds every individual event but 8 and 9.
bool connu(int code)
{
    return code != 8 && code != 9 && code != 77;
}

using Attendu = QList<QList<int>>; // code, day, formula, finals, order

} // namespace

Q_DECLARE_METATYPE(Attendu)

class TstProgrammeTexte : public QObject {
    Q_OBJECT
private slots:
    void lire_data();
    void lire();
    void codesInconnus_data();
    void codesInconnus();
};

void TstProgrammeTexte::lire_data()
{
    QTest::addColumn<QByteArray>("pcomp");
    QTest::addColumn<int>("jours");
    QTest::addColumn<Attendu>("attendu");
    QTest::addColumn<QStringList>("inconnus");

    QTest::newRow("jours des dates extrêmes") << fichier({ligne(" 2", "12032026", "32T05"), ligne("52", "14032026", "1  07"),
                                                          ligne("03", "13032026", "22C01")})
                                              << 3 << Attendu{{2, 1, 3, 2, 5}, {3, 2, 2, 2, 1}, {52, 3, 1, 0, 7}}
                                              << QStringList{};
    QTest::newRow("sur deux mois") << fichier({ligne("01", "31012026", "1  01"), ligne("02", "01022026", "1  02")}) << 2
                                   << Attendu{{1, 1, 1, 0, 1}, {2, 2, 1, 0, 2}} << QStringList{};
    QTest::newRow("code répété: la dernière ligne") << fichier({ligne("04", "01062026", "1  03"), ligne("04", "02062026", "31T09")})
                                                    << 2 << Attendu{{4, 2, 3, 1, 9}} << QStringList{};
    QTest::newRow("31 février") << fichier({ligne("01", "10022026", "1  01"), ligne("02", "31022026", "1  02"),
                                            ligne("03", "12022026", "1  03")})
                                << 1 << Attendu{{1, 1, 1, 0, 1}, {2, 1, 1, 0, 2}, {3, 1, 1, 0, 3}} << QStringList{};
    QTest::newRow("code inconnu non importé") << fichier({ligne("08", "01062026", "1  01"), ligne("02", "01062026", "1  02")})
                                              << 1 << Attendu{{2, 1, 1, 0, 2}} << QStringList{"08"};
    QTest::newRow("ligne blanche et ligne courte") << fichier({"", ligne("11", "05052026", "1  01"), "   ", "00", "001  "})
                                                   << 1 << Attendu{{11, 1, 1, 0, 1}} << QStringList{};
    QTest::newRow("fins de ligne LF") << fichier({ligne("01", "05052026", "1  01"), ligne("02", "06052026", "1  02")}, "\n")
                                      << 2 << Attendu{{1, 1, 1, 0, 1}, {2, 2, 1, 0, 2}} << QStringList{};
    QTest::newRow("fins de ligne CR seules") << fichier({ligne("01", "05052026", "1  01")}, "\r") << 1
                                             << Attendu{{1, 1, 1, 0, 1}} << QStringList{};
    QTest::newRow("aucun code connu") << fichier({ligne("09", "01062026", "1  01"), ligne("77", "05062026", "1  01")}) << 1
                                      << Attendu{} << QStringList{"09", "77"};
    QTest::newRow("date entourée de blancs") << fichier({ligne("01", " 1062026", "1  01"), ligne("02", "03062026", "1  02")})
                                             << 1 << Attendu{{1, 1, 1, 0, 1}, {2, 1, 1, 0, 2}} << QStringList{};
}

void TstProgrammeTexte::lire()
{
    QFETCH(QByteArray, pcomp);
    QFETCH(int, jours);
    QFETCH(Attendu, attendu);
    QFETCH(QStringList, inconnus);
    TableProgramme table;
    table[40].JourCourse = 5; // what was there before goes
    const ProgrammeTexte lu = Lire_pcomp(pcomp, connu, table);
    QCOMPARE(lu.nbJournees, jours);
    QCOMPARE(lu.codesInconnus, inconnus);
    Attendu lus;
    for (int code = 0; code < NbEpreuvesProgramme; ++code) {
        const EpreuveProgramme& e = table[code];
        if (e.JourCourse > 0)
            lus.append({code, e.JourCourse, e.Type, e.Nb_finales, e.Num_ordre});
    }
    QCOMPARE(lus, attendu);
}

void TstProgrammeTexte::codesInconnus_data()
{
    QTest::addColumn<QByteArray>("pcomp");
    QTest::addColumn<QByteArray>("nage");
    QTest::addColumn<QString>("message");
    const QByteArray pcomp = fichier({ligne("01", "10052026", "1  01"), ligne(" 9", "11052026", "1  04"),
                                      ligne("77", "10052026", "1  03"), ligne("05", "11052026", "1  02")});
    // "05" is a known code here; 08 stands for the unknown one written with a leading zero.
    const QByteArray pcompZero = fichier({ligne("01", "10052026", "1  01"), ligne("08", "11052026", "1  02")});
    QTest::newRow("décrits par nage.txt") << pcomp
                                          << fichier({"77Ball \xe9quipe 4\xd7" "50    ", " 9Saut haie", "12Inconnu ici"})
                                          << QString::fromUtf8("Des codes nages sont inconnus dans le fichier pcomp.txt : \n"
                                                               "77 Ball équipe 4×50    , journée  1, ordre 3\n"
                                                               " 9 Saut haie           , journée  2, ordre 4");
    QTest::newRow("05 jamais trouvé par 5") << pcompZero << fichier({" 8Relais libre", "08Relais"})
                                            << QString("Des codes nages sont inconnus dans le fichier pcomp.txt : \n");
    QTest::newRow("sans nage.txt") << pcomp << QByteArray()
                                   << QString::fromUtf8("Des codes nages sont inconnus dans le fichier pcomp.txt : \n\n"
                                                        " 9\n77\n\nFichier nage.txt non présent, impossible de trouver "
                                                        "des informations sur ces codes.");
}

void TstProgrammeTexte::codesInconnus()
{
    QFETCH(QByteArray, pcomp);
    QFETCH(QByteArray, nage);
    QFETCH(QString, message);
    TableProgramme table;
    const ProgrammeTexte lu = Lire_pcomp(pcomp, connu, table);
    const bool present = !nage.isNull();
    QCOMPARE(Message_codes_inconnus(lu, present, present ? Decrire_codes_inconnus(nage, lu) : QStringList()), message);
}

QTEST_MAIN(TstProgrammeTexte)
#include "tst_programme_texte.moc"
