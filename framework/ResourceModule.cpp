#include "ResourceModule.h"

namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE ResourceModule() {
    return g_resourceModule;
}

void SetResourceModule(HINSTANCE module) {
    g_resourceModule = module;
}
