// Mutation run over the report templates and word-processor-like files: the RTF reader must
// survive anything (no crash, no sanitizer report, no runaway), and whatever it made of the input
// must write out and read back the same. QV_FUZZ_ITERATIONS makes the run longer.

#include "core/composants.h"
#include "core/rtf.h"
#include "outils_rtf.h"
#include "fixtures.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const char* const kJetons[] = {
    "{", "}", "\\", "\\'", "\\'ff", "\\'2", "\\u-", "\\u65535?", "\\u-10179?", "\\u-9000", "\\uc9 ", "\\uc0 ",
    "\\bin", "\\bin2147483647 ", "\\bin-5 ", "\\par", "\\pard", "\\plain", "\\cell", "\\row", "\\*", "\\fonttbl",
    "\\colortbl", "\\f99999 ", "\\f-1 ", "\\fs-5 ", "\\fs99999999999 ", "\\li-99999 ", "\\ri31681 ", "\\fi-40000 ",
    "\\tx-1 ", "\\tx5000000 ", "\\tqr", "\\tqdec", "\\page", "\\pagebb", "\\line", "\\tab", "\\v", "\\v0", "\\b0",
    "\\ul", "\\ulnone", "\\cf77 ", "\\cf1 ", "\\red300", ";", "\\fcharset2 ", "\\'22", "{\\*\\x ", "\\deftab0 ",
    "\\deftab-1 ", "{\\field{\\*\\fldinst x}{\\fldrslt y}}", "\\fldrslt", "\\abcdefghijklmnopqrstuvwxyzabcdefghij ",
    "\\\n", "\r\n", "\\~", "\\-", "\\_", "\\emdash", "{\\info{\\title t}", "\\stylesheet", "<NOM_CLUB>", "\xe9",
    "\x00", "\\u8233?", "\\u13?", "\\u65532?", "\\u65279?", "\\trowd\\intbl",
};

QByteArray muter(QByteArray s, QRandomGenerator& alea)
{
    const int n = 1 + int(alea.bounded(6));
    for (int k = 0; k < n; ++k) {
        const int taille = int(s.size());
        const int pos = taille ? int(alea.bounded(taille + 1)) : 0;
        switch (alea.bounded(7)) {
        case 0:
            if (taille)
                s[std::min(pos, taille - 1)] = char(alea.bounded(256));
            break;
        case 1: {
            const char* jeton = kJetons[alea.bounded(int(std::size(kJetons)))];
            s.insert(pos, jeton[0] ? QByteArray(jeton) : QByteArray(1, '\0'));
            break;
        }
        case 2: s.remove(pos, int(alea.bounded(64))); break;
        case 3:
            if (taille)
                s.insert(pos, s.mid(int(alea.bounded(taille)), int(alea.bounded(256))));
            break;
        case 4: s.truncate(pos); break;
        case 5: s.insert(pos, QByteArray(int(alea.bounded(3000)), alea.bounded(2) ? '{' : '}')); break;
        default: s.insert(pos, QByteArray::number(qint64(alea.generate64()))); break;
        }
    }
    return s;
}

} // namespace

class TestRtfFuzz : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void mutations();

private:
    QList<QByteArray> m_graines;
};

void TestRtfFuzz::initTestCase()
{
    RepertoireTest rep;
    auto constructeur = Composants::creer("ReportTemplateBuilder");
    QVERIFY(constructeur);
    for (const char* nom : {"rptlic", "bor_engag", "convo", "rescompet", "sperf", "rec", "respts"}) {
        const QString chemin = rep.fichier(QString(nom) + ".rtf");
        QVERIFY(constructeur->appeler("Construct_Modele", {chemin, QString(nom)}).toBool());
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        m_graines << f.readAll();
    }
    // What word processors write around the text: style sheets, lists, fields, tables, pictures.
    m_graines << QByteArray(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0{\\*\\panose 0202}Times New "
        "Roman;}{\\f1\\fmodern\\fprq1 Courier New;}{\\f2\\fnil\\fcharset2 Wingdings;}}{\\colortbl;\\red0\\green0\\blue0;"
        "\\red255\\green0\\blue0;}{\\stylesheet{\\ql \\f0\\fs24 \\snext0 Normal;}}{\\*\\listtable{\\list\\listid1"
        "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}}}{\\info{\\title Mod\\'e8le}}\\paperw11906\\margl1134"
        "\\pard\\plain\\qc\\f0\\fs32\\b <NOM_{\\rtlch\\insrsid5 CLUB}>\\b0\\par\\pard\\plain\\f1\\fs20{\\listtext\\f2 "
        "\\'a7\\tab}Puce\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row\\pard {\\field{\\*\\fldinst "
        "PAGE}{\\fldrslt 1}} \\u8364?\\'80{\\pict\\pngblip\\bin4 {}{}}{\\f2\\'22}\\line fin\\par}");
}

void TestRtfFuzz::mutations()
{
    const int iterations = qEnvironmentVariableIsSet("QV_FUZZ_ITERATIONS")
        ? qEnvironmentVariableIntValue("QV_FUZZ_ITERATIONS")
        : 1500;
    QRandomGenerator alea(20240305);
    QElapsedTimer chrono;
    chrono.start();
    for (int i = 0; i < iterations; ++i) {
        const QByteArray entree = muter(m_graines[int(alea.bounded(int(m_graines.size())))], alea);
        QTextDocument lu;
        rtf::lire(entree, lu);
        const QString texte = texteBrut(lu);
        QVERIFY(!texte.contains(QChar(QChar::ParagraphSeparator)));

        const QByteArray ecrit = rtf::ecrire(lu);
        QVERIFY(rtf::estRtf(ecrit));
        QTextDocument relu;
        rtf::lire(ecrit, relu);
        if (texteBrut(relu) != texte || signature(relu) != signature(lu)) {
            QFile trace(QDir::tempPath() + "/rtf_fuzz_echec.rtf");
            if (trace.open(QIODevice::WriteOnly))
                trace.write(entree);
            QCOMPARE(signature(relu), signature(lu));
            QCOMPARE(texteBrut(relu), texte);
        }
        // Laying out what came out of garbage must not blow up either.
        if (i % 25 == 0)
            QVERIFY(lu.documentLayout()->documentSize().isValid());
    }
    qInfo("%d entrées en %lld ms", iterations, chrono.elapsed());
}

QTEST_MAIN(TestRtfFuzz)
#include "tst_rtf_fuzz.moc"
