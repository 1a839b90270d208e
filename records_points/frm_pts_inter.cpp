#include "records_points/frm_pts_inter.h"

#include "core/base.h"
#include "core/composants.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"
#include "records_points/calcul_points.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

struct Categorie {
    const char* libelle;
    const char* sexe; // "" for the mixed teams
};
// In the order of Engag_equipe's counts: men, women, mixed.
constexpr Categorie Categories[] = {{"Masculine", "M"}, {"Feminine", "F"}, {"Mixte", ""}};
// Every line of a team, in characters.
constexpr int LargeurLigne = 60;

} // namespace

VerrousMenus Verrous_points_equipes()
{
    VerrousMenus v;
    v.groupeEntier(GroupeVerrou::Club)
        .groupeEntier(GroupeVerrou::Profil)
        .groupeEntier(GroupeVerrou::Licence)
        .groupeEntier(GroupeVerrou::Compet)
        .groupeEntier(GroupeVerrou::Engag);
    return v;
}

QString Preparer_requete_equipe(const QString& requete, const QString& balise, const QString& valeur,
                                const QString& mixite)
{
    QString r = requete;
    r.replace(balise, valeur, Qt::CaseSensitive);
    r.replace("<MIXITE>", mixite, Qt::CaseSensitive);
    return r;
}

