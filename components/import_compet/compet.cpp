// MeetSkeletonImporter and MeetResultsImporter: a meet in the Lenex 3.0 exchange format (".lef",
// or ".lxf" holding one) gives the competition its name, place, dates, pool and programme, and
// for the second its results, the clubs and swimmers they name and our swimmers' performances.
//   bimport_squelette(base, source, temp, trace, window, strNumCompet, bNewCompet)
//   bimport_result(base, source, temp, trace, window, strNumCompet, bNewCompet)
// The file is streamed; a document type declaration or an entity is refused, so that no
// expansion can blow up. Events our catalogue has no code for are named and skipped.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"
#include "components/import_compet/ids_organisateur.h"

#include "core/base.h"
#include "core/fichiers.h"
#include "core/utils.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <sqlite3.h>

#include <cmath>
#include <map>
#include <memory>

namespace {

using namespace Echange;
using namespace Lenex;


struct Resultat {
    QString id, epreuve, temps, statut, serie, couloir, points, relais;
    QStringList inter;                 // splits in distance order
    std::vector<QString> relayeurs;    // athlete ids by leg
};

struct Nageur {
    QString id, nom, prenom, naissance, sexe, licence, nation;
    std::vector<Resultat> resultats;
};

struct ClubLenex {
    QString nom, code, nation;
    std::vector<Nageur> nageurs;
    std::vector<Resultat> relais;
};

// The meet without its clubs: what comes before them in the file.
struct Reunion {
    QString nom, lieu, bassin;
    QString nation;
    int couloirs = 0;
    QDate debut, fin;
    std::vector<Epreuve> epreuves;
    QHash<QString, QString> categorieDuResultat; // resultid -> agegroupid
    QHash<QString, QString> categories;          // agegroupid -> label
    QStringList ordreCategories;
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
};

// The meet file of the source folder: a ".lef", else a ".lxf" unpacked into the work folder.
QString Fichier_lenex(const QString& source, const QString& temp)
{
    const QDir dossier(source);
    const QStringList lef = dossier.entryList({"*.lef", "*.LEF"}, QDir::Files, QDir::Name);
    if (!lef.isEmpty())
        return dossier.filePath(lef.first());
    const QStringList lxf = dossier.entryList({"*.lxf", "*.LXF"}, QDir::Files, QDir::Name);
    if (lxf.isEmpty())
        throw Refus("Aucun fichier Lenex (.lef ou .lxf) dans " + source + ".");
    const QString cible = QDir(temp).filePath("lenex");
    if (!QDir().mkpath(cible) || !Zipper(dossier.filePath(lxf.first()), cible, false, true))
        throw Refus("L'archive " + lxf.first() + " n'a pas pu être décompressée.");
    const QStringList dedans = QDir(cible).entryList({"*.lef", "*.LEF"}, QDir::Files, QDir::Name);
    if (dedans.isEmpty())
        throw Refus("L'archive " + lxf.first() + " ne contient aucun fichier .lef.");
    return QDir(cible).filePath(dedans.first());
}

// A heat as our results number it: in a qualifying round its number; in a final the final's letter
// (A 1, B 2, …). The heats of a timed final are no finals A, B…: they get none.
QString Numero_serie(const QString& tour, const QXmlStreamAttributes& a)
{
    const QString finale = a.value("final").toString().trimmed().toUpper();
    if (finale.size() == 1 && finale[0] >= u'A' && finale[0] <= u'Z')
        return QString::number(finale[0].unicode() - u'A' + 1);
    if (tour.isEmpty() || tour == "TIM")
        return QString();
    return a.value("number").toString();
}

// Streams the file and hands each swimmer and relay over as soon as it is read, so that memory
// does not grow with the file (clubs met before the sessions wait for them). Throws Refus naming the
// line and element at fault.
class LecteurLenex {
public:
    explicit LecteurLenex(const QString& chemin) : m_fichier(chemin)
    {
        if (!m_fichier.open(QIODevice::ReadOnly))
            throw Refus("Impossible de lire le fichier " + chemin + ".");
        m_xml.setDevice(&m_fichier);
        m_nom = QFileInfo(chemin).fileName();
    }

