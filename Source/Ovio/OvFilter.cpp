#define OV_SOURCE_FILE "Source/Ovio/OvFilter"
#include "Ovio/OvFilter.h"

#include "OvCore/OvError.h"

OV_DEFINE_CAST(OvFilter, OvStream)

OvFilter::~OvFilter() { Detach(); }

int32_t OvFilter::Read(void*, int32_t, int32_t*) { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

int32_t OvFilter::Write(const void*, int32_t, int32_t*) { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

void OvFilter::Seek(int64_t, int32_t) { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

int64_t OvFilter::GetPosition() { OV_RAISE(kOvUndefProc, "OvUndefProc"); }

void OvFilter::Attach(OvStream* stream, bool handOver)
{
    // AddRef before the Release, so attaching the current stream again keeps it alive.
    if (stream && !handOver) stream->AddRef();
    OvStream* previous = fInner;
    fInner = stream;
    if (previous) previous->Release();
}

void OvFilter::Detach()
{
    OvStream* previous = fInner;
    fInner = nullptr;
    if (previous) previous->Release();
}

OvStream* OvFilter::Inner() { return fInner; }

void OvFilter::Close()
{
    if (!fInner) return;
    if (OvCastBase* filter = fInner->Cast("OvFilter")) static_cast<OvFilter*>(filter)->Close();
}
