// The forms used from the keyboard alone, in the real main window: every key goes to the window
// that has the focus, as the desktop sends it, and reaches whatever control has the focus there.
// Tab fills the boxes before the buttons that act on them, a window's own Alt+letter comes before
// the menu bar's, Return presses the button drawn as the default, and a window opened to type or
// choose in has its focus where that is done.

#include "clavier_shell.h"
#include "clubs_licences/construc_code_club.h"
#include "clubs_licences/det_licence.h"
#include "clubs_licences/det_mon_club.h"
#include "competitions/det_compet.h"
#include "competitions/det_modele_obli.h"
#include "competitions/det_piscine.h"
#include "competitions/frm_prog.h"
#include "competitions/piscines.h"
#include "core/listes.h"
#include "core/ouvreurs.h"
#include "entries/frm_engag.h"
#include "entries/utils_engag.h"
#include "fixtures.h"
#include "session_shell.h"
#include "shell/det_profil.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

namespace {

// The document window of that name, nullptr when none is open.
template <class T = QWidget>
T* Fenetre_document(const QString& nom)
{
    if (QMdiArea* zone = Zone_documents()) {
        for (QMdiSubWindow* sous : zone->subWindowList()) {
            if (sous->widget() && sous->widget()->objectName() == nom)
                return qobject_cast<T*>(sous->widget());
        }
    }
    return nullptr;
}

// The window the keys go to: a dialog of its own, or the document window in front.
QWidget* Fenetre_active()
{
    if (auto* dialogue = qobject_cast<QDialog*>(QApplication::activeWindow()))
        return dialogue;
    QMdiSubWindow* sous = Zone_documents() ? Zone_documents()->activeSubWindow() : nullptr;
    return sous ? sous->widget() : nullptr;
}

// Types into a box of the window in front, as after a click in it.
void Taper_dans(const QString& boite, const QString& texte)
{
    QWidget* fenetre = Fenetre_active();
    QVERIFY(fenetre);
    auto* champ = fenetre->findChild<QWidget*>(boite);
    QVERIFY2(champ, qPrintable(boite));
    champ->setFocus(Qt::MouseFocusReason);
    Taper(texte);
}

// Return (or another key) with the focus on that button of the window in front.
void Entree_sur(const QString& bouton, Qt::Key touche = Qt::Key_Return,
                Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
{
    QWidget* fenetre = Fenetre_active();
    QVERIFY(fenetre);
    auto* b = fenetre->findChild<QPushButton*>(bouton);
    QVERIFY2(b && b->isVisible() && b->isEnabled(), qPrintable(bouton));
    b->setFocus(Qt::TabFocusReason);
    QCOMPARE(Focus(), bouton);
    Touche(touche, modificateurs);
}

// A window with a button that validates and one that cancels: how to open it and change something,
// where the change shows (a SELECT, or "window/box" for a box of a document window), and the names
// of its two buttons.
struct FenetreValidee {
    std::function<void(Bureau&, const std::function<void()>&)> ouvrir; // calls the key press once ready
    QString verification;
    QString avant;
    QString apres;
    QString valider = "Command1_0";
    QString annuler = "Command1_1";
    bool fermeeEnAnnulant = true;
};

QString Lire(const QString& verification)
{
    if (verification.startsWith("SELECT"))
        return Valeur(verification);
    QWidget* fenetre = Fenetre_document(verification.section('/', 0, 0));
    auto* boite = fenetre ? fenetre->findChild<QLineEdit*>(verification.section('/', 1)) : nullptr;
    return boite ? boite->text() : QString("<fermée>");
}

// The entry window on a competition to come, ALBERT free to enter.
QPointer<frm_engag> Ouvrir_engagements()
{
    cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES ('" + kCodeClub
                    + "', '01001F', 'ALBERT', 'x', 'M', true)");
    cnxBase.Execute("INSERT INTO Rcomp (Nom, Debut, Fin, Longueur, Visible) VALUES ('C', '20250410', '20250411', 25, true)");
    const QString compet = Valeur("SELECT max(AutoNum) FROM Rcomp");
    Debuter_edition_engag({compet, false, "Choix pour engagements"});
    QPointer<frm_engag> f;
    Ouvrir_frm_engag(f, "Définition des engagements", "Choix pour engagements", false, compet, nullptr, false);
    return f;
}

const QMap<QString, FenetreValidee>& Fenetres_validees()
{
    static const QMap<QString, FenetreValidee> fenetres = {
        {"licence modifiée",
         {[](Bureau&, const std::function<void()>& presser) {
              QPointer<det_licence> d;
              Ouvrir_det_licence(d, nullptr, "Modif", "Modifier Licence", Num_licence_dupont());
              Taper_dans("text1_2", "Paul");
              presser();
          },
          "SELECT Prenom FROM Licence WHERE Nom = 'DUPONT'", "Jean", "Paul"}},
        {"nouvelle licence",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuLicNew"));
              Taper_dans("text1_1", "Durand");
              Taper_dans("text1_2", "Luc");
              for (auto [boite, texte] : {std::pair{"text1_0", "01456"}, {"txt_description_0", "3"},
                                          {"txt_description_1", "7"}, {"txt_description_2", "2001"}})
                  Taper_dans(boite, texte);
              presser();
          },
          "SELECT count(*) FROM Licence WHERE Nom = 'DURAND' AND Prenom = 'Luc' AND Date_Naissance = '20010703'", "0",
          "1"}},
        {"nouveau club",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuBaseClubNew"));
              Taper_dans("Text1_0", "Les Mouettes");
              Taper_dans("Text1_1", "FRA1320029999");
              presser();
          },
          "SELECT count(*) FROM Club WHERE Code_federal = 'FRA1320029999'", "0", "1"}},
        {"nouveau profil",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuBaseProfilNew"));
              Taper_dans("Text1_0", "Hiver");
              Taper_dans("Text1_1", kCodeClub);
              presser();
          },
          "SELECT count(*) FROM Profil WHERE Libelle = 'Hiver'", "0", "1"}},
        {"piscine",
         {[](Bureau&, const std::function<void()>& presser) {
              cnxBase.Execute("INSERT INTO Piscine (Nom, NbCouloir, Bassin) VALUES ('Vieille', 8, 25)");
              QPointer<det_Piscine> piscine;
              Ouvrir_det_piscine(piscine, "Modif", nullptr, 1, "Vieille", "", "", "", "8", "25",
                                 Valeur("SELECT max(Num) FROM Piscine"));
              Taper_dans("txt_nom", "Neuve");
              presser();
          },
          "SELECT count(*) FROM Piscine WHERE Nom = 'Neuve'", "0", "1"}},
        {"nouvelle compétition",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuCompetNew"));
              auto* c = qobject_cast<det_compet*>(Fenetre_active());
              QVERIFY(c);
              c->Text1[1]->setText("M1");
              c->Text1[2]->setText("Nîmes");
              c->Option1[0]->setChecked(true);
              c->Op_bass[0]->setChecked(true);
              for (QRadioButton** echelle : {c->Op_f, c->Op_r, c->Op_rg, c->Op_d})
                  echelle[0]->setChecked(true);
              for (auto [i, texte] : {std::pair{0, "12"}, {1, "4"}, {2, "2025"}, {10, "13"}, {11, "4"}, {12, "2025"}})
                  c->txt_date.value(i)->setText(texte);
              Taper_dans("Text1_0", "Meeting");
              presser();
          },
          "SELECT count(*) FROM Rcomp WHERE Nom = 'Meeting'", "0", "1"}},
        {"nom de modèle",
         {[](Bureau& b, const std::function<void()>& presser) {
              cnxBase.Execute("INSERT INTO Modele_prog (NumAuto, Nom_modele, Num_profil) VALUES (5, 'Hiver', 1)");
              b.s.ihm.repondreModal([&](QDialog& d) {
                  d.show();
                  if (!Actif(&d))
                      return 0;
                  Taper_dans("Text1", "");
                  Touche(Qt::Key_A, Qt::ControlModifier);
                  Taper("Printemps");
                  presser();
                  d.hide();
                  return d.result();
              });
              Demander_nom_modele("Modif", true, 1, "Modele_prog", "5", "Hiver", nullptr);
          },
          "SELECT Nom_modele FROM Modele_prog WHERE NumAuto = 5", "Hiver", "Printemps"}},
        {"programme",
         {[](Bureau&, const std::function<void()>& presser) {
              cnxBase.Execute("INSERT INTO Rcomp (AutoNum, Nom, Debut, Fin, Longueur) VALUES (1, 'Meeting', "
                              "'20250410', '20250411', 25)");
              QPointer<frm_prog> programme;
              Ouvrir_frm_prog(programme, "Programme", "Modif", false, "1", true, nullptr, false);
              QVERIFY(programme);
              programme->LsvNage->setFocus(Qt::MouseFocusReason);
              programme->LsvNage->setCurrentItem(programme->LsvNage->topLevelItem(0));
              Touche(Qt::Key_Space);
              QCOMPARE(programme->LsvNage->topLevelItem(0)->checkState(0), Qt::Checked);
              presser();
          },
          "SELECT count(*) FROM Pcomp WHERE Num_compet = 1", "0", "1", "Cmd_0", "Cmd_1"}},
        {"catégories de records",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuPerfRecModifier"));
              Taper_dans("txt_libelle", "Jeunes");
              Taper_dans("txt_age_0", "10");
              Taper_dans("txt_age_1", "12");
              Fenetre_active()->findChild<QPushButton*>("Cmd_def_0")->click();
              presser();
          },
          "SELECT count(*) FROM Categori_record_club WHERE Libelle = 'Jeunes' AND NOT Old", "0", "1", "cmd_0",
          "cmd_1"}},
        {"choix du pays",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuLicNew"));
              Fenetre_active()->findChild<QPushButton*>("Cmd_pays")->setFocus(Qt::TabFocusReason);
              Touche(Qt::Key_Space);
              QCOMPARE(Focus(), QString("Lsv_pays"));
              auto* pays = Fenetre_active()->findChild<QTreeWidget*>("Lsv_pays");
              const QList<QTreeWidgetItem*> belgique = pays->findItems("BELGIQUE", Qt::MatchExactly);
              QVERIFY(!belgique.isEmpty());
              pays->setCurrentItem(belgique.first());
              presser();
          },
          "det_licence/text1_3", "FRANCE", "BELGIQUE"}},
        {"suppression de profils",
         {[](Bureau& b, const std::function<void()>& presser) {
              cnxBase.Execute("INSERT INTO Profil (Code_club, Libelle, LastUse) VALUES ('" + kCodeClub
                              + "', 'Eté', false)");
              QVERIFY(b.s.declencher("mnuBaseProfilSuppr"));
              auto* liste = Fenetre_active()->findChild<QTreeWidget*>("Lsv_profil");
              QVERIFY(liste);
              const QList<QTreeWidgetItem*> ete = liste->findItems("Eté", Qt::MatchExactly);
              QVERIFY(!ete.isEmpty());
              liste->setFocus(Qt::MouseFocusReason);
              liste->setCurrentItem(ete.first());
              Touche(Qt::Key_Delete);
              QVERIFY(liste->findItems("Eté", Qt::MatchExactly).isEmpty());
              presser();
          },
          "SELECT count(*) FROM Profil WHERE Libelle = 'Eté'", "1", "0"}},
        {"engagements",
         {[](Bureau&, const std::function<void()>& presser) {
              QPointer<frm_engag> f = Ouvrir_engagements();
              QVERIFY(f);
              const int i = Chercher_element("ALBERT", f->lsv_licencie, 0, 0, 0);
              QVERIFY(i >= 1);
              Selectionner_element(f->lsv_licencie, i);
              f->Cmd_add_0->click();
              presser();
          },
          "SELECT count(*) FROM Engag_nageur WHERE Num_Lic = (SELECT Num FROM Licence WHERE Nom = 'ALBERT')", "0", "1",
          "cmd_0", "cmd_1"}},
        {"équipes des engagements",
         {[](Bureau&, const std::function<void()>& presser) {
              QPointer<frm_engag> f = Ouvrir_engagements();
              QVERIFY(f);
              f->cmd_def_team->click();
              Taper_dans("txt_nb_equipe_0", "2");
              presser();
          },
          "frm_engag/txt_nb_equipe_0", "0", "2", "Cmd_equipe_0", "Cmd_equipe_1", false}},
        {"votre club",
         {[](Bureau& b, const std::function<void()>& presser) {
              QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
              Taper_dans("text1_0", "Dauphins");
              presser();
          },
          "SELECT Intitule FROM Club WHERE Code_federal = '" + kCodeClub + "'", "Cercle des nageurs", "Dauphins",
          "Command1_1", "Command1_0"}},
    };
    return fenetres;
}

