// Construction, copy and assignment of a record in the convention's way:
// defaults first (init), then set(other).
#pragma once

#define QX_RECORD_CONSTRUCTION(Type)                                                               \
    Type::Type()                                                                                   \
    {                                                                                              \
        init();                                                                                    \
    }                                                                                              \
    Type::Type(const Type& other) : Type()                                                         \
    {                                                                                              \
        set(other);                                                                                \
    }                                                                                              \
    Type& Type::operator=(const Type& other)                                                       \
    {                                                                                              \
        if (this != &other)                                                                        \
            set(other);                                                                            \
        return *this;                                                                              \
    }
