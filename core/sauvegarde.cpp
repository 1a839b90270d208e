#include "core/sauvegarde.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/ini.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"
#include "core/version_fichier.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kErreurChemin = 75;

void menusBaseOuverte()
{
    if (Etapes_base().menusBaseOuverte)
        Etapes_base().menusBaseOuverte();
}

void menusBaseFermee()
{
    if (Etapes_base().menusBaseFermee)
        Etapes_base().menusBaseFermee();
}

QString valeurUnique(sqlite3* db, const char* sql)
{
    Requete r(db, sql);
    return r.suivante() ? r.texte(0) : QString();
}

qint64 lireEntier(sqlite3* db, const char* sql)
{
    return valeurUnique(db, sql).toLongLong();
}

// ---- The shape of a base, as SQLite reads its schema ----

char minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The statement cut as SQLite's tokenizer cuts it: blanks and comments dropped, keywords and bare
// names in lower case (SQLite ignores their ASCII case, and only that), literals and quoted names
// as written. Two definitions with the same tokens declare the same thing, whatever their layout:
// a column added by an upgrade script reads as the same column written in the model.
QByteArrayList jetons(const QByteArray& sql)
{
    const auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; };
    const auto mot = [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
            || (c >= '0' && c <= '9') || c == '_' || c == '$';
    };
    QByteArrayList sortie;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = sql[i];
        const qsizetype debut = i;
        if (blanc(c)) {
            ++i;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const qsizetype fin = sql.indexOf("*/", i + 2);
            i = fin < 0 ? n : fin + 2;
        } else if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char fermant = c == '[' ? ']' : c;
            for (++i; i < n; ++i) {
                if (sql[i] != fermant)
                    continue;
                if (fermant != ']' && i + 1 < n && sql[i + 1] == fermant) {
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            sortie << sql.mid(debut, i - debut);
        } else if (mot(c)) {
            QByteArray m;
            for (; i < n && mot(sql[i]); ++i)
                m += minuscule(sql[i]);
            sortie << m;
        } else {
            sortie << QByteArray(1, c);
            ++i;
        }
    }
    return sortie;
}

// A table as declared: each column's definition and each constraint of the table, in their
// order, and what follows the list (WITHOUT ROWID, STRICT).
struct Table {
    QByteArrayList colonnes;
    QByteArrayList contraintes;
    QByteArray suite;
    bool lue = false;
};

Table lireTable(const QByteArrayList& j)
{
    static const QSet<QByteArray> tetesContrainte{"constraint", "primary", "unique", "check", "foreign"};
    Table t;
    QByteArrayList element;
    const auto ranger = [&] {
        (tetesContrainte.contains(element.value(0)) ? t.contraintes : t.colonnes) << element.join(' ');
        element.clear();
    };
    int profondeur = 0;
    for (qsizetype i = j.indexOf("(") + 1; i > 0 && i < j.size(); ++i) {
        const QByteArray& x = j[i];
        if (x == ")" && profondeur == 0) {
            ranger();
            t.suite = j.mid(i + 1).join(' ');
            t.lue = true;
            break;
        }
        if (x == "," && profondeur == 0) {
            ranger();
            continue;
        }
        profondeur += x == "(" ? 1 : x == ")" ? -1 : 0;
        element << x;
    }
    return t;
}

// Indexes, triggers and views, by what their statement creates.
struct Objet {
    QByteArray genre; // "index", "unique", "trigger", "view", or the statement's second word
    QByteArray table;
    QByteArray texte;
};

struct Forme {
    QHash<QByteArray, Table> tables;
    QHash<QByteArray, QByteArray> tetesTables; // "table" or "virtual"
    QHash<QByteArray, Objet> objets;
};

QByteArray cle(const QString& nom)
{
    QByteArray c = nom.toUtf8();
    for (char& x : c)
        x = minuscule(x);
    return c;
}

