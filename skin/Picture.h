// A picture from a file (GIF, ICO or any format Qt reads; the first frame of an
// animation), decoded on first use and drawn scaled into a rectangle. Pictures
// keep their transparency. An unstretched picture is fitted into the box given
// at construction and centred in it (PictureFit.h); a picture can also wrap an
// image already in memory. Copying copies the path and shares the decoded
// image (Qt's implicit sharing), so it is cheap.
#pragma once

#include "ArrayString.h"
#include "MyString.h"

#include <QImage>

class QPainter;
class QRect;

class CPicture : public CSeed
{
public:
    enum SourceKind
    {
        kFile = 0,
        kImage = 3,
    };

    explicit CPicture(int nBoxWidth = 0, int nBoxHeight = 0);
    ~CPicture() override = default;

    // Remembers the path and forgets any decoded picture; nothing is read yet.
    // A relative path that does not exist as it stands is tried below g_strPath.
    void Load(const CMyString& strPath);
    // Uses an image already in memory; a null image gives an empty picture.
    void LoadImage(const QImage& image);
    // A path or an image is set; it may still fail to decode.
    bool IsValid() const;
    // The size in pixels, decoding the file if needed. False and 0 x 0 when
    // there is nothing that decodes.
    bool GetSize(int& nWidth, int& nHeight);
    // Draws the picture into rect: stretched to the rectangle, or at its fitted
    // size, centred in the box, from rect's top-left. False when nothing decodes.
    bool Render(QPainter& painter, const QRect& rect, bool bStretch);
    // Multiplies the picture's alpha when drawn; 1.0 by default.
    void SetOpacity(double dOpacity) { m_dOpacity = dOpacity; }

    const CMyString& GetFileName() const { return m_strFileName; }

private:
    bool EnsureDecoded();

    SourceKind m_eKind = kFile;
    int m_nBoxWidth;
    int m_nBoxHeight;
    CMyString m_strFileName;
    QImage m_image; // null until decoded
    double m_dOpacity = 1.0;
};
