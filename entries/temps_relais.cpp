#include "entries/temps_relais.h"

#include "core/base.h"
#include "core/dates.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"

QList<int> Codes_jambes_relais(const QString& libelle, int nbJambes)
{
    const QString texte = libelle.toLower();
    const qsizetype x = texte.indexOf('x');
    if (x < 0)
        return {};
    const qsizetype m = texte.indexOf('m', x + 2);
    if (m < 0)
        return {};
    const int distance = static_cast<int>(Valeur_numerique(texte.mid(x + 2, m - x - 2).trimmed()));
    int indice = 0;
    switch (distance) {
    case 50: indice = 1; break;
    case 100: indice = 2; break;
    case 200: indice = 3; break;
    default: return {};
    }
    QList<int> codes;
    if (texte.contains("n.l.")) {
        for (int k = 0; k < nbJambes; ++k)
            codes << indice;
        return codes;
    }
    // Medley: backstroke, breaststroke, butterfly, freestyle.
    if (nbJambes != 4)
        return {};
    return {indice + 10, indice + 20, indice + 30, indice};
}

TempsRelaisCalcule Calculer_temps_relais(const QString& libelle, const QStringList& cles, const QStringList& noms,
                                         int longueurBassin)
{
    TempsRelaisCalcule resultat;
    const QList<int> codes = Codes_jambes_relais(libelle, static_cast<int>(cles.size()));
    if (codes.isEmpty()) {
        resultat.reconnu = false;
        return resultat;
    }
    const QString bassin = longueurBassin == 50 ? QStringLiteral("AND Type_bassin = 50") : QString();
    const QString debut = Debut_saison(Aujourdhui_texte(), 2);
    QString total = "0";
    for (qsizetype k = 0; k < cles.size(); ++k) {
        const int c = codes[k];
        // A time of 0 is no performance: it must not hide the swimmer's real best.
        const QString sql = "SELECT Min(Tps) AS MinDeTps FROM Liffn WHERE ((Code_epreuve = " + QString::number(c)
                            + " Or Code_epreuve = " + QString::number(c + 50) + ") AND Num_Lic = " + cles[k]
                            + " AND Tps > 0 " + bassin + " AND Date_perf >= '" + debut + "')";
        Executer_requete(sql, false);
        const QString meilleur = colResultat.Count(0) > 0 ? colResultat.item(0, 1) : QString();
        Liberer_resultat();
        const QString valeur = QString(meilleur).replace(',', '.');
        if (Valeur_numerique(valeur) > 0)
            total = Ajouter_temps(total, valeur);
        else
            resultat.manquants << (k < noms.size() ? noms[k] : cles[k]);
    }
    if (resultat.manquants.isEmpty())
        resultat.temps = Format_temps(total);
    return resultat;
}

QString Message_temps_relais_impossible(const QStringList& manquants)
{
    QString liste;
    for (const QString& nom : manquants)
        liste += "- " + nom + "\r\n";
    return QStringLiteral("Impossible de calculer le temps d'engagement ") + "car "
           + (manquants.size() == 1 ? "un nageur n'a " : "des nageurs n'ont ") + "pas " + "\r\n"
           + "de performances enregistrées utilisables pour ce relais :" + "\r\n" + liste;
}
