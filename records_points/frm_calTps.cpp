#include "records_points/frm_calTps.h"

#include "core/listes.h"
#include "core/ouvreurs.h"
#include "core/temps.h"
#include "core/utils.h"
#include "core/boites_saisie.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

frm_calTps::frm_calTps(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_calTps");
    setWindowTitle("Calculatrice de temps");

    auto* l1 = new QLabel("Temps à ajouter :", this);
    l1->setGeometry(10, 12, 110, 22);
    txt_tpsAjout = new QLineEdit(this);
    txt_tpsAjout->setObjectName("txt_tpsAjout");
    txt_tpsAjout->setGeometry(125, 10, 110, 24);
    txt_tpsAjout->setPlaceholderText("Format M.SSCC");
    txt_tpsAjout->setToolTip("Format M.SSCC");
    Brancher_boite_temps(txt_tpsAjout);
    txt_tpsAjout->installEventFilter(this);
    cmd_Ajout = Creer_bouton(this, "cmd_Ajout", "+");
    cmd_Ajout->setGeometry(242, 10, 34, 24);

    auto* l2 = new QLabel("Historique du calcul :", this);
    l2->setGeometry(10, 44, 150, 22);
    lsv_Histo = Creer_liste_rapport(this, "lsv_Histo", {"Tps ajouté", "Total"});
    lsv_Histo->setGeometry(10, 66, 246, 150);
    const int demi = lsv_Histo->width() / 2 - Twips_en_pixels(170);
    lsv_Histo->setColumnWidth(0, demi);
    lsv_Histo->setColumnWidth(1, demi);
    cmd_Suppr = Creer_bouton(this, "cmd_Suppr", "&Suppr");
    cmd_Suppr->setGeometry(262, 66, 70, 26);
    cmd_Suppr->setEnabled(false);

    chk_CopieCalcul = new QCheckBox("Copier le résultat dans la fenêtre d'engagement", this);
    chk_CopieCalcul->setObjectName("chk_CopieCalcul");
    chk_CopieCalcul->setGeometry(10, 224, 322, 22);
    cmd_Copie = Creer_bouton(this, "cmd_Copie", "&Copier");
    cmd_Copie->setGeometry(10, 254, 80, 26);
    cmd_Copie->setEnabled(false);
    cmd = Creer_bouton(this, "cmd", "&Quitter");
    cmd->setGeometry(252, 254, 80, 26);

    // The controls are placed by hand: the frame's title bar comes on top of their 300 pixels.
    Fixer_taille_design(5100, 4950);

    connect(cmd_Ajout, &QPushButton::clicked, this, &frm_calTps::cmd_Ajout_Click);
    connect(cmd_Suppr, &QPushButton::clicked, this, &frm_calTps::cmd_Suppr_Click);
    connect(chk_CopieCalcul, &QCheckBox::toggled, cmd_Copie, &QWidget::setEnabled);
    connect(cmd_Copie, &QPushButton::clicked, this, &frm_calTps::cmd_Copie_Click);
    connect(cmd, &QPushButton::clicked, this, &frm_calTps::cmd_Click);
}

void frm_calTps::cmd_Ajout_Click()
{
    if (Valeur_numerique(txt_tpsAjout->text()) == 0)
        return;
    const QString ajout = Format_temps(txt_tpsAjout->text());
    m_total = Format_temps(Ajouter_temps(m_total, ajout));
    Ajouter_ligne(lsv_Histo, {ajout, m_total});
    Selectionner_element(lsv_Histo, Nombre_lignes(lsv_Histo));
    cmd_Suppr->setEnabled(true);
    txt_tpsAjout->clear();
}

void frm_calTps::cmd_Suppr_Click()
{
    const int n = Nombre_lignes(lsv_Histo);
    if (n == 0)
        return;
    delete lsv_Histo->takeTopLevelItem(n - 1);
    if (QTreeWidgetItem* derniere = Ligne(lsv_Histo, n - 1)) {
        m_total = derniere->text(1);
    } else {
        m_total = "0.0000";
        cmd_Suppr->setEnabled(false);
    }
}

void frm_calTps::cmd_Copie_Click()
{
    if (!chk_CopieCalcul->isChecked() || !frmCible)
        return;
    if (auto* cible = frmCible->findChild<QLineEdit*>("txt_temps"); cible && cible->isEnabled())
        cible->setText(m_total);
}

void frm_calTps::cmd_Click()
{
    lsv_Histo->clear();
    cmd_Copie_Click();
    close();
}

bool frm_calTps::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == txt_tpsAjout && evenement->type() == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter || touche->text() == "+") {
            cmd_Ajout->click();
            return true;
        }
    }
    return FenetreComptee::eventFilter(objet, evenement);
}

void Ouvrir_calculatrice_temps(QPointer<frm_calTps>& fenetre, int gauche, int haut, QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_calTps& f) {
        // Without a relay window there is nowhere to copy: the copy controls are not shown.
        const bool cible = appelant != nullptr;
        f.chk_CopieCalcul->setChecked(cible);
        f.chk_CopieCalcul->setVisible(cible);
        f.cmd_Copie->setEnabled(cible);
        f.cmd_Copie->setVisible(cible);
    });
}
