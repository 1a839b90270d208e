#pragma once
// The main window's menu tree. Every item is a QAction whose objectName is its menu name; a
// submenu is a QMenu of that name whose menuAction() carries the same name, so that the base
// state and the menu locks (core/fenetres.h) find every item by name.

class QMainWindow;
class QMenu;
class QString;

// Fills the window's menu bar, and makes the hidden pop-up "Tarifs" (mnuTarifs, with its first
// element mnuTarifsSel_0 "Aucun") that the licence list shows.
void Construire_menus(QMainWindow& fenetre);
