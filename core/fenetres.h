#pragma once
// Window bookkeeping: the open-window counter, the menu locks of the main window, and the one
// way every counted window is opened, shown, told its mode and caller, and unloaded.

#include "core/globales.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>
#include <type_traits>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTimer;
class QStatusBar;

class QAction;
class QCloseEvent;
class QKeyEvent;
class QMdiArea;

// ---- Open-window counter -------------------------------------------------------------------

// True while at least one counted window is open: closing the base or quitting is then refused.
bool Fenetre_ouverte();
// Throw ErreurExecution(6) when the 16-bit counter would overflow.
void Incrementer_fenetres();
void Decrementer_fenetres();

// Counts one open window for as long as it lives, or until liberer().
class JetonFenetre {
public:
    JetonFenetre();
    ~JetonFenetre();
    JetonFenetre(const JetonFenetre&) = delete;
    JetonFenetre& operator=(const JetonFenetre&) = delete;
    void liberer();
    bool compte() const { return m_compte; }

private:
    bool m_compte = true;
};

// Closes, as their "Annuler" would, the windows left out of the count: their edits belong to the
// base being closed and must never be written into the next one.
void Fermer_fenetres_hors_compte();

// ---- Menu locks ----------------------------------------------------------------------------

// The ten lock groups, in the order of their collections.
enum class GroupeVerrou {
    Club,
    Profil,
    Licence,
    Compet,
    Engag,
    ModeleEngag,
    Piscine,
    ModeleProg,
    Perf,
    PointsEquipe,
};
constexpr int NbGroupesVerrou = 10;

// The menus of a group, in counter order.
const QStringList& Menus_du_groupe(GroupeVerrou groupe);
CollectionCompteurs& Compteurs_du_groupe(GroupeVerrou groupe);

// A main-window menu item by its name (a QAction, or the action of a submenu); nullptr when
// there is no main window or no such item. It searches the main window's widgets: never call
// it, nor the lock procedures, from a destructor (FenetreComptee does that part itself).
QAction* Menu(const QString& nom);

// Every group's counters back to 0, one per menu.
void Initialiser_verrous_menus();
// Adds delta to the counter; unless delta is 0, the menu is then enabled exactly when the
// counter is below 1. Throws ErreurExecution(6) on 16-bit overflow.
void Compter_verrou_menu(int delta, qint16& compteur, const QString& menu);
// One delta per menu of the group, in its order. Throws ErreurExecution(9) when the counts
// do not match the group.
void Verrouiller_groupe(GroupeVerrou groupe, const QList<int>& deltas);

void Verrouiller_menus_club(int nouveau, int liste, int modif, int suppr, int config);
void Verrouiller_menus_profil(int nouveau, int liste, int modif, int suppr, int info, int changer);
void Verrouiller_menus_licence(int nouveau, int importer, int liste, int modif, int suppr, int exporter,
                               int imprimer);
void Verrouiller_menus_compet(int nouveau, int liste, int modif, int suppr, int programme, int resultats,
                              int voirResultats);
void Verrouiller_menus_engag(int indiv, int relais, int disquette, int convocations, int bordereaux);
void Verrouiller_menus_modele_engag(int nouveau, int voir, int modif, int suppr);
void Verrouiller_menus_piscine(int nouveau, int voir, int modif, int suppr);
void Verrouiller_menus_modele_prog(int nouveau, int voir, int modif, int suppr);
void Verrouiller_menus_perf(int importer, int ajout, int ajoutRelais, int voir, int exporter, int records,
                            int categories);
void Verrouiller_menu_points_equipe(int calcul);

// The menus that depend on an open base; those that work for the current profile's club also need
// a loaded profile (strNumProfil).
void Etat_menus_base(bool baseOuverte);
void Menus_base_fermee();
void Menus_base_ouverte();

// The locks a window holds for its mode: a delta per menu of each group it touches.
class VerrousMenus {
public:
    // Throws ErreurExecution(9) when the count does not match the group.
    VerrousMenus& groupe(GroupeVerrou groupe, std::initializer_list<int> deltas);
    VerrousMenus& groupe(GroupeVerrou groupe, const QList<int>& deltas);
    // +1 on every menu of the group.
    VerrousMenus& groupeEntier(GroupeVerrou groupe);
    const QList<int>& deltas(GroupeVerrou groupe) const { return m_deltas[static_cast<int>(groupe)]; }
    bool vide() const;
    // +1 takes the locks, -1 gives them back.
    void appliquer(int signe) const;
    bool operator==(const VerrousMenus& autre) const { return m_deltas == autre.m_deltas; }

private:
    std::array<QList<int>, NbGroupesVerrou> m_deltas;
};

