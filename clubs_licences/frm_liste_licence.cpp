#include "clubs_licences/frm_liste_licence.h"

#include "clubs_licences/det_licence.h"
#include "clubs_licences/licences.h"
#include "clubs_licences/liste_licences.h"
#include "clubs_licences/saison.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString lettresSexe = "M~F";
const QString lettresType = "T~N~R";
const QString lettresNature = "N~E";
const char* const colonnesAffiliation[6] = {"Sportive", "Synchro", "Water_Polo", "Plongeon", "Dirigeant", "Maitre"};

const QString msgMemorisation = "Erreur lors de la mémorisation des informations.\r\nSuppression annulée.";

QString Borne(const QString& texte, const char* colonne, const char* operateur)
{
    if (texte.isEmpty())
        return QString();
    return QString("AND Licence.%1 %2 %3 ").arg(colonne, operateur, Sql_texte(texte));
}

QString Egalite(const QString& lettre, const char* colonne)
{
    if (lettre.isEmpty())
        return QString();
    return QString("AND Licence.%1 = %2 ").arg(colonne, Sql_texte(lettre));
}

QList<QAbstractButton*> Boutons(QRadioButton* const* options, int n)
{
    QList<QAbstractButton*> liste;
    for (int i = 0; i < n; ++i)
        liste << options[i];
    return liste;
}

// The letter of the option set, "" when none.
QString Lettre_option(QRadioButton* const* options, int n, const QString& lettres)
{
    const int i = Option_choisie(Boutons(options, n), -1);
    return i < 0 ? QString() : lettres.split('~').value(i);
}

void Cocher_lettre(QRadioButton* const* options, int n, const QString& lettres, const QString& lettre)
{
    Reinitialiser_options(Boutons(options, n), true);
    const int i = lettre.isEmpty() ? -1 : static_cast<int>(lettres.split('~').indexOf(lettre));
    if (i >= 0 && i < n)
        options[i]->setChecked(true);
}

} // namespace

QString Criteres_licences(const QStringList& v)
{
    const auto valeur = [&v](int i) { return v.value(i).trimmed(); };
    QString criteres;
    criteres += Borne(valeur(0), "Nom", ">=");
    // Names that begin with the upper bound are within it: "entre A et D" keeps DUBOIS, as the
    // upper year keeps the whole year.
    if (!valeur(1).isEmpty())
        criteres += QString("AND (Licence.Nom <= %1 OR substr(Licence.Nom, 1, %2) = %1 COLLATE NOCASE) ")
                        .arg(Sql_texte(valeur(1)))
                        .arg(valeur(1).size());
    criteres += Borne(valeur(2), "Date_Naissance", ">=");
    // The boxes hold years and the column whole dates: "1995" alone would sort before every
    // date of 1995 and leave that year out of "entre 1990 et 1995".
    if (!valeur(3).isEmpty())
        criteres += Borne(valeur(3) + "9999", "Date_Naissance", "<=");
    criteres += Egalite(valeur(4), "Sexe");
    criteres += Egalite(valeur(5), "Type_licence");
    criteres += Egalite(valeur(6), "Nature");
    QString activites;
    for (int i = 0; i < 6; ++i) {
        if (valeur(7 + i) == "O")
            activites += QString("OR Licence.%1 = 'O' ").arg(colonnesAffiliation[i]);
    }
    if (!activites.isEmpty())
        criteres += "AND (" + activites.mid(2) + ") ";
    return criteres + " ";
}

