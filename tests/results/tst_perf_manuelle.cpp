// The manual performance windows driven as a user would: the checks in their order, the
// confirmation, the rows written (manual numbers, age, place, time, placeholder legs) and the
// states of both windows.

#include "contexte_perfs.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "fenetres_test.h"
#include "results/frm_ajout_perf.h"
#include "results/frm_ajout_perf_relais.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace perfs_test;

namespace {

const QString kQuestion = "Enregistrer la nouvelle perfomance sur le %1\r\n pour %2 avec le temps %3 ?";

// The window opened on the club's swimmers, the swimmer chosen and "&Ajouter" pressed.
frm_ajout_perf* Ouvrir_pour(QPointer<frm_ajout_perf>& f, const QString& nom)
{
    Ouvrir_frm_ajout_perf(f);
    const int i = Ligne_texte(f->lsv_licence, nom);
    if (i < 1)
        return nullptr;
    f->lsv_licence->setCurrentItem(Ligne(f->lsv_licence, i));
    QTest::mouseClick(f->cmd[1], Qt::LeftButton);
    return f;
}

void Choisir_nage(frm_ajout_perf* f, const QString& libelle)
{
    const int i = Ligne_texte(f->LsvNage, libelle, 1);
    QVERIFY2(i > 0, qPrintable(libelle));
    f->LsvNage->setCurrentItem(Ligne(f->LsvNage, i));
}

void Saisir(FenetreSaisiePerf* f, const QString& temps, const QString& lieu, const QString& jour, const QString& mois,
            const QString& annee)
{
    Taper(f->txt_info[0], temps);
    Taper(f->txt_info[1], lieu);
    Taper(f->txt_info[3], jour);
    Taper(f->txt_info[4], mois);
    Taper(f->txt_info[5], annee);
}

} // namespace

class TestPerfManuelle : public QObject {
    Q_OBJECT

private slots:
    void init() { Initialiser_verrous_menus(); }
    void cleanup() { Traiter_evenements(); }

    void controlesDansLeurOrdre_data();
    void controlesDansLeurOrdre();
    void nonALaConfirmationNEcritRien();
    void ligneEcriteEtSaisieRemiseAZero();
    void numerotationManuelleParTable();
    void listeDesNageursBloqueePendantLaSaisie();
    void epreuvesDuSexeEtBassin50();
    void triGardeLeNageur();
    void selectionEcritLeClubDuNageur();
    void relaisPlacesVidesEtNumeroUn();
    void relaisCandidatsEtBoutonsDeComposition();
};

void TestPerfManuelle::controlesDansLeurOrdre_data()
{
    QTest::addColumn<QString>("temps");
    QTest::addColumn<QString>("lieu");
    QTest::addColumn<QString>("jour");
    QTest::addColumn<QString>("mois");
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("message"); // "" when the checks pass
    QTest::addColumn<QString>("champ");
    QTest::newRow("rien: le temps d'abord") << "" << "" << "" << "" << "" << "Veuillez spécifier le temps réalisé."
                                            << "txt_info_0";
    QTest::newRow("un point n'est pas un temps") << "." << "Lille" << "1" << "9" << "2004"
                                                << "Veuillez spécifier le temps réalisé." << "txt_info_0";
    QTest::newRow("lieu blanc") << "1.05" << "   " << "1" << "9" << "2004" << "Veuillez spécifier le lieu de la performance."
                                << "txt_info_1";
    QTest::newRow("date vide") << "1.05" << "Lille" << "" << "" << ""
                               << "Veuillez spécifier une date valide pour la performance." << "txt_info_3";
    QTest::newRow("mois incomplet") << "1.05" << "Lille" << "12" << "" << "2004"
                                    << "Veuillez spécifier une date valide pour la performance." << "txt_info_3";
    QTest::newRow("demain") << "1.05" << "Lille" << "16" << "09" << "2004"
                            << "Veuillez spécifier une date valide pour la performance." << "txt_info_3";
    QTest::newRow("aujourd'hui") << "1.05" << "Lille" << "15" << "09" << "2004" << "" << "";
    QTest::newRow("jour et mois d'un chiffre") << "1.05" << "Lille" << "5" << "3" << "2004" << "" << "";
}

