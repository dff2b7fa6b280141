#include "version.h"

#include "buildconfig.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <vector>
#endif

QString versionText()
{
#ifdef Q_OS_WIN
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return {};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return {};
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
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
                        reinterpret_cast<void **>(&value), &length) || !value)
        return {};
    return QString::fromWCharArray(value);
#else
    // No version resource on this platform: the build supplies the text.
    return QStringLiteral(TONQUILL_VERSION_TEXT);
#endif
}
