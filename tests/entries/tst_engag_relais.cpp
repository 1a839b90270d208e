// The relay entry window: numbers of relay teams per club team, compositions of legs, the
// entry time from the legs' best times, and the undo from the work copy.

#include "competitions/frm_liste_compet.h"
#include "core/base.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/ouvreurs.h"
#include "core/services.h"
#include "entries/frm_engag_relais.h"
#include "entries/temps_relais.h"
#include "entries/utils_relais.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "records_points/frm_calTps.h"
#include "shell/frm_principal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

namespace {

// A 25 m competition of profile 1 with one team of each kind; five women and two men entered
// in "Equipe 1 Femme" and "Equipe 1 Homme".
struct Compet {
    BaseTest base;
    QString c;
    QStringList femmes; // Licence.Num of Anne, Berthe, Claire, Denise, Eve
    QStringList hommes;

    explicit Compet(int longueur = 25)
    {
        strNumProfil = "1";
        bClubSelection = false;
        strNumLicenceNulle = Controler_licence_nulle();
        base.executer("INSERT INTO Rcomp (Nom, Debut, Longueur) VALUES ('Meeting', '20250601', "
                      + QString::number(longueur) + ")");
        c = base.valeur("select max(AutoNum) from Rcomp");
        base.executer("INSERT INTO Engag_equipe VALUES (" + c + ", 1, 1, 1, 1, 0, 0, 0)");
        const QStringList noms{"Anne", "Berthe", "Claire", "Denise", "Eve"};
        for (int i = 0; i < noms.size(); ++i)
            femmes << nageur("F" + noms[i], noms[i], "F", "1", false);
        hommes << nageur("HAlain", "Alain", "M", "1", false) << nageur("HBruno", "Bruno", "M", "1", false);
    }

    QString nageur(const QString& nom, const QString& prenom, const QString& sexe, const QString& equipe, bool mixte)
    {
        base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES ('X', 'L" + nom
                      + "', '" + nom + "', '" + prenom + "', '" + sexe + "', 1)");
        const QString num = base.valeur("select max(Num) from Licence");
        base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES (1, " + c
                      + ", " + num + ", " + equipe + ", " + (mixte ? "1" : "0") + ")");
        return num;
    }

    ~Compet()
    {
        // Windows left open by a failed check are closed while their base is still there.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<FenetreComptee*>(w))
                w->close();
        Traiter_evenements();
    }

    // A relay row with its legs (the rest the placeholder).
    void relais(int code, int ordinal, int equipe, bool mixte, const QString& tps, const QStringList& jambes = {})
    {
        QString valeurs;
        for (int k = 0; k < 10; ++k)
            valeurs += ", " + (k < jambes.size() ? jambes[k] : strNumLicenceNulle);
        base.executer("INSERT INTO Relais VALUES (1, " + c + ", " + QString::number(code) + ", "
                      + QString::number(ordinal) + ", " + QString::number(equipe) + ", " + (mixte ? "1" : "0") + ", "
                      + tps + valeurs + ")");
    }

    // What the competition list does before opening the window.
    frm_engag_relais* ouvrir(QPointer<frm_engag_relais>& fenetre)
    {
        base.executer("INSERT INTO Relais_tempo SELECT * FROM Relais WHERE Num_profil = 1 AND Num_compet = " + c);
        Ouvrir_frm_engag_relais(fenetre, c, nullptr);
        return fenetre;
    }

    // "code:ordinal:equipe:mixte:Tps:legs" of every relay row, the placeholder written "-".
    QStringList lignes() const
    {
        QStringList resultat;
        const QStringList brutes = Lignes_requete(
            "select Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Tps, Licence1, Licence2, Licence3, Licence4, "
            "Licence5, Licence6, Licence7, Licence8, Licence9, Licence10 from Relais where Num_compet = "
            + c + " order by Code_epreuve, Num_equipe, Equipe_mixte, Num_Lic");
        for (QString l : brutes) {
            QStringList v = l.split('|');
            for (int k = 5; k < v.size(); ++k)
                if (v[k] == strNumLicenceNulle)
                    v[k] = "-";
            while (v.size() > 5 && v.last() == "-")
                v.removeLast();
            resultat << v.join(':');
        }
        return resultat;
    }
};

void Choisir_equipe(frm_engag_relais* f, const QString& libelle)
{
    const int i = f->cbo_team->findText(libelle);
    QVERIFY(i >= 0);
    f->cbo_team->setCurrentIndex(i);
}

QListWidgetItem* Evenement(QListWidget* liste, const QString& libelle)
{
    const auto trouves = liste->findItems(libelle, Qt::MatchExactly);
    return trouves.isEmpty() ? nullptr : trouves.first();
}

void Taper(QLineEdit* boite, const QString& texte)
{
    QApplication::setActiveWindow(boite->window());
    boite->setFocus();
    QCoreApplication::processEvents();
    boite->selectAll();
    QTest::keyClick(boite, Qt::Key_Backspace, {}, 1);
    QTest::keyClicks(boite, texte);
}

QStringList Colonne(QTreeWidget* liste, int colonne)
{
    QStringList v;
    for (int i = 1; i <= Nombre_lignes(liste); ++i)
        v << Ligne(liste, i)->text(colonne);
    return v;
}

} // namespace

