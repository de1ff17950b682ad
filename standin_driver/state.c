/* The stand-in's test-only values, kept under <service key>\StandIn. */
#include "standin.h"

static const WCHAR subkey[] = L"\\StandIn";

NTSTATUS StateInit(StandInState* state, PCUNICODE_STRING registryPath) {
    USHORT size = (USHORT)(registryPath->Length + sizeof(subkey));
    state->keyPath.Buffer = ExAllocatePoolWithTag(PagedPool, size, STANDIN_POOL_TAG);
    if (state->keyPath.Buffer == NULL)
        return STATUS_INSUFFICIENT_RESOURCES;
    state->keyPath.Length = 0;
    state->keyPath.MaximumLength = size;
    RtlCopyUnicodeString(&state->keyPath, registryPath);
    RtlAppendUnicodeToString(&state->keyPath, subkey);
    return STATUS_SUCCESS;
}

void StateFree(StandInState* state) {
    if (state->keyPath.Buffer != NULL)
        ExFreePoolWithTag(state->keyPath.Buffer, STANDIN_POOL_TAG);
    state->keyPath.Buffer = NULL;
}

static HANDLE OpenStateKey(StandInState* state) {
    OBJECT_ATTRIBUTES attributes;
    HANDLE key = NULL;
    InitializeObjectAttributes(&attributes, &state->keyPath,
                               OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    if (!NT_SUCCESS(
            ZwCreateKey(&key, KEY_ALL_ACCESS, &attributes, 0, NULL, REG_OPTION_NON_VOLATILE, NULL)))
        return NULL;
    return key;
}

/* Returns the value's data in pool memory (caller frees) or NULL when it is missing. */
static PKEY_VALUE_PARTIAL_INFORMATION QueryValue(StandInState* state, PCWSTR name) {
    UNICODE_STRING valueName;
    PKEY_VALUE_PARTIAL_INFORMATION info = NULL;
    ULONG needed = 0;
    NTSTATUS status;
    HANDLE key = OpenStateKey(state);
    if (key == NULL)
        return NULL;
    RtlInitUnicodeString(&valueName, name);
    status = ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, NULL, 0, &needed);
    if ((status == STATUS_BUFFER_TOO_SMALL || status == STATUS_BUFFER_OVERFLOW) && needed > 0) {
        info = ExAllocatePoolWithTag(PagedPool, needed, STANDIN_POOL_TAG);
        if (info != NULL && !NT_SUCCESS(ZwQueryValueKey(key, &valueName, KeyValuePartialInformation,
                                                        info, needed, &needed))) {
            ExFreePoolWithTag(info, STANDIN_POOL_TAG);
            info = NULL;
        }
    }
    ZwClose(key);
    return info;
}

ULONG StateReadDword(StandInState* state, PCWSTR name, ULONG fallback) {
    ULONG value = fallback;
    PKEY_VALUE_PARTIAL_INFORMATION info = QueryValue(state, name);
    if (info == NULL)
        return fallback;
    if (info->Type == REG_DWORD && info->DataLength == sizeof(ULONG))
        RtlCopyMemory(&value, info->Data, sizeof(ULONG));
    ExFreePoolWithTag(info, STANDIN_POOL_TAG);
    return value;
}

static void WriteValue(StandInState* state, PCWSTR name, ULONG type, const void* data,
                       ULONG length) {
    UNICODE_STRING valueName;
    HANDLE key = OpenStateKey(state);
    if (key == NULL)
        return;
    RtlInitUnicodeString(&valueName, name);
    ZwSetValueKey(key, &valueName, 0, type, (PVOID)data, length);
    ZwClose(key);
}

void StateWriteDword(StandInState* state, PCWSTR name, ULONG value) {
    WriteValue(state, name, REG_DWORD, &value, sizeof(value));
}

void StateWriteBinary(StandInState* state, PCWSTR name, const void* data, ULONG length) {
    WriteValue(state, name, REG_BINARY, data, length);
}

void StateReadScriptPoint(StandInState* state, ULONG index, UCHAR point[STANDIN_RAW_POINT_SIZE]) {
    ULONG count;
    PKEY_VALUE_PARTIAL_INFORMATION info = QueryValue(state, L"RawScript");
    RtlZeroMemory(point, STANDIN_RAW_POINT_SIZE);
    if (info == NULL)
        return;
    count = info->DataLength / STANDIN_RAW_POINT_SIZE;
    if (count > 0) {
        if (index >= count)
            index = count - 1;
        RtlCopyMemory(point, info->Data + index * STANDIN_RAW_POINT_SIZE, STANDIN_RAW_POINT_SIZE);
    }
    ExFreePoolWithTag(info, STANDIN_POOL_TAG);
}

BOOLEAN StateReadFails(StandInState* state, ULONG index) {
    ULONG i, position;
    BOOLEAN fails = FALSE;
    PKEY_VALUE_PARTIAL_INFORMATION info = QueryValue(state, L"ReadFailures");
    if (info == NULL)
        return FALSE;
    for (i = 0; i + sizeof(ULONG) <= info->DataLength && !fails; i += sizeof(ULONG)) {
        RtlCopyMemory(&position, info->Data + i, sizeof(ULONG));
        fails = position == index;
    }
    ExFreePoolWithTag(info, STANDIN_POOL_TAG);
    return fails;
}
