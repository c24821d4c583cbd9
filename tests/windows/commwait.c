/* Test-only DLL: makes Wine complete overlapped WaitCommEvent calls the way Windows does.

   Wine 8 either blocks the caller (a port with modem lines) or ends the wait at once with an
   empty mask (a pseudo-terminal), and it never posts the wait's completion to an I/O
   completion port; Qt Serial Port reads only after that completion. Loaded into a program by
   launch.exe, this DLL patches the import entries of WaitCommEvent, SetCommMask,
   CreateIoCompletionPort, CancelIo, CancelIoEx and CloseHandle in every module but the system's
   own (and in modules loaded later), answers an overlapped WaitCommEvent with ERROR_IO_PENDING
   and completes it from a thread that polls ClearCommError every millisecond:
   - EV_RXCHAR when input waits, EV_ERR / EV_BREAK on line errors, if the wait mask asks;
   - SetCommMask ends a pending wait with an empty mask;
   - CancelIo, CancelIoEx and CloseHandle end it with STATUS_CANCELLED.
   The completion goes into the OVERLAPPED, to its event if any, and to the completion port
   and key the handle was associated with.

   Windows opens a COM port for one handle at a time and refuses others with
   ERROR_ACCESS_DENIED; Wine opens it as often as asked. CreateFileA/W on a COM port is patched
   too: a named object per port, held while the handle is open, refuses a second opening in
   any process that has this DLL. Nothing of it is installed or shipped.

   COMMWAIT_DEBUG=1 in the environment prints what it does to standard error. */
#include <windows.h>

#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#ifndef STATUS_CANCELLED
#define STATUS_CANCELLED ((LONG)0xC0000120)
#endif
#define STATUS_OK 0

typedef LONG(NTAPI *NtSetIoCompletionFn)(HANDLE, ULONG_PTR, ULONG_PTR, LONG, SIZE_T);

static BOOL(WINAPI *realWaitCommEvent)(HANDLE, LPDWORD, LPOVERLAPPED);
static BOOL(WINAPI *realSetCommMask)(HANDLE, DWORD);
static HANDLE(WINAPI *realCreateIoCompletionPort)(HANDLE, HANDLE, ULONG_PTR, DWORD);
static BOOL(WINAPI *realCancelIo)(HANDLE);
static BOOL(WINAPI *realCancelIoEx)(HANDLE, LPOVERLAPPED);
static BOOL(WINAPI *realCloseHandle)(HANDLE);
static HANDLE(WINAPI *realCreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                       HANDLE);
static HANDLE(WINAPI *realCreateFileW)(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                       HANDLE);
static HMODULE(WINAPI *realLoadLibraryA)(LPCSTR);
static HMODULE(WINAPI *realLoadLibraryW)(LPCWSTR);
static HMODULE(WINAPI *realLoadLibraryExA)(LPCSTR, HANDLE, DWORD);
static HMODULE(WINAPI *realLoadLibraryExW)(LPCWSTR, HANDLE, DWORD);
static NtSetIoCompletionFn ntSetIoCompletion;

static HMODULE self;
static int debug;

#define MAX_HANDLES 64

/* What is known of one comm handle. */
struct Comm {
    HANDLE handle;
    DWORD mask; /* from SetCommMask */
    BOOL maskKnown;
    HANDLE port; /* completion port and key, from CreateIoCompletionPort */
    ULONG_PTR key;
    OVERLAPPED *wait; /* the pending wait, if any */
    DWORD *waitMask;
    HANDLE claim; /* the port's named object while this handle holds the port */
};

static struct Comm comms[MAX_HANDLES];
static CRITICAL_SECTION lock;
static HANDLE poller;

