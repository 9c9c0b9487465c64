#include "MyPicture.h"

#include "PicturePath.h"

#include <QRect>

CMyPicture::CMyPicture(int nWidth, int nHeight) : m_picture(nWidth, nHeight) {}

void CMyPicture::Load(const CMyString& strPath)
{
    m_strPath = ResolvePicturePath(strPath);
    m_picture.Load(m_strPath);
}

bool CMyPicture::GetSize(int& nWidth, int& nHeight)
{
    return m_picture.GetSize(nWidth, nHeight);
}

bool CMyPicture::Render(QPainter& painter, const QRect& rect, bool bStretch)
{
    return m_picture.Render(painter, rect, bStretch);
}

bool CMyPicture::DrawAt(QPainter& painter, int nX, int nY)
{
    int nWidth = 0;
    int nHeight = 0;
    if (!GetSize(nWidth, nHeight))
        return false;
    return Render(painter, QRect(nX, nY, nWidth, nHeight), false);
}
