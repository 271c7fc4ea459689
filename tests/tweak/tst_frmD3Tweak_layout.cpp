#include "checkboxnames.h"
#include "forms/formnames.h"
#include "formsfixture.h"
#include "mousemoves.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace quenzar;
using quenzar::testing::FormsFixture;

class tst_frmD3Tweak_layout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensInItsInitialState();
    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void looksAsDesigned_data();
    void looksAsDesigned();
    void systemColoursFollowTheScheme_data();
    void systemColoursFollowTheScheme();
    void debugPictureStandsAboveItsCaption();
    void labelsLieBeneathTheControls();
    void onlyAControlsOwnToolTipShows_data();
    void onlyAControlsOwnToolTipShows();
    void optionGroupsArePerFrame();
    void typingAndTickingChangeNothingElse();
    void tabOrderFollowsTabIndexes();
    void accessKeysMoveTheFocus_data();
    void accessKeysMoveTheFocus();
    void buttonsArePressedByEnter();
    void textBoxesTakeAnyLength();
    void namelessControlsCarryTheirLabelsName_data();
    void namelessControlsCarryTheirLabelsName();
    void readoutOnlyOverTheWindowSurface_data();
    void readoutOnlyOverTheWindowSurface();

private:
    QWidget* openMain();
    template <class T> T* find(const char* name)
    {
        auto* w = m_main->findChild<T*>(QLatin1StringView(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

    FormsFixture* m_app = nullptr;
    QWidget* m_main = nullptr;
};

void tst_frmD3Tweak_layout::init()
{
    m_app = new FormsFixture;
    m_main = openMain();
}

void tst_frmD3Tweak_layout::cleanup()
{
    delete m_app;
    m_app = nullptr;
    FormsFixture::settle();
}

QWidget* tst_frmD3Tweak_layout::openMain()
{
    QWidget* form = m_app->forms.show(formnames::frmD3Tweak);
    if (!QTest::qWaitForWindowActive(form))
        qWarning("the main window never became active");
    return form;
}

void tst_frmD3Tweak_layout::opensInItsInitialState()
{
    QCOMPARE(m_main->objectName(), QStringLiteral("frmD3Tweak"));
    QCOMPARE(m_main->size(), QSize(716, 689));

    QStringList checkBoxes;
    for (const QCheckBox* box : m_main->findChildren<QCheckBox*>()) {
        checkBoxes << box->objectName();
        QVERIFY2(box->checkState() == Qt::Unchecked && box->isEnabled(),
                 qPrintable(box->objectName()));
    }
    QStringList named = testing::mainWindowCheckBoxes;
    checkBoxes.sort();
    named.sort();
    QCOMPARE(checkBoxes, named);
    const auto options = m_main->findChildren<QRadioButton*>();
    QCOMPARE(options.size(), 4);
    for (const QRadioButton* option : options)
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));

    QCOMPARE(find<QLineEdit>("txtRam")->text(), QString());
    QCOMPARE(find<QLineEdit>("txtVRam")->text(), QString());
    QCOMPARE(find<QLineEdit>("txtPath")->text(), QStringLiteral("Enter Path..."));
    QCOMPARE(find<QLineEdit>("txtSText")->text(), QStringLiteral("Enter Path..."));
    QCOMPARE(find<QLineEdit>("txtTRam")->text(),
             QStringLiteral("Here will come your tweak you want to edit..."));
    QCOMPARE(find<QLabel>("ctrlMouse")->text(), QString());
    QCOMPARE(find<QLabel>("lblError")->text(), QString());
    QCOMPARE(find<QLabel>("lblDebug")->text(), QString());

    const auto buttons = m_main->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 7);
    for (const QPushButton* button : buttons)
        QVERIFY2(button->isEnabled() && !button->isDefault(), qPrintable(button->objectName()));
    QCOMPARE(QApplication::focusWidget(), find<QCheckBox>("chkCache"));
}

