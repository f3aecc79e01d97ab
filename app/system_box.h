#pragma once

// The system's own message box, titled "Mivora", with the stop icon. Reached through kernel32 alone, so
// that it works before the runtime has started and where a delay-loaded import of user32 cannot be had.
// `korean` is shown where the system has code page 949 (the Korean fonts come with it), `english` where
// it lacks it or no Korean text is given. Built for the i386, as the processor check that uses it.
void ShowSystemBox(const wchar_t* korean, const char* english) noexcept;
