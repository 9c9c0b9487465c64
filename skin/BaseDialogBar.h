// The base of the program's dialog bars (the search bar): a strip that becomes
// a visible child of its frame and then sets up its controls in the virtual
// OnInitDialogBar. Derived bars lay their controls out in code; the template
// name or id only names the bar. Widgets are not copyable.
#pragma once

#include "MyString.h"

#include <QWidget>

class BaseDialogBar : public QWidget
{
public:
    explicit BaseDialogBar(QWidget* pParent = nullptr);

    // Creates the bar in pParent; false when that fails (no parent), else what
    // OnInitDialogBar returns. uStyle's visible bit (0x10000000) shows the bar.
    bool Create(QWidget* pParent, int nTemplateId, unsigned uStyle, int nId);
    bool Create(QWidget* pParent, const CMyString& strTemplateName, unsigned uStyle, int nId);
    int GetDlgCtrlID() const { return m_nId; }

    // Runs once after creation. The default moves the members' data into the
    // controls and returns true.
    virtual bool OnInitDialogBar();
    // Moves data between the members and the controls: to the members when
    // bSaveAndValidate is set, else to the controls. The default has no data.
    virtual bool UpdateData(bool bSaveAndValidate);

private:
    bool CreateBar(QWidget* pParent, const QString& strTemplate, unsigned uStyle, int nId);

    int m_nId = 0;
};
