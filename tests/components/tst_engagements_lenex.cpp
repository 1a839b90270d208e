// The entry file: it names the organiser's events when the meet came from the organiser's file,
// events of our own otherwise, refuses entries in events out of the programme, and holds what a
// Lenex 3.0 reader requires.

#include "core/progression.h"
#include "tests/components/outils_echange.h"

#include <QTest>
#include <QXmlStreamReader>

#include <map>

namespace {

// The attributes a Lenex 3.0 reader requires of the elements an entry file holds.
const std::map<QString, QStringList> kObligatoires = {
    {"LENEX", {"version"}},
    {"CONSTRUCTOR", {"name", "registration", "version"}},
    {"CONTACT", {"email"}},
    {"MEET", {"name", "city", "nation"}},
    {"SESSION", {"number", "date"}},
    {"EVENT", {"eventid", "number"}},
    {"SWIMSTYLE", {"distance", "relaycount", "stroke"}},
    {"CLUB", {"name"}},
    {"ATHLETE", {"athleteid", "lastname", "firstname", "gender", "birthdate"}},
    {"ENTRY", {"eventid"}},
    {"RELAY", {"number", "gender", "agemin", "agemax", "agetotalmin", "agetotalmax"}},
    {"RELAYPOSITION", {"number", "athleteid"}},
};

// An entry file as a reader sees it: each EVENT as "eventid|number|gender|round", each ENTRY
// as its owner and eventid (its entry time in `temps`, in file order), each RELAY as its number
// and age limits; what a Lenex 3.0 reader would miss goes to `manques`.
struct FichierEngagements {
    QStringList epreuves, engagements, relais, manques;
    QString nation, contact;
    QStringList temps;
};

FichierEngagements Lire_engagements(const QString& chemin)
{
    FichierEngagements f;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return f;
    QXmlStreamReader x(&fichier);
    QString proprietaire;
    bool constructeur = false;
    while (!x.atEnd()) {
        if (x.readNext() == QXmlStreamReader::EndElement && x.name() == u"CONSTRUCTOR")
            constructeur = false;
        if (x.tokenType() != QXmlStreamReader::StartElement)
            continue;
        const QString nom = x.name().toString();
        const auto a = x.attributes();
        const auto obligatoires = kObligatoires.find(nom);
        if (obligatoires != kObligatoires.end())
            for (const QString& att : obligatoires->second)
                if (a.value(att).isEmpty())
                    f.manques << nom + "@" + att;
        if (nom == "CONSTRUCTOR")
            constructeur = true;
        else if (nom == "CONTACT" && constructeur)
            f.contact = a.value("email").toString();
        else if (nom == "MEET")
            f.nation = a.value("nation").toString();
        else if (nom == "EVENT")
            f.epreuves << QStringList{a.value("eventid").toString(), a.value("number").toString(), a.value("gender").toString(),
                                      a.value("round").toString()}
                              .join('|');
        else if (nom == "ATHLETE")
            proprietaire = a.value("firstname").toString();
        else if (nom == "RELAY") {
            proprietaire = "relais " + a.value("number").toString();
            f.relais << QStringList{a.value("number").toString(), a.value("gender").toString(), a.value("agemin").toString(),
                                    a.value("agemax").toString(), a.value("agetotalmin").toString(),
                                    a.value("agetotalmax").toString()}
                            .join('|');
        } else if (nom == "ENTRY") {
            f.engagements << proprietaire + " " + a.value("eventid").toString();
            f.temps << a.value("entrytime").toString();
        }
    }
    if (x.hasError())
        f.manques << x.errorString();
    return f;
}

// The EVENTs of a meet file, "eventid|number".
QStringList Epreuves_lenex(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader x(&fichier);
    QStringList v;
    while (!x.atEnd())
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"EVENT")
            v << x.attributes().value("eventid").toString() + "|" + x.attributes().value("number").toString();
    return v;
}

