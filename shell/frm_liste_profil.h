#pragma once
// The list of the profiles: viewing, modifying, deleting and choosing the current one, by mode.

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class det_profil;

class Frm_liste_profil : public FenetreComptee {
    Q_OBJECT
public:
    explicit Frm_liste_profil(QWidget* parent = nullptr);

    // The locks the opener takes for a mode ("View", "Modif", "Suppr", "Choisir").
    static VerrousMenus Verrous_du_mode(const QString& mode);

    // Loads the profiles and selects the row of that number, else the current profile's row.
    void set_liste(const QString& num);
    void ForceUnloadWindowsEngag(const QString& nom) override;

    QTreeWidget* Lsv_profil;
    QTreeWidget* Lsv_info_profil; // name, number, club code
    QTreeWidget* Lsv_num;         // numbers of the profiles to delete
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
    QTimer* Timer1;
    QStatusBar* StatusBar1;

protected:
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ok();
    void bouton2();
    void retirerSelection();
    void doubleClic();

    QPointer<det_profil> m_detail;
};

// Opens the list in a mode, taking the mode's locks; an empty texteBouton2 hides that button.
void Ouvrir_liste_profil(QPointer<Frm_liste_profil>& fenetre, const QString& titre, bool bAnnuler,
                         const QString& mode, const QString& texteBouton2, bool multiSelection);