class TstEngagRelais : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void ouvertureDepuisLaListe();
    void equipesEtNombres();
    void nombresEnBassinDe50();
    void composition();
    void annulerEtFermerRestaurent_data();
    void annulerEtFermerRestaurent();
    void annulationImpossibleGardeLaCopie();
    void erreurBaseSignalee();
    void codesDesJambes_data();
    void codesDesJambes();
    void tempsCalcule_data();
    void tempsCalcule();
    void tempsCalculeDansLaFenetre();
    void calculatrice_data();
    void calculatrice();
    void calculatriceCopieVersLeRelais();
    void menuCalculatrice();
    void images();

private:
    ReglagesTest m_reglages;
};

void TstEngagRelais::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstEngagRelais::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
}

void TstEngagRelais::ouvertureDepuisLaListe()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Compet k;
    k.relais(44, 1, 1, false, "4.1", {k.femmes[0]});
    QPointer<Frm_liste_compet> liste;
    Ouvrir_liste_compet(liste, "Choix d'une compétition pour engagements des relais", "Choix pour engagements relais",
                        false, "&Engag", nullptr, QString());
    QCOMPARE(Nombre_lignes(liste->lsv_compet), 1);

    // A work copy that cannot be taken opens nothing: a cancel would have nothing to put back.
    k.base.executer("CREATE TRIGGER panne BEFORE INSERT ON Relais_tempo BEGIN SELECT RAISE(ABORT, 'plein'); END");
    Double_clic(liste->lsv_compet, 1);
    Traiter_evenements();
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith(
        "Une erreur s'est produite lors de la sauvegarde dans la table Relais_tempo des engagements des relais."));
    QVERIFY(!Fenetre_nommee<frm_engag_relais>("frm_engag_relais"));
    k.base.executer("DROP TRIGGER panne");

    ihm.effacer();
    Double_clic(liste->lsv_compet, 1);
    Traiter_evenements();
    auto* f = Fenetre_nommee<frm_engag_relais>("frm_engag_relais");
    QVERIFY(f);
    QVERIFY(ihm.messages().isEmpty());
    QCOMPARE(f->frmCible.data(), static_cast<QWidget*>(liste.data()));
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("1"));
    // One relay edit at a time.
    Double_clic(liste->lsv_compet, 1);
    Traiter_evenements();
    QCOMPARE(ihm.messages(), QStringList{"La fenêtre est déjà ouverte.\r\nTerminer la précédente opération."});
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("1"));
    // Once it is closed the list opens it again.
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    Traiter_evenements();
    ihm.effacer();
    Double_clic(liste->lsv_compet, 1);
    Traiter_evenements();
    QVERIFY(ihm.messages().isEmpty());
    QVERIFY(Fenetre_nommee<frm_engag_relais>("frm_engag_relais"));
    liste->close();
    Traiter_evenements();
    QVERIFY(!Fenetre_nommee<frm_engag_relais>("frm_engag_relais"));
    QCOMPARE(k.lignes(), QStringList{"44:1:1:Faux:4,1:" + k.femmes[0]});
}