static void trace(const char *format, ...)
{
    if (!debug)
        return;
    va_list args;
    va_start(args, format);
    fputs("commwait: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
    fflush(stderr);
    va_end(args);
}

/* Call with the lock held. */
static struct Comm *find(HANDLE handle, BOOL create)
{
    struct Comm *free = NULL;
    for (int i = 0; i < MAX_HANDLES; ++i) {
        if (comms[i].handle == handle)
            return &comms[i];
        if (!comms[i].handle && !free)
            free = &comms[i];
    }
    if (create && free) {
        memset(free, 0, sizeof *free);
        free->handle = handle;
    }
    return create ? free : NULL;
}

/* Ends the pending wait of c, if any; the lock is held. */
static void complete(struct Comm *c, DWORD events, LONG status)
{
    OVERLAPPED *ov = c->wait;
    if (!ov)
        return;
    c->wait = NULL;
    if (status == STATUS_OK)
        *c->waitMask = events;
    ov->InternalHigh = status == STATUS_OK ? sizeof(DWORD) : 0;
    ov->Internal = (ULONG_PTR)status;
    /* An event handle with its low bit set asks for no completion-port packet. */
    const ULONG_PTR event = (ULONG_PTR)ov->hEvent;
    if (event & ~(ULONG_PTR)1)
        SetEvent((HANDLE)(event & ~(ULONG_PTR)1));
    if (c->port && !(event & 1))
        ntSetIoCompletion(c->port, c->key, (ULONG_PTR)ov, status, ov->InternalHigh);
    trace("wait on %p ended: mask 0x%lx, status 0x%lx%s", c->handle, events, (unsigned long)status,
          c->port ? ", posted" : "");
}

static DWORD WINAPI poll(LPVOID unused)
{
    (void)unused;
    for (;;) {
        Sleep(1);
        EnterCriticalSection(&lock);
        for (int i = 0; i < MAX_HANDLES; ++i) {
            struct Comm *c = &comms[i];
            if (!c->handle || !c->wait)
                continue;
            DWORD errors = 0;
            COMSTAT status = {0};
            if (!ClearCommError(c->handle, &errors, &status))
                continue;
            DWORD events = 0;
            if ((c->mask & EV_RXCHAR) && status.cbInQue > 0)
                events |= EV_RXCHAR;
            if ((c->mask & EV_ERR) && (errors & (CE_FRAME | CE_OVERRUN | CE_RXPARITY)))
                events |= EV_ERR;
            if ((c->mask & EV_BREAK) && (errors & CE_BREAK))
                events |= EV_BREAK;
            if (events)
                complete(c, events, STATUS_OK);
        }
        LeaveCriticalSection(&lock);
    }
    return 0;
}

static BOOL WINAPI hookWaitCommEvent(HANDLE handle, LPDWORD mask, LPOVERLAPPED ov)
{
    DWORD current = 0;
    if (!ov || !mask || !GetCommMask(handle, &current))
        return realWaitCommEvent(handle, mask, ov);
    EnterCriticalSection(&lock);
    struct Comm *c = find(handle, TRUE);
    if (!c) {
        LeaveCriticalSection(&lock);
        return realWaitCommEvent(handle, mask, ov);
    }
    if (c->wait) {
        LeaveCriticalSection(&lock);
        SetLastError(ERROR_INVALID_PARAMETER); /* one wait at a time, as Windows */
        return FALSE;
    }
    if (!c->maskKnown) {
        c->mask = current;
        c->maskKnown = TRUE;
    }
    ov->Internal = (ULONG_PTR)STATUS_PENDING;
    ov->InternalHigh = 0;
    if ((ULONG_PTR)ov->hEvent & ~(ULONG_PTR)1)
        ResetEvent((HANDLE)((ULONG_PTR)ov->hEvent & ~(ULONG_PTR)1));
    c->wait = ov;
    c->waitMask = mask;
    if (!poller)
        poller = CreateThread(NULL, 0, poll, NULL, 0, NULL);
    LeaveCriticalSection(&lock);
    trace("wait on %p for 0x%lx pending", handle, c->mask);
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

static BOOL WINAPI hookSetCommMask(HANDLE handle, DWORD mask)
{
    const BOOL done = realSetCommMask(handle, mask);
    if (done) {
        EnterCriticalSection(&lock);
        struct Comm *c = find(handle, TRUE);
        if (c) {
            complete(c, 0, STATUS_OK);
            c->mask = mask;
            c->maskKnown = TRUE;
        }
        LeaveCriticalSection(&lock);
    }
    return done;
}

static HANDLE WINAPI hookCreateIoCompletionPort(HANDLE handle, HANDLE existing, ULONG_PTR key,
                                                DWORD threads)
{
    HANDLE port = realCreateIoCompletionPort(handle, existing, key, threads);
    DWORD mask = 0;
    if (port && handle != INVALID_HANDLE_VALUE && GetCommMask(handle, &mask)) {
        EnterCriticalSection(&lock);
        struct Comm *c = find(handle, TRUE);
        if (c) {
            c->port = port;
            c->key = key;
        }
        LeaveCriticalSection(&lock);
        trace("%p on completion port %p, key %p", handle, port, (void *)key);
    }
    return port;
}

/* Ends the wait on handle (only the one of ov, if given) as cancelled; forget drops the
   handle's record. */
static void cancel(HANDLE handle, OVERLAPPED *ov, BOOL forget)
{
    EnterCriticalSection(&lock);
    struct Comm *c = find(handle, FALSE);
    if (c) {
        if (!ov || c->wait == ov)
            complete(c, 0, STATUS_CANCELLED);
        if (forget)
            memset(c, 0, sizeof *c);
    }
    LeaveCriticalSection(&lock);
}

static BOOL WINAPI hookCancelIo(HANDLE handle)
{
    cancel(handle, NULL, FALSE);
    return realCancelIo(handle);
}

static BOOL WINAPI hookCancelIoEx(HANDLE handle, LPOVERLAPPED ov)
{
    cancel(handle, ov, FALSE);
    return realCancelIoEx(handle, ov);
}

static BOOL WINAPI hookCloseHandle(HANDLE handle)
{
    HANDLE claim = NULL;
    EnterCriticalSection(&lock);
    struct Comm *c = find(handle, FALSE);
    if (c)
        claim = c->claim;
    LeaveCriticalSection(&lock);
    cancel(handle, NULL, TRUE);
    const BOOL closed = realCloseHandle(handle);
    if (claim)
        realCloseHandle(claim);
    return closed;
}

/* The port number of "COM7" or "\\.\COM7", else 0. */
static int comNumber(const wchar_t *name)
{
    if (!wcsncmp(name, L"\\\\.\\", 4))
        name += 4;
    if (_wcsnicmp(name, L"COM", 3))
        return 0;
    wchar_t *end = NULL;
    const long number = wcstol(name + 3, &end, 10);
    return number > 0 && number < 256 && !*end ? (int)number : 0;
}

static HANDLE openComm(const wchar_t *name, HANDLE (*open)(const void *, DWORD, DWORD,
                       LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE), const void *rawName,
                       DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                       DWORD disposition, DWORD flags, HANDLE templ)
{
    const int number = comNumber(name);
    if (!number)
        return open(rawName, access, share, security, disposition, flags, templ);
    wchar_t claimName[64];
    swprintf(claimName, 64, L"Local\\commwait-COM%d", number);
    HANDLE claim = CreateMutexW(NULL, FALSE, claimName);
    if (claim && GetLastError() == ERROR_ALREADY_EXISTS) {
        realCloseHandle(claim);
        trace("COM%d is held elsewhere: refused", number);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE handle = open(rawName, access, share, security, disposition, flags, templ);
    const DWORD error = GetLastError();
    trace("COM%d opened%s", number, handle != INVALID_HANDLE_VALUE ? "" : " in vain");
    struct Comm *c = NULL;
    if (handle != INVALID_HANDLE_VALUE) {
        EnterCriticalSection(&lock);
        c = find(handle, TRUE);
        if (c)
            c->claim = claim;
        LeaveCriticalSection(&lock);
    }
    if (!c && claim)
        realCloseHandle(claim);
    SetLastError(error);
    return handle;
}

static HANDLE openA(const void *name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                    DWORD disposition, DWORD flags, HANDLE templ)
{
    return realCreateFileA(name, access, share, security, disposition, flags, templ);
}

static HANDLE openW(const void *name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                    DWORD disposition, DWORD flags, HANDLE templ)
{
    return realCreateFileW(name, access, share, security, disposition, flags, templ);
}

static HANDLE WINAPI hookCreateFileA(LPCSTR name, DWORD access, DWORD share,
                                     LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                     DWORD flags, HANDLE templ)
{
    wchar_t wide[MAX_PATH] = L"";
    if (name)
        MultiByteToWideChar(CP_ACP, 0, name, -1, wide, MAX_PATH);
    return openComm(wide, openA, name, access, share, security, disposition, flags, templ);
}

static HANDLE WINAPI hookCreateFileW(LPCWSTR name, DWORD access, DWORD share,
                                     LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                     DWORD flags, HANDLE templ)
{
    return openComm(name ? name : L"", openW, name, access, share, security, disposition, flags,
                    templ);
}

static void patchAll(void);

static HMODULE WINAPI hookLoadLibraryA(LPCSTR name)
{
    HMODULE module = realLoadLibraryA(name);
    patchAll();
    return module;
}

static HMODULE WINAPI hookLoadLibraryW(LPCWSTR name)
{
    HMODULE module = realLoadLibraryW(name);
    patchAll();
    return module;
}

static HMODULE WINAPI hookLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = realLoadLibraryExA(name, file, flags);
    patchAll();
    return module;
}

static HMODULE WINAPI hookLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags)
{
    HMODULE module = realLoadLibraryExW(name, file, flags);
    patchAll();
    return module;
}

struct Hook {
    const char *name;
    void *hook;
    void **real;
    void *alias; /* the same function as kernelbase exports it */
};

static struct Hook hooks[] = {
    {"WaitCommEvent", (void *)hookWaitCommEvent, (void **)&realWaitCommEvent, NULL},
    {"SetCommMask", (void *)hookSetCommMask, (void **)&realSetCommMask, NULL},
    {"CreateIoCompletionPort", (void *)hookCreateIoCompletionPort,
     (void **)&realCreateIoCompletionPort, NULL},
    {"CancelIo", (void *)hookCancelIo, (void **)&realCancelIo, NULL},
    {"CancelIoEx", (void *)hookCancelIoEx, (void **)&realCancelIoEx, NULL},
    {"CloseHandle", (void *)hookCloseHandle, (void **)&realCloseHandle, NULL},
    {"CreateFileA", (void *)hookCreateFileA, (void **)&realCreateFileA, NULL},
    {"CreateFileW", (void *)hookCreateFileW, (void **)&realCreateFileW, NULL},
    {"LoadLibraryA", (void *)hookLoadLibraryA, (void **)&realLoadLibraryA, NULL},
    {"LoadLibraryW", (void *)hookLoadLibraryW, (void **)&realLoadLibraryW, NULL},
    {"LoadLibraryExA", (void *)hookLoadLibraryExA, (void **)&realLoadLibraryExA, NULL},
    {"LoadLibraryExW", (void *)hookLoadLibraryExW, (void **)&realLoadLibraryExW, NULL},
};
#define HOOK_COUNT (sizeof hooks / sizeof hooks[0])

static BOOL isSystemModule(HMODULE module)
{
    char path[MAX_PATH];
    if (!GetModuleFileNameA(module, path, sizeof path))
        return TRUE;
    const char *base = strrchr(path, '\\');
    base = base ? base + 1 : path;
    return !_stricmp(base, "kernel32.dll") || !_stricmp(base, "kernelbase.dll") ||
           !_stricmp(base, "ntdll.dll");
}

static void store(void **slot, void *value)
{
    DWORD old;
    if (*slot == value || !VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old))
        return;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

/* Points the module's import entries of the hooked functions at the hooks, by name where the
   module keeps its import names, else by address. */
static int patchModule(HMODULE module)
{
    BYTE *base = (BYTE *)module;
    IMAGE_DOS_HEADER *dos = (IMAGE_DOS_HEADER *)base;
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return 0;
    int patched = 0;
    for (IMAGE_IMPORT_DESCRIPTOR *d = (IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress);
         d->Name; ++d) {
        void **slot = (void **)(base + d->FirstThunk);
        IMAGE_THUNK_DATA *names =
            d->OriginalFirstThunk ? (IMAGE_THUNK_DATA *)(base + d->OriginalFirstThunk) : NULL;
        for (int i = 0; slot[i]; ++i) {
            const char *name = NULL;
            if (names && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
                name = (const char *)((IMAGE_IMPORT_BY_NAME *)(base + names[i].u1.AddressOfData))
                           ->Name;
            for (size_t h = 0; h < HOOK_COUNT; ++h) {
                if ((name && !strcmp(name, hooks[h].name)) || slot[i] == *hooks[h].real ||
                    (hooks[h].alias && slot[i] == hooks[h].alias)) {
                    if (slot[i] != hooks[h].hook) {
                        store(&slot[i], hooks[h].hook);
                        ++patched;
                    }
                    break;
                }
            }
        }
    }
    return patched;
}

static void patchAll(void)
{
    HMODULE modules[1024];
    DWORD size = 0;
    if (!EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &size))
        return;
    for (DWORD i = 0; i < size / sizeof(HMODULE) && i < 1024; ++i) {
        if (modules[i] == self || isSystemModule(modules[i]))
            continue;
        const int patched = patchModule(modules[i]);
        if (patched) {
            char path[MAX_PATH] = "";
            GetModuleFileNameA(modules[i], path, sizeof path);
            trace("%d import entries of %s patched", patched, path);
        }
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    self = instance;
    debug = getenv("COMMWAIT_DEBUG") != NULL;
    DisableThreadLibraryCalls(instance);
    InitializeCriticalSection(&lock);
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    HMODULE kernelbase = GetModuleHandleA("kernelbase.dll");
    for (size_t h = 0; h < HOOK_COUNT; ++h) {
        *hooks[h].real = (void *)GetProcAddress(kernel32, hooks[h].name);
        if (kernelbase)
            hooks[h].alias = (void *)GetProcAddress(kernelbase, hooks[h].name);
        if (!*hooks[h].real)
            return FALSE;
    }
    ntSetIoCompletion =
        (NtSetIoCompletionFn)(void *)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtSetIoCompletion");
    if (!ntSetIoCompletion)
        return FALSE;
    patchAll();
    trace("loaded");
    return TRUE;
}
