#pragma once
// A scripted user-interface port: records every call and answers from queues. A call with no
// answer queued throws DialogueInattendu, so a test fails instead of waiting for a user.

#include "core/services.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <stdexcept>

class QPrinter;

struct DialogueInattendu : std::logic_error {
    using std::logic_error::logic_error;
};

struct AppelIhm {
    QString genre; // "message", "fichier", "repertoire", "imprimante", "modal", "menu"
    QString titre;
    QString texte;
    int style = 0;
    QString bouton; // a file dialog's accept caption
};

class PortIhmTest : public PortIhm {
public:
    PortIhmTest();  // installs itself
    ~PortIhmTest() override; // goes back to the real dialogs

    // Answers, consumed in order.
    void repondre(int reponse) { m_messages.push_back(reponse); }
    void repondreFichier(const QString& chemin, int indexFiltre = 1) { m_fichiers.push_back({chemin, indexFiltre}); }
    void repondreRepertoire(const QString& chemin) { m_repertoires.push_back(chemin); }
    // false: the user cancels the printer dialog; true: prints to the given PDF file.
    void repondreImprimante(bool accepte, const QString& pdf = QString()) { m_imprimantes.push_back({accepte, pdf}); }
    // A handler that fills the dialog and returns its result (it may call accept()).
    void repondreModal(std::function<int(QDialog&)> gestion) { m_modaux.push_back(std::move(gestion)); }
    void repondreMenu(std::function<QAction*(QMenu&)> choix) { m_menus.push_back(std::move(choix)); }
    // Messages are answered OK without being queued (information and errors).
    void accepterMessagesOk(bool oui) { m_okAuto = oui; }

    const std::vector<AppelIhm>& appels() const { return m_appels; }
    QStringList textes() const;
    // The texts of the messages shown, in order.
    QStringList messages() const;
    void effacer() { m_appels.clear(); }
    bool toutConsomme() const;

    int message(const QString& texte, int style, const QString& titre) override;
    FichierChoisi choisirFichier(const QString& titre, const QString& filtre, bool ouvrir,
                                 const QString& cheminInitial, const QString& verbe) override;
    QString choisirRepertoire(const QString& titre) override;
    bool choisirImprimante(QPrinter& imprimante) override;
    int executerModal(QDialog& dialogue) override;
    QAction* menuContextuel(QMenu& menu, const QPoint& position) override;

private:
    [[noreturn]] void inattendu(const AppelIhm& appel);
    std::vector<AppelIhm> m_appels;
    std::deque<int> m_messages;
    std::deque<FichierChoisi> m_fichiers;
    std::deque<QString> m_repertoires;
    std::deque<std::pair<bool, QString>> m_imprimantes;
    std::deque<std::function<int(QDialog&)>> m_modaux;
    std::deque<std::function<QAction*(QMenu&)>> m_menus;
    bool m_okAuto = false;
};
