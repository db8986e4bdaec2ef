#include "ZKISISProcessModule.h"

#include "ZKISISErrorReporter.h"

namespace
{
const char kReporterSource[] = "ZKISISManager";
}

CZKISISProcessModule::CZKISISProcessModule(CZKISISScanSession* session, IZKISISEventObserver* observer)
    : CZKISISDriver(session, observer)
{
}

CZKISISProcessModule::~CZKISISProcessModule()
{
    if (m_module)
        ZKISIS_MD_FreeModule(m_module);
}

BOOL CZKISISProcessModule::Create()
{
    if (m_module)
        return TRUE;
    ZKISIS_MODULE* module = nullptr;
    if (!ZKISIS_CHECK(ZKISIS_MD_CreateModule(&CZKISISProcessModule::_Proc, this, &module)))
        return FALSE;
    m_module = module;
    return TRUE;
}

int32_t CZKISISProcessModule::_Proc(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    if (!module || !module->userData)
        return ZKISIS_ERR_BAD_PARAMETER;
    return static_cast<CZKISISProcessModule*>(module->userData)->_Handle(module, message, param, data);
}

ZKISIS_HANDLER* CZKISISProcessModule::_StoredHandler(ZKISIS_MODULE* module)
{
    ZKISIS_VALUE value = {};
    if (ZKISIS_MD_Default(module, ZKISIS_MSG_GET_LONG, ZKISIS_TAG_HANDLER, &value) != ZKISIS_OK ||
        value.type != ZKISIS_TYPE_POINTER)
        return nullptr;
    return static_cast<ZKISIS_HANDLER*>(value.pointer);
}

int32_t CZKISISProcessModule::_Handle(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    switch (message)
    {
    case ZKISIS_MSG_INIT:
    {
        int32_t type = ZKISIS_TYPE_POINTER;
        void* none = nullptr;
        ZKISIS_MD_Default(module, ZKISIS_MSG_TAG_CREATE, ZKISIS_TAG_HANDLER, &type);
        return ZKISIS_MD_Default(module, ZKISIS_MSG_SET_POINTER, ZKISIS_TAG_HANDLER, &none);
    }
    case ZKISIS_MSG_SET_HANDLER:
        return ZKISIS_MD_Default(module, ZKISIS_MSG_SET_POINTER, ZKISIS_TAG_HANDLER, &data);
    case ZKISIS_MSG_CLEAR_HANDLER:
    {
        void* none = nullptr;
        return ZKISIS_MD_Default(module, ZKISIS_MSG_SET_POINTER, ZKISIS_TAG_HANDLER, &none);
    }
    case ZKISIS_MSG_IMAGE_DATA:
    case ZKISIS_MSG_IMAGE_BEGIN:
    case ZKISIS_MSG_IMAGE_END:
    {
        if (message == ZKISIS_MSG_IMAGE_END && m_userCallback)
            m_userCallback();
        ZKISIS_HANDLER* handler = _StoredHandler(module);
        return handler && handler->proc ? handler->proc(module, message, param, handler->context) : ZKISIS_OK;
    }
    default: return ZKISIS_MD_Default(module, message, param, data);
    }
}
