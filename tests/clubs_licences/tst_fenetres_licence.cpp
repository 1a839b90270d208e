// The licence windows driven as a user would: a licence created in the detail window and found
// again by every criterion of the list, deletions undone and committed, tariffs given from the
// pop-up menu, a licence edited from the list, and the paths of a selection profile.

#include "clubs_licences/det_licence.h"
#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/frm_liste_licence.h"
#include "clubs_licences/frm_liste_pays.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/services.h"
#include "core/utils.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString clubA = "FRA1320021234";
const QString clubB = "FRA1320024321";
const QString selection = "FRA1320020000";
const QString autreDepartement = "FRA1320135555";







// The names shown by a licence list, in order.
QStringList Noms(frm_liste_licence* liste)
{
    QStringList noms;
    for (int i = 1; i <= Nombre_lignes(liste->lsv_licence); ++i)
        noms << Ligne(liste->lsv_licence, i)->text(0);
    return noms;
}

void Selectionner_nom(frm_liste_licence* liste, const QString& nom)
{
    const int i = Chercher_element(nom, liste->lsv_licence, 0, 0, 0);
    QVERIFY2(i > 0, qPrintable(nom));
    liste->lsv_licence->setCurrentItem(Ligne(liste->lsv_licence, i));
}

void Touche_suppr(frm_liste_licence* liste)
{
    QTest::keyClick(liste->lsv_licence, Qt::Key_Delete);
}

void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    QCoreApplication::processEvents();
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

// Answers the calendar with a day.
std::function<int(QDialog&)> Calendrier(const QDate& jour)
{
    return [jour](QDialog& d) {
        d.findChild<QCalendarWidget*>()->setSelectedDate(jour);
        d.findChild<QPushButton*>("Cmd_0")->click();
        return d.result();
    };
}

// Club A with two tariffs and two activities, club B, a selection of both, the placeholder
// licence and four swimmers of A (a fifth is hidden) with what the criteria look at.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    JourFixe jour{QDate(2024, 10, 1)};

    Contexte()
    {
        ihm.accepterMessagesOk(true);
        strCodeClub = clubA;
        strNomClub = "Club A";
        bClubSelection = false;
        strNumProfil = "1";
        for (const auto& [code, nom, sel] : std::initializer_list<std::tuple<QString, QString, int>> {
                 {clubA, "Club A", 0}, {clubB, "Club B", 0}, {selection, "Sélection 13", 1},
                 {autreDepartement, "Club hors sélection", 0}})
            base.executer(QString("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('%1', %2, %3)")
                              .arg(code, Sql_texte(nom))
                              .arg(sel));
        base.executer("INSERT INTO Profil (Num, Libelle, Code_club) VALUES (1, 'Profil A', '" + clubA + "')");
        base.executer("INSERT INTO Profil (Num, Libelle, Code_club) VALUES (2, 'Profil S', '" + selection + "')");
        base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + clubA + "', 'Jeune & Co', 80)");
        base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + clubA + "', 'Adulte', 120)");
        base.executer("INSERT INTO Activites (Code_federal, Activite, Responsable) VALUES ('" + clubA
                      + "', 'Natation', 'M. Leduc')");
        base.executer("INSERT INTO Activites (Code_federal, Activite, Responsable) VALUES ('" + clubA
                      + "', 'Aquagym', 'Mme Roux')");
        base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Visible, Date_suppr) VALUES (1, '" + clubA
                      + "', '1', 'Null', false, '')");
        strNumLicenceNulle = "1";
        licence(10, clubA, "10001F", "DUBOIS", "Ana", "F", "20100101", "N", "E", {1});
        licence(11, clubA, "95123F", "DUPONT", "Jean", "M", "19950703", "R", "N", {0});
        licence(12, clubA, "90456F", "MARTIN", "Paul", "M", "19900305", "T", "N", {2, 4});
        licence(13, clubA, "89777F", "ZOLA", "Emile", "M", "19891231", "R", "N", {5});
        licence(14, clubB, "93555F", "BERNARD", "Luc", "M", "19930101", "R", "N", {0});
        licence(15, clubA, "92002C", "CACHE", "Ancien", "M", "19920101", "R", "N", {});
        base.executer("UPDATE Licence SET Visible = false, Date_suppr = '20240101' WHERE Num = 15");
    }

    void licence(int num, const QString& club, const QString& numero, const QString& nom, const QString& prenom,
                 const QString& sexe, const QString& naissance, const QString& type, const QString& nature,
                 const QList<int>& affiliations) const
    {
        static const char* const colonnes[6] = {"Sportive", "Synchro", "Water_Polo", "Plongeon", "Dirigeant", "Maitre"};
        QStringList noms;
        QStringList valeurs;
        for (int a : affiliations) {
            noms << QString::fromLatin1(colonnes[a]);
            valeurs << "'O'";
        }
        const QString suite = noms.isEmpty() ? QString() : ", " + noms.join(", ");
        const QString vsuite = valeurs.isEmpty() ? QString() : ", " + valeurs.join(", ");
        base.executer(QString("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, "
                              "Nationalite, Type_licence, Nature, Tarif%1) VALUES (%2, '%3', '%4', '%5', '%6', '%7', "
                              "'%8', 'FRA', '%9', '%10', 'Adulte'%11)")
                          .arg(suite)
                          .arg(num)
                          .arg(club, numero, nom, prenom, sexe, naissance, type, nature)
                          .arg(vsuite));
    }

    // One column of a licence, as the program reads it.
    QString champ(const QString& num, const QString& colonne) const
    {
        return base.valeur("SELECT " + colonne + " FROM Licence WHERE Num = " + num);
    }
};

