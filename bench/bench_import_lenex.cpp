// Imports a Lenex meet of 20,000 individual results (500 swimmers of two clubs, 40 events)
// through the results import component and prints its time as a ratio to one bare pass of the
// stream reader over the same file. The import should stay within five times the bare pass.
// The same meet four times larger shows that the import's memory does not grow with the file.
// Then 20,000 clubs of one regional code, each a swimmer with one result: each club gets a code
// of its own ("code/2", "code/3"…), which must cost the same for the last club as for the first.

#include "tests/components/outils_echange.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

constexpr int kParNageur = 40;

QByteArray temps(int centiemes)
{
    const int m = centiemes / 6000, s = centiemes / 100 % 60, c = centiemes % 100;
    return "00:" + QByteArray::number(m).rightJustified(2, '0') + ":" + QByteArray::number(s).rightJustified(2, '0') + "."
           + QByteArray::number(c).rightJustified(2, '0');
}

QByteArray reunion(int nageurs)
{
    const char* nages[] = {"FREE", "BACK", "BREAST", "FLY"};
    const int distances[] = {50, 100, 200, 400, 800};
    QByteArray x = "<?xml version='1.0' encoding='UTF-8'?>\n<LENEX version='3.0'><MEETS><MEET name='Banc' city='Lille' "
                   "course='LCM'><POOL lanemin='1' lanemax='8'/><SESSIONS><SESSION number='1' date='2024-06-08'><EVENTS>\n";
    int e = 0;
    for (const char* genre : {"F", "M"})
        for (const char* nage : nages)
            for (const int d : distances) {
                if (QByteArray(nage) != "FREE" && d > 200)
                    continue;
                ++e;
                x += "<EVENT eventid='" + QByteArray::number(e) + "' number='" + QByteArray::number(e) + "' gender='" + genre
                     + "' round='TIM'><SWIMSTYLE distance='" + QByteArray::number(d) + "' relaycount='1' stroke='" + nage
                     + "'/></EVENT>\n";
            }
    x += "</EVENTS></SESSION></SESSIONS><CLUBS>\n";
    for (int club = 0; club < 2; ++club) {
        x += "<CLUB name='Club " + QByteArray::number(club) + "' code='B" + QByteArray::number(club) + "'><ATHLETES>\n";
        for (int n = club; n < nageurs; n += 2) {
            x += "<ATHLETE athleteid='" + QByteArray::number(n) + "' lastname='NAGEUR" + QByteArray::number(n)
                 + "' firstname='P' birthdate='2005-01-01' gender='F'><RESULTS>\n";
            for (int r = 0; r < kParNageur; ++r) {
                const int id = n * kParNageur + r;
                x += "<RESULT resultid='" + QByteArray::number(id) + "' eventid='" + QByteArray::number(r % e + 1) + "' swimtime='"
                     + temps(3000 + id % 20000) + "' lane='" + QByteArray::number(r % 8 + 1) + "'><SPLITS><SPLIT distance='25' swimtime='"
                     + temps(1500 + id % 500) + "'/></SPLITS></RESULT>\n";
            }
            x += "</RESULTS></ATHLETE>\n";
        }
        x += "</ATHLETES></CLUB>\n";
    }
    return x + "</CLUBS></MEET></MEETS></LENEX>\n";
}

// A memory line of /proc/self/status ("VmRSS", "VmHWM"), in kB.
qint64 Memoire(const QByteArray& champ)
{
    QFile status("/proc/self/status");
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& l : status.readAll().split('\n'))
            if (l.startsWith(champ + ':'))
                return l.mid(champ.size() + 1).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// Brings the peak resident memory down to what is resident now.
void Remettre_pic()
{
    QFile raz("/proc/self/clear_refs");
    if (raz.open(QIODevice::WriteOnly))
        raz.write("5");
}

// The results import of the source folder's meet into competition `compet`.
ResultatAppel Importer(const RepertoireTest& rep, const BaseFichier& base, const QString& source, const QString& compet)
{
    return Appeler_composant("MeetResultsImporter", "bimport_result",
                             {base.chemin(), source, rep.fichier("tmp"), rep.fichier("trace.txt"),
                              QVariant::fromValue<QObject*>(nullptr), compet, false},
                             rep.fichier("trace.txt"));
}

