#define OV_SOURCE_FILE "Source/OvData/OvArray"
#include "OvData/OvArray.h"

#include "OvCore/OvError.h"

void OvRaiseArrayIndexError()
{
    OV_RAISE(kOvIndexError, "OvIndexError");
}
