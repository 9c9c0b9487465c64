// CMenuXPText: a text entry of an owner-drawn menu with a picture from a file
// in front of it (the engines of the search menu). The picture is fitted into a
// 30 x 30 box and decoded when first drawn; an empty path draws nothing. Not
// copyable, like every item.
#pragma once

#include "MenuXPItem.h"

class CMenuXPText : public CMenuXPItem
{
public:
    static constexpr int kPictureBox = 30;

    CMenuXPText(int nId, const CMyString& strText, const QIcon& icon = QIcon(),
                const CMyString& strPicturePath = CMyString());
};
