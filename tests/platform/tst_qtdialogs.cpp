#include "platform/qtdialogs.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quenzar;

Q_DECLARE_METATYPE(quenzar::Answer)
Q_DECLARE_METATYPE(quenzar::Buttons)

namespace {

// Runs `act` on the modal box as soon as it is open, the way a player would answer it.
void whenOpen(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start();
}

} // namespace

class tst_QtDialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxAsDesigned_data();
    void messageBoxAsDesigned();
    void keysAnswer_data();
    void keysAnswer();
    void inputBoxReturnsTypedTextOrNothing_data();
    void inputBoxReturnsTypedTextOrNothing();
};

void tst_QtDialogs::messageBoxAsDesigned_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QStringList>("buttonTexts");

    QTest::newRow("OK, application title") << Buttons::Ok << ""
                                           << "Quenzar" << QStringList{"OK"};
    QTest::newRow("Yes/No") << Buttons::YesNo << ""
                            << "Quenzar" << QStringList{"Yes", "No"};
    QTest::newRow("Yes/No/Cancel with its own title")
        << Buttons::YesNoCancel << "Tarvel's DOOM 3 TWEAK"
        << "Tarvel's DOOM 3 TWEAK" << QStringList{"Yes", "No", "Cancel"};
}

void tst_QtDialogs::messageBoxAsDesigned()
{
    QFETCH(Buttons, buttons);
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);
    QFETCH(QStringList, buttonTexts);

    const QString prompt = QStringLiteral(" Afsluiten van Windows, ok om verder te gaan ");
    bool looked = false;
    whenOpen([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        QVERIFY(box);
        looked = true;
        QCOMPARE(box->windowTitle(), shownTitle);
        QCOMPARE(box->text(), prompt); // blanks kept
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QStringList texts;
        for (QAbstractButton* b : box->findChild<QDialogButtonBox*>()->buttons())
            texts.append(b->text().remove(u'&'));
        for (const QString& text : buttonTexts)
            QVERIFY2(texts.contains(text), qPrintable(texts.join(u',')));
        QCOMPARE(texts.size(), buttonTexts.size());
        QCOMPARE(box->defaultButton()->text().remove(u'&'), buttonTexts.first());
        box->defaultButton()->click();
    });
    QtDialogs dialogs;
    const Answer answer = dialogs.message(prompt, buttons, title);
    QVERIFY(looked);
    QCOMPARE(answer, buttons == Buttons::Ok ? Answer::Ok : Answer::Yes);
}

void tst_QtDialogs::keysAnswer_data()
{
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<Answer>("answer");

    QTest::newRow("Enter answers Yes")
        << Buttons::YesNoCancel << int(Qt::Key_Return) << Answer::Yes;
    QTest::newRow("Escape on Yes/No/Cancel is Cancel")
        << Buttons::YesNoCancel << int(Qt::Key_Escape) << Answer::Cancel;
    QTest::newRow("Escape on an OK box is OK") << Buttons::Ok << int(Qt::Key_Escape) << Answer::Ok;
    QTest::newRow("Escape on Yes/No is No") << Buttons::YesNo << int(Qt::Key_Escape) << Answer::No;
}

void tst_QtDialogs::keysAnswer()
{
    QFETCH(Buttons, buttons);
    QFETCH(int, key);
    QFETCH(Answer, answer);
    whenOpen([key](QWidget* box) { QTest::keyClick(box, Qt::Key(key)); });
    QtDialogs dialogs;
    QCOMPARE(dialogs.message(QStringLiteral("Quit windows or quit this program?"), buttons),
             answer);
}

void tst_QtDialogs::inputBoxReturnsTypedTextOrNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("result");
    QTest::newRow("typed and OK") << "c:\\games\\doom 3\\base\\t.cfg" << true
                                  << "c:\\games\\doom 3\\base\\t.cfg";
    QTest::newRow("blanks kept") << "  t.cfg " << true << "  t.cfg ";
    QTest::newRow("cancelled gives the empty text") << "typed anyway" << false << "";
    QTest::newRow("a path longer than a line edit's usual limit")
        << QString(40000, u'p') << true << QString(40000, u'p');
}

void tst_QtDialogs::inputBoxReturnsTypedTextOrNothing()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);
    QFETCH(QString, result);
    const QString prompt =
        QStringLiteral("Specify your path, example: c:\\Program Files\\doom 3\\base\\tweak.cfg");
    whenOpen([&](QWidget* widget) {
        auto* dialog = qobject_cast<QInputDialog*>(widget);
        QVERIFY(dialog);
        QCOMPARE(dialog->labelText(), prompt);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quenzar"));
        auto* edit = dialog->findChild<QLineEdit*>();
        QCOMPARE(edit->text(), QString()); // no default text
        edit->setText(typed);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.input(prompt), result);
}

QTEST_MAIN(tst_QtDialogs)
#include "tst_qtdialogs.moc"
