// The points component (LEN formula and its inverse, the national table file), the points
// calculator window, the interclub estimate printed to PDF and the LEN reference times.

#include "core/base.h"
#include "core/composants.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/rapport.h"
#include "core/temps.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "pdf_texte.h"
#include "port_test.h"
#include "records_points/calcul_points.h"
#include "records_points/frm_calpts.h"
#include "records_points/frm_defreflen.h"
#include "records_points/frm_pts_inter.h"
#include "shell/frm_principal.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

namespace {

void Ecrire(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

// Women's 100 m freestyle (code 2) and men's 4 x 100 m freestyle relay (code 94): a few lines
// of a national table.
const QByteArray TableNationale = "Code_nage\tBassin\tPoints\tTemps\n"
                                  "2\t50\t1000\t0.5900\n"
                                  "2\t50\t1001\t0.5899\n"
                                  "2\t50\t1100\t0.5700\n"
                                  "2\t25\t1100\t0.5600\n"
                                  "52\t50\t800\t0.5600\n"
                                  "52\t50\t900\t0.5300\n"
                                  "94\t25\t500\t4.0000\n";

void Taper(QWidget* w, const QString& texte)
{
    w->setFocus();
    QTest::keyClicks(w, texte);
}

void Entree(QWidget* w)
{
    QTest::keyClick(w, Qt::Key_Return, Qt::NoModifier);
}

} // namespace

class TstPoints : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void init() { Composants::retirer_tout(); }
    void len_data();
    void len();
    void lenInverseRedonneLesPoints();
    void tableNationale();
    void tableAbsenteOuMalformee_data();
    void tableAbsenteOuMalformee();
    void calculatrice();
    void calculatriceSansComposant();
    void calculatriceTailles();
    void estimationInterclubs();
    void estimationSansEquipe();
    void referencesLen();
};

void TstPoints::len_data()
{
    QTest::addColumn<double>("temps");
    QTest::addColumn<double>("reference");
    QTest::addColumn<int>("points");
    QTest::newRow("égal à la référence") << 1.0000 << 1.0000 << 1000;
    QTest::newRow("10 % plus lent") << 1.0600 << 1.0000 << 751; // 1000 / 1.1^3 = 751.3
    QTest::newRow("plus rapide") << 0.5500 << 1.0000 << 1298;
    QTest::newRow("record du 100 NL messieurs") << 0.4640 << 0.4640 << 1000;
    QTest::newRow("sans référence") << 1.0000 << 0.0 << 0;
    QTest::newRow("sans temps") << 0.0 << 1.0000 << 0;
    QTest::newRow("plus de quatre chiffres") << 0.0500 << 1.0000 << 0;
}

void TstPoints::len()
{
    QFETCH(double, temps);
    QFETCH(double, reference);
    QFETCH(int, points);
    auto calcul = Composants::creer("PointsCalculator");
    QVERIFY(calcul);
    QCOMPARE(calcul->appeler("intCalculPointLEN", {temps, reference}).toInt(), points);
}

void TstPoints::lenInverseRedonneLesPoints()
{
    auto calcul = Composants::creer("PointsCalculator");
    QVERIFY(calcul);
    for (double reference : {0.2091, 0.5713, 2.0548, 15.2048}) {
        for (int p : {1, 2, 100, 500, 751, 999, 1000, 1001, 1200, 5000}) {
            const QString t = calcul->appeler("strCalculTpsLEN", {double(p), reference}).toString();
            QVERIFY2(!t.isEmpty(), qPrintable(QString::number(p)));
            // Worth the points (or the next value a short event reaches: near the reference one
            // hundredth can be worth more than one point), and one hundredth slower is worth
            // fewer: the slowest such time.
            const int retour = calcul->appeler("intCalculPointLEN", {t.toDouble(), reference}).toInt();
            QVERIFY(retour >= p);
            if (reference > 1)
                QCOMPARE(retour, p);
            const QString plusLent = Centiemes_en_temps(Temps_en_centiemes(t) + 1);
            QVERIFY(calcul->appeler("intCalculPointLEN", {plusLent.toDouble(), reference}).toInt() < p);
        }
    }
    QCOMPARE(calcul->appeler("strCalculTpsLEN", {1000.0, 1.0}).toString(), QString("1.0000"));
    QCOMPARE(calcul->appeler("strCalculTpsLEN", {0.0, 1.0}).toString(), QString());
    QCOMPARE(calcul->appeler("strCalculTpsLEN", {500.0, 0.0}).toString(), QString());
    QCOMPARE(calcul->appeler("strCalculTpsLEN", {10000.0, 1.0}).toString(), QString());
}

