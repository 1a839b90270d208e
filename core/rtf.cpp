#include "core/rtf.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <vector>

namespace rtf {

namespace {

// 0x80 to 0x9F of Windows-1252; the five holes read as U+FFFD.
constexpr char16_t kCp1252Haut[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

constexpr int kDemiPointsDefaut = 24; // RTF's size when a file gives none: 12 pt
constexpr int kDemiPointsMin = 2;
constexpr int kDemiPointsMax = 3276;
constexpr int kTabulationDefaut = 720; // twips: half an inch
constexpr double kTwipsParPixel = 15.0; // 1440 twips per inch, 96 pixels per inch
constexpr int kTwipsMax = 31680;        // 22 inches: anything longer is garbage
constexpr int kTabulationsMax = 64;
constexpr int kProfondeurMax = 256; // deeper groups are counted, not stacked
constexpr int kEntreesTableMax = 4096;
constexpr int kLongueurMotMax = 32;
constexpr QChar kScissors(0x2702);

int borner(int valeur, int min, int max)
{
    return std::clamp(valeur, min, max);
}

// ---------------------------------------------------------------------------------------------
// Reader

struct Police {
    QString nom;
    bool chasseFixe = false;
    bool symbole = false;
};

struct EtatCaractere {
    int police = -1; // -1: the default font
    int demiPoints = kDemiPointsDefaut;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    bool cache = false;
    int couleur = 0;
    bool operator==(const EtatCaractere&) const = default;
};

struct EtatParagraphe {
    Qt::Alignment alignement = Qt::AlignLeft;
    int gauche = 0; // twips
    int droite = 0;
    int premiere = 0;
    int avant = 0;
    int apres = 0;
    QList<QTextOption::Tab> tabulations;
    QTextOption::TabType typeTabulation = QTextOption::LeftTab; // for the next \tx
    bool sautPageAvant = false;
};

enum class Destination { Texte, Ignorer, Polices, Couleurs };

struct Etat {
    EtatCaractere car;
    EtatParagraphe para;
    Destination destination = Destination::Texte;
    int uc = 1;
};

enum class Mot {
    Ignorer, // a destination we skip whole
    TablePolices,
    TableCouleurs,
    Plain, Gras, Italique, Souligne, SansSouligne, SoulignePar, Barre, Cache, Taille, PoliceMot, Couleur,
    Pard, Gauche, Centre, Droite, Justifie, RetraitGauche, RetraitDroit, RetraitPremiere, Avant, Apres,
    Tabulation, TabDroite, TabCentre, TabDecimale, SautPageAvant,
    Par, Ligne, Page, Tab, Cellule,
    Caractere, // a named character (\emdash, \bullet, ...)
    Unicode, SautUnicode, PoliceDefaut, TabulationDefaut,
    Rouge, Vert, Bleu, FamilleFixe, Pas, JeuCaracteres,
    Binaire,
};

struct DefinitionMot {
    Mot mot;
    char16_t caractere = 0;
};

const QHash<QByteArray, DefinitionMot>& tableMots()
{
    static const QHash<QByteArray, DefinitionMot> table = [] {
        QHash<QByteArray, DefinitionMot> t;
        for (const char* d : {"info", "stylesheet", "pict", "header", "headerl", "headerr", "headerf", "footer",
                              "footerl", "footerr", "footerf", "footnote", "annotation", "xe", "tc", "tcn",
                              "bkmkstart", "bkmkend", "object", "objdata", "themedata", "colorschememapping",
                              "datastore", "latentstyles", "listtable", "listoverridetable", "rsidtbl",
                              "revtbl", "filetbl", "pgdsctbl", "shp", "shpinst", "sp", "nonshppict", "do",
                              "private", "generator", "userprops", "fldinst", "template", "xmlnstbl", "atnid",
                              "atnauthor", "atndate", "atnref", "comment", "pntxta", "pntxtb", "mmathPr",
                              "docvar", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "blipuid", "panose",
                              "falt", "fname", "listpicture", "wgrffmtfilter", "pnseclvl", "operator",
                              "author", "title", "subject", "keywords", "company", "doccomm", "hlinkbase"})
            t.insert(d, {Mot::Ignorer});
        t.insert("fonttbl", {Mot::TablePolices});
        t.insert("colortbl", {Mot::TableCouleurs});
        t.insert("plain", {Mot::Plain});
        t.insert("b", {Mot::Gras});
        t.insert("i", {Mot::Italique});
        t.insert("ul", {Mot::Souligne});
        t.insert("ulnone", {Mot::SansSouligne});
        for (const char* u : {"uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
                              "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
                              "ulwave"})
            t.insert(u, {Mot::SoulignePar});
        t.insert("strike", {Mot::Barre});
        t.insert("striked", {Mot::Barre});
        t.insert("v", {Mot::Cache});
        t.insert("fs", {Mot::Taille});
        t.insert("f", {Mot::PoliceMot});
        t.insert("cf", {Mot::Couleur});
        t.insert("pard", {Mot::Pard});
        t.insert("ql", {Mot::Gauche});
        t.insert("qc", {Mot::Centre});
        t.insert("qr", {Mot::Droite});
        t.insert("qj", {Mot::Justifie});
        t.insert("qd", {Mot::Justifie});
        t.insert("li", {Mot::RetraitGauche});
        t.insert("lin", {Mot::RetraitGauche});
        t.insert("ri", {Mot::RetraitDroit});
        t.insert("rin", {Mot::RetraitDroit});
        t.insert("fi", {Mot::RetraitPremiere});
        t.insert("sb", {Mot::Avant});
        t.insert("sa", {Mot::Apres});
        t.insert("tx", {Mot::Tabulation});
        t.insert("tqr", {Mot::TabDroite});
        t.insert("tqc", {Mot::TabCentre});
        t.insert("tqdec", {Mot::TabDecimale});
        t.insert("pagebb", {Mot::SautPageAvant});
        t.insert("par", {Mot::Par});
        t.insert("sect", {Mot::Par});
        t.insert("row", {Mot::Par});
        t.insert("line", {Mot::Ligne});
        t.insert("page", {Mot::Page});
        t.insert("tab", {Mot::Tab});
        t.insert("cell", {Mot::Cellule});
        t.insert("nestcell", {Mot::Cellule});
        t.insert("emdash", {Mot::Caractere, 0x2014});
        t.insert("endash", {Mot::Caractere, 0x2013});
        t.insert("lquote", {Mot::Caractere, 0x2018});
        t.insert("rquote", {Mot::Caractere, 0x2019});
        t.insert("ldblquote", {Mot::Caractere, 0x201C});
        t.insert("rdblquote", {Mot::Caractere, 0x201D});
        t.insert("bullet", {Mot::Caractere, 0x2022});
        t.insert("emspace", {Mot::Caractere, 0x2003});
        t.insert("enspace", {Mot::Caractere, 0x2002});
        t.insert("qmspace", {Mot::Caractere, 0x2005});
        t.insert("zwj", {Mot::Caractere, 0x200D});
        t.insert("zwnj", {Mot::Caractere, 0x200C});
        t.insert("u", {Mot::Unicode});
        t.insert("uc", {Mot::SautUnicode});
        t.insert("deff", {Mot::PoliceDefaut});
        t.insert("deftab", {Mot::TabulationDefaut});
        t.insert("red", {Mot::Rouge});
        t.insert("green", {Mot::Vert});
        t.insert("blue", {Mot::Bleu});
        t.insert("fmodern", {Mot::FamilleFixe});
        t.insert("fprq", {Mot::Pas});
        t.insert("fcharset", {Mot::JeuCaracteres});
        t.insert("bin", {Mot::Binaire});
        return t;
    }();
    return table;
}

bool estLettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool estChiffre(char c)
{
    return c >= '0' && c <= '9';
}

int valeurHexa(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// What may reach the document as text: no paragraph or frame marks (they would make blocks
// behind the reader's back), no control characters, no lone surrogate halves.
QString texteSur(const QString& brut)
{
    QString s;
    s.reserve(brut.size());
    for (qsizetype i = 0; i < brut.size(); ++i) {
        const QChar c = brut[i];
        if (c.isHighSurrogate() && i + 1 < brut.size() && brut[i + 1].isLowSurrogate()) {
            s += c;
            s += brut[++i];
            continue;
        }
        if (c.isSurrogate()) {
            s += QChar(QChar::ReplacementCharacter);
            continue;
        }
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != '\t') || (u >= 0x7F && u < 0xA0) || u == 0x2029 || u == 0xFFFC || u == 0xFDD0
            || u == 0xFDD1 || u == 0xFEFF)
            continue;
        s += c;
    }
    return s;
}

class Lecteur {
public:
    Lecteur(const QByteArray& source, QTextDocument& document)
        : m_source(source), m_document(document), m_curseur(&document)
    {
    }

