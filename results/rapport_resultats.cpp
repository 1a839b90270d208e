#include "results/rapport_resultats.h"

#include "core/erreurs.h"
#include "core/messages.h"
#include "core/rapport.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QPrinter>

#include <cmath>
#include <memory>

namespace {

// Result lines are written in the template's monospace size.
constexpr qint16 kTailleLigne = 9;
constexpr qint16 kTailleTitre = 12;

QString Champ(const QString& texte, int largeur)
{
    return Completer_droite(texte, largeur) + " ";
}

// The report window is unloaded however the report ends.
struct FinRapport {
    ~FinRapport() { Decharger_frm_tempo_rapport(); }
};

class RedacteurResultats {
public:
    RedacteurResultats(const DonneesResultats& d, QPrinter* imprimante, std::function<void(int)> apresTache)
        : m_d(d), m_imprimante(imprimante), m_apresTache(std::move(apresTache))
    {
        // A printer that writes to a file rewrites it at each job: there the events make one
        // document, each from a new page, printed once.
        if (m_imprimante && !m_imprimante->outputFileName().isEmpty()) {
            m_document = std::make_unique<BoiteRiche>();
            m_document->document()->setUndoRedoEnabled(false);
        }
    }

    // False when the template could not be had.
    bool rediger(const QString& chemin)
    {
        frm_tempo_rapport& fenetre = Charger_frm_tempo_rapport();
        m_corps = fenetre.rich;
        m_entete = fenetre.rich_modele;
        BoiteRiche& modele = m_imprimante ? *m_entete : *m_corps;
        if (!Construire_modele_impression(Services::repertoireApplication() + "/rescomp.rtf", modele, "rescompet",
                                          false))
            return false;
        Rtb_remplacer_balise(modele, "<NOM_COMPET>", m_d.nomCompet, 0);
        Rtb_remplacer_balise(modele, "<DATE_COMPET>", m_d.datesCompet, 0);
        Rtb_remplacer_balise(modele, "<LIEU_COMPET>", m_d.lieuCompet, 0);
        modele.selectionner(modele.longueur(), 0);
        Rtb_ecrire(modele, "\r\n", 0);

        bool imprime = true;
        VisiteurResultats v;
        v.ligneVide = [this] { Rtb_ecrire(*m_corps, "\r\n", 0); };
        v.entete = [this, &imprime](const QString& titre, int evenement) {
            const bool epreuve = evenement >= 0;
            if (epreuve && m_imprimante) {
                // Each event under the filled header: a job of its own, or a page of the file's.
                if (evenement > 0 && imprime)
                    imprime = finirEpreuve();
                m_corps->copierDocument(*m_entete);
                m_corps->selectionner(m_corps->longueur(), 0);
            }
            m_corps->setAlignement(epreuve ? Qt::AlignHCenter : Qt::AlignLeft);
            Rtb_ecrire_style(*m_corps, kTailleTitre, (epreuve ? QString() : QString(5, ' ')) + titre, true, epreuve);
            Rtb_ecrire(*m_corps, "\r\n", 0);
            m_corps->setAlignement(Qt::AlignLeft);
        };
        v.resultat = [this](const QStringList& ligne, int nbInter) {
            Rtb_ecrire(*m_corps, Ligne_rapport_resultat(m_d, ligne) + "\r\n", kTailleLigne);
            if (!m_d.inter)
                return;
            const QStringList inter = Lignes_inter_rapport(m_d, ligne, nbInter);
            if (inter.isEmpty())
                return;
            m_corps->setAlignement(Qt::AlignRight);
            for (const QString& l : inter)
                Rtb_ecrire(*m_corps, l + "\r\n", kTailleLigne);
            m_corps->setAlignement(Qt::AlignLeft);
        };
        Parcourir_resultats(m_d, v);
        if (!imprime)
            return false;
        if (m_imprimante)
            return finirEpreuve() && (!m_document || imprimerTache(*m_document));
        return Rtb_imprimer(*m_corps, nullptr, chemin, false);
    }

    int taches() const { return m_taches; }

private:
    // The event written so far goes to the printer, or joins the file's document.
    bool finirEpreuve()
    {
        if (!m_document)
            return imprimerTache(*m_corps);
        m_document->ajouterPage(*m_corps->document());
        m_corps->vider();
        return true;
    }

    bool imprimerTache(BoiteRiche& boite)
    {
        if (!Rtb_imprimer(boite, m_imprimante, QString(), true))
            return false;
        ++m_taches;
        if (m_apresTache)
            m_apresTache(m_taches);
        boite.vider();
        return true;
    }

    const DonneesResultats& m_d;
    QPrinter* m_imprimante;
    std::function<void(int)> m_apresTache;
    BoiteRiche* m_corps = nullptr;
    BoiteRiche* m_entete = nullptr;
    std::unique_ptr<BoiteRiche> m_document;
    int m_taches = 0;
};

} // namespace

QString Ligne_rapport_resultat(const DonneesResultats& d, const QStringList& ligne)
{
    QString s = Champ(Cellule(ligne, 0).trimmed(), 4) + Champ(Cellule(ligne, 1), 28) + Champ(Cellule(ligne, 2), 4);
    if (d.nationalite)
        s += Champ(Cellule(ligne, 3), 3);
    s += Champ(Cellule(ligne, d.colonneClub()), 30);
    if (d.equipe)
        s += Champ(Cellule(ligne, d.colonneClub() + 1), 2);
    const QString tps = Cellule(ligne, d.colonneTemps());
    const QString pts = Cellule(ligne, d.colonnePoints());
    if (Est_code_special_joint(tps))
        return s + Champ(tps + " " + pts, 13);
    return s + Champ(tps, 8) + Completer_gauche(pts, 4);
}

QStringList Lignes_inter_rapport(const DonneesResultats& d, const QStringList& ligne, int nbInter)
{
    // Half of the count, rounded to the nearest whole number, halves to even: 9 splits break after 4.
    const int coupure = nbInter >= 8 ? static_cast<int>(std::nearbyint(nbInter / 2.0)) : nbInter;
    QStringList lignes{QString()};
    bool plein = false;
    for (int k = 0; k < nbInter; ++k) {
        const QString cellule = Cellule(ligne, d.premiereColonneInter() + k);
        plein = plein || !Est_blanc(cellule);
        if (k == coupure)
            lignes << QString();
        lignes.last() += " " + Completer_gauche(cellule, 8);
    }
    return plein ? lignes : QStringList();
}

int Imprimer_resultats(const DonneesResultats& d, const std::function<void(int)>& apresTache)
{
    FinRapport fin;
    auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    try {
        if (!Choisir_imprimante(*imprimante))
            return 0;
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de la sélection de l'imprimante.");
        return 0;
    }
    RedacteurResultats redacteur(d, imprimante.get(), apresTache);
    try {
        CurseurOccupe occupe;
        redacteur.rediger(QString());
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'impression des résultats.");
    }
    return redacteur.taches();
}

bool Enregistrer_resultats_rtf(const DonneesResultats& d, const QString& chemin)
{
    FinRapport fin;
    RedacteurResultats redacteur(d, nullptr, {});
    return redacteur.rediger(chemin);
}
