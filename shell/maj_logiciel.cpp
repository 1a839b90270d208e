#include "shell/maj_logiciel.h"

#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// The items of maj.txt: one per line, blank lines skipped, one pair of surrounding quotes removed.
QStringList Lire_liste_maj(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        throw ErreurExecution(53, "Fichier introuvable : " + chemin);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QByteArray octets = f.readAll();
    QString texte = utf8.decode(octets);
    if (utf8.hasError())
        texte = QString::fromLatin1(octets);
    QStringList items;
    for (QString ligne : texte.split('\n')) {
        ligne = ligne.trimmed();
        if (ligne.size() >= 2 && ligne.startsWith('"') && ligne.endsWith('"'))
            ligne = ligne.mid(1, ligne.size() - 2).trimmed();
        if (!ligne.isEmpty())
            items << ligne;
    }
    return items;
}

} // namespace

bool Nom_fichier_simple(const QString& nom)
{
    return !nom.isEmpty() && nom != "." && nom != ".." && !nom.contains('/') && !nom.contains('\\')
           && !nom.contains(QChar(0));
}

void Mettre_a_jour_logiciel()
{
    const FichierChoisi choix = Choisir_fichier("Sélection du package de mise à jour",
                                                "Package de mise à jour (maj_soft_*.zip)|maj_soft_*.zip", true);
    if (choix.annule())
        return;
    if (!Est_fichier_zip(choix.chemin) || !Nom_du_fichier(choix.chemin).startsWith("maj_soft_")) {
        Afficher_erreur("Sélectionner un package de mise à jour.");
        return;
    }

    const QString application = Services::repertoireApplication();
    QString dossier;
    QString etape = "Création des fichiers temporaires pour la mise à jour.";
    try {
        Afficher_statut(etape);
        dossier = Nom_dossier_libre("tmpmajsoft", application);
        // The archive's own message tells why it could not be unpacked.
        if (!Decompresser(choix.chemin, dossier)) {
            Supprimer_dossier(dossier);
            Afficher_statut("");
            return;
        }
        const QString liste = Joindre_chemin(dossier, "maj.txt");
        if (!QFileInfo(liste).isFile()) {
            Afficher_erreur("Le package sélectionné ne contenait pas le fichier maj.txt.\r\nMise à jour logiciel annulé");
        } else {
            etape = "Ouverture du fichier maj.txt";
            Afficher_statut(etape);
            const QStringList items = Lire_liste_maj(liste);
            // Every name is checked before the first file is replaced: a package naming a file
            // outside the application folder installs nothing.
            for (const QString& item : items) {
                if (!Nom_fichier_simple(item))
                    throw ErreurExecution(52, "Nom de fichier non valide dans maj.txt : " + item);
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
                // Libraries are looked for in the components folder; a library in use keeps
                // running from the old file until the next start.
                const QString cible =
                    item.endsWith(".so") ? Joindre_chemin(application, "composants") : application;
                QDir().mkpath(cible);
                Copier_fichier_libre(nouveau, cible, true);
            }
            if (!manquants.isEmpty())
                Afficher_information("Des fichiers listés dans maj.txt n'ont pas été trouvés dans le répertoire :" + manquants);
            else
                Afficher_information("La mise à jour s'est déroulée avec succès.");
        }
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la tentative de la mise à jour.\r\nEtape : " + etape);
    }
    Afficher_statut("");
    if (!dossier.isEmpty())
        Supprimer_dossier(dossier);
}
