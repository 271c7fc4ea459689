#include "checkboxnames.h"
#include "forms/formdesign.h"
#include "forms/formnames.h"
#include "formsfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace quenzar;
using quenzar::testing::FormsFixture;
using quenzar::testing::mainWindowCheckBoxes;

namespace {

const QString freshFileText = QStringLiteral(
    " Image_useCache = (0)  g_showBrass 0  r_useTurboShadow 0  r_useOptimizedShadows 0 "
    " g_bloodEffects 0  g_doublevision 0  image_filter GL_BI-LINEAR_MIPMAP_NEAREST"
    " g_muzzleFlash 0  g_projectileLights 1 r_shadows (0)");
const QString freshEditText = freshFileText.chopped(13);

#ifdef Q_OS_WIN
const QByteArray lineEnd = "\r\n";
#else
const QByteArray lineEnd = "\n";
#endif

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What a screen reader is told of the status label's captions.
QStringList heardErrors;
void hearErrors(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::NameChanged &&
        event->object()->objectName() == QStringLiteral("lblError"))
        heardErrors.append(event->accessibleInterface()->text(QAccessible::Name));
}

} // namespace

class tst_frmD3Tweak_actions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void safeToFileIntoTheEditBox();
    void aSecondClickReplacesTheEditBox();
    void safeToFileWritesTheFile();
    void placeholderPathBecomesAFileHere();
    void everyCheckBoxIsRead_data();
    void everyCheckBoxIsRead();
    void typedPathIsForgotten();
    void warningComesAfterLabelsAndBeforeRepairs();
    void optionRuleUnticksOnTheWindow();
    void checkBoxStatesCountAsTheRulesSay_data();
    void checkBoxStatesCountAsTheRulesSay();
    void statusLeftByAnEarlierClickSteersRepairs();
    void aFailedSaveIsToldAndKeepsTheWindow();

    void saveEditedWritesTheWholeEditBox();
    void saveEditedAfterResetUsesTheResetSentenceAsPath();

    void debugExplainsTheStatusLabels_data();
    void debugExplainsTheStatusLabels();

    void fullReset_data();
    void fullReset();
    void memoryClearOnly();
    void emptyWithNoChoiceDoesNothing();
    void resetAfterBigErrorSilencesDebug();
    void clearPath();

    void exitYesShutsDownOnce_data();
    void exitYesShutsDownOnce();
    void exitNoEndsCancelDoesNothing_data();
    void exitNoEndsCancelDoesNothing();
    void aRefusedShutdownIsTold();

    void advancedScreenOpensTheEditor();

