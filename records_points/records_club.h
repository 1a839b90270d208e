#pragma once
// The club records and their categories in the base: the category save with its re-filing and
// purge, and the writing and checking of one record. Every value reaches SQL bound, so labels
// and names with an apostrophe ("Moins d'11 ans") are stored and found like any other.

#include "core/base.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// ---- Categories ----------------------------------------------------------------------------

struct CategorieRecord {
    QString libelle;
    int ageInf = 0;
    int ageSup = 0;
    QString sexe; // "Homme", "Femme" or "Mixte"
};

// Ages are typed in three digits at most.
constexpr int LongueurAgeMax = 3;

// True when min or max lies inside the range (bounds included) of a row of the same sex, the
// row at place ignoree (from 1) left out.
bool Bornes_deja_comprises(const QList<CategorieRecord>& lignes, int ignoree, int min, int max, const QString& sexe);
// Place (from 1) that keeps the rows ordered by lower age, then sex word.
int Position_categorie(const QList<CategorieRecord>& lignes, int min, const QString& sexe);

// The club's categories, by lower age then sex.
QList<CategorieRecord> Lire_categories(const QString& club);
// The records that saving these rows would leave without a category: those of a stored
// category whose sex has no new category reaching its upper age.
int Compter_records_orphelins(const QString& club, const QList<CategorieRecord>& lignes);
// Replaces the club's categories by the rows (every one gets a new key), re-files each stored
// category's records under the first new category of its sex, by lower age then narrowest, that
// reaches its upper age, purges the superseded records and drops the records left without a
// category. All or nothing: throws ErreurExecution after undoing everything.
void Enregistrer_categories(const QString& club, const QList<CategorieRecord>& lignes);
// Deletes the category's records that a row of the same pool and event, at least as fast and
// dated earlier, supersedes. A negative time, which cannot be swum, supersedes nothing and stays.
void Purger_records_categorie(qint64 numCat);

// ---- Records -------------------------------------------------------------------------------

constexpr int NbRelayeurs = 10;

struct RecordSaisi {
    QString tps;  // M.SSCC
    QString nom;
    QString prenom;
    QString date; // yyyymmdd
    QString lieu;
    QStringList relayeurs; // in leg order; missing legs are stored as " "
};

// The records of a category label, event and pool, fastest first: Num_auto, Tps, Nom, Prenom,
// Date_perf, Lieu, Rel1..Rel10. A negative time, which cannot be swum, is no record, here or in
// the check below.
QList<QStringList> Records_categorie(const QString& club, const QString& libelle, int codeNage, int bassin);
// False when the record of that rank (1 the current one) exists and is faster than tps or
// dated after date.
bool Record_precedent_respecte(const QString& club, const QString& libelle, int codeNage, int bassin, int rang,
                               const QString& tps, const QString& date);
// Adds a complete record in one statement; returns its key. Throws ErreurExecution.
QString Inserer_record(qint64 numCat, int codeNage, int bassin, const RecordSaisi& record);
// Writes the fields into the record of that key. Throws ErreurExecution.
void Enregistrer_record(const QString& cle, const RecordSaisi& record);
