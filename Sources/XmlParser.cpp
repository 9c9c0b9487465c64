#include "XmlParser.h"

#include "MyXmlDom.h"

#include <cctype>
#include <cstring>
#include <vector>

CXmlParser::CXmlParser(const CMyString& strText)
    : m_pPos(strText.GetText()), m_pEnd(m_pPos + std::strlen(m_pPos))
{
}

CXmlParser::Token CXmlParser::Next(CMyString& strToken)
{
    while (m_pPos < m_pEnd && std::isspace(static_cast<unsigned char>(*m_pPos))) {
        ++m_pPos;
    }
    if (m_pPos == m_pEnd) {
        return Token::End;
    }
    if (*m_pPos == '<') {
        ++m_pPos;
        return NextTag(strToken);
    }
    // Text runs up to the next tag; text with no tag behind it is dropped.
    const auto* pTag = static_cast<const char*>(std::memchr(m_pPos, '<', m_pEnd - m_pPos));
    if (pTag == nullptr) {
        return Token::End;
    }
    strToken = CMyString(m_pPos, static_cast<uint32_t>(pTag - m_pPos));
    m_pPos = pTag;
    return Token::Text;
}

// Everything between "<" and ">" is the name: there are no attributes.
CXmlParser::Token CXmlParser::NextTag(CMyString& strToken)
{
    if (m_pPos == m_pEnd) {
        return Token::End;
    }
    Token kind = Token::StartTag;
    if (*m_pPos == '/') {
        ++m_pPos;
        kind = Token::EndTag;
    }
    const auto* pClose = static_cast<const char*>(std::memchr(m_pPos, '>', m_pEnd - m_pPos));
    if (pClose == nullptr || pClose == m_pPos) {
        return Token::End;
    }
    uint32_t uLength = static_cast<uint32_t>(pClose - m_pPos);
    if (kind == Token::StartTag && pClose[-1] == '/') {
        kind = Token::EmptyTag;
        --uLength;
    }
    strToken = CMyString(m_pPos, uLength);
    m_pPos = pClose + 1;
    return kind;
}

CXmlNode* CXmlParser::Parse()
{
    std::vector<CXmlNode*> open{new CXmlNode()};
    CMyString strToken;
    for (;;) {
        CXmlNode* pCurrent = open.back();
        const Token kind = Next(strToken);
        if (kind == Token::End) {
            break;
        }
        const bool bNewChild = kind == Token::EmptyTag || (kind == Token::StartTag && !pCurrent->m_strName.IsEmpty());
        if (bNewChild && open.size() >= static_cast<size_t>(CMyXmlDom::kMaxDepth)) {
            break; // the child would lie deeper than the limit
        }
        if (kind == Token::EmptyTag) {
            pCurrent->AddChild(new CXmlNode(strToken));
        } else if (kind == Token::StartTag && pCurrent->m_strName.IsEmpty()) {
            pCurrent->m_strName = strToken; // the root's own start tag
        } else if (kind == Token::StartTag) {
            open.push_back(new CXmlNode(strToken));
        } else if (kind == Token::Text) {
            pCurrent->m_strText = strToken;
            pCurrent->m_strText.UnescapeXml();
        } else if (pCurrent->m_strName.IsEmpty() || !pCurrent->m_strName.EqualsNoCase(strToken)) {
            break; // an end tag that closes nothing open
        } else {
            open.pop_back();
            if (open.empty()) {
                return pCurrent;
            }
            open.back()->AddChild(pCurrent);
        }
    }
    // Open elements are not yet attached to their parents: each is deleted on its own.
    for (CXmlNode* pNode : open) {
        delete pNode;
    }
    return nullptr;
}
