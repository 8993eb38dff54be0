#include "platform/Archive.h"

#include <bit>

namespace platform {

void ArchiveWriter::U8(std::uint8_t v) { buf_.push_back(v); }

void ArchiveWriter::LittleEndian(std::uint64_t v, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) buf_.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void ArchiveWriter::U16(std::uint16_t v) { LittleEndian(v, 2); }
void ArchiveWriter::U32(std::uint32_t v) { LittleEndian(v, 4); }
void ArchiveWriter::I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
void ArchiveWriter::I64(std::int64_t v) { LittleEndian(static_cast<std::uint64_t>(v), 8); }

void ArchiveWriter::F64(double v) { I64(static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(v))); }

void ArchiveWriter::Time(std::int64_t seconds) {
    U32(kTime64Marker);
    I64(seconds);
}

void ArchiveWriter::Str(std::string_view s) {
    const std::size_t n = s.size();
    if (n < 0xFF) {
        U8(static_cast<std::uint8_t>(n));
    } else if (n < 0xFFFE) {
        U8(0xFF);
        U16(static_cast<std::uint16_t>(n));
    } else {
        U8(0xFF);
        U16(0xFFFF);
        U32(static_cast<std::uint32_t>(n));
    }
    buf_.insert(buf_.end(), s.begin(), s.end());
}

void ArchiveReader::Need(std::size_t n, std::size_t fieldStart) const {
    if (n > data_.size() - pos_)
        throw ArchiveError(ArchiveError::Kind::Truncated, fieldStart,
                           "the data ends inside a field at byte " + std::to_string(fieldStart));
}

std::uint64_t ArchiveReader::LittleEndian(std::size_t n, std::size_t fieldStart) {
    Need(n, fieldStart);
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(data_[pos_ + i]) << (8 * i);
    pos_ += n;
    return v;
}

std::uint8_t ArchiveReader::U8() { return static_cast<std::uint8_t>(LittleEndian(1, pos_)); }
std::uint16_t ArchiveReader::U16() { return static_cast<std::uint16_t>(LittleEndian(2, pos_)); }
std::uint32_t ArchiveReader::U32() { return static_cast<std::uint32_t>(LittleEndian(4, pos_)); }
std::int32_t ArchiveReader::I32() { return static_cast<std::int32_t>(U32()); }
std::int64_t ArchiveReader::I64() { return static_cast<std::int64_t>(LittleEndian(8, pos_)); }
double ArchiveReader::F64() { return std::bit_cast<double>(LittleEndian(8, pos_)); }

std::int64_t ArchiveReader::Time() {
    const std::size_t start = pos_;
    std::uint32_t first = static_cast<std::uint32_t>(LittleEndian(4, start));
    if (first == kTime64Marker) return static_cast<std::int64_t>(LittleEndian(8, start));
    return static_cast<std::int32_t>(first);
}

std::string ArchiveReader::Str() {
    const std::size_t start = pos_;
    std::size_t n = static_cast<std::uint8_t>(LittleEndian(1, start));
    if (n == 0xFF) {
        std::uint16_t w = static_cast<std::uint16_t>(LittleEndian(2, start));
        if (w == 0xFFFE)
            throw ArchiveError(ArchiveError::Kind::WideText, start,
                               "a text in an unsupported encoding at byte " + std::to_string(start));
        if (w == 0xFFFF) n = static_cast<std::uint32_t>(LittleEndian(4, start));
        else n = w;
    }
    // Checked before anything is allocated: a damaged length cannot ask
    // for gigabytes.
    Need(n, start);
    std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
    pos_ += n;
    return s;
}

void ArchiveLoading::Count(int& v, int lo, int hi) {
    const std::size_t start = r_.Pos();
    v = r_.I32();
    if (v < lo || v > hi)
        throw ArchiveError(ArchiveError::Kind::BadValue, start,
                           "a count out of range at byte " + std::to_string(start));
}

void ArchiveLoading::Time(std::int64_t& t) {
    const std::size_t start = r_.Pos();
    t = r_.Time();
    if (t < minTime_ || t > maxTime_)
        throw ArchiveError(ArchiveError::Kind::BadValue, start,
                           "a time out of range at byte " + std::to_string(start));
}

}  // namespace platform
