// A platform service object the image device manager holds from its first
// successful creation until it is destroyed, then released.
#pragma once

#include <hollin/ZKDebugLog.h>
#include <imagedevicesim/ZKServiceResult.h>

template <class SERVICE> class CQXServiceObject
{
public:
    CQXServiceObject() = default;
    CQXServiceObject(const CQXServiceObject&) = delete;
    CQXServiceObject& operator=(const CQXServiceObject&) = delete;
    ~CQXServiceObject()
    {
        if (m_service)
            m_service->Release();
    }

    // create(SERVICE**) asks the platform for the object, once; a refusal is
    // logged with unavailableText and gives 0.
    template <class CREATE> int Create(CREATE create, const char* unavailableText)
    {
        if (m_service)
            return 1;
        SERVICE* created = nullptr;
        if (!ZKSucceeded(create(&created)) || !created)
        {
            SZKDebugLog::Log(unavailableText, 0, "MIRELIGHT");
            return 0;
        }
        m_service = created;
        return 1;
    }

    SERVICE* operator->() const { return m_service; }

private:
    SERVICE* m_service = nullptr;
};