int Mesurer(int nageurs)
{
    RepertoireTest rep;
    BaseFichier base(rep.fichier("bench.mdb"));
    const QString compet = QString::number(base.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)"));
    const QString source = rep.fichier("source");
    qint64 taille = 0;
    {
        const QByteArray contenu = reunion(nageurs);
        taille = contenu.size();
        Ecrire_fichier(source + "/banc.lef", contenu);
    }
    rep.dossier("tmp");

    QElapsedTimer chrono;
    chrono.start();
    {
        QFile f(source + "/banc.lef");
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        QXmlStreamReader x(&f);
        qint64 elements = 0;
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement)
                elements += x.attributes().size();
        if (x.hasError())
            return 1;
    }
    const qint64 nu = std::max<qint64>(chrono.elapsed(), 1);

    Remettre_pic();
    const qint64 depart = Memoire("VmRSS");
    chrono.restart();
    const ResultatAppel r = Importer(rep, base, source, compet);
    const qint64 import = chrono.elapsed();
    const qint64 pic = Memoire("VmHWM") - depart;
    if (!r.resultat.toBool()) {
        std::fprintf(stderr, "%s\n", qPrintable(r.trace));
        return 1;
    }
    std::printf("fichier de %.1f Mo, %d résultats\n", taille / 1048576.0, base.nombre("Prres"));
    std::printf("lecture nue : %lld ms ; import : %lld ms ; rapport %.1f (limite 5) ; mémoire de pointe : +%lld ko\n", nu,
                import, double(import) / nu, pic);
    return 0;
}

// A meet of `clubs` clubs sharing one code, each a name and a swimmer of its own.
QByteArray Clubs_d_un_code(int clubs)
{
    QByteArray x = "<?xml version='1.0' encoding='UTF-8'?>\n<LENEX version='3.0'><MEETS><MEET name='Clubs' city='Lille' "
                   "course='SCM'><SESSIONS><SESSION number='1' date='2024-06-08'><EVENTS>\n<EVENT eventid='1' number='1' "
                   "gender='F' round='TIM'><SWIMSTYLE distance='50' relaycount='1' stroke='FREE'/></EVENT>\n"
                   "</EVENTS></SESSION></SESSIONS><CLUBS>\n";
    for (int c = 0; c < clubs; ++c) {
        const QByteArray n = QByteArray::number(c);
        x += "<CLUB name='Club " + n + "' code='REG' nation='FRA'><ATHLETES><ATHLETE athleteid='" + n + "' lastname='NAGEUSE" + n
             + "' firstname='A' birthdate='2005-01-01' gender='F'><RESULTS><RESULT resultid='" + n + "' eventid='1' swimtime='"
             + temps(3000 + c % 2000) + "'/></RESULTS></ATHLETE></ATHLETES></CLUB>\n";
    }
    return x + "</CLUBS></MEET></MEETS></LENEX>\n";
}

int Mesurer_clubs(int clubs)
{
    RepertoireTest rep;
    BaseFichier base(rep.fichier("bench.mdb"));
    const QString compet = QString::number(base.executer("INSERT INTO Rcomp (Deroule, Visible) VALUES (1, 1)"));
    const QString source = rep.fichier("source");
    Ecrire_fichier(source + "/clubs.lef", Clubs_d_un_code(clubs));
    rep.dossier("tmp");
    QElapsedTimer chrono;
    chrono.start();
    const ResultatAppel r = Importer(rep, base, source, compet);
    const qint64 import = chrono.elapsed();
    if (!r.resultat.toBool() || base.nombre("Club") != clubs) {
        std::fprintf(stderr, "%s\n", qPrintable(r.trace));
        return 1;
    }
    std::printf("%d clubs d'un même code : import %lld ms (limite 2000 ms pour 20000)\n", clubs, import);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    const int clubs = a.size() > 1 ? a[1].toInt() : 20000;
    return Mesurer(500) || Mesurer(2000) || Mesurer_clubs(clubs / 10) || Mesurer_clubs(clubs);
}