    void lire(Destinataire& destinataire, bool avecClubs)
    {
        Reunion& r = m_reunion;
        bool lenex = false, reunion = false, dansReunion = false, programmeDonne = false;
        std::vector<ClubLenex> enAttente;
        auto donnerClub = [&](const ClubLenex& c) {
            destinataire.club(c);
            for (const Nageur& n : c.nageurs)
                destinataire.nageur(n);
            for (const Resultat& res : c.relais)
                destinataire.relais(res);
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
            const auto jeton = m_xml.readNext();
            if (jeton == QXmlStreamReader::DTD || jeton == QXmlStreamReader::EntityReference)
                refuser("déclaration de type de document ou entité refusée");
            if (jeton == QXmlStreamReader::EndElement) {
                const auto fin = m_xml.name();
                if (fin == u"EVENT")
                    courante = nullptr;
                else if (fin == u"RESULT" && m_resultat) {
                    m_resultat = false;
                    trierInter(dernier());
                    if (!m_dansNageur) {
                        if (programmeDonne)
                            destinataire.relais(m_relais);
                        else
                            m_club.relais.push_back(m_relais);
                    }
                } else if (fin == u"ATHLETE" && m_dansNageur) {
                    m_dansNageur = false;
                    if (programmeDonne)
                        destinataire.nageur(m_nageur);
                    else
                        m_club.nageurs.push_back(std::move(m_nageur));
                    m_nageur = Nageur();
                } else if (fin == u"CLUB" && m_dansClub) {
                    m_dansClub = m_dansNageur = m_resultat = false;
                    if (!programmeDonne)
                        enAttente.push_back(std::move(m_club));
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
                    m_xml.skipCurrentElement(); // one meet per import
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
                const int min = a.hasAttribute("lanemin") ? a.value("lanemin").toInt() : 1;
                const int max = a.value("lanemax").toInt();
                if (max >= min && max > 0)
                    r.couloirs = max - min + 1;
            } else if (nom == u"SESSION") {
                dateSession = a.value("date").toString();
                numeroSession = a.value("number").toString();
                const QDate d = QDate::fromString(dateSession, Qt::ISODate);
                if (d.isValid()) {
                    if (!r.debut.isValid() || d < r.debut)
                        r.debut = d;
                    if (!r.fin.isValid() || d > r.fin)
                        r.fin = d;
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
                e.jour = QDate::fromString(dateSession, Qt::ISODate);
                e.session = numeroSession;
                r.epreuves.push_back(e);
                courante = &r.epreuves.back();
            } else if (nom == u"AGEGROUP") {
                m_categorie = a.value("agegroupid").toString();
                QString libelle = a.value("name").toString().trimmed();
                if (libelle.isEmpty())
                    libelle = a.value("agemin").toString() + "-" + a.value("agemax").toString() + " ans";
                if (!r.categories.contains(m_categorie))
                    r.ordreCategories << m_categorie;
                r.categories.insert(m_categorie, libelle);
            } else if (nom == u"RANKING") {
                r.categorieDuResultat.insert(a.value("resultid").toString(), m_categorie);
            } else if (nom == u"HEAT") {
                r.series.insert(a.value("heatid").toString(), Numero_serie(courante ? courante->tour : QString(), a));
            } else if (nom == u"CLUB") {
                if (!avecClubs) {
                    m_xml.skipCurrentElement();
                    continue;
                }
                m_club.nom = a.value("name").toString().trimmed();
                m_club.code = a.value("code").toString().trimmed();
                m_club.nation = a.value("nation").toString();
                m_dansClub = true;
                m_dansNageur = false;
                if (programmeDonne)
                    destinataire.club(m_club);
            } else if (nom == u"ATHLETE" && m_dansClub && !m_resultat) {
                m_nageur = Nageur();
                m_nageur.id = a.value("athleteid").toString();
                m_nageur.nom = a.value("lastname").toString().trimmed();
                m_nageur.prenom = a.value("firstname").toString().trimmed();
                m_nageur.naissance = a.value("birthdate").toString().remove('-');
                m_nageur.sexe = a.value("gender").toString();
                m_nageur.licence = a.value("license").toString().trimmed();
                m_nageur.nation = a.value("nation").toString();
                m_dansNageur = true;
            } else if (nom == u"RELAY" && m_dansClub) {
                m_dansNageur = false;
                m_numeroRelais = a.value("number").toString();
            } else if (nom == u"RESULT" && m_dansClub) {
                Resultat res;
                res.id = a.value("resultid").toString();
                res.epreuve = a.value("eventid").toString();
                res.temps = a.value("swimtime").toString();
                res.statut = a.value("status").toString();
                res.serie = a.value("heatid").toString();
                res.couloir = a.value("lane").toString();
                res.points = a.value("points").toString();
                if (m_dansNageur)
                    m_nageur.resultats.push_back(std::move(res));
                else {
                    res.relais = m_numeroRelais;
                    m_relais = std::move(res);
                }
                m_resultat = true;
            } else if (nom == u"SPLIT" && m_resultat) {
                Resultat& res = dernier();
                res.inter << a.value("swimtime").toString();
                m_distances << a.value("distance").toInt();
            } else if (nom == u"RELAYPOSITION" && m_resultat && !m_dansNageur) {
                Resultat& res = dernier();
                const int n = a.value("number").toInt();
                if (n >= 1 && n <= 10) {
                    if (static_cast<int>(res.relayeurs.size()) < n)
                        res.relayeurs.resize(n);
                    res.relayeurs[n - 1] = a.value("athleteid").toString();
                }
            } else if (nom == u"SWIMSTYLE" && courante) {
                courante->distance = a.value("distance").toInt();
                courante->relayeurs = std::max(1, a.value("relaycount").toInt());
                courante->nage = a.value("stroke").toString();
            }
        }
        if (m_xml.hasError())
            refuser(m_xml.errorString());
        if (!lenex)
            refuser("fichier vide");
        if (!reunion)
            throw Refus(m_nom + " : aucune réunion (MEET) dans le fichier.");
        donnerProgramme();
    }

private:
    Resultat& dernier() { return m_dansNageur ? m_nageur.resultats.back() : m_relais; }
    // Splits may come in any order; they are kept by distance.
    void trierInter(Resultat& res)
    {
        std::vector<std::pair<int, QString>> v;
        for (int i = 0; i < res.inter.size() && i < m_distances.size(); ++i)
            v.emplace_back(m_distances[i], res.inter[i]);
        std::stable_sort(v.begin(), v.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        res.inter.clear();
        for (const auto& p : v)
            res.inter << p.second;
        m_distances.clear();
    }
    [[noreturn]] void refuser(const QString& raison)
    {
        QString element = m_xml.name().toString();
        throw Refus(m_nom + ", ligne " + QString::number(m_xml.lineNumber())
                    + (element.isEmpty() ? QString() : ", élément " + element) + " : " + raison + ".");
    }
    QFile m_fichier;
    QXmlStreamReader m_xml;
    QString m_nom;
    Reunion m_reunion;
    ClubLenex m_club;     // the club being read; its swimmers and relays too while the programme is unknown
    Nageur m_nageur;      // the swimmer being read, with the results
    Resultat m_relais;    // the relay result being read
    QString m_categorie, m_numeroRelais;
    QList<int> m_distances;
    bool m_dansClub = false, m_dansNageur = false, m_resultat = false;
};

QString Description(const Epreuve& e)
{
    const QString genre = e.genre == "F" ? "dames" : e.genre == "M" ? "messieurs" : e.genre == "X" ? "mixte" : "toutes catégories";
    QString course = e.relayeurs > 1 ? QString::number(e.relayeurs) + " x " + QString::number(e.distance)
                                     : QString::number(e.distance);
    return "épreuve " + e.numero + " (" + course + " m " + e.nage + " " + genre + ")";
}

// Programme row of an event: race formula from the rounds, finals counted.
struct LignePcomp {
    int jour = 1, type = 1, finales = 0, ordre = 0;
    QString typeFinale = " ";
};

// Writes the competition and its programme; returns the programme rows by event code.
void Ecrire_squelette(BaseEchange& base, const Reunion& r, const QString& numCompet, Journal& journal)
{
    if (base.valeur("SELECT count(*) FROM Rcomp WHERE AutoNum = ?", {numCompet.toLongLong()}).toInt() == 0)
        throw Refus("La compétition " + numCompet + " n'existe pas dans la base.");
    const int longueur = r.bassin == "LCM" ? 50 : (r.bassin == "SCM" || r.bassin == "SCY") ? 25 : 0;
    {
        Requete maj(base.db(), "UPDATE Rcomp SET Nom = ?, Lieu = ?, Debut = ?, Fin = ?, Longueur = coalesce(?, Longueur), "
                               "Nb_couloir = coalesce(?, Nb_couloir) WHERE AutoNum = ?");
        Executer(maj, {r.nom.left(255), r.lieu, r.debut.isValid() ? r.debut.toString("yyyyMMdd") : QVariant(),
                       r.fin.isValid() ? r.fin.toString("yyyyMMdd") : QVariant(), longueur ? QVariant(longueur) : QVariant(),
                       r.couloirs ? QVariant(r.couloirs) : QVariant(), numCompet.toLongLong()});
    }
    journal.ecrire("Compétition : " + r.nom + " à " + r.lieu
                   + (r.debut.isValid() ? " du " + r.debut.toString("dd/MM/yyyy") + " au " + r.fin.toString("dd/MM/yyyy") : QString())
                   + (longueur ? ", bassin de " + QString::number(longueur) + " m" : QString()) + ".");

    const Catalogue catalogue(base);
    std::map<int, LignePcomp> programme;
    int inconnues = 0;
    for (const Epreuve& e : r.epreuves) {
        const QList<int> codes = catalogue.codes(e);
        if (codes.isEmpty()) {
            journal.ecrire("Épreuve ignorée, sans code dans le catalogue : " + Description(e) + ".");
            ++inconnues;
            continue;
        }
        for (const int code : codes) {
            const bool nouvelle = programme.find(code) == programme.end();
            LignePcomp& l = programme[code];
            if (nouvelle) {
                l.jour = (e.jour.isValid() && r.debut.isValid()) ? static_cast<int>(r.debut.daysTo(e.jour)) + 1 : 1;
                l.ordre = e.ordre;
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

// "HH:MM:SS.hh" as our M.SSCC number; 0 when it is no time.
double Temps_lenex(const QString& t)
{
    const QStringList p = t.split(':');
    if (p.size() != 3)
        return 0;
    bool ok1 = false, ok2 = false, ok3 = false;
    const int h = p[0].toInt(&ok1), m = p[1].toInt(&ok2);
    const double sec = p[2].toDouble(&ok3);
    if (!ok1 || !ok2 || !ok3 || sec >= 60 || sec < 0)
        return 0;
    const double v = h * 60 + m + std::round(sec * 100) / 10000.0;
    return v < 91 ? v : 0;
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

QString Type_course(const QString& tour)
{
    if (tour == "PRE")
        return "S";
    if (tour == "SEM")
        return "2";
    if (tour == "QUA")
        return "4";
    if (tour == "SOP")
        return "B";
    return "F";
}

QString Identite(const QString& nom, const QString& prenom, const QString& naissance)
{
    return Sans_accents(nom.trimmed()).toUpper() + '\t' + Sans_accents(prenom.trimmed()).toUpper() + '\t' + naissance;
}

// Writes the results club by club, as the reader hands them over; the competition's earlier
// results, categories and performances are replaced.
class EcrivainResultats {
public:
    EcrivainResultats(BaseEchange& base, const Reunion& r, const QString& numCompet, Journal& journal)
        : m_base(base), m_reunion(r), m_compet(numCompet.toLongLong()), m_journal(journal),
          m_clubExiste(base.db(), "SELECT Code_federal FROM Club WHERE Code_federal = ? OR (? = '' AND Intitule = ?)"),
          m_clubAjout(base.db(), "INSERT INTO Club (Code_federal, Intitule, Visible) VALUES (?, ?, 0)"),
          m_licAjout(base.db(), "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, 0)"),
          m_prres(base.db(), "INSERT INTO Prres (" + colonnes() + ") VALUES (" + marques() + ")"),
          m_prresRelais(base.db(), "INSERT INTO Prres_relais (" + colonnes() + ") VALUES (" + marques() + ")"),
          m_liffn(base.db(), "INSERT INTO Liffn VALUES (?, ?, ?, ?, ?, ?, ?, ' ', ' ', ' ', ' ', ' ', 0, ?, ?, ?)"),
          m_liffnRelais(base.db(), "INSERT INTO Liffn_relais VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "' ', ' ', ' ', ' ', ?, ?)")
    {
        for (const char* table : {"Prres", "Prres_relais", "Categori", "Liffn", "Liffn_relais"}) {
            Requete sup(base.db(), QString("DELETE FROM ") + table + " WHERE Num_compet = ?");
            Executer(sup, {m_compet});
        }
        for (const Epreuve& e : r.epreuves)
            m_epreuves.insert(e.id, e);
        {
            Requete ins(base.db(), "INSERT INTO Categori (Num_compet, Num_cat, Libelle) VALUES (?, ?, ?)");
            for (const QString& id : r.ordreCategories) {
                m_categories.insert(id, static_cast<int>(m_categories.size()) + 1);
                Executer(ins, {m_compet, m_categories.value(id), r.categories.value(id).left(50)});
            }
        }
        // Swimmers already known: by licence number first, then by identity.
        Requete l(base.db(), "SELECT Num, Licence, Nom, Prenom, Date_Naissance, Visible FROM Licence "
                             "WHERE Nom IS NULL OR Nom <> 'Null' COLLATE BINARY ORDER BY Visible, Num");
        while (l.suivante()) {
            const qint64 num = Valeur_brute(l, 0).toLongLong();
            if (!Valeur_brute(l, 1).trimmed().isEmpty())
                m_parLicence.insert(Valeur_brute(l, 1).trimmed().toUpper(), num);
            m_parIdentite.insert(Identite(Valeur_brute(l, 2), Valeur_brute(l, 3), Valeur_brute(l, 4)), num);
            if (Valeur_brute(l, 5) == "1")
                m_visibles.insert(num);
        }
        m_longueur = base.valeur("SELECT Longueur FROM Rcomp WHERE AutoNum = ?", {m_compet}).toInt();
        m_numManuel = base.valeur("SELECT max(NumManuel) FROM Liffn").toLongLong();
        m_numManuelRelais = base.valeur("SELECT max(NumManuel) FROM Liffn_relais").toLongLong();
    }

    void club(const ClubLenex& c)
    {
        m_club = codeClub(c);
        m_nageursDuClub.clear();
    }

    void nageur(const Nageur& n)
    {
        const qint64 num = licence(n, m_club);
        m_nageursDuClub.insert(n.id, num);
        for (const Resultat& res : n.resultats) {
            const Epreuve e = m_epreuves.value(res.epreuve);
            const int codeEpreuve = m_catalogue.code(e, n.sexe);
            if (codeEpreuve < 0) {
                ++m_ignores;
                continue;
            }
            const QVariantList v = ligne(res, e, codeEpreuve, num, m_club);
            if (v.isEmpty())
                continue;
            Executer(m_prres, v);
            ++m_nbIndiv;
            const double tps = v[5].toDouble();
            if (m_visibles.contains(num) && tps < 91) {
                const int age = e.jour.isValid() && n.naissance.size() == 8 ? e.jour.year() - n.naissance.left(4).toInt() : 0;
                Executer(m_liffn, {codeEpreuve, m_club, num, m_longueur, jour(e), tps, m_reunion.lieu,
                                   age ? QVariant(age) : QVariant(), m_compet, ++m_numManuel});
                ++m_nbPerfs;
            }
        }
    }

    void relais(const Resultat& res)
    {
        const Epreuve e = m_epreuves.value(res.epreuve);
        const int codeEpreuve = m_catalogue.code(e);
        if (codeEpreuve < 0) {
            ++m_ignores;
            return;
        }
        QVariantList v = ligne(res, e, codeEpreuve, 0, m_club);
        if (v.isEmpty())
            return;
        if (!res.relayeurs.empty())
            v[2] = m_nageursDuClub.value(res.relayeurs.front(), 0);
        Executer(m_prresRelais, v);
        ++m_nbRelais;
        // A team with one of our swimmers is one of ours: its time becomes a relay performance.
        QVariantList jambes;
        bool notre = false;
        for (size_t i = 0; i < 10; ++i) {
            const qint64 num = i < res.relayeurs.size() ? m_nageursDuClub.value(res.relayeurs[i], 0) : 0;
            notre = notre || m_visibles.contains(num);
            jambes << (num ? QVariant(num) : QVariant());
        }
        const double tps = v[5].toDouble();
        if (notre && tps < 91) {
            Executer(m_liffnRelais, QVariantList{codeEpreuve, m_club, v[4], m_longueur, jour(e), tps, m_reunion.lieu}
                                        + jambes + QVariantList{m_compet, ++m_numManuelRelais});
            ++m_nbPerfs;
        }
    }

    void bilan()
    {
        m_journal.fermerDetails();
        m_journal.ecrire(Nombre(m_nbIndiv, "résultat individuel importé", "résultats individuels importés") + ".");
        m_journal.ecrire(Nombre(m_nbRelais, "résultat de relais importé", "résultats de relais importés") + ".");
        m_journal.ecrire(Nombre(m_nbPerfs, "performance ajoutée", "performances ajoutées") + " aux nageurs du club.");
        m_journal.ecrire(Nombre(m_nbNouveaux, "nageur ajouté", "nageurs ajoutés") + " (absents des listes de licences).");
        if (m_ignores)
            m_journal.ecrire(Nombre(m_ignores, "résultat ignoré", "résultats ignorés") + " (épreuve sans code).");
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

    // The club's code in our base; a club we do not know is added, hidden.
    QString codeClub(const ClubLenex& c)
    {
        Relier(m_clubExiste, {c.code, c.code, c.nom});
        if (m_clubExiste.suivante())
            return Valeur_brute(m_clubExiste, 0);
        const QString code = c.code.isEmpty() ? (c.nation + c.nom).left(20) : c.code;
        Executer(m_clubAjout, {code, c.nom});
        m_journal.detail("Club ajouté : " + c.nom + " (" + code + ").");
        return code;
    }
    // The swimmer's licence: by number, then by identity; one we do not know is added, hidden.
    qint64 licence(const Nageur& n, const QString& club)
    {
        qint64 num = n.licence.isEmpty() ? 0 : m_parLicence.value(n.licence.toUpper());
        if (!num)
            num = m_parIdentite.value(Identite(n.nom, n.prenom, n.naissance));
        if (!num) {
            Executer(m_licAjout, {club, n.licence, n.nom, n.prenom, n.sexe, n.naissance, n.nation});
            num = m_base.dernierId();
            m_parIdentite.insert(Identite(n.nom, n.prenom, n.naissance), num);
            ++m_nbNouveaux;
        }
        return num;
    }
    // The Prres row of a result; empty when it holds neither a time nor a status.
    QVariantList ligne(const Resultat& res, const Epreuve& e, int code, qint64 numLic, const QString& club) const
    {
        double tps = Code_statut(res.statut);
        if (tps == 0)
            tps = Temps_lenex(res.temps);
        if (tps == 0)
            return QVariantList();
        const auto serie = m_reunion.series.constFind(res.serie);
        QVariantList v{m_compet, code, numLic, club, res.relais.isEmpty() ? QVariant(0) : QVariant(res.relais.toInt()),
                       tps, res.points.isEmpty() ? QVariant() : QVariant(res.points.toInt()), Type_course(e.tour),
                       serie != m_reunion.series.constEnd() && !serie->isEmpty() ? QVariant(serie->toInt()) : QVariant(),
                       res.couloir.isEmpty() ? QVariant() : QVariant(res.couloir.toInt()), QVariant(),
                       m_categories.value(m_reunion.categorieDuResultat.value(res.id), 0)};
        for (int i = 0; i < 14; ++i) {
            const double t = i < res.inter.size() ? Temps_lenex(res.inter[i]) : 0;
            v << (t > 0 ? QVariant(t) : QVariant());
        }
        return v;
    }

    BaseEchange& m_base;
    const Reunion& m_reunion;
    const qint64 m_compet;
    Journal& m_journal;
    const Catalogue m_catalogue{m_base};
    QHash<QString, Epreuve> m_epreuves;
    QHash<QString, int> m_categories;
    QHash<QString, qint64> m_parLicence, m_parIdentite;
    QSet<qint64> m_visibles;
    QString m_club;                          // the code of the club being written
    QHash<QString, qint64> m_nageursDuClub;  // its swimmers: athleteid -> licence
    int m_longueur = 0;
    qint64 m_numManuel = 0, m_numManuelRelais = 0;
    Requete m_clubExiste, m_clubAjout, m_licAjout, m_prres, m_prresRelais, m_liffn, m_liffnRelais;
    qint64 m_nbIndiv = 0, m_nbRelais = 0, m_nbPerfs = 0, m_nbNouveaux = 0, m_ignores = 0;
};

// The base is opened and the transaction begun before the file is read: the programme is written
// when the reader reaches the clubs, each club as it ends. A broken file throws, and the rollback
// leaves the base as it was; the results import writes the skeleton, then the results.
// What the reader hands over goes to the base: the programme when the reader reaches the
// clubs, then each club as it ends.
class Import : public Destinataire {
public:
    Import(BaseEchange& base, Journal& journal, const QString& numCompet, bool resultats)
        : m_base(base), m_journal(journal), m_numCompet(numCompet), m_resultats(resultats)
    {
    }
    void programme(const Reunion& r) override
    {
        Ecrire_squelette(m_base, r, m_numCompet, m_journal);
        Memoriser_ids_organisateur(m_base, m_numCompet, r.nation, r.epreuves);
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
    void bilan()
    {
        if (m_ecrivain)
            m_ecrivain->bilan();
    }

private:
    BaseEchange& m_base;
    Journal& m_journal;
    const QString m_numCompet;
    const bool m_resultats;
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
        const QString chemin = Fichier_lenex(Texte(a[1]), Texte(a[2]));
        journal.ecrire("Fichier lu : " + QFileInfo(chemin).fileName());
        BaseEchange base(Texte(a[0]), false);
        base.commencer();
        Import import(base, journal, numCompet, m_resultats);
        LecteurLenex(chemin).lire(import, m_resultats);
        import.bilan();
        base.valider();
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
