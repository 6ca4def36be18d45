#include "audio/CSampleCoding.h"

#include <cstring>
#include <type_traits>

namespace {

// The Bytes bytes at b as an unsigned number, in the given byte order.
template <int Bytes, bool Big> uint64_t Load(const uint8_t* b) noexcept {
    uint64_t v = 0;
    for (int i = 0; i < Bytes; ++i) {
        v |= static_cast<uint64_t>(b[Big ? Bytes - 1 - i : i]) << (8 * i);
    }
    return v;
}

template <int Bytes, bool Big> void Store(uint64_t v, uint8_t* b) noexcept {
    for (int i = 0; i < Bytes; ++i) {
        b[Big ? Bytes - 1 - i : i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

template <int Bytes, bool Big> void DecodeInt(const uint8_t* b, double* s, std::size_t n) noexcept {
    constexpr int kShift = 64 - 8 * Bytes;
    for (std::size_t i = 0; i < n; ++i, b += Bytes) {
        // Moving the sample to the top sign-extends it on the way back.
        s[i] = static_cast<double>(static_cast<int64_t>(Load<Bytes, Big>(b) << kShift) >> kShift);
    }
}

template <int Bytes, bool Big> void EncodeInt(const double* s, uint8_t* b, std::size_t n) noexcept {
    for (std::size_t i = 0; i < n; ++i, b += Bytes) {
        Store<Bytes, Big>(static_cast<uint64_t>(static_cast<int64_t>(s[i])), b);
    }
}

template <class F, bool Big> void DecodeFloat(const uint8_t* b, double* s, std::size_t n) noexcept {
    using Bits = std::conditional_t<sizeof(F) == 4, uint32_t, uint64_t>;
    for (std::size_t i = 0; i < n; ++i, b += sizeof(F)) {
        const auto v = static_cast<Bits>(Load<sizeof(F), Big>(b));
        F f;
        std::memcpy(&f, &v, sizeof f);
        s[i] = f;
    }
}

template <class F, bool Big> void EncodeFloat(const double* s, uint8_t* b, std::size_t n) noexcept {
    using Bits = std::conditional_t<sizeof(F) == 4, uint32_t, uint64_t>;
    for (std::size_t i = 0; i < n; ++i, b += sizeof(F)) {
        const auto f = static_cast<F>(s[i]);
        Bits v;
        std::memcpy(&v, &f, sizeof v);
        Store<sizeof(F), Big>(v, b);
    }
}

// The codec for one coding, chosen once per call so that the loops stay tight.
template <class Op8, class Op16, class Op24, class Op32, class OpF, class OpD>
void Dispatch(int bits, bool isFloat, Op8 op8, Op16 op16, Op24 op24, Op32 op32, OpF opF, OpD opD) {
    if (isFloat) {
        bits == 32 ? opF() : opD();
        return;
    }
    switch (bits) {
    case 8:
        op8();
        break;
    case 16:
        op16();
        break;
    case 24:
        op24();
        break;
    default:
        op32();
        break;
    }
}

} // namespace

CSampleCoding CSampleCoding::Integer(int bits, bool bigEndian) {
    return {bits, false, bigEndian, false};
}

CSampleCoding CSampleCoding::UnsignedByte() {
    return {8, false, false, true};
}

CSampleCoding CSampleCoding::Float(int bits, bool bigEndian) {
    return {bits, true, bigEndian, false};
}

double CSampleCoding::Lowest() const {
    return -static_cast<double>(int64_t{1} << (mBits - 1));
}

double CSampleCoding::Highest() const {
    return static_cast<double>((int64_t{1} << (mBits - 1)) - 1);
}

void CSampleCoding::Decode(const uint8_t* bytes, double* samples,
                           std::size_t count) const noexcept {
    if (mOffset) {
        for (std::size_t i = 0; i < count; ++i) {
            samples[i] = bytes[i] - 128;
        }
        return;
    }
    const auto run = [&]<bool Big>() {
        Dispatch(
            mBits, mFloat, [&] { DecodeInt<1, Big>(bytes, samples, count); },
            [&] { DecodeInt<2, Big>(bytes, samples, count); },
            [&] { DecodeInt<3, Big>(bytes, samples, count); },
            [&] { DecodeInt<4, Big>(bytes, samples, count); },
            [&] { DecodeFloat<float, Big>(bytes, samples, count); },
            [&] { DecodeFloat<double, Big>(bytes, samples, count); });
    };
    mBigEndian ? run.template operator()<true>() : run.template operator()<false>();
}

void CSampleCoding::Encode(const double* samples, uint8_t* bytes,
                           std::size_t count) const noexcept {
    if (mOffset) {
        for (std::size_t i = 0; i < count; ++i) {
            bytes[i] = static_cast<uint8_t>(static_cast<int>(samples[i]) + 128);
        }
        return;
    }
    const auto run = [&]<bool Big>() {
        Dispatch(
            mBits, mFloat, [&] { EncodeInt<1, Big>(samples, bytes, count); },
            [&] { EncodeInt<2, Big>(samples, bytes, count); },
            [&] { EncodeInt<3, Big>(samples, bytes, count); },
            [&] { EncodeInt<4, Big>(samples, bytes, count); },
            [&] { EncodeFloat<float, Big>(samples, bytes, count); },
            [&] { EncodeFloat<double, Big>(samples, bytes, count); });
    };
    mBigEndian ? run.template operator()<true>() : run.template operator()<false>();
}
