// Imports 100,000 individual performances of 200 swimmers into a new base through the
// performance import component, then the same file again (every row already present), and
// prints the times and the rate.

#include "core/services.h"
#include "tests/components/outils_echange.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

constexpr int kNageurs = 200;
constexpr int kLignes = 100000;
const QString kClub = QStringLiteral("FRA1320590001");

QByteArray temps(int centiemes)
{
    return QByteArray::number(centiemes / 6000) + "." + QByteArray::number(centiemes / 100 % 60).rightJustified(2, '0')
           + QByteArray::number(centiemes % 100).rightJustified(2, '0');
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RepertoireTest rep;
    BaseFichier base(rep.fichier("bench.mdb"));
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES (?, 'Club')", {kClub});

    QByteArray nageurs = "Id\tCode_club\tLicence\tNom\tPrenom\tDate_Naissance\n";
    for (int n = 0; n < kNageurs; ++n) {
        const QByteArray licence = "05" + QByteArray::number(n).rightJustified(3, '0') + "F";
        base.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Date_Naissance) VALUES (?, ?, ?, 'P', '20050101')",
                      {kClub, QString(licence), "NAGEUR" + QString::number(n)});
        nageurs += QByteArray::number(n) + "\t" + kClub.toUtf8() + "\t" + licence + "\tNAGEUR" + QByteArray::number(n)
                   + "\tP\t20050101\n";
    }
    QByteArray perfs = "Code_epreuve\tCode_club\tNageur\tType_bassin\tDate_perf\tTps\tLieu\tCodif_Fede\tCompet_nom\tCompet_debut\tCompet_lieu\n";
    for (int i = 0; i < kLignes; ++i) {
        perfs += QByteArray::number(i % 4) + "\t" + kClub.toUtf8() + "\t" + QByteArray::number(i % kNageurs) + "\t50\t2023"
                 + QByteArray::number(i % 12 + 1).rightJustified(2, '0') + QByteArray::number(i % 28 + 1).rightJustified(2, '0')
                 + "\t" + temps(3000 + i) + "\tLille\tQ\tMeeting " + QByteArray::number(i % 50) + "\t20230101\tLille\n";
    }
    const QString source = rep.fichier("source");
    Ecrire_fichier(source + "/nageurs.txt", nageurs);
    Ecrire_fichier(source + "/performances.txt", perfs);
    rep.dossier("tmp");

    auto importer = [&] {
        return Chronometrer_composant("PerformanceImporter", "bimport_perf",
                                      {base.chemin(), source, rep.fichier("tmp"), rep.fichier("trace.txt"),
                                       QVariant::fromValue<QObject*>(nullptr)},
                                      rep.fichier("trace.txt"));
    };
    const qint64 premier = importer();
    const qint64 second = importer();
    std::printf("import de %d performances : %lld ms (%.0f lignes/s)\n", kLignes, premier, kLignes * 1000.0 / std::max<qint64>(premier, 1));
    std::printf("même fichier à nouveau (tout déjà présent) : %lld ms\n", second);
    std::printf("lignes dans Liffn : %d\n", base.nombre("Liffn"));
    return 0;
}