void TstEngagRelais::equipesEtNombres()
{
    Compet k;
    k.relais(44, 1, 1, true, "0", {}); // the mixed team 1 swims the women's 4 x 100 too
    k.relais(44, 2, 1, true, "0", {});
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QString("Définition des relais"));
    QCOMPARE(f->cbo_team->count(), 4);
    QCOMPARE(f->cbo_team->currentIndex(), -1);
    QCOMPARE(f->Lst_relais->count(), 0);

    // A women's team is offered the women's relays only; a tick proposes one relay team.
    Choisir_equipe(f, "Equipe 1 Femme");
    QCOMPARE(f->Lst_relais->count(), 7);
    QVERIFY(!f->txt_nb_equipe->isEnabled());
    Evenement(f->Lst_relais, "Dames 4 x 100 m N.L.")->setCheckState(Qt::Checked);
    QCOMPARE(f->txt_nb_equipe->text(), QString("1"));
    Taper(f->txt_nb_equipe, "3");
    Evenement(f->Lst_relais, "Dames 4 x 50 m 4 Nages")->setCheckState(Qt::Checked);
    QCOMPARE(f->txt_nb_equipe->text(), QString("1"));
    // Another club team saves the counts of this one.
    Choisir_equipe(f, "Individuel");
    QCOMPARE(f->Lst_relais->count(), 19);
    QCOMPARE(k.lignes(), (QStringList{"44:1:1:Faux:0", "44:2:1:Faux:0", "44:3:1:Faux:0", "44:1:1:Vrai:0",
                                      "44:2:1:Vrai:0", "46:1:1:Faux:0"}));

    // Back on the women's team: its counts are read back; legs given to relay 1 stay with it.
    k.base.executer("UPDATE Relais SET Licence1 = " + k.femmes[0]
                    + " WHERE Code_epreuve = 44 AND Num_Lic = 1 AND Equipe_mixte = 0");
    Choisir_equipe(f, "Equipe 1 Femme");
    QListWidgetItem* e44 = Evenement(f->Lst_relais, "Dames 4 x 100 m N.L.");
    QListWidgetItem* e46 = Evenement(f->Lst_relais, "Dames 4 x 50 m 4 Nages");
    QCOMPARE(e44->checkState(), Qt::Checked);
    QCOMPARE(e46->checkState(), Qt::Checked);
    f->Lst_relais->setCurrentItem(e44);
    QCOMPARE(f->txt_nb_equipe->text(), QString("3"));
    Taper(f->txt_nb_equipe, "1");
    e46->setCheckState(Qt::Unchecked);
    QVERIFY(!f->txt_nb_equipe->isEnabled());
    QVERIFY(f->txt_nb_equipe->text().isEmpty());
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!fenetre);
    // Only the top ordinals went; the mixed team kept its rows; the work copy is emptied.
    QCOMPARE(k.lignes(), (QStringList{"44:1:1:Faux:0:" + k.femmes[0], "44:1:1:Vrai:0", "44:2:1:Vrai:0"}));
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("0"));
}

void TstEngagRelais::nombresEnBassinDe50()
{
    Compet k(50);
    k.base.executer("UPDATE Nage SET Possible_50 = 0 WHERE Code_Nage = 49");
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    QCOMPARE(f->Lst_relais->count(), 6);
    QVERIFY(!Evenement(f->Lst_relais, "Dames 10 x 100 m N.L."));
    // Ticked and left at its proposed count: one relay team with no time and no legs.
    Evenement(f->Lst_relais, "Dames 4 x 200 m N.L.")->setCheckState(Qt::Checked);
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    QCOMPARE(k.lignes(), QStringList{"45:1:1:Faux:0"});
}

void TstEngagRelais::composition()
{
    Compet k;
    const QStringList& w = k.femmes;
    // Relay 1 lost a swimmer: a placeholder stands between two legs.
    k.relais(44, 1, 1, false, "4.1", {w[0], strNumLicenceNulle, w[1]});
    k.relais(44, 2, 1, false, "0");
    k.relais(93, 1, 1, false, "0"); // the men's team is not listed for the women
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QVERIFY(f->modeComposition());
    QCOMPARE(f->Cmd[2]->text(), QString("&Sélection"));
    QVERIFY(f->Lst_relais_engag->isVisibleTo(f) && !f->Lst_relais->isVisibleTo(f));
    QTRY_COMPARE(f->tailleDesign().height(), 9270 / 15);

    QCOMPARE(f->Lst_relais_engag->count(), 1);
    QCOMPARE(f->cbo_team_relais->count(), 2);
    QCOMPARE(f->txt_temps->text(), QString("4.1000"));
    QCOMPARE(Colonne(f->lsv_engag, 1), (QStringList{"Anne", "Berthe", "Claire", "Denise", "Eve"}));
    // The legs closed up.
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), (QStringList{"Anne", "Berthe"}));
    QCOMPARE(Colonne(f->Lsv_engag_relais_num, 0), (QStringList{w[0], w[1]}));
    QVERIFY(!f->Cmd_CalTps->isEnabled());

    // Claire by the button, Eve by Return: the relay is complete.
    Selectionner_element(f->lsv_engag, 3);
    QTest::mouseClick(f->Cmd_add[0], Qt::LeftButton);
    Selectionner_element(f->lsv_engag, 5);
    QTest::keyClick(f->lsv_engag, Qt::Key_Return, {}, 1);
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), (QStringList{"Anne", "Berthe", "Claire", "Eve"}));
    QCOMPARE(Ligne_courante(f->lsv_engag_relais), 4);
    QVERIFY(!f->Cmd_add[0]->isEnabled() && !f->lsv_engag->isEnabled());
    QVERIFY(f->Cmd_CalTps->isEnabled());

    // Eve up twice, Anne down once, and the moves stop at the ends.
    QTest::mouseClick(f->cmd_plus, Qt::LeftButton);
    QTest::mouseClick(f->cmd_plus, Qt::LeftButton);
    Selectionner_element(f->lsv_engag_relais, 1);
    QTest::mouseClick(f->cmd_moins, Qt::LeftButton);
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), (QStringList{"Eve", "Anne", "Berthe", "Claire"}));
    QCOMPARE(Colonne(f->Lsv_engag_relais_num, 0), (QStringList{w[4], w[0], w[1], w[2]}));
    Selectionner_element(f->lsv_engag_relais, 4);
    QTest::mouseClick(f->cmd_moins, Qt::LeftButton);
    Selectionner_element(f->lsv_engag_relais, 1);
    QTest::mouseClick(f->cmd_plus, Qt::LeftButton);
    QCOMPARE(Colonne(f->Lsv_engag_relais_num, 0), (QStringList{w[4], w[0], w[1], w[2]}));

    // Anne leaves by the Delete key; Berthe, after her, becomes the selected leg.
    Selectionner_element(f->lsv_engag_relais, 2);
    QTest::keyClick(f->lsv_engag_relais, Qt::Key_Delete, {}, 1);
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), (QStringList{"Eve", "Berthe", "Claire"}));
    QCOMPARE(Ligne_courante(f->lsv_engag_relais), 2);
    QVERIFY(f->Cmd_add[0]->isEnabled() && !f->Cmd_CalTps->isEnabled());

    // A half-typed time is written as a number when relay 2 is chosen.
    Taper(f->txt_temps, "3.");
    f->cbo_team_relais->setCurrentIndex(1);
    QCOMPARE(f->lsv_engag_relais->topLevelItemCount(), 0);
    QCOMPARE(f->txt_temps->text(), QString("0.0000"));
    QCOMPARE(k.lignes()[0], "44:1:1:Faux:3:" + w[4] + ":" + w[1] + ":" + w[2]);

    // Relay 2 gets one swimmer; "&Ok" saves it. An emptied leg is filled by the placeholder.
    Selectionner_element(f->lsv_engag, 4);
    QTest::mouseClick(f->Cmd_add[0], Qt::LeftButton);
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    QCOMPARE(k.lignes(), (QStringList{"44:1:1:Faux:3:" + w[4] + ":" + w[1] + ":" + w[2], "44:2:1:Faux:0:" + w[3],
                                      "93:1:1:Faux:0"}));
}

