#include "results/frm_ajout_perf.h"

#include "clubs_licences/licences.h"
#include "clubs_licences/liste_licences.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// Columns of the hidden swimmer list.
constexpr int kNum = 1;
constexpr int kSexe = 2;
constexpr int kCodeClub = 3;
constexpr int kNaissance = 4;
} // namespace

VerrousMenus frm_ajout_perf::Verrous()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
    v.groupe(GroupeVerrou::Perf, {0, 1, 0, 1, 0, 0, 0});
    return v;
}

frm_ajout_perf::frm_ajout_perf(QWidget* parent) : FenetreSaisiePerf(parent)
{
    setObjectName("frm_ajout_perf");
    setWindowTitle("Ajout manuel de performances");
    bControle = true;

    QStringList colonnes = {"Nom", "Prénom", "N° Licence"};
    if (bClubSelection)
        colonnes << "Club Origine";
    colonnes << "Date Naissance";
    lsv_licence = Creer_liste_rapport(this, "lsv_licence", colonnes);
    lsv_licence->header()->setSectionsClickable(true);
    const int largeur = Twips_en_pixels(5200);
    for (int i = 0; i < colonnes.size(); ++i) {
        int l = largeur / static_cast<int>(colonnes.size());
        if (bClubSelection && (i == 2 || i == 4))
            l -= Twips_en_pixels(175);
        else if (!bClubSelection && i == 2)
            l -= Twips_en_pixels(350);
        lsv_licence->setColumnWidth(i, l);
    }
    lsv_info_lic = Creer_liste_rapport(this, "lsv_info_lic", {"Nom Complet", "Num", "Sexe", "Code Club", "Naissance"});
    lsv_info_lic->hide();
    txt_recherche = new QLineEdit(this);
    txt_recherche->setObjectName("txt_recherche");
    txt_recherche->setToolTip("Recherche rapide");
    txt_recherche->setMaximumWidth(Twips_en_pixels(2400));

    LsvNage = Creer_liste_rapport(this, "LsvNage", {"Code", "Libellé"});
    LsvNage->setColumnWidth(0, Twips_en_pixels(800));
    Lsv_info_nages = Creer_liste_rapport(this, "Lsv_info_nages", {"50"});
    Lsv_info_nages->hide();

    Creer_controles_saisie();
    chk_relais = new QCheckBox("Réalisée au départ d'un relais", this);
    chk_relais->setObjectName("chk_relais");
    chk_Inter = new QCheckBox("Temps intermédiaire", this);
    chk_Inter->setObjectName("chk_Inter");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* general = new QWidget(SSTab1);
    auto* fg = new QFormLayout(general);
    fg->addRow("Temps réalisé :", txt_info[0]);
    fg->addRow("Lieu :", txt_info[1]);
    fg->addRow("Date :", Ligne_date(general));
    fg->addRow(Cadre_bassin(general));
    fg->addRow(chk_relais);
    fg->addRow(chk_Inter);
    SSTab1->addTab(general, "Infos générales");
    auto* codifs = new QWidget(SSTab1);
    auto* lc = new QVBoxLayout(codifs);
    lc->addWidget(Cadre_codifications(codifs));
    lc->addStretch(1);
    SSTab1->addTab(codifs, "Codifications");

    static const char* const textes[3] = {"&Quitter", "&Ajouter", "&Sélectionner"};
    for (int i = 0; i < 3; ++i)
        cmd[i] = Creer_bouton(this, QString("cmd_%1").arg(i), QString::fromUtf8(textes[i]));

    auto* ajout = new QGroupBox("Ajout", this);
    ajout->setObjectName("Frame_ajout");
    auto* la = new QVBoxLayout(ajout);
    la->addWidget(LsvNage, 1);
    la->addWidget(SSTab1);
    auto* boutonsSaisie = new QHBoxLayout;
    boutonsSaisie->addStretch(1);
    boutonsSaisie->addWidget(Cmd_def[0]);
    boutonsSaisie->addWidget(Cmd_def[1]);
    la->addLayout(boutonsSaisie);

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(lsv_licence, 1);
    auto* recherche = new QHBoxLayout;
    recherche->addWidget(new QLabel("Recherche :", this));
    recherche->addWidget(txt_recherche);
    recherche->addStretch(1);
    gauche->addLayout(recherche);
    auto* haut = new QHBoxLayout;
    haut->addLayout(gauche, 4);
    haut->addWidget(ajout, 3);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    for (int i : {1, 2, 0})
        bas->addWidget(cmd[i]);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut, 1);
    colonne->addLayout(bas);
    Fixer_taille_design(12600, 7000);

    new RechercheRapide(lsv_licence, lsv_info_lic, txt_recherche);
    connect(lsv_licence->header(), &QHeaderView::sectionClicked, this, [this](int i) { trier(i + 1); });
    connect(cmd[0], &QPushButton::clicked, this, &QWidget::close);
    connect(cmd[1], &QPushButton::clicked, this, [this] { ajouter(); });
    connect(cmd[2], &QPushButton::clicked, this, [this] { selectionner(); });
    connect(Cmd_def[0], &QPushButton::clicked, this, [this] { inserer(); });
    connect(Cmd_def[1], &QPushButton::clicked, this, [this] { effacer(); });
    connect(LsvNage, &QTreeWidget::itemClicked, this, [this] { choisirNage(); });
    connect(LsvNage, &QTreeWidget::currentItemChanged, this, [this] { choisirNage(); });
    connect(SSTab1, &QTabWidget::currentChanged, this, [this](int i) { Fixer_tabstops_options(i == 0); });

    Prendre_verrous(Verrous());
    Init_saisie_perf(false);
}

