#include "ArrayString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts its own destructions so that tests can see what a container deleted.
struct Tracked : CSeed
{
    explicit Tracked(std::vector<int>& deleted, int nId) : m_deleted(deleted), m_nId(nId) {}
    ~Tracked() override { m_deleted.push_back(m_nId); }
    std::vector<int>& m_deleted;
    int m_nId;
};

void* Ptr(int n)
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(n));
}

std::vector<int> Contents(const CArrayPtr& array)
{
    std::vector<int> values;
    for (uint32_t i = 0; i < array.GetCount(); ++i) {
        values.push_back(static_cast<int>(reinterpret_cast<uintptr_t>(array.GetAt(i))));
    }
    return values;
}

TEST(ArrayPtr, GrowsByOldCapacityPlusGrowByPlusNeeded)
{
    CArrayPtr array(10);
    std::vector<uint32_t> capacities;
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(array.Add(Ptr(i)), static_cast<uint32_t>(i - 1));
        if (capacities.empty() || capacities.back() != array.GetCapacity()) {
            capacities.push_back(array.GetCapacity());
        }
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{11, 32, 74}));
    EXPECT_EQ(array.GetCount(), 40u);
    EXPECT_EQ(array.GetAt(39), Ptr(40));
}

TEST(ArrayPtr, InsertRemoveAndRanges)
{
    CArrayPtr array;
    for (int i = 1; i <= 5; ++i) {
        array.Add(Ptr(i));
    }
    array.InsertAt(0, Ptr(0));
    array.InsertAt(6, Ptr(6));
    EXPECT_EQ(Contents(array), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(array.RemoveAt(0), Ptr(0));
    EXPECT_EQ(array.RemoveAt(5), Ptr(6));
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 2, 3, 4, 5}));

    array.RemoveRange(1, 2, false);
    EXPECT_EQ(Contents(array), (std::vector<int>{1, 4, 5}));
    array.RemoveRange(1, 10, false);
    EXPECT_EQ(Contents(array), (std::vector<int>{1}));
    array.RemoveRange(0, 0xffffffff, false);
    EXPECT_EQ(array.GetCount(), 0u);
}

TEST(ArrayPtr, RemoveRangeDeletesThroughTheRootClass)
{
    std::vector<int> deleted;
    CArrayPtr array;
    for (int i = 0; i < 5; ++i) {
        array.Add(static_cast<CSeed*>(new Tracked(deleted, i)));
    }
    array.InsertAt(2, nullptr);
    array.RemoveRange(1, 3, true);
    EXPECT_EQ(deleted, (std::vector<int>{1, 2}));
    array.RemoveRange(0, array.GetCount(), true);
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 0, 3, 4}));
}

TEST(ArrayPtr, PreconditionsStopTheProgram)
{
    CArrayPtr array;
    array.Add(nullptr);
    EXPECT_DEATH(array.GetAt(1), "uIndex < m_uCount.*ArrayPtr");
    EXPECT_DEATH(array.InsertAt(2, nullptr), "uIndex <= m_uCount");
    EXPECT_DEATH(array.RemoveRange(1, 1, false), "uStart < m_uCount");
    EXPECT_DEATH(array.SetGrowBy(0), "uGrowBy < 0xff000000");
    EXPECT_DEATH(array.SetGrowBy(0xff000000), "uGrowBy > 0");
}

TEST(ArrayString, OwnsCopies)
{
    CArrayString strings;
    CMyString source("a/");
    EXPECT_EQ(strings.Add(source), 0u);
    EXPECT_EQ(strings.Add(CMyString("b/")), 1u);
    strings.Add(CMyString("c/"));
    source.SetAt(0, 'z');
    EXPECT_STREQ(strings.GetAt(0).GetText(), "a/");
    EXPECT_TRUE(strings.RemoveAt(1).IsEmpty());
    EXPECT_EQ(strings.GetCount(), 2u);
    EXPECT_STREQ(strings.GetAt(1).GetText(), "c/");
    EXPECT_DEATH(strings.GetAt(2), "uIndex < m_uCount");
}

TEST(MapPtr, SetLookupAndReplace)
{
    CMapPtr map;
    map.InitHashTable(211);
    map.SetAt(5u, Ptr(1));
    map.SetAt(5u + 211, Ptr(2)); // same bucket
    map.SetAt(5u, Ptr(3));
    EXPECT_EQ(map.GetCount(), 2u) << "replacing a value does not count";
    void* pValue = nullptr;
    EXPECT_TRUE(map.Lookup(5u, &pValue));
    EXPECT_EQ(pValue, Ptr(3));
    EXPECT_TRUE(map.Lookup(216u, &pValue));
    EXPECT_EQ(pValue, Ptr(2));
    EXPECT_TRUE(map.Lookup(216u));
    EXPECT_FALSE(map.Lookup(6u, &pValue));
    EXPECT_EQ(pValue, Ptr(2)) << "a miss leaves the out value alone";

    for (uint32_t key = 0; key < 5000; ++key) {
        map.SetAt(key * 7919u, Ptr(static_cast<int>(key) + 10));
    }
    for (uint32_t key = 0; key < 5000; ++key) {
        ASSERT_TRUE(map.Lookup(key * 7919u, &pValue));
        ASSERT_EQ(pValue, Ptr(static_cast<int>(key) + 10));
    }
}

TEST(MapPtr, StringKeysAreTheirHash)
{
    EXPECT_EQ(CMapPtr::HashKey("Ab"), 2243u);
    EXPECT_EQ(CMapPtr::HashKey("BA"), 2243u);
    EXPECT_EQ(CMapPtr::HashKey(""), 0u);
    EXPECT_EQ(CMapPtr::HashKey(nullptr), 0u);
    // 0xE9 counts as -23, not 233.
    EXPECT_EQ(CMapPtr::HashKey("\xe9"), static_cast<uint32_t>(-23));
    EXPECT_NE(CMapPtr::HashKey("a\xe9"), 97u * 33 + 233);

    CMapPtr map;
    map.InitHashTable(10);
    map.SetAt(CMyString("Ab"), Ptr(1));
    void* pValue = nullptr;
    EXPECT_TRUE(map.Lookup(CMyString("BA"), &pValue)) << "equal hashes name the same entry";
    EXPECT_EQ(pValue, Ptr(1));
}

TEST(MapPtr, RemoveAllDeletesAndAllowsReinitialising)
{
    std::vector<int> deleted;
    CMapPtr map;
    map.InitHashTable(3);
    map.SetAt(1u, static_cast<CSeed*>(new Tracked(deleted, 1)));
    map.SetAt(4u, static_cast<CSeed*>(new Tracked(deleted, 4)));
    map.RemoveAll(true);
    EXPECT_EQ(deleted.size(), 2u);
    EXPECT_EQ(map.GetCount(), 0u);
    EXPECT_FALSE(map.IsInitialised());
    map.InitHashTable(5);
    map.SetAt(1u, Ptr(9));
    EXPECT_TRUE(map.Lookup(1u));
}

TEST(MapPtr, PreconditionsStopTheProgram)
{
    CMapPtr map;
    EXPECT_DEATH(map.Lookup(1u), "m_puTable != NULL");
    EXPECT_DEATH(map.SetAt(1u, nullptr), "m_puTable != NULL");
    map.InitHashTable(10);
    EXPECT_DEATH(map.InitHashTable(10), "m_puTable == NULL");
}

} // namespace
