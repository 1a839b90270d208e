// Paths, free names, moves, work folders and the archive component.

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"
#include "sans_privileges.h"
#include "zip_brut.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cstdio>
#include <optional>


namespace {

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

// A lock as this machine's runs write it, left by a run that is gone.
QByteArray verrouDUnMort()
{
    return "999999\nquorvelane\n" + QSysInfo::machineHostName().toUtf8() + "\n\n";
}

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A temporary folder of the test's own taken as the system's temporary folder while it lives.
class TemporaireDuTest : public QTemporaryDir {
public:
    TemporaireDuTest() : m_avant(qgetenv("TMPDIR")) { qputenv("TMPDIR", QFile::encodeName(path())); }
    ~TemporaireDuTest() { qputenv("TMPDIR", m_avant); }
    TemporaireDuTest(const TemporaireDuTest&) = delete;
    TemporaireDuTest& operator=(const TemporaireDuTest&) = delete;

private:
    QByteArray m_avant;
};

} // namespace

class TstFichiers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Composants::retirer_tout(); }

    void chemins_data();
    void chemins();
    void nomsLibres();
    void estFichierZip_data();
    void estFichierZip();
    void copierEtDeplacer();
    void espaceSuffisant();
    void dossiersDeTravail();
    void dossiersDeTravailNettoyes();
    void dossiersAuVerrouAbandonneNettoyes();
    void nettoyageSansSuivreDeLien();
    void zipAllerRetour();
    void entreesHorsDossierRefusees_data();
    void entreesHorsDossierRefusees();
    void archivesRefusees_data();
    void archivesRefusees();
    void disquePleinNomme();
    void composantAbsent();
};

void TstFichiers::chemins_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("joint");
    QTest::addColumn<QString>("dossier");
    QTest::addColumn<QString>("dossierSep");
    QTest::newRow("ordinaire") << "/a/b" << "c.mdb" << "/a/b/c.mdb" << "/a" << "/a/";
    QTest::newRow("racine") << "/" << "c.mdb" << "/c.mdb" << "/" << "/";
    QTest::newRow("déjà séparé") << "/a/b/" << "c.mdb" << "/a/b/c.mdb" << "/a/b" << "/a/b/";
    QTest::newRow("nom vide") << "/a" << "" << "/a/" << "/" << "/";
    QTest::newRow("fichier à la racine") << "/x.mdb" << "y" << "/x.mdb/y" << "/" << "/";
}

void TstFichiers::chemins()
{
    QFETCH(QString, chemin);
    QFETCH(QString, nom);
    QFETCH(QString, joint);
    QFETCH(QString, dossier);
    QFETCH(QString, dossierSep);
    QCOMPARE(Joindre_chemin(chemin, nom), joint);
    QCOMPARE(Nom_du_fichier(joint), nom);
    QCOMPARE(Repertoire_du_fichier(chemin, false), dossier);
    QCOMPARE(Repertoire_du_fichier(chemin, true), dossierSep);
}

void TstFichiers::nomsLibres()
{
    QTemporaryDir d;
    const QString rep = d.path();
    QStringList suite;
    for (int i = 0; i < 3; ++i) {
        const QString libre = Nom_fichier_libre("/ailleurs/traceexpimp.txt", rep);
        suite << Nom_du_fichier(libre);
        ecrire(libre, "x");
    }
    QCOMPARE(suite, QStringList({"traceexpimp.txt", "traceexpimp1.txt", "traceexpimp2.txt"}));
    QCOMPARE(Nom_du_fichier(Nom_fichier_libre("journal", rep)), QString("journal"));

    QStringList dossiers;
    for (int i = 0; i < 2; ++i) {
        const QString libre = Nom_dossier_libre("tmpdezip", rep);
        dossiers << Nom_du_fichier(libre);
        QVERIFY(!QFileInfo::exists(libre)); // not created
        QDir().mkpath(libre);
    }
    QCOMPARE(dossiers, QStringList({"tmpdezip", "tmpdezip1"}));
}

