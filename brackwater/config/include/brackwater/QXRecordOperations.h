// The operation sets of composite records, declared once. A record that
// needs more (or less) declares its own.
#pragma once

#include <wincompat/WinTypes.h>

class CZKScript;

// Construction, copy, reset, set and comparison.
#define QX_RECORD_VALUE_OPERATIONS(Type)                                                           \
    Type();                                                                                        \
    Type(const Type& other);                                                                       \
    Type& operator=(const Type& other);                                                            \
    void reset();                                                                                  \
    void set(const Type& other);                                                                   \
    int compare(const Type& other) const;                                                          \
    bool operator==(const Type& other) const                                                       \
    {                                                                                              \
        return compare(other) == 0;                                                                \
    }                                                                                              \
    bool operator!=(const Type& other) const                                                       \
    {                                                                                              \
        return compare(other) != 0;                                                                \
    }

// The above with the script operations, for records without validation.
#define QX_RECORD_BASIC_OPERATIONS(Type)                                                           \
    QX_RECORD_VALUE_OPERATIONS(Type)                                                               \
    BOOL toscript(CZKScript& script) const;                                                        \
    BOOL fromscript(CZKScript& script)

// The full set: values, validation and script operations.
#define QX_RECORD_OPERATIONS(Type)                                                                 \
    QX_RECORD_BASIC_OPERATIONS(Type);                                                              \
    BOOL check() const;                                                                            \
    void normalize()
