#pragma once
// "Liste des Pays": picks a country name for the caller's nationality field.

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTreeWidget;

class frm_liste_pays : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_liste_pays(QWidget* parent = nullptr);

    QString strPaysSel; // the caller's country when opened; kept, not used

    void set_liste();

    QTreeWidget* Lsv_pays;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QStatusBar* StatusBar1;

private:
    void ok();
};

// Opens the picker not modal for the caller (mode "Choisir" writes into its text1_3).
void Ouvrir_liste_pays(QPointer<frm_liste_pays>& fenetre, const QString& mode, const QString& paysSel, int gauche,
                       int haut, QWidget* cible);
