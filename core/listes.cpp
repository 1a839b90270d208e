#include "core/listes.h"

#include "core/base.h"
#include "core/cp1252.h"
#include "core/erreurs.h"
#include "core/fenetres.h"
#include "core/messages.h"
#include "core/services.h"
#include "core/utils.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <array>
#include <cmath>

// ---- Rows ----------------------------------------------------------------------------------

QTreeWidget* Creer_liste_rapport(QWidget* parent, const QString& nom, const QStringList& colonnes)
{
    auto* liste = new QTreeWidget(parent);
    liste->setObjectName(nom);
    liste->setHeaderLabels(colonnes);
    liste->setRootIsDecorated(false);
    liste->setUniformRowHeights(true);
    liste->setAllColumnsShowFocus(true);
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Colonnes_a_la_mesure(liste);
    return liste;
}

namespace {
QModelIndex Index_element(const QTreeWidget* liste, QTreeWidgetItem* ligne, int colonne)
{
    const QAbstractItemModel* modele = liste->model();
    if (QTreeWidgetItem* parent = ligne->parent())
        return modele->index(parent->indexOfChild(ligne), colonne, Index_element(liste, parent, 0));
    return modele->index(liste->indexOfTopLevelItem(ligne), colonne);
}

// A text's width as the sum of its characters' advances, read once per character from the font.
// Kerning and rounding move a laid-out text by a pixel or two at most; a text of a script that
// joins or reorders its letters is laid out whole (estimee false).
class EstimationLargeur {
public:
    explicit EstimationLargeur(const QFont& police) : m_metriques(police) { m_avances.fill(-1); }

    qreal largeur(const QString& texte, bool& estimee)
    {
        qreal somme = 0;
        for (const QChar c : texte) {
            if (c.unicode() >= kTable) {
                estimee = false;
                return m_metriques.horizontalAdvance(texte);
            }
            qreal& a = m_avances[c.unicode()];
            if (a < 0)
                a = m_metriques.horizontalAdvance(c);
            somme += a;
        }
        estimee = true;
        return somme;
    }

private:
    // Up to Armenian: Hebrew and the scripts after it are shaped.
    static constexpr char16_t kTable = 0x590;
    QFontMetricsF m_metriques;
    std::array<qreal, kTable> m_avances;
};

// What an estimate may fall short of the laid-out text.
constexpr qreal kEcartEstimation = 2;

// The rows whose texts may be the widest of a column: the few with the widest estimates, one
// row per text.
class Candidats {
public:
    struct Candidat {
        qreal estimation;
        bool estimee;
        QTreeWidgetItem* ligne;
        QString texte;
    };

    void proposer(qreal estimation, bool estimee, QTreeWidgetItem* ligne, const QString& texte)
    {
        if (m_liste.size() == kNombre && estimation <= m_liste.back().estimation) {
            m_ecartee = std::max(m_ecartee, estimation);
            return;
        }
        for (const Candidat& c : m_liste) {
            if (c.estimation == estimation && c.texte == texte)
                return;
        }
        const auto place = std::upper_bound(m_liste.begin(), m_liste.end(), estimation,
                                            [](qreal e, const Candidat& c) { return e > c.estimation; });
        m_liste.insert(place, {estimation, estimee, ligne, texte});
        if (m_liste.size() > kNombre) {
            m_ecartee = std::max(m_ecartee, m_liste.back().estimation);
            m_liste.pop_back();
        }
    }
    const QList<Candidat>& liste() const { return m_liste; }
    // The widest estimate of the rows left out, -1 when none was.
    qreal ecartee() const { return m_ecartee; }

private:
    static constexpr qsizetype kNombre = 12;
    QList<Candidat> m_liste;
    qreal m_ecartee = -1;
};

} // namespace

