#include "clubs_licences/code_club.h"

#include "core/base.h"
#include "core/messages.h"
#include "core/utils.h"

namespace {

// Only these characters ever reach the geography queries: a pasted quote or a letter in the
// inter-region would otherwise make the query fail instead of giving "invalid".
bool Caracteres_admis(const QString& code)
{
    for (const QChar c : code) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return code.at(3).isDigit();
}

bool Geographie_valide(const QString& code)
{
    if (!Caracteres_admis(code))
        return false;
    const QString pays = code.mid(0, 3);
    const QString inter = code.mid(3, 1);
    const QString region = code.mid(4, 2);
    const QString departement = code.mid(6, 3);

    if (Lire_nombre("select count(*) from Pays where code = " + Sql_texte(pays)) == 0)
        return false;
    if (Lire_nombre("select count(*) from Inter_Region where code = " + inter) == 0)
        return false;
    if (pays != "FRA")
        return inter == "0";
    if (inter == "0")
        return region == "00" && departement == "000";
    if (region == "00")
        return departement == "000";
    if (Lire_nombre("SELECT count(*) FROM Inter_Region Inter_Region, Region Region "
                    "WHERE Inter_Region.Code = Region.CodeInter AND Region.Code = "
                    + Sql_texte(region) + " and Inter_Region.Code = " + inter)
        == 0)
        return false;
    if (departement == "000")
        return true;
    return Lire_nombre("SELECT count(*) FROM Region Region, Departement Departement "
                       "WHERE Region.Code = Departement.Region AND Departement.Code = "
                       + Sql_texte(departement) + " AND region.code = " + Sql_texte(region))
        != 0;
}

} // namespace

bool Code_club_valide(const QString& code, bool bAfficher, QString& message)
{
    if (code.size() != 13)
        return false;
    if (Geographie_valide(code))
        return true;
    if (bAfficher) {
        if (!message.isEmpty())
            message += "\r\n";
        Afficher_erreur(message + "Le code club tapé n'est pas valide.");
    }
    return false;
}

bool Est_code_selection(const QString& code)
{
    return code.right(4) == "0000";
}

int Type_code_club(const QString& code, int typeActuel)
{
    // A foreign club also has inter-region "0": only a code that is zeros from there on is the
    // federal selection.
    if (code.size() >= 4 && code.mid(3) == QString(code.size() - 3, '0'))
        return TypeClub::Federale;
    if (code.right(9) == "000000000")
        return TypeClub::InterRegionale;
    if (code.right(7) == "0000000")
        return TypeClub::Regionale;
    if (code.right(4) == "0000")
        return TypeClub::Departementale;
    return typeActuel;
}
