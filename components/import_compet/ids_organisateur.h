#pragma once
// The organiser's event ids and numbers, kept when a meet is imported, so that the entry file we
// send back names the organiser's events (docs/echanges.md). The two tables are the exchange
// components' own: the import creates them when the base has none.

#include "components/import_compet/catalogue_lenex.h"

#include <map>
#include <vector>

namespace Lenex {

// An organiser's event as the entry file writes it back.
struct EpreuveOrganisateur {
    QString id, numero, genre, tour;
    Ages ages;
};

// What the organiser's meet says beyond its events: its nation and how it counts ages (Lenex
// AGEDATE: the date and "YEAR" or "DATE"; empty when the file gives none).
struct ReunionOrganisateur {
    QString nation, dateAge, typeAge;
};

struct IdsOrganisateur {
    ReunionOrganisateur reunion;
    qint64 idMax = 0, numeroMax = 0; // the highest eventid and number of the organiser's file
    std::map<int, std::vector<EpreuveOrganisateur>> epreuves; // by our event code, in file order
};

// An event of the file not kept: entries go to the one kept before it on its code (null when the
// event has no eventid).
struct EpreuveNonGardee {
    const Epreuve* epreuve;
    const Epreuve* gardee;
};

namespace detail {
inline bool A_colonne(const BaseEchange& base, const char* table, const char* colonne)
{
    return base.valeur("SELECT count(*) FROM pragma_table_info(?) WHERE name = ?", {table, colonne}) != "0";
}
} // namespace detail

// Replaces what was kept for the competition by the events of the file. Each event is kept with
// its ages; an event open to all under both sexes' codes (a relay under the mixed relay's). Events
// that fall on one code with the same ages (a mixed relay and a relay open to all), or a later
// round (final, semi-final, quarter-final, swim-off) whose ages meet those of one kept before it,
// keep the first in the file, the round one enters; the others are returned.
inline std::vector<EpreuveNonGardee> Memoriser_ids_organisateur(BaseEchange& base, const QString& numCompet,
                                                                const ReunionOrganisateur& reunion,
                                                                const std::vector<Epreuve>& epreuves)
{
    const qint64 compet = numCompet.toLongLong();
    // Bases of earlier versions kept one event per code, without ages: their rows are carried over.
    const bool ancienne = base.valeur("SELECT count(*) FROM sqlite_master WHERE name = 'Lenex_epreuve'") != "0"
                          && !detail::A_colonne(base, "Lenex_epreuve", "Age_min");
    if (ancienne) {
        Requete r(base.db(), "ALTER TABLE Lenex_epreuve RENAME TO Lenex_epreuve_avant");
        Executer(r, {});
    }
    for (const char* sql : {"CREATE TABLE IF NOT EXISTS Lenex_reunion (Num_compet INTEGER PRIMARY KEY, Nation TEXT, Date_age TEXT, "
                            "Type_age TEXT, Eventid_max INTEGER, Numero_max INTEGER)",
                            "CREATE TABLE IF NOT EXISTS Lenex_epreuve (Num_compet INTEGER NOT NULL, Code_epreuve INTEGER NOT NULL, "
                            "Eventid TEXT NOT NULL, Numero TEXT, Genre TEXT, Tour TEXT, Age_min INTEGER NOT NULL DEFAULT -1, "
                            "Age_max INTEGER NOT NULL DEFAULT -1, Age_total_min INTEGER NOT NULL DEFAULT -1, "
                            "Age_total_max INTEGER NOT NULL DEFAULT -1, "
                            "PRIMARY KEY (Num_compet, Code_epreuve, Age_min, Age_max, Age_total_min, Age_total_max))"}) {
        Requete r(base.db(), sql);
        Executer(r, {});
    }
    if (ancienne)
        for (const char* sql : {"INSERT INTO Lenex_epreuve (Num_compet, Code_epreuve, Eventid, Numero, Genre, Tour) "
                                "SELECT Num_compet, Code_epreuve, Eventid, Numero, Genre, Tour FROM Lenex_epreuve_avant ORDER BY rowid",
                                "DROP TABLE Lenex_epreuve_avant"}) {
            Requete r(base.db(), sql);
            Executer(r, {});
        }
    if (!detail::A_colonne(base, "Lenex_reunion", "Date_age"))
        for (const char* sql : {"ALTER TABLE Lenex_reunion ADD COLUMN Date_age TEXT", "ALTER TABLE Lenex_reunion ADD COLUMN Type_age TEXT",
                                "ALTER TABLE Lenex_reunion ADD COLUMN Eventid_max INTEGER",
                                "ALTER TABLE Lenex_reunion ADD COLUMN Numero_max INTEGER"}) {
            Requete r(base.db(), sql);
            Executer(r, {});
        }
    for (const char* sql : {"DELETE FROM Lenex_reunion WHERE Num_compet = ?", "DELETE FROM Lenex_epreuve WHERE Num_compet = ?"}) {
        Requete r(base.db(), sql);
        Executer(r, {compet});
    }
    // Our own events are numbered after every id and number of the file, kept or not.
    qint64 idMax = 0, numeroMax = 0;
    for (const Epreuve& e : epreuves) {
        idMax = std::max(idMax, e.id.trimmed().toLongLong());
        numeroMax = std::max(numeroMax, e.numero.trimmed().toLongLong());
    }
    Requete ins(base.db(), "INSERT INTO Lenex_reunion (Num_compet, Nation, Date_age, Type_age, Eventid_max, Numero_max) "
                           "VALUES (?, ?, ?, ?, ?, ?)");
    Executer(ins, {compet, reunion.nation, reunion.dateAge, reunion.typeAge, idMax, numeroMax});
    const Catalogue catalogue(base);
    Requete epreuve(base.db(), "INSERT INTO Lenex_epreuve (Num_compet, Code_epreuve, Eventid, Numero, Genre, Tour, Age_min, Age_max, "
                               "Age_total_min, Age_total_max) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    std::map<int, std::vector<const Epreuve*>> gardees;
    std::vector<EpreuveNonGardee> nonGardees;
    for (const Epreuve& e : epreuves) {
        const QList<int> codes = catalogue.codes(e);
        if (codes.isEmpty())
            continue; // named by the programme
        if (e.id.isEmpty()) {
            nonGardees.push_back({&e, nullptr});
            continue;
        }
        const Epreuve* avant = nullptr;
        bool gardee = false;
        for (const int code : codes) {
            std::vector<const Epreuve*>& v = gardees[code];
            const bool tourSuivant = QStringList{"FIN", "SEM", "QUA", "SOP"}.contains(e.tour.trimmed().toUpper());
            const auto meme = std::find_if(v.begin(), v.end(), [&](const Epreuve* g) {
                return g->ages == e.ages || (tourSuivant && g->ages.communes(e.ages));
            });
            if (meme != v.end()) {
                avant = *meme;
                continue;
            }
            v.push_back(&e);
            gardee = true;
            Executer(epreuve, {compet, code, e.id, e.numero, e.genre.toUpper(), e.tour.toUpper(), e.ages.min(), e.ages.max(),
                               e.ages.totalMin(), e.ages.totalMax()});
        }
        if (!gardee)
            nonGardees.push_back({&e, avant});
    }
    return nonGardees;
}

// What was kept for the competition; nothing for a competition typed by hand. A base of an earlier
// version holds neither ages nor the file's highest ids.
inline IdsOrganisateur Lire_ids_organisateur(const BaseEchange& base, qint64 compet)
{
    IdsOrganisateur ids;
    if (base.valeur("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('Lenex_reunion', 'Lenex_epreuve')") != "2")
        return ids;
    {
        Requete r(base.db(), QString("SELECT Nation, ")
                                 + (detail::A_colonne(base, "Lenex_reunion", "Date_age") ? "Date_age, Type_age, Eventid_max, Numero_max"
                                                                                       : "NULL, NULL, 0, 0")
                                 + " FROM Lenex_reunion WHERE Num_compet = ?");
        r.lier({compet});
        if (r.suivante()) {
            ids.reunion = {Valeur_brute(r, 0).trimmed(), Valeur_brute(r, 1).trimmed(), Valeur_brute(r, 2).trimmed().toUpper()};
            ids.idMax = Valeur_brute(r, 3).toLongLong();
            ids.numeroMax = Valeur_brute(r, 4).toLongLong();
        }
    }
    Requete r(base.db(), QString("SELECT Code_epreuve, Eventid, Numero, Genre, Tour, ")
                             + (detail::A_colonne(base, "Lenex_epreuve", "Age_min") ? "Age_min, Age_max, Age_total_min, Age_total_max"
                                                                                   : "-1, -1, -1, -1")
                             + " FROM Lenex_epreuve WHERE Num_compet = ? ORDER BY rowid");
    r.lier({compet});
    while (r.suivante())
        ids.epreuves[Valeur_brute(r, 0).toInt()].push_back(
            {Valeur_brute(r, 1), Valeur_brute(r, 2), Valeur_brute(r, 3), Valeur_brute(r, 4),
             Ages(Valeur_brute(r, 5).toInt(), Valeur_brute(r, 6).toInt(), Valeur_brute(r, 7).toInt(), Valeur_brute(r, 8).toInt())});
    return ids;
}

} // namespace Lenex
