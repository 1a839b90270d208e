// A new user's first session, step by step, with a picture of what the user sees at each
// step (build/captures/parcours/*.png): the empty program, a new base with its forced club and
// profile, the base menu, a save, the closing, and the reopening. Run under xvfb-run with
// QT_QPA_PLATFORM=xcb to see the real rendering; offscreen draws the same widgets.

#include "fixtures.h"
#include "session_shell.h"
#include "shell/demarrage.h"

#include "clubs_licences/frm_liste_club.h"
#include "core/listes.h"
#include "shell/det_profil.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kDossier = QStringLiteral(QV_BINARY_DIR "/captures/parcours");

bool Capturer(QWidget* fenetre, const QString& nom)
{
    QCoreApplication::processEvents();
    return fenetre->grab().save(kDossier + "/" + nom + ".png");
}

// The scripted user, who also looks at every message box as the real one would draw it.
class PortQuiRegarde : public PortIhmTest {
public:
    int message(const QString& texte, int style, const QString& titre) override
    {
        QMessageBox boite;
        boite.setWindowTitle(titre);
        boite.setText(texte);
        boite.setIcon((style & Style::Information) ? QMessageBox::Information
                      : (style & Style::Question)  ? QMessageBox::Question
                                                   : QMessageBox::Critical);
        if ((style & 7) == Style::OuiNon) {
            boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            boite.setDefaultButton((style & Style::DefautBouton2) ? QMessageBox::No : QMessageBox::Yes);
        } else {
            boite.setStandardButtons(QMessageBox::Ok);
        }
        boite.show();
        Capturer(&boite, QString("09_message_%1").arg(++m_numero));
        return PortIhmTest::message(texte, style, titre);
    }

private:
    int m_numero = 0;
};

const QString kNomLong = QStringLiteral("CERCLE DES NAGEURS DE BOULOGNE-BILLANCOURT ET ENVIRONS");

// The label shows the whole name, and its window (or document window) stays within what the user sees.
void Verifier_nom_entier(QLabel* libelle)
{
    QCOMPARE(libelle->text(), kNomLong);
    const int texte = libelle->fontMetrics().horizontalAdvance(libelle->text());
    QVERIFY2(texte <= libelle->contentsRect().width(),
             qPrintable(QString("%1 > %2").arg(texte).arg(libelle->contentsRect().width())));
    QWidget* cadre = libelle->window();
    for (QWidget* w = libelle; w; w = w->parentWidget()) {
        if (auto* sous = qobject_cast<QMdiSubWindow*>(w)) {
            const QRect zone = sous->mdiArea()->viewport()->rect();
            QVERIFY2(zone.contains(sous->geometry()), qPrintable(QString("%1 px").arg(sous->width())));
            break;
        }
    }
    const QRect ecran = cadre->screen()->availableGeometry();
    QVERIFY2(ecran.contains(cadre->frameGeometry()),
             qPrintable(QString("%1 px, screen %2").arg(cadre->frameGeometry().width()).arg(ecran.width())));
}

} // namespace

class TstParcoursImages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Installer_traductions_francaises();
        QDir(kDossier).removeRecursively();
        QVERIFY(QDir().mkpath(kDossier));
    }

    void premiereSeance()
    {
        Session s;
        PortQuiRegarde ihm; // replaces the session's port
        ihm.accepterMessagesOk(true);
        s.fenetre->resize(900, 600);
        QVERIFY(Capturer(s.fenetre.get(), "01_demarrage"));

        QMenu* base = s.fenetre->findChild<QMenu*>("mnuBase");
        base->popup(s.fenetre->mapToGlobal(QPoint(0, s.fenetre->menuBar()->height())));
        QVERIFY(Capturer(base, "02_menu_base_sans_base"));
        base->hide();

        const QString chemin = s.rep.fichier("club.mdb");
        ihm.repondreFichier(s.rep.fichier("club"));
        ihm.repondreModal([](QDialog& d) {
            auto& obli = dynamic_cast<dem_info_obli&>(d);
            d.show();
            Capturer(&d, "03_nouveau_club_vide");
            obli.champs->Text1_0->setText("Cercle des nageurs");
            obli.champs->Text1_1->setText(kCodeClub);
            Capturer(&d, "04_nouveau_club_rempli");
            obli.champs->Command1_0->click();
            return d.result();
        });
        // The club is chosen from its list: its long name shows whole, the dialog within the screen.
        ihm.repondreModal([](QDialog& d) {
            auto& creation = dynamic_cast<det_profil_obli&>(d);
            d.show();
            creation.Text1_0->setText("Bassin");
            // Imported clubs keep their whole name, longer than one typed.
            cnxBase.Executer_lie("UPDATE Club SET Intitule = ?", {kNomLong});
            creation.Command1_2->click();
            return d.result();
        });
        ihm.repondreModal([](QDialog& d) {
            auto& choix = dynamic_cast<Frm_liste_club_obli&>(d);
            d.show();
            Selectionner_element(choix.Lsv_club, 1);
            choix.Command1_0->click();
            return d.result();
        });
        ihm.repondreModal([](QDialog& d) {
            auto& creation = dynamic_cast<det_profil_obli&>(d);
            d.show();
            QTest::qWait(50);
            Capturer(&d, "05_creation_profil");
            Verifier_nom_entier(creation.txt_nom_club);
            creation.Command1_0->click();
            return d.result();
        });
        QVERIFY(s.declencher("mnuBaseNew"));
        QVERIFY(ihm.toutConsomme());
        QVERIFY(cnxBase.ouverte());
        QVERIFY(Capturer(s.fenetre.get(), "06_base_creee"));
        base->popup(s.fenetre->mapToGlobal(QPoint(0, s.fenetre->menuBar()->height())));
        QVERIFY(Capturer(base, "07_menu_base_ouverte"));
        base->hide();

        // "Création d'un profil" shows the long name whole too.
        QVERIFY(s.declencher("mnuBaseProfilNew"));
        auto* profil = s.fenetre->findChild<det_profil*>("det_profil");
        QVERIFY(profil);
        profil->Command1_2->click();
        auto* clubs = s.fenetre->findChild<Frm_liste_club*>("Frm_liste_club");
        QVERIFY(clubs);
        Selectionner_element(clubs->Lsv_club, 1);
        clubs->Command1_0->click();
        QTest::qWait(50);
        QCOMPARE(profil->txt_nom_club->text(), kNomLong);
        Verifier_nom_entier(profil->txt_nom_club);
        QVERIFY(Capturer(s.fenetre.get(), "07b_creation_d_un_profil"));
        profil->Command1_1->click();
        QTest::qWait(20);

        QVERIFY(s.declencher("mnuBaseSave"));
        QVERIFY(QFileInfo::exists(chemin + ".sav"));
        QVERIFY(Capturer(s.fenetre.get(), "08_enregistree"));

        ihm.repondre(Reponse::Oui);
        QVERIFY(s.declencher("mnuBaseClose"));
        QVERIFY(!cnxBase.ouverte());
        QVERIFY(Capturer(s.fenetre.get(), "10_fermee"));

        ihm.repondreFichier(chemin);
        QVERIFY(s.declencher("mnuBaseOpen"));
        QVERIFY(cnxBase.ouverte());
        QVERIFY(Capturer(s.fenetre.get(), "11_rouverte"));
        QCOMPARE(ihm.messages(), QStringList({"Les données non sauvegardées seront effacées. Continuer ?"}));
    }

private:
    ReglagesTest m_reglages;
};

QTEST_MAIN(TstParcoursImages)
#include "tst_parcours_images.moc"
