#include "entries/frm_convocation.h"

#include "core/boites_saisie.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "entries/documents_engag.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frm_convocation::frm_convocation(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_convocation");
    setWindowTitle("Impression des convocations");

    QStringList colonnes{"Nom", "Prénom", "Licence"};
    QStringList infos{"Num"};
    if (bClubSelection) {
        colonnes << "Club Origine";
        infos << "Num Club";
    }
    Lsv_nageurs = Creer_liste_rapport(this, "Lsv_nageurs", colonnes);
    lsv_info_nageur = Creer_liste_rapport(this, "lsv_info_nageur", infos);
    lsv_info_nageur->hide();

    Rich = new BoiteRiche(this);
    Rich->setObjectName("Rich");
    const char* textes[] = {"G", "I", "S", "Gauche", "Centre", "Droite"};
    const char* bulles[] = {"Gras", "Italique", "Souligné", "Aligner à gauche", "Centrer", "Aligner à droite"};
    auto* barre = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        cmd_text[i] = Creer_bouton(this, QString("cmd_text_%1").arg(i), QString::fromUtf8(textes[i]));
        cmd_text[i]->setToolTip(QString::fromUtf8(bulles[i]));
        cmd_text[i]->setFocusPolicy(Qt::NoFocus); // the message keeps its selection
        connect(cmd_text[i], &QPushButton::clicked, this, [this, i] { formater(i); });
        barre->addWidget(cmd_text[i]);
    }
    barre->addStretch();
    QFont f = cmd_text[0]->font();
    f.setBold(true);
    cmd_text[0]->setFont(f);
    f = cmd_text[1]->font();
    f.setItalic(true);
    cmd_text[1]->setFont(f);
    f = cmd_text[2]->font();
    f.setUnderline(true);
    cmd_text[2]->setFont(f);

    chk_all = new QCheckBox("Sélectionner tous", this);
    chk_all->setObjectName("chk_all");
    Chk_prog = new QCheckBox("Imprimer programme", this);
    Chk_prog->setObjectName("Chk_prog");
    chk_reponse = new QCheckBox("Imprimer coupon réponse", this);
    chk_reponse->setObjectName("chk_reponse");
    const char* noms[] = {"JJ", "MM", "AAAA"};
    for (int i = 0; i < 3; ++i) {
        txt_description[i] = new QLineEdit(this);
        txt_description[i]->setObjectName(QString("txt_description_%1").arg(i));
        txt_description[i]->setPlaceholderText(noms[i]);
        txt_description[i]->setFixedWidth(i == 2 ? 56 : 36);
    }
    Cmd_Date = Creer_bouton(this, "Cmd_Date", "...");
    Cmd_Date->setToolTip("Sélection d'une date");
    Brancher_boites_date(txt_description[0], txt_description[1], txt_description[2], bControleDate, Cmd_Date);
    Cmd_0 = Creer_bouton(this, "Cmd_0", "&Quitter");
    Cmd_1 = Creer_bouton(this, "Cmd_1", "&Imprimer");

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(Lsv_nageurs, 1);
    gauche->addWidget(chk_all);
    auto* droite = new QVBoxLayout;
    droite->addWidget(new QLabel("Message d'information :", this));
    droite->addLayout(barre);
    droite->addWidget(Rich, 1);
    droite->addWidget(Chk_prog);
    droite->addWidget(chk_reponse);
    auto* date = new QHBoxLayout;
    date->addWidget(new QLabel("Réponse avant :", this));
    for (QLineEdit* b : txt_description)
        date->addWidget(b);
    date->addWidget(Cmd_Date);
    date->addStretch();
    droite->addLayout(date);
    auto* haut = new QHBoxLayout;
    haut->addLayout(gauche, 5);
    haut->addLayout(droite, 4);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(Cmd_1);
    boutons->addWidget(Cmd_0);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(haut, 1);
    principal->addLayout(boutons);
    Fixer_taille_design(12000, 6600);

    // The reply date belongs to the coupon.
    Fixer_enabled({txt_description[0], txt_description[1], txt_description[2], Cmd_Date}, false);

    connect(chk_all, &QCheckBox::toggled, this, [this](bool coche) {
        if (coche)
            Cocher_tous_statut(Lsv_nageurs, chk_all, "Sélection de tous les engagés");
    });
    connect(Lsv_nageurs, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* ligne) { cocher(ligne); });
    connect(Lsv_nageurs, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* ligne) { Lsv_nageurs->setCurrentItem(ligne); });
    connect(chk_reponse, &QCheckBox::toggled, this, [this] { coupon(); });
    connect(Cmd_0, &QPushButton::clicked, this, &QWidget::close);
    connect(Cmd_1, &QPushButton::clicked, this, [this] { Imprimer(); });
}

