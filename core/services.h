#pragma once
// The seams through which the program meets the user and the machine: every message box,
// file, folder, printer and modal dialog, the status bar, the busy pointer, today's date and
// the application folder. Tests install their own implementations.

#include <QDate>
#include <QString>
#include <qnamespace.h>
#include <functional>
#include <memory>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QPrinter;

// Message-box flags and answers, as the program's messages combine them.
namespace Style {
constexpr int OK = 0;
constexpr int OuiNon = 4;
constexpr int Critique = 16;
constexpr int Question = 32;
constexpr int Information = 64;
constexpr int DefautBouton2 = 256;
} // namespace Style
namespace Reponse {
constexpr int Ok = 1;
constexpr int Annuler = 2;
constexpr int Oui = 6;
constexpr int Non = 7;
} // namespace Reponse

struct FichierChoisi {
    QString chemin;      // empty when the user cancelled
    int indexFiltre = 1; // from 1, in the order of the filter's pairs
    bool annule() const { return chemin.isEmpty(); }
};

// The one door to everything that waits for the user.
class PortIhm {
public:
    virtual ~PortIhm() = default;
    virtual int message(const QString& texte, int style, const QString& titre) = 0;
    // filtre is "Label (*.ext)|*.ext|Label2|*.ext2"; ouvrir chooses an open or a save dialog;
    // verbe is the accept button's caption, the action the file is chosen for ("Supprimer").
    virtual FichierChoisi choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                         const QString& cheminInitial, const QString& verbe) = 0;
    // "" when cancelled.
    virtual QString choisirRepertoire(const QString& titre) = 0;
    // false when cancelled; the printer is then left untouched.
    virtual bool choisirImprimante(QPrinter& imprimante) = 0;
    virtual int executerModal(QDialog& dialogue) = 0;
    // The action chosen, or nullptr.
    virtual QAction* menuContextuel(QMenu& menu, const QPoint& position) = 0;
};

// The real dialogs.
class PortIhmQt : public PortIhm {
public:
    int message(const QString& texte, int style, const QString& titre) override;
    // The toolkit's dialog, opened in the folder chosen last (remembered in the settings).
    FichierChoisi choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                 const QString& cheminInitial, const QString& verbe) override;
    QString choisirRepertoire(const QString& titre) override;
    bool choisirImprimante(QPrinter& imprimante) override;
    int executerModal(QDialog& dialogue) override;
    QAction* menuContextuel(QMenu& menu, const QPoint& position) override;
};

// Turns a "Label|*.ext|..." filter into the form the file dialogs take.
QStringList Filtre_en_qt(const QString& filtre);
// The extension of the filter's pair indexFiltre (from 1): that of its first "*.ext" pattern,
// without the dot; "" for "*.*", "*", a fixed name or a pair that does not exist.
QString Extension_du_filtre(const QString& filtre, int indexFiltre);

namespace Services {
PortIhm& ihm();
// Installs another port (tests); nullptr goes back to the real dialogs. Not owned.
void installerIhm(PortIhm* port);

QDate aujourdhui();
// Fixes today's date (tests); an invalid date goes back to the system clock.
void fixerAujourdhui(const QDate& date);

// The writable folder that holds the model base, the templates and the work folders.
QString repertoireApplication();
void fixerRepertoireApplication(const QString& chemin);
// Folder of the resources installed beside the executable.
QString repertoireRessources();

// Where step texts go (the main window's status bar); nothing by default.
void fixerSortieStatut(std::function<void(const QString&)> sortie);
void ecrireStatut(const QString& texte);
} // namespace Services

// Today as "yyyymmdd".
QString Aujourdhui_texte();

// Sets the text of the status bar's step panel; "" clears it.
void Afficher_statut(const QString& texte);

// Shows a pointer over the whole application for its lifetime (nothing without a QApplication).
class CurseurImpose {
public:
    explicit CurseurImpose(Qt::CursorShape forme);
    ~CurseurImpose();
    CurseurImpose(const CurseurImpose&) = delete;
    CurseurImpose& operator=(const CurseurImpose&) = delete;

private:
    bool m_actif;
};

// Shows the busy pointer for its lifetime.
class CurseurOccupe : public CurseurImpose {
public:
    CurseurOccupe() : CurseurImpose(Qt::WaitCursor) {}
};

// The arrow while the user reads or answers, whatever pointer the caller shows.
class CurseurFleche : public CurseurImpose {
public:
    CurseurFleche() : CurseurImpose(Qt::ArrowCursor) {}
};

// Creates the application folder when missing and brings into it what the installed resources
// hold that it lacks or holds older (model base, templates, scripts). Sets strCheminModeleBase.
// Removes the work folders that killed runs left behind.
void Preparer_repertoire_application();
