// The competition list in its twelve modes, opened from the menus as a user does: captions,
// buttons, rows, locks; the soft deletion and its undo; sorting; the follow-on actions.

#include "competitions/cible_programme.h"
#include "competitions/det_compet.h"
#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_modele.h"
#include "competitions/rcomp.h"
#include "core/composants.h"
#include "core/globales.h"
#include "core/ouvreurs.h"
#include "outils_compet.h"
#include "shell/commandes_competitions.h"
#include "shell/commandes_modeles.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

using Verrous = QList<QList<int>>;

namespace {

// The programme editor as the list sees it.
class EditeurFactice : public QWidget, public CibleProgramme, public AppelantFenetres {
public:
    EditeurFactice()
    {
        m_jours = new QLineEdit(this);
        m_dates = new QComboBox(this);
        m_dates->addItem("1ère journée");
    }
    void setTabFromTab(const QString& cle) override { appels << "setTabFromTab " + cle; }
    bool bModele() const override { return modele; }
    int intJourneeMax() const override { return 3; }
    QLineEdit* txt_nb_journee() const override { return m_jours; }
    QComboBox* CboDate() const override { return m_dates; }
    void SetListeFromText() override { appels << "SetListeFromText"; }
    void RefreshListeNage() override { appels << "RefreshListeNage"; }
    void ForceUnloadWindowsEngag(const QString& nom) override { appels << "fermée " + nom; }
    bool modele = true;
    QStringList appels;
    QLineEdit* m_jours;
    QComboBox* m_dates;
};

// The main window's competition menus, without the main window.
struct Menus : QWidget {
    CommandesCompetitions commandes;
    Menus()
    {
        for (const char* nom : {"mnuCompetNew", "mnuCompetListe", "mnuCompetModif", "mnuCompetSuppr", "mnuCompetResult",
                                "mnuCompetSquelet", "mnuEngagIndiv", "mnuEngagRelais", "mnuEngagProgramme",
                                "mnuEngagConvoc", "mnuEngagBordereau", "mnuEngagDisk", "mnuModelePiscineNew",
                                "mnuModelePiscineView", "mnuModelePiscineModif", "mnuModelePiscineSuppr"}) {
            auto* a = new QAction(this);
            a->setObjectName(nom);
            addAction(a);
        }
        commandes.connecter(this);
    }
    void menu(const char* nom) { findChild<QAction*>(nom)->trigger(); }
};

Frm_liste_compet* Liste()
{
    return Fenetre_nommee<Frm_liste_compet>("Frm_liste_compet");
}

const QString dejaOuverte = "La fenêtre est déjà ouverte.\r\nTerminer la précédente opération.";

// The captions of the open windows of that name.
QStringList Titres_ouverts(const QString& nom)
{
    QStringList titres;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == nom && w->isVisible())
            titres << w->windowTitle();
    }
    titres.sort();
    return titres;
}

} // namespace

class TstListeCompet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void modes_data();
    void modes();
    void choixPourProgramme_data();
    void choixPourProgramme();
    void suppressionAnnuleeOuGardee();
    void suppressionSansSelectionOuSansSauvegarde();
    void suppressionNEstPasEffaceeParUneAutreListe();
    void triParColonne();
    void actionsSuivantes_data();
    void actionsSuivantes();
    void bordereauDemandeImprimante();
    void engagementsRefusesSousUneSaisieOuverte();
    void suivanteDUnAutreAppelantNeBloquePas_data();
    void suivanteDUnAutreAppelantNeBloquePas();
    void modificationRechargeLaListe();
    void rechargementRendLActionPossible();
    void erreurDeBaseSignalee();
    void capture();
};

