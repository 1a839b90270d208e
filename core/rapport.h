#pragma once
// Rich-text reports: the rich-text box every report is written into, the hidden report window,
// the loading of a template (built by the template component when missing) and the writing,
// printing and saving procedures all report builders share.

#include <QColor>
#include <QTextEdit>
#include <QWidget>

class QPrinter;
class QTextDocument;

// A rich-text box. Positions count characters of the box's text, each paragraph break counting
// one: take lengths and positions from the box itself (longueur(), chercher()).
class BoiteRiche : public QTextEdit {
    Q_OBJECT

public:
    explicit BoiteRiche(QWidget* parent = nullptr);

    // Loads an RTF file, or a plain-text one (UTF-8, else Windows-1252). Throws ErreurExecution
    // when the file cannot be read. The caret goes to the start.
    void chargerFichier(const QString& chemin);
    // Saves the whole box as RTF, replacing the file only once it is complete. Throws
    // ErreurExecution when it cannot be written.
    void enregistrerRtf(const QString& chemin) const;

    QByteArray rtf() const;
    void setRtf(const QByteArray& rtf);
    QByteArray rtfSelection() const;
    // Replaces the selection by RTF content; the caret ends after it.
    void remplacerSelectionParRtf(const QByteArray& rtf);
    // Replaces the selection by the content of another document (all of it, or [debut, fin)),
    // paragraph and character formats included; the caret ends after it.
    void remplacerSelection(const QTextDocument& source, int debut = 0, int fin = -1);
    // The selection of another box replaces this one's selection.
    void remplacerSelectionParSelection(const BoiteRiche& source);
    // The whole content of another box, with its formats, replaces this one's; caret at the start.
    void copierDocument(const BoiteRiche& source);
    // Appends the whole of another document at the end, from a new page when this box already
    // holds something: several documents printed as one, each from its own page.
    void ajouterPage(const QTextDocument& page);
    void vider();

    QString texte() const;
    int longueur() const;
    int debutSelection() const;
    int longueurSelection() const;
    // Clamped to the text.
    void selectionner(int debut, int longueur);
    // Selects the first occurrence from debut, ignoring case; its position, or -1 (the
    // selection is then left as it was).
    int chercher(const QString& texte, int debut);

    // Writes at the caret, replacing the selection. Line breaks may be "\r\n", "\r" or "\n".
    // Replacing a selection gives the text the format of the selection's first character.
    void ecrireTexte(const QString& texte);
    // Removes the first line break at or after the caret.
    void supprimerSautDeLigne();

    // Formats of the selection and of what is written next (read at the caret).
    bool gras() const;
    bool italique() const;
    bool souligne() const;
    void setGras(bool oui);
    void setItalique(bool oui);
    void setSouligne(bool oui);
    void setTaille(double points);
    void setPolice(const QString& famille);
    void setCouleur(const QColor& couleur);
    // Formats of the paragraphs the selection touches.
    void setAlignement(Qt::Alignment alignement);
    void setRetraitGauche(int twips);

    // Prints the whole box as it stands: no automatic margins or page numbers, so fixed-width
    // columns print as they were laid out.
    void imprimer(QPrinter& imprimante) const;
};

// The hidden report window: never shown, it holds the boxes reports are composed in.
class frm_tempo_rapport : public QWidget {
    Q_OBJECT

public:
    explicit frm_tempo_rapport(QWidget* parent = nullptr);
    BoiteRiche* rich;
    BoiteRiche* rich_modele;
};

// Loads the report window (made on first use, empty) and returns it.
frm_tempo_rapport& Charger_frm_tempo_rapport();
// Unloads it: its boxes and their content are gone.
void Decharger_frm_tempo_rapport();
bool frm_tempo_rapport_charge();

// Makes sure the template exists (the template component writes it when missing, unless
// bSansConstruction) and loads it into the box. False, after a message unless the file is
// simply missing with bSansConstruction, when it cannot.
bool Construire_modele_impression(const QString& chemin, BoiteRiche& boite, const QString& nomModele,
                                  bool bSansConstruction);

void Rtb_ecrire(BoiteRiche& boite, const QString& texte, qint16 taille);
void Rtb_ecrire_gras(BoiteRiche& boite, qint16 taille, const QString& texte);
void Rtb_ecrire_souligne(BoiteRiche& boite, qint16 taille, const QString& texte);
void Rtb_ecrire_style(BoiteRiche& boite, qint16 taille, const QString& texte, bool gras, bool souligne);
void Rtb_set_gras(BoiteRiche& boite, bool oui);
void Rtb_set_souligne(BoiteRiche& boite, bool oui);
// 0 keeps the current size.
void Rtb_set_taille(BoiteRiche& boite, qint16 taille);
// Replaces the first occurrence from debut; when absent the value replaces the selection.
void Rtb_remplacer_balise(BoiteRiche& boite, const QString& balise, const QString& valeur, qint32 debut);
void Rtb_selectionner(BoiteRiche& boite, qint32 debut, qint32 longueur);
// imprimer: prints the whole box with every paragraph indented 200 twips, the caret kept, on
// the printer chosen beforehand through the user-interface port; without one it asks for it,
// and a cancel stops silently (false). Otherwise saves the box as RTF at chemin.
// Throws ErreurExecution when the file cannot be written.
bool Rtb_imprimer(BoiteRiche& boite, QPrinter* imprimante, const QString& chemin, bool imprimer);
