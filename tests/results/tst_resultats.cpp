// The results viewer on one meet: the competitions listed, the display in each presentation
// (races, places with ties, lanes with fillers, the own-club filter, special codes, relays,
// split headings), the options editor, the print of three events to PDF, and the text and
// rich-text exports read back.

#include "core/fenetres.h"
#include "core/listes.h"
#include "core/rapport.h"
#include "fenetres_test.h"
#include "fixture_resultats.h"
#include "pdf_texte.h"
#include "results/frm_view_result.h"
#include "results/rapport_resultats.h"
#include "shell/commandes_resultats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The rows shown, "C|Nom|Année|...|Pts" trimmed, split columns left out.
QStringList Lignes_affichees(frm_view_result* f)
{
    const int fin = f->Premiere_colonne_inter();
    QStringList lignes;
    for (int i = 1; i <= Nombre_lignes(f->LsvResults); ++i) {
        QStringList cellules;
        for (int c = 0; c < fin; ++c)
            cellules << Ligne(f->LsvResults, i)->text(c).trimmed();
        lignes << cellules.join('|');
    }
    return lignes;
}

// The rows from the heading of that name on, as many as expected.
QStringList Tranche(const QStringList& lignes, const QString& titre, qsizetype n)
{
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (lignes[i].section('|', 1, 1) == titre && lignes[i].section('|', 0, 0).isEmpty())
            return lignes.mid(i, n);
    }
    return {"(pas de titre " + titre + ")"};
}

void Cocher(frm_view_result* f, const QStringList& codes)
{
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i) {
        if (codes.contains(Ligne(f->LsvNage, i)->text(0)))
            Double_clic(f->LsvNage, i);
    }
}

// Near the left edge: a check box or an option reacts only on its box and its text.
void Cliquer(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

// Options: "&Modifier", the choices, "&Valider".
void Options(frm_view_result* f, bool parSeries, bool couloirs, bool monClub, bool inter = false, bool nat = false,
             bool eq = false)
{
    f->Tab_options->setCurrentIndex(1);
    Cliquer(f->Cmd_option_0);
    Cliquer(parSeries ? f->Opt_typeAffich_1 : f->Opt_typeAffich_0);
    Cliquer(couloirs ? f->Opt_PresSerie_1 : f->Opt_PresSerie_0);
    Cliquer(monClub ? f->Opt_Club_1 : f->Opt_Club_0);
    for (auto [c, oui] : {std::pair{f->Chk_tps_inter, inter}, {f->Chk_nationalite, nat}, {f->Chk_equipe, eq}}) {
        if (c->isChecked() != oui)
            Cliquer(c);
    }
    Cliquer(f->Cmd_option_1);
    f->Tab_options->setCurrentIndex(0);
}

// The printed lines of a page rebuilt column for column from the words' positions: the result
// lines are monospaced, the 90-character rule under the header gives the width of a character.
QString Texte_page(const QString& pdf, int page)
{
    QProcess p;
    const QString n = QString::number(page);
    p.start("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression mot(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    struct Mot {
        double x, y;
        QString texte;
    };
    std::vector<Mot> mots;
    double x0 = 0;
    double largeur = 6;
    for (auto it = mot.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString t = m.captured(4);
        t.replace("&apos;", "'").replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
        const double x = m.captured(1).toDouble();
        if (t == QString(90, '=')) {
            x0 = x;
            largeur = (m.captured(3).toDouble() - x) / 90;
        }
        mots.push_back({x, m.captured(2).toDouble(), t});
    }
    std::stable_sort(mots.begin(), mots.end(), [](const Mot& a, const Mot& b) {
        return std::abs(a.y - b.y) > 1 ? a.y < b.y : a.x < b.x;
    });
    QStringList lignes;
    double y = -1;
    for (const Mot& m : mots) {
        if (std::abs(m.y - y) > 1) {
            lignes << QString();
            y = m.y;
        }
        const int colonne = std::max(0, static_cast<int>(std::lround((m.x - x0) / largeur)));
        QString& l = lignes.last();
        l = (l.size() < colonne || l.isEmpty() ? l.leftJustified(colonne) : l + " ") + m.texte;
    }
    return lignes.join('\n');
}

} // namespace

class TstResultats : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void init();
    void cleanup();
    void competitionsEtEpreuves();
    void affichage_data();
    void affichage();
    void tempsNegatifJamaisClasse();
    void tempsNegatifImprimeEtRtf();
    void entetesInter();
    void optionsEtBoutons();
    void ligneRapport_data();
    void ligneRapport();
    void lignesInter_data();
    void lignesInter();
    void impressionTroisEpreuves();
    void imprimanteReelle();
    void imprimanteAnnulee();
    void exportsTexteEtRtf();
    void exportTexteHorsCp1252();
    void commandeMenuEtVerrous();

