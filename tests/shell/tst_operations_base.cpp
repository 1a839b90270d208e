// The "&Base" menu as a user drives it: a new base up to its reopening, refused openings, the
// crash question after a killed session, saving and undoing under windows, archive, compaction,
// deletion, and the ways to quit.

#include "core/composants.h"
#include "entries/utils_engag.h"
#include "fixtures.h"
#include "sans_privileges.h"
#include "session_shell.h"
#include "shell/frm_attente.h"
#include "shell/maj_base.h"
#include "shell/operations_base.h"
#include "zip_brut.h"

#include "fenetres_test.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QWindow>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

const QString kQuestionEffacer = "Les données non sauvegardées seront effacées. Continuer ?";
const QString kFenetreOuverte = "La fenêtre est déjà ouverte.\r\nTerminer la précédente opération.";

void ajouterLicence(const QString& nom)
{
    cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom) VALUES ('" + kCodeClub + "', '10001F', '"
                    + nom + "', 'Anne')");
}

QString licences(const QString& chemin = QString())
{
    const QString sql = "SELECT group_concat(Nom, ',') FROM (SELECT Nom FROM Licence WHERE Nom <> 'Null' ORDER BY Num)";
    return chemin.isEmpty() ? Valeur(sql) : Valeur_fichier(chemin, sql);
}

QByteArray contenu(const QString& chemin)
{
    if (chemin.isEmpty())
        return QByteArray();
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An upgrade one version past the model's.
const QString kScriptVersion4 = QStringLiteral("[INFO]\nVersion finale=4\n[FROM 3]\nmaj1=CREATE TABLE Nouveau (x)\n");

void ecrireFichier(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(octets);
}

void ecrireFichier(const QString& chemin, const QString& texte)
{
    ecrireFichier(chemin, texte.toUtf8());
}

bool menusBaseOuverte()
{
    return Menu("mnuBaseSave")->isEnabled() && Menu("mnuLicence")->isEnabled() && !Menu("mnuBaseOpen")->isEnabled();
}

bool menusSansBase()
{
    return !Menu("mnuBaseSave")->isEnabled() && !Menu("mnuLicence")->isEnabled() && Menu("mnuBaseOpen")->isEnabled()
        && Menu("mnuBaseNew")->isEnabled();
}

// What the children of the kill tests do first: a user opens the base, works, saves and works
// again ("SAUVE" saved, "PERDU" not). False when the base did not open.
bool ouvrirEtTravailler(PortIhmTest& ihm, const QString& base)
{
    Installer_etapes_profil();
    ihm.repondreFichier(base);
    mnuBaseOpen_Click();
    if (!cnxBase.ouverte())
        return false;
    ajouterLicence("SAUVE");
    mnuBaseSave_Click();
    ajouterLicence("PERDU");
    return true;
}

// A child tells its parent it has reached the point where it is to be killed, and waits there.
[[noreturn]] void attendreLaFin()
{
    std::fputs("PRET\n", stdout);
    std::fflush(stdout);
    for (;;)
        ::pause();
}

// The child of the crash test: a user opens the base, works, saves, works again, and the
// session is then killed. reprise: the answer to the crash question, when one is expected.
int sessionTuee(const QString& repertoire, const QString& base, int reprise = 0)
{
    Services::fixerRepertoireApplication(repertoire);
    PortIhmTest ihm; // any other message ends the child with an error
    if (reprise)
        ihm.repondre(reprise);
    if (!ouvrirEtTravailler(ihm, base))
        return 2;
    // An entry edit is under way: its work copies and saved team counts are written.
    const QString P = strNumProfil;
    cnxBase.Execute("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic, Num_equipe, Equipe_mixte) "
                    "VALUES (1, " + P + ", 1, 1, 0, false), (1, " + P + ", 2, 1, 0, false)");
    cnxBase.Execute("INSERT INTO Engag_equipe (Num_compet, Num_profil, Eq_Homme, Eq_Femme, Eq_Mixte) VALUES (1, " + P
                    + ", 2, 1, 0)");
    Debuter_edition_engag(EditionEngag{"1", false, "Choix pour engagements"});
    attendreLaFin();
}

// Where the child of the kill tests stops, to be killed there: "statut:<text>" when the status
// bar shows that text, "message:<part>" when a message holding it is shown, "répertoire" at the
// folder choice, "avant:<member>" and "après:<member>" around a call of the archive component,
// "vacuum" in the middle of the compaction's copy, "fin" once the command is over.
QString pointArret;
bool arretArme = false;
// What happens at the point: the kill tests' child waits there to be killed; the tests of a
// second instance try an opening from another process there, once.
std::function<void()> auPoint = attendreLaFin;

void passer(const QString& ici)
{
    if (arretArme && ici == pointArret) {
        arretArme = false;
        auPoint();
    }
}

class PortArrete : public PortIhmTest {
public:
    int message(const QString& texte, int style, const QString& titre) override
    {
        if (pointArret.startsWith("message:") && texte.contains(pointArret.mid(8)))
            passer(pointArret);
        return PortIhmTest::message(texte, style, titre);
    }
    QString choisirRepertoire(const QString& titre) override
    {
        passer("répertoire");
        return PortIhmTest::choisirRepertoire(titre);
    }
};

// The real archive component, with a stop before and after each call.
class ArchiveArretee : public Composant {
public:
    explicit ArchiveArretee(std::shared_ptr<Composant> reelle) : m_reelle(std::move(reelle)) {}
    QVariant appeler(const QString& membre, const QVariantList& arguments) override
    {
        passer("avant:" + membre);
        const QVariant resultat = m_reelle->appeler(membre, arguments);
        passer("après:" + membre);
        return resultat;
    }

private:
    std::shared_ptr<Composant> m_reelle;
};

const QString kClubImporte = QStringLiteral("IMPORT EN COURS");

// An import that writes a club into the closed base, then stops at "composant" while it works.
class ImportArrete : public Composant {
public:
    QVariant appeler(const QString&, const QVariantList& arguments) override
    {
        Executer_sur(ConnexionLocale(Ouvrir_connexion_sqlite(arguments.value(0).toString())).get(),
                     "INSERT INTO Club (Code_federal, Intitule) VALUES ('099999', '" + kClubImporte + "')");
        QFile trace(arguments.value(3).toString());
        if (trace.open(QIODevice::WriteOnly))
            trace.write("Import terminé.\n");
        passer("composant");
        return true;
    }
};

// Every connection traces its statements; the one that runs the compaction's copy stops a few
// hundred steps into it.
int arretPendantVacuum(void*)
{
    static int appels = 0;
    if (++appels == 2)
        passer("vacuum");
    return 0;
}

int tracerVacuum(unsigned, void*, void* instruction, void*)
{
    auto* st = static_cast<sqlite3_stmt*>(instruction);
    const char* sql = sqlite3_sql(st);
    if (sql && qstrnicmp(sql, "VACUUM INTO", 11) == 0)
        sqlite3_progress_handler(sqlite3_db_handle(st), 100, arretPendantVacuum, nullptr);
    return 0;
}

int installerTraceVacuum(sqlite3* db, const char**, const sqlite3_api_routines*)
{
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT, tracerVacuum, nullptr);
    return SQLITE_OK;
}