    void executer()
    {
        const qsizetype n = m_source.size();
        m_pos = debutRtf();
        while (m_pos < n) {
            const char c = m_source[m_pos++];
            switch (c) {
            case '{': ouvrirGroupe(); break;
            case '}': fermerGroupe(); break;
            case '\\': controle(); break;
            case '\r':
            case '\n': break;
            default: octetLitteral(uchar(c)); break;
            }
        }
        terminer();
    }

private:
    qsizetype debutRtf() const
    {
        const qsizetype i = m_source.indexOf("{\\rtf");
        return i < 0 ? 0 : i;
    }

    // -- groups --

    void ouvrirGroupe()
    {
        m_aSauter = 0;
        if (m_pile.size() >= size_t(kProfondeurMax)) {
            ++m_debordement;
            return;
        }
        m_pile.push_back(m_etat);
    }

    void fermerGroupe()
    {
        m_aSauter = 0;
        if (m_debordement > 0) {
            --m_debordement;
            return;
        }
        if (m_pile.empty())
            return; // a stray "}" after the end
        if (m_etat.destination == Destination::Polices)
            validerPolice();
        m_etat = m_pile.back();
        m_pile.pop_back();
    }

    // -- control words and symbols --

    void controle()
    {
        const qsizetype n = m_source.size();
        if (m_pos >= n)
            return;
        const char c = m_source[m_pos];
        if (!estLettre(c)) {
            ++m_pos;
            symbole(c);
            return;
        }
        QByteArray mot;
        while (m_pos < n && estLettre(m_source[m_pos])) {
            if (mot.size() <= kLongueurMotMax)
                mot += m_source[m_pos];
            ++m_pos;
        }
        bool aParametre = false;
        qint64 parametre = 0;
        bool negatif = false;
        if (m_pos + 1 < n && m_source[m_pos] == '-' && estChiffre(m_source[m_pos + 1])) {
            negatif = true;
            ++m_pos;
        }
        while (m_pos < n && estChiffre(m_source[m_pos])) {
            aParametre = true;
            if (parametre < 100000000000LL)
                parametre = parametre * 10 + (m_source[m_pos] - '0');
            ++m_pos;
        }
        if (m_pos < n && m_source[m_pos] == ' ')
            ++m_pos;
        parametre = std::clamp<qint64>(negatif ? -parametre : parametre, -2147483647LL, 2147483647LL);
        if (mot.size() > kLongueurMotMax)
            return;
        motControle(mot, aParametre, int(parametre));
    }

