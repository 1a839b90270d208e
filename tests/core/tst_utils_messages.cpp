// Small helpers and the message boxes.

#include "core/erreurs.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"
#include "port_test.h"

#include <QMessageBox>
#include <QTimer>
#include <QtTest>

class TstUtilsMessages : public QObject {
    Q_OBJECT
private slots:
    void remplissage_data();
    void remplissage();
    void textesEtNombres();
    void erreurAjouteLErreurEnCoursUneFois();
    void messagesTitresEtStyles();
    void boiteReelleSansBalises();
};

void TstUtilsMessages::remplissage_data()
{
    QTest::addColumn<bool>("droite");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("longueur");
    QTest::addColumn<QString>("remplissage");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("droite, blanc par defaut") << true << "ABC" << 5 << "" << "ABC  ";
    QTest::newRow("droite, coupe") << true << "ABCDEF" << 4 << " " << "ABCD";
    QTest::newRow("gauche, zeros") << false << "7" << 3 << "0" << "007";
    QTest::newRow("gauche, coupe a droite") << false << "ABCDEF" << 4 << " " << "ABCD";
}

void TstUtilsMessages::remplissage()
{
    QFETCH(bool, droite);
    QFETCH(QString, texte);
    QFETCH(int, longueur);
    QFETCH(QString, remplissage);
    QFETCH(QString, attendu);
    QCOMPARE(droite ? Completer_droite(texte, longueur, remplissage) : Completer_gauche(texte, longueur, remplissage),
             attendu);
}

void TstUtilsMessages::textesEtNombres()
{
    QCOMPARE(Sans_accents("Hélène Çà"), QString("HELENE CA"));
    QCOMPARE(Texte_en_reel("12,5"), 12.5);
    QCOMPARE(Texte_en_reel("abc"), 0.0);
    QCOMPARE(Texte_en_reel(" 3.25 m"), 3.25);
    QCOMPARE(Sql_texte("O'Neil"), QString("'O''Neil'"));
    QCOMPARE(Booleen_texte(true), QString("true"));
    QVERIFY(Texte_en_booleen("Vrai"));
    QVERIFY(!Texte_en_booleen("Faux"));
    QCOMPARE(Reel_sql(12.5), QString("12.5"));
    CollectionCompteurs source{1, 2}, cible{9};
    Copier_collection(source, cible, true);
    QCOMPARE(cible, (CollectionCompteurs{1, 2}));
    QVERIFY(source.isEmpty());
    Initialiser_collection(nullptr, 3);
}

void TstUtilsMessages::erreurAjouteLErreurEnCoursUneFois()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Memoriser_erreur(ErreurExecution(13, "Type incompatible"));
    Afficher_erreur("Premier");
    Afficher_erreur("Second");
    QCOMPARE(ihm.messages(), (QStringList{"Premier\r\nErreur n° 13, Type incompatible", "Second"}));
    QCOMPARE(ihm.appels()[0].titre, QString("Erreur"));
    QCOMPARE(ihm.appels()[0].style, Style::Critique);
}

void TstUtilsMessages::messagesTitresEtStyles()
{
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    Erreur_connexion_base("");
    Erreur_connexion_base("Erreur n° 14, disque");
    Erreur_chargement_dll("qv_points.so");
    Afficher_information("Fait.");
    ihm.repondre(Reponse::Non);
    QCOMPARE(Demander_confirmation("Continuer ?", Style::DefautBouton2), Reponse::Non);
    const auto& a = ihm.appels();
    QCOMPARE(a[0].texte, QString("Erreur lors de la connexion à la base."));
    QCOMPARE(a[1].texte, QString("Erreur lors de la connexion à la base.\r\nErreur n° 14, disque"));
    QCOMPARE(a[2].texte, QString("Impossible de charger la dll qv_points.so !"));
    QCOMPARE(a[3].titre, QString("Information"));
    QCOMPARE(a[3].style, Style::Information);
    QCOMPARE(a[4].titre, QString("Confirmation"));
    QCOMPARE(a[4].style, Style::DefautBouton2 + Style::OuiNon + Style::Question);
}

// A name quoted in a message is shown as typed, markup included.
void TstUtilsMessages::boiteReelleSansBalises()
{
    const QString texte = "Le club Cercle d'O'Neil \"<b>&amp;</b>\" existe déjà.";
    QString lu;
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(boite);
        lu = boite->text();
        format = boite->textFormat();
        boite->button(QMessageBox::Ok)->click();
    });
    PortIhmQt port;
    QCOMPARE(port.message(texte, Style::Information, "Information"), Reponse::Ok);
    QCOMPARE(lu, texte);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TstUtilsMessages)
#include "tst_utils_messages.moc"
