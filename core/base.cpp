#include "core/base.h"

#include "core/collation.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/sauvegarde.h"
#include "core/services.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>
#include <QSysInfo>
#include <QThread>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The locks of bases this process holds, by the path of their file. The system lock belongs to
// the process, not to one holder: a second QLockFile on the same file here would be refused by
// the first, so the holders share one. Made before the connection and gone after it.
QHash<QString, std::weak_ptr<QLockFile>> verrousTenus;
} // namespace

Connexion cnxBase;
Recordset rsRequete;
Resultat colResultat;

namespace {

QString descriptionSqlite(int code, const char* message)
{
    QString texte = QString::fromUtf8(message ? message : sqlite3_errstr(code));
    switch (code & 0xFF) {
    case SQLITE_CANTOPEN:
        return "Impossible d'ouvrir le fichier (" + texte + ")";
    case SQLITE_NOTADB:
        return "Le fichier n'est pas une base de données (" + texte + ")";
    case SQLITE_READONLY:
        return "La base est en lecture seule (" + texte + ")";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "La base est occupée (" + texte + ")";
    case SQLITE_FULL:
        return "Le disque est plein (" + texte + ")";
    case SQLITE_CORRUPT:
        return "La base est endommagée (" + texte + ")";
    default:
        return texte;
    }
}

// A volume mounted read-only refuses every write, whatever the file's protection says.
bool volumeEnLectureSeule(const QString& chemin)
{
    if (::access(QFile::encodeName(chemin).constData(), W_OK) == 0)
        return false;
    if (errno == EROFS)
        return true;
    const QStorageInfo volume(QFileInfo(chemin).absolutePath());
    return volume.isValid() && volume.isReadOnly();
}

QString texteLectureSeule(const QString& chemin)
{
    return Texte_base_lecture_seule(chemin, volumeEnLectureSeule(chemin));
}

// Only blanks, semicolons and comments may follow the statement.
bool resteVide(const char* p)
{
    while (*p) {
        if (*p == ';' || std::isspace(static_cast<unsigned char>(*p))) {
            ++p;
        } else if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            const char* fin = std::strstr(p + 2, "*/");
            if (!fin)
                return true;
            p = fin + 2;
        } else {
            return false;
        }
    }
    return true;
}

// Written straight into the string: the locale-aware QString::number costs more than the
// value itself on a long list.
QString texteEntier(qint64 v)
{
    char16_t chiffres[24];
    char16_t* const fin = chiffres + std::size(chiffres);
    char16_t* p = fin;
    quint64 reste = v < 0 ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v);
    do {
        *--p = static_cast<char16_t>(u'0' + reste % 10);
        reste /= 10;
    } while (reste != 0);
    if (v < 0)
        *--p = u'-';
    return QString(reinterpret_cast<const QChar*>(p), fin - p);
}

QString texteReel(double v)
{
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15)
        return texteEntier(static_cast<qint64>(v));
    // The text QString::number(v, 'g', 15) gives, at a tenth of its cost. When the shortest text
    // that reads back as v has at most fifteen significant digits, rounding v to fifteen digits
    // gives those digits whatever the rounding rule, and printf's "%.15g" writes them as the
    // toolkit does. Longer ones may end on an exact tie, which the two round differently.
    char court[32];
    const auto finCourt = std::to_chars(court, court + sizeof court, v).ptr;
    int significatifs = 0;
    for (const char* c = court; c != finCourt && *c != 'e'; ++c) {
        if (*c >= '1' && *c <= '9')
            ++significatifs;
        else if (*c == '0' && significatifs > 0)
            ++significatifs;
    }
    if (!std::isfinite(v) || significatifs > 15)
        return QString::number(v, 'g', 15).replace('.', ',');
    char chiffres[32];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, v, std::chars_format::general, 15).ptr;
    QString texte(fin - chiffres, Qt::Uninitialized);
    QChar* p = texte.data();
    for (const char* c = chiffres; c != fin; ++c)
        *p++ = QLatin1Char(*c == '.' ? ',' : *c);
    return texte;
}