void TstFichiers::estFichierZip_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("zip");
    QTest::newRow("zip") << "/a/maj_base.zip" << true;
    QTest::newRow("majuscules") << "/a/MAJ.ZIP" << false;
    QTest::newRow("autre extension") << "/a/b.zip.sav" << false;
    QTest::newRow("sans extension") << "/a.zip/zip" << false;
}

void TstFichiers::estFichierZip()
{
    QFETCH(QString, chemin);
    QFETCH(bool, zip);
    QCOMPARE(Est_fichier_zip(chemin), zip);
}

void TstFichiers::copierEtDeplacer()
{
    QTemporaryDir d;
    const QString source = d.filePath("src/club.mdb");
    const QString cible = d.filePath("cible");
    ecrire(source, "neuf");
    ecrire(cible + "/club.mdb", "ancien");

    QCOMPARE(Copier_fichier_libre(source, cible, false), cible + "/club1.mdb");
    QCOMPARE(lire(cible + "/club.mdb"), QByteArray("ancien"));
    QCOMPARE(Copier_fichier_libre(source, cible, true), cible + "/club.mdb");
    QCOMPARE(lire(cible + "/club.mdb"), QByteArray("neuf"));
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Copier_fichier_libre(d.filePath("absent"), cible, true));

    ecrire(source, "déplacé");
    QCOMPARE(Deplacer_fichier(source, cible), QString());
    QVERIFY(!QFileInfo::exists(source));
    QCOMPARE(QString::fromUtf8(lire(cible + "/club.mdb")), QString("déplacé"));
    QVERIFY(QDir(cible).entryList(QDir::Files).size() == 2); // no leftover work copy

    const QString erreur = Deplacer_fichier(d.filePath("absent.txt"), cible);
    QVERIFY2(erreur.startsWith("Erreur n° 53, "), qPrintable(erreur));
    QVERIFY(!Deplacer_fichier(cible + "/club1.mdb", d.filePath("pas/de/dossier")).isEmpty());
    QVERIFY(QFileInfo::exists(cible + "/club1.mdb"));
}

void TstFichiers::espaceSuffisant()
{
    QTemporaryDir d;
    const QString petit = d.filePath("petit");
    ecrire(petit, "abc");
    QVERIFY(Espace_suffisant(petit, d.path()));
    QVERIFY(Espace_suffisant(petit, d.filePath("pas/encore/cree")));
    QVERIFY(Lecteur_pret(d.filePath("pas/encore/cree")));

    // A sparse file as large as the free space takes no room but does not fit.
    const QString grand = d.filePath("grand");
    QFile f(grand);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(QStorageInfo(d.path()).bytesAvailable() + (qint64(1) << 30)));
    f.close();
    QVERIFY(!Espace_suffisant(grand, d.path()));
}

void TstFichiers::dossiersDeTravail()
{
    RepertoireTest rep;
    QTemporaryDir ailleurs;

    // A work folder goes with its sub-folders and read-only files.
    const QString travail = rep.fichier("tmpdezip1");
    ecrire(travail + "/maj.txt", "x");
    ecrire(travail + "/sous/dossier/lib.so", "y");
    QFile::setPermissions(travail + "/maj.txt", QFile::ReadOwner);
    QFile::setPermissions(travail + "/sous/dossier", QFile::ReadOwner | QFile::ExeOwner);
    const QString tempo = rep.fichier("tempo");
    ecrire(tempo + "/test.mdb", "z");

    // Never a folder of the user, whatever its name, nor what a link points at.
    const QString choisi = ailleurs.filePath("tmpchoisi");
    ecrire(choisi + "/precieux.txt", "p");
    const QString autre = rep.fichier("documents");
    ecrire(autre + "/a.txt", "a");
    const QString lien = rep.fichier("tmplien");
    QVERIFY(QFile::link(choisi, lien));

    for (const QString& dossier : {travail, tempo, choisi, autre, lien})
        Supprimer_dossier(dossier);
    Supprimer_dossier(rep.fichier("tmpabsent"));

    QVERIFY(!QFileInfo::exists(travail));
    QVERIFY(!QFileInfo::exists(tempo));
    QVERIFY(QFileInfo::exists(choisi + "/precieux.txt"));
    QVERIFY(QFileInfo::exists(autre + "/a.txt"));
    QVERIFY(QFileInfo(lien).isSymLink());
}

