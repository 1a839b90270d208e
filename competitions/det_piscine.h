#pragma once
// One pool: created from the pool menu ("Nouveau") or from the pool chooser ("Creation"),
// modified ("Modif") or viewed ("View") from the pool list.

#include "core/fenetres.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class det_Piscine : public FenetreComptee {
    Q_OBJECT
public:
    explicit det_Piscine(QWidget* parent = nullptr);

    QString strNumPiscine;
    int intIndiceInListe = 0;

    // Shows one pool; lanes outside 3 to 10 leave "8".
    void remplir(const QString& nom, const QString& adresse, const QString& codePostal, const QString& ville,
                 const QString& couloirs, const QString& bassin, const QString& cle);

    QLineEdit* txt_nom;
    QLineEdit* txt_adresse;
    QLineEdit* txt_code_postal;
    QLineEdit* txt_ville;
    QComboBox* Cb_couloir;
    QRadioButton* Op_bass[2];
    QPushButton* Command1[2];

private:
    void ok();
};