QString frm_ajout_perf::infoNageur(int colonne) const
{
    QTreeWidgetItem* info = Ligne(lsv_info_lic, Ligne_courante(lsv_licence));
    return info ? info->text(colonne) : QString();
}

void frm_ajout_perf::set_liste(const QString& strNum, const QString& strSql)
{
    QString sql = strSql;
    if (sql.isEmpty()) {
        if (bClubSelection) {
            QString from;
            QString where;
            Get_jointure_selection(from, where);
            sql = "SELECT Licence.Num, Licence.Licence, Licence.Nom, Licence.Prenom, Licence.Date_Naissance, "
                  "Licence.Sexe, Club.Code_federal, Club.Intitule FROM "
                  + from + "WHERE " + where + "AND Selection.Code_Sel = " + Sql_texte(strCodeClub)
                  + " and Selection.Visible = true ORDER BY Licence.Nom, Licence.Prenom, Club.Intitule";
        } else {
            sql = "SELECT Num, Licence, Nom, Prenom, Date_Naissance, Sexe, Code_Club FROM Licence WHERE Code_Club = "
                  + Sql_texte(strCodeClub) + " and Visible = true order by Nom, Prenom";
        }
    }
    const qsizetype ordre = sql.indexOf(" ORDER BY", 0, Qt::CaseInsensitive);
    m_requeteSansOrdre = ordre < 0 ? sql : sql.left(ordre);
    remplir(sql, strNum);
}

void frm_ajout_perf::remplir(const QString& sql, const QString& num)
{
    CurseurOccupe occupe;
    Afficher_statut("Chargement de la liste des licences");
    ColonnesListes colonnes;
    colonnes[0] = bClubSelection ? QList<int> {2, 3, 1, 7, 4} : QList<int> {2, 3, 1, 4};
    colonnes[1] = {2, 3, 0, 5, 6, 4};
    Remplir_liste_licences(sql, lsv_licence, lsv_info_lic, true, bClubSelection, colonnes);
    const bool lignes = Nombre_lignes(lsv_licence) > 0;
    if (lignes)
        Selectionner_element(lsv_licence, Chercher_element_texte(num, lsv_info_lic, 0, kNum));
    txt_recherche->setEnabled(lignes);
    cmd[1]->setEnabled(lignes);
    Fixer_tabstop({lsv_licence}, lignes);
    Afficher_statut(QString());
}

