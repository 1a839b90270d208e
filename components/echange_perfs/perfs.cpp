// PerformanceExporter and PerformanceImporter: individual and relay performances with the
// swimmers they name, to "nageurs.txt", "performances.txt" and "performances_relais.txt", and
// back into another base (format in docs/echanges.md).
//   bexport_performance(base, strCodeClub, bClubSelection, bAllClubs, temp, trace, window)
//   bimport_perf(base, source, temp, trace, window)
// Swimmers travel by identity, not by key: the importer finds each one in its own base. Each
// performance comes with its competition; an imported one lands in a held, hidden competition
// of the target base, found or made, so that it is never taken for a manual row.

#include "components/echange_commun/echange.h"

#include "core/base.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <sqlite3.h>

#include <cmath>


namespace {

using namespace Echange;

const QString kNageurs = QStringLiteral("nageurs.txt");
const QString kIndividuelles = QStringLiteral("performances.txt");
const QString kRelais = QStringLiteral("performances_relais.txt");

const QStringList kColNageurs = {"Id", "Code_club", "Licence", "Nom", "Prenom", "Sexe", "Date_Naissance", "Code_unique"};
const QStringList kColCompet = {"Compet_num", "Compet_nom", "Compet_debut", "Compet_lieu"};
const QStringList kCodifs = {"Codif_Fede", "Codif_Inter", "Codif_Reg", "Codif_Depart"};
// The texts of a row stored as written.
const QStringList kTextes = QStringList{"Lieu"} + kColCompet;

QStringList colonnesIndividuelles()
{
    return QStringList{"Code_epreuve", "Code_club", "Nageur", "Type_bassin", "Date_perf", "Tps", "Lieu"} + kCodifs
           + QStringList{"Passage_relais", "Tps_inter", "Age_nageur"} + kColCompet;
}

QStringList colonnesNageursRelais()
{
    QStringList c;
    for (int i = 1; i <= 10; ++i)
        c << "Nageur" + QString::number(i);
    return c;
}

QStringList colonnesRelais()
{
    return QStringList{"Code_epreuve", "Code_club", "Num_equipe", "Type_bassin", "Date_perf", "Tps", "Lieu"}
           + colonnesNageursRelais() + kCodifs + kColCompet;
}

// Imported performances of no competition gather by day and place under this name.
const QString kCompetSansNom = QStringLiteral("Performances importées");

const QString kPasLicenceNulle = QStringLiteral("(Nom IS NULL OR Nom <> 'Null' COLLATE BINARY)");

// ================================================================ export

class PerformanceExporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "PerformanceExporter";
    PerformanceExporter() : ComposantEchange("bexport_performance", 7, 5, "Export des performances", false) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString club = Texte(a[1]);
        const bool selection = Booleen(a[2]);
        const bool tousClubs = Booleen(a[3]);
        const QDir temp(Texte(a[4]));
        Progression progression(a[6]);
        BaseEchange base(Texte(a[0]), true);

        QString filtreIndiv = "1 = 1", filtreRelais = "1 = 1";
        QVariantList valeursIndiv, valeursRelais;
        if (tousClubs) {
            journal.ecrire("Performances de tous les clubs.");
        } else if (selection) {
            journal.ecrire("Performances des nageurs de la sélection " + club + ".");
            filtreIndiv = "Liffn.Num_Lic IN (SELECT Num_Lic FROM Selection WHERE Code_Sel = ? AND Visible = 1)";
            filtreRelais = "(Liffn_relais.Code_club = ? OR Liffn_relais.Code_club IN (SELECT Licence.Code_club "
                           "FROM Licence JOIN Selection ON Selection.Num_Lic = Licence.Num "
                           "WHERE Selection.Code_Sel = ? AND Selection.Visible = 1))";
            valeursIndiv << club;
            valeursRelais << club << club;
        } else {
            journal.ecrire("Performances du club " + club + ".");
            filtreIndiv = "Liffn.Code_club = ?";
            filtreRelais = "Liffn_relais.Code_club = ?";
            valeursIndiv << club;
            valeursRelais << club;
        }

