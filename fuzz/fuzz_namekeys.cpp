// The name box of a real main window, fed key presses and input-method
// commits made from the fuzz data: whatever arrives, the box may only ever
// hold the letters A to Z, a to z and the space. Each refusal's message box
// is answered at once.
#include "browser.h"
#include "controls.h"
#include "frmmain.h"
#include "messagebox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

frmMain *g_form = nullptr;

// Reads the fuzz data front to back; past its end every read is 0.
class Reader
{
public:
    Reader(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // One UTF-16 unit: mostly plain ASCII, so that letters, controls and
    // punctuation come up often, sometimes any unit at all.
    char16_t unit()
    {
        const std::uint8_t first = byte();
        if (first < 0xF0)
            return first & 0x7F;
        return static_cast<char16_t>(byte() | (byte() << 8));
    }
    QString text(int length)
    {
        QString result;
        for (int i = 0; i < length; ++i)
            result.append(QChar(unit()));
        return result;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The keys that matter to a line edit: editing, moving, the clipboard and
// undo shortcuts with Ctrl, and the keys that type control characters.
constexpr std::array<int, 24> kKeys = {
    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
    Qt::Key_Escape,    Qt::Key_Insert, Qt::Key_Left, Qt::Key_Right,   Qt::Key_Home,   Qt::Key_End,
    Qt::Key_Space,     Qt::Key_A,      Qt::Key_C,    Qt::Key_V,       Qt::Key_X,      Qt::Key_Z,
    Qt::Key_Y,         Qt::Key_K,      Qt::Key_U,    Qt::Key_H,       Qt::Key_1,      Qt::Key_unknown,
};

Qt::KeyboardModifiers modifiers(std::uint8_t bits)
{
    Qt::KeyboardModifiers result;
    if (bits & 1)
        result |= Qt::ShiftModifier;
    if (bits & 2)
        result |= Qt::ControlModifier;
    if (bits & 4)
        result |= Qt::AltModifier;
    if (bits & 8)
        result |= Qt::MetaModifier;
    if (bits & 16)
        result |= Qt::KeypadModifier;
    return result;
}

void sendKey(QLineEdit *box, Reader &in)
{
    const std::uint8_t keyByte = in.byte();
    const int key = keyByte < kKeys.size() ? kKeys[keyByte] : 0x20 + (keyByte & 0x5F);
    const Qt::KeyboardModifiers mods = modifiers(in.byte());
    const QString text = in.text(in.byte() % 4);
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(box, &release);
}

void sendCommit(QLineEdit *box, Reader &in)
{
    const std::uint8_t shape = in.byte();
    const QString preedit = in.text(shape % 3);
    QInputMethodEvent event(preedit, {});
    const QString commit = in.text((shape >> 2) % 5);
    if (shape & 0x80)
        event.setCommitString(commit, -static_cast<int>(in.byte() % 4), in.byte() % 4);
    else
        event.setCommitString(commit);
    QCoreApplication::sendEvent(box, &event);
}

bool onlyNameCharacters(const QString &text)
{
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u' '))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_namekeys";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    MsgBox::setHandler([](const MsgBox::Request &) { return QMessageBox::Ok; });
    Browser::setLauncher([](const QString &) {});
    g_form = new frmMain;
    g_form->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QLineEdit *box = control<QLineEdit>(g_form, "txtName");
    box->clear();
    Reader in(data, size);
    for (int step = 0; step < 64 && !in.atEnd(); ++step) {
        // Pasting is not typing and is never filtered: an empty clipboard
        // keeps the paste shortcuts from adding anything.
        QGuiApplication::clipboard()->clear();
        if (in.byte() % 4 == 3)
            sendCommit(box, in);
        else
            sendKey(box, in);
        if (!onlyNameCharacters(box->text())) {
            std::fprintf(stderr, "the name box took a refused character: %s\n",
                         box->text().toUtf8().toHex(' ').constData());
            std::abort();
        }
    }
    return 0;
}
