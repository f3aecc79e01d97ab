#pragma once

#include <cstdint>
#include <string>

class TForm;

// Message types: the dialog's title word and its two pictures.
enum : int { mtConfirm = 1, mtInformation = 2, mtCaution = 3, mtWarning = 4 };
// Button set: OK is always shown; this bit adds Cancel.
constexpr std::uint8_t mbOk = 1;
constexpr std::uint8_t mbCancel = 2;

// Shows the suite's modal message dialog, centred on `owner` or, without a shown owner, on the screen.
// Returns 1 when the user confirmed (OK, or Enter at any time), else 2.
int ShowMessageDialog(int type, const std::string& mainText, const std::string& subText,
                      std::uint8_t buttons, TForm* owner);
