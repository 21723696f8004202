// What every fuzz target needs and nothing else: a byte reader over the input and a check that reports a broken
// invariant the way a sanitizer reports a fault, so that libFuzzer keeps the input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pdt::fuzz
{

// Takes bytes from the front of the input; an exhausted input reads as zeros.
class Bytes
{
  public:
    Bytes(const uint8_t *data, size_t size) : m_p(data), m_end(data + size)
    {
    }
    bool Empty() const
    {
        return m_p == m_end;
    }
    size_t Left() const
    {
        return size_t(m_end - m_p);
    }
    uint8_t Byte()
    {
        return m_p < m_end ? *m_p++ : 0;
    }
    int Int(int lo, int hi)
    {
        return lo + int(Word() % unsigned(hi - lo + 1));
    }
    // Low byte first. Each read is a statement of its own: the operands of one expression, or the arguments of
    // one call, are read in an order the compiler picks, and the replay build's compiler is not the fuzzer's.
    unsigned Word()
    {
        unsigned low = Byte();
        return low | unsigned(Byte()) << 8;
    }
    // A run of up to max bytes: a length byte, then that many bytes.
    std::string Run(size_t max = 255)
    {
        size_t n = std::min<size_t>({Byte(), max, Left()});
        std::string s(reinterpret_cast<const char *>(m_p), n);
        m_p += n;
        return s;
    }
    std::string Rest()
    {
        std::string s(reinterpret_cast<const char *>(m_p), Left());
        m_p = m_end;
        return s;
    }

  private:
    const uint8_t *m_p;
    const uint8_t *m_end;
};

// An invariant of the code under test does not hold: report it the way a sanitizer would, so libFuzzer keeps the
// input as a crash.
[[noreturn]] inline void Broken(const char *what, const std::string &detail = {})
{
    std::fprintf(stderr, "invariant broken: %s %s\n", what, detail.c_str());
    std::abort();
}

} // namespace pdt::fuzz

#define FUZZ_CHECK(cond, detail)                                                                                       \
    do                                                                                                                 \
    {                                                                                                                  \
        if (!(cond))                                                                                                   \
            ::pdt::fuzz::Broken(#cond, detail);                                                                        \
    } while (0)
