#pragma once
// Reading this machine's load from the kernel's text files, kept apart from the window so that
// it can be checked on sample texts.

#include <QByteArray>
#include <QList>

struct TempsProcesseur {
    quint64 total = 0;
    quint64 inactif = 0;
    bool valide = false;
};

// The first line of /proc/stat: "cpu user nice system idle iowait irq softirq steal guest guest_nice".
inline TempsProcesseur Lire_temps_processeur(const QByteArray& procStat)
{
    TempsProcesseur t;
    for (const QByteArray& ligne : procStat.split('\n')) {
        const QList<QByteArray> champs = ligne.simplified().split(' ');
        if (champs.isEmpty() || champs[0] != "cpu")
            continue;
        if (champs.size() < 5)
            return t;
        // guest and guest_nice are already counted in user and nice.
        for (qsizetype i = 1; i < champs.size() && i <= 8; ++i) {
            bool ok = false;
            const quint64 v = champs[i].toULongLong(&ok);
            if (!ok)
                return TempsProcesseur{};
            t.total += v;
            if (i == 4 || i == 5) // idle, iowait
                t.inactif += v;
        }
        t.valide = true;
        return t;
    }
    return t;
}

// Busy share between two readings, in percent; -1 when it cannot be told.
inline int Charge_processeur(const TempsProcesseur& avant, const TempsProcesseur& apres)
{
    if (!avant.valide || !apres.valide || apres.total <= avant.total || apres.inactif < avant.inactif)
        return -1;
    const quint64 total = apres.total - avant.total;
    const quint64 inactif = apres.inactif - avant.inactif;
    if (inactif > total)
        return -1;
    return static_cast<int>(((total - inactif) * 100 + total / 2) / total);
}

// Memory in use, in percent of the total, from /proc/meminfo; -1 when it cannot be told.
inline int Memoire_utilisee(const QByteArray& procMeminfo)
{
    qint64 total = -1, disponible = -1, libre = -1, tampons = 0, cache = 0;
    for (const QByteArray& ligne : procMeminfo.split('\n')) {
        const QList<QByteArray> champs = ligne.simplified().split(' ');
        if (champs.size() < 2)
            continue;
        bool ok = false;
        const qint64 v = champs[1].toLongLong(&ok);
        if (!ok)
            continue;
        if (champs[0] == "MemTotal:")
            total = v;
        else if (champs[0] == "MemAvailable:")
            disponible = v;
        else if (champs[0] == "MemFree:")
            libre = v;
        else if (champs[0] == "Buffers:")
            tampons = v;
        else if (champs[0] == "Cached:")
            cache = v;
    }
    // Kernels before 3.14 give no MemAvailable.
    if (disponible < 0 && libre >= 0)
        disponible = libre + tampons + cache;
    if (total <= 0 || disponible < 0 || disponible > total)
        return -1;
    return static_cast<int>(((total - disponible) * 100 + total / 2) / total);
}
