#include "QXSettingsAdapterList.h"

#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QXPatchAdapter.h>

CQXSettingsAdapterList::CQXSettingsAdapterList(EQXScannerFamily family)
{
    m_adapters.emplace_back(CQXImprinterAdapter::GenerateAdapter(family));
    m_adapters.emplace_back(CQXImageAddressAdapter::GenerateAdapter(family));
    m_adapters.emplace_back(CQXBatchAdapter::GenerateAdapter(family));
    m_adapters.emplace_back(CQXPatchAdapter::GenerateAdapter(family));
}

std::vector<CQXScannerSettingsAdapter*> CQXSettingsAdapterList::Get() const
{
    std::vector<CQXScannerSettingsAdapter*> list;
    for (const auto& adapter : m_adapters)
        list.push_back(adapter.get());
    return list;
}
