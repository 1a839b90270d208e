#include "core/saisie.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

int Filtrer_chiffre(int code)
{
    return (code == 8 || (code >= '0' && code <= '9')) ? code : 0;
}

int Filtrer_decimal(int code)
{
    return (code == 8 || code == ',' || (code >= '0' && code <= '9')) ? code : 0;
}

int Filtrer_majuscule(int& code)
{
    if (code <= 0 || code > 0xFFFF)
        return code = 0;
    code = QChar(static_cast<char16_t>(code)).toUpper().unicode();
    const bool garde = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == 8 || code == 13;
    if (!garde)
        code = 0;
    return code;
}

namespace {
// Typed characters: each through the key filter.
class FiltreFrappe : public QObject {
public:
    FiltreFrappe(QLineEdit* boite, FiltreTouche filtre) : QObject(boite), m_boite(boite), m_filtre(std::move(filtre)) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet != m_boite || evenement->type() != QEvent::KeyPress)
            return false;
        auto* touche = static_cast<QKeyEvent*>(evenement);
        // Shortcuts (copy, paste, select all) are not characters.
        if (touche->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        const QString texte = touche->text();
        if (texte.size() != 1)
            return false;
        const int code = texte[0].unicode();
        // Backspace goes through the filter (its callers remember the box on it); other keys that
        // type nothing (Enter, Tab, Escape, Delete, which X11 sends as "\x7f") belong to the box
        // or the window.
        if (code != 8 && !texte[0].isPrint())
            return false;
        const int garde = m_filtre(code);
        if (garde == 0)
            return true;
        if (garde != code) {
            m_boite->insert(QString(QChar(static_cast<char16_t>(garde))));
            return true;
        }
        return false;
    }

private:
    QLineEdit* m_boite;
    FiltreTouche m_filtre;
};

// Text from anywhere (paste, drop, input methods). Only what the user adds is checked, so that a
// value written by the program stays editable whatever it holds.
class GardeTexte : public QValidator {
public:
    GardeTexte(QLineEdit* boite, FiltreTouche filtre)
        : QValidator(boite), m_boite(boite), m_filtre(std::move(filtre)), m_precedent(boite->text())
    {
        // The box already holds the new text when it asks: the text before comes from here.
        connect(boite, &QLineEdit::textChanged, this, [this](const QString& t) { m_precedent = t; });
    }

    State validate(QString& saisie, int&) const override
    {
        // Not modified by the user: the program wrote it (setText starts a new history).
        if (!m_boite->isModified())
            return Acceptable;
        qsizetype debut = 0;
        while (debut < m_precedent.size() && debut < saisie.size() && m_precedent[debut] == saisie[debut])
            ++debut;
        qsizetype fin = 0;
        while (fin < m_precedent.size() - debut && fin < saisie.size() - debut
               && m_precedent[m_precedent.size() - 1 - fin] == saisie[saisie.size() - 1 - fin])
            ++fin;
        for (qsizetype i = debut; i < saisie.size() - fin; ++i) {
            const int garde = m_filtre(saisie[i].unicode());
            if (garde < 32)
                return Invalid;
            saisie[i] = QChar(static_cast<char16_t>(garde));
        }
        return Acceptable;
    }

private:
    QLineEdit* m_boite;
    FiltreTouche m_filtre;
    QString m_precedent;
};

class SelectionAuFocus : public QObject {
public:
    explicit SelectionAuFocus(QLineEdit* boite) : QObject(boite), m_boite(boite) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_boite && evenement->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the caret.
            QPointer<QLineEdit> boite = m_boite;
            QTimer::singleShot(0, m_boite, [boite] {
                if (boite && boite->hasFocus())
                    boite->selectAll();
            });
            m_boite->selectAll();
        }
        return false;
    }

private:
    QLineEdit* m_boite;
};
} // namespace

void Installer_filtre(QLineEdit* boite, FiltreTouche filtreFrappe, FiltreTouche filtreTexte)
{
    boite->installEventFilter(new FiltreFrappe(boite, std::move(filtreFrappe)));
    boite->setValidator(new GardeTexte(boite, std::move(filtreTexte)));
}

void Installer_filtre(QLineEdit* boite, const FiltreTouche& filtre)
{
    Installer_filtre(boite, filtre, filtre);
}

void Installer_filtre_chiffre(QLineEdit* boite)
{
    Installer_filtre(boite, Filtrer_chiffre);
}

void Installer_filtre_decimal(QLineEdit* boite)
{
    Installer_filtre(boite, Filtrer_decimal);
}

void Installer_filtre_majuscule(QLineEdit* boite)
{
    Installer_filtre(boite, [](int code) { return Filtrer_majuscule(code); });
}

void Installer_selection_au_focus(QLineEdit* boite)
{
    boite->installEventFilter(new SelectionAuFocus(boite));
}

FichierChoisi Choisir_fichier(const QString& titre, const QString& filtre, bool ouvrir, const QString& verbe)
{
    FichierChoisi choix = Services::ihm().choisirFichier(titre, filtre, ouvrir, QString(), verbe);
    choix.chemin = choix.chemin.trimmed();
    return choix;
}

bool Choisir_imprimante(QPrinter& imprimante)
{
    return Services::ihm().choisirImprimante(imprimante);
}
