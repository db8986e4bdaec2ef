#include "QXTWAINSourceModel.h"

#include "QXTWAINGenericSourceModel.h"
#include "QXTWAINMakerConfig.h"
#include "QXTWAINMakerSourceModel.h"

#include <new>

CQXTWAINSourceModel* CQXTWAINSourceModel::Create(CZKTWSourceManager* manager,
                                                 const std::wstring& scannerName)
{
    if (SQXTWAINMakerConfig::IsMakerScanner(scannerName))
        return new (std::nothrow) CQXTWAINMakerSourceModel(manager);
    return new (std::nothrow) CQXTWAINGenericSourceModel(manager);
}
