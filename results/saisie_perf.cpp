#include "results/saisie_perf.h"

#include "core/base.h"
#include "core/boites_saisie.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/globales.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/temps.h"
#include "core/utils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QList<QAbstractButton*> Options(QRadioButton* const (&o)[3])
{
    return {o[0], o[1], o[2]};
}

QList<QAbstractButton*> Niveaux(FenetreSaisiePerf& f)
{
    return Options(f.Op_f) + Options(f.Op_r) + Options(f.Op_rg) + Options(f.Op_d);
}

QString Texte_boite(FenetreSaisiePerf& f, int index)
{
    QLineEdit* boite = f.txt_info.value(index);
    return boite ? boite->text() : QString();
}

void Montrer_champ(FenetreSaisiePerf& f, int onglet, QWidget* champ)
{
    if (f.SSTab1)
        f.SSTab1->setCurrentIndex(onglet);
    if (champ)
        champ->setFocus();
}

// The date as typed, composed "yyyymmdd" (one-digit day and month padded).
QString Date_saisie(FenetreSaisiePerf& f)
{
    QString mois = Texte_boite(f, 4);
    QString jour = Texte_boite(f, 3);
    return Composer_date(Texte_boite(f, 5), mois, jour);
}

} // namespace

FenetreSaisiePerf::FenetreSaisiePerf(QWidget* parent) : FenetreComptee(parent) {}

void FenetreSaisiePerf::Creer_controles_saisie()
{
    const int longueurs[6] = {7, 20, 0, 2, 2, 4};
    for (int i : {0, 1, 3, 4, 5}) {
        auto* boite = new QLineEdit(this);
        boite->setObjectName(QString("txt_info_%1").arg(i));
        boite->setMaxLength(longueurs[i]);
        txt_info.insert(i, boite);
        // Enter and "+" type nothing in these boxes.
        Installer_filtre(boite, [](int code) { return code == 13 || code == 43 ? 0 : code; });
    }
    for (int i : {3, 4})
        txt_info[i]->setMaximumWidth(Twips_en_pixels(450));
    txt_info[5]->setMaximumWidth(Twips_en_pixels(700));
    txt_info[0]->setMaximumWidth(Twips_en_pixels(1100));

    Cmd_Date = Creer_bouton(this, "Cmd_Date", "...");
    Cmd_Date->setToolTip("Sélection d'une date");
    Brancher_boite_temps(txt_info[0]);
    Brancher_boites_date(txt_info[3], txt_info[4], txt_info[5], bControle, Cmd_Date);
    Installer_selection_au_focus(txt_info[1]);
    cmd_CodifClear = Creer_bouton(this, "cmd_CodifClear", "Initialiser les codifications");
    cmd_CodifClear->setToolTip("Initialiser les codifications");
    connect(cmd_CodifClear, &QPushButton::clicked, this, [this] { Init_codifications(*this, true); });
    Cmd_def[0] = Creer_bouton(this, "Cmd_def_0", "&Insérer");
    Cmd_def[1] = Creer_bouton(this, "Cmd_def_1", "&Effacer");
}

QWidget* FenetreSaisiePerf::Ligne_date(QWidget* parent)
{
    auto* ligne = new QWidget(parent);
    auto* l = new QHBoxLayout(ligne);
    l->setContentsMargins(0, 0, 0, 0);
    const char* etiquettes[3] = {"JJ", "MM", "AAAA"};
    for (int i = 3; i <= 5; ++i) {
        txt_info[i]->setPlaceholderText(etiquettes[i - 3]);
        txt_info[i]->setToolTip(etiquettes[i - 3]);
        l->addWidget(txt_info[i]);
    }
    l->addWidget(Cmd_Date);
    l->addStretch(1);
    return ligne;
}

QWidget* FenetreSaisiePerf::Cadre_bassin(QWidget* parent)
{
    auto* cadre = new QGroupBox("Type bassin", parent);
    cadre->setObjectName("Frame_bassin");
    auto* l = new QHBoxLayout(cadre);
    auto* groupe = new QButtonGroup(cadre);
    for (int i = 0; i < 2; ++i) {
        Opt_bassin[i] = new QRadioButton(i == 0 ? "25 m" : "50 m", cadre);
        Opt_bassin[i]->setObjectName(QString("Opt_bassin_%1").arg(i));
        groupe->addButton(Opt_bassin[i]);
        l->addWidget(Opt_bassin[i]);
    }
    l->addStretch(1);
    return cadre;
}

