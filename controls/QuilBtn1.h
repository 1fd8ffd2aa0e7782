#pragma once

#include <QImage>
#include <QWidget>

#include <array>

// The check button: a round black face stretched into a pill, drawn from four
// small pictures, with its caption over the face. It can be its window's
// default button (Enter) and cancel button (Escape); a click hands its modal
// result to the window as the window's "ModalResult" property.
class TQuilButton1 : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(TButtonStyle Style READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(TButtonState Status READ status WRITE setStatus)
    Q_PROPERTY(bool Cancel READ isCancel WRITE setCancel)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Default READ isDefault WRITE setDefault)
    Q_PROPERTY(int ModalResult READ modalResult WRITE setModalResult)
    Q_PROPERTY(quint32 FontColor READ fontColor WRITE setFontColor)

public:
    enum TButtonStyle { bsOnGray, bsOnWhite };
    Q_ENUM(TButtonStyle)
    enum TButtonState { bsOff, bsOn };
    Q_ENUM(TButtonState)

    static constexpr int FixedHeight = 41;

    explicit TQuilButton1(QWidget *parent = nullptr);

    TButtonStyle buttonStyle() const { return m_style; }
    void setButtonStyle(TButtonStyle style);
    TButtonState status() const { return m_status; }
    void setStatus(TButtonState status);
    bool isCancel() const { return m_cancel; }
    void setCancel(bool cancel) { m_cancel = cancel; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    bool isDefault() const { return m_default; }
    void setDefault(bool value) { m_default = value; }
    int modalResult() const { return m_modalResult; }
    void setModalResult(int value) { m_modalResult = value; }
    quint32 fontColor() const { return m_fontColor; }
    void setFontColor(quint32 color);

    // The picture for a state and style, as loaded at creation.
    QImage picture(TButtonState status, TButtonStyle style) const { return m_pictures[status * 2 + style]; }
    // The caption's font: the button's own, smaller only where the caption
    // would not fit the face, which never grows taller than its pictures.
    QFont captionFont() const;

    // The picture as drawn on a screen of one device pixel to the point: on
    // grey, its background is the colour behind the button.
    QImage shownPicture(TButtonState status, TButtonStyle style) const;

    QSize sizeHint() const override { return {91, FixedHeight}; }

public slots:
    // Presses the button from code or the keyboard; nothing happens while disabled.
    void click();

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool canTakeFocus() const;
    bool containsInclusive(const QPointF &position) const;
    void updateShortcut();
    void setFocusFlag(bool focused);

    TButtonStyle m_style = bsOnGray;
    TButtonState m_status = bsOff;
    bool m_cancel = false;
    QString m_caption;
    bool m_default = false;
    int m_modalResult = 0;
    quint32 m_fontColor = 0x00FFFF;

    bool m_hasFocus = false;
    bool m_tracking = false;
    int m_shortcutId = 0;
    QImage onBackground(QImage image, TButtonStyle style) const;

    std::array<QImage, 4> m_pictures;
    std::array<QImage, 4> m_doublePictures; // twice the size, for sharper screens
};
