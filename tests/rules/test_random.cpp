// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Random.h"

#include <QList>
#include <QTest>

class TestRandom : public QObject
{
    Q_OBJECT

private slots:
    void draws_data();
    void draws();
    void seedFromTime_data();
    void seedFromTime();
};

void TestRandom::draws_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<int>>("bounds");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<quint32>("finalState");

    // 0 -> 1 -> 134775814 -> 134775814 * 134775813 + 1 = 4229256 * 2^32 + 3698175007;
    // 3698175007 * 16 / 2^32 = 13.78
    QTest::newRow("seed 0, n = 16")
        << quint32(0) << QList<int>{16, 16, 16} << QList<int>{0, 0, 13} << quint32(3698175007u);
    // 1000 * 134775813 + 1 = 134775813001 = 31 * 2^32 + 1631826825; 1631826825 * 16 / 2^32 = 6.08
    QTest::newRow("wraps past 2^32")
        << quint32(1000) << QList<int>{16} << QList<int>{6} << quint32(1631826825u);
    // (2^32 - 1) * 134775813 + 1 = -134775812 = 4160191484 (mod 2^32); * 16 / 2^32 = 15.50;
    // then 4160191484 * 134775813 + 1 = 866343917 (mod 2^32); * 100 / 2^32 = 20.17
    QTest::newRow("largest seed") << quint32(0xFFFFFFFFu) << QList<int>{16, 100}
                                  << QList<int>{15, 20} << quint32(866343917u);
    // 134775814 * 6 / 2^32 = 0.19; 3698175007 * 6 / 2^32 = 5.17; then 870078620 * 11 / 2^32 = 2.23
    QTest::newRow("mixed bounds") << quint32(1) << QList<int>{16, 6, 11} << QList<int>{0, 5, 2}
                                  << quint32(870078620u);
    QTest::newRow("n = 1 is always 0")
        << quint32(0xFFFFFFFFu) << QList<int>{1, 1} << QList<int>{0, 0} << quint32(866343917u);
}

void TestRandom::draws()
{
    QFETCH(quint32, seed);
    QFETCH(QList<int>, bounds);
    QFETCH(QList<int>, expected);
    QFETCH(quint32, finalState);

    Random random;
    random.seed(seed);
    QList<int> drawn;
    for (int n : bounds)
        drawn.append(random.below(n));
    QCOMPARE(drawn, expected);
    QCOMPARE(random.state(), finalState);
}

void TestRandom::seedFromTime_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("midnight") << QTime(0, 0, 0, 0) << quint32(0);
    QTest::newRow("12:34:56.789") << QTime(12, 34, 56, 789) << quint32(45296789);
    QTest::newRow("last millisecond") << QTime(23, 59, 59, 999) << quint32(86399999);
    QTest::newRow("one of each") << QTime(1, 1, 1, 1) << quint32(3661001);
}

void TestRandom::seedFromTime()
{
    QFETCH(QTime, time);
    QFETCH(quint32, seed);
    QCOMPARE(::seedFromTime(time), seed);
}

QTEST_GUILESS_MAIN(TestRandom)

#include "test_random.moc"
