#include "clubs_licences/construc_code_club.h"

#include "clubs_licences/code_club.h"
#include "core/base.h"
#include "core/erreurs.h"
#include "core/listes.h"
#include "core/messages.h"
#include "core/saisie.h"
#include "core/services.h"
#include "core/utils.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString france = QStringLiteral("FRANCE");

// The first value of a one-column query, "" when it finds nothing.
QString Premiere_valeur(const QString& sql)
{
    Executer_requete(sql, false);
    const QString valeur = colResultat.Count(0) >= 1 ? colResultat.item(0, 1) : QString();
    Liberer_resultat();
    return valeur;
}

// The number typed: the value of its leading digits.
int Numero_tape(const QString& texte)
{
    int n = 0;
    for (const QChar c : texte) {
        if (!c.isDigit())
            break;
        n = n * 10 + c.digitValue();
    }
    return n;
}

} // namespace

construc_code_club::construc_code_club(QWidget* parent) : QDialog(parent)
{
    setObjectName("construc_code_club");
    setWindowTitle("Aide à la construction du code Club");

    Frame1 = new QGroupBox("Type Club", this);
    Frame1->setObjectName("Frame1");
    auto* types = new QVBoxLayout(Frame1);
    const char* libelles[] = {"Club", "Sélection Fédérale", "Sélection Inter régionale", "Sélection Régionale",
                              "Sélection Départementale"};
    for (int i = 0; i < 5; ++i) {
        Opt_type[i] = new QRadioButton(libelles[i], Frame1);
        Opt_type[i]->setObjectName(QString("Opt_type_%1").arg(i));
        types->addWidget(Opt_type[i]);
        connect(Opt_type[i], &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche)
                typeChoisi(i);
        });
    }
    types->addStretch(1);
    {
        QSignalBlocker bloque(Opt_type[0]);
        Opt_type[0]->setChecked(true);
    }

    auto liste = [this](const char* nom) {
        auto* l = new QComboBox(this);
        l->setObjectName(nom);
        l->setMinimumContentsLength(24);
        return l;
    };
    Cb_pays = liste("Cb_pays");
    Cb_inter = liste("Cb_inter");
    Cb_region = liste("Cb_region");
    Cb_departement = liste("Cb_departement");
    connect(Cb_pays, &QComboBox::currentIndexChanged, this, &construc_code_club::paysChoisi);
    connect(Cb_inter, &QComboBox::currentIndexChanged, this, &construc_code_club::interChoisi);
    connect(Cb_region, &QComboBox::currentIndexChanged, this, &construc_code_club::regionChoisie);
    connect(Cb_departement, &QComboBox::currentIndexChanged, this, &construc_code_club::departementChoisi);

    txt_code_fourni = new QLineEdit(this);
    txt_code_fourni->setObjectName("txt_code_fourni");
    txt_code_fourni->setMaxLength(4);
    txt_code_fourni->setToolTip("code fourni par la fédération, 4 caractères");
    Installer_filtre_majuscule(txt_code_fourni);
    Installer_selection_au_focus(txt_code_fourni);
    txt_codification = new QLineEdit(this);
    txt_codification->setObjectName("txt_codification");
    txt_codification->setReadOnly(true);

    Command1_0 = new QPushButton("Generate", this);
    Command1_0->setObjectName("Command1_0");
    Command1_0->setDefault(true);
    Command1_1 = new QPushButton("Ok", this);
    Command1_1->setObjectName("Command1_1");
    connect(Command1_0, &QPushButton::clicked, this, [this] { Generer(); });
    connect(Command1_1, &QPushButton::clicked, this, &construc_code_club::valider);

    auto* champs = new QGridLayout;
    int ligne = 0;
    auto ajouter = [&](const char* etiquette, QWidget* champ) {
        auto* l = new QLabel(etiquette, this);
        l->setBuddy(champ);
        champs->addWidget(l, ligne, 0);
        champs->addWidget(champ, ligne, 1);
        ++ligne;
    };
    ajouter("Pays :", Cb_pays);
    ajouter("Inter Region :", Cb_inter);
    ajouter("Region :", Cb_region);
    ajouter("Département :", Cb_departement);
    ajouter("Code fourni par la FFN : (4 caractères)", txt_code_fourni);
    ajouter("Codification :", txt_codification);

    auto* haut = new QHBoxLayout;
    haut->addWidget(Frame1);
    haut->addLayout(champs, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    boutons->addWidget(Command1_0);
    boutons->addWidget(Command1_1);
    auto* tout = new QVBoxLayout(this);
    tout->addLayout(haut);
    tout->addLayout(boutons);
}

