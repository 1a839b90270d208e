// Report templates and the rich-text box: building and loading templates, replacing
// placeholders, styled writing, rich copies, saving and printing.

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/rapport.h"
#include "core/services.h"
#include "fixtures.h"
#include "outils_rtf.h"
#include "pdf_texte.h"
#include "port_test.h"
#include "sans_privileges.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// Stands in for the template component, counting its calls.
class ConstructeurFactice : public Composant {
public:
    explicit ConstructeurFactice(int* appels, bool echoue) : m_appels(appels), m_echoue(echoue) {}
    QVariant appeler(const QString&, const QVariantList&) override
    {
        ++*m_appels;
        if (m_echoue)
            throw ErreurExecution(70, "Permission refusée");
        return true;
    }

private:
    int* m_appels;
    bool m_echoue;
};

void ecrireFichier(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

QTextCharFormat formatA(BoiteRiche& boite, int position)
{
    QTextCursor c(boite.document());
    c.setPosition(position + 1);
    return c.charFormat();
}

bool monospace(const QTextCharFormat& f)
{
    return f.fontFixedPitch() && rtf::policeChasseFixe(rtf::famille(f, QFont()));
}

// QV_GARDER_SORTIES=folder keeps what the tests print and save, to look at.
void garder(const QString& fichier)
{
    const QString dossier = qEnvironmentVariable("QV_GARDER_SORTIES");
    if (!dossier.isEmpty()) {
        QFile::remove(dossier + "/" + QFileInfo(fichier).fileName());
        QFile::copy(fichier, dossier + "/" + QFileInfo(fichier).fileName());
    }
}

const QString kModeleBalises = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                               "{\\colortbl;\\red200\\green0\\blue0;}"
                               "\\pard\\qc\\f0\\fs28\\b\\cf1 <A>\\b0\\cf0  et \\f1\\fs20 <A>\\par"
                               "\\pard\\ql\\f1\\fs20 <CORPS>\\par}";

} // namespace

class TestRapport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void modelesConstruits_data();
    void modelesConstruits();
    void modelesResauvesParUnTraitementDeTexte_data();
    void modelesResauvesParUnTraitementDeTexte();
    void convocationBalisesAvantLeMessage();
    void modeleExistantJamaisReconstruit();
    void modeleDossierLectureSeule();
    void echecsModele_data();
    void echecsModele();
    void traceTexteBrut_data();
    void traceTexteBrut();

    void remplacerBalise();
    void ecritureStylee();
    void positionsEtRecherche();
    void copiesRiches();
    void allerRetourModeleRempli();

    void impressionPdf();
    void impressionAnnulee();
    void copiesEtOrdreDansUnFichier_data();
    void copiesEtOrdreDansUnFichier();
    void fenetreRapport();

private:
    void verifierModele(BoiteRiche& boite);
    std::unique_ptr<PortIhmTest> m_port;
    std::unique_ptr<RepertoireTest> m_rep;
};

void TestRapport::init()
{
    m_port = std::make_unique<PortIhmTest>();
    m_rep = std::make_unique<RepertoireTest>();
}

void TestRapport::cleanup()
{
    Composants::retirer_tout();
    Decharger_frm_tempo_rapport();
    m_rep.reset();
    m_port.reset();
}

