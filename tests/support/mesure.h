#pragma once
// Timing for the benchmark programs: the best of a few runs, in nanoseconds.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>

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
