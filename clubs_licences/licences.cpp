#include "clubs_licences/licences.h"

#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

namespace {

// Column of each value of the array, in index order.
const char* const colonnesLicence[NB_VALEURS_LICENCE] = {
    "Code_club", "Licence", "Nom", "Prenom", "Sexe", "Date_Naissance", "Nationalite", "Adresse", "Suite_adresse",
    "Code_Postal", "Localite", "Telephone", "Sportive", "Synchro", "Water_Polo", "Plongeon", "Dirigeant", "Maitre",
    "Date_Depot", "Date_obliteration", "Type_licence", "Nature", "Code_unique", "Tel2", "Mail", "Tarif", "Medecin",
    "Date_Ctrl_Medical",
};

// Keys go into SQL unquoted: anything but a whole number is refused rather than spliced in.
QString Cle(const QString& num)
{
    bool ok = false;
    const qint64 valeur = num.trimmed().toLongLong(&ok);
    if (!ok)
        throw ErreurExecution(3075, "Clé de licence invalide : '" + num + "'");
    return QString::number(valeur);
}

} // namespace

void Get_jointure_selection(QString& strFrom, QString& strWhere)
{
    strFrom = "Club Club, Licence Licence, Selection Selection ";
    strWhere = "Club.Code_federal = Licence.Code_club and Licence.Num = Selection.Num_Lic ";
}

QString Get_order_by_licence(int colonne, bool& bTriDesc, int& derniereColonne, bool bSansPrefixe)
{
    QString premiere;
    QString suivantes;
    switch (colonne) {
    case 1:
        premiere = "Licence.Nom";
        suivantes = ", Licence.Prenom";
        break;
    case 2:
        premiere = "Licence.Prenom";
        suivantes = ", Licence.Nom";
        break;
    case 3:
        premiere = "Licence.Licence";
        break;
    case 4:
        premiere = bClubSelection ? "Club.Intitule" : "Licence.Date_Naissance";
        suivantes = ", Licence.Nom, Licence.Prenom";
        break;
    case 5:
        premiere = "Licence.Date_Naissance";
        suivantes = ", Licence.Nom, Licence.Prenom";
        break;
    default:
        break;
    }
    const bool bDesc = colonne == derniereColonne && bTriDesc;
    bTriDesc = colonne == derniereColonne ? !bTriDesc : true;
    derniereColonne = colonne;
    // A column without keys sorts nothing: a bare "ORDER BY " would break the caller's query.
    if (premiere.isEmpty())
        return QString();
    if (bDesc)
        premiere += " DESC";
    QString ordre = "ORDER BY " + premiere + suivantes;
    if (bSansPrefixe)
        ordre.remove("Licence.");
    return ordre;
}

