#include "Picture.h"

#include "FileHandler.h"
#include "PictureFit.h"
#include "PicturePath.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace {

// The first image of the file, premultiplied for drawing; null when the file
// cannot be read or decoded.
QImage DecodeFile(const CMyString& strPath)
{
    if (strPath.IsEmpty())
        return QImage();
    const std::filesystem::path systemPath = CFileHandler::ToSystemPath(ResolvePicturePath(strPath));
    QImageReader reader(QFile::decodeName(systemPath.c_str()));
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

CPicture::CPicture(int nBoxWidth, int nBoxHeight) : m_nBoxWidth(nBoxWidth), m_nBoxHeight(nBoxHeight) {}

void CPicture::Load(const CMyString& strPath)
{
    m_eKind = kFile;
    m_strFileName = strPath;
    m_image = QImage();
}

void CPicture::LoadImage(const QImage& image)
{
    m_eKind = kImage;
    m_strFileName.Empty();
    m_image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool CPicture::IsValid() const
{
    return m_eKind == kFile ? !m_strFileName.IsEmpty() : !m_image.isNull();
}

bool CPicture::EnsureDecoded()
{
    if (m_image.isNull() && m_eKind == kFile)
        m_image = DecodeFile(m_strFileName);
    return !m_image.isNull();
}

bool CPicture::GetSize(int& nWidth, int& nHeight)
{
    nWidth = 0;
    nHeight = 0;
    if (!EnsureDecoded())
        return false;
    nWidth = m_image.width();
    nHeight = m_image.height();
    return true;
}

bool CPicture::Render(QPainter& painter, const QRect& rect, bool bStretch)
{
    if (!EnsureDecoded())
        return false;
    const QRect target =
        bStretch ? rect : PlaceFitted(rect, QSize(m_nBoxWidth, m_nBoxHeight), m_image.size());
    if (target.isEmpty())
        return true;
    painter.save();
    painter.setOpacity(painter.opacity() * m_dOpacity);
    if (target.size() != m_image.size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
    painter.restore();
    return true;
}
