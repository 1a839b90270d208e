// The forms used from the keyboard alone, in the real main window: every key goes to the window
// that has the focus, as the desktop sends it, and reaches whatever control has the focus there.
// Tab fills the boxes before the buttons that act on them, a window's own Alt+letter comes before
// the menu bar's, Return presses the button drawn as the default, and a window opened to type or
// choose in has its focus where that is done.

#include "clubs_licences/det_mon_club.h"
#include "competitions/det_piscine.h"
#include "competitions/frm_prog.h"
#include "competitions/piscines.h"
#include "core/ouvreurs.h"
#include "fixtures.h"
#include "session_shell.h"
#include "shell/det_profil.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <QtTest>

namespace {

// The document window of that name, nullptr when none is open.
template <class T = QWidget>
T* Fenetre_document(const QString& nom)
{
    if (QMdiArea* zone = Zone_documents()) {
        for (QMdiSubWindow* sous : zone->subWindowList()) {
            if (sous->widget() && sous->widget()->objectName() == nom)
                return qobject_cast<T*>(sous->widget());
        }
    }
    return nullptr;
}

QString Focus()
{
    if (QApplication::focusWidget())
        return QApplication::focusWidget()->objectName();
    QWidget* active = QApplication::activeWindow();
    return QString("<aucun> dans ") + (active ? active->objectName() + "/" + (active->focusWidget() ? active->focusWidget()->objectName() : QString("-")) : QString("-"));
}

// A key as the desktop delivers it: to the window with the focus, which hands it to its control.
void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
{
    QWindow* fenetre = QGuiApplication::focusWindow();
    QVERIFY(fenetre);
    QTest::keyClick(fenetre, touche, modificateurs);
    QCoreApplication::processEvents();
}

// Types the text key by key, each key with the text it gives.
void Taper(const QString& texte)
{
    // A person is slower than the event loop: what the focus set up (a box selecting its text) is done.
    QCoreApplication::processEvents();
    for (const QChar c : texte) {
        QWindow* fenetre = QGuiApplication::focusWindow();
        QVERIFY(fenetre);
        QTest::sendKeyEvent(QTest::Click, fenetre, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
    QCoreApplication::processEvents();
}

bool Actif(QWidget* fenetre)
{
    fenetre->activateWindow();
    const bool actif = QTest::qWaitForWindowActive(fenetre);
    // The window system says so first; the application's active window and focus follow.
    QCoreApplication::processEvents();
    return actif && QApplication::activeWindow() == fenetre;
}

// A session on an open base, the main window active.
struct Bureau {
    Session s;
    Bureau()
    {
        ok = s.ouvrir(Preparer_base(s.rep, "club.mdb")) && Actif(s.fenetre.get());
        s.ihm.effacer();
    }
    ~Bureau()
    {
        // A menu left open would take the next test's keys.
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    }
    bool ok = false;
};

QString Derniere_ligne(QTreeWidget* liste)
{
    const int n = liste->topLevelItemCount();
    if (n == 0)
        return QString();
    QStringList valeurs;
    for (int c = 0; c < liste->columnCount(); ++c)
        valeurs << liste->topLevelItem(n - 1)->text(c);
    return valeurs.join('|');
}

} // namespace

class TstClavierFenetres : public QObject {
    Q_OBJECT

private slots:
    // What is typed in the boxes, then Tab, Tab..., reaches each box in turn and last the "+" that
    // adds them: Space there adds the row as typed.
    void tabulationAvantLesBoutons_data()
    {
        QTest::addColumn<int>("onglet");
        QTest::addColumn<QStringList>("boites");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("liste");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("Organisation") << 1 << QStringList{"text1_8", "text1_9", "text1_10", "text1_11", "text1_12"}
                                      << QStringList{"Trésorier", "Martin", "0611", "", "m@x.fr"} << "Cmd_role_0"
                                      << "Lsv_role" << "Trésorier|Martin|0611||m@x.fr";
        QTest::newRow("Tarifs") << 3 << QStringList{"text1_14", "text1_15"} << QStringList{"Famille", "150"}
                                << "Cmd_AddTarif" << "Lsv_tarif" << "Famille|150";
    }

    void tabulationAvantLesBoutons()
    {
        QFETCH(int, onglet);
        QFETCH(QStringList, boites);
        QFETCH(QStringList, textes);
        QFETCH(QString, bouton);
        QFETCH(QString, liste);
        QFETCH(QString, ligne);
        Bureau b;
        QVERIFY(b.ok);
        QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
        auto* club = Fenetre_document<det_mon_club>("det_mon_club");
        QVERIFY(club);
        club->SSTab1->setCurrentIndex(onglet);
        club->findChild<QWidget*>(boites.first())->setFocus(Qt::MouseFocusReason);
        for (qsizetype i = 0; i < boites.size(); ++i) {
            QCOMPARE(Focus(), boites[i]);
            Taper(textes[i]);
            Touche(Qt::Key_Tab);
        }
        QCOMPARE(Focus(), bouton);
        Touche(Qt::Key_Space);
        QCOMPARE(Derniere_ligne(club->findChild<QTreeWidget*>(liste)), ligne);
    }

    // Alt and a letter of one of the window's buttons presses it, whatever menu has the same
    // letter; the letter is not typed into the box. Another letter still opens its menu.
    void lettreDeLaFenetreAvantLeMenu()
    {
        Bureau b;
        QVERIFY(b.ok);
        QVERIFY(b.s.declencher("mnuModelePiscineNew"));
        QVERIFY(Fenetre_document("det_Piscine"));
        QCOMPARE(Focus(), QString("txt_nom"));
        Taper("Piscine Nord");
        Touche(Qt::Key_O, Qt::AltModifier); // "&Ok", menu "&Outils"
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(Valeur("SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Nord'"), QString("1"));
        QCOMPARE(b.s.ihm.messages(), QStringList{"Nouvelle piscine enregistrée."});
        QVERIFY(!Fenetre_document("det_Piscine"));

        // "Informations club" has no "O": the menu opens.
        QVERIFY(b.s.declencher("mnuBaseClubConfigInfo"));
        QVERIFY(Fenetre_document("det_mon_club"));
        Touche(Qt::Key_O, Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("&Outils"));
        Touche(Qt::Key_Escape);
    }

    void lettreModeleDuProgramme()
    {
        Bureau b;
        QVERIFY(b.ok);
        cnxBase.Execute("INSERT INTO Rcomp (AutoNum, Nom, Debut, Fin, Longueur) VALUES (1, 'Meeting', '20250410', "
                        "'20250411', 25)");
        QPointer<frm_prog> programme;
        Ouvrir_frm_prog(programme, "Programme", "Modif", false, "1", true, nullptr, false);
        QVERIFY(programme);
        Touche(Qt::Key_M, Qt::AltModifier); // "&Modèle", menu "&Modèles"
        QVERIFY(!QApplication::activePopupWidget());
        QVERIFY(Fenetre_document("frm_liste_modele"));
    }

    // Typed, then Return: the default button saves.
    void entreePresseLeBoutonParDefaut_data()
    {
        QTest::addColumn<QString>("fenetre");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QStringList>("textes"); // one per box, Tab between them
        QTest::addColumn<QString>("verification");
        QTest::newRow("nouvelle piscine") << "nouvelle piscine" << "Nouvelle piscine" << QStringList{"Piscine Sud"}
                                          << "SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Sud'";
        QTest::newRow("piscine existante") << "piscine" << "Information sur la piscine" << QStringList{"Piscine Est"}
                                           << "SELECT count(*) FROM Piscine WHERE Nom = 'Piscine Est'";
        QTest::newRow("nouveau club") << "club" << "Information club"
                                      << QStringList{"Les Mouettes", "FRA1320029999"}
                                      << "SELECT count(*) FROM Club WHERE Code_federal = 'FRA1320029999' AND "
                                         "Intitule = 'Les Mouettes'";
    }

    void entreePresseLeBoutonParDefaut()
    {
        QFETCH(QString, fenetre);
        QFETCH(QString, titre);
        QFETCH(QStringList, textes);
        QFETCH(QString, verification);
        Bureau b;
        QVERIFY(b.ok);
        if (fenetre == "nouvelle piscine") {
            QVERIFY(b.s.declencher("mnuModelePiscineNew"));
        } else if (fenetre == "piscine") {
            cnxBase.Execute("INSERT INTO Piscine (Nom, NbCouloir, Bassin) VALUES ('Vieille', 8, 25)");
            QPointer<det_Piscine> piscine;
            Ouvrir_det_piscine(piscine, "Modif", nullptr, 1, "Vieille", "", "", "", "8", "25",
                               Valeur("SELECT max(Num) FROM Piscine"));
        } else {
            QVERIFY(b.s.declencher("mnuBaseClubNew"));
        }
        QMdiSubWindow* active = Zone_documents()->activeSubWindow();
        QVERIFY(active && active->widget());
        QCOMPARE(active->widget()->windowTitle(), titre);
        for (qsizetype i = 0; i < textes.size(); ++i) {
            if (i > 0)
                Touche(Qt::Key_Tab);
            Taper(textes[i]);
        }
        Touche(Qt::Key_Return);
        QCOMPARE(Valeur(verification), QString("1"));
    }

    // "Choix d'un club" from the profile window: the list takes the arrows and Return at once.
    void choixDuClubDepuisLeProfil()
    {
        Bureau b;
        QVERIFY(b.ok);
        cnxBase.Execute("INSERT INTO Club (Code_federal, Intitule) VALUES ('FRA1320025555', 'Aquatique Club')");
        QVERIFY(b.s.declencher("mnuBaseProfilNew"));
        auto* profil = Fenetre_document<det_profil>("det_profil");
        QVERIFY(profil);
        QCOMPARE(Focus(), QString("Text1_0"));
        Taper("Mon profil");
        Touche(Qt::Key_Tab);
        Touche(Qt::Key_Tab);
        QCOMPARE(Focus(), QString("Command1_2"));
        Touche(Qt::Key_Space);
        auto* clubs = Fenetre_document("Frm_liste_club");
        QVERIFY(clubs);
        QCOMPARE(Focus(), QString("Lsv_club"));
        auto* liste = clubs->findChild<QTreeWidget*>("Lsv_club");
        const int avant = liste->indexOfTopLevelItem(liste->currentItem());
        Touche(Qt::Key_Down);
        QCOMPARE(liste->indexOfTopLevelItem(liste->currentItem()), avant + 1);
        const QString code = liste->currentItem()->text(0);
        Touche(Qt::Key_Return);
        QCOMPARE(profil->Text1_1->text(), code);
        QCOMPARE(profil->Text1_0->text(), QString("Mon profil"));
    }

    // The forced first profile: the club is chosen first, then the name typed goes into its box.
    void creationProfilApresChoixDuClub()
    {
        Bureau b;
        QVERIFY(b.ok);
        const auto montrer = [](QDialog& d) {
            d.show();
            return Actif(&d);
        };
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            [&] {
                QCOMPARE(Focus(), QString("Text1_0"));
                Touche(Qt::Key_Tab);
                Touche(Qt::Key_Tab);
                QCOMPARE(Focus(), QString("Command1_2"));
                Touche(Qt::Key_Space);
            }();
            return d.result();
        });
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            [&] {
                QCOMPARE(d.windowTitle(), QString("Selection d'un club"));
                QCOMPARE(Focus(), QString("Lsv_club"));
                Touche(Qt::Key_Return);
            }();
            d.hide();
            return d.result();
        });
        b.s.ihm.repondreModal([&](QDialog& d) {
            if (!montrer(d))
                return 0;
            Taper("Nouveau profil");
            Touche(Qt::Key_Return);
            d.hide();
            return d.result();
        });
        det_profil_obli creation(b.s.fenetre.get());
        creation.executer();
        QVERIFY(b.s.ihm.toutConsomme());
        QCOMPARE(creation.Text1_1->text(), kCodeClub);
        QCOMPARE(Valeur("SELECT Code_club FROM Profil WHERE Libelle = 'Nouveau profil'"), kCodeClub);
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstClavierFenetres)
#include "tst_clavier_fenetres.moc"
