#pragma once
// The club store: every write to the table Club goes through here. Other tables name a club by
// its code; the base carries a change of code over to them (trigger of the model base).

#include <QPointer>
#include <QString>
#include <functional>

class Frm_liste_club;
class QLineEdit;
class QWidget;
class dem_info;

bool Club_existe(const QString& code, const QString& exclusion, bool bAfficher, QString& message);
void Msg_club_existe(const QString& message);
// "" when no club has that code.
QString Get_num_club(const QString& code);
// False when the code is invalid or the write failed; the user has been told.
bool Ajouter_club(const QString& code, const QString& nom);
bool Modifier_club(const QString& code, const QString& nom, const QString& num, QString message);
// Deletes the clubs matched by the two filters ("Num = 12 or Num = 15" and
// "Code_Club = '12' or Code_Club = '15'"): all or nothing. False after the error message.
bool Supprimer_clubs(const QString& filtreNum, const QString& filtreCode);
void Erreur_sauvegarde_club(const QString& message);
// After a base is opened: forces the creation of a club when none is visible.
void Controler_club();

// Opens the club list in a mode ("View", "Modif", "Suppr", "Choisir", "liste club pour profil"),
// taking the mode's menu locks. haut and gauche in twips, applied when above 0; requete ""
// lists every visible club.
void Ouvrir_liste_club(QPointer<Frm_liste_club>& fenetre, const QString& titre, const QString& mode, bool bAnnuler,
                       const QString& texteModifier, int haut, int gauche, const QString& requete,
                       const QString& selection, QWidget* cible);
// Opens "Information club". In "Nouveau" it takes the club menus and the new and modify profile
// menus itself (given back when the dialog closes); in "Modif" it edits row indice of the
// club list cible.
void Ouvrir_info_club(QPointer<dem_info>& fenetre, const QString& mode, const QString& code, const QString& nom,
                      int indice, QWidget* cible);
// The code builder on that text box, modal.
void Ouvrir_construc_code_club(QLineEdit* zone);

// Creating, modifying and deleting clubs reload the current profile through the loader that
// the main window's subsystem installs among the base's steps.
void Recharger_profil_courant();
// Installs the club check among the steps that follow the opening of a base.
void Installer_etapes_clubs();
