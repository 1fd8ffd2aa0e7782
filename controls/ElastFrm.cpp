#include "ElastFrm.h"

#include "DesktopWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMetaProperty>
#include <QPainter>
#include <QPaintEvent>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QWidget>

#include <algorithm>
#include <functional>

using elastic::Rect;
using elastic::Size;

namespace {

// Font sizes are kept and rounded in points, the unit the form was designed
// in; a font given in pixels counts at the design's 96 dots per inch.
int pointSizeOf(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pixelSize() > 0)
        return elastic::roundHalfEven(font.pixelSize() * 72.0 / 96.0);
    return QFontInfo(font).pointSize();
}

void setPointSize(QFont &font, int size)
{
    // QFont refuses sizes below 1; a tiny window still gets readable glyphs.
    font.setPointSize(std::max(size, 1));
}

// An "Align" property, where a control publishes one (none of Qt's do).
elastic::Align alignOf(const QWidget *widget)
{
    const QVariant value = widget->property("Align");
    if (!value.isValid())
        return elastic::Align::None;
    static const QStringList names{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
    int index = names.indexOf(value.toString());
    if (index < 0) {
        bool ok = false;
        index = value.toInt(&ok);
        if (!ok || index < 0 || index >= names.size())
            return elastic::Align::None;
    }
    return static_cast<elastic::Align>(index);
}

elastic::PositionRule positionRuleOf(const QWidget *form)
{
    const QString rule = form->property("Position").toString();
    if (rule.isEmpty() || rule == QLatin1String("poDesigned"))
        return elastic::PositionRule::Designed;
    if (rule == QLatin1String("poScreenCenter"))
        return elastic::PositionRule::ScreenCenter;
    if (rule == QLatin1String("poDesktopCenter"))
        return elastic::PositionRule::DesktopCenter;
    if (rule == QLatin1String("poMainFormCenter"))
        return elastic::PositionRule::MainFormCenter;
    return elastic::PositionRule::Other;
}

bool isManaged(const QWidget *widget)
{
    // Qt's own inner widgets (viewports, scroll bars, tab bars) carry "qt_"
    // names; they belong to their control, not to the form.
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    const QWidget *parent = widget->parentWidget();
    if (qobject_cast<const QToolBar *>(parent) || qobject_cast<const QTabWidget *>(parent)
        || qobject_cast<const QStackedWidget *>(parent))
        return false;
    // A layout already places the widgets it holds.
    if (parent && parent->layout() && parent->layout()->indexOf(widget) >= 0)
        return false;
    return true;
}

} // namespace

TElasticForm::TElasticForm(QWidget *owner)
    : QObject(owner)
    , m_form(owner)
{
    if (!owner || !owner->isWindow())
        throw ElasticFormError("Owner of TElasticForm component must be a form");
    if (owner->findChildren<TElasticForm *>(Qt::FindDirectChildrenOnly).size() > 1)
        throw ElasticFormError("A TElasticForm component already exists in "
                               + owner->objectName().toStdString());

    m_font = owner->font();
    if (m_font.pointSize() <= 0)
        setPointSize(m_font, pointSizeOf(m_font));
    if (QWidget *focus = owner->focusWidget())
        m_efActiveControl = focus->objectName();
    m_positionRule = positionRuleOf(owner);

    m_window = std::make_unique<DesktopWindow>(*this, owner);
    connect(this, &TElasticForm::trackLimitsChanged, m_window.get(),
            &DesktopWindow::applyTrackLimits);

    owner->installEventFilter(this);
    if (QWidget *client = clientWidget(); client != owner) {
        client->installEventFilter(this);
        m_filteredClient = client;
    }
}

TElasticForm::~TElasticForm()
{
    m_form->removeEventFilter(this);
    if (m_filteredClient)
        m_filteredClient->removeEventFilter(this);
}

void TElasticForm::setFont(const QFont &font)
{
    m_font = font;
    if (m_font.pointSize() <= 0)
        setPointSize(m_font, pointSizeOf(font));
    applyFontToClient();
}

QLabel *TElasticForm::bkGrndImage() const
{
    return m_bkGrndImage;
}

void TElasticForm::setBkGrndImage(QLabel *image)
{
    m_bkGrndImage = image;
    if (image)
        image->hide();
    if (QWidget *client = clientWidget())
        client->update();
}

int TElasticForm::dragSettleInterval() const
{
    return m_window->settleInterval();
}

void TElasticForm::setDragSettleInterval(int milliseconds)
{
    m_window->setSettleInterval(milliseconds);
}

QList<QWidget *> TElasticForm::managedControls() const
{
    QList<QWidget *> widgets;
    for (const Control &control : m_controls)
        widgets.append(control.widget);
    return widgets;
}

