// toscript/fromscript of a composite record from one field list: a generic
// lambda (record, io) naming every field with its key, in order, run with a
// writer or a reader.
#pragma once

#include "QXFieldReader.h"
#include "QXFieldWriter.h"

class SQXRecordFields
{
public:
    template <class Record, class Fields>
    static BOOL Write(const Record& record, CZKScript& script, Fields fields)
    {
        CQXFieldWriter writer(script);
        fields(record, writer);
        return writer.Ok() ? TRUE : FALSE;
    }

    // A failed read leaves the record at its defaults, never half-read.
    template <class Record, class Fields>
    static BOOL Read(Record& record, CZKScript& script, Fields fields)
    {
        CQXFieldReader reader(script);
        fields(record, reader);
        if (reader.Ok())
            return TRUE;
        record.reset();
        return FALSE;
    }
};

// True inside a field list run by the reader (for legacy values).
#define QX_READING(io) (std::decay_t<decltype(io)>::kReading)
