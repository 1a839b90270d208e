#include "clubs_licences/dem_info.h"

#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "core/saisie.h"
#include "core/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// ---- Shared fields -------------------------------------------------------------------------

ChampsClub::ChampsClub(QWidget* fenetre) : QObject(fenetre)
{
    Text1_0 = new QLineEdit(fenetre);
    Text1_0->setObjectName("Text1_0");
    Text1_0->setMaxLength(30);
    Largeur_pour_longueur(Text1_0);
    Text1_1 = new QLineEdit(fenetre);
    Text1_1->setObjectName("Text1_1");
    Text1_1->setMaxLength(13);
    QLineEdit* nomClub = Text1_0;
    // A name does not start with a blank.
    Installer_filtre(
        Text1_0, [nomClub](int code) { return code == ' ' && nomClub->text().isEmpty() ? 0 : code; },
        [](int code) { return code; });
    Installer_filtre_majuscule(Text1_1);
    Installer_selection_au_focus(Text1_0);
    Installer_selection_au_focus(Text1_1);

    Command1_0 = Creer_bouton(fenetre, "Command1_0", "Ok");
    Command1_1 = Creer_bouton(fenetre, "Command1_1", "Annuler");
    Command1_2 = Creer_bouton(fenetre, "Command1_2", "Aide");
    Command1_0->setEnabled(false);

    auto* formulaire = new QFormLayout;
    formulaire->addRow("Nom du Club :", Text1_0);
    formulaire->addRow("Code du club :", Text1_1);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Command1_2);
    boutons->addStretch(1);
    boutons->addWidget(Command1_0);
    boutons->addWidget(Command1_1);
    auto* tout = new QVBoxLayout(fenetre);
    tout->addLayout(formulaire);
    tout->addStretch(1);
    tout->addLayout(boutons);

    connect(Text1_0, &QLineEdit::textChanged, this, &ChampsClub::majOk);
    connect(Text1_1, &QLineEdit::textChanged, this, &ChampsClub::majOk);
}

QString ChampsClub::nom() const
{
    return Text1_0->text();
}

QString ChampsClub::code() const
{
    return Text1_1->text().toUpper();
}

void ChampsClub::majOk()
{
    Command1_0->setEnabled(Text1_1->text().size() >= 13 && !Text1_0->text().isEmpty());
}

void ChampsClub::aide()
{
    try {
        Ouvrir_construc_code_club(Text1_1);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
    }
}

// ---- dem_info ------------------------------------------------------------------------------

dem_info::dem_info(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("dem_info");
    setWindowTitle("Information club");
    champs = new ChampsClub(this);
    champs->Command1_0->setDefault(true);
    connect(champs->Command1_0, &QPushButton::clicked, this, &dem_info::ok);
    connect(champs->Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(champs->Command1_2, &QPushButton::clicked, champs, &ChampsClub::aide);
    resize(Twips_en_pixels(5400), Twips_en_pixels(2100));
}

void dem_info::set_boutton_ok_annuler()
{
    if (strAction != "Nouveau")
        return;
    champs->Command1_0->setEnabled(false);
    bool clubVisible = true;
    try {
        clubVisible = Lire_nombre("select count(*) from Club where visible = true") >= 1;
    } catch (const std::exception&) {
        // Unknown: leave the way out open.
    }
    champs->Command1_1->setEnabled(clubVisible);
}

void dem_info::ok()
{
    const QString nom = champs->nom();
    const QString code = champs->code();
    try {
        if (strAction == "Nouveau") {
            QString message = "Sauvegarde annulée.";
            if (Club_existe(code, QString(), true, message))
                return;
            if (Ajouter_club(code, nom))
                close();
        } else if (strAction == "Modif") {
            auto* liste = qobject_cast<Frm_liste_club*>(frmCible.data());
            const QString num = liste ? liste->Numero_club(intIndiceInListe) : QString();
            QString message = "Modification annulée.";
            if (Club_existe(code, num, true, message))
                return;
            if (!Modifier_club(code, nom, num, QString()))
                return;
            if (liste)
                liste->set_liste(code);
            Recharger_profil_courant();
            close();
        } else {
            close();
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
    }
}

// ---- dem_info_obli -------------------------------------------------------------------------

dem_info_obli::dem_info_obli(QWidget* parent) : QDialog(parent)
{
    setObjectName("dem_info_obli");
    setWindowTitle("Nouveau Club");
    // No close box: the dialog is left only by creating a club.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    champs = new ChampsClub(this);
    champs->Command1_1->setEnabled(false);
    champs->Command1_0->setDefault(true); // Return creates the club once both fields are filled
    connect(champs->Command1_0, &QPushButton::clicked, this, &dem_info_obli::ok);
    connect(champs->Command1_2, &QPushButton::clicked, this, [this] {
        m_aide = true;
        hide();
    });
    resize(Twips_en_pixels(5400), Twips_en_pixels(2100));
    // It comes up while a base opens under the busy pointer: the user needs the arrow.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_curseur = true;
    }
}

dem_info_obli::~dem_info_obli()
{
    if (m_curseur)
        QApplication::restoreOverrideCursor();
}

void dem_info_obli::executer()
{
    for (;;) {
        m_aide = false;
        Services::ihm().executerModal(*this);
        if (!m_aide)
            return;
        // The builder replaces the dialog on screen, then the dialog comes back.
        champs->aide();
    }
}

void dem_info_obli::ok()
{
    try {
        QString message = "Sauvegarde annulée";
        if (Club_existe(champs->code(), QString(), true, message))
            return;
        if (Ajouter_club(champs->code(), champs->nom()))
            accept();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
    }
}

void dem_info_obli::reject()
{
    // Escape does not leave the dialog either.
}

void dem_info_obli::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
