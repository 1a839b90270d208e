#include "results/frm_view_result.h"

#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"
#include "results/html_resultats.h"
#include "results/rapport_resultats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QResizeEvent>

#include <cmath>

namespace {

constexpr int kLargeur = 12000;
constexpr int kHauteur = 9600;

QRect Twips(int gauche, int haut, int largeur, int hauteur)
{
    return {Twips_en_pixels(gauche), Twips_en_pixels(haut), Twips_en_pixels(largeur), Twips_en_pixels(hauteur)};
}

// The key of a special code: the number in its shortest form, "," as decimal separator.
QString Cle_code(double valeur)
{
    return QString::number(valeur, 'g', 12).replace('.', ',');
}

void Fixer_largeurs(QTreeWidget* liste, const QList<int>& twips)
{
    for (int i = 0; i < twips.size(); ++i)
        liste->setColumnWidth(i, Twips_en_pixels(twips[i]));
}

} // namespace

// ---- Shared readers of the shown rows ----------------------------------------------------

QString Cellule(const QStringList& ligne, int colonne)
{
    return colonne >= 0 && colonne < ligne.size() ? ligne[colonne] : QString();
}

bool Est_blanc(const QString& texte)
{
    return texte.trimmed().isEmpty();
}

int Compter_inter(const DonneesResultats& d, const QStringList& entete)
{
    int n = 0;
    for (int c = d.premiereColonneInter(); c < d.premiereColonneInter() + 14; ++c) {
        if (Est_blanc(Cellule(entete, c)))
            break;
        ++n;
    }
    return n;
}

namespace {

// A place, or any cell from the year to the points: headings never fill those.
bool Est_ligne_resultat(const DonneesResultats& d, const QStringList& ligne)
{
    if (!Est_blanc(Cellule(ligne, 0)))
        return true;
    for (int c = 2; c <= d.colonnePoints(); ++c) {
        if (!Est_blanc(Cellule(ligne, c)))
            return true;
    }
    return false;
}

} // namespace

void Parcourir_resultats(const DonneesResultats& d, const VisiteurResultats& visiteur)
{
    int prochain = 0;
    int nbInter = 0;
    for (const QStringList& ligne : d.lignes) {
        const QString nom = Cellule(ligne, 1);
        if (Est_ligne_resultat(d, ligne)) {
            visiteur.resultat(ligne, nbInter);
        } else if (Est_blanc(nom)) {
            visiteur.ligneVide();
        } else if (prochain < d.libelles.size() && nom == d.libelles[prochain]) {
            if (d.inter)
                nbInter = Compter_inter(d, ligne);
            visiteur.entete(nom, prochain++);
        } else {
            visiteur.entete(nom, -1);
        }
    }
}

bool Est_code_special_joint(const QString& tps)
{
    return tps == "Disq" || tps == "Forf" || tps == "Aban" || tps == "NA";
}

// ---- Window --------------------------------------------------------------------------------

VerrousMenus frm_view_result::Verrous()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Compet, {0, 0, 0, 0, 0, 1, 1});
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Licence, {0, 0, 0, 1, 1, 0, 0});
    return v;
}

