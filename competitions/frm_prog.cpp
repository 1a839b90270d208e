#include "competitions/frm_prog.h"

#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_modele.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString erreurEnregistrement = "Une erreur s'est produite lors de l'enregistrement du programme.";

QRadioButton* option(QWidget* parent, QVBoxLayout* cadre, const QString& nom, const QString& texte)
{
    auto* o = new QRadioButton(texte, parent);
    o->setObjectName(nom);
    cadre->addWidget(o);
    return o;
}

QString descriptionEpreuve(int type, int nbFinales, const QString& typeFinale)
{
    if (type < 2)
        return "(Classement au temps)";
    QString d;
    switch (type) {
    case 2: d = "(1/2 finales, "; break;
    case 3: d = "(Série finales, "; break;
    case 4: d = "(1/4 finales, "; break;
    case 8: d = "(1/8 finales, "; break;
    default: d = "("; break;
    }
    switch (nbFinales) {
    case 1: d += "finale A, "; break;
    case 2: d += "finale A - B, "; break;
    case 3: d += "finale A - B - C, "; break;
    default: break;
    }
    return d + (typeFinale == "C" ? "par catégories)" : "toutes catégories)");
}

qint16 entier16(const QString& texte)
{
    return static_cast<qint16>(std::clamp(Valeur_numerique(texte), -32768.0, 32767.0));
}

} // namespace

