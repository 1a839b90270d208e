#pragma once
// Timing for the benchmark programs: the best of a few runs, in nanoseconds.

#include <QElapsedTimer>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

template <typename F>
qint64 Meilleur_temps(F&& f, int essais = 5)
{
    qint64 meilleur = INT64_MAX;
    for (int essai = 0; essai < essais; ++essai) {
        QElapsedTimer t;
        t.start();
        f();
        meilleur = std::min(meilleur, t.nsecsElapsed());
    }
    return meilleur;
}

// The query stepped through by sqlite3 alone, every column read as text: what a list fill is
// measured against. Prints "?" when the row count is not the one expected.
inline qint64 Temps_requete_nue(sqlite3* db, const QString& sql, int colonnes, int lignesAttendues, int essais = 5)
{
    return Meilleur_temps(
        [&] {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
            int lignes = 0;
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int i = 0; i < colonnes; ++i)
                    sqlite3_column_text(st, i);
                ++lignes;
            }
            sqlite3_finalize(st);
            if (lignes != lignesAttendues)
                std::puts("?");
        },
        essais);
}
