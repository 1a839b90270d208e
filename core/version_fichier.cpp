#include "core/version_fichier.h"

#include <QFile>

#include <dlfcn.h>

QString Version_application()
{
    return QStringLiteral(QV_VERSION);
}

CFileVersionInfo::CFileVersionInfo(const QString& fonctionVersion) : m_fonction(fonctionVersion)
{
}

void CFileVersionInfo::setFullPathName(const QString& chemin)
{
    m_chemin = chemin;
    Refresh();
}

void CFileVersionInfo::Refresh()
{
    m_disponible = false;
    m_version.clear();
    if (m_chemin.isEmpty() || !QFile::exists(m_chemin))
        return;
    // Lazy binding and a local scope keep the visit cheap and the library's symbols to itself;
    // closing it again unloads it unless the program already holds it (its count goes back).
    void* bibliotheque = dlopen(QFile::encodeName(m_chemin).constData(), RTLD_LAZY | RTLD_LOCAL);
    if (!bibliotheque)
        return;
    using FonctionVersion = const char* (*)();
    auto lire = reinterpret_cast<FonctionVersion>(dlsym(bibliotheque, m_fonction.toLatin1().constData()));
    if (lire) {
        m_disponible = true;
        const char* texte = lire();
        m_version = texte ? QString::fromUtf8(texte) : QString();
    }
    dlclose(bibliotheque);
}
