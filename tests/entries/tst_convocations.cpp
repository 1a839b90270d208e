// The entry slip and the convocation letters printed to PDF and read back column for column,
// the convocation window's options and message formats, a cancelled printer, and the caller
// told when the window closes.

#include "core/base.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/ouvreurs.h"
#include "core/rapport.h"
#include "entries/documents_engag.h"
#include "entries/frm_convocation.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "pdf_texte.h"
#include "port_test.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString club = "FRA1320021234";

QString Captures()
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    return QV_BINARY_DIR "/captures";
}

// A competition with its pool and a two-day programme, thirty swimmers of the club entered in
// individual events (individuals, men's team 1, women's team 1, mixed team 1), and relays.
struct Meeting {
    BaseTest base;
    PortIhmTest ihm;
    JourFixe jour{QDate(2027, 1, 10)};
    QString compet;
    QStringList nageurs; // keys, in name order
    Meeting()
    {
        ihm.accepterMessagesOk(true);
        strNumProfil = "1";
        strCodeClub = club;
        strNomClub = "Cercle des Nageurs d'Azur";
        bClubSelection = false;
        strNumLicenceNulle = Controler_licence_nulle();
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + club + "', 'Cercle des Nageurs d''Azur')");
        base.executer("INSERT INTO Piscine (Nom, Adresse, Code_Postal, Ville, NbCouloir, Bassin) VALUES "
                      "('Piscine Saint-Georges', '12 rue des Bains', '35000', 'Rennes', 8, 50)");
        const QString piscine = base.valeur("SELECT max(Num) FROM Piscine");
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible, Num_Piscine) "
                      "VALUES ('7', 'I', 'Championnats régionaux', '20270213', '20270214', 'Rennes', 50, 0, 1, "
                      + piscine + ")");
        compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
        const int prog[][3] = {{1, 1, 1}, {51, 1, 2}, {3, 2, 1}, {53, 2, 2}, {44, 2, 3}};
        for (const auto& p : prog)
            base.executer(QString("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Type, Nb_finales, Num_ordre) "
                                  "VALUES (%1, %2, %3, 1, 0, %4)")
                              .arg(compet)
                              .arg(p[0])
                              .arg(p[1])
                              .arg(p[2]));
        for (int i = 0; i < 30; ++i) {
            const bool homme = i % 2 == 1;
            base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                                  "VALUES ('%1', '%2', 'NAGEUR%3', 'Prénom%3', '%4', '20050101', 1)")
                              .arg(club)
                              .arg(100000 + i)
                              .arg(i, 2, 10, QChar('0'))
                              .arg(homme ? "M" : "F"));
            const QString cle = base.valeur("SELECT max(Num) FROM Licence");
            nageurs << cle;
            // Individuals for the first ten, then teams 1 by sex, the last five mixed team 1.
            const int equipe = i < 10 ? 0 : 1;
            const bool mixte = i >= 25;
            base.executer(QString("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) "
                                  "VALUES (1, %1, %2, %3, %4)")
                              .arg(compet, cle)
                              .arg(equipe)
                              .arg(mixte || equipe == 0 ? 1 : 0));
            const int code = homme ? 51 : 1;
            engager(cle, code, equipe, mixte, i == 3 ? "0" : "0.3012");
            engager(cle, code + 2, equipe, mixte, "2.1534");
        }
        base.executer("INSERT INTO Engag_equipe (Num_compet, Num_profil, Eq_Homme, Eq_Femme, Eq_Mixte) VALUES (" + compet
                      + ", 1, 1, 1, 1)");
        // Women's team 1 relay with two empty legs, a mixed relay.
        const QString nulle = strNumLicenceNulle;
        relais(44, 1, 1, false, "4.1000", {nageurs[10], nageurs[12], nulle, nageurs[14]});
        relais(15, 1, 1, true, "3.5000", {nageurs[25], nageurs[26], nageurs[27], nageurs[28]});
    }
    void engager(const QString& cle, int code, int equipe, bool mixte, const QString& temps) const
    {
        base.executer(QString("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, "
                              "Equipe_mixte, Tps_engagement) VALUES (%1, 1, %2, %3, %4, %5, %6)")
                          .arg(compet)
                          .arg(code)
                          .arg(cle)
                          .arg(equipe)
                          .arg(mixte ? 1 : 0)
                          .arg(temps));
    }
    void relais(int code, int ordinal, int equipe, bool mixte, const QString& temps, const QStringList& legs) const
    {
        QStringList l = legs;
        while (l.size() < 10)
            l << strNumLicenceNulle;
        base.executer(QString("INSERT INTO Relais VALUES (1, %1, %2, %3, %4, %5, %6, %7)")
                          .arg(compet)
                          .arg(code)
                          .arg(ordinal)
                          .arg(equipe)
                          .arg(mixte ? 1 : 0)
                          .arg(temps, l.join(", ")));
    }
};

