#pragma once
// The club records commands of the main window's menus: the records window and the record
// categories window, each brought forward by a second command instead of opening twice.

#include <QObject>
#include <QPointer>

class det_categorie_record_club;
class frm_view_record;

class CommandesRecords : public QObject {
    Q_OBJECT
public:
    explicit CommandesRecords(QObject* parent = nullptr);

    void mnuPerfRecView_Click();
    void mnuPerfRecModifier_Click();

    frm_view_record* records() const;
    det_categorie_record_club* categories() const;

private:
    QPointer<frm_view_record> m_records;
    QPointer<det_categorie_record_club> m_categories;
};