// Every text is estimated from its characters' advances; only the few widest are laid out, and
// the widest of them is measured by the delegate with its margins, check box and icon (alike on
// every row of a column).
QList<int> Largeurs_contenu(const QTreeWidget* liste, const QList<int>& colonnes)
{
    EstimationLargeur estimation(liste->font());
    QList<Candidats> candidats(colonnes.size());
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(liste)); *it; ++it) {
        QTreeWidgetItem* ligne = *it;
        for (qsizetype i = 0; i < colonnes.size(); ++i) {
            // The text as the cell holds it, read without a copy.
            const QVariant valeur = ligne->data(colonnes[i], Qt::DisplayRole);
            const bool chaine = valeur.typeId() == QMetaType::QString;
            const QString autre = chaine ? QString() : valeur.toString();
            const QString& texte = chaine ? *static_cast<const QString*>(valeur.constData()) : autre;
            if (texte.isEmpty())
                continue;
            const QVariant police = ligne->data(colonnes[i], Qt::FontRole);
            bool estimee = false;
            const qreal e = police.isValid() ? QFontMetricsF(police.value<QFont>()).horizontalAdvance(texte)
                                             : estimation.largeur(texte, estimee);
            candidats[i].proposer(e, estimee, ligne, texte);
        }
    }
    const QFontMetricsF metriques(liste->font());
    QList<int> largeurs;
    for (qsizetype i = 0; i < colonnes.size(); ++i) {
        const int colonne = colonnes[i];
        int largeur = liste->header()->isHidden() ? 0 : liste->header()->sectionSizeHint(colonne);
        QTreeWidgetItem* plusLarge = nullptr;
        qreal avance = -1;
        bool tousMesures = true;
        for (const Candidats::Candidat& c : candidats[i].liste()) {
            if (c.estimation + (c.estimee ? kEcartEstimation : 0) < avance) {
                tousMesures = false;
                break;
            }
            const qreal a = c.estimee ? metriques.horizontalAdvance(c.texte) : c.estimation;
            if (a > avance) {
                avance = a;
                plusLarge = c.ligne;
            }
        }
        if (plusLarge) {
            // Rows left out unmeasured that might still be wider get the room their estimate allows.
            const qreal ecartee = candidats[i].ecartee();
            const int reste = tousMesures && ecartee >= 0
                                  ? std::max(0, int(std::ceil(ecartee + kEcartEstimation - avance)))
                                  : 0;
            QStyleOptionViewItem option;
            option.initFrom(liste);
            option.widget = liste;
            option.font = liste->font();
            option.decorationSize = liste->iconSize().isValid() ? liste->iconSize() : QSize(16, 16);
            option.features |= QStyleOptionViewItem::HasDisplay;
            const QModelIndex index = Index_element(liste, plusLarge, colonne);
            int l = liste->itemDelegateForIndex(index)->sizeHint(option, index).width() + reste;
            if (colonne == 0) {
                int profondeur = 0;
                for (QTreeWidgetItem* p = plusLarge->parent(); p; p = p->parent())
                    ++profondeur;
                l += liste->indentation() * (profondeur + (liste->rootIsDecorated() ? 1 : 0));
            }
            largeur = std::max(largeur, l);
        }
        largeurs << largeur;
    }
    return largeurs;
}

