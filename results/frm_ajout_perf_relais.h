#pragma once
// Manual relay performances: a relay event is chosen, then its times are typed with the team's
// swimmers in leg order.

#include "results/saisie_perf.h"

class QLineEdit;
class QPushButton;

class frm_ajout_perf_relais : public FenetreSaisiePerf {
    Q_OBJECT
public:
    explicit frm_ajout_perf_relais(QWidget* parent = nullptr);

    static VerrousMenus Verrous();

    // Choosing an event (false) or entering its performance (true).
    void Init_saisie_perf(bool b);
    // Legs of the event being entered, -1 while choosing.
    int Nb_relayeurs() const { return m_nbRelayeurs; }

    QTreeWidget* Lsv_info_relais; // "50", "Sexe", "Num Relayeur"
    QTreeWidget* Lsv_licence_num; // "Nom complet", "NumAuto"
    QLineEdit* txt_recherche;
    QPushButton* Cmd[3];     // "&Quitter", "&Ajouter", "&Sélectionner"
    QPushButton* Cmd_add[2]; // add to, remove from the composition
    QPushButton* cmd_plus;
    QPushButton* cmd_moins;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Init_colonnes_nageurs_relais(QTreeWidget* lv, QTreeWidget* lvNum, bool bNomComplet);
    void Charger_nages_relais();
    void set_liste();
    void Remplir_liste(const QString& requete, const QString& nom);
    QString Get_info_nageur() const;
    void Maj_boutons_composition();
    void Vider_composition();
    void Maj_etat_controles(bool premierOnglet);
    void ajouter();
    void selectionner();
    void inserer();
    void effacer();
    void ajouterRelayeur();
    void retirerRelayeur();
    void trier(int colonne);

    int m_nbRelayeurs = -1;
    QString m_requeteSansOrdre;
    int m_triColonne = 1;
    bool m_triDesc = true;
};

void Ouvrir_frm_ajout_perf_relais(QPointer<frm_ajout_perf_relais>& fenetre);
