#pragma once

#include "ui/framework/wide_text.h"

#include <windows.h>

// For its lifetime the framework converts text as on a Windows installed without East Asian support.
// There MultiByteToWideChar and WideCharToMultiByte do as documented for a code page the system does
// not have: they return 0 and GetLastError gives ERROR_INVALID_PARAMETER. Other code pages convert as
// the system does.
class WithoutCp949 {
public:
    WithoutCp949() : saved_(framework::CodePageConversions()) {
        framework::CodePageConversions() = {ToWide, ToNarrow};
    }
    ~WithoutCp949() { framework::CodePageConversions() = saved_; }
    WithoutCp949(const WithoutCp949&) = delete;
    WithoutCp949& operator=(const WithoutCp949&) = delete;

private:
    static bool Missing(UINT codePage) {
        if (codePage != 949)
            return false;
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return true;
    }
    static int WINAPI ToWide(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR out, int size) {
        return Missing(codePage) ? 0 : ::MultiByteToWideChar(codePage, flags, text, length, out, size);
    }
    static int WINAPI ToNarrow(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR out, int size,
                               LPCCH unknown, LPBOOL usedUnknown) {
        return Missing(codePage)
                   ? 0
                   : ::WideCharToMultiByte(codePage, flags, text, length, out, size, unknown, usedUnknown);
    }

    framework::CodePageFunctions saved_;
};
