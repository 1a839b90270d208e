#pragma once
// Entry tables and their work copies: the backups taken before an entry window opens and the
// copies between a table and its work copy. Keys and table names are passed as text; a database
// error goes up to the caller unless a procedure says otherwise.

#include <QString>

void Sauver_old_equipe_nageur(const QString& cleCompet);
void Sauver_old_nb_equipe(const QString& cleCompet);
void Copier_engag_table(const QString& cleCompet, const QString& source, const QString& destination);
void Copier_relais_table(const QString& cleCompet, const QString& source, const QString& destination);
void Sauver_old_equipe_nageur_modele(const QString& cleModele);
void Sauver_old_nb_equipe_modele(const QString& cleModele);
void Restaurer_old_equipe(const QString& table, const QString& condition);
void Restaurer_old_nb_equipe(const QString& table, const QString& condition);
void Supprimer_lignes_engag(const QString& table, const QString& condition);
bool Copier_modele_vers_tempo(const QString& cleModele);
void Copier_tempo_vers_modele(const QString& cleModele);
bool Creer_modele_depuis_engag(const QString& cleModele, const QString& cleCompet);
bool Appliquer_modele(const QString& cleCompet, const QString& cleModele);
