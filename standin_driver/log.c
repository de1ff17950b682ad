/* The request log: every request since the driver started, mirrored to RequestLog. */
#include "standin.h"

#define ENTRY_HEADER_SIZE (5u * sizeof(ULONG))

NTSTATUS LogInit(StandInLog* log) {
    log->bytes = ExAllocatePoolWithTag(PagedPool, STANDIN_LOG_CAPACITY, STANDIN_POOL_TAG);
    log->length = 0;
    log->dropped = 0;
    return log->bytes == NULL ? STATUS_INSUFFICIENT_RESOURCES : STATUS_SUCCESS;
}

void LogFree(StandInLog* log) {
    if (log->bytes != NULL)
        ExFreePoolWithTag(log->bytes, STANDIN_POOL_TAG);
    log->bytes = NULL;
}

void LogAppend(StandInLog* log, ULONG code, ULONG inputLength, ULONG outputLength, NTSTATUS status,
               const UCHAR* input) {
    ULONG kept = inputLength < STANDIN_LOG_INPUT_KEPT ? inputLength : STANDIN_LOG_INPUT_KEPT;
    ULONG header[5];
    if (STANDIN_LOG_CAPACITY - log->length < ENTRY_HEADER_SIZE + kept) {
        ++log->dropped;
        return;
    }
    header[0] = code;
    header[1] = inputLength;
    header[2] = outputLength;
    header[3] = (ULONG)status;
    header[4] = kept;
    RtlCopyMemory(log->bytes + log->length, header, ENTRY_HEADER_SIZE);
    log->length += ENTRY_HEADER_SIZE;
    if (kept > 0)
        RtlCopyMemory(log->bytes + log->length, input, kept);
    log->length += kept;
}

void LogPublish(StandInState* state) {
    StateWriteBinary(state, L"RequestLog", state->log.bytes, state->log.length);
    StateWriteDword(state, L"LogDropped", state->log.dropped);
}
