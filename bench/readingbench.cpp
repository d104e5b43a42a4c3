// Reading timer: the press of "&Get My Biblical Numerology Reading" until the
// result screen is raised with its texts set, and GetNameNumber alone on a
// typical name and on a name of 32,767 characters. Prints medians.
#include "controls.h"
#include "frmmain.h"
#include "modbiblicalnumerology.h"
#include "probe.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double nanoseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::nano>(duration).count();
}

// Keeps the compiler from dropping or hoisting the call being timed.
template <typename T>
void keep(const T &value)
{
    asm volatile("" : : "r,m"(value) : "memory");
}

// Names whose numbers differ in turn, so that every reading changes every text.
const char *const kNames[] = {
    "John Smith", "Mary Elizabeth Johnson", "A", "Abraham", "IIIB", "Ruth", "IIIIC", "Sarah", "Daniel", "Esther"};

bool resultShownFor(const frmMain &form, const QString &number)
{
    const QWidget *input = control<QFrame>(&form, "fraMain");
    const QWidget *result = control<QGroupBox>(&form, "fraResult");
    const QObjectList &screens = form.centralWidget()->children();
    // The last child is the one in front; the promotion strip lies beside the screens.
    const auto front = std::find_if(screens.rbegin(), screens.rend(),
                                    [&](QObject *child) { return child == input || child == result; });
    return front != screens.rend() && *front == result && control<QLabel>(&form, "lblResult_0")->text() == number
           && !control<QPlainTextEdit>(&form, "txtSymbolism")->toPlainText().isEmpty();
}

void benchReading(int rounds)
{
    frmMain form;
    form.show();
    QApplication::processEvents();
    // Found once, outside the timed part.
    QLineEdit *txtName = control<QLineEdit>(&form, "txtName");
    QPushButton *cmdProceed = control<QPushButton>(&form, "cmdProceed");
    QPushButton *cmdBack = control<QPushButton>(&form, "cmdBack");
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round) {
        const QString name = QString::fromLatin1(kNames[round % std::size(kNames)]);
        const QString number = QString::number(modBiblicalNumerology::GetNameNumber(
            {reinterpret_cast<const char16_t *>(name.utf16()), static_cast<std::size_t>(name.size())}));
        txtName->setText(name);
        const Clock::time_point start = Clock::now();
        cmdProceed->click();
        const Clock::time_point end = Clock::now();
        if (!resultShownFor(form, number)) {
            std::fprintf(stderr, "the reading of %s was not shown\n", qPrintable(name));
            std::exit(1);
        }
        samples.push_back(nanoseconds(end - start));
        // Painting and the return to the input screen are not part of the reading.
        QApplication::processEvents();
        cmdBack->click();
        QApplication::processEvents();
    }
    std::printf("%-44s %10.1f us  (median of %d)\n", "reading: press to result screen with texts",
                median(samples) / 1000.0, rounds);
}

void benchNameNumber(const char *label, const std::u16string &name, int repeats)
{
    std::vector<double> samples;
    for (int sample = 0; sample < 31; ++sample) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < repeats; ++i) {
            const std::u16string_view view = name;
            keep(view);
            keep(modBiblicalNumerology::GetNameNumber(view));
        }
        samples.push_back(nanoseconds(Clock::now() - start) / repeats);
    }
    const double perName = median(samples);
    std::printf("%-44s %10.1f ns  (%.3f ns a character)\n", label, perName, perName / static_cast<double>(name.size()));
}

std::u16string longName(const std::u16string &pattern)
{
    std::u16string name;
    while (name.size() < 32767)
        name += pattern;
    name.resize(32767);
    return name;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Probe::setUp(app);

    benchReading(2001);
    benchNameNumber("GetNameNumber, \"John Smith\"", u"John Smith", 200000);
    benchNameNumber("GetNameNumber, 32,767 characters of names", longName(u"Mary Elizabeth Johnson "), 200);
    benchNameNumber("GetNameNumber, 32,767 characters, limit hit", longName(u"IIIIIIIIIZZ"), 200);
    return 0;
}
