// The exchange components as the runner calls them: a round trip from one base into a new one,
// the identifier update, the club import's options, and input files that must be refused.

#include "clubs_licences/code_club.h"
#include "clubs_licences/licences.h"
#include "components/echange_commun/echange.h"
#include "core/dates.h"
#include "core/progression.h"
#include "tests/components/outils_echange.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kClub = "FRA1320590001";
const QString kClub2 = "FRA1320590002";
const QString kSelection = "FRA1320000000";

// The 28 exchanged licence columns, as read back for comparison.
QString colonnesLicence(const QString& prefixe = QString())
{
    const QStringList c = {"Code_club", "Licence", "Nom", "Prenom", "Sexe", "Date_Naissance", "Nationalite", "Adresse",
                           "Suite_adresse", "Code_Postal", "Localite", "Telephone", "Sportive", "Synchro", "Water_Polo",
                           "Plongeon", "Dirigeant", "Maitre", "Date_Depot", "Date_obliteration", "Type_licence", "Nature",
                           "Code_unique", "Tel2", "Mail", "Tarif", "Medecin", "Date_Ctrl_Medical"};
    QStringList l;
    for (const QString& x : c)
        l << "COALESCE(" + prefixe + x + ", '')";
    return l.join(", ");
}

qint64 ajouterLicence(const BaseFichier& b, const QStringList& v, bool visible = true)
{
    QVariantList valeurs(v.cbegin(), v.cend());
    while (valeurs.size() < 28)
        valeurs << QString();
    valeurs << visible;
    QStringList marques;
    for (int i = 0; i < 29; ++i)
        marques << "?";
    return b.executer("INSERT INTO Licence (Code_club, Licence, Nom, Prenom, Sexe, Date_Naissance, Nationalite, Adresse, "
                      "Suite_adresse, Code_Postal, Localite, Telephone, Sportive, Synchro, Water_Polo, Plongeon, Dirigeant, "
                      "Maitre, Date_Depot, Date_obliteration, Type_licence, Nature, Code_unique, Tel2, Mail, Tarif, Medecin, "
                      "Date_Ctrl_Medical, Visible) VALUES (" + marques.join(", ") + ")",
                      valeurs);
}

void ajouterClub(const BaseFichier& b, const QString& code, const QString& nom, const QStringList& contacts = {})
{
    QVariantList v{code, nom, code.endsWith("0000")};
    for (int i = 0; i < 6; ++i)
        v << (i < contacts.size() ? QVariant(contacts[i]) : QVariant());
    b.executer("INSERT INTO Club (Code_federal, Intitule, Selection, Adresse, Code_Postal, Ville, Telephone, Fax, Mail) "
               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
               v);
}

// Relay legs as the swimmers' club and number, the placeholder as "".
QString requeteRelais()
{
    QString champs = "f.Code_epreuve, f.Code_club, f.Num_Lic, f.Type_bassin, f.Date_perf, f.Tps, f.Lieu, "
                     "f.Codif_Fede, f.Codif_Inter, f.Codif_Reg, f.Codif_Depart";
    QString jointures;
    for (int i = 1; i <= 10; ++i) {
        const QString n = "n" + QString::number(i);
        champs += ", COALESCE(" + n + ".Code_club || '/' || " + n + ".Licence, '')";
        jointures += " LEFT JOIN Licence " + n + " ON " + n + ".Num = f.Nageur" + QString::number(i) + " AND " + n
                     + ".Nom <> 'Null' COLLATE BINARY";
    }
    return "SELECT " + champs + " FROM Liffn_relais f" + jointures + " ORDER BY f.Date_perf, f.Num_Lic";
}

const QString kRequeteIndividuelles =
    "SELECT l.Code_club, l.Licence, f.Code_epreuve, f.Code_club, f.Type_bassin, f.Date_perf, f.Tps, f.Lieu, "
    "f.Codif_Fede, f.Codif_Inter, f.Codif_Reg, f.Codif_Depart, f.Passage_relais, f.Tps_inter, f.Age_nageur "
    "FROM Liffn f JOIN Licence l ON l.Num = f.Num_Lic WHERE f.Code_club = ? ORDER BY f.Date_perf, l.Licence, f.Code_epreuve";

// M.SSCC of a number of hundredths.
QByteArray temps(int centiemes)
{
    return QByteArray::number(centiemes / 6000) + "." + QByteArray::number(centiemes / 100 % 60).rightJustified(2, '0')
           + QByteArray::number(centiemes % 100).rightJustified(2, '0');
}

QByteArray entete()
{
    return "Code_club\tLicence\tNom\tPrenom\tDate_Naissance\n";
}

} // namespace

class CibleEnregistree : public QObject, public CibleProgression {
    Q_OBJECT
    Q_INTERFACES(CibleProgression)
public:
    QList<int> pourcents;
    QStringList clubs, nageurs;
    void setProgress(int p) override { pourcents << p; }
    void setClub(const QString& c) override { clubs << c; }
    void setSwimmer(const QString& n) override { nageurs << n; }
};

class TstEchange : public QObject {
    Q_OBJECT

    std::unique_ptr<RepertoireTest> m_rep;
    QString trace() const { return m_rep->fichier("trace.txt"); }
    QString dossier(const QString& nom) const { return m_rep->dossier(nom); }
    QVariant cible(CibleEnregistree* c = nullptr) const { return QVariant::fromValue(static_cast<QObject*>(c)); }

    // A target base with the clubs a licence or performance file may name.
    void clubsDeBase(const BaseFichier& b)
    {
        ajouterClub(b, kClub, "Cercle des nageurs");
        ajouterClub(b, kClub2, "Autre club");
    }

private slots:
    void init() { m_rep = std::make_unique<RepertoireTest>(); }
    void cleanup() { m_rep.reset(); }

