// Test doubles for the program's seams: message boxes answered and logged,
// browser launches logged instead of opening a browser. Each restores what
// was in place before it when it goes.
#pragma once

#include "browser.h"
#include "messagebox.h"

#include <QList>
#include <QStringList>

class MessageRecorder
{
public:
    explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer)
        , m_previous(MsgBox::setHandler([this](const MsgBox::Request &request) {
            boxes.append(request);
            return m_answer;
        }))
    {
    }
    ~MessageRecorder() { MsgBox::setHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList texts() const
    {
        QStringList result;
        for (const MsgBox::Request &box : boxes)
            result.append(box.text);
        return result;
    }

    QList<MsgBox::Request> boxes;

private:
    QMessageBox::StandardButton m_answer;
    MsgBox::Handler m_previous;
};

class BrowserRecorder
{
public:
    BrowserRecorder()
        : m_previous(Browser::setLauncher([this](const QString &address) { addresses.append(address); }))
    {
    }
    ~BrowserRecorder() { Browser::setLauncher(std::move(m_previous)); }
    BrowserRecorder(const BrowserRecorder &) = delete;
    BrowserRecorder &operator=(const BrowserRecorder &) = delete;

    QStringList addresses;

private:
    Browser::Launcher m_previous;
};
