// ArchiveTool: zips one file into an archive and unpacks an archive into a folder, on libzip.
//   ZipFile(archive, file)     adds the file under its own name (replacing an entry of that
//                              name), creating the archive when missing; true on success
//   UnzipFile(archive, folder) extracts every entry under its own name; true on success
// A failure throws ErreurExecution with the reason; the caller's wrapper reports it.

#include "core/composants.h"
#include "core/erreurs.h"

#include <zip.h>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

// Deflate at the zlib default: the backup of a large base must not take much longer than the
// system's own zip tool at its default setting.
constexpr zip_uint32_t kNiveauCompression = 6;

constexpr int kErreurChemin = 75;
constexpr int kFichierIntrouvable = 53;

struct FermerArchive {
    void operator()(zip_t* za) const { zip_discard(za); }
};
using Archive = std::unique_ptr<zip_t, FermerArchive>;

struct FermerEntree {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Entree = std::unique_ptr<zip_file_t, FermerEntree>;

QByteArray nomLocal(const QString& chemin)
{
    return QFile::encodeName(chemin);
}

[[noreturn]] void echec(zip_error_t* erreur, const QString& archive)
{
    const int code = zip_error_code_zip(erreur);
    const QString raison = QString::fromUtf8(zip_error_strerror(erreur));
    throw ErreurExecution(code, "Archive " + archive + " : " + raison);
}

[[noreturn]] void echecArchive(zip_t* za, const QString& archive)
{
    echec(zip_get_error(za), archive);
}

Archive ouvrir(const QString& archive, int mode)
{
    int code = 0;
    zip_t* za = zip_open(nomLocal(archive).constData(), mode, &code);
    if (!za) {
        zip_error_t erreur;
        zip_error_init_with_code(&erreur, code);
        const QString raison = QString::fromUtf8(zip_error_strerror(&erreur));
        zip_error_fini(&erreur);
        throw ErreurExecution(code, "Archive " + archive + " : " + raison);
    }
    return Archive(za);
}

bool ZipFile(const QString& archive, const QString& fichier)
{
    const QFileInfo source(fichier);
    if (!source.isFile())
        throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + fichier);
    Archive za = ouvrir(archive, ZIP_CREATE);
    zip_source_t* src = zip_source_file(za.get(), nomLocal(fichier).constData(), 0, -1);
    if (!src)
        echecArchive(za.get(), archive);
    const zip_int64_t index = zip_file_add(za.get(), source.fileName().toUtf8().constData(), src,
                                           ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(src);
        echecArchive(za.get(), archive);
    }
    if (zip_set_file_compression(za.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kNiveauCompression) < 0)
        echecArchive(za.get(), archive);
    // libzip writes the whole archive beside the old one and renames it only when complete.
    if (zip_close(za.get()) < 0)
        echecArchive(za.get(), archive);
    za.release();
    return true;
}

// The entry's path below the target folder, or nothing when it would land elsewhere:
// absolute names, drive letters, ".." and links are refused.
std::optional<QStringList> partiesSures(zip_t* za, zip_uint64_t i, const QString& nom)
{
    QString n = nom;
    n.replace('\\', '/');
    if (n.isEmpty() || n.startsWith('/') || (n.size() >= 2 && n[1] == ':'))
        return std::nullopt;
    QStringList parties;
    for (const QString& p : n.split('/', Qt::SkipEmptyParts)) {
        if (p == "..")
            return std::nullopt;
        if (p != ".")
            parties << p;
    }
    zip_uint8_t systeme = 0;
    zip_uint32_t attributs = 0;
    if (zip_file_get_external_attributes(za, i, 0, &systeme, &attributs) == 0 && systeme == ZIP_OPSYS_UNIX) {
        const unsigned type = (attributs >> 16) & S_IFMT;
        if (type != 0 && type != S_IFREG && type != S_IFDIR)
            return std::nullopt;
    }
    return parties;
}

