// MeetSkeletonImporter and MeetResultsImporter: a meet in the Lenex 3.0 exchange format (".lef",
// or ".lxf" holding one) gives the competition its name, place, dates, pool and programme, and
// for the second its results, the clubs and swimmers they name and our swimmers' performances.
//   bimport_squelette(base, source, temp, trace, window, strNumCompet, bNewCompet)
//   bimport_result(base, source, temp, trace, window, strNumCompet, bNewCompet)
// The file is streamed; a document type declaration or an entity is refused, so that no
// expansion can blow up, and so are a tag, text or comment longer than 64 kB, an element with
// more than 100 attributes and a NUL byte. Events our catalogue has no code for are named and
// skipped. A value that cannot be is never stored: in the meet's frame (pool, sessions, events,
// age groups, heats) it refuses the file, in a result it leaves the result out, named.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"
#include "components/import_compet/ids_organisateur.h"

#include "core/base.h"
#include "core/fichiers.h"
#include "core/progression.h"
#include "core/utils.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryFile>
#include <QXmlStreamReader>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace {

using namespace Echange;
using namespace Lenex;


struct Resultat {
    QString id, epreuve, temps, statut, serie, couloir, points;
    qint64 ligne = 0;                               // where the file writes it
    int relais = 0;                                 // the team's number within the event
    std::vector<std::pair<int, QString>> inter;     // splits: distance, time
    std::vector<QString> relayeurs;                 // athlete ids by leg
    QString faute;                                  // what makes it impossible; empty when nothing does
    std::vector<std::pair<qint64, QString>> intersImpossibles; // splits left out: line, time as written
};

struct Nageur {
    QString id, nom, prenom, naissance, sexe, licence, nation;
    QString naissanceLue;                           // the birth date as the file writes it
    qint64 ligne = 0;
    std::vector<Resultat> resultats;
};

struct ClubLenex {
    QString nom, code, nation;
    std::vector<Nageur> nageurs;
    std::vector<Resultat> relais;
};

// An age group as the results rank in it. A result ranked in several is filed under the one
// that says most about its age: both limits before one, one before none, then the narrowest.
struct GroupeAge {
    QString libelle;
    QString epreuve; // the eventid of the event it ranks in
    int limites = 0, etendue = 0;
    bool meilleurQue(const GroupeAge& g) const
    {
        return limites != g.limites ? limites > g.limites : etendue < g.etendue;
    }
};

// The meet without its clubs: what comes before them in the file.
struct Reunion {
    QString fichier;                       // its file's name, for the trace
    QString chemin;                        // the file, for a second look at its clubs
    QString nom, lieu, bassin;
    QString nation, dateAge, typeAge;      // AGEDATE: how the meet counts ages
    int couloirs = 0;
    QDate debut, fin;
    std::vector<Epreuve> epreuves;
    std::vector<GroupeAge> groupes;
    QHash<QString, int> groupeDuResultat;        // resultid -> its age group (index in groupes)
    QHash<QString, QString> series;              // heatid -> heat or final number (Numero_serie)
};

// Takes the meet as it is read: its programme once, then each club, followed by its swimmers
// (each with the results) and its relay results, one at a time.
class Destinataire {
public:
    virtual ~Destinataire() = default;
    virtual void programme(const Reunion& r) = 0;
    virtual void club(const ClubLenex& c) = 0;
    virtual void nageur(const Nageur& n) = 0;
    virtual void relais(const Resultat& res) = 0;
    virtual void finClub() = 0;
};

// The meet files of the source folder: its ".lef", else those of a ".lxf" unpacked into the work
// folder; never none.
struct FichiersLenex {
    QStringList chemins;
    QString origine; // "le dossier …" or "l'archive …", for the messages
};
FichiersLenex Fichiers_lenex(const QString& source, const QString& temp)
{
    const QDir dossier(source);
    const QStringList lef = dossier.entryList({"*.lef", "*.LEF"}, QDir::Files, QDir::Name);
    FichiersLenex f;
    if (!lef.isEmpty()) {
        for (const QString& nom : lef)
            f.chemins << dossier.filePath(nom);
        f.origine = "le dossier " + source;
        return f;
    }
    const QStringList lxf = dossier.entryList({"*.lxf", "*.LXF"}, QDir::Files, QDir::Name);
    if (lxf.isEmpty())
        throw Refus("Aucun fichier Lenex (.lef ou .lxf) dans " + source + ".");
    // What an earlier run left there would be read with the archive's own files.
    const QString cible = QDir(temp).filePath("lenex");
    if (QFileInfo::exists(cible) && !QDir(cible).removeRecursively())
        throw Refus("Le dossier de travail " + cible + " n'a pas pu être vidé.");
    if (!QDir().mkpath(cible) || !Zipper(dossier.filePath(lxf.first()), cible, false, true))
        throw Refus("L'archive " + lxf.first() + " n'a pas pu être décompressée.");
    const QStringList dedans = QDir(cible).entryList({"*.lef", "*.LEF"}, QDir::Files, QDir::Name);
    if (dedans.isEmpty())
        throw Refus("L'archive " + lxf.first() + " ne contient aucun fichier .lef.");
    for (const QString& nom : dedans)
        f.chemins << QDir(cible).filePath(nom);
    f.origine = "l'archive " + lxf.first();
    return f;
}

QString Type_course(const QString& tour);

// A heat as our results number it: in a qualifying round its number; the separate finals Lenex
// codes A, B, C and D as 1 to 4. Any other code ("F1", "F2") is a heat of one final, ranked as one
// with the others, as are the heats of a timed final: they get none, so that the viewer ranks the
// final whole.
QString Numero_serie(const QString& tour, const QXmlStreamAttributes& a)
{
    const QString finale = a.value("final").toString().trimmed().toUpper();
    if (finale.size() == 1 && finale[0] >= u'A' && finale[0] <= u'D')
        return QString::number(finale[0].unicode() - u'A' + 1);
    if (Type_course(tour) == "F")
        return QString();
    return a.value("number").toString();
}

// The time and status parts of a result, read before the writer's turn.
double Temps_lenex(const QString& t);
double Code_statut(const QString& statut);

// Beyond this a tag with its attributes, a text or a comment is no meet's: the reader is fed the
// file a piece at a time, so that such a token is refused before it is read into memory.
constexpr qint64 kJetonMax = 64 * 1024;
constexpr qint64 kMorceau = 16 * 1024;
// A Lenex element has a few dozen attributes at most.
constexpr int kAttributsMax = 100;
// Sessions spread over more than this are no meet.
constexpr qint64 kJoursMax = 366;

// An integer attribute within [min, max]: `defaut` when it is absent or empty, nothing when it
// holds anything else.
std::optional<int> Entier(const QXmlStreamAttributes& a, const QString& nom, int min, int max, int defaut)
{
    const QStringView v = a.value(nom).trimmed();
    if (v.isEmpty())
        return defaut;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < min || n > max)
        return std::nullopt;
    return n;
}

// Two ASCII digits at `i` of `v`, making a number up to `max`.
bool Deux_chiffres(QStringView v, qsizetype i, int max)
{
    const auto chiffre = [&](qsizetype k) { return v[k] >= u'0' && v[k] <= u'9'; };
    return i + 2 <= v.size() && chiffre(i) && chiffre(i + 1) && (v[i].unicode() - u'0') * 10 + (v[i + 1].unicode() - u'0') <= max;
}

// A time of day as ISO 8601 writes it after a date's "T": "hh:mm" or "hh:mm:ss", the seconds
// maybe with a fraction ("." or ","), then nothing, "Z" or an offset ("+hh", "+hh:mm", "+hhmm",
// "-" alike).
bool Heure_iso(QStringView v)
{
    if (!Deux_chiffres(v, 0, 23) || v.size() < 5 || v[2] != u':' || !Deux_chiffres(v, 3, 59))
        return false;
    qsizetype i = 5;
    if (i < v.size() && v[i] == u':') {
        if (!Deux_chiffres(v, i + 1, 59))
            return false;
        i += 3;
        if (i < v.size() && (v[i] == u'.' || v[i] == u',')) {
            const qsizetype fraction = ++i;
            while (i < v.size() && v[i] >= u'0' && v[i] <= u'9')
                ++i;
            if (i == fraction)
                return false;
        }
    }
    const QStringView zone = v.sliced(i);
    if (zone.isEmpty() || zone == u"Z")
        return true;
    if ((zone[0] != u'+' && zone[0] != u'-') || !Deux_chiffres(zone, 1, 23))
        return false;
    return zone.size() == 3 || (zone.size() == 5 && Deux_chiffres(zone, 3, 59))
           || (zone.size() == 6 && zone[3] == u':' && Deux_chiffres(zone, 4, 59));
}

// A Lenex date, "yyyy-mm-dd" of a day that exists, maybe followed by a time of that day as ISO
// 8601 writes it ("2025-04-30T00:00:00", as some programs write every date): that day; invalid
// otherwise.
QDate Date_lenex(QStringView v)
{
    if (v.size() > 10) {
        if (v[10] != u'T' || !Heure_iso(v.sliced(11)))
            return QDate();
        v = v.first(10);
    }
    if (v.size() != 10 || v[4] != u'-' || v[7] != u'-')
        return QDate();
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (v[i] < u'0' || v[i] > u'9')
            return QDate();
    return QDate(v.first(4).toInt(), v.sliced(5, 2).toInt(), v.sliced(8, 2).toInt());
}

// What the XML reader found wrong, in French.
QString Erreur_xml(const QXmlStreamReader& xml)
{
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return "le fichier s'arrête avant la fin du document (fichier tronqué)";
    static const std::pair<const char*, const char*> kMessages[] = {
        {"Opening and ending tag mismatch", "la balise fermante ne correspond pas à la balise ouverte"},
        {"Encountered incorrectly encoded content", "caractères mal codés pour le codage déclaré du fichier"},
        {"Invalid XML character", "caractère interdit en XML"},
        {"Invalid XML name", "nom d'élément ou d'attribut incorrect"},
        {"Attribute '", "attribut répété dans un même élément"},
        {"Extra content at end of document", "contenu après la fin du document"},
        {"Sequence ']]>' not allowed", "suite de caractères « ]]> » interdite dans un texte"},
        {"Start tag expected", "balise ouvrante attendue"},
        {"Invalid character reference", "référence de caractère incorrecte"},
        {"Entity '", "entité non déclarée"},
        {"Unsupported XML version", "version XML non prise en charge"},
        {"Invalid XML version string", "version XML incorrecte"},
    };
    const QString texte = xml.errorString();
    for (const auto& [anglais, francais] : kMessages)
        if (texte.startsWith(QLatin1String(anglais)))
            return QString::fromUtf8(francais);
    if (texte.contains(QLatin1String("encoding")))
        return "codage de caractères inconnu ou incorrect";
    return "syntaxe XML incorrecte";
}