QString Derniere_ligne(QTreeWidget* liste)
{
    const int n = liste->topLevelItemCount();
    if (n == 0)
        return QString();
    QStringList valeurs;
    for (int c = 0; c < liste->columnCount(); ++c)
        valeurs << liste->topLevelItem(n - 1)->text(c);
    return valeurs.join('|');
}

} // namespace

class TstClavierFenetres : public QObject {
    Q_OBJECT

private slots:
    // What is typed in the boxes, then Tab, Tab..., reaches each box in turn and last the "+" that
    // adds them: Space there adds the row as typed.
    void tabulationAvantLesBoutons_data()
    {
        QTest::addColumn<int>("onglet");
        QTest::addColumn<QStringList>("boites");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("liste");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("Organisation") << 1 << QStringList{"text1_8", "text1_9", "text1_10", "text1_11", "text1_12"}
                                      << QStringList{"Trésorier", "Martin", "0611", "", "m@x.fr"} << "Cmd_role_0"
                                      << "Lsv_role" << "Trésorier|Martin|0611||m@x.fr";
        QTest::newRow("Tarifs") << 3 << QStringList{"text1_14", "text1_15"} << QStringList{"Famille", "150"}
                                << "Cmd_AddTarif" << "Lsv_tarif" << "Famille|150";
    }

