#include "clubs_licences/det_licence.h"

#include "clubs_licences/frm_liste_club.h"
#include "clubs_licences/frm_liste_pays.h"
#include "clubs_licences/licences.h"
#include "clubs_licences/saison.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

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
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The date groups and the controls reachable by Tab only while their tab is shown.
constexpr int basesDates[4] = {0, 10, 20, 30};

QString Affiliation(const QCheckBox* c)
{
    return c->isChecked() ? QStringLiteral("O") : QString();
}

QString Date_groupe(const QMap<int, QLineEdit*>& boites, int base, bool bToujours)
{
    QString jour = boites.value(base)->text();
    QString mois = boites.value(base + 1)->text();
    const QString annee = boites.value(base + 2)->text();
    if (!bToujours && !Date_valide(annee, mois, jour))
        return QString();
    return Composer_date(annee, mois, jour);
}

// An optional date typed in part would be stored as no date at all, and one that is no day (year
// 0, 29 February 1900) as a date the licence exchange refuses: either is refused with its message
// instead, its tab shown, and the window keeps what was typed.
bool Dates_facultatives_entieres(const QMap<int, QLineEdit*>& boites, QTabWidget* onglets)
{
    static const struct {
        int base;
        int onglet;
        const char* message;
    } dates[] = {{10, 1, "Date de dépôt invalide."},
                 {20, 1, "Date d'oblitération invalide."},
                 {30, 2, "Date du contrôle médical invalide."}};
    for (const auto& date : dates) {
        // A selection profile has no medical check to type.
        if (!boites.value(date.base)->isEnabled())
            continue;
        QString jour = boites.value(date.base)->text();
        QString mois = boites.value(date.base + 1)->text();
        const QString annee = boites.value(date.base + 2)->text();
        // Whole, it must still be a day: the licence exchange reads back no other.
        if ((jour + mois + annee).isEmpty() || (Date_valide(annee, mois, jour) && Date_correcte(Composer_date(annee, mois, jour))))
            continue;
        onglets->setCurrentIndex(date.onglet);
        Afficher_erreur(QString::fromUtf8(date.message));
        return false;
    }
    return true;
}

} // namespace

QString Get_prefixe_code_club(const QString& codeClub)
{
    if (codeClub.endsWith("0000000000"))
        return codeClub.left(3);
    if (codeClub.endsWith("000000000"))
        return codeClub.left(4);
    if (codeClub.endsWith("0000000"))
        return codeClub.left(6);
    if (codeClub.endsWith("0000"))
        return codeClub.left(9);
    return QString();
}

det_licence::det_licence(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_licence");
    for (int i = 0; i < 14; ++i) {
        text1[i] = new QLineEdit(this);
        text1[i]->setObjectName(QString("text1_%1").arg(i));
        Installer_selection_au_focus(text1[i]);
    }
    for (int i : {0, 6, 8, 12})
        Installer_filtre_chiffre(text1[i]);
    const std::pair<int, int> longueurs[] = {{0, 5}, {1, 25}, {2, 20}, {6, 7}, {8, 14}, {12, 14}, {10, 22}, {9, 19}};
    for (const auto& [i, n] : longueurs)
        text1[i]->setMaxLength(n);
    for (int i : {3, 9, 11})
        text1[i]->setReadOnly(true);
    text1[3]->setText("FRANCE");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    SSTab1->addTab(construireAdministratif(), "Informations Administratives");
    SSTab1->addTab(construireLicence(), "Informations sur licence");
    SSTab1->addTab(construireClub(), "Info interne club");

    Command1[0] = new QPushButton("Ok", this);
    Command1[1] = new QPushButton("Annuler", this);
    for (int i = 0; i < 2; ++i)
        Command1[i]->setObjectName(QString("Command1_%1").arg(i));
    Command1[0]->setDefault(true);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(SSTab1, 1);
    auto* rangee = new QHBoxLayout;
    rangee->addStretch(1);
    rangee->addWidget(Command1[0]);
    rangee->addWidget(Command1[1]);
    colonne->addLayout(rangee);
    Fixer_taille_design(8400, 7500);

    Relier_touches_dialogue(this, Command1[0], Command1[1]);

    connect(Command1[0], &QPushButton::clicked, this, &det_licence::ok);
    connect(Command1[1], &QPushButton::clicked, this, &QWidget::close);
    connect(Cmd_Club, &QPushButton::clicked, this, &det_licence::choisirClub);
    connect(Cmd_pays, &QPushButton::clicked, this, &det_licence::choisirPays);
    connect(Cmd_origine, &QPushButton::clicked, this, &det_licence::choisirOrigine);
    connect(SSTab1, &QTabWidget::currentChanged, this, &det_licence::Maj_etat_controles);

    if (bClubSelection)
        Desactiver_onglets_club();
    else
        Charger_activites_tarifs();
    Maj_etat_controles();
}

