#pragma once
// Rich-text format (RTF) reading and writing for report templates and saved reports.
//
// The reader is tolerant: templates stay editable by the user, so they may come back saved by
// a word processor with style sheets, revision marks, bookmarks, fields or tables. What it does
// not understand it skips; it never fails and never reads past its input. The writer is strict
// and minimal: one font table, one colour table, and per paragraph its alignment, indents and
// tab stops followed by runs of plain character formatting.

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

namespace rtf {

// True when the bytes start, after an optional byte-order mark and blanks, with "{\rtf".
bool estRtf(const QByteArray& octets);

// Replaces the document's content with the RTF text. Font sizes become points, lengths in
// twips become document pixels (twips / 15).
void lire(const QByteArray& octets, QTextDocument& document);

// The whole document as RTF (Windows-1252 text, other characters as \uN).
QByteArray ecrire(const QTextDocument& document);

// The family a character format asks for, or the default font's.
QString famille(const QTextCharFormat& format, const QFont& defaut);

// Monospace families (Courier New and kin): padded columns need them to line up.
bool policeChasseFixe(const QString& famille);
// Symbol fonts (Wingdings and kin), whose bytes are pictures rather than letters.
bool policeSymbole(const QString& famille);
// A character format that selects the family, with a monospace hint for monospace families so
// that a machine without that family still lines columns up.
QTextCharFormat formatPolice(const QString& famille, bool chasseFixe = false);
// The character a symbol font draws for a byte: the Wingdings scissors (34) becomes U+2702,
// other bytes the private-use character U+F000 + byte, as Windows maps symbol fonts.
QChar caractereSymbole(uchar octet);

// Windows-1252, the code page of the templates.
QChar depuisCp1252(uchar octet);
// The Windows-1252 byte of a character, or -1 when it has none.
int versCp1252(QChar c);

} // namespace rtf
