#include "records_points/records_club.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/temps.h"

// ---- Categories ----------------------------------------------------------------------------

bool Bornes_deja_comprises(const QList<CategorieRecord>& lignes, int ignoree, int min, int max, const QString& sexe)
{
    for (int i = 0; i < lignes.size(); ++i) {
        const CategorieRecord& c = lignes[i];
        if (i + 1 == ignoree || c.sexe != sexe)
            continue;
        if ((c.ageInf <= min && min <= c.ageSup) || (c.ageInf <= max && max <= c.ageSup))
            return true;
    }
    return false;
}

int Position_categorie(const QList<CategorieRecord>& lignes, int min, const QString& sexe)
{
    for (int i = 0; i < lignes.size(); ++i) {
        const CategorieRecord& c = lignes[i];
        if (c.ageInf > min || (c.ageInf == min && QString::compare(c.sexe, sexe, Qt::CaseSensitive) > 0))
            return i + 1;
    }
    return static_cast<int>(lignes.size()) + 1;
}

QList<CategorieRecord> Lire_categories(const QString& club)
{
    QList<CategorieRecord> categories;
    const auto lignes = Lignes_requete_liee("SELECT Libelle, Age_inf, Age_sup, Sexe FROM Categori_record_club "
                                            "WHERE Code_Club = ? ORDER BY Age_inf, Sexe",
                                            {club});
    for (const QStringList& l : lignes)
        categories << CategorieRecord{l[0], l[1].toInt(), l[2].toInt(), l[3]};
    return categories;
}

namespace {

// Whether a stored category of that sex and upper age finds a new one to take its records.
bool Categorie_reprise(const QList<CategorieRecord>& lignes, const QString& sexe, int ageSup)
{
    for (const CategorieRecord& n : lignes) {
        if (n.sexe.compare(sexe, Qt::CaseInsensitive) == 0 && n.ageSup >= ageSup)
            return true;
    }
    return false;
}

} // namespace

int Compter_records_orphelins(const QString& club, const QList<CategorieRecord>& lignes)
{
    int orphelins = 0;
    const auto stockees = Lignes_requete_liee("SELECT c.Sexe, c.Age_sup, COUNT(r.Num_auto) "
                                              "FROM Categori_record_club c JOIN RecordClub r ON r.Categorie = c.Num_cat "
                                              "WHERE c.Code_Club = ? GROUP BY c.Num_cat, c.Sexe, c.Age_sup",
                                              {club});
    for (const QStringList& s : stockees) {
        if (!Categorie_reprise(lignes, s[0], s[1].toInt()))
            orphelins += s[2].toInt();
    }
    return orphelins;
}

void Enregistrer_categories(const QString& club, const QList<CategorieRecord>& lignes)
{
    PointSauvegarde transaction("categories_record");
    cnxBase.Executer_lie("UPDATE Categori_record_club SET Old = true WHERE Code_Club = ?", {club});
    for (const CategorieRecord& c : lignes) {
        cnxBase.Executer_lie("INSERT INTO Categori_record_club (Code_Club, Libelle, Age_inf, Age_sup, Sexe) "
                             "VALUES (?, ?, ?, ?, ?)",
                             {club, c.libelle, c.ageInf, c.ageSup, c.sexe});
    }
    // Narrowest first among equal lower ages, so that a wide category never takes the records
    // meant for a narrower one; the key settles the rest the same way every time.
    const auto nouvelles = Lignes_requete_liee("SELECT Num_cat, Age_sup, Sexe FROM Categori_record_club "
                                               "WHERE Code_Club = ? AND Old = false ORDER BY Age_inf, Age_sup, Num_cat",
                                               {club});
    for (const QStringList& n : nouvelles) {
        const qint64 num = n[0].toLongLong();
        const int ageSup = n[1].toInt();
        cnxBase.Executer_lie("UPDATE RecordClub SET Categorie = ? WHERE Categorie IN ("
                             "SELECT Num_cat FROM Categori_record_club WHERE Code_Club = ? AND Old = true "
                             "AND Sexe = ? AND Age_sup <= ?)",
                             {num, club, n[2], ageSup});
        Purger_records_categorie(num);
        cnxBase.Executer_lie("DELETE FROM Categori_record_club WHERE Code_Club = ? AND Old = true "
                             "AND Sexe = ? AND Age_sup <= ?",
                             {club, n[2], ageSup});
    }
    // The user agreed to let the records of the categories nobody took go: left behind they
    // would be invisible, and their category's key is gone.
    cnxBase.Executer_lie("DELETE FROM RecordClub WHERE Categorie IN ("
                         "SELECT Num_cat FROM Categori_record_club WHERE Code_Club = ? AND Old = true)",
                         {club});
    cnxBase.Executer_lie("DELETE FROM Categori_record_club WHERE Code_Club = ? AND Old = true", {club});
    transaction.valider();
}

