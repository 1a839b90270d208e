#include "entries/utils_engag.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/services.h"

namespace {

QString conditionCompet(const QString& cleCompet)
{
    return "Num_compet = " + cleCompet + " and Num_profil = " + strNumProfil;
}

// Copier_relais_table without its own report: the callers that cannot go on without the copy
// need the failure.
void copierRelais(const QString& cleCompet, const QString& source, const QString& destination)
{
    PointSauvegarde point("copie_relais");
    cnxBase.Execute("Delete from " + destination + " where Num_profil = " + strNumProfil
                    + " and Num_compet = " + cleCompet);
    cnxBase.Execute("INSERT INTO " + destination + " SELECT " + source + ".* From " + source + " WHERE (((" + source
                    + ".Num_profil) = " + strNumProfil + ") AND ((" + source + ".Num_compet)= " + cleCompet + "));");
    point.valider();
}

// Clears the status text however the step ends.
struct StatutEtape {
    explicit StatutEtape(const QString& texte) { Afficher_statut(texte); }
    ~StatutEtape() { Afficher_statut(""); }
    StatutEtape(const StatutEtape&) = delete;
    StatutEtape& operator=(const StatutEtape&) = delete;
};

} // namespace

void Sauver_old_equipe_nageur(const QString& cleCompet)
{
    cnxBase.Execute("update Engag_nageur set Old_equipe = Equipe, Old_equipe_m = Equipe_m where "
                    + conditionCompet(cleCompet));
}

void Sauver_old_nb_equipe(const QString& cleCompet)
{
    cnxBase.Execute("update Engag_equipe set Old_Eq_Homme = Eq_Homme, Old_Eq_Femme = Eq_Femme, Old_Eq_Mixte = Eq_Mixte "
                    "where "
                    + conditionCompet(cleCompet));
}

void Sauver_old_equipe_nageur_modele(const QString& cleModele)
{
    cnxBase.Execute("update Engag_nageur_modele set Old_equipe = Equipe, Old_equipe_m = Equipe_m where Num_modele = "
                    + cleModele);
}

void Sauver_old_nb_equipe_modele(const QString& cleModele)
{
    cnxBase.Execute("update Engag_equipe_modele set Old_Eq_Homme = Eq_Homme, Old_Eq_Femme = Eq_Femme, "
                    "Old_Eq_Mixte = Eq_Mixte where Num_modele = "
                    + cleModele);
}

void Restaurer_old_equipe(const QString& table, const QString& condition)
{
    cnxBase.Execute("Update " + table + " Set Equipe = Old_equipe, Equipe_m = Old_equipe_m where " + condition);
}

void Restaurer_old_nb_equipe(const QString& table, const QString& condition)
{
    cnxBase.Execute("update " + table
                    + " set Eq_Homme = Old_Eq_Homme, Eq_Femme = Old_Eq_Femme, Eq_Mixte = Old_Eq_Mixte where "
                    + condition);
}

void Supprimer_lignes_engag(const QString& table, const QString& condition)
{
    cnxBase.Execute("Delete from " + table + " where " + condition);
}

void Copier_engag_table(const QString& cleCompet, const QString& source, const QString& destination)
{
    cnxBase.Execute("INSERT INTO " + destination + " SELECT " + source + ".* From " + source + " WHERE " + source
                    + ".Num_compet = " + cleCompet + " and " + source + ".Num_profil = " + strNumProfil);
}

bool Copier_relais_table(const QString& cleCompet, const QString& source, const QString& destination)
{
    try {
        copierRelais(cleCompet, source, destination);
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sauvegarde dans la table " + destination
                        + " des engagements des relais.");
        return false;
    }
}

