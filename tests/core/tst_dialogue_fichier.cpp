// The real save dialog, driven with the keys a user types: a name typed without an extension
// gets the chosen filter's, for every caller, the records export among them. The dialog speaks
// French, says the action on its button and opens in the folder chosen last.

#include "core/base.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/saisie.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"
#include "records_points/frm_view_record.h"
#include "records_points/records_club.h"
#include "shell/commandes_records.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

const QString kFiltreRecords = "Fichier texte séparateur tabulation (*.txt)|*.txt|Fichier texte enrichi (*.rtf)|*.rtf";

// Once the dialog is up in the folder: moves its type list down "bas" times with the arrow key,
// types the name key by key and presses Enter, as a user does.
void Repondre_au_dialogue(const QString& dossier, const QString& nom, int bas, bool& vu)
{
    QTimer::singleShot(0, [=, &vu] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        vu = true;
        dialogue->setDirectory(dossier);
        dialogue->activateWindow();
        if (!QTest::qWaitForWindowActive(dialogue)) {
            dialogue->reject();
            return;
        }
        auto* types = dialogue->findChild<QComboBox*>("fileTypeCombo");
        auto* saisie = dialogue->findChild<QLineEdit*>("fileNameEdit");
        if (!types || !saisie) {
            dialogue->reject();
            return;
        }
        for (int i = 0; i < bas; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        saisie->setFocus();
        for (const QChar ch : nom)
            QTest::sendKeyEvent(QTest::Click, saisie, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::keyClick(saisie, Qt::Key_Return, Qt::NoModifier);
        // A dialog still up here refused the name: nothing waits for a user.
        if (dialogue->isVisible())
            dialogue->reject();
    });
}

// The scripted user for everything but the file dialog, which is the real one.
class PortDialogueReel : public PortIhmTest {
public:
    FichierChoisi choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                 const QString& cheminInitial, const QString& verbe) override
    {
        return PortIhmQt().choisirFichier(titre, filtre, ouvrir, cheminInitial, verbe);
    }
};

} // namespace

class TstDialogueFichier : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void extensionDuFiltre_data();
    void extensionDuFiltre();
    void nomTapeSansExtension_data();
    void nomTapeSansExtension();
    void exportDesRecords();
    void dialogueEnFrancaisDansLeDernierDossier();
    void fichierDImpressionChoisiParLeDialogueDuProgramme();

private:
    ReglagesTest m_reglages;
};

void TstDialogueFichier::initTestCase()
{
    // The dialog of the toolkit itself, the same on every desktop.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Initialiser_verrous_menus();
}

void TstDialogueFichier::extensionDuFiltre_data()
{
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("extension");
    QTest::newRow("texte") << kFiltreRecords << 1 << "txt";
    QTest::newRow("texte enrichi") << kFiltreRecords << 2 << "rtf";
    QTest::newRow("paire absente") << kFiltreRecords << 3 << "";
    QTest::newRow("index zéro") << kFiltreRecords << 0 << "";
    QTest::newRow("plusieurs motifs") << "Pages (*.htm;*.html)|*.htm;*.html" << 1 << "htm";
    QTest::newRow("tous les fichiers") << "Tous (*.*)|*.*" << 1 << "";
    QTest::newRow("étoile seule") << "Tous|*" << 1 << "";
    QTest::newRow("nom imposé") << "Package maj base (maj_base.zip)|maj_base.zip" << 1 << "";
    QTest::newRow("base") << "Base de données (*.mdb)|*.mdb" << 1 << "mdb";
}

void TstDialogueFichier::extensionDuFiltre()
{
    QFETCH(QString, filtre);
    QFETCH(int, index);
    QFETCH(QString, extension);
    QCOMPARE(Extension_du_filtre(filtre, index), extension);
}

void TstDialogueFichier::nomTapeSansExtension_data()
{
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("bas");
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("indexFiltre");
    QTest::newRow("texte") << kFiltreRecords << "rec_export" << 0 << "rec_export.txt" << 1;
    QTest::newRow("texte enrichi choisi") << kFiltreRecords << "rec_export" << 1 << "rec_export.rtf" << 2;
    QTest::newRow("point sans extension") << kFiltreRecords << "meeting.2026" << 0 << "meeting.2026.txt" << 1;
    QTest::newRow("autre extension") << kFiltreRecords << "rec_export.csv" << 0 << "rec_export.csv.txt" << 1;
    QTest::newRow("extension en capitales") << kFiltreRecords << "rec_export.TXT" << 0 << "rec_export.TXT" << 1;
    QTest::newRow("second motif du type") << "Pages (*.htm;*.html)|*.htm;*.html" << "index.html" << 0 << "index.html" << 1;
    QTest::newRow("tous les fichiers") << "Tous (*.*)|*.*" << "notes" << 0 << "notes" << 1;
}

