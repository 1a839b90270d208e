#include "shell/commandes_licences.h"

#include "clubs_licences/det_licence.h"
#include "clubs_licences/frm_liste_licence.h"
#include "clubs_licences/info_club.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "shell/rapport_licences.h"

CommandesLicences::CommandesLicences(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesLicences");
}

frm_liste_licence* CommandesLicences::liste() const
{
    return m_liste;
}

det_licence* CommandesLicences::detail() const
{
    return m_detail;
}

void CommandesLicences::ouvrirListe(const QString& titre, const QString& mode, bool bAnnuler,
                                    const QString& texteModifier)
{
    try {
        Ouvrir_liste_licences(m_liste, titre, mode, bAnnuler, texteModifier, 0, 0, QString(), QString(), nullptr);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des licences.");
    }
}

void CommandesLicences::mnuLicListe_Click()
{
    ouvrirListe("Liste des Licences", "View", false, QString());
}

void CommandesLicences::mnuLicModif_Click()
{
    ouvrirListe("Modifier Licences", "Modif", false, "&Modifier");
}

void CommandesLicences::mnuLicSuppr_Click()
{
    ouvrirListe("Supprimer Licences", "Suppr", true, "&Supprimer");
}

void CommandesLicences::mnuBaseClubCotisationUnknown_Click()
{
    try {
        if (!Club_a_tarifs(strCodeClub)) {
            Afficher_erreur("Vous devez d'abord définir au moins un tarif.");
            return;
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des licences.");
        return;
    }
    ouvrirListe("Licences sans cotisation", "SsCotisation", true, QString());
}

void CommandesLicences::mnuLicNew_Click()
{
    try {
        Ouvrir_det_licence(m_detail, nullptr, "Nouveau", "Nouvelle Licence", QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'ouverture de la fiche licence.");
    }
}

void CommandesLicences::mnuLicPrint_Click()
{
    Imprimer_rapport_licences();
}
