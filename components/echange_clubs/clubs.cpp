// ClubExporter and ClubImporter: the visible clubs of a base to "clubs.txt", and back into
// another base (format in docs/echanges.md).
//   bExport_Club(base, temp, trace, window)
//   bImport_Club(base, source, temp, trace, window, bForce)

#include "components/echange_commun/echange.h"

#include "core/base.h"
#include "core/geographie.h"

#include <sqlite3.h>

#include <QDir>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

using namespace Echange;

const QString kFichier = QStringLiteral("clubs.txt");
const QStringList kColonnes = {"Code_federal", "Intitule", "Selection", "Adresse", "Code_Postal",
                               "Ville",        "Telephone", "Fax",      "Mail"};
const QStringList kContacts = {"Adresse", "Code_Postal", "Ville", "Telephone", "Fax", "Mail"};
// What the import stores of a line.
const QStringList kColonnesLues = QStringList{"Code_federal", "Intitule"} + kContacts;

class ClubExporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "ClubExporter";
    ClubExporter() : ComposantEchange("bExport_Club", 4, 2, "Export des clubs", false) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        Progression progression(a[3]);
        BaseEchange base(Texte(a[0]), true);
        const qint64 total = base.valeur("SELECT count(*) FROM Club WHERE Visible = 1").toLongLong();
        EcrivainTsv sortie(QDir(Texte(a[1])).filePath(kFichier), kColonnes);
        Requete r(base.db(), "SELECT " + kColonnes.join(", ") + " FROM Club WHERE Visible = 1 ORDER BY Code_federal");
        while (r.suivante()) {
            QStringList valeurs;
            for (int i = 0; i < kColonnes.size(); ++i)
                valeurs << Valeur_brute(r, i);
            progression.club(valeurs[1]);
            sortie.ecrire(valeurs);
            progression.avancer(sortie.lignes(), total);
        }
        sortie.terminer();
        journal.ecrire(Nombre(sortie.lignes(), "club exporté", "clubs exportés") + " dans " + kFichier + ".");
        return true;
    }
};

// The base's clubs by code, the first row of a code when several carry it. Club has no index on
// its code (an index could not follow the French comparison of text columns): searching the
// table for each line of a file would make the import grow as the square of its length.
QHash<QString, qint64> clubsParCode(const BaseEchange& base)
{
    QHash<QString, qint64> clubs;
    Requete r(base.db(), "SELECT Code_federal, Num FROM Club ORDER BY Num");
    while (r.suivante()) {
        const QString code = Valeur_brute(r, 0);
        // The codes looked for are letters and digits: only a code in ASCII can compare equal to
        // one, and for ASCII the comparison only ignores case.
        if (std::any_of(code.cbegin(), code.cend(), [](QChar c) { return c.unicode() >= 0x80; }))
            continue;
        if (!clubs.contains(code.toUpper()))
            clubs.insert(code.toUpper(), sqlite3_column_int64(r.stmt(), 1));
    }
    return clubs;
}

class ClubImporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "ClubImporter";
    ClubImporter() : ComposantEchange("bImport_Club", 6, 3, "Import des clubs", true) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString source = Texte(a[1]);
        const bool forcer = Booleen(a[5]);
        Progression progression(a[4]);

        const QString chemin = Fichier_present(source, {kFichier});
        if (chemin.isEmpty())
            throw Refus("Fichier " + kFichier + " introuvable dans " + source + ".");
        journal.ecrire("Fichier lu : " + chemin);
        if (forcer)
            journal.ecrire("Les clubs déjà présents sont mis à jour.");
        const FichierTsv f = Lire_tsv(chemin, {"Code_federal", "Intitule"});
        const int colCode = f.index("Code_federal");
        const int colNom = f.index("Intitule");
        QList<int> colContacts;
        QStringList contactsPresents;
        for (const QString& c : kContacts) {
            colContacts << f.index(c);
            if (f.index(c) >= 0)
                contactsPresents << c;
        }

        BaseEchange base(Texte(a[0]), false);
        // The club windows' own check: a club they would refuse to save again never comes in.
        ControleCodeClub controle(base.db());
        base.commencer();
        const QHash<QString, qint64> existants = clubsParCode(base);
        Requete ajout(base.db(), "INSERT INTO Club (Code_federal, Intitule, Selection, Visible, " + kContacts.join(", ")
                                     + ") VALUES (?, ?, ?, 1, ?, ?, ?, ?, ?, ?)");
        QString majSql = "UPDATE Club SET Intitule = ?";
        for (const QString& c : contactsPresents)
            majSql += ", " + c + " = ?";
        Requete maj(base.db(), majSql + " WHERE Num = ?");

        qint64 ajoutes = 0, modifies = 0, presents = 0, rejetes = 0;
        QSet<QString> vus;
        for (size_t i = 0; i < f.lignes.size(); ++i) {
            const bool afficher = progression.avancer(static_cast<qint64>(i + 1), static_cast<qint64>(f.lignes.size()));
            const QString code = f.valeur(i, colCode).trimmed().toUpper();
            const QString nom = f.valeur(i, colNom).trimmed();
            QString defaut = controle.raison(code);
            if (defaut.isEmpty() && nom.isEmpty())
                defaut = "nom du club manquant";
            if (defaut.isEmpty())
                defaut = Caractere_interdit(f, i, kColonnesLues, {"Adresse"});
            if (defaut.isEmpty() && vus.contains(code))
                defaut = "code déjà présent plus haut dans le fichier";
            if (!defaut.isEmpty()) {
                journal.detail("Ligne " + QString::number(f.numeros[i]) + " : club \"" + code + "\" rejeté, " + defaut + ".");
                ++rejetes;
                continue;
            }
            vus.insert(code);
            if (afficher)
                progression.club(nom);

            const qint64 num = existants.value(code);
            if (!num) {
                QVariantList v{code, nom, code.endsWith("0000")};
                for (const int c : colContacts)
                    v << (c < 0 ? QVariant() : QVariant(f.valeur(i, c)));
                Executer(ajout, v);
                ++ajoutes;
            } else if (forcer) {
                QVariantList v{nom};
                for (const int c : colContacts) {
                    if (c >= 0)
                        v << f.valeur(i, c);
                }
                v << num;
                Executer(maj, v);
                ++modifies;
            } else {
                ++presents;
            }
        }
        base.valider();
        journal.fermerDetails();

        journal.ecrire(Nombre(ajoutes, "club ajouté", "clubs ajoutés") + ", " + Nombre(modifies, "club mis à jour", "clubs mis à jour")
                       + ", " + Nombre(presents, "club déjà présent laissé", "clubs déjà présents laissés") + " tel quel, "
                       + Nombre(rejetes, "ligne rejetée", "lignes rejetées") + ".");
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(ClubExporter, ClubImporter)