void TestRapport::modelesConstruits_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QStringList>("balises");
    QTest::addColumn<QStringList>("enChasseFixe"); // the report's lines are written there
    QTest::addColumn<bool>("finEnChasseFixe");    // ... or from the end

    QTest::newRow("licences") << "rptlic" << "rptlic.rtf" << QStringList{"<NOM_PROFIL>", "<NOM_CLUB>", "<CODE_CLUB>"}
                              << QStringList{"<CODE_CLUB>"} << true;
    QTest::newRow("bordereau") << "bor_engag" << "bor_engag.rtf"
                               << QStringList{"<NOM_CLUB>", "<CODE_CLUB>", "<DATE_JOUR>", "<NOM_COMPET>",
                                              "<DATE_COMPET>", "<LIEU_COMPET>", "<BASSIN>", "<ENGAG_INDIV>",
                                              "<ENGAG_RELAIS>"}
                               << QStringList{"<ENGAG_INDIV>", "<ENGAG_RELAIS>"} << true;
    QTest::newRow("convocation") << "convo" << "convo.rtf"
                                 << QStringList{"<NOM_CLUB>", "<CODE_CLUB>", "<DATE_JOUR>", "<MSG_PERSO>",
                                                "<NOM_COMPET>", "<DATE_COMPET>", "<LIEU_COMPET>", "<BASSIN>",
                                                "<NOM_PISCINE>", "<ADRESSE_PISCINE>", "<VILLE_PISCINE>",
                                                "Programme :", "<PROG>", "<NAGEUR>", "<LICENCE>", "<ENGAG>",
                                                "<ENGAG_RELAIS>"}
                                 << QStringList{"<PROG>", "<ENGAG>", "<ENGAG_RELAIS>"} << false;
    QTest::newRow("resultats") << "rescompet" << "rescomp.rtf"
                               << QStringList{"<NOM_COMPET>", "<DATE_COMPET>", "<LIEU_COMPET>"} << QStringList{}
                               << true;
    QTest::newRow("performances") << "sperf" << "sperf.rtf" << QStringList{"<NOM_CLUB>", "<DATE_MAJ>"}
                                  << QStringList{"<DATE_MAJ>"} << true;
    QTest::newRow("records") << "rec" << "rec.rtf" << QStringList{"<NOM_CLUB>", "<DATE_MAJ>", "<TYPE_BASSIN>"}
                             << QStringList{} << true;
    QTest::newRow("points equipes") << "respts" << "respts.rtf"
                                    << QStringList{"<NOM_COMPET>", "<DATE_COMPET>", "<LIEU_COMPET>", "<BASSIN>"}
                                    << QStringList{} << false;
}

void TestRapport::verifierModele(BoiteRiche& boite)
{
    QFETCH(QStringList, balises);
    QFETCH(QStringList, enChasseFixe);
    QFETCH(bool, finEnChasseFixe);
    QCOMPARE(boite.debutSelection(), 0); // the caret starts at the top
    const QString texte = boite.texte();
    for (const QString& balise : balises)
        QVERIFY2(texte.count(balise) == 1, qPrintable(balise + " dans\n" + texte));
    for (const QString& balise : enChasseFixe)
        QVERIFY2(monospace(formatA(boite, texte.indexOf(balise))), qPrintable(balise));
    // Lines written from the end of the template take the format found there.
    Rtb_selectionner(boite, boite.longueur(), 0);
    QCOMPARE(monospace(boite.textCursor().charFormat()), finEnChasseFixe);
}

void TestRapport::modelesConstruits()
{
    QFETCH(QString, nom);
    QFETCH(QString, fichier);
    const QString chemin = m_rep->fichier(fichier);
    QVERIFY(!QFile::exists(chemin));
    BoiteRiche boite;
    QVERIFY(Construire_modele_impression(chemin, boite, nom, false));
    QVERIFY(QFile::exists(chemin));
    QVERIFY(m_port->appels().empty());
    garder(chemin);
    verifierModele(boite);
}

void TestRapport::modelesResauvesParUnTraitementDeTexte_data()
{
    modelesConstruits_data();
}

void TestRapport::modelesResauvesParUnTraitementDeTexte()
{
    // The templates as a word processor saves them again (style sheets, associated fonts, no
    // monospace family flag): loaded as they are, and read as the originals were.
    QFETCH(QString, nom);
    QFETCH(QString, fichier);
    int appels = 0;
    Composants::enregistrer("ReportTemplateBuilder",
                            [&appels] { return std::make_unique<ConstructeurFactice>(&appels, false); });
    const QString chemin = m_rep->fichier(fichier);
    QVERIFY(QFile::copy(QStringLiteral(QV_SOURCE_DIR "/tests/core/donnees/modeles_libreoffice/") + fichier, chemin));
    BoiteRiche resauve;
    QVERIFY(Construire_modele_impression(chemin, resauve, nom, false));
    QCOMPARE(appels, 0);
    verifierModele(resauve);

    Composants::retirer_tout();
    BoiteRiche original;
    QVERIFY(Construire_modele_impression(m_rep->fichier("original.rtf"), original, nom, false));
    QStringList attendu = signature(*original.document());
    QStringList lu = signature(*resauve.document());
    // Only the format of an empty last paragraph is lost on the way (nothing is written there
    // that does not bring its own).
    if (original.document()->lastBlock().length() == 1) {
        attendu.removeLast();
        lu.removeLast();
    }
    QCOMPARE(lu, attendu);
}

