#include "SuffixTrie.h"

namespace entity_decoder {

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

} // namespace entity_decoder
