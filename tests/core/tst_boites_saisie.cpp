// Typed time and date boxes as a keyboard drives them under X11: every key carries its text
// (Delete "\x7f", Backspace "\b", Escape "\x1b").

#include "core/boites_saisie.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "port_test.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Types a key script: "<" is Backspace, ">" is Delete, anything else is typed as itself.
void taper(QLineEdit* boite, const QString& touches)
{
    for (const QChar c : touches) {
        if (c == '<')
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_Backspace, QString("\b"), Qt::NoModifier);
        else if (c == '>')
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
        else if (c.isDigit())
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key(Qt::Key_0 + c.digitValue()), QString(c), Qt::NoModifier);
        else
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}
} // namespace

class TstBoitesSaisie : public QObject {
    Q_OBJECT
private slots:
    void temps_data();
    void temps();
    void tempsEnSortant();
    void date_data();
    void date();
    void echapEtEntreeRestentALaFenetre();
    void entreeQuitteLaBoiteAvantLeBouton();
};

void TstBoitesSaisie::temps_data()
{
    QTest::addColumn<QString>("depart");
    QTest::addColumn<int>("curseur");
    QTest::addColumn<QString>("touches");
    QTest::addColumn<QString>("attendu");
    QTest::addColumn<int>("curseurFinal");
    QTest::addColumn<int>("erreurs");
    QTest::newRow("frappe filtree") << "" << 0 << "a1,2.3.4 -" << "12.34" << 5 << 0;
    QTest::newRow("soixante secondes") << "" << 0 << "1.6" << "1." << 2 << 1;
    QTest::newRow("suppr accepte") << "1.0550" << 5 << ">" << "1.055" << 5 << 0;
    QTest::newRow("suppr refuse") << "1.0650" << 2 << ">" << "1.0650" << 2 << 1;
    QTest::newRow("suppr en fin") << "1.0550" << 6 << ">" << "1.0550" << 6 << 0;
    QTest::newRow("retour arriere refuse") << "1.0650" << 3 << "<" << "1.0650" << 3 << 1;
    QTest::newRow("retour arriere puis frappe") << "1.0550" << 6 << "<<7" << "1.057" << 5 << 0;
}

void TstBoitesSaisie::temps()
{
    QFETCH(QString, depart);
    QFETCH(int, curseur);
    QFETCH(QString, touches);
    QFETCH(QString, attendu);
    QFETCH(int, curseurFinal);
    QFETCH(int, erreurs);
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QLineEdit boite;
    Brancher_boite_temps(&boite);
    boite.setText(depart);
    boite.setCursorPosition(curseur);
    taper(&boite, touches);
    QCOMPARE(boite.text(), attendu);
    QCOMPARE(boite.cursorPosition(), curseurFinal);
    QCOMPARE(port.messages().count("Saisie du temps incorrect."), erreurs);
    QCOMPARE(port.messages().size(), erreurs);
    // Each check forgets the text it kept, a Delete that changed nothing included.
    QVERIFY(strTempsPrecedent.isEmpty());
}

void TstBoitesSaisie::tempsEnSortant()
{
    QWidget fenetre;
    auto* colonne = new QVBoxLayout(&fenetre);
    auto* boite = new QLineEdit(&fenetre);
    auto* autre = new QLineEdit(&fenetre);
    colonne->addWidget(boite);
    colonne->addWidget(autre);
    Brancher_boite_temps(boite);
    fenetre.show();
    QApplication::setActiveWindow(&fenetre);
    QVERIFY(QTest::qWaitForWindowActive(&fenetre));

    const std::pair<QString, QString> cas[] = {{"1.5", "1.5000"}, {"", "0.0000"}, {"12.", "12.0000"}};
    for (const auto& [tape, attendu] : cas) {
        boite->setFocus(Qt::TabFocusReason);
        boite->clear();
        taper(boite, tape);
        QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_Tab, QString("\t"), Qt::NoModifier);
        autre->setFocus(Qt::TabFocusReason);
        QCOMPARE(boite->text(), attendu);
        QVERIFY(strTempsPrecedent.isEmpty());
    }
    // Getting the focus selects the whole time, so that typing replaces it.
    boite->setFocus(Qt::TabFocusReason);
    QVERIFY(boite->hasSelectedText());
    QCOMPARE(boite->selectedText(), QString("12.0000"));
    // A box disabled while it has the focus is not rewritten.
    boite->setText("3");
    boite->setEnabled(false);
    QCOMPARE(boite->text(), QString("3"));
}