// Each work folder lies in a folder of the program's name, marked as the program's, with a lock
// beside it. The cleaning of the start takes the folders of that name and mark that no living run
// holds, in the application folder and in the system's temporary folder, and nothing else: no
// other program's folder whose name looks alike, no link, no folder in use.
void TstFichiers::dossiersDeTravailNettoyes()
{
    RepertoireTest rep;
    QTemporaryDir ailleurs;
    const TemporaireDuTest systeme;

    std::optional<DossierTravail> a(std::in_place, "tempo");
    const DossierTravail b("tempo");
    QVERIFY(a->chemin() != b.chemin());
    QCOMPARE(QFileInfo(a->chemin()).fileName(), QString("tempo"));
    const QString racineA = QFileInfo(a->chemin()).absolutePath();
    QCOMPARE(QFileInfo(racineA).absolutePath(), rep.chemin());
    ecrire(a->chemin() + "/club.mdb", "a");

    // What a killed run leaves: its folder, marked, and a lock nobody holds; in both places.
    QStringList orphelins;
    for (const QString& parent : {rep.chemin(), systeme.path()}) {
        const QString orphelin = parent + "/quorvelane-tmpsauvegarde-Orph01";
        QVERIFY(QDir().mkpath(orphelin + "/tmpsauvegarde"));
        QVERIFY(QFile::copy(racineA + "/quorvelane.travail", orphelin + "/quorvelane.travail"));
        ecrire(orphelin + "/tmpsauvegarde/club.mdb", "o");
        ecrire(orphelin + ".verrou", "");
        orphelins << orphelin;
    }
    // A run killed before its mark: an empty folder beside its lock. Without a lock of ours, an
    // empty folder of that name is somebody else's.
    const QString vide = systeme.filePath("quorvelane-tempo-Vide01");
    QVERIFY(QDir().mkpath(vide));
    ecrire(vide + ".verrou", verrouDUnMort());
    const QString videSansVerrou = systeme.filePath("quorvelane-tempo-Vide02");
    QVERIFY(QDir().mkpath(videSansVerrou));

    const QString choisi = ailleurs.filePath("tmpchoisi");
    ecrire(choisi + "/precieux.txt", "p");
    const QString lien = rep.fichier("quorvelane-tmplien-Lien01");
    QVERIFY(QFile::link(choisi, lien));
    // Other programs' folders, in the system's temporary folder and in ours; one of our name
    // without our mark.
    const QStringList autres{"tmpbuild-Xy12Ab", "tmpphotos-vacanc", "tempo-abc123", "tmpsauvegarde-Orph02",
                             "quorvelane-tempo-Sans01"};
    for (const QString& nom : autres) {
        ecrire(systeme.filePath(nom) + "/x.txt", "x");
        ecrire(rep.fichier(nom) + "/x.txt", "x");
    }
    ecrire(systeme.filePath("tmpbuild-Xy12Ab.verrou"), "");

    Nettoyer_dossiers_de_travail();
    QVERIFY(QFileInfo::exists(a->chemin() + "/club.mdb"));
    QVERIFY(QFileInfo::exists(b.chemin()));
    for (const QString& orphelin : std::as_const(orphelins)) {
        QVERIFY2(!QFileInfo::exists(orphelin), qPrintable(orphelin));
        QVERIFY2(!QFileInfo::exists(orphelin + ".verrou"), qPrintable(orphelin));
    }
    QVERIFY(!QFileInfo::exists(vide));
    QVERIFY(!QFileInfo::exists(vide + ".verrou"));
    QVERIFY(QFileInfo(videSansVerrou).isDir());
    QVERIFY(QFileInfo::exists(choisi + "/precieux.txt"));
    QVERIFY(QFileInfo(lien).isSymLink());
    for (const QString& nom : autres) {
        QVERIFY2(QFileInfo::exists(systeme.filePath(nom) + "/x.txt"), qPrintable(nom));
        QVERIFY2(QFileInfo::exists(rep.fichier(nom) + "/x.txt"), qPrintable(nom));
    }
    QVERIFY(QFileInfo::exists(systeme.filePath("tmpbuild-Xy12Ab.verrou")));

    a.reset();
    QVERIFY(!QFileInfo::exists(racineA));
    QVERIFY(!QFileInfo::exists(racineA + ".verrou"));
}

