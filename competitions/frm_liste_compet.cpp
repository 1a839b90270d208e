#include "competitions/frm_liste_compet.h"

#include "competitions/cible_programme.h"
#include "competitions/det_compet.h"
#include "competitions/frm_prog.h"
#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/services.h"
#include "core/utils.h"
#include "entries/frm_convocation.h"
#include "entries/frm_engag.h"
#include "entries/frm_engag_relais.h"
#include "entries/utils_engag.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

// An entry window of any caller, found by its name: two entry edits at once would share the
// work copies.
QWidget* Fenetre_suivante(const QString& nom)
{
    for (QWidget* w : QApplication::allWidgets()) {
        if (w->objectName() != nom || w->property("qv_detruite").toBool())
            continue;
        if (auto* comptee = qobject_cast<FenetreComptee*>(w); comptee && comptee->estDecharge())
            continue;
        if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w->parentWidget()))
            return w;
    }
    return nullptr;
}

void Signaler(const std::exception& e, const QString& texte)
{
    Memoriser_erreur(e);
    Afficher_erreur(texte);
}

const QString erreurOperation = "Une erreur s'est produite lors de l'opération sur la compétition.";

// The columns' shares of the list's width w: the number, the name, the place (less the results
// column) and the dates, then the results column.
QList<int> Parts_largeur(int w, int res)
{
    QList<int> parts {w / 8, 2 * w / 8, 3 * w / 8 - res, 2 * w / 8 - Twips_en_pixels(res > 0 ? 300 : 100)};
    if (res > 0)
        parts << res;
    return parts;
}

} // namespace

Frm_liste_compet::Frm_liste_compet(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("Frm_liste_compet");
    lsv_compet = Creer_liste_rapport(this, "lsv_compet", {"Num", "Nom", "lieu", "Date Début"});
    lsv_compet->header()->setSectionsClickable(true);
    lsv_compet->header()->setStretchLastSection(false);
    lsv_compet->setUniformRowHeights(true);
    lsv_info_compet = Creer_liste_rapport(this, "lsv_info_compet", {"Num_auto"});
    lsv_info_compet->hide();

    const ElementsFenetreListe elements = Disposer_fenetre_liste(this, lsv_compet, 8805, 6690);
    cmd[0] = elements.Command1_0;
    cmd[1] = elements.Command1_1;
    cmd[2] = elements.Command1_2;
    StatusBar1 = elements.StatusBar1;
    Timer1 = elements.Timer1;
    cmd[3] = Creer_bouton(this, "cmd_3", "&Nouvelle");
    cmd[3]->hide();
    for (int i = 0; i < 3; ++i)
        cmd[i]->setObjectName(QString("cmd_%1").arg(i));
    // "&Nouvelle" sits before the action button in the row of buttons.
    if (auto* colonne = qobject_cast<QVBoxLayout*>(layout())) {
        for (int i = 0; i < colonne->count(); ++i) {
            if (auto* rangee = qobject_cast<QHBoxLayout*>(colonne->itemAt(i)->layout())) {
                rangee->insertWidget(1, cmd[3]);
                break;
            }
        }
    }

    connect(cmd[0], &QPushButton::clicked, this, &Frm_liste_compet::ok);
    connect(cmd[1], &QPushButton::clicked, this, &Frm_liste_compet::annuler);
    connect(cmd[2], &QPushButton::clicked, this, &Frm_liste_compet::action);
    connect(cmd[3], &QPushButton::clicked, this, &Frm_liste_compet::nouvelle);
    connect(lsv_compet, &QTreeWidget::itemDoubleClicked, this, &Frm_liste_compet::doubleClic);
    Entree_comme_double_clic(lsv_compet);
    connect(lsv_compet->header(), &QHeaderView::sectionClicked, this, [this](int i) { trier(i + 1); });
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(lsv_compet, Timer1); });
    lsv_compet->installEventFilter(this);
}