// The fields a test types into the detail window.
struct Fiche {
    QString numero;
    QString lettre = "F";
    QString nom;
    QString prenom;
    QDate naissance;
    int sexe = -1;
};

void Saisir(det_licence* d, const Fiche& f)
{
    d->text1[0]->setText(f.numero);
    d->Cb_licence->setCurrentText(f.lettre);
    d->text1[1]->setText(f.nom);
    d->text1[2]->setText(f.prenom);
    if (f.naissance.isValid()) {
        d->txt_description.value(0)->setText(QString::number(f.naissance.day()));
        d->txt_description.value(1)->setText(QString::number(f.naissance.month()));
        d->txt_description.value(2)->setText(QString::number(f.naissance.year()));
    }
    if (f.sexe >= 0)
        QTest::mouseClick(d->PicSexe[f.sexe], Qt::LeftButton);
}

QTreeWidgetItem* Ligne_texte(QTreeWidget* liste, const QString& texte)
{
    const int i = Chercher_element(texte, liste, 0, 0, 0);
    return i > 0 ? Ligne(liste, i) : nullptr;
}

// LEFEVRE Hélène, created in the window as a user would, with the nationality from the
// country picker and the birth date from the calendar. Returns her key.
QString Creer_par_la_fenetre(Contexte& c)
{
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;
    Saisir(d, {"92001", "C", "lefèvre", " Hélène ", QDate(), 1});
    c.ihm.repondreModal(Calendrier(QDate(1992, 5, 5)));
    d->Cmd_Date.value(0)->click();

    d->Cmd_pays->click();
    auto* pays = Fenetre_nommee<frm_liste_pays>("frm_liste_pays");
    if (!pays)
        return QString();
    pays->Lsv_pays->setCurrentItem(Ligne_texte(pays->Lsv_pays, "BELGIQUE"));
    pays->Command1_0->click();
    Traiter_evenements();

    d->SSTab1->setCurrentIndex(1);
    d->Check1[0]->setChecked(true);
    d->Check1[3]->setChecked(true);
    d->Option_type[1]->setChecked(true);
    // Typed key by key: an impossible day is undone as it is typed.
    QTest::keyClicks(d->txt_description.value(10), "31");
    QTest::keyClicks(d->txt_description.value(11), "2");
    QTest::keyClicks(d->txt_description.value(11), "12");
    QTest::keyClicks(d->txt_description.value(12), "2024");
    QTest::keyClicks(d->txt_description.value(20), "5");

    d->SSTab1->setCurrentIndex(2);
    d->lsvTarif->setCurrentItem(Ligne_texte(d->lsvTarif, "Jeune & Co"));
    Ligne_texte(d->LsvActivites, "Natation")->setCheckState(0, Qt::Checked);
    d->txt_Medecin->setText("Dr O'Brien");
    // A date typed in part is refused rather than stored as none: the window keeps it, on its tab.
    d->Command1[0]->click();
    Traiter_evenements();
    if (!ref || c.ihm.messages().value(c.ihm.messages().size() - 1) != "Date d'oblitération invalide."
        || d->txt_description.value(20)->text() != "5" || d->SSTab1->currentIndex() != 1
        || !c.base.valeur("SELECT Num FROM Licence WHERE Nom = 'LEFEVRE'").isEmpty())
        return QString();
    d->txt_description.value(20)->clear();
    d->Command1[0]->click();
    Traiter_evenements();
    return c.base.valeur("SELECT Num FROM Licence WHERE Nom = 'LEFEVRE'");
}

frm_liste_licence* Ouvrir_liste(QPointer<frm_liste_licence>& ref, const QString& mode, bool bAnnuler = true,
                                const QString& modifier = QString())
{
    Ouvrir_liste_licences(ref, "Liste", mode, bAnnuler, modifier, 0, 0, QString(), QString(), nullptr);
    return ref;
}

} // namespace

class TstFenetresLicence : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void nouvelleLicence();
    void nouvelleLicenceRefusee_data();
    void nouvelleLicenceRefusee();
    void naissanceImpossible_data();
    void naissanceImpossible();
    void echapFermeSeulementLaListeOuverte();
    void filtres_data();
    void filtres();
    void criteresRestaures();
    void triParColonne();
    void listeVide();
    void suppressionAnnulee();
    void suppressionValidee();
    void suppressionDansUneSelection();
    void tarifsParLeMenu();
    void modificationDepuisLaListe();
    void selectionNouveauNageur();
    void selectionNageurExistant();
    void selectionNumeroDUneLicenceSupprimee();
    void clavier();
    void captures();
};

namespace {
// The controls Tab (or Shift+Tab) reaches from the focused one, pressed as a keyboard does.
QStringList Tabulations(QWidget* fenetre, int fois, bool arriere = false)
{
    QStringList vus;
    for (int i = 0; i < fois; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            break;
        QTest::sendKeyEvent(QTest::Click, focus, arriere ? Qt::Key_Backtab : Qt::Key_Tab, QString(arriere ? "" : "\t"),
                            arriere ? Qt::ShiftModifier : Qt::NoModifier);
        vus << (fenetre->isAncestorOf(QApplication::focusWidget()) ? QApplication::focusWidget()->objectName() : "?");
    }
    return vus;
}
} // namespace

