#include "competitions/det_compet.h"

#include "competitions/frm_liste_compet.h"
#include "competitions/frm_liste_piscine.h"
#include "competitions/piscines.h"
#include "competitions/rcomp.h"
#include "core/boites_saisie.h"
#include "core/base.h"
#include "core/dates.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/ouvreurs.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QList<QAbstractButton*> Boutons(QRadioButton* const* options)
{
    return {options[0], options[1], options[2]};
}

} // namespace

det_compet::det_compet(QWidget* parent) : FenetreComptee(parent)
{
    setObjectName("det_compet");
    static const char* const etiquettes[3] = {"Nom de la compétition :", "Numéro :", "Lieu :"};
    auto* form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        Text1[i] = new QLineEdit(this);
        Text1[i]->setObjectName(QString("Text1_%1").arg(i));
        Installer_selection_au_focus(Text1[i]);
    }
    Installer_filtre_majuscule(Text1[1]);
    form->addRow(QString::fromUtf8(etiquettes[0]), Text1[0]);
    form->addRow(QString::fromUtf8(etiquettes[1]), Text1[1]);
    form->addRow(QString::fromUtf8(etiquettes[2]), Text1[2]);

    auto* type = new QGroupBox("Type de compétition", this);
    type->setObjectName("Frame_type");
    auto* rangeeType = new QHBoxLayout(type);
    Option1[1] = new QRadioButton("Interclubs", type);
    Option1[0] = new QRadioButton("Championnats", type);
    for (int i : {1, 0}) {
        Option1[i]->setObjectName(QString("Option1_%1").arg(i));
        rangeeType->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::clicked, this, &det_compet::regleType);
    }
    QGroupBox* bassin = Creer_cadre_bassin(this, Op_bass);
    auto* rangeeGroupes = new QHBoxLayout;
    rangeeGroupes->addWidget(type);
    rangeeGroupes->addWidget(bassin);

    form->addRow("Date début :", groupeDate(0));
    form->addRow("Date fin :", groupeDate(10));
    Cb_couloir = new QComboBox(this);
    Cb_couloir->setObjectName("Cb_couloir");
    for (int i = 3; i <= 10; ++i)
        Cb_couloir->addItem(QString::number(i));
    Cb_couloir->setCurrentText("8");
    form->addRow("Nombre de couloirs :", Cb_couloir);

    Lbl_Piscine_Choose = new QLabel(this);
    Lbl_Piscine_Choose->setObjectName("Lbl_Piscine_Choose");
    Lbl_Piscine_Choose->setTextFormat(Qt::PlainText);
    Lbl_Piscine_Choose->setFrameShape(QFrame::StyledPanel);
    Lbl_Piscine_Choose->setMinimumWidth(Twips_en_pixels(2700));
    cmdPiscine = Creer_bouton(this, "cmdPiscine", "...");
    cmdPiscine->setToolTip("Sélection d'une piscine");
    cmdPiscineClear = Creer_bouton(this, "cmdPiscineClear", "X");
    cmdPiscineClear->setToolTip("Effacer le nom de la piscine");
    for (QPushButton* b : {cmdPiscine, cmdPiscineClear})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance("...") + 18);
    auto* rangeePiscine = new QHBoxLayout;
    rangeePiscine->addWidget(Lbl_Piscine_Choose, 1);
    rangeePiscine->addWidget(cmdPiscine);
    rangeePiscine->addWidget(cmdPiscineClear);
    form->addRow("Piscine :", rangeePiscine);

    auto* codif = new QGroupBox("Codifications", this);
    codif->setObjectName("Frame_codif");
    auto* colonneCodif = new QVBoxLayout(codif);
    colonneCodif->addWidget(echelle("Fédérale :", "Op_f", Op_f));
    colonneCodif->addWidget(echelle("Inter régionale :", "Op_r", Op_r));
    colonneCodif->addWidget(echelle("Régionale :", "Op_rg", Op_rg));
    colonneCodif->addWidget(echelle("Départementale :", "Op_d", Op_d));
    m_echelles[0] = Op_f;
    m_echelles[1] = Op_r;
    m_echelles[2] = Op_rg;
    m_echelles[3] = Op_d;
    Cmd_clear_option = Creer_bouton(codif, "Cmd_clear_option", "Initialiser les codifications");
    auto* rangeeInit = new QHBoxLayout;
    rangeeInit->addStretch(1);
    rangeeInit->addWidget(Cmd_clear_option);
    colonneCodif->addLayout(rangeeInit);

    Command1[0] = Creer_bouton(this, "Command1_0", "OK");
    Command1[1] = Creer_bouton(this, "Command1_1", "Annuler");
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Command1[0]);
    boutons->addWidget(Command1[1]);

    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(form);
    colonne->addLayout(rangeeGroupes);
    colonne->addWidget(codif);
    colonne->addStretch(1);
    colonne->addLayout(boutons);
    Fixer_taille_design(7200, 8400);

    connect(Cmd_clear_option, &QPushButton::clicked, this, [this] {
        for (QRadioButton** e : m_echelles)
            Reinitialiser_options(Boutons(e), true);
    });
    connect(cmdPiscine, &QPushButton::clicked, this, &det_compet::choisirPiscine);
    connect(cmdPiscineClear, &QPushButton::clicked, this, [this] {
        Lbl_Piscine_Choose->clear();
        strNumPiscine = m_piscineNulle;
    });
    connect(Command1[0], &QPushButton::clicked, this, &det_compet::ok);
    connect(Command1[1], &QPushButton::clicked, this, &QWidget::close);

    try {
        m_piscineNulle = Get_num_piscine_nulle();
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Effacer_erreur();
    }
    strNumPiscine = m_piscineNulle;
}

