// The competition detail window (checks, interclub rule, dates typed and chosen, saving, the
// programme pulled back inside a shorter competition) and the pools (list, detail, chooser,
// deletion), driven as a user does.

#include "competitions/det_compet.h"
#include "competitions/det_piscine.h"
#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_piscine.h"
#include "competitions/piscines.h"
#include "core/globales.h"
#include "core/ouvreurs.h"
#include "outils_compet.h"
#include "shell/commandes_competitions.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

std::function<int(QDialog&)> Calendrier(const QDate& jour)
{
    return [jour](QDialog& d) {
        d.findChild<QCalendarWidget*>()->setSelectedDate(jour);
        d.findChild<QPushButton*>("Cmd_0")->click();
        return d.result();
    };
}

void Date(det_compet* d, int base, const QString& jjmmaaaa)
{
    d->txt_date[base]->setText(jjmmaaaa.mid(0, 2));
    d->txt_date[base + 1]->setText(jjmmaaaa.mid(2, 2));
    d->txt_date[base + 2]->setText(jjmmaaaa.mid(4));
}

// Every field filled right: a 50 m championship.
void Remplir(det_compet* d)
{
    d->Text1[0]->setText("Coupe de l'Ain");
    d->Text1[1]->setText("AIN25");
    d->Text1[2]->setText("Bourg");
    d->Option1[0]->setChecked(true);
    d->Op_bass[1]->setChecked(true);
    d->Op_f[0]->setChecked(true);
    d->Op_r[1]->setChecked(true);
    d->Op_rg[2]->setChecked(true);
    d->Op_d[2]->setChecked(true);
    Date(d, 0, "02032025");
    Date(d, 10, "03032025");
}

struct Menus : QWidget {
    CommandesCompetitions commandes;
    Menus()
    {
        for (const char* nom : {"mnuCompetNew", "mnuCompetModif", "mnuModelePiscineNew", "mnuModelePiscineView",
                                "mnuModelePiscineModif", "mnuModelePiscineSuppr"}) {
            auto* a = new QAction(this);
            a->setObjectName(nom);
            addAction(a);
        }
        commandes.connecter(this);
    }
    void menu(const char* nom) { findChild<QAction*>(nom)->trigger(); }
};

Frm_liste_piscine* Piscines()
{
    return Fenetre_nommee<Frm_liste_piscine>("Frm_liste_piscine");
}

const QString question = "Remplacer les informations (lieu et nombre de couloir) sur la compétition ?";

} // namespace

class TstDetCompet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void controles_data();
    void controles();
    void nouvelleCompetitionEtSesVerrous();
    void regleInterclubs();
    void datesTapeesEtChoisies();
    void modificationRameneLesJoursDuProgramme();
    void piscineChoisiePourLaCompetition();
    void piscinesCreeesModifieesVues();
    void piscineNommeeNullRefusee();
    void suppressionDePiscine();
    void captures();
};

void TstDetCompet::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstDetCompet::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
}