// A run killed between creating its lock and writing it leaves the lock empty; any other
// content no living run holds is as dead. Their folders are cleaned like the others.
void TstFichiers::dossiersAuVerrouAbandonneNettoyes()
{
    RepertoireTest rep;
    QString marque;
    {
        const DossierTravail modele("tempo");
        marque = QFileInfo(modele.chemin()).absolutePath() + "/quorvelane.travail";
        QVERIFY(QFile::copy(marque, rep.fichier("marque")));
    }
    const QStringList noms{"quorvelane-tempo-Vide01", "quorvelane-tmpsauvegarde-Brou01"};
    const QByteArray contenus[] = {QByteArray(), QByteArray("n'importe quoi")};
    for (int i = 0; i < noms.size(); ++i) {
        const QString dossier = rep.fichier(noms[i]);
        ecrire(dossier + "/travail/club.mdb", "copie");
        QVERIFY(QFile::copy(rep.fichier("marque"), dossier + "/quorvelane.travail"));
        QFile verrou(dossier + ".verrou");
        QVERIFY(verrou.open(QIODevice::WriteOnly));
        verrou.write(contenus[i]);
    }
    Nettoyer_dossiers_de_travail();
    for (const QString& nom : noms) {
        QVERIFY2(!QFileInfo::exists(rep.fichier(nom)), qPrintable(nom));
        QVERIFY2(!QFileInfo::exists(rep.fichier(nom) + ".verrou"), qPrintable(nom));
    }
}

// What the cleaning checked is what it deletes: a marked folder swapped for a link to the user's
// home between the check and the deletion (another local user can race this in the shared
// temporary folder) leads nowhere. Lock files go only when the program wrote them.
void TstFichiers::nettoyageSansSuivreDeLien()
{
    RepertoireTest rep;
    const TemporaireDuTest systeme;
    QTemporaryDir maison;
    QString texteMarque;
    {
        const DossierTravail modele("tempo");
        texteMarque = QString::fromUtf8(lire(QFileInfo(modele.chemin()).absolutePath() + "/quorvelane.travail"));
    }
    ecrire(maison.filePath("photo.jpg"), "photo");
    ecrire(maison.filePath("lettre.txt"), "lettre");

    const QString piege = systeme.filePath("quorvelane-tmpsauvegarde-Piege1");
    ecrire(piege + "/quorvelane.travail", texteMarque.toUtf8());
    ecrire(piege + "/tmpsauvegarde/club.mdb", "copie");
    // A user's notes and a lone lock of a killed run, under names of the same shape.
    ecrire(systeme.filePath("quorvelane-notes-abc125.verrou"), "mes notes");
    const QString seul = systeme.filePath("quorvelane-tempo-Seul01.verrou");
    ecrire(seul, verrouDUnMort());

    QStringList vus;
    Nettoyer_dossiers_de_travail([&](const QString& chemin) {
        vus << QFileInfo(chemin).fileName();
        if (chemin != piege)
            return;
        QVERIFY(QFile::rename(piege, piege + "-ailleurs"));
        QVERIFY(QFile::link(maison.path(), piege));
    });
    vus.sort();
    QCOMPARE(vus, QStringList({"quorvelane-tempo-Seul01", "quorvelane-tmpsauvegarde-Piege1"}));
    QCOMPARE(lire(maison.filePath("photo.jpg")), QByteArray("photo"));
    QCOMPARE(lire(maison.filePath("lettre.txt")), QByteArray("lettre"));
    QVERIFY(QFileInfo(piege).isSymLink());
    QCOMPARE(lire(systeme.filePath("quorvelane-notes-abc125.verrou")), QByteArray("mes notes"));
    QVERIFY(!QFileInfo::exists(seul));
}

