#pragma once
// A stream that wraps another one (the inner stream). Its slots after OvStream's are laid
// out like OvFile's where they correspond (index from 0):
//   12 Attach, 13 Detach, 14 Inner, 15 Close.
// So Close sits at OvFile's Close slot, and the attach/detach pair at the slots of the
// file's SetFileSpec/GetFileSpec; slot 14, OvFile's Open, answers the inner stream.
#include <cstdint>

#include "Ovio/OvStream.h"

class OvFilter : public OvStream {
public:
    OvFilter() = default;
    ~OvFilter();
    OvFilter(const OvFilter&) = delete;
    OvFilter& operator=(const OvFilter&) = delete;

    OV_DESTROY_SLOT(OvFilter)
    OV_DECLARE_CAST()

    // A bare filter has no data of its own: these raise "OvUndefProc".
    int32_t Read(void* buffer, int32_t count, int32_t* read) override;
    int32_t Write(const void* buffer, int32_t count, int32_t* written) override;
    void Seek(int64_t offset, int32_t origin) override;
    int64_t GetPosition() override;

    // Makes stream the inner stream. With handOver the caller's reference passes to the
    // filter; otherwise the filter takes one of its own (AddRef). The previous inner stream
    // is released.
    virtual void Attach(OvStream* stream, bool handOver);
    virtual void Detach();  // releases the inner stream
    virtual OvStream* Inner();
    // Closes the inner stream only when it is a filter too, so closing a chain of filters
    // never closes the file at its end.
    virtual void Close();

private:
    OvStream* fInner = nullptr;
};
