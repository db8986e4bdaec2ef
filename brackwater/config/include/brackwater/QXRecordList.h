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