void TstPoints::tableNationale()
{
    RepertoireTest rep;
    PortIhmTest ihm;
    Ecrire(Chemin_table_points(), TableNationale);
    auto calcul = Creer_calculateur_points();
    QVERIFY(calcul);
    QVERIFY(ihm.appels().empty());
    const auto points = [&](int code, double t) { return calcul->appeler("CalculPoint", {code, t}).toInt(); };
    const auto temps = [&](int code, double p) { return calcul->appeler("CalculTps", {code, p}).toString(); };
    // The 50 m lines serve when the event has them; a time between two lines gets the lower.
    QCOMPARE(points(2, 0.5900), 1000);
    QCOMPARE(points(2, 0.5850), 1001);
    QCOMPARE(points(2, 0.5700), 1100);
    QCOMPARE(points(2, 0.5600), 1100);
    QCOMPARE(points(2, 1.0000), 0);
    QCOMPARE(points(3, 0.5900), 0); // no line for the event
    QCOMPARE(points(94, 3.5900), 500); // a relay, only on 25 m lines
    QCOMPARE(temps(2, 1000), QString("0.5900"));
    QCOMPARE(temps(2, 1050), QString("0.5700"));
    QCOMPARE(temps(2, 1101), QString());
    QCOMPARE(temps(52, 850), QString("0.5300"));
    QCOMPARE(temps(2, 0), QString());
}

void TstPoints::tableAbsenteOuMalformee_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("message");
    QTest::newRow("absente") << QByteArray() << QString();
    QTest::newRow("colonne manquante") << QByteArray("Code_nage\tBassin\tPoints\n2\t50\t1000\n") << "Temps";
    QTest::newRow("bassin") << QByteArray("Code_nage\tBassin\tPoints\tTemps\n2\t33\t1000\t0.5900\n")
                            << "ligne 2, bassin invalide (33)";
    QTest::newRow("temps") << QByteArray("Code_nage\tBassin\tPoints\tTemps\n2\t50\t1000\t0.5900\n2\t50\t1001\t0.7500\n")
                           << "ligne 3, temps invalide (0.7500)";
    QTest::newRow("points deux fois")
        << QByteArray("Code_nage\tBassin\tPoints\tTemps\n2\t50\t1000\t0.5900\n2\t50\t1000\t0.5800\n")
        << "ligne 3, points 1000 déjà donnés";
    QTest::newRow("plus de points plus lent")
        << QByteArray("Code_nage\tBassin\tPoints\tTemps\n2\t50\t1000\t0.5900\n2\t50\t1001\t0.5901\n")
        << "ne diminuent pas";
}

void TstPoints::tableAbsenteOuMalformee()
{
    QFETCH(QByteArray, contenu);
    QFETCH(QString, message);
    RepertoireTest rep;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    if (!contenu.isEmpty())
        Ecrire(Chemin_table_points(), contenu);
    auto calcul = Creer_calculateur_points();
    QVERIFY(calcul);
    if (message.isEmpty()) {
        QVERIFY(ihm.messages().isEmpty());
    } else {
        QCOMPARE(ihm.messages().size(), 1);
        QVERIFY2(ihm.messages().first().startsWith("Table de cotation table_points.txt refusée"),
                 qPrintable(ihm.messages().first()));
        QVERIFY2(ihm.messages().first().contains(message), qPrintable(ihm.messages().first()));
    }
    // Nothing of a refused table is used.
    QCOMPARE(calcul->appeler("CalculPoint", {2, 0.5900}).toInt(), 0);
    QCOMPARE(calcul->appeler("CalculTps", {2, 1000.0}).toString(), QString());
}