namespace {
// Widens the columns of one list once the changes under way are over: rows are often added one
// at a time, and one pass after the last is enough. When new values or the list's showing leave
// columns past its right edge, the window grows to show them.
class MesureColonnes : public QObject {
public:
    explicit MesureColonnes(QTreeWidget* liste) : QObject(liste), m_liste(liste)
    {
        setObjectName(QStringLiteral("qv_mesure_colonnes"));
        QAbstractItemModel* modele = liste->model();
        const auto plus_tard = [this] {
            m_elargir = true;
            demander();
        };
        connect(modele, &QAbstractItemModel::rowsInserted, this, plus_tard);
        connect(modele, &QAbstractItemModel::dataChanged, this, plus_tard);
        connect(modele, &QAbstractItemModel::modelReset, this, plus_tard);
        connect(modele, &QAbstractItemModel::layoutChanged, this, plus_tard);
        connect(modele, &QAbstractItemModel::columnsInserted, this, plus_tard);
        connect(modele, &QAbstractItemModel::headerDataChanged, this, plus_tard);
        // A window that sets a column's width gives it its least width; a user dragging it is left alone.
        connect(liste->header(), &QHeaderView::sectionResized, this, [this] {
            if (QGuiApplication::mouseButtons() == Qt::NoButton)
                demander();
        });
        liste->installEventFilter(this);
        demander();
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        // A list on a page shown later: its window grows when the page shows.
        if (objet == m_liste && evenement->type() == QEvent::Show) {
            m_elargir = true;
            demander();
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    void demander()
    {
        // Widening fires sectionResized: that asks for nothing new.
        if (m_demande || m_enCours)
            return;
        m_demande = true;
        QMetaObject::invokeMethod(this, [this] { mesurer(); }, Qt::QueuedConnection);
    }

    void mesurer()
    {
        m_demande = false;
        // A list hidden on purpose (the keys kept beside a visible list) is measured when it shows.
        if (m_liste->isHidden() && m_liste->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return;
        m_enCours = true;
        QHeaderView* entete = m_liste->header();
        QList<int> colonnes;
        for (int c = 0; c < m_liste->columnCount(); ++c) {
            if (!m_liste->isColumnHidden(c))
                colonnes << c;
        }
        const QList<int> besoins = Largeurs_contenu(m_liste, colonnes);
        // Columns that share the view equally widen only with it: the view needs room for as many
        // of their widest need.
        int fixes = 0;
        int partagees = 0;
        int partMax = 0;
        for (qsizetype i = 0; i < colonnes.size(); ++i) {
            const int c = colonnes[i];
            if (entete->sectionResizeMode(c) == QHeaderView::Stretch) {
                ++partagees;
                partMax = std::max(partMax, besoins[i]);
                continue;
            }
            // The last column stretched by the list already takes what is left.
            if (m_liste->columnWidth(c) < besoins[i]
                && !(entete->stretchLastSection() && c == entete->count() - 1 && entete->sectionSize(c) >= besoins[i]))
                m_liste->setColumnWidth(c, besoins[i]);
            fixes += m_liste->columnWidth(c);
        }
        const int longueur = partagees > 0 ? fixes + partagees * partMax : entete->length();
        // Only what the program changes grows the window, never a user's narrowing it.
        const bool elargir = m_elargir && m_liste->isVisible();
        m_elargir = false;
        const int manque = elargir ? longueur - Largeur_vue(m_liste) : 0;
        if (manque > 0)
            Elargir_pour_liste(m_liste, manque);
        m_enCours = false;
        // The window may have set its columns again as it grew.
        if (manque > 0)
            demander();
    }

    QTreeWidget* m_liste;
    bool m_demande = false;
    bool m_enCours = false;
    bool m_elargir = true;
};
} // namespace

int Largeur_vue(const QTreeWidget* liste)
{
    int vue = liste->viewport()->width();
    const QScrollBar* barre = liste->verticalScrollBar();
    if (!barre->isVisible() && liste->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff
        && liste->topLevelItemCount() > 0
        && qint64(liste->topLevelItemCount()) * liste->sizeHintForRow(0) > liste->viewport()->height())
        vue -= liste->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, barre);
    return vue;
}

void Colonnes_a_la_mesure(QTreeWidget* liste)
{
    if (!liste->findChild<MesureColonnes*>(QStringLiteral("qv_mesure_colonnes"), Qt::FindDirectChildrenOnly))
        new MesureColonnes(liste);
}

int Largeur_contenu_colonne(const QTreeWidget* liste, int colonne)
{
    return Largeurs_contenu(liste, {colonne}).front();
}

namespace {
class AlignementColonnes : public QStyledItemDelegate {
public:
    AlignementColonnes(QObject* parent, int premiere, Qt::Alignment alignement)
        : QStyledItemDelegate(parent), m_premiere(premiere), m_alignement(alignement)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // A cell given its own alignment keeps it.
        if (index.column() >= m_premiere && !index.data(Qt::TextAlignmentRole).isValid())
            option->displayAlignment = m_alignement;
    }

private:
    int m_premiere;
    Qt::Alignment m_alignement;
};
} // namespace

void Aligner_colonnes(QTreeWidget* liste, int premiere, Qt::Alignment alignement)
{
    QAbstractItemDelegate* ancien = liste->itemDelegate();
    liste->setItemDelegate(new AlignementColonnes(liste, premiere, alignement));
    if (ancien && ancien->parent() == liste)
        delete ancien;
}

QTreeWidgetItem* Ligne(QTreeWidget* liste, int index)
{
    if (index < 1 || index > liste->topLevelItemCount())
        return nullptr;
    return liste->topLevelItem(index - 1);
}

int Index_ligne(QTreeWidget* liste, QTreeWidgetItem* ligne)
{
    return ligne ? liste->indexOfTopLevelItem(ligne) + 1 : 0;
}

int Ligne_courante(QTreeWidget* liste)
{
    return Index_ligne(liste, liste->currentItem());
}

int Nombre_lignes(QTreeWidget* liste)
{
    return liste->topLevelItemCount();
}

QTreeWidgetItem* Ajouter_ligne(QTreeWidget* liste, const QStringList& colonnes)
{
    return new QTreeWidgetItem(liste, colonnes);
}

// ---- Status and text boxes -----------------------------------------------------------------

void Selectionner_texte(QLineEdit* boite)
{
    boite->selectAll();
}

void Largeur_pour_longueur(QLineEdit* boite)
{
    // Names are often typed in capitals: room for as many of a middling capital, and the box's own margins.
    const int texte = boite->fontMetrics().horizontalAdvance(QString(boite->maxLength(), QLatin1Char('N')));
    const int vide = boite->sizeHint().width() - boite->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 17;
    boite->setMinimumWidth(std::max(boite->minimumWidth(), texte + std::max(vide, 8)));
}

void Avancer_progression(QProgressBar* barre, double pas)
{
    // The bar holds whole values; the exact one is kept beside it so that small steps add up.
    const char* cle = "qv_progression";
    const QVariant exacte = barre->property(cle);
    double valeur = barre->value();
    if (exacte.isValid() && static_cast<int>(exacte.toFloat()) == barre->value())
        valeur = exacte.toFloat();
    const float nouvelle = valeur > 100.0 - pas ? 100.0f : static_cast<float>(valeur + pas);
    barre->setProperty(cle, nouvelle);
    barre->setValue(static_cast<int>(nouvelle));
}

// ---- Filling from a query ------------------------------------------------------------------

void Remplir_listes(const QString& sql, const QList<QTreeWidget*>& listes, const QList<QList<int>>& colonnes,
                    const QString& texteARetirer)
{
    for (QTreeWidget* liste : listes)
        liste->clear();
    Executer_requete(sql, false);
    const int lignes = colResultat.Count(0);
    auto valeur = [&](int colonne, int ligne) {
        QString v = colResultat.item(colonne, ligne);
        if (!texteARetirer.isEmpty())
            v.remove(texteARetirer);
        return v;
    };
    for (qsizetype i = 0; i < listes.size(); ++i) {
        if (i >= colonnes.size() || colonnes[i].isEmpty())
            continue;
        QList<QTreeWidgetItem*> nouvelles;
        nouvelles.reserve(lignes);
        for (int r = 1; r <= lignes; ++r) {
            auto* ligne = new QTreeWidgetItem;
            for (qsizetype k = 0; k < colonnes[i].size(); ++k)
                ligne->setText(static_cast<int>(k), valeur(colonnes[i][k], r));
            nouvelles << ligne;
        }
        listes[i]->addTopLevelItems(nouvelles);
    }
    Liberer_resultat();
}

void Remplir_combo_requete(QComboBox* combo, const QString& sql)
{
    combo->clear();
    Executer_requete(sql, false);
    combo->addItems(colResultat.colonne(0));
    Liberer_resultat();
}

// ---- Finding and selecting -----------------------------------------------------------------

int Chercher_element(const QString& texte, QTreeWidget* liste, int partiel, int sousElement, int debut)
{
    try {
        const int n = Nombre_lignes(liste);
        if (n == 0)
            return -1;
        if (debut < 1 || debut > n)
            debut = 1;
        const int colonne = sousElement >= 1 ? sousElement : 0;
        for (int i = debut; i <= n; ++i) {
            const QString t = Ligne(liste, i)->text(colonne);
            const bool trouve = partiel >= 1 ? t.startsWith(texte, Qt::CaseInsensitive)
                                             : t.compare(texte, Qt::CaseInsensitive) == 0;
            if (trouve)
                return i;
        }
        return -1;
    } catch (const std::exception&) {
        return 0;
    }
}

int Chercher_element_texte(const QString& texte, QTreeWidget* liste, int partiel, int sousElement)
{
    const int i = Chercher_element(texte, liste, partiel, sousElement, 0);
    return i == -1 ? 1 : i;
}

int Selectionner_par_texte(const QString& texte, QTreeWidget* cherchee, QTreeWidget* affichee)
{
    const int i = Chercher_element(texte, cherchee, 1, 0, 1);
    if (i < 1 || !Ligne(affichee, i))
        return -1;
    Selectionner_element(affichee, i);
    return i;
}

namespace {
void selectionner(QTreeWidget* liste, QTreeWidgetItem* ligne, QAbstractItemView::ScrollHint position)
{
    if (liste->selectionMode() == QAbstractItemView::SingleSelection
        || liste->selectionMode() == QAbstractItemView::NoSelection) {
        liste->setCurrentItem(ligne);
    } else {
        // A list of several rows keeps the rows already selected.
        liste->setCurrentItem(ligne, 0, QItemSelectionModel::NoUpdate);
        ligne->setSelected(true);
    }
    liste->scrollToItem(ligne, position);
}
} // namespace

void Selectionner_element(QTreeWidget* liste, int index)
{
    if (index == 0)
        index = std::max(1, Ligne_courante(liste));
    if (QTreeWidgetItem* ligne = Ligne(liste, index))
        selectionner(liste, ligne, QAbstractItemView::EnsureVisible);
}

void Afficher_element(QTreeWidget* liste, int index)
{
    if (index == 0)
        index = std::max(1, Ligne_courante(liste));
    if (QTreeWidgetItem* ligne = Ligne(liste, index))
        selectionner(liste, ligne, QAbstractItemView::PositionAtTop);
}

void Garder_selection(QTreeWidget* liste, QTimer* timer)
{
    if (timer)
        timer->stop();
    if (Nombre_lignes(liste) > 0)
        Selectionner_element(liste, 0);
}

void Garder_selection_differee(QTreeWidget* liste)
{
    QTimer::singleShot(10, liste, [liste] { Garder_selection(liste); });
}

namespace {
class EntreeDoubleClic : public QObject {
public:
    explicit EntreeDoubleClic(QTreeWidget* liste) : QObject(liste), m_liste(liste) {}

protected:
    bool eventFilter(QObject*, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::KeyPress)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        const bool entree = touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
        QTreeWidgetItem* ligne = m_liste->currentItem();
        if (!entree || (touche->modifiers() & ~Qt::KeypadModifier) || !ligne)
            return false;
        emit m_liste->itemDoubleClicked(ligne, std::max(0, m_liste->currentColumn()));
        return true;
    }

private:
    QTreeWidget* m_liste;
};
} // namespace

