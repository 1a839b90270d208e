// List helpers: finding, removing and moving rows keeps the hidden key lists in step, and
// what leaves a list (SQL conditions, export files) is written safely.

#include "core/base.h"
#include "core/listes.h"
#include "core/services.h"
#include "fixtures.h"
#include "port_test.h"

#include <QComboBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Rows "text|sub1|sub2".
void remplir(QTreeWidget& liste, const QStringList& lignes)
{
    liste.clear();
    liste.setColumnCount(3);
    for (const QString& l : lignes)
        Ajouter_ligne(&liste, l.split('|'));
}

QStringList textes(QTreeWidget& liste, int colonne = 0)
{
    QStringList t;
    for (int i = 1; i <= Nombre_lignes(&liste); ++i)
        t << Ligne(&liste, i)->text(colonne);
    return t;
}
} // namespace

class TstListes : public QObject {
    Q_OBJECT
private slots:
    void chercherElement_data();
    void chercherElement();
    void retirerSelectionGardeLesListesParalleles();
    void deplacerElements();
    void selectionnerEtAfficher();
    void comboEquipes();
    void progression_data();
    void progression();
    void remplirListesDepuisUneRequete();
    void filtreSelectionDoubleLesApostrophes();
    void exporterListe();
    void exporterListeEchoueProprement();
    void colonnesALaMesureDesValeurs();
    void colonneALaMesureDuTexteLePlusLarge_data();
    void colonneALaMesureDuTexteLePlusLarge();
    void fenetreElargiePourSesColonnes();
    void listeCacheeMesureeQuandElleParait();
    void colonnesAligneesPourToutesLesLignes();
};

void TstListes::chercherElement_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("partiel");
    QTest::addColumn<int>("sousElement");
    QTest::addColumn<int>("debut");
    QTest::addColumn<int>("attendu");
    QTest::newRow("texte exact") << "Dupont" << 0 << 0 << 1 << 2;
    QTest::newRow("casse ignoree") << "DUPONT" << 0 << 0 << 1 << 2;
    QTest::newRow("debut de texte refuse en entier") << "Dup" << 0 << 0 << 1 << -1;
    QTest::newRow("debut de texte partiel") << "dup" << 1 << 0 << 1 << 2;
    QTest::newRow("a partir de la ligne 3") << "dup" << 1 << 0 << 3 << 4;
    QTest::newRow("depart hors liste") << "dup" << 1 << 0 << 9 << 2;
    QTest::newRow("sous-element") << "50 NL Dames" << 0 << 1 << 0 << 3;
    QTest::newRow("sous-element partiel") << "100" << 1 << 1 << 1 << 4;
    QTest::newRow("deuxieme sous-element") << "k4" << 0 << 2 << 1 << 4;
    QTest::newRow("sous-element absent") << "400 NL" << 0 << 1 << 0 << -1;
}

void TstListes::chercherElement()
{
    QFETCH(QString, texte);
    QFETCH(int, partiel);
    QFETCH(int, sousElement);
    QFETCH(int, debut);
    QFETCH(int, attendu);
    QTreeWidget liste;
    remplir(liste, {"Martin|25 NL|k1", "Dupont|50 NL|k2", "Durand|50 NL Dames|k3", "Dupuis|100 NL|k4"});
    liste.setCurrentItem(Ligne(&liste, 1));
    QCOMPARE(Chercher_element(texte, &liste, partiel, sousElement, debut), attendu);
    QCOMPARE(Chercher_element_texte(texte, &liste, partiel, sousElement), attendu == -1 ? 1 : Chercher_element(texte, &liste, partiel, sousElement, 1));
    QTreeWidget vide;
    QCOMPARE(Chercher_element(texte, &vide, partiel, sousElement, debut), -1);
}

