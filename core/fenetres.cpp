#include "core/fenetres.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QTimer>
#include <QStatusBar>

#include "core/erreurs.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStyleOptionTitleBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

namespace {
[[noreturn]] void depassement()
{
    throw ErreurExecution(6, "Dépassement de capacité");
}

[[noreturn]] void horsSelection()
{
    throw ErreurExecution(9, "L'indice n'appartient pas à la sélection.");
}

// The window held by the document sub-window that holds w; nullptr outside one.
QWidget* Fenetre_document(QWidget* w)
{
    for (; w && !w->isWindow(); w = w->parentWidget()) {
        if (auto* sous = qobject_cast<QMdiSubWindow*>(w))
            return sous->widget();
    }
    return nullptr;
}

qint16 ajouter16(qint16 valeur, int delta)
{
    const int resultat = valeur + delta;
    if (resultat > std::numeric_limits<qint16>::max() || resultat < std::numeric_limits<qint16>::min())
        depassement();
    return static_cast<qint16>(resultat);
}

struct Groupe {
    CollectionCompteurs* compteurs;
    QStringList menus;
};

const std::array<Groupe, NbGroupesVerrou>& groupes()
{
    static const std::array<Groupe, NbGroupesVerrou> table{{
        {&colVerrouClub,
         {"mnuBaseClubNew", "mnuBaseClubListe", "mnuBaseClubModif", "mnuBaseClubSuppr", "mnuBaseClubConfig"}},
        {&colVerrouProfil,
         {"mnuBaseProfilNew", "mnuBaseProfilList", "mnuBaseProfilModif", "mnuBaseProfilSuppr", "mnuBaseProfilInfo",
          "mnuBaseProfilChange"}},
        {&colVerrouLicence,
         {"mnuLicNew", "mnuLicImport", "mnuLicListe", "mnuLicModif", "mnuLicSuppr", "mnuLicExp", "mnuLicPrint"}},
        {&colVerrouCompet,
         {"mnuCompetNew", "mnuCompetListe", "mnuCompetModif", "mnuCompetSuppr", "mnuEngagProgramme",
          "mnuCompetResult", "mnuCompetVoirResult"}},
        {&colVerrouEngag, {"mnuEngagIndiv", "mnuEngagRelais", "mnuEngagDisk", "mnuEngagConvoc", "mnuEngagBordereau"}},
        {&colVerrouModeleEngag, {"mnuModeleEngagNew", "mnuModeleEngagView", "mnuModeleEngagModif", "mnuModeleEngagSuppr"}},
        {&colVerrouPiscine,
         {"mnuModelePiscineNew", "mnuModelePiscineView", "mnuModelePiscineModif", "mnuModelePiscineSuppr"}},
        {&colVerrouModeleProg, {"mnuModeleProgNew", "mnuModeleProgView", "mnuModeleProgModif", "mnuModeleProgSuppr"}},
        {&colVerrouPerf,
         {"mnuPerfImpor", "mnuPerfAjout", "mnuPerfAjoutRelais", "mnuPerfView", "mnuPerfExporter", "mnuPerfRecView",
          "mnuPerfRecModifier"}},
        {&colVerrouPointsEquipe, {"mnuOutilsCalculPointEquipe"}},
    }};
    return table;
}

const Groupe& groupe(GroupeVerrou g)
{
    return groupes()[static_cast<size_t>(g)];
}

// A locked menu is enabled while its counter is below 1. The current profile's information has
// nothing to show without one: locked then whatever its counter.
void Appliquer_verrou(const QString& menu, qint16 compteur)
{
    if (QAction* action = Menu(menu))
        action->setEnabled(compteur < 1 && !(menu == QLatin1String("mnuBaseProfilInfo") && strNumProfil.isEmpty()));
}
} // namespace

// ---- Open-window counter -------------------------------------------------------------------

bool Fenetre_ouverte()
{
    return intNbFenetres >= 1;
}

void Incrementer_fenetres()
{
    intNbFenetres = ajouter16(intNbFenetres, 1);
}

void Decrementer_fenetres()
{
    intNbFenetres = ajouter16(intNbFenetres, -1);
}

JetonFenetre::JetonFenetre()
{
    Incrementer_fenetres();
}

JetonFenetre::~JetonFenetre()
{
    liberer();
}

void JetonFenetre::liberer()
{
    if (!m_compte)
        return;
    m_compte = false;
    // A counter at its lowest bound cannot have been raised by this token: nothing to give back.
    if (intNbFenetres > std::numeric_limits<qint16>::min())
        --intNbFenetres;
}

void Fermer_fenetres_hors_compte()
{
    QList<QPointer<FenetreComptee>> fenetres;
    for (QWidget* w : QApplication::allWidgets()) {
        auto* f = qobject_cast<FenetreComptee*>(w);
        if (f && !f->estDecharge() && !f->estComptee())
            fenetres << f;
    }
    for (const QPointer<FenetreComptee>& f : std::as_const(fenetres)) {
        if (f)
            f->close();
    }
}

// ---- Menu locks ----------------------------------------------------------------------------

const QStringList& Menus_du_groupe(GroupeVerrou g)
{
    return groupe(g).menus;
}

CollectionCompteurs& Compteurs_du_groupe(GroupeVerrou g)
{
    return *groupe(g).compteurs;
}

