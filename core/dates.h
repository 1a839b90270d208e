#pragma once
// Dates are "yyyymmdd" texts, compared as texts; "" is no date, "99999999" later than any.

#include <QMap>
#include <QString>

class QLineEdit;

QString Composer_date(const QString& annee, QString& mois, QString& jour);
void Decomposer_date(QString& annee, QString& mois, QString& jour, const QString& date);
bool Date_valide(const QString& annee, const QString& mois, const QString& jour);
bool Jour_valide(int jour, int mois, int annee);
// "yyyymmdd" of a day that exists.
bool Date_correcte(const QString& date);
// "yyyymmdd" of a day from 1 January 1900 to today: a birth date, the day a time was swum.
bool Date_passee(const QString& date);
// "ddmmyyyy" to "yyyymmdd", "" when not a date.
QString Texte_en_date(const QString& texte);
// "d mmmm yyyy" by default, in French.
QString Date_en_texte(const QString& date, const QString& format = QString());
QString Debut_saison(const QString& date, int annees = 0);
int Ecart_jours(const QString& date1, const QString& date2);
int Arrondi_dizaine(int n);

// A date typed into three boxes (day, month, year).
void Afficher_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, const QString& date);
void Lire_saisie_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, int& j, int& m, int& a);
void Memoriser_saisie_date(QLineEdit* boite);
// boites: the window's date boxes by index. Undoes the last keystroke when the day cannot exist.
void Controler_saisie_date(const QMap<int, QLineEdit*>& boites, bool& bControle, int index, int base, int pas);
// Offers the calendar on the boxes' date and writes the day chosen into them; the check flag is
// off while they change.
void Choisir_date(bool& bControle, QLineEdit* jour, QLineEdit* mois, QLineEdit* annee);
// The calendar dialog, modal, on that date: the day chosen "yyyymmdd", or "" when cancelled.
QString Choisir_date_calendrier(const QString& annee, const QString& mois, const QString& jour);
