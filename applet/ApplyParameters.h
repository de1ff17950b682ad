#pragma once
#include "AdministratorCheck.h"
#include "DriverLink.h"
#include "DriverParameters.h"
#include "ParametersStore.h"

// What the applet does when the control panel lets it go: only an administrator's values
// reach the registry and the driver. `tellNoRights` shows the refusal to the user.
template <class TellNoRights>
void ApplyParameters(const DriverParameters& parameters, SecurityApi& security,
                     const ParametersStore& store, DriverLink& link, TellNoRights&& tellNoRights) {
    if (!HasAdministratorRights(security)) {
        tellNoRights();
        return;
    }
    store.Store(parameters);
    link.SetParameters(parameters);
    store.WriteMouseValues(parameters.DblClickRegion);
}
