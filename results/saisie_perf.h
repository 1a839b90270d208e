#pragma once
// Manual performances: the entry controls both manual windows share, the checks of an entry
// and its insert into Liffn or Liffn_relais.

#include "core/fenetres.h"

#include <QMap>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QWidget;

// A window in which a performance is typed. The individual window fills chk_relais, chk_Inter
// and lsv_info_lic; the relay window lsv_compo_relais and Lsv_compo_relais_num; the others stay
// null.
class FenetreSaisiePerf : public FenetreComptee {
    Q_OBJECT
public:
    explicit FenetreSaisiePerf(QWidget* parent = nullptr);

    QTreeWidget* LsvNage = nullptr;       // selected row: the event code, then its label
    QRadioButton* Opt_bassin[2] = {};     // "25 m", "50 m"
    QMap<int, QLineEdit*> txt_info;       // 0 time, 1 place, 3 day, 4 month, 5 year
    QRadioButton* Op_f[3] = {};           // federal, inter-regional, regional, departmental levels:
    QRadioButton* Op_r[3] = {};           // "Qualificative", "Référence", "Animation"
    QRadioButton* Op_rg[3] = {};
    QRadioButton* Op_d[3] = {};
    QPushButton* cmd_CodifClear = nullptr;
    QPushButton* Cmd_Date = nullptr;
    QPushButton* Cmd_def[2] = {};         // "&Insérer", "&Effacer"
    QTabWidget* SSTab1 = nullptr;
    QCheckBox* chk_relais = nullptr;
    QCheckBox* chk_Inter = nullptr;
    QTreeWidget* lsv_licence = nullptr;
    QTreeWidget* lsv_info_lic = nullptr;
    QTreeWidget* lsv_compo_relais = nullptr;
    QTreeWidget* Lsv_compo_relais_num = nullptr;

    // The date boxes are checked together while this is on.
    bool bControle = true;

protected:
    // Makes the entry controls with their typing rules; the window lays them out.
    void Creer_controles_saisie();
    // The pool frame, the four level groups (each in a frame of its own row), the date row.
    QWidget* Cadre_bassin(QWidget* parent);
    QWidget* Cadre_codifications(QWidget* parent);
    QWidget* Ligne_date(QWidget* parent);
    // Empties and enables (or disables) the typed boxes; the time box then reads "0.0000".
    void Vider_saisie(bool b);
    // "25 m" ticked, "50 m" only when the event may be swum in a 50 m pool.
    void Preparer_bassin(bool b, bool possible50);
    // Tab stops of the pool and level options: the pool's on the first tab, the levels' on the other.
    void Fixer_tabstops_options(bool premierOnglet);
};

// "Veuillez spécifier " + quoi + "."
void Msg_champ_manquant(const QString& strQuoi);
// Every level unticked, and enabled or not.
void Init_codifications(FenetreSaisiePerf& fenetre, bool b);
// The checks of an entry, in order; shows the first failure, puts the focus on its field and
// returns false. intNbNageurs: 0 for an individual time, the legs of a relay.
bool Verifier_saisie_perf(FenetreSaisiePerf& fenetre, int intNbNageurs);
// Asks for confirmation and writes the entry as a manual row; true only when written.
// strDateNaissance is the swimmer's stored birth date ("yyyymmdd"), empty for a relay.
bool Enregistrer_perf_manuelle(FenetreSaisiePerf& fenetre, bool bRelais, const QString& strNum,
                               const QString& strCodeClub, const QString& strDateNaissance);
// The next manual number of a table: one above its highest, 1 in an empty table.
qint64 Prochain_num_manuel(const QString& table);
// Age at a performance: its year minus the birth year; -1 without a readable birth date.
int Age_nageur(const QString& datePerf, const QString& dateNaissance);
