#pragma once
// The results command of the main window's menus: "&Voir Résultats" opens the results viewer,
// or brings forward the one already open.

#include <QObject>
#include <QPointer>

class frm_view_result;

class CommandesResultats : public QObject {
    Q_OBJECT
public:
    explicit CommandesResultats(QObject* parent = nullptr);

    void mnuCompetVoirResult_Click();
    frm_view_result* resultats() const;

private:
    QPointer<frm_view_result> m_resultats;
};