void TstListeCompet::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstListeCompet::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TstListeCompet::modes_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("titre");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("annuler");
    QTest::addColumn<bool>("nouvelle");
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<Verrous>("verrous");

    const QStringList aVenir {"Interclubs régionaux", "Meeting de printemps"};
    // Groups: club, profile, licence, competition, entries, entry templates, pools, programme
    // templates, performances, team points.
    const Verrous consultation {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 0},
                                {1, 1, 1, 1, 1}, {0, 0, 0, 0},       {0, 0, 0, 0},          {0, 0, 0, 0},
                                {0, 0, 0, 0, 0, 0, 0}, {0}};
    Verrous modif = consultation;
    modif[6] = {1, 0, 1, 1};
    Verrous prog = consultation;
    prog[7] = {1, 0, 1, 1};
    const Verrous impression {{0, 0, 1, 1, 1}, {0, 0, 1, 1, 0, 1}, {1, 1, 0, 1, 1, 0, 0}, {1, 1, 1, 1, 1, 1, 0},
                              {1, 1, 1, 1, 1}, {0, 0, 0, 0},       {0, 0, 0, 0},          {0, 0, 0, 0},
                              {0, 0, 0, 0, 0, 0, 0}, {0}};
    Verrous engag = impression;
    engag[5] = {1, 0, 1, 1};
    engag[8] = {1, 1, 0, 0, 0, 0, 0};
    engag[9] = {1};
    const Verrous resultats {{1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0}, {1, 1, 0, 1, 1, 0, 0}, {1, 1, 1, 1, 1, 1, 1},
                             {0, 0, 0, 0, 0}, {0, 0, 0, 0},       {0, 0, 0, 0},          {0, 0, 0, 0},
                             {1, 0, 0, 0, 0, 0, 0}, {0}};

    QTest::newRow("View") << "mnuCompetListe" << "Liste des compétitions à venir" << "" << false << false << aVenir
                          << consultation;
    QTest::newRow("Modif") << "mnuCompetModif" << "Modifier des informations des compétitions" << "&Modifier" << false
                           << false << aVenir << modif;
    QTest::newRow("Suppr") << "mnuCompetSuppr" << "Supprimer Compétitions" << "&Supprimer" << true << false << aVenir
                           << consultation;
    QTest::newRow("Impor res") << "mnuCompetResult" << "Importation résultats pour compétition" << "&Résultats" << false
                               << true << QStringList {"Importée", "Importée sans résultats"} << resultats;
    QTest::newRow("Impor sque") << "mnuCompetSquelet" << "Importation squelette d'une compétition" << "&Import"
                                << false << true << aVenir << Aucun_verrou();
    QTest::newRow("Choix pour engagements")
        << "mnuEngagIndiv" << "Choix d'une compétition pour engagements des nageurs" << "&Engag" << false << false
        << aVenir << engag;
    QTest::newRow("Choix pour engagements relais")
        << "mnuEngagRelais" << "Choix d'une compétition pour engagements des relais" << "&Engag" << false << false
        << aVenir << engag;
    QTest::newRow("modif prog") << "mnuEngagProgramme" << "Choix d'une compétition pour définition du programme"
                                << "&Prog" << false << false << aVenir << prog;
    QTest::newRow("Imprim convoc") << "mnuEngagConvoc" << "Choix d'une compétition pour impression des convocations"
                                   << "&Imprimer" << false << false << aVenir << impression;
    QTest::newRow("Imprim bordereau") << "mnuEngagBordereau"
                                      << "Choix d'une compétition pour impression bordereau d'engagement."
                                      << "&Imprimer" << false << false << aVenir << impression;
    QTest::newRow("disk") << "mnuEngagDisk" << "Choix d'une compétition pour création des disquettes" << "&Disk"
                          << false << false << aVenir << impression;
}

