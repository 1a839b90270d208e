#include "core/services.h"

#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QToolButton>
#include <QTreeView>

namespace {
struct EtatServices {
    PortIhmQt portQt;
    PortIhm* port = nullptr;
    QDate aujourdhui;
    QString repertoireApplication;
    std::function<void(const QString&)> sortieStatut;
};

EtatServices& etat()
{
    static EtatServices e;
    return e;
}
} // namespace

QStringList Filtre_en_qt(const QString& filtre)
{
    QStringList parts = filtre.split('|');
    QStringList resultat;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString libelle = parts[i];
        const QString motifs = QString(parts[i + 1]).replace(';', ' ');
        if (!libelle.contains('('))
            libelle += " (" + motifs + ")";
        else if (!libelle.contains(motifs))
            libelle = libelle.left(libelle.indexOf('(')).trimmed() + " (" + motifs + ")";
        resultat << libelle;
    }
    return resultat;
}

QString Extension_du_filtre(const QString& filtre, int indexFiltre)
{
    const QStringList parts = filtre.split('|');
    const qsizetype i = 2 * qsizetype(indexFiltre) - 1;
    if (indexFiltre < 1 || i >= parts.size())
        return QString();
    const QString motif = parts[i].section(';', 0, 0).trimmed();
    if (!motif.startsWith("*."))
        return QString();
    const QString extension = motif.mid(2);
    if (extension.isEmpty() || extension.contains('*') || extension.contains('?'))
        return QString();
    return extension;
}

int PortIhmQt::message(const QString& texte, int style, const QString& titre)
{
    QMessageBox boite(QApplication::activeWindow());
    boite.setWindowTitle(titre);
    // Messages quote names the user typed: shown as written, never as markup.
    boite.setTextFormat(Qt::PlainText);
    boite.setText(texte);
    if (style & Style::Information)
        boite.setIcon(QMessageBox::Information);
    else if (style & Style::Question)
        boite.setIcon(QMessageBox::Question);
    else if (style & Style::Critique)
        boite.setIcon(QMessageBox::Critical);
    if ((style & 7) == Style::OuiNon) {
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        boite.setDefaultButton((style & Style::DefautBouton2) ? QMessageBox::No : QMessageBox::Yes);
        boite.setEscapeButton(QMessageBox::No);
        return boite.exec() == QMessageBox::Yes ? Reponse::Oui : Reponse::Non;
    }
    boite.setStandardButtons(QMessageBox::Ok);
    boite.exec();
    return Reponse::Ok;
}

namespace {
// The toolkit's file list writes its types and dates in English whatever the translations
// ("Folder", "Dec"): they are written here in the program's French.
class ListeFichiersEnFrancais : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* fichiers = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !fichiers)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QFileInfo info = fichiers->fileInfo(source);
        switch (index.column()) {
        case 1:
            return info.isDir() ? QString() : QLocale().formattedDataSize(info.size());
        case 2:
            if (info.isDir())
                return QStringLiteral("Dossier");
            return info.suffix().isEmpty() ? QStringLiteral("Fichier") : "Fichier " + info.suffix();
        case 3:
            return QLocale().toString(fichiers->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }
};

// The toolkit's file dialog, its detail columns wide enough to read. A name typed in a save dialog
// takes the chosen type's extension unless it already ends with one of the type's patterns:
// "meeting.2026" is not a name with an extension. Done before the dialog asks whether to replace
// a file, so that it asks about the file that will be written.
class DialogueFichier : public QFileDialog {
public:
    QString extension;
    QStringList motifs;

    DialogueFichier(QWidget* parent, const QString& titre) : QFileDialog(parent, titre)
    {
        // The folder is read after the dialog shows: the columns follow what it lists.
        if (auto* fichiers = findChild<QFileSystemModel*>())
            connect(fichiers, &QFileSystemModel::directoryLoaded, this, [this] { ajusterColonnes(); },
                    Qt::QueuedConnection);
    }

