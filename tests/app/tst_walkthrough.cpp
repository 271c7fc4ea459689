// A player's whole session through the real forms: welcome, main window, composing into the
// edit box and into a file, editing and saving, the list editor, and closing every window. It
// also runs under valgrind, so every path of the program's own code is checked for memory
// errors.
#include "forms/formnames.h"
#include "formsfixture.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quenzar;
using quenzar::testing::FormsFixture;

class tst_Walkthrough : public QObject
{
    Q_OBJECT

private slots:
    void aWholeSession();
};

void tst_Walkthrough::aWholeSession()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    FormsFixture app;
    auto& dialogs = app.dialogs;

    QWidget* welcome = app.forms.show(formnames::frmFirst);
    QTest::mouseMove(welcome, QPoint(30, 60));
    QCOMPARE(welcome->findChild<QLabel*>(QStringLiteral("ctrlCoordinateLabel"))->text(),
             QStringLiteral("Breedte = 450     Hoogte = 900"));
    welcome->findChild<QPushButton*>(QStringLiteral("cmdYes"))->click();
    QWidget* main = app.forms.loaded(formnames::frmD3Tweak);
    QVERIFY(main);
    const auto control = [main](const char* name) {
        return main->findChild<QWidget*>(QLatin1StringView(name));
    };
    const auto press = [&](const char* name) {
        qobject_cast<QPushButton*>(control(name))->click();
    };

    for (const char* box : {"chkCache", "chkEBoost", "chkNv", "chkB", "chkBoost"})
        qobject_cast<QCheckBox*>(control(box))->setChecked(true);
    qobject_cast<QRadioButton*>(control("optNBest"))->setChecked(true);
    qobject_cast<QLineEdit*>(control("txtRam"))->setText(QStringLiteral("768"));
    qobject_cast<QLineEdit*>(control("txtVRam"))->setText(QStringLiteral("128"));

    // Into the edit box first, then edited and saved at a typed path.
    dialogs.answers = {Answer::Ok, Answer::Ok, Answer::No, Answer::Ok, Answer::No};
    press("cmdFinal");
    auto* editBox = qobject_cast<QLineEdit*>(control("txtTRam"));
    QVERIFY(editBox->text().startsWith(QStringLiteral(" seta cm_backFaceCull (1)")));
    QVERIFY(editBox->text().contains(QStringLiteral(" image_lodbias -1 ")));
    editBox->setText(editBox->text() + QStringLiteral(" seta r_gamma 1.2"));
    const QString edited = folder.filePath(QStringLiteral("edited.cfg"));
    dialogs.answers = {Answer::Ok, Answer::Ok, Answer::Yes};
    dialogs.inputs = {edited};
    press("cmdSaveEdit");
    QFile editedFile(edited);
    QVERIFY(editedFile.open(QIODevice::ReadOnly));
    QVERIFY(editedFile.readAll().trimmed().endsWith("seta r_gamma 1.2"));

    // Then straight to a file.
    const QString direct = folder.filePath(QStringLiteral("tweak.cfg"));
    qobject_cast<QLineEdit*>(control("txtSText"))->setText(direct);
    dialogs.answers = {Answer::Ok, Answer::Ok, Answer::No, Answer::Ok, Answer::Yes};
    press("cmdFinal");
    QFile tweakFile(direct);
    QVERIFY(tweakFile.open(QIODevice::ReadOnly));
    QVERIFY(tweakFile.readAll().startsWith("r_useDepthBoundsTest (1) seta r_multiSamples (0)"));

    dialogs.answers = {Answer::Ok};
    const qsizetype before = dialogs.shown.size();
    press("cmdDebug");
    QCOMPARE(dialogs.shown.size(), before + 1);
    QCOMPARE(dialogs.prompts().last(), QStringLiteral("No error found "));

    press("cmdAd");
    QWidget* editor = app.forms.loaded(formnames::frmEdit);
    QVERIFY(editor);
    editor->findChild<QPushButton*>(QStringLiteral("ctrlAddButton"))->click();
    editor->findChild<QPushButton*>(QStringLiteral("ctrlAddButton"))->click();
    editor->findChild<QPushButton*>(QStringLiteral("ctrldeleteButton"))->click();
    QCOMPARE(editor->findChild<QListWidget*>(QStringLiteral("ctrlListBox1"))->count(), 1);

    qobject_cast<QRadioButton*>(control("optAll"))->setChecked(true);
    press("cmdEmpty");
    press("cmdClearP");
    QCOMPARE(qobject_cast<QLineEdit*>(control("txtSText"))->text(),
             QStringLiteral("Enter Path..."));

    // Closing every window unloads every form.
    QVERIFY(editor->close());
    QVERIFY(main->close());
    QVERIFY(welcome->close());
    FormsFixture::settle();
    QVERIFY(!app.forms.loaded(formnames::frmFirst));
    QVERIFY(!app.forms.loaded(formnames::frmD3Tweak));
    QVERIFY(!app.forms.loaded(formnames::frmEdit));
    QCOMPARE(dialogs.unscripted, 0);
}

QTEST_MAIN(tst_Walkthrough)
#include "tst_walkthrough.moc"
