#include "competitions/rcomp.h"

#include "competitions/piscines.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QDate>
#include <QTreeWidget>

namespace {

// A number written unquoted into a statement: anything else would change the statement.
QString Entier_sql(const QString& valeur)
{
    bool ok = false;
    const qlonglong n = valeur.trimmed().toLongLong(&ok);
    if (!ok)
        throw ErreurExecution(13, "Type incompatible");
    return QString::number(n);
}

QString Quote(const QString& valeur)
{
    return "'" + valeur + "'";
}

} // namespace

bool Ajouter_compet(const QStringList& v)
{
    if (v.size() < NB_VALEURS_COMPET)
        return false;
    try {
        const QString sql = "INSERT INTO Rcomp (Num, Type, Nom, debut, fin, Lieu, Longueur, Nb_couloir, Codif_fede, "
                            "Codif_inter, Codif_reg, Codif_depar, Num_Piscine) VALUES ("
                            + QStringList {Sql_texte(v[VC_Num]), Sql_texte(v[VC_Type]), Sql_texte(v[VC_Nom]),
                                           Sql_texte(v[VC_Debut]), Sql_texte(v[VC_Fin]), Sql_texte(v[VC_Lieu]),
                                           Entier_sql(v[VC_Longueur]), Entier_sql(v[VC_Nb_couloir]),
                                           Sql_texte(v[VC_Codif_fede]), Sql_texte(v[VC_Codif_inter]),
                                           Sql_texte(v[VC_Codif_reg]), Sql_texte(v[VC_Codif_depar]),
                                           Entier_sql(v[VC_Num_Piscine])}
                                  .join(", ")
                            + ");";
        cnxBase.Execute(sql);
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        return false;
    }
}

bool Modifier_compet(const QStringList& v, const QString& cle)
{
    if (v.size() < NB_VALEURS_COMPET)
        return false;
    try {
        cnxBase.Execute("Update Rcomp Set Num = " + Quote(v[VC_Num]) + ", Type = " + Quote(v[VC_Type])
                        + ", Nom = " + Quote(v[VC_Nom]) + ", Debut = " + Quote(v[VC_Debut]) + ", Fin = "
                        + Quote(v[VC_Fin]) + ", Lieu = " + Quote(v[VC_Lieu]) + ", Longueur = "
                        + Entier_sql(v[VC_Longueur]) + ", Nb_couloir = " + Entier_sql(v[VC_Nb_couloir])
                        + ", Codif_fede = " + Quote(v[VC_Codif_fede]) + ", Codif_inter = " + Quote(v[VC_Codif_inter])
                        + ", Codif_reg = " + Quote(v[VC_Codif_reg]) + ", Codif_depar = " + Quote(v[VC_Codif_depar])
                        + ", Num_Piscine = " + Entier_sql(v[VC_Num_Piscine]) + " where AutoNum = " + Entier_sql(cle));
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        return false;
    }
}

QString Lire_champ_compet(const QString& colonne, const QString& cle)
{
    Executer_requete("SELECT " + colonne + " FROM Rcomp where AutoNum = " + Entier_sql(cle), false);
    struct Liberation {
        ~Liberation() { Liberer_resultat(); }
    } liberation;
    return colResultat.item(0, 1);
}

QString Lire_debut_compet(const QString& cle)
{
    return Lire_champ_compet("Debut", cle);
}

int Lire_longueur_compet(const QString& cle)
{
    return static_cast<int>(Valeur_numerique(Lire_champ_compet("Longueur", cle)));
}

void Cloturer_compet_passees()
{
    cnxBase.Execute("UPDATE Rcomp SET Deroule = true, Visible = false WHERE Deroule = false AND Visible = true AND Debut <= '"
                    + Aujourdhui_texte() + "'");
}

bool Sauver_compet_tempo(const QString& cles)
{
    try {
        QStringList liste;
        for (const QString& cle : cles.split(',', Qt::SkipEmptyParts))
            liste << Entier_sql(cle);
        cnxBase.Execute("INSERT INTO Rcomp_tempo SELECT Rcomp.* From Rcomp WHERE Rcomp.AutoNum IN (" + liste.join(", ")
                        + ");");
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la sauvegarde temporaire de la compétition");
        return false;
    }
}

QString Creer_compet_import()
{
    bool ouvert = false;
    try {
        const QString piscine = Get_num_piscine_nulle();
        Ouvrir_table_ajout("Rcomp");
        ouvert = true;
        rsRequete.setChamp("Deroule", true);
        rsRequete.setChamp("Visible", true);
        rsRequete.setChamp("Num_Piscine", piscine.isEmpty() ? QVariant() : QVariant(piscine.toLongLong()));
        rsRequete.Update();
        const QString numero = rsRequete.Fields("AutoNum").trimmed();
        rsRequete.Close();
        return numero;
    } catch (const std::exception& e) {
        Annuler_recordset(true, ouvert);
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la création de la nouvelle compétition pour importation des résultats !");
        return QString();
    }
}

