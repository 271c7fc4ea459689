#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <limits>

namespace quenzar {

Answer QtDialogs::message(const QString& prompt, Buttons buttons, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(title.isEmpty() ? applicationTitle : title);
    box.setText(prompt);

    QPushButton* first = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        first = box.addButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        first = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        first = box.addButton(QMessageBox::Yes);
        box.addButton(QMessageBox::No);
        box.addButton(QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(first);
    box.exec();

    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // A box that only says OK answers OK however it was closed.
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

QString QtDialogs::input(const QString& prompt)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(applicationTitle);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    // A path may be as long as the player likes.
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(std::numeric_limits<int>::max());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace quenzar
