// Little-endian byte encoding for the binary drawing format: an append-only
// writer and a bounds-checked reader that never reads past its input.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orv::io {

class ByteWriter {
public:
    void u8(uint8_t v) { mBytes.push_back(static_cast<char>(v)); }
    void u16(uint16_t v) { raw(&v, 2); }
    void u32(uint32_t v) { raw(&v, 4); }
    void u64(uint64_t v) { raw(&v, 8); }
    void f64(double v) { raw(&v, 8); }
    // Strings are a 32-bit byte count followed by the bytes (no terminator).
    void str(std::string_view s) {
        u32(static_cast<uint32_t>(s.size()));
        mBytes.append(s.data(), s.size());
    }
    void bytes(const void* data, size_t n) { mBytes.append(static_cast<const char*>(data), n); }
    // Overwrites 4 bytes at pos (used to patch lengths written ahead).
    void patchU32(size_t pos, uint32_t v) { std::memcpy(mBytes.data() + pos, &v, 4); }

    size_t size() const { return mBytes.size(); }
    const std::string& data() const { return mBytes; }
    std::string& data() { return mBytes; }
    void reserve(size_t n) { mBytes.reserve(n); }

private:
    // The format is little-endian; every supported target is too.
    static_assert(std::endian::native == std::endian::little);
    void raw(const void* p, size_t n) { mBytes.append(static_cast<const char*>(p), n); }
    std::string mBytes;
};

// Reads values in order; once any read runs past the end, the reader is
// failed, every later read gives zero values, and ok() stays false.
class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::string_view bytes) : mData(bytes) {}

    uint8_t u8() { uint8_t v = 0; raw(&v, 1); return v; }
    uint16_t u16() { uint16_t v = 0; raw(&v, 2); return v; }
    uint32_t u32() { uint32_t v = 0; raw(&v, 4); return v; }
    uint64_t u64() { uint64_t v = 0; raw(&v, 8); return v; }
    double f64() { double v = 0; raw(&v, 8); return v; }
    std::string str() {
        uint32_t n = u32();
        if (!need(n)) return {};
        std::string s(mData.substr(mPos, n));
        mPos += n;
        return s;
    }
    bool bytes(void* out, size_t n) { return raw(out, n); }
    std::string_view take(size_t n) {
        if (!need(n)) return {};
        std::string_view v = mData.substr(mPos, n);
        mPos += n;
        return v;
    }

    bool ok() const { return mOk; }
    void fail() { mOk = false; }
    size_t pos() const { return mPos; }
    size_t remaining() const { return mData.size() - mPos; }
    bool atEnd() const { return mPos >= mData.size(); }

private:
    bool need(size_t n) {
        if (!mOk || n > mData.size() - mPos) {
            mOk = false;
            return false;
        }
        return true;
    }
    bool raw(void* out, size_t n) {
        if (!need(n)) return false;
        std::memcpy(out, mData.data() + mPos, n);
        mPos += n;
        return true;
    }
    std::string_view mData;
    size_t mPos = 0;
    bool mOk = true;
};

}  // namespace orv::io
