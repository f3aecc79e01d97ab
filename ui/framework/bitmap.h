#pragma once

#include "ui/framework/canvas.h"
#include "ui/framework/format/persistent.h"
#include "ui/framework/gdi_guards.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TStream;
struct Dib;

// Raised for bytes that are not a bitmap this framework can hold.
class EInvalidGraphic : public platform::Error {
public:
    using Error::Error;
};

// A device-independent bitmap with a canvas for drawing and pixel access. Empty until sized or loaded.
class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    static constexpr TClassInfo kClassInfo{"TBitmap", &TPersistent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    int BitCount() const;
    // A new 32-bit image of that size, white; 0 x 0 empties the bitmap.
    void SetSize(int width, int height);

    // A complete BMP file.
    void LoadFromBmp(std::span<const std::uint8_t> file);
    std::vector<std::uint8_t> SaveToBmp() const;
    // A bitmap resource (a BMP without its file header) of `module`.
    void LoadFromResourceName(HINSTANCE module, const char* name);
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    TCanvas& Canvas();
    // The whole bitmap on `canvas`, at its own size or stretched to `dest`.
    void Draw(TCanvas& canvas, int x, int y);
    void StretchDraw(TCanvas& canvas, const RECT& dest);
    // The bitmap, taken out of the canvas's context so that it can be selected elsewhere.
    HBITMAP Handle();

    // A bitmap copies another's format and pixels; null empties it.
    void Assign(const TPersistent* source) override;
    // "Data": a 32-bit little-endian byte count, then the BMP file.
    void DefineProperties(TFiler& filer) override;

    // Told when the image is replaced or resized (not of drawing on the canvas).
    std::function<void()> OnChange;

private:
    class BitmapCanvas;

    void ReplaceImage(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);
    void LoadDib(const std::optional<Dib>& dib);
    std::size_t ImageSize() const;
    void Changed();

    std::vector<std::uint8_t> info_; // header and colour table
    framework::UniqueGdiObject handle_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<BitmapCanvas> canvas_;
};