void TestRapport::convocationBalisesAvantLeMessage()
{
    // Placeholders are replaced at their first occurrence: those filled after the personal message
    // must come before it, or a message quoting one would be filled instead.
    BoiteRiche boite;
    QVERIFY(Construire_modele_impression(m_rep->fichier("convo.rtf"), boite, "convo", false));
    const QString texte = boite.texte();
    const qsizetype message = texte.indexOf("<MSG_PERSO>");
    for (const char* b : {"Programme :", "<PROG>", "<NOM_COMPET>", "<DATE_COMPET>", "<LIEU_COMPET>", "<BASSIN>",
                          "<NOM_PISCINE>", "<ADRESSE_PISCINE>", "<VILLE_PISCINE>", "<NAGEUR>", "<LICENCE>",
                          "<ENGAG>", "<ENGAG_RELAIS>"})
        QVERIFY2(texte.indexOf(b) < message, b);
}

void TestRapport::modeleExistantJamaisReconstruit()
{
    int appels = 0;
    Composants::enregistrer("ReportTemplateBuilder",
                            [&appels] { return std::make_unique<ConstructeurFactice>(&appels, false); });
    BoiteRiche boite;
    boite.ecrireTexte("ancien contenu");

    // An empty template is still the user's template.
    ecrireFichier(m_rep->fichier("rec.rtf"), QByteArray());
    QVERIFY(Construire_modele_impression(m_rep->fichier("rec.rtf"), boite, "rec", false));
    QCOMPARE(boite.texte(), QString());

    // A missing trace is not built and not reported.
    QVERIFY(!Construire_modele_impression(m_rep->fichier("traceexpimp.txt"), boite, "traceexpimp", true));
    QCOMPARE(appels, 0);
    QVERIFY(m_port->appels().empty());
}

// A read-only application folder (a shared installation): a missing template is built for the
// print in a work folder of the system's temporary folder, which goes with it.
void TestRapport::modeleDossierLectureSeule()
{
    REJOUER_SANS_PRIVILEGES();
    const ApplicationLectureSeule lectureSeule(m_rep->chemin());
    BoiteRiche boite;
    QVERIFY(Construire_modele_impression(m_rep->fichier("rescomp.rtf"), boite, "rescompet", false));
    QVERIFY2(boite.texte().contains("<NOM_COMPET>"), qPrintable(boite.texte()));
    QCOMPARE(m_port->messages(), QStringList());
    QVERIFY(!QFile::exists(m_rep->fichier("rescomp.rtf")));
    QCOMPARE(lectureSeule.systeme(), QStringList());
}

void TestRapport::echecsModele_data()
{
    QTest::addColumn<int>("composant"); // 0 cannot be created, 1 fails, 2 the real one
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("message");
    QTest::newRow("composant absent") << 0 << "convo" << "convo.rtf" << "Impossible de charger la dll qv_modeles.so !";
    QTest::newRow("composant en erreur")
        << 1 << "convo" << "convo.rtf"
        << "Erreur lors du chargement du modèle convo pour l'impression.\r\nErreur n° 70, Permission refusée";
    QTest::newRow("modele inconnu") << 2 << "inconnu" << "inconnu.rtf"
                                    << "Erreur lors du chargement du modèle inconnu pour l'impression.";
    QTest::newRow("dossier absent") << 2 << "convo" << "absent/convo.rtf"
                                    << "Erreur lors du chargement du modèle convo pour l'impression.";
}

void TestRapport::echecsModele()
{
    QFETCH(int, composant);
    QFETCH(QString, nom);
    QFETCH(QString, fichier);
    QFETCH(QString, message);
    int appels = 0;
    if (composant == 0)
        Composants::enregistrer("ReportTemplateBuilder", Composants::Fabrique());
    else if (composant == 1)
        Composants::enregistrer("ReportTemplateBuilder",
                                [&appels] { return std::make_unique<ConstructeurFactice>(&appels, true); });
    m_port->accepterMessagesOk(true);
    BoiteRiche boite;
    QVERIFY(!Construire_modele_impression(m_rep->fichier(fichier), boite, nom, false));
    QCOMPARE(m_port->messages().size(), 1);
    QVERIFY2(m_port->messages().first().startsWith(message), qPrintable(m_port->messages().first()));
    QCOMPARE(Err().numero, 0); // the message took the pending error
    QVERIFY(!QFile::exists(m_rep->fichier(fichier)));
}