// At most the first hundred characters of a value read from the file, for the trace.
QString Extrait(const QString& valeur)
{
    constexpr qsizetype kMax = 100;
    return valeur.size() <= kMax ? valeur : valeur.left(kMax) + QStringLiteral("…");
}

// A result's status as the codes compare it.
QString Statut(const QXmlStreamAttributes& a)
{
    return a.value("status").toString().trimmed().toUpper();
}

// What makes a result impossible, in French; empty when nothing does. Its time counts only when
// no status stands in its place (an entry the organiser rejected has none to give).
QString Resultat_impossible(const QXmlStreamAttributes& a)
{
    const auto cite = [&](const char* nom) { return " « " + Extrait(a.value(nom).toString()) + " »"; };
    const QString statut = Statut(a);
    if (Code_statut(statut) == 0 && statut != u"RJC" && Temps_lenex(a.value("swimtime").toString()) < 0)
        return "temps impossible" + cite("swimtime");
    if (!Entier(a, "lane", 0, 99, 0))
        return "couloir impossible" + cite("lane");
    if (!Entier(a, "points", 0, 9999, 0))
        return "points impossibles" + cite("points");
    return QString();
}

// An age limit of an age group; -1 (no limit) when it is absent or no number.
int Limite_age(const QXmlStreamAttributes& a, QLatin1StringView nom)
{
    bool ok = false;
    const int age = a.value(nom).toInt(&ok);
    return ok ? std::max(age, -1) : -1;
}

// An age group; its label is the file's own name, else its limits as one reads them (-1 is no limit).
GroupeAge Groupe_age(const QXmlStreamAttributes& a)
{
    const int min = Limite_age(a, QLatin1StringView("agemin"));
    const int max = Limite_age(a, QLatin1StringView("agemax"));
    GroupeAge g;
    g.limites = (min >= 0) + (max >= 0);
    g.etendue = (max >= 0 ? max : 1000) - std::max(min, 0);
    g.libelle = a.value("name").toString().simplified();
    if (g.libelle.isEmpty())
        g.libelle = Libelle_ages(min, max);
    return g;
}

// Streams the file and hands each swimmer and relay over as soon as it is read, so that memory
// does not grow with the file (clubs met before the sessions wait for them). Throws Refus naming the
// line and element at fault.
class LecteurLenex {
public:
    LecteurLenex(const QString& chemin, Journal& journal) : m_fichier(chemin), m_journal(journal)
    {
        if (!m_fichier.open(QIODevice::ReadOnly))
            throw Refus("Impossible de lire le fichier " + chemin + ".");
        m_nom = QFileInfo(chemin).fileName();
    }

    void lire(Destinataire& destinataire, bool avecClubs)
    {
        Reunion& r = m_reunion;
        r.fichier = m_nom;
        r.chemin = m_fichier.fileName();
        bool lenex = false, reunion = false, dansReunion = false, programmeDonne = false;
        std::vector<ClubLenex> enAttente;
        auto donnerClub = [&](const ClubLenex& c) {
            destinataire.club(c);
            for (const Nageur& n : c.nageurs)
                if (naissancePossible(n))
                    destinataire.nageur(n);
            for (const Resultat& res : c.relais)
                destinataire.relais(res);
            destinataire.finClub();
        };
        auto donnerProgramme = [&] {
            if (programmeDonne)
                return;
            programmeDonne = true;
            destinataire.programme(r);
            for (const ClubLenex& c : enAttente)
                donnerClub(c);
            enAttente.clear();
        };
        QString dateSession, numeroSession;
        Epreuve* courante = nullptr;
        while (!m_xml.atEnd()) {
            const auto jeton = suivant();
            if (jeton == QXmlStreamReader::DTD || jeton == QXmlStreamReader::EntityReference)
                refuser("déclaration de type de document ou entité refusée");
            if (jeton == QXmlStreamReader::EndElement) {
                const auto fin = m_xml.name();
                if (fin == u"EVENT")
                    courante = nullptr;
                else if (fin == u"AGEGROUP")
                    m_groupe = -1;
                else if (fin == u"RESULT" && m_resultat) {
                    m_resultat = false;
                    if (!m_dansNageur) {
                        if (programmeDonne)
                            destinataire.relais(m_relais);
                        else
                            m_club.relais.push_back(m_relais);
                    }
                } else if (fin == u"ATHLETE" && m_dansNageur) {
                    m_dansNageur = false;
                    if (!programmeDonne)
                        m_club.nageurs.push_back(std::move(m_nageur));
                    else if (naissancePossible(m_nageur))
                        destinataire.nageur(m_nageur);
                    m_nageur = Nageur();
                } else if (fin == u"CLUB" && m_dansClub) {
                    m_dansClub = m_dansNageur = m_resultat = false;
                    if (!programmeDonne)
                        enAttente.push_back(std::move(m_club));
                    else
                        destinataire.finClub();
                    m_club = ClubLenex();
                } else if (fin == u"SESSIONS" && dansReunion)
                    donnerProgramme();
                else if (fin == u"MEET")
                    dansReunion = false;
            }
            if (jeton != QXmlStreamReader::StartElement)
                continue;
            const auto nom = m_xml.name();
            const QXmlStreamAttributes a = m_xml.attributes();
            if (!lenex) {
                if (nom != u"LENEX")
                    refuser("l'élément racine n'est pas LENEX");
                lenex = true;
            } else if (nom == u"MEET") {
                if (reunion) {
                    sauter(); // one meet per import
                    continue;
                }
                reunion = dansReunion = true;
                r.nom = a.value("name").toString().trimmed();
                r.lieu = a.value("city").toString().trimmed();
                r.bassin = a.value("course").toString();
                r.nation = a.value("nation").toString().trimmed();
            } else if (!dansReunion) {
                continue;
            } else if (nom == u"POOL") {
                const int min = entier(a, "lanemin", 0, 99, 1);
                const int max = entier(a, "lanemax", 0, 99, 0);
                if (max > 0 && max < min)
                    refuser("couloirs impossibles, du couloir « " + Extrait(a.value("lanemin").toString()) + " » au couloir « "
                            + Extrait(a.value("lanemax").toString()) + " »");
                if (max > 0)
                    r.couloirs = max - min + 1;
            } else if (nom == u"SESSION") {
                // A session without a date puts its events on the first day; one whose date is no
                // day would put them there too, and leave our swimmers' times undated.
                dateSession = a.value("date").toString().trimmed();
                numeroSession = a.value("number").toString();
                const QDate d = Date_lenex(dateSession);
                if (!dateSession.isEmpty() && !d.isValid())
                    refuser("date de session impossible « " + Extrait(dateSession) + " » (attendu : aaaa-mm-jj, un jour qui existe)");
                if (d.isValid()) {
                    if (d.year() < 1900 || d.year() > 2199)
                        refuser("date de session impossible « " + Extrait(dateSession) + " »");
                    if (!r.debut.isValid() || d < r.debut)
                        r.debut = d;
                    if (!r.fin.isValid() || d > r.fin)
                        r.fin = d;
                    if (r.debut.daysTo(r.fin) > kJoursMax)
                        refuser("les sessions s'étendent sur plus d'un an, du " + r.debut.toString("dd/MM/yyyy") + " au "
                                + r.fin.toString("dd/MM/yyyy"));
                }
            } else if (nom == u"EVENT") {
                Epreuve e;
                e.id = a.value("eventid").toString();
                e.numero = a.value("number").toString();
                e.genre = a.value("gender").toString();
                e.tour = a.value("round").toString();
                e.ordre = a.value("order").toInt();
                if (e.ordre <= 0)
                    e.ordre = e.numero.toInt();
                e.jour = Date_lenex(dateSession);
                e.session = numeroSession;
                r.epreuves.push_back(e);
                courante = &r.epreuves.back();
            } else if (nom == u"AGEDATE") {
                // Kept as the day when it is one, a time after it left out.
                r.dateAge = a.value("value").toString().trimmed();
                if (const QDate d = Date_lenex(r.dateAge); d.isValid())
                    r.dateAge = d.toString(Qt::ISODate);
                r.typeAge = a.value("type").toString().trimmed().toUpper();
            } else if (nom == u"AGEGROUP") {
                entier(a, "agemin", -1, 999, -1);
                entier(a, "agemax", -1, 999, -1);
                m_groupe = static_cast<int>(r.groupes.size());
                r.groupes.push_back(Groupe_age(a));
                r.groupes.back().epreuve = courante ? courante->id : QString();
                if (courante)
                    courante->ages.ajouter(Limite_age(a, QLatin1StringView("agemin")), Limite_age(a, QLatin1StringView("agemax")),
                                           a.value("calculate").compare(QLatin1StringView("TOTAL"), Qt::CaseInsensitive) == 0);
            } else if (nom == u"RANKING" && m_groupe >= 0) {
                const QString resultat = a.value("resultid").toString();
                const auto deja = r.groupeDuResultat.constFind(resultat);
                if (deja == r.groupeDuResultat.constEnd() || r.groupes[m_groupe].meilleurQue(r.groupes[*deja]))
                    r.groupeDuResultat.insert(resultat, m_groupe);
            } else if (nom == u"HEAT") {
                entier(a, "number", 0, 9999, 0);
                r.series.insert(a.value("heatid").toString(), Numero_serie(courante ? courante->tour : QString(), a));
            } else if (nom == u"CLUB") {
                if (!avecClubs) {
                    sauter();
                    continue;
                }
                m_club.nom = a.value("name").toString().trimmed();
                m_club.code = a.value("code").toString().trimmed();
                m_club.nation = a.value("nation").toString();
                m_relaisDuClub.clear();
                m_dansClub = true;
                m_dansNageur = false;
                if (programmeDonne)
                    destinataire.club(m_club);
            } else if (nom == u"ATHLETE" && m_dansClub && !m_resultat) {
                m_nageur = Nageur();
                m_nageur.id = a.value("athleteid").toString();
                m_nageur.nom = a.value("lastname").toString().trimmed();
                m_nageur.prenom = a.value("firstname").toString().trimmed();
                m_nageur.naissanceLue = a.value("birthdate").toString().trimmed();
                m_nageur.naissance = Date_lenex(m_nageur.naissanceLue).toString("yyyyMMdd");
                m_nageur.ligne = m_xml.lineNumber();
                m_nageur.sexe = a.value("gender").toString();
                m_nageur.licence = a.value("license").toString().trimmed();
                m_nageur.nation = a.value("nation").toString();
                m_dansNageur = true;
            } else if (nom == u"RELAY" && m_dansClub) {
                m_dansNageur = false;
                m_numeroRelais = std::max(0, a.value("number").toInt());
            } else if (nom == u"RESULT" && m_dansClub) {
                // A result that cannot be is named by the writer, in its place among the others.
                ++m_resultatsLus;
                Resultat res;
                res.faute = Resultat_impossible(a);
                m_resultatsImpossibles += !res.faute.isEmpty();
                res.id = a.value("resultid").toString();
                res.epreuve = a.value("eventid").toString();
                res.temps = a.value("swimtime").toString();
                res.statut = Statut(a);
                res.ligne = m_xml.lineNumber();
                res.serie = a.value("heatid").toString();
                res.couloir = a.value("lane").toString();
                res.points = a.value("points").toString();
                if (m_dansNageur)
                    m_nageur.resultats.push_back(std::move(res));
                else {
                    res.relais = numeroEquipe(res.epreuve);
                    m_relais = std::move(res);
                }
                m_resultat = true;
            } else if (nom == u"SPLIT" && m_resultat) {
                if (Temps_lenex(a.value("swimtime").toString()) < 0) {
                    ++m_intersImpossibles;
                    dernier().intersImpossibles.emplace_back(m_xml.lineNumber(), Extrait(a.value("swimtime").toString()));
                    continue;
                }
                dernier().inter.emplace_back(a.value("distance").toInt(), a.value("swimtime").toString());
            } else if (nom == u"RELAYPOSITION" && m_resultat && !m_dansNageur) {
                Resultat& res = dernier();
                const int n = a.value("number").toInt();
                if (n >= 1 && n <= 10) {
                    if (static_cast<int>(res.relayeurs.size()) < n)
                        res.relayeurs.resize(n);
                    res.relayeurs[n - 1] = a.value("athleteid").toString();
                }
            } else if (nom == u"SWIMSTYLE" && courante) {
                courante->distance = entier(a, "distance", 0, 25000, 0);
                courante->relayeurs = std::max(1, entier(a, "relaycount", 0, 99, 1));
                courante->nage = a.value("stroke").toString();
            }
        }
        if (m_xml.hasError())
            refuser(Erreur_xml(m_xml));
        if (!lenex)
            refuser("fichier vide");
        if (!reunion)
            throw Refus(m_nom + " : aucune réunion (MEET) dans le fichier.");
        donnerProgramme();
    }

