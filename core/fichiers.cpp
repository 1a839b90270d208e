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
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

// A work folder's lock lies beside it, under its name and this suffix.
const QString kSuffixeVerrou = QStringLiteral(".verrou");
constexpr int kLongueurSuffixeTravail = 6;
constexpr int kEssaisNomTravail = 100;

QString suffixeAleatoire()
{
    static constexpr char kSignes[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffixe;
    for (int i = 0; i < kLongueurSuffixeTravail; ++i)
        suffixe += QChar(kSignes[QRandomGenerator::global()->bounded(int(sizeof kSignes) - 1)]);
    return suffixe;
}

// Every work folder lies in a folder of its own named "quorvelane-", its name, "-" and six
// letters or digits, which holds this mark: the start-up cleaning takes only folders of that name
// that hold it, never another program's whose name looks alike.
const QString kPrefixeTravail = QStringLiteral("quorvelane-");
const QString kMarqueTravail = QStringLiteral("quorvelane.travail");
const QByteArray kTexteMarque = "Dossier de travail de Quorvelane, supprimé par le programme.\n";

bool estNomDeTravail(const QString& nom)
{
    if (!nom.startsWith(kPrefixeTravail))
        return false;
    const qsizetype tiret = nom.lastIndexOf('-');
    if (tiret <= kPrefixeTravail.size() || nom.size() - tiret - 1 != kLongueurSuffixeTravail)
        return false;
    const auto ascii = [](QChar c) { return c.unicode() < 128 && c.isLetter(); };
    return std::all_of(nom.begin() + kPrefixeTravail.size(), nom.begin() + tiret, ascii)
        && std::all_of(nom.begin() + tiret + 1, nom.end(), [&](QChar c) { return ascii(c) || c.isDigit(); });
}

// The mark, exactly as the program writes it, in a file of its own (not a link) of the folder open
// at dossier.
bool porteLaMarque(int dossier)
{
    const Descripteur marque(
        ::openat(dossier, QFile::encodeName(kMarqueTravail).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (marque.fd() < 0 || ::fstat(marque.fd(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size != kTexteMarque.size())
        return false;
    QByteArray lu(kTexteMarque.size(), '\0');
    return ::pread(marque.fd(), lu.data(), lu.size(), 0) == lu.size() && lu == kTexteMarque;
}

// The names a folder open at fd holds, "." and ".." aside.
QList<QByteArray> nomsDans(int fd)
{
    QList<QByteArray> noms;
    // The listing takes the descriptor it is given: it gets a copy.
    const int copie = ::dup(fd);
    DIR* liste = copie >= 0 ? ::fdopendir(copie) : nullptr;
    if (!liste) {
        if (copie >= 0)
            ::close(copie);
        return noms;
    }
    ::rewinddir(liste);
    while (const dirent* e = ::readdir(liste)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            noms << QByteArray(e->d_name);
    }
    ::closedir(liste);
    return noms;
}

// A folder opened from its parent without following a link: a name swapped for a link leads
// nowhere else.
int ouvrirDossierDans(int parent, const char* nom)
{
    return ::openat(parent, nom, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

void effacerDans(int parent, const char* nom);

// Deletes what the folder open at fd holds. Every name is removed relative to the folder that
// holds it, and a sub-folder is entered only as opened above: nothing is ever reached through a
// link, even one that takes a name's place on the way.
void viderDossier(int fd)
{
    struct stat info {};
    // A read-only folder of the user's would keep what it holds.
    if (::fstat(fd, &info) == 0 && info.st_uid == ::geteuid() && (info.st_mode & S_IRWXU) != S_IRWXU)
        ::fchmod(fd, (info.st_mode & 07777) | S_IRWXU);
    for (const QByteArray& nom : nomsDans(fd)) {
        // unlinkat never follows a link: a link goes, not what it names.
        if (::unlinkat(fd, nom.constData(), 0) != 0 && (errno == EISDIR || errno == EPERM))
            effacerDans(fd, nom.constData());
    }
}

void effacerDans(int parent, const char* nom)
{
    {
        const Descripteur dossier(ouvrirDossierDans(parent, nom));
        if (dossier.fd() < 0)
            return;
        viderDossier(dossier.fd());
    }
    // Fails on whatever took the name meanwhile that is no empty folder: it stays.
    ::unlinkat(parent, nom, AT_REMOVEDIR);
}

// Deletes the folder with all it holds, read-only sub-folders included; never follows a link.
void effacer(const QString& dossier)
{
    const QFileInfo info(QDir::cleanPath(dossier));
    const Descripteur parent(
        ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (parent.fd() >= 0)
        effacerDans(parent.fd(), QFile::encodeName(info.fileName()).constData());
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

QString Chemin_reel(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (!info.isSymLink())
        return chemin;
    // A link to nothing (or to itself) names no file to keep: it is replaced as it is.
    const QString reel = info.canonicalFilePath();
    return reel.isEmpty() ? chemin : reel;
}

void Copier_fichier_vers(const QString& source, const QString& cible)
{
    QFile entree(source);
    if (!entree.open(QIODevice::ReadOnly))
        throw ErreurExecution(kFichierIntrouvable, "Fichier introuvable : " + source);
    QFile::remove(cible);
    QFile sortie(cible);
    bool ecrit = sortie.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    constexpr qint64 kBloc = 1 << 20;
    while (ecrit && !entree.atEnd()) {
        const QByteArray bloc = entree.read(kBloc);
        ecrit = !bloc.isEmpty() && sortie.write(bloc) == bloc.size();
    }
    ecrit = ecrit && sortie.flush() && ::fsync(sortie.handle()) == 0;
    sortie.close();
    if (!ecrit) {
        QFile::remove(cible);
        throw ErreurExecution(kErreurChemin, "Impossible de copier " + source + " vers " + cible);
    }
}

bool Synchroniser_fichier(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) && ::fsync(f.handle()) == 0;
}

void Deplacer_fichier_vers(const QString& source, const QString& cible)
{
    if (!Synchroniser_fichier(source))
        return Copier_fichier_vers(source, cible);
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(cible).constData()) != 0)
        Copier_fichier_vers(source, cible);
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
    if (Est_dossier_de_travail(dossier))
        effacer(dossier);
}

DossierTravail::DossierTravail(const QString& nom)
{
    const QString application = Services::repertoireApplication();
    QDir().mkpath(application);
    for (const QString& parent : {application, QDir::tempPath()}) {
        for (int essai = 0; essai < kEssaisNomTravail; ++essai) {
            const QString candidat = Joindre_chemin(parent, kPrefixeTravail + nom + "-" + suffixeAleatoire());
            // The lock comes first: whoever holds it owns the name, folder or not.
            auto verrou = std::make_unique<QLockFile>(candidat + kSuffixeVerrou);
            if (const QLockFile::LockError refus = Prendre_verrou(*verrou, candidat + kSuffixeVerrou);
                refus != QLockFile::NoError) {
                if (refus == QLockFile::LockFailedError)
                    continue;
                break; // the parent may not be written
            }
            const QFileInfo info(candidat);
            if (info.exists() || info.isSymLink())
                continue;
            if (!QDir().mkdir(candidat, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
                break;
            QFile marque(Joindre_chemin(candidat, kMarqueTravail));
            const QString dossier = Joindre_chemin(candidat, nom);
            if (!marque.open(QIODevice::WriteOnly | QIODevice::NewOnly) || marque.write(kTexteMarque) != kTexteMarque.size()
                || !marque.flush() || !QDir().mkdir(dossier)) {
                marque.close();
                effacer(candidat);
                break;
            }
            m_racine = candidat;
            m_chemin = dossier;
            m_verrou = std::move(verrou);
            return;
        }
    }
    throw ErreurExecution(kErreurChemin, "Impossible de créer le dossier " + Joindre_chemin(application, nom));
}

DossierTravail::~DossierTravail()
{
    supprimer();
}

bool DossierTravail::supprimer()
{
    if (m_racine.isEmpty())
        return true;
    effacer(m_racine);
    if (QFileInfo::exists(m_racine))
        return false;
    // The lock goes with the folder, not before it.
    m_verrou.reset();
    m_racine.clear();
    return true;
}

void Nettoyer_dossiers_de_travail(const std::function<void(const QString&)>& avantSuppression)
{
    for (const QString& racine : {Services::repertoireApplication(), QDir::tempPath()}) {
        const QDir dossier(racine);
        const Descripteur parent(::open(QFile::encodeName(racine).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (parent.fd() < 0)
            continue;
        QSet<QString> noms;
        for (const QString& entree :
             dossier.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
            const QString nom = entree.endsWith(kSuffixeVerrou) ? entree.chopped(kSuffixeVerrou.size()) : entree;
            if (estNomDeTravail(nom))
                noms.insert(nom);
        }
        for (const QString& nom : std::as_const(noms)) {
            const QString chemin = dossier.filePath(nom);
            const QString cheminVerrou = chemin + kSuffixeVerrou;
            // The folder checked is the one deleted: it is held open from here on.
            const Descripteur travail(ouvrirDossierDans(parent.fd(), QFile::encodeName(nom).constData()));
            const bool absent = travail.fd() < 0 && errno == ENOENT;
            struct stat info {};
            const bool aLUtilisateur =
                travail.fd() >= 0 && ::fstat(travail.fd(), &info) == 0 && info.st_uid == ::geteuid();
            // Ours with its mark; a run killed between its lock and its mark left the folder empty,
            // or no folder at all, beside a lock it wrote. Anything else is somebody else's.
            const bool nOtre = aLUtilisateur
                ? porteLaMarque(travail.fd()) || (nomsDans(travail.fd()).isEmpty() && Verrou_de_cette_machine(cheminVerrou))
                : absent && Verrou_de_cette_machine(cheminVerrou);
            if (!nOtre)
                continue;
            // A lock held by a living run is refused; one left by a killed run is taken over, and
            // goes when this one is released.
            QLockFile verrou(cheminVerrou);
            if (Prendre_verrou(verrou, cheminVerrou) != QLockFile::NoError)
                continue;
            if (avantSuppression)
                avantSuppression(chemin);
            if (travail.fd() >= 0) {
                viderDossier(travail.fd());
                ::unlinkat(parent.fd(), QFile::encodeName(nom).constData(), AT_REMOVEDIR);
            }
        }
    }
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
        const DossierTravail travail("tmpsauvegarde");
        // Under the name of the file itself: a base opened through a link is zipped as the file
        // that its backup, beside that file, is put back into.
        const QString copie = Joindre_chemin(travail.chemin(), Nom_du_fichier(Chemin_reel(cnxBase.chemin())));
        Copier_base_ouverte(copie);
        // The zipped base reads as cleanly closed wherever it is opened again. The live one keeps
        // its own mark: a kill while it is being zipped is seen at its next opening.
        {
            const ConnexionLocale db(Ouvrir_connexion_sqlite(copie));
            // A scratch copy: only the archive made of it is written to disk for good.
            Executer_sur(db.get(), "PRAGMA journal_mode = OFF");
            Executer_sur(db.get(), "PRAGMA synchronous = OFF");
            Executer_sur(db.get(), "Update Info Set LastClose = True");
            // A base without its Info row would give a backup that never reads as closed.
            if (sqlite3_changes(db.get()) != 1)
                throw ErreurExecution(3021, "Le marqueur de fermeture de la base n'a pu être écrit.");
        }
        // Zipped in the work folder: the zip library's own work files stay there, and only the
        // archive's exact name is ever written where it goes.
        const QString zip = Joindre_chemin(travail.chemin(), Nom_du_fichier(archive));
        if (!Zipper(zip, copie, true, false))
            return false;
        Deplacer_fichier_vers(zip, archive);
        return true;
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
