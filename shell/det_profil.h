#pragma once
// A profile's detail: creation ("Nouveau"), renaming and linking to another club ("Modif"), or
// a read-only view ("View").

#include "core/fenetres.h"

class Frm_liste_club;
class QLabel;
class QLineEdit;
class QPushButton;

// The fields and buttons that the profile detail window and the forced creation dialog share,
// laid out on the window: name, club code with its chooser, the club's name, "Ok" and "Annuler".
struct ChampsProfil {
    QLineEdit* Text1_0;
    QLineEdit* Text1_1;
    QLabel* txt_nom_club;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
};
ChampsProfil Creer_champs_profil(QWidget* fenetre);

class det_profil : public FenetreComptee {
    Q_OBJECT
public:
    explicit det_profil(QWidget* parent = nullptr);

    // The locks of a mode: those the menus take; none when opened from the profile list.
    static VerrousMenus Verrous_du_mode(const QString& mode, bool depuisListe);

    QString strProfilNumber;
    int intIndiceInListe = 0;

    // "Ok" waits for both fields; "Annuler" needs a profile to fall back on.
    void set_boutton_ok_annuler();
    void ForceUnloadWindowsEngag(const QString& nom) override;

    QLineEdit* Text1_0; // name
    QLineEdit* Text1_1; // club code
    QLabel* txt_nom_club;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;

protected:
    void Decharger_fenetres_filles() override;

private:
    void majOk();
    void ok();
    void choixClub();

    QPointer<Frm_liste_club> m_listeClub;
};

// Opens the detail in a mode on a profile (name, club code, row of the caller's list, number);
// the caller is the profile list, or none from the menus.
void Ouvrir_det_profil(QPointer<det_profil>& fenetre, const QString& mode, const QString& nom,
                       const QString& codeClub, int indice, const QString& num, QWidget* appelant);
