#include "competitions/modeles_programme.h"

#include "competitions/frm_prog.h"

void Appliquer_modele_programme(QWidget* editeur, const QString& cleModele)
{
    if (auto* prog = qobject_cast<frm_prog*>(editeur)) {
        prog->setTabFromModele(cleModele);
        prog->RefreshListeNage();
    }
}

void Enregistrer_programme_dans_modele(QWidget* editeur, const QString& cleModele)
{
    if (auto* prog = qobject_cast<frm_prog*>(editeur))
        prog->SaveTabInTable("Pcomp_modele", cleModele, true);
}

void Fermer_editeur_programme(QPointer<frm_prog>& editeur)
{
    if (QPointer<frm_prog> prog = editeur) {
        editeur.clear();
        prog->close();
    }
}

QWidget* Fenetre_programme(const QPointer<frm_prog>& editeur)
{
    return editeur.data();
}
