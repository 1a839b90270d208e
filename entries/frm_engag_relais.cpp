#include "entries/frm_engag_relais.h"

#include "clubs_licences/licences.h"
#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"
#include "core/boites_saisie.h"
#include "entries/temps_relais.h"
#include "entries/utils_engag.h"
#include "entries/utils_relais.h"
#include "records_points/frm_calTps.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

constexpr int LargeurTwips = 8100;
constexpr int HauteurSelection = 4110;
constexpr int HauteurComposition = 9270;

// Runs one handler's work; a database failure is reported and the window stays usable.
template <class F>
bool Garder(const QString& message, F&& travail)
{
    try {
        travail();
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(message);
        return false;
    }
}

const QString ErreurChargement = QStringLiteral("Une erreur s'est produite lors du chargement des relais.");
const QString ErreurComposition =
    QStringLiteral("Une erreur s'est produite lors de la sauvegarde de la composition du relais.");

QLabel* Etiquette(QWidget* parent, const QString& texte, const QRect& place)
{
    auto* l = new QLabel(texte, parent);
    l->setGeometry(place);
    return l;
}

QTreeWidget* Liste_cachee(QWidget* parent, const QString& nom)
{
    auto* l = Creer_liste_rapport(parent, nom, {"NumAuto"});
    l->hide();
    return l;
}

} // namespace

