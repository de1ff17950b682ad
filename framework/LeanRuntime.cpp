// Linked into every shipped tool in place of parts of the static C++ runtime that would each
// bring tens of kilobytes the tools never use: the verbose terminate handler with its name
// demangler and stdio, the standard exceptions' message strings with a second string type, and
// the library's prebuilt std::wstring with every member. With sections of their own, the
// members instantiated here that no tool calls are dropped at link time.
#include <cstdlib>
#include <new>
#include <string>

namespace __gnu_cxx {
// Every system entry catches all exceptions: reaching terminate is a bug, and a tool has no
// console to print to.
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx

// The containers' failures. Thrown as the smallest standard exception: the guards at the
// system entries catch every kind alike, and no tool reads a message.
namespace std {
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_alloc();
}
void __throw_length_error(const char*) {
    throw std::bad_alloc();
}
void __throw_logic_error(const char*) {
    throw std::bad_alloc();
}
void __throw_out_of_range_fmt(const char*, ...) {
    throw std::bad_alloc();
}
} // namespace std

template class std::basic_string<wchar_t>;
