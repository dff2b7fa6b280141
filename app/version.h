#pragma once

#include <QString>

// The product version in the dotted four-number form; empty when it cannot be
// determined (Windows: the program file carries no version resource).
QString versionText();
