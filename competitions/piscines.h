#pragma once
// Pools: the placeholder pool 'Null' that stands for no pool, the openers of the pool list and of
// the pool detail, and the menu locks they take.

#include "core/fenetres.h"

#include <QPointer>
#include <QString>

class Frm_liste_piscine;
class det_Piscine;

// The key of the placeholder pool 'Null'; "" when the base has none.
QString Get_num_piscine_nulle();

class QGroupBox;
class QRadioButton;
// The "Bassin" frame of the competition and pool windows: its options "25 m" and "50 m" go into
// options, named Op_bass_0 and Op_bass_1.
QGroupBox* Creer_cadre_bassin(QWidget* parent, QRadioButton* (&options)[2]);
// True for the placeholder's name, whatever its case: no pool may take it.
bool Nom_piscine_reserve(const QString& nom);

// The locks the pool list takes for a mode (none in "Choisir") and gives back when it closes.
VerrousMenus Verrous_liste_piscines(const QString& mode);
// The locks the new-pool command takes and its detail window gives back.
const VerrousMenus& Verrous_nouvelle_piscine();

// Opens the pool list with the pool of that key selected (the first one when empty).
void Ouvrir_liste_piscines(QPointer<Frm_liste_piscine>& fenetre, const QString& titre, const QString& mode,
                           bool annulerPossible, const QString& titreAction, int gauche, int haut, const QString& cle,
                           QWidget* appelant);
// Opens the pool detail filled with one pool; ligne is its row in the caller's list.
void Ouvrir_det_piscine(QPointer<det_Piscine>& fenetre, const QString& mode, QWidget* appelant, int ligne,
                        const QString& nom, const QString& adresse, const QString& codePostal, const QString& ville,
                        const QString& couloirs, const QString& bassin, const QString& cle);
