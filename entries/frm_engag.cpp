#include "entries/frm_engag.h"

#include "clubs_licences/licences.h"
#include "clubs_licences/liste_licences.h"
#include "competitions/frm_liste_modele.h"
#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"
#include "clubs_licences/saison.h"
#include "competitions/rcomp.h"
#include "entries/utils_engag.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QButtonGroup>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const TitresOnglets[] = {"Papillon", "Dos", "Brasse", "Nage Libre", "4 Nages"};
// First and last women's code of each tab, for the Tab-key order.
const int BornesOnglets[5][2] = {{30, 33}, {10, 13}, {20, 23}, {0, 7}, {40, 42}};

QString Distance(int code)
{
    static const QMap<int, QString> distances = {{0, "25 m"},   {1, "50 m"},   {2, "100 m"},  {3, "200 m"},
                                                 {4, "400 m"},  {5, "800 m"},  {6, "1500 m"}, {7, "1000 m"}};
    if (code >= 40)
        return QStringList{"100 m", "200 m", "400 m"}.value(code - 40);
    return distances.value(code % 10);
}

} // namespace

// ---- Construction --------------------------------------------------------------------------

frm_engag::frm_engag(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_engag");
    setWindowTitle("Définition engagements");

    const QStringList colonnes = bClubSelection ? QStringList{"Nom", "Prénom", "Licence", "Club Origine"}
                                                : QStringList{"Nom", "Prénom", "Licence"};
    txt_search = new QLineEdit(this);
    txt_search->setObjectName("txt_search");
    lsv_licencie = Creer_liste_rapport(this, "lsv_licencie", colonnes);
    lsv_licencie_search = Creer_liste_rapport(this, "lsv_licencie_search", {"Nom Prénom", "Num Auto Licence"});
    lsv_licencie_search->hide();
    Cmd_add_0 = Creer_bouton(this, "Cmd_add_0", ">");
    Cmd_add_1 = Creer_bouton(this, "Cmd_add_1", "<");
    Cmd_add_0->setToolTip("Ajouter le nageur à l'équipe");
    Cmd_add_1->setToolTip("Retirer le nageur de l'équipe");
    cbo_team = new QComboBox(this);
    cbo_team->setObjectName("cbo_team");
    lsv_engag = Creer_liste_rapport(this, "lsv_engag", colonnes);
    Lsv_engag_info = Creer_liste_rapport(this, "Lsv_engag_info", {"Num auto licence"});
    Lsv_engag_info->hide();
    const char* const bulles[] = {"Nombre d'équipe masculine", "nombre d'équipe féminine", "nombre d'équipe mixte"};
    for (int k = 0; k < 3; ++k) {
        txt_nb_equipe[k] = new QLineEdit(this);
        txt_nb_equipe[k]->setObjectName(QString("txt_nb_equipe_%1").arg(k));
        txt_nb_equipe[k]->setToolTip(QString::fromUtf8(bulles[k]));
        txt_nb_equipe[k]->setMaximumWidth(40);
        txt_nb_equipe[k]->setEnabled(false);
        Installer_filtre_chiffre(txt_nb_equipe[k]);
        Installer_selection_au_focus(txt_nb_equipe[k]);
    }
    cmd_def_team = Creer_bouton(this, "cmd_def_team", "...");
    Cmd_equipe_0 = Creer_bouton(this, "Cmd_equipe_0", "&Valider");
    Cmd_equipe_1 = Creer_bouton(this, "Cmd_equipe_1", "&Annuler");
    Cmd_equipe_0->setEnabled(false);
    Cmd_equipe_1->setEnabled(false);
    SSTab2 = new QTabWidget(this);
    SSTab2->setObjectName("SSTab2");
    for (int t = 0; t < 5; ++t)
        SSTab2->addTab(construireOnglet(Codes_onglets()[t]), QString::fromUtf8(TitresOnglets[t]));
    Cmd_modele = Creer_bouton(this, "Cmd_modele", "&Modèle");
    Chk_DoModele = new QCheckBox("Faire un modèle", this);
    Chk_DoModele->setObjectName("Chk_DoModele");
    cmd_0 = Creer_bouton(this, "cmd_0", "&Ok");
    cmd_1 = Creer_bouton(this, "cmd_1", "&Annuler");
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setSingleShot(true);
    Installer_selection_au_focus(txt_search);

    // Layout: licences | add, remove | team and its swimmers; the counts; the grid; the buttons.
    auto* gauche = new QVBoxLayout;
    gauche->addWidget(txt_search);
    gauche->addWidget(lsv_licencie);
    auto* milieu = new QVBoxLayout;
    milieu->addStretch();
    milieu->addWidget(Cmd_add_0);
    milieu->addWidget(Cmd_add_1);
    milieu->addStretch();
    auto* ligneEquipe = new QHBoxLayout;
    ligneEquipe->addWidget(new QLabel("Equipe :", this));
    ligneEquipe->addWidget(cbo_team, 1);
    auto* droite = new QVBoxLayout;
    droite->addLayout(ligneEquipe);
    droite->addWidget(lsv_engag);
    auto* haut = new QHBoxLayout;
    haut->addLayout(gauche, 1);
    haut->addLayout(milieu);
    haut->addLayout(droite, 1);
    auto* equipes = new QHBoxLayout;
    equipes->addWidget(new QLabel("Nombre d'équipes (H, F, Mixte) :", this));
    for (QLineEdit* b : txt_nb_equipe)
        equipes->addWidget(b);
    equipes->addWidget(cmd_def_team);
    equipes->addWidget(Cmd_equipe_0);
    equipes->addWidget(Cmd_equipe_1);
    equipes->addStretch();
    auto* bas = new QHBoxLayout;
    bas->addWidget(Cmd_modele);
    bas->addWidget(Chk_DoModele);
    bas->addStretch();
    bas->addWidget(cmd_0);
    bas->addWidget(cmd_1);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(haut, 1);
    principal->addLayout(equipes);
    principal->addWidget(SSTab2);
    principal->addLayout(bas);
    Fixer_taille_design(12600, 9600);

    for (QTreeWidget* liste : {lsv_licencie, lsv_engag}) {
        liste->header()->setStretchLastSection(false);
        for (int c = 0; c < 3; ++c)
            liste->setColumnWidth(c, Twips_en_pixels(1500));
        if (bClubSelection)
            liste->setColumnWidth(3, Twips_en_pixels(2000));
    }

    connect(cbo_team, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_remplissage)
            choixEquipe();
    });
    connect(Cmd_add_0, &QPushButton::clicked, this, &frm_engag::ajouterNageur);
    connect(Cmd_add_1, &QPushButton::clicked, this, &frm_engag::retirerNageur);
    connect(lsv_licencie, &QTreeWidget::itemDoubleClicked, this, &frm_engag::ajouterNageur);
    connect(lsv_engag, &QTreeWidget::itemDoubleClicked, this, [this] {
        retirerNageur();
        Timer1->start(10);
    });
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(lsv_engag, Timer1); });
    connect(lsv_engag, &QTreeWidget::currentItemChanged, this, [this] {
        if (!m_remplissage)
            selectionNageur();
    });
    auto* recherche = new RechercheRapide(lsv_licencie, lsv_licencie_search, txt_search);
    connect(recherche, &RechercheRapide::entreeTapee, this, [this] {
        if (Nombre_lignes(lsv_licencie) > 0)
            ajouterNageur();
    });
    txt_search->installEventFilter(this);
    lsv_engag->installEventFilter(this);
    connect(SSTab2, &QTabWidget::currentChanged, this, &frm_engag::SSTab2_Click);
    connect(cmd_def_team, &QPushButton::clicked, this, &frm_engag::definirEquipes);
    connect(Cmd_equipe_0, &QPushButton::clicked, this, &frm_engag::validerEquipes);
    connect(Cmd_equipe_1, &QPushButton::clicked, this, &frm_engag::annulerEquipes);
    connect(cmd_0, &QPushButton::clicked, this, &frm_engag::ok);
    connect(cmd_1, &QPushButton::clicked, this, &frm_engag::annuler);
    connect(Cmd_modele, &QPushButton::clicked, this, &frm_engag::choisirModele);

    Cmd_add_0->setEnabled(false);
    Cmd_add_1->setEnabled(false);
    SSTab2->setEnabled(false);
    PurgeInfoEngagementNageur();
    SSTab2_Click();
}

