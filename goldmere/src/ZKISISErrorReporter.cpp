#include "ZKISISErrorReporter.h"

#include <atomic>
#include <cstdio>

#include <goldmere/ZKISISEventObserver.h>
#include <hollin/ZKCommon.h>
#include <hollin/ZKDebugLog.h>
#include <isisdefs/ZKIsisToolkit.h>

namespace
{
std::atomic<IZKISISEventObserver*> g_observer{nullptr};
std::atomic<bool> g_enabled{true};
std::atomic<int16_t> g_lastError{0};

const char* LayerText(int32_t id)
{
    switch (id)
    {
    case ZKISIS_LAYER_APPLICATION_ERROR: return "customer application out of memory ";
    case ZKISIS_LAYER_WRONG_ANSWER_TYPE: return "driver answered a tag value of the wrong type";
    case ZKISIS_LAYER_TEXT_TOO_LONG: return "driver answered a text longer than its buffer";
    case ZKISIS_LAYER_DATA_BEYOND_IMAGE: return "driver delivered more image data than the image holds";
    case ZKISIS_LAYER_IMAGE_SEQUENCE: return "driver delivered image data or an image end without an image begin";
    case ZKISIS_LAYER_DRIVER_EXCEPTION: return "driver failed unexpectedly";
    default: return "ISIS layer error";
    }
}

std::string ErrorText(int16_t id)
{
    if (id >= -9000 && id <= -8000)
        return LayerText(id);
    char text[256] = {};
    if (ZKISIS_DL_ErrorText(id, text, sizeof text) != ZKISIS_OK)
        return std::string();
    text[sizeof text - 1] = '\0';
    return text;
}
} // namespace

void CZKISISErrorReporter::SetObserver(IZKISISEventObserver* observer)
{
    g_observer.store(observer);
}

IZKISISEventObserver* CZKISISErrorReporter::GetObserver()
{
    return g_observer.load();
}

void CZKISISErrorReporter::Enable(BOOL enable)
{
    g_enabled.store(enable != FALSE);
}

WORD CZKISISErrorReporter::GetLastError()
{
    return static_cast<WORD>(g_lastError.load());
}

int16_t CZKISISErrorReporter::ErrorId(int32_t status)
{
    const uint32_t bits = static_cast<uint32_t>(status);
    return static_cast<int16_t>((bits >> 16) == 0xFFFF ? bits & 0xFFFF : bits >> 16);
}

BOOL CZKISISErrorReporter::Check(int32_t status, const char* source, int line)
{
    if (status >= 0)
        return TRUE;
    IZKISISEventObserver* observer = g_observer.load();
    if (!observer || !g_enabled.load())
        return FALSE;
    const int16_t id = ErrorId(status);
    g_lastError.store(id);
    if (id == ZKISIS_ERR_TAG_UNSUPPORTED || id == ZKISIS_ERR_DIALOG_CANCELLED)
        return FALSE;
    const std::string text = ErrorText(id);
    char line_text[512];
    std::snprintf(line_text, sizeof line_text, "Error ID:%d,Error String:%s,filename:%s,line:%d", id,
                  text.c_str(), source, line);
    SZKDebugLog::Log(std::string(line_text), 0, "ZKISIS");
    ZK_ISIS_ERROR error;
    error.Id = id;
    error.Text = SZKCommon::MBStoWCS(text);
    observer->OnISISError(&error);
    return FALSE;
}
