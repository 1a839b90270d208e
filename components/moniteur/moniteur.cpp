// ComputerMonitor: a small always-on-top window showing this machine's processor and memory load.
//
// Members, called by name:
//   ShowHideWindow(bool)       shows or hides the window (made on first use)
//   SetPosition(x, y)          places it, in pixels
//   KillWindow()               destroys it
// Properties: no argument reads, one argument writes:
//   lgIntervalTimer            refresh interval in ms (at least 100, so 0 does not spin)
//   bMustBeAlwaysOpen          the window refuses to be closed
//   lgPositionX, lgPositionY   its position in pixels

#include "components/moniteur/mesure_charge.h"
#include "core/composants.h"
#include "core/erreurs.h"

#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace {

constexpr int IntervalleMinimum = 100;
constexpr int IntervalleMaximum = 3600000;

QByteArray Lire_fichier(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FenetreMoniteur : public QWidget {
public:
    FenetreMoniteur()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    {
        setObjectName("ComputerMonitor");
        setWindowTitle("Charge de l'ordinateur");
        setToolTip("Charge de l'ordinateur (faire glisser pour déplacer)");
        setAttribute(Qt::WA_ShowWithoutActivating);
        auto* grille = new QGridLayout(this);
        grille->setContentsMargins(6, 4, 6, 4);
        grille->setVerticalSpacing(2);
        m_processeur = nouvelleBarre("barreProcesseur");
        m_memoire = nouvelleBarre("barreMemoire");
        grille->addWidget(new QLabel("Processeur", this), 0, 0);
        grille->addWidget(m_processeur, 0, 1);
        grille->addWidget(new QLabel("Mémoire", this), 1, 0);
        grille->addWidget(m_memoire, 1, 1);
        setFixedSize(sizeHint().expandedTo(QSize(200, 0)));

        QObject::connect(&m_minuterie, &QTimer::timeout, this, [this] { mesurer(); });
        m_minuterie.start(1000);
        m_tempsPrecedents = Lire_temps_processeur(Lire_fichier("/proc/stat"));
        mesurer();
    }

    void fixerIntervalle(int ms) { m_minuterie.setInterval(ms); }
    bool doitRester = false;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (doitRester)
            e->ignore();
        else
            QWidget::closeEvent(e);
    }
    void paintEvent(QPaintEvent*) override
    {
        // Without a frame from the window manager it needs its own edge.
        QPainter p(this);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            m_prise = e->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (e->buttons() & Qt::LeftButton)
            move(e->globalPosition().toPoint() - m_prise);
    }

private:
    QProgressBar* nouvelleBarre(const QString& nom)
    {
        auto* barre = new QProgressBar(this);
        barre->setObjectName(nom);
        barre->setRange(0, 100);
        barre->setFormat("%p %");
        barre->setMaximumHeight(16);
        return barre;
    }

    void mesurer()
    {
        const TempsProcesseur maintenant = Lire_temps_processeur(Lire_fichier("/proc/stat"));
        const int charge = Charge_processeur(m_tempsPrecedents, maintenant);
        if (maintenant.valide)
            m_tempsPrecedents = maintenant;
        afficher(m_processeur, charge);
        afficher(m_memoire, Memoire_utilisee(Lire_fichier("/proc/meminfo")));
    }

    static void afficher(QProgressBar* barre, int pourcentage)
    {
        if (pourcentage < 0) {
            barre->setValue(0);
            barre->setFormat("?");
        } else {
            barre->setValue(pourcentage);
            barre->setFormat("%p %");
        }
    }

    QProgressBar* m_processeur;
    QProgressBar* m_memoire;
    QTimer m_minuterie;
    TempsProcesseur m_tempsPrecedents;
    QPoint m_prise;
};

class ComputerMonitor : public Composant {
public:
    QVariant appeler(const QString& membre, const QVariantList& a) override
    {
        if (membre == "ShowHideWindow") {
            attendre(a, 1);
            if (a[0].toBool()) {
                fenetre().show();
                fenetre().raise();
            } else if (m_fenetre) {
                m_fenetre->hide();
            }
            return {};
        }
        if (membre == "SetPosition") {
            attendre(a, 2);
            m_x = a[0].toInt();
            m_y = a[1].toInt();
            if (m_fenetre)
                m_fenetre->move(m_x, m_y);
            return {};
        }
        if (membre == "KillWindow") {
            attendre(a, 0);
            if (m_fenetre) {
                m_x = m_fenetre->x();
                m_y = m_fenetre->y();
            }
            m_fenetre.reset();
            return {};
        }
        if (membre == "lgIntervalTimer") {
            if (ecriture(a)) {
                m_intervalle = std::clamp(a[0].toInt(), IntervalleMinimum, IntervalleMaximum);
                if (m_fenetre)
                    m_fenetre->fixerIntervalle(m_intervalle);
            }
            return m_intervalle;
        }
        if (membre == "bMustBeAlwaysOpen") {
            if (ecriture(a)) {
                m_doitRester = a[0].toBool();
                if (m_fenetre)
                    m_fenetre->doitRester = m_doitRester;
            }
            return m_doitRester;
        }
        if (membre == "lgPositionX" || membre == "lgPositionY") {
            const bool x = membre == "lgPositionX";
            if (ecriture(a)) {
                (x ? m_x : m_y) = a[0].toInt();
                if (m_fenetre)
                    m_fenetre->move(m_x, m_y);
            }
            if (m_fenetre)
                return x ? m_fenetre->x() : m_fenetre->y();
            return x ? m_x : m_y;
        }
        throw ErreurExecution(438, "Propriété ou méthode non gérée par cet objet : " + membre);
    }

private:
    static void attendre(const QVariantList& a, int n)
    {
        if (a.size() != n)
            throw ErreurExecution(450, "Nombre d'arguments incorrect");
    }
    static bool ecriture(const QVariantList& a)
    {
        if (a.size() > 1)
            throw ErreurExecution(450, "Nombre d'arguments incorrect");
        return a.size() == 1;
    }

    FenetreMoniteur& fenetre()
    {
        if (!m_fenetre) {
            m_fenetre = std::make_unique<FenetreMoniteur>();
            m_fenetre->fixerIntervalle(m_intervalle);
            m_fenetre->doitRester = m_doitRester;
            m_fenetre->move(m_x, m_y);
        }
        return *m_fenetre;
    }

    std::unique_ptr<FenetreMoniteur> m_fenetre;
    int m_intervalle = 1000;
    bool m_doitRester = false;
    int m_x = 0;
    int m_y = 0;
};

} // namespace

QV_EXPORTER_COMPOSANT Composant* qv_creer_composant(const char* classe)
{
    if (QByteArray(classe) == "ComputerMonitor")
        return new ComputerMonitor;
    return nullptr;
}

QV_EXPORTER_COMPOSANT const char* qv_version_composant()
{
    return QV_COMPONENT_VERSION;
}
