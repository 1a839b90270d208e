#pragma once
// What the exchange components share: the tab-separated file format (docs/echanges.md), the
// trace file, the private connection with its one transaction, value checks and progress.

#include "core/composants.h"
#include "core/dates.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>
#include <vector>

class CibleProgression;
class Requete;
struct sqlite3;

namespace Echange {

// ---------------------------------------------------------------- trace

// The trace file the runner shows: plain UTF-8, one line per event, written as it goes so that
// whatever happened before a crash is there.
class Journal {
public:
    // Creates or replaces the file. Throws ErreurExecution when it cannot.
    explicit Journal(const QString& chemin);
    void ecrire(const QString& ligne);
    // A line about one row of a file: past a few hundred they are only counted, so that a
    // file refused line by line still gives a trace one can read.
    void detail(const QString& ligne);
    // Says how many detail lines were only counted.
    void fermerDetails();

private:
    QFile m_fichier;
    int m_details = 0;
};

// An input refused as a whole, with the reasons to list in the trace.
class Refus : public std::runtime_error {
public:
    explicit Refus(const QStringList& raisons);
    explicit Refus(const QString& raison) : Refus(QStringList{raison}) {}
    const QStringList& raisons() const { return m_raisons; }

private:
    QStringList m_raisons;
};

// ---------------------------------------------------------------- component frame

// One exchange component: one method with a fixed number of arguments. The trace is opened
// before anything else and closed with the outcome; any failure is written there and returns
// false, never true.
class ComposantEchange : public Composant {
public:
    QVariant appeler(const QString& membre, const QVariantList& arguments) final;

protected:
    ComposantEchange(QString methode, int nbArguments, int indexTrace, QString titre, bool ecritBase);
    virtual bool executer(const QVariantList& arguments, Journal& journal) = 0;

private:
    QString m_methode;
    int m_nbArguments;
    int m_indexTrace;
    QString m_titre;
    bool m_ecritBase;
};

QString Texte(const QVariant& v);
bool Booleen(const QVariant& v);

// ---------------------------------------------------------------- progress

// The runner's progress bar and labels, when a target was given; calls are thinned out so
// that a long file does not spend its time repainting.
class Progression {
public:
    explicit Progression(const QVariant& cible);
    // True when the bar moved: at most a hundred times, whatever the length of the input.
    bool avancer(qint64 fait, qint64 total);
    void club(const QString& nom);
    void nageur(const QString& nom);

private:
    CibleProgression* cible() const;
    bool afficherNoms();
    QPointer<QObject> m_objet;
    int m_pourcent = -1;
    QElapsedTimer m_horloge;
    QString m_club;
};

// ---------------------------------------------------------------- tab-separated files

// Tab, line feed, carriage return and backslash written as \t, \n, \r and \\.
QString Echapper(const QString& valeur);
QString Desechapper(const QString& champ);

// Writes a file into the work folder; it appears only once complete (terminer()).
class EcrivainTsv {
public:
    // Throws ErreurExecution when the file cannot be created.
    EcrivainTsv(const QString& chemin, const QStringList& colonnes);
    void ecrire(const QStringList& valeurs);
    // Throws ErreurExecution when the file cannot be written.
    void terminer();
    qint64 lignes() const { return m_lignes; }

private:
    void vider();
    QSaveFile m_fichier;
    QByteArray m_tampon;
    qsizetype m_colonnes;
    qint64 m_lignes = 0;
};

// A whole file read and checked: every line has the header's number of fields.
struct FichierTsv {
    QString nom;
    QStringList colonnes;
    std::vector<QStringList> lignes; // values unescaped
    std::vector<int> numeros;        // line numbers in the file, header = 1
    // Index of a column, -1 when the file has none.
    int index(const QString& colonne) const;
    // The value, "" for a column the file has not.
    const QString& valeur(size_t ligne, int colonne) const;
};

// Throws Refus listing what is wrong: not UTF-8, no header, a required column missing or a
// column twice, lines whose number of fields differs from the header's.
FichierTsv Lire_tsv(const QString& chemin, const QStringList& obligatoires);

// The first of the names that exists in the folder, "" when none.
QString Fichier_present(const QString& dossier, const QStringList& noms);

// ---------------------------------------------------------------- database

// A private connection on the base file, closed when the object goes. Writes happen between
// commencer() and valider(); a transaction not committed is rolled back, so an import is
// all or nothing.
class BaseEchange {
public:
    BaseEchange(const QString& chemin, bool lectureSeule);
    ~BaseEchange();
    BaseEchange(const BaseEchange&) = delete;
    BaseEchange& operator=(const BaseEchange&) = delete;
    sqlite3* db() const { return m_db; }
    void commencer();
    void valider();
    // The first column of the first row, "" when no row.
    QString valeur(const QString& sql, const QVariantList& valeurs = {}) const;
    qint64 dernierId() const;

private:
    sqlite3* m_db = nullptr;
    bool m_transaction = false;
};

// Runs a prepared statement again with new values.
void Executer(Requete& requete, const QVariantList& valeurs);
// A column as the files hold it: numbers with ".", yes/no as 0/1, Null as "".
QString Valeur_brute(const Requete& requete, int colonne);

// ---------------------------------------------------------------- values

// Dates: Date_correcte and Date_passee (core/dates.h), the bounds the licence window holds too.
// A swim time M.SSCC, above 0, seconds below 60, below 91 minutes: 91 to 94 are what Tps holds
// for a disqualification or a withdrawal.
bool Temps_correct(const QString& texte, double& temps);
// Why a swim time M.SSCC cannot be: not finite, negative, 91 minutes or more, 60 seconds or more;
// "" when it can.
QString Raison_temps_impossible(double temps);
// Why the line's value in one of the columns cannot be stored: a control character (NUL,
// U+0001 to U+001F, U+007F to U+009F), tab, line feed and carriage return aside in the columns
// that may hold several lines. "" when there is none.
QString Caractere_interdit(const FichierTsv& f, size_t ligne, const QStringList& colonnes,
                           const QStringList& surPlusieursLignes = {});
// A whole number (an optional sign, digits).
bool Entier_correct(const QString& texte, qint64& valeur);
// "1" or "0" (also "Vrai"/"Faux", "true"/"false").
bool Booleen_correct(const QString& texte, bool& valeur);
// The shortest text that reads back as the same number, with ".".
QString Reel_texte(double valeur);
// How many rows of a kind, for the trace: "1 club", "3 clubs".
QString Nombre(qint64 n, const QString& singulier, const QString& pluriel);

// ---------------------------------------------------------------- matching keys

// The key two spellings of one name meet under, in every exchange that matches swimmers or clubs
// by name, on both sides: each letter as its base letter (marks dropped; ß as SS, Ø as O, Ł as L,
// Đ as D, Æ as AE, Œ as OE, Þ as TH), then upper case (ª as A, º as O, № as NO), without spaces,
// hyphens or apostrophes. So the file's "Balduíno", "João", "Núñez", "O'Brien" or "Srª." is our
// "BALDUINO", "JOAO", "NUNEZ", "OBRIEN", "SRA.".
QString Cle_nom(const QString& nom);
// A swimmer as the exchanges find him without a number: family name, first name and birth date.
QString Identite(const QString& nom, const QString& prenom, const QString& naissance);

} // namespace Echange

// Exports the library's factory: each class name with the type created for it.
#define QV_COMPOSANTS_ECHANGE(...)                                                                          \
    QV_EXPORTER_COMPOSANT Composant* qv_creer_composant(const char* classe)                                  \
    {                                                                                                        \
        return Echange::Creer<__VA_ARGS__>(classe);                                                          \
    }                                                                                                        \
    QV_EXPORTER_COMPOSANT const char* qv_version_composant()                                                 \
    {                                                                                                        \
        return QV_COMPONENT_VERSION;                                                                         \
    }

namespace Echange {
template <class... T>
Composant* Creer(const char* classe)
{
    Composant* c = nullptr;
    ((c = (!c && qstrcmp(classe, T::nomClasse) == 0) ? new T : c), ...);
    return c;
}
} // namespace Echange
