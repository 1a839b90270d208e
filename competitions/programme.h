#pragma once
// A programme in memory: one entry per event code 0 to 99, and the reading of a programme from
// the fixed-column text files "pcomp.txt" and "nage.txt" (Windows-1252, one byte a column).

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// An event of the programme; JourCourse 0 means the event is not in it.
struct EpreuveProgramme {
    qint16 JourCourse = 0;
    qint16 Type = 0;       // 1 time ranking, 2 semi-finals, 3 heats and finals, 4 quarter-, 8 eighth-finals
    qint16 Nb_finales = 0; // 1 to 3
    QString Type_finale;   // "T", "C" or " "
    qint16 Num_ordre = 0;  // running order within the day, 0 when not ordered
};

constexpr int NbEpreuvesProgramme = 100;
using TableProgramme = std::array<EpreuveProgramme, NbEpreuvesProgramme>;

// What a "pcomp.txt" gave besides the table.
struct ProgrammeTexte {
    int nbJournees = 1;
    // The codes the event list does not hold, as written in the file, in line order.
    QStringList codesInconnus;
    // Day and order of each unknown code's last line (its text without blanks), for its description.
    QHash<QString, std::pair<int, int>> placesInconnus;
};

// Reads "pcomp.txt" into the table, emptied first. Lines whose code field holds no digit are
// skipped; codeConnu says whether the editor's event list holds a code. Days count from the
// earliest valid date (a line with an invalid date puts every event on day 1).
ProgrammeTexte Lire_pcomp(const QByteArray& pcomp, const std::function<bool(int)>& codeConnu, TableProgramme& table);

// One description per "nage.txt" line whose code, written without leading zeros, is one of the
// unknown codes as written, blanks aside ("05" is never matched), in the order of "nage.txt".
QStringList Decrire_codes_inconnus(const QByteArray& nage, const ProgrammeTexte& lu);

// The message listing the unknown codes: described from "nage.txt" when it was there.
QString Message_codes_inconnus(const ProgrammeTexte& lu, bool nagePresent, const QStringList& descriptions);
