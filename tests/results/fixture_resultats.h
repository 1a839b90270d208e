#pragma once
// One held meet with results, shared by the results tests: a women's 100 m with finals A and B,
// a youth final, a semi-final, two heats and a swim-off; a men's 100 m; a women's relay; a
// 1500 m and a 1000 m with splits. Two clubs, the profile's club being A.

#include "core/globales.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"

#include <QDir>
#include <QStringList>

inline const QString kClubA = QStringLiteral("FRA1320021234");
inline const QString kClubB = QStringLiteral("FRA1320024321");

struct MeetResultats {
    BaseTest base;
    PortIhmTest ihm;
    QString compet;

    MeetResultats()
    {
        ihm.accepterMessagesOk(true);
        strCodeClub = kClubA;
        strNomClub = "Club A";
        bClubSelection = false;
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + kClubA + "', 'Club A')");
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + kClubB + "', 'Nageurs <Sud> & Co')");
        base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Deroule, Visible) VALUES "
                      "('R1', 'Meeting d''Azur & Co', '20240615', '20240616', 'Nice', true, true)");
        compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
        // Held but without results, and results of a hidden meet: neither is listed.
        base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Deroule, Visible) VALUES "
                      "('R0', 'Sans résultats', '20240701', '20240701', 'Lyon', true, true)");
        base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Deroule, Visible) VALUES "
                      "('R2', 'Cachée', '20240801', '20240801', 'Lyon', true, false)");
        base.executer("INSERT INTO Prres (Num_compet, Code_epreuve, Num_Lic, Code_club, Tps, Type_course) VALUES ("
                      + base.valeur("SELECT max(AutoNum) FROM Rcomp") + ", 2, 1, '" + kClubA + "', 1, 'F')");
        int ordre = 0;
        for (auto [code, jour] : {std::pair{2, 1}, {52, 1}, {43, 2}, {6, 2}, {7, 2}})
            base.executer(QString("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) VALUES "
                                  "(%1, %2, %3, %4)")
                              .arg(compet)
                              .arg(code)
                              .arg(jour)
                              .arg(++ordre));
        base.executer("INSERT INTO Categori (Num_compet, Num_cat, Libelle) VALUES (" + compet + ", 1, ' Juniors ')");

        // Women's 100 m: final A with a tie, a known and an unknown special code.
        resultat(2, "MARTIN", "Léa", "20080101", kClubA, 0.5800, 700, "F", 1, 4, 1);
        resultat(2, "DURAND", "Zoé", "20090101", kClubB, 0.5900, 690, "F", 1, 5, 1);
        resultat(2, "PETIT", "Inès", "20080301", kClubA, 0.5900, 690, "F", 1, 3, 1);
        resultat(2, "ROUX", "Jade", "20070101", kClubA, 1.0000, 650, "F", 1, 6, 1);
        resultat(2, "BLANC", "Eve", "20080101", kClubB, 91, 0, "F", 1, 2, 1);
        resultat(2, "NOIR", "Ana", "20080101", kClubA, 99, 0, "F", 1, 7, 1);
        // Final B without a category.
        resultat(2, "VERT", "Lou", "20080101", kClubA, 1.0500, 600, "F", 2, 4, -1);
        resultat(2, "JAUNE", "Mia", "20100101", kClubA, 1.1000, 550, "J", 1, 4, 1);
        resultat(2, "ROSE", "Amy", "20080101", kClubB, 1.0100, 620, "2", 4, 4, 1);
        // Heats: lanes 1, 2 and 5 in heat 1, lanes 3 and 4 in heat 2.
        resultat(2, "AUBE", "Ida", "20080101", kClubA, 1.0300, 610, "S", 1, 5, -1);
        resultat(2, "BRUN", "Eva", "20080101", kClubB, 1.0200, 615, "S", 1, 2, -1);
        resultat(2, "CYAN", "Ely", "20080101", kClubA, 1.0400, 605, "S", 1, 1, -1);
        resultat(2, "DORE", "Ava", "20080101", kClubA, 1.0150, 618, "S", 2, 4, -1);
        resultat(2, "EBENE", "Isa", "20080101", kClubB, 1.0350, 608, "S", 2, 3, -1);
        resultat(2, "FAUVE", "Noa", "20080101", kClubA, 1.0300, 610, "B", 1, 4, -1);
        resultat(2, "GRIS", "Lya", "20080101", kClubB, 1.0310, 609, "B", 1, 5, -1);
        // Men's 100 m.
        resultat(52, "HOMME", "Paul", "20070101", kClubA, 0.5200, 800, "F", 1, 4, -1);
        // Women's relay: a final A and a youth final that relays never show.
        relais(43, 1, kClubA, 1.5000, 750, "F", 1, 4);
        relais(43, 2, kClubB, 1.5500, 700, "F", 1, 5);
        relais(43, 3, kClubA, 2.0000, 500, "J", 1, 4);
        // Distance events with their splits.
        resultat(6, "LONGUE", "Eva", "20060101", kClubA, 17.0000, 900, "F", 1, 4, -1, 14);
        resultat(7, "MOYENNE", "Ana", "20060101", kClubA, 11.0000, 880, "F", 1, 4, -1, 9);
    }

    void resultat(int code, const QString& nom, const QString& prenom, const QString& naissance, const QString& club,
                  double tps, int pts, const QString& type, int serie, int couloir, int cat, int nbInter = 0) const
    {
        base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, "
                              "Visible) VALUES ('%1', '%2', %3, %4, 'F', '%5', 'FRA', true)")
                          .arg(club, naissance.mid(2, 2) + "123F", Sql_texte(nom), Sql_texte(prenom), naissance));
        const QString num = base.valeur("SELECT max(Num) FROM Licence");
        insererPrres("Prres", code, num, club, tps, pts, type, serie, couloir, cat, nbInter);
    }

    void relais(int code, int equipe, const QString& club, double tps, int pts, const QString& type, int serie,
                int couloir) const
    {
        insererPrres("Prres_relais", code, QString::number(equipe), club, tps, pts, type, serie, couloir, -1, 0);
    }

    void insererPrres(const QString& table, int code, const QString& num, const QString& club, double tps, int pts,
                      const QString& type, int serie, int couloir, int cat, int nbInter) const
    {
        QString colonnes = "Num_compet, Code_epreuve, Num_Lic, Code_club, Num_equipe, Tps, Cotation_FFN, Type_course, "
                           "Numero_serie, Numero_couloir, Numero_ordre_couloir, Num_categorie";
        QString valeurs = QString("%1, %2, %3, '%4', 1, %5, %6, '%7', %8, %9, 1, %10")
                              .arg(compet)
                              .arg(code)
                              .arg(num, club, Reel_sql(tps))
                              .arg(pts)
                              .arg(type)
                              .arg(serie)
                              .arg(couloir)
                              .arg(cat < 0 ? QString("NULL") : QString::number(cat));
        // Splits every minute, a simple pattern that reads back easily.
        for (int k = 1; k <= nbInter; ++k) {
            colonnes += QString(", Inter%1").arg(k);
            valeurs += ", " + Reel_sql(k + 0.0012);
        }
        base.executer("INSERT INTO " + table + " (" + colonnes + ") VALUES (" + valeurs + ")");
    }
};

inline QString Dossier_captures()
{
    QDir().mkpath(QV_BINARY_DIR "/captures");
    return QV_BINARY_DIR "/captures";
}
