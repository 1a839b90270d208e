// Imports 40,000 clubs into a new base through the club import component, then the same file
// again with "Force mise à jour des clubs" (every code already present, every club rewritten),
// and prints the times and the rate. 10,000 clubs first show whether the time grows with the
// square of the lines.

#include "tests/components/outils_echange.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// A club of the Nord (Nord-Est, Hauts-de-France), as the club windows accept it: its number is
// four letters or digits.
QByteArray code(int n)
{
    return "FRA132059" + QByteArray::number(n, 36).toUpper().rightJustified(4, '0');
}

QByteArray fichier(int lignes)
{
    QByteArray t = "Code_federal\tIntitule\tSelection\tAdresse\tCode_Postal\tVille\tTelephone\tFax\tMail\n";
    t.reserve(lignes * 40);
    for (int i = 1; i <= lignes; ++i)
        t += code(i) + "\tClub " + QByteArray::number(i) + "\t0\t\t59000\tLille\t\t\t\n";
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    RepertoireTest rep;
    rep.dossier("tmp");

    auto importer = [&](int lignes, int& clubs) {
        BaseFichier base(rep.fichier("bench" + QString::number(lignes) + ".mdb"));
        const QString source = rep.dossier("source" + QString::number(lignes));
        Ecrire_fichier(source + "/clubs.txt", fichier(lignes));
        auto appel = [&](bool force) {
            return Chronometrer_composant("ClubImporter", "bImport_Club",
                                          {base.chemin(), source, rep.fichier("tmp"), rep.fichier("trace.txt"),
                                           QVariant::fromValue<QObject*>(nullptr), force},
                                          rep.fichier("trace.txt"));
        };
        const qint64 premier = appel(false);
        const qint64 second = appel(true);
        clubs = base.nombre("Club");
        return std::pair(premier, second);
    };

    int clubs = 0;
    const auto [petit, petitForce] = importer(10000, clubs);
    std::printf("import de 10000 clubs : %lld ms ; à nouveau, mise à jour forcée : %lld ms\n", petit, petitForce);
    const auto [grand, grandForce] = importer(40000, clubs);
    std::printf("import de 40000 clubs (1,3 Mo) : %lld ms (%.0f lignes/s) ; à nouveau, mise à jour forcée : %lld ms\n", grand,
                40000 * 1000.0 / std::max<qint64>(grand, 1), grandForce);
    std::printf("rapport 40000 / 10000 : %.1f (4 pour un temps linéaire, 16 pour un temps quadratique)\n",
                static_cast<double>(grand) / std::max<qint64>(petit, 1));
    std::printf("clubs dans la base : %d\n", clubs);
    return 0;
}
