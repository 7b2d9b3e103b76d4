#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The fuzzer's input read from the front, field by field. Past the end every
// number reads as 0 and every byte run is empty, and exhausted() tells the
// harness to stop asking.
class fuzzInput {
public:
    fuzzInput(const uint8_t* data, size_t size)
        : p(data)
        , end(data + size)
    {
    }

    bool exhausted() const { return p >= end; }
    size_t remaining() const { return size_t(end - p); }

    uint8_t u8() { return p < end ? *p++ : 0; }
    uint16_t u16()
    {
        const uint16_t lo = u8();
        return uint16_t(lo | (u8() << 8));
    }
    uint32_t u32()
    {
        const uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }

    // Up to n bytes into out; returns how many there were.
    size_t bytes(void* out, size_t n)
    {
        const size_t k = n < remaining() ? n : remaining();
        if (k > 0)
            std::memcpy(out, p, k);
        p += k;
        return k;
    }
    QByteArray bytes(size_t n)
    {
        const size_t k = n < remaining() ? n : remaining();
        QByteArray out(reinterpret_cast<const char*>(p), qsizetype(k));
        p += k;
        return out;
    }
    // Everything left.
    QByteArray rest() { return bytes(remaining()); }

private:
    const uint8_t* p;
    const uint8_t* end;
};

// Writes the fields fuzzInput reads, for seed generators.
class fuzzOutput {
public:
    void u8(unsigned v) { out.append(char(v & 0xFF)); }
    void u16(unsigned v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void bytes(const QByteArray& b) { out.append(b); }
    void bytes(const void* data, size_t n) { out.append(static_cast<const char*>(data), qsizetype(n)); }

    QByteArray out;
};
