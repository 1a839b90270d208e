#include "results/frm_view_perf.h"

#include "clubs_licences/licences.h"
#include "clubs_licences/liste_licences.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

// Columns of the hidden twin of the performance list.
constexpr int kCle = 0;
constexpr int kTable = 1;
constexpr int kRowid = 2;
constexpr int kGenre = 3;

// Columns of the hidden swimmer list.
constexpr int kNumNageur = 1;
constexpr int kClubNageur = 2;

const QString kMarqueLicence = QStringLiteral("<NUM_LICENCE>");
// The relay and split-time marks, shared by every row.
const QString kCoche = QStringLiteral("X");
const QString kBlanc = QStringLiteral(" ");

QString Message_etape(const QString& etape)
{
    return "Une erreur s'est produite lors de " + etape;
}

QList<QAbstractButton*> Boutons(QRadioButton* const* o, int n)
{
    QList<QAbstractButton*> l;
    for (int i = 0; i < n; ++i)
        l << o[i];
    return l;
}

} // namespace

RequetesPerf Construire_requetes_perf(const OptionsSuiviPerf& o, const QString& aujourdhui)
{
    RequetesPerf r;
    r.individuel = "SELECT Nage.Libelle, Liffn.Num_compet, Liffn.Tps, Liffn.Lieu, Liffn.Date_perf, Liffn.Type_bassin, "
                   "Liffn.Codif_Fede, Liffn.Codif_Inter, Liffn.Codif_Reg, Liffn.Codif_Depart, Liffn.Passage_relais, "
                   "Liffn.Tps_inter, Liffn.NumManuel, Liffn.rowid FROM Nage Nage, Liffn Liffn "
                   "WHERE Nage.Code_Nage = Liffn.Code_epreuve AND Liffn.Num_Lic = "
                   + kMarqueLicence;
    r.relais = "SELECT Nage.Libelle, Liffn_relais.Num_compet, Liffn_relais.Tps, Liffn_relais.Lieu, "
               "Liffn_relais.Date_perf, Liffn_relais.Type_bassin, Liffn_relais.Codif_Fede, Liffn_relais.Codif_Inter, "
               "Liffn_relais.Codif_Reg, Liffn_relais.Codif_Depart, Liffn_relais.Num_Lic, Liffn_relais.NumManuel, "
               "Liffn_relais.rowid FROM Nage Nage, Liffn_relais Liffn_relais "
               "WHERE Nage.Code_Nage = Liffn_relais.Code_epreuve AND Liffn_relais.Code_club = "
               + Sql_texte(strCodeClub);
    const QString debut = Debut_saison(aujourdhui);
    for (auto [requete, table] : {std::pair {&r.individuel, QString("Liffn")}, std::pair {&r.relais, QString("Liffn_relais")}}) {
        if (o.saison == 0) {
            *requete += " AND " + table + ".Date_perf >= '" + debut + "'";
        } else if (o.saison == 1) {
            *requete += " AND " + table + ".Date_perf >= '" + Debut_saison(aujourdhui, 1) + "' AND " + table
                        + ".Date_perf < '" + debut + "' ";
        }
    }
    if (!o.tpsInter)
        r.individuel += " AND Liffn.Tps_inter = false";
    if (!o.tpsRelais)
        r.individuel += " AND Liffn.Passage_relais <> 'R'";
    if (o.selection)
        r.individuel += " AND Liffn.Code_club = " + Sql_texte(strCodeClub);
    r.individuel += " ORDER BY liffn.Code_epreuve";
    r.relais += " ORDER BY Nage.Mixte DESC, Nage.Sexe, Nage.Nb_nageurs, Nage.Distance, Nage.Code_Nage ";
    // A time that cannot be swum (negative) is never the best.
    r.individuel += o.tri == 0 ? ", liffn.Date_perf DESC" : ", liffn.Tps < 0, liffn.Tps";
    r.relais += o.tri == 0 ? ", Liffn_relais.Date_perf DESC" : ", Liffn_relais.Tps < 0, Liffn_relais.Tps";
    return r;
}

VerrousMenus frm_view_perf::Verrous()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    v.groupe(GroupeVerrou::Licence, {0, 0, 0, 1, 1, 0, 0});
    v.groupe(GroupeVerrou::Compet, {0, 0, 0, 0, 0, 1, 0});
    v.groupe(GroupeVerrou::Perf, {1, 1, 1, 1, 1, 0, 0});
    return v;
}

