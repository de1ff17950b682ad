#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The command line a link starts when the shell cannot open its target itself: the program
// registered for web pages, given the target in place of its "%1".
namespace LinkCommandLine {

// Room for a registry value and for the command line, terminating zero included.
inline constexpr std::size_t kValueCapacity = 260;
inline constexpr std::size_t kCommandCapacity = 520;

// The text of a value read whole from the registry: up to its first zero character. None
// when it is empty or would not fit its room with the terminator: a value that is cut short
// names another key or program than the one registered.
std::optional<std::wstring> ValueText(std::wstring_view data);

// The registered command cut at its placeholder (the quoted one first, else a bare "%1", else
// its end), then a blank and the target. None when that does not fit its room.
std::optional<std::wstring> Build(std::wstring_view registered, std::wstring_view target);

} // namespace LinkCommandLine
