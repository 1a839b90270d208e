#include "clubs_licences/code_club.h"

#include "core/base.h"
#include "core/geographie.h"
#include "core/messages.h"

bool Code_club_valide(const QString& code, bool bAfficher, QString& message)
{
    if (code.size() != 13)
        return false;
    if (ControleCodeClub(cnxBase.handle()).raison(code).isEmpty())
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
