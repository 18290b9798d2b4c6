#include "platform/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

const QString kScrollName = QStringLiteral("windowScroll");
const QString kContentName = QStringLiteral("windowContent");
const QString kKeeperName = QStringLiteral("frameKeeper");

// Places `length` at `start`, moved the least way into [from, from + room).
int clampedStart(int start, int length, int from, int room) { return std::clamp(start, from, from + room - length); }

// A scroll area that asks for the whole of its content, so that a window
// wrapped in one is no smaller than before when there is room (Qt's own
// asks for at most a few dozen lines of text).
class ScrollPage : public QScrollArea {
public:
    explicit ScrollPage(QWidget *parent) : QScrollArea(parent) {}
    QSize sizeHint() const override
    {
        const QWidget *content = widget();
        if (!content)
            return QScrollArea::sizeHint();
        const int f = 2 * frameWidth();
        return (widgetResizable() ? content->sizeHint() : content->size()) + QSize(f, f);
    }
};

// Moves the window's content into a scroll area filling the window (its
// menu bar stays above it), keeping every control, its place and its
// focus. Controls laid out by the window's layout go with the layout;
// controls placed by hand keep their places in a page of `handSize`.
QScrollArea *wrap(QWidget *window, const QSize &handSize)
{
    const QPointer<QWidget> focus = window->focusWidget();
    QLayout *layout = window->layout();
    QWidget *menu = layout ? layout->menuBar() : nullptr;
    if (layout)
        layout->setMenuBar(nullptr);
    // Made inside the window first, so its controls never leave it (their
    // tab order stays as it was).
    auto *content = new QWidget(window);
    content->setObjectName(kContentName);
    const QList<QWidget *> byHand = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    if (layout)
        content->setLayout(layout);  // takes its controls along
    for (QWidget *w : byHand) {
        if (w == content || w == menu || w->isWindow() || w->parentWidget() != window)
            continue;
        const QRect place = w->geometry();
        w->setParent(content);
        w->setGeometry(place);
    }
    if (!layout)
        content->resize(handSize);

    auto *area = new ScrollPage(window);
    area->setObjectName(kScrollName);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(layout != nullptr);
    area->setWidget(content);
    auto *outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    if (menu)
        outer->setMenuBar(menu);
    outer->addWidget(area);
    // The window's least size is now the scroll area's.
    outer->activate();
    area->show();
    if (focus && window->focusWidget() != focus)
        focus->setFocus();
    return area;
}

// The least size of a page that scrolls, its height taken at that width (a
// page of wrapping text is taller where it is narrower).
QSize leastPage(const QScrollArea *area)
{
    const QWidget *page = area->widget();
    if (!area->widgetResizable())
        return page->size();
    QSize least = page->minimumSizeHint().expandedTo(page->minimumSize());
    if (page->hasHeightForWidth())
        least.setHeight(std::max(least.height(), page->heightForWidth(least.width())));
    return least;
}

// Grows a window of `size` whose page scrolls, as far as the room goes, so
// that a scroll bar along one side covers nothing of the page across it: as
// tall as the page and a bar along the bottom, as wide as the page and a bar
// down the side. `menuHeight`: what the window's menu bar takes above it.
QSize roomBesideBars(const QScrollArea *area, QSize size, const QSize &room, int menuHeight)
{
    const QSize page = leastPage(area);
    const int f = 2 * area->frameWidth();
    const QSize chrome(f, f + menuHeight);
    const int barHeight = area->horizontalScrollBar()->sizeHint().height();
    const int barWidth = area->verticalScrollBar()->sizeHint().width();
    bool across = false, down = false;  // the bars shown
    // A bar one way may bring the other: twice settles it.
    for (int pass = 0; pass < 2; ++pass) {
        across = size.width() - chrome.width() - (down ? barWidth : 0) < page.width();
        down = size.height() - chrome.height() - (across ? barHeight : 0) < page.height();
        if (across)
            size.setHeight(
                std::min(room.height(), std::max(size.height(), chrome.height() + page.height() + barHeight)));
        if (down)
            size.setWidth(std::min(room.width(), std::max(size.width(), chrome.width() + page.width() + barWidth)));
    }
    return size;
}

