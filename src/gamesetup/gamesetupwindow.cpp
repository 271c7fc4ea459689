#include "gamesetup/gamesetupwindow.h"

#include "gamesetup/setupdialogs.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace quenzar::gamesetup {

namespace {

// The table's columns, in order.
enum Column
{
    NameColumn,
    ValueColumn,
    TakesEffectColumn,
    KeptColumn,
    CheatColumn,
    ColumnCount
};

enum FolderColumn
{
    BuildColumn,
    PathColumn
};

// Where an item's folder is in m_gameFolders.
constexpr int indexRole = Qt::UserRole;

// Typing pauses this long before the table follows: a long tweak is read once, not per key.
constexpr int pauseMs = 150;

// The edit area: a file dropped or pasted onto it is read as a tweak, any other text goes in as
// text.
class TweakEdit final : public QPlainTextEdit
{
public:
    std::function<void(const QString&)> fileDropped;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override
    {
        return !localFile(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
    }

    void insertFromMimeData(const QMimeData* source) override
    {
        if (const QString file = localFile(source); !file.isEmpty() && fileDropped)
            fileDropped(file);
        else
            QPlainTextEdit::insertFromMimeData(source);
    }

private:
    static QString localFile(const QMimeData* source)
    {
        if (!source->hasUrls() || source->urls().size() != 1)
            return {};
        return source->urls().first().toLocalFile();
    }
};

QString yesNo(bool yes)
{
    return yes ? GameSetupWindow::tr("yes") : GameSetupWindow::tr("no");
}

QLabel* labelFor(QWidget* buddy, const QString& text)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(const QString& text, const char* name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

GameSetupWindow::GameSetupWindow(SetupDialogs& dialogs, const Environment& environment,
                                 QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("gameSetup"));
    setWindowTitle(tr("Quenzar Game Setup"));
    m_pause.setSingleShot(true);
    m_pause.setInterval(pauseMs);
    connect(&m_pause, &QTimer::timeout, this, &GameSetupWindow::refresh);
    buildControls();

    const std::vector<GameFolder> found = findGameFolders(environment);
    // Stays beside the empty list, whatever the summary says later, until a folder is added.
    m_noFolder->setText(tr("No game folder found. Looked in %1. Add one with Add Folder.")
                            .arg(foldersLookedIn(environment).join(u", ")));
    // A screen reader hears it on reaching the empty list.
    m_folders->setAccessibleDescription(m_noFolder->text());
    showFolders(found);
    refresh();

    // Room for the table's five columns in the desktop's font, within the screen.
    const QFontMetrics metrics = fontMetrics();
    QSize size(metrics.averageCharWidth() * 160, metrics.height() * 52);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableSize() * 9 / 10);
    resize(size);
}

void GameSetupWindow::buildControls()
{
    auto* tweak = new TweakEdit;
    tweak->fileDropped = [this](const QString& path) { openTweak(path); };
    m_tweak = tweak;
    m_tweak->setObjectName(QStringLiteral("tweak"));
    m_tweak->setAccessibleName(tr("Tweak"));
    m_tweak->setPlaceholderText(tr("Type or paste a tweak here, drop a tweak file on it, or "
                                   "open one."));
    // Tab moves on to the next control: keyboard users would be caught in the text otherwise.
    m_tweak->setTabChangesFocus(true);
    m_tweak->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(m_tweak, &QPlainTextEdit::textChanged, this, &GameSetupWindow::textEdited);
    QPushButton* open = button(tr("&Open..."), "open");
    connect(open, &QPushButton::clicked, this, &GameSetupWindow::chooseTweak);

    m_settings = new QTableWidget(0, ColumnCount);
    m_settings->setObjectName(QStringLiteral("settings"));
    m_settings->setAccessibleName(tr("What the game will set"));
    m_settings->setHorizontalHeaderLabels({tr("Setting"), tr("Value"), tr("Takes effect"),
                                           tr("Kept at next start"), tr("Cheat in multiplayer")});
    m_settings->horizontalHeaderItem(KeptColumn)
        ->setToolTip(tr("The game keeps a setting it writes to DoomConfig.cfg. Any other is "
                        "forgotten at the next start unless autoexec.cfg runs the file."));
    m_settings->horizontalHeaderItem(CheatColumn)
        ->setToolTip(tr("A cheat goes back to its default when you join or start a "
                        "multiplayer game and cannot be changed there."));
    m_settings->verticalHeader()->hide();
    m_settings->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_settings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_settings->horizontalHeader()->setStretchLastSection(true);
    m_settings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_settings->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_settings->setTabKeyNavigation(false);
    m_settings->setAlternatingRowColors(true);
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("count"));

    m_leftOut = new QListWidget;
    m_leftOut->setObjectName(QStringLiteral("leftOut"));
    m_leftOut->setAccessibleName(tr("Left out"));
    m_leftOut->setWordWrap(true);

