// The name number: letter values, folding, the 16-bit limit.
#include "modbiblicalnumerology.h"

#include <QTest>

#include <random>
#include <string>

using modBiblicalNumerology::GetNameNumber;
using modBiblicalNumerology::HasNameLetter;

namespace {

std::u16string repeated(char16_t letter, std::size_t count)
{
    return std::u16string(count, letter);
}

std::u16string fromQString(const QString &text)
{
    return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// A slow reference: total every letter without a limit check per step, then
// fold by writing the number out and adding its digits.
int referenceNumber(const std::u16string &name)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    int total = 0;
    for (char16_t ch : name) {
        const qsizetype place = letters.indexOf(QChar(ch).toUpper());
        if (place >= 0 && ch < 128 && total + place % 9 + 1 <= 32767)
            total += place % 9 + 1;
    }
    QString written = QString::number(total);
    for (;;) {
        int sum = 0;
        for (QChar digit : written)
            sum += digit.digitValue();
        if (sum < 10 || sum == 10 || sum == 11 || sum == 12)
            return sum;
        written = QString::number(sum);
    }
}

}  // namespace

class TestNameNumber : public QObject
{
    Q_OBJECT
private slots:
    void shouldGiveTheNumberOfAName_data();
    void shouldGiveTheNumberOfAName();
    void shouldCountEachLetterAtItsPlaceInACycleOfNine_data();
    void shouldCountEachLetterAtItsPlaceInACycleOfNine();
    void shouldSkipALetterThatWouldPassTheLargestTotal();
    void shouldTakeNamesLongerThanTheLargestPosition();
    void shouldAgreeWithASlowReference();
    void shouldAgreeLetterByLetterOnLongMixedNames();
    void shouldTellWhetherANameHasALetter_data();
    void shouldTellWhetherANameHasALetter();
};

void TestNameNumber::shouldGiveTheNumberOfAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("A") << "A" << 1;
    QTest::newRow("ABC") << "ABC" << 6;
    QTest::newRow("A B C") << "A B C" << 6;
    QTest::newRow("hello") << "hello" << 7;
    QTest::newRow("HELLO") << "HELLO" << 7;
    QTest::newRow("HeLLo") << "HeLLo" << 7;
    QTest::newRow("hello world") << "hello world" << 7;
    QTest::newRow("AI, total 10 folds to 1") << "AI" << 1;
    QTest::newRow("AII, digit sum 10 is final") << "AII" << 10;
    QTest::newRow("IRIS") << "IRIS" << 10;
    QTest::newRow("IIIB, digit sum 11 is final") << "IIIB" << 11;
    QTest::newRow("IIIIC, digit sum 12 is final") << "IIIIC" << 12;
    QTest::newRow("total 11 folds to 2") << "IB" << 2;
    QTest::newRow("total 12 folds to 3") << "IC" << 3;
    QTest::newRow("ZZZZZ, total 40 folds to 4") << "ZZZZZ" << 4;
    QTest::newRow("A1") << "A1" << 1;
    QTest::newRow("22 I and an A, total 199") << QString(22, u'I') + u'A' << 10;
    QTest::newRow("total 99 folds through 18 to 9") << QString(11, u'I') << 9;
    QTest::newRow("alphabet") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << 9;
    QTest::newRow("alphabet lower case") << "abcdefghijklmnopqrstuvwxyz" << 9;
    QTest::newRow("spaces only") << "    " << 0;
    QTest::newRow("digits and punctuation") << "123-456.!?" << 0;
    QTest::newRow("tab and line break") << "\t\r\n" << 0;
    QTest::newRow("accented capital is no letter") << QStringLiteral("\u00C9") << 0;
    QTest::newRow("accented small is no letter") << QStringLiteral("\u00E9A") << 1;
    QTest::newRow("dotless i upper-cases to I") << QStringLiteral("\u0131") << 9;
    QTest::newRow("long s upper-cases to S") << QStringLiteral("\u017F") << 1;
    QTest::newRow("fullwidth A is no letter") << QStringLiteral("\uFF21") << 0;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'B' << 2;
}

void TestNameNumber::shouldGiveTheNumberOfAName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(GetNameNumber(fromQString(name)), number);
}

