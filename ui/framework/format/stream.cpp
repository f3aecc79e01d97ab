#include "ui/framework/format/stream.h"

#include "ui/framework/format/little_endian.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

std::int64_t TStream::Size() {
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(position);
    return size;
}

std::int64_t TStream::Remaining() {
    const std::int64_t position = Position();
    return std::max<std::int64_t>(0, Size() - position);
}

void TStream::ReadBuffer(void* buffer, std::size_t count) {
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::size_t count) {
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count) {
    if (position_ >= bytes_.size())
        return 0;
    const std::size_t n = std::min(count, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0)
        return 0;
    if (position_ + count > bytes_.size())
        bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent)
        base = static_cast<std::int64_t>(position_);
    else if (origin == TSeekOrigin::soEnd)
        base = static_cast<std::int64_t>(bytes_.size());
    position_ = static_cast<std::size_t>(std::max<std::int64_t>(0, base + offset));
    return static_cast<std::int64_t>(position_);
}

void TMemoryStream::SetSize(std::size_t size) {
    bytes_.resize(size);
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
    bytes_.clear();
    position_ = 0;
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes() {
    position_ = 0;
    return std::exchange(bytes_, {});
}

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) {
    if (mode == fmCreate) {
        file_ = std::fopen(fileName.c_str(), "w+b");
        if (file_ == nullptr)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
        return;
    }
    const char* openMode = (mode & 0x3) == fmOpenRead ? "rb" : "r+b";
    file_ = std::fopen(fileName.c_str(), openMode);
    if (file_ == nullptr)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
    std::fclose(file_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
    return std::fread(buffer, 1, count, file_);
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
    const std::size_t n = std::fwrite(buffer, 1, count, file_);
    return std::fflush(file_) == 0 ? n : 0;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    // Files here are far below 2 GB, which a long reaches on every target.
    std::fseek(file_, static_cast<long>(offset), whence);
    return std::ftell(file_);
}

std::vector<std::uint8_t> ReadCountedBlock(TStream& stream) {
    std::uint8_t stored[4];
    stream.ReadBuffer(stored, sizeof stored);
    const std::uint32_t count = LoadLittleEndian(stored, sizeof stored);
    if (count > stream.Remaining())
        throw EReadError("Stream read error");
    std::vector<std::uint8_t> bytes(count);
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void WriteCountedBlock(TStream& stream, const std::vector<std::uint8_t>& bytes) {
    std::uint8_t count[4];
    StoreLittleEndian(count, static_cast<std::uint32_t>(bytes.size()), sizeof count);
    stream.WriteBuffer(count, sizeof count);
    stream.WriteBuffer(bytes.data(), bytes.size());
}
