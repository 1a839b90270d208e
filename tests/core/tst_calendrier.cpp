// The calendar dialog, driven through the user-interface port as a user would: it opens on a
// day that exists whatever the boxes held, and gives back the day picked or "" on cancel.

#include "core/dates.h"
#include "core/frm_choose_date.h"
#include "core/globales.h"
#include "core/services.h"
#include "port_test.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
QCalendarWidget* calendrier(QDialog& d)
{
    return d.findChild<QCalendarWidget*>("MonthView1");
}

// Notes the day the dialog opened on, then presses a button.
std::function<int(QDialog&)> noterPuisAppuyer(QDate* ouvert, const char* bouton)
{
    return [ouvert, bouton](QDialog& d) {
        if (ouvert)
            *ouvert = calendrier(d)->selectedDate();
        d.findChild<QPushButton*>(bouton)->click();
        return d.result();
    };
}
} // namespace

class TstCalendrier : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ouvertureSurUnJourQuiExiste_data();
    void ouvertureSurUnJourQuiExiste();
    void jourChoisiOuAnnule();
    void moisEtAnneeDeplacentLeCalendrier();
    void choisirDateEcritDansLesBoites();

private:
    std::unique_ptr<PortIhmTest> m_port;
};

void TstCalendrier::init()
{
    intNbFenetres = 0;
    Services::fixerAujourdhui(QDate(2024, 5, 20));
    m_port = std::make_unique<PortIhmTest>();
}

void TstCalendrier::cleanup()
{
    QVERIFY(m_port->toutConsomme());
    m_port.reset();
    Services::fixerAujourdhui(QDate());
    QCOMPARE(intNbFenetres, qint16(0));
}

void TstCalendrier::ouvertureSurUnJourQuiExiste_data()
{
    QTest::addColumn<QString>("annee");
    QTest::addColumn<QString>("mois");
    QTest::addColumn<QString>("jour");
    QTest::addColumn<QDate>("attendu");
    QTest::newRow("boites vides: aujourd'hui") << "" << "" << "" << QDate(2024, 5, 20);
    QTest::newRow("date complete") << "2023" << "09" << "01" << QDate(2023, 9, 1);
    QTest::newRow("mois et jour a un chiffre") << "2023" << "9" << "1" << QDate(2023, 9, 1);
    QTest::newRow("mois et jour 00") << "2024" << "00" << "00" << QDate(2024, 5, 20);
    QTest::newRow("mois 13") << "2024" << "13" << "10" << QDate(2024, 5, 10);
    QTest::newRow("31 fevrier") << "2023" << "02" << "31" << QDate(2023, 2, 28);
    QTest::newRow("29 fevrier bissextile") << "2024" << "02" << "29" << QDate(2024, 2, 29);
    QTest::newRow("31 avril") << "2022" << "04" << "31" << QDate(2022, 4, 30);
    QTest::newRow("annee hors calendrier") << "1500" << "03" << "10" << QDate(2024, 5, 10);
    QTest::newRow("annee incomplete") << "20" << "03" << "10" << QDate(2024, 5, 10);
}

void TstCalendrier::ouvertureSurUnJourQuiExiste()
{
    QFETCH(QString, annee);
    QFETCH(QString, mois);
    QFETCH(QString, jour);
    QFETCH(QDate, attendu);
    QDate ouvert;
    m_port->repondreModal(noterPuisAppuyer(&ouvert, "Cmd_0"));
    QCOMPARE(Choisir_date_calendrier(annee, mois, jour), attendu.toString("yyyyMMdd"));
    QCOMPARE(ouvert, attendu);
}

void TstCalendrier::jourChoisiOuAnnule()
{
    qint16 pendant = 0;
    QString nom, titre;
    m_port->repondreModal([&](QDialog& d) {
        pendant = intNbFenetres;
        nom = d.objectName();
        titre = d.windowTitle();
        calendrier(d)->setSelectedDate(QDate(2024, 3, 15));
        d.findChild<QPushButton*>("Cmd_0")->click();
        return d.result();
    });
    QCOMPARE(Choisir_date_calendrier("2024", "05", "01"), QString("20240315"));
    QCOMPARE(pendant, qint16(1));
    QCOMPARE(nom, QString("frm_choose_date"));
    QCOMPARE(titre, QString("Sélection d'un jour"));

    m_port->repondreModal([](QDialog& d) {
        calendrier(d)->setSelectedDate(QDate(2024, 3, 15));
        return noterPuisAppuyer(nullptr, "Cmd_1")(d);
    });
    QCOMPARE(Choisir_date_calendrier("2024", "05", "01"), QString());

    // Escape or the close box.
    m_port->repondreModal([](QDialog& d) {
        d.reject();
        return d.result();
    });
    QCOMPARE(Choisir_date_calendrier("2024", "05", "01"), QString());

    // A double click on a day answers at once.
    m_port->repondreModal([](QDialog& d) {
        emit calendrier(d)->activated(QDate(2024, 6, 2));
        return d.result();
    });
    QCOMPARE(Choisir_date_calendrier("2024", "06", "01"), QString("20240601"));
}

void TstCalendrier::moisEtAnneeDeplacentLeCalendrier()
{
    frm_choose_date d;
    QCOMPARE(intNbFenetres, qint16(1));
    d.set_date("2024", "01", "31");
    QCOMPARE(d.MonthView1->selectedDate(), QDate(2024, 1, 31));
    d.Cb_mois->setCurrentIndex(1);
    QCOMPARE(d.MonthView1->selectedDate(), QDate(2024, 2, 29));
    d.txt_annee->setText("2023");
    QCOMPARE(d.MonthView1->selectedDate(), QDate(2023, 2, 28));
    // While the year is being typed, the calendar stays where it was.
    d.txt_annee->setText("20");
    QCOMPARE(d.MonthView1->selectedDate(), QDate(2023, 2, 28));
    d.txt_annee->clear();
    QTest::keyClicks(d.txt_annee, "19a98");
    QCOMPARE(d.txt_annee->text(), QString("1998"));
    QCOMPARE(d.MonthView1->selectedDate(), QDate(1998, 2, 28));
}

void TstCalendrier::choisirDateEcritDansLesBoites()
{
    QLineEdit jour, mois, annee;
    jour.setText("31");
    mois.setText("02");
    annee.setText("2023");
    bool controle = true;
    bool controlePendantEcriture = true;
    QObject::connect(&jour, &QLineEdit::textChanged, [&] { controlePendantEcriture = controle; });

    m_port->repondreModal(noterPuisAppuyer(nullptr, "Cmd_1"));
    Choisir_date(controle, &jour, &mois, &annee);
    QCOMPARE(jour.text() + mois.text() + annee.text(), QString("31022023"));
    QVERIFY(controle);

    QDate ouvert;
    m_port->repondreModal(noterPuisAppuyer(&ouvert, "Cmd_0"));
    Choisir_date(controle, &jour, &mois, &annee);
    QCOMPARE(ouvert, QDate(2023, 2, 28));
    QCOMPARE(jour.text() + "/" + mois.text() + "/" + annee.text(), QString("28/02/2023"));
    QVERIFY(!controlePendantEcriture);
    QVERIFY(controle);
}

QTEST_MAIN(TstCalendrier)
#include "tst_calendrier.moc"
