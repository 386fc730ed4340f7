#include "vocabulary/FocusOutHook.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {
// Watches the widget it belongs to and lets every event through.
class FocusOutFilter : public QObject {
public:
    FocusOutFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            m_handler();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};
} // namespace

void OnFocusOut(QWidget* widget, std::function<void()> handler)
{
    widget->installEventFilter(new FocusOutFilter(widget, std::move(handler)));
}
