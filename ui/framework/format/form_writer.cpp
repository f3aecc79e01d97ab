#include "ui/framework/format/form_writer.h"

#include "ui/framework/format/little_endian.h"
#include "ui/framework/format/named_list.h"

#include <limits>
#include <vector>

TWriter::TWriter(TStream& stream) : stream_(stream) {}

void TWriter::WriteRootComponent(TComponent& root) {
    WriteSignature();
    WriteComponent(root, root);
}

void TWriter::WriteComponent(TComponent& component, TComponent& root) {
    WriteObjectHeader(component.ClassName(), component.Name());
    if (component.Tag() != 0)
        WriteInteger("Tag", component.Tag());
    WriteProperties(component);
    WriteListEnd();
    component.GetChildren([&](TComponent& child) { WriteComponent(child, root); }, root);
    WriteListEnd();
}

namespace {

// By class name, which is unique among the registered classes.
NamedList<TPropertyWriter>& PropertyWriters() {
    static NamedList<TPropertyWriter> writers;
    return writers;
}

} // namespace

void RegisterPropertyWriter(const TClassInfo& classInfo, TPropertyWriter writer) {
    PropertyWriters().Set(classInfo.name, writer);
}

void TWriter::WriteProperties(const TPersistent& object) {
    std::vector<const TClassInfo*> classes;
    for (const TClassInfo* info = &object.ClassInfo(); info != nullptr; info = info->parent)
        classes.push_back(info);
    for (auto info = classes.rbegin(); info != classes.rend(); ++info)
        if (const TPropertyWriter* writeProperties = PropertyWriters().Find((*info)->name))
            (*writeProperties)(object, *this);
    // One DefineProperties serves reading and writing, so it is not const; writing only calls the
    // write procedures, which leave the object as it is.
    const_cast<TPersistent&>(object).DefineProperties(*this);
}

std::string TWriter::FullName(std::string_view name) const {
    return prefix_ + std::string(name);
}

void TWriter::WriteInteger(std::string_view name, std::int32_t value) {
    WritePropertyName(FullName(name));
    WriteIntegerValue(value);
}

void TWriter::WriteBool(std::string_view name, bool value) {
    WritePropertyName(FullName(name));
    WriteBoolValue(value);
}

void TWriter::WriteString(std::string_view name, std::string_view value) {
    WritePropertyName(FullName(name));
    WriteStringValue(value);
}

void TWriter::WriteIdent(std::string_view name, std::string_view value) {
    WritePropertyName(FullName(name));
    WriteIdentValue(value);
}

void TWriter::WriteSet(std::string_view name, std::span<const std::string> elements) {
    WritePropertyName(FullName(name));
    WriteSetValue(elements);
}

void TWriter::WriteSetBits(std::string_view name, std::uint32_t bits,
                           std::span<const std::string_view> names) {
    std::vector<std::string> elements;
    for (std::size_t i = 0; i < names.size() && i < 32; ++i)
        if ((bits >> i) & 1u)
            elements.emplace_back(names[i]);
    WriteSet(name, elements);
}

void TWriter::WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
    WritePropertyName(FullName(name));
    WriteBinaryValue(bytes);
}

void TWriter::WriteReference(std::string_view name, const TComponent* component) {
    if (component != nullptr)
        WriteIdent(name, component->Name());
}

void TWriter::WriteObject(std::string_view name, const TPersistent& object) {
    const std::string saved = prefix_;
    prefix_ = FullName(name) + ".";
    try {
        WriteProperties(object);
    } catch (...) {
        prefix_ = saved;
        throw;
    }
    prefix_ = saved;
}

void TWriter::DefineBinaryProperty(std::string_view name, const BinaryReadProc&,
                                   const BinaryWriteProc& writeData, bool hasData) {
    if (!hasData || !writeData)
        return;
    TMemoryStream data;
    writeData(data);
    WriteBinary(name, data.Bytes());
}

void TWriter::DefineProperty(std::string_view name, const ReadProc&, const WriteProc& writeValue,
                             bool hasData) {
    if (!hasData || !writeValue)
        return;
    WritePropertyName(FullName(name));
    writeValue(*this);
}

void TWriter::WriteSignature() {
    stream_.WriteBuffer(kFormSignature, sizeof kFormSignature);
}

void TWriter::WriteListEnd() {
    WriteTag(TValueType::vaNull);
}

void TWriter::WriteObjectHeader(std::string_view className, std::string_view objectName) {
    if (className.empty())
        throw EWriteError("A component without a class name cannot be written");
    WriteShortString(className);
    WriteShortString(objectName);
}

void TWriter::WritePropertyName(std::string_view name) {
    if (name.empty())
        throw EWriteError("A property needs a name");
    WriteShortString(name);
}

void TWriter::WriteIntegerValue(std::int32_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
        WriteTag(TValueType::vaInt8);
        const auto byte = static_cast<std::int8_t>(value);
        stream_.WriteBuffer(&byte, 1);
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
        WriteTag(TValueType::vaInt16);
        std::uint8_t bytes[2];
        StoreLittleEndian(bytes, static_cast<std::uint16_t>(value), 2);
        stream_.WriteBuffer(bytes, 2);
    } else {
        WriteTag(TValueType::vaInt32);
        WriteUInt32(static_cast<std::uint32_t>(value));
    }
}

void TWriter::WriteBoolValue(bool value) {
    WriteTag(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteStringValue(std::string_view value) {
    if (value.size() <= 255) {
        WriteTag(TValueType::vaString);
        WriteShortString(value);
    } else {
        WriteCounted(TValueType::vaLString, value.data(), value.size(), "String too long to store");
    }
}

void TWriter::WriteIdentValue(std::string_view value) {
    if (value.empty())
        throw EWriteError("An identifier cannot be empty");
    WriteTag(TValueType::vaIdent);
    WriteShortString(value);
}

void TWriter::WriteNilValue() {
    WriteTag(TValueType::vaNil);
}

void TWriter::WriteSetValue(std::span<const std::string> elements) {
    WriteTag(TValueType::vaSet);
    for (const std::string& element : elements) {
        if (element.empty())
            throw EWriteError("A set element cannot be empty");
        WriteShortString(element);
    }
    WriteShortString({});
}

void TWriter::WriteBinaryValue(std::span<const std::uint8_t> bytes) {
    WriteCounted(TValueType::vaBinary, bytes.data(), bytes.size(), "Block too large to store");
}

void TWriter::WriteCounted(TValueType tag, const void* data, std::size_t size, const char* tooLarge) {
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw EWriteError(tooLarge);
    WriteTag(tag);
    WriteUInt32(static_cast<std::uint32_t>(size));
    stream_.WriteBuffer(data, size);
}

void TWriter::WriteShortString(std::string_view text) {
    if (text.size() > 255)
        throw EWriteError("Name longer than 255 bytes: " + std::string(text.substr(0, 40)) + "...");
    const auto length = static_cast<std::uint8_t>(text.size());
    stream_.WriteBuffer(&length, 1);
    stream_.WriteBuffer(text.data(), text.size());
}

void TWriter::WriteTag(TValueType tag) {
    const auto byte = static_cast<std::uint8_t>(tag);
    stream_.WriteBuffer(&byte, 1);
}

void TWriter::WriteUInt32(std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreLittleEndian(bytes, value, 4);
    stream_.WriteBuffer(bytes, 4);
}

void WriteComponentResource(TStream& stream, TComponent& root) {
    TWriter(stream).WriteRootComponent(root);
}