Forme lireForme(sqlite3* db)
{
    Forme f;
    // Rows without text are the indexes of a table's own constraints, read with the table.
    Requete r(db, "SELECT name, tbl_name, sql FROM sqlite_master WHERE sql IS NOT NULL");
    while (r.suivante()) {
        const QByteArray nom = cle(r.texte(0));
        // SQLite's own bookkeeping (key counters, statistics).
        if (nom == "sqlite_sequence" || nom.startsWith("sqlite_stat"))
            continue;
        const QByteArrayList j = jetons(r.texte(2).toUtf8());
        const QByteArray genre = j.value(0) == "create" ? j.value(1) : QByteArray("?");
        if (genre == "table" || genre == "virtual") {
            f.tables.insert(nom, genre == "table" ? lireTable(j) : Table());
            f.tetesTables.insert(nom, genre);
        } else {
            f.objets.insert(nom, Objet{genre, cle(r.texte(1)), j.join(' ')});
        }
    }
    return f;
}

// The columns as SQLite understood their declaration: name, type, NOT NULL, default, key,
// generated, collation, autoincrement.
QStringList colonnesLues(sqlite3* db, const QString& table)
{
    QStringList colonnes;
    Requete r(db, "SELECT name, type, \"notnull\", dflt_value, pk, hidden FROM pragma_table_xinfo(?)");
    r.lier({table});
    const QByteArray t = table.toUtf8();
    while (r.suivante()) {
        const QByteArray nom = r.texte(0).toUtf8();
        const char* type = nullptr;
        const char* collation = nullptr;
        int nonNul = 0;
        int primaire = 0;
        int autoIncrement = 0;
        QString c;
        for (int i = 0; i < 6; ++i)
            c += r.texte(i) + '|';
        if (sqlite3_table_column_metadata(db, "main", t.constData(), nom.constData(), &type, &collation, &nonNul, &primaire,
                                          &autoIncrement)
            == SQLITE_OK)
            c += QString::fromUtf8(collation) + '|' + QString::number(autoIncrement);
        colonnes << c;
    }
    return colonnes;
}

// Tables the program writes by position (an insert without its column list, or a copy of whole
// rows from one table to another): a column added after the model's ones breaks those writes.
const QSet<QByteArray>& tablesEcritesParPosition()
{
    static const QSet<QByteArray> tables{"engag", "engag_tempo", "engag_equipe", "engag_equipe_modele", "liffn",
                                         "liffn_relais", "rcomp", "rcomp_tempo", "relais", "relais_tempo"};
    return tables;
}

// A column a later version adds after the model's ones: nothing in it may refuse or change the
// program's writes, which do not name it.
bool colonneAjoutable(const QByteArray& definition)
{
    static const QSet<QByteArray> interdits{"check", "primary", "unique", "references", "generated", "as", "constraint"};
    const QByteArrayList j = definition.split(' ');
    for (const QByteArray& x : j) {
        if (interdits.contains(x))
            return false;
    }
    const qsizetype non = j.indexOf("not");
    return non < 0 || j.value(non + 1) != "null" || j.contains("default");
}

// The copy holds every table of the model with its columns (declaration and order), its
// constraints, and every index and trigger of the model, exactly. A later version may add tables,
// columns after the model's ones and plain indexes; never a trigger, a view, a unique index or a
// constraint of its own: each would act on the program's writes.
bool aLaFormeDuModele(sqlite3* modele, sqlite3* copie, bool plusRecente)
{
    const Forme attendu = lireForme(modele);
    const Forme trouve = lireForme(copie);
    if (attendu.tables.isEmpty())
        return false;
    for (auto t = attendu.tables.cbegin(); t != attendu.tables.cend(); ++t) {
        const auto u = trouve.tables.constFind(t.key());
        if (u == trouve.tables.cend() || !u->lue || u->suite != t->suite || u->contraintes != t->contraintes
            || u->colonnes.mid(0, t->colonnes.size()) != t->colonnes)
            return false;
        const QByteArrayList ajoutees = u->colonnes.mid(t->colonnes.size());
        if (!ajoutees.isEmpty()
            && (!plusRecente || tablesEcritesParPosition().contains(t.key())
                || !std::all_of(ajoutees.cbegin(), ajoutees.cend(), colonneAjoutable)))
            return false;
        // What SQLite made of the declaration, so that no way of writing it escapes the comparison.
        const QString nom = QString::fromUtf8(t.key());
        const QStringList lues = colonnesLues(copie, nom);
        if (lues.mid(0, t->colonnes.size()) != colonnesLues(modele, nom) || lues.size() != u->colonnes.size())
            return false;
    }
    for (auto t = trouve.tetesTables.cbegin(); t != trouve.tetesTables.cend(); ++t) {
        if (t.value() != "table")
            return false;
    }
    for (auto o = attendu.objets.cbegin(); o != attendu.objets.cend(); ++o) {
        const auto p = trouve.objets.constFind(o.key());
        if (p == trouve.objets.cend() || p->texte != o->texte)
            return false;
    }
    for (auto p = trouve.objets.cbegin(); p != trouve.objets.cend(); ++p) {
        if (attendu.objets.contains(p.key()))
            continue;
        // A plain index only, on a table of its own or in a later version.
        if (p->genre != "index" || (attendu.tables.contains(p->table) && !plusRecente))
            return false;
    }
    return true;
}