void TestRapport::traceTexteBrut_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QString>("texte");
    QTest::newRow("utf-8") << QByteArray("Import terminé\r\n2 clubs créés\r\n") << QString::fromUtf8("Import terminé\n2 clubs créés\n");
    QTest::newRow("windows-1252") << QByteArray("Import termin\xe9\r\n") << QString::fromUtf8("Import terminé\n");
    QTest::newRow("bom utf-8") << QByteArray("\xEF\xBB\xBFligne") << "ligne";
}

void TestRapport::traceTexteBrut()
{
    QFETCH(QByteArray, octets);
    QFETCH(QString, texte);
    const QString chemin = m_rep->fichier("traceexpimp.txt");
    ecrireFichier(chemin, octets);
    BoiteRiche boite;
    QVERIFY(Construire_modele_impression(chemin, boite, "traceexpimp", true));
    QCOMPARE(boite.texte(), texte);
}

void TestRapport::remplacerBalise()
{
    BoiteRiche boite;
    boite.setRtf(kModeleBalises.toLatin1());
    QCOMPARE(boite.texte(), QString("<A> et <A>\n<CORPS>"));

    // First occurrence only, found whatever its case, the value taking the placeholder's format.
    Rtb_remplacer_balise(boite, "<a>", "Valeur", 0);
    QCOMPARE(boite.texte(), QString("Valeur et <A>\n<CORPS>"));
    QCOMPARE(boite.textCursor().position(), 6);
    QCOMPARE(formatTexte(formatA(boite, 0), QFont()), QString("Arial 14 gras #c80000"));
    QCOMPARE(formatTexte(formatA(boite, 5), QFont()), QString("Arial 14 gras #c80000"));

    // Replaced by nothing, the placeholder leaves the caret with its format for what follows.
    Rtb_remplacer_balise(boite, "<CORPS>", "", 0);
    QCOMPARE(boite.textCursor().position(), 14);
    Rtb_ecrire(boite, "ligne\r\n", 0);
    Rtb_ecrire(boite, "suite", 0);
    QCOMPARE(boite.texte(), QString("Valeur et <A>\nligne\nsuite"));
    QCOMPARE(formatTexte(formatA(boite, 20), QFont()), QString("Courier New 10"));
    QVERIFY(formatA(boite, 20).fontFixedPitch());

    // From a start beyond the first, and absent: the value lands at the selection.
    Rtb_remplacer_balise(boite, "<A>", "Deux", 7);
    QCOMPARE(boite.texte(), QString("Valeur et Deux\nligne\nsuite"));
    boite.selectionner(0, 6);
    Rtb_remplacer_balise(boite, "<ABSENT>", "Autre", 0);
    QCOMPARE(boite.texte(), QString("Autre et Deux\nligne\nsuite"));
}

void TestRapport::ecritureStylee()
{
    BoiteRiche boite;
    boite.setRtf("{\\rtf1{\\fonttbl{\\f0\\fmodern Courier New;}}\\f0\\fs20 }");
    Rtb_ecrire(boite, "a", 12);
    Rtb_ecrire_gras(boite, 0, "b");
    Rtb_ecrire_souligne(boite, 10, "c");
    Rtb_ecrire_style(boite, 0, "d", true, true);
    Rtb_ecrire_style(boite, 0, "e", false, true);
    Rtb_ecrire(boite, "f\r\ng\rh\ni", 0);
    QVERIFY(!boite.gras() && !boite.souligne());
    Rtb_set_gras(boite, true);
    QVERIFY(boite.gras());
    Rtb_set_taille(boite, 0); // keeps the size
    Rtb_ecrire(boite, "j", 0);
    const QStringList attendu = {
        "[gauche li=0] a{Courier New 12}b{Courier New 12 gras}c{Courier New 10 souligne}d{Courier New 10 gras souligne}"
        "e{Courier New 10 souligne}f{Courier New 10}",
        "[gauche li=0] g{Courier New 10}",
        "[gauche li=0] h{Courier New 10}",
        "[gauche li=0] i{Courier New 10}j{Courier New 10 gras}",
    };
    QCOMPARE(signature(*boite.document()), attendu);

    // Setting a format on a selection changes the selection, and what is typed over it.
    boite.selectionner(0, 1);
    Rtb_set_souligne(boite, true);
    QCOMPARE(formatTexte(formatA(boite, 0), QFont()), QString("Courier New 12 souligne"));
    Rtb_ecrire(boite, "A", 0);
    QCOMPARE(formatTexte(formatA(boite, 0), QFont()), QString("Courier New 12 souligne"));
}

