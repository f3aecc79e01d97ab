#pragma once

#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/format/filer.h"
#include "ui/framework/format/stream.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Writes components in the form-layout format. The value encoding lives here once: the component
// writer and the text-to-binary converter both use the Write...Value calls.
//
// A class's WriteProperties calls the named calls below for each property it adds to its parent's,
// leaving out those at their defaults; a property holding an object is written with WriteObject, which
// names its properties by dotted path ("Wave.Data", "Font.Name").
class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream);

    // The signature and `root` with its properties and, nested by GetChildren, the components it owns.
    void WriteRootComponent(TComponent& root);

    // --- Named properties, for a class's WriteProperties ---
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteBool(std::string_view name, bool value);
    void WriteString(std::string_view name, std::string_view value);
    void WriteIdent(std::string_view name, std::string_view value);
    void WriteSet(std::string_view name, std::span<const std::string> elements);
    // A set given as bits: bit n stands for names[n].
    void WriteSetBits(std::string_view name, std::uint32_t bits, std::span<const std::string_view> names);
    void WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes);
    // A handler by its name; an unset event or one without a name is left out.
    template <class Signature> void WriteEvent(std::string_view name, const TEvent<Signature>& event) {
        if (event && !event.Name().empty())
            WriteIdent(name, event.Name());
    }
    // A component reference by name; null is left out.
    void WriteReference(std::string_view name, const TComponent* component);
    // The published and defined properties of `object`, named "<name>.<property>".
    void WriteObject(std::string_view name, const TPersistent& object);

    // --- The value encoding ---
    void WriteSignature();
    void WriteListEnd();
    void WriteObjectHeader(std::string_view className, std::string_view objectName);
    void WritePropertyName(std::string_view name);
    void WriteIntegerValue(std::int32_t value);
    void WriteBoolValue(bool value);
    void WriteStringValue(std::string_view value);
    void WriteIdentValue(std::string_view value);
    void WriteNilValue();
    void WriteSetValue(std::span<const std::string> elements);
    void WriteBinaryValue(std::span<const std::uint8_t> bytes);

    // TFiler
    void DefineBinaryProperty(std::string_view name, const BinaryReadProc& readData,
                              const BinaryWriteProc& writeData, bool hasData) override;
    void DefineProperty(std::string_view name, const ReadProc& readValue, const WriteProc& writeValue,
                        bool hasData) override;

private:
    void WriteComponent(TComponent& component, TComponent& root);
    void WriteProperties(const TPersistent& object);
    void WriteShortString(std::string_view text);
    void WriteTag(TValueType tag);
    void WriteUInt32(std::uint32_t value);
    // `tag`, a 32-bit count and the bytes; EWriteError `tooLarge` when the count cannot hold the size.
    void WriteCounted(TValueType tag, const void* data, std::size_t size, const char* tooLarge);
    std::string FullName(std::string_view name) const;

    TStream& stream_;
    std::string prefix_;
};

// Writes `root` as a design into `stream`.
void WriteComponentResource(TStream& stream, TComponent& root);

// The writer calls the WriteProperties of each class of an object, from the root class down, when it
// was registered. Only the programs that write designs (the tools, the tests) register them, so a
// program that only reads designs links none of them.
using TPropertyWriter = void (*)(const TPersistent& object, TWriter& writer);
void RegisterPropertyWriter(const TClassInfo& classInfo, TPropertyWriter writer);
template <class... T> void RegisterPropertyWriters() {
    (RegisterPropertyWriter(T::kClassInfo,
                            [](const TPersistent& object, TWriter& writer) {
                                static_cast<const T&>(object).WriteProperties(writer);
                            }),
     ...);
}
