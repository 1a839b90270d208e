#pragma once
// The protection of the open base: a zipped backup (".sav") that stands for the state at the last
// save, the clean-close flag Info.LastClose that reveals a session that ended without closing,
// the work tables emptied by a save, compaction, and the steps that follow every opening.

#include <QString>
#include <functional>

// Steps of the opening that belong to the layers above core (menus, club check, profile).
// They are set once at start-up; an empty step is skipped.
struct EtapesBase {
    std::function<void()> menusBaseOuverte;
    std::function<void()> menusBaseFermee;
    std::function<void()> controlerClub;
    std::function<void(bool)> chargerProfilCourant;
};
EtapesBase& Etapes_base();

// Outcome of the crash check run right after an opening.
enum class ControleFermeture {
    Normale,   // cleanly closed last time, or the user kept the base as it is
    Restauree, // the base was taken back from its backup and is open again
    Echec,     // the restore or the reopening failed: no base is open any more
};

class FichierIni;

// The backup of a base: beside the file a link names, as its lock and its work files are, so that
// a base reached by two names keeps one backup.
QString Chemin_sauvegarde_de(const QString& base);
// The backup of the open base (strCheminBase).
QString Chemin_sauvegarde();
// A base reached through a link: the backup (and the one set aside by an upgrade) that an earlier
// version wrote beside the link is moved beside the file, unless a later one lies there already.
// Runs under the base's lock. Throws ErreurExecution.
void Reprendre_sauvegardes_du_lien(const QString& base);
// The upgrade script "maj_base.ini" of the application folder.
QString Chemin_maj_base_ini();

// Runs the upgrade script's statements from the given version on, section "FROM v" after section
// in key order, each through executer; returns the first version without statements.
int Executer_script_maj(const FichierIni& script, int version, const std::function<void(const QString&)>& executer);

QString Lire_version_base();
QString Verifier_version_base();
// "Update Info Set LastClose = " + one of "True", "False", "true", "false".
void Marquer_fermeture(const QString& valeur);
// True when the open base reads as not closed cleanly: a session that ended without closing it,
// or a base in use.
bool Base_marquee_en_usage();
ControleFermeture Controler_fermeture_base();
// Remakes the backup; a failure is reported and the previous backup kept. True when written.
bool Creer_sauvegarde();
bool Restaurer_sauvegarde();
void Supprimer_sauvegarde();
// Opens strCheminBase again in the middle of a session (after undoing, compacting, a component
// run or the upgrade window): an open base is always marked as not closed cleanly, so that a
// crash later in the session is seen at the next opening.
bool Rouvrir_base(QString& erreur);
bool Annuler_operations();
bool Restaurer_derniere_sauvegarde();
void Vider_tables_temporaires();
bool Copier_modele_base(const QString& cible);
void Compacter_base(const QString& chemin);
void Initialiser_base();

// An upgrade makes its own backup under the backup's name: the user's backup is set aside
// under its name + ".maj" meanwhile (an empty file there says there was none), and put back at
// the end, or at the next opening after a kill, in place of the upgrade's one. Both run under the
// base's lock. Throw ErreurExecution.
void Mettre_de_cote_sauvegarde(const QString& base);
void Remettre_sauvegarde_de_cote(const QString& base);

// Writes a consistent copy of the open base into cible (replaced). Throws ErreurExecution.
void Copier_base_ouverte(const QString& cible);
// Removes the "-journal", "-wal" and "-shm" files SQLite may have left beside a base.
void Supprimer_fichiers_annexes(const QString& base);
