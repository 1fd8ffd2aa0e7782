#pragma once

#include <QWidget>

// The check button: a round black face stretched into a pill, drawn from four
// small pictures, with its caption over the face. It can be the window's
// default button (Enter) and cancel button (Escape).
class TQuilButton1 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)

public:
    explicit TQuilButton1(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool isDefault() const { return m_default; }
    void setDefault(bool value) { m_default = value; }
    int modalResult() const { return m_modalResult; }
    void setModalResult(int value) { m_modalResult = value; }

    // Presses the button from the keyboard (the window's Enter handling).
    void click();

    QSize sizeHint() const override { return {80, 41}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_caption;
    bool m_default = false;
    int m_modalResult = 0;
    bool m_down = false;
};
