#include "clubs_licences/info_club.h"

#include "clubs_licences/utils_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QCoreApplication>

namespace {

// Runs one statement; on failure shows the club-save error after the step's text.
bool Executer_etape(const QString& sql, const QString& etape)
{
    try {
        cnxBase.Execute(sql);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Erreur_sauvegarde_club(etape);
        return false;
    }
    return true;
}

QString Condition_club(const QString& code)
{
    return "Code_federal = " + Sql_texte(code);
}

} // namespace

const TableClub& Table_dirigeants()
{
    static const TableClub t{"Dirigeant", "dirigeants", false};
    return t;
}

const TableClub& Table_activites()
{
    static const TableClub t{"Activites", "activités", true};
    return t;
}

const TableClub& Table_tarifs()
{
    static const TableClub t{"Tarifs", "tarifs", false};
    return t;
}

bool Sauver_coordonnees_club(const QString& num, const QString& adresse, const QString& codePostal,
                             const QString& ville, const QString& telephone, const QString& fax, const QString& mail)
{
    const QString etape = "Erreur lors de la sauvegarde des informations sur le club.";
    bool ok = false;
    const qlonglong cle = num.trimmed().toLongLong(&ok);
    if (!ok) {
        Memoriser_erreur(ErreurExecution(13, "Type incompatible"));
        Erreur_sauvegarde_club(etape);
        return false;
    }
    return Executer_etape("Update Club Set Adresse = " + Sql_texte(adresse) + ", Code_Postal = " + Sql_texte(codePostal)
                              + ", Ville = " + Sql_texte(ville) + ", Telephone = " + Sql_texte(telephone)
                              + ", Fax = " + Sql_texte(fax) + ", Mail = " + Sql_texte(mail)
                              + " where Num = " + QString::number(cle),
                          etape);
}

bool Marquer_suppr_table_club(const QString& table, const QString& libelle, const QString& code, bool)
{
    try {
        cnxBase.Execute("Update " + table + " set Suppr = true where " + Condition_club(code));
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la sauvegarde temporaire des " + libelle + " du club.");
        return false;
    }
    return true;
}

bool Restaurer_table_club(const QString& table, const QString& libelle, const QString& code, bool feminin)
{
    try {
        cnxBase.Execute("Update " + table + " set Suppr = false where " + Condition_club(code));
    } catch (const std::exception&) {
        // A plain box: the run-time error's text is not shown here.
        Effacer_erreur();
        Afficher_message("Erreur lors de la restoration des " + libelle + " sauvegardé" + (feminin ? "e" : "")
                             + "s temporairement.",
                         Style::OK, QCoreApplication::applicationName());
        return false;
    }
    return true;
}

bool Ajouter_dirigeant(const QString& code, const QString& libelleLigne, const QString& fonction, const QString& nom,
                       const QString& tel1, const QString& tel2, const QString& mail)
{
    return Executer_etape("insert into Dirigeant (Code_federal, Fonction, Nom, Tel1, Tel2, Mail) values ("
                              + Sql_texte(code) + ", " + Sql_texte(fonction) + ", " + Sql_texte(nom) + ", "
                              + Sql_texte(tel1) + ", " + Sql_texte(tel2) + ", " + Sql_texte(mail) + ")",
                          "Erreur lors de la sauvegarde du rôle " + libelleLigne + ".");
}

bool Ajouter_tarif(const QString& code, const QString& intitule, const QString& montant)
{
    const double valeur = Texte_en_reel(montant);
    const QString sql = valeur != 0 ? Reel_sql(valeur) : montant.isEmpty() ? QStringLiteral("NULL") : Sql_texte(montant);
    return Executer_etape("insert into Tarifs (Code_federal, Intitule, Tarif) values (" + Sql_texte(code) + ", "
                              + Sql_texte(intitule) + ", " + sql + ")",
                          "Erreur lors de la sauvegarde du tarif " + intitule + ".");
}

bool Ajouter_activite(const QString& code, const QString& activite, const QString& responsable)
{
    return Executer_etape("insert into Activites (Code_federal, Activite, Responsable) values (" + Sql_texte(code)
                              + ", " + Sql_texte(activite) + ", " + Sql_texte(responsable) + ")",
                          "Erreur lors de la sauvegarde du responsable " + responsable + " pour l'activité "
                              + activite + ".");
}

bool Supprimer_lignes_table(const QString& table, const QString& condition, const QString& libelle)
{
    return Executer_etape("delete from " + table + " where " + condition,
                          "Erreur lors de la suppression des " + libelle + ".");
}

bool Finir_sauvegarde_table(bool succes, const TableClub& table, const QString& code)
{
    if (succes)
        return Supprimer_lignes_table(table.table, "Suppr = true and " + Condition_club(code),
                                      table.libelle + " sauvegardés temporairement");
    // The old rows come back even when the new ones could not all be deleted: a duplicate
    // row can be removed by the user, a lost one cannot be recovered.
    Supprimer_lignes_table(table.table, "Suppr = false and " + Condition_club(code),
                           table.libelle + " déjà insérés temporairement");
    Restaurer_table_club(table.table, table.libelle, code, table.feminin);
    return false;
}

bool Remplacer_lignes_club(const TableClub& table, const QString& code, const std::function<bool()>& inserer)
{
    if (!Marquer_suppr_table_club(table.table, table.libelle, code, table.feminin))
        return false;
    const bool succes = inserer();
    return Finir_sauvegarde_table(succes, table, code) && succes;
}

bool Club_a_tarifs(const QString& code)
{
    return Lire_nombre("select count(*) from Tarifs where " + Condition_club(code)) >= 1;
}

void Purger_tarifs_invalides()
{
    try {
        cnxBase.Execute("Update Licence set Tarif = '' where Code_club = " + Sql_texte(strCodeClub)
                        + " and not Tarif in (select Intitule from Tarifs where code_federal = "
                        + Sql_texte(strCodeClub) + ")");
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la suppression des tarifs invalides \r\n"
                        "pour les licences du club "
                        + strNomClub);
    }
}