    void symbole(char c)
    {
        if (m_etat.destination == Destination::Ignorer)
            return;
        if (c == '*') {
            m_etat.destination = Destination::Ignorer;
            return;
        }
        if (c == '\'') {
            const qsizetype n = m_source.size();
            int valeur = 0;
            for (int k = 0; k < 2 && m_pos < n; ++k) {
                const int h = valeurHexa(m_source[m_pos]);
                if (h < 0)
                    break;
                valeur = valeur * 16 + h;
                ++m_pos;
            }
            octet(uchar(valeur));
            return;
        }
        if (sauterUnCaractere())
            return;
        switch (c) {
        case '\\':
        case '{':
        case '}': caractere(QChar(QLatin1Char(c))); break;
        case '~': caractere(QChar(QChar::Nbsp)); break;
        case '-': caractere(QChar(QChar::SoftHyphen)); break;
        case '_': caractere(QChar(0x2011)); break;
        case '\r':
        case '\n': paragraphe(); break; // "\" at the end of a line is a \par
        default: break;
        }
    }

    void motControle(const QByteArray& mot, bool aParametre, int parametre)
    {
        if (m_etat.destination == Destination::Ignorer) {
            if (mot == "bin")
                sauterBinaire(aParametre ? parametre : 0);
            return;
        }
        const auto it = tableMots().constFind(mot);
        if (it == tableMots().constEnd()) {
            m_aSauter = 0;
            return; // unknown: ignored
        }
        const DefinitionMot def = it.value();
        if (def.mot != Mot::Unicode)
            m_aSauter = 0;
        const bool active = !aParametre || parametre != 0;
        EtatCaractere& car = m_etat.car;
        EtatParagraphe& para = m_etat.para;

        if (m_etat.destination == Destination::Polices) {
            switch (def.mot) {
            case Mot::PoliceMot:
                validerPolice();
                m_policeLue = parametre;
                break;
            case Mot::FamilleFixe: m_policeEnCours.chasseFixe = true; break;
            case Mot::Pas: m_policeEnCours.chasseFixe = m_policeEnCours.chasseFixe || parametre == 1; break;
            case Mot::JeuCaracteres: m_policeEnCours.symbole = parametre == 2; break;
            case Mot::Unicode: unicode(parametre); break;
            case Mot::Ignorer: m_etat.destination = Destination::Ignorer; break;
            default: break;
            }
            return;
        }
        if (m_etat.destination == Destination::Couleurs) {
            switch (def.mot) {
            case Mot::Rouge: m_rouge = borner(parametre, 0, 255); m_couleurDefinie = true; break;
            case Mot::Vert: m_vert = borner(parametre, 0, 255); m_couleurDefinie = true; break;
            case Mot::Bleu: m_bleu = borner(parametre, 0, 255); m_couleurDefinie = true; break;
            case Mot::Ignorer: m_etat.destination = Destination::Ignorer; break;
            default: break;
            }
            return;
        }

        switch (def.mot) {
        case Mot::Ignorer: m_etat.destination = Destination::Ignorer; break;
        case Mot::TablePolices:
            m_etat.destination = Destination::Polices;
            m_policeLue = -1;
            m_policeEnCours = Police();
            break;
        case Mot::TableCouleurs:
            m_etat.destination = Destination::Couleurs;
            m_couleurs.clear();
            m_couleurDefinie = false;
            break;
        case Mot::Plain: car = EtatCaractere(); break;
        case Mot::Gras: car.gras = active; break;
        case Mot::Italique: car.italique = active; break;
        case Mot::Souligne:
        case Mot::SoulignePar: car.souligne = active; break;
        case Mot::SansSouligne: car.souligne = false; break;
        case Mot::Barre: car.barre = active; break;
        case Mot::Cache: car.cache = active; break;
        case Mot::Taille:
            car.demiPoints = aParametre ? borner(parametre, kDemiPointsMin, kDemiPointsMax) : kDemiPointsDefaut;
            break;
        case Mot::PoliceMot: car.police = parametre; break;
        case Mot::Couleur: car.couleur = parametre; break;
        case Mot::Pard: para = EtatParagraphe(); break;
        case Mot::Gauche: para.alignement = Qt::AlignLeft; break;
        case Mot::Centre: para.alignement = Qt::AlignHCenter; break;
        case Mot::Droite: para.alignement = Qt::AlignRight; break;
        case Mot::Justifie: para.alignement = Qt::AlignJustify; break;
        case Mot::RetraitGauche: para.gauche = borner(parametre, -kTwipsMax, kTwipsMax); break;
        case Mot::RetraitDroit: para.droite = borner(parametre, -kTwipsMax, kTwipsMax); break;
        case Mot::RetraitPremiere: para.premiere = borner(parametre, -kTwipsMax, kTwipsMax); break;
        case Mot::Avant: para.avant = borner(parametre, 0, kTwipsMax); break;
        case Mot::Apres: para.apres = borner(parametre, 0, kTwipsMax); break;
        case Mot::TabDroite: para.typeTabulation = QTextOption::RightTab; break;
        case Mot::TabCentre: para.typeTabulation = QTextOption::CenterTab; break;
        case Mot::TabDecimale: para.typeTabulation = QTextOption::DelimiterTab; break;
        case Mot::Tabulation:
            if (para.tabulations.size() < kTabulationsMax) {
                QTextOption::Tab tab;
                tab.position = borner(parametre, 0, kTwipsMax) / kTwipsParPixel;
                tab.type = para.typeTabulation;
                if (tab.type == QTextOption::DelimiterTab)
                    tab.delimiter = QChar(',');
                para.tabulations.append(tab);
            }
            para.typeTabulation = QTextOption::LeftTab;
            break;
        case Mot::SautPageAvant: para.sautPageAvant = active; break;
        case Mot::Par: paragraphe(); break;
        case Mot::Page:
            paragraphe();
            m_sautPageSuivant = true;
            break;
        case Mot::Ligne: caractere(QChar(QChar::LineSeparator)); break;
        case Mot::Tab:
        case Mot::Cellule: caractere(QChar('\t')); break;
        case Mot::Caractere: caractere(QChar(def.caractere)); break;
        case Mot::Unicode: unicode(parametre); break;
        case Mot::SautUnicode: m_etat.uc = borner(parametre, 0, 8); break;
        case Mot::PoliceDefaut: m_policeDefaut = parametre; break;
        case Mot::TabulationDefaut:
            if (parametre > 0)
                m_tabulationDefaut = borner(parametre, 15, kTwipsMax);
            break;
        case Mot::Binaire: sauterBinaire(aParametre ? parametre : 0); break;
        default: break;
        }
    }