    // Clubs, licences and performances exported from one base arrive whole in a new one.
    void allerRetour()
    {
        BaseFichier source(m_rep->fichier("source.mdb"));
        ajouterClub(source, kClub, "Cercle des nageurs", {"1 quai\tdu Port\nBât. B", "59000", "Lille", "0320000000", "", "cdn@exemple.fr"});
        ajouterClub(source, kClub2, "L'Aquatique \"Club\" \\ Nord", {"", "", "Roubaix"});
        ajouterClub(source, kSelection, "Sélection Hauts-de-France");
        ajouterClub(source, "BEL0000000042", "Royal Brussels");
        source.executer("INSERT INTO Club (Code_federal, Intitule, Visible) VALUES ('7', 'Club supprimé', 0)");

        const qint64 zoe = ajouterLicence(source, {kClub, "05123F", "DUPONT", "Zoé", "F", "20050314", "FRA", "1 rue A",
                                                   "Bât \"C\"", "59000", "LILLE", "0320000000", "O", "", "O", "", "", "",
                                                   "20230901", "20230915", "R", "N", "IUF123", "0600000000", "zoe@ex.fr",
                                                   "Tarif plein", "Dr Martin", "20230801"});
        const qint64 sean = ajouterLicence(source, {kClub, "90456C", "O'NEIL", "Seán", "M", "19901231", "IRL"});
        const qint64 jean = ajouterLicence(source, {kClub, "08001F", "LEFEVRE", "Jean", "M", "20080101", "FRA"});
        ajouterLicence(source, {kClub, "07001F", "CACHE", "Ancien", "M", "20070101"}, false);
        const qint64 autre = ajouterLicence(source, {kClub2, "06001F", "MARTIN", "Paul", "M", "20060101"});
        const qint64 nulle = source.executer("INSERT INTO Licence (Code_club, Licence, Nom, Visible) VALUES (?, '1', 'Null', 0)", {kClub});

        const qint64 meeting = source.executer(
            "INSERT INTO Rcomp (Num, Nom, Debut, Fin, Lieu, Deroule, Visible) VALUES ('C123', 'Meeting d''hiver', '20240120', "
            "'20240121', 'Lille', 1, 0)");
        const QString liffn = "INSERT INTO Liffn VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        source.executer(liffn, {1, kClub, zoe, 50, "20240120", 0.3012, "Lille", "Q", " ", " ", " ", " ", false, 19, meeting, 5});
        source.executer(liffn, {12, kClub, zoe, 25, "20231105", 1.0599, "Saint-Amand-les-Eaux", " ", "R", " ", "A", "R", true, 18, 0, 1});
        source.executer(liffn, {61, kClub, sean, 50, "20240120", 0.2899, "Lille", " ", " ", " ", " ", " ", false, 34, meeting, 6});
        source.executer(liffn, {2, kClub2, autre, 50, "20240120", 1.0001, "Lille", " ", " ", " ", " ", " ", false, 18, meeting, 7});
        QVariantList relais{43, kClub, 1, 50, "20240120", 1.5533, "Lille", zoe, sean, jean};
        for (int i = 0; i < 7; ++i)
            relais << nulle;
        relais << "Q" << " " << " " << " " << meeting << 8;
        source.executer("INSERT INTO Liffn_relais VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", relais);

        const QString sortie = dossier("sortie");
        CibleEnregistree progression;
        QVERIFY(Appeler_composant("ClubExporter", "bExport_Club", {source.chemin(), sortie, trace(), cible(&progression)}, trace())
                    .resultat.toBool());
        QVERIFY(Appeler_composant("LicenceExporter", "bExport_licence",
                                  {source.chemin(), kClub, false, sortie, trace(), cible(&progression)}, trace())
                    .resultat.toBool());
        const ResultatAppel exportPerfs = Appeler_composant(
            "PerformanceExporter", "bexport_performance",
            {source.chemin(), kClub, false, false, sortie, trace(), cible(&progression)}, trace());
        QVERIFY2(exportPerfs.resultat.toBool(), qPrintable(exportPerfs.trace));
        QVERIFY(exportPerfs.trace.contains("3 performances individuelles exportées"));
        QCOMPARE(progression.pourcents.last(), 100);
        QVERIFY(progression.clubs.contains("Cercle des nageurs"));
        QCOMPARE(QDir(sortie).entryList(QDir::Files),
                 QStringList({"clubs.txt", "licences.txt", "nageurs.txt", "performances.txt", "performances_relais.txt"}));

        BaseFichier cibleBase(m_rep->fichier("cible.mdb"));
        for (const auto& [classe, methode, args] :
             std::initializer_list<std::tuple<QString, QString, QVariantList>>{
                 {"ClubImporter", "bImport_Club", {cibleBase.chemin(), sortie, dossier("t"), trace(), cible(), false}},
                 {"LicenceImporter", "bimport_licence", {cibleBase.chemin(), sortie, dossier("t"), trace(), cible()}},
                 {"PerformanceImporter", "bimport_perf", {cibleBase.chemin(), sortie, dossier("t"), trace(), cible()}}}) {
            const ResultatAppel r = Appeler_composant(classe, methode, args, trace());
            QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
            QVERIFY2(!r.trace.contains(QRegularExpression("[Ll]igne \\d+ :|introuvable")), qPrintable(r.trace));
            QVERIFY(r.trace.contains("Opération terminée."));
        }

        const QString clubs = "SELECT Code_federal, Intitule, Selection, Visible, COALESCE(Adresse, ''), COALESCE(Code_Postal, ''), "
                              "COALESCE(Ville, ''), COALESCE(Telephone, ''), COALESCE(Fax, ''), COALESCE(Mail, '') FROM Club "
                              "WHERE Visible = 1 ORDER BY Code_federal";
        QCOMPARE(cibleBase.lignes(clubs), source.lignes(clubs));
        QCOMPARE(cibleBase.lignes(clubs).size(), 4);

        const QString licences = "SELECT " + colonnesLicence() + ", Visible FROM Licence WHERE Code_club = ? AND Visible = 1 "
                                 "AND Nom <> 'Null' ORDER BY Licence";
        QCOMPARE(cibleBase.lignes(licences, {kClub}), source.lignes(licences, {kClub}));
        QCOMPARE(cibleBase.lignes(licences, {kClub}).size(), 3);
        QCOMPARE(cibleBase.valeur("SELECT count(*) FROM Licence WHERE Nom = 'CACHE'"), QString("0"));

        QCOMPARE(cibleBase.lignes(kRequeteIndividuelles, {kClub}), source.lignes(kRequeteIndividuelles, {kClub}));
        QCOMPARE(cibleBase.lignes(requeteRelais()), source.lignes(requeteRelais()));
        QCOMPARE(cibleBase.nombre("Liffn"), 3);

        // Imported rows are never manual rows, each has its own number, and the competitions made
        // for them are held and hidden.
        QCOMPARE(cibleBase.valeur("SELECT count(*) FROM Liffn WHERE Num_compet = 0"), QString("0"));
        QCOMPARE(cibleBase.valeur("SELECT count(DISTINCT NumManuel) FROM Liffn"), QString("3"));
        QCOMPARE(cibleBase.lignes("SELECT r.Num, r.Nom, r.Debut, r.Lieu, r.Deroule, r.Visible FROM Liffn f JOIN Rcomp r "
                                  "ON r.AutoNum = f.Num_compet ORDER BY f.Date_perf, f.Code_epreuve"),
                 QStringList({"|Performances importées|20231105|Saint-Amand-les-Eaux|Vrai|Faux",
                              "C123|Meeting d'hiver|20240120|Lille|Vrai|Faux", "C123|Meeting d'hiver|20240120|Lille|Vrai|Faux"}));
        QCOMPARE(cibleBase.nombre("Rcomp"), 2);

        // A second import adds nothing.
        const ResultatAppel encore = Appeler_composant(
            "PerformanceImporter", "bimport_perf", {cibleBase.chemin(), sortie, dossier("t"), trace(), cible()}, trace());
        QVERIFY(encore.trace.contains("0 ajoutée, 3 déjà présentes"));
        QVERIFY(encore.trace.contains("0 ajoutée, 1 déjà présente"));
        QCOMPARE(cibleBase.nombre("Liffn"), 3);
        QCOMPARE(cibleBase.nombre("Liffn_relais"), 1);
        QCOMPARE(cibleBase.nombre("Rcomp"), 2);
    }

    // The export of a selection takes its swimmers whatever their club; all clubs takes everything.
    void exportSelectionEtTousClubs()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const qint64 un = ajouterLicence(b, {kClub, "05001F", "UN", "Un", "F", "20050101"});
        const qint64 deux = ajouterLicence(b, {kClub2, "05002F", "DEUX", "Deux", "F", "20050101"});
        ajouterLicence(b, {kClub2, "05003F", "TROIS", "Trois", "F", "20050101"});
        b.executer("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES (?, ?), (?, ?)", {kSelection, un, kSelection, deux});
        const QString liffn = "INSERT INTO Liffn VALUES (?, ?, ?, 50, '20240101', 0.3, 'X', ' ', ' ', ' ', ' ', ' ', 0, 19, 0, ?)";
        for (const qint64 n : {un, deux})
            b.executer(liffn, {1, n == un ? kClub : kClub2, n, n});