void TestRapport::positionsEtRecherche()
{
    BoiteRiche boite;
    Rtb_ecrire(boite, "un\r\ndeux", 0);
    QCOMPARE(boite.longueur(), 7); // a paragraph break counts one
    QCOMPARE(boite.chercher("DEUX", 0), 3);
    QCOMPARE(boite.longueurSelection(), 4);
    QCOMPARE(boite.chercher("un", 1), -1);
    QCOMPARE(boite.debutSelection(), 3); // left as it was
    Rtb_selectionner(boite, 5, 100);
    QCOMPARE(boite.debutSelection(), 5);
    QCOMPARE(boite.longueurSelection(), 2);
    Rtb_selectionner(boite, -4, -1);
    QCOMPARE(boite.debutSelection(), 0);
    QCOMPARE(boite.longueurSelection(), 0);
}

void TestRapport::copiesRiches()
{
    // The personal message: centred italic, then a right-aligned line, ending with a break.
    BoiteRiche message;
    message.setAlignement(Qt::AlignHCenter);
    message.setItalique(true);
    message.ecrireTexte("Bonjour");
    message.setItalique(false);
    message.ecrireTexte("\r\n");
    message.setAlignement(Qt::AlignRight);
    message.setCouleur(QColor(255, 0, 0));
    message.ecrireTexte("Signé\r\n");
    message.selectionner(0, message.longueur());

    BoiteRiche modele;
    modele.setRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fmodern Courier New;}}\\f0\\fs20 Avant\\par <MSG_PERSO>\\par"
                  "\\pard\\qc Apr\\'e8s\\par\\pard\\f1\\fs16\\par}");
    QVERIFY(modele.chercher("<MSG_PERSO>", 0) >= 0);
    modele.remplacerSelectionParSelection(message);
    // The caret is after the message; its closing break is the one to remove.
    QCOMPARE(modele.textCursor().position(), 6 + message.longueur());
    modele.supprimerSautDeLigne();
    QCOMPARE(modele.texte(), QString::fromUtf8("Avant\nBonjour\nSigné\nAprès\n"));
    const QStringList signe = signature(*modele.document());
    QCOMPARE(signe.at(1).left(9), QString("[centre l"));
    QVERIFY2(signe.at(1).contains("italique"), qPrintable(signe.at(1)));
    QVERIFY2(signe.at(2).startsWith("[droite") && signe.at(2).contains("#ff0000"), qPrintable(signe.at(2)));
    QVERIFY2(signe.at(3).startsWith("[centre"), qPrintable(signe.at(3)));

    // The same through RTF (the message's selection as rich text).
    BoiteRiche parRtf;
    parRtf.setRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fmodern Courier New;}}\\f0\\fs20 Avant\\par <MSG_PERSO>\\par"
                  "\\pard\\qc Apr\\'e8s\\par\\pard\\f1\\fs16\\par}");
    parRtf.chercher("<MSG_PERSO>", 0);
    parRtf.remplacerSelectionParRtf(message.rtfSelection());
    parRtf.supprimerSautDeLigne();
    QCOMPARE(signature(*parRtf.document()), signature(*modele.document()));

    // The whole template copied for each letter, its last empty paragraph's size included.
    BoiteRiche lettre;
    lettre.ecrireTexte("lettre précédente");
    lettre.copierDocument(modele);
    QCOMPARE(signature(*lettre.document()), signature(*modele.document()));
    QCOMPARE(lettre.textCursor().position(), 0);

    // A line break inside a paragraph is a break too.
    BoiteRiche lignes;
    lignes.ecrireTexte("a");
    lignes.ecrireTexte(QString(QChar(QChar::LineSeparator)) + "b\r\nc");
    lignes.selectionner(1, 0);
    lignes.supprimerSautDeLigne();
    QCOMPARE(lignes.texte(), QString("ab\nc"));
    lignes.selectionner(lignes.longueur(), 0);
    lignes.supprimerSautDeLigne(); // none left after the caret
    QCOMPARE(lignes.texte(), QString("ab\nc"));

    lettre.vider();
    QCOMPARE(lettre.longueur(), 0);
}

