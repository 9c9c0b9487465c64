#include "ImageList.h"

#include "FileHandler.h"

#include <QImageReader>
#include <QString>

int CImageList::AddFile(const CMyString& strFile)
{
    if (strFile.IsEmpty()) {
        return -1;
    }
    QImageReader reader(QString::fromStdString(CFileHandler::ToSystemPath(strFile).string()));
    // The name says ".gif" whatever the server sent: let the content decide.
    reader.setDecideFormatFromContent(true);
    return Add(reader.read());
}

int CImageList::Add(const QImage& image)
{
    if (image.isNull()) {
        return -1;
    }
    m_images.push_back(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                           .scaled(kImageSize, kImageSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return static_cast<int>(m_images.size()) - 1;
}

QImage CImageList::GetImage(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount()) {
        return {};
    }
    return m_images[static_cast<size_t>(nIndex)];
}
