// The programme editor driven as a user would: a competition's programme over three days built,
// saved, reopened and copied; templates created, cancelled, viewed, copied into a 50 m
// competition and loaded from "pcomp.txt"; the running-order warning; a failed save.

#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_modele.h"
#include "competitions/frm_prog.h"
#include "core/base.h"
#include "core/cp1252.h"
#include "core/dates.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/ouvreurs.h"
#include "core/services.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/commandes_competitions.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// Competitions 1 (25 m, three days), 2 (50 m) and 3 (one day); template 5 over two days.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    Contexte()
    {
        Initialiser_verrous_menus();
        strNumProfil = "1";
        ihm.accepterMessagesOk(true);
        base.executer("INSERT INTO Rcomp (AutoNum, Nom, Debut, Fin, Longueur) VALUES "
                      "(1, 'Meeting', '20260110', '20260112', 25), (2, 'Grand bassin', '20260301', '20260302', 50), "
                      "(3, 'Un jour', '20260401', '20260401', 25)");
        base.executer("INSERT INTO Modele_prog (NumAuto, Nom_modele, Num_profil) VALUES (5, 'Hiver', 1)");
        base.executer("INSERT INTO Pcomp_modele VALUES (5, 0, 1, 1, 0, ' ', 1), (5, 2, 1, 3, 2, 'T', 2), "
                      "(5, 40, 2, 1, 0, ' ', 3), (5, 52, 2, 2, 1, 'C', 4), (5, 12, 1, 1, 0, ' ', 0)");
    }
};

frm_prog* ouvrir(const QString& mode, bool bModele, const QString& cle, bool definition = true, bool detail = false)
{
    QPointer<frm_prog> fenetre;
    Ouvrir_frm_prog(fenetre, "Programme", mode, bModele, cle, definition, nullptr, detail);
    return fenetre;
}

QTreeWidgetItem* epreuve(frm_prog* prog, int code)
{
    for (int i = 0; i < prog->LsvNage->topLevelItemCount(); ++i) {
        if (prog->LsvNage->topLevelItem(i)->text(1) == QString::number(code))
            return prog->LsvNage->topLevelItem(i);
    }
    return nullptr;
}

void cliquer(frm_prog* prog, int code)
{
    QTreeWidgetItem* item = epreuve(prog, code);
    QVERIFY(item);
    prog->LsvNage->scrollToItem(item);
    QTest::mouseClick(prog->LsvNage->viewport(), Qt::LeftButton, {}, prog->LsvNage->visualItemRect(item).center());
    QCOMPARE(prog->LsvNage->currentItem(), item);
}

// Clicks the event, then ticks or unticks it with the space bar.
void basculer(frm_prog* prog, int code)
{
    cliquer(prog, code);
    QTest::keyClick(prog->LsvNage, Qt::Key_Space, {}, 10);
}

void taper(QLineEdit* boite, const QString& texte)
{
    boite->setFocus();
    boite->selectAll();
    QTest::keyClick(boite, Qt::Key_Delete, {}, 10);
    QTest::keyClicks(boite, texte);
}

void regler(frm_prog* prog, int code, int jour, const QString& ordre)
{
    basculer(prog, code);
    prog->CboDate()->setCurrentIndex(jour - 1);
    taper(prog->txtordre, ordre);
}

// A click on the option's circle.
void choisir(QRadioButton* option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QVERIFY(option->isChecked());
}

QStringList cochees(frm_prog* prog)
{
    QStringList codes;
    for (int i = 0; i < prog->LsvNage->topLevelItemCount(); ++i) {
        if (prog->LsvNage->topLevelItem(i)->checkState(0) == Qt::Checked)
            codes << prog->LsvNage->topLevelItem(i)->text(1);
    }
    codes.sort();
    return codes;
}

QStringList lignes(QTreeWidget* liste)
{
    QStringList l;
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        l << liste->topLevelItem(i)->text(0) + "|" + liste->topLevelItem(i)->text(1);
    return l;
}