void tst_frmD3Tweak_layout::controlsSitWhereDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry"); // pixels
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("cache frame") << "fmCache"
                                 << "frmD3Tweak" << QRect(24, 32, 345, 145)
                                 << "CACHE - RAM -VGA RAM"
                                 << "";
    QTest::newRow("details frame, two blanks")
        << "frmDetails"
        << "frmD3Tweak" << QRect(24, 184, 345, 393) << "Details and  Quality"
        << "";
    QTest::newRow("bias frame") << "frmBias"
                                << "frmD3Tweak" << QRect(392, 224, 313, 337) << "BIG FPS BOOST"
                                << "Just chose what your gpu is like";
    QTest::newRow("empty frame") << "fromEmpty"
                                 << "frmD3Tweak" << QRect(40, 616, 241, 65) << "Empty What?"
                                 << "";
    QTest::newRow("memory box in its frame") << "txtRam"
                                             << "fmCache" << QRect(240, 64, 57, 25) << ""
                                             << "";
    QTest::newRow("video memory tool tip, trailing blank")
        << "txtVRam"
        << "fmCache" << QRect(240, 104, 57, 25) << ""
        << "TOTAL VIDEO MEMORY ";
    QTest::newRow("ram label tool tip keeps its &")
        << "lblRam"
        << "fmCache" << QRect(8, 64, 153, 25) << "&Your total system memory (Ram)"
        << "&TOTAL SYSTEM MEMORY ALSO CALLED RAM ";
    QTest::newRow("double vision, two blanks")
        << "lblDouble"
        << "frmDetails" << QRect(24, 184, 273, 25) << "&Do you want to see double when you're  hit?"
        << "your screen turns double when you are attacked, disable to gain a fps boost";
    QTest::newRow("shells, trailing blank") << "lblBrass"
                                            << "frmDetails" << QRect(24, 264, 281, 25)
                                            << "&Do you want to see the shells of your bullets? "
                                            << "";
    QTest::newRow("fps boost, leading blank")
        << "lblBoost"
        << "frmDetails" << QRect(24, 336, 89, 17) << " &Fps Boost?"
        << "enable to gain a real fps boost";
    QTest::newRow("boost box") << "chkBoost"
                               << "frmDetails" << QRect(304, 336, 17, 17) << ""
                               << "";
    QTest::newRow("big boost label")
        << "lblEBoost"
        << "frmDetails" << QRect(32, 368, 225, 17) << "Enable F**king big Boost"
        << "";
    QTest::newRow("option with long caption")
        << "optNBest"
        << "frmBias" << QRect(8, 200, 297, 33) << "&Better then fx5600 but not better then 9800 Pro"
        << "";
    QTest::newRow("worse") << "chkWorse"
                           << "frmBias" << QRect(8, 248, 145, 17) << "&Worse than a fx 5600"
                           << "";
    QTest::newRow("nvidia") << "chkNv"
                            << "frmBias" << QRect(8, 312, 121, 17) << "Nvidia GPU"
                            << "";
    QTest::newRow("empty button, trailing blank")
        << "cmdEmpty"
        << "fromEmpty" << QRect(8, 24, 65, 25) << "&Empty : "
        << "";
    QTest::newRow("pre entered") << "optPre"
                                 << "fromEmpty" << QRect(80, 16, 137, 17)
                                 << "&The pre entered value's"
                                 << "";
    QTest::newRow("path box tool tip")
        << "txtPath"
        << "frmD3Tweak" << QRect(400, 112, 313, 41) << "Enter Path..."
        << "The c:\\ is already pre- entered, so example : if you want to save it in doom "
           "folder  then you type : program files\\doom 3\\tweak.cfg (don't forget the extension";
    QTest::newRow("safe edited") << "cmdSaveEdit"
                                 << "frmD3Tweak" << QRect(392, 168, 153, 33)
                                 << "&Safe the file you edited !"
                                 << "";
    QTest::newRow("safe to file") << "cmdFinal"
                                  << "frmD3Tweak" << QRect(24, 584, 73, 25) << "Safe to File"
                                  << "";
    QTest::newRow("exit tool tip, trailing blank")
        << "cmdExit"
        << "frmD3Tweak" << QRect(496, 568, 81, 25) << "&Exit"
        << "Exit ";
    QTest::newRow("status label") << "lblError"
                                  << "frmD3Tweak" << QRect(360, 600, 345, 65) << ""
                                  << "Error debug to continue";
    QTest::newRow("readout") << "ctrlMouse"
                             << "frmD3Tweak" << QRect(272, 8, 169, 17) << ""
                             << "";
    QTest::newRow("advanced") << "cmdAd"
                              << "frmD3Tweak" << QRect(576, 168, 121, 33) << "&Advanced Screen"
                              << "";
}

void tst_frmD3Tweak_layout::controlsSitWhereDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);

    QWidget* control = m_main->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->toolTip(), toolTip);
    if (name != QStringLiteral("lblTShadow"))
        QCOMPARE(control->geometry(), geometry);

    QString text;
    if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        text = edit->text();
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        text = frame->title();
    QCOMPARE(text, caption);
}

