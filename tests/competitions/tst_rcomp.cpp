// The competition record: closing of past competitions at each opening, the competition made for
// an import, writing and reading a competition, the backup before a deletion, the list filler,
// and the event catalogue of the model base.

#include "competitions/piscines.h"
#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/listes.h"
#include "core/services.h"
#include "core/utils.h"
#include "fixtures.h"
#include "port_test.h"

#include <QTreeWidget>
#include <QtTest>

class TstRcomp : public QObject {
    Q_OBJECT
private slots:
    void competitionsPasseesCloturees();
    void competitionPourImport();
    void competitionPourImportRetiree();
    void ecritureEtLecture();
    void sauvegardeAvantSuppression();
    void remplissageDeLaListe();
    void catalogueDesEpreuves();
};

void TstRcomp::competitionsPasseesCloturees()
{
    BaseTest base;
    Services::fixerAujourdhui(QDate(2025, 3, 15));
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('passée', '20250314', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('aujourd''hui', '20250315', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('à venir', '20250316', false, true)");
    base.executer("INSERT INTO Rcomp (Nom, Debut, Deroule, Visible) VALUES ('cachée', '20250101', false, false)");
    Cloturer_compet_passees();
    Executer_requete("select Nom, Deroule, Visible from Rcomp order by AutoNum", false);
    QCOMPARE(colResultat.colonne(1), (QStringList{"Vrai", "Vrai", "Faux", "Faux"}));
    QCOMPARE(colResultat.colonne(2), (QStringList{"Faux", "Faux", "Vrai", "Faux"}));
    Services::fixerAujourdhui(QDate());
}

void TstRcomp::competitionPourImport()
{
    BaseTest base;
    Controler_piscine_reference();
    const QString cle = Creer_compet_import();
    QVERIFY(!cle.isEmpty());
    QCOMPARE(base.valeur("select Deroule || Visible from Rcomp where AutoNum = " + cle), QString("11"));
    QCOMPARE(base.valeur("select p.Nom from Rcomp r join Piscine p on p.Num = r.Num_Piscine where r.AutoNum = " + cle),
             QString("Null"));
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    base.executer("DROP TABLE Rcomp");
    QCOMPARE(Creer_compet_import(), QString());
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Erreur lors de la création de la nouvelle compétition pour importation des résultats !"));
}

// The competition made for an import that did not take place goes with every row naming it, the
// exchange components' own tables included; the other competitions keep theirs.
void TstRcomp::competitionPourImportRetiree()
{
    BaseTest base;
    Controler_piscine_reference();
    const QString autre = Creer_compet_import();
    const QString cle = Creer_compet_import();
    base.executer("CREATE TABLE Lenex_reunion (Num_compet INTEGER PRIMARY KEY, Nation TEXT)");
    for (const QString& c : {autre, cle}) {
        base.executer("INSERT INTO Pcomp (Num_compet, Code_epreuve) VALUES (" + c + ", 2)");
        base.executer("INSERT INTO Prres (Num_compet, Code_epreuve, Tps) VALUES (" + c + ", 2, 1.05)");
        base.executer("INSERT INTO Liffn (Num_compet, Code_epreuve, Tps) VALUES (" + c + ", 2, 1.05)");
        base.executer("INSERT INTO Lenex_reunion (Num_compet, Nation) VALUES (" + c + ", 'FRA')");
    }
    QVERIFY(Retirer_compet_import(cle));
    QCOMPARE(Valeurs_colonne("select AutoNum from Rcomp"), QStringList{autre});
    for (const char* table : {"Pcomp", "Prres", "Liffn", "Lenex_reunion"})
        QCOMPARE(Valeurs_colonne(QString("select Num_compet from ") + table), QStringList{autre});
}

void TstRcomp::ecritureEtLecture()
{
    BaseTest base;
    Controler_piscine_reference();
    const QString nulle = Get_num_piscine_nulle();
    QStringList v {"AB1", "C", "Coupe d'Ain", "20250301", "20250302", "L'Isle", "50", "8", "Q", "R", "A", " ", nulle};
    QVERIFY(Ajouter_compet(v));
    const QString cle = base.valeur("select max(AutoNum) from Rcomp");
    QCOMPARE(Lire_champ_compet("Nom", cle), QString("Coupe d'Ain"));
    QCOMPARE(Lire_debut_compet(cle), QString("20250301"));
    QCOMPARE(Lire_longueur_compet(cle), 50);
    QCOMPARE(Lire_champ_compet("Deroule || Visible || Codif_depar || '.'", cle), QString("01 ."));
    // The update takes values whose quotes the caller doubled.
    v[VC_Nom] = "Trophée d'été";
    v[VC_Lieu] = "Val-d'Isère";
    v[VC_Longueur] = "25";
    Doubler_apostrophes(v);
    QVERIFY(Modifier_compet(v, cle));
    QCOMPARE(Lignes_requete("select Nom, Lieu, Longueur from Rcomp where AutoNum = " + cle),
             QStringList {"Trophée d'été|Val-d'Isère|25"});
    // A number that is not one never reaches the statement.
    v[VC_Nb_couloir] = "8); DROP TABLE Rcomp; --";
    QVERIFY(!Ajouter_compet(v));
    QVERIFY(!Modifier_compet(v, cle));
    QCOMPARE(base.valeur("select count(*) from Rcomp"), QString("1"));
    // A key without a competition is an error for the caller.
    QVERIFY_THROWS_EXCEPTION(std::exception, Lire_champ_compet("Nom", "999"));
}

void TstRcomp::sauvegardeAvantSuppression()
{
    BaseTest base;
    PortIhmTest ihm;
    ihm.accepterMessagesOk(true);
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut) VALUES ('1', 'un', '20250101')");
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut) VALUES ('2', 'deux', '20250102')");
    QVERIFY(Sauver_compet_tempo("1, 2"));
    QCOMPARE(Lignes_requete("select AutoNum, Nom from Rcomp_tempo order by AutoNum"), (QStringList {"1|un", "2|deux"}));
    base.executer("DROP TABLE Rcomp_tempo");
    QVERIFY(!Sauver_compet_tempo("1"));
    QCOMPARE(ihm.messages().size(), 1);
    QVERIFY(ihm.messages()[0].startsWith("Erreur lors de la sauvegarde temporaire de la compétition\r\nErreur n° 1"));
}