QStringList programme(const QString& table, const QString& cle)
{
    const QString k = table == "Pcomp" ? "Num_compet" : "Num_modele";
    return Lignes_requete("select Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre from " + table +
                          " where " + k + " = " + cle + " order by 1");
}

bool fermee()
{
    Traiter_evenements();
    return !Fenetre_nommee<frm_prog>("frm_prog") && intNbFenetres == 0 && Tous_les_verrous() == Aucun_verrou();
}

} // namespace

class TstFrmProg : public QObject {
    Q_OBJECT
private slots:
    void programmeCompetition();
    void enregistrementEnEchec();
    void nouveauModele_data();
    void nouveauModele();
    void modeleVuEtCopie();
    void chargerPcomp();
    void depuisLaListeDesCompetitions_data();
    void depuisLaListeDesCompetitions();
};

void TstFrmProg::programmeCompetition()
{
    Contexte c;
    frm_prog* prog = ouvrir("Modif", false, "1");
    QVERIFY(prog);
    QCOMPARE(prog->CboDate()->count(), 3);
    QCOMPARE(prog->CboDate()->itemText(0), Date_en_texte("20260110", "d mmm yyyy"));
    QVERIFY(prog->Chk_modele->isVisible() && prog->Cmd_modele->isVisible() && !prog->Cmd_charger->isVisible());
    QVERIFY(!prog->txt_nb_journee()->isVisible());

    // A ticked event starts as a time ranking on the first day.
    basculer(prog, 2);
    QVERIFY(prog->Optclass[1]->isChecked() && !prog->optNbFinales[1]->isEnabled());
    QCOMPARE(prog->CboDate()->currentIndex(), 0);
    taper(prog->txtordre, "1");
    regler(prog, 52, 2, "2");
    choisir(prog->Optclass[3]);
    QVERIFY(prog->optNbFinales[1]->isChecked() && prog->OptType[0]->isChecked());
    choisir(prog->optNbFinales[2]);
    choisir(prog->OptType[1]);
    regler(prog, 3, 3, "3");
    // Ticked then unticked: not in the programme.
    regler(prog, 12, 1, "9");
    basculer(prog, 12);
    QVERIFY(!prog->CboDate()->isEnabled() && prog->txtordre->text().isEmpty());
    QVERIFY(c.ihm.messages().isEmpty());

    // Day 3 with order 1 while earlier days reach 2: warned once, kept.
    regler(prog, 53, 3, "1");
    cliquer(prog, 2);
    QCOMPARE(c.ihm.messages(), QStringList{"Le numéro d'ordre spécifié est inférieur au maximum des journées précédentes."});

    QDir().mkpath(QV_BINARY_DIR "/captures");
    prog->grab().save(QV_BINARY_DIR "/captures/frm_prog_competition.png");
    QTest::mouseClick(prog->Cmd_det_def, Qt::LeftButton);
    QCOMPARE(lignes(prog->Lsv_prog),
             (QStringList{"|", "10 janvier 2026|", "Dames 100 NL (Classement au temps)|1", "|", "11 janvier 2026|",
                          "Messieurs 100 NL (Série finales, finale A - B, par catégories)|2", "|", "12 janvier 2026|",
                          "Messieurs 200 NL (Classement au temps)|1", "Dames 200 NL (Classement au temps)|3"}));
    QVERIFY(prog->Lsv_prog->isVisible() && !prog->LsvNage->isVisible());
    prog->grab().save(QV_BINARY_DIR "/captures/frm_prog_detail.png");
    QCOMPARE(c.base.valeur("select count(*) from Pcomp_tempo"), QString("0"));
    QCOMPARE(c.base.valeur("select count(*) from Pcomp"), QString("0"));
    QTest::mouseClick(prog->Cmd_det_def, Qt::LeftButton);
    QVERIFY(prog->LsvNage->isVisible());

    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(fermee());
    const QStringList attendu{"2|1|1|0| |1", "3|3|1|0| |3", "52|2|3|2|C|2", "53|3|1|0| |1"};
    QCOMPARE(programme("Pcomp", "1"), attendu);

    // Reopened: the same programme on screen.
    prog = ouvrir("Modif", false, "1");
    QCOMPARE(cochees(prog), (QStringList{"2", "3", "52", "53"}));
    cliquer(prog, 52);
    QVERIFY(prog->Optclass[3]->isChecked() && prog->optNbFinales[2]->isChecked() && prog->OptType[1]->isChecked());
    QCOMPARE(prog->CboDate()->currentIndex(), 1);
    QCOMPARE(prog->txtordre->text(), QString("2"));
    // Closing by the window's box changes nothing.
    prog->close();
    QVERIFY(fermee());
    QCOMPARE(programme("Pcomp", "1"), attendu);

    // Copied into the one-day competition the way the competition list does: every day is
    // day 1 there.
    prog = ouvrir("Modif", false, "3");
    QCOMPARE(prog->CboDate()->count(), 1);
    CibleProgramme* cible = prog;
    cible->setTabFromTab("1");
    cible->RefreshListeNage();
    QCOMPARE(cochees(prog), (QStringList{"2", "3", "52", "53"}));
    QCOMPARE(c.base.valeur("select count(*) from Pcomp where Num_compet = 3"), QString("0"));
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(fermee());
    QCOMPARE(programme("Pcomp", "3"), (QStringList{"2|1|1|0| |1", "3|1|1|0| |3", "52|1|3|2|C|2", "53|1|1|0| |1"}));
}

