#include "QXTWAINSourceModel.h"

#include "QXTWAINGenericSourceModel.h"
#include "QXTWAINMakerConfig.h"

#include <new>

CQXTWAINSourceModel* CQXTWAINSourceModel::Create(CZKTWSourceManager* manager, const std::wstring& scannerName)
{
    (void)SQXTWAINMakerConfig::IsMakerScanner(scannerName);
    return new (std::nothrow) CQXTWAINGenericSourceModel(manager);
}
