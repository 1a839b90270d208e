#include "shell/commandes_records.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "records_points/det_categorie_record_club.h"
#include "records_points/frm_view_record.h"

CommandesRecords::CommandesRecords(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesRecords");
}

frm_view_record* CommandesRecords::records() const
{
    return m_records;
}

det_categorie_record_club* CommandesRecords::categories() const
{
    return m_categories;
}

void CommandesRecords::mnuPerfRecView_Click()
{
    try {
        Ouvrir_frm_view_record(m_records);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'ouverture de la fenêtre des records.");
    }
}

void CommandesRecords::mnuPerfRecModifier_Click()
{
    try {
        Ouvrir_det_categorie_record_club(m_categories);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'ouverture de la fenêtre des catégories.");
    }
}