void TstFrmProg::enregistrementEnEchec()
{
    Contexte c;
    c.base.executer("INSERT INTO Pcomp VALUES (1, 2, 1, 1, 0, ' ', 1), (1, 52, 2, 1, 0, ' ', 2)");
    c.base.executer("CREATE TRIGGER refus BEFORE INSERT ON Pcomp WHEN NEW.Code_epreuve = 52 "
                    "BEGIN SELECT RAISE(ABORT, 'refusé'); END");
    frm_prog* prog = ouvrir("Modif", false, "1");
    regler(prog, 3, 2, "4");
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QCOMPARE(c.ihm.messages().size(), 1);
    QVERIFY(c.ihm.messages()[0].startsWith("Une erreur s'est produite lors de l'enregistrement du programme."));
    // Nothing half-written, and the window still holds the user's programme.
    QCOMPARE(programme("Pcomp", "1"), (QStringList{"2|1|1|0| |1", "52|2|1|0| |2"}));
    Traiter_evenements();
    QVERIFY(Fenetre_nommee<frm_prog>("frm_prog"));
    QCOMPARE(cochees(prog), (QStringList{"2", "3", "52"}));
    c.base.executer("DROP TRIGGER refus");
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(fermee());
    QCOMPARE(programme("Pcomp", "1"), (QStringList{"2|1|1|0| |1", "3|2|1|0| |4", "52|2|1|0| |2"}));
}

void TstFrmProg::nouveauModele_data()
{
    QTest::addColumn<QString>("fin");
    QTest::newRow("Ok") << "Cmd_0";
    QTest::newRow("Annuler") << "Cmd_1";
    QTest::newRow("case de fermeture") << "";
}