bool Inserer_licence(const QStringList& valeurs)
{
    if (valeurs.size() != NB_VALEURS_LICENCE)
        return false;
    QStringList textes;
    for (const QString& v : valeurs)
        textes << Sql_texte(v);
    try {
        cnxBase.Execute("INSERT INTO Licence (Code_club, licence, Nom, Prenom, sexe"
                        ", Date_Naissance, Nationalite, Adresse, Suite_adresse, Code_Postal, Localite, Telephone"
                        ", Sportive, Synchro, Water_Polo, Plongeon, Dirigeant, Maitre, Date_Depot"
                        ", Date_obliteration, Type_licence, Nature, Code_unique"
                        ", Tel2, Mail, Tarif, Medecin, Date_Ctrl_Medical) "
                        "VALUES ("
                        + textes.join(", ") + ");");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Modifier_licence(const QStringList& valeurs, const QString& num)
{
    if (valeurs.size() != NB_VALEURS_LICENCE)
        return false;
    try {
        QStringList affectations;
        for (int i = 1; i < NB_VALEURS_LICENCE; ++i)
            affectations << QString::fromLatin1(colonnesLicence[i]) + " = " + Sql_texte(valeurs[i]);
        cnxBase.Execute("UPDATE Licence SET " + affectations.join(", ") + " WHERE Num = " + Cle(num));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Copier_licence_tempo(const QString& num)
{
    try {
        cnxBase.Execute("INSERT INTO Licence_tempo ( Num, Code_Club, Licence, Nom, Prenom ) "
                        "SELECT Licence.Num, Licence.Code_Club, Licence.Licence, Licence.Nom, Licence.Prenom "
                        "From Licence "
                        "WHERE (((Licence.Num) = "
                        + Cle(num) + "));");
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

QString Get_num_licence(const QString& codeClub, const QString& numero)
{
    Executer_requete("select Num from Licence where Licence = " + Sql_texte(numero)
                         + " and Code_Club = " + Sql_texte(codeClub),
                     false);
    const QString num = colResultat.Count(0) > 0 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    return num;
}

void Enregistrer_activites_licence(const QString& num, const QString& activites)
{
    const QString cle = Cle(num);
    cnxBase.Execute("DELETE FROM Activite_licence WHERE Num_lic = " + cle);
    for (const QString& activite : activites.split('\t')) {
        if (activite.isEmpty())
            continue;
        cnxBase.Execute("INSERT INTO Activite_licence (Num_lic, Activite) VALUES (" + cle + ", " + Sql_texte(activite) + ")");
    }
}

void Ajouter_licence_selection(const QString& codeSelection, const QString& num)
{
    const QString cle = Cle(num);
    const QString code = Sql_texte(codeSelection);
    if (Lire_nombre("select count(*) from Selection where Code_Sel = " + code + " and Num_Lic = " + cle) != 0)
        cnxBase.Execute("UPDATE Selection Set Visible = true Where Code_Sel = " + code + " and Num_Lic = " + cle);
    else
        cnxBase.Execute("INSERT INTO Selection (Code_Sel, Num_Lic) VALUES (" + code + ", " + cle + ");");
}

QString Condition_licence_sans_tarif()
{
    return "(Licence.Tarif = ' ' OR Licence.Tarif = '' OR Licence.Tarif is null)";
}

QString Requete_lecture_licence(const QString& num)
{
    return "SELECT Licence.*, IFNULL(Pays.Libelle, Licence.Nationalite) "
           "FROM Licence Licence LEFT JOIN Pays Pays ON Pays.Code = Licence.Nationalite "
           "WHERE Licence.Num = "
           + Cle(num);
}

QString Code_nationalite(const QString& texte, const QString& codeCharge)
{
    Executer_requete("select Code from Pays where Libelle = " + Sql_texte(texte), false);
    QString code = colResultat.Count(0) > 0 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    if (code.isEmpty())
        code = (!codeCharge.isEmpty() && texte == codeCharge) ? codeCharge : QStringLiteral("FRA");
    return code;
}

// ---------------------------------------------------------------- checks before a write

QString Erreur_saisie_licence(const SaisieIdentite& s)
{
    if (!Date_valide(s.annee, s.mois, s.jour))
        return "Date de naissance invalide.";
    // What is stored here, the licence exchange must read back: a day that exists, from 1900 to
    // today.
    QString mois = s.mois, jour = s.jour;
    const QString naissance = Composer_date(s.annee, mois, jour);
    if (!Date_correcte(naissance))
        return "Date de naissance invalide.";
    if (!Date_passee(naissance))
        return naissance > Aujourdhui_texte() ? "La date de naissance est postérieure à la date du jour."
                                              : "La date de naissance est antérieure à 1900.";
    if (s.numero.trimmed().size() != 5)
        return "Numéro de licence incomplet.";
    if (s.numero.left(2) != s.annee.right(2))
        return "La licence et annee de naissance ne correspondent pas.";
    if (s.nom.trimmed().isEmpty())
        return "Nom de famille non renseigné.";
    if (s.prenom.trimmed().isEmpty())
        return "Prénom non renseigné.";
    return QString();
}

bool Verifier_saisie_licence(const SaisieIdentite& saisie)
{
    const QString erreur = Erreur_saisie_licence(saisie);
    if (erreur.isEmpty())
        return true;
    Afficher_erreur(erreur);
    return false;
}

int Compter_numero_licence(const QString& numero, const QString& codeClub, const QString& numExclu)
{
    QString sql = "select count(*) from Licence where Licence = " + Sql_texte(numero) + " and Code_Club = "
                  + Sql_texte(codeClub);
    if (!numExclu.isEmpty())
        sql += " and Num <> " + Cle(numExclu);
    return Lire_nombre(sql);
}

bool Numero_licence_visible(const QString& numero, const QString& codeClub)
{
    return Lire_nombre("select count(*) from Licence where Licence = " + Sql_texte(numero)
                       + " and Code_Club = " + Sql_texte(codeClub) + " and Visible = true")
           > 0;
}

void Afficher_numero_utilise(bool bInsertion)
{
    QString texte = "Numéro de licence déjà utilisé.";
    if (bInsertion)
        texte += "\r\nInsertion du licencié annulé.";
    Afficher_erreur(texte);
}

bool Numero_licence_modifiable(const QString& numero, const QString& numeroCharge, const QString& codeClub,
                               const QString& numLicence)
{
    // An unchanged number is never questioned: duplicates already in the base stay editable.
    if (numero == numeroCharge)
        return true;
    if (Compter_numero_licence(numero, codeClub, numLicence) == 0)
        return true;
    Afficher_numero_utilise(false);
    return false;
}