void tst_frmD3Tweak_layout::looksAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");

    const QColor black(0, 0, 0), green(0, 255, 0), red(255, 0, 0), blue(0, 0, 255),
        yellow(255, 255, 0);
    QTest::newRow("status label") << "lblError" << black << blue << "Comic Sans MS" << 36.0 << true;
    QTest::newRow("debug label") << "lblDebug" << black << green << "MS Sans Serif" << 8.25
                                 << false;
    QTest::newRow("readout") << "ctrlMouse" << black << yellow << "MS Sans Serif" << 8.25 << false;
    QTest::newRow("edit box") << "txtTRam" << black << red << "Comic Sans MS" << 9.0 << false;
    QTest::newRow("memory box") << "txtRam" << black << green << "MS Sans Serif" << 8.25 << false;
    QTest::newRow("detail label") << "lblMuzzle" << black << green << "Comic Sans MS" << 9.0
                                  << true;
    QTest::newRow("cache label, look A")
        << "lblCache" << black << green << "MS Sans Serif" << 8.25 << true;
    QTest::newRow("card switch") << "chkA" << black << green << "Comic Sans MS" << 9.0 << false;
    QTest::newRow("class box, window font")
        << "chkBetter" << black << green << "MS Sans Serif" << 8.25 << false;
    QTest::newRow("reset option") << "optAll" << black << green << "MS Sans Serif" << 8.25 << false;
}

void tst_frmD3Tweak_layout::looksAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QColor, back);
    QFETCH(QColor, fore);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);

    QWidget* control = m_main->findChild<QWidget*>(name);
    QVERIFY(control);
    const QPalette palette = control->palette();
    const bool isText = qobject_cast<QLineEdit*>(control) != nullptr;
    QCOMPARE(palette.color(isText ? QPalette::Base : control->backgroundRole()), back);
    QCOMPARE(palette.color(isText ? QPalette::Text : control->foregroundRole()), fore);
    QCOMPARE(control->font().family(), family);
    QCOMPARE(control->font().pointSizeF(), pointSize);
    QCOMPARE(control->font().bold(), bold);
}

void tst_frmD3Tweak_layout::systemColoursFollowTheScheme_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at"); // a point of the control's own background
    QTest::addColumn<QColor>("colour");
    // The scheme below: button text, button face, window text and box colours all changed.
    QTest::newRow("window, button-text colour")
        << "frmD3Tweak" << QPoint(2, 2) << QColor(10, 20, 30);
    QTest::newRow("look A label, menu-text colour")
        << "lblCache" << QPoint(132, 22) << QColor(70, 80, 90);
    QTest::newRow("detail box, button face") << "chkBlood" << QPoint(16, 16) << QColor(40, 50, 60);
    QTest::newRow("path box of standard colours")
        << "txtSText" << QPoint(250, 12) << QColor(100, 110, 120);
}

void tst_frmD3Tweak_layout::systemColoursFollowTheScheme()
{
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] {
        QApplication::setPalette(before);
        QCoreApplication::processEvents();
    });
    QPalette scheme = before;
    scheme.setColor(QPalette::ButtonText, QColor(10, 20, 30));
    scheme.setColor(QPalette::Button, QColor(40, 50, 60));
    scheme.setColor(QPalette::WindowText, QColor(70, 80, 90));
    scheme.setColor(QPalette::Base, QColor(100, 110, 120));
    QApplication::setPalette(scheme);
    QCoreApplication::processEvents();

    QWidget* control = name == m_main->objectName() ? m_main : m_main->findChild<QWidget*>(name);
    QCOMPARE(control->grab().toImage().pixelColor(at), colour);
}

void tst_frmD3Tweak_layout::debugPictureStandsAboveItsCaption()
{
    // The picture's red and yellow lettering, and the green caption.
    const QImage face = find<QPushButton>("cmdDebug")->grab().toImage();
    int pictureBottom = -1, captionTop = face.height();
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            const QColor c = face.pixelColor(x, y);
            if (c.red() > 160 && c.blue() < 80)
                pictureBottom = std::max(pictureBottom, y);
            else if (c.green() > 160 && c.red() < 80 && c.blue() < 80)
                captionTop = std::min(captionTop, y);
        }
    }
    QVERIFY(pictureBottom >= 0);
    QVERIFY2(pictureBottom < captionTop,
             qPrintable(QStringLiteral("picture ends at %1, caption starts at %2")
                            .arg(pictureBottom)
                            .arg(captionTop)));
}

