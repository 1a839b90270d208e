#include "competitions/programme.h"

#include "core/cp1252.h"
#include "core/utils.h"

#include <QDate>

#include <algorithm>

namespace {

// VB's Mid on bytes: columns from 1, empty past the end of the line.
QString colonnes(const QByteArray& ligne, int debut, int largeur)
{
    return Cp1252_en_texte(ligne.mid(debut - 1, largeur));
}

int nombre(const QString& champ)
{
    return static_cast<int>(Valeur_numerique(champ));
}

// "ddmmyyyy" to "yyyymmdd" when it is a day of the calendar, else "".
QString dateTexte(const QString& champ)
{
    const QString t = champ.trimmed();
    if (t.size() != 8)
        return QString();
    for (const QChar c : t) {
        if (!c.isDigit())
            return QString();
    }
    const QDate d(t.mid(4, 4).toInt(), t.mid(2, 2).toInt(), t.left(2).toInt());
    return d.isValid() ? d.toString("yyyyMMdd") : QString();
}

int ecart(const QString& de, const QString& a)
{
    return static_cast<int>(QDate::fromString(de, "yyyyMMdd").daysTo(QDate::fromString(a, "yyyyMMdd")));
}

QList<QByteArray> lignes(const QByteArray& texte)
{
    QList<QByteArray> resultat = texte.split('\n');
    for (QByteArray& l : resultat) {
        if (l.endsWith('\r'))
            l.chop(1);
    }
    return resultat;
}

} // namespace

ProgrammeTexte Lire_pcomp(const QByteArray& pcomp, const std::function<bool(int)>& codeConnu, TableProgramme& table)
{
    table = TableProgramme{};
    ProgrammeTexte lu;
    struct Ligne {
        int code;
        QString date;
        bool connu;
        QString texteCode;
        int ordre;
    };
    QList<Ligne> lues;
    QString premiere = "99999999";
    QString derniere = "00000000";
    bool unConnu = false;
    for (const QByteArray& ligne : lignes(pcomp)) {
        const QString texteCode = colonnes(ligne, 4, 2);
        // A blank or short line would read as code 0, a real event.
        if (!std::any_of(texteCode.begin(), texteCode.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        const int code = nombre(texteCode);
        const QString date = dateTexte(colonnes(ligne, 6, 8));
        const int ordre = nombre(colonnes(ligne, 18, 2));
        const bool connu = code >= 0 && code < NbEpreuvesProgramme && codeConnu(code);
        if (connu) {
            EpreuveProgramme& e = table[code];
            e.Type = static_cast<qint16>(nombre(colonnes(ligne, 15, 1)));
            e.Nb_finales = static_cast<qint16>(nombre(colonnes(ligne, 16, 1)));
            e.Type_finale = colonnes(ligne, 17, 1);
            e.Num_ordre = static_cast<qint16>(ordre);
            premiere = std::min(premiere, date);
            derniere = std::max(derniere, date);
            unConnu = true;
        } else {
            lu.codesInconnus << texteCode;
        }
        lues.append({code, date, connu, texteCode, ordre});
    }
    // No known line leaves the dates at their start: one day.
    if (unConnu && !premiere.isEmpty() && !derniere.isEmpty())
        lu.nbJournees = ecart(premiere, derniere) + 1;
    for (const Ligne& l : lues) {
        const int jour = unConnu && !premiere.isEmpty() && !l.date.isEmpty() ? ecart(premiere, l.date) + 1 : 1;
        if (l.connu)
            table[l.code].JourCourse = static_cast<qint16>(jour);
        else
            lu.placesInconnus[l.texteCode.trimmed()] = {jour, l.ordre};
    }
    return lu;
}

QStringList Decrire_codes_inconnus(const QByteArray& nage, const ProgrammeTexte& lu)
{
    QStringList descriptions;
    for (const QByteArray& ligne : lignes(nage)) {
        const QString champ = colonnes(ligne, 1, 2);
        if (!std::any_of(champ.begin(), champ.end(), [](QChar c) { return c.isDigit(); }))
            continue;
        const QString code = QString::number(nombre(champ));
        // Blanks pad the two columns; a leading zero does not ("05" is not 5).
        if (!lu.placesInconnus.contains(code))
            continue;
        const auto place = lu.placesInconnus.value(code);
        descriptions << Completer_gauche(code, 2) + " " + Completer_droite(colonnes(ligne, 3, 20).trimmed(), 20)
                            + ", journée " + Completer_gauche(QString::number(place.first), 2) + ", ordre "
                            + QString::number(place.second);
    }
    return descriptions;
}

QString Message_codes_inconnus(const ProgrammeTexte& lu, bool nagePresent, const QStringList& descriptions)
{
    const QString debut = "Des codes nages sont inconnus dans le fichier pcomp.txt : ";
    if (!nagePresent) {
        return debut + "\n\n" + lu.codesInconnus.join('\n') + "\n\n"
               + "Fichier nage.txt non présent, impossible de trouver des informations sur ces codes.";
    }
    return debut + "\n" + descriptions.join('\n');
}