QAction* Menu(const QString& nom)
{
    if (!frmPrincipal)
        return nullptr;
    if (auto* action = frmPrincipal->findChild<QAction*>(nom))
        return action;
    if (auto* menu = frmPrincipal->findChild<QMenu*>(nom))
        return menu->menuAction();
    return nullptr;
}

void Initialiser_verrous_menus()
{
    for (const Groupe& g : groupes())
        Initialiser_collection(g.compteurs, static_cast<int>(g.menus.size()));
}

void Compter_verrou_menu(int delta, qint16& compteur, const QString& menu)
{
    if (delta == 0)
        return;
    compteur = ajouter16(compteur, delta);
    Appliquer_verrou(menu, compteur);
}

void Verrouiller_groupe(GroupeVerrou g, const QList<int>& deltas)
{
    const Groupe& gr = groupe(g);
    if (deltas.size() != gr.menus.size() || gr.compteurs->size() < gr.menus.size())
        horsSelection();
    // Counted on a copy so that an overflow half-way leaves the group as it was.
    CollectionCompteurs compteurs = *gr.compteurs;
    for (qsizetype i = 0; i < deltas.size(); ++i) {
        if (deltas[i] != 0)
            compteurs[i] = ajouter16(compteurs[i], deltas[i]);
    }
    for (qsizetype i = 0; i < deltas.size(); ++i)
        Compter_verrou_menu(deltas[i], (*gr.compteurs)[i], gr.menus[i]);
}

void Verrouiller_menus_club(int nouveau, int liste, int modif, int suppr, int config)
{
    Verrouiller_groupe(GroupeVerrou::Club, {nouveau, liste, modif, suppr, config});
}

void Verrouiller_menus_profil(int nouveau, int liste, int modif, int suppr, int info, int changer)
{
    Verrouiller_groupe(GroupeVerrou::Profil, {nouveau, liste, modif, suppr, info, changer});
}

void Verrouiller_menus_licence(int nouveau, int importer, int liste, int modif, int suppr, int exporter,
                               int imprimer)
{
    Verrouiller_groupe(GroupeVerrou::Licence, {nouveau, importer, liste, modif, suppr, exporter, imprimer});
}

void Verrouiller_menus_compet(int nouveau, int liste, int modif, int suppr, int programme, int resultats,
                              int voirResultats)
{
    Verrouiller_groupe(GroupeVerrou::Compet, {nouveau, liste, modif, suppr, programme, resultats, voirResultats});
}

void Verrouiller_menus_engag(int indiv, int relais, int disquette, int convocations, int bordereaux)
{
    Verrouiller_groupe(GroupeVerrou::Engag, {indiv, relais, disquette, convocations, bordereaux});
}

void Verrouiller_menus_modele_engag(int nouveau, int voir, int modif, int suppr)
{
    Verrouiller_groupe(GroupeVerrou::ModeleEngag, {nouveau, voir, modif, suppr});
}

void Verrouiller_menus_piscine(int nouveau, int voir, int modif, int suppr)
{
    Verrouiller_groupe(GroupeVerrou::Piscine, {nouveau, voir, modif, suppr});
}

void Verrouiller_menus_modele_prog(int nouveau, int voir, int modif, int suppr)
{
    Verrouiller_groupe(GroupeVerrou::ModeleProg, {nouveau, voir, modif, suppr});
}

void Verrouiller_menus_perf(int importer, int ajout, int ajoutRelais, int voir, int exporter, int records,
                            int categories)
{
    Verrouiller_groupe(GroupeVerrou::Perf, {importer, ajout, ajoutRelais, voir, exporter, records, categories});
}

void Verrouiller_menu_points_equipe(int calcul)
{
    Verrouiller_groupe(GroupeVerrou::PointsEquipe, {calcul});
}

void Etat_menus_base(bool baseOuverte)
{
    for (const char* nom : {"mnuBaseOpen", "mnuBaseNew"}) {
        if (QAction* a = Menu(nom))
            a->setEnabled(!baseOuverte);
    }
    for (const char* nom : {"mnuBaseAnnuler", "mnuBaseClose", "mnuBaseSave", "mnuBaseGestion", "mnuBaseClub",
                            "mnuBaseProfil", "mnuBaseCompacter", "mnuBaseArchive", "mnuOutils"}) {
        if (QAction* a = Menu(nom))
            a->setEnabled(baseOuverte);
    }
    // These work for the current profile's club: locked while no profile is loaded.
    for (const char* nom : {"mnuCompet", "mnuLicence", "mnuPerf", "mnuModele"}) {
        if (QAction* a = Menu(nom))
            a->setEnabled(baseOuverte && !strNumProfil.isEmpty());
    }
    // Follows the profile, its own lock still holding once a profile is there.
    const Groupe& profil = groupe(GroupeVerrou::Profil);
    const qsizetype i = profil.menus.indexOf(QStringLiteral("mnuBaseProfilInfo"));
    Appliquer_verrou(profil.menus[i], i < profil.compteurs->size() ? profil.compteurs->at(i) : 0);
}

void Menus_base_fermee()
{
    Etat_menus_base(false);
}

void Menus_base_ouverte()
{
    Etat_menus_base(true);
}

VerrousMenus& VerrousMenus::groupe(GroupeVerrou g, std::initializer_list<int> deltas)
{
    return groupe(g, QList<int>(deltas));
}