    void tabulationAvantLesBoutons()
    {
        QFETCH(int, onglet);
        QFETCH(QStringList, boites);
        QFETCH(QStringList, textes);
        QFETCH(QString, bouton);
        QFETCH(QString, liste);
        QFETCH(QString, ligne);
        Bureau b;
        QVERIFY(b.ok);
        QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
        auto* club = Fenetre_document<det_mon_club>("det_mon_club");
        QVERIFY(club);
        club->SSTab1->setCurrentIndex(onglet);
        club->findChild<QWidget*>(boites.first())->setFocus(Qt::MouseFocusReason);
        for (qsizetype i = 0; i < boites.size(); ++i) {
            QCOMPARE(Focus(), boites[i]);
            Taper(textes[i]);
            Touche(Qt::Key_Tab);
        }
        QCOMPARE(Focus(), bouton);
        Touche(Qt::Key_Space);
        QCOMPARE(Derniere_ligne(club->findChild<QTreeWidget*>(liste)), ligne);
    }

    // Alt and a letter of one of the window's buttons presses it, whatever menu has the same
    // letter; the letter is not typed into the box. Another letter still opens its menu.
    void lettreDeLaFenetreAvantLeMenu()
    {
        Bureau b;
        QVERIFY(b.ok);
        QVERIFY(b.s.declencher("mnuModelePiscineNew"));
        QVERIFY(Fenetre_document("det_Piscine"));
        QCOMPARE(Focus(), QString("txt_nom"));
        Taper("Piscine Nord");
        Touche(Qt::Key_O, Qt::AltModifier); // "&Ok", menu "&Outils"
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(Valeur("SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Nord'"), QString("1"));
        QCOMPARE(b.s.ihm.messages(), QStringList{"Nouvelle piscine enregistrée."});
        QVERIFY(!Fenetre_document("det_Piscine"));

        // "Informations club" has no "O": the menu opens.
        QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
        QVERIFY(Fenetre_document("det_mon_club"));
        Touche(Qt::Key_O, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("&Outils"));
        Touche(Qt::Key_Escape);
    }

