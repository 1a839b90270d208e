// The swimmer lists: a visible and a hidden list filled row for row from one query, and the
// type-ahead search typed on the list or in the search box.

#include "clubs_licences/liste_licences.h"
#include "core/base.h"
#include "fixtures.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

namespace {

QStringList Ligne(QTreeWidget* liste, int i)
{
    QStringList r;
    QTreeWidgetItem* item = liste->topLevelItem(i);
    for (int c = 0; c < std::max(item->columnCount(), liste->columnCount()); ++c)
        r << item->text(c);
    return r;
}

QString Courante(QTreeWidget* liste)
{
    return liste->currentItem() ? liste->currentItem()->text(0) : QString();
}

// Four swimmers, two of them in a second club.
void Preparer(const BaseTest& base)
{
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('A', 'Club A')");
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('B', 'Club B')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Date_Naissance) VALUES "
                  "(4, 'A', '09123F', 'DUPONT', 'Jean', '20090703')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Date_Naissance) VALUES "
                  "(7, 'B', '10001F', 'DUBOIS', 'Ana', '20100101')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Date_Naissance) VALUES "
                  "(9, 'A', '08555C', 'O''NEIL', 'Luc', '')");
    base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Date_Naissance) VALUES "
                  "(2, 'B', '11000F', 'DUPUIS', 'Eve', '20111231')");
}

const QString requete = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Club.Intitule, Licence.Date_Naissance, "
                        "Licence.Num FROM Club Club, Licence Licence WHERE Club.Code_federal = Licence.Code_club "
                        "ORDER BY Licence.Nom";

// The list of a licence window, filled, with its search box.
struct Fenetre {
    QTreeWidget liste;
    QTreeWidget info;
    QLineEdit recherche;
    Fenetre()
    {
        liste.setHeaderLabels({"Nom", "Prénom", "Licence", "Né(e) le"});
        ColonnesListes colonnes{QList<int>{0, 1, 2, 4}, QList<int>{0, 1, 2, 5}};
        Remplir_liste_licences(requete, &liste, &info, true, false, colonnes);
    }
    int taper(int code)
    {
        int touche = code;
        const int r = Recherche_clavier_liste(touche, &info, &liste, &recherche);
        if (touche != 0)
            return -999;
        return r;
    }
};

} // namespace

class TstLicenceListe : public QObject {
    Q_OBJECT
private slots:
    void listesParalleles();
    void quatriemeColonneEtDate();
    void requeteSansLigneVideTout();
    void frappeSurLaListe();
    void touchesQuiVidentOuIgnorent();
    void frappeDansLaBoite();
    void branchementClavier();
};

void TstLicenceListe::listesParalleles()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    QCOMPARE(f.liste.topLevelItemCount(), 4);
    QCOMPARE(f.info.topLevelItemCount(), 4);
    QCOMPARE(Ligne(&f.liste, 0), (QStringList{"DUBOIS", "Ana", "10001F", "1 janvier 2010"}));
    QCOMPARE(Ligne(&f.liste, 3), (QStringList{"O'NEIL", "Luc", "08555C", ""})); // no date, quote as stored
    QCOMPARE(Ligne(&f.info, 0), (QStringList{"DUBOIS Ana", "10001F", "7"}));
    QCOMPARE(Ligne(&f.info, 1), (QStringList{"DUPONT Jean", "09123F", "4"}));
    QCOMPARE(Ligne(&f.info, 3), (QStringList{"O'NEIL Luc", "08555C", "9"}));
}

void TstLicenceListe::quatriemeColonneEtDate()
{
    BaseTest base;
    Preparer(base);
    QTreeWidget liste;
    QTreeWidget info;
    liste.setHeaderLabels({"Nom", "Prénom", "Licence", "Club", "Né(e) le"});
    ColonnesListes colonnes{QList<int>{0, 1, 2, 3, 4}, QList<int>{0, 1, 5}};
    Remplir_liste_licences(requete, &liste, &info, true, true, colonnes);
    QCOMPARE(Ligne(&liste, 1), (QStringList{"DUPONT", "Jean", "09123F", "Club A", "3 juillet 2009"}));
    QCOMPARE(Ligne(&info, 1), (QStringList{"DUPONT Jean", "4"}));
    QVERIFY(colonnes[0].isEmpty() && colonnes[1].isEmpty());

    // Without the date flag the date column stays as the map leaves it.
    liste.setColumnCount(4);
    colonnes = {QList<int>{0, 1, 2, 3}, QList<int>{0, 1}};
    Remplir_liste_licences(requete, &liste, &info, false, true, colonnes);
    QCOMPARE(Ligne(&liste, 1), (QStringList{"DUPONT", "Jean", "09123F", "Club A"}));
}

