#include "shell/operations_base.h"

#include "clubs_licences/saison.h"
#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/sauvegarde.h"
#include "core/services.h"
#include "core/utils.h"
#include "core/version_fichier.h"
#include "entries/utils_engag.h"
#include "shell/frm_principal.h"
#include "shell/maj_base.h"
#include "shell/profils.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

const QString kFiltreBase = QStringLiteral("Base de données (*.mdb)|*.mdb");
const QString kQuestionEffacer = QStringLiteral("Les données non sauvegardées seront effacées. Continuer ?");
const QString kBaseEnUsage = QStringLiteral("Une connexion est déjà active sur la base.\r\n"
                                            "Vérifier qu'elle n'est pas ouverte dans une autre application.");

QString texteBaseEnUsage(const QString& chemin)
{
    return kBaseEnUsage + Texte_verrou_autre_machine(chemin);
}

bool memeFichier(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

void chargerProfil(bool bSuivi)
{
    if (Etapes_base().chargerProfilCourant)
        Etapes_base().chargerProfilCourant(bSuivi);
}

// Closes the base and takes it back to its last save; the backup goes only once it has been
// put in place. The base is closed unmarked: it reads as closed only once the backup's copy,
// marked closed, has taken its place, so a kill or a failed restore on the way leaves it as in
// use, and the next opening offers the backup, kept.
bool fermerSansEnregistrer()
{
    // Locked until the backup is back in place: no other instance opens the base meanwhile.
    VerrouBase garde;
    garde.garderBaseOuverte();
    cnxBase.fermer();
    Afficher_statut("Restauration de la dernière sauvegarde");
    const bool remise = Restaurer_sauvegarde();
    if (remise) {
        Afficher_statut("Suppression de la sauvegarde");
        Supprimer_sauvegarde();
    }
    Afficher_statut("");
    return remise;
}

void fermerFenetrePrincipale()
{
    if (frmPrincipal)
        frmPrincipal->close();
}

// Info.Version of the open base; a base without one is refused here, with one message whether
// the table or only its row is missing.
QString versionLisible()
{
    QString version;
    try {
        Requete r(cnxBase.handle(), "SELECT Version FROM Info");
        if (r.suivante())
            version = r.texte(0);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
    }
    if (version.isEmpty())
        Afficher_erreur("Cette base n'est pas valide.\r\nImpossible de retrouver la version.");
    return version;
}

// The version check; sauvegardeAJour: the backup already holds the base as it is (the crash
// check has just taken it back). misAJour tells whether an upgrade ran.
bool controlerVersion(bool sauvegardeAJour, bool& misAJour)
{
    try {
        Afficher_statut("Contrôle Version Base");
        const QString version = versionLisible();
        if (version.isEmpty()) {
            cnxBase.fermer();
            return false;
        }
        if (Valeur_numerique(version) >= Version_base_necessaire)
            return true;
        // An upgrade is never run on a base that has no copy to come back to.
        bool sauvegardeFaite = false;
        if (!sauvegardeAJour) {
            Afficher_statut("Création sauvegarde");
            if (!Creer_sauvegarde())
                return false;
            sauvegardeFaite = true;
        }
        // An upgrade refused without an error (no script, nothing to run) leaves the base as it
        // came: cleanly closed and without the backup made for it, or the next opening would ask
        // about a crash that never was.
        const auto remettreEnEtat = [&] {
            if (!cnxBase.ouverte() || Lire_version_base() != version)
                return;
            Marquer_fermeture("True");
            if (sauvegardeFaite)
                Supprimer_sauvegarde();
        };
        misAJour = true;
        if (!Mettre_a_jour_base(strCheminBase, true) || !cnxBase.ouverte())
            return false;
        // A script may stop short of what the program needs: such a base is not used.
        const QString atteinte = Lire_version_base();
        if (Valeur_numerique(atteinte) < Version_base_necessaire) {
            remettreEnEtat();
            Afficher_erreur("La base n'a pas pu être mise à jour vers la version "
                            + QString::number(Version_base_necessaire) + " nécessaire au logiciel.\r\n"
                            + "Version de la base : " + atteinte + ".");
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du contrôle de la version de la base.");
        return false;
    }
}

// The steps after the connection is made; false sends the opening to its failure step.
bool apresOuverture()
{
    try {
        Afficher_statut("Contrôle Version Base");
        // A file that is no base of ours is refused before the crash check reads it.
        if (versionLisible().isEmpty())
            return false;
        Afficher_statut("Contrôle crash");
        const ControleFermeture crash = Controler_fermeture_base();
        if (crash == ControleFermeture::Echec)
            return false;
        bool misAJour = false;
        if (!controlerVersion(crash == ControleFermeture::Restauree, misAJour))
            return false;
        // An edit killed with its session is continued by no window: a later edit would take
        // its work copies and saved counts for its own.
        Vider_tables_temporaires();
        Oublier_editions_engag_interrompues();
        Marquer_fermeture("False");
        Initialiser_base();
        Afficher_statut("Mise à jour des compétitions");
        Cloturer_compet_passees();
        Afficher_statut("Mise à jour des licences");
        Liberer_numeros_licences();
        Renouveler_licences();
        // A backup just taken back is the base itself, unless the base was upgraded since.
        if (crash != ControleFermeture::Restauree || misAJour) {
            Afficher_statut("Création sauvegarde");
            Creer_sauvegarde();
        }
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'ouverture de la base.");
        return false;
    }
}

void ouvrirBase(const QString& chemin)
{
    CurseurOccupe occupe;
    Menus_base_fermee();
    bool echec = false;
    if (chemin.size() >= 5) {
        strCheminBase = chemin;
        if (!Est_fichier_base(chemin)) {
            Afficher_erreur("Mauvais format de fichier.");
        } else if (Base_verrouillee(chemin)) {
            Afficher_erreur(texteBaseEnUsage(chemin));
        } else {
            QString erreur;
            if (!Ouvrir_base(erreur)) {
                Erreur_connexion_base(erreur);
                echec = true;
            } else {
                echec = !apresOuverture();
            }
        }
    }
    if (echec) {
        // Closed without the clean-close mark: a failed opening never makes a base look clean.
        cnxBase.fermer();
        Menus_base_fermee();
        Oublier_contexte_base();
    }
    Afficher_statut("");
}

} // namespace

void Oublier_contexte_base()
{
    Fermer_fenetres_hors_compte();
    Oublier_profil_courant();
    if (FrmPrincipal* principale = Fenetre_principale()) {
        principale->Decharger_suivi_perf();
        principale->Ecrire_panneau_profil(QString());
    }
}

bool Refuser_sous_fenetre_ouverte()
{
    if (!Fenetre_ouverte())
        return false;
    Afficher_information("La fenêtre est déjà ouverte.\r\nTerminer la précédente opération.");
    return true;
}

bool Est_fichier_base(const QString& chemin)
{
    const QString nom = Nom_du_fichier(chemin);
    const qsizetype point = nom.lastIndexOf('.');
    return point >= 0 && nom.mid(point + 1) == "mdb";
}

bool Controler_version_base()
{
    bool misAJour = false;
    return controlerVersion(false, misAJour);
}

void mnuBaseNew_Click()
{
    QString chemin = Choisir_fichier("Nouvelle Base", kFiltreBase, false, "Créer").chemin;
    strCheminBase = chemin;
    if (chemin.size() < 5)
        return;
    // Without its extension the base could not be opened again.
    if (!Est_fichier_base(chemin)) {
        chemin += ".mdb";
        strCheminBase = chemin;
        if (QFileInfo::exists(chemin)
            && Demander_confirmation(chemin + "\r\nRemplacer cette base déjà existante ?", Style::DefautBouton2)
                != Reponse::Oui)
            return;
    }
    // A base in use elsewhere is not overwritten.
    if (Base_verrouillee(chemin)) {
        Afficher_erreur(texteBaseEnUsage(chemin));
        return;
    }

    CurseurOccupe occupe;
    Afficher_statut("Création de la Base");
    strCheminModeleBase = Joindre_chemin(Services::repertoireApplication(), "modele_base.sav");
    try {
        if (!Copier_modele_base(chemin)) {
            // Its message said so: without a model the program cannot go on.
            Afficher_statut("");
            fermerFenetrePrincipale();
            return;
        }
        QString erreur;
        if (Ouvrir_base(erreur)) {
            // Licences typed from now on belong to this season.
            Noter_saison_courante();
            Initialiser_base();
            Creer_sauvegarde();
        } else {
            Erreur_connexion_base(erreur + "\r\nSuppression de la nouvelle base.");
            QFile::remove(chemin);
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la création de la base.");
        cnxBase.fermer();
        Menus_base_fermee();
        Oublier_contexte_base();
        QFile::remove(chemin);
    }
    Afficher_statut("");
}

void mnuBaseOpen_Click()
{
    ouvrirBase(Choisir_fichier("Ouvrir une Base", kFiltreBase, true, "Ouvrir").chemin);
}

void mnuBaseSave_Click()
{
    if (Refuser_sous_fenetre_ouverte())
        return;
    try {
        Afficher_statut("Création sauvegarde");
        Vider_tables_temporaires();
        Creer_sauvegarde();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde de la base.");
    }
    Afficher_statut("");
}

void mnuBaseAnnuler_Click()
{
    if (Refuser_sous_fenetre_ouverte())
        return;
    if (Demander_confirmation("Annuler toutes les opérations depuis la dernière sauvegarde ?", Style::DefautBouton2)
            == Reponse::Oui
        && Annuler_operations()) {
        // The rows put back are not those a window left out of the count read: it goes, unsaved.
        Fermer_fenetres_hors_compte();
        // The backup put back may be older than the program: it is upgraded, or closed, as at an
        // opening.
        bool misAJour = false;
        if (!controlerVersion(true, misAJour)) {
            cnxBase.fermer();
            Menus_base_fermee();
        }
    }
    // The version check leaves its step in the status bar.
    Afficher_statut("");
    // The profile is read again only from a base that is open.
    if (!cnxBase.ouverte()) {
        Oublier_contexte_base();
        return;
    }
    try {
        chargerProfil(true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la lecture du profil.");
    }
}

void mnuBaseClose_Click()
{
    if (Fenetre_ouverte())
        return;
    if (Demander_confirmation(kQuestionEffacer, Style::DefautBouton2) != Reponse::Oui)
        return;
    Menus_base_fermee();
    fermerSansEnregistrer();
    strCheminBase.clear();
    Oublier_contexte_base();
}

void mnuBaseSuppr_Click()
{
    try {
        const QString chemin = Choisir_fichier("Supprimer une Base", kFiltreBase, true, "Supprimer").chemin;
        if (chemin.isEmpty())
            return;
        if (cnxBase.ouverte() && memeFichier(chemin, cnxBase.chemin())) {
            Afficher_erreur("Impossible de supprimer cette base.\r\nBase actuellement ouverte.");
            return;
        }
        if (Base_verrouillee(chemin)) {
            Afficher_erreur("Impossible de supprimer cette base.\r\nUne connexion est active sur la base."
                            + Texte_verrou_autre_machine(chemin));
            return;
        }
        if (!QFileInfo::exists(chemin))
            return;
        if (Demander_confirmation("Supprimer la base : " + Nom_du_fichier(chemin), Style::DefautBouton2)
            != Reponse::Oui)
            return;
        QFile::setPermissions(chemin, QFile::permissions(chemin) | QFile::WriteOwner);
        QFile::remove(chemin);
    } catch (const std::exception&) {
        // Nothing to report: the file stays.
    }
}

void mnuBaseArchive_Click()
{
    if (Refuser_sous_fenetre_ouverte())
        return;
    std::optional<CurseurOccupe> occupe(std::in_place);
    Afficher_statut("Archiver la base");
    try {
        const QString nomBase = Nom_du_fichier(strCheminBase);
        const QString nomArchive = nomBase.left(nomBase.size() - 4) + ".zip";
        const DossierTravail tempo("tempo");
        const QString travail = Joindre_chemin(tempo.chemin(), nomArchive);
        // The archived copy reads as cleanly closed; the live base is never marked so.
        Vider_tables_temporaires();
        Compresser(travail);

        if (QFileInfo(travail).isFile()) {
            occupe.reset();
            const QString dossier = Choisir_repertoire("Répertoire d'archivage :");
            if (!dossier.isEmpty()) {
                const QString cible = Joindre_chemin(dossier, nomArchive);
                bool copier = true;
                if (QFileInfo::exists(cible)) {
                    copier = Demander_confirmation(cible + "\r\nRemplacer cette archive déjà existante ?",
                                                   Style::DefautBouton2)
                        == Reponse::Oui;
                    if (copier && !QFile::remove(cible))
                        throw ErreurExecution(75, "Impossible de supprimer " + cible);
                }
                if (copier) {
                    if (!QFile::copy(travail, cible))
                        throw ErreurExecution(75, "Impossible de copier l'archive vers " + cible);
                    const double base = static_cast<double>(QFileInfo(strCheminBase).size());
                    const double archive = static_cast<double>(QFileInfo(cible).size());
                    const long taux = base > 0 ? std::lround(100 * (base - archive) / base) : 0;
                    Afficher_information("Base archivée mémorisée avec succès.\r\n"
                                         "Taille de l'archive : "
                                         + QString::number(std::lround(archive / 1024)) + " ko.\r\n"
                                         + "Taux de compression : " + QString::number(taux) + " %.");
                }
            }
        } else {
            Afficher_erreur("L'archivage de la base a échoué.\r\n"
                            "Vérifier l'espace sur le disque dur, les droits d'accès.");
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la création de l'archive.");
    }
    Afficher_statut("");
}

void mnuBaseCompacter_Click()
{
    {
        CurseurOccupe occupe;
        Afficher_statut("Compacter la base");
        Compacter_base(strCheminBase);
        Afficher_statut("");
    }
    if (!cnxBase.ouverte())
        Oublier_contexte_base();
}

void mnuExit_Click()
{
    if (Fenetre_ouverte())
        return;
    if (cnxBase.ouverte()) {
        if (Demander_confirmation(kQuestionEffacer, Style::DefautBouton2) != Reponse::Oui)
            return;
        fermerSansEnregistrer();
    }
    fermerFenetrePrincipale();
}

void Fermer_base_fenetre_principale()
{
    if (Demander_confirmation("Sauvegarder les données ?", Style::DefautBouton2) == Reponse::Oui) {
        try {
            Vider_tables_temporaires();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors de la sauvegarde de la base.");
        }
        // Closed first: the clean-close mark is written before the backup goes. Locked until the
        // backup is gone, or another instance could open the base and have its own backup deleted.
        VerrouBase garde;
        garde.garderBaseOuverte();
        Fermer_base();
        Supprimer_sauvegarde();
    } else {
        fermerSansEnregistrer();
    }
}
