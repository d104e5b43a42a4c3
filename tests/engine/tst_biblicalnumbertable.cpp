// The biblical number table: its rows, the shape of its texts, filling and lookup.
#include "modbiblicalnumerology.h"

#include <QTest>

#include <optional>
#include <string_view>

using modBiblicalNumerology::FindBiblicalNumber;
using modBiblicalNumerology::intNumbers;
using modBiblicalNumerology::kBiblicalNumbers;
using modBiblicalNumerology::kTableSlots;
using modBiblicalNumerology::LoadBiblicalNumbers;
using modBiblicalNumerology::strDescriptions;
using modBiblicalNumerology::strKeywords;
using modBiblicalNumerology::strSymbolisms;

namespace {

// One symbolism line as expected: a reference is known word for word, a verse
// only by its opening words and its length.
struct ExpectedLine {
    QString text;
    int length = -1;  // -1: the line must equal text exactly
};

ExpectedLine ref(const char *text)
{
    return {QString::fromLatin1(text), -1};
}

ExpectedLine verse(const char *opening, int length)
{
    return {QString::fromLatin1(opening), length};
}

QString q(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Printable ASCII only, apart from the CR LF that joins symbolism lines.
bool isPlainAscii(std::string_view text, bool allowLineBreaks)
{
    for (char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        if ((ch == '\r' || ch == '\n') && allowLineBreaks)
            continue;
        if (code < 0x20 || code > 0x7E)
            return false;
    }
    return true;
}

bool hasOuterSpace(std::string_view text)
{
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

}  // namespace

Q_DECLARE_METATYPE(ExpectedLine)
Q_DECLARE_METATYPE(QList<ExpectedLine>)

class TestBiblicalNumberTable : public QObject
{
    Q_OBJECT
private slots:
    // Runs first, while the table is still as the program starts with it.
    void shouldFillRowsAndLeaveTheLastSlotEmpty();
    void shouldWriteTheSameValuesWhenLoadedAgain();
    void shouldHoldEachRow_data();
    void shouldHoldEachRow();
    void shouldHoldTheReferenceAndVerseLines_data();
    void shouldHoldTheReferenceAndVerseLines();
    void shouldKeepTheTextsClean_data();
    void shouldKeepTheTextsClean();
    void shouldFindTheRowOfANumber_data();
    void shouldFindTheRowOfANumber();

private:
    static void addRows();
};

// clang-format off
void TestBiblicalNumberTable::addRows()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("descriptionLength");
    QTest::addColumn<int>("symbolismLength");

    QTest::newRow("1") << 0 << 1 << "Unity" << "This is the God's number." << 185 << 61;
    QTest::newRow("2") << 1 << 2 << "Division" << "This number signifies the two wives of Jacob."
                       << 196 << 199;
    QTest::newRow("3") << 2 << 3 << "Divine Completion" << "This is God's numerical signature"
                       << 411 << 230;
    QTest::newRow("4") << 3 << 4 << "Creation" << "This is the number of God's creation." << 231
                       << 247;
    QTest::newRow("5") << 4 << 5 << "Grace and Redemption" << "This is the number of Grace."
                       << 129 << 71;
    QTest::newRow("6") << 5 << 6 << "Mankind" << "This is the number of man." << 187 << 81;
    QTest::newRow("7") << 6 << 7 << "Spiritual Completion"
                       << "This number represents things that are final" << 101 << 958;
    QTest::newRow("8") << 7 << 8 << "New Beginning" << "This is the number of new beginnings"
                       << 175 << 222;
    QTest::newRow("9") << 8 << 9 << "Judgment" << "This represents the holy Spirit and His work."
                       << 129 << 439;
    QTest::newRow("10") << 9 << 10 << "Divine Perfection" << "This signifies man's responsibility"
                        << 164 << 44;
    QTest::newRow("11") << 10 << 11 << "Unravels Set Order" << "This number is associated" << 41
                        << 92;
    QTest::newRow("12") << 11 << 12 << "Governmental Perfection"
                        << "This number is related to the foundation of the church." << 229 << 71;
    QTest::newRow("13") << 12 << 13 << "Probation or Trial"
                        << "You will try to overcome the problems of others." << 340 << 70;
}
// clang-format on

void TestBiblicalNumberTable::shouldFillRowsAndLeaveTheLastSlotEmpty()
{
    for (std::size_t i = 0; i < kTableSlots; ++i) {
        QCOMPARE(intNumbers[i], 0);
        QVERIFY(strKeywords[i].empty());
    }

    LoadBiblicalNumbers();

    for (std::size_t i = 0; i < kBiblicalNumbers.size(); ++i) {
        QCOMPARE(intNumbers[i], static_cast<int>(i) + 1);
        QCOMPARE(q(strKeywords[i]), q(kBiblicalNumbers[i].keyword));
        QCOMPARE(q(strDescriptions[i]), q(kBiblicalNumbers[i].description));
        QCOMPARE(q(strSymbolisms[i]), q(kBiblicalNumbers[i].symbolism));
    }
    QCOMPARE(intNumbers[13], 0);
    QVERIFY(strKeywords[13].empty());
    QVERIFY(strDescriptions[13].empty());
    QVERIFY(strSymbolisms[13].empty());
}

void TestBiblicalNumberTable::shouldWriteTheSameValuesWhenLoadedAgain()
{
    LoadBiblicalNumbers();
    const auto numbers = intNumbers;
    const auto keywords = strKeywords;
    const auto descriptions = strDescriptions;
    const auto symbolisms = strSymbolisms;

    // Scribble over the filled rows so that a second load has to rewrite them.
    for (std::size_t i = 0; i < kBiblicalNumbers.size(); ++i) {
        intNumbers[i] = -1;
        strKeywords[i] = "x";
        strDescriptions[i] = "x";
        strSymbolisms[i] = "x";
    }
    LoadBiblicalNumbers();

    QVERIFY(intNumbers == numbers);
    QVERIFY(strKeywords == keywords);
    QVERIFY(strDescriptions == descriptions);
    QVERIFY(strSymbolisms == symbolisms);
}

// clang-format off
void TestBiblicalNumberTable::shouldHoldEachRow_data()
{
    addRows();
}
// clang-format on

void TestBiblicalNumberTable::shouldHoldEachRow()
{
    QFETCH(int, index);
    QFETCH(int, number);
    QFETCH(QString, keyword);
    QFETCH(QString, opening);
    QFETCH(int, descriptionLength);
    QFETCH(int, symbolismLength);

    const auto &row = kBiblicalNumbers[static_cast<std::size_t>(index)];
    QCOMPARE(row.number, number);
    QCOMPARE(q(row.keyword), keyword);
    QVERIFY2(q(row.description).startsWith(opening), row.description.data());
    QCOMPARE(static_cast<int>(row.description.size()), descriptionLength);
    QCOMPARE(static_cast<int>(row.symbolism.size()), symbolismLength);
}

// clang-format off
void TestBiblicalNumberTable::shouldHoldTheReferenceAndVerseLines_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<ExpectedLine>>("lines");

