// EntryFilesBuilder: the entries of the profile for a competition as a Lenex 3.0 entries file,
// "engagements.lef" in the work folder (the runner zips it to ".lxf" when asked).
//   bCreation_disquette(strNumProfil, bClubSelection, strNumCompet, base, temp, trace, window)
// Events carry the organiser's ids and numbers when the meet was imported from the organiser's
// file, ids of our own otherwise; athletes their licence key, so that a reader can tie relay legs
// to them. An entry the organiser's programme cannot take (an event out of the programme, no event
// for the swimmer's age, a relay with one swimmer twice) refuses the whole file, and so does a text
// too long for a meet file.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"
#include "components/import_compet/ids_organisateur.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/temps.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QSet>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace {

using namespace Echange;
using namespace Lenex;

const QString kFichier = QStringLiteral("engagements.lef");
// The nation of a meet typed by hand: ours.
const QString kNation = QStringLiteral("FRA");
// Age limits of a relay open to every age.
const QString kAgeLibre = QStringLiteral("-1");
// The longest text written: names and places are far shorter, and a reader (ours among them) refuses
// values past some length.
constexpr qsizetype kTexteMax = 255;

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

// Why an entry time of the base cannot be written as a Lenex time; "" when it can, or when there
// is none (Null or 0, written "NT").
QString Temps_impossible(const QString& brut)
{
    if (brut.isEmpty())
        return QString();
    bool ok = false;
    const double t = brut.toDouble(&ok);
    if (!ok)
        return "ce n'est pas un temps";
    return t == 0 ? QString() : Raison_temps_impossible(t);
}

QString Date_iso(const QString& texte)
{
    const QDate d = QDate::fromString(texte, "yyyyMMdd");
    return d.isValid() ? d.toString(Qt::ISODate) : QString();
}

struct Athlete {
    QString nom, prenom, sexe, naissance, licence;
    std::vector<std::pair<QString, double>> engagements; // eventid, entry time
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
    QString id; // the eventid it is entered under
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

// The text without the characters XML cannot hold (control characters, U+FFFE, a lone half of
// a surrogate pair); each one left out is named in `retires`.
QString Sans_caracteres_interdits(const QString& texte, QStringList& retires)
{
    QString propre;
    propre.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t u = texte[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < texte.size() && texte[i + 1].isLowSurrogate()) {
            propre += texte[i];
            propre += texte[++i];
        } else if (u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u < 0xD800) || (u >= 0xE000 && u <= 0xFFFD))
            propre += texte[i];
        else
            retires << QString("U+%1").arg(static_cast<uint>(u), 4, 16, QChar('0')).toUpper();
    }
    return propre;
}

// A text of the base as the trace names its owner with it: writable, and short.
QString Apercu(const QString& texte)
{
    QStringList ignores;
    const QString propre = Sans_caracteres_interdits(texte, ignores).simplified();
    return propre.size() <= 60 ? propre : propre.left(60) + QStringLiteral("…");
}

QString Nom_nageur(const QString& nom, const QString& prenom)
{
    return Apercu(nom) + " " + Apercu(prenom);
}

// The age a swimmer races at, as the organiser counts it (Lenex AGEDATE): the difference of the
// years ("YEAR", and when the file gives no way), or his age on the day; -1 when a date is unknown.
int Age_nageur(const QString& naissance, const QDate& dateAge, const QString& type)
{
    const QDate ne = QDate::fromString(naissance, "yyyyMMdd");
    if (!ne.isValid() || !dateAge.isValid())
        return -1;
    int age = dateAge.year() - ne.year();
    if (!type.isEmpty() && type != "YEAR" && (dateAge.month() < ne.month() || (dateAge.month() == ne.month() && dateAge.day() < ne.day())))
        --age;
    return age;
}

// The event of a code an entry goes under: among those whose ages hold the swimmers', the one made
// for the fewest ages, then the first in the file. With the ages unknown, the code's only event.
// Null when none fits.
const EpreuveOrganisateur* Epreuve_des_ages(const std::vector<EpreuveOrganisateur>& epreuves, const std::vector<int>& ages)
{
    if (ages.empty())
        return epreuves.size() == 1 ? &epreuves.front() : nullptr;
    const EpreuveOrganisateur* choix = nullptr;
    for (const EpreuveOrganisateur& e : epreuves)
        if (e.ages.tiennent(ages) && (!choix || e.ages.etendue() < choix->ages.etendue()))
            choix = &e;
    return choix;
}

