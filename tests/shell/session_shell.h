#pragma once
// What the base-file tests share: a user session on the real main window, with a scripted port
// and a temporary application folder.

#include "clubs_licences/dem_info.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/sauvegarde.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/frm_principal.h"
#include "shell/profil_obli.h"
#include "shell/profils.h"

#include <sqlite3.h>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

inline const QString kCodeClub = QStringLiteral("FRA1320021234");

// One value read from a base file that is not open.
inline QString Valeur_fichier(const QString& chemin, const QString& sql)
{
    sqlite3* db = Ouvrir_connexion_sqlite(chemin, true);
    QString v;
    {
        Requete r(db, sql);
        if (r.suivante())
            v = r.texte(0);
    }
    sqlite3_close(db);
    return v;
}

// A value of the base held in a backup (".sav") or an archive.
inline QString Valeur_archive(const QString& archive, const QString& nomBase, const QString& sql)
{
    QTemporaryDir d;
    if (!Zipper(archive, d.path(), false, true))
        return "<illisible>";
    return Valeur_fichier(d.filePath(nomBase), sql);
}

inline QString Valeur(const QString& sql)
{
    Requete r(cnxBase.handle(), sql);
    return r.suivante() ? r.texte(0) : QString();
}

// A base from the model with one club and its current profile, closed.
inline QString Preparer_base(const RepertoireTest& rep, const QString& nom)
{
    const QString chemin = rep.fichier(nom);
    QFile::remove(chemin);
    QFile::copy(Chemin_modele_construit(), chemin);
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = Ouvrir_connexion_sqlite(chemin);
    sqlite3_exec(db, ("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + kCodeClub
                      + "', 'Cercle des nageurs', false)")
                         .toUtf8()
                         .constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db, ("INSERT INTO Profil (Code_club, Libelle, LastUse) VALUES ('" + kCodeClub + "', 'Bassin', true)")
                         .toUtf8()
                         .constData(),
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return chemin;
}

// Answers the forced "Nouveau Club" with a club.
inline void Repondre_nouveau_club(PortIhmTest& ihm, const QString& nom = "Cercle des nageurs")
{
    ihm.repondreModal([nom](QDialog& d) {
        auto& obli = dynamic_cast<dem_info_obli&>(d);
        obli.champs->Text1_0->setText(nom);
        obli.champs->Text1_1->setText(kCodeClub);
        obli.champs->Command1_0->click();
        return d.result();
    });
}

// Answers the forced "Création profil" with a profile on that club.
inline void Repondre_creation_profil(PortIhmTest& ihm, const QString& nom = "Bassin")
{
    ihm.repondreModal([nom](QDialog& d) {
        auto& creation = dynamic_cast<det_profil_obli&>(d);
        creation.Text1_0->setText(nom);
        creation.Text1_1->setText(kCodeClub);
        creation.Command1_0->click();
        return d.result();
    });
}

class Session {
public:
    Session()
    {
        Services::fixerAujourdhui(QDate(2025, 3, 10));
        intNbFenetres = 0;
        Initialiser_verrous_menus();
        ihm.accepterMessagesOk(true);
        Installer_etapes_clubs();
        Etapes_base().chargerProfilCourant = [this](bool bSuivi) {
            ++chargementsProfil;
            Charger_profil_courant(bSuivi);
        };
        fenetre = std::make_unique<FrmPrincipal>();
        fenetre->show();
    }
    ~Session()
    {
        fenetre.reset();
        cnxBase.fermer();
        strCheminBase.clear();
        Etapes_base() = EtapesBase{};
        Etapes_base().menusBaseOuverte = Menus_base_ouverte;
        Etapes_base().menusBaseFermee = Menus_base_fermee;
        Services::fixerAujourdhui(QDate());
    }

    // Clicks a menu item; false when it is not enabled (a user could not click it).
    bool declencher(const char* nom)
    {
        QAction* a = Menu(nom);
        if (!a || !a->isEnabled())
            return false;
        a->trigger();
        return true;
    }
    QString panneauProfil() const { return fenetre->findChild<QLabel*>("sbStatusBar_1")->text(); }
    // Opens the base through "&Ouvrir".
    bool ouvrir(const QString& chemin)
    {
        ihm.repondreFichier(chemin);
        return declencher("mnuBaseOpen") && cnxBase.ouverte();
    }

    RepertoireTest rep;
    PortIhmTest ihm;
    std::unique_ptr<FrmPrincipal> fenetre;
    int chargementsProfil = 0;
};