// The keys a secretary uses: the licence opens on the name, Tab follows the form line by
// line (sex and birth date between first name and nationality, back the same way), and Return
// on a row of the list does what its button does.
void TstFenetresLicence::clavier()
{
    Contexte c;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;
    d->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(d));
    QCOMPARE(QApplication::focusWidget(), d->text1[1]);
    d->text1[2]->setFocus(Qt::TabFocusReason);
    // The sex buttons are one stop, as a group of options is; the arrows move within it.
    QCOMPARE(Tabulations(d, 8), (QStringList {"Option_sexe_0", "txt_description_0", "txt_description_1",
                                              "txt_description_2", "Cmd_Date_0", "text1_3", "Cmd_pays", "text1_4"}));
    QCOMPARE(Tabulations(d, 2, true), (QStringList {"Cmd_pays", "text1_3"}));
    d->close();
    Traiter_evenements();

    QPointer<frm_liste_licence> liste;
    frm_liste_licence* l = Ouvrir_liste(liste, "Modif", false, "&Modifier");
    l->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(l));
    Selectionner_nom(l, "DUPONT");
    l->lsv_licence->setFocus();
    QTest::sendKeyEvent(QTest::Click, l->lsv_licence, Qt::Key_Return, QString("\r"), Qt::NoModifier);
    QVERIFY(l->Detail());
    QCOMPARE(l->Detail()->text1[1]->text(), QString("DUPONT"));
    l->Detail()->close();
    Traiter_evenements();
    QVERIFY(!l->Detail());
    Double_clic(l->lsv_licence, Chercher_element("MARTIN", l->lsv_licence, 0, 0, 0));
    QVERIFY(l->Detail());
    QCOMPARE(l->Detail()->text1[1]->text(), QString("MARTIN"));
}

void TstFenetresLicence::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstFenetresLicence::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());
    bClubSelection = false;
}

void TstFenetresLicence::nouvelleLicence()
{
    Contexte c;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    QCOMPARE(ref->windowTitle(), QString("Nouvelle Licence"));
    QCOMPARE(ref->text1[11]->text(), clubA);
    QVERIFY(ref->Cmd_Club->isHidden() && ref->Cmd_origine->isHidden() && ref->text1[9]->isHidden());
    QCOMPARE(ref->text1[3]->text(), QString("FRANCE"));
    QCOMPARE(Nombre_lignes(ref->lsvTarif), 2);
    QVERIFY(ref->lsvTarif->selectedItems().isEmpty());
    QCOMPARE(colVerrouLicence, (CollectionCompteurs {1, 0, 1, 1, 1, 0, 0}));
    ref->close();
    Traiter_evenements();
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());

    const QString num = Creer_par_la_fenetre(c);
    QVERIFY(!num.isEmpty());
    QCOMPARE(c.ihm.messages().last(), QString("Nageur mémorisé avec succès."));
    QVERIFY(!Fenetre_nommee<det_licence>("det_licence"));
    QCOMPARE(Tous_les_verrous(), Aucun_verrou());

    const QStringList attendu = {clubA, "92001C", "LEFEVRE", "Hélène", "F", "19920505", "BEL", "O", "", "O",
                                 "20241231", "", "N", "N", "Jeune & Co", "Dr O'Brien", "1"};
    const QString colonnes = "Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Sportive, Synchro, "
                             "Plongeon, Date_Depot, Date_obliteration, Type_licence, Nature, Tarif, Medecin, Visible";
    QStringList lu;
    for (const QString& col : colonnes.split(", "))
        lu << c.champ(num, col).replace("Vrai", "1");
    QCOMPARE(lu, attendu);
    QCOMPARE(Valeurs_colonne("SELECT Activite FROM Activite_licence WHERE Num_lic = " + num), QStringList {"Natation"});
}

void TstFenetresLicence::nouvelleLicenceRefusee_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<QString>("lettre");
    QTest::addColumn<QString>("message");

    // The hidden licence 15 of club A still holds 92002C until its number is freed.
    QTest::newRow("numéro d'une licence supprimée") << "92002" << "C"
                                                    << "Numéro de licence déjà utilisé.\r\nInsertion du licencié annulé.";
    QTest::newRow("année et numéro") << "93001" << "F" << "La licence et annee de naissance ne correspondent pas.";
}