private:
    template <class T> T* find(const char* name)
    {
        auto* w = m_main->findChild<T*>(QLatin1StringView(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    void tick(const char* name) { find<QCheckBox>(name)->setChecked(true); }
    void press(const char* name) { find<QPushButton>(name)->click(); }
    // Answers the whole "Safe to File" dialogue: keep the path (or type `typed`), then send the
    // tweak to a file (`toFile`) or to the edit box.
    void scriptSafeToFile(bool toFile, const QString& typed = QString());
    QString text(const char* name) { return find<QLineEdit>(name)->text(); }
    QString caption(const char* name) { return find<QLabel>(name)->text(); }

    FormsFixture* m_app = nullptr;
    QWidget* m_main = nullptr;
    QTemporaryDir* m_folder = nullptr;
    QString m_savedCurrent;
};

void tst_frmD3Tweak_actions::init()
{
    m_app = new FormsFixture;
    m_main = m_app->forms.show(formnames::frmD3Tweak);
    m_folder = new QTemporaryDir;
    // Relative paths land in a folder of the test's own.
    m_savedCurrent = QDir::currentPath();
    QDir::setCurrent(m_folder->path());
}

void tst_frmD3Tweak_actions::cleanup()
{
    QDir::setCurrent(m_savedCurrent);
    delete m_folder;
    delete m_app;
    m_app = nullptr;
    FormsFixture::settle();
}

void tst_frmD3Tweak_actions::scriptSafeToFile(bool toFile, const QString& typed)
{
    const bool typesPath = !typed.isNull();
    m_app->dialogs.answers.append({Answer::Ok, Answer::Ok, typesPath ? Answer::Yes : Answer::No,
                                   Answer::Ok, toFile ? Answer::Yes : Answer::No});
    if (typesPath)
        m_app->dialogs.inputs.append(typed);
}

void tst_frmD3Tweak_actions::safeToFileIntoTheEditBox()
{
    scriptSafeToFile(false);
    press("cmdFinal");
    QCOMPARE(m_app->dialogs.unscripted, 0);
    QCOMPARE(m_app->dialogs.prompts().first(), QStringLiteral("You didn't specified your path"));
    QCOMPARE(text("txtTRam"), freshEditText);
    QCOMPARE(text("txtTRam").size(), 198);
    // A fresh window writes no label and leaves the sizes alone.
    QCOMPARE(caption("lblError"), QString());
    QCOMPARE(caption("lblDebug"), QString());
    QCOMPARE(text("txtRam"), QString());
    QVERIFY(QDir(m_folder->path()).isEmpty());
}

void tst_frmD3Tweak_actions::aSecondClickReplacesTheEditBox()
{
    scriptSafeToFile(false);
    press("cmdFinal");
    tick("chkBrass");
    scriptSafeToFile(false);
    press("cmdFinal");
    QVERIFY(text("txtTRam").contains(QStringLiteral(" g_showBrass 1 ")));
    QCOMPARE(text("txtTRam").size(), 198);
}

void tst_frmD3Tweak_actions::safeToFileWritesTheFile()
{
    const QString path = m_folder->filePath(QStringLiteral("tweak.cfg"));
    find<QLineEdit>("txtSText")->setText(path);
    scriptSafeToFile(true);
    press("cmdFinal");
    QCOMPARE(m_app->dialogs.prompts().first(), QStringLiteral("ok!"));
    QCOMPARE(m_app->dialogs.shown.size(), 5); // no confirmation after the save
    QCOMPARE(m_app->dialogs.shown.last().title, QStringLiteral("Tarvel's DOOM 3 TWEAK"));
    QCOMPARE(readAll(path), freshFileText.toLatin1() + lineEnd);
    QCOMPARE(freshFileText.size(), 211);
    QCOMPARE(text("txtTRam"), QStringLiteral("Here will come your tweak you want to edit..."));
}

void tst_frmD3Tweak_actions::placeholderPathBecomesAFileHere()
{
    scriptSafeToFile(true);
    press("cmdFinal");
    QCOMPARE(readAll(m_folder->filePath(QStringLiteral("Enter Path..."))),
             freshFileText.toLatin1() + lineEnd);
}

void tst_frmD3Tweak_actions::everyCheckBoxIsRead_data()
{
    QTest::addColumn<QString>("box");
    // Projectile lights write the same ticked or not, so that box shows nothing here.
    for (const QString& box : mainWindowCheckBoxes) {
        if (box != QStringLiteral("chkPLights"))
            QTest::newRow(qPrintable(box)) << box;
    }
}

void tst_frmD3Tweak_actions::everyCheckBoxIsRead()
{
    QFETCH(QString, box);
    tick(qPrintable(box));
    scriptSafeToFile(true);
    press("cmdFinal");
    const QByteArray written = readAll(m_folder->filePath(QStringLiteral("Enter Path...")));
    QVERIFY(written.endsWith(lineEnd));
    QVERIFY(written != freshFileText.toLatin1() + lineEnd);
}

void tst_frmD3Tweak_actions::typedPathIsForgotten()
{
    const QString typed = m_folder->filePath(QStringLiteral("typed.cfg"));
    scriptSafeToFile(false, typed);
    press("cmdFinal");
    QVERIFY(!QFile::exists(typed));
    QCOMPARE(text("txtSText"), QStringLiteral("Enter Path..."));
    QCOMPARE(text("txtTRam"), freshEditText);

    scriptSafeToFile(true, typed);
    press("cmdFinal");
    QCOMPARE(readAll(typed), freshFileText.toLatin1() + lineEnd);
    QCOMPARE(text("txtSText"), QStringLiteral("Enter Path..."));
}

void tst_frmD3Tweak_actions::warningComesAfterLabelsAndBeforeRepairs()
{
    tick("chkBetter");
    tick("chkWorse");
    find<QLineEdit>("txtRam")->setText(QStringLiteral("128"));
    find<QLineEdit>("txtVRam")->setText(QStringLiteral("32"));

    QString errorDuringWarning, ramDuringWarning;
    QStringList heardDuringWarning;
    heardErrors.clear();
    const auto previous = setAccessibilityNotifier(hearErrors);
    const auto restore = qScopeGuard([previous] { setAccessibilityNotifier(previous); });
    m_app->dialogs.onShow = [&](const auto& box) {
        if (box.prompt == QStringLiteral("Don't check two boxes at one time")) {
            errorDuringWarning = caption("lblError");
            ramDuringWarning = text("txtRam");
            heardDuringWarning = heardErrors;
        }
    };
    m_app->dialogs.answers.append(Answer::Ok); // the warning
    scriptSafeToFile(false);
    press("cmdFinal");

    QCOMPARE(m_app->dialogs.prompts().first(), QStringLiteral("Don't check two boxes at one time"));
    QCOMPARE(m_app->dialogs.shown.first().buttons, Buttons::Ok);
    QCOMPARE(m_app->dialogs.shown.first().title, QString());
    QCOMPARE(errorDuringWarning, QStringLiteral("BIG ERROR "));
    // Each caption is heard as it is written.
    QCOMPARE(heardDuringWarning, (QStringList{"Error GPU ", "BIG ERROR "}));
    QCOMPARE(ramDuringWarning, QStringLiteral("128"));
    QCOMPARE(text("txtRam"), QStringLiteral("384"));
    QCOMPARE(text("txtVRam"), QStringLiteral("64"));
    QCOMPARE(caption("lblError"), QStringLiteral("BIG ERROR "));
    QVERIFY(text("txtTRam").contains(QStringLiteral("image_lodbias -1 ")));
    QVERIFY(text("txtTRam").contains(QStringLiteral("image_lodbias -2 ")));
}

void tst_frmD3Tweak_actions::optionRuleUnticksOnTheWindow()
{
    tick("chkBetter");
    tick("chkWorse");
    find<QRadioButton>("optBest")->setChecked(true);
    scriptSafeToFile(false);
    press("cmdFinal");
    QVERIFY(!find<QCheckBox>("chkBetter")->isChecked());
    QVERIFY(!find<QCheckBox>("chkWorse")->isChecked());
    QVERIFY(find<QRadioButton>("optBest")->isChecked());
    QVERIFY(text("txtTRam").contains(QStringLiteral(" image_lodbias 1 ")));
    QVERIFY(
        !m_app->dialogs.prompts().contains(QStringLiteral("Don't check two boxes at one time")));
}

void tst_frmD3Tweak_actions::checkBoxStatesCountAsTheRulesSay_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("cachePiece");
    QTest::addColumn<QString>("debug");
    QTest::newRow("ticked") << int(Qt::Checked) << " Image_useCache = (1)"
                            << "No error found";
    QTest::newRow("grayed counts as not ticked")
        << int(Qt::PartiallyChecked) << " Image_useCache = (0) "
        << "";
    QTest::newRow("unticked") << int(Qt::Unchecked) << " Image_useCache = (0) "
                              << "";
}

void tst_frmD3Tweak_actions::checkBoxStatesCountAsTheRulesSay()
{
    QFETCH(int, state);
    QFETCH(QString, cachePiece);
    QFETCH(QString, debug);
    auto* cache = find<QCheckBox>("chkCache");
    cache->setTristate(true);
    cache->setCheckState(Qt::CheckState(state));
    scriptSafeToFile(false);
    press("cmdFinal");
    QVERIFY2(text("txtTRam").contains(cachePiece), qPrintable(text("txtTRam")));
    QCOMPARE(caption("lblDebug"), debug);
}

void tst_frmD3Tweak_actions::statusLeftByAnEarlierClickSteersRepairs()
{
    find<QLineEdit>("txtRam")->setText(QStringLiteral("128"));
    find<QLineEdit>("txtVRam")->setText(QStringLiteral("32"));
    scriptSafeToFile(false);
    press("cmdFinal");
    QCOMPARE(caption("lblError"), QStringLiteral("BIG ERROR "));

    find<QLineEdit>("txtRam")->setText(QStringLiteral("1024"));
    find<QLineEdit>("txtVRam")->setText(QStringLiteral("256"));
    scriptSafeToFile(false);
    press("cmdFinal");
    QVERIFY(
        text("txtTRam").contains(QStringLiteral("image_cacheMegs=(768),image_cacheMink=(20480)")));
    QCOMPARE(caption("lblDebug"), QStringLiteral("No error found"));
    QCOMPARE(caption("lblError"), QStringLiteral("BIG ERROR "));
    QCOMPARE(text("txtRam"), QStringLiteral("384"));
    QCOMPARE(text("txtVRam"), QStringLiteral("64"));
}

void tst_frmD3Tweak_actions::aFailedSaveIsToldAndKeepsTheWindow()
{
    const QString path = m_folder->filePath(QStringLiteral("missing/tweak.cfg"));
    find<QLineEdit>("txtSText")->setText(path);
    find<QLineEdit>("txtRam")->setText(QStringLiteral("256"));
    scriptSafeToFile(true);
    m_app->dialogs.answers.append(Answer::Ok); // the failure
    press("cmdFinal");
    QCOMPARE(m_app->dialogs.shown.size(), 6);
    QVERIFY(m_app->dialogs.shown.last().prompt.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(text("txtRam"), QStringLiteral("384")); // the repair stays
    QVERIFY(!QFile::exists(path));
}

void tst_frmD3Tweak_actions::saveEditedWritesTheWholeEditBox()
{
    const QString typed = m_folder->filePath(QStringLiteral("edited.cfg"));
    const QString edited = QStringLiteral("seta com_videoRam 512 ") + QString(70000, u'y');
    find<QLineEdit>("txtTRam")->setText(edited);
    m_app->dialogs.answers = {Answer::Ok, Answer::Ok, Answer::Yes};
    m_app->dialogs.inputs = {typed};
    press("cmdSaveEdit");
    QCOMPARE(
        m_app->dialogs.prompts(),
        (QStringList{"You didn't specified your path",
                     "If you allready specified your path click no ,  else Yes ", "Yes or No?",
                     "Specify your path, example: c:\\Program Files\\doom 3\\base\\tweak.cfg"}));
    QCOMPARE(readAll(typed), edited.toLatin1() + lineEnd);
    QCOMPARE(text("txtPath"), QStringLiteral("Enter Path..."));
    QCOMPARE(text("txtTRam"), edited);

    // An empty edit box saves a single line end.
    find<QLineEdit>("txtTRam")->clear();
    find<QLineEdit>("txtPath")->setText(typed);
    m_app->dialogs.answers = {Answer::Ok, Answer::No};
    press("cmdSaveEdit");
    QCOMPARE(readAll(typed), lineEnd);
}

void tst_frmD3Tweak_actions::saveEditedAfterResetUsesTheResetSentenceAsPath()
{
    find<QRadioButton>("optAll")->setChecked(true);
    press("cmdEmpty");
    m_app->dialogs.answers = {Answer::Ok, Answer::No};
    press("cmdSaveEdit");
    QCOMPARE(m_app->dialogs.shown.size(), 2); // no warning for the reset's sentence
    QCOMPARE(
        readAll(m_folder->filePath(QStringLiteral("Enter path where you want to safe your file"))),
        QByteArray("Here will be your tweak pasted so you can edit him") + lineEnd);
}

void tst_frmD3Tweak_actions::debugExplainsTheStatusLabels_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("debug");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("both empty") << ""
                                << "" << QStringList{};
    QTest::newRow("after a full reset") << "No errors found"
                                        << "Looking for errors " << QStringList{};
    QTest::newRow("video memory and all clear")
        << "Error GPU "
        << "No error found" << QStringList{"NOT ENOUGH VIDEOMEMORY", "No error found "};
    QTest::newRow("memory and all clear")
        << "Error"
        << "No error found" << QStringList{" NOT ENOUGHT MEMORY ", "No error found "};
    QTest::newRow("both too small") << "BIG ERROR "
                                    << "" << QStringList{"NOT ENOUGH MEMORY AND VIDEO MEMORY"};
    QTest::newRow("all clear only") << ""
                                    << "No error found" << QStringList{"No error found "};
    QTest::newRow("code without its trailing blank") << "BIG ERROR"
                                                     << "" << QStringList{};
    QTest::newRow("code in other case") << "error gpu "
                                        << "no error found" << QStringList{};
    QTest::newRow("code with an extra blank") << "Error "
                                              << " No error found" << QStringList{};
    QTest::newRow("the all-clear code in the error label") << "No error found"
                                                           << "" << QStringList{};
}

void tst_frmD3Tweak_actions::debugExplainsTheStatusLabels()
{
    QFETCH(QString, error);
    QFETCH(QString, debug);
    QFETCH(QStringList, messages);
    find<QLabel>("lblError")->setText(error);
    find<QLabel>("lblDebug")->setText(debug);
    press("cmdDebug");
    QCOMPARE(m_app->dialogs.prompts(), messages);
    for (const auto& box : std::as_const(m_app->dialogs.shown)) {
        QCOMPARE(box.buttons, Buttons::Ok);
        QCOMPARE(box.title, QString());
    }
    QCOMPARE(caption("lblError"), error);
    QCOMPARE(caption("lblDebug"), debug);
}

void tst_frmD3Tweak_actions::fullReset_data()
{
    QTest::addColumn<QString>("selected"); // the class option selected before the reset
    QTest::newRow("no class option") << "";
    QTest::newRow("better than 9800 pro") << "optBest";
    QTest::newRow("between the two") << "optNBest";
}

void tst_frmD3Tweak_actions::fullReset()
{
    QFETCH(QString, selected);
    for (const QString& box : mainWindowCheckBoxes)
        tick(qPrintable(box));
    if (!selected.isEmpty())
        m_main->findChild<QRadioButton*>(selected)->setChecked(true);
    for (const char* box : {"txtRam", "txtVRam", "txtSText"})
        find<QLineEdit>(box)->setText(QStringLiteral("x"));
    find<QRadioButton>("optAll")->setChecked(true);

    press("cmdEmpty");

    for (const QString& box : mainWindowCheckBoxes) {
        const bool kept = QStringList{"chkA", "chkB", "chkC", "chkAti", "chkNv"}.contains(box);
        QVERIFY2(find<QCheckBox>(qPrintable(box))->isChecked() == kept, qPrintable(box));
    }
    QVERIFY(!find<QRadioButton>("optBest")->isChecked());
    QVERIFY(!find<QRadioButton>("optNBest")->isChecked());
    QVERIFY(find<QRadioButton>("optAll")->isChecked());
    QVERIFY(!find<QRadioButton>("optPre")->isChecked());
    QCOMPARE(text("txtRam"), QString());
    QCOMPARE(text("txtVRam"), QString());
    QCOMPARE(text("txtSText"), QStringLiteral("x"));
    QCOMPARE(text("txtTRam"), QStringLiteral("Here will be your tweak pasted so you can edit him"));
    QCOMPARE(text("txtPath"), QStringLiteral("Enter path where you want to safe your file"));
    QCOMPARE(caption("lblDebug"), QStringLiteral("Looking for errors "));
    QCOMPARE(caption("lblError"), QStringLiteral("No errors found"));
    QVERIFY(m_app->dialogs.shown.isEmpty());

    // The class options still work as a group afterwards.
    QTest::mouseClick(find<QRadioButton>("optBest"), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(find<QRadioButton>("optNBest"), Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(find<QRadioButton>("optNBest")->isChecked());
    QVERIFY(!find<QRadioButton>("optBest")->isChecked());
}

void tst_frmD3Tweak_actions::memoryClearOnly()
{
    tick("chkCache");
    find<QLineEdit>("txtRam")->setText(QStringLiteral("512"));
    find<QLineEdit>("txtVRam")->setText(QStringLiteral("128"));
    find<QLabel>("lblError")->setText(QStringLiteral("Error"));
    find<QRadioButton>("optPre")->setChecked(true);
    press("cmdEmpty");
    QCOMPARE(text("txtRam"), QString());
    QCOMPARE(text("txtVRam"), QString());
    QVERIFY(find<QCheckBox>("chkCache")->isChecked());
    QCOMPARE(caption("lblError"), QStringLiteral("Error"));
    QCOMPARE(text("txtPath"), QStringLiteral("Enter Path..."));
    QCOMPARE(text("txtTRam"), QStringLiteral("Here will come your tweak you want to edit..."));
}

void tst_frmD3Tweak_actions::emptyWithNoChoiceDoesNothing()
{
    tick("chkCache");
    find<QLineEdit>("txtRam")->setText(QStringLiteral("512"));
    press("cmdEmpty");
    QVERIFY(find<QCheckBox>("chkCache")->isChecked());
    QCOMPARE(text("txtRam"), QStringLiteral("512"));
    QCOMPARE(caption("lblDebug"), QString());
}

void tst_frmD3Tweak_actions::resetAfterBigErrorSilencesDebug()
{
    find<QLineEdit>("txtRam")->setText(QStringLiteral("64"));
    find<QLineEdit>("txtVRam")->setText(QStringLiteral("16"));
    scriptSafeToFile(false);
    press("cmdFinal");
    QCOMPARE(caption("lblError"), QStringLiteral("BIG ERROR "));

    find<QRadioButton>("optAll")->setChecked(true);
    press("cmdEmpty");
    m_app->dialogs.shown.clear();
    press("cmdDebug");
    QVERIFY(m_app->dialogs.shown.isEmpty());
}

void tst_frmD3Tweak_actions::clearPath()
{
    find<QRadioButton>("optAll")->setChecked(true);
    press("cmdEmpty");
    find<QLineEdit>("txtSText")->setText(QStringLiteral("/games/doom3/base/t.cfg"));
    find<QLabel>("lblError")->setText(QStringLiteral("Error"));
    press("cmdClearP");
    QCOMPARE(text("txtPath"), QStringLiteral("Enter Path..."));
    QCOMPARE(text("txtSText"), QStringLiteral("Enter Path..."));
    QCOMPARE(caption("lblError"), QStringLiteral("Error"));
    QCOMPARE(text("txtTRam"), QStringLiteral("Here will be your tweak pasted so you can edit him"));
    press("cmdClearP");
    QCOMPARE(text("txtPath"), QStringLiteral("Enter Path..."));
    QCOMPARE(text("txtSText"), QStringLiteral("Enter Path..."));
}

void tst_frmD3Tweak_actions::exitYesShutsDownOnce_data()
{
    QTest::addColumn<Answer>("secondBox");
    QTest::newRow("OK") << Answer::Ok;
    QTest::newRow("closed with Escape or the close box") << Answer::Cancel;
}

void tst_frmD3Tweak_actions::exitYesShutsDownOnce()
{
    QFETCH(Answer, secondBox);
    int shutdownsDuringSecondBox = -1;
    m_app->dialogs.onShow = [&](const auto&) { shutdownsDuringSecondBox = m_app->shutdown.calls; };
    m_app->dialogs.answers = {Answer::Yes, secondBox};
    press("cmdExit");
    QCOMPARE(m_app->dialogs.prompts(),
             (QStringList{"Quit windows or quit this program?",
                          " Afsluiten van Windows, ok om verder te gaan "}));
    QCOMPARE(m_app->dialogs.shown[0].buttons, Buttons::YesNoCancel);
    QCOMPARE(m_app->dialogs.shown[0].title, QStringLiteral("Tarvel's DOOM 3 TWEAK"));
    QCOMPARE(m_app->dialogs.shown[1].buttons, Buttons::Ok);
    QCOMPARE(m_app->dialogs.shown[1].title, QString());
    QCOMPARE(shutdownsDuringSecondBox, 0); // the announcement comes first
    QCOMPARE(m_app->shutdown.calls, 1);
    QCOMPARE(m_app->ends, 0);
}

void tst_frmD3Tweak_actions::exitNoEndsCancelDoesNothing_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("ends");
    QTest::newRow("No") << Answer::No << 1;
    QTest::newRow("Cancel") << Answer::Cancel << 0;
}

void tst_frmD3Tweak_actions::exitNoEndsCancelDoesNothing()
{
    QFETCH(Answer, answer);
    QFETCH(int, ends);
    m_app->dialogs.answers = {answer};
    press("cmdExit");
    QCOMPARE(m_app->dialogs.shown.size(), 1);
    QCOMPARE(m_app->shutdown.calls, 0);
    QCOMPARE(m_app->ends, ends);
    QCOMPARE(m_main->isVisible(), ends == 0);
}

void tst_frmD3Tweak_actions::aRefusedShutdownIsTold()
{
    m_app->shutdown.result = {false, QStringLiteral("Interactive authentication required.")};
    m_app->dialogs.answers = {Answer::Yes, Answer::Ok, Answer::Ok};
    press("cmdExit");
    QCOMPARE(m_app->shutdown.calls, 1);
    QCOMPARE(m_app->dialogs.shown.size(), 3);
    QVERIFY(m_app->dialogs.shown[2].prompt.contains(QStringLiteral("could not be shut down")));
    QVERIFY(m_app->dialogs.shown[2].prompt.contains(
        QStringLiteral("Interactive authentication required.")));
    QVERIFY(m_main->isVisible());
}

void tst_frmD3Tweak_actions::advancedScreenOpensTheEditor()
{
    press("cmdAd");
    QWidget* editor = m_app->forms.loaded(formnames::frmEdit);
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->parentWidget(), nullptr); // no owner window
    QVERIFY(m_main->isVisible());
}

QTEST_MAIN(tst_frmD3Tweak_actions)
#include "tst_frmD3Tweak_actions.moc"
