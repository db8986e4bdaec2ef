// How lists of records persist: the count under "<List>Count" in the
// current section, element i in a section of its own, named either from the
// current section plus a suffix (".Index3") or absolutely ("File3"). The
// current section is restored afterwards, and a list that fails to read is
// left empty.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>

#include <hollin/ZKObList.h>

#include <memory>
#include <string>

// Element section = current section + suffix + index (".Index%d").
struct QXSectionBySuffix
{
    const wchar_t* suffix;
    std::wstring operator()(const std::wstring& current, int index) const
    {
        return current + suffix + std::to_wstring(index);
    }
};

// Element section = name + index ("File%d"), whatever the current section.
struct QXSectionAbsolute
{
    const wchar_t* name;
    std::wstring operator()(const std::wstring&, int index) const
    {
        return name + std::to_wstring(index);
    }
};

class SQXRecordList
{
public:
    // Two lists are equal (0) when their elements compare equal in order,
    // else -1. A missing or foreign element never compares equal.
    template <class Element> static int Compare(const CZKObList& a, const CZKObList& b)
    {
        if (a.GetCount() != b.GetCount())
            return -1;
        for (int i = 0; i < a.GetCount(); ++i)
        {
            const Element* mine = a.GetAtIndexAs<Element>(i);
            const Element* theirs = b.GetAtIndexAs<Element>(i);
            if (!mine || !theirs || mine->compare(*theirs) != 0)
                return -1;
        }
        return 0;
    }

    // True when any element answers true to predicate.
    template <class Element, class Predicate>
    static BOOL Any(const CZKObList& list, Predicate predicate)
    {
        for (int i = 0; i < list.GetCount(); ++i)
        {
            const Element* element = list.GetAtIndexAs<Element>(i);
            if (element && predicate(*element))
                return TRUE;
        }
        return FALSE;
    }

    // A list is valid when every element is there and valid.
    template <class Element> static BOOL Check(const CZKObList& list)
    {
        for (int i = 0; i < list.GetCount(); ++i)
        {
            const Element* element = list.GetAtIndexAs<Element>(i);
            if (!element || !element->check())
                return FALSE;
        }
        return TRUE;
    }

    template <class Element> static void Normalize(CZKObList& list)
    {
        for (int i = 0; i < list.GetCount(); ++i)
        {
            if (Element* element = list.GetAtIndexAs<Element>(i))
                element->normalize();
        }
    }

    // Element must derive from CZKObject and offer toscript(CZKScript&).
    template <class Element, class SectionName>
    static BOOL Write(CZKScript& script, const CZKObList& list, const wchar_t* countKey,
                      SectionName sectionOf)
    {
        CQXScriptSectionGuard guard(script);
        if (!SQXRecordScript::WriteInt(script, countKey, list.GetCount()))
            return FALSE;
        for (int i = 0; i < list.GetCount(); ++i)
        {
            const Element* element = dynamic_cast<const Element*>(list.GetAtIndex(i));
            guard.Enter(sectionOf(guard.Saved(), i));
            if (!element || !element->toscript(script))
                return FALSE;
        }
        return TRUE;
    }

    // Element must derive from CZKObject, be default-constructible and offer
    // fromscript(CZKScript&).
    template <class Element, class SectionName>
    static BOOL Read(CZKScript& script, CZKObList& list, const wchar_t* countKey,
                     SectionName sectionOf)
    {
        list.RemoveAll();
        CQXScriptSectionGuard guard(script);
        int count = 0;
        if (!SQXRecordScript::ReadInt(script, countKey, count) || count < 0)
            return FALSE;
        for (int i = 0; i < count; ++i)
        {
            guard.Enter(sectionOf(guard.Saved(), i));
            std::unique_ptr<Element> element(new Element());
            if (!element->fromscript(script) || !list.AddTail(element.get()))
            {
                list.RemoveAll();
                return FALSE;
            }
            element.release();
        }
        return TRUE;
    }
};