frm_view_perf::frm_view_perf(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_view_perf");
    setWindowTitle("Performances des licenciés");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    SSTab1->tabBar()->hide(); // the two tabs are reached by their buttons

    // ---- First tab: the swimmers and the options.
    auto* page1 = new QWidget(SSTab1);
    QStringList colonnes = {"Nom", "Prénom", "N° Licence"};
    if (bClubSelection)
        colonnes << "Club Origine";
    colonnes << "Date Naissance";
    LsvNageur = Creer_liste_rapport(page1, "LsvNageur", colonnes);
    LsvNageur->header()->setSectionsClickable(true);
    const int largeur = Twips_en_pixels(6000);
    for (int i = 0; i < colonnes.size(); ++i) {
        int l = largeur / static_cast<int>(colonnes.size());
        if (bClubSelection && (i == 2 || i == 4))
            l -= Twips_en_pixels(175);
        else if (!bClubSelection && i == 2)
            l -= Twips_en_pixels(350);
        LsvNageur->setColumnWidth(i, l);
    }
    Lsv_info_nageur = Creer_liste_rapport(page1, "Lsv_info_nageur", {"Nom Complet", "Num", "Club"});
    Lsv_info_nageur->hide();
    Chk_all_nageurs = new QCheckBox("&Sélectionner tous les nageurs", page1);
    Chk_all_nageurs->setObjectName("Chk_all_nageurs");
    txt_recherche = new QLineEdit(page1);
    txt_recherche->setObjectName("txt_recherche");
    txt_recherche->setToolTip("Recherche rapide");
    txt_recherche->setMaximumWidth(Twips_en_pixels(2400));

    Frame_options = new QGroupBox("Options", page1);
    Frame_options->setObjectName("Frame_options");
    auto* go = new QGridLayout(Frame_options);
    auto groupeOptions = [this](const QString& titre, const char* nom, QRadioButton** options,
                                const QStringList& libelles) {
        auto* cadre = new QGroupBox(titre, Frame_options);
        auto* l = new QVBoxLayout(cadre);
        auto* groupe = new QButtonGroup(cadre);
        for (int i = 0; i < libelles.size(); ++i) {
            options[i] = new QRadioButton(libelles[i], cadre);
            options[i]->setObjectName(QString("%1_%2").arg(nom).arg(i));
            groupe->addButton(options[i]);
            l->addWidget(options[i]);
        }
        return cadre;
    };
    go->addWidget(groupeOptions("Ordre de tri", "Opt_tri", Opt_tri, {"Par date (descendant)", "Par temps (croissant)"}), 0, 0);
    go->addWidget(groupeOptions("Saison", "Opt_saison", Opt_saison, {"En cours", "Dernière", "Toutes"}), 0, 1);
    auto* nombre = groupeOptions("Nombre de performances affichées", "Opt_nbPerf", Opt_nbPerf,
                                 {"Toutes", "Meilleure", "Personnalisé"});
    txt_nb_perf = new QLineEdit(nombre);
    txt_nb_perf->setObjectName("txt_nb_perf");
    txt_nb_perf->setMaxLength(3);
    txt_nb_perf->setMaximumWidth(Twips_en_pixels(500));
    Installer_filtre_chiffre(txt_nb_perf);
    Installer_selection_au_focus(txt_nb_perf);
    Lbl_nb_perf = new QLabel(nombre);
    Lbl_nb_perf->setObjectName("Lbl_nb_perf");
    auto* ln = new QHBoxLayout;
    ln->addWidget(txt_nb_perf);
    ln->addWidget(Lbl_nb_perf);
    ln->addStretch(1);
    static_cast<QVBoxLayout*>(nombre->layout())->addLayout(ln);
    go->addWidget(nombre, 0, 2);
    auto caseOption = [this](const char* nom, const QString& texte) {
        auto* c = new QCheckBox(texte, Frame_options);
        c->setObjectName(nom);
        return c;
    };
    Chk_codif = caseOption("Chk_codif", "Afficher les codifications");
    Chk_tps_inter = caseOption("Chk_tps_inter", "Afficher performances des temps intermédiaires");
    Chk_tps_relais = caseOption("Chk_tps_relais", "Afficher performances au départ des relais");
    Chk_selection = caseOption("Chk_selection", "Afficher uniquement les performances réalisées au sein de la sélection");
    go->addWidget(Chk_codif, 1, 0, 1, 3);
    go->addWidget(Chk_tps_inter, 2, 0, 1, 3);
    go->addWidget(Chk_tps_relais, 3, 0, 1, 3);
    go->addWidget(Chk_selection, 4, 0, 1, 3);
    Chk_selection->setVisible(bClubSelection);
    static const char* const textesOptions[3] = {"&Modifier", "&Valider", "&Annuler"};
    auto* lb = new QHBoxLayout;
    lb->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        Cmd_option[i] = Creer_bouton(Frame_options, QString("Cmd_option_%1").arg(i), textesOptions[i]);
        lb->addWidget(Cmd_option[i]);
        connect(Cmd_option[i], &QPushButton::clicked, this, [this, i] {
            if (i == 0)
                modifierOptions();
            else if (i == 1)
                validerOptions();
            else
                annulerOptions();
        });
    }
    go->addLayout(lb, 5, 0, 1, 3);

    auto* l1 = new QVBoxLayout(page1);
    l1->addWidget(LsvNageur, 1);
    auto* r1 = new QHBoxLayout;
    r1->addWidget(Chk_all_nageurs);
    r1->addStretch(1);
    r1->addWidget(new QLabel("Recherche :", page1));
    r1->addWidget(txt_recherche);
    l1->addLayout(r1);
    l1->addWidget(Frame_options);
    SSTab1->addTab(page1, "Nageurs");

    // ---- Second tab: the performances.
    auto* page2 = new QWidget(SSTab1);
    LsvPerf = Creer_liste_rapport(page2, "LsvPerf", {"Temps"});
    // The day and the codification columns, centred.
    Aligner_colonnes(LsvPerf, 3, Qt::AlignHCenter | Qt::AlignVCenter);
    LsvNumCompet = Creer_liste_rapport(page2, "LsvNumCompet", {"Num", "Table", "Rowid", "Genre"});
    LsvNumCompet->hide();
    auto combo = [page2](const char* nom) {
        auto* c = new QComboBox(page2);
        c->setObjectName(nom);
        return c;
    };
    Cbo_search_nageurs = combo("Cbo_search_nageurs");
    Cbo_search_nageurs_num = combo("Cbo_search_nageurs_num");
    Cbo_search_epreuve = combo("Cbo_search_epreuve");
    Cbo_search_epreuve_num = combo("Cbo_search_epreuve_num");
    Cbo_search_nageurs_num->hide();
    Cbo_search_epreuve_num->hide();
    Cbo_search_nageurs->setMinimumContentsLength(25);
    Cbo_search_epreuve->setMinimumContentsLength(25);
    ProgressBar1 = new QProgressBar(page2);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->hide();
    Lbl_attente = new QLabel("Génération du suivi des performances en cours", page2);
    Lbl_attente->setObjectName("Lbl_attente");
    Lbl_attente->hide();
    auto* l2 = new QVBoxLayout(page2);
    auto* r2 = new QHBoxLayout;
    r2->addWidget(new QLabel("Nageur :", page2));
    r2->addWidget(Cbo_search_nageurs);
    r2->addWidget(new QLabel("Epreuve :", page2));
    r2->addWidget(Cbo_search_epreuve);
    r2->addStretch(1);
    l2->addLayout(r2);
    l2->addWidget(LsvPerf, 1);
    l2->addWidget(Lbl_attente);
    l2->addWidget(ProgressBar1);
    SSTab1->addTab(page2, "Performances");

    static const char* const textes[8] = {"Voir",      "&Quitter",  "Imprimer",    "Sauvegarder",
                                          "Supprimer", "Effacer",   "Performances", "Nageurs"};
    static const char* const bulles[8] = {"Voir les performances des nageurs sélectionnés",
                                          "Quitter",
                                          "Imprimer le suivi des performances",
                                          "Sauvegarder le suivi des performances",
                                          "Supprimer la performance sélectionnée",
                                          "Effacer la sélection des nageurs",
                                          "Afficher les performances",
                                          "Afficher la liste des nageurs"};
    auto* bas = new QHBoxLayout;
    for (int i = 0; i < 8; ++i) {
        cmd[i] = Creer_bouton(this, QString("cmd_%1").arg(i), QString::fromUtf8(textes[i]));
        cmd[i]->setToolTip(QString::fromUtf8(bulles[i]));
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmdClick(i); });
    }
    for (int i : {0, 6, 7, 2, 3, 4, 5})
        bas->addWidget(cmd[i]);
    bas->addStretch(1);
    bas->addWidget(cmd[1]);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(SSTab1, 1);
    colonne->addLayout(bas);
    Fixer_taille_design(10500, 8200);

    // Defaults at opening.
    Opt_tri[0]->setChecked(true);
    Opt_saison[0]->setChecked(true);
    Opt_nbPerf[0]->setChecked(true);
    Chk_tps_relais->setChecked(true);
    for (QRadioButton* o : Opt_tri)
        connect(o, &QRadioButton::toggled, this, [this] { libellesTri(); });
    libellesTri();
    verrouillerOptions(true);
    Entete_colonnes_perf();
    etatBoutonsListe(false);
    cmd[4]->setEnabled(false);

    auto* recherche = new RechercheRapide(LsvNageur, Lsv_info_nageur, txt_recherche);
    connect(recherche, &RechercheRapide::entreeTapee, this, [this] {
        if (QTreeWidgetItem* l = LsvNageur->currentItem())
            l->setCheckState(0, Qt::Checked);
    });
    // After the search's filter, so that the space bar toggles rather than searches.
    LsvNageur->installEventFilter(this);
    txt_recherche->installEventFilter(this);
    connect(LsvNageur, &QTreeWidget::itemDoubleClicked, this, [](QTreeWidgetItem* l) { l->setCheckState(0, Qt::Checked); });
    connect(LsvNageur, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* l, int c) {
        if (c == 0 && !m_cocheEnCours && Chk_all_nageurs->isChecked() && l->checkState(0) != Qt::Checked) {
            m_cocheEnCours = true;
            l->setCheckState(0, Qt::Checked);
            m_cocheEnCours = false;
        }
    });
    connect(LsvNageur->header(), &QHeaderView::sectionClicked, this, [this](int i) { trier(i + 1); });
    connect(Chk_all_nageurs, &QCheckBox::clicked, this, [this](bool coche) { toutCocher(coche); });
    connect(Cbo_search_nageurs, &QComboBox::activated, this, [this](int i) { chercherNageur(i); });
    connect(Cbo_search_epreuve, &QComboBox::activated, this, [this](int i) { chercherEpreuve(i); });
    connect(LsvPerf, &QTreeWidget::currentItemChanged, this, [this] {
        QTreeWidgetItem* twin = Ligne(LsvNumCompet, Ligne_courante(LsvPerf));
        cmd[4]->setEnabled(twin && !twin->text(kCle).isEmpty());
    });

    Charger_liste_nageurs(QString());
}

