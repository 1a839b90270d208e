#include "clubs_licences/liste_licences.h"

#include "core/base.h"
#include "core/dates.h"
#include "core/listes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

// The values of one result column, or nothing when the map names a column the query lacks.
const QStringList* Colonne(int c)
{
    static const QStringList vide;
    return (c >= 0 && c < colResultat.nbColonnes()) ? &colResultat.colonne(c) : &vide;
}

QString Valeur(const QStringList* colonne, int ligne)
{
    return ligne < colonne->size() ? colonne->at(ligne) : QString();
}

bool Caractere_imprimable(int code)
{
    return (code >= 32 && code <= 126) || (code >= 160 && code <= 255);
}

} // namespace

void Remplir_liste_licences(const QString& requete, QTreeWidget* liste, QTreeWidget* listeInfo, bool bDate,
                            bool bColonne4, ColonnesListes& colonnes)
{
    liste->clear();
    listeInfo->clear();
    Executer_requete(requete, false);

    const QList<int>& visibles = colonnes[0];
    const QList<int>& cachees = colonnes[1];
    const int nbVisibles = std::min<int>(visibles.size(), bColonne4 ? 4 : 3);
    std::vector<const QStringList*> sourcesVisibles;
    for (int k = 0; k < nbVisibles; ++k)
        sourcesVisibles.push_back(Colonne(visibles[k]));
    std::vector<const QStringList*> sourcesCachees;
    for (int c : cachees)
        sourcesCachees.push_back(Colonne(c));
    // The date goes into the list's last column; a one-column list has no room for it.
    const int colonneDate = liste->columnCount() - 1;
    const QStringList* sourceDate = (bDate && colonneDate >= 1 && !visibles.isEmpty()) ? Colonne(visibles.last()) : nullptr;

    const int nbLignes = colResultat.Count(0);
    QList<QTreeWidgetItem*> lignes;
    QList<QTreeWidgetItem*> lignesInfo;
    lignes.reserve(nbLignes);
    lignesInfo.reserve(nbLignes);
    for (int i = 0; i < nbLignes; ++i) {
        QStringList textes;
        for (const QStringList* source : sourcesVisibles)
            textes << Valeur(source, i);
        if (sourceDate) {
            while (textes.size() <= colonneDate)
                textes << QString();
            textes[colonneDate] = Date_en_texte(Valeur(sourceDate, i));
        }
        lignes << new QTreeWidgetItem(textes);

        QStringList info;
        if (!sourcesCachees.empty()) {
            QString nom = Valeur(sourcesCachees[0], i);
            if (sourcesCachees.size() > 1)
                nom += " " + Valeur(sourcesCachees[1], i);
            info << nom;
            for (size_t k = 2; k < sourcesCachees.size(); ++k)
                info << Valeur(sourcesCachees[k], i);
        }
        lignesInfo << new QTreeWidgetItem(info);
    }
    Liberer_resultat();
    liste->addTopLevelItems(lignes);
    listeInfo->addTopLevelItems(lignesInfo);
    colonnes[0].clear();
    colonnes[1].clear();
}

int Recherche_clavier_liste(int& KeyAscii, QTreeWidget* listeRecherche, QTreeWidget* listeAffichee,
                            QLineEdit* txtRecherche)
{
    const int code = KeyAscii;
    KeyAscii = 0;
    if (code == 13) {
        txtRecherche->clear();
        return -13;
    }
    if (code == 8) {
        QString texte = txtRecherche->text();
        texte.chop(1);
        txtRecherche->setText(texte);
    } else if (Caractere_imprimable(code)) {
        txtRecherche->setText(txtRecherche->text() + QChar(code));
    } else {
        if (code == 27)
            txtRecherche->clear();
        return -1;
    }
    return Selectionner_par_texte(txtRecherche->text().trimmed(), listeRecherche, listeAffichee);
}

void Recherche_rapide(int KeyCode, QLineEdit* txtRecherche, QTreeWidget* listeRecherche, QTreeWidget* listeAffichee)
{
    switch (KeyCode) {
    case 13:
    case 27:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        txtRecherche->clear();
        break;
    default:
        Selectionner_par_texte(txtRecherche->text().trimmed(), listeRecherche, listeAffichee);
        break;
    }
}

RechercheRapide::RechercheRapide(QTreeWidget* liste, QTreeWidget* listeInfo, QLineEdit* txtRecherche)
    : QObject(liste), m_liste(liste), m_listeInfo(listeInfo), m_txtRecherche(txtRecherche)
{
    liste->installEventFilter(this);
    txtRecherche->installEventFilter(this);
}

bool RechercheRapide::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == m_liste && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        // Only the keys that make a character are the search's: arrows, Delete, Tab and the
        // Ctrl shortcuts stay the list's.
        if (touche->text().size() != 1 || (touche->modifiers() & Qt::ControlModifier))
            return false;
        int code = touche->text().at(0).unicode();
        if (code != 8 && code != 13 && code != 27 && !Caractere_imprimable(code))
            return false;
        if (Recherche_clavier_liste(code, m_listeInfo, m_liste, m_txtRecherche) == -13)
            emit entreeTapee();
        return true;
    }
    if (objet == m_txtRecherche && evenement->type() == QEvent::KeyRelease) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (!touche->isAutoRepeat())
            Recherche_rapide(touche->key(), m_txtRecherche, m_listeInfo, m_liste);
    }
    return false;
}
