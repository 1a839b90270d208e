#include "competitions/frm_liste_modele.h"

#include "competitions/frm_prog.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/services.h"
#include "entries/frm_engag.h"
#include "entries/utils_engag.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

frm_liste_modele::frm_liste_modele(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_liste_modele");
    Lsv_modele = Creer_liste_rapport(this, "Lsv_modele", {"Modèle"});
    Lsv_num = Creer_liste_rapport(this, "Lsv_num", {"Num"});
    Lsv_num->hide();
    const ElementsFenetreListe elements = Disposer_fenetre_liste(this, Lsv_modele, 3915, 5205);
    Command1_0 = elements.Command1_0;
    Command1_1 = elements.Command1_1;
    Command1_2 = elements.Command1_2;
    StatusBar1 = elements.StatusBar1;
    Timer1 = elements.Timer1;
    connect(Command1_0, &QPushButton::clicked, this, &frm_liste_modele::ok);
    connect(Command1_1, &QPushButton::clicked, this, &frm_liste_modele::annuler);
    connect(Command1_2, &QPushButton::clicked, this, &frm_liste_modele::bouton2);
    connect(Lsv_modele, &QTreeWidget::itemDoubleClicked, this, &frm_liste_modele::doubleClic);
    Entree_comme_double_clic(Lsv_modele);
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(Lsv_modele, Timer1); });
    Lsv_modele->installEventFilter(this);
}

QString frm_liste_modele::table() const
{
    return "Modele_" + strModeleType.toLower();
}

void frm_liste_modele::set_liste(const QString& cle)
{
    Afficher_statut("Chargement de la liste des modèles");
    Lsv_modele->setSelectionMode(strAction == "Suppr" ? QAbstractItemView::ExtendedSelection
                                                      : QAbstractItemView::SingleSelection);
    Remplir_listes("SELECT NumAuto, Nom_modele FROM " + table() + " where Num_profil = " + strNumProfil
                       + " order by Nom_modele",
                   {Lsv_modele, Lsv_num}, {{1}, {0}}, QString());
    const int n = Nombre_lignes(Lsv_modele);
    if (n > 0) {
        int i = Chercher_element(cle, Lsv_num, 0, 0, 0);
        if (cle.isEmpty() || i < 1)
            i = 1;
        Selectionner_element(Lsv_modele, i);
        Command1_2->setEnabled(true);
    } else if (strAction.startsWith("modele depuis")) {
        Command1_0->setEnabled(false);
        Command1_1->setEnabled(true);
        Command1_2->setEnabled(true);
    } else {
        Command1_1->setEnabled(false);
        Command1_2->setEnabled(false);
    }
    Afficher_statut(QString());
}

void frm_liste_modele::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "frm_engag")
        m_engag.clear();
    else if (nom == "frm_prog")
        m_prog.clear();
}

void frm_liste_modele::Retenir_liste_compet(QWidget* listeCompet)
{
    m_listeCompet = listeCompet;
}

void frm_liste_modele::Cacher_liste_compet(QWidget* listeCompet)
{
    bViewListeCompet = true;
    if (listeCompet)
        m_listeCompet = listeCompet;
    if (m_listeCompet)
        Cadre_fenetre(m_listeCompet)->hide();
}

bool frm_liste_modele::modeleChoisi(QString& cle, QString& nom) const
{
    const int i = Ligne_courante(Lsv_modele);
    QTreeWidgetItem* ligne = Ligne(Lsv_modele, i);
    QTreeWidgetItem* num = Ligne(Lsv_num, i);
    if (!ligne || !num)
        return false;
    nom = ligne->text(0);
    cle = num->text(0);
    return true;
}

void frm_liste_modele::fermerAppelant()
{
    // Closing the caller closes this list with it; the list also goes when there is none.
    if (QPointer<QWidget> appelant = frmCible)
        appelant->close();
    close();
}