// The value of a column as the program reads it: Null "", Booleans "Vrai"/"Faux", reals with ",".
QString texteValeur(sqlite3_stmt* st, int i, bool booleen)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(st, i);
        if (booleen)
            return v ? QStringLiteral("Vrai") : QStringLiteral("Faux");
        return texteEntier(v);
    }
    case SQLITE_FLOAT:
        if (booleen)
            return sqlite3_column_double(st, i) != 0 ? QStringLiteral("Vrai") : QStringLiteral("Faux");
        return texteReel(sqlite3_column_double(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    }
}

// Reads one column row after row. A value read lately in the same column shares its text instead
// of making a new one: lists repeat club codes, dates, categories, sexes and pool lengths row
// after row, and a shared text costs neither a conversion nor an allocation (on a long list the
// allocations, and the memory they take from the system and give back, cost more than reading).
class LecteurColonne {
public:
    QString lire(sqlite3_stmt* st, int i, bool booleen)
    {
        const int type = sqlite3_column_type(st, i);
        switch (type) {
        case SQLITE_NULL:
            return QString();
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: {
            // Numbers are few and cheap to compare: the last few of them are kept.
            quint64 cle;
            if (type == SQLITE_INTEGER) {
                cle = static_cast<quint64>(sqlite3_column_int64(st, i));
            } else {
                const double v = sqlite3_column_double(st, i);
                std::memcpy(&cle, &v, sizeof cle);
            }
            for (const Nombre& n : m_nombres) {
                if (n.cle == cle && n.type == type)
                    return n.texte;
            }
            Nombre& n = m_nombres[m_prochain];
            m_prochain = (m_prochain + 1) % m_nombres.size();
            n = Nombre{type, cle, texteValeur(st, i, booleen)};
            return n.texte;
        }
        default: {
            const char* octets = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            const size_t n = static_cast<size_t>(sqlite3_column_bytes(st, i));
            if (m_texteLu && n == m_octets.size() && (n == 0 || std::memcmp(octets, m_octets.data(), n) == 0))
                return m_texte;
            m_octets.assign(octets ? octets : "", n);
            m_texte = texteValeur(st, i, booleen);
            m_texteLu = true;
            return m_texte;
        }
        }
    }

private:
    struct Nombre {
        int type = SQLITE_NULL;
        quint64 cle = 0;
        QString texte;
    };
    std::array<Nombre, 8> m_nombres;
    size_t m_prochain = 0;
    bool m_texteLu = false;
    std::string m_octets;
    QString m_texte;
};

// Who a lock file says holds it. QLockFile writes "pid\nname\nhost\n..." once it has locked it.
enum class Auteur { Aucun, CetteMachine, AutreMachine };

Auteur auteurVerrou(int fd, QString* machine = nullptr)
{
    char texte[512];
    const ssize_t lu = ::pread(fd, texte, sizeof texte, 0);
    if (lu <= 0)
        return Auteur::Aucun;
    const QList<QByteArray> lignes = QByteArray(texte, lu).split('\n');
    bool nombre = false;
    if (lignes.size() < 4 || lignes[0].toLongLong(&nombre) <= 0 || !nombre)
        return Auteur::Aucun;
    if (lignes[2] == QSysInfo::machineHostName().toUtf8())
        return Auteur::CetteMachine;
    if (machine)
        *machine = QString::fromUtf8(lignes[2]);
    return Auteur::AutreMachine;
}

QString cleVerrou(const QString& cheminBase)
{
    const QFileInfo verrou(Chemin_verrou(cheminBase));
    const QString dossier = QFileInfo(verrou.absolutePath()).canonicalFilePath();
    return (dossier.isEmpty() ? verrou.absolutePath() : dossier) + "/" + verrou.fileName();
}

std::shared_ptr<QLockFile> verrouTenuIci(const QString& cheminBase)
{
    return verrousTenus.value(cleVerrou(cheminBase)).lock();
}

// Time a holder may take between creating its lock file and locking it: a file that names no
// process may be one being made this instant.
constexpr unsigned long kAttenteCreationVerrou = 100;