void TstPoints::calculatrice()
{
    BaseTest base;
    PortIhmTest ihm;
    Ecrire(Chemin_table_points(), TableNationale);
    QPointer<frm_calpts> fenetre;
    Ouvrir_fenetre(fenetre, Ouverture());
    QVERIFY(fenetre);
    frm_calpts& f = *fenetre;
    QCOMPARE(Fenetre_ouverte(), true);
    QVERIFY(Nombre_lignes(f.LsvNage) > 60);

    const auto choisir = [&](const QString& code) {
        const int i = Chercher_element(code, f.LsvNage, 0, 1, 1);
        QVERIFY(i > 0);
        Selectionner_element(f.LsvNage, i);
    };
    // National table: women's 100 m freestyle.
    choisir("2");
    Taper(f.Txt_Time[0], "0.585");
    Entree(f.Txt_Time[0]);
    QCOMPARE(f.lblPtsCal->text(), QString("1001"));
    Taper(f.Txt_pts[0], "1100");
    Entree(f.Txt_pts[0]);
    QCOMPARE(f.lblTpsCal->text(), Temps_affichage(QString("0.5700")));
    Taper(f.Txt_pts[0], "9"); // 11009 cannot be typed: four digits
    QCOMPARE(f.Txt_pts[0]->text(), QString("1100"));
    // Choosing the current event again keeps what was typed.
    choisir("2");
    QCOMPARE(f.lblPtsCal->text(), QString("1001"));

    // A table between two points ends at the first value the table cannot give.
    Taper(f.Txt_pts[1], "1099");
    Taper(f.Txt_pts[2], "1105");
    Entree(f.Txt_pts[1]); // Return in a bound box converts nothing
    QCOMPARE(Nombre_lignes(f.LsvTable), 0);
    f.Cmd_TablePts->click();
    QCOMPARE(Nombre_lignes(f.LsvTable), 2);
    QCOMPARE(f.LsvTable->headerItem()->text(0), QString("Points"));
    QCOMPARE(Ligne(f.LsvTable, 2)->text(0), QString("1100"));

    // Equal bounds are an interval error.
    ihm.repondre(1);
    f.Txt_pts[2]->setText("1099");
    f.Cmd_TablePts->click();
    QCOMPARE(ihm.messages().last(), QString("Erreur dans la saisie de l'interval de points."));

    // LEN table: an event without reference leaves the four commands disabled.
    f.Opt_codif_1->click();
    QVERIFY(f.Cmd_calpts->isEnabled()); // women's 100 m freestyle has its reference
    QCOMPARE(f.tempsReference(), 0.5171);
    choisir("0"); // women's 25 m freestyle: none
    QVERIFY(!f.Cmd_calpts->isEnabled() && !f.Cmd_caltps->isEnabled() && !f.Cmd_TableTps->isEnabled()
            && !f.Cmd_TablePts->isEnabled());
    choisir("52");
    Taper(f.Txt_Time[0], "0.464");
    Entree(f.Txt_Time[0]);
    QCOMPARE(f.lblPtsCal->text(), QString("1000"));
    // A table between two times runs from the slower time's points to the faster's.
    Taper(f.Txt_Time[1], "0.4640");
    Taper(f.Txt_Time[2], "0.47");
    f.Cmd_TableTps->click();
    QCOMPARE(f.LsvTable->headerItem()->text(0), QString("Temps"));
    QVERIFY(Nombre_lignes(f.LsvTable) > 10);
    QVERIFY(Ligne(f.LsvTable, 1)->text(1).toInt() < Ligne(f.LsvTable, Nombre_lignes(f.LsvTable))->text(1).toInt());
    QCOMPARE(Ligne(f.LsvTable, Nombre_lignes(f.LsvTable))->text(1), QString("1000"));
    // The men's 1500 m freestyle: the long-course world record at the end of 2024, 14:30.67.
    choisir("56");
    QCOMPARE(f.tempsReference(), 14.3067);
    Taper(f.Txt_Time[0], "14.3067");
    Entree(f.Txt_Time[0]);
    QCOMPARE(f.lblPtsCal->text(), QString("1000"));

    // Back to the national table: an event the file does not hold.
    f.Opt_codif_0->click();
    choisir("3");
    Taper(f.Txt_Time[0], "1.5");
    f.Cmd_calpts->click();
    QCOMPARE(f.lblPtsCal->text(), QString("Non Dispo"));
    Taper(f.Txt_pts[1], "1");
    Taper(f.Txt_pts[2], "5");
    f.Cmd_TablePts->click();
    QCOMPARE(Nombre_lignes(f.LsvTable), 1);
    QCOMPARE(Ligne(f.LsvTable, 1)->text(0), QString("Non Dispo"));

    QDir().mkpath(QV_BINARY_DIR "/captures");
    f.grab().save(QV_BINARY_DIR "/captures/frm_calpts.png");
    f.Cmd_quit->click();
    Traiter_evenements();
    QVERIFY(!fenetre);
    QCOMPARE(Fenetre_ouverte(), false);
}

