#include "core/boites_saisie.h"

#include "core/dates.h"
#include "core/saisie.h"
#include "core/temps.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>

namespace {

// The keys a filter lets through untouched (Delete) and leaving the box.
class GardeTemps : public QObject {
public:
    explicit GardeTemps(QLineEdit* boite) : QObject(boite) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        // While the box is being destroyed it is no longer a QLineEdit: nothing to format.
        auto* boite = qobject_cast<QLineEdit*>(objet);
        if (!boite)
            return false;
        switch (evenement->type()) {
        case QEvent::KeyPress:
            Touche_suppr_temps(static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete ? 46 : 0, boite);
            break;
        case QEvent::KeyRelease:
            // A Delete that changed nothing leaves no memory behind.
            if (static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Delete)
                Controler_saisie_temps(boite);
            break;
        case QEvent::FocusOut:
            // A context menu takes the focus without leaving the box.
            if (boite->isEnabled() && static_cast<QFocusEvent*>(evenement)->reason() != Qt::PopupFocusReason) {
                const QString forme = Format_temps(boite->text());
                if (boite->text() != forme)
                    boite->setText(forme);
            }
            break;
        default:
            break;
        }
        return false;
    }
};

// Remembers a date box before each key, so that an impossible day can be undone.
class MemoireDate : public QObject {
public:
    explicit MemoireDate(QLineEdit* boite) : QObject(boite) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::KeyPress) {
            if (auto* boite = qobject_cast<QLineEdit*>(objet))
                Memoriser_saisie_date(boite);
        }
        return false;
    }
};

} // namespace

void Brancher_boite_temps(QLineEdit* boite)
{
    // A typed key remembers the box first, so that the change check can put it back. Pasted
    // text is checked once it is in the box, where the "." already typed cannot be told apart.
    Installer_filtre(
        boite, [boite](int code) { return Filtrer_touche_temps(boite, code); },
        [](int code) { return code == '.' || (code >= '0' && code <= '9') ? code : 0; });
    boite->installEventFilter(new GardeTemps(boite));
    Installer_selection_au_focus(boite);
    QObject::connect(boite, &QLineEdit::textChanged, boite, [boite] { Controler_saisie_temps(boite); });
}

void Brancher_boites_date(QLineEdit* jour, QLineEdit* mois, QLineEdit* annee, bool& bControle,
                          QPushButton* calendrier)
{
    const QMap<int, QLineEdit*> boites {{0, jour}, {1, mois}, {2, annee}};
    bool* controle = &bControle;
    for (auto it = boites.cbegin(); it != boites.cend(); ++it) {
        QLineEdit* boite = it.value();
        const int index = it.key();
        boite->setMaxLength(index == 2 ? 4 : 2);
        Installer_filtre_chiffre(boite);
        Installer_selection_au_focus(boite);
        boite->installEventFilter(new MemoireDate(boite));
        QObject::connect(boite, &QLineEdit::textEdited, boite,
                         [boites, controle, index] { Controler_saisie_date(boites, *controle, index, 0, 1); });
    }
    if (calendrier) {
        QObject::connect(calendrier, &QPushButton::clicked, jour,
                         [controle, jour, mois, annee] { Choisir_date(*controle, jour, mois, annee); });
    }
}
