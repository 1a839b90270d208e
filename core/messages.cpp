#include "core/messages.h"

#include "core/erreurs.h"
#include "core/services.h"

int Afficher_message(const QString& texte, int style, const QString& titre)
{
    return Services::ihm().message(texte, style, titre);
}

int Afficher_erreur(const QString& texte)
{
    QString message = texte;
    if (Err().numero != 0)
        message += "\r\n" + Texte_erreur(Err().numero, Err().description);
    Effacer_erreur();
    return Afficher_message(message, Style::Critique, "Erreur");
}

int Demander_confirmation(const QString& texte, int style)
{
    return Afficher_message(texte, style + Style::OuiNon + Style::Question, "Confirmation");
}

int Afficher_information(const QString& texte)
{
    return Afficher_message(texte, Style::Information, "Information");
}

QString Texte_erreur(int numero, const QString& description)
{
    return "Erreur n° " + QString::number(numero) + ", " + description;
}

void Erreur_connexion_base(const QString& texte)
{
    QString message = "Erreur lors de la connexion à la base.";
    if (!texte.isEmpty())
        message += "\r\n" + texte;
    Afficher_erreur(message);
}

void Erreur_chargement_dll(const QString& fichier)
{
    Afficher_erreur("Impossible de charger la dll " + fichier + " !");
}