frm_liste_licence::frm_liste_licence(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_liste_licence");
    // Pending deletions belong to one open list: what an earlier one left is not ours.
    Vider_table("Licence_tempo");
    bChargementFenetre = true;

    QStringList colonnes = {"Nom", "Prénom", "N° Licence"};
    if (bClubSelection)
        colonnes << "Club Origine";
    colonnes << "Date Naissance";
    lsv_licence = Creer_liste_rapport(this, "lsv_licence", colonnes);
    lsv_licence->setSortingEnabled(false);
    lsv_licence->header()->setSectionsClickable(true);
    lsv_licence->header()->setSortIndicatorShown(false);
    lsv_licence->header()->setStretchLastSection(true);
    const int largeur = Twips_en_pixels(8400);
    const double parts[] = {0.28, 0.22, 0.16, 0.18};
    for (int i = 0; i < lsv_licence->columnCount() - 1; ++i)
        lsv_licence->setColumnWidth(i, static_cast<int>(largeur * parts[std::min(i, 3)]));
    lsv_info_lic = Creer_liste_rapport(this, "lsv_info_lic", {"Nom Complet", "N° Licence", "Num"});
    lsv_info_lic->hide();

    static const char* const textes[6] = {"&Ok", "&Annuler", "&Modifier", "&Tri", "&Valider", "&Restaurer"};
    for (int i = 0; i < 6; ++i) {
        Cmd[i] = new QPushButton(textes[i], this);
        Cmd[i]->setObjectName(QString("Cmd_%1").arg(i));
        connect(Cmd[i], &QPushButton::clicked, this, [this, i] { cmdClick(i); });
    }
    construireCriteres();

    txt_recherche = new QLineEdit(this);
    txt_recherche->setObjectName("txt_recherche");
    txt_recherche->setMaximumWidth(Twips_en_pixels(2400));
    txt_recherche->setToolTip("Recherche rapide");
    Img_findfast = new QLabel(this);
    Img_findfast->setObjectName("Img_findfast");
    Img_findfast->setPixmap(QIcon::fromTheme("edit-find", style()->standardIcon(QStyle::SP_FileDialogContentsView))
                                .pixmap(16, 16));
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(lsv_licence, 1);
    colonne->addWidget(frm_crit, 1);
    auto* rangee = new QHBoxLayout;
    rangee->addWidget(Img_findfast);
    rangee->addWidget(txt_recherche);
    rangee->addStretch(1);
    for (int i : {2, 3, 0, 1})
        rangee->addWidget(Cmd[i]);
    colonne->addLayout(rangee);
    colonne->addWidget(StatusBar1);
    frm_crit->hide();
    Fixer_taille_design(8805, 6690);

    auto* recherche = new RechercheRapide(lsv_licence, lsv_info_lic, txt_recherche);
    connect(recherche, &RechercheRapide::entreeTapee, this, &frm_liste_licence::SimulAction);
    // After the search's own filter, so that Enter acts before the search empties the box.
    txt_recherche->installEventFilter(this);
    lsv_licence->installEventFilter(this);
    lsv_licence->viewport()->installEventFilter(this);
    connect(lsv_licence->header(), &QHeaderView::sectionClicked, this, [this](int i) { trier(i + 1); });
    connect(lsv_licence, &QTreeWidget::itemDoubleClicked, this, [this] {
        const bool choisir = strAction == "Choisir";
        SimulAction();
        if (!choisir)
            Timer1->start(10);
    });
    connect(Timer1, &QTimer::timeout, this, [this] { Garder_selection(lsv_licence, Timer1); });

    m_criteresSauves = QStringList(NB_CRITERES_LICENCE, QString());
    bChargementFenetre = false;
}

