#pragma once
// The list of the current club's (or selection's) licences: viewing, opening one for editing,
// deleting with undo until "&Ok", giving a tariff to the licences without one, and choosing a
// swimmer for the detail window, by mode.

#include "core/fenetres.h"

#include <QHash>
#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class det_licence;

// A window that takes the swimmer chosen in a licence list opened in "Choisir".
class ChoixLicence {
public:
    virtual ~ChoixLicence() = default;
    virtual void remplir_champs(const QString& num) = 0;
};

// Number of values a "&Valider" keeps: name bounds, birth-year bounds, the sex, type and nature
// letters, then "O" or "" for each of the six affiliations.
constexpr int NB_CRITERES_LICENCE = 13;

// The "AND ..." conditions of the criteria, ended by a blank ("" values add nothing). The
// birth-year bounds are both inclusive.
QString Criteres_licences(const QStringList& valeurs);

class frm_liste_licence : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_liste_licence(QWidget* parent = nullptr);
    ~frm_liste_licence() override;

    // The locks an opener takes for a mode (none in "Choisir").
    static VerrousMenus Verrous_du_mode(const QString& mode);

    // Loads the list (sql, or the default list of the current club or selection) and selects
    // the licence of that key, else the first row.
    void set_liste(const QString& sql, const QString& numSel);
    // Reloads with the current criteria and order, keeping that licence selected.
    void ReloadListe(const QString& numSel);
    // The tariff pop-up: "Aucun" then one item per tariff of the club.
    void ChargeMenuTarifs();
    // A tariff item chosen for the selected licence: 0 drops its pending tariff.
    void mnuTarifsSel_Click(int index);
    void ForceUnloadWindowsEngag(const QString& nom) override;
    // The default action of the mode on the selected row.
    void SimulAction();

    // Whether "&Annuler" may be used, as the opener said.
    void Fixer_annuler(bool bAnnuler);
    // Key of the selected licence, "" when none.
    QString Num_selectionne() const;
    // The tariff waiting for "&Ok" for a licence, "" when none.
    QString Tarif_en_attente(const QString& num) const { return m_tarifs.value(num); }
    // The text the list was last loaded from (base, criteria, order).
    QString Requete_courante() const;
    QString Criteres() const { return m_criteres; }
    QMenu* Menu_tarifs();
    QPointer<det_licence> Detail() const { return m_detail; }

    QTreeWidget* lsv_licence;
    QTreeWidget* lsv_info_lic;
    QPushButton* Cmd[6];
    QGroupBox* frm_crit;
    QLineEdit* txt_nom[2];
    QLineEdit* txt_age[2];
    QRadioButton* Option_sexe[2];
    QLabel* PicSexe[2];
    QRadioButton* Option_type[3];
    QRadioButton* Option_nature[2];
    QCheckBox* Check1[6];
    QPushButton* Cmd_clear[3];
    QLineEdit* txt_recherche;
    QLabel* Img_findfast;
    QTimer* Timer1;
    QStatusBar* StatusBar1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construireCriteres();
    void remplir(const QString& sql, const QString& numSel);
    void etatListe(bool bLignes);
    QString numLigne(int index) const;
    void trier(int colonne);
    void supprimerLigne();
    void menuTarifsSurLigne(const QPoint& position);
    void cmdClick(int index);
    void ok();
    bool annulerSuppressions();
    void fermer();
    void afficherCriteres(bool bCriteres);
    QStringList valeursCriteres() const;
    void restaurerCriteres();
    void retirerMenusTarifs();

    QPointer<det_licence> m_detail;
    QPointer<QMenu> m_menuPropre; // the pop-up when there is no main window
    QString m_base;
    QString m_criteres;
    QString m_orderBy;
    int m_triColonne = 1;
    bool m_triDesc = true;
    bool m_fermeture = false;
    bool m_bAnnuler = true;
    bool m_dechargee = false;
    QStringList m_criteresSauves;
    QHash<QString, QString> m_tarifs;
    QStringList m_ordreTarifs;
    int m_toucheRecherche = 0;
};

// Opens the licence list in a mode ("View", "Modif", "Suppr", "SsCotisation", "Choisir") with its
// locks. texteModifier "" hides the "Modifier" button; gauche and haut in twips, applied when
// above 0; sql "" gives the default list.
void Ouvrir_liste_licences(QPointer<frm_liste_licence>& fenetre, const QString& titre, const QString& mode,
                           bool bAnnuler, const QString& texteModifier, int gauche, int haut, const QString& sql,
                           const QString& numSel, QWidget* cible);
