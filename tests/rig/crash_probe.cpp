// A program that crashes: an access violation that nothing handles.
#include <windows.h>

int main() {
    ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 0;
}
