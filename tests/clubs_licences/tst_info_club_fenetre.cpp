// "Informations club" driven as a user would: every tab edited, saved and read back, edits
// dropped by "&Quitter" and "&Recharger", the activity and tariff editors, a change of code, a
// failing save, the menu that opens it, and a picture of each tab.

#include "clubs_licences/det_mon_club.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/sauvegarde.h"
#include "core/utils.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/frm_principal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString codeLibre = "FRA1320027777";

// A base with the current club A (contact data, officials, activities, tariffs, licences) and
// another club B with rows of its own; the scripted user; a count of the profile reloads.
struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    int rechargements = 0;

    Contexte()
    {
        Etapes_base().chargerProfilCourant = [this](bool) { ++rechargements; };
        club(codeA, "Les Dauphins");
        base.executer("UPDATE Club SET Adresse = '2 allée des Pins', Code_Postal = '13002', Ville = 'Marseille', "
                      "Telephone = '0491000000', Fax = '0491000001', Mail = 'contact@dauphins.fr' WHERE Code_federal = '"
                      + codeA + "'");
        for (const auto& d : {"'Trésorier', 'Martin', '0611', '', 'm@x.fr'", "'Président', 'Durand', '0600', '0700', ''",
                              "'Secrétaire', 'Petit', '', '', ''"})
            base.executer("INSERT INTO Dirigeant (Code_federal, Fonction, Nom, Tel1, Tel2, Mail) VALUES ('" + codeA
                          + "', " + d + ")");
        for (const auto& a : {"'Natation', 'Zoé'", "'Water-polo', 'Marc'", "'Natation', 'Alain'"})
            base.executer("INSERT INTO Activites (Code_federal, Activite, Responsable) VALUES ('" + codeA + "', " + a + ")");
        for (const auto& t : {"'Jeune', 85.5", "'Adulte', 120"})
            base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + codeA + "', " + t + ")");
        licence(codeA, "Ados", "'Jeune'");
        licence(codeA, "Grand", "'Adulte'");
        licence(codeA, "Libre", "NULL");

        club(codeB, "Les Requins");
        base.executer("INSERT INTO Dirigeant (Code_federal, Fonction, Nom) VALUES ('" + codeB + "', 'Président', 'Autre')");
        base.executer("INSERT INTO Activites (Code_federal, Activite, Responsable) VALUES ('" + codeB + "', 'Natation', 'Autre')");
        base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + codeB + "', 'Jeune', 50)");
        licence(codeB, "Voisin", "'Jeune'");

        strCodeClub = codeA;
        strNomClub = "Les Dauphins";
    }
    ~Contexte() { Etapes_base().chargerProfilCourant = {}; }

    void club(const QString& code, const QString& nom) const
    {
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + code + "', " + Sql_texte(nom) + ")");
        base.executer("INSERT INTO Profil (Libelle, Code_club) VALUES (" + Sql_texte(nom) + ", '" + code + "')");
    }
    void licence(const QString& code, const QString& nom, const QString& tarif) const
    {
        base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Tarif) VALUES ('" + code + "', '09001F', '" + nom
                      + "', " + tarif + ")");
    }
};


// Everything the window may write, and what a code change carries along.
QStringList Etat_base()
{
    QStringList etat;
    etat << Lignes_requete("SELECT * FROM Club ORDER BY Num") << Lignes_requete("SELECT * FROM Dirigeant ORDER BY rowid")
         << Lignes_requete("SELECT * FROM Activites ORDER BY rowid") << Lignes_requete("SELECT * FROM Tarifs ORDER BY rowid")
         << Lignes_requete("SELECT Num, Code_club, Nom, Tarif FROM Licence ORDER BY Num")
         << Lignes_requete("SELECT Num, Code_club FROM Profil ORDER BY Num");
    return etat;
}

QStringList Contenu(QTreeWidget* liste)
{
    QStringList lignes;
    for (int i = 1; i <= Nombre_lignes(liste); ++i) {
        QStringList colonnes;
        for (int c = 0; c < liste->columnCount(); ++c)
            colonnes << Ligne(liste, i)->text(c);
        lignes << colonnes.join('|');
    }
    return lignes;
}

