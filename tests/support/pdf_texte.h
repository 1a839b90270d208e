#pragma once
// Reading a printed document back: the text of a PDF's pages, laid out as printed.

#include <QString>
#include <QStringList>

// The lines of the PDF's text, page breaks dropped; empty when it cannot be read. Laid out as
// printed (pdftotext -layout), or, for a document in a fixed-width font, column for column
// given the width of one character in points (10-point Courier: 6).
QStringList Texte_pdf(const QString& chemin, double largeurCaractere = 0);
// The text of each page, laid out as printed; empty when it cannot be read.
QStringList Pages_texte_pdf(const QString& chemin);
// Page count of the PDF, 0 when it cannot be read.
int Pages_pdf(const QString& chemin);
