#pragma once

#include <QDialog>

class Composant;
class QCheckBox;
class QLineEdit;

// "Charge ordi paramètres": edits the current profile's monitor settings (interval, position,
// always visible), reads them back from the running monitor and saves them in the profile.
// Modeless; while it is open the main window's monitor commands are disabled.
class FrmMonitorDef : public QDialog {
    Q_OBJECT
public:
    explicit FrmMonitorDef(QWidget* parent = nullptr);

    // The main window's monitor component, nullptr while it has none.
    Composant* objDllSuivi() const;

    void done(int resultat) override;

private:
    void Command1_Click(int index);

    QLineEdit* m_txtParam[3];
    QCheckBox* m_chkAlwaysVisible;
};
