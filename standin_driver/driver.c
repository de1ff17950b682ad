/* Entry, unload and IRP plumbing of the stand-in touch driver. */
#include "standin.h"

static const WCHAR deviceName[] = L"\\Device\\" STANDIN_NAME;
static const WCHAR linkName[] = L"\\DosDevices\\" STANDIN_NAME L"SymLnk1";

static NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchOpenClose(PDEVICE_OBJECT device, PIRP irp) {
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI DispatchDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
    StandInState* state = device->DeviceExtension;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    ULONG inputLength = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outputLength = stack->Parameters.DeviceIoControl.OutputBufferLength;
    UCHAR* buffer = irp->AssociatedIrp.SystemBuffer;
    /* Input and output share the system buffer: keep the input before answering. */
    UCHAR input[STANDIN_LOG_INPUT_KEPT];
    ULONG kept = inputLength < sizeof(input) ? inputLength : sizeof(input);
    ULONG_PTR information = 0;
    NTSTATUS status;

    if (buffer == NULL)
        inputLength = outputLength = kept = 0;
    if (kept > 0)
        RtlCopyMemory(input, buffer, kept);

    KeWaitForSingleObject(&state->lock, Executive, KernelMode, FALSE, NULL);
    status = RequestHandle(state, code, input, inputLength, buffer, outputLength, &information);
    LogAppend(&state->log, code, inputLength, outputLength, status, input);
    LogPublish(state);
    KeReleaseMutex(&state->lock, FALSE);
    return Complete(irp, status, information);
}

static void NTAPI Unload(PDRIVER_OBJECT driver) {
    UNICODE_STRING link;
    PDEVICE_OBJECT device = driver->DeviceObject;
    RtlInitUnicodeString(&link, linkName);
    IoDeleteSymbolicLink(&link);
    if (device != NULL) {
        StandInState* state = device->DeviceExtension;
        LogFree(&state->log);
        StateFree(state);
        IoDeleteDevice(device);
    }
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    UNICODE_STRING device;
    UNICODE_STRING link;
    PDEVICE_OBJECT deviceObject = NULL;
    StandInState* state;
    NTSTATUS status;

    RtlInitUnicodeString(&device, deviceName);
    RtlInitUnicodeString(&link, linkName);
    status = IoCreateDevice(driver, sizeof(StandInState), &device, FILE_DEVICE_UNKNOWN, 0, FALSE,
                            &deviceObject);
    if (!NT_SUCCESS(status))
        return status;
    state = deviceObject->DeviceExtension;
    RtlZeroMemory(state, sizeof(*state));
    KeInitializeMutex(&state->lock, 0);
    status = StateInit(state, registryPath);
    if (NT_SUCCESS(status))
        status = LogInit(&state->log);
    if (NT_SUCCESS(status))
        status = IoCreateSymbolicLink(&link, &device);
    if (!NT_SUCCESS(status)) {
        LogFree(&state->log);
        StateFree(state);
        IoDeleteDevice(deviceObject);
        return status;
    }
    deviceObject->Flags |= DO_BUFFERED_IO;
    deviceObject->Flags &= ~DO_DEVICE_INITIALIZING;

    driver->MajorFunction[IRP_MJ_CREATE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchOpenClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchDeviceControl;
    driver->DriverUnload = Unload;

    /* A fresh start: empty log, no port open. */
    StateWriteDword(state, L"OpenPort", 0);
    LogPublish(state);
    return STATUS_SUCCESS;
}