private:
    std::unique_ptr<MeetResultats> m_meet;
    QPointer<frm_view_result> m_fenetre;
    frm_view_result* ouvrir();
};

void TstResultats::init()
{
    m_meet = std::make_unique<MeetResultats>();
}

void TstResultats::cleanup()
{
    if (m_fenetre)
        m_fenetre->close();
    Traiter_evenements();
    m_meet.reset();
}

frm_view_result* TstResultats::ouvrir()
{
    Ouvrir_view_result(m_fenetre);
    return m_fenetre;
}

void TstResultats::competitionsEtEpreuves()
{
    frm_view_result* f = ouvrir();
    QCOMPARE(f->windowTitle(), QString("Résultats des compétitions"));
    // Only the held, visible meet with results; it is chosen at once.
    QCOMPARE(Nombre_lignes(f->lsv_compet), 1);
    QCOMPARE(Ligne(f->lsv_compet, 1)->text(1), QString("Meeting d'Azur & Co"));
    QCOMPARE(Ligne(f->lsv_compet, 1)->text(3), QString("15/06 - 16/06/2024"));
    QCOMPARE(f->competCourante(), m_meet->compet);
    QStringList epreuves;
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i) {
        QTreeWidgetItem* e = Ligne(f->LsvNage, i);
        epreuves << e->text(0) + "|" + e->text(1) + "|" + e->text(2) + "|" + e->text(3) + "|"
                        + Ligne(f->Lsv_info_relais, i)->text(0);
    }
    QCOMPARE(epreuves, QStringList({"2|Dames 100 NL|15/06/2024|1|1", "52|Messieurs 100 NL|15/06/2024|2|1",
                                    "43|Dames 4 x 50 m N.L.|16/06/2024|3|4", "6|Dames 1500 NL|16/06/2024|4|1",
                                    "7|Dames 1000 NL|16/06/2024|5|1"}));

    // "Voir" with nothing ticked: an empty list and nothing to print.
    Cliquer(f->cmd_0);
    QCOMPARE(Nombre_lignes(f->LsvResults), 0);
    QVERIFY(!f->cmd_2->isEnabled() && !f->cmd_3->isEnabled() && !f->Cbo_search->isEnabled());

    // "Afficher toutes les nages" ticks every event, and an event cannot be unticked meanwhile.
    Cliquer(f->Chk_all);
    QCOMPARE(Nombre_coches(f->LsvNage), 5);
    Ligne(f->LsvNage, 2)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(Ligne(f->LsvNage, 2)->checkState(0), Qt::Checked);
    QCOMPARE(Ligne_courante(f->LsvNage), 2);
    Cliquer(f->Chk_all);
    QCOMPARE(Nombre_coches(f->LsvNage), 5);

    // The search box lists the events shown and finds their heading.
    Cliquer(f->cmd_0);
    QCOMPARE(f->Cbo_search->count(), 5);
    QVERIFY(f->cmd_2->isEnabled() && f->cmd_3->isEnabled() && f->cmd_4->isEnabled());
    QCOMPARE(Ligne(f->LsvResults, 1)->text(1), QString("Dames 100 NL"));
    f->Cbo_search->setCurrentIndex(2);
    emit f->Cbo_search->activated(2);
    QCOMPARE(f->LsvResults->currentItem()->text(1), QString("Dames 4 x 50 m N.L."));
    QVERIFY(m_meet->ihm.messages().isEmpty());
}

