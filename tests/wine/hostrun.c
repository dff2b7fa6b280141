// <name>.exe: runs a Linux program for the Windows tests under Wine, and
// waits for it.
//
// Wine starts a Linux program whose file name ends in .exe, but does not
// follow it: CreateProcess returns a process that has already ended, with
// exit code 0, while the program still runs. So this Windows program starts
// the Linux side, <name>.host.exe (tests/wine/hostprogram.sh.in), with
// three files of its own: the Linux side runs the program with its output in
// the first two and writes the exit code into the third when it is done.
// This side waits for that file, passes the output and the code on, and
// removes the three. Options and paths pass through unchanged; the Linux
// side turns Windows paths into Linux ones.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

// The part of our own command line after the program's name.
static const wchar_t *argumentsAfterProgram(const wchar_t *line)
{
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"')
            ++line;
        if (*line)
            ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t')
            ++line;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

static void passOn(const wchar_t *file, DWORD handleId)
{
    HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, 0, NULL);
    if (in == INVALID_HANDLE_VALUE)
        return;
    HANDLE out = GetStdHandle(handleId);
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, NULL) && got > 0) {
        DWORD done = 0;
        while (done < got) {
            DWORD wrote = 0;
            if (!WriteFile(out, buffer + done, got - done, &wrote, NULL) || wrote == 0)
                break;
            done += wrote;
        }
    }
    CloseHandle(in);
}

int main(void)
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 16)
        return 127;
    wchar_t host[MAX_PATH];
    // <name>.exe -> <name>.host.exe
    wcsncpy(host, self, length - 4);
    host[length - 4] = 0;
    wcscat(host, L".host.exe");

    wchar_t folder[MAX_PATH], base[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"tqh", 0, base))
        return 127;
    wchar_t output[MAX_PATH + 8], errors[MAX_PATH + 8], code[MAX_PATH + 8];
    swprintf(output, MAX_PATH + 8, L"%ls.out", base);
    swprintf(errors, MAX_PATH + 8, L"%ls.err", base);
    swprintf(code, MAX_PATH + 8, L"%ls.code", base);

    const wchar_t *arguments = argumentsAfterProgram(GetCommandLineW());
    const size_t size = wcslen(host) + wcslen(output) * 3 + wcslen(arguments) + 64;
    wchar_t *line = calloc(size, sizeof(wchar_t));
    if (!line)
        return 127;
    swprintf(line, size, L"\"%ls\" \"%ls\" \"%ls\" \"%ls\" %ls", host, output, errors, code, arguments);

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fwprintf(stderr, L"hostrun: cannot start %ls (error %lu)\n", host, GetLastError());
        DeleteFileW(base);
        return 127;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    // The Linux side renames the code file into place once it is complete.
    const DWORD limitMs = 600000;
    DWORD waited = 0;
    while (GetFileAttributesW(code) == INVALID_FILE_ATTRIBUTES) {
        if (waited >= limitMs) {
            fwprintf(stderr, L"hostrun: %ls did not end within %lu s\n", host, limitMs / 1000);
            return 124;
        }
        Sleep(5);
        waited += 5;
    }
    int status = 127;
    FILE *in = _wfopen(code, L"r");
    if (in) {
        if (fscanf(in, "%d", &status) != 1)
            status = 127;
        fclose(in);
    }
    fflush(stdout);
    passOn(output, STD_OUTPUT_HANDLE);
    passOn(errors, STD_ERROR_HANDLE);
    DeleteFileW(output);
    DeleteFileW(errors);
    DeleteFileW(code);
    DeleteFileW(base);
    return status;
}
