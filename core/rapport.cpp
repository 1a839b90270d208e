#include "core/rapport.h"

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/globales.h"
#include "core/messages.h"
#include "core/rtf.h"
#include "core/saisie.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr double kTwipsParPixel = 15.0;
constexpr double kTabulationPixels = 48.0; // 720 twips, half an inch
constexpr int kRetraitImpressionTwips = 200;
constexpr double kMargeImpressionMm = 10.0;

// Run-time error numbers, shown in the callers' messages.
constexpr int kErreurFichierIntrouvable = 53;
constexpr int kErreurAccesFichier = 75;

QString normaliserSauts(const QString& texte)
{
    QString t = texte;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString decoderTexteBrut(const QByteArray& octets)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texte = utf8.decode(octets);
    if (utf8.hasError()) {
        texte.clear();
        texte.reserve(octets.size());
        for (const char c : octets)
            texte += rtf::depuisCp1252(uchar(c));
    }
    if (texte.startsWith(QChar(0xFEFF)))
        texte.remove(0, 1);
    return normaliserSauts(texte);
}

// Copies [debut, fin) of the source at the cursor, replacing its selection. Qt's fragments
// drop the format of the first paragraph when they land inside a document; here a copy that
// starts at a paragraph's start into a paragraph's start brings that paragraph's format along.
void insererPlage(QTextCursor& cible, const QTextDocument& source, int debut, int fin)
{
    const int longueurSource = source.characterCount() - 1;
    debut = std::clamp(debut, 0, longueurSource);
    fin = std::clamp(fin < 0 ? longueurSource : fin, debut, longueurSource);
    cible.beginEditBlock();
    cible.removeSelectedText();
    bool premier = true;
    for (QTextBlock bloc = source.findBlock(debut); bloc.isValid(); bloc = bloc.next()) {
        if (premier) {
            if (bloc.position() == debut && cible.atBlockStart()) {
                cible.setBlockFormat(bloc.blockFormat());
                if (cible.block().length() == 1)
                    cible.setBlockCharFormat(bloc.charFormat());
            }
            premier = false;
        } else {
            cible.insertBlock(bloc.blockFormat(), bloc.charFormat());
        }
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int a = std::max(debut, fragment.position());
            const int b = std::min(fin, fragment.position() + fragment.length());
            if (a < b)
                cible.insertText(fragment.text().mid(a - fragment.position(), b - a), fragment.charFormat());
        }
        // The paragraph break belongs to the range only when it lies before its end.
        if (bloc.position() + bloc.length() - 1 >= fin)
            break;
    }
    cible.endEditBlock();
}

QPointer<frm_tempo_rapport>& fenetreRapport()
{
    static QPointer<frm_tempo_rapport> fenetre;
    return fenetre;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// BoiteRiche

BoiteRiche::BoiteRiche(QWidget* parent) : QTextEdit(parent)
{
    QFont police = font();
    police.setPointSize(10); // what a plain-text file shows in
    setFont(police);
    setTabStopDistance(kTabulationPixels);
}

void BoiteRiche::chargerFichier(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        if (!fichier.exists())
            throw ErreurExecution(kErreurFichierIntrouvable, "Fichier introuvable : " + chemin);
        throw ErreurExecution(kErreurAccesFichier, "Erreur d'accès au chemin/fichier : " + chemin);
    }
    const QByteArray octets = fichier.readAll();
    if (rtf::estRtf(octets)) {
        setRtf(octets);
        return;
    }
    setPlainText(decoderTexteBrut(octets));
    setTextCursor(QTextCursor(document()));
}

void BoiteRiche::enregistrerRtf(const QString& chemin) const
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        throw ErreurExecution(kErreurAccesFichier, "Erreur d'accès au chemin/fichier : " + chemin);
    const QByteArray octets = rtf();
    if (fichier.write(octets) != octets.size() || !fichier.commit())
        throw ErreurExecution(kErreurAccesFichier, "Erreur d'accès au chemin/fichier : " + chemin);
}

QByteArray BoiteRiche::rtf() const
{
    return rtf::ecrire(*document());
}

void BoiteRiche::setRtf(const QByteArray& contenu)
{
    rtf::lire(contenu, *document());
    setTextCursor(QTextCursor(document()));
}

QByteArray BoiteRiche::rtfSelection() const
{
    QTextDocument copie;
    copie.setDefaultFont(document()->defaultFont());
    copie.setDefaultTextOption(document()->defaultTextOption());
    QTextCursor cible(&copie);
    const QTextCursor selection = textCursor();
    insererPlage(cible, *document(), selection.selectionStart(), selection.selectionEnd());
    return rtf::ecrire(copie);
}