// Entries the file cannot hold, listed under their reason; any of them refuses the whole file.
class Rejets {
public:
    enum Motif { HorsProgramme, Age, RelayeurRepete, TexteTropLong };
    void ajouter(Motif motif, const QString& ligne) { m_lignes[motif] << "  " + ligne; }
    // Throws the refusal when there is anything to refuse.
    void refuser() const
    {
        static const char* const kTitres[] = {
            "Engagements dans des épreuves absentes du programme de la compétition (ajoutez ces épreuves au programme ou "
            "retirez ces engagements) :",
            "Engagements qu'aucune épreuve de l'organisateur n'accepte à l'âge des nageurs (vérifiez les dates de naissance ou "
            "retirez ces engagements) :",
            "Relais où un même nageur court plusieurs fois (corrigez la composition de ces équipes) :",
            "Textes trop longs pour un fichier Lenex (plus de %1 caractères ; corrigez-les) :",
        };
        QStringList raisons;
        for (const auto& [motif, lignes] : m_lignes)
            raisons << (motif == TexteTropLong ? QString::fromUtf8(kTitres[motif]).arg(kTexteMax) : QString::fromUtf8(kTitres[motif]))
                    << lignes;
        if (!raisons.isEmpty())
            throw Refus(raisons);
    }

private:
    std::map<Motif, QStringList> m_lignes;
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
        QDate dateAge = QDate::fromString(organisateur.reunion.dateAge, Qt::ISODate);
        if (!dateAge.isValid())
            dateAge = debut;
        auto age = [&](const QString& naissance) { return Age_nageur(naissance, dateAge, organisateur.reunion.typeAge); };
        // Events the organiser did not give (a meet typed by hand, or one added to the organiser's
        // programme) take ids and numbers after every one of the organiser's file, in the programme's order.
        qint64 dernierId = organisateur.idMax, dernierNumero = organisateur.numeroMax;
        for (const auto& [code, v] : organisateur.epreuves)
            for (const EpreuveOrganisateur& o : v) {
                dernierId = std::max(dernierId, o.id.toLongLong());
                dernierNumero = std::max(dernierNumero, o.numero.toLongLong());
            }
        // Programme by day, in running order; the events each code is entered under.
        std::map<int, std::vector<EpreuveEcrite>> jours;
        std::map<int, std::vector<EpreuveOrganisateur>> idsDuCode;
        {
            QSet<QString> ecrites;
            Requete p(base.db(), "SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? "
                                 "ORDER BY JourCourse, Num_ordre, Code_epreuve");
            p.lier({compet});
            while (p.suivante()) {
                EpreuveEcrite e;
                e.code = Valeur_brute(p, 0).toInt();
                e.ordre = Valeur_brute(p, 2).toInt();
                if (idsDuCode.count(e.code))
                    continue;
                if (!catalogue.epreuve(e.code, e.nage)) {
                    journal.ecrire("Épreuve " + QString::number(e.code) + " sans équivalent Lenex : ignorée.");
                    continue;
                }
                const auto o = organisateur.epreuves.find(e.code);
                const std::vector<EpreuveOrganisateur>& ids =
                    idsDuCode[e.code] = o != organisateur.epreuves.end()
                                            ? o->second
                                            : std::vector<EpreuveOrganisateur>{{QString::number(++dernierId),
                                                                                QString::number(++dernierNumero), e.nage.genre, "TIM",
                                                                                Ages()}};
                // An event open to all is one EVENT for both sexes' codes.
                for (const EpreuveOrganisateur& id : ids)
                    if (!ecrites.contains(id.id)) {
                        ecrites.insert(id.id);
                        e.id = id;
                        jours[std::max(1, Valeur_brute(p, 1).toInt())].push_back(e);
                    }
            }
        }

