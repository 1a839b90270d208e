#pragma once
// "Informations club": the current club's name and code, contact data, officials, activities
// with their responsables and tariffs. Everything is edited in memory and written at once by
// "&Enregistrer"; "&Quitter", "&Recharger" and the close box drop the edits.

#include "core/fenetres.h"

#include <QHash>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class det_mon_club : public FenetreComptee {
    Q_OBJECT
public:
    explicit det_mon_club(QWidget* parent = nullptr);

    // Loads the current club's data into the window (also "&Recharger").
    void Charger_infos_club();
    // "&Enregistrer".
    void Enregistrer();

    QTabWidget* SSTab1;
    QLineEdit* text1[17];
    QPushButton* Cmd_code;
    QTreeWidget* Lsv_role;
    QToolButton* Cmd_role_0;
    QToolButton* Cmd_role_2;
    QComboBox* Cbo_activite;
    QPushButton* Cmd_activite_0;
    QPushButton* Cmd_activite_1;
    QTreeWidget* lsv_responsable;
    QToolButton* Cmd_add_resp;
    QToolButton* Cmd_suppr_resp;
    QTreeWidget* Lsv_tarif;
    QLabel* lbl_devise;
    QCheckBox* Chk_corres;
    QLabel* lbl_franc;
    QToolButton* Cmd_AddTarif;
    QToolButton* Cmd_SupprTarif;
    QPushButton* Command1_0;
    QPushButton* Command1_1;
    QPushButton* Command1_2;

private:
    QWidget* ongletAdresse();
    QWidget* ongletOrganisation();
    QWidget* ongletActivites();
    QWidget* ongletTarifs();

    void ajouterRole();
    void supprimerRole();
    void copierRole(QTreeWidgetItem* ligne);

    void ajouterActivite();
    void supprimerActivite();
    // The combo's entry index becomes the current activity.
    void choisirActivite(int index);
    // Selects the entry named exactly so, else the first one.
    void Chercher_activite(const QString& nom);
    void Stocker_responsables_activite();
    void Charger_responsables();
    void ajouterResponsable();
    void supprimerResponsable();

    void ajouterTarif();
    void supprimerTarif();
    void copierTarif(QTreeWidgetItem* ligne);
    void convertirEnFrancs();

    void majBoutons();
    // Selects a row without copying it into the inputs.
    void selectionnerSansCopie(QTreeWidget* liste, int index);

    // One entry per activity, keyed by its lower-cased name: its responsables joined by Tab.
    QHash<QString, QString> colActivites;
    QString strActiviteCourante;
    bool m_selectionProgramme = false;
};

// Shows the own-club window not modal, or brings it to the front when already open.
void Ouvrir_det_mon_club(QPointer<det_mon_club>& fenetre);
