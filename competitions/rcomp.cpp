#include "competitions/rcomp.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/messages.h"
#include "core/services.h"

void Cloturer_compet_passees()
{
    cnxBase.Execute("UPDATE Rcomp SET Deroule = true, Visible = false WHERE Deroule = false AND Visible = true AND Debut <= '"
                    + Aujourdhui_texte() + "'");
}

QString Creer_compet_import()
{
    bool ouvert = false;
    try {
        const QString piscine =
            QString::number(Lire_nombre("select min(Num) from Piscine where Nom = 'Null' COLLATE BINARY"));
        Ouvrir_table_ajout("Rcomp");
        ouvert = true;
        rsRequete.setChamp("Deroule", true);
        rsRequete.setChamp("Visible", true);
        rsRequete.setChamp("Num_Piscine", piscine);
        rsRequete.Update();
        const QString numero = rsRequete.Fields("AutoNum").trimmed();
        rsRequete.Close();
        return numero;
    } catch (const std::exception& e) {
        Annuler_recordset(true, ouvert);
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la création de la nouvelle compétition pour importation des résultats !");
        return QString();
    }
}
