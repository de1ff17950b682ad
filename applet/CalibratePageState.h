#pragma once
#include "DriverParameters.h"
#include "ParametersStore.h"
#include <cstdint>
#include <string_view>

// The Calibrate page's margin: live in the registry at every change, made the applet's value
// on OK, and put back on Cancel.
class CalibratePageState {
  public:
    static constexpr int kLowest = 1;
    static constexpr int kHighest = 25;

    CalibratePageState(DriverParameters& parameters, const ParametersStore& store);

    // Where the spin control starts: the low 16 bits of the loaded margin, within its range.
    int InitialPosition() const;
    // The edit's text changed: its leading number becomes the margin, written at once.
    void OnTextChanged(std::wstring_view text);
    void Accept();
    void Revert();

    std::uint32_t Margin() const { return m_margin; }

  private:
    DriverParameters& m_parameters;
    const ParametersStore& m_store;
    std::uint32_t m_margin = 0;
};

// The leading decimal number of a text as the C library reads it: blanks, a sign, digits;
// no digits give 0.
std::int32_t LeadingNumber(std::wstring_view text);

// The low 16 bits of a stored value, placed within a control's range.
int PositionInRange(std::uint32_t stored, int lowest, int highest);