const std::array<QList<int>, 5>& frm_engag::Codes_onglets()
{
    static const std::array<QList<int>, 5> codes = {QList<int>{30, 31, 32, 33}, QList<int>{10, 11, 12, 13},
                                                    QList<int>{20, 21, 22, 23}, QList<int>{0, 1, 2, 3, 4, 5, 7, 6},
                                                    QList<int>{40, 41, 42}};
    return codes;
}

bool frm_engag::Option_50_existe(int j)
{
    return !(j == 50 || j == 60 || j == 70 || j == 80 || j == 90);
}

int frm_engag::Onglet_epreuve(int code)
{
    const int i = code >= 50 ? code - 50 : code;
    for (int t = 0; t < 5; ++t) {
        if (i >= BornesOnglets[t][0] && i <= BornesOnglets[t][1])
            return t;
    }
    return 0;
}

QWidget* frm_engag::construireOnglet(const QList<int>& codes)
{
    auto* page = new QWidget;
    auto* grille = new QGridLayout(page);
    const char* const titres[] = {"Distance", "Temps", "Lieu", "JJ", "MM", "AAAA", "Bassin"};
    const int colonnesTitres[] = {0, 1, 2, 3, 4, 5, 6};
    for (int k = 0; k < 7; ++k)
        grille->addWidget(new QLabel(QString::fromUtf8(titres[k]), page), 0, colonnesTitres[k], 1, k == 6 ? 2 : 1);
    int ligne = 1;
    for (int i : codes) {
        auto* coche = new QCheckBox(Distance(i), page);
        coche->setObjectName(QString("Check1_%1").arg(i));
        Check1[i] = coche;
        auto* temps = new QLineEdit(page);
        temps->setObjectName(QString("txt_temps_%1").arg(i));
        temps->setMaximumWidth(90);
        txt_temps[i] = temps;
        auto* lieu = new QLineEdit(page);
        lieu->setObjectName(QString("Text1_%1").arg(i));
        Text1[i] = lieu;
        grille->addWidget(coche, ligne, 0);
        grille->addWidget(temps, ligne, 1);
        grille->addWidget(lieu, ligne, 2);
        for (int d = 0; d < 3; ++d) {
            auto* date = new QLineEdit(page);
            date->setObjectName(QString("txt_description_%1").arg(i + 50 * d));
            date->setMaximumWidth(d == 2 ? 55 : 35);
            date->setMaxLength(d == 2 ? 4 : 2);
            txt_description[i + 50 * d] = date;
            grille->addWidget(date, ligne, 3 + d);
        }
        // The row's two pool options are exclusive with each other only.
        auto* groupe = new QButtonGroup(page);
        for (int p = 0; p < 2; ++p) {
            const int j = i + 50 * p;
            if (!Option_50_existe(j))
                continue;
            auto* option = new QRadioButton(p == 0 ? "25" : "50", page);
            option->setObjectName(QString("Option1_%1").arg(j));
            groupe->addButton(option);
            Option1[j] = option;
            grille->addWidget(option, ligne, 6 + p);
        }
        Brancher_boite_temps(temps);
        Brancher_boites_date(txt_description[i], txt_description[i + 50], txt_description[i + 100], m_controleDate);
        Installer_selection_au_focus(lieu);
        connect(coche, &QCheckBox::toggled, this, [this, i](bool c) { cocher(i, c); });
        ++ligne;
    }
    grille->setColumnStretch(2, 1);
    grille->setRowStretch(ligne, 1);
    return page;
}

