#include <hollin/ZKObStringItem.h>

#include <new>

CZKObStringItem::~CZKObStringItem() = default;

CZKObject* CZKObStringItem::Clone() const { return new (std::nothrow) CZKObStringItem(*this); }
