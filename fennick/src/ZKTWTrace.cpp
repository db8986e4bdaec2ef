#include "ZKTWTrace.h"

#include "ZKTWTraceNames.h"

#include <hollin/ZKDebugLog.h>

#include <boost/format.hpp>

#include <cstdint>

namespace
{
const char* const kModule = "FENNICK";
constexpr int kCallLevel = 2;

uintptr_t Address(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }
} // namespace

void SZKTWTrace::Log(const std::string& text, int level)
{
    SZKDebugLog::Log(text, level, kModule);
}

bool SZKTWTrace::IsEnabled(int level)
{
    return SZKDebugLog::IsEnabled(level);
}

void SZKTWTrace::Call(const char* head, const WORD* rc, const void* dest, DWORD DG, WORD DAT, WORD MSG,
                      const void* data, bool lowerHex)
{
    if (!IsEnabled(kCallLevel))
        return;
    try
    {
        std::string text = head;
        if (rc)
            text += (boost::format(" RC=%s") % SZKTWTraceNames::ReturnCode(*rc)).str();
        const char* pattern = lowerHex ? " DEST=%x DG=%s DAT=%s MSG=%s DATA=%x" : " DEST=%X DG=%s DAT=%s MSG=%s DATA=%X";
        text += (boost::format(pattern) % Address(dest) % SZKTWTraceNames::Group(DG) % SZKTWTraceNames::DataType(DAT) %
                 SZKTWTraceNames::Message(MSG) % Address(data))
                    .str();
        Log(text, kCallLevel);
    }
    catch (...)
    {
        // A trace line is never worth failing the call it describes.
    }
}

void SZKTWTrace::ConditionQuery(WORD statusRc, const void* dest, DWORD DG, WORD DAT, WORD MSG, const void* data,
                                WORD cc)
{
    if (!IsEnabled(kCallLevel))
        return;
    try
    {
        Log((boost::format("Get Condition Code: RC=%s DEST=%X DG=%s DAT=%s MSG=%s DATA=%X CC=%s") %
             SZKTWTraceNames::ReturnCode(statusRc) % Address(dest) % SZKTWTraceNames::Group(DG) %
             SZKTWTraceNames::DataType(DAT) % SZKTWTraceNames::Message(MSG) % Address(data) %
             SZKTWTraceNames::Condition(cc))
                .str(),
            kCallLevel);
    }
    catch (...)
    {
    }
}
