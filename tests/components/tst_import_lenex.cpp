// The Lenex meet importers, on files the tests write and on a meet written by another program.

#include "core/fenetres.h"
#include "core/listes.h"
#include "fenetres_test.h"
#include "port_test.h"
#include "results/frm_view_result.h"
#include "tests/components/outils_echange.h"
#include "zip_brut.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// A small meet: two days, a timed final, heats with an A final, a relay and an event we have no code for.
const QByteArray kPetiteReunion =
    "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
    "<LENEX version='3.0'><CONSTRUCTOR name='x'/>\n"
    " <MEETS><MEET name=\"Meeting d'\xE9t\xE9\" city='Lille' course='LCM' nation='FRA'>\n"
    "  <POOL lanemin='0' lanemax='9'/><INCONNU foo='1'><SOUS/></INCONNU>\n"
    "  <SESSIONS>\n"
    "   <SESSION number='1' date='2024-06-08'><EVENTS>\n"
    "    <EVENT eventid='10' number='1' order='1' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>\n"
    "    <EVENT eventid='11' number='2' order='2' gender='M' round='PRE'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "    <EVENT eventid='12' number='3' order='3' gender='X' round='TIM'><SWIMSTYLE distance='100' relaycount='4' stroke='MEDLEY'/></EVENT>\n"
    "   </EVENTS></SESSION>\n"
    "   <SESSION number='2' date='2024-06-09'><EVENTS>\n"
    "    <EVENT eventid='13' number='4' order='1' gender='M' round='FIN' preveventid='11'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "    <EVENT eventid='14' number='5' order='2' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='UNKNOWN'/></EVENT>\n"
    "   </EVENTS></SESSION>\n"
    "  </SESSIONS></MEET></MEETS></LENEX>\n";

// Results: a club of ours (one swimmer known by licence, one by identity), a foreign club, heats
// and an A final (swum as heat 2) with splits given out of order, a swim-off, each special status,
// a relay in a timed final swum in heats and a result in an event we have no code for.
const QByteArray kResultats =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Meeting' city='Lille' course='SCM'><POOL lanemin='1' lanemax='8'/><SESSIONS>\n"
    "<SESSION number='1' date='2024-06-08'><EVENTS>\n"
    " <EVENT eventid='1' number='1' gender='F' round='PRE'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/>\n"
    "  <AGEGROUPS><AGEGROUP agegroupid='7' agemin='10' agemax='12' name='Benjamines'><RANKINGS><RANKING place='1' resultid='101'/></RANKINGS></AGEGROUP></AGEGROUPS>\n"
    "  <HEATS><HEAT heatid='11' number='2'/></HEATS></EVENT>\n"
    " <EVENT eventid='2' number='2' gender='F' round='FIN'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/><HEATS><HEAT heatid='21' number='2' final='A'/></HEATS></EVENT>\n"
    " <EVENT eventid='3' number='3' gender='F' round='SOP'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>\n"
    " <EVENT eventid='4' number='4' gender='X' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='FREE'/><HEATS><HEAT heatid='41' number='2'/></HEATS></EVENT>\n"
    " <EVENT eventid='5' number='5' gender='F' round='TIM'><SWIMSTYLE distance='75' relaycount='1' stroke='FREE'/></EVENT>\n"
    "</EVENTS></SESSION></SESSIONS>\n"
    "<CLUBS><CLUB name='Cercle des nageurs' code='C1' nation='FRA'><ATHLETES>\n"
    " <ATHLETE athleteid='1' lastname='Dupont' firstname='Zoé' birthdate='2012-03-14' gender='F' license='123'><RESULTS>\n"
    "  <RESULT resultid='101' eventid='1' swimtime='00:01:05.32' heatid='11' lane='4' points='512'>\n"
    "   <SPLITS><SPLIT distance='75' swimtime='00:00:48.00'/><SPLIT distance='25' swimtime='00:00:15.10'/><SPLIT distance='50' swimtime='00:00:31.20'/></SPLITS></RESULT>\n"
    "  <RESULT resultid='102' eventid='2' swimtime='00:01:04.99' heatid='21' lane='5'/>\n"
    "  <RESULT resultid='103' eventid='3' swimtime='00:01:05.01'/>\n"
    "  <RESULT resultid='104' eventid='5' swimtime='00:00:50.00'/>\n"
    " </RESULTS></ATHLETE>\n"
    " <ATHLETE athleteid='2' lastname='MARTIN' firstname='Lea' birthdate='2011-01-02' gender='F'><RESULTS>\n"
    "  <RESULT resultid='105' eventid='1' swimtime='NT' status='DSQ'/></RESULTS></ATHLETE>\n"
    "</ATHLETES><RELAYS><RELAY number='1' gender='X'><RESULTS><RESULT resultid='201' eventid='4' swimtime='00:01:50.00' lane='3' heatid='41'>\n"
    "  <RELAYPOSITIONS><RELAYPOSITION number='2' athleteid='2'/><RELAYPOSITION number='1' athleteid='1'/></RELAYPOSITIONS></RESULT></RESULTS></RELAY></RELAYS></CLUB>\n"
    "<CLUB name='Royal Brussels' code='BEL42' nation='BEL'><ATHLETES>\n"
    " <ATHLETE athleteid='3' lastname='Peeters' firstname='An' birthdate='2012-05-05' gender='F'><RESULTS>\n"
    "  <RESULT resultid='301' eventid='1' status='DNS'/><RESULT resultid='302' eventid='2' status='DNF'/><RESULT resultid='303' eventid='3' status='WDR'/>\n"
    " </RESULTS></ATHLETE></ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>\n";

// Results shaped as meet programs write them: each result ranked in its age band and in open
// rankings (read last), 50 m splits in no order, two sessions whose order restarts, relay teams 1
// and 2, and our club under a short code of its own ("SVB"), with one of our swimmers and a guest.
QByteArray Resultats_reels()
{
    QByteArray inter1500;
    for (const int d : {1450, 100, 1400, 50, 700, 750, 150, 200, 250, 300, 350, 400, 450, 500, 550, 600, 650, 800, 850, 900,
                        950, 1000, 1050, 1100, 1150, 1200, 1250, 1300, 1350}) {
        const int s = d * 6 / 10; // 30 s a length of 50 m
        inter1500 += "<SPLIT distance='" + QByteArray::number(d) + "' swimtime='00:" + QByteArray::number(s / 60).rightJustified(2, '0')
                     + ":" + QByteArray::number(s % 60).rightJustified(2, '0') + ".00'/>";
    }
    return "<?xml version='1.0' encoding='UTF-8'?>\n"
           "<LENEX version='3.0'><MEETS><MEET course='LCM' city='Bâle' name='Open'><AGEDATE value='2024-06-08' type='YEAR'/>\n"
           "<SESSIONS><SESSION date='2024-06-08' number='1'><EVENTS>\n"
           " <EVENT order='1' eventid='1' gender='M' number='1' round='TIM'><SWIMSTYLE stroke='FREE' distance='200' relaycount='1'/>\n"
           "  <AGEGROUPS><AGEGROUP agemin='25' agegroupid='11' agemax='29'><RANKINGS><RANKING place='1' resultid='101'/></RANKINGS></AGEGROUP>\n"
           "  <AGEGROUP agegroupid='12' agemax='-1' agemin='30'><RANKINGS><RANKING place='1' resultid='102'/></RANKINGS></AGEGROUP>\n"
           "  <AGEGROUP agegroupid='13' agemax='-1' agemin='19' name='Erwachsene'><RANKINGS><RANKING resultid='101' place='1'/>"
           "<RANKING resultid='102' place='2'/></RANKINGS></AGEGROUP>\n"
           "  <AGEGROUP agegroupid='14' agemax='-1' agemin='-1' name='by time'><RANKINGS><RANKING resultid='101' place='1'/>"
           "<RANKING resultid='102' place='2'/></RANKINGS></AGEGROUP></AGEGROUPS></EVENT>\n"
           " <EVENT order='2' eventid='2' number='2' round='TIM' gender='M'><SWIMSTYLE stroke='FREE' distance='1500' relaycount='1'/>\n"
           "  <AGEGROUPS><AGEGROUP agegroupid='21' agemax='-1' agemin='-1'><RANKINGS><RANKING place='1' resultid='103'/></RANKINGS></AGEGROUP>"
           "</AGEGROUPS></EVENT>\n"
           "</EVENTS></SESSION><SESSION date='2024-06-09' number='2'><EVENTS>\n"
           " <EVENT order='1' eventid='3' number='3' gender='X' round='TIM'><SWIMSTYLE stroke='MEDLEY' distance='50' relaycount='4'/></EVENT>\n"
           " <EVENT order='2' eventid='4' number='4' gender='M' round='TIM'><SWIMSTYLE stroke='BACK' distance='100' relaycount='1'/>\n"
           "  <AGEGROUPS><AGEGROUP agegroupid='41' agemin='25' agemax='29'><RANKINGS><RANKING place='1' resultid='104'/></RANKINGS></AGEGROUP>\n"
           "  <AGEGROUP agegroupid='42' agemin='-1' agemax='-1' name='by time'><RANKINGS><RANKING place='1' resultid='104'/></RANKINGS></AGEGROUP>"
           "</AGEGROUPS></EVENT>\n"
           "</EVENTS></SESSION></SESSIONS>\n"
           "<CLUBS><CLUB type='CLUB' code='SVB' nation='SUI' name='Schwimmverein beider Basel'><ATHLETES>\n"
           " <ATHLETE lastname='Keller' firstname='Jan' gender='M' birthdate='1997-04-02' athleteid='1' license='7001'><RESULTS>\n"
           "  <RESULT eventid='1' resultid='101' swimtime='00:02:02.00'><SPLITS><SPLIT distance='100' swimtime='00:01:00.00'/>"
           "<SPLIT distance='50' swimtime='00:00:29.00'/><SPLIT distance='150' swimtime='00:01:31.00'/></SPLITS></RESULT>\n"
           "  <RESULT eventid='2' resultid='103' swimtime='00:15:10.00'><SPLITS>" + inter1500 + "</SPLITS></RESULT>\n"
           "  <RESULT eventid='4' resultid='104' swimtime='00:01:05.00'/>\n"
           " </RESULTS></ATHLETE>\n"
           " <ATHLETE lastname='Gast' firstname='Tom' gender='M' birthdate='1990-01-01' athleteid='2'><RESULTS>\n"
           "  <RESULT eventid='1' resultid='102' swimtime='00:02:10.00'/></RESULTS></ATHLETE>\n"
           "</ATHLETES><RELAYS>\n"
           " <RELAY gender='X' number='1'><RESULTS><RESULT eventid='3' resultid='301' swimtime='00:02:00.00'><RELAYPOSITIONS>"
           "<RELAYPOSITION number='1' athleteid='1'/><RELAYPOSITION number='2' athleteid='2'/></RELAYPOSITIONS></RESULT></RESULTS></RELAY>\n"
           " <RELAY gender='X' number='2'><RESULTS><RESULT eventid='3' resultid='302' swimtime='00:02:05.00'/></RESULTS></RELAY>\n"
           "</RELAYS></CLUB></CLUBS></MEET></MEETS></LENEX>\n";
}

// A regional meet: sports ranks in `license` ("II" shared by four athletes, two of them born the
// same day), Cyrillic names, one of our swimmers among them.
QByteArray Athlete(const char* id, const char* nom, const char* prenom, const char* sexe, const char* naissance, const char* licence,
                   const char* epreuve, const char* temps)
{
    return QByteArray("<ATHLETE athleteid='") + id + "' lastname='" + nom + "' firstname='" + prenom + "' gender='" + sexe
           + "' birthdate='" + naissance + "' license='" + licence + "'><RESULTS><RESULT resultid='" + id + "' eventid='" + epreuve
           + "' swimtime='" + temps + "'/></RESULTS></ATHLETE>";
}
const QByteArray kEnteteRegional =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Первенство области' city='Мытищи' course='SCM' nation='RUS'><SESSIONS>"
    "<SESSION number='1' date='2024-03-02'><EVENTS>"
    "<EVENT eventid='1' number='1' gender='M' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "<EVENT eventid='2' number='2' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "</EVENTS></SESSION></SESSIONS><CLUBS>\n";
const QByteArray kRangs = kEnteteRegional + "<CLUB name='СШОР Мытищи' code='МЫТИЩИ' nation='RUS'><ATHLETES>"
                          + Athlete("1", "Иванов", "Пётр", "M", "2010-04-01", "II", "1", "00:01:01.00")
                          + Athlete("2", "Петрова", "Анна", "F", "2011-05-02", "II", "2", "00:01:05.00")
                          + Athlete("3", "Сидоров", "Илья", "M", "2010-04-01", "II", "1", "00:01:02.00")
                          + Athlete("4", "Кузнецова", "Мария", "F", "2009-01-01", "III", "2", "00:01:04.00")
                          + Athlete("5", "Смирнов", "Олег", "M", "2010-04-01", "II", "1", "00:01:03.00")
                          + "</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>\n";

