#pragma once
#include <cstdint>

// Which touch driver the tools address: the USB one or the serial one.
enum class DriverKind : std::uint32_t { Serial = 0, Usb = 1 };

// The kind every delivered tool is built for.
DriverKind DeliveredDriverKind();

// "\\.\VelmuroSymLnk1" or "\\.\CorvatinSymLnk1".
const char* DeviceLinkName(DriverKind kind);

// The driver's settings key below HKEY_LOCAL_MACHINE.
const char* ParametersKeyPath(DriverKind kind);
