// The software update from "&?" > "&Mise à jour" > "&Logiciel": files of a package replace
// those of the application folder (component libraries: of its "composants" folder).

#include "fixtures.h"
#include "session_shell.h"
#include "shell/maj_logiciel.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

void ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(octets);
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A package holding maj.txt (unless liste is null) and the given files.
QString fairePackage(const QString& dossier, const QString& nom, const QByteArray& liste,
                     const QMap<QString, QByteArray>& fichiers)
{
    QDir().mkpath(dossier + "/contenu");
    const QString archive = dossier + "/" + nom;
    QFile::remove(archive);
    QStringList chemins;
    if (!liste.isNull()) {
        ecrire(dossier + "/contenu/maj.txt", liste);
        chemins << dossier + "/contenu/maj.txt";
    }
    for (auto it = fichiers.begin(); it != fichiers.end(); ++it) {
        ecrire(dossier + "/contenu/" + it.key(), it.value());
        chemins << dossier + "/contenu/" + it.key();
    }
    for (const QString& c : chemins)
        Zipper(archive, c, true, false);
    return archive;
}

} // namespace

class TstUpgradeLogiciel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    void miseAJour()
    {
        Session s;
        ecrire(s.rep.fichier("rptlic.rtf"), "ancien modèle");
        QTemporaryDir livraison;
        const QString package = fairePackage(livraison.path(), "maj_soft_modeles.zip",
                                             "rptlic.rtf\r\n\"qv_points.so\"\r\n\r\nabsent.txt\r\n",
                                             {{"rptlic.rtf", "nouveau modèle"}, {"qv_points.so", "bibliothèque"}});
        s.ihm.repondreFichier(package);
        QVERIFY(s.declencher("mnuMajLogiciel"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.appels()[0].titre, QString("Sélection du package de mise à jour"));
        QCOMPARE(s.ihm.appels()[0].texte, QString("Package de mise à jour (maj_soft_*.zip)|maj_soft_*.zip"));
        QCOMPARE(contenu(s.rep.fichier("rptlic.rtf")), QByteArray("nouveau modèle"));
        QCOMPARE(contenu(s.rep.fichier("composants/qv_points.so")), QByteArray("bibliothèque"));
        QCOMPARE(s.ihm.messages().size(), 1);
        const QString message = s.ihm.messages()[0];
        QVERIFY2(message.startsWith("Des fichiers listés dans maj.txt n'ont pas été trouvés dans le répertoire :\r\n"
                                    "Fichier ")
                     && message.endsWith("/absent.txt non trouvé."),
                 qPrintable(message));
        QCOMPARE(message.count("\r\n"), 1);
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tmpmajsoft*", "quorvelane-*"}), QStringList());
        QVERIFY(!QFileInfo::exists(s.rep.fichier("absent.txt")));
    }

    void refus_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("liste");
        QTest::addColumn<QString>("message");
        const QString etape = "Une erreur s'est produite lors de la tentative de la mise à jour.\r\nEtape : ";
        QTest::newRow("extension en capitales") << "maj_soft_a.ZIP" << QByteArray("rptlic.rtf")
                                                << "Sélectionner un package de mise à jour.";
        QTest::newRow("nom sans maj_soft_") << "MAJ_SOFT_a.zip" << QByteArray("rptlic.rtf")
                                            << "Sélectionner un package de mise à jour.";
        QTest::newRow("sans maj.txt") << "maj_soft_a.zip" << QByteArray()
                                      << "Le package sélectionné ne contenait pas le fichier maj.txt.\r\n"
                                         "Mise à jour logiciel annulé";
        // Only bare names: the whole list is refused before any file is replaced.
        QTest::newRow("chemin qui sort du dossier") << "maj_soft_a.zip" << QByteArray("rptlic.rtf\n../rptlic.rtf\n")
                                                    << etape + "Ouverture du fichier maj.txt";
        QTest::newRow("chemin absolu") << "maj_soft_a.zip" << QByteArray("rptlic.rtf\n\"/tmp/rptlic.rtf\"\n")
                                       << etape + "Ouverture du fichier maj.txt";
        QTest::newRow("liste vide") << "maj_soft_a.zip" << QByteArray("") << "La mise à jour s'est déroulée avec succès.";
    }

    void refus()
    {
        QFETCH(QString, nom);
        QFETCH(QByteArray, liste);
        QFETCH(QString, message);
        Session s;
        ecrire(s.rep.fichier("rptlic.rtf"), "ancien modèle");
        QTemporaryDir livraison;
        const QString package = fairePackage(livraison.path(), nom, liste, {{"rptlic.rtf", "nouveau modèle"}});
        s.ihm.repondreFichier(package);
        QVERIFY(s.declencher("mnuMajLogiciel"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages().size(), 1);
        QVERIFY2(s.ihm.messages()[0].startsWith(message), qPrintable(s.ihm.messages()[0]));
        QCOMPARE(contenu(s.rep.fichier("rptlic.rtf")), QByteArray("ancien modèle"));
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tmpmajsoft*", "quorvelane-*"}), QStringList());
    }

    void annule()
    {
        Session s;
        s.ihm.repondreFichier(QString());
        QVERIFY(s.declencher("mnuMajLogiciel"));
        QCOMPARE(s.ihm.messages(), QStringList());
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstUpgradeLogiciel)
#include "tst_upgrade_logiciel.moc"
