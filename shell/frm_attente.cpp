#include "shell/frm_attente.h"

#include "competitions/rcomp.h"
#include "core/base.h"
#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/sauvegarde.h"
#include "core/saisie.h"
#include "core/services.h"
#include "shell/operations_base.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

namespace {

enum class Genre { Import, Export, MiseAJour, Disquette };

} // namespace

struct frm_attente::Action {
    const char* code;
    const char* methode;
    Genre genre;
    const char* lbRep;
    const char* option; // nullptr: no option box
    bool coche;
};

namespace {

QString Utf8(const char* texte)
{
    return QString::fromUtf8(texte);
}

const QString kSauvegarde = QStringLiteral("Répertoire de sauvegarde :");
const QString kSource = QStringLiteral("Répertoire source :");

} // namespace

const frm_attente::Action* frm_attente::action(const QString& code)
{
    static const Action actions[] = {
        {"envassoc", "bExport_Club", Genre::Export, "Répertoire de sauvegarde :", nullptr, false},
        {"impclub", "bImport_Club", Genre::Import, "Répertoire source :", "Force mise à jour des clubs", false},
        {"envadher", "bExport_licence", Genre::Export, "Répertoire de sauvegarde :", nullptr, false},
        {"implic", "bimport_licence", Genre::Import, "Répertoire source :", nullptr, false},
        {"majiuf", "bImport_CodeIUF", Genre::MiseAJour, "Fichier source :", "Mettre à jour uniquement licence de mon club",
         false},
        {"envchrono", "bexport_performance", Genre::Export, "Répertoire de sauvegarde :", "Restreindre à mon club", true},
        {"impperf", "bimport_perf", Genre::Import, "Répertoire source :", nullptr, false},
        {"impres", "bimport_result", Genre::Import, "Répertoire source :", "Fichier compressé", false},
        {"Impor sque", "bimport_squelette", Genre::Import, "Répertoire source :", "Fichier compressé", false},
        {"disk", "bCreation_disquette", Genre::Disquette, "Répertoire de sauvegarde :", "Compresser les fichiers", false},
    };
    for (const Action& a : actions) {
        // Codes are compared case-sensitively.
        if (code == QLatin1String(a.code))
            return &a;
    }
    return nullptr;
}

// ---------------------------------------------------------------- Lancer_attente

void Lancer_attente(const QString& strNomClass, const QString& strOperation, const QString& strCaption_P,
                    const QString& strNumCompet_P, bool bNewCompet)
{
    frm_attente fenetre(frmPrincipal.data());
    // The window is not shown at all when its component is missing: "Go" would close the base
    // and call nothing.
    if (!fenetre.setObjDll(strNomClass, strOperation, strCaption_P, strNumCompet_P, bNewCompet))
        return;
    Services::ihm().executerModal(fenetre);
    fenetre.Form_Unload();
}

// ---------------------------------------------------------------- outputs

bool Copier_fichiers(const QString& dossierTravail, QString& cible, const OutilsCopie& outils)
{
    const QFileInfoList fichiers = QDir(dossierTravail).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& fichier : fichiers) {
        // A file that does not fit is tried again in the folder the user chooses instead.
        for (;;) {
            while (!outils.lecteurPret(cible)) {
                if (Demander_confirmation("Le lecteur n'est pas pret.\r\nContinuer la copie des fichiers ?", 0) != Reponse::Oui)
                    return false;
            }
            if (!QFileInfo(cible).isDir()) {
                Afficher_erreur("Le répertoire de sauvegarde n'existe pas.\r\nCopie annulée");
                return false;
            }
            if (outils.espaceSuffisant(fichier.filePath(), cible)) {
                const QString erreur = Deplacer_fichier(fichier.filePath(), cible);
                if (!erreur.isEmpty())
                    Afficher_erreur("Erreur lors de la copie du fichier " + fichier.fileName() + ".\r\n" + erreur);
                break;
            }
            if (Demander_confirmation("Pas assez de place dans le répertoire cible.\r\nChanger de Répertoire ou Annuler", 0)
                != Reponse::Oui)
                return false;
            QString autre;
            while ((autre = outils.choisirCible()).isEmpty()) {
                if (Demander_confirmation("Annuler la copie des fichiers ?", Style::DefautBouton2) == Reponse::Oui)
                    return false;
            }
            cible = autre;
        }
    }
    return true;
}

