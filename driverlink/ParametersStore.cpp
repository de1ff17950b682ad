#include "ParametersStore.h"
#include "DecimalText.h"
#include "ParameterTable.h"
#include "RegistryKey.h"

namespace {

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

template <std::size_t N>
void ReadInOrder(const RegistryKey& key, const char* const (&order)[N],
                 DriverParameters& parameters) {
    for (const char* name : order) {
        if (const auto value = key.ReadDword(name)) {
            parameters.*ParameterTable::Find(name).field = *value;
        }
    }
}

void WriteNewKeyValues(const RegistryKey& key) {
    for (const char* name : ParameterTable::kNewKeyOrder) {
        const ParameterValue& value = ParameterTable::Find(name);
        if (value.type == RegType::Binary) {
            const CalibrationRecordBytes zero{};
            key.WriteBinary(name, zero.data(), kCalibrationRecordSize);
        } else {
            key.WriteDword(name, *value.newKeyValue);
        }
    }
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
    ReadInOrder(key, ParameterTable::kLoadOrder, parameters);
    if (m_kind == DriverKind::Serial) {
        ReadInOrder(key, ParameterTable::kSerialLoadOrder, parameters);
    }
}

void ParametersStore::Store(const DriverParameters& parameters) const {
    RegistryKey key(m_registry,
                    m_registry.Open(RegistryApi::kLocalMachine, ParametersKeyPath(m_kind)));
    if (!key) {
        return;
    }
    for (const char* name : ParameterTable::kStoreOrder) {
        key.WriteDword(name, parameters.*ParameterTable::Find(name).field);
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
    const DecimalText<char> text(static_cast<std::int32_t>(dblClickRegion));
    RegistryKey key(m_registry, m_registry.Open(RegistryApi::kCurrentUser, "Control Panel\\Mouse"));
    if (key) {
        key.WriteString("DoubleClickHeight", RegType::Sz, text.c_str());
        key.WriteString("DoubleClickWidth", RegType::Sz, text.c_str());
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
        WriteNewKeyValues(parameters);
    }
}
