// Fills the swimmer list (visible and hidden lists, birth dates written out) from a base of
// 5,000 licences, and runs the same query as a bare sqlite3 step loop; prints the ratio. The
// fill is timed until the list has painted, as the user waits for it.

#include "clubs_licences/liste_licences.h"
#include "core/base.h"
#include "fixtures.h"
#include "mesure.h"


#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BaseTest base("bench.mdb");
    const int nbLicences = 5000;
    base.executer("BEGIN");
    for (int c = 0; c < 5; ++c)
        cnxBase.Executer_lie("INSERT INTO Club (Code_federal, Intitule) VALUES (?, ?)",
                             {QString("FRA111075%1").arg(c + 1, 4, 10, QChar('0')), QString("Club %1").arg(c)});
    for (int n = 0; n < nbLicences; ++n) {
        const int annee = 1950 + n % 60;
        cnxBase.Executer_lie(
            "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Tarif) "
            "VALUES (?, ?, ?, ?, ?, ?, 'FRA', '')",
            {QString("FRA111075%1").arg(n % 5 + 1, 4, 10, QChar('0')),
             QString("%1%2F").arg(annee % 100, 2, 10, QChar('0')).arg(n % 1000, 3, 10, QChar('0')),
             QString("NOM%1").arg((n * 7919) % nbLicences, 5, 10, QChar('0')), QString("Prénom %1").arg(n),
             n % 2 ? "M" : "F",
             QString("%1%2%3").arg(annee).arg(n % 12 + 1, 2, 10, QChar('0')).arg(n % 28 + 1, 2, 10, QChar('0'))});
    }
    base.executer("COMMIT");

    const QString sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Club.Intitule, Licence.Date_Naissance, "
                        "Licence.Num FROM Club Club, Licence Licence WHERE Club.Code_federal = Licence.Code_club "
                        "AND Licence.Visible = true ORDER BY Licence.Nom, Licence.Prenom";


    const qint64 nu = Temps_requete_nue(cnxBase.handle(), sql, 6, nbLicences);

    // The query layer alone, to tell its share from the lists'.
    const qint64 couche = Meilleur_temps([&] {
        Executer_requete(sql, false);
        Liberer_resultat();
    });

    QTreeWidget liste;
    QTreeWidget info;
    liste.setHeaderLabels({"Nom", "Prénom", "Licence", "Club", "Né(e) le"});
    liste.resize(600, 400);
    liste.show();
    const qint64 remplissage = Meilleur_temps([&] {
        ColonnesListes colonnes{QList<int>{0, 1, 2, 3, 4}, QList<int>{0, 1, 2, 5}};
        Remplir_liste_licences(sql, &liste, &info, true, true, colonnes);
        QCoreApplication::processEvents(); // the list lays out and paints what the user sees
        if (liste.topLevelItemCount() != nbLicences)
            std::puts("?");
    });

    std::printf("licences                 : %d\n"
                "requête nue (sqlite3)    : %.1f ms\n"
                "Executer_requete seul    : %.1f ms\n"
                "Remplir_liste_licences   : %.1f ms\n"
                "rapport                  : %.1fx\n",
                nbLicences, nu / 1e6, couche / 1e6, remplissage / 1e6, double(remplissage) / double(nu));
    return 0;
}