// A meet with a heat round and its final, an event open to all and a relay open to all.
const QByteArray kReunion =
    "<LENEX version='3.0'><MEETS><MEET name='Open de Caen' city='Caen' course='SCM' nation='FRA'><SESSIONS>"
    "<SESSION number='1' date='2025-03-01'><EVENTS>"
    "<EVENT eventid='501' number='7' gender='F' round='PRE'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "<EVENT eventid='640' number='9' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='BACK'/></EVENT>"
    "<EVENT eventid='502' number='8' gender='F' round='FIN' preveventid='501'><SWIMSTYLE distance='100' relaycount='1' "
    "stroke='FREE'/></EVENT>"
    "<EVENT eventid='700' number='12' gender='A' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='FREE'/></EVENT>"
    "</EVENTS></SESSION></SESSIONS></MEET></MEETS></LENEX>";

// An invitation shaped as regional meets write them: per stroke, distance and sex a youth event
// (8-18) and a masters one (19 and over, ranked in bands), both on one of our codes; a final ranked
// on part of its heats' ages, an event without eventid and one we have no code for, which holds the highest id and
// number of the file.
const QByteArray kInvitationAges =
    "<LENEX version='3.0'><MEETS><MEET name='Кубок' city='Мытищи' course='LCM' nation='RUS'>"
    "<AGEDATE value='2025-03-01' type='YEAR'/><SESSIONS>"
    "<SESSION number='1' date='2025-03-01'><EVENTS>"
    "<EVENT eventid='1064' number='1' gender='F' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='BACK'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='1' agemin='8' agemax='18'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='1065' number='2' gender='M' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='2' agemin='8' agemax='12'/><AGEGROUP agegroupid='3' agemin='13' agemax='18'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='1070' number='3' gender='X' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='FREE'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='4' agemin='8' agemax='18'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='3000' number='40' gender='F' round='TIM'><SWIMSTYLE distance='25' relaycount='1' stroke='KICK'/></EVENT>"
    "</EVENTS></SESSION><SESSION number='2' date='2025-03-02'><EVENTS>"
    "<EVENT eventid='2146' number='31' gender='F' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='BACK'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='5' agemin='19' agemax='-1'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='2147' number='32' gender='M' round='PRE'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='6' agemin='19' agemax='29'/><AGEGROUP agegroupid='7' agemin='30' agemax='-1'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='2148' number='34' gender='M' round='FIN'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='8' agemin='25' agemax='-1'/></AGEGROUPS></EVENT>"
    "<EVENT eventid='2150' number='33' gender='X' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='FREE'/>"
    "<AGEGROUPS><AGEGROUP agegroupid='9' agemin='19' agemax='-1'/><AGEGROUP agegroupid='10' agemin='100' agemax='-1' "
    "calculate='TOTAL'/></AGEGROUPS></EVENT>"
    "<EVENT number='35' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='BACK'/></EVENT>"
    "</EVENTS></SESSION></SESSIONS></MEET></MEETS></LENEX>";

// The runner window as a component sees it when it asks: every question recorded, one answer.
class Repondant : public QObject, public CibleQuestion {
    Q_OBJECT
    Q_INTERFACES(CibleQuestion)
public:
    explicit Repondant(bool reponse) : m_reponse(reponse) {}
    bool demanderConfirmation(const QString& texte) override
    {
        questions << texte;
        return m_reponse;
    }
    QStringList questions;

private:
    bool m_reponse;
};

} // namespace

class TstEngagementsLenex : public QObject {
    Q_OBJECT

    std::unique_ptr<RepertoireTest> m_rep;
    std::unique_ptr<BaseFichier> m_base;
    qint64 m_tom = 0, m_zoe = 0, m_lea = 0, m_max = 0;