void TstRcomp::remplissageDeLaListe()
{
    BaseTest base;
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu) VALUES ('A', 'un jour', '20250105', '20250105', 'Lyon')");
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu) VALUES ('B', 'deux', '20251230', '20260102', 'Pau')");
    base.executer("INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu) VALUES ('C', 'sans début', '', '2025031', 'Nice')");
    QTreeWidget liste;
    QTreeWidget cles;
    Ajouter_ligne(&liste, {"reste d'avant"});
    Remplir_info_compet(&liste, &cles, "select AutoNum, Num, Nom, Debut, Fin, Lieu from Rcomp order by AutoNum");
    QStringList lignes;
    for (int i = 1; i <= Nombre_lignes(&liste); ++i) {
        QTreeWidgetItem* l = Ligne(&liste, i);
        lignes << Ligne(&cles, i)->text(0) + "|" + l->text(0) + "|" + l->text(1) + "|" + l->text(2) + "|" + l->text(3);
    }
    QCOMPARE(lignes, (QStringList {"1|A|un jour|Lyon|5/01 - 5/01/2025", "2|B|deux|Pau|30/12 - 2/01/2026",
                                   "3|C|sans début|Nice| - "}));
}

void TstRcomp::catalogueDesEpreuves()
{
    BaseTest base;
    // Individual events: 23 codes per sex, the men's the women's plus 50.
    const QList<int> individuelles {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33, 40, 41, 42};
    QStringList attendu;
    for (int sexe = 0; sexe < 2; ++sexe) {
        for (int code : individuelles)
            attendu << QString::number(code + 50 * sexe);
    }
    QCOMPARE(Valeurs_colonne("select Code_Nage from Nage where Nb_nageurs = 1 order by Code_Nage"), attendu);
    QCOMPARE(base.valeur("select count(*) from Nage where Nb_nageurs = 1 and (Mixte or Sexe <> case when "
                         "Code_Nage < 50 then 'F' else 'M' end or Libelle not like case when Code_Nage < 50 then "
                         "'Dames %' else 'Messieurs %' end)"),
             QString("0"));
    // Only the 25 m events and the 100 m medley cannot be swum in a 50 m pool.
    QCOMPARE(Valeurs_colonne("select Code_Nage from Nage where not Possible_50 order by Code_Nage"),
             (QStringList {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90"}));
    // Relays: in the free codes below 100, at most ten legs, mixed ones without a sex, the leg
    // distance right after the first "x", freestyle marked "n.l.", medleys in four legs.
    Executer_requete("select Code_Nage, Libelle, Nb_nageurs, Sexe, Mixte, Distance from Nage where Nb_nageurs > 1", false);
    const Resultat relais = colResultat;
    Liberer_resultat();
    QVERIFY(relais.nbLignes() > 0);
    for (int i = 1; i <= relais.nbLignes(); ++i) {
        const int code = relais.item(0, i).toInt();
        const QString libelle = relais.item(1, i).toLower();
        const int jambes = relais.item(2, i).toInt();
        const bool mixte = Texte_en_booleen(relais.item(4, i));
        QVERIFY2(code < 100 && !individuelles.contains(code % 50),
                 qPrintable(libelle));
        QVERIFY(jambes <= 10);
        QCOMPARE(relais.item(3, i).isEmpty(), mixte);
        const qsizetype x = libelle.indexOf('x');
        const int distance = libelle.mid(x + 2, libelle.indexOf('m', x) - x - 2).trimmed().toInt();
        QVERIFY2(distance == 50 || distance == 100 || distance == 200, qPrintable(libelle));
        QCOMPARE(relais.item(5, i).toInt(), distance * jambes);
        if (!libelle.contains("n.l."))
            QCOMPARE(jambes, 4);
    }
}

QTEST_MAIN(TstRcomp)
#include "tst_rcomp.moc"