frm_engag_relais::frm_engag_relais(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_engag_relais");
    setWindowTitle("Définition des relais");

    Etiquette(this, "Equipe :", {8, 10, 60, 22});
    cbo_team = new QComboBox(this);
    cbo_team->setObjectName("cbo_team");
    cbo_team->setGeometry(70, 8, 250, 24);

    Lst_relais = new QListWidget(this);
    Lst_relais->setObjectName("Lst_relais");
    Lst_relais->setGeometry(8, 40, 312, 180);
    Lst_relais_engag = new QListWidget(this);
    Lst_relais_engag->setObjectName("Lst_relais_engag");
    Lst_relais_engag->setGeometry(8, 40, 312, 180);
    Lst_relais_engag->hide();

    LsvInfoRelais = Creer_liste_rapport(this, "LsvInfoRelais", {"Code", "NbNageurs", "NbEquipe", "NbEquipeOri"});
    LsvInfoRelais->hide();

    m_labelNbEquipe = Etiquette(this, "Nb Equipe :", {330, 112, 80, 22});
    txt_nb_equipe = new QLineEdit(this);
    txt_nb_equipe->setObjectName("txt_nb_equipe");
    txt_nb_equipe->setGeometry(410, 110, 40, 24);
    // Two digits: each relay team is a row, and a slip of the finger must not write thousands.
    txt_nb_equipe->setMaxLength(2);
    Installer_filtre_chiffre(txt_nb_equipe);
    Installer_selection_au_focus(txt_nb_equipe);

    const char* titres[3] = {"&Ok", "&Annuler", "&Composition"};
    for (int i = 0; i < 3; ++i) {
        Cmd[i] = Creer_bouton(this, "Cmd_" + QString::number(i), titres[i]);
        Cmd[i]->setGeometry(455, 8 + 32 * i, 78, 26);
    }

    // Composition area, seen only in the tall window.
    Etiquette(this, "Equipe :", {8, 264, 60, 22});
    cbo_team_relais = new QComboBox(this);
    cbo_team_relais->setObjectName("cbo_team_relais");
    cbo_team_relais->setGeometry(70, 262, 120, 24);
    Etiquette(this, "Tps engagement :", {200, 264, 110, 22});
    txt_temps = new QLineEdit(this);
    txt_temps->setObjectName("txt_temps");
    txt_temps->setGeometry(310, 262, 75, 24);
    Brancher_boite_temps(txt_temps);
    Cmd_CalTps = Creer_bouton(this, "Cmd_CalTps", "=");
    Cmd_CalTps->setToolTip("Calculer le temps d'engagement");
    Cmd_CalTps->setGeometry(390, 262, 30, 24);
    Cmd_AffichCalTps = Creer_bouton(this, "Cmd_AffichCalTps", "…");
    Cmd_AffichCalTps->setToolTip("Ouvrir la calculatrice de temps");
    Cmd_AffichCalTps->setGeometry(424, 262, 30, 24);

    lsv_engag = Creer_liste_rapport(this, "lsv_engag", {"Nom"});
    lsv_engag->setGeometry(8, 294, 232, 280);
    Lsv_engag_num = Liste_cachee(this, "Lsv_engag_num");
    lsv_engag_relais = Creer_liste_rapport(this, "lsv_engag_relais", {"Nom"});
    lsv_engag_relais->setGeometry(292, 294, 200, 280);
    Lsv_engag_relais_num = Liste_cachee(this, "Lsv_engag_relais_num");
    Cmd_add[0] = Creer_bouton(this, "Cmd_add_0", ">");
    Cmd_add[0]->setToolTip("Ajouter le nageur au relais");
    Cmd_add[0]->setGeometry(246, 370, 40, 26);
    Cmd_add[1] = Creer_bouton(this, "Cmd_add_1", "<");
    Cmd_add[1]->setToolTip("Retirer le relayeur");
    Cmd_add[1]->setGeometry(246, 404, 40, 26);
    cmd_plus = Creer_bouton(this, "cmd_plus", "▲");
    cmd_plus->setGeometry(498, 370, 34, 26);
    cmd_moins = Creer_bouton(this, "cmd_moins", "▼");
    cmd_moins->setGeometry(498, 404, 34, 26);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(10);

    // Opening state.
    Fixer_taille_design(LargeurTwips, HauteurSelection);
    Init_colonnes_listes_relais(lsv_engag, Lsv_engag_num);
    Init_colonnes_listes_relais(lsv_engag_relais, Lsv_engag_relais_num);
    Maj_nb_equipe(false);
    Fixer_enabled({Lst_relais_engag, txt_temps, lsv_engag, lsv_engag_relais, Cmd_add[0], Cmd_add[1], cmd_plus,
                   cmd_moins, Cmd_CalTps},
                  false);
    cbo_team_relais->hide();
    fixerTabulation();

    for (QWidget* liste : {static_cast<QWidget*>(lsv_engag), static_cast<QWidget*>(lsv_engag_relais)})
        liste->installEventFilter(this);

    connect(cbo_team, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            cbo_team_Click();
    });
    connect(Lst_relais, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0)
            Garder(ErreurChargement, [&] { Lst_relais_ItemCheck(i); });
    });
    connect(Lst_relais, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int i = Lst_relais->row(item);
        // A tick on another row selects it, which runs the same handler.
        if (i == Lst_relais->currentRow())
            Lst_relais_ItemCheck(i);
        else
            Lst_relais->setCurrentRow(i);
    });
    connect(Lst_relais_engag, &QListWidget::currentRowChanged, this, [this](int i) {
        if (i >= 0)
            Garder(ErreurChargement, [this] { Lst_relais_engag_Click(); });
    });
    connect(cbo_team_relais, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            Garder(ErreurChargement, [this] { cbo_team_relais_Click(); });
    });
    connect(Cmd[0], &QPushButton::clicked, this, &frm_engag_relais::ok);
    connect(Cmd[1], &QPushButton::clicked, this, &frm_engag_relais::annuler);
    connect(Cmd[2], &QPushButton::clicked, this, &frm_engag_relais::basculerMode);
    connect(Cmd_add[0], &QPushButton::clicked, this, &frm_engag_relais::ajouterRelayeur);
    connect(Cmd_add[1], &QPushButton::clicked, this, &frm_engag_relais::retirerRelayeur);
    connect(lsv_engag, &QTreeWidget::itemDoubleClicked, this, &frm_engag_relais::ajouterRelayeur);
    connect(lsv_engag_relais, &QTreeWidget::itemDoubleClicked, this, [this] {
        retirerRelayeur();
        Timer1->start();
    });
    connect(cmd_plus, &QPushButton::clicked, this,
            [this] { Deplacer_relayeur(lsv_engag_relais, Lsv_engag_relais_num, 1, -1); });
    connect(cmd_moins, &QPushButton::clicked, this, [this] {
        Deplacer_relayeur(lsv_engag_relais, Lsv_engag_relais_num, Nombre_lignes(lsv_engag_relais), 1);
    });
    connect(Cmd_CalTps, &QPushButton::clicked, this, &frm_engag_relais::calculerTemps);
    connect(Cmd_AffichCalTps, &QPushButton::clicked, this, &frm_engag_relais::ouvrirCalculatrice);
    connect(Timer1, &QTimer::timeout, this, &frm_engag_relais::Timer1_Timer);
}

// ---- Club teams ------------------------------------------------------------------------------

