#include "results/frm_ajout_perf_relais.h"

#include "clubs_licences/licences.h"
#include "clubs_licences/liste_licences.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"
#include "entries/utils_relais.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

VerrousMenus frm_ajout_perf_relais::Verrous()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
    v.groupe(GroupeVerrou::Perf, {0, 0, 1, 1, 0, 0, 0});
    return v;
}

frm_ajout_perf_relais::frm_ajout_perf_relais(QWidget* parent) : FenetreSaisiePerf(parent)
{
    setObjectName("frm_ajout_perf_relais");
    setWindowTitle("Ajout manuelle de performances relais");

    Creer_controles_saisie();
    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");

    // ---- "Infos générales": the event and the performance.
    auto* general = new QWidget(SSTab1);
    LsvNage = Creer_liste_rapport(general, "LsvNage", {"Code", "Libellé"});
    LsvNage->setColumnWidth(0, Twips_en_pixels(800));
    Lsv_info_relais = Creer_liste_rapport(general, "Lsv_info_relais", {"50", "Sexe", "Num Relayeur"});
    Lsv_info_relais->hide();
    static const char* const textes[3] = {"&Quitter", "&Ajouter", "&Sélectionner"};
    for (int i = 0; i < 3; ++i)
        Cmd[i] = Creer_bouton(this, QString("Cmd_%1").arg(i), QString::fromUtf8(textes[i]));
    auto* fg = new QFormLayout;
    fg->addRow("Temps réalisé :", txt_info[0]);
    fg->addRow("Lieu :", txt_info[1]);
    fg->addRow("Date :", Ligne_date(general));
    auto* droite = new QVBoxLayout;
    droite->addLayout(fg);
    droite->addWidget(Cadre_bassin(general));
    droite->addWidget(Cadre_codifications(general));
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(LsvNage, 1);
    auto* choix = new QHBoxLayout;
    choix->addStretch(1);
    choix->addWidget(Cmd[1]);
    choix->addWidget(Cmd[2]);
    gauche->addLayout(choix);
    auto* saisie = new QHBoxLayout;
    saisie->addStretch(1);
    saisie->addWidget(Cmd_def[0]);
    saisie->addWidget(Cmd_def[1]);
    droite->addStretch(1);
    droite->addLayout(saisie);
    auto* lg = new QHBoxLayout(general);
    lg->addLayout(gauche, 1);
    lg->addLayout(droite, 1);
    SSTab1->addTab(general, "Infos générales");

    // ---- "Composition": the candidates and the legs.
    auto* compo = new QWidget(SSTab1);
    txt_recherche = new QLineEdit(compo);
    txt_recherche->setObjectName("txt_recherche");
    txt_recherche->setToolTip("Recherche rapide");
    lsv_licence = Creer_liste_rapport(compo, "lsv_licence", {});
    Lsv_licence_num = Creer_liste_rapport(compo, "Lsv_licence_num", {});
    lsv_compo_relais = Creer_liste_rapport(compo, "lsv_compo_relais", {});
    Lsv_compo_relais_num = Creer_liste_rapport(compo, "Lsv_compo_relais_num", {});
    Init_colonnes_nageurs_relais(lsv_licence, Lsv_licence_num, true);
    Init_colonnes_nageurs_relais(lsv_compo_relais, Lsv_compo_relais_num, false);
    lsv_licence->header()->setSectionsClickable(true);
    auto bouton = [this, compo](const QString& nom, QStyle::StandardPixmap image, const QString& bulle) {
        auto* b = Creer_bouton(compo, nom, QString());
        b->setIcon(style()->standardIcon(image));
        b->setToolTip(bulle);
        return b;
    };
    Cmd_add[0] = bouton("Cmd_add_0", QStyle::SP_ArrowRight, "Ajouter à la composition");
    Cmd_add[1] = bouton("Cmd_add_1", QStyle::SP_ArrowLeft, "Supprimer de la composition");
    cmd_plus = bouton("cmd_plus", QStyle::SP_ArrowUp, "Monter le relayeur");
    cmd_moins = bouton("cmd_moins", QStyle::SP_ArrowDown, "Descendre le relayeur");
    auto* lc = new QGridLayout(compo);
    auto* recherche = new QHBoxLayout;
    recherche->addWidget(new QLabel("Recherche :", compo));
    recherche->addWidget(txt_recherche);
    lc->addLayout(recherche, 0, 0);
    lc->addWidget(new QLabel("Composition du relais :", compo), 0, 2);
    lc->addWidget(lsv_licence, 1, 0);
    auto* milieu = new QVBoxLayout;
    milieu->addStretch(1);
    for (QPushButton* b : {Cmd_add[0], Cmd_add[1], cmd_plus, cmd_moins})
        milieu->addWidget(b);
    milieu->addStretch(1);
    lc->addLayout(milieu, 1, 1);
    lc->addWidget(lsv_compo_relais, 1, 2);
    SSTab1->addTab(compo, "Composition");

    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(Cmd[0]);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(SSTab1, 1);
    colonne->addLayout(bas);
    Fixer_taille_design(10752, 6660);

    auto* rr = new RechercheRapide(lsv_licence, Lsv_licence_num, txt_recherche);
    connect(rr, &RechercheRapide::entreeTapee, this, [this] {
        if (Cmd_add[0]->isEnabled())
            ajouterRelayeur();
    });
    lsv_compo_relais->installEventFilter(this);
    connect(lsv_licence->header(), &QHeaderView::sectionClicked, this, [this](int i) { trier(i + 1); });
    connect(lsv_licence, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (Cmd_add[0]->isEnabled())
            ajouterRelayeur();
    });
    connect(lsv_compo_relais, &QTreeWidget::itemDoubleClicked, this, [this] {
        retirerRelayeur();
        Garder_selection_differee(lsv_compo_relais);
    });
    connect(Cmd[0], &QPushButton::clicked, this, &QWidget::close);
    connect(Cmd[1], &QPushButton::clicked, this, [this] { ajouter(); });
    connect(Cmd[2], &QPushButton::clicked, this, [this] { selectionner(); });
    connect(Cmd_def[0], &QPushButton::clicked, this, [this] { inserer(); });
    connect(Cmd_def[1], &QPushButton::clicked, this, [this] { effacer(); });
    connect(Cmd_add[0], &QPushButton::clicked, this, [this] { ajouterRelayeur(); });
    connect(Cmd_add[1], &QPushButton::clicked, this, [this] { retirerRelayeur(); });
    connect(cmd_plus, &QPushButton::clicked, this,
            [this] { Deplacer_relayeur(lsv_compo_relais, Lsv_compo_relais_num, 1, -1); });
    connect(cmd_moins, &QPushButton::clicked, this, [this] {
        Deplacer_relayeur(lsv_compo_relais, Lsv_compo_relais_num, Nombre_lignes(lsv_compo_relais), 1);
    });
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int i) { Maj_etat_controles(i == 0); });

    Prendre_verrous(Verrous());
    Charger_nages_relais();
    Init_saisie_perf(false);
}