    void sauterBinaire(int longueur)
    {
        m_pos = std::min(m_source.size(), m_pos + std::max(0, longueur));
    }

    void unicode(int parametre)
    {
        int code = parametre < 0 ? parametre + 65536 : parametre;
        const bool valide = code >= 0 && code <= 0xFFFF;
        m_aSauter = m_etat.uc;
        if (!valide)
            return;
        if (code >= 0xF020 && code <= 0xF0FF && policeCourante().symbole)
            caractere(caractereSymbole(uchar(code - 0xF000)), false);
        else
            caractere(QChar(char16_t(code)), false);
    }

    // The ANSI stand-ins that follow a \u are skipped.
    bool sauterUnCaractere()
    {
        if (m_aSauter <= 0)
            return false;
        --m_aSauter;
        return true;
    }

    // -- text --

    void octetLitteral(uchar o)
    {
        if (m_etat.destination == Destination::Ignorer)
            return;
        if (o == '\t') {
            if (!sauterUnCaractere())
                caractere(QChar('\t'));
            return;
        }
        if (o < 0x20)
            return;
        octet(o);
    }

    void octet(uchar o)
    {
        switch (m_etat.destination) {
        case Destination::Ignorer: return;
        case Destination::Polices:
            if (sauterUnCaractere())
                return;
            if (o == ';')
                validerPolice();
            else
                m_policeEnCours.nom += depuisCp1252(o);
            return;
        case Destination::Couleurs:
            if (o == ';')
                validerCouleur();
            return;
        case Destination::Texte:
            if (sauterUnCaractere())
                return;
            caractere(policeCourante().symbole ? caractereSymbole(o) : depuisCp1252(o), false);
            return;
        }
    }