void frm_engag_relais::RemplirInfo(const QString& strNumCompet)
{
    m_strNumCompet = strNumCompet;
    Garder(ErreurChargement, [this] {
        m_longueurBassin = Lire_longueur_compet(m_strNumCompet);
        Charger_equipes();
    });
    m_sauverNb = true;
}

void frm_engag_relais::Charger_equipes()
{
    Executer_requete("SELECT Eq_Homme, Eq_Femme, Eq_Mixte FROM Engag_equipe where Num_compet = " + m_strNumCompet
                         + " and Num_profil = " + strNumProfil,
                     false);
    QString hommes = "0", femmes = "0", mixtes = "0";
    if (colResultat.Count(0) > 0) {
        hommes = colResultat.item(0, 1);
        femmes = colResultat.item(1, 1);
        mixtes = colResultat.item(2, 1);
    }
    Liberer_resultat();
    const QSignalBlocker bloque(cbo_team);
    Remplir_combo_equipes(cbo_team, hommes, femmes, mixtes, QString());
    // No club team chosen yet: the lists stay empty until the user picks one.
    cbo_team->setCurrentIndex(-1);
}

void frm_engag_relais::Decoder_equipe()
{
    m_libelleEquipe = cbo_team->currentText();
    if (m_libelleEquipe.contains("Homme"))
        m_sexeEquipe = "M";
    else if (m_libelleEquipe.contains("Femme"))
        m_sexeEquipe = "F";
    else
        m_sexeEquipe.clear();
    if (m_libelleEquipe.contains("Equipe ")) {
        const qsizetype blanc = m_libelleEquipe.indexOf(' ', 8);
        m_numEquipe = m_libelleEquipe.mid(7, blanc < 0 ? -1 : blanc - 7);
    } else {
        m_numEquipe = "0";
    }
}

QString frm_engag_relais::Get_clause_equipe(const QString& numero, const QString& sexe, QString& mixte,
                                            const QString& prefixe) const
{
    mixte = sexe.isEmpty() ? "true" : "false";
    return " and " + prefixe + "Num_equipe = " + numero + " and " + prefixe + "Equipe_mixte = " + mixte;
}

QString frm_engag_relais::conditionRelaisEquipe() const
{
    // A men's or women's club team swims the events of its sex only.
    if (!m_sexeEquipe.isEmpty())
        return " and Nage.Sexe = '" + m_sexeEquipe + "' and Relais.Equipe_mixte = false";
    return " and Relais.Equipe_mixte = true";
}

void frm_engag_relais::cbo_team_Click()
{
    if (cbo_team->currentText() == m_libelleCharge)
        return;
    // The work of the club team shown could not be saved: it stays shown.
    const auto rester = [this] {
        const QSignalBlocker bloque(cbo_team);
        cbo_team->setCurrentIndex(cbo_team->findText(m_libelleCharge));
    };
    if (m_composition) {
        if (!Sauver_composition_relais(m_indexRelais))
            return rester();
        Garder(ErreurChargement, [this] { chargerComposition(); });
    } else {
        if (!m_libelleCharge.isEmpty() && m_sauverNb) {
            prendreNbEquipe();
            if (!Sauver_nb_equipes_relais())
                return rester();
        }
        Garder(ErreurChargement, [this] { chargerSelection(); });
    }
    m_libelleCharge = cbo_team->currentText();
}

