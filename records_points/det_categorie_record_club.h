#pragma once
// "Définition des catégories": the current club's record categories, edited in the list and
// stored only by "&Ok", which files the records of the replaced categories under the new ones.

#include "core/fenetres.h"
#include "records_points/records_club.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class det_categorie_record_club : public FenetreComptee {
    Q_OBJECT
public:
    explicit det_categorie_record_club(QWidget* parent = nullptr);

    // The locks its menu command takes; the window gives them back.
    static VerrousMenus Verrous();

    void Charger_categories();
    QString Lire_sexe_choisi() const;
    // The problems of the fields, "" when none; the row at place ignoree (from 1) is not compared.
    QString Verifier_categorie(int ignoree);
    int Position_categorie(int min, const QString& sexe) const;
    void Modifier_item_categorie(int ligne);
    // Stores the list; false (the window stays open) when the user declines or it fails.
    bool Enregistrer_categories();
    // The rows of the list as categories.
    QList<CategorieRecord> Categories_liste() const;

    QTreeWidget* lsv_cat;
    QLineEdit* txt_libelle;
    QLineEdit* txt_age[2];
    QRadioButton* Opt_sexe[3];
    QLabel* PicSexe[3];
    QPushButton* Cmd_def[3];
    QPushButton* cmd[2];

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void afficherLigne(int ligne);
    void ajouter();
    void modifier();
    void supprimer();
    void ok();
};

// Opens the window with the locks of its menu command, or brings it forward.
void Ouvrir_det_categorie_record_club(QPointer<det_categorie_record_club>& fenetre);
