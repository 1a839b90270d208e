// The protection of the open base: backup, restore, crash check, work tables, compaction and the
// steps after an opening, on real files.

#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/sauvegarde.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"
#include "sans_privileges.h"
#include "zip_brut.h"

#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include <unistd.h>

namespace {

const QString kQuestionCrash = "La base n'a pas été correctement fermée lors de la dernière utilisation.\r\n"
                               "Reprendre la base depuis la dernière sauvegarde trouvée ?";
const QString kEchecSauvegarde = "La création de la sauvegarde a échoué.\r\n"
                                 "Vérifier l'espace sur le disque dur, les droits d'accès.";

void creerTableEssai()
{
    cnxBase.Execute("CREATE TABLE Essai (n INTEGER, texte TEXT)");
}

void ajouter(int de, int a)
{
    for (int n = de; n <= a; ++n)
        cnxBase.Execute(QString("INSERT INTO Essai VALUES (%1, 'ligne %1')").arg(n));
}

QList<int> lignes(sqlite3* db)
{
    QList<int> l;
    Requete r(db, "SELECT n FROM Essai ORDER BY n");
    while (r.suivante())
        l << r.texte(0).toInt();
    return l;
}

QString valeur(sqlite3* db, const QString& sql)
{
    Requete r(db, sql);
    return r.suivante() ? r.texte(0) : QString();
}

// The work folders and their locks left in a folder.
QStringList travaux(const QString& dossier)
{
    return QDir(dossier).entryList({"quorvelane-*"}, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QByteArray octets(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs a tool of the system (zip, sqlite3) as a user would; stdin is written to it.
QString outil(const QString& programme, const QStringList& arguments, const QByteArray& entree = {})
{
    const QString chemin = QStandardPaths::findExecutable(programme);
    if (chemin.isEmpty())
        return programme + " absent";
    QProcess p;
    p.start(chemin, arguments);
    p.write(entree);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return programme + " : " + QString::fromLocal8Bit(p.readAllStandardError());
    return QString();
}

// A file that holds what the sqlite3 tool makes of the statements, from the model or from nothing.
QString baseOutil(const QString& chemin, bool depuisModele, const QString& sql)
{
    QFile::remove(chemin);
    if (depuisModele && !QFile::copy(Chemin_modele_construit(), chemin))
        return "copie du modèle";
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    return outil("sqlite3", {chemin}, sql.toUtf8());
}

// A copy of the model changed by the statements as one who crafts a file changes it, the text of
// the schema edited in place included (writable_schema). "" or the error.
QString modeleModifie(const QString& chemin, const QString& sql)
{
    QFile::remove(chemin);
    if (!QFile::copy(Chemin_modele_construit(), chemin))
        return "copie du modèle";
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(chemin).constData(), &db);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 0, nullptr);
    char* erreur = nullptr;
    QString texte;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &erreur) != SQLITE_OK)
        texte = QString::fromUtf8(erreur ? erreur : sqlite3_errmsg(db));
    sqlite3_free(erreur);
    sqlite3_close(db);
    return texte;
}

// The model with a trigger of its own that empties the clubs at the next licence written, and
// beside it the write-ahead log whose frames drop that trigger: read together they look like the
// model. Both are copied into the folder while the connection holds them.
QString baseEtJournalQuiLaCache(const QString& dossier)
{
    QTemporaryDir fabrique;
    const QString chemin = fabrique.filePath("test.mdb");
    QString erreur = modeleModifie(chemin, "CREATE TRIGGER Vide AFTER INSERT ON Licence BEGIN DELETE FROM Club; END;");
    if (!erreur.isEmpty())
        return erreur;
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(chemin).constData(), &db);
    if (sqlite3_exec(db, "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0; DROP TRIGGER Vide;", nullptr, nullptr,
                     nullptr)
            != SQLITE_OK
        || !QFile::copy(chemin, dossier + "/test.mdb") || !QFile::copy(chemin + "-wal", dossier + "/test.mdb-wal"))
        erreur = "journal WAL";
    sqlite3_close(db);
    return erreur;
}

// The upgrade script that brings a version-2 base to the model.
const QString kScriptVersion3 =
    "[INFO]\nVersion finale = 3\n[FROM 2]\n"
    "maj1=CREATE TABLE RecordClub (Num_auto INTEGER PRIMARY KEY AUTOINCREMENT, Categorie INTEGER, Code_nage INTEGER, "
    "Bassin INTEGER, Tps REAL, Nom TEXT COLLATE NOCASE, Prenom TEXT COLLATE NOCASE, Date_perf TEXT COLLATE NOCASE, "
    "Lieu TEXT COLLATE NOCASE, Rel1 TEXT COLLATE NOCASE, Rel2 TEXT COLLATE NOCASE, Rel3 TEXT COLLATE NOCASE, "
    "Rel4 TEXT COLLATE NOCASE, Rel5 TEXT COLLATE NOCASE, Rel6 TEXT COLLATE NOCASE, Rel7 TEXT COLLATE NOCASE, "
    "Rel8 TEXT COLLATE NOCASE, Rel9 TEXT COLLATE NOCASE, Rel10 TEXT COLLATE NOCASE)\n"
    "maj2 = CREATE INDEX RecordClub_par_epreuve ON RecordClub (Categorie, Code_nage, Bassin)\n"
    "maj3 = ALTER TABLE Profil ADD COLUMN bAlwaysVisibleSuivi BOOLEAN NOT NULL DEFAULT 0 "
    "CHECK (bAlwaysVisibleSuivi IN (0,1))\n";

const QString kEndommagee = "est endommagée : elle ne contient pas de base valide.\r\n"
                            "La base n'a pas été remplacée, les opérations n'ont pas été annulées.";

// What a backup holds: its one entry, unzipped and opened read-only.
struct ContenuSauvegarde {
    QStringList entrees;
    QString lastClose;
    QList<int> lignes;
    QString integrite;
};

ContenuSauvegarde lireSauvegarde(const QString& sauvegarde, const QString& nomBase)
{
    ContenuSauvegarde c;
    QTemporaryDir d;
    if (!Zipper(sauvegarde, d.path(), false, true))
        return c;
    c.entrees = QDir(d.path()).entryList(QDir::Files);
    sqlite3* db = Ouvrir_connexion_sqlite(d.filePath(nomBase), true);
    c.lastClose = valeur(db, "select LastClose from Info");
    c.lignes = lignes(db);
    c.integrite = valeur(db, "PRAGMA integrity_check");
    sqlite3_close(db);
    return c;
}

// The base's file is out of reach the moment the program starts opening it again (a disk pulled
// out), and back when the object ends. (Another program can no longer take the lock then: the
// program holds it from the closing to the reopening.)
class ReouvertureEmpechee {
public:
    explicit ReouvertureEmpechee(const QString& base) : m_base(base)
    {
        Services::fixerSortieStatut([this](const QString& texte) {
            if (texte == "Ouverture de la base" && !m_retiree)
                m_retiree = QFile::rename(m_base, m_base + ".retiree");
        });
    }
    ~ReouvertureEmpechee()
    {
        Services::fixerSortieStatut({});
        if (m_retiree)
            QFile::rename(m_base + ".retiree", m_base);
    }

private:
    QString m_base;
    bool m_retiree = false;
};

// Records the steps the upper layers plug into the opening.
struct EtapesEnregistrees {
    QStringList journal;
    EtapesEnregistrees()
    {
        Etapes_base().menusBaseOuverte = [this] { journal << "menus ouverts"; };
        Etapes_base().menusBaseFermee = [this] { journal << "menus fermés"; };
        Etapes_base().controlerClub = [this] { journal << "club"; };
        Etapes_base().chargerProfilCourant = [this](bool suivi) { journal << QString("profil %1").arg(suivi); };
        Services::fixerSortieStatut([this](const QString& t) {
            if (!t.isEmpty())
                journal << "statut " + t;
        });
    }
    ~EtapesEnregistrees()
    {
        Etapes_base() = EtapesBase{};
        Services::fixerSortieStatut({});
    }
};

// An archive component that fails the way a full disk does, or lies about success.
class ArchiveDefaillante : public Composant {
public:
    explicit ArchiveDefaillante(int maniere) : m_maniere(maniere) {}
    QVariant appeler(const QString&, const QVariantList& args) override
    {
        QFile f(args[0].toString());
        if (f.open(QIODevice::WriteOnly))
            f.write("PK\x03\x04 tronqué");
        if (m_maniere == 0)
            throw ErreurExecution(28, "Plus d'espace disponible sur le périphérique");
        if (m_maniere == 2)
            f.remove();
        return false;
    }

private:
    int m_maniere;
};

