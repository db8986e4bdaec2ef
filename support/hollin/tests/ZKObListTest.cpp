#include <hollin/ZKDict.h>
#include <hollin/ZKObList.h>
#include <hollin/ZKObStringItemList.h>
#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

// Counts live instances so ownership mistakes show up as leaks or double
// deletes (the sanitizer builds catch the latter).
class CountedItem : public CZKObject
{
public:
    explicit CountedItem(int value) : m_value(value) { ++s_live; }
    CountedItem(const CountedItem& other) : CZKObject(other), m_value(other.m_value) { ++s_live; }
    ~CountedItem() override { --s_live; }
    CZKObject* Clone() const override { return new (std::nothrow) CountedItem(*this); }
    int Value() const { return m_value; }
    static int s_live;

private:
    int m_value;
};
int CountedItem::s_live = 0;

class NotCloneable : public CZKObject
{
};

std::vector<int> Values(const CZKObList& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        values.push_back(static_cast<CountedItem*>(list.GetNext(pos))->Value());
    return values;
}

} // namespace

TEST(ZKObListTest, PositionsInsertAndRemove)
{
    {
        CZKObList list;
        POSITION two = list.AddTail(new CountedItem(2));
        list.AddHead(new CountedItem(1));
        list.AddTail(new CountedItem(4));
        list.InsertAfter(two, new CountedItem(3));
        list.InsertBefore(list.GetHeadPosition(), new CountedItem(0));
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), Values(list));
        EXPECT_EQ(nullptr, list.AddTail(nullptr));
        EXPECT_EQ(5, list.GetCount());

        std::vector<int> backwards;
        for (POSITION pos = list.GetTailPosition(); pos;)
            backwards.push_back(static_cast<CountedItem*>(list.GetPrev(pos))->Value());
        EXPECT_EQ((std::vector<int>{4, 3, 2, 1, 0}), backwards);

        EXPECT_EQ(3, list.GetAtIndexAs<CountedItem>(3)->Value());
        EXPECT_EQ(nullptr, list.GetAtIndex(5));
        EXPECT_EQ(nullptr, list.GetAtIndex(-1));
        EXPECT_EQ(2, static_cast<CountedItem*>(list.GetAt(two))->Value());

        list.RemoveAt(two);
        EXPECT_TRUE(list.Remove(list.GetHead()));
        EXPECT_TRUE(list.RemoveAtIndex(2));
        EXPECT_FALSE(list.RemoveAtIndex(2));
        EXPECT_EQ((std::vector<int>{1, 3}), Values(list));
        EXPECT_EQ(2, CountedItem::s_live) << "an owning list deletes what it removes";

        CZKObject* detached = list.Detach(list.GetTailPosition());
        EXPECT_EQ(2, CountedItem::s_live);
        delete detached;
        EXPECT_EQ(1, list.IndexOf(list.GetTail()) + 1);
    }
    EXPECT_EQ(0, CountedItem::s_live) << "the list deletes the rest when destroyed";
}

TEST(ZKObListTest, BorrowingListsAndCopies)
{
    CountedItem a(1), b(2);
    {
        CZKObList borrowed;
        borrowed.SetOwnership(FALSE);
        borrowed.AddTail(&a);
        borrowed.AddTail(&b);
        EXPECT_TRUE(borrowed.Remove(&a));
        borrowed.RemoveAll();
        EXPECT_EQ(2, CountedItem::s_live);

        borrowed.AddTail(&a);
        borrowed.AddTail(&b);
        CZKObList copy(FALSE);
        ASSERT_TRUE(copy.CopyFrom(borrowed));
        EXPECT_TRUE(copy.GetOwnership()) << "clones belong to the copy";
        EXPECT_EQ((std::vector<int>{1, 2}), Values(copy));
        EXPECT_NE(&a, copy.GetHead());
        EXPECT_EQ(4, CountedItem::s_live);

        NotCloneable odd;
        borrowed.AddTail(&odd);
        EXPECT_FALSE(copy.CopyFrom(borrowed));
        EXPECT_EQ(0, copy.GetCount()) << "a failed copy leaves nothing half-copied";
        EXPECT_EQ(2, CountedItem::s_live);
    }
    EXPECT_EQ(2, CountedItem::s_live);
}

