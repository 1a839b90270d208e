#pragma once
// The printed results and their rich-text file, filled into the template "rescomp.rtf":
// one line per result, the split times under it, the headings in bold.

#include "results/donnees_resultats.h"

#include <functional>

class QPrinter;

// The report line of a result row (without the line break).
QString Ligne_rapport_resultat(const DonneesResultats& d, const QStringList& ligne);
// The split line over the event's first nbInter split cells: one text, or two when the event
// has 8 splits or more (broken after half of them, rounded half to even). Empty when every
// cell is blank.
QStringList Lignes_inter_rapport(const DonneesResultats& d, const QStringList& ligne, int nbInter);

// Asks for the printer, then prints one job per event; a printer that writes to a file gets
// one job, each event from a new page. A cancelled dialog stops silently.
// apresTache, when given, runs after each job with its number (from 1).
// Returns the number of jobs printed.
int Imprimer_resultats(const DonneesResultats& d, const std::function<void(int)>& apresTache = {});
// The same report as one rich-text file. Throws ErreurExecution when it cannot be written.
bool Enregistrer_resultats_rtf(const DonneesResultats& d, const QString& chemin);