// A child tells its parent it is where the test wants it, and waits to be killed there.
[[noreturn]] void pretPuisAttendre()
{
    std::fputs("PRET\n", stdout);
    std::fflush(stdout);
    for (;;)
        ::pause();
}

// An archive component that hangs in the middle of writing, with the archive begun and the zip
// library's own work file beside it.
class ArchiveSuspendue : public Composant {
public:
    QVariant appeler(const QString&, const QVariantList& args) override
    {
        const QString archive = args[0].toString();
        for (const QString& chemin : {archive, archive + ".Xy12Zt"}) {
            QFile f(chemin);
            if (f.open(QIODevice::WriteOnly))
                f.write("PK\x03\x04 en cours");
        }
        pretPuisAttendre();
    }
};

// The children of the kill tests: each opens the base as the open command does and waits to be
// killed, after a save followed by more writes ("--enfant-crash") or in the middle of a backup
// ("--enfant-sauvegarde-suspendue").
int enfantTue(const QString& mode, const QString& repertoire, const QString& base)
{
    Services::fixerRepertoireApplication(repertoire);
    PortIhmTest port; // any message would end the child with an error
    strCheminBase = base;
    QString erreur;
    if (!Ouvrir_base(erreur))
        return 2;
    if (mode == "--enfant-sauvegarde-suspendue") {
        Composants::enregistrer("ArchiveTool", [] { return std::make_unique<ArchiveSuspendue>(); });
        Creer_sauvegarde();
        return 6;
    }
    try {
        if (Controler_fermeture_base() != ControleFermeture::Normale)
            return 3;
        Marquer_fermeture("False");
        ajouter(1, 3);
        if (!Creer_sauvegarde())
            return 4;
        ajouter(4, 7);
        cnxBase.Execute("DELETE FROM Essai WHERE n = 2");
    } catch (const std::exception&) {
        return 5;
    }
    pretPuisAttendre();
}

constexpr int kToursRestauration = 15;

// The child of the concurrent restores: restores its base again and again from its backup, in
// an application folder another child uses at the same time, and reads each time that the base
// is its own.
int enfantRestaurations(const QString& repertoire, const QString& base, const QString& attendu)
{
    Services::fixerRepertoireApplication(repertoire);
    strCheminModeleBase = Joindre_chemin(repertoire, "modele_base.sav"); // what a restored copy is checked against
    PortIhmTest port; // any message would end the child with an error
    strCheminBase = base;
    for (int tour = 0; tour < kToursRestauration; ++tour) {
        if (!Restaurer_sauvegarde())
            return 2;
        QString lu;
        try {
            const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(Ouvrir_connexion_sqlite(base, true), sqlite3_close);
            lu = valeur(db.get(), "SELECT group_concat(n) FROM Essai");
        } catch (const std::exception& e) {
            lu = e.what();
        }
        if (lu != attendu) {
            std::fprintf(stdout, "tour %d : %s au lieu de %s\n", tour, qPrintable(lu), qPrintable(attendu));
            return 3;
        }
    }
    return 0;
}

// Starts the test program again as a child with these arguments and waits for its "PRET".
std::unique_ptr<QProcess> lancerJusquaPret(const QStringList& arguments)
{
    auto enfant = std::make_unique<QProcess>();
    enfant->start(QCoreApplication::applicationFilePath(), arguments);
    QByteArray sortie;
    if (enfant->waitForStarted()) {
        while (!sortie.contains("PRET") && enfant->waitForReadyRead(30000))
            sortie += enfant->readAllStandardOutput();
    }
    if (!sortie.contains("PRET")) {
        qWarning("enfant : %s%s", sortie.constData(), enfant->readAllStandardError().constData());
        return nullptr;
    }
    return enfant;
}

bool tuer(QProcess& enfant)
{
    return ::kill(static_cast<pid_t>(enfant.processId()), SIGKILL) == 0 && enfant.waitForFinished()
        && enfant.exitStatus() == QProcess::CrashExit;
}

// The work folders of a folder that hold a copy of the base.
QStringList copiesDeBase(const QString& dossier, const QString& nomBase)
{
    QStringList copies;
    for (const QString& nom : QDir(dossier).entryList({"quorvelane-tmp*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir travail(Joindre_chemin(dossier, nom));
        for (const QString& sous : travail.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFileInfo::exists(travail.filePath(sous + "/" + nomBase)))
                copies << nom;
        }
    }
    return copies;
}

} // namespace

class TstSauvegarde : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void etatsDuCycle();
    void sauvegardeRateeGardeLaPrecedente_data();
    void sauvegardeRateeGardeLaPrecedente();
    void marqueurIllisibleBorne();
    void crashProcessusTue();
    void crashSansSauvegarde();
    void sauvegardesTueesNettoyees();
    void baseSansInfoPasUnCrash();
    void repriseRateeEstUnEchec_data();
    void repriseRateeEstUnEchec();
    void restaurationSure();
    void restaurationRateeLaisseLaBase();
    void restaurationsSimultanees();
    void sauvegardeEndommageeGardeLaBase_data();
    void sauvegardeEndommageeGardeLaBase();
    void sauvegardeIllisibleGardeLaBase_data();
    void sauvegardeIllisibleGardeLaBase();
    void sauvegardeHorsModeleRefusee_data();
    void sauvegardeHorsModeleRefusee();
    void basesDuProgrammeRestaurees_data();
    void basesDuProgrammeRestaurees();
    void grandesBasesRemisesEnPlace_data();
    void grandesBasesRemisesEnPlace();
    void sauvegardePendantEcritures();
    void dossierApplicationLectureSeule();
    void restaurerDerniereSauvegarde_data();
    void restaurerDerniereSauvegarde();
    void compactage();
    void compactageReouvertureRatee();
    void sauvegardeMiseDeCoteRemiseEnPlace_data();
    void sauvegardeMiseDeCoteRemiseEnPlace();
    void copierModele();
    void initialiserBase();
};

void TstSauvegarde::cleanup()
{
    Composants::retirer_tout();
    cnxBase.fermer();
    strCheminBase.clear();
}

void TstSauvegarde::etatsDuCycle()
{
    BaseTest base;
    PortIhmTest port;
    creerTableEssai();
    const QString sav = Chemin_sauvegarde();

    // Just opened: the crash check passes, the flag goes false, the backup is made.
    QCOMPARE(Controler_fermeture_base(), ControleFermeture::Normale);
    Marquer_fermeture("False");
    ajouter(1, 2);
    QVERIFY(Creer_sauvegarde());
    ContenuSauvegarde c = lireSauvegarde(sav, "test.mdb");
    QCOMPARE(c.entrees, QStringList({"test.mdb"}));
    QCOMPARE(c.lastClose, QString("Vrai"));
    QCOMPARE(c.lignes, QList<int>({1, 2}));
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Faux"));
    QVERIFY(!QFileInfo::exists(sav + ".tmp"));

    // After a save: work tables emptied in their order, backup remade, live base still false.
    ajouter(3, 3);
    for (const char* t : {"Licence_tempo", "Pcomp_tempo", "Rcomp_tempo", "Relais_tempo", "Engag_tempo"})
        base.executer(QString("INSERT INTO %1 DEFAULT VALUES").arg(t));
    QStringList vidages;
    sqlite3_trace_v2(
        cnxBase.handle(), SQLITE_TRACE_STMT,
        [](unsigned, void* ctx, void* stmt, void*) {
            const QString sql = QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt)));
            if (sql.startsWith("delete", Qt::CaseInsensitive))
                static_cast<QStringList*>(ctx)->append(sql);
            return 0;
        },
        &vidages);
    Vider_tables_temporaires();
    sqlite3_trace_v2(cnxBase.handle(), 0, nullptr, nullptr);
    QCOMPARE(vidages, QStringList({"delete from Licence_tempo", "delete from Pcomp_tempo", "delete from Rcomp_tempo",
                                   "delete from Relais_tempo", "delete from Engag_tempo"}));
    for (const char* t : {"Licence_tempo", "Pcomp_tempo", "Rcomp_tempo", "Relais_tempo", "Engag_tempo"})
        QCOMPARE(base.valeur(QString("SELECT count(*) FROM %1").arg(t)), QString("0"));
    QVERIFY(Creer_sauvegarde());
    QCOMPARE(lireSauvegarde(sav, "test.mdb").lignes, QList<int>({1, 2, 3}));
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Faux"));

    // After undo: the rows since the save are gone, backup kept (its own mark true); the open
    // base reads as not closed cleanly, as every open base.
    ajouter(4, 5);
    QVERIFY(Annuler_operations());
    QVERIFY(cnxBase.ouverte());
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 2, 3}));
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Faux"));
    QCOMPARE(lireSauvegarde(sav, "test.mdb").lignes, QList<int>({1, 2, 3}));
    QVERIFY(QFileInfo::exists(sav));
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());

    // Cleanly closed (close command answered Yes): flag true, backup deleted.
    Marquer_fermeture("False");
    ajouter(6, 6);
    Fermer_base();
    QVERIFY(Restaurer_sauvegarde());
    Supprimer_sauvegarde();
    QVERIFY(!QFileInfo::exists(sav));
    sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
    QCOMPARE(valeur(db, "select LastClose from Info"), QString("Vrai"));
    QCOMPARE(lignes(db), QList<int>({1, 2, 3}));
    sqlite3_close(db);
    QCOMPARE(port.messages(), QStringList());
}