bool Compresser_fichiers(const QString& dossierTravail, const QString& archive)
{
    const QFileInfoList fichiers = QDir(dossierTravail).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    // Nothing produced (a refused entry file): no archive is made, and the caller must not say one was.
    if (fichiers.isEmpty())
        return false;
    // Built aside and renamed over the chosen archive: an archive already there is replaced,
    // never added to, and stays as it was when the zipping fails.
    const QString dossier = Repertoire_du_fichier(archive, false);
    const QString temporaire = Nom_fichier_libre(Nom_du_fichier(archive) + ".tmp", dossier.isEmpty() ? "." : dossier);
    for (const QFileInfo& fichier : fichiers) {
        if (!Zipper(temporaire, fichier.filePath(), true, true)) {
            QFile::remove(temporaire);
            Afficher_erreur("Erreur lors de la compression  du fichier " + fichier.fileName() + ".");
            return false;
        }
    }
    try {
        Renommer_en_remplacant(temporaire, archive);
    } catch (const std::exception& e) {
        QFile::remove(temporaire);
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de la compression  du fichier " + Nom_du_fichier(archive) + ".");
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- window

frm_attente::frm_attente(QWidget* parent) : QDialog(parent)
{
    setObjectName("frm_attente");
    setModal(true);

    m_groupeRep = new QWidget(this);
    m_groupeRep->setObjectName("groupeRepertoire");
    auto* grilleRep = new QGridLayout(m_groupeRep);
    grilleRep->setContentsMargins(0, 0, 0, 0);
    m_lbRep = new QLabel(kSauvegarde, m_groupeRep);
    m_lbRep->setObjectName("lbRep");
    m_txtRep = new QLineEdit(m_groupeRep);
    m_txtRep->setObjectName("txt_rep");
    // The path comes from the dialogs, so that a folder or archive typed wrong cannot be run.
    m_txtRep->setReadOnly(true);
    m_txtRep->setMinimumWidth(320);
    const QStyle::StandardPixmap icones[2] = {QStyle::SP_DirOpenIcon, QStyle::SP_DialogResetButton};
    const char* bulles[2] = {"Sélection d'un répertoire", "Effacer le répertoire"};
    for (int i = 0; i < 2; ++i) {
        m_cmdRep[i] = new QPushButton(style()->standardIcon(icones[i]), QString(), m_groupeRep);
        m_cmdRep[i]->setObjectName(QString("Cmd_rep_%1").arg(i));
        m_cmdRep[i]->setToolTip(Utf8(bulles[i]));
        m_cmdRep[i]->setAutoDefault(false);
        connect(m_cmdRep[i], &QPushButton::clicked, this, [this, i] { Cmd_rep_Click(i); });
    }
    m_chkOption = new QCheckBox(m_groupeRep);
    m_chkOption->setObjectName("chk_option");
    connect(m_chkOption, &QCheckBox::clicked, this, [this] { chk_option_Click(); });
    grilleRep->addWidget(m_lbRep, 0, 0, 1, 3);
    grilleRep->addWidget(m_txtRep, 1, 0);
    grilleRep->addWidget(m_cmdRep[0], 1, 1);
    grilleRep->addWidget(m_cmdRep[1], 1, 2);
    grilleRep->addWidget(m_chkOption, 2, 0, 1, 3);

    m_groupeProgres = new QWidget(this);
    m_groupeProgres->setObjectName("groupeProgression");
    auto* grilleProgres = new QGridLayout(m_groupeProgres);
    grilleProgres->setContentsMargins(0, 0, 0, 0);
    const char* messages[4] = {"Veuillez Patienter", "Export en cours", "Club :", "Nageur :"};
    for (int i = 0; i < 4; ++i) {
        m_lbMessage[i] = new QLabel(Utf8(messages[i]), m_groupeProgres);
        m_lbMessage[i]->setObjectName(QString("lb_message_%1").arg(i));
    }
    QFont gras = m_lbMessage[0]->font();
    gras.setBold(true);
    m_lbMessage[0]->setFont(gras);
    m_lbClub = new QLabel(m_groupeProgres);
    m_lbClub->setObjectName("lb_club");
    m_lbNageur = new QLabel(m_groupeProgres);
    m_lbNageur->setObjectName("lb_nageur");
    // Names read from the files being imported.
    m_lbClub->setTextFormat(Qt::PlainText);
    m_lbNageur->setTextFormat(Qt::PlainText);
    m_progressBar = new QProgressBar(m_groupeProgres);
    m_progressBar->setObjectName("ProgressBar1");
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    grilleProgres->addWidget(m_lbMessage[0], 0, 0, 1, 2);
    grilleProgres->addWidget(m_lbMessage[1], 1, 0, 1, 2);
    grilleProgres->addWidget(m_progressBar, 2, 0, 1, 2);
    grilleProgres->addWidget(m_lbMessage[2], 3, 0);
    grilleProgres->addWidget(m_lbClub, 3, 1);
    grilleProgres->addWidget(m_lbMessage[3], 4, 0);
    grilleProgres->addWidget(m_lbNageur, 4, 1);
    grilleProgres->setColumnStretch(1, 1);
    m_groupeProgres->hide();

    m_richRapport = new BoiteRiche(this);
    m_richRapport->setObjectName("RichRapport");
    m_richRapport->setReadOnly(true);
    // A long line wraps: a trace read sideways hides the start of every other line.
    m_richRapport->setLineWrapMode(QTextEdit::WidgetWidth);
    m_richRapport->hide();

    m_cmdOk = new QPushButton("&Go", this);
    m_cmdOk->setObjectName("Cmd_ok");
    m_cmdOk->setEnabled(false);
    m_cmdOk->setAutoDefault(false);
    connect(m_cmdOk, &QPushButton::clicked, this, [this] { Cmd_ok_Click(); });
    m_cmdQuit = new QPushButton("&Quitter", this);
    m_cmdQuit->setObjectName("Cmd_quit");
    m_cmdQuit->setAutoDefault(false);
    connect(m_cmdQuit, &QPushButton::clicked, this, [this] { Cmd_quit_Click(); });
    // "Go" is usable exactly when a path is chosen.
    connect(m_txtRep, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (m_etat == Etat::Choix)
            m_cmdOk->setEnabled(!t.isEmpty());
    });

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_cmdOk);
    boutons->addWidget(m_cmdQuit);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(m_groupeRep);
    principal->addWidget(m_groupeProgres);
    principal->addWidget(m_richRapport, 1);
    principal->addLayout(boutons);
}

