// A date refused from the keyboard, with the program's real message box under a real window
// manager: once the box is closed with a key, the desktop gives the focus back to the window on
// its own time, and the next digits typed must still land in the box that was being typed in.
// Run by ctest on its own X server with a window manager (tests/sous_gestionnaire.sh); elsewhere
// (offscreen) it is skipped.

#include "clavier_shell.h"
#include "clubs_licences/det_licence.h"

#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <optional>

namespace {

// Closes each message box of the program once the desktop has made it the active window, with the
// key a user would press; keeps their texts. A box the desktop never activates is closed after a
// while all the same, noted as such, so that the test fails instead of waiting for ever.
class FermeurMessages {
public:
    explicit FermeurMessages(Qt::Key touche)
    {
        QObject::connect(&m_minuterie, &QTimer::timeout, [this, touche] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!boite) {
                m_attente.reset();
                return;
            }
            if (boite->isActiveWindow() && QGuiApplication::focusWindow() == boite->windowHandle()) {
                textes << boite->text();
                QTest::keyClick(boite->windowHandle(), touche);
            } else if (!m_attente) {
                m_attente.emplace(10000);
            } else if (m_attente->hasExpired()) {
                textes << "<jamais active> " + boite->text();
                boite->reject();
            }
        });
        m_minuterie.start(10);
    }

    QStringList textes;

private:
    QTimer m_minuterie;
    std::optional<QDeadlineTimer> m_attente;
};

} // namespace

class TstFocusApresMessage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs an X server with a window manager (tests/sous_gestionnaire.sh)");
    }

    // Return on a date typed in part: the message is the real one, closed with a key; the digits
    // typed next finish the date in its box and Return stores it.
    void chiffresApresLeMessage_data()
    {
        QTest::addColumn<int>("onglet");
        QTest::addColumn<int>("base");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("fermeture");
        QTest::addColumn<QString>("suite");
        QTest::addColumn<QString>("verification");
        QTest::addColumn<QString>("attendu");
        const QString naissance = "SELECT Date_Naissance FROM Licence WHERE Nom = 'DUPONT'";
        const QString depot = "SELECT Date_Depot FROM Licence WHERE Nom = 'DUPONT'";
        QTest::newRow("naissance, Entrée") << 0 << 0 << QStringList{"03", "07", "199"} << "Date de naissance invalide."
                                           << int(Qt::Key_Return) << "5" << naissance << "19950703";
        QTest::newRow("naissance, Espace") << 0 << 0 << QStringList{"03", "07", "199"} << "Date de naissance invalide."
                                           << int(Qt::Key_Space) << "5" << naissance << "19950703";
        QTest::newRow("dépôt, Entrée") << 1 << 10 << QStringList{"15", "09", "20"} << "Date de dépôt invalide."
                                       << int(Qt::Key_Return) << "24" << depot << "20240915";
        QTest::newRow("dépôt, Espace") << 1 << 10 << QStringList{"15", "09", "20"} << "Date de dépôt invalide."
                                       << int(Qt::Key_Space) << "24" << depot << "20240915";
    }

    void chiffresApresLeMessage()
    {
        QFETCH(int, onglet);
        QFETCH(int, base);
        QFETCH(QStringList, textes);
        QFETCH(QString, message);
        QFETCH(int, fermeture);
        QFETCH(QString, suite);
        QFETCH(QString, verification);
        QFETCH(QString, attendu);
        Bureau b;
        QVERIFY(b.ok);
        QPointer<det_licence> d;
        Ouvrir_det_licence(d, nullptr, "Modif", "Modifier Licence", Num_licence_dupont());
        QVERIFY(d);
        QWidget* principale = b.s.fenetre.get();
        QTRY_VERIFY(principale->isActiveWindow());
        d->SSTab1->setCurrentIndex(onglet);
        // As after a Tab into it: what the box holds is selected, typing replaces it.
        Taper_dans_les_boites(d->txt_description, base, textes, Qt::TabFocusReason);
        const QPointer<QLineEdit> annee = d->txt_description.value(base + 2);
        const QString avant = Valeur(verification);

        // The program's own message boxes from here on.
        Services::installerIhm(nullptr);
        FermeurMessages fermeur{Qt::Key(fermeture)};
        Touche(Qt::Key_Return);
        QCOMPARE(fermeur.textes, QStringList{message});
        QVERIFY(d && d->isVisible() && annee);
        QCOMPARE(annee->text(), textes.last());
        QCOMPARE(Valeur(verification), avant);

        // The desktop gives the window back: what is typed then goes on with the date.
        QTRY_VERIFY_WITH_TIMEOUT(principale->isActiveWindow()
                                     && QGuiApplication::focusWindow() == principale->windowHandle(),
                                 10000);
        Taper(suite);
        QCOMPARE(Focus(), annee->objectName());
        QCOMPARE(annee->text(), textes.last() + suite);
        Touche(Qt::Key_Return);
        QTRY_VERIFY(!d);
        QCOMPARE(fermeur.textes, (QStringList{message, "Nageur modifié avec succès."}));
        QCOMPARE(Valeur(verification), attendu);
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstFocusApresMessage)
#include "tst_focus_apres_message.moc"
