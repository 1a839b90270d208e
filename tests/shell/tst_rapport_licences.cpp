// The licence report: the line layout, a club of 300 swimmers printed to PDF, a club without
// swimmers, a selection, and a cancelled printer.

#include "core/base.h"
#include "core/globales.h"
#include "core/rapport.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/rapport_licences.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

const QString clubA = "FRA1320021234";
const QString clubB = "FRA1320024321";
const QString selection = "FRA1320020000";

struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    Contexte()
    {
        ihm.accepterMessagesOk(true);
        strCodeClub = clubA;
        strNomClub = "Cercle des Nageurs d'Azur";
        strNomProfil = "Saison 2024";
        bClubSelection = false;
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + clubA + "', 'Cercle des Nageurs d''Azur')");
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + clubB + "', 'Club B')");
        base.executer("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + selection + "', 'Sélection', 1)");
    }
    void licence(const QString& club, const QString& nom, const QString& prenom, const QString& naissance,
                 bool visible = true) const
    {
        base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, "
                              "Visible) VALUES ('%1', '%2', %3, %4, 'F', '%5', 'FRA', %6)")
                          .arg(club, naissance.mid(2, 2) + "123F", Sql_texte(nom), Sql_texte(prenom), naissance,
                               visible ? "true" : "false"));
    }
};

// The report's text as saved, lines split.
QStringList Texte_rapport(const QString& rtf)
{
    BoiteRiche boite;
    boite.chargerFichier(rtf);
    return boite.texte().split(QRegularExpression("\r\n|\r|\n|\u2029"));
}

QString Dossier_captures()
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    return QV_BINARY_DIR "/captures";
}

} // namespace

class TstRapportLicences : public QObject {
    Q_OBJECT
private slots:
    void ligne_data();
    void ligne();
    void clubDe300Licences();
    void clubSansLicence();
    void profilSelection();
    void imprimanteAnnulee();
};

void TstRapportLicences::ligne_data()
{
    QTest::addColumn<QStringList>("valeurs"); // name, first name, number, nationality, sex, birth date
    QTest::addColumn<QString>("attendu");

    QTest::newRow("ordinaire") << QStringList {"DUPONT", "Jean", "95123F", "FRA", "M", "19950703"}
                               << "DUPONT                    Jean                 95123F      FRA       M     3/07/1995\r\n";
    QTest::newRow("valeurs trop longues coupées")
        << QStringList {"DE LA TOUR D'AUVERGNE-LAURAGAIS", "Marie-Charlotte-Eugénie", "1234567890", "FRANCE1",
                        "MF", "20010305"}
        << "DE LA TOUR D'AUVERGNE-LAU Marie-Charlotte-Eugé 1234567     FRANCE1   MF    5/03/2001\r\n";
    QTest::newRow("sans date") << QStringList {"X", "", "", "", "", ""} << QString("X").leftJustified(84) + "\r\n";
}

void TstRapportLicences::ligne()
{
    QFETCH(QStringList, valeurs);
    QFETCH(QString, attendu);
    const QString l = Ligne_rapport_licence(valeurs[0], valeurs[1], valeurs[2], valeurs[3], valeurs[4], valeurs[5]);
    QCOMPARE(l, attendu);
    QCOMPARE(l.size(), 25 + 21 + 8 + 12 + 5 + 13 + 2);
}

