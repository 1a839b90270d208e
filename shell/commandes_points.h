#pragma once
// The points commands of the tools menu: the points calculator, the interclub estimate and the
// LEN reference times. One window of each at a time: a second command brings it forward.

#include <QObject>
#include <QPointer>

class frm_calpts;
class frm_PtsInter;
class frm_defreflen;

class CommandesPoints : public QObject {
    Q_OBJECT
public:
    explicit CommandesPoints(QObject* parent = nullptr);

    void mnuOutilsCalculPoint_Click();
    void mnuOutilsCalculPointEquipe_Click();
    void mnuPointRefLEN_Click();

private:
    QPointer<frm_calpts> m_calcul;
    QPointer<frm_PtsInter> m_equipes;
    QPointer<frm_defreflen> m_references;
};