void TestRapport::allerRetourModeleRempli()
{
    BoiteRiche boite;
    QVERIFY(Construire_modele_impression(m_rep->fichier("convo.rtf"), boite, "convo", false));
    Rtb_remplacer_balise(boite, "<NOM_CLUB>", QString::fromUtf8("Cercle des nageurs d'Arçon"), 0);
    Rtb_remplacer_balise(boite, "<CODE_CLUB>", "0123456789012", 0);
    Rtb_remplacer_balise(boite, "<DATE_JOUR>", "5 mars 2024", 0);
    Rtb_remplacer_balise(boite, "<ENGAG>", "", 0);
    Rtb_ecrire(boite, "100 Nage Libre            1:02.35 \r\n", 0);
    Rtb_ecrire_souligne(boite, 0, "Equipe 1 Mixte\r\n");
    Rtb_ecrire_gras(boite, 8, "{accolades} \\ et tab\t€\r\n");
    Rtb_set_taille(boite, 10);
    // The reply coupon: scissors in a symbol font, then a row of dashes.
    Rtb_selectionner(boite, boite.longueur(), 0);
    boite.setPolice("Wingdings");
    Rtb_ecrire(boite, "\r\n\"", 0);
    boite.setPolice("Courier News");
    Rtb_ecrire(boite, QString(70, '-') + "\r\n\r\n", 0);
    boite.setCouleur(QColor(0, 128, 0));
    boite.setItalique(true);
    Rtb_ecrire(boite, QString::fromUtf8("Nageur  : Zoé Ünal"), 0);
    QVERIFY(boite.texte().contains(QChar(0x2702)));

    const QString chemin = m_rep->fichier("convocation.rtf");
    QVERIFY(Rtb_imprimer(boite, nullptr, chemin, false));
    BoiteRiche relue;
    relue.chargerFichier(chemin);
    QCOMPARE(relue.texte(), boite.texte());
    QCOMPARE(signature(*relue.document()), signature(*boite.document()));
    garder(chemin);
    // Saving again gives the same file.
    const QString second = m_rep->fichier("convocation2.rtf");
    Rtb_imprimer(relue, nullptr, second, false);
    QFile a(chemin), b(second);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());

    // An unwritable path is an error for the caller's handler.
    QVERIFY_THROWS_EXCEPTION(ErreurExecution, Rtb_imprimer(boite, nullptr, m_rep->fichier("absent/x.rtf"), false));
}

void TestRapport::impressionPdf()
{
    BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
    QVERIFY(Construire_modele_impression(m_rep->fichier("rptlic.rtf"), boite, "rptlic", false));
    Rtb_remplacer_balise(boite, "<NOM_PROFIL>", "Saison 2024", 0);
    Rtb_remplacer_balise(boite, "<NOM_CLUB>", "Les Dauphins", 0);
    Rtb_remplacer_balise(boite, "<CODE_CLUB>", "0123456789012", 0);
    Rtb_selectionner(boite, boite.longueur(), 0);
    Rtb_ecrire(boite, "\r\n", 0);
    // The widest list line the program writes: 82 characters in the template's monospace font.
    const QStringList lignes = {
        "DURAND-LEFEBVRE DE LA TOUR JEANNE-MARIE         04123F FRANCAIS   F    1/03/2004",
        "MARTIN                   LUC                  01345C   FRA        M    5/03/2001",
        "IIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIIII",
        "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
    };
    for (const QString& l : lignes)
        Rtb_ecrire(boite, l + "\r\n", 0);
    for (int i = 0; i < 70; ++i) // enough for a second page
        Rtb_ecrire(boite, QString("Ligne %1").arg(i, 3) + "\r\n", 0);
    boite.selectionner(10, 3);

    const QString pdf = m_rep->fichier("rptlic.pdf");
    m_port->repondreImprimante(true, pdf);
    QVERIFY(Rtb_imprimer(boite, nullptr, QString(), true));
    QCOMPARE(boite.debutSelection(), 10);
    QCOMPARE(boite.longueurSelection(), 3);
    QVERIFY(QFile::exists(pdf));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    f.close();
    // The box itself got the print indent.
    QCOMPARE(qRound(boite.document()->lastBlock().blockFormat().leftMargin() * 15), 200);
    garder(pdf);

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext absent: the printed layout is not checked");
    QProcess p;
    p.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(p.waitForFinished(30000));
    const QString texte = QString::fromUtf8(p.readAllStandardOutput());
    // Every list line printed whole on one line: no wrap, nothing cut.
    for (const QString& l : lignes)
        QVERIFY2(texte.contains(l), qPrintable(l + "\n---\n" + texte));
    // Two pages, and no page number printed at their foot.
    QCOMPARE(texte.count('\f'), 2);
    for (const QString& ligne : texte.split('\n'))
        QVERIFY2(!QRegularExpression("^\\s*\\d+\\s*$").match(ligne).hasMatch(), qPrintable(ligne));
}