void frm_liste_licence::construireCriteres()
{
    frm_crit = new QGroupBox("Critères tri", this);
    frm_crit->setObjectName("frm_crit");
    auto* grille = new QGridLayout(frm_crit);

    auto boite = [this](const char* nom, int i) {
        auto* b = new QLineEdit(frm_crit);
        b->setObjectName(QString("%1_%2").arg(nom).arg(i));
        Installer_selection_au_focus(b);
        return b;
    };
    for (int i = 0; i < 2; ++i) {
        txt_nom[i] = boite("txt_nom", i);
        txt_age[i] = boite("txt_age", i);
        txt_age[i]->setMaxLength(4);
        txt_age[i]->setMaximumWidth(Twips_en_pixels(900));
        Installer_filtre_chiffre(txt_age[i]);
    }
    grille->addWidget(new QLabel("Nom compris entre", frm_crit), 0, 0);
    grille->addWidget(txt_nom[0], 0, 1);
    grille->addWidget(new QLabel("et", frm_crit), 0, 2);
    grille->addWidget(txt_nom[1], 0, 3);
    grille->addWidget(new QLabel("Année d'age comprise entre", frm_crit), 1, 0);
    grille->addWidget(txt_age[0], 1, 1, Qt::AlignLeft);
    grille->addWidget(new QLabel("et", frm_crit), 1, 2);
    grille->addWidget(txt_age[1], 1, 3, Qt::AlignLeft);

    auto option = [](QWidget* parent, const char* nom, int i, const char* texte) {
        auto* o = new QRadioButton(texte, parent);
        o->setObjectName(QString("%1_%2").arg(nom).arg(i));
        return o;
    };
    auto effacer = [this](QWidget* parent, int i) {
        auto* b = new QPushButton("Effacer la sélection", parent);
        b->setObjectName(QString("Cmd_clear_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (i == 0)
                Reinitialiser_options(Boutons(Option_sexe, 2), true);
            else if (i == 1)
                Reinitialiser_options(Boutons(Option_type, 3), true);
            else
                Reinitialiser_options(Boutons(Option_nature, 2), true);
        });
        Cmd_clear[i] = b;
        return b;
    };

    auto* sexe = new QGroupBox("Sexe", frm_crit);
    auto* ls = new QGridLayout(sexe);
    static const char* const symboles[2] = {"\u2642", "\u2640"};
    static const char* const bulles[2] = {"Homme", "Femme"};
    for (int i = 0; i < 2; ++i) {
        Option_sexe[i] = option(sexe, "Option_sexe", i, i == 0 ? "M" : "F");
        PicSexe[i] = new QLabel(QString::fromUtf8(symboles[i]), sexe);
        PicSexe[i]->setObjectName(QString("PicSexe_%1").arg(i));
        PicSexe[i]->setToolTip(bulles[i]);
        PicSexe[i]->installEventFilter(this);
        ls->addWidget(Option_sexe[i], i, 0);
        ls->addWidget(PicSexe[i], i, 1);
    }
    ls->addWidget(effacer(sexe, 0), 2, 0, 1, 2);

    auto* type = new QGroupBox("Type de licence", frm_crit);
    auto* lt = new QVBoxLayout(type);
    static const char* const types[3] = {"Transfert", "Nouvelle", "Renouvellement"};
    for (int i = 0; i < 3; ++i) {
        Option_type[i] = option(type, "Option_type", i, types[i]);
        lt->addWidget(Option_type[i]);
    }
    lt->addWidget(effacer(type, 1));

    auto* nature = new QGroupBox("Nature de la licence", frm_crit);
    auto* ln = new QVBoxLayout(nature);
    Option_nature[0] = option(nature, "Option_nature", 0, "Normale");
    Option_nature[1] = option(nature, "Option_nature", 1, "Eté");
    ln->addWidget(Option_nature[0]);
    ln->addWidget(Option_nature[1]);
    ln->addWidget(effacer(nature, 2));

    auto* groupes = new QHBoxLayout;
    groupes->addWidget(sexe);
    groupes->addWidget(type);
    groupes->addWidget(nature);
    grille->addLayout(groupes, 2, 0, 1, 4);

    auto* affiliation = new QGroupBox("Affiliation :", frm_crit);
    auto* la = new QGridLayout(affiliation);
    static const char* const affiliations[6] = {"Nat. Sportive", "Nat. Synchro", "Water Polo",
                                                "Plongeon",      "Dirigeant",    "Maître"};
    for (int i = 0; i < 6; ++i) {
        Check1[i] = new QCheckBox(QString::fromUtf8(affiliations[i]), affiliation);
        Check1[i]->setObjectName(QString("Check1_%1").arg(i));
        la->addWidget(Check1[i], i / 3, i % 3);
    }
    grille->addWidget(affiliation, 3, 0, 1, 4);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Cmd[4]);
    boutons->addWidget(Cmd[5]);
    grille->addLayout(boutons, 4, 0, 1, 4);
    grille->setRowStretch(5, 1);
}

frm_liste_licence::~frm_liste_licence()
{
    // Destroyed without closing (with the main window): the pending deletions still come back.
    if (!m_dechargee && !m_fermeture && cnxBase.ouverte()) {
        try {
            annulerSuppressions();
            Vider_table("Licence_tempo");
        } catch (const std::exception&) {
        }
    }
}

VerrousMenus frm_liste_licence::Verrous_du_mode(const QString& mode)
{
    VerrousMenus verrous;
    const bool ecriture = mode == "Modif" || mode == "Suppr";
    if (!ecriture && mode != "View" && mode != "SsCotisation")
        return verrous;
    verrous.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
    verrous.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
    if (ecriture) {
        verrous.groupeEntier(GroupeVerrou::Licence);
        verrous.groupeEntier(GroupeVerrou::Engag);
        verrous.groupe(GroupeVerrou::ModeleEngag, {1, 1, 1, 0});
    } else {
        verrous.groupe(GroupeVerrou::Licence, {1, 1, 1, 1, 1, 0, 0});
    }
    return verrous;
}

