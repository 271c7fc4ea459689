#pragma once

#include <QString>

class QWidget;

namespace quenzar::gamesetup {

// The file dialogs and the message box the game setup window opens. The window talks to this
// interface only, so that tests can choose files and folders and read what would be shown.
class SetupDialogs
{
public:
    virtual ~SetupDialogs() = default;

    // Each returns the chosen path, or the empty text when the player cancels.
    virtual QString chooseTweak(QWidget* parent) = 0;
    virtual QString chooseGameFolder(QWidget* parent) = 0;
    virtual QString chooseSaveFile(QWidget* parent, const QString& suggested) = 0;

    virtual void showFailure(QWidget* parent, const QString& text) = 0;
};

// The desktop's own dialogs.
class QtSetupDialogs final : public SetupDialogs
{
public:
    QString chooseTweak(QWidget* parent) override;
    QString chooseGameFolder(QWidget* parent) override;
    QString chooseSaveFile(QWidget* parent, const QString& suggested) override;
    void showFailure(QWidget* parent, const QString& text) override;
};

} // namespace quenzar::gamesetup