void TstEngagRelais::annulerEtFermerRestaurent_data()
{
    QTest::addColumn<bool>("parLeBouton");
    QTest::newRow("&Annuler") << true;
    QTest::newRow("case de fermeture") << false;
}

void TstEngagRelais::annulerEtFermerRestaurent()
{
    QFETCH(bool, parLeBouton);
    Compet k;
    k.relais(44, 1, 1, false, "4.1", {k.femmes[0], k.femmes[1]});
    k.relais(44, 2, 1, false, "0");
    const QStringList avant = k.lignes();
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    // Counts saved, then a composition saved: both are undone.
    Choisir_equipe(f, "Equipe 1 Femme");
    Evenement(f->Lst_relais, "Dames 4 x 50 m N.L.")->setCheckState(Qt::Checked);
    f->Lst_relais->setCurrentItem(Evenement(f->Lst_relais, "Dames 4 x 100 m N.L."));
    Taper(f->txt_nb_equipe, "1");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    Selectionner_element(f->lsv_engag_relais, 1);
    QTest::keyClick(f->lsv_engag_relais, Qt::Key_Delete, {}, 1);
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QVERIFY(k.lignes() != avant);

    QPointer<frm_calTps> calculatrice;
    QTest::mouseClick(f->Cmd_AffichCalTps, Qt::LeftButton);
    calculatrice = f->calculatrice();
    QVERIFY(calculatrice);
    if (parLeBouton)
        QTest::mouseClick(f->Cmd[1], Qt::LeftButton);
    else
        f->close();
    Traiter_evenements();
    QVERIFY(!fenetre);
    QVERIFY(!calculatrice);
    QCOMPARE(k.lignes(), avant);
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("0"));
    QVERIFY(!Fenetre_ouverte());
}

void TstEngagRelais::annulationImpossibleGardeLaCopie()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Compet k;
    k.relais(44, 1, 1, false, "4.1", {k.femmes[0]});
    const QStringList avant = k.lignes();
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    Evenement(f->Lst_relais, "Dames 4 x 50 m N.L.")->setCheckState(Qt::Checked);
    Choisir_equipe(f, "Individuel");
    k.base.executer("CREATE TRIGGER panne BEFORE DELETE ON Relais BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
    // Neither the button nor the close box empties the work copy when the rows cannot go back.
    QTest::mouseClick(f->Cmd[1], Qt::LeftButton);
    f->close();
    Traiter_evenements();
    QVERIFY(fenetre && f->isVisible());
    QCOMPARE(ihm.messages().size(), 2);
    for (const QString& m : ihm.messages())
        QVERIFY(m.startsWith("Une erreur s'est produite lors de la sauvegarde dans la table Relais des engagements "
                             "des relais."));
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("1"));
    k.base.executer("DROP TRIGGER panne");
    QTest::mouseClick(f->Cmd[1], Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!fenetre);
    QCOMPARE(k.lignes(), avant);
    QCOMPARE(k.base.valeur("select count(*) from Relais_tempo"), QString("0"));
}

