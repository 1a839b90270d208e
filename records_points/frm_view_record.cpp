#include "records_points/frm_view_record.h"

#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"
#include "records_points/det_categorie_record_club.h"
#include "records_points/imprimer_records.h"
#include "records_points/records_club.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

namespace {

constexpr int NbColonnesRecords = 5;

void Signaler(const std::exception& e, const QString& etape)
{
    Memoriser_erreur(e);
    Afficher_erreur("Une erreur s'est produite lors de " + etape);
}

} // namespace

frm_view_record::frm_view_record(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_view_record");
    setWindowTitle("Records du club");

    LsvNage = Creer_liste_rapport(this, "LsvNage", {"Code Nage", "Libelle"});
    LsvNage->setColumnWidth(0, Twips_en_pixels(1200));
    Lsv_info_relais = Creer_liste_rapport(this, "Lsv_info_relais", {"Nb relayeurs", "Possible 50"});
    Lsv_info_relais->hide();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    SSTab1->addTab(construireVoir(), "Voir");
    SSTab1->addTab(construireModifier(), "Modifier");

    cmd = Creer_bouton(this, "cmd", "&Quitter");
    auto* haut = new QHBoxLayout;
    haut->addWidget(LsvNage, 2);
    haut->addWidget(SSTab1, 5);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(cmd);
    colonne->addLayout(bas);
    Fixer_taille_design(14400, 7800);

    connect(cmd, &QPushButton::clicked, this, &QWidget::close);
    connect(SSTab1, &QTabWidget::currentChanged, this, &frm_view_record::changerOnglet);
    connect(LsvNage, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* ligne, int colonne) {
        if (colonne == 0 && !m_cocheEnCours)
            epreuveCochee(Index_ligne(LsvNage, ligne));
    });
    connect(LsvNage, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* ligne) {
        if (SSTab1->currentIndex() == 1)
            cocher(Index_ligne(LsvNage, ligne), true);
    });
    connect(LsvNage, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* ligne) { cocher(Index_ligne(LsvNage, ligne), true); });

    chargerEpreuves();
    Activer_saisie_record(false);
}

QWidget* frm_view_record::construireVoir()
{
    auto* page = new QWidget(this);
    lsvRecords = Creer_liste_rapport(page, "lsvRecords", {"Catégorie", "Nom", "Tps", "Date", "Lieu"});
    const int largeurs[NbColonnesRecords] = {1035, 3000, 870, 1305, 2100};
    for (int c = 0; c < NbColonnesRecords; ++c)
        lsvRecords->setColumnWidth(c, Twips_en_pixels(largeurs[c]));
    Cbo_search = new QComboBox(page);
    Cbo_search->setObjectName("Cbo_search");
    static const char* const legendes[4] = {"Voir", "Imprimer", "Exporter", "Effacer"};
    for (int i = 0; i < 4; ++i)
        Cmd_view[i] = Creer_bouton(page, QString("Cmd_view_%1").arg(i), QString::fromUtf8(legendes[i]));
    Chk_histo = new QCheckBox("Historique complet", page);
    Chk_histo->setObjectName("Chk_histo");
    Chk_relayeur = new QCheckBox("Afficher les relayeurs", page);
    Chk_relayeur->setObjectName("Chk_relayeur");
    auto* bassins = new QGroupBox("Type bassin", page);
    auto* rangeeBassins = new QHBoxLayout(bassins);
    static const char* const legendesBassin[3] = {"25 m", "50 m", "Tous bassins"};
    for (int i = 0; i < 3; ++i) {
        Opt_view_bassin[i] = new QRadioButton(QString::fromUtf8(legendesBassin[i]), bassins);
        Opt_view_bassin[i]->setObjectName(QString("Opt_view_bassin_%1").arg(i));
        rangeeBassins->addWidget(Opt_view_bassin[i]);
    }
    Opt_view_bassin[1]->setChecked(true);
    progress = new QProgressBar(page);
    progress->setObjectName("progress");
    progress->setRange(0, 100);
    LblWait = new QLabel("Recherche des records en cours", page);
    LblWait->setObjectName("LblWait");
    LblWait->setAlignment(Qt::AlignCenter);

    auto* colonne = new QVBoxLayout(page);
    auto* recherche = new QHBoxLayout;
    recherche->addWidget(new QLabel("Epreuve :", page));
    recherche->addWidget(Cbo_search, 1);
    colonne->addLayout(recherche);
    colonne->addWidget(lsvRecords, 1);
    colonne->addWidget(LblWait);
    colonne->addWidget(progress);
    auto* options = new QHBoxLayout;
    auto* cases = new QVBoxLayout;
    cases->addWidget(Chk_histo);
    cases->addWidget(Chk_relayeur);
    options->addLayout(cases);
    options->addWidget(bassins);
    options->addStretch(1);
    colonne->addLayout(options);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    for (QPushButton* b : Cmd_view)
        boutons->addWidget(b);
    colonne->addLayout(boutons);
    Afficher_attente(false);
    Fixer_enabled({Cbo_search, Cmd_view[1], Cmd_view[2], Cmd_view[3]}, false);

    connect(Cmd_view[0], &QPushButton::clicked, this, &frm_view_record::Afficher_records);
    connect(Cmd_view[1], &QPushButton::clicked, this, &frm_view_record::imprimer);
    connect(Cmd_view[2], &QPushButton::clicked, this, &frm_view_record::exporter);
    connect(Cmd_view[3], &QPushButton::clicked, this, &frm_view_record::effacer);
    connect(Cbo_search, &QComboBox::activated, this, &frm_view_record::chercher);
    return page;
}

