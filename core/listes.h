#pragma once
// Lists of rows (QTreeWidget) and groups of controls. Rows are counted from 1; sub-item k of a
// row is its column k, the row's text being column 0. Hidden lists keep keys parallel to the
// visible ones, row for row.

#include <QList>
#include <QString>
#include <qnamespace.h>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// ---- Rows ----------------------------------------------------------------------------------

// A report-style list with its column titles: flat, whole rows selected, one at a time; its
// columns fit their values (Colonnes_a_la_mesure).
QTreeWidget* Creer_liste_rapport(QWidget* parent, const QString& nom, const QStringList& colonnes);
// From now on every column of the list is at least as wide as its widest value and its heading
// need: the width a window gives a column is the least it gets, never a reason to cut a value.
// Columns widen again when rows come or change, or when the window narrows them; a column the
// user drags narrower stays so until the values change. When rows come or change, or the list
// shows, and its columns end past its view, its window grows (Elargir_pour_liste).
void Colonnes_a_la_mesure(QTreeWidget* liste);
// The width of the list's view that its columns have: less the vertical scroll bar once its rows
// need one, even before the bar shows.
int Largeur_vue(const QTreeWidget* liste);
// The width a column of the list needs to show every value and its heading whole.
int Largeur_contenu_colonne(const QTreeWidget* liste, int colonne);
// The same for several columns, in one pass over the rows.
QList<int> Largeurs_contenu(const QTreeWidget* liste, const QList<int>& colonnes);
// The columns from `premiere` on show their values with this alignment, on every row: one
// setting for the list rather than one per cell, which long lists fill and free far faster.
void Aligner_colonnes(QTreeWidget* liste, int premiere, Qt::Alignment alignement);
// Row i (from 1), nullptr outside the list.
QTreeWidgetItem* Ligne(QTreeWidget* liste, int index);
// The place (from 1) of a row, 0 for none.
int Index_ligne(QTreeWidget* liste, QTreeWidgetItem* ligne);
// The current row's place, 0 when there is none.
int Ligne_courante(QTreeWidget* liste);
int Nombre_lignes(QTreeWidget* liste);
// Adds a row: its text, then its sub-items.
QTreeWidgetItem* Ajouter_ligne(QTreeWidget* liste, const QStringList& colonnes);

// ---- Status and text boxes -----------------------------------------------------------------

// The whole text selected, so that typing replaces it.
void Selectionner_texte(QLineEdit* boite);
// The box never gets narrower than the room its longest text (its maximum length) needs.
void Largeur_pour_longueur(QLineEdit* boite);
// Adds the step to the bar, up to 100.
void Avancer_progression(QProgressBar* barre, double pas);

// ---- Filling from a query ------------------------------------------------------------------

// Fills lists from one SELECT: list i gets one row per result row, its text from result column
// colonnes[i][0] and sub-item k from colonnes[i][k]. A list without columns gets no rows. Every
// occurrence of texteARetirer is taken out of the values.
void Remplir_listes(const QString& sql, const QList<QTreeWidget*>& listes, const QList<QList<int>>& colonnes,
                    const QString& texteARetirer);
void Remplir_combo_requete(QComboBox* combo, const QString& sql);

// ---- Finding and selecting -----------------------------------------------------------------

