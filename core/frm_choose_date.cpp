#include "core/frm_choose_date.h"

#include "core/dates.h"
#include "core/globales.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QDate premierJour(1753, 1, 1);
const QDate dernierJour(9999, 12, 31);

// The numeric value of a typed text, kept within int.
int entier(const QString& texte)
{
    return static_cast<int>(std::clamp(Valeur_numerique(texte), -1e9, 1e9));
}

QDate jourExistant(int annee, int mois, int jour)
{
    const int longueur = QDate(annee, mois, 1).daysInMonth();
    return QDate(annee, mois, std::clamp(jour, 1, longueur));
}
} // namespace

frm_choose_date::frm_choose_date(QWidget* parent) : QDialog(parent)
{
    setObjectName("frm_choose_date");
    setWindowTitle("Sélection d'un jour");

    auto* Lbl_mois = new QLabel("Mois :", this);
    Lbl_mois->setObjectName("Lbl_mois");
    Cb_mois = new QComboBox(this);
    Cb_mois->setObjectName("Cb_mois");
    Cb_mois->addItems({"Janvier", "Février", "Mars", "Avril", "Mai", "Juin", "Juillet", "Août", "Septembre",
                       "Octobre", "Novembre", "Décembre"});
    auto* Lbl_annee = new QLabel("Année :", this);
    Lbl_annee->setObjectName("Lbl_annee");
    txt_annee = new QLineEdit(this);
    txt_annee->setObjectName("txt_annee");
    txt_annee->setMaxLength(4);
    Installer_filtre_chiffre(txt_annee);
    Installer_selection_au_focus(txt_annee);
    Lbl_mois->setBuddy(Cb_mois);
    Lbl_annee->setBuddy(txt_annee);

    MonthView1 = new QCalendarWidget(this);
    MonthView1->setObjectName("MonthView1");
    MonthView1->setLocale(QLocale(QLocale::French, QLocale::France));
    MonthView1->setDateRange(premierJour, dernierJour);
    MonthView1->setSelectedDate(Services::aujourdhui());
    MonthView1->setGridVisible(true);

    const char* libelles[2] = {"&Ok", "&Annuler"};
    for (int i = 0; i < 2; ++i) {
        Cmd[i] = new QPushButton(libelles[i], this);
        Cmd[i]->setObjectName(QString("Cmd_%1").arg(i));
    }
    Cmd[0]->setDefault(true);

    auto* haut = new QHBoxLayout;
    haut->addWidget(Lbl_mois);
    haut->addWidget(Cb_mois, 1);
    haut->addWidget(Lbl_annee);
    haut->addWidget(txt_annee);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(Cmd[0]);
    bas->addWidget(Cmd[1]);
    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(haut);
    colonne->addWidget(MonthView1, 1);
    colonne->addLayout(bas);
    setTabOrder(Cb_mois, txt_annee);
    setTabOrder(txt_annee, MonthView1);
    setTabOrder(MonthView1, Cmd[0]);
    setTabOrder(Cmd[0], Cmd[1]);

    connect(Cb_mois, &QComboBox::currentIndexChanged, this, &frm_choose_date::deplacerCalendrier);
    connect(txt_annee, &QLineEdit::textChanged, this, &frm_choose_date::deplacerCalendrier);
    connect(MonthView1, &QCalendarWidget::activated, this, &frm_choose_date::valider);
    connect(Cmd[0], &QPushButton::clicked, this, &frm_choose_date::valider);
    connect(Cmd[1], &QPushButton::clicked, this, &frm_choose_date::annuler);
    connect(qApp, &QApplication::focusChanged, this, &frm_choose_date::focusChange);
}

void frm_choose_date::set_date(const QString& annee, const QString& mois, const QString& jour)
{
    const QDate aujourdhui = Services::aujourdhui();
    m_rempli = false;
    txt_annee->setText(annee.isEmpty() ? QString::number(aujourdhui.year()) : annee);
    int m = mois.isEmpty() ? aujourdhui.month() : entier(mois);
    if (m < 1 || m > 12)
        m = aujourdhui.month();
    Cb_mois->setCurrentIndex(m - 1);
    m_rempli = true;
    deplacerCalendrier();
    int j = jour.isEmpty() ? aujourdhui.day() : entier(jour);
    if (j < 1)
        j = aujourdhui.day();
    const QDate affiche = MonthView1->selectedDate();
    MonthView1->setSelectedDate(jourExistant(affiche.year(), affiche.month(), j));
}

void frm_choose_date::deplacerCalendrier()
{
    if (!m_rempli)
        return;
    const QString texte = txt_annee->text().trimmed();
    const int annee = texte.isEmpty() ? Services::aujourdhui().year() : entier(texte);
    if (annee < premierJour.year() || annee > dernierJour.year())
        return;
    MonthView1->setSelectedDate(jourExistant(annee, Cb_mois->currentIndex() + 1, MonthView1->selectedDate().day()));
}

void frm_choose_date::valider()
{
    strDateChoose = MonthView1->selectedDate().toString("yyyyMMdd");
    accept();
}

void frm_choose_date::annuler()
{
    strDateChoose.clear();
    reject();
}

void frm_choose_date::focusChange(QWidget*, QWidget* nouveau)
{
    if (!nouveau || nouveau->window() != this)
        return;
    if (nouveau == MonthView1 || MonthView1->isAncestorOf(nouveau)) {
        m_calendrierActif = true;
    } else if (nouveau == Cb_mois || nouveau == txt_annee) {
        m_calendrierActif = false;
    } else if (m_calendrierActif && (nouveau == Cmd[0] || nouveau == Cmd[1])) {
        // Leaving the calendar for a button answers at once.
        m_calendrierActif = false;
        nouveau == Cmd[0] ? valider() : annuler();
    }
}

QString Choisir_date_calendrier(const QString& annee, const QString& mois, const QString& jour)
{
    frm_choose_date dialogue(frmPrincipal);
    dialogue.set_date(annee, mois, jour);
    Services::ihm().executerModal(dialogue);
    return dialogue.strDateChoose;
}

void Choisir_date(bool& bControle, QLineEdit* jour, QLineEdit* mois, QLineEdit* annee)
{
    const QString date = Choisir_date_calendrier(annee->text(), mois->text(), jour->text());
    bControle = false;
    if (!date.isEmpty())
        Afficher_date(jour, mois, annee, date);
    bControle = true;
}