void frm_liste_licence::Fixer_annuler(bool bAnnuler)
{
    m_bAnnuler = bAnnuler;
    Cmd[1]->setEnabled(bAnnuler);
}

QString frm_liste_licence::numLigne(int index) const
{
    QTreeWidgetItem* ligne = Ligne(lsv_info_lic, index);
    return ligne ? ligne->text(2) : QString();
}

QString frm_liste_licence::Num_selectionne() const
{
    return numLigne(Ligne_courante(lsv_licence));
}

QString frm_liste_licence::Requete_courante() const
{
    return m_base + " " + m_criteres + " " + m_orderBy;
}

void frm_liste_licence::set_liste(const QString& sql, const QString& numSel)
{
    Afficher_statut("Chargement de la liste des licences");
    QString requete = sql;
    if (requete.isEmpty()) {
        if (bClubSelection) {
            requete = "SELECT Licence.Num, Licence.Licence, Licence.Nom, Licence.Prenom, Club.Intitule, "
                      "Licence.Date_Naissance "
                      "FROM Club Club, Licence Licence, Selection Selection "
                      "WHERE Club.Code_federal = Licence.Code_club and Licence.Num = Selection.Num_Lic and "
                      "Selection.Code_Sel = "
                      + Sql_texte(strCodeClub)
                      + " and Selection.Visible = true and Licence.Visible = true "
                        "order by Licence.Nom, Licence.Prenom, Club.Intitule";
        } else {
            requete = "SELECT Num, Licence, Nom, Prenom, Date_Naissance FROM Licence WHERE Code_Club = "
                      + Sql_texte(strCodeClub) + " and Visible = true order by Nom, Prenom";
        }
    }
    if (strAction == "SsCotisation")
        requete.replace("WHERE ", "WHERE " + Condition_licence_sans_tarif() + " AND ", Qt::CaseSensitive);
    if (m_base.isEmpty()) {
        const qsizetype ordre = requete.indexOf(" order by ", 0, Qt::CaseInsensitive);
        if (ordre < 0) {
            m_base = requete;
            m_orderBy.clear();
        } else {
            m_base = requete.left(ordre);
            m_orderBy = requete.mid(ordre + 1);
        }
    }
    remplir(requete, numSel);
    const bool lignes = Nombre_lignes(lsv_licence) > 0;
    Cmd[2]->setEnabled(lignes);
    // An empty result disables "&Annuler"; rows give back what the opener allowed, so that a
    // filter that matched nothing does not take the undo away.
    Cmd[1]->setEnabled(lignes && m_bAnnuler);
    Afficher_statut(QString());
}

void frm_liste_licence::ReloadListe(const QString& numSel)
{
    remplir(Requete_courante(), numSel);
    Cmd[2]->setEnabled(Nombre_lignes(lsv_licence) > 0);
}

void frm_liste_licence::remplir(const QString& sql, const QString& numSel)
{
    CurseurOccupe occupe;
    ColonnesListes colonnes;
    colonnes[0] = bClubSelection ? QList<int> {2, 3, 1, 4, 5} : QList<int> {2, 3, 1, 4};
    colonnes[1] = {2, 3, 1, 0};
    Remplir_liste_licences(sql, lsv_licence, lsv_info_lic, true, bClubSelection, colonnes);
    const int n = Nombre_lignes(lsv_licence);
    if (n > 0) {
        int i = numSel.isEmpty() ? -1 : Chercher_element(numSel, lsv_info_lic, 0, 2, 0);
        if (i < 1 || i > n)
            i = 1;
        Selectionner_element(lsv_licence, i);
    }
    etatListe(n > 0);
}

void frm_liste_licence::etatListe(bool bLignes)
{
    lsv_licence->setEnabled(bLignes);
    txt_recherche->setEnabled(bLignes);
    if (!bLignes)
        txt_recherche->clear();
}

