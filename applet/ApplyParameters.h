#pragma once
#include "AdministratorCheck.h"
#include "DriverLink.h"
#include "DriverParameters.h"
#include "ParametersStore.h"

// What the applet does when the control panel lets it go: only an administrator's values
// reach the registry and the driver. `tellNoRights` shows the refusal to a user who had the
// sheet; a control panel that only listed its applets has nothing of the user's to refuse.
template <class TellNoRights>
void ApplyParameters(const DriverParameters& parameters, bool sheetRan, SecurityApi& security,
                     const ParametersStore& store, DriverLink& link, TellNoRights&& tellNoRights) {
    if (!HasAdministratorRights(security)) {
        if (sheetRan) {
            tellNoRights();
        }
        return;
    }
    store.Store(parameters);
    link.SetParameters(parameters);
    store.WriteMouseValues(parameters.DblClickRegion);
}