void TstResultats::affichage_data()
{
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<int>("options"); // 1 by heats, 2 by lanes, 4 own club
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QStringList>("attendu");

    // Finals and youth finals together, ordered by type, category (none first) and heat.
    QTest::newRow("finales, égalité et codes spéciaux")
        << QStringList{"2"} << 0 << "Dames 100 NL"
        << QStringList{"|Dames 100 NL||||",
                       "|||||",
                       "|Finale B||||",
                       "1|VERT Lou|2008|Club A|1:05.00|600",
                       "|||||",
                       "|Finale A catégorie Juniors||||",
                       "1|MARTIN Léa|2008|Club A|58.00|700",
                       "2|DURAND Zoé|2009|Nageurs <Sud> & Co|59.00|690",
                       "2|PETIT Inès|2008|Club A|59.00|690",
                       "4|ROUX Jade|2007|Club A|1:00.00|650",
                       "5|BLANC Eve|2008|Nageurs <Sud> & Co|Disq|DSQ",
                       "6|NOIR Ana|2008|Club A||NA",
                       "|||||",
                       "|Finale Jeune A catégorie Juniors||||",
                       "1|JAUNE Mia|2010|Club A|1:10.00|550",
                       "|||||",
                       "|1/2 Finale catégorie Juniors||||",
                       "1|ROSE Amy|2008|Nageurs <Sud> & Co|1:01.00|620",
                       "|||||",
                       "|Série||||",
                       "1|DORE Ava|2008|Club A|1:01.50|618",
                       "2|BRUN Eva|2008|Nageurs <Sud> & Co|1:02.00|615",
                       "3|AUBE Ida|2008|Club A|1:03.00|610",
                       "4|EBENE Isa|2008|Nageurs <Sud> & Co|1:03.50|608",
                       "5|CYAN Ely|2008|Club A|1:04.00|605",
                       "|||||",
                       "|Barrage A||||",
                       "1|FAUVE Noa|2008|Club A|1:03.00|610",
                       "2|GRIS Lya|2008|Nageurs <Sud> & Co|1:03.10|609"};
    QTest::newRow("séries par temps") << QStringList{"2"} << 1 << "Série 1"
                                      << QStringList{"|Série 1||||",
                                                     "1|BRUN Eva|2008|Nageurs <Sud> & Co|1:02.00|615",
                                                     "2|AUBE Ida|2008|Club A|1:03.00|610",
                                                     "3|CYAN Ely|2008|Club A|1:04.00|605",
                                                     "|||||",
                                                     "|Série 2||||",
                                                     "1|DORE Ava|2008|Club A|1:01.50|618",
                                                     "2|EBENE Isa|2008|Nageurs <Sud> & Co|1:03.50|608"};
    // Missing lanes 3 and 4 get rows; none before the first lane of a heat.
    QTest::newRow("couloirs avec lignes vides") << QStringList{"2"} << 3 << "Série 1"
                                                << QStringList{"|Série 1||||",
                                                               "1|CYAN Ely|2008|Club A|1:04.00|605",
                                                               "2|BRUN Eva|2008|Nageurs <Sud> & Co|1:02.00|615",
                                                               "3|||||",
                                                               "4|||||",
                                                               "5|AUBE Ida|2008|Club A|1:03.00|610",
                                                               "|||||",
                                                               "|Série 2||||",
                                                               "3|EBENE Isa|2008|Nageurs <Sud> & Co|1:03.50|608",
                                                               "4|DORE Ava|2008|Club A|1:01.50|618"};
    QTest::newRow("couloirs du club seul") << QStringList{"2"} << 7 << "Série 1"
                                           << QStringList{"|Série 1||||", "1|CYAN Ely|2008|Club A|1:04.00|605",
                                                          "5|AUBE Ida|2008|Club A|1:03.00|610", "|||||",
                                                          "|Série 2||||", "4|DORE Ava|2008|Club A|1:01.50|618"};
    // Places are counted over every club: the gaps stay.
    QTest::newRow("club seul, places gardées") << QStringList{"2"} << 4 << "Finale A catégorie Juniors"
                                               << QStringList{"|Finale A catégorie Juniors||||",
                                                              "1|MARTIN Léa|2008|Club A|58.00|700",
                                                              "2|PETIT Inès|2008|Club A|59.00|690",
                                                              "4|ROUX Jade|2007|Club A|1:00.00|650",
                                                              "6|NOIR Ana|2008|Club A||NA", "|||||"};
    // A relay: its number instead of a swimmer, no birth year, never a youth final.
    QTest::newRow("relais") << QStringList{"43"} << 0 << "Dames 4 x 50 m N.L."
                            << QStringList{"|Dames 4 x 50 m N.L.||||", "|||||", "|Finale A||||",
                                           "1|Relais n° 1||Club A|1:50.00|750",
                                           "2|Relais n° 2||Nageurs <Sud> & Co|1:55.00|700"};
    // Two events: the first one's blank rows are gone, the second keeps its two.
    QTest::newRow("deux épreuves") << QStringList{"2", "52"} << 0 << "Barrage A"
                                   << QStringList{"|Barrage A||||", "1|FAUVE Noa|2008|Club A|1:03.00|610",
                                                  "2|GRIS Lya|2008|Nageurs <Sud> & Co|1:03.10|609", "|||||",
                                                  "|||||", "|Messieurs 100 NL||||", "|||||", "|Finale A||||",
                                                  "1|HOMME Paul|2007|Club A|52.00|800"};
}

