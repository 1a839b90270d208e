#pragma once

#include "shell/frm_monitor_def.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class Composant;
class Frm_liste_club;
class Frm_liste_profil;
class dem_info;
class det_profil;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window's place at a first start on a screen whose free area is dispo, when the
// menus and status bar take `pourtour` around the document area: room for the largest child
// window. None when the screen has not that room: the window then opens maximized.
std::optional<QRect> Placement_principal_defaut(const QRect& dispo, const QSize& pourtour);

// The main window: the menus from which every command starts, a toolbar, the status bar
// (profile, step, date, time) and the area that holds the child windows. Its creation is the
// Load: the placement comes back from the settings and the menus take the no-base state.
class FrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmPrincipal(QWidget* parent = nullptr);
    ~FrmPrincipal() override;

    QMdiArea* zoneFenetres() const { return m_zone; }
    // The hidden pop-up of the licence list (mnuTarifs).
    QMenu* menuTarifs() const;
    // Status-bar panel 1, the current profile.
    void Ecrire_panneau_profil(const QString& texte);

    // How a base still open is closed when the window closes (question, keep or restore,
    // backup removed). Without one the base is just closed.
    void fixerFermetureBase(std::function<void()> fermeture) { m_fermetureBase = std::move(fermeture); }

    // The performance monitor.
    void mnuPerfOrdiAffiche_Click();
    void mnuPerfOrdiMasquer_Click();
    void mnuPerfOrdiParam_Click();
    void Decharger_suivi_perf();
    void Etat_menus_suivi(bool b);
    void Etat_menu_toujours_visible(bool b);
    void Fixer_suivi_toujours_visible(bool visible, bool majMenus);
    // The monitor component, nullptr until first shown.
    Composant* objDllSuivi() const { return m_suivi.get(); }
    FrmMonitorDef* fenetreParametresSuivi() const { return m_parametresSuivi; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void construireBarreOutils();
    void construireBarreEtat();
    void connecterMenus();
    void mnuPerfOrdiTjsVisible_Click();
    void rafraichirHorloge();
    // What the menus, status bar and frames take around the document area's viewport.
    QSize pourtourZone() const;
    void completerPlacementDefaut();
    void lirePlacement();
    void sauverPlacement() const;

    QMdiArea* m_zone = nullptr;
    // Until first shown: the window took the default placement, measured before its bars were laid out.
    bool m_placementDefaut = false;
    QToolBar* m_barreOutils = nullptr;
    QLabel* m_panneauProfil = nullptr;
    QLabel* m_panneauEtape = nullptr;
    QLabel* m_panneauDate = nullptr;
    QLabel* m_panneauHeure = nullptr;
    QTimer m_timer1;
    QTimer m_horloge;
    std::function<void()> m_fermetureBase;
    std::unique_ptr<Composant> m_suivi;
    QPointer<FrmMonitorDef> m_parametresSuivi;
    // Windows opened from the profile and club menus.
    QPointer<Frm_liste_profil> m_listeProfils;
    QPointer<det_profil> m_nouveauProfil;
    QPointer<det_profil> m_infoProfil;
    QPointer<Frm_liste_club> m_listeClubs;
    QPointer<dem_info> m_nouveauClub;
};

// frmPrincipal as the main window class, or nullptr.
FrmPrincipal* Fenetre_principale();

// The monitor's position and interval into the three variables.
void Lire_position_suivi(Composant& composant, qint32& x, qint32& y, qint32& intervalle);
// The current profile's "always visible" flag, then all four monitor settings.
void Sauver_suivi_toujours_visible();
void Sauver_param_suivi();
