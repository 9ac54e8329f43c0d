#include "system.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(MEMORYSTATUS)

class TestSystem : public QObject
{
    Q_OBJECT

private slots:
    void memoryStatusFromMemInfo_data();
    void memoryStatusFromMemInfo();
    void memoryStatusOfThisMachine();
};

namespace {

constexpr SIZE_T KiB = 1024;
constexpr SIZE_T sizeMax = std::numeric_limits<SIZE_T>::max();

MEMORYSTATUS status(SIZE_T total, SIZE_T available, SIZE_T totalPageFile, SIZE_T availPageFile,
                    DWORD load)
{
    MEMORYSTATUS s;
    s.dwTotalPhys = total;
    s.dwAvailPhys = available;
    s.dwTotalPageFile = totalPageFile;
    s.dwAvailPageFile = availPageFile;
    s.dwMemoryLoad = load;
    return s;
}

} // namespace

void TestSystem::memoryStatusFromMemInfo_data()
{
    QTest::addColumn<QByteArray>("meminfo");
    QTest::addColumn<MEMORYSTATUS>("expected");

    QTest::newRow("current kernel")
        << QByteArray("MemTotal:       16315872 kB\n"
                      "MemFree:         1000000 kB\n"
                      "MemAvailable:   12000000 kB\n"
                      "Buffers:          200000 kB\n"
                      "Cached:          9000000 kB\n"
                      "SwapCached:            0 kB\n"
                      "SwapTotal:       2097148 kB\n"
                      "SwapFree:        1048574 kB\n")
        << status(16315872 * KiB, 12000000 * KiB, (16315872 + 2097148) * KiB,
                  (12000000 + 1048574) * KiB, 26);
    QTest::newRow("kernel without an estimate of available memory")
        << QByteArray("MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 50 kB\nCached: 250 kB\n")
        << status(1000 * KiB, 400 * KiB, 1000 * KiB, 400 * KiB, 60);
    QTest::newRow("half a per cent rounds up")
        << QByteArray("MemTotal: 200 kB\nMemAvailable: 101 kB\n")
        << status(200 * KiB, 101 * KiB, 200 * KiB, 101 * KiB, 50);
    QTest::newRow("more available than there is")
        << QByteArray("MemTotal: 200 kB\nMemAvailable: 900 kB\n")
        << status(200 * KiB, 200 * KiB, 200 * KiB, 200 * KiB, 0);
    QTest::newRow("similar names are not taken")
        << QByteArray("MemTotalX: 5 kB\nHighMemTotal: 7 kB\nMemTotal: 8 kB\nMemAvailable: 2 kB")
        << status(8 * KiB, 2 * KiB, 8 * KiB, 2 * KiB, 75);
    QTest::newRow("figure too large") << QByteArray("MemTotal: 99999999999999999999999 kB\n"
                                                    "MemAvailable: 18014398509481984 kB\n")
                                      << status(sizeMax, sizeMax, sizeMax, sizeMax, 0);
    QTest::newRow("empty") << QByteArray() << MEMORYSTATUS();
    QTest::newRow("no total") << QByteArray("MemFree: 100 kB\n") << MEMORYSTATUS();
    QTest::newRow("unreadable total")
        << QByteArray("MemTotal: lots kB\nMemFree: 1 kB\n") << MEMORYSTATUS();
    QTest::newRow("binary noise") << QByteArray("\0\xff\nMemTotal:\n:\n\n", 14) << MEMORYSTATUS();
}

void TestSystem::memoryStatusFromMemInfo()
{
    QFETCH(QByteArray, meminfo);
    QFETCH(MEMORYSTATUS, expected);

    const MEMORYSTATUS s =
        MemoryStatusFromMemInfo(std::string_view(meminfo.constData(), std::size_t(meminfo.size())));
    QCOMPARE(s.dwTotalPhys, expected.dwTotalPhys);
    QCOMPARE(s.dwAvailPhys, expected.dwAvailPhys);
    QCOMPARE(s.dwTotalPageFile, expected.dwTotalPageFile);
    QCOMPARE(s.dwAvailPageFile, expected.dwAvailPageFile);
    QCOMPARE(s.dwMemoryLoad, expected.dwMemoryLoad);
}

void TestSystem::memoryStatusOfThisMachine()
{
    MEMORYSTATUS s;
    s.dwLength = 0;
    GlobalMemoryStatus(&s);
    QCOMPARE(s.dwLength, DWORD(sizeof(MEMORYSTATUS)));
    QVERIFY(s.dwTotalPhys >= 64 * KiB * KiB);
    QVERIFY(s.dwAvailPhys <= s.dwTotalPhys);
    QVERIFY(s.dwMemoryLoad <= 100);
    QVERIFY(s.dwTotalPageFile >= s.dwTotalPhys);
    GlobalMemoryStatus(nullptr);
}

QTEST_GUILESS_MAIN(TestSystem)
#include "tst_system.moc"
