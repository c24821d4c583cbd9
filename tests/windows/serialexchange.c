/* Talks to ptypeer.py through a COM port with the calls Qt Serial Port makes, in its order:
   CreateFile (overlapped), SetCommState, SetCommTimeouts (ReadIntervalTimeout MAXDWORD),
   SetCommMask(EV_RXCHAR), the handle on an I/O completion port, an overlapped WaitCommEvent
   with a zeroed OVERLAPPED; a read starts only when the wait's completion arrives, and after a
   read the wait starts again unless input is still queued. Closing is CancelIo, CloseHandle.

   serialexchange COMn COUNT: COUNT requests of 3 bytes, each answered with 20 to 70 bytes.
   It first checks that a second opening of the port is refused, as Windows refuses it; then
   that SetCommMask ends a pending wait with an empty mask and that CancelIo and CloseHandle
   end one as cancelled, each through the completion port.
   Exit 0 when everything arrived, 1 otherwise.

   serialexchange COMn hold: opens the port and holds it until a line or the end of standard
   input, as another program would. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define BUFFER_SIZE 32768
#define KEY 0x5151

static HANDLE port, iocp;
static OVERLAPPED waitOv, readOv, writeOv;
static DWORD events;
static BYTE chunk[BUFFER_SIZE];
static BYTE input[4096];
static DWORD inputSize;

static BOOL startWait(void)
{
    ZeroMemory(&waitOv, sizeof waitOv);
    return WaitCommEvent(port, &events, &waitOv) || GetLastError() == ERROR_IO_PENDING;
}

static BOOL startRead(void)
{
    ZeroMemory(&readOv, sizeof readOv);
    return ReadFile(port, chunk, BUFFER_SIZE, NULL, &readOv) || GetLastError() == ERROR_IO_PENDING;
}

static DWORD queued(void)
{
    COMSTAT status = {0};
    return ClearCommError(port, NULL, &status) ? status.cbInQue : 0;
}

/* One completion from the port: the OVERLAPPED, or NULL after `ms` without one. */
static OVERLAPPED *next(DWORD ms, DWORD *bytes, DWORD *error)
{
    ULONG_PTR key = 0;
    OVERLAPPED *ov = NULL;
    *error = GetQueuedCompletionStatus(iocp, bytes, &key, &ov, ms) ? 0 : GetLastError();
    if (ov && key != KEY) {
        printf("a completion with key 0x%lx\n", (unsigned long)key);
        return NULL;
    }
    return ov;
}

/* Runs completions as QSerialPort does until `want` bytes are in, or 2 s pass. */
static BOOL collect(DWORD want)
{
    const DWORD end = GetTickCount() + 2000;
    while (inputSize < want) {
        const DWORD now = GetTickCount();
        if ((LONG)(end - now) <= 0)
            return FALSE;
        DWORD bytes = 0, error = 0;
        OVERLAPPED *ov = next(end - now, &bytes, &error);
        if (!ov)
            return FALSE;
        if (error) {
            printf("a completion with error %lu\n", error);
            return FALSE;
        }
        if (ov == &waitOv) {
            if (!startRead())
                return FALSE;
        } else if (ov == &readOv) {
            if (inputSize + bytes > sizeof input)
                return FALSE;
            memcpy(input + inputSize, chunk, bytes);
            inputSize += bytes;
            if (!(bytes == BUFFER_SIZE || queued() > 0 ? startRead() : startWait()))
                return FALSE;
        }
    }
    return TRUE;
}

static BOOL openPort(const char *name)
{
    char path[64];
    snprintf(path, sizeof path, "\\\\.\\%s", name);
    port = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                       FILE_FLAG_OVERLAPPED, NULL);
    if (port == INVALID_HANDLE_VALUE) {
        printf("%s: cannot open (error %lu)\n", path, GetLastError());
        return FALSE;
    }
    DCB dcb = {.DCBlength = sizeof dcb};
    GetCommState(port, &dcb);
    dcb.fBinary = TRUE;
    dcb.fAbortOnError = FALSE;
    dcb.fNull = FALSE;
    dcb.BaudRate = 4800;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutX = dcb.fInX = FALSE;
    SetCommState(port, &dcb);
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    SetCommTimeouts(port, &timeouts);
    SetCommMask(port, EV_RXCHAR);
    /* An answer that an earlier program on this line left unread is not this one's. */
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    if (!iocp)
        iocp = CreateIoCompletionPort(INVALID_HANDLE_VALUE, NULL, 0, 0);
    CreateIoCompletionPort(port, iocp, KEY, 0);
    return startWait();
}