TEST(ZKObListTest, NamedItemsAreFoundWithOrWithoutCase)
{
    CZKScriptItemList list;
    list.AddItem(L"Alpha", L"1");
    list.AddItem(L"\u00c9t\u00e9", L"2");
    list.AddTail(new CountedItem(0)); // not a named item: skipped
    list.AddItem(L"alpha", L"3");
    EXPECT_EQ(L"1", static_cast<CZKScriptItem*>(list.Find(L"Alpha", 0))->GetValue());
    EXPECT_EQ(L"3", static_cast<CZKScriptItem*>(list.Find(L"alpha", 0))->GetValue());
    EXPECT_EQ(L"1", static_cast<CZKScriptItem*>(list.Find(L"ALPHA", 1))->GetValue());
    EXPECT_EQ(nullptr, list.Find(L"ALPHA", 0));
    EXPECT_EQ(nullptr, list.Find(L"\u00e9t\u00e9", 1)) << "only ASCII letters fold";
    EXPECT_EQ(3, list.FindIndex(L"alpha", 0));

    CZKScriptItemList copy;
    ASSERT_TRUE(copy.CopyFrom(list));
    ASSERT_NE(nullptr, copy.GetItem(1));
    EXPECT_EQ(L"2", copy.GetItem(1)->GetValue());
}

TEST(ZKObListTest, StringList)
{
    CZKStringList list;
    list.AddTail(L"b");
    list.AddHead(L"a");
    EXPECT_TRUE(list.InsertAt(2, L"C"));
    EXPECT_FALSE(list.InsertAt(4, L"x"));
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(L"C", list.GetAt(2));
    EXPECT_EQ(L"", list.GetAt(3));
    std::wstring text = L"keep";
    EXPECT_FALSE(list.GetAt(-1, text));
    EXPECT_EQ(L"keep", text);
    EXPECT_EQ(-1, list.Find(L"c"));
    EXPECT_EQ(2, list.Find(L"c", 1));
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.SetAt(2, L"x"));
    CZKStringList copy = list;
    EXPECT_TRUE(copy == list);
    copy.SetAt(0, L"z");
    EXPECT_TRUE(copy != list);
}

TEST(ZKObListTest, Dictionary)
{
    CZKDict dict;
    dict.SetKeyValue(L"Name", L"1");
    dict.SetKeyValue(L"name", L"2");
    EXPECT_EQ(2, dict.GetCount()) << "case-sensitive by default";
    EXPECT_FALSE(dict.SetCaseSensitive(FALSE)) << "would merge two keys";
    EXPECT_TRUE(dict.IsCaseSensitive());
    EXPECT_TRUE(dict.RemoveKey(L"name"));
    EXPECT_FALSE(dict.RemoveKey(L"name"));
    ASSERT_TRUE(dict.SetCaseSensitive(FALSE));

    dict.SetKeyValue(L"NAME", L"3");
    dict.SetKeyValue(L"Other", L"4");
    EXPECT_EQ(2, dict.GetCount());
    std::wstring value;
    EXPECT_TRUE(dict.Lookup(L"nAmE", value));
    EXPECT_EQ(L"3", value);
    std::wstring key;
    EXPECT_TRUE(dict.GetAt(0, key, value));
    EXPECT_EQ(L"Name", key) << "the first spelling is kept";
    EXPECT_FALSE(dict.GetAt(2, key, value));
    value = L"keep";
    EXPECT_FALSE(dict.GetKeyValue(L"absent", value));
    EXPECT_EQ(L"keep", value);

    CZKDict copy;
    copy.CopyFrom(dict);
    EXPECT_TRUE(copy == dict);
    copy.SetKeyValue(L"other", L"5");
    EXPECT_TRUE(copy != dict);
}