        // Every swimmer by key; the placeholder of empty legs stays out.
        QHash<qint64, QStringList> licences;
        {
            Requete r(base.db(), "SELECT Num, " + kColNageurs.mid(1).join(", ") + " FROM Licence WHERE " + kPasLicenceNulle);
            while (r.suivante()) {
                QStringList v;
                for (int i = 0; i < kColNageurs.size(); ++i)
                    v << Valeur_brute(r, i);
                licences.insert(v[0].toLongLong(), v);
            }
        }
        QSet<qint64> utilises;

        const qint64 total =
            base.valeur("SELECT count(*) FROM Liffn WHERE " + filtreIndiv, valeursIndiv).toLongLong()
            + base.valeur("SELECT count(*) FROM Liffn_relais WHERE " + filtreRelais, valeursRelais).toLongLong();
        qint64 fait = 0, ignorees = 0;
        const QString competition = "LEFT JOIN Rcomp ON Rcomp.AutoNum = %1.Num_compet AND %1.Num_compet <> 0 "
                                    "LEFT JOIN Club ON Club.Code_federal = %1.Code_club ";

        EcrivainTsv indiv(temp.filePath(kIndividuelles), colonnesIndividuelles());
        {
            Requete r(base.db(), "SELECT Liffn.Code_epreuve, Liffn.Code_club, Liffn.Num_Lic, Liffn.Type_bassin, Liffn.Date_perf, "
                                 "Liffn.Tps, Liffn.Lieu, Liffn.Codif_Fede, Liffn.Codif_Inter, Liffn.Codif_Reg, Liffn.Codif_Depart, "
                                 "Liffn.Passage_relais, Liffn.Tps_inter, Liffn.Age_nageur, "
                                 "Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Lieu, Club.Intitule FROM Liffn "
                                     + competition.arg("Liffn") + "WHERE " + filtreIndiv
                                     + " ORDER BY Liffn.Date_perf, Liffn.Num_Lic, Liffn.Code_epreuve");
            r.lier(valeursIndiv);
            while (r.suivante()) {
                QStringList v;
                for (int i = 0; i < 18; ++i)
                    v << Valeur_brute(r, i);
                progression.avancer(++fait, total);
                const auto nageur = licences.constFind(v[2].toLongLong());
                if (nageur == licences.constEnd()) {
                    journal.detail("Performance du " + v[4] + " ignorée : le nageur " + v[2] + " n'existe plus dans la base.");
                    ++ignorees;
                    continue;
                }
                progression.club(Valeur_brute(r, 18));
                progression.nageur(nageur.value()[3] + " " + nageur.value()[4]);
                utilises.insert(nageur.key());
                indiv.ecrire(v);
            }
        }

        EcrivainTsv relais(temp.filePath(kRelais), colonnesRelais());
        {
            Requete r(base.db(), "SELECT Liffn_relais.Code_epreuve, Liffn_relais.Code_club, Liffn_relais.Num_Lic, "
                                 "Liffn_relais.Type_bassin, Liffn_relais.Date_perf, Liffn_relais.Tps, Liffn_relais.Lieu, "
                                 "Nageur1, Nageur2, Nageur3, Nageur4, Nageur5, Nageur6, Nageur7, Nageur8, Nageur9, Nageur10, "
                                 "Liffn_relais.Codif_Fede, Liffn_relais.Codif_Inter, Liffn_relais.Codif_Reg, "
                                 "Liffn_relais.Codif_Depart, Rcomp.Num, Rcomp.Nom, Rcomp.Debut, Rcomp.Lieu, Club.Intitule "
                                 "FROM Liffn_relais "
                                     + competition.arg("Liffn_relais") + "WHERE " + filtreRelais
                                     + " ORDER BY Liffn_relais.Date_perf, Liffn_relais.Code_club, Liffn_relais.Num_Lic");
            r.lier(valeursRelais);
            while (r.suivante()) {
                QStringList v;
                for (int i = 0; i < 25; ++i)
                    v << Valeur_brute(r, i);
                progression.avancer(++fait, total);
                progression.club(Valeur_brute(r, 25));
                bool complet = true;
                QList<qint64> jambes;
                for (int i = 7; i < 17; ++i) {
                    const qint64 num = v[i].toLongLong();
                    if (licences.contains(num))
                        jambes << num;
                    else if (!v[i].isEmpty() && !estNulle(base, num))
                        complet = false;
                    else
                        v[i].clear();
                }
                if (!complet) {
                    journal.detail("Relais du " + v[4] + " ignoré : un de ses nageurs n'existe plus dans la base.");
                    ++ignorees;
                    continue;
                }
                for (const qint64 num : std::as_const(jambes))
                    utilises.insert(num);
                relais.ecrire(v);
            }
        }