frm_prog::frm_prog(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_prog");

    LsvNage = new QTreeWidget(this);
    LsvNage->setObjectName("LsvNage");
    LsvNage->setHeaderLabels({"Libelle", "Code Nage"});
    LsvNage->setRootIsDecorated(false);
    Colonnes_a_la_mesure(LsvNage);
    LsvNage->setAllColumnsShowFocus(true);
    LsvNage->header()->setStretchLastSection(false);
    LsvNage->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    LsvNage->setColumnWidth(1, Twips_en_pixels(1200));

    Lsv_prog = new QTreeWidget(this);
    Lsv_prog->setObjectName("Lsv_prog");
    Lsv_prog->setHeaderLabels({"Libelle", "Num Ordre"});
    Lsv_prog->setRootIsDecorated(false);
    Colonnes_a_la_mesure(Lsv_prog);
    Lsv_prog->header()->setStretchLastSection(false);
    Lsv_prog->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    Lsv_prog->setColumnWidth(1, Twips_en_pixels(1200));

    fraClassement = new QGroupBox("Type Classement", this);
    auto* cadreClassement = new QVBoxLayout(fraClassement);
    Optclass[1] = option(fraClassement, cadreClassement, "Optclass_1", "Temps");
    Optclass[2] = option(fraClassement, cadreClassement, "Optclass_2", "1/2 Finales");
    Optclass[3] = option(fraClassement, cadreClassement, "Optclass_3", "Séries - Finales");
    Optclass[4] = option(fraClassement, cadreClassement, "Optclass_4", "1/4 finales");
    Optclass[8] = option(fraClassement, cadreClassement, "Optclass_8", "1/8 finales");
    fraNbFinales = new QGroupBox("Nb Finales", this);
    auto* cadreFinales = new QVBoxLayout(fraNbFinales);
    optNbFinales[1] = option(fraNbFinales, cadreFinales, "optNbFinales_1", "Finale A");
    optNbFinales[2] = option(fraNbFinales, cadreFinales, "optNbFinales_2", "Finale A && B");
    optNbFinales[3] = option(fraNbFinales, cadreFinales, "optNbFinales_3", "Finale A, B && C");
    fraTypeFinale = new QGroupBox("Type Finale", this);
    auto* cadreType = new QVBoxLayout(fraTypeFinale);
    OptType[0] = option(fraTypeFinale, cadreType, "OptType_0", "Toutes catégories");
    OptType[1] = option(fraTypeFinale, cadreType, "OptType_1", "Catégories");

    m_CboDate = new QComboBox(this);
    m_CboDate->setObjectName("CboDate");
    lbl_date = new QLabel("Date de l'épreuve :", this);
    txtordre = new QLineEdit(this);
    txtordre->setObjectName("txtordre");
    txtordre->setMaxLength(4);
    Installer_filtre_chiffre(txtordre);
    lbl_ordre = new QLabel("Numéro d'ordre :", this);
    m_txt_nb_journee = new QLineEdit(this);
    m_txt_nb_journee->setObjectName("txt_nb_journee");
    m_txt_nb_journee->setMaxLength(2);
    Installer_filtre_chiffre(m_txt_nb_journee);
    lbl_journee = new QLabel("Nombre de journée :", this);
    lbl_journee->setObjectName("lbl_journee");
    Chk_modele = new QCheckBox("Enregistrer dans un nouveau modèle", this);
    Chk_modele->setObjectName("Chk_modele");

    Cmd_0 = Creer_bouton(this, "Cmd_0", "&Ok");
    Cmd_1 = Creer_bouton(this, "Cmd_1", "&Annuler");
    Cmd_det_def = Creer_bouton(this, "Cmd_det_def", "&Détail");
    Cmd_modele = Creer_bouton(this, "Cmd_modele", "&Modèle");
    Cmd_compet = Creer_bouton(this, "Cmd_compet", "&Compet");
    Cmd_charger = Creer_bouton(this, "Cmd_charger", "&Charger");

    auto* reglages = new QVBoxLayout;
    reglages->addWidget(fraClassement);
    auto* finales = new QHBoxLayout;
    finales->addWidget(fraNbFinales);
    finales->addWidget(fraTypeFinale);
    reglages->addLayout(finales);
    auto* champs = new QGridLayout;
    champs->addWidget(lbl_date, 0, 0);
    champs->addWidget(m_CboDate, 0, 1);
    champs->addWidget(lbl_ordre, 1, 0);
    champs->addWidget(txtordre, 1, 1);
    champs->addWidget(lbl_journee, 2, 0);
    champs->addWidget(m_txt_nb_journee, 2, 1);
    reglages->addLayout(champs);
    reglages->addWidget(Chk_modele);
    reglages->addStretch(1);

    auto* haut = new QGridLayout;
    haut->addWidget(LsvNage, 0, 0);
    haut->addLayout(reglages, 0, 1);
    haut->addWidget(Lsv_prog, 0, 0, 1, 2);
    haut->setColumnStretch(0, 1);

    auto* boutons = new QHBoxLayout;
    for (QPushButton* b : {Cmd_det_def, Cmd_modele, Cmd_compet, Cmd_charger})
        boutons->addWidget(b);
    boutons->addStretch(1);
    boutons->addWidget(Cmd_0);
    boutons->addWidget(Cmd_1);
    auto* tout = new QVBoxLayout(this);
    tout->addLayout(haut, 1);
    tout->addLayout(boutons);

    m_controlesDefinition = {LsvNage, fraClassement, fraNbFinales, fraTypeFinale, lbl_date, lbl_ordre, m_CboDate, txtordre};
    Lsv_prog->hide();
    Fixer_taille_design(9600, 7200);

    connect(LsvNage, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* courant) {
        if (!m_refresh && courant && courant != m_selection)
            Afficher_epreuve(courant);
    });
    connect(LsvNage, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int colonne) {
        // Ticking acts as a click on the event.
        if (!m_refresh && colonne == 0)
            Afficher_epreuve(item);
    });
    for (auto it = Optclass.begin(); it != Optclass.end(); ++it) {
        const int index = it.key();
        connect(it.value(), &QRadioButton::clicked, this, [this, index] { Optclass_Click(index); });
    }
    connect(Cmd_0, &QPushButton::clicked, this, &frm_prog::ok);
    connect(Cmd_1, &QPushButton::clicked, this, &frm_prog::annuler);
    connect(Cmd_det_def, &QPushButton::clicked, this, &frm_prog::Cmd_det_def_Click);
    connect(Cmd_compet, &QPushButton::clicked, this, &frm_prog::Cmd_compet_Click);
    connect(Cmd_modele, &QPushButton::clicked, this, &frm_prog::Cmd_modele_Click);
    connect(Cmd_charger, &QPushButton::clicked, this, &frm_prog::Cmd_charger_Click);
    m_CboDate->installEventFilter(this);
    m_txt_nb_journee->installEventFilter(this);
}