VerrousMenus& VerrousMenus::groupe(GroupeVerrou g, const QList<int>& deltas)
{
    if (deltas.size() != Menus_du_groupe(g).size())
        horsSelection();
    m_deltas[static_cast<size_t>(g)] = deltas;
    return *this;
}

VerrousMenus& VerrousMenus::groupeEntier(GroupeVerrou g)
{
    return groupe(g, QList<int>(Menus_du_groupe(g).size(), 1));
}

bool VerrousMenus::vide() const
{
    for (const QList<int>& d : m_deltas) {
        for (int delta : d) {
            if (delta != 0)
                return false;
        }
    }
    return true;
}

void VerrousMenus::appliquer(int signe) const
{
    for (int g = 0; g < NbGroupesVerrou; ++g) {
        if (m_deltas[g].isEmpty())
            continue;
        QList<int> deltas = m_deltas[g];
        for (int& d : deltas)
            d *= signe;
        Verrouiller_groupe(static_cast<GroupeVerrou>(g), deltas);
    }
}

// ---- Placement -----------------------------------------------------------------------------

QMdiArea* Zone_documents()
{
    if (!frmPrincipal)
        return nullptr;
    if (auto* zone = qobject_cast<QMdiArea*>(frmPrincipal->centralWidget()))
        return zone;
    return frmPrincipal->findChild<QMdiArea*>();
}

QWidget* Cadre_fenetre(QWidget* fenetre)
{
    if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget()))
        return sous;
    return fenetre;
}

void Afficher_fenetre(QWidget* fenetre, int gauche, int haut)
{
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    QWidget* cadre = fenetre;
    if (QMdiArea* zone = Zone_documents()) {
        QMdiSubWindow* sous = zone->addSubWindow(fenetre);
        sous->setAttribute(Qt::WA_DeleteOnClose);
        // A window closing by its own buttons takes its frame with it. deleteLater stays safe when
        // the frame is the one being destroyed: its pending deletion is dropped with it.
        QObject::connect(fenetre, &QObject::destroyed, sous, &QObject::deleteLater);
        cadre = sous;
    }
    if (auto* comptee = qobject_cast<FenetreComptee*>(fenetre); comptee && comptee->tailleDesign().isValid())
        Donner_taille(cadre, comptee->tailleDesign());
    const QPoint position = cadre->pos();
    cadre->move(gauche > 0 ? Twips_en_pixels(gauche) : position.x(), haut > 0 ? Twips_en_pixels(haut) : position.y());
    cadre->show();
    Elargir_au_contenu(fenetre);
    // A caption given later (the opener's) gets its room too.
    QObject::connect(fenetre, &QWidget::windowTitleChanged, fenetre, [fenetre] {
        Elargir_au_contenu(fenetre);
        Garder_fenetre_visible(fenetre);
    });
    Garder_fenetre_visible(fenetre);
    Activer_fenetre(fenetre);
}

void Donner_taille(QWidget* cadre, const QSize& taille)
{
    // The design size is the least; the controls' own least size wins where the font is wider.
    const QSize minimum = taille.expandedTo(cadre->minimumSizeHint());
    cadre->setMinimumSize(minimum);
    cadre->resize(minimum);
}

int Largeur_pour_titre(QWidget* fenetre)
{
    QWidget* cadre = Cadre_fenetre(fenetre);
    const QString titre = fenetre->windowTitle();
    if (titre.isEmpty())
        return 0;
    if (auto* sous = qobject_cast<QMdiSubWindow*>(cadre)) {
        // The room the title bar's label lacks, as the frame measures it when it paints.
        const QFontMetrics metriques(QApplication::font("QMdiSubWindowTitleBar"));
        QStyleOptionTitleBar option;
        option.initFrom(sous);
        option.text = titre;
        option.fontMetrics = metriques;
        option.titleBarFlags = sous->windowFlags();
        option.subControls = QStyle::SC_All;
        option.icon = sous->windowIcon();
        // The bar lies inside a border of 4 pixels, and the style cuts the title again 14 pixels
        // short of the label's width.
        const int bord = sous->style()->styleHint(QStyle::SH_TitleBar_NoBorder, &option, sous) ? 0 : 4;
        option.rect = QRect(bord, bord, sous->width() - 2 * bord,
                            sous->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, sous) - bord);
        const int etiquette = sous->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, sous).width();
        return sous->width() - etiquette + metriques.horizontalAdvance(titre) + 14 + 2;
    }
    // A window of its own: the desktop draws the title, a little larger and in bold, beside its
    // icon and three buttons.
    QFont police = QApplication::font();
    police.setBold(true);
    return QFontMetrics(police).horizontalAdvance(titre) * 11 / 10 + 5 * QFontMetrics(police).height() + 40;
}

void Elargir_au_contenu(QWidget* fenetre)
{
    QWidget* cadre = fenetre ? Cadre_fenetre(fenetre) : nullptr;
    if (!cadre)
        return;
    int largeur = Largeur_pour_titre(fenetre);
    if (fenetre->layout()) {
        // An explicit minimum replaces the one the layout would set: it must hold the layout's.
        largeur = std::max(largeur, cadre->minimumSizeHint().width());
    } else {
        // Controls placed by hand end inside the window, its right margin as wide as its left one.
        int droite = 0;
        int gauche = std::numeric_limits<int>::max();
        for (QWidget* w : fenetre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isHidden() || w->isWindow())
                continue;
            droite = std::max(droite, w->geometry().right() + 1);
            gauche = std::min(gauche, w->x());
        }
        if (droite > 0)
            largeur = std::max(largeur, cadre->width() - fenetre->width() + droite + std::clamp(gauche, 0, 8));
    }
    // Never wider than what the user sees: there a cut title is the lesser loss.
    if (const QRect visible = Zone_visible(fenetre); !visible.isEmpty())
        largeur = std::min(largeur, visible.width());
    if (largeur > cadre->minimumWidth())
        cadre->setMinimumWidth(largeur);
}

