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
#include <QAbstractScrollArea>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
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

// The controls of a window as the design places them: every named widget in
// its area below the menu bar, with the containers it lies in, but not the
// parts that Qt makes inside a control.
QWidgetList placedControls(QWidget *form)
{
    auto *main = qobject_cast<frmMain *>(form);
    QWidget *root = main ? main->centralWidget() : form;
    QWidgetList controls;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || widget->isHidden())
            continue;
        QWidget *container = widget->parentWidget();
        const bool frame = qobject_cast<QGroupBox *>(container)
                           || (qobject_cast<QFrame *>(container) && !qobject_cast<QAbstractScrollArea *>(container));
        if (container == root || frame)
            controls.append(widget);
    }
    return controls;
}

void addWindowRows()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << "main";
    QTest::newRow("about box") << "about";
    QTest::newRow("exit screen") << "exit";
}

}  // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void shouldKeepEachControlInsideItsContainer_data();
    void shouldKeepEachControlInsideItsContainer();
    void shouldOverlapOnlyWhereTheDesignDoes_data();
    void shouldOverlapOnlyWhereTheDesignDoes();
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

void TestHighDpi::shouldKeepEachControlInsideItsContainer_data()
{
    addWindowRows();
}

void TestHighDpi::shouldKeepEachControlInsideItsContainer()
{
    QFETCH(QString, window);
    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    // The design puts these two past their container's edges.
    const QStringList outside = {QStringLiteral("Line2"), QStringLiteral("txtMessage")};
    const QWidgetList controls = placedControls(form.get());
    QVERIFY(controls.size() >= 8);
    for (QWidget *control : controls) {
        const bool inside = control->parentWidget()->rect().contains(control->geometry());
        QVERIFY2(inside != outside.contains(control->objectName()), qPrintable(control->objectName()));
    }
}

void TestHighDpi::shouldOverlapOnlyWhereTheDesignDoes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("shared");
    // The two screens of the main window share one place, and so do its two promotion labels.
    QTest::newRow("main window") << "main" << QStringList{"fraMain+fraResult", "lblCobrand+lblFullBrand"};
    // The title, sized to its large font, reaches a little into the top of
    // the description below it, whose first line starts lower still.
    QTest::newRow("about box") << "about" << QStringList{"Label1+Label2"};
    QTest::newRow("exit screen") << "exit" << QStringList{};
}

void TestHighDpi::shouldOverlapOnlyWhereTheDesignDoes()
{
    QFETCH(QString, window);
    QFETCH(QStringList, shared);
    const std::unique_ptr<QWidget> form = makeWindow(window);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    const QWidgetList controls = placedControls(form.get());
    for (QWidget *one : controls) {
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
    addWindowRows();
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
