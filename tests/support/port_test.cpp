#include "port_test.h"

#include <QDialog>
#include <QMenu>
#include <QPrinter>

PortIhmTest::PortIhmTest()
{
    Services::installerIhm(this);
}

PortIhmTest::~PortIhmTest()
{
    Services::installerIhm(nullptr);
}

QStringList PortIhmTest::textes() const
{
    QStringList l;
    for (const AppelIhm& a : m_appels)
        l << a.texte;
    return l;
}

QStringList PortIhmTest::messages() const
{
    QStringList l;
    for (const AppelIhm& a : m_appels) {
        if (a.genre == "message")
            l << a.texte;
    }
    return l;
}

bool PortIhmTest::toutConsomme() const
{
    return m_messages.empty() && m_fichiers.empty() && m_repertoires.empty() && m_imprimantes.empty()
        && m_modaux.empty() && m_menus.empty();
}

void PortIhmTest::inattendu(const AppelIhm& appel)
{
    throw DialogueInattendu(QString("Dialogue inattendu (%1) : %2 / %3")
                                .arg(appel.genre, appel.titre, appel.texte)
                                .toStdString());
}

int PortIhmTest::message(const QString& texte, int style, const QString& titre)
{
    m_appels.push_back({"message", titre, texte, style, QString()});
    const bool ouiNon = (style & 7) == Style::OuiNon;
    if (m_messages.empty()) {
        if (m_okAuto && !ouiNon)
            return Reponse::Ok;
        inattendu(m_appels.back());
    }
    const int r = m_messages.front();
    m_messages.pop_front();
    return r;
}

FichierChoisi PortIhmTest::choisirFichier(const QString& titre, const QString& filtre, bool, const QString&,
                                          const QString& verbe)
{
    m_appels.push_back({"fichier", titre, filtre, 0, verbe});
    if (m_fichiers.empty())
        inattendu(m_appels.back());
    const FichierChoisi f = m_fichiers.front();
    m_fichiers.pop_front();
    return f;
}

QString PortIhmTest::choisirRepertoire(const QString& titre)
{
    m_appels.push_back({"repertoire", titre, QString(), 0, QString()});
    if (m_repertoires.empty())
        inattendu(m_appels.back());
    const QString r = m_repertoires.front();
    m_repertoires.pop_front();
    return r;
}

bool PortIhmTest::choisirImprimante(QPrinter& imprimante)
{
    m_appels.push_back({"imprimante", QString(), QString(), 0, QString()});
    if (m_imprimantes.empty())
        inattendu(m_appels.back());
    const auto [accepte, pdf] = m_imprimantes.front();
    m_imprimantes.pop_front();
    if (accepte && !pdf.isEmpty()) {
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
    }
    return accepte;
}

int PortIhmTest::executerModal(QDialog& dialogue)
{
    m_appels.push_back({"modal", dialogue.windowTitle(), dialogue.objectName(), 0, QString()});
    if (m_modaux.empty())
        inattendu(m_appels.back());
    auto gestion = std::move(m_modaux.front());
    m_modaux.pop_front();
    return gestion(dialogue);
}

QAction* PortIhmTest::menuContextuel(QMenu& menu, const QPoint&)
{
    m_appels.push_back({"menu", menu.title(), QString(), 0, QString()});
    if (m_menus.empty())
        inattendu(m_appels.back());
    auto choix = std::move(m_menus.front());
    m_menus.pop_front();
    return choix(menu);
}