void Choisir_activite(det_mon_club* f, const QString& nom)
{
    const int i = f->Cbo_activite->findText(nom, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(i >= 0, qPrintable(nom));
    f->Cbo_activite->setCurrentIndex(i);
    emit f->Cbo_activite->activated(i);
}

// Each activity with its responsables as the window shows them, the first one left selected.
QStringList Activites_affichees(det_mon_club* f)
{
    QStringList activites;
    for (int i = 0; i < f->Cbo_activite->count(); ++i) {
        Choisir_activite(f, f->Cbo_activite->itemText(i));
        activites << f->Cbo_activite->itemText(i) + ": " + Contenu(f->lsv_responsable).join(", ");
    }
    if (f->Cbo_activite->count() > 0)
        Choisir_activite(f, f->Cbo_activite->itemText(0));
    return activites;
}

// Types the text key by key, accented letters included, through the field's key filter.
void Taper(QWidget* champ, const QString& texte, bool vider = true)
{
    if (auto* ligne = qobject_cast<QLineEdit*>(champ); ligne && vider)
        ligne->clear();
    for (const QChar c : texte) {
        QKeyEvent appui(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(champ, &appui);
        QKeyEvent relache(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(champ, &relache);
    }
}

void Entree(QWidget* champ)
{
    QTest::keyClick(champ, Qt::Key_Return);
}

void Choisir_ligne(QTreeWidget* liste, int index)
{
    liste->setCurrentItem(Ligne(liste, index));
}


det_mon_club* Ouvrir()
{
    QPointer<det_mon_club> fenetre;
    Ouvrir_det_mon_club(fenetre);
    return fenetre;
}

void Fermer(det_mon_club* f)
{
    f->close();
    Traiter_evenements();
}

} // namespace

class TstInfoClubFenetre : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void ouvertureMontreLeClub();
    void clubSansDonnees();
    void chaqueOngletEnregistreEtRelu();
    void quitterEtRechargerLaissentLaBase();
    void activites();
    void editeurDeTarifs_data();
    void editeurDeTarifs();
    void montantEtFrancs();
    void codeDUnAutreClubRefuse();
    void codeCourtOuNomVideRefuses_data();
    void codeCourtOuNomVideRefuses();
    void nouveauCodeSuiviParLesDonnees();
    void insertionEchoueeGardeLesAnciensTarifs();
    void montantsIllisiblesGardes();
    void menuVotreClub();
    void captures();

private:
    ReglagesTest m_reglages;
};

void TstInfoClubFenetre::initTestCase()
{
    Initialiser_verrous_menus();
}

void TstInfoClubFenetre::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstInfoClubFenetre::ouvertureMontreLeClub()
{
    Contexte ctx;
    det_mon_club* f = Ouvrir();
    QVERIFY(f);
    QCOMPARE(intNbFenetres, qint16(1));
    QCOMPARE(f->windowTitle(), QString("Informations club Les Dauphins"));
    QStringList adresse;
    for (int i = 0; i <= 7; ++i)
        adresse << f->text1[i]->text();
    QCOMPARE(adresse, QStringList({"Les Dauphins", codeA, "2 allée des Pins", "13002", "Marseille", "0491000000",
                                   "0491000001", "contact@dauphins.fr"}));
    QCOMPARE(Contenu(f->Lsv_role), QStringList({"Président|Durand|0600|0700|", "Secrétaire|Petit|||",
                                                "Trésorier|Martin|0611||m@x.fr"}));
    QCOMPARE(f->text1[8]->text() + f->text1[9]->text(), QString("PrésidentDurand"));
    QCOMPARE(Activites_affichees(f), QStringList({"Natation: Alain, Zoé", "Water-polo: Marc"}));
    QCOMPARE(f->Cbo_activite->currentText(), QString("Natation"));
    QCOMPARE(Contenu(f->Lsv_tarif), QStringList({"Adulte|120", "Jeune|85,5"}));
    QCOMPARE(f->text1[14]->text() + " " + f->text1[15]->text(), QString("Adulte 120"));
    QVERIFY(!f->Chk_corres->isChecked());
    QVERIFY(f->text1[16]->text().isEmpty());
    for (QWidget* w : QList<QWidget*>{f->Cmd_role_2, f->text1[13], f->Cmd_add_resp, f->Cmd_suppr_resp, f->Cmd_SupprTarif})
        QVERIFY(w->isEnabled());

    // A click on a row copies it into the fields.
    Choisir_ligne(f->Lsv_role, 3);
    QCOMPARE(f->text1[9]->text() + f->text1[10]->text() + f->text1[12]->text(), QString("Martin0611m@x.fr"));
    Choisir_ligne(f->Lsv_tarif, 2);
    QCOMPARE(f->text1[14]->text() + " " + f->text1[15]->text(), QString("Jeune 85,5"));
}

void TstInfoClubFenetre::clubSansDonnees()
{
    Contexte ctx;
    ctx.club(codeLibre, "Neuf");
    strCodeClub = codeLibre;
    strNomClub = "Neuf";
    det_mon_club* f = Ouvrir();
    for (QTreeWidget* l : {f->Lsv_role, f->lsv_responsable, f->Lsv_tarif})
        QCOMPARE(Nombre_lignes(l), 0);
    QCOMPARE(f->Cbo_activite->count(), 0);
    for (QWidget* w : QList<QWidget*>{f->text1[13], f->Cmd_add_resp, f->Cmd_role_2, f->Cmd_suppr_resp,
                                      f->Cmd_SupprTarif, f->Cmd_activite_1})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(f->Cmd_role_0->isEnabled() && f->Cmd_AddTarif->isEnabled() && f->Cmd_activite_0->isEnabled());
}

// Every tab edited, saved, the window closed and opened again: the same data, in the base too;
// the other club untouched; the licence whose tariff went has none.
void TstInfoClubFenetre::chaqueOngletEnregistreEtRelu()
{
    Contexte ctx;
    const QStringList clubB = Lignes_requete("SELECT * FROM Dirigeant, Activites, Tarifs WHERE Dirigeant.Code_federal = '"
                                     + codeB + "' AND Activites.Code_federal = '" + codeB
                                     + "' AND Tarifs.Code_federal = '" + codeB + "'");
    det_mon_club* f = Ouvrir();

    // Adresse: the digit fields keep digits only.
    Taper(f->text1[0], "Les Dauphins d'Aix");
    Taper(f->text1[2], "1 rue de l'Église");
    Taper(f->text1[3], "13 1a00");
    Taper(f->text1[4], "Aix-en-Provence");
    Taper(f->text1[5], "04.42.00");
    Taper(f->text1[6], "");
    Taper(f->text1[7], "club@aix.fr");
    QCOMPARE(f->text1[3]->text() + " " + f->text1[5]->text(), QString("13100 044200"));

    // Organisation: the secretary goes, a coach comes.
    Choisir_ligne(f->Lsv_role, 2);
    f->Cmd_role_2->click();
    Taper(f->text1[8], "Entraîneur");
    Taper(f->text1[9], "O'Hara");
    Taper(f->text1[10], "06x12");
    Taper(f->text1[11], "");
    Taper(f->text1[12], "oh@x.fr");
    f->Cmd_role_0->click();
    QCOMPARE(Ligne_courante(f->Lsv_role), 3);

    // Activités: a new one with two responsables typed in reverse order; one of Natation goes.
    Taper(f->Cbo_activite->lineEdit(), "Aquagym");
    Entree(f->Cbo_activite->lineEdit());
    QCOMPARE(f->Cbo_activite->currentText(), QString("Aquagym"));
    QCOMPARE(Nombre_lignes(f->lsv_responsable), 0);
    for (const char* nom : {"  Zazie ", "Bruno"}) {
        Taper(f->text1[13], nom);
        Entree(f->text1[13]);
    }
    QVERIFY(f->text1[13]->text().isEmpty());
    Choisir_activite(f, "Natation");
    Choisir_ligne(f->lsv_responsable, 2);
    f->Cmd_suppr_resp->click();

    // Tarifs: Jeune goes, Famille comes.
    Choisir_ligne(f->Lsv_tarif, 2);
    f->Cmd_SupprTarif->click();
    Taper(f->text1[14], "Famille");
    Taper(f->text1[15], "200,5");
    Entree(f->text1[15]);

    f->Command1_1->click();
    QVERIFY2(ctx.ihm.appels().empty(), qPrintable(ctx.ihm.textes().join('\n')));
    QCOMPARE(strNomClub, QString("Les Dauphins d'Aix"));
    QCOMPARE(strCodeClub, codeA);
    QCOMPARE(ctx.rechargements, 1);
    QCOMPARE(Lignes_requete("SELECT Intitule, Adresse, Code_Postal, Ville, Telephone, Fax, Mail FROM Club WHERE Code_federal = '"
                    + codeA + "'"),
             QStringList({"Les Dauphins d'Aix|1 rue de l'Église|13100|Aix-en-Provence|044200||club@aix.fr"}));
    QCOMPARE(Lignes_requete("SELECT Fonction, Nom, Tel1, Suppr FROM Dirigeant WHERE Code_federal = '" + codeA + "'"),
             QStringList({"Président|Durand|0600|Faux", "Trésorier|Martin|0611|Faux", "Entraîneur|O'Hara|0612|Faux"}));
    QCOMPARE(Lignes_requete("SELECT Activite, Responsable FROM Activites WHERE Code_federal = '" + codeA + "'"),
             QStringList({"Natation|Alain", "Water-polo|Marc", "Aquagym|Zazie", "Aquagym|Bruno"}));
    QCOMPARE(Lignes_requete("SELECT Intitule, Tarif FROM Tarifs WHERE Code_federal = '" + codeA + "'"),
             QStringList({"Adulte|120", "Famille|200,5"}));
    QCOMPARE(Lignes_requete("SELECT Nom, coalesce(Tarif, 'NULL') FROM Licence WHERE Nom <> 'Null' ORDER BY Num"),
             QStringList({"Ados|", "Grand|Adulte", "Libre|NULL", "Voisin|Jeune"}));
    QCOMPARE(Lignes_requete("SELECT * FROM Dirigeant, Activites, Tarifs WHERE Dirigeant.Code_federal = '" + codeB
                    + "' AND Activites.Code_federal = '" + codeB + "' AND Tarifs.Code_federal = '" + codeB + "'"),
             clubB);

    Fermer(f);
    f = Ouvrir();
    QCOMPARE(f->windowTitle(), QString("Informations club Les Dauphins d'Aix"));
    QStringList adresse;
    for (int i = 0; i <= 7; ++i)
        adresse << f->text1[i]->text();
    QCOMPARE(adresse, QStringList({"Les Dauphins d'Aix", codeA, "1 rue de l'Église", "13100", "Aix-en-Provence",
                                   "044200", "", "club@aix.fr"}));
    QCOMPARE(Contenu(f->Lsv_role), QStringList({"Entraîneur|O'Hara|0612||oh@x.fr", "Président|Durand|0600|0700|",
                                                "Trésorier|Martin|0611||m@x.fr"}));
    QCOMPARE(Activites_affichees(f), QStringList({"Aquagym: Bruno, Zazie", "Natation: Alain", "Water-polo: Marc"}));
    QCOMPARE(Contenu(f->Lsv_tarif), QStringList({"Adulte|120", "Famille|200,5"}));
}

void TstInfoClubFenetre::quitterEtRechargerLaissentLaBase()
{
    Contexte ctx;
    const QStringList avant = Etat_base();
    det_mon_club* f = Ouvrir();
    auto editer = [&f] {
        Taper(f->text1[0], "Autre nom");
        Taper(f->text1[4], "Ailleurs");
        f->Cmd_role_2->click();
        Taper(f->Cbo_activite->lineEdit(), "Plongeon");
        f->Cmd_activite_0->click();
        Taper(f->text1[13], "Rémi");
        f->Cmd_add_resp->click();
        f->Cmd_SupprTarif->click();
    };
    editer();
    QCOMPARE(f->Cbo_activite->count(), 3);

    f->Command1_2->click();
    QCOMPARE(f->text1[0]->text() + "|" + f->text1[4]->text(), QString("Les Dauphins|Marseille"));
    QCOMPARE(Nombre_lignes(f->Lsv_role), 3);
    QCOMPARE(Activites_affichees(f), QStringList({"Natation: Alain, Zoé", "Water-polo: Marc"}));
    QCOMPARE(Nombre_lignes(f->Lsv_tarif), 2);

    editer();
    f->Command1_0->click();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    QCOMPARE(Etat_base(), avant);
    QCOMPARE(strNomClub, QString("Les Dauphins"));

    // The close box drops the edits the same way.
    f = Ouvrir();
    editer();
    Fermer(f);
    QCOMPARE(Etat_base(), avant);
    QVERIFY(ctx.ihm.appels().empty());
}

void TstInfoClubFenetre::activites()
{
    Contexte ctx;
    det_mon_club* f = Ouvrir();

    // A name already there, whatever its case, adds nothing.
    f->Cbo_activite->setEditText("natation");
    f->Cmd_activite_0->click();
    QCOMPARE(f->Cbo_activite->count(), 2);

    // Working on the second activity, then reloading, shows the first with every activity's
    // responsables unchanged.
    Choisir_activite(f, "Water-polo");
    Taper(f->text1[13], "Léa");
    f->Cmd_add_resp->click();
    f->Command1_2->click();
    QCOMPARE(f->Cbo_activite->currentText(), QString("Natation"));
    QCOMPARE(Activites_affichees(f), QStringList({"Natation: Alain, Zoé", "Water-polo: Marc"}));

    // Removing every activity empties the responsables and disables their input.
    f->Cmd_activite_1->click();
    QCOMPARE(f->Cbo_activite->currentText(), QString("Water-polo"));
    QCOMPARE(Contenu(f->lsv_responsable), QStringList({"Marc"}));
    f->Cmd_activite_1->click();
    QCOMPARE(f->Cbo_activite->count(), 0);
    QCOMPARE(Nombre_lignes(f->lsv_responsable), 0);
    QVERIFY(!f->text1[13]->isEnabled() && !f->Cmd_add_resp->isEnabled() && !f->Cmd_suppr_resp->isEnabled());

    // A removed name is free again, and comes back without its old responsables.
    f->Cbo_activite->setEditText("Natation");
    f->Cmd_activite_0->click();
    QCOMPARE(f->Cbo_activite->count(), 1);
    QCOMPARE(Nombre_lignes(f->lsv_responsable), 0);
    Taper(f->text1[13], "Zoé");
    f->Cmd_add_resp->click();
    Taper(f->text1[13], "Yann");
    f->Cmd_add_resp->click();
    // An activity without responsable is not kept.
    f->Cbo_activite->setEditText("Synchro");
    f->Cmd_activite_0->click();
    QCOMPARE(f->Cbo_activite->count(), 2);
    // A responsable removed and saved at once is gone.
    Choisir_activite(f, "Natation");
    Choisir_ligne(f->lsv_responsable, 1);
    f->Cmd_suppr_resp->click();
    f->Command1_1->click();
    QVERIFY(ctx.ihm.appels().empty());
    f->Command1_2->click();
    QCOMPARE(Activites_affichees(f), QStringList({"Natation: Yann"}));

    // A typed name that is no entry removes nothing.
    f->Cbo_activite->setEditText("Inconnue");
    f->Cmd_activite_1->click();
    QCOMPARE(f->Cbo_activite->count(), 1);
    // The name holds 31 characters at most.
    f->Cbo_activite->setEditText(QString());
    Taper(f->Cbo_activite->lineEdit(), QString(40, 'a'));
    QCOMPARE(f->Cbo_activite->currentText().size(), 31);
}

void TstInfoClubFenetre::editeurDeTarifs_data()
{
    QTest::addColumn<QString>("intitule");
    QTest::addColumn<QString>("montant");
    QTest::addColumn<QString>("message");
    const QString sansIntitule = "Vous devez spécifier un intitulé du tarif.";
    const QString sansMontant = "Vous devez spécifier un montant.";
    QTest::newRow("sans intitulé") << "" << "12" << sansIntitule;
    QTest::newRow("intitulé blanc") << "   " << "12" << sansIntitule;
    QTest::newRow("sans montant") << "Adulte" << "" << sansMontant;
    QTest::newRow("montant nul") << "Adulte" << "0" << sansMontant;
    QTest::newRow("montant nul décimal") << "Adulte" << "0,00" << sansMontant;
    QTest::newRow("virgule seule") << "Adulte" << "," << sansMontant;
    QTest::newRow("accepté") << "  Adulte " << "12,5" << "";
}

void TstInfoClubFenetre::editeurDeTarifs()
{
    QFETCH(QString, intitule);
    QFETCH(QString, montant);
    QFETCH(QString, message);
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    det_mon_club* f = Ouvrir();
    f->Chk_corres->setChecked(true);
    Taper(f->text1[14], intitule);
    Taper(f->text1[15], montant);
    f->Cmd_AddTarif->click();
    if (message.isEmpty()) {
        QVERIFY(ctx.ihm.appels().empty());
        QCOMPARE(Nombre_lignes(f->Lsv_tarif), 3);
        QCOMPARE(Ligne_courante(f->Lsv_tarif), 3);
        QCOMPARE(Contenu(f->Lsv_tarif).last(), QString("Adulte|12,5"));
        for (int i : {14, 15, 16})
            QVERIFY(f->text1[i]->text().isEmpty());
    } else {
        QCOMPARE(ctx.ihm.messages(), QStringList({message}));
        QCOMPARE(ctx.ihm.appels()[0].titre, QString("Information"));
        QCOMPARE(Nombre_lignes(f->Lsv_tarif), 2);
        QCOMPARE(f->text1[15]->text(), montant);
    }
}

void TstInfoClubFenetre::montantEtFrancs()
{
    Contexte ctx;
    det_mon_club* f = Ouvrir();
    // One comma at most, no letters.
    Taper(f->text1[15], "1a,5,0");
    QCOMPARE(f->text1[15]->text(), QString("1,50"));
    // Pasted text obeys the same rule.
    f->text1[15]->clear();
    QApplication::clipboard()->setText("1,2,3");
    f->text1[15]->paste();
    QCOMPARE(f->text1[15]->text(), QString());
    QApplication::clipboard()->setText("12,5");
    f->text1[15]->paste();
    QCOMPARE(f->text1[15]->text(), QString("12,5"));
    f->text1[15]->paste();
    QCOMPARE(f->text1[15]->text(), QString("12,5"));
    QVERIFY(f->text1[16]->text().isEmpty());

    Taper(f->text1[15], "15,5");
    f->Chk_corres->setChecked(true);
    QCOMPARE(f->text1[16]->text(), QLocale().toString(101.67, 'f', 2));
    Taper(f->text1[15], "100");
    QCOMPARE(f->text1[16]->text(), QLocale().toString(655.96, 'f', 2));
    f->Chk_corres->setChecked(false);
    QVERIFY(f->text1[16]->text().isEmpty());
    Taper(f->text1[15], "2");
    QVERIFY(f->text1[16]->text().isEmpty());
}

void TstInfoClubFenetre::codeDUnAutreClubRefuse()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    const QStringList avant = Etat_base();
    det_mon_club* f = Ouvrir();
    f->text1[1]->setText(codeB); // as the code builder writes it
    Taper(f->text1[4], "Ailleurs");
    f->Cmd_SupprTarif->click();
    f->Command1_1->click();
    QCOMPARE(ctx.ihm.messages(), QStringList({"Modification annulée.\r\nUn club avec le même code existe déjà."}));
    QCOMPARE(Etat_base(), avant);
    QCOMPARE(strCodeClub, codeA);
    QCOMPARE(ctx.rechargements, 0);
}