void TstResultats::affichage()
{
    QFETCH(QStringList, codes);
    QFETCH(int, options);
    QFETCH(QString, titre);
    QFETCH(QStringList, attendu);
    frm_view_result* f = ouvrir();
    if (options)
        Options(f, options & 1, options & 2, options & 4);
    Cocher(f, codes);
    Cliquer(f->cmd_0);
    QCOMPARE(Tranche(Lignes_affichees(f), titre, attendu.size()), attendu);
    QCOMPARE(f->Cbo_search->count(), codes.size());
    // The query that a result without a category would have broken is never run.
    QVERIFY2(m_meet->ihm.messages().isEmpty(), qPrintable(m_meet->ihm.messages().join('\n')));
}

// A stored time that cannot be swum keeps its sign and takes no place: the times after it are
// ranked as if it were not there, and it comes after them.
void TstResultats::tempsNegatifJamaisClasse()
{
    m_meet->base.executer("UPDATE Prres SET Tps = -0.5 WHERE Num_Lic = (SELECT Num FROM Licence WHERE Nom = 'MARTIN')");
    frm_view_result* f = ouvrir();
    Cocher(f, {"2"});
    Cliquer(f->cmd_0);
    QCOMPARE(Tranche(Lignes_affichees(f), "Finale A catégorie Juniors", 8),
             QStringList({"|Finale A catégorie Juniors||||", "1|DURAND Zoé|2009|Nageurs <Sud> & Co|59.00|690",
                          "1|PETIT Inès|2008|Club A|59.00|690", "3|ROUX Jade|2007|Club A|1:00.00|650",
                          "4|BLANC Eve|2008|Nageurs <Sud> & Co|Disq|DSQ", "5|NOIR Ana|2008|Club A||NA",
                          "|MARTIN Léa|2008|Club A|-50.00|700", "|||||"}));
    // By lanes the lane is its place; the time still shows as impossible.
    Options(f, true, true, false);
    Cliquer(f->cmd_0);
    QVERIFY(Lignes_affichees(f).contains("4|MARTIN Léa|2008|Club A|-50.00|700"));
}

// The printed results and the rich-text file keep the line of a time that cannot be swum: a
// swimmer's line without a place, with the year, the club, the time as shown and the points,
// never a race heading.
void TstResultats::tempsNegatifImprimeEtRtf()
{
    m_meet->base.executer("UPDATE Prres SET Tps = -0.5 WHERE Num_Lic = (SELECT Num FROM Licence WHERE Nom = 'MARTIN')");
    frm_view_result* f = ouvrir();
    Cocher(f, {"2"});
    Cliquer(f->cmd_0);
    const QString pdf = Dossier_captures() + "/resultats_negatif.pdf";
    QFile::remove(pdf);
    m_meet->ihm.repondreImprimante(true, pdf);
    Cliquer(f->cmd_2);
    const QString rtf = m_meet->base.repertoire().fichier("negatif.rtf");
    m_meet->ihm.repondreFichier(rtf, 2);
    Cliquer(f->cmd_3);
    QVERIFY2(m_meet->ihm.messages().isEmpty(), qPrintable(m_meet->ihm.messages().join('\n')));

    QStringList imprimees;
    for (int page = 1; page <= Pages_pdf(pdf); ++page)
        imprimees += Texte_page(pdf, page).split('\n');
    BoiteRiche boite;
    boite.chargerFichier(rtf);
    const QStringList enregistrees = boite.texte().split(QRegularExpression("[\\r\\n]+"));
    for (const QStringList& lignes : {imprimees, enregistrees}) {
        // Column for column: a blank place, then name 28, year 4, club 30, time 8, points 4.
        const QStringList martin = lignes.filter("MARTIN");
        QCOMPARE(martin.size(), 1);
        QCOMPARE(martin.first().trimmed(), QString("MARTIN Léa                   2008 Club A                         "
                                                   "-50.00    700"));
        QCOMPARE(martin.first().indexOf("2008") - martin.first().indexOf("MARTIN"), 29);
        // Last of its race, after the ranked ones; the race keeps its one heading.
        const qsizetype noir = lignes.indexOf(lignes.filter("NOIR Ana").value(0));
        QVERIFY(noir >= 0);
        QCOMPARE(lignes.value(noir + 1), martin.first());
        QCOMPARE(lignes.filter(QRegularExpression("^ *Finale +A +catégorie +Juniors *$")).size(), 1);
    }
}