void BoiteRiche::remplacerSelectionParRtf(const QByteArray& contenu)
{
    QTextDocument source;
    source.setDefaultFont(document()->defaultFont());
    rtf::lire(contenu, source);
    remplacerSelection(source);
}

void BoiteRiche::remplacerSelection(const QTextDocument& source, int debut, int fin)
{
    QTextCursor c = textCursor();
    insererPlage(c, source, debut, fin);
    setTextCursor(c);
}

void BoiteRiche::remplacerSelectionParSelection(const BoiteRiche& source)
{
    const QTextCursor s = source.textCursor();
    remplacerSelection(*source.document(), s.selectionStart(), s.selectionEnd());
}

void BoiteRiche::copierDocument(const BoiteRiche& source)
{
    if (&source == this)
        return;
    vider();
    document()->setDefaultTextOption(source.document()->defaultTextOption());
    remplacerSelection(*source.document());
    setTextCursor(QTextCursor(document()));
}

void BoiteRiche::ajouterPage(const QTextDocument& page)
{
    const bool suite = !document()->isEmpty();
    selectionner(longueur(), 0);
    const int debut = longueur();
    if (suite)
        ecrireTexte("\n");
    remplacerSelection(page);
    if (suite) {
        QTextCursor c(document()->findBlock(debut + 1));
        QTextBlockFormat f = c.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.setBlockFormat(f);
    }
}

void BoiteRiche::vider()
{
    clear();
    // An emptied box starts again from its own font, not from the last text's format.
    QTextCursor c(document());
    c.setBlockFormat(QTextBlockFormat());
    c.setBlockCharFormat(QTextCharFormat());
    setTextCursor(c);
}

QString BoiteRiche::texte() const
{
    return toPlainText();
}

int BoiteRiche::longueur() const
{
    return document()->characterCount() - 1;
}

int BoiteRiche::debutSelection() const
{
    return textCursor().selectionStart();
}

