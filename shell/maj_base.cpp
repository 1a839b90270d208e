#include "shell/maj_base.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/ini.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/sauvegarde.h"
#include "core/services.h"
#include "core/utils.h"
#include "shell/frm_principal.h"
#include "shell/operations_base.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kFiltreBase = QStringLiteral("Base de données (*.mdb)|*.mdb");

// Integer part of the base's version; throws when the base has none.
int versionEntiere()
{
    const QString version = Lire_version_base();
    if (version.isEmpty())
        throw ErreurExecution(3021, "Impossible de retrouver la version de la base.");
    // Counted in whole numbers: a version past them names none the script could start from.
    const double v = std::floor(Valeur_numerique(version));
    if (!(v > std::numeric_limits<int>::min() && v < std::numeric_limits<int>::max()))
        throw ErreurExecution(6, "Version de la base illisible : " + version + ".");
    return static_cast<int>(v);
}

bool enTransaction()
{
    return cnxBase.ouverte() && sqlite3_get_autocommit(cnxBase.handle()) == 0;
}

} // namespace

QString Lire_version_finale(const QString& fichierIni)
{
    return Lire_ini("INFO", "Version finale", fichierIni);
}

std::unique_ptr<DossierTravail> Decompresser_package(const QString& nomDossier, const QString& archive)
{
    auto dossier = std::make_unique<DossierTravail>(nomDossier);
    if (Decompresser(archive, dossier->chemin()))
        return dossier;
    return nullptr;
}

bool Mettre_a_jour_base(const QString& chemin, bool bSauvegardeDispo)
{
    Afficher_statut("Mise à jour de la base");
    strCheminBase = chemin;
    frm_update journal(frmPrincipal);
    bool reussi = true;
    {
        std::optional<CurseurOccupe> occupe(std::in_place);
        int version = -1;
        try {
            const FichierIni script(Chemin_maj_base_ini());
            if (!script.existe()) {
                journal.ajouter("Fichier (maj_base.ini) des mises à jour introuvable.");
                journal.ajouter("Il faut télécharger depuis le site Quorvelane le package de mise à jour des bases.");
            } else {
                version = versionEntiere();
                journal.ajouter("Version de la base : " + QString::number(version));
                const QString finale = script.valeur("INFO", "Version finale");
                if (Valeur_numerique(finale) <= version) {
                    journal.ajouter("Pas de mise à jour nécessaire pour cette base");
                } else {
                    journal.ajouter("Mise à jour vers une version " + finale);
                    // One transaction: a statement that fails takes the others back with it.
                    cnxBase.Execute("BEGIN");
                    const int v = Executer_script_maj(script, version, [&journal](const QString& sql) {
                        journal.ajouter(sql);
                        cnxBase.Execute(sql);
                        journal.ajouter("... OK");
                    });
                    journal.ajouter("Nouvelle version de la base : " + QString::number(v));
                    const QString sql = "UPDATE Info Set Version = " + QString::number(v);
                    journal.ajouter(sql);
                    cnxBase.Execute(sql);
                    journal.ajouter("... OK");
                    cnxBase.Execute("COMMIT");
                    journal.ajouter("Mise à jour de la base (" + chemin + ") réussie.");
                }
            }
        } catch (const std::exception& e) {
            reussi = false;
            Memoriser_erreur(e);
            journal.ajouter("Une erreur s'est produite lors de la mise à jour de la base.");
            journal.ajouter(Texte_erreur(Err().numero, Err().description));
            Effacer_erreur();
            bool annulee = false;
            try {
                if (enTransaction())
                    cnxBase.Execute("ROLLBACK");
                annulee = version >= 0 && !enTransaction();
            } catch (const std::exception&) {
            }
            if (annulee)
                journal.ajouter("Aucune instruction de la mise à jour n'a été conservée : la base est restée en version "
                                + QString::number(version) + ".");
            occupe.reset();
            if (bSauvegardeDispo) {
                const int reponse = Demander_confirmation(
                    "Suite à une erreur (voir rapport), souhaitez vous revenir à la précédente version de la base "
                    "(recommandé) ?\r\n"
                    "Toutes opérations non sauvegardées réalisées avant cette tentative d'update seront annulées.",
                    0);
                if (reponse == Reponse::Oui && Annuler_operations()) {
                    journal.ajouter("Restauration de la précédente sauvegarde de la base.");
                } else {
                    journal.ajouter("La dernière sauvegarde n'a pas été restaurée.", true);
                    journal.ajouter("Le logiciel ne pourra pas fonctionner correctement.", true);
                }
            } else if (!annulee) {
                journal.ajouter("Aucune sauvegarde n'était disponible.", true);
                journal.ajouter("Votre base est donc instable, contacter les fournisseurs de Quorvelane.", true);
            }
        }
    }
    {
        CurseurFleche fleche;
        Afficher_formulaire(&journal, 1);
    }
    Afficher_statut("");
    return reussi;
}