void frm_liste_licence::trier(int colonne)
{
    Afficher_statut("Chargement de la liste des licences");
    const QString ordre = Get_order_by_licence(colonne, m_triDesc, m_triColonne, !bClubSelection);
    if (!ordre.isEmpty()) {
        m_orderBy = ordre;
        remplir(Requete_courante(), Num_selectionne());
    }
    Afficher_statut(QString());
}

void frm_liste_licence::SimulAction()
{
    if (strAction == "View" || strAction == "Modif" || strAction == "Suppr")
        Cmd[2]->click();
    else if (strAction == "Choisir")
        Cmd[0]->click();
}

void frm_liste_licence::cmdClick(int index)
{
    switch (index) {
    case 0:
        ok();
        break;
    case 1:
        m_fermeture = true;
        if (!annulerSuppressions()) {
            m_fermeture = false;
            return;
        }
        fermer();
        break;
    case 2:
        if (strAction == "Suppr") {
            supprimerLigne();
        } else if (strAction == "Modif") {
            const QString num = Num_selectionne();
            if (num.isEmpty())
                return;
            // Another licence is not loaded over edits in progress.
            if (Fenetre_deja_ouverte(m_detail, m_detail && m_detail->strNumLicence == num))
                return;
            try {
                Ouvrir_det_licence(m_detail, this, "Modif", "Modifier Licence", num);
            } catch (const std::exception& e) {
                Memoriser_erreur(e);
                Afficher_erreur("Erreur lors du chargement de la licence.");
            }
        }
        break;
    case 3:
        afficherCriteres(true);
        break;
    case 4: {
        afficherCriteres(false);
        m_criteresSauves = valeursCriteres();
        m_criteres = Criteres_licences(m_criteresSauves);
        try {
            ReloadListe(Num_selectionne());
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Erreur lors du chargement de la liste des licences.");
        }
        break;
    }
    case 5:
        afficherCriteres(false);
        restaurerCriteres();
        break;
    default:
        break;
    }
}

void frm_liste_licence::afficherCriteres(bool bCriteres)
{
    frm_crit->setVisible(bCriteres);
    lsv_licence->setVisible(!bCriteres);
    Cmd[3]->setEnabled(!bCriteres);
}

QStringList frm_liste_licence::valeursCriteres() const
{
    QStringList v;
    v << txt_nom[0]->text().trimmed() << txt_nom[1]->text().trimmed() << txt_age[0]->text().trimmed()
      << txt_age[1]->text().trimmed();
    v << Lettre_option(Option_sexe, 2, lettresSexe) << Lettre_option(Option_type, 3, lettresType)
      << Lettre_option(Option_nature, 2, lettresNature);
    for (QCheckBox* c : Check1)
        v << (c->isChecked() ? "O" : "");
    return v;
}

void frm_liste_licence::restaurerCriteres()
{
    const QStringList& v = m_criteresSauves;
    txt_nom[0]->setText(v.value(0));
    txt_nom[1]->setText(v.value(1));
    txt_age[0]->setText(v.value(2));
    txt_age[1]->setText(v.value(3));
    Cocher_lettre(Option_sexe, 2, lettresSexe, v.value(4));
    Cocher_lettre(Option_type, 3, lettresType, v.value(5));
    Cocher_lettre(Option_nature, 2, lettresNature, v.value(6));
    for (int i = 0; i < 6; ++i)
        Check1[i]->setChecked(v.value(7 + i) == "O");
}

