#pragma once
// "Définition des références LEN": the LEN reference time of each event, changed in the list
// and written to the base only by "&Sauvegarder".

#include "core/fenetres.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class frm_defreflen : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_defreflen(QWidget* parent = nullptr);

    QTreeWidget* LsvNage;
    QTreeWidget* lsvNageInfo; // hidden: code and "T" once changed
    QLabel* lbl_intitule;
    QLineEdit* txt_ref;
    QPushButton* cmd_modif;
    QPushButton* cmd_0;
    QPushButton* cmd_1;

    // Writes the changed rows in one transaction; false (reported) when nothing could be written.
    bool Sauvegarder();

private:
    void afficherLigne();
    void cmd_modif_Click();
};
