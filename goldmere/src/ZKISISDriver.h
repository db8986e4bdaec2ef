// One module of the ISIS chain as the layer holds it: the toolkit's module
// record, guarded message sending, and the tag operations, each checking
// the answer against what was asked before using it.
#pragma once

#include <string>

#include <goldmere/ZKISISTypes.h>
#include <isisdefs/ZKIsisToolkit.h>

class IZKISISEventObserver;
class CZKISISScanSession;

class CZKISISDriver
{
public:
    CZKISISDriver(CZKISISScanSession* session, IZKISISEventObserver* observer);
    virtual ~CZKISISDriver() = default;
    CZKISISDriver(const CZKISISDriver&) = delete;
    CZKISISDriver& operator=(const CZKISISDriver&) = delete;

    ZKISIS_MODULE* Module() const { return m_module; }
    bool HasModule() const { return m_module != nullptr; }
    void SetObserver(IZKISISEventObserver* observer) { m_observer = observer; }

    // The module's answer; an exception thrown by it is a failure
    // (ZKISIS_LAYER_DRIVER_EXCEPTION) that is not reported.
    int32_t Send(uint32_t message, uint32_t param, void* data);

    BOOL TagCreate(WORD tag, int32_t type);
    BOOL GetLong(long& value, WORD tag, WORD index = 0);
    BOOL GetFloat(float& value, WORD tag, WORD index = 0);
    BOOL GetText(std::wstring& value, WORD tag, WORD index = 0);
    long ValueLength(WORD tag, WORD index = 0);
    BOOL SetText(const std::wstring& value, WORD tag, WORD index = 0);
    BOOL SetLong(long value, WORD tag, WORD index = 0);
    BOOL SetFloat(float value, WORD tag, WORD index = 0);
    BOOL Supported(WORD tag);
    long ChoiceCount(WORD tag);
    BOOL ChoiceLong(long& value, WORD tag, WORD index);
    BOOL ChoiceFloat(float& value, WORD tag, WORD index);
    BOOL ChoiceText(std::wstring& value, WORD tag, WORD index);
    BOOL Type(DWORD& type, WORD tag);
    long ValueType(WORD tag);
    BOOL RangeGet(long& minimum, long& maximum, long& step, WORD tag);
    BOOL SendPlain(uint32_t message);
    // value is one of the tag's choices.
    BOOL IsChoice(WORD tag, long value);

protected:
    static uint32_t Param(WORD tag, WORD index) { return (static_cast<uint32_t>(index) << 16) | tag; }

    ZKISIS_MODULE* m_module = nullptr;
    CZKISISScanSession* m_session;
    IZKISISEventObserver* m_observer;

private:
    BOOL _Number(uint32_t message, ZKISIS_VALUE& value, WORD tag, WORD index);
    // A number answer as a whole number or as a float, whichever form the driver chose.
    BOOL _Long(uint32_t message, long& value, WORD tag, WORD index);
    BOOL _Float(uint32_t message, float& value, WORD tag, WORD index);
    BOOL _Text(uint32_t lengthMessage, uint32_t textMessage, std::wstring& value, WORD tag, WORD index);
};
