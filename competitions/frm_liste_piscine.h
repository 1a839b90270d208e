#pragma once
// The list of pools: viewing, modifying and deleting pools, and choosing the pool of a
// competition for its detail window ("Choisir"). The placeholder pool is never listed.

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class det_Piscine;

class Frm_liste_piscine : public FenetreComptee {
    Q_OBJECT
public:
    explicit Frm_liste_piscine(QWidget* parent = nullptr);

    // Loads the pools and selects the one of that key (the first when not found).
    void set_liste(const QString& cle);
    void ForceUnloadWindowsEngag(const QString& nom) override;
    det_Piscine* detail() const;

    QTreeWidget* Lsv_piscine;
    QTreeWidget* Lsv_info_piscine;
    QTreeWidget* Lsv_num;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
    QStatusBar* StatusBar1;
    QTimer* Timer1;

protected:
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ok();
    void bouton2();
    void retirerSelection();
    void doubleClic();
    void choisir(int ligne);

    QPointer<det_Piscine> m_detail;
};
