#pragma once
// Manual individual performances: a swimmer of the profile is chosen, then his performances are
// typed one after the other for an event of his sex.

#include "results/saisie_perf.h"

class QLineEdit;
class QPushButton;

class frm_ajout_perf : public FenetreSaisiePerf {
    Q_OBJECT
public:
    explicit frm_ajout_perf(QWidget* parent = nullptr);

    // The menus a manual performance window keeps locked while it is open.
    static VerrousMenus Verrous();

    // Loads the swimmer list (strSql, or the profile's swimmers when empty) and selects the
    // swimmer of key strNum, else the first.
    void set_liste(const QString& strNum, const QString& strSql);
    // Choosing (false) or entering a performance for the chosen swimmer (true).
    void Init_saisie_perf(bool bSaisie);

    QLineEdit* txt_recherche;
    QTreeWidget* Lsv_info_nages;
    QPushButton* cmd[3]; // "&Quitter", "&Ajouter", "&Sélectionner"

private:
    void remplir(const QString& sql, const QString& num);
    void trier(int colonne);
    void ajouter();
    void selectionner();
    void inserer();
    void effacer();
    void choisirNage();
    QString infoNageur(int colonne) const;

    QString m_requeteSansOrdre;
    int m_triColonne = 1;
    bool m_triDesc = true;
};

// Opens the window (once) for the current profile's swimmers.
void Ouvrir_frm_ajout_perf(QPointer<frm_ajout_perf>& fenetre);