    // Results the file gives within its clubs, and those left out as impossible.
    qint64 resultatsLus() const { return m_resultatsLus; }
    qint64 resultatsImpossibles() const { return m_resultatsImpossibles; }

    // What was left out as impossible, counted (each is named among the details).
    void bilan()
    {
        if (m_resultatsImpossibles)
            m_journal.ecrire(Nombre(m_resultatsImpossibles, "résultat ignoré", "résultats ignorés") + " (valeur impossible).");
        if (m_intersImpossibles)
            m_journal.ecrire(Nombre(m_intersImpossibles, "temps intermédiaire ignoré", "temps intermédiaires ignorés")
                             + " (temps impossible).");
    }

private:
    // The reader's next token. It is fed the file a piece at a time, so that a token running past
    // kJetonMax is refused once that much of it is read, never held whole; a NUL byte, which no
    // XML may hold, is refused wherever it is.
    QXmlStreamReader::TokenType suivant()
    {
        for (;;) {
            const auto jeton = m_xml.readNext();
            if (jeton != QXmlStreamReader::Invalid || m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError
                || m_fichier.atEnd()) {
                borner(jeton);
                return jeton;
            }
            if (m_donne - m_donneAuJeton > kJetonMax)
                tropLong();
            const QByteArray morceau = m_fichier.read(kMorceau);
            if (morceau.isEmpty())
                throw Refus("Impossible de lire le fichier " + m_nom + " : " + m_fichier.errorString() + ".");
            if (const qsizetype nul = morceau.indexOf('\0'); nul >= 0)
                throw Refus(m_nom + ", ligne " + QString::number(m_lignes + morceau.first(nul).count('\n'))
                            + " : caractère nul (octet 0), interdit en XML ; ce n'est pas un fichier de compétition.");
            m_lignes += morceau.count('\n');
            m_donne += morceau.size();
            m_xml.addData(morceau);
        }
    }
    // A token read whole is held to the same bound, in characters, and an element to its attributes.
    void borner(QXmlStreamReader::TokenType jeton)
    {
        if (jeton == QXmlStreamReader::Invalid)
            return;
        const qint64 fin = m_xml.characterOffset();
        if (fin - m_finJeton > kJetonMax)
            tropLong();
        if (jeton == QXmlStreamReader::StartElement && m_xml.attributes().size() > kAttributsMax)
            refuser("plus de " + QString::number(kAttributsMax) + " attributs dans un même élément");
        m_finJeton = fin;
        m_ligneJeton = m_xml.lineNumber();
        m_donneAuJeton = m_donne;
    }
    [[noreturn]] void tropLong()
    {
        throw Refus(m_nom + ", ligne " + QString::number(m_ligneJeton)
                    + " : un élément, un texte ou un commentaire dépasse 64 ko ; ce n'est pas un fichier de compétition.");
    }
    // Reads past the element just begun, its content included.
    void sauter()
    {
        for (int profondeur = 1; profondeur > 0 && !m_xml.atEnd();) {
            const auto jeton = suivant();
            profondeur += jeton == QXmlStreamReader::StartElement ? 1 : jeton == QXmlStreamReader::EndElement ? -1 : 0;
        }
    }
    // An integer of the meet's frame; one beyond its bounds refuses the file.
    int entier(const QXmlStreamAttributes& a, const QString& nom, int min, int max, int defaut)
    {
        const std::optional<int> n = Entier(a, nom, min, max, defaut);
        if (!n)
            refuser("valeur impossible pour " + nom + " « " + Extrait(a.value(nom).toString()) + " » (attendu : de "
                    + QString::number(min) + " à " + QString::number(max) + ")");
        return *n;
    }
    // A birth date that is no date, or that has the swimmer unborn or past 120 years at the meet,
    // leaves his results out; he is named.
    bool naissancePossible(const Nageur& n)
    {
        if (n.naissanceLue.isEmpty())
            return true;
        const QDate d = QDate::fromString(n.naissance, "yyyyMMdd");
        const QDate debut = m_reunion.debut;
        if (d.isValid() && d.year() >= 1900 && (debut.isValid() ? d < debut && d.addYears(120) >= debut : d.year() <= 2199))
            return true;
        // Those that cannot be are counted already.
        m_resultatsImpossibles +=
            std::count_if(n.resultats.cbegin(), n.resultats.cend(), [](const Resultat& r) { return r.faute.isEmpty(); });
        m_journal.detail(m_nom + ", ligne " + QString::number(n.ligne) + " : nageur ignoré, date de naissance impossible « "
                         + Extrait(n.naissanceLue) + " » : " + Extrait(n.nom) + " " + Extrait(n.prenom) + " ("
                         + Nombre(static_cast<qint64>(n.resultats.size()), "résultat", "résultats") + ").");
        return false;
    }
    Resultat& dernier() { return m_dansNageur ? m_nageur.resultats.back() : m_relais; }
    // Teams are numbered within the club's relays of an event; a file that leaves the number out
    // gets them in file order, a team keeping its number in every event it swims.
    int numeroEquipe(const QString& epreuve)
    {
        int& derniere = m_relaisDuClub[epreuve];
        if (!m_numeroRelais)
            m_numeroRelais = derniere + 1;
        derniere = std::max(derniere, m_numeroRelais);
        return m_numeroRelais;
    }
    [[noreturn]] void refuser(const QString& raison)
    {
        const QString element = Extrait(m_xml.name().toString());
        throw Refus(m_nom + ", ligne " + QString::number(m_xml.lineNumber())
                    + (element.isEmpty() ? QString() : ", élément " + element) + " : " + raison + ".");
    }
    QFile m_fichier;
    Journal& m_journal;
    QXmlStreamReader m_xml;
    QString m_nom;
    qint64 m_donne = 0, m_lignes = 1;           // the file given to the reader so far: bytes, lines
    qint64 m_donneAuJeton = 0, m_finJeton = 0;  // at the end of the last token: bytes given, characters read
    qint64 m_ligneJeton = 1;                    // the line where the last token ended
    qint64 m_resultatsLus = 0, m_resultatsImpossibles = 0, m_intersImpossibles = 0;
    Reunion m_reunion;
    ClubLenex m_club;     // the club being read; its swimmers and relays too while the programme is unknown
    Nageur m_nageur;      // the swimmer being read, with the results
    Resultat m_relais;    // the relay result being read
    int m_groupe = -1;                    // the age group being read
    int m_numeroRelais = 0;               // the team's number, 0 until known
    QHash<QString, int> m_relaisDuClub;   // eventid -> the highest team number of the club in it
    bool m_dansClub = false, m_dansNageur = false, m_resultat = false;
};

// A trace thrown away, for a reading that only looks into a file: what that reading would trace
// is the real import's to say.
class TraceMuette {
public:
    explicit TraceMuette(const QString& quoi)
    {
        if (!m_rebut.open())
            throw Refus("Impossible de créer un fichier temporaire pour lire " + quoi + ".");
        m_journal.emplace(m_rebut.fileName());
    }
    Journal& journal() { return *m_journal; }

private:
    QTemporaryFile m_rebut;
    std::optional<Journal> m_journal;
};

// The clubs of a file, by name and code, in file order.
std::vector<std::pair<QString, QString>> Clubs_du_fichier(const QString& chemin)
{
    struct Liste : Destinataire {
        std::vector<std::pair<QString, QString>> clubs;
        void programme(const Reunion&) override {}
        void club(const ClubLenex& c) override { clubs.emplace_back(c.nom, c.code); }
        void nageur(const Nageur&) override {}
        void relais(const Resultat&) override {}
        void finClub() override {}
    };
    TraceMuette muette(QFileInfo(chemin).fileName());
    Liste liste;
    LecteurLenex(chemin, muette.journal()).lire(liste, true);
    return std::move(liste.clubs);
}