// Three clubs share a regional code (two of them one club, written twice), two clubs without a
// code share the first twenty characters of their names.
QByteArray Club_regional(const char* code, const char* nom, const QByteArray& athlete)
{
    return QByteArray("<CLUB nation='RUS' name='") + nom + "'" + (*code ? QByteArray(" code='") + code + "'" : QByteArray()) + "><ATHLETES>"
           + athlete + "</ATHLETES></CLUB>\n";
}
const QByteArray kClubsRegionaux =
    kEnteteRegional + Club_regional("МЫТИЩИ", "СШОР Мытищи", Athlete("1", "Орлова", "Анна", "F", "2010-01-01", "I", "2", "00:01:01.00"))
    + Club_regional("МЫТИЩИ", "ДЮСШ Мытищи", Athlete("2", "Орлова", "Ирина", "F", "2010-01-01", "I", "2", "00:01:02.00"))
    + Club_regional("МЫТИЩИ", "сшор  мытищи", Athlete("3", "Орлова", "Ольга", "F", "2010-01-01", "I", "2", "00:01:03.00"))
    + Club_regional("", "Спортивный клуб Восток", Athlete("4", "Орлова", "Вера", "F", "2010-01-01", "I", "2", "00:01:04.00"))
    + Club_regional("", "Спортивный клуб Восток-2", Athlete("5", "Орлова", "Нина", "F", "2010-01-01", "I", "2", "00:01:05.00"))
    // The base compares codes without case, Cyrillic letters too.
    + Club_regional("мытищи", "Лицей Мытищи", Athlete("6", "Орлова", "Зоя", "F", "2010-01-01", "I", "2", "00:01:06.00"))
    + "</CLUBS></MEET></MEETS></LENEX>\n";

// Rounds that are no finals, and relay teams the file does not number.
const QByteArray kTours =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Tours' city='Lille' course='SCM'><SESSIONS><SESSION number='1' date='2024-06-08'><EVENTS>"
    "<EVENT eventid='1' number='1' gender='F' round='TIMETRIAL'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/>"
    "<HEATS><HEAT heatid='11' number='1'/><HEAT heatid='12' number='2'/></HEATS></EVENT>"
    "<EVENT eventid='2' number='2' gender='F' round='EXTRAHEATS'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/>"
    "<HEATS><HEAT heatid='21' number='1'/></HEATS></EVENT>"
    "<EVENT eventid='3' number='3' gender='F' round='FHT'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/>"
    "<HEATS><HEAT heatid='31' number='1'/></HEATS></EVENT>"
    "<EVENT eventid='4' number='4' gender='F' round='SOS'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "<EVENT eventid='5' number='5' gender='X' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='FREE'/></EVENT>"
    "<EVENT eventid='6' number='6' gender='X' round='TIM'><SWIMSTYLE distance='50' relaycount='4' stroke='MEDLEY'/></EVENT>"
    "</EVENTS></SESSION></SESSIONS><CLUBS><CLUB name='Lille Natation' code='LN'><ATHLETES>"
    "<ATHLETE athleteid='1' lastname='Roux' firstname='Eva' gender='F' birthdate='2010-01-01'><RESULTS>"
    "<RESULT resultid='1' eventid='1' heatid='12' swimtime='00:01:01.00'/><RESULT resultid='2' eventid='2' heatid='21' swimtime='00:01:02.00'/>"
    "<RESULT resultid='3' eventid='3' heatid='31' swimtime='00:01:03.00'/><RESULT resultid='4' eventid='4' swimtime='00:01:04.00'/>"
    "</RESULTS></ATHLETE></ATHLETES><RELAYS>"
    "<RELAY gender='X'><RESULTS><RESULT resultid='5' eventid='5' swimtime='00:01:50.00'/></RESULTS></RELAY>"
    "<RELAY gender='X'><RESULTS><RESULT resultid='6' eventid='6' swimtime='00:02:00.00'/></RESULTS></RELAY>"
    "<RELAY gender='X'><RESULTS><RESULT resultid='7' eventid='6' swimtime='00:02:01.00'/></RESULTS></RELAY>"
    "<RELAY gender='X'><RESULTS><RESULT resultid='8' eventid='6' swimtime='00:02:02.00'/></RESULTS></RELAY>"
    "</RELAYS></CLUB></CLUBS></MEET></MEETS></LENEX>\n";

// Results as meet programs write them: the heats and the final of one event under one number, an
// 8 x 50 m relay we have no code for, a swimmer with a result refused by the organiser followed by
// an impossible time, and a guest whose every result is left out.
const QByteArray kTraceReelle =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Open' city='Lille' course='SCM' nation='FRA'>\n"
    "<SESSIONS><SESSION number='1' date='2024-06-08'><EVENTS>\n"
    "<EVENT eventid='21' number='2' gender='F' round='PRE'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "<EVENT eventid='22' number='2' gender='F' round='FIN'><SWIMSTYLE distance='50' relaycount='1' stroke='FLY'/></EVENT>\n"
    "<EVENT eventid='30' number='3' gender='M' round='TIM'><SWIMSTYLE distance='50' relaycount='8' stroke='FREE'/></EVENT>\n"
    "</EVENTS></SESSION></SESSIONS><CLUBS>\n"
    "<CLUB name='Lille Natation' code='LN' nation='FRA'><ATHLETES>\n"
    "<ATHLETE athleteid='1' lastname='Roux' firstname='Eva' gender='F' birthdate='2010-01-01'><RESULTS>\n"
    "<RESULT resultid='1' eventid='21' swimtime='00:00:31.00' lane='4'><SPLITS>\n"
    "<SPLIT distance='25' swimtime='00:00:-5.00'/></SPLITS></RESULT>\n"
    "<RESULT resultid='2' eventid='22' swimtime='NT' status='RJC'/>\n"
    "<RESULT resultid='3' eventid='22' swimtime='00:00:3O.00' lane='4'/>\n"
    "</RESULTS></ATHLETE>\n"
    "<ATHLETE athleteid='2' lastname='Vidal' firstname='Ana' gender='F' birthdate='2010-02-02'><RESULTS>\n"
    "<RESULT resultid='4' eventid='21' swimtime='NT'/>\n"
    "<RESULT resultid='5' eventid='22' swimtime='NT' status='RJC'/></RESULTS></ATHLETE></ATHLETES>\n"
    "<RELAYS><RELAY number='1' gender='M'><RESULTS><RESULT resultid='6' eventid='30' swimtime='00:03:50.00'/></RESULTS></RELAY>\n"
    "<RELAY number='2' gender='M'><RESULTS><RESULT resultid='7' eventid='30' swimtime='00:03:55.00'/></RESULTS></RELAY></RELAYS></CLUB>\n"
    "</CLUBS></MEET></MEETS></LENEX>\n";

// A regional meet written by another program (tests/components/donnees): Portuguese and Spanish
// names, one final per age group swum in two heats coded F1 and F2 and ranked as one, finals A
// and B, an entry the organiser rejected (RJC), a time of zero, a relay without a time and two
// exhibition swims (EXH), one of them faster than the whole final.
const QString kRegional = QStringLiteral(QV_SOURCE_DIR "/tests/components/donnees/campeonato-regional.lef");
// Our club as the club dialog holds it, its name cut at 30 characters, and two of our swimmers
// whose names the file writes with their accents.
const QString kNotreClubCoupe = QStringLiteral("Itamirim/Novos Cielos/Nadar It");
const QVariantList kBalduino{"BALDUINO", "Juan", "M", "20080510"};
const QVariantList kPedroSerafini{"PEDRO SERAFINI", "Joao", "M", "20100220"};

// Our club as the base knows it: its federal code and name, one licence of ours.
constexpr const char* kNotreClub = "INSERT INTO Club (Code_federal, Intitule) VALUES ('0690123', 'Cercle des Nageurs de Lyon')";

// Two events of one stroke for men: a timed final (event 999, for the "Juvenil" and "Junior"
// bands) and a final swum in two heats F1 and F2 (event 39, "Juvenil" only), and two timed finals
// of the ladies' 100 m free without age groups (events 1 and 5). Each event ranks its own swimmers.
QByteArray Nageur_epreuve(int id, const char* nom, const char* sexe, int epreuve, const char* temps, const char* serie = "")
{
    const QByteArray n = QByteArray::number(id);
    return "<ATHLETE athleteid='" + n + "' lastname='" + nom + "' firstname='X' gender='" + sexe
           + "' birthdate='2008-01-01'><RESULTS><RESULT resultid='" + n + "' eventid='" + QByteArray::number(epreuve)
           + "' swimtime='" + temps + "'" + (*serie ? QByteArray(" heatid='") + serie + "'" : QByteArray()) + "/></RESULTS></ATHLETE>";
}
QByteArray Classement(std::initializer_list<int> resultats, const QByteArray& autresGroupes = {})
{
    QByteArray v = "<AGEGROUPS><AGEGROUP agegroupid='1' agemin='15' agemax='16' name='Juvenil'><RANKINGS>";
    int place = 0;
    for (const int r : resultats)
        v += "<RANKING place='" + QByteArray::number(++place) + "' resultid='" + QByteArray::number(r) + "'/>";
    return v + "</RANKINGS></AGEGROUP>" + autresGroupes + "</AGEGROUPS>";
}
const QByteArray kDeuxEpreuvesDUnCode =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Torneio' city='Curitiba' course='SCM' nation='BRA'><SESSIONS>"
    "<SESSION number='1' date='2024-08-10'><EVENTS>"
    "<EVENT eventid='999' number='999' gender='M' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/>"
    + Classement({11, 12, 13}, "<AGEGROUP agegroupid='2' agemin='17' agemax='18' name='Junior'/>") + "</EVENT>"
    "<EVENT eventid='39' number='39' gender='M' round='FIN'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/>"
    + Classement({21, 22, 23}) + "<HEATS><HEAT heatid='391' number='1' final='F1'/><HEAT heatid='392' number='2' final='F2'/></HEATS></EVENT>"
    "<EVENT eventid='1' number='1' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "<EVENT eventid='5' number='5' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>"
    "</EVENTS></SESSION></SESSIONS><CLUBS><CLUB name='Clube Curitibano' code='19274' nation='BRA'><ATHLETES>"
    + Nageur_epreuve(11, "Alves", "M", 999, "00:00:24.50") + Nageur_epreuve(12, "Barros", "M", 999, "00:00:24.90")
    + Nageur_epreuve(13, "Cunha", "M", 999, "00:00:25.10") + Nageur_epreuve(21, "Dias", "M", 39, "00:00:24.20", "392")
    + Nageur_epreuve(22, "Esteves", "M", 39, "00:00:24.80", "391") + Nageur_epreuve(23, "Farias", "M", 39, "00:00:24.99", "392")
    + Nageur_epreuve(31, "Gomes", "F", 1, "00:01:10.00") + Nageur_epreuve(32, "Horta", "F", 1, "00:01:12.00")
    + Nageur_epreuve(41, "Inacio", "F", 5, "00:01:09.00") + Nageur_epreuve(42, "Jardim", "F", 5, "00:01:11.00")
    + "</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>\n";

QByteArray Octets(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file with a time written after each of its dates (sessions, birth dates, the age date), as
// some programs write every date: "2024-06-08" becomes "2024-06-08T00:00:00" for "T00:00:00".
QByteArray Avec_heure(const QByteArray& fichier, const QByteArray& heure)
{
    static const QRegularExpression date("((?:date|value)='\\d{4}-\\d{2}-\\d{2})'");
    return QString::fromLatin1(fichier).replace(date, "\\1" + QString::fromLatin1(heure) + "'").toLatin1();
}

// Rows holding a value that cannot be, whatever file they came from: times beyond M.SSCC or
// its statuses, lanes, heats, points, ages, race days, pools and birth dates out of reach.
QStringList Valeurs_impossibles(const BaseFichier& b)
{
    const QString temps = "(%1 IS NOT NULL AND (%1 <= 0 OR %1 >= 91 OR %1 - cast(%1 AS INTEGER) >= 0.6))";
    QStringList inter;
    for (int k = 1; k <= 14; ++k)
        inter << temps.arg("Inter" + QString::number(k));
    const QString resultat = "Tps IS NULL OR (" + temps.arg("Tps") + " AND Tps NOT IN (91, 92, 93, 94)) OR Numero_couloir NOT BETWEEN 0 AND 99 "
                             "OR Numero_serie NOT BETWEEN 0 AND 9999 OR Cotation_FFN NOT BETWEEN 0 AND 9999 OR " + inter.join(" OR ");
    QStringList v;
    for (const QString& requete :
         {"SELECT 'Prres', * FROM Prres WHERE " + resultat, "SELECT 'Prres_relais', * FROM Prres_relais WHERE " + resultat,
          "SELECT 'Liffn', * FROM Liffn WHERE " + temps.arg("Tps") + " OR Tps IS NULL OR Age_nageur NOT BETWEEN 0 AND 125",
          QString("SELECT 'Liffn_relais', * FROM Liffn_relais WHERE ") + temps.arg("Tps") + " OR Tps IS NULL",
          QString("SELECT 'Pcomp', * FROM Pcomp WHERE JourCourse NOT BETWEEN 1 AND 367"),
          QString("SELECT 'Rcomp', * FROM Rcomp WHERE Nb_couloir NOT BETWEEN 1 AND 100 OR Debut NOT BETWEEN '19000101' AND '21991231' "
                  "OR Fin NOT BETWEEN Debut AND '21991231'"),
          QString("SELECT 'Licence', * FROM Licence WHERE Date_Naissance <> '' AND (Date_Naissance NOT GLOB "
                  "'[12][0-9][0-9][0-9][01][0-9][0-3][0-9]' OR Date_Naissance < '19000101')")})
        v << b.lignes(requete);
    return v;
}

// Words of the reader or the archive layer that must never reach the user untranslated.
bool Anglais(const QString& trace)
{
    static const QRegularExpression mots("\\b(error|unexpected|expected|invalid|premature|mismatch|encountered|not|the|tag|"
                                         "character|unsupported|archive|file)\\b",
                                         QRegularExpression::CaseInsensitiveOption);
    return mots.match(trace).hasMatch();
}

} // namespace

class TstImportLenex : public QObject {
    Q_OBJECT

