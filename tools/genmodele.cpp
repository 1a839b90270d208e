// Writes the empty model base: qv_genmodele <target> <script.sql>...
// Runs with the program's own text comparison registered, so that the base's text columns are
// ordered the way the program compares them.

#include "core/collation.h"

#include <sqlite3.h>

#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: qv_genmodele <cible> <script.sql>...\n");
        return 2;
    }
    const QString cible = QString::fromLocal8Bit(argv[1]);
    const QString temporaire = cible + ".tmp";
    QFile::remove(temporaire);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporaire.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    Enregistrer_collation(db);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA page_size=4096;", nullptr, nullptr, nullptr);
    for (int i = 2; i < argc; ++i) {
        QFile f(QString::fromLocal8Bit(argv[i]));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            sqlite3_close(db);
            return 1;
        }
        const QByteArray sql = f.readAll();
        char* erreur = nullptr;
        if (sqlite3_exec(db, ("BEGIN;" + sql + "\nCOMMIT;").constData(), nullptr, nullptr, &erreur) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", argv[i], erreur ? erreur : "?");
            sqlite3_free(erreur);
            sqlite3_close(db);
            return 1;
        }
    }
    sqlite3_exec(db, "VACUUM;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QFile::remove(cible);
    if (!QFile::rename(temporaire, cible)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
