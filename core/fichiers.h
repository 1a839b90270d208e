#pragma once
// Files and folders: paths, free names for work files and folders, copies and moves, free space,
// work-folder deletion, the folder browser, and the one door to the archive component.

#include <QFileInfo>
#include <QStorageInfo>
#include <QString>
#include <QLockFile>

#include <functional>
#include <memory>

#include <unistd.h>

// A file descriptor closed when it goes out of scope.
class Descripteur {
public:
    explicit Descripteur(int fd) : m_fd(fd) {}
    ~Descripteur()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// folder + "/" (unless it already ends with one) + name.
QString Joindre_chemin(const QString& dossier, const QString& nom);
// The folder holding the file; ending with "/" when avecSeparateur is set.
QString Repertoire_du_fichier(const QString& chemin, bool avecSeparateur);
// The last component of the path.
QString Nom_du_fichier(const QString& chemin);
// A path in the folder, not yet taken: the file's own name, else name1.ext, name2.ext, ...
QString Nom_fichier_libre(const QString& fichier, const QString& dossier);
// A folder path in the parent, not yet taken: name, else name1, name2, ... (not created).
QString Nom_dossier_libre(const QString& nom, const QString& parent);
// Renames source onto cible in one step, replacing cible. Throws ErreurExecution.
void Renommer_en_remplacant(const QString& source, const QString& cible);
// The file a path names: the target of a symbolic link, the path itself otherwise. A file that
// replaces a base replaces this one, beside which its work files lie, so that a link stays a link.
QString Chemin_reel(const QString& chemin);
// Copies the file onto cible (replaced) under that exact name, down to the disk: a kill on the
// way leaves cible itself, never a work file of another name. Throws ErreurExecution.
void Copier_fichier_vers(const QString& source, const QString& cible);
// Writes the file's data down to the disk; false when it cannot.
bool Synchroniser_fichier(const QString& chemin);
// Moves the file onto cible (replaced) under that exact name, down to the disk: renamed when both
// lie on one disk, else copied as above and the source left. Throws ErreurExecution.
void Deplacer_fichier_vers(const QString& source, const QString& cible);
// Copies the file into the folder, under its own name (replacing) when remplacer is set, else
// under a free name; returns the new path. Throws ErreurExecution when the copy fails.
QString Copier_fichier_libre(const QString& source, const QString& dossierCible, bool remplacer);
// Moves the file into the folder under its own name, replacing a file of that name;
// "" on success, else the error text.
QString Deplacer_fichier(const QString& source, const QString& dossierCible);
// The volume where the folder lies, or would lie once created (inline: the archive component
// measures with it too).
inline QStorageInfo Volume_du_dossier(const QString& dossier)
{
    QFileInfo info(dossier);
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            break;
        info = QFileInfo(parent);
    }
    return QStorageInfo(info.absoluteFilePath());
}
// True when the file's size is below the free space where the folder lies.
bool Espace_suffisant(const QString& fichier, const QString& dossier);
// Whether the volume of the folder (or of its nearest existing parent) is ready.
bool Lecteur_pret(const QString& dossier);
// True for the program's own work folders: "tempo" or "tmp..." directly in the application folder.
bool Est_dossier_de_travail(const QString& dossier);
// Deletes one of the program's work folders with all it holds; any other folder is left alone.
// Never fails: whatever cannot be deleted stays.
void Supprimer_dossier(const QString& dossier);
// A work folder for the time of one operation, deleted with all it holds when the object ends.
// It lies in a folder of its own, "quorvelane-name-XXXXXX", so that two runs or two instances
// never share one, which holds the program's mark beside it and has a lock beside it
// ("quorvelane-name-XXXXXX.verrou") held while it lives. It is made in the application folder
// or, when that folder may not be written (a read-only installation), in the system's temporary
// folder, so that the work can be done all the same.
class DossierTravail {
public:
    // nom: "tempo" or "tmp..." (letters only). Throws ErreurExecution when the folder can be made nowhere.
    explicit DossierTravail(const QString& nom);
    ~DossierTravail();
    DossierTravail(const DossierTravail&) = delete;
    DossierTravail& operator=(const DossierTravail&) = delete;
    const QString& chemin() const { return m_chemin; }
    // Deletes the folder now; true when it is gone.
    bool supprimer();

private:
    QString m_racine;
    QString m_chemin;
    std::unique_ptr<QLockFile> m_verrou;
};
// Removes the work folders that a killed run left behind, in the application folder and in the
// system's temporary folder: only folders of the user's, of the program's name, that hold its mark
// (or, empty, have a lock of this machine beside them), and whose lock no living process holds;
// and lone locks of this machine under such a name. What is checked is what is deleted: a name
// swapped for a link meanwhile is not followed. avantSuppression, when set, is called between the
// checks and the deletion.
void Nettoyer_dossiers_de_travail(const std::function<void(const QString&)>& avantSuppression = {});

// True when the extension is exactly "zip".
bool Est_fichier_zip(const QString& chemin);
// The folder of the system's shared libraries, without final "/".
QString Repertoire_systeme();
// Special folders by their historical identifiers (0 desktop, 5 documents, 16 desktop
// folder, 26 application data, ...), followed by "/"; "" when unknown.
QString Repertoire_special(int identifiant);
// The folder the user picks, "" when cancelled.
QString Choisir_repertoire(const QString& titre);

// Error numbers of the archive component that tell the archive's fault (unreadable, truncated,
// refused) from a disk that cannot take what it holds.
inline constexpr int Erreur_archive_endommagee = 321;
inline constexpr int Erreur_disque_plein = 61;

// Zips a file into an archive (compresser) or unpacks an archive into a folder. Unless silent,
// a failure shows "Une erreur s'est produite lors de la compression." (or décompression).
bool Zipper(const QString& archive, const QString& chemin, bool compresser, bool silencieux);
// Zips the open base (a consistent copy of it while the connection is open) into the archive,
// under the base's file name.
bool Compresser(const QString& archive);
bool Decompresser(const QString& archive, const QString& dossier);
// Unpacks the archive into the folder, showing nothing: the caller reads the component's
// ErreurExecution (Erreur_archive_endommagee, Erreur_disque_plein, ...).
void Decompresser_ou_lever(const QString& archive, const QString& dossier);