void TstDetCompet::controles_data()
{
    QTest::addColumn<QString>("champ");
    QTest::addColumn<QString>("valeur");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("nom") << "Text1_0" << "" << "Veuillez spécifier le nom de la compétition." << "Text1_0";
    QTest::newRow("numéro") << "Text1_1" << " " << "Veuillez spécifier le numéro de la compétition." << "Text1_1";
    QTest::newRow("lieu") << "Text1_2" << "" << "Veuillez spécifier le lieu de la compétition." << "Text1_2";
    QTest::newRow("type") << "Option1" << "" << "Veuillez spécifier le type de la compétition." << "Option1_0";
    QTest::newRow("bassin") << "Op_bass" << "" << "Veuillez spécifier le type de bassin de la compétition."
                            << "Op_bass_0";
    QTest::newRow("fédérale") << "Op_f" << "" << "Veuillez spécifier la codification fédérale de la compétition."
                              << "Op_f_0";
    QTest::newRow("inter régionale") << "Op_r" << ""
                                     << "Veuillez spécifier la codification inter régionale de la compétition."
                                     << "Op_r_0";
    QTest::newRow("régionale") << "Op_rg" << "" << "Veuillez spécifier la codification régionale de la compétition."
                               << "Op_rg_0";
    QTest::newRow("départementale") << "Op_d" << ""
                                    << "Veuillez spécifier la codification départementale de la compétition."
                                    << "Op_d_0";
    QTest::newRow("début vide") << "debut" << "  032025" << "Format des dates non valides." << "txt_date_0";
    QTest::newRow("31 avril") << "fin" << "31042025" << "Format des dates non valides." << "txt_date_10";
    QTest::newRow("début aujourd'hui") << "debut" << "01032025" << "Date de début de la compétition est passée."
                                       << "txt_date_0";
    QTest::newRow("début passé") << "debut" << "15022025" << "Date de début de la compétition est passée."
                                 << "txt_date_0";
    QTest::newRow("fin avant début") << "fin" << "01032025" << "La date de fin ne peut être avant la date de début."
                                     << "txt_date_10";
    QTest::newRow("un seul jour, demain") << "fin" << "02032025" << "" << "";
    // Two failures: the first in the order is reported.
    QTest::newRow("lieu et dates") << "lieu+dates" << "" << "Veuillez spécifier le lieu de la compétition."
                                   << "Text1_2";
}

void TstDetCompet::controles()
{
    QFETCH(QString, champ);
    QFETCH(QString, valeur);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    ContexteCompet ctx;
    QPointer<det_compet> ref;
    Ouvrir_det_compet(ref, "Nouveau", "Nouvelle compétition", QString(), nullptr);
    det_compet* d = ref;
    QApplication::setActiveWindow(d);
    Remplir(d);
    const auto vider = [](QRadioButton* const* options, int n) {
        QList<QAbstractButton*> liste;
        for (int i = 0; i < n; ++i)
            liste << options[i];
        Reinitialiser_options(liste, true);
    };
    if (champ.startsWith("Text1"))
        d->findChild<QLineEdit*>(champ)->setText(valeur);
    else if (champ == "Option1")
        vider(d->Option1, 2);
    else if (champ == "Op_bass")
        vider(d->Op_bass, 2);
    else if (champ == "Op_f")
        vider(d->Op_f, 3);
    else if (champ == "Op_r")
        vider(d->Op_r, 3);
    else if (champ == "Op_rg")
        vider(d->Op_rg, 3);
    else if (champ == "Op_d")
        vider(d->Op_d, 3);
    else if (champ == "debut")
        Date(d, 0, valeur);
    else if (champ == "fin")
        Date(d, 10, valeur);
    else if (champ == "lieu+dates") {
        d->Text1[2]->clear();
        Date(d, 0, "01012020");
    }
    d->Command1[0]->click();
    Traiter_evenements();
    if (message.isEmpty()) {
        QCOMPARE(ctx.ihm.messages(), QStringList {"Compétition mémorisée avec succès."});
        QVERIFY(!ref);
        QCOMPARE(ctx.base.valeur("select Debut || Fin from Rcomp where Num = 'AIN25'"), QString("2025030220250302"));
        return;
    }
    QCOMPARE(ctx.ihm.messages(), QStringList {message});
    QVERIFY(ref);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp where Num = 'AIN25'"), QString("0"));
}

