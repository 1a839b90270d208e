#include "clubs_licences/det_mon_club.h"

#include "clubs_licences/info_club.h"
#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr double FrancsParEuro = 6.55957;
constexpr QChar Tab = u'\t';

QTreeWidget* Liste(QWidget* parent, const char* nom, const QStringList& colonnes)
{
    auto* l = new QTreeWidget(parent);
    l->setObjectName(nom);
    l->setHeaderLabels(colonnes);
    l->setRootIsDecorated(false);
    Colonnes_a_la_mesure(l);
    l->setUniformRowHeights(true);
    l->setAllColumnsShowFocus(true);
    return l;
}

QToolButton* Bouton_image(QWidget* parent, const char* nom, bool ajout)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(nom);
    b->setText(ajout ? "+" : QString(QChar(0x2212)));
    b->setToolTip(ajout ? "Ajouter" : "Supprimer");
    b->setMinimumWidth(28);
    return b;
}

// A field with the buttons that act on it, on one row.
QHBoxLayout* Rangee(std::initializer_list<QWidget*> controles, bool etirerPremier = true)
{
    auto* r = new QHBoxLayout;
    bool premier = true;
    for (QWidget* c : controles) {
        r->addWidget(c, premier && etirerPremier ? 1 : 0);
        premier = false;
    }
    return r;
}

QString Cle_activite(const QString& nom)
{
    return nom.toLower();
}

// Restores the status bar when the save ends, however it ends.
struct StatutTemporaire {
    explicit StatutTemporaire(const QString& texte) { Afficher_statut(texte); }
    ~StatutTemporaire() { Afficher_statut(QString()); }
    StatutTemporaire(const StatutTemporaire&) = delete;
    StatutTemporaire& operator=(const StatutTemporaire&) = delete;
};

} // namespace

det_mon_club::det_mon_club(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_mon_club");
    setWindowTitle("Informations club " + strNomClub);

    for (int i = 0; i < 17; ++i) {
        text1[i] = new QLineEdit(this);
        text1[i]->setObjectName(QString("text1_%1").arg(i));
        Installer_selection_au_focus(text1[i]);
    }
    text1[0]->setMaxLength(30);
    Largeur_pour_longueur(text1[0]);
    text1[1]->setMaxLength(13);
    for (int i : {1, 3, 5, 6, 10, 11})
        Installer_filtre_chiffre(text1[i]);
    // One decimal comma at most. A key is judged on the text before it, pasted text on the text
    // it would give.
    QLineEdit* montant = text1[15];
    Installer_filtre(
        montant, [montant](int code) { return code == ',' && montant->text().contains(',') ? 0 : Filtrer_decimal(code); },
        [montant](int code) { return code == ',' && montant->text().count(',') > 1 ? 0 : Filtrer_decimal(code); });
    text1[16]->setReadOnly(true);
    text1[16]->setFocusPolicy(Qt::NoFocus);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    SSTab1->addTab(ongletAdresse(), "Adresse");
    SSTab1->addTab(ongletOrganisation(), "Organisation");
    SSTab1->addTab(ongletActivites(), "Activités");
    SSTab1->addTab(ongletTarifs(), "Tarifs");

    Command1_0 = Creer_bouton(this, "Command1_0", "&Quitter");
    Command1_1 = Creer_bouton(this, "Command1_1", "&Enregistrer");
    Command1_2 = Creer_bouton(this, "Command1_2", "&Recharger");
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Command1_0);
    boutons->addWidget(Command1_1);
    boutons->addWidget(Command1_2);
    auto* tout = new QVBoxLayout(this);
    tout->addWidget(SSTab1, 1);
    tout->addLayout(boutons);
    Fixer_taille_design(7500, 5400);

    connect(Command1_0, &QPushButton::clicked, this, [this] {
        colActivites.clear();
        close();
    });
    connect(Command1_1, &QPushButton::clicked, this, &det_mon_club::Enregistrer);
    connect(Command1_2, &QPushButton::clicked, this, &det_mon_club::Charger_infos_club);

    Charger_infos_club();
}

// ---- Tabs ----------------------------------------------------------------------------------

