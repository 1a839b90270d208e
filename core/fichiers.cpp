#include "core/fichiers.h"

#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/sauvegarde.h"
#include "core/services.h"

#include <sqlite3.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <limits>

namespace {

constexpr int kFichierIntrouvable = 53;
constexpr int kErreurChemin = 75;

// base + n + "." + extension (no "." without extension), for n from 1 while the path is taken.
QString nomLibre(const QString& dossier, const QString& base, const QString& extension)
{
    const QString suffixe = extension.isEmpty() ? QString() : "." + extension;
    QString candidat = Joindre_chemin(dossier, base + suffixe);
    // The counter was a 16-bit integer: past it, the search fails as it did.
    for (int n = 1; QFileInfo::exists(candidat) || QFileInfo(candidat).isSymLink(); ++n) {
        if (n > std::numeric_limits<qint16>::max())
            throw ErreurExecution(6, "Dépassement de capacité");
        candidat = Joindre_chemin(dossier, base + QString::number(n) + suffixe);
    }
    return candidat;
}

} // namespace

QString Joindre_chemin(const QString& dossier, const QString& nom)
{
    return dossier.endsWith('/') ? dossier + nom : dossier + "/" + nom;
}

QString Repertoire_du_fichier(const QString& chemin, bool avecSeparateur)
{
    const qsizetype i = chemin.lastIndexOf('/');
    if (i < 0)
        return QString();
    QString dossier = i == 0 ? QStringLiteral("/") : chemin.left(i);
    if (avecSeparateur && !dossier.endsWith('/'))
        dossier += '/';
    return dossier;
}

QString Nom_du_fichier(const QString& chemin)
{
    return chemin.mid(chemin.lastIndexOf('/') + 1);
}

QString Nom_fichier_libre(const QString& fichier, const QString& dossier)
{
    const QString nom = Nom_du_fichier(fichier);
    const qsizetype point = nom.lastIndexOf('.');
    if (point < 0)
        return nomLibre(dossier, nom, QString());
    return nomLibre(dossier, nom.left(point), nom.mid(point + 1));
}

QString Nom_dossier_libre(const QString& nom, const QString& parent)
{
    return nomLibre(parent, nom, QString());
}

void Renommer_en_remplacant(const QString& source, const QString& cible)
{
    // rename() swaps the name in one step: whoever looks finds the old file or the new one.
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(cible).constData()) != 0) {
        const int e = errno;
        throw ErreurExecution(e, QString::fromLocal8Bit(std::strerror(e)) + " (" + source + " -> " + cible + ")");
    }
}

QString Copier_fichier_libre(const QString& source, const QString& dossierCible, bool remplacer)
{
    if (!QFileInfo(source).isFile())
        throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + source);
    const QString cible =
        remplacer ? Joindre_chemin(dossierCible, Nom_du_fichier(source)) : Nom_fichier_libre(source, dossierCible);
    const QString temporaire = Nom_fichier_libre(Nom_du_fichier(cible) + ".copie", dossierCible);
    if (!QFile::copy(source, temporaire)) {
        QFile::remove(temporaire);
        throw ErreurExecution(kErreurChemin, "Impossible de copier " + source + " vers " + dossierCible);
    }
    try {
        Renommer_en_remplacant(temporaire, cible);
    } catch (...) {
        QFile::remove(temporaire);
        throw;
    }
    return cible;
}

QString Deplacer_fichier(const QString& source, const QString& dossierCible)
{
    try {
        if (!QFileInfo(source).isFile())
            throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + source);
        const QString cible = Joindre_chemin(dossierCible, Nom_du_fichier(source));
        if (QFileInfo(cible) == QFileInfo(source))
            return QString();
        if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(cible).constData()) == 0)
            return QString();
        if (errno != EXDEV) {
            const int e = errno;
            throw ErreurExecution(e, QString::fromLocal8Bit(std::strerror(e)));
        }
        // Another volume: the copy lands beside the target first, so the target is never half written.
        Copier_fichier_libre(source, dossierCible, true);
        if (!QFile::remove(source))
            throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + source);
        return QString();
    } catch (const ErreurExecution& e) {
        return Texte_erreur(e.numero(), e.description());
    }
}

bool Espace_suffisant(const QString& fichier, const QString& dossier)
{
    const QStorageInfo v = Volume_du_dossier(dossier);
    return v.isValid() && v.bytesAvailable() > QFileInfo(fichier).size();
}

bool Lecteur_pret(const QString& dossier)
{
    const QStorageInfo v = Volume_du_dossier(dossier);
    return v.isValid() && v.isReady();
}

bool Est_dossier_de_travail(const QString& dossier)
{
    const QFileInfo info(QDir::cleanPath(dossier));
    if (!info.isDir() || info.isSymLink())
        return false;
    const QString nom = info.fileName();
    if (nom != "tempo" && !nom.startsWith("tmp"))
        return false;
    const QString application = QFileInfo(Services::repertoireApplication()).canonicalFilePath();
    return !application.isEmpty() && QFileInfo(info.absolutePath()).canonicalFilePath() == application;
}