// ---- Tables and conditions -----------------------------------------------------------------

EditionEngag frm_engag::edition() const
{
    return {strNumCompetTraitee, bModeleTraitee, strAction};
}

QString frm_engag::conditionCle(const QString& table) const
{
    const QString prefixe = table.isEmpty() ? QString() : table + ".";
    if (bModeleTraitee)
        return prefixe + "Num_modele = " + strNumCompetTraitee;
    return prefixe + "Num_compet = " + strNumCompetTraitee + " AND " + prefixe + "Num_profil = " + strNumProfil;
}

QString frm_engag::conditionEquipe() const
{
    return " and Num_equipe = " + m_numEquipe + " and Equipe_mixte = " + m_mixteEquipe;
}

// ---- Teams and lists -----------------------------------------------------------------------

void frm_engag::Remplir_Info_Engag()
{
    const QString sql = bModeleTraitee
                            ? "SELECT Eq_Homme, Eq_Femme, Eq_Mixte FROM Engag_equipe_modele where Num_modele = "
                                  + strNumCompetTraitee
                            : "SELECT Eq_Homme, Eq_Femme, Eq_Mixte FROM Engag_equipe where Num_compet = "
                                  + strNumCompetTraitee + " and Num_profil = " + strNumProfil;
    {
        Requete r(cnxBase.handle(), sql);
        const bool ligne = r.suivante();
        for (int k = 0; k < 3; ++k)
            txt_nb_equipe[k]->setText(ligne ? r.texte(k) : "0");
    }
    // Forced after a template was applied: the grid's swimmer may be gone, his entries replaced.
    if (bForceRefresh)
        m_nageurAffiche.clear();
    if (!bModeleTraitee) {
        // In a 50 m pool the 25 m events and the 100 m medley are not swum.
        const bool bassin25 = Lire_longueur_compet(strNumCompetTraitee) == 25;
        for (int i : {0, 10, 20, 30, 40})
            Check1[i]->setEnabled(bassin25);
        m_debutSaison = Debut_saison(Lire_debut_compet(strNumCompetTraitee), 1);
    }
    Verifier_nb_equipes();
}

void frm_engag::Verifier_nb_equipes()
{
    for (QLineEdit* b : txt_nb_equipe) {
        if (b->text().trimmed().isEmpty())
            b->setText("0");
        if (Valeur_numerique(b->text()) >= 50)
            b->setText("49");
    }
    // Filling the combo must not choose a team on the way: the choice is made once, after.
    m_remplissage = true;
    Remplir_combo_equipes(cbo_team, txt_nb_equipe[0]->text(), txt_nb_equipe[1]->text(), txt_nb_equipe[2]->text(),
                          m_libelleEquipe);
    m_remplissage = false;
    choixEquipe();
}

void frm_engag::Decoder_libelle(const QString& libelle)
{
    m_libelleEquipe = libelle;
    if (libelle == "Individuel" || libelle.isEmpty()) {
        m_numEquipe = "0";
        m_sexeEquipe.clear();
    } else {
        const QString reste = QString(libelle).remove("Equipe ");
        m_numEquipe = reste.section(' ', 0, 0);
        const QString genre = reste.section(' ', 1, 1);
        m_sexeEquipe = genre == "Homme" ? "M" : genre == "Femme" ? "F" : QString();
    }
    m_mixteEquipe = m_sexeEquipe.isEmpty() ? "true" : "false";
}

