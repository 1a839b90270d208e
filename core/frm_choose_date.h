#pragma once
// "Sélection d'un jour": picks a day on a month calendar. Shown modal through the user-interface
// port by Choisir_date_calendrier (core/dates.h); counted while open, it takes no menu lock.

#include "core/fenetres.h"

#include <QDialog>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frm_choose_date : public QDialog {
    Q_OBJECT
public:
    explicit frm_choose_date(QWidget* parent = nullptr);

    // The day chosen, "yyyymmdd", or "" when cancelled.
    QString strDateChoose;

    // Opens on that date; empty texts stand for today's year, month or day. A month or day
    // outside its range, or a day past the month's end, falls back on a day that exists.
    void set_date(const QString& annee, const QString& mois, const QString& jour);

    QComboBox* Cb_mois;
    QLineEdit* txt_annee;
    QCalendarWidget* MonthView1;
    QPushButton* Cmd[2];

private:
    void deplacerCalendrier();
    void valider();
    void annuler();
    void focusChange(QWidget* ancien, QWidget* nouveau);

    JetonFenetre m_jeton;
    bool m_rempli = false;
    bool m_calendrierActif = false;
};
