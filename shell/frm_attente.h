#pragma once
// The runner of the exchange components: the modal window in which the user chooses a folder or
// an archive, then one component works on the closed base, what it produced is zipped or moved,
// and its trace is shown. Closing the window opens the base again, or falls back to its backup.

#include "core/ouvreurs.h"
#include "core/progression.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class BoiteRiche;
class Composant;
class DossierTravail;
class VerrouBase;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// What the copy of the outputs asks of the machine and of the user.
struct OutilsCopie {
    std::function<bool(const QString& fichier, const QString& dossier)> espaceSuffisant;
    std::function<bool(const QString& dossier)> lecteurPret;
    // Another target folder, "" when the user gives none.
    std::function<QString()> choisirCible;
};

// Moves every file of the work folder into the target folder, asking for another folder when
// one does not fit; cible then holds the folder used last. False when the copy was stopped.
bool Copier_fichiers(const QString& dossierTravail, QString& cible, const OutilsCopie& outils);
// Zips every file of the work folder into a new archive that replaces the one at that path
// once complete. False (after its message) at the first file that cannot be added, and false
// without a message when the work folder is empty (no archive is made).
bool Compresser_fichiers(const QString& dossierTravail, const QString& archive);

class frm_attente : public QDialog, public CibleProgression, public CibleQuestion {
    Q_OBJECT
    Q_INTERFACES(CibleProgression CibleQuestion)

public:
    enum class Etat { Choix, Execution, Trace };

    explicit frm_attente(QWidget* parent = nullptr);
    ~frm_attente() override;

    // Creates the component and sets the window up for the action; false after the message
    // when it cannot.
    bool setObjDll(const QString& strNomClass, const QString& strOperation, const QString& strCaption_P,
                   const QString& strNumCompet_P, bool bNewCompet);

    void Cmd_rep_Click(int index);
    void chk_option_Click();
    void Cmd_ok_Click();
    void Cmd_quit_Click();
    // Reopens the base (or restores its backup) when the run closed it, and releases the
    // component. Runs once.
    void Form_Unload();

    Etat etat() const { return m_etat; }
    const QString& numCompet() const { return m_strNumCompet_P; }

    // The component's progress.
    void setProgress(int pourcent) override;
    void setClub(const QString& club) override;
    void setSwimmer(const QString& nageur) override;
    // The component's questions.
    bool demanderConfirmation(const QString& texte) override;

public slots:
    void reject() override;

private:
    struct Action;
    static const Action* action(const QString& code);
    QVariantList argumentsMethode() const;
    bool estExport() const;
    bool optionCochee() const;
    bool entreeZippee() const;
    void executerComposant(bool& reussi, bool& exception);
    bool chargerTrace();
    void ajouterAuRapport(const QString& ligne);
    void etatFinal();
    void afficherEtatChoix();
    void terminerExecution(bool apresRefus);

    std::unique_ptr<Composant> m_objDll;
    const Action* m_action = nullptr;
    QString m_strOperation;
    QString m_strNumCompet_P;
    bool m_bNewCompet = false;
    // Competitions made for an import that has not succeeded: they go when the window closes.
    QStringList m_competsCreees;
    std::unique_ptr<DossierTravail> m_travail;
    QString m_strRepTemp;
    QString m_strFichierTrace;
    QString m_repDezip;
    Etat m_etat = Etat::Choix;
    bool m_baseFermee = false;
    // The base's lock, kept from the closing of the base to its reopening.
    std::unique_ptr<VerrouBase> m_garde;
    bool m_decharge = false;

    QWidget* m_groupeRep;
    QWidget* m_groupeProgres;
    QLabel* m_lbRep;
    QLineEdit* m_txtRep;
    QPushButton* m_cmdRep[2];
    QCheckBox* m_chkOption;
    QPushButton* m_cmdOk;
    QPushButton* m_cmdQuit;
    QProgressBar* m_progressBar;
    BoiteRiche* m_richRapport;
    QLabel* m_lbMessage[4];
    QLabel* m_lbClub;
    QLabel* m_lbNageur;
};
