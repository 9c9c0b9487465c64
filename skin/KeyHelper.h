// CBCGKeyHelper: the text of a keyboard accelerator as a menu shows it at the
// right of an item, for example "Ctrl+Shift+F5". The modifier names come
// first, in the order control, shift, alt; then the key's name for a
// virtual-key accelerator, or the key's character itself. Stateless.
#pragma once

#include "MyString.h"

#include <cstdint>

// The flags of an accelerator, as accelerator tables store them.
inline constexpr uint8_t FVIRTKEY = 0x01;
inline constexpr uint8_t FSHIFT = 0x04;
inline constexpr uint8_t FCONTROL = 0x08;
inline constexpr uint8_t FALT = 0x10;

// One accelerator: the flags, the key (a virtual-key code with FVIRTKEY, else a
// character code) and the command it stands for. A plain value.
struct ACCEL
{
    uint8_t fVirt = 0;
    uint16_t key = 0;
    uint16_t cmd = 0;
};

class CBCGKeyHelper
{
public:
    // Key names are cut to this many bytes.
    static constexpr uint32_t kMaxKeyName = 64;

    virtual ~CBCGKeyHelper() = default;

    // Empties strText, then writes the accelerator's text into it. A character
    // accelerator for Escape (27) shows only its modifiers.
    static void Format(const ACCEL& accel, CMyString& strText);
    // The name of a virtual key ("F5", "Enter", "A"); empty for a code that
    // names no key.
    static CMyString GetKeyName(uint16_t uVirtualKey);
};
