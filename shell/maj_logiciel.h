#pragma once
// The software update: files of an update package "maj_soft_*.zip", listed in its "maj.txt",
// replace those of the application folder (component libraries go into its components folder).

#include <QString>

void Mettre_a_jour_logiciel();

// True for a bare file name: not empty, no folder separator, not "." or "..".
bool Nom_fichier_simple(const QString& nom);