    QTest::newRow("1") << 0
                       << QList<ExpectedLine>{ref("John 1.1"),
                                              verse("In the beginning was the Word", 51)};
    QTest::newRow("2") << 1
                       << QList<ExpectedLine>{verse("In Matthew 6.24 it is stated:", 93),
                                              ref("Matthew"),
                                              verse("A house divided against itself", 47),
                                              ref("Matthew 18.19"), verse("If two agree,", 31)};
    QTest::newRow("3") << 2
                       << QList<ExpectedLine>{ref("Matt. 3:17,"),
                                              verse("This is My beloved Son, in whom", 50),
                                              ref("Matt. 17:5"),
                                              verse("This is My beloved Son, with whom", 67),
                                              ref("John 12:28"),
                                              verse("I have both glorified it", 72)};
    QTest::newRow("4") << 3
                       << QList<ExpectedLine>{ref("Mark 1.13"),
                                              verse("And He was there in the wilderness", 129),
                                              ref("Matthew 14.25"),
                                              verse("At the fourth watch,", 90)};
    QTest::newRow("5") << 4
                       << QList<ExpectedLine>{ref("Lev. 14:14-16)"),
                                              verse("Man, as portrayed by", 55)};
    QTest::newRow("6") << 5
                       << QList<ExpectedLine>{ref("John 2.6"),
                                              verse("And there were set there six water pots", 71)};
    QTest::newRow("7") << 6
                       << QList<ExpectedLine>{
                              ref("1.Luke 23:34"), verse("Jesus said,", 125),
                              ref("2. Luke 23:43"), verse("Jesus answered him,", 81),
                              ref("3. Matthew 27:46"), verse("About the ninth hour", 145),
                              ref("4. John 19:26"), verse("When Jesus saw his mother there,", 134),
                              ref("5. John 19:28"),
                              verse("Later, knowing that all was now completed,", 116),
                              ref("6. John 19:30"), verse("When he had received the drink,", 113),
                              ref("7.Luke 23:46"),
                              verse("Jesus called out with a loud voice,", 126)};
    QTest::newRow("8") << 7
                       << QList<ExpectedLine>{
                              ref("Gen.17:12"),
                              verse("And every male among you who is eight days old", 211)};
    QTest::newRow("9") << 8
                       << QList<ExpectedLine>{
                              ref("1 Corinthians 12:8-10"),
                              verse("To one there is given through the Spirit", 416)};
    QTest::newRow("10") << 9
                        << QList<ExpectedLine>{ref("Rev. 2:10"), verse("Five doubled;", 33)};
    QTest::newRow("11") << 10
                        << QList<ExpectedLine>{ref("Mat 27:45"),
                                               verse("Now from the sixth hour", 81)};
    QTest::newRow("12") << 11
                        << QList<ExpectedLine>{ref("Rev. 21:12"),
                                               verse("God's perfect manifestation", 59)};
    QTest::newRow("13") << 12
                        << QList<ExpectedLine>{ref("Matthew 4:2"),
                                               verse("After fasting forty days", 57)};
}
// clang-format on