// ---- frm_update ----------------------------------------------------------------------------

frm_update::frm_update(QWidget* parent) : QDialog(parent)
{
    setObjectName("frm_update");
    setWindowTitle("Mise à jour de la base");
    setModal(true);
    rich = new QTextEdit(this);
    rich->setObjectName("rich");
    rich->setReadOnly(true);
    cmd = new QPushButton("&Ok", this);
    cmd->setObjectName("cmd");
    cmd->setDefault(true);
    connect(cmd, &QPushButton::clicked, this, &QDialog::accept);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(rich);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(cmd);
    disposition->addLayout(bas);
    resize(Twips_en_pixels(8400), Twips_en_pixels(5400));
}

void frm_update::ajouter(const QString& ligne, bool rouge)
{
    QTextCursor curseur(rich->document());
    curseur.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(rouge ? QColor(0xFF, 0, 0) : rich->palette().color(QPalette::Text));
    if (!rich->document()->isEmpty())
        curseur.insertBlock();
    curseur.insertText(ligne, format);
}

// ---- frm_upgrade_base ----------------------------------------------------------------------

frm_upgrade_base::frm_upgrade_base(QWidget* parent) : QDialog(parent)
{
    setObjectName("frm_upgrade_base");
    setWindowTitle("Installation et éxecution de la mise à jour des bases.");
    setModal(true);
    auto zone = [this](const QString& nom) {
        auto* z = new QLineEdit(this);
        z->setObjectName(nom);
        z->setReadOnly(true);
        z->setMinimumWidth(Twips_en_pixels(5000));
        return z;
    };
    lbRep = new QLabel("Package de mise à jour :", this);
    lbRep->setObjectName("lbRep");
    txt_rep = zone("txt_rep");
    Cmd_package_0 = Creer_bouton(this, "Cmd_package_0", "...");
    Cmd_package_0->setToolTip("Sélection du package");
    Cmd_package_1 = Creer_bouton(this, "Cmd_package_1", "Effacer la sélection");
    Cmd_package_2 = Creer_bouton(this, "Cmd_package_2", "Installer le package");
    lbBase = new QLabel("Sélection de la base à mettre à jour :", this);
    lbBase->setObjectName("lbBase");
    txt_base = zone("txt_base");
    Cmd_base_0 = Creer_bouton(this, "Cmd_base_0", "...");
    Cmd_base_0->setToolTip("Sélection de la base");
    Cmd_base_1 = Creer_bouton(this, "Cmd_base_1", "Effacer la sélection");
    Cmd_base_2 = Creer_bouton(this, "Cmd_base_2", "Mettre à jour la base");
    lb_info = new QLabel(this);
    lb_info->setObjectName("lb_info");
    lb_info->setTextFormat(Qt::PlainText);
    cmd = Creer_bouton(this, "cmd", "&Ok");
    cmd->setDefault(true);

    auto* grille = new QGridLayout(this);
    grille->addWidget(lbRep, 0, 0, 1, 4);
    grille->addWidget(txt_rep, 1, 0, 1, 3);
    grille->addWidget(Cmd_package_0, 1, 3);
    grille->addWidget(Cmd_package_1, 2, 1);
    grille->addWidget(Cmd_package_2, 2, 2, 1, 2);
    grille->addWidget(lbBase, 3, 0, 1, 4);
    grille->addWidget(txt_base, 4, 0, 1, 3);
    grille->addWidget(Cmd_base_0, 4, 3);
    grille->addWidget(Cmd_base_1, 5, 1);
    grille->addWidget(Cmd_base_2, 5, 2, 1, 2);
    grille->addWidget(lb_info, 6, 0, 1, 3);
    grille->addWidget(cmd, 6, 3);
    grille->setColumnStretch(0, 1);

    connect(Cmd_package_0, &QPushButton::clicked, this, &frm_upgrade_base::choisirPackage);
    connect(Cmd_package_1, &QPushButton::clicked, txt_rep, &QLineEdit::clear);
    connect(Cmd_package_2, &QPushButton::clicked, this, [this] { Installer_package_base(); });
    connect(Cmd_base_0, &QPushButton::clicked, this, &frm_upgrade_base::choisirBase);
    connect(Cmd_base_1, &QPushButton::clicked, txt_base, &QLineEdit::clear);
    connect(Cmd_base_2, &QPushButton::clicked, this, &frm_upgrade_base::Mettre_a_jour_base_choisie);
    connect(cmd, &QPushButton::clicked, this, &QDialog::accept);
    connect(txt_rep, &QLineEdit::textChanged, this, &frm_upgrade_base::majBoutons);
    connect(txt_base, &QLineEdit::textChanged, this, &frm_upgrade_base::majBoutons);

    // Load: the connection is closed, so that the base can be upgraded too; its lock stays, so
    // that no other instance takes it meanwhile. Closed unmarked: it is not closed by its user,
    // and a kill while the window is up is seen at the next opening. Only a base really open is
    // reopened afterwards (the path may hold a base an open refused).
    if (cnxBase.ouverte()) {
        m_baseOuverte = strCheminBase;
        m_garde = std::make_unique<VerrouBase>();
        m_garde->garderBaseOuverte();
        cnxBase.fermer();
    }
    majInfo();
}

