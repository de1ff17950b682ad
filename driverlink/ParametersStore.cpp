#include "ParametersStore.h"
#include "RegistryKey.h"
#include <cstdio>

namespace {

struct DwordField {
    const char* name;
    std::uint32_t DriverParameters::*field;
};

// Load's order of reads.
constexpr DwordField kLoadedFields[] = {
    {"MouseMode", &DriverParameters::MouseMode},
    {"InterActTime", &DriverParameters::InterActTime},
    {"BeepMode", &DriverParameters::BeepMode},
    {"BeepFreq", &DriverParameters::BeepFreq},
    {"BeepTime", &DriverParameters::BeepTime},
    {"DblClickRegion", &DriverParameters::DblClickRegion},
    {"CalibrateMargin", &DriverParameters::CalibrateMargin},
};

// The serial driver also keeps its port; the USB driver has none to read back.
constexpr DwordField kSerialOnlyFields[] = {
    {"Enable", &DriverParameters::Enable},
    {"Port", &DriverParameters::Port},
};

// Store's order of writes; the margin has a writer of its own.
constexpr DwordField kStoredFields[] = {
    {"MouseMode", &DriverParameters::MouseMode},
    {"InterActTime", &DriverParameters::InterActTime},
    {"BeepMode", &DriverParameters::BeepMode},
    {"BeepFreq", &DriverParameters::BeepFreq},
    {"BeepTime", &DriverParameters::BeepTime},
    {"DblClickRegion", &DriverParameters::DblClickRegion},
    {"Port", &DriverParameters::Port},
    {"Enable", &DriverParameters::Enable},
};

constexpr const char* kServicesPath = "SYSTEM\\CurrentControlSet\\Services";

struct StringValue {
    const char* name;
    RegType type;
    const char* text;
};

struct DwordValue {
    const char* name;
    std::uint32_t value;
};

constexpr StringValue kServiceStrings[] = {
    {"DisplayName", RegType::Sz, "Touchscreen USB filter driver"},
    {"Group", RegType::Sz, "Pointer Port"},
    {"ImagePath", RegType::ExpandSz, "system32\\DRIVERS\\Velmuro.sys"},
};

constexpr DwordValue kServiceDwords[] = {{"Start", 3}, {"Tag", 16}, {"Type", 1}};

void ReadInto(const RegistryKey& key, const DwordField& field, DriverParameters& parameters) {
    if (const auto value = key.ReadDword(field.name)) {
        parameters.*field.field = *value;
    }
}

void WriteNewKeyDefaults(const RegistryKey& key) {
    key.WriteDword("MouseMode", 3);
    key.WriteDword("InterActTime", 160);
    key.WriteDword("DblClickRegion", 30);
    const CalibrationRecordBytes zero{};
    key.WriteBinary("Calibration", zero.data(), kCalibrationRecordSize);
    key.WriteDword("CalibrateMargin", 4);
    key.WriteDword("Enable", 0);
}

} // namespace

ParametersStore::ParametersStore(RegistryApi& registry, DriverKind kind)
    : m_registry(registry), m_kind(kind) {}

void ParametersStore::Load(DriverParameters& parameters) const {
    RegistryKey key(m_registry,
                    m_registry.Open(RegistryApi::kLocalMachine, ParametersKeyPath(m_kind)));
    if (!key) {
        return;
    }
    for (const DwordField& field : kLoadedFields) {
        ReadInto(key, field, parameters);
    }
    if (m_kind == DriverKind::Serial) {
        for (const DwordField& field : kSerialOnlyFields) {
            ReadInto(key, field, parameters);
        }
    }
}

void ParametersStore::Store(const DriverParameters& parameters) const {
    RegistryKey key(m_registry,
                    m_registry.Open(RegistryApi::kLocalMachine, ParametersKeyPath(m_kind)));
    if (!key) {
        return;
    }
    for (const DwordField& field : kStoredFields) {
        key.WriteDword(field.name, parameters.*field.field);
    }
}

void ParametersStore::WriteMargin(std::uint32_t margin) const {
    RegistryKey key(m_registry,
                    m_registry.Open(RegistryApi::kLocalMachine, ParametersKeyPath(m_kind)));
    if (key) {
        key.WriteDword("CalibrateMargin", margin);
    }
}

void ParametersStore::WriteMouseValues(std::uint32_t dblClickRegion) const {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(dblClickRegion));
    RegistryKey key(m_registry, m_registry.Open(RegistryApi::kCurrentUser, "Control Panel\\Mouse"));
    if (key) {
        key.WriteString("DoubleClickHeight", RegType::Sz, text);
        key.WriteString("DoubleClickWidth", RegType::Sz, text);
    }
}

std::optional<std::uint32_t> ParametersStore::ReadMargin() const {
    RegistryKey key(m_registry,
                    m_registry.Open(RegistryApi::kLocalMachine, ParametersKeyPath(m_kind)));
    if (!key) {
        return std::nullopt;
    }
    return key.ReadDword("CalibrateMargin");
}

bool ParametersStore::StoreCalibration(const CalibrationRecord& record) const {
    RegistryKey key(m_registry, m_registry.OpenFullAccess(RegistryApi::kLocalMachine,
                                                          ParametersKeyPath(m_kind)));
    if (!key) {
        return false;
    }
    const CalibrationRecordBytes bytes = Serialize(record);
    return key.WriteBinary("Calibration", bytes.data(), kCalibrationRecordSize);
}

void ParametersStore::EnsureServiceEntry() const {
    RegistryKey services(m_registry, m_registry.Open(RegistryApi::kLocalMachine, kServicesPath));
    if (!services) {
        return;
    }
    RegistryApi::Key serviceKey = m_registry.Open(services.Get(), "Velmuro");
    if (serviceKey == RegistryApi::kNoKey) {
        bool createdNew = false;
        serviceKey = m_registry.Create(services.Get(), "Velmuro", createdNew);
    }
    RegistryKey service(m_registry, serviceKey);
    if (!service) {
        return;
    }
    for (const StringValue& value : kServiceStrings) {
        service.WriteString(value.name, value.type, value.text);
    }
    for (const DwordValue& value : kServiceDwords) {
        service.WriteDword(value.name, value.value);
    }

    if (RegistryKey(m_registry, m_registry.Open(service.Get(), "Parameters"))) {
        return;
    }
    // Defaults go only into a key made here, never over one that could not be opened.
    bool createdNew = false;
    RegistryKey parameters(m_registry, m_registry.Create(service.Get(), "Parameters", createdNew));
    if (parameters && createdNew) {
        WriteNewKeyDefaults(parameters);
    }
}
