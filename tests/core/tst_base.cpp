// The database layer: values read back the way the windows expect them, and the safety rules
// that keep a base from being created, damaged or injected by mistake.

#include "core/base.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "fixtures.h"
#include "port_test.h"
#include "sans_privileges.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>

#include <sys/wait.h>
#include <unistd.h>

class TstBase : public QObject {
    Q_OBJECT
private slots:
    void valeursLuesCommeLeProgrammeLesAttend();
    void apostrophesDoublees();
    void texteDeChaqueValeur();
    void requeteFautiveDonneUneColonneVide();
    void uneSeuleInstructionParAppel();
    void ouvertureNeCreeRienEtRefuseUnAutreFichier();
    void verrouTenuPendantLOuverture();
    void verrouAbandonne_data();
    void verrouAbandonne();
    void restesDeTravailSupprimes();
    void ouvertureSansDroitDEcriture();
    void ouvertureSurSupportEnLectureSeule();
    void clesJamaisReutilisees();
    void triFrancais_data();
    void triFrancais();
    void insertionsRendentLaCle();
    void licenceNulleTrouveeParSonNomExact();
    void fermerBaseMarqueLaFermetureUneFois();
};

void TstBase::valeursLuesCommeLeProgrammeLesAttend()
{
    BaseTest base;
    base.executer("CREATE TABLE T (n INTEGER, b BOOLEAN NOT NULL DEFAULT 0, r REAL, t TEXT)");
    base.executer("INSERT INTO T VALUES (NULL, true, 12.5, NULL)");
    base.executer("INSERT INTO T VALUES (7, false, 25.0, 'x')");
    Executer_requete("SELECT n, b, r, t FROM T ORDER BY rowid", false);
    QCOMPARE(colResultat.nbColonnes(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(colResultat.Count(c), 2); // a Null is read as "", never dropped
    QCOMPARE(colResultat.item(0, 1), QString());
    QCOMPARE(colResultat.item(1, 1), QString("Vrai"));
    QCOMPARE(colResultat.item(1, 2), QString("Faux"));
    QCOMPARE(colResultat.item(2, 1), QString("12,5"));
    QCOMPARE(colResultat.item(2, 2), QString("25"));
    QCOMPARE(colResultat.item(3, 1), QString());
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, colResultat.item(0, 3));
    Liberer_resultat();
    QCOMPARE(Lire_nombre("select count(*) from T"), 2);
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Lire_nombre("select n from T where t is null"));
}

// Every value, whatever its type and whatever the row before it in its column, reads as the
// toolkit writes it: whole numbers in full, reals with fifteen significant digits and a comma.
void TstBase::texteDeChaqueValeur()
{
    BaseTest base;
    base.executer("CREATE TABLE V (v)"); // no type: each row keeps the type it was given
    QVariantList valeurs;
    QStringList attendus;
    auto ajouter = [&](const QVariant& v, const QString& attendu) {
        valeurs << v;
        attendus << attendu;
    };
    auto reel = [&](double v) {
        const bool entier = v == std::floor(v) && std::fabs(v) < 1e15;
        ajouter(v, entier ? QString::number(static_cast<qint64>(v)) : QString::number(v, 'g', 15).replace('.', ','));
    };
    for (qint64 n : {qint64(0), qint64(7), qint64(7), qint64(-42), qint64(1234567890123), std::numeric_limits<qint64>::max(),
                     std::numeric_limits<qint64>::min()})
        ajouter(n, QString::number(n));
    for (double v : {0.25, 0.25, 1.0532, -1.0532, 12.5, 25.0, -0.0, 0.1, 1.0 / 3, 2.0 / 3, 1e-5, 1.5e-7, 123456789012345.6,
                     999999999999999.9, 1e15, 1e16, 1.7976931348623157e308, 4.9e-324, -2.5e-300,
                     37116463254548.25, 1125899906842624.5})
        reel(v);
    QRandomGenerator hasard(20241210);
    for (int i = 0; i < 3000; ++i) {
        reel(hasard.generateDouble() * std::pow(10.0, hasard.bounded(-12, 20)) * (i % 2 ? 1 : -1));
        if (i % 500 == 0)
            ajouter(QVariant(), QString());
    }
    // Quarters of big numbers: their sixteenth digit is often an exact tie.
    for (int i = 0; i < 500; ++i)
        reel(static_cast<double>(hasard.bounded(qint64(1) << 40, qint64(1) << 50)) / 4);
    for (const QString& t : {QString("FRA1010750001"), QString("FRA1010750001"), QString("Prénom"), QString(), QString("7")})
        ajouter(t, t);
    ajouter(qint64(7), "7");
    ajouter(7.5, "7,5");
    ajouter(QString("7,5"), "7,5");
    base.executer("BEGIN");
    for (const QVariant& v : valeurs)
        cnxBase.Executer_lie("INSERT INTO V VALUES (?)", {v});
    base.executer("COMMIT");

    Executer_requete("SELECT v FROM V ORDER BY rowid", false);
    QCOMPARE(colResultat.colonne(0).size(), attendus.size());
    for (qsizetype i = 0; i < attendus.size(); ++i)
        QCOMPARE(colResultat.colonne(0)[i], attendus[i]);
    Liberer_resultat();
    const QList<QStringList> lignes = Lignes_requete_liee("SELECT v FROM V ORDER BY rowid");
    for (qsizetype i = 0; i < attendus.size(); ++i)
        QCOMPARE(lignes[i].value(0), attendus[i]);
}

