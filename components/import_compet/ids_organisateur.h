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
};

struct IdsOrganisateur {
    QString nation;
    std::map<int, EpreuveOrganisateur> epreuves; // by our event code
};

// Replaces what was kept for the competition by the events of the file. An event open to all
// is kept under both sexes' codes (a relay under the mixed relay's); a code two events share
// keeps the first in the file, the round one enters.
inline void Memoriser_ids_organisateur(BaseEchange& base, const QString& numCompet, const QString& nation,
                                       const std::vector<Epreuve>& epreuves)
{
    const qint64 compet = numCompet.toLongLong();
    for (const char* sql : {"CREATE TABLE IF NOT EXISTS Lenex_reunion (Num_compet INTEGER PRIMARY KEY, Nation TEXT)",
                            "CREATE TABLE IF NOT EXISTS Lenex_epreuve (Num_compet INTEGER NOT NULL, Code_epreuve INTEGER NOT NULL, "
                            "Eventid TEXT NOT NULL, Numero TEXT, Genre TEXT, Tour TEXT, PRIMARY KEY (Num_compet, Code_epreuve))",
                            "DELETE FROM Lenex_reunion WHERE Num_compet = ?", "DELETE FROM Lenex_epreuve WHERE Num_compet = ?"}) {
        Requete r(base.db(), sql);
        Executer(r, QString(sql).contains('?') ? QVariantList{compet} : QVariantList{});
    }
    Requete reunion(base.db(), "INSERT INTO Lenex_reunion (Num_compet, Nation) VALUES (?, ?)");
    Executer(reunion, {compet, nation});
    const Catalogue catalogue(base);
    Requete ins(base.db(), "INSERT OR IGNORE INTO Lenex_epreuve (Num_compet, Code_epreuve, Eventid, Numero, Genre, Tour) "
                           "VALUES (?, ?, ?, ?, ?, ?)");
    for (const Epreuve& e : epreuves)
        if (!e.id.isEmpty())
            for (const int code : catalogue.codes(e))
                Executer(ins, {compet, code, e.id, e.numero, e.genre.toUpper(), e.tour.toUpper()});
}

// What was kept for the competition; nothing for a competition typed by hand.
inline IdsOrganisateur Lire_ids_organisateur(const BaseEchange& base, qint64 compet)
{
    IdsOrganisateur ids;
    if (base.valeur("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('Lenex_reunion', 'Lenex_epreuve')") != "2")
        return ids;
    ids.nation = base.valeur("SELECT Nation FROM Lenex_reunion WHERE Num_compet = ?", {compet}).trimmed();
    Requete r(base.db(), "SELECT Code_epreuve, Eventid, Numero, Genre, Tour FROM Lenex_epreuve WHERE Num_compet = ?");
    r.lier({compet});
    while (r.suivante())
        ids.epreuves[Valeur_brute(r, 0).toInt()] = {Valeur_brute(r, 1), Valeur_brute(r, 2), Valeur_brute(r, 3), Valeur_brute(r, 4)};
    return ids;
}

} // namespace Lenex
