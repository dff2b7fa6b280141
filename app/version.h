#pragma once

#include <QString>

// The product version in the dotted four-number form; empty when it cannot be
// determined (Windows: the program file carries no version resource).
QString versionText();
// The ProductVersion of a program file's version resource, looked up under
// the first language and code page it lists; empty when it has none (and on
// platforms without version resources).
QString productVersionOf(const QString &programFile);