void TstSauvegarde::sauvegardeRateeGardeLaPrecedente_data()
{
    QTest::addColumn<int>("maniere");
    QTest::addColumn<int>("messages");
    QTest::newRow("erreur en écrivant") << 0 << 2;
    QTest::newRow("échec annoncé") << 1 << 1;
    QTest::newRow("rien d'écrit") << 2 << 1;
}

void TstSauvegarde::sauvegardeRateeGardeLaPrecedente()
{
    QFETCH(int, maniere);
    QFETCH(int, messages);
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    creerTableEssai();
    ajouter(1, 1);
    QVERIFY(Creer_sauvegarde());
    const QByteArray avant = octets(Chemin_sauvegarde());

    ajouter(2, 2);
    Composants::enregistrer("ArchiveTool", [maniere] { return std::make_unique<ArchiveDefaillante>(maniere); });
    QVERIFY(!Creer_sauvegarde());
    QCOMPARE(port.messages().size(), messages);
    QCOMPARE(port.messages().last(), kEchecSauvegarde);
    if (maniere == 0)
        QVERIFY(port.messages().first().startsWith("Une erreur s'est produite lors de la compression.\r\nErreur n° 28"));
    QCOMPARE(octets(Chemin_sauvegarde()), avant);
    QVERIFY(!QFileInfo::exists(Chemin_sauvegarde() + ".tmp"));
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Faux"));
}

void TstSauvegarde::marqueurIllisibleBorne()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    // The zipped copy can never read as closed: no backup is written from it.
    base.executer("DELETE FROM Info");
    QVERIFY(!Creer_sauvegarde());
    QCOMPARE(port.messages().size(), 2);
    QVERIFY(port.messages()[0].startsWith("Une erreur s'est produite lors de la compression.\r\nErreur n° 3021"));
    QCOMPARE(port.messages()[1], kEchecSauvegarde);
    QVERIFY(!QFileInfo::exists(Chemin_sauvegarde()));
}

void TstSauvegarde::crashProcessusTue()
{
    RepertoireTest rep;
    const QString chemin = rep.fichier("club.mdb");
    QVERIFY(QFile::copy(Chemin_modele_construit(), chemin));
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    strCheminBase = chemin;
    QString erreur;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    creerTableEssai();
    Fermer_base();

    const std::unique_ptr<QProcess> enfant = lancerJusquaPret({"--enfant-crash", rep.chemin(), chemin});
    QVERIFY(enfant);
    QVERIFY(tuer(*enfant));

    // The killed process left its lock, its rows and the flag false.
    QVERIFY(QFileInfo::exists(Chemin_verrou(chemin)));
    QVERIFY(!Base_verrouillee(chemin));

    PortIhmTest port;
    port.repondre(Reponse::Oui);
    strCheminBase = chemin;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 3, 4, 5, 6, 7}));
    QCOMPARE(Controler_fermeture_base(), ControleFermeture::Restauree);
    QCOMPARE(port.appels().size(), size_t(1));
    QCOMPARE(port.appels()[0].texte, kQuestionCrash);
    QCOMPARE(port.appels()[0].style & Style::DefautBouton2, 0); // Yes is the default
    QVERIFY(cnxBase.ouverte());
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 2, 3}));
    QVERIFY(QFileInfo::exists(Chemin_sauvegarde()));
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
    cnxBase.fermer();
}

// Backups killed in the middle leave a copy of the base in their work folder and the archive
// being written beside the base. The next start removes the work folders of the dead, never the
// one of a backup still running; the next backup of the base removes the rest.
void TstSauvegarde::sauvegardesTueesNettoyees()
{
    RepertoireTest rep;
    QTemporaryDir donnees;
    const QString base = donnees.filePath("club.mdb");
    QVERIFY(QFile::copy(Chemin_modele_construit(), base));
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner);
    const QStringList arguments{"--enfant-sauvegarde-suspendue", rep.chemin(), base};
    for (int i = 0; i < 2; ++i) {
        const std::unique_ptr<QProcess> enfant = lancerJusquaPret(arguments);
        QVERIFY(enfant);
        QVERIFY(tuer(*enfant));
    }
    QCOMPARE(copiesDeBase(rep.chemin(), "club.mdb").size(), 2);
    // The archive is written in the work folder, the zip library's work files with it: nothing
    // of a killed backup is left beside the base.
    QVERIFY(!QFileInfo::exists(base + ".sav.tmp"));

    const std::unique_ptr<QProcess> vivant = lancerJusquaPret(arguments);
    QVERIFY(vivant);
    const QStringList avant = copiesDeBase(rep.chemin(), "club.mdb");
    QCOMPARE(avant.size(), 3);
    const QString modele = strCheminModeleBase;
    Preparer_repertoire_application();
    strCheminModeleBase = modele;
    const QStringList restees = copiesDeBase(rep.chemin(), "club.mdb");
    QCOMPARE(restees.size(), 1);
    // Its own: the running backup holds its lock still.
    QLockFile verrou(rep.fichier(restees[0] + ".verrou"));
    QVERIFY(!verrou.tryLock(0));
    QVERIFY(tuer(*vivant));

    PortIhmTest port;
    strCheminBase = base;
    QString erreur;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    QVERIFY(Creer_sauvegarde());
    Fermer_base();
    QCOMPARE(QDir(donnees.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"club.mdb", "club.mdb.sav"}));
    QCOMPARE(port.messages(), QStringList());
    Preparer_repertoire_application();
    strCheminModeleBase = modele;
    QCOMPARE(travaux(rep.chemin()), QStringList());
}

void TstSauvegarde::crashSansSauvegarde()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    Marquer_fermeture("False");
    QCOMPARE(Controler_fermeture_base(), ControleFermeture::Normale);
    QCOMPARE(port.messages(), QStringList({"La base n'a pas été correctement fermée lors de la dernière utilisation\r\n"
                                           "La dernière sauvegarde n'a pas été trouvée.\r\n"
                                           "Il serait bon de reprendre la base depuis la dernière archive."}));
    QCOMPARE(port.appels()[0].style & 0xF0, Style::Information);
}

void TstSauvegarde::baseSansInfoPasUnCrash()
{
    BaseTest base;
    PortIhmTest port;
    base.executer("DELETE FROM Info");
    QCOMPARE(Controler_fermeture_base(), ControleFermeture::Normale);
    QCOMPARE(Lire_version_base(), QString());
    QCOMPARE(Verifier_version_base(), QString());
    QCOMPARE(port.messages(), QStringList());
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Marquer_fermeture("0; DELETE FROM Info"));
}

void TstSauvegarde::repriseRateeEstUnEchec_data()
{
    QTest::addColumn<bool>("sauvegardeAbimee");
    QTest::addColumn<QString>("message");
    QTest::newRow("restauration ratée") << true << "La sauvegarde ";
    QTest::newRow("réouverture ratée") << false << "Erreur lors de la connexion à la base.\r\nAprès annulation des dernières opérations.";
}

