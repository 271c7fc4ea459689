#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Reads a tweak as players write them: assignments one after another, with or without commas,
// blanks or anything at all between them, over one line or several.
namespace quenzar::gameconfig {

struct Setting;

struct Assignment
{
    QString name;  // as written
    QString value; // without its parentheses or quotes
    int line = 0;  // where the name starts, counted from 1
    int column = 0;
    const Setting* setting = nullptr; // the game's setting of that name, if it has one
};

struct ReadWarning
{
    int line = 0;
    int column = 0; // where reading stopped, counted from 1
    QString message;
};

struct ReadTweak
{
    std::vector<Assignment> assignments;
    std::vector<ReadWarning> warnings;
};

// The text is split into commands and words as the game splits a .cfg file: a command ends at a
// line end or at `;` outside quotes; names, numbers, quoted texts and punctuation are the
// engine lexer's, `- 1` is the number -1, and `//` and `/* */` are comments (a `//` comment
// runs to the end of the line, as the player means it). An assignment is an optional set, seta,
// sets, setu or sett, a name, an optional `=` and a value: a number, a quoted text, or a word
// (several tokens written together, such as GL_BI-LINEAR), bare or in parentheses. A known
// setting's name is never taken as a value. What cannot be read is skipped with a warning,
// and reading goes on at the next name that starts an assignment.
ReadTweak readTweak(QStringView text);

} // namespace quenzar::gameconfig
