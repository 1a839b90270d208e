#include "fenetres_test.h"

#include "core/globales.h"
#include "core/listes.h"

#include <QTreeWidget>
#include <QtTest>

void Traiter_evenements()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<int> Compteurs_verrou(const CollectionCompteurs& c)
{
    return QList<int>(c.begin(), c.end());
}

QList<QList<int>> Tous_les_verrous()
{
    QList<QList<int>> v;
    for (const CollectionCompteurs* c : {&colVerrouClub, &colVerrouProfil, &colVerrouLicence, &colVerrouCompet,
                                         &colVerrouEngag, &colVerrouModeleEngag, &colVerrouPiscine,
                                         &colVerrouModeleProg, &colVerrouPerf, &colVerrouPointsEquipe})
        v << Compteurs_verrou(*c);
    return v;
}

QList<QList<int>> Aucun_verrou()
{
    return {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0},
            {0, 0, 0, 0},    {0, 0, 0, 0},       {0, 0, 0, 0},          {0, 0, 0, 0, 0, 0, 0}, {0}};
}

void Double_clic(QTreeWidget* liste, int ligne)
{
    QTreeWidgetItem* item = Ligne(liste, ligne);
    liste->setCurrentItem(item);
    const QPoint centre = liste->visualItemRect(item).center();
    QTest::mousePress(liste->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(liste->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
}
