// Fills the performance viewer on a base of 200,000 individual performances (200 swimmers of one
// club, 1,000 each over 20 events and ten seasons): the swimmer list, one swimmer, and the whole
// club with every season. Each is compared with its bare queries run as a sqlite3 step loop,
// and the plan of the per-swimmer statement is printed to show the index it uses.

#include "core/base.h"
#include "core/globales.h"
#include "core/services.h"
#include "fixtures.h"
#include "mesure.h"
#include "results/frm_view_perf.h"

#include <sqlite3.h>

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTreeWidget>

#include <cstdio>

namespace {

constexpr int kNageurs = 200;
constexpr int kParNageur = 1000;
const QString kClub = QStringLiteral("FRA1320021234");

// Rows of a statement stepped through, every column read as text.
int Pas_a_pas(const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cnxBase.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
    int lignes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            sqlite3_column_text(st, i);
        ++lignes;
    }
    sqlite3_finalize(st);
    return lignes;
}

void Remplir_base()
{
    cnxBase.Execute("BEGIN");
    cnxBase.Executer_lie("INSERT INTO Club (Code_federal, Intitule) VALUES (?, 'Club')", {kClub});
    for (int n = 0; n < kNageurs; ++n)
        cnxBase.Executer_lie("INSERT INTO Licence (Num, Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                             "VALUES (?, ?, ?, ?, 'P', 'M', '19950101', 1)",
                             {100 + n, kClub, QString("95%1F").arg(n, 3, 10, QChar('0')), QString("NOM%1").arg(n, 3, 10, QChar('0'))});
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cnxBase.handle(),
                       "INSERT INTO Liffn VALUES (?, ?, ?, 25, ?, ?, 'Lille', 'Q', ' ', ' ', ' ', ' ', 0, 20, ?, 0)", -1,
                       &st, nullptr);
    const QByteArray club = kClub.toUtf8();
    static const int epreuves[20] = {50, 51, 52, 53, 54, 55, 56, 57, 60, 61, 62, 63, 70, 71, 72, 73, 80, 81, 82, 83};
    for (int n = 0; n < kNageurs; ++n) {
        for (int i = 0; i < kParNageur; ++i) {
            const int k = n * kParNageur + i;
            const QByteArray date = QByteArray::number(1995 + i % 10) + QByteArray::number(i % 12 + 1).rightJustified(2, '0')
                                    + QByteArray::number(i % 28 + 1).rightJustified(2, '0');
            sqlite3_bind_int(st, 1, epreuves[i % 20]);
            sqlite3_bind_text(st, 2, club.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 3, 100 + n);
            sqlite3_bind_text(st, 4, date.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(st, 5, 0.25 + (k % 5000) / 10000.0);
            sqlite3_bind_int(st, 6, 1 + k % 300);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
    }
    sqlite3_finalize(st);
    cnxBase.Execute("COMMIT");
    cnxBase.Execute("ANALYZE");
}

void Plan(const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cnxBase.handle(), ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        std::printf("    %s\n", reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BaseTest base("bench.mdb");
    Services::fixerAujourdhui(QDate(2004, 9, 15));
    strCodeClub = kClub;
    bClubSelection = false;
    Remplir_base();

    frm_view_perf fenetre;
    fenetre.resize(900, 600);
    fenetre.show();
    fenetre.Opt_saison[2]->setChecked(true); // every season: the most rows
    fenetre.Entete_colonnes_perf();

    // The swimmer list.
    // The list as a grouping of every performance of the club, and as the viewer asks for it.
    const QString requeteGroupee =
        "SELECT Licence.Num, Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Date_Naissance FROM Club Club, "
        "Licence Licence, Liffn Liffn WHERE Club.Code_federal = Licence.Code_Club AND Licence.Num = Liffn.Num_Lic AND "
        "Licence.Code_Club = '"
        + kClub
        + "' GROUP BY Licence.Num, Licence.Nom, Licence.Prenom, Licence.Licence, Club.Intitule, Licence.Date_Naissance "
          "ORDER BY Licence.Nom, Licence.Prenom";
    const QString requeteListe =
        "SELECT DISTINCT Licence.Num, Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Date_Naissance FROM Club "
        "Club, Licence Licence WHERE Club.Code_federal = Licence.Code_Club AND EXISTS (SELECT 1 FROM Liffn Liffn WHERE "
        "Liffn.Num_Lic = Licence.Num) AND Licence.Code_Club = '"
        + kClub + "' ORDER BY Licence.Nom, Licence.Prenom";
    const qint64 groupee = Meilleur_temps([&] { Pas_a_pas(requeteGroupee); }, 3);
    const qint64 listeNue = Meilleur_temps([&] {
        Pas_a_pas(requeteListe);
        Pas_a_pas("SELECT count(*) FROM Liffn_relais WHERE Code_club = '" + kClub + "'");
    });
    const qint64 liste = Meilleur_temps([&] {
        fenetre.Charger_liste_nageurs(QString());
        QCoreApplication::processEvents();
    });

    const RequetesPerf requetes = Construire_requetes_perf(fenetre.options(), Aujourdhui_texte());
    auto individuel = [&](int n) { return QString(requetes.individuel).replace("<NUM_LICENCE>", QString::number(100 + n)); };

    // One swimmer.
    const qint64 unNu = Meilleur_temps([&] { Pas_a_pas(individuel(0)); });
    fenetre.LsvNageur->topLevelItem(0)->setCheckState(0, Qt::Checked);
    const qint64 un = Meilleur_temps([&] {
        fenetre.Afficher_suivi_perf();
        QCoreApplication::processEvents();
    });
    const int lignesUn = fenetre.LsvPerf->topLevelItemCount();

    // The whole club.
    const qint64 clubNu = Meilleur_temps(
        [&] {
            for (int n = 0; n < kNageurs; ++n)
                Pas_a_pas(individuel(n));
        },
        3);
    fenetre.Chk_all_nageurs->setChecked(true);
    for (int i = 0; i < fenetre.LsvNageur->topLevelItemCount(); ++i)
        fenetre.LsvNageur->topLevelItem(i)->setCheckState(0, Qt::Checked);
    const qint64 club = Meilleur_temps(
        [&] {
            fenetre.Afficher_suivi_perf();
            QCoreApplication::processEvents();
        },
        3);
    const int lignesClub = fenetre.LsvPerf->topLevelItemCount();

    std::printf("performances                     : %d (%d nageurs)\n", kNageurs * kParNageur, kNageurs);
    std::printf("plan de la requête d'un nageur   :\n");
    Plan(individuel(0));
    std::printf("liste par regroupement des performances : %8.1f ms\n", groupee / 1e6);
    std::printf("liste des nageurs   : %8.1f ms, requêtes nues %8.1f ms, rapport %.1fx\n", liste / 1e6, listeNue / 1e6,
                double(liste) / double(listeNue));
    std::printf("un nageur (%6d lignes) : %8.1f ms, requête nue %8.1f ms, rapport %.1fx\n", lignesUn, un / 1e6,
                unNu / 1e6, double(un) / double(unNu));
    std::printf("tout le club (%6d lignes) : %8.1f ms, requêtes nues %8.1f ms, rapport %.1fx\n", lignesClub,
                club / 1e6, clubNu / 1e6, double(club) / double(clubNu));
    Services::fixerAujourdhui(QDate());
    return 0;
}
