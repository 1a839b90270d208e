#include "core/services.h"

#include "core/fichiers.h"
#include "core/globales.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

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

FichierChoisi PortIhmQt::choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                        const QString& cheminInitial)
{
    QFileDialog dialogue(QApplication::activeWindow(), titre, cheminInitial);
    const QStringList filtres = Filtre_en_qt(filtre);
    dialogue.setNameFilters(filtres);
    dialogue.setAcceptMode(ouvrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialogue.setFileMode(ouvrir ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!ouvrir) {
        // A name typed without an extension gets the chosen filter's, before the dialog asks
        // whether to replace a file: the caller writes what that filter says.
        auto suffixe = [&dialogue, &filtre, &filtres](const QString& choisi) {
            dialogue.setDefaultSuffix(Extension_du_filtre(filtre, int(std::max<qsizetype>(0, filtres.indexOf(choisi))) + 1));
        };
        suffixe(dialogue.selectedNameFilter());
        QObject::connect(&dialogue, &QFileDialog::filterSelected, &dialogue, suffixe);
    }
    FichierChoisi choix;
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return choix;
    choix.chemin = QDir::toNativeSeparators(dialogue.selectedFiles().first());
    choix.indexFiltre = std::max<qsizetype>(0, filtres.indexOf(dialogue.selectedNameFilter())) + 1;
    return choix;
}

QString PortIhmQt::choisirRepertoire(const QString& titre)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), titre);
}

bool PortIhmQt::choisirImprimante(QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, QApplication::activeWindow());
    return dialogue.exec() == QDialog::Accepted;
}

int PortIhmQt::executerModal(QDialog& dialogue)
{
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

CurseurOccupe::CurseurOccupe() : m_actif(qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (m_actif)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

CurseurOccupe::~CurseurOccupe()
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
