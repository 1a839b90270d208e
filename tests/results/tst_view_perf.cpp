// The performance viewer on a fixed day (15 September 2004): the swimmer list, the seasons, best
// and latest N per event, split times and relay legs, the own-club filter of a selection, both
// deletions, and the report printed to PDF and saved as text.

#include "contexte_perfs.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "fenetres_test.h"
#include "pdf_texte.h"
#include "results/frm_view_perf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>

using namespace perfs_test;

namespace {

// DUPONT (11): 50 NL a relay leg and a split time; 100 NL this season (manual, and in the Rouen
// meet 5), last season (an import whose meet 9 is gone, manual number 0) and an older one.
// RELAIS Marc (12): 50 Dos in meet 5 and a row of the gone meet 9, manual number 0 too.
// DUBOIS (10): 50 NL in meet 5. The club's relays: a manual one (number 1) and one of meet 5.
void Remplir(const ContextePerfs& c)
{
    c.base.executer("INSERT INTO Rcomp (AutoNum, Num, Nom, Debut, Fin, Lieu, Visible, Deroule) VALUES "
                    "(5, '5', 'Meeting de Rouen', '20031001', '20031002', 'Rouen', 0, 1)");
    c.perf(11, 52, "20040110", "1.0500", "Lille", 0, 1);
    c.perf(11, 52, "20031001", "1.0300", "Rouen", 5, 7);
    c.perf(11, 52, "20030301", "1.0100", "Caen", 9, 0);
    c.perf(11, 52, "20010101", "1.0000", "Paris", 0, 2);
    c.perf(11, 51, "20040201", "0.3000", "Lille", 0, 3, clubA, "R");
    c.perf(11, 51, "20040202", "0.2900", "Lille", 0, 4, clubA, " ", true);
    c.perf(12, 61, "20040115", "0.3500", "Brest", 5, 8);
    c.perf(12, 61, "20030302", "0.3600", "Caen", 9, 0);
    c.perf(10, 1, "20040301", "0.3300", "Rouen", 5, 9);
    c.perfRelais(43, "20040301", "2.0000", "Lille", 2, 0, 1);
    c.perfRelais(43, "20031001", "2.0500", "Rouen", 1, 5, 10);
}

// The rows shown, one text per row: a heading as "# name", a performance as its cells joined.
QStringList Lignes(frm_view_perf* f)
{
    QStringList lignes;
    for (int i = 1; i <= Nombre_lignes(f->LsvPerf); ++i) {
        QTreeWidgetItem* l = Ligne(f->LsvPerf, i);
        const QString genre = Ligne(f->LsvNumCompet, i)->text(3);
        if (genre == GenreLignePerf::Perf) {
            QStringList cellules;
            for (int c = 0; c < f->LsvPerf->columnCount(); ++c)
                cellules << l->text(c);
            lignes << cellules.join('|');
        } else if (!genre.isEmpty()) {
            lignes << "# " + l->text(1);
        }
    }
    return lignes;
}

void Cocher(frm_view_perf* f, const QString& nom, bool coche = true)
{
    const int i = Ligne_texte(f->LsvNageur, nom);
    QVERIFY2(i > 0, qPrintable(nom));
    Ligne(f->LsvNageur, i)->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
}

// Changes options as the user does: "&Modifier", the change, "&Valider".
void Options(frm_view_perf* f, const std::function<void()>& changer)
{
    Cliquer(f->Cmd_option[0]);
    changer();
    Cliquer(f->Cmd_option[1]);
}

void Choisir_ligne(frm_view_perf* f, const QString& temps, const QString& lieu)
{
    for (int i = 1; i <= Nombre_lignes(f->LsvPerf); ++i) {
        QTreeWidgetItem* l = Ligne(f->LsvPerf, i);
        if (l->text(0) == temps && l->text(1) == lieu) {
            f->LsvPerf->setCurrentItem(l);
            return;
        }
    }
    QFAIL(qPrintable("pas de ligne " + temps + " " + lieu));
}

} // namespace

class TestViewPerf : public QObject {
    Q_OBJECT

private slots:
    void init() { Initialiser_verrous_menus(); }
    void cleanup() { Traiter_evenements(); }

    void listeDesNageursEtRelais();
    void saisons_data();
    void saisons();
    void meilleureDerniereEtPersonnalise();
    void tempsNegatifJamaisMeilleur();
    void tempsIntermediairesEtRelais();
    void uniquementLaSelection();
    void suppressionDUneCompetition();
    void suppressionDUneLigne();
    void impressionPdfEtSauvegardes();
};

