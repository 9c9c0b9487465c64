#include "DecodeRun.h"

#include <utility>

namespace entity_decoder {

namespace {

// White space as isspace sees it in the C locale.
bool IsSpace(char chByte)
{
    return chByte == ' ' || (chByte >= '\t' && chByte <= '\r');
}

// Reads a decimal number like atoi does (white space, one sign, digits) from at
// most uCount bytes.
int ReadDecimal(const char* pText, Index uCount)
{
    Index uAt = 0;
    while (uAt < uCount && IsSpace(pText[uAt])) {
        ++uAt;
    }
    bool bNegative = false;
    if (uAt < uCount && (pText[uAt] == '+' || pText[uAt] == '-')) {
        bNegative = pText[uAt++] == '-';
    }
    int nValue = 0;
    for (; uAt < uCount && pText[uAt] >= '0' && pText[uAt] <= '9'; ++uAt) {
        nValue = nValue * 10 + (pText[uAt] - '0');
    }
    return bNegative ? -nValue : nValue;
}

} // namespace

CDecodeRun::CDecodeRun(const std::string& strText)
{
    Index uBegin = 0;
    while (m_nTail == kNone) {
        const std::size_t uSemicolon = strText.find(';', uBegin);
        const Index uEnd = uSemicolon == std::string::npos ? strText.size() : uSemicolon + 1;
        const Index nSegment = AddSegment(strText.data() + uBegin, uEnd - uBegin);
        if (uSemicolon == std::string::npos) {
            m_nTail = nSegment;
        } else {
            PlaceIfReferenced(nSegment);
        }
        uBegin = uEnd;
    }
    m_strOut.reserve(strText.size());
}

Index CDecodeRun::AddSegment(const char* pData, Index uLength)
{
    Segment segment;
    segment.nHead = m_store.NewPart(false);
    Index nPart = segment.nHead, uPartBegin = 0;
    for (Index uAt = 0; uAt + 1 < uLength; ++uAt) {
        if (pData[uAt] == '&' && pData[uAt + 1] == '#') {
            m_store.AppendBytes(nPart, pData + uPartBegin, uAt - uPartBegin);
            nPart = NewChunkAfter(nPart);
            uPartBegin = uAt++;
        }
    }
    m_store.AppendBytes(nPart, pData + uPartBegin, uLength - uPartBegin);
    segment.nLast = nPart;
    segment.nPrev = m_segments.empty() ? kNone : m_segments.size() - 1;
    m_segments.push_back(segment);
    if (segment.nPrev != kNone) {
        m_segments[segment.nPrev].nNext = m_segments.size() - 1;
    }
    return m_segments.size() - 1;
}

Index CDecodeRun::NewChunkAfter(Index nPart)
{
    const Index nChunk = m_store.NewPart(true);
    m_store.At(nPart).nNext = nChunk;
    m_store.At(nChunk).nPrev = nPart;
    return nChunk;
}

bool CDecodeRun::HasChunk(Index nSegment) const
{
    return m_store.At(m_segments[nSegment].nHead).nNext != kNone;
}

bool CDecodeRun::IsEmpty(Index nSegment) const
{
    return !HasChunk(nSegment) && m_store.IsEmpty(m_segments[nSegment].nHead);
}

std::string CDecodeRun::Run()
{
    for (;;) {
        while (m_nFront != m_nTail && !HasChunk(m_nFront)) {
            Emit(m_nFront);
            m_nFront = m_segments[m_nFront].nNext;
            m_segments[m_nFront].nPrev = kNone;
        }
        if (m_nFront == m_nTail) {
            break;
        }
        Step(m_nFront);
    }
    Emit(m_nTail);
    return std::move(m_strOut);
}

void CDecodeRun::Emit(Index nSegment)
{
    for (Index nPart = m_segments[nSegment].nHead; nPart != kNone; nPart = m_store.At(nPart).nNext) {
        m_store.CopyTo(nPart, m_strOut);
    }
}

// One round of the rule: the cursor's chunks are the reference; every segment
// ending with it loses it and gets the decoded byte, then joins its follower
// unless that byte is ";".
void CDecodeRun::Step(Index nCursor)
{
    const std::vector<Index> arrChunks = Chunks(nCursor);
    const int nByte = DecodedByte(arrChunks, nCursor);
    const std::vector<Index> arrMatches = Matches(nCursor, arrChunks);
    for (Index nSegment : arrMatches) {
        CutChunks(nSegment, arrChunks.size());
        if (nByte == ';') {
            AppendByte(nSegment, nByte);
            PlaceIfReferenced(nSegment);
        } else {
            m_segments[nSegment].bJoins = true;
        }
    }
    if (nByte == ';') {
        return;
    }
    std::vector<Index> arrRunStarts;
    for (Index nSegment : arrMatches) {
        const Index nPrev = m_segments[nSegment].nPrev;
        if (nPrev == kNone || !m_segments[nPrev].bJoins) {
            arrRunStarts.push_back(nSegment);
        }
    }
    for (Index nFirst : arrRunStarts) {
        JoinRun(nFirst, nByte);
    }
}

std::vector<Index> CDecodeRun::Chunks(Index nSegment) const
{
    std::vector<Index> arrChunks;
    for (Index nPart = m_store.At(m_segments[nSegment].nHead).nNext; nPart != kNone;
         nPart = m_store.At(nPart).nNext) {
        arrChunks.push_back(nPart);
    }
    return arrChunks;
}

// The three bytes behind "&#" lie inside a reference of 5 bytes or more. A
// 4-byte one ("&#9;") reads its digit only when any text follows, because the
// window then holds the digit and the ";"; otherwise the window runs past the end.
int CDecodeRun::DecodedByte(const std::vector<Index>& arrChunks, Index nCursor) const
{
    Index uLength = 0;
    for (Index nChunk : arrChunks) {
        uLength += m_store.At(nChunk).hash.uLength;
    }
    const std::string strStart = m_store.Prefix(arrChunks.front(), 5);
    const Index nNext = m_segments[nCursor].nNext;
    const bool bTextFollows = nNext != m_nTail || !IsEmpty(nNext);
    int nValue = 0;
    if (uLength >= 5) {
        nValue = ReadDecimal(strStart.data() + 2, 3);
    } else if (uLength == 4 && bTextFollows) {
        nValue = ReadDecimal(strStart.data() + 2, 1);
    }
    return static_cast<unsigned char>(nValue);
}

std::vector<Index> CDecodeRun::Matches(Index nCursor, const std::vector<Index>& arrChunks)
{
    m_trie.Remove(nCursor);
    std::vector<Index> arrMatches{nCursor};
    for (Index nSegment : m_trie.TakeMatches(arrChunks)) {
        if (EndsWith(nSegment, arrChunks)) {
            arrMatches.push_back(nSegment);
        } else {
            PlaceIfReferenced(nSegment); // equal keys, different bytes
        }
    }
    return arrMatches;
}

bool CDecodeRun::EndsWith(Index nSegment, const std::vector<Index>& arrChunks) const
{
    Index nPart = m_segments[nSegment].nLast;
    for (auto it = arrChunks.rbegin(); it != arrChunks.rend(); ++it) {
        if (nPart == kNone || !m_store.At(nPart).bChunk || !m_store.SameBytes(nPart, *it)) {
            return false;
        }
        nPart = m_store.At(nPart).nPrev;
    }
    return true;
}

void CDecodeRun::CutChunks(Index nSegment, Index uCount)
{
    Index nPart = m_segments[nSegment].nLast;
    for (Index uCut = 0; uCut < uCount; ++uCut) {
        nPart = m_store.At(nPart).nPrev;
    }
    m_store.At(nPart).nNext = kNone;
    m_segments[nSegment].nLast = nPart;
}

// Appends a head (text without "&#") to the segment. An "&" at the segment's end
// and a "#" at the head's start form a new reference start: it opens a chunk.
void CDecodeRun::AppendHead(Index nSegment, Index nHead)
{
    if (m_store.IsEmpty(nHead)) {
        return;
    }
    const Index nLast = m_segments[nSegment].nLast;
    if (m_store.LastByte(nLast) != '&' || m_store.FirstByte(nHead) != '#') {
        m_store.MoveInto(nLast, nHead);
        return;
    }
    m_store.PopLastByte(nLast);
    const Index nChunk = NewChunkAfter(nLast);
    m_store.AppendByte(nChunk, '&');
    m_store.MoveInto(nChunk, nHead);
    m_segments[nSegment].nLast = nChunk;
}

void CDecodeRun::AppendByte(Index nSegment, int nByte)
{
    const Index nLast = m_segments[nSegment].nLast;
    if (nByte == 0) {
        return;
    }
    if (nByte != '#' || m_store.LastByte(nLast) != '&') {
        m_store.AppendByte(nLast, static_cast<unsigned char>(nByte));
        return;
    }
    m_store.PopLastByte(nLast);
    const Index nChunk = NewChunkAfter(nLast);
    m_store.AppendBytes(nChunk, "&#", 2);
    m_segments[nSegment].nLast = nChunk;
}

void CDecodeRun::AppendSegment(Index nSegment, Index nOther)
{
    const Segment other = m_segments[nOther];
    const Index nFirstChunk = m_store.At(other.nHead).nNext;
    AppendHead(nSegment, other.nHead);
    if (nFirstChunk != kNone) {
        m_store.At(m_segments[nSegment].nLast).nNext = nFirstChunk;
        m_store.At(nFirstChunk).nPrev = m_segments[nSegment].nLast;
        m_segments[nSegment].nLast = other.nLast;
    }
}

// Joins a run of segments that lost their ";" into the first segment behind
// the run, which keeps its place in the trie: its own chunks did not change.
void CDecodeRun::JoinRun(Index nFirst, int nByte)
{
    AppendByte(nFirst, nByte);
    Index nReceiver = m_segments[nFirst].nNext;
    for (; m_segments[nReceiver].bJoins; nReceiver = m_segments[nReceiver].nNext) {
        AppendSegment(nFirst, nReceiver);
        AppendByte(nFirst, nByte);
    }
    AppendSegment(nFirst, nReceiver);
    Segment& receiver = m_segments[nReceiver];
    receiver.nHead = m_segments[nFirst].nHead;
    receiver.nLast = m_segments[nFirst].nLast;
    receiver.nPrev = m_segments[nFirst].nPrev;
    if (receiver.nPrev != kNone) {
        m_segments[receiver.nPrev].nNext = nReceiver;
    }
    if (m_nFront == nFirst) {
        m_nFront = nReceiver;
    }
    if (m_trie.IsPlaced(nReceiver)) {
        m_trie.Reopen(nReceiver);
    } else {
        PlaceIfReferenced(nReceiver);
    }
}

void CDecodeRun::PlaceIfReferenced(Index nSegment)
{
    if (nSegment != m_nTail && HasChunk(nSegment)) {
        m_trie.Place(nSegment, m_segments[nSegment].nLast);
    }
}

} // namespace entity_decoder