    void lettreModeleDuProgramme()
    {
        Bureau b;
        QVERIFY(b.ok);
        cnxBase.Execute("INSERT INTO Rcomp (AutoNum, Nom, Debut, Fin, Longueur) VALUES (1, 'Meeting', '20250410', "
                        "'20250411', 25)");
        QPointer<frm_prog> programme;
        Ouvrir_frm_prog(programme, "Programme", "Modif", false, "1", true, nullptr, false);
        QVERIFY(programme);
        Touche(Qt::Key_M, Qt::AltModifier); // "&Modèle", menu "&Modèles"
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(Fenetre_document("frm_liste_modele"));
    }

    // Typed, then Return: the default button saves.
    void entreePresseLeBoutonParDefaut_data()
    {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QStringList>("textes"); // one per box, Tab between them
        QTest::addColumn<QString>("verification");
        QTest::newRow("nouvelle piscine") << "nouvelle piscine" << "Nouvelle piscine" << QStringList{"Piscine Sud"}
                                          << "SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Sud'";
        QTest::newRow("piscine existante") << "piscine" << "Information sur la piscine" << QStringList{"Piscine Est"}
                                           << "SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Est'";
        QTest::newRow("nouveau club") << "club" << "Information club"
                                      << QStringList{"Les Mouettes", "FRA1320029999"}
                                      << "SELECT count(*) FROM Club WHERE Code_federal = 'FRA1320029999' AND "
                                         "Intitule = 'Les Mouettes'";
    }

