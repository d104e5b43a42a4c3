// The link labels draw and measure their text themselves rather than through
// the text document QLabel builds for a label that takes the focus: they must
// look and measure exactly as that document would, and never build one.
#include "appearance.h"
#include "clickablelabel.h"
#include "endapplication.h"
#include "formwindows.h"
#include "frmabout.h"
#include "frmmain.h"
#include "frmnagscreen2.h"

#include <QTest>
#include <QTextDocument>

#include <memory>

namespace {

// A plain QLabel like the link, made to take the focus before it has its
// text, so that it draws and measures through a text document.
std::unique_ptr<QLabel> documentLabelLike(const QLabel &link)
{
    auto label = std::make_unique<QLabel>();
    label->setFocusPolicy(Qt::TabFocus);
    label->setFont(link.font());
    label->setPalette(link.palette());
    label->setAutoFillBackground(link.autoFillBackground());
    label->setAlignment(link.alignment());
    label->setWordWrap(link.wordWrap());
    label->setMargin(link.margin());
    label->setText(link.text());
    label->resize(link.size());
    return label;
}

// What the label itself draws, in the screen's pixels, on the green of the
// screens behind it.
QImage drawn(QWidget &label)
{
    const qreal ratio = label.devicePixelRatioF();
    QImage image(label.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0x00, 0x40, 0x00));
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

}  // namespace

class TestClickableLabel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void shouldDrawAndMeasureAsATextDocument_data();
    void shouldDrawAndMeasureAsATextDocument();
};

void TestClickableLabel::initTestCase()
{
    Appearance::apply();
    modHelp::setProcessEnd([](int) {});
}

// clang-format off
void TestClickableLabel::shouldDrawAndMeasureAsATextDocument_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QSize>("resized");  // invalid: as the window places it

    QTest::newRow("forum") << "main" << "Label14" << QSize();
    QTest::newRow("full brand") << "main" << "lblFullBrand" << QSize();
    QTest::newRow("co-brand") << "main" << "lblCobrand" << QSize();
    QTest::newRow("about: home page") << "about" << "lblHomePage" << QSize();
    QTest::newRow("about: more details") << "about" << "lblCobrand" << QSize();
    QTest::newRow("exit: Gleamware") << "exit" << "lblGoToHome" << QSize();
    QTest::newRow("words wider than the line") << "main" << "Label14" << QSize(45, 200);
    QTest::newRow("centred in a taller label") << "about" << "lblHomePage" << QSize(300, 40);
}
// clang-format on

void TestClickableLabel::shouldDrawAndMeasureAsATextDocument()
{
    QFETCH(QString, window);
    QFETCH(QString, link);
    QFETCH(QSize, resized);

    const std::unique_ptr<QWidget> form = makeWindow(window);
    auto *label = form->findChild<ClickableLabel *>(link);
    QVERIFY(label);
    if (resized.isValid())
        label->resize(resized);
    const std::unique_ptr<QLabel> reference = documentLabelLike(*label);
    QVERIFY(reference->findChild<QTextDocument *>());

    QCOMPARE(label->sizeHint(), reference->sizeHint());
    QCOMPARE(label->minimumSizeHint(), reference->minimumSizeHint());
    for (int width : {0, label->width() / 2, label->width(), 2 * label->width()})
        QCOMPARE(label->heightForWidth(width), reference->heightForWidth(width));
    QCOMPARE(drawn(*label), drawn(*reference));

    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    label->setFocus(Qt::TabFocusReason);
    QVERIFY(label->hasFocus());
    label->repaint();
    QVERIFY(!label->findChild<QTextDocument *>());
}

QTEST_MAIN(TestClickableLabel)
#include "tst_clickablelabel.moc"
