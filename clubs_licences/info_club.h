#pragma once
// The own club's contact data, officials, activities and tariffs.
//
// A list of rows of one club is replaced without a transaction: the old rows are marked Suppr,
// the new ones inserted, then the marked rows deleted; on a failed insert the new rows are
// deleted and the mark taken off again. Readers only see unmarked rows, so the user never sees
// the old and the new list mixed, and a failure loses nothing.
//
// Every procedure reports its own failure to the user and returns false, except Club_a_tarifs.

#include <QString>
#include <functional>

// One of the three tables and the words its messages use.
struct TableClub {
    QString table;
    QString libelle; // plural, as the messages name the rows
    bool feminin;
};
const TableClub& Table_dirigeants();
const TableClub& Table_activites();
const TableClub& Table_tarifs();

// The contact columns of the club row num.
bool Sauver_coordonnees_club(const QString& num, const QString& adresse, const QString& codePostal,
                             const QString& ville, const QString& telephone, const QString& fax, const QString& mail);

bool Marquer_suppr_table_club(const QString& table, const QString& libelle, const QString& code, bool feminin);
bool Restaurer_table_club(const QString& table, const QString& libelle, const QString& code, bool feminin);
// libelleLigne names the row in the error message ("Président pour Durand").
bool Ajouter_dirigeant(const QString& code, const QString& libelleLigne, const QString& fonction, const QString& nom,
                       const QString& tel1, const QString& tel2, const QString& mail);
// The amount as typed or as read: written as a number when it reads as one other than 0. A form
// never takes 0; an amount the store holds as Null or as text goes back as it was, never as 0.
bool Ajouter_tarif(const QString& code, const QString& intitule, const QString& montant);
bool Ajouter_activite(const QString& code, const QString& activite, const QString& responsable);
// condition is SQL built by the caller; libelle completes "Erreur lors de la suppression des ".
bool Supprimer_lignes_table(const QString& table, const QString& condition, const QString& libelle);

// Deletes the marked rows after a successful insert, or the new rows and the mark after a
// failed one. True when the new rows are the club's rows.
bool Finir_sauvegarde_table(bool succes, const TableClub& table, const QString& code);
// The whole replacement of the club's rows of a table. inserer adds the new rows and returns
// false at the first insert that fails. A failed mark leaves the table as it was.
bool Remplacer_lignes_club(const TableClub& table, const QString& code, const std::function<bool()>& inserer);

// True when the club has any tariff row. Errors reach the caller.
bool Club_a_tarifs(const QString& code);
// The licences of the current club whose tariff no longer exists get an empty tariff; a Null
// tariff stays Null.
void Purger_tarifs_invalides();
