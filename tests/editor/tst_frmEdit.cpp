#include "forms/formnames.h"
#include "formsfixture.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace quenzar;
using quenzar::testing::FormsFixture;

class tst_frmEdit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensEmptyWithDeleteDisabled();
    void addAppendsWhateverTheBoxHolds_data();
    void addAppendsWhateverTheBoxHolds();
    void deleteRemovesTheLastItemWhateverIsSelected();
    void deletingTheOnlyItemDisablesDelete();
    void clearEmptiesOnlyTheTextBox();
    void reopeningKeepsItemsClosingLosesThem();
    void aFullListRefusesMoreWithoutLosingAny();

private:
    void open();
    void add(const QString& text)
    {
        m_text->setText(text);
        m_add->click();
    }
    QStringList items() const
    {
        QStringList result;
        for (int i = 0; i < m_list->count(); ++i)
            result.append(m_list->item(i)->text());
        return result;
    }

    FormsFixture* m_app = nullptr;
    QWidget* m_edit = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_text = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_clear = nullptr;
};

void tst_frmEdit::init()
{
    m_app = new FormsFixture;
    m_app->forms.show(formnames::frmD3Tweak);
    open();
}

void tst_frmEdit::cleanup()
{
    delete m_app;
    m_app = nullptr;
    FormsFixture::settle();
}

void tst_frmEdit::open()
{
    m_app->forms.loaded(formnames::frmD3Tweak)
        ->findChild<QPushButton*>(QStringLiteral("cmdAd"))
        ->click();
    m_edit = m_app->forms.loaded(formnames::frmEdit);
    QVERIFY(m_edit);
    m_list = m_edit->findChild<QListWidget*>(QStringLiteral("ctrlListBox1"));
    m_text = m_edit->findChild<QLineEdit*>(QStringLiteral("ctrlTextBox1"));
    m_add = m_edit->findChild<QPushButton*>(QStringLiteral("ctrlAddButton"));
    m_delete = m_edit->findChild<QPushButton*>(QStringLiteral("ctrldeleteButton"));
    m_clear = m_edit->findChild<QPushButton*>(QStringLiteral("cmdClear"));
    QVERIFY(m_list && m_text && m_add && m_delete && m_clear);
}

void tst_frmEdit::opensEmptyWithDeleteDisabled()
{
    QVERIFY(m_edit->isVisible());
    QCOMPARE(m_edit->objectName(), QStringLiteral("frmEdit"));
    QCOMPARE(m_edit->size(), QSize(588, 458));
    QCOMPARE(m_text->text(), QStringLiteral("Text1"));
    QCOMPARE(m_list->count(), 0);
    QVERIFY(!m_delete->isEnabled());
    QVERIFY(m_add->isEnabled() && m_clear->isEnabled());
    QCOMPARE(m_delete->toolTip(), QStringLiteral("Deletes the "));
    QCOMPARE(m_list->geometry(), QRect(176, 24, 401, 407));
    QCOMPARE(m_list->selectionMode(), QAbstractItemView::SingleSelection);
    // Screen readers name the box after the label above it.
    QCOMPARE(QAccessible::queryAccessibleInterface(m_text)->text(QAccessible::Name),
             QStringLiteral("Text to add"));
    // The list has the focus first; Tab then runs Add, the text box, Delete (when enabled),
    // Clear.
    QVERIFY(QTest::qWaitForWindowActive(m_edit));
    QCOMPARE(QApplication::focusWidget(), m_list);
    QTest::keyClick(m_list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_add);
    QTest::keyClick(m_add, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_text);
    QTest::keyClick(m_text, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_clear);
}

void tst_frmEdit::addAppendsWhateverTheBoxHolds_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::newRow("the first text") << QStringList{"Text1"};
    QTest::newRow("an empty text adds an empty item") << QStringList{""};
    QTest::newRow("the same text twice") << QStringList{"seta r_gamma 1", "seta r_gamma 1"};
    QTest::newRow("blanks are kept") << QStringList{"  a  ", "b "};
}

