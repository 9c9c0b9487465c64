// CSuffixTrie: finds the segments of a CEntityDecoder run that end with a given
// chunk sequence, keyed by chunks from the end. Copying a trie copies its nodes,
// edge map and rests (linear in their number); the copy still reads the same
// CRopeStore, and a trie cannot be assigned.
#pragma once

#include "PolyHash.h"
#include "RopeStore.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace entity_decoder {

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

} // namespace entity_decoder
