// Ending the program: every loaded window is closed once with its own close
// handling, re-entry from that handling ends once, and the real end leaves
// through the event loop with status 0.
#include "endapplication.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <list>

namespace {

// A window that counts its close handling; like the exit screen it may call
// EndApplication from there, and it may refuse to close.
class CountingWindow : public QWidget
{
public:
    enum Kind { Plain, Reentrant, Refusing };
    // unloads outlives the window, which deletes itself once closed.
    CountingWindow(Kind kind, int &unloads)
        : m_kind(kind)
        , m_unloads(unloads)
    {
        setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++m_unloads;
        if (m_kind == Reentrant)
            modHelp::EndApplication();
        event->setAccepted(m_kind != Refusing);
    }

private:
    Kind m_kind;
    int &m_unloads;
};

}  // namespace

class TestEndApplication : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shouldCloseEveryLoadedWindowOnceAndEnd_data();
    void shouldCloseEveryLoadedWindowOnceAndEnd();
    void shouldEndOnceWhenAClosingWindowCallsIt();
    void shouldPassOverAWindowAlreadyClosed();
    void shouldEndThroughTheEventLoop();

private:
    // A new window whose close handling runs are counted in the returned slot.
    const int &window(CountingWindow::Kind kind, bool shown = true);

    QList<int> m_ends;
    QList<QPointer<CountingWindow>> m_windows;
    std::list<int> m_unloads;
};

void TestEndApplication::init()
{
    m_ends.clear();
    modHelp::setProcessEnd([this](int status) { m_ends.append(status); });
}

void TestEndApplication::cleanup()
{
    for (const QPointer<CountingWindow> &window : std::as_const(m_windows))
        delete window.data();
    m_windows.clear();
    m_unloads.clear();
}

const int &TestEndApplication::window(CountingWindow::Kind kind, bool shown)
{
    int &unloads = m_unloads.emplace_back(0);
    auto *created = new CountingWindow(kind, unloads);
    m_windows.append(created);
    if (shown)
        created->show();
    return unloads;
}

void TestEndApplication::shouldCloseEveryLoadedWindowOnceAndEnd_data()
{
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no window loaded") << QList<int>{} << true;
    QTest::newRow("shown windows") << QList<int>{CountingWindow::Plain, CountingWindow::Plain} << true;
    QTest::newRow("loaded but never shown") << QList<int>{CountingWindow::Plain, CountingWindow::Plain} << false;
    QTest::newRow("one that calls back while closed")
        << QList<int>{CountingWindow::Plain, CountingWindow::Reentrant, CountingWindow::Plain} << true;
    QTest::newRow("one that refuses to close") << QList<int>{CountingWindow::Refusing, CountingWindow::Plain} << true;
}

void TestEndApplication::shouldCloseEveryLoadedWindowOnceAndEnd()
{
    QFETCH(QList<int>, kinds);
    QFETCH(bool, shown);
    for (int kind : kinds)
        window(static_cast<CountingWindow::Kind>(kind), shown);

    modHelp::EndApplication();

    for (int unloads : m_unloads)
        QCOMPARE(unloads, 1);
    QCOMPARE(m_ends, QList<int>{0});
}

void TestEndApplication::shouldEndOnceWhenAClosingWindowCallsIt()
{
    // The exit screen closed from its title bar: its own handling ends the program.
    const int &closing = window(CountingWindow::Reentrant);
    const int &other = window(CountingWindow::Plain);

    m_windows.first()->close();

    QCOMPARE(closing, 1);
    QCOMPARE(other, 1);
    QCOMPARE(m_ends, QList<int>{0});
}

void TestEndApplication::shouldPassOverAWindowAlreadyClosed()
{
    // The main window has closed and waits for its deletion when the program ends.
    const int &closed = window(CountingWindow::Plain);
    m_windows.first()->close();
    QVERIFY(m_windows.first());

    modHelp::EndApplication();

    QCOMPARE(closed, 1);
    QCOMPARE(m_ends, QList<int>{0});
}

void TestEndApplication::shouldEndThroughTheEventLoop()
{
    // Last: the real end leaves the program ended for good.
    modHelp::setProcessEnd({});
    const int &open = window(CountingWindow::Plain);
    QTimer::singleShot(0, &modHelp::EndApplication);

    QCOMPARE(QApplication::exec(), 0);

    QCOMPARE(open, 1);
    QVERIFY(modHelp::ApplicationEnded());
    // Nothing runs after the end, not even another call.
    const int &late = window(CountingWindow::Plain);
    modHelp::EndApplication();
    QCOMPARE(late, 0);
}

QTEST_MAIN(TestEndApplication)
#include "tst_endapplication.moc"
