#include <hollin/ZKObject.h>

CZKObject::~CZKObject() = default;

CZKObject* CZKObject::Clone() const { return nullptr; }