QWidget* det_compet::groupeDate(int base)
{
    auto* groupe = new QWidget(this);
    auto* rangee = new QHBoxLayout(groupe);
    rangee->setContentsMargins(0, 0, 0, 0);
    static const char* const bulles[3] = {"JJ", "MM", "AAAA"};
    for (int k = 0; k < 3; ++k) {
        auto* boite = new QLineEdit(groupe);
        const int index = base + k;
        boite->setObjectName(QString("txt_date_%1").arg(index));
        boite->setFixedWidth(boite->fontMetrics().horizontalAdvance(k == 2 ? "00000" : "000") + 14);
        boite->setPlaceholderText(QString::fromLatin1(bulles[k]));
        boite->setToolTip(QString::fromLatin1(bulles[k]));
        txt_date.insert(index, boite);
        rangee->addWidget(boite);
        if (k < 2)
            rangee->addWidget(new QLabel("/", groupe));
    }
    auto* bouton = Creer_bouton(groupe, QString("Cmd_Date_%1").arg(base), "...");
    bouton->setToolTip("Sélection d'une date");
    bouton->setFixedWidth(bouton->fontMetrics().horizontalAdvance("...") + 18);
    Cmd_Date.insert(base, bouton);
    Brancher_boites_date(txt_date[base], txt_date[base + 1], txt_date[base + 2], bControleDate, bouton);
    rangee->addWidget(bouton);
    rangee->addStretch(1);
    return groupe;
}

QWidget* det_compet::echelle(const QString& titre, const char* nom, QRadioButton* (&options)[3])
{
    // Each scale in a widget of its own: its three options exclude one another only.
    auto* rangee = new QWidget(this);
    rangee->setObjectName(QString::fromLatin1(nom) + "_cadre");
    auto* disposition = new QHBoxLayout(rangee);
    disposition->setContentsMargins(0, 0, 0, 0);
    auto* etiquette = new QLabel(titre, rangee);
    etiquette->setMinimumWidth(Twips_en_pixels(1800));
    disposition->addWidget(etiquette);
    static const char* const textes[3] = {"Qualificative", "Référence", "Animation"};
    for (int i = 0; i < 3; ++i) {
        options[i] = new QRadioButton(QString::fromUtf8(textes[i]), rangee);
        options[i]->setObjectName(QString("%1_%2").arg(QString::fromLatin1(nom)).arg(i));
        disposition->addWidget(options[i]);
    }
    disposition->addStretch(1);
    return rangee;
}

QList<QRadioButton*> det_compet::codifications() const
{
    QList<QRadioButton*> toutes;
    for (QRadioButton* const* e : m_echelles)
        toutes << e[0] << e[1] << e[2];
    return toutes;
}

