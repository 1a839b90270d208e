#pragma once
// The dialogs forced on the user when no profile is current: the creation of the first profile
// ("Création profil") with its club picker ("Selection d'un club"), and the choice among the
// profiles ("Selection d'un profil"). Modal, not counted, and holding no menu lock.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;


// They come up while a base opens under the busy pointer: the arrow is shown while they live.
class DialogueForce : public QDialog {
    Q_OBJECT
public:
    explicit DialogueForce(QWidget* parent);
    ~DialogueForce() override;

private:
    bool m_curseur = false;
};

class det_profil_obli : public DialogueForce {
    Q_OBJECT
public:
    explicit det_profil_obli(QWidget* parent = nullptr);

    // Shown modal until a profile has been created; the club picker takes its place meanwhile.
    void executer();

    QLineEdit* Text1_0; // name
    QLineEdit* Text1_1; // club code
    QLabel* txt_nom_club;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;

    // "Annuler", Escape and the close box leave nothing: a profile is needed to work.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void majOk();
    void ok();
    bool m_choixClub = false;
};

class Frm_liste_club_obli : public DialogueForce {
    Q_OBJECT
public:
    // The chosen club goes into cible's code and club name.
    explicit Frm_liste_club_obli(det_profil_obli* cible);

    // Fills the list with the visible clubs, forcing the creation of one when there is none.
    void set_liste();
    // set_liste, then shown modal.
    int executer();

    QTreeWidget* Lsv_club;
    QPushButton* Command1_0;
    QPushButton* Command1_1;

private:
    void ok();
    det_profil_obli* m_cible;
};

class Frm_liste_profil_obli : public DialogueForce {
    Q_OBJECT
public:
    explicit Frm_liste_profil_obli(QWidget* parent = nullptr);

    // Fills the list (forcing a creation when no profile is left), then shows it modal.
    void set_liste();

    QTreeWidget* Lsv_profil;
    QPushButton* Command1_0;
    QPushButton* Command1_1;

private:
    void ok();
};
