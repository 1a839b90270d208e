// ReportTemplateBuilder: writes the report templates the program loads when one is missing.
// Each template keeps the placeholders its report replaces; the lines that reports write after
// a placeholder take its format, so list placeholders sit in a monospace font, and the last
// placeholder a report replaces ends the template when the report goes on writing from there.

#include "core/composants.h"
#include "core/erreurs.h"
#include "core/rtf.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace {

struct Style {
    const char* famille;
    double taille;
    bool gras = false;
    bool souligne = false;
};

const Style kTitre{"Arial", 16, true};
const Style kSousTitre{"Arial", 12, true};
const Style kTexte{"Arial", 10};
const Style kRubrique{"Arial", 11, true, true};
const Style kCorps{"Courier New", 10};
const Style kCorpsPetit{"Courier New", 9}; // results lines are 90 characters wide
const Style kCorpsMini{"Courier New", 8};  // records lines are written in 8 points

struct Ligne {
    QString texte;
    Style style;
    Qt::Alignment alignement = Qt::AlignLeft;
};

using Modele = std::vector<Ligne>;

constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
constexpr Qt::Alignment kDroite = Qt::AlignRight;

// Licence list: its lines go on from the club line.
Modele modeleLicences()
{
    return {{"Liste des licenciés", kTitre, kCentre},
            {"Profil : <NOM_PROFIL>", kTexte, kCentre},
            {"", kTexte},
            {"Club : <NOM_CLUB> - Code : <CODE_CLUB>", kCorps}};
}

Modele modeleBordereau()
{
    return {{"Bordereau d'engagements", kTitre, kCentre},
            {"<NOM_COMPET>", kSousTitre, kCentre},
            {"<DATE_COMPET> - <LIEU_COMPET> - Bassin de <BASSIN> m", kTexte, kCentre},
            {"", kTexte},
            {"Club : <NOM_CLUB> (<CODE_CLUB>)", kTexte},
            {"Edité le <DATE_JOUR>", kTexte},
            {"", kTexte},
            {"Engagements individuels", kRubrique},
            {"<ENGAG_INDIV>", kCorps},
            {"", kCorps},
            {"Engagements relais", kRubrique},
            {"<ENGAG_RELAIS>", kCorps}};
}

// Convocation letter. Every placeholder filled after the personal message comes before it, so
// that a message quoting one of them is left alone; "Programme :" is a label the letter drops
// when no programme is printed.
Modele modeleConvocation()
{
    return {{"<NOM_CLUB>", kSousTitre},
            {"Code club : <CODE_CLUB>", kTexte},
            {"Le <DATE_JOUR>", kTexte, kDroite},
            {"", kTexte},
            {"<NAGEUR>", kTexte, kDroite},
            {"Licence : <LICENCE>", kTexte, kDroite},
            {"", kTexte},
            {"Convocation", kTitre, kCentre},
            {"<NOM_COMPET>", kSousTitre, kCentre},
            {"<DATE_COMPET> - <LIEU_COMPET> - Bassin de <BASSIN> m", kTexte, kCentre},
            {"<NOM_PISCINE>", kTexte, kCentre},
            {"<ADRESSE_PISCINE>", kTexte, kCentre},
            {"<VILLE_PISCINE>", kTexte, kCentre},
            {"", kTexte},
            {"Programme :", kRubrique},
            {"<PROG>", kCorps},
            {"", kCorps},
            {"Vos engagements :", kRubrique},
            {"<ENGAG>", kCorps},
            {"<ENGAG_RELAIS>", kCorps},
            {"", kTexte},
            {"<MSG_PERSO>", kTexte}};
}

// Results: the report writes from the end, in the format of the rule that ends the template.
// An empty last paragraph would do on paper, but word processors drop its format when they save.
Modele modeleResultats()
{
    return {{"Résultats", kTitre, kCentre},
            {"<NOM_COMPET>", kSousTitre, kCentre},
            {"<DATE_COMPET> - <LIEU_COMPET>", kTexte, kCentre},
            {QString(90, '='), kCorpsPetit}};
}