void frm_convocation::SetListe()
{
    QString sql;
    if (bClubSelection)
        sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Num, Club.Intitule, Club.Code_federal "
              "FROM Club Club, Licence Licence, Engag_nageur Engag_nageur "
              "WHERE Club.Code_federal = Licence.Code_Club AND Licence.Num = Engag_nageur.Num_Lic AND ";
    else
        sql = "SELECT Licence.Nom, Licence.Prenom, Licence.Licence, Licence.Num "
              "FROM Licence Licence, Engag_nageur Engag_nageur WHERE Licence.Num = Engag_nageur.Num_Lic AND ";
    sql += "Engag_nageur.Num_compet = " + strNumCompetTraitee + " AND Engag_nageur.Num_profil = " + strNumProfil
           + " AND Licence.Visible = true ORDER BY Licence.Nom, Licence.Prenom, Licence.licence";
    try {
        const QSignalBlocker bloque(Lsv_nageurs);
        if (bClubSelection)
            Remplir_listes(sql, {Lsv_nageurs, lsv_info_nageur}, {{0, 1, 2, 4}, {3, 5}}, QString());
        else
            Remplir_listes(sql, {Lsv_nageurs, lsv_info_nageur}, {{0, 1, 2}, {3}}, QString());
        for (int i = 0; i < Lsv_nageurs->topLevelItemCount(); ++i)
            Lsv_nageurs->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
        // A third of the list each, the club's column its own width; a longer name widens its
        // column, and the window with it.
        const int club = bClubSelection ? Twips_en_pixels(2000) : 0;
        for (int c = 0; c < 3; ++c)
            Lsv_nageurs->setColumnWidth(c, (Largeur_vue(Lsv_nageurs) - club) / 3);
        if (bClubSelection)
            Lsv_nageurs->setColumnWidth(3, club);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du chargement de la liste des nageurs.");
    }
}

void frm_convocation::cocher(QTreeWidgetItem* ligne)
{
    // While everyone is chosen, a swimmer cannot be left out.
    if (chk_all->isChecked() && ligne->checkState(0) != Qt::Checked) {
        const QSignalBlocker bloque(Lsv_nageurs);
        ligne->setCheckState(0, Qt::Checked);
    }
}

void frm_convocation::formater(int index)
{
    switch (index) {
    case 0:
        Rich->setGras(!Rich->gras());
        break;
    case 1:
        Rich->setItalique(!Rich->italique());
        break;
    case 2:
        Rich->setSouligne(!Rich->souligne());
        break;
    case 3:
        Rich->setAlignement(Qt::AlignLeft);
        break;
    case 4:
        Rich->setAlignement(Qt::AlignHCenter);
        break;
    default:
        Rich->setAlignement(Qt::AlignRight);
    }
    Rich->setFocus();
}

void frm_convocation::coupon()
{
    const bool oui = chk_reponse->isChecked();
    if (oui)
        Chk_prog->setChecked(true);
    Fixer_enabled({txt_description[0], txt_description[1], txt_description[2], Cmd_Date}, oui);
    Chk_prog->setEnabled(!oui);
}

void frm_convocation::Imprimer()
{
    struct Fin {
        ~Fin()
        {
            Decharger_frm_tempo_rapport();
            Afficher_statut(QString());
        }
    } fin;
    Afficher_statut("Choix de l'imprimante");
    QPrinter imprimante(QPrinter::HighResolution);
    if (!Choisir_imprimante(imprimante))
        return;
    repaint();

    Afficher_statut("Préparation du modèle de convocation");
    const QTextCursor caret = Rich->textCursor();
    const QByteArray message = Rich->rtf();
    Rich->selectionner(Rich->longueur(), 0);
    Rtb_ecrire(*Rich, "\r\n", 0);
    const bool pret = Preparer_modele_convocation(*Rich, strNumCompetTraitee, Chk_prog->isChecked());
    Rich->setRtf(message);
    QTextCursor remis(Rich->document());
    remis.setPosition(std::min(caret.anchor(), Rich->longueur()));
    remis.setPosition(std::min(caret.position(), Rich->longueur()), QTextCursor::KeepAnchor);
    Rich->setTextCursor(remis);
    if (!pret)
        return;

    QString jour = txt_description[0]->text(), mois = txt_description[1]->text();
    const QString composee = Composer_date(txt_description[2]->text(), mois, jour);
    const QString reponse = composee.size() == 8 ? Date_en_texte(composee, "d mmmm yyyy") : QString();
    Imprimer_convocations(Lsv_nageurs, lsv_info_nageur, strNumCompetTraitee, imprimante, chk_reponse->isChecked(),
                          reponse);
}

void Ouvrir_frm_convocation(QPointer<frm_convocation>& fenetre, const QString& cleCompet, QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.appelant = appelant; // told when the window closes, so that it can open another
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_convocation& f) {
        f.strNumCompetTraitee = cleCompet;
        f.SetListe();
    });
}
