#pragma once
#include <cstdint>
#include <string>

// What the user reads when a link's target could not be opened, for the shell's result code.
std::wstring OpenErrorMessage(std::intptr_t code);
