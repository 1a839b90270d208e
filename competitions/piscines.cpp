#include "competitions/piscines.h"

#include "competitions/det_piscine.h"
#include "competitions/frm_liste_piscine.h"
#include "core/base.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

QString Get_num_piscine_nulle()
{
    // Only the row named exactly 'Null' is the placeholder (the comparison is otherwise caseless).
    Executer_requete("select Num from Piscine where Nom = 'Null' COLLATE BINARY order by Num", false);
    const QString num = colResultat.nbLignes() > 0 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    return num;
}

bool Nom_piscine_reserve(const QString& nom)
{
    return nom.trimmed().compare("Null", Qt::CaseInsensitive) == 0;
}

VerrousMenus Verrous_liste_piscines(const QString& mode)
{
    VerrousMenus v;
    if (mode == "Choisir")
        return v;
    v.groupeEntier(GroupeVerrou::Piscine);
    if (mode == "Suppr" || mode == "Modif") {
        v.groupe(GroupeVerrou::Compet, {1, 0, 1, 0, 0, 0, 0});
        v.groupe(GroupeVerrou::Engag, {0, 0, 0, 1, 0});
    }
    return v;
}

const VerrousMenus& Verrous_nouvelle_piscine()
{
    static const VerrousMenus verrous =
        VerrousMenus().groupeEntier(GroupeVerrou::Piscine).groupe(GroupeVerrou::Compet, {1, 0, 1, 0, 0, 0, 0});
    return verrous;
}

void Ouvrir_liste_piscines(QPointer<Frm_liste_piscine>& fenetre, const QString& titre, const QString& mode,
                           bool annulerPossible, const QString& titreAction, int gauche, int haut, const QString& cle,
                           QWidget* appelant)
{
    Ouverture ouverture;
    ouverture.verrous = Verrous_liste_piscines(mode);
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.gauche = gauche;
    ouverture.haut = haut;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](Frm_liste_piscine& liste) {
        liste.Command1_1->setEnabled(annulerPossible);
        if (!titreAction.isEmpty())
            liste.Command1_2->setText(titreAction);
        liste.Command1_2->setVisible(!titreAction.isEmpty());
        liste.set_liste(cle);
    });
}

void Ouvrir_det_piscine(QPointer<det_Piscine>& fenetre, const QString& mode, QWidget* appelant, int ligne,
                        const QString& nom, const QString& adresse, const QString& codePostal, const QString& ville,
                        const QString& couloirs, const QString& bassin, const QString& cle)
{
    Ouverture ouverture;
    if (mode == "Nouveau") {
        ouverture.verrous = Verrous_nouvelle_piscine();
        ouverture.titre = "Nouvelle piscine";
    }
    ouverture.strAction = mode;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](det_Piscine& detail) {
        detail.intIndiceInListe = ligne;
        detail.remplir(nom, adresse, codePostal, ville, couloirs, bassin, cle);
    });
}

QGroupBox* Creer_cadre_bassin(QWidget* parent, QRadioButton* (&options)[2])
{
    auto* bassin = new QGroupBox("Bassin", parent);
    bassin->setObjectName("Frame_bassin");
    auto* rangee = new QHBoxLayout(bassin);
    options[0] = new QRadioButton("25 m", bassin);
    options[1] = new QRadioButton("50 m", bassin);
    for (int i = 0; i < 2; ++i) {
        options[i]->setObjectName(QString("Op_bass_%1").arg(i));
        rangee->addWidget(options[i]);
    }
    return bassin;
}
