#pragma once
// What the user may type into a text box, and the file, folder and printer dialogs.

#include "core/services.h"

#include <QString>
#include <functional>

class QLineEdit;
class QPrinter;

// ---- Key filters ---------------------------------------------------------------------------
// Each takes a typed character code and returns the code to keep, 0 to swallow the key.

// Backspace and digits.
int Filtrer_chiffre(int code);
// Backspace, digits and "," (decimals are typed with a comma).
int Filtrer_decimal(int code);
// The character upper-cased (also written back) when it is then A-Z or a digit; Backspace and
// Enter kept; anything else, accented letters included, swallowed.
int Filtrer_majuscule(int& code);

// A key filter: the code of a typed character to the code kept, 0 to refuse it.
using FiltreTouche = std::function<int(int code)>;

// Puts a filter on a text box. Typed characters go through filtreFrappe (which may remember the
// box's state first); text pasted or dropped goes through filtreTexte character by character and
// is refused whole when one of its characters is. Control keys and shortcuts pass untouched.
void Installer_filtre(QLineEdit* boite, FiltreTouche filtreFrappe, FiltreTouche filtreTexte);
// The same filter for both.
void Installer_filtre(QLineEdit* boite, const FiltreTouche& filtre);
void Installer_filtre_chiffre(QLineEdit* boite);
void Installer_filtre_decimal(QLineEdit* boite);
void Installer_filtre_majuscule(QLineEdit* boite);

// The box selects its whole text whenever it receives the focus (by Tab or by a click).
void Installer_selection_au_focus(QLineEdit* boite);

// ---- Common dialogs ------------------------------------------------------------------------

// The chosen path without surrounding blanks and the place (from 1) of the filter chosen; an
// empty path when cancelled. filtre is "Label (*.ext)|*.ext|Label2|*.ext2"; verbe, the accept
// button's caption, says what the file is chosen for.
FichierChoisi Choisir_fichier(const QString& titre, const QString& filtre, bool ouvrir, const QString& verbe);
// False when the user cancels: the caller then stops silently, printing nothing.
bool Choisir_imprimante(QPrinter& imprimante);
