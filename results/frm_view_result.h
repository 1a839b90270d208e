#pragma once
// The results viewer: the held competitions that have results, their events, and the results
// of the ticked events race by race, with places, special codes and split times. It never
// writes the base; its print and exports read what it shows.

#include "core/fenetres.h"
#include "results/donnees_resultats.h"

#include <QHash>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class frm_view_result : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_view_result(QWidget* parent = nullptr);
    ~frm_view_result() override;

    // The locks the menu command takes and the window gives back when it closes.
    static VerrousMenus Verrous();

    QTreeWidget* lsv_compet;
    QTreeWidget* lsv_info_compet;
    QTreeWidget* LsvNage;
    QTreeWidget* Lsv_info_relais;
    QTreeWidget* lsv_nage_sel;
    QTreeWidget* LsvResults;
    QCheckBox* Chk_all;
    QRadioButton* Opt_typeAffich_0;
    QRadioButton* Opt_typeAffich_1;
    QRadioButton* Opt_PresSerie_0;
    QRadioButton* Opt_PresSerie_1;
    QRadioButton* Opt_Club_0;
    QRadioButton* Opt_Club_1;
    QCheckBox* Chk_nationalite;
    QCheckBox* Chk_tps_inter;
    QCheckBox* Chk_equipe;
    QPushButton* Cmd_option_0;
    QPushButton* Cmd_option_1;
    QPushButton* Cmd_option_2;
    QPushButton* cmd_0;
    QPushButton* cmd_1;
    QPushButton* cmd_2;
    QPushButton* cmd_3;
    QPushButton* cmd_4;
    QPushButton* cmd_5;
    QComboBox* Cbo_search;
    QProgressBar* progress;
    QLabel* LblWait;
    QTabWidget* Tab_options;
    QFrame* Frame_boutons;

    // The competition on that row of lsv_compet (from 1) becomes the current one.
    void Choisir_compet(int ligne);
    const QString& competCourante() const { return m_numCompet; }
    // "Voir".
    void Afficher_resultats();
    // The rows shown, the events and the flags, for the exports.
    DonneesResultats Donnees() const;
    // Index of the first split column of LsvResults.
    int Premiere_colonne_inter() const;

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    struct Drapeaux {
        bool parSeries = true;
        bool couloirs = false;
        bool inter = false;
        bool monClub = false;
        bool nationalite = false;
        bool equipe = false;
    };
    struct OptionsSauvees {
        bool typeAffich1, presSerie1, club1, nat, inter, eq;
    };

    void construireColonnesResultats();
    void chargerCompetitions();
    void chargerCodesSpeciaux();
    void afficherEpreuve(const QString& code, const QString& libelle, bool relais, int distance,
                         const Drapeaux& d, const QString& modeleIndiv, const QString& modeleRelais,
                         const QString& ordreSerie, const QString& ordreSeries);
    QString libelleCategorie(const QString& numCat);
    void ajouterLigne(const QStringList& colonnes);
    void activerSortie(bool oui);
    void modifierOptions();
    void validerOptions();
    void annulerOptions();
    void optionsEditables(bool oui);
    void typeAffichChange();
    void agrandir(bool oui);
    void placer();
    void chercherEpreuve(int index);
    void imprimer();
    void exporter();
    void cocheChangee(QTreeWidgetItem* item);

    QString m_numCompet;
    QHash<QString, QString> m_codes;
    QHash<QString, QString> m_categories;
    OptionsSauvees m_sauve{};
    bool m_cocheEnCours = false;
    bool m_agrandi = false;
};

// Opens the viewer (or brings it forward) with its locks.
void Ouvrir_view_result(QPointer<frm_view_result>& fenetre);