void TstBase::apostrophesDoublees()
{
    BaseTest base;
    base.executer("CREATE TABLE T (t TEXT)");
    cnxBase.Executer_lie("INSERT INTO T VALUES (?)", {QString("O'Neil")});
    Executer_requete("SELECT t FROM T", true);
    QCOMPARE(colResultat.item(0, 1), QString("O''Neil"));
    // A value read that way goes back into SQL text unharmed.
    base.executer("INSERT INTO T VALUES ('" + colResultat.item(0, 1) + "')");
    QCOMPARE(Lire_nombre("select count(*) from T where t = 'O''Neil'"), 2);
}

void TstBase::requeteFautiveDonneUneColonneVide()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.repondre(Reponse::Ok);
    Executer_requete("SELECT nimporte FROM nullepart", false);
    QCOMPARE(colResultat.nbColonnes(), 1);
    QCOMPARE(colResultat.Count(0), 0);
    QCOMPARE(ihm.appels().size(), size_t(1));
    QCOMPARE(ihm.appels()[0].titre, QString("Erreur"));
    QVERIFY(ihm.appels()[0].texte.startsWith(
        "La requête suivante n'a pu être exécutée : SELECT nimporte FROM nullepart\r\nErreur n° "));
}

void TstBase::uneSeuleInstructionParAppel()
{
    BaseTest base;
    base.executer("CREATE TABLE T (t TEXT)");
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, cnxBase.Execute("INSERT INTO T VALUES ('a'); DELETE FROM Info"));
    QCOMPARE(Lire_nombre("select count(*) from T"), 0);
    QCOMPARE(Lire_nombre("select count(*) from Info"), 1);
    // A trailing semicolon or comment is still one statement.
    cnxBase.Execute("INSERT INTO T VALUES ('a'); -- fin");
    QCOMPARE(Lire_nombre("select count(*) from T"), 1);
}

void TstBase::ouvertureNeCreeRienEtRefuseUnAutreFichier()
{
    QTemporaryDir dir;
    QString erreur;
    strCheminBase = dir.filePath("absente.mdb");
    QVERIFY(!Ouvrir_base(erreur));
    QVERIFY(erreur.startsWith("Erreur n° "));
    QVERIFY(!QFile::exists(strCheminBase));

    QFile texte(dir.filePath("texte.mdb"));
    QVERIFY(texte.open(QIODevice::WriteOnly));
    texte.write(QByteArray(4096, 'x'));
    texte.close();
    strCheminBase = texte.fileName();
    erreur.clear();
    QVERIFY(!Ouvrir_base(erreur));
    QVERIFY(erreur.contains("n'est pas une base"));
    QVERIFY(!cnxBase.ouverte());
    QVERIFY(!QFile::exists(Chemin_verrou(strCheminBase)));
    strCheminBase.clear();
}

