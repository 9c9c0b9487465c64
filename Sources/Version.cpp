#include "MyString.h"

#include "Assert.h"

void CVersion::Set(const CMyString& text)
{
    m_strText = text;
    for (int32_t& nField : m_nFields) {
        nField = 0;
    }
    const int nLength = static_cast<int>(m_strText.GetLength());
    int nPosition = 0;
    for (int nField = 0; nField < 4; ++nField) {
        const int nDot = m_strText.Find('.', nPosition);
        const int nEnd = nDot < 0 ? nLength : nDot;
        m_nFields[nField] = m_strText.Mid(nPosition, nEnd - nPosition).ToInt();
        if (nDot < 0) {
            break;
        }
        nPosition = nDot + 1;
    }
}

bool CVersion::IsVersion() const
{
    return m_strText.Find('.') >= 0;
}

int CVersion::Compare(const CVersion& other) const
{
    if (!IsVersion()) {
        return other.IsVersion() ? -1 : 0;
    }
    if (!other.IsVersion()) {
        return 1;
    }
    for (int i = 0; i < 4; ++i) {
        if (m_nFields[i] != other.m_nFields[i]) {
            return m_nFields[i] < other.m_nFields[i] ? -1 : 1;
        }
    }
    return 0;
}

int CVersion::GetField(int nIndex) const
{
    KESTOVA_ASSERT(nIndex >= 0 && nIndex < 4);
    return m_nFields[nIndex];
}
