#pragma once

#include "ui/framework/bitmap.h"
#include "ui/framework/format/component.h"

#include <memory>
#include <vector>

// Images of one size, each with a mask whose white pixels are see-through.
// Stored as "Bitmap": the images side by side in one strip, as a 32-bit little-endian byte count and a
// BMP file, then optionally their masks in the same form. Without masks, the pixels of the strip's
// bottom-left colour are see-through. Only whole images are cut from the strip.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner) : TComponent(owner) {}
    static constexpr TClassInfo kClassInfo{"TImageList", &TComponent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    // Images are of one size: a new size drops those held.
    int Width() const { return width_; }
    void SetWidth(int width);
    int Height() const { return height_; }
    void SetHeight(int height);
    int Count() const { return static_cast<int>(images_.size()); }

    // Copies the image and its mask (white: see-through) and returns the new index.
    int Add(TBitmap& image, TBitmap& mask);
    // Copies the image; its pixels of `maskColor` become see-through.
    int AddMasked(TBitmap& image, TColor maskColor);
    void Clear() { images_.clear(); }

    // Draws image `index` with its mask; an index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index);
    // Makes `bitmap` the list's image size and draws image `index` into it; false, and the bitmap left
    // alone, for an index out of range.
    bool GetBitmap(int index, TBitmap& bitmap);

    bool ReadProperty(std::string_view name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const;
    void DefineProperties(TFiler& filer) override;

private:
    struct Entry {
        std::unique_ptr<TBitmap> image;
        std::unique_ptr<TBitmap> mask;
    };

    void ReadImages(TStream& stream);
    void WriteImages(TStream& stream) const;
    void AddStrip(TBitmap& strip, TBitmap* masks);

    int width_ = 16;
    int height_ = 16;
    std::vector<Entry> images_;
};