void TstListeCompet::modes()
{
    QFETCH(QString, menu);
    QFETCH(QString, titre);
    QFETCH(QString, action);
    QFETCH(bool, annuler);
    QFETCH(bool, nouvelle);
    QFETCH(QStringList, lignes);
    QFETCH(Verrous, verrous);
    ContexteCompet ctx;
    Menus menus;
    menus.menu(menu.toLatin1().constData());
    Frm_liste_compet* l = Liste();
    QVERIFY(l);
    QCOMPARE(l->strAction, QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(l->windowTitle(), titre);
    QCOMPARE(l->cmd[2]->isVisibleTo(l), !action.isEmpty());
    QCOMPARE(l->cmd[2]->text(), action);
    QCOMPARE(l->cmd[1]->isEnabled(), annuler);
    QCOMPARE(l->cmd[3]->isVisibleTo(l), nouvelle);
    QCOMPARE(Colonne(l->lsv_compet, 1), lignes);
    QCOMPARE(Tous_les_verrous(), verrous);
    if (l->strAction == "Impor res") {
        QCOMPARE(l->lsv_compet->headerItem()->text(4), QString("Res"));
        QCOMPARE(Colonne(l->lsv_compet, 4), (QStringList {"X", ""}));
    } else {
        QCOMPARE(l->lsv_compet->columnCount(), 4);
    }
    QCOMPARE(Colonne(l->lsv_compet, 3).value(0), l->strAction == "Impor res" ? QString("1/01 - 1/01/2025")
                                                                             : QString("10/05 - 10/05/2025"));
    // Every menu of the mode is given back by the close box (checked by cleanup).
    l->close();
}

void TstListeCompet::choixPourProgramme_data()
{
    QTest::addColumn<bool>("entree");
    QTest::newRow("double clic") << false;
    QTest::newRow("Entrée") << true;
}

// Return on a row chooses it as a double click does.
void TstListeCompet::choixPourProgramme()
{
    QFETCH(bool, entree);
    ContexteCompet ctx;
    EditeurFactice editeur;
    QPointer<Frm_liste_compet> liste;
    Ouvrir_liste_compet(liste, "Choix d'une compétition mémorisée pour copie du programme", "Choose compet for prog",
                        true, QString(), &editeur,
                        "select AutoNum, Num, Nom, Debut, Fin, Lieu from Rcomp where Deroule = true order by Debut");
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    QVERIFY(!liste->cmd[2]->isVisibleTo(liste));
    QVERIFY(liste->cmd[1]->isEnabled());
    QCOMPARE(Colonne(liste->lsv_compet, 1), (QStringList {"Importée", "Importée sans résultats", "Clôturée"}));
    if (entree) {
        liste->lsv_compet->setCurrentItem(Ligne(liste->lsv_compet, 2));
        QTest::sendKeyEvent(QTest::Click, liste->lsv_compet, Qt::Key_Return, QString("\r"), Qt::NoModifier);
    } else {
        Double_clic(liste->lsv_compet, 2);
    }
    Traiter_evenements();
    QCOMPARE(editeur.appels, (QStringList {"setTabFromTab " + ctx.d, "SetListeFromText", "RefreshListeNage",
                                           "fermée Frm_liste_compet"}));
    QCOMPARE(editeur.m_jours->text(), QString("3"));
    QCOMPARE(editeur.m_dates->count(), 0);
    QVERIFY(!liste);
}

void TstListeCompet::suppressionAnnuleeOuGardee()
{
    ContexteCompet ctx;
    Menus menus;
    auto visibles = [] { return Valeurs_colonne("select Num from Rcomp where Visible = true order by Num"); };
    const QStringList avant = visibles();

    // The close box brings them back.
    menus.menu("mnuCompetSuppr");
    Frm_liste_compet* l = Liste();
    l->lsv_compet->selectAll();
    Touche(l->lsv_compet, Qt::Key_Delete, "\x7f");
    QCOMPARE(Nombre_lignes(l->lsv_compet), 0);
    QVERIFY(!l->cmd[2]->isEnabled());
    QCOMPARE(visibles(), (QStringList {"C3", "D4"}));
    l->close();
    Traiter_evenements();
    QCOMPARE(visibles(), avant);
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp_tempo"), QString("0"));

    // "&Annuler" as well, after the action button.
    menus.menu("mnuCompetSuppr");
    l = Liste();
    l->lsv_compet->clearSelection();
    Selectionner_element(l->lsv_compet, 2);
    l->cmd[2]->click();
    QCOMPARE(Colonne(l->lsv_compet, 0), QStringList {"B2"});
    l->cmd[1]->click();
    Traiter_evenements();
    QCOMPARE(visibles(), avant);

    // "&Ok" keeps them hidden, held flag untouched.
    menus.menu("mnuCompetSuppr");
    l = Liste();
    Selectionner_element(l->lsv_compet, 1);
    Touche(l->lsv_compet, Qt::Key_Delete, "\x7f");
    l->cmd[0]->click();
    Traiter_evenements();
    QCOMPARE(visibles(), (QStringList {"A1", "C3", "D4"}));
    QCOMPARE(ctx.base.valeur("select Deroule from Rcomp where Num = 'B2'"), QString("Faux"));
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp_tempo"), QString("0"));
    QVERIFY(ctx.ihm.messages().isEmpty());
}

void TstListeCompet::suppressionSansSelectionOuSansSauvegarde()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetSuppr");
    Frm_liste_compet* l = Liste();
    // Nothing selected: the key does nothing.
    l->lsv_compet->clearSelection();
    Touche(l->lsv_compet, Qt::Key_Delete, "\x7f");
    QCOMPARE(Nombre_lignes(l->lsv_compet), 2);
    QVERIFY(ctx.ihm.messages().isEmpty());

    // Without its backup nothing is hidden: it could not come back.
    ctx.base.executer("ALTER TABLE Rcomp_tempo RENAME TO Rcomp_tempo_x");
    Selectionner_element(l->lsv_compet, 1);
    Touche(l->lsv_compet, Qt::Key_Delete, "\x7f");
    QCOMPARE(ctx.ihm.messages().size(), 1);
    QVERIFY(ctx.ihm.messages()[0].startsWith("Erreur lors de la sauvegarde temporaire de la compétition"));
    QCOMPARE(Nombre_lignes(l->lsv_compet), 2);
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp where Visible = false and Deroule = false"), QString("1"));
    ctx.base.executer("ALTER TABLE Rcomp_tempo_x RENAME TO Rcomp_tempo");
}

