#include "forms/numbertext.h"

#include <QTest>

using quenzar::singleToText;

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void converts_data();
    void converts();
    void usesTheLocaleDecimalSeparator();
};

void tst_NumberText::converts_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero is the single digit 0") << 0.0f << "0";
    QTest::newRow("minus zero is still 0") << -0.0f << "0";
    QTest::newRow("whole value, no decimal point") << 975.0f << "975";
    QTest::newRow("whole value, no leading blank") << 15.0f << "15";
    QTest::newRow("negative whole value") << -150.0f << "-150";
    QTest::newRow("no thousands separator") << 10740.0f << "10740";
    QTest::newRow("large whole value keeps every digit") << 16777216.0f << "16777216";
    QTest::newRow("very large whole value as plain digits") << 1e10f << "10000000000";
    QTest::newRow("half a twip") << 7.5f << "7.5";
    QTest::newRow("negative fraction") << -22.5f << "-22.5";
    QTest::newRow("fraction without float noise") << 0.1f << "0.1";
    QTest::newRow("seven significant digits") << 1234.5678f << "1234.568";
    QTest::newRow("seven digits, no grouping") << 12345.67f << "12345.67";
}

void tst_NumberText::converts()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(singleToText(value, QLocale::c()), text);
}

void tst_NumberText::usesTheLocaleDecimalSeparator()
{
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QCOMPARE(singleToText(7.5f, dutch), QStringLiteral("7,5"));
    QCOMPARE(singleToText(12345.5f, dutch), QStringLiteral("12345,5"));
    // Whole values never carry a separator of any kind.
    QCOMPARE(singleToText(12345.0f, dutch), QStringLiteral("12345"));
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_numbertext.moc"
