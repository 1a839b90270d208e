#pragma once
// "Aide à la construction du code Club": composes a club code from the geography lists and the
// number given by the federation, and copies it into the caller's text box. Modal, not counted.

#include <QDialog>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class construc_code_club : public QDialog {
    Q_OBJECT
public:
    explicit construc_code_club(QWidget* parent = nullptr);

    QPointer<QLineEdit> objTextBoxCible;
    // Fills the window from the code now in objTextBoxCible.
    void remplir_info();

    // "Generate": false when the country is not in the table (no code is composed).
    bool Generer();

    QGroupBox* Frame1;
    QRadioButton* Opt_type[5];
    QComboBox* Cb_pays;
    QComboBox* Cb_inter;
    QComboBox* Cb_region;
    QComboBox* Cb_departement;
    QLineEdit* txt_code_fourni;
    QLineEdit* txt_codification;
    QPushButton* Command1_0;
    QPushButton* Command1_1;

private:
    void typeChoisi(int type);
    void paysChoisi();
    void interChoisi();
    void regionChoisie();
    void departementChoisi();
    void valider();
    // Fills a list without running its handling; returns whether it has rows.
    bool remplir(QComboBox* liste, const QString& sql);
    // Shows the first row, enables the list and runs its handling; false when it is empty.
    bool montrerPremier(QComboBox* liste);
    void vider(QComboBox* liste);
    // Shows the row of that text (running the list's handling) when the list has it.
    void montrer(QComboBox* liste, const QString& texte);

    // The texts last handled in each list, and the chosen kind.
    QString m_pays;
    QString m_inter;
    QString m_region;
    QString m_departement;
    int m_type = 0;
};