QWidget* FenetreSaisiePerf::Cadre_codifications(QWidget* parent)
{
    auto* cadre = new QGroupBox("Codifications", parent);
    cadre->setObjectName("Frame_codif");
    auto* grille = new QGridLayout(cadre);
    const char* titres[4] = {"Fédérale :", "Inter régionale :", "Régionale :", "Départementale :"};
    const char* noms[4] = {"Op_f", "Op_r", "Op_rg", "Op_d"};
    QRadioButton* (*groupes[4])[3] = {&Op_f, &Op_r, &Op_rg, &Op_d};
    const char* libelles[3] = {"Qualificative", "Référence", "Animation"};
    for (int g = 0; g < 4; ++g) {
        grille->addWidget(new QLabel(QString::fromUtf8(titres[g]), cadre), g, 0);
        // Each level its own group, so that one option of each can be ticked.
        auto* ligne = new QWidget(cadre);
        auto* l = new QHBoxLayout(ligne);
        l->setContentsMargins(0, 0, 0, 0);
        auto* groupe = new QButtonGroup(ligne);
        for (int i = 0; i < 3; ++i) {
            auto* o = new QRadioButton(QString::fromUtf8(libelles[i]), ligne);
            o->setObjectName(QString("%1_%2").arg(noms[g]).arg(i));
            groupe->addButton(o);
            l->addWidget(o);
            (*groupes[g])[i] = o;
        }
        grille->addWidget(ligne, g, 1);
    }
    grille->addWidget(cmd_CodifClear, 4, 1, Qt::AlignLeft);
    return cadre;
}

void FenetreSaisiePerf::Vider_saisie(bool b)
{
    bControle = false;
    for (QLineEdit* boite : txt_info) {
        boite->clear();
        boite->setEnabled(b);
    }
    Init_codifications(*this, b);
    cmd_CodifClear->setEnabled(b);
    if (b)
        txt_info[0]->setText(Format_temps(txt_info[0]->text()));
    bControle = true;
}

void FenetreSaisiePerf::Preparer_bassin(bool b, bool possible50)
{
    Reinitialiser_options({Opt_bassin[0], Opt_bassin[1]}, b);
    if (b) {
        Opt_bassin[1]->setEnabled(possible50);
        Opt_bassin[0]->setChecked(true);
    }
}

void FenetreSaisiePerf::Fixer_tabstops_options(bool premierOnglet)
{
    Fixer_tabstop({Opt_bassin[0], Opt_bassin[1]}, premierOnglet);
    QList<QWidget*> niveaux;
    for (QAbstractButton* o : Niveaux(*this))
        niveaux << o;
    Fixer_tabstop(niveaux, !premierOnglet);
}

void Msg_champ_manquant(const QString& strQuoi)
{
    Afficher_erreur("Veuillez spécifier " + strQuoi + ".");
}

void Init_codifications(FenetreSaisiePerf& fenetre, bool b)
{
    // The levels are exclusive groups: unticking one needs the group's exclusivity off.
    for (QAbstractButton* o : Niveaux(fenetre)) {
        QButtonGroup* groupe = o->group();
        if (groupe)
            groupe->setExclusive(false);
        o->setChecked(false);
        if (groupe)
            groupe->setExclusive(true);
        o->setEnabled(b);
    }
}

bool Verifier_saisie_perf(FenetreSaisiePerf& f, int intNbNageurs)
{
    if (Valeur_numerique(Texte_boite(f, 0)) == 0) {
        Msg_champ_manquant("le temps réalisé");
        Montrer_champ(f, 0, f.txt_info.value(0));
        return false;
    }
    if (Texte_boite(f, 1).trimmed().isEmpty()) {
        Msg_champ_manquant("le lieu de la performance");
        Montrer_champ(f, 0, f.txt_info.value(1));
        return false;
    }
    if (!Date_valide(Texte_boite(f, 5), Texte_boite(f, 4), Texte_boite(f, 3)) || Aujourdhui_texte() < Date_saisie(f)) {
        Msg_champ_manquant("une date valide pour la performance");
        Montrer_champ(f, 0, f.txt_info.value(3));
        return false;
    }
    if (intNbNageurs > 0 && (!f.lsv_compo_relais || Nombre_lignes(f.lsv_compo_relais) < intNbNageurs)) {
        Msg_champ_manquant("la composition complète du relais");
        Montrer_champ(f, 1, f.lsv_licence);
        return false;
    }
    return true;
}