frm_view_result::frm_view_result(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_view_result");
    setWindowTitle("Résultats des compétitions");
    Fixer_taille_design(kLargeur, kHauteur);

    Tab_options = new QTabWidget(this);
    Tab_options->setObjectName("Tab_options");
    Tab_options->setGeometry(Twips(120, 120, kLargeur - 240, 4920));

    // Competitions and their events.
    auto* pageCompet = new QWidget;
    auto* lignePages = new QHBoxLayout(pageCompet);
    lsv_compet = Creer_liste_rapport(pageCompet, "lsv_compet", {"Num", "Nom", "Lieu", "Date"});
    Fixer_largeurs(lsv_compet, {900, 2400, 1500, 1500});
    lsv_info_compet = Creer_liste_rapport(this, "lsv_info_compet", {"Num auto"});
    lsv_info_compet->hide();
    auto* colonneNages = new QVBoxLayout;
    LsvNage = Creer_liste_rapport(pageCompet, "LsvNage", {"Code Nage", "Libelle", "Date", "N° ordre"});
    Fixer_largeurs(LsvNage, {900, 2300, 1300, 900});
    Lsv_info_relais = Creer_liste_rapport(this, "Lsv_info_relais", {"Nb relayeurs", "Distance"});
    Lsv_info_relais->hide();
    lsv_nage_sel = Creer_liste_rapport(this, "lsv_nage_sel", {"Num nage"});
    lsv_nage_sel->hide();
    Chk_all = new QCheckBox("Afficher toutes les nages", pageCompet);
    Chk_all->setObjectName("Chk_all");
    colonneNages->addWidget(LsvNage);
    colonneNages->addWidget(Chk_all);
    lignePages->addWidget(lsv_compet, 1);
    lignePages->addLayout(colonneNages, 1);
    Tab_options->addTab(pageCompet, "Compétitions");

    // Display options, editable between "&Modifier" and "&Valider" or "&Annuler".
    auto* pageOptions = new QWidget;
    auto* grille = new QHBoxLayout(pageOptions);
    auto groupe = [](const QString& titre, QRadioButton*& a, const QString& nomA, const QString& texteA,
                     QRadioButton*& b, const QString& nomB, const QString& texteB) {
        auto* g = new QGroupBox(titre);
        auto* l = new QVBoxLayout(g);
        a = new QRadioButton(texteA, g);
        a->setObjectName(nomA);
        b = new QRadioButton(texteB, g);
        b->setObjectName(nomB);
        l->addWidget(a);
        l->addWidget(b);
        l->addStretch();
        a->setChecked(true);
        return g;
    };
    auto* colonneOptions = new QVBoxLayout;
    colonneOptions->addWidget(groupe("Type affichage", Opt_typeAffich_0, "Opt_typeAffich_0",
                                     "Par type de courses\n(Finales, 1/2, 1/4, 1/8, Séries, Barrages)",
                                     Opt_typeAffich_1, "Opt_typeAffich_1", "Par séries"));
    colonneOptions->addWidget(groupe("Présentation des séries", Opt_PresSerie_0, "Opt_PresSerie_0", "Par temps",
                                     Opt_PresSerie_1, "Opt_PresSerie_1", "Par couloirs"));
    grille->addLayout(colonneOptions);
    auto* colonneClub = new QVBoxLayout;
    colonneClub->addWidget(groupe("Option Club", Opt_Club_0, "Opt_Club_0", "Tous les clubs", Opt_Club_1,
                                  "Opt_Club_1", "Uniquement clubs liés au profil"));
    Chk_nationalite = new QCheckBox("Afficher la nationalité");
    Chk_nationalite->setObjectName("Chk_nationalite");
    Chk_tps_inter = new QCheckBox("Afficher les temps intermédiaires");
    Chk_tps_inter->setObjectName("Chk_tps_inter");
    Chk_equipe = new QCheckBox("Afficher le numéro d'équipe");
    Chk_equipe->setObjectName("Chk_equipe");
    colonneClub->addWidget(Chk_nationalite);
    colonneClub->addWidget(Chk_tps_inter);
    colonneClub->addWidget(Chk_equipe);
    colonneClub->addStretch();
    grille->addLayout(colonneClub);
    auto* colonneBoutons = new QVBoxLayout;
    Cmd_option_0 = Creer_bouton(pageOptions, "Cmd_option_0", "&Modifier");
    Cmd_option_1 = Creer_bouton(pageOptions, "Cmd_option_1", "&Valider");
    Cmd_option_2 = Creer_bouton(pageOptions, "Cmd_option_2", "&Annuler");
    colonneBoutons->addWidget(Cmd_option_0);
    colonneBoutons->addWidget(Cmd_option_1);
    colonneBoutons->addWidget(Cmd_option_2);
    colonneBoutons->addStretch();
    grille->addLayout(colonneBoutons);
    Tab_options->addTab(pageOptions, "Options");

    // The button row with the search box.
    Frame_boutons = new QFrame(this);
    Frame_boutons->setObjectName("Frame_boutons");
    Frame_boutons->setGeometry(Twips(120, 5160, kLargeur - 240, 540));
    auto* rangee = new QHBoxLayout(Frame_boutons);
    rangee->setContentsMargins(0, 0, 0, 0);
    cmd_0 = Creer_bouton(Frame_boutons, "cmd_0", "Voir");
    cmd_1 = Creer_bouton(Frame_boutons, "cmd_1", "&Quitter");
    cmd_2 = Creer_bouton(Frame_boutons, "cmd_2", "Imprimer");
    cmd_3 = Creer_bouton(Frame_boutons, "cmd_3", "Exporter");
    cmd_4 = Creer_bouton(Frame_boutons, "cmd_4", "Agrandir");
    cmd_5 = Creer_bouton(Frame_boutons, "cmd_5", "Réduire");
    auto* etiquette = new QLabel("Epreuve :", Frame_boutons);
    Cbo_search = new QComboBox(Frame_boutons);
    Cbo_search->setObjectName("Cbo_search");
    Cbo_search->setMinimumWidth(Twips_en_pixels(3000));
    for (QWidget* w : QList<QWidget*>{cmd_0, cmd_2, cmd_3, cmd_4, cmd_5, etiquette, Cbo_search})
        rangee->addWidget(w);
    rangee->addStretch();
    rangee->addWidget(cmd_1);
    cmd_5->hide();

    LsvResults = Creer_liste_rapport(this, "LsvResults", {});
    LsvResults->setGeometry(Twips(120, 5760, kLargeur - 240, 3735));
    LsvResults->header()->setStretchLastSection(false);
    progress = new QProgressBar(this);
    progress->setObjectName("progress");
    progress->setGeometry(Twips(2000, 6800, kLargeur - 4000, 300));
    progress->hide();
    LblWait = new QLabel("Génération des résultats en cours", this);
    LblWait->setObjectName("LblWait");
    LblWait->setAlignment(Qt::AlignCenter);
    LblWait->setGeometry(Twips(2000, 6300, kLargeur - 4000, 400));
    LblWait->hide();

    connect(lsv_compet, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Choisir_compet(Index_ligne(lsv_compet, item)); });
    connect(lsv_compet, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Choisir_compet(Index_ligne(lsv_compet, item)); });
    connect(LsvNage, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { cocheChangee(item); });
    connect(LsvNage, &QTreeWidget::itemDoubleClicked, this,
            [](QTreeWidgetItem* item) { item->setCheckState(0, Qt::Checked); });
    connect(Chk_all, &QCheckBox::toggled, this,
            [this] { Cocher_tous_statut(LsvNage, Chk_all, "Sélection de toutes les nages"); });
    connect(Opt_typeAffich_0, &QRadioButton::toggled, this, [this] { typeAffichChange(); });
    connect(Cmd_option_0, &QPushButton::clicked, this, [this] { modifierOptions(); });
    connect(Cmd_option_1, &QPushButton::clicked, this, [this] { validerOptions(); });
    connect(Cmd_option_2, &QPushButton::clicked, this, [this] { annulerOptions(); });
    connect(cmd_0, &QPushButton::clicked, this, [this] { Afficher_resultats(); });
    connect(cmd_1, &QPushButton::clicked, this, [this] { close(); });
    connect(cmd_2, &QPushButton::clicked, this, [this] { imprimer(); });
    connect(cmd_3, &QPushButton::clicked, this, [this] { exporter(); });
    connect(cmd_4, &QPushButton::clicked, this, [this] { agrandir(true); });
    connect(cmd_5, &QPushButton::clicked, this, [this] { agrandir(false); });
    connect(Cbo_search, &QComboBox::activated, this, [this](int index) { chercherEpreuve(index); });

    optionsEditables(false);
    construireColonnesResultats();
    activerSortie(false);
    chargerCodesSpeciaux();
    chargerCompetitions();
}