QWidget* det_mon_club::ongletAdresse()
{
    auto* onglet = new QWidget;
    Cmd_code = Creer_bouton(onglet, "Cmd_code", "Aide");
    auto* f = new QFormLayout(onglet);
    f->addRow("Nom du Club :", text1[0]);
    f->addRow("Code du club :", Rangee({text1[1], Cmd_code}));
    f->addRow("Adresse :", text1[2]);
    f->addRow("Code Postal :", text1[3]);
    f->addRow("Ville :", text1[4]);
    f->addRow("Téléphone :", text1[5]);
    f->addRow("Fax :", text1[6]);
    f->addRow("Email :", text1[7]);
    connect(Cmd_code, &QPushButton::clicked, this, [this] {
        try {
            Ouvrir_construc_code_club(text1[1]);
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Erreur_sauvegarde_club(QString());
        }
    });
    return onglet;
}

QWidget* det_mon_club::ongletOrganisation()
{
    auto* onglet = new QWidget;
    Lsv_role = Liste(onglet, "Lsv_role", {"Fonction", "Nom", "Téléphone 1", "Téléphone 2", "Email"});
    Cmd_role_0 = Bouton_image(onglet, "Cmd_role_0", true);
    Cmd_role_2 = Bouton_image(onglet, "Cmd_role_2", false);
    auto* f = new QFormLayout;
    f->addRow("Fonction :", text1[8]);
    f->addRow("Nom :", text1[9]);
    f->addRow("Téléphone 1 :", text1[10]);
    f->addRow("Téléphone 2 :", text1[11]);
    f->addRow("Email :", text1[12]);
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(Cmd_role_0);
    boutons->addWidget(Cmd_role_2);
    boutons->addStretch(1);
    auto* bas = new QHBoxLayout;
    bas->addLayout(f, 1);
    bas->addLayout(boutons);
    auto* v = new QVBoxLayout(onglet);
    v->addWidget(Lsv_role, 1);
    v->addLayout(bas);

    // The buttons beside the boxes add and remove what they hold: Tab reaches them once all are filled.
    Tabuler_apres(Cmd_role_0, text1[12]);
    Tabuler_apres(Cmd_role_2, Cmd_role_0);

    connect(Cmd_role_0, &QToolButton::clicked, this, &det_mon_club::ajouterRole);
    connect(Cmd_role_2, &QToolButton::clicked, this, &det_mon_club::supprimerRole);
    connect(Lsv_role, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* ligne) {
        if (!m_selectionProgramme)
            copierRole(ligne);
    });
    connect(Lsv_role, &QTreeWidget::itemClicked, this, &det_mon_club::copierRole);
    return onglet;
}

QWidget* det_mon_club::ongletActivites()
{
    auto* onglet = new QWidget;
    Cbo_activite = new QComboBox(onglet);
    Cbo_activite->setObjectName("Cbo_activite");
    Cbo_activite->setEditable(true);
    Cbo_activite->setInsertPolicy(QComboBox::NoInsert);
    Cbo_activite->lineEdit()->setMaxLength(31);
    // A name is typed as it is meant, never completed into an existing one.
    Cbo_activite->setCompleter(nullptr);
    Cmd_activite_0 = Creer_bouton(onglet, "Cmd_activite_0", "Ajouter");
    Cmd_activite_1 = Creer_bouton(onglet, "Cmd_activite_1", "Suppr");
    lsv_responsable = Liste(onglet, "lsv_responsable", {"Responsable"});
    lsv_responsable->header()->setStretchLastSection(true);
    Cmd_add_resp = Bouton_image(onglet, "Cmd_add_resp", true);
    Cmd_suppr_resp = Bouton_image(onglet, "Cmd_suppr_resp", false);

    auto* haut = new QFormLayout;
    haut->addRow("Activité :", Rangee({Cbo_activite, Cmd_activite_0, Cmd_activite_1}));
    // The responsable's field sits under the list it fills.
    auto* bas = new QFormLayout;
    bas->addRow("Responsable :", Rangee({text1[13], Cmd_add_resp, Cmd_suppr_resp}));
    auto* v = new QVBoxLayout(onglet);
    v->addLayout(haut);
    v->addWidget(lsv_responsable, 1);
    v->addLayout(bas);

    connect(Cmd_activite_0, &QPushButton::clicked, this, &det_mon_club::ajouterActivite);
    connect(Cmd_activite_1, &QPushButton::clicked, this, &det_mon_club::supprimerActivite);
    connect(Cbo_activite->lineEdit(), &QLineEdit::returnPressed, this, &det_mon_club::ajouterActivite);
    connect(Cbo_activite, &QComboBox::activated, this, &det_mon_club::choisirActivite);
    connect(Cmd_add_resp, &QToolButton::clicked, this, &det_mon_club::ajouterResponsable);
    connect(text1[13], &QLineEdit::returnPressed, this, &det_mon_club::ajouterResponsable);
    connect(Cmd_suppr_resp, &QToolButton::clicked, this, &det_mon_club::supprimerResponsable);
    return onglet;
}

