// Key filters hold for typed and pasted text; the dialogs answer what the user chose.

#include "core/fichiers.h"
#include "core/saisie.h"
#include "port_test.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPrinter>
#include <QtTest>

namespace {
// Types each character as a key press carrying it.
void taper(QLineEdit* boite, const QString& texte)
{
    for (const QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
} // namespace

class TstSaisie : public QObject {
    Q_OBJECT
private slots:
    void filtres_data();
    void filtres();
    void boitesFiltrees_data();
    void boitesFiltrees();
    void texteChargeResteModifiable();
    void toucheSupprPasseLeFiltre_data();
    void toucheSupprPasseLeFiltre();
    void dialogues();
};

void TstSaisie::filtres_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("chiffre");
    QTest::addColumn<int>("decimal");
    QTest::addColumn<int>("majuscule");
    QTest::newRow("chiffre") << int('7') << int('7') << int('7') << int('7');
    QTest::newRow("retour arriere") << 8 << 8 << 8 << 8;
    QTest::newRow("entree") << 13 << 0 << 0 << 13;
    QTest::newRow("virgule") << int(',') << 0 << int(',') << 0;
    QTest::newRow("point") << int('.') << 0 << 0 << 0;
    QTest::newRow("moins") << int('-') << 0 << 0 << 0;
    QTest::newRow("minuscule") << int('a') << 0 << 0 << int('A');
    QTest::newRow("majuscule") << int('Z') << 0 << 0 << int('Z');
    QTest::newRow("accent") << int(u'é') << 0 << 0 << 0;
    QTest::newRow("blanc") << int(' ') << 0 << 0 << 0;
}

void TstSaisie::filtres()
{
    QFETCH(int, code);
    QFETCH(int, chiffre);
    QFETCH(int, decimal);
    QFETCH(int, majuscule);
    QCOMPARE(Filtrer_chiffre(code), chiffre);
    QCOMPARE(Filtrer_decimal(code), decimal);
    int c = code;
    QCOMPARE(Filtrer_majuscule(c), majuscule);
    QCOMPARE(c, majuscule);
}

void TstSaisie::boitesFiltrees_data()
{
    QTest::addColumn<int>("genre");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("apresFrappe");
    QTest::addColumn<QString>("colle");
    QTest::addColumn<QString>("apresCollage");
    QTest::newRow("chiffres") << 0 << "1a2-3" << "123" << "45b" << "123";
    QTest::newRow("chiffres colles") << 0 << "" << "" << "0612" << "0612";
    QTest::newRow("decimal") << 1 << "12.5,5" << "125,5" << "1.5" << "125,5";
    QTest::newRow("majuscules") << 2 << "du pont-é2" << "DUPONT2" << "lemaire" << "DUPONT2LEMAIRE";
    QTest::newRow("majuscules accent colle") << 2 << "" << "" << "hélène" << "";
}

void TstSaisie::boitesFiltrees()
{
    QFETCH(int, genre);
    QFETCH(QString, tape);
    QFETCH(QString, apresFrappe);
    QFETCH(QString, colle);
    QFETCH(QString, apresCollage);
    QLineEdit boite;
    switch (genre) {
    case 0: Installer_filtre_chiffre(&boite); break;
    case 1: Installer_filtre_decimal(&boite); break;
    case 2: Installer_filtre_majuscule(&boite); break;
    }
    taper(&boite, tape);
    QCOMPARE(boite.text(), apresFrappe);
    QGuiApplication::clipboard()->setText(colle);
    QTest::keyClick(&boite, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boite.text(), apresCollage);
    QTest::keyClick(&boite, Qt::Key_Backspace);
    QCOMPARE(boite.text(), apresCollage.chopped(apresCollage.isEmpty() ? 0 : 1));
}

void TstSaisie::texteChargeResteModifiable()
{
    // A value written by the program is not checked; only what the user adds is.
    QLineEdit boite;
    Installer_filtre_majuscule(&boite);
    boite.setText("HÉLÈNE");
    taper(&boite, "x-");
    QCOMPARE(boite.text(), QString("HÉLÈNEX"));
    boite.setCursorPosition(1);
    QTest::sendKeyEvent(QTest::Click, &boite, Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
    QCOMPARE(boite.text(), QString("HLÈNEX"));
}

void TstSaisie::toucheSupprPasseLeFiltre_data()
{
    QTest::addColumn<int>("genre");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("apres");
    QTest::newRow("chiffres") << 0 << "75012" << "5012";
    QTest::newRow("decimal") << 1 << "1,5" << ",5";
    QTest::newRow("majuscules") << 2 << "AB12" << "B12";
}

void TstSaisie::toucheSupprPasseLeFiltre()
{
    // X11 gives Delete the text "\x7f", which no filter keeps: the key is the box's all the same.
    QFETCH(int, genre);
    QFETCH(QString, texte);
    QFETCH(QString, apres);
    QLineEdit boite;
    switch (genre) {
    case 0: Installer_filtre_chiffre(&boite); break;
    case 1: Installer_filtre_decimal(&boite); break;
    case 2: Installer_filtre_majuscule(&boite); break;
    }
    taper(&boite, texte);
    boite.setCursorPosition(0);
    QTest::sendKeyEvent(QTest::Click, &boite, Qt::Key_Delete, QString("\x7f"), Qt::NoModifier);
    QCOMPARE(boite.text(), apres);
}

void TstSaisie::dialogues()
{
    PortIhmTest port;
    const QString filtre = "Fichier texte séparateur tabulation (*.txt)|*.txt|Fichier texte enrichi (*.rtf)|*.rtf";
    port.repondreFichier("  /tmp/export.rtf ", 2);
    FichierChoisi choix = Choisir_fichier("Exporter", filtre, false, "Exporter");
    QCOMPARE(choix.chemin, QString("/tmp/export.rtf"));
    QCOMPARE(choix.indexFiltre, 2);
    QCOMPARE(port.appels().back().texte, filtre);
    port.repondreFichier(QString());
    QVERIFY(Choisir_fichier("Ouvrir une Base", "Base de données (*.mdb)|*.mdb", true, "Ouvrir").annule());

    port.repondreRepertoire("/tmp/archives");
    QCOMPARE(Choisir_repertoire("Dossier"), QString("/tmp/archives"));
    port.repondreRepertoire(QString());
    QCOMPARE(Choisir_repertoire("Dossier"), QString());

    QPrinter imprimante;
    port.repondreImprimante(false);
    QVERIFY(!Choisir_imprimante(imprimante));
    port.repondreImprimante(true, "/tmp/qv_test.pdf");
    QVERIFY(Choisir_imprimante(imprimante));
    QVERIFY(port.toutConsomme());
}

QTEST_MAIN(TstSaisie)
#include "tst_saisie.moc"
