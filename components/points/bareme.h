#pragma once
// The two points tables of the points calculator, in whole hundredths of a second.
//
// LEN: P = 1000 x (B / T)^3, B the event's reference time and T the time, whole points
// truncated; the inverse is the slowest time still worth P points.
// National: the federation's published table, one time per event, pool length and points
// value, loaded from the file the user installs (docs/echanges.md, "Points table").

#include <QHash>
#include <QString>
#include <map>

// Points are four digits at most: a time worth more is a typing error, not a score.
constexpr int PointsMaximum = 9999;

// 0 when either time is missing or the points would exceed PointsMaximum.
int Points_len(qint64 centiemes, qint64 referenceCentiemes);
// The slowest time worth at least `points`, 0 when it cannot be (no reference, points out of
// 1..PointsMaximum).
qint64 Temps_len(qint64 points, qint64 referenceCentiemes);

class BaremeNational {
public:
    // Reads the file; "" when it is read, else why it is refused (the table is then empty).
    // A missing file is no error: the table is just empty.
    QString charger(const QString& chemin);
    bool vide() const { return m_epreuves.empty(); }

    // The points of a time for an event, 0 when the table cannot value it.
    int points(int codeNage, qint64 centiemes) const;
    // The slowest time worth at least `points` for the event, 0 when none is.
    qint64 temps(int codeNage, qint64 points) const;

private:
    // points -> time, for the pool length the event is valued on.
    using Colonne = std::map<qint64, qint64>;
    const Colonne* colonne(int codeNage) const;
    // event code -> pool length -> column
    QHash<int, std::map<int, Colonne>> m_epreuves;
};