void TstFenetresLicence::nouvelleLicenceRefusee()
{
    QFETCH(QString, numero);
    QFETCH(QString, lettre);
    QFETCH(QString, message);
    Contexte c;
    const QString avant = c.base.valeur("SELECT count(*) FROM Licence");
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    Saisir(ref, {numero, lettre, "éloi", "Marc", QDate(1992, 1, 1), 0});
    ref->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.ihm.messages(), QStringList {message});
    QVERIFY(ref && ref->isVisible());
    QCOMPARE(ref->text1[1]->text(), QString("ELOI"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence"), avant);
}

void TstFenetresLicence::naissanceImpossible_data()
{
    QTest::addColumn<QString>("jour");
    QTest::addColumn<QString>("mois");
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("message"); // "" when stored

    // Today is 1 October 2024 (the context's clock).
    const QString futur = "La date de naissance est postérieure à la date du jour.";
    QTest::newRow("lendemain") << "2" << "10" << "2024" << futur;
    QTest::newRow("en 2030") << "1" << "1" << "2030" << futur;
    QTest::newRow("31 décembre 1899") << "31" << "12" << "1899" << "La date de naissance est antérieure à 1900.";
    // The typing check takes 1900 for a leap year.
    QTest::newRow("29 février 1900") << "29" << "2" << "1900" << "Date de naissance invalide.";
    QTest::newRow("aujourd'hui") << "1" << "10" << "2024" << "Nageur mémorisé avec succès.";
    QTest::newRow("1er janvier 1900") << "1" << "1" << "1900" << "Nageur mémorisé avec succès.";
}

// A birth date the licence exchange could not read back is refused by the window, with its
// reason; nothing is written and the window stays open.
void TstFenetresLicence::naissanceImpossible()
{
    QFETCH(QString, jour);
    QFETCH(QString, mois);
    QFETCH(QString, annee);
    QFETCH(QString, message);
    Contexte c;
    const QString avant = c.base.valeur("SELECT count(*) FROM Licence");
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;
    QTest::keyClicks(d->text1[0], annee.right(2) + "777");
    QTest::keyClicks(d->text1[1], "ROUX");
    QTest::keyClicks(d->text1[2], "Lea");
    QTest::keyClicks(d->txt_description.value(0), jour);
    QTest::keyClicks(d->txt_description.value(1), mois);
    QTest::keyClicks(d->txt_description.value(2), annee);
    QCOMPARE(d->txt_description.value(0)->text() + "/" + d->txt_description.value(1)->text() + "/"
                 + d->txt_description.value(2)->text(),
             jour + "/" + mois + "/" + annee);
    QTest::mouseClick(d->Command1[0], Qt::LeftButton);
    Traiter_evenements();
    QCOMPARE(c.ihm.messages(), QStringList {message});
    const bool stocke = message.startsWith("Nageur");
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence"), QString::number(avant.toInt() + (stocke ? 1 : 0)));
    if (stocke) {
        QString m = mois, j = jour;
        QCOMPARE(c.base.valeur("SELECT Date_Naissance FROM Licence WHERE Nom = 'ROUX'"), Composer_date(annee, m, j));
    } else {
        QVERIFY(ref && ref->isVisible());
    }
}

void TstFenetresLicence::echapFermeSeulementLaListeOuverte()
{
    Contexte c;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    ref->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ref->window()));
    Saisir(ref, {"92001", "F", "martin", "Léa", QDate(1992, 5, 5), 1});
    for (const auto& [touche, texte] : {std::pair {Qt::Key_Escape, "\x1b"}, std::pair {Qt::Key_Return, "\r"}}) {
        ref->Cb_licence->setFocus();
        ref->Cb_licence->showPopup();
        QWidget* liste = QApplication::activePopupWidget();
        QVERIFY(liste);
        QWidget* cible = liste->focusWidget() ? liste->focusWidget() : liste;
        QTest::sendKeyEvent(QTest::Click, cible, touche, QString(texte), Qt::NoModifier);
        Traiter_evenements();
        QTRY_VERIFY(!QApplication::activePopupWidget());
        // The list is closed; the window and what was typed are still there, nothing saved.
        QVERIFY(ref && ref->isVisible());
        QCOMPARE(ref->text1[1]->text(), QString("martin"));
        QVERIFY(c.ihm.appels().empty());
    }
    ref->close();
    Traiter_evenements();
}

void TstFenetresLicence::filtres_data()
{
    QTest::addColumn<QStringList>("boites"); // txt_nom(0), txt_nom(1), txt_age(0), txt_age(1)
    QTest::addColumn<QList<int>>("options"); // sex, type, nature option set; -1 for none
    QTest::addColumn<QList<int>>("affiliations");
    QTest::addColumn<QStringList>("noms");

    const QList<int> aucune = {-1, -1, -1};
    const QStringList vides = {"", "", "", ""};
    QTest::newRow("sans critère") << vides << aucune << QList<int> {}
                                  << QStringList {"DUBOIS", "DUPONT", "LEFEVRE", "MARTIN", "ZOLA"};
    QTest::newRow("nom") << QStringList {"dub", "LEG", "", ""} << aucune << QList<int> {}
                         << QStringList {"DUBOIS", "DUPONT", "LEFEVRE"};
    QTest::newRow("nom: la borne haute comprend ses noms") << QStringList {"A", "D", "", ""} << aucune << QList<int> {}
                                                            << QStringList {"DUBOIS", "DUPONT"};
    QTest::newRow("nom: borne haute en minuscules") << QStringList {"", "dup", "", ""} << aucune << QList<int> {}
                                                     << QStringList {"DUBOIS", "DUPONT"};
    QTest::newRow("années bornes comprises") << QStringList {"", "", "1990", "1995"} << aucune << QList<int> {}
                                             << QStringList {"DUPONT", "LEFEVRE", "MARTIN"};
    QTest::newRow("une seule année") << QStringList {"", "", "1992", "1992"} << aucune << QList<int> {}
                                     << QStringList {"LEFEVRE"};
    QTest::newRow("sexe") << vides << QList<int> {1, -1, -1} << QList<int> {} << QStringList {"DUBOIS", "LEFEVRE"};
    QTest::newRow("type") << vides << QList<int> {-1, 1, -1} << QList<int> {} << QStringList {"DUBOIS", "LEFEVRE"};
    QTest::newRow("nature") << vides << QList<int> {-1, -1, 1} << QList<int> {} << QStringList {"DUBOIS"};
    QTest::newRow("affiliation") << vides << aucune << QList<int> {3} << QStringList {"LEFEVRE"};
    QTest::newRow("affiliations: l'une ou l'autre") << vides << aucune << QList<int> {0, 5}
                                                    << QStringList {"DUPONT", "LEFEVRE", "ZOLA"};
    QTest::newRow("tout ensemble") << QStringList {"A", "Z", "1991", "2000"} << QList<int> {1, 1, 0}
                                   << QList<int> {3, 4} << QStringList {"LEFEVRE"};
}

