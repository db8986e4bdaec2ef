// Script text as it comes from files and settings buffers. Whatever loads
// must save to text that loads back to the same text, and every typed read
// of every item must come back without harm.
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>

#include "common/FuzzInput.h"

#include <cstdint>
#include <string>

namespace
{
void ReadEveryItemTyped(const CZKScript& script, const std::wstring& section)
{
    CZKScriptItemList items;
    if (!script.GetSectionItems(section.c_str(), items))
        return;
    for (int i = 0; i < items.GetCount(); ++i)
    {
        const wchar_t* key = items.GetItem(i)->GetKey().c_str();
        int number = 0;
        BOOL flag = FALSE;
        double real = 0.0;
        int64_t wide = 0;
        int four[4] = {};
        std::wstring text;
        script.R_int(key, number, 0, section.c_str());
        script.R_BOOL(key, flag, 0, section.c_str());
        script.R_double(key, real, 0, section.c_str());
        script.R_int64(key, wide, 0, section.c_str());
        script.R_int4(key, four, 0, section.c_str());
        script.GetKeyValue(key, text, 0, section.c_str());
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CZKScript script;
    if (!script.LoadFromText(text))
        return 0;

    CZKStringList sections;
    script.GetSectionNames(sections);
    for (int i = 0; i < sections.GetCount(); ++i)
        ReadEveryItemTyped(script, sections.GetAt(i));

    const std::string saved = script.SaveToText();
    CZKScript reloaded;
    if (!reloaded.LoadFromText(saved))
        FuzzFail("a saved script does not load");
    if (reloaded.SaveToText() != saved)
        FuzzFail("a script changes on a save/load round trip");
    return 0;
}
