// The program replaces the standard library's error throwers; the library's own checks must still end
// in an error the framework can show, with the library's text and its numbers filled in.
#include "platform/error.h"
#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

TEST(LibraryErrors, IndexAndLengthChecksRaiseTheProgramsErrorWithTheirText) {
    const std::string text = "ab";
    EXPECT_EQ(ErrorText([&] { (void)text.at(5); }),
              "basic_string::at: __n (which is 5) >= this->size() (which is 2)");
    EXPECT_EQ(ErrorText([&] { (void)text.substr(7); }),
              "basic_string::substr: __pos (which is 7) > this->size() (which is 2)");
    const std::vector<int> numbers(3);
    EXPECT_EQ(ErrorText([&] { (void)numbers.at(3); }),
              "vector::_M_range_check: __n (which is 3) >= this->size() (which is 3)");
    std::vector<int> growing;
    EXPECT_EQ(ErrorText([&] { growing.reserve(growing.max_size() + 1); }), "vector::reserve");
    std::string long_text;
    EXPECT_EQ(ErrorText([&] { long_text.resize(long_text.max_size() + 1); }), "basic_string::_M_replace_aux");
}

TEST(LibraryErrors, ErrorsWithoutTextKeepTheirStandardClass) {
    std::allocator<int> ints;
    volatile std::size_t tooMany = std::allocator_traits<std::allocator<int>>::max_size(ints) + 1;
    EXPECT_THROW((void)ints.allocate(tooMany), std::bad_alloc);
    tooMany = static_cast<std::size_t>(-1) / sizeof(int) + 1;
    EXPECT_THROW((void)ints.allocate(tooMany), std::bad_array_new_length);
    std::function<void()> empty;
    EXPECT_THROW(empty(), std::bad_function_call);
}

} // namespace