QWidget* det_licence::groupeDate(int base)
{
    auto* groupe = new QWidget(this);
    auto* rangee = new QHBoxLayout(groupe);
    rangee->setContentsMargins(0, 0, 0, 0);
    static const char* const bulles[3] = {"Jour", "Mois", "Année"};
    QLineEdit* boites[3];
    for (int k = 0; k < 3; ++k) {
        auto* boite = new QLineEdit(groupe);
        const int index = base + k;
        boite->setObjectName(QString("txt_description_%1").arg(index));
        boite->setFixedWidth(boite->fontMetrics().horizontalAdvance(k == 2 ? "00000" : "000") + 14);
        boite->setToolTip(QString::fromUtf8(bulles[k]));
        txt_description.insert(index, boite);
        boites[k] = boite;
        rangee->addWidget(boite);
        if (k < 2)
            rangee->addWidget(new QLabel("/", groupe));
    }
    auto* bouton = new QPushButton("...", groupe);
    bouton->setObjectName(QString("Cmd_Date_%1").arg(base));
    bouton->setToolTip("Calendrier");
    bouton->setFixedWidth(bouton->fontMetrics().horizontalAdvance("...") + 18);
    Brancher_boites_date(boites[0], boites[1], boites[2], bControleDate, bouton);
    Cmd_Date.insert(base, bouton);
    rangee->addWidget(bouton);
    rangee->addStretch(1);
    return groupe;
}

QWidget* det_licence::construireAdministratif()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);

    auto* club = new QHBoxLayout;
    club->addWidget(text1[11]);
    Cmd_Club = new QPushButton("...", page);
    Cmd_Club->setObjectName("Cmd_Club");
    Cmd_Club->setFixedWidth(Cmd_Club->fontMetrics().horizontalAdvance("...") + 18);
    Cmd_Club->setToolTip("Sélection d'un club");
    club->addWidget(Cmd_Club);
    form->addRow("Code du club :", club);

    auto* numero = new QHBoxLayout;
    text1[0]->setMaximumWidth(text1[0]->fontMetrics().horizontalAdvance("0000000") + 14);
    numero->addWidget(text1[0]);
    Cb_licence = new QComboBox(page);
    Cb_licence->setObjectName("Cb_licence");
    Cb_licence->addItems({"F", "C"});
    Cb_licence->setCurrentIndex(0);
    numero->addWidget(Cb_licence);
    numero->addStretch(1);
    form->addRow("N° Licence :", numero);
    form->addRow("Nom :", text1[1]);
    form->addRow("Prénom :", text1[2]);

    auto* sexe = new QHBoxLayout;
    static const char* const symboles[2] = {"\u2642", "\u2640"};
    static const char* const bulles[2] = {"Homme", "Femme"};
    for (int i = 0; i < 2; ++i) {
        Option_sexe[i] = new QRadioButton(i == 0 ? "M" : "F", page);
        Option_sexe[i]->setObjectName(QString("Option_sexe_%1").arg(i));
        PicSexe[i] = new QLabel(QString::fromUtf8(symboles[i]), page);
        PicSexe[i]->setObjectName(QString("PicSexe_%1").arg(i));
        PicSexe[i]->setToolTip(bulles[i]);
        PicSexe[i]->installEventFilter(this);
        sexe->addWidget(Option_sexe[i]);
        sexe->addWidget(PicSexe[i]);
        sexe->addSpacing(12);
    }
    sexe->addStretch(1);
    form->addRow("Sexe :", sexe);
    form->addRow("Date de Naissance :", groupeDate(0));

    auto* pays = new QHBoxLayout;
    pays->addWidget(text1[3]);
    Cmd_pays = new QPushButton("...", page);
    Cmd_pays->setObjectName("Cmd_pays");
    Cmd_pays->setFixedWidth(Cmd_pays->fontMetrics().horizontalAdvance("...") + 18);
    Cmd_pays->setToolTip("Sélection d'un pays");
    pays->addWidget(Cmd_pays);
    form->addRow("Nationalité :", pays);

    form->addRow("Adresse :", text1[4]);
    form->addRow("Adresse suite :", text1[5]);
    text1[6]->setMaximumWidth(text1[6]->fontMetrics().horizontalAdvance("000000000") + 14);
    form->addRow("Code Postal :", text1[6]);
    form->addRow("Localité :", text1[7]);
    form->addRow("Téléphone :", text1[8]);
    form->addRow("Téléphone 2 :", text1[12]);
    form->addRow("Mail :", text1[13]);
    return page;
}