void TstEngagRelais::erreurBaseSignalee()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Compet k;
    k.relais(44, 1, 1, false, "0", {k.femmes[0]});
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    f->Lst_relais->setCurrentItem(Evenement(f->Lst_relais, "Dames 4 x 100 m N.L."));
    Taper(f->txt_nb_equipe, "3");
    Evenement(f->Lst_relais, "Dames 4 x 50 m N.L.")->setCheckState(Qt::Checked);
    // The second insert fails: nothing of the club team's counts is written, the window stays.
    k.base.executer("CREATE TRIGGER panne BEFORE INSERT ON Relais WHEN NEW.Code_epreuve = 44 BEGIN "
                    "SELECT RAISE(ABORT, 'disque plein'); END");
    Choisir_equipe(f, "Individuel");
    QCOMPARE(f->cbo_team->currentText(), QString("Equipe 1 Femme"));
    QCOMPARE(f->Lst_relais->count(), 7);
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    QVERIFY(fenetre);
    QCOMPARE(ihm.messages().size(), 2);
    for (const QString& m : ihm.messages())
        QVERIFY(m.startsWith("Une erreur s'est produite lors de la sauvegarde du nombre d'équipe relais."));
    ihm.effacer();
    QCOMPARE(k.lignes(), QStringList{"44:1:1:Faux:0:" + k.femmes[0]});

    // A composition that cannot be written keeps its legs on screen.
    k.base.executer("DROP TRIGGER panne");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QCOMPARE(k.lignes().size(), 4);
    f->Lst_relais_engag->setCurrentRow(1);
    QCOMPARE(f->cbo_team_relais->count(), 3);
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), QStringList{"Anne"});
    k.base.executer("CREATE TRIGGER panne BEFORE UPDATE ON Relais BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
    f->cbo_team_relais->setCurrentIndex(1);
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Une erreur s'est produite lors de la sauvegarde de la composition du relais."));
    QCOMPARE(f->cbo_team_relais->currentIndex(), 0);
    QCOMPARE(Colonne(f->lsv_engag_relais, 1), QStringList{"Anne"});
    k.base.executer("DROP TRIGGER panne");
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    Traiter_evenements();
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(!fenetre);
}

// ---- Entry time from the legs' best times ----------------------------------------------------

void TstEngagRelais::codesDesJambes_data()
{
    QTest::addColumn<QString>("libelle");
    QTest::addColumn<int>("jambes");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("4 x 50 N.L.") << "Dames 4 x 50 m N.L." << 4 << QList<int>{1, 1, 1, 1};
    QTest::newRow("10 x 100 N.L.") << "Messieurs 10 x 100 m N.L." << 10 << QList<int>(10, 2);
    QTest::newRow("4 x 200 N.L.") << "Dames 4 x 200 m N.L." << 4 << QList<int>{3, 3, 3, 3};
    QTest::newRow("4 x 100 4 nages mixte") << "4 x 100 m 4 Nages Mixte" << 4 << QList<int>{12, 22, 32, 2};
    QTest::newRow("4 x 50 4 nages") << "Messieurs 4 x 50 m 4 Nages" << 4 << QList<int>{11, 21, 31, 1};
    QTest::newRow("25 m legs unknown") << "Dames 4 x 25 m N.L." << 4 << QList<int>{};
    QTest::newRow("no x") << "Relais libre" << 4 << QList<int>{};
    QTest::newRow("medley of 10") << "Dames 10 x 50 m 4 Nages" << 10 << QList<int>{};
}

void TstEngagRelais::codesDesJambes()
{
    QFETCH(QString, libelle);
    QFETCH(int, jambes);
    QFETCH(QList<int>, codes);
    QCOMPARE(Codes_jambes_relais(libelle, jambes), codes);
}