bool frm_view_perf::eventFilter(QObject* objet, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(e);
        if (objet == LsvNageur && touche->key() == Qt::Key_Space) {
            if (QTreeWidgetItem* l = LsvNageur->currentItem())
                l->setCheckState(0, l->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
        if (objet == txt_recherche && (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter
                                       || touche->key() == Qt::Key_Escape))
            return true;
    }
    return FenetreComptee::eventFilter(objet, e);
}

OptionsSuiviPerf frm_view_perf::options() const
{
    OptionsSuiviPerf o;
    o.tri = Opt_tri[1]->isChecked() ? 1 : 0;
    o.saison = Opt_saison[1]->isChecked() ? 1 : (Opt_saison[2]->isChecked() ? 2 : 0);
    o.codif = Chk_codif->isChecked();
    o.tpsInter = Chk_tps_inter->isChecked();
    o.tpsRelais = Chk_tps_relais->isChecked();
    o.selection = bClubSelection && Chk_selection->isChecked();
    return o;
}

void frm_view_perf::libellesTri()
{
    const bool parDate = Opt_tri[0]->isChecked();
    Opt_nbPerf[1]->setText(parDate ? "Dernière" : "Meilleure");
    Lbl_nb_perf->setText(parDate ? "dernières perfs" : "meilleures perfs");
}

void frm_view_perf::Charger_liste_nageurs(const QString& strOrderBy)
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des licences");
    try {
        // Swimmers with at least one individual performance: asked of the performance index once
        // per swimmer, rather than grouping every performance of the club.
        QString sql = "SELECT DISTINCT Licence.Num, Licence.Nom, Licence.Prenom, Licence.Licence"
                      + QString(bClubSelection ? ", Club.Intitule" : "")
                      + ", Licence.Date_Naissance FROM Club Club, Licence Licence "
                      + (bClubSelection ? ", Selection Selection " : " ")
                      + "WHERE Club.Code_federal = Licence.Code_Club AND EXISTS (SELECT 1 FROM Liffn Liffn WHERE "
                        "Liffn.Num_Lic = Licence.Num) AND ";
        if (bClubSelection)
            sql += "Licence.Num = Selection.Num_Lic AND Selection.Code_Sel =" + Sql_texte(strCodeClub) + " ";
        else
            sql += "Licence.Code_Club = " + Sql_texte(strCodeClub) + " ";
        sql += strOrderBy.isEmpty()
                   ? "ORDER BY Licence.Nom, Licence.Prenom" + QString(bClubSelection ? ", Club.Intitule" : "")
                   : strOrderBy;
        ColonnesListes colonnes;
        colonnes[0] = bClubSelection ? QList<int> {1, 2, 3, 4, 5} : QList<int> {1, 2, 3, 4};
        colonnes[1] = bClubSelection ? QList<int> {1, 2, 0, 4} : QList<int> {1, 2, 0};
        Remplir_liste_licences(sql, LsvNageur, Lsv_info_nageur, true, bClubSelection, colonnes);
        if (Lire_nombre("SELECT count(*) FROM Liffn_relais WHERE Code_club = " + Sql_texte(strCodeClub)) > 0) {
            QStringList vide(LsvNageur->columnCount(), " ");
            vide[0] = "Relais";
            Ajouter_ligne(LsvNageur, vide);
            // The relay row is known by its empty key: a swimmer may well be called "Relais".
            Ajouter_ligne(Lsv_info_nageur, {"Relais", QString(), QString()});
        }
        m_cocheEnCours = true;
        const bool tous = Chk_all_nageurs->isChecked();
        for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i) {
            QTreeWidgetItem* l = Ligne(LsvNageur, i);
            l->setFlags(l->flags() | Qt::ItemIsUserCheckable);
            l->setCheckState(0, tous ? Qt::Checked : Qt::Unchecked);
        }
        m_cocheEnCours = false;
        if (Nombre_lignes(LsvNageur) > 0)
            Selectionner_element(LsvNageur, 1);
    } catch (const std::exception& e) {
        m_cocheEnCours = false;
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des licences.");
    }
    Chk_all_nageurs->setEnabled(Nombre_lignes(LsvNageur) > 0);
    txt_recherche->setEnabled(Nombre_lignes(LsvNageur) > 0);
    Afficher_statut(QString());
}