QWidget* det_mon_club::ongletTarifs()
{
    auto* onglet = new QWidget;
    Lsv_tarif = Liste(onglet, "Lsv_tarif", {"Tarif", "Montant"});
    // The two columns share the width equally.
    Lsv_tarif->header()->setSectionResizeMode(QHeaderView::Stretch);
    lbl_devise = new QLabel(QString(QChar(0x20AC)), onglet);
    lbl_devise->setObjectName("lbl_devise");
    Chk_corres = new QCheckBox("Afficher conversion en fancs", onglet);
    Chk_corres->setObjectName("Chk_corres");
    lbl_franc = new QLabel("Fr", onglet);
    lbl_franc->setObjectName("lbl_franc");
    Cmd_AddTarif = Bouton_image(onglet, "Cmd_AddTarif", true);
    Cmd_SupprTarif = Bouton_image(onglet, "Cmd_SupprTarif", false);

    auto* f = new QFormLayout;
    f->addRow("Intitulé :", text1[14]);
    f->addRow("Montant :", Rangee({text1[15], lbl_devise}));
    f->addRow(Chk_corres);
    f->addRow(QString(), Rangee({text1[16], lbl_franc}));
    auto* boutons = new QVBoxLayout;
    boutons->addWidget(Cmd_AddTarif);
    boutons->addWidget(Cmd_SupprTarif);
    boutons->addStretch(1);
    auto* bas = new QHBoxLayout;
    bas->addLayout(f, 1);
    bas->addLayout(boutons);
    auto* v = new QVBoxLayout(onglet);
    v->addWidget(Lsv_tarif, 1);
    v->addLayout(bas);

    Tabuler_apres(Cmd_AddTarif, text1[15]);
    Tabuler_apres(Cmd_SupprTarif, Cmd_AddTarif);

    connect(Cmd_AddTarif, &QToolButton::clicked, this, &det_mon_club::ajouterTarif);
    connect(text1[14], &QLineEdit::returnPressed, this, &det_mon_club::ajouterTarif);
    connect(text1[15], &QLineEdit::returnPressed, this, &det_mon_club::ajouterTarif);
    connect(Cmd_SupprTarif, &QToolButton::clicked, this, &det_mon_club::supprimerTarif);
    connect(Lsv_tarif, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* ligne) {
        if (!m_selectionProgramme)
            copierTarif(ligne);
    });
    connect(Lsv_tarif, &QTreeWidget::itemClicked, this, &det_mon_club::copierTarif);
    connect(text1[15], &QLineEdit::textChanged, this, [this] {
        if (Chk_corres->isChecked())
            convertirEnFrancs();
    });
    connect(Chk_corres, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche)
            convertirEnFrancs();
        else
            text1[16]->clear();
    });
    return onglet;
}

// ---- Loading -------------------------------------------------------------------------------

