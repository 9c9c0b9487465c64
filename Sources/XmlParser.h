// CXmlParser: reads markup text into a tree of CXmlNode for CMyXmlDom.
//
// One pass over the bytes with an explicit stack of open elements, so the depth
// of a document costs heap, not call stack; CMyXmlDom::kMaxDepth bounds it.
// Used once per load; not copyable.
#pragma once

#include "MyString.h"

class CXmlNode;

class CXmlParser
{
public:
    explicit CXmlParser(const CMyString& strText);
    CXmlParser(const CXmlParser&) = delete;
    CXmlParser& operator=(const CXmlParser&) = delete;

    // The new root, owned by the caller, or null when the text does not parse.
    CXmlNode* Parse();

private:
    enum class Token
    {
        End,
        StartTag,
        EndTag,
        EmptyTag,
        Text
    };

    Token Next(CMyString& strToken);
    Token NextTag(CMyString& strToken);

    const char* m_pPos;
    const char* m_pEnd;
};