// The copy alone in its folder, in the rollback-journal format every base of ours keeps: with a
// journal or a write-ahead log beside it, or in that format, SQLite would show a base other than
// the file put in place.
bool copieSeule(const QString& copie)
{
    const QFileInfo info(copie);
    if (!info.isFile() || info.isSymLink())
        return false;
    if (QDir(info.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        != QStringList{info.fileName()})
        return false;
    QFile f(copie);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray entete = f.read(100);
    return entete.size() == 100 && entete.startsWith(QByteArray("SQLite format 3\0", 16)) && entete[18] == 1
        && entete[19] == 1;
}

double versionDe(sqlite3* db)
{
    return Valeur_numerique(valeurUnique(db, "SELECT Version FROM Info"));
}

// Both hold the same tables, columns, constraints, indexes and triggers, exactly.
bool memeForme(sqlite3* a, sqlite3* b)
{
    return aLaFormeDuModele(a, b, false) && aLaFormeDuModele(b, a, false);
}

// A version the upgrade can count from (it counts in whole numbers).
bool versionLisible(double version)
{
    return std::isfinite(version) && version > std::numeric_limits<int>::min()
        && version < std::numeric_limits<int>::max();
}

// An older copy, upgraded aside as its opening will upgrade it: true when that brings it to a
// version the program opens, with the model's shape or the shape of the base it replaces (the
// backup made before an upgrade whose script writes a column otherwise than the model does).
bool miseAJourALaForme(const QString& copie, double version, sqlite3* modele, double versionModele, sqlite3* actuelle)
{
    try {
        const FichierIni script(Chemin_maj_base_ini());
        const int depart = static_cast<int>(std::floor(version));
        if (!script.existe() || Valeur_numerique(script.valeur("INFO", "Version finale")) <= depart)
            return false;
        const QString miseAJour = copie + ".maj";
        if (!QFile::copy(copie, miseAJour))
            return false;
        QFile::setPermissions(miseAJour, QFile::ReadOwner | QFile::WriteOwner);
        const ConnexionLocale maj(Ouvrir_connexion_sqlite(miseAJour, false));
        const int atteinte =
            Executer_script_maj(script, depart, [&maj](const QString& sql) { Executer_sur(maj.get(), sql); });
        if (atteinte < Version_base_necessaire)
            return false;
        return (atteinte >= versionModele && aLaFormeDuModele(modele, maj.get(), atteinte > versionModele))
            || (actuelle && memeForme(actuelle, maj.get()));
    } catch (const std::exception&) {
        return false;
    }
}

// The base a backup would replace, when it can still be read.
ConnexionLocale baseActuelle(const QString& base)
{
    try {
        return ConnexionLocale(Ouvrir_connexion_sqlite(base, true));
    } catch (const std::exception&) {
        return ConnexionLocale(nullptr);
    }
}

// A backup damaged on the disk, or any file zipped under the base's name, must never take the
// base's place: the copy has to be a whole base of this program, with a version the program
// opens or upgrades, and the model's shape (or the one the upgrade gives it), or exactly the
// shape of the base it replaces: that base's own backup, whatever model is installed since.
// The copy checked is the copy put in place, untouched.
bool estBaseDuProgramme(const QString& copie, const QString& base)
{
    try {
        if (!copieSeule(copie))
            return false;
        const ConnexionLocale essai(Ouvrir_connexion_sqlite(copie, true));
        Requete integrite(essai.get(), "PRAGMA integrity_check");
        if (!integrite.suivante() || integrite.texte(0) != "ok")
            return false;
        // One row, whose version is a number, read as the opening reads it.
        Requete info(essai.get(), "SELECT typeof(Version), Version, (SELECT count(*) FROM Info) FROM Info");
        if (!info.suivante() || info.texte(2) != "1" || (info.texte(0) != "integer" && info.texte(0) != "real"))
            return false;
        const double version = Valeur_numerique(info.texte(1));
        if (!versionLisible(version))
            return false;
        const bool ouvrable = version >= Version_base_necessaire;
        const ConnexionLocale modele(Ouvrir_connexion_sqlite(strCheminModeleBase, true));
        const double versionModele = versionDe(modele.get());
        const ConnexionLocale actuelle = baseActuelle(base);
        if (ouvrable && version >= versionModele && aLaFormeDuModele(modele.get(), essai.get(), version > versionModele))
            return true;
        if (version < versionModele && miseAJourALaForme(copie, version, modele.get(), versionModele, actuelle.get()))
            return true;
        if (!actuelle || !memeForme(actuelle.get(), essai.get()))
            return false;
        // The base's own shape: put back with a version the program opens, or with the base's own
        // (the backup made before an upgrade that failed, which changes nothing it could open).
        return ouvrable || version == versionDe(actuelle.get());
    } catch (const std::exception&) {
        return false;
    }
}

const char* const kTablesTemporaires[] = {"Licence_tempo", "Pcomp_tempo", "Rcomp_tempo", "Relais_tempo", "Engag_tempo"};

} // namespace