void Entree_comme_double_clic(QTreeWidget* liste)
{
    liste->installEventFilter(new EntreeDoubleClic(liste));
}

int Etat_shift(Qt::KeyboardModifiers modificateurs)
{
    return (modificateurs & Qt::ShiftModifier ? 1 : 0) | (modificateurs & Qt::ControlModifier ? 2 : 0)
        | (modificateurs & Qt::AltModifier ? 4 : 0);
}

bool Selectionner_tout(QTreeWidget* liste, int codeTouche, int shift)
{
    const auto mode = liste->selectionMode();
    if (shift != 2 || codeTouche != 65
        || (mode != QAbstractItemView::ExtendedSelection && mode != QAbstractItemView::MultiSelection))
        return false;
    liste->selectAll();
    return true;
}

void Selectionner_tous(QTreeWidget* source, QTreeWidget* parallele)
{
    const int i = Ligne_courante(source);
    if (Nombre_lignes(source) > 0 && i >= 1)
        Selectionner_element(parallele, i);
}

// ---- Moving, copying and removing rows -----------------------------------------------------

void Deplacer_elements(QTreeWidget* liste, int limite, int decalage)
{
    const int i = Ligne_courante(liste);
    if (i == 0 || i == limite)
        return;
    const int cible = i + decalage;
    if (cible < 1 || cible > Nombre_lignes(liste))
        return;
    QTreeWidgetItem* ligne = liste->takeTopLevelItem(i - 1);
    liste->insertTopLevelItem(cible - 1, ligne);
    liste->clearSelection();
    selectionner(liste, ligne, QAbstractItemView::EnsureVisible);
}