        EcrivainTsv nageurs(temp.filePath(kNageurs), kColNageurs);
        QList<qint64> cles(utilises.cbegin(), utilises.cend());
        std::sort(cles.begin(), cles.end());
        for (const qint64 num : std::as_const(cles))
            nageurs.ecrire(licences.value(num));

        indiv.terminer();
        relais.terminer();
        nageurs.terminer();
        progression.avancer(1, 1);
        journal.fermerDetails();
        journal.ecrire(Nombre(indiv.lignes(), "performance individuelle exportée", "performances individuelles exportées")
                       + " dans " + kIndividuelles + ".");
        journal.ecrire(Nombre(relais.lignes(), "performance de relais exportée", "performances de relais exportées") + " dans "
                       + kRelais + ".");
        journal.ecrire(Nombre(nageurs.lignes(), "nageur exporté", "nageurs exportés") + " dans " + kNageurs + ".");
        if (ignorees)
            journal.ecrire(Nombre(ignorees, "performance ignorée", "performances ignorées") + " (nageur disparu).");
        return true;
    }

private:
    // The placeholder swimmer, or a slot left at 0.
    bool estNulle(const BaseEchange& base, qint64 num)
    {
        if (m_nulles.isEmpty()) {
            Requete r(base.db(), "SELECT Num FROM Licence WHERE Nom = 'Null' COLLATE BINARY");
            m_nulles.insert(0);
            while (r.suivante())
                m_nulles.insert(Valeur_brute(r, 0).toLongLong());
        }
        return m_nulles.contains(num);
    }
    QSet<qint64> m_nulles;
};

// ================================================================ import

// The target base's swimmers, found by identifier, by club and number, or by identity.
class Correspondance {
public:
    explicit Correspondance(const BaseEchange& base)
    {
        // Visible rows last, so that they are the ones kept.
        Requete r(base.db(), "SELECT Num, Code_club, Licence, Nom, Prenom, Date_Naissance, Code_unique FROM Licence WHERE "
                                 + kPasLicenceNulle + " ORDER BY Visible, Num");
        while (r.suivante()) {
            const qint64 num = Valeur_brute(r, 0).toLongLong();
            m_naissance.insert(num, Valeur_brute(r, 5));
            const QString unique = Valeur_brute(r, 6).trimmed();
            if (!unique.isEmpty())
                m_parUnique.insert(unique, num);
            m_parNumero.insert(Valeur_brute(r, 1).toUpper() + '\t' + Valeur_brute(r, 2), num);
            m_parIdentite.insert(Identite(Valeur_brute(r, 3), Valeur_brute(r, 4), Valeur_brute(r, 5)), num);
        }
    }

