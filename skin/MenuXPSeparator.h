// CMenuXPSeparator: an etched line across an owner-drawn menu. Not copyable,
// like every item.
#pragma once

#include "MenuXPItem.h"

class CMenuXPSeparator : public CMenuXPItem
{
public:
    CMenuXPSeparator() { m_bSeparator = 1; }
};
