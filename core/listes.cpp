#include "core/listes.h"

#include "core/base.h"
#include "core/cp1252.h"
#include "core/erreurs.h"
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
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

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

// Widens the columns of one list once the changes under way are over: rows are often added one
// at a time, and one pass after the last is enough.
class MesureColonnes : public QObject {
public:
    explicit MesureColonnes(QTreeWidget* liste) : QObject(liste), m_liste(liste)
    {
        setObjectName(QStringLiteral("qv_mesure_colonnes"));
        QAbstractItemModel* modele = liste->model();
        const auto plus_tard = [this] { demander(); };
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
        demander();
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
        m_enCours = true;
        QHeaderView* entete = m_liste->header();
        for (int c = 0; c < m_liste->columnCount(); ++c) {
            if (m_liste->isColumnHidden(c))
                continue;
            // The last column stretched by the list already takes what is left.
            const int besoin = Largeur_contenu_colonne(m_liste, c);
            if (m_liste->columnWidth(c) < besoin
                && !(entete->stretchLastSection() && c == entete->count() - 1 && entete->sectionSize(c) >= besoin))
                m_liste->setColumnWidth(c, besoin);
        }
        m_enCours = false;
    }

    QTreeWidget* m_liste;
    bool m_demande = false;
    bool m_enCours = false;
};
} // namespace

void Colonnes_a_la_mesure(QTreeWidget* liste)
{
    if (!liste->findChild<MesureColonnes*>(QStringLiteral("qv_mesure_colonnes"), Qt::FindDirectChildrenOnly))
        new MesureColonnes(liste);
}

int Largeur_contenu_colonne(const QTreeWidget* liste, int colonne)
{
    // The widest text is found by its advance; the delegate then measures that row whole, with
    // its margins, its check box and its icon.
    const QFontMetrics metriques(liste->font());
    QTreeWidgetItem* plusLarge = nullptr;
    int avance = -1;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(liste)); *it; ++it) {
        QTreeWidgetItem* ligne = *it;
        const QVariant police = ligne->data(colonne, Qt::FontRole);
        const int a = (police.isValid() ? QFontMetrics(police.value<QFont>()) : metriques)
                          .horizontalAdvance(ligne->text(colonne));
        if (a > avance || (a == avance && !ligne->icon(colonne).isNull())) {
            avance = a;
            plusLarge = ligne;
        }
    }
    int largeur = liste->header()->isHidden() ? 0 : liste->header()->sectionSizeHint(colonne);
    if (plusLarge) {
        QStyleOptionViewItem option;
        option.initFrom(liste);
        option.widget = liste;
        option.font = liste->font();
        option.decorationSize = liste->iconSize().isValid() ? liste->iconSize() : QSize(16, 16);
        option.features |= QStyleOptionViewItem::HasDisplay;
        const QModelIndex index = Index_element(liste, plusLarge, colonne);
        int l = liste->itemDelegateForIndex(index)->sizeHint(option, index).width();
        if (colonne == 0) {
            int profondeur = 0;
            for (QTreeWidgetItem* p = plusLarge->parent(); p; p = p->parent())
                ++profondeur;
            l += liste->indentation() * (profondeur + (liste->rootIsDecorated() ? 1 : 0));
        }
        largeur = std::max(largeur, l);
    }
    return largeur;
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
