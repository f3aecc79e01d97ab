#pragma once

#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/format/filer.h"
#include "ui/framework/format/stream.h"

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Builds a component tree from a stored design. Every fault of the design raises EReadError naming
// what is wrong; components created before the fault are freed again.
//
// Reading goes: signature, then the root object: class name, object name, properties (each a name and
// a value, closed by an empty name), child objects (closed by an empty class name). Children are
// created through the class registry with the root as owner (a component the root already owns under
// the child's name is used instead) and placed with SetParentComponent(enclosing object). Component
// references and handlers are bound once the whole tree is read; then Loaded() runs on every component
// read, the root first.
class TReader : public TFiler {
public:
    explicit TReader(TStream& stream);
    ~TReader() override;
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    // Reads a whole design into `root`, a component already constructed (a form built in C++). The
    // design's root class name must be `root`'s.
    void ReadRootComponent(TComponent& root);
    // Reads a whole design whose root class is created through the class registry.
    std::unique_ptr<TComponent> ReadRootComponent();

    // --- Value calls for a class's ReadProperty and for defined properties ---
    TValueType NextValue();
    std::int32_t ReadInteger();
    bool ReadBool();
    std::string ReadString();
    std::string ReadIdent();
    // Element names of a set value.
    std::vector<std::string> ReadSet();
    // A set as bits: bit n stands for names[n]; an element not in `names` is an error.
    std::uint32_t ReadSetBits(std::span<const std::string_view> names);
    // An enumeration element as its ordinal in `names`; an element not in `names` is an error.
    int ReadEnum(std::span<const std::string_view> names);
    std::vector<std::uint8_t> ReadBinary();
    void SkipValue();

    // A handler bound by name: the root's MethodAddress must publish a std::function<Signature> under
    // that name. nil gives an empty event.
    template <class Signature> TEvent<Signature> ReadEvent() {
        std::string name;
        const std::any* method = ReadMethod(name);
        if (method == nullptr)
            return {};
        const auto* handler = std::any_cast<std::function<Signature>>(method);
        if (handler == nullptr)
            Error("Method '" + name + "' does not take this event's arguments");
        return TEvent<Signature>(name, *handler);
    }

    // A reference to another component of the design, by name. `assign` is called once the whole tree
    // is read, with the component (nil gives nullptr and calls it at once).
    void ReadReference(std::function<void(TComponent*)> assign);
    // The same for a field of a given component class; a component of another class is an error.
    template <class T> void ReadReference(T*& field) {
        ReadReference([this, &field](TComponent* found) {
            T* typed = ObjectAs<T>(found);
            if (found != nullptr && typed == nullptr)
                Error("Component '" + found->Name() + "' has the wrong class " +
                      std::string(found->ClassName()));
            field = typed;
        });
    }

    // The component being read into and the root of the design.
    TComponent* Root() const { return root_; }
    // Raises EReadError with `message`, prefixed with the object and property being read.
    [[noreturn]] void Error(const std::string& message) const;

    // TFiler
    void DefineBinaryProperty(std::string_view name, const BinaryReadProc& readData,
                              const BinaryWriteProc& writeData, bool hasData) override;
    void DefineProperty(std::string_view name, const ReadProc& readValue, const WriteProc& writeValue,
                        bool hasData) override;

private:
    struct Fixup;

    void ReadRoot(TComponent& root, const std::string& name);
    void Start(TComponent& component);
    void ReadSignature();
    void ReadComponentBody(TComponent& component, int depth);
    void ReadChild(TComponent& parent, const std::string& className, int depth);
    void ReadPropertyValue(TPersistent& instance, std::string_view path);
    bool TakeDefined(std::string_view name);
    const std::any* ReadMethod(std::string& name);
    void ResolveFixups();
    void FreeCreated() noexcept;

    TValueType ReadTag();
    static std::string TagName(TValueType tag);
    [[noreturn]] void Expected(const char* what, TValueType found) const;
    void ReadRaw(void* buffer, std::size_t count);
    std::int64_t Remaining();
    std::uint8_t ReadByte();
    std::uint32_t ReadUInt32();
    // A 32-bit count, refused when larger than what is left of the design.
    std::uint32_t ReadCount();
    std::string ReadShortString();

    TStream& stream_;
    std::int64_t end_;
    TComponent* root_ = nullptr;
    std::vector<TComponent*> created_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
    // What is being read, for error texts; the defined property the design holds.
    std::string objectName_;
    std::string propertyName_;
    std::string_view definedWanted_;
    bool definedFound_ = false;
};

// Reads a design from `stream` into `root`.
void ReadComponentResource(TStream& stream, TComponent& root);

// Designs nested deeper than this are refused.
inline constexpr int kMaxDesignDepth = 32;
