#pragma once
// One swimmer's licence, created ("Nouveau") or edited ("Modif"). In a selection profile a new
// licence is given a member club, or an existing swimmer of a member club is taken into the
// selection.

#include "clubs_licences/frm_liste_licence.h"
#include "core/fenetres.h"

#include <QMap>

class Frm_liste_club;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class frm_liste_pays;

// Number of texts Collecter_champs_licence gathers: the store's value array, then the
// tab-separated activities.
constexpr int NB_CHAMPS_LICENCE = 29;

class det_licence : public FenetreComptee, public ChoixLicence {
    Q_OBJECT
public:
    explicit det_licence(QWidget* parent = nullptr);

    // The locks the new-licence command takes; the window gives them back.
    static VerrousMenus Verrous_du_mode(const QString& mode);

    QString strNumLicence;
    QString strSexeCharge;
    bool bControleDate = true;

    // Shows the club and origin controls of the mode.
    void setControlVisible();
    // Loads licence num into the fields (also the swimmer chosen as origin).
    void remplir_champs(const QString& num) override;
    void ForceUnloadWindowsEngag(const QString& nom) override;
    QStringList Collecter_champs_licence() const;
    void Charger_activites_tarifs();
    void Desactiver_onglets_club();
    // The tab-key order follows the tab shown.
    void Maj_etat_controles();

    QTabWidget* SSTab1;
    QLineEdit* text1[14];
    QComboBox* Cb_licence;
    QRadioButton* Option_sexe[2];
    QLabel* PicSexe[2];
    QMap<int, QLineEdit*> txt_description; // day, month, year at 0-2, 10-12, 20-22, 30-32
    QMap<int, QPushButton*> Cmd_Date;      // 0, 10, 20, 30
    QPushButton* Cmd_Club;
    QPushButton* Cmd_pays;
    QPushButton* Cmd_origine;
    QLabel* Label1_17;
    QGroupBox* Frame1;
    QRadioButton* Option_type[3];
    QRadioButton* Option_nature[2];
    QCheckBox* Check1[6];
    QTreeWidget* lsvTarif;
    QPushButton* cmd_Tarif_Unselect;
    QTreeWidget* LsvActivites;
    QLineEdit* txt_Medecin;
    QPushButton* Command1[2];

protected:
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QWidget* construireAdministratif();
    QWidget* construireLicence();
    QWidget* construireClub();
    QWidget* groupeDate(int base);
    void ok();
    bool enregistrerNouveau();
    bool enregistrerModif();
    void choisirClub();
    void choisirPays();
    void choisirOrigine();
    // Where a chooser opens: below its button, in twips.
    QPoint positionChoix(QWidget* bouton) const;

    QPointer<frm_liste_pays> m_pays;
    QPointer<Frm_liste_club> m_club;
    QPointer<frm_liste_licence> m_origine;
    // As loaded: kept where the window cannot show them (see Collecter_champs_licence).
    QString m_nationaliteChargee;
    QString m_tarifCharge;
    QString m_numeroCharge;
};

// Opens the detail window: "Modif" loads licence num for the caller (the licence list);
// "Nouveau" takes the new-licence locks and has no caller.
void Ouvrir_det_licence(QPointer<det_licence>& fenetre, QWidget* cible, const QString& mode, const QString& titre,
                        const QString& num);

// The prefix of the club codes a selection gathers (country, inter-region, region or
// département), "" for a club.
QString Get_prefixe_code_club(const QString& codeClub);
