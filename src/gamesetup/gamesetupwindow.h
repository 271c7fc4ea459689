#pragma once

#include "gamesetup/gamefacts.h"

#include <QDialog>
#include <QTimer>

#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTreeWidget;

namespace quenzar::gamesetup {

class SetupDialogs;

// A window of the desktop's own kind, beside the designed ones: reads a tweak, shows what the
// game will set from it and what is left out, and installs its game-ready form into the game's
// folders, removes it again, or saves it as a file.
class GameSetupWindow final : public QDialog
{
    Q_OBJECT

public:
    GameSetupWindow(SetupDialogs& dialogs, const Environment& environment,
                    QWidget* parent = nullptr);

    // Reads the tweak in the file at `path` into the edit area; a file that cannot be read is
    // told with its path and the reason.
    void openTweak(const QString& path);

    // The tweak as read from the edit area now, without waiting for the typing to pause.
    const Conversion& conversion();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void showFolders(const std::vector<GameFolder>& found);
    void addFolder(const GameFolder& folder, bool ticked);
    void foldersChanged();
    std::vector<GameFolder> tickedFolders() const;
    unsigned tickedBuilds() const;
    QString source() const;
    void textEdited();
    void refresh();
    void updateButtons();

    void chooseTweak();
    void chooseFolder();
    void installTicked();
    void removeTicked();
    void saveAs();
    void report(const QString& done, const std::vector<FolderOutcome>& outcomes);
    void setSummary(const QString& text);
    void showFailure(const QString& text);

    SetupDialogs& m_dialogs;
    QString m_file;         // the file the text came from
    bool m_edited = false;  // the text has changed since it was read from m_file
    bool m_loading = false; // the text is being replaced by a file's
    QTimer m_pause;         // re-reads the tweak once typing pauses
    bool m_stale = true;
    Conversion m_conversion;
    QString m_failureOnShow;               // a failure met before the window was shown
    std::vector<GameFolder> m_gameFolders; // every folder listed, in the list's order

    QPlainTextEdit* m_tweak = nullptr;
    QLabel* m_count = nullptr;
    QTableWidget* m_settings = nullptr;
    QListWidget* m_leftOut = nullptr;
    QTreeWidget* m_folders = nullptr;
    QLabel* m_noFolder = nullptr; // how to go on when no game folder was found
    QPushButton* m_install = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_saveAs = nullptr;
    QLabel* m_summary = nullptr;
};

} // namespace quenzar::gamesetup
