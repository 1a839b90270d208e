// ArchiveTool: zips one file into an archive and unpacks an archive into a folder, on libzip.
//   ZipFile(archive, file)     adds the file under its own name (replacing an entry of that
//                              name), creating the archive when missing; true on success
//   UnzipFile(archive, folder) extracts every entry under its own name; true on success
// A failure throws ErreurExecution with the reason in French; the caller's wrapper reports it.
// An archive that cannot be read whole, holds more entries than any file of ours, or would unpack
// past the free space or at a ratio no base or meet file reaches, is refused before anything is
// written. Its size is bounded by these alone: a base may grow as large as its user needs, and
// its backup is put back whatever its size.

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fichiers.h"

#include <zip.h>

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <sys/stat.h>

#include <cerrno>

#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace {

// Deflate at the zlib default: the backup of a large base must not take much longer than the
// system's own zip tool at its default setting.
constexpr zip_uint32_t kNiveauCompression = 6;

constexpr int kErreurChemin = 75;
constexpr int kFichierIntrouvable = 53;

// Measured with the system's zip tool: a new base 22:1, a full one 3:1, real meets 8 to 11:1;
// a base whose rows were deleted reaches 400:1 and more (its freed pages are zeroed), which is
// why the backup leaves them out. Past this ratio an entry is a bomb, not a file of ours; a file
// of ours that deflates further is stored as it is.
constexpr zip_uint64_t kTauxMax = 200;
// Below this nothing worth refusing can be written, whatever the ratio.
constexpr zip_uint64_t kTailleSansRisque = 1 << 20;
// A backup holds one entry, a meet archive one, an update package the program's libraries: a
// few dozen at most. 256 entries unpack in a moment; 100,000 froze the window for two minutes.
constexpr zip_int64_t kEntreesMax = 256;

// An unpacked size no file of ours reaches from that many compressed bytes.
bool tropComprime(zip_uint64_t taille, zip_uint64_t compresse)
{
    return taille > kTailleSansRisque && taille / std::max<zip_uint64_t>(compresse, 1) >= kTauxMax;
}

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

QString texteSysteme(int e)
{
    switch (e) {
    case ENOSPC:
        return "plus d'espace libre sur le disque";
    case EDQUOT:
        return "quota du disque dépassé";
    case EACCES:
    case EPERM:
        return "accès refusé";
    case EROFS:
        return "support en lecture seule";
    case ENOENT:
        return "fichier ou dossier introuvable";
    case EIO:
        return "erreur d'entrée-sortie sur le disque";
    default:
        return "erreur système n° " + QString::number(e);
    }
}

QString texteZip(zip_error_t* erreur)
{
    QString texte;
    switch (zip_error_code_zip(erreur)) {
    case ZIP_ER_NOZIP:
        texte = "le fichier n'est pas une archive zip, ou elle est tronquée";
        break;
    case ZIP_ER_INCONS:
        texte = "l'archive est incohérente (endommagée)";
        break;
    case ZIP_ER_CRC:
        texte = "somme de contrôle erronée, l'archive est endommagée";
        break;
    case ZIP_ER_EOF:
        texte = "fin de fichier prématurée, l'archive est tronquée";
        break;
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB:
        texte = "données compressées invalides, l'archive est endommagée";
        break;
    case ZIP_ER_COMPNOTSUPP:
        texte = "méthode de compression non prise en charge";
        break;
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        texte = "archive chiffrée, non prise en charge";
        break;
    case ZIP_ER_MULTIDISK:
        texte = "archive en plusieurs volumes, non prise en charge";
        break;
    case ZIP_ER_NOENT:
        texte = "fichier introuvable";
        break;
    case ZIP_ER_OPEN:
        texte = "impossible d'ouvrir le fichier";
        break;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        texte = "erreur de lecture";
        break;
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
        texte = "erreur d'écriture";
        break;
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
        texte = "impossible d'écrire l'archive à sa place";
        break;
    case ZIP_ER_MEMORY:
        texte = "mémoire insuffisante";
        break;
    default:
        texte = "erreur interne de la bibliothèque zip (code " + QString::number(zip_error_code_zip(erreur)) + ")";
        break;
    }
    if (zip_error_system_type(erreur) == ZIP_ET_SYS && zip_error_code_system(erreur) != 0)
        texte += " (" + texteSysteme(zip_error_code_system(erreur)) + ")";
    return texte;
}

// An archive being unpacked that cannot be read is damaged, unless the file could not even be
// opened; while zipping, the number stays the library's.
int numero(zip_error_t* erreur, bool lecture)
{
    const int code = zip_error_code_zip(erreur);
    if (!lecture)
        return code;
    if (code == ZIP_ER_OPEN || code == ZIP_ER_NOENT)
        return kErreurChemin;
    if (code == ZIP_ER_MEMORY)
        return 7;
    return Erreur_archive_endommagee;
}

[[noreturn]] void echec(zip_error_t* erreur, const QString& archive, bool lecture)
{
    throw ErreurExecution(numero(erreur, lecture), "Archive " + archive + " : " + texteZip(erreur) + ".");
}