void TstFrmProg::nouveauModele()
{
    QFETCH(QString, fin);
    Contexte c;
    c.base.executer("INSERT INTO Modele_prog (NumAuto, Nom_modele, Num_profil) VALUES (6, 'Neuf', 1)");
    frm_prog* prog = ouvrir("new modele", true, "6");
    QCOMPARE(Compteurs_verrou(colVerrouModeleProg), (QList<int>{1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouCompet), (QList<int>{0, 0, 1, 0, 1, 0, 0}));
    QVERIFY(prog->Cmd_charger->isVisible() && prog->txt_nb_journee()->isVisible() && !prog->Chk_modele->isVisible());
    QCOMPARE(prog->txt_nb_journee()->text(), QString("1"));
    QCOMPARE(prog->CboDate()->count(), 1);
    QCOMPARE(prog->CboDate()->itemText(0), QString("1ère journée"));

    taper(prog->txt_nb_journee(), "3");
    QTest::keyClick(prog->txt_nb_journee(), Qt::Key_Tab);
    QCOMPARE(prog->CboDate()->count(), 3);
    QCOMPARE(prog->CboDate()->itemText(1), QString("2ème journée"));
    regler(prog, 2, 1, "1");
    regler(prog, 51, 3, "5");
    // Down to two days: the third label goes, its events are saved on day 2.
    taper(prog->txt_nb_journee(), "2");
    QTest::keyClick(prog->txt_nb_journee(), Qt::Key_Tab);
    QCOMPARE(prog->CboDate()->count(), 2);
    // An empty count reads 1 again and leaves the days alone.
    taper(prog->txt_nb_journee(), "");
    QTest::keyClick(prog->txt_nb_journee(), Qt::Key_Tab);
    QCOMPARE(prog->txt_nb_journee()->text(), QString("1"));
    QCOMPARE(prog->CboDate()->count(), 2);

    if (fin.isEmpty())
        prog->close();
    else
        QTest::mouseClick(prog->findChild<QPushButton*>(fin), Qt::LeftButton);
    QVERIFY(fermee());
    if (fin == "Cmd_0") {
        QCOMPARE(programme("Pcomp_modele", "6"), (QStringList{"2|1|1|0| |1", "51|2|1|0| |5"}));
        QCOMPARE(c.base.valeur("select count(*) from Modele_prog where NumAuto = 6"), QString("1"));
    } else {
        QVERIFY(programme("Pcomp_modele", "6").isEmpty());
        QCOMPARE(c.base.valeur("select count(*) from Modele_prog where NumAuto = 6"), QString("0"));
    }
    QCOMPARE(programme("Pcomp_modele", "5").size(), 5);
}

void TstFrmProg::modeleVuEtCopie()
{
    Contexte c;
    frm_prog* prog = ouvrir("View", true, "5", false, true);
    QVERIFY(prog->Lsv_prog->isVisible() && !prog->LsvNage->isVisible());
    QVERIFY(!prog->Cmd_1->isEnabled() && !prog->Cmd_det_def->isVisible() && !prog->Cmd_charger->isVisible());
    QCOMPARE(lignes(prog->Lsv_prog),
             (QStringList{"Dames 100 Dos|0", "|", "1ère journée|", "Dames 25 NL (Classement au temps)|1",
                          "Dames 100 NL (Série finales, finale A - B, toutes catégories)|2", "|", "2ème journée|",
                          "Dames 100 4 Nages (Classement au temps)|3",
                          "Messieurs 100 NL (1/2 finales, finale A, par catégories)|4"}));
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(fermee());

    // Into the 50 m competition: the 25 m and 100 m medley events cannot come.
    prog = ouvrir("Modif", false, "2");
    QVERIFY(!epreuve(prog, 0) && !epreuve(prog, 40));
    QTest::mouseClick(prog->Cmd_modele, Qt::LeftButton);
    auto* modeles = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
    QVERIFY(modeles);
    QCOMPARE(modeles->windowTitle(), QString("Choix d'un modèle de programme"));
    QCOMPARE(modeles->strNumCompetSrc, QString("2"));
    Double_clic(modeles->Lsv_modele, 1);
    Traiter_evenements();
    QVERIFY(!Fenetre_nommee<frm_liste_modele>("frm_liste_modele"));
    QCOMPARE(cochees(prog), (QStringList{"12", "2", "52"}));
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(fermee());
    QCOMPARE(programme("Pcomp", "2"), (QStringList{"2|1|3|2|T|2", "12|1|1|0| |0", "52|2|2|1|C|4"}));
}

void TstFrmProg::chargerPcomp()
{
    Contexte c;
    QTemporaryDir sources;
    auto ecrire = [&](const QString& nom, const QByteArray& octets) {
        QFile f(sources.filePath(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octets);
    };
    // Dames 50 NL on 12 May, Messieurs 200 4 Nages twice (the last line wins) and an unknown
    // relay 9 on 14 May; the label of 9 is accented.
    ecrire("PComp.TXT", "001 112052026 10 01\r\n001 914052026 3  02\r\n0019114052026 21C03\r\n"
                        "0019112052026 32T04\r\n");
    ecrire("Nage.txt", " 9" + Texte_en_cp1252(QString::fromUtf8("Relais spécial 4×50")) + "\r\n");
    ecrire("prog.txt", "x");

    frm_prog* prog = ouvrir("Modif", true, "5");
    c.ihm.repondreFichier(sources.filePath("prog.txt"));
    QTest::mouseClick(prog->Cmd_charger, Qt::LeftButton);
    QCOMPARE(c.ihm.messages(), QStringList{"Sélectionner un fichier Pcomp.txt !"});
    QCOMPARE(cochees(prog), (QStringList{"0", "12", "2", "40", "52"}));

    c.ihm.effacer();
    c.ihm.repondreFichier(sources.filePath("PComp.TXT"));
    QTest::mouseClick(prog->Cmd_charger, Qt::LeftButton);
    QCOMPARE(c.ihm.messages().size(), 1);
    QCOMPARE(c.ihm.messages()[0], QString::fromUtf8("Des codes nages sont inconnus dans le fichier pcomp.txt : \n"
                                                    " 9 Relais spécial 4×50 , journée  3, ordre 2"));
    QCOMPARE(prog->txt_nb_journee()->text(), QString("3"));
    QCOMPARE(prog->CboDate()->count(), 3);
    QCOMPARE(cochees(prog), (QStringList{"1", "91"}));
    QVERIFY(QDir(Services::repertoireApplication()).entryList({"tmpProg*", "quorvelane-tmpProg*"}, QDir::Dirs).isEmpty());
    // Saved, then the name is confirmed or changed in the name dialog, which cannot be cancelled.
    c.ihm.repondreModal([](QDialog& d) {
        auto* nom = d.findChild<QLineEdit*>("Text1");
        auto* annuler = d.findChild<QPushButton*>("Command1_1");
        if (!nom || nom->text() != "Hiver" || !annuler || annuler->isEnabled())
            return 0;
        nom->setText("Hiver court");
        d.findChild<QPushButton*>("Command1_0")->click();
        return d.result();
    });
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QVERIFY(c.ihm.toutConsomme());
    QVERIFY(fermee());
    QCOMPARE(programme("Pcomp_modele", "5"), (QStringList{"1|1|1|0| |1", "91|1|3|2|T|4"}));
    QCOMPARE(c.base.valeur("select Nom_modele from Modele_prog where NumAuto = 5"), QString("Hiver court"));
}

// The competition list of that mode, shown.
Frm_liste_compet* Liste_compet(const QString& mode)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* l = qobject_cast<Frm_liste_compet*>(w);
        if (l && l->isVisible() && l->strAction == mode)
            return l;
    }
    return nullptr;
}

