// Capability requests for the simulator tests.
#pragma once

#include <cstring>

#include <twaindefs/ZKTwainDefs.h>

// Builds a capability request and frees what the source hands back.
class CTwainCapability
{
public:
    explicit CTwainCapability(TW_UINT16 id, TW_UINT16 conType = TWON_DONTCARE16, TW_HANDLE container = nullptr);
    ~CTwainCapability();
    CTwainCapability(const CTwainCapability&) = delete;
    CTwainCapability& operator=(const CTwainCapability&) = delete;

    TW_CAPABILITY* operator&() { return &m_cap; }
    TW_CAPABILITY& Get() { return m_cap; }
    template <class T>
    const T* As() const
    {
        return static_cast<const T*>(m_cap.hContainer);
    }
    // The item stored at the given byte offset of the container.
    template <class T>
    T ItemAt(size_t offset) const
    {
        T value;
        std::memcpy(&value, static_cast<const char*>(m_cap.hContainer) + offset, sizeof(T));
        return value;
    }

    static TW_HANDLE OneValue(TW_UINT16 itemType, const void* item, size_t size);
    static TW_HANDLE Array(TW_UINT16 itemType, const void* items, size_t count, size_t itemSize);

private:
    TW_CAPABILITY m_cap;
};