int Copier_element(QTreeWidget* source, QTreeWidget* cible, int index)
{
    QTreeWidgetItem* ligne = Ligne(source, index);
    if (!ligne)
        throw ErreurExecution(35600, "L'index est hors limites");
    QStringList colonnes;
    for (int k = 0; k < source->columnCount(); ++k)
        colonnes << ligne->text(k);
    Ajouter_ligne(cible, colonnes);
    return Nombre_lignes(cible);
}

QString Retirer_selection(QTreeWidget* source, QTreeWidget* parallele, QTreeWidget* retires, QWidget* bouton,
                          bool selectionSource, int colonneCle)
{
    QTreeWidget* decideuse = selectionSource || !parallele ? source : parallele;
    QString cles;
    int i = 1;
    while (i <= Nombre_lignes(source)) {
        QTreeWidgetItem* ligne = Ligne(decideuse, i);
        if (!ligne || !ligne->isSelected()) {
            ++i;
            continue;
        }
        const QString cle = Ligne(source, i)->text(colonneCle <= 1 ? 0 : colonneCle - 1);
        cles += ", " + cle;
        if (retires)
            Ajouter_ligne(retires, {cle});
        delete source->takeTopLevelItem(i - 1);
        if (parallele && parallele != source && Ligne(parallele, i))
            delete parallele->takeTopLevelItem(i - 1);
    }
    if (Nombre_lignes(decideuse) == 0) {
        if (bouton)
            bouton->setEnabled(false);
        Fixer_tabstop({decideuse}, false);
    } else {
        Selectionner_element(decideuse, 0);
    }
    return cles.mid(2);
}

