#include "clubs_licences/utils_club.h"

#include "core/sauvegarde.h"

#include "clubs_licences/code_club.h"
#include "clubs_licences/construc_code_club.h"
#include "clubs_licences/dem_info.h"
#include "clubs_licences/frm_liste_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QLineEdit>
#include <QMainWindow>

#include <utility>

namespace {


QString Numero_club(const QString& num)
{
    bool ok = false;
    const qlonglong n = num.trimmed().toLongLong(&ok);
    if (!ok)
        throw ErreurExecution(13, "Type incompatible");
    return QString::number(n);
}

} // namespace

void Installer_etapes_clubs()
{
    Etapes_base().controlerClub = Controler_club;
}

void Recharger_profil_courant()
{
    if (Etapes_base().chargerProfilCourant)
        Etapes_base().chargerProfilCourant(false);
}

bool Club_existe(const QString& code, const QString& exclusion, bool bAfficher, QString& message)
{
    QString sql = "select count(*) from Club where Code_federal = " + Sql_texte(code);
    if (!exclusion.isEmpty())
        sql += "and not num in (" + exclusion + ")";
    if (Lire_nombre(sql) == 0)
        return false;
    if (bAfficher) {
        if (!message.isEmpty())
            message += "\r\n";
        Msg_club_existe(message);
    }
    return true;
}

void Msg_club_existe(const QString& message)
{
    Afficher_erreur(message + "Un club avec le même code existe déjà.");
}

QString Get_num_club(const QString& code)
{
    Executer_requete("select num from Club where Code_federal = " + Sql_texte(code), false);
    QString num;
    if (colResultat.Count(0) >= 1)
        num = colResultat.item(0, 1);
    Liberer_resultat();
    return num;
}

bool Ajouter_club(const QString& code, const QString& nom)
{
    try {
        QString message = "Ajout annulé.";
        if (!Code_club_valide(code, true, message))
            return false;
        cnxBase.Execute("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES (" + Sql_texte(code) + ", "
                        + Sql_texte(nom) + ", " + Booleen_texte(Est_code_selection(code)) + ");");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
        return false;
    }
    return true;
}

bool Modifier_club(const QString& code, const QString& nom, const QString& num, QString message)
{
    try {
        if (!Code_club_valide(code, true, message))
            return false;
        // The base carries a new code over to the rows that name the club by its code.
        cnxBase.Execute("Update Club Set Code_federal = " + Sql_texte(code) + ", Intitule = " + Sql_texte(nom)
                        + ", Selection = " + Booleen_texte(Est_code_selection(code))
                        + " where Num = " + Numero_club(num));
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
        return false;
    }
    return true;
}

bool Supprimer_clubs(const QString& filtreNum, const QString& filtreCode)
{
    try {
        // All or nothing: a club hidden while its licences stay visible under its number would
        // be lost to every list.
        PointSauvegarde transaction("club");
        // The base carries the number over to the rows that named the club by its code, so the
        // filters below find them and the freed code names nothing any more.
        cnxBase.Execute("Update Club Set Code_federal = Num, Visible = false where " + filtreNum);
        cnxBase.Execute("Delete from Profil where " + filtreCode);
        cnxBase.Execute("UPDATE Licence Set Visible = false, Date_suppr = '" + Aujourdhui_texte() + "' where "
                        + filtreCode);
        const QString licences = "(select Num from Licence where " + filtreCode + ")";
        cnxBase.Execute("UPDATE Selection Set Visible = false where Num_Lic IN " + licences);
        for (const char* table : {"Engag_nageur", "Engag_modele", "Engag"})
            cnxBase.Execute(QString("Delete from ") + table + " where Num_Lic IN " + licences);
        transaction.valider();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la suppression des clubs.");
        return false;
    }
    return true;
}

void Erreur_sauvegarde_club(const QString& message)
{
    QString texte = message;
    if (!texte.isEmpty())
        texte += "\r\n";
    Afficher_erreur(texte + "Une erreur s'est produite lors de la sauvegarde du club.");
    Effacer_erreur();
}

void Controler_club()
{
    if (Lire_nombre("select count(*) from Club where visible = true") != 0)
        return;
    dem_info_obli obligatoire(frmPrincipal);
    obligatoire.executer();
}

void Ouvrir_liste_club(QPointer<Frm_liste_club>& fenetre, const QString& titre, const QString& mode, bool bAnnuler,
                       const QString& texteModifier, int haut, int gauche, const QString& requete,
                       const QString& selection, QWidget* cible)
{
    Ouverture ouverture;
    ouverture.verrous = Frm_liste_club::Verrous_du_mode(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = cible;
    Ouvrir_fenetre(fenetre, ouverture, [&](Frm_liste_club& liste) {
        liste.Command1_1->setEnabled(bAnnuler);
        liste.Command1_2->setText(texteModifier);
        liste.Command1_2->setVisible(!texteModifier.isEmpty());
        liste.set_liste(selection, requete);
    });
}

void Ouvrir_info_club(QPointer<dem_info>& fenetre, const QString& mode, const QString& code, const QString& nom,
                      int indice, QWidget* cible)
{
    Ouverture ouverture;
    if (mode == "Nouveau") {
        ouverture.verrous.groupeEntier(GroupeVerrou::Club);
        ouverture.verrous.groupe(GroupeVerrou::Profil, {1, 0, 1, 0, 0, 0});
    }
    ouverture.strAction = mode;
    if (mode == "Modif")
        ouverture.appelant = cible;
    auto preparer = [&](dem_info& dialogue) {
        if (mode == "Modif") {
            dialogue.champs->Text1_1->setText(code);
            dialogue.champs->Text1_0->setText(nom);
            dialogue.intIndiceInListe = indice;
        }
        dialogue.set_boutton_ok_annuler();
    };
    // A dialog already open takes the new club's fields.
    const bool ouvert = fenetre;
    dem_info* dialogue = Ouvrir_fenetre(fenetre, ouverture, preparer);
    if (ouvert)
        preparer(*dialogue);
}

void Ouvrir_construc_code_club(QLineEdit* zone)
{
    construc_code_club constructeur(zone ? zone->window() : nullptr);
    constructeur.objTextBoxCible = zone;
    constructeur.remplir_info();
    Services::ihm().executerModal(constructeur);
}
