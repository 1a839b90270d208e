#include "records_points/calcul_points.h"

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/messages.h"
#include "core/services.h"

QString Chemin_table_points()
{
    return Services::repertoireApplication() + "/table_points.txt";
}

std::unique_ptr<Composant> Creer_calculateur_points()
{
    std::unique_ptr<Composant> composant = Composants::creer_ou_signaler("PointsCalculator");
    if (!composant)
        return nullptr;
    try {
        const QString refus = composant->appeler("ChargerTable", {Chemin_table_points()}).toString();
        if (!refus.isEmpty())
            Afficher_erreur(refus);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("La table de cotation n'a pu être lue.");
    }
    return composant;
}
