// The operation set every composite record offers, declared once. A record
// that needs more (or less) declares its own.
#pragma once

#include <wincompat/WinTypes.h>

class CZKScript;

#define QX_RECORD_COMMON_OPERATIONS(Type)                                                          \
    Type();                                                                                        \
    Type(const Type& other);                                                                       \
    Type& operator=(const Type& other);                                                            \
    void reset();                                                                                  \
    void set(const Type& other);                                                                   \
    int compare(const Type& other) const;                                                          \
    bool operator==(const Type& other) const { return compare(other) == 0; }                       \
    bool operator!=(const Type& other) const { return compare(other) != 0; }                       \
    BOOL check() const;                                                                            \
    void normalize()

#define QX_RECORD_OPERATIONS(Type)                                                                 \
    QX_RECORD_COMMON_OPERATIONS(Type);                                                             \
    BOOL toscript(CZKScript& script) const;                                                        \
    BOOL fromscript(CZKScript& script)