void TstListeCompet::suppressionNEstPasEffaceeParUneAutreListe()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetSuppr");
    Frm_liste_compet* l = Liste();
    Selectionner_element(l->lsv_compet, 1);
    Touche(l->lsv_compet, Qt::Key_Delete, "\x7f");
    // The programme editor's chooser and a skeleton import open meanwhile, then close.
    EditeurFactice editeur;
    QPointer<Frm_liste_compet> choix;
    Ouvrir_liste_compet(choix, "Choix", "Choose compet for prog", true, QString(), &editeur,
                        "select AutoNum, Num, Nom, Debut, Fin, Lieu from Rcomp where Deroule = true order by Debut");
    choix->cmd[1]->click();
    menus.menu("mnuCompetSquelet");
    menus.commandes.liste("Impor sque")->close();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp_tempo"), QString("1"));
    l->cmd[1]->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("select Visible from Rcomp where Num = 'B2'"), QString("Vrai"));
}

void TstListeCompet::triParColonne()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetListe");
    Frm_liste_compet* l = Liste();
    Selectionner_element(l->lsv_compet, 2);
    QHeaderView* entete = l->lsv_compet->header();
    const QStringList croissant {"Lyon", "Vichy"};
    const QStringList decroissant {"Vichy", "Lyon"};
    for (const QStringList& attendu : {croissant, decroissant, croissant}) {
        emit entete->sectionClicked(2);
        QCOMPARE(Colonne(l->lsv_compet, 2), attendu);
        // The competition selected stays selected.
        QCOMPARE(l->Cle_selectionnee(), ctx.a);
    }
    emit entete->sectionClicked(0);
    QCOMPARE(Colonne(l->lsv_compet, 0), (QStringList {"A1", "B2"}));
}

void TstListeCompet::actionsSuivantes_data()
{
    QTest::addColumn<QString>("menu");
    // The runner's message, or the name and caption of the window opened.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("titre");
    // The runner reaches the component of the mode, which is not there.
    const QString dll = "Impossible de créer l'objet %1 ";
    QTest::newRow("engagements") << "mnuEngagIndiv" << "" << "frm_engag" << "Définition des engagements";
    QTest::newRow("relais") << "mnuEngagRelais" << "" << "frm_engag_relais" << "Définition des relais";
    QTest::newRow("programme") << "mnuEngagProgramme" << "" << "frm_prog" << "Programme compétition";
    QTest::newRow("convocations") << "mnuEngagConvoc" << "" << "frm_convocation" << "Impression des convocations";
    QTest::newRow("fichiers") << "mnuEngagDisk" << dll.arg("EntryFilesBuilder") << "" << "";
    QTest::newRow("résultats") << "mnuCompetResult" << dll.arg("MeetResultsImporter") << "" << "";
    QTest::newRow("squelette") << "mnuCompetSquelet" << dll.arg("MeetSkeletonImporter") << "" << "";
}