[[noreturn]] void echecArchive(zip_t* za, const QString& archive, bool lecture)
{
    echec(zip_get_error(za), archive, lecture);
}

Archive ouvrir(const QString& archive, int mode)
{
    int code = 0;
    zip_t* za = zip_open(nomLocal(archive).constData(), mode, &code);
    if (!za) {
        zip_error_t erreur;
        zip_error_init_with_code(&erreur, code);
        const int n = numero(&erreur, mode == ZIP_RDONLY);
        const QString texte = "Archive " + archive + " : " + texteZip(&erreur) + ".";
        zip_error_fini(&erreur);
        throw ErreurExecution(n, texte);
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
        echecArchive(za.get(), archive, false);
    const QByteArray nom = source.fileName().toUtf8();
    const zip_int64_t index = zip_file_add(za.get(), nom.constData(), src,
                                           ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(src);
        echecArchive(za.get(), archive, false);
    }
    if (zip_set_file_compression(za.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, kNiveauCompression) < 0)
        echecArchive(za.get(), archive, false);
    // libzip writes the whole archive beside the old one and renames it only when complete.
    if (zip_close(za.get()) < 0)
        echecArchive(za.get(), archive, false);
    za.release();
    // Deflated past the ratio an unpacking refuses, the file would never come out again: it is
    // stored instead (a file mostly zeros, rare and quick to write).
    Archive relue = ouvrir(archive, 0);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(relue.get(), nom.constData(), 0, &st) < 0)
        echecArchive(relue.get(), archive, false);
    if (!tropComprime(st.size, st.comp_size))
        return true;
    if (zip_set_file_compression(relue.get(), st.index, ZIP_CM_STORE, 0) < 0 || zip_close(relue.get()) < 0)
        echecArchive(relue.get(), archive, false);
    relue.release();
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

// What an unpacking has written so far, removed again unless it finishes.
class Ecrits {
public:
    Ecrits() = default;
    Ecrits(const Ecrits&) = delete;
    Ecrits& operator=(const Ecrits&) = delete;
    ~Ecrits()
    {
        if (m_fini)
            return;
        for (auto f = m_fichiers.crbegin(); f != m_fichiers.crend(); ++f)
            QFile::remove(*f);
        for (auto d = m_dossiers.crbegin(); d != m_dossiers.crend(); ++d)
            QDir().rmdir(*d);
    }
    // Makes the folder with the parents it lacks, each remembered.
    void creerDossier(const QString& chemin)
    {
        QStringList manquants;
        for (QFileInfo d(chemin); !d.exists() && !d.isSymLink() && !d.isRoot(); d = QFileInfo(d.absolutePath()))
            manquants.prepend(d.absoluteFilePath());
        if (!QDir().mkpath(chemin))
            throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + chemin);
        m_dossiers << manquants;
    }
    void fichier(const QString& chemin) { m_fichiers << chemin; }
    void terminer() { m_fini = true; }

private:
    QStringList m_fichiers;
    QStringList m_dossiers;
    bool m_fini = false;
};

QString enMo(zip_uint64_t octets)
{
    return QString::number(static_cast<double>(octets) / (1 << 20), 'f', 1).replace('.', ',') + " Mo";
}

[[noreturn]] void echecEcriture(const QSaveFile& sortie, const QString& cible)
{
    // A full disk is reported as such, whatever the system's wording and whichever call met it
    // (a write, or the closing that flushes what the system kept back).
    const int e = errno;
    if (sortie.error() == QFileDevice::ResourceError || e == ENOSPC || e == EDQUOT)
        throw ErreurExecution(Erreur_disque_plein, "Impossible d'écrire " + cible + " : plus d'espace libre sur le disque.");
    throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + cible + " : erreur d'écriture ou accès refusé.");
}

