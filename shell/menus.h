#pragma once
// The main window's menu tree. Every item is a QAction whose objectName is its menu name; a
// submenu is a QMenu of that name whose menuAction() carries the same name, so that the state
// procedures and the menu locks find every item by name.

class QAction;
class QMainWindow;
class QMenu;
class QString;

// Fills the window's menu bar, and makes the hidden pop-up "Tarifs" (mnuTarifs, with its first
// element mnuTarifsSel_0 "Aucun") that the licence list shows.
void Construire_menus(QMainWindow& fenetre);

// The item of the main window's menus named nom, or nullptr.
QAction* Action_menu(const QString& nom);

// Enables the menus that need a base (b true) or only those that work without one.
void Etat_menus_base(bool b);
void Menus_base_fermee();
void Menus_base_ouverte();