void TstResultats::entetesInter()
{
    frm_view_result* f = ouvrir();
    Options(f, false, false, false, true, true, true);
    QCOMPARE(f->Premiere_colonne_inter(), 8);
    QCOMPARE(f->LsvResults->headerItem()->text(8), QString("Inter 1"));
    QCOMPARE(f->LsvResults->columnCount(), 22);
    Cocher(f, {"2", "6", "7"});
    Cliquer(f->cmd_0);
    auto entete = [f](const QString& libelle) {
        const int i = Chercher_element(libelle, f->LsvResults, 0, 1, 1);
        QStringList cellules;
        for (int c = 8; c < 22; ++c)
            cellules << Ligne(f->LsvResults, i)->text(c).trimmed();
        return cellules.join(',');
    };
    QCOMPARE(entete("Dames 100 NL"), QString("50,,,,,,,,,,,,,"));
    QCOMPARE(entete("Dames 1500 NL"), QString("1400,1300,1200,1100,1000,900,800,700,600,500,400,300,200,100"));
    QCOMPARE(entete("Dames 1000 NL"), QString("900,800,700,600,500,400,300,200,100,,,,,"));
    // A result row: nationality and team shown, the splits in display form.
    const int i = Chercher_element("LONGUE Eva", f->LsvResults, 0, 1, 1);
    QTreeWidgetItem* r = Ligne(f->LsvResults, i);
    QCOMPARE(r->text(3), QString("FRA"));
    QCOMPARE(r->text(5), QString("1"));
    QCOMPARE(r->text(6), QString("17:00.00"));
    QCOMPARE(r->text(8), QString("1:00.12"));
    QCOMPARE(r->text(21), QString("14:00.12"));
}

void TstResultats::optionsEtBoutons()
{
    frm_view_result* f = ouvrir();
    QVERIFY(!f->Opt_Club_1->isEnabled() && f->Cmd_option_0->isEnabled() && !f->Cmd_option_1->isEnabled());
    Cocher(f, {"2"});
    Cliquer(f->cmd_0);
    QVERIFY(f->cmd_2->isEnabled());

    // Editing: the display actions wait, "Par type de courses" keeps the series by time.
    f->Tab_options->setCurrentIndex(1);
    Cliquer(f->Cmd_option_0);
    QVERIFY(!f->cmd_0->isEnabled() && !f->cmd_2->isEnabled() && !f->Cmd_option_0->isEnabled());
    QVERIFY(f->Cmd_option_1->isEnabled() && f->Cmd_option_2->isEnabled());
    QVERIFY(!f->Opt_PresSerie_1->isEnabled());
    Cliquer(f->Opt_typeAffich_1);
    QVERIFY(f->Opt_PresSerie_1->isEnabled());
    Cliquer(f->Opt_PresSerie_1);
    Cliquer(f->Chk_nationalite);
    Cliquer(f->Opt_typeAffich_0);
    QVERIFY(f->Opt_PresSerie_0->isChecked() && !f->Opt_PresSerie_1->isEnabled());

    // "&Annuler" puts the values back and, with events shown, the print and export back.
    Cliquer(f->Cmd_option_2);
    QVERIFY(!f->Chk_nationalite->isChecked() && f->Opt_typeAffich_0->isChecked());
    QVERIFY(f->cmd_0->isEnabled() && f->cmd_2->isEnabled() && f->cmd_3->isEnabled());
    QVERIFY(Nombre_lignes(f->LsvResults) > 0);

    // "&Valider" rebuilds the columns and empties the display.
    Options(f, false, false, false, false, true, false);
    QCOMPARE(f->LsvResults->headerItem()->text(3), QString("Nat"));
    QCOMPARE(f->LsvResults->columnWidth(1), 3390 / 15);
    QCOMPARE(Nombre_lignes(f->LsvResults), 0);
    QCOMPARE(f->Cbo_search->count(), 0);
    QVERIFY(!f->cmd_2->isEnabled());

    // The reference tables of the model base: every special code above the times.
    QCOMPARE(Valeurs_colonne("SELECT Lib_un FROM Code_Disq WHERE Val_code >= 91 ORDER BY Val_code"),
             QStringList({"Disq", "Aban", "Forf", "NP"}));
    QCOMPARE(m_meet->base.valeur("SELECT count(*) FROM Code_Disq WHERE Val_code < 91"), QString("0"));

    // "Agrandir" hides the tabs and gives the list the room; "Réduire" puts them back.
    Cliquer(f->cmd_0);
    Cliquer(f->cmd_4);
    QVERIFY(f->Tab_options->isHidden() && f->cmd_4->isHidden() && !f->cmd_5->isHidden());
    // The list ends a margin above the window's bottom, its scroll bar within reach.
    QCOMPARE(f->LsvResults->geometry(), QRect(8, 48, (12000 - 240) / 15, f->height() - 48 - 8));
    Cliquer(f->cmd_5);
    QVERIFY(!f->Tab_options->isHidden() && !f->cmd_4->isHidden());
    QCOMPARE(f->LsvResults->y(), 5760 / 15);
    QCOMPARE(f->LsvResults->geometry().bottom() + 1 + 8, f->height());
    // A taller window gives the room to the results.
    const int hauteur = f->LsvResults->height();
    Cadre_fenetre(f)->resize(Cadre_fenetre(f)->width(), Cadre_fenetre(f)->height() + 100);
    QCOMPARE(f->LsvResults->height(), hauteur + 100);

    f->grab().save(Dossier_captures() + "/frm_view_result.png");
}