void TestViewPerf::listeDesNageursEtRelais()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    QCOMPARE(Compteurs_verrou(colVerrouPerf), QList<int>({1, 1, 1, 1, 1, 0, 0}));
    QCOMPARE(Compteurs_verrou(colVerrouCompet), QList<int>({0, 0, 0, 0, 0, 1, 0}));
    QStringList noms;
    for (int i = 1; i <= Nombre_lignes(f->LsvNageur); ++i)
        noms << Ligne(f->LsvNageur, i)->text(0);
    QCOMPARE(noms, QStringList({"DUBOIS", "DUPONT", "RELAIS", "Relais"}));
    QCOMPARE(Ligne(f->LsvNageur, 2)->text(3), QString("15 décembre 1990"));

    // The swimmer named Relais sees his own times; the club's relays come with their teams.
    Cocher(f, "RELAIS");
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f), QStringList({"# RELAIS Marc", "# Messieurs 50 Dos", "35.00|Brest|15 janvier 2004|25| "}));
    QCOMPARE(f->SSTab1->currentIndex(), 1);
    Cocher(f, "RELAIS", false);
    QTest::keyClick(f->LsvNageur, Qt::Key_End);
    QTest::keyClick(f->LsvNageur, Qt::Key_Space);
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f), QStringList({"# Relais", "# Dames 4 x 50 m N.L.", "2:00.00|Lille (Equipe n° 2)|1 mars 2004|25| ",
                                     "2:05.00|Rouen (Equipe n° 1)|1 octobre 2003|25| "}));

    // A club without relays has no relay row.
    f->close();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    c.base.executer("DELETE FROM Liffn_relais");
    Ouvrir_frm_view_perf(f);
    QCOMPARE(Ligne_texte(f->LsvNageur, "Relais"), 0);
    f->close();
}

void TestViewPerf::saisons_data()
{
    QTest::addColumn<int>("saison");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("en cours") << 0
                              << QStringList {"# DUPONT Jean", "# Messieurs 50 NL", "30.00|Lille|1 février 2004|25|X",
                                              "# Messieurs 100 NL", "1:05.00|Lille|10 janvier 2004|25| ",
                                              "1:03.00|Rouen|1 octobre 2003|25| "};
    QTest::newRow("dernière") << 1
                              << QStringList {"# DUPONT Jean", "# Messieurs 100 NL", "1:01.00|Caen|1 mars 2003|25| "};
    QTest::newRow("toutes") << 2
                            << QStringList {"# DUPONT Jean", "# Messieurs 50 NL", "30.00|Lille|1 février 2004|25|X",
                                            "# Messieurs 100 NL", "1:05.00|Lille|10 janvier 2004|25| ",
                                            "1:03.00|Rouen|1 octobre 2003|25| ", "1:01.00|Caen|1 mars 2003|25| ",
                                            "1:00.00|Paris|1 janvier 2001|25| "};
}

void TestViewPerf::saisons()
{
    QFETCH(int, saison);
    QFETCH(QStringList, lignes);
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Options(f, [&] { Basculer(f->Opt_saison[saison]); });
    Cocher(f, "DUPONT");
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f), lignes);
    f->close();
}

void TestViewPerf::meilleureDerniereEtPersonnalise()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Cocher(f, "DUPONT");
    Options(f, [&] {
        Basculer(f->Opt_saison[2]);
        Basculer(f->Opt_nbPerf[1]);
    });
    QCOMPARE(f->Opt_nbPerf[1]->text(), QString("Dernière"));
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).filter(":").filter("|"), QStringList({"1:05.00|Lille|10 janvier 2004|25| "}));
    Options(f, [&] { Basculer(f->Opt_tri[1]); });
    QCOMPARE(f->Opt_nbPerf[1]->text(), QString("Meilleure"));
    QCOMPARE(Nombre_lignes(f->LsvPerf), 0); // the options changed: the list is emptied
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).filter(":").filter("|"), QStringList({"1:00.00|Paris|1 janvier 2001|25| "}));

    // "Personnalisé" needs its number.
    c.ihm.effacer();
    Cliquer(f->Cmd_option[0]);
    Basculer(f->Opt_nbPerf[2]);
    Cliquer(f->Cmd_option[1]);
    QCOMPARE(c.ihm.messages(),
             QStringList {"La valeur personnalisée du nombre de performances affichées doit être remplie."});
    QVERIFY(f->Cmd_option[1]->isEnabled() && !f->cmd[0]->isEnabled());
    Taper(f->txt_nb_perf, "3x");
    QCOMPARE(f->txt_nb_perf->text(), QString("3"));
    Cliquer(f->Cmd_option[1]);
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).filter(":").filter("|"),
             QStringList({"1:00.00|Paris|1 janvier 2001|25| ", "1:01.00|Caen|1 mars 2003|25| ",
                          "1:03.00|Rouen|1 octobre 2003|25| "}));
    // "&Annuler" puts the remembered options back.
    Cliquer(f->Cmd_option[0]);
    Basculer(f->Opt_nbPerf[0]);
    Cliquer(f->Cmd_option[2]);
    QVERIFY(f->Opt_nbPerf[2]->isChecked());
    QVERIFY(f->cmd[2]->isEnabled());
    f->close();
}

