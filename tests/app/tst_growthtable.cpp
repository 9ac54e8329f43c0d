#include "growthtable.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <climits>

using growth::Row;

namespace {

QString text(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

QStringList cells(const Row *row)
{
    QStringList out;
    for (std::string_view cell : row->cells) {
        out << text(cell);
    }
    return out;
}

double value(std::string_view cell)
{
    return text(cell).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

} // namespace

class TestGrowthTable : public QObject
{
    Q_OBJECT

private slots:
    void everyCellIsADisplayText();
    void rowsAreOrderedAndMonotonic();
    void keysAreDistinctAndInListOrder();
    void lookup_data();
    void lookup();
    void noRow_data();
    void noRow();
};

void TestGrowthTable::everyCellIsADisplayText()
{
    // A decimal comma and exactly one digit after it, no sign, no separator, no unit.
    static const QRegularExpression format(QStringLiteral("^[1-9]?[0-9]{1,2},[0-9]$"));
    for (int sex : {growth::SexMasculin, growth::SexFeminin}) {
        QCOMPARE(growth::Rows(sex).size(), std::size_t(growth::AgeCount));
        for (const Row &row : growth::Rows(sex)) {
            for (std::string_view cell : row.cells) {
                QVERIFY2(format.match(text(cell)).hasMatch(), qPrintable(text(cell)));
            }
        }
    }
}

void TestGrowthTable::rowsAreOrderedAndMonotonic()
{
    for (int sex : {growth::SexMasculin, growth::SexFeminin}) {
        const auto rows = growth::Rows(sex);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const auto &c = rows[r].cells;
            const QByteArray where = QByteArray::number(sex) + ' ' + rows[r].age.data();
            QVERIFY2(value(c[growth::Pmin]) < value(c[growth::Pn]), where);
            QVERIFY2(value(c[growth::Pn]) < value(c[growth::Pmax]), where);
            QVERIFY2(value(c[growth::Tmin]) < value(c[growth::Tn]), where);
            QVERIFY2(value(c[growth::Tn]) < value(c[growth::Tmax]), where);
            if (r > 0) {
                for (int col = 0; col < growth::ColumnCount; ++col) {
                    QVERIFY2(value(rows[r - 1].cells[col]) < value(c[col]),
                             where + " column " + QByteArray::number(col));
                }
            }
        }
    }
}

void TestGrowthTable::keysAreDistinctAndInListOrder()
{
    const QStringList expected{"Naissance", "3 mois",  "6 mois", "9 mois",  "1 an",  "1,5 ans",
                               "2 ans",     "2,5 ans", "3 ans",  "3,5 ans", "4 ans", "4,5 ans",
                               "5 ans",     "6 ans",   "7 ans",  "8 ans",   "9 ans", "10 ans",
                               "11 ans",    "12 ans",  "13 ans", "14 ans",  "15 ans"};
    QStringList keys;
    for (std::string_view key : growth::AgeKeys()) {
        keys << text(key);
    }
    QCOMPARE(keys, expected);
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    for (int sex : {growth::SexMasculin, growth::SexFeminin}) {
        QStringList rowKeys;
        for (const Row &row : growth::Rows(sex)) {
            rowKeys << text(row.age);
        }
        QCOMPARE(rowKeys, expected);
    }
}

void TestGrowthTable::lookup_data()
{
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("boy at birth, the start row")
        << 0 << "Naissance" << QStringList{"2,5", "3,3", "4,2", "46,2", "50,5", "54,8"};
    QTest::newRow("boy at 3 months keeps its zero")
        << 0 << "3 mois" << QStringList{"4,2", "6,0", "7,6", "56,1", "61,1", "66,1"};
    QTest::newRow("boy at 3 years, five-character text")
        << 0 << "3 ans" << QStringList{"11,8", "14,7", "17,5", "89,9", "96,5", "103,2"};
    QTest::newRow("boy at 1,5 years")
        << 0 << "1,5 ans" << QStringList{"9,3", "11,5", "13,8", "76,7", "82,4", "88,1"};
    QTest::newRow("girl at 1,5 years")
        << 1 << "1,5 ans" << QStringList{"8,6", "10,8", "13,0", "75,1", "80,9", "86,7"};
    QTest::newRow("boy at 15 years")
        << 0 << "15 ans" << QStringList{"40,9", "56,7", "80,1", "153,8", "169,0", "184,2"};
    QTest::newRow("girl at 15 years")
        << 1 << "15 ans" << QStringList{"38,3", "53,7", "76,8", "149,1", "161,8", "174,5"};
    QTest::newRow("girl at 9 years")
        << 1 << "9 ans" << QStringList{"20,2", "28,5", "41,3", "120,0", "132,2", "144,5"};
}

void TestGrowthTable::lookup()
{
    QFETCH(int, sex);
    QFETCH(QString, age);
    QFETCH(QStringList, expected);

    const Row *row = growth::Lookup(sex, age);
    QVERIFY(row != nullptr);
    QCOMPARE(text(row->age), age);
    QCOMPARE(cells(row), expected);
}

void TestGrowthTable::noRow_data()
{
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("age");

    QTest::newRow("trailing space") << 0 << "15 ans ";
    QTest::newRow("leading space") << 0 << " 15 ans";
    QTest::newRow("capital letter") << 0 << "15 Ans";
    QTest::newRow("no unit") << 0 << "15";
    QTest::newRow("empty") << 1 << "";
    QTest::newRow("point for comma") << 1 << "1.5 ans";
    QTest::newRow("months for years") << 0 << "18 mois";
    QTest::newRow("lower-case key") << 0 << "naissance";
    QTest::newRow("accented look-alike") << 0 << QString::fromUtf8("Naissancé");
    QTest::newRow("prefix of a key") << 0 << "1 a";
    QTest::newRow("no selection") << -1 << "Naissance";
    QTest::newRow("index past the sexes") << 2 << "Naissance";
    QTest::newRow("smallest index") << INT_MIN << "15 ans";
    QTest::newRow("largest index") << INT_MAX << "15 ans";
}

void TestGrowthTable::noRow()
{
    QFETCH(int, sex);
    QFETCH(QString, age);
    QCOMPARE(growth::Lookup(sex, age), nullptr);
}

QTEST_APPLESS_MAIN(TestGrowthTable)
#include "tst_growthtable.moc"
