#pragma once
// Our event catalogue seen as Lenex events: stroke, distance, relay count and gender.

#include "components/echange_commun/echange.h"
#include "core/base.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace Lenex {

using namespace Echange;

// Ages as one reads them: "8-18 ans", "19 ans et plus", "18 ans et moins"; -1 is no limit.
inline QString Libelle_ages(int min, int max)
{
    if (min >= 0 && max >= 0)
        return min == max ? QString::number(min) + " ans" : QString::number(min) + "-" + QString::number(max) + " ans";
    if (min >= 0)
        return QString::number(min) + " ans et plus";
    if (max >= 0)
        return QString::number(max) + " ans et moins";
    return QStringLiteral("Toutes catégories");
}

// The ages an event is open to, from its age groups; -1 is no limit. A relay's group may bound
// the ages of its swimmers added up (calculate "TOTAL") instead of each one's.
class Ages {
public:
    Ages() = default;
    Ages(int min, int max, int totalMin, int totalMax) : m_min(min), m_max(max), m_totalMin(totalMin), m_totalMax(totalMax) {}

    // One more age group of the event: it is open to whoever one of its groups holds, so the
    // limits widen; a group without limits opens it to every age.
    void ajouter(int min, int max, bool total)
    {
        min = std::max(min, -1);
        max = std::max(max, -1);
        if (m_ouverte)
            return;
        if (min < 0 && max < 0) {
            *this = Ages();
            m_ouverte = true;
            return;
        }
        int& bas = total ? m_totalMin : m_min;
        int& haut = total ? m_totalMax : m_max;
        bool& lu = total ? m_totalLu : m_simpleLu;
        bas = !lu ? min : (bas < 0 || min < 0) ? -1 : std::min(bas, min);
        haut = !lu ? max : (haut < 0 || max < 0) ? -1 : std::max(haut, max);
        lu = true;
    }
    int min() const { return m_min; }
    int max() const { return m_max; }
    int totalMin() const { return m_totalMin; }
    int totalMax() const { return m_totalMax; }
    bool ouvertes() const { return m_min < 0 && m_max < 0 && m_totalMin < 0 && m_totalMax < 0; }
    // Every age within the limits, and their sum within the total's; no age known fits only an
    // event open to all.
    bool tiennent(const std::vector<int>& ages) const
    {
        if (ages.empty())
            return ouvertes();
        int somme = 0;
        for (const int a : ages) {
            if (!dans(a, m_min, m_max))
                return false;
            somme += a;
        }
        return dans(somme, m_totalMin, m_totalMax);
    }
    // How many ages the limits let through, to prefer the event made for an age.
    int etendue() const
    {
        return (m_max < 0 ? 1000 : m_max) - std::max(m_min, 0) + (m_totalMax < 0 ? 1000 : m_totalMax) - std::max(m_totalMin, 0);
    }
    QString libelle() const
    {
        if (ouvertes())
            return QStringLiteral("tous âges");
        QStringList v;
        if (m_min >= 0 || m_max >= 0)
            v << Libelle_ages(m_min, m_max);
        if (m_totalMin >= 0 || m_totalMax >= 0)
            v << "total " + Libelle_ages(m_totalMin, m_totalMax);
        return v.join(", ");
    }
    // Some age both hold.
    bool communes(const Ages& a) const
    {
        return recouvre(m_min, m_max, a.m_min, a.m_max) && recouvre(m_totalMin, m_totalMax, a.m_totalMin, a.m_totalMax);
    }
    bool operator==(const Ages& a) const
    {
        return m_min == a.m_min && m_max == a.m_max && m_totalMin == a.m_totalMin && m_totalMax == a.m_totalMax;
    }

private:
    static bool dans(int age, int min, int max) { return (min < 0 || age >= min) && (max < 0 || age <= max); }
    static bool recouvre(int min1, int max1, int min2, int max2)
    {
        return (max1 < 0 || min2 < 0 || min2 <= max1) && (max2 < 0 || min1 < 0 || min1 <= max2);
    }
    int m_min = -1, m_max = -1, m_totalMin = -1, m_totalMax = -1;
    bool m_simpleLu = false, m_totalLu = false, m_ouverte = false;
};

struct Epreuve {
    QString id, numero, genre, tour, nage, session;
    int distance = 0, relayeurs = 1, ordre = 0;
    QDate jour;
    Ages ages;
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
            m_libelles.insert(Valeur_brute(r, 0).toInt(), libelle.trimmed());
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
    // The event's label, as the windows show it; empty for a code not in the catalogue.
    QString libelle(int code) const { return m_libelles.value(code); }
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
    QHash<int, QString> m_libelles;
};


} // namespace Lenex