void frm_engag_relais::chargerSelection()
{
    Decoder_equipe();
    Afficher_statut("Chargement de la liste des relais pour l'équipe en cours");
    QString sql = "SELECT Code_Nage, Libelle, Nb_nageurs FROM Nage WHERE Nb_nageurs > 1 ";
    if (!m_sexeEquipe.isEmpty())
        sql += "AND Sexe = '" + m_sexeEquipe + "' ";
    if (m_longueurBassin == 50)
        sql += "AND Possible_50 = true ";
    sql += "ORDER BY Sexe, distance, Code_nage";
    {
        const QSignalBlocker bloque(Lst_relais);
        Lst_relais->clear();
        LsvInfoRelais->clear();
        Executer_requete(sql, false);
        for (int i = 1; i <= colResultat.Count(0); ++i) {
            auto* item = new QListWidgetItem(colResultat.item(1, i), Lst_relais);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            Ajouter_ligne(LsvInfoRelais, {colResultat.item(0, i), colResultat.item(2, i), "", ""});
        }
        Liberer_resultat();
    }
    m_indexEvenement = 100;
    Maj_nb_equipe(false);

    sql = "SELECT Relais.code_epreuve, Max(Relais.Num_Lic) AS MaxDeNum_Lic FROM Nage Nage, Relais Relais "
          "WHERE Nage.Code_Nage = Relais.Code_epreuve AND Relais.Num_compet = "
          + m_strNumCompet + " AND Relais.Num_profil = " + strNumProfil + " AND Relais.Num_equipe = " + m_numEquipe;
    sql += conditionRelaisEquipe();
    sql += " group by Relais.code_epreuve";
    const bool sauver = m_sauverNb;
    m_sauverNb = false;
    {
        const QSignalBlocker bloque(Lst_relais);
        Executer_requete(sql, false);
        for (int i = 1; i <= colResultat.Count(0); ++i) {
            const int ligne = Chercher_element(colResultat.item(0, i), LsvInfoRelais, 0, 0, 1);
            if (ligne < 1)
                continue; // an event no longer offered here is left as it is
            Ligne(LsvInfoRelais, ligne)->setText(2, colResultat.item(1, i));
            Ligne(LsvInfoRelais, ligne)->setText(3, colResultat.item(1, i));
            Lst_relais->item(ligne - 1)->setCheckState(Qt::Checked);
        }
        Liberer_resultat();
    }
    m_sauverNb = sauver;
    if (Lst_relais->count() > 0) {
        if (Lst_relais->currentRow() == 0)
            Lst_relais_ItemCheck(0);
        else
            Lst_relais->setCurrentRow(0);
    }
    Afficher_statut("");
}

void frm_engag_relais::chargerComposition()
{
    Decoder_equipe();
    Afficher_statut("Chargement de la liste des relais engagés pour l'équipe en cours");
    QString sql = "SELECT Nage.Code_Nage, Nage.Libelle, Nage.Nb_nageurs, Max(Relais.Num_Lic) AS MaxDeNum_Lic, "
                  "Nage.Sexe FROM Nage Nage, Relais Relais WHERE Nage.Code_Nage = Relais.Code_epreuve "
                  "AND Relais.Num_compet = "
                  + m_strNumCompet + " AND Relais.Num_profil = " + strNumProfil
                  + " AND Relais.Num_equipe = " + m_numEquipe;
    sql += conditionRelaisEquipe();
    sql += " GROUP BY Nage.Libelle, Nage.Code_Nage, Nage.Sexe, Nage.distance, Nage.Nb_nageurs"
           " order by Nage.Sexe, Nage.distance, Nage.Code_nage";
    {
        const QSignalBlocker bloque(Lst_relais_engag);
        Lst_relais_engag->clear();
        LsvInfoRelais->clear();
        Executer_requete(sql, false);
        for (int i = 1; i <= colResultat.Count(0); ++i) {
            Lst_relais_engag->addItem(colResultat.item(1, i));
            Ajouter_ligne(LsvInfoRelais, {colResultat.item(0, i), colResultat.item(2, i), colResultat.item(3, i),
                                          colResultat.item(4, i)});
        }
        Liberer_resultat();
    }
    m_indexEvenement = 100;
    m_indexRelais = 100;
    m_sexeListe = "A_CHANGER";
    const bool evenements = Lst_relais_engag->count() > 0;
    Lst_relais_engag->setEnabled(evenements);
    txt_temps->setEnabled(evenements);
    if (evenements) {
        Lst_relais_engag->setCurrentRow(0);
    } else {
        cbo_team_relais->hide();
        {
            const QSignalBlocker bloque(cbo_team_relais);
            cbo_team_relais->clear();
        }
        txt_temps->clear();
        txt_nb_equipe->clear();
        lsv_engag->clear();
        Lsv_engag_num->clear();
        lsv_engag_relais->clear();
        Lsv_engag_relais_num->clear();
        Maj_controles_relais();
    }
    Afficher_statut("");
}

// ---- Selection mode --------------------------------------------------------------------------

void frm_engag_relais::prendreNbEquipe()
{
    if (QTreeWidgetItem* ligne = Ligne(LsvInfoRelais, m_indexEvenement + 1); ligne && m_indexEvenement != 100)
        ligne->setText(2, txt_nb_equipe->text());
}

void frm_engag_relais::Lst_relais_ItemCheck(int index)
{
    if (m_composition || index < 0 || index >= Lst_relais->count())
        return;
    if (m_sauverNb && m_indexEvenement != 100)
        prendreNbEquipe();
    const bool coche = Lst_relais->item(index)->checkState() == Qt::Checked;
    Maj_nb_equipe(coche);
    if (coche) {
        const QString nb = Ligne(LsvInfoRelais, index + 1)->text(2);
        txt_nb_equipe->setText(nb.isEmpty() ? "1" : nb);
    }
    m_indexEvenement = index;
}