void TstFichiers::zipAllerRetour()
{
    RepertoireTest rep;
    PortIhmTest port;
    QTemporaryDir d;
    const QString archive = d.filePath("echange.zip");
    ecrire(d.filePath("a/licences.txt"), "première version");
    ecrire(d.filePath("b/clubs.txt"), QByteArray(200000, 'c'));

    QVERIFY(Zipper(archive, d.filePath("a/licences.txt"), true, false));
    QVERIFY(Zipper(archive, d.filePath("b/clubs.txt"), true, false)); // added beside the first
    ecrire(d.filePath("a/licences.txt"), "seconde version");
    QVERIFY(Zipper(archive, d.filePath("a/licences.txt"), true, false)); // replaces its entry
    QVERIFY(QFileInfo(archive).size() < 10000); // deflated

    const QString sortie = d.filePath("tmpdezip/neuf"); // created when missing
    QVERIFY(Decompresser(archive, sortie));
    QCOMPARE(QDir(sortie).entryList(QDir::Files, QDir::Name), QStringList({"clubs.txt", "licences.txt"}));
    QCOMPARE(QString::fromUtf8(lire(sortie + "/licences.txt")), QString("seconde version"));
    QCOMPARE(lire(sortie + "/clubs.txt"), QByteArray(200000, 'c'));

    // Entries in sub-folders land in the same sub-folders.
    ecrire(d.filePath("paquet.zip"), zipBrut({{"maj.txt", "liste"}, {"composants/", ""}, {"composants/x/lib.so", "bin"}}));
    QVERIFY(Decompresser(d.filePath("paquet.zip"), d.filePath("paquet")));
    QCOMPARE(lire(d.filePath("paquet/composants/x/lib.so")), QByteArray("bin"));
    QCOMPARE(port.messages(), QStringList());
}

void TstFichiers::entreesHorsDossierRefusees_data()
{
    QTest::addColumn<QByteArray>("nom");
    QTest::addColumn<quint32>("mode");
    QTest::newRow("parent") << QByteArray("../evade.txt") << quint32(0100644);
    QTest::newRow("parent plus loin") << QByteArray("a/../../evade.txt") << quint32(0100644);
    QTest::newRow("parent Windows") << QByteArray("..\\evade.txt") << quint32(0100644);
    QTest::newRow("absolu") << QByteArray("/tmp/evade.txt") << quint32(0100644);
    QTest::newRow("lecteur") << QByteArray("C:/evade.txt") << quint32(0100644);
    QTest::newRow("lien") << QByteArray("evade.txt") << quint32(0120777);
}

void TstFichiers::entreesHorsDossierRefusees()
{
    QFETCH(QByteArray, nom);
    QFETCH(quint32, mode);
    RepertoireTest rep;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QTemporaryDir d;
    const QString archive = d.filePath("piege.zip");
    // A harmless entry first: nothing at all is written when one entry is refused.
    ecrire(archive, zipBrut({{"bon.txt", "ok"}, {nom, "/etc/passwd", mode}}));
    const QString cible = d.filePath("tmpdezip");
    QDir().mkpath(cible);

    QVERIFY(!Decompresser(archive, cible));
    QCOMPARE(QDir(cible).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), QStringList());
    QVERIFY(!QFileInfo::exists(d.filePath("evade.txt")));
    QCOMPARE(port.messages().size(), 1);
    // Refused as what it is, a trap or a damaged archive.
    QVERIFY2(port.messages()[0].startsWith("Une erreur s'est produite lors de la décompression.\r\nErreur n° 321, Archive "
                                           + archive + " : l'entrée "),
             qPrintable(port.messages()[0]));

    // Silent: refused the same way, nothing shown.
    port.effacer();
    QVERIFY(!Zipper(archive, cible, false, true));
    QCOMPARE(port.messages(), QStringList());
}