QWidget* det_licence::construireLicence()
{
    auto* page = new QWidget(this);
    auto* colonne = new QVBoxLayout(page);

    auto* affiliation = new QGroupBox("Affiliation :", page);
    auto* grille = new QGridLayout(affiliation);
    static const char* const affiliations[6] = {"Nat. Sportive", "Nat. Synchro", "Water Polo",
                                                "Plongeon",      "Dirigeant",    "Maître"};
    for (int i = 0; i < 6; ++i) {
        Check1[i] = new QCheckBox(QString::fromUtf8(affiliations[i]), affiliation);
        Check1[i]->setObjectName(QString("Check1_%1").arg(i));
        grille->addWidget(Check1[i], i / 3, i % 3);
    }
    colonne->addWidget(affiliation);

    auto* form = new QFormLayout;
    form->addRow("Date de dépôt :", groupeDate(10));
    form->addRow("Date d'oblitération :", groupeDate(20));
    form->addRow("Code fédéral unique (optionnel) :", text1[10]);
    colonne->addLayout(form);

    Frame1 = new QGroupBox("Type de licence", page);
    Frame1->setObjectName("Frame1");
    auto* type = new QGridLayout(Frame1);
    static const char* const types[3] = {"Transfert", "Nouvelle", "Renouvellement"};
    for (int i = 0; i < 3; ++i) {
        Option_type[i] = new QRadioButton(types[i], Frame1);
        Option_type[i]->setObjectName(QString("Option_type_%1").arg(i));
        type->addWidget(Option_type[i], 0, i);
    }
    Label1_17 = new QLabel("Origine du nageur :", Frame1);
    Label1_17->setObjectName("Label1_17");
    type->addWidget(Label1_17, 1, 0);
    auto* origine = new QHBoxLayout;
    origine->addWidget(text1[9]);
    Cmd_origine = new QPushButton("...", Frame1);
    Cmd_origine->setObjectName("Cmd_origine");
    Cmd_origine->setFixedWidth(Cmd_origine->fontMetrics().horizontalAdvance("...") + 18);
    Cmd_origine->setToolTip("Sélection d'un licencié");
    origine->addWidget(Cmd_origine);
    type->addLayout(origine, 1, 1, 1, 2);
    colonne->addWidget(Frame1);

    auto* nature = new QGroupBox("Nature de la licence", page);
    auto* ln = new QHBoxLayout(nature);
    Option_nature[0] = new QRadioButton("Normale", nature);
    Option_nature[1] = new QRadioButton("Eté", nature);
    for (int i = 0; i < 2; ++i) {
        Option_nature[i]->setObjectName(QString("Option_nature_%1").arg(i));
        ln->addWidget(Option_nature[i]);
    }
    ln->addStretch(1);
    colonne->addWidget(nature);
    colonne->addStretch(1);

    // What is stored when nothing is chosen, shown as chosen: a renewal; and a normal licence
    // rather than a summer one.
    Option_type[2]->setChecked(true);
    Option_nature[0]->setChecked(true);
    return page;
}

