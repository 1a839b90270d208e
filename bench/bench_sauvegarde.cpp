// Time of the backup of a 50 MB base (consistent copy, deflate, rename) against the system's
// zip tool at its default level on the same file. Prints the ratio; the aim is at most 1.3.

#include "core/base.h"
#include "core/globales.h"
#include "core/sauvegarde.h"
#include "fixtures.h"
#include "mesure.h"
#include "port_test.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kEssais = 3;
constexpr qint64 kTailleVisee = 50LL * 1024 * 1024;

// Rows shaped like a club's: names, licence numbers, dates, swim times, some noise.
void remplir(BaseTest& base)
{
    base.executer("CREATE TABLE Mesure (Num INTEGER PRIMARY KEY AUTOINCREMENT, Nom TEXT, Prenom TEXT, "
                  "Licence TEXT, Date_perf TEXT, Temps REAL, Epreuve INTEGER, Lieu TEXT, Code TEXT)");
    while (QFileInfo(base.chemin()).size() < kTailleVisee) {
        base.executer("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 20000) "
                      "INSERT INTO Mesure (Nom, Prenom, Licence, Date_perf, Temps, Epreuve, Lieu, Code) "
                      "SELECT 'NAGEUR' || (abs(random()) % 4000), 'Prénom ' || (abs(random()) % 700), "
                      "printf('%05dF', abs(random()) % 100000), printf('2024%02d%02d', 1 + i % 12, 1 + i % 28), "
                      "(abs(random()) % 300000) / 10000.0, abs(random()) % 60, "
                      "'Piscine municipale de la ville ' || (abs(random()) % 300), hex(randomblob(6)) FROM s");
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PortIhmTest port; // a failure message would stop the measure
    BaseTest base("bench.mdb");
    remplir(base);
    const qint64 taille = QFileInfo(base.chemin()).size();

    bool ok = true;
    const double sauvegarde = Meilleur_temps([&] { ok = ok && Creer_sauvegarde(); }, kEssais) / 1e6;
    const qint64 tailleSav = QFileInfo(Chemin_sauvegarde()).size();

    const QString archiveZip = base.repertoire().fichier("reference.zip");
    int codeZip = 0;
    const double zip = Meilleur_temps([&] {
        QFile::remove(archiveZip);
        codeZip = QProcess::execute("zip", {"-6", "-q", "-j", archiveZip, base.chemin()});
    }, kEssais) / 1e6;
    if (!ok || codeZip != 0) {
        std::fprintf(stderr, "échec : sauvegarde %s, zip %d\n", ok ? "ok" : "ratée", codeZip);
        return 1;
    }
    const qint64 tailleZip = QFileInfo(archiveZip).size();
    std::printf("base %.1f Mo\n", taille / 1048576.0);
    std::printf("sauvegarde : %.0f ms, %.1f Mo\n", sauvegarde, tailleSav / 1048576.0);
    std::printf("zip -6     : %.0f ms, %.1f Mo\n", zip, tailleZip / 1048576.0);
    std::printf("ratio %.2f (visé : 1.30 au plus)\n", sauvegarde / zip);
    return 0;
}
