// The results web site: the menu scripts with their flags, fillers and cross-links, the event
// pages (escaped names, joined special codes, split tables), the question before writing into
// an existing folder, the index's first page when no menu offers an event, and the site opened
// in a headless browser.

#include "core/fichiers.h"
#include "core/listes.h"
#include "core/services.h"
#include "fenetres_test.h"
#include "fixture_resultats.h"
#include "results/frm_view_result.h"
#include "results/html_resultats.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

QString Lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every page's links and scripts, and the pages the menus and the index lead to, that lack a file.
QStringList Liens_casses(const QString& dossierSite)
{
    QStringList casses;
    static const QRegularExpression lien("(?:href|src|HREF)=\"([^\"]+)\"|replace\\('([^']+)'\\)|\"(n\\d+\\.htm)\"");
    QDirIterator it(dossierSite, {"*.htm", "mnu*.js"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fichier = it.next();
        const QString dossier = QFileInfo(fichier).absolutePath();
        for (auto m = lien.globalMatch(Lire(fichier)); m.hasNext();) {
            const auto l = m.next();
            QString cible = l.captured(1) + l.captured(2) + l.captured(3);
            // Menu scripts are read by the pages of rep_res: their links are relative to it.
            if (!QFileInfo::exists(Joindre_chemin(dossier, cible)))
                casses << QFileInfo(fichier).fileName() + " -> " + cible;
        }
    }
    return casses;
}

struct Navigateur {
    QString programme = QStandardPaths::findExecutable("chromium");
    QTemporaryDir profil;

    // The DOM after the page ran, and what the console reported.
    std::pair<QString, QString> ouvrir(const QString& url, const QStringList& options = {})
    {
        QProcess p;
        p.start(programme, QStringList{"--headless", "--no-sandbox", "--disable-gpu", "--enable-logging=stderr",
                                       "--v=0", "--user-data-dir=" + profil.path()}
                               + options + QStringList{url});
        p.waitForFinished(60000);
        return {QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
};

QStringList Erreurs_console(const QString& journal)
{
    QStringList erreurs;
    for (const QString& l : journal.split('\n')) {
        if (l.contains("Uncaught") || l.contains("ERR_FILE_NOT_FOUND") || (l.contains(":CONSOLE") && l.contains("rror")))
            erreurs << l;
    }
    return erreurs;
}

} // namespace

class TstResultatsHtml : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void init();
    void cleanup();
    void menusEtPages();
    void tempsNegatifGardeSaLigne();
    void dossierExistantRefuse();
    void aucuneEpreuveAuMenu();
    void ecritureImpossible();
    void siteDansLeNavigateur();

private:
    std::unique_ptr<MeetResultats> m_meet;
    QPointer<frm_view_result> m_fenetre;
    QString m_index;
    QString m_site;
    // Shows the events and exports the site through "Exporter".
    void exporter(const QStringList& codes, bool inter);
};

void TstResultatsHtml::init()
{
    m_meet = std::make_unique<MeetResultats>();
    m_site = m_meet->base.repertoire().fichier("site");
    QDir().mkpath(m_site);
    m_index = m_site + "/index.htm";
}

void TstResultatsHtml::cleanup()
{
    if (m_fenetre)
        m_fenetre->close();
    Traiter_evenements();
    m_meet.reset();
}

void TstResultatsHtml::exporter(const QStringList& codes, bool inter)
{
    Ouvrir_view_result(m_fenetre);
    frm_view_result* f = m_fenetre;
    if (inter) {
        f->Tab_options->setCurrentIndex(1);
        QTest::mouseClick(f->Cmd_option_0, Qt::LeftButton);
        QTest::mouseClick(f->Chk_tps_inter, Qt::LeftButton, {}, QPoint(8, f->Chk_tps_inter->height() / 2));
        QTest::mouseClick(f->Cmd_option_1, Qt::LeftButton);
        f->Tab_options->setCurrentIndex(0);
    }
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i) {
        if (codes.contains(Ligne(f->LsvNage, i)->text(0)))
            Double_clic(f->LsvNage, i);
    }
    QTest::mouseClick(f->cmd_0, Qt::LeftButton);
    m_meet->ihm.repondreFichier(m_index, 3);
    QTest::mouseClick(f->cmd_3, Qt::LeftButton);
}

