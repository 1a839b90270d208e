#pragma once
// The performance viewer: the chosen swimmers' performances (and the club's relays) per event,
// filtered by season, count, split times, relay legs and club, with the deletion of a manual
// performance or of a competition's performances, print and the text and rich-text saves.

#include "core/fenetres.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

// The options the statements and the display follow.
struct OptionsSuiviPerf {
    int tri = 0;       // 0 by date, latest first; 1 by time, fastest first
    int saison = 0;    // 0 the current season, 1 the previous one, 2 all
    bool codif = false;
    bool tpsInter = false;
    bool tpsRelais = true;
    bool selection = false; // own club only
};

// The individual statement (the swimmer's key left as "<NUM_LICENCE>") and the relay statement
// of the club, for today's date aujourdhui ("yyyymmdd"). Each row ends with the row's rowid.
struct RequetesPerf {
    QString individuel;
    QString relais;
};
RequetesPerf Construire_requetes_perf(const OptionsSuiviPerf& options, const QString& aujourdhui);

// The row kinds of the hidden twin list.
namespace GenreLignePerf {
inline const QString Vide = QString();
inline const QString Nageur = QStringLiteral("N");
inline const QString Epreuve = QStringLiteral("E");
inline const QString Perf = QStringLiteral("P");
} // namespace GenreLignePerf

class frm_view_perf : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_view_perf(QWidget* parent = nullptr);

    // The locks the menu command takes for this window, given back when it closes.
    static VerrousMenus Verrous();

    // The swimmers with performances, ordered by strOrderBy (the default order when empty),
    // then the club's relay row when the club has relay performances.
    void Charger_liste_nageurs(const QString& strOrderBy);
    // Lists the ticked swimmers' performances.
    void Afficher_suivi_perf();
    // The columns of the performance list for the options shown.
    void Entete_colonnes_perf();
    // The report of the list: printed on the printer, or saved as rich text at chemin.
    bool Imprimer_suivi_perf(QPrinter* imprimante, const QString& chemin);
    OptionsSuiviPerf options() const;

    QTabWidget* SSTab1;
    QTreeWidget* LsvNageur;
    QTreeWidget* Lsv_info_nageur; // "Nom Complet", "Num" (empty on the relay row), club
    QCheckBox* Chk_all_nageurs;
    QLineEdit* txt_recherche;
    QGroupBox* Frame_options;
    QRadioButton* Opt_tri[2];
    QRadioButton* Opt_saison[3];
    QRadioButton* Opt_nbPerf[3];
    QLineEdit* txt_nb_perf;
    QLabel* Lbl_nb_perf;
    QCheckBox* Chk_codif;
    QCheckBox* Chk_tps_inter;
    QCheckBox* Chk_tps_relais;
    QCheckBox* Chk_selection;
    QPushButton* Cmd_option[3];
    QTreeWidget* LsvPerf;
    QTreeWidget* LsvNumCompet; // "Num" (competition, manual number), table, rowid, row kind
    QComboBox* Cbo_search_nageurs;
    QComboBox* Cbo_search_nageurs_num;
    QComboBox* Cbo_search_epreuve;
    QComboBox* Cbo_search_epreuve_num;
    QProgressBar* ProgressBar1;
    QLabel* Lbl_attente;
    QPushButton* cmd[8];

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void cmdClick(int index);
    void modifierOptions();
    void validerOptions();
    void annulerOptions();
    void verrouillerOptions(bool verrouille);
    void libellesTri();
    void toutCocher(bool coche);
    void cocherSelection();
    void chercherNageur(int index);
    void chercherEpreuve(int index);
    void supprimer();
    void effacerSelection();
    void imprimer();
    void sauvegarder();
    void etatBoutonsListe(bool actif);
    void trier(int colonne);

    QStringList m_epreuves;     // per swimmer shown: its event labels joined by "~"
    QStringList m_lignesEpreuve; // and their heading row numbers
    QList<QVariant> m_optionsSauvees;
    int m_triColonne = 1;
    bool m_triDesc = true;
    bool m_cocheEnCours = false;
};

void Ouvrir_frm_view_perf(QPointer<frm_view_perf>& fenetre);