// Performances: the lines go on from the date.
Modele modelePerformances()
{
    return {{"Suivi des performances", kTitre, kCentre},
            {"<NOM_CLUB>", kSousTitre, kCentre},
            {"", kTexte},
            {"Mise à jour du <DATE_MAJ>", kCorps}};
}

Modele modeleRecords()
{
    return {{"Records du club", kTitre, kCentre},
            {"<NOM_CLUB>", kSousTitre, kCentre},
            {"Mise à jour du <DATE_MAJ>", kTexte, kCentre},
            {"<TYPE_BASSIN>", kTexte, kCentre},
            {QString(90, '='), kCorpsMini}};
}

// Interclub points: the estimate, with its own formats, is appended in the empty last paragraph.
Modele modelePointsEquipes()
{
    return {{"Estimation des points des équipes interclubs", kTitre, kCentre},
            {"<NOM_COMPET>", kSousTitre, kCentre},
            {"<DATE_COMPET> - <LIEU_COMPET> - Bassin de <BASSIN> m", kTexte, kCentre},
            {"", kTexte}};
}

// The template for a name; the file's own name stands in for an unknown template name.
Modele modele(const QString& nom, const QString& chemin)
{
    for (const QString& cle : {nom.toLower(), QFileInfo(chemin).completeBaseName().toLower()}) {
        if (cle == "rptlic")
            return modeleLicences();
        if (cle == "bor_engag")
            return modeleBordereau();
        if (cle == "convo")
            return modeleConvocation();
        if (cle == "rescompet" || cle == "rescomp")
            return modeleResultats();
        if (cle == "sperf")
            return modelePerformances();
        if (cle == "rec")
            return modeleRecords();
        if (cle == "respts")
            return modelePointsEquipes();
    }
    return {};
}

QByteArray composer(const Modele& lignes)
{
    QTextDocument document;
    document.setDefaultFont(QFont(kTexte.famille, int(kTexte.taille)));
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(48); // 720 twips
    document.setDefaultTextOption(option);
    QTextCursor curseur(&document);
    bool premiere = true;
    for (const Ligne& ligne : lignes) {
        QTextBlockFormat paragraphe;
        paragraphe.setAlignment(ligne.alignement);
        QTextCharFormat caracteres = rtf::formatPolice(ligne.style.famille);
        caracteres.setFontPointSize(ligne.style.taille);
        caracteres.setFontWeight(ligne.style.gras ? QFont::Bold : QFont::Normal);
        caracteres.setFontUnderline(ligne.style.souligne);
        if (premiere) {
            curseur.setBlockFormat(paragraphe);
            curseur.setBlockCharFormat(caracteres);
            premiere = false;
        } else {
            curseur.insertBlock(paragraphe, caracteres);
        }
        curseur.insertText(ligne.texte, caracteres);
    }
    return rtf::ecrire(document);
}

class ReportTemplateBuilder : public Composant {
public:
    QVariant appeler(const QString& membre, const QVariantList& arguments) override
    {
        if (membre.compare("Construct_Modele", Qt::CaseInsensitive) != 0)
            throw ErreurExecution(438, "Propriété ou méthode non gérée par cet objet : " + membre);
        if (arguments.size() != 2)
            throw ErreurExecution(450, "Nombre d'arguments incorrect");
        return construireModele(arguments[0].toString(), arguments[1].toString());
    }

private:
    static bool construireModele(const QString& chemin, const QString& nom)
    {
        const Modele lignes = modele(nom, chemin);
        if (lignes.empty())
            throw ErreurExecution(5, "Modèle inconnu : " + nom);
        QSaveFile fichier(chemin);
        const QByteArray octets = composer(lignes);
        if (!fichier.open(QIODevice::WriteOnly) || fichier.write(octets) != octets.size() || !fichier.commit())
            throw ErreurExecution(75, "Erreur d'accès au chemin/fichier : " + chemin);
        return true;
    }
};

} // namespace

QV_EXPORTER_COMPOSANT Composant* qv_creer_composant(const char* classe)
{
    if (qstrcmp(classe, "ReportTemplateBuilder") == 0)
        return new ReportTemplateBuilder;
    return nullptr;
}

QV_EXPORTER_COMPOSANT const char* qv_version_composant()
{
    return QV_COMPONENT_VERSION;
}
