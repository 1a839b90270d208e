#pragma once
// The one connection to the open base, the shared recordset and the query result, and the few
// procedures through which every window reads and writes.

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The lock of a base (its ".ldb" file), held for as long as the object holds it. The lock belongs
// to the process: whoever in it works on the base (the connection, an operation that closes the
// connection for a while) shares the one lock, and the file is let go when the last one ends.
class VerrouBase {
public:
    VerrouBase() = default;
    ~VerrouBase();
    VerrouBase(const VerrouBase&) = delete;
    VerrouBase& operator=(const VerrouBase&) = delete;
    // Takes the base's lock, or shares the one this process holds. NoError once held;
    // LockFailedError when another living process (or another machine) holds it.
    QLockFile::LockError prendre(const QString& cheminBase);
    // Shares the lock of the base open on cnxBase (nothing when none is open): it stays held
    // once the connection is closed, until this object lets it go.
    void garderBaseOuverte();
    void liberer();
    bool tenu() const { return m_verrou != nullptr; }

private:
    std::shared_ptr<QLockFile> m_verrou;
};

// The base's connection. A statement that fails throws ErreurExecution.
class Connexion {
public:
    Connexion() = default;
    ~Connexion();
    Connexion(const Connexion&) = delete;
    Connexion& operator=(const Connexion&) = delete;

    // Opens an existing base and takes its lock; never creates a file. Throws on failure.
    void ouvrir(const QString& chemin);
    // Closes without writing anything; releases the connection's share of the lock.
    void fermer();
    bool ouverte() const { return m_db != nullptr; }
    // 1 when open, 0 when closed.
    int State() const { return ouverte() ? 1 : 0; }
    const QString& chemin() const { return m_chemin; }

    // Runs one statement (a text with a second statement is refused); returns the rows changed.
    int Execute(const QString& sql);
    // Runs one statement with ? values bound in order.
    int Executer_lie(const QString& sql, const QVariantList& valeurs);
    qint64 Dernier_id() const;
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
    QString m_chemin;
    VerrouBase m_verrou;
};

// Opens a connection on a database file with the program's settings (no creation, French
// comparison, single-file journal). Throws ErreurExecution. The caller owns the handle.
sqlite3* Ouvrir_connexion_sqlite(const QString& chemin, bool lectureSeule = false);
// Such a connection, closed when it goes out of scope.
struct FermerSqlite {
    void operator()(sqlite3* db) const;
};
using ConnexionLocale = std::unique_ptr<sqlite3, FermerSqlite>;
// Runs one statement to its end on a connection of its own. Throws ErreurExecution.
void Executer_sur(sqlite3* db, const QString& sql);
// A prepared statement of one statement only. Throws ErreurExecution.
class Requete {
public:
    Requete(sqlite3* db, const QString& sql);
    ~Requete();
    Requete(const Requete&) = delete;
    Requete& operator=(const Requete&) = delete;
    void lier(const QVariantList& valeurs);
    // Makes the statement new again and binds these values, to be run once more.
    void relier(const QVariantList& valeurs);
    // false at the end of the rows.
    bool suivante();
    int colonnes() const;
    QString nomColonne(int i) const;
    // The value as the program reads it: Null "", Booleans "Vrai"/"Faux", reals with ",".
    QString texte(int i) const;
    // Whether the column is declared BOOLEAN.
    bool booleen(int i) const;
    sqlite3_stmt* stmt() const { return m_stmt; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    std::vector<char> m_booleen;
};

// Throws the connection's last error as ErreurExecution.
[[noreturn]] void Lever_erreur_sqlite(sqlite3* db, int code);

// The rows of a query, column by column: colonne(c) is column c of the SELECT list,
// item(c, i) its row i counted from 1.
class Resultat {
public:
    int nbColonnes() const { return static_cast<int>(m_colonnes.size()); }
    // Rows, from the first column's count.
    int nbLignes() const { return m_colonnes.empty() ? 0 : static_cast<int>(m_colonnes[0].size()); }
    int Count(int c) const { return static_cast<int>(colonne(c).size()); }
    const QStringList& colonne(int c) const;
    // Throws ErreurExecution(9) outside the result.
    const QString& item(int c, int ligne) const;
    void vider() { m_colonnes.clear(); }
    std::vector<QStringList>& colonnes() { return m_colonnes; }

private:
    std::vector<QStringList> m_colonnes;
};

// The shared recordset: a query's rows read up front (callers may write while they walk them),
// or one new row of a table.
class Recordset {
public:
    void Open(const QString& sql);
    bool EOF_() const { return m_position >= static_cast<qsizetype>(m_lignes.size()); }
    void MoveNext() { ++m_position; }
    int FieldCount() const { return static_cast<int>(m_noms.size()); }
    QString Fields(int i) const;
    QString Fields(const QString& nom) const;
    int RecordCount() const { return static_cast<int>(m_lignes.size()); }
    bool estOuvert() const { return m_ouvert; }
    void Close();

