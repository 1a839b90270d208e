#pragma once
// A relay team's entry time proposed from its swimmers' best individual times over the stroke
// and distance each swims.

#include <QList>
#include <QString>
#include <QStringList>

struct TempsRelaisCalcule {
    bool reconnu = true;   // the event's label gives a leg distance and strokes for every leg
    QString temps;         // Format_temps of the sum; empty when a swimmer has no usable time
    QStringList manquants; // "Nom Prénom" of the legs without a usable time, in leg order
};

// The women's event code of each leg, in leg order; empty when the label gives no 50, 100 or
// 200 m leg distance, or a medley relay has other than four legs.
QList<int> Codes_jambes_relais(const QString& libelle, int nbJambes);

// Each leg's best time since the start of the season two seasons back, of either sex's event
// of its stroke, 50 m pools only for a 50 m competition. cles and noms are in leg order.
TempsRelaisCalcule Calculer_temps_relais(const QString& libelle, const QStringList& cles, const QStringList& noms,
                                         int longueurBassin);

// The message naming the swimmers without a usable performance.
QString Message_temps_relais_impossible(const QStringList& manquants);