QWidget* det_licence::construireClub()
{
    auto* page = new QWidget(this);
    auto* grille = new QGridLayout(page);

    auto* tarifs = new QGroupBox("Tarifs", page);
    auto* lt = new QVBoxLayout(tarifs);
    lsvTarif = new QTreeWidget(tarifs);
    lsvTarif->setObjectName("lsvTarif");
    lsvTarif->setHeaderLabels({"Tarifs"});
    lsvTarif->setRootIsDecorated(false);
    Colonnes_a_la_mesure(lsvTarif);
    lsvTarif->setSelectionMode(QAbstractItemView::SingleSelection);
    lt->addWidget(lsvTarif);
    cmd_Tarif_Unselect = new QPushButton("Supprimer la sélection", tarifs);
    cmd_Tarif_Unselect->setObjectName("cmd_Tarif_Unselect");
    lt->addWidget(cmd_Tarif_Unselect);
    connect(cmd_Tarif_Unselect, &QPushButton::clicked, this, [this] {
        if (!lsvTarif->selectedItems().isEmpty()) {
            lsvTarif->clearSelection();
            lsvTarif->setCurrentItem(nullptr);
        }
    });

    auto* activites = new QGroupBox("Activités", page);
    auto* la = new QVBoxLayout(activites);
    LsvActivites = new QTreeWidget(activites);
    LsvActivites->setObjectName("LsvActivites");
    LsvActivites->setHeaderLabels({"Activités"});
    LsvActivites->setRootIsDecorated(false);
    Colonnes_a_la_mesure(LsvActivites);
    la->addWidget(LsvActivites);
    connect(LsvActivites, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* ligne) {
        if (ligne->checkState(0) == Qt::Checked)
            LsvActivites->setCurrentItem(ligne);
    });

    auto* medical = new QGroupBox("Contrôle médical", page);
    auto* lm = new QFormLayout(medical);
    txt_Medecin = new QLineEdit(medical);
    txt_Medecin->setObjectName("txt_Medecin");
    txt_Medecin->setMaxLength(40);
    Installer_selection_au_focus(txt_Medecin);
    lm->addRow("Médecin :", txt_Medecin);
    lm->addRow("Date :", groupeDate(30));

    grille->addWidget(tarifs, 0, 0);
    grille->addWidget(activites, 0, 1);
    grille->addWidget(medical, 1, 0, 1, 2);
    grille->setRowStretch(0, 1);
    return page;
}

VerrousMenus det_licence::Verrous_du_mode(const QString& mode)
{
    VerrousMenus verrous;
    if (mode == "Nouveau") {
        verrous.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
        verrous.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
        verrous.groupe(GroupeVerrou::Licence, {1, 0, 1, 1, 1, 0, 0});
        verrous.groupe(GroupeVerrou::Engag, {1, 0, 0, 0, 0});
        verrous.groupe(GroupeVerrou::ModeleEngag, {1, 0, 1, 0});
    }
    return verrous;
}

void det_licence::Charger_activites_tarifs()
{
    LsvActivites->clear();
    lsvTarif->clear();
    const QString club = Sql_texte(strCodeClub);
    Executer_requete("SELECT distinct Activite FROM Activites WHERE Code_federal = " + club, false);
    for (const QString& activite : colResultat.colonne(0)) {
        auto* ligne = new QTreeWidgetItem(LsvActivites, {activite});
        ligne->setFlags(ligne->flags() | Qt::ItemIsUserCheckable);
        ligne->setCheckState(0, Qt::Unchecked);
    }
    Liberer_resultat();
    Executer_requete("SELECT distinct Intitule FROM Tarifs WHERE Code_federal = " + club, false);
    for (const QString& intitule : colResultat.colonne(0))
        new QTreeWidgetItem(lsvTarif, {intitule});
    Liberer_resultat();
    lsvTarif->clearSelection();
    lsvTarif->setCurrentItem(nullptr);
    LsvActivites->setCurrentItem(nullptr);
}

void det_licence::Desactiver_onglets_club()
{
    Fixer_enabled({txt_Medecin, txt_description.value(30), txt_description.value(31), txt_description.value(32),
                   Cmd_Date.value(30), LsvActivites, lsvTarif, cmd_Tarif_Unselect},
                  false);
}

void det_licence::Maj_etat_controles()
{
    const int onglet = SSTab1->currentIndex();
    QList<QWidget*> licence;
    for (QRadioButton* o : Option_type)
        licence << o;
    for (QRadioButton* o : Option_nature)
        licence << o;
    licence << text1[9] << Cmd_origine;
    Fixer_tabstop(licence, onglet == 1);
    Fixer_tabstop({txt_Medecin, txt_description.value(30), txt_description.value(31), txt_description.value(32),
                   Cmd_Date.value(30), LsvActivites, lsvTarif, cmd_Tarif_Unselect},
                  onglet == 2);
}

