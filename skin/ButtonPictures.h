// The three pictures of a button (normal, hover, pressed) and which one a state
// shows. Paths are resolved when set: as they stand, else below g_strPath. A
// plain value; copying copies three strings.
#pragma once

#include "MyString.h"

class CButtonPictures
{
public:
    // An empty hover or pressed path takes the normal path.
    void Set(const CMyString& strNormal, const CMyString& strHover, const CMyString& strPressed);
    // The pressed picture while pressed, else the hover picture while hovered,
    // else the normal picture; an empty path falls back the same way.
    const CMyString& Select(bool bPressed, bool bHovered) const;

    const CMyString& GetNormal() const { return m_strNormal; }
    const CMyString& GetHover() const { return m_strHover; }
    const CMyString& GetPressed() const { return m_strPressed; }

private:
    CMyString m_strNormal;
    CMyString m_strHover;
    CMyString m_strPressed;
};