void TstListes::retirerSelectionGardeLesListesParalleles()
{
    // The visible list holds the key in its second column; the hidden one decides.
    QTreeWidget visible, cles, retires;
    visible.setSelectionMode(QAbstractItemView::ExtendedSelection);
    cles.setSelectionMode(QAbstractItemView::ExtendedSelection);
    remplir(visible, {"Un|11", "Deux|12", "Trois|13", "Quatre|14"});
    remplir(cles, {"a", "b", "c", "d"});
    QPushButton bouton;
    Ligne(&cles, 2)->setSelected(true);
    Ligne(&cles, 3)->setSelected(true);
    cles.setCurrentItem(Ligne(&cles, 3), 0, QItemSelectionModel::NoUpdate);

    QCOMPARE(Retirer_selection(&visible, &cles, &retires, &bouton, false, 2), QString("12, 13"));
    QCOMPARE(textes(visible), (QStringList{"Un", "Quatre"}));
    QCOMPARE(textes(cles), (QStringList{"a", "d"}));
    QCOMPARE(textes(retires), (QStringList{"12", "13"}));
    QVERIFY(bouton.isEnabled());
    QCOMPARE(cles.selectedItems().size(), 1);

    for (int i = 1; i <= 2; ++i)
        Ligne(&cles, i)->setSelected(true);
    QCOMPARE(Retirer_selection(&visible, &cles, nullptr, &bouton, false, 1), QString("Un, Quatre"));
    QCOMPARE(Nombre_lignes(&visible), 0);
    QCOMPARE(Nombre_lignes(&cles), 0);
    QVERIFY(!bouton.isEnabled());
    QCOMPARE(cles.focusPolicy(), Qt::ClickFocus);
}

void TstListes::deplacerElements()
{
    QTreeWidget liste;
    remplir(liste, {"A|1", "B|2", "C|3"});
    liste.setCurrentItem(Ligne(&liste, 1));
    Deplacer_elements(&liste, 1, -1);
    QCOMPARE(textes(liste), (QStringList{"A", "B", "C"}));
    liste.setCurrentItem(Ligne(&liste, 2));
    Deplacer_elements(&liste, Nombre_lignes(&liste), +1);
    QCOMPARE(textes(liste), (QStringList{"A", "C", "B"}));
    QCOMPARE(textes(liste, 1), (QStringList{"1", "3", "2"}));
    QCOMPARE(Ligne_courante(&liste), 3);
    QVERIFY(Ligne(&liste, 3)->isSelected());
    Deplacer_elements(&liste, Nombre_lignes(&liste), +1);
    QCOMPARE(textes(liste), (QStringList{"A", "C", "B"}));

    QTreeWidget copie;
    QCOMPARE(Copier_element(&liste, &copie, 2), 1);
    QCOMPARE(Ligne(&copie, 1)->text(1), QString("3"));
}

void TstListes::selectionnerEtAfficher()
{
    QTreeWidget liste, cles;
    remplir(liste, {"Alpha", "Beta", "Gamma"});
    remplir(cles, {"x", "y", "z"});
    Selectionner_element(&liste, 0); // no current row: row 1
    QCOMPARE(Ligne_courante(&liste), 1);
    QVERIFY(Ligne(&liste, 1)->isSelected());
    QCOMPARE(Selectionner_par_texte("ga", &liste, &cles), 3);
    QCOMPARE(Ligne_courante(&cles), 3);
    QCOMPARE(Selectionner_par_texte("zz", &liste, &cles), -1);
    Selectionner_tous(&liste, &cles);
    QCOMPARE(Ligne_courante(&cles), 1);
    // A double click's handler may move the selection; the current row is selected again.
    liste.setCurrentItem(Ligne(&liste, 2));
    liste.clearSelection();
    Garder_selection(&liste);
    QCOMPARE(liste.selectedItems(), QList<QTreeWidgetItem*>{Ligne(&liste, 2)});
}

void TstListes::comboEquipes()
{
    QComboBox combo;
    Remplir_combo_equipes(&combo, "2", "0", "1", "Equipe 2 Homme");
    QStringList entrees;
    for (int i = 0; i < combo.count(); ++i)
        entrees << combo.itemText(i);
    QCOMPARE(entrees, (QStringList{"Individuel", "Equipe 1 Homme", "Equipe 2 Homme", "Equipe 1 Mixte"}));
    QCOMPARE(combo.currentText(), QString("Equipe 2 Homme"));
    Remplir_combo_equipes(&combo, "1", "1", "", "Equipe 3 Femme");
    QCOMPARE(combo.count(), 3);
    QCOMPARE(combo.currentText(), QString("Individuel"));
}

