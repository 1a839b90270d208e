#include "core/dates.h"

#include "core/globales.h"
#include "core/services.h"
#include "core/utils.h"

#include <QDate>
#include <QLineEdit>
#include <QLocale>

QString Composer_date(const QString& annee, QString& mois, QString& jour)
{
    if (mois.size() == 1)
        mois = "0" + mois;
    if (jour.size() == 1)
        jour = "0" + jour;
    return annee + mois + jour;
}

void Decomposer_date(QString& annee, QString& mois, QString& jour, const QString& date)
{
    annee = date.left(4);
    mois = date.mid(4, 2);
    jour = date.right(2);
}

bool Date_valide(const QString& annee, const QString& mois, const QString& jour)
{
    if (mois.isEmpty() || jour.isEmpty() || annee.size() < 4)
        return false;
    const double j = Valeur_numerique(jour);
    const double m = Valeur_numerique(mois);
    return j >= 1 && j <= 31 && m >= 1 && m <= 12;
}

bool Jour_valide(int jour, int mois, int annee)
{
    if (jour == 0)
        return true;
    int maximum;
    switch (mois) {
    case 0: case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        maximum = 31;
        break;
    case 4: case 6: case 9: case 11:
        maximum = 30;
        break;
    case 2:
        maximum = (annee <= 1900 || annee % 4 == 0) ? 29 : 28;
        break;
    default:
        return false;
    }
    return jour <= maximum;
}

bool Date_correcte(const QString& date)
{
    if (date.size() != 8)
        return false;
    for (const QChar c : date) {
        if (c < '0' || c > '9')
            return false;
    }
    return QDate(date.left(4).toInt(), date.mid(4, 2).toInt(), date.right(2).toInt()).isValid();
}

bool Date_passee(const QString& date)
{
    // "yyyymmdd" texts of existing days sort as the days do.
    return Date_correcte(date) && date >= QLatin1String("19000101") && date <= Aujourdhui_texte();
}

QString Texte_en_date(const QString& texte)
{
    if (texte.size() != 8)
        return QString();
    const QString jour = texte.left(2), mois = texte.mid(2, 2), annee = texte.right(4);
    if (!Date_valide(annee, mois, jour))
        return QString();
    return annee + mois + jour;
}

namespace {
// The date formats the program uses are written the way the reports have always written them
// ("d mmmm yyyy"); months become Qt's M.
QString formatQt(const QString& format)
{
    QString f = format;
    f.replace("mmmm", "MMMM").replace("mmm", "MMM").replace("mm", "MM");
    QString resultat;
    for (int i = 0; i < f.size(); ++i)
        resultat += (f[i] == 'm') ? QChar('M') : f[i];
    return resultat;
}

QDate enDate(const QString& date)
{
    return QDate(date.left(4).toInt(), date.mid(4, 2).toInt(), date.right(2).toInt());
}
} // namespace

QString Date_en_texte(const QString& date, const QString& format)
{
    if (date.size() != 8)
        return QString();
    const QDate d = enDate(date);
    if (!d.isValid())
        return QString();
    // Built once: swimmer lists write out thousands of dates in one fill.
    static const QLocale fr(QLocale::French, QLocale::France);
    static const QString formatDefaut = formatQt("d mmmm yyyy");
    return fr.toString(d, format.isEmpty() ? formatDefaut : formatQt(format));
}

QString Debut_saison(const QString& date, int annees)
{
    int y = static_cast<int>(Valeur_numerique(date.left(4)));
    if (date.right(4) < QLatin1String("0916"))
        y = y - annees - 1;
    else
        y = y - annees;
    return QString::number(y) + "0916";
}

int Ecart_jours(const QString& date1, const QString& date2)
{
    const QLocale fr(QLocale::French, QLocale::France);
    auto lire = [&](const QString& t) {
        QDate d = fr.toDate(t, "d MMMM yyyy");
        if (!d.isValid() && t.size() == 8)
            d = enDate(t);
        return d;
    };
    return static_cast<int>(lire(date1).daysTo(lire(date2)));
}

int Arrondi_dizaine(int n)
{
    return (n / 10) * 10;
}

void Afficher_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, const QString& date)
{
    QString a, m, j;
    Decomposer_date(a, m, j, date);
    if (date.size() != 8 || !Date_valide(a, m, j)) {
        a.clear();
        m.clear();
        j.clear();
    }
    jour->setText(j);
    mois->setText(m);
    annee->setText(a);
}

void Lire_saisie_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, int& j, int& m, int& a)
{
    j = static_cast<int>(Valeur_numerique(jour->text()));
    m = static_cast<int>(Valeur_numerique(mois->text()));
    a = static_cast<int>(Valeur_numerique(annee->text()));
}

void Memoriser_saisie_date(QLineEdit* boite)
{
    strDatePrecedente = boite->text();
    intPosDatePrecedente = static_cast<qint16>(boite->cursorPosition());
}

void Controler_saisie_date(const QMap<int, QLineEdit*>& boites, bool& bControle, int index, int base, int pas)
{
    if (!bControle)
        return;
    QLineEdit* jour = boites.value(base);
    QLineEdit* mois = boites.value(base + pas);
    QLineEdit* annee = boites.value(base + 2 * pas);
    QLineEdit* change = boites.value(index);
    if (!jour || !mois || !annee || !change)
        return;
    int j, m, a;
    Lire_saisie_date(jour, mois, annee, j, m, a);
    if (Jour_valide(j, m, a))
        return;
    bControle = false;
    change->setText(strDatePrecedente);
    change->setCursorPosition(intPosDatePrecedente);
    bControle = true;
}