// The child of the kill tests: a user opens the base, saves, works again, then runs a command of
// the "&Base" menu and is killed at the given point of it.
int operationTuee(const QString& repertoire, const QString& base, const QString& operation, const QString& arret,
                  bool sauvegardeAbimee)
{
    Services::fixerRepertoireApplication(repertoire);
    strCheminModeleBase = Joindre_chemin(repertoire, "modele_base.sav"); // what a restored copy is checked against
    PortArrete ihm;
    ihm.accepterMessagesOk(true);
    if (!ouvrirEtTravailler(ihm, base))
        return 2;
    if (sauvegardeAbimee) {
        QFile sav(base + ".sav");
        if (!sav.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 3;
        sav.write("PK\x03\x04 abîmée");
    }

    pointArret = arret;
    arretArme = true;
    Services::fixerSortieStatut([](const QString& texte) { passer("statut:" + texte); });
    const std::shared_ptr<Composant> archive = Composants::creer("ArchiveTool");
    if (!archive)
        return 4;
    Composants::enregistrer("ArchiveTool", [archive] { return std::make_unique<ArchiveArretee>(archive); });
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(installerTraceVacuum));
    if (operation == "annuler") {
        ihm.repondre(Reponse::Oui);
        mnuBaseAnnuler_Click();
    } else if (operation == "enregistrer") {
        mnuBaseSave_Click();
    } else if (operation == "composant") {
        Composants::enregistrer("ClubImporter", [] { return std::make_unique<ImportArrete>(); });
        ihm.repondreRepertoire(Joindre_chemin(repertoire, "source"));
        QDir().mkpath(Joindre_chemin(repertoire, "source"));
        ihm.repondreModal([](QDialog& d) {
            d.findChild<QPushButton*>("Cmd_rep_0")->click();
            d.findChild<QPushButton*>("Cmd_ok")->click();
            d.findChild<QPushButton*>("Cmd_quit")->click();
            return 0;
        });
        Lancer_attente("ClubImporter", "impclub", "Importer Clubs", "", false);
    } else if (operation == "majbase") {
        // The user upgrades the base open, from the upgrade window.
        ihm.repondreModal([&ihm, base](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            passer("fenêtre");
            ihm.repondreFichier(base);
            f.Cmd_base_0->click();
            f.Cmd_base_2->click();
            passer("fenêtre, base mise à jour");
            f.cmd->click();
            return d.result();
        });
        ihm.repondreModal([](QDialog& d) {
            passer("journal");
            d.findChild<QPushButton*>("cmd")->click();
            return d.result();
        });
        mnuMajBase_Click();
    } else if (operation == "compacter") {
        mnuBaseCompacter_Click();
    } else {
        const QString dossier = Joindre_chemin(repertoire, "archives");
        QDir().mkpath(dossier);
        ihm.repondreRepertoire(dossier);
        mnuBaseArchive_Click();
    }
    passer("fin");
    return 7; // the point was never reached
}

// Another instance of the program, on the same machine: a user opens the base there. Prints what
// the user was told, then "OUVERTE" or "REFUSEE".
int ouvrirAilleurs(const QString& repertoire, const QString& base)
{
    Services::fixerRepertoireApplication(repertoire);
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    ihm.repondre(Reponse::Non); // to a crash question, were one asked
    Installer_etapes_profil();
    ihm.repondreFichier(base);
    mnuBaseOpen_Click();
    const QStringList messages = ihm.messages();
    const bool ouverte = cnxBase.ouverte();
    cnxBase.fermer();
    std::printf("%s\n%s\n", messages.join(" | ").toUtf8().constData(), ouverte ? "OUVERTE" : "REFUSEE");
    return 0;
}

// What another instance of the program gets when it opens the base now.
QString ouvertureDAilleurs(const QString& repertoire, const QString& base)
{
    QProcess autre;
    autre.start(QCoreApplication::applicationFilePath(), {"--ouvrir", repertoire, base});
    if (!autre.waitForFinished(60000))
        return "(pas de fin)";
    return QString::fromUtf8(autre.readAllStandardOutput()).trimmed();
}

// Runs the test program again as a child with these arguments, waits for its "PRET" and kills it
// there.
bool tuerAuPoint(const QStringList& arguments)
{
    QProcess enfant;
    enfant.start(QCoreApplication::applicationFilePath(), arguments);
    QByteArray sortie;
    if (enfant.waitForStarted()) {
        while (!sortie.contains("PRET") && enfant.waitForReadyRead(30000))
            sortie += enfant.readAllStandardOutput();
    }
    if (!sortie.contains("PRET")) {
        enfant.waitForFinished();
        qWarning("enfant (code %d) : %s%s", enfant.exitCode(), sortie.constData(),
                 enfant.readAllStandardError().constData());
        return false;
    }
    return ::kill(static_cast<pid_t>(enfant.processId()), SIGKILL) == 0 && enfant.waitForFinished();
}

} // namespace