void det_licence::setControlVisible()
{
    const bool choix = strAction == "Nouveau" && bClubSelection;
    text1[11]->setText(choix ? QString() : strCodeClub);
    Fixer_visible({Cmd_Club, text1[9], Cmd_origine, Label1_17}, choix);
}

void det_licence::remplir_champs(const QString& num)
{
    strNumLicence = num;
    Executer_requete(Requete_lecture_licence(num), false);
    if (colResultat.Count(0) > 0) {
        auto v = [](int c) { return colResultat.item(c, 1); };
        text1[11]->setText(v(1));
        const QString numero = v(2);
        m_numeroCharge = numero;
        text1[0]->setText(numero.left(5));
        const int lettre = Cb_licence->findText(numero.right(1));
        if (lettre >= 0)
            Cb_licence->setCurrentIndex(lettre);
        text1[1]->setText(v(3));
        text1[2]->setText(v(4));
        strSexeCharge = v(5);
        Reinitialiser_options({Option_sexe[0], Option_sexe[1]}, true);
        if (strSexeCharge == "F")
            Option_sexe[1]->setChecked(true);
        else if (strSexeCharge == "M")
            Option_sexe[0]->setChecked(true);
        Afficher_date(txt_description.value(0), txt_description.value(1), txt_description.value(2), v(6));
        m_nationaliteChargee = v(7);
        text1[3]->setText(v(31));
        for (int i = 0; i < 5; ++i)
            text1[4 + i]->setText(v(8 + i));
        for (int i = 0; i < 6; ++i)
            Check1[i]->setChecked(v(13 + i).toLower() == "o");
        Afficher_date(txt_description.value(10), txt_description.value(11), txt_description.value(12), v(19));
        Afficher_date(txt_description.value(20), txt_description.value(21), txt_description.value(22), v(20));
        Reinitialiser_options({Option_type[0], Option_type[1], Option_type[2]}, true);
        const int type = QStringList {"T", "N", "R"}.indexOf(v(21));
        if (type >= 0)
            Option_type[type]->setChecked(true);
        Reinitialiser_options({Option_nature[0], Option_nature[1]}, true);
        const int nature = QStringList {"N", "E"}.indexOf(v(22));
        if (nature >= 0)
            Option_nature[nature]->setChecked(true);
        const QString codeUnique = v(23);
        text1[9]->setText(codeUnique.size() == 19 ? codeUnique : QString());
        if (text1[9]->text().trimmed().isEmpty() && bClubSelection)
            text1[9]->setText(v(1) + numero);
        text1[10]->setText(codeUnique);
        text1[12]->setText(v(26));
        text1[13]->setText(v(27));
        m_tarifCharge = v(28);
        lsvTarif->clearSelection();
        for (int i = 1; i <= Nombre_lignes(lsvTarif); ++i) {
            if (Ligne(lsvTarif, i)->text(0) == m_tarifCharge) {
                Selectionner_element(lsvTarif, i);
                break;
            }
        }
        txt_Medecin->setText(v(29));
        Afficher_date(txt_description.value(30), txt_description.value(31), txt_description.value(32), v(30));
    }
    Liberer_resultat();
    Executer_requete("SELECT distinct Activite FROM Activite_licence WHERE Num_lic = " + QString::number(num.toLongLong()),
                     false);
    const QStringList activites = colResultat.colonne(0);
    Liberer_resultat();
    for (int i = 1; i <= Nombre_lignes(LsvActivites); ++i) {
        QTreeWidgetItem* ligne = Ligne(LsvActivites, i);
        for (const QString& a : activites) {
            if (a.compare(ligne->text(0), Qt::CaseInsensitive) == 0)
                ligne->setCheckState(0, Qt::Checked);
        }
    }
}

