#include "core/composants.h"

#include "core/messages.h"
#include "core/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

#include <map>

namespace {
struct Registre {
    QHash<QString, Composants::Fabrique> fakes;
    std::map<QString, std::unique_ptr<QLibrary>> bibliotheques; // loaded once, kept for the process's life
};

Registre& registre()
{
    static Registre r;
    return r;
}

const QHash<QString, QString>& tableFichiers()
{
    static const QHash<QString, QString> table = {
        {"ArchiveTool", "qv_archive.so"},
        {"ReportTemplateBuilder", "qv_modeles.so"},
        {"ComputerMonitor", "qv_moniteur.so"},
        {"PointsCalculator", "qv_points.so"},
        {"ClubExporter", "qv_echange_clubs.so"},
        {"ClubImporter", "qv_echange_clubs.so"},
        {"LicenceExporter", "qv_echange_licences.so"},
        {"LicenceImporter", "qv_echange_licences.so"},
        {"IufCodeUpdater", "qv_echange_iuf.so"},
        {"PerformanceExporter", "qv_echange_perfs.so"},
        {"PerformanceImporter", "qv_echange_perfs.so"},
        {"MeetResultsImporter", "qv_import_compet.so"},
        {"MeetSkeletonImporter", "qv_import_compet.so"},
        {"EntryFilesBuilder", "qv_fichiers_engag.so"},
    };
    return table;
}
} // namespace

namespace Composants {

QString fichier(const QString& classe)
{
    return tableFichiers().value(classe, "qv_" + classe.toLower() + ".so");
}

QStringList repertoires()
{
    QStringList liste;
    liste << Services::repertoireApplication() + "/composants";
    liste << Services::repertoireRessources() + "/composants";
    liste << QCoreApplication::applicationDirPath() + "/composants";
    liste.removeDuplicates();
    return liste;
}

QString chemin(const QString& fichierBibliotheque)
{
    for (const QString& rep : repertoires()) {
        const QString c = rep + "/" + fichierBibliotheque;
        if (QFileInfo::exists(c))
            return c;
    }
    return QString();
}

QStringList fichiers()
{
    QStringList liste = tableFichiers().values();
    liste.removeDuplicates();
    liste.sort();
    return liste;
}

void enregistrer(const QString& classe, Fabrique fabrique)
{
    registre().fakes.insert(classe, std::move(fabrique));
}

void retirer_tout()
{
    registre().fakes.clear();
}

std::unique_ptr<Composant> creer(const QString& classe)
{
    const auto fake = registre().fakes.constFind(classe);
    if (fake != registre().fakes.constEnd())
        return fake.value() ? fake.value()() : nullptr;

    const QString nomFichier = fichier(classe);
    std::unique_ptr<QLibrary>& bibliotheque = registre().bibliotheques[nomFichier];
    if (!bibliotheque) {
        const QString c = chemin(nomFichier);
        if (c.isEmpty())
            return nullptr;
        auto nouvelle = std::make_unique<QLibrary>(c);
        if (!nouvelle->load())
            return nullptr;
        bibliotheque = std::move(nouvelle);
    }
    using Creation = Composant* (*)(const char*);
    auto creation = reinterpret_cast<Creation>(bibliotheque->resolve("qv_creer_composant"));
    if (!creation)
        return nullptr;
    return std::unique_ptr<Composant>(creation(classe.toUtf8().constData()));
}

std::unique_ptr<Composant> creer_ou_signaler(const QString& classe)
{
    auto composant = creer(classe);
    if (!composant)
        Erreur_chargement_dll(fichier(classe));
    return composant;
}

} // namespace Composants