void construc_code_club::remplir_info()
{
    const QString code = objTextBoxCible ? objTextBoxCible->text() : QString();
    remplir(Cb_pays, "select Libelle from Pays order by Libelle");
    {
        QSignalBlocker bloque(Cb_pays);
        Cb_pays->setCurrentIndex(-1);
    }
    const int type = Type_code_club(code, m_type);
    if (type != m_type)
        Opt_type[type]->setChecked(true);

    bool valide = false;
    if (code.size() == 13) {
        QString message;
        try {
            valide = Code_club_valide(code, false, message);
        } catch (const std::exception&) {
            // Read as an invalid code: the builder then starts from the country alone.
            valide = false;
        }
    }
    if (valide) {
        montrer(Cb_pays, Premiere_valeur("select Libelle from Pays where code = " + Sql_texte(code.left(3))));
        if (Cb_pays->currentText() == france) {
            montrer(Cb_inter, Premiere_valeur("select Libelle from Inter_Region where code = " + code.mid(3, 1)
                                              + " and not (libelle = 'Null')"));
            montrer(Cb_region, Premiere_valeur("select Libelle from Region where code = " + Sql_texte(code.mid(4, 2))
                                               + " and not (libelle = 'Null')"));
            montrer(Cb_departement,
                    Premiere_valeur("select Libelle from Departement where code = " + Sql_texte(code.mid(6, 3))));
        }
        txt_code_fourni->setText(code.right(4));
        Generer();
    } else if (code.size() == 13) {
        const QString pays = Premiere_valeur("select Libelle from Pays where Code = " + Sql_texte(code.left(3)));
        montrer(Cb_pays, pays.isEmpty() ? france : pays);
    } else {
        montrer(Cb_pays, france);
    }
}

bool construc_code_club::Generer()
{
    const QString pays = Premiere_valeur("select Code from Pays where Libelle = " + Sql_texte(Cb_pays->currentText()));
    if (pays.isEmpty())
        return false;
    // A label that is no longer in its table reads as "none" rather than breaking the code.
    QString inter = "0";
    if (!Cb_inter->currentText().isEmpty()) {
        const QString v =
            Premiere_valeur("select Code from Inter_Region where Libelle = " + Sql_texte(Cb_inter->currentText()));
        if (!v.isEmpty())
            inter = v;
    }
    QString region = "00";
    if (Cb_pays->currentText() == france && !Cb_region->currentText().isEmpty()) {
        const QString v = Premiere_valeur("select Code from Region where Libelle = " + Sql_texte(Cb_region->currentText()));
        if (!v.isEmpty())
            region = v;
    }
    QString departement = "000";
    if (!Cb_departement->currentText().isEmpty()) {
        const QString v = Premiere_valeur("select Code from Departement where Libelle = "
                                          + Sql_texte(Cb_departement->currentText()));
        if (!v.isEmpty())
            departement = v;
    }
    int numero = Numero_tape(txt_code_fourni->text());
    if (numero == 0 && Opt_type[TypeClub::Club]->isChecked())
        numero = 1;
    const QString texteNumero = QString("%1").arg(numero, 4, 10, QChar('0'));
    txt_code_fourni->setText(texteNumero);
    txt_codification->setText(pays + inter + region + departement + texteNumero);
    return true;
}

void construc_code_club::valider()
{
    if (Generer() && Demander_confirmation("Copier le code Club ?", 0) == Reponse::Oui && objTextBoxCible)
        objTextBoxCible->setText(txt_codification->text());
    objTextBoxCible.clear();
    accept();
}

void construc_code_club::typeChoisi(int type)
{
    m_type = type;
    m_pays.clear();
    m_inter.clear();
    m_region.clear();
    m_departement.clear();
    paysChoisi();
    if (type != TypeClub::Club) {
        txt_code_fourni->setText("0000");
        txt_code_fourni->setEnabled(false);
    } else {
        txt_code_fourni->clear();
        txt_code_fourni->setEnabled(true);
    }
}

