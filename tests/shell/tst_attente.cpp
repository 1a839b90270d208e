// The component runner with fake components registered under the real class names: each action
// calls its method with the arguments in order on a closed base, outputs are moved or zipped,
// the trace is shown, and the base comes back (or its backup does) when the window closes.

#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/progression.h"
#include "core/sauvegarde.h"
#include "competitions/rcomp.h"
#include "fixtures.h"
#include "port_test.h"
#include "sans_privileges.h"
#include "shell/frm_attente.h"
#include "shell/frm_principal.h"

#include <sqlite3.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextBlock>

#include <functional>

namespace {

// What a fake did and what it is to do.
struct Faux {
    // Set by the test.
    QVariant resultat = true;
    bool lever = false;
    bool ecrireTrace = true;
    QStringList sorties;
    std::function<void(const QVariantList&)> action;
    // Recorded.
    int appels = 0;
    QString membre;
    QVariantList arguments;
    bool baseOuverte = true;
    bool cibleTrouvee = false;
};

// The place of the work folder and of the trace in each action's arguments.
struct Places {
    int temp;
    int trace;
};

Places places(const QString& code)
{
    if (code == "envassoc")
        return {1, 2};
    if (code == "envadher")
        return {3, 4};
    if (code == "majiuf")
        return {-1, 2};
    if (code == "envchrono" || code == "disk")
        return {4, 5};
    return {2, 3};
}

class ComposantFaux : public Composant {
public:
    ComposantFaux(Faux& etat, Places p) : m_etat(etat), m_places(p) {}
    QVariant appeler(const QString& membre, const QVariantList& a) override
    {
        ++m_etat.appels;
        m_etat.membre = membre;
        m_etat.arguments = a;
        m_etat.baseOuverte = cnxBase.ouverte();
        for (const QVariant& v : a) {
            if (auto* c = qobject_cast<CibleProgression*>(v.value<QObject*>())) {
                m_etat.cibleTrouvee = true;
                c->setProgress(50);
                c->setClub("Cercle des nageurs");
                c->setSwimmer("DUPONT Anne");
            }
        }
        if (m_places.temp >= 0) {
            for (const QString& nom : std::as_const(m_etat.sorties)) {
                QFile f(QDir(a[m_places.temp].toString()).filePath(nom));
                f.open(QIODevice::WriteOnly);
                f.write(nom.toUtf8());
            }
        }
        if (m_etat.ecrireTrace) {
            QFile f(a[m_places.trace].toString());
            f.open(QIODevice::WriteOnly);
            f.write("Trace du composant : é\n");
        }
        if (m_etat.action)
            m_etat.action(a);
        if (m_etat.lever)
            throw ErreurExecution(1001, "panne du composant");
        return m_etat.resultat;
    }

private:
    Faux& m_etat;
    Places m_places;
};

template <class T>
T* enfant(QWidget& w, const char* nom)
{
    T* t = w.findChild<T*>(QString::fromLatin1(nom));
    if (!t)
        qFatal("contrôle %s introuvable", nom);
    return t;
}

void cliquer(QWidget& w, const char* nom)
{
    enfant<QPushButton>(w, nom)->click();
}

QStringList entreesArchive(const QString& archive, const QString& dossier)
{
    QDir(dossier).removeRecursively();
    if (!Zipper(archive, dossier, false, true))
        return {"(illisible)"};
    return QDir(dossier).entryList(QDir::Files, QDir::Name);
}

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

// A meet with one result of our swimmer Zoé Dupont; without its clubs, an invitation.
const QByteArray kReunion =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<LENEX version='3.0'><MEETS><MEET name='Meeting de printemps' city='Lille' course='SCM'><SESSIONS>\n"
    "<SESSION number='1' date='2024-06-08'><EVENTS>\n"
    "<EVENT eventid='1' number='1' gender='F' round='TIM'><SWIMSTYLE distance='100' relaycount='1' stroke='FREE'/></EVENT>\n"
    "</EVENTS></SESSION></SESSIONS>\n";
const QByteArray kResultats = kReunion
                              + "<CLUBS><CLUB name='Cercle des nageurs' code='FRA1320590001'><ATHLETES>\n"
                                "<ATHLETE athleteid='1' lastname='Dupont' firstname='Zoé' birthdate='2012-03-14' gender='F'><RESULTS>\n"
                                "<RESULT resultid='1' eventid='1' swimtime='00:01:05.32'/></RESULTS></ATHLETE>\n"
                                "</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>\n";

} // namespace

class TstAttente : public QObject {
    Q_OBJECT

    Faux m_faux;
    std::unique_ptr<BaseTest> m_base;
    std::unique_ptr<PortIhmTest> m_port;

