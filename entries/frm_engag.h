#pragma once
// The individual entry window: the swimmers of one team of a competition (or of an entry
// template), and for the swimmer shown the events he swims with their entry times.

#include "core/fenetres.h"

#include <QMap>
#include <QPointer>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class frm_liste_modele;
struct EditionEngag;

class frm_engag : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_engag(QWidget* parent = nullptr);

    QString strNumCompetTraitee; // competition key, or template key in template mode
    bool bModeleTraitee = false;
    bool bForceRefresh = false;

    void Remplir_Info_Engag();
    void PurgeInfoEngagementNageur();
    void SetAccessControleForModele();
    void ForceUnloadWindowsEngag(const QString& nom) override;

    // Whether pool option j (row i, or i + 50 for its 50 m option) exists.
    static bool Option_50_existe(int j);
    // The tab (0 Papillon .. 4 4 Nages) of an event code, men's codes included.
    static int Onglet_epreuve(int code);
    // The women's codes of the event rows, tab by tab.
    static const std::array<QList<int>, 5>& Codes_onglets();

    QLineEdit* txt_search;
    QTreeWidget* lsv_licencie;
    QTreeWidget* lsv_licencie_search;
    QPushButton* Cmd_add_0;
    QPushButton* Cmd_add_1;
    QComboBox* cbo_team;
    QTreeWidget* lsv_engag;
    QTreeWidget* Lsv_engag_info;
    std::array<QLineEdit*, 3> txt_nb_equipe;
    QPushButton* cmd_def_team;
    QPushButton* Cmd_equipe_0;
    QPushButton* Cmd_equipe_1;
    QTabWidget* SSTab2;
    QPushButton* Cmd_modele;
    QCheckBox* Chk_DoModele;
    QPushButton* cmd_0;
    QPushButton* cmd_1;
    QTimer* Timer1;

    // The event grid, indexed by the women's event code (dates: i, i + 50, i + 100; pools: i, i + 50).
    QMap<int, QCheckBox*> Check1;
    QMap<int, QLineEdit*> txt_temps;
    QMap<int, QLineEdit*> Text1;
    QMap<int, QLineEdit*> txt_description;
    QMap<int, QRadioButton*> Option1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void Decharger_fenetres_filles() override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    struct Perf {
        QString temps, lieu, date, bassin;
    };

    QWidget* construireOnglet(const QList<int>& codes);
    // Table and key condition of the edit, for the swimmers, entries and teams.
    EditionEngag edition() const;
    QString conditionCle(const QString& table) const;
    QString conditionEquipe() const;

    void choixEquipe();
    void Decoder_libelle(const QString& libelle);
    void chargerListeLicences();
    void ajouterNageur();
    void retirerNageur();
    void selectionNageur();
    void afficherNageur(const QString& cle);

    void Afficher_engag_nageur(const QString& cle);
    void Sauver_engag_nageur(const QString& cle);
    void Supprimer_engag_nageur(const QString& cle, bool relais);
    void Charger_meilleures_perfs(const QString& cle);
    void Rafraichir_epreuves(int premier, int dernier);
    void Activer_controle(QLineEdit* boite, bool actif, bool coche, bool vider);
    void cocher(int i, bool coche);
    void SSTab2_Click();

    void Verifier_nb_equipes();
    void Affecter_equipe_nageur(const QString& cle, bool retirer);
    void Remplacer_balises(QString sql, const QString& table, const QString& numero, const QString& sexe);
    void Activer_controles_equipe(bool b);
    void definirEquipes();
    void validerEquipes();
    void annulerEquipes();
    void finEditionEquipes();

    void ok();
    void annuler();
    void choisirModele();
    void rafraichirListeModeles();

    QString m_libelleEquipe;
    QString m_numEquipe = "0";
    QString m_sexeEquipe;
    QString m_mixteEquipe = "true";
    QString m_nageurAffiche;
    std::array<QString, 3> m_anciensNombres;
    QString m_debutSaison;
    std::array<Perf, 50> m_perfs;
    QPointer<frm_liste_modele> m_listeModeles;
    bool m_fermeParBoutons = false;
    bool m_chargementNageur = false;
    bool m_controleDate = true;
    bool m_remplissage = false;
};
