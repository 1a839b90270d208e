#pragma once
// The 13-character club code: country (3), inter-region (1), region (2), département (3) and
// the club's number (4), "0000" for a selection of clubs.

#include <QString>

// The kinds the code builder offers, in the order of its option buttons.
namespace TypeClub {
constexpr int Club = 0;
constexpr int Federale = 1;
constexpr int InterRegionale = 2;
constexpr int Regionale = 3;
constexpr int Departementale = 4;
} // namespace TypeClub

// Checks the code against the geography tables. When it is invalid and bAfficher is set, shows
// message (with a line break added when it is not empty) followed by the invalid-code line.
// A code that is not 13 characters long is invalid without any message.
bool Code_club_valide(const QString& code, bool bAfficher, QString& message);
// True when the code names a selection of clubs (its number is "0000").
bool Est_code_selection(const QString& code);
// The builder's kind for a code, or typeActuel when the code names no selection.
int Type_code_club(const QString& code, int typeActuel);