void TestPerfManuelle::controlesDansLeurOrdre()
{
    QFETCH(QString, temps);
    QFETCH(QString, lieu);
    QFETCH(QString, jour);
    QFETCH(QString, mois);
    QFETCH(QString, annee);
    QFETCH(QString, message);
    QFETCH(QString, champ);
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "DUPONT"));
    Saisir(f, temps, lieu, jour, mois, annee);
    f->SSTab1->setCurrentIndex(1);
    c.ihm.effacer();
    if (message.isEmpty())
        c.ihm.repondre(Reponse::Non);
    Cliquer(f->Cmd_def[0]);
    if (message.isEmpty()) {
        QCOMPARE(c.ihm.appels().size(), size_t(1));
        QVERIFY(c.ihm.appels()[0].texte.startsWith("Enregistrer la nouvelle perfomance"));
    } else {
        QCOMPARE(c.ihm.messages(), QStringList {message});
        QCOMPARE(f->SSTab1->currentIndex(), 0);
        QCOMPARE(f->focusWidget()->objectName(), champ);
    }
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn"), QString("0"));
    f->close();
}

void TestPerfManuelle::nonALaConfirmationNEcritRien()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "DUPONT"));
    Choisir_nage(f, "100 NL");
    Saisir(f, "1.0532", "L'Isle-Adam", "1", "1", "2004");
    c.ihm.effacer();
    c.ihm.repondre(Reponse::Non);
    Cliquer(f->Cmd_def[0]);
    QCOMPARE(c.ihm.appels().size(), size_t(1));
    QCOMPARE(c.ihm.appels()[0].texte, kQuestion.arg("100 NL", "DUPONT Jean", "1:05.32"));
    QCOMPARE(c.ihm.appels()[0].style & Style::DefautBouton2, 0);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Liffn"), QString("0"));
    QCOMPARE(f->txt_info[1]->text(), QString("L'Isle-Adam"));
    QCOMPARE(f->txt_info[0]->text(), QString("1.0532"));
    QCOMPARE(f->txt_info[5]->text(), QString("2004"));
    f->close();
}

// The time still as typed ("1." with the focus in the box) is written as a time; the age comes
// from the stored birth date; the place keeps its apostrophe.
void TestPerfManuelle::ligneEcriteEtSaisieRemiseAZero()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "DUPONT"));
    Choisir_nage(f, "50 Dos");
    Taper(f->txt_info[1], "L'Isle-Adam");
    Taper(f->txt_info[3], "1");
    Taper(f->txt_info[4], "1");
    Taper(f->txt_info[5], "2004");
    Basculer(f->Opt_bassin[1]);
    f->SSTab1->setCurrentIndex(1);
    Basculer(f->Op_f[0]);
    Basculer(f->Op_d[2]);
    f->SSTab1->setCurrentIndex(0);
    Basculer(f->chk_Inter);
    Taper(f->txt_info[0], "1..");
    QCOMPARE(f->txt_info[0]->text(), QString("1.")); // a second point is refused
    c.ihm.repondre(Reponse::Oui);
    // As by its Alt+I shortcut: the focus stays in the time box, which keeps its text as typed.
    f->Cmd_def[0]->click();
    QVERIFY(!c.ihm.appels().empty());
    QCOMPARE(c.ihm.appels().back().texte, kQuestion.arg("50 Dos", "DUPONT Jean", "1:00.00"));
    QCOMPARE(Lignes_requete("SELECT * FROM Liffn"),
             QStringList {"61|" + clubA + "|11|50|20040101|1|L'Isle-Adam|Q| | |A| |Vrai|14|0|1"});

    // Ready for the next one: same swimmer and event, every field back to its start.
    QCOMPARE(f->txt_info[0]->text(), QString("0.0000"));
    QVERIFY(f->txt_info[1]->text().isEmpty() && f->txt_info[3]->text().isEmpty() && f->txt_info[5]->text().isEmpty());
    QVERIFY(!f->chk_Inter->isChecked() && !f->chk_relais->isChecked());
    QVERIFY(!f->Op_f[0]->isChecked() && !f->Op_d[2]->isChecked());
    QVERIFY(f->Opt_bassin[0]->isChecked());
    QCOMPARE(f->LsvNage->currentItem()->text(1), QString("50 Dos"));
    QCOMPARE(f->lsv_licence->currentItem()->text(0), QString("DUPONT"));
    f->close();
}

