#pragma once
// The current profile's individual entries and their undo during an entry edit. An edit is
// undone without a transaction spanning the window's life: the Old_ columns keep each swimmer's
// team and the numbers of teams as they were, the work tables Engag_tempo and Relais_tempo keep
// a copy of the entry and relay rows, and a swimmer removed during the edit keeps his row with
// the team (0, false) until the edit ends.
//
// Keys and table names are passed as text. Unless said otherwise a database error goes up to the
// caller as ErreurExecution; a procedure that writes more than one statement writes all of them
// or none.

#include "clubs_licences/saison.h"

#include <QString>

// ---- Backups taken before an entry window opens ----------------------------------------------

void Sauver_old_equipe_nageur(const QString& cleCompet);
void Sauver_old_nb_equipe(const QString& cleCompet);
void Sauver_old_equipe_nageur_modele(const QString& cleModele);
void Sauver_old_nb_equipe_modele(const QString& cleModele);

// ---- Restores of a cancel: the table and its condition given by the caller --------------------

void Restaurer_old_equipe(const QString& table, const QString& condition);
void Restaurer_old_nb_equipe(const QString& table, const QString& condition);
void Supprimer_lignes_engag(const QString& table, const QString& condition);

// ---- Copies between a table and its work copy ------------------------------------------------

// Appends the competition's rows of the current profile; deletes nothing first.
void Copier_engag_table(const QString& cleCompet, const QString& source, const QString& destination);
// Replaces the destination's rows of the competition and profile by the source's. Reports its
// own failure and returns false; the destination is then left as it was.
bool Copier_relais_table(const QString& cleCompet, const QString& source, const QString& destination);
// The template's entries into Engag_tempo (the template key in Num_compet); false on error.
bool Copier_modele_vers_tempo(const QString& cleModele);
void Copier_tempo_vers_modele(const QString& cleModele);

// ---- Templates -------------------------------------------------------------------------------

// Copies the current profile's entries, team counts and swimmers of a competition under a
// template, without times nor relays; false on error (nothing written then).
bool Creer_modele_depuis_engag(const QString& cleModele, const QString& cleCompet);
// Replaces the current profile's entries of a competition by a template's: its relays go, in a
// 50 m competition the template's entries in events not swum in a 50 m pool are dropped, every
// template swimmer is taken. While an entry edit of the competition is open the swimmers and
// team counts are changed in place, keeping their Old_ values, and the swimmers not in the
// template are marked removed: a cancel then brings everything back. Outside an edit those
// marked swimmers are deleted at once. false on error (nothing written then).
bool Appliquer_modele(const QString& cleCompet, const QString& cleModele, bool bEditionOuverte = true);

// ---- Relays ----------------------------------------------------------------------------------

// Supprimer_nageur_relais lives with the licences, whose deletion calls it too.

// ---- The edit as a whole ---------------------------------------------------------------------

// One entry edit: a competition of the current profile, or an entry template; its mode is the
// entry window's ("Choix pour engagements", "Modif", "new modele", "View").
struct EditionEngag {
    QString cle;
    bool bModele = false;
    QString strAction;

    // The condition of its rows in the three tables.
    QString condition() const;
    QString tableNageurs() const { return bModele ? "Engag_nageur_modele" : "Engag_nageur"; }
    QString tableEquipes() const { return bModele ? "Engag_equipe_modele" : "Engag_equipe"; }
    QString tableEngag() const { return bModele ? "Engag_modele" : "Engag"; }
};

// Takes the backups and the work copies before the window opens: for a competition the Old_
// columns, Engag_tempo and Relais_tempo; for a template in mode "Modif" its Old_ columns and
// Engag_tempo. A template in "new modele" or "View" takes none. All or nothing.
void Debuter_edition_engag(const EditionEngag& edition);
// Clears what edits left in the base when no window continues them (a session killed during an
// edit and not taken back from its backup): the saved teams and team counts of every
// competition and template. The work tables are core's (Vider_tables_temporaires). All or nothing.
void Oublier_editions_engag_interrompues();
// Puts back what the edit changed ("&Annuler" or the close box). In mode "new modele" the new
// template goes, with whatever content was written for it; in "View" nothing is done.
// All or nothing.
void Annuler_edition_engag(const EditionEngag& edition);
// Ends the edit after "&Ok" or a cancel: purges the removed swimmers, clears the Old_ values and
// empties the work tables (what the mode uses of them). All or nothing.
void Terminer_edition_engag(const EditionEngag& edition);