void tst_frmD3Tweak_layout::labelsLieBeneathTheControls()
{
    // The status label's corner overlaps the path box beside Safe to File, which stays on top.
    QCOMPARE(m_main->childAt(364, 604), find<QLineEdit>("txtSText"));
    QCOMPARE(m_main->childAt(372, 604), find<QLabel>("lblError"));
}

void tst_frmD3Tweak_layout::onlyAControlsOwnToolTipShows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::newRow("card switch in the tipped frame") << "chkA"
                                                     << "";
    QTest::newRow("the frame itself") << "frmBias"
                                      << "Just chose what your gpu is like";
    QTest::newRow("a button with its own tip") << "cmdDebug"
                                               << "Debug the error";
}

void tst_frmD3Tweak_layout::onlyAControlsOwnToolTipShows()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    QTRY_VERIFY(!QToolTip::isVisible()); // the tip of an earlier row is gone
    QWidget* control = m_main->findChild<QWidget*>(name);
    const QPoint at(4, 4);
    QHelpEvent request(QEvent::ToolTip, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &request);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
    QToolTip::hideText();
}

void tst_frmD3Tweak_layout::optionGroupsArePerFrame()
{
    auto* best = find<QRadioButton>("optBest");
    auto* nBest = find<QRadioButton>("optNBest");
    auto* all = find<QRadioButton>("optAll");
    auto* pre = find<QRadioButton>("optPre");

    // Clicked on their round indicators.
    const QPoint indicator(6, 8);
    QTest::mouseClick(best, Qt::LeftButton, {}, indicator);
    QVERIFY(best->isChecked());
    QTest::mouseClick(nBest, Qt::LeftButton, {}, indicator);
    QVERIFY(nBest->isChecked());
    QVERIFY(!best->isChecked());

    QTest::mouseClick(all, Qt::LeftButton, {}, indicator);
    QVERIFY(all->isChecked());
    QVERIFY(nBest->isChecked());
    QVERIFY(!best->isChecked());
    QTest::mouseClick(pre, Qt::LeftButton, {}, indicator);
    QVERIFY(pre->isChecked() && !all->isChecked());
    QVERIFY(nBest->isChecked());
}

void tst_frmD3Tweak_layout::typingAndTickingChangeNothingElse()
{
    QTest::mouseClick(find<QCheckBox>("chkBetter"), Qt::LeftButton);
    QTest::mouseClick(find<QCheckBox>("chkWorse"), Qt::LeftButton);
    QTest::keyClicks(find<QLineEdit>("txtRam"), QStringLiteral("128"));
    QTest::keyClicks(find<QLineEdit>("txtVRam"), QStringLiteral("32"));
    QTest::mouseClick(find<QRadioButton>("optBest"), Qt::LeftButton, {}, QPoint(6, 8));

    QVERIFY(find<QCheckBox>("chkBetter")->isChecked());
    QVERIFY(find<QCheckBox>("chkWorse")->isChecked());
    QCOMPARE(find<QLineEdit>("txtRam")->text(), QStringLiteral("128"));
    QCOMPARE(find<QLabel>("lblError")->text(), QString());
    QCOMPARE(find<QLabel>("lblDebug")->text(), QString());
    QVERIFY(m_app->dialogs.shown.isEmpty());
}

void tst_frmD3Tweak_layout::tabOrderFollowsTabIndexes()
{
    // Tab stops once in each group of option buttons, at its first in tab order while none is
    // selected; the arrow keys move within the group.
    const QStringList expected = {
        "chkCache",    "txtRam",    "txtVRam",    "chkBlood", "chkTShadows", "chkMuzzle",
        "chkOShadows", "chkDouble", "chkPLights", "chkBrass", "chkShadow",   "txtTRam",
        "cmdExit",     "chkBoost",  "cmdDebug",   "cmdFinal", "cmdSaveEdit", "chkWorse",
        "chkBetter",   "optNBest",  "txtPath",    "cmdEmpty", "optPre",      "chkEBoost",
        "txtSText",    "cmdClearP", "chkA",       "chkB",     "chkC",        "chkAti",
        "chkNv",       "cmdAd"};
    QStringList visited;
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.first());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        visited.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    // After the last control the order starts again.
    QCOMPARE(QApplication::focusWidget()->objectName(), expected.first());
}

void tst_frmD3Tweak_layout::accessKeysMoveTheFocus_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("presses");
    QTest::newRow("a label's key focuses its box without ticking")
        << int(Qt::Key_F) << "chkBoost" << 0;
    QTest::newRow("a check box's own key ticks it") << int(Qt::Key_W) << "chkWorse" << 1;
    QTest::newRow("a button's key focuses and presses it") << int(Qt::Key_C) << "cmdClearP" << 1;
}

