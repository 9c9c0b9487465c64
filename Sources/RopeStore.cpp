#include "RopeStore.h"

#include <algorithm>
#include <cstring>

namespace entity_decoder {

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

} // namespace entity_decoder
