#pragma once
// Small helpers used everywhere: SQL literals, padding for fixed-width columns, numbers typed
// with "," or ".", accent stripping and the collections behind menu locks.

#include "core/globales.h"

#include <QHash>
#include <QString>
#include <QStringList>

class QAbstractButton;

QString Booleen_texte(bool b);
QString Accord_feminin(bool b);
// "Q", "R", "A" from a group of three option buttons, " " when none is set.
QString Option_QRA(const QList<QAbstractButton*>& options);
QString Completer_droite(const QString& texte, int longueur, QString remplissage = " ");
QString Completer_gauche(const QString& texte, int longueur, QString remplissage = " ");
void Doubler_apostrophes(QStringList& textes);
// The text with each ' doubled, ready to stand between quotes in SQL.
QString Doubler_apostrophe(const QString& texte);
// The text as a quoted SQL literal.
QString Sql_texte(const QString& texte);
// The numeric value of the leading number of a text ("12,5 kg" is 12.5; "abc" is 0).
double Valeur_numerique(const QString& texte);
double Texte_en_reel(const QString& texte);
// A decimal number for SQL, always with ".".
QString Reel_sql(double valeur);
// "Vrai", "true", "-1", "1" are true; everything else false.
bool Texte_en_booleen(const QString& texte);
QString Sans_accents(const QString& texte);

void Initialiser_collection(CollectionCompteurs* collection, int n);
void Initialiser_collections(const QList<CollectionCompteurs*>& collections);
bool Lire_collection(const QHash<QString, QString>& collection, const QString& cle, QString& valeur);
template <typename T>
void Copier_collection(QList<T>& source, QList<T>& cible, bool viderSource)
{
    cible = source;
    if (viderSource)
        source.clear();
}

// The name of a race type (Prres.Type_course) as the results show it: "Finale", "Série", "1/2 Finale"…;
// "" for none of them.
QString Libelle_course(const QString& type);
