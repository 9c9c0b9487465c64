// How Decode stays close to linear.
//
// Every reference ends at a ";" and holds no other ";", so the text is kept as a
// list of ";"-ended segments (plus a tail without ";"), and a segment as a head
// without "&#" followed by chunks, each starting at an "&#". An occurrence of the
// reference R is then exactly a segment whose last chunks equal R's chunks, and
// replacing it only touches that segment's end and joins it to the next one.
// Texts are ropes of pieces (views of the input or of single bytes), so joining
// and cutting never copy text; every part carries a polynomial hash so chunks
// can be compared by key.
//
// The segments that end with a given chunk sequence are found in a trie keyed by
// chunks from the end. A segment rests at depth 1 (its last chunk) and is pushed
// one level deeper only when a lookup for a longer reference passes its node, so
// a change at a segment's end costs O(1) however many "&#" it holds. Every match
// is checked byte by byte, so a hash collision can cost time but never change the
// result. Everything in front of the first segment that holds an "&#" is final
// and written out.
//
// Slower than linear, still exact and terminating: many segments that share long
// runs of unterminated "&#" pieces and are changed again and again, since each
// change sends such a segment back to depth 1 and the next long lookup pushes it
// down again; and texts built to collide the hash, which are checked again on
// every lookup of their key. No recursion anywhere: depth costs heap, not stack.
#include "EntityDecoder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace {

using Index = std::size_t;
constexpr Index kNone = static_cast<Index>(-1);

// ---- polynomial hashing modulo the prime 2^61 - 1 ----

constexpr std::uint64_t kModulus = (std::uint64_t{1} << 61) - 1;
constexpr std::uint64_t kBase = 0x1B873593A3F5ULL;

constexpr std::uint64_t Reduce(std::uint64_t uValue)
{
    uValue = (uValue & kModulus) + (uValue >> 61);
    return uValue >= kModulus ? uValue - kModulus : uValue;
}

// Both factors below 2^61; the 128-bit product is folded with 2^61 = 1.
constexpr std::uint64_t MulMod(std::uint64_t uLeft, std::uint64_t uRight)
{
    const std::uint64_t uLeftHigh = uLeft >> 32, uLeftLow = uLeft & 0xFFFFFFFFU;
    const std::uint64_t uRightHigh = uRight >> 32, uRightLow = uRight & 0xFFFFFFFFU;
    const std::uint64_t uMiddle = uLeftHigh * uRightLow + uLeftLow * uRightHigh;
    const std::uint64_t uSum = ((uLeftHigh * uRightHigh) << 3) + (uMiddle >> 29) +
                               ((uMiddle & ((std::uint64_t{1} << 29) - 1)) << 32) +
                               Reduce(uLeftLow * uRightLow);
    return Reduce(uSum);
}

constexpr std::uint64_t PowMod(std::uint64_t uBase, std::uint64_t uExponent)
{
    std::uint64_t uResult = 1;
    for (; uExponent != 0; uExponent >>= 1) {
        if ((uExponent & 1) != 0) {
            uResult = MulMod(uResult, uBase);
        }
        uBase = MulMod(uBase, uBase);
    }
    return uResult;
}

constexpr std::uint64_t kBaseInverse = PowMod(kBase, kModulus - 2);

// Byte values count from 1 so that zero bytes still move the hash.
std::uint64_t ByteValue(char chByte)
{
    return static_cast<unsigned char>(chByte) + std::uint64_t{1};
}

// The hash of a byte run together with its length and kBase^length, so that two
// runs combine in O(1).
struct Hash
{
    std::uint64_t uValue = 0;
    std::uint64_t uPower = 1;
    Index uLength = 0;
};

Hash Concat(const Hash& left, const Hash& right)
{
    return {Reduce(MulMod(left.uValue, right.uPower) + right.uValue), MulMod(left.uPower, right.uPower),
            left.uLength + right.uLength};
}

Hash DropLastByte(const Hash& hash, char chByte)
{
    const std::uint64_t uWithout = Reduce(hash.uValue + kModulus - ByteValue(chByte));
    return {MulMod(uWithout, kBaseInverse), MulMod(hash.uPower, kBaseInverse), hash.uLength - 1};
}

constexpr std::array<char, 256> MakeAllBytes()
{
    std::array<char, 256> arrBytes{};
    for (int nByte = 0; nByte < 256; ++nByte) {
        arrBytes[static_cast<std::size_t>(nByte)] = static_cast<char>(nByte);
    }
    return arrBytes;
}