void TstDialogueFichier::nomTapeSansExtension()
{
    QFETCH(QString, filtre);
    QFETCH(QString, nom);
    QFETCH(int, bas);
    QFETCH(QString, attendu);
    QFETCH(int, indexFiltre);
    QTemporaryDir dossier;
    PortDialogueReel port;
    bool vu = false;
    Repondre_au_dialogue(dossier.path(), nom, bas, vu);
    const FichierChoisi choix = Choisir_fichier("Exporter", filtre, false, "Exporter");
    QVERIFY(vu);
    QCOMPARE(port.messages(), QStringList());
    QCOMPARE(choix.chemin, dossier.filePath(attendu));
    QCOMPARE(choix.indexFiltre, indexFiltre);
}

// "Exporter" of the records with the text filter, the name typed without an extension.
void TstDialogueFichier::exportDesRecords()
{
    BaseTest base;
    PortDialogueReel port;
    port.accepterMessagesOk(true);
    strCodeClub = "FRA1320021234";
    strNomClub = "Club A";
    cnxBase.Executer_lie("INSERT INTO Categori_record_club (Code_Club, Libelle, Age_inf, Age_sup, Sexe) "
                         "VALUES (?, 'Seniors', 20, 99, 'Homme')",
                         {strCodeClub});
    const qint64 categorie = cnxBase.Dernier_id();
    Inserer_record(categorie, 52, 50, RecordSaisi{"1.0500", "NAGEUR", "Prénom", "20230615", "Lieu", {}});
    CommandesRecords commandes;
    commandes.mnuPerfRecView_Click();
    frm_view_record* f = commandes.records();
    QVERIFY2(f, qPrintable(port.messages().join('\n')));
    Ligne(f->LsvNage, Chercher_element("52", f->LsvNage, 0, 0, 1))->setCheckState(0, Qt::Checked);
    f->Cmd_view[0]->click();
    QCOMPARE(Nombre_lignes(f->lsvRecords) > 0, true);

    bool vu = false;
    Repondre_au_dialogue(base.repertoire().chemin(), "rec_export", 0, vu);
    f->Cmd_view[2]->click();
    QVERIFY(vu);
    QCOMPARE(port.messages(), QStringList());
    QVERIFY(!QFile::exists(base.repertoire().fichier("rec_export")));
    QFile fichier(base.repertoire().fichier("rec_export.txt"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromLatin1(fichier.readAll()).startsWith("Records en bassin de 50 mètres\r\n"));
    f->close();
    strCodeClub.clear();
    strNomClub.clear();
}

// What a user reads in the dialog: the verb of the action on its button, a folder's type and
// date in French (the tests run under the C locale, which writes "Dec"); and where it opens.
void TstDialogueFichier::dialogueEnFrancaisDansLeDernierDossier()
{
    QTemporaryDir dossier;
    QVERIFY(QDir(dossier.path()).mkdir("saison"));
    {
        QFile base(dossier.filePath("Cercle des Nageurs, saison 2025-2026.mdb"));
        QVERIFY(base.open(QIODevice::WriteOnly));
        base.write(QByteArray(300 * 1024, 'x'));
    }
    PortDialogueReel port;
    bool vu = false;
    Repondre_au_dialogue(dossier.path(), "rec_export", 0, vu);
    QCOMPARE(Choisir_fichier("Exporter", kFiltreRecords, false, "Exporter").chemin, dossier.filePath("rec_export.txt"));

    QString depart, bouton, type, date;
    QStringList coupees;
    QTimer::singleShot(0, [&] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        depart = dialogue->directory().absolutePath();
        if (auto* boutons = dialogue->findChild<QDialogButtonBox*>())
            bouton = boutons->buttons().isEmpty() ? QString() : boutons->button(QDialogButtonBox::Open)->text();
        auto* vue = dialogue->findChild<QTreeView*>("treeView");
        const auto cellule = [vue](int colonne) {
            QAbstractItemModel* m = vue->model();
            for (int i = 0; i < m->rowCount(vue->rootIndex()); ++i) {
                if (m->index(i, 0, vue->rootIndex()).data().toString() == "saison")
                    return m->index(i, colonne, vue->rootIndex()).data().toString();
            }
            return QString();
        };
        if (vue && QTest::qWaitFor([&] { return !cellule(2).isEmpty(); })) {
            type = cellule(2);
            date = cellule(3);
        }
        // Every heading and every size, type and date whole and in view at the dialog's opening size.
        if (vue && QTest::qWaitFor([&] { return vue->model()->rowCount(vue->rootIndex()) == 2; })) {
            QCoreApplication::processEvents();
            QHeaderView* entete = vue->header();
            QStyleOptionViewItem option;
            option.initFrom(vue);
            option.font = vue->font();
            for (int i = 0; i < entete->count(); ++i) {
                const int fin = entete->sectionViewportPosition(i) + entete->sectionSize(i);
                if (entete->isSectionHidden(i))
                    continue;
                if (entete->sectionSize(i) < entete->sectionSizeHint(i) || fin > vue->viewport()->width())
                    coupees << entete->model()->headerData(i, Qt::Horizontal).toString();
                for (int r = 0; i > 0 && r < vue->model()->rowCount(vue->rootIndex()); ++r) {
                    const QModelIndex cellule = vue->model()->index(r, i, vue->rootIndex());
                    if (vue->itemDelegate()->sizeHint(option, cellule).width() > entete->sectionSize(i))
                        coupees << cellule.data().toString();
                }
            }
        }
        dialogue->reject();
    });
    QVERIFY(Choisir_fichier("Supprimer une Base", "Base de données (*.mdb)|*.mdb", true, "Supprimer").annule());
    QCOMPARE(depart, QDir(dossier.path()).absolutePath());
    QCOMPARE(bouton, QString("Supprimer"));
    QVERIFY2(coupees.isEmpty(), qPrintable(coupees.join(" | ")));
    QCOMPARE(type, QString("Dossier"));
    QCOMPARE(date, QLocale().toString(QFileInfo(dossier.filePath("saison")).lastModified(), QLocale::ShortFormat));
}