QWidget *TElasticForm::clientWidget() const
{
    // A main window's client area is its central widget; the menu bar, tool
    // bars and status bar lie outside it, like a frame.
    if (auto *window = qobject_cast<QMainWindow *>(m_form))
        if (QWidget *central = window->centralWidget())
            return central;
    return m_form;
}

Size TElasticForm::clientSize() const
{
    const QSize size = clientWidget()->size();
    return {size.width(), size.height()};
}

bool TElasticForm::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_form->isVisible())
        return false;
    QWidget *client = clientWidget();
    const QEvent::Type type = event->type();

    if (watched == client) {
        if (type == QEvent::Paint)
            paintBackground(static_cast<QPaintEvent *>(event));
        if (type == QEvent::Resize) {
            beforeMessage();
            m_window->sizeChanged();
        }
        if (watched != m_form)
            return false;
    }
    if (watched != m_form)
        return false;

    switch (type) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::WindowStateChange:
    case QEvent::Close:
    case QEvent::Enter:
        beforeMessage();
        m_window->windowEvent(event);
        break;
    default:
        break;
    }
    return false;
}

void TElasticForm::beforeMessage()
{
    m_focusAtMessage = QApplication::focusWidget();
    reapplyFont();
    if (!m_needsInitialisation)
        return;

    initialise();
    hideControls();
    m_window->placeAtStart();
    showControls();
}

void TElasticForm::initialise()
{
    m_needsInitialisation = false;
    const Size screen = m_window->readScreen();
    if (!m_resolutionIndependence) {
        m_designScreenWidth = screen.width;
        m_designScreenHeight = screen.height;
    }
    if (m_controls.isEmpty())
        collectControls();
    if (!m_elFrmIniFile.isEmpty())
        m_window->loadPlacement();
    for (Control &control : m_controls)
        control.visible = control.widget && !control.widget->isHidden();

    const Size designScreen{m_designScreenWidth, m_designScreenHeight};
    if (m_window->isMaximized()) {
        const Rect form = elastic::maximizedDesignForm(
            {m_maximizedPosX, m_maximizedPosY, m_maintainProportions, designScreen,
             {m_designFormWidth, m_designFormHeight}, screen});
        m_designFormLeft = form.left;
        m_designFormTop = form.top;
        m_designFormWidth = form.width;
        m_designFormHeight = form.height;
    }

    m_ratios = elastic::screenRatios(screen, designScreen);
    m_referenceFormFontSize = elastic::roundHalfDown(pointSizeOf(m_font) * m_ratios.font);

    elastic::StartInput start;
    start.designForm = {m_designFormLeft, m_designFormTop, m_designFormWidth, m_designFormHeight};
    start.designClient = {m_designFormClientWidth, m_designFormClientHeight};
    start.screen = screen;
    start.ratios = m_ratios;
    start.hasBorder = m_window->hasBorder();
    start.position = m_positionRule;
    const QWidget *main = m_form->parentWidget() ? m_form->parentWidget()->window() : nullptr;
    start.mainForm = main ? toRect(main->frameGeometry()) : Rect{0, 0, screen.width, screen.height};
    m_window->takeStart(elastic::startBounds(start));
}

void TElasticForm::collectControls()
{
    std::vector<elastic::AlignedEdges> edges;
    QList<Control> found;
    QWidget *client = clientWidget();

    const std::function<void(QWidget *)> walk = [&](QWidget *parent) {
        for (QObject *child : parent->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (!widget || widget->isWindow())
                continue;
            if (isManaged(widget)) {
                Control control;
                control.widget = widget;
                control.onClient = parent == client;
                if (m_lookForExtraFonts) {
                    const QMetaObject *meta = widget->metaObject();
                    for (int i = 0; i < meta->propertyCount(); ++i) {
                        const QMetaProperty property = meta->property(i);
                        if (property.metaType().id() == QMetaType::QFont && property.isWritable()
                            && qstrcmp(property.name(), "font") != 0)
                            control.extraFontProperties.append(property.name());
                    }
                }
                found.append(control);
                edges.push_back({alignOf(widget), widget->x(), widget->y()});
            }
            walk(widget);
        }
    };
    walk(client);

    std::vector<elastic::ControlGeometry> geometry;
    for (int index : elastic::layoutOrder(edges)) {
        const Control &control = found.at(index);
        QWidget *widget = control.widget;
        elastic::ControlGeometry g;
        g.bounds = toRect(widget->geometry());
        g.fontSize = pointSizeOf(widget->font());
        for (const QString &name : control.extraFontProperties)
            g.extraFontSizes.push_back(pointSizeOf(widget->property(name.toLatin1()).value<QFont>()));
        geometry.push_back(g);
        m_controls.append(control);
    }
    m_layout.record(geometry);
    for (int i = 0; i < m_controls.size(); ++i)
        if (qobject_cast<QToolBar *>(m_controls.at(i).widget))
            m_layout.setScaleFonts(i, false);
}

