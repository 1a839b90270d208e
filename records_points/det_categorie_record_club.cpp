#include "records_points/det_categorie_record_club.h"

#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

det_categorie_record_club::det_categorie_record_club(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_categorie_record_club");
    setWindowTitle("Définition des catégories");

    txt_libelle = new QLineEdit(this);
    txt_libelle->setObjectName("txt_libelle");
    Installer_selection_au_focus(txt_libelle);
    for (int i = 0; i < 2; ++i) {
        txt_age[i] = new QLineEdit(this);
        txt_age[i]->setObjectName(QString("txt_age_%1").arg(i));
        // Three digits: an age, never a number the base cannot hold.
        txt_age[i]->setMaxLength(LongueurAgeMax);
        txt_age[i]->setFixedWidth(txt_age[i]->fontMetrics().horizontalAdvance("00000") + 14);
        Installer_filtre_chiffre(txt_age[i]);
        Installer_selection_au_focus(txt_age[i]);
    }

    auto* ages = new QGroupBox("Ages limites", this);
    auto* rangeeAges = new QHBoxLayout(ages);
    rangeeAges->addWidget(new QLabel("Age mini :", ages));
    rangeeAges->addWidget(txt_age[0]);
    rangeeAges->addSpacing(12);
    rangeeAges->addWidget(new QLabel("Age maxi :", ages));
    rangeeAges->addWidget(txt_age[1]);
    rangeeAges->addStretch(1);

    auto* sexe = new QHBoxLayout;
    static const char* const legendes[3] = {"Homme", "Femme", "Mixte"};
    static const char* const symboles[3] = {"\u2642", "\u2640", "\u26A5"};
    for (int i = 0; i < 3; ++i) {
        Opt_sexe[i] = new QRadioButton(QString::fromUtf8(legendes[i]), this);
        Opt_sexe[i]->setObjectName(QString("Opt_sexe_%1").arg(i));
        PicSexe[i] = new QLabel(QString::fromUtf8(symboles[i]), this);
        PicSexe[i]->setObjectName(QString("PicSexe_%1").arg(i));
        PicSexe[i]->installEventFilter(this);
        sexe->addWidget(Opt_sexe[i]);
        sexe->addWidget(PicSexe[i]);
        sexe->addSpacing(12);
    }
    sexe->addStretch(1);
    Opt_sexe[0]->setChecked(true);

    static const char* const legendesDef[3] = {"A&jouter", "&Modifier", "&Supprimer"};
    auto* boutonsDef = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        Cmd_def[i] = Creer_bouton(this, QString("Cmd_def_%1").arg(i), QString::fromUtf8(legendesDef[i]));
        boutonsDef->addWidget(Cmd_def[i]);
    }
    boutonsDef->addStretch(1);

    lsv_cat = Creer_liste_rapport(this, "lsv_cat", {"Libellé", "Age mini", "Age maxi", "Sexe"});
    lsv_cat->installEventFilter(this);
    const int largeurs[4] = {3360, 810, 825, 750};
    // Never narrower than its title, whatever the font.
    for (int c = 0; c < 4; ++c)
        lsv_cat->setColumnWidth(c, std::max(Twips_en_pixels(largeurs[c]),
                                            lsv_cat->header()->fontMetrics().horizontalAdvance(
                                                lsv_cat->headerItem()->text(c))
                                                + 16));

    cmd[0] = Creer_bouton(this, "cmd_0", "&Ok");
    cmd[1] = Creer_bouton(this, "cmd_1", "&Annuler");

    auto* form = new QFormLayout;
    form->addRow("Libellé :", txt_libelle);
    form->addRow(ages);
    form->addRow("Sexe :", sexe);
    form->addRow(boutonsDef);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(form);
    colonne->addWidget(new QLabel("Catégories existantes :", this));
    colonne->addWidget(lsv_cat, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(cmd[0]);
    bas->addWidget(cmd[1]);
    colonne->addLayout(bas);
    Fixer_taille_design(7500, 6600);

    connect(Cmd_def[0], &QPushButton::clicked, this, &det_categorie_record_club::ajouter);
    connect(Cmd_def[1], &QPushButton::clicked, this, &det_categorie_record_club::modifier);
    connect(Cmd_def[2], &QPushButton::clicked, this, &det_categorie_record_club::supprimer);
    connect(cmd[0], &QPushButton::clicked, this, &det_categorie_record_club::ok);
    connect(cmd[1], &QPushButton::clicked, this, &QWidget::close);
    connect(lsv_cat, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* ligne) { afficherLigne(Index_ligne(lsv_cat, ligne)); });

    Charger_categories();
}

VerrousMenus det_categorie_record_club::Verrous()
{
    VerrousMenus v;
    v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    v.groupe(GroupeVerrou::Perf, {0, 0, 0, 0, 0, 1, 1});
    return v;
}

void det_categorie_record_club::Charger_categories()
{
    lsv_cat->clear();
    for (const CategorieRecord& c : Lire_categories(strCodeClub))
        Ajouter_ligne(lsv_cat, {c.libelle, QString::number(c.ageInf), QString::number(c.ageSup), c.sexe});
    const bool remplie = Nombre_lignes(lsv_cat) > 0;
    Cmd_def[1]->setEnabled(remplie);
    Cmd_def[2]->setEnabled(remplie);
    if (remplie) {
        Selectionner_element(lsv_cat, 1);
        afficherLigne(1);
    }
}

void det_categorie_record_club::afficherLigne(int ligne)
{
    QTreeWidgetItem* l = Ligne(lsv_cat, ligne);
    if (!l)
        return;
    txt_libelle->setText(l->text(0));
    txt_age[0]->setText(l->text(1));
    txt_age[1]->setText(l->text(2));
    for (QRadioButton* option : Opt_sexe) {
        if (option->text() == l->text(3))
            option->setChecked(true);
    }
}

