// MeetSkeletonImporter and MeetResultsImporter: a meet in the Lenex 3.0 exchange format (".lef",
// or ".lxf" holding one) gives the competition its name, place, dates, pool and programme, and
// for the second its results, the clubs and swimmers they name and our swimmers' performances.
//   bimport_squelette(base, source, temp, trace, window, strNumCompet, bNewCompet)
//   bimport_result(base, source, temp, trace, window, strNumCompet, bNewCompet)
// The file is streamed; a document type declaration or an entity is refused, so that no
// expansion can blow up. Events our catalogue has no code for are named and skipped.

#include "components/echange_commun/echange.h"
#include "components/import_compet/catalogue_lenex.h"

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

struct Reunion {
    QString nom, lieu, bassin;
    int couloirs = 0;
    QDate debut, fin;
    std::vector<Epreuve> epreuves;
    std::vector<ClubLenex> clubs;
    QHash<QString, QString> categorieDuResultat; // resultid -> agegroupid
    QHash<QString, QString> categories;          // agegroupid -> label
    QStringList ordreCategories;
    QHash<QString, QString> series;              // heatid -> heat number
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

// Streams the file; throws Refus naming the line and element at fault.
class LecteurLenex {
public:
    explicit LecteurLenex(const QString& chemin) : m_fichier(chemin)
    {
        if (!m_fichier.open(QIODevice::ReadOnly))
            throw Refus("Impossible de lire le fichier " + chemin + ".");
        m_xml.setDevice(&m_fichier);
        m_nom = QFileInfo(chemin).fileName();
    }

