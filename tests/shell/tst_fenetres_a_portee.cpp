// Every window the program opens, opened in turn as a user does on a 1366 x 768 screen with the
// main window at its default size: its whole frame lies in what the user sees of the document
// area. A picture of each is left in build/captures/fenetres/. Under offscreen the screen is made
// 1366 x 768; under xvfb-run -s "-screen 0 1366x768x24" with QT_QPA_PLATFORM=xcb it is the real one.

#include "session_shell.h"

#include "core/base.h"
#include "fenetres_test.h"
#include "shell/demarrage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>

namespace {

const QString kCaptures = QStringLiteral(QV_BINARY_DIR "/captures/fenetres");
const QSize kEcran(1366, 768);

QString Decrire(const QRect& r)
{
    return QString("%1x%2 en (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
}

// The windows in the document area that the user sees, the last opened first.
QList<QMdiSubWindow*> Cadres_visibles(QMdiArea* zone)
{
    QList<QMdiSubWindow*> cadres;
    const QList<QMdiSubWindow*> tous = zone->subWindowList(QMdiArea::CreationOrder);
    for (auto it = tous.rbegin(); it != tous.rend(); ++it) {
        if ((*it)->isVisible())
            cadres << *it;
    }
    return cadres;
}

// A control of that name in the shown windows, the last opened first.
template <class T>
T* Controle(QMdiArea* zone, const QString& nom)
{
    for (QMdiSubWindow* cadre : Cadres_visibles(zone)) {
        for (T* w : cadre->findChildren<T*>(nom)) {
            if (w->isVisible())
                return w;
        }
    }
    return nullptr;
}

} // namespace

class TstFenetresAPortee : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Installer_traductions_francaises();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_reglages.path());
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), kEcran);
        QDir(kCaptures).removeRecursively();
        QVERIFY(QDir().mkpath(kCaptures));
    }

    void cleanup() { Traiter_evenements(); }

    void fenetreEntiereDansLaZone_data();
    void fenetreEntiereDansLaZone();

private:
    QTemporaryDir m_reglages;
};

