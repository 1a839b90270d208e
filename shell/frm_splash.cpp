#include "shell/frm_splash.h"

#include "core/base.h"
#include "core/composants.h"
#include "core/fenetres.h"
#include "core/globales.h"
#include "core/utils.h"
#include "core/version_fichier.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include <dlfcn.h>
#include <link.h>

namespace {

// Where the dynamic loader finds a system library, or "" when it cannot.
QString Chemin_bibliotheque_systeme(const char* nom)
{
    void* h = dlopen(nom, RTLD_LAZY | RTLD_LOCAL);
    if (!h)
        return QString();
    QString chemin;
    link_map* carte = nullptr;
    if (dlinfo(h, RTLD_DI_LINKMAP, &carte) == 0 && carte && carte->l_name)
        chemin = QFile::decodeName(carte->l_name);
    dlclose(h);
    return chemin;
}

// The first of the names the loader knows (sonames move between releases).
BibliothequeListee Bibliotheque_systeme(std::initializer_list<const char*> noms, const char* fonction)
{
    BibliothequeListee b{QString::fromLatin1(*noms.begin()), QString(), QString::fromLatin1(fonction)};
    for (const char* nom : noms) {
        const QString chemin = Chemin_bibliotheque_systeme(nom);
        if (!chemin.isEmpty()) {
            b.fichier = QString::fromLatin1(nom);
            b.chemin = chemin;
            break;
        }
    }
    return b;
}

// Info.Version of the open base, "" when it cannot be read.
QString Version_base_connectee()
{
    try {
        Executer_requete("SELECT Version FROM Info", false);
        const QString v = colResultat.Count(0) > 0 ? colResultat.item(0, 1) : QString();
        Liberer_resultat();
        return v;
    } catch (const std::exception&) {
        Liberer_resultat();
        return QString();
    }
}

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte)
{
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    // The connected base's version is read from the base itself.
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

QList<BibliothequeListee> Bibliotheques_listees()
{
    QList<BibliothequeListee> liste;
    for (const QString& f : Composants::fichiers())
        liste.append({f, Composants::chemin(f), QStringLiteral("qv_version_composant")});
    liste.append(Bibliotheque_systeme({"libzip.so.4", "libzip.so.5"}, "zip_libzip_version"));
    liste.append(Bibliotheque_systeme({"libz.so.1"}, "zlibVersion"));
    std::sort(liste.begin(), liste.end(),
              [](const BibliothequeListee& a, const BibliothequeListee& b) { return a.fichier < b.fichier; });
    return liste;
}

QString Texte_version_bibliotheque(const BibliothequeListee& bibliotheque)
{
    if (bibliotheque.chemin.isEmpty() || !QFile::exists(bibliotheque.chemin))
        return QStringLiteral("Erreur, dll non trouvée");
    CFileVersionInfo version(bibliotheque.fonctionVersion);
    version.setFullPathName(bibliotheque.chemin);
    return version.Available() ? version.FileVersion() : QStringLiteral("Version non disponible");
}

QPixmap Logo_quorvelane(int taille)
{
    QPixmap image(taille, taille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double t = taille;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x5f, 0xa8));
    p.drawRoundedRect(QRectF(0, 0, t, t), t * 0.18, t * 0.18);
    // Three lanes of water.
    p.setPen(QPen(QColor(0xbf, 0xe3, 0xff), t * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double y = t * (0.56 + 0.14 * i);
        QPainterPath vague(QPointF(t * 0.14, y));
        for (int k = 0; k < 3; ++k) {
            const double x = t * (0.14 + 0.24 * k);
            vague.cubicTo(QPointF(x + t * 0.06, y - t * 0.06), QPointF(x + t * 0.18, y + t * 0.06),
                          QPointF(x + t * 0.24, y));
        }
        p.drawPath(vague);
    }
    QFont police;
    police.setBold(true);
    police.setPixelSize(static_cast<int>(t * 0.46));
    p.setFont(police);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, t * 0.04, t, t * 0.5), Qt::AlignCenter, "Q");
    return image;
}

FrmSplash::FrmSplash(const QList<BibliothequeListee>& bibliotheques, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmSplash");
    setWindowTitle("A propos");

    auto* cadre = new QFrame(this);
    cadre->setObjectName("fraMainFrame");
    cadre->setFrameStyle(QFrame::Box | QFrame::Raised);
    cadre->installEventFilter(this);

    auto* logo = Etiquette(cadre, "picLogo", QString());
    logo->setPixmap(Logo_quorvelane(96));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* produit = Etiquette(cadre, "lblProductName", "Quorvelane");
    QFont grande = produit->font();
    grande.setPointSizeF(grande.pointSizeF() * 2);
    grande.setBold(true);
    produit->setFont(grande);
    auto* version = Etiquette(cadre, "lblVersion", "Version " + Version_application());

    auto* connecteeTitre = Etiquette(cadre, "lb_vs_basse_connected", "Version de la base connectée :");
    auto* connectee = Etiquette(cadre, "lb_num_version_connected", QString());
    auto* necessaireTitre = Etiquette(cadre, "lb_vs_basse_needed", "Version de base nécessaire :");
    auto* necessaire = Etiquette(cadre, "lb_num_version_needed", QString::number(Version_base_necessaire));
    if (cnxBase.State() >= 1) {
        const QString v = Version_base_connectee();
        connectee->setText(v);
        if (Valeur_numerique(v) < Version_base_necessaire)
            necessaire->setStyleSheet("color: #FF0000;");
    } else {
        connectee->setText("Pas connecté");
    }

    auto* titreListe = Etiquette(cadre, "lbl_dll", "Dll Utilisées :");
    auto* liste = new QTreeWidget(cadre);
    liste->setObjectName("Lst_DLL");
    liste->clear();
    liste->setColumnCount(2);
    liste->setHeaderLabels({"dll", "Version"});
    liste->setRootIsDecorated(false);
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const BibliothequeListee& b : bibliotheques)
        new QTreeWidgetItem(liste, {b.fichier, Texte_version_bibliotheque(b)});
    liste->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    liste->setMinimumHeight(220);

    auto* fermer = new QPushButton("&Fermer", cadre);
    fermer->setObjectName("Cmd");
    fermer->setDefault(true);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);

    auto* versions = new QGridLayout;
    versions->addWidget(connecteeTitre, 0, 0);
    versions->addWidget(connectee, 0, 1);
    versions->addWidget(necessaireTitre, 1, 0);
    versions->addWidget(necessaire, 1, 1);
    versions->setColumnStretch(2, 1);

    auto* droite = new QVBoxLayout;
    droite->addWidget(produit);
    droite->addWidget(version);
    droite->addSpacing(8);
    droite->addLayout(versions);
    droite->addSpacing(8);
    droite->addWidget(titreListe);
    droite->addWidget(liste, 1);
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(fermer);
    droite->addLayout(bas);

    auto* dansCadre = new QHBoxLayout(cadre);
    dansCadre->addWidget(logo);
    dansCadre->addLayout(droite, 1);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(cadre);
    resize(520, 440);
}

bool FrmSplash::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet->objectName() == "fraMainFrame" && evenement->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}

void Afficher_a_propos()
{
    FrmSplash fenetre(Bibliotheques_listees(), frmPrincipal);
    Afficher_formulaire(&fenetre, 1);
}