EtapesBase& Etapes_base()
{
    // The menus live in core; the club check and the profile loader are installed by their layers.
    static EtapesBase etapes{Menus_base_ouverte, Menus_base_fermee, {}, {}};
    return etapes;
}

QString Chemin_sauvegarde_de(const QString& base)
{
    return Chemin_reel(base) + ".sav";
}

QString Chemin_sauvegarde()
{
    return Chemin_sauvegarde_de(strCheminBase);
}

void Reprendre_sauvegardes_du_lien(const QString& base)
{
    const QString reelle = Chemin_reel(base);
    if (reelle == base)
        return;
    for (const char* suffixe : {".sav", ".sav.maj"}) {
        const QFileInfo ancienne(base + suffixe);
        // Only a file an earlier version wrote: never a link.
        if (!ancienne.isFile() || ancienne.isSymLink())
            continue;
        const QFileInfo ici(reelle + suffixe);
        // The later of the two is the last save; the other is a save already replaced.
        if (!ici.exists() || ici.lastModified() < ancienne.lastModified())
            Deplacer_fichier_vers(ancienne.filePath(), ici.filePath());
        else
            QFile::remove(ancienne.filePath());
    }
}

QString Chemin_maj_base_ini()
{
    return Joindre_chemin(Services::repertoireApplication(), "maj_base.ini");
}

int Executer_script_maj(const FichierIni& script, int version, const std::function<void(const QString&)>& executer)
{
    for (int v = version;; ++v) {
        const QString section = "FROM " + QString::number(v);
        int n = 1;
        for (QString sql; !(sql = script.valeur(section, "maj" + QString::number(n))).isEmpty(); ++n)
            executer(sql);
        if (n == 1)
            return v;
    }
}

void Supprimer_fichiers_annexes(const QString& base)
{
    // A journal left by a killed session would be played back into whatever file bears the name.
    for (const char* suffixe : {"-journal", "-wal", "-shm"}) {
        const QString annexe = base + suffixe;
        if (QFileInfo(annexe).exists() && !QFile::remove(annexe))
            throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + annexe);
    }
}

