#pragma once
// The software update: a package "maj_soft_<name>.zip" holds "maj.txt" (one file name a line,
// quotes allowed) and the files it names. Each named file replaces the one of the application
// folder (component libraries: of its "composants" folder). Nothing is registered on this
// platform; a replaced component is taken at the next start.

#include <QString>

// mnuMajLogiciel: the package dialog, then the update.
void mnuMajLogiciel_Click();
// The update from a chosen package.
void Mettre_a_jour_logiciel(const QString& package);
// The items of a "maj.txt": blank lines skipped, one pair of surrounding quotes removed.
QStringList Lire_liste_maj(const QString& fichier);
// The folder an updated file goes to.
QString Dossier_installation(const QString& nomFichier);