        // Entries the file cannot hold would point at nothing or at the wrong race: they are
        // named and refuse the file.
        Rejets rejets;
        auto libelleEpreuve = [](const QString& libelle, int code) {
            return libelle.isEmpty() ? "épreuve " + QString::number(code) : libelle;
        };
        auto agesAcceptes = [](const std::vector<EpreuveOrganisateur>& v) {
            QStringList ages;
            for (const EpreuveOrganisateur& o : v)
                ages << o.ages.libelle();
            return "épreuves de l'organisateur pour " + ages.join(", ");
        };
        // An entry time that cannot be is written "NT", as no time, which the organiser's program
        // reads; each one is named so that it can be mended.
        QStringList tempsImpossibles;
        auto tempsEcrit = [&](const QString& brut, const QString& engagement) {
            const QString raison = Temps_impossible(brut);
            if (raison.isEmpty())
                return brut.toDouble();
            bool nombre = false;
            const double t = brut.toDouble(&nombre);
            tempsImpossibles << "  " + engagement + " : "
                                    + (nombre && std::isfinite(t) ? Format_temps(t) : "« " + Apercu(brut) + " »") + " (" + raison + ")";
            return 0.0;
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
                const QString nageur = Nom_nageur(Valeur_brute(e, 3), Valeur_brute(e, 4));
                const auto ids = idsDuCode.find(code);
                if (ids == idsDuCode.end()) {
                    rejets.ajouter(Rejets::HorsProgramme, nageur + " : " + libelleEpreuve(Valeur_brute(e, 10), code));
                    continue;
                }
                const int a = age(Valeur_brute(e, 6));
                const EpreuveOrganisateur* id = Epreuve_des_ages(ids->second, a < 0 ? std::vector<int>{} : std::vector<int>{a});
                if (!id) {
                    const QDate ne = QDate::fromString(Valeur_brute(e, 6), "yyyyMMdd");
                    rejets.ajouter(Rejets::Age, nageur + " ("
                                                    + (a < 0 ? QString("date de naissance inconnue")
                                                             : "né(e) le " + ne.toString("dd/MM/yyyy") + ", " + QString::number(a) + " ans")
                                                    + ") : " + libelleEpreuve(Valeur_brute(e, 10), code) + " ; " + agesAcceptes(ids->second));
                    continue;
                }
                ClubEngage& c = clubs[Valeur_brute(e, 0)];
                c.nom = Valeur_brute(e, 1);
                Athlete& at = c.athletes[Valeur_brute(e, 2).toLongLong()];
                Lire_athlete(at, e, 3);
                at.engagements.emplace_back(id->id,
                                            tempsEcrit(Valeur_brute(e, 9), nageur + " : " + libelleEpreuve(Valeur_brute(e, 10), code)));
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
                const QString club = Valeur_brute(r, 1).isEmpty() ? Valeur_brute(r, 0) : Valeur_brute(r, 1);
                const QString relais = "Relais " + (club.isEmpty() ? QString() : Apercu(club) + ", ")
                                       + Libelle_equipe(Valeur_brute(r, 3).toInt(), Valeur_brute(r, 15) == "1", Valeur_brute(r, 18))
                                       + ", Equipe " + QString::number(std::max(1, Valeur_brute(r, 16).toInt())) + " : "
                                       + libelleEpreuve(Valeur_brute(r, 17), code);
                const auto ids = idsDuCode.find(code);
                if (ids == idsDuCode.end()) {
                    rejets.ajouter(Rejets::HorsProgramme, relais);
                    continue;
                }
                std::vector<std::pair<qint64, Athlete>> relayeurs;
                std::vector<int> ages;
                QStringList repetes;
                bool agesConnus = true;
                for (int i = 5; i < 15; ++i) {
                    const qint64 num = Valeur_brute(r, i).toLongLong();
                    if (!num)
                        continue;
                    leg.relier({num});
                    if (!leg.suivante())
                        continue;
                    Athlete at;
                    Lire_athlete(at, leg, 1);
                    if (std::any_of(relayeurs.begin(), relayeurs.end(), [&](const auto& l) { return l.first == num; })) {
                        const QString nom = Nom_nageur(at.nom, at.prenom);
                        if (!repetes.contains(nom))
                            repetes << nom;
                    }
                    const int a = age(at.naissance);
                    agesConnus = agesConnus && a >= 0;
                    ages.push_back(a);
                    relayeurs.emplace_back(num, at);
                }
                if (!repetes.isEmpty()) {
                    rejets.ajouter(Rejets::RelayeurRepete, relais + " : " + repetes.join(", "));
                    continue;
                }
                if (!agesConnus)
                    ages.clear();
                const EpreuveOrganisateur* id = Epreuve_des_ages(ids->second, ages);
                if (!id) {
                    QStringList v;
                    for (const int a : ages)
                        v << QString::number(a);
                    rejets.ajouter(Rejets::Age, relais + " ("
                                                    + (ages.empty() ? QString("âges des relayeurs inconnus")
                                                                    : "relayeurs de " + v.join(", ") + " ans")
                                                    + ") ; " + agesAcceptes(ids->second));
                    continue;
                }
                ClubEngage& c = clubs[Valeur_brute(r, 0)];
                if (c.nom.isEmpty())
                    c.nom = Valeur_brute(r, 1);
                Equipe eq;
                eq.code = code;
                eq.id = id->id;
                eq.numero = ++numeros[{Valeur_brute(r, 0), code}];
                eq.temps = tempsEcrit(Valeur_brute(r, 4), relais);
                for (auto& [num, at] : relayeurs) {
                    Athlete& inscrit = c.athletes[num]; // keeps his own entries
                    at.engagements = std::move(inscrit.engagements);
                    inscrit = std::move(at);
                    eq.relayeurs.push_back(num);
                }
                c.equipes.push_back(eq);
                ++nbRelais;
            }
        }
        if (!tempsImpossibles.isEmpty()) {
            journal.ecrire("Temps d'engagement impossibles, remplacés par NT (sans temps) ; corrigez-les dans les engagements :");
            for (const QString& ligne : std::as_const(tempsImpossibles))
                journal.ecrire(ligne);
        }
        rejets.refuser();

        // Texts of the base as a meet file can hold them: a character XML forbids is left out and
        // named in the trace, a text too long refuses the file.
        auto texte = [&](const QString& valeur, const QString& champ, const QString& proprietaire) {
            QStringList retires;
            const QString propre = Sans_caracteres_interdits(valeur, retires);
            if (!retires.isEmpty())
                journal.ecrire(proprietaire + ", " + champ + " : " + Nombre(retires.size(), "caractère", "caractères")
                               + " qu'un fichier Lenex ne peut contenir, " + (retires.size() > 1 ? "laissés" : "laissé") + " de côté ("
                               + retires.mid(0, 10).join(", ") + (retires.size() > 10 ? ", …" : "") + ").");
            if (propre.size() > kTexteMax)
                rejets.ajouter(Rejets::TexteTropLong, proprietaire + ", " + champ + " : " + QString::number(propre.size()) + " caractères");
            return propre;
        };
        const QString registration = texte(clubProfil, "nom", "Club " + Apercu(clubProfil));
        const QString email = texte(mailProfil, "adresse électronique", "Club " + Apercu(clubProfil));

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
        x.writeAttribute("registration", registration.isEmpty() ? QStringLiteral("Quorvelane") : registration);
        x.writeAttribute("version", QV_COMPONENT_VERSION);
        x.writeEmptyElement("CONTACT");
        if (!registration.isEmpty())
            x.writeAttribute("name", registration);
        x.writeAttribute("email", email);
        x.writeEndElement();
        x.writeStartElement("MEETS");
        x.writeStartElement("MEET");
        const QString competition = "Compétition " + Apercu(nomCompet);
        x.writeAttribute("name", texte(nomCompet, "nom", competition));
        x.writeAttribute("city", texte(lieu, "lieu", competition));
        const QString nation = texte(organisateur.reunion.nation, "nation", competition);
        x.writeAttribute("nation", nation.isEmpty() ? kNation : nation);
        x.writeAttribute("course", longueur == 50 ? "LCM" : "SCM");
        const QDate dateOrganisateur = QDate::fromString(organisateur.reunion.dateAge, Qt::ISODate);
        if (dateOrganisateur.isValid()) {
            x.writeEmptyElement("AGEDATE");
            x.writeAttribute("value", dateOrganisateur.toString(Qt::ISODate));
            x.writeAttribute("type", organisateur.reunion.typeAge.isEmpty() ? QStringLiteral("YEAR")
                                                                            : texte(organisateur.reunion.typeAge, "type d'âge", competition));
        }
        if (couloirs > 0) {
            x.writeStartElement("POOL");
            x.writeAttribute("lanemin", "1");
            x.writeAttribute("lanemax", QString::number(couloirs));
            x.writeEndElement();
        }
        x.writeStartElement("SESSIONS");
        int ordre = 0, groupe = 0;
        for (const auto& [jour, epreuves] : jours) {
            x.writeStartElement("SESSION");
            x.writeAttribute("number", QString::number(jour));
            if (debut.isValid())
                x.writeAttribute("date", debut.addDays(jour - 1).toString(Qt::ISODate));
            x.writeStartElement("EVENTS");
            for (const EpreuveEcrite& e : epreuves) {
                const QString epreuve = "Épreuve " + Apercu(e.id.numero);
                x.writeStartElement("EVENT");
                x.writeAttribute("eventid", texte(e.id.id, "identifiant", epreuve));
                x.writeAttribute("number", texte(e.id.numero, "numéro", epreuve));
                x.writeAttribute("order", QString::number(++ordre));
                if (!e.id.genre.isEmpty())
                    x.writeAttribute("gender", texte(e.id.genre, "sexe", epreuve));
                x.writeAttribute("round", e.id.tour.isEmpty() ? QStringLiteral("TIM") : texte(e.id.tour, "tour", epreuve));
                x.writeEmptyElement("SWIMSTYLE");
                x.writeAttribute("distance", QString::number(e.nage.distance));
                x.writeAttribute("relaycount", QString::number(e.nage.relayeurs));
                x.writeAttribute("stroke", e.nage.nage);
                // The ages the organiser opens it to, so that a reader tells its events of one stroke apart.
                const Ages& ages = e.id.ages;
                if (!ages.ouvertes()) {
                    x.writeStartElement("AGEGROUPS");
                    for (const auto& [min, max, total] : {std::tuple{ages.min(), ages.max(), false},
                                                          std::tuple{ages.totalMin(), ages.totalMax(), true}}) {
                        if (min < 0 && max < 0)
                            continue;
                        x.writeEmptyElement("AGEGROUP");
                        x.writeAttribute("agegroupid", QString::number(++groupe));
                        x.writeAttribute("agemin", QString::number(min));
                        x.writeAttribute("agemax", QString::number(max));
                        if (total)
                            x.writeAttribute("calculate", "TOTAL");
                    }
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement(); // SESSIONS
        x.writeStartElement("CLUBS");
        for (const auto& [code, c] : clubs) {
            progression.club(c.nom);
            const QString club = "Club " + Apercu(c.nom.isEmpty() ? code : c.nom);
            x.writeStartElement("CLUB");
            x.writeAttribute("name", texte(c.nom.isEmpty() ? code : c.nom, "nom", club));
            x.writeAttribute("code", texte(code, "code", club));
            x.writeStartElement("ATHLETES");
            for (const auto& [num, at] : c.athletes) {
                const QString nageur = "Nageur " + Nom_nageur(at.nom, at.prenom);
                x.writeStartElement("ATHLETE");
                x.writeAttribute("athleteid", QString::number(num));
                x.writeAttribute("lastname", texte(at.nom, "nom", nageur));
                x.writeAttribute("firstname", texte(at.prenom, "prénom", nageur));
                x.writeAttribute("gender", at.sexe.toUpper() == "F" ? "F" : "M");
                x.writeAttribute("birthdate", Date_iso(at.naissance));
                if (!at.licence.trimmed().isEmpty())
                    x.writeAttribute("license", texte(at.licence.trimmed(), "licence", nageur));
                if (!at.engagements.empty()) {
                    x.writeStartElement("ENTRIES");
                    for (const auto& [id, temps] : at.engagements) {
                        x.writeEmptyElement("ENTRY");
                        x.writeAttribute("eventid", texte(id, "identifiant d'épreuve", nageur));
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
                    x.writeAttribute("eventid", texte(eq.id, "identifiant d'épreuve", club));
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
        rejets.refuser();
        if (x.hasError() || !fichier.commit())
            throw ErreurExecution(75, "Impossible d'écrire le fichier " + fichier.fileName());
        if (mailProfil.isEmpty())
            journal.ecrire("Le club n'a pas d'adresse électronique (fiche du club) : le fichier n'en donne aucune à l'organisateur.");
        progression.avancer(1, 1);
        journal.ecrire(Nombre(nbIndiv, "engagement individuel", "engagements individuels") + " et "
                       + Nombre(nbRelais, "relais", "relais") + " dans " + kFichier + ".");
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(EntryFilesBuilder)