void det_compet::regleType()
{
    const bool interclubs = Option1[1]->isChecked();
    if (interclubs) {
        Op_bass[0]->setChecked(true);
        for (QRadioButton** e : m_echelles)
            e[2]->setChecked(true);
    }
    for (QRadioButton* o : codifications())
        o->setEnabled(!interclubs);
    Op_bass[0]->setEnabled(!interclubs);
    Op_bass[1]->setEnabled(!interclubs);
}

void det_compet::remplir_champs()
{
    Executer_requete("SELECT Rcomp.*, Piscine.Nom FROM Rcomp Rcomp LEFT JOIN Piscine Piscine ON Piscine.Num = "
                     "Rcomp.Num_Piscine WHERE AutoNum = "
                         + QString::number(strNumCompet.toLongLong()),
                     false);
    if (colResultat.nbLignes() < 1 || colResultat.nbColonnes() < 17) {
        Liberer_resultat();
        return;
    }
    auto v = [](int c) { return colResultat.item(c, 1); };
    Text1[1]->setText(v(1));
    if (v(2) == "C")
        Option1[0]->setChecked(true);
    else if (v(2) == "I")
        Option1[1]->setChecked(true);
    Text1[0]->setText(v(3));
    bControleDate = false;
    Afficher_date(txt_date[0], txt_date[1], txt_date[2], v(4));
    Afficher_date(txt_date[10], txt_date[11], txt_date[12], v(5));
    bControleDate = true;
    Text1[2]->setText(v(6));
    Cb_couloir->setCurrentText(v(8).isEmpty() ? QString("8") : v(8));
    regleType();
    Cocher_option_bassin(v(7), Op_bass[0], Op_bass[1]);
    for (int k = 0; k < 4; ++k) {
        QRadioButton** e = m_echelles[k];
        Reinitialiser_options(Boutons(e), e[0]->isEnabled());
        const int i = QStringLiteral("QRA").indexOf(v(9 + k).left(1));
        if (!v(9 + k).trimmed().isEmpty() && i >= 0)
            e[i]->setChecked(true);
    }
    strNumPiscine = v(15);
    const QString piscine = v(16);
    Lbl_Piscine_Choose->setText(piscine == "Null" ? QString() : piscine);
    Liberer_resultat();
}

bool det_compet::Verifier_saisie()
{
    auto echec = [](const QString& message, QWidget* champ) {
        Afficher_erreur(message);
        if (champ)
            champ->setFocus();
        return false;
    };
    static const char* const vides[3] = {"Veuillez spécifier le nom de la compétition.",
                                         "Veuillez spécifier le numéro de la compétition.",
                                         "Veuillez spécifier le lieu de la compétition."};
    for (int i = 0; i < 3; ++i) {
        if (Text1[i]->text().trimmed().isEmpty())
            return echec(QString::fromUtf8(vides[i]), Text1[i]);
    }
    if (!Option1[0]->isChecked() && !Option1[1]->isChecked())
        return echec("Veuillez spécifier le type de la compétition.", Option1[0]);
    if (!Op_bass[0]->isChecked() && !Op_bass[1]->isChecked())
        return echec("Veuillez spécifier le type de bassin de la compétition.", Op_bass[0]);
    static const char* const niveaux[4] = {"fédérale", "inter régionale", "régionale", "départementale"};
    for (int k = 0; k < 4; ++k) {
        QRadioButton** e = m_echelles[k];
        if (Option_choisie(Boutons(e), -1) < 0)
            return echec("Veuillez spécifier la codification " + QString::fromUtf8(niveaux[k]) + " de la compétition.",
                         e[0]);
    }
    QString dates[2];
    for (int k = 0; k < 2; ++k) {
        const int b = k * 10;
        QString jour = txt_date[b]->text();
        QString mois = txt_date[b + 1]->text();
        const QString annee = txt_date[b + 2]->text();
        // A day the month does not have is no date either.
        if (!Date_valide(annee, mois, jour) || !Jour_valide(jour.toInt(), mois.toInt(), annee.toInt()))
            return echec("Format des dates non valides.", txt_date[b]);
        dates[k] = Composer_date(annee, mois, jour);
    }
    if (dates[0] <= Aujourdhui_texte())
        return echec("Date de début de la compétition est passée.", txt_date[0]);
    if (dates[1] < dates[0])
        return echec("La date de fin ne peut être avant la date de début.", txt_date[10]);
    m_debut = dates[0];
    m_fin = dates[1];
    return true;
}