void frm_view_perf::trier(int colonne)
{
    const QString ordre = Get_order_by_licence(colonne, m_triDesc, m_triColonne, false);
    if (ordre.isEmpty())
        return;
    // The ticks follow the swimmers, not the rows.
    QStringList coches;
    for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i) {
        if (Ligne(LsvNageur, i)->checkState(0) == Qt::Checked)
            coches << Ligne(Lsv_info_nageur, i)->text(kNumNageur) + "|" + Ligne(Lsv_info_nageur, i)->text(0);
    }
    Charger_liste_nageurs(ordre);
    m_cocheEnCours = true;
    for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i) {
        if (coches.contains(Ligne(Lsv_info_nageur, i)->text(kNumNageur) + "|" + Ligne(Lsv_info_nageur, i)->text(0)))
            Ligne(LsvNageur, i)->setCheckState(0, Qt::Checked);
    }
    m_cocheEnCours = false;
}

void frm_view_perf::toutCocher(bool coche)
{
    Afficher_statut("Sélection de tous les nageurs");
    m_cocheEnCours = true;
    for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i)
        Ligne(LsvNageur, i)->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
    m_cocheEnCours = false;
    Afficher_statut(QString());
}

void frm_view_perf::Entete_colonnes_perf()
{
    const OptionsSuiviPerf o = options();
    QStringList titres = {"Temps", "Lieu", "Date", "Bassin"};
    if (o.codif)
        titres << "Codif F" << "Codif I" << "Codif R" << "Codif D";
    if (o.tpsRelais)
        titres << "Relais";
    if (o.tpsInter)
        titres << "Inter";
    LsvPerf->clear();
    LsvNumCompet->clear();
    Cbo_search_nageurs->clear();
    Cbo_search_nageurs_num->clear();
    Cbo_search_epreuve->clear();
    Cbo_search_epreuve_num->clear();
    LsvPerf->setColumnCount(static_cast<int>(titres.size()));
    LsvPerf->setHeaderLabels(titres);
    int lieu = o.codif ? 3495 : 6435;
    lieu -= (o.tpsRelais ? 735 : 0) + (o.tpsInter ? 735 : 0);
    LsvPerf->setColumnWidth(0, Twips_en_pixels(825));
    LsvPerf->setColumnWidth(1, Twips_en_pixels(lieu));
    LsvPerf->setColumnWidth(2, Twips_en_pixels(1875));
    for (int c = 3; c < titres.size(); ++c) {
        LsvPerf->setColumnWidth(c, Twips_en_pixels(735));
        LsvPerf->headerItem()->setTextAlignment(c, Qt::AlignHCenter);
    }
    cmd[4]->setEnabled(false);
}

