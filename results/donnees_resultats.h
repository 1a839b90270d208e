#pragma once
// What the results viewer shows, as its print, text and HTML exports read it: the rows of the
// results list, the displayed events and the display flags. The exports never read the base.

#include <QList>
#include <functional>
#include <QString>
#include <QStringList>

struct DonneesResultats {
    // Each row of the results list: its text, then every column.
    QList<QStringList> lignes;
    QStringList codes;    // the code of each displayed event, in display order
    QStringList libelles; // their labels, as the search box holds them
    bool nationalite = false;
    bool equipe = false;
    bool inter = false;
    QString nomCompet;
    QString datesCompet;
    QString lieuCompet;

    // Column places of a row: "C", "Nom", "Année", ["Nat"], "Club", ["Eq"], "Tps", "Pts", splits.
    int colonneClub() const { return nationalite ? 4 : 3; }
    int colonneTemps() const { return colonneClub() + (equipe ? 2 : 1); }
    int colonnePoints() const { return colonneTemps() + 1; }
    int premiereColonneInter() const { return colonnePoints() + 1; }
};

// A cell of a row, "" past its end.
QString Cellule(const QStringList& ligne, int colonne);
// Blank: empty once trimmed.
bool Est_blanc(const QString& texte);
// The split cells of an event heading row: from the first split column up to the first blank one.
int Compter_inter(const DonneesResultats& d, const QStringList& entete);
// Time texts whose cell is joined with the points cell in the printed and HTML results.
bool Est_code_special_joint(const QString& tps);

// Walks the rows as the exports read them. A result's row has a place or a cell of its own
// between the name and the splits: a result always shows its time or its code, also when it
// takes no place (a negative time), while headings and empty lines only fill the place and name
// cells (and the split distances over an event heading). A result is given with the split count
// of its event; any other row whose name is blank is an empty line; any other is a heading, an
// event heading when it holds the next displayed event's label (evenement is then that event's
// place in the display, else -1).
struct VisiteurResultats {
    std::function<void()> ligneVide;
    std::function<void(const QString& titre, int evenement)> entete;
    std::function<void(const QStringList& ligne, int nbInter)> resultat;
};
void Parcourir_resultats(const DonneesResultats& d, const VisiteurResultats& visiteur);
