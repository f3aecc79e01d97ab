#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

class TStream;
class TReader;
class TWriter;

// Tags that start every value of the form-layout format.
enum class TValueType : std::uint8_t {
    vaNull = 0x00,   // end of a list
    vaInt8 = 0x02,   // signed 8-bit
    vaInt16 = 0x03,  // signed 16-bit little-endian
    vaInt32 = 0x04,  // signed 32-bit little-endian
    vaString = 0x06, // 8-bit count, then the bytes
    vaIdent = 0x07,  // 8-bit count, then the bytes: an enumeration element, colour, handler or component
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,  // 32-bit little-endian count, then the bytes
    vaSet = 0x0B,     // element names (8-bit count, then the bytes), closed by an empty name
    vaLString = 0x0C, // 32-bit little-endian count, then the bytes
    vaNil = 0x0D,     // no handler, no component
};

// The first four bytes of a stored design.
inline constexpr char kFormSignature[4] = {'T', 'P', 'F', '0'};

// What the reader and the writer share: the properties a class defines for itself. A class's
// DefineProperties registers each one; the reader calls the read procedure when the design holds that
// property, the writer calls the write procedure when `hasData` is true.
class TFiler {
public:
    virtual ~TFiler() = default;

    // The read procedure gets a stream that holds exactly the stored bytes, positioned at its start;
    // the write procedure writes the bytes to store into the stream it gets.
    using BinaryReadProc = std::function<void(TStream&)>;
    using BinaryWriteProc = std::function<void(TStream&)>;
    virtual void DefineBinaryProperty(std::string_view name, const BinaryReadProc& readData,
                                      const BinaryWriteProc& writeData, bool hasData) = 0;

    // A defined property of any other value type: the read procedure reads one value with the reader's
    // Read... calls, the write procedure writes one with the writer's Write...Value calls.
    using ReadProc = std::function<void(TReader&)>;
    using WriteProc = std::function<void(TWriter&)>;
    virtual void DefineProperty(std::string_view name, const ReadProc& readValue, const WriteProc& writeValue,
                                bool hasData) = 0;
};