frm_view_result::~frm_view_result() = default;

void frm_view_result::optionsEditables(bool oui)
{
    for (QWidget* w : QList<QWidget*>{Opt_typeAffich_0, Opt_typeAffich_1, Opt_Club_0, Opt_Club_1, Chk_nationalite,
                                      Chk_tps_inter, Chk_equipe})
        w->setEnabled(oui);
    const bool parSeries = Opt_typeAffich_1->isChecked();
    Opt_PresSerie_0->setEnabled(oui && parSeries);
    Opt_PresSerie_1->setEnabled(oui && parSeries);
    Cmd_option_0->setEnabled(!oui);
    cmd_0->setEnabled(!oui);
    Cmd_option_1->setEnabled(oui);
    Cmd_option_2->setEnabled(oui);
}

void frm_view_result::construireColonnesResultats()
{
    const bool nat = Chk_nationalite->isChecked();
    const bool eq = Chk_equipe->isChecked();
    QStringList titres{"C", "Nom", "Année"};
    QList<int> largeurs{555, 0, 735};
    int nom = 3704;
    int club = 3420;
    if (nat && eq) {
        nom = 3045;
        club = 2895;
    } else if (eq) {
        nom = 3435;
        club = 3255;
    } else if (nat) {
        nom = 3390;
        club = 3030;
    }
    largeurs[1] = nom;
    if (nat) {
        titres << "Nat";
        largeurs << 735;
    }
    titres << "Club";
    largeurs << club;
    if (eq) {
        titres << "Eq";
        largeurs << 450;
    }
    titres << "Tps" << "Pts";
    largeurs << 915 << 540;
    if (Chk_tps_inter->isChecked()) {
        for (int i = 1; i <= 14; ++i) {
            titres << QString("Inter %1").arg(i);
            largeurs << 915;
        }
    }
    LsvResults->clear();
    LsvResults->setColumnCount(titres.size());
    LsvResults->setHeaderLabels(titres);
    Fixer_largeurs(LsvResults, largeurs);
    for (int i = 0; i < titres.size(); ++i) {
        Qt::Alignment a = Qt::AlignLeft;
        if (titres[i] == "Nat" || titres[i] == "Eq")
            a = Qt::AlignHCenter;
        else if (i >= titres.indexOf("Tps"))
            a = Qt::AlignRight;
        LsvResults->headerItem()->setTextAlignment(i, a | Qt::AlignVCenter);
    }
    Cbo_search->clear();
}

