#pragma once
// What the template list asks of the programme editor for programme templates.

#include <QPointer>
#include <QString>

class QWidget;
class frm_prog;

// The editor (the list's caller) takes the template's programme.
void Appliquer_modele_programme(QWidget* editeur, const QString& cleModele);
// The editor's programme overwrites the template's.
void Enregistrer_programme_dans_modele(QWidget* editeur, const QString& cleModele);
// Closes an editor opened from the list.
void Fermer_editeur_programme(QPointer<frm_prog>& editeur);
// The editor as a window, nullptr when none.
QWidget* Fenetre_programme(const QPointer<frm_prog>& editeur);
