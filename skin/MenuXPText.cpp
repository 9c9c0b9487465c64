#include "MenuXPText.h"

CMenuXPText::CMenuXPText(int nId, const CMyString& strText, const QIcon& icon,
                         const CMyString& strPicturePath)
{
    m_nId = nId;
    m_strText = strText;
    m_icon = icon;
    m_pPicture = std::make_unique<CPicture>(kPictureBox, kPictureBox);
    m_pPicture->Load(strPicturePath);
}