void Frm_liste_compet::SetEnteteColonne(bool construire)
{
    const bool resultats = strAction == "Impor res";
    if (construire) {
        QStringList titres {"Num", "Nom", "lieu", "Date Début"};
        if (resultats)
            titres << "Res";
        lsv_compet->setColumnCount(static_cast<int>(titres.size()));
        lsv_compet->setHeaderLabels(titres);
    }
    // Each column has its share of the width, and never less than its values need: what a column
    // needs beyond its share comes out of the shares of the others. When the values need more than
    // the whole width, the window widens (Colonnes_a_la_mesure).
    const int w = Largeur_vue(lsv_compet);
    const int res = Largeur_resultats();
    const QList<int> besoins = Largeurs_contenu(lsv_compet, {0, 1, 2, 3});
    const auto largeurs = [&besoins, res](int base) {
        QList<int> l = Parts_largeur(base, res);
        for (int c = 0; c < besoins.size(); ++c)
            l[c] = std::max(l[c], besoins[c]);
        return l;
    };
    const auto somme = [](const QList<int>& l) { return std::accumulate(l.begin(), l.end(), 0); };
    int base = w;
    if (somme(largeurs(w)) > w) {
        int bas = 0;
        int haut = w;
        while (bas < haut) {
            const int milieu = (bas + haut + 1) / 2;
            if (somme(largeurs(milieu)) <= w)
                bas = milieu;
            else
                haut = milieu - 1;
        }
        base = bas;
    }
    const QList<int> l = largeurs(base);
    for (int c = 0; c < l.size(); ++c)
        lsv_compet->setColumnWidth(c, l[c]);
}

int Frm_liste_compet::Largeur_resultats() const
{
    // The results column as wide as its title, taken from the place's column so that the dates
    // stay whole.
    if (strAction != "Impor res")
        return 0;
    return std::max(Twips_en_pixels(200), lsv_compet->header()->sectionSizeHint(4));
}

void Frm_liste_compet::set_liste(const QString& sql)
{
    Afficher_statut("Chargement de la liste des compétitions");
    QString requete = sql;
    if (requete.isEmpty()) {
        requete = "select AutoNum, Num, Nom, Debut, Fin, Lieu from Rcomp where Deroule = "
                  + Booleen_texte(strAction == "Impor res") + " and visible = true order by Debut";
        m_derniereColonne = 3;
    }
    const qsizetype tri = requete.indexOf(" order by", 0, Qt::CaseInsensitive);
    m_sqlBase = tri < 0 ? requete : requete.left(tri);
    Remplir_liste_compet(requete, QString());
    if (Nombre_lignes(lsv_compet) == 0)
        cmd[1]->setEnabled(false);
    Afficher_statut(QString());
}

void Frm_liste_compet::Remplir_liste_compet(const QString& sql, const QString& cle)
{
    m_sql = sql;
    Remplir_info_compet(lsv_compet, lsv_info_compet, sql);
    if (strAction == "Impor res") {
        QHash<QString, int> lignes;
        for (int i = 0; i < lsv_info_compet->topLevelItemCount(); ++i)
            lignes.insert(lsv_info_compet->topLevelItem(i)->text(0), i);
        Executer_requete("SELECT Num_compet FROM Prres GROUP BY Num_compet", false);
        for (const QString& num : colResultat.colonne(0)) {
            const auto trouve = lignes.constFind(num);
            if (trouve != lignes.constEnd())
                lsv_compet->topLevelItem(*trouve)->setText(4, "X");
        }
        Liberer_resultat();
    }
    SetEnteteColonne(false);
    if (Nombre_lignes(lsv_compet) > 0)
        Selectionner_element(lsv_compet, cle.isEmpty() ? 1 : Chercher_element_texte(cle, lsv_info_compet, 0, 0));
    // The action needs a row: a list loaded empty gains one from an import into a new competition.
    cmd[2]->setEnabled(Nombre_lignes(lsv_compet) > 0);
    lsv_compet->setSelectionMode(strAction == "Suppr" ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
}

void Frm_liste_compet::ReloadListe(const QString& cle)
{
    Remplir_liste_compet(m_sql, cle);
}

void Frm_liste_compet::Recharger_liste(const QString& cle)
{
    Afficher_statut("Recharger la liste des compétitions");
    ReloadListe(cle);
    Afficher_statut(QString());
}

void Frm_liste_compet::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "det_compet")
        m_detail.clear();
    else if (nom == "frm_engag")
        m_engag.clear();
    else if (nom == "frm_engag_relais")
        m_relais.clear();
    else if (nom == "frm_convocation")
        m_convocation.clear();
    else if (nom == "frm_prog")
        m_prog.clear();
}

QString Frm_liste_compet::Cle_selectionnee() const
{
    QTreeWidgetItem* courante = lsv_compet->currentItem();
    if (!courante || !courante->isSelected())
        return QString();
    QTreeWidgetItem* cle = lsv_info_compet->topLevelItem(lsv_compet->indexOfTopLevelItem(courante));
    return cle ? cle->text(0) : QString();
}

