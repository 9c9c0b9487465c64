// CImageList: the tree's list of small images, each kept at 25 x 25 pixels
// with its transparency; an image is named by its index. The station tree
// draws the items' own icon files and uses the list for the default station
// and folder icons. Copying copies the images (shared by Qt until changed).
#pragma once

#include "MyString.h"

#include <QImage>
#include <vector>

class CImageList
{
public:
    static constexpr int kImageSize = 25;

    // Reads the file (an icon, a GIF or any format Qt reads) and appends it;
    // the new index, or -1 when the file cannot be read as an image.
    int AddFile(const CMyString& strFile);
    // -1 for a null image.
    int Add(const QImage& image);
    int GetCount() const { return static_cast<int>(m_images.size()); }
    // A null image for an index outside the list.
    QImage GetImage(int nIndex) const;

private:
    std::vector<QImage> m_images;
};
