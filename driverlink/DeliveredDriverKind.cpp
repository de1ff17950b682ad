#include "DriverKind.h"

// In a file of its own so that a test build can link another kind in its place.
DriverKind DeliveredDriverKind() {
    return DriverKind::Usb;
}