    // The key, 0 when the swimmer is not in the base.
    qint64 trouver(const QString& unique, const QString& club, const QString& licence, const QString& nom,
                   const QString& prenom, const QString& naissance) const
    {
        if (!unique.trimmed().isEmpty()) {
            if (const qint64 n = m_parUnique.value(unique.trimmed()))
                return n;
        }
        if (!club.trimmed().isEmpty() && !licence.trimmed().isEmpty()) {
            if (const qint64 n = m_parNumero.value(club.trimmed().toUpper() + '\t' + licence.trimmed()))
                return n;
        }
        return m_parIdentite.value(Identite(nom, prenom, naissance));
    }

    QString naissance(qint64 num) const { return m_naissance.value(num); }

private:
    QHash<QString, qint64> m_parUnique, m_parNumero, m_parIdentite;
    QHash<qint64, QString> m_naissance;
};

// A swimmer of nageurs.txt: its key in the target base, or why it has none.
struct NageurImporte {
    qint64 num = 0;
    QString description;
};

class PerformanceImporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "PerformanceImporter";
    PerformanceImporter() : ComposantEchange("bimport_perf", 5, 3, "Import des performances", true) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString source = Texte(a[1]);
        Progression progression(a[4]);

        const QString cheminNageurs = Fichier_present(source, {kNageurs});
        const QString cheminIndiv = Fichier_present(source, {kIndividuelles});
        const QString cheminRelais = Fichier_present(source, {kRelais});
        if (cheminIndiv.isEmpty() && cheminRelais.isEmpty())
            throw Refus("Ni " + kIndividuelles + " ni " + kRelais + " dans " + source + ".");
        if (cheminNageurs.isEmpty())
            throw Refus("Fichier " + kNageurs + " introuvable dans " + source + ".");

        // Every file is read and checked before the base is touched.
        const FichierTsv nageurs = Lire_tsv(cheminNageurs, {"Id", "Nom", "Prenom", "Date_Naissance"});
        FichierTsv indiv, relais;
        if (!cheminIndiv.isEmpty())
            indiv = Lire_tsv(cheminIndiv, {"Code_epreuve", "Code_club", "Nageur", "Type_bassin", "Date_perf", "Tps"});
        if (!cheminRelais.isEmpty())
            relais = Lire_tsv(cheminRelais, {"Code_epreuve", "Code_club", "Num_equipe", "Type_bassin", "Date_perf", "Tps"});
        for (const QString& c : {cheminNageurs, cheminIndiv, cheminRelais}) {
            if (!c.isEmpty())
                journal.ecrire("Fichier lu : " + QFileInfo(c).fileName());
        }
        m_total = static_cast<qint64>(indiv.lignes.size() + relais.lignes.size());
        m_fait = 0;

        BaseEchange base(Texte(a[0]), false);
        chargerReferences(base);
        const Correspondance correspondance(base);
        const QHash<QString, NageurImporte> correspondants = associerNageurs(nageurs, correspondance, journal);

        base.commencer();
        m_competitions.clear();
        m_competCreees = 0;
        importerIndividuelles(base, indiv, correspondants, correspondance, journal, progression);
        importerRelais(base, relais, correspondants, journal, progression);
        base.valider();
        progression.avancer(1, 1);

        journal.fermerDetails();
        journal.ecrire("Performances individuelles : " + m_bilan[0] + ".");
        journal.ecrire("Performances de relais : " + m_bilan[1] + ".");
        journal.ecrire(Nombre(m_competCreees, "compétition créée", "compétitions créées") + " pour les recevoir.");
        return true;
    }