void frm_ajout_perf_relais::Init_colonnes_nageurs_relais(QTreeWidget* lv, QTreeWidget* lvNum, bool bNomComplet)
{
    // The shared columns take thirds of the list's width: give it its design width first.
    lv->resize(Twips_en_pixels(4200), lv->height());
    Init_colonnes_listes_relais(lv, lvNum);
    if (bNomComplet) {
        lvNum->setColumnCount(2);
        lvNum->setHeaderLabels({"Nom complet", "NumAuto"});
    }
    lvNum->hide();
}

void frm_ajout_perf_relais::Charger_nages_relais()
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des nages");
    try {
        Remplir_listes("SELECT Code_Nage, Libelle, Possible_50, Sexe, Nb_nageurs from Nage WHERE Nb_nageurs > 1 "
                       "ORDER BY Sexe, distance, Code_nage",
                       {LsvNage, Lsv_info_relais}, {{0, 1}, {2, 3, 4}}, QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des nages.");
    }
    if (Nombre_lignes(LsvNage) > 0)
        Selectionner_element(LsvNage, 1);
    LsvNage->setEnabled(Nombre_lignes(LsvNage) > 0);
    Afficher_statut(QString());
}

void frm_ajout_perf_relais::Init_saisie_perf(bool b)
{
    if (!b) {
        lsv_licence->clear();
        Lsv_licence_num->clear();
        m_nbRelayeurs = -1;
        txt_recherche->setEnabled(false);
        Vider_composition();
        Maj_boutons_composition();
    }
    Vider_saisie(b);
    QTreeWidgetItem* info = Ligne(Lsv_info_relais, Ligne_courante(LsvNage));
    Preparer_bassin(b, info && Texte_en_booleen(info->text(0)));
    Fixer_enabled({Cmd_def[0], Cmd_def[1], Cmd_Date, Cmd[2]}, b);
    Cmd[1]->setEnabled(!b && Nombre_lignes(LsvNage) > 0);
    LsvNage->setEnabled(!b && Nombre_lignes(LsvNage) > 0);
}