// ---- Check boxes ---------------------------------------------------------------------------

int Nombre_coches(QTreeWidget* liste)
{
    int n = 0;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) {
        if (liste->topLevelItem(i)->checkState(0) == Qt::Checked)
            ++n;
    }
    return n;
}

void Cocher_tous(QTreeWidget* liste, bool coche)
{
    for (int i = 0; i < liste->topLevelItemCount(); ++i)
        liste->topLevelItem(i)->setCheckState(0, coche ? Qt::Checked : Qt::Unchecked);
}

void Cocher_tous_statut(QTreeWidget* liste, QCheckBox* case_, const QString& statut)
{
    Afficher_statut(statut);
    if (case_->checkState() == Qt::Checked)
        Cocher_tous(liste, true);
    Afficher_statut(QString());
}

// ---- Combos --------------------------------------------------------------------------------

void Remplir_combo_equipes(QComboBox* combo, const QString& hommes, const QString& femmes, const QString& mixtes,
                           const QString& libelle)
{
    combo->clear();
    combo->addItem("Individuel");
    int choisie = 0;
    const std::pair<const char*, const QString*> genres[] = {{"Homme", &hommes}, {"Femme", &femmes}, {"Mixte", &mixtes}};
    for (const auto& [genre, nombre] : genres) {
        // Rounded half to even, as the counts have always been read.
        const int n = static_cast<int>(std::nearbyint(Valeur_numerique(*nombre)));
        for (int k = 1; k <= n; ++k) {
            const QString entree = "Equipe " + QString::number(k) + " " + genre;
            combo->addItem(entree);
            if (entree == libelle)
                choisie = combo->count() - 1;
        }
    }
    combo->setCurrentIndex(choisie);
}

void Preparer_combo(QComboBox* combo)
{
    combo->clear();
    combo->setEnabled(false);
}

// ---- Groups of controls --------------------------------------------------------------------

