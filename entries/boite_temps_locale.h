#pragma once
// Typed swim-time box: digits, Backspace and one point; the Delete key and every change checked
// for 60 seconds or more; the whole text selected on focus.

#include "core/saisie.h"
#include "core/temps.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace relais_detail {

class ToucheSupprTemps : public QObject {
public:
    explicit ToucheSupprTemps(QLineEdit* boite) : QObject(boite), m_boite(boite) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Delete)
            Touche_suppr_temps(46, m_boite);
        return false;
    }

private:
    QLineEdit* m_boite;
};

inline void Brancher_temps(QLineEdit* boite)
{
    // Pasted text is checked once in the box: one point at most.
    Installer_filtre(
        boite, [boite](int code) { return Filtrer_touche_temps(boite, code); },
        [boite](int code) {
            if (code >= '0' && code <= '9')
                return code;
            return code == '.' && boite->text().count('.') <= 1 ? code : 0;
        });
    boite->installEventFilter(new ToucheSupprTemps(boite));
    QObject::connect(boite, &QLineEdit::textEdited, boite, [boite] { Controler_saisie_temps(boite); });
    Installer_selection_au_focus(boite);
}

} // namespace relais_detail
