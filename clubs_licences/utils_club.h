#pragma once
// The club store: every write to the table Club goes through here. Other tables name a club by
// its code; the base carries a change of code over to them (trigger of the model base).

#include <QString>
#include <functional>

class QLineEdit;

bool Club_existe(const QString& code, const QString& exclusion, bool bAfficher, QString& message);
void Msg_club_existe(const QString& message);
// "" when no club has that code.
QString Get_num_club(const QString& code);
// False when the code is invalid or the write failed; the user has been told.
bool Ajouter_club(const QString& code, const QString& nom);
bool Modifier_club(const QString& code, const QString& nom, const QString& num, QString message);
// Deletes the clubs matched by the two filters ("Num = 12 or Num = 15" and
// "Code_Club = '12' or Code_Club = '15'"): all or nothing. False after the error message.
bool Supprimer_clubs(const QString& filtreNum, const QString& filtreCode);
void Erreur_sauvegarde_club(const QString& message);
// After a base is opened: forces the creation of a club when none is visible.
void Controler_club();

// The profile loader belongs to the main window's subsystem; it is installed at start-up.
// Creating, modifying and deleting clubs reload the current profile through it.
void Installer_chargeur_profil(std::function<void(bool)> chargeur);
void Recharger_profil_courant();