namespace {
// What a window looked like before a list widened it, and the width that widening gave it.
constexpr char kAvantElargissement[] = "qv_avantElargissement";
constexpr char kLargeurElargie[] = "qv_largeurElargie";
} // namespace

QRect Placement_donne(const QWidget* fenetre)
{
    QRect r(fenetre->pos(), fenetre->size());
    const QVariant elargie = fenetre->property(kLargeurElargie);
    if (elargie.isValid() && elargie.toInt() == fenetre->width()) {
        const QRect avant = fenetre->property(kAvantElargissement).toRect();
        r.moveLeft(avant.left());
        r.setWidth(avant.width());
    }
    return r;
}

void Elargir_pour_liste(QTreeWidget* liste, int manque)
{
    Elargir_pour_controle(liste, manque);
}

void Elargir_pour_controle(QWidget* controle, int manque)
{
    QWidget* fenetre = Fenetre_document(controle);
    if (!fenetre)
        fenetre = controle->window();
    QWidget* cadre = Cadre_fenetre(fenetre);
    if (manque <= 0 || !cadre->isVisible() || cadre->isMaximized() || cadre->isFullScreen())
        return;
    const auto plafond = [cadre, fenetre] {
        const QRect visible = Zone_visible(fenetre);
        if (visible.isEmpty())
            return cadre->maximumWidth();
        return std::min(cadre->maximumWidth(),
                        visible.width() - (cadre->isWindow() ? cadre->frameGeometry().width() - cadre->width() : 0));
    };
    // A document area too narrow widens the main window, within its screen.
    auto* sous = qobject_cast<QMdiSubWindow*>(cadre);
    QWidget* principale = sous && sous->mdiArea() ? sous->mdiArea()->window() : nullptr;
    const auto elargir_principale = [principale](int plus) {
        if (!principale || !principale->isVisible() || principale->isMaximized() || principale->isFullScreen()
            || !principale->screen())
            return;
        const QRect ecran = principale->screen()->availableGeometry();
        const int largeur = std::min(principale->width() + plus,
                                     ecran.width() - (principale->frameGeometry().width() - principale->width()));
        if (largeur <= principale->width())
            return;
        const QRect donne = Placement_donne(principale);
        principale->resize(largeur, principale->height());
        principale->move(Position_visible(principale->frameGeometry(), ecran));
        principale->setProperty(kAvantElargissement, donne);
        principale->setProperty(kLargeurElargie, largeur);
    };
    // A control that takes a share of what the window gains needs the window to grow by more.
    int pas = manque;
    for (int essai = 0; essai < 3 && manque > 0; ++essai) {
        const int largeur = cadre->width();
        const int avant = controle->width();
        if (largeur + pas > plafond())
            elargir_principale(largeur + pas - plafond());
        const int voulue = std::min(largeur + pas, plafond());
        if (voulue <= largeur)
            break;
        cadre->resize(voulue, cadre->height());
        const int gain = controle->width() - avant;
        if (gain <= 0) {
            cadre->resize(largeur, cadre->height());
            break;
        }
        manque -= gain;
        pas = (manque * (voulue - largeur) + gain - 1) / gain;
    }
    Garder_fenetre_visible(fenetre);
}

namespace {
// A label's text changing makes its window lay out again: the window is then widened for it.
class ElargissementLibelle : public QObject {
public:
    explicit ElargissementLibelle(QLabel* libelle) : QObject(libelle), m_libelle(libelle) {}

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
            QTimer::singleShot(0, this, [this] { Elargir_pour_controle(m_libelle, manque()); });
        return QObject::eventFilter(objet, event);
    }

private:
    int manque() const { return m_libelle->sizeHint().width() - m_libelle->width(); }
    QLabel* m_libelle;
};
} // namespace

void Elargir_pour_libelle(QLabel* libelle)
{
    auto* filtre = new ElargissementLibelle(libelle);
    if (QWidget* fenetre = libelle->parentWidget())
        fenetre->installEventFilter(filtre);
}

QPoint Position_visible(const QRect& cadre, const QRect& visible)
{
    const auto axe = [](int debut, int taille, int debutZone, int tailleZone) {
        if (taille >= tailleZone)
            return debutZone;
        return std::clamp(debut, debutZone, debutZone + tailleZone - taille);
    };
    return {axe(cadre.x(), cadre.width(), visible.x(), visible.width()),
            axe(cadre.y(), cadre.height(), visible.y(), visible.height())};
}

QRect Zone_visible(QWidget* fenetre)
{
    QWidget* cadre = fenetre ? Cadre_fenetre(fenetre) : nullptr;
    if (!cadre)
        return {};
    if (auto* sous = qobject_cast<QMdiSubWindow*>(cadre)) {
        // Sub-windows live on the viewport, which the scroll bars move them across.
        return sous->mdiArea() ? sous->mdiArea()->viewport()->rect() : QRect();
    }
    if (cadre->isWindow() && cadre->screen())
        return cadre->screen()->availableGeometry();
    return {};
}