// Watches one window for keepWhole(). The desktop places a window and gives
// it its frame as it puts it on view, so the first exposure after an opening
// is where that is known, as a rule. A window the desktop places itself may
// be on view before the window system tells where (after a resize the
// program made while the desktop placed it): until a move is told it lies
// where it was before, which is no place the desktop gave it, so it is kept
// once the move comes. A resize the program makes arrives as a resize event
// of the widget that the window system did not send.
class FrameKeeper : public QObject {
public:
    explicit FrameKeeper(QWidget *window) : QObject(window), window_(window)
    {
        setObjectName(kKeeperName);
        window->installEventFilter(this);
    }

    void arm(FrameRules rules)
    {
        rules_ = std::move(rules);
        opening_ = true;
        exposed_ = false;
        told_ = false;
        watchHandle();
    }

    bool opening() const { return opening_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_) {
            if (event->type() == QEvent::Show)
                watchHandle();  // made by now
            else if (event->type() == QEvent::Resize && !event->spontaneous() && !opening_)
                keep();
            else if (event->type() == QEvent::Move && event->spontaneous() && opening_ && told_ && exposed_)
                settle();
        } else if (watched == handle_ && opening_) {
            if (event->type() == QEvent::Move) {
                told_ = true;
                // Kept once the widget has followed the move (at once when
                // it is there already).
                if (exposed_ && window_->geometry().topLeft() == static_cast<QMoveEvent *>(event)->pos())
                    settle();
            } else if (event->type() == QEvent::Expose && !exposed_ && handle_->isExposed()) {
                exposed_ = true;
                // Its place is known when told, or the program's (which the
                // desktop keeps); one whole in the area needs no keeping.
                if (told_ || window_->testAttribute(Qt::WA_Moved) || liesWhole())
                    settle();
            }
        }
        return false;
    }

private:
    // The native window may be made again (a change of its flags).
    void watchHandle()
    {
        QWindow *handle = window_->windowHandle();
        if (handle == handle_)
            return;
        if (handle_)
            handle_->removeEventFilter(this);
        handle_ = handle;
        if (handle)
            handle->installEventFilter(this);
    }

    QMargins frame() const
    {
        const QMargins known = frameMargins(window_);
        return known.isNull() && rules_.expectedFrame ? rules_.expectedFrame() : known;
    }
    QRect placed(const QMargins &frame) const { return {frameTopLeft(window_, frame), window_->size().grownBy(frame)}; }
    bool liesWhole() const
    {
        const QRect now = placed(frame());
        const QRect area = availableAreaAt(now.center(), window_);
        return area.isEmpty() || area.contains(now);
    }

    void settle()
    {
        opening_ = false;
        keep();
    }

    void keep()
    {
        if (busy_ || !window_->isVisible() || window_->isMinimized() || window_->isMaximized() ||
            window_->isFullScreen() || liesWhole())
            return;
        const QScopedValueRollback<bool> busy(busy_, true);
        const QMargins frame = this->frame();
        QRect now = placed(frame);
        const QRect area = availableAreaAt(now.center(), window_);
        if ((now.width() > area.width() || now.height() > area.height()) && rules_.cut) {
            rules_.cut(area.size().shrunkBy(frame));
            now.setSize(window_->size().grownBy(frame));
        }
        moveFrameTo(window_, keptInside(now, area).topLeft(), frame);
    }

    QWidget *window_;
    QPointer<QWindow> handle_;
    FrameRules rules_;
    bool opening_ = false;  // shown, and not yet kept where the desktop put it
    bool exposed_ = false;  // on view since the opening
    bool told_ = false;     // the window system told a move since the opening
    bool busy_ = false;
};

// Only a keeper goes by its name.
FrameKeeper *keeperOf(const QWidget *window)
{
    return static_cast<FrameKeeper *>(window->findChild<QObject *>(kKeeperName, Qt::FindDirectChildrenOnly));
}

}  // namespace