QStringList det_compet::Lire_champs() const
{
    QStringList v(NB_VALEURS_COMPET);
    v[VC_Num] = Text1[1]->text();
    v[VC_Type] = Option1[0]->isChecked() ? "C" : "I";
    v[VC_Nom] = Text1[0]->text();
    v[VC_Debut] = m_debut;
    v[VC_Fin] = m_fin;
    v[VC_Lieu] = Text1[2]->text();
    v[VC_Longueur] = Op_bass[0]->isChecked() ? "25" : "50";
    v[VC_Nb_couloir] = Cb_couloir->currentText();
    v[VC_Codif_fede] = Option_QRA(Boutons(m_echelles[0]));
    v[VC_Codif_inter] = Option_QRA(Boutons(m_echelles[1]));
    v[VC_Codif_reg] = Option_QRA(Boutons(m_echelles[2]));
    v[VC_Codif_depar] = Option_QRA(Boutons(m_echelles[3]));
    v[VC_Num_Piscine] = strNumPiscine;
    return v;
}

void det_compet::ForceUnloadWindowsEngag(const QString& nom)
{
    if (nom == "Frm_liste_piscine")
        m_listePiscines.clear();
}

void det_compet::Decharger_fenetres_filles()
{
    if (m_listePiscines)
        m_listePiscines->close();
}

void det_compet::choisirPiscine()
{
    if (Fenetre_deja_ouverte(m_listePiscines, false))
        return;
    try {
        Ouvrir_liste_piscines(m_listePiscines, "Choix d'une piscine", "Choisir", true, "&Nouvelle", 0, 0, strNumPiscine,
                              this);
    } catch (const std::exception& e) {
        Memoriser_erreur(e);
        Afficher_erreur("Erreur lors du chargement de la liste des piscines.");
    }
}

void det_compet::ok()
{
    if (!Verifier_saisie())
        return;
    QStringList valeurs = Lire_champs();
    if (strAction == "Nouveau") {
        if (!Ajouter_compet(valeurs)) {
            Afficher_erreur("Erreur lors de la sauvegarde de la compétition.");
            return;
        }
        Afficher_information("Compétition mémorisée avec succès.");
    } else if (strAction == "Modif") {
        Doubler_apostrophes(valeurs);
        try {
            PointSauvegarde point("modif_compet");
            if (!Modifier_compet(valeurs, strNumCompet))
                throw ErreurExecution(Err().numero, Err().description);
            // Events set on a day the competition no longer has go back to day 1.
            const int jours = Ecart_jours(m_debut, m_fin) + 1;
            cnxBase.Execute("UPDATE Pcomp SET JourCourse = 1, Num_ordre = 0 where JourCourse > " + QString::number(jours)
                            + " and Num_compet = " + QString::number(strNumCompet.toLongLong()));
            point.valider();
        } catch (const std::exception& e) {
            Memoriser_erreur(e);
            Afficher_erreur("Erreur lors de la modification de la compétition.");
            return;
        }
        Afficher_information("Compétition modifiée avec succès.");
        if (auto* liste = qobject_cast<Frm_liste_compet*>(frmCible.data()))
            liste->ReloadListe(strNumCompet);
    }
    close();
}

void Ouvrir_det_compet(QPointer<det_compet>& fenetre, const QString& mode, const QString& titre, const QString& cle,
                       QWidget* appelant)
{
    Ouverture ouverture;
    if (mode == "Nouveau")
        ouverture.verrous = Verrous_nouvelle_compet();
    ouverture.strAction = mode;
    ouverture.titre = titre;
    ouverture.appelant = appelant;
    Ouvrir_fenetre(fenetre, ouverture, [&](det_compet& detail) {
        detail.strNumCompet = cle;
        if (mode != "Nouveau")
            detail.remplir_champs();
    });
}

Frm_liste_piscine* det_compet::listePiscines() const
{
    return m_listePiscines;
}
