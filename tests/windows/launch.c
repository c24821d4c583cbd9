/* Test-only launcher: starts a program with a DLL loaded before its first instruction.

   launch DLL PROGRAM [ARGUMENT...]

   The program is created suspended; a thread in it runs LoadLibraryW with the DLL's full path,
   then the program runs with this launcher's standard handles, and its exit code becomes the
   launcher's. Exit 120 when the program cannot be started or the DLL not loaded. */
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

/* Skips one argument of a command line as Windows splits it, and the blanks after it. */
static const wchar_t *skipArgument(const wchar_t *s)
{
    BOOL quoted = FALSE;
    for (; *s; ++s) {
        if (*s == L'\\') {
            while (s[1] == L'\\')
                ++s;
            if (s[1] == L'"')
                ++s;
            continue;
        }
        if (*s == L'"')
            quoted = !quoted;
        else if (!quoted && (*s == L' ' || *s == L'\t'))
            break;
    }
    while (*s == L' ' || *s == L'\t')
        ++s;
    return s;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3) {
        fputs("usage: launch DLL PROGRAM [ARGUMENT...]\n", stderr);
        return 120;
    }
    wchar_t dll[MAX_PATH];
    if (!GetFullPathNameW(argv[1], MAX_PATH, dll, NULL) ||
        GetFileAttributesW(dll) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "launch: no DLL %ls\n", argv[1]);
        return 120;
    }
    /* The program's command line is the rest of ours, as written. */
    const wchar_t *line = skipArgument(skipArgument(GetCommandLineW()));
    wchar_t *commandLine = _wcsdup(line);

    STARTUPINFOW startup = {.cb = sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, commandLine, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL,
                        &startup, &process)) {
        fprintf(stderr, "launch: cannot start %ls (error %lu)\n", argv[2], GetLastError());
        return 120;
    }

    const SIZE_T size = (wcslen(dll) + 1) * sizeof(wchar_t);
    void *remote = VirtualAllocEx(process.hProcess, NULL, size, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    /* kernel32 lies at the same address in every process of a session. */
    LPTHREAD_START_ROUTINE loadLibrary = (LPTHREAD_START_ROUTINE)(void *)GetProcAddress(
        GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW");
    HANDLE thread = NULL;
    DWORD loaded = 0;
    if (remote && WriteProcessMemory(process.hProcess, remote, dll, size, NULL))
        thread = CreateRemoteThread(process.hProcess, NULL, 0, loadLibrary, remote, 0, NULL);
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        GetExitCodeThread(thread, &loaded);
        CloseHandle(thread);
    }
    if (!loaded) {
        fprintf(stderr, "launch: %ls was not loaded into %ls\n", dll, argv[2]);
        TerminateProcess(process.hProcess, 120);
        return 120;
    }
    VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);

    ResumeThread(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 120;
    GetExitCodeProcess(process.hProcess, &code);
    return (int)code;
}