frm_attente::~frm_attente() = default;

bool frm_attente::setObjDll(const QString& strNomClass, const QString& strOperation, const QString& strCaption_P,
                            const QString& strNumCompet_P, bool bNewCompet)
{
    try {
        m_action = action(strOperation);
        if (!m_action)
            throw ErreurExecution(5, "Action inconnue : " + strOperation);
        m_objDll = Composants::creer(strNomClass);
        if (!m_objDll)
            throw ErreurExecution(429, "Impossible de créer l'objet " + strNomClass + " (" + Composants::fichier(strNomClass) + ").");
        m_strOperation = strOperation;
        setWindowTitle(strCaption_P);
        m_strNumCompet_P = strNumCompet_P;
        m_bNewCompet = bNewCompet;
        m_lbRep->setText(Utf8(m_action->lbRep));
        m_chkOption->setVisible(m_action->option != nullptr);
        m_chkOption->setText(m_action->option ? Utf8(m_action->option) : QString());
        m_chkOption->setChecked(m_action->coche);
        const bool detail = m_strOperation == "envchrono" || m_strOperation == "majiuf";
        for (QWidget* w : {static_cast<QWidget*>(m_lbMessage[2]), static_cast<QWidget*>(m_lbMessage[3]),
                           static_cast<QWidget*>(m_lbClub), static_cast<QWidget*>(m_lbNageur)})
            w->setVisible(detail);
        adjustSize();
        return true;
    } catch (const std::exception& e) {
        m_objDll.reset();
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors du chargement de la fenêtre");
        return false;
    }
}

bool frm_attente::optionCochee() const
{
    return m_action && m_action->option && m_chkOption->isChecked();
}

bool frm_attente::estExport() const
{
    return m_action && m_action->genre == Genre::Export;
}

bool frm_attente::entreeZippee() const
{
    return m_strOperation == "majiuf" || ((m_strOperation == "impres" || m_strOperation == "Impor sque") && optionCochee());
}

