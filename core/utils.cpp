#include "core/utils.h"

#include <QAbstractButton>

#include <cmath>

QString Booleen_texte(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

QString Accord_feminin(bool b)
{
    return b ? QStringLiteral("e") : QString();
}

QString Option_QRA(const QList<QAbstractButton*>& options)
{
    static const char* lettres[] = {"Q", "R", "A"};
    for (int i = 0; i < 3 && i < options.size(); ++i) {
        if (options[i] && options[i]->isChecked())
            return lettres[i];
    }
    return QStringLiteral(" ");
}

QString Completer_droite(const QString& texte, int longueur, QString remplissage)
{
    if (remplissage.isEmpty())
        remplissage = " ";
    if (texte.size() > longueur)
        return texte.left(longueur);
    return texte + remplissage.left(1).repeated(longueur - texte.size());
}

QString Completer_gauche(const QString& texte, int longueur, QString remplissage)
{
    if (remplissage.isEmpty())
        remplissage = " ";
    if (texte.size() > longueur)
        return texte.left(longueur);
    return remplissage.left(1).repeated(longueur - texte.size()) + texte;
}

void Doubler_apostrophes(QStringList& textes)
{
    for (QString& t : textes)
        t.replace('\'', "''");
}

QString Doubler_apostrophe(const QString& texte)
{
    return QString(texte).replace('\'', "''");
}

QString Sql_texte(const QString& texte)
{
    return '\'' + Doubler_apostrophe(texte) + '\'';
}

double Valeur_numerique(const QString& texte)
{
    const QString t = QString(texte).replace(',', '.');
    qsizetype i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t'))
        ++i;
    const qsizetype debut = i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    bool chiffres = false;
    while (i < t.size() && t[i].isDigit()) {
        ++i;
        chiffres = true;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i].isDigit()) {
            ++i;
            chiffres = true;
        }
    }
    if (!chiffres)
        return 0.0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == '-' || t[j] == '+'))
            ++j;
        if (j < t.size() && t[j].isDigit()) {
            while (j < t.size() && t[j].isDigit())
                ++j;
            i = j;
        }
    }
    return t.mid(debut, i - debut).toDouble();
}

double Texte_en_reel(const QString& texte)
{
    return Valeur_numerique(texte);
}

QString Reel_sql(double valeur)
{
    if (valeur == std::floor(valeur) && std::fabs(valeur) < 1e15)
        return QString::number(static_cast<qint64>(valeur));
    return QString::number(valeur, 'g', 15);
}

bool Texte_en_booleen(const QString& texte)
{
    const QString t = texte.trimmed().toLower();
    return t == "vrai" || t == "true" || t == "-1" || t == "1";
}

QString Sans_accents(const QString& texte)
{
    static const std::pair<const char16_t*, const char16_t*> remplacements[] = {
        {u"é", u"E"}, {u"è", u"E"}, {u"ê", u"E"}, {u"ë", u"E"}, {u"à", u"A"}, {u"ä", u"A"}, {u"â", u"A"},
        {u"î", u"I"}, {u"ï", u"I"}, {u"ô", u"O"}, {u"ö", u"O"}, {u"ü", u"U"}, {u"û", u"U"}, {u"ç", u"C"},
    };
    QString t = texte.toLower();
    for (const auto& [accent, lettre] : remplacements)
        t.replace(QString::fromUtf16(accent), QString::fromUtf16(lettre));
    return t.toUpper();
}

void Initialiser_collection(CollectionCompteurs* collection, int n)
{
    if (!collection)
        return;
    collection->clear();
    for (int i = 0; i < n; ++i)
        collection->append(0);
}

void Initialiser_collections(const QList<CollectionCompteurs*>& collections)
{
    for (CollectionCompteurs* c : collections)
        Initialiser_collection(c, 0);
}

bool Lire_collection(const QHash<QString, QString>& collection, const QString& cle, QString& valeur)
{
    const auto it = collection.constFind(cle);
    if (it == collection.constEnd())
        return false;
    valeur = it.value();
    return true;
}

QString Libelle_course(const QString& type)
{
    if (type == "F")
        return "Finale";
    if (type == "J")
        return "Finale Jeune";
    if (type == "2")
        return "1/2 Finale";
    if (type == "4")
        return "1/4 Finale";
    if (type == "8")
        return "1/8 Finale";
    if (type == "S")
        return "Série";
    if (type == "B")
        return "Barrage";
    return QString();
}