    std::unique_ptr<RepertoireTest> m_rep;
    QString trace() const { return m_rep->fichier("trace.txt"); }
    QString dossier(const QString& nom) const { return m_rep->dossier(nom); }
    ResultatAppel resultats(const BaseFichier& b, const QString& compet)
    {
        return Appeler_composant("MeetResultsImporter", "bimport_result",
                                 {b.chemin(), dossier("source"), dossier("temp"), trace(), QVariant(), compet, false}, trace());
    }
    // The real results with the Swiss club's element given the attributes `club`, and the clubs
    // `autres` after the file's own, imported into b for the meet compet.
    ResultatAppel resultatsAvecLeClub(const BaseFichier& b, const QString& compet, const QByteArray& club,
                                      const QByteArray& autres = {})
    {
        QByteArray fichier = Resultats_reels().replace("code='SVB' nation='SUI' name='Schwimmverein beider Basel'", club);
        fichier.replace("</CLUBS>", autres + "</CLUBS>");
        Ecrire_fichier(dossier("source") + "/r.lef", fichier);
        return resultats(b, compet);
    }
    QString competition(const BaseFichier& b) const
    {
        return QString::number(b.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)"));
    }
    // Our club and one licence of ours (number, names, sex, birth date); returns its key.
    static QString notreNageur(const BaseFichier& b, const QVariantList& licence)
    {
        b.executer(kNotreClub);
        return QString::number(b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) "
                                          "VALUES ('0690123', ?, ?, ?, ?, ?)",
                                          licence));
    }
    // Our club with Jan Keller, one of ours, and a competition to import into.
    QString avecKeller(const BaseFichier& b) const
    {
        b.executer(kNotreClub);
        b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                   "VALUES ('0690123', '7001', 'KELLER', 'Jan', 'M', '19970402', 1)");
        return competition(b);
    }
    ResultatAppel squelette(const BaseFichier& b, const QString& source, const QString& compet)
    {
        return Appeler_composant("MeetSkeletonImporter", "bimport_squelette",
                                 {b.chemin(), source, dossier("temp"), trace(), QVariant(), compet, true}, trace());
    }

    // The regional meet imported into a base holding our club under `nomClub` and our two swimmers;
    // returns the competition, with the keys of our swimmers.
    template <class Base>
    static QString avecRegional(const Base& b, const QString& nomClub, QString* balduino = nullptr, QString* joao = nullptr)
    {
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('0690123', '" + QString(nomClub).replace("'", "''") + "')");
        QStringList nums;
        for (const QVariantList& l : {kBalduino, kPedroSerafini}) {
            b.executer("INSERT INTO Licence (Code_club, Nom, Prenom, Sexe, Date_Naissance, Visible) VALUES ('0690123', '"
                       + QStringList{l[0].toString(), l[1].toString(), l[2].toString(), l[3].toString()}.join("', '") + "', 1)");
            nums << b.valeur("SELECT max(Num) FROM Licence");
        }
        if (balduino)
            *balduino = nums[0];
        if (joao)
            *joao = nums[1];
        b.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)");
        return b.valeur("SELECT max(AutoNum) FROM Rcomp");
    }

    // Every event of the newest competition shown in the results viewer, as a user does it:
    // place, name and time of each row; the window grabbed to `capture` when captures are asked.
    static QStringList voirResultats(const QString& compet, const QString& capture)
    {
        QPointer<frm_view_result> f;
        Ouvrir_view_result(f);
        if (!f || f->competCourante() != compet)
            return {"visualiseur sur une autre compétition"};
        QTest::mouseClick(f->Chk_all, Qt::LeftButton, {}, QPoint(8, f->Chk_all->height() / 2));
        QTest::mouseClick(f->cmd_0, Qt::LeftButton);
        QStringList lignes;
        for (int i = 1; i <= Nombre_lignes(f->LsvResults); ++i) {
            const QTreeWidgetItem* l = Ligne(f->LsvResults, i);
            lignes << QStringList{l->text(0).trimmed(), l->text(1).trimmed(), l->text(4).trimmed()}.join('|');
        }
        if (qEnvironmentVariableIsSet("QV_CAPTURES")) {
            f->resize(1100, 800);
            f->grab().save(qEnvironmentVariable("QV_CAPTURES") + "/" + capture + ".png");
        }
        f->close();
        Traiter_evenements();
        return lignes;
    }