QStringList det_licence::Collecter_champs_licence() const
{
    QStringList v;
    v << text1[11]->text();
    v << text1[0]->text() + Cb_licence->currentText();
    v << text1[1]->text().trimmed() << text1[2]->text().trimmed();
    v << (Option_sexe[0]->isChecked() ? "M" : Option_sexe[1]->isChecked() ? "F" : "");
    v << Date_groupe(txt_description, 0, true);
    v << Code_nationalite(text1[3]->text(), m_nationaliteChargee);
    for (int i = 4; i <= 8; ++i)
        v << text1[i]->text();
    for (const QCheckBox* c : Check1)
        v << Affiliation(c);
    v << Date_groupe(txt_description, 10, false) << Date_groupe(txt_description, 20, false);
    v << (Option_type[0]->isChecked() ? "T" : Option_type[1]->isChecked() ? "N" : "R");
    v << (Option_nature[0]->isChecked() ? "N" : "E");
    v << text1[10]->text();
    v << text1[12]->text() << text1[13]->text();
    const QList<QTreeWidgetItem*> tarif = lsvTarif->selectedItems();
    // A selection profile shows neither the member club's tariffs nor its activities: an edited
    // licence keeps the tariff it holds instead of losing it.
    if (bClubSelection)
        v << (strAction == "Modif" ? m_tarifCharge : QString());
    else
        v << (tarif.isEmpty() ? QString() : tarif.first()->text(0));
    v << txt_Medecin->text();
    v << Date_groupe(txt_description, 30, false);
    QString activites;
    for (int i = 1; i <= Nombre_lignes(LsvActivites); ++i) {
        QTreeWidgetItem* ligne = Ligne(LsvActivites, i);
        if (ligne->checkState(0) == Qt::Checked)
            activites += ligne->text(0) + "\t";
    }
    v << activites;
    return v;
}

void det_licence::ok()
{
    text1[1]->setText(Sans_accents(text1[1]->text()));
    bool fini = false;
    try {
        fini = strAction == "Nouveau" ? enregistrerNouveau() : enregistrerModif();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(strAction == "Nouveau" ? "Erreur lors de l'insertion de la licence."
                                               : "Erreur lors de la modification de la licence.");
    }
    Afficher_statut(QString());
    if (fini)
        close();
}

bool det_licence::enregistrerNouveau()
{
    Afficher_statut("Enregistrement de la licence");
    const QString club = text1[11]->text();
    if (bClubSelection && club.trimmed().isEmpty()) {
        // Stored without a club, the swimmer would be in no list at all.
        Afficher_erreur("Vous devez d'abord choisir le club du licencié.");
        return false;
    }
    const QString numero = text1[0]->text() + Cb_licence->currentText();
    const int existe = Compter_numero_licence(numero, club);
    if (existe == 0) {
        if (!Verifier_saisie_licence({txt_description.value(0)->text(), txt_description.value(1)->text(),
                                      txt_description.value(2)->text(), text1[0]->text(), text1[1]->text(),
                                      text1[2]->text()}))
            return false;
        if (!Dates_facultatives_entieres(txt_description, SSTab1))
            return false;
        bool insere = false;
        {
            CurseurOccupe occupe;
            insere = Inserer_licence(Collecter_champs_licence().mid(0, NB_VALEURS_LICENCE));
        }
        if (!insere) {
            Afficher_erreur("Erreur lors de l'insertion de la licence.");
            return false;
        }
    } else if (!bClubSelection || !Numero_licence_visible(numero, club)) {
        // A selection takes in an existing swimmer, never a deleted one whose number is not freed
        // yet: he would be in no list.
        Afficher_numero_utilise(true);
        return false;
    }
    const QStringList valeurs = Collecter_champs_licence();
    QString num;
    {
        CurseurOccupe occupe;
        num = Get_num_licence(valeurs[0], valeurs[1]);
        if (num.isEmpty())
            throw ErreurExecution(3021, "Licence introuvable après l'enregistrement.");
        // An existing swimmer taken into a selection keeps his own club's activities.
        if (!bClubSelection)
            Enregistrer_activites_licence(num, valeurs[28]);
    }
    Afficher_information("Nageur mémorisé avec succès.");
    if (bClubSelection) {
        CurseurOccupe occupe;
        Ajouter_licence_selection(strCodeClub, num);
    }
    return true;
}

