// EntryFilesBuilder: the entries of the profile for a competition as a Lenex 3.0 entries file,
// "engagements.lef" in the work folder (the runner zips it to ".lxf" when asked).
//   bCreation_disquette(strNumProfil, bClubSelection, strNumCompet, base, temp, trace, window)
// Events carry the organiser's ids and numbers when the meet was imported from the organiser's
// file, ids of our own otherwise; athletes their licence key, so that a reader can tie relay legs
// to them. An entry in an event out of the programme refuses the whole file.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"
#include "components/import_compet/ids_organisateur.h"

#include "core/base.h"
#include "core/erreurs.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

using namespace Echange;
using namespace Lenex;

const QString kFichier = QStringLiteral("engagements.lef");
// The nation of a meet typed by hand: ours.
const QString kNation = QStringLiteral("FRA");
// Age limits of a relay open to every age.
const QString kAgeLibre = QStringLiteral("-1");

// M.SSCC as "HH:MM:SS.hh"; "NT" when there is no time.
QString Temps_lenex(double t)
{
    if (t <= 0 || t >= 91)
        return "NT";
    const qint64 centiemes = std::llround(t * 10000);
    const qint64 minutes = centiemes / 10000, reste = centiemes % 10000;
    return QString("%1:%2:%3.%4")
        .arg(minutes / 60, 2, 10, QChar('0'))
        .arg(minutes % 60, 2, 10, QChar('0'))
        .arg(reste / 100, 2, 10, QChar('0'))
        .arg(reste % 100, 2, 10, QChar('0'));
}

