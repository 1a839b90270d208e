#include "shell/commandes_performances.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "results/frm_ajout_perf.h"
#include "results/frm_ajout_perf_relais.h"
#include "results/frm_view_perf.h"

#include <functional>

namespace {

void Executer(const std::function<void()>& ouvrir)
{
    try {
        ouvrir();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'ouverture de la fenêtre des performances.");
    }
}

} // namespace

CommandesPerformances::CommandesPerformances(QObject* parent) : QObject(parent)
{
    setObjectName("CommandesPerformances");
}

void CommandesPerformances::mnuPerfAjout_Click()
{
    Executer([this] { Ouvrir_frm_ajout_perf(m_ajout); });
}

void CommandesPerformances::mnuPerfAjoutRelais_Click()
{
    Executer([this] { Ouvrir_frm_ajout_perf_relais(m_ajoutRelais); });
}

void CommandesPerformances::mnuPerfView_Click()
{
    Executer([this] { Ouvrir_frm_view_perf(m_suivi); });
}

frm_ajout_perf* CommandesPerformances::ajout() const
{
    return m_ajout;
}

frm_ajout_perf_relais* CommandesPerformances::ajoutRelais() const
{
    return m_ajoutRelais;
}

frm_view_perf* CommandesPerformances::suivi() const
{
    return m_suivi;
}