void frm_ajout_perf::trier(int colonne)
{
    const QString ordre = Get_order_by_licence(colonne, m_triDesc, m_triColonne, !bClubSelection);
    if (ordre.isEmpty())
        return;
    remplir(m_requeteSansOrdre + " " + ordre, infoNageur(kNum));
}

void frm_ajout_perf::Init_saisie_perf(bool bSaisie)
{
    Vider_saisie(bSaisie);
    Fixer_tabstop({LsvNage}, bSaisie);
    for (QCheckBox* c : {chk_relais, chk_Inter}) {
        c->setChecked(false);
        c->setEnabled(bSaisie);
    }
    Reinitialiser_options({Opt_bassin[0], Opt_bassin[1]}, bSaisie);
    Fixer_enabled({Cmd_def[0], Cmd_def[1], Cmd_Date}, bSaisie);
    cmd[1]->setEnabled(!bSaisie && Nombre_lignes(lsv_licence) > 0);
    cmd[2]->setEnabled(bSaisie);
    // While a performance is typed the swimmer stays the one it was started for: the events
    // listed are those of his sex.
    txt_recherche->setEnabled(!bSaisie && Nombre_lignes(lsv_licence) > 0);
    lsv_licence->setEnabled(!bSaisie);
    LsvNage->setEnabled(bSaisie);
}

void frm_ajout_perf::ajouter()
{
    if (!Ligne_courante(lsv_licence))
        return;
    Init_saisie_perf(true);
    try {
        CurseurOccupe occupe;
        Afficher_statut("Chargement de la liste des nages");
        const QString sexe = infoNageur(kSexe);
        Remplir_listes("SELECT Code_Nage, Libelle, Possible_50 from Nage WHERE Nb_nageurs = 1 AND Sexe ="
                           + Sql_texte(sexe) + " ORDER BY Mixte DESC, Sexe, Nb_nageurs, Code_nage",
                       {LsvNage, Lsv_info_nages}, {{0, 1}, {2}}, sexe == "M" ? "Messieurs " : "Dames ");
        if (Nombre_lignes(LsvNage) > 0) {
            Selectionner_element(LsvNage, 1);
            choisirNage();
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des nages.");
    }
    Afficher_statut(QString());
    SSTab1->setCurrentIndex(0);
    Fixer_tabstops_options(true);
}

void frm_ajout_perf::selectionner()
{
    Init_saisie_perf(false);
    LsvNage->clear();
    Lsv_info_nages->clear();
    SSTab1->setCurrentIndex(0);
    Fixer_tabstops_options(true);
}

void frm_ajout_perf::choisirNage()
{
    const int i = Ligne_courante(LsvNage);
    if (i < 1 || !Cmd_def[0]->isEnabled())
        return;
    QTreeWidgetItem* info = Ligne(Lsv_info_nages, i);
    Preparer_bassin(true, info && Texte_en_booleen(info->text(0)));
}

void frm_ajout_perf::inserer()
{
    if (!Verifier_saisie_perf(*this, 0))
        return;
    if (!Enregistrer_perf_manuelle(*this, false, infoNageur(kNum), infoNageur(kCodeClub), infoNageur(kNaissance)))
        return;
    effacer();
}

void frm_ajout_perf::effacer()
{
    const int nage = Ligne_courante(LsvNage);
    Init_saisie_perf(true);
    if (nage > 0) {
        Selectionner_element(LsvNage, nage);
        choisirNage();
    }
}

void Ouvrir_frm_ajout_perf(QPointer<frm_ajout_perf>& fenetre)
{
    const bool nouvelle = !fenetre;
    Ouvrir_fenetre(fenetre, Ouverture {});
    if (nouvelle)
        fenetre->set_liste(QString(), QString());
}
