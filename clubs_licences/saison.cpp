#include "clubs_licences/saison.h"

#include "core/base.h"
#include "core/dates.h"
#include "core/globales.h"
#include "core/services.h"
#include "core/utils.h"

#include <QDate>

namespace {

QDate Lire_date(const QString& texte)
{
    return QDate::fromString(texte, QStringLiteral("yyyyMMdd"));
}

QString Ecrire_date(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd"));
}

// Individual entries and swimmer rows of a selection's pending removals, in the visible
// competitions of the selection's profiles.
QString Suppression_engag_selection(const QString& table, const QString& code)
{
    return "DELETE FROM " + table + " WHERE exists (SELECT Rcomp.AutoNum FROM Rcomp Rcomp WHERE Rcomp.Visible=True AND Rcomp.AutoNum = "
           + table + ".Num_compet) AND exists (SELECT Profil.Num FROM Profil Profil WHERE Profil.Code_club=" + code
           + " AND Profil.Num = " + table
           + ".Num_profil) AND exists (SELECT Selection.Num_Lic FROM Selection Selection WHERE Selection.Suppr = true AND Selection.Code_Sel = "
           + code + " AND Selection.Num_Lic = " + table + ".Num_Lic)";
}

// Template rows of a selection's pending removals, in the templates of the selection's profiles.
QString Suppression_modele_selection(const QString& table, const QString& code)
{
    return "DELETE FROM " + table
           + " WHERE exists (SELECT Modele_engag.Num_profil FROM Modele_engag Modele_engag, Profil Profil "
             "WHERE Profil.Num = Modele_engag.Num_profil AND Profil.Code_club = "
           + code + " AND Modele_engag.NumAuto = " + table
           + ".Num_modele) AND exists (SELECT Selection.Num_Lic FROM Selection Selection WHERE Selection.Code_Sel = "
           + code + " AND Selection.Suppr = True AND " + table + ".Num_Lic = Selection.Num_Lic)";
}

const QString competitionsAVenir = QStringLiteral("select AutoNum from RComp where deroule = false");

} // namespace

void Liberer_numeros_licences()
{
    const QString limite = Ecrire_date(Services::aujourdhui().addYears(-2));
    cnxBase.Execute("UPDATE Licence SET Licence = Num WHERE Visible = false AND Date_suppr < '" + limite + "'");
}

void Renouveler_licences()
{
    Executer_requete("select LastUpdtLic from Info", false);
    const QString derniere = colResultat.Count(0) > 0 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    const QString aujourdhui = Aujourdhui_texte();
    if (!derniere.isEmpty()) {
        const QDate debut = Lire_date(derniere);
        if (debut.isValid()) {
            const QString suivante = Ecrire_date(debut.addYears(1));
            if (derniere <= aujourdhui && aujourdhui < suivante)
                return;
        }
    }
    const QString saison = Debut_saison(aujourdhui);
    cnxBase.Execute("UPDATE Licence SET Date_Depot = '" + saison + "', Date_obliteration = '" + saison
                    + "', Type_licence = 'R' WHERE Date_Depot < '" + saison + "'");
    Noter_saison_courante();
}

void Noter_saison_courante()
{
    cnxBase.Execute("UPDATE Info SET LastUpdtLic = '" + Debut_saison(Aujourdhui_texte()) + "'");
}

void Supprimer_engagements_licences(bool bSelection, const QString& codeClub, const QString& listeLicences)
{
    const QString code = Sql_texte(codeClub);
    if (bSelection) {
        cnxBase.Execute(Suppression_engag_selection("Engag", code));
        cnxBase.Execute(Suppression_engag_selection("Engag_nageur", code));
        cnxBase.Execute(Suppression_modele_selection("Engag_nageur_modele", code));
        cnxBase.Execute(Suppression_modele_selection("Engag_modele", code));
        // Relays of the current profile only: other profiles of the selection keep theirs.
        Supprimer_nageur_relais("select Num_Lic from Selection where Code_Sel = " + code
                                    + " and Suppr = true and visible = false",
                                competitionsAVenir, QString(), QString(), strNumProfil);
        cnxBase.Execute("Update Selection set Suppr = false where Code_Sel = " + code + " and Suppr = true");
        return;
    }

    const bool bEnAttente = listeLicences.isEmpty();
    const QString licences = bEnAttente ? QStringLiteral("select Num from Licence_tempo") : listeLicences;
    for (const QString& table : {QStringLiteral("Engag"), QStringLiteral("Engag_nageur")})
        cnxBase.Execute("DELETE FROM " + table + " WHERE Num_Lic in (" + licences + ") AND " + table
                        + ".Num_compet in (select Rcomp.AutoNum from Rcomp where Rcomp.Visible=True)");
    for (const QString& table : {QStringLiteral("Engag_nageur_modele"), QStringLiteral("Engag_modele")})
        cnxBase.Execute("Delete from " + table + " where Num_Lic in (" + licences + ")");
    if (bEnAttente) {
        cnxBase.Execute("Update Licence Set Date_suppr = '" + Aujourdhui_texte()
                        + "' where Num in (select Num from Licence_tempo)");
        cnxBase.Execute("Update Selection set Visible = false where Num_Lic in (" + licences + ")");
    }
    Supprimer_nageur_relais(licences, competitionsAVenir, QString(), QString(), QString());
}

void Supprimer_nageur_relais(const QString& licences, const QString& competitions, const QString& equipe,
                             const QString& mixte, const QString& profil)
{
    Afficher_statut("Suppression du nageur dans les relais");
    // The step text goes away even when a statement fails.
    struct EffacerStatut {
        ~EffacerStatut() { Afficher_statut(""); }
    } effacer;
    QString sql = "UPDATE Relais SET Licence<NUM> = " + strNumLicenceNulle + " WHERE Licence<NUM> IN (" + licences + ")";
    if (!competitions.isEmpty())
        sql += " AND Num_compet in (" + competitions + ")";
    if (!equipe.isEmpty())
        sql += " AND Num_equipe = " + equipe;
    if (!mixte.isEmpty())
        sql += " AND Equipe_mixte = " + mixte;
    if (!profil.isEmpty())
        sql += " AND Num_profil = " + profil;
    // Ten statements, one per leg: all of them or none.
    PointSauvegarde point("nageur_relais");
    for (int n = 1; n <= 10; ++n)
        cnxBase.Execute(QString(sql).replace("<NUM>", QString::number(n)));
    point.valider();
}
