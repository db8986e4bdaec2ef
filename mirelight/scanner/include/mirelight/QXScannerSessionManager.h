// The session-library object behind a scanner implementation: the TWAIN
// source manager or the ISIS manager. A typed reference rather than an
// untyped pointer, so a caller cannot take one protocol's manager for the
// other's.
#pragma once

class CZKTWSourceManager;
class CZKISISManager;

class CQXScannerSessionManager
{
public:
    CQXScannerSessionManager() = default;
    CQXScannerSessionManager(CZKTWSourceManager* twain) : m_twain(twain) {}
    CQXScannerSessionManager(CZKISISManager* isis) : m_isis(isis) {}

    // Null unless the implementation runs on that protocol's library.
    CZKTWSourceManager* GetTWAIN() const { return m_twain; }
    CZKISISManager* GetISIS() const { return m_isis; }
    explicit operator bool() const { return m_twain != nullptr || m_isis != nullptr; }

private:
    CZKTWSourceManager* m_twain = nullptr;
    CZKISISManager* m_isis = nullptr;
};
