#pragma once
#include "DriverKind.h"
#include "DriverParameters.h"
#include "DriverRecords.h"
#include "RegistryApi.h"
#include <optional>

// Reads and writes the driver's settings key and the user's double-click size. Registry
// failures are silent: a failed read leaves the value as it was, a failed write is skipped.
class ParametersStore {
  public:
    ParametersStore(RegistryApi& registry, DriverKind kind);

    void Load(DriverParameters& parameters) const;
    void Store(const DriverParameters& parameters) const;
    void WriteMargin(std::uint32_t margin) const;
    void WriteMouseValues(std::uint32_t dblClickRegion) const;
    std::optional<std::uint32_t> ReadMargin() const;
    // Reports whether the record reached the registry.
    bool StoreCalibration(const CalibrationRecord& record) const;
    // Writes the USB driver's service entry and gives it a settings key with defaults when
    // it has none; an existing settings key is never touched.
    void EnsureServiceEntry() const;

  private:
    RegistryApi& m_registry;
    DriverKind m_kind;
};
