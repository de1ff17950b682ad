#include "SingleInstance.h"

SingleInstance::SingleInstance(const wchar_t* name) : m_mutex(CreateMutexW(nullptr, TRUE, name)) {
    m_alreadyRunning = GetLastError() == ERROR_ALREADY_EXISTS;
}
