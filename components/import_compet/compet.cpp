// MeetSkeletonImporter: a meet in the Lenex 3.0 exchange format (".lef", or ".lxf" holding one)
// gives the competition its name, place, dates, pool and programme.
//   bimport_squelette(base, source, temp, trace, window, strNumCompet, bNewCompet)
// The file is streamed; a document type declaration or an entity is refused, so that no
// expansion can blow up. Events our catalogue has no code for are named and skipped.

#include "components/echange_commun/echange.h"

#include "core/base.h"
#include "core/fichiers.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

#include <sqlite3.h>

#include <map>

namespace {

using namespace Echange;

struct Epreuve {
    QString id, numero, genre, tour, nage, session;
    int distance = 0, relayeurs = 1, ordre = 0;
    QDate jour;
};

struct Reunion {
    QString nom, lieu, bassin;
    int couloirs = 0;
    QDate debut, fin;
    std::vector<Epreuve> epreuves;
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
            if (jeton == QXmlStreamReader::EndElement && m_xml.name() == u"EVENT")
                courante = nullptr;
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
    [[noreturn]] void refuser(const QString& raison)
    {
        QString element = m_xml.name().toString();
        throw Refus(m_nom + ", ligne " + QString::number(m_xml.lineNumber())
                    + (element.isEmpty() ? QString() : ", élément " + element) + " : " + raison + ".");
    }
    QFile m_fichier;
    QXmlStreamReader m_xml;
    QString m_nom;
};

// Our event catalogue, found by stroke, whole distance, swimmers and gender.
class Catalogue {
public:
    explicit Catalogue(const BaseEchange& base)
    {
        Requete r(base.db(), "SELECT Code_Nage, Libelle, Nb_nageurs, Sexe, Mixte, Distance FROM Nage");
        while (r.suivante()) {
            const QString libelle = Valeur_brute(r, 1);
            QString nage;
            if (libelle.contains("4 Nages"))
                nage = "MEDLEY";
            else if (libelle.contains("N.L.") || libelle.contains(" NL"))
                nage = "FREE";
            else if (libelle.contains("Dos"))
                nage = "BACK";
            else if (libelle.contains("Brasse"))
                nage = "BREAST";
            else if (libelle.contains("Papillon"))
                nage = "FLY";
            const QString genre = Valeur_brute(r, 4) == "1" ? QString("X") : Valeur_brute(r, 3).toUpper();
            m_codes.insert(cle(nage, Valeur_brute(r, 5).toInt(), Valeur_brute(r, 2).toInt(), genre),
                           Valeur_brute(r, 0).toInt());
        }
    }
    // -1 when the catalogue has no such event.
    int code(const Epreuve& e) const
    {
        return m_codes.value(cle(e.nage, e.distance * e.relayeurs, e.relayeurs, e.genre.toUpper()), -1);
    }

private:
    static QString cle(const QString& nage, int distance, int nageurs, const QString& genre)
    {
        return nage + '/' + QString::number(distance) + '/' + QString::number(nageurs) + '/' + genre;
    }
    QHash<QString, int> m_codes;
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

class MeetSkeletonImporter : public ComposantEchange {
public:
    static constexpr const char* nomClasse = "MeetSkeletonImporter";
    MeetSkeletonImporter() : ComposantEchange("bimport_squelette", 7, 3, "Import du squelette de compétition", true) {}

protected:
    bool executer(const QVariantList& a, Journal& journal) override
    {
        const QString numCompet = Texte(a[5]).trimmed();
        if (numCompet.toLongLong() <= 0)
            throw Refus("Aucune compétition cible.");
        const QString chemin = Fichier_lenex(Texte(a[1]), Texte(a[2]));
        journal.ecrire("Fichier lu : " + QFileInfo(chemin).fileName());
        // Read whole before the base is touched: a broken file writes nothing.
        const Reunion reunion = LecteurLenex(chemin).lire();
        BaseEchange base(Texte(a[0]), false);
        base.commencer();
        Ecrire_squelette(base, reunion, numCompet, journal);
        base.valider();
        return true;
    }
};

} // namespace

QV_COMPOSANTS_ECHANGE(MeetSkeletonImporter)