    void caractere(QChar c, bool compterSaut = true)
    {
        if (compterSaut && sauterUnCaractere())
            return;
        if (m_etat.destination == Destination::Polices) {
            m_policeEnCours.nom += c;
            return;
        }
        if (m_etat.destination != Destination::Texte || m_etat.car.cache)
            return;
        if (!m_tampon.isEmpty() && !(m_carTampon == m_etat.car))
            vider();
        m_carTampon = m_etat.car;
        m_tampon += c;
        m_parEnFin = false;
    }

    void vider()
    {
        if (m_tampon.isEmpty())
            return;
        const QString texte = texteSur(m_tampon);
        m_tampon.clear();
        if (texte.isEmpty())
            return;
        const QTextCharFormat format = formatCaractere(m_carTampon);
        if (m_blocVide) {
            m_curseur.setBlockCharFormat(format);
            m_blocVide = false;
        }
        m_curseur.insertText(texte, format);
    }

    void paragraphe()
    {
        if (m_etat.destination != Destination::Texte)
            return;
        vider();
        finirBloc();
        m_curseur.insertBlock(QTextBlockFormat(), formatCaractere(m_etat.car));
        m_blocVide = true;
        m_parEnFin = true;
    }

    // Paragraph properties in force at the paragraph's end describe the paragraph.
    void finirBloc()
    {
        const EtatParagraphe& p = m_etat.para;
        QTextBlockFormat f;
        f.setAlignment(p.alignement);
        f.setLeftMargin(p.gauche / kTwipsParPixel);
        f.setRightMargin(p.droite / kTwipsParPixel);
        f.setTextIndent(p.premiere / kTwipsParPixel);
        f.setTopMargin(p.avant / kTwipsParPixel);
        f.setBottomMargin(p.apres / kTwipsParPixel);
        f.setTabPositions(p.tabulations);
        if (p.sautPageAvant || m_sautPageSuivant)
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        m_sautPageSuivant = false;
        m_curseur.setBlockFormat(f);
        if (m_blocVide)
            m_curseur.setBlockCharFormat(formatCaractere(m_etat.car));
    }

    void terminer()
    {
        vider();
        if (m_parEnFin && m_blocVide && m_document.blockCount() > 1) {
            // The file's last \par closes the last paragraph; it opens no empty one. Merging
            // the empty paragraph away keeps its format, so the closed one's is put back.
            const QTextBlock ferme = m_curseur.block().previous();
            const QTextBlockFormat format = ferme.blockFormat();
            const QTextCharFormat caracteres = ferme.charFormat();
            m_curseur.deletePreviousChar();
            m_curseur.setBlockFormat(format);
            m_curseur.setBlockCharFormat(caracteres);
        } else {
            finirBloc();
        }
        QTextOption option = m_document.defaultTextOption();
        option.setTabStopDistance(m_tabulationDefaut / kTwipsParPixel);
        m_document.setDefaultTextOption(option);
    }

    // -- tables --

