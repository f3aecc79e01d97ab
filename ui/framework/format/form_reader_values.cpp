#include "ui/framework/format/form_reader.h"

#include "ui/framework/format/little_endian.h"

#include <algorithm>

// --- Values ---

TValueType TReader::NextValue() {
    const std::uint8_t tag = ReadByte();
    stream_.Seek(-1, TSeekOrigin::soCurrent);
    return static_cast<TValueType>(tag);
}

TValueType TReader::ReadTag() {
    return static_cast<TValueType>(ReadByte());
}

std::string TReader::TagName(TValueType tag) {
    switch (tag) {
    case TValueType::vaNull:
        return "end of list";
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        return "integer";
    case TValueType::vaString:
    case TValueType::vaLString:
        return "string";
    case TValueType::vaIdent:
        return "identifier";
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        return "Boolean";
    case TValueType::vaBinary:
        return "binary block";
    case TValueType::vaSet:
        return "set";
    case TValueType::vaNil:
        return "nil";
    }
    return "unknown value tag " + std::to_string(static_cast<int>(tag));
}

void TReader::Expected(const char* what, TValueType found) const {
    Error(std::string(what) + " expected, found " + TagName(found));
}

std::int32_t TReader::ReadInteger() {
    const TValueType tag = ReadTag();
    switch (tag) {
    case TValueType::vaInt8:
        return static_cast<std::int8_t>(ReadByte());
    case TValueType::vaInt16: {
        std::uint8_t bytes[2];
        ReadRaw(bytes, 2);
        return static_cast<std::int16_t>(LoadLittleEndian(bytes, 2));
    }
    case TValueType::vaInt32:
        return static_cast<std::int32_t>(ReadUInt32());
    default:
        Expected("integer", tag);
    }
}

bool TReader::ReadBool() {
    const TValueType tag = ReadTag();
    if (tag != TValueType::vaTrue && tag != TValueType::vaFalse)
        Expected("Boolean", tag);
    return tag == TValueType::vaTrue;
}

std::string TReader::ReadString() {
    const TValueType tag = ReadTag();
    if (tag == TValueType::vaString)
        return ReadShortString();
    if (tag != TValueType::vaLString)
        Expected("string", tag);
    std::string text(ReadCount(), '\0');
    ReadRaw(text.data(), text.size());
    return text;
}

std::string TReader::ReadIdent() {
    const TValueType tag = ReadTag();
    if (tag != TValueType::vaIdent)
        Expected("identifier", tag);
    std::string ident = ReadShortString();
    if (ident.empty())
        Error("empty identifier");
    return ident;
}

std::vector<std::string> TReader::ReadSet() {
    const TValueType tag = ReadTag();
    if (tag != TValueType::vaSet)
        Expected("set", tag);
    std::vector<std::string> elements;
    for (std::string element = ReadShortString(); !element.empty(); element = ReadShortString())
        elements.push_back(std::move(element));
    return elements;
}

std::uint32_t TReader::ReadSetBits(std::span<const std::string_view> names) {
    std::uint32_t bits = 0;
    for (const std::string& element : ReadSet()) {
        const auto found = std::find(names.begin(), names.end(), element);
        if (found == names.end() || found - names.begin() >= 32)
            Error("'" + element + "' is not an element of this set");
        bits |= 1u << (found - names.begin());
    }
    return bits;
}

int TReader::ReadEnum(std::span<const std::string_view> names) {
    const std::string ident = ReadIdent();
    const auto found = std::find(names.begin(), names.end(), ident);
    if (found == names.end())
        Error("'" + ident + "' is not a value of this property");
    return static_cast<int>(found - names.begin());
}

std::vector<std::uint8_t> TReader::ReadBinary() {
    const TValueType tag = ReadTag();
    if (tag != TValueType::vaBinary)
        Expected("binary block", tag);
    std::vector<std::uint8_t> bytes(ReadCount());
    ReadRaw(bytes.data(), bytes.size());
    return bytes;
}

void TReader::SkipValue() {
    switch (NextValue()) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        ReadInteger();
        return;
    case TValueType::vaString:
    case TValueType::vaLString:
        ReadString();
        return;
    case TValueType::vaIdent:
        ReadIdent();
        return;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        ReadBool();
        return;
    case TValueType::vaBinary:
        ReadBinary();
        return;
    case TValueType::vaSet:
        ReadSet();
        return;
    case TValueType::vaNil:
        ReadTag();
        return;
    case TValueType::vaNull:
        break;
    }
    Expected("value", ReadTag());
}

const std::any* TReader::ReadMethod(std::string& name) {
    const TValueType tag = ReadTag();
    if (tag == TValueType::vaNil)
        return nullptr;
    if (tag != TValueType::vaIdent)
        Expected("handler name", tag);
    name = ReadShortString();
    const std::any* method = root_ == nullptr ? nullptr : root_->MethodAddress(name);
    if (method == nullptr)
        Error("method '" + name + "' not found in " +
              (root_ == nullptr ? std::string("the design") : std::string(root_->ClassName())));
    return method;
}