    QString app(const QString& nom) const { return m_base->repertoire().fichier(nom); }
    QString dossier(const QString& nom) const { return m_base->repertoire().dossier(nom); }
    void enregistrer(const QString& classe, const QString& code)
    {
        const Places p = places(code);
        Composants::enregistrer(classe, [this, p] { return std::make_unique<ComposantFaux>(m_faux, p); });
    }
    // A meet import of the real components from the folder given, into a new competition or
    // into competition cle; its report.
    QString importer(const QString& code, const QString& source, const QString& cle)
    {
        QString rapport;
        m_port->repondreRepertoire(source);
        m_port->repondreModal([&rapport](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            rapport = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        if (code == "impres")
            Lancer_attente("MeetResultsImporter", "impres", "Importer Résultats", cle, cle.isEmpty());
        else
            Lancer_attente("MeetSkeletonImporter", "Impor sque", "Importer squelette compétition", cle, cle.isEmpty());
        return rapport;
    }
    // The window's next run as a user makes it: the option ticked, the path chosen, "Ok"; the
    // report is kept before "Quitter".
    void repondreOptionCochee(QString& rapport)
    {
        m_port->repondreModal([&rapport](QDialog& d) {
            enfant<QCheckBox>(d, "chk_option")->click();
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            rapport = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            cliquer(d, "Cmd_quit");
            return 0;
        });
    }
    // The performance export run under a main window placed at `principale`; once it is over,
    // `lire` reads its trace window. Returns the main window's frame.
    QRect exporterEtLireTrace(const QRect& principale, const std::function<void(QDialog&, QTextEdit&)>& lire)
    {
        QMainWindow fenetre;
        fenetre.setGeometry(principale);
        fenetre.show();
        QPointer<QMainWindow> avant = frmPrincipal;
        frmPrincipal = &fenetre;
        m_port->repondreRepertoire(dossier("cible"));
        m_port->repondre(Reponse::Oui);
        m_port->repondreModal([&lire](QDialog& d) {
            d.show();
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            auto* rapport = enfant<QTextEdit>(d, "RichRapport");
            QCoreApplication::processEvents();
            lire(d, *rapport);
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("PerformanceExporter", "envchrono", "Exporter Performances", "", false);
        frmPrincipal = avant;
        return fenetre.frameGeometry();
    }

private slots:
    void init()
    {
        m_faux = Faux();
        m_base = std::make_unique<BaseTest>();
        m_port = std::make_unique<PortIhmTest>();
        m_port->accepterMessagesOk(true);
        strCodeClub = "FRA1320590001";
        bClubSelection = true;
        strNumProfil = "7";
    }

    void cleanup()
    {
        Composants::retirer_tout();
        m_port.reset();
        m_base.reset();
    }

    // Every action calls its component's method with its arguments in order, on a closed base;
    // an export's outputs reach the chosen folder; the work folders go; the base comes back.
    void actions_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("methode");
        QTest::addColumn<QString>("lbRep");
        QTest::addColumn<QString>("option"); // "" when the action has none
        QTest::addColumn<bool>("coche");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("estExport");

        const QString sauvegarde = "Répertoire de sauvegarde :";
        const QString source = "Répertoire source :";
        QTest::newRow("envassoc") << "envassoc" << "ClubExporter" << "bExport_Club" << sauvegarde << "" << false
                                  << QStringList{"base", "temp", "trace", "fenetre"} << true;
        QTest::newRow("impclub") << "impclub" << "ClubImporter" << "bImport_Club" << source << "Force mise à jour des clubs"
                                 << false << QStringList{"base", "source", "temp", "trace", "fenetre", "coche"} << false;
        QTest::newRow("envadher") << "envadher" << "LicenceExporter" << "bExport_licence" << sauvegarde << "" << false
                                  << QStringList{"base", "club", "selection", "temp", "trace", "fenetre"} << true;
        QTest::newRow("implic") << "implic" << "LicenceImporter" << "bimport_licence" << source << "" << false
                                << QStringList{"base", "source", "temp", "trace", "fenetre"} << false;
        QTest::newRow("majiuf") << "majiuf" << "IufCodeUpdater" << "bImport_CodeIUF" << "Fichier source :"
                                << "Mettre à jour uniquement licence de mon club" << false
                                << QStringList{"dezip", "base", "trace", "fenetre", "coche", "club"} << false;
        QTest::newRow("envchrono") << "envchrono" << "PerformanceExporter" << "bexport_performance" << sauvegarde
                                   << "Restreindre à mon club" << true
                                   << QStringList{"base", "club", "selection", "pas coche", "temp", "trace", "fenetre"} << true;
        QTest::newRow("impperf") << "impperf" << "PerformanceImporter" << "bimport_perf" << source << "" << false
                                 << QStringList{"base", "source", "temp", "trace", "fenetre"} << false;
        QTest::newRow("impres") << "impres" << "MeetResultsImporter" << "bimport_result" << source << "Fichier compressé" << false
                                << QStringList{"base", "source", "temp", "trace", "fenetre", "compet", "nouvelle"} << false;
        QTest::newRow("Impor sque") << "Impor sque" << "MeetSkeletonImporter" << "bimport_squelette" << source
                                    << "Fichier compressé" << false
                                    << QStringList{"base", "source", "temp", "trace", "fenetre", "compet", "nouvelle"} << false;
        QTest::newRow("disk") << "disk" << "EntryFilesBuilder" << "bCreation_disquette" << sauvegarde << "Compresser les fichiers"
                              << false << QStringList{"profil", "selection", "compet", "base", "temp", "trace", "fenetre"} << true;
    }

    void actions()
    {
        QFETCH(QString, code);
        QFETCH(QString, classe);
        QFETCH(QString, methode);
        QFETCH(QString, lbRep);
        QFETCH(QString, option);
        QFETCH(bool, coche);
        QFETCH(QStringList, arguments);
        QFETCH(bool, estExport);
        enregistrer(classe, code);
        m_faux.sorties = QStringList{"sortie.txt"};
        const QString cible = dossier("cible");
        if (code == "majiuf") {
            ecrire(app("iuf.txt"), "données");
            QVERIFY(Zipper(app("iuf.zip"), app("iuf.txt"), true, false));
            m_port->repondreFichier(app("iuf.zip"));
        } else {
            m_port->repondreRepertoire(cible);
        }
        if (estExport)
            m_port->repondre(Reponse::Oui);

        QString rapport;
        m_port->repondreModal([&](QDialog& d) {
            auto& f = dynamic_cast<frm_attente&>(d);
            [&] {
                QCOMPARE(enfant<QLabel>(d, "lbRep")->text(), lbRep);
                auto* boite = enfant<QCheckBox>(d, "chk_option");
                QCOMPARE(boite->isVisibleTo(&d), !option.isEmpty());
                if (!option.isEmpty())
                    QCOMPARE(boite->text(), option);
                QCOMPARE(boite->isChecked(), coche);
                QVERIFY(!enfant<QPushButton>(d, "Cmd_ok")->isEnabled());
                cliquer(d, "Cmd_rep_0");
                QVERIFY(enfant<QPushButton>(d, "Cmd_ok")->isEnabled());
                cliquer(d, "Cmd_ok");
                QCOMPARE(f.etat(), frm_attente::Etat::Trace);
                QCOMPARE(enfant<QProgressBar>(d, "ProgressBar1")->value(), 50);
                QCOMPARE(enfant<QLabel>(d, "lb_club")->text(), QString("Cercle des nageurs"));
                // Names read from the files: never markup.
                QCOMPARE(enfant<QLabel>(d, "lb_club")->textFormat(), Qt::PlainText);
                QCOMPARE(enfant<QLabel>(d, "lb_nageur")->textFormat(), Qt::PlainText);
                rapport = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            }();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente(classe, code, "Titre", "12", false);

        QVERIFY(m_port->toutConsomme());
        QCOMPARE(m_faux.appels, 1);
        QCOMPARE(m_faux.membre, methode);
        QVERIFY(!m_faux.baseOuverte);
        QVERIFY(m_faux.cibleTrouvee);
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(m_faux.arguments.size(), arguments.size());
        for (int i = 0; i < arguments.size(); ++i) {
            const QString& role = arguments[i];
            const QVariant& v = m_faux.arguments[i];
            QVariant attendu;
            if (role == "base")
                attendu = m_base->chemin();
            else if (role == "source")
                attendu = cible;
            else if (role == "dezip" || role == "temp" || role == "trace") {
                // In the run's own work folder, in the application folder.
                const QFileInfo f(v.toString());
                const QString nom = role == "dezip" ? "tmpdezip" : role == "temp" ? "tmpexpimp" : "traceexpimp.txt";
                const QFileInfo travail(f.path());
                const QFileInfo racine(travail.path());
                const bool sien = f.fileName() == nom && travail.fileName() == "tmpexpimp"
                                  && racine.fileName().startsWith("quorvelane-tmpexpimp-")
                                  && racine.path() == m_base->repertoire().chemin();
                attendu = sien ? v : QVariant();
            }
            else if (role == "coche")
                attendu = coche;
            else if (role == "pas coche")
                attendu = !coche;
            else if (role == "club")
                attendu = strCodeClub;
            else if (role == "selection")
                attendu = true;
            else if (role == "profil")
                attendu = strNumProfil;
            else if (role == "compet")
                attendu = QString("12");
            else if (role == "nouvelle")
                attendu = false;
            if (role == "fenetre")
                // The window itself is gone by now; the fake found its progress while it ran.
                QCOMPARE(v.typeId(), int(QMetaType::QObjectStar));
            else
                QVERIFY2(v == attendu, qPrintable(role + " : " + v.toString() + " au lieu de " + attendu.toString()));
        }
        QVERIFY(rapport.startsWith("Trace du composant : é"));
        // The trace and the work folders are gone; an export's output is in the chosen folder.
        QCOMPARE(QDir(m_base->repertoire().chemin()).entryList({"tmp*", "trace*", "quorvelane-*"}), QStringList());
        QCOMPARE(QFileInfo::exists(cible + "/sortie.txt"), estExport);
    }

    // An archive chosen for the entry files is replaced by what was produced, even when the
    // component failed; a file already there loses its old entries.
    void archiveEngagementsRemplacee()
    {
        enregistrer("EntryFilesBuilder", "disk");
        m_faux.sorties = QStringList{"a.txt", "b.txt"};
        m_faux.resultat = false;
        ecrire(app("vieux.txt"), "ancien");
        const QString archive = app("engag.zip");
        QVERIFY(Zipper(archive, app("vieux.txt"), true, false));
        m_port->repondreFichier(archive);
        m_port->repondreModal([&](QDialog& d) {
            auto* boite = enfant<QCheckBox>(d, "chk_option");
            boite->click();
            [&] {
                QCOMPARE(enfant<QLabel>(d, "lbRep")->text(), QString("Fichier généré :"));
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(enfant<QLineEdit>(d, "txt_rep")->text(), archive);
                cliquer(d, "Cmd_ok");
            }();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("EntryFilesBuilder", "disk", "Création Fichiers Engagements", "12", false);
        QCOMPARE(m_faux.appels, 1);
        QCOMPARE(entreesArchive(archive, app("lu")), QStringList({"a.txt", "b.txt"}));
        for (const AppelIhm& a : m_port->appels()) {
            if (a.genre == "fichier")
                QCOMPARE(a.titre, QString("Création disquette d'engagements"));
        }
    }

    // An entry file refused by its component leaves nothing to zip: the report must not claim an
    // archive, and none is made.
    void archiveEngagementsSansFichier()
    {
        enregistrer("EntryFilesBuilder", "disk");
        m_faux.resultat = false;
        const QString archive = app("engag.zip");
        m_port->repondreFichier(archive);
        QString rapport;
        repondreOptionCochee(rapport);
        Lancer_attente("EntryFilesBuilder", "disk", "Création Fichiers Engagements", "12", false);
        QCOMPARE(m_faux.appels, 1);
        QVERIFY2(rapport.contains("Aucune archive n'a été écrite."), qPrintable(rapport));
        QVERIFY2(!rapport.contains("Fichiers compressés"), qPrintable(rapport));
        QVERIFY(!QFileInfo::exists(archive));
    }

    // A component that cannot be made: the message, no window, the base left open.
    void composantIntrouvable()
    {
        Composants::enregistrer("ClubExporter", {});
        Lancer_attente("ClubExporter", "envassoc", "Exporter Clubs", "", false);
        QCOMPARE(m_port->messages().size(), 1);
        QVERIFY(m_port->messages()[0].startsWith("Une erreur s'est produite lors du chargement de la fenêtre\r\n"));
        QVERIFY(m_port->messages()[0].contains("qv_echange_clubs.so"));
        for (const AppelIhm& a : m_port->appels())
            QVERIFY(a.genre != "modal");
        QVERIFY(cnxBase.ouverte());
    }

    // Failure is never taken for success: nothing is copied, the user is told, the base is back.
    void echecsDuComposant_data()
    {
        QTest::addColumn<int>("cas"); // 0 false, 1 no Boolean, 2 exception, 3 no trace
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("rapport");
        QTest::newRow("faux") << 0 << QStringList() << true;
        QTest::newRow("pas un booléen") << 1 << QStringList() << true;
        QTest::newRow("exception") << 2
                                   << QStringList{"Une erreur s'est produite lors de l'exécution de l'opération.\r\n"
                                                  "Erreur n° 1001, panne du composant"}
                                   << true;
        QTest::newRow("sans trace") << 3 << QStringList{"Erreur de lecture du fichier trace !"} << false;
    }

    void echecsDuComposant()
    {
        QFETCH(int, cas);
        QFETCH(QStringList, messages);
        QFETCH(bool, rapport);
        enregistrer("LicenceExporter", "envadher");
        m_faux.sorties = QStringList{"licences.txt"};
        m_faux.resultat = cas == 1 ? QVariant("Vrai") : QVariant(cas == 3);
        m_faux.lever = cas == 2;
        m_faux.ecrireTrace = cas != 3;
        const QString cible = dossier("cible");
        m_port->repondreRepertoire(cible);
        m_port->repondre(Reponse::Oui);
        QString texte;
        bool fin = false;
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            texte = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            fin = dynamic_cast<frm_attente&>(d).etat() == frm_attente::Etat::Trace;
            if (d.isVisible() && fin)
                cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("LicenceExporter", "envadher", "Exporter Licences", "", false);
        QCOMPARE(m_port->messages().mid(1), messages);
        QCOMPARE(fin, rapport);
        if (rapport)
            QVERIFY(texte.endsWith("Aucun fichier n'a été copié dans le répertoire choisi."));
        // Only the export that succeeded (without a trace) delivered its file.
        QCOMPARE(QFileInfo::exists(cible + "/licences.txt"), cas == 3);
        QCOMPARE(QDir(m_base->repertoire().chemin()).entryList({"tmp*", "quorvelane-*"}), QStringList());
        QVERIFY(cnxBase.ouverte());
    }

    // A read-only application folder (a shared installation): the run works in the system's
    // temporary folder, delivers its file and leaves nothing there.
    void executionDossierApplicationLectureSeule()
    {
        REJOUER_SANS_PRIVILEGES();
        QTemporaryDir donnees;
        cnxBase.fermer();
        strCheminBase = donnees.filePath("club.mdb");
        QVERIFY(QFile::copy(m_base->chemin(), strCheminBase));
        QString erreur;
        QVERIFY2(Ouvrir_base(erreur), qPrintable(erreur));
        const QString cible = dossier("cible");
        const ApplicationLectureSeule lectureSeule(m_base->repertoire().chemin());
        enregistrer("LicenceExporter", "envadher");
        m_faux.sorties = QStringList{"licences.txt"};
        m_port->repondreRepertoire(cible);
        m_port->repondre(Reponse::Oui);
        QString texte;
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            texte = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("LicenceExporter", "envadher", "Exporter Licences", "", false);
        QCOMPARE(m_port->messages().mid(1), QStringList());
        QCOMPARE(m_faux.appels, 1);
        QVERIFY2(texte.endsWith("Fichiers copiés dans : " + cible), qPrintable(texte));
        QVERIFY(QFileInfo::exists(cible + "/licences.txt"));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(lectureSeule.systeme(), QStringList());
    }

    // After "No" to the overwrite question the base stays closed, "Go" waits for a new path and
    // the option may change again; a second "Go" runs once.
    void refusPuisNouvelEssai()
    {
        enregistrer("EntryFilesBuilder", "disk");
        m_faux.sorties = QStringList{"engag.txt"};
        const QString cible = dossier("cible");
        m_port->repondreRepertoire(cible);
        m_port->repondre(Reponse::Non);
        m_port->repondreRepertoire(cible);
        m_port->repondre(Reponse::Oui);
        m_port->repondreModal([&](QDialog& d) {
            [&] {
                cliquer(d, "Cmd_rep_0");
                cliquer(d, "Cmd_ok");
                QCOMPARE(m_faux.appels, 0);
                QVERIFY(!cnxBase.ouverte());
                QCOMPARE(enfant<QLineEdit>(d, "txt_rep")->text(), QString());
                QVERIFY(!enfant<QPushButton>(d, "Cmd_ok")->isEnabled());
                QVERIFY(enfant<QCheckBox>(d, "chk_option")->isEnabled());
                QCOMPARE(QDir(m_base->repertoire().chemin()).entryList({"tmp*", "quorvelane-*"}), QStringList());
                cliquer(d, "Cmd_rep_0");
                cliquer(d, "Cmd_ok");
            }();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("EntryFilesBuilder", "disk", "Création Fichiers Engagements", "12", false);
        QCOMPARE(m_faux.appels, 1);
        QVERIFY(QFileInfo::exists(cible + "/engag.txt"));
        QVERIFY(cnxBase.ouverte());
    }

    // A results import into a new competition gets the new key; when it cannot be made, the
    // window closes without calling anything.
    void nouvelleCompetition()
    {
        // The opening of a base makes the placeholder pool a new competition points at.
        Controler_piscine_reference();
        enregistrer("MeetResultsImporter", "impres");
        m_port->repondreRepertoire(dossier("source"));
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("MeetResultsImporter", "impres", "Importer Résultats", "", true);
        QCOMPARE(m_faux.appels, 1);
        const QString cle = m_base->valeur("SELECT max(AutoNum) FROM Rcomp");
        QVERIFY(!cle.isEmpty());
        QCOMPARE(m_faux.arguments[5].toString(), cle);
        QCOMPARE(m_faux.arguments[6].toBool(), true);

        m_faux = Faux();
        m_base->executer("CREATE TRIGGER refus BEFORE INSERT ON Rcomp BEGIN SELECT RAISE(ABORT, 'refusé'); END");
        m_port->effacer();
        m_port->repondreRepertoire(dossier("source"));
        bool fermee = false;
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            fermee = !d.isVisible() || d.result() == QDialog::Rejected;
            return 0;
        });
        Lancer_attente("MeetResultsImporter", "impres", "Importer Résultats", "", true);
        QVERIFY(fermee);
        QCOMPARE(m_faux.appels, 0);
        QCOMPARE(m_port->messages().size(), 1);
        QVERIFY(m_port->messages()[0].startsWith(
            "Erreur lors de la création de la nouvelle compétition pour importation des résultats !"));
        QVERIFY(cnxBase.ouverte());
    }

    // A refused or failed import into a new competition leaves the base as it was: the
    // competition made for it goes too, so no blank row is left in the competition lists.
    void nouvelleCompetitionRefusee_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("fichier");
        QTest::addColumn<QString>("raison");
        QTest::newRow("résultats d'une invitation") << "impres" << kReunion + "</MEET></MEETS></LENEX>\n"
                                                    << "aucun résultat";
        QTest::newRow("résultats tronqués") << "impres" << kResultats.left(kResultats.size() - 60) << "fichier tronqué";
        QTest::newRow("squelette d'un fichier de records")
            << "Impor sque" << QByteArray("<?xml version='1.0' encoding='UTF-8'?><LENEX version='3.0'><RECORDLISTS/></LENEX>")
            << "aucune réunion (MEET)";
    }
    void nouvelleCompetitionRefusee()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, fichier);
        QFETCH(QString, raison);
        Controler_piscine_reference();
        m_base->executer("INSERT INTO Rcomp (Nom, Lieu, Debut, Deroule, Visible) VALUES ('Meeting', 'Lille', '20240101', 1, 1)");
        const QStringList avant = Lignes_requete("SELECT * FROM Rcomp ORDER BY AutoNum");
        const QString source = dossier("source");
        ecrire(source + "/reunion.lef", fichier);
        const QString rapport = importer(code, source, QString());
        QVERIFY2(rapport.contains(raison) && rapport.contains("Echec : aucune modification n'a été enregistrée dans la base."),
                 qPrintable(rapport));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(Lignes_requete("SELECT * FROM Rcomp ORDER BY AutoNum"), avant);
        QCOMPARE(m_base->valeur("SELECT count(*) FROM Pcomp"), QString("0"));
    }

    // A meet already imported into another competition: importing it again is asked, "Non" the
    // default; "Non" leaves the base as it was, the new competition included; "Oui" goes on.
    // Imported again into its own competition, it replaces its results without a question.
    void reunionDejaImportee_data()
    {
        QTest::addColumn<int>("reponse"); // 0: into its own competition, no question
        QTest::newRow("non") << Reponse::Non;
        QTest::newRow("oui") << Reponse::Oui;
        QTest::newRow("dans sa compétition") << 0;
    }
    void reunionDejaImportee()
    {
        QFETCH(int, reponse);
        Controler_piscine_reference();
        m_base->executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320590001', 'Cercle des nageurs')");
        m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                         "VALUES ('FRA1320590001', '1', 'DUPONT', 'Zoé', 'F', '20120314', 1)");
        const QString source = dossier("source");
        ecrire(source + "/reunion.lef", kResultats);
        QString rapport = importer("impres", source, QString());
        QVERIFY2(rapport.contains("Opération terminée."), qPrintable(rapport));
        const QString premiere = m_base->valeur("SELECT max(AutoNum) FROM Rcomp");
        const QStringList competitions = Lignes_requete("SELECT * FROM Rcomp ORDER BY AutoNum");
        QCOMPARE(m_base->valeur("SELECT count(*) FROM Liffn"), QString("1"));
        QVERIFY(!m_port->messages().join('\n').contains("déjà été importée"));

        m_port->effacer();
        if (reponse)
            m_port->repondre(reponse);
        rapport = importer("impres", source, reponse ? QString() : premiere);
        QVERIFY(cnxBase.ouverte());
        std::vector<AppelIhm> questions;
        for (const AppelIhm& a : m_port->appels())
            if (a.genre == "message")
                questions.push_back(a);
        if (!reponse) {
            QCOMPARE(questions.size(), size_t(0));
            QVERIFY2(rapport.contains("Opération terminée."), qPrintable(rapport));
            QCOMPARE(Lignes_requete("SELECT * FROM Rcomp ORDER BY AutoNum"), competitions);
            QCOMPARE(m_base->valeur("SELECT count(*) FROM Liffn"), QString("1"));
            return;
        }
        QCOMPARE(questions.size(), size_t(1));
        QCOMPARE(questions[0].titre, QString("Confirmation"));
        QCOMPARE(questions[0].style, Style::OuiNon + Style::Question + Style::DefautBouton2);
        QCOMPARE(questions[0].texte, QString("La réunion « Meeting de printemps » (Lille, le 08/06/2024) a déjà été importée dans une "
                                             "autre compétition, avec ses résultats : « Meeting de printemps » du 08/06/2024.\r\nL'importer encore en ferait une compétition "
                                             "de plus et compterait deux fois les performances de vos nageurs.\r\nContinuer l'import ?"));
        if (reponse == Reponse::Non) {
            QVERIFY2(rapport.contains("Import abandonné.") && rapport.contains("Echec : aucune modification n'a été enregistrée dans la base."),
                     qPrintable(rapport));
            QCOMPARE(Lignes_requete("SELECT * FROM Rcomp ORDER BY AutoNum"), competitions);
            QCOMPARE(m_base->valeur("SELECT count(*) FROM Liffn"), QString("1"));
            QCOMPARE(m_base->valeur("SELECT count(*) FROM Prres"), QString("1"));
        } else {
            QVERIFY2(rapport.contains("Import poursuivi à votre demande.") && rapport.contains("Opération terminée."),
                     qPrintable(rapport));
            QCOMPARE(Lignes_requete("SELECT Nom, Lieu, Debut FROM Rcomp WHERE AutoNum > " + premiere),
                     QStringList{"Meeting de printemps|Lille|20240608"});
            QCOMPARE(m_base->valeur("SELECT count(*) FROM Liffn"), QString("2"));
        }
    }

    // The road of a meet: its skeleton imported into a new competition, which its date closes,
    // then its results into a new one, without a question; importing the results again into
    // another new competition asks, naming the competition that holds them with its date.
    void squelettePuisResultats()
    {
        Controler_piscine_reference();
        m_base->executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320590001', 'Cercle des nageurs')");
        m_base->executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Visible) "
                         "VALUES ('FRA1320590001', '1', 'DUPONT', 'Zoé', 'F', '20120314', 1)");
        ecrire(dossier("invitation") + "/reunion.lef", kReunion + "</MEET></MEETS></LENEX>\n");
        ecrire(dossier("source") + "/reunion.lef", kResultats);
        QString rapport = importer("Impor sque", dossier("invitation"), QString());
        QVERIFY2(rapport.contains("Opération terminée."), qPrintable(rapport));
        const QString squelette = m_base->valeur("SELECT max(AutoNum) FROM Rcomp");
        Cloturer_compet_passees();
        QCOMPARE(m_base->valeur("SELECT Deroule || Visible FROM Rcomp WHERE AutoNum = " + squelette), QString("10"));

        m_port->effacer();
        rapport = importer("impres", dossier("source"), QString());
        QVERIFY2(rapport.contains("Opération terminée.") && !rapport.contains("déjà été importée"), qPrintable(rapport));
        QVERIFY(!m_port->messages().join('\n').contains("déjà été importée"));
        const QString resultats = m_base->valeur("SELECT max(AutoNum) FROM Rcomp");
        QVERIFY(resultats != squelette);
        m_base->executer("UPDATE Rcomp SET Num = '24-17' WHERE AutoNum = " + resultats);
        QCOMPARE(m_base->valeur("SELECT count(*) FROM Prres WHERE Num_compet = " + resultats), QString("1"));

        m_port->effacer();
        m_port->repondre(Reponse::Non);
        rapport = importer("impres", dossier("source"), QString());
        QCOMPARE(m_port->messages().filter("déjà été importée"),
                 QStringList{"La réunion « Meeting de printemps » (Lille, le 08/06/2024) a déjà été importée dans une autre "
                             "compétition, avec ses résultats : « Meeting de printemps » n° 24-17 du 08/06/2024.\r\nL'importer "
                             "encore en ferait une compétition de plus et compterait deux fois les performances de vos "
                             "nageurs.\r\nContinuer l'import ?"});
        QCOMPARE(m_base->valeur("SELECT max(AutoNum) FROM Rcomp"), resultats);
    }

    // A component that leaves the base unreadable: closing the window restores the backup. No
    // base is open any more: neither is its profile, in the status bar as anywhere.
    void reouvertureImpossibleRestaure()
    {
        QTemporaryDir reglages;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, reglages.path());
        FrmPrincipal principal;
        principal.Ecrire_panneau_profil("Bassin");
        m_base->executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320590001', 'Avant')");
        QVERIFY(Creer_sauvegarde());
        const QString chemin = m_base->chemin();
        enregistrer("ClubImporter", "impclub");
        m_faux.action = [chemin](const QVariantList&) {
            QFile f(chemin);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(QByteArray(4096, 'x'));
        };
        m_port->repondreRepertoire(dossier("source"));
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("ClubImporter", "impclub", "Importer Clubs", "", false);

        QCOMPARE(m_faux.appels, 1);
        QVERIFY(!cnxBase.ouverte());
        QCOMPARE(strCheminBase, QString());
        QCOMPARE(m_port->messages().size(), 1);
        QVERIFY(m_port->messages()[0].contains("Restauration de la dernière sauvegarde."));
        QCOMPARE(strNumProfil, QString());
        QCOMPARE(strCodeClub, QString());
        QCOMPARE(principal.findChild<QLabel*>("sbStatusBar_1")->text(), QString());
        QVERIFY(!QFileInfo::exists(chemin + ".sav"));
        sqlite3* db = Ouvrir_connexion_sqlite(chemin, true);
        {
            Requete r(db, "SELECT Intitule FROM Club");
            QVERIFY(r.suivante());
            QCOMPARE(r.texte(0), QString("Avant"));
        }
        sqlite3_close(db);
    }

