#pragma once
// What the competition window tests share: a base with competitions in every state, the
// scripted user, and a few helpers to read lists and windows.

#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/utils.h"
#include "fenetres_test.h"
#include "fixtures.h"
#include "port_test.h"

#include <QDir>
#include <QTreeWidget>
#include <QtTest>

// Today is 1 March 2025. Competitions: two to come (B starts first), two held and visible (only
// C has results), one closed by date, one deleted; a pool "Nautilus" and the placeholder.
struct ContexteCompet {
    BaseTest base;
    PortIhmTest ihm;
    JourFixe jour {QDate(2025, 3, 1)};
    QString a, b, c, d, e, f, nautilus;

    ContexteCompet()
    {
        Controler_piscine_reference();
        base.executer("INSERT INTO Piscine (Nom, Adresse, Code_Postal, Ville, NbCouloir, Bassin) VALUES "
                      "('Nautilus', '1 rue de l''Eau', '69001', 'Lyon', 10, 50)");
        nautilus = base.valeur("select Num from Piscine where Nom = 'Nautilus'");
        a = compet("A1", "Meeting de printemps", "20250601", "20250602", "Lyon", false, true);
        b = compet("B2", "Interclubs régionaux", "20250510", "20250510", "Vichy", false, true);
        c = compet("C3", "Importée", "20250101", "20250101", "Nice", true, true);
        d = compet("D4", "Importée sans résultats", "20250201", "20250201", "Pau", true, true);
        e = compet("E5", "Clôturée", "20250215", "20250216", "Metz", true, false);
        f = compet("F6", "Supprimée", "20250701", "20250701", "Brest", false, false);
        base.executer("INSERT INTO Prres (Num_compet, Code_epreuve, Tps) VALUES (" + c + ", 1, 30.5)");
        ihm.accepterMessagesOk(true);
        strNumProfil = "1";
    }
    ~ContexteCompet() { strNumProfil.clear(); }
    QString compet(const QString& num, const QString& nom, const QString& debut, const QString& fin,
                   const QString& lieu, bool deroule, bool visible)
    {
        base.executer("INSERT INTO Rcomp (Num, Type, Nom, Debut, Fin, Lieu, Longueur, Nb_couloir, Codif_fede, "
                      "Codif_inter, Codif_reg, Codif_depar, Deroule, Visible, Num_Piscine) VALUES ("
                      + Sql_texte(num) + ", 'C', " + Sql_texte(nom) + ", '" + debut + "', '" + fin + "', "
                      + Sql_texte(lieu) + ", 25, 8, 'Q', 'R', 'A', 'A', " + Booleen_texte(deroule) + ", "
                      + Booleen_texte(visible) + ", " + nautilus + ")");
        return base.valeur("select max(AutoNum) from Rcomp");
    }
};

// Column c of every row.
inline QStringList Colonne(QTreeWidget* liste, int c)
{
    QStringList v;
    for (int i = 1; i <= Nombre_lignes(liste); ++i)
        v << Ligne(liste, i)->text(c);
    return v;
}

inline void Capturer(QWidget* fenetre, const QString& nom)
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    fenetre->grab().save(QV_BINARY_DIR "/captures/" + nom + ".png");
}

// A key as a desktop delivers it, with its text.
inline void Touche(QWidget* w, Qt::Key touche, const QString& texte = QString())
{
    QKeyEvent appui(QEvent::KeyPress, touche, Qt::NoModifier, texte);
    QApplication::sendEvent(w, &appui);
    QKeyEvent relache(QEvent::KeyRelease, touche, Qt::NoModifier, texte);
    QApplication::sendEvent(w, &relache);
}
