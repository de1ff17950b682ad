#pragma once
#include <string>

// "C:\Windows\system32\Panelo.cpl" -> "Panelo": the caption of a module's message boxes.
std::wstring FileStem(const std::wstring& path);
