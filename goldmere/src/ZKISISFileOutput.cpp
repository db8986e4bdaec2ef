#include "ZKISISFileOutput.h"

#include <goldmere/ZKISISEventObserver.h>

#include "ZKISISErrorReporter.h"
#include "ZKISISScanSession.h"

namespace
{
const char kReporterSource[] = "ZKISISManager";
const long kDefaultFileFormat = 0x30000;
} // namespace

CZKISISFileOutput::CZKISISFileOutput(CZKISISScanSession* session, IZKISISEventObserver* observer)
    : CZKISISDriver(session, observer)
{
}

CZKISISFileOutput::~CZKISISFileOutput()
{
    Close();
}

long CZKISISFileOutput::FileFormatTag(SHORT format)
{
    switch (format)
    {
    case 1: return 0x40000;
    case 2:
    case 3: return 0x60000;
    case 4: return 0xB0000;
    case 5: return 0x80000;
    case 7: return 0x130000;
    default: return kDefaultFileFormat;
    }
}

BOOL CZKISISFileOutput::Open()
{
    Close();
    ZKISIS_MODULE* module = nullptr;
    if (!ZKISIS_CHECK(ZKISIS_MD_LoadModule("ISISFPACK", &module)))
        return FALSE;
    m_module = module;
    ZKISIS_PAGE_CALLBACKS callbacks = {this, &CZKISISFileOutput::_ImageBegin, nullptr, &CZKISISFileOutput::_ImageEnd};
    return ZKISIS_CHECK(Send(ZKISIS_MSG_SET_PAGE_CALLBACKS, 0, &callbacks)) &&
           SetLong(kDefaultFileFormat, ZKISIS_TAG_FILE_FORMAT);
}

BOOL CZKISISFileOutput::Close()
{
    if (m_module)
        ZKISIS_MD_FreeModule(m_module);
    m_module = nullptr;
    return TRUE;
}

int32_t CZKISISFileOutput::_ImageBegin(void* context, ZKISIS_MODULE* module)
{
    CZKISISFileOutput* self = static_cast<CZKISISFileOutput*>(context);
    const int32_t named = self->_NameImageFile();
    CZKISISScanSession::PageCallbacks(self->m_session).imageBegin(self->m_session, module);
    return named;
}

int32_t CZKISISFileOutput::_ImageEnd(void* context, ZKISIS_MODULE* module)
{
    CZKISISFileOutput* self = static_cast<CZKISISFileOutput*>(context);
    return CZKISISScanSession::PageCallbacks(self->m_session).imageEnd(self->m_session, module);
}

int32_t CZKISISFileOutput::_NameImageFile()
{
    ZK_ISIS_IMAGEFILE_BEGIN_INFO file;
    IZKISISEventObserver* observer = m_session ? m_session->GetObserver() : m_observer;
    if (observer)
        observer->OnISISQueryImageFileName(&file);
    const BOOL formatSet = SetLong(FileFormatTag(file.Format), ZKISIS_TAG_FILE_FORMAT);
    const BOOL nameSet = SetText(file.FileName, ZKISIS_TAG_FILE_NAME);
    return formatSet && nameSet ? ZKISIS_OK : ZKISIS_ERR_FILE;
}
