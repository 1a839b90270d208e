#pragma once
// The licence store: the writes of the licence detail window, the small SQL builders the
// swimmer lists share, and the checks run before a licence is written.

#include <QString>
#include <QStringList>

// Number of texts of a licence's value array: the columns Code_club to Code_unique, then
// Tel2 to Date_Ctrl_Medical.
constexpr int NB_VALEURS_LICENCE = 28;

// FROM and WHERE joining Club, Licence and Selection for a selection's swimmers; the caller
// adds its Selection.Code_Sel condition.
void Get_jointure_selection(QString& strFrom, QString& strWhere);

// ORDER BY for the licence lists' column (1 name, 2 first name, 3 number, 4 club in a selection
// or birth date, 5 birth date). A second click on the same column sorts its first key
// descending, a third ascending again. bSansPrefixe drops "Licence." for queries on Licence alone.
QString Get_order_by_licence(int colonne, bool& bTriDesc, int& derniereColonne, bool bSansPrefixe);

// The three writes below report failure by their result only; the caller shows the message.
bool Inserer_licence(const QStringList& valeurs);
// Every value but Code_club: a licence never changes club.
bool Modifier_licence(const QStringList& valeurs, const QString& num);
bool Copier_licence_tempo(const QString& num);

// Key of the club's licence holding the number, hidden ones included; "" when none.
QString Get_num_licence(const QString& codeClub, const QString& numero);
// Replaces the licence's activities by the tab-separated names (empty names skipped).
void Enregistrer_activites_licence(const QString& num, const QString& activites);
// Adds the licence to a selection, or brings it back when it was removed from it.
void Ajouter_licence_selection(const QString& codeSelection, const QString& num);

// Condition of the licences without fee: no tariff chosen, whether saved as "" or as the blank
// and Null of older bases.
QString Condition_licence_sans_tarif();

// Reads one licence: Licence.* by position (0 to 30), then at 31 the name of its nationality,
// or the stored code itself when the code has no Pays row.
QString Requete_lecture_licence(const QString& num);
// Nationality code for the text of the nationality box: the Pays row of that name; else the
// code loaded with the licence when the box still shows it; else "FRA".
QString Code_nationalite(const QString& texte, const QString& codeCharge = QString());

// ---------------------------------------------------------------- checks before a write

// The identity fields as typed in the detail window.
struct SaisieIdentite {
    QString jour, mois, annee; // birth date boxes
    QString numero;            // the five typed digits of the licence number
    QString nom, prenom;
};

// The message of the first failing identity check, "" when all pass.
QString Erreur_saisie_licence(const SaisieIdentite& saisie);
// Runs the identity checks; shows the first failure and returns false.
bool Verifier_saisie_licence(const SaisieIdentite& saisie);

// Rows of the club holding the number, hidden ones not yet freed included; numExclu leaves one
// licence out.
int Compter_numero_licence(const QString& numero, const QString& codeClub, const QString& numExclu = QString());
// The refusal of a number already held in the club; bInsertion adds the new-licence line.
// True when a licence of the club not deleted carries that number.
bool Numero_licence_visible(const QString& numero, const QString& codeClub);
void Afficher_numero_utilise(bool bInsertion);
// Saving an existing licence: false, after the refusal, when its number was changed to one
// another licence of the club holds.
bool Numero_licence_modifiable(const QString& numero, const QString& numeroCharge, const QString& codeClub,
                               const QString& numLicence);
