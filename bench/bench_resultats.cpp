// A meet of 40 events and 3,000 results with splits: each event shown alone, all of them shown
// at once, and the whole display exported as a web site. Prints each time.

#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"
#include "results/frm_view_result.h"
#include "results/html_resultats.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QDir>
#include <QElapsedTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

constexpr int kEpreuves = 40;
constexpr int kParEpreuve = 75; // 2 finals of 8, then 59 swimmers in 8 heats
constexpr int kClubs = 20;
constexpr int kNageurs = 600;

QString Club(int i)
{
    return QString("FRA13200%1").arg(2000 + i, 5, 10, QChar('0'));
}

QString Temps(int centiemes)
{
    return Reel_sql(centiemes / 6000 + (centiemes / 100 % 60) / 100.0 + (centiemes % 100) / 10000.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Initialiser_verrous_menus();
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    strCodeClub = Club(0);

    base.executer("BEGIN");
    for (int c = 0; c < kClubs; ++c)
        base.executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('" + Club(c) + "', 'Club " + QString::number(c)
                      + " & Cie')");
    for (int n = 0; n < kNageurs; ++n)
        base.executer(QString("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, "
                              "Nationalite, Visible) VALUES ('%1', '08%2F', 'NAGEUR%3', 'Prénom', 'F', '2008%4', "
                              "'FRA', true)")
                          .arg(Club(n % kClubs))
                          .arg(n % 1000, 3, 10, QChar('0'))
                          .arg(n)
                          .arg(QString("0%1").arg(1 + n % 9) + "15"));
    const QString premier = base.valeur("SELECT min(Num) FROM Licence WHERE Nom LIKE 'NAGEUR%'");
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Deroule, Visible) VALUES "
                  "('B1', 'Championnat', '20240615', '20240618', 'Lyon', true, true)");
    const QString compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
    const QStringList codes = Valeurs_colonne("SELECT Code_Nage FROM Nage WHERE Nb_nageurs = 1 ORDER BY Code_Nage")
                                  .mid(0, kEpreuves);
    int total = 0;
    for (int e = 0; e < codes.size(); ++e) {
        base.executer(QString("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) VALUES (%1, %2, %3, %4)")
                          .arg(compet, codes[e])
                          .arg(1 + e % 4)
                          .arg(e + 1));
        for (int r = 0; r < kParEpreuve; ++r, ++total) {
            const bool finale = r < 16;
            const QString type = finale ? "F" : "S";
            const int serie = finale ? 1 + r / 8 : 1 + (r - 16) / 8;
            const int couloir = 1 + r % 8;
            const int cs = 6000 + (r * 37) % 4000;
            QString inter;
            for (int k = 1; k <= 14; ++k)
                inter += ", " + Temps(cs * k / 15);
            base.executer(QString("INSERT INTO Prres VALUES (%1, %2, %3, '%4', 1, %5, %6, '%7', %8, %9, 1, 1%10)")
                              .arg(compet, codes[e])
                              .arg(premier.toInt() + (total % kNageurs))
                              .arg(Club(total % kNageurs % kClubs), Temps(cs))
                              .arg(1000 - r)
                              .arg(type)
                              .arg(serie)
                              .arg(couloir)
                              .arg(inter));
        }
    }
    base.executer("COMMIT");

    QPointer<frm_view_result> fenetre;
    Ouvrir_view_result(fenetre);
    frm_view_result* f = fenetre;
    f->Chk_tps_inter->setChecked(true);
    f->Opt_typeAffich_1->setChecked(true);
    f->Opt_PresSerie_1->setChecked(true);

    // Each event alone, as a user goes through the meet.
    QElapsedTimer t;
    qint64 pire = 0;
    qint64 somme = 0;
    for (int i = 1; i <= Nombre_lignes(f->LsvNage); ++i) {
        Cocher_tous(f->LsvNage, false);
        Ligne(f->LsvNage, i)->setCheckState(0, Qt::Checked);
        t.start();
        f->Afficher_resultats();
        QCoreApplication::processEvents();
        const qint64 ms = t.elapsed();
        pire = std::max(pire, ms);
        somme += ms;
    }
    std::printf("events: %d, results: %d\n", int(codes.size()), total);
    std::printf("one event shown: mean %.1f ms, worst %lld ms\n", double(somme) / codes.size(),
                static_cast<long long>(pire));

    Cocher_tous(f->LsvNage, true);
    t.start();
    f->Afficher_resultats();
    QCoreApplication::processEvents();
    std::printf("all events shown: %lld ms, %d rows\n", static_cast<long long>(t.elapsed()),
                Nombre_lignes(f->LsvResults));

    const DonneesResultats d = f->Donnees();
    const QString site = base.repertoire().fichier("site");
    QDir().mkpath(site);
    t.start();
    Exporter_resultats_html(d, site + "/index.htm");
    const qint64 html = t.elapsed();
    std::printf("web site written: %lld ms, %d pages (limit 1000 ms)\n", static_cast<long long>(html),
                static_cast<int>(QDir(site + "/rep_res").entryList({"*.htm"}).size()));
    f->close();
    return html < 1000 ? 0 : 1;
}
