// The profile store and loader, without the windows: what is loaded, what is refused, and what
// linking a profile to another club deletes.

#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"
#include "shell/frm_principal.h"
#include "shell/profils.h"

#include <QAction>
#include <QLabel>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

const QString codeA = "FRA1320021234";
const QString codeB = "FRA1320024321";
const QString codeSelection = "FRA1320020000";

// Stands for the monitor: keeps its position and interval, records the members called.
class MoniteurFaux : public Composant {
public:
    explicit MoniteurFaux(QStringList& appels) : m_appels(appels) {}
    QVariant appeler(const QString& membre, const QVariantList& a) override
    {
        m_appels << membre;
        if (membre == "SetPosition")
            m_proprietes["lgPositionX"] = a[0], m_proprietes["lgPositionY"] = a[1];
        else if (!a.isEmpty())
            m_proprietes[membre] = a[0];
        return m_proprietes.value(membre, 0);
    }

private:
    QStringList& m_appels;
    QVariantMap m_proprietes;
};

struct Contexte {
    BaseTest base;
    PortIhmTest ihm;
    Contexte()
    {
        club(codeA, "Club A", false);
        club(codeB, "Club B", false);
        club(codeSelection, "Sélection de l'Aisne", true);
    }
    void club(const QString& code, const QString& nom, bool selection) const
    {
        base.executer("INSERT INTO Club (Code_federal, Intitule, Selection) VALUES ('" + code + "', " + Sql_texte(nom)
                      + ", " + Booleen_texte(selection) + ")");
    }
    QString profil(const QString& nom, const QString& code, bool courant = false) const
    {
        base.executer("INSERT INTO Profil (Libelle, Code_club, LastUse, lgPosXSuivi, lgPosYSuivi, lgIntervalSuivi) "
                      "VALUES ("
                      + Sql_texte(nom) + ", '" + code + "', " + Booleen_texte(courant) + ", 12, 34, 500)");
        return base.valeur("SELECT max(Num) FROM Profil");
    }
    QString courants() const { return base.valeur("SELECT group_concat(Libelle) FROM Profil WHERE LastUse = true"); }
};

} // namespace

class TstProfilStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void chargeLeProfilCourant_data();
    void chargeLeProfilCourant();
    void reglagesDuSuiviSeulementAvecLeDrapeau();
    void sansChoixForceLeContexteEstVide();
    void controleAvantEcriture_data();
    void controleAvantEcriture();
    void premierProfilSeulDevientCourant();
    void choisirMarqueUnSeulProfil();
    void choisirRefuseUnProfilSansClub();
    void relierAUnAutreClubSupprimeSesEngagements();
    void supprimerEtNomAvecApostrophe();

private:
    std::unique_ptr<FrmPrincipal> m_principale;
};

void TstProfilStore::init()
{
    strNomProfil.clear();
    strNumProfil.clear();
    strNomClub.clear();
    strCodeClub.clear();
    bClubSelection = false;
    lgPosXSuivi = lgPosYSuivi = lgIntervalSuivi = 0;
    bAlwaysVisibleSuivi = false;
    intNbFenetres = 0;
    Initialiser_verrous_menus();
    m_principale = std::make_unique<FrmPrincipal>();
    Menus_base_ouverte();
}

void TstProfilStore::cleanup()
{
    m_principale.reset();
    Composants::retirer_tout();
}

void TstProfilStore::chargeLeProfilCourant_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("club");
    QTest::addColumn<bool>("votreClub");
    QTest::newRow("club") << codeA << "Club A" << true;
    QTest::newRow("sélection") << codeSelection << "Sélection de l'Aisne" << false;
    // Codes compare as the base compares text: a code saved in lower case still finds its club.
    QTest::newRow("code en minuscules") << codeB.toLower() << "Club B" << true;
}

void TstProfilStore::chargeLeProfilCourant()
{
    QFETCH(QString, code);
    QFETCH(QString, club);
    QFETCH(bool, votreClub);
    Contexte ctx;
    ctx.profil("Autre", codeA);
    const QString num = ctx.profil("Courant", code, true);
    Menu("mnuBaseClubConfig")->setVisible(!votreClub);
    Charger_profil_courant(false);
    QCOMPARE(strNomProfil, QString("Courant"));
    QCOMPARE(strNumProfil, num);
    QCOMPARE(strNomClub, club);
    QCOMPARE(strCodeClub, code.toUpper());
    QCOMPARE(bClubSelection, !votreClub);
    QCOMPARE(m_principale->findChild<QLabel*>("sbStatusBar_1")->text(), "Profil : Courant (" + club + ")");
    QCOMPARE(Menu("mnuBaseClubConfig")->isVisible(), votreClub);
    QVERIFY(ctx.ihm.appels().empty());
}