void TstResultatsHtml::menusEtPages()
{
    exporter({"2", "52", "43", "6"}, true);
    QVERIFY2(m_meet->ihm.messages().isEmpty(), qPrintable(m_meet->ihm.messages().join('\n')));
    const QString rep = m_site + "/rep_res/";
    QStringList fichiers = QDir(rep).entryList(QDir::Files);
    fichiers.sort();
    QCOMPARE(fichiers, QStringList({"fct.js", "mnud.js", "mnuh.js", "n2.htm", "n43.htm", "n52.htm", "n6.htm",
                                    "style.css"}));

    // Three women's events: "no", empty, "no", then the filler; one column each for the heading,
    // the two "no" entries, "Autres résultats" and the link.
    QCOMPARE(Lire(rep + "mnud.js"), QString("tabMnu=new Array();\r\n"
                                            "tabMnu[0]=[\"Résultats Dames\", \"\", \"yes\"]\r\n"
                                            "tabMnu[1]=[\"100 NL\", \"n2.htm\", \"\", \"no\"]\r\n"
                                            "tabMnu[2]=[\"1500 NL\", \"n6.htm\", \"\", \"\"]\r\n"
                                            "tabMnu[3]=[\"4 x 50 m N.L.\", \"n43.htm\", \"\", \"no\"]\r\n"
                                            "tabMnu[4]=[\"&nbsp;\", \" \", \"\", \"\"]\r\n"
                                            "tabMnu[5]=[\"Autres résultats\", \"\", \"yes\"]\r\n"
                                            "tabMnu[6]=[\"Résultats Messieurs\", \"n52.htm\", \"yes\"]\r\n"
                                            "var intNbCol=5;\r\n"));
    QCOMPARE(Lire(rep + "mnuh.js"), QString("tabMnu=new Array();\r\n"
                                            "tabMnu[0]=[\"Résultats Messieurs\", \"\", \"yes\"]\r\n"
                                            "tabMnu[1]=[\"100 NL\", \"n52.htm\", \"\", \"no\"]\r\n"
                                            "tabMnu[2]=[\"&nbsp;\", \" \", \"\", \"\"]\r\n"
                                            "tabMnu[3]=[\"Autres résultats\", \"\", \"yes\"]\r\n"
                                            "tabMnu[4]=[\"Résultats Dames\", \"n2.htm\", \"yes\"]\r\n"
                                            "var intNbCol=4;\r\n"));

    // The index: its character set, the names escaped, and the first women's page.
    const QString index = Lire(m_index);
    QVERIFY(index.startsWith("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                             "<TITLE>Résultats de la compétition Meeting d'Azur &amp; Co Nice 15/06 - 16/06/2024"
                             "</TITLE></HEAD><BODY>\r\n"));
    QVERIFY(index.contains("<p align=\"center\"><b>Meeting d'Azur &amp; Co<br>Nice<br>15/06 - 16/06/2024</b></p>\r\n"));
    QVERIFY(index.contains("self.location.replace('rep_res/n2.htm')\r\n"));

    // An event page: its script by sex, the clubs escaped, special codes joined to the points.
    const QString n2 = Lire(rep + "n2.htm");
    QVERIFY(n2.contains("<TITLE>Résultats de l'épreuve Dames 100 NL</TITLE>"));
    QVERIFY(n2.contains("<script language=\"Javascript\" src=\"mnud.js\"></script>\r\n"
                        "<script language=\"Javascript\" src=\"fct.js\"></script>\r\n<TABLE border=0 width = 680>\r\n"
                        "<TR><TD>&nbsp;</TD><TD colspan = 5>Dames 100 NL</TD></TR>\r\n"));
    QVERIFY(n2.contains("<TR><TD align=right width=\"25\">2</TD>\r\n<TD>DURAND Zoé</TD>\r\n<TD>2009</TD>\r\n"
                        "<TD>Nageurs &lt;Sud&gt; &amp; Co</TD>\r\n<TD>59.00</TD>\r\n<TD>690</TD>\r\n</TR>\r\n"));
    QVERIFY(n2.contains("<TD>Nageurs &lt;Sud&gt; &amp; Co</TD>\r\n<TD colspan = 2>Disq DSQ</TD>\r\n</TR>\r\n"));
    QVERIFY(n2.contains("<TD>Club A</TD>\r\n<TD>&nbsp;</TD>\r\n<TD>NA</TD>\r\n</TR>\r\n"));
    QVERIFY(n2.endsWith("</TABLE></BODY></HTML>\r\n"));
    QVERIFY(!n2.contains("Nageurs <Sud>"));
    QVERIFY(Lire(rep + "n52.htm").contains("src=\"mnuh.js\""));
    QVERIFY(Lire(rep + "n43.htm").contains("<TD>Relais n° 1</TD>\r\n<TD>&nbsp;</TD>\r\n"));

    // Fourteen splits: two rows of seven.
    const QString n6 = Lire(rep + "n6.htm");
    const qsizetype debut = n6.indexOf("<tr><td colspan = 6 align = right><TABLE border=0><TR align=right>\r\n");
    QVERIFY(debut > 0);
    const QString inter = n6.mid(debut, n6.indexOf("</TR></TABLE></TD></TR>", debut) - debut);
    QCOMPARE(inter.count("<TD width = 60>"), 14);
    QCOMPARE(inter.count("</TR><TR align=right>"), 1);
    QVERIFY(inter.contains("<TD width = 60>7:00.12</TD>\r\n</TR><TR align=right>\r\n<TD width = 60>8:00.12</TD>"));
    QVERIFY2(Liens_casses(m_site).isEmpty(), qPrintable(Liens_casses(m_site).join(", ")));
}

