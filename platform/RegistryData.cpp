#include "RegistryData.h"

#include <QStringDecoder>
#include <algorithm>
#include <cctype>
#include <iterator>
#include <utility>

namespace {

constexpr QChar kSeparator = u'\\';

bool SameName(const QString& strA, const QString& strB)
{
    return QString::compare(strA, strB, Qt::CaseInsensitive) == 0;
}

void SkipSpaces(const QString& strLine, qsizetype& nPos)
{
    while (nPos < strLine.size() && (strLine[nPos] == u' ' || strLine[nPos] == u'\t'))
        ++nPos;
}

// Each character written with an escape, and the letter after its "\".
constexpr std::pair<char16_t, char16_t> kEscapes[] = {
    {u'\\', u'\\'}, {u'"', u'"'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\t', u't'}};

// The character an escape letter stands for, or 0 for no escape.
char16_t Unescaped(char16_t chLetter)
{
    for (const auto& [chPlain, chEscape] : kEscapes) {
        if (chEscape == chLetter)
            return chPlain;
    }
    return 0;
}

// Reads a quoted text at nPos; false when it is not one.
bool ReadQuoted(const QString& strLine, qsizetype& nPos, QString& strOut)
{
    if (nPos >= strLine.size() || strLine[nPos] != u'"')
        return false;
    strOut.clear();
    for (++nPos; nPos < strLine.size(); ++nPos) {
        const QChar ch = strLine[nPos];
        if (ch == u'"') {
            ++nPos;
            return true;
        }
        if (ch != u'\\') {
            strOut += ch;
            continue;
        }
        const char16_t chPlain = ++nPos < strLine.size() ? Unescaped(strLine[nPos].unicode()) : 0;
        if (chPlain == 0)
            return false;
        strOut += QChar(chPlain);
    }
    return false;
}

QString Quoted(const QString& strText)
{
    QString strOut = QStringLiteral("\"");
    for (const QChar ch : strText) {
        const auto* pEscape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                           [ch](const auto& escape) { return escape.first == ch.unicode(); });
        if (pEscape != std::end(kEscapes)) {
            strOut += u'\\';
            strOut += QChar(pEscape->second);
        } else {
            strOut += ch;
        }
    }
    return strOut + u'"';
}

// Reads "dword:" and one to eight hexadecimal digits at nPos.
bool ReadNumber(const QString& strLine, qsizetype& nPos, quint32& uOut)
{
    const QString strPrefix = QStringLiteral("dword:");
    if (!QStringView(strLine).mid(nPos).startsWith(strPrefix, Qt::CaseInsensitive))
        return false;
    nPos += strPrefix.size();
    const qsizetype nStart = nPos;
    while (nPos < strLine.size() && nPos - nStart < 9 && isxdigit(strLine[nPos].toLatin1()))
        ++nPos;
    if (nPos == nStart || nPos - nStart > 8)
        return false;
    bool bOk = false;
    uOut = strLine.mid(nStart, nPos - nStart).toUInt(&bOk, 16);
    return bOk;
}

} // namespace

QString CRegistryData::NormalisePath(const QString& strPath)
{
    return strPath.split(kSeparator, Qt::SkipEmptyParts).join(kSeparator);
}

bool CRegistryData::Parse(const QByteArray& text)
{
    m_keys.clear();
    QByteArray bytes = text;
    if (bytes.startsWith("\xef\xbb\xbf"))
        bytes.remove(0, 3);
    Key* pCurrent = nullptr;
    bool bWhole = true;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // A text file holds no zero byte; one is a sign of a broken write or
        // disk. Each line is decoded on its own, so one bad line costs only itself.
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString strLine = decoder(line);
        if (line.contains('\0') || decoder.hasError() || !ParseLine(strLine, pCurrent))
            bWhole = false;
    }
    return bWhole;
}

bool CRegistryData::ParseLine(const QString& strLine, Key*& pCurrent)
{
    const QString strTrimmed = strLine.trimmed();
    if (strTrimmed.isEmpty() || strTrimmed.startsWith(u';') || strTrimmed.startsWith(u'#'))
        return true;
    if (strTrimmed.startsWith(u'[')) {
        const QString strPath = NormalisePath(strTrimmed.mid(1, strTrimmed.size() - 2));
        if (!strTrimmed.endsWith(u']') || strPath.isEmpty()) {
            // The values below a broken key line belong to no key that can be named.
            pCurrent = nullptr;
            return false;
        }
        CreateKey(strPath);
        pCurrent = FindMutableKey(strPath);
        return true;
    }
    Value value;
    qsizetype nPos = 0;
    SkipSpaces(strLine, nPos);
    if (pCurrent == nullptr || !ReadQuoted(strLine, nPos, value.strName))
        return false;
    SkipSpaces(strLine, nPos);
    if (nPos >= strLine.size() || strLine[nPos] != u'=')
        return false;
    ++nPos;
    SkipSpaces(strLine, nPos);
    value.bNumber = !(nPos < strLine.size() && strLine[nPos] == u'"');
    const bool bRead =
        value.bNumber ? ReadNumber(strLine, nPos, value.uNumber) : ReadQuoted(strLine, nPos, value.strText);
    if (!bRead || !strLine.mid(nPos).trimmed().isEmpty())
        return false;
    // A name written twice (by hand) counts once; the later line wins.
    SetValue(pCurrent->strPath, value);
    return true;
}