// A stored time that cannot be swum keeps its sign, on screen and on paper, and is never the best,
// not even of an event where it is the swimmer's only time.
void TestViewPerf::tempsNegatifJamaisMeilleur()
{
    ContextePerfs c;
    Remplir(c);
    c.perf(11, 52, "20040105", "-0.5", "Lyon", 0, 5);
    c.perf(11, 61, "20040106", "-0.4", "Nice", 0, 6);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Cocher(f, "DUPONT");
    Options(f, [&] {
        Basculer(f->Opt_saison[2]);
        Basculer(f->Opt_tri[1]);
        Basculer(f->Opt_nbPerf[1]);
    });
    QCOMPARE(f->Opt_nbPerf[1]->text(), QString("Meilleure"));
    Cliquer(f->cmd[0]);
    QStringList lignes = Lignes(f);
    QVERIFY2(lignes.contains("1:00.00|Paris|1 janvier 2001|25| "), qPrintable(lignes.join('\n')));
    QVERIFY(lignes.filter("Lyon").isEmpty());
    QVERIFY2(lignes.filter("Nice").isEmpty() && !lignes.contains("# Messieurs 50 Dos"), qPrintable(lignes.join('\n')));
    // "Personnalisé" counts real times only.
    Options(f, [&] {
        Basculer(f->Opt_nbPerf[2]);
        Taper(f->txt_nb_perf, "9");
    });
    Cliquer(f->cmd[0]);
    lignes = Lignes(f);
    QVERIFY2(lignes.filter("Lyon").isEmpty() && lignes.filter("Nice").isEmpty(), qPrintable(lignes.join('\n')));
    QCOMPARE(lignes.filter("|").size(), 5);

    Options(f, [&] { Basculer(f->Opt_nbPerf[0]); });
    Cliquer(f->cmd[0]);
    lignes = Lignes(f);
    const qsizetype lyon = lignes.indexOf("-50.00|Lyon|5 janvier 2004|25| ");
    QVERIFY2(lyon > 0, qPrintable(lignes.join('\n')));
    QCOMPARE(lignes[lyon - 1], QString("1:05.00|Lille|10 janvier 2004|25| "));
    QCOMPARE(lignes.mid(lyon + 1), QStringList({"# Messieurs 50 Dos", "-40.00|Nice|6 janvier 2004|25| "}));

    const QString pdf = c.base.repertoire().fichier("negatif.pdf");
    c.ihm.repondreImprimante(true, pdf);
    Cliquer(f->cmd[2]);
    QCOMPARE(c.ihm.messages(), QStringList());
    QStringList imprimees = Texte_pdf(pdf, 6);
    for (QString& l : imprimees)
        l = l.trimmed();
    QCOMPARE(imprimees.filter(QRegularExpression("^-50\\.00   Lyon +5 janvier 2004 +25")).size(), 1);
    QVERIFY(imprimees.filter(QRegularExpression("^50\\.00 ")).isEmpty());
    f->close();
}

void TestViewPerf::tempsIntermediairesEtRelais()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Cocher(f, "DUPONT");
    Options(f, [&] {
        Basculer(f->Chk_tps_inter);
        Basculer(f->Chk_codif);
    });
    QCOMPARE(f->LsvPerf->headerItem()->text(8), QString("Relais"));
    QCOMPARE(f->LsvPerf->headerItem()->text(9), QString("Inter"));
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).mid(0, 4), QStringList({"# DUPONT Jean", "# Messieurs 50 NL",
                                               "29.00|Lille|2 février 2004|25| | | | | |X",
                                               "30.00|Lille|1 février 2004|25| | | | |X| "}));
    Options(f, [&] {
        Basculer(f->Chk_tps_relais);
        Basculer(f->Chk_codif);
    });
    QCOMPARE(f->LsvPerf->columnCount(), 5);
    QCOMPARE(f->LsvPerf->headerItem()->text(4), QString("Inter"));
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).mid(0, 3), QStringList({"# DUPONT Jean", "# Messieurs 50 NL", "29.00|Lille|2 février 2004|25|X"}));
    QVERIFY(Lignes(f).filter("30.00").isEmpty());
    f->close();
}

