#include "forms/formnames.h"
#include "formsfixture.h"
#include "mousemoves.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quenzar;
using quenzar::testing::FormsFixture;

class tst_frmFirst : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsItsDesign_data();
    void showsItsDesign();
    void screenReadersKnowEachForm_data();
    void screenReadersKnowEachForm();
    void startsWithFocusOnYes();
    void enterAndAccessKeyPressYes_data();
    void enterAndAccessKeyPressYes();
    void yesTwiceKeepsOneMainWindow();
    void yesAfterClosingReopensAFreshMainWindow();
    void noEndsEverythingAtOnce();
    void escapeNeverCloses();
    void readoutStartsEmptyAndReadsTwips();
    void readoutIgnoresMovesOverControls_data();
    void readoutIgnoresMovesOverControls();

private:
    frmFirst* showWelcome();

    FormsFixture* m_app = nullptr;
};

void tst_frmFirst::init()
{
    m_app = new FormsFixture;
}

void tst_frmFirst::cleanup()
{
    delete m_app;
    m_app = nullptr;
    FormsFixture::settle();
}

frmFirst* tst_frmFirst::showWelcome()
{
    auto* form = qobject_cast<frmFirst*>(m_app->forms.show(formnames::frmFirst));
    if (!QTest::qWaitForWindowActive(form))
        qWarning("the welcome dialog never became active");
    return form;
}

void tst_frmFirst::showsItsDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("title") << "lblName" << QString::fromUtf8("Quenzar DOOM³ FPS BOOST!")
                           << QPoint(8, 8);
    QTest::newRow("version line") << "Label1"
                                  << "Doom 3 tweak V2.3" << QPoint(8, 136);
    QTest::newRow("author") << "Label2"
                            << "Author : Tarvel..." << QPoint(8, 168);
    QTest::newRow("version") << "Label3"
                             << "Version: 2.3" << QPoint(8, 200);
    QTest::newRow("systems") << "Label4"
                             << "Windows Xp/NT/98se" << QPoint(8, 232);
    QTest::newRow("question") << "Label6"
                              << "Have you read the readme.txt File?" << QPoint(80, 72);
    QTest::newRow("yes") << "cmdYes"
                         << "&Yes" << QPoint(192, 192);
    QTest::newRow("no") << "cmdNo"
                        << "&No" << QPoint(344, 192);
    QTest::newRow("readout") << "ctrlCoordinateLabel"
                             << "" << QPoint(248, 264);
}

void tst_frmFirst::showsItsDesign()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QPoint, topLeft);

    frmFirst* form = showWelcome();
    QCOMPARE(form->objectName(), QStringLiteral("frmFirst"));
    QCOMPARE(form->size(), QSize(487, 297));
    QCOMPARE(form->palette().color(QPalette::Window), QColor(0, 0, 0));

    QWidget* control = form->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), form);
    QCOMPARE(control->pos(), topLeft);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
    else
        QCOMPARE(qobject_cast<QPushButton*>(control)->text(), caption);
    // Nothing the dialog shows is cut off at its right edge.
    QVERIFY2(control->geometry().right() < form->width(), qPrintable(name));

    const auto* email = form->findChild<QLabel*>(QStringLiteral("Label5"));
    QVERIFY(email->text().startsWith(QStringLiteral("E-mail :")));
    QVERIFY(email->text().size() > 8 && email->text().at(8) != u' ');
}

void tst_frmFirst::screenReadersKnowEachForm_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("welcome dialog asks its question")
        << formnames::frmFirst.toString() << int(QAccessible::Dialog)
        << "FIRST READ THE README FILE!"
        << "Have you read the readme.txt File?";
    QTest::newRow("main window") << formnames::frmD3Tweak.toString() << int(QAccessible::Window)
                                 << "Tarvel's Doom III Performance Tweak!"
                                 << "";
    QTest::newRow("edit dialog") << formnames::frmEdit.toString() << int(QAccessible::Window)
                                 << "Edit your tweak and save it."
                                 << "";
}

// The one place where each form's title is checked; screen readers announce it as its name.
void tst_frmFirst::screenReadersKnowEachForm()
{
    QFETCH(QString, form);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget* window = m_app->forms.show(form);
    QCOMPARE(window->windowTitle(), name);
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(window);
    QVERIFY(shown);
    QCOMPARE(int(shown->role()), role);
    QCOMPARE(shown->text(QAccessible::Name), name);
    QCOMPARE(shown->text(QAccessible::Description), description);

    // Every control Tab reaches is announced by a name of its own.
    QStringList names;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->focusPolicy() & Qt::TabFocus)
            names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    }
    QVERIFY(names.size() > 1);
    QVERIFY2(!names.contains(QString()), qPrintable(names.join(u'|')));
    QStringList distinct = names;
    distinct.removeDuplicates();
    QCOMPARE(names, distinct);
}

void tst_frmFirst::startsWithFocusOnYes()
{
    frmFirst* form = showWelcome();
    QCOMPARE(QApplication::focusWidget(), form->findChild<QPushButton*>(QStringLiteral("cmdYes")));
    // Labels take no focus: Tab goes from Yes to No and back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdNo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdYes"));
}

void tst_frmFirst::enterAndAccessKeyPressYes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter as soon as it opens") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Alt+Y") << int(Qt::Key_Y) << int(Qt::AltModifier);
}

