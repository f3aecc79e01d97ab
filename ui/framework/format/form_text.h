#pragma once

#include "ui/framework/format/stream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A fault in a design's text form: "line <n>: <what>".
class EParserError : public platform::Error {
public:
    using Error::Error;
};

// What the conversion asks of its caller.
struct TFormTextHost {
    // Turns a quoted string of the text (UTF-8) into the bytes to store (CP949).
    std::function<std::string(std::string_view utf8)> convertString;
    // The bytes of a file that a value names (see below).
    std::function<std::vector<std::uint8_t>(const std::string& path)> readFile;
};

// Converts a design's text form into its binary form. The text form:
//
//   object fMessage: TfMessage
//     Caption = 'Zelvano Mivora - Message'   strings in single quotes ('' for a quote), pieces joined
//     Left = -1000                            by + or written side by side, #13 for a byte by number;
//     Color = clWhite                         numbers (decimal or $hex), identifiers, True, False, nil,
//     Font.Style = [fsBold, fsItalic]         sets, binary blocks { 0A 1B ... },
//     Wave.Data = @file 'sound/click.wav'     a block holding a file's bytes,
//     BmpNormal.Data = @bitmap 'skin/ok.bmp'  a bitmap's block: the file's 32-bit length, then the file
//     object pnlTop: TPanel
//       ...
//     end
//   end
//
// Properties come before the nested objects of their object; `//` starts a comment.
void ObjectTextToBinary(std::string_view text, TStream& output, const TFormTextHost& host);
