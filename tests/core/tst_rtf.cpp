// The RTF reader and writer on their own: what word processors put in files, and what we write.

#include "core/rtf.h"
#include "outils_rtf.h"

#include <QTextCursor>
#include <QtTest>

class TestRtf : public QObject {
    Q_OBJECT

private slots:
    void lectureTolerante_data();
    void lectureTolerante();
    void lectureFormats();
    void texteBrutNonRtf();
    void ecritureEchappements();
    void allerRetour();
    void policeSymbole();
};

static QString lireTexte(const QByteArray& rtf)
{
    QTextDocument d;
    rtf::lire(rtf, d);
    return texteBrut(d);
}

void TestRtf::lectureTolerante_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("texte");

    QTest::newRow("paragraphes") << QByteArray("{\\rtf1\\ansi Un\\par Deux\\par}") << "Un\nDeux";
    QTest::newRow("dernier par sans paragraphe vide") << QByteArray("{\\rtf1 A\\par\n}") << "A";
    QTest::newRow("paragraphe vide garde") << QByteArray("{\\rtf1 A\\par\\par B}") << "A\n\nB";
    QTest::newRow("cp1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 \\'e9t\\'e9 \\'80 \\'9c}")
                            << QString::fromUtf8("été € œ");
    QTest::newRow("octets bruts cp1252") << QByteArray("{\\rtf1 Bassin \xe0 \xe9}") << QString::fromUtf8("Bassin à é");
    QTest::newRow("unicode et saut") << QByteArray("{\\rtf1 \\u8364?\\uc2\\u20013\\'d6\\'d0 fin}")
                                     << QString::fromUtf8("€中 fin");
    QTest::newRow("unicode negatif") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
    QTest::newRow("mots inconnus ignores") << QByteArray("{\\rtf1\\foo12\\barbaz A\\zzz B}") << "AB";
    QTest::newRow("destinations sautees")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Titre}{\\author Moi}}"
                      "{\\*\\generator Traitement 1.0;}{\\*\\rsidtbl \\rsid1}{\\header Entete}"
                      "{\\*\\bkmkstart b1}Texte{\\*\\bkmkend b1}{\\pict\\wmetafile8 0102ff}}")
        << "Texte";
    QTest::newRow("champ garde son resultat")
        << QByteArray("{\\rtf1 Voir {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt lien}} ici}") << "Voir lien ici";
    QTest::newRow("balise coupee par des groupes")
        << QByteArray("{\\rtf1 <NOM_{\\rtlch\\fcs1 \\af0\\ltrch\\fcs0 \\insrsid1234 CL}{\\b UB}>\\par}")
        << "<NOM_CLUB>";
    QTest::newRow("balise coupee par un signet")
        << QByteArray("{\\rtf1 <DATE{\\*\\bkmkstart x}_JOUR{\\*\\bkmkend x}>}") << "<DATE_JOUR>";
    QTest::newRow("tableau aplati") << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200 \\intbl a\\cell b\\cell\\row c}")
                                    << "a\tb\t\nc";
    QTest::newRow("tab et saut de ligne") << QByteArray("{\\rtf1 a\\tab b\\line c}")
                                          << QString("a\tb") + QChar(QChar::LineSeparator) + "c";
    QTest::newRow("symboles") << QByteArray("{\\rtf1 \\{x\\}\\\\ \\~\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}")
                              << QString::fromUtf8("{x}\\ \u00a0—–‘’“”•");
    QTest::newRow("texte cache") << QByteArray("{\\rtf1 vu{\\v cache}\\v0  encore}") << "vu encore";
    QTest::newRow("binaire saute") << QByteArray("{\\rtf1 a{\\*\\blipuid x}{\\pict\\bin3 }}}}b}") << "ab";
    QTest::newRow("fin tronquee") << QByteArray("{\\rtf1 {\\b gras") << "gras";
    QTest::newRow("accolades en trop") << QByteArray("{\\rtf1 a}}}b") << "ab";
    QTest::newRow("barre oblique finale") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("hexa incomplet") << QByteArray("{\\rtf1 a\\'e") << "a";
    QTest::newRow("caracteres de controle filtres") << QByteArray("{\\rtf1 a\\u13?b\\u8233?c\\u65532?d}") << "abcd";
    QTest::newRow("substitut isole remplace") << QByteArray("{\\rtf1 a\\u-10179?b}") << QString("a") + QChar(0xFFFD) + "b";
    QTest::newRow("antislash fin de ligne") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
}

void TestRtf::lectureTolerante()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, texte);
    QCOMPARE(lireTexte(rtf), texte);
}

