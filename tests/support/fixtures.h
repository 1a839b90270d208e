#pragma once
// Small fixtures: a temporary application folder and a fresh base copied from the model.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Points the application folder at a new temporary folder holding the built resources.
class RepertoireTest {
public:
    RepertoireTest();
    ~RepertoireTest();
    QString chemin() const { return m_dir.path(); }
    QString fichier(const QString& nom) const { return m_dir.path() + "/" + nom; }
    // A folder inside, made when missing.
    QString dossier(const QString& nom) const;

private:
    QTemporaryDir m_dir;
};

// The program's settings, under the program's names, kept in a temporary folder of their own
// while the object lives.
class ReglagesTest {
public:
    ReglagesTest();

private:
    QTemporaryDir m_dir;
};

// A fresh base from the model, open on cnxBase while the object lives.
class BaseTest {
public:
    explicit BaseTest(const QString& nom = "test.mdb");
    ~BaseTest();
    QString chemin() const { return m_chemin; }
    const RepertoireTest& repertoire() const { return m_rep; }
    // Runs a statement, failing the test process on error.
    void executer(const QString& sql) const;
    // The first column of the first row, as the program reads it.
    QString valeur(const QString& sql) const;

private:
    RepertoireTest m_rep;
    QString m_chemin;
};

// The built model base.
QString Chemin_modele_construit();

// Fixes today's date for its lifetime.
struct JourFixe {
    explicit JourFixe(const QDate& jour);
    ~JourFixe();
    JourFixe(const JourFixe&) = delete;
    JourFixe& operator=(const JourFixe&) = delete;
};

// The first column of a query's rows, as the program reads them.
QStringList Valeurs_colonne(const QString& sql);
// Each row of a query as its values joined by "|".
QStringList Lignes_requete(const QString& sql);
