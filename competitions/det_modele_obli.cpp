#include "competitions/det_modele_obli.h"

#include "competitions/frm_liste_modele.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/utils.h"
#include "entries/frm_engag.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// The windows opened from the dialog live on after it closes.
QPointer<frm_engag> fenetreNouveauModeleEngag;
QPointer<frm_prog> fenetreNouveauModeleProg;
} // namespace

det_modele_obli::det_modele_obli(QWidget* parent) : QDialog(parent)
{
    setObjectName("det_modele_obli");
    setWindowTitle("Définition du nom du modèle");
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Command1_0 = Creer_bouton(this, "Command1_0", "Ok");
    Command1_1 = Creer_bouton(this, "Command1_1", "Annuler");
    Command1_0->setDefault(true);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Command1_0);
    boutons->addWidget(Command1_1);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel("Nom du Modèle :", this));
    disposition->addWidget(Text1);
    disposition->addLayout(boutons);
    connect(Command1_0, &QPushButton::clicked, this, &det_modele_obli::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, [this] { frmCible.clear(); });
}

void det_modele_obli::ok()
{
    const QString nom = Text1->text().trimmed();
    if (nom.isEmpty()) {
        Afficher_erreur("Donner un nom au profil.");
        Text1->setFocus();
        return;
    }
    try {
        if (strAction == "Modif") {
            cnxBase.Execute("UPDATE " + strTable + " SET Nom_modele = " + Sql_texte(nom) + " where NumAuto = " + strChampValue);
            accept();
            return;
        }
        auto* liste = qobject_cast<frm_liste_modele*>(frmCible.data());
        const bool depuis = strAction.startsWith("modele depuis");
        if (depuis && liste)
            liste->strNumModelesel.clear();
        const QString table =
            strAction == "Nouveau" || strAction == "modele depuis engagement" ? "Modele_engag" : "Modele_prog";
        const QString cle = Creer_modele(nom, table);
        if (cle.isEmpty()) {
            Afficher_erreur("Erreur lors de l'écriture du modèle.\r\nModèle non sauvegardé.");
            return;
        }
        hide();
        if (strAction == "Nouveau") {
            Ouvrir_frm_engag(fenetreNouveauModeleEngag, "Définition des engagements pour nouveau modèle " + nom,
                             "new modele", true, cle, nullptr, true);
        } else if (strAction == "nouveau prog") {
            // The editor takes the locks of a new programme template and gives them back itself.
            Ouvrir_frm_prog(fenetreNouveauModeleProg, "Définition du programme pour nouveau modèle " + nom, "new modele",
                            true, cle, true, nullptr, false);
        } else if (depuis && liste) {
            liste->strNumModelesel = cle;
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'écriture du modèle.\r\nModèle non sauvegardé.");
    }
    accept();
}

void Demander_nom_modele(const QString& mode, bool annulerPossible, int style, const QString& table,
                         const QString& cleModele, const QString& nomActuel, QWidget* appelant)
{
    auto* dialogue = new det_modele_obli(frmPrincipal);
    dialogue->setAttribute(Qt::WA_DeleteOnClose, style != 1);
    dialogue->strAction = mode;
    if (!table.isEmpty())
        dialogue->strTable = table;
    if (!cleModele.isEmpty())
        dialogue->strChampValue = cleModele;
    if (!nomActuel.isEmpty())
        dialogue->Text1->setText(nomActuel);
    dialogue->Command1_1->setEnabled(annulerPossible);
    dialogue->frmCible = appelant;
    if (style == 1) {
        Afficher_formulaire(dialogue, 1);
        delete dialogue;
    } else {
        Afficher_formulaire(dialogue, style);
    }
}
