#include "shell/frm_monitor_def.h"

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/utils.h"
#include "shell/frm_principal.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {
// The leading number of a box as a 32-bit integer; the boxes take nine digits at most.
qint32 Valeur_entiere(const QString& texte)
{
    return static_cast<qint32>(std::lround(Valeur_numerique(texte)));
}
} // namespace

FrmMonitorDef::FrmMonitorDef(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmMonitorDef");
    setWindowTitle("Charge ordi paramètres");

    auto* grille = new QGridLayout;
    const char* libelles[] = {"Intervalle :", "Position X :", "Position Y :"};
    const qint32 valeurs[] = {lgIntervalSuivi, lgPosXSuivi, lgPosYSuivi};
    for (int i = 0; i < 3; ++i) {
        auto* boite = new QLineEdit(QString::number(valeurs[i]), this);
        boite->setObjectName(QString("txtParam_%1").arg(i));
        Installer_filtre_chiffre(boite);
        Installer_selection_au_focus(boite);
        boite->setMaxLength(9);
        m_txtParam[i] = boite;
        grille->addWidget(new QLabel(QString::fromUtf8(libelles[i]), this), i, 0);
        grille->addWidget(boite, i, 1);
    }
    grille->addWidget(new QLabel("millièmes seconde", this), 0, 2);

    m_chkAlwaysVisible = new QCheckBox("Toujours visible", this);
    m_chkAlwaysVisible->setObjectName("chkAlwaysVisible");
    m_chkAlwaysVisible->setChecked(bAlwaysVisibleSuivi);
    grille->addWidget(m_chkAlwaysVisible, 3, 0, 1, 3);

    auto* boutons = new QHBoxLayout;
    const char* textes[] = {"&Get param", "&Sav", "&Quitter"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(textes[i], this);
        b->setObjectName(QString("Command1_%1").arg(i));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        boutons->addWidget(b);
    }

    auto* principal = new QVBoxLayout(this);
    principal->addLayout(grille);
    principal->addLayout(boutons);
    setFixedSize(sizeHint());

    if (FrmPrincipal* f = Fenetre_principale()) {
        f->Etat_menus_suivi(false);
        f->Etat_menu_toujours_visible(false);
    }
}

Composant* FrmMonitorDef::objDllSuivi() const
{
    FrmPrincipal* f = Fenetre_principale();
    return f ? f->objDllSuivi() : nullptr;
}

void FrmMonitorDef::Command1_Click(int index)
{
    switch (index) {
    case 0: {
        Composant* composant = objDllSuivi();
        if (!composant) {
            Afficher_information("Le composant de suivi des performances n'est pas chargé.\r\n"
                                 "Impossible de récupérer les paramètres.");
            return;
        }
        try {
            qint32 x = 0, y = 0, intervalle = 0;
            Lire_position_suivi(*composant, x, y, intervalle);
            m_txtParam[0]->setText(QString::number(intervalle));
            m_txtParam[1]->setText(QString::number(x));
            m_txtParam[2]->setText(QString::number(y));
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Impossible de récupérer les paramètres.");
        }
        return;
    }
    case 1: {
        lgIntervalSuivi = Valeur_entiere(m_txtParam[0]->text());
        lgPosXSuivi = Valeur_entiere(m_txtParam[1]->text());
        lgPosYSuivi = Valeur_entiere(m_txtParam[2]->text());
        const bool coche = m_chkAlwaysVisible->isChecked();
        if (FrmPrincipal* f = Fenetre_principale())
            f->Fixer_suivi_toujours_visible(coche, true);
        if (Composant* composant = objDllSuivi()) {
            try {
                composant->appeler("lgPositionX", {lgPosXSuivi});
                composant->appeler("lgPositionY", {lgPosYSuivi});
                composant->appeler("lgIntervalTimer", {lgIntervalSuivi});
                composant->appeler("bMustBeAlwaysOpen", {coche});
                composant->appeler("SetPosition", {lgPosXSuivi, lgPosYSuivi});
            } catch (const std::exception& e) {
                Memoriser_erreur(e);
                Afficher_erreur("Une erreur s'est produite lors de la sauvegarde du paramètre.");
            }
        }
        Sauver_param_suivi();
        return;
    }
    default:
        close();
    }
}

void FrmMonitorDef::done(int resultat)
{
    QDialog::done(resultat);
    if (FrmPrincipal* f = Fenetre_principale()) {
        if (QAction* param = f->findChild<QAction*>("mnuPerfOrdiParam"))
            param->setEnabled(true);
        f->Etat_menus_suivi(true);
        f->Etat_menu_toujours_visible(true);
    }
}
