#pragma once
// "Records du club": tab "Voir" lists the records of the ticked events (best per category or
// the whole history, relay swimmers, a pool filter), prints and exports them; tab "Modifier"
// shows the current record of a category, event and pool and inserts or replaces it.

#include "core/fenetres.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

class frm_view_record : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_view_record(QWidget* parent = nullptr);

    // The locks its menu command takes (those of the category window); the window gives them back.
    static VerrousMenus Verrous();

    void Afficher_records();
    void Ajouter_ligne_record(const QString& texte);
    void Afficher_attente(bool b);
    bool Charger_categories_epreuve();
    void Charger_record_courant();
    bool Verifier_saisie_record();
    bool Controler_record_precedent(int rang, const QString& tps, const QString& date);
    void Activer_saisie_record(bool b);
    void Maj_boutons_relais();
    // The pool chosen for "Voir": "25", "50", or "" for every pool.
    const QString& bassinVue() const { return m_bassinVue; }
    const QString& cleRecordCourant() const { return m_cleRecordCourant; }

    QTabWidget* SSTab1;
    QTreeWidget* LsvNage;
    QTreeWidget* Lsv_info_relais;
    // Tab "Voir".
    QTreeWidget* lsvRecords;
    QComboBox* Cbo_search;
    QPushButton* Cmd_view[4];
    QCheckBox* Chk_histo;
    QCheckBox* Chk_relayeur;
    QRadioButton* Opt_view_bassin[3];
    QProgressBar* progress;
    QLabel* LblWait;
    // Tab "Modifier".
    QComboBox* Cbo_cat;
    QLineEdit* txt_info[8];
    QPushButton* Cmd_Date;
    QRadioButton* Opt_bassin[2];
    QPushButton* Cmd_add[2];
    QPushButton* cmd_plus;
    QPushButton* cmd_moins;
    QTreeWidget* lsv_relais;
    QPushButton* Cmd_def[4];
    QPushButton* cmd;

    bool bControleDate = true;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QWidget* construireVoir();
    QWidget* construireModifier();
    void chargerEpreuves();
    void changerOnglet(int onglet);
    // An event ticked or unticked, by the user or by the window.
    void epreuveCochee(int place);
    void cocher(int place, bool coche);
    void choisirCategorie();
    void enregistrer(int rang);
    void annuler();
    void chercher();
    void effacer();
    void imprimer();
    void exporter();
    void ajouterRelayeur();
    void retirerRelayeur();
    int nbNageurs(int place) const;
    int codeNage(int place) const;
    QString bassinSaisie() const;

    QString m_libelleCategorie;
    QString m_cleRecordCourant;
    QString m_bassinVue;
    QString m_bassinCharge; // the pool whose record the boxes were loaded with
    // Unset until a first event's categories are loaded, so that a mixed event (no sex) loads too.
    std::optional<QString> m_sexeCategories;
    QStringList m_clesCategories;
    int m_placeCourante = -1;
    int m_placeEditee = -1;
    bool m_cocheEnCours = false;
    bool m_enSaisie = false;
};

// Opens the window with the locks of its menu command, or brings it forward.
void Ouvrir_frm_view_record(QPointer<frm_view_record>& fenetre);
