#pragma once
// The program's message boxes: every message goes through these.

#include <QString>

int Afficher_message(const QString& texte, int style, const QString& titre);
// Title "Erreur"; appends the pending run-time error, then clears it.
int Afficher_erreur(const QString& texte);
// Title "Confirmation", Yes/No; style 256 makes "Non" the default. Returns 6 or 7.
int Demander_confirmation(const QString& texte, int style);
int Afficher_information(const QString& texte);
QString Texte_erreur(int numero, const QString& description);
void Erreur_connexion_base(const QString& texte);
void Erreur_chargement_dll(const QString& fichier);