void TstEngagRelais::tempsCalcule_data()
{
    // perfs: "leg:code:pool:date:time", legs counted from 0; today is 1 March 2025, so the
    // earliest date counted is 16 September 2022.
    QTest::addColumn<QString>("libelle");
    QTest::addColumn<int>("bassin");
    QTest::addColumn<QStringList>("perfs");
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<QStringList>("manquants");
    const QStringList nl50{"0:1:25:20241010:0.3000", "1:1:25:20241010:0.3100", "2:51:25:20241010:0.3200",
                           "3:1:50:20241010:0.3300"};
    QTest::newRow("4 x 50 N.L., women's and men's codes") << "Dames 4 x 50 m N.L." << 25 << nl50 << "2.0600"
                                                         << QStringList{};
    QTest::newRow("4 x 100 4 nages: dos, brasse, papillon, N.L.")
        << "Messieurs 4 x 100 m 4 Nages" << 25
        << QStringList{"0:62:25:20241010:1.0000", "1:22:25:20241010:1.1000", "2:82:25:20241010:1.0500",
                       "3:2:25:20241010:0.5500",
                       // the same swimmers in other strokes do not count
                       "0:2:25:20241010:0.4000", "1:12:25:20241010:0.4000"}
        << "4.1000" << QStringList{};
    QTest::newRow("50 m competition: 50 m pools only")
        << "Dames 4 x 50 m N.L." << 50
        << QStringList{"0:1:50:20241010:0.3000", "0:1:25:20241010:0.2500", "1:1:50:20241010:0.3000",
                       "2:1:50:20241010:0.3000", "3:1:50:20241010:0.3000"}
        << "2.0000" << QStringList{};
    QTest::newRow("25 m competition: both pools")
        << "Dames 4 x 50 m N.L." << 25
        << QStringList{"0:1:50:20241010:0.3000", "0:1:25:20241010:0.2500", "1:1:50:20241010:0.3000",
                       "2:1:50:20241010:0.3000", "3:1:50:20241010:0.3000"}
        << "1.5500" << QStringList{};
    QTest::newRow("season start: 15 September out, 16 in")
        << "Dames 4 x 50 m N.L." << 25
        << QStringList{"0:1:25:20220915:0.2000", "0:1:25:20220916:0.3000", "1:1:25:20241010:0.3000",
                       "2:1:25:20241010:0.3000", "3:1:25:20241010:0.3000"}
        << "2.0000" << QStringList{};
    QTest::newRow("a time of 0 is not a best")
        << "Dames 4 x 50 m N.L." << 25
        << QStringList{"0:1:25:20241010:0", "0:1:25:20241010:0.3000", "1:1:25:20241010:0.3000",
                       "2:1:25:20241010:0.3000", "3:1:25:20241010:0.3000"}
        << "2.0000" << QStringList{};
    QTest::newRow("sum in whole hundredths")
        << "Dames 4 x 100 m N.L." << 25
        << QStringList{"0:2:25:20241010:1.0050", "1:2:25:20241010:0.5975", "2:2:25:20241010:0.5750",
                       "3:2:25:20241010:0.0250"}
        << "3.0025" << QStringList{};
    QTest::newRow("one swimmer without a time")
        << "Dames 4 x 50 m N.L." << 25 << QStringList{"0:1:25:20241010:0.3000", "1:1:25:20241010:0.3000",
                                                      "3:1:25:20241010:0", "3:51:25:20241010:0.3100",
                                                      "2:2:25:20241010:0.5000"}
        << "" << QStringList{"Claire"};
    QTest::newRow("several swimmers without a time")
        << "Dames 4 x 50 m N.L." << 25 << QStringList{"1:1:25:20220101:0.3000", "2:1:25:20241010:0.3000"} << ""
        << QStringList{"Anne", "Berthe", "Denise"};
}

void TstEngagRelais::tempsCalcule()
{
    QFETCH(QString, libelle);
    QFETCH(int, bassin);
    QFETCH(QStringList, perfs);
    QFETCH(QString, attendu);
    QFETCH(QStringList, manquants);
    Compet k;
    const JourFixe jour(QDate(2025, 3, 1));
    const QStringList noms{"Anne", "Berthe", "Claire", "Denise"};
    const QStringList cles = k.femmes.mid(0, 4);
    for (const QString& p : perfs) {
        const QStringList v = p.split(':');
        k.base.executer("INSERT INTO Liffn (Code_epreuve, Code_club, Num_Lic, Type_bassin, Date_perf, Tps, Num_compet) "
                        "VALUES ("
                        + v[1] + ", 'X', " + cles[v[0].toInt()] + ", " + v[2] + ", '" + v[3] + "', " + v[4] + ", 0)");
    }
    const TempsRelaisCalcule r = Calculer_temps_relais(libelle, cles, noms, bassin);
    QVERIFY(r.reconnu);
    QCOMPARE(r.temps, attendu);
    QCOMPARE(r.manquants, manquants);
    if (!manquants.isEmpty()) {
        const QString message = Message_temps_relais_impossible(manquants);
        const QString debut = manquants.size() == 1 ? "car un nageur n'a pas \r\n" : "car des nageurs n'ont pas \r\n";
        QVERIFY(message.startsWith("Impossible de calculer le temps d'engagement " + debut
                                   + "de performances enregistrées utilisables pour ce relais :\r\n"));
        QVERIFY(message.endsWith("- " + manquants.join("\r\n- ") + "\r\n"));
    }
}

