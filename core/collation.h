#pragma once
// Text comparison for every text column: case is ignored, accented letters sort with their
// base letter and only break ties between otherwise equal texts ("élodie" before "Zoé",
// "Dupont" = "DUPONT"). It is registered under the name NOCASE on every connection the
// program opens, so the schema's COLLATE NOCASE columns compare the French way.

#include <QByteArray>

struct sqlite3;

// Registers the comparison on a connection; returns the SQLite result code.
int Enregistrer_collation(sqlite3* db);
// <0, 0, >0 like strcmp, on UTF-8 texts.
int Comparer_textes_francais(const char* a, int la, const char* b, int lb);