int BoiteRiche::longueurSelection() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void BoiteRiche::selectionner(int debut, int longueurSel)
{
    const int total = longueur();
    const int a = std::clamp(debut, 0, total);
    const int b = std::clamp(qint64(a) + std::max(0, longueurSel), qint64(a), qint64(total));
    QTextCursor c(document());
    c.setPosition(a);
    c.setPosition(int(b), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

int BoiteRiche::chercher(const QString& texteCherche, int debut)
{
    if (texteCherche.isEmpty())
        return -1;
    const QTextCursor trouve = document()->find(texteCherche, std::clamp(debut, 0, longueur()));
    if (trouve.isNull())
        return -1;
    setTextCursor(trouve);
    return trouve.selectionStart();
}

void BoiteRiche::ecrireTexte(const QString& texteEcrit)
{
    QTextCursor c = textCursor();
    c.beginEditBlock();
    if (c.hasSelection()) {
        QTextCursor premier(document());
        premier.setPosition(c.selectionStart() + 1);
        const QTextCharFormat format = premier.charFormat();
        c.removeSelectedText();
        c.setCharFormat(format);
    }
    QString t = normaliserSauts(texteEcrit);
    if (rtf::policeSymbole(rtf::famille(c.charFormat(), document()->defaultFont()))) {
        // A symbol font draws pictures for bytes: show the picture the byte stands for.
        for (QChar& ch : t)
            if (ch.unicode() >= 0x20 && ch.unicode() <= 0xFF)
                ch = rtf::caractereSymbole(uchar(ch.unicode()));
    }
    c.insertText(t);
    c.endEditBlock();
    setTextCursor(c);
}

void BoiteRiche::supprimerSautDeLigne()
{
    const int depart = textCursor().position();
    const QTextBlock bloc = document()->findBlock(depart);
    if (!bloc.isValid())
        return;
    const qsizetype dansLigne = bloc.text().indexOf(QChar(QChar::LineSeparator), depart - bloc.position());
    int position;
    if (dansLigne >= 0)
        position = bloc.position() + int(dansLigne);
    else if (bloc.next().isValid())
        position = bloc.position() + bloc.length() - 1;
    else
        return;
    QTextCursor c(document());
    c.setPosition(position);
    c.deleteChar();
}

namespace {
void fusionnerCaracteres(BoiteRiche& boite, const QTextCharFormat& format)
{
    QTextCursor c = boite.textCursor();
    c.mergeCharFormat(format);
    boite.setTextCursor(c);
}

void fusionnerParagraphes(BoiteRiche& boite, const QTextBlockFormat& format)
{
    QTextCursor c = boite.textCursor();
    c.mergeBlockFormat(format);
    boite.setTextCursor(c);
}
} // namespace

bool BoiteRiche::gras() const
{
    return textCursor().charFormat().fontWeight() >= QFont::DemiBold;
}

bool BoiteRiche::italique() const
{
    return textCursor().charFormat().fontItalic();
}

bool BoiteRiche::souligne() const
{
    return textCursor().charFormat().fontUnderline();
}

void BoiteRiche::setGras(bool oui)
{
    QTextCharFormat f;
    f.setFontWeight(oui ? QFont::Bold : QFont::Normal);
    fusionnerCaracteres(*this, f);
}

void BoiteRiche::setItalique(bool oui)
{
    QTextCharFormat f;
    f.setFontItalic(oui);
    fusionnerCaracteres(*this, f);
}

void BoiteRiche::setSouligne(bool oui)
{
    QTextCharFormat f;
    f.setFontUnderline(oui);
    fusionnerCaracteres(*this, f);
}

void BoiteRiche::setTaille(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(std::min(points, 1638.0));
    fusionnerCaracteres(*this, f);
}

void BoiteRiche::setPolice(const QString& famille)
{
    fusionnerCaracteres(*this, rtf::formatPolice(famille));
}

void BoiteRiche::setCouleur(const QColor& couleur)
{
    QTextCharFormat f;
    f.setForeground(couleur.isValid() ? QBrush(couleur) : QBrush());
    fusionnerCaracteres(*this, f);
}

void BoiteRiche::setAlignement(Qt::Alignment alignement)
{
    QTextBlockFormat f;
    f.setAlignment(alignement);
    fusionnerParagraphes(*this, f);
}

void BoiteRiche::setRetraitGauche(int twips)
{
    QTextBlockFormat f;
    f.setLeftMargin(twips / kTwipsParPixel);
    fusionnerParagraphes(*this, f);
}

void BoiteRiche::imprimer(QPrinter& imprimante) const
{
    // A document without a page size would be printed by Qt on a copy with 2 cm margins and
    // page numbers, and would wrap lines that fit the page. Laying the copy out on the printer
    // itself, one page the size of the printable area, prints it as it is.
    std::unique_ptr<QTextDocument> copie(document()->clone());
    copie->setDocumentMargin(0);
    imprimante.setPageMargins(QMarginsF(kMargeImpressionMm, kMargeImpressionMm, kMargeImpressionMm,
                                        kMargeImpressionMm),
                              QPageLayout::Millimeter);
    copie->documentLayout()->setPaintDevice(&imprimante);
    const QSizeF page(imprimante.width(), imprimante.height());
    copie->setPageSize(page);
    // Page by page rather than QTextDocument::print, which draws on each page, under its clip,
    // the line that opens the next page: that line would be in the file twice, once past the
    // end of the page before (a next letter's first line, under a letter that fills its page).
    QPainter peintre(&imprimante);
    if (!peintre.isActive())
        return;
    // The pages asked for in the printer dialog, from 1.
    int premiere = 1;
    int derniere = copie->pageCount();
    if (imprimante.fromPage() > 0) {
        premiere = std::max(premiere, imprimante.fromPage());
        derniere = std::min(derniere, imprimante.toPage());
    }
    // A printer makes the copies itself; a file gets them here, as the dialog asked.
    const int copies = imprimante.supportsMultipleCopies() ? 1 : std::max(1, imprimante.copyCount());
    const bool assemblees = imprimante.collateCopies();
    QList<int> ordre;
    for (int copie = 0; copie < (assemblees ? copies : 1); ++copie) {
        for (int n = premiere - 1; n < derniere; ++n) {
            const int page = imprimante.pageOrder() == QPrinter::LastPageFirst ? premiere - 1 + derniere - 1 - n : n;
            for (int fois = 0; fois < (assemblees ? 1 : copies); ++fois)
                ordre << page;
        }
    }
    for (qsizetype i = 0; i < ordre.size(); ++i) {
        const int n = ordre[i];
        if (i > 0 && !imprimante.newPage())
            return;
        const QRectF vue(0, n * page.height(), page.width(), page.height());
        peintre.save();
        peintre.translate(0, -vue.top());
        peintre.setClipRect(vue);
        QAbstractTextDocumentLayout::PaintContext contexte;
        contexte.clip = vue.adjusted(0, 0, 0, -1); // what starts at the next page's top is not on this one
        contexte.palette.setColor(QPalette::Text, Qt::black);
        copie->documentLayout()->draw(&peintre, contexte);
        peintre.restore();
    }
}

// ---------------------------------------------------------------------------------------------
// Report window

frm_tempo_rapport::frm_tempo_rapport(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("frm_tempo_rapport");
    rich = new BoiteRiche(this);
    rich->setObjectName("rich");
    rich_modele = new BoiteRiche(this);
    rich_modele->setObjectName("rich_modele");
    // Reports are written by the program, never undone: no history to pile up.
    rich->document()->setUndoRedoEnabled(false);
    rich_modele->document()->setUndoRedoEnabled(false);
}

frm_tempo_rapport& Charger_frm_tempo_rapport()
{
    QPointer<frm_tempo_rapport>& fenetre = fenetreRapport();
    if (!fenetre)
        fenetre = new frm_tempo_rapport(frmPrincipal.data()); // the main window owns it
    return *fenetre;
}

void Decharger_frm_tempo_rapport()
{
    delete fenetreRapport().data();
}

bool frm_tempo_rapport_charge()
{
    return !fenetreRapport().isNull();
}

// ---------------------------------------------------------------------------------------------
// Templates and the writing procedures

bool Construire_modele_impression(const QString& chemin, BoiteRiche& boite, const QString& nomModele,
                                  bool bSansConstruction)
{
    try {
        if (QFileInfo::exists(chemin)) {
            boite.chargerFichier(chemin);
            return true;
        }
        if (bSansConstruction)
            return false;
        const QString classe = QStringLiteral("ReportTemplateBuilder");
        std::unique_ptr<Composant> constructeur = Composants::creer(classe);
        if (!constructeur) {
            Erreur_chargement_dll(Composants::fichier(classe));
            return false;
        }
        // Built once beside the others; where that may not be written, built for this print
        // in a work folder.
        std::optional<DossierTravail> travail;
        QString cible = chemin;
        const QFileInfo dossier(QFileInfo(chemin).absolutePath());
        if (dossier.isDir() && !dossier.isWritable()) {
            travail.emplace("tmpmodele");
            cible = Joindre_chemin(travail->chemin(), Nom_du_fichier(chemin));
        }
        if (!constructeur->appeler("Construct_Modele", {cible, nomModele}).toBool())
            throw ErreurExecution(kErreurAccesFichier, "Le modèle n'a pas pu être écrit : " + cible);
        boite.chargerFichier(cible);
        return true;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement du modèle " + nomModele + " pour l'impression.");
        return false;
    }
}

void Rtb_set_taille(BoiteRiche& boite, qint16 taille)
{
    if (taille != 0)
        boite.setTaille(taille);
}

void Rtb_set_gras(BoiteRiche& boite, bool oui)
{
    boite.setGras(oui);
}

void Rtb_set_souligne(BoiteRiche& boite, bool oui)
{
    boite.setSouligne(oui);
}

void Rtb_ecrire(BoiteRiche& boite, const QString& texte, qint16 taille)
{
    Rtb_set_taille(boite, taille);
    boite.ecrireTexte(texte);
}

void Rtb_ecrire_gras(BoiteRiche& boite, qint16 taille, const QString& texte)
{
    Rtb_set_gras(boite, true);
    Rtb_ecrire(boite, texte, taille);
    Rtb_set_gras(boite, false);
}

void Rtb_ecrire_souligne(BoiteRiche& boite, qint16 taille, const QString& texte)
{
    Rtb_set_souligne(boite, true);
    Rtb_ecrire(boite, texte, taille);
    Rtb_set_souligne(boite, false);
}

void Rtb_ecrire_style(BoiteRiche& boite, qint16 taille, const QString& texte, bool gras, bool souligne)
{
    Rtb_set_souligne(boite, souligne);
    Rtb_set_gras(boite, gras);
    Rtb_ecrire(boite, texte, taille);
    Rtb_set_gras(boite, false);
    Rtb_set_souligne(boite, false);
}

void Rtb_remplacer_balise(BoiteRiche& boite, const QString& balise, const QString& valeur, qint32 debut)
{
    boite.chercher(balise, debut);
    boite.ecrireTexte(valeur);
}

void Rtb_selectionner(BoiteRiche& boite, qint32 debut, qint32 longueur)
{
    boite.selectionner(debut, longueur);
}

bool Rtb_imprimer(BoiteRiche& boite, QPrinter* imprimante, const QString& chemin, bool imprimer)
{
    if (!imprimer) {
        boite.enregistrerRtf(chemin);
        return true;
    }
    std::unique_ptr<QPrinter> choisie;
    if (!imprimante) {
        choisie = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!Choisir_imprimante(*choisie))
            return false;
        imprimante = choisie.get();
    }
    const QTextCursor caret = boite.textCursor();
    Rtb_selectionner(boite, 0, boite.longueur());
    boite.setRetraitGauche(kRetraitImpressionTwips);
    boite.imprimer(*imprimante);
    boite.setTextCursor(caret);
    return true;
}