QRect keptInside(const QRect &frame, const QRect &area)
{
    if (area.isEmpty())
        return frame;
    const QSize size = frame.size().boundedTo(area.size());
    return {clampedStart(frame.x(), size.width(), area.x(), area.width()),
            clampedStart(frame.y(), size.height(), area.y(), area.height()), size.width(), size.height()};
}

QRect centredOver(const QSize &frame, const QRect &over, const QRect &area)
{
    QRect r(QPoint(0, 0), frame);
    r.moveCenter(over.isEmpty() ? area.center() : over.center());
    return keptInside(r, area);
}

QRect besideBox(const QSize &frame, const QRect &box, const QRect &area)
{
    QRect r(QPoint(box.x(), box.y() + box.height()), frame);
    const bool roomBelow = r.y() + r.height() <= area.y() + area.height();
    const bool roomAbove = box.y() - frame.height() >= area.y();
    if (!roomBelow && roomAbove)
        r.moveTop(box.y() - frame.height());
    return keptInside(r, area);
}

QRect availableAreaAt(const QPoint &point, const QWidget *window)
{
    QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen && window)
        screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    return {inner.x() - frame.x(), inner.y() - frame.y(), frame.x() + frame.width() - inner.x() - inner.width(),
            frame.y() + frame.height() - inner.y() - inner.height()};
}

QMargins expectedFrame(const QWidget *window, const QWidget *like)
{
    const QMargins own = frameMargins(window);
    if (!own.isNull())
        return own;
    if (like && like != window && like->isVisible()) {
        const QMargins theirs = frameMargins(like);
        if (!theirs.isNull())
            return theirs;
    }
    const QStyle *style = window->style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {border, title + border, border, border};
}

QPoint frameTopLeft(const QWidget *window, const QMargins &frame)
{
    if (!window->testAttribute(Qt::WA_WState_Created))
        return window->pos();
    return window->geometry().topLeft() - QPoint(frame.left(), frame.top());
}

void moveFrameTo(QWidget *window, const QPoint &topLeft, const QMargins &frame)
{
    if (!window->testAttribute(Qt::WA_WState_Created)) {
        window->move(topLeft);
        return;
    }
    // Qt puts the window's own area at the position plus the frame it knows.
    const QPoint known = window->geometry().topLeft() - window->pos();
    window->move(topLeft + QPoint(frame.left(), frame.top()) - known);
}

QScrollArea *windowScrollArea(const QWidget *window)
{
    return window ? window->findChild<QScrollArea *>(kScrollName, Qt::FindDirectChildrenOnly) : nullptr;
}

QSize sizeWithin(QWidget *window, const QSize &wanted, const QSize &room)
{
    if (QLayout *layout = window->layout())
        layout->activate();  // which sets the window's least size
    QScrollArea *area = windowScrollArea(window);
    if (!area) {
        const QSize least = window->layout() ? window->minimumSize() : wanted;
        if (least.width() > room.width() || least.height() > room.height())
            area = wrap(window, wanted);
    }
    // A page of controls placed by hand is as large as the window wants to be.
    if (area && !area->widgetResizable() && area->widget())
        area->widget()->resize(wanted);
    QSize given = wanted.boundedTo(room);
    if (area) {
        const QMenuBar *menu = window->layout() ? qobject_cast<QMenuBar *>(window->layout()->menuBar()) : nullptr;
        given = roomBesideBars(area, given, room, menu ? menu->sizeHint().height() : 0);
    }
    given = given.expandedTo(window->minimumSize());
    // An unwrapped window left unsized keeps the size Qt gives it when shown;
    // Qt would give a wrapped one less than its content.
    if (window->size() != given || (area && !window->testAttribute(Qt::WA_Resized)))
        window->resize(given);
    return given;
}

void keepWhole(QWidget *window, FrameRules rules)
{
    FrameKeeper *keeper = keeperOf(window);
    if (!keeper)
        keeper = new FrameKeeper(window);
    keeper->arm(std::move(rules));
}

bool placingOnView(const QWidget *window)
{
    const FrameKeeper *keeper = keeperOf(window);
    return keeper && keeper->opening() && !window->testAttribute(Qt::WA_Moved);
}

}  // namespace platform
