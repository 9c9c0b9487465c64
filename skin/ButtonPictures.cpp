#include "ButtonPictures.h"

#include "PicturePath.h"

void CButtonPictures::Set(const CMyString& strNormal, const CMyString& strHover, const CMyString& strPressed)
{
    m_strNormal = ResolvePicturePath(strNormal);
    m_strHover = strHover.IsEmpty() ? m_strNormal : ResolvePicturePath(strHover);
    m_strPressed = strPressed.IsEmpty() ? m_strNormal : ResolvePicturePath(strPressed);
}

const CMyString& CButtonPictures::Select(bool bPressed, bool bHovered) const
{
    if (bPressed && !m_strPressed.IsEmpty())
        return m_strPressed;
    if (bHovered && !m_strHover.IsEmpty())
        return m_strHover;
    return m_strNormal;
}
