// Time of opening a club's base (5,000 licences, 200,000 performances) through the "Ouvrir"
// command, part by part: connection, checks, the steps after the opening, and the backup,
// against the time the backup's own zip step takes on the same file in the same run. The
// backup is the only part that grows with the base; everything else should stay small beside it.

#include "clubs_licences/saison.h"
#include "clubs_licences/utils_club.h"
#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/sauvegarde.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/operations_base.h"
#include "shell/profils.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace {

constexpr int kEssais = 5;
constexpr int kLicences = 5000;
constexpr int kPerformances = 200000;
const QString kCode = QStringLiteral("FRA1320021234");

// A club's base: its club and profile, the licences, the results of 400 competitions.
void remplir(BaseTest& base)
{
    base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + kCode + "', 'Cercle des nageurs')");
    base.executer("INSERT INTO Profil (Code_club, Libelle, LastUse) VALUES ('" + kCode + "', 'Bassin', 1)");
    base.executer("BEGIN");
    base.executer(QString("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < %1) "
                          "INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Adresse, "
                          "Code_Postal, Localite, Date_Depot, Visible, Date_suppr) "
                          "SELECT '%2', printf('%05dF', i), 'NAGEUR' || i, 'Prénom ' || (i % 700), "
                          "CASE i % 2 WHEN 0 THEN 'F' ELSE 'M' END, printf('20%02d%02d%02d', i % 15, 1 + i % 12, "
                          "1 + i % 28), i || ' rue du Stade', '13002', 'Marseille', '20230916', i % 50 <> 0, "
                          "CASE i % 50 WHEN 0 THEN '20200101' ELSE '' END FROM s")
                      .arg(kLicences)
                      .arg(kCode));
    base.executer(QString("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < %1) "
                          "INSERT INTO Prres (Num_compet, Code_epreuve, Num_Lic, Code_club, Tps, Cotation_FFN, "
                          "Type_course, Numero_serie, Numero_couloir, Num_categorie, Inter1, Inter2) "
                          "SELECT 1 + i % 400, 1 + i % 60, 1 + i % %2, '%3', 25 + (i % 9000) / 100.0, i % 1400, "
                          "'S', 1 + i % 8, 1 + i % 10, i % 12, 12.5 + (i % 300) / 100.0, 26 + (i % 500) / 100.0 FROM s")
                      .arg(kPerformances)
                      .arg(kLicences)
                      .arg(kCode));
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('Meeting', '20240601', 0, 1)");
    base.executer("COMMIT");
}

// Best time of each part, ms, in the order measured.
struct Mesures {
    std::vector<std::pair<QString, double>> parties;
    void garder(const QString& partie, double ms)
    {
        for (auto& [nom, meilleur] : parties) {
            if (nom == partie) {
                meilleur = std::min(meilleur, ms);
                return;
            }
        }
        parties.emplace_back(partie, ms);
    }
    double operator[](const QString& partie) const
    {
        for (const auto& [nom, ms] : parties) {
            if (nom == partie)
                return ms;
        }
        return 0;
    }
};

double chrono(const std::function<void()>& action)
{
    QElapsedTimer t;
    t.start();
    action();
    return t.nsecsElapsed() / 1e6;
}

void fermer()
{
    Fermer_base();
    Supprimer_sauvegarde();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PortIhmTest port; // a message would stop the measure
    Services::fixerAujourdhui(QDate(2025, 3, 10));
    BaseTest base("bench.mdb");
    remplir(base);
    const QString chemin = base.chemin();
    cnxBase.fermer();
    Installer_etapes_clubs();
    Installer_etapes_profil();

    Mesures m;
    bool ok = true;
    for (int essai = 0; essai <= kEssais; ++essai) {
        // The whole command, as a user runs it.
        port.repondreFichier(chemin);
        const double commande = chrono(mnuBaseOpen_Click);
        ok = ok && cnxBase.ouverte() && QFileInfo::exists(Chemin_sauvegarde());
        fermer();

        // The same steps one by one.
        strCheminBase = chemin;
        QString erreur;
        const double connexion = chrono([&] { ok = ok && Ouvrir_base(erreur); });
        const double controles = chrono([&] {
            ok = ok && Controler_fermeture_base() == ControleFermeture::Normale && Controler_version_base();
        });
        const double etapes = chrono([] {
            Marquer_fermeture("False");
            Initialiser_base();
            Cloturer_compet_passees();
            Liberer_numeros_licences();
            Renouveler_licences();
        });
        const double sauvegarde = chrono([&] { ok = ok && Creer_sauvegarde(); });

        // The backup's parts: the consistent copy, then the zip of that copy.
        QTemporaryDir travail;
        const QString copie = travail.filePath("bench.mdb");
        const double copieCoherente = chrono([&] { Copier_base_ouverte(copie); });
        const QString archive = travail.filePath("bench.zip");
        const double zip = chrono([&] { ok = ok && Zipper(archive, copie, true, true); });
        fermer();
        if (essai == 0)
            continue; // the first run warms the caches and renews the season once
        m.garder("commande Ouvrir", commande);
        m.garder("connexion", connexion);
        m.garder("contrôles (crash, version)", controles);
        m.garder("étapes après ouverture", etapes);
        m.garder("sauvegarde", sauvegarde);
        m.garder("  dont copie cohérente", copieCoherente);
        m.garder("zip de la base seule", zip);
    }
    if (!ok || !port.messages().empty()) {
        std::fprintf(stderr, "échec de la mesure\n");
        for (const QString& message : port.messages())
            std::fprintf(stderr, "  %s\n", qPrintable(message));
        return 1;
    }
    std::printf("base : %.1f Mo, %d licences, %d performances (meilleur de %d)\n",
                QFileInfo(chemin).size() / 1048576.0, kLicences, kPerformances, kEssais);
    for (const auto& [partie, ms] : m.parties)
        std::printf("%-30s %8.1f ms\n", qPrintable(partie), ms);
    const double zip = m["zip de la base seule"];
    const double commande = m["commande Ouvrir"];
    const double horsSauvegarde = m["connexion"] + m["contrôles (crash, version)"] + m["étapes après ouverture"];
    std::printf("ratio commande / zip : %.2f\n", commande / zip);
    std::printf("ratio ouverture sans la sauvegarde / zip : %.3f\n", horsSauvegarde / zip);
    return 0;
}
