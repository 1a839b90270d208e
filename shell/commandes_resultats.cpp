#include "shell/commandes_resultats.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "results/frm_view_result.h"

CommandesResultats::CommandesResultats(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesResultats");
}

void CommandesResultats::mnuCompetVoirResult_Click()
{
    try {
        Ouvrir_view_result(m_resultats);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'affichage des résultats.");
    }
}

frm_view_result* CommandesResultats::resultats() const
{
    return m_resultats;
}
