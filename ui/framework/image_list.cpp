#include "ui/framework/image_list.h"

#include "ui/framework/format/filer.h"
#include "ui/framework/format/form_reader.h"
#include "ui/framework/format/form_writer.h"
#include "ui/framework/format/stream.h"

namespace {

constexpr DWORD kDestAndNotSource = 0x00220326;

std::unique_ptr<TBitmap> CopyOf(TBitmap& bitmap) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(&bitmap);
    return copy;
}

} // namespace

void TImageList::SetWidth(int width) {
    if (width != width_)
        Clear();
    width_ = width;
}

void TImageList::SetHeight(int height) {
    if (height != height_)
        Clear();
    height_ = height;
}

int TImageList::Add(TBitmap& image, TBitmap& mask) {
    images_.push_back(Entry{CopyOf(image), CopyOf(mask)});
    return Count() - 1;
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
    auto mask = std::make_unique<TBitmap>();
    mask->SetSize(image.Width(), image.Height());
    TCanvas& source = image.Canvas();
    TCanvas& target = mask->Canvas();
    const COLORREF key = ColorToRGB(maskColor);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            target.SetPixel(x, y, source.Pixel(x, y) == key ? clWhite : clBlack);
    images_.push_back(Entry{CopyOf(image), std::move(mask)});
    return Count() - 1;
}

// Clears the opaque pixels of the destination, then adds the image with its see-through pixels black.
void TImageList::Draw(TCanvas& canvas, int x, int y, int index) {
    if (index < 0 || index >= Count())
        return;
    Entry& entry = images_[static_cast<std::size_t>(index)];
    const int w = entry.image->Width();
    const int h = entry.image->Height();
    TBitmap cut;
    cut.Assign(entry.image.get());
    ::BitBlt(cut.Canvas().Handle(), 0, 0, w, h, entry.mask->Canvas().Handle(), 0, 0, kDestAndNotSource);
    HDC dc = canvas.Handle();
    ::BitBlt(dc, x, y, w, h, entry.mask->Canvas().Handle(), 0, 0, SRCAND);
    ::BitBlt(dc, x, y, w, h, cut.Canvas().Handle(), 0, 0, SRCPAINT);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) {
    if (index < 0 || index >= Count())
        return false;
    bitmap.SetSize(width_, height_);
    Draw(bitmap.Canvas(), 0, 0, index);
    return true;
}

bool TImageList::ReadProperty(std::string_view name, TReader& reader) {
    if (name == "Width")
        SetWidth(reader.ReadInteger());
    else if (name == "Height")
        SetHeight(reader.ReadInteger());
    else if (name == "BkColor" || name == "Masked" || name == "DrawingStyle" || name == "ImageType")
        reader.SkipValue(); // images are always drawn masked over what lies beneath
    else
        return TComponent::ReadProperty(name, reader);
    return true;
}

void TImageList::WriteProperties(TWriter& writer) const {
    writer.WriteInteger("Width", width_);
    writer.WriteInteger("Height", height_);
}

void TImageList::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Bitmap", [this](TStream& stream) { ReadImages(stream); },
        [this](TStream& stream) { WriteImages(stream); }, !images_.empty());
}

void TImageList::ReadImages(TStream& stream) {
    TBitmap strip;
    strip.LoadFromBmp(ReadCountedBlock(stream));
    std::unique_ptr<TBitmap> masks;
    if (stream.Remaining() > 0) {
        masks = std::make_unique<TBitmap>();
        masks->LoadFromBmp(ReadCountedBlock(stream));
    }
    images_.clear();
    AddStrip(strip, masks.get());
}

void TImageList::AddStrip(TBitmap& strip, TBitmap* masks) {
    // The size comes from the design: an image larger than the strip is never made.
    if (width_ <= 0 || height_ <= 0 || width_ > strip.Width() || height_ > strip.Height())
        return;
    const TColor key = strip.Empty() ? clNone : strip.Canvas().Pixel(0, strip.Height() - 1);
    for (int left = 0; left + width_ <= strip.Width(); left += width_) {
        TBitmap image;
        image.SetSize(width_, height_);
        ::BitBlt(image.Canvas().Handle(), 0, 0, width_, height_, strip.Canvas().Handle(), left, 0, SRCCOPY);
        if (masks == nullptr) {
            AddMasked(image, key);
            continue;
        }
        TBitmap mask;
        mask.SetSize(width_, height_);
        ::BitBlt(mask.Canvas().Handle(), 0, 0, width_, height_, masks->Canvas().Handle(), left, 0, SRCCOPY);
        Add(image, mask);
    }
}

void TImageList::WriteImages(TStream& stream) const {
    TBitmap strip;
    TBitmap masks;
    strip.SetSize(width_ * Count(), height_);
    masks.SetSize(width_ * Count(), height_);
    for (int i = 0; i < Count(); ++i) {
        const Entry& entry = images_[static_cast<std::size_t>(i)];
        entry.image->Draw(strip.Canvas(), i * width_, 0);
        entry.mask->Draw(masks.Canvas(), i * width_, 0);
    }
    WriteCountedBlock(stream, strip.SaveToBmp());
    WriteCountedBlock(stream, masks.SaveToBmp());
}