// The document's text in 10-point Courier, column for column, each line trimmed at the right.
QStringList Colonnes(const QString& pdf)
{
    QStringList lignes = Texte_pdf(pdf, 6);
    for (QString& l : lignes)
        l = l.trimmed();
    return lignes;
}

// The words printed past the bottom of their page's printed area, 10 mm above its edge (out of
// sight, but in the file).
QStringList Mots_hors_page(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression element("<page width=\"[0-9.]+\" height=\"([0-9.]+)\">|"
                                            "<word xMin=\"[0-9.]+\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>");
    QStringList hors;
    double hauteur = 0;
    for (auto it = element.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty())
            hauteur = m.captured(1).toDouble();
        else if (m.captured(2).toDouble() >= hauteur - 10 / 25.4 * 72)
            hors << m.captured(3);
    }
    return hors;
}

// The personal message typed line after line.
void Taper_message(BoiteRiche* message, int lignes)
{
    message->setFocus();
    QTest::keyClick(message, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(message, Qt::Key_Delete);
    for (int i = 1; i <= lignes; ++i) {
        if (i > 1)
            QTest::keyClick(message, Qt::Key_Return);
        QTest::keyClicks(message, QString("Ligne %1 du message").arg(i));
    }
}

QString Ligne_nageur(int i, const QString& libelle, const QString& temps)
{
    return (QString("NAGEUR%1").arg(i, 2, 10, QChar('0')).leftJustified(25) + " "
            + QString("Prénom%1").arg(i, 2, 10, QChar('0')).leftJustified(20) + " " + QString::number(100000 + i).leftJustified(7) + " "
            + libelle.leftJustified(17) + " " + temps.rightJustified(8));
}

} // namespace

class TstConvocations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void formats_data();
    void formats();
    void bordereau();
    void bordereauTempsNegatif();
    void bordereauSansEngagement();
    void imprimanteAnnulee();
    void convocations();
    void convocationsPleinePage();
    void fenetre();
};

void TstConvocations::formats_data()
{
    QTest::addColumn<QString>("obtenu");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("libellé sans sexe") << Format_libelle_nage("Messieurs 4 x 100 m N.L.", 25, true)
                                       << "4 x 100 m N.L.           ";
    QTest::newRow("libellé coupé") << Format_libelle_nage("Dames 200 4 Nages Extra", 17, false) << "Dames 200 4 Nages";
    QTest::newRow("temps nul") << Format_temps_engag("0") << "        ";
    QTest::newRow("temps") << Format_temps_engag("1.0532") << " 1:05.32";
    QTest::newRow("temps négatif") << Format_temps_engag("-0.1") << "  -10.00";
    QTest::newRow("équipe individuelle") << Format_equipe("0", true) << "";
    QTest::newRow("équipe") << Format_equipe("2", false) << "     2    ";
    QTest::newRow("équipe mixte") << Format_equipe("12", true) << "     12      X";
    QTest::newRow("catégorie individuelle") << Get_categorie_engag("0", true, "M") << "Individuel";
    QTest::newRow("catégorie mixte") << Get_categorie_engag("3", true, "M") << "Mixte";
    QTest::newRow("catégorie homme") << Get_categorie_engag("3", false, "M") << "Homme";
    QTest::newRow("catégorie femme") << Get_categorie_engag("3", false, "F") << "Femme";
}

