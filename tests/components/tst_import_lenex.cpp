// The Lenex meet importers, on files the tests write and on a meet written by another program.

#include "tests/components/outils_echange.h"

#include <QTest>

namespace {

QString Dossier_conformite()
{
    for (const QString& d : {QStringLiteral(QV_SOURCE_DIR "/../shared/conformance/lenex"),
                             QStringLiteral(QV_SOURCE_DIR "/../../shared/conformance/lenex")}) {
        if (QFileInfo::exists(d + "/meet-entries.lef"))
            return d;
    }
    return QString();
}

// A small meet: two days, a timed final, heats with an A final, a relay and an event we have no code for.
const QByteArray kPetiteReunion =
    "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
    "<LENEX version='3.0'><CONSTRUCTOR name='x'/>\n"
    " <MEETS><MEET name=\"Meeting d'\xE9t\xE9\" city='Lille' course='LCM' nation='FRA'>\n"
    "  <POOL lanemin='0' lanemax='9'/><INCONNU foo='1'><SOUS/></INCONNU>\n"
    "  <SESSIONS>\n"
    "   <SESSION number='1' date='2024-06-08'><EVENTS>\n"
    "    <EVENT eventid='10' number='1' order='1' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>\n"
    "    <EVENT eventid='11' number='2' order='2' gender='M' round='PRE'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "    <EVENT eventid='12' number='3' order='3' gender='X' round='TIM'><SWIMSTYLE distance='100' relaycount='4' stroke='MEDLEY'/></EVENT>\n"
    "   </EVENTS></SESSION>\n"
    "   <SESSION number='2' date='2024-06-09'><EVENTS>\n"
    "    <EVENT eventid='13' number='4' order='1' gender='M' round='FIN' preveventid='11'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "    <EVENT eventid='14' number='5' order='2' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='UNKNOWN'/></EVENT>\n"
    "   </EVENTS></SESSION>\n"
    "  </SESSIONS></MEET></MEETS></LENEX>\n";

} // namespace

class TstImportLenex : public QObject {
    Q_OBJECT

    std::unique_ptr<RepertoireTest> m_rep;
    QString trace() const { return m_rep->fichier("trace.txt"); }
    QString dossier(const QString& nom) const
    {
        const QString d = m_rep->fichier(nom);
        QDir().mkpath(d);
        return d;
    }
    QString competition(const BaseFichier& b) const
    {
        return QString::number(b.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)"));
    }
    ResultatAppel squelette(const BaseFichier& b, const QString& source, const QString& compet)
    {
        return Appeler_composant("MeetSkeletonImporter", "bimport_squelette",
                                 {b.chemin(), source, dossier("temp"), trace(), QVariant(), compet, true}, trace());
    }

private slots:
    void init() { m_rep = std::make_unique<RepertoireTest>(); }
    void cleanup() { m_rep.reset(); }

    // The competition and its programme: codes, days, order, formula; the unknown event named.
    void squeletteEcrit()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef", kPetiteReunion);
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Lieu, Debut, Fin, Longueur, Nb_couloir FROM Rcomp WHERE AutoNum = ?", {compet}),
                 QStringList{QString::fromUtf8("Meeting d'été|Lille|20240608|20240609|50|10")});
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre FROM Pcomp "
                          "WHERE Num_compet = ? ORDER BY Code_epreuve",
                          {compet}),
                 (QStringList{"2|1|1|0| |1", "17|1|1|0| |3", "81|1|3|1|T|2"}));
        QVERIFY2(r.trace.contains("épreuve 5 (100 m UNKNOWN dames)"), qPrintable(r.trace));

        // A second import replaces the programme, never adds to it.
        QVERIFY(squelette(b, source, compet).resultat.toBool());
        QCOMPARE(b.valeur("SELECT count(*) FROM Pcomp WHERE Num_compet = ?", {compet}), QString("3"));
    }

    // A meet written by another program, plain and zipped.
    void squeletteConformite_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::newRow("lef") << "meet-entries.lef";
        QTest::newRow("lxf") << "meet-entries.lxf";
    }
    void squeletteConformite()
    {
        QFETCH(QString, fichier);
        const QString conformite = Dossier_conformite();
        if (conformite.isEmpty())
            QSKIP("fichiers de conformité absents");
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        QVERIFY(QFile::copy(conformite + "/" + fichier, source + "/" + fichier));
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT Debut || Fin || Longueur || Nb_couloir FROM Rcomp WHERE AutoNum = ?", {compet}),
                 QString("2009092620090927256"));
        // 35 events: 32 have a code; the 1500 m and two relays of no gender are named, not guessed.
        const QStringList attendu = {
            "1|1|11", "2|2|10", "3|1|1", "4|2|2", "5|1|8", "11|2|6", "12|1|5", "13|2|12", "14|2|17", "16|1|8", "21|1|3",
            "22|2|8", "23|1|13", "31|1|7", "32|2|4", "40|1|9", "41|2|14", "51|1|12", "52|2|11", "53|1|2", "54|2|3", "55|1|9",
            "61|2|7", "62|1|6", "63|2|13", "71|1|4", "72|2|9", "73|1|14", "81|1|8", "82|2|5", "90|1|10", "91|2|15"};
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? ORDER BY Code_epreuve",
                          {compet}),
                 attendu);
        QCOMPARE(r.trace.count("Épreuve ignorée"), 3);
        QVERIFY2(r.trace.contains("épreuve 18 (1500 m FREE )"), qPrintable(r.trace));
    }

    // Broken or hostile files: refused with the line at fault, the base untouched.
    void refus_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("raison");
        QByteArray tronque = kPetiteReunion;
        tronque.chop(120);
        QTest::newRow("tronqué") << tronque << "ligne";
        QTest::newRow("bombe d'entités")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE LENEX [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>\n"
                          "<LENEX version=\"3.0\"><MEETS><MEET name=\"&b;\"/></MEETS></LENEX>")
            << "ligne 2";
        QTest::newRow("pas Lenex") << QByteArray("<?xml version=\"1.0\"?><HTML/>") << "racine";
        QTest::newRow("sans réunion") << QByteArray("<LENEX version=\"3.0\"/>") << "MEET";
        QTest::newRow("mauvais codage") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><LENEX><MEETS><MEET name=\"\xE9t\xE9\"/></MEETS></LENEX>")
                                        << "ligne 1";
    }
    void refus()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, raison);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        b.executer("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse) VALUES (?, 2, 1)", {compet});
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef", contenu);
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(!r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains(raison) && r.trace.contains("aucune modification"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Code_epreuve FROM Rcomp JOIN Pcomp ON Num_compet = AutoNum"), QStringList{"|2"});
    }
};

QTEST_MAIN(TstImportLenex)
#include "tst_import_lenex.moc"
