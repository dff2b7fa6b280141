#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

// Suites that write to the Windows registry (settings, the shell's folders,
// where iTunes is installed) do so only where it is thrown away: under Wine,
// whose prefix belongs to the test run, or where TQ_TEST_DISPOSABLE_REGISTRY
// says so (a Windows test machine). Never in a user's own profile by accident.
inline bool registryIsDisposable()
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsSet("TQ_TEST_DISPOSABLE_REGISTRY"))
        return true;
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

#ifdef Q_OS_WIN
#include <QSettings>
#include <QString>
#include <QVariant>

// Sets one registry value ("Default": the key's own) for as long as it
// lives, then puts back what was there; a key it made is removed again.
class ScopedRegistryValue final
{
public:
    // key: "HKEY_LOCAL_MACHINE\\SOFTWARE\\..."
    ScopedRegistryValue(const QString &key, const QString &name, const QVariant &value)
        : key(key)
        , name(name)
    {
        QSettings settings(key, QSettings::NativeFormat);
        keyExisted = !settings.allKeys().isEmpty() || !settings.childGroups().isEmpty();
        saved = settings.value(name);
        settings.setValue(name, value);
        settings.sync();
    }
    ~ScopedRegistryValue()
    {
        if (!keyExisted) {
            const int cut = key.lastIndexOf(QLatin1Char('\\'));
            QSettings parent(key.left(cut), QSettings::NativeFormat);
            parent.remove(key.mid(cut + 1));
            return;
        }
        QSettings settings(key, QSettings::NativeFormat);
        if (saved.isValid())
            settings.setValue(name, saved);
        else
            settings.remove(name);
    }
    Q_DISABLE_COPY_MOVE(ScopedRegistryValue)

private:
    QString key;
    QString name;
    QVariant saved;
    bool keyExisted = false;
};
#endif
