#pragma once

#include "ui/message/message_type.h"

#include <cstdint>
#include <string>

class TForm;
class TfMessage;

// Button set: OK is always shown; this bit adds Cancel.
constexpr std::uint8_t mbOk = 1;
constexpr std::uint8_t mbCancel = 2;

// What the last showing's keyboard said: 0 no key, 1 Enter, 2 Escape.
enum : std::uint16_t { krNone = 0, krEnter = 1, krEscape = 2 };

// The dialog being shown; null when none is open. One dialog exists at a time.
extern TfMessage* fMessage;
// Set to krNone before each showing; keeps its last value in between.
extern std::uint16_t KeyResult;

// Shows the suite's modal message dialog, centred on `owner` or, without a shown owner, on the screen.
// Returns mrOk (1) when the user confirmed (OK, or Enter at any time), else mrCancel (2).
int ShowMessageDialog(int type, const std::string& mainText, const std::string& subText, std::uint8_t buttons,
                      TForm* owner);

// Brings the open help window forward, or opens the help file beside the program; F1 in the dialog.
void ShowHelp();
