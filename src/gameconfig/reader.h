#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Reads a tweak as players write them: assignments one after another, with or without commas,
// blanks or anything at all between them, over one line or several.
namespace quenzar::gameconfig {

struct Assignment
{
    QString name;  // as written
    QString value; // without its parentheses or quotes
    int line = 0;  // where the name starts, counted from 1
    int column = 0;
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

// An assignment is an optional set, seta, sets or setu, a name, an optional `=` and a value:
// a number or a word, bare, in parentheses or in quotes. `//` starts a comment that runs to
// the end of the line. What cannot be read is skipped with a warning, and reading goes on
// with the next assignment.
ReadTweak readTweak(QStringView text);

} // namespace quenzar::gameconfig