void Purger_records_categorie(qint64 numCat)
{
    // A time that cannot be swum (negative) supersedes nothing and is left as it is.
    const auto lignes = Lignes_requete_liee("SELECT Num_auto, Code_nage, Bassin, Date_perf, Tps FROM RecordClub "
                                            "WHERE Categorie = ? AND Tps >= 0 ORDER BY Bassin, Code_nage, Tps, Date_perf",
                                            {numCat});
    QString epreuve = "-1";
    QString bassin = "99";
    QString plusAncienne;
    QVariantList aSupprimer;
    for (const QStringList& l : lignes) {
        if (l[1] != epreuve) {
            plusAncienne = "99999999";
            epreuve = l[1];
        }
        if (l[2] != bassin) {
            plusAncienne = "99999999";
            bassin = l[2];
        }
        if (l[3] > plusAncienne)
            aSupprimer << l[0].toLongLong();
        else
            plusAncienne = l[3];
    }
    for (const QVariant& cle : aSupprimer)
        cnxBase.Executer_lie("DELETE FROM RecordClub WHERE Num_auto = ?", {cle});
}

// ---- Records -------------------------------------------------------------------------------

namespace {

// A time that cannot be swum (negative) is never a record.
const QString kSelectionRecords =
    "FROM Categori_record_club Categori_record_club, RecordClub RecordClub "
    "WHERE Categori_record_club.Num_cat = RecordClub.Categorie "
    "AND Categori_record_club.Code_Club = ? AND Categori_record_club.Libelle = ? "
    "AND RecordClub.Code_nage = ? AND RecordClub.Bassin = ? AND RecordClub.Tps >= 0 ORDER BY RecordClub.Tps";

// Rel1..Rel10: the names typed, " " for every other leg.
QVariantList Relayeurs(const QStringList& noms)
{
    QVariantList valeurs;
    for (int i = 0; i < NbRelayeurs; ++i)
        valeurs << (i < noms.size() ? noms[i] : QStringLiteral(" "));
    return valeurs;
}

QVariant Temps_lie(const QString& tps)
{
    return Format_temps(tps).toDouble();
}

} // namespace

QList<QStringList> Records_categorie(const QString& club, const QString& libelle, int codeNage, int bassin)
{
    return Lignes_requete_liee(
        "SELECT RecordClub.Num_auto, RecordClub.Tps, RecordClub.Nom, RecordClub.Prenom, RecordClub.Date_perf, "
        "RecordClub.Lieu, RecordClub.Rel1, RecordClub.Rel2, RecordClub.Rel3, RecordClub.Rel4, RecordClub.Rel5, "
        "RecordClub.Rel6, RecordClub.Rel7, RecordClub.Rel8, RecordClub.Rel9, RecordClub.Rel10 "
            + kSelectionRecords,
        {club, libelle, codeNage, bassin});
}

bool Record_precedent_respecte(const QString& club, const QString& libelle, int codeNage, int bassin, int rang,
                               const QString& tps, const QString& date)
{
    const auto lignes = Lignes_requete_liee("SELECT RecordClub.Tps, RecordClub.Date_perf " + kSelectionRecords,
                                            {club, libelle, codeNage, bassin});
    if (lignes.size() < rang)
        return true;
    const QStringList& precedent = lignes[rang - 1];
    // Compared in hundredths: 0.5 and 0.50 are the same time whatever the float holds.
    return Temps_en_centiemes(tps) <= Temps_en_centiemes(precedent[0]) && date >= precedent[1];
}

QString Inserer_record(qint64 numCat, int codeNage, int bassin, const RecordSaisi& record)
{
    QVariantList valeurs = {numCat, codeNage, bassin, Temps_lie(record.tps), record.nom, record.prenom, record.date,
                            record.lieu};
    valeurs << Relayeurs(record.relayeurs);
    cnxBase.Executer_lie("INSERT INTO RecordClub (Categorie, Code_nage, Bassin, Tps, Nom, Prenom, Date_perf, Lieu, "
                         "Rel1, Rel2, Rel3, Rel4, Rel5, Rel6, Rel7, Rel8, Rel9, Rel10) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                         valeurs);
    return QString::number(cnxBase.Dernier_id());
}

void Enregistrer_record(const QString& cle, const RecordSaisi& record)
{
    QVariantList valeurs = {Temps_lie(record.tps), record.nom, record.prenom, record.date, record.lieu};
    valeurs << Relayeurs(record.relayeurs);
    valeurs << cle.toLongLong();
    cnxBase.Executer_lie("UPDATE RecordClub SET Tps = ?, Nom = ?, Prenom = ?, Date_perf = ?, Lieu = ?, "
                         "Rel1 = ?, Rel2 = ?, Rel3 = ?, Rel4 = ?, Rel5 = ?, Rel6 = ?, Rel7 = ?, Rel8 = ?, Rel9 = ?, "
                         "Rel10 = ? WHERE Num_auto = ?",
                         valeurs);
}
