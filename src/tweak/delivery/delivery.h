#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace quenzar {
class Dialogs;
}

namespace quenzar::delivery {

// Where "Safe to File" sends the tweak, and the path of that one save.
struct DeliveryChoice
{
    enum class Destination
    {
        File,   // write the file text to `path`
        EditBox // put the edit text into the edit box; `path` is not used
    };
    Destination destination = Destination::EditBox;
    QString path;
};

// What the dialogues take from the window that asks: the text its path boxes hold while no path
// is given, and the title of its questions.
struct WindowTexts
{
    QStringView pathPlaceholder;
    QStringView questionTitle;
};

// The dialogue of "Safe to File": starting from the path box's text, settles the working path
// (typed anew on request, never written back) and whether the tweak goes to a file or to the
// edit box.
DeliveryChoice askDelivery(Dialogs& dialogs, const QString& pathBoxText, const WindowTexts& window);

// The dialogue of saving an edited tweak: settles the working path from the path box's text or
// a typed one.
QString askEditedTweakPath(Dialogs& dialogs, const QString& pathBoxText, const WindowTexts& window);

// A tweak file's bytes: the text as UTF-8 and one line end, nothing more.
QByteArray tweakFileBytes(const QString& text);

// Writes a tweak file at `path`, used exactly as given. When that fails the player is told
// which path and why, and false is returned; success is not announced.
bool writeTweakFile(Dialogs& dialogs, const QString& path, const QString& text);

} // namespace quenzar::delivery