// Writes the entry, never more than its declared size: the sizes were checked, the data must
// keep to them.
void extraire(zip_t* za, zip_uint64_t i, zip_uint64_t taille, const QString& cible, const QString& archive,
              Ecrits& ecrits)
{
    Entree entree(zip_fopen_index(za, i, 0));
    if (!entree)
        echecArchive(za, archive, true);
    QSaveFile sortie(cible);
    // Unbuffered: each write reaches the system at once, which tells a full disk from another
    // failure; a buffered one would only say "write error" at the commit.
    if (!sortie.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        echecEcriture(sortie, cible);
    char tampon[1 << 16];
    zip_uint64_t ecrit = 0;
    for (;;) {
        const zip_int64_t lus = zip_fread(entree.get(), tampon, sizeof tampon);
        if (lus < 0)
            echec(zip_file_get_error(entree.get()), archive, true);
        if (lus == 0)
            break;
        ecrit += static_cast<zip_uint64_t>(lus);
        if (ecrit > taille)
            throw ErreurExecution(Erreur_archive_endommagee, "Archive " + archive + " : l'entrée " + QFileInfo(cible).fileName()
                                                                 + " dépasse la taille annoncée, l'archive est endommagée.");
        // A disk that fills up in the middle of a block takes part of it and refuses the rest
        // with its reason only at the next write.
        for (qint64 fait = 0; fait < lus;) {
            errno = 0;
            const qint64 n = sortie.write(tampon + fait, lus - fait);
            if (n <= 0)
                echecEcriture(sortie, cible);
            fait += n;
        }
    }
    errno = 0;
    if (!sortie.commit())
        echecEcriture(sortie, cible);
    ecrits.fichier(cible);
}

// The declared size of a file entry, refused when it would unpack at a ratio no file of ours
// reaches.
zip_uint64_t tailleSure(zip_t* za, zip_uint64_t i, const QString& nom, const QString& archive)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za, i, 0, &st) < 0)
        echecArchive(za, archive, true);
    if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE))
        throw ErreurExecution(Erreur_archive_endommagee, "Archive " + archive + " : taille de l'entrée " + nom + " illisible.");
    if (tropComprime(st.size, st.comp_size))
        throw ErreurExecution(Erreur_archive_endommagee,
                              "Archive " + archive + " : l'entrée " + nom + " se décompresserait en " + enMo(st.size)
                                  + " à partir de " + enMo(st.comp_size) + ", ce qu'aucun fichier réel n'atteint : archive refusée.");
    return st.size;
}

bool UnzipFile(const QString& archive, const QString& dossier)
{
    if (!QFileInfo(archive).isFile())
        throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + archive);
    Archive za = ouvrir(archive, ZIP_RDONLY);
    const zip_int64_t n = zip_get_num_entries(za.get(), 0);
    if (n > kEntreesMax)
        throw ErreurExecution(Erreur_archive_endommagee, "Archive " + archive + " : elle compte " + QString::number(n)
                                                             + " entrées, plus que les " + QString::number(kEntreesMax)
                                                             + " qu'un fichier de ce programme peut contenir : archive refusée.");

    // Every entry is checked before anything is written, so a refused archive leaves nothing.
    std::vector<QStringList> chemins;
    std::vector<zip_uint64_t> tailles;
    chemins.reserve(static_cast<size_t>(std::max<zip_int64_t>(n, 0)));
    tailles.reserve(chemins.capacity());
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* brut = zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!brut)
            echecArchive(za.get(), archive, true);
        const QString nom = QString::fromUtf8(brut);
        std::optional<QStringList> parties = partiesSures(za.get(), static_cast<zip_uint64_t>(i), nom);
        // No file of ours holds such an entry: the archive is a trap or damaged.
        if (!parties)
            throw ErreurExecution(Erreur_archive_endommagee, "Archive " + archive + " : l'entrée " + nom
                                                                 + " sortirait du dossier cible (chemin absolu, \"..\" ou lien) : archive refusée.");
        const zip_uint64_t taille = tailleSure(za.get(), static_cast<zip_uint64_t>(i), nom, archive);
        total = taille > std::numeric_limits<zip_uint64_t>::max() - total ? std::numeric_limits<zip_uint64_t>::max()
                                                                          : total + taille;
        chemins.push_back(std::move(*parties));
        tailles.push_back(taille);
    }
    // Many small entries, or one stream shared by several, add up the same way.
    const auto taille = static_cast<zip_uint64_t>(std::max<qint64>(QFileInfo(archive).size(), 1));
    if (tropComprime(total, taille))
        throw ErreurExecution(Erreur_archive_endommagee, "Archive " + archive + " : elle se décompresserait en " + enMo(total)
                                                             + ", ce qu'aucun fichier réel n'atteint : archive refusée.");
    const QString racine = QDir::cleanPath(QDir(dossier).absolutePath());
    const QStorageInfo volume = Volume_du_dossier(racine);
    if (!volume.isValid() || total >= static_cast<zip_uint64_t>(std::max<qint64>(volume.bytesAvailable(), 0)))
        throw ErreurExecution(Erreur_disque_plein, "Archive " + archive + " : elle se décompresserait en " + enMo(total)
                                                       + ", plus que l'espace libre sur le disque de " + racine + ".");

    Ecrits ecrits;
    ecrits.creerDossier(racine);
    for (zip_int64_t i = 0; i < n; ++i) {
        const QStringList& parties = chemins[static_cast<size_t>(i)];
        if (parties.isEmpty())
            continue;
        const QString nom = QString::fromUtf8(zip_get_name(za.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS));
        verifierSansLien(racine, parties, nom);
        const QString cible = racine + "/" + parties.join('/');
        if (nom.endsWith('/') || nom.endsWith('\\')) {
            ecrits.creerDossier(cible);
            continue;
        }
        ecrits.creerDossier(QFileInfo(cible).path());
        verifierSansLien(racine, parties, nom);
        extraire(za.get(), static_cast<zip_uint64_t>(i), tailles[static_cast<size_t>(i)], cible, archive, ecrits);
    }
    ecrits.terminer();
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