    void entreePresseLeBoutonParDefaut()
    {
        QFETCH(QString, fenetre);
        QFETCH(QString, titre);
        QFETCH(QStringList, textes);
        QFETCH(QString, verification);
        Bureau b;
        QVERIFY(b.ok);
        if (fenetre == "nouvelle piscine") {
            QVERIFY(b.s.declencher("mnuModelePiscineNew"));
        } else if (fenetre == "piscine") {
            cnxBase.Execute("INSERT INTO Piscine (Nom, NbCouloir, Bassin) VALUES ('Vieille', 8, 25)");
            QPointer<det_Piscine> piscine;
            Ouvrir_det_piscine(piscine, "Modif", nullptr, 1, "Vieille", "", "", "", "8", "25",
                               Valeur("SELECT max(Num) FROM Piscine"));
        } else {
            QVERIFY(b.s.declencher("mnuBaseClubNew"));
        }
        QMdiSubWindow* active = Zone_documents()->activeSubWindow();
        QVERIFY(active && active->widget());
        QCOMPARE(active->widget()->windowTitle(), titre);
        for (qsizetype i = 0; i < textes.size(); ++i) {
            if (i > 0)
                Touche(Qt::Key_Tab);
            Taper(textes[i]);
        }
        Touche(Qt::Key_Return);
        QCOMPARE(Valeur(verification), QString("1"));
    }

    // Return on a focused button presses that button; elsewhere it presses the default button.
    void entreeSurLeBoutonQuiALeFocus_data()
    {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<bool>("valider");
        for (const QString& nom : Fenetres_validees().keys()) {
            QTest::newRow(qPrintable(nom + " / annuler")) << nom << false;
            QTest::newRow(qPrintable(nom + " / valider")) << nom << true;
        }
    }