bool Retirer_compet_import(const QString& cle)
{
    try {
        const qlonglong num = Entier_sql(cle).toLongLong();
        PointSauvegarde point("retirer_compet_import");
        // Every table that files rows under a competition, the exchange components' own included.
        const QList<QStringList> tables = Lignes_requete_liee(
            "SELECT m.name FROM sqlite_master m JOIN pragma_table_info(m.name) c "
            "WHERE m.type = 'table' AND c.name = 'Num_compet' COLLATE NOCASE");
        for (const QStringList& table : tables)
            cnxBase.Executer_lie("DELETE FROM \"" + QString(table.value(0)).replace('"', "\"\"") + "\" WHERE Num_compet = ?", {num});
        cnxBase.Executer_lie("DELETE FROM Rcomp WHERE AutoNum = ?", {num});
        point.valider();
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la suppression de la compétition créée pour l'importation !");
        return false;
    }
}

namespace {

// Appends "d/mm" or "d/mm/yyyy" of a "yyyymmdd" date, nothing when it is none: what Date_en_texte
// writes with these formats, without its locale, as a list writes thousands of them.
void Ajouter_jour_mois(QString& texte, const QString& date, bool avecAnnee)
{
    if (date.size() != 8)
        return;
    int v[8];
    for (int i = 0; i < 8; ++i) {
        v[i] = date[i].unicode() - '0';
        if (v[i] < 0 || v[i] > 9)
            return;
    }
    const int jour = v[6] * 10 + v[7];
    if (!QDate::isValid(v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], jour))
        return;
    if (jour >= 10)
        texte += date[6];
    texte += date[7];
    texte += QLatin1Char('/');
    texte += QStringView(date).mid(4, 2);
    if (avecAnnee) {
        texte += QLatin1Char('/');
        texte += QStringView(date).left(4);
    }
}

} // namespace

QString Dates_compet(const QString& debut, const QString& fin)
{
    QString texte;
    texte.reserve(18);
    Ajouter_jour_mois(texte, debut, false);
    texte += QLatin1String(" - ");
    Ajouter_jour_mois(texte, fin, true);
    return texte;
}

void Remplir_info_compet(QTreeWidget* liste, QTreeWidget* cles, const QString& sql)
{
    liste->clear();
    cles->clear();
    liste->update();
    QList<QTreeWidgetItem*> lignes;
    QList<QTreeWidgetItem*> lignesCles;
    // Read row by row straight into the lists: the competition lists are long.
    try {
        Requete r(cnxBase.handle(), sql);
        if (r.colonnes() >= 6) {
            while (r.suivante()) {
                lignes << new QTreeWidgetItem(
                    QStringList {r.texte(1), r.texte(2), r.texte(5), Dates_compet(r.texte(3), r.texte(4))});
                lignesCles << new QTreeWidgetItem(QStringList {r.texte(0)});
            }
        }
    } catch (const std::exception& e) {
        qDeleteAll(lignes);
        qDeleteAll(lignesCles);
        lignes.clear();
        lignesCles.clear();
        Memoriser_erreur(e);
        Afficher_erreur("La requête suivante n'a pu être exécutée : " + sql);
    }
    liste->addTopLevelItems(lignes);
    cles->addTopLevelItems(lignesCles);
}

VerrousMenus Verrous_liste_compet(const QString& mode)
{
    VerrousMenus v;
    const bool engag = mode == "Choix pour engagements" || mode == "Choix pour engagements relais";
    if (engag || mode == "disk" || mode == "Imprim convoc" || mode == "Imprim bordereau") {
        v.groupe(GroupeVerrou::Compet, {1, 1, 1, 1, 1, 1, 0});
        v.groupe(GroupeVerrou::Club, {0, 0, 1, 1, 1});
        v.groupe(GroupeVerrou::Profil, {0, 0, 1, 1, 0, 1});
        v.groupeEntier(GroupeVerrou::Engag);
        v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
        if (engag) {
            v.groupe(GroupeVerrou::ModeleEngag, {1, 0, 1, 1});
            v.groupe(GroupeVerrou::Perf, {1, 1, 0, 0, 0, 0, 0});
            v.groupeEntier(GroupeVerrou::PointsEquipe);
        }
    } else if (mode == "Impor res") {
        v.groupeEntier(GroupeVerrou::Compet);
        v.groupe(GroupeVerrou::Perf, {1, 0, 0, 0, 0, 0, 0});
        v.groupeEntier(GroupeVerrou::Club);
        v.groupe(GroupeVerrou::Licence, {1, 1, 0, 1, 1, 0, 0});
    } else if (mode == "View" || mode == "Modif" || mode == "Suppr" || mode == "modif prog") {
        v.groupe(GroupeVerrou::Compet, {1, 1, 1, 1, 1, 1, 0});
        v.groupeEntier(GroupeVerrou::Engag);
        if (mode == "modif prog")
            v.groupe(GroupeVerrou::ModeleProg, {1, 0, 1, 1});
        if (mode == "Modif")
            v.groupe(GroupeVerrou::Piscine, {1, 0, 1, 1});
    }
    // "Impor sque" and "Choose compet for prog" lock nothing.
    return v;
}

const VerrousMenus& Verrous_nouvelle_compet()
{
    static const VerrousMenus verrous = VerrousMenus()
                                            .groupe(GroupeVerrou::Compet, {1, 1, 1, 1, 1, 0, 0})
                                            .groupeEntier(GroupeVerrou::Engag)
                                            .groupe(GroupeVerrou::Piscine, {1, 0, 1, 1});
    return verrous;
}