// The print dialog's "..." ("Imprimer dans un fichier") opens the program's own file dialog, in
// French like the others; the name typed there, given the ".pdf" of its type, is what prints.
void TstDialogueFichier::fichierDImpressionChoisiParLeDialogueDuProgramme()
{
    QTemporaryDir dossier;
    QVERIFY(QDir(dossier.path()).mkdir("saison"));
    QPrinter imprimante;
    imprimante.setOutputFileName(dossier.filePath("document.pdf"));
    QString titre, depart, type, choisi, imprimanteChoisie, derniere;
    QTimer::singleShot(0, [&] {
        auto* impression = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!impression)
            return;
        auto* parcourir = impression->findChild<QToolButton*>("fileBrowser");
        auto* fichier = impression->findChild<QLineEdit*>("filename");
        auto* imprimantes = impression->findChild<QComboBox*>("printers");
        if (!parcourir || !fichier || !imprimantes) {
            impression->reject();
            return;
        }
        QTimer::singleShot(0, [&] {
            auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialogue)
                return;
            titre = dialogue->windowTitle();
            depart = dialogue->directory().absolutePath();
            auto* vue = dialogue->findChild<QTreeView*>("treeView");
            const auto typeSaison = [vue] {
                QAbstractItemModel* m = vue->model();
                for (int i = 0; i < m->rowCount(vue->rootIndex()); ++i) {
                    if (m->index(i, 0, vue->rootIndex()).data().toString() == "saison")
                        return m->index(i, 2, vue->rootIndex()).data().toString();
                }
                return QString();
            };
            if (vue && QTest::qWaitFor([&] { return !typeSaison().isEmpty(); }))
                type = typeSaison();
            auto* saisie = dialogue->findChild<QLineEdit*>("fileNameEdit");
            if (!saisie) {
                dialogue->reject();
                return;
            }
            saisie->setFocus();
            QTest::keyClick(saisie, Qt::Key_A, Qt::ControlModifier);
            for (const QChar ch : QString("engagements"))
                QTest::sendKeyEvent(QTest::Click, saisie, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::keyClick(saisie, Qt::Key_Return);
            if (dialogue->isVisible())
                dialogue->reject();
        });
        QTest::keyClick(parcourir, Qt::Key_Space);
        choisi = fichier->text();
        imprimanteChoisie = imprimantes->currentText();
        derniere = imprimantes->itemText(imprimantes->count() - 1);
        impression->reject();
    });
    QVERIFY(!PortIhmQt().choisirImprimante(imprimante));
    QCOMPARE(titre, QString("Imprimer dans un fichier"));
    QCOMPARE(depart, QDir(dossier.path()).absolutePath());
    QCOMPARE(type, QString("Dossier"));
    QCOMPARE(QDir::fromNativeSeparators(choisi), dossier.filePath("engagements.pdf"));
    QCOMPARE(imprimanteChoisie, derniere);
}

QTEST_MAIN(TstDialogueFichier)
#include "tst_dialogue_fichier.moc"
