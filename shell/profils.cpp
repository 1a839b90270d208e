#include "shell/profils.h"

#include "competitions/frm_liste_modele.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/sauvegarde.h"
#include "core/utils.h"
#include "shell/frm_principal.h"
#include "shell/profil_obli.h"

#include <QAction>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

qint32 Entier_long(const QString& texte)
{
    const double v = std::round(Valeur_numerique(texte));
    if (!std::isfinite(v))
        return 0;
    return static_cast<qint32>(std::clamp<double>(v, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<qint32>::max()));
}

// A profile number as SQL: numbers only, since it is written unquoted.
QString Numero_profil(const QString& num)
{
    bool ok = false;
    const qlonglong n = num.trimmed().toLongLong(&ok);
    if (!ok)
        throw ErreurExecution(13, "Type incompatible");
    return QString::number(n);
}

// The current profile joined to its club: no row when none is current or its club is gone.
const QString RequeteProfilCourant = QString("SELECT Club.Code_federal, Club.Intitule, Club.Selection, ")
                                     + "Profil.Libelle, Profil.Num, Profil.lgPosXSuivi, "
                                     + "Profil.lgPosYSuivi, Profil.lgIntervalSuivi, Profil.bAlwaysVisibleSuivi "
                                     + "FROM Club Club, Profil Profil " + "WHERE Profil.LastUse = true and "
                                     + "Club.Code_federal = Profil.Code_club";

void Appliquer_suivi()
{
    FrmPrincipal* principale = Fenetre_principale();
    if (!principale)
        return;
    principale->Fixer_suivi_toujours_visible(bAlwaysVisibleSuivi, true);
    if (bAlwaysVisibleSuivi)
        principale->mnuPerfOrdiAffiche_Click();
    else
        principale->mnuPerfOrdiMasquer_Click();
}

void Forcer_choix_profil()
{
    if (Lire_nombre("select count(*) from Profil") == 0) {
        det_profil_obli creation(frmPrincipal);
        creation.executer();
    } else {
        Frm_liste_profil_obli choix(frmPrincipal);
        choix.set_liste();
    }
}

} // namespace

QString Texte_panneau_profil()
{
    return "Profil : " + strNomProfil + " (" + strNomClub + ")";
}

void Charger_profil_courant(bool bSuivi, bool bForcerChoix)
{
    Executer_requete(RequeteProfilCourant, false);
    if (colResultat.Count(0) >= 1) {
        // A second current row is ignored: the next choice puts the marks right.
        strCodeClub = colResultat.item(0, 1);
        strNomClub = colResultat.item(1, 1);
        bClubSelection = Texte_en_booleen(colResultat.item(2, 1));
        strNomProfil = colResultat.item(3, 1);
        strNumProfil = colResultat.item(4, 1);
        if (bSuivi) {
            lgPosXSuivi = Entier_long(colResultat.item(5, 1));
            lgPosYSuivi = Entier_long(colResultat.item(6, 1));
            lgIntervalSuivi = Entier_long(colResultat.item(7, 1));
            bAlwaysVisibleSuivi = Texte_en_booleen(colResultat.item(8, 1));
        }
        Liberer_resultat();
        if (bSuivi)
            Appliquer_suivi();
    } else {
        Liberer_resultat();
        // No profile of this base is current: nothing of another one may go on being used.
        Oublier_profil_courant();
        if (bForcerChoix)
            Forcer_choix_profil();
    }

    // After the forced dialogs' own reload, so that the names they loaded are shown.
    if (FrmPrincipal* principale = Fenetre_principale())
        principale->Ecrire_panneau_profil(strNumProfil.isEmpty() ? QString() : Texte_panneau_profil());
    if (QAction* votreClub = Menu("mnuBaseClubConfig"))
        votreClub->setVisible(!bClubSelection && !strNumProfil.isEmpty());
    // The menus that work for the profile follow whether there is one.
    if (cnxBase.ouverte())
        Etat_menus_base(true);
}

void Oublier_profil_courant()
{
    strCodeClub.clear();
    strNomClub.clear();
    bClubSelection = false;
    strNumProfil.clear();
    strNomProfil.clear();
    lgPosXSuivi = 0;
    lgPosYSuivi = 0;
    lgIntervalSuivi = 0;
    bAlwaysVisibleSuivi = false;
}

bool Ajouter_profil(const QString& codeClub, const QString& nom)
{
    try {
        cnxBase.Execute("INSERT INTO Profil (Code_club, libelle) VALUES (" + Sql_texte(codeClub) + ", "
                        + Sql_texte(nom) + ");");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du profil.");
        return false;
    }
    return true;
}