void frm_attente::Cmd_rep_Click(int index)
{
    if (index != 0) {
        m_txtRep->clear();
        return;
    }
    const bool coche = optionCochee();
    QString chemin;
    // Meets travel as Lenex archives (".lxf", a zip under another name) as well as zip archives.
    const bool reunion = m_strOperation == "impres" || m_strOperation == "disk" || m_strOperation == "Impor sque";
    auto fichier = [&chemin, reunion](const char* titre, const char* filtre, bool ouvrir) {
        const QString lenex = reunion ? QStringLiteral("Fichier Lenex compressé (*.lxf)|*.lxf|") : QString();
        chemin = Choisir_fichier(Utf8(titre), lenex + Utf8(filtre), ouvrir, ouvrir ? "Choisir" : "Créer").chemin;
        // An archive to read must be there; any path must name an archive.
        const bool archive = Est_fichier_zip(chemin) || (reunion && chemin.endsWith(".lxf"));
        if (!archive || (ouvrir && !QFileInfo(chemin).isFile()))
            chemin.clear();
    };
    if (m_strOperation == "impres" && coche)
        fichier("Sélectionner fichier compressé de résultats", "Fichier de résultats (*.zip)|*.zip", true);
    else if (m_strOperation == "majiuf")
        fichier("Sélectionner fichier compressé de mise à jour des IUF", "Fichier de mise à jour (*.zip)|*.zip", true);
    else if (m_strOperation == "disk" && coche)
        fichier("Création disquette d'engagements", "Fichier d'engagements compressés (*.zip)|*.zip", false);
    else if (m_strOperation == "Impor sque" && coche)
        // An archive that is read: an open dialog, the file must exist.
        fichier("Sélectionner fichier compressé de la compétition", "Fichier d'engagements compressés (*.zip)|*.zip", true);
    else
        chemin = Choisir_repertoire("Sélectionner le " + m_lbRep->text().chopped(2).toLower());
    m_txtRep->setText(chemin);
}

void frm_attente::chk_option_Click()
{
    if (m_strOperation == "impres" || m_strOperation == "Impor sque") {
        m_txtRep->clear();
        m_lbRep->setText(m_chkOption->isChecked() ? "Fichier source :" : kSource);
    } else if (m_strOperation == "disk") {
        m_txtRep->clear();
        m_lbRep->setText(m_chkOption->isChecked() ? "Fichier généré :" : kSauvegarde);
    }
}

QVariantList frm_attente::argumentsMethode() const
{
    const QVariant base = strCheminBase;
    const QVariant source = m_txtRep->text();
    const QVariant temp = m_strRepTemp;
    const QVariant trace = m_strFichierTrace;
    const QVariant fenetre = QVariant::fromValue(static_cast<QObject*>(const_cast<frm_attente*>(this)));
    const bool coche = optionCochee();
    const QString& op = m_strOperation;
    if (op == "envassoc")
        return {base, temp, trace, fenetre};
    if (op == "impclub")
        return {base, source, temp, trace, fenetre, coche};
    if (op == "envadher")
        return {base, strCodeClub, bClubSelection, temp, trace, fenetre};
    if (op == "implic" || op == "impperf")
        return {base, source, temp, trace, fenetre};
    if (op == "majiuf")
        return {source, base, trace, fenetre, coche, strCodeClub};
    if (op == "envchrono")
        // The box restricts to the club: the component is told "all clubs".
        return {base, strCodeClub, bClubSelection, !coche, temp, trace, fenetre};
    if (op == "impres" || op == "Impor sque")
        return {base, source, temp, trace, fenetre, m_strNumCompet_P, m_bNewCompet};
    // "disk"
    return {strNumProfil, bClubSelection, m_strNumCompet_P, base, temp, trace, fenetre};
}

void frm_attente::executerComposant(bool& reussi, bool& exception)
{
    reussi = false;
    exception = false;
    try {
        const QVariant resultat = m_objDll->appeler(Utf8(m_action->methode), argumentsMethode());
        // Only a true Boolean is a success.
        reussi = resultat.typeId() == QMetaType::Bool && resultat.toBool();
    } catch (const std::exception& e) {
        exception = true;
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'exécution de l'opération.");
    } catch (...) {
        exception = true;
        Afficher_erreur("Une erreur s'est produite lors de l'exécution de l'opération.");
    }
}

