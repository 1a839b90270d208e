// Record categories: the overlap check and the ordering as tables of cases, the editing in the
// window as a user does it, and the save that files the records under the new categories,
// purges the superseded ones, asks before dropping orphans and changes nothing when it fails.

#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/services.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"
#include "records_points/det_categorie_record_club.h"
#include "records_points/records_club.h"
#include "shell/commandes_records.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString club = "FRA1320021234";

struct Contexte {
    BaseTest base;
    PortIhmTest ihm;

    Contexte()
    {
        ihm.accepterMessagesOk(true);
        strCodeClub = club;
        strNomClub = "Club A";
    }

    // A stored category; returns its key.
    QString categorie(const QString& libelle, int inf, int sup, const QString& sexe, const QString& code = club) const
    {
        cnxBase.Executer_lie("INSERT INTO Categori_record_club (Code_Club, Libelle, Age_inf, Age_sup, Sexe) "
                             "VALUES (?, ?, ?, ?, ?)",
                             {code, libelle, inf, sup, sexe});
        return QString::number(cnxBase.Dernier_id());
    }

    QString record(const QString& cat, int nage, int bassin, const QString& tps, const QString& date,
                   const QString& nom = "NOM") const
    {
        cnxBase.Executer_lie("INSERT INTO RecordClub (Categorie, Code_nage, Bassin, Tps, Nom, Prenom, Date_perf, Lieu) "
                             "VALUES (?, ?, ?, ?, ?, 'P', ?, 'Lieu')",
                             {cat.toLongLong(), nage, bassin, tps.toDouble(), nom, date});
        return QString::number(cnxBase.Dernier_id());
    }
};

QList<CategorieRecord> Lignes_types()
{
    return {{"Poussins", 10, 12, "Homme"}, {"Benjamins", 13, 14, "Homme"}, {"Poussines", 10, 12, "Femme"}};
}

// Each record's holder with the label of the category it belongs to, by holder.
QStringList Classement()
{
    return Lignes_requete("SELECT r.Nom, c.Libelle FROM RecordClub r LEFT JOIN Categori_record_club c "
                          "ON c.Num_cat = r.Categorie ORDER BY r.Nom");
}

void Saisir(det_categorie_record_club* f, const QString& libelle, const QString& inf, const QString& sup, int sexe)
{
    f->txt_libelle->setText(libelle);
    f->txt_age[0]->setText(inf);
    f->txt_age[1]->setText(sup);
    QTest::mouseClick(f->PicSexe[sexe], Qt::LeftButton);
}

QStringList Lignes_liste(QTreeWidget* liste)
{
    QStringList l;
    for (int i = 1; i <= Nombre_lignes(liste); ++i) {
        const QTreeWidgetItem* r = Ligne(liste, i);
        l << QStringList {r->text(0), r->text(1), r->text(2), r->text(3)}.join("|");
    }
    return l;
}

void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    QCoreApplication::processEvents();
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

} // namespace

class TstCategoriesRecord : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void chevauchement_data();
    void chevauchement();
    void ordre_data();
    void ordre();
    void editionFenetre();
    void enregistrementReclasse();
    void bornesEgalesPlusEtroiteDabord();
    void orphelinsDemandes();
    void purge_data();
    void purge();
    void okSansChangementAvecTempsNegatif();
    void echecGardeFenetreOuverte();
};

void TstCategoriesRecord::chevauchement_data()
{
    QTest::addColumn<int>("ignoree");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("sexe");
    QTest::addColumn<bool>("refusee");
    QTest::newRow("borne basse dedans") << -1 << 12 << 20 << "Homme" << true;
    QTest::newRow("borne haute dedans") << -1 << 5 << 10 << "Homme" << true;
    QTest::newRow("bornes egales") << -1 << 14 << 14 << "Homme" << true;
    QTest::newRow("englobe une plage") << -1 << 9 << 15 << "Homme" << false;
    QTest::newRow("autre sexe memes ages") << -1 << 13 << 14 << "Femme" << false;
    QTest::newRow("mixte libre") << -1 << 10 << 12 << "Mixte" << false;
    QTest::newRow("apres toutes") << -1 << 15 << 16 << "Homme" << false;
    QTest::newRow("bornes inversees") << -1 << 20 << 15 << "Homme" << false;
    QTest::newRow("sa propre ligne ignoree") << 1 << 10 << 11 << "Homme" << false;
    QTest::newRow("une autre ligne touchee") << 2 << 10 << 13 << "Homme" << true;
}

