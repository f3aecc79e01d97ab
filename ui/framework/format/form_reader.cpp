#include "ui/framework/format/form_reader.h"

#include "ui/framework/format/class_registry.h"
#include "ui/framework/format/little_endian.h"

#include <algorithm>

struct TReader::Fixup {
    std::string name;
    std::function<void(TComponent*)> assign;
    std::string objectName;
    std::string propertyName;
};

TReader::TReader(TStream& stream) : stream_(stream), end_(stream.Size()) {}

TReader::~TReader() = default;

void TReader::Error(const std::string& message) const {
    std::string where = objectName_.empty() ? std::string("design") : objectName_;
    if (!propertyName_.empty())
        where += "." + propertyName_;
    throw EReadError("Error reading " + where + ": " + message);
}

// --- Whole designs ---

void TReader::ReadRootComponent(TComponent& root) {
    ReadSignature();
    const std::string className = ReadShortString();
    if (className != root.ClassName())
        Error("the design is of class '" + className + "', not " + std::string(root.ClassName()));
    ReadRoot(root, ReadShortString());
}

std::unique_ptr<TComponent> TReader::ReadRootComponent() {
    ReadSignature();
    const std::string className = ReadShortString();
    const TComponentFactory* factory = FindClass(className);
    if (factory == nullptr)
        Error("class '" + className + "' not found");
    const std::string name = ReadShortString();
    std::unique_ptr<TComponent> root((*factory)(nullptr));
    if (root == nullptr)
        Error("class '" + className + "' could not be created");
    ReadRoot(*root, name);
    return root;
}

void TReader::ReadRoot(TComponent& root, const std::string& name) {
    root_ = &root;
    try {
        if (!name.empty())
            root.SetName(name);
        objectName_ = name;
        Start(root);
        ReadComponentBody(root, 0);
        ResolveFixups();
    } catch (...) {
        for (TComponent* component : loaded_)
            component->loading_ = false;
        FreeCreated();
        throw;
    }
    for (TComponent* component : loaded_)
        component->Loaded();
}

void TReader::Start(TComponent& component) {
    component.loading_ = true;
    loaded_.push_back(&component);
}

void TReader::ReadSignature() {
    char signature[sizeof kFormSignature];
    ReadRaw(signature, sizeof signature);
    if (!std::equal(signature, signature + sizeof signature, kFormSignature))
        Error("not a stored design (no TPF0 signature)");
}

// The caller has set objectName_ to this component's name for error texts.
void TReader::ReadComponentBody(TComponent& component, int depth) {
    const std::string self = objectName_;
    for (std::string name = ReadShortString(); !name.empty(); name = ReadShortString()) {
        propertyName_ = name;
        if (name == "Tag")
            component.SetTag(ReadInteger());
        else
            ReadPropertyValue(component, name);
    }
    propertyName_.clear();
    for (std::string className = ReadShortString(); !className.empty(); className = ReadShortString()) {
        ReadChild(component, className, depth + 1);
        objectName_ = self;
    }
}

void TReader::ReadChild(TComponent& parent, const std::string& className, int depth) {
    if (depth > kMaxDesignDepth)
        Error("objects nested deeper than " + std::to_string(kMaxDesignDepth) + " levels");
    const std::string name = ReadShortString();
    objectName_ = name.empty() ? "<unnamed " + className + ">" : name;
    TComponent* child = name.empty() ? nullptr : root_->FindComponent(name);
    if (child != nullptr) {
        if (std::find(loaded_.begin(), loaded_.end(), child) != loaded_.end())
            Error("a second component named '" + name + "'");
        if (child->ClassName() != className)
            Error("the design says class '" + className + "' but the component is a " +
                  std::string(child->ClassName()));
    } else {
        const TComponentFactory* factory = FindClass(className);
        if (factory == nullptr)
            Error("class '" + className + "' not found");
        child = (*factory)(root_);
        if (child == nullptr)
            Error("class '" + className + "' could not be created");
        if (child->Owner() != root_) {
            // Nothing would free it: a factory that ignores its owner is unfit for a design.
            delete child;
            Error("class '" + className + "' does not take the root as its owner");
        }
        created_.push_back(child);
        child->SetName(name);
    }
    Start(*child);
    child->SetParentComponent(&parent);
    ReadComponentBody(*child, depth);
}

