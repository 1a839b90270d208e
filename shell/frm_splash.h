#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <QString>

// One line of the About window: a library the program relies on.
struct BibliothequeListee {
    QString fichier;         // shown name
    QString chemin;          // full path, "" when it is nowhere
    QString fonctionVersion; // the exported function that gives its version
};

// Our component libraries, then the two system libraries the archives need, by file name.
QList<BibliothequeListee> Bibliotheques_listees();
// The version text a line shows: the version, "Version non disponible" or "Erreur, dll non trouvée".
QString Texte_version_bibliotheque(const BibliothequeListee& bibliotheque);

// The program's logo, drawn at the given size.
QPixmap Logo_quorvelane(int taille);

// The About window: the program's version, the schema versions of the open base and of the
// program, and the libraries with their versions.
class FrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit FrmSplash(const QList<BibliothequeListee>& bibliotheques = Bibliotheques_listees(),
                       QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
};

// Shows frmSplash modally over the main window.
void Afficher_a_propos();
