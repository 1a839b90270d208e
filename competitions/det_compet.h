#pragma once
// One competition, created from the menu ("Nouveau") or edited from the competition list
// ("Modif"): every field is checked in a fixed order before the row is written, and after an
// edit the programme's events are pulled back inside the new number of days.

#include "core/fenetres.h"

#include <QMap>
#include <QStringList>

class Frm_liste_piscine;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class det_compet : public FenetreComptee {
    Q_OBJECT
public:
    explicit det_compet(QWidget* parent = nullptr);

    QString strNumCompet;
    QString strNumPiscine;
    bool bControleDate = true;

    // Loads competition strNumCompet into the controls.
    void remplir_champs();
    // The first field found wrong is reported and given the focus.
    bool Verifier_saisie();
    // The 13 values of the row, in the order of Ajouter_compet.
    QStringList Lire_champs() const;
    void ForceUnloadWindowsEngag(const QString& nom) override;
    Frm_liste_piscine* listePiscines() const;

    QLineEdit* Text1[3];
    QRadioButton* Option1[2]; // 0 "Championnats", 1 "Interclubs"
    QRadioButton* Op_bass[2];
    QMap<int, QLineEdit*> txt_date; // day, month, year of the start at 0-2, of the end at 10-12
    QMap<int, QPushButton*> Cmd_Date; // 0 and 10
    QComboBox* Cb_couloir;
    QLabel* Lbl_Piscine_Choose;
    QPushButton* cmdPiscine;
    QPushButton* cmdPiscineClear;
    QRadioButton* Op_f[3];
    QRadioButton* Op_r[3];
    QRadioButton* Op_rg[3];
    QRadioButton* Op_d[3];
    QPushButton* Cmd_clear_option;
    QPushButton* Command1[2];

protected:
    void Decharger_fenetres_filles() override;

private:
    QWidget* groupeDate(int base);
    QWidget* echelle(const QString& titre, const char* nom, QRadioButton* (&options)[3]);
    QList<QRadioButton*> codifications() const;
    void regleType();
    void choisirPiscine();
    void ok();

    QRadioButton** m_echelles[4]; // federal, inter-regional, regional, departmental
    QString m_piscineNulle;
    QString m_debut;
    QString m_fin;
    QPointer<Frm_liste_piscine> m_listePiscines;
};