void TestPerfManuelle::numerotationManuelleParTable()
{
    ContextePerfs c;
    c.perf(11, 52, "20040101", "1.0000", "Import", 7, 40); // imported rows do not count
    c.perfRelais(93, "20040101", "2.0000", "Import", 1, 7, 50);
    QCOMPARE(Prochain_num_manuel("Liffn"), qint64(1));
    QCOMPARE(Prochain_num_manuel("Liffn_relais"), qint64(1));
    c.perf(11, 52, "20040101", "1.0000", "Manuel", 0, 3);
    QCOMPARE(Prochain_num_manuel("Liffn"), qint64(4));
    QCOMPARE(Prochain_num_manuel("Liffn_relais"), qint64(1));

    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "DUBOIS"));
    for (const char* temps : {"30.5", "31"}) {
        Saisir(f, temps, "Lille", "2", "2", "2004");
        c.ihm.repondre(Reponse::Oui);
        Cliquer(f->Cmd_def[0]);
    }
    QCOMPARE(Valeurs_colonne("SELECT NumManuel FROM Liffn WHERE Num_Lic = 10 ORDER BY NumManuel"),
             QStringList({"4", "5"}));
    // A swimmer without a birth date: the row is written, its age left empty.
    c.base.executer("UPDATE Licence SET Date_Naissance = '' WHERE Num = 10");
    f->set_liste("10", QString());
    Cliquer(f->cmd[2]);
    Cliquer(f->cmd[1]);
    Saisir(f, "32", "Lille", "2", "2", "2004");
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->Cmd_def[0]);
    QCOMPARE(c.base.valeur("SELECT quote(Age_nageur) FROM Liffn WHERE NumManuel = 6"), QString("NULL"));
    f->close();
}

void TestPerfManuelle::listeDesNageursBloqueePendantLaSaisie()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    Ouvrir_frm_ajout_perf(f);
    QCOMPARE(Compteurs_verrou(colVerrouPerf), QList<int>({0, 1, 0, 1, 0, 0, 0}));
    QCOMPARE(Compteurs_verrou(colVerrouLicence), QList<int>({1, 1, 0, 1, 1, 0, 0}));
    QVERIFY(!f->Cmd_def[0]->isEnabled() && !f->txt_info[0]->isEnabled() && f->lsv_licence->isEnabled());
    // A mouse click on another swimmer while typing would write for him with the first one's events.
    Cliquer(f->cmd[1]);
    QVERIFY(!f->lsv_licence->isEnabled());
    QVERIFY(!f->txt_recherche->isEnabled());
    QVERIFY(f->Cmd_def[0]->isEnabled() && f->cmd[2]->isEnabled() && !f->cmd[1]->isEnabled());
    QCOMPARE(f->txt_info[0]->text(), QString("0.0000"));
    Cliquer(f->cmd[2]);
    QVERIFY(f->lsv_licence->isEnabled() && f->txt_recherche->isEnabled());
    QCOMPARE(Nombre_lignes(f->LsvNage), 0);
    f->close();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    QCOMPARE(intNbFenetres, qint16(0));
}