void frm_liste_licence::supprimerLigne()
{
    const int index = Ligne_courante(lsv_licence);
    const QString num = numLigne(index);
    if (num.isEmpty())
        return;
    try {
        if (bClubSelection) {
            cnxBase.Execute("Update Selection Set Suppr = true, Visible = false where Num_Lic = " + num
                            + " and Code_Sel = " + Sql_texte(strCodeClub));
        } else {
            if (!Copier_licence_tempo(num)) {
                Afficher_erreur(msgMemorisation);
                return;
            }
            try {
                cnxBase.Execute("Update Licence Set Visible = false where Num = " + num);
            } catch (...) {
                // Not hidden: it must not be committed at "&Ok" either.
                cnxBase.Execute("DELETE FROM Licence_tempo WHERE Num = " + num);
                throw;
            }
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(msgMemorisation);
        return;
    }
    delete lsv_licence->takeTopLevelItem(index - 1);
    delete lsv_info_lic->takeTopLevelItem(index - 1);
    const int reste = Nombre_lignes(lsv_licence);
    if (reste > 0) {
        Selectionner_element(lsv_licence, std::min(index, reste));
    } else {
        Cmd[2]->setEnabled(false);
        etatListe(false);
    }
    lsv_licence->viewport()->update();
    txt_recherche->clear();
}

bool frm_liste_licence::annulerSuppressions()
{
    if (strAction != "Suppr")
        return true;
    try {
        if (bClubSelection)
            cnxBase.Execute("UPDATE Selection Set Suppr = false, Visible = true WHERE Code_Sel = "
                            + Sql_texte(strCodeClub) + " AND Suppr = true");
        else
            cnxBase.Execute("Update Licence Set Visible = true where Num in (select Num from Licence_tempo)");
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la restauration des licences supprimées.");
        return false;
    }
}

void frm_liste_licence::ok()
{
    m_fermeture = true;
    if (strAction == "Suppr") {
        try {
            CurseurOccupe occupe;
            Supprimer_engagements_licences(bClubSelection, strCodeClub, QString());
        } catch (const std::exception& e) {
            // Left open: the user may try again or undo.
            m_fermeture = false;
            Memoriser_erreur(e);
            Afficher_erreur("Erreur lors de la suppression des licences.");
            return;
        }
    } else if (strAction == "Choisir") {
        const QString num = Num_selectionne();
        if (!num.isEmpty()) {
            if (auto* cible = dynamic_cast<ChoixLicence*>(frmCible.data())) {
                try {
                    cible->remplir_champs(num);
                } catch (const std::exception& e) {
                    Memoriser_erreur(e);
                    Afficher_erreur("Erreur lors du chargement de la licence.");
                }
            }
        }
    } else if (strAction == "SsCotisation") {
        for (const QString& num : std::as_const(m_ordreTarifs)) {
            try {
                cnxBase.Execute("UPDATE Licence SET Tarif = " + Sql_texte(m_tarifs.value(num)) + " WHERE Num = " + num);
            } catch (const std::exception&) {
                // The next licences still get theirs.
            }
        }
    }
    fermer();
}

void frm_liste_licence::fermer()
{
    m_tarifs.clear();
    m_ordreTarifs.clear();
    close();
}

void frm_liste_licence::closeEvent(QCloseEvent* event)
{
    if (!m_fermeture) {
        m_fermeture = true;
        annulerSuppressions();
        m_tarifs.clear();
        m_ordreTarifs.clear();
    }
    FenetreComptee::closeEvent(event);
    if (m_dechargee)
        return;
    m_dechargee = true;
    if (cnxBase.ouverte()) {
        try {
            Vider_table("Licence_tempo");
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
        }
    }
    retirerMenusTarifs();
}

void frm_liste_licence::Decharger_fenetres_filles()
{
    if (m_detail)
        m_detail->close();
}

void frm_liste_licence::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "det_licence")
        m_detail.clear();
}

// ---------------------------------------------------------------- tariffs

QMenu* frm_liste_licence::Menu_tarifs()
{
    if (QAction* action = Menu("mnuTarifs"); action && action->menu())
        return action->menu();
    if (!m_menuPropre) {
        m_menuPropre = new QMenu("Tarifs", this);
        m_menuPropre->setObjectName("mnuTarifs");
        m_menuPropre->addAction("Aucun")->setObjectName("mnuTarifsSel_0");
    }
    return m_menuPropre;
}

void frm_liste_licence::retirerMenusTarifs()
{
    QMenu* menu = Menu_tarifs();
    const QList<QAction*> actions = menu->actions();
    for (QAction* a : actions) {
        if (a->objectName().startsWith("mnuTarifsSel_") && a->objectName() != "mnuTarifsSel_0") {
            menu->removeAction(a);
            delete a;
        }
    }
}

void frm_liste_licence::ChargeMenuTarifs()
{
    QMenu* menu = Menu_tarifs();
    retirerMenusTarifs();
    if (QAction* aucun = menu->findChild<QAction*>("mnuTarifsSel_0"))
        aucun->setCheckable(true);
    Executer_requete("SELECT Intitule FROM Tarifs WHERE Code_federal = " + Sql_texte(strCodeClub)
                         + " ORDER BY Intitule",
                     false);
    const QStringList intitules = colResultat.colonne(0);
    Liberer_resultat();
    for (qsizetype i = 0; i < intitules.size(); ++i) {
        // The caption shows "&" as typed; the name itself travels in the data.
        auto* action = new QAction(QString(intitules[i]).replace("&", "&&"), menu);
        action->setObjectName(QString("mnuTarifsSel_%1").arg(i + 1));
        action->setData(intitules[i]);
        action->setCheckable(true);
        menu->addAction(action);
    }
}

