#include "shell/profil_obli.h"

#include "clubs_licences/dem_info.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "shell/det_profil.h"
#include "shell/profils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A list above its two buttons, "Ok" then "Annuler" at the bottom right.
void Disposer_liste(QDialog* dialogue, QTreeWidget* liste, QPushButton* ok, QPushButton* annuler)
{
    auto* colonne = new QVBoxLayout(dialogue);
    colonne->addWidget(liste, 1);
    auto* rangee = new QHBoxLayout;
    rangee->addStretch(1);
    rangee->addWidget(ok);
    rangee->addWidget(annuler);
    colonne->addLayout(rangee);
}

} // namespace

// ---- Common ----------------------------------------------------------------------------------

DialogueForce::DialogueForce(QWidget* parent) : QDialog(parent)
{
    setModal(true);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_curseur = true;
    }
}

DialogueForce::~DialogueForce()
{
    if (m_curseur)
        QApplication::restoreOverrideCursor();
}

// ---- Création profil -------------------------------------------------------------------------

det_profil_obli::det_profil_obli(QWidget* parent) : DialogueForce(parent)
{
    setObjectName("det_profil_obli");
    setWindowTitle("Création profil");
    // No close box: the dialog is left only by creating a profile.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    const ChampsProfil champs = Creer_champs_profil(this);
    Text1_0 = champs.Text1_0;
    Text1_1 = champs.Text1_1;
    txt_nom_club = champs.txt_nom_club;
    Command1_0 = champs.Command1_0;
    Command1_1 = champs.Command1_1;
    Command1_2 = champs.Command1_2;
    Command1_0->setDefault(true);
    resize(Twips_en_pixels(6000), Twips_en_pixels(2400));

    connect(Text1_0, &QLineEdit::textChanged, this, &det_profil_obli::majOk);
    connect(Text1_1, &QLineEdit::textChanged, this, &det_profil_obli::majOk);
    connect(Command1_0, &QPushButton::clicked, this, &det_profil_obli::ok);
    connect(Command1_1, &QPushButton::clicked, this, &det_profil_obli::reject);
    connect(Command1_2, &QPushButton::clicked, this, [this] {
        m_choixClub = true;
        hide();
    });
}

void det_profil_obli::executer()
{
    for (;;) {
        m_choixClub = false;
        Services::ihm().executerModal(*this);
        if (!m_choixClub)
            return;
        // The picker takes the dialog's place on screen, then the dialog comes back.
        try {
            Frm_liste_club_obli choix(this);
            choix.executer();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors du chargement de la liste des clubs.");
        }
    }
}

void det_profil_obli::showEvent(QShowEvent* event)
{
    DialogueForce::showEvent(event);
    // At first and back from the picker, typing goes on where the profile still lacks something.
    QWidget* suite = Command1_0;
    if (Text1_0->text().isEmpty())
        suite = Text1_0;
    else if (Text1_1->text().isEmpty())
        suite = Text1_1;
    suite->setFocus(Qt::OtherFocusReason);
}

void det_profil_obli::majOk()
{
    Command1_0->setEnabled(!Text1_0->text().isEmpty() && !Text1_1->text().isEmpty());
}

void det_profil_obli::ok()
{
    try {
        // Codes are stored in upper case, as the profile detail window stores them.
        if (Creer_profil(Text1_0->text(), Text1_1->text().toUpper()))
            accept();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du profil.");
    }
}

void det_profil_obli::reject()
{
}

void det_profil_obli::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

// ---- Selection d'un club ---------------------------------------------------------------------

Frm_liste_club_obli::Frm_liste_club_obli(det_profil_obli* cible) : DialogueForce(cible), m_cible(cible)
{
    setObjectName("Frm_liste_club_obli");
    setWindowTitle("Selection d'un club");
    Lsv_club = Creer_liste_rapport(this, "Lsv_club", {"Code Club", "Libellé Club"});
    Lsv_club->header()->setStretchLastSection(true);
    Lsv_club->setColumnWidth(
        0, std::max(Twips_en_pixels(1500), Lsv_club->fontMetrics().horizontalAdvance("FRA0000000000") + 16));
    Command1_0 = Creer_bouton(this, "Command1_0", "&Ok");
    Command1_1 = Creer_bouton(this, "Command1_1", "&Annuler");
    Command1_0->setDefault(true); // Return takes the selected club
    Disposer_liste(this, Lsv_club, Command1_0, Command1_1);
    resize(Twips_en_pixels(5205), Twips_en_pixels(3915));

    connect(Command1_0, &QPushButton::clicked, this, &Frm_liste_club_obli::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QDialog::reject);
    connect(Lsv_club, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_club_obli::ok);
}

void Frm_liste_club_obli::set_liste()
{
    for (;;) {
        Remplir_listes("SELECT Code_federal, Intitule FROM Club where Visible = true order by Intitule", {Lsv_club},
                       {{0, 1}}, QString());
        if (Nombre_lignes(Lsv_club) > 0) {
            Selectionner_element(Lsv_club, 1);
            return;
        }
        // The picker always offers a club: one is created first.
        dem_info_obli club(this);
        club.executer();
    }
}

int Frm_liste_club_obli::executer()
{
    set_liste();
    return Services::ihm().executerModal(*this);
}

void Frm_liste_club_obli::ok()
{
    QTreeWidgetItem* ligne = Ligne(Lsv_club, Ligne_courante(Lsv_club));
    if (!ligne)
        return;
    if (m_cible) {
        m_cible->Text1_1->setText(ligne->text(0));
        m_cible->txt_nom_club->setText(ligne->text(1));
    }
    accept();
}

// ---- Selection d'un profil -------------------------------------------------------------------

Frm_liste_profil_obli::Frm_liste_profil_obli(QWidget* parent) : DialogueForce(parent)
{
    setObjectName("Frm_liste_profil_obli");
    setWindowTitle("Selection d'un profil");
    Lsv_profil = Creer_liste_rapport(this, "Lsv_profil", {"Profil"});
    Lsv_profil->header()->setStretchLastSection(true);
    Command1_0 = Creer_bouton(this, "Command1_0", "&Ok");
    Command1_1 = Creer_bouton(this, "Command1_1", "&Annuler");
    Command1_0->setDefault(true); // Return takes the selected profile
    Disposer_liste(this, Lsv_profil, Command1_0, Command1_1);
    resize(Twips_en_pixels(4500), Twips_en_pixels(3915));

    connect(Command1_0, &QPushButton::clicked, this, &Frm_liste_profil_obli::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QDialog::reject);
    connect(Lsv_profil, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_profil_obli::ok);
}

void Frm_liste_profil_obli::set_liste()
{
    for (;;) {
        Remplir_listes("SELECT Libelle FROM Profil", {Lsv_profil}, {{0}}, QString());
        if (Nombre_lignes(Lsv_profil) > 0)
            break;
        // Every profile was deleted meanwhile: one is created first.
        hide();
        det_profil_obli creation(parentWidget());
        creation.executer();
    }
    Selectionner_element(Lsv_profil, 1);
    Services::ihm().executerModal(*this);
}

void Frm_liste_profil_obli::ok()
{
    QTreeWidgetItem* ligne = Ligne(Lsv_profil, Ligne_courante(Lsv_profil));
    if (!ligne)
        return;
    try {
        if (!Choisir_profil(ligne->text(0)))
            return;
        // Never a forced dialog inside this one: the outer load shows what was loaded.
        Charger_profil_courant(false, false);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du choix du profil.");
        return;
    }
    accept();
}