void frm_view_perf::Afficher_suivi_perf()
{
    LsvPerf->clear();
    LsvNumCompet->clear();
    Cbo_search_nageurs->clear();
    Cbo_search_nageurs_num->clear();
    Cbo_search_epreuve->clear();
    Cbo_search_epreuve_num->clear();
    m_epreuves.clear();
    m_lignesEpreuve.clear();
    cmd[4]->setEnabled(false);
    QList<int> coches;
    for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i) {
        if (Ligne(LsvNageur, i)->checkState(0) == Qt::Checked)
            coches << i;
    }
    if (coches.isEmpty()) {
        etatBoutonsListe(false);
        return;
    }

    CurseurOccupe occupe;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    Lbl_attente->show();
    LsvPerf->hide();
    int n = -1;
    if (Opt_nbPerf[1]->isChecked())
        n = 1;
    else if (Opt_nbPerf[2]->isChecked())
        n = txt_nb_perf->text().trimmed().isEmpty() ? 1 : txt_nb_perf->text().trimmed().toInt();
    const OptionsSuiviPerf o = options();
    const bool meilleures = n != -1 && o.tri == 1;
    const RequetesPerf requetes = Construire_requetes_perf(o, Aujourdhui_texte());
    const int nbColonnes = LsvPerf->columnCount();
    const int colRelais = o.tpsRelais ? (o.codif ? 8 : 4) : -1;
    const int colInter = o.tpsInter ? nbColonnes - 1 : -1;

    QList<QTreeWidgetItem*> lignes;
    QList<QTreeWidgetItem*> jumeaux;
    QHash<QString, QString> dates; // the same dates come back often: written out once
    auto ajouter = [&](const QStringList& textes, const QStringList& twin) {
        auto* l = new QTreeWidgetItem(textes);
        lignes << l;
        jumeaux << new QTreeWidgetItem(twin);
    };
    auto enTete = [&](const QString& titre, const QString& genre) {
        QStringList t(nbColonnes, " ");
        if (nbColonnes > 1)
            t[1] = titre;
        ajouter(t, {QString(), QString(), QString(), genre});
    };

    bool premier = true;
    try {
        for (int index : coches) {
            QTreeWidgetItem* info = Ligne(Lsv_info_nageur, index);
            const QString num = info->text(kNumNageur);
            const bool relais = num.isEmpty();
            QString titre = info->text(0);
            if (!relais && bClubSelection)
                titre += " (" + info->text(kClubNageur) + ")";
            if (!premier) {
                enTete(" ", GenreLignePerf::Vide);
                enTete(" ", GenreLignePerf::Vide);
            }
            premier = false;
            enTete(titre, GenreLignePerf::Nageur);
            Cbo_search_nageurs->addItem(titre);
            Cbo_search_nageurs_num->addItem(QString::number(lignes.size()));

            Executer_requete(relais ? requetes.relais : QString(requetes.individuel).replace(kMarqueLicence, num), false);
            QStringList epreuves;
            QStringList lignesEpreuves;
            QString epreuve;
            bool premiereLigne = true;
            int compte = 0;
            const int nb = colResultat.nbLignes();
            const QString table = relais ? "Liffn_relais" : "Liffn";
            for (int r = 1; r <= nb; ++r) {
                // The best ones hold no time that cannot be swum (negative): sorted after the
                // real ones, it is left out, and an event with no real time shows no best.
                if (meilleures && Format_temps(colResultat.item(2, r)).startsWith(u'-'))
                    continue;
                const QString libelle = colResultat.item(0, r);
                if (premiereLigne || libelle != epreuve) {
                    premiereLigne = false;
                    epreuve = libelle;
                    enTete(" ", GenreLignePerf::Vide);
                    enTete(libelle, GenreLignePerf::Epreuve);
                    epreuves << libelle;
                    lignesEpreuves << QString::number(lignes.size());
                    compte = 0;
                }
                ++compte;
                if (n != -1 && compte > n)
                    continue;
                QStringList t;
                t.reserve(nbColonnes);
                t << Temps_affichage(colResultat.item(2, r));
                QString lieu = colResultat.item(3, r);
                if (relais)
                    lieu += " (Equipe n° " + colResultat.item(10, r) + ")";
                t << lieu;
                const QString date = colResultat.item(4, r);
                auto d = dates.find(date);
                if (d == dates.end())
                    d = dates.insert(date, Date_en_texte(date));
                t << *d << colResultat.item(5, r);
                if (o.codif) {
                    for (int c = 6; c <= 9; ++c)
                        t << colResultat.item(c, r);
                }
                if (colRelais >= 0)
                    t << (!relais && colResultat.item(10, r) == "R" ? kCoche : kBlanc);
                if (colInter >= 0)
                    t << (!relais && Texte_en_booleen(colResultat.item(11, r)) ? kCoche : kBlanc);
                const int colNum = relais ? 11 : 12;
                ajouter(t, {colResultat.item(1, r) + "," + colResultat.item(colNum, r), table,
                            colResultat.item(colNum + 1, r), GenreLignePerf::Perf});
            }
            Liberer_resultat();
            Avancer_progression(ProgressBar1, 100.0 / coches.size());
            m_epreuves << epreuves.join('~');
            m_lignesEpreuve << lignesEpreuves.join('~');
        }
    } catch (const std::exception& e) {
        Liberer_resultat();
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors l'affichage du suivi des performances. ");
    }
    LsvPerf->addTopLevelItems(lignes);
    LsvNumCompet->addTopLevelItems(jumeaux);
    etatBoutonsListe(true);
    if (Cbo_search_nageurs->count() > 0) {
        Cbo_search_nageurs->setCurrentIndex(0);
        chercherNageur(0);
    }
    ProgressBar1->hide();
    Lbl_attente->hide();
    LsvPerf->show();
}

