#pragma once
// "Calculs des points des équipes interclubs": values every entry of the current profile's
// teams in an interclub competition to come on the national points table, team by team, and
// prints the estimate from "respts.rtf".

#include "core/fenetres.h"

class BoiteRiche;
class Composant;
class QCheckBox;
class QPushButton;
class QTreeWidget;

// The menu locks the main window's handler takes for the window; given back when it closes.
VerrousMenus Verrous_points_equipes();

// Every occurrence of the placeholder becomes the value, then every "<MIXITE>" the mixed text.
QString Preparer_requete_equipe(const QString& requete, const QString& balise, const QString& valeur,
                                const QString& mixite);

class frm_PtsInter : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_PtsInter(QWidget* parent = nullptr);

    QTreeWidget* lsv_compet;
    QTreeWidget* lsv_numauto; // hidden: the competitions' keys, row for row
    QCheckBox* Chk_relais;
    QPushButton* cmd_0;
    QPushButton* cmd_1;
    QPushButton* cmd_2;
    BoiteRiche* Rich;

    void Calculer_points_equipes();
    void Imprimer_points_equipes();
    void Aucune_equipe();

private:
    QString competitionChoisie() const;
    qint64 valeur(Composant& calcul, const QString& code, const QString& temps) const;
};

// Opens the window, with its locks, or brings it forward.
void Ouvrir_points_equipes(QPointer<frm_PtsInter>& fenetre);