void TstEngagRelais::tempsCalculeDansLaFenetre()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Compet k;
    const JourFixe jour(QDate(2025, 3, 1));
    const QStringList& w = k.femmes;
    k.relais(46, 1, 1, false, "0", {w[0], w[1], w[2], w[3]});
    const int codes[4] = {11, 21, 31, 1};
    for (int i = 0; i < 3; ++i)
        k.base.executer("INSERT INTO Liffn (Code_epreuve, Num_Lic, Type_bassin, Date_perf, Tps, Num_compet) VALUES ("
                        + QString::number(codes[i]) + ", " + w[i] + ", 25, '20241010', 0.35, 0)");
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QVERIFY(f->Cmd_CalTps->isEnabled());
    QCOMPARE(f->txt_temps->text(), QString("0.0000"));
    QTest::mouseClick(f->Cmd_CalTps, Qt::LeftButton);
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].contains("un nageur n'a pas"));
    QVERIFY(ihm.messages()[0].endsWith("- FDenise Denise\r\n"));
    QCOMPARE(f->txt_temps->text(), QString("0.0000"));
    k.base.executer("INSERT INTO Liffn (Code_epreuve, Num_Lic, Type_bassin, Date_perf, Tps, Num_compet) VALUES (51, "
                    + w[3] + ", 25, '20241010', 0.3, 0)");
    QTest::mouseClick(f->Cmd_CalTps, Qt::LeftButton);
    QCOMPARE(f->txt_temps->text(), QString("2.1500"));
    // Stored with the relay team only.
    QCOMPARE(k.base.valeur("select Tps from Relais"), QString("0"));
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    QCOMPARE(k.base.valeur("select Tps from Relais"), QString("2,15"));
}

// ---- Time calculator -------------------------------------------------------------------------

void TstEngagRelais::calculatrice_data()
{
    QTest::addColumn<QStringList>("saisies");
    QTest::addColumn<QStringList>("totaux");
    QTest::newRow("57.50 + 2.50") << QStringList{"0.5750", "0.025"} << QStringList{"0.5750", "1.0000"};
    QTest::newRow("35.12 + 34.88") << QStringList{"0.3512", "0.3488"} << QStringList{"0.3512", "1.1000"};
    QTest::newRow("59.50 + 1.50") << QStringList{"0.5950", "0.015"} << QStringList{"0.5950", "1.0100"};
    QTest::newRow("1:00.50 + 59.75 + 2:00") << QStringList{"1.005", ".5975", "2"}
                                             << QStringList{"1.0050", "2.0025", "4.0025"};
    QTest::newRow("empty and 0 add nothing") << QStringList{"", "0", "0.3"} << QStringList{"0.3000"};
}

void TstEngagRelais::calculatrice()
{
    QFETCH(QStringList, saisies);
    QFETCH(QStringList, totaux);
    BaseTest base;
    QPointer<frm_calTps> fenetre;
    Ouvrir_calculatrice_temps(fenetre, 0, 0, nullptr);
    frm_calTps* f = fenetre;
    QCOMPARE(f->windowTitle(), QString("Calculatrice de temps"));
    QVERIFY(!f->chk_CopieCalcul->isVisibleTo(f) && !f->chk_CopieCalcul->isChecked());
    QVERIFY(!f->cmd_Copie->isVisibleTo(f) && !f->cmd_Suppr->isEnabled());
    // Return and "+" both add.
    bool entree = true;
    for (const QString& s : saisies) {
        Taper(f->txt_tpsAjout, s);
        if (entree)
            QTest::keyClick(f->txt_tpsAjout, Qt::Key_Return, {}, 1);
        else
            QTest::keyClick(f->txt_tpsAjout, '+', {}, 1);
        entree = !entree;
    }
    QCOMPARE(Colonne(f->lsv_Histo, 1), totaux);
    QCOMPARE(f->total(), totaux.last());
    QVERIFY(f->txt_tpsAjout->text().isEmpty());

    // Taking back every addition ends at 0 with "&Suppr" disabled.
    for (qsizetype i = totaux.size() - 1; i >= 1; --i) {
        QTest::mouseClick(f->cmd_Suppr, Qt::LeftButton);
        QCOMPARE(f->total(), totaux[i - 1]);
    }
    QVERIFY(f->cmd_Suppr->isEnabled());
    QTest::mouseClick(f->cmd_Suppr, Qt::LeftButton);
    QCOMPARE(f->total(), QString("0.0000"));
    QVERIFY(!f->cmd_Suppr->isEnabled());
    QTest::mouseClick(f->cmd, Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!fenetre);
}

