#pragma once
// Versions: the application's own, the schema version it needs, and the version embedded in a
// library file (our components export it through a function, see core/composants.h).

#include <QString>

// The schema version (Info.Version) this program works with.
inline constexpr int Version_base_necessaire = 3;

// "major.minor.revision" of the program.
QString Version_application();

// Reads the version a library exports, without keeping the library loaded.
class CFileVersionInfo {
public:
    // fonctionVersion: the exported C function that returns the version text.
    explicit CFileVersionInfo(const QString& fonctionVersion = QStringLiteral("qv_version_composant"));

    // Stores the path and reads its version at once.
    void setFullPathName(const QString& chemin);
    // Reads the version of the stored path again.
    void Refresh();
    // True when the file is a library exporting the version function.
    bool Available() const { return m_disponible; }
    // The version text, "" when the library has none to give.
    const QString& FileVersion() const { return m_version; }

private:
    QString m_fonction;
    QString m_chemin;
    bool m_disponible = false;
    QString m_version;
};