// ---- Placement -----------------------------------------------------------------------------

// The program's sizes and positions are written in twips; a pixel is 15 of them.
constexpr int Twips_en_pixels(int twips)
{
    return twips / 15;
}

// The largest frame a window opens with: the record view's width, the entry window's height.
// The main window's default size makes room for it.
constexpr QSize TaillePlusGrandeFenetre(Twips_en_pixels(14400), Twips_en_pixels(9600));

// The main window's document area, nullptr when there is no main window (tests).
QMdiArea* Zone_documents();
// Shows a window not modal: in the main window's document area, or as a window of its own
// when there is no main window. Left and top in twips, applied when above 0, then kept in
// sight (Garder_fenetre_visible). The window is deleted when it closes.
void Afficher_fenetre(QWidget* fenetre, int gauche = 0, int haut = 0);
// Gives a frame that size as its least and current one, or the least its controls need when
// that is more.
void Donner_taille(QWidget* cadre, const QSize& taille);
// The frame width that shows the window's title whole, 0 without a title.
int Largeur_pour_titre(QWidget* fenetre);
// Widens the window's frame, and its least width, to its title's room and, for a window whose
// controls are placed by hand, to its rightmost control (within what the user sees).
void Elargir_au_contenu(QWidget* fenetre);
// Widens the frame of the window that holds the list until the list is manque pixels wider, as far
// as what the user sees allows; a frame that does not widen the list stays as it was.
void Elargir_pour_liste(QTreeWidget* liste, int manque);
// The same for any control the window's layout stretches.
void Elargir_pour_controle(QWidget* controle, int manque);
// The window widens, as for a list, whenever the label's text needs more room than it has.
void Elargir_pour_libelle(QLabel* libelle);
// Where and how large the user made a window: a widening for a list lasts only while the window
// keeps the width it gave, and is never what is saved.
QRect Placement_donne(const QWidget* fenetre);
// Where a frame placed at `cadre` shows whole inside `visible`: where it is when it fits there,
// otherwise moved the least that makes it fit; along a side longer than the area, at the
// area's left or top edge.
QPoint Position_visible(const QRect& cadre, const QRect& visible);
// What the user sees of the place a window's frame lives in: the document area's viewport (in its
// coordinates) or the screen's available part for a window of its own; empty when unknown.
QRect Zone_visible(QWidget* fenetre);
// Moves a shown window's frame to that place within what the user sees of the document area
// (with its scroll position), or of the screen for a window of its own.
void Garder_fenetre_visible(QWidget* fenetre);
// Brings a shown window to the front and gives the focus back to the control that had it, or,
// the first time, to its first control in reading order.
void Activer_fenetre(QWidget* fenetre);
// The controls Tab stops at that the user sees in the window, in the order the eye reads them:
// line by line from the top, each line from left to right. The inside of a composite control
// (a calendar, an editable list) is one stop.
QList<QWidget*> Controles_en_ordre_de_lecture(QWidget* fenetre);
// Makes Tab and Shift+Tab follow that order.
void Ordonner_tabulation(QWidget* fenetre);
// Tab reaches the control right after `precedent`, wherever it stands: a button beside a column
// of boxes acts on all of them and is reached once they are filled.
void Tabuler_apres(QWidget* controle, QWidget* precedent);
// The frame around a window: its document sub-window, or the window itself.
QWidget* Cadre_fenetre(QWidget* fenetre);
// A button named after its control (e.g. "Command1_0"). Return presses it while it has the focus, as
// any push button of the program, and elsewhere in its window only where the window makes it the default.
QPushButton* Creer_bouton(QWidget* parent, const QString& nom, const QString& texte);
// In a counted window: ok becomes the default button (Return and Enter press it unless a control
// takes the key, a focused button pressing itself), Escape presses annuler (when given) anywhere in
// the window, as in a dialog; a disabled button stays unpressed. While a drop-down list is open the
// keys are the list's.
void Relier_touches_dialogue(QWidget* fenetre, QPushButton* ok, QPushButton* annuler = nullptr);
// Loads and shows a window: a dialog with style 1 modal, through the user-interface port (the
// caller owns it); otherwise not modal. Returns the modal result, 0 when not modal.
int Afficher_formulaire(QWidget* fenetre, int style);

// True when the reference holds a window: unless silent, says so; gives that window the focus.
bool Fenetre_deja_ouverte(QWidget* fenetre, bool silencieux);