void TstSauvegarde::repriseRateeEstUnEchec()
{
    QFETCH(bool, sauvegardeAbimee);
    QFETCH(QString, message);
    BaseTest base;
    PortIhmTest port;
    EtapesEnregistrees etapes;
    QVERIFY(Creer_sauvegarde()); // the live base now reads false, as after a crash
    std::unique_ptr<ReouvertureEmpechee> disqueRetire;
    if (sauvegardeAbimee) {
        QFile f(Chemin_sauvegarde());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ceci n'est pas une archive");
    } else {
        disqueRetire = std::make_unique<ReouvertureEmpechee>(base.chemin());
    }
    port.repondre(Reponse::Oui);
    port.accepterMessagesOk(true);

    QCOMPARE(Controler_fermeture_base(), ControleFermeture::Echec);
    QVERIFY(!cnxBase.ouverte());
    QVERIFY(etapes.journal.contains("menus fermés"));
    QVERIFY2(port.messages().last().startsWith(message), qPrintable(port.messages().last()));
    QVERIFY(QFileInfo::exists(Chemin_sauvegarde()));
}

void TstSauvegarde::restaurationSure()
{
    BaseTest base;
    PortIhmTest port;
    creerTableEssai();
    ajouter(1, 2);
    QVERIFY(Creer_sauvegarde());
    ajouter(3, 3);
    Fermer_base();

    // Left by the session being undone: a journal would be played into the restored file.
    for (const char* annexe : {"-journal", "-wal", "-shm"}) {
        QFile f(base.chemin() + annexe);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("reste");
    }
    QCOMPARE(travaux(base.repertoire().chemin()), QStringList());
    QVERIFY(Restaurer_sauvegarde());
    for (const char* annexe : {"-journal", "-wal", "-shm"})
        QVERIFY(!QFileInfo::exists(base.chemin() + annexe));
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
    QVERIFY(!QFileInfo::exists(base.chemin() + ".restore.tmp"));
    QVERIFY(QFileInfo::exists(Chemin_sauvegarde())); // kept

    // A second restore in a row, beside the copy a killed restore left: each has its own folder.
    const QString reste = base.repertoire().dossier("quorvelane-tempo-AbCd12/tempo");
    QVERIFY(QFile::copy(Chemin_modele_construit(), Joindre_chemin(reste, "test.mdb")));
    QVERIFY(Restaurer_sauvegarde());
    QCOMPARE(travaux(base.repertoire().chemin()), QStringList({"quorvelane-tempo-AbCd12"}));
    QString erreur;
    QVERIFY(Ouvrir_base(erreur));
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 2}));
    QCOMPARE(port.messages(), QStringList());
}

void TstSauvegarde::restaurationRateeLaisseLaBase()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    creerTableEssai();
    QVERIFY(Creer_sauvegarde());
    ajouter(1, 1);
    Fermer_base();
    const QByteArray avant = octets(base.chemin());

    // Another program holds the base: it is not replaced under it.
    {
        QLockFile autre(Chemin_verrou(base.chemin()));
        QVERIFY(autre.tryLock(0));
        QVERIFY(!Restaurer_sauvegarde());
    }
    QCOMPARE(port.messages().last().section("\r\n", 0, 1),
             "Erreur lors de la restauration de la sauvegarde.\r\nImpossible de remplacer la base " + base.chemin()
                 + " par la sauvegarde.");
    QCOMPARE(octets(base.chemin()), avant);
    QVERIFY(!QFileInfo::exists(base.chemin() + ".restore.tmp"));

    port.effacer();
    QFile::remove(Chemin_sauvegarde());
    QVERIFY(!Restaurer_sauvegarde());
    QCOMPARE(port.messages(), QStringList({"Sauvegarde de la base non trouvée."}));
}

// Two instances restore at once, through one application folder, two bases of the same file
// name: each gets its own base back, every time.
void TstSauvegarde::restaurationsSimultanees()
{
    RepertoireTest rep;
    QTemporaryDir a;
    QTemporaryDir b;
    const QStringList bases{a.filePath("club.mdb"), b.filePath("club.mdb")};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(QFile::copy(Chemin_modele_construit(), bases[i]));
        QFile::setPermissions(bases[i], QFile::ReadOwner | QFile::WriteOwner);
        strCheminBase = bases[i];
        QString erreur;
        QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
        creerTableEssai();
        ajouter(i + 1, i + 1);
        QVERIFY(Creer_sauvegarde());
        Fermer_base();
    }
    std::array<QProcess, 2> enfants;
    for (int i = 0; i < 2; ++i) {
        enfants[i].setProcessChannelMode(QProcess::MergedChannels);
        enfants[i].start(QCoreApplication::applicationFilePath(),
                         {"--enfant-restaurations", rep.chemin(), bases[i], QString::number(i + 1)});
    }
    for (QProcess& enfant : enfants) {
        QVERIFY(enfant.waitForFinished(120000));
        QVERIFY2(enfant.exitStatus() == QProcess::NormalExit && enfant.exitCode() == 0,
                 qPrintable(QString("code %1 : ").arg(enfant.exitCode()) + enfant.readAll()));
    }
    QCOMPARE(travaux(rep.chemin()), QStringList());
}

void TstSauvegarde::sauvegardeEndommageeGardeLaBase_data()
{
    QTest::addColumn<QString>("contenu");
    QTest::addColumn<QString>("chemin");
    // What the ".sav" holds under the base's name, and who restores it.
    for (const char* contenu : {"texte", "autre base", "base tronquée", "seulement Info", "déclencheur étranger",
                                "Info en vue", "colonne manquante", "version 2 sans son script"}) {
        for (const char* chemin : {"annuler opérations", "question au démarrage", "après un composant"})
            QTest::newRow(qPrintable(QString("%1, %2").arg(contenu, chemin))) << contenu << chemin;
    }
}

void TstSauvegarde::sauvegardeEndommageeGardeLaBase()
{
    QFETCH(QString, contenu);
    QFETCH(QString, chemin);
    const QString zip = QStandardPaths::findExecutable("zip");
    if (zip.isEmpty())
        QSKIP("the zip command is not installed");
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    EtapesEnregistrees etapes;
    creerTableEssai();
    ajouter(1, 2);
    QVERIFY(Creer_sauvegarde());
    ajouter(3, 3);

    // The backup is replaced by a well-formed zip made by the zip tool, whose one entry bears the
    // base's name but holds no base of this program.
    QTemporaryDir source;
    const QString entree = source.filePath("test.mdb");
    if (contenu == "texte") {
        QFile f(entree);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Liste des nageurs\nDupont\tJean\n");
    } else if (contenu == "autre base") {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(entree).constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE Adresses (nom TEXT); INSERT INTO Adresses VALUES ('x')", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    } else if (contenu == "base tronquée") {
        const QByteArray entiere = octets(base.chemin());
        QFile f(entree);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(entiere.left(entiere.size() / 2));
    } else {
        // Well-formed SQLite files that are no base of this program, made with the sqlite3 tool.
        const QHash<QString, QPair<bool, QString>> sql = {
            {"seulement Info", {false, "CREATE TABLE Info (Version NUMERIC, LastClose BOOLEAN, LastUpdtLic TEXT);"
                                       "INSERT INTO Info VALUES (3, 1, '');"}},
            {"déclencheur étranger", {true, "CREATE TRIGGER Purge AFTER UPDATE ON Info BEGIN "
                                            "DELETE FROM Licence; DELETE FROM Club; END;"}},
            {"Info en vue", {true, "DROP TABLE Info;"
                                   "CREATE VIEW Info AS SELECT 3 AS Version, 1 AS LastClose, '' AS LastUpdtLic;"}},
            {"colonne manquante", {true, "ALTER TABLE Licence DROP COLUMN Prenom;"}},
            // Older than the model and no upgrade script to bring it the table it lacks.
            {"version 2 sans son script", {true, "DROP TABLE RecordClub; UPDATE Info SET Version = 2;"}},
        };
        const QString erreur = baseOutil(entree, sql[contenu].first, sql[contenu].second);
        if (erreur.endsWith(" absent"))
            QSKIP(qPrintable(erreur));
        QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    }
    QFile::remove(Chemin_sauvegarde());
    QProcess p;
    p.start(zip, {"-q", "-j", Chemin_sauvegarde(), entree});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), 0);
    const QByteArray sauvegarde = octets(Chemin_sauvegarde());

    const QString message = "La sauvegarde " + Chemin_sauvegarde()
                            + " est endommagée : elle ne contient pas de base valide.\r\n"
                              "La base n'a pas été remplacée, les opérations n'ont pas été annulées.";
    if (chemin == "annuler opérations") {
        QVERIFY(!Annuler_operations());
        QCOMPARE(port.messages(), QStringList({message}));
    } else if (chemin == "question au démarrage") {
        // The live base reads as not closed, as after a crash.
        Fermer_base();
        QString erreur;
        QVERIFY(Ouvrir_base(erreur));
        Marquer_fermeture("False");
        port.repondre(Reponse::Oui);
        QCOMPARE(Controler_fermeture_base(), ControleFermeture::Echec);
        QCOMPARE(port.messages(), QStringList({kQuestionCrash, message}));
    } else {
        // A component left the base unreadable: it is not swapped for the junk either.
        Fermer_base();
        QFile f(base.chemin());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
        f.close();
        QVERIFY(Restaurer_derniere_sauvegarde());
        QCOMPARE(octets(base.chemin()), QByteArray(8192, 'x'));
        strCheminBase = base.chemin();
        QCOMPARE(port.messages().size(), 3);
        QCOMPARE(port.messages()[1], message);
        QCOMPARE(port.messages()[2], "Erreur lors de la restauration de la dernière sauvegarde.\r\n"
                                     "La sauvegarde temporaire n'a pas été supprimée.");
    }
    QVERIFY(!cnxBase.ouverte());
    QVERIFY(etapes.journal.contains("menus fermés"));
    QCOMPARE(octets(Chemin_sauvegarde()), sauvegarde);
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
    QVERIFY(!QFileInfo::exists(base.chemin() + ".restore.tmp"));
    if (chemin != "après un composant") {
        // The base is whole, with the rows written since the last save.
        QList<int> restees;
        QString integrite;
        try {
            sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
            restees = lignes(db);
            integrite = valeur(db, "PRAGMA integrity_check");
            sqlite3_close(db);
        } catch (const ErreurExecution& e) {
            QFAIL(qPrintable("the base was replaced: " + e.description()));
        }
        QCOMPARE(restees, QList<int>({1, 2, 3}));
        QCOMPARE(integrite, QString("ok"));
        // Still marked as not closed, its backup kept: the next opening offers it again instead
        // of overwriting it.
        sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
        QCOMPARE(valeur(db, "select LastClose from Info"), QString("Faux"));
        sqlite3_close(db);
    }
}

