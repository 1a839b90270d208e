#pragma once
// The performance commands of the main window's menus: the manual individual and relay
// performance windows and the performance viewer, each opened once.

#include <QObject>
#include <QPointer>

class frm_ajout_perf;
class frm_ajout_perf_relais;
class frm_view_perf;

class CommandesPerformances : public QObject {
    Q_OBJECT
public:
    explicit CommandesPerformances(QObject* parent = nullptr);

    void mnuPerfAjout_Click();
    void mnuPerfAjoutRelais_Click();
    void mnuPerfView_Click();

    frm_ajout_perf* ajout() const;
    frm_ajout_perf_relais* ajoutRelais() const;
    frm_view_perf* suivi() const;

private:
    QPointer<frm_ajout_perf> m_ajout;
    QPointer<frm_ajout_perf_relais> m_ajoutRelais;
    QPointer<frm_view_perf> m_suivi;
};