class TstOperationsBase : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
    }

    // From nothing to a reopened base: new base with its first club and profile, save, undo,
    // close, reopen.
    void premierUsageJusquaReouverture()
    {
        Session s;
        const QString base = s.rep.fichier("club.mdb");
        // Typed without its extension: the base gets it, or it could never be opened again.
        s.ihm.repondreFichier(s.rep.fichier("club"));
        Repondre_nouveau_club(s.ihm);
        Repondre_creation_profil(s.ihm);
        QVERIFY(s.declencher("mnuBaseNew"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages(), QStringList());
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(cnxBase.chemin(), base);
        QCOMPARE(strCheminBase, base);
        QVERIFY(menusBaseOuverte());
        QCOMPARE(Valeur("SELECT group_concat(Intitule) FROM Club WHERE Visible = true"), QString("Cercle des nageurs"));
        QCOMPARE(Valeur("SELECT Libelle FROM Profil WHERE LastUse = true"), QString("Bassin"));
        QCOMPARE(s.panneauProfil(), QString("Profil : Bassin (Cercle des nageurs)"));
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QCOMPARE(Valeur_archive(base + ".sav", "club.mdb", "SELECT LastClose FROM Info"), QString("Vrai"));
        QCOMPARE(Valeur_archive(base + ".sav", "club.mdb", "SELECT count(*) FROM Club"), QString("1"));

        // Saved work goes into the backup; the work tables are emptied.
        ajouterLicence("DUPONT");
        cnxBase.Execute("INSERT INTO Licence_tempo (Num, Nom) VALUES (1, 'X')");
        QVERIFY(s.declencher("mnuBaseSave"));
        QCOMPARE(Valeur("SELECT count(*) FROM Licence_tempo"), QString("0"));
        QCOMPARE(Valeur_archive(base + ".sav", "club.mdb", "SELECT count(*) FROM Licence WHERE Nom = 'DUPONT'"),
                 QString("1"));

        // Undo brings the base back to the save and reads the profile again.
        ajouterLicence("MARTIN");
        const int chargements = s.chargementsProfil;
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        QCOMPARE(s.ihm.appels().size(), size_t(1));
        QCOMPARE(s.ihm.appels()[0].texte, QString("Annuler toutes les opérations depuis la dernière sauvegarde ?"));
        QVERIFY(s.ihm.appels()[0].style & Style::DefautBouton2);
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(licences(), QString("DUPONT"));
        QCOMPARE(s.chargementsProfil, chargements + 1);
        // Answered No, the profile is still read again.
        s.ihm.repondre(Reponse::Non);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        QCOMPARE(s.chargementsProfil, chargements + 2);

        // Close: No keeps everything as it is; Yes drops the unsaved work.
        ajouterLicence("DURAND");
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Non);
        QVERIFY(s.declencher("mnuBaseClose"));
        QCOMPARE(s.ihm.textes(), QStringList({kQuestionEffacer}));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(s.panneauProfil(), QString("Profil : Bassin (Cercle des nageurs)"));
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QVERIFY(!cnxBase.ouverte());
        QCOMPARE(strCheminBase, QString());
        QVERIFY(menusSansBase());
        QCOMPARE(s.panneauProfil(), QString());
        QVERIFY(!QFileInfo::exists(base + ".sav"));
        QVERIFY(!QFileInfo::exists(Chemin_verrou(base)));
        QCOMPARE(licences(base), QString("DUPONT"));
        QCOMPARE(Valeur_fichier(base, "SELECT LastClose FROM Info"), QString("Vrai"));

        // Reopened cleanly: no question, a new backup.
        s.ihm.effacer();
        QVERIFY(s.ouvrir(base));
        QCOMPARE(s.ihm.messages(), QStringList());
        QVERIFY(menusBaseOuverte());
        QCOMPARE(licences(), QString("DUPONT"));
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QVERIFY(QFileInfo::exists(base + ".sav"));
        QCOMPARE(s.panneauProfil(), QString("Profil : Bassin (Cercle des nageurs)"));
    }

    // The opening's steps, in their order, with the yearly maintenance they run.
    void sequenceApresOuverture()
    {
        QStringList etapes; // outlives the window whose status output records into it
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        {
            sqlite3* db = Ouvrir_connexion_sqlite(base);
            for (const char* sql :
                 {"INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('Passée', '20250301', 0, 1)",
                  "INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('A venir', '20250601', 0, 1)",
                  "INSERT INTO Licence (Code_club, Licence, Nom, Visible, Date_suppr, Date_Depot) "
                  "VALUES ('FRA1320021234', '09001F', 'ANCIEN', 0, '20221231', '20220916')"})
                sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        QLabel* panneau = s.fenetre->findChild<QLabel*>("sbStatusBar_2");
        Services::fixerSortieStatut([&](const QString& texte) {
            if (!texte.isEmpty())
                etapes << texte;
            panneau->setText(texte);
        });
        QVERIFY(s.ouvrir(base));
        QCOMPARE(etapes, QStringList({"Ouverture de la base", "Contrôle Version Base", "Contrôle crash",
                                      "Contrôle Version Base", "Contrôle Club", "Lecture profil",
                                      "Contrôle Nageur et Piscine", "Mise à jour des compétitions",
                                      "Mise à jour des licences", "Création sauvegarde"}));
        QCOMPARE(panneau->text(), QString());
        QCOMPARE(Valeur("SELECT group_concat(Nom || ' ' || Deroule || Visible, ', ') FROM Rcomp ORDER BY AutoNum"),
                 QString("Passée 10, A venir 01"));
        QCOMPARE(Valeur("SELECT Licence = CAST(Num AS TEXT) FROM Licence WHERE Nom = 'ANCIEN'"), QString("1"));
        QCOMPARE(Valeur("SELECT LastUpdtLic FROM Info"), QString("20240916"));
        QVERIFY(!strNumLicenceNulle.isEmpty());
    }

    void nouvelleBaseRefusee_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("message");
        QTest::newRow("modèle absent") << "modele"
                                       << "Modèle de base non trouvée.\r\n"
                                          "Impossible de continuer, le programme va être terminé.\r\n"
                                          "Contactez le fournisseur.";
        QTest::newRow("base en usage") << "verrou"
                                       << "Une connexion est déjà active sur la base.\r\n"
                                          "Vérifier qu'elle n'est pas ouverte dans une autre application.";
        QTest::newRow("remplacement refusé") << "remplacer" << QString();
    }

    void nouvelleBaseRefusee()
    {
        QFETCH(QString, cas);
        QFETCH(QString, message);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        const QByteArray avant = contenu(base);
        QLockFile autre(Chemin_verrou(base));
        if (cas == "modele") {
            QFile::remove(s.rep.fichier("modele_base.sav"));
            s.ihm.repondreFichier(s.rep.fichier("neuve.mdb"));
        } else if (cas == "verrou") {
            QVERIFY(autre.tryLock(0));
            s.ihm.repondreFichier(base);
        } else {
            // "club" typed: the base it names already exists, and the user keeps it.
            s.ihm.repondreFichier(s.rep.fichier("club"));
            s.ihm.repondre(Reponse::Non);
        }
        QVERIFY(s.declencher("mnuBaseNew"));
        QVERIFY(s.ihm.toutConsomme());
        QVERIFY(!cnxBase.ouverte());
        QCOMPARE(contenu(base), avant);
        if (cas == "remplacer") {
            QCOMPARE(s.ihm.messages(), QStringList({base + "\r\nRemplacer cette base déjà existante ?"}));
        } else {
            QCOMPARE(s.ihm.messages(), QStringList({message}));
        }
        // Without a model the program ends.
        QCOMPARE(s.fenetre->isVisible(), cas != "modele");
        QVERIFY(!QFileInfo::exists(s.rep.fichier("neuve.mdb")));
    }

    // Every refusal leaves no connection, the menus without base, and the base untouched.
    void ouvertureRefusee_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("cas");
        QTest::addColumn<QString>("message");
        QTest::newRow("extension en capitales") << "BASE.MDB" << "" << "Mauvais format de fichier.";
        QTest::newRow("verrou d'un autre programme")
            << "club.mdb" << "verrou"
            << "Une connexion est déjà active sur la base.\r\n"
               "Vérifier qu'elle n'est pas ouverte dans une autre application.";
        QTest::newRow("pas une base") << "texte.mdb" << "texte" << "Erreur lors de la connexion à la base.";
        QTest::newRow("sans ligne Info") << "club.mdb" << "sansInfo"
                                         << "Cette base n'est pas valide.\r\nImpossible de retrouver la version.";
        QTest::newRow("sans table Info") << "club.mdb" << "sansTableInfo"
                                         << "Cette base n'est pas valide.\r\nImpossible de retrouver la version.";
        QTest::newRow("annulé") << "" << "" << "";
    }

    void ouvertureRefusee()
    {
        QFETCH(QString, nom);
        QFETCH(QString, cas);
        QFETCH(QString, message);
        Session s;
        QString chemin;
        if (!nom.isEmpty())
            chemin = Preparer_base(s.rep, nom);
        QLockFile autre(Chemin_verrou(chemin));
        if (cas == "verrou")
            QVERIFY(autre.tryLock(0));
        if (cas == "texte") {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("Ceci n'est pas une base.\n");
        }
        if (cas.startsWith("sansInfo") || cas == "sansTableInfo") {
            sqlite3* db = Ouvrir_connexion_sqlite(chemin);
            sqlite3_exec(db, cas == "sansInfo" ? "DELETE FROM Info" : "DROP TABLE Info", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const QByteArray avant = contenu(chemin);

        QVERIFY(!s.ouvrir(chemin));
        QVERIFY(s.ihm.toutConsomme());
        const QStringList messages = s.ihm.messages();
        if (message.isEmpty()) {
            QCOMPARE(messages, QStringList());
        } else {
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].startsWith(message), qPrintable(messages[0]));
        }
        QVERIFY(!cnxBase.ouverte());
        QVERIFY(menusSansBase());
        QCOMPARE(strCheminBase, chemin);
        QVERIFY(!QFileInfo::exists(chemin + ".sav"));
        // Never marked clean, never changed.
        QCOMPARE(contenu(chemin), avant);
    }

    // A session killed after a save: the next opening offers the backup (Yes by default).
    void crashApresSessionTuee_data()
    {
        QTest::addColumn<int>("reponse");
        QTest::newRow("reprendre la sauvegarde") << int(Reponse::Oui);
        QTest::newRow("garder la base") << int(Reponse::Non);
    }

    void crashApresSessionTuee()
    {
        QFETCH(int, reponse);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(tuerAuPoint({"--session-tuee", s.rep.chemin(), base}));
        QVERIFY(QFileInfo::exists(Chemin_verrou(base))); // left by the dead process
        const QByteArray sauvegarde = contenu(base + ".sav");
        QVERIFY(!sauvegarde.isEmpty());

        s.ihm.repondre(reponse);
        QVERIFY(s.ouvrir(base));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.appels()[1].texte, QString("La base n'a pas été correctement fermée lors de la dernière "
                                                  "utilisation.\r\nReprendre la base depuis la dernière sauvegarde "
                                                  "trouvée ?"));
        QCOMPARE(s.ihm.appels()[1].style & Style::DefautBouton2, 0);
        QVERIFY(menusBaseOuverte());
        if (reponse == Reponse::Oui) {
            QCOMPARE(licences(), QString("SAUVE"));
            // The backup taken back is the base itself: it is not made again.
            QCOMPARE(contenu(base + ".sav"), sauvegarde);
        } else {
            QCOMPARE(licences(), QString("SAUVE,PERDU"));
            QCOMPARE(Valeur_archive(base + ".sav", "club.mdb", "SELECT count(*) FROM Licence WHERE Nom = 'PERDU'"),
                     QString("1"));
            // The killed edit is continued by no window: its work state is gone, and the next
            // edit, cancelled, puts back each entry once.
            QCOMPARE(Valeur("SELECT count(*) FROM Engag_tempo"), QString("0"));
            QCOMPARE(Valeur("SELECT Old_Eq_Homme || Old_Eq_Femme FROM Engag_equipe"), QString("00"));
            const EditionEngag edition{"1", false, "Choix pour engagements"};
            Debuter_edition_engag(edition);
            cnxBase.Execute("DELETE FROM Engag WHERE Code_epreuve = 2");
            Annuler_edition_engag(edition);
            Terminer_edition_engag(edition);
            QCOMPARE(Valeur("SELECT group_concat(Code_epreuve) FROM (SELECT Code_epreuve FROM Engag ORDER BY 1)"),
                     QString("1,2"));
        }
    }

    // While the program itself works on the base with its connection closed (a component, an
    // undo, a compaction, the upgrade window, a close), another instance on the same machine is
    // refused: the base's lock is held from its opening to its closing by the user.
    void secondeInstanceRefusee_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("point");
        QTest::newRow("composant en cours") << "composant" << "composant";
        QTest::newRow("trace du composant affichée") << "composant" << "trace";
        QTest::newRow("annuler, base fermée") << "annuler" << "statut:Restauration de la sauvegarde";
        QTest::newRow("annuler, décompression") << "annuler" << "avant:UnzipFile";
        QTest::newRow("annuler, sauvegarde vérifiée") << "annuler" << "après:UnzipFile";
        QTest::newRow("annuler, réouverture") << "annuler" << "statut:Ouverture de la base";
        QTest::newRow("compactage, réouverture") << "compacter" << "statut:Ouverture de la base";
        QTest::newRow("fenêtre de mise à jour") << "majbase" << "fenêtre";
        QTest::newRow("fermer, décompression") << "fermer" << "avant:UnzipFile";
    }

    void secondeInstanceRefusee()
    {
        QFETCH(QString, operation);
        QFETCH(QString, point);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(ouvrirEtTravailler(s.ihm, base));
        const QByteArray sauvegarde = contenu(base + ".sav");
        s.ihm.effacer();

        QString ailleurs;
        pointArret = point;
        arretArme = true;
        auPoint = [&] { ailleurs = ouvertureDAilleurs(s.rep.chemin(), base); };
        struct Desarmer {
            ~Desarmer()
            {
                arretArme = false;
                auPoint = attendreLaFin;
                Composants::retirer_tout();
            }
        } desarmer;
        Services::fixerSortieStatut([](const QString& texte) { passer("statut:" + texte); });
        const std::shared_ptr<Composant> archive = Composants::creer("ArchiveTool");
        QVERIFY(archive);
        Composants::enregistrer("ArchiveTool", [archive] { return std::make_unique<ArchiveArretee>(archive); });

        if (operation == "composant") {
            Composants::enregistrer("ClubImporter", [] { return std::make_unique<ImportArrete>(); });
            s.ihm.repondreRepertoire(s.rep.dossier("source"));
            s.ihm.repondreModal([](QDialog& d) {
                d.findChild<QPushButton*>("Cmd_rep_0")->click();
                d.findChild<QPushButton*>("Cmd_ok")->click();
                passer("trace");
                d.findChild<QPushButton*>("Cmd_quit")->click();
                return 0;
            });
            Lancer_attente("ClubImporter", "impclub", "Importer Clubs", "", false);
        } else if (operation == "majbase") {
            s.ihm.repondreModal([](QDialog& d) {
                passer("fenêtre");
                d.findChild<QPushButton*>("cmd")->click();
                return d.result();
            });
            QVERIFY(s.declencher("mnuMajBase"));
        } else if (operation == "compacter") {
            QVERIFY(s.declencher("mnuBaseCompacter"));
        } else {
            s.ihm.repondre(Reponse::Oui);
            QVERIFY(s.declencher(operation == "annuler" ? "mnuBaseAnnuler" : "mnuBaseClose"));
        }
        QVERIFY(s.ihm.toutConsomme());
        QVERIFY2(ailleurs.startsWith("Une connexion est déjà active sur la base.") && ailleurs.endsWith("REFUSEE"),
                 qPrintable(ailleurs));
        // The other instance touched nothing: the operation ended as it does alone.
        if (operation == "fermer") {
            QVERIFY(!cnxBase.ouverte());
            QCOMPARE(licences(base), QString("SAUVE"));
            QVERIFY(!QFileInfo::exists(base + ".sav"));
            QVERIFY(!QFileInfo::exists(Chemin_verrou(base)));
        } else {
            QVERIFY(cnxBase.ouverte());
            QCOMPARE(licences(), QString(operation == "annuler" ? "SAUVE" : "SAUVE,PERDU"));
            QCOMPARE(contenu(base + ".sav"), sauvegarde);
        }
    }

    // A lock of another machine is respected (it cannot be checked from here); the user is told
    // which machine holds it and which file to remove once it no longer does, and then gets in.
    void verrouDUneAutreMachine()
    {
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        {
            QFile verrou(Chemin_verrou(base));
            QVERIFY(verrou.open(QIODevice::WriteOnly));
            verrou.write("4321\nquorvelane\nposte-secretariat\n\n");
        }
        QVERIFY(!s.ouvrir(base));
        QCOMPARE(s.ihm.messages(),
                 QStringList({"Une connexion est déjà active sur la base.\r\n"
                              "Vérifier qu'elle n'est pas ouverte dans une autre application.\r\n"
                              "La base est ouverte depuis la machine « poste-secretariat ».\r\n"
                              "Si cette machine ne l'utilise plus (arrêtée ou plantée), supprimer le fichier "
                              + Chemin_verrou(base) + " puis ouvrir la base à nouveau."}));
        QVERIFY(QFileInfo::exists(Chemin_verrou(base)));
        s.ihm.effacer();
        QVERIFY(QFile::remove(Chemin_verrou(base)));
        QVERIFY(s.ouvrir(base));
        QCOMPARE(s.ihm.messages(), QStringList());
    }

    // "Annuler" leaves no step of its own in the status bar.
    void statutEffaceApresAnnulation()
    {
        Session s;
        QVERIFY(s.ouvrir(Preparer_base(s.rep, "club.mdb")));
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(s.fenetre->findChild<QLabel*>("sbStatusBar_2")->text(), QString());
    }

    // Saving, undoing and archiving would empty or replace what an open window keeps: refused.
    // Closing and quitting are refused silently, as always.
    // A command of the "&Base" menu killed at each of its steps: the base reads as closed only
    // once what closes it is over, so every other kill is asked about at the next opening, and
    // the work files the kill left beside the base are gone after it.
    void operationTuee_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("arret");
        QTest::addColumn<bool>("sauvegardeAbimee");
        QTest::addColumn<bool>("question");
        QTest::newRow("annuler, base fermée") << "annuler" << "statut:Restauration de la sauvegarde" << false << true;
        QTest::newRow("annuler, décompression") << "annuler" << "avant:UnzipFile" << false << true;
        QTest::newRow("annuler, copie décompressée") << "annuler" << "après:UnzipFile" << false << true;
        // The backup's copy is in place: the base is the backup, closed.
        QTest::newRow("annuler, base remplacée") << "annuler" << "statut:Ouverture de la base" << false << false;
        QTest::newRow("annuler, fini") << "annuler" << "fin" << false << true;
        QTest::newRow("annuler, sauvegarde endommagée") << "annuler" << "message:est endommagée" << true << true;
        QTest::newRow("compactage, commencé") << "compacter" << "statut:Compacter la base" << false << true;
        QTest::newRow("compactage, copie en cours") << "compacter" << "vacuum" << false << true;
        QTest::newRow("compactage, base remplacée") << "compacter" << "statut:Ouverture de la base" << false << true;
        QTest::newRow("compactage, fini") << "compacter" << "message:Base compactée avec succès." << false << true;
        QTest::newRow("archive, copie faite") << "archiver" << "avant:ZipFile" << false << true;
        QTest::newRow("archive, archive faite") << "archiver" << "après:ZipFile" << false << true;
        QTest::newRow("archive, choix du dossier") << "archiver" << "répertoire" << false << true;
        QTest::newRow("archive, finie") << "archiver" << "message:Base archivée mémorisée avec succès." << false
                                        << true;
        // The upgrade window on the base open: whatever step the kill comes at, the next opening
        // offers the user's own last save, and the upgrade's copies are gone.
        QTest::newRow("mise à jour, fenêtre ouverte") << "majbase" << "fenêtre" << false << true;
        QTest::newRow("mise à jour, mise de côté") << "majbase" << "statut:Sauvegarde de la base" << false << true;
        QTest::newRow("mise à jour, sauvegarde écrite") << "majbase" << "statut:Mise à jour de la base" << false << true;
        QTest::newRow("mise à jour, journal affiché") << "majbase" << "journal" << false << true;
        QTest::newRow("mise à jour, déconnexion") << "majbase" << "statut:Suppression de la sauvegarde temporaire"
                                                  << false << true;
        QTest::newRow("mise à jour, finie") << "majbase" << "fenêtre, base mise à jour" << false << true;
        // Inside the zip of a backup, whatever saves it: only the copy zipped reads as closed.
        QTest::newRow("mise à jour, zip de la sauvegarde") << "majbase" << "avant:ZipFile" << false << true;
        QTest::newRow("mise à jour, sauvegarde zippée") << "majbase" << "après:ZipFile" << false << true;
        QTest::newRow("enregistrer, zip de la sauvegarde") << "enregistrer" << "avant:ZipFile" << false << true;
        QTest::newRow("enregistrer, sauvegarde zippée") << "enregistrer" << "après:ZipFile" << false << true;
        // A component that has written part of its import when the session is killed.
        QTest::newRow("composant, import en cours") << "composant" << "composant" << false << true;
    }

    void operationTuee()
    {
        QFETCH(QString, operation);
        QFETCH(QString, arret);
        QFETCH(bool, sauvegardeAbimee);
        QFETCH(bool, question);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        if (operation == "majbase")
            ecrireFichier(s.rep.fichier("maj_base.ini"), kScriptVersion4);
        QVERIFY(tuerAuPoint({"--operation-tuee", s.rep.chemin(), base, operation, arret, sauvegardeAbimee ? "1" : "0"}));
        if (arret == "vacuum")
            QVERIFY(QFileInfo::exists(base + ".tmp.compact"));

        // A damaged backup cannot be taken back: the base is kept as it is.
        if (question)
            s.ihm.repondre(sauvegardeAbimee ? Reponse::Non : Reponse::Oui);
        QVERIFY(s.ouvrir(base));
        QVERIFY(s.ihm.toutConsomme());
        if (question)
            QCOMPARE(s.ihm.appels()[1].texte, QString("La base n'a pas été correctement fermée lors de la dernière "
                                                      "utilisation.\r\nReprendre la base depuis la dernière "
                                                      "sauvegarde trouvée ?"));
        QCOMPARE(licences(), QString(sauvegardeAbimee ? "SAUVE,PERDU" : "SAUVE"));
        QCOMPARE(Valeur("SELECT count(*) FROM Club WHERE Intitule = '" + kClubImporte + "'"), QString("0"));
        QCOMPARE(QDir(s.rep.chemin()).entryList({"club.mdb*"}, QDir::Files | QDir::Hidden),
                 QStringList({"club.mdb", "club.mdb.sav"}));
    }

    // The upgrade window run on a base whose session was killed leaves it as it found it: not
    // closed, so that its next opening offers its own last save.
    void miseAJourDUneBaseNonFermee()
    {
        Session s;
        const QString tuee = Preparer_base(s.rep, "autre.mdb");
        QVERIFY(tuerAuPoint({"--session-tuee", s.rep.chemin(), tuee}));
        const QByteArray sauvegarde = contenu(tuee + ".sav");
        QVERIFY(s.ouvrir(Preparer_base(s.rep, "club.mdb")));
        ecrireFichier(s.rep.fichier("maj_base.ini"), kScriptVersion4);
        s.ihm.effacer();
        s.ihm.repondreModal([&s, tuee](QDialog& d) {
            auto& f = dynamic_cast<frm_upgrade_base&>(d);
            s.ihm.repondreFichier(tuee);
            f.Cmd_base_0->click();
            f.Cmd_base_2->click();
            f.cmd->click();
            return d.result();
        });
        s.ihm.repondreModal([](QDialog& d) {
            d.findChild<QPushButton*>("cmd")->click();
            return d.result();
        });
        QVERIFY(s.declencher("mnuMajBase"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(Valeur_fichier(tuee, "SELECT Version FROM Info"), QString("4"));
        QCOMPARE(Valeur_fichier(tuee, "SELECT LastClose FROM Info"), QString("Faux"));
        QCOMPARE(contenu(tuee + ".sav"), sauvegarde);
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));

        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.ouvrir(tuee));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.appels()[1].texte, QString("La base n'a pas été correctement fermée lors de la dernière "
                                                  "utilisation.\r\nReprendre la base depuis la dernière "
                                                  "sauvegarde trouvée ?"));
        QCOMPARE(licences(), QString("SAUVE"));
        QCOMPARE(QDir(s.rep.chemin()).entryList({"autre.mdb*"}, QDir::Files | QDir::Hidden),
                 QStringList({"autre.mdb", "autre.mdb.sav"}));
    }

    // One base reached by its own path and through a link keeps one backup, beside the file,
    // whatever name the kills come under: the last save is the one taken back.
    void baseParDeuxNomsUneSauvegarde()
    {
        Session s;
        QVERIFY(QDir().mkpath(s.rep.fichier("data")) && QDir().mkpath(s.rep.fichier("bureau")));
        const QString base = Preparer_base(s.rep, "club.mdb");
        const QString reelle = s.rep.fichier("data/club.mdb");
        QVERIFY(QFile::rename(base, reelle));
        const QString lien = s.rep.fichier("bureau/lien.mdb");
        QVERIFY(QFile::link(reelle, lien));

        // Saved "SAUVE", then "PERDU" unsaved, killed; through the link the crash is seen, kept
        // (No), then "SAUVE" saved again and "PERDU" unsaved, killed.
        QVERIFY(tuerAuPoint({"--session-tuee", s.rep.chemin(), reelle}));
        QVERIFY(tuerAuPoint({"--session-tuee", s.rep.chemin(), lien, QString::number(Reponse::Non)}));
        QCOMPARE(QDir(s.rep.fichier("bureau")).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({"lien.mdb"}));

        s.ihm.repondre(Reponse::Oui);
        QVERIFY2(s.ouvrir(reelle), qPrintable(s.ihm.messages().join(" | ")));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(licences(), QString("SAUVE,PERDU,SAUVE"));
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QCOMPARE(QDir(s.rep.fichier("data")).entryList(QDir::Files | QDir::Hidden), QStringList({"club.mdb"}));
        QVERIFY(QFileInfo(lien).isSymLink());
    }

    // A backup an earlier version wrote beside the link the base was opened by is still found,
    // and moved beside the file.
    void sauvegardeAncienneDuLienTrouvee()
    {
        Session s;
        QVERIFY(QDir().mkpath(s.rep.fichier("data")));
        const QString reelle = s.rep.fichier("data/club.mdb");
        QVERIFY(QFile::rename(Preparer_base(s.rep, "club.mdb"), reelle));
        const QString lien = s.rep.fichier("lien.mdb");
        QVERIFY(QFile::link(reelle, lien));
        QVERIFY(tuerAuPoint({"--session-tuee", s.rep.chemin(), reelle}));
        // Written through the link, it holds the base under the link's name.
        QProcess unzip;
        unzip.start("unzip", {"-p", reelle + ".sav", "club.mdb"});
        QVERIFY(unzip.waitForFinished(30000) && unzip.exitCode() == 0);
        ecrireFichier(lien + ".sav", zipBrut({deflatee("lien.mdb", unzip.readAllStandardOutput())}));
        QVERIFY(QFile::remove(reelle + ".sav"));

        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.ouvrir(lien));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(licences(), QString("SAUVE"));
        QVERIFY(QFileInfo::exists(reelle + ".sav"));
        QVERIFY(!QFileInfo::exists(lien + ".sav"));
    }

    void refusSousFenetreOuverte_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("message");
        QTest::newRow("enregistrer") << "mnuBaseSave" << kFenetreOuverte;
        QTest::newRow("annuler") << "mnuBaseAnnuler" << kFenetreOuverte;
        QTest::newRow("archiver") << "mnuBaseArchive" << kFenetreOuverte;
        QTest::newRow("mise à jour des bases") << "mnuMajBase" << kFenetreOuverte;
        QTest::newRow("fermer") << "mnuBaseClose" << QString();
        QTest::newRow("quitter") << "mnuExit" << QString();
    }

    void refusSousFenetreOuverte()
    {
        QFETCH(QString, menu);
        QFETCH(QString, message);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        cnxBase.Execute("INSERT INTO Licence_tempo (Num, Nom) VALUES (7, 'EN COURS')");
        ajouterLicence("NON SAUVE");
        const QByteArray sauvegarde = contenu(base + ".sav");
        QPointer<FenetreComptee> saisie = new FenetreComptee;
        Afficher_fenetre(saisie);
        s.ihm.effacer();

        QVERIFY(s.declencher(qPrintable(menu)));
        QCOMPARE(s.ihm.textes(), message.isEmpty() ? QStringList() : QStringList({message}));
        QVERIFY(cnxBase.ouverte());
        QVERIFY(s.fenetre->isVisible());
        QCOMPARE(Valeur("SELECT Nom FROM Licence_tempo"), QString("EN COURS"));
        QCOMPARE(licences(), QString("NON SAUVE"));
        QCOMPARE(contenu(base + ".sav"), sauvegarde);
        delete saisie.data();
    }

    // The close box of the main window, while a list is open, is refused without a word: the
    // list stays, the base stays open.
    void fermetureDeLaFenetreSousUneListe()
    {
        Session s;
        QVERIFY(s.ouvrir(Preparer_base(s.rep, "club.mdb")));
        QVERIFY(s.declencher("mnuLicListe"));
        QVERIFY(Fenetre_ouverte());
        s.ihm.effacer();
        s.fenetre->windowHandle()->close();
        Traiter_evenements();
        QCOMPARE(s.ihm.textes(), QStringList());
        QVERIFY(s.fenetre->isVisible());
        QVERIFY(cnxBase.ouverte());
        QVERIFY(Fenetre_ouverte());
    }

    // A chooser opened from the programme editor gives the front back to the editor when it
    // closes, not to the competition list behind it.
    void choixFermeRendLaMainALEditeur_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::newRow("compétition") << "Cmd_compet";
        QTest::newRow("modèle") << "Cmd_modele";
    }

    void choixFermeRendLaMainALEditeur()
    {
        QFETCH(QString, bouton);
        Session s;
        const QString chemin = Preparer_base(s.rep, "club.mdb");
        {
            sqlite3* db = Ouvrir_connexion_sqlite(chemin);
            for (const char* sql : {"INSERT INTO Rcomp (Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
                                    "('Meeting', '20250412', '20250413', 'Nîmes', 25, false, true)",
                                    "INSERT INTO Modele_prog (Nom_modele, Num_profil) VALUES ('Hiver', 1)"})
                QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }
        QVERIFY(s.ouvrir(chemin));
        QMdiArea* zone = s.fenetre->zoneFenetres();
        QVERIFY(s.declencher("mnuEngagProgramme"));
        auto* liste = qobject_cast<QTreeWidget*>(zone->currentSubWindow()->widget()->findChild<QTreeWidget*>("lsv_compet"));
        QVERIFY(liste && liste->topLevelItemCount() > 0);
        Double_clic(liste, 1);
        Traiter_evenements();
        QMdiSubWindow* editeur = zone->currentSubWindow();
        QCOMPARE(editeur->widget()->objectName(), QString("frm_prog"));
        QTest::mouseClick(editeur->widget()->findChild<QPushButton*>(bouton), Qt::LeftButton);
        Traiter_evenements();
        QMdiSubWindow* choix = zone->currentSubWindow();
        QVERIFY(choix != editeur);
        choix->close();
        Traiter_evenements();
        QCOMPARE(zone->currentSubWindow(), editeur);
        QVERIFY(editeur->widget()->isAncestorOf(QApplication::focusWidget()) || !QApplication::focusWidget());
    }

    void archive()
    {
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        ajouterLicence("ARCHIVE");
        cnxBase.Execute("INSERT INTO Licence_tempo (Num, Nom) VALUES (7, 'EN COURS')");
        QTemporaryDir dossier;
        const QString cible = dossier.filePath("club.zip");

        s.ihm.effacer();
        s.ihm.repondreRepertoire(dossier.path());
        QVERIFY(s.declencher("mnuBaseArchive"));
        QCOMPARE(s.ihm.appels()[0].titre, QString("Répertoire d'archivage :"));
        QStringList lignes = s.ihm.messages().value(0).split("\r\n");
        QCOMPARE(lignes.size(), 3);
        QCOMPARE(lignes[0], QString("Base archivée mémorisée avec succès."));
        QCOMPARE(lignes[1], "Taille de l'archive : " + QString::number(std::lround(QFileInfo(cible).size() / 1024.0))
                                + " ko.");
        QVERIFY(lignes[2].startsWith("Taux de compression : ") && lignes[2].endsWith(" %."));
        QCOMPARE(Valeur_archive(cible, "club.mdb", "SELECT group_concat(Nom) FROM Licence WHERE Nom = 'ARCHIVE'"),
                 QString("ARCHIVE"));
        // The archived copy reads as cleanly closed, without work rows; the live base does not.
        QCOMPARE(Valeur_archive(cible, "club.mdb", "SELECT LastClose FROM Info"), QString("Vrai"));
        QCOMPARE(Valeur_archive(cible, "club.mdb", "SELECT count(*) FROM Licence_tempo"), QString("0"));
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tempo*", "quorvelane-*"}), QStringList());

        // An archive already there is replaced only on Yes.
        const QByteArray premiere = contenu(cible);
        ajouterLicence("SECONDE");
        s.ihm.effacer();
        s.ihm.repondreRepertoire(dossier.path());
        s.ihm.repondre(Reponse::Non);
        QVERIFY(s.declencher("mnuBaseArchive"));
        QCOMPARE(s.ihm.appels()[1].texte, cible + "\r\nRemplacer cette archive déjà existante ?");
        QVERIFY(s.ihm.appels()[1].style & Style::DefautBouton2);
        QCOMPARE(contenu(cible), premiere);
        s.ihm.repondreRepertoire(dossier.path());
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseArchive"));
        QCOMPARE(Valeur_archive(cible, "club.mdb", "SELECT count(*) FROM Licence WHERE Nom = 'SECONDE'"), QString("1"));
        // No folder chosen: nothing written, nothing left behind.
        s.ihm.repondreRepertoire(QString());
        QVERIFY(s.declencher("mnuBaseArchive"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(QDir(s.rep.chemin()).entryList({"tempo*", "quorvelane-*"}), QStringList());
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList({"club.zip"}));
    }

    // A read-only application folder (a shared installation): the archive is made all the same,
    // through the system's temporary folder, and nothing is left there.
    void archiveDossierApplicationLectureSeule()
    {
        REJOUER_SANS_PRIVILEGES();
        Session s;
        QTemporaryDir donnees;
        QTemporaryDir dossier;
        const QString base = donnees.filePath("club.mdb");
        QVERIFY(QFile::rename(Preparer_base(s.rep, "club.mdb"), base));
        const ApplicationLectureSeule lectureSeule(s.rep.chemin());
        QVERIFY(s.ouvrir(base));
        ajouterLicence("ARCHIVE");
        s.ihm.effacer();
        s.ihm.repondreRepertoire(dossier.path());
        QVERIFY(s.declencher("mnuBaseArchive"));
        QVERIFY2(s.ihm.messages().value(0).startsWith("Base archivée mémorisée avec succès."),
                 qPrintable(s.ihm.messages().join("\n")));
        QCOMPARE(Valeur_archive(dossier.filePath("club.zip"), "club.mdb", "SELECT count(*) FROM Licence WHERE Nom = 'ARCHIVE'"),
                 QString("1"));
        QCOMPARE(lectureSeule.systeme(), QStringList());
    }

    void compactage()
    {
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        ajouterLicence("GARDE");
        cnxBase.Execute("CREATE TABLE Vrac (t TEXT)");
        cnxBase.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                        "INSERT INTO Vrac SELECT hex(randomblob(100)) FROM n");
        cnxBase.Execute("DROP TABLE Vrac");
        const qint64 avant = QFileInfo(base).size();
        s.ihm.effacer();
        QVERIFY(s.declencher("mnuBaseCompacter"));
        QCOMPARE(s.ihm.messages(), QStringList({"Base compactée avec succès."}));
        QVERIFY(cnxBase.ouverte());
        QVERIFY(menusBaseOuverte());
        QVERIFY(QFileInfo(base).size() < avant / 4);
        QCOMPARE(licences(), QString("GARDE"));
        QVERIFY(!QFileInfo::exists(base + ".tmp.compact"));
    }

    void baseParLienSymbolique_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::newRow("compacter") << "mnuBaseCompacter";
        QTest::newRow("fermer") << "mnuBaseClose";
        QTest::newRow("annuler") << "mnuBaseAnnuler";
    }

    // A base opened through a symbolic link: each command works on the file the link names and
    // leaves the link as it is.
    void baseParLienSymbolique()
    {
        QFETCH(QString, commande);
        Session s;
        QTemporaryDir ailleurs;
        const QString reelle = ailleurs.filePath("club.mdb");
        QVERIFY(QFile::rename(Preparer_base(s.rep, "club.mdb"), reelle));
        const QString lien = s.rep.fichier("club.mdb");
        QVERIFY(QFile::link(reelle, lien));
        QVERIFY(s.ouvrir(lien));
        // The lock lies beside the file: the file opened by its own path is refused too.
        QVERIFY(Base_verrouillee(reelle));
        ajouterLicence("SAUVE");
        QVERIFY(s.declencher("mnuBaseSave"));
        ajouterLicence("PERDU");
        s.ihm.effacer();
        if (commande != "mnuBaseCompacter")
            s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher(qPrintable(commande)));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.messages().filter("endommagée"), QStringList());
        QVERIFY(QFileInfo(lien).isSymLink());
        QCOMPARE(QFileInfo(lien).symLinkTarget(), reelle);
        QCOMPARE(licences(reelle), QString(commande == "mnuBaseCompacter" ? "SAUVE,PERDU" : "SAUVE"));
        // Nothing beside the link; beside the base, its lock and its one backup while it is open.
        QCOMPARE(QDir(s.rep.chemin()).entryList({"club.mdb*"}, QDir::AllEntries | QDir::System),
                 QStringList({"club.mdb"}));
        QCOMPARE(QDir(ailleurs.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList(cnxBase.ouverte() ? QStringList({"club.ldb", "club.mdb", "club.mdb.sav"})
                                               : QStringList({"club.mdb"})));

        // What is written next reaches the same file.
        if (!cnxBase.ouverte())
            QVERIFY(s.ouvrir(lien));
        ajouterLicence("APRES");
        QVERIFY(s.declencher("mnuBaseSave"));
        QVERIFY(licences(reelle).endsWith(",APRES"));
    }

    void suppression_data()
    {
        QTest::addColumn<QString>("cas");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("supprimee");
        QTest::newRow("base ouverte") << "ouverte" << 0
                                      << "Impossible de supprimer cette base.\r\nBase actuellement ouverte." << false;
        QTest::newRow("base en usage") << "verrou" << 0
                                       << "Impossible de supprimer cette base.\r\nUne connexion est active sur la base."
                                       << false;
        QTest::newRow("non") << "" << int(Reponse::Non) << "Supprimer la base : autre.mdb" << false;
        QTest::newRow("oui") << "" << int(Reponse::Oui) << "Supprimer la base : autre.mdb" << true;
        // A refused opening keeps the path, but no base is open: the file may go.
        QTest::newRow("après une ouverture refusée")
            << "refusee" << int(Reponse::Oui) << "Supprimer la base : autre.mdb" << true;
        QTest::newRow("lecture seule") << "lectureSeule" << int(Reponse::Oui) << "Supprimer la base : autre.mdb"
                                       << true;
    }

    void suppression()
    {
        QFETCH(QString, cas);
        QFETCH(int, reponse);
        QFETCH(QString, message);
        QFETCH(bool, supprimee);
        Session s;
        const QString ouverte = Preparer_base(s.rep, "club.mdb");
        const QString autre = Preparer_base(s.rep, "autre.mdb");
        if (cas == "ouverte")
            QVERIFY(s.ouvrir(ouverte));
        QLockFile verrou(Chemin_verrou(autre));
        if (cas == "verrou" || cas == "refusee")
            QVERIFY(verrou.tryLock(0));
        if (cas == "refusee") {
            QVERIFY(!s.ouvrir(autre));
            verrou.unlock();
            QCOMPARE(strCheminBase, autre);
        }
        if (cas == "lectureSeule")
            QFile::setPermissions(autre, QFile::ReadOwner);
        const QString choisie = cas == "ouverte" ? ouverte : autre;
        s.ihm.effacer();
        s.ihm.repondreFichier(choisie);
        if (reponse)
            s.ihm.repondre(reponse);
        QVERIFY(s.declencher("mnuBaseSuppr"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.appels()[0].titre, QString("Supprimer une Base"));
        QCOMPARE(s.ihm.appels()[0].bouton, QString("Supprimer"));
        QCOMPARE(s.ihm.appels()[1].texte, message);
        if (reponse)
            QVERIFY(s.ihm.appels()[1].style & Style::DefautBouton2);
        QCOMPARE(QFileInfo::exists(choisie), !supprimee);
        QCOMPARE(cnxBase.ouverte(), cas == "ouverte");
    }

    // Quitting, or closing the main window, with a base open.
    void quitter_data()
    {
        QTest::addColumn<QString>("commande");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("licencesApres"); // "" : still open
        QTest::newRow("Quitter, oui") << "mnuExit" << int(Reponse::Oui) << "SAUVE";
        QTest::newRow("Quitter, non") << "mnuExit" << int(Reponse::Non) << "";
        QTest::newRow("fermer la fenêtre, sauvegarder") << "fenetre" << int(Reponse::Oui) << "SAUVE,NON SAUVE";
        QTest::newRow("fermer la fenêtre, ne pas sauvegarder") << "fenetre" << int(Reponse::Non) << "SAUVE";
    }

    void quitter()
    {
        QFETCH(QString, commande);
        QFETCH(int, reponse);
        QFETCH(QString, licencesApres);
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        ajouterLicence("SAUVE");
        QVERIFY(s.declencher("mnuBaseSave"));
        ajouterLicence("NON SAUVE");
        cnxBase.Execute("INSERT INTO Licence_tempo (Num, Nom) VALUES (7, 'EN COURS')");
        s.ihm.effacer();
        s.ihm.repondre(reponse);
        if (commande == "fenetre")
            s.fenetre->close();
        else
            QVERIFY(s.declencher("mnuExit"));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(s.ihm.appels()[0].texte, commande == "fenetre" ? QString("Sauvegarder les données ?") : kQuestionEffacer);
        QVERIFY(s.ihm.appels()[0].style & Style::DefautBouton2);
        QCOMPARE(s.ihm.appels().size(), size_t(1));
        if (licencesApres.isEmpty()) {
            QVERIFY(s.fenetre->isVisible());
            QVERIFY(cnxBase.ouverte());
            return;
        }
        QVERIFY(!s.fenetre->isVisible());
        QVERIFY(!cnxBase.ouverte());
        QCOMPARE(licences(base), licencesApres);
        QCOMPARE(Valeur_fichier(base, "SELECT count(*) FROM Licence_tempo"), QString("0"));
        QCOMPARE(Valeur_fichier(base, "SELECT LastClose FROM Info"), QString("Vrai"));
        QVERIFY(!QFileInfo::exists(base + ".sav"));
        QVERIFY(!QFileInfo::exists(Chemin_verrou(base)));
    }

    void quitterSansBase()
    {
        Session s;
        QVERIFY(s.declencher("mnuExit"));
        QVERIFY(!s.fenetre->isVisible());
        QCOMPARE(s.ihm.appels().size(), size_t(0));
    }

    // "Définition des références LEN" holds nothing of the base: with it open, "Quitter" quits.
    void quitterAvecReferencesLen()
    {
        Session s;
        QVERIFY(s.ouvrir(Preparer_base(s.rep, "club.mdb")));
        QVERIFY(s.declencher("mnuPointRefLEN"));
        QVERIFY(s.fenetre->findChild<QWidget*>("frm_defreflen"));
        QVERIFY(!Fenetre_ouverte());
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuExit"));
        QVERIFY(s.ihm.toutConsomme());
        QVERIFY(!s.fenetre->isVisible());
        QVERIFY(!cnxBase.ouverte());
    }

    // The LEN references window opened on the open base, a reference typed in it and not saved.
    static QPointer<QWidget> referenceLenTapee(Session& s)
    {
        if (!s.declencher("mnuPointRefLEN"))
            return nullptr;
        QPointer<QWidget> f = s.fenetre->findChild<QWidget*>("frm_defreflen");
        auto* boite = f ? f->findChild<QLineEdit*>("txt_ref") : nullptr;
        if (!boite)
            return nullptr;
        boite->setFocus();
        boite->selectAll();
        QTest::keyClick(boite, '9');
        QTest::keyClick(boite, Qt::Key_Return, Qt::NoModifier);
        return f;
    }

    // Its edits belong to the base they were typed in: closing that base closes the window as
    // "&Annuler" would, and nothing of them reaches the base opened next.
    void referencesLenFermeesAvecLeurBase()
    {
        Session s;
        const QString a = Preparer_base(s.rep, "a.mdb");
        const QString b = Preparer_base(s.rep, "b.mdb");
        const QString sql = "SELECT group_concat(Code_Nage || '=' || ifnull(Ref_len, ''), ';') FROM Nage";
        const QString refs = Valeur_fichier(a, sql);
        QVERIFY(s.ouvrir(a));
        QPointer<QWidget> f = referenceLenTapee(s);
        QVERIFY(f);
        QCOMPARE(f->findChild<QTreeWidget*>("lsvNageInfo")->topLevelItem(0)->text(1), QString("T"));

        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        Traiter_evenements();
        QVERIFY(!f);
        QVERIFY(s.ouvrir(b));
        QVERIFY(!s.fenetre->findChild<QWidget*>("frm_defreflen"));
        QCOMPARE(Valeur(sql), refs);
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QCOMPARE(Valeur_fichier(a, sql), refs);
        QCOMPARE(Valeur_fichier(b, sql), refs);
    }

    // Undoing puts back other rows than those the window read: it goes, as on Annuler.
    void referencesLenFermeesParAnnulation()
    {
        Session s;
        const QString a = Preparer_base(s.rep, "a.mdb");
        const QString sql = "SELECT group_concat(Code_Nage || '=' || ifnull(Ref_len, ''), ';') FROM Nage";
        const QString refs = Valeur_fichier(a, sql);
        QVERIFY(s.ouvrir(a));
        QPointer<QWidget> f = referenceLenTapee(s);
        QVERIFY(f);
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        Traiter_evenements();
        QVERIFY(!f);
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(Valeur(sql), refs);
    }

    // A backup that cannot be put back is kept, and the next opening offers it.
    // While a base is open it reads as not closed cleanly, whatever closed and reopened it on
    // the way; its backups keep their own mark.
    void baseOuverteJamaisMarqueeFermee()
    {
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseAnnuler"));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QVERIFY(s.declencher("mnuBaseCompacter"));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        // A component run closes the base and opens it again.
        Fermer_base();
        QVERIFY(Restaurer_derniere_sauvegarde());
        QCOMPARE(Valeur("SELECT LastClose FROM Info"), QString("Faux"));
        QCOMPARE(Valeur_archive(base + ".sav", "club.mdb", "SELECT LastClose FROM Info"), QString("Vrai"));
    }

    // A new base knows its season: reopening it renews none of the licences typed since.
    void nouvelleBaseNeRenouvellePasSesLicences()
    {
        Session s;
        const QString base = s.rep.fichier("club.mdb");
        s.ihm.repondreFichier(base);
        Repondre_nouveau_club(s.ihm);
        Repondre_creation_profil(s.ihm);
        QVERIFY(s.declencher("mnuBaseNew"));
        QCOMPARE(Valeur("SELECT LastUpdtLic FROM Info"), QString("20240916"));
        cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Type_licence, Date_Depot) VALUES ('"
                        + kCodeClub + "', '10001F', 'NOUVEAU', 'Anne', 'N', '20250301')");
        // The detail window stores a date left empty as "".
        cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Type_licence, Date_Depot) VALUES ('"
                        + kCodeClub + "', '10002F', 'SANSDATE', 'Paul', 'T', '')");
        QVERIFY(s.declencher("mnuBaseSave"));
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QVERIFY(s.ouvrir(base));
        QCOMPARE(Valeur("SELECT group_concat(Nom || ':' || Type_licence || ':' || ifnull(Date_Depot, ''), ',') FROM "
                        "(SELECT * FROM Licence WHERE Nom <> 'Null' ORDER BY Num)"),
                 QString("NOUVEAU:N:20250301,SANSDATE:T:"));

        // A real change of season renews them.
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        Services::fixerAujourdhui(QDate(2025, 9, 20));
        QVERIFY(s.ouvrir(base));
        QCOMPARE(Valeur("SELECT group_concat(Type_licence || ':' || Date_Depot, ',') FROM "
                        "(SELECT * FROM Licence WHERE Nom <> 'Null' ORDER BY Num)"),
                 QString("R:20250916,R:20250916"));
    }

    // The profile and its club belong to their base: closing it or opening another where the
    // choice of a profile is cancelled leaves none in use.
    void contexteOublieAvecSaBase()
    {
        Session s;
        QVERIFY(s.ouvrir(Preparer_base(s.rep, "club.mdb")));
        QCOMPARE(strCodeClub, kCodeClub);
        QVERIFY(Menu("mnuLicence")->isEnabled());
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QCOMPARE(strCodeClub, QString());
        QCOMPARE(strNumProfil, QString());
        QCOMPARE(strNomProfil, QString());

        // Another base whose profiles are none current; the forced choice is cancelled.
        const QString autre = Preparer_base(s.rep, "autre.mdb");
        sqlite3* db = Ouvrir_connexion_sqlite(autre);
        QCOMPARE(sqlite3_exec(db, "UPDATE Profil SET LastUse = false", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        lgPosXSuivi = 1234; // as a monitor left it
        bool choixPropose = false;
        s.ihm.repondreModal([&choixPropose](QDialog& d) {
            choixPropose = d.objectName() == "Frm_liste_profil_obli";
            return int(QDialog::Rejected);
        });
        s.ihm.effacer();
        QVERIFY(s.ouvrir(autre));
        QVERIFY(choixPropose);
        QCOMPARE(s.ihm.messages(), QStringList());
        QCOMPARE(strCodeClub, QString());
        QCOMPARE(strNomClub, QString());
        QCOMPARE(strNumProfil, QString());
        QCOMPARE(lgPosXSuivi, 0);
        QCOMPARE(s.panneauProfil(), QString());
        // Nothing that works for a club can be reached; choosing a profile can.
        for (const char* menu : {"mnuLicence", "mnuCompet", "mnuPerf", "mnuModele"})
            QVERIFY2(!Menu(menu)->isEnabled(), menu);
        QVERIFY(!Menu("mnuBaseClubConfig")->isVisible());
        QVERIFY(Menu("mnuBaseProfil")->isEnabled() && Menu("mnuBaseProfilChange")->isEnabled());
        // The monitor's settings go to no profile.
        Sauver_param_suivi();
        QCOMPARE(Valeur("SELECT count(*) FROM Profil WHERE lgPosXSuivi = 1234"), QString("0"));
        QCOMPARE(s.ihm.messages(), QStringList());

        // Choosing one gives the menus back.
        QVERIFY(Choisir_profil("Bassin"));
        Charger_profil_courant(false);
        QCOMPARE(strCodeClub, kCodeClub);
        QVERIFY(Menu("mnuLicence")->isEnabled());
    }

    void restaurationRateeGardeLaSauvegarde()
    {
        Session s;
        const QString base = Preparer_base(s.rep, "club.mdb");
        QVERIFY(s.ouvrir(base));
        ajouterLicence("NON SAUVE");
        const QByteArray bonne = contenu(base + ".sav");
        {
            QFile sav(base + ".sav");
            QVERIFY(sav.open(QIODevice::WriteOnly | QIODevice::Truncate));
            sav.write("PK\x03\x04 abîmée");
        }
        const QByteArray abimee = contenu(base + ".sav");
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QVERIFY(s.ihm.messages().join("\n").contains("est endommagée : elle ne contient pas de base valide."));
        QVERIFY(!cnxBase.ouverte());
        QVERIFY(menusSansBase());
        QCOMPARE(contenu(base + ".sav"), abimee);
        QCOMPARE(Valeur_fichier(base, "SELECT LastClose FROM Info"), QString("Faux"));

        // Repaired, the backup is offered at the next opening.
        {
            QFile sav(base + ".sav");
            QVERIFY(sav.open(QIODevice::WriteOnly | QIODevice::Truncate));
            sav.write(bonne);
        }
        s.ihm.effacer();
        s.ihm.repondre(Reponse::Oui);
        QVERIFY(s.ouvrir(base));
        QVERIFY(s.ihm.toutConsomme());
        QCOMPARE(licences(), QString());
    }

private:
    ReglagesTest m_reglages;
};

int main(int argc, char** argv)
{
    if ((argc == 4 || argc == 5) && qstrcmp(argv[1], "--session-tuee") == 0) {
        QCoreApplication app(argc, argv);
        return sessionTuee(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                           argc == 5 ? std::atoi(argv[4]) : 0);
    }
    if (argc == 4 && qstrcmp(argv[1], "--ouvrir") == 0) {
        QCoreApplication app(argc, argv);
        return ouvrirAilleurs(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc == 7 && qstrcmp(argv[1], "--operation-tuee") == 0) {
        QApplication app(argc, argv); // the upgrade window is a window
        return operationTuee(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                             QString::fromLocal8Bit(argv[4]), QString::fromLocal8Bit(argv[5]), qstrcmp(argv[6], "1") == 0);
    }
    QApplication app(argc, argv);
    TstOperationsBase tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_operations_base.moc"