// Each path is what the user does, one step at a time: "mnuXxx" a menu item, "ligne" the first
// row of the last list shown, "clic:Nom" the control of that name in the last window that has it,
// "modal:Texte" the answer to the dialog that comes next (its first box filled, then "Ok").
void TstFenetresAPortee::fenetreEntiereDansLaZone_data()
{
    QTest::addColumn<QStringList>("parcours");
    QTest::addColumn<QString>("fenetre"); // the class of the window that must open

    const auto ligne = [](const char* nom, QStringList parcours, const char* fenetre) {
        QTest::newRow(nom) << parcours << QString::fromLatin1(fenetre);
    };
    // Profiles and clubs.
    ligne("profil nouveau", {"mnuBaseProfilNew"}, "det_profil");
    ligne("profil liste", {"mnuBaseProfilList"}, "Frm_liste_profil");
    ligne("profil info", {"mnuBaseProfilInfo"}, "det_profil");
    ligne("profil modifier, choix du club", {"mnuBaseProfilModif", "ligne", "clic:Command1_2", "clic:Command1_2"},
          "Frm_liste_club");
    ligne("club nouveau", {"mnuBaseClubNew"}, "dem_info");
    ligne("club liste", {"mnuBaseClubListe"}, "Frm_liste_club");
    ligne("votre club", {"mnuBaseClubConfigInfo"}, "det_mon_club");
    // Licences.
    ligne("licence nouvelle", {"mnuLicNew"}, "det_licence");
    ligne("licence liste", {"mnuLicListe"}, "frm_liste_licence");
    ligne("licence liste, critères", {"mnuLicListe", "clic:Cmd_3"}, "frm_liste_licence");
    ligne("licence modifier", {"mnuLicModif", "ligne", "clic:Cmd_2"}, "det_licence");
    ligne("licence nouvelle, pays", {"mnuLicNew", "clic:Cmd_pays"}, "frm_liste_pays");
    // Competitions, entries, programmes.
    ligne("compétition nouvelle", {"mnuCompetNew"}, "det_compet");
    ligne("compétition liste", {"mnuCompetListe"}, "Frm_liste_compet");
    ligne("compétition modifier", {"mnuCompetModif", "ligne", "clic:cmd_2"}, "det_compet");
    ligne("engagements", {"mnuEngagIndiv", "ligne", "clic:cmd_2"}, "frm_engag");
    ligne("engagements, modèle", {"mnuEngagIndiv", "ligne", "clic:cmd_2", "clic:Cmd_modele"}, "frm_liste_modele");
    ligne("engagements, faire un modèle",
          {"mnuEngagIndiv", "ligne", "clic:cmd_2", "clic:Chk_DoModele", "clic:cmd_0"}, "frm_liste_modele");
    ligne("engagements relais", {"mnuEngagRelais", "ligne", "clic:cmd_2"}, "frm_engag_relais");
    ligne("engagements relais, calculatrice", {"mnuEngagRelais", "ligne", "clic:cmd_2", "clic:Cmd_AffichCalTps"},
          "frm_calTps");
    ligne("programme", {"mnuEngagProgramme", "ligne", "clic:cmd_2"}, "frm_prog");
    ligne("programme, modèle", {"mnuEngagProgramme", "ligne", "clic:cmd_2", "clic:Cmd_modele"},
          "frm_liste_modele");
    ligne("programme, enregistrer dans un nouveau modèle",
          {"mnuEngagProgramme", "ligne", "clic:cmd_2", "clic:Chk_modele", "clic:Cmd_0"}, "frm_liste_modele");
    ligne("convocations", {"mnuEngagConvoc", "ligne", "clic:cmd_2"}, "frm_convocation");
    // Templates and pools.
    ligne("modèle d'engagements nouveau", {"modal:Été", "mnuModeleEngagNew"}, "frm_engag");
    ligne("modèles d'engagements", {"mnuModeleEngagView"}, "frm_liste_modele");
    ligne("modèle d'engagements voir", {"mnuModeleEngagView", "ligne", "clic:Command1_2"}, "frm_engag");
    ligne("modèle de programme nouveau", {"modal:Hiver", "mnuModeleProgNew"}, "frm_prog");
    ligne("modèles de programme", {"mnuModeleProgView"}, "frm_liste_modele");
    ligne("piscine nouvelle", {"mnuModelePiscineNew"}, "det_Piscine");
    ligne("piscines", {"mnuModelePiscineView"}, "Frm_liste_piscine");
    // Performances, results, records, tools.
    ligne("performance", {"mnuPerfAjout"}, "frm_ajout_perf");
    ligne("performance de relais", {"mnuPerfAjoutRelais"}, "frm_ajout_perf_relais");
    ligne("suivi des performances", {"mnuPerfView"}, "frm_view_perf");
    ligne("résultats", {"mnuCompetVoirResult"}, "frm_view_result");
    ligne("records du club", {"mnuPerfRecView"}, "frm_view_record");
    ligne("catégories de records", {"mnuPerfRecModifier"}, "det_categorie_record_club");
    ligne("calculatrice de temps", {"mnuOutilsCalculTps"}, "frm_calTps");
    ligne("calcul des points", {"mnuOutilsCalculPoint"}, "frm_calpts");
    ligne("points par équipe", {"mnuOutilsCalculPointEquipe"}, "frm_PtsInter");
    ligne("points de référence", {"mnuPointRefLEN"}, "frm_defreflen");
}

