#pragma once
#include <cstdint>

// How the icon push button stays owner-drawn while the dialog manager moves the default
// state between push buttons by changing their styles.
namespace IconButtonStyle {

// The low five bits of a button's style say what kind of button it is.
inline constexpr std::uint32_t kTypeBits = 0x1F;
inline constexpr std::uint32_t kPushButton = 0x00;
inline constexpr std::uint32_t kDefaultPushButton = 0x01;
inline constexpr std::uint32_t kOwnerDrawn = 0x0B;

// Dialog codes a push button answers with.
inline constexpr std::uint32_t kDefaultPushCode = 0x0010;
inline constexpr std::uint32_t kUndefaultPushCode = 0x0020;

bool IsDefaultType(std::uint32_t style);

// The style of a template's push button once it draws itself.
std::uint32_t OwnerDrawn(std::uint32_t style);

struct StyleChange {
    std::uint32_t applied;
    bool isDefault;
};

// The dialog manager asks for `requested`: the button keeps drawing itself and remembers
// whether it is now the default one.
StyleChange Request(std::uint32_t requested, bool wasDefault);

// The answer to the dialog manager's question what kind of control this is.
std::uint32_t DialogCode(std::uint32_t standardAnswer, bool isDefault);

} // namespace IconButtonStyle
