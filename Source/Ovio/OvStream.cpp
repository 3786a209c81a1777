#define OV_SOURCE_FILE "Source/Ovio/OvStream"
#include "Ovio/OvStream.h"

#include "OvCore/OvError.h"

OV_DEFINE_CAST(OvStream, OvObject)

int32_t OvStream::Read(void*, int32_t, int32_t*) { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

void OvStream::Seek(int64_t, int32_t) { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

int64_t OvStream::GetPosition() { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

OvString OvStream::Describe() { return OvString(ClassName()); }

bool OvStream::IsSeekable()
{
    try {
        Seek(0, kOvSeekCurrent);
        return true;
    } catch (const OvError&) {
        return false;
    }
}
