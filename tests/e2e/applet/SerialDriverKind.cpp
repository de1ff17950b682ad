#include "DriverKind.h"

// Linked into the test-only serial applet in place of driverlink's definition, so the serial
// code paths run against the stand-in's serial link. Never shipped.
DriverKind DeliveredDriverKind() {
    return DriverKind::Serial;
}