// The file a results import reads among several: the one that holds results. When none or
// several do, the user must say which: the import is refused, naming them.
QString Fichier_resultats(const FichiersLenex& f)
{
    if (f.chemins.size() == 1)
        return f.chemins.first();
    // Reads a file up to its first result.
    struct Sonde : Destinataire {
        struct Trouve {};
        void programme(const Reunion&) override {}
        void club(const ClubLenex&) override {}
        void nageur(const Nageur& n) override
        {
            for (const Resultat& res : n.resultats)
                relais(res);
        }
        void relais(const Resultat& res) override
        {
            if (res.faute.isEmpty())
                throw Trouve();
        }
        void finClub() override {}
    };
    TraceMuette muette(f.origine);
    QStringList avec, noms;
    for (const QString& chemin : f.chemins) {
        noms << Extrait(QFileInfo(chemin).fileName());
        Sonde sonde;
        try {
            LecteurLenex(chemin, muette.journal()).lire(sonde, true);
        } catch (const Sonde::Trouve&) {
            avec << chemin;
        } catch (const Refus&) {
            // a file that cannot be read holds no result to import
        }
    }
    if (avec.size() == 1)
        return avec.first();
    if (avec.isEmpty())
        throw Refus("Dans " + f.origine + ", aucun des fichiers .lef ne contient de résultats : " + noms.join(", ") + ".");
    QStringList plusieurs;
    for (const QString& chemin : std::as_const(avec))
        plusieurs << Extrait(QFileInfo(chemin).fileName());
    throw Refus("Dans " + f.origine + ", plusieurs fichiers .lef contiennent des résultats : " + plusieurs.join(", ")
                + " ; n'en laissez qu'un.");
}

// An event our catalogue lacks, written as the catalogue writes its labels ("Dames 100 NL",
// "Messieurs 8 x 50 m N.L.", "4 x 50 m 4 Nages Mixte").
QString Libelle_lenex(const Epreuve& e)
{
    const bool relais = e.relayeurs > 1;
    const QString code = e.nage.trimmed().toUpper();
    QString nage = code == u"FREE" ? (relais ? "N.L." : "NL") : code == u"BACK" ? "Dos" : code == u"BREAST" ? "Brasse"
                   : code == u"FLY" ? "Papillon" : code == u"MEDLEY" ? "4 Nages" : Extrait(e.nage);
    if (nage.isEmpty())
        nage = "nage non précisée";
    const QString course = relais ? QString::number(e.relayeurs) + " x " + QString::number(e.distance) + " m " + nage
                                  : QString::number(e.distance) + " " + nage;
    const QString genre = e.genre.trimmed().toUpper();
    if (genre == u"X")
        return course + " Mixte";
    return (genre == u"F" ? "Dames " : genre == u"M" ? "Messieurs " : "Dames et Messieurs ") + course;
}

// An event of the file for the trace: its number, our catalogue's label when it is one event of
// ours (else the file's stroke, distance and gender, written alike), and its round as the results
// viewer names it.
QString Description(const Epreuve& e, const Catalogue& catalogue)
{
    const QList<int> codes = catalogue.codes(e);
    const QString libelle = codes.size() == 1 ? catalogue.libelle(codes.first()) : QString();
    return "épreuve " + Extrait(e.numero) + " (" + (libelle.isEmpty() ? Libelle_lenex(e) : libelle) + ", " + Libelle_course(Type_course(e.tour)) + ")";
}

