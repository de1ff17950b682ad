// touchprobe: the end-to-end tests' eyes and hands inside the Wine prefix. Either one command
// per run ("touchprobe COMMAND ARGS...") or, with "touchprobe serve", one command per line of
// standard input. Results go to standard output as tab-separated fields, failures to standard
// error with a distinct exit code (see ProbeIo.h).
#include "Commands.h"

int wmain(int argc, wchar_t** argv) {
    const Args words(argv + 1, argv + argc);
    if (words.size() == 1 && words[0] == L"serve")
        return Serve();
    return RunCommand(words);
}