void TestPerfManuelle::epreuvesDuSexeEtBassin50()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "DUBOIS"));
    QStringList libelles;
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i)
        libelles << Ligne(f->LsvNage, i)->text(1);
    QCOMPARE(libelles.size(), 23);
    QCOMPARE(libelles.first(), QString("25 NL"));
    QVERIFY(libelles.filter("Dames").isEmpty() && libelles.filter("x").isEmpty());
    Choisir_nage(f, "100 4 Nages"); // no 50 m pool for it
    QVERIFY(f->Opt_bassin[0]->isChecked());
    QVERIFY(!f->Opt_bassin[1]->isEnabled());
    Choisir_nage(f, "200 4 Nages");
    QVERIFY(f->Opt_bassin[1]->isEnabled());
    Capturer(f, "frm_ajout_perf");
    f->close();
}

void TestPerfManuelle::triGardeLeNageur()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf> f;
    Ouvrir_frm_ajout_perf(f);
    f->lsv_licence->setCurrentItem(Ligne(f->lsv_licence, Ligne_texte(f->lsv_licence, "MARTIN")));
    QTest::mouseClick(f->lsv_licence->header()->viewport(), Qt::LeftButton, {},
                      QPoint(f->lsv_licence->header()->sectionViewportPosition(1) + 5, 5));
    QStringList prenoms;
    for (int i = 1; i <= Nombre_lignes(f->lsv_licence); ++i)
        prenoms << Ligne(f->lsv_licence, i)->text(1);
    QCOMPARE(prenoms, QStringList({"Ana", "Jean", "Léa", "Marc"}));
    QCOMPARE(f->lsv_licence->currentItem()->text(0), QString("MARTIN"));
    f->close();
}

void TestPerfManuelle::selectionEcritLeClubDuNageur()
{
    ContextePerfs c;
    strCodeClub = selection;
    bClubSelection = true;
    QPointer<frm_ajout_perf> f;
    QVERIFY(Ouvrir_pour(f, "BERNARD"));
    QCOMPARE(f->lsv_licence->headerItem()->text(3), QString("Club Origine"));
    QCOMPARE(Ligne(f->lsv_licence, 1)->text(3), QString("Club B"));
    Saisir(f, "1.1", "Lille", "3", "3", "2004");
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->Cmd_def[0]);
    QCOMPARE(Lignes_requete("SELECT Code_club, Num_Lic, Age_nageur FROM Liffn"), QStringList {clubB + "|20|11"});
    f->close();
}

