#pragma once
// The openers of shared windows that several subsystems call. Each is defined beside its
// window, in the subsystem that builds it, and follows Ouvrir_fenetre (core/fenetres.h); the
// declarations live here so that every caller reaches them the same way.

#include "core/fenetres.h"

#include <QPointer>
#include <QString>

class QWidget;
class det_modele_obli;
class frm_liste_modele;
class frm_liste_pays;
class frm_calTps;
class frm_prog;
class frm_engag;
class frm_engag_relais;
class frm_convocation;
class Frm_liste_compet;
class det_compet;

// Asks for a template's name in det_modele_obli; style 1 is modal. Table and key are set when
// not empty, the box's text when nomActuel is not empty.
void Demander_nom_modele(const QString& mode, bool annulerPossible, int style, const QString& table,
                         const QString& cleModele, const QString& nomActuel, QWidget* appelant);

// The template list frm_liste_modele, its locks from Verrous_liste_modeles.
void Ouvrir_liste_modeles(QPointer<frm_liste_modele>& fenetre, const QString& titre, const QString& mode,
                          bool annulerPossible, const QString& titreBouton2, const QString& typeModele, int gauche,
                          int haut, const QString& competSource, QWidget* appelant);
// The locks of the template list for a mode and a template type ("Engag" or "Prog").
VerrousMenus Verrous_liste_modeles(const QString& mode, const QString& typeModele);

// The country picker frm_liste_pays; no lock.
void Ouvrir_liste_pays(QPointer<frm_liste_pays>& fenetre, const QString& mode, const QString& paysSel, int gauche,
                       int haut, QWidget* appelant);

// The time calculator frm_calTps; its copy controls shown only when there is a caller.
void Ouvrir_calculatrice_temps(QPointer<frm_calTps>& fenetre, int gauche, int haut, QWidget* appelant);

// The runner of the exchange components (shell/frm_attente): loads it for one action, shows it
// modally and returns once it is closed; nothing is shown when the component cannot be created.
void Lancer_attente(const QString& strNomClass, const QString& strOperation, const QString& strCaption_P,
                    const QString& strNumCompet_P, bool bNewCompet);

// The programme editor frm_prog (competitions): caption, mode, template flag, competition or
// template key, definition-view flag, caller, and whether the template's programme is loaded.
void Ouvrir_frm_prog(QPointer<frm_prog>& fenetre, const QString& titre, const QString& mode, bool bModele,
                     const QString& cle, bool vueDefinition, QWidget* appelant, bool chargerDetail);

// The individual entry window frm_engag (entries): caption, mode, template flag, competition or
// template key, caller, and whether the event boxes are cleared first.
void Ouvrir_frm_engag(QPointer<frm_engag>& fenetre, const QString& titre, const QString& mode, bool bModele,
                      const QString& cle, QWidget* appelant, bool purger);

// The relay entry window frm_engag_relais (entries) for a competition.
void Ouvrir_frm_engag_relais(QPointer<frm_engag_relais>& fenetre, const QString& cleCompet, QWidget* appelant);

// The convocation window frm_convocation (entries) for a competition; the caller is told when it
// closes.
void Ouvrir_frm_convocation(QPointer<frm_convocation>& fenetre, const QString& cleCompet, QWidget* appelant);

// Prints the current profile's entry slip of a competition (entries).
void Imprimer_bordereau_engag(const QString& cleCompet);

// The competition list Frm_liste_compet in a mode, with the mode's locks from
// Verrous_liste_compet (competitions/rcomp.h); an empty sql lists the mode's competitions.
void Ouvrir_liste_compet(QPointer<Frm_liste_compet>& fenetre, const QString& titre, const QString& mode,
                         bool annulerPossible, const QString& titreAction, QWidget* appelant, const QString& sql);

// The competition detail det_compet: "Nouveau" (with the new-competition locks) or "Modif" on
// competition cle.
void Ouvrir_det_compet(QPointer<det_compet>& fenetre, const QString& mode, const QString& titre, const QString& cle,
                       QWidget* appelant);
