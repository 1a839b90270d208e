// LicenceExporter and LicenceImporter: the visible licences of a club (or of a selection's
// swimmers) to "licences.txt", and back into another base (format in docs/echanges.md).
//   bExport_licence(base, strCodeClub, bClubSelection, temp, trace, window)
//   bimport_licence(base, source, temp, trace, window)

#include "components/echange_commun/echange.h"

#include "core/base.h"
#include "core/utils.h"

#include <QDir>
#include <QHash>
#include <QSet>

namespace {

using namespace Echange;

const QString kFichier = QStringLiteral("licences.txt");
// Every column of a licence but its key and its deletion marks, in the table's order.
const QStringList kColonnes = {
    "Code_club",   "Licence",   "Nom",       "Prenom",     "Sexe",         "Date_Naissance",    "Nationalite",
    "Adresse",     "Suite_adresse", "Code_Postal", "Localite", "Telephone",  "Sportive",          "Synchro",
    "Water_Polo",  "Plongeon",  "Dirigeant", "Maitre",     "Date_Depot",   "Date_obliteration", "Type_licence",
    "Nature",      "Code_unique", "Tel2",    "Mail",       "Tarif",        "Medecin",           "Date_Ctrl_Medical"};
// Yes/no columns: the windows store "O" for a ticked box and "" otherwise; the file says 1 or 0.
const QStringList kOuiNon = {"Sportive", "Synchro", "Water_Polo", "Plongeon", "Dirigeant", "Maitre"};

QString OuiNon_fichier(const QString& base)
{
    bool valeur = false;
    return (base.trimmed().compare("O", Qt::CaseInsensitive) == 0 || (Booleen_correct(base.trimmed(), valeur) && valeur))
               ? QStringLiteral("1")
               : QStringLiteral("0");
}

// The value the windows store for a yes/no read from a file (1/0, O/N, Vrai/Faux, true/false);
// false when it is none of them. Empty stays empty.
bool OuiNon_base(const QString& texte, QString& stocke)
{
    const QString t = texte.trimmed();
    bool valeur = false;
    if (t.isEmpty())
        valeur = false;
    else if (t.compare("O", Qt::CaseInsensitive) == 0 || t.compare("Oui", Qt::CaseInsensitive) == 0)
        valeur = true;
    else if (t.compare("N", Qt::CaseInsensitive) == 0 || t.compare("Non", Qt::CaseInsensitive) == 0)
        valeur = false;
    else if (!Booleen_correct(t, valeur))
        return false;
    stocke = valeur ? QStringLiteral("O") : QString();
    return true;
}

const QStringList kObligatoires = {"Code_club", "Licence", "Nom", "Prenom", "Date_Naissance"};
const QStringList kDatesFacultatives = {"Date_Depot", "Date_obliteration", "Date_Ctrl_Medical"};

// The placeholder swimmer of empty relay legs is no licence to exchange.
const QString kPasLicenceNulle = QStringLiteral("(Licence.Nom IS NULL OR Licence.Nom <> 'Null' COLLATE BINARY)");

class LicenceExporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "LicenceExporter";
    LicenceExporter() : ComposantEchange("bExport_licence", 6, 4, "Export des licences", false) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString club = Texte(a[1]);
        const bool selection = Booleen(a[2]);
        Progression progression(a[5]);
        BaseEchange base(Texte(a[0]), true);

        QStringList champs;
        for (const QString& c : kColonnes)
            champs << "Licence." + c;
        QString depuis;
        if (selection) {
            journal.ecrire("Licences des nageurs de la sélection " + club + ".");
            depuis = " FROM Club Club, Licence Licence, Selection Selection "
                     "WHERE Club.Code_federal = Licence.Code_club AND Licence.Num = Selection.Num_Lic "
                     "AND Selection.Code_Sel = ? AND Selection.Visible = 1 AND Licence.Visible = 1 AND "
                     + kPasLicenceNulle;
        } else {
            journal.ecrire("Licences du club " + club + ".");
            depuis = " FROM Licence WHERE Licence.Code_club = ? AND Licence.Visible = 1 AND " + kPasLicenceNulle;
        }
        const qint64 total = base.valeur("SELECT count(*)" + depuis, {club}).toLongLong();
        EcrivainTsv sortie(QDir(Texte(a[3])).filePath(kFichier), kColonnes);
        Requete r(base.db(), "SELECT " + champs.join(", ") + depuis + " ORDER BY Licence.Nom, Licence.Prenom, Licence.Code_club");
        r.lier({club});
        while (r.suivante()) {
            QStringList valeurs;
            for (int i = 0; i < kColonnes.size(); ++i)
                valeurs << (kOuiNon.contains(kColonnes[i]) ? OuiNon_fichier(Valeur_brute(r, i)) : Valeur_brute(r, i));
            progression.nageur(valeurs[2] + " " + valeurs[3]);
            sortie.ecrire(valeurs);
            progression.avancer(sortie.lignes(), total);
        }
        sortie.terminer();
        journal.ecrire(Nombre(sortie.lignes(), "licence exportée", "licences exportées") + " dans " + kFichier + ".");
        return true;
    }
};

class LicenceImporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "LicenceImporter";
    LicenceImporter() : ComposantEchange("bimport_licence", 5, 3, "Import des licences", true) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString source = Texte(a[1]);
        Progression progression(a[4]);
        const QString chemin = Fichier_present(source, {kFichier});
        if (chemin.isEmpty())
            throw Refus("Fichier " + kFichier + " introuvable dans " + source + ".");
        journal.ecrire("Fichier lu : " + chemin);
        const FichierTsv f = Lire_tsv(chemin, kObligatoires);
        QList<int> col;
        QStringList presentes;
        for (const QString& c : kColonnes) {
            col << f.index(c);
            if (f.index(c) >= 0)
                presentes << c;
        }

        BaseEchange base(Texte(a[0]), false);
        QSet<QString> clubs;
        {
            Requete r(base.db(), "SELECT Code_federal FROM Club WHERE Visible = 1");
            while (r.suivante())
                clubs.insert(Valeur_brute(r, 0).toUpper());
        }
        // Licences by club and number, visible ones first so that they are the ones updated.
        QHash<QString, qint64> existantes;
        {
            Requete r(base.db(), "SELECT Code_club, Licence, Num FROM Licence WHERE " + kPasLicenceNulle
                                     + " ORDER BY Visible, Num DESC");
            while (r.suivante())
                existantes.insert(Valeur_brute(r, 0).toUpper() + '\t' + Valeur_brute(r, 1), Valeur_brute(r, 2).toLongLong());
        }

        base.commencer();
        QStringList marques;
        for (int i = 0; i < kColonnes.size(); ++i)
            marques << "?";
        Requete ajout(base.db(), "INSERT INTO Licence (" + kColonnes.join(", ") + ", Visible, Date_suppr) VALUES ("
                                     + marques.join(", ") + ", 1, '')");
        QString majSql = "UPDATE Licence SET Visible = 1, Date_suppr = ''";
        for (const QString& c : presentes) {
            if (c != "Code_club" && c != "Licence")
                majSql += ", " + c + " = ?";
        }
        Requete maj(base.db(), majSql + " WHERE Num = ?");

        qint64 ajoutees = 0, modifiees = 0, rejetees = 0;
        QSet<QString> vues;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            QStringList v;
            for (int c = 0; c < kColonnes.size(); ++c)
                v << f.valeur(i, col[c]);
            auto champ = [&](const QString& colonne) -> QString& { return v[kColonnes.indexOf(colonne)]; };
            for (const char* c : {"Code_club", "Sexe"})
                champ(c) = champ(c).trimmed().toUpper();
            for (const QString& c : kDatesFacultatives + QStringList{"Licence", "Prenom", "Date_Naissance"})
                champ(c) = champ(c).trimmed();
            // The family name as the detail window stores it.
            champ("Nom") = Sans_accents(champ("Nom").trimmed());
            const QString cle = champ("Code_club") + '\t' + champ("Licence");

            QString defaut;
            if (!clubs.contains(champ("Code_club")))
                defaut = "club " + champ("Code_club") + " inconnu dans la base";
            else if (champ("Licence").isEmpty())
                defaut = "numéro de licence manquant";
            else if (champ("Nom").isEmpty() || champ("Prenom").isEmpty())
                defaut = "nom ou prénom manquant";
            else if (!Date_correcte(champ("Date_Naissance")))
                defaut = "date de naissance invalide (" + champ("Date_Naissance") + ")";
            else if (!Date_passee(champ("Date_Naissance")))
                defaut = "date de naissance impossible (" + champ("Date_Naissance") + "), avant 1900 ou après aujourd'hui";
            else if (!champ("Sexe").isEmpty() && champ("Sexe") != "M" && champ("Sexe") != "F")
                defaut = "sexe invalide (" + champ("Sexe") + ")";
            else if (vues.contains(cle))
                defaut = "licence déjà présente plus haut dans le fichier";
            if (defaut.isEmpty())
                defaut = Caractere_interdit(f, i, kColonnes, {"Adresse", "Suite_adresse"});
            for (const QString& d : kDatesFacultatives) {
                if (defaut.isEmpty() && !champ(d).isEmpty() && !Date_correcte(champ(d)))
                    defaut = "date invalide dans " + d + " (" + champ(d) + ")";
            }
            for (const QString& o : kOuiNon) {
                QString stocke;
                if (!OuiNon_base(champ(o), stocke)) {
                    if (defaut.isEmpty())
                        defaut = "valeur oui/non invalide dans " + o + " (" + champ(o) + ")";
                } else {
                    champ(o) = stocke;
                }
            }
            if (!defaut.isEmpty()) {
                journal.detail("Ligne " + QString::number(f.numeros[i]) + " : licence " + champ("Licence") + " ("
                               + champ("Nom") + " " + champ("Prenom") + ") rejetée, " + defaut + ".");
                ++rejetees;
                continue;
            }
            vues.insert(cle);
            progression.nageur(v[2] + " " + v[3]);

            const auto existante = existantes.constFind(cle);
            if (existante == existantes.constEnd()) {
                Executer(ajout, QVariantList(v.cbegin(), v.cend()));
                existantes.insert(cle, base.dernierId());
                ++ajoutees;
            } else {
                QVariantList valeurs;
                for (int c = 2; c < kColonnes.size(); ++c) {
                    if (col[c] >= 0)
                        valeurs << v[c];
                }
                valeurs << existante.value();
                Executer(maj, valeurs);
                ++modifiees;
            }
            progression.avancer(static_cast<qint64>(i + 1), static_cast<qint64>(f.lignes.size()));
        }
        base.valider();
        journal.fermerDetails();
        journal.ecrire(Nombre(ajoutees, "licence ajoutée", "licences ajoutées") + ", "
                       + Nombre(modifiees, "licence mise à jour", "licences mises à jour") + ", "
                       + Nombre(rejetees, "ligne rejetée", "lignes rejetées") + ".");
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(LicenceExporter, LicenceImporter)
