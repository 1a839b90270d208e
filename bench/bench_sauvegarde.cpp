// Time of the backup of a 50 MB base and of a base above 256 MB (consistent copy, deflate,
// rename) against the system's zip tool at its default level on the same file, and of putting
// the large one back (unpack, checks, swap) against the system's unzip tool. Prints the ratios;
// the aim is at most 1.3.

#include "core/base.h"
#include "core/globales.h"
#include "core/sauvegarde.h"
#include "fixtures.h"
#include "mesure.h"
#include "port_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kEssais = 3;
constexpr qint64 kTailleVisee = 50LL * 1024 * 1024;
constexpr qint64 kGrandeTaille = 270LL * 1024 * 1024;

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

// A base past 256 MB: the rows of a club and, mostly, documents kept in it (scans, photos).
void remplirGrande(BaseTest& base)
{
    remplir(base);
    base.executer("CREATE TABLE Document (Num INTEGER PRIMARY KEY, Contenu BLOB)");
    while (QFileInfo(base.chemin()).size() < kGrandeTaille) {
        base.executer("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 2000) "
                      "INSERT INTO Document (Contenu) SELECT randomblob(20000) || zeroblob(60000) FROM s");
    }
}

double mesurerZip(const QString& base, const QString& archive, int& code)
{
    return Meilleur_temps([&] {
        QFile::remove(archive);
        code = std::max(code, QProcess::execute("zip", {"-6", "-q", "-j", archive, base}));
    }, kEssais) / 1e6;
}

// The backup of the open base against zip -6 of its file; false when one of them failed.
bool mesurerSauvegarde(BaseTest& base, const char* titre)
{
    const qint64 taille = QFileInfo(base.chemin()).size();
    bool ok = true;
    const double sauvegarde = Meilleur_temps([&] { ok = ok && Creer_sauvegarde(); }, kEssais) / 1e6;
    const qint64 tailleSav = QFileInfo(Chemin_sauvegarde()).size();
    const QString archiveZip = base.repertoire().fichier("reference.zip");
    int codeZip = 0;
    const double zip = mesurerZip(base.chemin(), archiveZip, codeZip);
    if (!ok || codeZip != 0) {
        std::fprintf(stderr, "échec : sauvegarde %s, zip %d\n", ok ? "ok" : "ratée", codeZip);
        return false;
    }
    std::printf("%s : base %.1f Mo\n", titre, taille / 1048576.0);
    std::printf("  sauvegarde : %.0f ms, %.1f Mo\n", sauvegarde, tailleSav / 1048576.0);
    std::printf("  zip -6     : %.0f ms, %.1f Mo\n", zip, QFileInfo(archiveZip).size() / 1048576.0);
    std::printf("  ratio %.2f (visé : 1.30 au plus)\n", sauvegarde / zip);
    QFile::remove(archiveZip);
    return true;
}

// Putting the backup back over the closed base against unzip of the same archive.
bool mesurerRemise(BaseTest& base)
{
    Fermer_base();
    bool ok = true;
    const double remise = Meilleur_temps([&] { ok = ok && Restaurer_sauvegarde(); }, kEssais) / 1e6;
    const QString dossier = base.repertoire().fichier("reference");
    int codeUnzip = 0;
    const double unzip = Meilleur_temps([&] {
        QDir(dossier).removeRecursively();
        codeUnzip = std::max(codeUnzip, QProcess::execute("unzip", {"-q", "-o", Chemin_sauvegarde(), "-d", dossier}));
    }, kEssais) / 1e6;
    QDir(dossier).removeRecursively();
    if (!ok || codeUnzip != 0) {
        std::fprintf(stderr, "échec : remise en place %s, unzip %d\n", ok ? "ok" : "ratée", codeUnzip);
        return false;
    }
    std::printf("  remise en place : %.0f ms\n", remise);
    std::printf("  unzip           : %.0f ms\n", unzip);
    std::printf("  ratio %.2f (visé : 1.30 au plus)\n", remise / unzip);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    PortIhmTest port; // a failure message would stop the measure
    {
        BaseTest base("bench.mdb");
        remplir(base);
        if (!mesurerSauvegarde(base, "base de club"))
            return 1;
    }
    BaseTest grande("grande.mdb");
    remplirGrande(grande);
    if (!mesurerSauvegarde(grande, "base de plus de 256 Mo") || !mesurerRemise(grande))
        return 1;
    return 0;
}
