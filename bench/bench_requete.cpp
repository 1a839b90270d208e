// Reads 100,000 rows of 10 columns through Executer_requete and through a bare sqlite3 step
// loop over the same query, and prints the ratio.

#include "core/base.h"
#include "core/globales.h"
#include "fixtures.h"
#include "mesure.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    BaseTest base("bench.mdb");
    base.executer("CREATE TABLE B (a INTEGER, b TEXT, c REAL, d TEXT, e INTEGER, f TEXT, g REAL, h TEXT, i BOOLEAN, j TEXT)");
    base.executer("BEGIN");
    for (int n = 0; n < 100000; ++n)
        cnxBase.Executer_lie("INSERT INTO B VALUES (?,?,?,?,?,?,?,?,?,?)",
                             {n, QString("Nom %1").arg(n), n * 0.25, "Prénom", n % 7, "FRA1010750001", 1.0532,
                              QString(), n % 2 == 0, "20240916"});
    base.executer("COMMIT");
    const QString sql = "SELECT a, b, c, d, e, f, g, h, i, j FROM B";


    const qint64 nu = Meilleur_temps([&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(cnxBase.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
        qint64 total = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < 10; ++i) {
                sqlite3_column_text(st, i);
                total += sqlite3_column_bytes(st, i);
            }
        }
        sqlite3_finalize(st);
        if (total == 0)
            std::puts("?");
    });
    const qint64 couche = Meilleur_temps([&] {
        Executer_requete(sql, false);
        if (colResultat.Count(0) != 100000)
            std::puts("?");
        Liberer_resultat();
    });
    std::printf("boucle sqlite3 nue : %.1f ms\nExecuter_requete   : %.1f ms\nrapport            : %.2fx (objectif <= 3x)\n",
                nu / 1e6, couche / 1e6, double(couche) / double(nu));
    return 0;
}