void TstLicenceListe::requeteSansLigneVideTout()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    ColonnesListes colonnes{QList<int>{0, 1, 2, 4}, QList<int>{0, 1, 2, 5}};
    Remplir_liste_licences(requete.section("ORDER", 0, 0) + "AND Licence.Nom = 'PERSONNE'", &f.liste, &f.info, true,
                           false, colonnes);
    QCOMPARE(f.liste.topLevelItemCount(), 0);
    QCOMPARE(f.info.topLevelItemCount(), 0);
    QVERIFY(colonnes[0].isEmpty() && colonnes[1].isEmpty());
}

void TstLicenceListe::frappeSurLaListe()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    QCOMPARE(f.taper('d'), 1);
    QCOMPARE(f.taper('u'), 1);
    QCOMPARE(f.taper('p'), 2);
    QCOMPARE(f.recherche.text(), QString("dup"));
    QCOMPARE(Courante(&f.liste), QString("DUPONT"));
    QCOMPARE(f.taper(8), 1);
    QCOMPARE(f.recherche.text(), QString("du"));
    QCOMPARE(Courante(&f.liste), QString("DUBOIS"));
    // Both names are searched: "dupuis e" finds the first name too.
    for (QChar c : QString("puis e"))
        f.taper(c.unicode());
    QCOMPARE(Courante(&f.liste), QString("DUPUIS"));
    QVERIFY(f.liste.currentItem()->isSelected());
    // No row begins with it: the selection stays.
    QCOMPARE(f.taper('x'), -1);
    QCOMPARE(Courante(&f.liste), QString("DUPUIS"));
    QCOMPARE(f.recherche.text(), QString("dupuis ex"));
    f.recherche.setText("o'n");
    QCOMPARE(f.taper(0xE9), -1); // é: printable, appended
    QCOMPARE(f.recherche.text(), QString("o'né"));
    QCOMPARE(f.taper(8), 4);
    QCOMPARE(Courante(&f.liste), QString("O'NEIL"));
}

void TstLicenceListe::touchesQuiVidentOuIgnorent()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    f.taper('d');
    f.taper('u');
    f.taper('p');
    QCOMPARE(f.taper(27), -1); // Escape empties, selection kept
    QCOMPARE(f.recherche.text(), QString());
    QCOMPARE(Courante(&f.liste), QString("DUPONT"));
    QCOMPARE(f.taper(8), 1); // Backspace on nothing: the empty text begins every row
    QCOMPARE(f.recherche.text(), QString());
    QCOMPARE(Courante(&f.liste), QString("DUBOIS"));
    f.taper('d');
    f.taper('u');
    f.taper('p');
    f.recherche.setText("du");
    for (int autre : {9, 1, 127, 200 - 60})
        QCOMPARE(f.taper(autre), -1);
    QCOMPARE(f.recherche.text(), QString("du"));
    QCOMPARE(f.taper(13), -13); // Enter: act on the row, box emptied
    QCOMPARE(f.recherche.text(), QString());
    QCOMPARE(Courante(&f.liste), QString("DUPONT"));
}

void TstLicenceListe::frappeDansLaBoite()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    f.recherche.setText(" dupu ");
    Recherche_rapide(Qt::Key_U, &f.recherche, &f.info, &f.liste);
    QCOMPARE(Courante(&f.liste), QString("DUPUIS"));
    QCOMPARE(f.recherche.text(), QString(" dupu "));
    for (int touche : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape), 13, 27}) {
        f.recherche.setText("o");
        Recherche_rapide(touche, &f.recherche, &f.info, &f.liste);
        QCOMPARE(f.recherche.text(), QString());
        QCOMPARE(Courante(&f.liste), QString("DUPUIS"));
    }
}

void TstLicenceListe::branchementClavier()
{
    BaseTest base;
    Preparer(base);
    Fenetre f;
    auto* recherche = new RechercheRapide(&f.liste, &f.info, &f.recherche);
    QSignalSpy entree(recherche, &RechercheRapide::entreeTapee);

    QTest::keyClicks(&f.liste, "dupu");
    QCOMPARE(f.recherche.text(), QString("dupu"));
    QCOMPARE(Courante(&f.liste), QString("DUPUIS"));
    // Arrows stay the list's.
    QTest::keyClick(&f.liste, Qt::Key_Up);
    QCOMPARE(Courante(&f.liste), QString("DUPONT"));
    QTest::keyClick(&f.liste, Qt::Key_Return);
    QCOMPARE(entree.count(), 1);
    QCOMPARE(f.recherche.text(), QString());

    QTest::keyClicks(&f.recherche, "o'");
    QCOMPARE(Courante(&f.liste), QString("O'NEIL"));
    QTest::keyClick(&f.recherche, Qt::Key_Escape);
    QCOMPARE(f.recherche.text(), QString());
    QCOMPARE(entree.count(), 1);
}

QTEST_MAIN(TstLicenceListe)
#include "tst_licence_liste.moc"
