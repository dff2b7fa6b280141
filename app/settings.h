#pragma once

#include <QString>

// The settings store: organisation "Zentavo", application "Tonquill", every key
// in the group "Setting". Each call opens the store, touches one value and
// closes it again, so there is no state here.
QString readSetting(const QString &key, const QString &defaultValue);
void writeSetting(const QString &key, const QString &value);

// The user's documents folder, falling back to the home folder.
QString documentsFolder();
// documentsFolder() + separator + "Zentavo Tonquill", native separators.
QString defaultOutputFolder();
// Pure part of defaultOutputFolder(), for any documents folder.
QString outputFolderIn(const QString &documents);

// Home page for the current interface language (Spanish site for "es").
QString homePageUrl();
QString homePageUrlFor(const QString &languageCode);
// The home and support pages; with no site set at build time
// (TONQUILL_HOME_URL empty), the help page's about and troubleshooting
// sections.
QString productPageUrl();
QString supportPageUrl();
