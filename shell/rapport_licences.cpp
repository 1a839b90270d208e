#include "shell/rapport_licences.h"

#include "clubs_licences/licences.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QPrinter>

#include <memory>

QString Ligne_rapport_licence(const QString& nom, const QString& prenom, const QString& licence,
                              const QString& nationalite, const QString& sexe, const QString& dateNaissance)
{
    return Completer_droite(nom, 25) + " " + Completer_droite(prenom, 20) + " " + Completer_droite(licence, 7) + " "
           + Completer_gauche(Completer_droite(nationalite, 7), 11) + " " + Completer_gauche(Completer_droite(sexe, 2), 4)
           + " " + "  " + Completer_gauche(Date_en_texte(dateNaissance, "d/mm/yyyy"), 10) + "\r\n";
}

namespace {

QString Requete_rapport()
{
    if (bClubSelection) {
        QString from;
        QString where;
        Get_jointure_selection(from, where);
        return "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Nationalite, Licence.Sexe, "
               "Licence.Date_Naissance FROM "
               + from + "WHERE " + where + "AND Selection.Code_Sel = " + Sql_texte(strCodeClub)
               + " and Selection.Visible = true and Licence.Visible = true order by Licence.Nom, Licence.Prenom, "
                 "Club.Intitule";
    }
    return "SELECT Nom, Prenom, Licence, Nationalite, Sexe, Date_Naissance FROM Licence WHERE Code_Club = "
           + Sql_texte(strCodeClub) + " and Visible = true order by Nom, Prenom";
}

// The status text cleared, the query's rows and the report window released, however it ends.
struct FinRapport {
    ~FinRapport()
    {
        Afficher_statut(QString());
        Liberer_resultat();
        Decharger_frm_tempo_rapport();
    }
};

} // namespace

bool Imprimer_rapport_licences(const QString& cheminRtf)
{
    FinRapport fin;
    std::unique_ptr<QPrinter> imprimante;
    if (cheminRtf.isEmpty()) {
        Afficher_statut("Choix de l'imprimante");
        imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!Choisir_imprimante(*imprimante))
            return false;
    }
    try {
        CurseurOccupe occupe;
        Afficher_statut("Récupération des licences");
        Executer_requete(Requete_rapport(), false);

        Afficher_statut("Ecriture du rapport");
        BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
        if (!Construire_modele_impression(Services::repertoireApplication() + "/rptlic.rtf", boite, "rptlic", false))
            return false;
        Rtb_remplacer_balise(boite, "<NOM_PROFIL>", strNomProfil, 0);
        Rtb_remplacer_balise(boite, "<NOM_CLUB>", strNomClub, 0);
        Rtb_remplacer_balise(boite, "<CODE_CLUB>", strCodeClub, 0);
        // The lines go on from the last placeholder, in its font: the template keeps it last.
        Rtb_ecrire(boite, "\r\n", 0);
        const int lignes = colResultat.nbLignes();
        for (int i = 1; i <= lignes; ++i) {
            Rtb_ecrire(boite,
                       Ligne_rapport_licence(colResultat.item(0, i), colResultat.item(1, i), colResultat.item(2, i),
                                             colResultat.item(3, i), colResultat.item(4, i), colResultat.item(5, i)),
                       0);
        }

        Afficher_statut("Impression du rapport");
        if (imprimante)
            return Rtb_imprimer(boite, imprimante.get(), QString(), true);
        return Rtb_imprimer(boite, nullptr, cheminRtf, false);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'impression du rapport des licences.");
        return false;
    }
}