        const QString sortie = dossier("sel");
        QVERIFY(Appeler_composant("LicenceExporter", "bExport_licence", {b.chemin(), kSelection, true, sortie, trace(), cible()},
                                  trace())
                    .resultat.toBool());
        QFile f(sortie + "/licences.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString texte = QString::fromUtf8(f.readAll());
        QVERIFY(texte.contains("\tUN\t") && texte.contains("\tDEUX\t") && !texte.contains("TROIS"));

        QVERIFY(Appeler_composant("PerformanceExporter", "bexport_performance",
                                  {b.chemin(), kSelection, true, false, sortie, trace(), cible()}, trace())
                    .trace.contains("2 performances individuelles"));
        QVERIFY(Appeler_composant("PerformanceExporter", "bexport_performance",
                                  {b.chemin(), kClub, false, true, sortie, trace(), cible()}, trace())
                    .trace.contains("2 performances individuelles"));
        QVERIFY(Appeler_composant("PerformanceExporter", "bexport_performance",
                                  {b.chemin(), kClub, false, false, sortie, trace(), cible()}, trace())
                    .trace.contains("1 performance individuelle"));
    }

    // Known codes are left alone unless forced; codes are checked; a selection is one by its code.
    void importClubs()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        ajouterClub(b, kClub, "Ancien nom", {"Ancienne adresse"});
        const QString source = dossier("clubs");
        Ecrire_fichier(source + "/clubs.txt",
                       "Code_federal\tIntitule\tAdresse\n"
                       "fra1320590001\tNouveau nom\tNouvelle adresse\n"
                       "FRA1320000000\tSélection\t\n"
                       "XYZ1320590003\tPays inconnu\t\n"
                       "FRA132059\tTrop court\t\n"
                       "FRA1320590004\t\t\n"
                       "FRA1320000000\tEn double\t\n");
        ResultatAppel r = Appeler_composant("ClubImporter", "bImport_Club", {b.chemin(), source, dossier("t"), trace(), cible(), false}, trace());
        QVERIFY(r.resultat.toBool());
        QCOMPARE(b.lignes("SELECT Code_federal, Intitule, Selection, COALESCE(Adresse, '') FROM Club ORDER BY Code_federal"),
                 QStringList({"FRA1320000000|Sélection|Vrai|", "FRA1320590001|Ancien nom|Faux|Ancienne adresse"}));
        for (const char* attendu : {"Ligne 4 : club \"XYZ1320590003\" rejeté, pays XYZ inconnu.",
                                    "Ligne 5 : club \"FRA132059\" rejeté, le code doit compter 13 caractères.",
                                    "Ligne 6 : club \"FRA1320590004\" rejeté, nom du club manquant.",
                                    "Ligne 7 : club \"FRA1320000000\" rejeté, code déjà présent plus haut dans le fichier.",
                                    "1 club ajouté, 0 club mis à jour, 1 club déjà présent laissé tel quel, 4 lignes rejetées."})
            QVERIFY2(r.trace.contains(QString::fromUtf8(attendu)), qPrintable(r.trace));

