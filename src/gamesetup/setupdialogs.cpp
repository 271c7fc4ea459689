#include "gamesetup/setupdialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace quenzar::gamesetup {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("quenzar", text);
}

QString tweakFilter()
{
    return tr("Doom 3 tweaks (*.cfg);;All files (*)");
}

} // namespace

QString QtSetupDialogs::chooseTweak(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, tr("Open a Tweak"), QString(), tweakFilter());
}

QString QtSetupDialogs::chooseGameFolder(QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, tr("Add a Game Folder"));
}

QString QtSetupDialogs::chooseSaveFile(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, tr("Save the Game-Ready Form"), suggested,
                                        tweakFilter());
}

void QtSetupDialogs::showFailure(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, tr("Quenzar Game Setup"), text);
}

} // namespace quenzar::gamesetup