void TstProfilStore::reglagesDuSuiviSeulementAvecLeDrapeau()
{
    Contexte ctx;
    QStringList appels;
    Composants::enregistrer("ComputerMonitor", [&appels] { return std::make_unique<MoniteurFaux>(appels); });
    const QString num = ctx.profil("P", codeA, true);
    Charger_profil_courant(false);
    QCOMPARE(lgPosXSuivi, 0);
    QCOMPARE(lgIntervalSuivi, 0);

    Charger_profil_courant(true);
    QCOMPARE(lgPosXSuivi, 12);
    QCOMPARE(lgPosYSuivi, 34);
    QCOMPARE(lgIntervalSuivi, 500);
    QVERIFY(!bAlwaysVisibleSuivi);
    QVERIFY(appels.isEmpty()); // hidden: nothing created

    ctx.base.executer("UPDATE Profil SET bAlwaysVisibleSuivi = true, lgPosXSuivi = NULL WHERE Num = " + num);
    Charger_profil_courant(true);
    QVERIFY(bAlwaysVisibleSuivi);
    QCOMPARE(lgPosXSuivi, 0); // Null reads as 0
    QVERIFY(Menu("mnuPerfOrdiTjsVisible")->isChecked());
    QVERIFY(!Menu("mnuPerfOrdiAffiche")->isEnabled());
    QVERIFY(appels.contains("ShowHideWindow"));
}

// The forced dialogs reload without forcing: no profile loaded and no dialog leave no context,
// nothing of the profile used before.
void TstProfilStore::sansChoixForceLeContexteEstVide()
{
    Contexte ctx;
    strNomProfil = "Ancien";
    strNomClub = "Club ancien";
    strCodeClub = "FRA1320020001";
    strNumProfil = "7";
    bClubSelection = true;
    ctx.profil("Sans club", "FRA1320029999", true); // current, but its club is gone
    Charger_profil_courant(true, false);
    QCOMPARE(strNomProfil, QString());
    QCOMPARE(strNomClub, QString());
    QCOMPARE(strCodeClub, QString());
    QCOMPARE(strNumProfil, QString());
    QVERIFY(!bClubSelection);
    QCOMPARE(m_principale->findChild<QLabel*>("sbStatusBar_1")->text(), QString());
    QVERIFY(ctx.ihm.appels().empty());
}

void TstProfilStore::controleAvantEcriture_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("exclureAlpha");
    QTest::addColumn<QString>("message");
    const QString doublon = "Un profil de même nom existe déjà.\r\nImpossible de le sauvegarder.";
    QTest::newRow("nom libre") << "Béta" << codeB << false << "";
    QTest::newRow("même nom") << "Alpha" << codeB << false << doublon;
    QTest::newRow("même nom, autre casse") << "ALPHA" << codeB << false << doublon;
    QTest::newRow("son propre nom") << "alpha" << codeA << true << "";
    QTest::newRow("nom accentué distinct") << "Alphà" << codeA << false << "";
    QTest::newRow("club inconnu") << "Gamma" << "FRA1320029999" << false
                                  << "Aucun club n'a le code FRA1320029999.\r\nImpossible de le sauvegarder.";
    QTest::newRow("club supprimé") << "Gamma" << "FRA1320025555" << false
                                   << "Aucun club n'a le code FRA1320025555.\r\nImpossible de le sauvegarder.";
}

void TstProfilStore::controleAvantEcriture()
{
    QFETCH(QString, nom);
    QFETCH(QString, code);
    QFETCH(bool, exclureAlpha);
    QFETCH(QString, message);
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.club("FRA1320025555", "Caché", false);
    ctx.base.executer("UPDATE Club SET Visible = false WHERE Code_federal = 'FRA1320025555'");
    const QString alpha = ctx.profil("Alpha", codeA);
    QCOMPARE(Controler_profil(nom, code, exclureAlpha ? alpha : QString()), message.isEmpty());
    QCOMPARE(ctx.ihm.messages(), message.isEmpty() ? QStringList() : QStringList {message});
}

void TstProfilStore::premierProfilSeulDevientCourant()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    QVERIFY(Creer_profil("Premier", codeSelection));
    QCOMPARE(ctx.courants(), QString("Premier"));
    QCOMPARE(strNomProfil, QString("Premier"));
    QVERIFY(bClubSelection);
    QVERIFY(!Menu("mnuBaseClubConfig")->isVisible());

    QVERIFY(Creer_profil("Second", codeA));
    QCOMPARE(ctx.courants(), QString("Premier"));
    QCOMPARE(strNomProfil, QString("Premier"));
    QVERIFY(!Creer_profil("second", codeB)); // refused, nothing written
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Profil"), QString("2"));
    QCOMPARE(ctx.ihm.messages().size(), 1);
}

void TstProfilStore::choisirMarqueUnSeulProfil()
{
    Contexte ctx;
    ctx.profil("Un", codeA, true);
    ctx.profil("Deux", codeB, true); // two marks left by an older version
    ctx.profil("Trois", codeSelection);
    QVERIFY(Choisir_profil("trois"));
    QCOMPARE(ctx.courants(), QString("Trois"));
    QCOMPARE(strNomProfil, QString("trois")); // until the load puts the stored name
    Charger_profil_courant(false);
    QCOMPARE(strNomProfil, QString("Trois"));
}