void TstFenetresLicence::filtres()
{
    QFETCH(QStringList, boites);
    QFETCH(QList<int>, options);
    QFETCH(QList<int>, affiliations);
    QFETCH(QStringList, noms);
    Contexte c;
    QVERIFY(!Creer_par_la_fenetre(c).isEmpty());

    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "View", false);
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "DUPONT", "LEFEVRE", "MARTIN", "ZOLA"}));
    l->Cmd[3]->click();
    QVERIFY(l->frm_crit->isVisible() && !l->lsv_licence->isVisible() && !l->Cmd[3]->isEnabled());
    l->txt_nom[0]->setText(boites[0]);
    l->txt_nom[1]->setText(boites[1]);
    QTest::keyClicks(l->txt_age[0], boites[2]);
    QTest::keyClicks(l->txt_age[1], boites[3]);
    if (options[0] >= 0)
        QTest::mouseClick(l->PicSexe[options[0]], Qt::LeftButton);
    if (options[1] >= 0)
        l->Option_type[options[1]]->setChecked(true);
    if (options[2] >= 0)
        l->Option_nature[options[2]]->setChecked(true);
    for (int a : affiliations)
        l->Check1[a]->setChecked(true);
    l->Cmd[4]->click();
    QVERIFY(!l->frm_crit->isVisible() && l->lsv_licence->isVisible() && l->Cmd[3]->isEnabled());
    QCOMPARE(Noms(l), noms);
}

void TstFenetresLicence::criteresRestaures()
{
    Contexte c;
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "View", false);
    Selectionner_nom(l, "MARTIN");
    l->Cmd[3]->click();
    l->txt_nom[0]->setText("  D ");
    l->Option_sexe[0]->setChecked(true);
    l->Check1[2]->setChecked(true);
    l->Cmd[4]->click();
    QCOMPARE(Noms(l), QStringList {"MARTIN"});
    QCOMPARE(l->Criteres(), QString("AND Licence.Nom >= 'D' AND Licence.Sexe = 'M' AND ( Licence.Water_Polo = 'O' )  "));

    // Changed, then put back as they were validated.
    l->Cmd[3]->click();
    l->txt_nom[0]->setText("X");
    l->Option_sexe[1]->setChecked(true);
    l->Cmd_clear[0]->click();
    QVERIFY(!l->Option_sexe[0]->isChecked() && !l->Option_sexe[1]->isChecked());
    l->Check1[2]->setChecked(false);
    l->Option_type[0]->setChecked(true);
    l->Cmd[5]->click();
    QVERIFY(l->lsv_licence->isVisible());
    QCOMPARE(l->txt_nom[0]->text(), QString("D"));
    QVERIFY(l->Option_sexe[0]->isChecked() && l->Check1[2]->isChecked() && !l->Option_type[0]->isChecked());
    QCOMPARE(Noms(l), QStringList {"MARTIN"});

    // Everything emptied: the whole list again.
    l->Cmd[3]->click();
    l->txt_nom[0]->clear();
    l->Cmd_clear[0]->click();
    l->Check1[2]->setChecked(false);
    l->Cmd[4]->click();
    QCOMPARE(l->Criteres(), QString(" "));
    QCOMPARE(Noms(l).size(), 4);
    QCOMPARE(l->Num_selectionne(), QString("12"));
}

void TstFenetresLicence::triParColonne()
{
    Contexte c;
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "View", false);
    Selectionner_nom(l, "DUPONT");
    QHeaderView* entete = l->lsv_licence->header();
    // Opened sorted by name: the first click on "Nom" sorts it the other way.
    emit entete->sectionClicked(0);
    QCOMPARE(Noms(l), (QStringList {"ZOLA", "MARTIN", "DUPONT", "DUBOIS"}));
    QCOMPARE(l->Num_selectionne(), QString("11"));
    emit entete->sectionClicked(0);
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "DUPONT", "MARTIN", "ZOLA"}));
    emit entete->sectionClicked(3);
    QCOMPARE(Noms(l), (QStringList {"ZOLA", "MARTIN", "DUPONT", "DUBOIS"}));
    QCOMPARE(Ligne(l->lsv_licence, 1)->text(3), QString("31 décembre 1989"));
    emit entete->sectionClicked(2);
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "ZOLA", "MARTIN", "DUPONT"}));
}

void TstFenetresLicence::listeVide()
{
    Contexte c;
    strCodeClub = clubB;
    c.base.executer("UPDATE Licence SET Visible = false WHERE Code_club = '" + clubB + "'");
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    QCOMPARE(Nombre_lignes(l->lsv_licence), 0);
    QVERIFY(!l->Cmd[2]->isEnabled() && !l->Cmd[1]->isEnabled() && !l->txt_recherche->isEnabled());
    QVERIFY(l->Cmd[0]->isEnabled());
    Touche_suppr(l);
    l->Cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!ref);
}

void TstFenetresLicence::suppressionAnnulee()
{
    Contexte c;
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    QCOMPARE(colVerrouLicence, (CollectionCompteurs {1, 1, 1, 1, 1, 1, 1}));
    Selectionner_nom(l, "DUPONT");
    Touche_suppr(l);
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "MARTIN", "ZOLA"}));
    QCOMPARE(l->Num_selectionne(), QString("12"));
    QCOMPARE(c.champ("11", "Visible"), QString("Faux"));
    QCOMPARE(Valeurs_colonne("SELECT Num FROM Licence_tempo"), QStringList {"11"});
    // The button does what the Delete key does, down to the last row.
    while (Nombre_lignes(l->lsv_licence) > 0)
        l->Cmd[2]->click();
    QVERIFY(!l->Cmd[2]->isEnabled() && !l->txt_recherche->isEnabled());
    QVERIFY(l->Cmd[1]->isEnabled());
    l->Cmd[1]->click();
    Traiter_evenements();
    QVERIFY(!ref);
    QCOMPARE(Valeurs_colonne("SELECT Nom FROM Licence WHERE Visible = true AND Code_club = '" + clubA + "' ORDER BY Nom"),
             (QStringList {"DUBOIS", "DUPONT", "MARTIN", "ZOLA"}));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence_tempo"), QString("0"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence WHERE Date_suppr IS NOT NULL AND Num > 1"), QString("1"));

    // The close box after sorting and filtering undoes as well.
    l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    Selectionner_nom(l, "ZOLA");
    Touche_suppr(l);
    l->Cmd[3]->click();
    l->txt_nom[0]->setText("Y");
    l->Cmd[4]->click();
    QCOMPARE(Nombre_lignes(l->lsv_licence), 0);
    l->close();
    Traiter_evenements();
    QCOMPARE(c.champ("13", "Visible"), QString("Vrai"));
    QCOMPARE(c.champ("13", "Date_suppr"), QString());
}

