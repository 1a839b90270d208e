#pragma once
// Shared by the exchange tests and the import benchmark: a base file made from the model with its
// own connection, and calls of the exchange components.

#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "fixtures.h"

#include <sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

// A base file copied from the model, with a private connection for seeding and reading.
class BaseFichier {
public:
    explicit BaseFichier(const QString& chemin) : m_chemin(chemin)
    {
        QFile::remove(chemin);
        if (!QFile::copy(Chemin_modele_construit(), chemin))
            throw std::runtime_error("modèle introuvable");
        QFile(chemin).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        m_db = Ouvrir_connexion_sqlite(chemin);
    }
    ~BaseFichier() { sqlite3_close_v2(m_db); }
    BaseFichier(const BaseFichier&) = delete;
    BaseFichier& operator=(const BaseFichier&) = delete;

    const QString& chemin() const { return m_chemin; }
    sqlite3* db() const { return m_db; }

    qint64 executer(const QString& sql, const QVariantList& valeurs = {}) const
    {
        Requete r(m_db, sql);
        r.lier(valeurs);
        while (r.suivante()) {
        }
        return sqlite3_last_insert_rowid(m_db);
    }
    // Every row, its columns joined by "|".
    QStringList lignes(const QString& sql, const QVariantList& valeurs = {}) const
    {
        Requete r(m_db, sql);
        r.lier(valeurs);
        QStringList resultat;
        while (r.suivante()) {
            QStringList colonnes;
            for (int i = 0; i < r.colonnes(); ++i)
                colonnes << r.texte(i);
            resultat << colonnes.join('|');
        }
        return resultat;
    }
    QString valeur(const QString& sql, const QVariantList& valeurs = {}) const
    {
        const QStringList l = lignes(sql, valeurs);
        return l.isEmpty() ? QString() : l.first().section('|', 0, 0);
    }
    int nombre(const QString& table) const { return valeur("SELECT count(*) FROM " + table).toInt(); }

private:
    QString m_chemin;
    sqlite3* m_db = nullptr;
};

struct ResultatAppel {
    QVariant resultat;
    QString trace;
};

// Calls the component's method; the trace is read back and removed.
inline ResultatAppel Appeler_composant(const QString& classe, const QString& methode, const QVariantList& arguments,
                                       const QString& trace)
{
    const std::unique_ptr<Composant> c = Composants::creer(classe);
    if (!c)
        throw std::runtime_error(("composant introuvable : " + classe).toStdString());
    ResultatAppel r;
    r.resultat = c->appeler(methode, arguments);
    QFile f(trace);
    if (f.open(QIODevice::ReadOnly))
        r.trace = QString::fromUtf8(f.readAll());
    f.close();
    QFile::remove(trace);
    return r;
}

// A component's call timed for a benchmark, in milliseconds; a call that fails prints its trace
// and ends the program, since its time would mean nothing.
inline qint64 Chronometrer_composant(const QString& classe, const QString& methode, const QVariantList& arguments,
                                     const QString& trace)
{
    QElapsedTimer chrono;
    chrono.start();
    const ResultatAppel r = Appeler_composant(classe, methode, arguments, trace);
    const qint64 ms = chrono.elapsed();
    if (!r.resultat.toBool()) {
        std::fprintf(stderr, "%s\n", qPrintable(r.trace));
        std::exit(1);
    }
    return ms;
}

inline void Ecrire_fichier(const QString& chemin, const QByteArray& contenu)
{
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenu) != contenu.size())
        throw std::runtime_error("écriture impossible");
}

// The Lenex files another program wrote, shared beside the sources; "" when they are absent.
inline QString Dossier_conformite()
{
    for (const QString& d : {QStringLiteral(QV_SOURCE_DIR "/../shared/conformance/lenex"),
                             QStringLiteral(QV_SOURCE_DIR "/../../shared/conformance/lenex")}) {
        if (QFileInfo::exists(d + "/meet-entries.lef"))
            return d;
    }
    return QString();
}
