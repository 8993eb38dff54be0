// The byte layout of the scenario file: little-endian 32-bit ints, IEEE
// doubles copied bit for bit, single bytes, 12-byte times (marker then
// 64-bit seconds) and 8-bit strings with a 1-, 3- or 7-byte length prefix.
// One description of a file's rows drives both directions through the
// Storing and Loading adaptors, so reading and writing cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Marker in front of a 64-bit time.
inline constexpr std::uint32_t kTime64Marker = 0x8000000Au;

class ArchiveError : public std::runtime_error {
public:
    enum class Kind {
        Truncated,     // the data ends inside a field (or a length runs past the end)
        BadValue,      // a count or time outside what the program can hold
        WideText,      // a 16-bit text marker: an encoding an 8-bit program never writes
    };
    ArchiveError(Kind kind, std::size_t offset, std::string what)
        : std::runtime_error(std::move(what)), kind_(kind), offset_(offset) {}
    Kind kind() const { return kind_; }
    // Byte offset of the field that failed.
    std::size_t offset() const { return offset_; }

private:
    Kind kind_;
    std::size_t offset_;
};

class ArchiveWriter {
public:
    void I32(std::int32_t v);
    void U16(std::uint16_t v);
    void U32(std::uint32_t v);
    void I64(std::int64_t v);
    void F64(double v);
    void U8(std::uint8_t v);
    void Time(std::int64_t seconds);
    // Shortest length prefix, then the bytes.
    void Str(std::string_view s);

    const std::vector<std::uint8_t>& Bytes() const { return buf_; }
    std::vector<std::uint8_t> Take() { return std::move(buf_); }

private:
    void LittleEndian(std::uint64_t v, std::size_t n);

    std::vector<std::uint8_t> buf_;
};

class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::int32_t I32();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int64_t I64();
    double F64();
    std::uint8_t U8();
    // A 12-byte time, or the legacy 4-byte form (the value itself,
    // sign-extended, as seconds).
    std::int64_t Time();
    std::string Str();

    std::size_t Pos() const { return pos_; }
    std::size_t Left() const { return data_.size() - pos_; }
    std::size_t Size() const { return data_.size(); }

private:
    void Need(std::size_t n, std::size_t fieldStart) const;
    std::uint64_t LittleEndian(std::size_t n, std::size_t fieldStart);

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

// Adaptors with one interface for both directions. A row description is a
// template over the adaptor:  io.Int(x); io.Real(y); io.Time(t); ...
class ArchiveStoring {
public:
    static constexpr bool kLoading = false;
    explicit ArchiveStoring(ArchiveWriter& w) : w_(w) {}
    void Int(int& v) { w_.I32(v); }
    // A count the loader checks against lo..hi.
    void Count(int& v, int /*lo*/, int /*hi*/) { w_.I32(v); }
    void Real(double& v) { w_.F64(v); }
    void Byte(char& c) { w_.U8(static_cast<std::uint8_t>(c)); }
    void Time(std::int64_t& t) { w_.Time(t); }
    void Text(std::string& s) { w_.Str(s); }

private:
    ArchiveWriter& w_;
};

class ArchiveLoading {
public:
    static constexpr bool kLoading = true;
    // Times outside minTime..maxTime (seconds) are refused as damaged.
    ArchiveLoading(ArchiveReader& r, std::int64_t minTime, std::int64_t maxTime)
        : r_(r), minTime_(minTime), maxTime_(maxTime) {}
    void Int(int& v) { v = r_.I32(); }
    void Count(int& v, int lo, int hi);
    void Real(double& v) { v = r_.F64(); }
    void Byte(char& c) { c = static_cast<char>(r_.U8()); }
    void Time(std::int64_t& t);
    void Text(std::string& s) { s = r_.Str(); }

private:
    ArchiveReader& r_;
    std::int64_t minTime_;
    std::int64_t maxTime_;
};

}  // namespace platform
