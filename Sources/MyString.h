// The program's string types.
//
// CMyString holds UTF-8 text as bytes. It owns an exactly sized heap buffer and
// copies deeply: a copy costs one allocation and a memcpy of the text. The empty
// string has no buffer at all (GetBuffer() returns null), and a buffer whose
// first byte is zero counts as empty too. Every search, edit and comparison
// works on bytes; only the conversions to and from UTF-16 know about characters.
//
// CMyStringW holds UTF-16 text for the few places that need wide characters.
//
// CVersion is a dotted version text such as "2.0.2.1" with its first four numbers
// parsed out. A text without a "." is "no version", older than any version.
#pragma once

#include <cstdint>

// The one code page the program converts with.
inline constexpr unsigned CP_UTF8_CODE_PAGE = 65001;

class CMyString
{
public:
    CMyString() = default;
    CMyString(const char* pText); // NOLINT: implicit on purpose, texts are passed as literals
    // Copies at most uLength bytes of pData; a zero byte ends the copy early.
    CMyString(const char* pData, uint32_t uLength);
    CMyString(const CMyString& other);
    CMyString(CMyString&& other) noexcept;
    ~CMyString();

    CMyString& operator=(const CMyString& other);
    CMyString& operator=(CMyString&& other) noexcept;
    CMyString& operator=(const char* pText);

    // Replaces the content by the conversion of zero-terminated UTF-16 text.
    // False for a null text or a code page other than UTF-8; an empty wide text
    // gives the empty string and true. Unpaired surrogates become U+FFFD.
    bool FromWide(const char16_t* pWide, unsigned uCodePage);
    // A new[]-allocated, zero-terminated UTF-16 copy that the caller delete[]s;
    // null when the string is empty or the code page is not UTF-8. Malformed
    // UTF-8 sequences become U+FFFD.
    char16_t* ToWide(unsigned uCodePage) const;

    uint32_t GetLength() const { return m_uCount; }
    // The text, or null when the string is empty: check before handing it on.
    const char* GetBuffer() const { return IsEmpty() ? nullptr : m_pText; }
    char* GetBuffer() { return IsEmpty() ? nullptr : m_pText; }
    // The text, or "" when the string is empty: for calls that need a C string.
    const char* GetText() const { return IsEmpty() ? "" : m_pText; }
    // Precondition: uIndex < GetLength().
    char GetAt(uint32_t uIndex) const;
    void SetAt(uint32_t uIndex, char chValue);
    bool IsEmpty() const { return m_pText == nullptr || m_pText[0] == '\0'; }
    // Frees the buffer; the string is empty afterwards.
    void Empty();
    // The decimal value read like atoi (white space, sign, digits); 0 when empty.
    int ToInt() const;

    // Searches return the byte index of the first match, or -1. The forms with a
    // start search from that index and give -1 when it lies outside the string.
    int Find(char chValue) const;
    int Find(const char* pText) const;
    int Find(char chValue, int nStart) const;
    int Find(const char* pText, int nStart) const;
    int ReverseFind(char chValue) const;
    // ASCII case-insensitive search. Precondition: pType is not null.
    int FindNoCase(const char* pType) const;

    // Ordinal comparison of unsigned bytes: -1, 0 or 1. The empty string is less
    // than every other string.
    int Compare(const CMyString& other) const;
    // ASCII case-insensitive comparison: negative, zero or positive.
    int CompareNoCase(const CMyString& other) const;
    bool EqualsNoCase(const CMyString& other) const { return CompareNoCase(other) == 0; }
    bool operator==(const CMyString& other) const { return Compare(other) == 0; }
    bool operator==(const char* pText) const;

    CMyString& operator+=(const char* pText);
    CMyString& operator+=(const CMyString& other);
    void AppendChar(char chValue);
    void AppendInt(int nValue);
    // Joins a path component with exactly one separator: "dir" + "x" gives
    // "dir\x", "dir/" + "\x" gives "dir/x", "" + "\x" gives "x".
    void AppendPath(const char* pComponent);

    // The nCount bytes from nStart. A range that runs past the end gives the
    // empty string: it is never clipped.
    CMyString Mid(int nStart, int nCount) const;
    // At most the first uMaxBytes bytes, cut where a UTF-8 character starts, so
    // that no character is split.
    CMyString LeftUtf8(uint32_t uMaxBytes) const;

    // Replaces every non-overlapping occurrence of pOld, left to right, by pNew
    // (null or "" deletes). Inserted text is never searched again. Returns the
    // number of replacements.
    int Replace(const char* pOld, const char* pNew);
    // ASCII letters to lower case; other bytes stay.
    void MakeLower();
    void TrimLeft();
    void TrimRight();
    void Trim();
    // Decodes numeric character references ("&#65;", three digits at most, one
    // byte) and the five named XML entities; EntityDecoder.h has the rules.
    void UnescapeXml();

private:
    // Makes room for uLength bytes plus the terminator, keeping the text.
    void Reserve(uint32_t uLength);
    void Assign(const char* pData, uint32_t uLength);
    void Append(const char* pData, uint32_t uLength);

    uint32_t m_uCount = 0;
    uint32_t m_uCapacity = 0;
    char* m_pText = nullptr;
};

class CMyStringW
{
public:
    CMyStringW() = default;
    // Converts UTF-8 text; an empty source gives an empty string.
    explicit CMyStringW(const CMyString& source);
    CMyStringW(const CMyStringW& other);
    CMyStringW& operator=(const CMyStringW& other);
    virtual ~CMyStringW();

    // Replaces the content by the conversion of source; false (and empty) for a
    // code page other than UTF-8.
    bool Assign(const CMyString& source, unsigned uCodePage);
    const char16_t* GetBuffer() const { return m_pText; }
    uint32_t GetLength() const { return m_uLength; }
    bool IsEmpty() const { return m_pText == nullptr || m_uLength == 0; }

private:
    void Free();

    uint32_t m_uLength = 0;
    char16_t* m_pText = nullptr;
};

class CVersion
{
public:
    CVersion() = default;
    explicit CVersion(const CMyString& text) { Set(text); }
    virtual ~CVersion() = default;

    // Stores the text and parses its first four dot-separated numbers.
    void Set(const CMyString& text);
    void Set(const char* pText) { Set(CMyString(pText)); }

    // -1, 0 or 1. "No version" equals "no version" and is less than any version;
    // otherwise the four numbers decide, not the texts.
    int Compare(const CVersion& other) const;
    bool operator<(const CVersion& other) const { return Compare(other) == -1; }

    // False for an empty text or one without ".".
    bool IsVersion() const;
    const CMyString& GetText() const { return m_strText; }
    // One of the four numbers; nIndex from 0 to 3.
    int GetField(int nIndex) const;

private:
    CMyString m_strText;
    int32_t m_nFields[4] = {0, 0, 0, 0};
};
