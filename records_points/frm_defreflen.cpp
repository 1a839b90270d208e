#include "records_points/frm_defreflen.h"

#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/temps.h"
#include "core/utils.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frm_defreflen::frm_defreflen(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_defreflen");
    setWindowTitle("Définition des références LEN");
    // Its edits wait in the window until "Sauvegarder": nothing of the base's is held open.
    Ne_pas_compter();

    LsvNage = Creer_liste_rapport(this, "LsvNage", {"Libellé", "Ref LEN"});
    lsvNageInfo = Creer_liste_rapport(this, "lsvNageInfo", {"Code", "Modif"});
    lsvNageInfo->hide();
    lbl_intitule = new QLabel("Intitulé nage", this);
    lbl_intitule->setObjectName("lbl_intitule");
    lbl_intitule->setTextFormat(Qt::PlainText);
    txt_ref = new QLineEdit(this);
    txt_ref->setObjectName("txt_ref");
    Brancher_boite_temps(txt_ref);
    cmd_modif = Creer_bouton(this, "cmd_modif", "&Modifier");
    cmd_0 = Creer_bouton(this, "cmd_0", "&Sauvegarder");
    cmd_1 = Creer_bouton(this, "cmd_1", "&Annuler");

    auto* saisie = new QHBoxLayout;
    saisie->addWidget(lbl_intitule, 1);
    saisie->addWidget(txt_ref);
    saisie->addWidget(cmd_modif);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmd_0);
    boutons->addWidget(cmd_1);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(LsvNage, 1);
    principal->addLayout(saisie);
    principal->addLayout(boutons);
    Fixer_taille_design(6000, 6500);

    connect(LsvNage, &QTreeWidget::currentItemChanged, this, [this] { afficherLigne(); });
    connect(cmd_modif, &QPushButton::clicked, this, [this] { cmd_modif_Click(); });
    connect(txt_ref, &QLineEdit::returnPressed, this, [this] { cmd_modif_Click(); });
    connect(cmd_0, &QPushButton::clicked, this, [this] {
        if (Sauvegarder())
            close();
    });
    connect(cmd_1, &QPushButton::clicked, this, &QWidget::close);

    try {
        Remplir_listes("SELECT Code_Nage, Libelle, Ref_len FROM Nage", {LsvNage, lsvNageInfo}, {{1, 2}, {0}},
                       QString());
        for (int i = 1; i <= Nombre_lignes(LsvNage); ++i) {
            QTreeWidgetItem* ligne = Ligne(LsvNage, i);
            if (!ligne->text(1).isEmpty())
                ligne->setText(1, Format_temps(ligne->text(1)));
            Ligne(lsvNageInfo, i)->setText(1, QString());
        }
        LsvNage->resizeColumnToContents(0);
        if (Nombre_lignes(LsvNage) > 0)
            Selectionner_element(LsvNage, 1);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
}

void frm_defreflen::afficherLigne()
{
    const QTreeWidgetItem* ligne = LsvNage->currentItem();
    if (!ligne)
        return;
    lbl_intitule->setText(ligne->text(0));
    txt_ref->setText(ligne->text(1));
}

void frm_defreflen::cmd_modif_Click()
{
    const int i = Ligne_courante(LsvNage);
    if (i == 0)
        return;
    // The box may still hold what was typed unformatted when Return comes before leaving it.
    const QString texte = txt_ref->text().trimmed();
    const QString valeur = texte.isEmpty() ? QString() : Format_temps(texte);
    txt_ref->setText(valeur);
    Ligne(LsvNage, i)->setText(1, valeur);
    Ligne(lsvNageInfo, i)->setText(1, "T");
}

bool frm_defreflen::Sauvegarder()
{
    try {
        PointSauvegarde transaction("ref_len");
        for (int i = 1; i <= Nombre_lignes(lsvNageInfo); ++i) {
            const QTreeWidgetItem* info = Ligne(lsvNageInfo, i);
            if (info->text(1) != "T")
                continue;
            // Written as a number: the list shows four decimals, the base keeps the value.
            const QString texte = Ligne(LsvNage, i)->text(1);
            const QVariant valeur = texte.isEmpty() ? QVariant() : QVariant(Valeur_numerique(texte));
            cnxBase.Executer_lie("UPDATE Nage Set Ref_len = ? WHERE Code_Nage = ?", {valeur, info->text(0).toInt()});
        }
        transaction.valider();
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la mise à jour des références LEN.");
        return false;
    }
}