void TstDetCompet::nouvelleCompetitionEtSesVerrous()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuCompetNew");
    det_compet* d = menus.commandes.detail();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Nouvelle compétition"));
    QCOMPARE(d->Cb_couloir->currentText(), QString("8"));
    QCOMPARE(Compteurs_verrou(colVerrouCompet), (QList<int> {1, 1, 1, 1, 1, 0, 0}));
    QCOMPARE(Compteurs_verrou(colVerrouEngag), (QList<int> {1, 1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouPiscine), (QList<int> {1, 0, 1, 1}));
    Remplir(d);
    d->Command1[0]->click();
    Traiter_evenements();
    // Saved with the apostrophe, held false and visible by default, with the placeholder pool.
    QCOMPARE(Lignes_requete("select Nom, Type, Longueur, Nb_couloir, Codif_fede || Codif_inter || Codif_reg || "
                            "Codif_depar, Deroule, Visible, Num_Piscine from Rcomp where Num = 'AIN25'"),
             QStringList {"Coupe de l'Ain|C|50|8|QRAA|Faux|Vrai|" + Get_num_piscine_nulle()});
    QVERIFY(!menus.commandes.detail());

    // A failed save keeps the window and what was typed.
    menus.menu("mnuCompetNew");
    d = menus.commandes.detail();
    Remplir(d);
    ctx.base.executer("ALTER TABLE Rcomp RENAME TO Rcomp_x");
    d->Command1[0]->click();
    QVERIFY(ctx.ihm.messages().last().startsWith("Erreur lors de la sauvegarde de la compétition.\r\nErreur n° 1"));
    QCOMPARE(d->Text1[0]->text(), QString("Coupe de l'Ain"));
    ctx.base.executer("ALTER TABLE Rcomp_x RENAME TO Rcomp");
}

void TstDetCompet::regleInterclubs()
{
    ContexteCompet ctx;
    QPointer<det_compet> ref;
    Ouvrir_det_compet(ref, "Nouveau", "Nouvelle compétition", QString(), nullptr);
    det_compet* d = ref;
    d->Op_bass[1]->setChecked(true);
    d->Op_f[0]->setChecked(true);
    d->Option1[1]->click();
    QVERIFY(d->Op_bass[0]->isChecked());
    for (QRadioButton** e : {d->Op_f, d->Op_r, d->Op_rg, d->Op_d}) {
        QVERIFY(e[2]->isChecked());
        for (int i = 0; i < 3; ++i)
            QVERIFY(!e[i]->isEnabled());
    }
    QVERIFY(!d->Op_bass[0]->isEnabled() && !d->Op_bass[1]->isEnabled());
    // Back to a championship: editable again, the choices kept.
    d->Option1[0]->click();
    QVERIFY(d->Op_bass[0]->isChecked() && d->Op_bass[1]->isEnabled());
    QVERIFY(d->Op_d[2]->isChecked() && d->Op_d[0]->isEnabled());
    d->Cmd_clear_option->click();
    for (QRadioButton** e : {d->Op_f, d->Op_r, d->Op_rg, d->Op_d})
        QVERIFY(!e[0]->isChecked() && !e[1]->isChecked() && !e[2]->isChecked() && e[1]->isEnabled());
    QVERIFY(ctx.ihm.messages().isEmpty());
}

void TstDetCompet::datesTapeesEtChoisies()
{
    ContexteCompet ctx;
    QPointer<det_compet> ref;
    Ouvrir_det_compet(ref, "Nouveau", "Nouvelle compétition", QString(), nullptr);
    det_compet* d = ref;
    // Typed key by key: letters are refused, an impossible day undone as it is typed.
    QTest::keyClicks(d->txt_date[0], "3a1");
    QTest::keyClicks(d->txt_date[1], "2");
    QCOMPARE(d->txt_date[0]->text(), QString("31"));
    QCOMPARE(d->txt_date[1]->text(), QString());
    QTest::keyClicks(d->txt_date[1], "05");
    QTest::keyClicks(d->txt_date[2], "2025");
    // Chosen in the calendar, into the end date's boxes.
    ctx.ihm.repondreModal(Calendrier(QDate(2025, 6, 1)));
    d->Cmd_Date[10]->click();
    QCOMPARE(d->txt_date[10]->text() + "/" + d->txt_date[11]->text() + "/" + d->txt_date[12]->text(),
             QString("01/06/2025"));
    Remplir(d);
    Date(d, 0, "31052025");
    Date(d, 10, "01062025");
    d->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("select Debut || '-' || Fin from Rcomp where Num = 'AIN25'"), QString("20250531-20250601"));
}