frm_upgrade_base::~frm_upgrade_base() = default;

void frm_upgrade_base::majInfo()
{
    lb_info->setText("Package dispo pour upgrade vers version " + Lire_version_finale(Chemin_maj_base_ini()));
    majBoutons();
}

void frm_upgrade_base::majBoutons()
{
    const bool package = !txt_rep->text().isEmpty();
    const bool base = !txt_base->text().isEmpty();
    Cmd_package_1->setEnabled(package);
    Cmd_package_2->setEnabled(package);
    Cmd_base_1->setEnabled(base);
    Cmd_base_2->setEnabled(base && (package || !Lire_version_finale(Chemin_maj_base_ini()).isEmpty()));
}

void frm_upgrade_base::choisirPackage()
{
    const FichierChoisi choix =
        Choisir_fichier("Ouvrir une Base", "Package maj base (maj_base.zip)|maj_base.zip", true, "Choisir");
    if (Nom_du_fichier(choix.chemin) == "maj_base.zip")
        txt_rep->setText(choix.chemin);
}

void frm_upgrade_base::choisirBase()
{
    const FichierChoisi choix = Choisir_fichier("Sélection d'une Base", kFiltreBase, true, "Choisir");
    if (choix.annule())
        return;
    if (!Est_fichier_base(choix.chemin)) {
        Afficher_erreur("Le fichier sélectionné n'est pas une base reconnue.");
        return;
    }
    txt_base->setText(choix.chemin);
}

