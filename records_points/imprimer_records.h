#pragma once
// The records listed by the records window, as a document from the template "rec.rtf": printed,
// or saved as rich text.

#include <QString>

class QPrinter;
class QTreeWidget;

// Builds the document from the rows of the list as they stand (blank, event, category-opening
// and further record rows). versImprimante: prints on imprimante, asking for a printer when
// none is given (a cancel stops silently, false); otherwise saves to fichier. False when the
// template cannot be had. Throws ErreurExecution when the document cannot be printed or saved.
bool Imprimer_records(QTreeWidget* lsvRecords, const QString& bassinVue, const QString& fichier,
                      bool versImprimante, QPrinter* imprimante);

// One record line: the name in 47 characters, the time right-aligned in 9, the date in 18, then
// the place.
QString Ligne_record(const QString& nom, const QString& tps, const QString& date, const QString& lieu);