void TstDetCompet::modificationRameneLesJoursDuProgramme()
{
    ContexteCompet ctx;
    // A three-day competition, with events on days 1, 2 and 3.
    const QString cle = ctx.compet("P7", "Trois jours", "20250401", "20250403", "Lyon", false, true);
    for (int jour : {1, 2, 3})
        ctx.base.executer(QString("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) VALUES (%1, %2, %2, 5)")
                              .arg(cle)
                              .arg(jour));
    ctx.base.executer("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) VALUES (" + ctx.a + ", 9, 3, 5)");
    auto programme = [&] {
        return Lignes_requete("select Code_epreuve, JourCourse, Num_ordre from Pcomp where Num_compet = " + cle
                              + " order by Code_epreuve");
    };
    QPointer<det_compet> ref;
    // Lengthened: nothing moves.
    Ouvrir_det_compet(ref, "Modif", "Modification de la compétition", cle, nullptr);
    QCOMPARE(ref->Text1[0]->text(), QString("Trois jours"));
    QCOMPARE(ref->Lbl_Piscine_Choose->text(), QString("Nautilus"));
    Date(ref, 10, "04042025");
    ref->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(programme(), (QStringList {"1|1|5", "2|2|5", "3|3|5"}));
    // Shortened to two days: day 3 goes back to day 1 with order 0, other competitions untouched.
    Ouvrir_det_compet(ref, "Modif", "Modification de la compétition", cle, nullptr);
    Date(ref, 10, "02042025");
    ref->Text1[0]->setText("Deux jours d'été");
    ref->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(programme(), (QStringList {"1|1|5", "2|2|5", "3|1|0"}));
    QCOMPARE(ctx.base.valeur("select JourCourse from Pcomp where Num_compet = " + ctx.a), QString("3"));
    QCOMPARE(ctx.base.valeur("select Nom || Fin from Rcomp where AutoNum = " + cle), QString("Deux jours d'été20250402"));
    QCOMPARE(ctx.ihm.messages(), (QStringList {"Compétition modifiée avec succès.", "Compétition modifiée avec succès."}));
    // The programme cannot follow: the competition keeps its dates and the window its input.
    ctx.base.executer("ALTER TABLE Pcomp RENAME TO Pcomp_x");
    Ouvrir_det_compet(ref, "Modif", "Modification de la compétition", cle, nullptr);
    Date(ref, 10, "01042025");
    ref->Command1[0]->click();
    Traiter_evenements();
    QVERIFY(ctx.ihm.messages().last().startsWith("Erreur lors de la modification de la compétition.\r\nErreur n° 1"));
    QVERIFY(ref);
    QCOMPARE(ctx.base.valeur("select Fin from Rcomp where AutoNum = " + cle), QString("20250402"));
    ctx.base.executer("ALTER TABLE Pcomp_x RENAME TO Pcomp");
}

void TstDetCompet::piscineChoisiePourLaCompetition()
{
    ContexteCompet ctx;
    ctx.base.executer("INSERT INTO Piscine (Nom, Ville, NbCouloir, Bassin) VALUES ('Aqualudes', 'Vienne', 6, 50)");
    QPointer<det_compet> ref;
    Ouvrir_det_compet(ref, "Nouveau", "Nouvelle compétition", QString(), nullptr);
    det_compet* d = ref;
    d->Option1[1]->click(); // interclubs: 25 m kept
    d->cmdPiscine->click();
    Frm_liste_piscine* l = Piscines();
    QVERIFY(l);
    QCOMPARE(l->windowTitle(), QString("Choix d'une piscine"));
    QCOMPARE(l->Command1_2->text(), QString("&Nouvelle"));
    QCOMPARE(Colonne(l->Lsv_piscine, 0), (QStringList {"Aqualudes", "Nautilus"}));
    // A second chooser is refused.
    d->cmdPiscine->click();
    QCOMPARE(ctx.ihm.messages().size(), 1);
    ctx.ihm.effacer();
    // "No": only the pool is taken.
    ctx.ihm.repondre(Reponse::Non);
    Double_clic(l->Lsv_piscine, 1);
    Traiter_evenements();
    QCOMPARE(d->Lbl_Piscine_Choose->text(), QString("Aqualudes"));
    QCOMPARE(d->Lbl_Piscine_Choose->textFormat(), Qt::PlainText); // a stored name, never markup
    QCOMPARE(d->Text1[2]->text(), QString());
    // "Yes": town and lanes, but still 25 m for an interclub competition.
    d->cmdPiscine->click();
    ctx.ihm.repondre(Reponse::Oui);
    Double_clic(Piscines()->Lsv_piscine, 2);
    Traiter_evenements();
    QCOMPARE(ctx.ihm.messages(), (QStringList {question, question}));
    QCOMPARE(d->Lbl_Piscine_Choose->text(), QString("Nautilus"));
    QCOMPARE(d->strNumPiscine, ctx.nautilus);
    QCOMPARE(d->Text1[2]->text(), QString("Lyon"));
    QCOMPARE(d->Cb_couloir->currentText(), QString("10"));
    QVERIFY(d->Op_bass[0]->isChecked());
    // A new pool made from the chooser is listed and selected at once.
    d->cmdPiscine->click();
    l = Piscines();
    l->Command1_2->click();
    det_Piscine* p = l->detail();
    QVERIFY(p);
    QCOMPARE(p->strAction, QString("Creation"));
    p->txt_nom->setText("Bassin d'Été");
    p->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(l->Lsv_piscine->currentItem()->text(0), QString("Bassin d'Été"));
    // Clearing the pool gives the placeholder back.
    l->Command1_1->click();
    d->cmdPiscineClear->click();
    QCOMPARE(d->Lbl_Piscine_Choose->text(), QString());
    QCOMPARE(d->strNumPiscine, Get_num_piscine_nulle());
}