// The events in the meet's running order: sessions by date and number (file order when they have
// none), then by their order within the session, which files restart in each session.
std::vector<const Epreuve*> Ordre_de_course(const std::vector<Epreuve>& epreuves)
{
    QHash<QString, int> premiere; // session -> position of its first event in the file
    std::vector<std::pair<std::tuple<qint64, int, int, int, int>, const Epreuve*>> v;
    for (int i = 0; i < static_cast<int>(epreuves.size()); ++i) {
        const Epreuve& e = epreuves[i];
        const QString session = e.jour.toString(Qt::ISODate) + '/' + e.session;
        const int debut = premiere.value(session, i);
        premiere.insert(session, debut);
        v.push_back({{e.jour.isValid() ? e.jour.toJulianDay() : 0, e.session.toInt(), debut, e.ordre, i}, &e});
    }
    std::sort(v.begin(), v.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<const Epreuve*> ordre;
    for (const auto& p : v)
        ordre.push_back(p.second);
    return ordre;
}

// Programme row of an event: race formula from the rounds, finals counted.
struct LignePcomp {
    int jour = 1, type = 1, finales = 0, ordre = 0;
    QString typeFinale = " ";
};

// The meet as the competition holds it: name, place, first and last day.
QVariantList Identite_reunion(const Reunion& r)
{
    return {r.nom.left(255), r.lieu, r.debut.isValid() ? r.debut.toString("yyyyMMdd") : QVariant(),
            r.fin.isValid() ? r.fin.toString("yyyyMMdd") : QVariant()};
}

// Writes the competition and its programme; returns the programme rows by event code.
void Ecrire_squelette(BaseEchange& base, const Reunion& r, const QString& numCompet, Journal& journal)
{
    if (base.valeur("SELECT count(*) FROM Rcomp WHERE AutoNum = ?", {numCompet.toLongLong()}).toInt() == 0)
        throw Refus("La compétition " + numCompet + " n'existe pas dans la base.");
    const int longueur = r.bassin == "LCM" ? 50 : (r.bassin == "SCM" || r.bassin == "SCY") ? 25 : 0;
    {
        Requete maj(base.db(), "UPDATE Rcomp SET Nom = ?, Lieu = ?, Debut = ?, Fin = ?, Longueur = coalesce(?, Longueur), "
                               "Nb_couloir = coalesce(?, Nb_couloir) WHERE AutoNum = ?");
        Executer(maj, Identite_reunion(r)
                          + QVariantList{longueur ? QVariant(longueur) : QVariant(), r.couloirs ? QVariant(r.couloirs) : QVariant(),
                                         numCompet.toLongLong()});
    }
    journal.ecrire("Compétition : " + Extrait(r.nom) + " à " + Extrait(r.lieu)
                   + (r.debut.isValid() ? " du " + r.debut.toString("dd/MM/yyyy") + " au " + r.fin.toString("dd/MM/yyyy") : QString())
                   + (longueur ? ", bassin de " + QString::number(longueur) + " m" : QString()) + ".");

    const Catalogue catalogue(base);
    std::map<int, LignePcomp> programme;
    int inconnues = 0, ordre = 0;
    for (const Epreuve* p : Ordre_de_course(r.epreuves)) {
        const Epreuve& e = *p;
        const QList<int> codes = catalogue.codes(e);
        if (codes.isEmpty()) {
            journal.ecrire("Épreuve ignorée, sans code dans le catalogue : " + Description(e, catalogue) + ".");
            ++inconnues;
            continue;
        }
        for (const int code : codes) {
            const bool nouvelle = programme.find(code) == programme.end();
            LignePcomp& l = programme[code];
            if (nouvelle) {
                l.jour = (e.jour.isValid() && r.debut.isValid()) ? static_cast<int>(r.debut.daysTo(e.jour)) + 1 : 1;
                l.ordre = ++ordre; // unique in the competition, running on across days
            }
            if (e.tour == "PRE")
                l.type = std::max(l.type, 3);
            else if (e.tour == "SEM")
                l.type = std::max(l.type, 2);
            else if (e.tour == "QUA")
                l.type = std::max(l.type, 4);
            else if (e.tour == "FIN") {
                l.finales = std::min(3, l.finales + 1);
                l.typeFinale = "T";
                l.type = std::max(l.type, 3);
            }
        }
    }
    {
        Requete sup(base.db(), "DELETE FROM Pcomp WHERE Num_compet = ?");
        Executer(sup, {numCompet.toLongLong()});
        Requete ins(base.db(), "INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (const auto& [code, l] : programme)
            Executer(ins, {numCompet.toLongLong(), code, l.jour, l.type, QString::number(l.finales), l.typeFinale, l.ordre});
    }
    journal.ecrire(Nombre(static_cast<qint64>(programme.size()), "épreuve au programme", "épreuves au programme") + ".");
    if (inconnues)
        journal.ecrire(Nombre(inconnues, "épreuve ignorée", "épreuves ignorées") + " (inconnues du catalogue).");
}

// "HH:MM:SS.hh" as our M.SSCC number: 0 when the file gives no time ("NT", nothing, or zero),
// -1 when the time cannot be or our times cannot hold it (91 minutes and more stand for statuses).
// Each part is unsigned digits, two of them (the hours one or two), so nothing can overflow.
double Temps_lenex(const QString& t)
{
    if (t.isEmpty() || t == QLatin1String("NT"))
        return 0;
    const qsizetype h = t.size() - 9; // the hours' digits
    if (h < 1 || h > 2 || t[h] != u':' || t[h + 3] != u':' || t[h + 6] != u'.')
        return -1;
    const auto nombre = [&](qsizetype debut, qsizetype n) {
        int v = 0;
        for (qsizetype i = debut; i < debut + n; ++i) {
            if (t[i] < u'0' || t[i] > u'9')
                return -1;
            v = v * 10 + (t[i].unicode() - u'0');
        }
        return v;
    };
    const int heures = nombre(0, h), minutes = nombre(h + 1, 2), secondes = nombre(h + 4, 2), centiemes = nombre(h + 7, 2);
    if (heures < 0 || minutes < 0 || minutes > 59 || secondes < 0 || secondes > 59 || centiemes < 0)
        return -1;
    const int total = heures * 60 + minutes;
    if (total >= 91)
        return -1;
    return total + (secondes * 100 + centiemes) / 10000.0;
}

// The special codes stored in place of a time.
double Code_statut(const QString& statut)
{
    if (statut == "DSQ")
        return 91;
    if (statut == "DNF")
        return 92;
    if (statut == "WDR")
        return 93;
    if (statut == "DNS" || statut == "SICK")
        return 94;
    return 0;
}

// Our race type of a round. A time trial and extra heats rank no one for a final: they are heats.
QString Type_course(const QString& tour)
{
    if (tour == "PRE" || tour == "TIMETRIAL" || tour == "EXTRAHEATS")
        return "S";
    if (tour == "SEM")
        return "2";
    if (tour == "QUA")
        return "4";
    if (tour == "SOP" || tour == "SOS" || tour == "SOQ")
        return "B";
    return "F";
}

// Our club's name as the club dialogs hold it: a file's longer name that begins with a name of
// this length is that name before it was cut.
constexpr qsizetype kNomClubSaisi = 30;

// One of our clubs as the file's clubs are compared with it.
struct NotreClub {
    QString cle, code, nom; // its name as compared, its code, its name
    bool coupe = false;     // the name fills the club dialog: it may be a longer name cut
    bool finDeMot = false;  // and the dialog kept its last space: it was cut after a word
};

// True when a file's club name (`cle` as compared) is ours, or begins with ours when the dialog
// cut it; ours cut after a word begins only a name that breaks there ("… do " is no "… Douro").
bool Commence_par(const QString& nom, const QString& cle, const NotreClub& n)
{
    if (cle == n.cle)
        return true;
    if (!n.coupe || !cle.startsWith(n.cle))
        return false;
    if (!n.finDeMot)
        return true;
    for (qsizetype k = 1; k < nom.size(); ++k)
        if (Cle_nom(nom.left(k)).size() >= n.cle.size())
            return !nom[k].isLetterOrNumber();
    return true;
}

// A federal code's form: its letters as written, each digit a 9. A club whose code has the form
// of ours and is not ours is another club of our federation, whatever its name.
QString Forme_code(const QString& code)
{
    QString forme = code.trimmed().toUpper();
    for (QChar& c : forme)
        if (c.isDigit())
            c = u'9';
    return forme;
}

// The events of the file that fall on one of our codes beside another of the same race type,
// with the same ages or an age group label in common: stored alike, their results would be ranked
// as one. Each takes categories of its own, labelled with its number first, which the viewer's
// narrow column never cuts: eventid -> "épreuve 39". Heats are ranked heat by heat, whatever
// their category.
QHash<QString, QString> Epreuves_a_separer(const Reunion& r, const Catalogue& catalogue)
{
    QHash<QString, QSet<QString>> libelles; // eventid -> its age groups' labels
    for (const GroupeAge& g : r.groupes)
        libelles[g.epreuve].insert(g.libelle.toUpper());
    QHash<QString, QList<const Epreuve*>> parCode;
    for (const Epreuve& e : r.epreuves) {
        const QString type = Type_course(e.tour);
        if (e.id.isEmpty() || type == u"S")
            continue;
        const Ages& a = e.ages;
        QStringList cles{QString("âges %1/%2/%3/%4").arg(a.min()).arg(a.max()).arg(a.totalMin()).arg(a.totalMax())};
        for (const QString& libelle : libelles.value(e.id))
            cles << "groupe " + libelle;
        for (const int code : catalogue.codes(e))
            for (const QString& cle : std::as_const(cles))
                parCode[QString::number(code) + '/' + type + '/' + cle] << &e;
    }
    QHash<QString, QString> separees;
    for (const QList<const Epreuve*>& v : std::as_const(parCode))
        if (v.size() > 1)
            for (const Epreuve* e : v)
                separees.insert(e->id, "épreuve " + (e->numero.trimmed().isEmpty() ? e->id : e->numero.trimmed()).left(20));
    return separees;
}

// What a result of the file stores: its event, our code for it and its time or status code.
struct Garde {
    const Epreuve& e; // in the writer's programme, which lasts as long as it
    int code = -1;
    double tps = 0;
};

// Writes the results club by club, as the reader hands them over; the competition's earlier
// results, categories and performances are replaced.
class EcrivainResultats {
public:
    EcrivainResultats(BaseEchange& base, const Reunion& r, const QString& numCompet, Journal& journal)
        : m_base(base), m_reunion(r), m_compet(numCompet.toLongLong()), m_journal(journal),
          m_clubAjout(base.db(), "INSERT INTO Club (Code_federal, Intitule, Visible) VALUES (?, ?, 0)"),
          m_licAjout(base.db(), "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, 0)"),
          m_prres(base.db(), "INSERT INTO Prres (" + colonnes() + ") VALUES (" + marques() + ")"),
          m_prresRelais(base.db(), "INSERT INTO Prres_relais (" + colonnes() + ") VALUES (" + marques() + ")"),
          m_liffn(base.db(), "INSERT INTO Liffn VALUES (?, ?, ?, ?, ?, ?, ?, ' ', ' ', ' ', ' ', ' ', 0, ?, ?, ?)"),
          m_liffnRelais(base.db(), "INSERT INTO Liffn_relais VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "' ', ' ', ' ', ' ', ?, ?)"),
          m_categorieAjout(base.db(), "INSERT INTO Categori (Num_compet, Num_cat, Libelle) VALUES (?, ?, ?)")
    {
        for (const char* table : {"Prres", "Prres_relais", "Categori", "Liffn", "Liffn_relais"}) {
            Requete sup(base.db(), QString("DELETE FROM ") + table + " WHERE Num_compet = ?");
            Executer(sup, {m_compet});
        }
        for (const Epreuve& e : r.epreuves)
            m_epreuves.insert(e.id, e);
        m_separees = Epreuves_a_separer(r, m_catalogue);
        {
            // One category per label, for the age groups that file a result, in file order.
            QList<int> groupes(r.groupeDuResultat.cbegin(), r.groupeDuResultat.cend());
            std::sort(groupes.begin(), groupes.end());
            groupes.erase(std::unique(groupes.begin(), groupes.end()), groupes.end());
            for (const int g : std::as_const(groupes))
                m_categories.insert(g, numeroCategorie(r.groupes[g].libelle, m_separees.value(r.groupes[g].epreuve)));
        }
        // Swimmers already known, by identity and by licence number: visible licences first, the
        // latest of them first; then the hidden ones in the order imports added them, so that a
        // second import gives each athlete the swimmer the first gave him. Visible licences are
        // ours; their clubs, with the profiles', are our clubs.
        Requete l(base.db(), "SELECT Num, Licence, Nom, Prenom, Date_Naissance, Visible, Code_club FROM Licence "
                             "WHERE Nom IS NULL OR Nom <> 'Null' COLLATE BINARY "
                             "ORDER BY Visible DESC, CASE WHEN Visible = 1 THEN -Num ELSE Num END");
        while (l.suivante()) {
            const qint64 num = Valeur_brute(l, 0).toLongLong();
            const QString identite = Identite(Valeur_brute(l, 2), Valeur_brute(l, 3), Valeur_brute(l, 4));
            m_parIdentite[identite] << num;
            retenirLicence(Valeur_brute(l, 1), num, identite, Valeur_brute(l, 4));
            if (Valeur_brute(l, 5) == "1")
                m_nosLicences.insert(num, Valeur_brute(l, 6).trimmed());
        }
        Requete nos(base.db(), "SELECT Code_federal, Intitule FROM Club WHERE Code_federal IN "
                               "(SELECT Code_club FROM Profil UNION SELECT Code_club FROM Licence WHERE Visible = 1)");
        while (nos.suivante()) {
            // The name as saved: the dialog keeps the space that ends a name it cut after a word.
            const QString nom = Valeur_brute(nos, 1);
            const bool coupe = nom.size() >= kNomClubSaisi;
            if (const QString cle = Cle_nom(nom); !cle.isEmpty())
                m_nosClubs.push_back({cle, Valeur_brute(nos, 0), nom.trimmed(), coupe, coupe && nom.back().isSpace()});
            m_nosCodes.insert(Valeur_brute(nos, 0).trimmed().toUpper(), Valeur_brute(nos, 0));
        }
        Requete clubs(base.db(), "SELECT Code_federal, Intitule FROM Club ORDER BY Visible DESC, Num");
        while (clubs.suivante())
            m_clubsParNom[Cle_nom(Valeur_brute(clubs, 1))] << Valeur_brute(clubs, 0);
        m_longueur = base.valeur("SELECT Longueur FROM Rcomp WHERE AutoNum = ?", {m_compet}).toInt();
        m_numManuel = base.valeur("SELECT max(NumManuel) FROM Liffn").toLongLong();
        m_numManuelRelais = base.valeur("SELECT max(NumManuel) FROM Liffn_relais").toLongLong();
    }

    void club(const ClubLenex& c)
    {
        m_nomLenex = c.nom;
        m_clubAjoute = false;
        m_club = codeClub(c);
        m_nomsClubs.insert(m_club, c.nom);
    }

    // The results are weighed first, those left out named in the order of the file: a swimmer we
    // do not know is added only when a row is to name him.
    void nageur(const Nageur& n)
    {
        std::vector<std::pair<const Resultat*, Garde>> gardes;
        for (const Resultat& res : n.resultats)
            if (const auto g = garder(res, n.sexe, [&] { return Extrait(n.nom) + " " + Extrait(n.prenom); }))
                gardes.emplace_back(&res, *g);
        const bool classe = std::any_of(gardes.cbegin(), gardes.cend(), [](const auto& g) { return g.first->statut != u"EXH"; });
        const qint64 num = licenceDansLeClub(n, m_club, classe);
        if (!num) {
            // A leg of a team of ours may still name him.
            Nageur seul = n;
            seul.resultats.clear();
            m_nageursLaisses.insert(n.id, {std::move(seul), m_club});
            return;
        }
        m_nageursDuFichier.insert(n.id, num);
        // One of ours swims for the club of his licence, whatever the file calls it.
        const auto notre = m_nosLicences.constFind(num);
        const bool estNotre = notre != m_nosLicences.constEnd();
        const QString club = estNotre && !notre->isEmpty() ? *notre : m_club;
        for (const auto& [res, g] : gardes) {
            if (res->statut != u"EXH") {
                Executer(m_prres, ligne(*res, g.e, g.code, num, club, g.tps));
                ++m_nbIndiv;
            }
            if (estNotre && g.tps > 0 && g.tps < 91) {
                const int age = g.e.jour.isValid() && n.naissance.size() == 8 ? g.e.jour.year() - n.naissance.left(4).toInt() : 0;
                Executer(m_liffn, {g.code, club, num, m_longueur, jour(g.e), g.tps, m_reunion.lieu,
                                   age ? QVariant(age) : QVariant(), m_compet, ++m_numManuel});
                ++m_nbPerfs;
            }
        }
    }

    // Athlete ids are the meet's: a leg may swim for a club the file has not reached yet. Such a
    // team waits for the end of the file, named already when it is left out.
    void relais(const Resultat& res)
    {
        const auto g = garder(res, QString(), [&] {
            return "relais n° " + QString::number(res.relais) + " de " + Extrait(m_nomsClubs.value(m_club));
        });
        if (!g)
            return;
        for (const QString& id : res.relayeurs)
            if (!id.isEmpty() && !m_nageursDuFichier.contains(id) && !m_nageursLaisses.contains(id)) {
                m_relaisEnAttente.push_back({res, m_club, *g});
                return;
            }
        ecrireRelais(res, m_club, *g);
    }

    // The clubs added are named once the import is sure to be kept.
    void finClub()
    {
        if (m_clubAjoute && m_clubsAjoutes.size() < kClubsNommes)
            m_clubsAjoutes << Extrait(m_nomLenex) + " (" + Extrait(m_club) + ")";
        m_nbClubsAjoutes += m_clubAjoute;
        m_clubAjoute = false;
    }

    // The teams that waited for their legs; a leg the file never names stays empty.
    void finFichier()
    {
        for (const auto& [res, club, g] : m_relaisEnAttente)
            ecrireRelais(res, club, g);
        m_relaisEnAttente.clear();
    }

    // A file from which nothing can be imported must not replace the competition's results.
    void verifierImport(const QString& fichier) const
    {
        if (m_nbIndiv + m_nbRelais > 0)
            return;
        if (m_ignores)
            throw Refus(fichier + " : aucun résultat importable ; "
                        + Nombre(m_ignores, "résultat est d'une épreuve", "résultats sont d'épreuves")
                        + " sans code dans le catalogue des nages. Les résultats de la compétition sont conservés.");
        throw Refus(fichier + " : le fichier ne contient aucun résultat (programme ou engagements ?). "
                              "Les résultats de la compétition sont conservés.");
    }

    void bilan()
    {
        m_journal.fermerDetails();
        for (const QString& club : std::as_const(m_clubsAjoutes))
            m_journal.ecrire("Club ajouté : " + club + ".");
        if (m_nbClubsAjoutes > m_clubsAjoutes.size())
            m_journal.ecrire("... et " + Nombre(m_nbClubsAjoutes - m_clubsAjoutes.size(), "autre club ajouté", "autres clubs ajoutés")
                             + ".");
        m_journal.ecrire(Nombre(m_nbIndiv, "résultat individuel importé", "résultats individuels importés") + ".");
        m_journal.ecrire(Nombre(m_nbRelais, "résultat de relais importé", "résultats de relais importés") + ".");
        m_journal.ecrire(Nombre(m_nbPerfs, "performance ajoutée", "performances ajoutées") + " aux nageurs du club.");
        m_journal.ecrire(Nombre(m_nbNouveaux, "nageur ajouté", "nageurs ajoutés") + " (absents des listes de licences).");
        if (m_horsConcours)
            m_journal.ecrire(Nombre(m_horsConcours, "nage hors concours", "nages hors concours") + " (EXH), sans place.");
        if (m_rejetes)
            m_journal.ecrire(Nombre(m_rejetes, "résultat ignoré", "résultats ignorés")
                             + " (engagement refusé par l'organisateur, RJC).");
        if (m_sansTemps)
            m_journal.ecrire(Nombre(m_sansTemps, "résultat ignoré", "résultats ignorés") + " (ni temps ni statut).");
        qint64 horsProgramme = m_ignores;
        for (const Epreuve& e : m_reunion.epreuves)
            if (const qint64 n = m_sansCode.take(e.id)) {
                m_journal.ecrire(Nombre(n, "résultat ignoré", "résultats ignorés") + " (épreuve sans code) : "
                                 + Description(e, m_catalogue) + ".");
                horsProgramme -= n;
            }
        if (horsProgramme)
            m_journal.ecrire(Nombre(horsProgramme, "résultat ignoré", "résultats ignorés") + " (épreuve absente du programme).");
        for (const Epreuve& e : m_reunion.epreuves)
            if (const int n = m_interPerdus.value(e.id))
                m_journal.ecrire(Nombre(n, "temps intermédiaire non enregistré", "temps intermédiaires non enregistrés")
                                 + " (distance sans colonne) : " + Description(e, m_catalogue) + ".");
    }

    // Every result the file gives is imported, hors concours or ignored, and the trace says how many
    // of each: the reader read `lus`, of which it left `impossibles` out.
    void total(qint64 lus, qint64 impossibles) const
    {
        m_journal.ecrire("Total : " + Nombre(lus, "résultat", "résultats") + " dans le fichier, "
                         + Nombre(m_nbIndiv + m_nbRelais, "importé", "importés") + ", " + QString::number(m_horsConcours)
                         + " hors concours, " + Nombre(impossibles + m_rejetes + m_sansTemps + m_ignores, "ignoré", "ignorés")
                         + ".");
    }

private:
    static QString colonnes()
    {
        return "Num_compet, Code_epreuve, Num_Lic, Code_club, Num_equipe, Tps, Cotation_FFN, Type_course, "
               "Numero_serie, Numero_couloir, Numero_ordre_couloir, Num_categorie, Inter1, Inter2, Inter3, "
               "Inter4, Inter5, Inter6, Inter7, Inter8, Inter9, Inter10, Inter11, Inter12, Inter13, Inter14";
    }
    static QString marques() { return "?" + QString(", ?").repeated(25); }
    static QVariant jour(const Epreuve& e) { return e.jour.isValid() ? QVariant(e.jour.toString("yyyyMMdd")) : QVariant(); }

    // True when a club code of the base is the file's code, or the code an import gave a club that
    // shares the file's code with another ("code/2").
    static bool Code_de(const QString& codeBase, const QString& code)
    {
        if (codeBase.compare(code, Qt::CaseInsensitive) == 0)
            return true;
        if (codeBase.size() <= code.size() + 1 || codeBase[code.size()] != u'/'
            || !codeBase.startsWith(code, Qt::CaseInsensitive))
            return false;
        bool nombre = false;
        codeBase.mid(code.size() + 1).toInt(&nombre);
        return nombre;
    }

    // The club's code in our base. Ours when it is ours by its name (notreParSonNom), or when it
    // bears the code of one of our clubs, whatever name the file gives it; else the club
    // of the same code and name (a club without a code: of the same name), never a club of the same
    // code and another name, since files share regional codes between clubs. A club we do not know
    // is added, hidden, under its code (taken: "code/2", "code/3"…). Names compare by Cle_nom.
    QString codeClub(const ClubLenex& c)
    {
        const QString cle = Cle_nom(c.nom);
        QString notre = notreParSonNom(c, cle);
        if (notre.isEmpty() && !c.code.isEmpty())
            notre = m_nosCodes.value(c.code.toUpper());
        if (!notre.isEmpty()) {
            if (notre.compare(c.code, Qt::CaseInsensitive) != 0)
                m_journal.detail("Club reconnu comme le nôtre : " + Extrait(c.nom) + " (" + Extrait(c.code) + "), écrit sous "
                                 + notre + ".");
            return notre;
        }
        QList<QString>& memeNom = m_clubsParNom[cle];
        for (const QString& code : std::as_const(memeNom))
            if (c.code.isEmpty() || Code_de(code, c.code))
                return code;
        const QString code = codeLibre(c.code.isEmpty() ? (c.nation + c.nom).left(20) : c.code);
        Executer(m_clubAjout, {code, c.nom});
        memeNom << code;
        m_clubAjoute = true;
        return code;
    }

    // Our club the file's club is by its name: it bears one of our names, or begins with one the
    // club dialog cut. Not when the file gives it a federal code of the form of ours other than
    // ours, nor, for a name the dialog cut, when another club of the file begins with it too: the
    // trace says which club was not taken as ours, and why.
    QString notreParSonNom(const ClubLenex& c, const QString& cle)
    {
        auto n = std::find_if(m_nosClubs.cbegin(), m_nosClubs.cend(), [&](const NotreClub& n) { return n.cle == cle; });
        if (n == m_nosClubs.cend())
            n = std::find_if(m_nosClubs.cbegin(), m_nosClubs.cend(), [&](const NotreClub& n) { return Commence_par(c.nom, cle, n); });
        if (n == m_nosClubs.cend())
            return QString();
        const QString refus = "Club non reconnu comme le nôtre : " + Extrait(c.nom) + " (" + Extrait(c.code) + ") : ";
        if (!c.code.isEmpty() && c.code.compare(n->code, Qt::CaseInsensitive) != 0 && Forme_code(c.code) == Forme_code(n->code)) {
            m_journal.detail(refus + "son code fédéral n'est pas celui de notre club « " + n->nom + " » (" + n->code + ").");
            return QString();
        }
        if (n->coupe) {
            const QSet<QString>& clubs = clubsCommencantPar(*n);
            const qint64 autres = clubs.size() - (clubs.contains(cle + '\t' + c.code.toUpper()) ? 1 : 0);
            if (autres > 0) {
                m_journal.detail(refus + Nombre(autres, "autre club du fichier commence", "autres clubs du fichier commencent")
                                 + " aussi par notre nom « " + n->nom + " ».");
                return QString();
            }
        }
        return n->code;
    }

    // The clubs of the file, by name as compared and code, that begin with a name of ours the
    // dialog cut. The file is read once more for them, only when a club may be ours so.
    const QSet<QString>& clubsCommencantPar(const NotreClub& n)
    {
        const auto deja = m_commencantPar.constFind(n.code);
        if (deja != m_commencantPar.constEnd())
            return *deja;
        QSet<QString>& clubs = m_commencantPar[n.code];
        for (const auto& [nom, code] : Clubs_du_fichier(m_reunion.chemin))
            if (const QString k = Cle_nom(nom); Commence_par(nom, k, n))
                clubs.insert(k + '\t' + code.toUpper());
        return clubs;
    }

    // The category of a label, made the first time it is met: one per label in the competition.
    // An event ranked apart begins its labels with its number ("épreuve 39, Juvenil").
    int numeroCategorie(const QString& libelle, const QString& epreuve)
    {
        const QString texte = (epreuve.isEmpty() ? libelle : libelle.isEmpty() ? epreuve : epreuve + ", " + libelle).left(50);
        int& num = m_parLibelle[texte.toUpper()];
        if (!num) {
            num = static_cast<int>(m_parLibelle.size());
            Executer(m_categorieAjout, {m_compet, num, texte});
        }
        return num;
    }

    // A club code as the base tells codes apart: its NOCASE comparison takes every letter without
    // its case, Cyrillic and accented ones too, and keeps accents apart.
    static QString Cle_code(QString code)
    {
        for (QChar& c : code)
            if (!c.isSurrogate())
                c = c.toLower();
        return code;
    }
    // `base`, or when a club of the base holds it the first of "base/2", "base/3"… free. Each
    // base code remembers where its search stopped, so that thousands of clubs sharing a code
    // cost no more each than the first.
    QString codeLibre(const QString& base)
    {
        if (!m_codesLus) {
            Requete r(m_base.db(), "SELECT Code_federal FROM Club WHERE Code_federal IS NOT NULL");
            while (r.suivante())
                m_codesPris.insert(Cle_code(Valeur_brute(r, 0)));
            m_codesLus = true;
        }
        QString code = base;
        if (m_codesPris.contains(Cle_code(code))) {
            int& n = m_suffixes[Cle_code(base)];
            for (n = std::max(n, 2); m_codesPris.contains(Cle_code(code = base + '/' + QString::number(n)));)
                ++n;
        }
        m_codesPris.insert(Cle_code(code));
        return code;
    }

    void retenirLicence(const QString& valeur, qint64 num, const QString& identite, const QString& naissance)
    {
        const QString cle = valeur.trimmed().toUpper();
        if (cle.isEmpty())
            return;
        const auto deja = m_parLicence.constFind(cle);
        if (deja == m_parLicence.constEnd())
            m_parLicence.insert(cle, {num, identite, naissance});
        else if (deja->identite != identite)
            m_parLicence[cle].num = 0; // several swimmers hold it: no identity
    }

    // One person listed twice in one club of the file (once with his results, once without) is
    // one swimmer: the second listing takes the licence of the first.
    qint64 licenceDansLeClub(const Nageur& n, const QString& club, bool ajouter)
    {
        const QString identite = Identite(n.nom, n.prenom, n.naissance);
        const QString dansLeClub = n.naissance.isEmpty() ? QString() : club + '\n' + identite;
        if (const qint64 deja = m_dansLeClub.value(dansLeClub))
            return deja;
        const qint64 num = licence(n, club, identite, ajouter);
        if (num && !dansLeClub.isEmpty())
            m_dansLeClub.insert(dansLeClub, num);
        return num;
    }

    // The swimmer of an athlete: by identity, then by a licence number that names one swimmer of the
    // base, one athlete of the file so far and agrees with the birth date; one we do not know is
    // added, hidden. Two athletes of the file never get the same swimmer: a rank or a club number
    // in the licence attribute must not merge them (one listed twice in his club comes here once).
    // Returns 0 instead of adding one when `ajouter` is false.
    qint64 licence(const Nageur& n, const QString& club, const QString& identite, bool ajouter)
    {
        QList<qint64>& memes = m_parIdentite[identite];
        for (const qint64 num : std::as_const(memes))
            if (!m_pris.contains(num)) {
                m_pris.insert(num);
                return num;
            }
        const QString valeur = n.licence.toUpper();
        if (!valeur.isEmpty()) {
            const auto vue = m_licencesVues.constFind(valeur);
            const bool partagee = vue != m_licencesVues.constEnd() && *vue != identite;
            if (partagee)
                m_licencesVues[valeur].clear();
            else if (vue == m_licencesVues.constEnd())
                m_licencesVues.insert(valeur, identite);
            const LicenceConnue connue = m_parLicence.value(valeur);
            if (!partagee && connue.num && !m_pris.contains(connue.num)
                && (connue.naissance.isEmpty() || n.naissance.isEmpty() || connue.naissance == n.naissance)) {
                m_pris.insert(connue.num);
                return connue.num;
            }
        }
        if (!ajouter)
            return 0;
        Executer(m_licAjout, {club, n.licence, n.nom, n.prenom, n.sexe, n.naissance, n.nation});
        const qint64 num = m_base.dernierId();
        memes << num;
        m_pris.insert(num);
        ++m_nbNouveaux;
        return num;
    }

    // A team stays under the club the file names (ours only when that club is ours); with one of
    // our swimmers its time also becomes a relay performance of that club.
    void ecrireRelais(const Resultat& res, const QString& club, const Garde& g)
    {
        qint64 nums[10] = {};
        bool notre = false;
        for (size_t i = 0; i < res.relayeurs.size() && i < 10; ++i) {
            nums[i] = res.relayeurs[i].isEmpty() ? 0 : m_nageursDuFichier.value(res.relayeurs[i], 0);
            notre = notre || m_nosLicences.contains(nums[i]);
        }
        const bool performance = notre && g.tps > 0 && g.tps < 91;
        if (res.statut != u"EXH") {
            Executer(m_prresRelais, ligne(res, g.e, g.code, res.relais, club, g.tps));
            ++m_nbRelais;
        }
        if (!performance)
            return;
        QVariantList jambes;
        for (size_t i = 0; i < 10; ++i) {
            // A leg the base did not know and nothing else named is added now.
            const QString id = i < res.relayeurs.size() ? res.relayeurs[i] : QString();
            if (const auto laisse = m_nageursLaisses.constFind(id); !nums[i] && !id.isEmpty() && laisse != m_nageursLaisses.constEnd()) {
                nums[i] = licenceDansLeClub(laisse->first, laisse->second, true);
                m_nageursDuFichier.insert(laisse.key(), nums[i]);
                m_nageursLaisses.erase(laisse);
            }
            jambes << (nums[i] ? QVariant(nums[i]) : QVariant());
        }
        Executer(m_liffnRelais, QVariantList{g.code, club, res.relais, m_longueur, jour(g.e), g.tps, m_reunion.lieu}
                                    + jambes + QVariantList{m_compet, ++m_numManuelRelais});
        ++m_nbPerfs;
    }
    // The result as it is to be stored; nothing for one left out, which is named and counted: a
    // value that cannot be, an event we have no code for, or see temps(). Its splits left out are
    // named after it, so that the trace follows the file's lines.
    template <class Qui>
    std::optional<Garde> garder(const Resultat& res, const QString& sexe, const Qui& qui)
    {
        const auto e = m_epreuves.constFind(res.epreuve);
        const bool connue = e != m_epreuves.constEnd();
        const auto nommer = [&](qint64 ligne, const QString& quoi) {
            m_journal.detail(m_reunion.fichier + ", ligne " + QString::number(ligne) + " : " + quoi + " : " + qui() + ", "
                             + (connue ? Description(*e, m_catalogue) : "eventid « " + Extrait(res.epreuve) + " »") + ".");
        };
        std::optional<Garde> g;
        const int code = connue ? m_catalogue.code(*e, sexe) : -1;
        if (!res.faute.isEmpty()) {
            nommer(res.ligne, "résultat ignoré, " + res.faute);
        } else if (code < 0) {
            ++m_ignores;
            if (connue)
                ++m_sansCode[res.epreuve];
            nommer(res.ligne, connue ? "résultat ignoré, épreuve sans code dans le catalogue"
                                     : "résultat ignoré, épreuve absente du programme");
        } else if (const double tps = temps(res, [&](const QString& quoi) { nommer(res.ligne, quoi); }); tps != 0) {
            g.emplace(Garde{*e, code, tps});
        }
        for (const auto& [ligne, t] : res.intersImpossibles)
            nommer(ligne, "temps intermédiaire ignoré, temps impossible « " + t + " »");
        return g;
    }
    // The time or status code a result stores; 0 for a result left out, which is named and
    // counted: an entry the organiser rejected, or no time and no status. An exhibition swim
    // (EXH) takes no place and moves no one: it is named and stores no result, and its time, when
    // it has one, is still its swimmer's performance.
    template <class Nommer>
    double temps(const Resultat& res, const Nommer& nommer)
    {
        if (res.statut == u"RJC") {
            ++m_rejetes;
            nommer("résultat ignoré, engagement refusé par l'organisateur (RJC)");
            return 0;
        }
        double tps = Code_statut(res.statut);
        if (tps == 0)
            tps = Temps_lenex(res.temps);
        if (res.statut == u"EXH") {
            ++m_horsConcours;
            nommer("nage hors concours (EXH), sans place");
            return tps > 0 ? tps : -1;
        }
        if (tps == 0) {
            ++m_sansTemps;
            nommer("résultat ignoré, ni temps ni statut");
        }
        return tps;
    }
    // The Prres row of a result with its time or status code. Split k is the one at k steps
    // before the finish (steps of 50 m, of 100 m beyond 400 m), as the results viewer heads its
    // columns; a split at another distance has no column.
    QVariantList ligne(const Resultat& res, const Epreuve& e, int code, qint64 numLic, const QString& club, double tps)
    {
        const auto serie = m_reunion.series.constFind(res.serie);
        const auto groupe = m_reunion.groupeDuResultat.constFind(res.id);
        const int categorie = groupe != m_reunion.groupeDuResultat.constEnd() ? m_categories.value(*groupe, 0)
                              : m_separees.contains(e.id)                     ? numeroCategorie(QString(), m_separees.value(e.id))
                                                                              : 0;
        QVariantList v{m_compet, code, numLic, club, res.relais,
                       tps, res.points.isEmpty() ? QVariant() : QVariant(res.points.toInt()), Type_course(e.tour),
                       serie != m_reunion.series.constEnd() && !serie->isEmpty() ? QVariant(serie->toInt()) : QVariant(),
                       res.couloir.isEmpty() ? QVariant() : QVariant(res.couloir.toInt()), QVariant(), categorie};
        const int distance = e.distance * e.relayeurs, pas = distance > 400 ? 100 : 50;
        QVariant inter[14];
        for (const auto& [d, temps] : res.inter) {
            const int k = distance > 50 && d > 0 && (distance - d) % pas == 0 ? (distance - d) / pas : 0;
            if (k < 1 || k > 14) {
                ++m_interPerdus[e.id];
                continue;
            }
            const double t = Temps_lenex(temps);
            inter[k - 1] = t > 0 ? QVariant(t) : QVariant();
        }
        for (const QVariant& t : inter)
            v << t;
        return v;
    }

    struct LicenceConnue {
        qint64 num = 0; // 0 when several swimmers hold the number
        QString identite, naissance;
    };

    BaseEchange& m_base;
    const Reunion& m_reunion;
    const qint64 m_compet;
    Journal& m_journal;
    const Catalogue m_catalogue{m_base};
    QHash<QString, Epreuve> m_epreuves;
    QHash<int, int> m_categories;                   // age group -> Num_cat
    QHash<QString, int> m_parLibelle;               // category label upper-cased -> Num_cat
    QHash<QString, QString> m_separees;             // eventid of an event ranked apart -> the start of its labels
    QHash<QString, QList<qint64>> m_parIdentite;    // identity -> licences, in the order to give them
    QHash<QString, LicenceConnue> m_parLicence;     // licence number -> its swimmer
    QHash<QString, QString> m_licencesVues;         // licence number -> identity of the file's athlete, "" when shared
    QSet<qint64> m_pris;                            // swimmers given to an athlete of the file
    QHash<QString, qint64> m_nageursDuFichier;      // athleteid -> licence
    QHash<QString, qint64> m_dansLeClub;            // club code and identity -> licence of a swimmer of the file
    QHash<qint64, QString> m_nosLicences;           // our licences -> their club's code
    std::vector<NotreClub> m_nosClubs;
    QHash<QString, QString> m_nosCodes;             // our clubs' codes upper-cased -> as written
    QHash<QString, QSet<QString>> m_commencantPar;  // our code -> the file's clubs that begin with its cut name
    QHash<QString, QString> m_nomsClubs;            // code in our base -> the file's name of the club
    QHash<QString, QList<QString>> m_clubsParNom;   // the base's clubs: name as compared -> codes
    QHash<QString, int> m_interPerdus;              // eventid -> splits with no column
    std::vector<std::tuple<Resultat, QString, Garde>> m_relaisEnAttente; // teams waiting for a leg, with their club
    QHash<QString, std::pair<Nageur, QString>> m_nageursLaisses; // athleteid -> a swimmer not added yet, his club
    QHash<QString, qint64> m_sansCode;              // eventid -> its results left out, the event having no code
    QSet<QString> m_codesPris;                      // the base's club codes (Cle_code), once read
    QHash<QString, int> m_suffixes;                 // base code (Cle_code) -> the next "/n" to try
    bool m_codesLus = false;
    static constexpr qsizetype kClubsNommes = 500;
    QStringList m_clubsAjoutes;                     // the first of them, named once the import is kept
    qint64 m_nbClubsAjoutes = 0;
    QString m_nomLenex;                             // the club being written, as the file names it
    QString m_club;                                 // its code in our base
    bool m_clubAjoute = false;                      // it was added to the base
    int m_longueur = 0;
    qint64 m_numManuel = 0, m_numManuelRelais = 0;
    Requete m_clubAjout, m_licAjout, m_prres, m_prresRelais, m_liffn, m_liffnRelais, m_categorieAjout;
    qint64 m_nbIndiv = 0, m_nbRelais = 0, m_nbPerfs = 0, m_nbNouveaux = 0, m_ignores = 0;
    qint64 m_horsConcours = 0, m_rejetes = 0, m_sansTemps = 0;
};

// A meet whose results another competition already holds would be there twice, our swimmers'
// performances with it: the user says whether to go on, "Non" by default and when no one can be
// asked. Competitions that hold only its skeleton (the one its entries were made in) ask nothing.
// The meets the importers read are those of Lenex_reunion.
void Confirmer_reunion_nouvelle(BaseEchange& base, const Reunion& r, const QString& numCompet, bool resultats,
                                const QVariant& fenetre, Journal& journal)
{
    if (base.valeur("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'Lenex_reunion'") != "1")
        return;
    Requete autres(base.db(), "SELECT Rcomp.Nom, Rcomp.Num, Rcomp.Debut FROM Rcomp JOIN Lenex_reunion ON "
                              "Lenex_reunion.Num_compet = Rcomp.AutoNum WHERE Rcomp.AutoNum <> ? AND Nom IS ? AND Lieu IS ? "
                              "AND Debut IS ? AND Fin IS ? AND (EXISTS (SELECT 1 FROM Prres WHERE Prres.Num_compet = Rcomp.AutoNum) "
                              "OR EXISTS (SELECT 1 FROM Prres_relais WHERE Prres_relais.Num_compet = Rcomp.AutoNum)) "
                              "ORDER BY Rcomp.AutoNum");
    autres.lier(QVariantList{numCompet.toLongLong()} + Identite_reunion(r));
    QStringList competitions;
    while (autres.suivante()) {
        const QString num = Valeur_brute(autres, 1).trimmed();
        const QDate debut = QDate::fromString(Valeur_brute(autres, 2), "yyyyMMdd");
        competitions << "« " + Extrait(Valeur_brute(autres, 0)) + " »" + (num.isEmpty() ? QString() : " n° " + Extrait(num))
                            + (debut.isValid() ? " du " + debut.toString("dd/MM/yyyy") : QString());
    }
    if (competitions.isEmpty())
        return;
    QString dates;
    if (r.debut.isValid())
        dates = r.debut == r.fin ? ", le " + r.debut.toString("dd/MM/yyyy")
                                 : ", du " + r.debut.toString("dd/MM/yyyy") + " au " + r.fin.toString("dd/MM/yyyy");
    const QString reunion = "La réunion « " + Extrait(r.nom) + " » (" + (r.lieu.isEmpty() ? QString("lieu non précisé") : Extrait(r.lieu))
                            + dates + ") a déjà été importée dans "
                            + (competitions.size() == 1 ? QString("une autre compétition")
                                                        : QString::number(competitions.size()) + " autres compétitions")
                            + ", avec ses résultats : " + competitions.join(", ") + ".";
    const QString suite = resultats
                              ? "L'importer encore en ferait une compétition de plus et compterait deux fois les performances de vos nageurs."
                              : "L'importer encore en ferait une compétition de plus.";
    auto* cible = qobject_cast<CibleQuestion*>(fenetre.value<QObject*>());
    if (!cible || !cible->demanderConfirmation(reunion + "\r\n" + suite + "\r\nContinuer l'import ?"))
        throw Refus(QStringList{reunion, "Import abandonné."});
    journal.ecrire(reunion + " Import poursuivi à votre demande.");
}

// The base is opened and the transaction begun before the file is read: the programme is written
// when the reader reaches the clubs, each club as it ends. A broken file throws, and the rollback
// leaves the base as it was; the results import writes the skeleton, then the results.
// What the reader hands over goes to the base: the programme when the reader reaches the
// clubs, then each club as it ends.
class Import : public Destinataire {
public:
    Import(BaseEchange& base, Journal& journal, const QString& numCompet, bool resultats, const QVariant& fenetre)
        : m_base(base), m_journal(journal), m_numCompet(numCompet), m_resultats(resultats), m_fenetre(fenetre)
    {
    }
    void programme(const Reunion& r) override
    {
        Confirmer_reunion_nouvelle(m_base, r, m_numCompet, m_resultats, m_fenetre, m_journal);
        Ecrire_squelette(m_base, r, m_numCompet, m_journal);
        const Catalogue catalogue(m_base);
        for (const auto& [e, gardee] : Memoriser_ids_organisateur(m_base, m_numCompet, {r.nation, r.dateAge, r.typeAge}, r.epreuves))
            m_journal.ecrire("Épreuve non reprise pour les engagements, " + Description(*e, catalogue)
                             + (gardee ? " : ses engagés vont à l'" + Description(*gardee, catalogue)
                                             + ", de même nage et d'âges communs ("
                                             + gardee->ages.libelle() + ")."
                                       : " : l'organisateur ne lui donne pas d'identifiant."));
        if (m_resultats) {
            m_ecrivain = std::make_unique<EcrivainResultats>(m_base, r, m_numCompet, m_journal);
        } else {
            // A skeleton is a meet to enter swimmers in: the competition is one to come, even when
            // it was born held for the import (the next opening of the base closes it if it is past).
            Requete aVenir(m_base.db(), "UPDATE Rcomp SET Deroule = 0, Visible = 1 WHERE AutoNum = ?");
            Executer(aVenir, {m_numCompet.toLongLong()});
        }
    }
    void club(const ClubLenex& c) override
    {
        if (m_ecrivain)
            m_ecrivain->club(c);
    }
    void nageur(const Nageur& n) override
    {
        if (m_ecrivain)
            m_ecrivain->nageur(n);
    }
    void relais(const Resultat& res) override
    {
        if (m_ecrivain)
            m_ecrivain->relais(res);
    }
    void finClub() override
    {
        if (m_ecrivain)
            m_ecrivain->finClub();
    }
    // Refuses a results file that brought no result.
    void terminer(const QString& fichier)
    {
        if (!m_ecrivain)
            return;
        m_ecrivain->finFichier();
        m_ecrivain->verifierImport(fichier);
    }
    // The summary, once the import is kept: a refused one adds nothing.
    void bilan(LecteurLenex& lecteur) const
    {
        if (m_ecrivain)
            m_ecrivain->bilan();
        lecteur.bilan();
        if (m_ecrivain)
            m_ecrivain->total(lecteur.resultatsLus(), lecteur.resultatsImpossibles());
    }

private:
    BaseEchange& m_base;
    Journal& m_journal;
    const QString m_numCompet;
    const bool m_resultats;
    const QVariant m_fenetre; // the runner window, which asks the user
    std::unique_ptr<EcrivainResultats> m_ecrivain;
};

// The base is opened and the transaction begun before the file is read; a broken file throws
// halfway, and the rollback leaves the base as it was.
class ImportCompetition : public ComposantEchange {
protected:
    ImportCompetition(const char* methode, const char* titre, bool resultats)
        : ComposantEchange(methode, 7, 3, titre, true), m_resultats(resultats)
    {
    }

    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString numCompet = Texte(a[5]).trimmed();
        if (numCompet.toLongLong() <= 0)
            throw Refus("Aucune compétition cible.");
        const FichiersLenex fichiers = Fichiers_lenex(Texte(a[1]), Texte(a[2]));
        const QString chemin = m_resultats ? Fichier_resultats(fichiers) : fichiers.chemins.first();
        journal.ecrire("Fichier lu : " + QFileInfo(chemin).fileName());
        BaseEchange base(Texte(a[0]), false);
        base.commencer();
        Import import(base, journal, numCompet, m_resultats, a[4]);
        LecteurLenex lecteur(chemin, journal); // holds the meet the writer reads until the end
        lecteur.lire(import, m_resultats);
        import.terminer(QFileInfo(chemin).fileName());
        base.valider();
        import.bilan(lecteur);
        return true;
    }

private:
    bool m_resultats;
};

class MeetResultsImporter : public ImportCompetition {
public:
    static constexpr const char* nomClasse = "MeetResultsImporter";
    MeetResultsImporter() : ImportCompetition("bimport_result", "Import des résultats de compétition", true) {}
};

class MeetSkeletonImporter : public ImportCompetition {
public:
    static constexpr const char* nomClasse = "MeetSkeletonImporter";
    MeetSkeletonImporter() : ImportCompetition("bimport_squelette", "Import du squelette de compétition", false) {}
};

} // namespace

QV_COMPOSANTS_ECHANGE(MeetSkeletonImporter, MeetResultsImporter)
