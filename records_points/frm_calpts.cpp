#include "records_points/frm_calpts.h"

#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/temps.h"
#include "core/utils.h"
#include "records_points/calcul_points.h"

#include <QGridLayout>
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
constexpr int HauteurCourte = 7140;  // twips: the single conversions
constexpr int HauteurLongue = 11295; // twips: room for the table
constexpr int PasAnimation = 200;
const char* const NonDispo = "Non Dispo";
} // namespace

frm_calpts::frm_calpts(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_calpts");
    setWindowTitle("Table Cotation");

    LsvNage = Creer_liste_rapport(this, "LsvNage", {"Libelle", "Code Nage"});
    Opt_codif_0 = new QRadioButton("Table FFN", this);
    Opt_codif_0->setObjectName("Opt_codif_0");
    Opt_codif_1 = new QRadioButton("Table LEN", this);
    Opt_codif_1->setObjectName("Opt_codif_1");
    Opt_codif_0->setChecked(true);

    auto boite = [this](const QString& nom) {
        auto* b = new QLineEdit(this);
        b->setObjectName(nom);
        return b;
    };
    for (int i = 0; i < 3; ++i) {
        Txt_Time[i] = boite(QString("Txt_Time_%1").arg(i));
        Brancher_boite_temps(Txt_Time[i]);
        Txt_pts[i] = boite(QString("Txt_pts_%1").arg(i));
        Installer_filtre_chiffre(Txt_pts[i]);
        Installer_selection_au_focus(Txt_pts[i]);
        Txt_pts[i]->setMaxLength(4); // points are four digits at most
        // Wide enough to show what they hold whole.
        Txt_Time[i]->setMinimumWidth(Txt_Time[i]->fontMetrics().horizontalAdvance("000.0000") + 14);
        Txt_pts[i]->setMinimumWidth(Txt_pts[i]->fontMetrics().horizontalAdvance("00000") + 14);
    }
    Cmd_calpts = Creer_bouton(this, "Cmd_calpts", "Temps -> Points");
    Cmd_caltps = Creer_bouton(this, "Cmd_caltps", "Points -> Temps");
    Cmd_TableTps = Creer_bouton(this, "Cmd_TableTps", "Table entre deux temps");
    Cmd_TablePts = Creer_bouton(this, "Cmd_TablePts", "Table entre deux points");
    lblPtsCal = new QLabel(this);
    lblPtsCal->setObjectName("lblPtsCal");
    lblTpsCal = new QLabel(this);
    lblTpsCal->setObjectName("lblTpsCal");
    LsvTable = Creer_liste_rapport(this, "LsvTable", {"Points", "Temps"});
    Cmd_quit = Creer_bouton(this, "Cmd_quit", "&Quitter");

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* conversions = new QWidget;
    auto* g0 = new QGridLayout(conversions);
    g0->addWidget(new QLabel("Temps :"), 0, 0);
    g0->addWidget(Txt_Time[0], 0, 1);
    g0->addWidget(Cmd_calpts, 0, 2);
    g0->addWidget(lblPtsCal, 0, 3);
    g0->addWidget(new QLabel("Points :"), 1, 0);
    g0->addWidget(Txt_pts[0], 1, 1);
    g0->addWidget(Cmd_caltps, 1, 2);
    g0->addWidget(lblTpsCal, 1, 3);
    g0->setRowStretch(2, 1);
    g0->setColumnStretch(3, 1);
    SSTab1->addTab(conversions, "Conversion");

    auto* tables = new QWidget;
    auto* g1 = new QGridLayout(tables);
    // Each pair of bounds over its button: side by side they would not leave the boxes room.
    g1->addWidget(new QLabel("Temps Inf :"), 0, 0);
    g1->addWidget(Txt_Time[1], 0, 1);
    g1->addWidget(new QLabel("Temps Sup :"), 0, 2);
    g1->addWidget(Txt_Time[2], 0, 3);
    g1->addWidget(Cmd_TableTps, 1, 0, 1, 4);
    g1->addWidget(new QLabel("Points Inf :"), 2, 0);
    g1->addWidget(Txt_pts[1], 2, 1);
    g1->addWidget(new QLabel("Points Sup :"), 2, 2);
    g1->addWidget(Txt_pts[2], 2, 3);
    g1->addWidget(Cmd_TablePts, 3, 0, 1, 4);
    g1->addWidget(LsvTable, 4, 0, 1, 4);
    SSTab1->addTab(tables, "Table");

    auto* options = new QGroupBox("Table", this);
    auto* lo = new QHBoxLayout(options);
    lo->addWidget(Opt_codif_0);
    lo->addWidget(Opt_codif_1);
    lo->addStretch();

    auto* droite = new QVBoxLayout;
    droite->addWidget(options);
    droite->addWidget(SSTab1, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Cmd_quit);
    droite->addLayout(bas);
    auto* principal = new QHBoxLayout(this);
    principal->addWidget(LsvNage, 1);
    principal->addLayout(droite, 1);
    Fixer_taille_design(9600, HauteurCourte);

    connect(LsvNage, &QTreeWidget::currentItemChanged, this, [this] { choisirNage(); });
    connect(Opt_codif_0, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche)
            choisirTable();
    });
    connect(Opt_codif_1, &QRadioButton::toggled, this, [this](bool coche) {
        if (coche)
            choisirTable();
    });
    connect(Cmd_calpts, &QPushButton::clicked, this, [this] { Cmd_calpts_Click(); });
    connect(Cmd_caltps, &QPushButton::clicked, this, [this] { Cmd_caltps_Click(); });
    connect(Cmd_TablePts, &QPushButton::clicked, this, [this] { Cmd_TablePts_Click(); });
    connect(Cmd_TableTps, &QPushButton::clicked, this, [this] { Cmd_TableTps_Click(); });
    // Return converts from the first boxes only; the bounds wait for their button.
    connect(Txt_Time[0], &QLineEdit::returnPressed, this, [this] { Cmd_calpts_Click(); });
    connect(Txt_pts[0], &QLineEdit::returnPressed, this, [this] { Cmd_caltps_Click(); });
    connect(SSTab1, &QTabWidget::tabBarClicked, this, [this] { QTimer::singleShot(0, this, [this] { SSTab1_Click(); }); });
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Cmd_quit, &QPushButton::clicked, this, &QWidget::close);

    m_calcul = Creer_calculateur_points();
    try {
        Remplir_listes("SELECT Libelle, Code_Nage FROM Nage ORDER BY Mixte DESC, Sexe, Nb_nageurs, Code_nage",
                       {LsvNage}, {{0, 1}}, QString());
        LsvNage->resizeColumnToContents(0);
        if (Nombre_lignes(LsvNage) > 0)
            Selectionner_element(LsvNage, 1);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
    // Without the component nothing can be converted.
    if (!m_calcul)
        activerCommandes(false);
}

