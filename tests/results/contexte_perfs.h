#pragma once
// The club, swimmers and profile the performance tests share, and the few gestures they make.

#include "core/globales.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace perfs_test {

inline const QString clubA = "FRA1320021234";
inline const QString clubB = "FRA1320024321";
inline const QString selection = "FRA1320020000";

// Club A (DUBOIS Ana F 2010, DUPONT Jean M born December 1990, RELAIS Marc M, MARTIN Léa F,
// and a hidden swimmer), club B (BERNARD Luc M), a selection of both, the placeholder licence.
struct ContextePerfs {
    BaseTest base;
    PortIhmTest ihm;
    JourFixe jour;

    explicit ContextePerfs(const QDate& aujourdhui = QDate(2004, 9, 15)) : jour(aujourdhui)
    {
        ihm.accepterMessagesOk(true);
        strCodeClub = clubA;
        strNomClub = "Club A";
        bClubSelection = false;
        strNumProfil = "1";
        base.executer("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + clubA + "', 'Club A', 0), ('"
                      + clubB + "', 'Club B', 0), ('" + selection + "', 'Sélection', 1)");
        base.executer("INSERT INTO Licence (Num, Code_club, Licence, Nom, Visible) VALUES (1, '" + clubA
                      + "', '1', 'Null', 0)");
        strNumLicenceNulle = "1";
        licence(10, clubA, "DUBOIS", "Ana", "F", "20100101");
        licence(11, clubA, "DUPONT", "Jean", "M", "19901215");
        licence(12, clubA, "RELAIS", "Marc", "M", "19920101");
        licence(13, clubA, "MARTIN", "Léa", "F", "19950101");
        licence(14, clubA, "CACHE", "Ancien", "F", "19800101");
        base.executer("UPDATE Licence SET Visible = 0 WHERE Num = 14");
        licence(20, clubB, "BERNARD", "Luc", "M", "19930101");
        for (int num : {10, 11, 20})
            base.executer(QString("INSERT INTO Selection (Code_Sel, Num_Lic, Visible) VALUES ('%1', %2, 1)")
                              .arg(selection)
                              .arg(num));
    }

    // A test that stops half-way leaves no window behind to run on the next test's base.
    ~ContextePerfs()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->inherits("FenetreComptee"))
                delete w;
        }
    }

    void licence(int num, const QString& club, const QString& nom, const QString& prenom, const QString& sexe,
                 const QString& naissance) const
    {
        base.executer(QString("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                              "VALUES (%1, '%2', '%3', %4, %5, '%6', '%7', 1)")
                          .arg(num)
                          .arg(club, naissance.mid(2, 2) + QString::number(num).rightJustified(3, '0'), Sql_texte(nom),
                               Sql_texte(prenom), sexe, naissance));
    }

    // A performance row of Liffn; every level blank.
    void perf(int num, int epreuve, const QString& date, const QString& temps, const QString& lieu, int compet,
              int numManuel, const QString& club = clubA, const QString& relais = " ", bool inter = false,
              int bassin = 25) const
    {
        base.executer(QString("INSERT INTO Liffn VALUES (%1, '%2', %3, %4, '%5', %6, %7, ' ', ' ', ' ', ' ', '%8', %9, "
                              "20, %10, %11)")
                          .arg(epreuve)
                          .arg(club)
                          .arg(num)
                          .arg(bassin)
                          .arg(date, temps, Sql_texte(lieu), relais)
                          .arg(inter ? 1 : 0)
                          .arg(compet)
                          .arg(numManuel));
    }

    void perfRelais(int epreuve, const QString& date, const QString& temps, const QString& lieu, int equipe, int compet,
                    int numManuel) const
    {
        base.executer(QString("INSERT INTO Liffn_relais VALUES (%1, '%2', %3, 25, '%4', %5, %6, 10, 13, 1, 1, 1, 1, 1, "
                              "1, 1, 1, ' ', ' ', ' ', ' ', %7, %8)")
                          .arg(epreuve)
                          .arg(clubA)
                          .arg(equipe)
                          .arg(date, temps, Sql_texte(lieu))
                          .arg(compet)
                          .arg(numManuel));
    }
};

// Types into a box as a user does: focus, everything selected, the keys one by one.
inline void Taper(QLineEdit* boite, const QString& texte)
{
    boite->setFocus();
    boite->selectAll();
    QTest::keyClick(boite, Qt::Key_Backspace);
    QTest::keyClicks(boite, texte);
}

// Ticks a check box or an option with the space bar (a click lands beside a wide box's text).
inline void Basculer(QAbstractButton* bouton)
{
    QVERIFY2(bouton->isEnabled(), qPrintable(bouton->objectName()));
    bouton->setFocus();
    QTest::keyClick(bouton, Qt::Key_Space);
}

inline void Cliquer(QAbstractButton* bouton)
{
    QVERIFY2(bouton->isEnabled(), qPrintable(bouton->objectName()));
    QTest::mouseClick(bouton, Qt::LeftButton);
}

// The row whose text in column colonne is texte (from 1), 0 when none.
inline int Ligne_texte(QTreeWidget* liste, const QString& texte, int colonne = 0)
{
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        if (liste->topLevelItem(i)->text(colonne) == texte)
            return i + 1;
    }
    return 0;
}

inline void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    QCoreApplication::processEvents();
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

} // namespace perfs_test