    void validerPolice()
    {
        const QString nom = texteSur(m_policeEnCours.nom).remove(QChar('\t')).trimmed();
        if (m_policeLue >= 0 && !nom.isEmpty() && !m_polices.contains(m_policeLue)
            && m_polices.size() < kEntreesTableMax) {
            Police p = m_policeEnCours;
            p.nom = nom;
            p.symbole = p.symbole || policeSymbole(nom);
            p.chasseFixe = p.chasseFixe || policeChasseFixe(nom);
            m_polices.insert(m_policeLue, p);
        }
        m_policeLue = -1;
        m_policeEnCours = Police();
    }

    void validerCouleur()
    {
        if (m_couleurs.size() < kEntreesTableMax)
            m_couleurs.append(m_couleurDefinie ? QColor(m_rouge, m_vert, m_bleu) : QColor());
        m_rouge = m_vert = m_bleu = 0;
        m_couleurDefinie = false;
    }

    const Police& policeCourante() const
    {
        return police(m_etat.car.police);
    }

    const Police& police(int numero) const
    {
        static const Police aucune;
        auto it = m_polices.constFind(numero);
        if (it == m_polices.constEnd())
            it = m_polices.constFind(m_policeDefaut);
        return it == m_polices.constEnd() ? aucune : it.value();
    }

    QTextCharFormat formatCaractere(const EtatCaractere& e) const
    {
        const Police& p = police(e.police);
        QTextCharFormat f = p.nom.isEmpty() ? QTextCharFormat() : formatPolice(p.nom, p.chasseFixe);
        f.setFontPointSize(e.demiPoints / 2.0);
        f.setFontWeight(e.gras ? QFont::Bold : QFont::Normal);
        f.setFontItalic(e.italique);
        f.setFontUnderline(e.souligne);
        f.setFontStrikeOut(e.barre);
        if (e.couleur > 0 && e.couleur < m_couleurs.size() && m_couleurs[e.couleur].isValid())
            f.setForeground(m_couleurs[e.couleur]);
        return f;
    }

    const QByteArray& m_source;
    qsizetype m_pos = 0;
    QTextDocument& m_document;
    QTextCursor m_curseur;

    Etat m_etat;
    std::vector<Etat> m_pile;
    int m_debordement = 0;

    QHash<int, Police> m_polices;
    int m_policeDefaut = 0;
    int m_policeLue = -1;
    Police m_policeEnCours;
    QList<QColor> m_couleurs;
    int m_rouge = 0;
    int m_vert = 0;
    int m_bleu = 0;
    bool m_couleurDefinie = false;

    QString m_tampon;
    EtatCaractere m_carTampon;
    int m_aSauter = 0;
    bool m_blocVide = true;
    bool m_parEnFin = false;
    bool m_sautPageSuivant = false;
    int m_tabulationDefaut = kTabulationDefaut;
};

// ---------------------------------------------------------------------------------------------
// Writer

struct Caractere {
    int police = 0;
    int demiPoints = kDemiPointsDefaut;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    int couleur = 0;
    bool operator==(const Caractere&) const = default;
};

class Ecrivain {
public:
    explicit Ecrivain(const QTextDocument& document) : m_document(document), m_defaut(document.defaultFont())
    {
    }

    QByteArray executer()
    {
        recenser();
        QByteArray corps;
        bool etatConnu = false;
        Caractere courant;
        for (QTextBlock bloc = m_document.begin(); bloc.isValid(); bloc = bloc.next()) {
            corps += proprietesParagraphe(bloc.blockFormat());
            bool vide = true;
            for (auto it = bloc.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid() || fragment.text().isEmpty())
                    continue;
                vide = false;
                const Caractere c = resoudre(fragment.charFormat());
                if (!etatConnu || !(c == courant)) {
                    corps += proprietesCaractere(c);
                    courant = c;
                    etatConnu = true;
                }
                corps += echapper(fragment.text(), policeSymbole(m_polices[c.police]));
            }
            if (vide) {
                // An empty paragraph keeps its size: it sets the height of a blank line.
                const Caractere c = resoudre(bloc.charFormat());
                if (!etatConnu || !(c == courant)) {
                    corps += proprietesCaractere(c);
                    courant = c;
                    etatConnu = true;
                }
            }
            corps += "\\par\n";
        }