void TstResultats::ligneRapport_data()
{
    QTest::addColumn<QStringList>("ligne");
    QTest::addColumn<bool>("nat");
    QTest::addColumn<bool>("eq");
    QTest::addColumn<QString>("attendu");
    const QString nom = "DUPONT-DE-LA-GRANDE-RIVIERE Marie-Charlotte";
    QTest::newRow("temps") << QStringList{"12", "MARTIN Léa", "2008", "Club A", "1:05.32", "700"} << false << false
                           << "12   MARTIN Léa                   2008 Club A                         1:05.32   700";
    QTest::newRow("coupés") << QStringList{"3", nom, "2008", QString(40, 'C'), "59.00", "12345"} << false << false
                            << "3    DUPONT-DE-LA-GRANDE-RIVIERE  2008 " + QString(30, 'C') + " 59.00    1234";
    QTest::newRow("nat et équipe") << QStringList{"1", "A B", "2008", "FRA", "Club", "2", "58.00", "9"} << true << true
                                   << "1    A B                          2008 FRA Club                           2  58.00       9";
    QTest::newRow("disqualifié") << QStringList{"5", "A B", "2008", "Club", "Disq", "DSQ"} << false << false
                                 << "5    A B                          2008 Club                           Disq DSQ      ";
    QTest::newRow("code inconnu") << QStringList{"6", "A B", "2008", "Club", " ", "NA"} << false << false
                                  << "6    A B                          2008 Club                                      NA";
    QTest::newRow("code inconnu joint") << QStringList{"6", "A B", "2008", "Club", "NA", " "} << false << false
                                        << "6    A B                          2008 Club                           NA            ";
}

void TstResultats::ligneRapport()
{
    QFETCH(QStringList, ligne);
    QFETCH(bool, nat);
    QFETCH(bool, eq);
    QFETCH(QString, attendu);
    DonneesResultats d;
    d.nationalite = nat;
    d.equipe = eq;
    QCOMPARE(Ligne_rapport_resultat(d, ligne), attendu);
}

void TstResultats::lignesInter_data()
{
    QTest::addColumn<int>("nb");
    QTest::addColumn<QList<int>>("coupes"); // splits on each line
    QTest::newRow("7 sur une ligne") << 7 << QList<int>{7};
    QTest::newRow("8 en deux") << 8 << QList<int>{4, 4};
    QTest::newRow("9 coupé après 4") << 9 << QList<int>{4, 5};
    QTest::newRow("14 en deux fois 7") << 14 << QList<int>{7, 7};
    QTest::newRow("30 coupé après 15") << 30 << QList<int>{15, 15};
}

void TstResultats::lignesInter()
{
    QFETCH(int, nb);
    QFETCH(QList<int>, coupes);
    DonneesResultats d;
    d.inter = true;
    QStringList ligne{"1", "A", "2008", "Club", "1:00.00", "1"};
    for (int k = 1; k <= nb; ++k)
        ligne << QString("%1.00").arg(k);
    const QStringList lignes = Lignes_inter_rapport(d, ligne, nb);
    QCOMPARE(lignes.size(), coupes.size());
    int k = 1;
    for (int i = 0; i < lignes.size(); ++i) {
        QString attendu;
        for (int j = 0; j < coupes[i]; ++j, ++k)
            attendu += " " + Completer_gauche(QString("%1.00").arg(k), 8);
        QCOMPARE(lignes[i], attendu);
    }
    // A row without any split gives no line.
    QVERIFY(Lignes_inter_rapport(d, {"1", "A", "2008", "Club", "1:00.00", "1", " ", " "}, 2).isEmpty());
}