void TestRapport::impressionAnnulee()
{
    BoiteRiche boite;
    boite.ecrireTexte("rien");
    m_port->repondreImprimante(false);
    QVERIFY(!Rtb_imprimer(boite, nullptr, QString(), true));
    QCOMPARE(m_port->messages().size(), 0);
    QCOMPARE(boite.document()->firstBlock().blockFormat().leftMargin(), 0.0);
}

// A file has no printer to make the copies or turn the pages: they are made as the dialog asked.
void TestRapport::copiesEtOrdreDansUnFichier_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("assembler");
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("de"); // 0: every page
    QTest::addColumn<int>("a");
    QTest::addColumn<QString>("pages");
    QTest::newRow("une copie") << 1 << true << false << 0 << 0 << "ABC";
    QTest::newRow("deux copies assemblées") << 2 << true << false << 0 << 0 << "ABCABC";
    QTest::newRow("deux copies non assemblées") << 2 << false << false << 0 << 0 << "AABBCC";
    QTest::newRow("ordre inverse") << 1 << true << true << 0 << 0 << "CBA";
    QTest::newRow("inverse, deux copies") << 2 << true << true << 0 << 0 << "CBACBA";
    QTest::newRow("pages 2 à 3, deux copies, inverse") << 2 << false << true << 2 << 3 << "CCBB";
}

void TestRapport::copiesEtOrdreDansUnFichier()
{
    QFETCH(int, copies);
    QFETCH(bool, assembler);
    QFETCH(bool, inverse);
    QFETCH(int, de);
    QFETCH(int, a);
    QFETCH(QString, pages);
    BoiteRiche boite;
    for (const char* epreuve : {"EPREUVE A", "EPREUVE B", "EPREUVE C"}) {
        QTextDocument page;
        page.setPlainText(epreuve);
        boite.ajouterPage(page);
    }
    const QString pdf = m_rep->fichier("copies.pdf");
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(pdf);
    imprimante.setCopyCount(copies);
    imprimante.setCollateCopies(assembler);
    imprimante.setPageOrder(inverse ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
    if (de > 0)
        imprimante.setFromTo(de, a);
    QVERIFY(Rtb_imprimer(boite, &imprimante, QString(), true));
    QString lues;
    for (const QString& texte : Pages_texte_pdf(pdf)) {
        const QRegularExpressionMatch m = QRegularExpression("EPREUVE (\\w)").match(texte);
        lues += m.hasMatch() ? m.captured(1) : QString("?");
    }
    QCOMPARE(lues, pages);
}

void TestRapport::fenetreRapport()
{
    QVERIFY(!frm_tempo_rapport_charge());
    frm_tempo_rapport& f = Charger_frm_tempo_rapport();
    QCOMPARE(&Charger_frm_tempo_rapport(), &f);
    QCOMPARE(f.objectName(), QString("frm_tempo_rapport"));
    QCOMPARE(f.findChild<BoiteRiche*>("rich"), f.rich);
    QCOMPARE(f.findChild<BoiteRiche*>("rich_modele"), f.rich_modele);
    QVERIFY(!f.isVisible());
    Rtb_ecrire(*f.rich, "x", 0);
    Decharger_frm_tempo_rapport();
    QVERIFY(!frm_tempo_rapport_charge());
    QCOMPARE(Charger_frm_tempo_rapport().rich->longueur(), 0);
}

QTEST_MAIN(TestRapport)
#include "tst_rapport.moc"
