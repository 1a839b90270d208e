#pragma once
// Helpers for the window tests: letting closed windows go, finding a shown window, reading the
// menu-lock counters and double-clicking a list row as a user does.

#include "core/globales.h"

#include <QApplication>
#include <QList>
#include <QString>
#include <QWidget>

class QTreeWidget;

// Lets closed windows go (they delete themselves later) and runs pending events.
void Traiter_evenements();

// The visible top-level window of that name, or nullptr.
template <class T>
T* Fenetre_nommee(const QString& nom)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == nom && w->isVisible())
            return qobject_cast<T*>(w);
    }
    return nullptr;
}

// One lock group's counters.
QList<int> Compteurs_verrou(const CollectionCompteurs& c);
// Every lock group's counters, in group order.
QList<QList<int>> Tous_les_verrous();
// The counters right after start: every menu free.
QList<QList<int>> Aucun_verrou();

// Selects row `ligne` (from 1) and double-clicks it.
void Double_clic(QTreeWidget* liste, int ligne);