void TstResultats::impressionTroisEpreuves()
{
    frm_view_result* f = ouvrir();
    Options(f, false, false, false, true, false, false);
    Cocher(f, {"2", "43", "7"});
    Cliquer(f->cmd_0);
    // Printed to a file through the print dialog: one file, every event in it.
    const QString pdf = Dossier_captures() + "/resultats.pdf";
    QFile::remove(pdf);
    m_meet->ihm.repondreImprimante(true, pdf);
    Cliquer(f->cmd_2);
    QVERIFY(m_meet->ihm.toutConsomme());
    QVERIFY(m_meet->ihm.messages().isEmpty());
    QVERIFY(!frm_tempo_rapport_charge());
    // Each event starts a page with the filled header and holds its own event only.
    const QString entete = "Résultats Meeting d'Azur & Co 15/06 - 16/06/2024 - Nice";
    QStringList taches;
    for (int page = 1; page <= Pages_pdf(pdf); ++page) {
        const QString texte = Texte_page(pdf, page);
        if (texte.simplified().startsWith(entete))
            taches << texte;
        else if (!taches.isEmpty())
            taches.last() += '\n' + texte;
    }
    QCOMPARE(taches.size(), 3);
    const QStringList epreuves{"Dames 100 NL", "Dames 4 x 50 m N.L.", "Dames 1000 NL"};
    for (int i = 0; i < 3; ++i) {
        const QString texte = taches[i].simplified();
        for (int j = 0; j < 3; ++j)
            QCOMPARE(texte.contains(epreuves[j]), i == j);
    }
    // Column for column: place 4, name 28, year 4, club 30, time 8, points 4.
    const QStringList lignes = taches[0].split('\n');
    auto ligneDe = [&lignes](const QString& debut) {
        for (const QString& l : lignes) {
            if (l.trimmed().startsWith(debut))
                return l.trimmed();
        }
        return QString();
    };
    const QString martin = ligneDe("1    MARTIN");
    QCOMPARE(martin.left(5), QString("1    "));
    QCOMPARE(martin.mid(5, 29), QString("MARTIN Léa                   "));
    QCOMPARE(martin.mid(34, 5), QString("2008 "));
    QCOMPARE(martin.mid(39, 31), QString("Club A                         "));
    QCOMPARE(martin.mid(70).simplified(), QString("58.00 700"));
    QVERIFY(ligneDe("5    BLANC").endsWith("Disq DSQ"));
    QVERIFY(ligneDe("6    NOIR").endsWith("NA"));
    QVERIFY(taches[0].simplified().contains("Finale A catégorie Juniors 1 MARTIN"));
    // Nine splits of the 1000 m: four, then five, right-aligned under the result.
    const QStringList j3 = taches[2].split('\n');
    qsizetype m = -1;
    for (qsizetype i = 0; i < j3.size(); ++i) {
        if (j3[i].contains("MOYENNE Ana"))
            m = i;
    }
    QVERIFY(m >= 0);
    QCOMPARE(j3[m + 1].simplified(), QString("1:00.12 2:00.12 3:00.12 4:00.12"));
    QCOMPARE(j3[m + 2].simplified(), QString("5:00.12 6:00.12 7:00.12 8:00.12 9:00.12"));

    // Looked at once as a picture.
    QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf, Dossier_captures() + "/resultats"});
}

void TstResultats::imprimanteReelle()
{
    // A printer, not a file: one job per event.
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: nothing is sent to it");
    frm_view_result* f = ouvrir();
    Cocher(f, {"2", "43", "7"});
    Cliquer(f->cmd_0);
    m_meet->ihm.repondreImprimante(true);
    QList<int> taches;
    QCOMPARE(Imprimer_resultats(f->Donnees(), [&](int n) { taches << n; }), 3);
    QCOMPARE(taches, QList<int>({1, 2, 3}));
    QVERIFY(m_meet->ihm.messages().isEmpty());
}

void TstResultats::imprimanteAnnulee()
{
    frm_view_result* f = ouvrir();
    Cocher(f, {"2"});
    Cliquer(f->cmd_0);
    m_meet->ihm.repondreImprimante(false);
    Cliquer(f->cmd_2);
    QVERIFY(m_meet->ihm.messages().isEmpty());
    QVERIFY(!frm_tempo_rapport_charge());
    QVERIFY(m_meet->ihm.toutConsomme());
}