void TestPerfManuelle::relaisPlacesVidesEtNumeroUn()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf_relais> f;
    Ouvrir_frm_ajout_perf_relais(f);
    QCOMPARE(Compteurs_verrou(colVerrouPerf), QList<int>({0, 0, 1, 1, 0, 0, 0}));
    f->LsvNage->setCurrentItem(Ligne(f->LsvNage, Ligne_texte(f->LsvNage, "Dames 4 x 50 m N.L.", 1)));
    Cliquer(f->Cmd[1]);
    QCOMPARE(f->Nb_relayeurs(), 4);
    Saisir(f, "2.1", "Pont-l'Abbe", "12", "6", "2004");
    f->SSTab1->setCurrentIndex(1);
    // Three legs of four: the check names the composition and goes back to its tab.
    for (const char* nom : {"MARTIN", "DUBOIS", "MARTIN"}) {
        f->lsv_licence->setCurrentItem(Ligne(f->lsv_licence, Ligne_texte(f->lsv_licence, nom)));
        Cliquer(f->Cmd_add[0]);
    }
    f->SSTab1->setCurrentIndex(0);
    c.ihm.effacer();
    Cliquer(f->Cmd_def[0]);
    QCOMPARE(c.ihm.messages(), QStringList {"Veuillez spécifier la composition complète du relais."});
    QCOMPARE(f->SSTab1->currentIndex(), 1);
    QCOMPARE(f->focusWidget(), f->lsv_licence);

    f->lsv_licence->setCurrentItem(Ligne(f->lsv_licence, Ligne_texte(f->lsv_licence, "DUBOIS")));
    QTest::keyClick(f->lsv_licence, Qt::Key_Return); // Enter adds the candidate
    QCOMPARE(Nombre_lignes(f->lsv_compo_relais), 4);
    // The last leg moved up one place, its key with it.
    QCOMPARE(f->lsv_compo_relais->currentItem(), Ligne(f->lsv_compo_relais, 4));
    Cliquer(f->cmd_plus);
    QCOMPARE(Ligne(f->lsv_compo_relais, 3)->text(0), QString("DUBOIS"));
    QCOMPARE(Ligne(f->Lsv_compo_relais_num, 3)->text(0), QString("10"));
    c.ihm.repondre(Reponse::Oui);
    Cliquer(f->Cmd_def[0]);
    QCOMPARE(c.ihm.appels().back().texte,
             QString("Enregistrer la nouvelle perfomance sur le Dames 4 x 50 m N.L.\r\n avec le temps 2:10.00 ?"));
    QCOMPARE(Lignes_requete("SELECT * FROM Liffn_relais"),
             QStringList {"43|" + clubA + "|1|25|20040612|2,1|Pont-l'Abbe|13|10|10|13|1|1|1|1|1|1| | | | |0|1"});
    // Same event, empty entry and composition, the candidates still there.
    QCOMPARE(Nombre_lignes(f->lsv_compo_relais), 0);
    QCOMPARE(f->txt_info[0]->text(), QString("0.0000"));
    QCOMPARE(f->LsvNage->currentItem()->text(1), QString("Dames 4 x 50 m N.L."));
    QVERIFY(Nombre_lignes(f->lsv_licence) > 0);
    f->close();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TestPerfManuelle::relaisCandidatsEtBoutonsDeComposition()
{
    ContextePerfs c;
    QPointer<frm_ajout_perf_relais> f;
    Ouvrir_frm_ajout_perf_relais(f);
    QVERIFY(!f->Cmd_def[0]->isEnabled() && !f->Cmd[2]->isEnabled() && f->Cmd[1]->isEnabled());
    auto candidats = [&] {
        QStringList noms;
        for (int i = 1; i <= Nombre_lignes(f->lsv_licence); ++i)
            noms << Ligne(f->lsv_licence, i)->text(0);
        return noms;
    };
    f->LsvNage->setCurrentItem(Ligne(f->LsvNage, Ligne_texte(f->LsvNage, "Dames 4 x 100 m 4 Nages", 1)));
    Cliquer(f->Cmd[1]);
    QCOMPARE(candidats(), QStringList({"DUBOIS", "MARTIN"}));
    QVERIFY(f->Opt_bassin[0]->isChecked());
    QVERIFY(!f->LsvNage->isEnabled());
    f->SSTab1->setCurrentIndex(1);
    for (int i = 0; i < 4; ++i)
        Cliquer(f->Cmd_add[0]);
    QVERIFY(!f->Cmd_add[0]->isEnabled());
    QVERIFY(f->Cmd_add[1]->isEnabled() && f->cmd_plus->isEnabled() && f->cmd_moins->isEnabled());
    Capturer(f, "frm_ajout_perf_relais");
    // The Delete key takes a leg off; adding is possible again.
    f->lsv_compo_relais->setFocus();
    QTest::keyClick(f->lsv_compo_relais, Qt::Key_Delete);
    QCOMPARE(Nombre_lignes(f->lsv_compo_relais), 3);
    QVERIFY(f->Cmd_add[0]->isEnabled());

    Cliquer(f->Cmd[2]);
    QCOMPARE(Nombre_lignes(f->lsv_compo_relais), 0);
    QCOMPARE(f->Nb_relayeurs(), -1);
    f->LsvNage->setCurrentItem(Ligne(f->LsvNage, Ligne_texte(f->LsvNage, "4 x 50 m N.L. Mixte", 1)));
    Cliquer(f->Cmd[1]);
    QCOMPARE(candidats(), QStringList({"DUBOIS", "DUPONT", "MARTIN", "RELAIS"}));
    f->close();
}

QTEST_MAIN(TestPerfManuelle)
#include "tst_perf_manuelle.moc"