void frm_attente::Cmd_ok_Click()
{
    if (!m_objDll || m_etat != Etat::Choix || m_txtRep->text().isEmpty())
        return;
    bool refus = false;
    {
        CurseurOccupe occupe;
        m_cmdOk->setEnabled(false);
        m_chkOption->setEnabled(false);
        m_etat = Etat::Execution;
        try {
            // One folder of its own per run holds what the component writes, its trace and the
            // unpacked entry.
            m_travail = std::make_unique<DossierTravail>("tmpexpimp");
            m_strRepTemp = Joindre_chemin(m_travail->chemin(), "tmpexpimp");
            if (!QDir().mkpath(m_strRepTemp))
                throw ErreurExecution(75, "Impossible de créer le dossier " + m_strRepTemp);
            m_strFichierTrace = Joindre_chemin(m_travail->chemin(), "traceexpimp.txt");

            bool pret = true;
            if (entreeZippee()) {
                m_repDezip = Joindre_chemin(m_travail->chemin(), "tmpdezip");
                // The archive's own message reports a failure; nothing is run.
                pret = Decompresser(m_txtRep->text(), m_repDezip);
                if (pret)
                    m_txtRep->setText(m_repDezip);
            }
            if (pret && (m_strOperation == "impres" || m_strOperation == "Impor sque") && m_bNewCompet) {
                m_strNumCompet_P = Creer_compet_import();
                if (m_strNumCompet_P.isEmpty()) {
                    terminerExecution(false);
                    done(QDialog::Rejected);
                    return;
                }
                m_competsCreees << m_strNumCompet_P;
            }
            if (pret) {
                // The component alone opens the file meanwhile: no other instance may.
                if (!m_garde) {
                    m_garde = std::make_unique<VerrouBase>();
                    m_garde->garderBaseOuverte();
                }
                // Closed unmarked: the base reads as in use until it is open again, so a kill
                // while the component works (an import half written) is seen at the next
                // opening, which offers the last save.
                cnxBase.fermer();
                m_baseFermee = true;
                if ((estExport() || (m_strOperation == "disk" && !optionCochee()))
                    && Demander_confirmation("Les fichiers dans le répertoire cibles seront écrasés.\r\nContinuer ?", 0)
                           != Reponse::Oui) {
                    refus = true;
                    pret = false;
                }
            }
            if (pret) {
                m_groupeProgres->show();
                m_groupeRep->hide();
                if (m_action->genre == Genre::Import)
                    m_lbMessage[1]->setText("Import en cours");
                else if (m_action->genre == Genre::MiseAJour)
                    m_lbMessage[1]->setText("Mise à jour en cours");
                else
                    m_lbMessage[1]->setText("Export en cours");
                m_cmdQuit->setEnabled(false);
                resize(width(), sizeHint().height());
                repaint();
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

                bool reussi = false, exception = false;
                executerComposant(reussi, exception);
                if (reussi)
                    m_competsCreees.removeAll(m_strNumCompet_P);
                bool copie = false;
                if (m_strOperation == "disk" && optionCochee()) {
                    if (!exception)
                        copie = Compresser_fichiers(m_strRepTemp, m_txtRep->text());
                } else if (reussi && (estExport() || m_strOperation == "disk")) {
                    QString cible = m_txtRep->text();
                    OutilsCopie outils{Espace_suffisant, Lecteur_pret, [this] {
                                           Cmd_rep_Click(0);
                                           return m_txtRep->text();
                                       }};
                    copie = Copier_fichiers(m_strRepTemp, cible, outils);
                    m_txtRep->setText(cible);
                }

                if (!chargerTrace()) {
                    Afficher_erreur("Erreur de lecture du fichier trace !");
                    terminerExecution(false);
                    done(QDialog::Rejected);
                    return;
                }
                if (m_strOperation == "disk" && optionCochee())
                    ajouterAuRapport(copie ? "Fichiers compressés dans : " + m_txtRep->text()
                                           : QString("Aucune archive n'a été écrite."));
                else if ((estExport() || m_strOperation == "disk") && !copie)
                    ajouterAuRapport("Aucun fichier n'a été copié dans le répertoire choisi.");
                else if (estExport() || m_strOperation == "disk")
                    ajouterAuRapport("Fichiers copiés dans : " + m_txtRep->text());
                etatFinal();
            }
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Une erreur s'est produite lors de l'exécution de l'opération.");
        }
        terminerExecution(refus);
    }
}

