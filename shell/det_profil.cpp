#include "shell/det_profil.h"

#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/utils.h"
#include "shell/frm_liste_profil.h"
#include "shell/profils.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Titre_du_mode(const QString& mode)
{
    if (mode == "Nouveau")
        return "Création d'un profil";
    if (mode == "Modif")
        return "Modification d'un profil";
    if (mode == "View")
        return "Information profil";
    return QString();
}

// The club's name, "" when no club has that code.
QString Nom_du_club(const QString& code)
{
    Requete lecture(cnxBase.handle(), "select Intitule from Club where Code_federal = " + Sql_texte(code));
    return lecture.suivante() ? lecture.texte(0) : QString();
}

} // namespace

ChampsProfil Creer_champs_profil(QWidget* fenetre)
{
    ChampsProfil c;
    c.Text1_0 = new QLineEdit(fenetre);
    c.Text1_0->setObjectName("Text1_0");
    c.Text1_1 = new QLineEdit(fenetre);
    c.Text1_1->setObjectName("Text1_1");
    c.Text1_1->setMaxLength(13);
    c.txt_nom_club = new QLabel(fenetre);
    c.txt_nom_club->setObjectName("txt_nom_club");
    c.txt_nom_club->setTextFormat(Qt::PlainText);
    // A long club name is shown whole: the window widens for it.
    Elargir_pour_libelle(c.txt_nom_club);
    Installer_selection_au_focus(c.Text1_0);
    Installer_selection_au_focus(c.Text1_1);
    c.Command1_0 = Creer_bouton(fenetre, "Command1_0", "Ok");
    c.Command1_1 = Creer_bouton(fenetre, "Command1_1", "Annuler");
    c.Command1_2 = Creer_bouton(fenetre, "Command1_2", "Choix d'un club");
    c.Command1_0->setEnabled(false);
    // The club's code, then the button that chooses it, before the buttons that end the window.
    QWidget::setTabOrder(c.Text1_1, c.Command1_2);

    auto* formulaire = new QFormLayout;
    formulaire->addRow("Nom du Profil :", c.Text1_0);
    auto* code = new QHBoxLayout;
    code->addWidget(c.Text1_1, 1);
    code->addWidget(c.Command1_2);
    formulaire->addRow("Code du club lié :", code);
    formulaire->addRow(QString(), c.txt_nom_club);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(c.Command1_0);
    boutons->addWidget(c.Command1_1);
    auto* tout = new QVBoxLayout(fenetre);
    tout->addLayout(formulaire);
    tout->addStretch(1);
    tout->addLayout(boutons);
    return c;
}

det_profil::det_profil(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_profil");
    const ChampsProfil champs = Creer_champs_profil(this);
    Text1_0 = champs.Text1_0;
    Text1_1 = champs.Text1_1;
    txt_nom_club = champs.txt_nom_club;
    Command1_0 = champs.Command1_0;
    Command1_1 = champs.Command1_1;
    Command1_2 = champs.Command1_2;
    Fixer_taille_design(6000, 2700);

    connect(Text1_0, &QLineEdit::textChanged, this, &det_profil::majOk);
    connect(Text1_1, &QLineEdit::textChanged, this, &det_profil::majOk);
    connect(Command1_0, &QPushButton::clicked, this, &det_profil::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command1_2, &QPushButton::clicked, this, &det_profil::choixClub);
    Relier_touches_dialogue(this, Command1_0);
}

VerrousMenus det_profil::Verrous_du_mode(const QString& mode, bool depuisListe)
{
    VerrousMenus verrous;
    if (depuisListe)
        return verrous;
    if (mode == "Nouveau") {
        verrous.groupeEntier(GroupeVerrou::Club);
        verrous.groupeEntier(GroupeVerrou::Profil);
    } else if (mode == "View") {
        verrous.groupe(GroupeVerrou::Profil, {0, 0, 0, 0, 1, 0});
    }
    return verrous;
}

void det_profil::set_boutton_ok_annuler()
{
    majOk();
    bool profilExiste = true;
    try {
        profilExiste = Lire_nombre("select count(*) from Profil") >= 1;
    } catch (const std::exception&) {
        // Unknown: leave the way out open.
    }
    Command1_1->setEnabled(profilExiste);
}

void det_profil::majOk()
{
    Command1_0->setEnabled(!Text1_0->text().isEmpty() && !Text1_1->text().isEmpty());
}

void det_profil::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "Frm_liste_club")
        m_listeClub.clear();
}

void det_profil::Decharger_fenetres_filles()
{
    if (m_listeClub)
        m_listeClub->close();
}

void det_profil::choixClub()
{
    if (Fenetre_deja_ouverte(m_listeClub, false))
        return;
    // Beside this window, at the same height.
    const QRect cadre = Cadre_fenetre(this)->frameGeometry();
    const int gauche = (cadre.right() + 1) * 15 + 300;
    const int haut = cadre.top() * 15;
    try {
        Ouvrir_liste_club(m_listeClub, "Choix d'un club à lier au profil", "liste club pour profil", true, QString(),
                          haut, gauche, QString(), Text1_1->text().toUpper(), this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du chargement de la liste des clubs.");
    }
}

void det_profil::ok()
{
    const QString nom = Text1_0->text();
    const QString code = Text1_1->text().toUpper();
    try {
        if (strAction == "Nouveau") {
            if (!Creer_profil(nom, code))
                return;
        } else if (strAction == "Modif") {
            if (!Controler_profil(nom, code, strProfilNumber))
                return;
            Modifier_profil(strProfilNumber, nom, code);
            Charger_profil_courant(false);
            if (auto* liste = qobject_cast<Frm_liste_profil*>(frmCible.data()))
                liste->set_liste(strProfilNumber);
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du profil.");
        return;
    }
    close();
}

void Ouvrir_det_profil(QPointer<det_profil>& fenetre, const QString& mode, const QString& nom,
                       const QString& codeClub, int indice, const QString& num, QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.verrous = det_profil::Verrous_du_mode(mode, appelant != nullptr);
    ouverture.strAction = mode;
    ouverture.titre = Titre_du_mode(mode);
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](det_profil& detail) {
        if (mode == "Modif" || mode == "View") {
            detail.Text1_0->setText(nom);
            detail.Text1_1->setText(codeClub);
            detail.txt_nom_club->setText(Nom_du_club(codeClub));
            const bool lecture = mode == "View";
            detail.Text1_0->setReadOnly(lecture);
            detail.Text1_1->setReadOnly(lecture);
            detail.Command1_1->setEnabled(!lecture);
            detail.Command1_2->setVisible(!lecture);
            detail.intIndiceInListe = indice;
            detail.strProfilNumber = num;
        } else {
            detail.set_boutton_ok_annuler();
        }
    });
}
