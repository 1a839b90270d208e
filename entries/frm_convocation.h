#pragma once
// "Impression des convocations": the swimmers entered in a competition, the personal message
// with its formats, the programme and reply-coupon options, and the printing of the letters.

#include "core/fenetres.h"

class BoiteRiche;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frm_convocation : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_convocation(QWidget* parent = nullptr);

    QString strNumCompetTraitee;

    QTreeWidget* Lsv_nageurs;
    QTreeWidget* lsv_info_nageur; // hidden: key and club code, row for row
    BoiteRiche* Rich;
    QPushButton* cmd_text[6];
    QCheckBox* chk_all;
    QCheckBox* Chk_prog;
    QCheckBox* chk_reponse;
    QLineEdit* txt_description[3]; // reply date: day, month, year
    QPushButton* Cmd_Date;
    QPushButton* Cmd_0; // "&Quitter"
    QPushButton* Cmd_1; // "&Imprimer"

    void SetListe();
    void Imprimer();

private:
    void formater(int index);
    void coupon();
    void cocher(QTreeWidgetItem* ligne);
    bool bControleDate = true;
};