    // New row of a table: AddNew, set the fields, Update, read the key back, Close.
    void AddNew(const QString& table);
    void setChamp(const QString& nom, const QVariant& valeur);
    void Update();
    void CancelUpdate();

private:
    int indexChamp(const QString& nom) const;
    bool m_ouvert = false;
    QStringList m_noms;
    std::vector<QStringList> m_lignes;
    qsizetype m_position = 0;
    QString m_tableAjout;
    QStringList m_champsAjout;
    QVariantList m_valeursAjout;
};

extern Connexion cnxBase;

// A savepoint on cnxBase: what runs while it lives is undone at its end unless validated. It
// nests inside a caller's transaction.
class PointSauvegarde {
public:
    explicit PointSauvegarde(const QString& nom);
    ~PointSauvegarde();
    PointSauvegarde(const PointSauvegarde&) = delete;
    PointSauvegarde& operator=(const PointSauvegarde&) = delete;
    void valider();

private:
    QString m_nom;
    bool m_valide = false;
};

extern Recordset rsRequete;
extern Resultat colResultat;

bool Ouvrir_base(QString& sErreur);
// Marks the base as cleanly closed, then closes; the connection is closed and the lock
// released even when the mark cannot be written.
void Fermer_base();
void Ouvrir_requete(const QString& sql);
void Executer_requete(const QString& sql, bool bDoublerApostrophes);
void Liberer_resultat();
int Lire_nombre(const QString& sql);
// The rows of a SELECT on cnxBase run with its ? values bound, each as the program reads it.
QList<QStringList> Lignes_requete_liee(const QString& sql, const QVariantList& valeurs = {});
void Ouvrir_table_ajout(const QString& table);
void Annuler_recordset(bool bAnnulerMaj, bool bFermer);
QString Creer_modele(const QString& nom, const QString& table);
QString Creer_piscine(const QStringList& valeurs);
void Vider_table(const QString& table);
bool Supprimer_modele_engagement(const QString& numero);
QString Controler_licence_nulle();
void Controler_piscine_reference();

// Why a base cannot be written, in the user's words: the file's own protection, or a volume that
// takes no write at all (mounted read-only, a locked medium), which no change to the file lifts.
QString Texte_base_lecture_seule(const QString& chemin, bool volumeLectureSeule);
// Path of the lock file of a base ("x.mdb" -> "x.ldb"), beside the file a link names.
QString Chemin_verrou(const QString& cheminBase);
// True while a live process (this one included) holds the base's lock; false when the lock is
// free or cannot be taken at all (a folder the user may not write: opening then says so).
bool Base_verrouillee(const QString& cheminBase);
// The machine a lock of another machine names, "" for any other lock: a lock of another machine
// cannot be checked from here and stays until it is removed by hand.
QString Machine_du_verrou(const QString& cheminBase);
// True for a lock file as a lock of this machine writes it (a process number, a name, this
// machine's name), held or not: never a file of the user's that merely bears such a name.
bool Verrou_de_cette_machine(const QString& chemin);
// For such a lock, the lines that name the machine and the lock file to remove once that machine
// no longer uses the base, each after a line break; "" for any other lock.
QString Texte_verrou_autre_machine(const QString& cheminBase);
// Takes the lock file at chemin (verrou is made on that path). A lock file no living process
// holds, whatever it holds (an empty one, a foreign one, one naming a dead process), is taken
// over: only a live holder locks anything out. NoError once taken.
QLockFile::LockError Prendre_verrou(QLockFile& verrou, const QString& chemin);
