#pragma once

#include "ui/framework/format/color.h"

#include <string>
#include <string_view>

class TReader;
class TWriter;

// Colours and cursors are stored by name where they have one, else as numbers.
TColor ReadColor(TReader& reader);
void WriteColor(TWriter& writer, std::string_view name, TColor color);

inline constexpr int crDefault = 0;
inline constexpr int crHandPoint = -21;
int ReadCursor(TReader& reader);
void WriteCursor(TWriter& writer, std::string_view name, int cursor);