int frm_view_result::Premiere_colonne_inter() const
{
    return 6 + (Chk_nationalite->isChecked() ? 1 : 0) + (Chk_equipe->isChecked() ? 1 : 0);
}

void frm_view_result::chargerCodesSpeciaux()
{
    m_codes.clear();
    Executer_requete("SELECT Val_code, Lib_un, Lib_deux FROM Code_Disq", false);
    for (int i = 1; i <= colResultat.nbLignes(); ++i)
        m_codes.insert(Cle_code(Texte_en_reel(colResultat.item(0, i))),
                       colResultat.item(1, i) + "\t" + colResultat.item(2, i));
    Liberer_resultat();
}

void frm_view_result::chargerCompetitions()
{
    Remplir_info_compet(lsv_compet, lsv_info_compet,
                        "SELECT Rcomp.AutoNum, Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu "
                        "FROM Rcomp Rcomp, Prres Prres "
                        "WHERE Rcomp.AutoNum = Prres.Num_compet "
                        "AND Rcomp.Deroule = true "
                        "AND Rcomp.Visible = true "
                        "GROUP BY Rcomp.AutoNum, Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu "
                        "ORDER BY Rcomp.Debut DESC");
    if (Nombre_lignes(lsv_compet) > 0) {
        QSignalBlocker bloque(lsv_compet);
        lsv_compet->setCurrentItem(Ligne(lsv_compet, 1));
        Choisir_compet(1);
    }
}

void frm_view_result::Choisir_compet(int ligne)
{
    QTreeWidgetItem* cle = Ligne(lsv_info_compet, ligne);
    if (!cle || cle->text(0) == m_numCompet)
        return;
    const QString num = cle->text(0);
    {
        QSignalBlocker bloque(LsvNage);
        LsvNage->clear();
        Lsv_info_relais->clear();
        Executer_requete("SELECT Pcomp.Code_epreuve, Pcomp.JourCourse, Pcomp.Num_ordre, Nage.Libelle, "
                         "Nage.Nb_nageurs, Nage.Distance "
                         "FROM Nage Nage, Pcomp Pcomp "
                         "WHERE Nage.Code_Nage = Pcomp.Code_epreuve "
                         "AND Pcomp.Num_compet = "
                             + num + " " + "ORDER BY Pcomp.Num_ordre",
                         false);
        const Resultat epreuves = colResultat;
        Liberer_resultat();
        const QDate debut = QDate::fromString(Lire_debut_compet(num), "yyyyMMdd");
        for (int i = 1; i <= epreuves.nbLignes(); ++i) {
            QString jour;
            if (debut.isValid()) {
                const int j = static_cast<int>(Valeur_numerique(epreuves.item(1, i)));
                jour = Date_en_texte(debut.addDays(j - 1).toString("yyyyMMdd"), "d/mm/yyyy");
            }
            QTreeWidgetItem* item = Ajouter_ligne(
                LsvNage, {epreuves.item(0, i), epreuves.item(3, i), jour, epreuves.item(2, i)});
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Unchecked);
            Ajouter_ligne(Lsv_info_relais, {epreuves.item(4, i), epreuves.item(5, i)});
        }
    }
    m_numCompet = num;
    m_categories.clear();
    LsvResults->clear();
    lsv_nage_sel->clear();
    Cbo_search->clear();
    activerSortie(false);
    if (Chk_all->isChecked())
        Cocher_tous(LsvNage, true);
}

void frm_view_result::cocheChangee(QTreeWidgetItem* item)
{
    if (m_cocheEnCours || !Chk_all->isChecked() || item->checkState(0) == Qt::Checked)
        return;
    m_cocheEnCours = true;
    item->setCheckState(0, Qt::Checked);
    LsvNage->setCurrentItem(item);
    m_cocheEnCours = false;
}

