#pragma once
// The commands of the "&Base" menu: create, open, save, undo, close, delete, archive and
// compact a base file, and quit. They drive the protection of core/sauvegarde.h (backup file,
// clean-close flag, work tables) and bring older bases up to the schema the program needs.

#include <QString>

void mnuBaseNew_Click();
void mnuBaseOpen_Click();
void mnuBaseSave_Click();
void mnuBaseAnnuler_Click();
void mnuBaseClose_Click();
void mnuBaseSuppr_Click();
void mnuBaseArchive_Click();
void mnuBaseCompacter_Click();
void mnuExit_Click();

// No base is open any more: its profile, the monitor and the profile's panel of the status bar
// go with it.
void Oublier_contexte_base();

// Saving, undoing, archiving or upgrading under an entry or licence window would empty or
// replace the work copies that window's "Annuler" puts back: refused, as closing is. True (after
// saying so) when a counted window is open.
bool Refuser_sous_fenetre_ouverte();

// True when the file's extension is exactly "mdb" (the program's bases; "BASE.MDB" is not one).
bool Est_fichier_base(const QString& chemin);

// True when the open base may be used: it has a version, and one below the program's need has
// been upgraded to it (after a backup). A base that cannot be used is closed.
bool Controler_version_base();

// The main window's closing with a base open: "Sauvegarder les données ?", then the base is
// kept as it is or taken back to the last save, and closed; its backup goes.
void Fermer_base_fenetre_principale();