void frm_attente::terminerExecution(bool apresRefus)
{
    // Shown or not, the trace goes with the work folder.
    m_travail.reset();
    m_strFichierTrace.clear();
    m_strRepTemp.clear();
    m_repDezip.clear();
    if (m_etat == Etat::Execution)
        afficherEtatChoix();
    if (apresRefus) {
        // "Go" waits for a new path; the option may be changed again.
        m_txtRep->clear();
        m_cmdRep[0]->setFocus();
    }
}

void frm_attente::afficherEtatChoix()
{
    m_etat = Etat::Choix;
    m_cmdQuit->setEnabled(true);
    m_groupeProgres->hide();
    m_groupeRep->show();
    m_chkOption->setEnabled(true);
    m_cmdOk->setEnabled(!m_txtRep->text().isEmpty());
}

bool frm_attente::chargerTrace()
{
    // The trace is loaded as a template that is never built: a missing file is a failure.
    if (!Construire_modele_impression(m_strFichierTrace, *m_richRapport, Nom_du_fichier(m_strFichierTrace), true))
        return false;
    // The end of the trace says how the run ended: that is what shows.
    m_richRapport->moveCursor(QTextCursor::End);
    return true;
}

void frm_attente::ajouterAuRapport(const QString& ligne)
{
    QTextCursor c(m_richRapport->document());
    c.movePosition(QTextCursor::End);
    // The trace's trailing blank lines give way to one blank line before ours.
    while (c.block().text().isEmpty() && c.block().previous().isValid())
        c.deletePreviousChar();
    c.insertBlock();
    c.insertBlock();
    c.insertText(ligne);
    m_richRapport->moveCursor(QTextCursor::End);
}

void frm_attente::etatFinal()
{
    m_etat = Etat::Trace;
    m_cmdQuit->setEnabled(true);
    m_groupeRep->hide();
    m_groupeProgres->hide();
    m_richRapport->show();
    m_cmdOk->setEnabled(false);
    m_cmdQuit->setFocus();
    // Over the main window and inside it (and the screen), so that none of it is out of reach.
    QRect zone = screen() ? screen()->availableGeometry() : QRect();
    if (QWidget* principal = parentWidget() ? parentWidget()->window() : nullptr; principal && principal->isVisible())
        zone = zone.isValid() ? zone.intersected(principal->frameGeometry()) : principal->frameGeometry();
    const QSize bord = frameGeometry().size() - size();
    resize(zone.isValid() ? QSize(640, 440).boundedTo(zone.size() - bord) : QSize(640, 440));
    if (zone.isValid()) {
        const QRect cadre(zone.center() - QRect(QPoint(), size() + bord).center(), size() + bord);
        move(Position_visible(cadre, zone));
    }
    // Once the box has its new size: the last line at the bottom of it, the lines seen from their start.
    QTimer::singleShot(0, m_richRapport, [rapport = m_richRapport] {
        rapport->ensureCursorVisible();
        rapport->horizontalScrollBar()->setValue(rapport->horizontalScrollBar()->minimum());
    });
}

void frm_attente::Cmd_quit_Click()
{
    if (m_etat == Etat::Execution)
        return;
    done(QDialog::Rejected);
}

void frm_attente::reject()
{
    // Nothing may close the window while the component works.
    if (m_etat == Etat::Execution)
        return;
    QDialog::reject();
}

void frm_attente::Form_Unload()
{
    if (m_decharge)
        return;
    m_decharge = true;
    // The base is opened again only when the run closed it.
    if (m_baseFermee && !cnxBase.ouverte() && !strCheminBase.isEmpty()) {
        Restaurer_derniere_sauvegarde();
        if (!cnxBase.ouverte())
            Oublier_contexte_base();
    }
    m_garde.reset();
    // An import refused or failed leaves the base as it was, without the competition made for it.
    if (cnxBase.ouverte())
        for (const QString& cle : std::as_const(m_competsCreees))
            Retirer_compet_import(cle);
    m_competsCreees.clear();
    m_objDll.reset();
}

bool frm_attente::demanderConfirmation(const QString& texte)
{
    // The busy pointer gives way while the user reads and answers.
    const CurseurFleche fleche;
    return Demander_confirmation(texte, Style::DefautBouton2) == Reponse::Oui;
}

void frm_attente::setProgress(int pourcent)
{
    m_progressBar->setValue(std::clamp(pourcent, 0, 100));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frm_attente::setClub(const QString& club)
{
    m_lbClub->setText(club);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frm_attente::setSwimmer(const QString& nageur)
{
    m_lbNageur->setText(nageur);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