void TElasticForm::firstRescale()
{
    const int size = m_layout.firstRescale(
        m_ratios, {m_designFormClientWidth, m_designFormClientHeight}, m_referenceFormFontSize,
        pointSizeOf(m_font));
    setPointSize(m_font, size);
    applyFontToClient();
}

void TElasticForm::rescale()
{
    if (!m_layout.firstRescaleDone())
        firstRescale();
    if (!m_form->focusWidget())
        focusActiveControl();

    const Size outer = m_window->outerSize();
    const Size client = clientSize();
    const elastic::RescaleResult result = m_layout.rescale(
        outer, client, {m_elasticHorizontal, m_elasticVertical, m_elasticFont});
    if (result.fontSize) {
        setPointSize(m_font, *result.fontSize);
        applyFontToClient();
    }

    for (int i = 0; i < m_controls.size(); ++i) {
        QWidget *widget = m_controls.at(i).widget;
        if (!widget)
            continue; // deleted by the program since it was recorded
        if (const std::optional<int> size = result.fontSizes.at(i)) {
            QFont font = widget->font();
            if (font.pointSize() != std::max(*size, 1)) {
                setPointSize(font, *size);
                widget->setFont(font);
            }
            const QStringList &extras = m_controls.at(i).extraFontProperties;
            const std::vector<int> &extraSizes = result.extraFontSizes.at(i);
            for (int e = 0; e < extras.size() && e < int(extraSizes.size()); ++e) {
                const QByteArray name = extras.at(e).toLatin1();
                QFont extra = widget->property(name).value<QFont>();
                setPointSize(extra, extraSizes.at(e));
                widget->setProperty(name, extra);
            }
        }
        const Rect &b = result.bounds.at(i);
        widget->setGeometry(b.left, b.top, b.width, b.height);
    }

    m_lastRescaledOuter = outer;
    m_lastRescaledClient = client;
    if (m_showAfterFirstRescale) {
        m_showAfterFirstRescale = false;
        showControls();
    }
    emit AfterResize();
}

void TElasticForm::rescaleNow()
{
    if (m_needsInitialisation)
        beforeMessage();
    m_focusAtMessage = QApplication::focusWidget();
    hideControls();
    rescale();
    showControls();
    restoreFocus();
}

void TElasticForm::displayChanged()
{
    m_window->displayChanged();
}

void TElasticForm::hideControls()
{
    if (m_controlsHidden)
        return;
    m_controlsHidden = true;
    // Hiding the focused control moves the focus on; remember where it was.
    if (QWidget *focus = QApplication::focusWidget(); focus && focus->window() == m_form)
        m_focusAtMessage = focus;
    for (Control &control : m_controls)
        control.visible = control.widget && !control.widget->isHidden();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (it->onClient && it->widget)
            it->widget->hide();
}

void TElasticForm::showControls()
{
    if (!m_controlsHidden)
        return;
    m_controlsHidden = false;
    for (const Control &control : m_controls)
        if (control.onClient && control.widget)
            control.widget->setVisible(control.visible);
    restoreFocus();
    if (!m_form->focusWidget())
        focusActiveControl();
}

void TElasticForm::focusActiveControl()
{
    if (m_efActiveControl.isEmpty())
        return;
    QWidget *target = nullptr;
    for (const Control &control : m_controls)
        if (control.widget && control.widget->objectName() == m_efActiveControl)
            target = control.widget;
    if (target && !target->isHidden())
        target->setFocus();
}

void TElasticForm::restoreFocus()
{
    QWidget *focus = m_focusAtMessage;
    if (focus && focus != m_form && focus->window() == m_form && focus->isVisible()
        && QApplication::focusWidget() != focus)
        focus->setFocus();
}

void TElasticForm::reapplyFont()
{
    if (QWidget *client = clientWidget(); client && client->font() != m_font)
        applyFontToClient();
}

void TElasticForm::applyFontToClient()
{
    // The client area, not the whole window: a main window's menu bar keeps
    // the desktop's font, as a frame's menu does.
    if (QWidget *client = clientWidget()) {
        client->setFont(m_font);
        client->update();
    }
}

void TElasticForm::rememberActiveControl()
{
    if (QWidget *focus = m_form->focusWidget())
        m_efActiveControl = focus->objectName();
}

void TElasticForm::paintBackground(QPaintEvent *event)
{
    QLabel *image = m_bkGrndImage;
    if (!image)
        return;
    const QPixmap picture = image->pixmap();
    if (picture.isNull())
        return;
    QWidget *client = clientWidget();
    QPainter painter(client);
    painter.setClipRegion(event->region());
    if (alignOf(image) == elastic::Align::Client) {
        painter.drawPixmap(client->rect(), picture);
        return;
    }
    for (const Size &origin : elastic::tileOrigins({picture.width(), picture.height()},
                                                   {client->width(), client->height()}))
        painter.drawPixmap(origin.width, origin.height, picture);
}
