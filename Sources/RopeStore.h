// CRopeStore: the pieces and parts that CEntityDecoder keeps its text in, as
// ropes that join and cut without copying text. Copying a store copies both of
// its vectors (linear in the number of pieces and parts) but not the text: the
// pieces still point into the input and into kAllBytes.
#pragma once

#include "PolyHash.h"

#include <string>
#include <vector>

namespace entity_decoder {

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

} // namespace entity_decoder
