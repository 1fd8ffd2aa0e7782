#include "app/OneLineTextEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

OneLineTextEdit::OneLineTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
}

void OneLineTextEdit::showCaretWhenReadOnly()
{
    if (isReadOnly())
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QString OneLineTextEdit::withoutLineBreaks(QString text)
{
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator), QChar(u'\v'), QChar(u'\f')})
        text.remove(lineBreak);
    return text;
}

QString OneLineTextEdit::fitted(const QString &text, int replaced) const
{
    const QTextCursor cursor = textCursor();
    const int kept = document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart()) - replaced;
    int room = std::max(MaxTypedLength - kept, 0);
    QString result = withoutLineBreaks(text);
    if (result.size() > room) {
        // Never split a surrogate pair into a lone half.
        if (room > 0 && result.at(room - 1).isHighSurrogate())
            --room;
        result.truncate(room);
    }
    return result;
}

void OneLineTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    const QString typed = fitted(event->text());
    if (typed == event->text()) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    // The same key with only the text the box takes: shortcuts, moves and
    // deletions still work when the box is full.
    QKeyEvent filtered(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), typed, event->isAutoRepeat(),
                       quint16(event->count()), event->device());
    QTextEdit::keyPressEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

void OneLineTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    const QString typed = isReadOnly() ? commit : fitted(commit, event->replacementLength());
    if (typed == commit) {
        QTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(typed, event->replacementStart(), event->replacementLength());
    QTextEdit::inputMethodEvent(&filtered);
    event->setAccepted(filtered.isAccepted());
}

bool OneLineTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void OneLineTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        insertPlainText(fitted(source->text()));
}

QValidator::State NoLineBreakValidator::validate(QString &input, int &pos) const
{
    const QString before = OneLineTextEdit::withoutLineBreaks(input.left(pos));
    const QString after = OneLineTextEdit::withoutLineBreaks(input.mid(pos));
    if (before.size() + after.size() != input.size()) {
        input = before + after;
        pos = int(before.size());
    }
    return Acceptable;
}