void TstConvocations::formats()
{
    QFETCH(QString, obtenu);
    QFETCH(QString, attendu);
    QCOMPARE(obtenu, attendu);
}

void TstConvocations::bordereau()
{
    Meeting m;
    const QString pdf = Captures() + "/bordereau.pdf";
    QFile::remove(pdf);
    m.ihm.repondreImprimante(true, pdf);
    Imprimer_bordereau_engag(m.compet);
    QVERIFY(m.ihm.messages().isEmpty());
    QVERIFY(!frm_tempo_rapport_charge());
    const QStringList entete = Texte_pdf(pdf);
    QCOMPARE(entete.filter("Championnats régionaux").size(), 1);
    QCOMPARE(entete.filter("13/02 - 14/02/2027 - Rennes - Bassin de 50 m").size(), 1);
    QCOMPARE(entete.filter("Cercle des Nageurs d'Azur (" + club + ")").size(), 1);
    QCOMPARE(entete.filter("Edité le 10 janvier 2027").size(), 1);

    const QStringList l = Colonnes(pdf);
    // Individual entries: the name once per swimmer under a heading, a zero time left blank.
    const int indiv = static_cast<int>(l.indexOf("Individuel"));
    QVERIFY(indiv > 0);
    QCOMPARE(l[indiv + 1], Ligne_nageur(0, "Dames 50 NL", "30.12"));
    QCOMPARE(l[indiv + 2], (QString(54, ' ') + " " + QString("Dames 200 NL").leftJustified(17) + " " + " 2:15.34").trimmed());
    QVERIFY(l.contains(Ligne_nageur(3, "Messieurs 50 NL", "").trimmed()));
    // Team 1 of each category has its own heading, in the order of the team, mixed flag and sex.
    const int femmes = static_cast<int>(l.indexOf("Equipe 1 Femme"));
    const int hommes = static_cast<int>(l.indexOf("Equipe 1 Homme"));
    const int mixte = static_cast<int>(l.indexOf("Equipe 1 Mixte"));
    QVERIFY(indiv < femmes && femmes < hommes && hommes < mixte);
    QCOMPARE(l[femmes + 1], Ligne_nageur(10, "Dames 50 NL", "30.12"));
    QCOMPARE(l.filter(QRegularExpression("^NAGEUR\\d\\d  ")).size(), 30);

    // Relays: each under its heading, its members listed after it, empty legs left out.
    const int relaisF = static_cast<int>(l.lastIndexOf("Equipe 1 Femme"));
    QVERIFY(relaisF > mixte);
    QCOMPARE(l[relaisF + 1], QString("Dames 4 x 100 m N.L.").leftJustified(30) + " " + QString(6, ' ')
                                 + QString("1").leftJustified(7) + " " + " 4:10.00");
    const QStringList texte = Texte_pdf(pdf);
    const int membres = static_cast<int>(texte.indexOf(QRegularExpression(".*NAGEUR10 Prénom10 \\(100010\\).*")));
    QVERIFY(membres > 0);
    QVERIFY(texte[membres + 1].contains("NAGEUR12 Prénom12 (100012)"));
    QVERIFY(texte[membres + 2].contains("NAGEUR14 Prénom14 (100014)"));
    QVERIFY(texte.filter("<BALISE").isEmpty() && texte.filter("<ENGAG").isEmpty());
    QCOMPARE(l.lastIndexOf("Equipe 1 Mixte") > relaisF, true);
    QVERIFY(Pages_pdf(pdf) >= 1);
}