void TstCategoriesRecord::chevauchement()
{
    QFETCH(int, ignoree);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, sexe);
    QFETCH(bool, refusee);
    QCOMPARE(Bornes_deja_comprises(Lignes_types(), ignoree, min, max, sexe), refusee);
}

void TstCategoriesRecord::ordre_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<QString>("sexe");
    QTest::addColumn<int>("place");
    // Rows: 8 Homme, 10 Femme, 10 Homme, 10 Mixte, 13 Homme.
    QTest::newRow("plus jeune") << 5 << "Homme" << 1;
    QTest::newRow("meme age, Femme avant Homme") << 10 << "Femme" << 3;
    QTest::newRow("meme age, Homme apres Femme") << 10 << "Homme" << 4;
    QTest::newRow("meme age, Mixte en dernier") << 10 << "Mixte" << 5;
    QTest::newRow("entre deux ages") << 11 << "Femme" << 5;
    QTest::newRow("plus age") << 40 << "Femme" << 6;
}

void TstCategoriesRecord::ordre()
{
    QFETCH(int, min);
    QFETCH(QString, sexe);
    QFETCH(int, place);
    const QList<CategorieRecord> lignes = {{"a", 8, 9, "Homme"},
                                           {"b", 10, 12, "Femme"},
                                           {"c", 10, 12, "Homme"},
                                           {"d", 10, 12, "Mixte"},
                                           {"e", 13, 14, "Homme"}};
    QCOMPARE(Position_categorie(lignes, min, sexe), place);
}

