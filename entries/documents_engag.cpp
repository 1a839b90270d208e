#include "entries/documents_engag.h"

#include "clubs_licences/licences.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"

#include <QPrinter>
#include <QTreeWidget>

#include <memory>

namespace {

// A value no row has: the first row always opens a heading.
const QString A_CHANGER = "A_CHANGER";
constexpr int LargeurColonneNageur = 54;

// Scissors and dashes around the reply coupon: a font that has the sign, and a fixed-width one
// so that the row of dashes has the width of the columns above.
const QString PoliceCiseaux = "DejaVu Sans";
const QString PoliceTirets = "Courier New";

// The status text and the busy pointer, however a document ends.
struct EtapesDocument {
    CurseurOccupe occupe;
    ~EtapesDocument() { Afficher_statut(QString()); }
};

QString Date_courte(const QString& debut, const QString& fin)
{
    return Date_en_texte(debut, "d/mm") + " - " + Date_en_texte(fin, "d/mm/yyyy");
}

// The licence text of a swimmer: in a selection, the club code runs into the number.
QString Texte_licence(const QString& codeClub, const QString& numero)
{
    return bClubSelection ? codeClub + numero : numero;
}

} // namespace

QString Format_libelle_nage(const QString& libelle, int largeur, bool retirerSexe)
{
    QString l = libelle;
    if (retirerSexe) {
        l.remove("Dames ");
        l.remove("Messieurs ");
    }
    return Completer_droite(l, largeur);
}

QString Format_equipe(const QString& equipe, bool mixte)
{
    if (equipe == "0" || equipe.isEmpty())
        return QString();
    return QString(5, ' ') + Completer_droite(equipe, 5) + (mixte ? Completer_gauche("X", 4) : QString());
}

QString Format_temps_engag(const QString& temps)
{
    if (Temps_en_centiemes(temps) == 0)
        return QString(8, ' ');
    return Completer_gauche(Temps_affichage(temps), 8);
}

QString Get_categorie_engag(const QString& equipe, bool mixte, const QString& sexe)
{
    if (equipe == "0")
        return "Individuel";
    if (mixte)
        return "Mixte";
    return sexe == "M" ? "Homme" : "Femme";
}

QString Format_nageurs_relais(const QString& cles)
{
    QString lignes;
    for (const QString& cle : cles.split('\t', Qt::SkipEmptyParts)) {
        QString sql;
        if (bClubSelection) {
            QString tables, conditions;
            Get_jointure_selection(tables, conditions);
            sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Club.Code_federal FROM " + tables + "WHERE "
                  + conditions + "AND Selection.Visible = true AND Selection.Num_Lic = " + cle;
        } else {
            sql = "SELECT Nom, Prenom, Licence FROM Licence  WHERE Visible = true AND Num = " + cle;
        }
        Executer_requete(sql, false);
        if (colResultat.nbLignes() > 0) {
            const QString club = bClubSelection ? colResultat.item(3, 1) : QString();
            lignes += "\t" + colResultat.item(0, 1) + " " + colResultat.item(1, 1) + " ("
                      + Texte_licence(club, colResultat.item(2, 1)) + ")\r\n";
        }
        Liberer_resultat();
    }
    return lignes;
}

void Ecrire_info_club(BoiteRiche& boite)
{
    Afficher_statut("Impression information profil utilisateur");
    Rtb_remplacer_balise(boite, "<NOM_CLUB>", strNomClub, 0);
    Rtb_remplacer_balise(boite, "<CODE_CLUB>", strCodeClub, 0);
    Rtb_remplacer_balise(boite, "<DATE_JOUR>", Date_en_texte(Aujourdhui_texte(), "d mmmm yyyy"), 0);
}