QByteArray CRegistryData::Format(const QString& strUnder) const
{
    const QString strAncestor = NormalisePath(strUnder);
    QString strOut;
    for (const Key& key : m_keys) {
        if (!IsAtOrBelow(key.strPath, strAncestor))
            continue;
        if (!strOut.isEmpty())
            strOut += u'\n';
        strOut += u'[' + key.strPath + QStringLiteral("]\n");
        for (const Value& value : key.values) {
            strOut += Quoted(value.strName) + u'=';
            strOut += value.bNumber ? QStringLiteral("dword:%1").arg(value.uNumber, 8, 16, QChar(u'0'))
                                    : Quoted(value.strText);
            strOut += u'\n';
        }
    }
    return strOut.toUtf8();
}

const CRegistryData::Key* CRegistryData::FindKey(const QString& strPath) const
{
    const QString strWanted = NormalisePath(strPath);
    for (const Key& key : m_keys) {
        if (SameName(key.strPath, strWanted))
            return &key;
    }
    return nullptr;
}

CRegistryData::Key* CRegistryData::FindMutableKey(const QString& strPath)
{
    return const_cast<Key*>(std::as_const(*this).FindKey(strPath));
}

CRegistryData::Key& CRegistryData::AddKey(const QString& strPath)
{
    Key key;
    key.strPath = strPath;
    m_keys.append(key);
    return m_keys.last();
}

bool CRegistryData::CreateKey(const QString& strPath)
{
    const QStringList names = NormalisePath(strPath).split(kSeparator, Qt::SkipEmptyParts);
    bool bCreated = false;
    QString strPrefix;
    for (const QString& strName : names) {
        if (!strPrefix.isEmpty())
            strPrefix += kSeparator;
        strPrefix += strName;
        if (FindKey(strPrefix) == nullptr) {
            AddKey(strPrefix);
            bCreated = true;
        }
    }
    return bCreated;
}

bool CRegistryData::DeleteKey(const QString& strPath)
{
    const QString strWanted = NormalisePath(strPath);
    if (strWanted.isEmpty() || FindKey(strWanted) == nullptr)
        return false;
    m_keys.removeIf([&](const Key& key) { return IsAtOrBelow(key.strPath, strWanted); });
    return true;
}

void CRegistryData::SetValue(const QString& strPath, const Value& value)
{
    CreateKey(strPath);
    Key* pKey = FindMutableKey(strPath);
    const qsizetype nPosition = PositionOf(*pKey, value.strName);
    if (nPosition < 0) {
        pKey->positions.insert(value.strName.toCaseFolded(), pKey->values.size());
        pKey->values.append(value);
        return;
    }
    Value& existing = pKey->values[nPosition];
    const QString strName = existing.strName;
    existing = value;
    existing.strName = strName;
}

bool CRegistryData::DeleteValue(const QString& strPath, const QString& strName)
{
    Key* pKey = FindMutableKey(strPath);
    const qsizetype nPosition = pKey == nullptr ? -1 : PositionOf(*pKey, strName);
    if (nPosition < 0)
        return false;
    pKey->values.removeAt(nPosition);
    pKey->positions.clear();
    for (qsizetype i = 0; i < pKey->values.size(); ++i)
        pKey->positions.insert(pKey->values[i].strName.toCaseFolded(), i);
    return true;
}

const CRegistryData::Value* CRegistryData::FindValue(const QString& strPath, const QString& strName) const
{
    const Key* pKey = FindKey(strPath);
    const qsizetype nPosition = pKey == nullptr ? -1 : PositionOf(*pKey, strName);
    return nPosition < 0 ? nullptr : &pKey->values[nPosition];
}

qsizetype CRegistryData::PositionOf(const Key& key, const QString& strName)
{
    return key.positions.value(strName.toCaseFolded(), -1);
}

QStringList CRegistryData::SubKeys(const QString& strPath) const
{
    const QString strParent = NormalisePath(strPath);
    const qsizetype nDepth = strParent.isEmpty() ? 1 : strParent.count(kSeparator) + 2;
    QStringList paths;
    for (const Key& key : m_keys) {
        if (IsAtOrBelow(key.strPath, strParent) && key.strPath.count(kSeparator) + 1 == nDepth)
            paths.append(key.strPath);
    }
    return paths;
}

bool CRegistryData::IsAtOrBelow(const QString& strPath, const QString& strAncestor)
{
    if (strAncestor.isEmpty() || SameName(strPath, strAncestor))
        return true;
    return strPath.startsWith(strAncestor + kSeparator, Qt::CaseInsensitive);
}
