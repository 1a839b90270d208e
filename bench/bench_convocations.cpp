// Convocations for 300 swimmers, each with two individual entries, printed to one PDF with the
// programme and the reply coupon; prints the time and the process's peak memory.

#include "core/base.h"
#include "core/globales.h"
#include "core/rapport.h"
#include "entries/documents_engag.h"
#include "fixtures.h"
#include "port_test.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QTreeWidget>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BaseTest base("bench.mdb");
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    strNumProfil = "1";
    strCodeClub = "FRA1320021234";
    strNomClub = "Club";
    bClubSelection = false;
    base.executer("INSERT INTO Rcomp (Num, Type, Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
                  "('1', 'N', 'Meeting', '20270213', '20270214', 'Rennes', 50, 0, 1)");
    const QString compet = base.valeur("SELECT max(AutoNum) FROM Rcomp");
    for (int code : {1, 3, 51, 53})
        base.executer(QString("INSERT INTO Pcomp (Num_compet, Code_epreuve, JourCourse, Num_ordre) VALUES (%1, %2, %3, %2)")
                          .arg(compet)
                          .arg(code)
                          .arg(code % 50 == 1 ? 1 : 2));
    QTreeWidget nageurs, infos;
    base.executer("BEGIN");
    for (int i = 0; i < 300; ++i) {
        cnxBase.Executer_lie("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES (?, ?, ?, ?, 'F', 1)",
                             {strCodeClub, QString::number(100000 + i), QString("NOM%1").arg(i), QString("Prénom %1").arg(i)});
        const QString cle = QString::number(cnxBase.Dernier_id());
        for (int code : {1, 3})
            cnxBase.Executer_lie("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, "
                                 "Equipe_mixte, Tps_engagement) VALUES (?, 1, ?, ?, 0, 1, 0.3512)",
                                 {compet, code, cle});
        auto* l = new QTreeWidgetItem(&nageurs, {QString("NOM%1").arg(i), QString("Prénom %1").arg(i),
                                                 QString::number(100000 + i)});
        l->setCheckState(0, Qt::Checked);
        new QTreeWidgetItem(&infos, {cle});
    }
    base.executer("COMMIT");

    BoiteRiche message;
    message.ecrireTexte("Rendez-vous à 8 heures devant la piscine.\r\n");
    const QString pdf = base.repertoire().fichier("convocations.pdf");
    QElapsedTimer t;
    t.start();
    Preparer_modele_convocation(message, compet, true);
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    Imprimer_convocations(&nageurs, &infos, compet, imprimante, true, "5 février 2027");
    Decharger_frm_tempo_rapport();
    const double secondes = t.nsecsElapsed() / 1e9;

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("convocations: 300 letters printed to PDF in %.2f s (%.1f ms a letter), %lld KB of PDF, "
                "peak memory %ld MB\n",
                secondes, secondes * 1000 / 300, static_cast<long long>(QFile(pdf).size() / 1024),
                usage.ru_maxrss / 1024);
    return 0;
}