// A time that cannot be swum keeps its swimmer's line, without a place, after the ranked ones:
// never a race heading that would lose the year, the club, the time and the points.
void TstResultatsHtml::tempsNegatifGardeSaLigne()
{
    m_meet->base.executer("UPDATE Prres SET Tps = -0.5 WHERE Num_Lic = (SELECT Num FROM Licence WHERE Nom = 'MARTIN')");
    exporter({"2"}, false);
    QVERIFY2(m_meet->ihm.messages().isEmpty(), qPrintable(m_meet->ihm.messages().join('\n')));
    const QString n2 = Lire(m_site + "/rep_res/n2.htm");
    QVERIFY2(n2.contains("<TD>Club A</TD>\r\n<TD>&nbsp;</TD>\r\n<TD>NA</TD>\r\n</TR>\r\n"
                         "<TR><TD align=right width=\"25\">&nbsp;</TD>\r\n<TD>MARTIN Léa</TD>\r\n<TD>2008</TD>\r\n"
                         "<TD>Club A</TD>\r\n<TD>-50.00</TD>\r\n<TD>700</TD>\r\n</TR>\r\n"),
             qPrintable(n2));
    QVERIFY(!n2.contains("colspan = 5>MARTIN"));
    QCOMPARE(n2.count("Finale A catégorie Juniors"), 1);
}

void TstResultatsHtml::dossierExistantRefuse()
{
    QDir().mkpath(m_site + "/rep_res");
    QFile ancien(m_index);
    QVERIFY(ancien.open(QIODevice::WriteOnly));
    ancien.write("ancien index");
    ancien.close();
    m_meet->ihm.repondre(Reponse::Non);
    exporter({"2"}, false);
    QCOMPARE(m_meet->ihm.appels().back().texte,
             QString("Le sous répertoire dans lequel seront copiés les pages de résultats\nexiste déjà. Des fichiers "
                     "peuvent être écrasés.\nContinuer ?"));
    QCOMPARE(m_meet->ihm.appels().back().style & Style::DefautBouton2, Style::DefautBouton2);
    QCOMPARE(Lire(m_index), QString("ancien index"));
    QVERIFY(QDir(m_site + "/rep_res").isEmpty());

    // "Oui" writes over it.
    m_meet->ihm.repondre(Reponse::Oui);
    m_meet->ihm.repondreFichier(m_index, 3);
    QTest::mouseClick(m_fenetre->cmd_3, Qt::LeftButton);
    QVERIFY(Lire(m_index).contains("rep_res/n2.htm"));
    QVERIFY(QFile::exists(m_site + "/rep_res/n2.htm"));
}

