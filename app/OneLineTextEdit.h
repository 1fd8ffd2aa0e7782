#pragma once

#include <QTextEdit>

// A rich-text box that takes no line breaks: Return and Enter are left to the
// window (which presses its default button), and pasted or dropped text has
// its line breaks removed.
class OneLineTextEdit : public QTextEdit
{
    Q_OBJECT

public:
    explicit OneLineTextEdit(QWidget *parent = nullptr);

    static QString withoutLineBreaks(QString text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
