// The schedule list's rows: when one is due, reading and writing their lines, and the checks
// of their fields, in fixed patterns whatever the locale.
#include "common/TestMain.h"

#include "schedule/ScheduleRow.h"

#include <QLocale>
#include <QTest>

namespace {
ScheduleRow WeekdayRow()
{
    return ParseScheduleLine(QStringLiteral("1,/p/Report.wsp,12345,18:00,12/31/2026,"));
}
} // namespace

class ScheduleRowTest : public QObject {
    Q_OBJECT
private slots:
    void dueAtItsMinute_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("due");
        const QString row = QStringLiteral("1,/p/Report.wsp,12345,18:00,12/31/2026,");
        QTest::newRow("Wednesday 18:00") << row << "18:00" << "3" << QDate(2026, 12, 9) << true;
        QTest::newRow("Saturday") << row << "18:00" << "6" << QDate(2026, 12, 12) << false;
        QTest::newRow("a minute later") << row << "18:01" << "3" << QDate(2026, 12, 9) << false;
        QTest::newRow("after the end date") << row << "18:00" << "5" << QDate(2027, 1, 1) << false;
        QTest::newRow("on the end date") << row << "18:00" << "4" << QDate(2026, 12, 31) << true;
        QTest::newRow("end date compared as a date, not as text")
            << QStringLiteral("1,/p/a.wsp,12345,18:00,02/01/2027,") << "18:00" << "4" << QDate(2026, 12, 31) << true;
        QTest::newRow("not in use") << QStringLiteral("0,/p/a.wsp,12345,18:00,12/31/2026,") << "18:00" << "3"
                                    << QDate(2026, 12, 9) << false;
        QTest::newRow("flag 2 is not in use") << QStringLiteral("2,/p/a.wsp,12345,18:00,12/31/2026,") << "18:00" << "3"
                                              << QDate(2026, 12, 9) << false;
        QTest::newRow("135 on Friday") << QStringLiteral("1,/p/a.wsp,135,09:30,12/31/2026,") << "09:30" << "5"
                                       << QDate(2026, 12, 11) << true;
        QTest::newRow("135 on Tuesday") << QStringLiteral("1,/p/a.wsp,135,09:30,12/31/2026,") << "09:30" << "2"
                                        << QDate(2026, 12, 8) << false;
        QTest::newRow("no weekday never matches") << QStringLiteral("1,/p/a.wsp,,09:30,12/31/2026,") << "09:30" << "2"
                                                  << QDate(2026, 12, 8) << false;
        QTest::newRow("an empty weekday argument matches nothing") << row << "18:00" << "" << QDate(2026, 12, 9) << false;
        QTest::newRow("empty end date: no end") << QStringLiteral("1,/p/a.wsp,1234567,18:00,,") << "18:00" << "3"
                                                << QDate(2999, 12, 9) << true;
        QTest::newRow("unreadable end date never runs") << QStringLiteral("1,/p/a.wsp,1234567,18:00,31.12.2026,")
                                                        << "18:00" << "3" << QDate(2026, 12, 9) << false;
        QTest::newRow("line without end date field never runs") << QStringLiteral("1,/p/a.wsp,1234567,18:00") << "18:00"
                                                                << "3" << QDate(2026, 12, 9) << false;
        QTest::newRow("bad time never runs") << QStringLiteral("1,/p/a.wsp,1234567,8:00,,") << "8:00" << "3"
                                             << QDate(2026, 12, 9) << false;
    }
    void dueAtItsMinute()
    {
        QFETCH(QString, line);
        QFETCH(QString, time);
        QFETCH(QString, weekday);
        QFETCH(QDate, today);
        QFETCH(bool, due);
        QCOMPARE(IsScheduleRowDue(ParseScheduleLine(line), time, weekday, today), due);
    }

    void linesReadAndWrittenBack_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("complete");
        QTest::newRow("trailing comma") << "1,D:\\a.wsp,135,09:30,12/31/2026," << "1,D:\\a.wsp,135,09:30,12/31/2026," << true;
        QTest::newRow("with last run") << "1,/p/a.wsp,12345,18:00,12/31/9999,18:00 12/08/2026"
                                       << "1,/p/a.wsp,12345,18:00,12/31/9999,18:00 12/08/2026" << true;
        QTest::newRow("empty line") << "" << "0,,,,," << true;
        QTest::newRow("fields beyond the sixth dropped") << "1,/a.wsp,1,18:00,,x,y" << "1,/a.wsp,1,18:00,,x" << true;
        QTest::newRow("no last-run field") << "1,/a.wsp,1,18:00,12/31/2026" << "1,/a.wsp,1,18:00,12/31/2026," << true;
        QTest::newRow("missing end date keeps its shape") << "1,/a.wsp,135,09:30" << "1,/a.wsp,135,09:30" << false;
        QTest::newRow("non-digit flag") << "x,/a.wsp,135,09:30,," << "0,/a.wsp,135,09:30,," << true;
    }
    void linesReadAndWrittenBack()
    {
        QFETCH(QString, line);
        QFETCH(QString, written);
        QFETCH(bool, complete);
        const ScheduleRow row = ParseScheduleLine(line);
        QCOMPARE(row.complete, complete);
        QCOMPARE(ScheduleLineText(row), written);
    }

    void faultsOfHandEditedLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("fault");
        QTest::newRow("good") << "1,/a.wsp,135,09:30,12/31/2026," << "";
        QTest::newRow("missing field") << "1,/a.wsp,135" << "missing field";
        QTest::newRow("no path") << "1,,135,09:30,," << "no project file";
        QTest::newRow("weekday 8") << "1,/a.wsp,138,09:30,," << "bad weekdays";
        QTest::newRow("weekday twice") << "1,/a.wsp,113,09:30,," << "bad weekdays";
        QTest::newRow("time 25:00") << "1,/a.wsp,1,25:00,," << "bad time";
        QTest::newRow("time with seconds") << "1,/a.wsp,1,18:00:00,," << "bad time";
        QTest::newRow("date 13/01/2026") << "1,/a.wsp,1,18:00,13/01/2026," << "bad end date";
        QTest::newRow("date 1/5/2026") << "1,/a.wsp,1,18:00,1/5/2026," << "bad end date";
    }
    void faultsOfHandEditedLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, fault);
        const QString found = ScheduleRowFault(ParseScheduleLine(line));
        QVERIFY2(fault.isEmpty() ? found.isEmpty() : found.startsWith(fault), qPrintable(found));
    }

    void editedTimesAndDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("time");
        QTest::addColumn<bool>("endDate");
        QTest::newRow("8:30") << "8:30" << false << false;
        QTest::newRow("25:00") << "25:00" << false << false;
        QTest::newRow("08:30") << "08:30" << true << false;
        QTest::newRow("empty") << "" << false << true;
        QTest::newRow("12/31/2026") << "12/31/2026" << false << true;
        QTest::newRow("31.12.2026") << "31.12.2026" << false << false;
        QTest::newRow("02/30/2026") << "02/30/2026" << false << false;
    }
    void editedTimesAndDates()
    {
        QFETCH(QString, text);
        QFETCH(bool, time);
        QFETCH(bool, endDate);
        QCOMPARE(IsScheduleTime(text), time);
        QCOMPARE(IsScheduleEndDate(text), endDate);
    }

    // A locale with a 12-hour clock or "." date separators changes neither the texts nor the
    // comparison.
    void patternsIgnoreTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("12-hour clock") << "en_US";
        QTest::newRow("dot dates") << "de_DE";
        QTest::newRow("Chinese") << "zh_CN";
    }
    void patternsIgnoreTheLocale()
    {
        QFETCH(QString, locale);
        const QLocale previous;
        QLocale::setDefault(QLocale(locale));
        const QDateTime when(QDate(2026, 12, 9), QTime(18, 0));
        QCOMPARE(ScheduleLastRunText(when, true), QStringLiteral("18:00 12/09/2026"));
        QCOMPARE(ScheduleLastRunText(when, false), QStringLiteral("转换失败: 18:00 12/09/2026"));
        QVERIFY(IsScheduleRowDue(WeekdayRow(), QStringLiteral("18:00"), QStringLiteral("3"), QDate(2026, 12, 9)));
        QCOMPARE(ScheduleLineText(WeekdayRow()), QStringLiteral("1,/p/Report.wsp,12345,18:00,12/31/2026,"));
        QLocale::setDefault(previous);
    }
};

TEZ_REGISTER_TEST(ScheduleRowTest)
#include "test_schedule_row.moc"