void Mettre_de_cote_sauvegarde(const QString& base)
{
    const QString sauvegarde = Chemin_sauvegarde_de(base);
    const QString deCote = sauvegarde + ".maj";
    QFile::remove(deCote);
    if (QFileInfo(sauvegarde).isFile()) {
        Renommer_en_remplacant(sauvegarde, deCote);
        return;
    }
    QFile vide(deCote);
    if (!vide.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw ErreurExecution(kErreurChemin, "Impossible de créer " + deCote);
}

void Remettre_sauvegarde_de_cote(const QString& base)
{
    const QString sauvegarde = Chemin_sauvegarde_de(base);
    const QFileInfo deCote(sauvegarde + ".maj");
    // Only a file we wrote: never a link.
    if (!deCote.isFile() || deCote.isSymLink())
        return;
    if (deCote.size() > 0) {
        Renommer_en_remplacant(deCote.filePath(), sauvegarde);
        return;
    }
    // There was no backup before the upgrade: its own goes too.
    if (QFileInfo::exists(sauvegarde) && !QFile::remove(sauvegarde))
        throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + sauvegarde);
    QFile::remove(deCote.filePath());
}

void Copier_base_ouverte(const QString& cible)
{
    if (!cnxBase.ouverte())
        throw ErreurExecution(3704, "L'opération n'est pas autorisée si l'objet est fermé.");
    QFile::remove(cible);
    Supprimer_fichiers_annexes(cible);
    sqlite3* brut = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(cible).constData(), &brut,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ConnexionLocale copie(brut);
    if (rc != SQLITE_OK)
        Lever_erreur_sqlite(copie.get(), rc);
    // A throw-away copy: no journal, no waiting on the disk.
    sqlite3_exec(copie.get(), "PRAGMA journal_mode=OFF", nullptr, nullptr, nullptr);
    sqlite3_exec(copie.get(), "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(copie.get(), 2000);

    sqlite3_backup* sauvegarde = sqlite3_backup_init(copie.get(), "main", cnxBase.handle(), "main");
    if (!sauvegarde)
        Lever_erreur_sqlite(copie.get(), sqlite3_errcode(copie.get()));
    // One step copies every page under one read lock: the copy is the base at one instant, even
    // when another connection writes meanwhile (it waits for the read to end).
    int etat = SQLITE_OK;
    for (int essai = 0; essai < 50; ++essai) {
        etat = sqlite3_backup_step(sauvegarde, -1);
        if (etat != SQLITE_BUSY && etat != SQLITE_LOCKED)
            break;
        sqlite3_sleep(100);
    }
    const int fin = sqlite3_backup_finish(sauvegarde);
    if (etat != SQLITE_DONE)
        Lever_erreur_sqlite(copie.get(), etat == SQLITE_OK ? fin : etat);
    if (fin != SQLITE_OK)
        Lever_erreur_sqlite(copie.get(), fin);
    // Pages freed by deletions are zeroed: when they are the bulk of the copy, it would unzip at a
    // ratio the archive component refuses as a bomb. They are left out then, at little cost since
    // little else is left.
    if (lireEntier(copie.get(), "PRAGMA freelist_count") * 4 > lireEntier(copie.get(), "PRAGMA page_count")) {
        const int rc = sqlite3_exec(copie.get(), "VACUUM", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            Lever_erreur_sqlite(copie.get(), rc);
    }
    if (sqlite3_close(copie.release()) != SQLITE_OK)
        throw ErreurExecution(kErreurChemin, "Impossible de fermer la copie " + cible);
}

QString Lire_version_base()
{
    Executer_requete("SELECT Version FROM Info", false);
    QString version;
    if (colResultat.Count(0) >= 1)
        version = colResultat.item(0, 1);
    Liberer_resultat();
    return version;
}

QString Verifier_version_base()
{
    try {
        return Lire_version_base();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Cette base n'est pas valide.\r\nImpossible de retrouver la version.");
        return QString();
    }
}

void Marquer_fermeture(const QString& valeur)
{
    // The word goes into the statement as it is: nothing else may.
    if (valeur.compare("true", Qt::CaseInsensitive) != 0 && valeur.compare("false", Qt::CaseInsensitive) != 0)
        throw ErreurExecution(5, "Argument ou appel de procédure incorrect.");
    cnxBase.Execute("Update Info Set LastClose = " + valeur);
}

bool Base_marquee_en_usage()
{
    Executer_requete("select LastClose from Info", false);
    // No Info row is no sign of a crash: the version check refuses such a base.
    const bool enUsage = colResultat.Count(0) >= 1 && colResultat.item(0, 1).toLower() == "faux";
    Liberer_resultat();
    return enUsage;
}

ControleFermeture Controler_fermeture_base()
{
    if (!Base_marquee_en_usage())
        return ControleFermeture::Normale;
    if (QFileInfo(Chemin_sauvegarde()).isFile()) {
        const int reponse = Demander_confirmation(
            "La base n'a pas été correctement fermée lors de la dernière utilisation.\r\n"
            "Reprendre la base depuis la dernière sauvegarde trouvée ?",
            0);
        if (reponse != Reponse::Oui)
            return ControleFermeture::Normale;
        Afficher_statut("Restauration de la sauvegarde");
        const bool reprise = Annuler_operations();
        Afficher_statut("");
        return reprise ? ControleFermeture::Restauree : ControleFermeture::Echec;
    }
    Afficher_information("La base n'a pas été correctement fermée lors de la dernière utilisation\r\n"
                         "La dernière sauvegarde n'a pas été trouvée.\r\n"
                         "Il serait bon de reprendre la base depuis la dernière archive.");
    return ControleFermeture::Normale;
}

bool Creer_sauvegarde()
{
    CurseurOccupe occupe;
    const QString sauvegarde = Chemin_sauvegarde();
    // The archive is written aside and takes the backup's name only when complete, so a failure
    // leaves the previous backup whole.
    const QString temporaire = sauvegarde + ".tmp";
    try {
        // The live base reads as not closed until it is closed cleanly, and all the while its
        // backup is written, which takes seconds for a large base: a kill meanwhile is seen at
        // the next opening. Only the copy zipped into the backup reads as cleanly closed.
        Marquer_fermeture("false");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la création de la sauvegarde.");
    }
    bool ecrite = false;
    try {
        // What a killed backup left under that name: whoever writes the backup holds the lock.
        QFile::remove(temporaire);
        if (Compresser(temporaire) && QFileInfo(temporaire).isFile()) {
            Renommer_en_remplacant(temporaire, sauvegarde);
            ecrite = true;
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
    }
    QFile::remove(temporaire);
    if (!ecrite)
        Afficher_erreur("La création de la sauvegarde a échoué.\r\n"
                        "Vérifier l'espace sur le disque dur, les droits d'accès.");
    return ecrite;
}

bool Restaurer_sauvegarde()
{
    const QString sauvegarde = Chemin_sauvegarde();
    if (!QFileInfo(sauvegarde).isFile()) {
        Afficher_erreur("Sauvegarde de la base non trouvée.");
        return false;
    }
    const QString base = strCheminBase;
    std::unique_ptr<DossierTravail> tempo;
    QString copie;
    // Unpacking stops the restore; an archive that cannot be read whole is a damaged backup,
    // anything else (a full disk, rights) is reported as such.
    bool endommagee = false;
    try {
        // A large base takes seconds to unpack and check; the pointer says so until a message.
        CurseurOccupe occupe;
        tempo = std::make_unique<DossierTravail>("tempo");
        copie = Joindre_chemin(tempo->chemin(), Nom_du_fichier(Chemin_reel(base)));
        Decompresser_ou_lever(sauvegarde, tempo->chemin());
        // A backup an earlier version wrote through a link holds the base under the link's name.
        if (const QString duLien = Joindre_chemin(tempo->chemin(), Nom_du_fichier(base));
            !QFileInfo::exists(copie) && QFileInfo::exists(duLien))
            copie = duLien;
        endommagee = !estBaseDuProgramme(copie, base);
    } catch (const ErreurExecution& e) {
        Memoriser_erreur(e);
        endommagee = e.numero() == Erreur_archive_endommagee;
        if (!endommagee)
            copie.clear();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        copie.clear();
    }
    if (copie.isEmpty()) {
        tempo.reset();
        Afficher_erreur("La restauration de la sauvegarde a échoué.\r\n"
                        "Les opérations n'ont pas été annulées.\r\n"
                        "Vérifier l'espace sur le disque dur, les droits d'accès.");
        return false;
    }
    if (endommagee) {
        tempo.reset();
        Afficher_erreur("La sauvegarde " + sauvegarde + " est endommagée : elle ne contient pas de base valide.\r\n"
                        "La base n'a pas été remplacée, les opérations n'ont pas été annulées.");
        return false;
    }

    // The base is replaced in one rename: until then it stays as it was.
    const QString cible = Chemin_reel(base);
    const QString remplacante = cible + ".restore.tmp";
    const QString etapeRemplacer = "Impossible de remplacer la base " + base + " par la sauvegarde.";
    QString etape = etapeRemplacer;
    try {
        // Nobody may open the base while it is being replaced.
        VerrouBase verrou;
        if (verrou.prendre(base) != QLockFile::NoError)
            throw ErreurExecution(5, "Une connexion est déjà active sur la base.");
        // The checked copy itself goes beside the base, under its exact work name; it is copied
        // only from another disk.
        Deplacer_fichier_vers(copie, remplacante);
        QFile::setPermissions(remplacante, QFile::permissions(remplacante) | QFile::ReadOwner | QFile::WriteOwner);
        etape = "Impossible de supprimer la base " + base;
        Supprimer_fichiers_annexes(cible);
        etape = etapeRemplacer;
        Renommer_en_remplacant(remplacante, cible);
        verrou.liberer();
        etape = "Erreur lors de la suppression du répertoire temporaire " + tempo->chemin();
        if (!tempo->supprimer())
            throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + tempo->chemin());
        return true;
    } catch (const std::exception& e) {
        QFile::remove(remplacante);
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la restauration de la sauvegarde.\r\n" + etape);
        return false;
    }
}

void Supprimer_sauvegarde()
{
    const QString sauvegarde = Chemin_sauvegarde();
    if (QFileInfo::exists(sauvegarde)) {
        QFile::setPermissions(sauvegarde, QFile::permissions(sauvegarde) | QFile::WriteOwner);
        QFile::remove(sauvegarde);
    }
}

bool Rouvrir_base(QString& erreur)
{
    if (!Ouvrir_base(erreur))
        return false;
    try {
        Marquer_fermeture("False");
    } catch (const ErreurExecution& e) {
        // A base whose mark cannot be written would hide a crash: it is not used.
        cnxBase.fermer();
        erreur = Texte_erreur(e.numero(), e.description());
        return false;
    }
    return true;
}

bool Annuler_operations()
{
    // The base stays locked from the closing to the reopening: nobody opens it while its backup
    // is unpacked, checked and put in place.
    VerrouBase garde;
    garde.garderBaseOuverte();
    // Closed unmarked: the base reads as closed only once the backup's copy, marked closed,
    // has taken its place. Until then a kill, or a restore that fails, leaves it as in use, and
    // the next opening offers the backup, kept.
    cnxBase.fermer();
    Afficher_statut("Restauration de la sauvegarde");
    if (!Restaurer_sauvegarde()) {
        menusBaseFermee();
        Afficher_statut("");
        return false;
    }
    QString erreur;
    if (Rouvrir_base(erreur)) {
        Afficher_statut("");
        return true;
    }
    Erreur_connexion_base("Après annulation des dernières opérations.\r\n" + erreur);
    menusBaseFermee();
    Afficher_statut("");
    return false;
}

bool Restaurer_derniere_sauvegarde()
{
    try {
        QString erreur;
        if (Rouvrir_base(erreur))
            return true;
        Erreur_connexion_base(erreur + "\r\nRestauration de la dernière sauvegarde.");
        // The restore puts a copy in place only once it has proved to be a base: the backup
        // may then go.
        if (Restaurer_sauvegarde())
            Supprimer_sauvegarde();
        else
            Afficher_erreur("Erreur lors de la restauration de la dernière sauvegarde.\r\n"
                            "La sauvegarde temporaire n'a pas été supprimée.");
        menusBaseFermee();
        strCheminBase.clear();
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite.");
        return false;
    }
}

void Vider_tables_temporaires()
{
    for (const char* table : kTablesTemporaires)
        Vider_table(table);
}

bool Copier_modele_base(const QString& cible)
{
    if (!QFileInfo(strCheminModeleBase).isFile()) {
        Afficher_erreur("Modèle de base non trouvée.\r\n"
                        "Impossible de continuer, le programme va être terminé.\r\n"
                        "Contactez le fournisseur.");
        return false;
    }
    const QString reelle = Chemin_reel(cible);
    const QString temporaire = reelle + ".tmp";
    QFile::remove(temporaire);
    if (!QFile::copy(strCheminModeleBase, temporaire))
        throw ErreurExecution(kErreurChemin, "Impossible de copier le modèle de base vers " + cible);
    // The model may come read-only from the installation; the new base must be writable.
    QFile::setPermissions(temporaire, QFile::permissions(temporaire) | QFile::ReadOwner | QFile::WriteOwner);
    try {
        Supprimer_fichiers_annexes(reelle);
        Renommer_en_remplacant(temporaire, reelle);
    } catch (...) {
        QFile::remove(temporaire);
        throw;
    }
    return true;
}

void Compacter_base(const QString& chemin)
{
    const QString cible = Chemin_reel(chemin);
    const QString temporaire = cible + ".tmp.compact";
    int etape = 0;
    // Held from the closing to the reopening (or to the restore that follows a failure), so that
    // nobody opens the base in between.
    VerrouBase garde;
    garde.garderBaseOuverte();
    try {
        if (QFileInfo::exists(temporaire) && !QFile::remove(temporaire))
            throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + temporaire);
        etape = 1;
        // Closed unmarked: the compacted copy carries the mark of the base in use, so a kill
        // before the base is open again is seen at the next opening.
        cnxBase.fermer();
        etape = 2;
        {
            if (!garde.tenu() && garde.prendre(chemin) != QLockFile::NoError)
                throw ErreurExecution(5, "Une connexion est déjà active sur la base.");
            {
                ConnexionLocale source(Ouvrir_connexion_sqlite(chemin, true));
                const int rc = sqlite3_exec(source.get(), ("VACUUM INTO " + Sql_texte(temporaire)).toUtf8().constData(),
                                            nullptr, nullptr, nullptr);
                if (rc != SQLITE_OK)
                    Lever_erreur_sqlite(source.get(), rc);
            }
            // The copy that replaces the base reaches the disk before its name does.
            Synchroniser_fichier(temporaire);
            etape = 3;
            Supprimer_fichiers_annexes(cible);
            Renommer_en_remplacant(temporaire, cible);
        }
        etape = 4;
        QString erreur;
        if (!Rouvrir_base(erreur)) {
            Effacer_erreur();
            Afficher_erreur("Connexion impossible à la base compactée.\r\nOpération annulée.\r\n" + erreur);
            menusBaseFermee();
            return;
        }
        etape = 5;
        if (QFileInfo::exists(temporaire) && !QFile::remove(temporaire))
            throw ErreurExecution(kErreurChemin, "Impossible de supprimer " + temporaire);
        Afficher_information("Base compactée avec succès.");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        switch (etape) {
        case 0:
            Afficher_erreur("Impossible de compacter la base.\r\nLe fichier temporaire (" + temporaire
                            + ") est en cours d'utilisation.");
            break;
        case 1:
            Afficher_erreur("Impossible de compacter la base.\r\nLa fermeture de la connexion actuelle a échoué.");
            break;
        case 2:
            QFile::remove(temporaire);
            Afficher_erreur("Impossible de compacter la base.\r\n\r\nLe compactage a échoué.");
            Restaurer_derniere_sauvegarde();
            break;
        case 3:
            QFile::remove(temporaire);
            Afficher_erreur("Impossible de sauvegardée la base compactée.\r\nLe fichier (" + strCheminBase
                            + ") est en cours d'utilisation.");
            Restaurer_derniere_sauvegarde();
            break;
        case 5:
            Effacer_erreur();
            Afficher_information("Impossible de supprimer la base temporaire.\r\nBase compactée avec succès.");
            break;
        default:
            Afficher_erreur("Impossible de compacter la base.");
            break;
        }
    }
}

void Initialiser_base()
{
    menusBaseOuverte();
    Afficher_statut("Contrôle Club");
    if (Etapes_base().controlerClub)
        Etapes_base().controlerClub();
    Afficher_statut("Lecture profil");
    if (Etapes_base().chargerProfilCourant)
        Etapes_base().chargerProfilCourant(true);
    Afficher_statut("Contrôle Nageur et Piscine");
    strNumLicenceNulle = Controler_licence_nulle();
    Controler_piscine_reference();
}