void TstBase::verrouTenuPendantLOuverture()
{
    BaseTest base;
    QVERIFY(Base_verrouillee(base.chemin()));
    QVERIFY(QFile::exists(Chemin_verrou(base.chemin())));
    Fermer_base();
    QVERIFY(!Base_verrouillee(base.chemin()));
    QVERIFY(!QFile::exists(Chemin_verrou(base.chemin())));
}

// What a lock file may hold when nobody holds it: a kill between its creation and its first
// write leaves it empty; a process number may be given again to a living program of the same
// name, this very one here, that holds nothing. Only a lock held by a living process locks the
// base out, and a lock of another machine, which cannot be checked from here.
void TstBase::verrouAbandonne_data()
{
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("tenu");
    QByteArray celuiCi; // what this process writes in a lock it holds
    {
        QTemporaryDir d;
        QLockFile verrou(d.filePath("x.ldb"));
        QVERIFY(verrou.tryLock(0));
        QFile f(d.filePath("x.ldb"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        celuiCi = f.readAll();
    }
    const pid_t mort = ::fork();
    if (mort == 0)
        ::_exit(0);
    ::waitpid(mort, nullptr, 0);
    const QByteArray machine = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("vide") << QByteArray() << false;
    QTest::newRow("illisible") << QByteArray("\x01\xfe\x00zz", 5) << false;
    QTest::newRow("processus mort") << QByteArray::number(mort) + "\nquorvelane\n" + machine + "\n" << false;
    QTest::newRow("numéro repris par un vivant") << celuiCi << false;
    QTest::newRow("tenu par un vivant") << QByteArray() << true;
    QTest::newRow("autre machine") << QByteArray("1234\nquorvelane\nune-autre-machine\n\n") << true;
}

void TstBase::verrouAbandonne()
{
    QFETCH(QByteArray, contenu);
    QFETCH(bool, tenu);
    BaseTest base;
    cnxBase.fermer();
    const QString verrou = Chemin_verrou(base.chemin());
    QLockFile autre(verrou);
    if (contenu.isEmpty() && tenu) {
        QVERIFY(autre.tryLock(0));
    } else {
        QFile f(verrou);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenu);
    }
    QFile lu(verrou);
    QVERIFY(lu.open(QIODevice::ReadOnly));
    const QByteArray avant = lu.readAll();
    lu.close();

    QCOMPARE(Base_verrouillee(base.chemin()), tenu);
    strCheminBase = base.chemin();
    QString erreur;
    QCOMPARE(Ouvrir_base(erreur), !tenu);
    // Only another machine's lock is named: the user has to see to it himself.
    QCOMPARE(Machine_du_verrou(base.chemin()), QString(contenu.contains("une-autre-machine") ? "une-autre-machine" : ""));
    if (tenu) {
        QVERIFY2(erreur.contains("Une connexion est déjà active sur la base."), qPrintable(erreur));
        if (contenu.contains("une-autre-machine"))
            QVERIFY2(erreur.contains("depuis la machine « une-autre-machine ».\r\n") && erreur.contains(verrou),
                     qPrintable(erreur));
        QVERIFY(lu.open(QIODevice::ReadOnly));
        QCOMPARE(lu.readAll(), avant);
        return;
    }
    QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    QVERIFY(Base_verrouillee(base.chemin()));
    Fermer_base();
    QVERIFY(!QFile::exists(verrou));
}

// A compaction, a restore or a backup killed in the middle leaves its work files beside the
// base, each as large as it: the next opening, which holds the base, removes them, and nothing
// else.
void TstBase::restesDeTravailSupprimes()
{
    BaseTest base("club.mdb");
    cnxBase.fermer();
    const QStringList restes{"club.mdb.tmp.compact", "club.mdb.tmp.compact-journal", "club.mdb.restore.tmp",
                             "club.mdb.sav.tmp"};
    // The user's own files, however their names begin.
    const QStringList gardes{"club.mdb.sav", "autre.mdb.tmp.compact", "club.mdb.tmp.compacte", "club.mdb.restore.tmpx",
                             "club.mdb.sav.tmp.zip", "club.mdb.tmp.compact.old", "club.mdb.restore.tmp-copie"};
    for (const QString& nom : restes + gardes) {
        QFile f(base.repertoire().fichier(nom));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("reste");
    }
    strCheminBase = base.chemin();
    QString erreur;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    for (const QString& nom : restes)
        QVERIFY2(!QFileInfo::exists(base.repertoire().fichier(nom)), qPrintable(nom));
    for (const QString& nom : gardes)
        QVERIFY2(QFileInfo::exists(base.repertoire().fichier(nom)), qPrintable(nom));
}

void TstBase::ouvertureSansDroitDEcriture()
{
    REJOUER_SANS_PRIVILEGES();
    RepertoireTest rep;
    const QString dossier = rep.chemin() + "/protege";
    QVERIFY(QDir().mkdir(dossier));
    struct Cas {
        QString nom;
        QFileDevice::Permissions fichier;
        QFileDevice::Permissions repertoire;
        QString cause;
    };
    const QFileDevice::Permissions lectureEcriture = QFile::ReadOwner | QFile::WriteOwner;
    const QFileDevice::Permissions dossierOuvert = lectureEcriture | QFile::ExeOwner;
    const Cas cas[] = {
        {"fichier", QFile::ReadOwner, dossierOuvert, "' est en lecture seule : la base ne peut pas être ouverte."},
        {"dossier", lectureEcriture, QFile::ReadOwner | QFile::ExeOwner, "' n'est pas accessible en écriture"},
    };
    for (const Cas& c : cas) {
        const QString chemin = dossier + "/" + c.nom + ".mdb";
        QFile(dossier).setPermissions(dossierOuvert);
        QVERIFY(QFile::copy(Chemin_modele_construit(), chemin));
        QVERIFY(QFile(chemin).setPermissions(c.fichier));
        QVERIFY(QFile(dossier).setPermissions(c.repertoire));
        // Nobody holds the lock: the base is not "in use".
        QVERIFY2(!Base_verrouillee(chemin), qPrintable(c.nom));
        strCheminBase = chemin;
        QString erreur;
        QVERIFY(!Ouvrir_base(erreur));
        QVERIFY2(erreur.contains(c.cause), qPrintable(erreur));
        QVERIFY2(!erreur.contains("déjà active") && !erreur.contains("not an error"), qPrintable(erreur));
        QVERIFY(!cnxBase.ouverte());
        QVERIFY(!QFile::exists(Chemin_verrou(chemin)));
    }
    QFile(dossier).setPermissions(dossierOuvert);
    strCheminBase.clear();
}

// A base on a volume mounted read-only: the file's protection is not the cause, and the user is
// not sent to change it. Mounted for real in a namespace of the test's own when the system
// allows it; the wording is checked for both causes in any case.
void TstBase::ouvertureSurSupportEnLectureSeule()
{
    const QString fichier = "Le fichier '/media/cle/club.mdb' ";
    QCOMPARE(Texte_base_lecture_seule("/media/cle/club.mdb", true),
             fichier + "se trouve sur un support en lecture seule : la base ne peut pas être ouverte. "
                       "Copier la base sur un support modifiable.");
    QCOMPARE(Texte_base_lecture_seule("/media/cle/club.mdb", false),
             fichier + "est en lecture seule : la base ne peut pas être ouverte. Retirer la protection en écriture "
                       "du fichier.");

    REJOUER_AVEC_MONTAGE("QV_LECTURE_SEULE");
    QTemporaryDir d;
    const QString support = d.filePath("cle");
    MontageMemoire montage(support, "size=4m");
    if (!montage.monte())
        QSKIP("tmpfs cannot be mounted");
    const QString chemin = support + "/club.mdb";
    QVERIFY(QFile::copy(Chemin_modele_construit(), chemin));
    QVERIFY(QFile(chemin).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(montage.lectureSeule());

    strCheminBase = chemin;
    QString erreur;
    QVERIFY(!Ouvrir_base(erreur));
    QVERIFY2(erreur.endsWith(Texte_base_lecture_seule(chemin, true)), qPrintable(erreur));
    QVERIFY(!cnxBase.ouverte());
    strCheminBase.clear();
}

void TstBase::clesJamaisReutilisees()
{
    BaseTest base;
    base.executer("INSERT INTO Piscine (Nom) VALUES ('A')");
    const QString premiere = base.valeur("select max(Num) from Piscine");
    base.executer("DELETE FROM Piscine");
    base.executer("INSERT INTO Piscine (Nom) VALUES ('B')");
    QVERIFY(base.valeur("select max(Num) from Piscine").toInt() > premiere.toInt());
}

void TstBase::triFrancais_data()
{
    QTest::addColumn<QStringList>("entree");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("accent avant Z") << QStringList{"Zoé", "élodie", "Emile"} << QStringList{"élodie", "Emile", "Zoé"};
    QTest::newRow("casse ignorée") << QStringList{"bernard", "Alain", "CLAIRE"} << QStringList{"Alain", "bernard", "CLAIRE"};
    QTest::newRow("cédille et œ") << QStringList{"Cyril", "Çaglar", "Caen"} << QStringList{"Caen", "Çaglar", "Cyril"};
}

void TstBase::triFrancais()
{
    QFETCH(QStringList, entree);
    QFETCH(QStringList, attendu);
    BaseTest base;
    for (const QString& nom : entree)
        cnxBase.Executer_lie("INSERT INTO Piscine (Nom) VALUES (?)", {nom});
    Executer_requete("SELECT Nom FROM Piscine ORDER BY Nom", false);
    QCOMPARE(colResultat.colonne(0), attendu);
    QCOMPARE(Lire_nombre("select count(*) from Piscine where Nom = '" + attendu[0].toUpper() + "'"), 1);
}

void TstBase::insertionsRendentLaCle()
{
    BaseTest base;
    strNumProfil = "3";
    const QString modele = Creer_modele("Printemps", "Modele_engag");
    QVERIFY(!modele.isEmpty());
    QCOMPARE(base.valeur("select Nom_modele || '/' || Num_profil from Modele_engag where NumAuto = " + modele),
             QString("Printemps/3"));
    const QString piscine = Creer_piscine({"Piscine d'été", "1 rue", "75001", "Paris", "8", "50"});
    QVERIFY(!piscine.isEmpty());
    QCOMPARE(base.valeur("select Ville from Piscine where Num = " + piscine), QString("Paris"));
    QCOMPARE(Creer_modele("x", "TableAbsente"), QString());
    QVERIFY(!rsRequete.estOuvert());
}

void TstBase::licenceNulleTrouveeParSonNomExact()
{
    BaseTest base;
    strCodeClub = "FRA1010750001";
    base.executer("INSERT INTO Licence (Code_Club, Licence, Nom, Visible, Date_suppr) VALUES ('X', '01234F', 'NULL', true, '')");
    const QString cle = Controler_licence_nulle();
    QVERIFY(!cle.isEmpty());
    QCOMPARE(base.valeur("select Nom from Licence where Num = " + cle), QString("Null"));
    QCOMPARE(base.valeur("select Visible from Licence where Num = " + cle), QString("Faux"));
    QCOMPARE(Controler_licence_nulle(), cle);
    Controler_piscine_reference();
    Controler_piscine_reference();
    QCOMPARE(Lire_nombre("select count(*) from Piscine where Nom = 'Null'"), 1);
}

void TstBase::fermerBaseMarqueLaFermetureUneFois()
{
    BaseTest base;
    base.executer("UPDATE Info SET LastClose = false");
    Fermer_base();
    QVERIFY(!cnxBase.ouverte());
    Fermer_base(); // nothing to write on a closed connection
    QString erreur;
    QVERIFY(Ouvrir_base(erreur));
    QCOMPARE(base.valeur("select LastClose from Info").toLower(), QString("vrai"));
}

QTEST_MAIN(TstBase)
#include "tst_base.moc"