void det_mon_club::Charger_infos_club()
{
    QList<QWidget*> textes(std::begin(text1), std::end(text1));
    Vider_textes(textes);
    Lsv_role->clear();
    lsv_responsable->clear();
    strActiviteCourante.clear();

    text1[0]->setText(strNomClub);
    text1[1]->setText(strCodeClub);
    const QString code = Sql_texte(strCodeClub);

    Executer_requete("SELECT Adresse, Code_Postal, Ville, Telephone, Fax, Mail FROM Club WHERE Code_federal=" + code,
                     false);
    if (colResultat.nbLignes() >= 1) {
        for (int c = 0; c < 6; ++c)
            text1[2 + c]->setText(colResultat.item(c, 1));
    }

    Executer_requete("SELECT Fonction, Nom, Tel1, Tel2, Mail FROM Dirigeant WHERE Code_federal=" + code
                         + " and suppr = false ORDER BY Fonction, Nom",
                     false);
    for (int i = 1; i <= colResultat.nbLignes(); ++i) {
        QStringList valeurs;
        for (int c = 0; c < 5; ++c)
            valeurs << colResultat.item(c, i);
        Ajouter_ligne(Lsv_role, valeurs);
    }
    if (Nombre_lignes(Lsv_role) > 0) {
        selectionnerSansCopie(Lsv_role, 1);
        copierRole(Ligne(Lsv_role, 1));
    }

    colActivites.clear();
    Cbo_activite->clear();
    Executer_requete("SELECT Activite, Responsable FROM Activites WHERE Code_federal=" + code
                         + " and suppr = false ORDER BY Activite, Responsable",
                     false);
    // The rows of one activity make one entry, its responsables in the order read.
    for (int i = 1; i <= colResultat.nbLignes(); ++i) {
        const QString activite = colResultat.item(0, i);
        const QString responsable = colResultat.item(1, i);
        const QString cle = Cle_activite(activite);
        // The base's order may interleave names that differ only by an accent: each row still
        // joins its own activity.
        if (colActivites.contains(cle)) {
            colActivites[cle] += Tab + responsable;
        } else {
            colActivites.insert(cle, responsable);
            Cbo_activite->addItem(activite);
        }
    }
    Chercher_activite(QString());

    Lsv_tarif->clear();
    Executer_requete("SELECT Intitule, Tarif FROM Tarifs WHERE Code_federal=" + code
                         + " and suppr = false ORDER BY Intitule",
                     false);
    for (int i = 1; i <= colResultat.nbLignes(); ++i)
        Ajouter_ligne(Lsv_tarif, {colResultat.item(0, i), colResultat.item(1, i)});
    Liberer_resultat();
    if (Nombre_lignes(Lsv_tarif) > 0) {
        selectionnerSansCopie(Lsv_tarif, 1);
        copierTarif(Ligne(Lsv_tarif, 1));
    }
    majBoutons();
}

// ---- Officials -----------------------------------------------------------------------------

void det_mon_club::copierRole(QTreeWidgetItem* ligne)
{
    if (!ligne)
        return;
    for (int c = 0; c < 5; ++c)
        text1[8 + c]->setText(ligne->text(c));
}

void det_mon_club::ajouterRole()
{
    QStringList valeurs;
    for (int c = 0; c < 5; ++c)
        valeurs << text1[8 + c]->text();
    Ajouter_ligne(Lsv_role, valeurs);
    selectionnerSansCopie(Lsv_role, Nombre_lignes(Lsv_role));
    majBoutons();
}

void det_mon_club::supprimerRole()
{
    delete Lsv_role->currentItem();
    selectionnerSansCopie(Lsv_role, 1);
    majBoutons();
}

// ---- Activities ----------------------------------------------------------------------------