void TstEngagRelais::calculatriceCopieVersLeRelais()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Compet k;
    k.relais(44, 1, 1, false, "0", {k.femmes[0]});
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QTest::mouseClick(f->Cmd_AffichCalTps, Qt::LeftButton);
    QPointer<frm_calTps> c = f->calculatrice();
    QVERIFY(c);
    // A second click only brings it forward.
    QTest::mouseClick(f->Cmd_AffichCalTps, Qt::LeftButton);
    QCOMPARE(f->calculatrice(), c.data());
    QVERIFY(ihm.messages().isEmpty());
    QVERIFY(c->chk_CopieCalcul->isVisibleTo(c) && c->chk_CopieCalcul->isChecked());
    QVERIFY(c->cmd_Copie->isVisibleTo(c) && c->cmd_Copie->isEnabled());

    // Seconds of 60 or more are refused while typing.
    Taper(c->txt_tpsAjout, "0.");
    QTest::keyClicks(c->txt_tpsAjout, "7");
    QCOMPARE(ihm.messages(), QStringList{"Saisie du temps incorrect."});
    QCOMPARE(c->txt_tpsAjout->text(), QString("0."));

    for (const char* s : {"0.5750", "0.025"}) {
        Taper(c->txt_tpsAjout, s);
        QTest::keyClick(c->txt_tpsAjout, Qt::Key_Return, {}, 1);
    }
    // Unticked: nothing is copied, even when leaving.
    QTest::mouseClick(c->chk_CopieCalcul, Qt::LeftButton);
    QVERIFY(!c->cmd_Copie->isEnabled());
    c->cmd_Copie_Click();
    QCOMPARE(f->txt_temps->text(), QString("0.0000"));
    QTest::mouseClick(c->chk_CopieCalcul, Qt::LeftButton);
    QVERIFY(c->cmd_Copie->isEnabled());
    QTest::mouseClick(c->cmd_Copie, Qt::LeftButton);
    QCOMPARE(f->txt_temps->text(), QString("1.0000"));
    f->txt_temps->setText("2.0000");
    // "&Quitter" copies again and tells the relay window.
    QTest::mouseClick(c->cmd, Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!c);
    QVERIFY(!f->calculatrice());
    QCOMPARE(f->txt_temps->text(), QString("1.0000"));
    QTest::mouseClick(f->Cmd[0], Qt::LeftButton);
    QCOMPARE(k.base.valeur("select Tps from Relais"), QString("1"));
}

void TstEngagRelais::menuCalculatrice()
{
    Compet k;
    FrmPrincipal principale;
    principale.show();
    Menus_base_ouverte();
    Menu("mnuOutilsCalculTps")->trigger();
    Menu("mnuOutilsCalculTps")->trigger();
    QList<frm_calTps*> ouvertes;
    for (QMdiSubWindow* s : principale.zoneFenetres()->subWindowList())
        if (auto* c = qobject_cast<frm_calTps*>(s->widget()))
            ouvertes << c;
    QCOMPARE(ouvertes.size(), 1);
    // No relay window to copy into.
    QVERIFY(!ouvertes[0]->chk_CopieCalcul->isVisibleTo(ouvertes[0]));
    QVERIFY(Fenetre_ouverte());
    QTest::mouseClick(ouvertes[0]->cmd, Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!Fenetre_ouverte());

    // The relay window in the document area, as the user sees it.
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    const QString dossier = QDir::temp().filePath("qv_images_relais");
    QDir().mkpath(dossier);
    QVERIFY(principale.grab().save(dossier + "/principale_selection.png"));
    f->close();
}

void TstEngagRelais::images()
{
    Compet k;
    k.relais(44, 1, 1, false, "4.1", {k.femmes[0], k.femmes[1], k.femmes[2]});
    k.relais(44, 2, 1, false, "0");
    k.relais(46, 1, 1, false, "0");
    QPointer<frm_engag_relais> fenetre;
    frm_engag_relais* f = k.ouvrir(fenetre);
    Choisir_equipe(f, "Equipe 1 Femme");
    const QString dossier = QDir::temp().filePath("qv_images_relais");
    QDir().mkpath(dossier);
    f->grab().save(dossier + "/selection.png");
    QTest::mouseClick(f->Cmd[2], Qt::LeftButton);
    QTRY_COMPARE(f->tailleDesign().height(), 9270 / 15);
    f->Lst_relais_engag->setCurrentRow(1);
    QCOMPARE(Nombre_lignes(f->lsv_engag_relais), 3);
    QTest::mouseClick(f->Cmd_AffichCalTps, Qt::LeftButton);
    frm_calTps* c = f->calculatrice();
    for (const char* s : {"0.3512", "0.3488"}) {
        Taper(c->txt_tpsAjout, s);
        QTest::keyClick(c->txt_tpsAjout, Qt::Key_Return, {}, 1);
    }
    Traiter_evenements();
    QVERIFY(f->grab().save(dossier + "/composition.png"));
    QVERIFY(c->grab().save(dossier + "/calculatrice.png"));
    f->close();
}

QTEST_MAIN(TstEngagRelais)
#include "tst_engag_relais.moc"
