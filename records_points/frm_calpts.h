#pragma once
// "Table Cotation": converts a time into points and points into a time for one event, on the
// national table or the LEN table, and lists times against points between two bounds.

#include "core/fenetres.h"

#include <QTimer>
#include <memory>

class Composant;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

class frm_calpts : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_calpts(QWidget* parent = nullptr);
    ~frm_calpts() override;

    QTreeWidget* LsvNage;
    QRadioButton* Opt_codif_0;
    QRadioButton* Opt_codif_1;
    QTabWidget* SSTab1;
    QLineEdit* Txt_Time[3];
    QLineEdit* Txt_pts[3];
    QPushButton* Cmd_calpts;
    QPushButton* Cmd_caltps;
    QPushButton* Cmd_TableTps;
    QPushButton* Cmd_TablePts;
    QLabel* lblPtsCal;
    QLabel* lblTpsCal;
    QTreeWidget* LsvTable;
    QPushButton* Cmd_quit;
    QTimer Timer1;

    // The reference time of the chosen event on the LEN table, 0 on the national table.
    double tempsReference() const { return m_reference; }

private:
    bool tableLen() const;
    QString codeNage() const;
    void choisirNage();
    void choisirTable();
    void lireReference();
    void activerCommandes(bool oui);
    void viderResultats();

    // The component's answers; 0 points, an empty time or a time worth 0 mean "not available".
    qint64 points(double temps);
    QString temps(qint64 points);

    void Cmd_calpts_Click();
    void Cmd_caltps_Click();
    void Cmd_TablePts_Click();
    void Cmd_TableTps_Click();
    void Remplir_table(qint64 debut, qint64 fin, bool tempsDabord);
    void SSTab1_Click();
    void Timer1_Timer();

    std::unique_ptr<Composant> m_calcul;
    int m_indexNage = -1;
    double m_reference = 0;
    int m_pas = 0;
};
