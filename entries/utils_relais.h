#pragma once
// The relay composition lists shared by the relay entry window and the manual relay
// performance window: a visible list of legs and its hidden list of licence keys, row for row.

class QTreeWidget;

// Columns "Nom", "Prénom", "Licence" (and "Club" in a selection profile) on lv, "NumAuto" on lvNum.
void Init_colonnes_listes_relais(QTreeWidget* lv, QTreeWidget* lvNum);

// Moves lv's selected leg, and its key in lvNum, by step unless it stands at limit (rows from 1).
// Up is (1, -1); down is (number of rows, +1).
void Deplacer_relayeur(QTreeWidget* lv, QTreeWidget* lvNum, int limit, int step);