// Removes a lock file that no living process holds; true when it is gone (or was replaced).
// The holder of a lock keeps a system lock (flock) on its file for as long as it lives: that,
// not what the file says, tells a live lock. The file alone proves nothing: a kill between its
// creation and its first write leaves it empty, and a process number given again may name a
// living process of the same name that holds nothing. Only a lock of another machine is taken
// at its word: a shared folder may not carry the system lock from one machine to another.
bool retirerVerrouAbandonne(const QString& chemin)
{
    const QByteArray nom = QFile::encodeName(chemin);
    const Descripteur fichier(::open(nom.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fichier.fd() < 0) {
        if (errno == ENOENT)
            return true;
        // A link is no lock of ours; a file this user may not read may be another user's.
        return errno == ELOOP && (::unlink(nom.constData()) == 0 || errno == ENOENT);
    }
    struct stat ouvert {};
    if (::fstat(fichier.fd(), &ouvert) != 0 || !S_ISREG(ouvert.st_mode))
        return false;
    const Auteur auteur = auteurVerrou(fichier.fd());
    if (auteur == Auteur::AutreMachine)
        return false;
    // Trying the lock on a file being made could take it from under its maker.
    if (auteur == Auteur::Aucun)
        QThread::msleep(kAttenteCreationVerrou);
    if (::flock(fichier.fd(), LOCK_EX | LOCK_NB) != 0)
        return false;
    // Still the same file under that name: another run may have replaced it meanwhile.
    struct stat present {};
    if (::lstat(nom.constData(), &present) != 0)
        return errno == ENOENT;
    if (present.st_dev != ouvert.st_dev || present.st_ino != ouvert.st_ino)
        return true;
    return ::unlink(nom.constData()) == 0;
}

// Work files an operation writes beside a base while it holds the base's lock: the compaction's
// copy, the restore's copy and the backup being written, the first two with the side files
// SQLite may give them. A kill leaves them behind, each as large as the base. Only these exact
// names go: a file of the user's whose name merely begins like one is his.
const char* const kRestesDeTravail[] = {".tmp.compact", ".tmp.compact-journal", ".tmp.compact-wal",
                                        ".tmp.compact-shm", ".restore.tmp", ".restore.tmp-journal",
                                        ".sav.tmp"};

void supprimerRestesDeTravail(const QString& base)
{
    // Beside the file itself too when the base is reached through a link.
    QStringList emplacements{base};
    if (const QString reel = Chemin_reel(base); reel != base)
        emplacements << reel;
    for (const QString& emplacement : std::as_const(emplacements))
        for (const char* reste : kRestesDeTravail) {
            const QFileInfo travail(emplacement + QLatin1String(reste));
            if (travail.exists() || travail.isSymLink())
                QFile::remove(travail.filePath());
        }
}

} // namespace

[[noreturn]] void Lever_erreur_sqlite(sqlite3* db, int code)
{
    const int etendu = db ? sqlite3_extended_errcode(db) : code;
    throw ErreurExecution(etendu, descriptionSqlite(etendu, db ? sqlite3_errmsg(db) : nullptr));
}

// ---------------------------------------------------------------- Requete

Requete::Requete(sqlite3* db, const QString& sql) : m_db(db)
{
    if (!db)
        throw ErreurExecution(3704, "L'opération n'est pas autorisée si l'objet est fermé.");
    const QByteArray utf8 = sql.toUtf8();
    const char* reste = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()) + 1, &m_stmt, &reste);
    if (rc != SQLITE_OK)
        Lever_erreur_sqlite(db, rc);
    if (!m_stmt)
        throw ErreurExecution(SQLITE_MISUSE, "La requête est vide.");
    if (reste && !resteVide(reste)) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw ErreurExecution(SQLITE_MISUSE, "Caractères trouvés après la fin de l'instruction SQL.");
    }
    const int n = sqlite3_column_count(m_stmt);
    m_booleen.resize(n);
    for (int i = 0; i < n; ++i) {
        const char* type = sqlite3_column_decltype(m_stmt, i);
        m_booleen[i] = type && sqlite3_stricmp(type, "BOOLEAN") == 0;
    }
}

Requete::~Requete()
{
    sqlite3_finalize(m_stmt);
}

