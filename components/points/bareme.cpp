#include "components/points/bareme.h"

#include "components/echange_commun/echange.h"
#include "core/temps.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace {

// floor(1000 * (B/T)^3) computed in integers: no rounding can put a time on the wrong side
// of a points boundary, so the inverse always converts back to the same points.
qint64 Points_exacts(qint64 t, qint64 b)
{
    const __int128 num = static_cast<__int128>(1000) * b * b * b;
    const __int128 den = static_cast<__int128>(t) * t * t;
    return static_cast<qint64>(num / den);
}

} // namespace

int Points_len(qint64 centiemes, qint64 referenceCentiemes)
{
    if (centiemes <= 0 || referenceCentiemes <= 0)
        return 0;
    const qint64 p = Points_exacts(centiemes, referenceCentiemes);
    return p > PointsMaximum ? 0 : static_cast<int>(p);
}

qint64 Temps_len(qint64 points, qint64 referenceCentiemes)
{
    if (points <= 0 || points > PointsMaximum || referenceCentiemes <= 0)
        return 0;
    // First guess from the formula, then the exact boundary in hundredths.
    qint64 t = static_cast<qint64>(std::floor(referenceCentiemes * std::cbrt(1000.0 / points)));
    t = std::max<qint64>(t, 1);
    while (t > 1 && Points_exacts(t, referenceCentiemes) < points)
        --t;
    while (Points_exacts(t + 1, referenceCentiemes) >= points)
        ++t;
    return Points_exacts(t, referenceCentiemes) > PointsMaximum ? 0 : t;
}

QString BaremeNational::charger(const QString& chemin)
{
    m_epreuves.clear();
    if (!QFileInfo::exists(chemin))
        return {};
    const QString nom = QFileInfo(chemin).fileName();
    try {
        const auto fichier = Echange::Lire_tsv(chemin, {"Code_nage", "Bassin", "Points", "Temps"});
        const int iCode = fichier.index("Code_nage"), iBassin = fichier.index("Bassin"),
                  iPoints = fichier.index("Points"), iTemps = fichier.index("Temps");
        static const QRegularExpression entier("^[0-9]{1,9}$");
        static const QRegularExpression temps("^[0-9]{1,3}(\\.[0-9]{1,4})?$");
        QHash<int, std::map<int, Colonne>> epreuves;
        for (size_t i = 0; i < fichier.lignes.size(); ++i) {
            const QString code = fichier.valeur(i, iCode), bassin = fichier.valeur(i, iBassin),
                          points = fichier.valeur(i, iPoints), t = fichier.valeur(i, iTemps);
            const int ligne = fichier.numeros[i];
            const auto erreur = [&](const QString& raison) {
                return QString("Table de cotation %1 refusée : ligne %2, %3.").arg(nom).arg(ligne).arg(raison);
            };
            if (!entier.match(code).hasMatch())
                return erreur("code d'épreuve invalide (" + code + ")");
            if (bassin != "25" && bassin != "50")
                return erreur("bassin invalide (" + bassin + ")");
            if (!entier.match(points).hasMatch() || points.toLongLong() < 1 || points.toLongLong() > PointsMaximum)
                return erreur("points invalides (" + points + ")");
            const qint64 c = temps.match(t).hasMatch() ? Temps_en_centiemes(t) : 0;
            if (c <= 0 || Centiemes_en_temps(c) != Format_temps(t))
                return erreur("temps invalide (" + t + ")");
            Colonne& col = epreuves[code.toInt()][bassin.toInt()];
            if (!col.emplace(points.toLongLong(), c).second)
                return erreur("points " + points + " déjà donnés pour cette épreuve");
        }
        // More points must never take longer: a table that says so is not the federation's.
        for (auto it = epreuves.cbegin(); it != epreuves.cend(); ++it)
            for (const auto& [bassin, col] : it.value()) {
                qint64 precedent = std::numeric_limits<qint64>::max();
                for (const auto& [p, c] : col) {
                    if (c > precedent)
                        return QString("Table de cotation %1 refusée : épreuve %2, bassin %3 m, les temps ne "
                                       "diminuent pas quand les points augmentent (%4 points).")
                            .arg(nom)
                            .arg(it.key())
                            .arg(bassin)
                            .arg(p);
                    precedent = c;
                }
            }
        m_epreuves = std::move(epreuves);
        return {};
    } catch (const Echange::Refus& r) {
        return QString("Table de cotation %1 refusée : %2").arg(nom, r.raisons().join(" ; "));
    }
}

const BaremeNational::Colonne* BaremeNational::colonne(int codeNage) const
{
    const auto it = m_epreuves.constFind(codeNage);
    if (it == m_epreuves.cend() || it->empty())
        return nullptr;
    // No pool length reaches the calculator: long course is the reference, short course only
    // when the table has nothing else for the event.
    const auto grand = it->find(50);
    return grand != it->end() ? &grand->second : &it->begin()->second;
}

int BaremeNational::points(int codeNage, qint64 centiemes) const
{
    const Colonne* col = colonne(codeNage);
    if (!col || centiemes <= 0)
        return 0;
    // The most points whose time the swim matches or beats.
    for (auto it = col->rbegin(); it != col->rend(); ++it)
        if (centiemes <= it->second)
            return static_cast<int>(it->first);
    return 0;
}

qint64 BaremeNational::temps(int codeNage, qint64 points) const
{
    const Colonne* col = colonne(codeNage);
    if (!col || points <= 0 || points > PointsMaximum)
        return 0;
    // The table's own row, or the next value it lists above.
    const auto it = col->lower_bound(points);
    return it == col->end() ? 0 : it->second;
}