        r = Appeler_composant("ClubImporter", "bImport_Club", {b.chemin(), source, dossier("t"), trace(), cible(), true}, trace());
        QCOMPARE(b.valeur("SELECT Intitule || '/' || Adresse FROM Club WHERE Code_federal = ?", {kClub}),
                 QString("Nouveau nom/Nouvelle adresse"));
        QVERIFY(r.trace.contains("2 clubs mis à jour"));
    }

    // A code of the file finds the club of the base whose code compares equal: case aside, an
    // accented letter being another letter.
    void importClubsCodesDeLaBase()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        ajouterClub(b, "fra1320590003", "En minuscules");
        ajouterClub(b, "FRA13205900\u00C94", "Accentué");
        b.executer("INSERT INTO Club (Code_federal, Intitule, Visible) VALUES ('7', 'Club supprimé', 0)");
        const QString source = dossier("clubs");
        Ecrire_fichier(source + "/clubs.txt", "Code_federal\tIntitule\n"
                                              "FRA1320590003\tNouveau nom\n"
                                              "FRA13205900E4\tSans accent\n");
        const ResultatAppel r =
            Appeler_composant("ClubImporter", "bImport_Club", {b.chemin(), source, dossier("t"), trace(), cible(), true}, trace());
        QVERIFY2(r.trace.contains("1 club ajouté, 1 club mis à jour"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Code_federal, Intitule FROM Club ORDER BY Num"),
                 QStringList({"fra1320590003|Nouveau nom", "FRA13205900\u00C94|Accentué", "7|Club supprimé",
                              "FRA13205900E4|Sans accent"}));
    }

    // A club code is checked as the club windows check it, line by line: the geography of the
    // base, not only its country and inter-region. A club the windows refuse could not save
    // itself again ("Le code club tapé n'est pas valide.").
    void clubsCodeDesFenetres_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("raison"); // "" when imported
        // Nord-Est (1) holds Hauts-de-France (32), which holds Nord (059); Paris (075) is in
        // Île-de-France (11, inter-region 5).
        QTest::newRow("club") << "FRA1320590001" << "";
        QTest::newRow("sélection départementale") << "FRA1320590000" << "";
        QTest::newRow("sélection fédérale") << "FRA0000000000" << "";
        QTest::newRow("club étranger") << "BEL0000001234" << "";
        QTest::newRow("région en lettres") << "FRA1ZZ0020009" << "région ZZ inconnue dans l'inter-région 1";
        QTest::newRow("région inconnue") << "FRA1990590001" << "région 99 inconnue dans l'inter-région 1";
        QTest::newRow("région d'une autre inter-région") << "FRA2320590001" << "région 32 inconnue dans l'inter-région 2";
        QTest::newRow("département inconnu") << "FRA1329990001" << "département 999 inconnu dans la région 32";
        QTest::newRow("département d'une autre région") << "FRA1320750001" << "département 075 inconnu dans la région 32";
        QTest::newRow("inter-région en lettre") << "FRAX320590001" << "inter-région X inconnue";
        QTest::newRow("inter-région inconnue") << "FRA9320590001" << "inter-région 9 inconnue";
        QTest::newRow("pays inconnu") << "XYZ0000001234" << "pays XYZ inconnu";
        QTest::newRow("étranger avec une inter-région") << "BEL1000001234" << "un club hors de France a l'inter-région 0, pas 1";
        QTest::newRow("inter-région 0 avec une région")
            << "FRA0320590001" << "avec l'inter-région 0, la région et le département sont 00 et 000";
        QTest::newRow("département sans région") << "FRA1000590001" << "sans région (00), le département est 000";
        QTest::newRow("12 caractères") << "FRA132059001" << "le code doit compter 13 caractères";
        QTest::newRow("14 caractères") << "FRA13205900011" << "le code doit compter 13 caractères";
        QTest::newRow("ponctuation") << "FRA-320590001" << "le code ne doit contenir que des lettres majuscules et des chiffres";
        QTest::newRow("lettre accentuée") << "FRA1320590\u00C901" << "le code ne doit contenir que des lettres majuscules et des chiffres";
    }

    void clubsCodeDesFenetres()
    {
        QFETCH(QString, code);
        QFETCH(QString, raison);
        BaseFichier b(m_rep->fichier("b.mdb"));
        const QString source = dossier("clubs");
        Ecrire_fichier(source + "/clubs.txt", "Code_federal\tIntitule\nFRA1320590002\tBon club\n" + code.toUtf8() + "\tClub testé\n");
        const ResultatAppel r =
            Appeler_composant("ClubImporter", "bImport_Club", {b.chemin(), source, dossier("t"), trace(), cible(), false}, trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QStringList attendus{"FRA1320590002|Bon club"};
        if (raison.isEmpty())
            attendus << code + "|Club testé";
        else
            QVERIFY2(r.trace.contains("Ligne 3 : club \"" + code + "\" rejeté, " + raison + "."), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Code_federal, Intitule FROM Club ORDER BY Num"), attendus);

        // The windows say the same of the code.
        cnxBase.ouvrir(b.chemin());
        QString message;
        const bool valide = Code_club_valide(code, false, message);
        cnxBase.fermer();
        QCOMPARE(valide, raison.isEmpty());
    }

    // A value that cannot be is refused with its line, the other lines imported; a file read
    // wrongly is refused with one reason.
    void clubsValeursImpossibles_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("resultat");
        QTest::addColumn<QStringList>("presents"); // clubs in the base afterwards
        QTest::addColumn<QString>("trace");

        const QByteArray entete = "Code_federal\tIntitule\tAdresse\tVille\n";
        const QByteArray bon = "FRA1320590001\tBon club\t\tLille\n";
        const QByteArray autre = "FRA1320590002\tAutre club\t\tRoubaix\n";
        const QStringList deux = {"FRA1320590001|Bon club", "FRA1320590002|Autre club"};
        QTest::newRow("NUL dans le nom") << entete + bon + "FRA1320590002\tC" + '\0' + "N\t\tLille\n" << true
                                         << QStringList{"FRA1320590001|Bon club"}
                                         << "Ligne 3 : club \"FRA1320590002\" rejeté, caractère de contrôle U+0000 dans Intitule.";
        QTest::newRow("saut de ligne dans le nom") << entete + "FRA1320590002\tClub\\nNord\t\tLille\n" + bon << true
                                                   << QStringList{"FRA1320590001|Bon club"}
                                                   << "Ligne 2 : club \"FRA1320590002\" rejeté, caractère de contrôle U+000A dans Intitule.";
        QTest::newRow("contrôle C1 dans le nom") << entete + bon + "FRA1320590002\tClub\xc2\x85" "Nord\t\tLille\n" << true
                                                 << QStringList{"FRA1320590001|Bon club"} << "caractère de contrôle U+0085 dans Intitule";
        QTest::newRow("DEL dans la ville") << entete + bon + "FRA1320590002\tAutre club\t\tRou\x7f" "baix\n" << true
                                           << QStringList{"FRA1320590001|Bon club"} << "caractère de contrôle U+007F dans Ville";
        QTest::newRow("saut de ligne dans l'adresse") << entete + bon + "FRA1320590002\tAutre club\t1 quai\\nBât. B\tRoubaix\n"
                                                      << true << deux << "2 clubs ajoutés";
        QTest::newRow("fins de ligne CR seules") << QByteArray(entete + bon + autre).replace('\n', '\r') << false << QStringList()
                                                 << "Fichier clubs.txt refusé : ses lignes se terminent par un retour chariot "
                                                    "seul (CR) ; l'enregistrer avec des fins de ligne LF ou CR LF.";
        QTest::newRow("fins de ligne CR LF") << QByteArray(entete + bon + autre).replace("\n", "\r\n") << true << deux
                                             << "2 clubs ajoutés";
        QTest::newRow("colonne trois fois") << "Code_federal\tIntitule\tVille\tVille\tVille\n" + bon << false << QStringList()
                                            << "Fichier clubs.txt refusé : la colonne Ville figure deux fois.";
    }

    void clubsValeursImpossibles()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, resultat);
        QFETCH(QStringList, presents);
        QFETCH(QString, trace);
        BaseFichier b(m_rep->fichier("b.mdb"));
        const QString source = dossier("clubs");
        Ecrire_fichier(source + "/clubs.txt", contenu);
        const ResultatAppel r = Appeler_composant("ClubImporter", "bImport_Club",
                                                  {b.chemin(), source, dossier("t"), this->trace(), cible(), false}, this->trace());
        QVERIFY2(r.trace.contains(trace), qPrintable(r.trace));
        QCOMPARE(r.resultat.toBool(), resultat);
        if (!resultat) {
            QVERIFY(r.trace.contains("Echec : aucune modification n'a été enregistrée dans la base."));
            QCOMPARE(r.trace.count("refusé"), 1);
        }
        QCOMPARE(b.lignes("SELECT Code_federal, Intitule FROM Club ORDER BY Code_federal"), presents);
    }

    // Each fault of a licence file gives a clear line; a file whose shape is wrong writes nothing.
    void licencesMalformees_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("resultat");
        QTest::addColumn<QStringList>("presentes"); // numbers in the base afterwards
        QTest::addColumn<QString>("trace");

        const QByteArray bon = "FRA1320590001\t05001F\tDUPONT\tAnne\t20050101\n";
        QTest::newRow("colonne manquante") << QByteArray("Code_club\tLicence\tNom\tPrenom\n" "FRA1320590001\t05001F\tDUPONT\tAnne\n")
                                           << false << QStringList() << "licences.txt refusé : la colonne Date_Naissance manque.";
        QTest::newRow("colonnes en trop") << entete() + bon + "FRA1320590001\t05002F\tDURAND\tLuc\t20050101\tde trop\n"
                                          << false << QStringList() << "Ligne 3 : 6 colonnes au lieu de 5.";
        QTest::newRow("colonnes en moins") << entete() + bon + "FRA1320590001\t05002F\tDURAND\n" << false << QStringList()
                                           << "1 ligne n'a pas le nombre de colonnes de l'en-tête";
        QTest::newRow("date impossible") << entete() + bon + "FRA1320590001\t05002F\tDURAND\tLuc\t20051345\n" << true
                                         << QStringList{"05001F"} << "Ligne 3 : licence 05002F (DURAND Luc) rejetée, date de naissance invalide (20051345).";
        QTest::newRow("date au format jj/mm/aaaa") << entete() + "FRA1320590001\t05002F\tDURAND\tLuc\t01/01/2005\n" << true
                                                   << QStringList() << "date de naissance invalide (01/01/2005)";
        QTest::newRow("club inconnu") << entete() + bon + "FRA1320599999\t05002F\tDURAND\tLuc\t20050101\n" << true
                                      << QStringList{"05001F"} << "club FRA1320599999 inconnu dans la base";
        QTest::newRow("en double") << entete() + bon + bon << true << QStringList{"05001F"}
                                   << "licence déjà présente plus haut dans le fichier";
        QTest::newRow("pas en UTF-8") << entete() + "FRA1320590001\t05002F\tH\xc9LO\tLuc\t20050101\n" << false << QStringList()
                                      << "il n'est pas écrit en UTF-8";
        QTest::newRow("vide") << QByteArray() << false << QStringList() << "la première ligne doit nommer les colonnes";
        QTest::newRow("naissance en 2100") << entete() + bon + "FRA1320590001\t05002F\tDURAND\tLuc\t21000101\n" << true
                                           << QStringList{"05001F"}
                                           << "Ligne 3 : licence 05002F (DURAND Luc) rejetée, date de naissance impossible "
                                              "(21000101), avant 1900 ou après aujourd'hui.";
        QTest::newRow("naissance demain") << entete() + "FRA1320590001\t05002F\tDURAND\tLuc\t"
                                                 + QDate::currentDate().addDays(1).toString("yyyyMMdd").toUtf8() + "\n"
                                          << true << QStringList() << "date de naissance impossible";
        QTest::newRow("naissance en 1899") << entete() + "FRA1320590001\t05002F\tDURAND\tLuc\t18991231\n" << true
                                           << QStringList() << "date de naissance impossible (18991231)";
        QTest::newRow("naissance le 1er janvier 1900") << entete() + "FRA1320590001\t05002F\tDURAND\tLuc\t19000101\n" << true
                                                       << QStringList{"05002F"} << "1 licence ajoutée";
        QTest::newRow("NUL dans le nom") << entete() + bon + "FRA1320590001\t05002F\tDU" + '\0' + "RAND\tLuc\t20050101\n"
                                         << true << QStringList{"05001F"}
                                         << "Ligne 3 : licence 05002F (DU\uFFFDRAND Luc) rejetée, caractère de contrôle U+0000 dans Nom.";
        QTest::newRow("échappement dans le prénom") << entete() + "FRA1320590001\t05002F\tDURAND\tL\\nuc\t20050101\n" << true
                                                     << QStringList() << "caractère de contrôle U+000A dans Prenom";
        QTest::newRow("échappement dans l'adresse")
            << QByteArray("Code_club\tLicence\tNom\tPrenom\tDate_Naissance\tAdresse\tLocalite\n")
                   + "FRA1320590001\t05002F\tDURAND\tLuc\t20050101\t1 rue\\nBât. B\tLille\n"
                   + "FRA1320590001\t05003F\tDURAND\tLéa\t20050101\t\tLil\x1ble\n"
            << true << QStringList{"05002F"} << "caractère de contrôle U+001B dans Localite";
        QTest::newRow("fins de ligne CR seules") << QByteArray(entete() + bon + bon).replace('\n', '\r') << false << QStringList()
                                                 << "licences.txt refusé : ses lignes se terminent par un retour chariot seul (CR)";
    }

    void licencesMalformees()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(bool, resultat);
        QFETCH(QStringList, presentes);
        QFETCH(QString, trace);
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const QString source = dossier("lic");
        Ecrire_fichier(source + "/licences.txt", contenu);
        const ResultatAppel r =
            Appeler_composant("LicenceImporter", "bimport_licence", {b.chemin(), source, dossier("t"), this->trace(), cible()},
                              this->trace());
        QVERIFY2(r.trace.contains(trace), qPrintable(r.trace));
        QCOMPARE(r.resultat.toBool(), resultat);
        if (!resultat) {
            QVERIFY(r.trace.contains("Echec : aucune modification n'a été enregistrée dans la base."));
            // One reason, not one per value of a file read wrongly.
            QCOMPARE(r.trace.count("refusé"), 1);
        }
        QCOMPARE(b.lignes("SELECT Licence FROM Licence ORDER BY Licence"), presentes);
    }

    // Quotes, apostrophes, tabs and backslashes go in as they were written.
    void licenceAvecGuillemets()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const QString source = dossier("lic");
        Ecrire_fichier(source + "/licences.txt", entete().replace("\n", "\tAdresse\n")
                                                     + "FRA1320590001\t05001F\td'Artagnan\t\"Jo\"\t20050101\tchemin \\\\ du \\t bois\n");
        const ResultatAppel r = Appeler_composant("LicenceImporter", "bimport_licence",
                                                  {b.chemin(), source, dossier("t"), trace(), cible()}, trace());
        QVERIFY2(r.trace.contains("1 licence ajoutée"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Nom, Prenom, Adresse FROM Licence"), QStringList({"D'ARTAGNAN|\"Jo\"|chemin \\ du \t bois"}));
    }

    // Yes/no columns are 1/0 in the file and what the licence window stores in the base ("O" or
    // ""); the usual spellings are read; a round trip keeps every box.
    void ouiNonDesLicences()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        ajouterLicence(b, {kClub, "05001F", "UN", "Un", "F", "20050101", "", "", "", "", "", "", "O", "", "", "O", "", ""});
        const QString sortie = dossier("oui");
        QVERIFY(Appeler_composant("LicenceExporter", "bExport_licence", {b.chemin(), kClub, false, sortie, trace(), cible()},
                                  trace())
                    .resultat.toBool());
        QFile f(sortie + "/licences.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lignes = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lignes.size(), 2);
        const QStringList entetes = lignes[0].split('\t');
        const QStringList valeurs = lignes[1].split('\t');
        QStringList ouiNon;
        for (const char* c : {"Sportive", "Synchro", "Water_Polo", "Plongeon", "Dirigeant", "Maitre"})
            ouiNon << valeurs.value(entetes.indexOf(c));
        QCOMPARE(ouiNon, QStringList({"1", "0", "0", "1", "0", "0"}));

        BaseFichier cible2(m_rep->fichier("c.mdb"));
        clubsDeBase(cible2);
        QVERIFY(Appeler_composant("LicenceImporter", "bimport_licence", {cible2.chemin(), sortie, dossier("t2"), trace(), cible()},
                                  trace())
                    .trace.contains("1 licence ajoutée"));
        const QString sql = "SELECT Sportive, Synchro, Water_Polo, Plongeon, Dirigeant, Maitre FROM Licence WHERE Licence = ?";
        QCOMPARE(cible2.lignes(sql, {"05001F"}), b.lignes(sql, {"05001F"}));

        // Every usual spelling; an unknown one refuses the line.
        const QString source = dossier("orth");
        Ecrire_fichier(source + "/licences.txt",
                       QByteArray("Code_club\tLicence\tNom\tPrenom\tDate_Naissance\tSportive\tSynchro\tWater_Polo\tPlongeon"
                                  "\tDirigeant\tMaitre\n")
                           + "FRA1320590001\t06001F\tA\tA\t20060101\t1\tO\tVrai\t0\tN\tFaux\n"
                           + "FRA1320590001\t06002F\tB\tB\t20060101\ttrue\toui\t\tfalse\tnon\t-1\n"
                           + "FRA1320590001\t06003F\tC\tC\t20060101\tpeut-être\t0\t0\t0\t0\t0\n");
        const ResultatAppel r = Appeler_composant("LicenceImporter", "bimport_licence",
                                                  {b.chemin(), source, dossier("t3"), trace(), cible()}, trace());
        QVERIFY2(r.trace.contains("2 licences ajoutées") && r.trace.contains("valeur oui/non invalide dans Sportive (peut-être)"),
                 qPrintable(r.trace));
        QCOMPARE(b.lignes(sql, {"06001F"}), QStringList({"O|O|O|||"}));
        QCOMPARE(b.lignes(sql, {"06002F"}), QStringList({"O|O||||O"}));
    }

    // The birth dates the licence window lets through are those the licence import reads back:
    // a licence the window stores is exported and imported whole, one the import would refuse
    // the window refuses first.
    void naissancesDeLaFenetre_data()
    {
        QTest::addColumn<QString>("jour");
        QTest::addColumn<QString>("mois");
        QTest::addColumn<QString>("annee");
        const QDate aujourdhui = QDate::currentDate();
        auto ligne = [](const char* nom, const QDate& d) {
            QTest::newRow(nom) << QString::number(d.day()) << QString::number(d.month()) << QString::number(d.year());
        };
        ligne("aujourd'hui", aujourdhui);
        ligne("demain", aujourdhui.addDays(1));
        ligne("en 2030", QDate(2030, 1, 1));
        ligne("dans un an", aujourdhui.addYears(1));
        ligne("1er janvier 1900", QDate(1900, 1, 1));
        ligne("31 décembre 1899", QDate(1899, 12, 31));
        ligne("29 février 2000", QDate(2000, 2, 29));
        // What the typing check lets through: it counts 1900 as a leap year.
        QTest::newRow("29 février 1900") << "29" << "02" << "1900";
        QTest::newRow("31 février 2010") << "31" << "2" << "2010";
        QTest::newRow("année 0000") << "1" << "1" << "0000";
    }

    void naissancesDeLaFenetre()
    {
        QFETCH(QString, jour);
        QFETCH(QString, mois);
        QFETCH(QString, annee);
        const QString numero = annee.right(2) + "123";
        const bool fenetre = Erreur_saisie_licence({jour, mois, annee, numero, "O'NEIL", "Zoé"}).isEmpty();

        // The licence as the window gathers it, every column filled.
        BaseFichier source(m_rep->fichier("source.mdb"));
        clubsDeBase(source);
        ajouterLicence(source, {kClub, numero + "F", "O'NEIL", "Zoé", "F", Composer_date(annee, mois, jour), "IRL",
                                "1 rue \"A\"", "Bât. B", "59000", "Lille", "0320000000", "O", "", "O", "", "", "O",
                                "20240901", "", "R", "E", "1234567890123456789012", "0600000000", "zoe@exemple.fr",
                                "Jeune & Co", "Dr O'Brien", "20240801"});
        const QString sortie = dossier("sortie");
        QVERIFY(Appeler_composant("LicenceExporter", "bExport_licence", {source.chemin(), kClub, false, sortie, trace(), cible()},
                                  trace())
                    .resultat.toBool());
        BaseFichier cibleBase(m_rep->fichier("cible.mdb"));
        clubsDeBase(cibleBase);
        const ResultatAppel r = Appeler_composant("LicenceImporter", "bimport_licence",
                                                  {cibleBase.chemin(), sortie, dossier("t"), trace(), cible()}, trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        const QString licences = "SELECT " + colonnesLicence() + " FROM Licence ORDER BY Licence";
        QCOMPARE(cibleBase.lignes(licences), fenetre ? source.lignes(licences) : QStringList());
    }

    // A licence already there is updated and shown again; one of another club is another licence.
    void licenceMiseAJour()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const qint64 num = ajouterLicence(b, {kClub, "05001F", "DUPONT", "Anne", "F", "20050101", "FRA", "vieille adresse"}, false);
        const QString source = dossier("lic");
        Ecrire_fichier(source + "/licences.txt", entete() + "FRA1320590001\t05001F\tDupont\tAnne\t20050102\n"
                                                           "FRA1320590002\t05001F\tDUPONT\tAnne\t20050101\n");
        QVERIFY(Appeler_composant("LicenceImporter", "bimport_licence", {b.chemin(), source, dossier("t"), trace(), cible()}, trace())
                    .trace.contains("1 licence ajoutée, 1 licence mise à jour"));
        // Columns the file has not are kept.
        QCOMPARE(b.lignes("SELECT Nom, Date_Naissance, Adresse, Visible, Date_suppr FROM Licence WHERE Num = ?", {num}),
                 QStringList({"DUPONT|20050102|vieille adresse|Vrai|"}));
        QCOMPARE(b.nombre("Licence"), 2);
    }

    void performancesMalformees_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("trace");
        QTest::newRow("temps à 75 secondes") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t1.7500") << "temps invalide (1.7500)";
        QTest::newRow("temps en texte") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\tabc") << "temps invalide (abc)";
        QTest::newRow("épreuve inconnue") << QByteArray("777\tFRA1320590001\tA\t50\t20240101\t0.3") << "épreuve 777 inconnue";
        QTest::newRow("relais dans le fichier individuel") << QByteArray("43\tFRA1320590001\tA\t50\t20240101\t2.3")
                                                           << "l'épreuve 43 est un relais";
        QTest::newRow("bassin") << QByteArray("1\tFRA1320590001\tA\t33\t20240101\t0.3") << "bassin invalide (33)";
        QTest::newRow("date") << QByteArray("1\tFRA1320590001\tA\t50\t20240230\t0.3") << "date invalide (20240230)";
        QTest::newRow("club inconnu") << QByteArray("1\tFRA9999999999\tA\t50\t20240101\t0.3") << "club FRA9999999999 inconnu";
        QTest::newRow("nageur absent du fichier") << QByteArray("1\tFRA1320590001\tZ\t50\t20240101\t0.3") << "nageur Z absent de nageurs.txt";
        QTest::newRow("nageur absent de la base") << QByteArray("1\tFRA1320590001\tB\t50\t20240101\t0.3")
                                                  << "Nageur INCONNU Bob (FRA1320590001 09999F) introuvable dans la base";
        // 91 to 94 minutes are the codes of a disqualification or a withdrawal, no time.
        QTest::newRow("temps 91") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t91")
                                  << "performances.txt, ligne 3 : performance rejetée, temps invalide (91).";
        QTest::newRow("temps 94") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t94.0000") << "temps invalide (94.0000)";
        QTest::newRow("temps 1000 minutes") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t1000") << "temps invalide (1000)";
        QTest::newRow("date en 2100") << QByteArray("1\tFRA1320590001\tA\t50\t21000101\t0.3")
                                      << "date impossible (21000101), avant 1900 ou après aujourd'hui";
        QTest::newRow("NUL dans le lieu") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t0.3\tLi") + '\0' + "lle"
                                          << "caractère de contrôle U+0000 dans Lieu";
        QTest::newRow("date de compétition") << QByteArray("1\tFRA1320590001\tA\t50\t20240101\t0.3\tLille\t2024")
                                             << "date de compétition invalide (2024)";
    }

    // A bad row is refused with its reason; the good rows of the file are imported.
    void performancesMalformees()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(QString, trace);
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        ajouterLicence(b, {kClub, "05001F", "DUPONT", "Anne", "F", "20050101"});
        const QString source = dossier("perf");
        Ecrire_fichier(source + "/nageurs.txt", "Id\tCode_club\tLicence\tNom\tPrenom\tDate_Naissance\n"
                                                "A\tFRA1320590001\t05001F\tDUPONT\tAnne\t20050101\n"
                                                "B\tFRA1320590001\t09999F\tINCONNU\tBob\t20090101\n");
        // Lieu and Compet_debut empty unless the row gives them.
        while (ligne.count('\t') < 7)
            ligne += '\t';
        Ecrire_fichier(source + "/performances.txt", "Code_epreuve\tCode_club\tNageur\tType_bassin\tDate_perf\tTps\tLieu\tCompet_debut\n"
                                                     "2\tFRA1320590001\tA\t25\t20240101\t1.0532\t\t\n"
                                                         + ligne + "\n");
        const ResultatAppel r = Appeler_composant("PerformanceImporter", "bimport_perf",
                                                  {b.chemin(), source, dossier("t"), this->trace(), cible()}, this->trace());
        QVERIFY(r.resultat.toBool());
        QVERIFY2(r.trace.contains(trace), qPrintable(r.trace));
        QVERIFY2(r.trace.contains("1 ajoutée, 0 déjà présente, 1 rejetée"), qPrintable(r.trace));
        QCOMPARE(b.lignes("SELECT Code_epreuve, Tps, Age_nageur FROM Liffn"), QStringList({"2|1,0532|19"}));
    }

    // A failure halfway leaves the base as it was, competitions made on the way included.
    void echecEnCoursDImport()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        ajouterLicence(b, {kClub, "05001F", "DUPONT", "Anne", "F", "20050101"});
        b.executer("CREATE TRIGGER panne BEFORE INSERT ON Liffn WHEN NEW.Lieu = 'PANNE' "
                   "BEGIN SELECT RAISE(ABORT, 'disque plein'); END");
        const QString source = dossier("perf");
        Ecrire_fichier(source + "/nageurs.txt", "Id\tNom\tPrenom\tDate_Naissance\tCode_club\tLicence\n"
                                                "A\tDUPONT\tAnne\t20050101\tFRA1320590001\t05001F\n");
        QByteArray perfs = "Code_epreuve\tCode_club\tNageur\tType_bassin\tDate_perf\tTps\tLieu\n";
        for (int i = 0; i < 50; ++i)
            perfs += "2\tFRA1320590001\tA\t25\t202401" + QByteArray::number(10 + i % 18) + "\t1." + QByteArray::number(1000 + i)
                     + "\tLieu " + QByteArray::number(i) + "\n";
        perfs += "2\tFRA1320590001\tA\t25\t20240301\t1.2\tPANNE\n";
        Ecrire_fichier(source + "/performances.txt", perfs);
        const ResultatAppel r =
            Appeler_composant("PerformanceImporter", "bimport_perf", {b.chemin(), source, dossier("t"), trace(), cible()}, trace());
        QVERIFY(!r.resultat.toBool());
        QVERIFY2(r.trace.contains("disque plein"), qPrintable(r.trace));
        QVERIFY(r.trace.contains("Echec : aucune modification n'a été enregistrée dans la base."));
        QCOMPARE(b.nombre("Liffn"), 0);
        QCOMPARE(b.nombre("Rcomp"), 0);
    }

    // 100,000 rows go in within one transaction; the time is printed.
    void centMillePerformances()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        QByteArray nageurs = "Id\tCode_club\tLicence\tNom\tPrenom\tDate_Naissance\n";
        for (int n = 0; n < 100; ++n) {
            const QByteArray num = QByteArray::number(10000 + n);
            ajouterLicence(b, {kClub, "05" + QString(num.right(3)) + "F", "NAGEUR" + QString(num), "P", "F", "20050101"});
            nageurs += num + "\t" + kClub.toUtf8() + "\t05" + num.right(3) + "F\tNAGEUR" + num + "\tP\t20050101\n";
        }
        QByteArray perfs = "Code_epreuve\tCode_club\tNageur\tType_bassin\tDate_perf\tTps\tLieu\tCompet_nom\tCompet_debut\tCompet_lieu\n";
        perfs.reserve(8 << 20);
        for (int i = 0; i < 100000; ++i) {
            const int jour = i % 28 + 1;
            perfs += QByteArray::number(i % 4) + "\t" + kClub.toUtf8() + "\t" + QByteArray::number(10000 + i % 100) + "\t50\t2023"
                     + QByteArray::number(i % 12 + 1).rightJustified(2, '0') + QByteArray::number(jour).rightJustified(2, '0')
                     + "\t" + temps(3000 + i) + "\tLille\tMeeting " + QByteArray::number(i % 12)
                     + "\t20230101\tLille\n";
        }
        const QString source = dossier("perf");
        Ecrire_fichier(source + "/nageurs.txt", nageurs);
        Ecrire_fichier(source + "/performances.txt", perfs);
        QElapsedTimer chrono;
        chrono.start();
        const ResultatAppel r =
            Appeler_composant("PerformanceImporter", "bimport_perf", {b.chemin(), source, dossier("t"), trace(), cible()}, trace());
        qInfo("Import de 100 000 performances : %lld ms", chrono.elapsed());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace.left(2000)));
        QVERIFY2(r.trace.contains("100000 ajoutées"), qPrintable(r.trace.left(2000)));
        QCOMPARE(b.nombre("Liffn"), 100000);
        QCOMPARE(b.nombre("Rcomp"), 12);
    }

    // Identifiers reach the licence found by club and number, else by identity; a restriction
    // to the club leaves the others alone.
    void miseAJourIuf()
    {
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const qint64 anne = ajouterLicence(b, {kClub, "05001F", "DUPONT", "Anne", "F", "20050101"});
        const qint64 zoe = ajouterLicence(b, {kClub, "05002F", "LEGER", "Zoé", "F", "20050202"});
        const qint64 paul = ajouterLicence(b, {kClub2, "06001F", "MARTIN", "Paul", "M", "20060101"});
        const qint64 cache = ajouterLicence(b, {kClub, "05003F", "CACHE", "Luc", "M", "20050303"}, false);
        const QString source = dossier("iuf");
        Ecrire_fichier(source + "/iuf.txt", "Code_club\tLicence\tNom\tPrenom\tDate_Naissance\tCode_unique\n"
                                            "FRA1320590001\t05001F\tDUPONT\tAnne\t20050101\t111\n"
                                            "\t\tLéger\tZOE\t20050202\t222\n"
                                            "FRA1320590002\t06001F\tMARTIN\tPaul\t20060101\t333\n"
                                            "FRA1320590001\t05003F\tCACHE\tLuc\t20050303\t444\n"
                                            "FRA1320590001\t05009F\tABSENT\tAl\t20050101\t555\n"
                                            "FRA1320590001\t05001F\tDUPONT\tAnne\t20050101\t\n");
        CibleEnregistree progression;
        const ResultatAppel r = Appeler_composant("IufCodeUpdater", "bImport_CodeIUF",
                                                  {source, b.chemin(), trace(), cible(&progression), true, kClub}, trace());
        QVERIFY(r.resultat.toBool());
        auto code = [&b](qint64 num) { return b.valeur("SELECT COALESCE(Code_unique, '') FROM Licence WHERE Num = ?", {num}); };
        QCOMPARE(code(anne), QString("111"));
        QCOMPARE(code(zoe), QString("222"));
        QCOMPARE(code(paul), QString());
        QCOMPARE(code(cache), QString());
        QVERIFY2(r.trace.contains("ABSENT Al (20050101) non trouvé(e) dans la base."), qPrintable(r.trace));
        QVERIFY(r.trace.contains("Ligne 7 : DUPONT Anne rejeté(e), identifiant manquant."));
        QVERIFY(r.trace.contains("2 licences mises à jour, 0 déjà à jour, 3 nageurs non trouvés, 1 ligne rejetée."));
        QVERIFY(!r.trace.contains("MARTIN"));
        QVERIFY(progression.clubs.contains("Cercle des nageurs"));

        QVERIFY(Appeler_composant("IufCodeUpdater", "bImport_CodeIUF", {source, b.chemin(), trace(), cible(), false, kClub}, trace())
                    .trace.contains("1 licence mise à jour, 2 déjà à jour"));
        QCOMPARE(code(paul), QString("333"));
    }

    // A control character in a line of the identifier file refuses that line, named with its
    // reason; its licence keeps its identifier and the other lines are imported.
    void iufCaracteresDeControle_data()
    {
        QTest::addColumn<QByteArray>("ligne");
        QTest::addColumn<QString>("raison");
        QTest::newRow("U+0001 dans l'identifiant") << QByteArray("DUPONT\tAnne\t20050101\t12\x01" "34\n")
                                                  << "caractère de contrôle U+0001 dans Code_unique";
        QTest::newRow("NUL dans l'identifiant") << QByteArray("DUPONT\tAnne\t20050101\t12") + QByteArray(1, '\0') + "34\n"
                                                << "caractère de contrôle U+0000 dans Code_unique";
        QTest::newRow("saut de ligne échappé") << QByteArray("DUPONT\tAnne\t20050101\t12\\n34\n")
                                               << "caractère de contrôle U+000A dans Code_unique";
        QTest::newRow("contrôle C1") << QByteArray("DUPONT\tAnne\t20050101\t12\xc2\x85" "34\n")
                                     << "caractère de contrôle U+0085 dans Code_unique";
        QTest::newRow("contrôle dans le prénom") << QByteArray("DUPONT\tAn\x1bne\t20050101\t1234\n")
                                                 << "caractère de contrôle U+001B dans Prenom";
    }

    void iufCaracteresDeControle()
    {
        QFETCH(QByteArray, ligne);
        QFETCH(QString, raison);
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const qint64 anne = ajouterLicence(b, {kClub, "05001F", "DUPONT", "Anne", "F", "20050101"});
        const qint64 zoe = ajouterLicence(b, {kClub, "05002F", "LEGER", "Zoé", "F", "20050202"});
        b.executer("UPDATE Licence SET Code_unique = 'ANCIEN'");
        const QString source = dossier("iuf");
        Ecrire_fichier(source + "/iuf.txt", "Nom\tPrenom\tDate_Naissance\tCode_unique\nLEGER\tZoé\t20050202\t222\n" + ligne);
        const ResultatAppel r =
            Appeler_composant("IufCodeUpdater", "bImport_CodeIUF", {source, b.chemin(), trace(), cible(), false, kClub}, trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QVERIFY2(r.trace.contains(QRegularExpression("Ligne 3 : DUPONT An.?ne rejeté\\(e\\), " + QRegularExpression::escape(raison) + "\\.")),
                 qPrintable(r.trace));
        QVERIFY2(r.trace.contains("1 licence mise à jour, 0 déjà à jour, 0 nageur non trouvé, 1 ligne rejetée."), qPrintable(r.trace));
        auto code = [&b](qint64 num) { return b.valeur("SELECT Code_unique FROM Licence WHERE Num = ?", {num}); };
        QCOMPARE(code(anne), QString("ANCIEN"));
        QCOMPARE(code(zoe), QString("222"));
    }

    // The identifier update and the performance import find a swimmer by name, first name and birth
    // date whatever letters the other program writes: every accent, the letters that do not
    // decompose, spaces, hyphens and apostrophes aside, on both sides.
    void nomsDAutresLangues_data()
    {
        QTest::addColumn<QString>("nom");       // ours
        QTest::addColumn<QString>("prenom");
        QTest::addColumn<QString>("nomFichier"); // the file's
        QTest::addColumn<QString>("prenomFichier");
        QTest::addColumn<bool>("trouve");
        QTest::newRow("portugais") << "BALDUINO" << "Juan" << "Balduíno" << "Juan" << true;
        QTest::newRow("tilde") << "PEDRO SERAFINI" << "Joao" << "Pedro Serafini" << "João" << true;
        QTest::newRow("espagnol") << "NUNEZ" << "Inigo" << "Núñez" << "Iñigo" << true;
        QTest::newRow("danois") << "SORENSEN" << "Asa" << "Sørensen" << "Åsa" << true;
        QTest::newRow("polonais") << "WOJCIK" << "Lukasz" << "Wójcik" << "Łukasz" << true;
        QTest::newRow("allemand") << "STRASSER" << "Jurgen" << "Straßer" << "Jürgen" << true;
        QTest::newRow("serbe") << "DOKOVIC" << "Dorde" << "Đoković" << "Đorđe" << true;
        QTest::newRow("ligatures") << "LAEGREID" << "Oedipe" << "Lægreid" << "Œdipe" << true;
        QTest::newRow("islandais") << "THORSDOTTIR" << "Eva" << "Þórsdóttir" << "Eva" << true;
        QTest::newRow("apostrophe typographique") << "O BRIEN" << "Sean" << "O’Brien" << "Seán" << true;
        QTest::newRow("trait d'union") << "MARTIN" << "Jean Pierre" << "Martin" << "Jean-Pierre" << true;
        QTest::newRow("casse et accents de notre côté") << "Müller" << "Zoé" << "MULLER" << "ZOE" << true;
        QTest::newRow("autre nom") << "MARTIN" << "Jean" << "Martine" << "Jean" << false;
        QTest::newRow("autre lettre") << "NUNEZ" << "Ines" << "Muñez" << "Inés" << false;
    }
    void nomsDAutresLangues()
    {
        QFETCH(QString, nom);
        QFETCH(QString, prenom);
        QFETCH(QString, nomFichier);
        QFETCH(QString, prenomFichier);
        QFETCH(bool, trouve);
        BaseFichier b(m_rep->fichier("b.mdb"));
        clubsDeBase(b);
        const qint64 num = ajouterLicence(b, {kClub, "05001F", nom, prenom, "M", "20050101"});
        const QByteArray identite = nomFichier.toUtf8() + "\t" + prenomFichier.toUtf8() + "\t20050101";

        const QString iuf = dossier("iuf");
        Ecrire_fichier(iuf + "/iuf.txt", "Nom\tPrenom\tDate_Naissance\tCode_unique\n" + identite + "\t777\n");
        const ResultatAppel r = Appeler_composant("IufCodeUpdater", "bImport_CodeIUF", {iuf, b.chemin(), trace(), cible(), false, kClub}, trace());
        QVERIFY2(r.resultat.toBool(), qPrintable(r.trace));
        QCOMPARE(b.valeur("SELECT COALESCE(Code_unique, '') FROM Licence WHERE Num = ?", {num}), trouve ? QString("777") : QString());

        const QString perf = dossier("perf");
        Ecrire_fichier(perf + "/nageurs.txt", "Id\tNom\tPrenom\tDate_Naissance\nA\t" + identite + "\n");
        Ecrire_fichier(perf + "/performances.txt", "Code_epreuve\tCode_club\tNageur\tType_bassin\tDate_perf\tTps\n"
                                                   "52\tFRA1320590001\tA\t25\t20240101\t0.5532\n");
        const ResultatAppel p = Appeler_composant("PerformanceImporter", "bimport_perf", {b.chemin(), perf, dossier("t"), trace(), cible()}, trace());
        QVERIFY2(p.resultat.toBool(), qPrintable(p.trace));
        QCOMPARE(b.lignes("SELECT Num_Lic FROM Liffn"), trouve ? QStringList{QString::number(num)} : QStringList());
    }

    // A name and the same name typed in capitals meet under one key, whatever letters it holds:
    // ª, º and № decompose to small letters, which are upper-cased after (our club saved as
    // "… NOSSA SRA. D" is the file's "… Nossa Srª. D…"); so are letters whose capitals decompose
    // (ǰ) or carry a letter more (the iota under ᾳ).
    void cleDUnNomEnCapitales_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("capitales");
        QTest::addColumn<QString>("cle");
        QTest::newRow("ª") << "Colegio Bom Jesus Nossa Srª. D" << "COLEGIO BOM JESUS NOSSA SRA. D" << "COLEGIOBOMJESUSNOSSASRA.D";
        QTest::newRow("º") << "Clube Atlético 1º de Maio" << "CLUBE ATLETICO 1O DE MAIO" << "CLUBEATLETICO1ODEMAIO";
        QTest::newRow("n.º") << "Escola n.º 5" << "ESCOLA N.O 5" << "ESCOLAN.O5";
        QTest::newRow("№") << "Спортклуб № 7" << "СПОРТКЛУБ NO 7" << "СПОРТКЛУБNO7";
        QTest::newRow("№ en capitales") << "Clube № 1" << "CLUBE NO 1" << "CLUBENO1";
        QTest::newRow("ǰ") << "Ǆaǰić" << "DŽAJIĆ" << "DZAJIC";
        QTest::newRow("ᾳ") << "Ἀθηνᾶ Ἀκαδημίᾳ" << "ΑΘΗΝΑ ΑΚΑΔΗΜΙΑΙ" << "ΑΘΗΝΑΑΚΑΔΗΜΙΑΙ";
        QTest::newRow("ß") << "Schwimmclub Straße" << "SCHWIMMCLUB STRASSE" << "SCHWIMMCLUBSTRASSE";
    }
    void cleDUnNomEnCapitales()
    {
        QFETCH(QString, nom);
        QFETCH(QString, capitales);
        QFETCH(QString, cle);
        QCOMPARE(Echange::Cle_nom(nom), cle);
        QCOMPARE(Echange::Cle_nom(capitales), cle);
        QCOMPARE(Echange::Cle_nom(nom.toUpper()), cle);
        QCOMPARE(Echange::Cle_nom(nom.toLower()), cle);
    }

    // The runner's call must match: another member or another count of arguments is an error,
    // and a trace that cannot be written too (the runner then reports the missing trace).
    void appelsIncorrects()
    {
        const std::unique_ptr<Composant> c = Composants::creer("ClubExporter");
        QVERIFY(c);
        QVERIFY_THROWS_EXCEPTION(ErreurExecution, c->appeler("bImport_Club", {1, 2, 3, 4}));
        QVERIFY_THROWS_EXCEPTION(ErreurExecution, c->appeler("bExport_Club", {1, 2, 3}));
        QVERIFY_THROWS_EXCEPTION(ErreurExecution, c->appeler("bExport_Club", {"x", "y", "/dossier/absent/trace.txt", cible()}));
        // An export that fails writes why, and returns false.
        const ResultatAppel r = Appeler_composant("ClubExporter", "BEXPORT_CLUB", {m_rep->fichier("absente.mdb"), dossier("s"), trace(), cible()}, trace());
        QVERIFY(!r.resultat.toBool());
        QVERIFY(r.trace.contains("absente.mdb est introuvable"));
        QVERIFY(r.trace.contains("Echec : aucun fichier n'a été produit."));
        QVERIFY(QDir(dossier("s")).isEmpty());
    }
};

QTEST_MAIN(TstEchange)
#include "tst_echange.moc"