        QByteArray entete = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab";
        entete += QByteArray::number(qRound(m_document.defaultTextOption().tabStopDistance() * kTwipsParPixel));
        entete += "\n{\\fonttbl";
        for (int i = 0; i < m_polices.size(); ++i) {
            const QString& nom = m_polices[i];
            entete += "{\\f" + QByteArray::number(i);
            if (policeSymbole(nom))
                entete += "\\fnil\\fcharset2";
            else if (policeChasseFixe(nom) || m_fixes.contains(nom))
                entete += "\\fmodern\\fprq1\\fcharset0";
            else
                entete += "\\fswiss\\fcharset0";
            entete += ' ' + echapper(nom, false) + ";}";
        }
        entete += "}\n{\\colortbl ;";
        for (const QColor& c : m_couleurs)
            entete += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue"
                + QByteArray::number(c.blue()) + ';';
        // A4 with 1 cm margins: the saved report opens with room for its widest columns.
        entete += "}\n\\paperw11906\\paperh16838\\margl567\\margr567\\margt567\\margb567\\viewkind4\\uc1\n";
        return entete + corps + "}\n";
    }

private:
    // Only the fonts in use: a document reads back and writes out the same file.
    void recenser()
    {
        for (QTextBlock bloc = m_document.begin(); bloc.isValid(); bloc = bloc.next()) {
            recenserFormat(bloc.charFormat());
            for (auto it = bloc.begin(); !it.atEnd(); ++it)
                recenserFormat(it.fragment().charFormat());
        }
        if (m_polices.isEmpty())
            indexPolice(m_defaut.family());
    }

    void recenserFormat(const QTextCharFormat& f)
    {
        const QString nom = famille(f, m_defaut);
        indexPolice(nom);
        if (f.fontFixedPitch() || f.fontStyleHint() == QFont::TypeWriter || f.fontStyleHint() == QFont::Monospace)
            m_fixes.insert(nom);
        indexCouleur(f);
    }

    int indexPolice(const QString& famille)
    {
        const QString nom = famille.isEmpty() ? QStringLiteral("Arial") : famille;
        const qsizetype i = m_polices.indexOf(nom);
        if (i >= 0)
            return int(i);
        m_polices.append(nom);
        return int(m_polices.size() - 1);
    }

    int indexCouleur(const QTextCharFormat& f)
    {
        if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().style() == Qt::NoBrush)
            return 0;
        const QColor c = f.foreground().color().toRgb();
        const QColor opaque(c.red(), c.green(), c.blue());
        qsizetype i = m_couleurs.indexOf(opaque);
        if (i < 0) {
            m_couleurs.append(opaque);
            i = m_couleurs.size() - 1;
        }
        return int(i + 1);
    }

    Caractere resoudre(const QTextCharFormat& f)
    {
        Caractere c;
        c.police = indexPolice(famille(f, m_defaut));
        double points = m_defaut.pointSizeF();
        if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
            points = f.fontPointSize();
        else if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0)
            points = f.intProperty(QTextFormat::FontPixelSize) * 0.75;
        else if (points <= 0)
            points = m_defaut.pixelSize() > 0 ? m_defaut.pixelSize() * 0.75 : 12.0;
        c.demiPoints = borner(qRound(points * 2), kDemiPointsMin, kDemiPointsMax);
        c.gras = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() >= QFont::DemiBold
                                                        : m_defaut.weight() >= QFont::DemiBold;
        c.italique = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : m_defaut.italic();
        c.souligne = f.fontUnderline() || f.underlineStyle() != QTextCharFormat::NoUnderline;
        c.barre = f.fontStrikeOut();
        c.couleur = indexCouleur(f);
        return c;
    }

    static QByteArray proprietesParagraphe(const QTextBlockFormat& f)
    {
        QByteArray s = "\\pard";
        const Qt::Alignment a = f.alignment();
        if (a & Qt::AlignHCenter)
            s += "\\qc";
        else if (a & Qt::AlignJustify)
            s += "\\qj";
        else if (a & (Qt::AlignRight | Qt::AlignTrailing))
            s += "\\qr";
        else
            s += "\\ql";
        auto longueur = [&s](const char* mot, double pixels) {
            const int twips = qRound(pixels * kTwipsParPixel);
            if (twips != 0)
                s += QByteArray("\\") + mot + QByteArray::number(twips);
        };
        longueur("li", f.leftMargin());
        longueur("ri", f.rightMargin());
        longueur("fi", f.textIndent());
        longueur("sb", f.topMargin());
        longueur("sa", f.bottomMargin());
        for (const QTextOption::Tab& tab : f.tabPositions()) {
            if (tab.type == QTextOption::RightTab)
                s += "\\tqr";
            else if (tab.type == QTextOption::CenterTab)
                s += "\\tqc";
            else if (tab.type == QTextOption::DelimiterTab)
                s += "\\tqdec";
            s += "\\tx" + QByteArray::number(qRound(tab.position * kTwipsParPixel));
        }
        if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            s += "\\pagebb";
        return s + ' ';
    }

    static QByteArray proprietesCaractere(const Caractere& c)
    {
        QByteArray s = "\\plain\\f" + QByteArray::number(c.police) + "\\fs" + QByteArray::number(c.demiPoints);
        if (c.gras)
            s += "\\b";
        if (c.italique)
            s += "\\i";
        if (c.souligne)
            s += "\\ul";
        if (c.barre)
            s += "\\strike";
        if (c.couleur > 0)
            s += "\\cf" + QByteArray::number(c.couleur);
        return s + ' ';
    }

    static QByteArray echapper(const QString& texte, bool symbole)
    {
        QByteArray s;
        s.reserve(texte.size());
        auto hexa = [&s](int octet) {
            static const char chiffres[] = "0123456789abcdef";
            s += "\\'";
            s += chiffres[(octet >> 4) & 0xF];
            s += chiffres[octet & 0xF];
        };
        for (const QChar c : texte) {
            const char16_t u = c.unicode();
            if (symbole && (c == kScissors || (u >= 0xF020 && u <= 0xF0FF))) {
                hexa(c == kScissors ? 0x22 : u - 0xF000);
                continue;
            }
            switch (u) {
            case '\\': s += "\\\\"; continue;
            case '{': s += "\\{"; continue;
            case '}': s += "\\}"; continue;
            case '\t': s += "\\tab "; continue;
            case 0x2028: s += "\\line "; continue;
            case 0x00A0: s += "\\~"; continue;
            case 0x00AD: s += "\\-"; continue;
            case 0x2011: s += "\\_"; continue;
            default: break;
            }
            if (u < 0x20 || u == 0xFFFC || u == 0xFDD0 || u == 0xFDD1 || u == 0x2029)
                continue;
            // In a symbol font a byte is a picture: other characters go by their code.
            if (u < 0x80 && !symbole) {
                s += char(u);
                continue;
            }
            const int octet = symbole ? -1 : versCp1252(c);
            if (octet >= 0)
                hexa(octet);
            else
                s += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
        return s;
    }

    const QTextDocument& m_document;
    const QFont m_defaut;
    QStringList m_polices;
    QSet<QString> m_fixes;
    QList<QColor> m_couleurs;
};

} // namespace

