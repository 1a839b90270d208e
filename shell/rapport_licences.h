#pragma once
// The licence report: one line per licensed swimmer of the current club (or selection), on the
// "rptlic" template, printed on the printer the user chooses.

#include <QString>

// One swimmer's line, ended by a line break: name 25, first name 20, number 7, nationality,
// sex and birth date right-aligned; values longer than their column are cut.
QString Ligne_rapport_licence(const QString& nom, const QString& prenom, const QString& licence,
                              const QString& nationalite, const QString& sexe, const QString& dateNaissance);

// Prints the report, or saves it as RTF at cheminRtf when one is given. False when the user
// cancelled the printer, the template could not be loaded or the base failed (after a message).
bool Imprimer_rapport_licences(const QString& cheminRtf = QString());
