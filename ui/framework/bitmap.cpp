#include "ui/framework/bitmap.h"

#include "ui/framework/filer.h"
#include "ui/framework/rle8.h"
#include "ui/framework/stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

using framework::SelectGuard;
using framework::UniqueDc;

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr int kMaxSide = 0x4000;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

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

// The length of the header and colour table that start `dib`, checked against its size.
std::size_t InfoLength(std::span<const std::uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize || ReadU32(dib, 0) < kInfoHeaderSize || ReadU32(dib, 0) > dib.size())
        Invalid();
    const BITMAPINFOHEADER h = HeaderOf(dib);
    if (h.biWidth <= 0 || h.biWidth > kMaxSide || h.biHeight == 0 || h.biHeight > kMaxSide ||
        h.biHeight < -kMaxSide || h.biPlanes != 1)
        Invalid();
    std::size_t colours = 0;
    switch (h.biBitCount) {
    case 1:
    case 4:
    case 8:
        colours = h.biClrUsed != 0 ? h.biClrUsed : (1u << h.biBitCount);
        if (colours > (1u << h.biBitCount))
            Invalid();
        break;
    case 16:
    case 24:
    case 32:
        colours = h.biClrUsed;
        break;
    default:
        Invalid();
    }
    std::size_t masks = 0;
    if (h.biCompression == BI_BITFIELDS && h.biSize == kInfoHeaderSize)
        masks = 3;
    else if (h.biCompression == BI_RLE8 ? h.biBitCount != 8 || h.biHeight < 0
                                        : h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        Invalid();
    const std::size_t length = h.biSize + (masks + colours) * 4;
    if (colours > 256 || length > dib.size())
        Invalid();
    return length;
}

} // namespace

// Takes a checked header and colour table and the pixels after them; a run-length encoded body is
// expanded first, since a DIB section holds plain rows.
void TBitmap::LoadDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
    BITMAPINFOHEADER h = HeaderOf(info);
    if (h.biCompression != BI_RLE8) {
        ReplaceImage(info, bits);
        return;
    }
    const std::optional<std::vector<std::uint8_t>> rows = DecodeRle8(bits, h.biWidth, h.biHeight);
    if (!rows)
        Invalid();
    h.biCompression = BI_RGB;
    h.biSizeImage = 0;
    std::vector<std::uint8_t> plain(info.begin(), info.end());
    std::memcpy(plain.data(), &h, sizeof h);
    ReplaceImage(plain, *rows);
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
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        Invalid();
    const std::span<const std::uint8_t> dib = file.subspan(kFileHeaderSize);
    const std::size_t infoLength = InfoLength(dib);
    const std::uint32_t offBits = ReadU32(file, 10);
    if (offBits < kFileHeaderSize + infoLength || offBits > file.size())
        Invalid();
    LoadDib(dib.first(infoLength), file.subspan(offBits));
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const char* name) {
    HRSRC found = ::FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (found == nullptr)
        throw EInvalidGraphic("Resource " + std::string(name) + " not found");
    const auto* data = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, found)));
    const std::span<const std::uint8_t> dib(data, ::SizeofResource(module, found));
    const std::size_t infoLength = InfoLength(dib);
    LoadDib(dib.first(infoLength), dib.subspan(infoLength));
}

std::vector<std::uint8_t> TBitmap::SaveToBmp() const {
    std::vector<std::uint8_t> file;
    if (Empty())
        return file;
    ::GdiFlush();
    const std::size_t imageSize = ImageSize();
    const auto offBits = static_cast<std::uint32_t>(kFileHeaderSize + info_.size());
    file.reserve(offBits + imageSize);
    file.push_back('B');
    file.push_back('M');
    PutU32(file, static_cast<std::uint32_t>(offBits + imageSize));
    PutU32(file, 0);
    PutU32(file, offBits);
    file.insert(file.end(), info_.begin(), info_.end());
    file.insert(file.end(), bits_, bits_ + imageSize);
    return file;
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
    const auto* bitmap = dynamic_cast<const TBitmap*>(source);
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
        std::memcpy(newBits, bits.data(), std::min(size, bits.size()));
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
