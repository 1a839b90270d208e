#pragma once
// The keyboard as the desktop drives the real main window: keys sent to the window that has the
// focus, with the text they give, and a session on an open base with the main window active.

#include "session_shell.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMap>
#include <QWindow>
#include <QtTest>

// The name of the control with the focus, or where the active window would put it.
inline QString Focus()
{
    if (QApplication::focusWidget())
        return QApplication::focusWidget()->objectName();
    QWidget* active = QApplication::activeWindow();
    return QString("<aucun> dans ") + (active ? active->objectName() + "/" + (active->focusWidget() ? active->focusWidget()->objectName() : QString("-")) : QString("-"));
}

// A key as the desktop delivers it: to the window with the focus, which hands it to its control.
inline void Touche(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
{
    QWindow* fenetre = QGuiApplication::focusWindow();
    QVERIFY(fenetre);
    QTest::keyClick(fenetre, touche, modificateurs);
    QCoreApplication::processEvents();
}

// Types the text key by key, each key with the text it gives.
inline void Taper(const QString& texte)
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

// Brings the window forward; true once the desktop has made it the active one.
inline bool Actif(QWidget* fenetre)
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

// Types each text in its box, from the box numbered `premiere` on, Tab from one to the next: the
// parts of a date as a user types them.
inline void Taper_dans_les_boites(const QMap<int, QLineEdit*>& boites, int premiere, const QStringList& textes,
                                  Qt::FocusReason raison)
{
    boites.value(premiere)->setFocus(raison);
    for (qsizetype i = 0; i < textes.size(); ++i) {
        if (i > 0)
            Touche(Qt::Key_Tab);
        QCOMPARE(Focus(), boites.value(premiere + i)->objectName());
        Taper(textes[i]);
        QCOMPARE(boites.value(premiere + i)->text(), textes[i]);
    }
}

// DUPONT Jean, born 1 January 1995: his licence number.
inline QString Num_licence_dupont()
{
    cnxBase.Execute("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Visible) "
                    "VALUES ('" + kCodeClub + "', '95123F', 'DUPONT', 'Jean', 'M', '19950101', 'FRA', true)");
    return Valeur("SELECT max(Num) FROM Licence");
}