void TstSauvegarde::sauvegardeIllisibleGardeLaBase_data()
{
    QTest::addColumn<QString>("sauvegarde");
    QTest::addColumn<QString>("detail");
    QTest::newRow("vide") << "vide" << "le fichier n'est pas une archive zip, ou elle est tronquée.";
    QTest::newRow("texte") << "texte" << "le fichier n'est pas une archive zip, ou elle est tronquée.";
    QTest::newRow("seconde entrée abîmée") << "seconde entrée abîmée" << "somme de contrôle erronée, l'archive est endommagée.";
    QTest::newRow("bombe") << "bombe" << "ce qu'aucun fichier réel n'atteint : archive refusée.";
    QTest::newRow("disque plein") << "disque plein" << "plus d'espace libre sur le disque.";
    const QString hors = "sortirait du dossier cible (chemin absolu, \"..\" ou lien) : archive refusée.";
    QTest::newRow("entrée ../") << "../test.mdb" << hors;
    QTest::newRow("entrée absolue") << "/tmp/test.mdb" << hors;
    QTest::newRow("entrée lien") << "lien" << hors;
}

// A backup that does not unpack whole stops the restore, with the base and the backup kept and
// one message in French: a damaged backup is named so, a full disk is not blamed on it.
void TstSauvegarde::sauvegardeIllisibleGardeLaBase()
{
    QFETCH(QString, sauvegarde);
    QFETCH(QString, detail);
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    creerTableEssai();
    ajouter(1, 1);
    Fermer_base();
    const QByteArray avant = octets(base.chemin());
    const QString sav = Chemin_sauvegarde();
    QTemporaryDir source;
    const QString copie = source.filePath("test.mdb");
    QVERIFY(QFile::copy(base.chemin(), copie));

    if (sauvegarde == "texte" || sauvegarde == "vide") {
        QFile f(sav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (sauvegarde == "texte")
            f.write("ceci n'est pas une archive");
    } else if (sauvegarde == "seconde entrée abîmée") {
        // The base unpacks first; the entry after it fails its check.
        const QString notes = source.filePath("notes.txt");
        QFile n(notes);
        QVERIFY(n.open(QIODevice::WriteOnly));
        n.write("MARQUE" + QByteArray(5000, 'n'));
        n.close();
        QString erreur = outil("zip", {"-q", "-j", sav, copie});
        if (erreur.isEmpty())
            erreur = outil("zip", {"-q", "-0", "-j", sav, notes});
        if (erreur.endsWith(" absent"))
            QSKIP(qPrintable(erreur));
        QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
        QByteArray octetsSav = octets(sav);
        const qsizetype i = octetsSav.lastIndexOf("MARQUE");
        QVERIFY(i > 0);
        octetsSav[i] = 'X';
        QFile f(sav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(octetsSav);
    } else if (sauvegarde == "bombe") {
        // 64 MB of zeros (a sparse file: nothing on the disk) beside the base.
        QFile zeros(source.filePath("remplissage"));
        QVERIFY(zeros.open(QIODevice::WriteOnly));
        QVERIFY(zeros.resize(64 << 20));
        zeros.close();
        const QString erreur = outil("zip", {"-q", "-j", sav, copie, zeros.fileName()});
        if (erreur.endsWith(" absent"))
            QSKIP(qPrintable(erreur));
        QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    } else if (sauvegarde == "../test.mdb" || sauvegarde == "/tmp/test.mdb" || sauvegarde == "lien") {
        // The base, then an entry that would land outside the folder.
        QFile f(sav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(zipBrut({{"test.mdb", octets(copie)},
                         {sauvegarde.toUtf8(), "/etc/passwd", sauvegarde == "lien" ? 0120777u : 0100644u}}));
    } else {
        // The disk fills up once the base is out, on the entry after it.
        QVERIFY(Zipper(sav, copie, true, false));
        Composants::enregistrer("ArchiveTool", [copie] {
            class DisquePlein : public Composant {
            public:
                explicit DisquePlein(const QString& copie) : m_copie(copie) {}
                QVariant appeler(const QString&, const QVariantList& args) override
                {
                    QFile::copy(m_copie, args[1].toString() + "/test.mdb");
                    throw ErreurExecution(Erreur_disque_plein, "Impossible d'écrire " + args[1].toString()
                                                                   + "/notes.txt : plus d'espace libre sur le disque.");
                }

            private:
                QString m_copie;
            };
            return std::make_unique<DisquePlein>(copie);
        });
    }
    const QByteArray octetsSav = octets(sav);

    QVERIFY(!Restaurer_sauvegarde());
    QCOMPARE(port.messages().size(), 1);
    const QString message = port.messages()[0];
    if (sauvegarde == "disque plein") {
        QVERIFY2(message.startsWith("La restauration de la sauvegarde a échoué.\r\n"
                                    "Les opérations n'ont pas été annulées.\r\n"
                                    "Vérifier l'espace sur le disque dur, les droits d'accès.\r\nErreur n° 61, "),
                 qPrintable(message));
    } else {
        QVERIFY2(message.startsWith("La sauvegarde " + sav + " " + kEndommagee + "\r\nErreur n° 321, Archive " + sav + " : "),
                 qPrintable(message));
        QVERIFY2(!message.contains("Vérifier l'espace"), qPrintable(message));
    }
    QVERIFY2(message.endsWith(detail), qPrintable(message));
    QCOMPARE(octets(base.chemin()), avant);
    QCOMPARE(octets(sav), octetsSav);
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
}

void TstSauvegarde::sauvegardeHorsModeleRefusee_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("annexes");
    const auto club = [](const QString& avant, const QString& apres) {
        return QString("PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, '%1', '%2') "
                       "WHERE name = 'Club';")
            .arg(avant, apres);
    };
    const QString visibleCache = club("Visible      BOOLEAN NOT NULL DEFAULT 1", "Visible      BOOLEAN NOT NULL DEFAULT 0");
    // Every table of the model but Info reduced to one column.
    QString bidon = "UPDATE Info SET Version = 2;";
    {
        sqlite3* db = Ouvrir_connexion_sqlite(Chemin_modele_construit(), true);
        Requete r(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' AND name <> 'Info'");
        while (r.suivante())
            bidon += QString("DROP TABLE %1; CREATE TABLE %1 (bidon);").arg(r.texte(0));
        sqlite3_close(db);
    }
    const QString scriptVide = "[INFO]\nVersion finale = 3\n[FROM 2]\nmaj1 = UPDATE Info SET LastUpdtLic = ''\n";

    // What the backup holds beside a sound base, or in place of it.
    QTest::newRow("journal WAL qui ôte un déclencheur") << "WAL" << QString() << QStringList();
    QTest::newRow("journal de la base en plus") << QString() << QString() << QStringList({"test.mdb-journal"});
    QTest::newRow("entrée en plus") << QString() << QString() << QStringList({"notes.txt"});
    QTest::newRow("base au format WAL") << "PRAGMA journal_mode = WAL;" << QString() << QStringList();
    // The model's shape changed: each would act on every later write without a word.
    QTest::newRow("Visible par défaut à 0") << visibleCache << QString() << QStringList();
    QTest::newRow("CHECK ajouté") << club("Code_federal TEXT COLLATE NOCASE", "Code_federal TEXT COLLATE NOCASE CHECK (Num < 0)")
                                  << QString() << QStringList();
    QTest::newRow("Code_federal INTEGER") << club("Code_federal TEXT COLLATE NOCASE", "Code_federal INTEGER") << QString()
                                          << QStringList();
    QTest::newRow("colonnes permutées")
        << "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(replace(replace(sql, 'Adresse ', 'Zz_tmp '), "
           "'Ville ', 'Adresse '), 'Zz_tmp ', 'Ville ') WHERE name = 'Club';"
        << QString() << QStringList();
    QTest::newRow("déclencheur du modèle supprimé") << "DROP TRIGGER Club_code_cascade;" << QString() << QStringList();
    QTest::newRow("index UNIQUE ajouté") << "CREATE UNIQUE INDEX Club_unique ON Club (Intitule);" << QString() << QStringList();
    QTest::newRow("clé primaire retirée") << club("INTEGER PRIMARY KEY AUTOINCREMENT", "INTEGER") << QString() << QStringList();
    QTest::newRow("interclassement changé") << club("Intitule     TEXT COLLATE NOCASE", "Intitule     TEXT COLLATE BINARY")
                                            << QString() << QStringList();
    // Versions whose columns went unchecked.
    QTest::newRow("version 2 sans script") << "UPDATE Info SET Version = 2;" + visibleCache << QString() << QStringList();
    QTest::newRow("version 2, mise à jour qui la laisse autre")
        << "UPDATE Info SET Version = 2;" + visibleCache << scriptVide << QStringList();
    QTest::newRow("version 2, mise à jour en échec")
        << "DROP TABLE RecordClub; ALTER TABLE Profil DROP COLUMN bAlwaysVisibleSuivi; UPDATE Info SET Version = 2;"
        << "[INFO]\nVersion finale = 3\n[FROM 2]\nmaj1=CREATE TABLE RecordClub (Num_auto INTEGER PRIMARY KEY)\n"
           "maj2 = ALTER TABLE Profile ADD COLUMN bAlwaysVisibleSuivi BOOLEAN NOT NULL DEFAULT 0\n"
        << QStringList();
    QTest::newRow("version 'abc'") << "UPDATE Info SET Version = 'abc';" + visibleCache << scriptVide << QStringList();
    QTest::newRow("tables du modèle à une colonne") << bidon << scriptVide << QStringList();
    QTest::newRow("version 4, déclencheur de plus")
        << "UPDATE Info SET Version = 4; CREATE TRIGGER Vide AFTER INSERT ON Licence BEGIN DELETE FROM Club; END;" << QString()
        << QStringList();
}

// A backup that holds anything but a base of this program's shape is refused, whatever way it
// takes: the base and the backup stay as they were.
void TstSauvegarde::sauvegardeHorsModeleRefusee()
{
    QFETCH(QString, sql);
    QFETCH(QString, script);
    QFETCH(QStringList, annexes);
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    creerTableEssai();
    ajouter(1, 2);
    QVERIFY(Creer_sauvegarde());
    ajouter(3, 3);
    if (!script.isEmpty()) {
        QFile f(Chemin_maj_base_ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(script.toUtf8());
    }
    QTemporaryDir source;
    const QString erreur = sql == "WAL" ? baseEtJournalQuiLaCache(source.path()) : modeleModifie(source.filePath("test.mdb"), sql);
    QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    for (const QString& annexe : annexes) {
        QFile f(source.filePath(annexe));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("reste d'une session");
    }
    QStringList zip{"-q", "-j", Chemin_sauvegarde()};
    for (const QString& nom : QDir(source.path()).entryList(QDir::Files | QDir::Hidden))
        zip << source.filePath(nom);
    QFile::remove(Chemin_sauvegarde());
    const QString refus = outil("zip", zip);
    if (refus.endsWith(" absent"))
        QSKIP(qPrintable(refus));
    QVERIFY2(refus.isEmpty(), qPrintable(refus));
    const QByteArray sauvegarde = octets(Chemin_sauvegarde());

    QVERIFY(!Annuler_operations());
    QCOMPARE(port.messages(), QStringList({"La sauvegarde " + Chemin_sauvegarde() + " " + kEndommagee}));
    QVERIFY(!cnxBase.ouverte());
    QCOMPARE(octets(Chemin_sauvegarde()), sauvegarde);
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
    sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
    QCOMPARE(lignes(db), QList<int>({1, 2, 3}));
    QCOMPARE(valeur(db, "SELECT count(*) FROM sqlite_master WHERE name IN ('Vide', 'Club_unique')"), QString("0"));
    QCOMPARE(valeur(db, "PRAGMA integrity_check"), QString("ok"));
    sqlite3_close(db);
}

void TstSauvegarde::basesDuProgrammeRestaurees_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("remise");
    const QString marque = "CREATE TABLE Marque (x);";
    QTest::newRow("neuve") << marque << QString() << true;
    QTest::newRow("version plus récente") << "CREATE TABLE Nouvelle (x); ALTER TABLE Licence ADD COLUMN Nouvelle_col TEXT;"
                                             "UPDATE Info SET Version = 4;" + marque
                                          << QString() << true;
    // Older than the model: it lacks what its upgrade script brings, written the script's way.
    QTest::newRow("version 2 et son script")
        << "DROP TABLE RecordClub; ALTER TABLE Profil DROP COLUMN bAlwaysVisibleSuivi; UPDATE Info SET Version = 2;" + marque
        << kScriptVersion3 << true;
    // The shape of the base it replaces; only its version, or a column of a later version,
    // differs. Put back, a version the program neither opens nor upgrades would leave a base that
    // never opens again.
    QTest::newRow("version -5") << "UPDATE Info SET Version = -5;" << QString() << false;
    QTest::newRow("version 0") << "UPDATE Info SET Version = 0;" << kScriptVersion3 << false;
    QTest::newRow("version 2.9, son script en échec") << "UPDATE Info SET Version = 2.9;" << kScriptVersion3 << false;
    QTest::newRow("version 2.9 sans script") << "UPDATE Info SET Version = 2.9;" << QString() << false;
    QTest::newRow("version 1e300") << "UPDATE Info SET Version = 1e300;" << QString() << false;
    QTest::newRow("version infinie") << "UPDATE Info SET Version = 1e999;" << QString() << false;
    QTest::newRow("version 3") << "UPDATE Info SET LastUpdtLic = '2024';" << QString() << true;
    QTest::newRow("version 3.5") << "UPDATE Info SET Version = 3.5;" << QString() << true;
    QTest::newRow("version 4") << "UPDATE Info SET Version = 4;" << QString() << true;
    // Activite_licence is written with its columns named; Relais and Rcomp are written and copied
    // by position.
    QTest::newRow("version 4, colonne de plus dans Activite_licence")
        << "UPDATE Info SET Version = 4; ALTER TABLE Activite_licence ADD COLUMN Niveau TEXT;" << QString() << true;
    QTest::newRow("version 4, colonne de plus dans Relais")
        << "UPDATE Info SET Version = 4; ALTER TABLE Relais ADD COLUMN Note TEXT;" << QString() << false;
    QTest::newRow("version 4, colonne de plus dans Rcomp")
        << "UPDATE Info SET Version = 4; ALTER TABLE Rcomp ADD COLUMN Note TEXT;" << QString() << false;
}

// Backups of this program's bases are taken back, whatever their version, as long as the program
// opens it or its upgrade brings it to one the program opens.
void TstSauvegarde::basesDuProgrammeRestaurees()
{
    QFETCH(QString, sql);
    QFETCH(QString, script);
    QFETCH(bool, remise);
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    Fermer_base();
    if (!script.isEmpty()) {
        QFile f(Chemin_maj_base_ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(script.toUtf8());
    }
    QTemporaryDir source;
    const QString entree = source.filePath("test.mdb");
    QString erreur = baseOutil(entree, true, sql);
    if (erreur.isEmpty())
        erreur = outil("zip", {"-q", "-j", Chemin_sauvegarde(), entree});
    if (erreur.endsWith(" absent"))
        QSKIP(qPrintable(erreur));
    QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    const QByteArray avant = octets(base.chemin());

    QCOMPARE(Restaurer_sauvegarde(), remise);
    if (remise) {
        QCOMPARE(port.messages(), QStringList());
        QCOMPARE(octets(base.chemin()), octets(entree));
    } else {
        QCOMPARE(port.messages(), QStringList({"La sauvegarde " + Chemin_sauvegarde() + " " + kEndommagee}));
        QCOMPARE(octets(base.chemin()), avant);
    }
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
}

void TstSauvegarde::grandesBasesRemisesEnPlace_data()
{
    QTest::addColumn<QString>("remplissage");
    QTest::addColumn<qint64>("tailleMin");
    // Larger than the 256 MB an archive was once bounded to.
    QTest::newRow("base de plus de 256 Mo")
        << "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 66000) "
           "INSERT INTO Vrac SELECT randomblob(600) || zeroblob(3400) FROM s"
        << (qint64(256) << 20);
    // Deflated, it shrinks further than any archive is allowed to unpack from.
    QTest::newRow("blob de zéros") << "INSERT INTO Vrac VALUES (zeroblob(100000000))" << qint64(100000000);
}

// Every backup the program writes, it puts back.
void TstSauvegarde::grandesBasesRemisesEnPlace()
{
    QFETCH(QString, remplissage);
    QFETCH(qint64, tailleMin);
    BaseTest base;
    PortIhmTest port;
    creerTableEssai();
    base.executer("CREATE TABLE Vrac (b BLOB)");
    base.executer(remplissage);
    const QString somme = base.valeur("SELECT sum(length(b)) || ' ' || count(*) FROM Vrac");
    QVERIFY(QFileInfo(base.chemin()).size() > tailleMin);
    ajouter(1, 2);
    QElapsedTimer chrono;
    chrono.start();
    QVERIFY(Creer_sauvegarde());
    const qint64 sauvegarde = chrono.restart();
    ajouter(3, 4);
    base.executer("DELETE FROM Vrac WHERE rowid % 2 = 0");

    QVERIFY(Annuler_operations());
    qInfo("sauvegarde %lld ms, remise en place %lld ms (%.0f Mo, archive %.0f Mo)", sauvegarde, chrono.elapsed(),
          QFileInfo(base.chemin()).size() / 1048576.0, QFileInfo(Chemin_sauvegarde()).size() / 1048576.0);
    QCOMPARE(port.messages(), QStringList());
    QVERIFY(cnxBase.ouverte());
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 2}));
    QCOMPARE(base.valeur("SELECT sum(length(b)) || ' ' || count(*) FROM Vrac"), somme);
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
}

void TstSauvegarde::sauvegardePendantEcritures()
{
    BaseTest base;
    PortIhmTest port;
    base.executer("CREATE TABLE Paire (cote INTEGER, charge TEXT)");
    base.executer("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 40000) "
                  "INSERT INTO Paire SELECT i % 2, printf('%0200d', i) FROM s");
    auto verifierCopie = [](const QString& archive) {
        QTemporaryDir d;
        QVERIFY(Zipper(archive, d.path(), false, true));
        sqlite3* db = Ouvrir_connexion_sqlite(d.filePath("test.mdb"), true);
        const QString integrite = valeur(db, "PRAGMA integrity_check");
        const QString zeros = valeur(db, "SELECT count(*) FROM Paire WHERE cote = 0");
        const QString uns = valeur(db, "SELECT count(*) FROM Paire WHERE cote = 1");
        sqlite3_close(db);
        QCOMPARE(integrite, QString("ok"));
        QCOMPARE(zeros, uns);
    };

    // Another connection keeps writing rows two at a time, each pair in one transaction. The
    // first pair is a long one whose pages reach the file before it commits.
    std::atomic<bool> fin{false};
    std::atomic<bool> longueEnCours{false};
    std::atomic<int> paires{0};
    std::thread ecrivain([&] {
        sqlite3* db = Ouvrir_connexion_sqlite(base.chemin());
        sqlite3_busy_timeout(db, 10000);
        sqlite3_exec(db, "PRAGMA cache_size=5", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 3000) "
                         "INSERT INTO Paire SELECT 0, printf('%0200d', i) FROM s", nullptr, nullptr, nullptr);
        longueEnCours = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(db, "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 3000) "
                         "INSERT INTO Paire SELECT 1, printf('%0200d', i) FROM s", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
        while (!fin) {
            if (sqlite3_exec(db,
                             "BEGIN IMMEDIATE; INSERT INTO Paire VALUES (0, 'a'); "
                             "UPDATE Paire SET charge = hex(randomblob(100)) WHERE rowid = 1 + abs(random()) % 40000; "
                             "INSERT INTO Paire VALUES (1, 'b'); COMMIT;",
                             nullptr, nullptr, nullptr)
                == SQLITE_OK)
                ++paires;
            else
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sqlite3_close(db);
    });
    struct Arret {
        std::atomic<bool>& fin;
        std::thread& t;
        ~Arret()
        {
            fin = true;
            t.join();
        }
    } arret{fin, ecrivain};

    while (!longueEnCours)
        QThread::msleep(1);
    const QString archive = base.repertoire().fichier("pendant.zip");
    QVERIFY(Compresser(archive)); // waits for the long transaction to end
    verifierCopie(archive);
    if (QTest::currentTestFailed())
        return;

    QStringList comptes;
    for (int i = 0; i < 4; ++i) {
        while (paires < (i + 1) * 20)
            QThread::msleep(1);
        QVERIFY(Creer_sauvegarde());
        verifierCopie(Chemin_sauvegarde());
        if (QTest::currentTestFailed())
            return;
        sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
        comptes << valeur(db, "SELECT count(*) FROM Paire");
        sqlite3_close(db);
    }
    QVERIFY2(comptes.first() != comptes.last(), "the writer never got in between");
    QCOMPARE(port.messages(), QStringList());
}

// An application folder the user may not write (a shared installation): bases kept in a folder
// of their own are still backed up and restored, through the system's temporary folder.
void TstSauvegarde::dossierApplicationLectureSeule()
{
    REJOUER_SANS_PRIVILEGES();
    RepertoireTest rep;
    QTemporaryDir donnees;
    const ApplicationLectureSeule lectureSeule(rep.chemin());

    strCheminBase = donnees.filePath("club.mdb");
    QVERIFY(QFile::copy(Chemin_modele_construit(), strCheminBase));
    QFile::setPermissions(strCheminBase, QFile::ReadOwner | QFile::WriteOwner);
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QString erreur;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    creerTableEssai();
    ajouter(1, 2);
    QVERIFY(Creer_sauvegarde());
    QCOMPARE(port.messages(), QStringList());
    QCOMPARE(lireSauvegarde(Chemin_sauvegarde(), "club.mdb").lignes, QList<int>({1, 2}));

    ajouter(3, 3);
    QVERIFY(Annuler_operations());
    QCOMPARE(port.messages(), QStringList());
    QCOMPARE(lignes(cnxBase.handle()), QList<int>({1, 2}));
    Fermer_base();
    // The work folders are gone from everywhere.
    QCOMPARE(lectureSeule.systeme(), QStringList());
    QCOMPARE(travaux(Services::repertoireApplication()), QStringList());
}

void TstSauvegarde::restaurerDerniereSauvegarde_data()
{
    QTest::addColumn<bool>("sauvegardeAbimee");
    QTest::newRow("sauvegarde saine") << false;
    QTest::newRow("sauvegarde abîmée") << true;
}

void TstSauvegarde::restaurerDerniereSauvegarde()
{
    QFETCH(bool, sauvegardeAbimee);
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    EtapesEnregistrees etapes;
    creerTableEssai();
    ajouter(1, 1);
    QVERIFY(Creer_sauvegarde());
    Fermer_base();
    const QString chemin = base.chemin();

    // Nothing to do when the base reopens.
    QVERIFY(Restaurer_derniere_sauvegarde());
    QVERIFY(cnxBase.ouverte());
    QVERIFY(port.messages().isEmpty());
    Fermer_base();

    // A component left the file unreadable.
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
    f.close();
    if (sauvegardeAbimee) {
        QFile s(Chemin_sauvegarde());
        QVERIFY(s.open(QIODevice::WriteOnly | QIODevice::Truncate));
        s.write("abîmée");
    }
    QVERIFY(Restaurer_derniere_sauvegarde());
    QVERIFY(!cnxBase.ouverte());
    QCOMPARE(strCheminBase, QString());
    QVERIFY(etapes.journal.contains("menus fermés"));
    QVERIFY(port.messages()[0].startsWith("Erreur lors de la connexion à la base.\r\n"));
    QVERIFY(port.messages()[0].endsWith("\r\nRestauration de la dernière sauvegarde."));
    strCheminBase = chemin;
    if (sauvegardeAbimee) {
        QVERIFY(port.messages().last().startsWith("Erreur lors de la restauration de la dernière sauvegarde.\r\n"
                                                  "La sauvegarde temporaire n'a pas été supprimée."));
        QVERIFY(QFileInfo::exists(Chemin_sauvegarde()));
    } else {
        QCOMPARE(port.messages().size(), 1);
        QVERIFY(!QFileInfo::exists(Chemin_sauvegarde()));
        sqlite3* db = Ouvrir_connexion_sqlite(chemin, true);
        QCOMPARE(lignes(db), QList<int>({1}));
        sqlite3_close(db);
    }
}

void TstSauvegarde::compactage()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    creerTableEssai();
    base.executer("WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 20000) "
                  "INSERT INTO Essai SELECT i, printf('%0300d', i) FROM s");
    base.executer("DELETE FROM Essai WHERE n > 10");
    base.executer("INSERT INTO Licence (Nom) VALUES ('Effacé')");
    const int dernier = base.valeur("SELECT max(Num) FROM Licence").toInt();
    base.executer("DELETE FROM Licence");
    Marquer_fermeture("False");
    const qint64 avant = QFileInfo(base.chemin()).size();
    QFile reste(base.chemin() + ".tmp.compact");
    QVERIFY(reste.open(QIODevice::WriteOnly));
    reste.write("ancien essai");
    reste.close();

    Compacter_base(strCheminBase);
    QCOMPARE(port.messages(), QStringList({"Base compactée avec succès."}));
    QVERIFY(!QFileInfo::exists(base.chemin() + ".tmp.compact"));
    QVERIFY(QFileInfo(base.chemin()).size() < avant / 4);
    QVERIFY(cnxBase.ouverte());
    QCOMPARE(lignes(cnxBase.handle()).size(), 10);
    QCOMPARE(base.valeur("PRAGMA integrity_check"), QString("ok"));
    QCOMPARE(base.valeur("select LastClose from Info"), QString("Faux"));
    // Keys are never given again after a compaction.
    base.executer("INSERT INTO Licence (Nom) VALUES ('X')");
    QCOMPARE(base.valeur("SELECT max(Num) FROM Licence").toInt(), dernier + 1);
}

void TstSauvegarde::compactageReouvertureRatee()
{
    BaseTest base;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    EtapesEnregistrees etapes;
    creerTableEssai();
    ajouter(1, 3);
    {
        ReouvertureEmpechee disqueRetire(base.chemin());
        Compacter_base(strCheminBase);
    }
    QCOMPARE(port.messages().size(), 1);
    QVERIFY2(port.messages()[0].startsWith("Connexion impossible à la base compactée.\r\nOpération annulée.\r\n"),
             qPrintable(port.messages()[0]));
    QVERIFY(!cnxBase.ouverte());
    QVERIFY(etapes.journal.contains("menus fermés"));
    QVERIFY(!QFileInfo::exists(base.chemin() + ".tmp.compact"));
    sqlite3* db = Ouvrir_connexion_sqlite(base.chemin(), true);
    QCOMPARE(lignes(db), QList<int>({1, 2, 3}));
    sqlite3_close(db);
}

// An upgrade sets the user's backup aside for its own. After a kill, the next opening (which
// takes the lock) puts the user's back, or removes the upgrade's when the user had none; a
// reopening by an operation of this process that holds the lock leaves them as they are.
void TstSauvegarde::sauvegardeMiseDeCoteRemiseEnPlace_data()
{
    QTest::addColumn<bool>("sauvegardeUtilisateur");
    QTest::newRow("sauvegarde de l'utilisateur") << true;
    QTest::newRow("aucune sauvegarde") << false;
}

void TstSauvegarde::sauvegardeMiseDeCoteRemiseEnPlace()
{
    QFETCH(bool, sauvegardeUtilisateur);
    BaseTest base;
    PortIhmTest port;
    const QString sauvegarde = base.chemin() + ".sav";
    const auto ecrireSauvegarde = [&](const QByteArray& contenu) {
        QFile f(sauvegarde);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenu);
    };
    if (sauvegardeUtilisateur)
        ecrireSauvegarde("celle de l'utilisateur");
    Mettre_de_cote_sauvegarde(base.chemin());
    QVERIFY(QFileInfo::exists(base.chemin() + ".sav.maj"));
    ecrireSauvegarde("celle de la mise à jour");

    // Reopened under the lock the operation holds: nothing moves.
    {
        VerrouBase garde;
        QCOMPARE(garde.prendre(base.chemin()), QLockFile::NoError);
        cnxBase.fermer();
        QString erreur;
        QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
        QCOMPARE(octets(sauvegarde), QByteArray("celle de la mise à jour"));
        QVERIFY(QFileInfo::exists(base.chemin() + ".sav.maj"));
    }

    // Killed there: the lock is let go without a word; the next opening puts things back.
    cnxBase.fermer();
    QString erreur;
    QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
    QVERIFY(!QFileInfo::exists(base.chemin() + ".sav.maj"));
    if (sauvegardeUtilisateur)
        QCOMPARE(octets(sauvegarde), QByteArray("celle de l'utilisateur"));
    else
        QVERIFY(!QFileInfo::exists(sauvegarde));
    QCOMPARE(port.messages(), QStringList());
}

