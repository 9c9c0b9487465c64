#include "MyXmlDom.h"

#include "FileHandler.h"
#include "XmlParser.h"

CMyXmlDom::~CMyXmlDom()
{
    delete m_pRoot;
}

bool CMyXmlDom::Load(const CMyString& strText)
{
    CXmlNode* pRoot = CXmlParser(strText).Parse();
    if (pRoot == nullptr) {
        return false;
    }
    delete m_pRoot;
    m_pRoot = pRoot;
    return true;
}

bool CMyXmlDom::LoadFile(const CMyString& strPath)
{
    CMyString strText;
    return CFileHandler::ReadTextFile(strPath, strText) && Load(strText);
}
