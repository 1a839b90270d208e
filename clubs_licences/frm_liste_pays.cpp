#include "clubs_licences/frm_liste_pays.h"

#include "core/listes.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

frm_liste_pays::frm_liste_pays(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("frm_liste_pays");
    setWindowTitle("Liste des Pays");
    Lsv_pays = new QTreeWidget(this);
    Lsv_pays->setObjectName("Lsv_pays");
    Lsv_pays->setHeaderLabels({"Pays"});
    Lsv_pays->setRootIsDecorated(false);
    Colonnes_a_la_mesure(Lsv_pays);
    Lsv_pays->setUniformRowHeights(true);
    Command1_0 = new QPushButton("&Ok", this);
    Command1_0->setObjectName("Command1_0");
    Command1_1 = new QPushButton("&Annuler", this);
    Command1_1->setObjectName("Command1_1");
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);

    Disposer_liste_boutons(this, Lsv_pays, {Command1_0, Command1_1});
    if (auto* colonne = qobject_cast<QVBoxLayout*>(layout()))
        colonne->addWidget(StatusBar1);
    Fixer_taille_design(5205, 3915);

    connect(Command1_0, &QPushButton::clicked, this, &frm_liste_pays::ok);
    connect(Command1_1, &QPushButton::clicked, this, &QWidget::close);
    connect(Lsv_pays, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (strAction == "Choisir")
            ok();
    });
    Entree_comme_double_clic(Lsv_pays);
}

void frm_liste_pays::set_liste()
{
    Remplir_listes("select Libelle from Pays order by Libelle", {Lsv_pays}, {{0}}, QString());
    if (Nombre_lignes(Lsv_pays) > 0)
        Selectionner_element(Lsv_pays, 0);
    else
        Command1_1->setEnabled(false);
}

void frm_liste_pays::ok()
{
    // Without a caller there is nowhere to write: nothing is opened behind the user's back.
    if (strAction == "Choisir" && frmCible) {
        if (QTreeWidgetItem* ligne = Ligne(Lsv_pays, Ligne_courante(Lsv_pays))) {
            if (QWidget* champ = frmCible->findChild<QWidget*>("text1_3"))
                champ->setProperty("text", ligne->text(0));
        }
    }
    close();
}

void Ouvrir_liste_pays(QPointer<frm_liste_pays>& fenetre, const QString& mode, const QString& paysSel, int gauche,
                       int haut, QWidget* cible)
{
    Ouverture ouverture;
    ouverture.strAction = mode;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = cible;
    Ouvrir_fenetre(fenetre, ouverture, [&](frm_liste_pays& f) {
        f.strPaysSel = paysSel;
        f.set_liste();
    });
}
