// IufCodeUpdater: writes the swimmers' unique identifiers (Licence.Code_unique) from the file
// "iuf.txt" (or a "licences.txt" of the licence export) that the runner unzipped.
//   bImport_CodeIUF(source, base, trace, window, bMyClubOnly, strCodeClub)
// A row finds its licence by club and licence number when it gives them, else by name, first
// name and birth date; only visible licences are touched.

#include "components/echange_commun/echange.h"

#include "core/base.h"

#include <QFileInfo>
#include <QHash>

namespace {

using namespace Echange;

// What a line is read for: the identifier stored, the columns that find its licence.
const QStringList kColonnesLues = {"Code_unique", "Nom", "Prenom", "Date_Naissance", "Code_club", "Licence"};

struct Nageur {
    qint64 num;
    QString club;
    QString nom;
    QString codeUnique;
};

class IufCodeUpdater : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "IufCodeUpdater";
    IufCodeUpdater() : ComposantEchange("bImport_CodeIUF", 6, 2, "Mise à jour des codes IUF", true) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString source = Texte(a[0]);
        const bool monClub = Booleen(a[4]);
        const QString codeClub = Texte(a[5]).trimmed().toUpper();
        Progression progression(a[3]);

        const QString chemin = Fichier_present(source, {"iuf.txt", "licences.txt"});
        if (chemin.isEmpty())
            throw Refus("Fichier iuf.txt introuvable dans l'archive.");
        journal.ecrire("Fichier lu : " + QFileInfo(chemin).fileName());
        if (monClub)
            journal.ecrire("Seules les licences du club " + codeClub + " sont mises à jour.");
        const FichierTsv f = Lire_tsv(chemin, {"Code_unique", "Nom", "Prenom", "Date_Naissance"});
        const int colCode = f.index("Code_unique");
        const int colNom = f.index("Nom");
        const int colPrenom = f.index("Prenom");
        const int colNaissance = f.index("Date_Naissance");
        const int colClub = f.index("Code_club");
        const int colLicence = f.index("Licence");

        BaseEchange base(Texte(a[1]), false);
        std::vector<Nageur> nageurs;
        QHash<QString, QList<size_t>> parNumero;
        QHash<QString, QList<size_t>> parIdentite;
        {
            QString sql = "SELECT Licence.Num, Licence.Code_club, Licence.Licence, Licence.Nom, Licence.Prenom, "
                          "Licence.Date_Naissance, Licence.Code_unique, Club.Intitule "
                          "FROM Licence LEFT JOIN Club ON Club.Code_federal = Licence.Code_club AND Club.Visible = 1 "
                          "WHERE Licence.Visible = 1 AND (Licence.Nom IS NULL OR Licence.Nom <> 'Null' COLLATE BINARY)";
            QVariantList valeurs;
            if (monClub) {
                // A selection's own swimmers are those it holds.
                sql += " AND (Licence.Code_club = ? OR Licence.Num IN "
                       "(SELECT Num_Lic FROM Selection WHERE Code_Sel = ? AND Visible = 1))";
                valeurs << codeClub << codeClub;
            }
            Requete r(base.db(), sql);
            r.lier(valeurs);
            while (r.suivante()) {
                nageurs.push_back({Valeur_brute(r, 0).toLongLong(), Valeur_brute(r, 7),
                                   Valeur_brute(r, 3) + " " + Valeur_brute(r, 4), Valeur_brute(r, 6)});
                parNumero[Valeur_brute(r, 1).toUpper() + '\t' + Valeur_brute(r, 2)] << nageurs.size() - 1;
                parIdentite[Identite(Valeur_brute(r, 3), Valeur_brute(r, 4), Valeur_brute(r, 5))] << nageurs.size() - 1;
            }
        }

        base.commencer();
        Requete maj(base.db(), "UPDATE Licence SET Code_unique = ? WHERE Num = ?");
        qint64 modifiees = 0, inchangees = 0, absents = 0, rejetees = 0;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            progression.avancer(static_cast<qint64>(i), static_cast<qint64>(f.lignes.size()));
            const QString numeroLigne = QString::number(f.numeros[i]);
            const QString code = f.valeur(i, colCode).trimmed();
            const QString naissance = f.valeur(i, colNaissance).trimmed();
            const QString qui = f.valeur(i, colNom).trimmed() + " " + f.valeur(i, colPrenom).trimmed();
            QString defaut;
            if (code.isEmpty())
                defaut = "identifiant manquant";
            else if (!Date_correcte(naissance))
                defaut = "date de naissance invalide (" + naissance + ")";
            else
                defaut = Caractere_interdit(f, i, kColonnesLues);
            if (!defaut.isEmpty()) {
                journal.detail("Ligne " + numeroLigne + " : " + qui + " rejeté(e), " + defaut + ".");
                ++rejetees;
                continue;
            }
            const QString club = f.valeur(i, colClub).trimmed().toUpper();
            const QString licence = f.valeur(i, colLicence).trimmed();
            QList<size_t> trouves;
            if (!club.isEmpty() && !licence.isEmpty())
                trouves = parNumero.value(club + '\t' + licence);
            if (trouves.isEmpty())
                trouves = parIdentite.value(Identite(f.valeur(i, colNom), f.valeur(i, colPrenom), naissance));
            if (trouves.isEmpty()) {
                // Restricted to one club, the other clubs' swimmers are expected to be missing.
                if (!monClub || club.isEmpty() || club == codeClub)
                    journal.detail("Ligne " + numeroLigne + " : " + qui + " (" + naissance + ") non trouvé(e) dans la base.");
                ++absents;
                continue;
            }
            for (const size_t n : std::as_const(trouves)) {
                Nageur& nageur = nageurs[n];
                progression.club(nageur.club);
                progression.nageur(nageur.nom);
                if (nageur.codeUnique == code) {
                    ++inchangees;
                    continue;
                }
                Executer(maj, {code, nageur.num});
                nageur.codeUnique = code;
                ++modifiees;
            }
        }
        base.valider();
        progression.avancer(1, 1);
        journal.fermerDetails();
        journal.ecrire(Nombre(modifiees, "licence mise à jour", "licences mises à jour") + ", "
                       + Nombre(inchangees, "déjà à jour", "déjà à jour") + ", "
                       + Nombre(absents, "nageur non trouvé", "nageurs non trouvés") + ", "
                       + Nombre(rejetees, "ligne rejetée", "lignes rejetées") + ".");
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(IufCodeUpdater)