    void accept() override
    {
        auto* saisie = findChild<QLineEdit*>("fileNameEdit");
        if (acceptMode() == AcceptSave && !extension.isEmpty() && saisie) {
            const QString nom = saisie->text().trimmed();
            // A folder typed to go into it, several names or a pattern are the dialog's own.
            const bool nomDeFichier = !nom.isEmpty() && !nom.contains('"') && !nom.contains('*')
                                      && !nom.contains('?') && !QFileInfo(QDir(directory()), nom).isDir();
            if (nomDeFichier && !QDir::match(motifs, QFileInfo(nom).fileName()))
                saisie->setText(nom + "." + extension);
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QFileDialog::showEvent(event);
        ajusterColonnes();
    }

private:
    // The size, type and date columns get room for their heading and their values; the dialog
    // grows, within the screen, so that the last one ("Dernière modification") is in view.
    void ajusterColonnes()
    {
        auto* vue = findChild<QTreeView*>("treeView");
        if (!vue || !isVisible())
            return;
        QHeaderView* entete = vue->header();
        int besoin = 0;
        for (int i = 0; i < entete->count(); ++i) {
            if (entete->isSectionHidden(i))
                continue;
            const int avant = entete->sectionSize(i);
            if (i > 0) {
                vue->resizeColumnToContents(i);
                if (entete->sectionSize(i) < avant)
                    entete->resizeSection(i, avant);
            }
            besoin += std::max(entete->sectionSize(i), entete->sectionSizeHint(i));
        }
        const int manque = besoin - vue->viewport()->width();
        if (manque > 0) {
            const QRect ecran = screen()->availableGeometry();
            resize(std::min(width() + manque, ecran.width()), height());
            move(std::clamp(x(), ecran.left(), std::max(ecran.left(), ecran.right() + 1 - frameGeometry().width())), y());
        }
    }
};

const char* const kCleDernierDossier = "Settings/LastFolder";

// The toolkit's own dialog, the same on every desktop and in French, opened in the folder used last.
void Preparer_dialogue(QFileDialog& dialogue, const QString& cheminInitial)
{
    dialogue.setOption(QFileDialog::DontUseNativeDialog);
    dialogue.setProxyModel(new ListeFichiersEnFrancais(&dialogue));
    QString depart = cheminInitial;
    if (depart.isEmpty()) {
        depart = QSettings().value(kCleDernierDossier).toString();
        if (depart.isEmpty() || !QFileInfo(depart).isDir())
            depart = QDir::homePath();
    }
    // A file named in advance: its folder, the name ready to keep.
    if (const QFileInfo fichier(depart); !cheminInitial.isEmpty() && !fichier.isDir() && fichier.dir().exists()) {
        dialogue.setDirectory(fichier.absolutePath());
        dialogue.selectFile(fichier.fileName());
        return;
    }
    dialogue.setDirectory(depart);
}

void Retenir_dossier(const QString& dossier)
{
    QSettings().setValue(kCleDernierDossier, dossier);
}
} // namespace

FichierChoisi PortIhmQt::choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                        const QString& cheminInitial, const QString& verbe)
{
    DialogueFichier dialogue(QApplication::activeWindow(), titre);
    Preparer_dialogue(dialogue, cheminInitial);
    const QStringList filtres = Filtre_en_qt(filtre);
    dialogue.setNameFilters(filtres);
    dialogue.setAcceptMode(ouvrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialogue.setFileMode(ouvrir ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!verbe.isEmpty())
        dialogue.setLabelText(QFileDialog::Accept, verbe);
    const auto index = [&filtres](const QString& choisi) {
        return int(std::max<qsizetype>(0, filtres.indexOf(choisi))) + 1;
    };
    const auto typeChoisi = [&](const QString& choisi) {
        dialogue.extension = Extension_du_filtre(filtre, index(choisi));
        dialogue.motifs = filtre.section('|', 2 * index(choisi) - 1, 2 * index(choisi) - 1).split(';');
    };
    typeChoisi(dialogue.selectedNameFilter());
    QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue, typeChoisi);
    FichierChoisi choix;
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return choix;
    choix.chemin = QDir::toNativeSeparators(dialogue.selectedFiles().first());
    choix.indexFiltre = index(dialogue.selectedNameFilter());
    Retenir_dossier(QFileInfo(choix.chemin).absolutePath());
    return choix;
}

QString PortIhmQt::choisirRepertoire(const QString& titre)
{
    DialogueFichier dialogue(QApplication::activeWindow(), titre);
    Preparer_dialogue(dialogue, QString());
    dialogue.setFileMode(QFileDialog::Directory);
    dialogue.setOption(QFileDialog::ShowDirsOnly);
    dialogue.setLabelText(QFileDialog::Accept, "Choisir");
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return QString();
    const QString dossier = dialogue.selectedFiles().first();
    Retenir_dossier(dossier);
    return QDir::toNativeSeparators(dossier);
}

