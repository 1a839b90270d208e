#pragma once
// The template commands of the main window's menus: the entry and programme template lists
// in their three modes, and a new template of either kind.

#include <QObject>
#include <QPointer>

class frm_liste_modele;

class CommandesModeles : public QObject {
    Q_OBJECT
public:
    explicit CommandesModeles(QObject* parent = nullptr);

    void mnuModeleEngagNew_Click();
    void mnuModeleProgNew_Click();
    // "View", "Modif" or "Suppr" of the type "Engag" or "Prog".
    void ouvrirListe(const QString& typeModele, const QString& mode);

private:
    QPointer<frm_liste_modele> m_engag;
    QPointer<frm_liste_modele> m_prog;
};
