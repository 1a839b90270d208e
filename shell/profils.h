#pragma once
// The profile store: a profile is a named working context linked to one club (or selection of
// clubs). Exactly one profile is current; its club and settings fill the current-context
// globals, which almost every query of the program filters by.

#include <QString>
#include <QStringList>

// Loads the current profile into the globals; with bSuivi the performance-monitor settings are
// read and applied too. When no profile is current, a forced dialog makes the user create or
// choose one, unless bForcerChoix is false (the forced dialogs themselves reload that way, so
// that they never open inside one another). Last, the status bar and the "Votre Club" menu
// follow the loaded club. Database errors go to the caller.
void Charger_profil_courant(bool bSuivi, bool bForcerChoix = true);
// Empties the current-context globals (profile, club, selection flag, monitor settings): a
// closed base, or one without a current profile, leaves nothing of the last profile in use.
void Oublier_profil_courant();
// The text of the status bar's profile panel.
QString Texte_panneau_profil();

// Inserts a profile; an error is reported here. True when the row was written.
bool Ajouter_profil(const QString& codeClub, const QString& nom);

// True when another profile than numExclu (empty: none) has that name, case ignored.
bool Nom_profil_existe(const QString& nom, const QString& numExclu = QString());
// True when a visible club has that code, case ignored.
bool Club_profil_existe(const QString& codeClub);
// Checks a profile about to be written: a unique name and a club that exists. False after the
// message; nothing is written.
bool Controler_profil(const QString& nom, const QString& codeClub, const QString& numExclu = QString());

// Creates a profile after the checks; the first profile of the base becomes current and is
// loaded. False when refused (the window stays open); true once the window may close, an
// insertion error included (it has been reported).
bool Creer_profil(const QString& nom, const QString& codeClub);
// Makes the profile of that name the only current one and sets strNomProfil. A profile whose
// club no longer exists is refused with a message (false): it could never be loaded.
bool Choisir_profil(const QString& nom);
// Renames a profile and links it to a club, in one transaction. Linking it to another club
// deletes its entries, team counts, entered swimmers, entry templates (with their content) and
// relays: they name swimmers of the former club.
void Modifier_profil(const QString& num, const QString& nom, const QString& codeClub);
// Deletes these profiles (their numbers); nothing when the list is empty.
void Supprimer_profils(const QStringList& nums);

// Installs the profile loader among the steps that follow the opening of a base.
void Installer_etapes_profil();