bool det_licence::enregistrerModif()
{
    Afficher_statut("Enregistrement des modifications");
    if (!Verifier_saisie_licence({txt_description.value(0)->text(), txt_description.value(1)->text(),
                                  txt_description.value(2)->text(), text1[0]->text(), text1[1]->text(),
                                  text1[2]->text()}))
        return false;
    if (!Dates_facultatives_entieres(txt_description, SSTab1))
        return false;
    const QString numero = text1[0]->text() + Cb_licence->currentText();
    if (!Numero_licence_modifiable(numero, m_numeroCharge, text1[11]->text(), strNumLicence))
        return false;
    const QStringList valeurs = Collecter_champs_licence();
    {
        CurseurOccupe occupe;
        if (!Modifier_licence(valeurs.mid(0, NB_VALEURS_LICENCE), strNumLicence)) {
            Afficher_erreur("Erreur lors de la modification de la licence.");
            return false;
        }
        if (!bClubSelection)
            Enregistrer_activites_licence(strNumLicence, valeurs[28]);
        // Entries made for the other sex no longer fit the swimmer.
        if (valeurs[4] != strSexeCharge)
            Supprimer_engagements_licences(false, strCodeClub, QString::number(strNumLicence.toLongLong()));
    }
    Afficher_information("Nageur modifié avec succès.");
    if (auto* liste = qobject_cast<frm_liste_licence*>(frmCible.data()))
        liste->ReloadListe(strNumLicence);
    return true;
}

// ---------------------------------------------------------------- choosers

QPoint det_licence::positionChoix(QWidget* bouton) const
{
    const QPoint global = bouton->mapToGlobal(QPoint(0, bouton->height()));
    QPoint p = global;
    if (QMdiArea* zone = Zone_documents())
        p = zone->viewport()->mapFromGlobal(global);
    return QPoint(std::max(1, p.x()) * 15, std::max(1, p.y()) * 15);
}

void det_licence::choisirClub()
{
    if (Fenetre_deja_ouverte(m_club, false))
        return;
    const QPoint p = positionChoix(Cmd_Club);
    // Selections are not clubs a swimmer can belong to.
    const QString sql = "SELECT Code_federal, Intitule, Num FROM Club where Code_federal like "
                        + Sql_texte(Get_prefixe_code_club(strCodeClub) + "%")
                        + " and Visible = true and Selection = false order by Intitule";
    try {
        Ouvrir_liste_club(m_club, "Choix d'un club", "Choisir", true, QString(), p.y(), p.x(), sql, text1[11]->text(),
                          this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des clubs.");
    }
}

void det_licence::choisirPays()
{
    if (Fenetre_deja_ouverte(m_pays, false))
        return;
    const QPoint p = positionChoix(Cmd_pays);
    try {
        Ouvrir_liste_pays(m_pays, "Choisir", text1[3]->text(), p.x(), p.y(), this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des pays.");
    }
}

void det_licence::choisirOrigine()
{
    if (Fenetre_deja_ouverte(m_origine, false))
        return;
    const QPoint p = positionChoix(Cmd_origine);
    const QString sql = "SELECT Licence.Num, Licence.Licence, Licence.Nom, Licence.Prenom, Club.Intitule, "
                        "Licence.Date_Naissance FROM Club Club, Licence Licence "
                        "WHERE Club.Code_federal = Licence.Code_Club AND Licence.Code_Club like "
                        + Sql_texte(Get_prefixe_code_club(strCodeClub) + "%")
                        + " AND Licence.Visible = true ORDER BY Licence.Nom, Licence.Prenom";
    try {
        const QString num = Get_num_licence(text1[11]->text(), text1[0]->text() + Cb_licence->currentText());
        Ouvrir_liste_licences(m_origine, "Sélectionner un(e) licencié(e)", "Choisir", true, QString(), p.x(), p.y(),
                              sql, num, this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des licences.");
    }
}

void det_licence::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "frm_liste_pays")
        m_pays.clear();
    else if (nom == "Frm_liste_club")
        m_club.clear();
    else if (nom == "frm_liste_licence")
        m_origine.clear();
}

void det_licence::Decharger_fenetres_filles()
{
    for (QWidget* choix : std::initializer_list<QWidget*> {m_pays, m_club, m_origine}) {
        if (choix)
            choix->close();
    }
}

bool det_licence::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 2; ++i) {
            if (objet == PicSexe[i])
                Option_sexe[i]->setChecked(true);
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

// ---------------------------------------------------------------- opener

void Ouvrir_det_licence(QPointer<det_licence>& fenetre, QWidget* cible, const QString& mode, const QString& titre,
                        const QString& num)
{
    Ouverture ouverture;
    ouverture.verrous = det_licence::Verrous_du_mode(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    if (mode == "Modif")
        ouverture.appelant = cible;
    det_licence* detail = Ouvrir_fenetre(fenetre, ouverture, [&](det_licence& d) {
        d.setControlVisible();
        if (mode == "Modif")
            d.remplir_champs(num);
    });
    detail->text1[1]->setFocus();
}
