#pragma once
// Raising a base's schema from one version to the next with the statements of "maj_base.ini"
// (application folder), the log window of an upgrade, and the window where a user installs an
// upgrade package "maj_base.zip" and upgrades any base file.
//
// "maj_base.ini": section "INFO", key "Version finale"; sections "FROM <v>" with keys "maj1",
// "maj2", ... each holding one SQL statement; the first missing key ends a section. The chain
// runs from the base's version up to the first version without a section.

#include <QDialog>
#include <QString>

#include <memory>

class DossierTravail;
class QLabel;
class VerrouBase;
class QLineEdit;
class QPushButton;
class QTextEdit;

// "Version finale" of that ini file, "" when absent.
QString Lire_version_finale(const QString& fichierIni);
// Unzips the archive into a work folder of that name (DossierTravail: gone with the object, and
// at the next start after a kill); nullptr on failure (reported, folder removed).
std::unique_ptr<DossierTravail> Decompresser_package(const QString& nomDossier, const QString& archive);

// Upgrades the base open on cnxBase at that path, logging every step in frm_update, shown at
// the end. All statements run in one transaction: a failure leaves the base as it was. With a
// backup available, a failure offers to take the base back from it. True when nothing failed
// (also when no upgrade was needed or possible: the caller checks the version reached).
bool Mettre_a_jour_base(const QString& chemin, bool bSauvegardeDispo);

// The log of an upgrade.
class frm_update : public QDialog {
    Q_OBJECT
public:
    explicit frm_update(QWidget* parent = nullptr);
    // Appends a line at the end; red for the lines that warn of a base left unusable.
    void ajouter(const QString& ligne, bool rouge = false);

    QTextEdit* rich;
    QPushButton* cmd;
};

// "Installation et éxecution de la mise à jour des bases.": the open base is closed while the
// window is up and reopened after.
class frm_upgrade_base : public QDialog {
    Q_OBJECT
public:
    explicit frm_upgrade_base(QWidget* parent = nullptr);
    ~frm_upgrade_base() override;

    // Unzips the chosen package and installs its model and script when they are newer.
    bool Installer_package_base();
    void Mettre_a_jour_base_choisie();
    // Reopens the base that was open when the window came up.
    void Form_Unload();

    QLabel* lbRep;
    QLineEdit* txt_rep;
    QPushButton* Cmd_package_0;
    QPushButton* Cmd_package_1;
    QPushButton* Cmd_package_2;
    QLabel* lbBase;
    QLineEdit* txt_base;
    QPushButton* Cmd_base_0;
    QPushButton* Cmd_base_1;
    QPushButton* Cmd_base_2;
    QLabel* lb_info;
    QPushButton* cmd;

private:
    void majBoutons();
    void majInfo();
    void choisirPackage();
    void choisirBase();
    QString m_baseOuverte;
    // The open base's lock, kept while the window is up: the base is set aside, not given up.
    std::unique_ptr<VerrouBase> m_garde;
    bool m_decharge = false;
};

// The "&Bases" command of the update menu.
void Ouvrir_upgrade_base();
// mnuMajBase: refused while a child window is open, since the window closes the base.
void mnuMajBase_Click();
