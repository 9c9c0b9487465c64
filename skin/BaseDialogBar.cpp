#include "BaseDialogBar.h"

#include "QtText.h"

namespace {

constexpr unsigned kVisibleStyle = 0x10000000;

} // namespace

BaseDialogBar::BaseDialogBar(QWidget* pParent) : QWidget(pParent) {}

bool BaseDialogBar::Create(QWidget* pParent, int nTemplateId, unsigned uStyle, int nId)
{
    if (!CreateBar(pParent, QString::number(nTemplateId), uStyle, nId))
        return false;
    return OnInitDialogBar();
}

bool BaseDialogBar::Create(QWidget* pParent, const CMyString& strTemplateName, unsigned uStyle, int nId)
{
    if (!CreateBar(pParent, ToQString(strTemplateName), uStyle, nId))
        return false;
    return OnInitDialogBar();
}

bool BaseDialogBar::CreateBar(QWidget* pParent, const QString& strTemplate, unsigned uStyle, int nId)
{
    if (pParent == nullptr)
        return false;
    setParent(pParent);
    setObjectName(strTemplate);
    m_nId = nId;
    setVisible((uStyle & kVisibleStyle) != 0);
    return true;
}

bool BaseDialogBar::OnInitDialogBar()
{
    UpdateData(false);
    return true;
}

bool BaseDialogBar::UpdateData(bool)
{
    return true;
}