void TstListes::progression_data()
{
    QTest::addColumn<int>("depart");
    QTest::addColumn<double>("pas");
    QTest::addColumn<int>("pas_repetes");
    QTest::addColumn<int>("attendu");
    QTest::newRow("95 + 10") << 95 << 10.0 << 1 << 100;
    QTest::newRow("90 + 10") << 90 << 10.0 << 1 << 100;
    QTest::newRow("80 + 10") << 80 << 10.0 << 1 << 90;
    QTest::newRow("petits pas cumules") << 0 << 0.25 << 8 << 2;
}

void TstListes::progression()
{
    QFETCH(int, depart);
    QFETCH(double, pas);
    QFETCH(int, pas_repetes);
    QFETCH(int, attendu);
    QProgressBar barre;
    barre.setValue(depart);
    for (int i = 0; i < pas_repetes; ++i)
        Avancer_progression(&barre, pas);
    QCOMPARE(barre.value(), attendu);
}

void TstListes::remplirListesDepuisUneRequete()
{
    BaseTest base;
    base.executer("CREATE TABLE T (num INTEGER, nom TEXT, club TEXT)");
    base.executer("INSERT INTO T VALUES (1, 'L''Isle', 'A'), (2, 'Brest', 'B')");
    QTreeWidget visible, cles, sansColonnes;
    Ajouter_ligne(&visible, {"ancienne"});
    Remplir_listes("SELECT num, nom, club FROM T ORDER BY num", {&visible, &cles, &sansColonnes}, {{1, 2}, {0}, {}}, "'");
    QCOMPARE(textes(visible), (QStringList{"LIsle", "Brest"}));
    QCOMPARE(textes(visible, 1), (QStringList{"A", "B"}));
    QCOMPARE(textes(cles), (QStringList{"1", "2"}));
    QCOMPARE(Nombre_lignes(&sansColonnes), 0);

    Remplir_listes("SELECT num, nom FROM T WHERE num > 9", {&visible, &cles}, {{1}, {0}}, "");
    QCOMPARE(Nombre_lignes(&visible), 0);
    QCOMPARE(Nombre_lignes(&cles), 0);

    QComboBox combo;
    combo.addItem("ancienne");
    Remplir_combo_requete(&combo, "SELECT nom FROM T ORDER BY nom");
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(1), QString("L'Isle"));
}

void TstListes::filtreSelectionDoubleLesApostrophes()
{
    QTreeWidget liste;
    remplir(liste, {"12", "O'Neil"});
    QString texte = "x", nombre = "y";
    Filtre_selection(&liste, texte, nombre, "Code", "Num");
    QCOMPARE(texte, QString("Code = '12' or Code = 'O''Neil'"));
    QCOMPARE(nombre, QString("Num = 12 or Num = O'Neil"));
    liste.clear();
    Filtre_selection(&liste, texte, nombre, "Code", "Num");
    QVERIFY(texte.isEmpty() && nombre.isEmpty());
}

void TstListes::exporterListe()
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("liste.txt");
    QTreeWidget liste;
    liste.setHeaderLabels({"Nom", "Épreuve", "Temps"});
    Exporter_liste(chemin, &liste, QString());
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(), QByteArray("Nom\t\xc9preuve\tTemps\r\n"));
    fichier.close();

    Ajouter_ligne(&liste, {"Hélène", "50 NL", "28.75"});
    Ajouter_ligne(&liste, {"Zoë", "", "1:05.32 €"});
    Exporter_liste(chemin, &liste, "Records");
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    QCOMPARE(fichier.readAll(), QByteArray("Records\r\nNom\t\xc9preuve\tTemps\r\n"
                                           "H\xe9l\xe8ne\t50 NL\t28.75\r\n"
                                           "Zo\xeb\t\t1:05.32 \x80\r\n"));
}