void TstFenetresLicence::suppressionValidee()
{
    Contexte c;
    const QString num = Creer_par_la_fenetre(c);
    // Entered in a competition to come and in a template, in a relay with DUPONT.
    c.base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (1, 'a venir', true, false)");
    c.base.executer("INSERT INTO Modele_engag (NumAuto, Nom_modele, Num_profil) VALUES (1, 'M1', 1)");
    for (const QString& l : {num, QString("11")}) {
        c.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe) VALUES (1, 1, 1, "
                        + l + ", 0)");
        c.base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe) VALUES (1, 1, " + l + ", 0)");
        c.base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic, Num_equipe) VALUES (1, 1, " + l
                        + ", 0)");
    }
    c.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Licence1, Licence2) "
                    "VALUES (1, 1, 1, 1, 1, 11, "
                    + num + ")");

    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    Selectionner_nom(l, "LEFEVRE");
    Touche_suppr(l);
    l->Cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!ref);

    QCOMPARE(c.champ(num, "Visible"), QString("Faux"));
    QCOMPARE(c.champ(num, "Date_suppr"), QString("20241001"));
    for (const char* table : {"Engag", "Engag_nageur", "Engag_modele"})
        QCOMPARE(Valeurs_colonne(QString("SELECT Num_Lic FROM %1").arg(table)), QStringList {"11"});
    QCOMPARE(c.base.valeur("SELECT Licence1 || ',' || Licence2 FROM Relais"), QString("11,1"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence_tempo"), QString("0"));
    QCOMPARE(c.champ("11", "Visible"), QString("Vrai"));
}

void TstFenetresLicence::suppressionDansUneSelection()
{
    Contexte c;
    bClubSelection = true;
    strCodeClub = selection;
    for (const char* n : {"11", "14"})
        c.base.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES ('" + selection + "', " + n + ")");
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    QCOMPARE(l->lsv_licence->headerItem()->text(3), QString("Club Origine"));
    QCOMPARE(Ligne(l->lsv_licence, 1)->text(3), QString("Club B"));
    Selectionner_nom(l, "DUPONT");
    Touche_suppr(l);
    auto etat = [&c] {
        return c.base.valeur("SELECT Visible || '/' || Suppr FROM Selection WHERE Num_Lic = 11");
    };
    QCOMPARE(etat(), QString("0/1"));
    QCOMPARE(c.champ("11", "Visible"), QString("Vrai"));
    l->Cmd[1]->click();
    Traiter_evenements();
    QCOMPARE(etat(), QString("1/0"));

    l = Ouvrir_liste(ref, "Suppr", true, "&Supprimer");
    Selectionner_nom(l, "DUPONT");
    Touche_suppr(l);
    l->Cmd[0]->click();
    Traiter_evenements();
    QCOMPARE(etat(), QString("0/0"));
    QCOMPARE(c.champ("11", "Visible"), QString("Vrai"));
    QCOMPARE(c.champ("11", "Date_suppr"), QString());
}

void TstFenetresLicence::tarifsParLeMenu()
{
    Contexte c;
    // Without fee: saved without a tariff by the window (''), Null, and a blank of older bases.
    QPointer<det_licence> d;
    Ouvrir_det_licence(d, nullptr, "Nouveau", "Nouvelle Licence", QString());
    Saisir(d, {"05001", "F", "SANS", "Tarif", QDate(2005, 1, 1), 1});
    d->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.base.valeur("SELECT Tarif FROM Licence WHERE Nom = 'SANS'"), QString());
    c.base.executer("UPDATE Licence SET Tarif = NULL WHERE Num = 10");
    c.base.executer("UPDATE Licence SET Tarif = ' ' WHERE Num = 12");

    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "SsCotisation");
    QCOMPARE(colVerrouLicence, (CollectionCompteurs {1, 1, 1, 1, 1, 0, 0}));
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "MARTIN", "SANS"}));
    QMenu* menu = l->Menu_tarifs();
    QStringList articles;
    for (QAction* a : menu->actions())
        articles << a->objectName() + "=" + a->text();
    QCOMPARE(articles, (QStringList {"mnuTarifsSel_0=Aucun", "mnuTarifsSel_1=Adulte", "mnuTarifsSel_2=Jeune && Co"}));

    // Right button on a row: the row's pending tariff is the item checked.
    QStringList coches;
    auto choisir = [&](const QString& nom, const char* article) {
        c.ihm.repondreMenu([&coches, article](QMenu& m) {
            for (QAction* a : m.actions())
                if (a->isChecked())
                    coches << a->objectName();
            return m.findChild<QAction*>(article);
        });
        QTreeWidgetItem* ligne = Ligne_texte(l->lsv_licence, nom);
        QTest::mouseClick(l->lsv_licence->viewport(), Qt::RightButton, {},
                          l->lsv_licence->visualItemRect(ligne).center());
    };
    choisir("DUBOIS", "mnuTarifsSel_2");
    choisir("DUBOIS", "mnuTarifsSel_1");
    choisir("MARTIN", "mnuTarifsSel_1");
    choisir("MARTIN", "mnuTarifsSel_0");
    choisir("SANS", "mnuTarifsSel_2");
    choisir("SANS", "mnuTarifsSel_2");
    QCOMPARE(coches, (QStringList {"mnuTarifsSel_0", "mnuTarifsSel_2", "mnuTarifsSel_0", "mnuTarifsSel_1",
                                   "mnuTarifsSel_0", "mnuTarifsSel_2"}));
    QCOMPARE(l->Tarif_en_attente("12"), QString());
    // Nothing is written before "&Ok".
    QVERIFY(c.champ("10", "Tarif").isEmpty());
    l->Cmd[0]->click();
    Traiter_evenements();
    QCOMPARE(c.champ("10", "Tarif"), QString("Adulte"));
    QCOMPARE(c.champ("12", "Tarif"), QString(" "));
    QCOMPARE(c.base.valeur("SELECT Tarif FROM Licence WHERE Nom = 'SANS'"), QString("Jeune & Co"));
}