static int compare(const void *a, const void *b)
{
    return (int)(*(const DWORD *)a) - (int)(*(const DWORD *)b);
}

/* The wait's own completion, within 2 s: its error code, or -1 when none came. */
static long waitEnd(void)
{
    DWORD bytes, error;
    for (int i = 0; i < 4; ++i) {
        OVERLAPPED *ov = next(500, &bytes, &error);
        if (ov == &waitOv)
            return (long)error;
    }
    return -1;
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    if (!openPort(argv[1]))
        return 1;
    if (!strcmp(argv[2], "hold")) {
        printf("holding %s\n", argv[1]);
        fflush(stdout);
        int c;
        while ((c = getchar()) != EOF && c != '\n')
            ;
        return 0;
    }
    const int count = atoi(argv[2]);
    char path[64];
    snprintf(path, sizeof path, "\\\\.\\%s", argv[1]);
    HANDLE second = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, NULL);
    const DWORD refusal = GetLastError();
    printf("a second opening: %s (error %lu)\n",
           second == INVALID_HANDLE_VALUE ? "refused" : "allowed", second == INVALID_HANDLE_VALUE ? refusal : 0UL);
    int result = second == INVALID_HANDLE_VALUE && refusal == ERROR_ACCESS_DENIED ? 0 : 1;
    if (second != INVALID_HANDLE_VALUE)
        CloseHandle(second);

    DWORD *times = calloc(count > 0 ? count : 1, sizeof *times);
    int passed = 0;
    unsigned long total = 0;
    for (int i = 0; i < count; ++i) {
        const BYTE length = (BYTE)(20 + i % 51), seq = (BYTE)i;
        const BYTE request[3] = {0xA5, length, seq};
        const DWORD started = GetTickCount();
        inputSize = 0;
        ZeroMemory(&writeOv, sizeof writeOv);
        if (!WriteFile(port, request, sizeof request, NULL, &writeOv) &&
            GetLastError() != ERROR_IO_PENDING)
            break;
        if (!collect(length)) {
            printf("exchange %d: %lu of %u bytes\n", i, inputSize, length);
            total += inputSize;
            break;
        }
        BOOL good = inputSize == length;
        for (DWORD k = 0; good && k < length; ++k)
            good = input[k] == (BYTE)(seq + k);
        if (!good) {
            printf("exchange %d: the answer differs\n", i);
            break;
        }
        total += inputSize;
        times[passed++] = GetTickCount() - started;
    }
    qsort(times, passed, sizeof *times, compare);
    printf("%d of %d exchanges passed, %lu bytes read, median %lu ms\n", passed, count, total,
           passed ? times[passed / 2] : 0UL);
    if (passed != count)
        result = 1;

    /* Drain what is left (the write completions), then end a wait three ways. */
    DWORD bytes, error;
    while (next(50, &bytes, &error))
        ;
    if (!(waitOv.Internal == STATUS_PENDING || startWait()))
        return 1;
    SetCommMask(port, EV_RXCHAR);
    const long masked = waitEnd();
    printf("SetCommMask during a wait: %s, mask 0x%lx\n",
           masked == 0 ? "completed" : masked < 0 ? "no completion" : "failed", events);
    if (masked != 0 || events != 0)
        result = 1;

    startWait();
    CancelIo(port);
    const long cancelled = waitEnd();
    printf("CancelIo during a wait: %s\n", cancelled == ERROR_OPERATION_ABORTED ? "aborted"
                                           : cancelled < 0                    ? "no completion"
                                                                              : "other end");
    if (cancelled != ERROR_OPERATION_ABORTED)
        result = 1;
    CloseHandle(port);

    if (!openPort(argv[1]))
        return 1;
    CloseHandle(port);
    const long closed = waitEnd();
    printf("CloseHandle during a wait: %s\n", closed == ERROR_OPERATION_ABORTED ? "aborted"
                                              : closed < 0                    ? "no completion"
                                                                              : "other end");
    if (closed != ERROR_OPERATION_ABORTED)
        result = 1;
    return result;
}
