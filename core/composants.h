#pragma once
// Outside components: shared libraries in the components folder, created by class name and
// called by member name. Tests register fakes under the real class names.

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

class Composant {
public:
    virtual ~Composant() = default;
    // Calls a member by name. Throws ErreurExecution for an unknown member or a failure.
    virtual QVariant appeler(const QString& membre, const QVariantList& arguments) = 0;
};

// What every component library exports (extern "C"):
//   Composant* qv_creer_composant(const char* classe);  // nullptr for a class it does not hold
//   const char* qv_version_composant();                 // "major.minor.revision"
#define QV_EXPORTER_COMPOSANT extern "C" __attribute__((visibility("default")))

namespace Composants {
using Fabrique = std::function<std::unique_ptr<Composant>()>;

// The library file that holds a class, e.g. "qv_archive.so" for "ArchiveTool".
QString fichier(const QString& classe);
// Folders searched for the libraries, in order.
QStringList repertoires();
// Full path of a component library file, or "" when it is nowhere.
QString chemin(const QString& fichierBibliotheque);
// Every component library file the program ships.
QStringList fichiers();

// Tests: a fake under a real class name; an empty function makes creation fail.
void enregistrer(const QString& classe, Fabrique fabrique);
void retirer_tout();

// The component, or nullptr when it cannot be created (nothing shown: callers report with
// Erreur_chargement_dll(Composants::fichier(classe))).
std::unique_ptr<Composant> creer(const QString& classe);
// Creates it or reports "Impossible de charger la dll ..." and returns nullptr.
std::unique_ptr<Composant> creer_ou_signaler(const QString& classe);
} // namespace Composants
