#include "entries/utils_engag.h"

// Stand-ins until the entry tables module is built: nothing is copied yet.
void Sauver_old_equipe_nageur(const QString&) {}
void Sauver_old_nb_equipe(const QString&) {}
void Copier_engag_table(const QString&, const QString&, const QString&) {}
void Copier_relais_table(const QString&, const QString&, const QString&) {}
void Sauver_old_equipe_nageur_modele(const QString&) {}
void Sauver_old_nb_equipe_modele(const QString&) {}
void Restaurer_old_equipe(const QString&, const QString&) {}
void Restaurer_old_nb_equipe(const QString&, const QString&) {}
void Supprimer_lignes_engag(const QString&, const QString&) {}
bool Copier_modele_vers_tempo(const QString&) { return false; }
void Copier_tempo_vers_modele(const QString&) {}
bool Creer_modele_depuis_engag(const QString&, const QString&) { return false; }
bool Appliquer_modele(const QString&, const QString&) { return false; }