QString Date_iso(const QString& texte)
{
    const QDate d = QDate::fromString(texte, "yyyyMMdd");
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

struct Athlete {
    QString nom, prenom, sexe, naissance, licence;
    std::vector<std::pair<int, double>> engagements;
};

// Name, first name, sex, birth date and licence number, read from five columns from the first.
void Lire_athlete(Athlete& at, const Requete& q, int premiere)
{
    at.nom = Valeur_brute(q, premiere);
    at.prenom = Valeur_brute(q, premiere + 1);
    at.sexe = Valeur_brute(q, premiere + 2);
    at.naissance = Valeur_brute(q, premiere + 3);
    at.licence = Valeur_brute(q, premiere + 4);
}

struct Equipe {
    int code = 0, numero = 0;
    double temps = 0;
    std::vector<qint64> relayeurs;
};

struct ClubEngage {
    QString nom;
    std::map<qint64, Athlete> athletes;
    std::vector<Equipe> equipes;
};

// One EVENT of the file: the organiser's, or one of ours.
struct EpreuveEcrite {
    int ordre = 0, code = 0;
    EpreuveOrganisateur id;
    Epreuve nage;
};

// The club team of a relay as the relay window names it.
QString Libelle_equipe(int numero, bool mixte, const QString& sexe)
{
    if (numero == 0)
        return "Individuel";
    return "Equipe " + QString::number(numero) + " " + (mixte ? "Mixte" : sexe.toUpper() == "F" ? "Femme" : "Homme");
}

class EntryFilesBuilder : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "EntryFilesBuilder";
    EntryFilesBuilder() : ComposantEchange("bCreation_disquette", 7, 5, "Création du fichier d'engagements", false) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const qint64 profil = Texte(a[0]).toLongLong();
        const qint64 compet = Texte(a[2]).toLongLong();
        BaseEchange base(Texte(a[3]), true);
        const QDir temp(Texte(a[4]));
        Progression progression(a[6]);

        Requete rc(base.db(), "SELECT Nom, Lieu, Debut, Longueur, Nb_couloir FROM Rcomp WHERE AutoNum = ?");
        rc.lier({compet});
        if (!rc.suivante())
            throw Refus("La compétition " + Texte(a[2]) + " n'existe pas dans la base.");
        const QString nomCompet = Valeur_brute(rc, 0), lieu = Valeur_brute(rc, 1);
        const QDate debut = QDate::fromString(Valeur_brute(rc, 2), "yyyyMMdd");
        const int longueur = Valeur_brute(rc, 3).toInt(), couloirs = Valeur_brute(rc, 4).toInt();

        // The club that sends the file: it registers it and is the one the organiser answers.
        QString clubProfil, mailProfil;
        {
            Requete p(base.db(), "SELECT Club.Intitule, Club.Mail FROM Profil JOIN Club ON Club.Code_federal = Profil.Code_club "
                                 "WHERE Profil.Num = ?");
            p.lier({profil});
            if (p.suivante()) {
                clubProfil = Valeur_brute(p, 0).trimmed();
                mailProfil = Valeur_brute(p, 1).trimmed();
            }
        }

        const Catalogue catalogue(base);
        const IdsOrganisateur organisateur = Lire_ids_organisateur(base, compet);
        // Events the organiser did not give (a meet typed by hand, or one added to the organiser's
        // programme) take ids and numbers after the organiser's, in the programme's order.
        qint64 dernierId = 0, dernierNumero = 0;
        for (const auto& [code, o] : organisateur.epreuves) {
            dernierId = std::max(dernierId, o.id.toLongLong());
            dernierNumero = std::max(dernierNumero, o.numero.toLongLong());
        }
        // Programme by day, in running order; the id each code is entered under.
        std::map<int, std::vector<EpreuveEcrite>> jours;
        std::map<int, QString> idDuCode;
        {
            QSet<QString> ecrites;
            Requete p(base.db(), "SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? "
                                 "ORDER BY JourCourse, Num_ordre, Code_epreuve");
            p.lier({compet});
            while (p.suivante()) {
                EpreuveEcrite e;
                e.code = Valeur_brute(p, 0).toInt();
                e.ordre = Valeur_brute(p, 2).toInt();
                if (idDuCode.count(e.code))
                    continue;
                if (!catalogue.epreuve(e.code, e.nage)) {
                    journal.ecrire("Épreuve " + QString::number(e.code) + " sans équivalent Lenex : ignorée.");
                    continue;
                }
                const auto o = organisateur.epreuves.find(e.code);
                e.id = o != organisateur.epreuves.end()
                           ? o->second
                           : EpreuveOrganisateur{QString::number(++dernierId), QString::number(++dernierNumero), e.nage.genre, "TIM"};
                idDuCode[e.code] = e.id.id;
                // An event open to all is one EVENT for both sexes' codes.
                if (!ecrites.contains(e.id.id)) {
                    ecrites.insert(e.id.id);
                    jours[std::max(1, Valeur_brute(p, 1).toInt())].push_back(e);
                }
            }
        }

        // Entries in an event the file will not hold would point at nothing: they are named and
        // refuse the file.
        QStringList horsProgramme;
        auto libelleEpreuve = [](const QString& libelle, int code) {
            return libelle.isEmpty() ? "épreuve " + QString::number(code) : libelle;
        };
        std::map<QString, ClubEngage> clubs;
        qint64 nbIndiv = 0, nbRelais = 0;
        {
            Requete e(base.db(), "SELECT Licence.Code_club, Club.Intitule, Licence.Num, Licence.Nom, Licence.Prenom, Licence.Sexe, "
                                 "Licence.Date_Naissance, Licence.Licence, Engag.Code_epreuve, Engag.Tps_engagement, Nage.Libelle "
                                 "FROM Engag JOIN Licence ON Licence.Num = Engag.Num_Lic "
                                 "LEFT JOIN Club ON Club.Code_federal = Licence.Code_club "
                                 "LEFT JOIN Nage ON Nage.Code_Nage = Engag.Code_epreuve "
                                 "WHERE Engag.Num_compet = ? AND Engag.Num_profil = ? ORDER BY Licence.Nom, Licence.Prenom, Engag.Code_epreuve");
            e.lier({compet, profil});
            while (e.suivante()) {
                const int code = Valeur_brute(e, 8).toInt();
                if (!idDuCode.count(code)) {
                    horsProgramme << "  " + Valeur_brute(e, 3) + " " + Valeur_brute(e, 4) + " : " + libelleEpreuve(Valeur_brute(e, 10), code);
                    continue;
                }
                ClubEngage& c = clubs[Valeur_brute(e, 0)];
                c.nom = Valeur_brute(e, 1);
                Athlete& at = c.athletes[Valeur_brute(e, 2).toLongLong()];
                Lire_athlete(at, e, 3);
                at.engagements.emplace_back(code, Valeur_brute(e, 9).toDouble());
                ++nbIndiv;
            }
        }
        {
            Requete r(base.db(), "SELECT Relais.Code_club, Club.Intitule, Relais.Code_epreuve, Relais.Num_equipe, Relais.Tps, "
                                 "Licence1, Licence2, Licence3, Licence4, Licence5, Licence6, Licence7, Licence8, Licence9, Licence10, "
                                 "Relais.Equipe_mixte, Relais.Num_Lic, Nage.Libelle, Nage.Sexe "
                                 "FROM (SELECT Relais.*, coalesce((SELECT Code_club FROM Licence WHERE Num = Relais.Licence1), '') AS Code_club FROM Relais) Relais "
                                 "LEFT JOIN Club ON Club.Code_federal = Relais.Code_club "
                                 "LEFT JOIN Nage ON Nage.Code_Nage = Relais.Code_epreuve "
                                 "WHERE Relais.Num_compet = ? AND Relais.Num_profil = ? "
                                 "ORDER BY Relais.Code_epreuve, Relais.Num_equipe, Relais.Equipe_mixte, Relais.Num_Lic");
            r.lier({compet, profil});
            Requete leg(base.db(), "SELECT Num, Nom, Prenom, Sexe, Date_Naissance, Licence FROM Licence WHERE Num = ? AND Nom <> 'Null' COLLATE BINARY");
            std::map<std::pair<QString, int>, int> numeros; // relays so far per club and event
            while (r.suivante()) {
                const int code = Valeur_brute(r, 2).toInt();
                if (!idDuCode.count(code)) {
                    const QString club = Valeur_brute(r, 1).isEmpty() ? Valeur_brute(r, 0) : Valeur_brute(r, 1);
                    horsProgramme << "  Relais " + (club.isEmpty() ? QString() : club + ", ")
                                         + Libelle_equipe(Valeur_brute(r, 3).toInt(), Valeur_brute(r, 15) == "1", Valeur_brute(r, 18))
                                         + ", Equipe " + QString::number(std::max(1, Valeur_brute(r, 16).toInt())) + " : "
                                         + libelleEpreuve(Valeur_brute(r, 17), code);
                    continue;
                }
                ClubEngage& c = clubs[Valeur_brute(r, 0)];
                if (c.nom.isEmpty())
                    c.nom = Valeur_brute(r, 1);
                Equipe eq;
                eq.code = code;
                eq.numero = ++numeros[{Valeur_brute(r, 0), code}];
                eq.temps = Valeur_brute(r, 4).toDouble();
                for (int i = 5; i < 15; ++i) {
                    const qint64 num = Valeur_brute(r, i).toLongLong();
                    if (!num)
                        continue;
                    Relier(leg, {num});
                    if (!leg.suivante())
                        continue;
                    Lire_athlete(c.athletes[num], leg, 1);
                    eq.relayeurs.push_back(num);
                }
                c.equipes.push_back(eq);
                ++nbRelais;
            }
        }
        if (!horsProgramme.isEmpty())
            throw Refus(QStringList{"Engagements dans des épreuves absentes du programme de la compétition "
                                    "(ajoutez ces épreuves au programme ou retirez ces engagements) :"}
                        + horsProgramme);
        if (mailProfil.isEmpty())
            journal.ecrire("Le club n'a pas d'adresse électronique (fiche du club) : le fichier n'en donne aucune à l'organisateur.");

        QSaveFile fichier(temp.filePath(kFichier));
        if (!fichier.open(QIODevice::WriteOnly))
            throw ErreurExecution(75, "Impossible de créer le fichier " + fichier.fileName());
        QXmlStreamWriter x(&fichier);
        x.setAutoFormatting(true);
        x.writeStartDocument();
        x.writeStartElement("LENEX");
        x.writeAttribute("version", "3.0");
        x.writeStartElement("CONSTRUCTOR");
        x.writeAttribute("name", "Quorvelane");
        x.writeAttribute("registration", clubProfil.isEmpty() ? QStringLiteral("Quorvelane") : clubProfil);
        x.writeAttribute("version", QV_COMPONENT_VERSION);
        x.writeEmptyElement("CONTACT");
        if (!clubProfil.isEmpty())
            x.writeAttribute("name", clubProfil);
        x.writeAttribute("email", mailProfil);
        x.writeEndElement();
        x.writeStartElement("MEETS");
        x.writeStartElement("MEET");
        x.writeAttribute("name", nomCompet);
        x.writeAttribute("city", lieu);
        x.writeAttribute("nation", organisateur.nation.isEmpty() ? kNation : organisateur.nation);
        x.writeAttribute("course", longueur == 50 ? "LCM" : "SCM");
        if (couloirs > 0) {
            x.writeStartElement("POOL");
            x.writeAttribute("lanemin", "1");
            x.writeAttribute("lanemax", QString::number(couloirs));
            x.writeEndElement();
        }
        x.writeStartElement("SESSIONS");
        for (const auto& [jour, epreuves] : jours) {
            x.writeStartElement("SESSION");
            x.writeAttribute("number", QString::number(jour));
            if (debut.isValid())
                x.writeAttribute("date", debut.addDays(jour - 1).toString(Qt::ISODate));
            x.writeStartElement("EVENTS");
            for (const EpreuveEcrite& e : epreuves) {
                x.writeStartElement("EVENT");
                x.writeAttribute("eventid", e.id.id);
                x.writeAttribute("number", e.id.numero);
                if (e.ordre > 0)
                    x.writeAttribute("order", QString::number(e.ordre));
                if (!e.id.genre.isEmpty())
                    x.writeAttribute("gender", e.id.genre);
                x.writeAttribute("round", e.id.tour.isEmpty() ? QStringLiteral("TIM") : e.id.tour);
                x.writeEmptyElement("SWIMSTYLE");
                x.writeAttribute("distance", QString::number(e.nage.distance));
                x.writeAttribute("relaycount", QString::number(e.nage.relayeurs));
                x.writeAttribute("stroke", e.nage.nage);
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement(); // SESSIONS
        x.writeStartElement("CLUBS");
        for (const auto& [code, c] : clubs) {
            progression.club(c.nom);
            x.writeStartElement("CLUB");
            x.writeAttribute("name", c.nom.isEmpty() ? code : c.nom);
            x.writeAttribute("code", code);
            x.writeStartElement("ATHLETES");
            for (const auto& [num, at] : c.athletes) {
                x.writeStartElement("ATHLETE");
                x.writeAttribute("athleteid", QString::number(num));
                x.writeAttribute("lastname", at.nom);
                x.writeAttribute("firstname", at.prenom);
                x.writeAttribute("gender", at.sexe.toUpper() == "F" ? "F" : "M");
                x.writeAttribute("birthdate", Date_iso(at.naissance));
                if (!at.licence.trimmed().isEmpty())
                    x.writeAttribute("license", at.licence.trimmed());
                if (!at.engagements.empty()) {
                    x.writeStartElement("ENTRIES");
                    for (const auto& [epreuve, temps] : at.engagements) {
                        x.writeEmptyElement("ENTRY");
                        x.writeAttribute("eventid", idDuCode.at(epreuve));
                        x.writeAttribute("entrytime", Temps_lenex(temps));
                    }
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement(); // ATHLETES
            if (!c.equipes.empty()) {
                x.writeStartElement("RELAYS");
                for (const Equipe& eq : c.equipes) {
                    Epreuve e;
                    catalogue.epreuve(eq.code, e);
                    x.writeStartElement("RELAY");
                    x.writeAttribute("number", QString::number(eq.numero));
                    x.writeAttribute("gender", e.genre.isEmpty() ? "X" : e.genre);
                    for (const char* age : {"agemin", "agemax", "agetotalmin", "agetotalmax"})
                        x.writeAttribute(age, kAgeLibre);
                    x.writeStartElement("ENTRIES");
                    x.writeStartElement("ENTRY");
                    x.writeAttribute("eventid", idDuCode.at(eq.code));
                    x.writeAttribute("entrytime", Temps_lenex(eq.temps));
                    if (!eq.relayeurs.empty()) {
                        x.writeStartElement("RELAYPOSITIONS");
                        for (size_t i = 0; i < eq.relayeurs.size(); ++i) {
                            x.writeEmptyElement("RELAYPOSITION");
                            x.writeAttribute("number", QString::number(i + 1));
                            x.writeAttribute("athleteid", QString::number(eq.relayeurs[i]));
                        }
                        x.writeEndElement();
                    }
                    x.writeEndElement();
                    x.writeEndElement();
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement(); // CLUB
        }
        x.writeEndDocument();
        if (x.hasError() || !fichier.commit())
            throw ErreurExecution(75, "Impossible d'écrire le fichier " + fichier.fileName());
        progression.avancer(1, 1);
        journal.ecrire(Nombre(nbIndiv, "engagement individuel", "engagements individuels") + " et "
                       + Nombre(nbRelais, "relais", "relais") + " dans " + kFichier + ".");
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(EntryFilesBuilder)