    m_folders = new QTreeWidget;
    m_folders->setObjectName(QStringLiteral("folders"));
    m_folders->setAccessibleName(tr("Game folders"));
    m_folders->setHeaderLabels({tr("Build"), tr("Folder")});
    m_folders->setRootIsDecorated(false);
    m_folders->header()->setSectionResizeMode(BuildColumn, QHeaderView::ResizeToContents);
    connect(m_folders, &QTreeWidget::itemChanged, this, &GameSetupWindow::foldersChanged);
    m_noFolder = new QLabel;
    m_noFolder->setObjectName(QStringLiteral("noFolder"));
    m_noFolder->setWordWrap(true);
    m_noFolder->setTextFormat(Qt::PlainText);
    QPushButton* add = button(tr("Add &Folder..."), "addFolder");
    connect(add, &QPushButton::clicked, this, &GameSetupWindow::chooseFolder);

    m_install = button(tr("&Install"), "install");
    m_install->setDefault(true);
    m_install->setToolTip(tr("Writes quenzar.cfg into each ticked folder and has the game run "
                             "it at every start."));
    connect(m_install, &QPushButton::clicked, this, &GameSetupWindow::installTicked);
    m_remove = button(tr("&Remove"), "remove");
    m_remove->setToolTip(tr("Removes quenzar.cfg from each ticked folder and gives "
                            "autoexec.cfg back as it was."));
    connect(m_remove, &QPushButton::clicked, this, &GameSetupWindow::removeTicked);
    m_saveAs = button(tr("Save &As..."), "saveAs");
    connect(m_saveAs, &QPushButton::clicked, this, &GameSetupWindow::saveAs);
    QPushButton* close = button(tr("&Close"), "close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setAccessibleName(tr("Result"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::PlainText);
    // Reached by Tab too, so that a keyboard or screen reader user can read it again.
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_summary->setFocusPolicy(Qt::StrongFocus);

    auto* tweakRow = new QHBoxLayout;
    tweakRow->addWidget(labelFor(m_tweak, tr("&Tweak:")), 1);
    tweakRow->addWidget(open);
    auto* settingsRow = new QHBoxLayout;
    settingsRow->addWidget(labelFor(m_settings, tr("What the game will &set:")), 1);
    settingsRow->addWidget(m_count);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addStretch(1);
    for (QPushButton* b : {m_install, m_remove, m_saveAs, close})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tweakRow);
    layout->addWidget(m_tweak, 2);
    layout->addLayout(settingsRow);
    layout->addWidget(m_settings, 4);
    layout->addWidget(labelFor(m_leftOut, tr("&Left out, and why:")));
    layout->addWidget(m_leftOut, 2);
    layout->addWidget(labelFor(m_folders, tr("&Game folders (install and remove work on the "
                                             "ticked ones):")));
    layout->addWidget(m_folders, 2);
    layout->addWidget(m_noFolder);
    layout->addLayout(buttons);
    layout->addWidget(m_summary);

    QWidget* order[] = {open,      m_tweak,  m_settings, m_leftOut, m_folders, add,
                        m_install, m_remove, m_saveAs,   close,     m_summary};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_tweak->setFocus();
}

void GameSetupWindow::showFolders(const std::vector<GameFolder>& found)
{
    for (const GameFolder& folder : found)
        addFolder(folder, true);
}

void GameSetupWindow::addFolder(const GameFolder& folder, bool ticked)
{
    auto* item = new QTreeWidgetItem;
    item->setText(BuildColumn, buildLabel(folder.build));
    item->setText(PathColumn, QDir::toNativeSeparators(folder.path));
    item->setData(BuildColumn, indexRole, qulonglong(m_gameFolders.size()));
    m_gameFolders.push_back(folder);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(BuildColumn, ticked ? Qt::Checked : Qt::Unchecked);
    m_folders->addTopLevelItem(item);
    m_noFolder->hide();
    m_folders->setAccessibleDescription(QString());
    if (!m_folders->currentItem())
        m_folders->setCurrentItem(item);
    foldersChanged();
}

// The ticked folders' builds decide what the game will set.
void GameSetupWindow::foldersChanged()
{
    m_stale = true;
    m_pause.start();
    updateButtons();
}

std::vector<GameFolder> GameSetupWindow::tickedFolders() const
{
    std::vector<GameFolder> ticked;
    for (int i = 0; i < m_folders->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_folders->topLevelItem(i);
        if (item->checkState(BuildColumn) == Qt::Checked)
            ticked.push_back(m_gameFolders.at(item->data(BuildColumn, indexRole).toULongLong()));
    }
    return ticked;
}

// The table shows what the ticked folders' builds will set; with none ticked, any build.
unsigned GameSetupWindow::tickedBuilds() const
{
    unsigned builds = 0;
    for (const GameFolder& folder : tickedFolders())
        builds |= folder.build;
    return builds ? builds : allBuilds();
}

QString GameSetupWindow::source() const
{
    if (m_file.isEmpty())
        return tr("text pasted into Quenzar Game Setup");
    // Once edited, the file no longer holds what the game will be given.
    return m_edited ? tr("text edited in Quenzar Game Setup") : m_file;
}

