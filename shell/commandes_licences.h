#pragma once
// The licence commands of the main window's menus: the licence lists, a new licence, the list
// of licences without fee and the licence report. Owned by the main window; it keeps the
// windows it opened so that a second command brings them forward instead of opening twice.

#include <QObject>
#include <QPointer>

class det_licence;
class frm_liste_licence;

class CommandesLicences : public QObject {
    Q_OBJECT
public:
    explicit CommandesLicences(QObject* parent = nullptr);

    void mnuLicNew_Click();
    void mnuLicListe_Click();
    void mnuLicModif_Click();
    void mnuLicSuppr_Click();
    void mnuBaseClubCotisationUnknown_Click();
    void mnuLicPrint_Click();

    frm_liste_licence* liste() const;
    det_licence* detail() const;

private:
    void ouvrirListe(const QString& titre, const QString& mode, bool bAnnuler, const QString& texteModifier);

    QPointer<frm_liste_licence> m_liste;
    QPointer<det_licence> m_detail;
};