void TReader::ReadPropertyValue(TPersistent& instance, std::string_view path) {
    const auto dot = path.find('.');
    if (dot != std::string_view::npos) {
        const std::string_view head = path.substr(0, dot);
        TPersistent* sub = head.empty() ? nullptr : instance.SubObject(head);
        if (sub == nullptr)
            Error("property '" + std::string(head) + "' of " + std::string(instance.ClassName()) +
                  " holds no object");
        ReadPropertyValue(*sub, path.substr(dot + 1));
        return;
    }
    definedWanted_ = path;
    definedFound_ = false;
    instance.DefineProperties(*this);
    definedWanted_ = {};
    if (definedFound_)
        return;
    if (!instance.ReadProperty(path, *this))
        Error("property '" + std::string(path) + "' does not exist in " + std::string(instance.ClassName()));
}

bool TReader::TakeDefined(std::string_view name) {
    if (definedWanted_.empty() || name != definedWanted_)
        return false;
    definedWanted_ = {};
    definedFound_ = true;
    return true;
}

void TReader::DefineBinaryProperty(std::string_view name, const BinaryReadProc& readData,
                                   const BinaryWriteProc&, bool) {
    if (!TakeDefined(name))
        return;
    TMemoryStream data(ReadBinary());
    if (readData)
        readData(data);
}

void TReader::DefineProperty(std::string_view name, const ReadProc& readValue, const WriteProc&, bool) {
    if (!TakeDefined(name))
        return;
    if (readValue)
        readValue(*this);
    else
        SkipValue();
}

void TReader::ResolveFixups() {
    for (Fixup& fixup : fixups_) {
        objectName_ = fixup.objectName;
        propertyName_ = fixup.propertyName;
        TComponent* found = fixup.name == root_->Name() ? root_ : root_->FindComponent(fixup.name);
        if (found == nullptr)
            Error("component '" + fixup.name + "' not found");
        fixup.assign(found);
    }
    fixups_.clear();
}

void TReader::FreeCreated() noexcept {
    fixups_.clear();
    loaded_.clear();
    while (!created_.empty()) {
        delete created_.back();
        created_.pop_back();
    }
}

void TReader::ReadReference(std::function<void(TComponent*)> assign) {
    const TValueType tag = ReadTag();
    if (tag == TValueType::vaNil) {
        assign(nullptr);
        return;
    }
    if (tag != TValueType::vaIdent)
        Expected("component name", tag);
    std::string name = ReadShortString();
    if (name.empty())
        Error("empty component name");
    fixups_.push_back({std::move(name), std::move(assign), objectName_, propertyName_});
}

// --- Raw bytes, never past the end ---

void TReader::ReadRaw(void* buffer, std::size_t count) {
    if (count == 0)
        return;
    if (static_cast<std::uint64_t>(Remaining()) < count)
        Error("the design ends early");
    stream_.ReadBuffer(buffer, count);
}

std::int64_t TReader::Remaining() {
    return std::max<std::int64_t>(0, end_ - stream_.Position());
}

std::uint8_t TReader::ReadByte() {
    std::uint8_t byte = 0;
    ReadRaw(&byte, 1);
    return byte;
}

std::uint32_t TReader::ReadUInt32() {
    std::uint8_t bytes[4];
    ReadRaw(bytes, 4);
    return LoadLittleEndian(bytes, 4);
}

std::uint32_t TReader::ReadCount() {
    const std::uint32_t count = ReadUInt32();
    if (count > static_cast<std::uint64_t>(Remaining()))
        Error("a count of " + std::to_string(count) + " bytes runs past the end of the design");
    return count;
}

std::string TReader::ReadShortString() {
    std::string text(ReadByte(), '\0');
    ReadRaw(text.data(), text.size());
    return text;
}

void ReadComponentResource(TStream& stream, TComponent& root) {
    TReader(stream).ReadRootComponent(root);
}