void TestViewPerf::uniquementLaSelection()
{
    ContextePerfs c;
    Remplir(c);
    c.perf(11, 52, "20040105", "1.0400", "Sélection", 0, 20, selection);
    strCodeClub = selection;
    strNomClub = "Sélection";
    bClubSelection = true;
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    QVERIFY(!f->Chk_selection->isHidden());
    QCOMPARE(Nombre_lignes(f->LsvNageur), 2); // DUBOIS and DUPONT are in the selection
    QCOMPARE(Ligne(f->LsvNageur, 2)->text(3), QString("Club A"));
    Cocher(f, "DUPONT");
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f).first(), QString("# DUPONT Jean (Club A)"));
    QCOMPARE(Lignes(f).filter("|").size(), 4);
    Options(f, [&] { Basculer(f->Chk_selection); });
    Cliquer(f->cmd[0]);
    QCOMPARE(Lignes(f), QStringList({"# DUPONT Jean (Club A)", "# Messieurs 100 NL", "1:04.00|Sélection|5 janvier 2004|25| "}));
    f->close();
}

void TestViewPerf::suppressionDUneCompetition()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Cocher(f, "DUPONT");
    Cliquer(f->cmd[0]);
    QVERIFY(!f->cmd[4]->isEnabled());
    f->LsvPerf->setCurrentItem(Ligne(f->LsvPerf, 1)); // a heading: nothing to delete
    QVERIFY(!f->cmd[4]->isEnabled());
    Choisir_ligne(f, "1:03.00", "Rouen");
    c.ihm.effacer();
    c.ihm.repondre(Reponse::Non);
    Cliquer(f->cmd[4]);
    QCOMPARE(c.ihm.appels()[0].texte,
             QString("Supprimer toutes les performances liées à la compétition suivante ?\r\n\r\n"
                     "Nom compétition : Meeting de Rouen\r\nDate de début : 20031001\r\n\r\n"
                     "Attention ! Cette suppression s'applique à tous les nageurs de la base,\r\n"
                     "sans tenir compte du profil en cours d'utilisation."));
    QVERIFY(c.ihm.appels()[0].style & Style::DefautBouton2);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 5"), QString("3"));
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->cmd[4]);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 5"), QString("0"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn_relais WHERE Num_compet = 5"), QString("0"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn"), QString("6"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn_relais"), QString("1"));
    QVERIFY(Lignes(f).filter("Rouen").isEmpty()); // shown again
    f->close();
}

void TestViewPerf::suppressionDUneLigne()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Options(f, [&] { Basculer(f->Opt_saison[2]); });
    Cocher(f, "DUPONT");
    Cliquer(f->cmd[0]);

    // A manual row: that row only, not the manual relay of the same number.
    Choisir_ligne(f, "1:05.00", "Lille");
    c.ihm.effacer();
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->cmd[4]);
    QCOMPARE(c.ihm.appels()[0].texte, QString("Supprimer la performance ?"));
    QVERIFY(c.ihm.appels()[0].style & Style::DefautBouton2);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 0 AND NumManuel = 1"), QString("0"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn_relais WHERE NumManuel = 1"), QString("1"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn"), QString("8"));

    // A row of a meet that is gone shares its numbers with another swimmer's row: his stays.
    Choisir_ligne(f, "1:01.00", "Caen");
    c.ihm.repondre(Reponse::Non);
    Cliquer(f->cmd[4]);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 9"), QString("2"));
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->cmd[4]);
    QCOMPARE(Lignes_requete("SELECT Num_Lic, Lieu FROM Liffn WHERE Num_compet = 9"), QStringList {"12|Caen"});

    // A manual relay: the individual row of the same number stays.
    c.perf(11, 52, "20040105", "1.0400", "Manuel", 0, 1);
    Cocher(f, "Relais");
    Cliquer(f->cmd[0]);
    Choisir_ligne(f, "2:00.00", "Lille (Equipe n° 2)");
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->cmd[4]);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn_relais WHERE Num_compet = 0"), QString("0"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 0 AND NumManuel = 1"), QString("1"));

    // "Effacer": nothing ticked, nothing listed.
    Cliquer(f->cmd[5]);
    QCOMPARE(Nombre_lignes(f->LsvPerf), 0);
    QCOMPARE(f->Cbo_search_nageurs->count(), 0);
    f->close();
}