qint64 Prochain_num_manuel(const QString& table)
{
    Executer_requete("SELECT Max(NumManuel) FROM " + table + " WHERE Num_compet = 0", false);
    const QString max = colResultat.nbLignes() > 0 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    return static_cast<qint64>(Valeur_numerique(max)) + 1;
}

int Age_nageur(const QString& datePerf, const QString& dateNaissance)
{
    bool ok = false;
    const int naissance = dateNaissance.left(4).toInt(&ok);
    if (!ok || dateNaissance.size() != 8)
        return -1;
    return datePerf.left(4).toInt() - naissance;
}

bool Enregistrer_perf_manuelle(FenetreSaisiePerf& f, bool bRelais, const QString& strNum, const QString& strCodeClub,
                               const QString& strDateNaissance)
{
    try {
        const QString table = bRelais ? "Liffn_relais" : "Liffn";
        const qint64 numManuel = Prochain_num_manuel(table);
        QTreeWidgetItem* nage = f.LsvNage->currentItem();
        if (!nage)
            throw ErreurExecution(91, "Aucune épreuve choisie");
        const QString datePerf = Date_saisie(f);
        // The time as a number from its normal form, whatever the box shows at this moment.
        const QString temps = Format_temps(Texte_boite(f, 0));
        const int bassin = f.Opt_bassin[1]->isChecked() ? 50 : 25;

        QStringList colonnes = {"Code_epreuve", "Code_club", "Num_Lic", "Type_bassin", "Date_perf", "Tps", "Lieu"};
        QVariantList valeurs = {nage->text(0).toLongLong(), strCodeClub, strNum.toLongLong(), bassin, datePerf,
                                Texte_en_reel(temps), Texte_boite(f, 1)};
        if (bRelais) {
            for (int i = 1; i <= 10; ++i) {
                QTreeWidgetItem* leg = Ligne(f.Lsv_compo_relais_num, i);
                colonnes << QString("Nageur%1").arg(i);
                valeurs << (leg ? leg->text(0) : strNumLicenceNulle).toLongLong();
            }
        }
        colonnes << "Codif_Fede" << "Codif_Inter" << "Codif_Reg" << "Codif_Depart";
        valeurs << Option_QRA(Options(f.Op_f)) << Option_QRA(Options(f.Op_r)) << Option_QRA(Options(f.Op_rg))
                << Option_QRA(Options(f.Op_d));
        if (!bRelais) {
            const int age = Age_nageur(datePerf, strDateNaissance);
            colonnes << "Passage_relais" << "Tps_inter" << "Age_nageur";
            valeurs << (f.chk_relais->isChecked() ? "R" : " ") << (f.chk_Inter->isChecked() ? 1 : 0)
                    << (age < 0 ? QVariant() : QVariant(age));
        }
        colonnes << "Num_compet" << "NumManuel";
        valeurs << 0 << numManuel;

        QString question = "Enregistrer la nouvelle perfomance sur le " + nage->text(1) + "\r\n";
        if (!bRelais) {
            QTreeWidgetItem* nageur = Ligne(f.lsv_info_lic, Ligne_courante(f.lsv_licence));
            question += " pour " + (nageur ? nageur->text(0) : QString());
        }
        question += " avec le temps " + Temps_affichage(temps) + " ?";
        if (Demander_confirmation(question, 0) != Reponse::Oui)
            return false;

        QStringList marques(colonnes.size(), "?");
        cnxBase.Executer_lie("INSERT INTO " + table + " (" + colonnes.join(", ") + ") VALUES (" + marques.join(", ") + ")",
                             valeurs);
        return true;
    } catch (const std::exception& e) {
        Liberer_resultat();
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors de l'insertion de la nouvelle performance.");
        return false;
    }
}
