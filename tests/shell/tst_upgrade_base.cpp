// Bringing a version-2 base up to the schema the program needs: the ini reader, the upgrade
// when such a base is opened (success, failures, scripts that stop short), and the upgrade
// window with a real "maj_base.zip" made here.

#include "core/ini.h"
#include "fixtures.h"
#include "session_shell.h"
#include "shell/maj_base.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

namespace {

// Statements longer than 254 characters: a reader that cut them would run something else.
const QString kCreerRecordClub = QStringLiteral(
    "CREATE TABLE RecordClub (Num_auto INTEGER PRIMARY KEY AUTOINCREMENT, Categorie INTEGER, Code_nage INTEGER, "
    "Bassin INTEGER, Tps REAL, Nom TEXT COLLATE NOCASE, Prenom TEXT COLLATE NOCASE, Date_perf TEXT COLLATE NOCASE, "
    "Lieu TEXT COLLATE NOCASE, Rel1 TEXT COLLATE NOCASE, Rel2 TEXT COLLATE NOCASE, Rel3 TEXT COLLATE NOCASE, "
    "Rel4 TEXT COLLATE NOCASE, Rel5 TEXT COLLATE NOCASE, Rel6 TEXT COLLATE NOCASE, Rel7 TEXT COLLATE NOCASE, "
    "Rel8 TEXT COLLATE NOCASE, Rel9 TEXT COLLATE NOCASE, Rel10 TEXT COLLATE NOCASE)");
const QString kLieuLong = "Piscine olympique, bassin nord; " + QString("réservé aux clubs de la ville ").repeated(8).trimmed();
const QString kInsererRecord = "INSERT INTO RecordClub (Categorie, Code_nage, Bassin, Tps, Nom, Prenom, Lieu) VALUES (1, 11, "
                               "25, 31.5, 'DUPONT', 'Anne', '" + kLieuLong + "')";

// Version 2 lacked the club records and the monitor's "always visible" setting.
QString scriptVersion3()
{
    return "; Mise à jour des bases\n"
           "[INFO]\n"
           "Version finale = 3\n"
           "\n"
           "[FROM 2]\n"
           "maj1=\"" + kCreerRecordClub + "\"\n"
           "maj2 = ALTER TABLE Profil ADD COLUMN bAlwaysVisibleSuivi BOOLEAN NOT NULL DEFAULT 0 "
           "CHECK (bAlwaysVisibleSuivi IN (0, 1))\n"
           "MAJ3=" + kInsererRecord + "\n"
           "; maj4 is missing: what follows is never run\n"
           "maj5=CREATE TABLE Jamais (x)\n";
}

void ecrire(const QString& chemin, const QString& texte)
{
    QFile f(chemin);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(texte.toUtf8());
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void executer(const QString& chemin, const QString& sql)
{
    sqlite3* db = Ouvrir_connexion_sqlite(chemin);
    char* erreur = nullptr;
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &erreur);
    if (erreur) {
        qWarning("%s", erreur);
        sqlite3_free(erreur);
    }
    sqlite3_close(db);
}

// A base as version 2 left it: made from the model, less what the script brings.
QString baseVersion2(const RepertoireTest& rep, const QString& nom)
{
    const QString chemin = Preparer_base(rep, nom);
    executer(chemin, "DROP TABLE RecordClub");
    executer(chemin, "ALTER TABLE Profil DROP COLUMN bAlwaysVisibleSuivi");
    executer(chemin, "UPDATE Info SET Version = 2");
    return chemin;
}

bool aLaTable(const QString& chemin, const QString& table)
{
    return Valeur_fichier(chemin, "SELECT count(*) FROM sqlite_master WHERE name = '" + table + "'") == "1";
}

// "maj_base.zip" as a package is shipped: the script and the model that goes with it (the
// built model changed by sqlModele).
QString fairePackage(const QString& dossier, const QString& script, const QString& sqlModele = QString())
{
    QDir().mkpath(dossier);
    const QString ini = dossier + "/maj_base.ini";
    const QString modele = dossier + "/modele_base.sav";
    ecrire(ini, script);
    QFile::copy(Chemin_modele_construit(), modele);
    QFile::setPermissions(modele, QFile::ReadOwner | QFile::WriteOwner);
    if (!sqlModele.isEmpty())
        executer(modele, sqlModele);
    const QString archive = dossier + "/maj_base.zip";
    Zipper(archive, ini, true, false);
    Zipper(archive, modele, true, false);
    QFile::remove(ini);
    QFile::remove(modele);
    return archive;
}

// Queues the log window: its text goes into journal, then "&Ok".
void lireJournal(PortIhmTest& ihm, QString& journal)
{
    ihm.repondreModal([&journal](QDialog& d) {
        journal = d.findChild<QTextEdit*>("rich")->toPlainText();
        d.findChild<QPushButton*>("cmd")->click();
        return d.result();
    });
}

} // namespace