    Reunion lire()
    {
        Reunion r;
        bool lenex = false, reunion = false;
        QString dateSession, numeroSession;
        Epreuve* courante = nullptr;
        while (!m_xml.atEnd()) {
            const auto jeton = m_xml.readNext();
            if (jeton == QXmlStreamReader::DTD || jeton == QXmlStreamReader::EntityReference)
                refuser("déclaration de type de document ou entité refusée");
            if (jeton == QXmlStreamReader::EndElement) {
                if (m_xml.name() == u"EVENT")
                    courante = nullptr;
                else if (m_xml.name() == u"RESULT" && m_resultat) {
                    trierInter(dernier(r));
                    m_resultat = false;
                }
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
                reunion = true;
                r.nom = a.value("name").toString().trimmed();
                r.lieu = a.value("city").toString().trimmed();
                r.bassin = a.value("course").toString();
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
                r.series.insert(a.value("heatid").toString(), a.value("number").toString());
            } else if (nom == u"CLUB") {
                ClubLenex c;
                c.nom = a.value("name").toString().trimmed();
                c.code = a.value("code").toString().trimmed();
                c.nation = a.value("nation").toString();
                r.clubs.push_back(c);
                m_nageur = false;
            } else if (nom == u"ATHLETE" && !r.clubs.empty()) {
                Nageur n;
                n.id = a.value("athleteid").toString();
                n.nom = a.value("lastname").toString().trimmed();
                n.prenom = a.value("firstname").toString().trimmed();
                n.naissance = a.value("birthdate").toString().remove('-');
                n.sexe = a.value("gender").toString();
                n.licence = a.value("license").toString().trimmed();
                n.nation = a.value("nation").toString();
                r.clubs.back().nageurs.push_back(n);
                m_nageur = true;
            } else if (nom == u"RELAY" && !r.clubs.empty()) {
                m_nageur = false;
                m_numeroRelais = a.value("number").toString();
            } else if (nom == u"RESULT" && !r.clubs.empty()) {
                Resultat res;
                res.id = a.value("resultid").toString();
                res.epreuve = a.value("eventid").toString();
                res.temps = a.value("swimtime").toString();
                res.statut = a.value("status").toString();
                res.serie = a.value("heatid").toString();
                res.couloir = a.value("lane").toString();
                res.points = a.value("points").toString();
                res.relais = m_numeroRelais;
                ClubLenex& c = r.clubs.back();
                if (m_nageur && !c.nageurs.empty())
                    c.nageurs.back().resultats.push_back(res);
                else if (!m_nageur)
                    c.relais.push_back(res);
                m_resultat = true;
            } else if (nom == u"SPLIT" && m_resultat) {
                Resultat& res = dernier(r);
                res.inter << a.value("swimtime").toString();
                m_distances << a.value("distance").toInt();
            } else if (nom == u"RELAYPOSITION" && m_resultat && !m_nageur) {
                Resultat& res = dernier(r);
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
        return r;
    }

private:
    Resultat& dernier(Reunion& r)
    {
        ClubLenex& c = r.clubs.back();
        return m_nageur ? c.nageurs.back().resultats.back() : c.relais.back();
    }
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
    QString m_categorie, m_numeroRelais;
    QList<int> m_distances;
    bool m_nageur = false, m_resultat = false;
};

QString Description(const Epreuve& e)
{
    QString genre = e.genre == "F" ? "dames" : e.genre == "M" ? "messieurs" : e.genre == "X" ? "mixte" : e.genre;
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
std::map<int, LignePcomp> Ecrire_squelette(BaseEchange& base, const Reunion& r, const QString& numCompet, Journal& journal)
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
        const int code = catalogue.code(e);
        if (code < 0) {
            journal.ecrire("Épreuve ignorée, sans code dans le catalogue : " + Description(e) + ".");
            ++inconnues;
            continue;
        }
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
    return programme;
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

void Ecrire_resultats(BaseEchange& base, const Reunion& r, const QString& numCompet, const std::map<int, LignePcomp>&,
                      Journal& journal)
{
    const qint64 compet = numCompet.toLongLong();
    for (const char* table : {"Prres", "Prres_relais", "Categori", "Liffn", "Liffn_relais"}) {
        Requete sup(base.db(), QString("DELETE FROM ") + table + " WHERE Num_compet = ?");
        Executer(sup, {compet});
    }
    const Catalogue catalogue(base);
    struct Info {
        int code = -1;
        QString type;
        QDate jour;
    };
    QHash<QString, Info> epreuves;
    for (const Epreuve& e : r.epreuves)
        epreuves.insert(e.id, Info{catalogue.code(e), Type_course(e.tour), e.jour});

    QHash<QString, int> categories;
    {
        Requete ins(base.db(), "INSERT INTO Categori (Num_compet, Num_cat, Libelle) VALUES (?, ?, ?)");
        for (const QString& id : r.ordreCategories) {
            categories.insert(id, static_cast<int>(categories.size()) + 1);
            Executer(ins, {compet, categories.value(id), r.categories.value(id).left(50)});
        }
    }

    // Swimmers already known: by licence number first, then by identity.
    QHash<QString, qint64> parLicence, parIdentite;
    QSet<qint64> visibles;
    {
        Requete l(base.db(), "SELECT Num, Licence, Nom, Prenom, Date_Naissance, Visible FROM Licence "
                             "WHERE Nom IS NULL OR Nom <> 'Null' COLLATE BINARY ORDER BY Visible, Num");
        while (l.suivante()) {
            const qint64 num = Valeur_brute(l, 0).toLongLong();
            if (!Valeur_brute(l, 1).trimmed().isEmpty())
                parLicence.insert(Valeur_brute(l, 1).trimmed().toUpper(), num);
            parIdentite.insert(Identite(Valeur_brute(l, 2), Valeur_brute(l, 3), Valeur_brute(l, 4)), num);
            if (Valeur_brute(l, 5) == "1")
                visibles.insert(num);
        }
    }
    const int longueur = base.valeur("SELECT Longueur FROM Rcomp WHERE AutoNum = ?", {compet}).toInt();
    const QString lieu = r.lieu;
    qint64 numManuel = base.valeur("SELECT max(NumManuel) FROM Liffn").toLongLong();

    Requete clubExiste(base.db(), "SELECT Code_federal FROM Club WHERE Code_federal = ? OR (? = '' AND Intitule = ?)");
    Requete clubAjout(base.db(), "INSERT INTO Club (Code_federal, Intitule, Visible) VALUES (?, ?, 0)");
    Requete licAjout(base.db(), "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, 0)");
    const QString colonnes = "Num_compet, Code_epreuve, Num_Lic, Code_club, Num_equipe, Tps, Cotation_FFN, Type_course, "
                             "Numero_serie, Numero_couloir, Numero_ordre_couloir, Num_categorie, Inter1, Inter2, Inter3, "
                             "Inter4, Inter5, Inter6, Inter7, Inter8, Inter9, Inter10, Inter11, Inter12, Inter13, Inter14";
    const QString marques = "?" + QString(", ?").repeated(25);
    Requete prres(base.db(), "INSERT INTO Prres (" + colonnes + ") VALUES (" + marques + ")");
    Requete prresRelais(base.db(), "INSERT INTO Prres_relais (" + colonnes + ") VALUES (" + marques + ")");
    Requete liffn(base.db(), "INSERT INTO Liffn VALUES (?, ?, ?, ?, ?, ?, ?, ' ', ' ', ' ', ' ', ' ', 0, ?, ?, ?)");
    Requete liffnRelais(base.db(), "INSERT INTO Liffn_relais VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "' ', ' ', ' ', ' ', ?, ?)");
    qint64 numManuelRelais = base.valeur("SELECT max(NumManuel) FROM Liffn_relais").toLongLong();

    qint64 nbIndiv = 0, nbRelais = 0, nbPerfs = 0, nbNouveaux = 0, ignores = 0;
    QSet<QString> sansCode;
    auto ligne = [&](const Resultat& res, const Info& info, qint64 numLic, const QString& club, bool& garde) {
        garde = false;
        double tps = Code_statut(res.statut);
        if (tps == 0)
            tps = Temps_lenex(res.temps);
        if (tps == 0)
            return QVariantList();
        garde = true;
        QVariantList v{compet, info.code, numLic, club, res.relais.isEmpty() ? QVariant(0) : QVariant(res.relais.toInt()),
                       tps, res.points.isEmpty() ? QVariant() : QVariant(res.points.toInt()), info.type,
                       r.series.contains(res.serie) ? QVariant(r.series.value(res.serie).toInt()) : QVariant(),
                       res.couloir.isEmpty() ? QVariant() : QVariant(res.couloir.toInt()), QVariant(),
                       categories.value(r.categorieDuResultat.value(res.id), 0)};
        for (int i = 0; i < 14; ++i) {
            const double t = i < res.inter.size() ? Temps_lenex(res.inter[i]) : 0;
            v << (t > 0 ? QVariant(t) : QVariant());
        }
        return v;
    };

    for (const ClubLenex& c : r.clubs) {
        QString code = c.code;
        Relier(clubExiste, {code, code, c.nom});
        if (clubExiste.suivante())
            code = Valeur_brute(clubExiste, 0);
        else {
            if (code.isEmpty())
                code = (c.nation + c.nom).left(20);
            Executer(clubAjout, {code, c.nom});
            journal.detail("Club ajouté : " + c.nom + " (" + code + ").");
        }
        QHash<QString, qint64> nageursDuClub;
        for (const Nageur& n : c.nageurs) {
            qint64 num = n.licence.isEmpty() ? 0 : parLicence.value(n.licence.toUpper());
            if (!num)
                num = parIdentite.value(Identite(n.nom, n.prenom, n.naissance));
            if (!num) {
                Executer(licAjout, {code, n.licence, n.nom, n.prenom, n.sexe, n.naissance, n.nation});
                num = base.dernierId();
                parIdentite.insert(Identite(n.nom, n.prenom, n.naissance), num);
                ++nbNouveaux;
            }
            nageursDuClub.insert(n.id, num);
            for (const Resultat& res : n.resultats) {
                const Info info = epreuves.value(res.epreuve);
                if (info.code < 0) {
                    sansCode.insert(res.epreuve);
                    ++ignores;
                    continue;
                }
                bool garde = false;
                const QVariantList v = ligne(res, info, num, code, garde);
                if (!garde)
                    continue;
                Executer(prres, v);
                ++nbIndiv;
                const double tps = v[5].toDouble();
                if (visibles.contains(num) && tps < 91) {
                    const int age = info.jour.isValid() && n.naissance.size() == 8 ? info.jour.year() - n.naissance.left(4).toInt() : 0;
                    Executer(liffn, {info.code, code, num, longueur, info.jour.isValid() ? info.jour.toString("yyyyMMdd") : QVariant(),
                                     tps, lieu, age ? QVariant(age) : QVariant(), compet, ++numManuel});
                    ++nbPerfs;
                }
            }
        }
        for (const Resultat& res : c.relais) {
            const Info info = epreuves.value(res.epreuve);
            if (info.code < 0) {
                sansCode.insert(res.epreuve);
                ++ignores;
                continue;
            }
            bool garde = false;
            QVariantList v = ligne(res, info, 0, code, garde);
            if (!garde)
                continue;
            if (!res.relayeurs.empty())
                v[2] = nageursDuClub.value(res.relayeurs.front(), 0);
            Executer(prresRelais, v);
            ++nbRelais;
            // A team with one of our swimmers is one of ours: its time becomes a relay performance.
            QVariantList jambes;
            bool notre = false;
            for (size_t i = 0; i < 10; ++i) {
                const qint64 num = i < res.relayeurs.size() ? nageursDuClub.value(res.relayeurs[i], 0) : 0;
                notre = notre || visibles.contains(num);
                jambes << (num ? QVariant(num) : QVariant());
            }
            const double tps = v[5].toDouble();
            if (notre && tps < 91) {
                Executer(liffnRelais, QVariantList{info.code, code, v[4], longueur,
                                                   info.jour.isValid() ? info.jour.toString("yyyyMMdd") : QVariant(), tps, lieu}
                                          + jambes + QVariantList{compet, ++numManuelRelais});
                ++nbPerfs;
            }
        }
    }
    journal.fermerDetails();
    journal.ecrire(Nombre(nbIndiv, "résultat individuel importé", "résultats individuels importés") + ".");
    journal.ecrire(Nombre(nbRelais, "résultat de relais importé", "résultats de relais importés") + ".");
    journal.ecrire(Nombre(nbPerfs, "performance ajoutée", "performances ajoutées") + " aux nageurs du club.");
    journal.ecrire(Nombre(nbNouveaux, "nageur ajouté", "nageurs ajoutés") + " (absents des listes de licences).");
    if (ignores)
        journal.ecrire(Nombre(ignores, "résultat ignoré", "résultats ignorés") + " (épreuve sans code).");
}

// Both imports read the file whole before the base is touched, so a broken file writes
// nothing; the results import writes the skeleton, then the results, in one transaction.
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
        const Reunion reunion = LecteurLenex(chemin).lire();
        BaseEchange base(Texte(a[0]), false);
        base.commencer();
        const auto programme = Ecrire_squelette(base, reunion, numCompet, journal);
        if (m_resultats)
            Ecrire_resultats(base, reunion, numCompet, programme, journal);
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
