#pragma once
// Entry tables and their work copies: the backups taken before an entry window opens and the
// copies between a table and its work copy. Keys and table names are passed as text; a database
// error goes up to the caller unless a procedure says otherwise.

#include <QString>

void Sauver_old_equipe_nageur(const QString& cleCompet);
void Sauver_old_nb_equipe(const QString& cleCompet);
void Copier_engag_table(const QString& cleCompet, const QString& source, const QString& destination);
void Copier_relais_table(const QString& cleCompet, const QString& source, const QString& destination);
