#include "core/temps.h"

#include "core/globales.h"
#include "core/messages.h"
#include "core/utils.h"

#include <QLineEdit>

#include <cmath>

QString Format_temps(const QString& t)
{
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
    const QString minutes = s.left(s.indexOf('.'));
    const QString d = s.right(4);
    const QString texte = d.left(2) + "." + d.right(2);
    if (minutes.toLongLong() > 0)
        return minutes + ":" + texte;
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
