#pragma once
// What the base-file tests share: a user session on the real main window, with a scripted port,
// a temporary application folder, and a stand-in for the profile loader.

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

// Stands for the profile loader: the first loading of a base without profile makes one on its
// first club (as the forced "Création profil" would), then the current profile fills the
// globals and the status bar.
inline void Charger_profil_simule()
{
    if (Lire_nombre("select count(*) from Profil") == 0) {
        cnxBase.Execute("INSERT INTO Profil (Code_club, Libelle) SELECT Code_federal, 'Bassin' FROM Club "
                        "WHERE Visible = true ORDER BY Num LIMIT 1");
        cnxBase.Execute("Update Profil Set LastUse = true");
    }
    Requete r(cnxBase.handle(), "SELECT Club.Code_federal, Club.Intitule, Profil.Libelle, Profil.Num FROM Club, Profil "
                                "WHERE Profil.LastUse = true and Club.Code_federal = Profil.Code_club");
    if (r.suivante()) {
        strCodeClub = r.texte(0);
        strNomClub = r.texte(1);
        strNomProfil = r.texte(2);
        strNumProfil = r.texte(3);
    }
    if (FrmPrincipal* f = Fenetre_principale())
        f->Ecrire_panneau_profil("Profil : " + strNomProfil + " (" + strNomClub + ")");
}

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

// A base from the model with one club and no profile, closed.
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

class Session {
public:
    Session()
    {
        Services::fixerAujourdhui(QDate(2025, 3, 10));
        intNbFenetres = 0;
        Initialiser_verrous_menus();
        ihm.accepterMessagesOk(true);
        Installer_etapes_clubs();
        Etapes_base().chargerProfilCourant = [this](bool) {
            ++chargementsProfil;
            Charger_profil_simule();
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