    QString trace() const { return m_rep->fichier("trace.txt"); }
    QString sortie() const { return m_rep->dossier("sortie"); }
    QString competition() const
    {
        return QString::number(m_base->executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)"));
    }
    ResultatAppel squelette(const QString& source, const QString& compet, QObject* fenetre = nullptr) const
    {
        return Appeler_composant("MeetSkeletonImporter", "bimport_squelette",
                                 {m_base->chemin(), source, m_rep->dossier("temp"), trace(),
                                  fenetre ? QVariant::fromValue(fenetre) : QVariant(), compet, true},
                                 trace());
    }
    // Our entry file read back by our skeleton reader into another competition of this base, as
    // the organiser's base would read it: the meet is there already, without results, so nothing
    // is asked.
    ResultatAppel relire(const QString& compet) const
    {
        Repondant oui(true);
        const ResultatAppel l = squelette(sortie(), compet, &oui);
        if (!oui.questions.isEmpty())
            return {false, "question inattendue : " + oui.questions.join(" / ") + "\n" + l.trace};
        return l;
    }
    ResultatAppel engagements(const QString& compet) const
    {
        return Appeler_composant("EntryFilesBuilder", "bCreation_disquette",
                                 {"1", false, compet, m_base->chemin(), sortie(), trace(), QVariant()}, trace());
    }
    // The entry file written for the competition; a failed run gives its trace as what is missing.
    FichierEngagements fichierEngagements(const QString& compet) const
    {
        const ResultatAppel r = engagements(compet);
        if (!r.resultat.toBool())
            return FichierEngagements{{}, {}, {}, {r.trace}, {}, {}, {}};
        return Lire_engagements(sortie() + "/engagements.lef");
    }
    // A competition typed by hand, its programme to fill.
    QString competitionSaisie() const
    {
        return QString::number(m_base->executer(
            "INSERT INTO Rcomp (Nom, Lieu, Debut, Fin, Longueur) VALUES ('Meeting', 'Lille', '20240608', '20240609', 25)"));
    }
    // A competition typed by hand with a relay and an individual event, a mixed team of the club
    // entered in the first and Zoé in the second.
    QString competitionEngagee() const
    {
        const QString compet = competitionSaisie();
        programme(compet, 14, 1, 1);
        programme(compet, 11, 1, 2);
        engager(compet, 11, m_zoe);
        engagerRelais(compet, 14, 0, true, 1);
        return compet;
    }
    void engager(const QString& compet, int code, qint64 licence) const
    {
        m_base->executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Tps_engagement) VALUES (?, 1, ?, ?, 0)",
                         {compet, code, licence});
    }
    // A relay team of a club team (number, mixed), with its ordinal in that club team and event.
    void engagerRelais(const QString& compet, int code, int equipe, bool mixte, int ordinal) const
    {
        m_base->executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte, Tps, "
                         "Licence1, Licence2, Licence3, Licence4) VALUES (1, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?)",
                         {compet, code, ordinal, equipe, mixte, m_tom, m_zoe, m_lea, m_max});
    }
    void programme(const QString& compet, int code, int jour, int ordre) const
    {
        m_base->executer("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre) "
                         "VALUES (?, ?, ?, 1, '0', ' ', ?)",
                         {compet, code, jour, ordre});
    }