void frm_engag::choixEquipe()
{
    const QString libelle = cbo_team->currentText();
    if (libelle == m_libelleEquipe && !bForceRefresh)
        return;
    try {
        if (!m_nageurAffiche.isEmpty())
            Sauver_engag_nageur(m_nageurAffiche);
        Decoder_libelle(libelle);
        CurseurOccupe occupe;
        Afficher_statut("Chargement de la liste des licences");
        const QString t = edition().tableNageurs();
        const QString jointure = "Licence.Num = " + t + ".Num_Lic AND "
                                 + (bClubSelection ? QString("Club.Code_federal = Licence.Code_Club AND ") : QString())
                                 + conditionCle(t);
        QString sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, "
                      + QString(bClubSelection ? "Club.Intitule," : "") + " Licence.Num FROM Licence Licence"
                      + (bClubSelection ? ",Club Club" : "") + ", " + t + " " + t + " WHERE " + jointure + " AND " + t
                      + ".Equipe = " + m_numEquipe + " AND " + t + ".Equipe_m = " + m_mixteEquipe;
        if (!m_sexeEquipe.isEmpty())
            sql += " AND Licence.Sexe = '" + m_sexeEquipe + "'";
        sql += " AND Licence.Visible = true ORDER BY Licence.Nom, Licence.Prenom";
        const int num = bClubSelection ? 4 : 3;
        m_remplissage = true;
        Remplir_listes(sql, {lsv_engag, Lsv_engag_info},
                       {bClubSelection ? QList<int>{0, 1, 2, 3} : QList<int>{0, 1, 2}, {num}}, QString());
        m_remplissage = false;
        m_nageurAffiche.clear();
        const bool places = Nombre_lignes(lsv_engag) > 0;
        if (places) {
            Selectionner_element(lsv_engag, 1);
            selectionNageur();
        } else {
            PurgeInfoEngagementNageur();
        }
        if (strAction != "View") {
            Cmd_add_1->setEnabled(places);
            SSTab2->setEnabled(places);
        }
        Afficher_statut(QString());

        // The licence list: the club's visible swimmers (of the team's sex) not placed elsewhere.
        const QString r = bClubSelection ? "Licence." : "";
        QString licences;
        if (bClubSelection) {
            QString from, where;
            Get_jointure_selection(from, where);
            licences = "SELECT Licence.Licence, Licence.Nom, Licence.Prenom, Licence.Num, Club.Intitule FROM " + from
                       + "WHERE " + where + "and Selection.Code_Sel =  '" + Doubler_apostrophe(strCodeClub)
                       + "' and Selection.Visible = true and Licence.Visible = true";
        } else {
            licences = "SELECT Licence, Nom, Prenom, Num FROM Licence where Code_Club = '"
                       + Doubler_apostrophe(strCodeClub) + "' and Visible = true";
        }
        licences += " AND NOT (" + r + "Num IN (SELECT Num_Lic FROM " + t + " WHERE " + jointure + " AND NOT (" + t
                    + ".Equipe = 0 AND " + t + ".Equipe_m = false) AND not (" + t + ".Equipe = " + m_numEquipe
                    + " AND " + t + ".Equipe_m = " + m_mixteEquipe + ")))";
        if (!m_sexeEquipe.isEmpty())
            licences += " and " + r + "Sexe = '" + m_sexeEquipe + "'";
        licences += " order by " + r + "Nom, " + r + "Prenom";
        if (strAction != "View" || Nombre_lignes(lsv_licencie) == 0) {
            Afficher_statut("Chargement de la liste des nageur(euse)s engagé(e)s");
            ColonnesListes colonnes = {bClubSelection ? QList<int>{1, 2, 0, 4} : QList<int>{1, 2, 0}, {1, 2, 3}};
            Remplir_liste_licences(licences, lsv_licencie, lsv_licencie_search, false, bClubSelection, colonnes);
            const bool libres = Nombre_lignes(lsv_licencie) > 0;
            if (libres)
                Selectionner_element(lsv_licencie, 1);
            lsv_licencie->setEnabled(libres);
            txt_search->setEnabled(libres && !bModeleTraitee);
            Cmd_add_0->setEnabled(libres && strAction != "View");
            Afficher_statut(QString());
        }
    } catch (const std::exception& e) {
        m_remplissage = false;
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
        Afficher_statut(QString());
    }
}

