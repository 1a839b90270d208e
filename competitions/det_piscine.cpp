#include "competitions/det_piscine.h"

#include "competitions/frm_liste_piscine.h"
#include "competitions/piscines.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/utils.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* Boite(QWidget* parent, const char* nom)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(nom);
    Installer_selection_au_focus(b);
    return b;
}

} // namespace

det_Piscine::det_Piscine(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_Piscine");
    setWindowTitle("Information sur la piscine");
    txt_nom = Boite(this, "txt_nom");
    txt_adresse = Boite(this, "txt_adresse");
    txt_code_postal = Boite(this, "txt_code_postal");
    Installer_filtre_chiffre(txt_code_postal);
    txt_ville = Boite(this, "txt_ville");
    Cb_couloir = new QComboBox(this);
    Cb_couloir->setObjectName("Cb_couloir");
    for (int i = 3; i <= 10; ++i)
        Cb_couloir->addItem(QString::number(i));
    Cb_couloir->setCurrentText("8");

    QGroupBox* bassin = Creer_cadre_bassin(this, Op_bass);

    auto* form = new QFormLayout;
    form->addRow("Nom piscine :", txt_nom);
    form->addRow("Adresse :", txt_adresse);
    form->addRow("Code postal :", txt_code_postal);
    form->addRow("Ville :", txt_ville);
    form->addRow("Nombre de couloirs :", Cb_couloir);
    form->addRow(bassin);

    Command1[0] = Creer_bouton(this, "Command1_0", "&Ok");
    Command1[1] = Creer_bouton(this, "Command1_1", "&Annuler");
    Command1[0]->setDefault(true);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Command1[0]);
    boutons->addWidget(Command1[1]);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(form);
    colonne->addStretch(1);
    colonne->addLayout(boutons);
    Fixer_taille_design(5400, 4200);

    connect(Command1[0], &QPushButton::clicked, this, &det_Piscine::ok);
    connect(Command1[1], &QPushButton::clicked, this, &QWidget::close);
}

void det_Piscine::remplir(const QString& nom, const QString& adresse, const QString& codePostal, const QString& ville,
                          const QString& couloirs, const QString& bassin, const QString& cle)
{
    strNumPiscine = cle;
    txt_nom->setText(nom);
    txt_adresse->setText(adresse);
    txt_code_postal->setText(codePostal);
    txt_ville->setText(ville);
    const bool lecture = strAction == "View";
    for (QLineEdit* b : {txt_nom, txt_adresse, txt_code_postal, txt_ville})
        b->setReadOnly(lecture);
    bool ok = false;
    const int n = couloirs.toInt(&ok);
    if (ok && n >= 3 && n <= 10)
        Cb_couloir->setCurrentText(QString::number(n));
    Cocher_option_bassin(bassin, Op_bass[0], Op_bass[1]);
}

void det_Piscine::ok()
{
    const QString nom = txt_nom->text().trimmed();
    const QString adresse = txt_adresse->text().trimmed();
    const QString codePostal = txt_code_postal->text().trimmed();
    const QString ville = txt_ville->text().trimmed();
    const QString couloirs = Cb_couloir->currentText();
    const QString bassin = Op_bass[0]->isChecked() ? QString("25") : QString("50");
    auto* liste = qobject_cast<Frm_liste_piscine*>(frmCible.data());

    if (strAction == "Nouveau" || strAction == "Creation" || strAction == "Modif") {
        if (strAction != "Modif" && nom.isEmpty()) {
            Afficher_erreur("Preciser le nom de la piscine !");
            txt_nom->setFocus();
            return;
        }
        // A second 'Null' pool would pass for the placeholder.
        if (Nom_piscine_reserve(nom)) {
            Afficher_erreur("Le nom « Null » est réservé : donnez un autre nom à la piscine.");
            txt_nom->setFocus();
            return;
        }
    }
    if (strAction == "Nouveau" || strAction == "Creation") {
        QString cle;
        try {
            cle = Creer_piscine({nom, adresse, codePostal, ville, couloirs, bassin});
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
        }
        if (cle.isEmpty()) {
            // The input stays for another try.
            Afficher_erreur("Echec lors de l'enregistrement de la nouvelle piscine.");
            return;
        }
        Afficher_information("Nouvelle piscine enregistrée.");
        if (strAction == "Creation" && liste)
            liste->set_liste(cle);
    } else if (strAction == "Modif") {
        try {
            cnxBase.Execute("Update Piscine set Nom = " + Sql_texte(nom) + ", Adresse = " + Sql_texte(adresse)
                            + ", Code_Postal = " + Sql_texte(codePostal) + ", Ville = " + Sql_texte(ville)
                            + ", NbCouloir = " + QString::number(couloirs.toInt()) + ", Bassin = " + bassin
                            + " where Num = " + QString::number(strNumPiscine.toLongLong()));
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Erreur lors de la modification de la piscine.");
            return;
        }
        if (liste)
            liste->set_liste(strNumPiscine);
    }
    close();
}
