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
    // -1 when the catalogue has no such event. An event open to all (gender "A" or none) is the
    // mixed relay, or for one swimmer the race of that swimmer's sex.
    int code(const Epreuve& e, const QString& sexeNageur = QString()) const
    {
        QString genre = e.genre.toUpper();
        if (ouverte(e))
            genre = e.relayeurs > 1 ? QStringLiteral("X") : sexeNageur.toUpper();
        if (genre.isEmpty())
            return -1;
        return m_codes.value(cle(e.nage, e.distance * e.relayeurs, e.relayeurs, genre), -1);
    }
    // The codes an event takes in our programme, where the sexes race apart: an individual event
    // open to all is both the ladies' and the men's race.
    QList<int> codes(const Epreuve& e) const
    {
        QList<int> v;
        for (const int c : (ouverte(e) && e.relayeurs <= 1) ? QList<int>{code(e, "F"), code(e, "M")} : QList<int>{code(e)})
            if (c >= 0)
                v << c;
        return v;
    }
    static bool ouverte(const Epreuve& e) { return e.genre.isEmpty() || e.genre.compare("A", Qt::CaseInsensitive) == 0; }
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
