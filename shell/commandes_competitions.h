#pragma once
// The competition and pool commands of the main window's menus. Owned by the main window; it
// keeps the windows it opened so that a second command brings them forward instead of opening
// them twice.

#include <QHash>
#include <QObject>
#include <QPointer>

class Frm_liste_compet;
class Frm_liste_piscine;
class det_Piscine;
class det_compet;

class CommandesCompetitions : public QObject {
    Q_OBJECT
public:
    explicit CommandesCompetitions(QObject* parent = nullptr);

    // Connects every competition and pool menu item of that window.
    void connecter(QWidget* fenetrePrincipale);

    void mnuCompetNew_Click();
    // The competition list in a mode, with its caption and action button.
    void ouvrirListe(const QString& mode, const QString& titre, const QString& titreAction);
    void mnuModelePiscineNew_Click();
    void ouvrirPiscines(const QString& mode, const QString& titre, const QString& titreAction);

    Frm_liste_compet* liste(const QString& mode) const;
    det_compet* detail() const;
    Frm_liste_piscine* piscines() const;
    det_Piscine* nouvellePiscine() const;

private:
    // One list per mode: the modes that lock nothing may be open beside another one.
    QHash<QString, QPointer<Frm_liste_compet>> m_listes;
    QPointer<det_compet> m_detail;
    QPointer<Frm_liste_piscine> m_piscines;
    QPointer<det_Piscine> m_nouvellePiscine;
};