void Frm_liste_compet::trier(int colonne)
{
    static const char* const champs[5] = {"", "Num", "Nom", "Lieu", "Debut"};
    // The results column has no sort.
    if (colonne < 1 || colonne > 4)
        return;
    QString sens;
    if (colonne == m_derniereColonne) {
        if (m_desc)
            sens = " DESC";
        m_desc = !m_desc;
    } else {
        m_desc = true;
    }
    m_derniereColonne = colonne;
    Remplir_liste_compet(m_sqlBase + " order by " + QString::fromLatin1(champs[colonne]) + sens, Cle_selectionnee());
}

void Frm_liste_compet::resizeEvent(QResizeEvent* event)
{
    FenetreComptee::resizeEvent(event);
    SetEnteteColonne(false);
}

bool Frm_liste_compet::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == lsv_compet && evenement->type() == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (strAction == "Suppr" && touche->key() == Qt::Key_Delete)
            supprimer();
        else
            Selectionner_tout(lsv_compet, touche->key(), Etat_shift(touche->modifiers()));
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Frm_liste_compet::doubleClic()
{
    if (strAction == "View")
        return;
    if (strAction == "Choose compet for prog") {
        cmd[0]->click();
        return;
    }
    cmd[2]->click();
    Timer1->start(10);
}

void Frm_liste_compet::supprimer()
{
    if (strAction != "Suppr")
        return;
    QStringList cles;
    for (int i = 0; i < lsv_compet->topLevelItemCount(); ++i) {
        if (lsv_compet->topLevelItem(i)->isSelected())
            cles << lsv_info_compet->topLevelItem(i)->text(0);
    }
    // Nothing selected: nothing to hide.
    if (cles.isEmpty())
        return;
    try {
        PointSauvegarde point("suppr_compet");
        // Without its backup a hidden competition could not come back: nothing is hidden then.
        if (!Sauver_compet_tempo(cles.join(", "))) {
            Recharger_liste(QString());
            return;
        }
        cnxBase.Execute("Update Rcomp Set Visible = false where AutoNum IN (" + cles.join(", ") + ")");
        point.valider();
    } catch (const std::exception& e) {
        Signaler(e, "Erreur lors de la suppression des compétitions.");
        Recharger_liste(QString());
        return;
    }
    Retirer_selection(lsv_info_compet, lsv_compet, nullptr, cmd[2], false, 1);
}

void Frm_liste_compet::remettreCompetitions()
{
    PointSauvegarde point("annuler_suppr_compet");
    cnxBase.Execute("Update Rcomp Set Visible = true where AutoNum in (select AutoNum from Rcomp_tempo)");
    Vider_table("Rcomp_tempo");
    point.valider();
}

void Frm_liste_compet::ok()
{
    try {
        if (strAction == "Choose compet for prog") {
            auto* editeur = dynamic_cast<CibleProgramme*>(frmCible.data());
            const QString cle = Cle_selectionnee();
            if (editeur && Nombre_lignes(lsv_compet) > 0 && !cle.isEmpty()) {
                editeur->setTabFromTab(cle);
                if (editeur->bModele()) {
                    editeur->txt_nb_journee()->setText(QString::number(editeur->intJourneeMax()));
                    editeur->CboDate()->clear();
                    editeur->SetListeFromText();
                }
                editeur->RefreshListeNage();
            }
        } else if (strAction == "Suppr") {
            Vider_table("Rcomp_tempo");
        }
    } catch (const std::exception& e) {
        Signaler(e, erreurOperation);
        return;
    }
    m_fermeParBouton = true;
    close();
}

void Frm_liste_compet::annuler()
{
    if (strAction == "Suppr") {
        try {
            remettreCompetitions();
        } catch (const std::exception& e) {
            Signaler(e, "Erreur lors de la restauration des compétitions supprimées.");
            return;
        }
    }
    m_fermeParBouton = true;
    close();
}

void Frm_liste_compet::closeEvent(QCloseEvent* event)
{
    // The close box cancels, as "&Annuler" does; a failed undo keeps the window for another try.
    if (!m_fermeParBouton && !estDecharge() && strAction == "Suppr" && cnxBase.ouverte()) {
        try {
            remettreCompetitions();
        } catch (const std::exception& e) {
            Signaler(e, "Erreur lors de la restauration des compétitions supprimées.");
            event->ignore();
            return;
        }
    }
    m_fermeParBouton = true;
    FenetreComptee::closeEvent(event);
}

