#pragma once

#include <windows.h>

// Wall-clock time since construction, by the performance counter.
class Stopwatch {
public:
    Stopwatch() { ::QueryPerformanceCounter(&start_); }

    double ElapsedMs() const {
        LARGE_INTEGER now, frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};