// Refuses to write through a link already present in the target folder.
void verifierSansLien(const QString& dossier, const QStringList& parties, const QString& nom)
{
    QString chemin = dossier;
    for (const QString& p : parties) {
        chemin += "/" + p;
        if (QFileInfo(chemin).isSymLink())
            throw ErreurExecution(kErreurChemin, "Entrée refusée (lien dans le dossier cible) : " + nom);
    }
}

void extraire(zip_t* za, zip_uint64_t i, const QString& cible, const QString& archive)
{
    Entree entree(zip_fopen_index(za, i, 0));
    if (!entree)
        echecArchive(za, archive);
    QSaveFile sortie(cible);
    if (!sortie.open(QIODevice::WriteOnly))
        throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + cible + " : " + sortie.errorString());
    char tampon[1 << 16];
    for (;;) {
        const zip_int64_t lus = zip_fread(entree.get(), tampon, sizeof tampon);
        if (lus < 0)
            echec(zip_file_get_error(entree.get()), archive);
        if (lus == 0)
            break;
        if (sortie.write(tampon, lus) != lus)
            throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + cible + " : " + sortie.errorString());
    }
    if (!sortie.commit())
        throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + cible + " : " + sortie.errorString());
}

bool UnzipFile(const QString& archive, const QString& dossier)
{
    if (!QFileInfo(archive).isFile())
        throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + archive);
    Archive za = ouvrir(archive, ZIP_RDONLY);
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);

    // Every entry is checked before anything is written, so a refused archive leaves nothing.
    std::vector<QStringList> chemins;
    chemins.reserve(static_cast<size_t>(std::max<zip_int64_t>(n, 0)));
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* brut = zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!brut)
            echecArchive(za.get(), archive);
        const QString nom = QString::fromUtf8(brut);
        std::optional<QStringList> parties = partiesSures(za.get(), static_cast<zip_uint64_t>(i), nom);
        if (!parties)
            throw ErreurExecution(kErreurChemin, "Entrée refusée hors du dossier cible : " + nom);
        chemins.push_back(std::move(*parties));
    }

    const QString racine = QDir::cleanPath(QDir(dossier).absolutePath());
    if (!QDir().mkpath(racine))
        throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + racine);
    for (zip_int64_t i = 0; i < n; ++i) {
        const QStringList& parties = chemins[static_cast<size_t>(i)];
        if (parties.isEmpty())
            continue;
        const QString nom = QString::fromUtf8(zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS));
        verifierSansLien(racine, parties, nom);
        const QString cible = racine + "/" + parties.join('/');
        if (nom.endsWith('/') || nom.endsWith('\\')) {
            if (!QDir().mkpath(cible))
                throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + cible);
            continue;
        }
        if (!QDir().mkpath(QFileInfo(cible).path()))
            throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + QFileInfo(cible).path());
        verifierSansLien(racine, parties, nom);
        extraire(za.get(), static_cast<zip_uint64_t>(i), cible, archive);
    }
    return true;
}

class ArchiveTool : public Composant {
public:
    QVariant appeler(const QString& membre, const QVariantList& arguments) override
    {
        const bool zip = membre.compare("ZipFile", Qt::CaseInsensitive) == 0;
        const bool unzip = membre.compare("UnzipFile", Qt::CaseInsensitive) == 0;
        if (!zip && !unzip)
            throw ErreurExecution(438, "Propriété ou méthode non gérée par cet objet : " + membre);
        if (arguments.size() != 2)
            throw ErreurExecution(450, "Nombre d'arguments incorrect.");
        const QString archive = arguments[0].toString();
        const QString chemin = arguments[1].toString();
        return zip ? ZipFile(archive, chemin) : UnzipFile(archive, chemin);
    }
};

} // namespace

QV_EXPORTER_COMPOSANT Composant* qv_creer_composant(const char* classe)
{
    if (qstrcmp(classe, "ArchiveTool") == 0)
        return new ArchiveTool;
    return nullptr;
}

QV_EXPORTER_COMPOSANT const char* qv_version_composant()
{
    return QV_COMPONENT_VERSION;
}
