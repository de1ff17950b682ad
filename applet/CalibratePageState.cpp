#include "CalibratePageState.h"
#include <algorithm>
#include <cwctype>

std::int32_t LeadingNumber(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    // Saturates instead of overflowing on an absurdly long run of digits.
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (text[i] - L'0'), INT32_MAX);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

int PositionInRange(std::uint32_t stored, int lowest, int highest) {
    return std::clamp(static_cast<int>(stored & 0xFFFFu), lowest, highest);
}

CalibratePageState::CalibratePageState(DriverParameters& parameters, const ParametersStore& store)
    : m_parameters(parameters), m_store(store), m_margin(parameters.CalibrateMargin) {}

int CalibratePageState::InitialPosition() const {
    return PositionInRange(m_parameters.CalibrateMargin, kLowest, kHighest);
}

void CalibratePageState::OnTextChanged(std::wstring_view text) {
    m_margin = static_cast<std::uint32_t>(LeadingNumber(text));
    m_store.WriteMargin(m_margin);
}

void CalibratePageState::Accept() {
    if (m_margin != m_parameters.CalibrateMargin) {
        m_parameters.CalibrateMargin = m_margin;
        m_store.WriteMargin(m_margin);
    }
}

void CalibratePageState::Revert() {
    if (m_margin != m_parameters.CalibrateMargin) {
        m_store.WriteMargin(m_parameters.CalibrateMargin);
    }
}