void TstResultatsHtml::aucuneEpreuveAuMenu()
{
    for (const char* nom : {"mnud.js", "mnuh.js", "mnum.js"})
        QFile::remove(Joindre_chemin(Services::repertoireApplication(), nom));
    exporter({"52", "2"}, false);
    QVERIFY(m_meet->ihm.messages().isEmpty());
    QVERIFY(Lire(m_index).contains("self.location.replace('rep_res/n2.htm')"));
    QVERIFY(!QFile::exists(m_site + "/rep_res/mnud.js"));
    // The pages still name their script; only the menu links may point nowhere.
    QVERIFY(Lire(m_site + "/rep_res/n52.htm").contains("src=\"mnuh.js\""));
    QStringList casses = Liens_casses(m_site);
    casses.sort();
    QCOMPARE(casses, QStringList({"n2.htm -> mnud.js", "n52.htm -> mnuh.js"}));
}

void TstResultatsHtml::ecritureImpossible()
{
    // A folder that cannot be made: the error is told, the window stays usable.
    QFile bloque(m_site + "/bloque");
    QVERIFY(bloque.open(QIODevice::WriteOnly));
    bloque.close();
    m_index = m_site + "/bloque/index.htm";
    exporter({"2"}, false);
    QCOMPARE(m_meet->ihm.messages().size(), 1);
    QVERIFY(m_meet->ihm.messages().first().startsWith(
        "Une erreur s'est produite lors de la sauvegarde des résultats dans un fichier externe."));
    QVERIFY(m_fenetre->cmd_3->isEnabled());
}

void TstResultatsHtml::siteDansLeNavigateur()
{
    Navigateur nav;
    if (nav.programme.isEmpty())
        QSKIP("chromium n'est pas installé");
    exporter({"2", "52", "43", "6", "7"}, true);
    QVERIFY2(Liens_casses(m_site).isEmpty(), qPrintable(Liens_casses(m_site).join(", ")));

    // Every page in one visit, each in its frame: no script error, no missing file.
    const QString rep = m_site + "/rep_res/";
    QString cadres = "<html><body>";
    for (const QString& page : QDir(rep).entryList({"*.htm"}, QDir::Files))
        cadres += "<iframe src=\"rep_res/" + page + "\"></iframe>";
    cadres += "<iframe src=\"index.htm\"></iframe></body></html>";
    QFile visite(m_site + "/visite.html");
    QVERIFY(visite.open(QIODevice::WriteOnly));
    visite.write(cadres.toUtf8());
    visite.close();
    const auto [dom, journal] = nav.ouvrir(QUrl::fromLocalFile(visite.fileName()).toString(),
                                           {"--dump-dom", "--virtual-time-budget=3000"});
    QVERIFY2(dom.contains("<iframe"), qPrintable(journal.right(2000)));
    QVERIFY2(Erreurs_console(journal).isEmpty(), qPrintable(Erreurs_console(journal).join('\n')));

    // The index leads to the first women's page, whose menu the page script drew.
    const auto [page, journal2] = nav.ouvrir(QUrl::fromLocalFile(m_index).toString(),
                                             {"--dump-dom", "--virtual-time-budget=3000"});
    QVERIFY2(page.contains("<title>Résultats de l'épreuve Dames 100 NL</title>"), qPrintable(page.left(500)));
    QVERIFY(page.contains("id=\"qvMenu\""));
    QVERIFY(page.contains("href=\"n52.htm\">Résultats Messieurs</a>"));
    QVERIFY(page.contains("Nageurs &lt;Sud&gt; &amp; Co"));
    QVERIFY(Erreurs_console(journal2).isEmpty());

    // Looked at once.
    nav.ouvrir(QUrl::fromLocalFile(m_index).toString(),
               {"--screenshot=" + Dossier_captures() + "/site_index.png", "--window-size=900,300"});
    nav.ouvrir(QUrl::fromLocalFile(rep + "n6.htm").toString(),
               {"--screenshot=" + Dossier_captures() + "/site_n6.png", "--window-size=900,700"});
    QVERIFY(QFile::exists(Dossier_captures() + "/site_n6.png"));
}

QTEST_MAIN(TstResultatsHtml)
#include "tst_resultats_html.moc"
