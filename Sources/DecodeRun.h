// CDecodeRun: one call of CEntityDecoder::Decode, made, run once and dropped.
// Do not copy or move it: it owns the whole rope store and trie (linear in the
// text), and a copy's trie would still read the original's store.
//
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
#pragma once

#include "PolyHash.h"
#include "RopeStore.h"
#include "SuffixTrie.h"

#include <string>
#include <vector>

namespace entity_decoder {

// ---- the decoding run ----

struct Segment
{
    Index nHead = kNone; // first part: the text before the first "&#"
    Index nLast = kNone; // last part; ends with ";" except in the tail
    Index nPrev = kNone;
    Index nNext = kNone;
    bool bJoins = false; // lost its ";" in the current step
};

// One call of Decode: the text as segments, the cursor at the front.
class CDecodeRun
{
public:
    CDecodeRun(const CDecodeRun&) = delete;
    CDecodeRun& operator=(const CDecodeRun&) = delete;
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

} // namespace entity_decoder