void Garder_fenetre_visible(QWidget* fenetre)
{
    QWidget* cadre = fenetre ? Cadre_fenetre(fenetre) : nullptr;
    if (!cadre || !cadre->isVisible())
        return;
    const QRect visible = Zone_visible(fenetre);
    if (visible.isEmpty())
        return;
    const QRect place = qobject_cast<QMdiSubWindow*>(cadre) ? cadre->geometry() : cadre->frameGeometry();
    const QPoint coin = Position_visible(place, visible);
    if (coin != place.topLeft())
        cadre->move(cadre->pos() + (coin - place.topLeft()));
}

void Activer_fenetre(QWidget* fenetre)
{
    if (!fenetre)
        return;
    if (auto* sous = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget())) {
        if (QMdiArea* zone = sous->mdiArea())
            zone->setActiveSubWindow(sous);
    } else {
        fenetre->raise();
        fenetre->activateWindow();
    }
    // What the user types goes to a control, never to the window's background.
    QWidget* cible = fenetre->focusWidget();
    if (!cible || !fenetre->isAncestorOf(cible) || !cible->isVisible() || !cible->isEnabled()) {
        // The first control that takes what is typed: a tab bar or a box that cannot be
        // written in would lose the first letters.
        cible = fenetre;
        for (QWidget* controle : Controles_en_ordre_de_lecture(fenetre)) {
            auto* boite = qobject_cast<QLineEdit*>(controle);
            if (controle->isEnabled() && !qobject_cast<QTabBar*>(controle) && !(boite && boite->isReadOnly())) {
                cible = controle;
                break;
            }
        }
    }
    cible->setFocus(Qt::ActiveWindowFocusReason);
}

namespace {
void Ajouter_arrets(QWidget* parent, QWidget* fenetre, QList<QWidget*>& arrets)
{
    for (QObject* enfant : parent->children()) {
        auto* w = qobject_cast<QWidget*>(enfant);
        if (!w || w->isWindow() || !w->isVisibleTo(fenetre))
            continue;
        // A tab widget's stop is its bar; its pages hold stops of their own.
        if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QTabWidget*>(w))
            arrets << w;
        else
            Ajouter_arrets(w, fenetre, arrets);
    }
}

const char* const kTabApres = "qv_tab_apres";

// The controls given a place after another (Tabuler_apres) move to just after it.
QList<QWidget*> Placer_les_suivants(const QList<QWidget*>& ordre)
{
    const auto precedent = [](const QWidget* w) { return w->property(kTabApres).value<QObject*>(); };
    QList<QWidget*> suivants;
    for (QWidget* w : ordre) {
        // Only a precedent in the list is ever compared, never followed.
        if (QObject* p = precedent(w); p && p != w && ordre.contains(p))
            suivants << w;
    }
    if (suivants.isEmpty())
        return ordre;
    QList<QWidget*> places;
    const std::function<void(QWidget*)> placer = [&](QWidget* w) {
        places << w;
        for (QWidget* s : suivants) {
            if (precedent(s) == w && !places.contains(s))
                placer(s);
        }
    };
    for (QWidget* w : ordre) {
        if (!suivants.contains(w))
            placer(w);
    }
    // Controls placed after one another in a circle keep their reading place.
    for (QWidget* w : ordre) {
        if (!places.contains(w))
            places << w;
    }
    return places;
}
} // namespace

void Tabuler_apres(QWidget* controle, QWidget* precedent)
{
    controle->setProperty(kTabApres, QVariant::fromValue<QObject*>(precedent));
}

QList<QWidget*> Controles_en_ordre_de_lecture(QWidget* fenetre)
{
    QList<QWidget*> arrets;
    Ajouter_arrets(fenetre, fenetre, arrets);
    const auto cadre = [fenetre](const QWidget* w) { return QRect(w->mapTo(fenetre, QPoint(0, 0)), w->size()); };
    std::stable_sort(arrets.begin(), arrets.end(), [&cadre](const QWidget* a, const QWidget* b) {
        return std::pair(cadre(a).top(), cadre(a).left()) < std::pair(cadre(b).top(), cadre(b).left());
    });
    // Controls side by side rarely share their top to the pixel (a check box beside a text box):
    // a control whose top is within half its height, or the line's, of the line's first one is
    // on that line.
    QList<QWidget*> ordre;
    for (qsizetype debut = 0; debut < arrets.size();) {
        const QRect tete = cadre(arrets[debut]);
        qsizetype fin = debut + 1;
        while (fin < arrets.size()) {
            const QRect r = cadre(arrets[fin]);
            if (r.top() - tete.top() > std::min(tete.height(), r.height()) / 2)
                break;
            ++fin;
        }
        QList<QWidget*> ligne = arrets.mid(debut, fin - debut);
        std::stable_sort(ligne.begin(), ligne.end(),
                         [&cadre](const QWidget* a, const QWidget* b) { return cadre(a).left() < cadre(b).left(); });
        ordre += ligne;
        debut = fin;
    }
    return Placer_les_suivants(ordre);
}

void Ordonner_tabulation(QWidget* fenetre)
{
    const QList<QWidget*> ordre = Controles_en_ordre_de_lecture(fenetre);
    for (qsizetype i = 1; i < ordre.size(); ++i)
        QWidget::setTabOrder(ordre[i - 1], ordre[i]);
}