void TstFenetresLicence::modificationDepuisLaListe()
{
    Contexte c;
    c.base.executer("UPDATE Licence SET Nationalite = 'XYZ', Code_unique = '1234567890123456789' WHERE Num = 11");
    c.base.executer("INSERT INTO Activite_licence VALUES (11, 'Aquagym')");
    c.base.executer("INSERT INTO Rcomp (AutoNum, Nom, Visible, Deroule) VALUES (1, 'a venir', true, false)");
    c.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe) VALUES (1, 1, 1, 11, 0)");

    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Modif", false, "&Modifier");
    Selectionner_nom(l, "DUPONT");
    l->SimulAction();
    QPointer<det_licence> d = l->Detail();
    QVERIFY(d);
    QCOMPARE(d->windowTitle(), QString("Modifier Licence"));
    QCOMPARE(d->text1[0]->text() + d->Cb_licence->currentText(), QString("95123F"));
    QCOMPARE(d->text1[3]->text(), QString("XYZ")); // no Pays row: the code itself
    QCOMPARE(d->text1[9]->text(), QString("1234567890123456789"));
    QVERIFY(d->Option_sexe[0]->isChecked() && d->Option_type[2]->isChecked() && d->Option_nature[0]->isChecked());
    QCOMPARE(d->lsvTarif->selectedItems().value(0)->text(0), QString("Adulte"));
    QCOMPARE(Ligne_texte(d->LsvActivites, "Aquagym")->checkState(0), Qt::Checked);

    // Another licence's number is refused.
    d->text1[0]->setText("90456");
    d->Cb_licence->setCurrentText("F");
    d->txt_description.value(2)->setText("1990");
    d->Command1[0]->click();
    QCOMPARE(c.ihm.messages().last(), QString("Numéro de licence déjà utilisé."));
    QVERIFY(d);

    // A new name keeps the entries; a new sex purges them.
    d->text1[0]->setText("95123");
    d->txt_description.value(2)->setText("1995");
    d->text1[1]->setText("Dupont-Leroy");
    d->Command1[0]->click();
    Traiter_evenements();
    QVERIFY(!d);
    QCOMPARE(c.ihm.messages().last(), QString("Nageur modifié avec succès."));
    QCOMPARE(c.champ("11", "Nom"), QString("DUPONT-LEROY"));
    QCOMPARE(c.champ("11", "Nationalite"), QString("XYZ"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag"), QString("1"));
    QCOMPARE(Noms(l), (QStringList {"DUBOIS", "DUPONT-LEROY", "MARTIN", "ZOLA"}));
    QCOMPARE(l->Num_selectionne(), QString("11"));

    l->Cmd[2]->click();
    d = l->Detail();
    QTest::mouseClick(d->PicSexe[1], Qt::LeftButton);
    d->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.champ("11", "Sexe"), QString("F"));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Engag"), QString("0"));
    QCOMPARE(c.champ("11", "Visible"), QString("Vrai"));

    // Closing the list closes the detail window it opened.
    l->Cmd[2]->click();
    d = l->Detail();
    QVERIFY(d);
    l->Cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!d);
}

void TstFenetresLicence::selectionNouveauNageur()
{
    Contexte c;
    bClubSelection = true;
    strCodeClub = selection;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;
    QVERIFY(d->text1[11]->text().isEmpty());
    QVERIFY(!d->Cmd_Club->isHidden() && !d->Cmd_origine->isHidden());
    QVERIFY(!d->lsvTarif->isEnabled() && !d->LsvActivites->isEnabled() && !d->txt_Medecin->isEnabled());
    QCOMPARE(Nombre_lignes(d->lsvTarif), 0);

    // No club chosen: refused rather than stored where no list shows it.
    const QString avant = c.base.valeur("SELECT count(*) FROM Licence");
    Saisir(d, {"07001", "F", "NOUVEAU", "Nageur", QDate(2007, 2, 3), 0});
    d->Command1[0]->click();
    QCOMPARE(c.ihm.messages(), QStringList {"Vous devez d'abord choisir le club du licencié."});
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence"), avant);

    // The chooser offers the clubs of the selection, not the selection itself.
    d->Cmd_Club->click();
    auto* clubs = Fenetre_nommee<Frm_liste_club>("Frm_liste_club");
    QVERIFY(clubs);
    QCOMPARE(clubs->windowTitle(), QString("Choix d'un club"));
    QStringList offerts;
    for (int i = 1; i <= Nombre_lignes(clubs->Lsv_club); ++i)
        offerts << Ligne(clubs->Lsv_club, i)->text(0);
    QCOMPARE(offerts, (QStringList {clubA, clubB}));
    // A second click brings the open chooser forward.
    d->Cmd_Club->click();
    QCOMPARE(c.ihm.messages().last(), QString("La fenêtre est déjà ouverte.\r\nTerminer la précédente opération."));
    clubs->Lsv_club->setCurrentItem(Ligne(clubs->Lsv_club, 2));
    clubs->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(d->text1[11]->text(), clubB);

    d->Command1[0]->click();
    Traiter_evenements();
    const QString num = c.base.valeur("SELECT Num FROM Licence WHERE Nom = 'NOUVEAU'");
    QCOMPARE(c.champ(num, "Code_club"), clubB);
    QCOMPARE(c.base.valeur("SELECT Code_Sel || '/' || Visible FROM Selection WHERE Num_Lic = " + num),
             selection + "/1");
}