void TstListeCompet::actionsSuivantes()
{
    QFETCH(QString, menu);
    QFETCH(QString, message);
    QFETCH(QString, fenetre);
    QFETCH(QString, titre);
    ContexteCompet ctx;
    Composants::enregistrer("EntryFilesBuilder", {});
    Composants::enregistrer("MeetResultsImporter", {});
    Composants::enregistrer("MeetSkeletonImporter", {});
    Menus menus;
    menus.menu(menu.toLatin1().constData());
    Frm_liste_compet* l = Liste();
    if (message.isEmpty() && fenetre.isEmpty())
        ctx.ihm.repondreImprimante(false);
    // A double click acts as the action button: the follow-on is reached.
    Double_clic(l->lsv_compet, 1);
    Traiter_evenements();
    if (message.isEmpty() && fenetre.isEmpty()) {
        QVERIFY(ctx.ihm.toutConsomme());
        QVERIFY(ctx.ihm.messages().isEmpty());
        return;
    }
    if (!fenetre.isEmpty()) {
        // The follow-on window opens on the competition, once.
        auto* suivante = Fenetre_nommee<QWidget>(fenetre);
        QVERIFY(suivante);
        QCOMPARE(suivante->windowTitle(), titre);
        l->cmd[2]->click();
        QCOMPARE(ctx.ihm.messages(), QStringList {dejaOuverte});
        // Closing the list closes it too, while the base is still there.
        l->close();
        Traiter_evenements();
        QVERIFY(!Fenetre_nommee<QWidget>(fenetre));
        return;
    }
    QCOMPARE(ctx.ihm.messages().size(), 1);
    QVERIFY2(ctx.ihm.messages()[0].contains(message), qPrintable(ctx.ihm.messages()[0]));
    QVERIFY(l->isVisible());
    if (l->cmd[3]->isVisible()) {
        l->cmd[3]->click();
        QCOMPARE(ctx.ihm.messages().size(), 2);
    }
}

void TstListeCompet::bordereauDemandeImprimante()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuEngagBordereau");
    Frm_liste_compet* l = Liste();
    // The slip asks for its printer; a cancel stops it, silently, and the list stays.
    ctx.ihm.repondreImprimante(false);
    Double_clic(l->lsv_compet, 1);
    Traiter_evenements();
    QCOMPARE(ctx.ihm.appels().size(), size_t(1));
    QCOMPARE(ctx.ihm.appels()[0].genre, QString("imprimante"));
    QVERIFY(l->isVisible());
    l->close();
    Traiter_evenements();
}

void TstListeCompet::engagementsRefusesSousUneSaisieOuverte()
{
    ContexteCompet ctx;
    Menus menus;
    // An entry edit under way.
    FenetreComptee saisie;
    saisie.setObjectName("frm_engag");
    saisie.show();
    ctx.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic) VALUES (" + ctx.b + ", 1, 1, 1)");
    menus.menu("mnuEngagIndiv");
    Frm_liste_compet* l = Liste();
    l->cmd[2]->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {dejaOuverte});
    QCOMPARE(ctx.base.valeur("select count(*) from Engag_tempo"), QString("0"));
    // Once it is closed, the copies are taken before the entry window is asked for.
    saisie.close();
    l->cmd[2]->click();
    QVERIFY(Fenetre_nommee<QWidget>("frm_engag"));
    QCOMPARE(ctx.base.valeur("select count(*) from Engag_tempo"), QString("1"));
    l->close();
    Traiter_evenements();
}

void TstListeCompet::suivanteDUnAutreAppelantNeBloquePas_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("fenetre");
    QTest::addColumn<QString>("titre");
    QTest::newRow("programme") << "mnuEngagProgramme" << "frm_prog" << "Programme compétition";
    QTest::newRow("convocations") << "mnuEngagConvoc" << "frm_convocation" << "Impression des convocations";
}

