// Drives a modal dialog from inside its own event loop, the way Qt's own
// message box tests do.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimerEvent>

#include <functional>

// Acts on the modal dialog once its event loop runs, as Qt's own message box
// tests do; a dialog that the action failed to close is rejected a little
// later, so that a fault fails the test instead of hanging it.
class ExecCloseHelper : public QObject
{
public:
    static constexpr int kLeftOpen = -1;

    void start(std::function<void(QWidget *)> action)
    {
        m_action = std::move(action);
        m_seen = nullptr;
        m_timerId = startTimer(20);
    }
    QWidget *seen() const { return m_seen; }

protected:
    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != m_timerId)
            return;
        killTimer(m_timerId);
        if (m_seen) {
            if (auto *dialog = qobject_cast<QDialog *>(m_seen.data()); dialog && dialog->isVisible())
                dialog->done(kLeftOpen);
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            m_timerId = startTimer(20);
            return;
        }
        m_seen = modal;
        m_action(modal);
        m_timerId = startTimer(2000);
    }

private:
    std::function<void(QWidget *)> m_action;
    QPointer<QWidget> m_seen;
    int m_timerId = 0;
};
