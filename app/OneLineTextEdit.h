#pragma once

#include <QTextEdit>
#include <QValidator>

// A rich-text box that takes no line breaks: Return and Enter are left to the
// window (which presses its default button), and typed, pasted, dropped or
// input-method text has its line breaks removed. What the learner puts in is
// capped at MaxTypedLength characters; the program's own texts are not.
class OneLineTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    // The longest answer has 31 characters. A text without blanks costs layout
    // time for every character, so an unbounded paste would freeze the window.
    static constexpr int MaxTypedLength = 256;

    explicit OneLineTextEdit(QWidget *parent = nullptr);

    static QString withoutLineBreaks(QString text);

    // A read-only box still shows a caret where it has the focus, so that a
    // keyboard user sees where the focus is (and can move along the text).
    void showCaretWhenReadOnly();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // The text without line breaks, cut to what the box can still take when
    // replaced characters (the selection and these) go.
    QString fitted(const QString &text, int replaced = 0) const;
};

// For a line edit the learner may type into: removes line breaks from
// whatever reaches it (keys, paste, drop, input method).
class NoLineBreakValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};
