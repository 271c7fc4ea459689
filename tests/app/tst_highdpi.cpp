// Runs with QT_SCALE_FACTOR=2: every form keeps its layout in logical pixels, drawn at twice the
// density, and the readout reports twips of the logical layout, not of device pixels.
#include "formsfixture.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTest>

using namespace quenzar;
using quenzar::testing::FormsFixture;

class tst_HighDpi : public QObject
{
    Q_OBJECT

private slots:
    void formsKeepTheirLogicalLayout_data();
    void formsKeepTheirLogicalLayout();
    void readoutReportsLogicalTwips_data();
    void readoutReportsLogicalTwips();
};

void tst_HighDpi::formsKeepTheirLogicalLayout_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("welcome") << "frmFirst" << QSize(487, 297) << "cmdNo" << QRect(344, 192, 89, 25);
    QTest::newRow("main window") << "frmD3Tweak" << QSize(716, 689) << "lblError"
                                 << QRect(360, 600, 345, 65);
    QTest::newRow("edit dialog") << "frmEdit" << QSize(588, 458) << "ctrlListBox1"
                                 << QRect(176, 24, 401, 407);
}

void tst_HighDpi::formsKeepTheirLogicalLayout()
{
    QFETCH(QString, form);
    QFETCH(QSize, size);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    FormsFixture app;
    QWidget* shown = app.forms.show(form);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QCOMPARE(shown->devicePixelRatioF(), 2.0);
    QCOMPARE(shown->size(), size);
    QCOMPARE(shown->findChild<QWidget*>(control)->geometry(), geometry);
    // Drawn at full density: the picture has twice the pixels of the layout.
    QCOMPARE(shown->grab().size(), size * 2);
}

void tst_HighDpi::readoutReportsLogicalTwips_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QPoint>("free");  // a point on the form's own surface
    QTest::addColumn<QString>("over"); // a control whose moves must not count
    QTest::newRow("welcome") << "frmFirst"
                             << "ctrlCoordinateLabel" << QPoint(65, 60) << "Label6";
    QTest::newRow("main window") << "frmD3Tweak"
                                 << "ctrlMouse" << QPoint(200, 10) << "lblError";
}

void tst_HighDpi::readoutReportsLogicalTwips()
{
    QFETCH(QString, form);
    QFETCH(QString, readout);
    QFETCH(QPoint, free);
    QFETCH(QString, over);
    FormsFixture app;
    QWidget* shown = app.forms.show(form);
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    auto* label = shown->findChild<QLabel*>(readout);

    QTest::mouseMove(shown, free);
    static const QRegularExpression pattern(
        QStringLiteral("^Breedte = ([0-9.]+)     Hoogte = ([0-9.]+)$"));
    const auto match = pattern.match(label->text());
    QVERIFY2(match.hasMatch(), qPrintable(label->text()));
    // Synthetic moves land within a device pixel of the asked point; in device pixels the
    // readout would be twice as large.
    QVERIFY2(qAbs(match.captured(1).toDouble() - free.x() * 15) <= 15, qPrintable(label->text()));
    QVERIFY2(qAbs(match.captured(2).toDouble() - free.y() * 15) <= 15, qPrintable(label->text()));

    const QString before = label->text();
    QTest::mouseMove(shown->findChild<QWidget*>(over), QPoint(4, 4));
    QCOMPARE(label->text(), before);
}

QTEST_MAIN(tst_HighDpi)
#include "tst_highdpi.moc"
