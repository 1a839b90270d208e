#include "clubs_licences/frm_liste_club.h"

#include "clubs_licences/dem_info.h"
#include "clubs_licences/utils_club.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Writes into a control of the caller found by its name, case ignored as control names are
// (a text box or a label).
void Ecrire_dans_appelant(QWidget* appelant, const char* nom, const QString& texte)
{
    if (!appelant)
        return;
    const QString recherche = QString::fromLatin1(nom);
    for (QWidget* champ : appelant->findChildren<QWidget*>()) {
        if (champ->objectName().compare(recherche, Qt::CaseInsensitive) == 0) {
            champ->setProperty("text", texte);
            return;
        }
    }
}

} // namespace

Frm_liste_club::Frm_liste_club(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("Frm_liste_club");
    Lsv_club = Creer_liste_rapport(this, "Lsv_club", {"Code Club", "Libellé Club"});
    // Wide enough for a whole code in the font in use.
    Lsv_club->setColumnWidth(
        0, std::max(Twips_en_pixels(1500), Lsv_club->fontMetrics().horizontalAdvance("FRA0000000000") + 16));
    Lsv_club->header()->setStretchLastSection(true);
    Lsv_info_club = Creer_liste_rapport(this, "Lsv_info_club", {"Code Club", "Num"});
    Lsv_info_club->hide();
    Lsv_num = Creer_liste_rapport(this, "Lsv_num", {"Num", "Libellé club"});
    Lsv_num->hide();

    const ElementsFenetreListe elements = Disposer_fenetre_liste(this, Lsv_club, 5205, 3915);
    Command1_0 = elements.Command1_0;
    Command1_1 = elements.Command1_1;
    Command1_2 = elements.Command1_2;
    StatusBar1 = elements.StatusBar1;
    Timer1 = elements.Timer1;

    connect(Command1_0, &QPushButton::clicked, this, &Frm_liste_club::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command1_2, &QPushButton::clicked, this, &Frm_liste_club::bouton2);
    connect(Lsv_club, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_club::doubleClic);
    Entree_comme_double_clic(Lsv_club);
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(Lsv_club, Timer1); });
    Lsv_club->installEventFilter(this);
}

VerrousMenus Frm_liste_club::Verrous_du_mode(const QString& mode)
{
    VerrousMenus verrous;
    if (mode == "View") {
        verrous.groupeEntier(GroupeVerrou::Club);
    } else if (mode == "Modif" || mode == "Suppr") {
        verrous.groupeEntier(GroupeVerrou::Club);
        verrous.groupe(GroupeVerrou::Profil, mode == "Modif" ? QList<int> {1, 0, 1, 0, 0, 0} : QList<int> {1, 1, 1, 1, 0, 1});
        verrous.groupe(GroupeVerrou::Licence, {1, 0, 1, 1, 1, 0, 1});
        verrous.groupe(GroupeVerrou::Compet, {0, 0, 0, 0, 0, 0, 1});
        verrous.groupeEntier(GroupeVerrou::Engag);
        verrous.groupeEntier(GroupeVerrou::ModeleEngag);
        verrous.groupe(GroupeVerrou::Perf, {0, 1, 1, 1, 0, 1, 1});
        verrous.groupeEntier(GroupeVerrou::PointsEquipe);
    }
    return verrous;
}

void Frm_liste_club::set_liste(const QString& selection, const QString& requete)
{
    repaint();
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des clubs");
    Lsv_num->clear();
    Lsv_club->setSelectionMode(strAction == "Suppr" ? QAbstractItemView::ExtendedSelection
                                                    : QAbstractItemView::SingleSelection);
    const QString sql =
        requete.isEmpty() ? "SELECT Code_federal, Intitule, Num FROM Club where Visible = true order by Intitule" : requete;
    Remplir_listes(sql, {Lsv_club, Lsv_info_club}, {{0, 1}, {0, 2}}, QString());
    const int n = Nombre_lignes(Lsv_club);
    int i = Chercher_element(selection, Lsv_club, 0, 0, 0);
    if (i < 1 || i > n)
        i = 1;
    if (n == 0) {
        Command1_1->setEnabled(false);
        Command1_2->setEnabled(false);
    } else {
        Selectionner_element(Lsv_club, i);
        Command1_2->setEnabled(true);
    }
    Afficher_statut(QString());
}

void Frm_liste_club::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "dem_info")
        m_info.clear();
}

QString Frm_liste_club::Numero_club(int indice) const
{
    QTreeWidgetItem* ligne = Ligne(Lsv_info_club, indice);
    return ligne ? ligne->text(1) : QString();
}

void Frm_liste_club::Decharger_fenetres_filles()
{
    if (m_info)
        m_info->close();
}

bool Frm_liste_club::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Lsv_club && evenement->type() == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (strAction == "Suppr" && touche->key() == Qt::Key_Delete && Nombre_lignes(Lsv_club) > 0)
            retirerSelection();
        else
            Selectionner_tout(Lsv_club, touche->key(), Etat_shift(touche->modifiers()));
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Frm_liste_club::retirerSelection()
{
    // The clubs go to the hidden list; nothing is written before "Ok".
    Retirer_selection(Lsv_info_club, Lsv_club, Lsv_num, Command1_2, false, 2);
    Lsv_club->viewport()->update();
}

void Frm_liste_club::doubleClic()
{
    if (strAction == "Modif" || strAction == "Suppr") {
        Command1_2->click();
        Timer1->start(10);
    } else if (strAction == "Choisir" || strAction == "liste club pour profil") {
        Command1_0->click();
    }
}

void Frm_liste_club::bouton2()
{
    if (strAction == "Suppr") {
        retirerSelection();
    } else if (strAction == "Modif") {
        const int i = Ligne_courante(Lsv_club);
        QTreeWidgetItem* ligne = Ligne(Lsv_club, i);
        if (!ligne)
            return;
        try {
            Ouvrir_info_club(m_info, "Modif", ligne->text(0), ligne->text(1), i, this);
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Erreur_sauvegarde_club(QString());
        }
    }
}

void Frm_liste_club::ok()
{
    QTreeWidgetItem* ligne = Ligne(Lsv_club, Ligne_courante(Lsv_club));
    if (strAction == "Choisir") {
        if (ligne)
            Ecrire_dans_appelant(frmCible, "text1_11", ligne->text(0));
    } else if (strAction == "liste club pour profil") {
        if (ligne) {
            strClubSelCode = ligne->text(0);
            strClubSelNom = ligne->text(1);
            Ecrire_dans_appelant(frmCible, "txt_nom_club", strClubSelNom);
            Ecrire_dans_appelant(frmCible, "text1_1", strClubSelCode);
        }
    } else if (strAction == "Suppr" && Nombre_lignes(Lsv_num) > 0) {
        try {
            bool supprimes = false;
            {
                CurseurOccupe occupe;
                Afficher_statut("Suppression des clubs et des licenciés");
                QString filtreCode;
                QString filtreNum;
                Filtre_selection(Lsv_num, filtreCode, filtreNum, "Code_Club", "Num");
                supprimes = Supprimer_clubs(filtreNum, filtreCode);
                Afficher_statut(QString());
            }
            if (supprimes) {
                if (Nombre_lignes(Lsv_club) == 0) {
                    dem_info_obli obligatoire(window());
                    obligatoire.executer();
                }
                // The current profile's club may have gone.
                Recharger_profil_courant();
            }
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors de la suppression des clubs.");
        }
    }
    close();
}
