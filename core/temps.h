#pragma once
// Swim times M.SSCC (1.0532 is 1 min 05.32 s). Arithmetic is done in whole hundredths so that
// sums never show 60 seconds or 100 hundredths.

#include <QString>

class QLineEdit;

// Hundredths of a time given as M.SSCC text (with "," or ".").
qint64 Temps_en_centiemes(const QString& t);
// M.SSCC text of a number of hundredths.
QString Centiemes_en_temps(qint64 centiemes);

double Temps_en_secondes(double t);
double Temps_en_secondes(const QString& t);
QString Secondes_en_temps(double s);
QString Ajouter_temps(double t1, double t2);
QString Ajouter_temps(const QString& t1, const QString& t2);
QString Format_temps(const QString& t);
QString Format_temps(double t);
QString Temps_affichage(const QString& t);
QString Temps_affichage(double t);

// Guarded typing in a time box.
int Filtrer_touche_temps(QLineEdit* boite, int code);
void Touche_suppr_temps(int codeTouche, QLineEdit* boite);
void Memoriser_saisie_temps(QLineEdit* boite);
void Controler_saisie_temps(QLineEdit* boite);