bool estRtf(const QByteArray& octets)
{
    qsizetype i = octets.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < octets.size() && (octets[i] == ' ' || octets[i] == '\t' || octets[i] == '\r' || octets[i] == '\n'))
        ++i;
    return octets.mid(i, 5) == "{\\rtf";
}

void lire(const QByteArray& octets, QTextDocument& document)
{
    const bool annulation = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    Lecteur(octets, document).executer();
    document.setUndoRedoEnabled(annulation);
}

QByteArray ecrire(const QTextDocument& document)
{
    return Ecrivain(document).executer();
}

QString famille(const QTextCharFormat& format, const QFont& defaut)
{
    const QStringList familles = format.fontFamilies().toStringList();
    if (!familles.isEmpty() && !familles.first().isEmpty())
        return familles.first();
    const QString ancienne = format.stringProperty(QTextFormat::FontFamily);
    return ancienne.isEmpty() ? defaut.family() : ancienne;
}

bool policeChasseFixe(const QString& famille)
{
    const QString f = famille.toLower();
    for (const char* motif : {"courier", "mono", "consol", "fixed", "typewriter", "terminal", "lucida console"})
        if (f.contains(QLatin1String(motif)))
            return true;
    return false;
}

bool policeSymbole(const QString& famille)
{
    const QString f = famille.toLower();
    for (const char* motif : {"wingdings", "webdings", "symbol", "marlett", "dingbats"})
        if (f.startsWith(QLatin1String(motif)))
            return true;
    return false;
}

QTextCharFormat formatPolice(const QString& famille, bool chasseFixe)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{famille});
    const bool fixe = chasseFixe || policeChasseFixe(famille);
    f.setFontStyleHint(fixe ? QFont::TypeWriter : QFont::AnyStyle);
    f.setFontFixedPitch(fixe);
    return f;
}

QChar caractereSymbole(uchar octet)
{
    return octet == 0x22 ? kScissors : QChar(char16_t(0xF000 + octet));
}

QChar depuisCp1252(uchar octet)
{
    if (octet >= 0x80 && octet < 0xA0)
        return QChar(kCp1252Haut[octet - 0x80]);
    return QChar(char16_t(octet));
}

int versCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kCp1252Haut[i] == u && u != 0xFFFD)
            return 0x80 + i;
    return -1;
}

} // namespace rtf