void TestRtf::lectureFormats()
{
    const QByteArray source =
        "{\\rtf1\\ansi\\deff0\\deftab1440{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\fmodern\\fprq1\\fcharset0{\\*\\panose 02070309020205020404}Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}"
        "\\pard\\qc\\li300\\tx720\\tqr\\tx2880\\f0\\fs32\\b Titre\\b0\\par"
        "\\pard\\plain\\f1\\fs20 mono \\i it\\i0  \\ul sou\\ulnone  \\uldb db\\ul0  \\cf1 rouge\\cf0\\par"
        "\\pard\\pagebb\\plain\\fs16\\par"
        "}";
    QTextDocument d;
    rtf::lire(source, d);
    QCOMPARE(d.blockCount(), 3);
    QCOMPARE(d.defaultTextOption().tabStopDistance(), 96.0);

    const QTextBlock titre = d.firstBlock();
    QCOMPARE(titre.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(qRound(titre.blockFormat().leftMargin() * 15), 300);
    QCOMPARE(titre.blockFormat().tabPositions().size(), 2);
    QCOMPARE(titre.blockFormat().tabPositions().at(1).type, QTextOption::RightTab);
    QCOMPARE(titre.blockFormat().tabPositions().at(1).position, 192.0);

    const QStringList attendu = {
        "[centre li=300 tabs=2] Titre{Arial 16 gras}",
        "[gauche li=0] mono {Courier New 10}it{Courier New 10 italique} {Courier New 10}sou{Courier New 10 souligne}"
        " {Courier New 10}db{Courier New 10 souligne} {Courier New 10}rouge{Courier New 10 #ff0000}",
        "[gauche li=0 page] {Arial 8}",
    };
    QCOMPARE(signature(d), attendu);

    // The monospace family keeps its columns on a machine that lacks it.
    QTextCursor c(d.findBlockByNumber(1));
    c.movePosition(QTextCursor::NextCharacter);
    QVERIFY(c.charFormat().fontFixedPitch());
    QCOMPARE(c.charFormat().fontStyleHint(), QFont::TypeWriter);
}

void TestRtf::texteBrutNonRtf()
{
    QVERIFY(rtf::estRtf("{\\rtf1 x}"));
    QVERIFY(rtf::estRtf("\xEF\xBB\xBF  \r\n{\\rtf1 x}"));
    QVERIFY(!rtf::estRtf("Trace de l'import\r\n{\\rtf"));
    QVERIFY(!rtf::estRtf(""));
}

void TestRtf::ecritureEchappements()
{
    QTextDocument d;
    QTextCursor c(&d);
    c.insertText(QString::fromUtf8("a{b}\\c\té€") + QChar(QChar::LineSeparator) + QString::fromUtf8("中\u00a0"));
    const QByteArray rtf = rtf::ecrire(d);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"), rtf.constData());
    QVERIFY(rtf.contains("a\\{b\\}\\\\c\\tab \\'e9\\'80\\line \\u20013?\\~"));
    // Nothing but 7-bit text: any reader takes it whatever its code page.
    for (const char o : rtf)
        QVERIFY(uchar(o) < 0x80);
    QCOMPARE(lireTexte(rtf), d.toRawText());
}

void TestRtf::allerRetour()
{
    QTextDocument d;
    d.setDefaultFont(QFont("Arial", 10));
    QTextCursor c(&d);
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    QTextCharFormat titre = rtf::formatPolice("Arial");
    titre.setFontPointSize(16);
    titre.setFontWeight(QFont::Bold);
    c.setBlockFormat(centre);
    c.insertText("Titre", titre);
    QTextBlockFormat retrait;
    retrait.setLeftMargin(200 / 15.0);
    retrait.setTabPositions({QTextOption::Tab(96, QTextOption::LeftTab)});
    QTextCharFormat mono = rtf::formatPolice("Courier New");
    mono.setFontPointSize(9.5);
    c.insertBlock(retrait, mono);
    c.insertText("Nom      \t", mono);
    QTextCharFormat accent = mono;
    accent.setFontItalic(true);
    accent.setFontUnderline(true);
    accent.setFontStrikeOut(true);
    accent.setForeground(QColor(0, 0, 255));
    c.insertText(QString::fromUtf8("Prénom"), accent);
    QTextCharFormat vide = mono;
    vide.setFontPointSize(14);
    QTextBlockFormat droite;
    droite.setAlignment(Qt::AlignRight);
    c.insertBlock(droite, vide); // an empty paragraph keeps its height
    QTextBlockFormat justifie;
    justifie.setAlignment(Qt::AlignJustify);
    justifie.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.insertBlock(justifie, titre);
    c.insertText("Fin", titre);

    QTextDocument relu;
    rtf::lire(rtf::ecrire(d), relu);
    QCOMPARE(signature(relu), signature(d));
    QCOMPARE(relu.blockCount(), 4);
    // Writing what was read gives the same file: nothing drifts from one save to the next.
    QCOMPARE(rtf::ecrire(relu), rtf::ecrire(d));
}

void TestRtf::policeSymbole()
{
    const QByteArray source = "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f2\\fnil\\fcharset2 Wingdings;}}"
                              "\\f2\\'22\\f0 -\\f2\\u-4062\\'22\\u-3999\\'61}";
    QTextDocument d;
    rtf::lire(source, d);
    QCOMPARE(texteBrut(d), QString(QChar(0x2702)) + "-" + QChar(0x2702) + QChar(0xF061));
    const QByteArray ecrit = rtf::ecrire(d);
    QVERIFY2(ecrit.contains("\\fcharset2 Wingdings;"), ecrit.constData());
    QVERIFY(ecrit.contains("\\'22"));
    QTextDocument relu;
    rtf::lire(ecrit, relu);
    QCOMPARE(texteBrut(relu), texteBrut(d));
}

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
