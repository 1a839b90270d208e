// The entry window on a club of 500 swimmers, all placed, with 200,000 performances: opening it
// (both swimmer lists and the first swimmer's best times), and showing another swimmer, which
// saves the one shown and reads the new one's best times. Each is printed as a ratio to the bare
// sqlite3 queries it runs.

#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/ouvreurs.h"
#include "entries/frm_engag.h"
#include "fixtures.h"
#include "mesure.h"
#include "port_test.h"

#include <sqlite3.h>

#include <QApplication>
#include <QCheckBox>
#include <QTreeWidget>

#include <cstdio>

namespace {

qint64 Requete_nue(const QString& sql)
{
    return Meilleur_temps([&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(cnxBase.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                sqlite3_column_text(st, i);
        }
        sqlite3_finalize(st);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BaseTest base("bench.mdb");
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Initialiser_verrous_menus();
    const int nbNageurs = 500;
    const int nbPerfs = 200000;
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320021234', 'Club')");
    base.executer("INSERT INTO Profil (Libelle, Code_club, LastUse) VALUES ('P', 'FRA1320021234', true)");
    strNumProfil = base.valeur("SELECT max(Num) FROM Profil");
    strCodeClub = "FRA1320021234";
    bClubSelection = false;
    base.executer("INSERT INTO Rcomp (Nom, Debut, Fin, Longueur, Visible) VALUES ('C', '20050310', '20050311', 25, true)");
    const QString compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
    base.executer("BEGIN");
    for (int n = 0; n < nbNageurs; ++n) {
        cnxBase.Executer_lie("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES "
                             "('FRA1320021234', ?, ?, 'x', ?, true)",
                             {QString::number(100000 + n), QString("NOM%1").arg(n, 4, 10, QChar('0')), n % 2 ? "M" : "F"});
        cnxBase.Execute(QString("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES "
                                "(%1, %2, %3, 0, true)")
                            .arg(strNumProfil, compet)
                            .arg(cnxBase.Dernier_id()));
    }
    const qint64 premier = base.valeur("SELECT min(Num) FROM Licence").toLongLong();
    for (int p = 0; p < nbPerfs; ++p) {
        const int code = (p % 25) % 8 + (p % 2 ? 50 : 0);
        cnxBase.Executer_lie("INSERT INTO Liffn (Code_epreuve, Num_Lic, Type_bassin, Date_perf, Tps, Lieu) VALUES "
                             "(?, ?, ?, ?, ?, 'Lieu')",
                             {code, premier + p % nbNageurs, p % 3 ? 25 : 50,
                              QString("20%1%2%3").arg(p % 6, 2, 10, QChar('0')).arg(p % 12 + 1, 2, 10, QChar('0')).arg(p % 28 + 1, 2, 10, QChar('0')),
                              0.3 + (p % 997) / 1000.0});
    }
    base.executer("COMMIT");
    base.executer("ANALYZE");

    // What opening runs: the counts, the placed swimmers, the free licences, the first swimmer's entries and best times.
    const QString t = "Engag_nageur";
    const QString places = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Num FROM Licence Licence, "
                           "Engag_nageur Engag_nageur WHERE Licence.Num = Engag_nageur.Num_Lic AND Engag_nageur.Num_compet = "
                           + compet + " AND Engag_nageur.Num_profil = " + strNumProfil
                           + " AND Engag_nageur.Equipe = 0 AND Engag_nageur.Equipe_m = true AND Licence.Visible = true "
                             "ORDER BY Licence.Nom, Licence.Prenom";
    const QString libres = "SELECT Licence, Nom, Prenom, Num FROM Licence where Code_Club = 'FRA1320021234' and Visible = "
                           "true AND NOT (Num IN (SELECT Num_Lic FROM Engag_nageur WHERE Licence.Num = Engag_nageur.Num_Lic AND "
                           "Engag_nageur.Num_compet = " + compet + " AND Engag_nageur.Num_profil = " + strNumProfil
                           + " AND NOT (Engag_nageur.Equipe = 0 AND Engag_nageur.Equipe_m = false) AND not "
                             "(Engag_nageur.Equipe = 0 AND Engag_nageur.Equipe_m = true))) order by Nom, Prenom";
    auto meilleurs = [&](qint64 cle) {
        return "SELECT Tps, Lieu, Date_perf, Code_epreuve, Type_bassin From Liffn Where Num_lic = " + QString::number(cle)
               + " AND Date_perf >= '20030916' AND Tps > 0 ORDER BY Code_epreuve, Tps";
    };
    const qint64 nuOuverture = Requete_nue(places) + Requete_nue(libres) + Requete_nue(meilleurs(premier));

    QPointer<frm_engag> f;
    const qint64 ouverture = Meilleur_temps([&] {
        Ouvrir_frm_engag(f, "Définition des engagements", "View", false, compet, nullptr, false);
        QCoreApplication::processEvents();
        if (Nombre_lignes(f->lsv_engag) != nbNageurs)
            std::puts("?");
        f->close();
        QCoreApplication::processEvents();
    }, 3);

    // Showing swimmer after swimmer, one event ticked each time.
    Ouvrir_frm_engag(f, "Définition des engagements", "Choix pour engagements", false, compet, nullptr, false);
    int ligne = 1;
    const qint64 nuNageur = Requete_nue(meilleurs(premier + 1));
    const qint64 nageur = Meilleur_temps([&] {
        ++ligne;
        Selectionner_element(f->lsv_engag, ligne);
        f->Check1[2]->setChecked(true);
        QCoreApplication::processEvents();
    }, 20);
    f->close();
    QCoreApplication::processEvents();

    std::printf("nageurs, performances         : %d, %d\n"
                "ouverture : requêtes nues      : %.1f ms\n"
                "ouverture : fenêtre            : %.1f ms (%.1fx)\n"
                "nageur suivant : requête nue   : %.2f ms\n"
                "nageur suivant : fenêtre       : %.2f ms (%.1fx)\n",
                nbNageurs, nbPerfs, nuOuverture / 1e6, ouverture / 1e6, double(ouverture) / double(nuOuverture),
                nuNageur / 1e6, nageur / 1e6, double(nageur) / double(nuNageur));
    return 0;
}