// Added, checked, changed and removed in the window with the keyboard and the mouse, then saved.
void TstCategoriesRecord::editionFenetre()
{
    Contexte c;
    c.categorie("Minimes", 15, 16, "Homme");
    c.categorie("Poussines", 10, 11, "Femme");
    CommandesRecords commandes;
    commandes.mnuPerfRecModifier_Click();
    det_categorie_record_club* f = commandes.categories();
    QVERIFY2(f, qPrintable(c.ihm.messages().join("\n")));
    QCOMPARE(f->windowTitle(), QString("Définition des catégories"));
    QCOMPARE(Compteurs_verrou(Compteurs_du_groupe(GroupeVerrou::Perf)), (QList<int> {0, 0, 0, 0, 0, 1, 1}));
    // Loaded in age order, row 1 shown.
    QCOMPARE(Lignes_liste(f->lsv_cat), (QStringList {"Poussines|10|11|Femme", "Minimes|15|16|Homme"}));
    QCOMPARE(f->txt_libelle->text(), QString("Poussines"));
    QVERIFY(f->Opt_sexe[1]->isChecked());

    // A missing label; the empty ages are filled in and shown.
    Saisir(f, "", "", "", 0);
    f->Cmd_def[0]->click();
    QCOMPARE(c.ihm.messages().last(), QString("Le libellé est manquant.\n\nAjouter impossible !"));
    QCOMPARE(f->txt_age[0]->text(), QString("0"));
    QCOMPARE(f->txt_age[1]->text(), QString("0"));
    QCOMPARE(Nombre_lignes(f->lsv_cat), 2);

    // Ages: digits only, three at most.
    f->txt_age[0]->clear();
    QTest::keyClicks(f->txt_age[0], "1a2345");
    QCOMPARE(f->txt_age[0]->text(), QString("123"));

    // An upper bound inside "Minimes" is refused.
    Saisir(f, "Cadets", "13", "15", 0);
    f->Cmd_def[0]->click();
    QCOMPARE(c.ihm.messages().last(),
             QString("Les ages limites sont déjà compris dans une catégorie\nAjouter impossible !"));
    // The same ages for the women, with an apostrophe in the label.
    Saisir(f, "Moins d'11 ans", "13", "15", 1);
    f->Cmd_def[0]->click();
    Saisir(f, "Benjamins", "13", "14", 0);
    f->Cmd_def[0]->click();
    Saisir(f, "Mixtes", "13", "", 2);
    f->Cmd_def[0]->click();
    QCOMPARE(Lignes_liste(f->lsv_cat),
             (QStringList {"Poussines|10|11|Femme", "Moins d'11 ans|13|15|Femme", "Benjamins|13|14|Homme",
                           "Mixtes|13|13|Mixte", "Minimes|15|16|Homme"}));
    QCOMPARE(Ligne_courante(f->lsv_cat), 4);

    // "&Modifier" in place: its own range is not compared, another's is.
    QTest::mouseClick(f->lsv_cat->viewport(), Qt::LeftButton, {},
                      f->lsv_cat->visualItemRect(Ligne(f->lsv_cat, 3)).center());
    QCOMPARE(f->txt_libelle->text(), QString("Benjamins"));
    f->txt_age[1]->setText("15");
    f->Cmd_def[1]->click();
    QCOMPARE(c.ihm.messages().last(),
             QString("Les ages limites sont déjà compris dans une catégorie\nModifier impossible !"));
    f->txt_age[0]->setText("12");
    f->txt_age[1]->setText("14");
    f->Cmd_def[1]->click();
    QCOMPARE(Ligne(f->lsv_cat, 3)->text(1), QString("12"));
    Capturer(f, "categories_records");

    // The Delete key as X11 delivers it removes the row and shows the one above.
    f->lsv_cat->setFocus();
    QTest::sendKeyEvent(QTest::Click, f->lsv_cat, Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
    QCOMPARE(Nombre_lignes(f->lsv_cat), 4);
    QCOMPARE(f->txt_libelle->text(), QString("Moins d'11 ans"));

    f->cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!commandes.categories());
    QCOMPARE(Compteurs_verrou(Compteurs_du_groupe(GroupeVerrou::Perf)), (QList<int> {0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(Lignes_requete("SELECT Libelle, Age_inf, Age_sup, Sexe, Old FROM Categori_record_club "
                            "ORDER BY Age_inf, Sexe"),
             (QStringList {"Poussines|10|11|Femme|Faux", "Moins d'11 ans|13|15|Femme|Faux",
                           "Mixtes|13|13|Mixte|Faux", "Minimes|15|16|Homme|Faux"}));

    // Emptying the list disables the row buttons and empties the fields; adding enables them.
    commandes.mnuPerfRecModifier_Click();
    f = commandes.categories();
    for (int i = 0; i < 4; ++i)
        f->Cmd_def[2]->click();
    QVERIFY(!f->Cmd_def[1]->isEnabled());
    QVERIFY(!f->Cmd_def[2]->isEnabled());
    QVERIFY(f->txt_libelle->text().isEmpty() && f->txt_age[0]->text().isEmpty());
    Saisir(f, "Tous", "0", "99", 2);
    f->Cmd_def[0]->click();
    QVERIFY(f->Cmd_def[1]->isEnabled() && f->Cmd_def[2]->isEnabled());
    f->cmd[1]->click();
    Traiter_evenements();
    QCOMPARE(Valeurs_colonne("SELECT COUNT(*) FROM Categori_record_club"), QStringList {"4"});
}

// Unchanged rows get new keys and keep their records; a narrowed upper age leaves its old
// category's records to the next older category of the same sex.
void TstCategoriesRecord::enregistrementReclasse()
{
    Contexte c;
    const QString poussins = c.categorie("Poussins", 10, 11, "Homme");
    const QString benjamins = c.categorie("Benjamins", 12, 13, "Homme");
    const QString filles = c.categorie("Moins d'11 ans", 0, 10, "Femme");
    c.record(poussins, 52, 25, "1.1000", "20230101", "A");
    c.record(benjamins, 52, 25, "1.0500", "20230101", "B");
    c.record(filles, 2, 25, "1.2000", "20230101", "C");
    c.categorie("Autre club", 0, 99, "Homme", "FRA1320024321");

    QList<CategorieRecord> lignes = Lire_categories(club);
    QCOMPARE(lignes.size(), 3);
    Enregistrer_categories(club, lignes);
    QStringList cles = Valeurs_colonne("SELECT Num_cat FROM Categori_record_club WHERE Code_Club = '" + club
                                       + "' ORDER BY Num_cat");
    QCOMPARE(cles.size(), 3);
    for (const QString& ancienne : {poussins, benjamins, filles})
        QVERIFY(!cles.contains(ancienne));
    QCOMPARE(Classement(), (QStringList {"A|Poussins", "B|Benjamins", "C|Moins d'11 ans"}));

    // Poussins narrowed to 10-10: their old 10-11 range is not reached, Benjamins take it.
    lignes = Lire_categories(club);
    lignes[1].ageSup = 10;
    Enregistrer_categories(club, lignes);
    QCOMPARE(Classement(), (QStringList {"A|Benjamins", "B|Benjamins", "C|Moins d'11 ans"}));
    // A is slower than B but swum the same day: both stay.
    QCOMPARE(Valeurs_colonne("SELECT COUNT(*) FROM RecordClub"), QStringList {"3"});
    // Keys are never taken again, even those of deleted categories.
    const int plusGrande = Valeurs_colonne("SELECT MAX(Num_cat) FROM Categori_record_club").first().toInt();
    QVERIFY(plusGrande > cles.last().toInt());
}

void TstCategoriesRecord::bornesEgalesPlusEtroiteDabord()
{
    Contexte c;
    const QString ancienne = c.categorie("Poussins", 10, 11, "Homme");
    c.record(ancienne, 52, 25, "1.1000", "20230101", "A");
    // The wide category comes first in the list, so it gets the smaller key.
    const QList<CategorieRecord> lignes = {{"Jeunes", 10, 14, "Homme"}, {"Poussins 10-11", 10, 11, "Homme"}};
    Enregistrer_categories(club, lignes);
    QCOMPARE(Classement(), QStringList {"A|Poussins 10-11"});
}

void TstCategoriesRecord::orphelinsDemandes()
{
    Contexte c;
    const QString seniors = c.categorie("Seniors", 18, 99, "Homme");
    const QString dames = c.categorie("Dames", 0, 99, "Femme");
    c.record(seniors, 52, 25, "0.5500", "20230101", "A");
    c.record(seniors, 52, 50, "0.5600", "20230101", "B");
    c.record(dames, 2, 50, "1.0000", "20230101", "C");
    const QList<CategorieRecord> lignes = {{"Seniors", 18, 40, "Homme"}, {"Dames", 0, 99, "Femme"}};
    QCOMPARE(Compter_records_orphelins(club, lignes), 2);

    CommandesRecords commandes;
    commandes.mnuPerfRecModifier_Click();
    det_categorie_record_club* f = commandes.categories();
    QTest::mouseClick(f->lsv_cat->viewport(), Qt::LeftButton, {},
                      f->lsv_cat->visualItemRect(Ligne(f->lsv_cat, 2)).center());
    QCOMPARE(f->txt_libelle->text(), QString("Seniors"));
    f->txt_age[1]->setText("40");
    f->Cmd_def[1]->click();

    // "Non": nothing is stored and the window stays.
    c.ihm.repondre(Reponse::Non);
    f->cmd[0]->click();
    Traiter_evenements();
    QVERIFY(commandes.categories());
    QCOMPARE(c.ihm.appels().back().texte,
             QString("2 records n'appartiendront plus à aucune catégorie : ils seront supprimés.\n\n"
                     "Enregistrer quand même les catégories ?"));
    QCOMPARE(c.ihm.appels().back().style & Style::DefautBouton2, Style::DefautBouton2);
    QCOMPARE(Valeurs_colonne("SELECT Num_cat FROM Categori_record_club ORDER BY Num_cat"),
             (QStringList {seniors, dames}));

    // "Oui": the orphans go with their category; nothing is left behind invisible.
    c.ihm.repondre(Reponse::Oui);
    f->cmd[0]->click();
    Traiter_evenements();
    QVERIFY(!commandes.categories());
    QCOMPARE(Classement(), QStringList {"C|Dames"});
}

void TstCategoriesRecord::purge_data()
{
    QTest::addColumn<QStringList>("records"); // holder:pool:event:time:date
    QTest::addColumn<QStringList>("restent");
    QTest::newRow("temps egaux, la date plus tardive part")
        << QStringList {"A:25:52:1.0000:20230101", "B:25:52:1.0000:20230301"} << QStringList {"A"};
    QTest::newRow("temps egaux, meme jour, les deux restent")
        << QStringList {"A:25:52:1.0000:20230101", "B:25:52:1.0000:20230101"} << QStringList {"A", "B"};
    QTest::newRow("historique des records successifs")
        << QStringList {"A:25:52:1.1000:20200101", "B:25:52:1.0500:20210101", "C:25:52:1.0000:20220101"}
        << QStringList {"A", "B", "C"};
    QTest::newRow("plus lent et plus tardif part")
        << QStringList {"A:25:52:1.0000:20200101", "B:25:52:1.0100:20210101"} << QStringList {"A"};
    QTest::newRow("bassins et epreuves separes")
        << QStringList {"A:25:52:1.0000:20200101", "B:50:52:1.0100:20210101", "C:25:53:1.2000:20210101"}
        << QStringList {"A", "B", "C"};
    // A time that cannot be swum neither supersedes a record nor is superseded.
    QTest::newRow("un temps negatif ne fait partir aucun record")
        << QStringList {"N:25:52:-0.5000:20200101", "A:25:52:0.2490:20261201", "B:25:52:0.2500:20261202"}
        << QStringList {"A", "N"};
    QTest::newRow("un temps negatif plus tardif reste")
        << QStringList {"A:25:52:1.0000:20200101", "N:25:52:-0.5000:20230101"} << QStringList {"A", "N"};
}

void TstCategoriesRecord::purge()
{
    QFETCH(QStringList, records);
    QFETCH(QStringList, restent);
    Contexte c;
    const QString cat = c.categorie("Toutes", 0, 99, "Homme");
    for (const QString& r : records) {
        const QStringList p = r.split(':');
        c.record(cat, p[2].toInt(), p[1].toInt(), p[3], p[4], p[0]);
    }
    Purger_records_categorie(cat.toLongLong());
    QCOMPARE(Valeurs_colonne("SELECT Nom FROM RecordClub ORDER BY Nom"), restent);
}

// "Ok" with the categories as they were keeps every real record, whatever row that cannot be
// swum lies beside them.
void TstCategoriesRecord::okSansChangementAvecTempsNegatif()
{
    Contexte c;
    const QString cat = c.categorie("Toutes", 0, 99, "Homme");
    c.record(cat, 52, 25, "-0.5", "20200101", "N");
    c.record(cat, 52, 25, "0.2600", "20250101", "A");
    c.record(cat, 52, 25, "0.2490", "20261201", "B");
    CommandesRecords commandes;
    commandes.mnuPerfRecModifier_Click();
    det_categorie_record_club* f = commandes.categories();
    QVERIFY(f);
    QCOMPARE(Lignes_liste(f->lsv_cat), QStringList {"Toutes|0|99|Homme"});
    QTest::mouseClick(f->cmd[0], Qt::LeftButton);
    Traiter_evenements();
    QVERIFY(!commandes.categories());
    QCOMPARE(c.ihm.messages(), QStringList());
    QCOMPARE(Lignes_requete("SELECT r.Nom, r.Tps, c.Libelle FROM RecordClub r JOIN Categori_record_club c "
                            "ON c.Num_cat = r.Categorie ORDER BY r.Nom"),
             (QStringList {"A|0,26|Toutes", "B|0,249|Toutes", "N|-0,5|Toutes"}));
}

void TstCategoriesRecord::echecGardeFenetreOuverte()
{
    Contexte c;
    const QString cat = c.categorie("Poussins", 10, 11, "Homme");
    c.record(cat, 52, 25, "1.1000", "20230101", "A");
    c.base.executer("CREATE TRIGGER panne BEFORE DELETE ON Categori_record_club "
                    "BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
    CommandesRecords commandes;
    commandes.mnuPerfRecModifier_Click();
    det_categorie_record_club* f = commandes.categories();
    Saisir(f, "Benjamins", "12", "13", 0);
    f->Cmd_def[0]->click();
    f->cmd[0]->click();
    Traiter_evenements();
    QVERIFY(commandes.categories());
    QVERIFY2(c.ihm.messages().last().startsWith(
                 "Une erreur s'est produite lors de l'enregistrement des catégories."),
             qPrintable(c.ihm.messages().last()));
    QCOMPARE(Lignes_requete("SELECT Num_cat, Libelle, Old FROM Categori_record_club"),
             QStringList {cat + "|Poussins|Faux"});
    QCOMPARE(Classement(), QStringList {"A|Poussins"});
    QCOMPARE(Nombre_lignes(f->lsv_cat), 2);
    f->close();
}

QTEST_MAIN(TstCategoriesRecord)
#include "tst_categories_record.moc"