void Vider_textes(const QList<QWidget*>& controles)
{
    for (QWidget* c : controles) {
        if (auto* ligne = qobject_cast<QLineEdit*>(c))
            ligne->clear();
        else if (auto* combo = qobject_cast<QComboBox*>(c))
            combo->setEditText(QString());
        else if (auto* texte = qobject_cast<QTextEdit*>(c))
            texte->clear();
        else if (auto* brut = qobject_cast<QPlainTextEdit*>(c))
            brut->clear();
        else if (auto* etiquette = qobject_cast<QLabel*>(c))
            etiquette->clear();
    }
}

void Fixer_tabstop(const QList<QWidget*>& controles, bool b)
{
    for (QWidget* c : controles)
        c->setFocusPolicy(b ? Qt::StrongFocus : Qt::ClickFocus);
}

void Fixer_enabled(const QList<QWidget*>& controles, bool b)
{
    for (QWidget* c : controles)
        c->setEnabled(b);
}

void Fixer_visible(const QList<QWidget*>& controles, bool b)
{
    for (QWidget* c : controles)
        c->setVisible(b);
}

void Reinitialiser_options(const QList<QAbstractButton*>& options, bool b)
{
    for (QAbstractButton* o : options) {
        // Exclusive groups, by parent or by button group, refuse to unset their checked button.
        QButtonGroup* groupe = o->group();
        const bool groupeExclusif = groupe && groupe->exclusive();
        if (groupeExclusif)
            groupe->setExclusive(false);
        const bool exclusif = o->autoExclusive();
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(exclusif);
        if (groupeExclusif)
            groupe->setExclusive(true);
        o->setEnabled(b);
    }
}

int Option_choisie(const QList<QAbstractButton*>& options, int defaut)
{
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (options[i]->isChecked())
            return static_cast<int>(i);
    }
    return defaut;
}

void Cocher_option_bassin(const QString& longueur, QAbstractButton* option25, QAbstractButton* option50)
{
    if (longueur == "25")
        option25->setChecked(true);
    else if (longueur == "50")
        option50->setChecked(true);
}

// ---- SQL conditions and export -------------------------------------------------------------

void Filtre_selection(QTreeWidget* liste, QString& conditionTexte, QString& conditionNombre,
                      const QString& colonneTexte, const QString& colonneNombre)
{
    conditionTexte.clear();
    conditionNombre.clear();
    for (int i = 1; i <= Nombre_lignes(liste); ++i) {
        const QString t = Ligne(liste, i)->text(0);
        conditionNombre += " or " + colonneNombre + " = " + t;
        conditionTexte += " or " + colonneTexte + " = " + Sql_texte(t);
    }
    conditionNombre = conditionNombre.mid(4);
    conditionTexte = conditionTexte.mid(4);
}

void Exporter_liste(const QString& chemin, QTreeWidget* liste, const QString& titre)
{
    QFile fichier(chemin);
    try {
        if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw ErreurExecution(75, fichier.errorString());
        QStringList lignes;
        if (!titre.isEmpty())
            lignes << titre;
        const int colonnes = liste->columnCount();
        QStringList entetes;
        for (int c = 0; c < colonnes; ++c)
            entetes << liste->headerItem()->text(c);
        lignes << entetes.join('\t');
        for (int i = 1; i <= Nombre_lignes(liste); ++i) {
            QTreeWidgetItem* ligne = Ligne(liste, i);
            QStringList champs;
            for (int c = 0; c < std::max(colonnes, 1); ++c)
                champs << ligne->text(c);
            lignes << champs.join('\t');
        }
        lignes << QString(); // the last line ends too
        const QString texte = lignes.join("\r\n");
        // The code page the program's exports have always used, as long as it loses nothing.
        const QByteArray octets = Tient_en_cp1252(texte) ? Texte_en_cp1252(texte) : "\xEF\xBB\xBF" + texte.toUtf8();
        if (fichier.write(octets) != octets.size() || !fichier.flush())
            throw ErreurExecution(57, fichier.errorString());
        fichier.close();
    } catch (const std::exception& e) {
        fichier.close();
        Memoriser_erreur(e);
        Afficher_erreur("Une erreur s'est produite lors de l'écriture du fichier.");
    }
}
