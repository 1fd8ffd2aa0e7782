#pragma once

#include <functional>

class QKeySequence;
class QString;
class QWidget;

// Makes the drill's controls known to screen readers: the drawn buttons as
// buttons, the one-line boxes with a text that answers at every offset. To be
// called once the application exists and before the first control does (a
// control's interface is made the first time anything asks for it, and kept).
void installAccessibleInterfaces();

// Gives every control of the drill window the name and description a screen
// reader speaks.
void applyAccessibleNames(QWidget *window);

// Shows a command's key where learners look for it: in the control's tooltip
// ("Repeat (Ctrl+R)") and in what a screen reader says of it.
void describeKey(QWidget *control, const QString &command, const QKeySequence &key);

// A text of the word data as a screen reader should say it: the underscores
// that join the words of one alternative are blanks to the ear.
QString readableText(QString text);

// Writes into a box without its text change reaching a screen reader, which
// would echo it where the program announces it anyway.
void writeUnechoed(QWidget *box, const std::function<void()> &write);
