#include "ui/framework/bitmap.h"

#include "ui/framework/format/bmp_file.h"
#include "ui/framework/format/filer.h"
#include "ui/framework/format/stream.h"
#include "ui/framework/module_resource.h"

#include <algorithm>
#include <cstring>

using framework::SelectGuard;
using framework::UniqueDc;

namespace {

constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

[[noreturn]] void Invalid() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

BITMAPINFOHEADER HeaderOf(std::span<const std::uint8_t> info) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, info.data(), sizeof header);
    return header;
}

std::size_t Stride(int width, int bitCount) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32) * 4;
}

} // namespace

void TBitmap::LoadDib(const std::optional<Dib>& dib) {
    if (!dib)
        Invalid();
    ReplaceImage(dib->info, dib->bits);
}

// The context that the bitmap is selected into while someone draws on it.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~BitmapCanvas() override { Free(); }

    void Free() {
        selected_.reset();
        dc_.reset();
        SetHandle(nullptr);
    }

protected:
    HDC CreateHandle() override {
        dc_.reset(::CreateCompatibleDC(nullptr));
        if (owner_.handle_)
            selected_ = std::make_unique<SelectGuard>(dc_.get(), owner_.handle_.get());
        return dc_.get();
    }

private:
    TBitmap& owner_;
    UniqueDc dc_;
    std::unique_ptr<SelectGuard> selected_;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    canvas_.reset();
}

int TBitmap::BitCount() const {
    return info_.empty() ? 0 : HeaderOf(info_).biBitCount;
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_ && BitCount() == 32)
        return;
    if (width <= 0 || height <= 0) {
        ReplaceImage({}, {});
        return;
    }
    BITMAPINFOHEADER header{};
    header.biSize = kInfoHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<std::uint8_t> info(kInfoHeaderSize);
    std::memcpy(info.data(), &header, sizeof header);
    // A new image starts white, like a fresh sheet.
    const std::vector<std::uint8_t> white(Stride(width, 32) * static_cast<std::size_t>(height), 0xFF);
    ReplaceImage(info, white);
}

void TBitmap::LoadFromBmp(std::span<const std::uint8_t> file) {
    LoadDib(ReadBmpFile(file));
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const char* name) {
    const auto data = framework::ModuleResource(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!data)
        throw EInvalidGraphic("Resource " + std::string(name) + " not found");
    LoadDib(ReadPackedDib(*data));
}

std::vector<std::uint8_t> TBitmap::SaveToBmp() const {
    if (Empty())
        return {};
    ::GdiFlush();
    return BmpFile(info_, std::span<const std::uint8_t>(bits_, ImageSize()));
}

void TBitmap::LoadFromStream(TStream& stream) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBmp(bytes);
}

void TBitmap::SaveToStream(TStream& stream) const {
    const std::vector<std::uint8_t> bytes = SaveToBmp();
    stream.WriteBuffer(bytes.data(), bytes.size());
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_)
        canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::Draw(TCanvas& canvas, int x, int y) {
    if (!Empty())
        ::BitBlt(canvas.Handle(), x, y, width_, height_, Canvas().Handle(), 0, 0, SRCCOPY);
}

void TBitmap::StretchDraw(TCanvas& canvas, const RECT& dest) {
    if (!Empty())
        canvas.CopyRect(dest, Canvas(), RECT{0, 0, width_, height_});
}

HBITMAP TBitmap::Handle() {
    if (canvas_)
        canvas_->Free();
    return static_cast<HBITMAP>(handle_.get());
}

void TBitmap::Assign(const TPersistent* source) {
    if (source == nullptr) {
        ReplaceImage({}, {});
        return;
    }
    const auto* bitmap = ObjectAs<const TBitmap>(source);
    if (bitmap == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    ::GdiFlush();
    ReplaceImage(bitmap->info_, std::span<const std::uint8_t>(bitmap->bits_, bitmap->ImageSize()));
}

void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& stream) { LoadFromBmp(ReadCountedBlock(stream)); },
        [this](TStream& stream) { WriteCountedBlock(stream, SaveToBmp()); }, !Empty());
}

std::size_t TBitmap::ImageSize() const {
    if (info_.empty())
        return 0;
    const BITMAPINFOHEADER h = HeaderOf(info_);
    return Stride(h.biWidth, h.biBitCount) *
           static_cast<std::size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
}

// Makes a new DIB section from a header and colour table; missing pixel bytes stay zero.
void TBitmap::ReplaceImage(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    if (canvas_)
        canvas_->Free();
    framework::UniqueGdiObject handle;
    std::uint8_t* newBits = nullptr;
    int width = 0;
    int height = 0;
    if (!info.empty()) {
        std::vector<std::uint8_t> table(info.begin(), info.end());
        void* raw = nullptr;
        handle.reset(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(table.data()),
                                        DIB_RGB_COLORS, &raw, nullptr, 0));
        if (!handle)
            throw EInvalidGraphic("Out of system resources");
        newBits = static_cast<std::uint8_t*>(raw);
        const BITMAPINFOHEADER h = HeaderOf(table);
        width = h.biWidth;
        height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
        const std::size_t size = Stride(width, h.biBitCount) * static_cast<std::size_t>(height);
        std::memset(newBits, 0, size);
        std::copy_n(bits.begin(), std::min(size, bits.size()), newBits);
        info_ = std::move(table);
    } else {
        info_.clear();
    }
    handle_ = std::move(handle);
    bits_ = newBits;
    width_ = width;
    height_ = height;
    Changed();
}

void TBitmap::Changed() {
    if (OnChange)
        OnChange();
}