void frm_view_perf::etatBoutonsListe(bool actif)
{
    const bool liste = actif && Cbo_search_nageurs->count() > 0;
    Fixer_enabled({Cbo_search_nageurs, Cbo_search_epreuve, cmd[2], cmd[3], cmd[5], cmd[6]}, liste);
}

void frm_view_perf::chercherNageur(int index)
{
    if (index < 0 || index >= Cbo_search_nageurs_num->count())
        return;
    const int ligne = Cbo_search_nageurs_num->itemText(index).toInt();
    Afficher_element(LsvPerf, ligne);
    Cbo_search_epreuve->clear();
    Cbo_search_epreuve_num->clear();
    const QString epreuves = m_epreuves.value(index);
    if (!epreuves.isEmpty()) {
        Cbo_search_epreuve->addItems(epreuves.split('~'));
        Cbo_search_epreuve_num->addItems(m_lignesEpreuve.value(index).split('~'));
    }
}

void frm_view_perf::chercherEpreuve(int index)
{
    if (index < 0 || index >= Cbo_search_epreuve_num->count())
        return;
    Afficher_element(LsvPerf, Cbo_search_epreuve_num->itemText(index).toInt());
}

void frm_view_perf::verrouillerOptions(bool verrouille)
{
    for (QRadioButton* o : Opt_tri)
        o->setEnabled(!verrouille);
    for (QRadioButton* o : Opt_saison)
        o->setEnabled(!verrouille);
    for (QRadioButton* o : Opt_nbPerf)
        o->setEnabled(!verrouille);
    Fixer_enabled({txt_nb_perf, Chk_codif, Chk_tps_inter, Chk_tps_relais, Chk_selection}, !verrouille);
    Cmd_option[0]->setEnabled(verrouille);
    cmd[0]->setEnabled(verrouille);
    Cmd_option[1]->setEnabled(!verrouille);
    Cmd_option[2]->setEnabled(!verrouille);
}

