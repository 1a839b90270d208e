#pragma once

// The process entry once Qt is up: prepares the process-wide state and shows the main window.
void Main();

// Installs Qt's French texts ("Oui", "Non", "Annuler" on the standard buttons). False when the
// translation file is missing, in which case the buttons stay in English.
bool Installer_traductions_francaises();
