#pragma once
// Reader of the program's ini files ("maj_base.ini"). Values are SQL statements: they are read
// whole, whatever their length, and commas, backslashes and semicolons inside them are kept
// (QSettings would split or unescape them).
//
// Rules: section and key names are trimmed and compared case-insensitively; the first section
// of a name is the one read, and in it the first occurrence of a key; the value is the text
// after the first "=", trimmed, less one pair of matching surrounding quotes; a line that
// starts with ";" is a comment. The file is UTF-8 (a byte-order mark is skipped).

#include <QHash>
#include <QString>

class FichierIni {
public:
    // Reads the file at once; a missing or unreadable file reads as empty.
    explicit FichierIni(const QString& chemin);

    bool existe() const { return m_existe; }
    // "" when the section or the key is absent.
    QString valeur(const QString& section, const QString& cle) const;

private:
    bool m_existe = false;
    QHash<QString, QHash<QString, QString>> m_sections;
};

// One value of one file, "" when absent.
QString Lire_ini(const QString& section, const QString& cle, const QString& fichier);
