#include "shell/maj_logiciel.h"

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "shell/maj_base.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// A bare file name: an item may not reach outside the folder it is meant for.
bool nomNu(const QString& nom)
{
    return !nom.isEmpty() && nom != "." && nom != ".." && !nom.contains('/') && !nom.contains('\\')
        && !nom.contains(QChar(0));
}

} // namespace

QStringList Lire_liste_maj(const QString& fichier)
{
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw ErreurExecution(53, "Fichier introuvable : " + fichier);
    QStringList items;
    for (const QString& brute : QString::fromUtf8(f.readAll()).split('\n')) {
        QString item = brute.trimmed();
        if (item.size() >= 2 && item.startsWith('"') && item.endsWith('"'))
            item = item.mid(1, item.size() - 2).trimmed();
        if (!item.isEmpty())
            items << item;
    }
    return items;
}

QString Dossier_installation(const QString& nomFichier)
{
    const bool composant = Composants::fichiers().contains(nomFichier) || nomFichier.endsWith(".so");
    const QString application = Services::repertoireApplication();
    return composant ? Joindre_chemin(application, "composants") : application;
}

void mnuMajLogiciel_Click()
{
    const QString package = Choisir_fichier("Sélection du package de mise à jour",
                                            "Package de mise à jour (maj_soft_*.zip)|maj_soft_*.zip", true, "Choisir")
                                .chemin;
    if (!package.isEmpty())
        Mettre_a_jour_logiciel(package);
}

void Mettre_a_jour_logiciel(const QString& package)
{
    if (!Est_fichier_zip(package) || !Nom_du_fichier(package).startsWith("maj_soft_")) {
        Afficher_erreur("Sélectionner un package de mise à jour.");
        return;
    }
    QString etape;
    std::unique_ptr<DossierTravail> travail;
    try {
        CurseurOccupe occupe;
        etape = "Création des fichiers temporaires pour la mise à jour.";
        Afficher_statut(etape);
        travail = Decompresser_package("tmpmajsoft", package);
        if (travail) {
            const QString dossier = travail->chemin();
            const QString liste = Joindre_chemin(dossier, "maj.txt");
            if (!QFileInfo(liste).isFile()) {
                Afficher_erreur("Le package sélectionné ne contenait pas le fichier maj.txt.\r\n"
                                "Mise à jour logiciel annulé");
            } else {
                etape = "Ouverture du fichier maj.txt";
                Afficher_statut(etape);
                const QStringList items = Lire_liste_maj(liste);
                // The whole list is checked before a file is replaced.
                for (const QString& item : items) {
                    if (!nomNu(item))
                        throw ErreurExecution(75, "Nom de fichier refusé dans maj.txt : " + item);
                }
                QString manquants;
                for (const QString& item : items) {
                    etape = "Mise à jour de " + item;
                    Afficher_statut(etape);
                    const QString nouveau = Joindre_chemin(dossier, item);
                    if (!QFileInfo(nouveau).isFile()) {
                        manquants += "\r\nFichier " + nouveau + " non trouvé.";
                        continue;
                    }
                    const QString cible = Dossier_installation(item);
                    if (!QDir().mkpath(cible))
                        throw ErreurExecution(75, "Impossible de créer le dossier " + cible);
                    // Written beside, then renamed: a file in use is never half replaced.
                    Copier_fichier_libre(nouveau, cible, true);
                }
                Afficher_statut("");
                if (!manquants.isEmpty())
                    Afficher_information("Des fichiers listés dans maj.txt n'ont pas été trouvés dans le répertoire :"
                                         + manquants);
                else
                    Afficher_information("La mise à jour s'est déroulée avec succès.");
            }
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_statut("");
        Afficher_erreur("Une erreur s'est produite lors de la tentative de la mise à jour.\r\nEtape : " + etape);
    }
    Afficher_statut("");
}