void TstInfoClubFenetre::codeCourtOuNomVideRefuses_data()
{
    QTest::addColumn<int>("boite"); // text1 index
    QTest::addColumn<QString>("message");
    QTest::newRow("code de douze caractères") << 1 << "Modification annulée.\r\nLe code club doit comporter 13 caractères.";
    QTest::newRow("nom vidé") << 0 << "Modification annulée.\r\nLe nom du club doit être renseigné.";
}

void TstInfoClubFenetre::codeCourtOuNomVideRefuses()
{
    QFETCH(int, boite);
    QFETCH(QString, message);
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    const QStringList avant = Etat_base();
    det_mon_club* f = Ouvrir();
    Taper(f->text1[4], "Ailleurs");
    // The last character (or the whole name) taken away with the keys a user presses.
    f->text1[boite]->setFocus();
    f->text1[boite]->end(false);
    if (boite == 1) {
        QTest::sendKeyEvent(QTest::Click, f->text1[boite], Qt::Key_Backspace, QString("\b"), Qt::NoModifier);
    } else {
        f->text1[boite]->selectAll();
        QTest::sendKeyEvent(QTest::Click, f->text1[boite], Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
    }
    f->Command1_1->click();
    QCOMPARE(ctx.ihm.messages(), QStringList({message}));
    QCOMPARE(Etat_base(), avant);
    QCOMPARE(strCodeClub, codeA);
    QVERIFY(f->isVisible());
    QCOMPARE(f->text1[4]->text(), QString("Ailleurs"));
}

// A new code re-keys the club; its officials, activities, tariffs, licences and profile follow.
void TstInfoClubFenetre::nouveauCodeSuiviParLesDonnees()
{
    Contexte ctx;
    det_mon_club* f = Ouvrir();
    f->text1[1]->setText(codeLibre);
    f->Cmd_SupprTarif->click(); // Adulte goes
    f->Command1_1->click();
    QVERIFY2(ctx.ihm.appels().empty(), qPrintable(ctx.ihm.textes().join('\n')));
    QCOMPARE(strCodeClub, codeLibre);
    QCOMPARE(ctx.rechargements, 1);
    for (const char* table : {"Dirigeant", "Activites", "Tarifs"})
        QCOMPARE(Lignes_requete(QString("SELECT count(*) FROM %1 WHERE Code_federal = '%2'").arg(table, codeA)), QStringList({"0"}));
    QCOMPARE(Lignes_requete("SELECT count(*) FROM Dirigeant WHERE Code_federal = '" + codeLibre + "' AND Suppr = false"),
             QStringList({"3"}));
    QCOMPARE(Lignes_requete("SELECT Intitule FROM Tarifs WHERE Code_federal = '" + codeLibre + "'"), QStringList({"Jeune"}));
    QCOMPARE(Lignes_requete("SELECT Nom, coalesce(Tarif, 'NULL') FROM Licence WHERE Code_club = '" + codeLibre + "' ORDER BY Num"),
             QStringList({"Ados|Jeune", "Grand|", "Libre|NULL"}));
    QCOMPARE(Lignes_requete("SELECT count(*) FROM Profil WHERE Code_club = '" + codeLibre + "'"), QStringList({"1"}));

    Fermer(f);
    f = Ouvrir();
    QCOMPARE(f->text1[1]->text(), codeLibre);
    QCOMPARE(Nombre_lignes(f->Lsv_role), 3);
    QCOMPARE(Activites_affichees(f), QStringList({"Natation: Alain, Zoé", "Water-polo: Marc"}));
    QCOMPARE(Contenu(f->Lsv_tarif), QStringList({"Jeune|85,5"}));
}

// The second new tariff cannot be written: the old tariffs stay and no licence loses its tariff;
// officials and activities, saved apart, are saved.
void TstInfoClubFenetre::insertionEchoueeGardeLesAnciensTarifs()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    det_mon_club* f = Ouvrir();
    f->Cmd_role_2->click();
    f->Cmd_SupprTarif->click();
    f->Cmd_SupprTarif->click();
    for (const auto& [intitule, montant] : {std::pair{"Loisir", "90"}, std::pair{"Compétition", "150"}}) {
        Taper(f->text1[14], intitule);
        Taper(f->text1[15], montant);
        f->Cmd_AddTarif->click();
    }
    ctx.base.executer("CREATE TEMP TRIGGER echec BEFORE INSERT ON Tarifs WHEN NEW.Intitule = 'Compétition' "
                      "BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
    f->Command1_1->click();

    QCOMPARE(ctx.ihm.messages().size(), 1);
    QVERIFY(ctx.ihm.messages()[0].startsWith("Erreur lors de la sauvegarde du tarif Compétition.\r\n"
                                             "Une erreur s'est produite lors de la sauvegarde du club.\r\nErreur n° "));
    QCOMPARE(Lignes_requete("SELECT Intitule, Tarif, Suppr FROM Tarifs WHERE Code_federal = '" + codeA + "'"),
             QStringList({"Jeune|85,5|Faux", "Adulte|120|Faux"}));
    QCOMPARE(Lignes_requete("SELECT Nom, coalesce(Tarif, 'NULL') FROM Licence WHERE Code_club = '" + codeA + "' AND Nom <> 'Null' ORDER BY Num"),
             QStringList({"Ados|Jeune", "Grand|Adulte", "Libre|NULL"}));
    QCOMPARE(Lignes_requete("SELECT count(*) FROM Dirigeant WHERE Code_federal = '" + codeA + "'"), QStringList({"2"}));
    // The window keeps the user's list, to try again.
    QCOMPARE(Contenu(f->Lsv_tarif), QStringList({"Loisir|90", "Compétition|150"}));
}

// Amounts the store holds as Null or as text (a base from elsewhere) go back as they were when
// the club is saved without a change: never as 0, which no form takes.
void TstInfoClubFenetre::montantsIllisiblesGardes()
{
    Contexte ctx;
    ctx.base.executer("INSERT INTO Tarifs (Code_federal, Intitule, Tarif) VALUES ('" + codeA + "', 'Sans montant', NULL), ('"
                      + codeA + "', 'En texte', 'gratuit')");
    const QString sql = "SELECT Intitule, typeof(Tarif), coalesce(Tarif, 'NULL') FROM Tarifs WHERE Code_federal = '" + codeA
                        + "' ORDER BY Intitule";
    const QStringList avant = Lignes_requete(sql);
    QCOMPARE(avant.size(), 4);
    det_mon_club* f = Ouvrir();
    f->Command1_1->click();
    QVERIFY2(ctx.ihm.appels().empty(), qPrintable(ctx.ihm.textes().join('\n')));
    QCOMPARE(Lignes_requete(sql), avant);
    QCOMPARE(Lignes_requete("SELECT count(*) FROM Tarifs WHERE Tarif = 0"), QStringList({"0"}));
}

void TstInfoClubFenetre::menuVotreClub()
{
    Contexte ctx;
    FrmPrincipal principal;
    QAction* menu = Menu("mnuBaseClubConfigInfo");
    QVERIFY(menu);
    menu->setEnabled(true);
    menu->trigger();
    menu->trigger();
    Traiter_evenements();
    QCOMPARE(principal.zoneFenetres()->subWindowList().size(), 1);
    auto* f = principal.zoneFenetres()->subWindowList()[0]->widget();
    QCOMPARE(f->objectName(), QString("det_mon_club"));
    QCOMPARE(intNbFenetres, qint16(1));
    f->close();
    Traiter_evenements();
    QCOMPARE(intNbFenetres, qint16(0));
    menu->trigger();
    QCOMPARE(intNbFenetres, qint16(1));
    principal.zoneFenetres()->closeAllSubWindows();
    Traiter_evenements();
}

void TstInfoClubFenetre::captures()
{
    Contexte ctx;
    det_mon_club* f = Ouvrir();
    f->Chk_corres->setChecked(true);
    f->resize(640, 440);
    QDir().mkpath(QV_BINARY_DIR "/captures");
    const QStringList noms = {"adresse", "organisation", "activites", "tarifs"};
    for (int i = 0; i < f->SSTab1->count(); ++i) {
        f->SSTab1->setCurrentIndex(i);
        QVERIFY(f->grab().save(QV_BINARY_DIR "/captures/det_mon_club_" + noms[i] + ".png"));
    }
}

QTEST_MAIN(TstInfoClubFenetre)
#include "tst_info_club_fenetre.moc"