void tst_frmD3Tweak_layout::accessKeysMoveTheFocus()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(int, presses);
    auto* target = m_main->findChild<QAbstractButton*>(focus);
    QSignalSpy clicks(target, &QAbstractButton::clicked);
    QTest::keyClick(m_main, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::qWait(300); // a press lands after its short animation
    QCOMPARE(clicks.size(), presses);
}

void tst_frmD3Tweak_layout::buttonsArePressedByEnter()
{
    // Clear Path is the one button whose effect needs no dialog.
    auto* path = find<QLineEdit>("txtPath");
    path->setText(QStringLiteral("c:\\x.cfg"));
    auto* clear = find<QPushButton>("cmdClearP");
    clear->setFocus();
    QTest::keyClick(clear, Qt::Key_Return);
    QCOMPARE(path->text(), QStringLiteral("Enter Path..."));

    // Escape closes nothing, and Enter outside a button presses nothing: there is no default.
    path->setText(QStringLiteral("c:\\x.cfg"));
    QTest::keyClick(find<QLineEdit>("txtRam"), Qt::Key_Return);
    QTest::keyClick(m_main, Qt::Key_Escape);
    QVERIFY(m_main->isVisible());
    QCOMPARE(path->text(), QStringLiteral("c:\\x.cfg"));
    QVERIFY(m_app->dialogs.shown.isEmpty());
}

void tst_frmD3Tweak_layout::textBoxesTakeAnyLength()
{
    const QString longText(100000, u'x');
    for (const char* name : {"txtRam", "txtVRam", "txtTRam", "txtPath", "txtSText"}) {
        find<QLineEdit>(name)->setText(longText);
        QCOMPARE(find<QLineEdit>(name)->text().size(), longText.size());
    }
}

void tst_frmD3Tweak_layout::namelessControlsCarryTheirLabelsName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("cache") << "chkCache"
                           << "Do you want to use cache?";
    QTest::newRow("system memory") << "txtRam"
                                   << "Your total system memory (Ram)";
    QTest::newRow("video memory") << "txtVRam"
                                  << "Your total grafical memory (VGA RAM)";
    QTest::newRow("double vision") << "chkDouble"
                                   << "Do you want to see double when you're  hit?";
    QTest::newRow("fps boost, leading blank dropped") << "chkBoost"
                                                      << "Fps Boost?";
    QTest::newRow("big boost, no access key") << "chkEBoost"
                                              << "Enable F**king big Boost";
    QTest::newRow("a captioned box keeps its caption") << "chkAti"
                                                       << "Ati GPU";
    QTest::newRow("the red edit box") << "txtTRam"
                                      << "Tweak to edit";
    QTest::newRow("the blue path box") << "txtPath"
                                       << "Path of the edited tweak";
    QTest::newRow("the path box beside Safe to File") << "txtSText"
                                                      << "Path of the tweak file";
}

void tst_frmD3Tweak_layout::namelessControlsCarryTheirLabelsName()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QAccessibleInterface* read =
        QAccessible::queryAccessibleInterface(m_main->findChild<QWidget*>(control));
    QCOMPARE(read->text(QAccessible::Name), name);
}

void tst_frmD3Tweak_layout::readoutOnlyOverTheWindowSurface_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("a frame") << "frmDetails";
    QTest::newRow("a label inside a frame") << "lblMuzzle";
    QTest::newRow("a status label") << "lblError";
    QTest::newRow("a text box") << "txtSText";
    QTest::newRow("a button") << "cmdFinal";
    QTest::newRow("the readout itself") << "ctrlMouse";
}

void tst_frmD3Tweak_layout::readoutOnlyOverTheWindowSurface()
{
    QFETCH(QString, control);
    auto* readout = find<QLabel>("ctrlMouse");
    QCOMPARE(readout->text(), QString());

    QTest::mouseMove(m_main, QPoint(5, 3));
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 75     Hoogte = 45"));
    quenzar::testing::moveToCorner(m_main);
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 0     Hoogte = 0"));
    QTest::mouseMove(m_main, QPoint(200, 10));
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 3000     Hoogte = 150"));
    QCOMPARE(readout->size(), QSize(169, 17)); // a fixed box

    QTest::mouseMove(m_main->findChild<QWidget*>(control), QPoint(2, 2));
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 3000     Hoogte = 150"));
}

QTEST_MAIN(tst_frmD3Tweak_layout)
#include "tst_frmD3Tweak_layout.moc"
