#pragma once
// The club code against the geography tables of a base: what the club windows and the club
// import both accept, so that a club one of them lets in the other can save again.

#include "core/base.h"

#include <QHash>
#include <QString>

struct sqlite3;

// The geography queries prepared once on a connection: an import checks thousands of codes.
class ControleCodeClub {
public:
    // Throws ErreurExecution when the connection is closed or lacks the tables.
    explicit ControleCodeClub(sqlite3* db);
    ControleCodeClub(const ControleCodeClub&) = delete;
    ControleCodeClub& operator=(const ControleCodeClub&) = delete;

    // Why the code (13 characters: country, inter-region, region, département, number) is no
    // club code of this base, in French; "" when it is one.
    QString raison(const QString& code);

private:
    // Counts through the query once per distinct question: the codes of a file share a few
    // hundred countries, regions and départements, and the geography has no writer.
    bool existe(Requete& requete, char question, const QString& valeur, const QString& parent = QString());

    Requete m_pays;
    Requete m_inter;
    Requete m_region;
    Requete m_departement;
    QHash<QString, bool> m_reponses;
};
