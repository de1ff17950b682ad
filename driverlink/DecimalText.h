#pragma once
#include <cstddef>
#include <cstdint>

// A number's decimal digits as "%d" prints them, zero-terminated, without the C library's
// formatting machinery, which would bring tens of kilobytes of float formatting into each tool.
template <class Char> class DecimalText {
  public:
    explicit DecimalText(std::int64_t value) {
        std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                            : static_cast<std::uint64_t>(value);
        m_first = kCapacity - 1;
        m_text[m_first] = Char{};
        do {
            m_text[--m_first] = static_cast<Char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0) {
            m_text[--m_first] = static_cast<Char>('-');
        }
    }

    const Char* c_str() const { return m_text + m_first; }

  private:
    // Sign, 19 digits and the terminator.
    static constexpr std::size_t kCapacity = 21;
    Char m_text[kCapacity];
    std::size_t m_first;
};