void Supprimer_dossier(const QString& dossier)
{
    // Only our own work folders: a folder chosen by the user is never emptied.
    if (!Est_dossier_de_travail(dossier))
        return;
    // Read-only sub-folders would keep their files.
    QDirIterator it(dossier, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo sous(it.next());
        if (!sous.isSymLink())
            QFile::setPermissions(sous.filePath(), sous.permissions() | QFile::WriteOwner | QFile::ExeOwner);
    }
    QDir(dossier).removeRecursively();
}

DossierTravail::DossierTravail(const QString& nom, bool libre)
{
    const QString application = Services::repertoireApplication();
    const QString voulu = libre ? Nom_dossier_libre(nom, application) : Joindre_chemin(application, nom);
    if (QDir().mkpath(voulu) && QFileInfo(voulu).isWritable()) {
        m_chemin = voulu;
        return;
    }
    m_systeme = std::make_unique<QTemporaryDir>(Joindre_chemin(QDir::tempPath(), nom + "-XXXXXX"));
    if (!m_systeme->isValid())
        throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + voulu);
    m_chemin = m_systeme->path();
}

DossierTravail::~DossierTravail()
{
    supprimer();
}

bool DossierTravail::supprimer()
{
    if (m_systeme)
        m_systeme->remove();
    else
        Supprimer_dossier(m_chemin);
    return !QFileInfo::exists(m_chemin);
}

bool Est_fichier_zip(const QString& chemin)
{
    const QString nom = Nom_du_fichier(chemin);
    const qsizetype point = nom.lastIndexOf('.');
    return point >= 0 && nom.mid(point + 1) == "zip";
}

QString Repertoire_systeme()
{
    // The shared libraries the program runs on lie there.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&sqlite3_libversion), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
    return QStringLiteral("/usr/lib");
}

QString Repertoire_special(int identifiant)
{
    QStandardPaths::StandardLocation emplacement;
    switch (identifiant) {
    case 0:
    case 16:
        emplacement = QStandardPaths::DesktopLocation;
        break;
    case 5:
        emplacement = QStandardPaths::DocumentsLocation;
        break;
    case 13:
        emplacement = QStandardPaths::MusicLocation;
        break;
    case 14:
        emplacement = QStandardPaths::MoviesLocation;
        break;
    case 26:
    case 28:
        emplacement = QStandardPaths::GenericDataLocation;
        break;
    case 32:
        emplacement = QStandardPaths::GenericCacheLocation;
        break;
    case 39:
        emplacement = QStandardPaths::PicturesLocation;
        break;
    case 40:
        emplacement = QStandardPaths::HomeLocation;
        break;
    default:
        return QString();
    }
    const QString chemin = QStandardPaths::writableLocation(emplacement);
    return chemin.isEmpty() ? QString() : Joindre_chemin(chemin, QString());
}

QString Choisir_repertoire(const QString& titre)
{
    return Services::ihm().choisirRepertoire(titre);
}

namespace {

bool appelerArchive(const QString& archive, const QString& chemin, bool compresser)
{
    const QString classe = QStringLiteral("ArchiveTool");
    const std::unique_ptr<Composant> outil = Composants::creer(classe);
    if (!outil)
        throw ErreurExecution(429, "Impossible de charger la dll " + Composants::fichier(classe) + " !");
    return outil->appeler(compresser ? "ZipFile" : "UnzipFile", {archive, chemin}).toBool();
}

} // namespace

bool Zipper(const QString& archive, const QString& chemin, bool compresser, bool silencieux)
{
    try {
        return appelerArchive(archive, chemin, compresser);
    } catch (const std::exception& e) {
        if (!silencieux) {
            Memoriser_erreur(e);
            Afficher_erreur(QString("Une erreur s'est produite lors de la ") + (compresser ? "compression." : "décompression."));
        }
        return false;
    }
}

void Decompresser_ou_lever(const QString& archive, const QString& dossier)
{
    if (!appelerArchive(archive, dossier, false))
        throw ErreurExecution(kErreurChemin, "La décompression de " + archive + " a échoué.");
}

bool Compresser(const QString& archive)
{
    if (!cnxBase.ouverte())
        return Zipper(archive, strCheminBase, true, false);
    // The open base is zipped from a consistent copy, never from the live file.
    try {
        const DossierTravail travail("tmpsauvegarde", true);
        const QString copie = Joindre_chemin(travail.chemin(), Nom_du_fichier(cnxBase.chemin()));
        Copier_base_ouverte(copie);
        return Zipper(archive, copie, true, false);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la compression.");
        return false;
    }
}

bool Decompresser(const QString& archive, const QString& dossier)
{
    return Zipper(archive, dossier, false, false);
}
