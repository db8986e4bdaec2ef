// One-field configuration records (byte enumerations, resolutions,
// identifiers, dot counts). Each concrete type derives from TQXValueRecord
// with itself as tag, so two types with the same rule never mix.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <wincompat/WinTypes.h>

#include <cstdint>
#include <type_traits>

// Valid when Lo <= value <= Hi; invalid values normalize to Norm.
template <typename T, T Lo, T Hi, T Init, T Norm> struct QXSpanRule
{
    typedef T value_type;
    static constexpr T initial = Init;
    static bool valid(T v) { return v >= Lo && v <= Hi; }
    static T normalized(T) { return Norm; }
};

// Valid when value is one of Values; invalid values normalize to Norm.
template <typename T, T Init, T Norm, T... Values> struct QXSetRule
{
    typedef T value_type;
    static constexpr T initial = Init;
    static bool valid(T v)
    {
        bool found = false;
        ((found = found || v == Values), ...);
        return found;
    }
    static T normalized(T) { return Norm; }
};

// Every value is valid; normalize leaves it alone.
template <typename T, T Init> struct QXAnyRule
{
    typedef T value_type;
    static constexpr T initial = Init;
    static bool valid(T) { return true; }
    static T normalized(T v) { return v; }
};

template <typename Tag, typename Rule> struct TQXValueRecord
{
    typedef typename Rule::value_type value_type;
    static_assert(std::is_integral<value_type>::value && sizeof(value_type) <= 4,
                  "value records hold an integer of at most 32 bits");

    value_type value;

    TQXValueRecord() { init(); }
    explicit TQXValueRecord(value_type v) : value(v) {}
    TQXValueRecord(const TQXValueRecord& other)
    {
        init();
        set(other);
    }
    TQXValueRecord& operator=(const TQXValueRecord& other)
    {
        set(other);
        return *this;
    }

    void reset() { init(); }
    void set(const TQXValueRecord& other) { value = other.value; }

    // Bytes compare unsigned (a stored -1 is the byte 255); wider values by
    // their own signedness.
    int compare(const TQXValueRecord& other) const
    {
        const auto a = compareKey(value);
        const auto b = compareKey(other.value);
        return a > b ? 1 : (a < b ? -1 : 0);
    }
    bool operator==(const TQXValueRecord& other) const { return compare(other) == 0; }
    bool operator!=(const TQXValueRecord& other) const { return compare(other) != 0; }

    BOOL check() const { return Rule::valid(value) ? TRUE : FALSE; }
    void normalize()
    {
        if (!check())
            value = Rule::normalized(value);
    }

    BOOL toscript(CZKScript& script, const wchar_t* key) const
    {
        return SQXRecordScript::WriteInt(script, key, static_cast<int>(scriptValue(value)));
    }

    // Keeps only as many low bits as the field holds; a failed read leaves
    // the default.
    BOOL fromscript(CZKScript& script, const wchar_t* key)
    {
        int stored = 0;
        if (!SQXRecordScript::ReadInt(script, key, stored))
        {
            reset();
            return FALSE;
        }
        typedef typename std::make_unsigned<value_type>::type bits_type;
        value = static_cast<value_type>(static_cast<bits_type>(static_cast<uint32_t>(stored)));
        return TRUE;
    }

protected:
    void init() { value = Rule::initial; }

private:
    static auto compareKey(value_type v)
    {
        if constexpr (sizeof(value_type) == 1)
            return static_cast<uint8_t>(v);
        else
            return v;
    }
    // Narrow values go to the script unsigned, wider ones as they are.
    static auto scriptValue(value_type v)
    {
        if constexpr (sizeof(value_type) < 4)
            return static_cast<typename std::make_unsigned<value_type>::type>(v);
        else
            return v;
    }
};

// Declares a value record type named Name with the given rule.
#define QX_DECLARE_VALUE_RECORD(Name, ...)                                                         \
    struct Name : TQXValueRecord<Name, __VA_ARGS__>                                                \
    {                                                                                              \
        using TQXValueRecord<Name, __VA_ARGS__>::TQXValueRecord;                                   \
    }
