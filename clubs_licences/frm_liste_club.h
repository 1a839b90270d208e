#pragma once
// The list of visible clubs: viewing, choosing a club to modify, deleting clubs, and picking a
// club for the licence or the profile detail window, by mode.

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class dem_info;

class Frm_liste_club : public FenetreComptee {
    Q_OBJECT
public:
    explicit Frm_liste_club(QWidget* parent = nullptr);

    // The locks an opener takes for a mode (none in the choosing modes).
    static VerrousMenus Verrous_du_mode(const QString& mode);

    QString strClubSelCode;
    QString strClubSelNom;

    // Loads the clubs (requete, or every visible club) and selects the row of that code, else
    // the first.
    void set_liste(const QString& selection, const QString& requete = QString());
    void ForceUnloadWindowsEngag(const QString& nom) override;
    // The number of the club in row indice (from 1) of the list.
    QString Numero_club(int indice) const;

    QTreeWidget* Lsv_club;
    QTreeWidget* Lsv_info_club;
    QTreeWidget* Lsv_num;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
    QStatusBar* StatusBar1;
    QTimer* Timer1;

protected:
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ok();
    void bouton2();
    void retirerSelection();
    void doubleClic();

    QPointer<dem_info> m_info;
};
