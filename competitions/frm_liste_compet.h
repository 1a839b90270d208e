#pragma once
// The one window through which a competition is picked for every purpose: viewing, editing or
// deleting competitions, importing results or a skeleton, entering swimmers or relays, the
// programme, convocations, entry slips, entry files, and the held competition whose programme
// the programme editor copies. The purpose is the mode (strAction).

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class det_compet;
class frm_convocation;
class frm_engag;
class frm_engag_relais;
class frm_prog;

class Frm_liste_compet : public FenetreComptee {
    Q_OBJECT
public:
    explicit Frm_liste_compet(QWidget* parent = nullptr);

    // Loads the list from sql, or from the mode's default statement when sql is empty.
    void set_liste(const QString& sql);
    // Runs the current statement again and selects competition cle.
    void ReloadListe(const QString& cle);
    void ForceUnloadWindowsEngag(const QString& nom) override;
    // Builds the column headers when construire is true; always sets the column widths.
    void SetEnteteColonne(bool construire);
    // The key of the selected row, "" when none.
    QString Cle_selectionnee() const;
    det_compet* detail() const;

    QTreeWidget* lsv_compet;
    QTreeWidget* lsv_info_compet;
    QPushButton* cmd[4];
    QStatusBar* StatusBar1;
    QTimer* Timer1;

protected:
    void Decharger_fenetres_filles() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Remplir_liste_compet(const QString& sql, const QString& cle);
    // The results column's width, 0 when the mode has none.
    int Largeur_resultats() const;
    void Importer_resultats(const QString& cle, bool nouvelle);
    void Importer_squelette(const QString& cle, bool nouvelle);
    void Recharger_liste(const QString& cle);
    void ok();
    void annuler();
    void action();
    void nouvelle();
    void supprimer();
    void trier(int colonne);
    void doubleClic();
    void remettreCompetitions();

    QString m_sql;
    QString m_sqlBase;
    int m_derniereColonne = 0;
    bool m_desc = false;
    bool m_fermeParBouton = false;
    QPointer<det_compet> m_detail;
    QPointer<frm_engag> m_engag;
    QPointer<frm_engag_relais> m_relais;
    QPointer<frm_convocation> m_convocation;
    QPointer<frm_prog> m_prog;
};
