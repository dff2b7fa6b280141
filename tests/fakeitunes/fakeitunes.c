/* A stand-in for iTunes in the tests, built for Windows only. It records the
 * arguments it was started with, one a line in UTF-8, in the file that
 * TQ_FAKE_ITUNES_RECORD names (else "<program>.args.txt" beside itself),
 * and ends. The record appears whole or not at all: it is written under
 * another name and renamed. Its version resource is set by the build. */
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

static int writeUtf8(FILE *file, const wchar_t *text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char *bytes = size > 0 ? malloc((size_t)size) : NULL;
    if (!bytes)
        return 0;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, size, NULL, NULL);
    const int ok = fputs(bytes, file) >= 0 && fputc('\n', file) != EOF;
    free(bytes);
    return ok;
}

int main(void)
{
    int count = 0;
    wchar_t **args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return 2;

    wchar_t record[MAX_PATH + 16];
    const wchar_t *named = _wgetenv(L"TQ_FAKE_ITUNES_RECORD");
    if (named && *named) {
        wcsncpy(record, named, MAX_PATH);
        record[MAX_PATH] = L'\0';
    } else {
        const DWORD length = GetModuleFileNameW(NULL, record, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return 2;
        wcscat(record, L".args.txt");
    }
    wchar_t partial[MAX_PATH + 32];
    swprintf(partial, MAX_PATH + 32, L"%ls.part", record);

    FILE *file = _wfopen(partial, L"wb");
    if (!file)
        return 3;
    int ok = 1;
    for (int i = 1; i < count; ++i)
        ok = ok && writeUtf8(file, args[i]);
    ok = fclose(file) == 0 && ok;
    LocalFree(args);
    if (!ok || !MoveFileExW(partial, record, MOVEFILE_REPLACE_EXISTING))
        return 3;
    return 0;
}