private slots:
    void initTestCase() { Initialiser_verrous_menus(); }
    void init() { m_rep = std::make_unique<RepertoireTest>(); }
    void cleanup() { m_rep.reset(); }

    // The competition and its programme: codes, days, order, formula; the unknown event named.
    void squeletteEcrit()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef", kPetiteReunion);
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        // Born held for the import, the competition is now one to come, open for entries.
        QCOMPARE(b.lignes("SELECT Nom, Lieu, Debut, Fin, Longueur, Nb_couloir, Deroule, Visible FROM Rcomp WHERE AutoNum = ?",
                          {compet}),
                 QStringList{QString::fromUtf8("Meeting d'été|Lille|20240608|20240609|50|10|Faux|Vrai")});
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre FROM Pcomp "
                          "WHERE Num_compet = ? ORDER BY Code_epreuve",
                          {compet}),
                 (QStringList{"2|1|1|0| |1", "17|1|1|0| |3", "81|1|3|1|T|2"}));
        QVERIFY2(r.trace.contains("épreuve 5 (Dames 100 UNKNOWN, Finale)"), qPrintable(r.trace));

        // A second import replaces the programme, never adds to it.
        QVERIFY(squelette(b, source, compet).resultat.toBool());
        QCOMPARE(b.valeur("SELECT count(*) FROM Pcomp WHERE Num_compet = ?", {compet}), QString("3"));
    }

    // A base whose organiser's tables kept one event per code, without ages: what they hold for
    // other competitions is carried over when the tables take the ages.
    void idsTablesAnciennes()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("CREATE TABLE Lenex_reunion (Num_compet INTEGER PRIMARY KEY, Nation TEXT)");
        b.executer("CREATE TABLE Lenex_epreuve (Num_compet INTEGER NOT NULL, Code_epreuve INTEGER NOT NULL, Eventid TEXT NOT NULL, "
                   "Numero TEXT, Genre TEXT, Tour TEXT, PRIMARY KEY (Num_compet, Code_epreuve))");
        b.executer("INSERT INTO Lenex_reunion VALUES (99, 'SUI')");
        b.executer("INSERT INTO Lenex_epreuve VALUES (99, 2, '501', '7', 'F', 'TIM')");
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef", kPetiteReunion);
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Num_compet, Code_epreuve, Eventid, Numero, Age_min, Age_max FROM Lenex_epreuve ORDER BY 1, 2"),
                 (QStringList{compet + "|2|10|1|-1|-1", compet + "|17|12|3|-1|-1", compet + "|81|11|2|-1|-1", "99|2|501|7|-1|-1"}));
        QCOMPARE(b.lignes("SELECT Num_compet, Nation, Eventid_max, Numero_max FROM Lenex_reunion ORDER BY 1"),
                 (QStringList{compet + "|FRA|14|5", "99|SUI||"}));
        QVERIFY2(r.trace.contains("Épreuve non reprise pour les engagements, épreuve 4 (Messieurs 50 Papillon, Finale) : ses engagés "
                                  "vont à l'épreuve 2 (Messieurs 50 Papillon, Série)"),
                 qPrintable(r.trace));
    }

    // A meet written by another program, plain and zipped.
    void squeletteConformite_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::newRow("lef") << "meet-entries.lef";
        QTest::newRow("lxf") << "meet-entries.lxf";
    }
    void squeletteConformite()
    {
        QFETCH(QString, fichier);
        const QString conformite = Dossier_conformite();
        if (conformite.isEmpty())
            QSKIP("fichiers de conformité absents");
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        QVERIFY(QFile::copy(conformite + "/" + fichier, source + "/" + fichier));
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT Debut || Fin || Longueur || Nb_couloir FROM Rcomp WHERE AutoNum = ?", {compet}),
                 QString("2009092620090927256"));
        // 35 events, each with its code: the 1500 m open to all is both the ladies' and the men's
        // race; the two relays open to all are the mixed relays of the same strokes (events 15 and 33).
        // The order restarts in each session; ours runs on over the meet: day 1 from 1 to 17, day 2 from 18.
        const QStringList attendu = {
            "1|1|11", "2|2|28", "3|1|1", "4|2|20", "5|1|16", "6|2|18", "11|2|24", "12|1|5", "13|2|30", "14|2|34", "16|1|15",
            "21|1|3", "22|2|26", "23|1|13", "31|1|7", "32|2|22", "40|1|9", "41|2|32", "51|1|12", "52|2|29", "53|1|2", "54|2|21",
            "55|1|17", "56|2|19", "61|2|25", "62|1|6", "63|2|31", "71|1|4", "72|2|27", "73|1|14", "81|1|8", "82|2|23", "90|1|10",
            "91|2|33"};
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? ORDER BY Code_epreuve",
                          {compet}),
                 attendu);
        QVERIFY2(!r.trace.contains("Épreuve ignorée"), qPrintable(r.trace));
    }

    // Results, their clubs and swimmers; our swimmers' performances; a second import replaces.
    void resultats()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('C1', 'Cercle des nageurs')");
        const qint64 zoe = b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                                      "VALUES ('C1', '123', 'DUPONT', 'Zoe', 'F', '20120314', 1)");
        const qint64 lea = b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                                      "VALUES ('C1', '999', 'Martin', 'Léa', 'F', '20110102', 1)");
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/resultats.lef", kResultats);
        for (int passe = 0; passe < 2; ++passe) {
            const ResultatAppel r = Appeler_composant("MeetResultsImporter", "bimport_result",
                                                      {b.chemin(), source, dossier("temp"), trace(), QVariant(), compet, false},
                                                      trace());
            QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
            QVERIFY2(r.trace.contains("1 résultat ignoré"), qPrintable(r.trace));
            QVERIFY2(r.trace.contains("2 temps intermédiaires non enregistrés (distance sans colonne) : épreuve 1 (Dames 100 NL, Série)"),
                     qPrintable(r.trace));
        }
        const QString z = QString::number(zoe), l = QString::number(lea);
        QCOMPARE(b.lignes("SELECT Code_epreuve, Num_Lic, Code_club, Tps, Cotation_FFN, Type_course, Numero_serie, Numero_couloir, "
                          "Num_categorie, Inter1, Inter2, Inter3, Inter4 FROM Prres WHERE Num_compet = ? ORDER BY Tps, Type_course",
                          {compet}),
                 (QStringList{"2|" + z + "|C1|1,0499||F|1|5|0||||", "2|" + z + "|C1|1,0501||B|||0||||",
                              "2|" + z + "|C1|1,0532|512|S|2|4|1|0,312|||", "2|" + l + "|C1|91||S|||0||||",
                              "2|" + QString::number(lea + 1) + "|BEL42|92||F|||0||||",
                              "2|" + QString::number(lea + 1) + "|BEL42|93||B|||0||||",
                              "2|" + QString::number(lea + 1) + "|BEL42|94||S|||0||||"}));
        // The heat of a timed final is no final A, B…: the final's letter counts, not the heat's number.
        // A relay row holds the team's number, not a swimmer.
        QCOMPARE(b.lignes("SELECT Code_epreuve, Num_Lic, Code_club, Num_equipe, Tps, Numero_couloir, "
                          "coalesce(Numero_serie, 'aucune') FROM Prres_relais WHERE Num_compet = ?",
                          {compet}),
                 QStringList{"14|1|C1|1|1,5|3|aucune"});
        QCOMPARE(b.lignes("SELECT Num_cat, Libelle FROM Categori WHERE Num_compet = ?", {compet}), QStringList{"1|Benjamines"});
        QCOMPARE(b.lignes("SELECT Nom, Visible FROM Licence WHERE Code_club = 'BEL42'"), QStringList{"Peeters|Faux"});
        QCOMPARE(b.lignes("SELECT Intitule, Visible FROM Club WHERE Code_federal = 'BEL42'"), QStringList{"Royal Brussels|Faux"});
        // Our swimmer's real times only, in the competition's pool, never twice.
        QCOMPARE(b.lignes("SELECT Code_epreuve, Num_Lic, Type_bassin, Date_perf, Tps, Lieu, Age_nageur FROM Liffn "
                          "WHERE Num_compet = ? ORDER BY Tps",
                          {compet}),
                 (QStringList{"2|" + z + "|25|20240608|1,0499|Lille|12", "2|" + z + "|25|20240608|1,0501|Lille|12",
                              "2|" + z + "|25|20240608|1,0532|Lille|12"}));
        QCOMPARE(b.lignes("SELECT Code_epreuve, Code_club, Num_Lic, Type_bassin, Tps, Nageur1, Nageur2, Nageur3 FROM Liffn_relais "
                          "WHERE Num_compet = ?",
                          {compet}),
                 QStringList{"14|C1|1|25|1,5|" + z + "|" + l + "|"});
    }

    // A meet whose results another competition already holds is imported again only when the user
    // says so: with no one to ask (no runner window), the answer is "Non", the file is refused and
    // nothing is written. A competition that holds only its skeleton (the road from the entries to
    // the results), or one typed by hand under the same name, place and dates, asks nothing.
    void reunionDejaImportee_data()
    {
        QTest::addColumn<QString>("avant");
        QTest::newRow("importée avec ses résultats") << "résultats";
        QTest::newRow("squelette importé") << "squelette";
        QTest::newRow("saisie sous les mêmes nom, lieu et dates") << "saisie";
    }
    void reunionDejaImportee()
    {
        QFETCH(QString, avant);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString source = dossier("source");
        // Another meet imported before: the importers' tables are there.
        Ecrire_fichier(source + "/resultats.lef", kTours);
        QVERIFY(resultats(b, competition(b)).resultat.toBool());
        Ecrire_fichier(source + "/resultats.lef", kResultats);
        if (avant == "résultats")
            QVERIFY(resultats(b, competition(b)).resultat.toBool());
        else if (avant == "squelette")
            QVERIFY(squelette(b, source, competition(b)).resultat.toBool());
        else
            b.executer("INSERT INTO Rcomp (Nom, Lieu, Debut, Fin, Deroule, Visible) VALUES ('Meeting', 'Lille', '20240608', '20240608', 1, 1)");
        const QString autre = competition(b);
        const QStringList lignesAvant = b.lignes("SELECT * FROM Rcomp ORDER BY AutoNum");
        const ResultatAppel r = resultats(b, autre);
        const bool question = avant == "résultats";
        QCOMPARE(r.resultat.toBool(), !question);
        if (!question) {
            QVERIFY2(!r.trace.contains("déjà été importée"), qPrintable(r.trace));
            return;
        }
        QVERIFY2(r.trace.contains("La réunion « Meeting » (Lille, le 08/06/2024) a déjà été importée dans une autre compétition, avec "
                                  "ses résultats : « Meeting » du 08/06/2024.\nImport abandonné.\n"),
                 qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT * FROM Rcomp ORDER BY AutoNum"), lignesAvant);
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres WHERE Num_compet = ?", {autre}), QString("0"));
        QCOMPARE(b.valeur("SELECT count(*) FROM Pcomp WHERE Num_compet = ?", {autre}), QString("0"));
    }

    // Real results: age bands, split columns, relay teams, running order and our club, which the
    // file names as we do under a code of its own.
    void resultatsReels()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('0690123', 'Schwimmverein beider  Basel')");
        const QString jan = QString::number(b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) "
                                                       "VALUES ('0690123', '7001', 'KELLER', 'Jan', 'M', '19970402')"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", Resultats_reels());
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        const QString tom = b.valeur("SELECT Num FROM Licence WHERE Nom = 'Gast'");

        // Each result under its age band, an open ranking only when it is the only one; one row per label.
        QCOMPARE(b.lignes("SELECT Num_cat, Libelle FROM Categori WHERE Num_compet = ? ORDER BY Num_cat", {compet}),
                 (QStringList{"1|25-29 ans", "2|30 ans et plus", "3|Toutes catégories"}));
        // Splits under the column headed with their distance: 150, 100, 50 for 200 m; 1400 to 100 for 1500 m.
        QCOMPARE(b.lignes("SELECT Num_Lic, Code_club, Num_categorie, Inter1, Inter2, Inter3, Inter4, Inter13, Inter14 FROM Prres "
                          "WHERE Num_compet = ? ORDER BY Tps",
                          {compet}),
                 (QStringList{jan + "|0690123|1||||||", jan + "|0690123|1|1,31|1|0,29|||",
                              tom + "|0690123|2||||||", jan + "|0690123|3|14|13|12|11|2|1"}));
        QVERIFY2(r.trace.contains("15 temps intermédiaires non enregistrés (distance sans colonne) : épreuve 2 (Messieurs 1500 NL, Finale)"),
                 qPrintable(r.trace));
        QVERIFY2(!r.trace.contains("épreuve 1 ("), qPrintable(r.trace));
        // Relay rows hold the team's number.
        QCOMPARE(b.lignes("SELECT Num_Lic, Num_equipe, Code_club, Num_categorie FROM Prres_relais WHERE Num_compet = ? ORDER BY Tps",
                          {compet}),
                 (QStringList{"1|1|0690123|0", "2|2|0690123|0"}));
        // The running order goes on across sessions.
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? ORDER BY Num_ordre", {compet}),
                 (QStringList{"53|1|1", "56|1|2", "16|2|3", "62|2|4"}));
        // Our club is not added again; our performances are under our code.
        QCOMPARE(b.lignes("SELECT Code_federal FROM Club"), QStringList{"0690123"});
        QCOMPARE(b.lignes("SELECT DISTINCT Code_club FROM Licence WHERE Num IN (?, ?)", {jan, tom}), QStringList{"0690123"});
        QCOMPARE(b.lignes("SELECT Code_club, count(*) FROM Liffn WHERE Num_compet = ? GROUP BY 1", {compet}), QStringList{"0690123|3"});
        QCOMPARE(b.lignes("SELECT Code_club, Num_Lic, Nageur1, Nageur2 FROM Liffn_relais WHERE Num_compet = ?", {compet}),
                 QStringList{"0690123|1|" + jan + "|" + tom});
    }

    // A club of the file that bears our club's name, or our federal code, is ours, even with none
    // of our licences.
    void notreClubParSonNom_data()
    {
        QTest::addColumn<QByteArray>("club");
        QTest::newRow("nom") << QByteArray("code='SVB' nation='SUI' name='CERCLE des nageurs de  Lyon'");
        QTest::newRow("code") << QByteArray("code='0690123' nation='FRA' name='CN Lyon'");
    }
    void notreClubParSonNom()
    {
        QFETCH(QByteArray, club);
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer(kNotreClub);
        b.executer("INSERT INTO Profil (Libelle, Code_club) VALUES ('Club', '0690123')");
        const QString compet = competition(b);
        const ResultatAppel r = resultatsAvecLeClub(b, compet, club);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.nombre("Club WHERE Code_federal = 'SVB'"), 0);
        QCOMPARE(b.lignes("SELECT DISTINCT Code_club FROM Prres WHERE Num_compet = ?", {compet}), QStringList{"0690123"});
        QCOMPARE(b.lignes("SELECT DISTINCT Code_club FROM Prres_relais WHERE Num_compet = ?", {compet}), QStringList{"0690123"});
    }

    // Our club saved in capitals is the file's club that writes ª, º or № in its name: "SRA." is
    // "Srª.", the whole name or the beginning of a name the club dialog cut. No club is added, and
    // every result goes to ours.
    void notreClubEnCapitales_data()
    {
        QTest::addColumn<QString>("notreNom");
        QTest::addColumn<QByteArray>("club");
        QTest::newRow("ª, nom coupé") << "COLEGIO BOM JESUS NOSSA SRA. D"
                                      << QByteArray("code='18230' nation='BRA' name='Colegio Bom Jesus Nossa Srª. Dourados'");
        QTest::newRow("º") << "CLUBE ATLETICO 1O DE MAIO" << QByteArray("code='18231' nation='BRA' name='Clube Atlético 1º de Maio'");
        QTest::newRow("№") << "SPORTKLUB NO 7" << QByteArray("code='SK7' nation='BUL' name='Sportklub № 7'");
    }
    void notreClubEnCapitales()
    {
        QFETCH(QString, notreNom);
        QFETCH(QByteArray, club);
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('0690123', ?)", {notreNom});
        b.executer("INSERT INTO Profil (Libelle, Code_club) VALUES ('Club', '0690123')");
        const QString compet = competition(b);
        const ResultatAppel r = resultatsAvecLeClub(b, compet, club);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(!r.trace.contains("Club ajouté"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Code_federal FROM Club"), QStringList{"0690123"});
        QCOMPARE(b.lignes("SELECT Code_club, count(*) FROM Prres WHERE Num_compet = ? GROUP BY 1", {compet}), QStringList{"0690123|4"});
        QCOMPARE(b.lignes("SELECT Code_club, count(*) FROM Prres_relais WHERE Num_compet = ? GROUP BY 1", {compet}),
                 QStringList{"0690123|2"});
        QCOMPARE(b.lignes("SELECT Nom, Code_club FROM Licence ORDER BY 1"), (QStringList{"Gast|0690123", "Keller|0690123"}));
    }

    // A club of two swimmers, one of them ours, is another club: our swimmer's own results and
    // performances go under his licence's club; the other swimmer, the club and its relays (ours
    // swims the first leg of team 1) stay as the file names them.
    void notreNageurAilleurs()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        notreNageur(b, {"7001", "KELLER", "Jan", "M", "19970402"});
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", Resultats_reels());
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Intitule, Visible FROM Club WHERE Code_federal = 'SVB'"), QStringList{"Schwimmverein beider Basel|Faux"});
        QCOMPARE(b.lignes("SELECT Nom, Code_club FROM Licence WHERE Nom IN ('KELLER', 'Gast') ORDER BY 1"),
                 (QStringList{"Gast|SVB", "KELLER|0690123"}));
        QCOMPARE(b.lignes("SELECT DISTINCT Licence.Nom, Prres.Code_club FROM Prres JOIN Licence ON Num = Num_Lic WHERE Num_compet = ? "
                          "ORDER BY 1",
                          {compet}),
                 (QStringList{"Gast|SVB", "KELLER|0690123"}));
        QCOMPARE(b.lignes("SELECT Num_Lic, Code_club FROM Prres_relais WHERE Num_compet = ? ORDER BY 1", {compet}),
                 (QStringList{"1|SVB", "2|SVB"}));
        QCOMPARE(b.lignes("SELECT Code_club, count(*) FROM Liffn WHERE Num_compet = ? GROUP BY 1", {compet}), QStringList{"0690123|3"});
        QCOMPARE(b.lignes("SELECT Code_club FROM Liffn_relais WHERE Num_compet = ?", {compet}), QStringList{"SVB"});
    }

    // A club of the file is ours by its name only when it is the only club of the file that begins
    // with our name, and the file gives it no federal code of our form other than ours; the trace
    // says which club was not taken as ours, and why. Our name cut after a word by the club
    // dialog keeps its last space, and begins only names that break there.
    void clubsCommencantParNotreNom_data()
    {
        QTest::addColumn<QString>("notreCode");
        QTest::addColumn<QString>("notreNom");
        QTest::addColumn<QByteArray>("club");
        QTest::addColumn<QByteArray>("autre");
        QTest::addColumn<QStringList>("attendu");
        QTest::addColumn<QString>("explication");
        const QByteArray londrina = "code='CEDVL' nation='BRA' name='Colégio Estadual Dario Vellozo, Londrina'";
        QTest::newRow("coupé après un mot") << "0690123" << "Clube de Natação e Regatas do "
                                            << QByteArray("code='19274' nation='BRA' name='Clube de Natação e Regatas do Sul'")
                                            << QByteArray() << QStringList{"Gast|0690123|0690123"} << QString();
        QTest::newRow("coupé après un mot, un autre mot") << "0690123" << "Clube de Natação e Regatas do "
                                                          << QByteArray("code='19275' nation='BRA' name='Clube de Natação e Regatas Douro'")
                                                          << QByteArray() << QStringList{"Gast|19275|19275"} << QString();
        QTest::newRow("deux clubs commencent par notre nom")
            << "0690123" << "Colégio Estadual Dario Vellozo" << londrina
            << QByteArray("code='CEDVT' nation='BRA' name='Colégio Estadual Dario Vellozo, Toledo'")
            << QStringList{"Gast|CEDVL|CEDVL", "Outro|CEDVT|CEDVT"}
            << "Club non reconnu comme le nôtre : Colégio Estadual Dario Vellozo, Toledo (CEDVT) : 1 autre club du fichier "
               "commence aussi par notre nom « Colégio Estadual Dario Vellozo »."
            ;
        QTest::newRow("un club écrit deux fois") << "0690123" << "Colégio Estadual Dario Vellozo" << londrina << londrina
                                                 << QStringList{"Gast|0690123|0690123", "Outro|0690123|0690123"} << QString();
        QTest::newRow("code fédéral d'un autre club")
            << "FRA1020750123" << "CERCLE DES NAGEURS DE LA VALLÉE"
            << QByteArray("code='FRA1120460777' nation='FRA' name='CERCLE DES NAGEURS DE LA VALLÉE DU LOT'") << QByteArray()
            << QStringList{"Gast|FRA1120460777|FRA1120460777"}
            << "Club non reconnu comme le nôtre : CERCLE DES NAGEURS DE LA VALLÉE DU LOT (FRA1120460777) : son code fédéral n'est "
               "pas celui de notre club « CERCLE DES NAGEURS DE LA VALLÉE » (FRA1020750123).";
    }
    void clubsCommencantParNotreNom()
    {
        QFETCH(QString, notreCode);
        QFETCH(QString, notreNom);
        QFETCH(QByteArray, club);
        QFETCH(QByteArray, autre);
        QFETCH(QStringList, attendu);
        QFETCH(QString, explication);
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES (?, ?)", {notreCode, notreNom});
        b.executer("INSERT INTO Profil (Libelle, Code_club) VALUES ('Club', ?)", {notreCode});
        const QString compet = competition(b);
        const ResultatAppel r = resultatsAvecLeClub(
            b, compet, club,
            autre.isEmpty() ? QByteArray()
                            : "<CLUB " + autre + "><ATHLETES><ATHLETE lastname='Outro' firstname='Rui' gender='M' "
                                  "birthdate='1995-01-01' athleteid='9'><RESULTS><RESULT eventid='1' resultid='109' "
                                  "swimtime='00:02:20.00'/></RESULTS></ATHLETE></ATHLETES></CLUB>");
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT DISTINCT Licence.Nom, Prres.Code_club, Licence.Code_club FROM Prres JOIN Licence ON Num = Num_Lic "
                          "WHERE Num_compet = ? AND Licence.Nom IN ('Gast', 'Outro') ORDER BY 1",
                          {compet}),
                 attendu);
        QVERIFY2(explication.isEmpty() ? !r.trace.contains("non reconnu") : r.trace.contains(explication), qPrintable(r.trace));
    }

    // One swimmer listed twice in one club of the file (once with his results, once without) is
    // one person: one licence, ours when we know him. Listed in another club, he is another swimmer.
    void nageurDeuxFoisDansSonClub()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString jan = notreNageur(b, {"7001", "KELLER", "Jan", "M", "19970402"});
        b.executer("UPDATE Licence SET Visible = 1");
        const QString compet = competition(b);
        const QByteArray deuxFois = "<ATHLETE lastname='Keller' firstname='Jan' gender='M' birthdate='1997-04-02' athleteid='5'/>"
                                    "<ATHLETE lastname='Gast' firstname='Tom' gender='M' birthdate='1990-01-01' athleteid='6'/>";
        Ecrire_fichier(dossier("source") + "/r.lef",
                       Resultats_reels()
                           .replace("</ATHLETES><RELAYS>", deuxFois + "</ATHLETES><RELAYS>")
                           .replace("</CLUBS>", "<CLUB code='AUT' name='Autre club'><ATHLETES><ATHLETE lastname='Gast' firstname='Tom' "
                                                "gender='M' birthdate='1990-01-01' athleteid='7'><RESULTS><RESULT eventid='4' resultid='701' "
                                                "swimtime='00:01:10.00'/></RESULTS></ATHLETE></ATHLETES></CLUB></CLUBS>"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Code_club, Visible FROM Licence ORDER BY Num"),
                 (QStringList{"KELLER|0690123|Vrai", "Gast|SVB|Faux", "Gast|AUT|Faux"}));
        QVERIFY2(r.trace.contains("2 nageurs ajoutés"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT DISTINCT Num_Lic FROM Liffn WHERE Num_compet = ?", {compet}), QStringList{jan});
    }

    // A regional meet writes a sports rank in `license`, shared by several athletes: each athlete
    // keeps his own swimmer, and a second import of the same file changes nothing.
    void reimportRangsDansLicence()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString ilya = notreNageur(b, {"2345678", "СИДОРОВ", "Илья", "M", "20100401"});
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", kRangs);
        auto etat = [&] {
            return b.lignes("SELECT * FROM Prres WHERE Num_compet = ? ORDER BY Tps", {compet}) + b.lignes("SELECT * FROM Licence ORDER BY Num")
                   + b.lignes("SELECT * FROM Club ORDER BY Num") + b.lignes("SELECT * FROM Liffn ORDER BY Tps");
        };
        ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT count(DISTINCT Num_Lic) FROM Prres WHERE Num_compet = ?", {compet}), QString("5"));
        QCOMPARE(b.lignes("SELECT Num_Lic, Code_club, Tps FROM Liffn WHERE Num_compet = ?", {compet}), QStringList{ilya + "|0690123|1,02"});
        const QStringList premier = etat();
        r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool() && r.trace.contains("0 nageur ajouté"), qPrintable(r.trace));
        QCOMPARE(etat(), premier);
    }

    // A file from which no result can be imported leaves the base as it was, byte for byte; an
    // archive of several meet files is read in the one that holds results.
    void sansResultat_data()
    {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("refus");
        QTest::newRow("invitation") << "r.lef" << kPetiteReunion << "r.lef : le fichier ne contient aucun résultat";
        QByteArray horsCatalogue = kResultats;
        horsCatalogue.replace("stroke='FREE'", "stroke='UNKNOWN'");
        QTest::newRow("hors catalogue") << "r.lef" << horsCatalogue
                                        << "r.lef : aucun résultat importable ; 9 résultats sont d'épreuves sans code";
        QTest::newRow("archive sans résultats")
            << "r.lxf" << zipBrut({{"a.lef", kPetiteReunion}, {"b.lef", kPetiteReunion}})
            << "Dans l'archive r.lxf, aucun des fichiers .lef ne contient de résultats : a.lef, b.lef.";
        QTest::newRow("archive à deux résultats")
            << "r.lxf" << zipBrut({{"a.lef", kResultats}, {"b.lef", Resultats_reels()}})
            << "Dans l'archive r.lxf, plusieurs fichiers .lef contiennent des résultats : a.lef, b.lef ; n'en laissez qu'un.";
        QTest::newRow("archive invitation et résultats") << "r.lxf" << zipBrut({{"a.lef", kPetiteReunion}, {"b.lef", kResultats}})
                                                         << QString();
    }
    void sansResultat()
    {
        QFETCH(QString, fichier);
        QFETCH(QByteArray, contenu);
        QFETCH(QString, refus);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("avant") + "/r.lef", Resultats_reels());
        QVERIFY(Appeler_composant("MeetResultsImporter", "bimport_result",
                                  {b.chemin(), dossier("avant"), dossier("temp"), trace(), QVariant(), compet, false}, trace())
                    .resultat.toBool());
        QFile base(b.chemin());
        QVERIFY(base.open(QIODevice::ReadOnly));
        const QByteArray avant = base.readAll();
        Ecrire_fichier(dossier("source") + "/" + fichier, contenu);
        const ResultatAppel r = resultats(b, compet);
        if (refus.isEmpty()) {
            QVERIFY2(r.resultat.toBool() && r.trace.contains("Fichier lu : b.lef"), qPrintable(r.trace));
            QCOMPARE(b.valeur("SELECT Nom FROM Rcomp WHERE AutoNum = ?", {compet}), QString("Meeting"));
            return;
        }
        QVERIFY2(!r.resultat.toBool() && r.trace.contains(refus) && r.trace.contains("aucune modification"), qPrintable(r.trace));
        // Clubs were added on the way, then rolled back: the trace does not say they were.
        QVERIFY2(!r.trace.contains("ajouté"), qPrintable(r.trace));
        base.seek(0);
        QVERIFY(base.readAll() == avant);
    }

    // Regional codes are shared: clubs of a file are one only when code and name agree (case,
    // accents and spaces aside), and a club without a code is known by its whole name.
    void clubsDeMemeCode()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", kClubsRegionaux);
        for (int passe = 0; passe < 2; ++passe) {
            const ResultatAppel r = resultats(b, compet);
            QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
            QCOMPARE(b.lignes("SELECT Licence.Prenom, Club.Intitule FROM Prres JOIN Licence ON Licence.Num = Num_Lic "
                              "JOIN Club ON Code_federal = Prres.Code_club WHERE Num_compet = ? ORDER BY Tps",
                              {compet}),
                     (QStringList{"Анна|СШОР Мытищи", "Ирина|ДЮСШ Мытищи", "Ольга|СШОР Мытищи", "Вера|Спортивный клуб Восток",
                                  "Нина|Спортивный клуб Восток-2", "Зоя|Лицей Мытищи"}));
            QCOMPARE(b.nombre("Club"), 5);
        }
        QCOMPARE(b.lignes("SELECT Code_federal FROM Club ORDER BY Num"),
                 (QStringList{"МЫТИЩИ", "МЫТИЩИ/2", "RUSСпортивный клуб В", "RUSСпортивный клуб В/2", "мытищи/3"}));
    }

    // A relay leg is an athlete of the meet, whatever his club and wherever the file puts him.
    void relayeurDUnAutreClub()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString jan = notreNageur(b, {"7001", "KELLER", "Jan", "M", "19970402"});
        const QString compet = competition(b);
        // Our club's name, and after it in the file a club whose swimmer swims the second leg of its relay 1.
        Ecrire_fichier(dossier("source") + "/r.lef",
                       Resultats_reels()
                           .replace("name='Schwimmverein beider Basel'", "name='Cercle des Nageurs de Lyon'")
                           .replace("<RELAYPOSITION number='2' athleteid='2'/>", "<RELAYPOSITION number='2' athleteid='9'/>")
                           .replace("</CLUBS>", "<CLUB code='AUT' name='Autre club'><ATHLETES><ATHLETE lastname='Voisin' firstname='Luc' "
                                                "gender='M' birthdate='1995-01-01' athleteid='9'/></ATHLETES></CLUB></CLUBS>"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        const QString luc = b.valeur("SELECT Num FROM Licence WHERE Nom = 'Voisin'");
        QCOMPARE(b.lignes("SELECT Code_club, Num_Lic, Nageur1, Nageur2 FROM Liffn_relais WHERE Num_compet = ?", {compet}),
                 QStringList{"0690123|1|" + jan + "|" + luc});
    }

    // Time trials and extra heats are heats, not finals; the heats of a timed final in fastest heats
    // get no final's letter; relays without a number are numbered per event and club.
    void toursEtEquipes()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", kTours);
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Tps, Type_course, coalesce(Numero_serie, '-') FROM Prres WHERE Num_compet = ? ORDER BY Tps", {compet}),
                 (QStringList{"1,01|S|2", "1,02|S|1", "1,03|F|-", "1,04|B|-"}));
        QCOMPARE(b.lignes("SELECT Code_epreuve, Num_equipe FROM Prres_relais WHERE Num_compet = ? ORDER BY Tps", {compet}),
                 (QStringList{"14|1", "16|1", "16|2", "16|3"}));
    }

    // The conformance meet's skeleton, then results made from its entries (tests/components/donnees).
    void resultatsConformite()
    {
        const QString conformite = Dossier_conformite();
        if (conformite.isEmpty())
            QSKIP("fichiers de conformité absents");
        const QString fichier = QV_SOURCE_DIR "/tests/components/donnees/meet-results.lef";
        BaseFichier b(m_rep->fichier("base.mdb"));
        // Our club is the file's "SVB", which the file names as we do; its swimmers hold our licences.
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('0410042', 'Schwimmverein beider Basel')");
        {
            QFile f(fichier);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader x(&f);
            bool svb = false;
            while (!x.atEnd()) {
                if (x.readNext() != QXmlStreamReader::StartElement)
                    continue;
                const auto a = x.attributes();
                if (x.name() == u"CLUB")
                    svb = a.value("code") == u"SVB";
                else if (svb && x.name() == u"ATHLETE")
                    b.executer("INSERT INTO Licence (Code_club, Nom, Prenom, Date_Naissance) VALUES ('0410042', ?, ?, ?)",
                               {a.value("lastname").toString(), a.value("firstname").toString(),
                                a.value("birthdate").toString().remove('-')});
            }
        }
        const QString compet = competition(b);
        QVERIFY(QFile::copy(conformite + "/meet-entries.lef", dossier("squelette") + "/meet-entries.lef"));
        QVERIFY(squelette(b, dossier("squelette"), compet).resultat.toBool());
        QVERIFY(QFile::copy(fichier, dossier("source") + "/meet-results.lef"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("526 résultats individuels importés") && r.trace.contains("11 résultats de relais importés"),
                 qPrintable(r.trace));

        // Age bands: each label once; a swimmer with a birth date is filed under his band, never under the
        // open ranking that the file reads last.
        QCOMPARE(b.valeur("SELECT count(*) - count(DISTINCT Libelle) FROM Categori WHERE Num_compet = ?", {compet}), QString("0"));
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres JOIN Licence ON Num = Num_Lic JOIN Categori C ON C.Num_compet = Prres.Num_compet "
                          "AND Num_cat = Num_categorie WHERE Prres.Num_compet = ? AND Date_Naissance <> '' AND Libelle = 'by time'",
                          {compet}),
                 QString("0"));
        QVERIFY(b.valeur("SELECT count(*) FROM Prres JOIN Categori C ON C.Num_compet = Prres.Num_compet AND Num_cat = Num_categorie "
                         "WHERE Prres.Num_compet = ? AND Libelle LIKE '%-% ans'",
                         {compet})
                    .toInt()
                > 400);
        // The mixed relays 15 and 33 share their codes with the relays open to all 34 and 35: each is ranked apart.
        QCOMPARE(b.lignes("SELECT DISTINCT Libelle FROM Prres_relais JOIN Categori C ON C.Num_compet = Prres_relais.Num_compet "
                          "AND Num_cat = Num_categorie WHERE Prres_relais.Num_compet = ? ORDER BY 1",
                          {compet}),
                 (QStringList{"épreuve 15, Toutes catégories", "épreuve 33, Toutes catégories"}));
        // Splits: descending distances, one column a step; a 1500 m fills all fourteen, a 200 m three.
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres WHERE Num_compet = ? AND (Inter2 >= Inter1 OR Inter14 >= Inter13)", {compet}),
                 QString("0"));
        QCOMPARE(b.lignes("SELECT DISTINCT Distance, Inter3 IS NOT NULL, Inter4 IS NOT NULL, Inter14 IS NOT NULL FROM Prres "
                          "JOIN Nage ON Code_Nage = Code_epreuve WHERE Num_compet = ? AND Inter1 IS NOT NULL AND Distance IN (200, 1500)",
                          {compet}),
                 (QStringList{"200|1|0|0", "1500|1|1|1"}));
        QCOMPARE(b.lignes("SELECT DISTINCT Num_Lic FROM Prres_relais WHERE Num_compet = ? ORDER BY 1", {compet}),
                 (QStringList{"1", "2"}));
        // Running order: unique, day by day.
        QCOMPARE(b.valeur("SELECT count(DISTINCT Num_ordre) = count(*) FROM Pcomp WHERE Num_compet = ?", {compet}), QString("1"));
        QCOMPARE(b.valeur("SELECT count(*) FROM Pcomp A, Pcomp B WHERE A.Num_compet = ? AND B.Num_compet = A.Num_compet "
                          "AND A.JourCourse < B.JourCourse AND A.Num_ordre > B.Num_ordre",
                          {compet}),
                 QString("0"));
        // Our club: not added again, our performances under our code.
        QCOMPARE(b.nombre("Club WHERE Code_federal = 'SVB'"), 0);
        QVERIFY(b.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = ? AND Code_club = '0410042'", {compet}).toInt() > 0);
        QCOMPARE(b.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = ? AND Code_club <> '0410042'", {compet}), QString("0"));
        QCOMPARE(b.lignes("SELECT DISTINCT Code_club FROM Liffn_relais WHERE Num_compet = ?", {compet}), QStringList{"0410042"});
    }

    // Clubs written before the sessions wait for the programme; an event open to all takes the
    // code of each swimmer's sex, a relay open to all the mixed relay's.
    void clubsAvantSessionsEtEpreuvesOuvertes()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/r.lef",
                       "<LENEX version='3.0'><MEETS><MEET name='M' city='Caen' course='SCM'><CLUBS><CLUB name='A' code='A1'>"
                       "<ATHLETES><ATHLETE athleteid='1' lastname='X' firstname='Eve' gender='F' birthdate='2000-01-01'><RESULTS>"
                       "<RESULT resultid='1' eventid='9' swimtime='00:20:00.00'/></RESULTS></ATHLETE>"
                       "<ATHLETE athleteid='2' lastname='Y' firstname='Max' gender='M' birthdate='2000-01-01'><RESULTS>"
                       "<RESULT resultid='2' eventid='9' swimtime='00:19:00.00'/></RESULTS></ATHLETE></ATHLETES>"
                       "<RELAYS><RELAY number='1'><RESULTS><RESULT resultid='3' eventid='8' swimtime='00:02:00.00'/></RESULTS>"
                       "</RELAY></RELAYS></CLUB></CLUBS><SESSIONS><SESSION number='1' date='2024-01-20'><EVENTS>"
                       "<EVENT eventid='9' number='1'><SWIMSTYLE distance='1500' relaycount='1' stroke='FREE'/></EVENT>"
                       "<EVENT eventid='8' number='2' gender='A'><SWIMSTYLE distance='50' relaycount='4' stroke='MEDLEY'/></EVENT>"
                       "</EVENTS></SESSION></SESSIONS></MEET></MEETS></LENEX>");
        const ResultatAppel r = Appeler_composant("MeetResultsImporter", "bimport_result",
                                                  {b.chemin(), source, dossier("temp"), trace(), QVariant(), compet, false}, trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Code_epreuve FROM Pcomp WHERE Num_compet = ? ORDER BY 1", {compet}),
                 (QStringList{"6", "16", "56"}));
        QCOMPARE(b.lignes("SELECT Code_epreuve, Tps FROM Prres WHERE Num_compet = ? ORDER BY 1", {compet}),
                 (QStringList{"6|20", "56|19"}));
        QCOMPARE(b.lignes("SELECT Code_epreuve, Tps FROM Prres_relais WHERE Num_compet = ?", {compet}), QStringList{"16|2"});
    }

    // The file's "Balduíno Juan" and "Pedro Serafini João" are our "BALDUINO Juan" and "PEDRO SERAFINI
    // Joao": their results and performances go to our licences, no swimmer is added for them.
    void nomsAccentues()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        QString balduino, joao;
        const QString compet = avecRegional(b, kNotreClubCoupe, &balduino, &joao);
        QVERIFY(QFile::copy(kRegional, dossier("source") + "/r.lef"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Num_Lic, Tps FROM Prres WHERE Num_compet = ? AND Code_epreuve = 52 AND Num_Lic IN (?, ?) ORDER BY Tps",
                          {compet, balduino, joao}),
                 (QStringList{balduino + "|0,56", joao + "|0,589"}));
        QCOMPARE(b.lignes("SELECT Num_Lic, Code_club, Tps FROM Liffn WHERE Num_compet = ? ORDER BY Tps", {compet}),
                 (QStringList{balduino + "|0690123|0,56", joao + "|0690123|0,589"}));
        QCOMPARE(b.nombre("Licence WHERE Visible = 0 AND (Nom LIKE 'Baldu%' OR Nom LIKE 'Pedro%')"), 0);
        // The two guests swam only hors concours: no row names them.
        QVERIFY2(r.trace.contains("10 nageurs ajoutés"), qPrintable(r.trace));
        QCOMPARE(b.nombre("Licence WHERE Nom IN ('Fernández', 'Sørensen')"), 0);
    }

    // The two heats F1 and F2 of a final are one final: no heat number, and the viewer ranks each age
    // group over both, as the file does; finals A and B stay two. The exhibition swims take no place
    // (the guest swam the final faster than all), and the rows left out are nowhere.
    void placesAuVisualiseur()
    {
        BaseTest base;
        PortIhmTest ihm;
        ihm.accepterMessagesOk(true);
        const QString compet = avecRegional(base, kNotreClubCoupe);
        QVERIFY(QFile::copy(kRegional, dossier("source") + "/r.lef"));
        const ResultatAppel r = Appeler_composant("MeetResultsImporter", "bimport_result",
                                                  {base.chemin(), dossier("source"), dossier("temp"), trace(), QVariant(), compet, false},
                                                  trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(base.valeur("SELECT count(*) FROM Prres WHERE Code_epreuve = 52 AND Numero_serie IS NOT NULL"), QString("0"));

        const QStringList lignes = voirResultats(compet, "resultats_regional");
        QCOMPARE(lignes, (QStringList{"|Messieurs 100 NL|", "||", "|Finale catégorie Infantil|",
                                      "1|PEDRO SERAFINI Joao|58.90", "2|Gonçalves Davi|1:00.30", "3|Núñez Tomás|1:02.10",
                                      "4|Sousa Ícaro|1:03.40", "5|Araújo Caio|1:05.00", "||", "|Finale catégorie Juvenil|",
                                      "1|BALDUINO Juan|56.00", "2|Lopes Enzo|57.50", "3|Mendonça Raí|59.00", "||", "||",
                                      "|Dames 50 Dos|", "||", "|Finale A|", "1|Conceição Luíza|31.20", "2|Brandão Maitê|32.00",
                                      "||", "|Finale B|", "1|Antunes Lívia|33.00", "||", "||", "|Dames 200 4 Nages|", "||",
                                      "|Finale|", "1|Conceição Luíza|2:40.15", "2|Teixeira Bia|Disq", "||", "||",
                                      "|Messieurs 4 x 50 m N.L.|", "||", "|Finale|", "1|Relais n° 1|1:52.40"}));
    }

    // Two events of the file on one of our codes, for the same ages, are ranked apart in the
    // viewer, each under a heading that names its event, each row at the file's place: a timed
    // final beside a final swum in two heats, two timed finals without age groups.
    void deuxEpreuvesDUnCodeAuVisualiseur()
    {
        BaseTest base;
        PortIhmTest ihm;
        ihm.accepterMessagesOk(true);
        base.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)");
        const QString compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
        Ecrire_fichier(dossier("source") + "/r.lef", kDeuxEpreuvesDUnCode);
        const ResultatAppel r = Appeler_composant("MeetResultsImporter", "bimport_result",
                                                  {base.chemin(), dossier("source"), dossier("temp"), trace(), QVariant(), compet, false},
                                                  trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(voirResultats(compet, "resultats_deux_epreuves"),
                 (QStringList{"|Dames 100 NL|", "||", "|Finale catégorie épreuve 1|", "1|Gomes X|1:10.00",
                              "2|Horta X|1:12.00", "||", "|Finale catégorie épreuve 5|", "1|Inacio X|1:09.00",
                              "2|Jardim X|1:11.00", "||", "||", "|Messieurs 50 NL|", "||",
                              "|Finale catégorie épreuve 999, Juvenil|", "1|Alves X|24.50", "2|Barros X|24.90", "3|Cunha X|25.10",
                              "||", "|Finale catégorie épreuve 39, Juvenil|", "1|Dias X|24.20", "2|Esteves X|24.80",
                              "3|Farias X|24.99"}));
    }

    // Every result of the file is imported, swum hors concours or named with the reason it is left
    // out, and the totals add up to the file's results.
    void chaqueResultatCompte()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = avecRegional(b, kNotreClubCoupe);
        QVERIFY(QFile::copy(kRegional, dossier("source") + "/r.lef"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        for (const char* ligne :
             {"r.lef, ligne 129 : résultat ignoré, engagement refusé par l'organisateur (RJC) : Antunes Lívia, épreuve 3 (Dames 200 4 Nages, Finale).",
              "r.lef, ligne 135 : résultat ignoré, ni temps ni statut : Brandão Maitê, épreuve 3 (Dames 200 4 Nages, Finale).",
              "r.lef, ligne 90 : résultat ignoré, ni temps ni statut : relais n° 2 de Itamirim/Novos Cielos/Nadar Itajai, épreuve 4 (Messieurs 4 x 50 m N.L., Finale).",
              "r.lef, ligne 150 : nage hors concours (EXH), sans place : Fernández Matías, épreuve 1 (Messieurs 100 NL, Finale).",
              "r.lef, ligne 155 : nage hors concours (EXH), sans place : Sørensen Mía, épreuve 3 (Dames 200 4 Nages, Finale).",
              "13 résultats individuels importés.", "1 résultat de relais importé.", "2 nages hors concours (EXH), sans place.",
              "1 résultat ignoré (engagement refusé par l'organisateur, RJC).", "2 résultats ignorés (ni temps ni statut).",
              "Total : 19 résultats dans le fichier, 14 importés, 2 hors concours, 3 ignorés."})
            QVERIFY2(r.trace.contains(QString::fromUtf8(ligne)), qPrintable(ligne + QString("\n") + r.trace));
        QCOMPARE(Octets(kRegional).count("<RESULT "), 19);
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres WHERE Num_compet = ?", {compet}), QString("13"));
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres_relais WHERE Num_compet = ?", {compet}), QString("1"));
        QCOMPARE(b.nombre("Prres JOIN Licence ON Num = Num_Lic WHERE Nom IN ('Fernández', 'Sørensen', 'Antunes', 'Brandão') "
                          "AND Code_epreuve IN (41, 52)"),
                 0);
    }

    // A club of the file whose name begins with the whole of our club's, when ours fills the
    // club dialog's 30 characters, is ours (accents, case and spaces aside); a shorter name of ours
    // is no beginning of another club's.
    void nomDeClubCoupe_data()
    {
        QTest::addColumn<QString>("notreNom");
        QTest::addColumn<bool>("notre");
        QTest::newRow("30 caractères") << kNotreClubCoupe << true;
        QTest::newRow("30 caractères, accents et casse") << QString("ITAMIRIM/Novos Cíelos/Nadar It") << true;
        QTest::newRow("nom entier") << QString("Itamirim/Novos Cielos/Nadar Itajai") << true;
        QTest::newRow("nom court") << QString("Itamirim") << false;
        QTest::newRow("29 caractères") << QString("Itamirim/Novos Cielos/Nadar I") << false;
        QTest::newRow("30 caractères d'un autre") << QString("Itamirim/Novos Cielos/Nadar Iz") << false;
    }
    void nomDeClubCoupe()
    {
        QFETCH(QString, notreNom);
        QFETCH(bool, notre);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = avecRegional(b, notreNom);
        QVERIFY(QFile::copy(kRegional, dossier("source") + "/r.lef"));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        const QString club = notre ? "0690123" : "ITAM";
        QCOMPARE(b.lignes("SELECT Code_club FROM Prres_relais WHERE Num_compet = ?", {compet}), QStringList{club});
        QCOMPARE(b.lignes("SELECT Code_club FROM Liffn_relais WHERE Num_compet = ?", {compet}), QStringList{club});
        QCOMPARE(b.nombre("Club WHERE Code_federal = 'ITAM'"), notre ? 0 : 1);
    }

    // The trace names each result left out where the file has it, with its swimmer or team and its
    // event as our windows name it (the round too, heats and final sharing a number); a relay event
    // we have no code for is named; a swimmer whose every result is left out is not added.
    void traceDansLOrdre()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/r.lef", kTraceReelle);
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        const QString series = "épreuve 2 (Dames 50 Papillon, Série)", finale = "épreuve 2 (Dames 50 Papillon, Finale)";
        const QString relais = "épreuve 3 (Messieurs 8 x 50 m N.L., Finale)";
        const QStringList lignes = {
            "Épreuve ignorée, sans code dans le catalogue : " + relais + ".",
            "Épreuve non reprise pour les engagements, " + finale + " : ses engagés vont à l'" + series,
            "r.lef, ligne 11 : temps intermédiaire ignoré, temps impossible « 00:00:-5.00 » : Roux Eva, " + series + ".",
            "r.lef, ligne 12 : résultat ignoré, engagement refusé par l'organisateur (RJC) : Roux Eva, " + finale + ".",
            "r.lef, ligne 13 : résultat ignoré, temps impossible « 00:00:3O.00 » : Roux Eva, " + finale + ".",
            "r.lef, ligne 16 : résultat ignoré, ni temps ni statut : Vidal Ana, " + series + ".",
            "r.lef, ligne 17 : résultat ignoré, engagement refusé par l'organisateur (RJC) : Vidal Ana, " + finale + ".",
            "r.lef, ligne 18 : résultat ignoré, épreuve sans code dans le catalogue : relais n° 1 de Lille Natation, " + relais + ".",
            "r.lef, ligne 19 : résultat ignoré, épreuve sans code dans le catalogue : relais n° 2 de Lille Natation, " + relais + ".",
            "Club ajouté : Lille Natation (LN).",
            "1 résultat individuel importé.",
            "1 nageur ajouté (absents des listes de licences).",
            "2 résultats ignorés (épreuve sans code) : " + relais + ".",
            "1 résultat ignoré (valeur impossible).",
            "Total : 7 résultats dans le fichier, 1 importé, 0 hors concours, 6 ignorés."};
        qsizetype apres = 0;
        for (const QString& ligne : lignes) {
            const qsizetype i = r.trace.indexOf(ligne, apres);
            QVERIFY2(i >= 0, qPrintable(ligne + "\n" + r.trace));
            apres = i + ligne.size();
        }
        QCOMPARE(r.trace.count("Épreuve non reprise"), 1);
        QCOMPARE(b.lignes("SELECT Nom FROM Licence"), QStringList{"Roux"});
    }

    // A results file cut in its second club: the clubs already read are not kept, the earlier import stays.
    void resultatsTronques()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        auto importer = [&](const QByteArray& contenu) {
            Ecrire_fichier(source + "/resultats.lef", contenu);
            return Appeler_composant("MeetResultsImporter", "bimport_result",
                                     {b.chemin(), source, dossier("temp"), trace(), QVariant(), compet, false}, trace());
        };
        QVERIFY(importer(kResultats).resultat.toBool());
        const QStringList avant = b.lignes("SELECT * FROM Prres ORDER BY Tps");
        const QStringList clubs = b.lignes("SELECT Code_federal FROM Club ORDER BY 1");
        b.executer("DELETE FROM Prres_relais");
        const ResultatAppel r = importer(kResultats.left(kResultats.indexOf("<RESULT resultid='302'")));
        QVERIFY2(!r.resultat.toBool() && r.trace.contains("ligne 2"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT * FROM Prres ORDER BY Tps"), avant);
        QCOMPARE(b.nombre("Prres_relais"), 0);
        QCOMPARE(b.lignes("SELECT Code_federal FROM Club ORDER BY 1"), clubs);
    }

    // Entries written as Lenex come back entry for entry, and as a programme through our reader.
    void engagementsAllerRetour()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        b.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('C1', 'Cercle \"des\" nageurs & co')");
        const qint64 compet = b.executer("INSERT INTO Rcomp (Nom, Lieu, Debut, Fin, Longueur, Nb_couloir) "
                                         "VALUES ('Meeting <été>', 'Lille', '20240608', '20240609', 50, 8)");
        for (const QVariantList& p : {QVariantList{2, 1, 1}, QVariantList{52, 1, 2}, QVariantList{14, 2, 3}})
            b.executer("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Type, Nb_finales, Type_finale, Num_ordre) "
                       "VALUES (?, ?, ?, 1, '0', ' ', ?)",
                       {compet, p[0], p[1], p[2]});
        const QString lic = "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance) VALUES ('C1', ?, ?, ?, ?, ?)";
        const qint64 zoe = b.executer(lic, {"123", "DUPONT", "Zoé", "F", "20120314"});
        const qint64 tom = b.executer(lic, {"", "O'NEIL", "Tom", "M", "20100101"});
        const QString engag = "INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Tps_engagement) VALUES (?, ?, ?, ?, ?)";
        b.executer(engag, {compet, 1, 2, zoe, 1.0532});
        b.executer(engag, {compet, 1, 52, tom, 0});
        b.executer(engag, {compet, 2, 52, tom, 0.59}); // another profile's
        b.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_equipe, Tps, Licence1, Licence2) "
                   "VALUES (1, ?, 14, 1, 1.5, ?, ?)",
                   {compet, tom, zoe});
        const QString temp = dossier("sortie");
        const ResultatAppel r = Appeler_composant("EntryFilesBuilder", "bCreation_disquette",
                                                  {"1", false, QString::number(compet), b.chemin(), temp, trace(), QVariant()},
                                                  trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));

        // An independent pass over what was written.
        QFile f(temp + "/engagements.lef");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader x(&f);
        QStringList lu;
        QString athlete;
        while (!x.atEnd()) {
            if (x.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto a = x.attributes();
            if (x.name() == u"ATHLETE")
                athlete = a.value("lastname").toString() + " " + a.value("firstname").toString() + " "
                          + a.value("birthdate").toString() + " " + a.value("license").toString();
            else if (x.name() == u"ENTRY")
                lu << athlete + " " + a.value("eventid").toString() + " " + a.value("entrytime").toString();
            else if (x.name() == u"RELAY")
                athlete = "relais " + a.value("number").toString();
            else if (x.name() == u"RELAYPOSITION")
                lu << athlete + " " + a.value("number").toString() + "=" + a.value("athleteid").toString();
            else if (x.name() == u"CLUB")
                lu << a.value("name").toString();
        }
        QVERIFY2(!x.hasError(), qPrintable(x.errorString()));
        QCOMPARE(lu, (QStringList{QString::fromUtf8("Cercle \"des\" nageurs & co"),
                                  QString::fromUtf8("DUPONT Zoé 2012-03-14 123 1 00:01:05.32"), "O'NEIL Tom 2010-01-01  2 NT",
                                  "relais 1 3 00:01:50.00", "relais 1 1=" + QString::number(tom),
                                  "relais 1 2=" + QString::number(zoe)}));

        // Our skeleton reader finds the same programme.
        const QString cible = competition(b);
        const ResultatAppel s = squelette(b, temp, cible);
        QVERIFY2(s.resultat.toBool(), qPrintable(s.trace));
        QCOMPARE(b.lignes("SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? ORDER BY Code_epreuve", {cible}),
                 (QStringList{"2|1|1", "14|2|3", "52|1|2"}));
        QCOMPARE(b.lignes("SELECT Nom, Lieu, Debut, Fin, Longueur, Nb_couloir FROM Rcomp WHERE AutoNum = ?", {cible}),
                 QStringList{QString::fromUtf8("Meeting <été>|Lille|20240608|20240609|50|8")});
    }

    // Long values are read, and the trace shows only their beginning.
    void valeursLonguesAbregees()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        Ecrire_fichier(dossier("source") + "/reunion.lef",
                       "<LENEX version='3.0'><MEETS><MEET name='" + QByteArray(10000, 'N') + "' city='Lille'/></MEETS></LENEX>");
        const ResultatAppel r = squelette(b, dossier("source"), compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("Compétition : " + QString(100, 'N') + "… à Lille"), qPrintable(r.trace));
        QVERIFY(!r.trace.contains(QString(101, 'N')));
        QCOMPARE(b.valeur("SELECT length(Nom) FROM Rcomp WHERE AutoNum = ?", {compet}), QString("255"));
    }

    // The archive is unpacked into a folder emptied first: a meet file an earlier run left there is
    // not read with the archive's.
    void dossierDecompressionVide()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString reste = dossier("temp/lenex") + "/ancien.lef";
        Ecrire_fichier(reste, Resultats_reels());
        Ecrire_fichier(dossier("source") + "/r.lxf", zipBrut({{"b.lef", kResultats}}));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool() && r.trace.contains("Fichier lu : b.lef"), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT Nom FROM Rcomp WHERE AutoNum = ?", {compet}), QString("Meeting"));
        QVERIFY(!QFile::exists(reste));
    }

    // An archive whose entry climbs out of the work folder is refused; nothing lands outside.
    void archiveHorsDossier()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lxf", zipBrut({{"../../evade.lef", kPetiteReunion}}));
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(!r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("décompressée") && r.trace.contains("aucune modification"), qPrintable(r.trace));
        QVERIFY(!QFile::exists(m_rep->fichier("evade.lef")));
        QVERIFY(!QFile::exists(m_rep->fichier("temp/evade.lef")));
        QCOMPARE(b.nombre("Pcomp"), 0);
    }

    // Broken or hostile files: refused with the line at fault, the base untouched.
    void refus_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("raison");
        QByteArray tronque = kPetiteReunion;
        tronque.chop(120);
        QTest::newRow("tronqué") << tronque << "reunion.lef, ligne 13 : le fichier s'arrête avant la fin du document (fichier tronqué).";
        QTest::newRow("bombe d'entités")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE LENEX [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>\n"
                          "<LENEX version=\"3.0\"><MEETS><MEET name=\"&b;\"/></MEETS></LENEX>")
            << "ligne 2";
        QTest::newRow("attribut de 50 Mo")
            << (QByteArray("<LENEX version='3.0'><MEETS><MEET name='") + QByteArray(50 * 1024 * 1024, 'a') + "'")
            << "reunion.lef, ligne 1 : un élément, un texte ou un commentaire dépasse 64 ko";
        // Quotes and brackets inside a comment are the comment's.
        QTest::newRow("commentaire de 8 Mo") << (QByteArray("<LENEX version='3.0'>\n<!--") + QByteArray("x<x>").repeated(2 << 20) + "-->")
                                             << "reunion.lef, ligne 2 : un élément, un texte ou un commentaire dépasse 64 ko";
        QTest::newRow("commentaire de 70 ko") << (QByteArray("<LENEX version='3.0'><!--") + QByteArray(70 * 1024, '\'') + "--></LENEX>")
                                              << "reunion.lef, ligne 1 : un élément, un texte ou un commentaire dépasse 64 ko";
        QByteArray attributs = "<LENEX version='3.0'><MEETS><MEET";
        for (int i = 0; i < 200000; ++i)
            attributs += " a" + QByteArray::number(i) + "='1'";
        QTest::newRow("200 000 attributs") << attributs + "/></MEETS></LENEX>"
                                           << "reunion.lef, ligne 1 : un élément, un texte ou un commentaire dépasse 64 ko";
        attributs.truncate(attributs.indexOf(" a101="));
        QTest::newRow("101 attributs") << attributs + "/></MEETS></LENEX>"
                                       << "reunion.lef, ligne 1, élément MEET : plus de 100 attributs dans un même élément.";
        QTest::newRow("NUL dans un nom d'attribut") << QByteArray("<LENEX version='3.0'><MEETS>\n<MEET na\0me='x'/></MEETS></LENEX>", 62)
                                                    << "reunion.lef, ligne 2 : caractère nul (octet 0), interdit en XML";
        QTest::newRow("NUL dans un texte") << QByteArray("<LENEX version='3.0'>\n\n<MEETS>\0</MEETS></LENEX>", 47)
                                           << "reunion.lef, ligne 3 : caractère nul";
        // Well formed, and still no meet's: refused before it is read into memory.
        QTest::newRow("nom de 70 ko") << (QByteArray("<?xml version='1.0'?>\n<LENEX version='3.0'>\n<MEETS><MEET city='x' name='")
                                          + QByteArray(70 * 1024, 'a') + "'/></MEETS></LENEX>\n")
                                      << "reunion.lef, ligne 3 : un élément, un texte ou un commentaire dépasse 64 ko";
        QTest::newRow("texte de 70 ko") << (QByteArray("<LENEX version='3.0'><MEETS>\n<MEET name='x'>\n")
                                            + QByteArray(70 * 1024, 'b') + "</MEET></MEETS></LENEX>\n")
                                        << "ligne 2 : un élément, un texte ou un commentaire dépasse 64 ko";
        QTest::newRow("balises croisées") << QByteArray("<LENEX version='3.0'><MEETS><MEET name='x'>\n</MEETS></MEET></LENEX>")
                                          << "ligne 2, élément MEET : la balise fermante ne correspond pas à la balise ouverte.";
        QTest::newRow("pas Lenex") << QByteArray("<?xml version=\"1.0\"?><HTML/>") << "racine";
        QTest::newRow("sans réunion") << QByteArray("<LENEX version=\"3.0\"/>") << "MEET";
        QTest::newRow("mauvais codage") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><LENEX><MEETS><MEET name=\"\xE9t\xE9\"/></MEETS></LENEX>")
                                        << "ligne 1 : caractères mal codés pour le codage déclaré du fichier.";
    }
    void refus()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(QString, raison);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        b.executer("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse) VALUES (?, 2, 1)", {compet});
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef", contenu);
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(!r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains(raison) && r.trace.contains("aucune modification"), qPrintable(r.trace));
        QVERIFY2(!r.trace.contains(".."), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Code_epreuve FROM Rcomp JOIN Pcomp ON Num_compet = AutoNum"), QStringList{"|2"});
    }

    // The bound is on what the reader reads, not on the bytes: a comment with an apostrophe in a
    // file whose values are in double quotes is a comment.
    void commentaireAvecApostrophe()
    {
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = competition(b);
        const QString source = dossier("source");
        Ecrire_fichier(source + "/reunion.lef",
                       QByteArray(kPetiteReunion)
                           .replace("<CONSTRUCTOR name='x'/>", "<CONSTRUCTOR name='x'/><!-- R\xE9sultats de l'\xE9preuve -->"
                                                                + QByteArray("<INCONNU a=\"1\"/>\n").repeated(5000)));
        const ResultatAppel r = squelette(b, source, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT count(*) FROM Pcomp WHERE Num_compet = ?", {compet}), QString("3"));
    }

    // Dates followed by a time of day, as ISO 8601 writes it, are read as their day: the skeleton
    // and the results import whole, every swimmer with his birth date, as without the time.
    void datesAvecHeure_data()
    {
        QTest::addColumn<QByteArray>("heure");
        for (const char* heure : {"T00:00:00", "T14:30", "T00:00:00.000", "T23:59:59,5", "T00:00:00Z", "T00:00:00+02:00",
                                  "T10:00-0300", "T12:00:00.25+05"})
            QTest::newRow(heure) << QByteArray(heure);
    }
    void datesAvecHeure()
    {
        QFETCH(QByteArray, heure);
        const QByteArray fichier = Avec_heure(Resultats_reels(), heure);
        QVERIFY(fichier.contains("date='2024-06-08" + heure + "'") && fichier.contains("birthdate='1990-01-01" + heure + "'")
                && fichier.contains("AGEDATE value='2024-06-08" + heure + "'"));
        QVERIFY(Avec_heure(kPetiteReunion, heure).contains("date='2024-06-09" + heure + "'"));

        BaseFichier sq(m_rep->fichier("squelette.mdb"));
        const QString squel = competition(sq);
        Ecrire_fichier(dossier("squelette") + "/reunion.lef", Avec_heure(kPetiteReunion, heure));
        const ResultatAppel s = squelette(sq, dossier("squelette"), squel);
        QVERIFY2(s.resultat.toBool(), qPrintable(s.trace));
        QCOMPARE(sq.valeur("SELECT Debut || '-' || Fin FROM Rcomp WHERE AutoNum = ?", {squel}), QString("20240608-20240609"));
        QCOMPARE(sq.lignes("SELECT Code_epreuve, JourCourse, Num_ordre FROM Pcomp WHERE Num_compet = ? ORDER BY Code_epreuve", {squel}),
                 (QStringList{"2|1|1", "17|1|3", "81|1|2"}));

        // The same results without the times, imported into a base of their own, are what the import must give.
        BaseFichier b(m_rep->fichier("base.mdb")), t(m_rep->fichier("temoin.mdb"));
        const QString compet = avecKeller(b);
        QCOMPARE(avecKeller(t), compet);
        Ecrire_fichier(dossier("temoin") + "/r.lef", Resultats_reels());
        QVERIFY(Appeler_composant("MeetResultsImporter", "bimport_result",
                                  {t.chemin(), dossier("temoin"), dossier("temp"), trace(), QVariant(), compet, false}, trace())
                    .resultat.toBool());
        Ecrire_fichier(dossier("source") + "/r.lef", fichier);
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(!r.trace.contains("nageur ignoré") && !r.trace.contains("impossible"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Date_Naissance FROM Licence ORDER BY 1"), (QStringList{"Gast|19900101", "KELLER|19970402"}));
        QCOMPARE(b.lignes("SELECT Debut, Fin FROM Rcomp WHERE AutoNum = ?", {compet}), QStringList{"20240608|20240609"});
        QCOMPARE(b.lignes("SELECT Date_age, Type_age FROM Lenex_reunion WHERE Num_compet = ?", {compet}), QStringList{"2024-06-08|YEAR"});
        QCOMPARE(b.nombre("Prres"), 4);
        QCOMPARE(b.nombre("Liffn"), 3);
        for (const char* table : {"Rcomp", "Pcomp", "Prres", "Prres_relais", "Liffn", "Liffn_relais", "Categori", "Licence", "Club",
                                  "Lenex_reunion", "Lenex_epreuve"}) {
            const QString requete = QString("SELECT * FROM ") + table;
            QCOMPARE(b.lignes(requete), t.lignes(requete));
        }
    }

    // Values that cannot be. In a result it is left out and named, the others imported; in the
    // meet's frame the file is refused and the base, holding an earlier import, keeps every byte.
    void valeursImpossibles_data()
    {
        QTest::addColumn<QByteArray>("avant");
        QTest::addColumn<QByteArray>("apres");
        QTest::addColumn<int>("gardes"); // individual results imported; -1: the file is refused
        QTest::addColumn<QString>("trace");
        const QByteArray temps = "swimtime='00:01:05.00'";
        const QString ignore = "r.lef, ligne 21 : résultat ignoré, ";
        QTest::newRow("heures négatives") << temps << QByteArray("swimtime='-1:30:00.00'") << 3 << ignore + "temps impossible « -1:30:00.00 »";
        QTest::newRow("minutes négatives") << temps << QByteArray("swimtime='00:-5:00.00'") << 3 << ignore + "temps impossible";
        QTest::newRow("millièmes") << temps << QByteArray("swimtime='00:00:59.999'") << 3 << ignore + "temps impossible";
        QTest::newRow("heures sans fin") << temps << QByteArray("swimtime='35791395:00:00.00'") << 3 << ignore + "temps impossible";
        QTest::newRow("soixante secondes") << temps << QByteArray("swimtime='00:01:60.00'") << 3 << ignore + "temps impossible";
        QTest::newRow("couloir") << QByteArray("resultid='104'") << QByteArray("resultid='104' lane='2147483647'") << 3
                                 << ignore + "couloir impossible « 2147483647 »";
        QTest::newRow("points") << QByteArray("resultid='104'") << QByteArray("resultid='104' points='-5'") << 3
                                << ignore + "points impossibles « -5 »";
        QTest::newRow("temps intermédiaire") << QByteArray("swimtime='00:00:29.00'") << QByteArray("swimtime='00:-5:29.00'") << 4
                                             << "1 temps intermédiaire ignoré (temps impossible).";
        QTest::newRow("né après la réunion")
            << QByteArray("birthdate='1990-01-01'") << QByteArray("birthdate='2030-01-01'") << 3
            << "r.lef, ligne 23 : nageur ignoré, date de naissance impossible « 2030-01-01 » : Gast Tom (1 résultat).";
        QTest::newRow("naissance sans jour") << QByteArray("birthdate='1990-01-01'") << QByteArray("birthdate='1990-02-30'") << 3
                                             << "nageur ignoré, date de naissance impossible « 1990-02-30 »";
        QTest::newRow("naissance sans jour, avec heure")
            << QByteArray("birthdate='1990-01-01'") << QByteArray("birthdate='1990-02-30T00:00:00'") << 3
            << "nageur ignoré, date de naissance impossible « 1990-02-30T00:00:00 »";
        QTest::newRow("distance × relayeurs")
            << QByteArray("distance='50' relaycount='4'") << QByteArray("distance='2147483647' relaycount='4'") << -1
            << "r.lef, ligne 12, élément SWIMSTYLE : valeur impossible pour distance « 2147483647 » (attendu : de 0 à 25000).";
        QTest::newRow("relayeurs") << QByteArray("distance='50' relaycount='4'") << QByteArray("distance='50' relaycount='-4'") << -1
                                   << "valeur impossible pour relaycount « -4 »";
        QTest::newRow("couloirs du bassin")
            << QByteArray("type='YEAR'/>") << QByteArray("type='YEAR'/><POOL lanemin='-2147483648' lanemax='2147483647'/>") << -1
            << "r.lef, ligne 2, élément POOL : valeur impossible pour lanemin « -2147483648 »";
        QTest::newRow("jours par millions") << QByteArray("date='2024-06-09'") << QByteArray("date='9999-12-31'") << -1
                                            << "élément SESSION : date de session impossible « 9999-12-31 »";
        QTest::newRow("réunion de cent ans") << QByteArray("date='2024-06-09'") << QByteArray("date='2124-06-09'") << -1
                                             << "les sessions s'étendent sur plus d'un an, du 08/06/2024 au 09/06/2124";
        QTest::newRow("naissance négative") << QByteArray("birthdate='1990-01-01'") << QByteArray("birthdate='-2024-01-01'") << 3
                                            << "r.lef, ligne 23 : nageur ignoré, date de naissance impossible « -2024-01-01 » : Gast Tom (1 résultat).";
        QTest::newRow("couloirs à l'envers") << QByteArray("type='YEAR'/>") << QByteArray("type='YEAR'/><POOL lanemin='50' lanemax='1'/>") << -1
                                            << "r.lef, ligne 2, élément POOL : couloirs impossibles, du couloir « 50 » au couloir « 1 ».";
        // A session date that is no day would leave our swimmers' times undated and every event on day 1.
        // A time after it does not make it one, and what follows its "T" must be a time.
        for (const char* date : {"2024-02-30", "24/02/2024", "2024-13-01", "2024-6-9", "-2024-06-09", "09.06.2024", "2024-02-30T00:00:00",
                                 "2024-06-09T", "2024-06-09T25:00", "2024-06-09T10:00:00abc", "2024-06-09 10:00", "2024-06-09T10:00+2"})
            QTest::newRow(qPrintable(QString("session du ") + date))
                << QByteArray("date='2024-06-09'") << "date='" + QByteArray(date) + "'" << -1
                << QString("r.lef, ligne 11, élément SESSION : date de session impossible « %1 » (attendu : aaaa-mm-jj, un jour qui existe).").arg(date);
        QTest::newRow("âge négatif") << QByteArray("agemin='25'") << QByteArray("agemin='-5'") << -1
                                     << "élément AGEGROUP : valeur impossible pour agemin « -5 »";
    }
    void valeursImpossibles()
    {
        QFETCH(QByteArray, avant);
        QFETCH(QByteArray, apres);
        QFETCH(int, gardes);
        QFETCH(QString, trace);
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = avecKeller(b);
        const QString fichier = dossier("source") + "/r.lef";
        Ecrire_fichier(fichier, Resultats_reels());
        QVERIFY(resultats(b, compet).resultat.toBool());
        const QByteArray base = Octets(b.chemin());
        QByteArray contenu = Resultats_reels();
        QVERIFY(contenu.contains(avant));
        Ecrire_fichier(fichier, contenu.replace(avant, apres));
        const ResultatAppel r = resultats(b, compet);
        QVERIFY2(r.trace.contains(trace), qPrintable(r.trace));
        QVERIFY2(!Anglais(r.trace), qPrintable(r.trace));
        if (gardes < 0) {
            QVERIFY2(!r.resultat.toBool() && r.trace.contains("aucune modification"), qPrintable(r.trace));
            QVERIFY2(!r.trace.contains("Opération terminée") && !r.trace.contains("ajouté"), qPrintable(r.trace));
            QVERIFY(Octets(b.chemin()) == base);
            return;
        }
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT count(*) FROM Prres WHERE Num_compet = ?", {compet}).toInt(), gardes);
        if (gardes < 4)
            QVERIFY2(r.trace.contains("1 résultat ignoré (valeur impossible)."), qPrintable(r.trace));
        QCOMPARE(Valeurs_impossibles(b), QStringList());
    }

    // Files damaged at random, the same ones on every run: under the sanitizers nothing reports,
    // and each file is either refused in French with the base left byte for byte as it was, or
    // imported without a value that cannot be. QV_FICHIERS_ABIMES sets how many (for a long run).
    void fichiersAbimes()
    {
        const int nombre = qEnvironmentVariableIsSet("QV_FICHIERS_ABIMES") ? qEnvironmentVariableIntValue("QV_FICHIERS_ABIMES") : 400;
        static const QList<QByteArray> valeurs = {
            "-1", "0", "2147483647", "-2147483648", "99999999999", "", "NT", "-1:30:00.00", "00:-5:00.00", "00:00:59.999",
            "35791395:00:00.00", "99:99:99.99", "1e9", " 7 ", "9999-12-31", "0001-01-01", "2030-01-01", "-5", "\xC3\xA9", "&amp;",
            "&#0;", "&#x1F;", "\x01", "\xFF\xFE", "A", "X", "FIN", "DSQ", "4", "10"};
        static const QList<QByteArray> morceaux = {
            "<!--", "-->", "<![CDATA[", "]]>", "<!DOCTYPE x>", "&x;", "<?pi x?>", QByteArray("\0", 1), "'", "\"", "<", ">",
            "<RESULT eventid='1' resultid='9' swimtime='00:00:01.00'/>", "<ATHLETE athleteid='1'>", "</CLUB>", "<SPLIT distance='-50'/>",
            "<RELAYPOSITION number='2147483647' athleteid='1'/>", "<!-- l'\xC3\xA9preuve -->"};
        const QList<QByteArray> graines = {Resultats_reels(), kResultats};
        BaseFichier b(m_rep->fichier("base.mdb"));
        const QString compet = avecKeller(b);
        const QString fichier = dossier("source") + "/r.lef";
        QRandomGenerator hasard(34);
        const auto au_hasard = [&](qsizetype n) { return n > 0 ? static_cast<qsizetype>(hasard.bounded(static_cast<quint32>(n))) : 0; };
        static const QRegularExpression valeur("='([^']*)'");
        int refus = 0;
        for (int i = 0; i < nombre; ++i) {
            QByteArray f = graines[i % graines.size()];
            for (int m = 0, n = 1 + au_hasard(3); m < n; ++m) {
                const qsizetype pos = au_hasard(f.size());
                switch (au_hasard(6)) {
                case 0:
                case 5: { // a value replaced
                    QList<std::pair<qsizetype, qsizetype>> places;
                    for (auto it = valeur.globalMatch(QString::fromLatin1(f)); it.hasNext();) {
                        const auto v = it.next();
                        places.append({v.capturedStart(1), v.capturedLength(1)});
                    }
                    if (places.isEmpty())
                        break;
                    const auto [debut, longueur] = places[au_hasard(places.size())];
                    f.replace(debut, longueur, valeurs[au_hasard(valeurs.size())]);
                    break;
                }
                case 1: f[pos] = static_cast<char>(au_hasard(256)); break;
                case 2: f.remove(pos, 1 + au_hasard(60)); break;
                case 3: f.insert(pos, f.mid(au_hasard(f.size()), 1 + au_hasard(300))); break;
                default: f.insert(pos, morceaux[au_hasard(morceaux.size())]); break;
                }
            }
            Ecrire_fichier(fichier, f);
            const QByteArray base = Octets(b.chemin());
            const ResultatAppel r = resultats(b, compet);
            const QString quoi = QString("fichier %1 : %2").arg(i).arg(r.trace);
            QVERIFY2(!Anglais(r.trace), qPrintable(quoi));
            if (!r.resultat.toBool()) {
                ++refus;
                QVERIFY2(r.trace.contains("aucune modification"), qPrintable(quoi));
                QVERIFY2(Octets(b.chemin()) == base, qPrintable(quoi));
            }
            QVERIFY2(Valeurs_impossibles(b).isEmpty(), qPrintable(quoi + Valeurs_impossibles(b).join('\n')));
        }
        QVERIFY(refus > 0 && refus < nombre);
    }
};

QTEST_MAIN(TstImportLenex)
#include "tst_import_lenex.moc"
