#pragma once

// Small stand-ins for the desktop services the drill uses: message boxes, the
// shell's "open this file", and the help viewer.

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// Modal message boxes, centred on the screen. Tests may install their own.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // An information box with an OK button, titled with the application title.
    virtual void inform(QWidget *owner, const QString &text);
    // A Yes/No question titled "Confirm"; true for Yes.
    virtual bool confirm(QWidget *owner, const QString &text);

    static MessageBoxes &current();
    // Installs a replacement (nullptr restores the real boxes); returns the previous one.
    static MessageBoxes *install(MessageBoxes *boxes);
};

// Where a directory named with a drive letter lives on this desktop: the
// program's help directory maps to its data directory, or to the build
// tree's copy for a program run from its build tree. Other names stay as they are.
QString mapDirectory(const QString &directory);

// Asks the desktop to open a file with its associated viewer. Each text is
// copied into an 80-character buffer (at most 79 characters are kept).
// Returns a value above 32 when the desktop took the file, like the shell call
// it stands for. Failures show no message; `failed` runs when the file cannot
// be opened, at once or when the desktop reports later that no viewer took it.
int ShellOpenFile(const char *fileName, const char *parameters, const char *directory, int showCommand,
                  const std::function<void()> &failed = {});

// The application help at a context. This desktop has no viewer for the old
// help format, so the same help text is shown in a help window.
void showHelpContext(QWidget *owner, const QString &helpFile, int context);

} // namespace platform