private slots:
    void init()
    {
        m_rep = std::make_unique<RepertoireTest>();
        m_base = std::make_unique<BaseFichier>(m_rep->fichier("base.mdb"));
        m_base->executer("INSERT INTO Club (Code_federal, Intitule, Mail) VALUES ('C1', 'Cercle des nageurs', 'cn@exemple.fr')");
        m_base->executer("INSERT INTO Profil (Num, Libelle, Code_club) VALUES (1, 'Cercle', 'C1')");
        const QString lic = "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) VALUES ('C1', '', ?, ?, ?, ?)";
        m_tom = m_base->executer(lic, {"MARTIN", "Tom", "M", "19700101"});
        m_zoe = m_base->executer(lic, {"DUPONT", "Zoé", "F", "19750314"});
        m_lea = m_base->executer(lic, {"DURAND", "Léa", "F", "19800101"});
        m_max = m_base->executer(lic, {"PETIT", "Max", "M", "19720101"});
    }
    void cleanup()
    {
        m_base.reset();
        m_rep.reset();
    }

    // The organiser's meet, imported as a skeleton, gets back its own event ids and numbers;
    // relays are numbered from 1 per event and club, whatever their club team; our reader
    // finds the same programme in what we send.
    void organisateur_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::newRow("lef") << "meet-entries.lef";
        QTest::newRow("lxf") << "meet-entries.lxf";
    }
    void organisateur()
    {
        QFETCH(QString, fichier);
        const QString conformite = Dossier_conformite();
        if (conformite.isEmpty())
            QSKIP("fichiers de conformité absents");
        const QString compet = competition();
        const QString source = m_rep->dossier("source");
        QVERIFY(QFile::copy(conformite + "/" + fichier, source + "/" + fichier));
        const ResultatAppel s = squelette(source, compet);
        QVERIFY2(s.resultat.toBool(), qPrintable(s.trace));

        engager(compet, 51, m_tom); // men's 50 m freestyle: eventid 1300, number 12
        engager(compet, 56, m_tom); // the 1500 m open to all, for each sex: eventid 7347
        engager(compet, 6, m_zoe);
        engager(compet, 1, m_lea);
        engagerRelais(compet, 14, 0, true, 1); // mixed 4 x 50 m freestyle: eventid 1540
        engagerRelais(compet, 14, 1, true, 1);
        engagerRelais(compet, 16, 0, true, 1); // mixed 4 x 50 m medley: eventid 1175
        const FichierEngagements f = fichierEngagements(compet);
        QVERIFY2(f.manques.isEmpty(), qPrintable(f.manques.join(", ")));
        QCOMPARE(f.nation, QString("SUI"));
        QCOMPARE(f.contact, QString("cn@exemple.fr"));
        QCOMPARE(f.engagements, (QStringList{"Tom 1300", "Tom 7347", "Zoé 7347", "Léa 1298", "relais 1 1540", "relais 2 1540",
                                             "relais 1 1175"}));
        QCOMPARE(f.relais, (QStringList{"1|X|-1|-1|-1|-1", "2|X|-1|-1|-1|-1", "1|X|-1|-1|-1|-1"}));

        // Every event we write is the organiser's, with its number; the two relays open to all
        // share their codes with the mixed relays and are not ours to enter.
        QStringList ecrites;
        for (const QString& e : f.epreuves)
            ecrites << e.section('|', 0, 1);
        QStringList attendues = Epreuves_lenex(conformite + "/meet-entries.lef");
        attendues.removeAll("7349|35");
        attendues.removeAll("11716|34");
        ecrites.sort();
        attendues.sort();
        QCOMPARE(ecrites, attendues);
        QVERIFY(f.epreuves.contains("7347|18||TIM"));

        // Read back by our skeleton reader: the same programme and the same ids.
        const QString retour = competition();
        const ResultatAppel l = relire(retour);
        QVERIFY2(l.resultat.toBool(), qPrintable(l.trace));
        const QString pcomp = "SELECT Code_epreuve, JourCourse FROM Pcomp WHERE Num_compet = ? ORDER BY Code_epreuve";
        QCOMPARE(m_base->lignes(pcomp, {retour}), m_base->lignes(pcomp, {compet}));
        QCOMPARE(Lire_engagements(sortie() + "/engagements.lef").engagements, f.engagements);
        const QString ids = "SELECT Code_epreuve, Eventid, Numero FROM Lenex_epreuve WHERE Num_compet = ? ORDER BY Code_epreuve";
        QCOMPARE(m_base->lignes(ids, {retour}), m_base->lignes(ids, {compet}));
    }

    // An event the user added to the organiser's programme gets an id and a number beyond the
    // organiser's; entries go to the first round of an event; a second import replaces the ids.
    void epreuveAjoutee()
    {
        const QString compet = competition();
        const QString source = m_rep->dossier("source");
        Ecrire_fichier(source + "/reunion.lef", QByteArray(kReunion).replace("eventid='501'", "eventid='401'"));
        QVERIFY(squelette(source, compet).resultat.toBool());
        Ecrire_fichier(source + "/reunion.lef", kReunion);
        QVERIFY(squelette(source, compet).resultat.toBool());
        QCOMPARE(m_base->lignes("SELECT Code_epreuve, Eventid, Numero FROM Lenex_epreuve WHERE Num_compet = ? ORDER BY 1",
                                {compet}),
                 (QStringList{"2|501|7", "11|640|9", "14|700|12", "61|640|9"}));
        programme(compet, 52, 1, 20);
        engager(compet, 2, m_zoe);
        engager(compet, 11, m_zoe);
        engager(compet, 61, m_tom);
        engager(compet, 52, m_tom);
        engagerRelais(compet, 14, 0, true, 1);
        const FichierEngagements f = fichierEngagements(compet);
        QVERIFY2(f.manques.isEmpty(), qPrintable(f.manques.join(", ")));
        QCOMPARE(f.epreuves, (QStringList{"501|7|F|PRE", "640|9||TIM", "700|12|A|TIM", "701|13|M|TIM"}));
        QCOMPARE(f.engagements, (QStringList{"Tom 701", "Tom 640", "Zoé 501", "Zoé 640", "relais 1 700"}));
    }

    // Youth and masters events of one stroke: each entry goes to the event of the swimmer's age at
    // the meet's age date, a relay to the one holding every leg; an event we add is numbered after
    // every id and number of the organiser's file; our reader finds the same events and ages again.
    void epreuvesParAge()
    {
        const QString compet = competition();
        const QString source = m_rep->dossier("source");
        Ecrire_fichier(source + "/invitation.lef", kInvitationAges);
        const ResultatAppel s = squelette(source, compet);
        QVERIFY2(s.resultat.toBool(), qPrintable(s.trace));
        // What the entry file cannot name is in the trace.
        for (const char* ligne : {"Épreuve non reprise pour les engagements, épreuve 34 (Messieurs 50 NL, Finale) : ses engagés vont "
                                  "à l'épreuve 32 (Messieurs 50 NL, Série), de même nage et d'âges communs (19 ans et plus).",
                                  "Épreuve non reprise pour les engagements, épreuve 35 (Dames 100 Dos, Finale) : "
                                  "l'organisateur ne lui donne pas d'identifiant.",
                                  "Épreuve ignorée, sans code dans le catalogue : épreuve 40 (Dames 25 KICK, Finale)."})
            QVERIFY2(s.trace.contains(QString::fromUtf8(ligne)), qPrintable(s.trace));
        programme(compet, 52, 2, 20);
        const qint64 ado = m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) "
                                            "VALUES ('C1', '', 'PETROVA', 'Anna', 'F', '20120314')");
        const qint64 nee1990 = m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) "
                                                "VALUES ('C1', '', 'IVANOVA', 'Olga', 'F', '19900101')");
        engager(compet, 11, ado);
        engager(compet, 11, nee1990);
        engager(compet, 51, m_tom);
        engager(compet, 52, m_max);
        engagerRelais(compet, 14, 0, true, 1);
        const FichierEngagements f = fichierEngagements(compet);
        QVERIFY2(f.manques.isEmpty(), qPrintable(f.manques.join(", ")));
        QCOMPARE(f.engagements, (QStringList{"Tom 2147", "Max 3002", "Anna 1064", "Olga 2146", "relais 1 2150"}));
        // Our own events (the 100 m back the organiser gave no id, the 100 m free we added) come
        // after the organiser's highest id and number, those of an event we have no code for.
        QCOMPARE(f.epreuves, (QStringList{"1064|1|F|TIM", "2146|31|F|TIM", "1065|2|M|TIM", "2147|32|M|PRE", "1070|3|X|TIM",
                                          "2150|33|X|TIM", "3001|41|F|TIM", "3002|42|M|TIM"}));

        const QString retour = competition();
        const ResultatAppel l = relire(retour);
        QVERIFY2(l.resultat.toBool(), qPrintable(l.trace));
        const QString ids = "SELECT Code_epreuve, Eventid, Numero, Age_min, Age_max, Age_total_min, Age_total_max FROM Lenex_epreuve "
                            "WHERE Num_compet = ? AND CAST(Eventid AS INTEGER) < 3000 ORDER BY Code_epreuve, Eventid";
        QCOMPARE(m_base->lignes(ids, {retour}), m_base->lignes(ids, {compet}));
        QCOMPARE(m_base->lignes(ids, {compet}),
                 (QStringList{"11|1064|1|8|18|-1|-1", "11|2146|31|19|-1|-1|-1", "14|1070|3|8|18|-1|-1", "14|2150|33|19|-1|100|-1",
                              "51|1065|2|8|18|-1|-1", "51|2147|32|19|-1|-1|-1"}));
    }

    // The age counted as the organiser says (the year's difference, or the age on the day); an
    // entry no event of its age takes, or a relay no event holds, refuses the file naming it.
    void agesRefuses_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("naissance");
        QTest::addColumn<bool>("relais");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("19 ans dans l'année") << "YEAR" << "20060601" << false << "Zoé 2146";
        QTest::newRow("18 ans le jour dit") << "DATE" << "20060601" << false << "Zoé 1064";
        QTest::newRow("trop jeune") << "YEAR" << "20200101" << false
                                    << "DUPONT Zoé (né(e) le 01/01/2020, 5 ans) : Dames 50 Dos ; épreuves de l'organisateur pour "
                                       "8-18 ans, 19 ans et plus";
        QTest::newRow("date de naissance inconnue") << "YEAR" << "" << false << "DUPONT Zoé (date de naissance inconnue)";
        QTest::newRow("relais d'âges mêlés") << "YEAR" << "20120314" << true
                                              << "Relais Cercle des nageurs, Individuel, Equipe 1 : 4 x 50 m N.L. Mixte (relayeurs "
                                                 "de 55, 13, 45, 53 ans) ; épreuves de l'organisateur pour 8-18 ans, 19 ans et plus, "
                                                 "total 100 ans et plus";
    }
    void agesRefuses()
    {
        QFETCH(QString, type);
        QFETCH(QString, naissance);
        QFETCH(bool, relais);
        QFETCH(QString, attendu);
        const QString compet = competition();
        const QString source = m_rep->dossier("source");
        Ecrire_fichier(source + "/invitation.lef", QByteArray(kInvitationAges).replace("type='YEAR'", "type='" + type.toUtf8() + "'"));
        QVERIFY(squelette(source, compet).resultat.toBool());
        m_base->executer("UPDATE Licence SET Date_Naissance = ? WHERE Num = ?", {naissance, m_zoe});
        if (relais)
            engagerRelais(compet, 14, 0, true, 1);
        else
            engager(compet, 11, m_zoe);
        const ResultatAppel r = engagements(compet);
        if (attendu.startsWith("Zoé")) {
            QCOMPARE(Lire_engagements(sortie() + "/engagements.lef").engagements, QStringList{attendu});
            return;
        }
        QVERIFY2(!r.resultat.toBool() && r.trace.contains("aucune épreuve de l'organisateur n'accepte") && r.trace.contains(attendu),
                 qPrintable(r.trace));
        QCOMPARE(QDir(sortie()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Names holding characters XML forbids are written without them, each named in the trace;
    // what we write our reader reads.
    void caracteresInterdits_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("code");
        QTest::newRow("U+0001") << QString("DU\x01PONT") << "U+0001";
        QTest::newRow("échappement") << QString("DU\x1bPONT") << "U+001B";
        QTest::newRow("tabulation verticale") << QString("DU\x0bPONT") << "U+000B";
        QTest::newRow("U+FFFE") << (QString("DU") + QChar(0xFFFE) + "PONT") << "U+FFFE";
        QTest::newRow("NUL") << (QString("DU") + QChar(0) + "PONT") << "U+0000";
    }
    void caracteresInterdits()
    {
        QFETCH(QString, nom);
        QFETCH(QString, code);
        const QString compet = competitionSaisie();
        programme(compet, 11, 1, 1);
        m_base->executer("UPDATE Licence SET Nom = ? WHERE Num = ?", {nom, m_zoe});
        m_base->executer("UPDATE Club SET Intitule = ? WHERE Code_federal = 'C1'", {"Cercle\x1b des nageurs"});
        engager(compet, 11, m_zoe);
        const ResultatAppel r = engagements(compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("Nageur DUPONT Zoé, nom : 1 caractère qu'un fichier Lenex ne peut contenir, laissé de côté (" + code + ")"),
                 qPrintable(r.trace));
        QVERIFY2(r.trace.contains("Club Cercle des nageurs, nom : 1 caractère"), qPrintable(r.trace));
        const FichierEngagements f = Lire_engagements(sortie() + "/engagements.lef");
        QVERIFY2(f.manques.isEmpty(), qPrintable(f.manques.join(", ")));
        QCOMPARE(f.engagements, QStringList{"Zoé 1"});
        const QString retour = competition();
        const ResultatAppel l = squelette(sortie(), retour);
        QVERIFY2(l.resultat.toBool(), qPrintable(l.trace));
    }

    // A relay with one swimmer on two legs, or a name too long for a meet file: refused, named,
    // and no file written.
    void composantsRefuses_data()
    {
        QTest::addColumn<bool>("repete");
        QTest::addColumn<QString>("message");
        QTest::newRow("relayeur deux fois") << true
                                            << "Relais où un même nageur court plusieurs fois (corrigez la composition de ces "
                                               "équipes) :\n  Relais Cercle des nageurs, Individuel, Equipe 1 : 4 x 50 m N.L. "
                                               "Mixte : MARTIN Tom";
        QTest::newRow("nom de 70 000 caractères") << false << "Textes trop longs pour un fichier Lenex (plus de 255 caractères ; "
                                                              "corrigez-les) :\n  Nageur " + QString(60, 'A') + "… Zoé, nom : 70000 caractères";
    }
    void composantsRefuses()
    {
        QFETCH(bool, repete);
        QFETCH(QString, message);
        const QString compet = competitionEngagee();
        if (repete)
            m_base->executer("UPDATE Relais SET Licence2 = Licence1");
        else
            m_base->executer("UPDATE Licence SET Nom = ? WHERE Num = ?", {QString(70000, 'A'), m_zoe});
        const ResultatAppel r = engagements(compet);
        QVERIFY2(!r.resultat.toBool() && r.trace.contains(message) && r.trace.contains("aucun fichier n'a été produit"),
                 qPrintable(r.trace));
        QCOMPARE(QDir(sortie()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // An entry time that cannot be (typed "2745" in the entry window) is sent as no time, "NT", and
    // the trace names the entry and why; a time that can be is written, and no time is "NT" unnamed.
    void tempsImpossibles_data()
    {
        QTest::addColumn<QVariant>("temps");
        QTest::addColumn<QString>("ecrit");
        QTest::addColumn<QString>("raison"); // "": nothing named
        QTest::newRow("2745 minutes") << QVariant(2745) << "NT" << "2745.0000 (91 minutes ou plus)";
        QTest::newRow("91 minutes") << QVariant(91.0) << "NT" << "91.0000 (91 minutes ou plus)";
        QTest::newRow("75 secondes") << QVariant(1.75) << "NT" << "1.7500 (60 secondes ou plus)";
        QTest::newRow("négatif") << QVariant(-1.05) << "NT" << "-1.0500 (temps négatif)";
        QTest::newRow("texte") << QVariant("1'05") << "NT" << "« 1'05 » (ce n'est pas un temps)";
        QTest::newRow("possible") << QVariant(1.0532) << "00:01:05.32" << "";
        QTest::newRow("90 min 59 s 99") << QVariant(90.5999) << "01:30:59.99" << "";
        QTest::newRow("sans temps") << QVariant(0) << "NT" << "";
        QTest::newRow("Null") << QVariant() << "NT" << "";
    }
    void tempsImpossibles()
    {
        QFETCH(QVariant, temps);
        QFETCH(QString, ecrit);
        QFETCH(QString, raison);
        const QString compet = competitionEngagee();
        m_base->executer("UPDATE Engag SET Tps_engagement = ?", {temps});
        m_base->executer("UPDATE Relais SET Tps = ?", {temps});
        const ResultatAppel r = engagements(compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(Lire_engagements(sortie() + "/engagements.lef").temps, (QStringList{ecrit, ecrit}));
        if (raison.isEmpty()) {
            QVERIFY2(!r.trace.contains("Temps d'engagement impossibles"), qPrintable(r.trace));
            return;
        }
        QVERIFY2(r.trace.contains("Temps d'engagement impossibles, remplacés par NT (sans temps) ; corrigez-les dans les engagements :\n"
                                  "  DUPONT Zoé : Dames 50 Dos : " + raison + "\n"
                                  "  Relais Cercle des nageurs, Individuel, Equipe 1 : 4 x 50 m N.L. Mixte : " + raison + "\n"),
                 qPrintable(r.trace));
    }

    // A meet typed by hand: ids of our own, numbers in the programme's order, nation FRA.
    void saisieManuelle()
    {
        const QString compet = competitionSaisie();
        programme(compet, 14, 2, 1);
        programme(compet, 0, 1, 2);
        programme(compet, 52, 1, 1);
        engager(compet, 0, m_zoe);
        engager(compet, 52, m_tom);
        engagerRelais(compet, 14, 1, true, 2);
        const FichierEngagements f = fichierEngagements(compet);
        QVERIFY2(f.manques.isEmpty(), qPrintable(f.manques.join(", ")));
        QCOMPARE(f.nation, QString("FRA"));
        QCOMPARE(f.epreuves, (QStringList{"1|1|M|TIM", "2|2|F|TIM", "3|3|X|TIM"}));
        QCOMPARE(f.engagements, (QStringList{"Tom 1", "Zoé 2", "relais 1 3"}));
    }

    // An entry in an event the competition does not hold: the run fails, names it, and writes nothing.
    void horsProgramme_data()
    {
        QTest::addColumn<bool>("avecProgramme");
        QTest::addColumn<int>("individuel");
        QTest::addColumn<int>("relais");
        QTest::addColumn<QString>("message");
        QTest::newRow("individuel") << true << 52 << -1 << "MARTIN Tom : Messieurs 100 NL";
        QTest::newRow("relais") << true << -1 << 14 << "Relais Cercle des nageurs, Individuel, Equipe 1 : 4 x 50 m N.L. Mixte";
        QTest::newRow("sans programme") << false << 2 << -1 << "MARTIN Tom : Dames 100 NL";
    }
    void horsProgramme()
    {
        QFETCH(bool, avecProgramme);
        QFETCH(int, individuel);
        QFETCH(int, relais);
        QFETCH(QString, message);
        const QString compet = competitionSaisie();
        if (avecProgramme) {
            programme(compet, 2, 1, 1);
            engager(compet, 2, m_zoe);
        }
        if (individuel >= 0)
            engager(compet, individuel, m_tom);
        if (relais >= 0)
            engagerRelais(compet, relais, 0, true, 1);
        const ResultatAppel r = engagements(compet);
        QVERIFY2(!r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("absentes du programme") && r.trace.contains(message)
                     && r.trace.contains("aucun fichier n'a été produit"),
                 qPrintable(r.trace));
        QCOMPARE(QDir(sortie()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_MAIN(TstEngagementsLenex)
#include "tst_engagements_lenex.moc"
