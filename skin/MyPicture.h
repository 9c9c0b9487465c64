// A picture drawn at its own size at a point, or stretched into a rectangle:
// what the skinned frame paints its border with. The path is resolved once, in
// Load (as it stands, then below g_strPath); the file is decoded on first use.
// Without stretch the picture is fitted into the size asked for at construction
// (0 x 0: its own size). Copying is as cheap as copying a CPicture.
#pragma once

#include "MyString.h"
#include "Picture.h"

class QPainter;
class QRect;

class CMyPicture
{
public:
    explicit CMyPicture(int nWidth = 0, int nHeight = 0);
    virtual ~CMyPicture() = default;

    void Load(const CMyString& strPath);
    // False and 0 x 0 when the file cannot be loaded.
    bool GetSize(int& nWidth, int& nHeight);
    bool Render(QPainter& painter, const QRect& rect, bool bStretch);
    // Draws the picture at its own size with its top-left at (x, y); false when
    // it cannot be loaded.
    bool DrawAt(QPainter& painter, int nX, int nY);

    const CMyString& GetPath() const { return m_strPath; }

private:
    CMyString m_strPath;
    CPicture m_picture;
};