void TstFenetresAPortee::fenetreEntiereDansLaZone()
{
    QFETCH(QStringList, parcours);
    QFETCH(QString, fenetre);

    QSettings().clear(); // a first start: the default placement
    Session s;
    const QString chemin = Preparer_base(s.rep, "base.mdb");
    {
        // A swimmer, a competition to come, a pool and a template of each kind for profile 1.
        sqlite3* db = Ouvrir_connexion_sqlite(chemin);
        for (const QString& sql :
             {"INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Visible) VALUES ('" + kCodeClub
                  + "', '100', 'ALBERT', 'Jean', 'M', true)",
              QString("INSERT INTO Rcomp (Nom, Debut, Fin, Lieu, Longueur, Deroule, Visible) VALUES "
                      "('Meeting de printemps', '20250412', '20250413', 'Nîmes', 25, false, true)"),
              QString("INSERT INTO Piscine (Nom, Ville, NbCouloir, Bassin) VALUES ('Nakache', 'Toulouse', 8, 50)"),
              QString("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('Printemps', 1)"),
              QString("INSERT INTO Modele_prog (Nom_modele, Num_profil) VALUES ('Meeting', 1)")})
            QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    QVERIFY(s.ouvrir(chemin));
    QCOMPARE(strNumProfil, QString("1"));
    s.ihm.effacer();

    QMdiArea* zone = s.fenetre->zoneFenetres();
    QStringList dialogues; // those shown off the screen
    for (const QString& pas : parcours) {
        if (pas.startsWith("mnu")) {
            QVERIFY2(s.declencher(qPrintable(pas)), qPrintable(pas));
        } else if (pas == "ligne") {
            auto* liste = Controle<QTreeWidget>(zone, QString());
            QVERIFY2(liste && liste->topLevelItemCount() > 0, "une liste avec une ligne");
            const QPoint centre = liste->visualItemRect(liste->topLevelItem(0)).center();
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
        } else if (pas.startsWith("clic:")) {
            auto* bouton = Controle<QAbstractButton>(zone, pas.mid(5));
            QVERIFY2(bouton && bouton->isEnabled(), qPrintable(pas + (bouton ? " grisé" : " absent")));
            QTest::mouseClick(bouton, Qt::LeftButton);
        } else if (pas.startsWith("modal:")) {
            s.ihm.repondreModal([&dialogues, texte = pas.mid(6)](QDialog& d) {
                // Shown as the desktop shows it: centred on its parent, within the screen.
                d.show();
                Traiter_evenements();
                if (!d.screen()->availableGeometry().contains(d.frameGeometry()))
                    dialogues << d.windowTitle() + " : " + Decrire(d.frameGeometry());
                d.findChild<QLineEdit*>()->setText(texte);
                d.findChild<QAbstractButton*>("Command1_0")->click();
                return d.result();
            });
        }
        Traiter_evenements();
    }
    QVERIFY2(s.ihm.toutConsomme(), qPrintable(s.ihm.textes().join(" | ")));
    QVERIFY2(dialogues.isEmpty(), qPrintable(dialogues.join(" | ")));

    const QList<QMdiSubWindow*> cadres = Cadres_visibles(zone);
    const bool ouverte = std::any_of(cadres.begin(), cadres.end(), [&](QMdiSubWindow* c) {
        return c->widget() && c->widget()->metaObject()->className() == fenetre;
    });
    QVERIFY2(ouverte, qPrintable(fenetre + " n'est pas ouverte ; messages : " + s.ihm.messages().join(" | ")));
    s.fenetre->grab().save(kCaptures + "/" + QString::fromUtf8(QTest::currentDataTag()).replace(' ', '_') + ".png");

    const QRect visible = zone->viewport()->rect();
    for (QMdiSubWindow* cadre : cadres) {
        QVERIFY2(visible.contains(cadre->geometry()),
                 qPrintable(QString("%1 : %2 hors de la zone visible %3")
                                .arg(cadre->widget()->metaObject()->className(), Decrire(cadre->geometry()),
                                     Decrire(visible))));
    }
    // The main window holds the largest window where the screen has room.
    QVERIFY2(visible.width() >= TaillePlusGrandeFenetre.width() && visible.height() >= TaillePlusGrandeFenetre.height(),
             qPrintable("zone visible " + Decrire(visible)));
}

int main(int argc, char** argv)
{
    // The offscreen platform takes its screen from a file.
    QTemporaryDir dossier;
    const QByteArray plateforme = qgetenv("QT_QPA_PLATFORM");
    if (plateforme.isEmpty() || plateforme == "offscreen") {
        QFile config(dossier.filePath("ecran.json"));
        if (!config.open(QIODevice::WriteOnly))
            return 1;
        config.write(QString(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": %1, "height": %2}]})")
                         .arg(kEcran.width())
                         .arg(kEcran.height())
                         .toUtf8());
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    }
    QApplication app(argc, argv);
    TstFenetresAPortee test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fenetres_a_portee.moc"