// The place of the first row from debut (row 1 when out of the list) whose text, or sub-item
// sousElement when it is 1 or more, matches: the whole text, or its beginning when partiel is 1
// or more; case is ignored. -1 when none, 0 on error.
int Chercher_element(const QString& texte, QTreeWidget* liste, int partiel, int sousElement, int debut);
// The same from the first row; 1 when none.
int Chercher_element_texte(const QString& texte, QTreeWidget* liste, int partiel, int sousElement);
// Quick search: the first row of cherchee beginning with the text; the row of the same place in
// affichee is selected and shown. -1 when none.
int Selectionner_par_texte(const QString& texte, QTreeWidget* cherchee, QTreeWidget* affichee);
// Selects row index (0: the current row, or row 1) and scrolls it into view.
void Selectionner_element(QTreeWidget* liste, int index);
// The same, the row shown at the top of the list.
void Afficher_element(QTreeWidget* liste, int index);
// Selects the current row again and shows it; stops the timer when one is given.
void Garder_selection(QTreeWidget* liste, QTimer* timer = nullptr);
// Garder_selection once the events under way are handled (after a double click's own work).
void Garder_selection_differee(QTreeWidget* liste);
// Return (or Enter) on a row does what a double click on it does.
void Entree_comme_double_clic(QTreeWidget* liste);
// The shift state of the list windows' key handlers: 1 Shift, 2 Ctrl, 4 Alt.
int Etat_shift(Qt::KeyboardModifiers modificateurs);
// Ctrl+A (code 65, shift 2) selects every row of a list that takes several. True when done.
bool Selectionner_tout(QTreeWidget* liste, int codeTouche, int shift);
// Selects in the parallel list the row of the same place as the source's current row.
void Selectionner_tous(QTreeWidget* source, QTreeWidget* parallele);

// ---- Moving, copying and removing rows -----------------------------------------------------

// Moves the current row by decalage (-1 up, +1 down) unless it stands at the limit.
void Deplacer_elements(QTreeWidget* liste, int limite, int decalage);
// Appends to cible a copy of row index of source; returns the new row's place.
int Copier_element(QTreeWidget* source, QTreeWidget* cible, int index);
// Removes the rows selected in the deciding list (source when selectionSource, else the
// parallel list) from source and the parallel list; each row's key (column colonneCle - 1 of
// source) goes into retires when given. Returns the keys joined by ", ". When nothing is left,
// the button is disabled and the deciding list leaves the Tab order.
QString Retirer_selection(QTreeWidget* source, QTreeWidget* parallele, QTreeWidget* retires, QWidget* bouton,
                          bool selectionSource, int colonneCle);

// ---- Check boxes ---------------------------------------------------------------------------

int Nombre_coches(QTreeWidget* liste);
void Cocher_tous(QTreeWidget* liste, bool coche);
// With the status text shown, checks every row when the box is ticked.
void Cocher_tous_statut(QTreeWidget* liste, QCheckBox* case_, const QString& statut);

// ---- Combos --------------------------------------------------------------------------------

// "Individuel", then "Equipe n Homme", "Equipe n Femme", "Equipe n Mixte"; selects libelle.
void Remplir_combo_equipes(QComboBox* combo, const QString& hommes, const QString& femmes, const QString& mixtes,
                           const QString& libelle);
// Empties the combo and disables it until it is filled again.
void Preparer_combo(QComboBox* combo);

// ---- Groups of controls --------------------------------------------------------------------

void Vider_textes(const QList<QWidget*>& controles);
// Out of the Tab order (still reachable by a click), or back in it.
void Fixer_tabstop(const QList<QWidget*>& controles, bool b);
void Fixer_enabled(const QList<QWidget*>& controles, bool b);
void Fixer_visible(const QList<QWidget*>& controles, bool b);
// Every option unset, and enabled or not.
void Reinitialiser_options(const QList<QAbstractButton*>& options, bool b);
// The place of the first set option, or the default.
int Option_choisie(const QList<QAbstractButton*>& options, int defaut);
// "25" sets the first pool option, "50" the second; anything else changes nothing.
void Cocher_option_bassin(const QString& longueur, QAbstractButton* option25, QAbstractButton* option50);

// ---- SQL conditions and export -------------------------------------------------------------

// From every row's text: "col = 'a' or col = 'b'" (quotes doubled) and "num = a or num = b".
void Filtre_selection(QTreeWidget* liste, QString& conditionTexte, QString& conditionNombre,
                      const QString& colonneTexte, const QString& colonneNombre);
// Writes the list to a tab-separated text file (CRLF): the title when given, the column headers,
// then one line per row. Windows-1252 when every character fits, else UTF-8 with a byte order
// mark, so that no name is lost. Errors are reported here.
void Exporter_liste(const QString& chemin, QTreeWidget* liste, const QString& titre);