class TstUpgradeBase : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    void lecteurIni_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("attendu");
        const QString longue = "INSERT INTO T VALUES ('" + QString("x").repeated(1000) + "')";
        QTest::newRow("virgules et point-virgule gardés") << "[A]\nk=a, b; c\\d" << "A" << "k" << "a, b; c\\d";
        QTest::newRow("sans limite de longueur") << "[A]\nk=" + longue << "A" << "k" << longue;
        QTest::newRow("blancs et casse") << "  [ From 2 ]  \r\n  MAJ1  =  UPDATE T SET a = 1  \r\n" << "FROM 2"
                                         << "maj1" << "UPDATE T SET a = 1";
        QTest::newRow("guillemets retirés une fois") << "[A]\nk=\"'x'\"" << "A" << "k" << "'x'";
        QTest::newRow("guillemets dépareillés gardés") << "[A]\nk=\"x'" << "A" << "k" << "\"x'";
        QTest::newRow("égal dans la valeur") << "[A]\nk=a = b" << "A" << "k" << "a = b";
        QTest::newRow("commentaire") << "[A]\n;k=1\nk=2" << "A" << "k" << "2";
        QTest::newRow("première clé gagne") << "[A]\nk=1\nK=2" << "A" << "k" << "1";
        QTest::newRow("première section gagne") << "[A]\nk=1\n[B]\nk=3\n[a]\nk=2\nj=4" << "A" << "j" << "";
        QTest::newRow("clé absente") << "[A]\nk=1" << "A" << "maj1" << "";
        QTest::newRow("section absente") << "[A]\nk=1" << "B" << "k" << "";
        QTest::newRow("accents, marque d'ordre") << "\xEF\xBB\xBF[INFO]\nVersion finale=3,5 é" << "INFO"
                                                 << "Version finale" << "3,5 é";
    }

    void lecteurIni()
    {
        QFETCH(QString, texte);
        QFETCH(QString, section);
        QFETCH(QString, cle);
        QFETCH(QString, attendu);
        QTemporaryDir d;
        const QString fichier = d.filePath("essai.ini");
        QFile f(fichier);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(texte.toUtf8());
        f.close();
        QCOMPARE(Lire_ini(section, cle, fichier), attendu);
        QCOMPARE(Lire_ini(section, cle, d.filePath("absent.ini")), QString());
    }

    // A version-2 base opened by a user: backed up, upgraded in the log window, then used.
    void ouvertureBaseVersion2()
    {
        Session s;
        ecrire(s.rep.fichier("maj_base.ini"), scriptVersion3());
        const QString base = baseVersion2(s.rep, "ancienne.mdb");
        QString journal;
        lireJournal(s.ihm, journal);
        QVERIFY(s.ouvrir(base));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages(), QStringList());
        QCOMPARE(journal.split('\n'),
                 QStringList({"Version de la base : 2", "Mise à jour vers une version 3", kCreerRecordClub, "... OK",
                              "ALTER TABLE Profil ADD COLUMN bAlwaysVisibleSuivi BOOLEAN NOT NULL DEFAULT 0 CHECK "
                              "(bAlwaysVisibleSuivi IN (0, 1))",
                              "... OK", kInsererRecord, "... OK", "Nouvelle version de la base : 3", "UPDATE Info Set Version = 3", "... OK",
                              "Mise à jour de la base (" + base + ") réussie."}));
        QVERIFY(menusBaseOuverte());
        QCOMPARE(Valeur("SELECT Version FROM Info"), QString("3"));
        QCOMPARE(Valeur("SELECT Lieu FROM RecordClub"), kLieuLong);
        QCOMPARE(Valeur("SELECT bAlwaysVisibleSuivi FROM Profil"), QString("Faux"));
        QVERIFY(!aLaTable(base, "Jamais"));
        // The backup holds the upgraded base: undoing never brings version 2 back.
        QCOMPARE(Valeur_archive(base + ".sav", "ancienne.mdb", "SELECT Version FROM Info"), QString("3"));
    }

    // "Annuler" puts back a backup of version 2 (its upgrade makes it the model): the base is
    // upgraded before it is used again, as at an opening, never used as version 2.
    void annulerVersSauvegardeAncienne()
    {
        Session s;
        // The script that makes a version-2 base the model, its index included.
        ecrire(s.rep.fichier("maj_base.ini"),
               scriptVersion3().replace("; maj4 is missing: what follows is never run\nmaj5=CREATE TABLE Jamais (x)\n",
                                        "maj4 = CREATE INDEX RecordClub_par_epreuve ON RecordClub (Categorie, Code_nage, Bassin)\n"));
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        QTemporaryDir d;
        const QString ancienne = baseVersion2(s.rep, "ancienne.mdb");
        QVERIFY(QFile::copy(ancienne, d.filePath("club.mdb")));
        QFile::remove(base + ".sav");
        QVERIFY(Zipper(base + ".sav", d.filePath("club.mdb"), true, false));
        s.ihm.effacer();

        s.ihm.repondre(Reponse::Oui);
        QString journal;
        lireJournal(s.ihm, journal);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        QVERIFY2(s.ihm.toutConsomme(), qPrintable(s.ihm.messages().join(" | ")));
        QCOMPARE(s.ihm.messages(), QStringList({"Annuler toutes les opérations depuis la dernière sauvegarde ?"}));
        QVERIFY2(journal.endsWith("Mise à jour de la base (" + base + ") réussie."), qPrintable(journal));
        QVERIFY(cnxBase.ouverte());
        QVERIFY(menusBaseOuverte());
        QCOMPARE(Valeur("SELECT Version FROM Info"), QString("3"));
        QCOMPARE(Valeur("SELECT Lieu FROM RecordClub"), kLieuLong);
    }

    // A base that could not be brought to version 3 is not used, and is left as it was.
    void ouvertureMiseAJourRatee_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("reponse"); // to the question that offers the backup; 0: not asked
        QTest::addColumn<QString>("journalContient");
        QTest::addColumn<QString>("message");
        const QString casse = scriptVersion3().replace("maj2 = ALTER TABLE Profil", "maj2 = ALTER TABLE Profile");
        const QString version = "La base n'a pas pu être mise à jour vers la version 3 nécessaire au logiciel.\r\n"
                                "Version de la base : 2.";
        QTest::newRow("instruction en échec, sauvegarde refusée")
            << casse << int(Reponse::Non) << "Aucune instruction de la mise à jour n'a été conservée : la base est "
                                             "restée en version 2.\nLa dernière sauvegarde n'a pas été restaurée."
            << QString();
        QTest::newRow("instruction en échec, sauvegarde reprise")
            << casse << int(Reponse::Oui) << "Restauration de la précédente sauvegarde de la base." << QString();
        QTest::newRow("script absent") << QString() << 0
                                       << "Fichier (maj_base.ini) des mises à jour introuvable.\nIl faut télécharger "
                                          "depuis le site Quorvelane le package de mise à jour des bases."
                                       << version;
        QTest::newRow("script qui s'arrête avant")
            << "[INFO]\nVersion finale=3\n[FROM 1]\nmaj1=CREATE TABLE Jamais (x)\n" << 0
            << "Nouvelle version de la base : 2" << version;
        QTest::newRow("version finale déjà atteinte") << "[INFO]\nVersion finale=2\n" << 0
                                                      << "Pas de mise à jour nécessaire pour cette base" << version;
    }

    void ouvertureMiseAJourRatee()
    {
        QFETCH(QString, script);
        QFETCH(int, reponse);
        QFETCH(QString, journalContient);
        QFETCH(QString, message);
        Session s;
        if (!script.isEmpty())
            ecrire(s.rep.fichier("maj_base.ini"), script);
        const QString base = baseVersion2(s.rep, "ancienne.mdb");
        QString journal;
        if (reponse)
            s.ihm.repondre(reponse);
        lireJournal(s.ihm, journal);
        QVERIFY(!s.ouvrir(base));
        QVERIFY(s.ihm.toutConsomme());
        QVERIFY2(journal.contains(journalContient), qPrintable(journal));
        if (reponse) {
            QVERIFY(journal.contains("Une erreur s'est produite lors de la mise à jour de la base.\nErreur n° "));
            QCOMPARE(s.ihm.messages()[0].left(40), QString("Suite à une erreur (voir rapport), souha"));
        } else {
            QCOMPARE(s.ihm.messages(), QStringList({message}));
        }
        QVERIFY(!cnxBase.ouverte());
        QVERIFY(menusSansBase());
        // Nothing of a failed script stays: the base is version 2 as it was.
        QCOMPARE(Valeur_fichier(base, "SELECT Version FROM Info"), QString("2"));
        QVERIFY(!aLaTable(base, "RecordClub"));
        QVERIFY(!aLaTable(base, "Jamais"));
        if (reponse) {
            // It was backed up before anything ran.
            QCOMPARE(Valeur_archive(base + ".sav", "ancienne.mdb", "SELECT Version FROM Info"), QString("2"));
        } else {
            // Refused without running anything: the base is as it came, cleanly closed, and the
            // backup made for the upgrade is gone; the next opening asks about no crash.
            QCOMPARE(Valeur_fichier(base, "SELECT LastClose FROM Info"), QString("Vrai"));
            QVERIFY(!QFileInfo::exists(base + ".sav"));
            s.ihm.effacer();
            lireJournal(s.ihm, journal);
            QVERIFY(!s.ouvrir(base));
            QCOMPARE(s.ihm.messages(), QStringList({message}));
            QVERIFY(!QFileInfo::exists(base + ".sav"));
        }
    }

    // The window: a package installed, a chosen base upgraded, the open base's undo point kept,
    // and that base reopened at the end.
    void fenetreMiseAJour()
    {
        Session s;
        const QString ouverte = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(ouverte));
        const QByteArray sauvegardeOuverte = contenu(ouverte + ".sav");
        const QString ancienne = baseVersion2(s.rep, "ancienne.mdb");
        ecrire(ancienne + ".sav", "sauvegarde d'une autre séance");
        QTemporaryDir livraison;
        const QString package = fairePackage(livraison.filePath("livraison"), scriptVersion3());

        QString infoAvant, infoApres, journalAncienne, journalOuverte;
        bool installerInactif = false, majInactive = false, baseFermee = false, autreIgnore = false;
        s.ihm.repondreModal([&](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            baseFermee = !cnxBase.ouverte();
            infoAvant = f.lb_info->text();
            installerInactif = !f.Cmd_package_2->isEnabled();
            s.ihm.repondreFichier(livraison.filePath("livraison/autre.zip")); // not the package: ignored
            f.Cmd_package_0->click();
            autreIgnore = f.txt_rep->text().isEmpty();
            s.ihm.repondreFichier(package);
            f.Cmd_package_0->click();
            s.ihm.repondreFichier(ancienne);
            f.Cmd_base_0->click();
            majInactive = !f.Cmd_base_2->isEnabled();
            f.Cmd_base_2->click(); // installs the package first
            infoApres = f.lb_info->text();
            s.ihm.repondreFichier(ouverte);
            f.Cmd_base_0->click();
            f.Cmd_base_2->click();
            f.cmd->click();
            return d.result();
        });
        lireJournal(s.ihm, journalAncienne);
        lireJournal(s.ihm, journalOuverte);
        QVERIFY(s.declencher("mnuMajBase"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages(), QStringList());
        QVERIFY(baseFermee);
        QVERIFY(autreIgnore);
        QCOMPARE(infoAvant, QString("Package dispo pour upgrade vers version "));
        QVERIFY(installerInactif);
        QVERIFY(!majInactive);
        QCOMPARE(infoApres, QString("Package dispo pour upgrade vers version 3"));
        QVERIFY(QFileInfo::exists(s.rep.fichier("maj_base.ini")));
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tmpmajbase*", "quorvelane-*"}), QStringList());
        QVERIFY2(journalAncienne.endsWith("Mise à jour de la base (" + ancienne + ") réussie."), qPrintable(journalAncienne));
        QCOMPARE(Valeur_fichier(ancienne, "SELECT Version FROM Info"), QString("3"));
        QCOMPARE(Valeur_fichier(ancienne, "SELECT Lieu FROM RecordClub"), kLieuLong);
        QCOMPARE(Valeur_fichier(ancienne, "SELECT LastClose FROM Info"), QString("Vrai"));
        QCOMPARE(contenu(ancienne + ".sav"), QByteArray("sauvegarde d'une autre séance"));
        QCOMPARE(journalOuverte, QString("Version de la base : 3\nPas de mise à jour nécessaire pour cette base"));

        // The base that was open is open again, with its undo point.
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(cnxBase.chemin(), ouverte);
        QCOMPARE(strCheminBase, ouverte);
        // Open again, it reads as not closed cleanly, as every open base.
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QVERIFY(menusBaseOuverte());
        QCOMPARE(contenu(ouverte + ".sav"), sauvegardeOuverte);
    }

    // A package whose script adds a column written otherwise than in its model: the upgraded
    // base's own backups are put back all the same, the one made before the upgrade included.
    void sauvegardesApresMiseAJour_data()
    {
        QTest::addColumn<bool>("enregistrer");
        QTest::addColumn<QString>("commande");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("enregistrer puis annuler") << true << "mnuBaseAnnuler" << "SAUVE";
        QTest::newRow("enregistrer puis fermer") << true << "mnuBaseClose" << "SAUVE";
        QTest::newRow("enregistrer puis session tuée") << true << "crash" << "SAUVE";
        QTest::newRow("annuler la mise à jour") << false << "mnuBaseAnnuler" << QString();
    }

    void sauvegardesApresMiseAJour()
    {
        QFETCH(bool, enregistrer);
        QFETCH(QString, commande);
        QFETCH(QString, attendu);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        QTemporaryDir livraison;
        const QString package =
            fairePackage(livraison.filePath("livraison"),
                         "[INFO]\nVersion finale = 4\n[FROM 3]\nmaj1 = ALTER TABLE Club ADD COLUMN Site TEXT\n",
                         "ALTER TABLE Club ADD COLUMN Site TEXT COLLATE NOCASE; UPDATE Info SET Version = 4");
        QString journal;
        s.ihm.repondreModal([&](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            s.ihm.repondreFichier(package);
            f.Cmd_package_0->click();
            s.ihm.repondreFichier(base);
            f.Cmd_base_0->click();
            f.Cmd_base_2->click();
            f.cmd->click();
            return d.result();
        });
        lireJournal(s.ihm, journal);
        QVERIFY(s.declencher("mnuMajBase"));
        QVERIFY2(journal.endsWith("Mise à jour de la base (" + base + ") réussie."), qPrintable(journal));
        QCOMPARE(Valeur("SELECT Version FROM Info"), QString("4"));

        const auto ajouter = [](const QString& nom) {
            cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom) VALUES ('" + kCodeClub + "', '10001F', '"
                            + nom + "', 'Anne')");
        };
        if (enregistrer) {
            ajouter("SAUVE");
            QVERIFY(s.declencher("mnuBaseSave"));
        }
        ajouter("PERDU");
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        if (commande == "crash") {
            // Gone without a word: the next opening offers the backup.
            cnxBase.fermer();
            Menus_base_fermee();
            QVERIFY(s.ouvrir(base));
        } else {
            QVERIFY(s.declencher(qPrintable(commande)));
        }
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages().size(), 1); // the question only
        const QString noms = "SELECT group_concat(Nom) FROM Licence WHERE Nom IN ('SAUVE', 'PERDU')";
        if (commande == "mnuBaseClose") {
            QVERIFY(!cnxBase.ouverte());
            QVERIFY(!QFileInfo::exists(base + ".sav"));
            QCOMPARE(Valeur_fichier(base, noms), attendu);
            QCOMPARE(Valeur_fichier(base, "SELECT Version FROM Info"), QString("4"));
        } else {
            QVERIFY(cnxBase.ouverte());
            QVERIFY(menusBaseOuverte());
            QCOMPARE(Valeur(noms), attendu);
            QCOMPARE(Valeur("SELECT Version FROM Info"), QString(enregistrer ? "4" : "3"));
        }
    }

    // A version past what the upgrade counts in is not taken for another: the base keeps it.
    void fenetreVersionDemesuree()
    {
        Session s;
        ecrire(s.rep.fichier("maj_base.ini"), scriptVersion3());
        const QString base = Preparer_base(s.rep, "club.mdb");
        executer(base, "UPDATE Info SET Version = 1e300");
        const QString avant = Valeur_fichier(base, "SELECT Version FROM Info");
        QString journal;
        s.ihm.repondreModal([&](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            s.ihm.repondreFichier(base);
            f.Cmd_base_0->click();
            f.Cmd_base_2->click();
            f.cmd->click();
            return d.result();
        });
        s.ihm.repondre(Reponse::Non);
        lireJournal(s.ihm, journal);
        QVERIFY(s.declencher("mnuMajBase"));
        QVERIFY(s.ihm.toutConsomme());
        QVERIFY2(journal.contains("Une erreur s'est produite lors de la mise à jour de la base.\nErreur n° 6, Version de la "
                                  "base illisible : "),
                 qPrintable(journal));
        QCOMPARE(Valeur_fichier(base, "SELECT Version FROM Info"), avant);
        QVERIFY(!aLaTable(base, "RecordClub") || Valeur_fichier(base, "SELECT count(*) FROM RecordClub") == "0");
    }

    // After a refused opening no base is open: the window reopens nothing. A package that
    // brings nothing newer is refused.
    void fenetreSansBaseOuverte()
    {
        Session s;
        ecrire(s.rep.fichier("maj_base.ini"), scriptVersion3());
        const QString enUsage = Preparer_base(s.rep, "club.mdb");
        QLockFile autre(Chemin_verrou(enUsage));
        QVERIFY(autre.tryLock(0));
        QVERIFY(!s.ouvrir(enUsage));
        autre.unlock();
        QCOMPARE(strCheminBase, enUsage);
        QTemporaryDir livraison;
        const QString package = fairePackage(livraison.path(), scriptVersion3());
        s.ihm.effacer();
        s.ihm.repondreModal([&](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            s.ihm.repondreFichier(package);
            f.Cmd_package_0->click();
            f.Cmd_package_2->click();
            s.ihm.repondreFichier(livraison.filePath("pas_une_base.txt"));
            f.Cmd_base_0->click();
            f.cmd->click();
            return d.result();
        });
        QVERIFY(s.declencher("mnuMajBase"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages(),
                 QStringList({"La version apportée par le package n'est pas supérieure à celle déjà disponible.\r\n"
                              "L'installation du package sélectionné est annulée.",
                              "Le fichier sélectionné n'est pas une base reconnue."}));
        QVERIFY(!cnxBase.ouverte());
        QCOMPARE(strCheminBase, QString());
        QVERIFY(menusSansBase());
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tmpmajbase*", "quorvelane-*"}), QStringList());
    }

private:
    static bool menusBaseOuverte()
    {
        return Menu("mnuBaseSave")->isEnabled() && !Menu("mnuBaseOpen")->isEnabled();
    }
    static bool menusSansBase() { return !Menu("mnuBaseSave")->isEnabled() && Menu("mnuBaseOpen")->isEnabled(); }

    ReglagesTest m_reglages;
};

QTEST_MAIN(TstUpgradeBase)
#include "tst_upgrade_base.moc"
