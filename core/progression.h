#pragma once
// What an exchange component may show while it works: the runner window implements it and is
// handed to the component as a QObject. The component finds the interface with qobject_cast,
// which compares the interface's name, so it works across the component library's boundary.

#include <QObject>
#include <QString>

class CibleProgression {
public:
    virtual ~CibleProgression() = default;
    // 0 to 100.
    virtual void setProgress(int pourcent) = 0;
    virtual void setClub(const QString& club) = 0;
    virtual void setSwimmer(const QString& nageur) = 0;
};

#define CibleProgression_iid "fr.quorvelane.CibleProgression/1.0"
Q_DECLARE_INTERFACE(CibleProgression, CibleProgression_iid)

// A question a component puts to the user while it works, through the program's own message
// boxes. Without a runner window to ask, a component takes the answer "Non".
class CibleQuestion {
public:
    virtual ~CibleQuestion() = default;
    // Yes/No with "Non" the default; true for "Oui".
    virtual bool demanderConfirmation(const QString& texte) = 0;
};

#define CibleQuestion_iid "fr.quorvelane.CibleQuestion/1.0"
Q_DECLARE_INTERFACE(CibleQuestion, CibleQuestion_iid)