QString det_categorie_record_club::Lire_sexe_choisi() const
{
    const int i = Option_choisie({Opt_sexe[0], Opt_sexe[1], Opt_sexe[2]}, -1);
    return i < 0 ? QString() : Opt_sexe[i]->text();
}

QList<CategorieRecord> det_categorie_record_club::Categories_liste() const
{
    QList<CategorieRecord> lignes;
    for (int i = 1; i <= Nombre_lignes(lsv_cat); ++i) {
        const QTreeWidgetItem* l = Ligne(lsv_cat, i);
        lignes << CategorieRecord{l->text(0), l->text(1).toInt(), l->text(2).toInt(), l->text(3)};
    }
    return lignes;
}

QString det_categorie_record_club::Verifier_categorie(int ignoree)
{
    QString probleme;
    if (txt_libelle->text().trimmed().isEmpty())
        probleme += "Le libellé est manquant.\n";
    if (txt_age[0]->text().trimmed().isEmpty())
        txt_age[0]->setText("0");
    if (txt_age[1]->text().trimmed().isEmpty())
        txt_age[1]->setText(txt_age[0]->text());
    const int min = txt_age[0]->text().trimmed().toInt();
    const int max = txt_age[1]->text().trimmed().toInt();
    if (Bornes_deja_comprises(Categories_liste(), ignoree, min, max, Lire_sexe_choisi()))
        probleme += "Les ages limites sont déjà compris dans une catégorie";
    return probleme;
}

int det_categorie_record_club::Position_categorie(int min, const QString& sexe) const
{
    return ::Position_categorie(Categories_liste(), min, sexe);
}

void det_categorie_record_club::Modifier_item_categorie(int ligne)
{
    QTreeWidgetItem* l = Ligne(lsv_cat, ligne);
    if (!l)
        return;
    l->setText(0, txt_libelle->text());
    l->setText(1, txt_age[0]->text());
    l->setText(2, txt_age[1]->text());
    l->setText(3, Lire_sexe_choisi());
}

namespace {

void Refuser(const QString& probleme, const QPushButton* bouton)
{
    Afficher_information(probleme + "\n" + QString(bouton->text()).remove('&') + " impossible !");
}

} // namespace

void det_categorie_record_club::ajouter()
{
    const QString probleme = Verifier_categorie(-1);
    if (!probleme.isEmpty()) {
        Refuser(probleme, Cmd_def[0]);
        return;
    }
    const int place = Position_categorie(txt_age[0]->text().toInt(), Lire_sexe_choisi());
    lsv_cat->insertTopLevelItem(place - 1, new QTreeWidgetItem(QStringList {QString(), {}, {}, {}}));
    Modifier_item_categorie(place);
    Selectionner_element(lsv_cat, place);
    Cmd_def[1]->setEnabled(true);
    Cmd_def[2]->setEnabled(true);
}

void det_categorie_record_club::modifier()
{
    const int ligne = Ligne_courante(lsv_cat);
    if (ligne < 1)
        return;
    const QString probleme = Verifier_categorie(ligne);
    if (!probleme.isEmpty()) {
        Refuser(probleme, Cmd_def[1]);
        return;
    }
    Modifier_item_categorie(ligne);
}

void det_categorie_record_club::supprimer()
{
    const int ligne = Ligne_courante(lsv_cat);
    if (ligne < 1)
        return;
    delete lsv_cat->takeTopLevelItem(ligne - 1);
    if (Nombre_lignes(lsv_cat) == 0) {
        Cmd_def[1]->setEnabled(false);
        Cmd_def[2]->setEnabled(false);
        Vider_textes({txt_libelle, txt_age[0], txt_age[1]});
        return;
    }
    const int suivante = ligne > 1 ? ligne - 1 : 1;
    Selectionner_element(lsv_cat, suivante);
    afficherLigne(suivante);
}

bool det_categorie_record_club::Enregistrer_categories()
{
    const QList<CategorieRecord> lignes = Categories_liste();
    try {
        const int orphelins = Compter_records_orphelins(strCodeClub, lignes);
        if (orphelins > 0) {
            const QString texte =
                orphelins == 1
                    ? QString("1 record n'appartiendra plus à aucune catégorie : il sera supprimé.")
                    : QString("%1 records n'appartiendront plus à aucune catégorie : ils seront supprimés.").arg(orphelins);
            if (Demander_confirmation(texte + "\n\nEnregistrer quand même les catégories ?", Style::DefautBouton2)
                != Reponse::Oui)
                return false;
        }
        CurseurOccupe occupe;
        Afficher_statut("Enregistrement des catégories");
        ::Enregistrer_categories(strCodeClub, lignes);
        Afficher_statut(QString());
        return true;
    } catch (const std::exception& e) {
        Afficher_statut(QString());
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'enregistrement des catégories.");
        return false;
    }
}

void det_categorie_record_club::ok()
{
    if (Enregistrer_categories())
        close();
}

bool det_categorie_record_club::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 3; ++i) {
            if (objet == PicSexe[i])
                Opt_sexe[i]->setChecked(true);
        }
    }
    if (objet == lsv_cat && evenement->type() == QEvent::KeyRelease
        && static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete && Cmd_def[2]->isEnabled())
        supprimer();
    return FenetreComptee::eventFilter(objet, evenement);
}

void Ouvrir_det_categorie_record_club(QPointer<det_categorie_record_club>& fenetre)
{
    Ouverture o;
    o.verrous = det_categorie_record_club::Verrous();
    Ouvrir_fenetre(fenetre, o);
}
