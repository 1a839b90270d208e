#include "results/html_resultats.h"

#include "core/erreurs.h"
#include "core/fichiers.h"
#include "core/messages.h"
#include "core/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kFin = QStringLiteral("\r\n");
// Pages and scripts are written in UTF-8 and say so; a browser then shows the accents of any
// name, whatever its own default.
const QString kEntete = QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
                                       "charset=utf-8\"><TITLE>");

void Ecrire_fichier(const QString& chemin, const QString& texte)
{
    QSaveFile f(chemin);
    const QByteArray octets = texte.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size() || !f.commit())
        throw ErreurExecution(75, "Erreur d'accès au chemin/fichier : " + chemin);
}

QString Cellule_html(const QString& texte)
{
    return Est_blanc(texte) ? QStringLiteral("&nbsp;") : Echapper_html(texte);
}

struct Menu {
    QString fichier;
    QString sexe;
    QString script;
    QString premierCode;
    int colonnes = 0;
    int dernier = 0;
    bool autres = false;
    bool existe() const { return !script.isEmpty(); }
    void ajouter(const QString& entree)
    {
        ++dernier;
        script += kFin + "tabMnu[" + QString::number(dernier) + "]=[" + entree + "]";
    }
};

void Construire_menu(Menu& m, const QStringList& codes)
{
    QFile source(Joindre_chemin(Services::repertoireApplication(), m.fichier));
    if (!source.open(QIODevice::ReadOnly))
        return;
    const QStringList lignes = QString::fromUtf8(source.readAll()).split('\n');
    int nbEpreuves = 0;
    for (QString ligne : lignes) {
        if (ligne.endsWith('\r'))
            ligne.chop(1);
        const qsizetype tab = ligne.indexOf('\t');
        if (tab < 0)
            continue;
        const QString code = ligne.left(tab).trimmed();
        if (!codes.contains(code))
            continue;
        if (nbEpreuves == 0) {
            m.script = "tabMnu=new Array();" + kFin + "tabMnu[0]=[\"Résultats " + m.sexe + "\", \"\", \"yes\"]";
            m.colonnes = 1;
            m.premierCode = code;
        }
        ++nbEpreuves;
        const bool impaire = nbEpreuves % 2 == 1;
        m.ajouter(ligne.mid(tab + 1) + ", \"n" + code + ".htm\", \"\", \"" + (impaire ? "no" : "") + "\"");
        if (impaire)
            ++m.colonnes;
    }
    if (nbEpreuves % 2 == 1)
        m.ajouter("\"&nbsp;\", \" \", \"\", \"\"");
}

class PagesEpreuves {
public:
    PagesEpreuves(const DonneesResultats& d, const QString& dossier) : m_d(d), m_dossier(dossier)
    {
        m_nbCol = 6 + (d.nationalite ? 1 : 0) + (d.equipe ? 1 : 0);
        m_largeur = (d.nationalite ? 720 : 680) + (d.equipe ? 25 : 0);
    }

    void ecrire()
    {
        VisiteurResultats v;
        v.ligneVide = [this] { ligneHtml("<TR><TD colspan = " + QString::number(m_nbCol) + ">&nbsp;</TD></TR>"); };
        v.entete = [this](const QString& titre, int evenement) {
            if (evenement >= 0) {
                fermer();
                ouvrir(Cellule(m_d.codes, evenement), titre);
            }
            ligneHtml("<TR><TD>&nbsp;</TD><TD colspan = " + QString::number(m_nbCol - 1) + ">" + Echapper_html(titre)
                      + "</TD></TR>");
        };
        v.resultat = [this](const QStringList& ligne, int nbInter) {
            ligneResultat(ligne);
            if (m_d.inter)
                ligneInter(ligne, nbInter);
        };
        Parcourir_resultats(m_d, v);
        fermer();
    }

private:
    void ligneHtml(const QString& texte)
    {
        if (m_ouverte)
            m_page += texte + kFin;
    }

    void ouvrir(const QString& code, const QString& libelle)
    {
        const QString script = libelle.contains("Dames")       ? "mnud.js"
                               : libelle.contains("Messieurs") ? "mnuh.js"
                                                               : "mnum.js";
        m_chemin = Joindre_chemin(m_dossier, "n" + code + ".htm");
        m_ouverte = true;
        m_page.clear();
        ligneHtml(kEntete + "Résultats de l'épreuve " + Echapper_html(libelle) + "</TITLE></HEAD><BODY>");
        ligneHtml("<LINK TITLE=\"Res\" REL=\"stylesheet\" TYPE=\"text/css\" HREF=\"style.css\">");
        ligneHtml("<script language=\"Javascript\" src=\"" + script + "\"></script>");
        ligneHtml("<script language=\"Javascript\" src=\"fct.js\"></script>");
        ligneHtml("<TABLE border=0 width = " + QString::number(m_largeur) + ">");
    }

    void fermer()
    {
        if (!m_ouverte)
            return;
        ligneHtml("</TABLE></BODY></HTML>");
        Ecrire_fichier(m_chemin, m_page);
        m_ouverte = false;
    }