void det_mon_club::Chercher_activite(const QString& nom)
{
    int index = Cbo_activite->findText(nom, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = Cbo_activite->count() > 0 ? 0 : -1;
    Cbo_activite->setCurrentIndex(index);
    choisirActivite(index);
}

void det_mon_club::choisirActivite(int index)
{
    if (index < 0) {
        majBoutons();
        return;
    }
    const QString nom = Cbo_activite->itemText(index);
    if (nom != strActiviteCourante) {
        Stocker_responsables_activite();
        strActiviteCourante = nom;
        Charger_responsables();
    }
    majBoutons();
}

void det_mon_club::Stocker_responsables_activite()
{
    if (strActiviteCourante.isEmpty())
        return;
    QStringList noms;
    for (int i = 1; i <= Nombre_lignes(lsv_responsable); ++i)
        noms << Ligne(lsv_responsable, i)->text(0);
    colActivites.insert(Cle_activite(strActiviteCourante), noms.join(Tab));
}

void det_mon_club::Charger_responsables()
{
    lsv_responsable->clear();
    const QStringList noms = colActivites.value(Cle_activite(strActiviteCourante)).split(Tab);
    for (const QString& nom : noms) {
        if (!nom.trimmed().isEmpty())
            Ajouter_ligne(lsv_responsable, {nom.trimmed()});
    }
    selectionnerSansCopie(lsv_responsable, 1);
}

void det_mon_club::ajouterActivite()
{
    const QString nom = Cbo_activite->currentText();
    if (nom.isEmpty())
        return;
    if (!colActivites.contains(Cle_activite(nom))) {
        Cbo_activite->addItem(nom);
        colActivites.insert(Cle_activite(nom), QString());
    }
    Chercher_activite(nom);
    // The next name typed replaces this one instead of going on after it.
    Cbo_activite->lineEdit()->selectAll();
}

void det_mon_club::supprimerActivite()
{
    const int index = Cbo_activite->currentIndex();
    // A typed name that is no entry removes nothing.
    if (Cbo_activite->currentText().isEmpty() || index < 0
        || Cle_activite(Cbo_activite->currentText()) != Cle_activite(Cbo_activite->itemText(index)))
        return;
    const QString nom = Cbo_activite->itemText(index);
    Cbo_activite->removeItem(index);
    colActivites.remove(Cle_activite(nom));
    // Forgotten, so that its responsables are not stored back under its name: the name stays
    // free for a new activity.
    if (Cle_activite(nom) == Cle_activite(strActiviteCourante))
        strActiviteCourante.clear();
    if (Cbo_activite->count() > 0) {
        Chercher_activite(QString());
    } else {
        Cbo_activite->setEditText(QString());
        lsv_responsable->clear();
        majBoutons();
    }
}

void det_mon_club::ajouterResponsable()
{
    const QString nom = text1[13]->text().trimmed();
    if (nom.isEmpty() || strActiviteCourante.isEmpty())
        return;
    Ajouter_ligne(lsv_responsable, {nom});
    selectionnerSansCopie(lsv_responsable, Nombre_lignes(lsv_responsable));
    text1[13]->clear();
    Stocker_responsables_activite();
    majBoutons();
}

void det_mon_club::supprimerResponsable()
{
    delete lsv_responsable->currentItem();
    selectionnerSansCopie(lsv_responsable, 1);
    Stocker_responsables_activite();
    majBoutons();
}

// ---- Tariffs -------------------------------------------------------------------------------

void det_mon_club::copierTarif(QTreeWidgetItem* ligne)
{
    if (!ligne)
        return;
    text1[14]->setText(ligne->text(0));
    text1[15]->setText(ligne->text(1));
}

void det_mon_club::ajouterTarif()
{
    const QString intitule = text1[14]->text().trimmed();
    if (intitule.isEmpty()) {
        Afficher_information("Vous devez spécifier un intitulé du tarif.");
        return;
    }
    if (Texte_en_reel(text1[15]->text()) == 0) {
        Afficher_information("Vous devez spécifier un montant.");
        return;
    }
    Ajouter_ligne(Lsv_tarif, {intitule, text1[15]->text()});
    for (int i : {14, 15, 16})
        text1[i]->clear();
    selectionnerSansCopie(Lsv_tarif, Nombre_lignes(Lsv_tarif));
    majBoutons();
}

void det_mon_club::supprimerTarif()
{
    delete Lsv_tarif->currentItem();
    selectionnerSansCopie(Lsv_tarif, 1);
    copierTarif(Ligne(Lsv_tarif, 1));
    majBoutons();
}

void det_mon_club::convertirEnFrancs()
{
    text1[16]->setText(QLocale().toString(Texte_en_reel(text1[15]->text()) * FrancsParEuro, 'f', 2));
}

// ---- Saving --------------------------------------------------------------------------------

void det_mon_club::Enregistrer()
{
    CurseurOccupe curseur;
    StatutTemporaire statut("Sauvegarde des informations sur le club");
    try {
        const QString code = text1[1]->text().toUpper();
        const QString nom = text1[0]->text();
        // Refused before anything is written: the window keeps every edit for the user to mend.
        if (nom.trimmed().isEmpty()) {
            Afficher_erreur("Modification annulée.\r\nLe nom du club doit être renseigné.");
            text1[0]->setFocus();
            return;
        }
        if (code.size() != 13) {
            Afficher_erreur("Modification annulée.\r\nLe code club doit comporter 13 caractères.");
            text1[1]->setFocus();
            return;
        }
        const QString num = Get_num_club(strCodeClub);
        if (code != strCodeClub) {
            QString message = "Modification annulée.";
            if (Club_existe(code, num, true, message))
                return;
        }
        const bool renomme = code != strCodeClub || nom != strNomClub;
        // The base carries a new code over to the club's officials, activities, tariffs,
        // licences and profiles, so the replacements below find the old rows under it.
        if (!Modifier_club(code, nom, num, QString()))
            return;
        strCodeClub = code;
        strNomClub = nom;
        if (renomme)
            text1[1]->setText(code);
        if (!Sauver_coordonnees_club(num, text1[2]->text(), text1[3]->text(), text1[4]->text(), text1[5]->text(),
                                     text1[6]->text(), text1[7]->text())) {
            if (renomme)
                Recharger_profil_courant();
            return;
        }

        Remplacer_lignes_club(Table_dirigeants(), strCodeClub, [this] {
            for (int i = 1; i <= Nombre_lignes(Lsv_role); ++i) {
                const QTreeWidgetItem* l = Ligne(Lsv_role, i);
                if (!Ajouter_dirigeant(strCodeClub, l->text(0) + " pour " + l->text(1), l->text(0), l->text(1),
                                       l->text(2), l->text(3), l->text(4)))
                    return false;
            }
            return true;
        });

        Stocker_responsables_activite();
        Remplacer_lignes_club(Table_activites(), strCodeClub, [this] {
            for (int i = 0; i < Cbo_activite->count(); ++i) {
                const QString activite = Cbo_activite->itemText(i);
                const QStringList noms = colActivites.value(Cle_activite(activite)).split(Tab, Qt::SkipEmptyParts);
                for (const QString& responsable : noms) {
                    if (!Ajouter_activite(strCodeClub, activite, responsable))
                        return false;
                }
            }
            return true;
        });

        if (Remplacer_lignes_club(Table_tarifs(), strCodeClub, [this] {
                for (int i = 1; i <= Nombre_lignes(Lsv_tarif); ++i) {
                    const QTreeWidgetItem* l = Ligne(Lsv_tarif, i);
                    if (!Ajouter_tarif(strCodeClub, l->text(0), l->text(1)))
                        return false;
                }
                return true;
            }))
            Purger_tarifs_invalides();

        // The status bar and the club's menus follow a new code or name.
        if (renomme)
            Recharger_profil_courant();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(QString());
    }
}

// ---- State of the controls -----------------------------------------------------------------

void det_mon_club::majBoutons()
{
    Cmd_role_2->setEnabled(Nombre_lignes(Lsv_role) > 0);
    const bool activites = Cbo_activite->count() > 0;
    Cmd_activite_1->setEnabled(activites);
    text1[13]->setEnabled(activites);
    Cmd_add_resp->setEnabled(activites);
    Cmd_suppr_resp->setEnabled(Nombre_lignes(lsv_responsable) > 0);
    Cmd_SupprTarif->setEnabled(Nombre_lignes(Lsv_tarif) > 0);
}

void det_mon_club::selectionnerSansCopie(QTreeWidget* liste, int index)
{
    m_selectionProgramme = true;
    Selectionner_element(liste, index);
    m_selectionProgramme = false;
}

void Ouvrir_det_mon_club(QPointer<det_mon_club>& fenetre)
{
    try {
        Ouvrir_fenetre(fenetre, Ouverture{});
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'ouverture des informations du club.");
    }
}