void frm_view_perf::modifierOptions()
{
    m_optionsSauvees = {Option_choisie(Boutons(Opt_tri, 2), 0), Option_choisie(Boutons(Opt_saison, 3), 0),
                        Option_choisie(Boutons(Opt_nbPerf, 3), 0), txt_nb_perf->text(), Chk_codif->isChecked(),
                        Chk_tps_inter->isChecked(), Chk_tps_relais->isChecked(), Chk_selection->isChecked()};
    verrouillerOptions(false);
    Fixer_enabled({cmd[2], cmd[3], cmd[6]}, false);
}

void frm_view_perf::validerOptions()
{
    if (Opt_nbPerf[2]->isChecked() && txt_nb_perf->text().trimmed().isEmpty()) {
        Afficher_erreur("La valeur personnalisée du nombre de performances affichées doit être remplie.");
        return;
    }
    verrouillerOptions(true);
    Entete_colonnes_perf();
    etatBoutonsListe(false);
    cmd[4]->setEnabled(false);
}

void frm_view_perf::annulerOptions()
{
    if (m_optionsSauvees.size() == 8) {
        Opt_tri[m_optionsSauvees[0].toInt()]->setChecked(true);
        Opt_saison[m_optionsSauvees[1].toInt()]->setChecked(true);
        Opt_nbPerf[m_optionsSauvees[2].toInt()]->setChecked(true);
        txt_nb_perf->setText(m_optionsSauvees[3].toString());
        Chk_codif->setChecked(m_optionsSauvees[4].toBool());
        Chk_tps_inter->setChecked(m_optionsSauvees[5].toBool());
        Chk_tps_relais->setChecked(m_optionsSauvees[6].toBool());
        Chk_selection->setChecked(m_optionsSauvees[7].toBool());
    }
    verrouillerOptions(true);
    etatBoutonsListe(true);
}

void frm_view_perf::cmdClick(int index)
{
    switch (index) {
    case 0:
        try {
            Afficher_suivi_perf();
            if (Nombre_lignes(LsvPerf) > 0)
                SSTab1->setCurrentIndex(1);
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur(Message_etape("l'affichage du suivi des performances"));
        }
        break;
    case 1:
        close();
        break;
    case 2:
        imprimer();
        break;
    case 3:
        sauvegarder();
        break;
    case 4:
        supprimer();
        break;
    case 5:
        effacerSelection();
        break;
    case 6:
        SSTab1->setCurrentIndex(1);
        break;
    case 7:
        SSTab1->setCurrentIndex(0);
        break;
    default:
        break;
    }
}

void frm_view_perf::supprimer()
{
    QTreeWidgetItem* twin = Ligne(LsvNumCompet, Ligne_courante(LsvPerf));
    if (!twin || twin->text(kCle).isEmpty())
        return;
    const QString cle = twin->text(kCle);
    const QString c = cle.section(',', 0, 0);
    const QString table = twin->text(kTable) == "Liffn_relais" ? "Liffn_relais" : "Liffn";
    try {
        Executer_requete("Select Nom, Debut from Rcomp where AutoNum = " + QString::number(c.toLongLong()), false);
        const bool competition = colResultat.nbLignes() > 0;
        const QString nom = competition ? colResultat.item(0, 1) : QString();
        const QString debut = competition ? colResultat.item(1, 1) : QString();
        Liberer_resultat();
        if (competition) {
            if (Demander_confirmation("Supprimer toutes les performances liées à la compétition suivante ?\r\n\r\n"
                                      "Nom compétition : "
                                          + nom + "\r\nDate de début : " + debut
                                          + "\r\n\r\nAttention ! Cette suppression s'applique à tous les nageurs de la base,"
                                            "\r\nsans tenir compte du profil en cours d'utilisation.",
                                      Style::DefautBouton2)
                != Reponse::Oui)
                return;
            PointSauvegarde point("suppression_perfs");
            cnxBase.Executer_lie("Delete from Liffn where Num_compet = ?", {c.toLongLong()});
            cnxBase.Executer_lie("Delete from Liffn_relais where Num_compet = ?", {c.toLongLong()});
            point.valider();
        } else {
            if (Demander_confirmation("Supprimer la performance ?", Style::DefautBouton2) != Reponse::Oui)
                return;
            // Exactly the row chosen: an imported row whose competition is gone shares its
            // numbers with the rows of other swimmers.
            cnxBase.Executer_lie("Delete from " + table + " where rowid = ? and Num_compet = ?",
                                 {twin->text(kRowid).toLongLong(), c.toLongLong()});
        }
    } catch (const std::exception& e) {
        Liberer_resultat();
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la suppression.");
        return;
    }
    Afficher_suivi_perf();
}

void frm_view_perf::effacerSelection()
{
    m_cocheEnCours = true;
    Chk_all_nageurs->setChecked(false);
    for (int i = 1; i <= Nombre_lignes(LsvNageur); ++i)
        Ligne(LsvNageur, i)->setCheckState(0, Qt::Unchecked);
    m_cocheEnCours = false;
    if (Nombre_lignes(LsvNageur) > 0)
        Selectionner_element(LsvNageur, 1);
    Afficher_suivi_perf();
}

