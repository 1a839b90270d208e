#pragma once
// The list of the profile's entry or programme templates: viewing, changing, deleting,
// applying a template, and saving entries or a programme into one.

#include "core/fenetres.h"

class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class frm_engag;
class frm_prog;

class frm_liste_modele : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_liste_modele(QWidget* parent = nullptr);

    QString strNumModelesel;  // the template chosen or created by the name dialog
    QString strNumCompetSrc;  // the competition whose entries are saved or that receives a template
    QString strModeleType;    // "Engag" or "Prog"
    bool bViewListeCompet = false; // show the competition list again when this list closes

    // Loads the templates and selects the one of that key, else the first.
    Q_INVOKABLE void set_liste(const QString& cle);
    void ForceUnloadWindowsEngag(const QString& nom) override;
    // Hides the competition list until this list closes.
    void Cacher_liste_compet(QWidget* listeCompet);
    // The competition list that Cacher_liste_compet hides when given none.
    void Retenir_liste_compet(QWidget* listeCompet);

    QTreeWidget* Lsv_modele;
    QTreeWidget* Lsv_num;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;
    QStatusBar* StatusBar1;
    QTimer* Timer1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QString table() const;
    bool modeleChoisi(QString& cle, QString& nom) const;
    void ok();
    void annuler();
    void defaireMarques();
    void bouton2();
    void doubleClic();
    void marquerSelection();
    void fermerAppelant();

    QPointer<frm_engag> m_engag;
    QPointer<frm_prog> m_prog;
    QPointer<QWidget> m_listeCompet;
    bool m_actionEnCours = false;
};

// Deletes the profile's templates of a type ("Engag" or "Prog") matching a condition on the
// template table, with their content: a new template must never find rows under its key.
void Supprimer_modeles(const QString& typeModele, const QString& condition);