void TestViewPerf::impressionPdfEtSauvegardes()
{
    ContextePerfs c;
    Remplir(c);
    QPointer<frm_view_perf> f;
    Ouvrir_frm_view_perf(f);
    Options(f, [&] {
        Basculer(f->Opt_saison[2]);
        Basculer(f->Chk_codif);
    });
    Cocher(f, "DUPONT");
    Cocher(f, "Relais");
    Cliquer(f->cmd[0]);
    QCOMPARE(f->Cbo_search_nageurs->count(), 2);
    f->Cbo_search_nageurs->setCurrentIndex(1);
    emit f->Cbo_search_nageurs->activated(1);
    QCOMPARE(f->LsvPerf->currentItem()->text(1), QString("Relais"));
    QCOMPARE(f->Cbo_search_epreuve->itemText(0), QString("Dames 4 x 50 m N.L."));
    Capturer(f, "frm_view_perf");

    // A cancelled printer dialog: nothing printed, nothing said.
    c.ihm.effacer();
    c.ihm.repondreImprimante(false);
    Cliquer(f->cmd[2]);
    QCOMPARE(c.ihm.messages(), QStringList());

    const QString pdf = c.base.repertoire().fichier("sperf.pdf");
    c.ihm.repondreImprimante(true, pdf);
    Cliquer(f->cmd[2]);
    QCOMPARE(c.ihm.messages(), QStringList());
    QVERIFY(QFile::exists(pdf));
    if (!QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf, QV_BINARY_DIR "/captures/sperf"});
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext absent: the printed layout is not checked");
    // The lines are written in 10-point Courier: 6 points a character.
    const QStringList lignes = Texte_pdf(pdf, 6);
    auto ligne = [&](const QString& debut) {
        for (const QString& l : lignes) {
            if (l.trimmed().startsWith(debut))
                return l.trimmed();
        }
        return QString();
    };
    QVERIFY(!ligne("Club A").isEmpty());
    QVERIFY(!ligne("Mise à jour du 15 septembre 2004").isEmpty());
    QVERIFY(!ligne("DUPONT Jean").isEmpty());
    QVERIFY(!ligne("Messieurs 100 NL").isEmpty());
    // Time 8, place 36, date 17, pool 2, the levels joined by "/" and the relay leg, each after a blank.
    QCOMPARE(ligne("30.00"), QString("30.00    %1 %2 25  / / /  R").arg(QString("Lille").leftJustified(36),
                                                                          QString("1 février 2004").leftJustified(17)));
    QCOMPARE(ligne("1:05.00"), QString("1:05.00  %1 %2 25  / / /").arg(QString("Lille").leftJustified(36),
                                                                         QString("10 janvier 2004").leftJustified(17)));
    QCOMPARE(ligne("2:00.00").mid(9, 37), QString("Lille (Equipe n° 2)").leftJustified(37));
    QVERIFY(!ligne("Légende").isEmpty());
    QVERIFY(!ligne(". N : codification nationale").isEmpty());
    QVERIFY(!ligne("- Temps réalisé lors d'un relais : R ou rien").isEmpty());
    QVERIFY(ligne("- Temps intermédiaire").isEmpty());

    // The text save: the list as it stands, tab-separated.
    const QString txt = c.base.repertoire().fichier("suivi.txt");
    c.ihm.repondreFichier(txt, 1);
    Cliquer(f->cmd[3]);
    QFile fichier(txt);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QStringList texte = QString::fromLatin1(fichier.readAll()).split("\r\n");
    QCOMPARE(texte[0], QString("Temps\tLieu\tDate\tBassin\tCodif F\tCodif I\tCodif R\tCodif D\tRelais"));
    QCOMPARE(texte[1], QString(" \tDUPONT Jean\t \t \t \t \t \t \t "));
    QVERIFY(texte.contains("1:05.00\tLille\t10 janvier 2004\t25\t \t \t \t \t "));
    QVERIFY(texte.contains("30.00\tLille\t1 février 2004\t25\t \t \t \t \tX"));
    // Cancelled, nothing; the rich-text save.
    c.ihm.repondreFichier(QString());
    Cliquer(f->cmd[3]);
    const QString rtf = c.base.repertoire().fichier("suivi.rtf");
    c.ihm.repondreFichier(rtf, 2);
    Cliquer(f->cmd[3]);
    QFile frtf(rtf);
    QVERIFY(frtf.open(QIODevice::ReadOnly));
    QVERIFY(frtf.readAll().contains("Chaque ligne comprend"));
    QCOMPARE(c.ihm.messages(), QStringList());
    f->close();
}

QTEST_MAIN(TestViewPerf)
#include "tst_view_perf.moc"
