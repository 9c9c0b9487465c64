#include "KeyHelper.h"

#include "QtText.h"

#include <QKeySequence>

namespace {

constexpr uint16_t kEscapeCharacter = 27;

// The virtual-key codes that are not letters, digits or function keys.
struct KeyPair
{
    uint16_t uVirtualKey;
    int nQtKey;
};

constexpr KeyPair kNamedKeys[] = {
    {0x08, Qt::Key_Backspace},  {0x09, Qt::Key_Tab},          {0x0C, Qt::Key_Clear},
    {0x0D, Qt::Key_Enter},      {0x10, Qt::Key_Shift},        {0x11, Qt::Key_Control},
    {0x12, Qt::Key_Alt},        {0x13, Qt::Key_Pause},        {0x14, Qt::Key_CapsLock},
    {0x1B, Qt::Key_Escape},     {0x20, Qt::Key_Space},        {0x21, Qt::Key_PageUp},
    {0x22, Qt::Key_PageDown},   {0x23, Qt::Key_End},          {0x24, Qt::Key_Home},
    {0x25, Qt::Key_Left},       {0x26, Qt::Key_Up},           {0x27, Qt::Key_Right},
    {0x28, Qt::Key_Down},       {0x2C, Qt::Key_Print},        {0x2D, Qt::Key_Insert},
    {0x2E, Qt::Key_Delete},     {0x2F, Qt::Key_Help},         {0x5B, Qt::Key_Meta},
    {0x6A, Qt::Key_Asterisk},   {0x6B, Qt::Key_Plus},         {0x6D, Qt::Key_Minus},
    {0x6E, Qt::Key_Period},     {0x6F, Qt::Key_Slash},        {0x90, Qt::Key_NumLock},
    {0x91, Qt::Key_ScrollLock}, {0xBA, Qt::Key_Semicolon},    {0xBB, Qt::Key_Equal},
    {0xBC, Qt::Key_Comma},      {0xBD, Qt::Key_Minus},        {0xBE, Qt::Key_Period},
    {0xBF, Qt::Key_Slash},      {0xC0, Qt::Key_QuoteLeft},    {0xDB, Qt::Key_BracketLeft},
    {0xDC, Qt::Key_Backslash},  {0xDD, Qt::Key_BracketRight}, {0xDE, Qt::Key_Apostrophe},
};

// The Qt key of a virtual-key code, or 0. Number-pad digits carry the keypad
// modifier so that their name tells them from the row of digits.
int QtKeyOf(uint16_t uVirtualKey)
{
    if ((uVirtualKey >= '0' && uVirtualKey <= '9') || (uVirtualKey >= 'A' && uVirtualKey <= 'Z'))
        return uVirtualKey;
    if (uVirtualKey >= 0x60 && uVirtualKey <= 0x69)
        return (Qt::Key_0 + (uVirtualKey - 0x60)) | Qt::KeypadModifier;
    if (uVirtualKey >= 0x70 && uVirtualKey <= 0x87)
        return Qt::Key_F1 + (uVirtualKey - 0x70);
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.uVirtualKey == uVirtualKey)
            return pair.nQtKey;
    }
    return 0;
}

void AppendCodePoint(CMyString& strText, uint32_t uCode)
{
    char szUtf8[4] = {};
    if (uCode < 0x80) {
        strText.AppendChar(static_cast<char>(uCode));
        return;
    }
    if (uCode < 0x800) {
        szUtf8[0] = static_cast<char>(0xC0 | (uCode >> 6));
        szUtf8[1] = static_cast<char>(0x80 | (uCode & 0x3F));
        strText += CMyString(szUtf8, 2);
        return;
    }
    if (uCode >= 0xD800 && uCode <= 0xDFFF)
        return; // half of a surrogate pair is no character
    szUtf8[0] = static_cast<char>(0xE0 | (uCode >> 12));
    szUtf8[1] = static_cast<char>(0x80 | ((uCode >> 6) & 0x3F));
    szUtf8[2] = static_cast<char>(0x80 | (uCode & 0x3F));
    strText += CMyString(szUtf8, 3);
}

} // namespace

void CBCGKeyHelper::Format(const ACCEL& accel, CMyString& strText)
{
    strText.Empty();
    if (accel.fVirt & FCONTROL)
        strText += "Ctrl+";
    if (accel.fVirt & FSHIFT)
        strText += "Shift+";
    if (accel.fVirt & FALT)
        strText += "Alt+";
    if (accel.fVirt & FVIRTKEY)
        strText += GetKeyName(accel.key);
    else if (accel.key != kEscapeCharacter && accel.key != 0)
        AppendCodePoint(strText, accel.key);
}

CMyString CBCGKeyHelper::GetKeyName(uint16_t uVirtualKey)
{
    const int nKey = QtKeyOf(uVirtualKey);
    if (nKey == 0)
        return CMyString();
    const CMyString strName = FromQString(QKeySequence(nKey).toString(QKeySequence::PortableText));
    return strName.GetLength() > kMaxKeyName ? strName.Mid(0, kMaxKeyName) : strName;
}
