#include "ui/framework/format/form_text.h"

#include "platform/text.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/little_endian.h"

#include <cctype>
#include <limits>

namespace {

// Designs nested deeper than this are refused, as the reader refuses them.
constexpr int kMaxTextDepth = 32;

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

class TextParser {
public:
    TextParser(std::string_view text, TWriter& writer, const TFormTextHost& host)
        : text_(text), writer_(writer), host_(host) {}

    void Parse() {
        writer_.WriteSignature();
        SkipBlanks();
        ParseObject(0);
        SkipBlanks();
        if (pos_ < text_.size())
            Fail("text after the last 'end'");
    }

private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw EParserError("line " + std::to_string(line_) + ": " + message);
    }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    bool Peek(char c) {
        SkipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    void Expect(char c) {
        if (!Peek(c))
            Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    std::string_view Ident() {
        SkipBlanks();
        if (pos_ >= text_.size() || !IsIdentStart(text_[pos_]))
            Fail("a name expected");
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsIdentChar(text_[pos_]))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    // object Name: TClass <properties> <objects> end
    void ParseObject(int depth) {
        if (depth > kMaxTextDepth)
            Fail("objects nested deeper than " + std::to_string(kMaxTextDepth) + " levels");
        if (!SameWord(Ident(), "object"))
            Fail("'object' expected");
        const std::string_view name = Ident();
        Expect(':');
        writer_.WriteObjectHeader(Ident(), name);
        bool nested = false;
        for (;;) {
            const std::size_t mark = pos_;
            const int markLine = line_;
            const std::string_view word = Ident();
            if (SameWord(word, "end"))
                break;
            if (SameWord(word, "object")) {
                if (!nested)
                    writer_.WriteListEnd();
                nested = true;
                pos_ = mark;
                line_ = markLine;
                ParseObject(depth + 1);
                continue;
            }
            if (nested)
                Fail("property '" + std::string(word) + "' after a nested object");
            writer_.WritePropertyName(word);
            Expect('=');
            ParseValue();
        }
        if (!nested)
            writer_.WriteListEnd();
        writer_.WriteListEnd();
    }

    void ParseValue() {
        SkipBlanks();
        if (pos_ >= text_.size())
            Fail("a value expected");
        const char c = text_[pos_];
        if (c == '\'' || c == '#')
            writer_.WriteStringValue(StringValue());
        else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c)))
            writer_.WriteIntegerValue(Number());
        else if (c == '[')
            writer_.WriteSetValue(SetValue());
        else if (c == '{')
            writer_.WriteBinaryValue(HexBlock());
        else if (c == '@')
            writer_.WriteBinaryValue(FileBlock());
        else
            IdentValue();
    }

    void IdentValue() {
        const std::string_view word = Ident();
        if (SameWord(word, "True"))
            writer_.WriteBoolValue(true);
        else if (SameWord(word, "False"))
            writer_.WriteBoolValue(false);
        else if (SameWord(word, "nil"))
            writer_.WriteNilValue();
        else
            writer_.WriteIdentValue(word);
    }

    std::int32_t Number() {
        const bool negative = text_[pos_] == '-';
        if (negative)
            ++pos_;
        const bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex)
            ++pos_;
        std::int64_t value = 0;
        std::size_t digits = 0;
        for (; pos_ < text_.size(); ++pos_, ++digits) {
            const int d = platform::DigitValue(text_[pos_], hex ? 16 : 10);
            if (d < 0)
                break;
            value = value * (hex ? 16 : 10) + d;
            if (value > 0xFFFFFFFFll)
                Fail("number out of range");
        }
        if (digits == 0)
            Fail("digits expected");
        // $FF00000F and the like are 32-bit patterns, stored as the signed value with those bits.
        if (hex)
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        else if (value > std::numeric_limits<std::int32_t>::max() + std::int64_t(negative))
            Fail("number out of range");
        return static_cast<std::int32_t>(negative ? -value : value);
    }

    // 'text' pieces, #n bytes, joined side by side or with +.
    std::string StringValue() {
        std::string result;
        for (;;) {
            SkipBlanks();
            if (Peek('\'')) {
                result += host_.convertString(QuotedPiece());
            } else if (Peek('#')) {
                ++pos_;
                const std::int32_t code = Number();
                if (code < 0 || code > 255)
                    Fail("character code out of range");
                result += static_cast<char>(code);
            } else {
                Fail("a string expected");
            }
            if (Peek('+')) {
                ++pos_;
                continue;
            }
            if (!Peek('\'') && !Peek('#'))
                return result;
        }
    }

    std::string QuotedPiece() {
        ++pos_;
        std::string piece;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                Fail("unterminated string");
            const char c = text_[pos_++];
            if (c != '\'') {
                piece += c;
            } else if (pos_ < text_.size() && text_[pos_] == '\'') {
                piece += '\'';
                ++pos_;
            } else {
                return piece;
            }
        }
    }

    std::vector<std::string> SetValue() {
        Expect('[');
        std::vector<std::string> elements;
        if (Peek(']')) {
            ++pos_;
            return elements;
        }
        for (;;) {
            elements.emplace_back(Ident());
            if (Peek(']')) {
                ++pos_;
                return elements;
            }
            Expect(',');
        }
    }

    std::vector<std::uint8_t> HexBlock() {
        Expect('{');
        std::vector<std::uint8_t> bytes;
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size())
                Fail("unterminated binary block");
            const char c = text_[pos_++];
            if (c == '}')
                break;
            const int d = platform::DigitValue(c, 16);
            if (d < 0)
                Fail(std::string("'") + c + "' in a binary block");
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<std::uint8_t>(high << 4 | d));
                high = -1;
            }
        }
        if (high >= 0)
            Fail("odd number of hex digits in a binary block");
        return bytes;
    }

    // @file 'path': the file's bytes; @bitmap 'path': its 32-bit little-endian length, then its bytes.
    std::vector<std::uint8_t> FileBlock() {
        ++pos_;
        const std::string_view kind = Ident();
        const bool bitmap = SameWord(kind, "bitmap");
        if (!bitmap && !SameWord(kind, "file"))
            Fail("@file or @bitmap expected");
        if (!Peek('\''))
            Fail("a quoted file name expected");
        const std::string path = QuotedPiece();
        std::vector<std::uint8_t> content = host_.readFile(path);
        if (!bitmap)
            return content;
        if (content.size() > std::numeric_limits<std::uint32_t>::max())
            Fail("file too large: " + path);
        const auto n = static_cast<std::uint32_t>(content.size());
        std::vector<std::uint8_t> block(4);
        StoreLittleEndian(block.data(), n, 4);
        block.insert(block.end(), content.begin(), content.end());
        return block;
    }

    std::string_view text_;
    TWriter& writer_;
    const TFormTextHost& host_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

void ObjectTextToBinary(std::string_view text, TStream& output, const TFormTextHost& host) {
    TWriter writer(output);
    TextParser(text, writer, host).Parse();
}