void tst_frmEdit::addAppendsWhateverTheBoxHolds()
{
    QFETCH(QStringList, added);
    for (const QString& text : added)
        add(text);
    QCOMPARE(items(), added);
    QCOMPARE(m_text->text(), added.last()); // Add does not empty the box
    QVERIFY(m_delete->isEnabled());
    QCOMPARE(m_list->currentRow(), -1); // nor does it select anything
}

void tst_frmEdit::deleteRemovesTheLastItemWhateverIsSelected()
{
    add(QStringLiteral("one"));
    add(QStringLiteral("two"));
    add(QStringLiteral("three"));
    m_list->setCurrentRow(0);
    m_delete->click();
    QCOMPARE(items(), (QStringList{"one", "two"}));
    QVERIFY(m_delete->isEnabled());
}

void tst_frmEdit::deletingTheOnlyItemDisablesDelete()
{
    add(QStringLiteral("only"));
    m_delete->click();
    QCOMPARE(m_list->count(), 0);
    QVERIFY(!m_delete->isEnabled());
    add(QStringLiteral("again"));
    QVERIFY(m_delete->isEnabled());
}

void tst_frmEdit::clearEmptiesOnlyTheTextBox()
{
    add(QStringLiteral("kept"));
    m_clear->click();
    QCOMPARE(m_text->text(), QString());
    QCOMPARE(items(), QStringList{"kept"});
    QVERIFY(m_delete->isEnabled());
}

void tst_frmEdit::reopeningKeepsItemsClosingLosesThem()
{
    add(QStringLiteral("line"));
    m_text->setText(QStringLiteral("typed"));
    QWidget* first = m_edit;
    open();
    QCOMPARE(m_edit, first);
    QCOMPARE(items(), QStringList{"line"});
    QCOMPARE(m_text->text(), QStringLiteral("typed"));

    QPointer<QWidget> closed = m_edit;
    QVERIFY(m_edit->close());
    FormsFixture::settle();
    QVERIFY(closed.isNull());
    QVERIFY(m_app->forms.loaded(formnames::frmD3Tweak)->isVisible());

    open();
    QCOMPARE(m_list->count(), 0);
    QCOMPARE(m_text->text(), QStringLiteral("Text1"));
    QVERIFY(!m_delete->isEnabled());
}

void tst_frmEdit::aFullListRefusesMoreWithoutLosingAny()
{
    QStringList many;
    many.reserve(frmEdit::maxItems - 1);
    for (int i = 0; i < frmEdit::maxItems - 1; ++i)
        many.append(QString::number(i));
    m_list->addItems(many);
    add(QStringLiteral("last that fits"));
    QCOMPARE(m_list->count(), 32767);
    QVERIFY(m_app->dialogs.shown.isEmpty());

    add(QStringLiteral("one too many"));
    QCOMPARE(m_list->count(), 32767);
    QCOMPARE(m_list->item(32766)->text(), QStringLiteral("last that fits"));
    QCOMPARE(m_list->item(0)->text(), QStringLiteral("0"));
    QCOMPARE(m_app->dialogs.shown.size(), 1);
    QCOMPARE(m_app->dialogs.shown.first().buttons, Buttons::Ok);
    QVERIFY(m_app->dialogs.shown.first().prompt.contains(QStringLiteral("32,767")));

    // Delete still takes the last one, and then there is room again.
    m_delete->click();
    add(QStringLiteral("fits again"));
    QCOMPARE(m_list->count(), 32767);
    QCOMPARE(m_list->item(32766)->text(), QStringLiteral("fits again"));
    QCOMPARE(m_app->dialogs.shown.size(), 1);
}

QTEST_MAIN(tst_frmEdit)
#include "tst_frmEdit.moc"