frm_prog::~frm_prog() = default;

VerrousMenus frm_prog::Verrous_du_mode(const QString& mode)
{
    VerrousMenus verrous;
    if (mode == "new modele") {
        verrous.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
        verrous.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
        verrous.groupe(GroupeVerrou::Compet, {0, 0, 1, 0, 1, 0, 0});
        verrous.groupeEntier(GroupeVerrou::ModeleProg);
    }
    return verrous;
}

QString frm_prog::Libelle_journee(int n)
{
    return QString::number(n) + (n == 1 ? "ère" : "ème") + " journée";
}

// ---- Loading ---------------------------------------------------------------------------------

void frm_prog::lireTable(const QString& sql)
{
    m_tab = TableProgramme{};
    m_intJourneeMax = 1;
    Executer_requete(sql, false);
    const int n = colResultat.nbColonnes() >= 6 ? colResultat.Count(0) : 0;
    for (int i = 1; i <= n; ++i) {
        const int code = static_cast<int>(Valeur_numerique(colResultat.item(0, i)));
        // The table knows codes 0 to 99 only.
        if (code < 0 || code >= NbEpreuvesProgramme)
            continue;
        EpreuveProgramme& e = m_tab[code];
        e.JourCourse = entier16(colResultat.item(1, i));
        e.Type = entier16(colResultat.item(2, i));
        e.Nb_finales = entier16(colResultat.item(3, i));
        e.Type_finale = colResultat.item(4, i);
        e.Num_ordre = entier16(colResultat.item(5, i));
        m_intJourneeMax = std::max<int>(m_intJourneeMax, e.JourCourse);
    }
    Liberer_resultat();
}

void frm_prog::setTabFromTab(const QString& num)
{
    lireTable("SELECT Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre FROM Pcomp WHERE Num_compet = "
              + num);
}

void frm_prog::setTabFromModele(const QString& num)
{
    if (m_longueurBassin == 25) {
        lireTable("SELECT Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre FROM Pcomp_modele "
                  "WHERE Num_modele = "
                  + num);
    } else {
        lireTable("SELECT Pcomp_modele.Code_epreuve, Pcomp_modele.JourCourse, Pcomp_modele.Type, "
                  "Pcomp_modele.Nb_finales, Pcomp_modele.Type_finale, Pcomp_modele.Num_ordre "
                  "FROM Nage Nage, Pcomp_modele Pcomp_modele WHERE Nage.Code_Nage = Pcomp_modele.Code_epreuve "
                  "AND Pcomp_modele.Num_modele = "
                  + num + " AND Nage.Possible_50 = true");
    }
}

void frm_prog::setVisibleControlModele()
{
    if (strAction == "View" && m_bModele) {
        for (QWidget* w : QList<QWidget*>{Cmd_det_def, Chk_modele, Cmd_modele, Cmd_charger, Cmd_compet, lbl_journee,
                                          m_txt_nb_journee})
            w->hide();
        Cmd_1->setEnabled(false);
        return;
    }
    Cmd_det_def->show();
    Chk_modele->setVisible(!m_bModele);
    Cmd_modele->setVisible(!m_bModele);
    Cmd_charger->setVisible(m_bModele);
    lbl_journee->setVisible(m_bModele);
    m_txt_nb_journee->setVisible(m_bModele);
}

void frm_prog::setViewControle(bool b)
{
    Fixer_visible(m_controlesDefinition, b);
    Chk_modele->setVisible(b && !m_bModele);
    lbl_journee->setVisible(b && m_bModele);
    m_txt_nb_journee->setVisible(b && m_bModele);
    Lsv_prog->setVisible(!b);
}