void Ecrire_info_compet(BoiteRiche& boite, bool avecPiscine, const QString& sql)
{
    Afficher_statut("Ecriture informations sur la compétition");
    Executer_requete(sql, false);
    if (colResultat.nbLignes() > 0) {
        Rtb_remplacer_balise(boite, "<NOM_COMPET>", colResultat.item(0, 1), 0);
        Rtb_remplacer_balise(boite, "<DATE_COMPET>", Date_courte(colResultat.item(1, 1), colResultat.item(2, 1)), 0);
        Rtb_remplacer_balise(boite, "<LIEU_COMPET>", colResultat.item(3, 1), 0);
        Rtb_remplacer_balise(boite, "<BASSIN>", colResultat.item(4, 1), 0);
        if (avecPiscine) {
            // The placeholder pool stands for no pool: nothing to print.
            const QString nom = colResultat.item(5, 1);
            Rtb_remplacer_balise(boite, "<NOM_PISCINE>", nom == "Null" ? QString() : nom, 0);
            Rtb_remplacer_balise(boite, "<ADRESSE_PISCINE>", colResultat.item(6, 1), 0);
            Rtb_remplacer_balise(boite, "<VILLE_PISCINE>",
                                 (colResultat.item(7, 1) + " " + colResultat.item(8, 1)).trimmed(), 0);
        }
    }
    Liberer_resultat();
}

bool Ecrire_entete_equipe(QString& equipePrecedente, const QString& equipe, QString& categoriePrecedente,
                          const QString& categorie, BoiteRiche& boite)
{
    if (equipe == equipePrecedente && categorie == categoriePrecedente)
        return false;
    Rtb_ecrire(boite, "\r\n", 0);
    Rtb_ecrire_souligne(boite, 0, categorie == "Individuel" ? QString("Individuel\r\n")
                                                            : "Equipe " + equipe + " " + categorie + "\r\n");
    equipePrecedente = equipe;
    categoriePrecedente = categorie;
    return true;
}

// ---------------------------------------------------------------------------------- entry slip

