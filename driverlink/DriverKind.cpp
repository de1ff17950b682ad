#include "DriverKind.h"

const char* DeviceLinkName(DriverKind kind) {
    return kind == DriverKind::Usb ? "\\\\.\\VelmuroSymLnk1" : "\\\\.\\CorvatinSymLnk1";
}

const char* ParametersKeyPath(DriverKind kind) {
    return kind == DriverKind::Usb ? "SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters"
                                   : "SYSTEM\\CurrentControlSet\\Services\\Corvatin\\Parameters";
}
