#pragma once

#include "platform/error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Errors of streams and of the form-layout format. Each one's text says what went wrong.
class EStreamError : public platform::Error {
public:
    using Error::Error;
};
// "Stream read error", and every fault found in a stored design.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// "Stream write error".
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// Cannot open file "<name>". <system's reason>
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// Cannot create file "<name>". <system's reason>
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a position.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads or writes up to `count` bytes at the position and returns how many were moved.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual std::int64_t Size();

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    // Bytes between the position and the end (0 when the position lies beyond the end).
    std::int64_t Remaining();

    // Exactly `count` bytes or EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};

// A block of bytes led by its 32-bit little-endian count, as bitmaps store their BMP file. A count
// beyond the stream is a short read, refused before anything is allocated for it.
std::vector<std::uint8_t> ReadCountedBlock(TStream& stream);
void WriteCountedBlock(TStream& stream, const std::vector<std::uint8_t>& bytes);

// A stream over an owned, growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }

    void SetSize(std::size_t size);
    void Clear();
    const std::uint8_t* Memory() const { return bytes_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Open modes of a file stream.
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmCreate = 0xFFFF;

// A stream over a file. fmCreate creates the file or truncates it (EFCreateError when it cannot);
// the open modes need an existing file (EFOpenError).
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, std::uint16_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

private:
    std::FILE* file_ = nullptr;
};