void tst_frmFirst::enterAndAccessKeyPressYes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    showWelcome();
    QVERIFY(!m_app->forms.loaded(formnames::frmD3Tweak));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(m_app->forms.loaded(formnames::frmD3Tweak));
    QVERIFY(m_app->forms.loaded(formnames::frmD3Tweak)->isVisible());
    QVERIFY(m_app->forms.loaded(formnames::frmFirst)->isVisible());
    QCOMPARE(m_app->ends, 0);
}

void tst_frmFirst::yesTwiceKeepsOneMainWindow()
{
    frmFirst* form = showWelcome();
    auto* yes = form->findChild<QPushButton*>(QStringLiteral("cmdYes"));
    yes->click();
    QWidget* main = m_app->forms.loaded(formnames::frmD3Tweak);
    QVERIFY(main && main->isVisible());
    yes->click();
    QCOMPARE(m_app->forms.loaded(formnames::frmD3Tweak), main);

    int mainWindows = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        mainWindows += w->objectName() == QStringLiteral("frmD3Tweak") ? 1 : 0;
    QCOMPARE(mainWindows, 1);
    QVERIFY(form->isVisible());
}

void tst_frmFirst::yesAfterClosingReopensAFreshMainWindow()
{
    frmFirst* form = showWelcome();
    auto* yes = form->findChild<QPushButton*>(QStringLiteral("cmdYes"));
    yes->click();
    QPointer<QWidget> first = m_app->forms.loaded(formnames::frmD3Tweak);
    first->findChild<QLineEdit*>(QStringLiteral("txtRam"))->setText(QStringLiteral("1024"));

    QVERIFY(first->close());
    FormsFixture::settle();
    QVERIFY(first.isNull());
    QVERIFY(!m_app->forms.loaded(formnames::frmD3Tweak));
    QVERIFY(form->isVisible());

    yes->click();
    QWidget* second = m_app->forms.loaded(formnames::frmD3Tweak);
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->findChild<QLineEdit*>(QStringLiteral("txtRam"))->text(), QString());
}

void tst_frmFirst::noEndsEverythingAtOnce()
{
    frmFirst* form = showWelcome();
    form->findChild<QPushButton*>(QStringLiteral("cmdYes"))->click();
    m_app->forms.show(formnames::frmEdit);
    QPointer<QWidget> welcome = form;
    QPointer<QWidget> main = m_app->forms.loaded(formnames::frmD3Tweak);
    QPointer<QWidget> edit = m_app->forms.loaded(formnames::frmEdit);

    form->findChild<QPushButton*>(QStringLiteral("cmdNo"))->click();
    QCOMPARE(m_app->ends, 1);
    QVERIFY(m_app->dialogs.shown.isEmpty()); // nothing is asked
    QVERIFY(!welcome->isVisible() && !main->isVisible() && !edit->isVisible());
    QVERIFY(!m_app->forms.loaded(formnames::frmFirst));
    QVERIFY(!m_app->forms.loaded(formnames::frmD3Tweak));
    QVERIFY(!m_app->forms.loaded(formnames::frmEdit));
    FormsFixture::settle();
    QVERIFY(welcome.isNull() && main.isNull() && edit.isNull());
}

void tst_frmFirst::escapeNeverCloses()
{
    frmFirst* form = showWelcome();
    QTest::keyClick(form, Qt::Key_Escape);
    QVERIFY(form->isVisible());
    QCOMPARE(m_app->ends, 0);
}

void tst_frmFirst::readoutStartsEmptyAndReadsTwips()
{
    frmFirst* form = showWelcome();
    auto* readout = form->findChild<QLabel*>(QStringLiteral("ctrlCoordinateLabel"));
    QCOMPARE(readout->text(), QString());

    QTest::mouseMove(form, QPoint(65, 60));
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 975     Hoogte = 900"));
    const int widthAfterLongText = readout->width();
    quenzar::testing::moveToCorner(form);
    QCOMPARE(readout->text(), QStringLiteral("Breedte = 0     Hoogte = 0"));
    // The label fits itself to each new caption.
    QVERIFY(readout->width() < widthAfterLongText);
    QCOMPARE(readout->pos(), QPoint(248, 264));
}

void tst_frmFirst::readoutIgnoresMovesOverControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("the question") << "Label6";
    QTest::newRow("the title") << "lblName";
    QTest::newRow("a small label") << "Label3";
    QTest::newRow("Yes") << "cmdYes";
    QTest::newRow("No") << "cmdNo";
}

void tst_frmFirst::readoutIgnoresMovesOverControls()
{
    QFETCH(QString, control);
    frmFirst* form = showWelcome();
    auto* readout = form->findChild<QLabel*>(QStringLiteral("ctrlCoordinateLabel"));
    QTest::mouseMove(form, QPoint(2, 290));
    const QString before = readout->text();
    QCOMPARE(before, QStringLiteral("Breedte = 30     Hoogte = 4350"));

    QWidget* target = form->findChild<QWidget*>(control);
    QTest::mouseMove(target, QPoint(3, 3));
    QCOMPARE(readout->text(), before);
}

QTEST_MAIN(tst_frmFirst)
#include "tst_frmFirst.moc"