    // An archive that cannot be unpacked: its message, nothing run, the base still open.
    void archiveIllisible()
    {
        enregistrer("IufCodeUpdater", "majiuf");
        ecrire(app("faux.zip"), "pas une archive");
        m_port->repondreFichier(app("faux.zip"));
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            [&] {
                QCOMPARE(dynamic_cast<frm_attente&>(d).etat(), frm_attente::Etat::Choix);
                QCOMPARE(enfant<QLineEdit>(d, "txt_rep")->text(), app("faux.zip"));
            }();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("IufCodeUpdater", "majiuf", "Mise à jour des codes IUF", "", false);
        QCOMPARE(m_faux.appels, 0);
        QCOMPARE(m_port->messages().size(), 1);
        QVERIFY(m_port->messages()[0].startsWith("Une erreur s'est produite lors de la décompression."));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(QDir(m_base->repertoire().chemin()).entryList({"tmp*", "quorvelane-*"}), QStringList());
    }

    // Paths: a file that is not a zip or Lenex archive is no path; the folder browser's title.
    void choixDuChemin()
    {
        enregistrer("MeetSkeletonImporter", "Impor sque");
        ecrire(app("squelette.ZIP"), "x");
        ecrire(app("squelette.zip"), "x");
        ecrire(app("squelette.lxf"), "x");
        m_port->repondreFichier(app("squelette.ZIP"));
        m_port->repondreFichier(app("absent.zip"));
        m_port->repondreFichier(app("squelette.zip"));
        m_port->repondreFichier(app("squelette.lxf"));
        m_port->repondreRepertoire(dossier("src"));
        m_port->repondreModal([&](QDialog& d) {
            auto* chemin = enfant<QLineEdit>(d, "txt_rep");
            enfant<QCheckBox>(d, "chk_option")->click();
            [&] {
                QCOMPARE(enfant<QLabel>(d, "lbRep")->text(), QString("Fichier source :"));
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(chemin->text(), QString());
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(chemin->text(), QString());
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(chemin->text(), app("squelette.zip"));
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(chemin->text(), app("squelette.lxf"));
                cliquer(d, "Cmd_rep_1");
                QCOMPARE(chemin->text(), QString());
                QVERIFY(!enfant<QPushButton>(d, "Cmd_ok")->isEnabled());
                enfant<QCheckBox>(d, "chk_option")->click();
                QCOMPARE(enfant<QLabel>(d, "lbRep")->text(), QString("Répertoire source :"));
                cliquer(d, "Cmd_rep_0");
                QCOMPARE(chemin->text(), app("src"));
            }();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("MeetSkeletonImporter", "Impor sque", "Importer squelette compétition", "3", false);
        QStringList titres;
        for (const AppelIhm& a : m_port->appels()) {
            if (a.genre == "fichier" || a.genre == "repertoire")
                titres << a.titre;
            if (a.genre == "fichier")
                QCOMPARE(a.texte, QString("Fichier Lenex compressé (*.lxf)|*.lxf|Fichier d'engagements compressés (*.zip)|*.zip"));
        }
        const QString titre = "Sélectionner fichier compressé de la compétition";
        QCOMPARE(titres, QStringList({titre, titre, titre, titre, "Sélectionner le répertoire source"}));
        QCOMPARE(m_faux.appels, 0);
    }

    // A file that does not fit is copied into the folder chosen instead, not skipped.
    void copieAvecChangementDeRepertoire()
    {
        const QString travail = dossier("tmpexpimp");
        for (const char* nom : {"a.txt", "b.txt", "c.txt"})
            ecrire(travail + "/" + nom, nom);
        const QString plein = dossier("plein");
        const QString autre = dossier("autre");
        QString cible = plein;
        int choix = 0;
        OutilsCopie outils{[&](const QString&, const QString& d) { return d != plein; }, [](const QString&) { return true; },
                           [&] { return ++choix == 1 ? QString() : autre; }};
        m_port->repondre(Reponse::Oui); // change folder
        m_port->repondre(Reponse::Non); // the empty choice does not cancel the copy
        QVERIFY(Copier_fichiers(travail, cible, outils));
        QCOMPARE(cible, autre);
        QCOMPARE(QDir(autre).entryList(QDir::Files), QStringList({"a.txt", "b.txt", "c.txt"}));
        QCOMPARE(QDir(plein).entryList(QDir::Files), QStringList());
        QCOMPARE(m_port->messages(), QStringList({"Pas assez de place dans le répertoire cible.\r\nChanger de Répertoire ou Annuler",
                                                  "Annuler la copie des fichiers ?"}));
        QCOMPARE(m_port->appels()[1].style & Style::DefautBouton2, Style::DefautBouton2);

        // "No" to the change stops the copy; a missing folder too.
        ecrire(travail + "/d.txt", "d");
        cible = plein;
        m_port->repondre(Reponse::Non);
        QVERIFY(!Copier_fichiers(travail, cible, outils));
        cible = app("absent");
        QVERIFY(!Copier_fichiers(travail, cible, outils));
        QVERIFY(m_port->messages().last().startsWith("Le répertoire de sauvegarde n'existe pas.\r\nCopie annulée"));
        QVERIFY(QFileInfo::exists(travail + "/d.txt"));
    }

    // The seven exchange menus open the runner with their class, action and caption.
    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("titre");
        QTest::newRow("mnuBaseClubImport") << "mnuBaseClubImport" << "ClubImporter" << "impclub" << "Importer Clubs";
        QTest::newRow("mnuBaseClubExport") << "mnuBaseClubExport" << "ClubExporter" << "envassoc" << "Exporter Clubs";
        QTest::newRow("mnuLicImport") << "mnuLicImport" << "LicenceImporter" << "implic" << "Importer Licences";
        QTest::newRow("mnuLicMaj") << "mnuLicMaj" << "IufCodeUpdater" << "majiuf" << "Mise à jour des codes IUF";
        QTest::newRow("mnuLicExp") << "mnuLicExp" << "LicenceExporter" << "envadher" << "Exporter Licences";
        QTest::newRow("mnuPerfImpor") << "mnuPerfImpor" << "PerformanceImporter" << "impperf" << "Importer performances";
        QTest::newRow("mnuPerfExporter") << "mnuPerfExporter" << "PerformanceExporter" << "envchrono" << "Exporter Performances";
    }

    void menus()
    {
        QFETCH(QString, menu);
        QFETCH(QString, classe);
        QFETCH(QString, code);
        QFETCH(QString, titre);
        QTemporaryDir reglages;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, reglages.path());
        FrmPrincipal principal;
        Menus_base_ouverte();
        enregistrer(classe, code);
        QString vu;
        m_port->repondreModal([&](QDialog& d) {
            vu = d.windowTitle();
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Menu(menu)->trigger();
        QCOMPARE(vu, titre);
        QVERIFY(cnxBase.ouverte());
    }


    // The real club components through the runner: export from this base, import back with force.
    void composantsReels()
    {
        m_base->executer("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320590001', 'Cercle des nageurs')");
        const QString cible = dossier("cible");
        m_port->repondreRepertoire(cible);
        m_port->repondre(Reponse::Oui);
        QString rapport;
        m_port->repondreModal([&](QDialog& d) {
            cliquer(d, "Cmd_rep_0");
            cliquer(d, "Cmd_ok");
            rapport = enfant<QTextEdit>(d, "RichRapport")->toPlainText();
            d.grab().save(QStringLiteral(QV_BINARY_DIR "/captures/frm_attente_export_clubs.png"));
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("ClubExporter", "envassoc", "Exporter Clubs", "", false);
        QVERIFY2(rapport.contains("1 club exporté dans clubs.txt."), qPrintable(rapport));
        QVERIFY(QFileInfo::exists(cible + "/clubs.txt"));

        m_base->executer("UPDATE Club SET Intitule = 'Changé'");
        m_port->repondreRepertoire(cible);
        repondreOptionCochee(rapport);
        Lancer_attente("ClubImporter", "impclub", "Importer Clubs", "", false);
        QVERIFY2(rapport.contains("1 club mis à jour"), qPrintable(rapport));
        QVERIFY(cnxBase.ouverte());
        QCOMPARE(m_base->valeur("SELECT Intitule FROM Club"), QString("Cercle des nageurs"));
    }

    // A long trace shows its end, where the run says how it ended, and the window lies within
    // the main window, smaller than its usual size when the main window is.
    void traceVueEnEntierParSaFin()
    {
        enregistrer("PerformanceExporter", "envchrono");
        m_faux.sorties = QStringList{"performances.txt"};
        m_faux.action = [&](const QVariantList& a) {
            QFile trace(a[5].toString());
            trace.open(QIODevice::Append);
            for (int i = 0; i < 80; ++i)
                trace.write(QString("Nageur %1 exporté.\n").arg(i).toUtf8());
            trace.write("\nOpération terminée.\n");
        };
        int valeur = -1, maximum = -1;
        QRect cadre;
        const QRect principale = exporterEtLireTrace(QRect(40, 30, 560, 400), [&](QDialog& d, QTextEdit& rapport) {
            valeur = rapport.verticalScrollBar()->value();
            maximum = rapport.verticalScrollBar()->maximum();
            cadre = d.frameGeometry();
        });
        QVERIFY(maximum > 0);
        QCOMPARE(valeur, maximum);
        QVERIFY2(principale.contains(cadre), qPrintable(QString("%1,%2 %3x%4").arg(cadre.x()).arg(cadre.y()).arg(cadre.width()).arg(cadre.height())));
    }

    // A failed run's trace (the entry files') opens on the start of its lines, short ones
    // included, and on its last line; its long lines wrap instead of running off the edge.
    void traceEchoueeLueDepuisLeDebut()
    {
        enregistrer("PerformanceExporter", "envchrono");
        m_faux.resultat = false;
        const QString longue = "Compétition « Meeting régional de printemps des jeunes nageurs » : l'épreuve 100 m "
                               "papillon dames n'a pas de nageur engagé, elle est ignorée dans le fichier d'engagements.";
        m_faux.action = [&](const QVariantList& a) {
            QFile trace(a[5].toString());
            trace.open(QIODevice::Append);
            for (int i = 0; i < 60; ++i)
                trace.write(QString("Nageur %1 lu.\n").arg(i).toUtf8());
            trace.write((longue + "\nEchec : aucun fichier n'a été produit.\n").toUtf8());
        };
        int gauche = -1, largeurCachee = -1, bas = -1, finVerticale = -1, lignesLongue = 0;
        exporterEtLireTrace(QRect(0, 0, 1366, 768), [&](QDialog& d, QTextEdit& rapport) {
            gauche = rapport.horizontalScrollBar()->value();
            largeurCachee = rapport.horizontalScrollBar()->maximum();
            bas = rapport.verticalScrollBar()->value();
            finVerticale = rapport.verticalScrollBar()->maximum();
            const QTextBlock bloc = rapport.document()->find(longue).block();
            if (bloc.layout())
                lignesLongue = bloc.layout()->lineCount();
            d.grab().save(QStringLiteral(QV_BINARY_DIR "/captures/frm_attente_trace_echec.png"));
        });
        QCOMPARE(gauche, 0);
        QCOMPARE(largeurCachee, 0);
        QVERIFY(finVerticale > 0);
        QCOMPARE(bas, finVerticale);
        QVERIFY2(lignesLongue > 1, qPrintable(QString::number(lignesLongue)));
    }

    // Pictures of the window choosing, working and showing its trace, for a person to look at.
    void captures()
    {
        enregistrer("PerformanceExporter", "envchrono");
        m_faux.sorties = QStringList{"performances.txt"};
        const QString sortie = QStringLiteral(QV_BINARY_DIR "/captures");
        QDir().mkpath(sortie);
        m_faux.action = [&](const QVariantList& a) {
            auto* f = qobject_cast<QWidget*>(a[6].value<QObject*>());
            f->grab().save(sortie + "/frm_attente_execution.png");
            QFile trace(a[5].toString());
            trace.open(QIODevice::Append);
            trace.write("Performances du club FRA1320590001.\n\n1245 performances individuelles exportées dans performances.txt.\n"
                        "87 performances de relais exportées dans performances_relais.txt.\n"
                        "64 nageurs exportés dans nageurs.txt.\n\nOpération terminée.\n");
        };
        m_port->repondreRepertoire(dossier("cible"));
        m_port->repondre(Reponse::Oui);
        m_port->repondreModal([&](QDialog& d) {
            d.show();
            cliquer(d, "Cmd_rep_0");
            d.grab().save(sortie + "/frm_attente_choix.png");
            cliquer(d, "Cmd_ok");
            d.grab().save(sortie + "/frm_attente_trace.png");
            cliquer(d, "Cmd_quit");
            return 0;
        });
        Lancer_attente("PerformanceExporter", "envchrono", "Exporter Performances", "", false);
        for (const char* nom : {"choix", "execution", "trace"})
            QVERIFY(QImage(sortie + "/frm_attente_" + nom + ".png").width() > 100);
    }
};

QTEST_MAIN(TstAttente)
#include "tst_attente.moc"