void frm_view_perf::imprimer()
{
    QPrinter imprimante(QPrinter::HighResolution);
    try {
        // A cancelled printer dialog stops the print, and nothing is said.
        if (!Choisir_imprimante(imprimante))
            return;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(Message_etape("la sélection de l'imprimante."));
        return;
    }
    Imprimer_suivi_perf(&imprimante, QString());
}

void frm_view_perf::sauvegarder()
{
    FichierChoisi choix;
    try {
        choix = Choisir_fichier("Exporter suivi des performances",
                                "Fichier texte séparateur tabulation (*.txt)|*.txt|Fichier texte enrichi (*.rtf)|*.rtf",
                                false, "Exporter");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(Message_etape("la sélection du fichier destination."));
        return;
    }
    if (choix.annule())
        return;
    if (choix.indexFiltre == 1)
        Exporter_liste(choix.chemin, LsvPerf, QString());
    else
        Imprimer_suivi_perf(nullptr, choix.chemin);
}

bool frm_view_perf::Imprimer_suivi_perf(QPrinter* imprimante, const QString& chemin)
{
    struct Fin {
        ~Fin()
        {
            Afficher_statut(QString());
            Decharger_frm_tempo_rapport();
        }
    } fin;
    try {
        CurseurOccupe occupe;
        BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
        if (!Construire_modele_impression(Services::repertoireApplication() + "/sperf.rtf", boite, "sperf", false))
            return false;
        Rtb_remplacer_balise(boite, "<NOM_CLUB>", strNomClub, 0);
        Rtb_remplacer_balise(boite, "<DATE_MAJ>", Date_en_texte(Aujourdhui_texte()), 0);
        Rtb_ecrire(boite, "\r\n", 0);
        const OptionsSuiviPerf o = options();
        const int colRelais = o.tpsRelais ? (o.codif ? 8 : 4) : -1;
        const int colInter = o.tpsInter ? LsvPerf->columnCount() - 1 : -1;
        QString lot; // plain lines are written together
        auto vider = [&] {
            if (!lot.isEmpty())
                Rtb_ecrire(boite, lot, 0);
            lot.clear();
        };
        for (int i = 1; i <= Nombre_lignes(LsvPerf); ++i) {
            QTreeWidgetItem* l = Ligne(LsvPerf, i);
            const QString genre = Ligne(LsvNumCompet, i)->text(kGenre);
            if (genre == GenreLignePerf::Nageur) {
                vider();
                Rtb_ecrire(boite, "\t\t", 0);
                Rtb_ecrire_gras(boite, 0, l->text(1));
                Rtb_ecrire(boite, "\r\n", 0);
            } else if (genre == GenreLignePerf::Epreuve) {
                vider();
                Rtb_ecrire(boite, "\t", 0);
                Rtb_ecrire_souligne(boite, 0, l->text(1));
                Rtb_ecrire(boite, "\r\n", 0);
            } else if (genre == GenreLignePerf::Perf) {
                QString ligne = Completer_droite(l->text(0), 8) + " " + Completer_droite(l->text(1), 36) + " "
                                + Completer_droite(l->text(2), 17) + " " + Completer_droite(l->text(3), 2);
                if (o.codif)
                    ligne += " " + QStringList {l->text(4), l->text(5), l->text(6), l->text(7)}.join('/');
                if (colRelais >= 0)
                    ligne += QString(" ") + (l->text(colRelais) == "X" ? "R" : " ");
                if (colInter >= 0)
                    ligne += QString(" ") + (l->text(colInter) == "X" ? "I" : " ");
                lot += ligne + "\r\n";
            } else {
                lot += "\r\n";
            }
        }
        vider();
        Rtb_ecrire(boite, "\r\n\r\n\t\r\n", 0);
        Rtb_ecrire_souligne(boite, 0, "Légende");
        QStringList legende = {"", "Chaque ligne comprend : ", "- Le temps réalisé",
                               "- Le lieu de la performance + information sur le numéro d'équipe dans le cas d'un relais ",
                               "- La date de la performance", "- La longueur du bassin"};
        if (o.codif)
            legende << "- La codification de la performance au format N/I/R/D avec :" << ". N : codification nationale"
                    << ". I : codification interrégionale" << ". R : codification régionale"
                    << ". D : codification départementale" << "Les valeurs étant : " << ". Q : pour Qualificative"
                    << ". R : pour Référence" << ". A : pour Animation";
        if (o.tpsRelais)
            legende << "- Temps réalisé lors d'un relais : R ou rien";
        if (o.tpsInter)
            legende << "- Temps intermédiaire : I ou rien";
        Rtb_ecrire(boite, legende.join("\r\n") + "\r\n", 0);
        if (imprimante)
            return Rtb_imprimer(boite, imprimante, QString(), true);
        return Rtb_imprimer(boite, nullptr, chemin, false);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(Message_etape(imprimante ? "l'impression du suivi des performances"
                                                 : "la sauvegarde du suivi des performances"));
        return false;
    }
}

void Ouvrir_frm_view_perf(QPointer<frm_view_perf>& fenetre)
{
    Ouverture ouverture;
    ouverture.verrous = frm_view_perf::Verrous();
    Ouvrir_fenetre(fenetre, ouverture);
}
