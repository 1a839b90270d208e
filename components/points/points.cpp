// PointsCalculator: converts swim times into points and back, on the national table or the
// LEN table. Times are passed and returned in the M.SSCC form; 0 points and an empty time mean
// "not available".
//
// Members, called by name:
//   CalculPoint(code, temps)              national table, points of a time
//   intCalculPointLEN(temps, reference)   LEN table
//   CalculTps(code, points)               national table, slowest time worth the points
//   strCalculTpsLEN(points, reference)    LEN table
//   ChargerTable(chemin)                  reads the national table file; "" or why it is refused

#include "components/echange_commun/echange.h"
#include "components/points/bareme.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/temps.h"

namespace {

qint64 Centiemes(const QVariant& v)
{
    return Temps_en_centiemes(Format_temps(v.toDouble()));
}

qint64 Points(const QVariant& v)
{
    const double p = v.toDouble();
    return p < 1 || p > PointsMaximum ? 0 : static_cast<qint64>(p);
}

QString Temps_texte(qint64 centiemes)
{
    return centiemes > 0 ? Centiemes_en_temps(centiemes) : QString();
}

class PointsCalculator : public Composant {
public:
    QVariant appeler(const QString& membre, const QVariantList& a) override
    {
        const auto attendre = [&](int n) {
            if (a.size() != n)
                throw ErreurExecution(450, "Nombre d'arguments incorrect pour " + membre);
        };
        if (membre == "CalculPoint") {
            attendre(2);
            return m_national.points(a[0].toInt(), Centiemes(a[1]));
        }
        if (membre == "intCalculPointLEN") {
            attendre(2);
            return Points_len(Centiemes(a[0]), Centiemes(a[1]));
        }
        if (membre == "CalculTps") {
            attendre(2);
            return Temps_texte(m_national.temps(a[0].toInt(), Points(a[1])));
        }
        if (membre == "strCalculTpsLEN") {
            attendre(2);
            return Temps_texte(Temps_len(Points(a[0]), Centiemes(a[1])));
        }
        if (membre == "ChargerTable") {
            attendre(1);
            return m_national.charger(a[0].toString());
        }
        throw ErreurExecution(438, "Membre inconnu : " + membre);
    }

private:
    BaremeNational m_national;
};

} // namespace

QV_EXPORTER_COMPOSANT Composant* qv_creer_composant(const char* classe)
{
    if (QByteArray(classe) == "PointsCalculator")
        return new PointsCalculator;
    return nullptr;
}

QV_EXPORTER_COMPOSANT const char* qv_version_composant()
{
    return QV_COMPONENT_VERSION;
}