frm_calpts::~frm_calpts() = default;

bool frm_calpts::tableLen() const
{
    return Opt_codif_1->isChecked();
}

QString frm_calpts::codeNage() const
{
    const QTreeWidgetItem* ligne = LsvNage->currentItem();
    return ligne ? ligne->text(1) : QString();
}

void frm_calpts::activerCommandes(bool oui)
{
    oui = oui && m_calcul;
    Fixer_enabled({Cmd_calpts, Cmd_caltps, Cmd_TableTps, Cmd_TablePts}, oui);
}

void frm_calpts::viderResultats()
{
    LsvTable->clear();
    lblPtsCal->clear();
    lblTpsCal->clear();
}

void frm_calpts::lireReference()
{
    m_reference = 0;
    const QString code = codeNage();
    if (!code.isEmpty()) {
        try {
            Executer_requete("SELECT Ref_len from Nage WHERE Code_Nage = " + code, false);
            if (colResultat.nbLignes() > 0)
                m_reference = Valeur_numerique(colResultat.item(0, 1));
            Liberer_resultat();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Liberer_resultat();
            Afficher_erreur("Une erreur s'est produite lors de la lecture de la référence LEN.");
        }
    }
    activerCommandes(m_reference > 0);
}

void frm_calpts::choisirNage()
{
    const int index = Index_ligne(LsvNage, LsvNage->currentItem());
    if (index == m_indexNage)
        return;
    m_indexNage = index;
    viderResultats();
    Vider_textes({Txt_Time[0], Txt_Time[1], Txt_Time[2], Txt_pts[0], Txt_pts[1], Txt_pts[2]});
    if (tableLen())
        lireReference();
    else
        activerCommandes(true);
}

void frm_calpts::choisirTable()
{
    if (tableLen()) {
        lireReference();
    } else {
        m_reference = 0;
        activerCommandes(true);
    }
    viderResultats();
}

qint64 frm_calpts::points(double temps)
{
    if (!m_calcul)
        return 0;
    const QVariant p = tableLen() ? m_calcul->appeler("intCalculPointLEN", {temps, m_reference})
                                  : m_calcul->appeler("CalculPoint", {codeNage().toInt(), temps});
    return p.toLongLong();
}

