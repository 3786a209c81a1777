#define OV_SOURCE_FILE "Source/OvCore/OvTemplates"
#include "OvCore/OvTemplates.h"

#include "OvCore/OvError.h"

void OvRaiseInvalidReference()
{
    OV_RAISE(kOvPtrInvalid, "OvPtrInvalid");
}