int Afficher_formulaire(QWidget* fenetre, int style)
{
    auto* dialogue = qobject_cast<QDialog*>(fenetre);
    if (style == 1 && dialogue)
        return Services::ihm().executerModal(*dialogue);
    Afficher_fenetre(fenetre);
    return 0;
}

bool Fenetre_deja_ouverte(QWidget* fenetre, bool silencieux)
{
    if (!fenetre)
        return false;
    if (!silencieux)
        Afficher_information("La fenêtre est déjà ouverte.\r\nTerminer la précédente opération.");
    Activer_fenetre(fenetre);
    return true;
}

void AppelantFenetres::ForceUnloadWindowsEngag(const QString&)
{
}

// ---- Counted windows -----------------------------------------------------------------------

namespace {
bool Touche_entree(const QKeyEvent* touche)
{
    return (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter)
           && (touche->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The keys every window answers alike, whatever control the key was sent to.
// - While a drop-down list (or any popup) is open, Escape and Return are its own: Escape closes
//   only the list, Return takes its row; neither reaches the window's shortcuts ("Annuler" would
//   close the window with its work). The keyboard focus may stay on the combo box itself, so the
//   list is answered here whoever the key was sent to.
// - Return and Enter on a push button that has the focus press that button, as on every desktop,
//   not the window's default button: the user went there to press it.
// - Alt+letter, see retenirMnemonique.
class GardeClavier : public QObject {
protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::KeyPress) {
            auto* touche = static_cast<QKeyEvent*>(evenement);
            if (m_mnemonique.attendu)
                return presserMnemonique(touche);
            if (QPushButton* bouton = boutonAuFocus(objet, touche)) {
                bouton->click();
                return true;
            }
            return false;
        }
        if (m_renvoi || evenement->type() != QEvent::ShortcutOverride)
            return false;
        auto* touche = static_cast<QKeyEvent*>(evenement);
        // No shortcut on Return takes the key from the focused button.
        if (retenirMnemonique(touche) || boutonAuFocus(objet, touche)) {
            touche->accept();
            return true;
        }
        QWidget* liste = QApplication::activePopupWidget();
        if (!liste)
            return false;
        switch (touche->key()) {
        case Qt::Key_Escape:
            if (auto* combo = qobject_cast<QComboBox*>(liste->parentWidget()))
                combo->hidePopup();
            else
                liste->close();
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            // The list takes its row as it does when the key reaches it.
            m_renvoi = true;
            QCoreApplication::sendEvent(liste->focusWidget() ? liste->focusWidget() : liste, evenement);
            m_renvoi = false;
            break;
        }
        default:
            return false;
        }
        touche->accept();
        return true;
    }

private:
    QPushButton* boutonAuFocus(QObject* objet, const QKeyEvent* touche) const
    {
        if (m_renvoi || !Touche_entree(touche) || QApplication::activePopupWidget() || objet != QApplication::focusWidget())
            return nullptr;
        auto* bouton = qobject_cast<QPushButton*>(objet);
        return bouton && bouton->isVisible() && bouton->isEnabled() ? bouton : nullptr;
    }