void TstDetCompet::piscinesCreeesModifieesVues()
{
    ContexteCompet ctx;
    Menus menus;
    menus.menu("mnuModelePiscineNew");
    det_Piscine* p = menus.commandes.nouvellePiscine();
    QCOMPARE(p->windowTitle(), QString("Nouvelle piscine"));
    // Opened on its first box: what is typed at once is not lost.
    QCOMPARE(p->focusWidget(), p->txt_nom);
    QCOMPARE(Compteurs_verrou(colVerrouPiscine), (QList<int> {1, 1, 1, 1}));
    QCOMPARE(Compteurs_verrou(colVerrouCompet), (QList<int> {1, 0, 1, 0, 0, 0, 0}));
    // An empty name is refused and the window stays.
    p->Command1[0]->click();
    QCOMPARE(ctx.ihm.messages(), QStringList {"Preciser le nom de la piscine !"});
    p->txt_nom->setText("  Iris ");
    QTest::keyClicks(p->txt_code_postal, "38a000");
    p->txt_ville->setText("Grenoble");
    p->Cb_couloir->setCurrentText("6");
    p->Op_bass[0]->setChecked(true);
    p->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(ctx.ihm.messages().last(), QString("Nouvelle piscine enregistrée."));
    QCOMPARE(Lignes_requete("select Nom, Code_Postal, Ville, NbCouloir, Bassin from Piscine where Nom = 'Iris'"),
             QStringList {"Iris|38000|Grenoble|6|25"});

    // Modified from the list, which shows it again selected.
    ctx.base.executer("UPDATE Piscine SET NbCouloir = 12 WHERE Nom = 'Nautilus'");
    menus.menu("mnuModelePiscineModif");
    Frm_liste_piscine* l = Piscines();
    QCOMPARE(l->windowTitle(), QString("Modifier Piscines"));
    Double_clic(l->Lsv_piscine, 2);
    Traiter_evenements();
    p = l->detail();
    QCOMPARE(p->windowTitle(), QString("Information sur la piscine"));
    QCOMPARE(p->txt_adresse->text(), QString("1 rue de l'Eau"));
    // Lanes outside 3 to 10 show "8".
    QCOMPARE(p->Cb_couloir->currentText(), QString("8"));
    QVERIFY(p->Op_bass[1]->isChecked());
    p->txt_nom->setText("Nautilus d'Or");
    p->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(l->Lsv_piscine->currentItem()->text(0), QString("Nautilus d'Or"));
    QCOMPARE(ctx.base.valeur("select NbCouloir from Piscine where Nom = 'Nautilus d''Or'"), QString("8"));
    l->Command1_0->click();
    Traiter_evenements();

    // Viewed: read only.
    menus.menu("mnuModelePiscineView");
    l = Piscines();
    l->Command1_2->click();
    QVERIFY(l->detail()->txt_nom->isReadOnly());
}