// Decoded bytes are pieces that point in here.
constexpr std::array<char, 256> kAllBytes = MakeAllBytes();

// ---- ropes: parts made of pieces ----

struct Piece
{
    const char* pData = nullptr;
    Index uLength = 0; // never 0 while linked
    Index nPrev = kNone;
    Index nNext = kNone;
};

// A head (text before the segment's first "&#") or a chunk (from an "&#" up to
// the next one or the segment's end). Parts of a segment are linked in order.
struct Part
{
    Index nFirstPiece = kNone;
    Index nLastPiece = kNone;
    Hash hash;
    bool bChunk = false;
    Index nPrev = kNone;
    Index nNext = kNone;
};

// Owns every piece and part of one decoding. Ids stay valid while the vectors
// grow; references into them do not.
class CRopeStore
{
public:
    Index NewPart(bool bChunk)
    {
        m_parts.emplace_back();
        m_parts.back().bChunk = bChunk;
        return m_parts.size() - 1;
    }
    Part& At(Index nPart) { return m_parts[nPart]; }
    const Part& At(Index nPart) const { return m_parts[nPart]; }
    bool IsEmpty(Index nPart) const { return m_parts[nPart].hash.uLength == 0; }

    void AppendBytes(Index nPart, const char* pData, Index uLength);
    void AppendByte(Index nPart, unsigned char uByte) { AppendBytes(nPart, &kAllBytes[uByte], 1); }
    // Moves all of nSource's text to the end of nDest; nSource is empty afterwards.
    void MoveInto(Index nDest, Index nSource);
    void PopLastByte(Index nPart);
    // The byte as unsigned char, or -1 for an empty part.
    int FirstByte(Index nPart) const;
    int LastByte(Index nPart) const;
    bool SameBytes(Index nOne, Index nOther) const;
    void CopyTo(Index nPart, std::string& strOut) const;
    // Up to uCount bytes from the start of nPart on through the parts linked behind it.
    std::string Prefix(Index nPart, Index uCount) const;

private:
    std::vector<Piece> m_pieces;
    std::vector<Part> m_parts;
};

void CRopeStore::AppendBytes(Index nPart, const char* pData, Index uLength)
{
    if (uLength == 0) {
        return;
    }
    Hash hash;
    for (Index uAt = 0; uAt < uLength; ++uAt) {
        hash.uValue = Reduce(MulMod(hash.uValue, kBase) + ByteValue(pData[uAt]));
        hash.uPower = MulMod(hash.uPower, kBase);
    }
    hash.uLength = uLength;
    Part& part = m_parts[nPart];
    m_pieces.push_back({pData, uLength, part.nLastPiece, kNone});
    const Index nPiece = m_pieces.size() - 1;
    if (part.nLastPiece == kNone) {
        part.nFirstPiece = nPiece;
    } else {
        m_pieces[part.nLastPiece].nNext = nPiece;
    }
    part.nLastPiece = nPiece;
    part.hash = Concat(part.hash, hash);
}

void CRopeStore::MoveInto(Index nDest, Index nSource)
{
    Part& source = m_parts[nSource];
    if (source.nFirstPiece == kNone) {
        return;
    }
    Part& dest = m_parts[nDest];
    if (dest.nLastPiece == kNone) {
        dest.nFirstPiece = source.nFirstPiece;
    } else {
        m_pieces[dest.nLastPiece].nNext = source.nFirstPiece;
        m_pieces[source.nFirstPiece].nPrev = dest.nLastPiece;
    }
    dest.nLastPiece = source.nLastPiece;
    dest.hash = Concat(dest.hash, source.hash);
    source.nFirstPiece = source.nLastPiece = kNone;
    source.hash = Hash();
}

void CRopeStore::PopLastByte(Index nPart)
{
    Part& part = m_parts[nPart];
    Piece& piece = m_pieces[part.nLastPiece];
    part.hash = DropLastByte(part.hash, piece.pData[piece.uLength - 1]);
    if (--piece.uLength != 0) {
        return;
    }
    part.nLastPiece = piece.nPrev;
    if (part.nLastPiece == kNone) {
        part.nFirstPiece = kNone;
    } else {
        m_pieces[part.nLastPiece].nNext = kNone;
    }
}

int CRopeStore::FirstByte(Index nPart) const
{
    const Index nPiece = m_parts[nPart].nFirstPiece;
    return nPiece == kNone ? -1 : static_cast<unsigned char>(m_pieces[nPiece].pData[0]);
}

