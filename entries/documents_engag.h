#pragma once
// The entry documents: the entry slip of a competition ("bor_engag.rtf") and the convocation
// letters of its swimmers ("convo.rtf"), composed in the hidden report window and printed.

#include <QString>

class BoiteRiche;
class QPrinter;
class QTreeWidget;

// ---- Column formats --------------------------------------------------------------------------

// The event label cut or padded to the width; "Dames " and "Messieurs " taken out first when asked.
QString Format_libelle_nage(const QString& libelle, int largeur, bool retirerSexe);
// A convocation's team column: empty for the individual entries, else five blanks, the number
// in 5 and, for a mixed team, "X" in 4.
QString Format_equipe(const QString& equipe, bool mixte);
// A time as printed: its display form right-aligned in 8, blanks for a zero time.
QString Format_temps_engag(const QString& temps);
// The member lines of a relay from its legs' keys (tab-separated): a tab, name, first name and
// the licence text in brackets; a key that finds no visible swimmer gives nothing.
QString Format_nageurs_relais(const QString& cles);
// "Individuel", "Mixte", "Homme" or "Femme".
QString Get_categorie_engag(const QString& equipe, bool mixte, const QString& sexe);

// ---- Blocks shared by both documents ---------------------------------------------------------

void Ecrire_info_club(BoiteRiche& boite);
// The competition's first row from the query: name, dates, place, pool length and, with the
// pool, its name, address, postal code and town.
void Ecrire_info_compet(BoiteRiche& boite, bool avecPiscine, const QString& sql);
// Writes the heading of a new team or category and remembers it; true when it wrote one.
bool Ecrire_entete_equipe(QString& equipePrecedente, const QString& equipe, QString& categoriePrecedente,
                          const QString& categorie, BoiteRiche& boite);

// ---- The documents ---------------------------------------------------------------------------

// Asks for the printer, composes the current profile's entry slip of the competition and prints
// it. A cancelled printer dialog stops silently.
void Imprimer_bordereau_engag(const QString& cleCompet);
// Loads "convo.rtf" into the report window's template box and fills what every letter shares:
// club, competition and pool, the personal message with its formats, the programme when wanted.
bool Preparer_modele_convocation(BoiteRiche& message, const QString& cleCompet, bool programme);
// One letter per checked swimmer of the list, from the prepared template, all printed on the
// printer in one job, a letter a page at least.
void Imprimer_convocations(QTreeWidget* nageurs, QTreeWidget* infos, const QString& cleCompet, QPrinter& imprimante,
                           bool coupon, const QString& dateReponse);