frm_PtsInter::frm_PtsInter(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_PtsInter");
    setWindowTitle("Calculs des points des équipes interclubs");

    lsv_compet = Creer_liste_rapport(this, "lsv_compet", {"Num", "Nom"});
    lsv_numauto = Creer_liste_rapport(this, "lsv_numauto", {"Numauto"});
    lsv_numauto->hide();
    Chk_relais = new QCheckBox("Relais comptent double", this);
    Chk_relais->setObjectName("Chk_relais");
    cmd_0 = Creer_bouton(this, "cmd_0", "Calcul");
    cmd_1 = Creer_bouton(this, "cmd_1", "&Quitter");
    cmd_2 = Creer_bouton(this, "cmd_2", "Imprimer");
    Rich = new BoiteRiche(this);
    Rich->setObjectName("Rich");
    Rich->setReadOnly(true);
    // Sixty-character lines: only a fixed-width font keeps the columns, and only a box that
    // neither wraps them nor is narrower than them shows each on one line.
    QFont fixe("Courier New", 10);
    fixe.setStyleHint(QFont::Monospace);
    Rich->setFont(fixe);
    Rich->document()->setDefaultFont(fixe);
    Rich->setLineWrapMode(QTextEdit::NoWrap);
    Rich->setMinimumWidth(QFontMetrics(fixe).horizontalAdvance(QString(LargeurLigne, '0'))
                          + static_cast<int>(2 * Rich->document()->documentMargin()) + 2 * Rich->frameWidth()
                          + Rich->verticalScrollBar()->sizeHint().width());

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(lsv_compet, 1);
    gauche->addWidget(Chk_relais);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(cmd_0);
    boutons->addWidget(cmd_2);
    boutons->addStretch();
    boutons->addWidget(cmd_1);
    gauche->addLayout(boutons);
    auto* principal = new QHBoxLayout(this);
    principal->addLayout(gauche, 2);
    principal->addWidget(Rich, 3);
    Fixer_taille_design(11500, 6500);
    lsv_compet->setColumnWidth(0, Twips_en_pixels(1000));

    connect(cmd_0, &QPushButton::clicked, this, [this] { Calculer_points_equipes(); });
    connect(cmd_1, &QPushButton::clicked, this, &QWidget::close);
    connect(cmd_2, &QPushButton::clicked, this, [this] { Imprimer_points_equipes(); });
    connect(lsv_compet, &QTreeWidget::itemDoubleClicked, this, [this] { Calculer_points_equipes(); });

    cmd_2->setEnabled(false);
    try {
        Remplir_listes("SELECT AutoNum, Num, Nom FROM Rcomp WHERE Type = 'I' and visible = true and Deroule = false",
                       {lsv_compet, lsv_numauto}, {{1, 2}, {0}}, QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors chargement de la fenêtre.");
    }
    if (Nombre_lignes(lsv_compet) > 0)
        Selectionner_element(lsv_compet, 1);
    cmd_0->setEnabled(Nombre_lignes(lsv_compet) > 0);
}

QString frm_PtsInter::competitionChoisie() const
{
    const QTreeWidgetItem* ligne = Ligne(lsv_numauto, Ligne_courante(lsv_compet));
    return ligne ? ligne->text(0) : QString();
}

void frm_PtsInter::Aucune_equipe()
{
    Rtb_ecrire_gras(*Rich, 18, "AUCUNE EQUIPE ENGAGEE");
}

qint64 frm_PtsInter::valeur(Composant& calcul, const QString& code, const QString& temps) const
{
    return calcul.appeler("CalculPoint", {code.toInt(), Valeur_numerique(temps)}).toLongLong();
}

void frm_PtsInter::Calculer_points_equipes()
{
    const QString cle = competitionChoisie();
    if (cle.isEmpty())
        return;
    CurseurOccupe occupe;
    Rich->vider();
    // Named on the text itself, so that the printed copy keeps it in the template.
    Rich->setPolice("Courier New");
    cmd_2->setEnabled(false);
    try {
        Executer_requete("SELECT Eq_Homme, Eq_Femme, Eq_Mixte FROM Engag_equipe WHERE Num_compet = " + cle
                             + " AND Num_profil = " + strNumProfil,
                         false);
        qint64 nombres[3] = {0, 0, 0};
        if (colResultat.nbLignes() > 0)
            for (int c = 0; c < 3; ++c)
                nombres[c] = static_cast<qint64>(Valeur_numerique(colResultat.item(c, 1)));
        Liberer_resultat();
        if (nombres[0] == 0 && nombres[1] == 0 && nombres[2] == 0) {
            Aucune_equipe();
            return;
        }
        // Without the component there is nothing to value: the estimate stops here.
        const std::unique_ptr<Composant> calcul = Creer_calculateur_points();
        if (!calcul)
            return;
        cmd_2->setEnabled(true);

        const QString individuel =
            "SELECT Engag.Code_epreuve, Nage.Libelle, Engag.Tps_engagement, Licence.Nom, Licence.Prenom "
            "FROM Nage Nage, Licence Licence, Engag Engag "
            "Where Nage.Code_Nage = Engag.Code_epreuve AND Engag.Num_Lic = Licence.Num AND "
            "Engag.Num_equipe = <NUM_TEAM> AND Engag.Equipe_mixte = <MIXITE> AND Engag.Num_compet = "
            + cle + " AND Engag.Num_profil = " + strNumProfil
            + " AND Licence.Sexe = '<SEXE_NAGEUR>' "
              "ORDER BY Engag.Code_epreuve";
        const QString relais = "SELECT Relais.Code_epreuve, Nage.Libelle, Relais.Num_Lic, Relais.Tps "
                               "FROM Nage Nage, Relais Relais "
                               "WHERE Nage.Code_Nage = Relais.Code_epreuve "
                               "AND Relais.Num_equipe = <NUM_TEAM> "
                               "AND Relais.Equipe_mixte = <MIXITE> "
                               "AND Nage.Sexe = '<SEXE_NAGE>' "
                               "AND Relais.Num_profil = "
                               + strNumProfil + " AND Relais.Num_compet = " + cle + " ORDER BY Relais.Code_epreuve;";
        const bool relaisDouble = Chk_relais->isChecked();

        for (int c = 0; c < 3; ++c) {
            const Categorie& cat = Categories[c];
            const bool mixte = QString(cat.sexe).isEmpty();
            QString reqIndiv, reqRelais;
            if (mixte) {
                reqIndiv = QString(individuel).remove(" AND Licence.Sexe = '<SEXE_NAGEUR>'");
                reqIndiv = Preparer_requete_equipe(reqIndiv, "<SEXE_NAGEUR>", "", "true");
                reqRelais = QString(relais).remove("AND Nage.Sexe = '<SEXE_NAGE>' ");
                reqRelais = Preparer_requete_equipe(reqRelais, "<SEXE_NAGE>", "", "true");
            } else {
                reqIndiv = Preparer_requete_equipe(individuel, "<SEXE_NAGEUR>", cat.sexe, "false");
                reqRelais = Preparer_requete_equipe(relais, "<SEXE_NAGE>", cat.sexe, "false");
            }
            for (qint64 t = 1; t <= nombres[c]; ++t) {
                const QString equipe = QString::number(t);
                qint64 total = 0;
                Rtb_ecrire_gras(*Rich, 12, "Equipe " + equipe + " " + cat.libelle + "\r\n");

                // One pass per query: an event's label once, then one line per entry, its
                // points added (twice for a relay when asked).
                const auto valoriser = [&](const QString& requete, int colTemps, bool estRelais) {
                    QString libelle;
                    Executer_requete(Preparer_requete_equipe(requete, "<NUM_TEAM>", equipe, mixte ? "true" : "false"),
                                     false);
                    for (int i = 1; i <= colResultat.nbLignes(); ++i) {
                        if (colResultat.item(1, i) != libelle) {
                            libelle = colResultat.item(1, i);
                            Rtb_ecrire(*Rich, "\r\n", 10);
                            Rtb_ecrire_souligne(*Rich, 10, libelle + "\r\n");
                        }
                        const QString temps = colResultat.item(colTemps, i);
                        const qint64 p = valeur(*calcul, colResultat.item(0, i), temps);
                        total += estRelais && relaisDouble ? 2 * p : p;
                        const QString qui = estRelais ? Completer_droite("Equipe n° " + colResultat.item(2, i), 46)
                                                      : Completer_droite(colResultat.item(3, i), 25) + " "
                                                            + Completer_droite(colResultat.item(4, i), 20);
                        Rtb_ecrire(*Rich,
                                   qui + " " + Completer_gauche(Temps_affichage(temps), 8) + " "
                                       + Completer_gauche(QString::number(p), 4) + "\r\n",
                                   10);
                    }
                    Liberer_resultat();
                };
                valoriser(reqIndiv, 2, false);
                valoriser(reqRelais, 3, true);

                Rtb_ecrire(*Rich, "TOTAL POINTS :" + QString(41, ' '), 10);
                Rtb_ecrire_gras(*Rich, 10, Completer_gauche(QString::number(total), 5));
                Rtb_ecrire(*Rich, "\r\n\r\n", 10);
            }
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Liberer_resultat();
        Afficher_erreur("Une erreur s'est produite lors du calcul des points.");
    }
}

void frm_PtsInter::Imprimer_points_equipes()
{
    const QString cle = competitionChoisie();
    if (cle.isEmpty())
        return;
    struct Fin {
        ~Fin()
        {
            Decharger_frm_tempo_rapport();
            Afficher_statut(QString());
        }
    } fin;
    try {
        Afficher_statut("Préparation de l'impression");
        BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
        if (!Construire_modele_impression(Services::repertoireApplication() + "/respts.rtf", boite, "respts", false))
            return;
        Executer_requete("SELECT Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu, Rcomp.Longueur FROM Rcomp "
                         "WHERE AutoNum = "
                             + cle,
                         false);
        if (colResultat.nbLignes() > 0) {
            Rtb_remplacer_balise(boite, "<NOM_COMPET>", colResultat.item(0, 1), 0);
            Rtb_remplacer_balise(boite, "<DATE_COMPET>",
                                 Date_en_texte(colResultat.item(1, 1), "d/mm") + " - "
                                     + Date_en_texte(colResultat.item(2, 1), "d/mm/yyyy"),
                                 0);
            Rtb_remplacer_balise(boite, "<LIEU_COMPET>", colResultat.item(3, 1), 0);
            Rtb_remplacer_balise(boite, "<BASSIN>", colResultat.item(4, 1), 0);
        }
        Liberer_resultat();
        boite.selectionner(boite.longueur(), 0);
        boite.remplacerSelection(*Rich->document());

        Afficher_statut("Choix de l'imprimante");
        QPrinter imprimante(QPrinter::HighResolution);
        if (!Choisir_imprimante(imprimante))
            return;
        repaint();
        Afficher_statut("Impression");
        Rtb_imprimer(boite, &imprimante, QString(), true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Liberer_resultat();
        Afficher_erreur("Une erreur s'est produite lors de l'impression des points.");
    }
}

void Ouvrir_points_equipes(QPointer<frm_PtsInter>& fenetre)
{
    Ouverture ouverture;
    ouverture.verrous = Verrous_points_equipes();
    Ouvrir_fenetre(fenetre, ouverture);
}