void frm_prog::setListeNage()
{
    m_CboDate->clear();
    m_datesJours.clear();
    if (m_bModele) {
        m_longueurBassin = 25;
        setTabFromModele(strNumCompet);
        m_txt_nb_journee->setText(QString::number(m_intJourneeMax));
        SetListeFromText();
    } else {
        Executer_requete("SELECT Longueur, Debut, Fin from Rcomp where AutoNum = " + strNumCompet, false);
        if (colResultat.nbColonnes() >= 3 && colResultat.Count(0) >= 1) {
            m_longueurBassin = static_cast<int>(Valeur_numerique(colResultat.item(0, 1)));
            const QDate debut = QDate::fromString(colResultat.item(1, 1), "yyyyMMdd");
            const QDate fin = std::max(debut, QDate::fromString(colResultat.item(2, 1), "yyyyMMdd"));
            for (QDate d = debut; d.isValid() && d <= fin; d = d.addDays(1))
                m_datesJours << d.toString("yyyyMMdd");
        } else {
            m_longueurBassin = 50;
        }
        Liberer_resultat();
        for (const QString& jour : std::as_const(m_datesJours))
            m_CboDate->addItem(Date_en_texte(jour, "d mmm yyyy"));
        m_CboDate->setCurrentIndex(m_CboDate->count() > 0 ? 0 : -1);
        setTabFromTab(strNumCompet);
    }

    m_refresh = true;
    LsvNage->clear();
    m_selection = nullptr;
    Requete lecture(cnxBase.handle(), "SELECT Libelle, Code_Nage FROM Nage "
                                          + QString(m_longueurBassin == 50 ? "WHERE Possible_50 = true " : "")
                                          + "ORDER BY Mixte DESC, Sexe, Nb_nageurs, Code_nage");
    while (lecture.suivante()) {
        auto* item = new QTreeWidgetItem(LsvNage, {lecture.texte(0), lecture.texte(1)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_refresh = false;
    Cocher_nages_programme();
    if (QTreeWidgetItem* premier = LsvNage->topLevelItem(0))
        Afficher_epreuve(premier);
}

void frm_prog::loadModeleProg()
{
    Remplir_liste_programme("Pcomp_modele", "Num_modele");
}

int frm_prog::codeDe(QTreeWidgetItem* item) const
{
    return item ? static_cast<int>(Valeur_numerique(item->text(1))) : -1;
}

void frm_prog::Cocher_nages_programme()
{
    RefreshListeNage();
}

void frm_prog::RefreshListeNage()
{
    m_refresh = true;
    for (int i = 0; i < LsvNage->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = LsvNage->topLevelItem(i);
        const int code = codeDe(item);
        const bool coche = code >= 0 && code < NbEpreuvesProgramme && m_tab[code].JourCourse >= 1;
        item->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
    }
    if (m_selection)
        Afficher_epreuve(m_selection);
    m_refresh = false;
    if (Cmd_det_def->text() == "&Déf")
        Construire_detail();
}

bool frm_prog::Construire_detail()
{
    try {
        // Written only to be read back: the savepoint takes it all away again.
        PointSauvegarde brouillon("detail_programme");
        if (!SaveTabInTable("Pcomp_tempo", strNumCompet, false))
            return false;
        Remplir_liste_programme("Pcomp_tempo", "Num_compet");
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(erreurEnregistrement);
        return false;
    }
}

void frm_prog::SetListeFromText()
{
    const int n = static_cast<int>(Valeur_numerique(m_txt_nb_journee->text()));
    if (n <= 0) {
        m_txt_nb_journee->setText("1");
        return;
    }
    while (m_CboDate->count() < n)
        m_CboDate->addItem(Libelle_journee(m_CboDate->count() + 1));
    while (m_CboDate->count() > n)
        m_CboDate->removeItem(m_CboDate->count() - 1);
}

// ---- One event -------------------------------------------------------------------------------

QList<QAbstractButton*> frm_prog::options() const
{
    QList<QAbstractButton*> tout;
    for (auto* o : Optclass)
        tout << o;
    for (auto* o : optNbFinales)
        tout << o;
    for (auto* o : OptType)
        tout << o;
    return tout;
}

void frm_prog::Afficher_epreuve(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (!m_refresh)
        Sauver_nage_courante();
    const bool refresh = m_refresh;
    m_refresh = true;
    LsvNage->setCurrentItem(item);
    m_refresh = refresh;

    const int code = codeDe(item);
    if (item->checkState(0) == Qt::Checked && code >= 0 && code < NbEpreuvesProgramme) {
        const EpreuveProgramme& e = m_tab[code];
        Reinitialiser_options(options(), true);
        txtordre->setEnabled(true);
        m_CboDate->setEnabled(true);
        if (Optclass.contains(e.Type)) {
            Optclass[e.Type]->setChecked(true);
            Optclass_Click(e.Type);
        }
        if (optNbFinales.contains(e.Nb_finales))
            optNbFinales[e.Nb_finales]->setChecked(true);
        if (e.Type_finale == "T")
            OptType[0]->setChecked(true);
        else if (e.Type_finale == "C")
            OptType[1]->setChecked(true);
        txtordre->setText(QString::number(e.Num_ordre));
        if (m_CboDate->count() > 0)
            m_CboDate->setCurrentIndex(e.JourCourse <= 0 ? 0 : std::min<int>(e.JourCourse, m_CboDate->count()) - 1);
        if (Option_choisie(QList<QAbstractButton*>(Optclass.begin(), Optclass.end()), -1) < 0) {
            Optclass[1]->setChecked(true);
            Optclass_Click(1);
        }
    } else {
        Reinitialiser_options(options(), false);
        txtordre->clear();
        txtordre->setEnabled(false);
        m_CboDate->setEnabled(false);
        if (m_CboDate->count() > 0)
            m_CboDate->setCurrentIndex(0);
    }
    m_selection = item;
}

void frm_prog::Optclass_Click(int index)
{
    const QList<QAbstractButton*> finales(optNbFinales.begin(), optNbFinales.end());
    const QList<QAbstractButton*> types(OptType.begin(), OptType.end());
    if (index == 1) {
        Reinitialiser_options(finales, false);
        Reinitialiser_options(types, false);
        return;
    }
    Fixer_enabled(QList<QWidget*>(finales.begin(), finales.end()), true);
    Fixer_enabled(QList<QWidget*>(types.begin(), types.end()), true);
    if (Option_choisie(finales, -1) < 0)
        optNbFinales[1]->setChecked(true);
    if (Option_choisie(types, -1) < 0)
        OptType[0]->setChecked(true);
}

void frm_prog::Sauver_nage_courante()
{
    const int code = codeDe(m_selection);
    if (code < 0 || code >= NbEpreuvesProgramme)
        return;
    // Typed digits only, but read as a number whatever the box holds.
    const int ordre = static_cast<int>(Valeur_numerique(txtordre->text()));
    if (m_CboDate->currentIndex() >= 1)
        Controle_num_ordre(m_CboDate->currentIndex() + 1, ordre, code);
    EpreuveProgramme& e = m_tab[code];
    e.Type = 0;
    for (auto it = Optclass.begin(); it != Optclass.end(); ++it) {
        if (it.value()->isChecked())
            e.Type = static_cast<qint16>(it.key());
    }
    e.Nb_finales = 0;
    for (auto it = optNbFinales.begin(); it != optNbFinales.end(); ++it) {
        if (it.value()->isChecked())
            e.Nb_finales = static_cast<qint16>(it.key());
    }
    e.Type_finale = OptType[0]->isChecked() ? "T" : OptType[1]->isChecked() ? "C" : " ";
    e.Num_ordre = static_cast<qint16>(ordre);
    e.JourCourse = static_cast<qint16>(m_CboDate->isEnabled() ? m_CboDate->currentIndex() + 1 : 0);
}

void frm_prog::Controle_num_ordre(int jour, int ordre, int codeCourant)
{
    for (int i = 0; i < NbEpreuvesProgramme; ++i) {
        // The event itself is being moved: its old place does not count.
        if (i == codeCourant)
            continue;
        const EpreuveProgramme& e = m_tab[i];
        if (e.Num_ordre > 0 && e.JourCourse >= 1 && e.JourCourse < jour && e.Num_ordre >= ordre) {
            Afficher_information("Le numéro d'ordre spécifié est inférieur au maximum des journées précédentes.");
            return;
        }
    }
}

void frm_prog::ecrireJourChoisi()
{
    const int code = codeDe(m_selection);
    if (strAction == "View" || code < 0 || code >= NbEpreuvesProgramme || m_selection->checkState(0) != Qt::Checked)
        return;
    m_tab[code].JourCourse = static_cast<qint16>(m_CboDate->currentIndex() + 1);
}

bool frm_prog::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (objet == m_CboDate)
            ecrireJourChoisi();
        else if (objet == m_txt_nb_journee)
            SetListeFromText();
    }
    return FenetreComptee::eventFilter(objet, event);
}

// ---- Detail list -----------------------------------------------------------------------------

void frm_prog::Remplir_liste_programme(const QString& T, const QString& K)
{
    Lsv_prog->clear();
    const QString jointure = "FROM Nage Nage, " + T + " " + T + " WHERE Nage.Code_Nage = " + T + ".Code_epreuve AND " + T
                             + "." + K + " = " + strNumCompet + " ";
    Requete sansOrdre(cnxBase.handle(), "SELECT Nage.Libelle, " + T + ".Num_ordre " + jointure + "AND " + T
                                            + ".Num_ordre = 0 ORDER BY " + T + ".Code_epreuve");
    while (sansOrdre.suivante())
        new QTreeWidgetItem(Lsv_prog, {sansOrdre.texte(0), "0"});

    Requete ordonnees(cnxBase.handle(), "SELECT Nage.Libelle, " + T + ".JourCourse, " + T + ".Num_ordre, " + T
                                            + ".Type, " + T + ".Nb_finales, " + T + ".Type_finale " + jointure + "AND "
                                            + T + ".Num_ordre <> 0 ORDER BY " + T + ".JourCourse, " + T
                                            + ".Num_ordre, " + T + ".Code_epreuve");
    int jourPrecedent = -1;
    while (ordonnees.suivante()) {
        const int jour = static_cast<int>(Valeur_numerique(ordonnees.texte(1)));
        if (jour != jourPrecedent) {
            new QTreeWidgetItem(Lsv_prog, {QString()});
            QString titre;
            if (m_bModele)
                titre = Libelle_journee(jour);
            else if (jour >= 1 && jour <= m_datesJours.size())
                titre = Date_en_texte(m_datesJours[jour - 1], "d mmmm yyyy");
            new QTreeWidgetItem(Lsv_prog, {titre});
            jourPrecedent = jour;
        }
        const QString description =
            descriptionEpreuve(static_cast<int>(Valeur_numerique(ordonnees.texte(3))),
                               static_cast<int>(Valeur_numerique(ordonnees.texte(4))), ordonnees.texte(5));
        new QTreeWidgetItem(Lsv_prog, {ordonnees.texte(0) + " " + description, ordonnees.texte(2)});
    }
}

void frm_prog::Cmd_det_def_Click()
{
    if (Cmd_det_def->text() == "&Détail") {
        Sauver_nage_courante();
        if (!Construire_detail())
            return;
        Cmd_det_def->setText("&Déf");
        setViewControle(false);
    } else {
        setViewControle(true);
        Cmd_det_def->setText("&Détail");
    }
}

// ---- Saving ----------------------------------------------------------------------------------

bool frm_prog::SaveTabInTable(const QString& table, const QString& num, bool bModeleTable)
{
    const QString K = bModeleTable ? "Num_modele" : "Num_compet";
    // A day beyond the last one (the competition was shortened) goes on the last day.
    const int dernierJour = std::max(1, m_CboDate->count());
    try {
        PointSauvegarde point("programme");
        cnxBase.Execute("DELETE FROM " + table + " where " + K + " = " + num);
        for (int i = 0; i < NbEpreuvesProgramme; ++i) {
            EpreuveProgramme& e = m_tab[i];
            if (e.JourCourse <= 0)
                continue;
            if (e.JourCourse > dernierJour)
                e.JourCourse = static_cast<qint16>(dernierJour);
            cnxBase.Execute("INSERT INTO " + table + " (" + K
                            + ", Code_epreuve, JourCourse, Type, nb_finales, Type_finale, num_ordre) VALUES (" + num
                            + ", " + QString::number(i) + ", " + QString::number(e.JourCourse) + ", '"
                            + QString::number(e.Type) + "', '" + QString::number(e.Nb_finales) + "', "
                            + Sql_texte(e.Type_finale) + ", " + QString::number(e.Num_ordre) + ");");
        }
        point.valider();
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur(erreurEnregistrement);
        return false;
    }
}

void frm_prog::ok()
{
    if (strAction == "View") {
        m_fermeture = true;
        close();
        return;
    }
    Sauver_nage_courante();
    if (strAction == "new modele") {
        if (!SaveTabInTable("Pcomp_modele", strNumCompet, true))
            return;
    } else if (strAction == "Modif" && m_bModele) {
        if (!SaveTabInTable("Pcomp_modele", strNumCompet, true))
            return;
        QString nom;
        Executer_requete("select Nom_modele from Modele_prog where NumAuto = " + strNumCompet, false);
        if (colResultat.Count(0) >= 1)
            nom = colResultat.item(0, 1);
        Liberer_resultat();
        Demander_nom_modele("Modif", false, 1, "Modele_prog", strNumCompet, nom, this);
        if (auto* liste = qobject_cast<frm_liste_modele*>(frmCible.data()))
            liste->set_liste(strNumCompet);
    } else if (strAction == "Modif") {
        if (!SaveTabInTable("Pcomp", strNumCompet, false))
            return;
        if (Chk_modele->isChecked()) {
            if (QPointer<frm_liste_modele> liste = m_listeModeles) {
                m_listeModeles.clear();
                liste->close();
            }
            Ouvrir_liste_modeles(m_listeModeles, "Enregistrement du programme dans un modèle",
                                 "modele depuis programme", true, "&Nouveau", "Prog", 0, 0, QString(), this);
            if (m_listeModeles) {
                // Both wait hidden for the template list, which closes this window when done and
                // shows the competition list again.
                Cadre_fenetre(this)->hide();
                m_listeModeles->Cacher_liste_compet(frmCible);
                return;
            }
        }
    }
    m_fermeture = true;
    close();
}

void frm_prog::annuler()
{
    m_fermeture = true;
    Annuler_donnees();
    close();
}

void frm_prog::Annuler_donnees()
{
    if (strAction == "new modele") {
        try {
            // The programme goes with its row: a later template must not inherit it.
            PointSauvegarde point("annuler_modele");
            cnxBase.Execute("DELETE from Pcomp_modele where Num_modele = " + strNumCompet);
            cnxBase.Execute("DELETE from Modele_prog where NumAuto = " + strNumCompet);
            point.valider();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors de l'opération.");
        }
    }
}

// ---- Children and closing --------------------------------------------------------------------

void frm_prog::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "frm_liste_modele")
        m_listeModeles.clear();
    else if (nom == "Frm_liste_compet")
        m_listeCompet.clear();
}