void TstFichiers::archivesRefusees_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("detail");
    QTest::newRow("lxf tronqué") << "tronquée" << "le fichier n'est pas une archive zip, ou elle est tronquée.";
    QTest::newRow("bombe") << "bombe" << "ce qu'aucun fichier réel n'atteint : archive refusée.";
    QTest::newRow("taille annoncée mensongère") << "mensongère" << "";
    const QString entrees = "entrées, plus que les 256 qu'un fichier de ce programme peut contenir : archive refusée.";
    QTest::newRow("100 000 entrées vides") << "100000 vides" << "elle compte 100000 " + entrees;
    QTest::newRow("300 entrées d'un octet") << "300 petites" << "elle compte 300 " + entrees;
}

// Archives from outside that cannot be unpacked whole, or only into far more than any base or
// meet file: refused in French, and nothing of them is left in the target folder.
void TstFichiers::archivesRefusees()
{
    QFETCH(QString, archive);
    QFETCH(QString, detail);
    RepertoireTest rep;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QTemporaryDir d;
    const QString chemin = d.filePath("reunion.lxf");
    const QString zip = QStandardPaths::findExecutable("zip");
    if (archive == "tronquée") {
        // A real meet zipped by the system's tool, cut in the middle as a broken download is.
        if (zip.isEmpty())
            QSKIP("the zip command is not installed");
        const QString entiere = d.filePath("entiere.lxf");
        QCOMPARE(QProcess::execute(zip, {"-q", "-j", entiere, QV_SOURCE_DIR "/tests/components/donnees/meet-results.lef"}), 0);
        ecrire(chemin, lire(entiere).left(QFileInfo(entiere).size() / 2));
    } else if (archive == "bombe") {
        // 64 MB of zeros behind a meet file, zipped by the system's tool: the sparse file takes
        // nothing on the disk, the archive a few tens of kilobytes.
        if (zip.isEmpty())
            QSKIP("the zip command is not installed");
        ecrire(d.filePath("reunion.lef"), "<LENEX version=\"3.0\"/>");
        QFile zeros(d.filePath("zeros.lef"));
        QVERIFY(zeros.open(QIODevice::WriteOnly));
        QVERIFY(zeros.resize(64 << 20));
        zeros.close();
        QCOMPARE(QProcess::execute(zip, {"-q", "-j", chemin, d.filePath("reunion.lef"), zeros.fileName()}), 0);
    } else if (archive == "100000 vides" || archive == "300 petites") {
        // Each entry is small or empty, so that no ratio catches them.
        QList<EntreeZip> liste;
        const int nombre = archive == "300 petites" ? 300 : 100000;
        for (int i = 0; i < nombre; ++i)
            liste << EntreeZip{"f" + QByteArray::number(i), nombre == 300 ? QByteArray("x") : QByteArray()};
        ecrire(chemin, zipBrut(liste));
    } else {
        // The second entry declares 10 bytes and holds 100 000: the first is written, then taken
        // back.
        QByteArray octets = zipBrut({{"reunion.lef", "<LENEX/>"}, {"gros.lef", QByteArray(100000, 'x')}});
        const QByteArray vraie = QByteArray::fromRawData("\xa0\x86\x01\x00", 4); // 100000
        const QByteArray fausse = QByteArray::fromRawData("\x0a\x00\x00\x00", 4);
        for (qsizetype i = octets.indexOf(vraie); i >= 0; i = octets.indexOf(vraie, i + 4)) {
            // Only the uncompressed size: in each header it follows the compressed one.
            if (octets.mid(i - 4, 4) == vraie)
                octets.replace(i, 4, fausse);
        }
        ecrire(chemin, octets);
    }
    const QString cible = d.filePath("tmpdezip");
    QDir().mkpath(cible);

    QElapsedTimer chrono;
    chrono.start();
    QVERIFY(!Decompresser(chemin, cible));
    // Refused before anything is written, at once: the window does not freeze.
    QVERIFY2(chrono.elapsed() < 5000, qPrintable(QString::number(chrono.elapsed()) + " ms"));
    QCOMPARE(QDir(cible).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden), QStringList());
    QCOMPARE(port.messages().size(), 1);
    const QString message = port.messages()[0];
    QVERIFY2(message.startsWith("Une erreur s'est produite lors de la décompression.\r\nErreur n° 321, Archive " + chemin + " : "),
             qPrintable(message));
    QVERIFY2(message.endsWith(detail), qPrintable(message));
}

