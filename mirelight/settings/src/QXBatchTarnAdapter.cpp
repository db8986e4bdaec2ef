#include <mirelight/QXBatchTarnAdapter.h>

int CQXBatchTarnAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    return CQXBatchAdapter::_DoReadFromBuffer(buffer) ? 1 : 0;
}

int CQXBatchTarnAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return CQXBatchAdapter::_DoWriteToBuffer(buffer) ? 1 : 0;
}

int CQXBatchTarnAdapter::_DoReadFromScript(CZKScript& script)
{
    return CQXBatchAdapter::_DoReadFromScript(script) ? 1 : 0;
}

int CQXBatchTarnAdapter::_DoWriteToScript(CZKScript& script)
{
    return CQXBatchAdapter::_DoWriteToScript(script) ? 1 : 0;
}
