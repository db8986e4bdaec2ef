// The layer's own processing module behind the page module. It keeps a
// handler in its private tag 1792 and hands it the image messages; every
// other message gets the toolkit's default handling.
#pragma once

#include <functional>

#include "ZKISISDriver.h"

class CZKISISProcessModule : public CZKISISDriver
{
public:
    CZKISISProcessModule(CZKISISScanSession* session, IZKISISEventObserver* observer);
    ~CZKISISProcessModule() override;

    BOOL Create();
    // Called with each image end that passes the module.
    void SetUserCallback(std::function<void()> callback) { m_userCallback = std::move(callback); }

private:
    static int32_t _Proc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
    int32_t _Handle(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
    ZKISIS_HANDLER* _StoredHandler(ZKISIS_MODULE* module);

    std::function<void()> m_userCallback;
};