bool PortIhmQt::choisirImprimante(QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, QApplication::activeWindow());
    // The print dialog's "..." opens a file dialog of the toolkit's own, in English and with its
    // columns cut: the program's file dialog takes its place. Where the toolkit lays its dialog
    // out otherwise, its own chooser stays.
    auto* parcourir = dialogue.findChild<QToolButton*>("fileBrowser");
    auto* fichier = dialogue.findChild<QLineEdit*>("filename");
    auto* imprimantes = dialogue.findChild<QComboBox*>("printers");
    if (parcourir && fichier && imprimantes) {
        // The toolkit connects the signal by its name without the argument.
        QObject::disconnect(parcourir, SIGNAL(clicked()), nullptr, nullptr);
        QObject::disconnect(parcourir, &QAbstractButton::clicked, nullptr, nullptr);
        QObject::connect(parcourir, &QAbstractButton::clicked, &dialogue, [this, fichier, imprimantes] {
            const FichierChoisi choix = choisirFichier("Imprimer dans un fichier", "Fichier PDF (*.pdf)|*.pdf", false,
                                                       fichier->text(), "Choisir");
            if (choix.annule())
                return;
            fichier->setText(choix.chemin);
            // Printing to a file is the printer list's last entry.
            imprimantes->setCurrentIndex(imprimantes->count() - 1);
        });
    }
    return dialogue.exec() == QDialog::Accepted;
}

int PortIhmQt::executerModal(QDialog& dialogue)
{
    Elargir_au_contenu(&dialogue);
    return dialogue.exec();
}

QAction* PortIhmQt::menuContextuel(QMenu& menu, const QPoint& position)
{
    return menu.exec(position);
}

namespace Services {
PortIhm& ihm()
{
    return etat().port ? *etat().port : etat().portQt;
}

void installerIhm(PortIhm* port)
{
    etat().port = port;
}

QDate aujourdhui()
{
    return etat().aujourdhui.isValid() ? etat().aujourdhui : QDate::currentDate();
}

void fixerAujourdhui(const QDate& date)
{
    etat().aujourdhui = date;
}

QString repertoireApplication()
{
    if (etat().repertoireApplication.isEmpty())
        etat().repertoireApplication = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return etat().repertoireApplication;
}

void fixerRepertoireApplication(const QString& chemin)
{
    etat().repertoireApplication = chemin;
}

QString repertoireRessources()
{
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString& candidat : {exe + "/runtime", exe + "/../share/quorvelane", exe + "/../runtime"}) {
        if (QFileInfo::exists(candidat + "/modele_base.sav"))
            return QDir::cleanPath(candidat);
    }
    return QDir::cleanPath(exe + "/runtime");
}

void fixerSortieStatut(std::function<void(const QString&)> sortie)
{
    etat().sortieStatut = std::move(sortie);
}

void ecrireStatut(const QString& texte)
{
    if (etat().sortieStatut)
        etat().sortieStatut(texte);
}
} // namespace Services

QString Aujourdhui_texte()
{
    return Services::aujourdhui().toString("yyyyMMdd");
}

void Afficher_statut(const QString& texte)
{
    Services::ecrireStatut(texte);
}

CurseurImpose::CurseurImpose(Qt::CursorShape forme)
    : m_actif(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (m_actif)
        QApplication::setOverrideCursor(forme);
}

CurseurImpose::~CurseurImpose()
{
    if (m_actif)
        QApplication::restoreOverrideCursor();
}

void Preparer_repertoire_application()
{
    const QString cible = Services::repertoireApplication();
    QDir().mkpath(cible);
    const QDir source(Services::repertoireRessources());
    for (const QFileInfo& f : source.entryInfoList(QDir::Files)) {
        const QFileInfo dest(cible + "/" + f.fileName());
        if (!dest.exists() || dest.lastModified() < f.lastModified()) {
            QFile::remove(dest.filePath());
            QFile::copy(f.filePath(), dest.filePath());
        }
    }
    strCheminModeleBase = cible + "/modele_base.sav";
    Nettoyer_dossiers_de_travail();
}