void frm_engag_relais::Maj_nb_equipe(bool b)
{
    txt_nb_equipe->setEnabled(b);
    if (!b)
        txt_nb_equipe->clear();
}

bool frm_engag_relais::Sauver_nb_equipes_relais()
{
    return Garder("Une erreur s'est produite lors de la sauvegarde du nombre d'équipe relais.", [this] {
        Afficher_statut("Sauvegarde du nombre d'équipes pour les relais dans l'équipe en cours");
        const QString mixte = m_sexeEquipe.isEmpty() ? "true" : "false";
        QString places;
        for (int k = 0; k < 10; ++k)
            places += ", " + strNumLicenceNulle;
        // All the counts of the club team or none: a failure leaves no half-saved team.
        PointSauvegarde point("nb_equipes_relais");
        for (int i = 1; i <= Nombre_lignes(LsvInfoRelais); ++i) {
            QTreeWidgetItem* ligne = Ligne(LsvInfoRelais, i);
            const int nouveau = static_cast<int>(Valeur_numerique(ligne->text(2)));
            const int ancien = static_cast<int>(Valeur_numerique(ligne->text(3)));
            const QString code = ligne->text(0);
            if (nouveau < ancien) {
                cnxBase.Execute("DELETE FROM Relais where Num_profil = " + strNumProfil + " AND Num_compet = "
                                + m_strNumCompet + " AND Num_equipe = " + m_numEquipe + " AND Code_epreuve = " + code
                                + " AND Equipe_mixte = " + mixte + " AND Num_Lic > " + QString::number(nouveau));
            } else {
                for (int k = ancien + 1; k <= nouveau; ++k)
                    cnxBase.Execute("INSERT INTO Relais VALUES (" + strNumProfil + ", " + m_strNumCompet + ", " + code
                                    + ", " + QString::number(k) + ", " + m_numEquipe + ", " + mixte + " , 0" + places
                                    + ");");
            }
        }
        point.valider();
        Afficher_statut("");
    });
}

// ---- Composition mode ------------------------------------------------------------------------

QString frm_engag_relais::infoEvenement(int colonne) const
{
    QTreeWidgetItem* ligne = Ligne(LsvInfoRelais, m_indexEvenement + 1);
    return ligne && m_indexEvenement != 100 ? ligne->text(colonne) : QString();
}

QString frm_engag_relais::codeEvenement() const
{
    return infoEvenement(0);
}

void frm_engag_relais::Lst_relais_engag_Click()
{
    const int index = Lst_relais_engag->currentRow();
    if (!m_composition || index < 0 || index == m_indexEvenement)
        return;
    if (!Sauver_composition_relais(m_indexRelais)) {
        // The legs shown are still those of the previous event: stay on it.
        const QSignalBlocker bloque(Lst_relais_engag);
        Lst_relais_engag->setCurrentRow(m_indexEvenement);
        return;
    }
    m_indexEvenement = index;
    const QString sexe = infoEvenement(3);
    if (sexe != m_sexeListe) {
        m_sexeListe = sexe;
        Charger_nageurs_equipe();
    }
    txt_nb_equipe->setText(infoEvenement(2));
    m_indexRelais = 100;
    Remplir_cbo_equipe_relais();
    const bool equipes = cbo_team_relais->count() > 0;
    cbo_team_relais->setVisible(equipes);
    txt_temps->setEnabled(equipes);
    txt_temps->clear();
    if (equipes) {
        if (cbo_team_relais->currentIndex() == 0)
            cbo_team_relais_Click();
        else
            cbo_team_relais->setCurrentIndex(0);
    }
}

void frm_engag_relais::Remplir_cbo_equipe_relais()
{
    const QSignalBlocker bloque(cbo_team_relais);
    cbo_team_relais->clear();
    const int n = static_cast<int>(Valeur_numerique(txt_nb_equipe->text()));
    for (int k = 1; k <= n; ++k)
        cbo_team_relais->addItem("Equipe " + QString::number(k));
    cbo_team_relais->setCurrentIndex(-1);
}

void frm_engag_relais::cbo_team_relais_Click()
{
    const int index = cbo_team_relais->currentIndex();
    if (index < 0 || index == m_indexRelais)
        return;
    if (!Sauver_composition_relais(m_indexRelais)) {
        const QSignalBlocker bloque(cbo_team_relais);
        cbo_team_relais->setCurrentIndex(m_indexRelais == 100 ? -1 : m_indexRelais);
        return;
    }
    m_indexRelais = index;
    Afficher_composition_relais(index + 1);
    Maj_controles_relais();
}

