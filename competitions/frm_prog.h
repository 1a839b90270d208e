#pragma once
// The programme editor: the programme of a competition (Pcomp), of a programme template
// (Pcomp_modele), or of a template being created. The programme is kept in memory from opening
// to closing; the base is written by "&Ok" only (and by "&Annuler" of a new template).

#include "competitions/cible_programme.h"
#include "competitions/programme.h"
#include "core/fenetres.h"

class Frm_liste_compet;
class frm_liste_modele;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

class frm_prog : public FenetreComptee, public CibleProgramme {
    Q_OBJECT
public:
    explicit frm_prog(QWidget* parent = nullptr);
    ~frm_prog() override;

    // The locks of a mode: a new template holds those of the template being named until the
    // editor closes; the other modes are opened by lists that hold their own.
    static VerrousMenus Verrous_du_mode(const QString& mode);

    QString strNumCompet; // the competition's AutoNum, or the template's NumAuto
    void setBModele(bool b) { m_bModele = b; }

    // ---- Read and called by the competition list and the template list -----------------------
    bool bModele() const override { return m_bModele; }
    int intJourneeMax() const override { return m_intJourneeMax; }
    QLineEdit* txt_nb_journee() const override { return m_txt_nb_journee; }
    QComboBox* CboDate() const override { return m_CboDate; }
    void setTabFromTab(const QString& num) override;
    void setTabFromModele(const QString& num);
    // Writes the programme under the owner num, all or nothing; false (reported) on failure.
    bool SaveTabInTable(const QString& table, const QString& num, bool bModeleTable);
    void RefreshListeNage() override;
    void SetListeFromText() override;
    void setListeNage();
    void setVisibleControlModele();
    void setViewControle(bool b);
    void loadModeleProg();
    void ForceUnloadWindowsEngag(const QString& nom) override;

    const TableProgramme& tabProgramme() const { return m_tab; }
    int longueurBassin() const { return m_longueurBassin; }
    // "1ère journée", "2ème journée", ...
    static QString Libelle_journee(int n);

    // ---- Controls ----------------------------------------------------------------------------
    QTreeWidget* LsvNage;
    QTreeWidget* Lsv_prog;
    QGroupBox* fraClassement;
    QGroupBox* fraNbFinales;
    QGroupBox* fraTypeFinale;
    QMap<int, QRadioButton*> Optclass;     // 1, 2, 3, 4, 8
    QMap<int, QRadioButton*> optNbFinales; // 1, 2, 3
    QMap<int, QRadioButton*> OptType;      // 0 "T", 1 "C"
    QLabel* lbl_date;
    QLabel* lbl_ordre;
    QLineEdit* txtordre;
    QLabel* lbl_journee;
    QCheckBox* Chk_modele;
    QPushButton* Cmd_0;
    QPushButton* Cmd_1;
    QPushButton* Cmd_det_def;
    QPushButton* Cmd_modele;
    QPushButton* Cmd_compet;
    QPushButton* Cmd_charger;

protected:
    void Decharger_fenetres_filles() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void Cocher_nages_programme();
    void Afficher_epreuve(QTreeWidgetItem* item);
    void Sauver_nage_courante();
    void Controle_num_ordre(int jour, int ordre, int codeCourant);
    void Remplir_liste_programme(const QString& table, const QString& colonneCle);
    void Optclass_Click(int index);
    void Cmd_det_def_Click();
    void Cmd_compet_Click();
    void Cmd_modele_Click();
    void Cmd_charger_Click();
    void ok();
    void annuler();
    void Annuler_donnees();
    bool Construire_detail();
    void lireTable(const QString& sql);
    void ecrireJourChoisi();
    int codeDe(QTreeWidgetItem* item) const;
    QList<QAbstractButton*> options() const;

    QLineEdit* m_txt_nb_journee;
    QComboBox* m_CboDate;
    QList<QWidget*> m_controlesDefinition;

    TableProgramme m_tab;
    bool m_bModele = false;
    int m_intJourneeMax = 1;
    int m_longueurBassin = 25;
    QStringList m_datesJours; // a competition's days, "yyyymmdd"
    QTreeWidgetItem* m_selection = nullptr;
    bool m_refresh = false;
    bool m_fermeture = false;
    QPointer<frm_liste_modele> m_listeModeles;
    QPointer<Frm_liste_compet> m_listeCompet;
};
