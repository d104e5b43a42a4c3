// Each window under Qt's scale factor (QT_SCALE_FACTOR, set by CTest before
// the application starts): it keeps its designed size in logical pixels, so
// places, sizes, fonts and pictures grow together, every control stays inside
// its container and clear of the others, and every text still fits.
#include "appearance.h"
#include "endapplication.h"
#include "execclosehelper.h"
#include "formwindows.h"
#include "frmabout.h"
#include "frmmain.h"
#include "frmnagscreen2.h"
#include "messagebox.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {

qreal expectedScale()
{
    bool ok = false;
    const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? scale : 1.0;
}

QString shownText(QString caption)
{
    // An access key's "&" is drawn as an underline, not as a character.
    return caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The controls of a window as the design places them: the named widgets in
// its area below the menu bar and in the containers there, but not the parts
// that Qt makes inside a control, named "qt_..." or not at all.
QWidgetList placedControls(QWidget *form)
{
    auto *main = qobject_cast<frmMain *>(form);
    QWidget *root = main ? main->centralWidget() : form;
    QWidgetList controls;
    // Containers come before what they hold.
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        const bool named = !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
        if (named && !widget->isHidden()
            && (widget->parentWidget() == root || controls.contains(widget->parentWidget())))
            controls.append(widget);
    }
    return controls;
}

}  // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void shouldKeepEachControlInItsContainerAndApart_data();
    void shouldKeepEachControlInItsContainerAndApart();
    void shouldKeepTheDesignedSizeAtTheScreensScale_data();
    void shouldKeepTheDesignedSizeAtTheScreensScale();
    void shouldShowEveryTextWhole_data();
    void shouldShowEveryTextWhole();
    void shouldShowEveryMessageBoxTitleWhole_data();
    void shouldShowEveryMessageBoxTitleWhole();
};

void TestHighDpi::initTestCase()
{
    Appearance::apply();
}

void TestHighDpi::shouldKeepEachControlInItsContainerAndApart_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("outside");  // placed past their container's edges by the design
    QTest::addColumn<QStringList>("shared");   // the pairs that the design lets overlap
    // The two screens of the main window share one place, and so do its two promotion labels.
    QTest::newRow("main window") << "main" << QStringList{}
                                 << QStringList{"fraMain+fraResult", "lblCobrand+lblFullBrand"};
    // The title, sized to its large font, reaches a little into the top of
    // the description below it, whose first line starts lower still.
    QTest::newRow("about box") << "about" << QStringList{"Line2"} << QStringList{"Label1+Label2"};
    QTest::newRow("exit screen") << "exit" << QStringList{"txtMessage"} << QStringList{};
}

void TestHighDpi::shouldKeepEachControlInItsContainerAndApart()
{
    QFETCH(QString, window);
    QFETCH(QStringList, outside);
    QFETCH(QStringList, shared);
    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    const QWidgetList controls = placedControls(form.get());
    QVERIFY(controls.size() >= 8);
    for (QWidget *one : controls) {
        const bool inside = one->parentWidget()->rect().contains(one->geometry());
        QVERIFY2(inside != outside.contains(one->objectName()), qPrintable(one->objectName()));
        for (QWidget *other : controls) {
            if (one->parentWidget() != other->parentWidget() || one->objectName() >= other->objectName())
                continue;
            const QString pair = one->objectName() + QLatin1Char('+') + other->objectName();
            QVERIFY2(one->geometry().intersects(other->geometry()) == shared.contains(pair), qPrintable(pair));
        }
    }
}

void TestHighDpi::shouldKeepTheDesignedSizeAtTheScreensScale_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QSize>("pictureSize");

    QTest::newRow("main window") << "main" << QSize(590, 392) << "Picture1" << QSize(106, 121);
    QTest::newRow("about box") << "about" << QSize(439, 226) << "picIcon" << QSize(32, 32);
    QTest::newRow("exit screen") << "exit" << QSize(741, 315) << "Picture1" << QSize(32, 32);
}

void TestHighDpi::shouldKeepTheDesignedSizeAtTheScreensScale()
{
    QFETCH(QString, window);
    QFETCH(QSize, client);
    QFETCH(QString, picture);
    QFETCH(QSize, pictureSize);

    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->devicePixelRatioF(), expectedScale());

    auto *main = qobject_cast<frmMain *>(form.get());
    QCOMPARE(main ? main->centralWidget()->size() : form->size(), client);
    // The picture keeps its logical size and is drawn with the screen's pixels.
    auto *image = form->findChild<QLabel *>(picture);
    QVERIFY(image);
    QCOMPARE(image->size(), pictureSize);
    const QPixmap drawn = image->grab();
    QCOMPARE(drawn.devicePixelRatio(), expectedScale());
    QCOMPARE(drawn.deviceIndependentSize().toSize(), pictureSize);
}

void TestHighDpi::shouldShowEveryTextWhole_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("about box") << "about";
    QTest::newRow("exit screen") << "exit";
}

void TestHighDpi::shouldShowEveryTextWhole()
{
    QFETCH(QString, window);

    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    for (QLabel *label : form->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QString what = label->objectName();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(what));
        } else {
            const QSize needed = label->sizeHint();
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(), qPrintable(what));
        }
    }
    for (QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
        const QFontMetrics metrics(button->font());
        const QString what = button->objectName();
        // Room for the focus frame on both sides of the caption.
        QVERIFY2(metrics.horizontalAdvance(shownText(button->text())) + 8 <= button->width(), qPrintable(what));
        QVERIFY2(metrics.height() <= button->height(), qPrintable(what));
    }
    for (QLineEdit *box : form->findChildren<QLineEdit *>()) {
        const QFontMetrics metrics(box->font());
        QVERIFY2(metrics.height() <= box->contentsRect().height(), qPrintable(box->objectName()));
    }
    if (auto *main = qobject_cast<frmMain *>(form.get())) {
        for (QAction *menu : main->menuBar()->actions()) {
            if (menu->isVisible())
                QVERIFY2(!main->menuBar()->actionGeometry(menu).isEmpty(), qPrintable(menu->text()));
        }
    }
}

void TestHighDpi::shouldShowEveryMessageBoxTitleWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::newRow("second copy refused") << "Application is already running" << int(QMessageBox::Information);
    QTest::newRow("character refused") << "Name Can Accept Text Only" << int(QMessageBox::Critical);
}

void TestHighDpi::shouldShowEveryMessageBoxTitleWhole()
{
    QFETCH(QString, text);
    QFETCH(int, icon);
    int width = 0;
    int needed = 0;
    ExecCloseHelper helper;
    helper.start([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        // Window managers draw the title bold, beside the window's icon and
        // three buttons, each a square a little higher than a line of the title.
        QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        needed = metrics.horizontalAdvance(box->windowTitle()) + 4 * (metrics.height() + 4);
        width = box->width();
        box->done(QMessageBox::Ok);
    });

    QCOMPARE(MsgBox::show({nullptr, text, QMessageBox::Icon(icon), QMessageBox::Ok, QMessageBox::Ok}), QMessageBox::Ok);
    QVERIFY(width > 0);  // the box was shown
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 px wide, needs %2").arg(width).arg(needed)));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
