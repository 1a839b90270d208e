#pragma once
// The time calculator: swim times added one after another, with the history of the additions,
// the last one taken back on demand, and the total copied into the time box of the relay entry
// window that opened it.

#include "core/fenetres.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class frm_calTps : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_calTps(QWidget* parent = nullptr);

    QLineEdit* txt_tpsAjout;
    QPushButton* cmd_Ajout;
    QTreeWidget* lsv_Histo;
    QPushButton* cmd_Suppr;
    QCheckBox* chk_CopieCalcul;
    QPushButton* cmd_Copie;
    QPushButton* cmd;

    // The running total, M.SSCC with four decimals.
    const QString& total() const { return m_total; }

    void cmd_Ajout_Click();
    void cmd_Suppr_Click();
    void cmd_Copie_Click();
    void cmd_Click();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QString m_total = "0.0000";
};
