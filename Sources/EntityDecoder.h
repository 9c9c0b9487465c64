// CEntityDecoder: the numeric character reference step of CMyString::UnescapeXml.
//
// The rule it implements, stated as the simple (quadratic) procedure:
//   repeat: find the first "&#" in the text; find the first ";" behind it (none:
//   stop); the reference is the text from "&#" to that ";". Its value is the
//   decimal number (read like atoi) at the start of the three bytes behind "&#",
//   or 0 when those three bytes run past the end of the text. Replace every
//   occurrence of that whole reference in the text, left to right and without
//   re-reading inserted text, by the single byte value % 256 (nothing for 0),
//   and start again from the beginning.
// Decoded bytes may form new references ("&#38;#65;" decodes to "A").
//
// Decode gives exactly the bytes of that procedure in close to linear time (the
// few inputs that take longer are named in DecodeRun.h); it keeps no state
// between calls. DecodeSlowly is the procedure itself, quadratic, kept as the
// reference for tests.
#pragma once

#include <string>

class CEntityDecoder
{
public:
    static std::string Decode(const std::string& strText);
    static std::string DecodeSlowly(const std::string& strText);
};