void construc_code_club::paysChoisi()
{
    const QString pays = Cb_pays->currentText();
    if (pays == m_pays)
        return;
    m_pays = pays;
    m_inter.clear();
    m_region.clear();
    m_departement.clear();
    if (pays != france) {
        vider(Cb_inter);
        vider(Cb_departement);
        Cb_region->setEnabled(false);
        for (int i = TypeClub::InterRegionale; i <= TypeClub::Departementale; ++i)
            Opt_type[i]->setEnabled(false);
        // A club abroad has no region: the list shows the country's, and stays disabled.
        if (remplir(Cb_region, "SELECT Region.Libelle FROM Region Region, Pays Pays WHERE (Region.Code = Pays.Code_Reg "
                               "AND Pays.Libelle="
                                   + Sql_texte(pays) + " AND NOT (Region.Libelle = 'Null'))"))
            regionChoisie();
        if (m_type != TypeClub::Club)
            Opt_type[TypeClub::Federale]->setChecked(true);
        return;
    }
    for (int i = TypeClub::InterRegionale; i <= TypeClub::Departementale; ++i)
        Opt_type[i]->setEnabled(true);
    if (m_type == TypeClub::Federale) {
        vider(Cb_inter);
        vider(Cb_region);
        vider(Cb_departement);
        return;
    }
    if (!remplir(Cb_inter, "SELECT Libelle FROM Inter_Region WHERE not (Libelle = 'Null') ORDER BY Libelle")
        || !montrerPremier(Cb_inter)) {
        Cb_inter->setEnabled(false);
        Cb_region->setEnabled(false);
        Cb_departement->setEnabled(false);
    }
}

void construc_code_club::interChoisi()
{
    const QString inter = Cb_inter->currentText();
    if (inter == m_inter)
        return;
    m_inter = inter;
    m_region.clear();
    m_departement.clear();
    if (m_type == TypeClub::Federale || m_type == TypeClub::InterRegionale) {
        vider(Cb_region);
        vider(Cb_departement);
        return;
    }
    if (!remplir(Cb_region, "SELECT Region.Libelle FROM Inter_Region Inter_Region, Region Region WHERE "
                            "Inter_Region.Code = Region.CodeInter AND Inter_Region.Libelle = "
                                + Sql_texte(inter) + " ORDER BY Region.Libelle")
        || !montrerPremier(Cb_region)) {
        Cb_region->setEnabled(false);
        Cb_departement->setEnabled(false);
    }
}

void construc_code_club::regionChoisie()
{
    const QString region = Cb_region->currentText();
    if (region == m_region)
        return;
    m_region = region;
    m_departement.clear();
    if (m_type != TypeClub::Club && m_type != TypeClub::Departementale) {
        vider(Cb_departement);
        txt_code_fourni->setText("0000");
        txt_code_fourni->setEnabled(false);
        return;
    }
    if (!remplir(Cb_departement, "SELECT Departement.Libelle FROM Region Region, Departement Departement WHERE "
                                 "Region.Libelle="
                                     + Sql_texte(region)
                                     + " AND Region.Code = Departement.Region ORDER BY Departement.Libelle")
        || !montrerPremier(Cb_departement))
        Cb_departement->setEnabled(false);
}

void construc_code_club::departementChoisi()
{
    m_departement = Cb_departement->currentText();
}

bool construc_code_club::remplir(QComboBox* liste, const QString& sql)
{
    QSignalBlocker bloque(liste);
    Remplir_combo_requete(liste, sql);
    return liste->count() > 0;
}

bool construc_code_club::montrerPremier(QComboBox* liste)
{
    if (liste->count() == 0)
        return false;
    liste->setEnabled(true);
    montrer(liste, liste->itemText(0));
    return true;
}

void construc_code_club::vider(QComboBox* liste)
{
    QSignalBlocker bloque(liste);
    liste->clear();
    liste->setEnabled(false);
}

void construc_code_club::montrer(QComboBox* liste, const QString& texte)
{
    const int i = liste->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i < 0)
        return;
    {
        QSignalBlocker bloque(liste);
        liste->setCurrentIndex(i);
    }
    // Programmatic choices run the same handling as the user's; each handling ignores a text
    // it has already seen.
    if (liste == Cb_pays)
        paysChoisi();
    else if (liste == Cb_inter)
        interChoisi();
    else if (liste == Cb_region)
        regionChoisie();
    else
        departementChoisi();
}
