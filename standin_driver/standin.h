/*
 * Stand-in touch driver for the end-to-end tests: answers the tools' device-control requests
 * from a script and records every request, all through the registry.
 *
 * State key: <service key>\StandIn (the Parameters key belongs to the tools).
 *   RawScript      REG_BINARY  n x 12 bytes (rawX, rawY, third word): the points ReadRawPoint
 *                              returns in turn; after the last, the last again; none: zeros.
 *   ScriptPosition REG_DWORD   index of the next point in RawScript, advanced by ReadRawPoint.
 *   ReadFailures   REG_BINARY  n x 4 bytes: the script positions at which ReadRawPoint fails
 *                              (STATUS_DEVICE_NOT_READY, nothing returned); the position still
 *                              advances past them.
 *   PortResult     REG_DWORD   0 makes OpenPort and ClosePort fail; absent or other: succeed.
 *   OpenPort       REG_DWORD   written by the driver: the open port number, 0 when closed.
 *   RequestLog     REG_BINARY  written by the driver after each request since it started.
 *   LogDropped     REG_DWORD   written by the driver: requests left out of a full log.
 *
 * RequestLog is a sequence of entries, each five little-endian 32-bit words
 *   code, input length, output length, status returned, n
 * followed by n bytes: the first n bytes of the input (n = min(input length, 64)).
 */
#ifndef STANDIN_H
#define STANDIN_H

#include <ntddk.h>

#define STANDIN_STR2(x) #x
#define STANDIN_STR(x) STANDIN_STR2(x)
#define STANDIN_WIDEN2(x) L##x
#define STANDIN_WIDEN(x) STANDIN_WIDEN2(x)
/* STANDIN_DRIVER_NAME comes from the build: one binary per device link. */
#define STANDIN_NAME STANDIN_WIDEN(STANDIN_STR(STANDIN_DRIVER_NAME))

/* "SdIn" in a pool dump. */
#define STANDIN_POOL_TAG 0x6e496453u

#define STANDIN_CLOSE_PORT 0x222004u
#define STANDIN_OPEN_PORT 0x222008u
#define STANDIN_SET_CALIBRATION 0x222010u
#define STANDIN_READ_RAW_POINT 0x222014u
#define STANDIN_SET_PARAMETERS 0x222018u
#define STANDIN_TEST_BEEP 0x22201cu

#define STANDIN_RAW_POINT_SIZE 12u
#define STANDIN_CALIBRATION_SIZE 28u
#define STANDIN_PARAMETERS_SIZE 32u
#define STANDIN_BEEP_SIZE 8u

#define STANDIN_LOG_CAPACITY (64u * 1024u)
#define STANDIN_LOG_INPUT_KEPT 64u

typedef struct StandInLog {
    UCHAR* bytes;
    ULONG length;
    ULONG dropped;
} StandInLog;

typedef struct StandInState {
    KMUTEX lock;
    UNICODE_STRING keyPath;
    ULONG openPort;
    StandInLog log;
} StandInState;

/* state.c: values under the StandIn key. */
NTSTATUS StateInit(StandInState* state, PCUNICODE_STRING registryPath);
void StateFree(StandInState* state);
ULONG StateReadDword(StandInState* state, PCWSTR name, ULONG fallback);
void StateWriteDword(StandInState* state, PCWSTR name, ULONG value);
void StateWriteBinary(StandInState* state, PCWSTR name, const void* data, ULONG length);
/* Copies the 12-byte point at `index` of RawScript (the last one past its end) into `point`;
 * zeros when there is no script. */
void StateReadScriptPoint(StandInState* state, ULONG index, UCHAR point[STANDIN_RAW_POINT_SIZE]);
/* Whether ReadFailures lists the script position `index`. */
BOOLEAN StateReadFails(StandInState* state, ULONG index);

/* log.c: the in-memory request log mirrored to RequestLog. */
NTSTATUS LogInit(StandInLog* log);
void LogFree(StandInLog* log);
void LogAppend(StandInLog* log, ULONG code, ULONG inputLength, ULONG outputLength, NTSTATUS status,
               const UCHAR* input);
void LogPublish(StandInState* state);

/* requests.c: what each device-control request does. */
NTSTATUS RequestHandle(StandInState* state, ULONG code, const UCHAR* input, ULONG inputLength,
                       UCHAR* output, ULONG outputLength, ULONG_PTR* information);

#endif