    void ligneResultat(const QStringList& ligne)
    {
        ligneHtml("<TR><TD align=right width=\"25\">" + Cellule_html(Cellule(ligne, 0).trimmed()) + "</TD>");
        for (int c = 1; c <= m_d.colonnePoints(); ++c) {
            const QString cellule = Cellule(ligne, c);
            if (c == m_d.colonneTemps() && Est_code_special_joint(cellule)) {
                ligneHtml("<TD colspan = 2>" + cellule + " " + Echapper_html(Cellule(ligne, c + 1)) + "</TD>");
                break;
            }
            ligneHtml("<TD>" + Cellule_html(cellule) + "</TD>");
        }
        ligneHtml("</TR>");
    }

    void ligneInter(const QStringList& ligne, int nbInter)
    {
        QString texte = "<tr><td colspan = " + QString::number(m_nbCol)
                        + " align = right><TABLE border=0><TR align=right>" + kFin;
        bool plein = false;
        for (int k = 0; k < nbInter; ++k) {
            // Two rows only when the count halves exactly: nine splits stay on one row.
            if (nbInter >= 8 && k * 2 == nbInter)
                texte += "</TR><TR align=right>" + kFin;
            const QString cellule = Cellule(ligne, m_d.premiereColonneInter() + k);
            plein = plein || !Est_blanc(cellule);
            texte += "<TD width = 60>" + Cellule_html(cellule) + "</TD>" + kFin;
        }
        if (plein)
            m_page += texte + "</TR></TABLE></TD></TR>" + kFin;
    }

    const DonneesResultats& m_d;
    QString m_dossier;
    int m_nbCol;
    int m_largeur;
    QString m_chemin;
    QString m_page;
    bool m_ouverte = false;
};

} // namespace

QString Echapper_html(const QString& texte)
{
    QString s = texte;
    s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    return s;
}

bool Exporter_resultats_html(const DonneesResultats& d, const QString& cheminIndex)
{
    // The index is only written once the user agreed: declining leaves an existing one as it was.
    const QString dossier = Joindre_chemin(Repertoire_du_fichier(cheminIndex, false), "rep_res");
    if (QFileInfo(dossier).isDir()) {
        if (Demander_confirmation("Le sous répertoire dans lequel seront copiés les pages de résultats\n"
                                  "existe déjà. Des fichiers peuvent être écrasés.\nContinuer ?",
                                  Style::DefautBouton2)
            != Reponse::Oui)
            return false;
    } else if (!QDir().mkpath(dossier)) {
        throw ErreurExecution(75, "Erreur d'accès au chemin/fichier : " + dossier);
    }

    PagesEpreuves(d, dossier).ecrire();

    Menu menus[3];
    menus[0].fichier = "mnud.js";
    menus[0].sexe = "Dames";
    menus[1].fichier = "mnuh.js";
    menus[1].sexe = "Messieurs";
    menus[2].fichier = "mnum.js";
    menus[2].sexe = "Mixte";
    QString premierePage;
    for (Menu& m : menus) {
        Construire_menu(m, d.codes);
        if (premierePage.isEmpty() && m.existe())
            premierePage = "n" + m.premierCode + ".htm";
    }
    // No event in any menu: the index still leads to a page that exists.
    if (premierePage.isEmpty() && !d.codes.isEmpty())
        premierePage = "n" + d.codes.first() + ".htm";
    for (const Menu& a : menus) {
        if (!a.existe())
            continue;
        for (Menu& b : menus) {
            if (&b == &a || !b.existe())
                continue;
            if (!b.autres) {
                b.ajouter("\"Autres résultats\", \"\", \"yes\"");
                ++b.colonnes;
                b.autres = true;
            }
            b.ajouter("\"Résultats " + a.sexe + "\", \"n" + a.premierCode + ".htm\", \"yes\"");
            ++b.colonnes;
        }
    }
    for (const Menu& m : menus) {
        if (m.existe())
            Ecrire_fichier(Joindre_chemin(dossier, m.fichier),
                           m.script + kFin + "var intNbCol=" + QString::number(m.colonnes) + ";" + kFin);
    }

    const QString nom = Echapper_html(d.nomCompet);
    const QString lieu = Echapper_html(d.lieuCompet);
    const QString dates = Echapper_html(d.datesCompet);
    QString index = kEntete + "Résultats de la compétition " + nom + " " + lieu + " " + dates
                    + "</TITLE></HEAD><BODY>" + kFin;
    index += "<p align=\"center\"><b>" + nom + "<br>" + lieu + "<br>" + dates + "</b></p>" + kFin;
    index += "<script language=\"Javascript\">" + kFin;
    index += "function reload_page() {" + kFin;
    index += "self.location.replace('rep_res/" + premierePage + "')" + kFin;
    index += "}" + kFin;
    index += "setTimeout('reload_page()',200)</script></BODY></HTML>" + kFin;
    Ecrire_fichier(cheminIndex, index);

    for (const char* nomFichier : {"fct.js", "style.css"})
        Copier_fichier_libre(Joindre_chemin(Services::repertoireApplication(), nomFichier), dossier, true);
    return true;
}
