// Result codes of the image device services, in the platform's shape: zero
// and positive values succeed, negative ones fail.
#pragma once

#include <wincompat/WinTypes.h>

typedef LONG ZKHRESULT;

constexpr ZKHRESULT ZK_S_OK = 0;
constexpr ZKHRESULT ZK_S_FALSE = 1;
constexpr ZKHRESULT ZK_E_FAIL = static_cast<ZKHRESULT>(0x80004005u);
constexpr ZKHRESULT ZK_E_INVALIDARG = static_cast<ZKHRESULT>(0x80070057u);
constexpr ZKHRESULT ZK_E_NOINTERFACE = static_cast<ZKHRESULT>(0x80004002u);
constexpr ZKHRESULT ZK_E_NOTFOUND = static_cast<ZKHRESULT>(0x80070490u);
constexpr ZKHRESULT ZK_E_CLASSNOTREG = static_cast<ZKHRESULT>(0x80040154u);
constexpr ZKHRESULT ZK_E_NOTIMPL = static_cast<ZKHRESULT>(0x80004001u);

inline bool ZKSucceeded(ZKHRESULT result) { return result >= 0; }