void Frm_liste_compet::Decharger_fenetres_filles()
{
    // Only the windows this list opened: another caller's programme or entries stay open.
    const QList<QPointer<QWidget>> suivantes {m_detail.data(), m_engag.data(), m_relais.data(), m_convocation.data(),
                                              m_prog.data()};
    for (const QPointer<QWidget>& suivante : suivantes) {
        if (suivante)
            suivante->close();
    }
}

void Frm_liste_compet::Importer_resultats(const QString& cle, bool nouvelle)
{
    Lancer_attente("MeetResultsImporter", "impres", "Importer Résultats", cle, nouvelle);
    Recharger_liste(cle);
}

void Frm_liste_compet::Importer_squelette(const QString& cle, bool nouvelle)
{
    Lancer_attente("MeetSkeletonImporter", "Impor sque", "Importer squelette compétition", cle, nouvelle);
    Recharger_liste(cle);
}

void Frm_liste_compet::nouvelle()
{
    try {
        if (strAction == "Impor res")
            Importer_resultats(QString(), true);
        else if (strAction == "Impor sque")
            Importer_squelette(QString(), true);
    } catch (const std::exception& e) {
        Signaler(e, erreurOperation);
    }
}

void Frm_liste_compet::action()
{
    if (strAction == "Suppr") {
        supprimer();
        return;
    }
    const QString cle = Cle_selectionnee();
    if (cle.isEmpty())
        return;
    try {
        if (strAction == "Modif") {
            if (!Fenetre_deja_ouverte(m_detail, false))
                Ouvrir_det_compet(m_detail, "Modif", "Modification de la compétition", cle, this);
        } else if (strAction == "Choix pour engagements") {
            // Refused before any copy: a second copy would overwrite the edit under way.
            if (Fenetre_deja_ouverte(Fenetre_suivante("frm_engag"), false))
                return;
            // The teams into their Old_ columns, the entries and relays into their work copies.
            Debuter_edition_engag({cle, false, strAction});
            Ouvrir_frm_engag(m_engag, "Définition des engagements", "Choix pour engagements", false, cle, this, false);
        } else if (strAction == "Choix pour engagements relais") {
            if (Fenetre_deja_ouverte(Fenetre_suivante("frm_engag_relais"), false))
                return;
            // Without the copy a cancel would put back nothing: the relays would be lost.
            if (!Copier_relais_table(cle, "Relais", "Relais_tempo"))
                return;
            Ouvrir_frm_engag_relais(m_relais, cle, this);
        } else if (strAction == "modif prog") {
            if (!Fenetre_deja_ouverte(m_prog, false))
                Ouvrir_frm_prog(m_prog, "Programme compétition", "Modif", false, cle, true, this, false);
        } else if (strAction == "Imprim convoc") {
            if (!Fenetre_deja_ouverte(m_convocation, false))
                Ouvrir_frm_convocation(m_convocation, cle, this);
        } else if (strAction == "Imprim bordereau") {
            Imprimer_bordereau_engag(cle);
        } else if (strAction == "disk") {
            Lancer_attente("EntryFilesBuilder", "disk", "Création Fichiers Engagements", cle, false);
        } else if (strAction == "Impor res") {
            Importer_resultats(cle, false);
        } else if (strAction == "Impor sque") {
            Importer_squelette(cle, false);
        }
    } catch (const std::exception& e) {
        Signaler(e, erreurOperation);
    }
}

void Ouvrir_liste_compet(QPointer<Frm_liste_compet>& fenetre, const QString& titre, const QString& mode,
                         bool annulerPossible, const QString& titreAction, QWidget* appelant, const QString& sql)
{
    Ouverture ouverture;
    ouverture.verrous = Verrous_liste_compet(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](Frm_liste_compet& liste) {
        CurseurOccupe occupe;
        // Only the deleting list keeps its undo there: another list must not wipe it.
        if (mode == "Suppr")
            Vider_table("Rcomp_tempo");
        liste.SetEnteteColonne(true);
        liste.cmd[1]->setEnabled(annulerPossible);
        liste.cmd[2]->setText(titreAction);
        liste.cmd[2]->setVisible(!titreAction.isEmpty());
        liste.cmd[3]->setVisible(mode == "Impor sque" || mode == "Impor res");
        liste.set_liste(sql);
    });
}

det_compet* Frm_liste_compet::detail() const
{
    return m_detail;
}