// A window that opens others and wants to hear when they close.
class AppelantFenetres {
public:
    virtual ~AppelantFenetres() = default;
    // The child of that name is closing: forget it (and close what depends on it).
    virtual void ForceUnloadWindowsEngag(const QString& nom);
};

// ---- Counted windows -----------------------------------------------------------------------

// Base of every counted window. Counted while it lives; its unloading tells the caller, gives
// back the menu locks its opener took, then releases the count, once, whatever closes it.
class FenetreComptee : public QWidget, public AppelantFenetres {
    Q_OBJECT
public:
    explicit FenetreComptee(QWidget* parent = nullptr);
    ~FenetreComptee() override;

    QString strAction;       // the mode, compared case-sensitively
    QPointer<QWidget> frmCible; // the caller

    // Takes these locks now and gives them back at unloading.
    void Prendre_verrous(const VerrousMenus& verrous);
    const VerrousMenus& verrous() const { return m_verrous; }
    // Opens at this size (twips) and cannot be made smaller.
    void Fixer_taille_design(int largeurTwips, int hauteurTwips);
    QSize tailleDesign() const { return m_tailleDesign; }
    bool estDecharge() const { return m_decharge; }
    bool estComptee() const { return m_jeton.compte(); }

protected:
    // For a window that never holds work the base must wait for: closing the base or quitting
    // goes on while it is open.
    void Ne_pas_compter() { m_jeton.liberer(); }
    // First step of unloading: close the windows this one opened.
    virtual void Decharger_fenetres_filles() {}
    // Subclasses that may refuse closing ignore the event, else call this.
    void closeEvent(QCloseEvent* event) override;
    // Tab goes in reading order, whatever order the controls were made in.
    bool focusNextPrevChild(bool suivant) override;
    // Return and Enter that no control took press the button drawn as the default, as in a dialog,
    // once the box being typed in is left as a click would leave it; when the button leaves the
    // window open, the focus goes back to that box.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void terminer();
    JetonFenetre m_jeton;
    VerrousMenus m_verrous;
    QSize m_tailleDesign;
    bool m_decharge = false;
    bool m_enDestruction = false;
};

// ---- The opener protocol -------------------------------------------------------------------

struct Ouverture {
    VerrousMenus verrous;  // the locks of the mode, handler's locks included
    QString strAction;     // the mode
    QString titre;         // the caption; empty keeps the window's own
    int gauche = 0;        // twips, applied when above 0
    int haut = 0;
    QWidget* appelant = nullptr; // becomes frmCible, last
};

// Opens a counted window into its reference: creates it, takes the mode's locks, shows it not
// modal, sets mode and caption, lets the caller set the rest (members, buttons, list loading),
// and last sets the caller. When the reference already holds a window, it is only brought to
// the front: no second set of locks, and its mode stays.
template <class T>
T* Ouvrir_fenetre(QPointer<T>& reference, const Ouverture& ouverture,
                  const std::type_identity_t<std::function<void(T&)>>& preparer = {})
{
    if (reference) {
        Activer_fenetre(reference);
        return reference;
    }
    auto* fenetre = new T;
    try {
        fenetre->Prendre_verrous(ouverture.verrous);
    } catch (...) {
        delete fenetre;
        throw;
    }
    reference = fenetre;
    Afficher_fenetre(fenetre, ouverture.gauche, ouverture.haut);
    fenetre->strAction = ouverture.strAction;
    if (!ouverture.titre.isEmpty())
        fenetre->setWindowTitle(ouverture.titre);
    if (preparer)
        preparer(*fenetre);
    // The caller may have moved or resized it.
    Garder_fenetre_visible(fenetre);
    fenetre->frmCible = ouverture.appelant;
    return fenetre;
}

// Puts a list window together: the content stretches with the window; the buttons stay in a
// row at the bottom right, in the order given.
void Disposer_liste_boutons(QWidget* fenetre, QWidget* contenu, const QList<QWidget*>& boutons);

// What a list window with "&Ok", "&Annuler" and "&Modifier" below its list is made of: the
// buttons, a status bar under them and the timer that shows the selection again after a double click.
struct ElementsFenetreListe {
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
    QStatusBar* StatusBar1;
    QTimer* Timer1;
};
// Makes them, lays out the list, the buttons and the status bar, and gives the window its design size.
ElementsFenetreListe Disposer_fenetre_liste(FenetreComptee* fenetre, QTreeWidget* liste, int largeurTwips, int hauteurTwips);
