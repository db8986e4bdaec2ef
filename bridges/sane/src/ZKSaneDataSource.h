// One data-source file over one SANE device: its identity, one session per
// application that opens it, and the condition codes of refusals made before
// a session exists.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include <twaindefs/ZKTWSessions.h>
#include <twaindefs/ZKTwainDefs.h>

class CZKSaneSession;

class CZKSaneDataSource
{
public:
    static CZKSaneDataSource& ForFile(const std::string& sourceFile);
    explicit CZKSaneDataSource(const std::string& sourceFile);
    ~CZKSaneDataSource();
    CZKSaneDataSource(const CZKSaneDataSource&) = delete;
    CZKSaneDataSource& operator=(const CZKSaneDataSource&) = delete;

    TW_UINT16 Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);

private:
    TW_UINT16 _Identify(pTW_IDENTITY origin, pTW_IDENTITY identity);
    TW_UINT16 _Open(pTW_IDENTITY origin, pTW_IDENTITY identity);
    // Null with the refusal's condition when the device does not open.
    std::unique_ptr<CZKSaneSession> _OpenSession(const TW_IDENTITY& application, const TW_IDENTITY& requested,
                                                 TW_UINT16& condition);
    // Lists the devices and finds the file's: its identity and SANE name.
    bool _Discover(TW_IDENTITY& identity, std::string& device);

    std::mutex m_lock;
    std::string m_sourceFile;
    std::string m_device; // the SANE name of the device last identified
    TW_IDENTITY m_identity{};
    bool m_identified = false;
    DSMENTRYPROC m_dsmEntry = nullptr;
    CZKTWSessions<CZKSaneSession> m_sessions;
};
