#include "core/temps.h"

#include "core/globales.h"
#include "core/messages.h"
#include "core/utils.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {
bool Chiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A time as the base stores it: an optional minus, an integer part of at most nine digits with no
// leading zero, then up to four decimals after a point or a comma. Its four-decimal form is its
// own digits, for the double read from it lies far closer to them than half a ten-thousandth: no
// number to read and write back. Any other text returns false and goes through the number.
bool Format_temps_direct(QStringView t, QString& s)
{
    const qsizetype n = t.size();
    qsizetype i = 0;
    const bool negatif = i < n && t[i] == u'-';
    if (negatif)
        ++i;
    const qsizetype debutEntier = i;
    while (i < n && Chiffre(t[i]))
        ++i;
    const QStringView entier = t.mid(debutEntier, i - debutEntier);
    if (entier.isEmpty() || entier.size() > 9 || (entier.size() > 1 && entier[0] == u'0'))
        return false;
    QStringView decimales;
    if (i < n && (t[i] == u'.' || t[i] == u',')) {
        const qsizetype debut = ++i;
        while (i < n && Chiffre(t[i]))
            ++i;
        decimales = t.mid(debut, i - debut);
        if (decimales.isEmpty() || decimales.size() > 4)
            return false;
    }
    if (i != n)
        return false;
    const auto zero = [](QChar c) { return c == u'0'; };
    const bool nul = std::all_of(entier.begin(), entier.end(), zero) && std::all_of(decimales.begin(), decimales.end(), zero);
    s.reserve(entier.size() + 6);
    if (negatif && !nul)
        s += u'-';
    s += entier;
    s += u'.';
    s += decimales;
    for (qsizetype k = decimales.size(); k < 4; ++k)
        s += u'0';
    return true;
}
} // namespace

QString Format_temps(const QString& t)
{
    QString s;
    if (Format_temps_direct(t, s))
        return s;
    return Format_temps(Valeur_numerique(t));
}

QString Format_temps(double t)
{
    QString s = QString::number(t, 'f', 4);
    if (s == "-0.0000")
        s = "0.0000";
    return s;
}

qint64 Temps_en_centiemes(const QString& t)
{
    const QString s = Format_temps(t);
    const bool negatif = s.startsWith('-');
    const QString absolu = negatif ? s.mid(1) : s;
    const qsizetype point = absolu.indexOf('.');
    const qint64 minutes = absolu.left(point).toLongLong();
    const qint64 secondes = absolu.mid(point + 1, 2).toLongLong();
    const qint64 centiemes = absolu.mid(point + 3, 2).toLongLong();
    const qint64 total = minutes * 6000 + secondes * 100 + centiemes;
    return negatif ? -total : total;
}

QString Centiemes_en_temps(qint64 centiemes)
{
    const bool negatif = centiemes < 0;
    const qint64 a = negatif ? -centiemes : centiemes;
    const qint64 minutes = a / 6000;
    const qint64 reste = a % 6000;
    return QString("%1%2.%3%4")
        .arg(negatif ? "-" : "")
        .arg(minutes)
        .arg(reste / 100, 2, 10, QChar('0'))
        .arg(reste % 100, 2, 10, QChar('0'));
}

double Temps_en_secondes(const QString& t)
{
    return static_cast<double>(Temps_en_centiemes(t)) / 100.0;
}

double Temps_en_secondes(double t)
{
    return Temps_en_secondes(Format_temps(t));
}

QString Secondes_en_temps(double s)
{
    return Centiemes_en_temps(std::llround(s * 100.0));
}

QString Ajouter_temps(const QString& t1, const QString& t2)
{
    return Centiemes_en_temps(Temps_en_centiemes(t1) + Temps_en_centiemes(t2));
}

QString Ajouter_temps(double t1, double t2)
{
    return Ajouter_temps(Format_temps(t1), Format_temps(t2));
}

QString Temps_affichage(const QString& t)
{
    const QString s = Format_temps(t);
    if (s == "0.0000")
        return QStringLiteral(" ");
    // A negative time cannot be swum: it keeps its sign so that it never reads as a valid one.
    const bool negatif = s.startsWith(u'-');
    const QStringView chiffres = QStringView(s).mid(negatif ? 1 : 0);
    const QStringView minutes = chiffres.left(chiffres.indexOf(u'.'));
    const QStringView d = chiffres.right(4);
    QString texte;
    texte.reserve(minutes.size() + 7);
    if (negatif)
        texte += u'-';
    if (minutes.toLongLong() > 0) {
        texte += minutes;
        texte += u':';
    }
    texte += d.left(2);
    texte += u'.';
    texte += d.right(2);
    return texte;
}

QString Temps_affichage(double t)
{
    return Temps_affichage(Format_temps(t));
}

int Filtrer_touche_temps(QLineEdit* boite, int code)
{
    if (code == 8 || (code >= '0' && code <= '9')) {
        Memoriser_saisie_temps(boite);
        return code;
    }
    if (code == '.' && !boite->text().contains('.')) {
        Memoriser_saisie_temps(boite);
        return code;
    }
    return 0;
}

void Touche_suppr_temps(int codeTouche, QLineEdit* boite)
{
    if (codeTouche == 46)
        Memoriser_saisie_temps(boite);
}

void Memoriser_saisie_temps(QLineEdit* boite)
{
    strTempsPrecedent = boite->text();
    intPosTempsPrecedent = static_cast<qint16>(boite->cursorPosition());
}

void Controler_saisie_temps(QLineEdit* boite)
{
    if (strTempsPrecedent.isEmpty())
        return;
    if (!boite->text().isEmpty() && Format_temps(boite->text()).right(4).toInt() >= 6000) {
        const QString precedent = strTempsPrecedent;
        // Emptied first, so that the change made by putting the text back checks nothing.
        strTempsPrecedent.clear();
        Afficher_erreur("Saisie du temps incorrect.");
        boite->setText(precedent);
        boite->setCursorPosition(intPosTempsPrecedent);
        return;
    }
    strTempsPrecedent.clear();
}
