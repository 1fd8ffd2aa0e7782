#pragma once

class QKeySequence;
class QString;
class QWidget;

// Gives every control of the drill window the name and description a screen
// reader speaks.
void applyAccessibleNames(QWidget *window);

// Shows a command's key where learners look for it: in the control's tooltip
// ("Repeat (Ctrl+R)") and in what a screen reader says of it.
void describeKey(QWidget *control, const QString &command, const QKeySequence &key);
