#pragma once
// The relay entries of one competition for the current profile: per club team, the relay events
// entered and their numbers of relay teams (selection mode), then each relay team's legs and
// entry time (composition mode). Writes go to Relais at once; cancelling puts back the copy taken
// into Relais_tempo before the window opened.

#include "core/fenetres.h"

#include <QPointer>
#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class frm_calTps;

class frm_engag_relais : public FenetreComptee {
    Q_OBJECT
public:
    explicit frm_engag_relais(QWidget* parent = nullptr);

    void RemplirInfo(const QString& strNumCompet);
    void ForceUnloadWindowsEngag(const QString& strName) override;

    QListWidget* Lst_relais;
    QListWidget* Lst_relais_engag;
    QTreeWidget* LsvInfoRelais;
    QTreeWidget* lsv_engag;
    QTreeWidget* Lsv_engag_num;
    QTreeWidget* lsv_engag_relais;
    QTreeWidget* Lsv_engag_relais_num;
    QComboBox* cbo_team;
    QComboBox* cbo_team_relais;
    QLineEdit* txt_nb_equipe;
    QLineEdit* txt_temps;
    QPushButton* Cmd[3];
    QPushButton* Cmd_add[2];
    QPushButton* cmd_plus;
    QPushButton* cmd_moins;
    QPushButton* Cmd_CalTps;
    QPushButton* Cmd_AffichCalTps;
    QTimer* Timer1;

    bool modeComposition() const { return m_composition; }
    frm_calTps* calculatrice() const;

protected:
    void Decharger_fenetres_filles() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Charger_equipes();
    void Decoder_equipe();
    QString Get_clause_equipe(const QString& numero, const QString& sexe, QString& mixte,
                              const QString& prefixe) const;
    void Charger_nageurs_equipe();
    void Afficher_composition_relais(int numRelais);
    bool Sauver_composition_relais(int index);
    bool Sauver_nb_equipes_relais();
    void Remplir_cbo_equipe_relais();
    void Maj_controles_relais();
    void Maj_nb_equipe(bool b);

    QString conditionRelaisEquipe() const;
    void cbo_team_Click();
    void chargerSelection();
    void chargerComposition();
    void Lst_relais_ItemCheck(int index);
    void Lst_relais_engag_Click();
    void cbo_team_relais_Click();
    void prendreNbEquipe();
    void ajouterRelayeur();
    void retirerRelayeur();
    void calculerTemps();
    void ouvrirCalculatrice();
    void basculerMode();
    void Timer1_Timer();
    void ok();
    void annuler();
    bool restaurerCopie();
    void terminerEdition();
    QString codeEvenement() const;
    QString infoEvenement(int colonne) const;
    void fixerTabulation();

    QString m_strNumCompet;
    int m_longueurBassin = 0;
    QString m_libelleEquipe;
    QString m_numEquipe = "0";
    QString m_sexeEquipe;
    QString m_libelleCharge;
    bool m_composition = false;
    bool m_sauverNb = false;
    bool m_fermeture = false;
    int m_indexEvenement = 100;
    int m_indexRelais = 100;
    QString m_sexeListe = "A_CHANGER";
    int m_pasHauteur = 200;
    QPointer<frm_calTps> m_calculatrice;
    QLabel* m_labelNbEquipe;
};
