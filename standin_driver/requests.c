/* What the stand-in does for each of the tools' device-control requests. */
#include "standin.h"

/* A port switch set to 0 by a test makes the port requests fail like an unplugged line. */
static BOOLEAN PortRequestsSucceed(StandInState* state) {
    return StateReadDword(state, L"PortResult", 1) != 0;
}

static NTSTATUS OpenPort(StandInState* state, const UCHAR* input, ULONG inputLength) {
    ULONG port;
    if (inputLength < sizeof(ULONG))
        return STATUS_BUFFER_TOO_SMALL;
    if (!PortRequestsSucceed(state))
        return STATUS_PORT_DISCONNECTED;
    RtlCopyMemory(&port, input, sizeof(port));
    state->openPort = port;
    StateWriteDword(state, L"OpenPort", port);
    return STATUS_SUCCESS;
}

static NTSTATUS ClosePort(StandInState* state) {
    if (!PortRequestsSucceed(state))
        return STATUS_PORT_DISCONNECTED;
    state->openPort = 0;
    StateWriteDword(state, L"OpenPort", 0);
    return STATUS_SUCCESS;
}

static NTSTATUS ReadRawPoint(StandInState* state, UCHAR* output, ULONG outputLength,
                             ULONG_PTR* information) {
    ULONG position;
    if (outputLength < STANDIN_RAW_POINT_SIZE)
        return STATUS_BUFFER_TOO_SMALL;
    position = StateReadDword(state, L"ScriptPosition", 0);
    StateWriteDword(state, L"ScriptPosition", position + 1);
    /* A controller that lost the touch: the tools must not make a point up. */
    if (StateReadFails(state, position))
        return STATUS_DEVICE_NOT_READY;
    StateReadScriptPoint(state, position, output);
    *information = STANDIN_RAW_POINT_SIZE;
    return STATUS_SUCCESS;
}

/* Either a whole calibration record or nothing (the tools' "saved, use it" signal). */
static NTSTATUS SetCalibration(ULONG inputLength) {
    if (inputLength == 0 || inputLength == STANDIN_CALIBRATION_SIZE)
        return STATUS_SUCCESS;
    return inputLength < STANDIN_CALIBRATION_SIZE ? STATUS_BUFFER_TOO_SMALL
                                                  : STATUS_INVALID_PARAMETER;
}

static NTSTATUS NeedInput(ULONG inputLength, ULONG needed) {
    return inputLength < needed ? STATUS_BUFFER_TOO_SMALL : STATUS_SUCCESS;
}

NTSTATUS RequestHandle(StandInState* state, ULONG code, const UCHAR* input, ULONG inputLength,
                       UCHAR* output, ULONG outputLength, ULONG_PTR* information) {
    *information = 0;
    switch (code) {
    case STANDIN_CLOSE_PORT:
        return ClosePort(state);
    case STANDIN_OPEN_PORT:
        return OpenPort(state, input, inputLength);
    case STANDIN_SET_CALIBRATION:
        return SetCalibration(inputLength);
    case STANDIN_READ_RAW_POINT:
        return ReadRawPoint(state, output, outputLength, information);
    case STANDIN_SET_PARAMETERS:
        return NeedInput(inputLength, STANDIN_PARAMETERS_SIZE);
    case STANDIN_TEST_BEEP:
        return NeedInput(inputLength, STANDIN_BEEP_SIZE);
    default:
        return STATUS_INVALID_DEVICE_REQUEST;
    }
}
