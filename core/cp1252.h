#pragma once
// Windows-1252, the single-byte encoding the program's text exports have always used.

#include <QByteArray>
#include <QString>

// Characters outside the code page become "?".
QByteArray Texte_en_cp1252(const QString& texte);
// True when every character of the text has its byte in the code page.
bool Tient_en_cp1252(const QString& texte);
// Each byte one character; the code page's five undefined bytes read as U+FFFD.
QString Cp1252_en_texte(const QByteArray& octets);
