#include "gamesetup/gamesetup.h"

#include "gamesetup/gamesetupwindow.h"
#include "gamesetup/setupdialogs.h"

#include <QApplication>
#include <QCommandLineParser>

namespace quenzar::gamesetup {

std::optional<QString> requestedSetup(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption setup(QStringLiteral("game-setup"));
    parser.addOption(setup);
    parser.parse(arguments);
    if (!parser.isSet(setup))
        return std::nullopt;
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}

int runGameSetup(const QString& tweakFile)
{
    QApplication::setApplicationName(QStringLiteral("Quenzar"));
    // Lets the desktop match the window to its own entry in the menu.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.quenzar.Quenzar.GameSetup"));
    QtSetupDialogs dialogs;
    GameSetupWindow window(dialogs, Environment::current());
    QObject::connect(&window, &QDialog::finished, qApp, &QCoreApplication::quit);
    // Read before the window is first laid out, so that it is laid out once.
    if (!tweakFile.isEmpty())
        window.openTweak(tweakFile);
    window.show();
    return QApplication::exec();
}

} // namespace quenzar::gamesetup
