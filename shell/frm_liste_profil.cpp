#include "shell/frm_liste_profil.h"

#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"
#include "shell/det_profil.h"
#include "shell/profil_obli.h"
#include "shell/profils.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>


Frm_liste_profil::Frm_liste_profil(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("Frm_liste_profil");
    Lsv_profil = Creer_liste_rapport(this, "Lsv_profil", {"Profil", "Utilisé"});
    // "Utilisé" keeps its width, the names take the rest.
    Lsv_profil->header()->setStretchLastSection(false);
    Lsv_profil->header()->setSectionsMovable(false);
    Lsv_profil->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    Lsv_profil->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    Lsv_profil->setColumnWidth(1, Twips_en_pixels(800));
    Lsv_info_profil = Creer_liste_rapport(this, "Lsv_info_profil", {"Profil", "Num", "Code_club"});
    Lsv_info_profil->hide();
    Lsv_num = Creer_liste_rapport(this, "Lsv_num", {"Num"});
    Lsv_num->hide();

    const ElementsFenetreListe elements = Disposer_fenetre_liste(this, Lsv_profil, 5205, 3915);
    Command1_0 = elements.Command1_0;
    Command1_1 = elements.Command1_1;
    Command1_2 = elements.Command1_2;
    StatusBar1 = elements.StatusBar1;
    Timer1 = elements.Timer1;

    connect(Command1_0, &QPushButton::clicked, this, &Frm_liste_profil::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command1_2, &QPushButton::clicked, this, &Frm_liste_profil::bouton2);
    connect(Lsv_profil, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_profil::doubleClic);
    Entree_comme_double_clic(Lsv_profil);
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(Lsv_profil, Timer1); });
    Lsv_profil->installEventFilter(this);
}

VerrousMenus Frm_liste_profil::Verrous_du_mode(const QString& mode)
{
    VerrousMenus verrous;
    verrous.groupe(GroupeVerrou::Profil, {1, 1, 1, 1, 0, 1});
    if (mode == "Modif")
        verrous.groupe(GroupeVerrou::Club, {1, 0, 1, 1, 1});
    else if (mode == "Suppr")
        verrous.groupe(GroupeVerrou::Club, {0, 0, 0, 1, 0});
    else if (mode == "Choisir")
        verrous.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    if (mode == "Modif" || mode == "Suppr" || mode == "Choisir") {
        verrous.groupe(GroupeVerrou::Licence, {1, 0, 1, 1, 1, 1, 1});
        verrous.groupe(GroupeVerrou::Compet, {0, 0, 0, 0, 0, 0, 1});
        verrous.groupeEntier(GroupeVerrou::Engag);
        verrous.groupeEntier(GroupeVerrou::ModeleEngag);
        verrous.groupeEntier(GroupeVerrou::ModeleProg);
        verrous.groupe(GroupeVerrou::Perf, {0, 1, 1, 1, 1, 1, 1});
        verrous.groupeEntier(GroupeVerrou::PointsEquipe);
    }
    return verrous;
}

void Frm_liste_profil::set_liste(const QString& num)
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des profils");
    Lsv_num->clear();
    Remplir_listes("SELECT Libelle, LastUse, Num, Code_club from Profil", {Lsv_profil, Lsv_info_profil},
                   {{0}, {0, 2, 3}}, QString());
    // The mark follows the loaded context, not the stored flag.
    int aSelectionner = 0;
    for (int i = 1; i <= Nombre_lignes(Lsv_profil); ++i) {
        QTreeWidgetItem* ligne = Ligne(Lsv_profil, i);
        if (ligne->text(0) == strNomProfil) {
            ligne->setText(1, "X");
            ligne->setTextAlignment(1, Qt::AlignCenter);
            if (aSelectionner == 0)
                aSelectionner = i;
        }
    }
    if (!num.isEmpty()) {
        for (int i = 1; i <= Nombre_lignes(Lsv_info_profil); ++i) {
            if (Ligne(Lsv_info_profil, i)->text(1) == num) {
                aSelectionner = i;
                break;
            }
        }
    }
    if (Nombre_lignes(Lsv_profil) > 0) {
        Lsv_profil->clearSelection();
        Selectionner_element(Lsv_profil, aSelectionner);
    }
    Afficher_statut(QString());
}

void Frm_liste_profil::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "det_profil")
        m_detail.clear();
}

void Frm_liste_profil::Decharger_fenetres_filles()
{
    if (m_detail)
        m_detail->close();
}

bool Frm_liste_profil::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Lsv_profil && evenement->type() == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (strAction == "Suppr" && touche->key() == Qt::Key_Delete) {
            if (Nombre_lignes(Lsv_profil) > 0)
                retirerSelection();
        } else {
            Selectionner_tout(Lsv_profil, touche->key(), Etat_shift(touche->modifiers()));
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Frm_liste_profil::retirerSelection()
{
    // The profiles wait in the hidden list; nothing is deleted before "Ok".
    Retirer_selection(Lsv_info_profil, Lsv_profil, Lsv_num, Command1_2, false, 2);
    Lsv_profil->viewport()->update();
}

void Frm_liste_profil::doubleClic()
{
    if (strAction == "Choisir") {
        Command1_0->click();
    } else if (strAction == "View" || strAction == "Modif" || strAction == "Suppr") {
        Command1_2->click();
        Timer1->start(10);
    }
}

void Frm_liste_profil::bouton2()
{
    if (strAction == "Suppr") {
        retirerSelection();
        return;
    }
    if (strAction != "View" && strAction != "Modif")
        return;
    const int i = Ligne_courante(Lsv_profil);
    QTreeWidgetItem* info = Ligne(Lsv_info_profil, i);
    if (!info)
        return;
    try {
        Ouvrir_det_profil(m_detail, strAction, info->text(0), info->text(2), i, info->text(1), this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'ouverture du profil.");
    }
}

void Frm_liste_profil::ok()
{
    try {
        if (strAction == "Choisir") {
            QTreeWidgetItem* ligne = Ligne(Lsv_profil, Ligne_courante(Lsv_profil));
            if (ligne && !Choisir_profil(ligne->text(0)))
                return;
        } else if (strAction == "Suppr") {
            if (Nombre_lignes(Lsv_num) == 0) {
                close();
                return;
            }
            QStringList nums;
            for (int i = 1; i <= Nombre_lignes(Lsv_num); ++i)
                nums << Ligne(Lsv_num, i)->text(0);
            Supprimer_profils(nums);
        }
        // The current profile may be gone: the loader then forces a choice, this list out of sight.
        Cadre_fenetre(this)->hide();
        Charger_profil_courant(true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la mise à jour des profils.");
    }
    close();
}

void Ouvrir_liste_profil(QPointer<Frm_liste_profil>& fenetre, const QString& titre, bool bAnnuler,
                         const QString& mode, const QString& texteBouton2, bool multiSelection)
{
    Ouverture ouverture;
    ouverture.verrous = Frm_liste_profil::Verrous_du_mode(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    Ouvrir_fenetre(fenetre, ouverture, [&](Frm_liste_profil& liste) {
        liste.Lsv_profil->setSelectionMode(multiSelection ? QAbstractItemView::ExtendedSelection
                                                          : QAbstractItemView::SingleSelection);
        liste.Command1_1->setEnabled(bAnnuler);
        liste.Command1_2->setText(texteBouton2);
        liste.Command1_2->setVisible(!texteBouton2.isEmpty());
        liste.set_liste(QString());
    });
}