void frm_prog::Decharger_fenetres_filles()
{
    if (QPointer<frm_liste_modele> liste = m_listeModeles) {
        m_listeModeles.clear();
        liste->close();
    }
    if (QPointer<Frm_liste_compet> liste = m_listeCompet) {
        m_listeCompet.clear();
        liste->close();
    }
}

void frm_prog::closeEvent(QCloseEvent* event)
{
    if (!estDecharge()) {
        if (!m_fermeture) {
            m_fermeture = true;
            Annuler_donnees();
        }
        m_tab = TableProgramme{};
        try {
            cnxBase.Execute("delete from Pcomp_tempo");
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
        }
    }
    FenetreComptee::closeEvent(event);
}

// ---- Copies from elsewhere -------------------------------------------------------------------

void frm_prog::Cmd_compet_Click()
{
    if (Fenetre_deja_ouverte(m_listeCompet, false))
        return;
    try {
        Ouvrir_liste_compet(m_listeCompet, "Choix d'une compétition mémorisée pour copie du programme",
                            "Choose compet for prog", true, QString(), this,
                            "SELECT Rcomp.AutoNum, Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu "
                            "FROM Rcomp Rcomp, Pcomp Pcomp WHERE Rcomp.AutoNum = Pcomp.Num_compet "
                            "AND Rcomp.Deroule = True "
                            "GROUP BY Rcomp.AutoNum, Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu "
                            "ORDER BY Rcomp.Debut");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_prog::Cmd_modele_Click()
{
    if (Fenetre_deja_ouverte(m_listeModeles, false))
        return;
    try {
        Ouvrir_liste_modeles(m_listeModeles, "Choix d'un modèle de programme", "Choisir", true, QString(), "Prog", 0, 0,
                             strNumCompet, this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'opération.");
    }
}

void frm_prog::Cmd_charger_Click()
{
    // The usual spellings of the name: file names are case-sensitive here.
    const FichierChoisi choix = Choisir_fichier("Sélection Fichier Pcomp.txt",
                                                "Fichier Programme (Pcomp.txt)|Pcomp.txt;pcomp.txt;PCOMP.TXT", true,
                                                "Charger");
    if (choix.annule())
        return;
    if (Nom_du_fichier(choix.chemin).toLower() != "pcomp.txt") {
        Afficher_erreur("Sélectionner un fichier Pcomp.txt !");
        return;
    }
    CurseurOccupe occupe;
    try {
        Afficher_statut("Copie du fichier dans répertoire temporaire");
        const DossierTravail travail("tmpProg");
        const QString dossier = travail.chemin();
        QString copieNage;
        const QDir source(Repertoire_du_fichier(choix.chemin, false));
        for (const QString& nom : source.entryList(QDir::Files)) {
            if (nom.toLower() == "nage.txt") {
                copieNage = Copier_fichier_libre(source.filePath(nom), dossier, false);
                break;
            }
        }
        const QString copiePcomp = Copier_fichier_libre(choix.chemin, dossier, false);

        Afficher_statut("Récupération des données du programme");
        QFile fichier(copiePcomp);
        if (!fichier.open(QIODevice::ReadOnly))
            throw ErreurExecution(53, "Fichier introuvable");
        QSet<int> connus;
        for (int i = 0; i < LsvNage->topLevelItemCount(); ++i)
            connus.insert(codeDe(LsvNage->topLevelItem(i)));
        const ProgrammeTexte lu =
            Lire_pcomp(fichier.readAll(), [&connus](int code) { return connus.contains(code); }, m_tab);
        fichier.close();
        m_txt_nb_journee->setText(QString::number(lu.nbJournees));
        SetListeFromText();
        if (!lu.codesInconnus.isEmpty()) {
            QStringList descriptions;
            if (!copieNage.isEmpty()) {
                QFile nage(copieNage);
                if (!nage.open(QIODevice::ReadOnly))
                    throw ErreurExecution(53, "Fichier introuvable");
                descriptions = Decrire_codes_inconnus(nage.readAll(), lu);
            }
            Afficher_erreur(Message_codes_inconnus(lu, !copieNage.isEmpty(), descriptions));
        }
        RefreshListeNage();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la récupération des données d'un programme.");
    }
    Afficher_statut("");
}

// ---- Opener ----------------------------------------------------------------------------------

void Ouvrir_frm_prog(QPointer<frm_prog>& fenetre, const QString& titre, const QString& mode, bool bModele,
                     const QString& cle, bool vueDefinition, QWidget* appelant, bool chargerDetail)
{
    Ouverture ouverture;
    ouverture.verrous = frm_prog::Verrous_du_mode(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_prog& prog) {
        prog.setBModele(bModele);
        prog.strNumCompet = cle;
        prog.setVisibleControlModele();
        prog.setViewControle(vueDefinition);
        prog.setListeNage();
        if (chargerDetail)
            prog.loadModeleProg();
    });
}