int CRopeStore::LastByte(Index nPart) const
{
    const Index nPiece = m_parts[nPart].nLastPiece;
    if (nPiece == kNone) {
        return -1;
    }
    const Piece& piece = m_pieces[nPiece];
    return static_cast<unsigned char>(piece.pData[piece.uLength - 1]);
}

bool CRopeStore::SameBytes(Index nOne, Index nOther) const
{
    if (m_parts[nOne].hash.uLength != m_parts[nOther].hash.uLength) {
        return false;
    }
    Index nLeft = m_parts[nOne].nFirstPiece, nRight = m_parts[nOther].nFirstPiece;
    Index uLeftAt = 0, uRightAt = 0;
    while (nLeft != kNone && nRight != kNone) {
        const Piece& left = m_pieces[nLeft];
        const Piece& right = m_pieces[nRight];
        const Index uCount = std::min(left.uLength - uLeftAt, right.uLength - uRightAt);
        if (std::memcmp(left.pData + uLeftAt, right.pData + uRightAt, uCount) != 0) {
            return false;
        }
        uLeftAt += uCount;
        uRightAt += uCount;
        if (uLeftAt == left.uLength) {
            nLeft = left.nNext;
            uLeftAt = 0;
        }
        if (uRightAt == right.uLength) {
            nRight = right.nNext;
            uRightAt = 0;
        }
    }
    return nLeft == kNone && nRight == kNone;
}

void CRopeStore::CopyTo(Index nPart, std::string& strOut) const
{
    for (Index nPiece = m_parts[nPart].nFirstPiece; nPiece != kNone; nPiece = m_pieces[nPiece].nNext) {
        strOut.append(m_pieces[nPiece].pData, m_pieces[nPiece].uLength);
    }
}

std::string CRopeStore::Prefix(Index nPart, Index uCount) const
{
    std::string strPrefix;
    for (; nPart != kNone && strPrefix.size() < uCount; nPart = m_parts[nPart].nNext) {
        Index nPiece = m_parts[nPart].nFirstPiece;
        for (; nPiece != kNone && strPrefix.size() < uCount; nPiece = m_pieces[nPiece].nNext) {
            const Piece& piece = m_pieces[nPiece];
            strPrefix.append(piece.pData, std::min(piece.uLength, uCount - strPrefix.size()));
        }
    }
    return strPrefix;
}

// ---- the trie of segment ends ----

struct EdgeKey
{
    Index nParent = kNone;
    std::uint64_t uHash = 0;
    Index uLength = 0;
    bool operator==(const EdgeKey&) const = default;
};

struct EdgeKeyHasher
{
    std::size_t operator()(const EdgeKey& key) const
    {
        std::uint64_t uMixed =
            key.uHash ^ (key.nParent * 0x9E3779B97F4A7C15ULL) ^ (key.uLength * 0xC2B2AE3D27D4EB4FULL);
        uMixed ^= uMixed >> 29;
        return static_cast<std::size_t>(uMixed);
    }
};

// A node stands for a chunk sequence at the end of a segment; its depth is the
// number of chunks. Segments that rest here are pushable (they may have more
// chunks in front) or exhausted (no chunk is left in front of the frontier).
struct TrieNode
{
    EdgeKey key;
    Index nFirstChild = kNone;
    Index nNextSibling = kNone;
    Index nPushable = kNone;
    Index nExhausted = kNone;
};

// Where a segment rests: the node, the chunk that the node's depth reaches back
// to, and the links of the node's list.
struct Rest
{
    Index nNode = kNone;
    Index nFrontier = kNone;
    Index nPrev = kNone;
    Index nNext = kNone;
    bool bExhausted = false;
};

// Finds the segments that end with a given chunk sequence. Segments are known
// by id; their chunks are read from the rope store.
class CSuffixTrie
{
public:
    explicit CSuffixTrie(const CRopeStore& store) : m_store(store), m_nodes(1) {}

    // Rests the segment at depth 1 under its last chunk.
    void Place(Index nSegment, Index nLastChunk);
    void Remove(Index nSegment);
    bool IsPlaced(Index nSegment) const
    {
        return nSegment < m_rests.size() && m_rests[nSegment].nNode != kNone;
    }
    // Text was put in front of the segment: it may have chunks to push through again.
    void Reopen(Index nSegment);
    // Removes and returns every segment whose last chunks have the keys of arrChunks.
    std::vector<Index> TakeMatches(const std::vector<Index>& arrChunks);

private:
    Index Child(Index nNode, Index nPart, bool bCreate);
    void PushDown(Index nNode);
    void Link(Index nSegment, Index nNode, bool bExhausted);
    void TakeList(Index& nHead, std::vector<Index>& arrOut);
    void TakeSubtree(Index nTop, std::vector<Index>& arrOut);