void frm_engag_relais::Charger_nageurs_equipe()
{
    QString sql;
    if (bClubSelection)
        sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Club.Intitule, Licence.Num "
              "FROM Club Club, Licence Licence, Engag_nageur Engag_nageur "
              "WHERE Club.Code_federal = Licence.Code_Club AND ";
    else
        sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Num "
              "FROM Licence Licence, Engag_nageur WHERE ";
    QString mixte;
    QString clause = Get_clause_equipe(m_numEquipe, m_sexeEquipe, mixte, "Engag_nageur.");
    clause.replace("Engag_nageur.Num_equipe", "Engag_nageur.Equipe");
    clause.replace("Engag_nageur.Equipe_mixte", "Engag_nageur.Equipe_m");
    sql += "Licence.Num = Engag_nageur.Num_Lic AND Engag_nageur.Num_compet = " + m_strNumCompet
           + " AND Engag_nageur.Num_profil = " + strNumProfil + clause;
    if (!m_sexeListe.isEmpty())
        sql += " and Licence.Sexe = '" + m_sexeListe + "'";
    sql += " ORDER BY Licence.Nom, Licence.Prenom";
    if (bClubSelection)
        Remplir_listes(sql, {lsv_engag, Lsv_engag_num}, {{0, 1, 2, 3}, {4}}, QString());
    else
        Remplir_listes(sql, {lsv_engag, Lsv_engag_num}, {{0, 1, 2}, {3}}, QString());
    const bool nageurs = Nombre_lignes(lsv_engag) > 0;
    if (nageurs)
        Selectionner_element(lsv_engag, 1);
    else
        Cmd_add[1]->setEnabled(false);
    lsv_engag->setEnabled(nageurs);
    Cmd_add[0]->setEnabled(nageurs);
}

void frm_engag_relais::Afficher_composition_relais(int numRelais)
{
    Afficher_statut("Affichage de la composition du relais en cours");
    lsv_engag_relais->clear();
    Lsv_engag_relais_num->clear();
    QString mixte;
    Executer_requete("select Tps, Licence1, Licence2, Licence3, Licence4, Licence5, Licence6, Licence7, Licence8, "
                     "Licence9, Licence10 from Relais where Num_profil = "
                         + strNumProfil + " and Num_compet = " + m_strNumCompet + " and Code_epreuve = "
                         + codeEvenement() + " and Num_Lic = " + QString::number(numRelais)
                         + Get_clause_equipe(m_numEquipe, m_sexeEquipe, mixte, QString()),
                     false);
    QStringList cles;
    if (colResultat.Count(0) > 0) {
        txt_temps->setText(Format_temps(colResultat.item(0, 1)));
        for (int k = 1; k <= 10; ++k) {
            const QString cle = colResultat.item(k, 1);
            if (!cle.isEmpty() && cle != strNumLicenceNulle)
                cles << cle;
        }
    }
    Liberer_resultat();
    for (const QString& cle : cles) {
        QString sql;
        if (bClubSelection) {
            QString tables, jointure;
            Get_jointure_selection(tables, jointure);
            sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Club.Intitule FROM " + tables + "WHERE "
                  + jointure + "and Selection.Visible = true and Licence.Visible = true and Selection.Num_Lic = " + cle;
        } else {
            sql = "SELECT Nom, Prenom, Licence FROM Licence WHERE Visible = true AND Num = " + cle;
        }
        Executer_requete(sql, false);
        // A swimmer deleted since is no longer shown, and the next save drops him.
        if (colResultat.Count(0) > 0) {
            QStringList colonnes{colResultat.item(0, 1), colResultat.item(1, 1), colResultat.item(2, 1)};
            if (bClubSelection)
                colonnes << colResultat.item(3, 1);
            Ajouter_ligne(lsv_engag_relais, colonnes);
            Ajouter_ligne(Lsv_engag_relais_num, {cle});
        }
        Liberer_resultat();
    }
    Afficher_statut("");
}

