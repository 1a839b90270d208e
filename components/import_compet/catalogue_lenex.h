#pragma once
// Our event catalogue seen as Lenex events: stroke, distance, relay count and gender.

#include "components/echange_commun/echange.h"
#include "core/base.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <algorithm>

namespace Lenex {

using namespace Echange;

struct Epreuve {
    QString id, numero, genre, tour, nage, session;
    int distance = 0, relayeurs = 1, ordre = 0;
    QDate jour;
};

// Our event catalogue, found by stroke, whole distance, swimmers and gender.
class Catalogue {
public:
    explicit Catalogue(const BaseEchange& base)
    {
        Requete r(base.db(), "SELECT Code_Nage, Libelle, Nb_nageurs, Sexe, Mixte, Distance FROM Nage");
        while (r.suivante()) {
            const QString libelle = Valeur_brute(r, 1);
            QString nage;
            if (libelle.contains("4 Nages"))
                nage = "MEDLEY";
            else if (libelle.contains("N.L.") || libelle.contains(" NL"))
                nage = "FREE";
            else if (libelle.contains("Dos"))
                nage = "BACK";
            else if (libelle.contains("Brasse"))
                nage = "BREAST";
            else if (libelle.contains("Papillon"))
                nage = "FLY";
            const QString genre = Valeur_brute(r, 4) == "1" ? QString("X") : Valeur_brute(r, 3).toUpper();
            m_codes.insert(cle(nage, Valeur_brute(r, 5).toInt(), Valeur_brute(r, 2).toInt(), genre),
                           Valeur_brute(r, 0).toInt());
        }
    }
    // -1 when the catalogue has no such event.
    int code(const Epreuve& e) const
    {
        return m_codes.value(cle(e.nage, e.distance * e.relayeurs, e.relayeurs, e.genre.toUpper()), -1);
    }
    // Stroke, leg distance, swimmers and gender of a code; false when it is not in the catalogue.
    bool epreuve(int code, Epreuve& e) const
    {
        const QString k = m_codes.key(code);
        const QStringList p = k.split('/');
        if (k.isEmpty() || p.size() != 4 || p[0].isEmpty())
            return false;
        e.nage = p[0];
        e.relayeurs = std::max(1, p[2].toInt());
        e.distance = p[1].toInt() / e.relayeurs;
        e.genre = p[3];
        return true;
    }

private:
    static QString cle(const QString& nage, int distance, int nageurs, const QString& genre)
    {
        return nage + '/' + QString::number(distance) + '/' + QString::number(nageurs) + '/' + genre;
    }
    QHash<QString, int> m_codes;
};


} // namespace Lenex