    const CRopeStore& m_store;
    std::vector<TrieNode> m_nodes; // [0] is the root
    std::vector<Index> m_freeNodes;
    std::unordered_map<EdgeKey, Index, EdgeKeyHasher> m_edges;
    std::vector<Rest> m_rests; // by segment id
};

void CSuffixTrie::Place(Index nSegment, Index nLastChunk)
{
    if (nSegment >= m_rests.size()) {
        m_rests.resize(nSegment + 1);
    }
    Remove(nSegment);
    m_rests[nSegment].nFrontier = nLastChunk;
    Link(nSegment, Child(0, nLastChunk, true), false);
}

void CSuffixTrie::Remove(Index nSegment)
{
    if (!IsPlaced(nSegment)) {
        return;
    }
    Rest& rest = m_rests[nSegment];
    TrieNode& node = m_nodes[rest.nNode];
    if (rest.nPrev != kNone) {
        m_rests[rest.nPrev].nNext = rest.nNext;
    } else {
        (rest.bExhausted ? node.nExhausted : node.nPushable) = rest.nNext;
    }
    if (rest.nNext != kNone) {
        m_rests[rest.nNext].nPrev = rest.nPrev;
    }
    rest.nNode = kNone;
}

void CSuffixTrie::Reopen(Index nSegment)
{
    if (!IsPlaced(nSegment) || !m_rests[nSegment].bExhausted) {
        return;
    }
    const Index nNode = m_rests[nSegment].nNode;
    Remove(nSegment);
    Link(nSegment, nNode, false);
}

std::vector<Index> CSuffixTrie::TakeMatches(const std::vector<Index>& arrChunks)
{
    std::vector<Index> arrMatches;
    Index nNode = 0;
    for (auto it = arrChunks.rbegin(); it != arrChunks.rend(); ++it) {
        if (nNode != 0) {
            PushDown(nNode);
        }
        nNode = Child(nNode, *it, false);
        if (nNode == kNone) {
            return arrMatches;
        }
    }
    TakeSubtree(nNode, arrMatches);
    return arrMatches;
}

Index CSuffixTrie::Child(Index nNode, Index nPart, bool bCreate)
{
    const Hash& hash = m_store.At(nPart).hash;
    const EdgeKey key{nNode, hash.uValue, hash.uLength};
    const auto it = m_edges.find(key);
    if (it != m_edges.end() || !bCreate) {
        return it == m_edges.end() ? kNone : it->second;
    }
    Index nChild = m_nodes.size();
    if (m_freeNodes.empty()) {
        m_nodes.emplace_back();
    } else {
        nChild = m_freeNodes.back();
        m_freeNodes.pop_back();
        m_nodes[nChild] = TrieNode();
    }
    m_nodes[nChild].key = key;
    m_nodes[nChild].nNextSibling = m_nodes[nNode].nFirstChild;
    m_nodes[nNode].nFirstChild = nChild;
    m_edges.emplace(key, nChild);
    return nChild;
}

// Moves every pushable segment of the node one chunk deeper (or to the
// exhausted list), so that a longer lookup finds it below.
void CSuffixTrie::PushDown(Index nNode)
{
    Index nSegment = m_nodes[nNode].nPushable;
    m_nodes[nNode].nPushable = kNone;
    while (nSegment != kNone) {
        const Index nNext = m_rests[nSegment].nNext;
        const Index nFront = m_store.At(m_rests[nSegment].nFrontier).nPrev;
        if (nFront == kNone || !m_store.At(nFront).bChunk) {
            Link(nSegment, nNode, true);
        } else {
            m_rests[nSegment].nFrontier = nFront;
            Link(nSegment, Child(nNode, nFront, true), false);
        }
        nSegment = nNext;
    }
}

void CSuffixTrie::Link(Index nSegment, Index nNode, bool bExhausted)
{
    Index& nHead = bExhausted ? m_nodes[nNode].nExhausted : m_nodes[nNode].nPushable;
    Rest& rest = m_rests[nSegment];
    rest.nNode = nNode;
    rest.bExhausted = bExhausted;
    rest.nPrev = kNone;
    rest.nNext = nHead;
    if (nHead != kNone) {
        m_rests[nHead].nPrev = nSegment;
    }
    nHead = nSegment;
}

