// What the search bar sends: a typed address as it stands, or the typed text
// encoded into the selected engine's query address. The text is UTF-8 and is
// encoded byte by byte.
#pragma once

#include "MyString.h"

class CSearchEngine;

// The address to open for the text with the engine: the text itself for the
// built-in engine (id 100) and for a text that IsAddress; the engine's empty
// search address for an empty text; otherwise the prefix with every
// placeholder replaced by UrlEncode(text), or just the encoded text when the
// engine has no prefix. May be empty: then nothing is to be sent.
CMyString MakeQueryUrl(const CSearchEngine& engine, const CMyString& strText);

// A text is taken for an address when it is not empty, holds no space and
// contains "ftp://", or begins with "http://", "https://" or "www." (all
// without regard to case).
bool IsAddress(const CMyString& strText);

// Cuts an address down to its site: before the first "/" behind the "//",
// else before the first "?", else before a port's ":". An address with none
// of them stays as it is.
void CutToSiteRoot(CMyString& strUrl);

// Letters and digits stay, a space becomes "+", every other byte becomes "%"
// and two upper-case hexadecimal digits.
CMyString UrlEncode(const CMyString& strText);

// Whether the text is an http or https address without white space or control
// bytes: the only kind of address the update notice may open.
bool IsWebAddress(const CMyString& strText);