bool Nom_profil_existe(const QString& nom, const QString& numExclu)
{
    QString sql = "select count(*) from Profil where Libelle =" + Sql_texte(nom);
    if (!numExclu.isEmpty())
        sql += " and Num <> " + Numero_profil(numExclu);
    return Lire_nombre(sql) > 0;
}

bool Club_profil_existe(const QString& codeClub)
{
    return Lire_nombre("select count(*) from Club where Visible = true and Code_federal = " + Sql_texte(codeClub))
           > 0;
}

bool Controler_profil(const QString& nom, const QString& codeClub, const QString& numExclu)
{
    if (Nom_profil_existe(nom, numExclu)) {
        Afficher_erreur("Un profil de même nom existe déjà.\r\nImpossible de le sauvegarder.");
        return false;
    }
    // A profile whose club is unknown could never be loaded: the choice of a profile would
    // come back after every load.
    if (!Club_profil_existe(codeClub)) {
        Afficher_erreur("Aucun club n'a le code " + codeClub + ".\r\nImpossible de le sauvegarder.");
        return false;
    }
    return true;
}

bool Creer_profil(const QString& nom, const QString& codeClub)
{
    if (!Controler_profil(nom, codeClub))
        return false;
    if (!Ajouter_profil(codeClub, nom))
        return true;
    if (Lire_nombre("select count(*) from Profil") == 1) {
        cnxBase.Execute("Update Profil Set LastUse = true");
        Charger_profil_courant(false, false);
    }
    return true;
}

bool Choisir_profil(const QString& nom)
{
    const QString profil = Sql_texte(nom);
    if (Lire_nombre("select count(*) from Club Club, Profil Profil where Profil.Libelle = " + profil
                    + " and Club.Code_federal = Profil.Code_club")
        == 0) {
        Afficher_erreur("Le club lié au profil " + nom + " n'existe plus.\r\nImpossible de choisir ce profil.");
        return false;
    }
    PointSauvegarde transaction("profil");
    cnxBase.Execute("Update Profil Set LastUse = false");
    cnxBase.Execute("Update Profil Set LastUse = true where Libelle = " + profil);
    transaction.valider();
    strNomProfil = nom;
    return true;
}

void Modifier_profil(const QString& num, const QString& nom, const QString& codeClub)
{
    const QString numero = Numero_profil(num);
    QString ancienCode;
    {
        Requete lecture(cnxBase.handle(), "select Code_club from Profil where Num = " + numero);
        if (lecture.suivante())
            ancienCode = lecture.texte(0);
    }
    PointSauvegarde transaction("profil");
    cnxBase.Execute("Update Profil Set Code_club = " + Sql_texte(codeClub) + ", Libelle = " + Sql_texte(nom)
                    + " where Num = " + numero);
    // Codes compare as the base compares them: a code saved in lower case is the same club.
    if (ancienCode.compare(codeClub, Qt::CaseInsensitive) != 0) {
        for (const char* table : {"Engag", "Engag_equipe", "Engag_nageur"})
            cnxBase.Execute(QString("DELETE from ") + table + " where Num_profil = " + numero);
        // The templates' content first: nothing else would ever reach it again.
        QStringList cles;
        {
            Requete modeles(cnxBase.handle(), "select NumAuto from Modele_engag where Num_profil = " + numero);
            while (modeles.suivante())
                cles << modeles.texte(0);
        }
        for (const QString& cle : cles) {
            if (!Supprimer_modele_engagement(cle))
                throw ErreurExecution(3021, "Le contenu du modèle " + cle + " n'a pu être supprimé.");
        }
        cnxBase.Execute("DELETE from Modele_engag where Num_profil = " + numero);
        cnxBase.Execute("DELETE from Relais where Num_profil = " + numero);
    }
    transaction.valider();
}

void Supprimer_profils(const QStringList& nums)
{
    if (nums.isEmpty())
        return;
    QStringList termes;
    QStringList numeros;
    for (const QString& num : nums) {
        termes << "Num = " + Numero_profil(num);
        numeros << Numero_profil(num);
    }
    // Its templates go with it, content included: nothing could reach them again.
    PointSauvegarde transaction("profils");
    const QString proprietaires = "Num_profil IN (" + numeros.join(", ") + ")";
    Supprimer_modeles("Engag", proprietaires);
    Supprimer_modeles("Prog", proprietaires);
    cnxBase.Execute("Delete from Profil where " + termes.join(" or "));
    transaction.valider();
}

void Installer_etapes_profil()
{
    Etapes_base().chargerProfilCourant = [](bool bSuivi) { Charger_profil_courant(bSuivi); };
}