QWidget* frm_view_record::construireModifier()
{
    auto* page = new QWidget(this);
    Cbo_cat = new QComboBox(page);
    Cbo_cat->setObjectName("Cbo_cat");
    for (int i = 0; i < 8; ++i) {
        txt_info[i] = new QLineEdit(page);
        txt_info[i]->setObjectName(QString("txt_info_%1").arg(i));
    }
    for (int i : {0, 1, 6, 7})
        Installer_selection_au_focus(txt_info[i]);
    Brancher_boite_temps(txt_info[2]);
    static const char* const bulles[3] = {"JJ", "MM", "AAAA"};
    for (int k = 0; k < 3; ++k) {
        QLineEdit* boite = txt_info[3 + k];
        boite->setFixedWidth(boite->fontMetrics().horizontalAdvance(k == 2 ? "00000" : "000") + 14);
        boite->setPlaceholderText(QString::fromUtf8(bulles[k]));
    }
    Cmd_Date = Creer_bouton(page, "Cmd_Date", "...");
    Cmd_Date->setToolTip("Sélection d'une date");
    Cmd_Date->setFixedWidth(Cmd_Date->fontMetrics().horizontalAdvance("...") + 18);
    Brancher_boites_date(txt_info[3], txt_info[4], txt_info[5], bControleDate, Cmd_Date);

    auto* bassins = new QGroupBox("Type bassin", page);
    auto* rangeeBassins = new QHBoxLayout(bassins);
    for (int i = 0; i < 2; ++i) {
        Opt_bassin[i] = new QRadioButton(i == 0 ? "25 m" : "50 m", bassins);
        Opt_bassin[i]->setObjectName(QString("Opt_bassin_%1").arg(i));
        rangeeBassins->addWidget(Opt_bassin[i]);
        // Clicking the pool already shown must not throw away what is being typed.
        connect(Opt_bassin[i], &QRadioButton::clicked, this, [this] {
            if (bassinSaisie() != m_bassinCharge)
                Charger_record_courant();
        });
    }
    rangeeBassins->addStretch(1);
    Opt_bassin[1]->setChecked(true);

    auto* relais = new QGroupBox("Relais", page);
    Cmd_add[0] = Creer_bouton(relais, "Cmd_add_0", "Ajouter à la composition");
    Cmd_add[1] = Creer_bouton(relais, "Cmd_add_1", "Supprimer de la composition");
    cmd_plus = Creer_bouton(relais, "cmd_plus", "\u25B2");
    cmd_moins = Creer_bouton(relais, "cmd_moins", "\u25BC");
    lsv_relais = Creer_liste_rapport(relais, "lsv_relais", {"Nom"});
    auto* grilleRelais = new QGridLayout(relais);
    grilleRelais->addWidget(new QLabel("Nom relayeur :", relais), 0, 0);
    grilleRelais->addWidget(txt_info[7], 0, 1);
    grilleRelais->addWidget(Cmd_add[0], 1, 0, 1, 2);
    grilleRelais->addWidget(Cmd_add[1], 2, 0, 1, 2);
    grilleRelais->addWidget(lsv_relais, 0, 2, 4, 1);
    auto* fleches = new QVBoxLayout;
    fleches->addWidget(cmd_plus);
    fleches->addWidget(cmd_moins);
    fleches->addStretch(1);
    grilleRelais->addLayout(fleches, 0, 3, 4, 1);
    txt_info[7]->installEventFilter(this);
    // The name typed, Tab reaches the buttons that add it before the list beside it.
    Tabuler_apres(Cmd_add[0], txt_info[7]);
    Tabuler_apres(Cmd_add[1], Cmd_add[0]);

    static const char* const legendesDef[4] = {"&Modifier", "&Insérer", "&Remplacer", "&Annuler"};
    for (int i = 0; i < 4; ++i)
        Cmd_def[i] = Creer_bouton(page, QString("Cmd_def_%1").arg(i), QString::fromUtf8(legendesDef[i]));

    auto* form = new QFormLayout;
    form->addRow("Catégorie :", Cbo_cat);
    form->addRow("Nom :", txt_info[0]);
    form->addRow("Prénom :", txt_info[1]);
    txt_info[2]->setMaximumWidth(txt_info[2]->fontMetrics().horizontalAdvance("000.0000") + 14);
    form->addRow("Tps réalisé :", txt_info[2]);
    auto* date = new QHBoxLayout;
    date->addWidget(txt_info[3]);
    date->addWidget(new QLabel("/", page));
    date->addWidget(txt_info[4]);
    date->addWidget(new QLabel("/", page));
    date->addWidget(txt_info[5]);
    date->addWidget(Cmd_Date);
    date->addStretch(1);
    form->addRow("Date de la performance :", date);
    form->addRow("Lieu de la performance :", txt_info[6]);
    form->addRow(bassins);
    auto* colonne = new QVBoxLayout(page);
    colonne->addLayout(form);
    colonne->addWidget(relais, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    for (QPushButton* b : Cmd_def)
        boutons->addWidget(b);
    colonne->addLayout(boutons);

    connect(Cbo_cat, &QComboBox::activated, this, &frm_view_record::choisirCategorie);
    connect(Cmd_def[0], &QPushButton::clicked, this, [this] {
        m_placeEditee = m_placeCourante;
        Activer_saisie_record(true);
    });
    connect(Cmd_def[1], &QPushButton::clicked, this, [this] { enregistrer(1); });
    connect(Cmd_def[2], &QPushButton::clicked, this, [this] { enregistrer(2); });
    connect(Cmd_def[3], &QPushButton::clicked, this, &frm_view_record::annuler);
    connect(Cmd_add[0], &QPushButton::clicked, this, &frm_view_record::ajouterRelayeur);
    connect(Cmd_add[1], &QPushButton::clicked, this, &frm_view_record::retirerRelayeur);
    connect(cmd_plus, &QPushButton::clicked, this, [this] { Deplacer_elements(lsv_relais, 1, -1); });
    connect(cmd_moins, &QPushButton::clicked, this,
            [this] { Deplacer_elements(lsv_relais, Nombre_lignes(lsv_relais), 1); });
    return page;
}

VerrousMenus frm_view_record::Verrous()
{
    // Both record windows lock both record menus: only one of them is open at a time.
    return det_categorie_record_club::Verrous();
}

void frm_view_record::chargerEpreuves()
{
    Afficher_statut("Chargement de la liste des épreuves");
    Executer_requete("SELECT Code_Nage, Libelle, Nb_nageurs, Possible_50 from Nage "
                     "ORDER BY Mixte DESC, Sexe, Nb_nageurs, Code_nage",
                     false);
    m_cocheEnCours = true;
    for (int i = 1; i <= colResultat.nbLignes(); ++i) {
        QTreeWidgetItem* ligne = Ajouter_ligne(LsvNage, {colResultat.item(0, i), colResultat.item(1, i)});
        ligne->setFlags(ligne->flags() | Qt::ItemIsUserCheckable);
        ligne->setCheckState(0, Qt::Unchecked);
        Ajouter_ligne(Lsv_info_relais, {colResultat.item(2, i),
                                        Texte_en_booleen(colResultat.item(3, i)) ? QString("X") : QString()});
    }
    m_cocheEnCours = false;
    Liberer_resultat();
    if (Nombre_lignes(LsvNage) > 0)
        Selectionner_element(LsvNage, 1);
    Afficher_statut(QString());
}

int frm_view_record::nbNageurs(int place) const
{
    const QTreeWidgetItem* l = Ligne(Lsv_info_relais, place);
    return l ? l->text(0).toInt() : 0;
}

int frm_view_record::codeNage(int place) const
{
    const QTreeWidgetItem* l = Ligne(LsvNage, place);
    return l ? l->text(0).toInt() : 0;
}

QString frm_view_record::bassinSaisie() const
{
    return Opt_bassin[0]->isChecked() ? QStringLiteral("25") : QStringLiteral("50");
}

void frm_view_record::cocher(int place, bool coche)
{
    QTreeWidgetItem* l = Ligne(LsvNage, place);
    if (!l)
        return;
    m_cocheEnCours = true;
    l->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
    m_cocheEnCours = false;
    epreuveCochee(place);
}

void frm_view_record::epreuveCochee(int place)
{
    QTreeWidgetItem* l = Ligne(LsvNage, place);
    if (!l)
        return;
    LsvNage->setCurrentItem(l);
    if (SSTab1->currentIndex() == 1) {
        m_cocheEnCours = true;
        if (m_placeCourante != place) {
            if (QTreeWidgetItem* precedente = Ligne(LsvNage, m_placeCourante))
                precedente->setCheckState(0, Qt::Unchecked);
        }
        m_cocheEnCours = false;
        const QTreeWidgetItem* info = Ligne(Lsv_info_relais, place);
        const bool possible50 = info && info->text(1) == "X";
        Opt_bassin[1]->setEnabled(possible50);
        if (!possible50)
            Opt_bassin[0]->setChecked(true);
        m_placeCourante = place;
        try {
            if (!Charger_categories_epreuve())
                Charger_record_courant();
        } catch (const std::exception& e) {
            Signaler(e, "l'affichage des records.");
        }
        m_cocheEnCours = true;
        l->setCheckState(0, Qt::Checked);
        m_cocheEnCours = false;
    }
    m_placeCourante = place;
}

void frm_view_record::changerOnglet(int onglet)
{
    Fixer_tabstop({Opt_view_bassin[0], Opt_view_bassin[1], Opt_view_bassin[2]}, onglet != 1);
    Fixer_tabstop({Opt_bassin[0], Opt_bassin[1], Cmd_add[0], Cmd_add[1], cmd_plus, cmd_moins, lsv_relais, txt_info[7]},
                  onglet != 0);
    if (onglet == 0) {
        LsvNage->setEnabled(true);
        return;
    }
    m_cocheEnCours = true;
    Cocher_tous(LsvNage, false);
    m_cocheEnCours = false;
    // Locked only while a record is edited: an event without categories must not trap the user.
    LsvNage->setEnabled(!m_enSaisie);
    if (m_placeCourante < 1 || m_placeCourante > Nombre_lignes(LsvNage))
        m_placeCourante = 1;
    const bool enSaisie = m_enSaisie;
    const int place = enSaisie ? m_placeEditee : m_placeCourante;
    QTreeWidgetItem* l = Ligne(LsvNage, place);
    if (!l)
        return;
    if (enSaisie) {
        m_cocheEnCours = true;
        l->setCheckState(0, Qt::Checked);
        m_cocheEnCours = false;
    } else {
        // Treated as a fresh tick, so that its categories and record are shown.
        m_placeCourante = -1;
        cocher(place, true);
    }
    Selectionner_element(LsvNage, place);
}

bool frm_view_record::Charger_categories_epreuve()
{
    const int code = codeNage(m_placeCourante);
    const auto sexes = Lignes_requete_liee("select Sexe from Nage where Code_Nage = ?", {code});
    const QString sexe = sexes.isEmpty() ? QString() : sexes[0][0].trimmed();
    if (m_sexeCategories && *m_sexeCategories == sexe)
        return false;
    Cbo_cat->clear();
    m_clesCategories.clear();
    m_sexeCategories = sexe;
    QString mot = sexe;
    if (sexe.isEmpty())
        mot = "Mixte";
    else if (sexe == "F")
        mot = "Femme";
    else if (sexe == "M")
        mot = "Homme";
    const auto categories = Lignes_requete_liee(
        "SELECT Libelle, Num_cat FROM Categori_record_club Where Code_Club = ? and Sexe = ?", {strCodeClub, mot});
    for (const QStringList& c : categories) {
        Cbo_cat->addItem(c[0]);
        m_clesCategories << c[1];
    }
    m_libelleCategorie.clear();
    const bool remplie = Cbo_cat->count() > 0;
    if (remplie) {
        Cbo_cat->setCurrentIndex(0);
        choisirCategorie();
    } else {
        // No category for this sex: nothing of the previous event's record stays shown.
        Charger_record_courant();
    }
    Cbo_cat->setEnabled(remplie);
    Cmd_def[0]->setEnabled(remplie);
    return true;
}

void frm_view_record::choisirCategorie()
{
    if (Cbo_cat->currentText() == m_libelleCategorie)
        return;
    m_libelleCategorie = Cbo_cat->currentText();
    try {
        Charger_record_courant();
    } catch (const std::exception& e) {
        Signaler(e, "l'affichage des records.");
    }
}

void frm_view_record::Charger_record_courant()
{
    m_bassinCharge = bassinSaisie();
    lsv_relais->clear();
    const auto vider = [this] {
        Vider_textes({txt_info[0], txt_info[1], txt_info[2], txt_info[3], txt_info[4], txt_info[5], txt_info[6]});
        m_cleRecordCourant.clear();
    };
    bControleDate = false;
    if (Cbo_cat->count() == 0) {
        vider();
        bControleDate = true;
        return;
    }
    const auto records = Records_categorie(strCodeClub, m_libelleCategorie, codeNage(m_placeCourante),
                                           bassinSaisie().toInt());
    if (records.isEmpty()) {
        vider();
    } else {
        const QStringList& r = records.first();
        txt_info[0]->setText(r[2]);
        txt_info[1]->setText(r[3]);
        txt_info[2]->setText(Format_temps(r[1]));
        txt_info[3]->setText(r[4].mid(6));
        txt_info[4]->setText(r[4].mid(4, 2));
        txt_info[5]->setText(r[4].left(4));
        txt_info[6]->setText(r[5]);
        const int n = nbNageurs(m_placeCourante);
        if (n >= 2) {
            for (int leg = 0; leg < n && leg < NbRelayeurs; ++leg)
                Ajouter_ligne(lsv_relais, {r[6 + leg]});
        }
        m_cleRecordCourant = r[0];
    }
    bControleDate = true;
}

bool frm_view_record::Verifier_saisie_record()
{
    QStringList manquantes;
    if (txt_info[0]->text().trimmed().isEmpty())
        manquantes << "Nom du détenteur";
    if (Valeur_numerique(txt_info[2]->text()) == 0)
        manquantes << "Temps réalisé";
    if (!Date_valide(txt_info[5]->text(), txt_info[4]->text(), txt_info[3]->text()))
        manquantes << "Date de le performance";
    if (manquantes.isEmpty())
        return true;
    const QString debut = manquantes.size() == 1 ? QString("la donnée suivante est manquante : ")
                                                 : QString("les données suivantes sont manquantes : ");
    Afficher_erreur("Impossible d'enregistrer le record car " + debut + "\n" + manquantes.join("\n"));
    return false;
}

bool frm_view_record::Controler_record_precedent(int rang, const QString& tps, const QString& date)
{
    if (Record_precedent_respecte(strCodeClub, m_libelleCategorie, codeNage(m_placeCourante),
                                  bassinSaisie().toInt(), rang, tps, date))
        return true;
    Afficher_erreur("Impossible d'enregistrer ce record. Il faut que :\n"
                    "- Le temps soit inférieur ou égal à celui du précédent record\n"
                    "- La date de la performance soit le même jour ou après celle du précédent record.");
    return false;
}

void frm_view_record::enregistrer(int rang)
{
    if (!Verifier_saisie_record())
        return;
    QString mois = txt_info[4]->text();
    QString jour = txt_info[3]->text();
    RecordSaisi record;
    record.date = Composer_date(txt_info[5]->text(), mois, jour);
    // The box's text is normalised even when a shortcut saved it before it lost the focus.
    record.tps = Format_temps(txt_info[2]->text());
    record.nom = txt_info[0]->text();
    record.prenom = txt_info[1]->text();
    record.lieu = txt_info[6]->text();
    for (int i = 1; i <= Nombre_lignes(lsv_relais); ++i)
        record.relayeurs << Ligne(lsv_relais, i)->text(0);
    try {
        if (!Controler_record_precedent(rang, record.tps, record.date))
            return;
        if (rang == 2 && !m_cleRecordCourant.isEmpty()) {
            Enregistrer_record(m_cleRecordCourant, record);
        } else {
            const int index = Cbo_cat->currentIndex();
            if (index < 0 || index >= m_clesCategories.size())
                return;
            m_cleRecordCourant = Inserer_record(m_clesCategories[index].toLongLong(), codeNage(m_placeCourante),
                                                bassinSaisie().toInt(), record);
        }
    } catch (const std::exception& e) {
        Signaler(e, "l'enregistrement du record.");
        return;
    }
    Activer_saisie_record(false);
    txt_info[2]->setText(record.tps);
}

void frm_view_record::annuler()
{
    try {
        Charger_record_courant();
    } catch (const std::exception& e) {
        Signaler(e, "l'affichage des records.");
    }
    Activer_saisie_record(false);
}

void frm_view_record::Activer_saisie_record(bool b)
{
    m_enSaisie = b;
    for (int i = 0; i < 8; ++i)
        txt_info[i]->setReadOnly(!b);
    Cmd_def[0]->setEnabled(!b && Cbo_cat->count() > 0);
    Fixer_enabled({Cmd_def[1], Cmd_def[2], Cmd_def[3], Cmd_Date}, b);
    Fixer_enabled({LsvNage, Cbo_cat}, !b);
    if (!b)
        Cbo_cat->setEnabled(Cbo_cat->count() > 0);
    if (b)
        Maj_boutons_relais();
    else
        Fixer_enabled({Cmd_add[0], Cmd_add[1], cmd_plus, cmd_moins, txt_info[7]}, false);
}

void frm_view_record::Maj_boutons_relais()
{
    const int n = nbNageurs(m_placeCourante);
    const int c = Nombre_lignes(lsv_relais);
    if (c > 0) {
        Fixer_enabled({Cmd_add[0], txt_info[7]}, n > c);
        Fixer_enabled({Cmd_add[1], cmd_plus, cmd_moins, lsv_relais}, true);
    } else if (n <= 1) {
        Fixer_enabled({Cmd_add[0], Cmd_add[1], cmd_plus, cmd_moins, txt_info[7]}, false);
    } else {
        Fixer_enabled({Cmd_add[0], txt_info[7]}, true);
        Fixer_enabled({Cmd_add[1], cmd_plus, cmd_moins, lsv_relais}, false);
    }
}

void frm_view_record::ajouterRelayeur()
{
    const QString nom = txt_info[7]->text().trimmed();
    if (nom.isEmpty())
        return;
    Ajouter_ligne(lsv_relais, {nom});
    Selectionner_element(lsv_relais, Nombre_lignes(lsv_relais));
    txt_info[7]->clear();
    Maj_boutons_relais();
    if (txt_info[7]->isEnabled())
        txt_info[7]->setFocus();
}

void frm_view_record::retirerRelayeur()
{
    const int ligne = Ligne_courante(lsv_relais);
    if (ligne < 1)
        return;
    delete lsv_relais->takeTopLevelItem(ligne - 1);
    if (Nombre_lignes(lsv_relais) > 0)
        Selectionner_element(lsv_relais, 1);
    Maj_boutons_relais();
}

// ---- Tab "Voir" ----------------------------------------------------------------------------

void frm_view_record::Ajouter_ligne_record(const QString& texte)
{
    QStringList colonnes(lsvRecords->columnCount(), QStringLiteral(" "));
    colonnes[1] = texte.isEmpty() ? QStringLiteral(" ") : texte;
    Ajouter_ligne(lsvRecords, colonnes);
}

void frm_view_record::Afficher_attente(bool b)
{
    progress->setVisible(b);
    LblWait->setVisible(b);
    lsvRecords->setVisible(!b);
}

void frm_view_record::Afficher_records()
{
    CurseurOccupe occupe;
    try {
        m_bassinVue = Opt_view_bassin[0]->isChecked() ? "25" : Opt_view_bassin[1]->isChecked() ? "50" : "";
        const bool relayeurs = Chk_relayeur->isChecked();
        if (relayeurs && lsvRecords->columnCount() == NbColonnesRecords) {
            QStringList titres;
            for (int c = 0; c < NbColonnesRecords; ++c)
                titres << lsvRecords->headerItem()->text(c);
            for (int i = 1; i <= NbRelayeurs; ++i)
                titres << QString("Rel %1").arg(i);
            lsvRecords->setHeaderLabels(titres);
            for (int c = NbColonnesRecords; c < titres.size(); ++c)
                lsvRecords->setColumnWidth(c, Twips_en_pixels(1500));
        } else if (!relayeurs) {
            lsvRecords->setColumnCount(NbColonnesRecords);
        }
        lsvRecords->clear();
        Cbo_search->clear();

        const int coches = Nombre_coches(LsvNage);
        if (coches > 0) {
            progress->setValue(0);
            Afficher_attente(true);
            repaint();
            const double pas = 100.0 / coches;
            const bool historique = Chk_histo->isChecked();
            const bool tousBassins = m_bassinVue.isEmpty();
            for (int place = 1; place <= Nombre_lignes(LsvNage); ++place) {
                const QTreeWidgetItem* epreuve = Ligne(LsvNage, place);
                if (epreuve->checkState(0) != Qt::Checked)
                    continue;
                Ajouter_ligne_record(" ");
                Ajouter_ligne_record(" ");
                Ajouter_ligne_record(epreuve->text(1));
                Ajouter_ligne_record(" ");
                Cbo_search->addItem(epreuve->text(1));
                QString sql = "SELECT Categori_record_club.Libelle, RecordClub.Nom, RecordClub.Prenom, RecordClub.Tps, "
                              "RecordClub.Date_perf, RecordClub.Lieu, Rel1, Rel2, Rel3, Rel4, Rel5, Rel6, Rel7, Rel8, "
                              "Rel9, Rel10 FROM Categori_record_club Categori_record_club, RecordClub RecordClub "
                              "WHERE Categori_record_club.Num_cat = RecordClub.Categorie "
                              "AND Categori_record_club.Code_Club = ? AND RecordClub.Code_nage = ?";
                QVariantList valeurs = {strCodeClub, epreuve->text(0).toInt()};
                if (!tousBassins) {
                    sql += " AND RecordClub.Bassin = ?";
                    valeurs << m_bassinVue.toInt();
                }
                // A time that cannot be swum (negative) is never a category's record: only the
                // history lists it, after the real ones.
                if (!historique)
                    sql += " AND RecordClub.Tps >= 0";
                sql += " ORDER BY Categori_record_club.Num_cat, RecordClub.Tps < 0, RecordClub.Tps, RecordClub.Date_perf";
                QString dernierLibelle;
                QString dernierTemps;
                QString plusAncienne;
                for (const QStringList& r : Lignes_requete_liee(sql, valeurs)) {
                    const QString& libelle = r[0];
                    const bool nouvelle = libelle != dernierLibelle;
                    if (!historique && !nouvelle && r[3] != dernierTemps)
                        continue;
                    dernierTemps = r[3];
                    QString premiere;
                    if (nouvelle) {
                        premiere = libelle;
                        dernierLibelle = libelle;
                        plusAncienne = "99999999";
                    }
                    // Over both pools a swim only counts when no faster one came before it.
                    if (tousBassins && r[4] > plusAncienne)
                        continue;
                    plusAncienne = r[4];
                    QStringList colonnes = {premiere, r[1] + " " + r[2], Temps_affichage(r[3]), Date_en_texte(r[4]),
                                            r[5]};
                    if (relayeurs)
                        colonnes << r.mid(6, NbRelayeurs);
                    Ajouter_ligne(lsvRecords, colonnes);
                }
                Avancer_progression(progress, pas);
            }
            Afficher_attente(false);
        }
        if (Cbo_search->count() > 0) {
            delete lsvRecords->takeTopLevelItem(0);
            delete lsvRecords->takeTopLevelItem(0);
            Cbo_search->setCurrentIndex(0);
        }
        Fixer_enabled({Cbo_search, Cmd_view[1], Cmd_view[2], Cmd_view[3]}, Cbo_search->count() > 0);
    } catch (const std::exception& e) {
        Afficher_attente(false);
        Signaler(e, "l'affichage des records.");
    }
}

void frm_view_record::chercher()
{
    const int i = Chercher_element(Cbo_search->currentText(), lsvRecords, 0, 1, 1);
    if (i > 0)
        Afficher_element(lsvRecords, i);
}

void frm_view_record::effacer()
{
    try {
        m_cocheEnCours = true;
        Cocher_tous(LsvNage, false);
        m_cocheEnCours = false;
    } catch (const std::exception& e) {
        m_cocheEnCours = false;
        Signaler(e, "l'effacement des données.");
        return;
    }
    Afficher_records();
}

void frm_view_record::imprimer()
{
    QPrinter imprimante(QPrinter::HighResolution);
    try {
        if (!Choisir_imprimante(imprimante))
            return;
    } catch (const std::exception& e) {
        Signaler(e, "la sélection de l'imprimante.");
        return;
    }
    try {
        CurseurOccupe occupe;
        Afficher_statut("Impression des records");
        Imprimer_records(lsvRecords, m_bassinVue, QString(), true, &imprimante);
    } catch (const std::exception& e) {
        Signaler(e, "Impression des records.");
    }
    Afficher_statut(QString());
}

void frm_view_record::exporter()
{
    FichierChoisi choix;
    try {
        choix = Choisir_fichier("Exporter résultats",
                                "Fichier texte séparateur tabulation (*.txt)|*.txt|Fichier texte enrichi (*.rtf)|*.rtf",
                                false, "Exporter");
    } catch (const std::exception& e) {
        Signaler(e, "la sélection du fichier destination.");
        return;
    }
    if (choix.annule())
        return;
    try {
        CurseurOccupe occupe;
        Afficher_statut("Export des records");
        if (choix.indexFiltre == 1)
            Exporter_liste(choix.chemin, lsvRecords,
                           m_bassinVue.isEmpty() ? QString("Records tous bassins")
                                                 : "Records en bassin de " + m_bassinVue + " mètres");
        else
            Imprimer_records(lsvRecords, m_bassinVue, choix.chemin, false, nullptr);
    } catch (const std::exception& e) {
        Signaler(e, "l'export des records.");
    }
    Afficher_statut(QString());
}

bool frm_view_record::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == txt_info[7] && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            if (Cmd_add[0]->isEnabled())
                ajouterRelayeur();
            return true;
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Ouvrir_frm_view_record(QPointer<frm_view_record>& fenetre)
{
    Ouverture o;
    o.verrous = frm_view_record::Verrous();
    Ouvrir_fenetre(fenetre, o);
}
