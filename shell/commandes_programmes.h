#pragma once
// The programme-template commands of the main window's menus: a new programme template through
// the template-name dialog, and the programme-template list in its three modes. Owned by the
// main window; it keeps the list it opened so that a second command brings it forward.

#include <QObject>
#include <QPointer>

class frm_liste_modele;

class CommandesProgrammes : public QObject {
    Q_OBJECT
public:
    explicit CommandesProgrammes(QObject* parent = nullptr);

    void mnuModeleProgNew_Click();
    void mnuModeleProgView_Click();
    void mnuModeleProgModif_Click();
    void mnuModeleProgSuppr_Click();

private:
    void ouvrirListe(const QString& mode, const QString& titre, const QString& texteBouton);

    QPointer<frm_liste_modele> m_liste;
};
