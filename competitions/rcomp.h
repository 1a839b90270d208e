#pragma once
// The competitions table: writing and reading a competition, closing the competitions whose start
// has come, the backup taken before a deletion, the competition made for an import, the filling
// of a competition list and the menu locks of the competition windows.

#include "core/fenetres.h"

#include <QString>
#include <QStringList>

class QTreeWidget;

// The 13 values of a competition, in the order Ajouter_compet and Modifier_compet take them.
enum ValeurCompet {
    VC_Num,
    VC_Type,
    VC_Nom,
    VC_Debut,
    VC_Fin,
    VC_Lieu,
    VC_Longueur,
    VC_Nb_couloir,
    VC_Codif_fede,
    VC_Codif_inter,
    VC_Codif_reg,
    VC_Codif_depar,
    VC_Num_Piscine,
    NB_VALEURS_COMPET
};

// Inserts a competition (quotes of the name and the place doubled here). False on any error,
// a non-numeric length, lane count or pool included; nothing is shown.
bool Ajouter_compet(const QStringList& valeurs);
// Rewrites competition cle; the caller has doubled the quotes. False on any error.
bool Modifier_compet(const QStringList& valeurs, const QString& cle);
// One column of competition cle ("" for Null). Throws when there is no such competition.
QString Lire_champ_compet(const QString& colonne, const QString& cle);
QString Lire_debut_compet(const QString& cle);
int Lire_longueur_compet(const QString& cle);

// Competitions whose start date has come are marked held and hidden.
void Cloturer_compet_passees();
// Copies the competitions (keys joined by ", ") into Rcomp_tempo before they are hidden.
// Reports a failure and returns false.
bool Sauver_compet_tempo(const QString& cles);
// A new held, visible competition without pool for an import; its key, or "" on failure.
QString Creer_compet_import();
// Removes a competition made for an import that did not take place, with every row that names
// it, so that the base is as it was. Reports a failure and returns false.
bool Retirer_compet_import(const QString& cle);

// Fills a competition list (Num, then Nom, Lieu and the dates) and its hidden key list from a
// query selecting AutoNum, Num, Nom, Debut, Fin, Lieu.
void Remplir_info_compet(QTreeWidget* liste, QTreeWidget* cles, const QString& sql);
// "d/mm - d/mm/yyyy"; a side that is not a date stays empty.
QString Dates_compet(const QString& debut, const QString& fin);

// The menu locks the competition list takes for a mode and gives back when it closes.
VerrousMenus Verrous_liste_compet(const QString& mode);
// The locks the new-competition command takes and its detail window gives back.
const VerrousMenus& Verrous_nouvelle_compet();