    void entreeSurLeBoutonQuiALeFocus()
    {
        QFETCH(QString, fenetre);
        QFETCH(bool, valider);
        const FenetreValidee& cas = Fenetres_validees()[fenetre];
        Bureau b;
        QVERIFY(b.ok);
        QPointer<QWidget> ouverte;
        bool presse = false;
        cas.ouvrir(b, [&] {
            ouverte = Fenetre_active();
            presse = true;
            Entree_sur(valider ? cas.valider : cas.annuler);
        });
        QVERIFY(presse);
        QCOMPARE(Lire(cas.verification), valider ? cas.apres : cas.avant);
        if (!valider) {
            QVERIFY(!cas.fermeeEnAnnulant || !ouverte || !ouverte->isVisible());
            QVERIFY(b.s.ihm.messages().isEmpty());
        }
    }

    // "Nouveau Club": Enter (of the keypad) on "Aide" opens the code builder and creates nothing;
    // Return on "Ok" creates.
    void entreeSurAideDuNouveauClub()
    {
        Bureau b;
        QVERIFY(b.ok);
        const auto montrer = [](QDialog& d) {
            d.show();
            // Shown again, the dialog's window is still the active one: the application is told.
            QApplication::setActiveWindow(&d);
            return Actif(&d);
        };
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            Taper_dans("Text1_0", "Les Mouettes");
            Taper_dans("Text1_1", "FRA1320029999");
            Entree_sur("Command1_2", Qt::Key_Enter, Qt::KeypadModifier);
            return d.result();
        });
        QString constructeur;
        b.s.ihm.repondreModal([&](QDialog& d) {
            constructeur = d.objectName();
            return 0;
        });
        QString apresAide;
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            apresAide = Valeur("SELECT count(*) FROM Club WHERE Code_federal = 'FRA1320029999'");
            Entree_sur("Command1_0");
            d.hide();
            return d.result();
        });
        dem_info_obli nouveau(b.s.fenetre.get());
        nouveau.executer();
        QVERIFY(b.s.ihm.toutConsomme());
        QCOMPARE(constructeur, QString("construc_code_club"));
        QCOMPARE(apresAide, QString("0"));
        QCOMPARE(Valeur("SELECT count(*) FROM Club WHERE Code_federal = 'FRA1320029999'"), QString("1"));
    }

    // Where two buttons share a letter, Alt and that letter moves the focus from one to the next
    // and presses none; Space then presses the one with the focus.
    void lettrePartageeEntreDeuxBoutons()
    {
        Bureau b;
        QVERIFY(b.ok);
        cnxBase.Execute("INSERT INTO Modele_prog (NumAuto, Nom_modele, Num_profil) VALUES (5, 'Hiver', 1)");
        QPointer<frm_prog> programme;
        Ouvrir_frm_prog(programme, "Programme", "Modif", true, "5", true, nullptr, false);
        QVERIFY(programme);
        QVERIFY(programme->Cmd_compet->isVisible() && programme->Cmd_charger->isVisible());
        QStringList visites;
        for (int i = 0; i < 3; ++i) {
            Touche(Qt::Key_C, Qt::AltModifier);
            visites << Focus();
        }
        QCOMPARE(visites.mid(0, 2).count("Cmd_compet") + visites.mid(0, 2).count("Cmd_charger"), 2);
        QVERIFY(visites[0] != visites[1]);
        QCOMPARE(visites[2], visites[0]);
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(!Fenetre_document("Frm_liste_compet"));
        QVERIFY(b.s.ihm.appels().empty());
        if (Focus() != "Cmd_charger")
            Touche(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(Focus(), QString("Cmd_charger"));
        b.s.ihm.repondreFichier(QString());
        Touche(Qt::Key_Space);
        QCOMPARE(b.s.ihm.appels().size(), size_t(1));
        QCOMPARE(b.s.ihm.appels().front().titre, QString("Sélection Fichier Pcomp.txt"));
        QVERIFY(!Fenetre_document("Frm_liste_compet"));
        // A letter of one button alone still presses it.
        Touche(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(programme->Cmd_det_def->text(), QString("&Déf"));
    }

    // Return while a date is half typed: the date is refused with its message, the window stays
    // with what was typed and the caret where it was; the date finished, Return stores it.
    void entreeDansUneDateEnCours_data()
    {
        QTest::addColumn<bool>("nouvelle");
        QTest::addColumn<int>("onglet");
        QTest::addColumn<int>("base");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("suite");
        QTest::addColumn<QString>("verification");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("dépôt") << false << 1 << 10 << QStringList{"15", "09", "20"} << "Date de dépôt invalide."
                               << "24" << "SELECT Date_Depot FROM Licence WHERE Nom = 'DUPONT'" << "20240915";
        QTest::newRow("oblitération") << false << 1 << 20 << QStringList{"3", "", ""}
                                      << "Date d'oblitération invalide." << "" << "SELECT Date_obliteration FROM "
                                      "Licence WHERE Nom = 'DUPONT'" << "";
        QTest::newRow("contrôle médical") << false << 2 << 30 << QStringList{"", "5", "2024"}
                                          << "Date du contrôle médical invalide." << "" << "SELECT Date_Ctrl_Medical "
                                          "FROM Licence WHERE Nom = 'DUPONT'" << "";
        // Whole, but no day: stored, the licence exchange would refuse it.
        QTest::newRow("dépôt un 29 février 1900") << false << 1 << 10 << QStringList{"29", "02", "1900"}
                                             << "Date de dépôt invalide." << "" << "SELECT Date_Depot FROM Licence WHERE "
                                             "Nom = 'DUPONT'" << "";
        QTest::newRow("oblitération en l'an 0") << false << 1 << 20 << QStringList{"01", "01", "0000"}
                                                << "Date d'oblitération invalide." << "" << "SELECT Date_obliteration "
                                                "FROM Licence WHERE Nom = 'DUPONT'" << "";
        QTest::newRow("naissance") << true << 0 << 0 << QStringList{"3", "7", "198"} << "Date de naissance invalide."
                                   << "5" << "SELECT Date_Naissance FROM Licence WHERE Nom = 'DURAND'" << "19850703";
    }

    void entreeDansUneDateEnCours()
    {
        QFETCH(bool, nouvelle);
        QFETCH(int, onglet);
        QFETCH(int, base);
        QFETCH(QStringList, textes);
        QFETCH(QString, message);
        QFETCH(QString, suite);
        QFETCH(QString, verification);
        QFETCH(QString, attendu);
        Bureau b;
        QVERIFY(b.ok);
        QPointer<det_licence> d;
        if (nouvelle) {
            QVERIFY(b.s.declencher("mnuLicNew"));
            d = Fenetre_document<det_licence>("det_licence");
            QVERIFY(d);
            Taper_dans("text1_1", "Durand");
            Taper_dans("text1_2", "Luc");
            Taper_dans("text1_0", "85456");
        } else {
            Ouvrir_det_licence(d, nullptr, "Modif", "Modifier Licence", Num_licence_dupont());
        }
        QVERIFY(d);
        const QString avant = Valeur(verification);
        d->SSTab1->setCurrentIndex(onglet);
        Taper_dans_les_boites(d->txt_description, base, textes, Qt::MouseFocusReason);
        const QString tapee = Focus();
        b.s.ihm.effacer();
        Touche(Qt::Key_Return);
        QCOMPARE(b.s.ihm.messages(), QStringList{message});
        QVERIFY(d && d->isVisible());
        for (qsizetype i = 0; i < textes.size(); ++i)
            QCOMPARE(d->txt_description.value(base + i)->text(), textes[i]);
        QCOMPARE(Focus(), tapee);
        QCOMPARE(Valeur(verification), avant);
        if (suite.isEmpty())
            return;
        Taper(suite);
        Touche(Qt::Key_Return);
        QVERIFY(!d);
        QCOMPARE(Valeur(verification), attendu);
    }

    // The activities of the own club: each name typed and Return is one activity.
    void activitesTapeesLesUnesApresLesAutres()
    {
        Bureau b;
        QVERIFY(b.ok);
        QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
        auto* club = Fenetre_document<det_mon_club>("det_mon_club");
        QVERIFY(club);
        club->SSTab1->setCurrentIndex(2);
        club->Cbo_activite->setFocus(Qt::MouseFocusReason);
        for (const QString nom : {"Natation course", "Water-polo", "Aquagym"}) {
            Taper(nom);
            Touche(Qt::Key_Return);
        }
        QStringList activites;
        for (int i = 0; i < club->Cbo_activite->count(); ++i)
            activites << club->Cbo_activite->itemText(i);
        QCOMPARE(activites, (QStringList{"Natation course", "Water-polo", "Aquagym"}));
        QCOMPARE(club->Cbo_activite->currentText(), QString("Aquagym"));
    }

    // "Choix d'un club" from the profile window: the list takes the arrows and Return at once.
    void choixDuClubDepuisLeProfil()
    {
        Bureau b;
        QVERIFY(b.ok);
        cnxBase.Execute("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320025555', 'Aquatique Club')");
        QVERIFY(b.s.declencher("mnuBaseProfilNew"));
        auto* profil = Fenetre_document<det_profil>("det_profil");
        QVERIFY(profil);
        QCOMPARE(Focus(), QString("Text1_0"));
        Taper("Mon profil");
        Touche(Qt::Key_Tab);
        Touche(Qt::Key_Tab);
        QCOMPARE(Focus(), QString("Command1_2"));
        Touche(Qt::Key_Space);
        auto* clubs = Fenetre_document("Frm_liste_club");
        QVERIFY(clubs);
        QCOMPARE(Focus(), QString("Lsv_club"));
        auto* liste = clubs->findChild<QTreeWidget*>("Lsv_club");
        const int avant = liste->indexOfTopLevelItem(liste->currentItem());
        Touche(Qt::Key_Down);
        QCOMPARE(liste->indexOfTopLevelItem(liste->currentItem()), avant + 1);
        const QString code = liste->currentItem()->text(0);
        Touche(Qt::Key_Return);
        QCOMPARE(profil->Text1_1->text(), code);
        QCOMPARE(profil->Text1_0->text(), QString("Mon profil"));
    }

    // The forced first profile: the club is chosen first, then the name typed goes into its box.
    void creationProfilApresChoixDuClub()
    {
        Bureau b;
        QVERIFY(b.ok);
        const auto montrer = [](QDialog& d) {
            d.show();
            return Actif(&d);
        };
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            [&] {
                QCOMPARE(Focus(), QString("Text1_0"));
                Touche(Qt::Key_Tab);
                Touche(Qt::Key_Tab);
                QCOMPARE(Focus(), QString("Command1_2"));
                Touche(Qt::Key_Space);
            }();
            return d.result();
        });
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            [&] {
                QCOMPARE(d.windowTitle(), QString("Selection d'un club"));
                QCOMPARE(Focus(), QString("Lsv_club"));
                Touche(Qt::Key_Return);
            }();
            d.hide();
            return d.result();
        });
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            Taper("Nouveau profil");
            Touche(Qt::Key_Return);
            d.hide();
            return d.result();
        });
        det_profil_obli creation(b.s.fenetre.get());
        creation.executer();
        QVERIFY(b.s.ihm.toutConsomme());
        QCOMPARE(creation.Text1_1->text(), kCodeClub);
        QCOMPARE(Valeur("SELECT Code_club FROM Profil WHERE Libelle = 'Nouveau profil'"), kCodeClub);
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstClavierFenetres)
#include "tst_clavier_fenetres.moc"
