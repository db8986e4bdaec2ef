// There is nobody to click a message box: its text goes to a sink that the
// application points at its debug log. Without a sink the text is dropped.
#pragma once

#include <wincompat/WinTypes.h>
#include <wincompat/wincompat_export.h>

#include <functional>
#include <string>

using ZKMessageBoxSink = std::function<void(const std::wstring& caption, const std::wstring& text)>;

class WINCOMPAT_EXPORT CZKMessageBox
{
public:
    static void SetSink(ZKMessageBoxSink sink);
    // Returns the given default answer (IDOK = 1 unless told otherwise).
    static int Show(HWND owner, const std::wstring& text, const std::wstring& caption,
                    int answer = 1);
};