void TstPoints::calculatriceSansComposant()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Composants::enregistrer("PointsCalculator", {});
    QPointer<frm_calpts> fenetre;
    Ouvrir_fenetre(fenetre, Ouverture());
    QCOMPARE(ihm.messages(), QStringList{"Impossible de charger la dll qv_points.so !"});
    QVERIFY(Nombre_lignes(fenetre->LsvNage) > 0);
    QVERIFY(!fenetre->Cmd_calpts->isEnabled() && !fenetre->Cmd_TablePts->isEnabled());
    fenetre->Opt_codif_0->click();
    QVERIFY(!fenetre->Cmd_caltps->isEnabled());
    fenetre->close();
    Traiter_evenements();
}

// In the main window, the "Table" tab makes the window taller, to its full height and back;
// the bound boxes show what is typed in them whole.
void TstPoints::calculatriceTailles()
{
    BaseTest base;
    PortIhmTest ihm;
    FrmPrincipal principale;
    principale.resize(1200, 1000);
    principale.show();
    QPointer<frm_calpts> fenetre;
    Ouvrir_fenetre(fenetre, Ouverture());
    frm_calpts& f = *fenetre;
    QWidget* cadre = Cadre_fenetre(&f);
    QVERIFY(cadre != &f);
    QCOMPARE(cadre->height(), 7140 / 15);
    QTabBar* onglets = f.SSTab1->tabBar();
    QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(1).center());
    QCOMPARE(f.SSTab1->currentIndex(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(cadre->height(), 11295 / 15, 5000);
    QTRY_VERIFY(!f.Timer1.isActive());
    QCOMPARE(cadre->height(), 11295 / 15);

    for (QLineEdit* boite : {f.Txt_Time[1], f.Txt_Time[2], f.Txt_pts[1], f.Txt_pts[2]}) {
        const QString texte = boite == f.Txt_pts[1] || boite == f.Txt_pts[2] ? "1000" : "0.4700";
        Taper(boite, texte);
        QCOMPARE(boite->text(), texte);
        // From its first character to its last, the text lies inside the box.
        QTest::keyClick(boite, Qt::Key_End);
        const QRect fin = boite->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QTest::keyClick(boite, Qt::Key_Home);
        const QRect debut = boite->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QVERIFY2(fin.x() - debut.x() >= boite->fontMetrics().horizontalAdvance(texte) && fin.right() <= boite->width(),
                 qPrintable(boite->objectName() + " " + QString::number(boite->width())));
    }
    QDir().mkpath(QV_BINARY_DIR "/captures");
    f.grab().save(QV_BINARY_DIR "/captures/frm_calpts_table.png");

    QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(0).center());
    QTRY_COMPARE_WITH_TIMEOUT(cadre->height(), 7140 / 15, 5000);
    QTRY_VERIFY(!f.Timer1.isActive());
    f.close();
    Traiter_evenements();
}