void frm_liste_modele::ok()
{
    m_actionEnCours = true;
    QString cle, nom;
    try {
        if (strAction == "Choisir") {
            if (modeleChoisi(cle, nom)) {
                CurseurOccupe occupe;
                Afficher_statut("Récupération des données du modèle " + nom);
                if (strModeleType == "Prog") {
                    if (auto* editeur = qobject_cast<frm_prog*>(frmCible.data())) {
                        editeur->setTabFromModele(cle);
                        editeur->RefreshListeNage();
                    }
                } else {
                    if (!Appliquer_modele(strNumCompetSrc, cle))
                        Afficher_information("Des erreurs sont apparues lors de la lecture des données depuis le modèle.");
                    if (auto* engag = qobject_cast<frm_engag*>(frmCible.data())) {
                        engag->bForceRefresh = true;
                        engag->Remplir_Info_Engag();
                        engag->bForceRefresh = false;
                    }
                }
                Afficher_statut(QString());
            }
        } else if (strAction == "modele depuis engagement" || strAction == "modele depuis programme") {
            if (!modeleChoisi(cle, nom)
                || Demander_confirmation("Ecraser le modèle d'engagements " + nom + " ?", Style::OuiNon + Style::Question)
                       != Reponse::Oui) {
                m_actionEnCours = false;
                return;
            }
            if (strAction == "modele depuis programme") {
                if (auto* editeur = qobject_cast<frm_prog*>(frmCible.data()))
                    editeur->SaveTabInTable("Pcomp_modele", cle, true);
            } else if (!Supprimer_modele_engagement(cle)) {
                Afficher_erreur("Erreur lors de l'effacements des anciennes données du modèle.\r\n"
                                "Les données du modèles n'ont pas été sauvegardées");
            } else if (!Creer_modele_depuis_engag(cle, strNumCompetSrc)) {
                Afficher_erreur("Erreur durant la sauvegarde du modèle.");
            }
            fermerAppelant();
            return;
        } else if (strAction == "Suppr") {
            Supprimer_modeles(strModeleType, "Suppr = true");
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
        Afficher_statut(QString());
    }
    close();
}

void frm_liste_modele::annuler()
{
    defaireMarques();
    if (strAction.startsWith("modele depuis"))
        fermerAppelant();
    else
        close();
}

void frm_liste_modele::defaireMarques()
{
    m_actionEnCours = true;
    try {
        if (strAction == "Suppr")
            cnxBase.Execute("UPDATE " + table() + " SET Suppr = false");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_liste_modele::bouton2()
{
    QString cle, nom;
    try {
        if (strAction == "View" && modeleChoisi(cle, nom)) {
            if (strModeleType == "Prog") {
                if (Fenetre_deja_ouverte(m_prog, false))
                    return;
                Afficher_statut("Chargement du modèle");
                Ouvrir_frm_prog(m_prog, "Modèle de Programme " + nom, "View", true, cle, false, this, true);
            } else {
                if (Fenetre_deja_ouverte(m_engag, false))
                    return;
                Ouvrir_frm_engag(m_engag, "Modèle d'engagements " + nom, "View", true, cle, this, false);
            }
            Afficher_statut(QString());
        } else if (strAction == "Modif" && modeleChoisi(cle, nom)) {
            if (strModeleType == "Prog") {
                if (Fenetre_deja_ouverte(m_prog, false))
                    return;
                Afficher_statut("Chargement du modèle");
                Ouvrir_frm_prog(m_prog, "Modification du modèle de programme " + nom, "Modif", true, cle, true, this,
                                true);
            } else {
                // Refused before the backups: a second copy would spoil the open edit's undo.
                if (Fenetre_deja_ouverte(m_engag, false))
                    return;
                Afficher_statut("Chargement du modèle");
                try {
                    Debuter_edition_engag({cle, true, "Modif"});
                } catch (const std::exception& e) {
                    Memoriser_erreur(e);
                    Afficher_erreur("Erreur lors de la mémorisation des engagements dans la table temporaire");
                }
                Ouvrir_frm_engag(m_engag, "Modification du modèle d'engagements " + nom, "Modif", true, cle, this, true);
            }
            Afficher_statut(QString());
        } else if (strAction == "Suppr") {
            marquerSelection();
        } else if (strAction.startsWith("modele depuis")) {
            strNumModelesel.clear();
            Demander_nom_modele(strAction, true, 1, QString(), QString(), QString(), this);
            if (strNumModelesel.isEmpty())
                return;
            m_actionEnCours = true;
            if (strModeleType == "Prog")
            {
                if (auto* editeur = qobject_cast<frm_prog*>(frmCible.data()))
                    editeur->SaveTabInTable("Pcomp_modele", strNumModelesel, true);
            }
            else if (!Creer_modele_depuis_engag(strNumModelesel, strNumCompetSrc))
                Afficher_erreur("Erreur durant la sauvegarde du modèle.");
            fermerAppelant();
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
        Afficher_statut(QString());
    }
}

void frm_liste_modele::doubleClic()
{
    if (strAction == "Choisir" || strAction == "modele depuis engagement") {
        Command1_0->click();
    } else {
        Command1_2->click();
        Timer1->start(10);
    }
}

void frm_liste_modele::marquerSelection()
{
    QStringList cles;
    for (int i = Nombre_lignes(Lsv_modele); i >= 1; --i) {
        QTreeWidgetItem* ligne = Ligne(Lsv_modele, i);
        if (!ligne->isSelected())
            continue;
        cles.prepend(Ligne(Lsv_num, i)->text(0));
        delete Ligne(Lsv_num, i);
        delete ligne;
    }
    if (cles.isEmpty())
        return;
    try {
        cnxBase.Execute("update " + table() + " set Suppr = true where NumAuto IN (" + cles.join(", ") + ")");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

bool frm_liste_modele::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == Lsv_modele && evenement->type() == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (strAction == "Suppr" && touche->key() == Qt::Key_Delete)
            marquerSelection();
        else
            Selectionner_tout(Lsv_modele, touche->key(), Etat_shift(touche->modifiers()));
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void frm_liste_modele::closeEvent(QCloseEvent* event)
{
    // The close box undoes the marks (and, saving into a template, ends the caller too). The close
    // goes on here: a close() asked from inside this one would do nothing, and the window would go
    // without giving the hand back to its caller or showing the competition list again.
    QPointer<frm_liste_modele> moi(this);
    if (!m_actionEnCours && !estDecharge()) {
        defaireMarques();
        if (QPointer<QWidget> appelant = frmCible; appelant && strAction.startsWith("modele depuis"))
            appelant->close();
        if (!moi)
            return;
    }
    FenetreComptee::closeEvent(event);
    if (bViewListeCompet && m_listeCompet) {
        bViewListeCompet = false;
        Cadre_fenetre(m_listeCompet)->show();
    }
}

void frm_liste_modele::Decharger_fenetres_filles()
{
    if (QPointer<frm_engag> engag = m_engag) {
        m_engag.clear();
        engag->close();
    }
    if (QPointer<frm_prog> prog = m_prog) {
        m_prog.clear();
        prog->close();
    }
}

void Supprimer_modeles(const QString& typeModele, const QString& condition)
{
    const QString modeles = "(SELECT NumAuto FROM Modele_" + typeModele.toLower() + " WHERE " + condition + ")";
    PointSauvegarde transaction("modeles");
    if (typeModele == "Prog") {
        cnxBase.Execute("DELETE FROM Pcomp_modele WHERE Num_modele IN " + modeles);
    } else {
        for (const char* t : {"Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
            cnxBase.Execute(QString("DELETE FROM ") + t + " WHERE Num_modele IN " + modeles);
    }
    cnxBase.Execute("DELETE FROM Modele_" + typeModele.toLower() + " WHERE " + condition);
    transaction.valider();
}

void Ouvrir_liste_modeles(QPointer<frm_liste_modele>& fenetre, const QString& titre, const QString& mode,
                          bool annulerPossible, const QString& titreBouton2, const QString& typeModele, int gauche,
                          int haut, const QString& competSource, QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.verrous = Verrous_liste_modeles(mode, typeModele);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_liste_modele& f) {
        f.strModeleType = typeModele;
        f.Command1_1->setEnabled(annulerPossible);
        f.Command1_2->setText(titreBouton2);
        f.Command1_2->setVisible(!titreBouton2.isEmpty());
        if (!competSource.isEmpty())
            f.strNumCompetSrc = competSource;
        // The competition list behind the caller is the one shown again when asked.
        if (auto* compte = dynamic_cast<FenetreComptee*>(appelant))
            f.Retenir_liste_compet(compte->frmCible);
        f.set_liste(QString());
    });
}
