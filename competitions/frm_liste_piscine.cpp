#include "competitions/frm_liste_piscine.h"

#include "competitions/det_compet.h"
#include "competitions/det_piscine.h"
#include "competitions/piscines.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

Frm_liste_piscine::Frm_liste_piscine(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("Frm_liste_piscine");
    Lsv_piscine = Creer_liste_rapport(this, "Lsv_piscine", {"Nom Piscine"});
    Lsv_piscine->header()->setStretchLastSection(true);
    Lsv_info_piscine = Creer_liste_rapport(
        this, "Lsv_info_piscine", {"Num", "Nom", "Adresse", "Code postal", "Ville", "Couloir", "Bassin"});
    Lsv_info_piscine->hide();
    Lsv_num = Creer_liste_rapport(this, "Lsv_num", {"num"});
    Lsv_num->hide();

    const ElementsFenetreListe elements = Disposer_fenetre_liste(this, Lsv_piscine, 5205, 3915);
    Command1_0 = elements.Command1_0;
    Command1_1 = elements.Command1_1;
    Command1_2 = elements.Command1_2;
    StatusBar1 = elements.StatusBar1;
    Timer1 = elements.Timer1;

    connect(Command1_0, &QPushButton::clicked, this, &Frm_liste_piscine::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command1_2, &QPushButton::clicked, this, &Frm_liste_piscine::bouton2);
    connect(Lsv_piscine, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_piscine::doubleClic);
    Entree_comme_double_clic(Lsv_piscine);
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(Lsv_piscine, Timer1); });
    Lsv_piscine->installEventFilter(this);
}

void Frm_liste_piscine::set_liste(const QString& cle)
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des piscines");
    try {
        Remplir_listes("SELECT * from Piscine where Nom <> 'Null' COLLATE BINARY order by Nom",
                       {Lsv_piscine, Lsv_info_piscine}, {{1}, {0, 1, 2, 3, 4, 5, 6}}, QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des piscines.");
    }
    const int n = Nombre_lignes(Lsv_piscine);
    if (n == 0) {
        Command1_1->setEnabled(false);
        if (strAction != "Choisir")
            Command1_2->setEnabled(false);
    } else {
        int i = Chercher_element(cle, Lsv_info_piscine, 0, 0, 0);
        if (i < 1)
            i = 1;
        Selectionner_element(Lsv_piscine, i);
        Command1_2->setEnabled(true);
    }
    Lsv_piscine->setSelectionMode(strAction == "Suppr" ? QAbstractItemView::ExtendedSelection
                                                       : QAbstractItemView::SingleSelection);
    Afficher_statut(QString());
}

void Frm_liste_piscine::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "det_Piscine")
        m_detail.clear();
}

void Frm_liste_piscine::Decharger_fenetres_filles()
{
    if (m_detail)
        m_detail->close();
}

bool Frm_liste_piscine::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Lsv_piscine && evenement->type() == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (strAction == "Suppr" && touche->key() == Qt::Key_Delete)
            retirerSelection();
        else
            Selectionner_tout(Lsv_piscine, touche->key(), Etat_shift(touche->modifiers()));
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Frm_liste_piscine::retirerSelection()
{
    // Nothing selected, nothing removed.
    if (Lsv_piscine->selectedItems().isEmpty())
        return;
    Retirer_selection(Lsv_info_piscine, Lsv_piscine, Lsv_num, Command1_2, false, 1);
}

void Frm_liste_piscine::doubleClic()
{
    if (strAction == "Choisir") {
        Command1_0->click();
    } else if (strAction == "View" || strAction == "Modif" || strAction == "Suppr") {
        Command1_2->click();
        Timer1->start(10);
    }
}

void Frm_liste_piscine::bouton2()
{
    try {
        if (strAction == "Suppr") {
            retirerSelection();
        } else if (strAction == "View" || strAction == "Modif") {
            const int i = Ligne_courante(Lsv_piscine);
            QTreeWidgetItem* p = Ligne(Lsv_info_piscine, i);
            if (!p || Fenetre_deja_ouverte(m_detail, false))
                return;
            Ouvrir_det_piscine(m_detail, strAction, this, i, p->text(1), p->text(2), p->text(3), p->text(4),
                               p->text(5), p->text(6), p->text(0));
        } else if (strAction == "Choisir") {
            if (Fenetre_deja_ouverte(m_detail, false))
                return;
            Ouvrir_det_piscine(m_detail, "Creation", this, 0, {}, {}, {}, {}, {}, {}, {});
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'ouverture de la fiche piscine.");
    }
}

void Frm_liste_piscine::choisir(int ligne)
{
    auto* detail = dynamic_cast<det_compet*>(frmCible.data());
    QTreeWidgetItem* p = Ligne(Lsv_info_piscine, ligne);
    if (!detail || !p)
        return;
    detail->Lbl_Piscine_Choose->setText(p->text(1));
    detail->strNumPiscine = p->text(0);
    if (Demander_confirmation("Remplacer les informations (lieu et nombre de couloir) sur la compétition ?", 0)
        != Reponse::Oui)
        return;
    detail->Text1[2]->setText(p->text(4));
    detail->Cb_couloir->setCurrentText(p->text(5));
    if (detail->Op_bass[0]->isEnabled())
        Cocher_option_bassin(p->text(6), detail->Op_bass[0], detail->Op_bass[1]);
}

void Frm_liste_piscine::ok()
{
    try {
        if (strAction == "Choisir") {
            const int i = Ligne_courante(Lsv_piscine);
            if (i > 0 && Lsv_piscine->currentItem() && Lsv_piscine->currentItem()->isSelected())
                choisir(i);
        } else if (strAction == "Suppr" && Nombre_lignes(Lsv_num) > 0) {
            QString filtreTexte;
            QString filtre;
            Filtre_selection(Lsv_num, filtreTexte, filtre, "Num", "Num");
            const QString nulle = Get_num_piscine_nulle();
            PointSauvegarde point("suppr_piscines");
            // The competitions of a deleted pool fall back to the placeholder first.
            cnxBase.Execute("Update Rcomp Set Num_Piscine = " + (nulle.isEmpty() ? QString("Null") : nulle) + " where "
                            + QString(filtre).replace("Num", "Num_Piscine"));
            cnxBase.Execute("Delete from Piscine where " + filtre);
            point.valider();
            Lsv_num->clear();
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la suppression des piscines.");
        return;
    }
    close();
}

det_Piscine* Frm_liste_piscine::detail() const
{
    return m_detail;
}