namespace {

struct Interclub {
    BaseTest base;
    PortIhmTest ihm;
    QString compet;
    Interclub()
    {
        ihm.accepterMessagesOk(true);
        strNumProfil = "1";
        Ecrire(Chemin_table_points(), TableNationale);
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
                      "('1', 'I', 'Interclubs régionaux', '20270115', '20270116', 'Rennes', 25, 0, 1)");
        compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
        // Held, hidden or of another type: not offered.
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Deroule, Visible) VALUES ('2', 'I', 'Passée', 1, 1)");
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Deroule, Visible) VALUES ('3', 'I', 'Cachée', 0, 0)");
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Deroule, Visible) VALUES ('4', 'N', 'Meeting', 0, 1)");
    }
    QString licence(const QString& nom, const QString& prenom, const QString& sexe) const
    {
        base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                              "VALUES ('C', '1', '%1', '%2', '%3', '20000101', 1)")
                          .arg(nom, prenom, sexe));
        return base.valeur("SELECT max(Num) FROM Licence");
    }
    void engager(const QString& lic, int code, int equipe, bool mixte, const QString& temps) const
    {
        base.executer(QString("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, "
                              "Equipe_mixte, Tps_engagement) VALUES (%1, 1, %2, %3, %4, %5, %6)")
                          .arg(compet)
                          .arg(code)
                          .arg(lic)
                          .arg(equipe)
                          .arg(mixte ? 1 : 0)
                          .arg(temps));
    }
    void relais(int code, int ordinal, int equipe, bool mixte, const QString& temps) const
    {
        base.executer(QString("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, "
                              "Equipe_mixte, Tps) VALUES (1, %1, %2, %3, %4, %5, %6)")
                          .arg(compet)
                          .arg(code)
                          .arg(ordinal)
                          .arg(equipe)
                          .arg(mixte ? 1 : 0)
                          .arg(temps));
    }
};

} // namespace

