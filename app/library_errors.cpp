// The standard library raises its own errors (a string too long, an index out of range, ...) through
// these functions. Its versions build the standard error classes, whose texts live in a second string
// implementation that would otherwise make up a sixth of the program. Ours raise the program's error
// with the same text; the classes without a text are raised as they are.
#include "platform/error.h"

#include <cstdarg>
#include <cstddef>
#include <new>
#include <typeinfo>

namespace {

// The library's formats use only %s, %zu, %lu and %%.
std::string Format(const char* format, std::va_list arguments) {
    std::string text;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            text += *p;
            continue;
        }
        const char size = p[1] == 'z' || p[1] == 'l' ? *++p : '\0';
        switch (*++p) {
        case 's':
            text += va_arg(arguments, const char*);
            break;
        case 'u':
            text += size == 'z'   ? std::to_string(va_arg(arguments, std::size_t))
                    : size == 'l' ? std::to_string(va_arg(arguments, unsigned long))
                                  : std::to_string(va_arg(arguments, unsigned));
            break;
        case '\0':
            return text;
        default:
            text += *p;
        }
    }
    return text;
}

} // namespace

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}
void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_logic_error(const char* text) {
    throw platform::Error(text);
}
void __throw_domain_error(const char* text) {
    throw platform::Error(text);
}
void __throw_invalid_argument(const char* text) {
    throw platform::Error(text);
}
void __throw_length_error(const char* text) {
    throw platform::Error(text);
}
void __throw_out_of_range(const char* text) {
    throw platform::Error(text);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = Format(format, arguments);
    va_end(arguments);
    throw platform::Error(std::move(text));
}
void __throw_runtime_error(const char* text) {
    throw platform::Error(text);
}
void __throw_range_error(const char* text) {
    throw platform::Error(text);
}
void __throw_overflow_error(const char* text) {
    throw platform::Error(text);
}
void __throw_underflow_error(const char* text) {
    throw platform::Error(text);
}

} // namespace std