void frm_engag::ajouterNageur()
{
    if (strAction == "View" || Nombre_lignes(lsv_licencie) == 0)
        return;
    try {
        QTreeWidgetItem* info = Ligne(lsv_licencie_search, Ligne_courante(lsv_licencie));
        if (!info)
            return;
        const QString k = info->text(1);
        if (Chercher_element(k, Lsv_engag_info, 0, 0, 0) < 1) {
            m_remplissage = true;
            Copier_element(lsv_licencie, lsv_engag, Ligne_courante(lsv_licencie));
            Ajouter_ligne(Lsv_engag_info, {k});
            Selectionner_element(lsv_engag, Nombre_lignes(lsv_engag));
            m_remplissage = false;
            Cmd_add_1->setEnabled(true);
            SSTab2->setEnabled(true);
            const QString compte =
                bModeleTraitee ? "select count(*) from Engag_nageur_modele where Num_modele = " + strNumCompetTraitee
                                     + " And Num_Lic = " + k
                               : "select count(*) from Engag_nageur where Num_compet = " + strNumCompetTraitee
                                     + " and Num_Lic = " + k + " and Num_profil = " + strNumProfil;
            if (Lire_nombre(compte) == 0) {
                cnxBase.Execute(bModeleTraitee ? "INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe, Equipe_m) VALUES ("
                                                     + strNumCompetTraitee + ", " + k + ", " + m_numEquipe + ", "
                                                     + m_mixteEquipe + ");"
                                               : "INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe, Equipe_m) VALUES ("
                                                     + strNumProfil + ", " + strNumCompetTraitee + ", " + k + ", "
                                                     + m_numEquipe + ", " + m_mixteEquipe + ");");
            } else {
                Affecter_equipe_nageur(k, false);
            }
        }
        txt_search->clear();
        selectionNageur();
    } catch (const std::exception& e) {
        m_remplissage = false;
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_engag::retirerNageur()
{
    if (strAction == "View")
        return;
    const int i = Ligne_courante(lsv_engag);
    QTreeWidgetItem* info = Ligne(Lsv_engag_info, i);
    if (!info)
        return;
    try {
        const QString k = info->text(0);
        m_remplissage = true;
        delete Ligne(lsv_engag, i);
        delete info;
        m_remplissage = false;
        Affecter_equipe_nageur(k, true);
        Supprimer_engag_nageur(k, true);
        const int n = Nombre_lignes(lsv_engag);
        // His entries are gone: they must not be written back when the next swimmer is shown.
        m_nageurAffiche.clear();
        if (n == 0) {
            Cmd_add_1->setEnabled(false);
            SSTab2->setEnabled(false);
            PurgeInfoEngagementNageur();
        } else {
            m_remplissage = true;
            Selectionner_element(lsv_engag, std::min(i, n));
            m_remplissage = false;
            selectionNageur();
        }
    } catch (const std::exception& e) {
        m_remplissage = false;
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_engag::selectionNageur()
{
    QTreeWidgetItem* info = Ligne(Lsv_engag_info, Ligne_courante(lsv_engag));
    if (!info)
        return;
    try {
        afficherNageur(info->text(0));
    } catch (const std::exception& e) {
        m_chargementNageur = false;
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_engag::afficherNageur(const QString& cle)
{
    if (cle == m_nageurAffiche)
        return;
    if (!m_nageurAffiche.isEmpty())
        Sauver_engag_nageur(m_nageurAffiche);
    m_chargementNageur = true;
    PurgeInfoEngagementNageur();
    Afficher_engag_nageur(cle);
    if (!bModeleTraitee)
        Charger_meilleures_perfs(cle);
    m_nageurAffiche = cle;
    m_chargementNageur = false;
}

void frm_engag::Affecter_equipe_nageur(const QString& cle, bool retirer)
{
    const QString affectation =
        retirer ? QString("Equipe = 0, Equipe_m = false") : "Equipe = " + m_numEquipe + ", Equipe_m = " + m_mixteEquipe;
    if (bModeleTraitee)
        cnxBase.Execute("Update Engag_nageur_modele Set " + affectation + " where Num_Lic = " + cle
                        + " and Num_modele = " + strNumCompetTraitee);
    else
        cnxBase.Execute("Update Engag_nageur Set " + affectation + " where Num_Lic = " + cle + " and Num_compet = "
                        + strNumCompetTraitee + " and Num_profil = " + strNumProfil);
}

// ---- The event grid ------------------------------------------------------------------------

void frm_engag::PurgeInfoEngagementNageur()
{
    const bool chargement = m_chargementNageur;
    m_chargementNageur = true;
    for (QCheckBox* c : std::as_const(Check1))
        c->setChecked(false);
    m_chargementNageur = chargement;
    if (bModeleTraitee)
        return;
    for (const QMap<int, QLineEdit*>* boites : {&txt_temps, &Text1, &txt_description}) {
        for (QLineEdit* b : *boites)
            Activer_controle(b, false, false, true);
    }
    QList<QAbstractButton*> options;
    for (QRadioButton* o : std::as_const(Option1))
        options << o;
    Reinitialiser_options(options, false);
}

void frm_engag::Activer_controle(QLineEdit* boite, bool actif, bool coche, bool vider)
{
    if (vider) {
        const bool controle = m_controleDate;
        m_controleDate = false;
        boite->clear();
        m_controleDate = controle;
    }
    boite->setEnabled(actif);
    QPalette p = boite->palette();
    p.setColor(QPalette::Base, coche ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Button));
    boite->setPalette(p);
}

void frm_engag::cocher(int i, bool coche)
{
    if (bModeleTraitee)
        return;
    QRadioButton* option25 = Option1.value(i);
    QRadioButton* option50 = Option1.value(i + 50);
    if (coche) {
        option25->setChecked(true);
        const Perf& perf = m_perfs[i];
        if (!m_chargementNageur && !perf.temps.isEmpty()) {
            txt_temps[i]->setText(perf.temps);
            Text1[i]->setText(perf.lieu);
            m_controleDate = false;
            if (!perf.date.isEmpty())
                Afficher_date(txt_description[i], txt_description[i + 50], txt_description[i + 100], perf.date);
            m_controleDate = true;
            if (perf.bassin == "50" && option50)
                option50->setChecked(true);
        }
    } else {
        QList<QAbstractButton*> options{option25};
        if (option50)
            options << option50;
        Reinitialiser_options(options, false);
    }
    for (QLineEdit* b : {txt_description[i], txt_description[i + 50], txt_description[i + 100], Text1[i], txt_temps[i]})
        Activer_controle(b, coche, coche, !coche);
    option25->setEnabled(coche);
    if (option50)
        option50->setEnabled(coche);
}

void frm_engag::SSTab2_Click()
{
    const int t = SSTab2->currentIndex();
    if (t >= 0 && t < 5)
        Rafraichir_epreuves(BornesOnglets[t][0], BornesOnglets[t][1]);
}

void frm_engag::Rafraichir_epreuves(int premier, int dernier)
{
    for (auto it = Check1.cbegin(); it != Check1.cend(); ++it) {
        const int i = it.key();
        const bool dedans = i >= premier && i <= dernier;
        QList<QWidget*> ligne{it.value()};
        if (!bModeleTraitee) {
            ligne << txt_temps[i] << Text1[i] << txt_description[i] << txt_description[i + 50]
                  << txt_description[i + 100] << Option1[i];
            if (Option1.contains(i + 50))
                ligne << Option1[i + 50];
        }
        Fixer_tabstop(ligne, dedans);
    }
}

void frm_engag::Charger_meilleures_perfs(const QString& cle)
{
    m_perfs = {};
    // A time of 0 is no performance: it would hide the real best.
    Requete r(cnxBase.handle(), "SELECT Tps, Lieu, Date_perf, Code_epreuve, Type_bassin From Liffn Where Num_lic = " + cle
                                    + " AND Date_perf >= '" + m_debutSaison
                                    + "' AND Tps > 0 ORDER BY Code_epreuve, Tps");
    while (r.suivante()) {
        int i = static_cast<int>(Valeur_numerique(r.texte(3)));
        if (i >= 50)
            i -= 50;
        if (i < 0 || i >= 50 || !m_perfs[i].temps.isEmpty())
            continue;
        m_perfs[i] = {Format_temps(r.texte(0)), r.texte(1), r.texte(2), r.texte(4)};
    }
}

void frm_engag::Afficher_engag_nageur(const QString& cle)
{
    Afficher_statut("Affichage des engagements du nageur en cours");
    const QString sql = bModeleTraitee ? "select Code_epreuve from Engag_modele where Num_modele = " + strNumCompetTraitee
                                             + " and Num_Lic = " + cle + conditionEquipe()
                                       : "select Code_epreuve, Tps_engagement, Lieu_perf, Date_perf, Bassin from Engag "
                                         "where Num_compet = "
                                             + strNumCompetTraitee + " and Num_Lic = " + cle
                                             + " and Num_profil = " + strNumProfil + conditionEquipe();
    Requete r(cnxBase.handle(), sql);
    int premier = -1;
    while (r.suivante()) {
        int i = static_cast<int>(Valeur_numerique(r.texte(0)));
        if (i >= 50)
            i -= 50;
        if (!Check1.contains(i))
            continue;
        if (premier < 0)
            premier = i;
        Check1[i]->setChecked(true);
        if (bModeleTraitee)
            continue;
        txt_temps[i]->setText(Format_temps(r.texte(1)));
        Text1[i]->setText(r.texte(2));
        m_controleDate = false;
        Afficher_date(txt_description[i], txt_description[i + 50], txt_description[i + 100], r.texte(3));
        m_controleDate = true;
        if (Valeur_numerique(r.texte(4)) == 50 && Option1.contains(i + 50))
            Option1[i + 50]->setChecked(true);
        else
            Option1[i]->setChecked(true);
    }
    SSTab2->setCurrentIndex(premier < 0 ? 0 : Onglet_epreuve(premier));
    SSTab2_Click();
    Afficher_statut(QString());
}

void frm_engag::Supprimer_engag_nageur(const QString& cle, bool relais)
{
    if (bModeleTraitee) {
        cnxBase.Execute("delete from Engag_modele where Num_modele = " + strNumCompetTraitee + " and Num_Lic = " + cle
                        + conditionEquipe());
        return;
    }
    cnxBase.Execute("delete from Engag where Num_compet = " + strNumCompetTraitee + " and Num_profil = " + strNumProfil
                    + " and Num_Lic = " + cle + conditionEquipe());
    if (relais)
        Supprimer_nageur_relais(cle, strNumCompetTraitee, m_numEquipe, m_mixteEquipe, strNumProfil);
}

void frm_engag::Sauver_engag_nageur(const QString& cle)
{
    if (strAction == "View" || cle.isEmpty())
        return;
    try {
        Afficher_statut("Sauvegarde des engagements du nageur en cours");
        QString sexe;
        {
            Requete r(cnxBase.handle(), "select Sexe from Licence where Num = " + cle);
            if (!r.suivante()) {
                Afficher_statut(QString());
                return;
            }
            sexe = r.texte(0);
        }
        const int decalage = sexe == "M" ? 50 : 0;
        Supprimer_engag_nageur(cle, false);
        for (auto it = Check1.cbegin(); it != Check1.cend(); ++it) {
            if (!it.value()->isChecked())
                continue;
            const int i = it.key();
            const QString code = QString::number(i + decalage);
            if (bModeleTraitee) {
                cnxBase.Execute("INSERT INTO Engag_modele (Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Num_modele) VALUES ("
                                + code + ", " + cle + ", " + m_numEquipe + ", " + m_mixteEquipe + ", "
                                + strNumCompetTraitee + ");");
                continue;
            }
            // The box's formatted value, never its raw text ("12." or "." are typeable).
            const QString texte = txt_temps[i]->text().trimmed();
            const QString temps = texte.isEmpty() || Valeur_numerique(texte) > 99.9999 ? "0" : Format_temps(texte);
            QString annee = txt_description[i + 100]->text(), mois = txt_description[i + 50]->text(),
                    jour = txt_description[i]->text();
            const QString date = Date_valide(annee, mois, jour) ? Composer_date(annee, mois, jour) : QString();
            const bool bassin50 = Option1.contains(i + 50) && Option1[i + 50]->isChecked();
            cnxBase.Execute("INSERT INTO Engag (Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Num_profil, Num_compet, "
                            "Tps_engagement, Date_perf, Lieu_perf, Bassin) VALUES ("
                            + code + ", " + cle + ", " + m_numEquipe + ", " + m_mixteEquipe + ", " + strNumProfil + ", "
                            + strNumCompetTraitee + ", " + temps + ", '" + date + "', '"
                            + Doubler_apostrophe(Text1[i]->text()) + "', " + (bassin50 ? "50" : "25") + ");");
        }
        Afficher_statut(QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde des engagements.");
        Afficher_statut(QString());
    }
}

// ---- Numbers of teams ----------------------------------------------------------------------

void frm_engag::Activer_controles_equipe(bool b)
{
    Fixer_enabled({txt_nb_equipe[0], txt_nb_equipe[1], txt_nb_equipe[2], Cmd_equipe_0, Cmd_equipe_1}, b);
    Fixer_enabled({cmd_0, cmd_def_team, Cmd_modele, SSTab2, lsv_licencie, lsv_engag}, !b);
    cmd_1->setEnabled(!b && strAction != "View");
    if (b)
        SSTab2->setEnabled(false);
}

void frm_engag::definirEquipes()
{
    Sauver_engag_nageur(m_nageurAffiche);
    for (int k = 0; k < 3; ++k)
        m_anciensNombres[k] = txt_nb_equipe[k]->text();
    Cmd_add_0->setEnabled(false);
    Cmd_add_1->setEnabled(false);
    Activer_controles_equipe(true);
    txt_nb_equipe[0]->setFocus();
}

void frm_engag::Remplacer_balises(QString sql, const QString& table, const QString& numero, const QString& sexe)
{
    sql.replace("<TABLE>", table).replace("<NUM_TEAM>", numero).replace("<SEXE_NAGEUR>", sexe);
    cnxBase.Execute(sql);
}

void frm_engag::validerEquipes()
{
    try {
        Verifier_nb_equipes();
        const QString equipes = edition().tableEquipes();
        const QString cle = conditionCle(QString());
        const QString h = txt_nb_equipe[0]->text(), f = txt_nb_equipe[1]->text(), m = txt_nb_equipe[2]->text();
        if (Lire_nombre("select count(*) from " + equipes + " where " + cle) > 0)
            cnxBase.Execute("Update " + equipes + " Set Eq_Homme = " + h + ", Eq_Femme = " + f + ", Eq_Mixte = " + m
                            + " where " + cle);
        else if (bModeleTraitee)
            cnxBase.Execute("INSERT INTO Engag_equipe_modele VALUES (" + strNumCompetTraitee + ", " + h + ", " + f + ", "
                            + m + ", 0, 0, 0);");
        else
            cnxBase.Execute("INSERT INTO Engag_equipe VALUES (" + strNumCompetTraitee + ", " + strNumProfil + ", " + h
                            + ", " + f + ", " + m + ", 0, 0, 0);");

        const QString w = conditionCle("<TABLE>");
        const QString nageurs = edition().tableNageurs();
        const QString engag = edition().tableEngag();
        for (const auto& [nombre, sexe] : {std::pair{h, QString("M")}, std::pair{f, QString("F")}}) {
            Remplacer_balises("UPDATE <TABLE> SET Equipe = 0, Equipe_m = false WHERE <TABLE>.Equipe > <NUM_TEAM> AND "
                              "<TABLE>.Equipe_m = false AND "
                                  + w
                                  + " AND EXISTS (SELECT Licence.Num FROM Licence Licence WHERE Licence.Sexe = "
                                    "'<SEXE_NAGEUR>' AND Licence.Num = <TABLE>.Num_Lic)",
                              nageurs, nombre, sexe);
            Remplacer_balises("DELETE FROM <TABLE> WHERE <TABLE>.Num_equipe > <NUM_TEAM> AND <TABLE>.Equipe_mixte = false "
                              "AND "
                                  + w
                                  + " AND EXISTS (SELECT Licence.Num FROM Licence Licence WHERE Licence.Sexe = "
                                    "'<SEXE_NAGEUR>' AND Licence.Num = <TABLE>.Num_Lic)",
                              engag, nombre, sexe);
            if (!bModeleTraitee)
                Remplacer_balises("DELETE FROM Relais WHERE Relais.Num_equipe > <NUM_TEAM> AND Relais.Equipe_mixte = False "
                                  "AND "
                                      + conditionCle("Relais")
                                      + " AND EXISTS (SELECT Nage.Code_Nage FROM Nage Nage WHERE Nage.Sexe = "
                                        "'<SEXE_NAGEUR>' AND Nage.Code_Nage = Relais.Code_epreuve)",
                                  "Relais", nombre, sexe);
        }
        Remplacer_balises("UPDATE <TABLE> SET Equipe = 0, Equipe_m = false WHERE Equipe > <NUM_TEAM> AND Equipe_m = true "
                          "AND "
                              + w,
                          nageurs, m, QString());
        Remplacer_balises("DELETE FROM <TABLE> WHERE Num_equipe > <NUM_TEAM> AND Equipe_mixte = true AND " + w, engag, m,
                          QString());
        if (!bModeleTraitee)
            Remplacer_balises("DELETE FROM <TABLE> WHERE Num_equipe > <NUM_TEAM> AND Equipe_mixte = true AND " + w,
                              "Relais", m, QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'exécution de l'opération.");
    }
    finEditionEquipes();
}

void frm_engag::annulerEquipes()
{
    for (int k = 0; k < 3; ++k)
        txt_nb_equipe[k]->setText(m_anciensNombres[k]);
    finEditionEquipes();
}

void frm_engag::finEditionEquipes()
{
    Activer_controles_equipe(false);
    Cmd_add_0->setEnabled(Nombre_lignes(lsv_licencie) > 0 && strAction != "View");
    const bool places = Nombre_lignes(lsv_engag) > 0;
    Cmd_add_1->setEnabled(places && strAction != "View");
    SSTab2->setEnabled(places);
}

// ---- Template and view modes ---------------------------------------------------------------

void frm_engag::SetAccessControleForModele()
{
    const bool modifiable = strAction != "View";
    for (auto it = Check1.cbegin(); it != Check1.cend(); ++it) {
        const int i = it.key();
        it.value()->setEnabled(modifiable);
        for (QLineEdit* b : {txt_temps[i], Text1[i], txt_description[i], txt_description[i + 50], txt_description[i + 100]})
            Activer_controle(b, false, false, true);
        Option1[i]->setEnabled(false);
        if (Option1.contains(i + 50))
            Option1[i + 50]->setEnabled(false);
    }
    txt_search->setEnabled(false);
    QPalette p = txt_search->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    txt_search->setPalette(p);
    cmd_def_team->setEnabled(modifiable);
    cmd_1->setEnabled(modifiable);
    Cmd_add_0->setEnabled(false);
    Cmd_add_1->setEnabled(false);
}

void frm_engag::ForceUnloadWindowsEngag(const QString&)
{
    m_listeModeles.clear();
}

void frm_engag::choisirModele()
{
    if (Fenetre_deja_ouverte(m_listeModeles, false))
        return;
    try {
        // Kept before the template replaces the entries.
        Sauver_engag_nageur(m_nageurAffiche);
        const QRect cadre = Cadre_fenetre(this)->geometry();
        // Beside this window: 100 twips to its right, 500 below its top.
        Ouvrir_liste_modeles(m_listeModeles, "Choix d'un modèle d'engagements", "Choisir", true, QString(), "Engag",
                             (cadre.x() + cadre.width()) * 15 + 100, cadre.y() * 15 + 500, strNumCompetTraitee, this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_engag::rafraichirListeModeles()
{
    if (bModeleTraitee && strAction == "Modif") {
        if (auto* liste = qobject_cast<frm_liste_modele*>(frmCible.data()))
            liste->set_liste(strNumCompetTraitee);
    }
}

// ---- Ok, Annuler, closing ------------------------------------------------------------------

void frm_engag::ok()
{
    m_fermeParBoutons = true;
    bool garder = false;
    try {
        if (strAction != "View") {
            Sauver_engag_nageur(m_nageurAffiche);
            if (bModeleTraitee && strAction == "Modif") {
                Requete r(cnxBase.handle(), "select Nom_modele from Modele_engag where NumAuto = " + strNumCompetTraitee);
                const QString nom = r.suivante() ? r.texte(0) : QString();
                Demander_nom_modele("Modif", true, 1, "Modele_engag", strNumCompetTraitee, nom, this);
            } else if (!bModeleTraitee && Chk_DoModele->isChecked()) {
                if (m_listeModeles)
                    m_listeModeles->close();
                Ouvrir_liste_modeles(m_listeModeles, "Enregistrement dans un modèle", "modele depuis engagement", true,
                                     "&Nouveau", "Engag", 0, 0, strNumCompetTraitee, this);
                Cadre_fenetre(this)->hide();
                if (m_listeModeles)
                    m_listeModeles->Cacher_liste_compet(frmCible);
                garder = true;
            }
            Terminer_edition_engag(edition());
        }
        rafraichirListeModeles();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
    Afficher_statut(QString());
    if (!garder)
        close();
}

void frm_engag::annuler()
{
    m_fermeParBoutons = true;
    try {
        if (strAction != "View") {
            Annuler_edition_engag(edition());
            Terminer_edition_engag(edition());
        }
        rafraichirListeModeles();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
    Afficher_statut(QString());
    close();
}

void frm_engag::closeEvent(QCloseEvent* event)
{
    // The close box cancels; after "&Ok" with a template to make, the edit is already over.
    if (!m_fermeParBoutons && !estDecharge()) {
        m_fermeParBoutons = true;
        if (strAction != "View") {
            try {
                Annuler_edition_engag(edition());
                Terminer_edition_engag(edition());
            } catch (const std::exception& e) {
                Memoriser_erreur(e);
                Afficher_erreur("Une erreur s'est produite lors de l'opération.");
            }
            Afficher_statut(QString());
        }
    }
    FenetreComptee::closeEvent(event);
}

void frm_engag::Decharger_fenetres_filles()
{
    if (QPointer<frm_liste_modele> liste = m_listeModeles) {
        m_listeModeles.clear();
        liste->close();
    }
}

bool frm_engag::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == lsv_engag && evenement->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete) {
        retirerNageur();
        return true;
    }
    if (objet == txt_search && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            if (Nombre_lignes(lsv_licencie) > 0)
                ajouterNageur();
            return true;
        }
        if (touche == Qt::Key_Escape)
            return true;
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

// ---- Opener --------------------------------------------------------------------------------

namespace {
// What a new entry template's window holds while it is open (club modify, delete, config;
// profile modify, delete, change; the entry-template menus; the individual and relay entries;
// licence new, import, modify, delete).
VerrousMenus Verrous_nouveau_modele_engag()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    v.groupeEntier(GroupeVerrou::ModeleEngag);
    v.groupe(GroupeVerrou::Engag, {1, 1, 0, 0, 0});
    v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
    return v;
}
} // namespace

void Ouvrir_frm_engag(QPointer<frm_engag>& fenetre, const QString& titre, const QString& mode, bool bModele,
                      const QString& cle, QWidget* appelant, bool purger)
{
    Ouverture ouverture;
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.appelant = appelant;
    if (mode == "new modele")
        ouverture.verrous = Verrous_nouveau_modele_engag();
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_engag& f) {
        f.strAction = mode;
        f.bModeleTraitee = bModele;
        f.Cmd_modele->setVisible(!bModele);
        f.Chk_DoModele->setVisible(!bModele);
        f.strNumCompetTraitee = cle;
        if (purger)
            f.PurgeInfoEngagementNageur();
        if (bModele)
            f.SetAccessControleForModele();
        f.Remplir_Info_Engag();
    });
}