void TstResultats::exportsTexteEtRtf()
{
    frm_view_result* f = ouvrir();
    Cocher(f, {"2", "52"});
    Cliquer(f->cmd_0);
    const QString txt = m_meet->base.repertoire().fichier("res.txt");
    const QString rtf = m_meet->base.repertoire().fichier("res.rtf");
    m_meet->ihm.repondreFichier(txt, 1);
    Cliquer(f->cmd_3);
    m_meet->ihm.repondreFichier(rtf, 2);
    Cliquer(f->cmd_3);
    m_meet->ihm.repondreFichier(QString(), 1); // cancelled: nothing
    Cliquer(f->cmd_3);
    QVERIFY(m_meet->ihm.messages().isEmpty());
    QCOMPARE(m_meet->ihm.appels().front().titre, QString("Exporter résultats"));

    QFile fichier(txt);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QStringDecoder cp1252("windows-1252");
    const QStringList lignes = QString(cp1252(fichier.readAll())).split("\r\n");
    QCOMPARE(lignes[0], QString("C\tNom\tAnnée\tClub\tTps\tPts"));
    QCOMPARE(lignes[1].section('\t', 1, 1), QString("Dames 100 NL"));
    QVERIFY(lignes.contains("2\tDURAND Zoé\t2009\tNageurs <Sud> & Co\t59.00\t690"));
    QVERIFY(lignes.contains("5\tBLANC Eve\t2008\tNageurs <Sud> & Co\tDisq\tDSQ"));
    QCOMPARE(lignes.size() - 2, Nombre_lignes(f->LsvResults)); // titles and the last line end
    // Blank rows and headings have a blank in every other cell.
    QCOMPARE(lignes[2], QString(" \t \t \t \t \t "));
    QVERIFY(lignes.contains(" \tFinale A catégorie Juniors\t \t \t \t "));
    for (qsizetype i = 1; i < lignes.size() - 1; ++i)
        QVERIFY2(lignes[i].split('\t').size() == 6 && !lignes[i].split('\t').contains(QString()), qPrintable(lignes[i]));

    // The rich-text file: one header, both events.
    BoiteRiche boite;
    boite.chargerFichier(rtf);
    const QString texte = boite.texte();
    QCOMPARE(texte.count("Meeting d'Azur & Co"), 1);
    QVERIFY(texte.contains("Dames 100 NL") && texte.contains("Messieurs 100 NL"));
    QVERIFY(texte.contains("1    HOMME Paul"));
}

// A name the code page cannot hold: the text file is UTF-8 with its byte order mark, nothing lost.
void TstResultats::exportTexteHorsCp1252()
{
    m_meet->base.executer(QString::fromUtf8("UPDATE Licence SET Nom = 'ИВАНОВА' WHERE Nom = 'DURAND'"));
    frm_view_result* f = ouvrir();
    Cocher(f, {"2"});
    Cliquer(f->cmd_0);
    const QString txt = m_meet->base.repertoire().fichier("res.txt");
    m_meet->ihm.repondreFichier(txt, 1);
    Cliquer(f->cmd_3);
    QVERIFY(m_meet->ihm.messages().isEmpty());
    QFile fichier(txt);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray octets = fichier.readAll();
    QVERIFY(octets.startsWith("\xEF\xBB\xBF"));
    const QStringList lignes = QString::fromUtf8(octets.mid(3)).split("\r\n");
    QCOMPARE(lignes[0], QString("C\tNom\tAnnée\tClub\tTps\tPts"));
    QVERIFY(lignes.contains(QString::fromUtf8("2\tИВАНОВА Zoé\t2009\tNageurs <Sud> & Co\t59.00\t690")));
    QCOMPARE(lignes.size() - 2, Nombre_lignes(f->LsvResults));
}

void TstResultats::commandeMenuEtVerrous()
{
    const auto avant = Tous_les_verrous();
    CommandesResultats commandes;
    commandes.mnuCompetVoirResult_Click();
    QVERIFY(commandes.resultats());
    QCOMPARE(commandes.resultats()->verrous(), frm_view_result::Verrous());
    QVERIFY(Fenetre_ouverte());
    commandes.mnuCompetVoirResult_Click(); // brought forward, not opened twice
    QCOMPARE(Compteurs_verrou(Compteurs_du_groupe(GroupeVerrou::Compet)), QList<int>({0, 0, 0, 0, 0, 1, 1}));
    QCOMPARE(Compteurs_verrou(Compteurs_du_groupe(GroupeVerrou::Club)), QList<int>({0, 0, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(Compteurs_du_groupe(GroupeVerrou::Licence)), QList<int>({0, 0, 0, 1, 1, 0, 0}));
    Cliquer(commandes.resultats()->cmd_1);
    Traiter_evenements();
    QVERIFY(!commandes.resultats());
    QCOMPARE(Tous_les_verrous(), avant);
    QVERIFY(!Fenetre_ouverte());
}

QTEST_MAIN(TstResultats)
#include "tst_resultats.moc"
