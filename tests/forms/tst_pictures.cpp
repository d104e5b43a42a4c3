// The pictures as the program shows them: decoded at build time, they must be
// the very pixels the picture files decode to.
#include "appearance.h"

#include <QImage>
#include <QTest>

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void shouldShowThePixelsOfEachPictureFile_data();
    void shouldShowThePixelsOfEachPictureFile();
};

void TestPictures::initTestCase()
{
    Appearance::apply();
}

void TestPictures::shouldShowThePixelsOfEachPictureFile_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"icon.png", "hand.png", "bible.jpg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestPictures::shouldShowThePixelsOfEachPictureFile()
{
    QFETCH(QString, name);
    const QImage decoded(QStringLiteral(":/") + name);
    QVERIFY(!decoded.isNull());
    const QImage shown = Appearance::picture(name.toLatin1().constData());
    QCOMPARE(shown.size(), decoded.size());
    QCOMPARE(shown.format(), decoded.format());
    QCOMPARE(shown, decoded);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