void TstFenetresLicence::selectionNumeroDUneLicenceSupprimee()
{
    // The hidden licence 15 of club A still holds 92002C until its number is freed.
    Contexte c;
    bClubSelection = true;
    strCodeClub = selection;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;
    Saisir(d, {"92002", "C", "NOUVEAU", "Nageur", QDate(1992, 2, 3), 0});
    d->Cmd_Club->click();
    auto* clubs = Fenetre_nommee<Frm_liste_club>("Frm_liste_club");
    QVERIFY(clubs);
    clubs->Lsv_club->setCurrentItem(Ligne(clubs->Lsv_club, 1));
    clubs->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(d->text1[11]->text(), clubA);
    const QString avant = c.base.valeur("SELECT count(*) FROM Licence");
    d->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.ihm.messages(), QStringList {"Numéro de licence déjà utilisé.\r\nInsertion du licencié annulé."});
    QVERIFY(ref && ref->isVisible());
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence"), avant);
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Selection WHERE Num_Lic = 15"), QString("0"));
    ref->close();
    Traiter_evenements();
}

void TstFenetresLicence::selectionNageurExistant()
{
    Contexte c;
    c.base.executer("INSERT INTO Activite_licence VALUES (11, 'Natation')");
    c.base.executer("INSERT INTO Selection (Code_Sel, Num_Lic, Visible) VALUES ('" + selection + "', 11, false)");
    bClubSelection = true;
    strCodeClub = selection;
    QPointer<det_licence> ref;
    Ouvrir_det_licence(ref, nullptr, "Nouveau", "Nouvelle Licence", QString());
    det_licence* d = ref;

    // An existing swimmer of a member club, chosen in the licence list; the club out of the
    // selection's département is not offered.
    d->Cmd_origine->click();
    auto* origine = Fenetre_nommee<frm_liste_licence>("frm_liste_licence");
    QVERIFY(origine);
    QCOMPARE(origine->windowTitle(), QString("Sélectionner un(e) licencié(e)"));
    QCOMPARE(Noms(origine), (QStringList {"BERNARD", "DUBOIS", "DUPONT", "MARTIN", "ZOLA"}));
    QCOMPARE(Tous_les_verrous().value(2), (QList<int> {1, 0, 1, 1, 1, 0, 0}));
    Selectionner_nom(origine, "DUPONT");
    QTest::keyClick(origine->lsv_licence, Qt::Key_Return);
    Traiter_evenements();
    QVERIFY(!Fenetre_nommee<frm_liste_licence>("frm_liste_licence"));
    QCOMPARE(d->text1[1]->text(), QString("DUPONT"));
    QCOMPARE(d->text1[11]->text(), clubA);
    QCOMPARE(d->text1[9]->text(), clubA + "95123F");

    const QString avant = c.base.valeur("SELECT count(*) FROM Licence");
    d->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.ihm.messages().last(), QString("Nageur mémorisé avec succès."));
    QCOMPARE(c.base.valeur("SELECT count(*) FROM Licence"), avant);
    QCOMPARE(c.base.valeur("SELECT count(*) || '/' || Visible FROM Selection WHERE Num_Lic = 11"), QString("1/1"));
    // The member club's own data is left alone.
    QCOMPARE(c.champ("11", "Tarif"), QString("Adulte"));
    QCOMPARE(Valeurs_colonne("SELECT Activite FROM Activite_licence WHERE Num_lic = 11"), QStringList {"Natation"});

    // Edited from the selection's list: the tariff and activities are still kept.
    QPointer<frm_liste_licence> liste;
    frm_liste_licence* l = Ouvrir_liste(liste, "Modif", false, "&Modifier");
    Selectionner_nom(l, "DUPONT");
    l->Cmd[2]->click();
    l->Detail()->text1[2]->setText("Jean-Marc");
    l->Detail()->Command1[0]->click();
    Traiter_evenements();
    QCOMPARE(c.champ("11", "Prenom"), QString("Jean-Marc"));
    QCOMPARE(c.champ("11", "Tarif"), QString("Adulte"));
    QCOMPARE(Valeurs_colonne("SELECT Activite FROM Activite_licence WHERE Num_lic = 11"), QStringList {"Natation"});
}

void TstFenetresLicence::captures()
{
    Contexte c;
    QVERIFY(!Creer_par_la_fenetre(c).isEmpty());
    QPointer<frm_liste_licence> ref;
    frm_liste_licence* l = Ouvrir_liste(ref, "Modif", false, "&Modifier");
    Selectionner_nom(l, "LEFEVRE");
    Capturer(l, "liste_licences");
    l->Cmd[3]->click();
    l->txt_age[0]->setText("1990");
    l->txt_age[1]->setText("1995");
    l->Check1[0]->setChecked(true);
    l->Option_sexe[1]->setChecked(true);
    Capturer(l, "liste_licences_criteres");
    l->Cmd[5]->click();
    l->Cmd[2]->click();
    det_licence* d = l->Detail();
    for (int onglet = 0; onglet < 3; ++onglet) {
        d->SSTab1->setCurrentIndex(onglet);
        Capturer(d, QString("detail_licence_%1").arg(onglet));
    }
}

QTEST_MAIN(TstFenetresLicence)
#include "tst_fenetres_licence.moc"