void frm_ajout_perf_relais::set_liste()
{
    QTreeWidgetItem* info = Ligne(Lsv_info_relais, Ligne_courante(LsvNage));
    const QString sexe = info ? info->text(1).trimmed() : QString();
    QString sql;
    if (bClubSelection) {
        QString from;
        QString where;
        Get_jointure_selection(from, where);
        sql = "SELECT Licence.Num, Licence.Licence, Licence.Nom, Licence.Prenom, Club.Intitule FROM " + from + "WHERE "
              + where + "AND Selection.Code_Sel = " + Sql_texte(strCodeClub) + " AND Selection.Visible = true "
              + (sexe.isEmpty() ? QString() : "AND Licence.Sexe = " + Sql_texte(sexe) + " ")
              + "ORDER BY Licence.Nom, Licence.Prenom, Club.Intitule";
    } else {
        sql = "SELECT Num, Licence, Nom, Prenom FROM Licence WHERE Code_Club = " + Sql_texte(strCodeClub)
              + " AND Visible = true " + (sexe.isEmpty() ? QString() : "AND Sexe = " + Sql_texte(sexe) + " ")
              + "ORDER BY Nom, Prenom";
    }
    m_requeteSansOrdre = sql.left(sql.indexOf(" ORDER BY", 0, Qt::CaseInsensitive));
    Remplir_liste(sql, QString());
}

void frm_ajout_perf_relais::Remplir_liste(const QString& requete, const QString& nom)
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des licences");
    ColonnesListes colonnes;
    colonnes[0] = bClubSelection ? QList<int> {2, 3, 1, 4} : QList<int> {2, 3, 1};
    colonnes[1] = {2, 3, 0};
    Remplir_liste_licences(requete, lsv_licence, Lsv_licence_num, false, bClubSelection, colonnes);
    const bool lignes = Nombre_lignes(lsv_licence) > 0;
    if (lignes)
        Selectionner_element(lsv_licence, Chercher_element_texte(nom, Lsv_licence_num, 0, 0));
    Fixer_enabled({lsv_licence, txt_recherche, Cmd_add[0]}, lignes);
    Afficher_statut(QString());
}

QString frm_ajout_perf_relais::Get_info_nageur() const
{
    QTreeWidgetItem* info = Ligne(Lsv_licence_num, Ligne_courante(lsv_licence));
    return info ? info->text(0) : QString();
}

void frm_ajout_perf_relais::trier(int colonne)
{
    Afficher_statut("Chargement de la liste des licences");
    const QString ordre = Get_order_by_licence(colonne, m_triDesc, m_triColonne, !bClubSelection);
    if (!ordre.isEmpty()) {
        Remplir_liste(m_requeteSansOrdre + " " + ordre, Get_info_nageur());
        Maj_boutons_composition();
    }
    Afficher_statut(QString());
}

