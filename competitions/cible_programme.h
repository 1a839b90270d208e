#pragma once
// What the competition list calls on the programme editor that asked it for a held competition
// whose programme is to be copied (mode "Choose compet for prog").

#include <QString>

class QComboBox;
class QLineEdit;

class CibleProgramme {
public:
    virtual ~CibleProgramme() = default;
    virtual void setTabFromTab(const QString& cleCompet) = 0;
    virtual bool bModele() const = 0;
    virtual int intJourneeMax() const = 0;
    virtual QLineEdit* txt_nb_journee() const = 0;
    virtual QComboBox* CboDate() const = 0;
    virtual void SetListeFromText() = 0;
    virtual void RefreshListeNage() = 0;
};