// An entry time that cannot be swum is printed with its sign, never as a valid time.
void TstConvocations::bordereauTempsNegatif()
{
    Meeting m;
    m.base.executer("UPDATE Engag SET Tps_engagement = -0.1 WHERE Num_Lic = " + m.nageurs[0] + " AND Code_epreuve = 1");
    const QString pdf = Captures() + "/bordereau_negatif.pdf";
    QFile::remove(pdf);
    m.ihm.repondreImprimante(true, pdf);
    Imprimer_bordereau_engag(m.compet);
    const QStringList l = Colonnes(pdf);
    const int indiv = static_cast<int>(l.indexOf("Individuel"));
    QVERIFY(indiv > 0);
    QCOMPARE(l[indiv + 1], Ligne_nageur(0, "Dames 50 NL", "-10.00"));
    QVERIFY(l.filter(QRegularExpression("NAGEUR00 .* 10\\.00$")).isEmpty());
}

void TstConvocations::bordereauSansEngagement()
{
    Meeting m;
    m.base.executer("DELETE FROM Engag");
    m.base.executer("DELETE FROM Relais");
    const QString pdf = Captures() + "/bordereau_vide.pdf";
    m.ihm.repondreImprimante(true, pdf);
    Imprimer_bordereau_engag(m.compet);
    const QStringList l = Texte_pdf(pdf);
    QCOMPARE(l.filter("Championnats régionaux").size(), 1);
    QVERIFY(l.filter("Equipe").isEmpty() && l.filter("Individuel").isEmpty() && l.filter("<").isEmpty());
}

void TstConvocations::imprimanteAnnulee()
{
    Meeting m;
    m.ihm.repondreImprimante(false);
    Imprimer_bordereau_engag(m.compet);
    QCOMPARE(m.ihm.appels().size(), size_t(1));
    QVERIFY(!frm_tempo_rapport_charge());

    QPointer<frm_convocation> f;
    Ouvrir_frm_convocation(f, m.compet, nullptr);
    m.ihm.repondreImprimante(false);
    f->Cmd_1->click();
    QCOMPARE(m.ihm.appels().size(), size_t(2));
    QVERIFY(m.ihm.messages().isEmpty());
    QVERIFY(!frm_tempo_rapport_charge());
    f->close();
    Traiter_evenements();
}