void TstListes::exporterListeEchoueProprement()
{
    PortIhmTest port;
    port.accepterMessagesOk(true);
    QTreeWidget liste;
    Exporter_liste("/nonexistent-folder/liste.txt", &liste, QString());
    QCOMPARE(port.messages().size(), 1);
    QVERIFY(port.messages()[0].startsWith("Une erreur s'est produite lors de l'écriture du fichier.\r\nErreur n° "));
    QCOMPARE(port.appels().front().titre, QString("Erreur"));
}

// A column is as wide as the window says, and never less than its values and heading need,
// also when the window narrows it again or rows come later.
void TstListes::colonnesALaMesureDesValeurs()
{
    QWidget fenetre;
    QTreeWidget* liste = Creer_liste_rapport(&fenetre, "liste", {"Nom", "Pts", "Temps", "Date"});
    liste->header()->setStretchLastSection(false);
    fenetre.resize(600, 300);
    liste->resize(600, 300);
    fenetre.show();
    const QList<int> largeurs = {200, 36, 30, 20};
    for (int c = 0; c < largeurs.size(); ++c)
        liste->setColumnWidth(c, largeurs[c]);
    Ajouter_ligne(liste, {"ALBERT Jean", "1102", "11:23.45", "20 septembre 2025"});
    QCoreApplication::processEvents();
    const auto besoin = [liste](const QString& texte) {
        return liste->fontMetrics().horizontalAdvance(texte) + 2 * (liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    };
    QCOMPARE(liste->columnWidth(0), 200); // wider than its value: as given
    QVERIFY(liste->columnWidth(1) >= besoin("1102"));
    QVERIFY(liste->columnWidth(2) >= besoin("11:23.45"));
    QVERIFY(liste->columnWidth(3) >= besoin("20 septembre 2025"));
    QVERIFY(liste->columnWidth(3) >= liste->header()->sectionSizeHint(3));

    // Narrowed by the window, widened again; a later, wider value widens its column.
    liste->setColumnWidth(1, 10);
    Ajouter_ligne(liste, {"B", "1", "1:02:03.45", "1 janvier 2025"});
    QCoreApplication::processEvents();
    QVERIFY(liste->columnWidth(1) >= besoin("1102"));
    QVERIFY(liste->columnWidth(2) >= besoin("1:02:03.45"));
}

// Among many values the widest one sets the column, whatever its number of characters: narrow
// and wide letters mixed, many values of about the same width, a few scripts laid out whole.
void TstListes::colonneALaMesureDuTexteLePlusLarge_data()
{
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("lignes");
    QTest::newRow("lettres étroites et larges") << QString("iIl1.,:WMmw ") << 400;
    QTest::newRow("capitales") << QString("ABCDEFGHIJKLMNOPQRSTUVWXYZ -") << 400;
    QTest::newRow("chiffres, largeurs égales") << QString("0123456789") << 300;
    QTest::newRow("accents et autres écritures") << QString::fromUtf8("éèêàçÉÈŒœßжЖשלוםاب") << 200;
}

void TstListes::colonneALaMesureDuTexteLePlusLarge()
{
    QFETCH(QString, alphabet);
    QFETCH(int, lignes);
    QWidget fenetre;
    QTreeWidget* liste = Creer_liste_rapport(&fenetre, "liste", {"Nom", "Fin"});
    liste->setColumnWidth(0, 10);
    QRandomGenerator hasard(42);
    int plusLarge = 0;
    for (int i = 0; i < lignes; ++i) {
        QString texte;
        for (int n = 5 + int(hasard.bounded(20)); n > 0; --n)
            texte += alphabet.at(int(hasard.bounded(int(alphabet.size()))));
        plusLarge = std::max(plusLarge, liste->fontMetrics().horizontalAdvance(texte));
        Ajouter_ligne(liste, {texte, "x"});
    }
    fenetre.show();
    QCoreApplication::processEvents();
    const int marges = 2 * (liste->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    QVERIFY2(liste->columnWidth(0) >= plusLarge + marges,
             qPrintable(QString("%1 < %2").arg(liste->columnWidth(0)).arg(plusLarge + marges)));
}

// A window whose list gets values its columns cannot show within it grows to show them; the user
// narrowing it afterwards is left alone.
void TstListes::fenetreElargiePourSesColonnes()
{
    QWidget fenetre;
    auto* colonne = new QVBoxLayout(&fenetre);
    QTreeWidget* liste = Creer_liste_rapport(&fenetre, "liste", {"Code Club", "Libellé Club"});
    colonne->addWidget(liste);
    liste->setColumnWidth(0, 120);
    fenetre.resize(300, 200);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    // Enough rows for the vertical scroll bar.
    for (int i = 0; i < 30; ++i)
        Ajouter_ligne(liste, {QString("FRA13200%1").arg(i, 5, 10, QChar('0')), "NATATION CLUB DE SAINT-GERMAIN"});
    QTest::qWait(50);
    const auto fin = [liste] { return liste->header()->sectionViewportPosition(1) + liste->columnWidth(1); };
    QVERIFY2(fin() <= liste->viewport()->width(),
             qPrintable(QString("%1 > %2").arg(fin()).arg(liste->viewport()->width())));
    QVERIFY(fenetre.width() > 300);

    fenetre.resize(300, 200);
    QTest::qWait(50);
    QCOMPARE(fenetre.width(), 300);
}

// A list hidden on purpose, keys kept beside a visible list, costs no measuring while hidden and
// shows its values whole once it shows.
void TstListes::listeCacheeMesureeQuandElleParait()
{
    QWidget fenetre;
    QTreeWidget* liste = Creer_liste_rapport(&fenetre, "cles", {"Cle"});
    liste->header()->setStretchLastSection(false);
    liste->setColumnWidth(0, 10);
    liste->hide();
    fenetre.resize(500, 200);
    fenetre.show();
    const int avant = liste->columnWidth(0);
    Ajouter_ligne(liste, {"NATATION CLUB DE SAINT-GERMAIN"});
    QCoreApplication::processEvents();
    QCOMPARE(liste->columnWidth(0), avant);
    liste->show();
    QCoreApplication::processEvents();
    QVERIFY(liste->columnWidth(0) >= liste->fontMetrics().horizontalAdvance("NATATION CLUB DE SAINT-GERMAIN"));
}

// Columns aligned once for the list show every row's value centred, as painted; a cell given its
// own alignment keeps it.
void TstListes::colonnesAligneesPourToutesLesLignes()
{
    QWidget fenetre;
    QTreeWidget* liste = Creer_liste_rapport(&fenetre, "liste", {"Nom", "Jour"});
    liste->setFocusPolicy(Qt::NoFocus);
    liste->header()->setStretchLastSection(false);
    Aligner_colonnes(liste, 1, Qt::AlignHCenter | Qt::AlignVCenter);
    QTreeWidgetItem* centree = Ajouter_ligne(liste, {"A", "X"});
    QTreeWidgetItem* aGauche = Ajouter_ligne(liste, {"B", "X"});
    aGauche->setTextAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
    liste->resize(400, 200);
    fenetre.resize(400, 200);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
    liste->setColumnWidth(1, 200);
    QCoreApplication::processEvents();
    const QImage image = liste->viewport()->grab().toImage();
    // Where the ink of the column's value lies, from the column's left edge.
    const auto milieu = [&](QTreeWidgetItem* ligne) {
        const QRect rangee = liste->visualItemRect(ligne);
        const int gauche = liste->header()->sectionViewportPosition(1);
        int premier = -1;
        int dernier = -1;
        const qreal ratio = image.devicePixelRatio();
        for (int x = gauche + 1; x < gauche + liste->columnWidth(1) - 1; ++x) {
            for (int y = rangee.top() + 2; y < rangee.bottom() - 1; ++y) {
                if (qGray(image.pixel(int(x * ratio), int(y * ratio))) < 128) {
                    dernier = x;
                    if (premier < 0)
                        premier = x;
                }
            }
        }
        return premier < 0 ? -1 : (premier + dernier) / 2 - gauche;
    };
    QVERIFY2(qAbs(milieu(centree) - 100) <= 6, qPrintable(QString::number(milieu(centree))));
    QVERIFY2(milieu(aGauche) >= 0 && milieu(aGauche) < 30, qPrintable(QString::number(milieu(aGauche))));
}

QTEST_MAIN(TstListes)
#include "tst_listes.moc"