void Double_clic_compet(Frm_liste_compet* liste, const QString& cle)
{
    for (int i = 0; i < liste->lsv_info_compet->topLevelItemCount(); ++i) {
        if (liste->lsv_info_compet->topLevelItem(i)->text(0) == cle) {
            Double_clic(liste->lsv_compet, i + 1);
            return;
        }
    }
    QFAIL("compétition absente de la liste");
}

void TstFrmProg::depuisLaListeDesCompetitions_data()
{
    QTest::addColumn<bool>("caseDeFermeture");
    QTest::newRow("nouveau modèle") << false;
    QTest::newRow("case de fermeture") << true;
}

// From the menu: the competition list, the editor, a held competition's programme copied in,
// then saved into a new template while both windows wait hidden (or the template list closed by
// its close box, which ends the editor as "Annuler" does).
void TstFrmProg::depuisLaListeDesCompetitions()
{
    QFETCH(bool, caseDeFermeture);
    Contexte c;
    c.base.executer("INSERT INTO Rcomp (AutoNum, Nom, Debut, Fin, Longueur, Deroule, Visible) VALUES "
                    "(4, 'Passé', '20250601', '20250602', 25, true, false)");
    c.base.executer("INSERT INTO Pcomp VALUES (4, 21, 1, 1, 0, ' ', 1), (4, 71, 2, 3, 1, 'T', 2)");
    QWidget principale;
    auto* menu = new QAction(&principale);
    menu->setObjectName("mnuEngagProgramme");
    principale.addAction(menu);
    CommandesCompetitions commandes;
    commandes.connecter(&principale);
    menu->trigger();
    Frm_liste_compet* liste = Liste_compet("modif prog");
    QVERIFY(liste);
    Double_clic_compet(liste, "1");
    Traiter_evenements();
    auto* prog = Fenetre_nommee<frm_prog>("frm_prog");
    QVERIFY(prog);
    QCOMPARE(prog->windowTitle(), QString("Programme compétition"));
    QCOMPARE(prog->frmCible.data(), liste);

    QTest::mouseClick(prog->Cmd_compet, Qt::LeftButton);
    Frm_liste_compet* choix = Liste_compet("Choose compet for prog");
    QVERIFY(choix);
    QCOMPARE(choix->windowTitle(), QString("Choix d'une compétition mémorisée pour copie du programme"));
    QCOMPARE(choix->lsv_info_compet->topLevelItemCount(), 1);
    Double_clic_compet(choix, "4");
    Traiter_evenements();
    QVERIFY(!Liste_compet("Choose compet for prog"));
    QCOMPARE(cochees(prog), (QStringList{"21", "71"}));

    QTest::mouseClick(prog->Chk_modele, Qt::LeftButton);
    QTest::mouseClick(prog->Cmd_0, Qt::LeftButton);
    QCOMPARE(programme("Pcomp", "1"), (QStringList{"21|1|1|0| |1", "71|2|3|1|T|2"}));
    Traiter_evenements();
    auto* modeles = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
    QVERIFY(modeles);
    QCOMPARE(modeles->strAction, QString("modele depuis programme"));
    QVERIFY(!prog->isVisible() && !liste->isVisible());
    if (caseDeFermeture) {
        QVERIFY(Cadre_fenetre(modeles)->close());
        Traiter_evenements();
        QCOMPARE(c.base.valeur("select group_concat(Nom_modele) from Modele_prog"), QString("Hiver"));
        QVERIFY(!Fenetre_nommee<frm_prog>("frm_prog") && !Fenetre_nommee<frm_liste_modele>("frm_liste_modele"));
        QVERIFY(liste->isVisible());
        liste->close();
        QVERIFY(fermee());
        return;
    }
    c.ihm.repondreModal([](QDialog& d) {
        d.findChild<QLineEdit*>("Text1")->setText("Depuis le meeting");
        d.findChild<QPushButton*>("Command1_0")->click();
        return d.result();
    });
    QTest::mouseClick(modeles->Command1_2, Qt::LeftButton);
    Traiter_evenements();
    const QString cle = c.base.valeur("select NumAuto from Modele_prog where Nom_modele = 'Depuis le meeting'");
    QCOMPARE(programme("Pcomp_modele", cle), (QStringList{"21|1|1|0| |1", "71|2|3|1|T|2"}));
    QVERIFY(!Fenetre_nommee<frm_prog>("frm_prog") && !Fenetre_nommee<frm_liste_modele>("frm_liste_modele"));
    // The competition list comes back, and closing it leaves nothing open or locked.
    QVERIFY(liste->isVisible());
    liste->close();
    QVERIFY(fermee());
}

QTEST_MAIN(TstFrmProg)
#include "tst_frm_prog.moc"
