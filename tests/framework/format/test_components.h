#pragma once

#include "ui/framework/format/class_registry.h"
#include "ui/framework/format/component.h"
#include "ui/framework/format/events.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_text.h"
#include "ui/framework/format/form_writer.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// Small classes that use every kind of value the format carries.

// A sub-object with a published property and a defined binary block.
class TTestFont : public TPersistent {
public:
    static constexpr TClassInfo kClassInfo{"TTestFont", &TPersistent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }
    bool ReadProperty(std::string_view name, TReader& reader) override {
        if (name == "Name")
            fontName = reader.ReadString();
        else if (name == "Style")
            style = reader.ReadSetBits(kStyles);
        else
            return false;
        return true;
    }
    void WriteProperties(TWriter& writer) const {
        if (fontName != "Arial")
            writer.WriteString("Name", fontName);
        if (style != 0)
            writer.WriteSetBits("Style", style, kStyles);
    }
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                data.resize(static_cast<std::size_t>(s.Size()));
                s.ReadBuffer(data.data(), data.size());
            },
            [this](TStream& s) { s.WriteBuffer(data.data(), data.size()); }, !data.empty());
    }

    static constexpr std::array<std::string_view, 3> kStyles = {"fsBold", "fsItalic", "fsUnderline"};
    std::string fontName = "Arial";
    std::uint32_t style = 0;
    std::vector<std::uint8_t> data;
};

class TTestItem : public TComponent {
public:
    explicit TTestItem(TComponent* owner) : TComponent(owner) {}
    static constexpr TClassInfo kClassInfo{"TTestItem", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    bool ReadProperty(std::string_view name, TReader& reader) override {
        if (name == "Count")
            count = reader.ReadInteger();
        else if (name == "Caption")
            caption = reader.ReadString();
        else if (name == "Visible")
            visible = reader.ReadBool();
        else if (name == "Color")
            color = reader.ReadIdent();
        else if (name == "Partner")
            reader.ReadReference(partner);
        else if (name == "OnClick")
            OnClick = reader.ReadEvent<void(TObject*)>();
        else
            return TComponent::ReadProperty(name, reader);
        return true;
    }
    void WriteProperties(TWriter& writer) const {
        if (count != 0)
            writer.WriteInteger("Count", count);
        if (!caption.empty())
            writer.WriteString("Caption", caption);
        writer.WriteBool("Visible", visible);
        if (!color.empty())
            writer.WriteIdent("Color", color);
        writer.WriteReference("Partner", partner);
        writer.WriteEvent("OnClick", OnClick);
        writer.WriteObject("Font", font);
    }
    TPersistent* SubObject(std::string_view name) override { return name == "Font" ? &font : nullptr; }
    void SetParentComponent(TComponent* value) override { parent = value; }
    bool HasParent() const override { return parent != nullptr && parent != Owner(); }
    void GetChildren(const std::function<void(TComponent&)>& proc, TComponent& root) override {
        for (int i = 0; i < root.ComponentCount(); ++i)
            if (auto* item = ObjectAs<TTestItem>(root.Component(i)); item != nullptr && item->parent == this)
                proc(*item);
    }
    void Loaded() override {
        TComponent::Loaded();
        ++loadedCalls;
    }

    std::int32_t count = 0;
    std::string caption;
    bool visible = true;
    std::string color;
    TTestItem* partner = nullptr;
    TNotifyEvent OnClick;
    TTestFont font;
    TComponent* parent = nullptr;
    int loadedCalls = 0;
};

// A root that publishes one click handler.
class TTestForm : public TComponent {
public:
    TTestForm() : TComponent(nullptr) {
        PublishMethod("ItemClick",
                      std::function<void(TObject*)>([this](TObject* sender) { clicked = sender; }));
        PublishMethod("Other", std::function<void(int)>([](int) {}));
    }
    // Ignores the owner, as a root may: the reader refuses it as a child.
    explicit TTestForm(TComponent*) : TTestForm() {}
    static constexpr TClassInfo kClassInfo{"TTestForm", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }
    TTestItem* Item(std::string_view name) const { return ObjectAs<TTestItem>(FindComponent(name)); }

    TObject* clicked = nullptr;
};

inline void RegisterTestClasses() {
    RegisterComponentClass<TTestItem>("TTestItem");
    RegisterComponentClass<TTestForm>("TTestForm");
    RegisterPropertyWriters<TTestFont, TTestItem>();
}

// A design's binary form from its text form (strings taken as they are).
inline std::vector<std::uint8_t> DesignFromText(std::string_view text) {
    TMemoryStream out;
    TFormTextHost host;
    host.convertString = [](std::string_view s) { return std::string(s); };
    host.readFile = [](const std::string& path) -> std::vector<std::uint8_t> {
        return std::vector<std::uint8_t>(path.begin(), path.end());
    };
    ObjectTextToBinary(text, out, host);
    return out.TakeBytes();
}
