// EntryFilesBuilder: the entries of the profile for a competition as a Lenex 3.0 entries file,
// "engagements.lef" in the work folder (the runner zips it to ".lxf" when asked).
//   bCreation_disquette(strNumProfil, bClubSelection, strNumCompet, base, temp, trace, window)
// Events carry our event code as their id; athletes their licence key, so that a reader can tie
// relay legs to them.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"

#include "core/base.h"
#include "core/erreurs.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <cmath>
#include <map>
#include <vector>

namespace {

using namespace Echange;
using namespace Lenex;

const QString kFichier = QStringLiteral("engagements.lef");

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

        const Catalogue catalogue(base);
        // Programme by day, in running order.
        std::map<int, std::vector<std::pair<int, int>>> jours; // day -> (order, code)
        {
            Requete p(base.db(), "SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? "
                                 "ORDER BY JourCourse, Num_ordre, Code_epreuve");
            p.lier({compet});
            while (p.suivante())
                jours[std::max(1, Valeur_brute(p, 1).toInt())].emplace_back(Valeur_brute(p, 2).toInt(), Valeur_brute(p, 0).toInt());
        }

        std::map<QString, ClubEngage> clubs;
        qint64 nbIndiv = 0, nbRelais = 0;
        {
            Requete e(base.db(), "SELECT Licence.Code_club, Club.Intitule, Licence.Num, Licence.Nom, Licence.Prenom, Licence.Sexe, "
                                 "Licence.Date_Naissance, Licence.Licence, Engag.Code_epreuve, Engag.Tps_engagement "
                                 "FROM Engag JOIN Licence ON Licence.Num = Engag.Num_Lic "
                                 "LEFT JOIN Club ON Club.Code_federal = Licence.Code_club "
                                 "WHERE Engag.Num_compet = ? AND Engag.Num_profil = ? ORDER BY Licence.Nom, Licence.Prenom, Engag.Code_epreuve");
            e.lier({compet, profil});
            while (e.suivante()) {
                ClubEngage& c = clubs[Valeur_brute(e, 0)];
                c.nom = Valeur_brute(e, 1);
                Athlete& at = c.athletes[Valeur_brute(e, 2).toLongLong()];
                Lire_athlete(at, e, 3);
                at.engagements.emplace_back(Valeur_brute(e, 8).toInt(), Valeur_brute(e, 9).toDouble());
                ++nbIndiv;
            }
        }
        {
            Requete r(base.db(), "SELECT Relais.Code_club, Club.Intitule, Relais.Code_epreuve, Relais.Num_equipe, Relais.Tps, "
                                 "Licence1, Licence2, Licence3, Licence4, Licence5, Licence6, Licence7, Licence8, Licence9, Licence10 "
                                 "FROM (SELECT Relais.*, coalesce((SELECT Code_club FROM Licence WHERE Num = Relais.Licence1), '') AS Code_club FROM Relais) Relais "
                                 "LEFT JOIN Club ON Club.Code_federal = Relais.Code_club "
                                 "WHERE Relais.Num_compet = ? AND Relais.Num_profil = ? ORDER BY Relais.Code_epreuve, Relais.Num_equipe");
            r.lier({compet, profil});
            Requete leg(base.db(), "SELECT Num, Nom, Prenom, Sexe, Date_Naissance, Licence FROM Licence WHERE Num = ? AND Nom <> 'Null' COLLATE BINARY");
            while (r.suivante()) {
                ClubEngage& c = clubs[Valeur_brute(r, 0)];
                if (c.nom.isEmpty())
                    c.nom = Valeur_brute(r, 1);
                Equipe eq;
                eq.code = Valeur_brute(r, 2).toInt();
                eq.numero = Valeur_brute(r, 3).toInt();
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
        x.writeAttribute("version", QV_COMPONENT_VERSION);
        x.writeEndElement();
        x.writeStartElement("MEETS");
        x.writeStartElement("MEET");
        x.writeAttribute("name", nomCompet);
        x.writeAttribute("city", lieu);
        x.writeAttribute("course", longueur == 50 ? "LCM" : "SCM");
        if (couloirs > 0) {
            x.writeStartElement("POOL");
            x.writeAttribute("lanemin", "1");
            x.writeAttribute("lanemax", QString::number(couloirs));
            x.writeEndElement();
        }
        x.writeStartElement("SESSIONS");
        int numeroEpreuve = 0;
        for (const auto& [jour, epreuves] : jours) {
            x.writeStartElement("SESSION");
            x.writeAttribute("number", QString::number(jour));
            if (debut.isValid())
                x.writeAttribute("date", debut.addDays(jour - 1).toString(Qt::ISODate));
            x.writeStartElement("EVENTS");
            for (const auto& [ordre, code] : epreuves) {
                Epreuve e;
                if (!catalogue.epreuve(code, e)) {
                    journal.ecrire("Épreuve " + QString::number(code) + " sans équivalent Lenex : ignorée.");
                    continue;
                }
                x.writeStartElement("EVENT");
                x.writeAttribute("eventid", QString::number(code));
                x.writeAttribute("number", QString::number(++numeroEpreuve));
                if (ordre > 0)
                    x.writeAttribute("order", QString::number(ordre));
                x.writeAttribute("gender", e.genre);
                x.writeAttribute("round", "TIM");
                x.writeEmptyElement("SWIMSTYLE");
                x.writeAttribute("distance", QString::number(e.distance));
                x.writeAttribute("relaycount", QString::number(e.relayeurs));
                x.writeAttribute("stroke", e.nage);
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
                        x.writeAttribute("eventid", QString::number(epreuve));
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
                    x.writeStartElement("ENTRIES");
                    x.writeStartElement("ENTRY");
                    x.writeAttribute("eventid", QString::number(eq.code));
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
