#include "OvCore/OvObject.h"

#include <cstring>

#include "OvSystem/OvPlatform.h"

bool OvClassNameIs(const char* given, const char* own)
{
    return given != nullptr && std::strcmp(given, own) == 0;
}

OvCastBase* OvCastBase::Cast(const char* className)
{
    return OvClassNameIs(className, "OvCastBase") ? this : nullptr;
}

const char* OvCastBase::ClassName() const
{
    return "OvCastBase";
}

OV_DEFINE_CAST(OvObject, OvCastBase)

int32_t OvObject::RefCount() const
{
    return fRefCount;
}

void OvObject::AddRef()
{
    OvPlatform::AtomicIncrement(&fRefCount);
}

void OvObject::Release()
{
    // The thread that takes the count from 1 to 0 is the only one left holding the object.
    if (OvPlatform::AtomicDecrement(&fRefCount) == 0) OvDestroy(1);
}