void TestNameNumber::shouldCountEachLetterAtItsPlaceInACycleOfNine_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("value");
    const char *groups[] = {"AJS", "BKT", "CLU", "DMV", "ENW", "FOX", "GPY", "HQZ", "IR"};
    for (int value = 1; value <= 9; ++value) {
        for (const char *letter = groups[value - 1]; *letter; ++letter) {
            QTest::addRow("%c", *letter) << QString(QLatin1Char(*letter)) << value;
            QTest::addRow("%c", *letter + 32) << QString(QLatin1Char(char(*letter + 32))) << value;
        }
    }
}

void TestNameNumber::shouldCountEachLetterAtItsPlaceInACycleOfNine()
{
    QFETCH(QString, letter);
    QFETCH(int, value);
    // A single letter's total is below 10, so it is its own number.
    QCOMPARE(GetNameNumber(fromQString(letter)), value);
}

void TestNameNumber::shouldSkipALetterThatWouldPassTheLargestTotal()
{
    // 3,640 letters I make 32760; a further I would pass 32767 and is skipped,
    // and an A still fits: 32761, digit sum 19, then 10.
    std::u16string name = repeated(u'I', 3640);
    QCOMPARE(GetNameNumber(name), 9);  // 32760: digit sum 18, then 9
    name += u'I';
    QCOMPARE(GetNameNumber(name), 9);
    name += u'A';
    QCOMPARE(GetNameNumber(name), 10);  // 32761: digit sum 19, then 10
    // Letters too large for the room left are passed over, not wrapped, and a
    // later letter that fits is still added: 32761 + 6 = 32767, then 25, then 7.
    name += repeated(u'Z', 1000) + u'F';
    QCOMPARE(GetNameNumber(name), 7);
}

void TestNameNumber::shouldTakeNamesLongerThanTheLargestPosition()
{
    // The 40,000th character still counts once the total has room for it.
    std::u16string name = repeated(u' ', 39999) + u'C';
    QCOMPARE(GetNameNumber(name), 3);
    // 100,000 letters A stop at the largest total, 32767: digit sum 25, then 7.
    QCOMPARE(GetNameNumber(repeated(u'A', 100000)), 7);
}

void TestNameNumber::shouldAgreeWithASlowReference()
{
    // Every total a 16-bit number can hold is reached by some mixture of I and A.
    for (int nines = 0; nines <= 3641; nines += 7) {
        for (int ones = 0; ones <= 9; ++ones) {
            const std::u16string name = repeated(u'I', nines) + repeated(u'A', ones);
            const int number = GetNameNumber(name);
            QCOMPARE(number, referenceNumber(name));
            QVERIFY(number >= 0 && number <= 12);
        }
    }
}

// Long names are summed a block at a time; any length, any mixture and any
// point at which the limit is reached must give what adding letter by letter gives.
void TestNameNumber::shouldAgreeLetterByLetterOnLongMixedNames()
{
    const std::u16string pool = u"AaIiZzSsRrHh  -1\u00E9\u0131\u017F\uFF21";
    std::mt19937 random(20240607);
    const auto letterByLetter = [](const std::u16string &name) {
        int total = 0;
        for (char16_t ch : name) {
            const char16_t upper = QChar(ch).toUpper().unicode();
            const int value = upper >= u'A' && upper <= u'Z' ? (upper - u'A') % 9 + 1 : 0;
            if (total + value <= 32767)
                total += value;
        }
        return referenceNumber(repeated(u'I', std::size_t(total / 9)) + repeated(u'A', std::size_t(total % 9)));
    };
    for (int round = 0; round < 400; ++round) {
        // A run of I brings the total near the limit, then a mixed tail crosses it.
        std::u16string name = repeated(u'I', random() % 3700);
        const std::size_t tail = random() % 700;
        for (std::size_t i = 0; i < tail; ++i)
            name += pool[random() % pool.size()];
        QCOMPARE(int(GetNameNumber(name)), letterByLetter(name));
    }
}

void TestNameNumber::shouldTellWhetherANameHasALetter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasLetter");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("spaces") << "   " << false;
    QTest::newRow("digits and signs") << "42 - 7!" << false;
    QTest::newRow("accented only") << QStringLiteral("\u00E9\u00C5") << false;
    QTest::newRow("one letter among signs") << "--x--" << true;
    QTest::newRow("a name") << "Ann" << true;
}

void TestNameNumber::shouldTellWhetherANameHasALetter()
{
    QFETCH(QString, name);
    QFETCH(bool, hasLetter);
    QCOMPARE(HasNameLetter(fromQString(name)), hasLetter);
}

QTEST_GUILESS_MAIN(TestNameNumber)
#include "tst_namenumber.moc"
