#include "core/geographie.h"

#include <sqlite3.h>

namespace {

// Upper-case letters and digits only: a quote, a blank or a lower-case letter never names a row
// of the geography even where the comparison would let it.
bool Caracteres_admis(const QString& code)
{
    for (const QChar c : code) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

} // namespace

ControleCodeClub::ControleCodeClub(sqlite3* db)
    : m_pays(db, "SELECT count(*) FROM Pays WHERE Code = ?"),
      m_inter(db, "SELECT count(*) FROM Inter_Region WHERE Code = ?"),
      m_region(db, "SELECT count(*) FROM Inter_Region Inter_Region, Region Region "
                   "WHERE Inter_Region.Code = Region.CodeInter AND Region.Code = ? AND Inter_Region.Code = ?"),
      m_departement(db, "SELECT count(*) FROM Region Region, Departement Departement "
                        "WHERE Region.Code = Departement.Region AND Departement.Code = ? AND Region.Code = ?")
{
}

bool ControleCodeClub::existe(Requete& requete, char question, const QString& valeur, const QString& parent)
{
    const QString cle = QLatin1Char(question) + valeur + parent;
    const auto connue = m_reponses.constFind(cle);
    if (connue != m_reponses.constEnd())
        return connue.value();
    QVariantList valeurs{valeur};
    if (!parent.isNull())
        valeurs << parent;
    requete.relier(valeurs);
    const bool trouve = requete.suivante() && sqlite3_column_int64(requete.stmt(), 0) != 0;
    sqlite3_reset(requete.stmt());
    m_reponses.insert(cle, trouve);
    return trouve;
}

QString ControleCodeClub::raison(const QString& code)
{
    if (code.size() != 13)
        return "le code doit compter 13 caractères";
    if (!Caracteres_admis(code))
        return "le code ne doit contenir que des lettres majuscules et des chiffres";
    const QString pays = code.mid(0, 3);
    const QString inter = code.mid(3, 1);
    const QString region = code.mid(4, 2);
    const QString departement = code.mid(6, 3);

    if (!existe(m_pays, 'P', pays))
        return "pays " + pays + " inconnu";
    if (!inter.at(0).isDigit() || !existe(m_inter, 'I', inter))
        return "inter-région " + inter + " inconnue";
    if (pays != "FRA")
        return inter == "0" ? QString() : "un club hors de France a l'inter-région 0, pas " + inter;
    if (inter == "0")
        return region == "00" && departement == "000"
                   ? QString()
                   : "avec l'inter-région 0, la région et le département sont 00 et 000";
    if (region == "00")
        return departement == "000" ? QString() : "sans région (00), le département est 000";
    if (!existe(m_region, 'R', region, inter))
        return "région " + region + " inconnue dans l'inter-région " + inter;
    if (departement != "000" && !existe(m_departement, 'D', departement, region))
        return "département " + departement + " inconnu dans la région " + region;
    return QString();
}
