// The sequential serialiser reading outside bytes. The first byte gives the
// number of reads, the next bytes their types, the rest is the buffer read.
// A failed read must not move the position; the values read, written back,
// must give exactly the bytes they were read from.
#include <hollin/ZKRBuffer.h>

#include "common/FuzzInput.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
enum EValueType
{
    VALUE_LONG,
    VALUE_ULONG,
    VALUE_SHORT,
    VALUE_USHORT,
    VALUE_BYTE,
    VALUE_DOUBLE,
    VALUE_STRING,
    VALUE_BUFFER,
    VALUE_TYPE_COUNT
};

struct SValue
{
    EValueType type;
    LONG number = 0;
    ULONG unsignedNumber = 0;
    SHORT shortNumber = 0;
    USHORT unsignedShort = 0;
    BYTE byte = 0;
    double real = 0.0;
    std::wstring text;
    CZKRBuffer nested;
};

bool ReadOne(CZKBuffer& in, SValue& value)
{
    switch (value.type)
    {
    case VALUE_LONG: return in.RW_R_long(value.number);
    case VALUE_ULONG: return in.RW_R_ulong(value.unsignedNumber);
    case VALUE_SHORT: return in.RW_R_short(value.shortNumber);
    case VALUE_USHORT: return in.RW_R_ushort(value.unsignedShort);
    case VALUE_BYTE: return in.RW_R_BYTE(value.byte);
    case VALUE_DOUBLE: return in.RW_R_double(value.real);
    case VALUE_STRING: return in.RW_R_string(value.text);
    default: return in.RW_R_buffer(value.nested);
    }
}

bool WriteOne(CZKBuffer& out, const SValue& value)
{
    switch (value.type)
    {
    case VALUE_LONG: return out.RW_W_long(value.number);
    case VALUE_ULONG: return out.RW_W_ulong(value.unsignedNumber);
    case VALUE_SHORT: return out.RW_W_short(value.shortNumber);
    case VALUE_USHORT: return out.RW_W_ushort(value.unsignedShort);
    case VALUE_BYTE: return out.RW_W_BYTE(value.byte);
    case VALUE_DOUBLE: return out.RW_W_double(value.real);
    case VALUE_STRING: return out.RW_W_string(value.text);
    default: return out.RW_W_buffer(value.nested);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    std::vector<EValueType> types(input.TakeByte() % 32);
    for (EValueType& type : types)
        type = static_cast<EValueType>(input.TakeByte() % VALUE_TYPE_COUNT);

    CZKRBuffer in(input.Rest(), input.RestSize());
    if (!in.RWOpenRead())
        return 0;
    std::vector<SValue> values;
    for (EValueType type : types)
    {
        SValue value;
        value.type = type;
        const size_t before = in.RWGetPosition();
        if (ReadOne(in, value))
            values.push_back(std::move(value));
        else if (in.RWGetPosition() != before)
            FuzzFail("a failed read moved the position");
    }
    const size_t consumed = in.RWGetPosition();
    in.RWClose();

    CZKRBuffer out;
    out.RWOpenWrite();
    for (const SValue& value : values)
        if (!WriteOne(out, value))
            FuzzFail("a value read cannot be written back");
    out.RWClose();
    if (out.GetSize() != consumed || (consumed && std::memcmp(out.GetPtr(), input.Rest(), consumed) != 0))
        FuzzFail("values written back differ from the bytes they were read from");
    return 0;
}
