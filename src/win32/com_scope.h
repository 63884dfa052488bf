// COM for the calling thread while a piece of work needs it (decoding the artwork with
// WIC, the print dialog's printer list); a thread that already has COM keeps it as it is.
#pragma once

#include <objbase.h>

namespace kneebrace::win32 {

class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};

}  // namespace kneebrace::win32
