#pragma once
// The two dialogs that take a club's name and code: "Information club" (creation from the menu,
// modification from the club list) and the forced "Nouveau Club", shown while a base has no
// visible club.

#include "core/fenetres.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The fields and buttons both dialogs share.
class ChampsClub : public QObject {
    Q_OBJECT
public:
    explicit ChampsClub(QWidget* fenetre);

    QLineEdit* Text1_0; // name
    QLineEdit* Text1_1; // code
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;

    QString nom() const;
    // Upper-cased: pasted text may hold lower case.
    QString code() const;
    // Ok needs a whole code and a name.
    void majOk();
    // "Aide": the code builder on the code field.
    void aide();
};

class dem_info : public FenetreComptee {
    Q_OBJECT
public:
    explicit dem_info(QWidget* parent = nullptr);

    int intIndiceInListe = 0;
    // In "Nouveau": Ok waits for the fields, Annuler only while a visible club exists.
    void set_boutton_ok_annuler();

    ChampsClub* champs;

private:
    void ok();
};

class dem_info_obli : public QDialog {
    Q_OBJECT
public:
    explicit dem_info_obli(QWidget* parent = nullptr);
    ~dem_info_obli() override;

    // Shows the dialog modally until a club has been created.
    void executer();

    ChampsClub* champs;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ok();
    bool m_aide = false;
    bool m_curseur = false;
};
