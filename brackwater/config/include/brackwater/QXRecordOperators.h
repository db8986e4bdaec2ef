// The copy and comparison operators every composite record shares: a copy
// starts from the defaults and is then set from the original, and equality
// means compare() == 0. Each record still writes its own init, set and
// compare; this only spares repeating the forwarding members.
#pragma once

#define QX_RECORD_OPERATORS(Type)                                                                  \
    Type(const Type& other)                                                                        \
    {                                                                                              \
        init();                                                                                    \
        set(other);                                                                                \
    }                                                                                              \
    QX_RECORD_ASSIGN_AND_EQUALITY(Type)

// The same for a record that extends a class: the base part starts out
// default constructed and set() copies it.
#define QX_DERIVED_RECORD_OPERATORS(Type, Base)                                                    \
    Type(const Type& other) : Base()                                                               \
    {                                                                                              \
        init();                                                                                    \
        set(other);                                                                                \
    }                                                                                              \
    QX_RECORD_ASSIGN_AND_EQUALITY(Type)

#define QX_RECORD_ASSIGN_AND_EQUALITY(Type)                                                        \
    Type& operator=(const Type& other)                                                             \
    {                                                                                              \
        set(other);                                                                                \
        return *this;                                                                              \
    }                                                                                              \
    bool operator==(const Type& other) const { return compare(other) == 0; }                       \
    bool operator!=(const Type& other) const { return compare(other) != 0; }

// Records kept in object lists can be cloned into a new list.
#define QX_RECORD_CLONE(Type)                                                                      \
    CZKObject* Clone() const override { return new Type(*this); }