bool frm_engag_relais::Sauver_composition_relais(int index)
{
    if (index == 100)
        return true;
    return Garder(ErreurComposition, [&] {
        Afficher_statut("Sauvegarde de la composition du relais en cours");
        QString sql = "Update Relais Set";
        if (Valeur_numerique(txt_temps->text()) > 99.9999)
            txt_temps->setText("0.0000");
        // The box may hold a half-typed time ("12."): what is written is always a number.
        if (!txt_temps->text().isEmpty())
            sql += " Tps = " + Format_temps(txt_temps->text()) + ",";
        const int jambes = Nombre_lignes(Lsv_engag_relais_num);
        for (int k = 1; k <= 10; ++k)
            sql += " Licence" + QString::number(k) + " = "
                   + (k <= jambes ? Ligne(Lsv_engag_relais_num, k)->text(0) : strNumLicenceNulle) + ",";
        sql.chop(1);
        QString mixte;
        sql += " where Num_profil = " + strNumProfil + " and Num_compet = " + m_strNumCompet
               + " and Code_epreuve = " + codeEvenement() + " and Num_Lic = " + QString::number(index + 1)
               + Get_clause_equipe(m_numEquipe, m_sexeEquipe, mixte, QString());
        cnxBase.Execute(sql);
        Afficher_statut("");
    });
}

void frm_engag_relais::ajouterRelayeur()
{
    if (!Cmd_add[0]->isEnabled())
        return;
    const int i = Ligne_courante(lsv_engag);
    QTreeWidgetItem* nageur = Ligne(lsv_engag, i);
    if (!nageur)
        return;
    const int n = Copier_element(lsv_engag, lsv_engag_relais, i);
    Copier_element(Lsv_engag_num, Lsv_engag_relais_num, i);
    lsv_engag_relais->clearSelection();
    Selectionner_element(lsv_engag_relais, n);
    Maj_controles_relais();
}

void frm_engag_relais::retirerRelayeur()
{
    if (!Cmd_add[1]->isEnabled())
        return;
    const int i = Ligne_courante(lsv_engag_relais);
    if (i < 1)
        return;
    delete lsv_engag_relais->takeTopLevelItem(i - 1);
    delete Lsv_engag_relais_num->takeTopLevelItem(i - 1);
    const int n = Nombre_lignes(lsv_engag_relais);
    if (n > 0)
        Selectionner_element(lsv_engag_relais, std::min(i, n));
    Maj_controles_relais();
}

void frm_engag_relais::Maj_controles_relais()
{
    const int jambes = Nombre_lignes(lsv_engag_relais);
    const int nageurs = Nombre_lignes(lsv_engag);
    const int nbNageurs = static_cast<int>(Valeur_numerique(infoEvenement(1)));
    const bool ajout = nageurs >= 1 && nbNageurs > jambes;
    const bool retrait = jambes >= 1 && nageurs >= 1;
    Fixer_enabled({Cmd_add[0], lsv_engag}, ajout);
    Fixer_enabled({Cmd_add[1], cmd_plus, cmd_moins, lsv_engag_relais}, retrait);
    Cmd_CalTps->setEnabled(nageurs >= 1 && !ajout);
}

void frm_engag_relais::calculerTemps()
{
    QStringList cles, noms;
    for (int k = 1; k <= Nombre_lignes(Lsv_engag_relais_num); ++k) {
        cles << Ligne(Lsv_engag_relais_num, k)->text(0);
        noms << Ligne(lsv_engag_relais, k)->text(0) + " " + Ligne(lsv_engag_relais, k)->text(1);
    }
    const QListWidgetItem* evenement = Lst_relais_engag->currentItem();
    if (!evenement)
        return;
    Garder("Une erreur s'est produite lors du calcul du temps d'engagement.", [&] {
        const TempsRelaisCalcule calcul = Calculer_temps_relais(evenement->text(), cles, noms, m_longueurBassin);
        if (!calcul.reconnu)
            Afficher_erreur("Impossible de calculer le temps d'engagement : les distances ou les nages de ce "
                            "relais ne sont pas reconnues.");
        else if (!calcul.manquants.isEmpty())
            Afficher_erreur(Message_temps_relais_impossible(calcul.manquants));
        else
            txt_temps->setText(calcul.temps);
    });
}

void frm_engag_relais::ouvrirCalculatrice()
{
    if (Fenetre_deja_ouverte(m_calculatrice, true))
        return;
    QWidget* cadre = Cadre_fenetre(this);
    const QPoint position = cadre->pos() + Cmd_AffichCalTps->mapTo(this, QPoint(0, 0));
    Garder("Une erreur s'est produite lors de l'ouverture de la calculatrice de temps.", [&] {
        Ouvrir_calculatrice_temps(m_calculatrice, position.x() * 15 + 1000, position.y() * 15 + 1000, this);
    });
}

