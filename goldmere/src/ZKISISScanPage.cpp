#include "ZKISISScanPage.h"

#include "ZKISISErrorReporter.h"
#include "ZKISISScanSession.h"

namespace
{
const char kReporterSource[] = "ZKISISScanPage";
}

CZKISISScanPage::CZKISISScanPage(CZKISISScanSession* session, IZKISISEventObserver* observer)
    : CZKISISDriver(session, observer)
{
}

CZKISISScanPage::~CZKISISScanPage()
{
    Close();
}

BOOL CZKISISScanPage::Open()
{
    Close();
    ZKISIS_MODULE* module = nullptr;
    if (!ZKISIS_CHECK(ZKISIS_MD_LoadModule("ISISPAGE", &module)))
        return FALSE;
    m_module = module;
    ZKISIS_PAGE_CALLBACKS callbacks = CZKISISScanSession::PageCallbacks(m_session);
    return ZKISIS_CHECK(Send(ZKISIS_MSG_SET_PAGE_CALLBACKS, 0, &callbacks));
}

BOOL CZKISISScanPage::Close()
{
    if (m_module)
        ZKISIS_MD_FreeModule(m_module);
    m_module = nullptr;
    return TRUE;
}

BOOL CZKISISScanPage::Link(ZKISIS_MODULE* next)
{
    return m_module && next && ZKISIS_CHECK(ZKISIS_MD_Link(m_module, next));
}

void CZKISISScanPage::Unlink()
{
    if (m_module)
        ZKISIS_MD_Unlink(m_module);
}
