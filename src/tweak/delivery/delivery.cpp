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

// A path quoted in a message box: a very long one loses its middle, so that the box still fits
// on the screen with its OK button.
QString quotedPath(const QString& path)
{
    constexpr qsizetype longest = 200;
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() <= longest)
        return native;
    qsizetype head = longest / 2;
    qsizetype tail = longest - head - 1;
    if (native.at(head - 1).isHighSurrogate())
        --head;
    if (native.at(native.size() - tail).isLowSurrogate())
        --tail;
    return native.left(head) + QChar(0x2026) + native.right(tail);
}

} // namespace

DeliveryChoice askDelivery(Dialogs& dialogs, const QString& pathBoxText, const WindowTexts& window)
{
    dialogs.message(pathBoxText == window.pathPlaceholder ? noPathWarning : QStringLiteral("ok!"),
                    Buttons::Ok);
    dialogs.message(QStringLiteral("If you allready specified your path click no else Yes "),
                    Buttons::Ok);
    DeliveryChoice choice;
    choice.path = askForPath(dialogs, pathBoxText);
    dialogs.message(QStringLiteral("Click yes to safe to file, click No to add the text in the "
                                   "textboxes, and after editing saving it to a file"),
                    Buttons::Ok);
    const Answer answer = dialogs.message(QStringLiteral("Safe to file or add to the textboxes"),
                                          Buttons::YesNo, window.questionTitle.toString());
    choice.destination = answer == Answer::Yes ? DeliveryChoice::Destination::File
                                               : DeliveryChoice::Destination::EditBox;
    return choice;
}

QString askEditedTweakPath(Dialogs& dialogs, const QString& pathBoxText, const WindowTexts& window)
{
    if (pathBoxText == window.pathPlaceholder)
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
            .arg(quotedPath(path), *failure),
        Buttons::Ok);
    return false;
}

} // namespace quenzar::delivery