void TstPoints::estimationInterclubs()
{
    const auto Total = [](int n) { return "TOTAL POINTS :" + QString(41, ' ') + QString::number(n).rightJustified(5); };
    Interclub ic;
    ic.base.executer("INSERT INTO Engag_equipe (Num_compet, Num_profil, Eq_Homme, Eq_Femme, Eq_Mixte) VALUES (" + ic.compet
                     + ", 1, 1, 2, 1)");
    const QString lea = ic.licence("MARTIN", "Léa", "F");
    const QString zoe = ic.licence("DURAND-DE-LA-VILLARDIERE-SUR-MER", "Zoé", "F");
    const QString hugo = ic.licence("PETIT", "Hugo", "M");
    ic.engager(lea, 2, 1, false, "0.5850");  // 1001
    ic.engager(zoe, 2, 1, false, "0.5700");  // 1100, same event: one label
    ic.engager(hugo, 52, 1, false, "0.5300"); // 900
    ic.engager(hugo, 53, 1, false, "2.0000"); // not in the table: 0, adds nothing
    ic.relais(94, 1, 1, false, "3.5900");    // 500, doubled in the total
    ic.engager(lea, 2, 1, true, "0.5900");   // mixed team: 1000
    ic.engager(hugo, 52, 1, true, "0.5600"); // 800
    ic.relais(43, 1, 1, true, "1.5000");     // mixed whatever the event's sex; not valued: 0

    QPointer<frm_PtsInter> fenetre;
    Ouvrir_points_equipes(fenetre);
    frm_PtsInter& f = *fenetre;
    QCOMPARE(Nombre_lignes(f.lsv_compet), 1);
    QCOMPARE(Ligne(f.lsv_compet, 1)->text(1), QString("Interclubs régionaux"));
    QVERIFY(f.cmd_0->isEnabled() && !f.cmd_2->isEnabled());
    f.Chk_relais->setChecked(true);
    f.cmd_0->click();
    QVERIFY(f.cmd_2->isEnabled());
    QVERIFY(ic.ihm.messages().isEmpty());

    const QStringList lignes = f.Rich->texte().split(QRegularExpression("\r\n|\r|\n|\u2029"));
    const QStringList attendu = {
        "Equipe 1 Masculine",
        "",
        "Messieurs 100 NL",
        "PETIT                     Hugo                    53.00  900",
        "",
        "Messieurs 200 NL",
        "PETIT                     Hugo                  2:00.00    0",
        "",
        "Messieurs 4 x 100 m N.L.",
        QString("Equipe n° 1").leftJustified(46) + "  3:59.00  500",
        Total(1900),
        "",
        "Equipe 1 Feminine",
        "",
        "Dames 100 NL",
        "MARTIN                    Léa                     58.50 1001",
        "DURAND-DE-LA-VILLARDIERE- Zoé                     57.00 1100",
        Total(2101),
        "",
        "Equipe 2 Feminine",
        Total(0),
        "",
        "Equipe 1 Mixte",
    };
    for (int i = 0; i < attendu.size(); ++i)
        QCOMPARE(lignes.value(i), attendu[i]);
    // Every line of a team is sixty characters wide.
    for (const QString& l : lignes)
        if (l.startsWith("TOTAL") || l.contains(QRegularExpression("\\d$")))
            QVERIFY2(l.size() == 60, qPrintable(l));
    QVERIFY(lignes.contains(Total(1800)));
    QVERIFY(lignes.contains("Dames 4 x 50 m N.L."));
    // At the opening size every sixty-character line shows whole, on one line, its columns
    // under each other: each ends at the same place, inside the box.
    Traiter_evenements();
    QSet<int> fins;
    for (QTextBlock b = f.Rich->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text().size() != 60)
            continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::EndOfBlock);
        const QRect fin = f.Rich->cursorRect(c);
        QCOMPARE(fin.y(), f.Rich->cursorRect(QTextCursor(b)).y());
        QVERIFY2(fin.x() <= f.Rich->viewport()->width(), qPrintable(b.text()));
        fins << fin.x();
    }
    QCOMPARE(fins.size(), 1);

    // Printed: the template filled, the estimate after it, the columns as on screen.
    QDir().mkpath(QV_BINARY_DIR "/captures");
    const QString pdf = QV_BINARY_DIR "/captures/interclubs.pdf";
    ic.ihm.repondreImprimante(true, pdf);
    f.cmd_2->click();
    const QStringList entete = Texte_pdf(pdf);
    QVERIFY2(entete.filter("Interclubs régionaux").size() == 1, qPrintable(entete.join('\n')));
    QCOMPARE(entete.filter("15/01 - 16/01/2027 - Rennes - Bassin de 25 m").size(), 1);
    // The estimate's lines in 10-point Courier, column for column (the team headings are larger).
    QStringList texte = Texte_pdf(pdf, 6);
    for (QString& l : texte)
        l = l.trimmed();
    for (const QString& l : lignes)
        if (!l.contains(QRegularExpression("^Equipe \\d")))
            QVERIFY2(texte.contains(l.trimmed()), qPrintable(l));
    QVERIFY(!frm_tempo_rapport_charge());
    f.grab().save(QV_BINARY_DIR "/captures/frm_PtsInter.png");

    // A cancelled printer stops silently.
    ic.ihm.repondreImprimante(false);
    f.cmd_2->click();
    QVERIFY(ic.ihm.messages().isEmpty());
    QVERIFY(!frm_tempo_rapport_charge());
    f.cmd_1->click();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TstPoints::estimationSansEquipe()
{
    Interclub ic;
    QPointer<frm_PtsInter> fenetre;
    Ouvrir_points_equipes(fenetre);
    QVERIFY(Tous_les_verrous() != Aucun_verrou());
    fenetre->cmd_0->click();
    QCOMPARE(fenetre->Rich->texte().trimmed(), QString("AUCUNE EQUIPE ENGAGEE"));
    QVERIFY(!fenetre->cmd_2->isEnabled());
    ic.base.executer("INSERT INTO Engag_equipe (Num_compet, Num_profil, Eq_Homme, Eq_Femme, Eq_Mixte) VALUES (" + ic.compet
                     + ", 1, 0, 0, 0)");
    fenetre->cmd_0->click();
    QCOMPARE(fenetre->Rich->texte().trimmed(), QString("AUCUNE EQUIPE ENGAGEE"));
    // Without the component the estimate stops after the message.
    ic.base.executer("UPDATE Engag_equipe SET Eq_Mixte = 1");
    Composants::enregistrer("PointsCalculator", {});
    fenetre->cmd_0->click();
    QCOMPARE(ic.ihm.messages(), QStringList{"Impossible de charger la dll qv_points.so !"});
    QVERIFY(fenetre->Rich->texte().trimmed().isEmpty());
    QVERIFY(!fenetre->cmd_2->isEnabled());
    fenetre->close();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TstPoints::referencesLen()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    const auto ouvrir = [] {
        QPointer<frm_defreflen> f;
        Ouvrir_fenetre(f, Ouverture());
        return f;
    };
    const auto choisir = [](frm_defreflen& f, const QString& code) {
        Selectionner_element(f.LsvNage, Chercher_element(code, f.lsvNageInfo, 0, 0, 1));
    };
    const QString avant = Lignes_requete("SELECT Code_Nage, Ref_len FROM Nage ORDER BY Code_Nage").join(';');

    QPointer<frm_defreflen> f = ouvrir();
    QVERIFY(!Fenetre_ouverte()); // not an open child window: closing the base or quitting goes on
    // Every label shows whole (an item's text has three pixels of margin each side), and so
    // does its time.
    int libelle = 0;
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i)
        libelle = std::max(libelle, f->LsvNage->fontMetrics().horizontalAdvance(Ligne(f->LsvNage, i)->text(0)) + 6);
    QVERIFY2(f->LsvNage->columnWidth(0) >= libelle, qPrintable(QString::number(f->LsvNage->columnWidth(0))));
    QVERIFY(f->LsvNage->columnWidth(0) + f->LsvNage->fontMetrics().horizontalAdvance("15.2048") + 6
            <= f->LsvNage->viewport()->width());
    choisir(*f, "2");
    QCOMPARE(f->lbl_intitule->text(), QString("Dames 100 NL"));
    QCOMPARE(f->lbl_intitule->textFormat(), Qt::PlainText); // a stored label, never markup
    QCOMPARE(f->txt_ref->text(), QString("0.5171"));
    choisir(*f, "0");
    QCOMPARE(f->txt_ref->text(), QString());
    // Two changes, then "&Annuler": nothing written.
    Taper(f->txt_ref, "1.5");
    f->cmd_modif->click();
    choisir(*f, "2");
    f->txt_ref->clear();
    Taper(f->txt_ref, "0.52");
    f->cmd_modif->click();
    f->cmd_1->click();
    Traiter_evenements();
    QVERIFY(!f && !Fenetre_ouverte());
    QCOMPARE(Lignes_requete("SELECT Code_Nage, Ref_len FROM Nage ORDER BY Code_Nage").join(';'), avant);

    // The same event changed twice, then "&Sauvegarder": its last value, as a number.
    f = ouvrir();
    choisir(*f, "0");
    Taper(f->txt_ref, "1.5");
    f->cmd_modif->click();
    QCOMPARE(Ligne(f->LsvNage, Ligne_courante(f->LsvNage))->text(1), QString("1.5000"));
    f->txt_ref->clear();
    Taper(f->txt_ref, "0.1234");
    Entree(f->txt_ref);
    f->cmd_0->click();
    Traiter_evenements();
    QVERIFY(!f);
    QCOMPARE(base.valeur("SELECT Ref_len FROM Nage WHERE Code_Nage = 0"), QString("0,1234"));
    QCOMPARE(base.valeur("SELECT typeof(Ref_len) FROM Nage WHERE Code_Nage = 0"), QString("real"));

    // A failed write is reported, changes nothing and keeps the window open.
    f = ouvrir();
    choisir(*f, "1");
    Taper(f->txt_ref, "9");
    f->cmd_modif->click();
    choisir(*f, "2");
    Taper(f->txt_ref, "9");
    f->cmd_modif->click();
    base.executer("CREATE TRIGGER refus BEFORE UPDATE ON Nage WHEN new.Code_Nage = 2 BEGIN SELECT RAISE(ABORT, 'non'); END");
    f->cmd_0->click();
    Traiter_evenements();
    QVERIFY(f);
    QVERIFY(ihm.messages().last().startsWith("Une erreur s'est produite lors de la mise à jour des références LEN."));
    QCOMPARE(base.valeur("SELECT Ref_len FROM Nage WHERE Code_Nage = 1"), QString("0,2361"));
    f->grab().save(QV_BINARY_DIR "/captures/frm_defreflen.png");
    f->close();
    Traiter_evenements();
}

QTEST_MAIN(TstPoints)
#include "tst_points.moc"