void TstBoitesSaisie::date_data()
{
    QTest::addColumn<QStringList>("depart"); // day, month, year
    QTest::addColumn<int>("index");          // the box typed into
    QTest::addColumn<int>("curseur");
    QTest::addColumn<QString>("touches");
    QTest::addColumn<bool>("controle");
    QTest::addColumn<QStringList>("attendu");
    const QStringList vide {"", "", ""};
    QTest::newRow("chiffres seuls") << vide << 0 << 0 << "a3-1 " << true << QStringList {"31", "", ""};
    QTest::newRow("deux chiffres") << vide << 0 << 0 << "123" << true << QStringList {"12", "", ""};
    QTest::newRow("31 fevrier") << QStringList {"31", "", ""} << 1 << 0 << "2" << true << QStringList {"31", "", ""};
    QTest::newRow("31 decembre") << QStringList {"31", "", ""} << 1 << 0 << "12" << true
                                 << QStringList {"31", "12", ""};
    QTest::newRow("suppr accepte") << QStringList {"31", "12", ""} << 1 << 1 << ">" << true
                                   << QStringList {"31", "1", ""};
    QTest::newRow("suppr refuse") << QStringList {"31", "12", ""} << 1 << 0 << ">" << true
                                  << QStringList {"31", "12", ""};
    QTest::newRow("retour arriere refuse") << QStringList {"31", "12", ""} << 1 << 1 << "<" << true
                                           << QStringList {"31", "12", ""};
    QTest::newRow("29 fevrier 2023") << QStringList {"29", "02", "202"} << 2 << 3 << "3" << true
                                     << QStringList {"29", "02", "202"};
    QTest::newRow("29 fevrier 2024") << QStringList {"29", "02", "202"} << 2 << 3 << "4" << true
                                     << QStringList {"29", "02", "2024"};
    QTest::newRow("annee de quatre chiffres") << vide << 2 << 0 << "20245" << true << QStringList {"", "", "2024"};
    QTest::newRow("controle coupe") << QStringList {"31", "", ""} << 1 << 0 << "2" << false
                                    << QStringList {"31", "2", ""};
}

void TstBoitesSaisie::date()
{
    QFETCH(QStringList, depart);
    QFETCH(int, index);
    QFETCH(int, curseur);
    QFETCH(QString, touches);
    QFETCH(bool, controle);
    QFETCH(QStringList, attendu);
    PortIhmTest port;
    QWidget fenetre;
    QLineEdit* boites[3];
    for (auto& b : boites)
        b = new QLineEdit(&fenetre);
    bool bControle = controle;
    Brancher_boites_date(boites[0], boites[1], boites[2], bControle);
    for (int k = 0; k < 3; ++k)
        boites[k]->setText(depart[k]);
    boites[index]->setCursorPosition(curseur);
    taper(boites[index], touches);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(boites[k]->text(), attendu[k]);
    QCOMPARE(bControle, controle);
    // Refused keys are undone silently.
    QVERIFY(port.appels().empty());
}

void TstBoitesSaisie::echapEtEntreeRestentALaFenetre()
{
    // The keys that type nothing are not the filters': the window's Escape and Return see them.
    QWidget fenetre;
    auto* temps = new QLineEdit(&fenetre);
    QLineEdit* date[3];
    for (auto& b : date)
        b = new QLineEdit(&fenetre);
    bool bControle = true;
    Brancher_boite_temps(temps);
    Brancher_boites_date(date[0], date[1], date[2], bControle);
    struct Espion : QObject {
        QList<int> touches;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                touches << static_cast<QKeyEvent*>(e)->key();
            return false;
        }
    } espion;
    fenetre.installEventFilter(&espion);
    for (QLineEdit* boite : {temps, date[0]}) {
        espion.touches.clear();
        QTest::sendKeyEvent(QTest::Press, boite, Qt::Key_Escape, QString("\x1b"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Press, boite, Qt::Key_Return, QString("\r"), Qt::NoModifier);
        QCOMPARE(espion.touches, (QList<int> {Qt::Key_Escape, Qt::Key_Return}));
    }
}

void TstBoitesSaisie::entreeQuitteLaBoiteAvantLeBouton()
{
    // Return (or Enter of the keypad) in a time box presses the window's default button once the
    // box is left as a click on the button leaves it: the button reads the time written out. The
    // window staying open, the focus is back in the box with the caret where the typing stopped.
    FenetreComptee fenetre;
    auto* colonne = new QVBoxLayout(&fenetre);
    auto* boite = new QLineEdit(&fenetre);
    QPushButton* ok = Creer_bouton(&fenetre, "ok", "Ok");
    ok->setDefault(true);
    colonne->addWidget(boite);
    colonne->addWidget(ok);
    Brancher_boite_temps(boite);
    QStringList lus;
    connect(ok, &QPushButton::clicked, this, [&] { lus << boite->text(); });
    fenetre.show();
    QApplication::setActiveWindow(&fenetre);
    QVERIFY(QTest::qWaitForWindowActive(&fenetre));

    const std::tuple<QString, Qt::Key, Qt::KeyboardModifiers, QString> cas[] = {
        {"1.5", Qt::Key_Return, Qt::NoModifier, "1.5000"}, {"2.25", Qt::Key_Enter, Qt::KeypadModifier, "2.2500"}};
    for (const auto& [tape, touche, modificateurs, attendu] : cas) {
        boite->setFocus(Qt::TabFocusReason);
        boite->clear();
        taper(boite, tape);
        QTest::sendKeyEvent(QTest::Click, boite, touche, QString("\r"), modificateurs);
        QCoreApplication::processEvents();
        QCOMPARE(lus.takeLast(), attendu);
        QVERIFY(boite->hasFocus());
        QCOMPARE(boite->cursorPosition(), tape.size());
        QVERIFY(!boite->hasSelectedText());
    }
}

QTEST_MAIN(TstBoitesSaisie)
#include "tst_boites_saisie.moc"
