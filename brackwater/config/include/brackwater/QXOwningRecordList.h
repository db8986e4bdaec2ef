// An owning list of one record type with the record operations: copies are
// deep, two lists are equal when their elements are equal in order, a list
// is valid when every element is. Concrete lists add their script keys
// through _Write/_Read (the list scheme of QXRecordList.h).
#pragma once

#include <brackwater/QXRecordList.h>

#include <hollin/ZKObList.h>

template <class Element> class TQXOwningRecordList : public CZKObList
{
public:
    TQXOwningRecordList() : CZKObList(TRUE) {}
    TQXOwningRecordList(const TQXOwningRecordList& other) : CZKObList(TRUE) { set(other); }
    TQXOwningRecordList& operator=(const TQXOwningRecordList& other)
    {
        set(other);
        return *this;
    }

    // nullptr when out of range.
    Element* GetItem(int index) const { return GetAtIndexAs<Element>(index); }
    // Appends a copy.
    void Add(const Element& element) { AddTail(new Element(element)); }

    void reset() { RemoveAll(); }
    void set(const TQXOwningRecordList& other)
    {
        if (this != &other)
            CopyFrom(other);
    }
    int compare(const TQXOwningRecordList& other) const
    {
        return SQXRecordList::Compare<Element>(*this, other);
    }
    bool operator==(const TQXOwningRecordList& other) const { return compare(other) == 0; }
    bool operator!=(const TQXOwningRecordList& other) const { return compare(other) != 0; }
    BOOL check() const { return SQXRecordList::Check<Element>(*this); }

protected:
    void _NormalizeItems() { SQXRecordList::Normalize<Element>(*this); }

    template <class SectionName>
    BOOL _Write(CZKScript& script, const wchar_t* countKey, SectionName sectionOf) const
    {
        return SQXRecordList::Write<Element>(script, *this, countKey, sectionOf);
    }
    template <class SectionName>
    BOOL _Read(CZKScript& script, const wchar_t* countKey, SectionName sectionOf)
    {
        return SQXRecordList::Read<Element>(script, *this, countKey, sectionOf);
    }
};