void frm_engag_relais::ForceUnloadWindowsEngag(const QString&)
{
    m_calculatrice.clear();
}

// ---- Mode switch and height ------------------------------------------------------------------

void frm_engag_relais::basculerMode()
{
    if (!m_composition) {
        prendreNbEquipe();
        if (!Sauver_nb_equipes_relais())
            return;
        Lst_relais->hide();
        Lst_relais_engag->show();
        Cmd[2]->setText("&Sélection");
        txt_nb_equipe->setEnabled(false);
        m_pasHauteur = 200;
        m_composition = true;
    } else {
        if (!Sauver_composition_relais(m_indexRelais))
            return;
        m_indexRelais = 100;
        Lst_relais_engag->hide();
        Lst_relais->show();
        Cmd[2]->setText("&Composition");
        m_pasHauteur = -200;
        txt_nb_equipe->setEnabled(true);
        m_composition = false;
    }
    m_libelleCharge.clear();
    m_sauverNb = false;
    if (cbo_team->currentIndex() >= 0)
        cbo_team_Click();
    m_sauverNb = true;
    fixerTabulation();
    Timer1->start();
}

void frm_engag_relais::fixerTabulation()
{
    Fixer_tabstop({Lst_relais, txt_nb_equipe}, !m_composition);
    Fixer_tabstop({Lst_relais_engag, cbo_team_relais, txt_temps, lsv_engag, lsv_engag_relais, Cmd_add[0],
                   Cmd_add[1], cmd_plus, cmd_moins},
                  m_composition);
}

void frm_engag_relais::Timer1_Timer()
{
    int hauteur = tailleDesign().height() * 15 + m_pasHauteur;
    if (hauteur >= HauteurComposition) {
        hauteur = HauteurComposition;
        Timer1->stop();
    } else if (hauteur <= HauteurSelection) {
        hauteur = HauteurSelection;
        Timer1->stop();
    }
    Fixer_taille_design(LargeurTwips, hauteur);
}

// ---- Keys ------------------------------------------------------------------------------------

bool frm_engag_relais::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        const bool entree = touche == Qt::Key_Return || touche == Qt::Key_Enter;
        if (objet == lsv_engag && entree) {
            ajouterRelayeur();
            return true;
        }
        if (objet == lsv_engag_relais && (entree || touche == Qt::Key_Backspace || touche == Qt::Key_Delete)) {
            retirerRelayeur();
            return true;
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

// ---- Ending ----------------------------------------------------------------------------------

void frm_engag_relais::ok()
{
    // A save that failed keeps the window open: the user may try again or cancel.
    if (m_composition) {
        if (!Sauver_composition_relais(m_indexRelais))
            return;
    } else {
        prendreNbEquipe();
        if (!Sauver_nb_equipes_relais())
            return;
    }
    m_fermeture = true;
    terminerEdition();
    close();
}

void frm_engag_relais::annuler()
{
    if (restaurerCopie())
        close();
}

bool frm_engag_relais::restaurerCopie()
{
    Afficher_statut("Suppression des données temporaires");
    const bool restaure = Copier_relais_table(m_strNumCompet, "Relais_tempo", "Relais");
    Afficher_statut("");
    // Without the rows put back, the work copy is the only trace of them: it is kept, and so is
    // the window, so that the user may cancel again.
    if (!restaure)
        return false;
    m_fermeture = true;
    terminerEdition();
    return true;
}

void frm_engag_relais::terminerEdition()
{
    Garder("Une erreur s'est produite lors de la suppression des données temporaires.",
           [] { Vider_table("Relais_tempo"); });
}

void frm_engag_relais::Decharger_fenetres_filles()
{
    if (m_calculatrice)
        m_calculatrice->close();
}

void frm_engag_relais::closeEvent(QCloseEvent* event)
{
    // Closed by its title bar: the edit is cancelled.
    if (!m_fermeture && !estDecharge() && !restaurerCopie()) {
        event->ignore();
        return;
    }
    FenetreComptee::closeEvent(event);
}

// ---- Opener ----------------------------------------------------------------------------------

void Ouvrir_frm_engag_relais(QPointer<frm_engag_relais>& fenetre, const QString& cleCompet, QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_engag_relais& f) { f.RemplirInfo(cleCompet); });
}

frm_calTps* frm_engag_relais::calculatrice() const
{
    return m_calculatrice;
}