bool frm_upgrade_base::Installer_package_base()
{
    std::unique_ptr<DossierTravail> travail;
    bool installe = false;
    try {
        CurseurOccupe occupe;
        travail = Decompresser_package("tmpmajbase", txt_rep->text());
        if (travail) {
            const QString dossier = travail->chemin();
            const QString apportee = Lire_version_finale(Joindre_chemin(dossier, "maj_base.ini"));
            const QString disponible = Lire_version_finale(Chemin_maj_base_ini());
            if (!apportee.isEmpty()
                && (disponible.isEmpty() || Valeur_numerique(apportee) > Valeur_numerique(disponible))) {
                // The model first: a script never runs without the model that goes with it.
                bool deplaces = true;
                for (const char* nom : {"modele_base.sav", "maj_base.ini"}) {
                    const QString erreur =
                        Deplacer_fichier(Joindre_chemin(dossier, nom), Services::repertoireApplication());
                    if (!erreur.isEmpty()) {
                        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du fichier de mise à jour : "
                                        + QString::fromLatin1(nom) + ".\r\n" + erreur);
                        deplaces = false;
                        break;
                    }
                }
                installe = deplaces;
                if (installe)
                    txt_rep->clear();
                majInfo();
            } else {
                Afficher_information("La version apportée par le package n'est pas supérieure à celle déjà disponible.\r\n"
                                     "L'installation du package sélectionné est annulée.");
            }
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'installation du package");
    }
    return installe;
}

void frm_upgrade_base::Mettre_a_jour_base_choisie()
{
    if (!txt_rep->text().isEmpty()) {
        Installer_package_base();
        if (Lire_version_finale(Chemin_maj_base_ini()).isEmpty())
            return;
    }
    const QString base = txt_base->text();
    // The base's own backup is its user's undo point: it is set aside (Mettre_de_cote_sauvegarde)
    // for the upgrade's one, and put back at the end, or at the next opening after a kill.
    // Held until the user's backup is back: nobody opens the base in between.
    VerrouBase garde;
    bool deCote = false;
    // Each base is left marked as it was found: the one open in the program is in use, and one
    // whose session was killed must still say so at its next opening, which offers its backup.
    bool enUsage = true;
    const auto deconnecter = [&enUsage] {
        if (enUsage)
            cnxBase.fermer();
        else
            Fermer_base();
    };
    try {
        Afficher_statut("Connexion à la base");
        strCheminBase = base;
        QString erreur;
        if (!Ouvrir_base(erreur)) {
            Erreur_connexion_base(erreur);
        } else {
            garde.garderBaseOuverte();
            enUsage = Base_marquee_en_usage();
            Mettre_de_cote_sauvegarde(base);
            deCote = true;
            Afficher_statut("Sauvegarde de la base");
            // No upgrade without a copy to come back to.
            if (Creer_sauvegarde())
                Mettre_a_jour_base(base, true);
            Afficher_statut("Déconnexion");
            deconnecter();
            Afficher_statut("Suppression de la sauvegarde temporaire");
            Supprimer_sauvegarde();
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la mise à jour de la base.");
        if (cnxBase.ouverte())
            deconnecter();
    }
    if (deCote) {
        try {
            Remettre_sauvegarde_de_cote(base);
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("La sauvegarde de la base n'a pas pu être remise en place.\r\nElle se trouve dans le fichier "
                            + Chemin_sauvegarde_de(base) + ".maj.");
        }
    }
    Afficher_statut("");
}

void frm_upgrade_base::Form_Unload()
{
    if (m_decharge)
        return;
    m_decharge = true;
    strCheminBase = m_baseOuverte;
    if (m_baseOuverte.isEmpty())
        return;
    QString erreur;
    const bool rouverte = Rouvrir_base(erreur);
    m_garde.reset();
    if (rouverte) {
        Menus_base_ouverte();
        return;
    }
    Erreur_connexion_base(erreur);
    // No base is open any more: the program says so rather than work on a closed connection.
    Menus_base_fermee();
    strCheminBase.clear();
    Oublier_contexte_base();
}

void Ouvrir_upgrade_base()
{
    frm_upgrade_base fenetre(frmPrincipal);
    Afficher_formulaire(&fenetre, 1);
    fenetre.Form_Unload();
}

void mnuMajBase_Click()
{
    // The window closes the open base: not under a window that works on it.
    if (!Refuser_sous_fenetre_ouverte())
        Ouvrir_upgrade_base();
}