void TstDetCompet::piscineNommeeNullRefusee()
{
    ContexteCompet ctx;
    const QString nulle = Get_num_piscine_nulle();
    for (const char* nom : {"Null", "null", " NULL "}) {
        QPointer<det_Piscine> ref;
        Ouvrir_det_piscine(ref, "Creation", nullptr, 0, {}, {}, {}, {}, {}, {}, {});
        ref->txt_nom->setText(nom);
        ref->Command1[0]->click();
        QVERIFY(ref);
        ref->close();
    }
    QCOMPARE(ctx.ihm.messages().size(), 3);
    QCOMPARE(ctx.ihm.messages()[0], QString("Le nom « Null » est réservé : donnez un autre nom à la piscine."));
    QCOMPARE(ctx.base.valeur("select count(*) from Piscine where Nom = 'Null'"), QString("1"));
    QCOMPARE(Get_num_piscine_nulle(), nulle);
}

void TstDetCompet::suppressionDePiscine()
{
    ContexteCompet ctx;
    ctx.base.executer("INSERT INTO Piscine (Nom, Ville) VALUES ('Aqualudes', 'Vienne')");
    Menus menus;
    menus.menu("mnuModelePiscineSuppr");
    Frm_liste_piscine* l = Piscines();
    QCOMPARE(Compteurs_verrou(colVerrouEngag), (QList<int> {0, 0, 0, 1, 0}));
    l->Lsv_piscine->clearSelection();
    Selectionner_element(l->Lsv_piscine, 2);
    Touche(l->Lsv_piscine, Qt::Key_Delete, "\x7f");
    QCOMPARE(Colonne(l->Lsv_piscine, 0), QStringList {"Aqualudes"});
    // "&Annuler" deletes nothing.
    l->Command1_1->setEnabled(true);
    l->Command1_1->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("select count(*) from Piscine where Nom = 'Nautilus'"), QString("1"));

    menus.menu("mnuModelePiscineSuppr");
    l = Piscines();
    l->Lsv_piscine->clearSelection();
    Selectionner_element(l->Lsv_piscine, 2);
    l->Command1_2->click();
    // A deletion that fails leaves every competition with its pool and the list open.
    ctx.base.executer("CREATE TRIGGER refus BEFORE DELETE ON Piscine BEGIN SELECT RAISE(ABORT, 'refus'); END");
    l->Command1_0->click();
    QVERIFY(ctx.ihm.messages().last().startsWith("Erreur lors de la suppression des piscines."));
    QVERIFY(Piscines());
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp where Num_Piscine = " + ctx.nautilus), QString("6"));
    ctx.base.executer("DROP TRIGGER refus");
    ctx.ihm.effacer();
    l->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(ctx.base.valeur("select count(*) from Piscine where Nom = 'Nautilus'"), QString("0"));
    // Its competitions now have no pool: the detail shows none.
    QCOMPARE(ctx.base.valeur("select count(*) from Rcomp where Num_Piscine = " + Get_num_piscine_nulle()), QString("6"));
    QPointer<det_compet> d;
    Ouvrir_det_compet(d, "Modif", "Modification de la compétition", ctx.a, nullptr);
    QCOMPARE(d->Lbl_Piscine_Choose->text(), QString());
    QVERIFY(ctx.ihm.messages().isEmpty());
}

void TstDetCompet::captures()
{
    ContexteCompet ctx;
    QPointer<det_compet> d;
    Ouvrir_det_compet(d, "Modif", "Modification de la compétition", ctx.a, nullptr);
    Capturer(d, "det_compet_modif");
    d->Option1[1]->click();
    Capturer(d, "det_compet_interclubs");
    d->cmdPiscine->click();
    Capturer(Piscines(), "liste_piscines_choix");
    Piscines()->Command1_2->click();
    Capturer(Piscines()->detail(), "det_piscine_creation");
}

QTEST_MAIN(TstDetCompet)
#include "tst_det_compet.moc"
