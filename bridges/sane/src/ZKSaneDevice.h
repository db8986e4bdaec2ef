// One open SANE device: its options by name and the scan calls. Every call
// on the handle goes through here under one lock, since SANE handles are not
// meant for several threads at once.
#pragma once

#include <sane/sane.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The values a numeric option allows: a range or a list.
struct ZK_SANE_CHOICES
{
    bool isRange = false;
    double min = 0;
    double max = 0;
    double quant = 0;
    std::vector<double> list;
};

class CZKSaneDevice
{
public:
    static std::unique_ptr<CZKSaneDevice> Open(const std::string& name, SANE_Status& status);
    ~CZKSaneDevice();
    CZKSaneDevice(const CZKSaneDevice&) = delete;
    CZKSaneDevice& operator=(const CZKSaneDevice&) = delete;

    // Active options only; an inactive one is as good as absent.
    bool Has(const char* name);
    bool IsSettable(const char* name);
    // Numbers: int, fixed and bool options (the first element of a vector).
    bool GetNumber(const char* name, double& value);
    bool GetString(const char* name, std::string& value);
    bool NumberChoices(const char* name, ZK_SANE_CHOICES& choices);
    std::vector<std::string> StringChoices(const char* name);
    // SANE may round: the value the device took is read back.
    SANE_Status SetNumber(const char* name, double value);
    SANE_Status SetString(const char* name, const std::string& value);
    // The unit of a geometry option: millimetres or pixels.
    SANE_Unit Unit(const char* name);

    SANE_Status Start();
    SANE_Status Parameters(SANE_Parameters& parameters);
    SANE_Status Read(SANE_Byte* buffer, SANE_Int max, SANE_Int& length);
    void Cancel();

private:
    explicit CZKSaneDevice(SANE_Handle handle) : m_handle(handle) {}
    // The option's index and descriptor, or -1 when the device has none active.
    SANE_Int _Find(const char* name, const SANE_Option_Descriptor*& descriptor);

    std::mutex m_lock;
    SANE_Handle m_handle;
};