    // Alt+letter while a document window has the focus: its own buttons' letters ("&Ok") come before
    // the menu bar's ("&Outils"), which shares the main window with them and would win the key.
    // The override keeps the key from the menu bar; the key press that follows presses the button,
    // and goes no further (a box would take the letter). Where buttons of the window share the
    // letter, the press moves the focus to the next of them instead, in reading order, as the
    // desktop does with a letter it cannot tell apart.
    bool retenirMnemonique(QKeyEvent* touche)
    {
        m_mnemonique = {};
        if ((touche->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || QApplication::activePopupWidget())
            return false;
        QWidget* fenetre = Fenetre_document(QApplication::focusWidget());
        if (!fenetre)
            return false;
        const QKeySequence sequence(QKeyCombination(Qt::AltModifier, Qt::Key(touche->key())));
        QList<QAbstractButton*> boutons;
        for (QAbstractButton* bouton : fenetre->findChildren<QAbstractButton*>()) {
            if (bouton->isVisible() && bouton->isEnabled() && QKeySequence::mnemonic(bouton->text()) == sequence)
                boutons << bouton;
        }
        if (boutons.isEmpty())
            return false;
        m_mnemonique = {boutons.first(), touche->key(), true, true};
        if (boutons.size() > 1) {
            QList<QAbstractButton*> tour;
            for (QWidget* w : Controles_en_ordre_de_lecture(fenetre)) {
                if (auto* b = qobject_cast<QAbstractButton*>(w); b && boutons.contains(b))
                    tour << b;
            }
            if (!tour.isEmpty()) {
                const qsizetype ici = tour.indexOf(qobject_cast<QAbstractButton*>(QApplication::focusWidget()));
                m_mnemonique.bouton = tour[(ici + 1) % tour.size()];
                m_mnemonique.presser = false;
            }
        }
        return true;
    }

    bool presserMnemonique(QKeyEvent* touche)
    {
        const Mnemonique retenu = std::exchange(m_mnemonique, {});
        if (touche->key() != retenu.touche || (touche->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
            return false;
        if (retenu.bouton && retenu.bouton->isVisible() && retenu.bouton->isEnabled()) {
            if (retenu.presser)
                retenu.bouton->click();
            else
                retenu.bouton->setFocus(Qt::ShortcutFocusReason);
        }
        return true;
    }

    struct Mnemonique {
        QPointer<QAbstractButton> bouton;
        int touche = 0;
        bool attendu = false;
        bool presser = true; // else the focus goes to it
    };
    Mnemonique m_mnemonique;
    bool m_renvoi = false;
};

// The control with the focus. With no window in front (a message box just closed, and the desktop
// gives the window back on its own time), the one the control's window gives it to once back.
QWidget* Focus_dans(QWidget* controle)
{
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return controle->window()->focusWidget();
}

// Puts the focus back in a box left for a button, caret and selection as they were, while the
// focus is still on that button, or still in the box where it was put back.
class RetourSaisie : public QObject {
public:
    RetourSaisie(QWidget* saisie, QPushButton* presse) : QObject(saisie), m_saisie(saisie), m_presse(presse)
    {
        if (auto* boite = qobject_cast<QLineEdit*>(saisie)) {
            m_curseur = boite->cursorPosition();
            m_debut = boite->selectionStart();
            m_longueur = boite->selectionLength();
        }
    }

    // Where the focus is: true when it is back in the box, or will be once the window is back.
    bool rendre(QWidget* focus)
    {
        if (!m_saisie || !m_presse || !m_saisie->isVisible() || !m_saisie->isEnabled())
            return false;
        if (focus != m_presse && !(m_rendu && focus == m_saisie))
            return false;
        m_rendu = true;
        if (!m_saisie->hasFocus())
            m_saisie->setFocus(Qt::OtherFocusReason);
        remettre();
        // After what the focus itself does later (a box selecting its whole text).
        QTimer::singleShot(0, this, [this] { remettre(); });
        return true;
    }

    // Once more when the desktop gives the window back, before the window hands its focus out.
    void rendreAuRetour() { m_saisie->window()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::WindowActivate && m_saisie && objet == m_saisie->window()) {
            objet->removeEventFilter(this);
            rendre(m_saisie->window()->focusWidget());
            QTimer::singleShot(0, this, &QObject::deleteLater);
        }
        return false;
    }

private:
    void remettre()
    {
        auto* boite = qobject_cast<QLineEdit*>(m_saisie.data());
        if (!boite || Focus_dans(boite) != boite)
            return;
        if (m_debut >= 0 && m_longueur > 0)
            boite->setSelection(m_debut == m_curseur ? m_debut + m_longueur : m_debut,
                                m_debut == m_curseur ? -m_longueur : m_longueur);
        else
            boite->setCursorPosition(m_curseur);
    }

    QPointer<QWidget> m_saisie;
    QPointer<QPushButton> m_presse;
    int m_curseur = 0;
    int m_debut = -1;
    int m_longueur = 0;
    bool m_rendu = false;
};

// The box being typed in is left first, as a click on the button leaves it: what leaving it does
// (a time written out in full, a list read again) is done before the button reads it. Refused, the
// window stays with the focus back where the typing was, caret and selection as they were, unless
// the button put the focus elsewhere. A message box shown on the way leaves the window in the
// background when it closes, until the desktop gives it back, with the focus it had then: the
// focus is put back in the box for then, and again once it is back.
void Presser_apres_saisie(QWidget* fenetre, QPushButton* bouton)
{
    QWidget* saisie = QApplication::focusWidget();
    if (saisie == bouton || !fenetre->isAncestorOf(saisie))
        saisie = nullptr;
    if (!saisie) {
        bouton->click();
        return;
    }
    // Owned by the box: gone with it, whatever the button does to the window.
    QPointer<RetourSaisie> retour = new RetourSaisie(saisie, bouton);
    bouton->setFocus(Qt::OtherFocusReason);
    bouton->click();
    if (!retour)
        return;
    if (retour->rendre(Focus_dans(saisie)) && !QApplication::focusWidget())
        retour->rendreAuRetour();
    else
        QTimer::singleShot(0, retour, &QObject::deleteLater);
}

// One guard for the whole program, put in place by the first window or button.
void Installer_garde_clavier()
{
    static QPointer<QObject> garde;
    if (!garde && qApp) {
        garde = new GardeClavier;
        garde->setParent(qApp);
        qApp->installEventFilter(garde);
    }
}
} // namespace

FenetreComptee::FenetreComptee(QWidget* parent) : QWidget(parent)
{
    Installer_garde_clavier();
}

FenetreComptee::~FenetreComptee()
{
    // Windows destroyed with this one (its children) must not call back into what is left of it.
    setProperty("qv_detruite", true);
    m_enDestruction = true;
    terminer();
}

void FenetreComptee::Prendre_verrous(const VerrousMenus& verrous)
{
    // Group by group, so that what unloading gives back is exactly what was taken, even when a
    // group fails half-way; locks taken by an earlier call are added to.
    for (int g = 0; g < NbGroupesVerrou; ++g) {
        const auto groupe = static_cast<GroupeVerrou>(g);
        const QList<int>& ajout = verrous.deltas(groupe);
        if (ajout.isEmpty())
            continue;
        Verrouiller_groupe(groupe, ajout);
        QList<int> total = m_verrous.deltas(groupe);
        if (total.isEmpty())
            total = QList<int>(ajout.size(), 0);
        for (qsizetype i = 0; i < ajout.size(); ++i)
            total[i] += ajout[i];
        m_verrous.groupe(groupe, total);
    }
}

void FenetreComptee::Fixer_taille_design(int largeurTwips, int hauteurTwips)
{
    m_tailleDesign = QSize(Twips_en_pixels(largeurTwips), Twips_en_pixels(hauteurTwips));
    // The size includes the frame: it goes on the frame when the window is shown.
    if (!isVisible())
        return;
    Donner_taille(Cadre_fenetre(this), m_tailleDesign);
    Elargir_au_contenu(this);
    // Grown in place, its bottom may have left the area.
    Garder_fenetre_visible(this);
}

void FenetreComptee::closeEvent(QCloseEvent* event)
{
    // Closing the window in front brings back the window it was opened from, not whichever the
    // document area would pick (a chooser closing must not leave the list behind its caller on top).
    QPointer<FenetreComptee> retour = qobject_cast<FenetreComptee*>(frmCible.data());
    const QWidget* cadre = Cadre_fenetre(this);
    auto* sous = qobject_cast<const QMdiSubWindow*>(cadre);
    const bool devant = sous ? sous->mdiArea() && sous->mdiArea()->currentSubWindow() == sous : isActiveWindow();
    if (!m_decharge)
        Decharger_fenetres_filles();
    terminer();
    event->accept();
    // Once the frame is gone: the document area activates a window of its own choice on the way.
    if (retour && devant) {
        QObject::connect(cadre, &QObject::destroyed, retour, [retour] {
            if (retour && !retour->estDecharge() && Cadre_fenetre(retour)->isVisible())
                Activer_fenetre(retour);
        });
    }
}

void FenetreComptee::keyPressEvent(QKeyEvent* event)
{
    if (Touche_entree(event)) {
        for (QPushButton* bouton : findChildren<QPushButton*>()) {
            if (bouton->isDefault() && bouton->isVisible() && bouton->isEnabled()) {
                Presser_apres_saisie(this, bouton);
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

bool FenetreComptee::focusNextPrevChild(bool suivant)
{
    // Laid out again as controls show and hide with the mode: ordered at each key.
    Ordonner_tabulation(this);
    return QWidget::focusNextPrevChild(suivant);
}

void FenetreComptee::terminer()
{
    if (m_decharge)
        return;
    m_decharge = true;
    if (QPointer<QWidget> appelant = frmCible) {
        frmCible.clear();
        if (!appelant->property("qv_detruite").toBool()) {
            if (auto* a = dynamic_cast<AppelantFenetres*>(appelant.data()))
                a->ForceUnloadWindowsEngag(objectName());
        }
    }
    m_jeton.liberer();
    const auto rendre = [verrous = m_verrous] {
        // Unloading runs from close and from destructors: it must not throw.
        try {
            verrous.appliquer(-1);
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
        }
    };
    // A window destroyed with its frame or the main window has ancestors half torn down: the
    // menus are looked up once that is over.
    if (m_enDestruction && !m_verrous.vide())
        QMetaObject::invokeMethod(QCoreApplication::instance(), rendre, Qt::QueuedConnection);
    else
        rendre();
}

// ---- Layout --------------------------------------------------------------------------------

void Disposer_liste_boutons(QWidget* fenetre, QWidget* contenu, const QList<QWidget*>& boutons)
{
    auto* colonne = new QVBoxLayout(fenetre);
    colonne->addWidget(contenu, 1);
    auto* rangee = new QHBoxLayout;
    rangee->addStretch(1);
    for (QWidget* bouton : boutons)
        rangee->addWidget(bouton);
    colonne->addLayout(rangee);
}

void Relier_touches_dialogue(QWidget* fenetre, QPushButton* ok, QPushButton* annuler)
{
    // Return is the window's: a control that takes it (a focused button, an open list) keeps it.
    ok->setDefault(true);
    if (annuler) {
        auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), fenetre);
        echap->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(echap, &QShortcut::activated, annuler, &QPushButton::click);
    }
}

QPushButton* Creer_bouton(QWidget* parent, const QString& nom, const QString& texte)
{
    Installer_garde_clavier();
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nom);
    // Outside a dialog, a button that draws itself as the default when it has the focus stops
    // being the window's default once the focus leaves it. Return on a focused button is the
    // keyboard guard's.
    b->setAutoDefault(false);
    return b;
}

ElementsFenetreListe Disposer_fenetre_liste(FenetreComptee* fenetre, QTreeWidget* liste, int largeurTwips, int hauteurTwips)
{
    ElementsFenetreListe e;
    e.Command1_0 = Creer_bouton(fenetre, "Command1_0", "&Ok");
    e.Command1_1 = Creer_bouton(fenetre, "Command1_1", "&Annuler");
    e.Command1_2 = Creer_bouton(fenetre, "Command1_2", "&Modifier");
    e.StatusBar1 = new QStatusBar(fenetre);
    e.StatusBar1->setObjectName("StatusBar1");
    e.StatusBar1->setSizeGripEnabled(false);
    e.Timer1 = new QTimer(fenetre);
    e.Timer1->setObjectName("Timer1");
    Disposer_liste_boutons(fenetre, liste, {e.Command1_2, e.Command1_0, e.Command1_1});
    if (auto* colonne = qobject_cast<QVBoxLayout*>(fenetre->layout()))
        colonne->addWidget(e.StatusBar1);
    fenetre->Fixer_taille_design(largeurTwips, hauteurTwips);
    return e;
}
