#pragma once

#include "platform/error.h"

#include <string>
#include <string_view>

class TFiler;
class TReader;
class TWriter;

// Raised when an object cannot take the value of another: "Cannot assign a %s to a %s".
class EConvertError : public platform::Error {
public:
    using Error::Error;
};

// A class's name and its parent's: the type tests of the component model, with no RTTI in the program.
struct TClassInfo {
    std::string_view name;
    const TClassInfo* parent;
};

class TObject {
public:
    static constexpr TClassInfo kClassInfo{"TObject", nullptr};

    virtual ~TObject() = default;
    // Each class overrides this with its own kClassInfo, which names its parent's.
    virtual const TClassInfo& ClassInfo() const { return kClassInfo; }
    std::string_view ClassName() const { return ClassInfo().name; }
    bool InheritsFrom(const TClassInfo& ancestor) const {
        for (const TClassInfo* info = &ClassInfo(); info != nullptr; info = info->parent)
            if (info == &ancestor)
                return true;
        return false;
    }
};

// `object` as a T when it is one (or derives from it), else null.
template <class T, class From> T* ObjectAs(From* object) {
    return object != nullptr && object->InheritsFrom(T::kClassInfo) ? static_cast<T*>(object) : nullptr;
}

// An object that can copy itself from another and take part in the form-layout format.
class TPersistent : public TObject {
public:
    static constexpr TClassInfo kClassInfo{"TPersistent", &TObject::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // Copies `source` into this object. The base asks the source to assign itself here and fails with
    // "Cannot assign a %s to a %s" when it cannot (a null source is named "nil").
    virtual void Assign(const TPersistent* source);

    // Properties the class stores in its own way, like a "Data" block.
    virtual void DefineProperties(TFiler& filer);
    // Reads the published property `name` from the reader; false when the class has no such property.
    virtual bool ReadProperty(std::string_view name, TReader& reader);
    // The object behind a property that holds one ("Font", "BmpNormal", "Wave"), for dotted paths.
    virtual TPersistent* SubObject(std::string_view name);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};