// A disk that fills up while an archive is unpacked, with room enough for what its entries
// declare but not for the blocks they take: reported as a full disk every time, whether the disk
// fills at a block's edge or in the middle of one.
void TstFichiers::disquePleinNomme()
{
    // A real small disk: a memory file system, mounted in a namespace of the test's own, where the
    // test runs again.
    REJOUER_AVEC_MONTAGE("QV_DISQUE_PLEIN");
    QTemporaryDir d;
    const QString petit = d.filePath("petit");
    MontageMemoire montage(petit, "size=1m");
    if (!montage.monte())
        QSKIP("tmpfs cannot be mounted");
    // 250 entries of 4,100 bytes: 1,025,000 bytes fit in the megabyte, but each takes two pages
    // of 4,096, the second one barely used.
    QList<EntreeZip> liste;
    for (int i = 0; i < 250; ++i)
        liste << EntreeZip{"licences" + QByteArray::number(i) + ".txt", QByteArray(4100, 'l')};
    const QString archive = d.filePath("paquet.zip");
    ecrire(archive, zipBrut(liste));
    RepertoireTest rep;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    const QString cible = petit + "/tmpdezip";

    QVERIFY(!Decompresser(archive, cible));
    QCOMPARE(port.messages().size(), 1);
    QVERIFY2(port.messages()[0].startsWith("Une erreur s'est produite lors de la décompression.\r\nErreur n° 61, Impossible d'écrire "),
             qPrintable(port.messages()[0]));
    QVERIFY2(port.messages()[0].endsWith(" : plus d'espace libre sur le disque."), qPrintable(port.messages()[0]));
    QCOMPARE(QDir(cible).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden), QStringList());

    // Whatever its size, an archive is bounded by the room the disk has left: past it, it is
    // refused before anything is written.
    QByteArray hasard(3 << 19, '\0');
    for (char& c : hasard)
        c = char(QRandomGenerator::global()->bounded(256));
    ecrire(archive, zipBrut({{"licences.txt", hasard}}));
    port.effacer();
    QVERIFY(!Decompresser(archive, cible));
    QCOMPARE(port.messages().size(), 1);
    QVERIFY2(port.messages()[0].startsWith("Une erreur s'est produite lors de la décompression.\r\nErreur n° 61, Archive "
                                           + archive + " : elle se décompresserait en 1,5 Mo, plus que l'espace libre sur le disque de "),
             qPrintable(port.messages()[0]));
    QCOMPARE(QDir(cible).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden), QStringList());
}

void TstFichiers::composantAbsent()
{
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QTemporaryDir d;
    ecrire(d.filePath("f.txt"), "x");
    Composants::enregistrer("ArchiveTool", {});
    QVERIFY(!Zipper(d.filePath("a.zip"), d.filePath("f.txt"), true, false));
    QCOMPARE(port.messages(), QStringList({"Une erreur s'est produite lors de la compression.\r\n"
                                           "Erreur n° 429, Impossible de charger la dll qv_archive.so !"}));
    QVERIFY(!QFileInfo::exists(d.filePath("a.zip")));
}

QTEST_MAIN(TstFichiers)
#include "tst_fichiers.moc"