void TstConvocations::convocations()
{
    Meeting m;
    QPointer<frm_convocation> f;
    Ouvrir_frm_convocation(f, m.compet, nullptr);
    QCOMPARE(f->Lsv_nageurs->topLevelItemCount(), 30);
    // Three swimmers: a woman alone, a man in team 1 and a woman of the mixed relay.
    for (int i : {0, 11, 26})
        f->Lsv_nageurs->topLevelItem(i)->setCheckState(0, Qt::Checked);
    // The message: a bold line, an italic centred line.
    f->Rich->setFocus();
    QTest::keyClicks(f->Rich, "Rendez-vous a 8h");
    f->Rich->selectionner(0, 16);
    f->cmd_text[0]->click();
    f->Rich->selectionner(16, 0);
    QTest::keyClick(f->Rich, Qt::Key_Return);
    QTest::keyClicks(f->Rich, "Bonne chance");
    f->Rich->selectionner(17, 12);
    f->cmd_text[1]->click();
    f->cmd_text[4]->click();
    f->chk_reponse->setChecked(true);
    QVERIFY(f->Chk_prog->isChecked() && !f->Chk_prog->isEnabled() && f->txt_description[0]->isEnabled());
    f->txt_description[0]->setText("05");
    f->txt_description[1]->setText("02");
    f->txt_description[2]->setText("2027");

    const QString pdf = Captures() + "/convocations.pdf";
    QFile::remove(pdf);
    m.ihm.repondreImprimante(true, pdf);
    f->Cmd_1->click();
    QVERIFY2(m.ihm.messages().isEmpty(), qPrintable(m.ihm.messages().join('\n')));
    QVERIFY(!frm_tempo_rapport_charge());
    // The message is as it was typed, its caret and formats kept.
    QCOMPARE(f->Rich->document()->blockCount(), 2);
    QCOMPARE(f->Rich->document()->toPlainText(), QString("Rendez-vous a 8h\nBonne chance"));

    QCOMPARE(Pages_pdf(pdf), 3);
    const QStringList texte = Texte_pdf(pdf);
    QCOMPARE(texte.filter(QRegularExpression("^\\s*NAGEUR00 Prénom00\\s*$")).size(), 1);
    QCOMPARE(texte.filter("Licence : 100011").size(), 2); // heading and coupon
    // The programme: day headings dated from the competition's start.
    QCOMPARE(texte.filter("Samedi 13 février 2027").size(), 3);
    QCOMPARE(texte.filter("Dimanche 14 février 2027").size(), 3);
    QCOMPARE(texte.filter("Réponse souhaitée avant : 5 février 2027").size(), 3);
    QCOMPARE(texte.filter("\u2702").size(), 6);
    QCOMPARE(texte.filter("Rendez-vous a 8h").size(), 3);
    QVERIFY(texte.filter("<").isEmpty());
    const QStringList l = Colonnes(pdf);
    // Entries: label without the sex words, time, team column.
    QVERIFY(l.contains("50 NL                        30.12"));
    QVERIFY(l.contains("50 NL                        30.12      1"));
    QVERIFY(l.contains("50 NL                        30.12      1       X"));
    QVERIFY(l.contains(QString("4 x 100 m N.L. Mixte").leftJustified(25) + "  " + QString(6, ' ')
                       + QString("1").leftJustified(7) + "     1       X"));
    // The third letter's coupon lists only her events, two a line.
    QVERIFY(l.contains((QString("50 NL").leftJustified(25) + " ").leftJustified(35) + "200 NL"));
    QVERIFY(l.contains("4 x 100 m N.L. Mixte"));

    // The message's formats reach the letters: bold, italic, centred.
    BoiteRiche copie;
    copie.setRtf(f->Rich->rtf());
    copie.selectionner(0, 1);
    QVERIFY(copie.gras());
    copie.selectionner(18, 1);
    QVERIFY(copie.italique());
    QCOMPARE(copie.document()->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QVERIFY(Texte_pdf(pdf).filter(QRegularExpression("^\\s{20,}Bonne chance")).size() == 3);

    // Without the programme and the coupon: no "Programme :", no day, no coupon.
    f->chk_reponse->setChecked(false);
    QVERIFY(f->Chk_prog->isChecked() && f->Chk_prog->isEnabled() && !f->txt_description[0]->isEnabled());
    f->Chk_prog->setChecked(false);
    const QString sans = Captures() + "/convocations_sans_programme.pdf";
    m.ihm.repondreImprimante(true, sans);
    f->Cmd_1->click();
    const QStringList texte2 = Texte_pdf(sans);
    QVERIFY(texte2.filter("Programme :").isEmpty());
    QVERIFY(texte2.filter("février 2027").filter("Samedi").isEmpty());
    QVERIFY(texte2.filter("\u2702").isEmpty());
    QCOMPARE(Pages_pdf(sans), 3);
    f->grab().save(Captures() + "/frm_convocation.png");
    f->close();
    Traiter_evenements();
}

// Letters that just fill a page each take one page, and one line more takes each a second page
// of its own: nothing of a letter lands on another's page, nor past the bottom of a page.
void TstConvocations::convocationsPleinePage()
{
    Meeting m;
    QPointer<frm_convocation> f;
    Ouvrir_frm_convocation(f, m.compet, nullptr);
    f->chk_reponse->setChecked(true);
    const QString pdf = Captures() + "/convocations_pleine_page.pdf";
    const auto imprimer = [&](const QList<int>& nageurs, int lignes) {
        for (int i = 0; i < f->Lsv_nageurs->topLevelItemCount(); ++i)
            f->Lsv_nageurs->topLevelItem(i)->setCheckState(0, nageurs.contains(i) ? Qt::Checked : Qt::Unchecked);
        Taper_message(f->Rich, lignes);
        QFile::remove(pdf);
        m.ihm.repondreImprimante(true, pdf);
        f->Cmd_1->click();
        return Pages_pdf(pdf);
    };
    // The longest message a letter holds on one page.
    int tient = 0, deborde = 80;
    QCOMPARE(imprimer({0}, deborde), 2);
    while (deborde - tient > 1) {
        const int n = (tient + deborde) / 2;
        (imprimer({0}, n) == 1 ? tient : deborde) = n;
    }
    QVERIFY(tient > 5);

    // Eight swimmers without relays: letters of the same length.
    const QList<int> huit{0, 1, 2, 4, 5, 6, 7, 8};
    const QString club = "Cercle des Nageurs d'Azur";
    QCOMPARE(imprimer(huit, tient), 8);
    QStringList pages = Pages_texte_pdf(pdf);
    QCOMPARE(pages.size(), 8);
    for (int p = 0; p < 8; ++p) {
        QVERIFY2(pages[p].trimmed().startsWith(club), qPrintable(pages[p]));
        QCOMPARE(pages[p].count(club), 1);
        QCOMPARE(pages[p].count("Ligne " + QString::number(tient) + " du message"), 1);
        QVERIFY(pages[p].trimmed().endsWith(QString(70, '-')));
    }
    QVERIFY2(Mots_hors_page(pdf).isEmpty(), qPrintable(Mots_hors_page(pdf).join(' ')));

    QCOMPARE(imprimer(huit, tient + 1), 16);
    pages = Pages_texte_pdf(pdf);
    for (int p = 0; p < 16; ++p)
        QCOMPARE(pages[p].count(club), p % 2 == 0 ? 1 : 0);
    QVERIFY(Mots_hors_page(pdf).isEmpty());
    f->close();
    Traiter_evenements();
}

namespace {
// A caller that hears the window close.
class Appelant : public FenetreComptee {
public:
    QStringList fermees;
    void ForceUnloadWindowsEngag(const QString& nom) override { fermees << nom; }
};
} // namespace

void TstConvocations::fenetre()
{
    Meeting m;
    m.base.executer("UPDATE Licence SET Visible = 0 WHERE Num = " + m.nageurs[5]);
    Appelant appelant;
    QPointer<frm_convocation> f;
    Ouvrir_frm_convocation(f, m.compet, &appelant);
    QCOMPARE(f->Lsv_nageurs->topLevelItemCount(), 29); // a hidden licence is not offered
    QCOMPARE(f->Lsv_nageurs->headerItem()->text(0), QString("Nom"));
    // "Sélectionner tous" checks everyone and keeps them checked.
    f->chk_all->setChecked(true);
    QCOMPARE(Nombre_coches(f->Lsv_nageurs), 29);
    f->Lsv_nageurs->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(Nombre_coches(f->Lsv_nageurs), 29);
    f->chk_all->setChecked(false);
    f->Lsv_nageurs->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(Nombre_coches(f->Lsv_nageurs), 28);
    // An incomplete reply date prints no reply line.
    f->chk_reponse->setChecked(true);
    f->txt_description[0]->setText("05");
    for (int i = 0; i < f->Lsv_nageurs->topLevelItemCount(); ++i)
        f->Lsv_nageurs->topLevelItem(i)->setCheckState(0, i == 0 ? Qt::Checked : Qt::Unchecked);
    const QString pdf = Captures() + "/convocation_sans_date.pdf";
    m.ihm.repondreImprimante(true, pdf);
    f->Cmd_1->click();
    QVERIFY(Texte_pdf(pdf).filter("Réponse souhaitée").isEmpty());
    QCOMPARE(Texte_pdf(pdf).filter("Je participe").size(), 1);
    // No swimmer checked: the printer is asked for, nothing printed.
    f->Lsv_nageurs->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    QFile::remove(pdf);
    m.ihm.repondreImprimante(true, pdf);
    f->Cmd_1->click();
    QVERIFY(!QFile::exists(pdf));
    // Closing tells the caller, which can then open another.
    f->Cmd_0->click();
    Traiter_evenements();
    QVERIFY(!f);
    QCOMPARE(appelant.fermees, QStringList{"frm_convocation"});
}

QTEST_MAIN(TstConvocations)
#include "tst_convocations.moc"