void Imprimer_bordereau_engag(const QString& cleCompet)
{
    EtapesDocument etapes;
    Afficher_statut("Choix de l'imprimante");
    QPrinter imprimante(QPrinter::HighResolution);
    if (!Choisir_imprimante(imprimante))
        return;
    struct Decharger {
        ~Decharger() { Decharger_frm_tempo_rapport(); }
    } decharger;
    try {
        QString equipePrec = A_CHANGER, categoriePrec = A_CHANGER, nageurPrec = A_CHANGER;
        BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
        Afficher_statut("Chargement du modèle");
        if (!Construire_modele_impression(Services::repertoireApplication() + "/bor_engag.rtf", boite, "bor_engag",
                                          false))
            return;
        Ecrire_info_club(boite);
        Ecrire_info_compet(boite, false, "SELECT Nom, Debut, Fin, Lieu, Longueur FROM Rcomp WHERE AutoNum = " + cleCompet);

        Afficher_statut("Ecriture engagements par nageur");
        Rtb_remplacer_balise(boite, "<ENGAG_INDIV>", QString(), 0);
        Executer_requete("SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Sexe, Nage.Libelle, "
                         "Engag.Tps_engagement, Engag.Num_equipe, Engag.Equipe_mixte, Licence.Num "
                         "FROM Nage Nage, Engag Engag, Licence Licence "
                         "WHERE Licence.Num = Engag.Num_Lic AND Nage.Code_Nage = Engag.Code_epreuve AND "
                         "Engag.Num_compet = "
                             + cleCompet + " And Engag.Num_profil = " + strNumProfil
                             + " ORDER BY Engag.Num_equipe, Engag.Equipe_mixte, Licence.Sexe, Licence.Nom, "
                               "Licence.Prenom, Nage.Code_Nage",
                         false);
        const Resultat individuels = colResultat;
        Liberer_resultat();
        for (int i = 1; i <= individuels.nbLignes(); ++i) {
            const QString equipe = individuels.item(6, i);
            const QString categorie =
                Get_categorie_engag(equipe, individuels.item(7, i) == "Vrai", individuels.item(3, i));
            if (Ecrire_entete_equipe(equipePrec, equipe, categoriePrec, categorie, boite))
                nageurPrec = A_CHANGER;
            QString colonne(LargeurColonneNageur, ' ');
            if (individuels.item(8, i) != nageurPrec) {
                nageurPrec = individuels.item(8, i);
                colonne = Completer_droite(individuels.item(0, i), 25) + " " + Completer_droite(individuels.item(1, i), 20)
                          + " " + Completer_droite(individuels.item(2, i), 7);
            }
            Rtb_ecrire(boite,
                       colonne + " " + Format_libelle_nage(individuels.item(4, i), 17, false) + " "
                           + Format_temps_engag(individuels.item(5, i)) + "\r\n",
                       0);
        }

        Afficher_statut("Ecriture engagements par relais");
        Rtb_remplacer_balise(boite, "<ENGAG_RELAIS>", QString(), 0);
        equipePrec = A_CHANGER;
        categoriePrec = A_CHANGER;
        const QString nulle = Controler_licence_nulle();
        Executer_requete("SELECT Nage.Libelle, Relais.Num_Lic, Relais.Tps, Relais.Num_equipe, Relais.Equipe_mixte, "
                         "Nage.Sexe, Relais.Licence1, Relais.Licence2, Relais.Licence3, Relais.Licence4, "
                         "Relais.Licence5, Relais.Licence6, Relais.Licence7, Relais.Licence8, Relais.Licence9, "
                         "Relais.Licence10 FROM Nage Nage, Relais Relais WHERE Nage.Code_Nage = Relais.Code_epreuve "
                         "AND Relais.Num_compet = "
                             + cleCompet + " AND Relais.Num_profil = " + strNumProfil
                             + " ORDER BY Relais.Num_equipe, Relais.Equipe_mixte, Nage.Sexe, Nage.Code_nage, "
                               "Relais.Num_Lic",
                         false);
        const Resultat relais = colResultat;
        Liberer_resultat();
        // First pass: a marker where each group's heading ends, the lines and legs kept aside:
        // the members are looked up once every relay row is read.
        QList<int> premieres;
        QStringList lignes, membres;
        for (int i = 1; i <= relais.nbLignes(); ++i) {
            const QString equipe = relais.item(3, i);
            const QString categorie = Get_categorie_engag(equipe, relais.item(4, i) == "Vrai", relais.item(5, i));
            if (Ecrire_entete_equipe(equipePrec, equipe, categoriePrec, categorie, boite)) {
                premieres << i;
                Rtb_ecrire(boite, QString("<BALISE %1>").arg(premieres.size()), 0);
            }
            lignes << Format_libelle_nage(relais.item(0, i), 30, false) + " " + QString(6, ' ')
                          + Completer_droite(relais.item(1, i), 7) + " " + Format_temps_engag(relais.item(2, i));
            QString cles;
            for (int c = 6; c <= 15; ++c) {
                const QString cle = relais.item(c, i);
                if (!cle.isEmpty() && cle != nulle)
                    cles += cle + "\t";
            }
            membres << cles;
        }
        // Second pass: each group's lines at its marker, each followed by its members in 8 points.
        int k = 1;
        for (int i = 1; !premieres.isEmpty() && i <= lignes.size(); ++i) {
            if (k <= premieres.size() && i >= premieres[k - 1]) {
                Rtb_remplacer_balise(boite, QString("<BALISE %1>").arg(k), QString(), 0);
                ++k;
            }
            Rtb_ecrire(boite, lignes[i - 1] + "\r\n", 0);
            Rtb_ecrire(boite, Format_nageurs_relais(membres[i - 1]) + "\r\n", 8);
            Rtb_set_taille(boite, 10);
        }

        Afficher_statut("Impression");
        Rtb_imprimer(boite, &imprimante, QString(), true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Liberer_resultat();
        Afficher_erreur("Une erreur s'est produite lors de l'impression du bordereau d'engagements.");
    }
}

// ---------------------------------------------------------------------------------- convocations

bool Preparer_modele_convocation(BoiteRiche& message, const QString& cleCompet, bool programme)
{
    try {
        BoiteRiche& modele = *Charger_frm_tempo_rapport().rich_modele;
        if (!Construire_modele_impression(Services::repertoireApplication() + "/convo.rtf", modele, "convo", false)) {
            Decharger_frm_tempo_rapport();
            return false;
        }
        Ecrire_info_club(modele);

        // The message with its formats in place of its placeholder, without the line break the
        // window added at its end.
        const int debut = modele.chercher("<MSG_PERSO>", 0);
        if (debut >= 0) {
            modele.remplacerSelection(*message.document());
            modele.supprimerSautDeLigne();
        }

        Ecrire_info_compet(modele, true,
                           "SELECT Rcomp.Nom, Rcomp.Debut, Rcomp.Fin, Rcomp.Lieu, Rcomp.Longueur, Piscine.Nom, "
                           "Piscine.Adresse, Piscine.Code_Postal, Piscine.Ville FROM Piscine Piscine, Rcomp Rcomp "
                           "WHERE Piscine.Num = Rcomp.Num_Piscine AND Rcomp.AutoNum = "
                               + cleCompet);

        Rtb_remplacer_balise(modele, "<PROG>", QString(), 0);
        if (!programme) {
            Rtb_remplacer_balise(modele, "Programme :", QString(), 0);
            return true;
        }
        Executer_requete("SELECT Rcomp.Debut FROM Rcomp WHERE AutoNum = " + cleCompet, false);
        const QDate debutCompet = QDate::fromString(colResultat.nbLignes() ? colResultat.item(0, 1) : QString(), "yyyyMMdd");
        Liberer_resultat();
        Executer_requete("SELECT Nage.Libelle, Pcomp.JourCourse FROM Nage Nage, Pcomp Pcomp "
                         "WHERE Nage.Code_Nage = Pcomp.Code_epreuve AND Pcomp.Num_compet = "
                             + cleCompet + " ORDER BY Pcomp.JourCourse, Pcomp.Num_ordre",
                         false);
        const Resultat prog = colResultat;
        Liberer_resultat();
        int jourPrec = 0;
        for (int i = 1; i <= prog.nbLignes(); ++i) {
            const int jour = static_cast<int>(Valeur_numerique(prog.item(1, i)));
            if (i == 1 || jour != jourPrec) {
                QString date = Date_en_texte(debutCompet.addDays(jour - 1).toString("yyyyMMdd"), "dddd d mmmm yyyy");
                if (!date.isEmpty())
                    date[0] = date[0].toUpper();
                Rtb_ecrire(modele, "\r\n", 0);
                Rtb_ecrire_souligne(modele, 0, date + "\r\n");
                jourPrec = jour;
            }
            Rtb_ecrire(modele, prog.item(0, i) + "\r\n", 0);
        }
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Liberer_resultat();
        Afficher_erreur("Une erreur s'est produite lors de la création du masque des convocations.");
        return false;
    }
}

void Imprimer_convocations(QTreeWidget* nageurs, QTreeWidget* infos, const QString& cleCompet, QPrinter& imprimante,
                           bool coupon, const QString& dateReponse)
{
    struct Fin {
        ~Fin() { Afficher_statut(QString()); }
    } fin;
    try {
        frm_tempo_rapport& rapport = Charger_frm_tempo_rapport();
        BoiteRiche& lettre = *rapport.rich;
        // Every letter goes into one document, each on a new page, printed as one job.
        BoiteRiche lettres;
        lettres.document()->setUndoRedoEnabled(false);
        bool premiere = true;
        for (int n = 0; n < nageurs->topLevelItemCount(); ++n) {
            const QTreeWidgetItem* ligne = nageurs->topLevelItem(n);
            const QTreeWidgetItem* info = infos->topLevelItem(n);
            if (ligne->checkState(0) != Qt::Checked || !info)
                continue;
            const QString nom = ligne->text(0) + " " + ligne->text(1);
            const QString licence = Texte_licence(info->text(1), ligne->text(2));
            const QString cle = info->text(0);
            Afficher_statut("Impression de la convocation de " + nom);

            lettre.copierDocument(*rapport.rich_modele);
            Rtb_remplacer_balise(lettre, "<NAGEUR>", nom, 0);
            Rtb_remplacer_balise(lettre, "<LICENCE>", licence, 0);
            Rtb_remplacer_balise(lettre, "<ENGAG>", QString(), 0);

            QStringList epreuves;
            Executer_requete("SELECT Nage.Libelle, Engag.Tps_engagement, Engag.Num_equipe, Engag.Equipe_mixte "
                             "FROM Nage Nage, Engag Engag WHERE Nage.Code_Nage = Engag.Code_epreuve "
                             "AND Engag.Num_compet = "
                                 + cleCompet + " AND Engag.Num_profil = " + strNumProfil + " AND Engag.Num_Lic = " + cle
                                 + " ORDER BY Engag.Num_equipe, Engag.Equipe_mixte, Engag.Code_epreuve",
                             false);
            for (int i = 1; i <= colResultat.nbLignes(); ++i) {
                const QString libelle = Format_libelle_nage(colResultat.item(0, i), 25, true);
                epreuves << libelle;
                Rtb_ecrire(lettre,
                           libelle + " " + Format_temps_engag(colResultat.item(1, i)) + " "
                               + Format_equipe(colResultat.item(2, i), colResultat.item(3, i) == "Vrai") + "\r\n",
                           0);
            }
            Liberer_resultat();

            Rtb_remplacer_balise(lettre, "<ENGAG_RELAIS>", QString(), 0);
            QStringList membre;
            for (int j = 1; j <= 10; ++j)
                membre << QString("Licence%1 = %2").arg(j).arg(cle);
            Executer_requete("SELECT Nage.Libelle, Relais.Num_Lic, Relais.Num_equipe, Relais.Equipe_mixte "
                             "FROM Nage Nage, Relais Relais WHERE Nage.Code_Nage = Relais.Code_epreuve "
                             "AND Relais.Num_compet = "
                                 + cleCompet + " AND Relais.Num_profil = " + strNumProfil + " AND ("
                                 + membre.join(" OR ")
                                 + ") ORDER BY Relais.Num_equipe, Relais.Equipe_mixte, Relais.Code_epreuve",
                             false);
            for (int i = 1; i <= colResultat.nbLignes(); ++i) {
                const QString libelle = Format_libelle_nage(colResultat.item(0, i), 25, true);
                epreuves << libelle;
                Rtb_ecrire(lettre,
                           libelle + "  " + QString(6, ' ') + Completer_droite(colResultat.item(1, i), 7)
                               + Format_equipe(colResultat.item(2, i), colResultat.item(3, i) == "Vrai") + "\r\n",
                           0);
            }
            Liberer_resultat();

            if (coupon) {
                QString liste;
                for (int i = 0; i < epreuves.size(); ++i) {
                    liste += Completer_droite(epreuves[i] + " ", 35);
                    if (i % 2 == 1)
                        liste += "\r\n";
                }
                const auto decoupe = [&lettre] {
                    lettre.setPolice(PoliceCiseaux);
                    Rtb_ecrire(lettre, QString(QChar(0x2702)), 0);
                    lettre.setPolice(PoliceTirets);
                    Rtb_ecrire(lettre, QString(70, '-'), 0);
                };
                lettre.selectionner(lettre.longueur(), 0);
                Rtb_ecrire(lettre, "\r\n", 0);
                // The coupon starts plain, whatever the message ended with.
                lettre.setAlignement(Qt::AlignLeft);
                lettre.setGras(false);
                lettre.setItalique(false);
                lettre.setSouligne(false);
                decoupe();
                Rtb_ecrire(lettre, "\r\n\r\n", 0);
                Rtb_ecrire(lettre, "Nageur  : " + nom + "\r\n", 0);
                Rtb_ecrire(lettre, "Licence : " + licence + "\r\n", 0);
                if (!dateReponse.isEmpty())
                    Rtb_ecrire(lettre, "Réponse souhaitée avant : " + dateReponse + "\r\n", 0);
                Rtb_ecrire(lettre, "Je participe au épreuve suivante :\r\nRayer les épreuves à supprimer.\r\n", 0);
                Rtb_ecrire(lettre, liste + "\r\n\r\n", 0);
                decoupe();
            }

            // The letter joins the others, from a new page.
            lettres.ajouterPage(*lettre.document());
            premiere = false;
        }
        if (!premiere)
            Rtb_imprimer(lettres, &imprimante, QString(), true);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Liberer_resultat();
        Afficher_erreur("Une erreur s'est produite lors de l'impression des convocations.");
    }
}
