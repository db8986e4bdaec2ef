#include <mirelight/QXPatchTarnAdapter.h>

int CQXPatchTarnAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    return CQXPatchAdapter::_DoReadFromBuffer(buffer) ? 1 : 0;
}

int CQXPatchTarnAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return CQXPatchAdapter::_DoWriteToBuffer(buffer) ? 1 : 0;
}

int CQXPatchTarnAdapter::_DoReadFromScript(CZKScript& script)
{
    return CQXPatchAdapter::_DoReadFromScript(script) ? 1 : 0;
}

int CQXPatchTarnAdapter::_DoWriteToScript(CZKScript& script)
{
    return CQXPatchAdapter::_DoWriteToScript(script) ? 1 : 0;
}