QString frm_calpts::temps(qint64 points)
{
    if (!m_calcul)
        return {};
    const QVariant t = tableLen() ? m_calcul->appeler("strCalculTpsLEN", {double(points), m_reference})
                                  : m_calcul->appeler("CalculTps", {codeNage().toInt(), double(points)});
    return t.toString();
}

void frm_calpts::Cmd_calpts_Click()
{
    if (!Cmd_calpts->isEnabled())
        return;
    try {
        const qint64 p = points(Valeur_numerique(Txt_Time[0]->text()));
        lblPtsCal->setText(p == 0 ? QString(NonDispo) : QString::number(p));
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du calcul des points.");
    }
    Selectionner_element(LsvNage, m_indexNage);
}

void frm_calpts::Cmd_caltps_Click()
{
    if (!Cmd_caltps->isEnabled())
        return;
    try {
        const QString t = temps(static_cast<qint64>(Valeur_numerique(Txt_pts[0]->text())));
        lblTpsCal->setText(t.isEmpty() ? QString(NonDispo) : Temps_affichage(t));
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du calcul du temps.");
    }
    Selectionner_element(LsvNage, m_indexNage);
}

void frm_calpts::Remplir_table(qint64 debut, qint64 fin, bool tempsDabord)
{
    CurseurOccupe occupe;
    LsvTable->clear();
    LsvTable->setHeaderLabels(tempsDabord ? QStringList{"Temps", "Points"} : QStringList{"Points", "Temps"});
    QList<QTreeWidgetItem*> lignes;
    for (qint64 p = debut; p <= fin; ++p) {
        const QString t = temps(p);
        if (Valeur_numerique(t) == 0)
            break;
        const QString affiche = Temps_affichage(t);
        lignes << new QTreeWidgetItem(tempsDabord ? QStringList{affiche, QString::number(p)}
                                                  : QStringList{QString::number(p), affiche});
    }
    if (lignes.isEmpty())
        lignes << new QTreeWidgetItem(QStringList{NonDispo, NonDispo});
    LsvTable->addTopLevelItems(lignes);
    const int largeur = LsvTable->viewport()->width() / 2 - Twips_en_pixels(200);
    LsvTable->setColumnWidth(0, std::max(largeur, 40));
}

void frm_calpts::Cmd_TablePts_Click()
{
    const qint64 inf = static_cast<qint64>(Valeur_numerique(Txt_pts[1]->text()));
    const qint64 sup = static_cast<qint64>(Valeur_numerique(Txt_pts[2]->text()));
    if (inf >= sup) {
        Afficher_erreur("Erreur dans la saisie de l'interval de points.");
        return;
    }
    try {
        Remplir_table(inf, sup, false);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du calcul de la table.");
    }
    Selectionner_element(LsvNage, m_indexNage);
}

void frm_calpts::Cmd_TableTps_Click()
{
    const double inf = Valeur_numerique(Txt_Time[1]->text());
    const double sup = Valeur_numerique(Txt_Time[2]->text());
    if (Temps_en_centiemes(Format_temps(inf)) >= Temps_en_centiemes(Format_temps(sup))) {
        Afficher_erreur("Erreur dans la saisie de l'interval temps.");
        return;
    }
    try {
        // From the slower time's points up to the faster time's.
        Remplir_table(points(sup), points(inf), true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du calcul de la table.");
    }
    Selectionner_element(LsvNage, m_indexNage);
}

void frm_calpts::SSTab1_Click()
{
    m_pas = SSTab1->currentIndex() == 1 ? PasAnimation : -PasAnimation;
    Timer1.start(50);
}

void frm_calpts::Timer1_Timer()
{
    // Heights of the frame, title bar included, as the window opens at.
    // The table's room is what the user sees of the area when that is less.
    QWidget* cadre = Cadre_fenetre(this);
    const int court = Twips_en_pixels(HauteurCourte);
    const QRect visible = Zone_visible(this);
    int plafond = Twips_en_pixels(HauteurLongue);
    if (!visible.isEmpty())
        plafond = std::max(court, std::min(plafond, visible.height()));
    int hauteur = cadre->height() + Twips_en_pixels(m_pas);
    if (hauteur >= plafond) {
        hauteur = plafond;
        Timer1.stop();
    } else if (hauteur <= court) {
        hauteur = court;
        Timer1.stop();
    }
    cadre->resize(cadre->width(), hauteur);
    // Grown in place, its bottom may have left the area.
    Garder_fenetre_visible(this);
}
