#include "tweak/delivery/delivery.h"

#include "platform/dialogs.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>

namespace quenzar::delivery {

namespace {

const QString noPathWarning = QStringLiteral("You didn't specified your path");
const QString yesOrNo = QStringLiteral("Yes or No?");
const QString pathPrompt =
    QStringLiteral("Specify your path, example: c:\\Program Files\\doom 3\\base\\tweak.cfg");

// Yes asks for a new path; No keeps the one from the path box, whatever it is.
QString askForPath(Dialogs& dialogs, const QString& pathBoxText)
{
    if (dialogs.message(yesOrNo, Buttons::YesNo) == Answer::Yes)
        return dialogs.input(pathPrompt);
    return pathBoxText;
}

} // namespace

DeliveryChoice askDelivery(Dialogs& dialogs, const QString& pathBoxText)
{
    dialogs.message(pathBoxText == pathPlaceholder ? noPathWarning : QStringLiteral("ok!"),
                    Buttons::Ok);
    dialogs.message(QStringLiteral("If you allready specified your path click no else Yes "),
                    Buttons::Ok);
    DeliveryChoice choice;
    choice.path = askForPath(dialogs, pathBoxText);
    dialogs.message(QStringLiteral("Click yes to safe to file, click No to add the text in the "
                                   "textboxes, and after editing saving it to a file"),
                    Buttons::Ok);
    const Answer answer = dialogs.message(QStringLiteral("Safe to file or add to the textboxes"),
                                          Buttons::YesNo, QStringLiteral("Tarvel's DOOM 3 TWEAK"));
    choice.destination = answer == Answer::Yes ? DeliveryChoice::Destination::File
                                               : DeliveryChoice::Destination::EditBox;
    return choice;
}

QString askEditedTweakPath(Dialogs& dialogs, const QString& pathBoxText)
{
    if (pathBoxText == pathPlaceholder)
        dialogs.message(noPathWarning, Buttons::Ok);
    dialogs.message(QStringLiteral("If you allready specified your path click no ,  else Yes "),
                    Buttons::Ok);
    return askForPath(dialogs, pathBoxText);
}

QByteArray tweakFileBytes(const QString& text)
{
#ifdef Q_OS_WIN
    constexpr char lineEnd[] = "\r\n";
#else
    constexpr char lineEnd[] = "\n";
#endif
    QByteArray bytes = text.toUtf8();
    bytes.append(lineEnd);
    return bytes;
}

bool writeTweakFile(Dialogs& dialogs, const QString& path, const QString& text)
{
    const auto failure = writeFileWhole(path, tweakFileBytes(text));
    if (!failure)
        return true;
    dialogs.message(
        QCoreApplication::translate("quenzar", "The tweak could not be saved to \"%1\".\n\n%2")
            .arg(QDir::toNativeSeparators(path), *failure),
        Buttons::Ok);
    return false;
}

} // namespace quenzar::delivery
