#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>

#include "QXText.h"

QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE()
{
    init();
}

QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE(
    const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other)
{
    init();
    set(other);
}

QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&
QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::operator=(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other)
{
    set(other);
    return *this;
}

void QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::init() {}

void QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::reset()
{
    strScannerName.clear();
    imageAddressFormat.reset();
    globalData.Empty();
    settingsBlock.Empty();
    init();
}

void QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::set(const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other)
{
    if (this == &other)
        return;
    strScannerName = other.strScannerName;
    imageAddressFormat.set(other.imageAddressFormat);
    globalData.CopyFrom(other.globalData);
    settingsBlock.CopyFrom(other.settingsBlock);
}

int QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::compare(
    const QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& other) const
{
    const bool same = SQXText::EqualNoCase(strScannerName, other.strScannerName) &&
                      imageAddressFormat.compare(other.imageAddressFormat) == 0 &&
                      globalData.Compare(other.globalData) == 0 &&
                      settingsBlock.Compare(other.settingsBlock) == 0;
    return same ? 0 : -1;
}

BOOL QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::check() const
{
    return (!strScannerName.empty() && imageAddressFormat.check()) ? TRUE : FALSE;
}

void QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::normalize()
{
    if (!check())
        reset();
}

BOOL QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::toBuffer(CZKBuffer& buffer) const
{
    buffer.Empty();
    BYTE format[QX_IMAGEADDRESS_FORMAT::RAW_SIZE];
    imageAddressFormat.ToBytes(format);
    const bool ok = buffer.RWOpenWrite() && buffer.RW_W_string(strScannerName) &&
                    buffer.RWWrite(format, sizeof(format)) && buffer.RW_W_buffer(globalData) &&
                    buffer.RW_W_buffer(settingsBlock);
    buffer.RWClose();
    return ok ? TRUE : FALSE;
}

BOOL QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE::fromBuffer(const CZKBuffer& buffer)
{
    if (buffer.IsEmpty())
        return TRUE;
    // Read through a copy: the caller's buffer stays untouched, serialiser
    // position included.
    CZKRBuffer reader(buffer);
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE loaded;
    BYTE format[QX_IMAGEADDRESS_FORMAT::RAW_SIZE];
    const bool ok = reader.RWOpenRead() && reader.RW_R_string(loaded.strScannerName) &&
                    reader.RWRead(format, sizeof(format)) &&
                    reader.RW_R_buffer(loaded.globalData) &&
                    reader.RW_R_buffer(loaded.settingsBlock);
    reader.RWClose();
    if (!ok)
    {
        reset();
        return FALSE;
    }
    loaded.imageAddressFormat.FromBytes(format);
    set(loaded);
    return TRUE;
}