void TstSauvegarde::copierModele()
{
    RepertoireTest rep;
    PortIhmTest port;
    port.accepterMessagesOk(true);
    const QString cible = rep.fichier("nouvelle.mdb");
    QFile vieux(cible);
    QVERIFY(vieux.open(QIODevice::WriteOnly));
    vieux.write("ancienne base");
    vieux.close();
    QFile journal(cible + "-journal");
    QVERIFY(journal.open(QIODevice::WriteOnly));
    journal.close();
    QFile::setPermissions(strCheminModeleBase, QFile::ReadOwner);

    QVERIFY(Copier_modele_base(cible));
    QCOMPARE(octets(cible), octets(strCheminModeleBase));
    QVERIFY(QFileInfo(cible).isWritable());
    QVERIFY(!QFileInfo::exists(cible + "-journal"));

    QFile::setPermissions(strCheminModeleBase, QFile::ReadOwner | QFile::WriteOwner);
    QFile::remove(strCheminModeleBase);
    QVERIFY(!Copier_modele_base(rep.fichier("autre.mdb")));
    QCOMPARE(port.messages(), QStringList({"Modèle de base non trouvée.\r\n"
                                           "Impossible de continuer, le programme va être terminé.\r\n"
                                           "Contactez le fournisseur."}));
    QVERIFY(!QFileInfo::exists(rep.fichier("autre.mdb")));
}

