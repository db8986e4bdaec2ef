// The scanner configuration file of QX_SCNCFG_CONFIGDATA_TYPE: the record's
// fields in a fixed order, the cameras' extended parts last so that files
// written before those parts existed still load.
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>

#include <hollin/ZKException.h>

#include "QXFiles.h"
#include "QXSCNCFGDataFile.h"

namespace
{
void WriteBasics(CZKRWHelper& out, const QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    out._RW_W_string(config.strScannerName);
    out._RW_W_BYTE(config.configMode.value);
    out._RW_W_buffer(config.driverData);
    out._RW_W_string(config.strProfileID);
    out._RW_W_string(config.strProfileName);
    out._RW_W_long(config.bCameraInfo);
    for (const QX_CAMERAINFO_TYPE& camera : config.cameras)
    {
        out._RW_W_long(camera.bAvailable);
        out._RW_W_long(camera.bEnabled);
        out._RW_W_long(camera.bGrayScale);
        out._RW_W_WORD(camera.XResolution);
        out._RW_W_WORD(camera.YResolution);
    }
}

void ReadBasics(CZKRWHelper& in, QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    in._RW_R_string(config.strScannerName);
    in._RW_R_BYTE(config.configMode.value);
    in._RW_R_buffer(config.driverData);
    in._RW_R_string(config.strProfileID);
    in._RW_R_string(config.strProfileName);
    in._RW_R_long(config.bCameraInfo);
    for (QX_CAMERAINFO_TYPE& camera : config.cameras)
    {
        in._RW_R_long(camera.bAvailable);
        in._RW_R_long(camera.bEnabled);
        in._RW_R_long(camera.bGrayScale);
        in._RW_R_WORD(camera.XResolution);
        in._RW_R_WORD(camera.YResolution);
    }
}

void WriteExtended(CZKRWHelper& out, const QX_CAMERAINFO_EX& ex)
{
    out._RW_W_long(ex.bSupportiThresholding);
    out._RW_W_string(ex.strCurrentThresholdingMode);
    out._RW_W_long(ex.nThreshold);
    out._RW_W_long(ex.nContrast);
}

void ReadExtended(CZKRWHelper& in, QX_CAMERAINFO_EX& ex)
{
    in._RW_R_long(ex.bSupportiThresholding);
    in._RW_R_string(ex.strCurrentThresholdingMode);
    in._RW_R_long(ex.nThreshold);
    in._RW_R_long(ex.nContrast);
}

// The extended parts are optional in the file. Each is staged whole before
// it is appended, and the first one that cannot be written ends the
// sequence, so a reader never meets half a part or a part in the wrong slot.
void WriteExtendedParts(CZKRWHelper& out, const QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    for (const QX_CAMERAINFO_TYPE& camera : config.cameras)
    {
        CZKRBuffer staged;
        try
        {
            staged.RWOpenWrite();
            WriteExtended(staged, camera.ex);
            staged.RWClose();
        }
        catch (const CZKException&)
        {
            return;
        }
        if (!out.RWWrite(staged.GetPtr(), staged.GetSize()))
            return;
    }
}

// A part that cannot be read (an older file ends after the basics) stays
// marked as never filled, and so do all after it.
void ReadExtendedParts(CZKRWHelper& in, QX_SCNCFG_CONFIGDATA_TYPE& config)
{
    bool readable = true;
    for (QX_CAMERAINFO_TYPE& camera : config.cameras)
    {
        QX_CAMERAINFO_EX ex;
        ex.strCurrentThresholdingMode = QX_CAMERAINFO_EX::NOT_FILLED;
        if (readable)
        {
            try
            {
                ReadExtended(in, ex);
            }
            catch (const CZKException&)
            {
                readable = false;
                ex.reset();
                ex.strCurrentThresholdingMode = QX_CAMERAINFO_EX::NOT_FILLED;
            }
        }
        camera.ex.set(ex);
    }
}
} // namespace

BOOL QX_SCNCFG_CONFIGDATA_TYPE::tofile(const std::wstring& path)
{
    __CQXSCNCFGDataFile file;
    if (!file.Create(path, __CQXSCNCFGDataFile::CREATE_MODE))
        return FALSE;
    try
    {
        WriteBasics(file, *this);
        WriteExtendedParts(file, *this);
        if (!file.Close())
            CZKException::Throw();
    }
    catch (...)
    {
        CZKException::Catch(CZKException(), "QX_SCNCFG_CONFIGDATA_TYPE::tofile");
        file.Close();
        SQXFiles::Delete(path);
        return FALSE;
    }
    normalize();
    return TRUE;
}

BOOL QX_SCNCFG_CONFIGDATA_TYPE::fromfile(const std::wstring& path)
{
    __CQXSCNCFGDataFile file;
    QX_SCNCFG_CONFIGDATA_TYPE loaded;
    try
    {
        if (!file.Open(path, __CQXSCNCFGDataFile::OPEN_MODE))
            CZKException::Throw();
        ReadBasics(file, loaded);
    }
    catch (...)
    {
        CZKException::Catch(CZKException(), "QX_SCNCFG_CONFIGDATA_TYPE::fromfile");
        file.Close();
        reset();
        return FALSE;
    }
    ReadExtendedParts(file, loaded);
    file.Close();
    set(loaded);
    return TRUE;
}
