#include <wincompat/ZKMessageBox.h>

#include <memory>
#include <mutex>

namespace
{

struct SinkSlot
{
    std::mutex mutex;
    std::shared_ptr<ZKMessageBoxSink> sink;
};

SinkSlot& Slot()
{
    static SinkSlot* slot = new SinkSlot; // usable from static destructors
    return *slot;
}

} // namespace

void CZKMessageBox::SetSink(ZKMessageBoxSink sink)
{
    auto shared = sink ? std::make_shared<ZKMessageBoxSink>(std::move(sink)) : nullptr;
    std::lock_guard<std::mutex> lock(Slot().mutex);
    Slot().sink = std::move(shared);
}

int CZKMessageBox::Show(HWND, const std::wstring& text, const std::wstring& caption, int answer)
{
    std::shared_ptr<ZKMessageBoxSink> sink;
    {
        std::lock_guard<std::mutex> lock(Slot().mutex);
        sink = Slot().sink;
    }
    if (sink)
    {
        try
        {
            (*sink)(caption, text);
        }
        catch (...)
        {
            // Logging must never break the caller.
        }
    }
    return answer;
}
