#pragma once

// TElasticForm keeps a form's controls and fonts proportional to the form's
// size. It records the named controls of the client area at their design
// geometry, then watches the form through an event filter and rescales every
// control from those records whenever the window's size or the display
// changes. The arithmetic lives in ElasticLayout on plain numbers; this class
// only feeds it from the widgets and applies what it returns. The window's
// own life on the desktop (its limits, bounds, drags and screens) is
// DesktopWindow's, which the form hands the window's events.
//
// There is no form designer here, so the design-time behaviour (recording the
// Design* values on a timer, the TrueType warning) is left out: the form sets
// the Design* values itself with setProperty().

#include "controls/WindowBounds.h"

#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

class DesktopWindow;
class QLabel;
class QPaintEvent;
class QWidget;

// Thrown by the constructor for an owner that is not a form, or a form that
// already carries a TElasticForm.
class ElasticFormError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TElasticForm : public QObject
{
    Q_OBJECT
    Q_MOC_INCLUDE(<QLabel>)
    Q_PROPERTY(bool ElasticHorizontal MEMBER m_elasticHorizontal)
    Q_PROPERTY(bool ElasticVertical MEMBER m_elasticVertical)
    Q_PROPERTY(bool ElasticFont MEMBER m_elasticFont)
    Q_PROPERTY(int DesignScreenWidth MEMBER m_designScreenWidth)
    Q_PROPERTY(int DesignScreenHeight MEMBER m_designScreenHeight)
    Q_PROPERTY(int DesignPixelsPerInch MEMBER m_designPixelsPerInch)
    Q_PROPERTY(int MaximizedPosX MEMBER m_maximizedPosX NOTIFY trackLimitsChanged)
    Q_PROPERTY(int MaximizedPosY MEMBER m_maximizedPosY NOTIFY trackLimitsChanged)
    Q_PROPERTY(int MinimumTrackWidth MEMBER m_minimumTrackWidth NOTIFY trackLimitsChanged)
    Q_PROPERTY(int MinimumTrackHeight MEMBER m_minimumTrackHeight NOTIFY trackLimitsChanged)
    Q_PROPERTY(int MaximumTrackWidth MEMBER m_maximumTrackWidth NOTIFY trackLimitsChanged)
    Q_PROPERTY(int MaximumTrackHeight MEMBER m_maximumTrackHeight NOTIFY trackLimitsChanged)
    Q_PROPERTY(int DesignFormWidth MEMBER m_designFormWidth)
    Q_PROPERTY(int DesignFormHeight MEMBER m_designFormHeight)
    Q_PROPERTY(int DesignFormClientWidth MEMBER m_designFormClientWidth)
    Q_PROPERTY(int DesignFormClientHeight MEMBER m_designFormClientHeight)
    Q_PROPERTY(int DesignFormLeft MEMBER m_designFormLeft)
    Q_PROPERTY(int DesignFormTop MEMBER m_designFormTop)
    Q_PROPERTY(bool MaintainProportions MEMBER m_maintainProportions NOTIFY trackLimitsChanged)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QLabel *BkGrndImage READ bkGrndImage WRITE setBkGrndImage)
    Q_PROPERTY(bool DBGridSelfResize MEMBER m_dbGridSelfResize)
    Q_PROPERTY(QString ElFrmIniFile MEMBER m_elFrmIniFile)
    Q_PROPERTY(float Version READ version WRITE setVersion)
    Q_PROPERTY(bool GridColumnWidthResize MEMBER m_gridColumnWidthResize)
    Q_PROPERTY(bool GridRowHeightResize MEMBER m_gridRowHeightResize)
    Q_PROPERTY(bool GridFontResize MEMBER m_gridFontResize)
    Q_PROPERTY(bool FontWarning MEMBER m_fontWarning)
    Q_PROPERTY(bool LookForExtraFonts MEMBER m_lookForExtraFonts)
    Q_PROPERTY(bool ResolutionIndependence MEMBER m_resolutionIndependence)
    Q_PROPERTY(QString EFActiveControl MEMBER m_efActiveControl)

public:
    explicit TElasticForm(QWidget *owner);
    ~TElasticForm() override;

    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    QLabel *bkGrndImage() const;
    void setBkGrndImage(QLabel *image);
    float version() const { return m_version; }
    void setVersion(float) { m_version = 601; } // read-only in effect

    // The managed controls in layout order; empty until initialisation.
    QList<QWidget *> managedControls() const;
    bool isInitialised() const { return !m_needsInitialisation; }

    // Where the desktop does not report the start and end of a border drag,
    // size changes that follow each other within this many milliseconds
    // count as one drag.
    int dragSettleInterval() const;
    void setDragSettleInterval(int milliseconds);

public slots:
    // One full rescale as after a change of size: hide, rescale, show.
    void rescaleNow();
    // The display's size changed: follow it.
    void displayChanged();

signals:
    void AfterResize();
    void trackLimitsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's life on the desktop reads the track and design properties
    // and hides, rescales and shows the controls around its changes.
    friend class DesktopWindow;

    struct Control
    {
        QPointer<QWidget> widget;
        bool visible = true;
        bool onClient = false; // directly on the client area
        QStringList extraFontProperties;
    };

    QWidget *clientWidget() const;
    elastic::Size clientSize() const;

    void beforeMessage();
    void initialise();
    void collectControls();
    void firstRescale();
    void rescale();
    void hideControls();
    void showControls();
    void focusActiveControl();
    void restoreFocus();
    void reapplyFont();
    void applyFontToClient();
    void rememberActiveControl();
    void paintBackground(QPaintEvent *event);

    QWidget *m_form = nullptr;
    std::unique_ptr<DesktopWindow> m_window;

    // Published properties.
    bool m_elasticHorizontal = true;
    bool m_elasticVertical = true;
    bool m_elasticFont = true;
    int m_designScreenWidth = 0;
    int m_designScreenHeight = 0;
    int m_designPixelsPerInch = 0;
    int m_maximizedPosX = 0;
    int m_maximizedPosY = 0;
    int m_minimumTrackWidth = 0;
    int m_minimumTrackHeight = 0;
    int m_maximumTrackWidth = 0;
    int m_maximumTrackHeight = 0;
    int m_designFormWidth = 0;
    int m_designFormHeight = 0;
    int m_designFormClientWidth = 0;
    int m_designFormClientHeight = 0;
    int m_designFormLeft = 0;
    int m_designFormTop = 0;
    bool m_maintainProportions = false;
    QFont m_font;
    QPointer<QLabel> m_bkGrndImage;
    bool m_dbGridSelfResize = false;
    QString m_elFrmIniFile;
    float m_version = 601;
    bool m_gridColumnWidthResize = true;
    bool m_gridRowHeightResize = true;
    bool m_gridFontResize = true;
    bool m_fontWarning = true;
    bool m_lookForExtraFonts = true;
    bool m_resolutionIndependence = true;
    QString m_efActiveControl;

    // State.
    elastic::Layout m_layout;
    QList<Control> m_controls; // layout order, parallel to the layout's records
    elastic::ScreenRatios m_ratios;
    elastic::PositionRule m_positionRule = elastic::PositionRule::Designed;
    int m_referenceFormFontSize = 0;
    elastic::Size m_lastRescaledOuter;
    elastic::Size m_lastRescaledClient;
    bool m_needsInitialisation = true;
    bool m_controlsHidden = false;
    bool m_showAfterFirstRescale = true;

    QPointer<QWidget> m_focusAtMessage;
    QPointer<QWidget> m_filteredClient;
};