void frm_ajout_perf_relais::Maj_boutons_composition()
{
    const int legs = Nombre_lignes(lsv_compo_relais);
    const bool candidats = Nombre_lignes(lsv_licence) > 0;
    const bool ajout = legs < m_nbRelayeurs && candidats;
    const bool retrait = legs > 0 && candidats;
    Fixer_enabled({Cmd_add[0], lsv_licence, txt_recherche}, ajout);
    Fixer_enabled({Cmd_add[1], cmd_plus, cmd_moins, lsv_compo_relais}, retrait);
}

void frm_ajout_perf_relais::Vider_composition()
{
    lsv_compo_relais->clear();
    Lsv_compo_relais_num->clear();
}

void frm_ajout_perf_relais::Maj_etat_controles(bool premierOnglet)
{
    QList<QWidget*> options = {Opt_bassin[0], Opt_bassin[1]};
    for (QRadioButton* const(*g)[3] : {&Op_f, &Op_r, &Op_rg, &Op_d}) {
        for (QRadioButton* o : *g)
            options << o;
    }
    Fixer_tabstop(options, premierOnglet);
}

void frm_ajout_perf_relais::ajouter()
{
    if (!Ligne_courante(LsvNage))
        return;
    Init_saisie_perf(true);
    set_liste();
    QTreeWidgetItem* info = Ligne(Lsv_info_relais, Ligne_courante(LsvNage));
    m_nbRelayeurs = info ? info->text(2).toInt() : -1;
    Maj_boutons_composition();
    SSTab1->setCurrentIndex(0);
    Maj_etat_controles(true);
}

void frm_ajout_perf_relais::selectionner()
{
    Init_saisie_perf(false);
    SSTab1->setCurrentIndex(0);
    Maj_etat_controles(true);
}

void frm_ajout_perf_relais::inserer()
{
    if (!Verifier_saisie_perf(*this, m_nbRelayeurs))
        return;
    if (!Enregistrer_perf_manuelle(*this, true, "1", strCodeClub, QString()))
        return;
    effacer();
}

void frm_ajout_perf_relais::effacer()
{
    Vider_composition();
    Init_saisie_perf(true);
    Maj_boutons_composition();
}

void frm_ajout_perf_relais::ajouterRelayeur()
{
    const int i = Ligne_courante(lsv_licence);
    if (i < 1 || Nombre_lignes(lsv_compo_relais) >= m_nbRelayeurs)
        return;
    const int nouvelle = Copier_element(lsv_licence, lsv_compo_relais, i);
    Ajouter_ligne(Lsv_compo_relais_num, {Ligne(Lsv_licence_num, i)->text(1)});
    Selectionner_element(lsv_compo_relais, nouvelle);
    Maj_boutons_composition();
}

void frm_ajout_perf_relais::retirerRelayeur()
{
    const int i = Ligne_courante(lsv_compo_relais);
    if (i < 1)
        return;
    delete Ligne(lsv_compo_relais, i);
    delete Ligne(Lsv_compo_relais_num, i);
    const int n = Nombre_lignes(lsv_compo_relais);
    if (n > 0)
        Selectionner_element(lsv_compo_relais, std::min(i, n));
    Maj_boutons_composition();
}

bool frm_ajout_perf_relais::eventFilter(QObject* objet, QEvent* e)
{
    if (objet == lsv_compo_relais && e->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(e)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Backspace
            || touche == Qt::Key_Delete) {
            retirerRelayeur();
            return true;
        }
    }
    return FenetreSaisiePerf::eventFilter(objet, e);
}

void Ouvrir_frm_ajout_perf_relais(QPointer<frm_ajout_perf_relais>& fenetre)
{
    Ouvrir_fenetre(fenetre, Ouverture {});
}