void Requete::relier(const QVariantList& valeurs)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    lier(valeurs);
}

void Requete::lier(const QVariantList& valeurs)
{
    for (int i = 0; i < valeurs.size(); ++i) {
        const QVariant& v = valeurs[i];
        int rc;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(m_stmt, i + 1);
        } else if (v.typeId() == QMetaType::Bool) {
            rc = sqlite3_bind_int(m_stmt, i + 1, v.toBool() ? 1 : 0);
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong
                   || v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::Short) {
            rc = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            rc = sqlite3_bind_double(m_stmt, i + 1, v.toDouble());
        } else {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, i + 1, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            Lever_erreur_sqlite(m_db, rc);
    }
}

bool Requete::suivante()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    Lever_erreur_sqlite(m_db, rc);
}

int Requete::colonnes() const
{
    return sqlite3_column_count(m_stmt);
}

QString Requete::nomColonne(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Requete::texte(int i) const
{
    return texteValeur(m_stmt, i, m_booleen[i]);
}

bool Requete::booleen(int i) const
{
    return m_booleen[i];
}

// ---------------------------------------------------------------- Connexion

sqlite3* Ouvrir_connexion_sqlite(const QString& chemin, bool lectureSeule)
{
    sqlite3* db = nullptr;
    const int flags = (lectureSeule ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_EXRESCODE;
    int rc = sqlite3_open_v2(chemin.toUtf8().constData(), &db, flags, nullptr);
    auto echec = [&](int code) {
        const int etendu = db ? sqlite3_extended_errcode(db) : code;
        const QString description = descriptionSqlite(etendu, db ? sqlite3_errmsg(db) : nullptr);
        sqlite3_close(db);
        throw ErreurExecution(etendu, description);
    };
    if (rc != SQLITE_OK)
        echec(rc);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    Enregistrer_collation(db);
    // A file that is not a base only shows it at the first read.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        echec(rc);
    if (!lectureSeule) {
        // sqlite opens a file it may not write read-only without an error of its own.
        if (sqlite3_db_readonly(db, "main") == 1) {
            sqlite3_close(db);
            throw ErreurExecution(SQLITE_READONLY, texteLectureSeule(chemin));
        }
        // One file, never a write-ahead log: the base is zipped, restored and compacted whole.
        rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            echec(rc);
    }
    return db;
}

Connexion::~Connexion()
{
    fermer();
}

void Connexion::ouvrir(const QString& chemin)
{
    // A lock this process holds on the base (the one of an operation that reopens it) is shared
    // from one connection to the next: the base is never free in between.
    VerrouBase verrou;
    const bool reouverture = verrouTenuIci(chemin) != nullptr;
    if (reouverture)
        verrou.prendre(chemin);
    fermer();
    const QFileInfo info(chemin);
    if (!info.isFile())
        throw ErreurExecution(SQLITE_CANTOPEN, "Le fichier '" + chemin + "' est introuvable.");
    // The base is written as soon as it opens (its clean-close mark).
    if (!info.isWritable())
        throw ErreurExecution(SQLITE_READONLY, texteLectureSeule(chemin));
    if (const QLockFile::LockError refus = verrou.prendre(chemin); refus != QLockFile::NoError) {
        if (refus == QLockFile::LockFailedError)
            throw ErreurExecution(SQLITE_BUSY,
                                  "Une connexion est déjà active sur la base." + Texte_verrou_autre_machine(chemin));
        // The lock and the journal are written beside the base.
        throw ErreurExecution(SQLITE_CANTOPEN, "Le dossier '" + QDir::toNativeSeparators(info.absolutePath())
                                                   + "' n'est pas accessible en écriture : la base ne peut pas y être "
                                                     "ouverte. Copier la base dans un dossier modifiable.");
    }
    // Whoever wrote them held this lock: they are what a killed operation left. Reopened by an
    // operation of this process, which holds the lock, they may be its own, under way.
    if (!reouverture) {
        supprimerRestesDeTravail(chemin);
        try {
            Reprendre_sauvegardes_du_lien(chemin);
            Remettre_sauvegarde_de_cote(chemin);
        } catch (const ErreurExecution&) {
            // Left for the next opening: the backup set aside stays where it is.
        }
    }
    m_db = Ouvrir_connexion_sqlite(chemin);
    m_chemin = chemin;
    m_verrou.prendre(chemin);
}

void Connexion::fermer()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_chemin.clear();
    m_verrou.liberer();
}

VerrouBase::~VerrouBase()
{
    liberer();
}

QLockFile::LockError VerrouBase::prendre(const QString& cheminBase)
{
    liberer();
    const QString cle = cleVerrou(cheminBase);
    if (std::shared_ptr<QLockFile> tenu = verrousTenus.value(cle).lock()) {
        m_verrou = std::move(tenu);
        return QLockFile::NoError;
    }
    auto verrou = std::make_shared<QLockFile>(Chemin_verrou(cheminBase));
    const QLockFile::LockError refus = Prendre_verrou(*verrou, Chemin_verrou(cheminBase));
    if (refus != QLockFile::NoError)
        return refus;
    verrousTenus.insert(cle, verrou);
    m_verrou = std::move(verrou);
    return QLockFile::NoError;
}

void VerrouBase::garderBaseOuverte()
{
    if (cnxBase.ouverte())
        prendre(cnxBase.chemin());
}

void VerrouBase::liberer()
{
    m_verrou.reset();
    for (auto t = verrousTenus.begin(); t != verrousTenus.end();)
        t = t->expired() ? verrousTenus.erase(t) : std::next(t);
}

void FermerSqlite::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

void Executer_sur(sqlite3* db, const QString& sql)
{
    Requete r(db, sql);
    while (r.suivante()) {
    }
}

int Connexion::Execute(const QString& sql)
{
    Executer_sur(m_db, sql);
    return sqlite3_changes(m_db);
}

int Connexion::Executer_lie(const QString& sql, const QVariantList& valeurs)
{
    Requete r(m_db, sql);
    r.lier(valeurs);
    while (r.suivante()) {
    }
    return sqlite3_changes(m_db);
}

qint64 Connexion::Dernier_id() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QString Texte_base_lecture_seule(const QString& chemin, bool volumeLectureSeule)
{
    const QString fichier = "Le fichier '" + QDir::toNativeSeparators(chemin) + "' ";
    if (volumeLectureSeule)
        return fichier + "se trouve sur un support en lecture seule : la base ne peut pas être ouverte. "
                         "Copier la base sur un support modifiable.";
    return fichier + "est en lecture seule : la base ne peut pas être ouverte. Retirer la protection en écriture du fichier.";
}

QString Chemin_verrou(const QString& cheminBase)
{
    // Beside the file itself, so that a base reached through a link and by its own path is one.
    const QFileInfo info(Chemin_reel(cheminBase));
    return info.path() + "/" + info.completeBaseName() + ".ldb";
}

bool Base_verrouillee(const QString& cheminBase)
{
    if (verrouTenuIci(cheminBase))
        return true;
    QLockFile verrou(Chemin_verrou(cheminBase));
    return Prendre_verrou(verrou, Chemin_verrou(cheminBase)) == QLockFile::LockFailedError;
}

QString Machine_du_verrou(const QString& cheminBase)
{
    const Descripteur fichier(
        ::open(QFile::encodeName(Chemin_verrou(cheminBase)).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    QString machine;
    if (fichier.fd() < 0 || auteurVerrou(fichier.fd(), &machine) != Auteur::AutreMachine)
        return QString();
    // Whatever the file holds is shown as text, on one line.
    for (QChar& c : machine) {
        if (!c.isPrint())
            c = u'?';
    }
    return machine;
}

bool Verrou_de_cette_machine(const QString& chemin)
{
    const Descripteur fichier(
        ::open(QFile::encodeName(chemin).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    return fichier.fd() >= 0 && ::fstat(fichier.fd(), &info) == 0 && S_ISREG(info.st_mode)
        && auteurVerrou(fichier.fd()) == Auteur::CetteMachine;
}

QString Texte_verrou_autre_machine(const QString& cheminBase)
{
    const QString machine = Machine_du_verrou(cheminBase);
    if (machine.isEmpty())
        return QString();
    return "\r\nLa base est ouverte depuis la machine « " + machine + " ».\r\n"
           "Si cette machine ne l'utilise plus (arrêtée ou plantée), supprimer le fichier "
           + QDir::toNativeSeparators(Chemin_verrou(cheminBase)) + " puis ouvrir la base à nouveau.";
}

QLockFile::LockError Prendre_verrou(QLockFile& verrou, const QString& chemin)
{
    // QLockFile decides by itself only on a file naming a dead process; any other file it counts
    // as held for ever (with no age limit) or until it is old enough (with one). Abandoned files
    // are removed first, then the lock is taken as usual.
    verrou.setStaleLockTime(0);
    const QFileInfo fichier(chemin);
    if ((fichier.exists() || fichier.isSymLink()) && !retirerVerrouAbandonne(chemin))
        return QLockFile::LockFailedError;
    verrou.tryLock(0);
    return verrou.error();
}

// ---------------------------------------------------------------- Resultat

const QStringList& Resultat::colonne(int c) const
{
    if (c < 0 || c >= nbColonnes())
        throw ErreurExecution(9, "L'indice n'appartient pas à la sélection.");
    return m_colonnes[c];
}

const QString& Resultat::item(int c, int ligne) const
{
    const QStringList& col = colonne(c);
    if (ligne < 1 || ligne > col.size())
        throw ErreurExecution(9, "L'indice n'appartient pas à la sélection.");
    return col[ligne - 1];
}

// ---------------------------------------------------------------- Recordset

void Recordset::Open(const QString& sql)
{
    Close();
    Requete r(cnxBase.handle(), sql);
    const int n = r.colonnes();
    for (int i = 0; i < n; ++i)
        m_noms << r.nomColonne(i);
    while (r.suivante()) {
        QStringList ligne;
        ligne.reserve(n);
        for (int i = 0; i < n; ++i)
            ligne << r.texte(i);
        m_lignes.push_back(std::move(ligne));
    }
    m_ouvert = n > 0;
}

int Recordset::indexChamp(const QString& nom) const
{
    for (int i = 0; i < m_noms.size(); ++i) {
        if (m_noms[i].compare(nom, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw ErreurExecution(3265, "L'élément « " + nom + " » est introuvable dans cette collection.");
}

QString Recordset::Fields(int i) const
{
    if (!m_ouvert || EOF_() || i < 0 || i >= FieldCount())
        throw ErreurExecution(3021, "BOF ou EOF est égal à True, ou l'enregistrement actuel a été supprimé.");
    return m_lignes[m_position][i];
}

QString Recordset::Fields(const QString& nom) const
{
    return Fields(indexChamp(nom));
}

void Recordset::Close()
{
    m_ouvert = false;
    m_noms.clear();
    m_lignes.clear();
    m_position = 0;
    m_tableAjout.clear();
    m_champsAjout.clear();
    m_valeursAjout.clear();
}

void Recordset::AddNew(const QString& table)
{
    Close();
    // Reading the table's columns makes an unknown table fail here, before any field is set.
    Requete r(cnxBase.handle(), "SELECT * FROM \"" + QString(table).replace('"', "\"\"") + "\" LIMIT 0");
    for (int i = 0; i < r.colonnes(); ++i)
        m_noms << r.nomColonne(i);
    m_tableAjout = table;
    m_ouvert = true;
}

void Recordset::setChamp(const QString& nom, const QVariant& valeur)
{
    if (m_tableAjout.isEmpty())
        throw ErreurExecution(3219, "Opération non autorisée dans ce contexte.");
    const QString exact = m_noms.at(indexChamp(nom));
    const qsizetype deja = m_champsAjout.indexOf(exact);
    if (deja >= 0) {
        m_valeursAjout[deja] = valeur;
    } else {
        m_champsAjout << exact;
        m_valeursAjout << valeur;
    }
}

void Recordset::Update()
{
    if (m_tableAjout.isEmpty())
        throw ErreurExecution(3219, "Opération non autorisée dans ce contexte.");
    const QString table = "\"" + QString(m_tableAjout).replace('"', "\"\"") + "\"";
    QString sql;
    if (m_champsAjout.isEmpty()) {
        sql = "INSERT INTO " + table + " DEFAULT VALUES";
    } else {
        QStringList marques(m_champsAjout.size(), "?");
        QStringList colonnes;
        for (const QString& c : m_champsAjout)
            colonnes << "\"" + c + "\"";
        sql = "INSERT INTO " + table + " (" + colonnes.join(", ") + ") VALUES (" + marques.join(", ") + ")";
    }
    cnxBase.Executer_lie(sql, m_valeursAjout);
    const qint64 id = cnxBase.Dernier_id();
    Requete r(cnxBase.handle(), "SELECT * FROM " + table + " WHERE rowid = " + QString::number(id));
    QStringList ligne;
    if (r.suivante()) {
        for (int i = 0; i < r.colonnes(); ++i)
            ligne << r.texte(i);
    }
    m_lignes.clear();
    m_lignes.push_back(ligne);
    m_position = 0;
    m_tableAjout.clear();
    m_champsAjout.clear();
    m_valeursAjout.clear();
}

void Recordset::CancelUpdate()
{
    m_champsAjout.clear();
    m_valeursAjout.clear();
}

// ---------------------------------------------------------------- procedures

bool Ouvrir_base(QString& sErreur)
{
    Fermer_base();
    Afficher_statut("Ouverture de la base");
    try {
        cnxBase.ouvrir(strCheminBase);
    } catch (const ErreurExecution& e) {
        sErreur = Texte_erreur(e.numero(), e.description());
        Afficher_statut("");
        return false;
    }
    Afficher_statut("");
    return true;
}

void Fermer_base()
{
    if (!cnxBase.ouverte())
        return;
    try {
        cnxBase.Execute("Update Info Set LastClose = True");
    } catch (const std::exception& e) {
        cnxBase.fermer();
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la fermeture de la base.");
        return;
    }
    cnxBase.fermer();
}

void Ouvrir_requete(const QString& sql)
{
    try {
        rsRequete.Open(sql);
    } catch (const std::exception& e) {
        rsRequete.Close();
        Memoriser_erreur(e);
        Afficher_erreur("La requête suivante n'a pu être exécutée : " + sql);
    }
}

void Executer_requete(const QString& sql, bool bDoublerApostrophes)
{
    std::vector<QStringList>& colonnes = colResultat.colonnes();
    colonnes.clear();
    try {
        Requete r(cnxBase.handle(), sql);
        const int n = r.colonnes();
        if (n == 0) {
            while (r.suivante()) {
            }
            colonnes.resize(1);
            return;
        }
        colonnes.resize(n);
        std::vector<LecteurColonne> lecteurs(n);
        while (r.suivante()) {
            for (int i = 0; i < n; ++i) {
                QString v = lecteurs[i].lire(r.stmt(), i, r.booleen(i));
                if (bDoublerApostrophes && v.contains('\''))
                    v.replace('\'', "''");
                colonnes[i].append(std::move(v));
            }
        }
    } catch (const std::exception& e) {
        colonnes.clear();
        colonnes.resize(1);
        Memoriser_erreur(e);
        Afficher_erreur("La requête suivante n'a pu être exécutée : " + sql);
    }
}

void Liberer_resultat()
{
    colResultat.vider();
}

QList<QStringList> Lignes_requete_liee(const QString& sql, const QVariantList& valeurs)
{
    Requete requete(cnxBase.handle(), sql);
    requete.lier(valeurs);
    QList<QStringList> lignes;
    while (requete.suivante()) {
        QStringList ligne;
        for (int c = 0; c < requete.colonnes(); ++c)
            ligne << requete.texte(c);
        lignes << ligne;
    }
    return lignes;
}

int Lire_nombre(const QString& sql)
{
    Requete r(cnxBase.handle(), sql);
    if (!r.suivante() || r.colonnes() < 1)
        throw ErreurExecution(3021, "BOF ou EOF est égal à True, ou l'enregistrement actuel a été supprimé.");
    if (sqlite3_column_type(r.stmt(), 0) == SQLITE_NULL)
        throw ErreurExecution(94, "Utilisation incorrecte de Null");
    const qint64 v = sqlite3_column_int64(r.stmt(), 0);
    if (v > INT32_MAX || v < INT32_MIN)
        throw ErreurExecution(6, "Dépassement de capacité");
    return static_cast<int>(v);
}

void Ouvrir_table_ajout(const QString& table)
{
    rsRequete.AddNew(table);
}

void Annuler_recordset(bool bAnnulerMaj, bool bFermer)
{
    if (bAnnulerMaj)
        rsRequete.CancelUpdate();
    if (bFermer)
        rsRequete.Close();
}

namespace {
// Adds one row through the shared recordset and returns its key, or "" on failure.
QString Inserer_ligne(const QString& table, const QStringList& champs, const QVariantList& valeurs,
                      const QString& cle)
{
    bool ouvert = false;
    bool majEnCours = false;
    try {
        Ouvrir_table_ajout(table);
        ouvert = true;
        for (int i = 0; i < champs.size(); ++i)
            rsRequete.setChamp(champs[i], valeurs[i]);
        majEnCours = true;
        rsRequete.Update();
        majEnCours = false;
        const QString numero = rsRequete.Fields(cle).trimmed();
        rsRequete.Close();
        return numero;
    } catch (const std::exception&) {
        Annuler_recordset(majEnCours, ouvert);
        return QString();
    }
}
} // namespace

QString Creer_modele(const QString& nom, const QString& table)
{
    return Inserer_ligne(table, {"Nom_modele", "Num_profil"}, {nom, strNumProfil}, "NumAuto");
}

QString Creer_piscine(const QStringList& valeurs)
{
    QVariantList v;
    for (int i = 0; i < 6; ++i)
        v << (i < valeurs.size() ? valeurs[i] : QString());
    return Inserer_ligne("Piscine", {"Nom", "Adresse", "Code_Postal", "Ville", "NbCouloir", "Bassin"}, v, "Num");
}

void Vider_table(const QString& table)
{
    cnxBase.Execute("delete from " + table);
}

PointSauvegarde::PointSauvegarde(const QString& nom) : m_nom(nom)
{
    cnxBase.Execute("SAVEPOINT " + m_nom);
}

PointSauvegarde::~PointSauvegarde()
{
    if (m_valide)
        return;
    try {
        cnxBase.Execute("ROLLBACK TO " + m_nom);
        cnxBase.Execute("RELEASE " + m_nom);
    } catch (const std::exception&) {
        // The connection is gone: nothing is left to undo.
    }
}

void PointSauvegarde::valider()
{
    cnxBase.Execute("RELEASE " + m_nom);
    m_valide = true;
}

bool Supprimer_modele_engagement(const QString& numero)
{
    try {
        for (const char* table : {"Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
            cnxBase.Execute(QString("DELETE from %1 where Num_modele = %2").arg(table, numero));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

QString Controler_licence_nulle()
{
    // The placeholder is found by its exact name: a swimmer really named "NULL" is not it.
    const QString recherche = "select Num from Licence where Nom = 'Null' COLLATE BINARY";
    try {
        for (int essai = 0; essai < 2; ++essai) {
            Executer_requete(recherche, false);
            if (colResultat.Count(0) >= 1) {
                const QString numero = colResultat.item(0, 1);
                Liberer_resultat();
                return numero;
            }
            Liberer_resultat();
            if (essai == 0)
                cnxBase.Execute("INSERT INTO Licence (Code_Club, Licence, Nom, Visible, Date_suppr) VALUES ('"
                                + QString(strCodeClub).replace('\'', "''") + "', '1', 'Null', false, '');");
        }
        throw ErreurExecution(3021, "La licence nulle n'a pu être créée.");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du contrôle de la licence nulle.");
        return QString();
    }
}

void Controler_piscine_reference()
{
    try {
        if (Lire_nombre("select count(*) from Piscine where Nom = 'Null' COLLATE BINARY") == 0)
            cnxBase.Execute("INSERT INTO Piscine (Nom) VALUES ('Null');");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du contrôle de la piscine de référence.");
    }
}