bool Copier_modele_vers_tempo(const QString& cleModele)
{
    try {
        cnxBase.Execute("INSERT INTO Engag_tempo ( Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte ) "
                        "SELECT Engag_modele.Num_modele, Engag_modele.Code_epreuve, Engag_modele.Num_Lic, "
                        "Engag_modele.Num_equipe, Engag_modele.Equipe_mixte FROM Engag_modele "
                        "WHERE Engag_modele.Num_modele = "
                        + cleModele);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void Copier_tempo_vers_modele(const QString& cleModele)
{
    cnxBase.Execute("INSERT INTO Engag_modele ( Num_modele, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte ) "
                    "SELECT Engag_tempo.Num_compet, Engag_tempo.Code_epreuve, Engag_tempo.Num_Lic, "
                    "Engag_tempo.Num_equipe, Engag_tempo.Equipe_mixte FROM Engag_tempo "
                    "WHERE Engag_tempo.Num_compet = "
                    + cleModele);
}

bool Creer_modele_depuis_engag(const QString& cleModele, const QString& cleCompet)
{
    const QString P = strNumProfil;
    try {
        PointSauvegarde point("modele_depuis_engag");
        cnxBase.Execute("INSERT INTO Engag_modele ( Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Num_modele ) "
                        "SELECT Engag.Code_epreuve, Engag.Num_Lic, Engag.Num_equipe, Engag.Equipe_mixte, "
                        + cleModele + " AS Expr1 FROM Engag WHERE Engag.Num_compet = " + cleCompet
                        + " and Engag.Num_profil = " + P);
        cnxBase.Execute("INSERT INTO Engag_equipe_modele ( Eq_Homme, Eq_Femme, Eq_Mixte, Num_modele ) "
                        "SELECT Engag_equipe.Eq_Homme, Engag_equipe.Eq_Femme, Engag_equipe.Eq_Mixte, "
                        + cleModele + " AS Expr1 FROM Engag_equipe WHERE Engag_equipe.Num_compet = " + cleCompet
                        + " and Engag_equipe.Num_profil = " + P);
        cnxBase.Execute("INSERT INTO Engag_nageur_modele ( Num_modele, Num_Lic, Equipe, Equipe_m ) SELECT " + cleModele
                        + " AS Expr1, Engag_nageur.Num_Lic, Engag_nageur.Equipe, Engag_nageur.Equipe_m "
                          "FROM Engag_nageur WHERE Engag_nageur.Num_compet = "
                        + cleCompet + " and Engag_nageur.Num_profil = " + P);
        point.valider();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Appliquer_modele(const QString& cleCompet, const QString& cleModele, bool bEditionOuverte)
{
    const QString C = cleCompet;
    const QString M = cleModele;
    const QString P = strNumProfil;
    const QString W = conditionCompet(C);
    try {
        const int longueur = Lire_nombre("select Longueur from Rcomp where AutoNum = " + C);
        PointSauvegarde point("appliquer_modele");
        cnxBase.Execute("DELETE FROM Relais where " + W);
        cnxBase.Execute("DELETE FROM Engag where " + W);
        cnxBase.Execute("INSERT INTO Engag ( Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte ) "
                        "SELECT "
                        + C + " AS Expr1, " + P
                        + " AS Expr2, Engag_modele.Code_epreuve, Engag_modele.Num_Lic, Engag_modele.Num_equipe, "
                          "Engag_modele.Equipe_mixte FROM Nage Nage, Engag_modele Engag_modele "
                          "WHERE (Nage.Code_Nage = Engag_modele.Code_epreuve AND ((Engag_modele.Num_modele) = "
                        + M + (longueur == 50 ? ") AND ((Nage.Possible_50)=True" : "") + "));");

        // Swimmers and counts are changed in place so that their Old_ values, taken when the
        // edit began, still bring them back on a cancel. A swimmer left out of the template
        // becomes a removed swimmer, purged when the edit ends.
        cnxBase.Execute("UPDATE Engag_nageur SET Equipe = 0, Equipe_m = false where " + W);
        cnxBase.Execute("UPDATE Engag_nageur SET (Equipe, Equipe_m) = (SELECT m.Equipe, m.Equipe_m "
                        "FROM Engag_nageur_modele m WHERE m.Num_modele = "
                        + M + " AND m.Num_Lic = Engag_nageur.Num_Lic LIMIT 1) where " + W
                        + " AND Num_Lic IN (SELECT Num_Lic FROM Engag_nageur_modele WHERE Num_modele = " + M + ")");
        cnxBase.Execute("INSERT INTO Engag_nageur ( Num_compet, Num_profil, Num_Lic, Equipe, Equipe_m ) SELECT " + C
                        + " AS Expr1, " + P
                        + " AS Expr2, m.Num_Lic, m.Equipe, m.Equipe_m From Engag_nageur_modele m "
                          "WHERE m.Num_modele = "
                        + M + " AND m.Num_Lic NOT IN (SELECT Num_Lic FROM Engag_nageur WHERE " + W + ")");
        if (!bEditionOuverte)
            cnxBase.Execute("Delete from Engag_nageur where Equipe = 0 and Equipe_m = false and " + W);

        // A template without counts means no teams.
        const QString compte = "(SELECT %1 FROM Engag_equipe_modele WHERE Num_modele = " + M + " LIMIT 1), 0)";
        if (cnxBase.Execute("UPDATE Engag_equipe SET Eq_Homme = coalesce(" + compte.arg("Eq_Homme")
                            + ", Eq_Femme = coalesce(" + compte.arg("Eq_Femme") + ", Eq_Mixte = coalesce("
                            + compte.arg("Eq_Mixte") + " where " + W)
            == 0) {
            cnxBase.Execute("INSERT INTO Engag_equipe ( Num_compet, Num_profil, Eq_Homme, Eq_Femme, Eq_Mixte ) SELECT "
                            + C + " AS Expr1, " + P
                            + " AS Expr2, Engag_equipe_modele.Eq_Homme, Engag_equipe_modele.Eq_Femme, "
                              "Engag_equipe_modele.Eq_Mixte FROM Engag_equipe_modele WHERE "
                              "(((Engag_equipe_modele.Num_modele) ="
                            + M + ")) LIMIT 1;");
        }
        point.valider();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

QString EditionEngag::condition() const
{
    return bModele ? "Num_modele = " + cle : conditionCompet(cle);
}

void Debuter_edition_engag(const EditionEngag& edition)
{
    PointSauvegarde point("debut_edition");
    if (!edition.bModele) {
        Sauver_old_equipe_nageur(edition.cle);
        Sauver_old_nb_equipe(edition.cle);
        Copier_engag_table(edition.cle, "Engag", "Engag_tempo");
        // Without this copy a cancel would restore the relays from nothing: no edit then.
        copierRelais(edition.cle, "Relais", "Relais_tempo");
    } else if (edition.strAction == "Modif") {
        Sauver_old_equipe_nageur_modele(edition.cle);
        Sauver_old_nb_equipe_modele(edition.cle);
        cnxBase.Execute("INSERT INTO Engag_tempo ( Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte ) "
                        "SELECT Num_modele, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte FROM Engag_modele "
                        "WHERE Num_modele = "
                        + edition.cle);
    }
    point.valider();
}

void Oublier_editions_engag_interrompues()
{
    PointSauvegarde point("editions_interrompues");
    for (const char* table : {"Engag_nageur", "Engag_nageur_modele"})
        cnxBase.Execute(QString("Update %1 Set Old_equipe = 0, Old_equipe_m = false").arg(table));
    for (const char* table : {"Engag_equipe", "Engag_equipe_modele"})
        cnxBase.Execute(QString("Update %1 set Old_Eq_Homme = 0, Old_Eq_Femme = 0, Old_Eq_Mixte = 0").arg(table));
    point.valider();
}

void Annuler_edition_engag(const EditionEngag& edition)
{
    if (edition.strAction == "View")
        return;
    PointSauvegarde point("annuler_edition");
    if (edition.strAction == "new modele") {
        // The content goes with the row: a later template must not inherit it.
        for (const char* table : {"Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
            cnxBase.Execute(QString("DELETE from %1 where Num_modele = %2").arg(table, edition.cle));
        cnxBase.Execute("DELETE from Modele_engag where NumAuto = " + edition.cle);
        point.valider();
        return;
    }
    StatutEtape statut("Annulation des modifications");
    const QString W = edition.condition();
    Restaurer_old_equipe(edition.tableNageurs(), W);
    Restaurer_old_nb_equipe(edition.tableEquipes(), W);
    Supprimer_lignes_engag(edition.tableEngag(), W);
    if (edition.bModele) {
        Copier_tempo_vers_modele(edition.cle);
    } else {
        Copier_engag_table(edition.cle, "Engag_tempo", "Engag");
        copierRelais(edition.cle, "Relais_tempo", "Relais");
    }
    point.valider();
}

void Terminer_edition_engag(const EditionEngag& edition)
{
    if (edition.strAction == "View")
        return;
    StatutEtape statut("Suppression des données temporaires");
    PointSauvegarde point("fin_edition");
    if (edition.strAction != "new modele") {
        const QString W = edition.condition();
        cnxBase.Execute("Update " + edition.tableNageurs() + " Set Old_equipe = 0, Old_equipe_m = false where " + W);
        cnxBase.Execute("Delete from " + edition.tableNageurs() + " where Equipe = 0 and Equipe_m = false and " + W);
        cnxBase.Execute("Update " + edition.tableEquipes()
                        + " set Old_Eq_Homme = 0, Old_Eq_Femme = 0, Old_Eq_Mixte = 0 where " + W);
        if (!edition.bModele)
            cnxBase.Execute("delete from Relais_tempo");
    }
    cnxBase.Execute("delete from Engag_tempo");
    point.valider();
}
