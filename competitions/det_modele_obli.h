#pragma once
// The dialog that names a new template or renames one.

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;

class det_modele_obli : public QDialog {
    Q_OBJECT
public:
    explicit det_modele_obli(QWidget* parent = nullptr);

    QString strAction;     // "Modif", "Nouveau", "nouveau prog", or a "modele depuis" mode
    QString strTable;      // for "Modif"
    QString strChampValue; // the template's key, for "Modif"
    QPointer<QWidget> frmCible;

    QLineEdit* Text1;
    QPushButton* Command1_0;
    QPushButton* Command1_1;

private:
    void ok();
};