// A window of the same kind that another caller opened does not stop the list: only its own
// does. Closing the list leaves the other one open.
void TstListeCompet::suivanteDUnAutreAppelantNeBloquePas()
{
    QFETCH(QString, menu);
    QFETCH(QString, fenetre);
    QFETCH(QString, titre);
    ContexteCompet ctx;
    ctx.base.executer("INSERT INTO Modele_prog (NumAuto, Nom_modele, Num_profil) VALUES (5, 'Hiver', 1)");
    ctx.base.executer("INSERT INTO Pcomp_modele VALUES (5, 2, 1, 1, 0, ' ', 1)");
    QString autre;
    FenetreComptee convocation;
    if (fenetre == "frm_prog") {
        // Modèles > Programme compétition > Voir, on the template.
        CommandesModeles modeles;
        modeles.ouvrirListe("Prog", "View");
        auto* liste = Fenetre_nommee<frm_liste_modele>("frm_liste_modele");
        QVERIFY(liste);
        Selectionner_element(liste->Lsv_modele, 1);
        QTest::mouseClick(liste->Command1_2, Qt::LeftButton);
        autre = "Modèle de Programme Hiver";
    } else {
        convocation.setObjectName(fenetre);
        convocation.setWindowTitle("Convocations d'un autre");
        convocation.show();
        autre = convocation.windowTitle();
    }
    QCOMPARE(Titres_ouverts(fenetre), QStringList {autre});
    Menus menus;
    menus.menu(menu.toLatin1().constData());
    Frm_liste_compet* l = Liste();
    QTest::mouseClick(l->cmd[2], Qt::LeftButton);
    QCOMPARE(ctx.ihm.messages(), QStringList());
    QCOMPARE(Titres_ouverts(fenetre), (QStringList {autre, titre}));
    // Its own window still open: refused.
    QTest::mouseClick(l->cmd[2], Qt::LeftButton);
    QCOMPARE(ctx.ihm.messages(), QStringList {dejaOuverte});
    QCOMPARE(Titres_ouverts(fenetre), (QStringList {autre, titre}));
    l->close();
    Traiter_evenements();
    QCOMPARE(Titres_ouverts(fenetre), QStringList {autre});
}

void TstListeCompet::modificationRechargeLaListe()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetModif");
    Frm_liste_compet* l = Liste();
    Double_clic(l->lsv_compet, 2);
    Traiter_evenements();
    det_compet* d = l->detail();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Modification de la compétition"));
    QCOMPARE(d->Text1[0]->text(), QString("Meeting de printemps"));
    // A second detail is refused while the first is open.
    l->cmd[2]->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {dejaOuverte});
    d->Text1[0]->setText("Meeting d'été");
    d->Text1[2]->setText("Villeurbanne");
    d->Command1[0]->click();
    Traiter_evenements();
    QVERIFY(!l->detail());
    QCOMPARE(Colonne(l->lsv_compet, 1), (QStringList {"Interclubs régionaux", "Meeting d'été"}));
    QCOMPARE(Colonne(l->lsv_compet, 2).value(1), QString("Villeurbanne"));
    QCOMPARE(l->Cle_selectionnee(), ctx.a);
}

// An import into a new competition from an empty list: once the list is reloaded, the new row
// can be acted on.
void TstListeCompet::rechargementRendLActionPossible()
{
    ContexteCompet ctx;
    ctx.base.executer("UPDATE Rcomp SET Visible = false WHERE Deroule = true");
    Menus menus;
    menus.menu("mnuCompetResult");
    Frm_liste_compet* l = Liste();
    QVERIFY(!l->cmd[2]->isEnabled());
    ctx.base.executer("UPDATE Rcomp SET Visible = true WHERE AutoNum = " + ctx.d);
    l->ReloadListe(ctx.d);
    QCOMPARE(Colonne(l->lsv_compet, 1), QStringList {"Importée sans résultats"});
    QCOMPARE(l->Cle_selectionnee(), ctx.d);
    QVERIFY(l->cmd[2]->isEnabled());
}

void TstListeCompet::erreurDeBaseSignalee()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetSuppr");
    Frm_liste_compet* l = Liste();
    ctx.base.executer("ALTER TABLE Rcomp_tempo RENAME TO Rcomp_tempo_x");
    l->cmd[0]->click();
    Traiter_evenements();
    QCOMPARE(ctx.ihm.messages().size(), 1);
    QVERIFY(ctx.ihm.messages()[0].startsWith("Une erreur s'est produite lors de l'opération sur la compétition."));
    // Still there and usable.
    QVERIFY(Liste());
    ctx.base.executer("ALTER TABLE Rcomp_tempo_x RENAME TO Rcomp_tempo");
    l->cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!Liste());
}

void TstListeCompet::capture()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetResult");
    Frm_liste_compet* l = Liste();
    Capturer(l, "liste_compet_resultats");
    l->close();
    menus.menu("mnuCompetModif");
    Capturer(Liste(), "liste_compet_modif");
}

QTEST_MAIN(TstListeCompet)
#include "tst_liste_compet.moc"
