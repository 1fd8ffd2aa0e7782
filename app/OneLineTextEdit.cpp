#include "app/OneLineTextEdit.h"

#include <QKeyEvent>
#include <QMimeData>

OneLineTextEdit::OneLineTextEdit(QWidget *parent)
    : QTextEdit(parent)
{
    setAcceptRichText(false);
    setTabChangesFocus(true);
}

QString OneLineTextEdit::withoutLineBreaks(QString text)
{
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator),
                                  QChar(QChar::ParagraphSeparator), QChar(u'\v'), QChar(u'\f')})
        text.remove(lineBreak);
    return text;
}

void OneLineTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

bool OneLineTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void OneLineTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        insertPlainText(withoutLineBreaks(source->text()));
}
