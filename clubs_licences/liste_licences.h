#pragma once
// The swimmer lists: a visible list and a hidden parallel list filled from one query, and the
// type-ahead search that looks for a name in the hidden list and selects the row it finds.

#include <QList>
#include <QObject>
#include <QString>
#include <array>

class QLineEdit;
class QTreeWidget;

// Result-column numbers (0-based, in the SELECT list's order): [0] gives the visible list's
// columns, [1] the hidden list's. The filler empties both.
using ColonnesListes = std::array<QList<int>, 2>;

// The visible list shows the first three columns of map 0 (four with bColonne4); with bDate its
// last column shows map 0's last value, a "yyyymmdd" date, as "d mmmm yyyy". The hidden list's
// row text is map 1's first two values joined by a blank (what the search looks for), its
// further columns map 1's further values.
void Remplir_liste_licences(const QString& requete, QTreeWidget* liste, QTreeWidget* listeInfo, bool bDate,
                            bool bColonne4, ColonnesListes& colonnes);

// A character typed on the visible list (KeyAscii, set to 0: the list never sees it) edits the
// search box and searches again. Returns -13 for Enter (act on the selected row), -1 for Escape
// and other keys, else the 1-based row found or -1.
int Recherche_clavier_liste(int& KeyAscii, QTreeWidget* listeRecherche, QTreeWidget* listeAffichee,
                            QLineEdit* txtRecherche);
// A key released in the search box (a Qt key, or 13/27): Enter and Escape empty the box, any
// other key searches for its text.
void Recherche_rapide(int KeyCode, QLineEdit* txtRecherche, QTreeWidget* listeRecherche, QTreeWidget* listeAffichee);

// Wires the two searches to a list window: keys typed on the visible list and released in the
// search box. Owned by the visible list.
class RechercheRapide : public QObject {
    Q_OBJECT
public:
    RechercheRapide(QTreeWidget* liste, QTreeWidget* listeInfo, QLineEdit* txtRecherche);

signals:
    // Enter typed on the visible list: the window acts on the selected row.
    void entreeTapee();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QTreeWidget* m_liste;
    QTreeWidget* m_listeInfo;
    QLineEdit* m_txtRecherche;
};
