#pragma once

#include <QString>

// A path split into folder, base name and suffix. Both "/" and "\" separate
// when splitting; "/" is used when rebuilding.
class CFilePath
{
public:
    CFilePath() = default;
    explicit CFilePath(const QString &path);

    void setDir(const QString &folder) { m_folder = folder; }
    void setFileName(const QString &name);
    void setBaseName(const QString &baseName) { m_baseName = baseName; }
    void setSuffix(const QString &suffix) { m_suffix = suffix; }

    QString dir() const { return m_folder; }
    QString baseName() const { return m_baseName; }
    QString suffix() const { return m_suffix; }
    QString fileName() const;
    QString fullPath() const;

    // Numbers the base name "(1)", "(2)", ... from the current stem until no
    // file exists at fullPath(); returns the number used, 0 if already free.
    int makeUnique();

private:
    QString m_folder;
    QString m_baseName;
    QString m_suffix;
};

// Removes the characters a file name may not hold (/ * ? : < > | " \) and
// trims surrounding white space; may return an empty string.
QString sanitizeFileName(const QString &name);

// A file-dialog filter in the form this platform's dialogs read. The filters
// are written Windows-style, "Label(*.a;*.b)"; Qt's own dialogs elsewhere
// split patterns on white space only and would match nothing, so off Windows
// the semicolons inside the parentheses become spaces and "*.*" becomes "*"
// (which also lists files without a suffix). Works on translated text.
QString fileDialogFilter(const QString &filter);
