#include "competitions/modeles_programme.h"

// Stand-ins until the programme editor is built.
void Appliquer_modele_programme(QWidget*, const QString&) {}
void Enregistrer_programme_dans_modele(QWidget*, const QString&) {}
void Fermer_editeur_programme(QPointer<frm_prog>&) {}
QWidget* Fenetre_programme(const QPointer<frm_prog>&) { return nullptr; }
