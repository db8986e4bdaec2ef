// A record that is a list of dynamically creatable records (output files,
// output systems). Holds the list and its deep copy, comparison, checks and
// persistence; the concrete list names its count key and element sections.
#pragma once

#include <brackwater/QXRecordList.h>

#include <hollin/ZKObList.h>

template <class Element> struct TQXObRecordList
{
    CZKObList list;

    TQXObRecordList() = default;
    TQXObRecordList(const TQXObRecordList& other) { set(other); }
    TQXObRecordList& operator=(const TQXObRecordList& other)
    {
        if (this != &other)
            set(other);
        return *this;
    }

    int GetCount() const { return list.GetCount(); }
    Element* GetAt(int index) const { return list.GetAtIndexAs<Element>(index); }
    // Takes ownership of element.
    BOOL Add(Element* element) { return list.AddTail(element) != nullptr ? TRUE : FALSE; }

    void reset() { list.RemoveAll(); }
    void set(const TQXObRecordList& other)
    {
        if (!list.CopyFrom(other.list))
            list.RemoveAll();
    }
    int compare(const TQXObRecordList& other) const
    {
        return SQXRecordList::Compare<Element>(list, other.list);
    }
    bool operator==(const TQXObRecordList& other) const { return compare(other) == 0; }
    bool operator!=(const TQXObRecordList& other) const { return compare(other) != 0; }
    BOOL check() const { return SQXRecordList::Check<Element>(list); }
    void normalize() { SQXRecordList::Normalize<Element>(list); }

protected:
    template <class SectionName>
    BOOL writeList(CZKScript& script, const wchar_t* countKey, SectionName sectionOf) const
    {
        return SQXRecordList::Write<Element>(script, list, countKey, sectionOf);
    }
    template <class SectionName>
    BOOL readList(CZKScript& script, const wchar_t* countKey, SectionName sectionOf)
    {
        return SQXRecordList::Read<Element>(script, list, countKey, sectionOf);
    }
    // True when any element answers true to isEnabled.
    template <class Predicate> BOOL anyElement(Predicate isEnabled) const
    {
        return SQXRecordList::Any<Element>(list, isEnabled);
    }
};