void TstProfilStore::choisirRefuseUnProfilSansClub()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    ctx.profil("Un", codeA, true);
    ctx.profil("Orphelin", "FRA1320029999");
    strNomProfil = "Un";
    QVERIFY(!Choisir_profil("Orphelin"));
    QCOMPARE(ctx.ihm.messages(),
             QStringList {"Le club lié au profil Orphelin n'existe plus.\r\nImpossible de choisir ce profil."});
    QCOMPARE(ctx.courants(), QString("Un"));
    QCOMPARE(strNomProfil, QString("Un"));
}

void TstProfilStore::relierAUnAutreClubSupprimeSesEngagements()
{
    Contexte ctx;
    const QString p1 = ctx.profil("Un", codeA, true);
    const QString p2 = ctx.profil("Deux", codeA);
    for (const QString& p : {p1, p2}) {
        ctx.base.executer("INSERT INTO Engag (Num_compet, Num_profil, Code_epreuve, Num_Lic) VALUES (1, " + p
                          + ", 3, 7)");
        ctx.base.executer("INSERT INTO Engag_equipe VALUES (1, " + p + ", 1, 0, 0, 0, 0, 0)");
        ctx.base.executer("INSERT INTO Engag_nageur (Num_profil, Num_compet, Num_Lic, Equipe) VALUES (" + p
                          + ", 1, 7, 0)");
        ctx.base.executer("INSERT INTO Relais (Num_profil, Num_compet, Code_epreuve, Num_Lic) VALUES (" + p
                          + ", 1, 40, 1)");
        ctx.base.executer("INSERT INTO Modele_engag (Nom_modele, Num_profil) VALUES ('M" + p + "', " + p + ")");
        const QString modele = ctx.base.valeur("SELECT max(NumAuto) FROM Modele_engag");
        ctx.base.executer("INSERT INTO Engag_modele (Num_modele, Code_epreuve, Num_Lic) VALUES (" + modele + ", 3, 7)");
        ctx.base.executer("INSERT INTO Engag_nageur_modele (Num_modele, Num_Lic, Equipe) VALUES (" + modele + ", 7, 0)");
        ctx.base.executer("INSERT INTO Engag_equipe_modele VALUES (" + modele + ", 1, 0, 0, 0, 0, 0)");
    }
    auto lignes = [&](const QString& p) {
        QStringList n;
        for (const char* table : {"Engag", "Engag_equipe", "Engag_nageur", "Modele_engag", "Relais"})
            n << ctx.base.valeur(QString("SELECT count(*) FROM %1 WHERE Num_profil = %2").arg(table, p));
        const QString modeles = "(SELECT NumAuto FROM Modele_engag WHERE Num_profil = " + p + ")";
        for (const char* table : {"Engag_modele", "Engag_nageur_modele", "Engag_equipe_modele"})
            n << ctx.base.valeur(QString("SELECT count(*) FROM %1 WHERE Num_modele IN %2").arg(table, modeles));
        return n.join(",");
    };
    const QString tout = "1,1,1,1,1,1,1,1";

    // Renamed, and the same club written in another case: the same club, nothing deleted.
    Modifier_profil(p1, "Un bis", codeA.toLower());
    QCOMPARE(lignes(p1), tout);
    QCOMPARE(ctx.base.valeur("SELECT Libelle || '|' || Code_club FROM Profil WHERE Num = " + p1),
             "Un bis|" + codeA.toLower());

    Modifier_profil(p1, "Un bis", codeB);
    QCOMPARE(lignes(p1), QString("0,0,0,0,0,0,0,0"));
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Engag_modele"), QString("1")); // the other template's content
    QCOMPARE(lignes(p2), tout);
    QCOMPARE(ctx.base.valeur("SELECT Code_club FROM Profil WHERE Num = " + p1), codeB);
}

void TstProfilStore::supprimerEtNomAvecApostrophe()
{
    Contexte ctx;
    ctx.ihm.accepterMessagesOk(true);
    const QString a = ctx.profil("A", codeA);
    const QString b = ctx.profil("B", codeA);
    ctx.profil("C", codeA);
    Supprimer_profils({a, b});
    QCOMPARE(ctx.base.valeur("SELECT group_concat(Libelle) FROM Profil"), QString("C"));
    Supprimer_profils({});
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Supprimer_profils({"1 or 1=1"}));
    QCOMPARE(ctx.base.valeur("SELECT count(*) FROM Profil"), QString("1"));

    QVERIFY(Creer_profil("L'équipe d'Aisne", codeA));
    QVERIFY(Nom_profil_existe("l'ÉQUIPE D'AISNE"));
    QVERIFY(!Nom_profil_existe("L'equipe d'Aisne")); // an accent is not a case
    QVERIFY(Choisir_profil("L'équipe d'Aisne"));
    QCOMPARE(ctx.courants(), QString("L'équipe d'Aisne"));
}

QTEST_MAIN(TstProfilStore)
#include "tst_profil_store.moc"
