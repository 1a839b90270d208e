// The About window and the library version reader.

#include "core/composants.h"
#include "core/globales.h"
#include "core/version_fichier.h"
#include "shell/frm_splash.h"
#include "fixtures.h"
#include "port_test.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <dlfcn.h>

namespace {

QString Moniteur_construit()
{
    return QStringLiteral(QV_RUNTIME_DIR "/composants/qv_moniteur.so");
}

// dll name -> version text, as the list shows them.
QMap<QString, QString> Lignes(const FrmSplash& fenetre)
{
    QMap<QString, QString> lignes;
    auto* liste = fenetre.findChild<QTreeWidget*>("Lst_DLL");
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        lignes.insert(liste->topLevelItem(i)->text(0), liste->topLevelItem(i)->text(1));
    return lignes;
}

QString Texte(const QWidget& w, const char* nom)
{
    return w.findChild<QLabel*>(nom)->text();
}

bool En_rouge(const QWidget& w, const char* nom)
{
    return w.findChild<QLabel*>(nom)->styleSheet().contains("#FF0000", Qt::CaseInsensitive);
}

} // namespace

class TstAPropos : public QObject {
    Q_OBJECT

private slots:
    void lecteurDeVersion_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("fonction");
        QTest::addColumn<bool>("disponible");
        QTest::addColumn<QString>("version");
        QTest::newRow("composant") << Moniteur_construit() << "qv_version_composant" << true << "1.0.0";
        QTest::newRow("bibliothèque sans version") << QString("libz.so.1") << "qv_version_composant" << false << "";
        QTest::newRow("fichier qui n'est pas une bibliothèque") << QString(QV_SOURCE_DIR "/CMakeLists.txt")
                                                                << "qv_version_composant" << false << "";
        QTest::newRow("absent") << QString("/nulle/part.so") << "qv_version_composant" << false << "";
    }

    void lecteurDeVersion()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, fonction);
        QFETCH(bool, disponible);
        QFETCH(QString, version);
        if (!chemin.startsWith('/')) {
            for (const BibliothequeListee& b : Bibliotheques_listees())
                if (b.fichier == chemin)
                    chemin = b.chemin;
            QVERIFY2(chemin.startsWith('/'), "bibliothèque système introuvable");
        }
        CFileVersionInfo lecteur(fonction);
        lecteur.setFullPathName(chemin);
        QCOMPARE(lecteur.Available(), disponible);
        QCOMPARE(lecteur.FileVersion(), version);
    }

    // Reading the version leaves the library unloaded.
    void lectureSansGarderLaBibliotheque()
    {
        const QByteArray chemin = QFile::encodeName(Moniteur_construit());
        QVERIFY(!dlopen(chemin.constData(), RTLD_LAZY | RTLD_NOLOAD));
        CFileVersionInfo lecteur;
        lecteur.setFullPathName(Moniteur_construit());
        QVERIFY(lecteur.Available());
        QVERIFY(!dlopen(chemin.constData(), RTLD_LAZY | RTLD_NOLOAD));
    }

    // One line per library: its version, none, or not found.
    void lignesDesBibliotheques()
    {
        RepertoireTest rep;
        rep.dossier("composants");
        QFile faux(rep.fichier("composants/qv_points.so"));
        QVERIFY(faux.open(QIODevice::WriteOnly));
        faux.write("pas une bibliothèque");
        faux.close();

        FrmSplash fenetre({{"qv_moniteur.so", Moniteur_construit(), "qv_version_composant"},
                           {"qv_points.so", Composants::chemin("qv_points.so"), "qv_version_composant"},
                           {"qv_absent.so", Composants::chemin("qv_absent.so"), "qv_version_composant"}});
        const QMap<QString, QString> lignes = Lignes(fenetre);
        QCOMPARE(lignes.value("qv_moniteur.so"), QString("1.0.0"));
        QCOMPARE(lignes.value("qv_points.so"), QString("Version non disponible"));
        QCOMPARE(lignes.value("qv_absent.so"), QString("Erreur, dll non trouvée"));
        auto* liste = fenetre.findChild<QTreeWidget*>("Lst_DLL");
        QCOMPARE(liste->headerItem()->text(0), QString("dll"));
        QCOMPARE(liste->headerItem()->text(1), QString("Version"));
    }

    // Every component library and the two archive libraries, in file-name order.
    void listeParDefaut()
    {
        FrmSplash fenetre;
        auto* liste = fenetre.findChild<QTreeWidget*>("Lst_DLL");
        QStringList noms;
        for (int i = 0; i < liste->topLevelItemCount(); ++i)
            noms << liste->topLevelItem(i)->text(0);
        QStringList tries = noms;
        tries.sort();
        QCOMPARE(noms, tries);
        QCOMPARE(noms.size(), Composants::fichiers().size() + 2);
        for (const QString& f : Composants::fichiers())
            QVERIFY2(noms.contains(f), qPrintable(f));
        const QMap<QString, QString> lignes = Lignes(fenetre);
        QCOMPARE(lignes.value("libz.so.1"), QString(zlibVersionTexte()));
        QVERIFY(lignes.value("libzip.so.4", lignes.value("libzip.so.5")).contains('.'));
        QCOMPARE(lignes.value("qv_moniteur.so"), QString("1.0.0"));
    }

    void versionsSansBase()
    {
        FrmSplash fenetre(QList<BibliothequeListee>{});
        QCOMPARE(Texte(fenetre, "lblProductName"), QString("Quorvelane"));
        QCOMPARE(Texte(fenetre, "lblVersion"), "Version " + QString(QV_VERSION));
        QCOMPARE(Texte(fenetre, "lb_num_version_connected"), QString("Pas connecté"));
        QCOMPARE(Texte(fenetre, "lb_num_version_needed"), QString("3"));
        QVERIFY(!En_rouge(fenetre, "lb_num_version_needed"));
    }

    void versionsAvecBase_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("rouge");
        QTest::newRow("à jour") << "3" << false;
        QTest::newRow("plus récente") << "3,5" << false;
        QTest::newRow("ancienne") << "2" << true;
    }

    // The needed version turns red when the open base is older.
    void versionsAvecBase()
    {
        QFETCH(QString, version);
        QFETCH(bool, rouge);
        BaseTest base;
        base.executer("UPDATE Info SET Version = '" + version + "'");
        FrmSplash fenetre(QList<BibliothequeListee>{});
        QCOMPARE(Texte(fenetre, "lb_num_version_connected"), version);
        // Read from the base: shown as stored, never as markup.
        QCOMPARE(fenetre.findChild<QLabel*>("lb_num_version_connected")->textFormat(), Qt::PlainText);
        QCOMPARE(En_rouge(fenetre, "lb_num_version_needed"), rouge);
    }

    void fermeture()
    {
        {
            FrmSplash fenetre(QList<BibliothequeListee>{});
            fenetre.show();
            fenetre.findChild<QPushButton*>("Cmd")->click();
            QVERIFY(!fenetre.isVisible());
        }
        FrmSplash fenetre(QList<BibliothequeListee>{});
        fenetre.show();
        QTest::mouseClick(fenetre.findChild<QWidget*>("fraMainFrame"), Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(!fenetre.isVisible());
    }

    void ouvertDepuisLeMenuEnModal()
    {
        PortIhmTest port;
        QString vue;
        port.repondreModal([&](QDialog& d) {
            vue = d.objectName();
            return 0;
        });
        Afficher_a_propos();
        QCOMPARE(vue, QString("frmSplash"));
    }

private:
    static const char* zlibVersionTexte()
    {
        using Fonction = const char* (*)();
        void* h = dlopen("libz.so.1", RTLD_LAZY);
        auto f = reinterpret_cast<Fonction>(dlsym(h, "zlibVersion"));
        return f ? f() : ""; // zlib stays loaded: Qt itself uses it
    }
};

QTEST_MAIN(TstAPropos)
#include "tst_a_propos.moc"
