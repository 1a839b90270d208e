#pragma once
// Work on many licences at once: the steps run after a base is opened (old numbers freed,
// yearly renewal) and the commit of licence deletions with its purge of entries and relays.
// None of them handles errors: a failed statement reaches the caller, and the statements
// already run stay done.

#include <QString>

// Gives back the numbers of licences deleted more than two years ago: their number becomes the
// text of their key, which never looks like a licence number.
void Liberer_numeros_licences();

// Renews every licence once per season, at the first opening on or after 16 September.
void Renouveler_licences();
// Records the current season's start as the last renewal: a new base renews nothing until the
// season changes.
void Noter_saison_courante();

// Makes pending deletions final and takes the swimmers out of entries, entry templates and
// relays. In a selection (bSelection) the pending removals are the selection's Suppr marks;
// otherwise the licences are listeLicences (an SQL list of keys or a sub-query), or, when it is
// empty, those waiting in Licence_tempo, which then get their Date_suppr.
void Supprimer_engagements_licences(bool bSelection, const QString& codeClub, const QString& listeLicences);

// Puts the placeholder licence in every relay leg held by one of the licences (an SQL list of
// keys or a sub-query). Each other filter is left out when empty: competitions (an SQL list or
// sub-query), team number, mixed flag ("true"/"false"), profile key.
void Supprimer_nageur_relais(const QString& licences, const QString& competitions, const QString& equipe,
                             const QString& mixte, const QString& profil);