void CSuffixTrie::TakeList(Index& nHead, std::vector<Index>& arrOut)
{
    for (Index nSegment = nHead; nSegment != kNone; nSegment = m_rests[nSegment].nNext) {
        m_rests[nSegment].nNode = kNone;
        arrOut.push_back(nSegment);
    }
    nHead = kNone;
}

// Takes the segments of the node and of everything below it, and frees the
// nodes below: they are all empty afterwards.
void CSuffixTrie::TakeSubtree(Index nTop, std::vector<Index>& arrOut)
{
    std::vector<Index> arrStack{nTop};
    while (!arrStack.empty()) {
        const Index nNode = arrStack.back();
        arrStack.pop_back();
        TakeList(m_nodes[nNode].nPushable, arrOut);
        TakeList(m_nodes[nNode].nExhausted, arrOut);
        for (Index nChild = m_nodes[nNode].nFirstChild; nChild != kNone;
             nChild = m_nodes[nChild].nNextSibling) {
            arrStack.push_back(nChild);
        }
        if (nNode != nTop) {
            m_edges.erase(m_nodes[nNode].key);
            m_freeNodes.push_back(nNode);
        }
    }
    m_nodes[nTop].nFirstChild = kNone;
}

// ---- the decoding run ----

struct Segment
{
    Index nHead = kNone; // first part: the text before the first "&#"
    Index nLast = kNone; // last part; ends with ";" except in the tail
    Index nPrev = kNone;
    Index nNext = kNone;
    bool bJoins = false; // lost its ";" in the current step
};

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

// One call of Decode: the text as segments, the cursor at the front.
class CDecodeRun
{
public:
    explicit CDecodeRun(const std::string& strText);
    std::string Run();

private:
    Index AddSegment(const char* pData, Index uLength);
    Index NewChunkAfter(Index nPart);
    bool HasChunk(Index nSegment) const;
    bool IsEmpty(Index nSegment) const;
    void Emit(Index nSegment);
    void Step(Index nCursor);
    std::vector<Index> Chunks(Index nSegment) const;
    int DecodedByte(const std::vector<Index>& arrChunks, Index nCursor) const;
    std::vector<Index> Matches(Index nCursor, const std::vector<Index>& arrChunks);
    bool EndsWith(Index nSegment, const std::vector<Index>& arrChunks) const;
    void CutChunks(Index nSegment, Index uCount);
    void AppendHead(Index nSegment, Index nHead);
    void AppendByte(Index nSegment, int nByte);
    void AppendSegment(Index nSegment, Index nOther);
    void JoinRun(Index nFirst, int nByte);
    void PlaceIfReferenced(Index nSegment);

    CRopeStore m_store;
    CSuffixTrie m_trie{m_store};
    std::vector<Segment> m_segments;
    Index m_nFront = 0;
    Index m_nTail = kNone;
    std::string m_strOut;
};

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

} // namespace

std::string CEntityDecoder::Decode(const std::string& strText)
{
    // Most texts hold no reference at all: they need none of the machinery.
    const std::size_t uStart = strText.find("&#");
    if (uStart == std::string::npos || strText.find(';', uStart) == std::string::npos) {
        return strText;
    }
    return CDecodeRun(strText).Run();
}

namespace {

std::string ReplaceAll(const std::string& strText, const std::string& strOld, const std::string& strNew)
{
    std::string strResult;
    std::size_t uFrom = 0;
    for (std::size_t uHit = strText.find(strOld); uHit != std::string::npos;
         uHit = strText.find(strOld, uFrom)) {
        strResult.append(strText, uFrom, uHit - uFrom);
        strResult += strNew;
        uFrom = uHit + strOld.size();
    }
    strResult.append(strText, uFrom, std::string::npos);
    return strResult;
}

} // namespace

std::string CEntityDecoder::DecodeSlowly(const std::string& strText)
{
    std::string strResult = strText;
    for (;;) {
        const std::size_t uStart = strResult.find("&#");
        if (uStart == std::string::npos) {
            return strResult;
        }
        const std::size_t uEnd = strResult.find(';', uStart);
        if (uEnd == std::string::npos) {
            return strResult;
        }
        const std::string strReference = strResult.substr(uStart, uEnd - uStart + 1);
        // The window is never clipped: when it runs past the end it is empty.
        const std::string strWindow = uStart + 5 <= strResult.size() ? strResult.substr(uStart + 2, 3) : "";
        const auto uByte = static_cast<unsigned char>(std::atoi(strWindow.c_str()));
        const std::string strByte = uByte == 0 ? "" : std::string(1, static_cast<char>(uByte));
        strResult = ReplaceAll(strResult, strReference, strByte);
    }
}