void TestBiblicalNumberTable::shouldHoldTheReferenceAndVerseLines()
{
    QFETCH(int, index);
    QFETCH(QList<ExpectedLine>, lines);

    const auto &row = kBiblicalNumbers[static_cast<std::size_t>(index)];
    const QStringList actual = q(row.symbolism).split(QStringLiteral("\r\n"));
    QCOMPARE(actual.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ExpectedLine &expected = lines[i];
        if (expected.length < 0) {
            QCOMPARE(actual[i], expected.text);
        } else {
            QVERIFY2(actual[i].startsWith(expected.text), qPrintable(actual[i]));
            QCOMPARE(actual[i].size(), expected.length);
        }
    }
}

// clang-format off
void TestBiblicalNumberTable::shouldKeepTheTextsClean_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < static_cast<int>(kBiblicalNumbers.size()); ++i)
        QTest::addRow("row %d", i) << i;
}
// clang-format on

void TestBiblicalNumberTable::shouldKeepTheTextsClean()
{
    QFETCH(int, index);
    const auto &row = kBiblicalNumbers[static_cast<std::size_t>(index)];

    for (std::string_view text : {row.keyword, row.description}) {
        QVERIFY2(isPlainAscii(text, false), text.data());
        QVERIFY2(!hasOuterSpace(text), text.data());
    }

    // Each line stands on its own: joined by CR LF alone, none empty or padded.
    const std::string_view symbolism = row.symbolism;
    QVERIFY(isPlainAscii(symbolism, true));
    QVERIFY(!symbolism.starts_with("\r\n"));
    QVERIFY(!symbolism.ends_with("\r\n"));
    for (const QString &line : q(symbolism).split(QStringLiteral("\r\n"))) {
        QVERIFY(!line.isEmpty());
        QVERIFY2(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')), qPrintable(line));
        QVERIFY2(line.trimmed() == line, qPrintable(line));
    }
}

// clang-format off
void TestBiblicalNumberTable::shouldFindTheRowOfANumber_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("row");  // -1: no row

    // Slot 13 holds 0, but lies outside the search.
    QTest::newRow("0") << 0 << -1;
    for (int number = 1; number <= 12; ++number)
        QTest::addRow("%d", number) << number << number - 1;
    QTest::newRow("13 is only in the never-shown last row") << 13 << 12;
    QTest::newRow("14") << 14 << -1;
    QTest::newRow("-1") << -1 << -1;
    QTest::newRow("largest") << 32767 << -1;
    QTest::newRow("smallest") << -32768 << -1;
}
// clang-format on

void TestBiblicalNumberTable::shouldFindTheRowOfANumber()
{
    QFETCH(int, number);
    QFETCH(int, row);

    LoadBiblicalNumbers();
    QCOMPARE(intNumbers[13], 0);

    const std::optional<std::size_t> found = FindBiblicalNumber(static_cast<std::int16_t>(number));
    if (row < 0) {
        QVERIFY(!found.has_value());
    } else {
        QVERIFY(found.has_value());
        QCOMPARE(static_cast<int>(*found), row);
    }
}

QTEST_GUILESS_MAIN(TestBiblicalNumberTable)
#include "tst_biblicalnumbertable.moc"