private:
    void chargerReferences(const BaseEchange& base)
    {
        m_clubs.clear();
        m_nages.clear();
        Requete clubs(base.db(), "SELECT Code_federal FROM Club");
        while (clubs.suivante())
            m_clubs.insert(Valeur_brute(clubs, 0).toUpper());
        Requete nages(base.db(), "SELECT Code_Nage, Nb_nageurs FROM Nage");
        while (nages.suivante())
            m_nages.insert(Valeur_brute(nages, 0).toLongLong(), Valeur_brute(nages, 1).toInt());
        const QString piscine = base.valeur("SELECT min(Num) FROM Piscine WHERE Nom = 'Null' COLLATE BINARY");
        m_piscine = piscine.isEmpty() ? QVariant() : QVariant(piscine.toLongLong());
        m_numManuel[0] = base.valeur("SELECT max(NumManuel) FROM Liffn").toLongLong();
        m_numManuel[1] = base.valeur("SELECT max(NumManuel) FROM Liffn_relais").toLongLong();
    }

    QHash<QString, NageurImporte> associerNageurs(const FichierTsv& f, const Correspondance& correspondance, Journal& journal)
    {
        QHash<QString, NageurImporte> resultat;
        auto val = [&f](size_t i, const char* colonne) { return f.valeur(i, f.index(colonne)).trimmed(); };
        qint64 inconnus = 0;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            const QString id = val(i, "Id");
            NageurImporte n;
            n.description = val(i, "Nom") + " " + val(i, "Prenom") + " (" + val(i, "Code_club") + " " + val(i, "Licence") + ")";
            QString defaut;
            if (id.isEmpty())
                defaut = "identifiant manquant";
            else if (resultat.contains(id))
                defaut = "identifiant " + id + " présent deux fois";
            else if (!Date_correcte(val(i, "Date_Naissance")))
                defaut = "date de naissance invalide (" + val(i, "Date_Naissance") + ")";
            if (!defaut.isEmpty()) {
                journal.detail(f.nom + ", ligne " + QString::number(f.numeros[i]) + " : nageur " + n.description
                               + " rejeté, " + defaut + " ; ses performances sont ignorées.");
                if (!id.isEmpty() && !resultat.contains(id))
                    resultat.insert(id, n);
                continue;
            }
            n.num = correspondance.trouver(val(i, "Code_unique"), val(i, "Code_club"), val(i, "Licence"), val(i, "Nom"),
                                           val(i, "Prenom"), val(i, "Date_Naissance"));
            if (!n.num) {
                journal.detail("Nageur " + n.description + " introuvable dans la base : ses performances sont ignorées.");
                ++inconnus;
            }
            resultat.insert(id, n);
        }
        if (inconnus)
            journal.ecrire(Nombre(inconnus, "nageur absent", "nageurs absents")
                           + " de la base : importer d'abord leurs licences.");
        return resultat;
    }

    // Where the columns both kinds of rows share are, found once per file.
    struct Colonnes {
        explicit Colonnes(const FichierTsv& f)
            : epreuve(f.index("Code_epreuve")), club(f.index("Code_club")), bassin(f.index("Type_bassin")),
              date(f.index("Date_perf")), tps(f.index("Tps")), lieu(f.index("Lieu"))
        {
            for (int k = 0; k < 4; ++k) {
                codifs[k] = f.index(kCodifs[k]);
                compet[k] = f.index(kColCompet[k]);
            }
        }
        int epreuve, club, bassin, date, tps, lieu;
        int codifs[4];
        int compet[4];
    };

    // The values both kinds of rows share, once checked.
    struct Commun {
        qint64 epreuve = 0;
        qint64 bassin = 0;
        double temps = 0;
        QString club, date, lieu;
        QString codifs[4];
        QStringList compet;
    };

    // Reads and checks the shared values; what is wrong, "" when nothing.
    QString lireCommun(const FichierTsv& f, const Colonnes& c, size_t i, bool relais, Commun& v) const
    {
        const QString epreuve = f.valeur(i, c.epreuve).trimmed();
        const QString bassin = f.valeur(i, c.bassin).trimmed();
        const QString tps = f.valeur(i, c.tps).trimmed();
        v.club = f.valeur(i, c.club).trimmed().toUpper();
        v.date = f.valeur(i, c.date).trimmed();
        v.lieu = f.valeur(i, c.lieu);
        if (!Entier_correct(epreuve, v.epreuve) || !m_nages.contains(v.epreuve))
            return "épreuve " + epreuve + " inconnue";
        if ((m_nages.value(v.epreuve) > 1) != relais)
            return "l'épreuve " + epreuve + (relais ? " n'est pas un relais" : " est un relais");
        if (!m_clubs.contains(v.club))
            return "club " + v.club + " inconnu dans la base";
        if (!Entier_correct(bassin, v.bassin) || (v.bassin != 25 && v.bassin != 50))
            return "bassin invalide (" + bassin + ")";
        if (!Date_correcte(v.date))
            return "date invalide (" + v.date + ")";
        if (!Date_passee(v.date))
            return "date impossible (" + v.date + "), avant 1900 ou après aujourd'hui";
        if (!Temps_correct(tps, v.temps))
            return "temps invalide (" + tps + ")";
        const QString texte = Caractere_interdit(f, i, kTextes);
        if (!texte.isEmpty())
            return texte;
        for (int k = 0; k < 4; ++k) {
            const QString codif = f.valeur(i, c.codifs[k]).trimmed();
            if (!codif.isEmpty() && codif != "Q" && codif != "R" && codif != "A")
                return "codification invalide dans " + kCodifs[k] + " (" + codif + ")";
            v.codifs[k] = codif.isEmpty() ? QStringLiteral(" ") : codif;
        }
        v.compet.clear();
        for (const int k : c.compet)
            v.compet << f.valeur(i, k).trimmed();
        if (!v.compet[2].isEmpty() && !Date_correcte(v.compet[2]))
            return "date de compétition invalide (" + v.compet[2] + ")";
        return QString();
    }

    // The competition of a row, made held and hidden when the base has none of that name.
    qint64 competition(const BaseEchange& base, const Commun& v)
    {
        QStringList cle = v.compet;
        if (cle.join(QString()).isEmpty())
            cle = QStringList{QString(), kCompetSansNom, v.date, v.lieu};
        const QString texteCle = cle.join('\t');
        const auto trouvee = m_competitions.constFind(texteCle);
        if (trouvee != m_competitions.constEnd())
            return trouvee.value();

        const QVariantList valeurs(cle.cbegin(), cle.cend());
        qint64 num = base.valeur("SELECT min(AutoNum) FROM Rcomp WHERE COALESCE(Num, '') = ? AND COALESCE(Nom, '') = ? "
                                 "AND COALESCE(Debut, '') = ? AND COALESCE(Lieu, '') = ?",
                                 valeurs)
                         .toLongLong();
        if (!num) {
            Requete ajout(base.db(), "INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible, Num_Piscine) "
                                     "VALUES (?, ?, ?, ?, ?, ?, 1, 0, ?)");
            Executer(ajout, {cle[0], cle[1], cle[2], cle[2], cle[3], v.bassin, m_piscine});
            num = base.dernierId();
            ++m_competCreees;
        }
        m_competitions.insert(texteCle, num);
        return num;
    }

    void rejeter(Journal& journal, const FichierTsv& f, size_t i, const QString& defaut)
    {
        journal.detail(f.nom + ", ligne " + QString::number(f.numeros[i]) + " : performance rejetée, " + defaut + ".");
    }

    // An individual performance as a pair of numbers, to find the rows already there.
    using CleIndividuelle = QPair<qint64, qint64>;
    static CleIndividuelle cleIndividuelle(qint64 nageur, qint64 epreuve, qint64 bassin, const QString& date, double temps,
                                           bool inter, bool passageRelais)
    {
        return {(nageur << 24) ^ (epreuve << 10) ^ (bassin << 2) ^ (inter ? 2 : 0) ^ (passageRelais ? 1 : 0),
                (date.toLongLong() << 32) ^ std::llround(temps * 10000)};
    }

    void importerIndividuelles(const BaseEchange& base, const FichierTsv& f, const QHash<QString, NageurImporte>& nageurs,
                               const Correspondance& correspondance, Journal& journal, Progression& progression)
    {
        if (f.colonnes.isEmpty()) {
            m_bilan[0] = "aucun fichier";
            return;
        }
        QSet<CleIndividuelle> existantes;
        {
            Requete r(base.db(), "SELECT Num_Lic, Code_epreuve, Type_bassin, Date_perf, Tps, Tps_inter, Passage_relais FROM Liffn");
            while (r.suivante())
                existantes.insert(cleIndividuelle(sqlite3_column_int64(r.stmt(), 0), sqlite3_column_int64(r.stmt(), 1),
                                                  sqlite3_column_int64(r.stmt(), 2), Valeur_brute(r, 3),
                                                  sqlite3_column_double(r.stmt(), 4), sqlite3_column_int(r.stmt(), 5) != 0,
                                                  Valeur_brute(r, 6).trimmed() == "R"));
        }
        const Colonnes c(f);
        const int colNageur = f.index("Nageur");
        const int colPassage = f.index("Passage_relais");
        const int colInter = f.index("Tps_inter");
        Requete ajout(base.db(), "INSERT INTO Liffn VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        qint64 ajoutees = 0, presentes = 0, rejetees = 0;
        Commun v;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            progression.avancer(++m_fait, m_total);
            QString defaut = lireCommun(f, c, i, false, v);
            const QString id = f.valeur(i, colNageur).trimmed();
            const QString passage = f.valeur(i, colPassage).trimmed();
            const QString texteInter = f.valeur(i, colInter).trimmed();
            bool inter = false;
            const auto nageur = nageurs.constFind(id);
            if (defaut.isEmpty() && nageur == nageurs.constEnd())
                defaut = "nageur " + id + " absent de " + kNageurs;
            if (defaut.isEmpty() && !passage.isEmpty() && passage != "R")
                defaut = "départ de relais invalide (" + passage + ")";
            if (defaut.isEmpty() && !texteInter.isEmpty() && !Booleen_correct(texteInter, inter))
                defaut = "temps intermédiaire invalide (" + texteInter + ")";
            if (!defaut.isEmpty()) {
                rejeter(journal, f, i, defaut);
                ++rejetees;
                continue;
            }
            const qint64 num = nageur.value().num;
            if (!num) {
                // Already listed with the swimmers.
                ++rejetees;
                continue;
            }
            const CleIndividuelle cle = cleIndividuelle(num, v.epreuve, v.bassin, v.date, v.temps, inter, passage == "R");
            if (existantes.contains(cle)) {
                ++presentes;
                continue;
            }
            existantes.insert(cle);
            const QString naissance = correspondance.naissance(num);
            const QVariant age = Date_correcte(naissance) ? QVariant(v.date.left(4).toInt() - naissance.left(4).toInt()) : QVariant();
            Executer(ajout, {v.epreuve, v.club, num, v.bassin, v.date, v.temps, v.lieu, v.codifs[0], v.codifs[1], v.codifs[2],
                             v.codifs[3], passage.isEmpty() ? QStringLiteral(" ") : passage, inter, age,
                             competition(base, v), ++m_numManuel[0]});
            ++ajoutees;
        }
        m_bilan[0] = Nombre(ajoutees, "ajoutée", "ajoutées") + ", " + Nombre(presentes, "déjà présente", "déjà présentes") + ", "
                     + Nombre(rejetees, "rejetée", "rejetées");
    }

    void importerRelais(const BaseEchange& base, const FichierTsv& f, const QHash<QString, NageurImporte>& nageurs,
                        Journal& journal, Progression& progression)
    {
        if (f.colonnes.isEmpty()) {
            m_bilan[1] = "aucun fichier";
            return;
        }
        const QStringList places = colonnesNageursRelais();
        QSet<QString> existantes;
        {
            Requete r(base.db(), "SELECT Code_epreuve, Code_club, Num_Lic, Type_bassin, Date_perf, Tps, " + places.join(", ")
                                     + " FROM Liffn_relais");
            while (r.suivante()) {
                QStringList cle;
                for (int k = 0; k < 16; ++k)
                    cle << Valeur_brute(r, k);
                cle[1] = cle[1].toUpper();
                existantes.insert(cle.join('\t'));
            }
        }
        const Colonnes c(f);
        const int colEquipe = f.index("Num_equipe");
        QList<int> colPlaces;
        for (const QString& p : places)
            colPlaces << f.index(p);
        Requete ajout(base.db(), "INSERT INTO Liffn_relais VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        qint64 ajoutees = 0, presentes = 0, rejetees = 0;
        Commun v;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            progression.avancer(++m_fait, m_total);
            qint64 equipe = 0;
            QString defaut = lireCommun(f, c, i, true, v);
            if (defaut.isEmpty() && !Entier_correct(f.valeur(i, colEquipe).trimmed(), equipe))
                defaut = "numéro d'équipe invalide (" + f.valeur(i, colEquipe) + ")";
            QVariantList jambes;
            bool inconnu = false;
            for (const int colonne : std::as_const(colPlaces)) {
                const QString id = f.valeur(i, colonne).trimmed();
                const auto nageur = nageurs.constFind(id);
                if (id.isEmpty()) {
                    jambes << QVariant();
                } else if (nageur == nageurs.constEnd()) {
                    if (defaut.isEmpty())
                        defaut = "nageur " + id + " absent de " + kNageurs;
                } else {
                    inconnu = inconnu || !nageur.value().num;
                    jambes << nageur.value().num;
                }
            }
            if (!defaut.isEmpty()) {
                rejeter(journal, f, i, defaut);
                ++rejetees;
                continue;
            }
            if (inconnu) {
                ++rejetees;
                continue;
            }
            for (QVariant& j : jambes) {
                if (j.isNull())
                    j = licenceNulle(base);
            }
            QStringList cle{QString::number(v.epreuve), v.club, QString::number(equipe), QString::number(v.bassin), v.date,
                            Reel_texte(v.temps)};
            for (const QVariant& j : std::as_const(jambes))
                cle << j.toString();
            const QString texteCle = cle.join('\t');
            if (existantes.contains(texteCle)) {
                ++presentes;
                continue;
            }
            existantes.insert(texteCle);
            QVariantList valeurs{v.epreuve, v.club, equipe, v.bassin, v.date, v.temps, v.lieu};
            valeurs += jambes;
            valeurs << v.codifs[0] << v.codifs[1] << v.codifs[2] << v.codifs[3] << competition(base, v) << ++m_numManuel[1];
            Executer(ajout, valeurs);
            ++ajoutees;
        }
        m_bilan[1] = Nombre(ajoutees, "ajoutée", "ajoutées") + ", " + Nombre(presentes, "déjà présente", "déjà présentes") + ", "
                     + Nombre(rejetees, "rejetée", "rejetées");
    }

    // The placeholder swimmer of empty legs, made as the opening of a base makes it when missing.
    qint64 licenceNulle(const BaseEchange& base)
    {
        if (!m_licenceNulle) {
            m_licenceNulle = base.valeur("SELECT min(Num) FROM Licence WHERE Nom = 'Null' COLLATE BINARY").toLongLong();
            if (!m_licenceNulle) {
                Requete ajout(base.db(), "INSERT INTO Licence (Code_Club, Licence, Nom, Visible, Date_suppr) "
                                         "VALUES ('', '1', 'Null', 0, '')");
                Executer(ajout, {});
                m_licenceNulle = base.dernierId();
            }
        }
        return m_licenceNulle;
    }

    QSet<QString> m_clubs;
    QHash<qint64, int> m_nages;
    QVariant m_piscine;
    qint64 m_numManuel[2] = {0, 0};
    qint64 m_licenceNulle = 0;
    QHash<QString, qint64> m_competitions;
    qint64 m_competCreees = 0;
    qint64 m_total = 0;
    qint64 m_fait = 0;
    QString m_bilan[2];
};

} // namespace

QV_COMPOSANTS_ECHANGE(PerformanceExporter, PerformanceImporter)
