#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

// Colours are 32-bit values: red in the low byte, then green, then blue. A top
// byte of 0x80 names a system colour by its low byte (the Windows COLOR_*
// index), which resolves against the palette's roles here.
QColor resolveColor(quint32 value, const QPalette &palette);

// A push button that paints its own face: a gradient between two colours in
// one of six patterns, a three-dimensional frame and a relief caption. The
// face is composed off screen and copied in one block, so it never erases its
// background and never flickers.
class TGradBtn : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(quint32 DisabledColor READ disabledColor WRITE setDisabledColor)
    Q_PROPERTY(quint32 BtnHiliteClr READ btnHiliteClr WRITE setBtnHiliteClr)
    Q_PROPERTY(quint32 BtnShadowClr READ btnShadowClr WRITE setBtnShadowClr)
    Q_PROPERTY(int BtnFrameSize READ btnFrameSize WRITE setBtnFrameSize)
    Q_PROPERTY(quint32 TxtHiliteClr READ txtHiliteClr WRITE setTxtHiliteClr)
    Q_PROPERTY(quint32 TxtShadowClr READ txtShadowClr WRITE setTxtShadowClr)
    Q_PROPERTY(quint32 BeginColor READ beginColor WRITE setBeginColor)
    Q_PROPERTY(quint32 EndColor READ endColor WRITE setEndColor)
    Q_PROPERTY(bool SwapColors READ swapColors WRITE setSwapColors)
    Q_PROPERTY(bool ShowFocus READ showFocus WRITE setShowFocus)
    Q_PROPERTY(TGradientStyle GradientStyle READ gradientStyle WRITE setGradientStyle)
    Q_PROPERTY(TTextStyle TextStyle READ textStyle WRITE setTextStyle)
    Q_PROPERTY(TShadeType TextShadeType READ textShadeType WRITE setTextShadeType)
    Q_PROPERTY(TPreset Presets READ presets WRITE setPresets)
    Q_PROPERTY(TJustification Justification READ justification WRITE setJustification)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(quint32 FontColor READ fontColor WRITE setFontColor)

public:
    enum TGradientStyle { gsHorizontal, gsVertical, gsElliptic, gsRectangle, gsVertCenter, gsHorizCenter };
    Q_ENUM(TGradientStyle)
    enum TTextStyle { tsNormal, tsRaised, tsInset };
    Q_ENUM(TTextStyle)
    enum TShadeType { stLight, stHeavy };
    Q_ENUM(TShadeType)
    enum TPreset { None, GoldCoast, LimeBox, Aluminum, SunRise, BrassedOff };
    Q_ENUM(TPreset)
    enum TJustification { jLeft, jCenter, jRight };
    Q_ENUM(TJustification)

    explicit TGradBtn(QWidget *parent = nullptr);

    quint32 disabledColor() const { return m_disabledColor; }
    void setDisabledColor(quint32 color);
    quint32 btnHiliteClr() const { return m_btnHiliteClr; }
    void setBtnHiliteClr(quint32 color);
    quint32 btnShadowClr() const { return m_btnShadowClr; }
    void setBtnShadowClr(quint32 color);
    int btnFrameSize() const { return m_btnFrameSize; }
    void setBtnFrameSize(int size);
    quint32 txtHiliteClr() const { return m_txtHiliteClr; }
    void setTxtHiliteClr(quint32 color);
    quint32 txtShadowClr() const { return m_txtShadowClr; }
    void setTxtShadowClr(quint32 color);
    quint32 beginColor() const { return m_beginColor; }
    void setBeginColor(quint32 color);
    quint32 endColor() const { return m_endColor; }
    void setEndColor(quint32 color);
    bool swapColors() const { return m_swapColors; }
    void setSwapColors(bool swap) { m_swapColors = swap; }
    bool showFocus() const { return m_showFocus; }
    void setShowFocus(bool show) { m_showFocus = show; }
    TGradientStyle gradientStyle() const { return m_gradientStyle; }
    void setGradientStyle(TGradientStyle style);
    TTextStyle textStyle() const { return m_textStyle; }
    void setTextStyle(TTextStyle style);
    TShadeType textShadeType() const { return m_textShadeType; }
    void setTextShadeType(TShadeType type);
    TPreset presets() const { return m_preset; }
    void setPresets(TPreset preset);
    TJustification justification() const { return m_justification; }
    void setJustification(TJustification justification);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    quint32 fontColor() const { return m_fontColor; }
    void setFontColor(quint32 color);

    // Qt has no form designer mode for this control; a designer plugin would
    // switch it on. Presets take effect only then, and no focus is drawn.
    bool isDesigning() const { return m_designing; }
    void setDesigning(bool designing) { m_designing = designing; }

    bool isDown() const { return !m_up; }

    // The caption as shown and measured: "&x" shows x (underlined), "&&" one
    // "&", and a last lone "&" is kept.
    static QString displayCaption(const QString &caption);
    // The caption as handed to Qt's mnemonic drawing, which would hide a last
    // lone "&": drawn, it shows displayCaption().
    static QString mnemonicCaption(const QString &caption);

    // The caption's font: the button's own, smaller only where the caption
    // would not fit the face.
    QFont captionFont() const;

    QSize sizeHint() const override { return {75, 25}; }

public slots:
    // Clicks the button as the keyboard does; nothing happens while disabled.
    void click();

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setColor(quint32 &member, quint32 value);
    void press(Qt::MouseButton button);
    void release();
    void popUp();
    void pointerCrossed(bool inside);
    void updateShortcut();
    void composeFace();
    void paintGradient(QPainter &painter);
    void paintFrame(QPainter &painter);
    void paintCaption(QPainter &painter);
    qreal captionMargin() const;
    void paintFocus();
    QColor readableDisabledColor() const;
    static constexpr int FocusDesignHeight = 22; // the height at which the focus ring is one pixel

    quint32 m_disabledColor = 0x80000011;
    quint32 m_btnHiliteClr = 0x80000014;
    quint32 m_btnShadowClr = 0x80000010;
    int m_btnFrameSize = 1;
    quint32 m_txtHiliteClr = 0x80000014;
    quint32 m_txtShadowClr = 0x80000010;
    quint32 m_beginColor = 0x800000;
    quint32 m_endColor = 0xFFFF00;
    bool m_swapColors = true;
    bool m_showFocus = true;
    TGradientStyle m_gradientStyle = gsVertCenter;
    TTextStyle m_textStyle = tsRaised;
    TShadeType m_textShadeType = stLight;
    TPreset m_preset = None;
    TJustification m_justification = jCenter;
    QString m_caption;
    quint32 m_fontColor = 0x000000;

    bool m_designing = false;
    bool m_up = true;
    bool m_clickRestored = false;
    bool m_swapped = false;     // the colours were exchanged by the press that holds the button down
    bool m_leftHeld = false;    // a left press on the button has not been released yet
    bool m_pointerInside = false;
    int m_shortcutId = 0;
    QImage m_face;
};