void frm_view_result::activerSortie(bool oui)
{
    Cbo_search->setEnabled(oui);
    cmd_2->setEnabled(oui);
    cmd_3->setEnabled(oui);
    cmd_4->setEnabled(oui);
}

void frm_view_result::ajouterLigne(const QStringList& colonnes)
{
    // Every cell a row leaves out is a blank, as the exports write it.
    QStringList cellules = colonnes;
    while (cellules.size() < LsvResults->columnCount())
        cellules << QStringLiteral(" ");
    auto* item = new QTreeWidgetItem(cellules);
    const int tps = Premiere_colonne_inter() - 2;
    for (int c = tps; c < cellules.size(); ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    if (Chk_nationalite->isChecked())
        item->setTextAlignment(3, Qt::AlignHCenter | Qt::AlignVCenter);
    if (Chk_equipe->isChecked())
        item->setTextAlignment(tps - 1, Qt::AlignHCenter | Qt::AlignVCenter);
    LsvResults->addTopLevelItem(item);
}

QString frm_view_result::libelleCategorie(const QString& numCat)
{
    // A result without a category has no label: the query would not even be valid SQL.
    if (Est_blanc(numCat))
        return QString();
    const auto trouve = m_categories.constFind(numCat);
    if (trouve != m_categories.constEnd())
        return *trouve;
    Executer_requete("SELECT Categori.Libelle "
                     "FROM Rcomp Rcomp, Categori Categori "
                     "WHERE Rcomp.AutoNum = Categori.Num_compet "
                     "AND Rcomp.AutoNum = "
                         + m_numCompet + " " + "AND Categori.Num_cat = " + numCat,
                     false);
    const QString libelle = colResultat.nbLignes() ? colResultat.item(0, 1).trimmed() : QString();
    Liberer_resultat();
    m_categories.insert(numCat, libelle);
    return libelle;
}

void frm_view_result::Afficher_resultats()
{
    CurseurOccupe occupe;
    LsvResults->clear();
    lsv_nage_sel->clear();
    Cbo_search->clear();
    try {
        const int nbCoches = Nombre_coches(LsvNage);
        if (nbCoches > 0) {
            progress->setValue(0);
            progress->show();
            LblWait->show();
            LsvResults->hide();
            const double pas = 100.0 / nbCoches;

            Drapeaux d;
            d.parSeries = !Opt_typeAffich_0->isChecked();
            d.couloirs = Opt_typeAffich_1->isChecked() && Opt_PresSerie_1->isChecked();
            d.inter = Chk_tps_inter->isChecked();
            d.monClub = Opt_Club_1->isChecked();
            d.nationalite = Chk_nationalite->isChecked();
            d.equipe = Chk_equipe->isChecked();

            const QString ordreSerie = "<TABLE>.Numero_serie"
                                       + QString(d.couloirs ? ", <TABLE>.Numero_couloir, <TABLE>.Numero_ordre_couloir"
                                                            : ", <TABLE>.Tps");
            const QString ordreSeries = d.parSeries ? ordreSerie : "<TABLE>.Tps";
            QString inter = " ";
            if (d.inter) {
                inter = ", ";
                for (int i = 1; i <= 14; ++i)
                    inter += QString("<TABLE>.Inter%1").arg(i) + (i < 14 ? ", " : " ");
            }
            const QString modeleIndiv =
                "SELECT Licence.Nom, Licence.Prenom, Licence.Date_Naissance, Club.Intitule, Prres.Num_equipe, "
                "Prres.Tps, Prres.Cotation_FFN, Prres.Type_course, Prres.Numero_serie, Prres.Numero_couloir, "
                "Club.Code_federal, Licence.Nationalite, Prres.Num_categorie"
                + QString(inter).replace("<TABLE>", "Prres")
                + "FROM Licence Licence, Club Club, Prres Prres "
                  "WHERE Licence.Num = Prres.Num_Lic AND Prres.Code_club = Club.Code_federal AND "
                  "Prres.Num_compet = "
                + m_numCompet
                + " AND Prres.Code_epreuve = <CODE_NAGE> AND (Prres.Type_course = '<TYPE_COURSE>') ORDER BY ";
            const QString modeleRelais =
                "SELECT Prres_relais.Num_Lic, Club.Intitule, Prres_relais.Num_equipe, Prres_relais.Tps, "
                "Prres_relais.Cotation_FFN, Prres_relais.Type_course, Prres_relais.Numero_serie, "
                "Prres_relais.Numero_couloir, Club.Code_federal, Prres_relais.Num_categorie "
                + QString(inter).replace("<TABLE>", "Prres_relais")
                + "FROM Club Club, Prres_relais Prres_relais "
                  "WHERE Club.Code_federal = Prres_relais.Code_club "
                  "AND Prres_relais.Num_compet = "
                + m_numCompet + " " + "AND Prres_relais.Code_epreuve = <CODE_NAGE> "
                + "AND Prres_relais.Type_course = '<TYPE_COURSE>' " + "ORDER BY ";

            int affichees = 0;
            for (int i = 1; i <= Nombre_lignes(LsvNage); ++i) {
                QTreeWidgetItem* nage = Ligne(LsvNage, i);
                if (nage->checkState(0) != Qt::Checked)
                    continue;
                QTreeWidgetItem* info = Ligne(Lsv_info_relais, i);
                const QString code = nage->text(0);
                const QString libelle = nage->text(1);
                Ajouter_ligne(lsv_nage_sel, {code});
                ajouterLigne({" ", " "});
                ajouterLigne({" ", " "});
                // The event heading, with the split distances over the split columns.
                QStringList entete{" ", libelle};
                const int premiere = Premiere_colonne_inter();
                while (entete.size() < premiere)
                    entete << " ";
                const int distance = static_cast<int>(Valeur_numerique(info->text(1)));
                if (d.inter) {
                    const int pas = distance > 400 ? 100 : 50;
                    for (int k = 1; k <= 14; ++k) {
                        const int reste = distance > 50 ? distance - k * pas : 0;
                        entete << (reste > 0 ? QString::number(reste) : QStringLiteral(" "));
                    }
                }
                ajouterLigne(entete);
                Cbo_search->addItem(libelle);
                afficherEpreuve(code, libelle, Valeur_numerique(info->text(0)) > 1, distance, d, modeleIndiv,
                                modeleRelais, ordreSerie, ordreSeries);
                ++affichees;
                Avancer_progression(progress, pas);
            }
            if (affichees > 0) {
                delete LsvResults->takeTopLevelItem(0);
                delete LsvResults->takeTopLevelItem(0);
            }
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'affichage des résultats.");
    }
    progress->hide();
    LblWait->hide();
    LsvResults->show();
    if (Cbo_search->count() > 0)
        Cbo_search->setCurrentIndex(0);
    activerSortie(Cbo_search->count() > 0);
}

void frm_view_result::afficherEpreuve(const QString& code, const QString&, bool relais, int, const Drapeaux& d,
                                      const QString& modeleIndiv, const QString& modeleRelais,
                                      const QString& ordreSerie, const QString& ordreSeries)
{
    const QString table = relais ? "Prres_relais" : "Prres";
    const QString modele = QString(relais ? modeleRelais : modeleIndiv).replace("<CODE_NAGE>", code);
    const QString serie = QString(ordreSerie).replace("<TABLE>", table);
    const QString series = QString(ordreSeries).replace("<TABLE>", table);
    const QString ordreFinales = table + ".Type_course, " + table + ".Num_categorie, " + serie;
    const QString finales = relais ? QStringLiteral("F") : QStringLiteral("F' or Prres.Type_course = 'J");
    const std::pair<QString, QString> requetes[] = {
        {finales, ordreFinales}, {"2", ordreFinales}, {"4", ordreFinales},
        {"8", ordreFinales},     {"S", series},       {"B", serie},
    };
    // Columns of each query, individual and relay.
    const int cTps = relais ? 3 : 5;
    const int cPts = relais ? 4 : 6;
    const int cType = relais ? 5 : 7;
    const int cSerie = relais ? 6 : 8;
    const int cCouloir = relais ? 7 : 9;
    const int cClub = relais ? 8 : 10;
    const int cCat = relais ? 9 : 12;
    const int cInter = relais ? 10 : 13;

    for (int r = 0; r < 6; ++r) {
        Executer_requete(QString(modele).replace("<TYPE_COURSE>", requetes[r].first) + requetes[r].second, false);
        const Resultat lignes = colResultat;
        Liberer_resultat();
        const bool serieUnique = r == 4 && !d.parSeries;
        QString tempsPrecedent;
        QString seriePrec;
        QString typePrec;
        QString catPrec;
        int compteur = 0;
        int place = 0;
        int couloirPrec = 0;
        // Times that cannot be swum (negative) take no place: they follow the ranked ones.
        QList<QStringList> sansPlace;
        const auto listerSansPlace = [&] {
            for (const QStringList& l : std::as_const(sansPlace))
                ajouterLigne(l);
            sansPlace.clear();
        };
        for (int i = 1; i <= lignes.nbLignes(); ++i) {
            const QString type = lignes.item(cType, i);
            const QString numSerie = lignes.item(cSerie, i);
            const QString cat = lignes.item(cCat, i);
            const bool entete = i == 1 || (!serieUnique && (numSerie != seriePrec || type != typePrec || cat != catPrec));
            if (entete) {
                QString titre = Libelle_course(type.trimmed());
                if (serieUnique) {
                    titre += " ";
                } else if (type.trimmed() == "S") {
                    titre += " " + numSerie;
                } else {
                    const int n = static_cast<int>(Valeur_numerique(numSerie));
                    if (n >= 1 && n <= 3)
                        titre += QString(" ") + QChar('A' + n - 1);
                    const QString libCat = libelleCategorie(cat);
                    if (!libCat.isEmpty())
                        titre += " catégorie " + libCat;
                }
                listerSansPlace();
                ajouterLigne({" ", " "});
                ajouterLigne({" ", titre});
                compteur = 0;
                place = 0;
                couloirPrec = 0;
                tempsPrecedent.clear();
            }
            seriePrec = numSerie;
            typePrec = type;
            catPrec = cat;

            const QString tps = Format_temps(lignes.item(cTps, i));
            const bool classe = d.couloirs || !tps.startsWith(u'-');
            const int couloir = static_cast<int>(Valeur_numerique(lignes.item(cCouloir, i)));
            if (d.couloirs) {
                ++compteur;
                if (!d.monClub && couloirPrec > 0) {
                    for (int manque = couloirPrec + 1; manque < couloir; ++manque)
                        ajouterLigne({QString::number(manque)});
                }
                place = couloir;
                couloirPrec = couloir;
            } else if (classe) {
                if (++compteur == 1 || tps != tempsPrecedent)
                    place = compteur;
                tempsPrecedent = tps;
            }
            if (d.monClub && lignes.item(cClub, i) != strCodeClub)
                continue;

            QStringList ligne{classe ? QString::number(place) : QStringLiteral(" ")};
            if (relais) {
                ligne << "Relais n° " + lignes.item(0, i) << " ";
                if (d.nationalite)
                    ligne << " ";
                ligne << lignes.item(1, i);
                if (d.equipe)
                    ligne << lignes.item(2, i);
            } else {
                ligne << lignes.item(0, i) + " " + lignes.item(1, i) << lignes.item(2, i).left(4);
                if (d.nationalite)
                    ligne << lignes.item(11, i);
                ligne << lignes.item(3, i);
                if (d.equipe)
                    ligne << lignes.item(4, i);
            }
            const double valeur = Valeur_numerique(tps);
            if (valeur < 91) {
                ligne << Temps_affichage(tps) << lignes.item(cPts, i);
            } else {
                const QString lib = m_codes.value(Cle_code(valeur));
                if (lib.isEmpty())
                    ligne << " " << "NA";
                else
                    ligne << lib.section('\t', 0, 0) << lib.section('\t', 1);
            }
            if (d.inter) {
                for (int k = 0; k < 14; ++k)
                    ligne << Temps_affichage(lignes.item(cInter + k, i));
            }
            if (classe)
                ajouterLigne(ligne);
            else
                sansPlace << ligne;
        }
        listerSansPlace();
    }
}

DonneesResultats frm_view_result::Donnees() const
{
    DonneesResultats d;
    d.nationalite = Chk_nationalite->isChecked();
    d.equipe = Chk_equipe->isChecked();
    d.inter = Chk_tps_inter->isChecked();
    const int colonnes = LsvResults->columnCount();
    d.lignes.reserve(LsvResults->topLevelItemCount());
    for (int i = 0; i < LsvResults->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LsvResults->topLevelItem(i);
        QStringList ligne;
        ligne.reserve(colonnes);
        for (int c = 0; c < colonnes; ++c)
            ligne << item->text(c);
        d.lignes << ligne;
    }
    for (int i = 0; i < lsv_nage_sel->topLevelItemCount(); ++i)
        d.codes << lsv_nage_sel->topLevelItem(i)->text(0);
    for (int i = 0; i < Cbo_search->count(); ++i)
        d.libelles << Cbo_search->itemText(i);
    if (QTreeWidgetItem* compet = lsv_compet->currentItem()) {
        d.nomCompet = compet->text(1);
        d.lieuCompet = compet->text(2);
        d.datesCompet = compet->text(3);
    }
    return d;
}

// ---- Options -------------------------------------------------------------------------------

void frm_view_result::modifierOptions()
{
    m_sauve = {Opt_typeAffich_1->isChecked(), Opt_PresSerie_1->isChecked(), Opt_Club_1->isChecked(),
               Chk_nationalite->isChecked(), Chk_tps_inter->isChecked(), Chk_equipe->isChecked()};
    if (Opt_typeAffich_0->isChecked())
        Opt_PresSerie_0->setChecked(true);
    optionsEditables(true);
    activerSortie(false);
}

void frm_view_result::validerOptions()
{
    construireColonnesResultats();
    lsv_nage_sel->clear();
    optionsEditables(false);
    activerSortie(false);
    cmd_0->setFocus();
}

void frm_view_result::annulerOptions()
{
    (m_sauve.typeAffich1 ? Opt_typeAffich_1 : Opt_typeAffich_0)->setChecked(true);
    (m_sauve.presSerie1 ? Opt_PresSerie_1 : Opt_PresSerie_0)->setChecked(true);
    (m_sauve.club1 ? Opt_Club_1 : Opt_Club_0)->setChecked(true);
    Chk_nationalite->setChecked(m_sauve.nat);
    Chk_tps_inter->setChecked(m_sauve.inter);
    Chk_equipe->setChecked(m_sauve.eq);
    optionsEditables(false);
    activerSortie(Cbo_search->count() > 0);
    cmd_0->setFocus();
}

void frm_view_result::typeAffichChange()
{
    const bool parSeries = Opt_typeAffich_1->isChecked();
    if (!parSeries)
        Opt_PresSerie_0->setChecked(true);
    const bool edition = Cmd_option_1->isEnabled();
    Opt_PresSerie_0->setEnabled(edition && parSeries);
    Opt_PresSerie_1->setEnabled(edition && parSeries);
}

void frm_view_result::agrandir(bool oui)
{
    if (oui && Tab_options->isVisible()) {
        m_agrandi = true;
        Tab_options->hide();
        cmd_4->hide();
        cmd_5->show();
    } else if (!oui) {
        m_agrandi = false;
        Tab_options->show();
        cmd_5->hide();
        cmd_4->show();
    }
    placer();
}

// The design places (list at 5760 twips, 720 when enlarged; button row at 5160 or 120). The
// design height counts the frame and its title bar: the list ends a margin above the window's
// bottom, its scroll bar within reach, and takes the room of a larger window.
void frm_view_result::placer()
{
    const int marge = Twips_en_pixels(120);
    const int largeur = width() - 2 * marge;
    Tab_options->setGeometry(marge, marge, largeur, Twips_en_pixels(4920));
    Frame_boutons->setGeometry(marge, Twips_en_pixels(m_agrandi ? 120 : 5160), largeur, Twips_en_pixels(540));
    const int haut = Twips_en_pixels(m_agrandi ? 720 : 5760);
    LsvResults->setGeometry(marge, haut, largeur, std::max(0, height() - haut - marge));
}

void frm_view_result::resizeEvent(QResizeEvent* evenement)
{
    FenetreComptee::resizeEvent(evenement);
    placer();
}

void frm_view_result::chercherEpreuve(int index)
{
    if (index < 0)
        return;
    const int ligne = Chercher_element(Cbo_search->itemText(index), LsvResults, 0, 1, 1);
    if (ligne > 0)
        Afficher_element(LsvResults, ligne);
}

// ---- Print and exports -----------------------------------------------------------------------

void frm_view_result::imprimer()
{
    Imprimer_resultats(Donnees());
}

void frm_view_result::exporter()
{
    const FichierChoisi choix = Choisir_fichier("Exporter résultats",
                                                "Fichier texte séparateur tabulation (*.txt)|*.txt|Fichier texte "
                                                "enrichi (*.rtf)|*.rtf|Fichier HTML(*.htm)|*.htm",
                                                false, "Exporter");
    if (choix.annule())
        return;
    try {
        CurseurOccupe occupe;
        switch (choix.indexFiltre) {
        case 1:
            Exporter_liste(choix.chemin, LsvResults, QString());
            break;
        case 2:
            Enregistrer_resultats_rtf(Donnees(), choix.chemin);
            break;
        default:
            Exporter_resultats_html(Donnees(), choix.chemin);
            break;
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde des résultats dans un fichier externe.");
    }
}

void Ouvrir_view_result(QPointer<frm_view_result>& fenetre)
{
    Ouverture o;
    o.verrous = frm_view_result::Verrous();
    Ouvrir_fenetre(fenetre, o);
}
