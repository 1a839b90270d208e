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
