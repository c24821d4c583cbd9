/* Does this Windows (or Wine) carry Qt Serial Port's way of reading a COM port? QSerialPort
   puts the port on an I/O completion port and waits with an overlapped WaitCommEvent for
   EV_RXCHAR; it starts reading only when that wait's completion arrives there.

   waitcommevent COMn HEX: send the bytes HEX (a request the peer answers), report how the
   wait ended and, once its completion has arrived, read the answer as QSerialPort would.
   Exit 0: the completion arrived with EV_RXCHAR and the answer was read; 3: it never did;
   1: no port. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

/* The read QSerialPort starts on EV_RXCHAR, and its completion: 0 when bytes came. */
static int readAnswer(HANDLE h, HANDLE port)
{
    unsigned char answer[512];
    OVERLAPPED read = {0};
    if (!ReadFile(h, answer, sizeof answer, NULL, &read) && GetLastError() != ERROR_IO_PENDING)
        return 3;
    DWORD bytes = 0;
    ULONG_PTR key = 0;
    OVERLAPPED *done = NULL;
    while (GetQueuedCompletionStatus(port, &bytes, &key, &done, 2000) && done != &read)
        ;
    if (done != &read || bytes == 0) {
        printf("the read brought nothing\n");
        return 3;
    }
    printf("read %lu bytes:", bytes);
    for (DWORD i = 0; i < bytes; ++i)
        printf(" %02x", answer[i]);
    printf("\n");
    return 0;
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    char path[64];
    snprintf(path, sizeof path, "\\\\.\\%s", argv[1]);
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        printf("%s: cannot open (error %lu)\n", path, GetLastError());
        return 1;
    }
    HANDLE port = CreateIoCompletionPort(h, NULL, 0, 0);
    COMMTIMEOUTS timeouts = {MAXDWORD, 0, 0, 0, 0};
    SetCommTimeouts(h, &timeouts);
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    SetCommMask(h, EV_RXCHAR);

    DWORD mask = 0;
    OVERLAPPED wait = {0}; /* no event: the completion port reports it, as for QSerialPort */
    const BOOL waited = WaitCommEvent(h, &mask, &wait);
    printf("WaitCommEvent: %s, event mask 0x%lx\n",
           waited ? "completed at once" : GetLastError() == ERROR_IO_PENDING ? "pending" : "failed",
           mask);

    unsigned char request[64];
    DWORD size = 0;
    for (const char *hex = argv[2]; hex[0] && hex[1] && size < sizeof request; hex += 2)
        request[size++] = (unsigned char)strtoul((char[]){hex[0], hex[1], 0}, NULL, 16);
    OVERLAPPED write = {0};
    WriteFile(h, request, size, NULL, &write);

    int result = 3;
    for (int i = 0; i < 3; ++i) {
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED *done = NULL;
        GetQueuedCompletionStatus(port, &bytes, &key, &done, 2000);
        if (done == &wait) {
            printf("the wait's completion arrived, event mask 0x%lx\n", mask);
            if (mask & EV_RXCHAR)
                result = readAnswer(h, port);
            break;
        }
        printf("%s\n", done == &write ? "the write's completion arrived" : "nothing in 2 s");
    }
    COMSTAT status = {0};
    DWORD errors = 0;
    ClearCommError(h, &errors, &status);
    printf("%lu bytes of the answer wait unread\n", status.cbInQue);
    CloseHandle(h);
    return result;
}