void frm_liste_licence::menuTarifsSurLigne(const QPoint& position)
{
    QMenu* menu = Menu_tarifs();
    const QList<QAction*> actions = menu->actions();
    for (QAction* a : actions)
        a->setChecked(false);
    QTreeWidgetItem* ligne = lsv_licence->itemAt(position);
    if (!ligne)
        return;
    lsv_licence->setCurrentItem(ligne);
    const QString attente = m_tarifs.value(numLigne(Index_ligne(lsv_licence, ligne)));
    QAction* coche = menu->findChild<QAction*>("mnuTarifsSel_0");
    if (!attente.isEmpty()) {
        for (QAction* a : actions) {
            if (a->objectName() != "mnuTarifsSel_0" && a->data().toString() == attente) {
                coche = a;
                break;
            }
        }
    }
    if (coche)
        coche->setChecked(true);
    QAction* choisie = Services::ihm().menuContextuel(*menu, lsv_licence->viewport()->mapToGlobal(position));
    if (choisie && choisie->objectName().startsWith("mnuTarifsSel_"))
        mnuTarifsSel_Click(choisie->objectName().mid(13).toInt());
}

void frm_liste_licence::mnuTarifsSel_Click(int index)
{
    const QString num = Num_selectionne();
    if (num.isEmpty())
        return;
    if (index == 0) {
        m_tarifs.remove(num);
        m_ordreTarifs.removeAll(num);
        return;
    }
    QAction* action = Menu_tarifs()->findChild<QAction*>(QString("mnuTarifsSel_%1").arg(index));
    if (!action)
        return;
    const QString intitule = action->data().toString();
    if (m_tarifs.contains(num) && m_tarifs.value(num) == intitule)
        return;
    m_ordreTarifs.removeAll(num);
    m_tarifs.insert(num, intitule);
    m_ordreTarifs << num;
}

// ---------------------------------------------------------------- keys and clicks

bool frm_liste_licence::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type type = evenement->type();
    if (objet == lsv_licence && type == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Delete && strAction == "Suppr" && Nombre_lignes(lsv_licence) > 0)
            supprimerLigne();
    } else if (objet == lsv_licence->viewport() && type == QEvent::MouseButtonRelease) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        if (souris->button() == Qt::RightButton && strAction == "SsCotisation") {
            menuTarifsSurLigne(souris->position().toPoint());
            return true;
        }
    } else if (objet == txt_recherche && type == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        m_toucheRecherche = touche->key();
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter || touche->key() == Qt::Key_Escape)
            return true;
    } else if (objet == txt_recherche && type == QEvent::KeyRelease) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (!touche->isAutoRepeat() && (m_toucheRecherche == Qt::Key_Return || m_toucheRecherche == Qt::Key_Enter)) {
            m_toucheRecherche = 0;
            const bool choisir = strAction == "Choisir";
            SimulAction();
            if (choisir)
                return true;
        }
    } else if (type == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 2; ++i) {
            if (objet == PicSexe[i])
                Option_sexe[i]->setChecked(true);
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

// ---------------------------------------------------------------- opener

void Ouvrir_liste_licences(QPointer<frm_liste_licence>& fenetre, const QString& titre, const QString& mode,
                           bool bAnnuler, const QString& texteModifier, int gauche, int haut, const QString& sql,
                           const QString& numSel, QWidget* cible)
{
    Ouverture ouverture;
    ouverture.verrous = frm_liste_licence::Verrous_du_mode(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = cible;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_liste_licence& liste) {
        liste.Fixer_annuler(bAnnuler);
        liste.Cmd[2]->setText(texteModifier);
        liste.Cmd[2]->setVisible(!texteModifier.isEmpty());
        liste.set_liste(sql, numSel);
        if (mode == "SsCotisation")
            liste.ChargeMenuTarifs();
    });
}
