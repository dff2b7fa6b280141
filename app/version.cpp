#include "version.h"

#include "buildconfig.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <cwchar>
#include <string>
#include <vector>
#endif

QString productVersionOf(const QString &programFile)
{
#ifdef Q_OS_WIN
    const std::wstring path = QDir::toNativeSeparators(programFile).toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return {};
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        return {};
    struct LangCodePage { WORD language; WORD codePage; } *translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void **>(&translations), &length)
        || length < sizeof(LangCodePage))
        return {};
    const QString query = QStringLiteral("\\StringFileInfo\\%1%2\\ProductVersion")
                              .arg(translations[0].language, 4, 16, QLatin1Char('0'))
                              .arg(translations[0].codePage, 4, 16, QLatin1Char('0'));
    wchar_t *value = nullptr;
    if (!VerQueryValueW(data.data(), reinterpret_cast<const wchar_t *>(query.utf16()),
                        reinterpret_cast<void **>(&value), &length) || !value || length == 0)
        return {};
    // length counts the closing NUL.
    return QString::fromWCharArray(value, int(wcsnlen(value, length)));
#else
    Q_UNUSED(programFile);
    return {};
#endif
}

QString versionText()
{
#ifdef Q_OS_WIN
    // The program file's own resource: the module of the running process.
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return productVersionOf(QString::fromWCharArray(path, int(length)));
#else
    // No version resource on this platform: the build supplies the text.
    return QStringLiteral(TONQUILL_VERSION_TEXT);
#endif
}
