#include <mirelight/QXImageAddressTarnAdapter.h>

int CQXImageAddressTarnAdapter::_DoReadFromBuffer(CZKBuffer& buffer)
{
    return CQXImageAddressAdapter::_DoReadFromBuffer(buffer) ? 1 : 0;
}

int CQXImageAddressTarnAdapter::_DoWriteToBuffer(CZKBuffer& buffer)
{
    return CQXImageAddressAdapter::_DoWriteToBuffer(buffer) ? 1 : 0;
}

int CQXImageAddressTarnAdapter::_DoReadFromScript(CZKScript& script)
{
    return CQXImageAddressAdapter::_DoReadFromScript(script) ? 1 : 0;
}

int CQXImageAddressTarnAdapter::_DoWriteToScript(CZKScript& script)
{
    return CQXImageAddressAdapter::_DoWriteToScript(script) ? 1 : 0;
}