void TstRapportLicences::clubDe300Licences()
{
    Contexte c;
    static const char* const noms[] = {"MARTIN", "BERNARD", "THOMAS", "PETIT", "ROBERT", "RICHARD", "DURAND", "DUBOIS",
                                       "MOREAU", "LAURENT", "SIMON", "MICHEL", "LEFEBVRE", "LEROY", "ROUX"};
    static const char* const prenoms[] = {"Léa", "Hugo", "Chloé", "Lucas", "Emma", "Louis", "Inès", "Gabriel",
                                          "Manon", "Raphaël", "Jade", "Arthur", "Zoé", "Jules", "Camille",
                                          "Noé", "Lina", "Adam", "Rose", "Paul"};
    for (int i = 0; i < 300; ++i) {
        const QString naissance = QString("%1%2%3")
                                      .arg(1990 + i % 25)
                                      .arg(1 + i % 12, 2, 10, QChar('0'))
                                      .arg(1 + i % 28, 2, 10, QChar('0'));
        c.licence(clubA, QString::fromUtf8(noms[i % 15]) + (i % 15 == 0 ? QString(" D'ARTAGNAN-DE-CASTELMORE-%1").arg(i) : ""),
                  QString::fromUtf8(prenoms[i % 20]), naissance);
    }
    c.licence(clubA, "CACHE", "Supprime", "19900101", false);
    c.licence(clubB, "AUTRE", "Club", "19900101");

    const QString pdf = Dossier_captures() + "/rapport_licences.pdf";
    QFile::remove(pdf);
    c.ihm.repondreImprimante(true, pdf);
    QVERIFY(Imprimer_rapport_licences());
    QVERIFY(c.ihm.messages().isEmpty());
    QFile fichier(pdf);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QVERIFY(fichier.read(4) == "%PDF");
    QVERIFY(fichier.size() > 20000);
    QVERIFY(!frm_tempo_rapport_charge());

    // The same report saved: the header filled, then one line per visible swimmer of the club,
    // by name.
    const QString rtf = c.base.repertoire().fichier("rapport.rtf");
    QVERIFY(Imprimer_rapport_licences(rtf));
    const QStringList lignes = Texte_rapport(rtf);
    QVERIFY(lignes.contains("Profil : Saison 2024"));
    QVERIFY(lignes.contains("Club : Cercle des Nageurs d'Azur - Code : " + clubA));
    const int premiere = static_cast<int>(lignes.indexOf("Club : Cercle des Nageurs d'Azur - Code : " + clubA)) + 1;
    const QStringList corps = lignes.mid(premiere).filter(QRegularExpression("\\S"));
    QCOMPARE(corps.size(), 300);
    QVERIFY(corps.first().startsWith("BERNARD "));
    QVERIFY(corps.last().startsWith("THOMAS "));
    QVERIFY(lignes.filter("CACHE").isEmpty() && lignes.filter("AUTRE").isEmpty());
    QStringList tries = corps;
    std::sort(tries.begin(), tries.end(), [](const QString& a, const QString& b) {
        return a.left(25).trimmed() < b.left(25).trimmed();
    });
    QCOMPARE(corps.first().left(25), tries.first().left(25));
    // Names longer than their column are cut to it.
    QCOMPARE(corps.filter(QRegularExpression("^MARTIN D'ARTAGNAN-DE-CAST [A-Z]")).size(), 20);
}

void TstRapportLicences::clubSansLicence()
{
    Contexte c;
    c.licence(clubB, "AUTRE", "Club", "19900101");
    const QString rtf = c.base.repertoire().fichier("vide.rtf");
    QVERIFY(Imprimer_rapport_licences(rtf));
    const QStringList lignes = Texte_rapport(rtf);
    QVERIFY(lignes.filter("<").isEmpty());
    QVERIFY(lignes.contains("Club : Cercle des Nageurs d'Azur - Code : " + clubA));
    QVERIFY(lignes.last().trimmed().isEmpty() || lignes.last().startsWith("Club :"));
    QVERIFY(lignes.filter("AUTRE").isEmpty());
}

void TstRapportLicences::profilSelection()
{
    Contexte c;
    c.licence(clubA, "DUPONT", "Jean", "19950703");
    c.licence(clubB, "BERNARD", "Luc", "19930101");
    c.licence(clubB, "RETIRE", "Luc", "19930101");
    c.licence(clubA, "HORS", "Selection", "19930101");
    for (const char* nom : {"DUPONT", "BERNARD"})
        c.base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) SELECT '" + selection + "', Num FROM Licence WHERE Nom = '"
                        + nom + "'");
    c.base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) SELECT '" + selection
                    + "', Num FROM Licence WHERE Nom = 'RETIRE'");
    c.base.executer("UPDATE Selection SET Visible = false WHERE Num_Lic = (SELECT Num FROM Licence WHERE Nom = 'RETIRE')");
    bClubSelection = true;
    strCodeClub = selection;
    const QString rtf = c.base.repertoire().fichier("selection.rtf");
    QVERIFY(Imprimer_rapport_licences(rtf));
    const QStringList corps = Texte_rapport(rtf).filter(QRegularExpression("^[A-Z]+ +(Jean|Luc|Selection) "));
    QCOMPARE(corps.size(), 2);
    QVERIFY(corps[0].startsWith("BERNARD") && corps[1].startsWith("DUPONT"));
    bClubSelection = false;
}

void TstRapportLicences::imprimanteAnnulee()
{
    Contexte c;
    c.licence(clubA, "DUPONT", "Jean", "19950703");
    c.ihm.repondreImprimante(false);
    QVERIFY(!Imprimer_rapport_licences());
    QCOMPARE(c.ihm.appels().size(), size_t(1));
    QVERIFY(!frm_tempo_rapport_charge());
    QVERIFY(!QFile::exists(c.base.repertoire().fichier("rptlic.rtf")));
}

QTEST_MAIN(TstRapportLicences)
#include "tst_rapport_licences.moc"