void TstSauvegarde::initialiserBase()
{
    BaseTest base;
    PortIhmTest port;
    EtapesEnregistrees etapes;
    strCodeClub = "12345";
    Initialiser_base();
    QCOMPARE(etapes.journal, QStringList({"menus ouverts", "statut Contrôle Club", "club", "statut Lecture profil",
                                          "profil 1", "statut Contrôle Nageur et Piscine"}));
    QVERIFY(!strNumLicenceNulle.isEmpty());
    QCOMPARE(base.valeur("SELECT Num FROM Licence WHERE Nom = 'Null'"), strNumLicenceNulle);
    QCOMPARE(base.valeur("SELECT count(*) FROM Piscine WHERE Nom = 'Null'"), QString("1"));
    strCodeClub.clear();
    strNumLicenceNulle.clear();
}

int main(int argc, char** argv)
{
    if (argc == 4 && (qstrcmp(argv[1], "--enfant-crash") == 0 || qstrcmp(argv[1], "--enfant-sauvegarde-suspendue") == 0)) {
        QCoreApplication app(argc, argv);
        return enfantTue(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc == 5 && qstrcmp(argv[1], "--enfant-restaurations") == 0) {
        QCoreApplication app(argc, argv);
        return enfantRestaurations(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                                   QString::fromLocal8Bit(argv[4]));
    }
    QApplication app(argc, argv);
    TstSauvegarde tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_sauvegarde.moc"