void GameSetupWindow::openTweak(const QString& path)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        showFailure(
            tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    m_loading = true;
    m_file = path;
    m_tweak->setPlainText(QString::fromUtf8(bytes));
    m_loading = false;
    m_edited = false;
    setSummary(tr("Read %1.").arg(QDir::toNativeSeparators(path)));
    refresh();
}

void GameSetupWindow::textEdited()
{
    m_stale = true;
    if (!m_loading) {
        m_edited = true;
        m_pause.start();
    }
}

const Conversion& GameSetupWindow::conversion()
{
    if (m_stale)
        refresh();
    return m_conversion;
}

void GameSetupWindow::refresh()
{
    m_pause.stop();
    m_conversion = convert(m_tweak->toPlainText(), source(), QString(), tickedBuilds());
    m_stale = false;

    const std::vector<SettingRow>& rows = m_conversion.rows;
    m_settings->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        const SettingRow& r = rows[std::size_t(row)];
        const QString cells[ColumnCount] = {r.name, r.value, r.takesEffect, yesNo(r.kept),
                                            yesNo(r.cheat)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            m_settings->setItem(row, column, item);
        }
    }
    m_leftOut->clear();
    m_leftOut->addItems(m_conversion.leftOut);
    m_count->setText(tr("%1 set, %2 left out").arg(rows.size()).arg(m_conversion.leftOut.size()));
    updateButtons();
}

void GameSetupWindow::updateButtons()
{
    const bool settings = !m_conversion.rows.empty();
    const bool ticked = !tickedFolders().empty();
    m_install->setEnabled(settings && ticked);
    m_remove->setEnabled(ticked);
    m_saveAs->setEnabled(settings);
}

void GameSetupWindow::chooseTweak()
{
    if (const QString path = m_dialogs.chooseTweak(this); !path.isEmpty())
        openTweak(path);
}

void GameSetupWindow::chooseFolder()
{
    const QString path = m_dialogs.chooseGameFolder(this);
    if (path.isEmpty())
        return;
    for (int i = 0; i < m_folders->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_folders->topLevelItem(i);
        const GameFolder& listed =
            m_gameFolders.at(item->data(BuildColumn, indexRole).toULongLong());
        if (QFileInfo(listed.path) == QFileInfo(path)) {
            item->setCheckState(BuildColumn, Qt::Checked);
            m_folders->setCurrentItem(item);
            return;
        }
    }
    addFolder(namedGameFolder(path), true);
    m_folders->setCurrentItem(m_folders->topLevelItem(m_folders->topLevelItemCount() - 1));
}

void GameSetupWindow::installTicked()
{
    report(tr("Installed"), install(m_tweak->toPlainText(), source(), tickedFolders()));
}

void GameSetupWindow::removeTicked()
{
    report(tr("Removed"), uninstall(tickedFolders()));
}

void GameSetupWindow::saveAs()
{
    const QString folder = m_file.isEmpty() ? QDir::homePath() : QFileInfo(m_file).path();
    const QString path =
        m_dialogs.chooseSaveFile(this, QDir(folder).filePath(QStringLiteral("quenzar.cfg")));
    if (path.isEmpty())
        return;
    // Written for the name it is saved under, so that its advice runs this very file.
    const Conversion saved =
        convert(m_tweak->toPlainText(), source(), QFileInfo(path).fileName(), tickedBuilds());
    if (const std::optional<QString> reason = writeFileWhole(path, saved.text.toUtf8()))
        showFailure(tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), *reason));
    else
        setSummary(tr("Saved the game-ready form as %1.").arg(QDir::toNativeSeparators(path)));
}

void GameSetupWindow::report(const QString& done, const std::vector<FolderOutcome>& outcomes)
{
    QStringList lines, failures;
    for (const FolderOutcome& outcome : outcomes) {
        lines << outcome.message;
        if (!outcome.ok)
            failures << outcome.message;
    }
    if (failures.isEmpty()) {
        setSummary(done + QStringLiteral(":\n") + lines.join(u'\n'));
        return;
    }
    setSummary(lines.join(u'\n'));
    m_dialogs.showFailure(this, failures.join(u'\n'));
}

// The name "Result" stands in for the label's text with a screen reader, so the text itself
// goes with it as the description.
void GameSetupWindow::setSummary(const QString& text)
{
    m_summary->setText(text);
    m_summary->setAccessibleDescription(text);
}

void GameSetupWindow::showFailure(const QString& text)
{
    setSummary(text);
    // Told over the window: before it is shown, a box would stand alone on the desktop.
    if (isVisible())
        m_dialogs.showFailure(this, text);
    else
        m_failureOnShow = text;
}

void GameSetupWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_failureOnShow.isEmpty())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (const QString text = std::exchange(m_failureOnShow, {}); !text.isEmpty())
                    m_dialogs.showFailure(this, text);
            },
            Qt::QueuedConnection);
}

} // namespace quenzar::gamesetup
