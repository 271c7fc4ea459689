// The game setup window driven as a player drives it, with scripted file dialogs.
#include "gameconfig/gameconfig.h"
#include "gamesetup/gamesetup.h"
#include "gamesetup/gamesetupwindow.h"
#include "gamesetup/setupdialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <optional>

using namespace quenzar;
using namespace quenzar::gamesetup;

namespace {

class ScriptedSetupDialogs final : public SetupDialogs
{
public:
    QString tweak, folder, saveFile; // what the player picks; empty: cancels
    QStringList failures;            // every failure shown
    bool alone = false;              // one was shown without its window

    QString chooseTweak(QWidget*) override { return tweak; }
    QString chooseGameFolder(QWidget*) override { return folder; }
    QString chooseSaveFile(QWidget*, const QString&) override { return saveFile; }
    void showFailure(QWidget* parent, const QString& text) override
    {
        failures << text;
        alone = alone || !parent->isVisible();
    }
};

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size())
        return {};
    return path;
}

QStringList column(const QTableWidget* table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->rowCount(); ++row)
        cells << table->item(row, column)->text();
    return cells;
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QString accessibleName(QObject* object)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class tst_GameSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void requestedOnTheCommandLine_data();
    void requestedOnTheCommandLine();
    void tableFollowsTheConverter_data();
    void tableFollowsTheConverter();
    void factsOfEachSetting_data();
    void factsOfEachSetting();
    void typedTextIsReadOncePaused();
    void saveAs();
    void failuresNamePathAndReason_data();
    void failuresNamePathAndReason();
    void installAndRemove();
    void installFailing();
    void noFolderSaysHowToGoOn();
    void keyboardAlone();
    void accessibleNamesAndRoles();

private:
    void openWindow();
    // The tweak in the edit area, read at once.
    void setTweak(const QString& text)
    {
        child<QPlainTextEdit>("tweak")->setPlainText(text);
        m_window->conversion();
    }

    std::optional<QTemporaryDir> m_home; // a new one for each test
    ScriptedSetupDialogs m_dialogs;
    std::unique_ptr<GameSetupWindow> m_window;
    template <typename T> T* child(const char* name)
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
};

// The window over a made-up home: only what the test laid there is found.
void tst_GameSetup::openWindow()
{
    m_window.reset();
    m_dialogs = {};
    Environment environment;
    environment.home = m_home->path();
    m_window = std::make_unique<GameSetupWindow>(m_dialogs, environment);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_GameSetup::init()
{
    m_home.emplace();
    openWindow();
}

void tst_GameSetup::cleanup()
{
    m_window.reset();
}

// The windows' module opens the game setup window for --game-setup, with the file beside it.
void tst_GameSetup::requestedOnTheCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("requested");
    QTest::addColumn<QString>("file");

    QTest::newRow("no option") << QStringList{"quenzar"} << false << "";
    QTest::newRow("without a file") << QStringList{"quenzar", "--game-setup"} << true << "";
    QTest::newRow("file first, one dash")
        << QStringList{"quenzar", "t.cfg", "-game-setup"} << true << "t.cfg";
}

void tst_GameSetup::requestedOnTheCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, requested);
    QFETCH(QString, file);

    const std::optional<QString> setup = requestedSetup(arguments);
    QCOMPARE(setup.has_value(), requested);
    QCOMPARE(setup.value_or(QString()), file);
}

// However the tweak arrives, the table lists exactly the settings the converter sets, in its
// order, and the list below holds every reason it gives for leaving one out.
void tst_GameSetup::tableFollowsTheConverter_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("tweak");

    const QByteArray edited = "image_useCache = (1) r_shadows (0), g_showBrass 0\n"
                              "r_useGL2 (1) image_filter GL_BI-LINEAR_MIPMAP_NEAREST g_fov 85";
    QTest::newRow("opened") << "open" << edited;
    QTest::newRow("named on the command line") << "file" << edited;
    QTest::newRow("pasted") << "paste" << edited;
    QTest::newRow("a file dropped") << "drop" << edited;
    QTest::newRow("nothing the game takes") << "paste" << QByteArray("r_useGL2 (1) ,,, (");
    QTest::newRow("empty") << "paste" << QByteArray();
}

void tst_GameSetup::tableFollowsTheConverter()
{
    QFETCH(QString, how);
    QFETCH(QByteArray, tweak);

    const QString path = writeFile(*m_home, QStringLiteral("tweak.cfg"), tweak);
    auto* edit = child<QPlainTextEdit>("tweak");
    if (how == u"open") {
        m_dialogs.tweak = path;
        QTest::mouseClick(child<QPushButton>("open"), Qt::LeftButton);
    } else if (how == u"file") {
        m_window->openTweak(path);
    } else {
        auto* data = new QMimeData;
        if (how == u"drop")
            data->setUrls({QUrl::fromLocalFile(path)});
        else
            data->setText(QString::fromUtf8(tweak));
        QGuiApplication::clipboard()->setMimeData(data);
        edit->paste();
    }
    QCOMPARE(edit->toPlainText(), QString::fromUtf8(tweak));
    m_window->conversion();

    const gameconfig::GameConfig expected = gameconfig::convertTweak(QString::fromUtf8(tweak), {});
    QStringList names, values;
    for (const auto& set : expected.settings) {
        names << set.name;
        values << set.value;
    }
    auto* table = child<QTableWidget>("settings");
    QCOMPARE(column(table, 0), names);
    QCOMPARE(column(table, 1), values);
    const QStringList leftOut = items(child<QListWidget>("leftOut"));
    for (const QString& reason : expected.leftOut)
        QVERIFY2(leftOut.contains(reason), qPrintable(reason));
    QCOMPARE(leftOut.size(), qsizetype(expected.leftOut.size() + expected.warnings.size()));
    QCOMPARE(child<QPushButton>("saveAs")->isEnabled(), !names.isEmpty());
    QCOMPARE(m_dialogs.failures, QStringList());
    // The game-ready file names the tweak's file only until the text is edited.
    // (A long path is cut short there: its start is enough.)
    const bool fromFile = how != u"paste";
    const QString named = QStringLiteral("from ") + path.left(20);
    QCOMPARE(m_window->conversion().text.contains(named), fromFile);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral(" r_mode 3"));
    QVERIFY(!m_window->conversion().text.contains(named));
    QCOMPARE(m_window->conversion().text.contains(QStringLiteral("from text edited")), fromFile);
}

// Each key does not start a new reading: the table follows once typing pauses.
void tst_GameSetup::typedTextIsReadOncePaused()
{
    auto* edit = child<QPlainTextEdit>("tweak");
    auto* table = child<QTableWidget>("settings");
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("g_fov 85 r_shadows 0"));
    QCOMPARE(table->rowCount(), 0);
    QTRY_COMPARE(column(table, 0), QStringList({"g_fov", "r_shadows"}));
    QCOMPARE(child<QLabel>("count")->text(), QStringLiteral("2 set, 0 left out"));
}

// Save As writes the converter's file for the name it is saved under.
void tst_GameSetup::saveAs()
{
    const QString tweak = QStringLiteral("g_fov 85 r_shadows (0)");
    setTweak(tweak);
    m_dialogs.saveFile = m_home->filePath(QStringLiteral("ready.cfg"));
    QTest::mouseClick(child<QPushButton>("saveAs"), Qt::LeftButton);

    QFile saved(m_dialogs.saveFile);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    QCOMPARE(text, gameconfig::convertTweak(tweak,
                                            QStringLiteral("text pasted into Quenzar Game "
                                                           "Setup"),
                                            QStringLiteral("ready.cfg"))
                       .text);
    QVERIFY(text.contains(QStringLiteral("exec ready.cfg")));
    QVERIFY(child<QLabel>("summary")->text().contains(m_dialogs.saveFile));
    // A screen reader hears the summary itself, not only its name.
    QVERIFY(QAccessible::queryAccessibleInterface(child<QLabel>("summary"))
                ->text(QAccessible::Description)
                .contains(m_dialogs.saveFile));
    QCOMPARE(m_dialogs.failures, QStringList());
}

void tst_GameSetup::failuresNamePathAndReason_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a tweak that cannot be read") << "open"
                                                 << "/nonexistent/tweak.cfg"
                                                 << "No such file or directory";
    QTest::newRow("a tweak named on the command line") << "file"
                                                       << "/nonexistent/tweak.cfg"
                                                       << "No such file or directory";
    QTest::newRow("a folder that cannot be written") << "saveAs"
                                                     << "/nonexistent/quenzar.cfg"
                                                     << "No such file or directory";
}

void tst_GameSetup::failuresNamePathAndReason()
{
    QFETCH(QString, action);
    QFETCH(QString, path);
    QFETCH(QString, reason);

    setTweak(QStringLiteral("g_fov 85"));
    m_dialogs.tweak = m_dialogs.saveFile = path;
    if (action == u"file") { // read before the window is shown, as on the command line
        m_window->hide();
        m_window->openTweak(path);
        m_window->show();
    } else {
        QTest::mouseClick(child<QPushButton>(qPrintable(action)), Qt::LeftButton);
    }
    QTRY_COMPARE(m_dialogs.failures.size(), 1);
    QVERIFY(!m_dialogs.alone);
    QVERIFY2(m_dialogs.failures.first().contains(path), qPrintable(m_dialogs.failures.first()));
    QVERIFY2(m_dialogs.failures.first().contains(reason), qPrintable(m_dialogs.failures.first()));
    QCOMPARE(child<QLabel>("summary")->text(), m_dialogs.failures.first());
    // The tweak in the window stays as it was.
    QCOMPARE(child<QPlainTextEdit>("tweak")->toPlainText(), QStringLiteral("g_fov 85"));
}

// What the game's own declarations say of a setting, one column each.
void tst_GameSetup::factsOfEachSetting_data()
{
    QTest::addColumn<QString>("tweak");
    QTest::addColumn<QStringList>("row");

    QTest::newRow("waits for vid_restart, kept")
        << "r_mode (3)" << QStringList{"r_mode", "3", "after vid_restart", "yes", "no"};
    QTest::newRow("not kept, no cheat (nocheat)")
        << "g_fov (90)" << QStringList{"g_fov", "90", "at once", "no", "no"};
    QTest::newRow("a cheat in multiplayer")
        << "r_showDynamic (1)" << QStringList{"r_showDynamic", "1", "at once", "no", "yes"};
}

void tst_GameSetup::factsOfEachSetting()
{
    QFETCH(QString, tweak);
    QFETCH(QStringList, row);

    setTweak(tweak);
    auto* table = child<QTableWidget>("settings");
    QCOMPARE(table->rowCount(), 1);
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column)
        cells << table->item(0, column)->text();
    QCOMPARE(cells, row);
}

// The Doom 3 for Linux folder in the home is found and ticked; Install (Enter) puts quenzar.cfg
// there and runs it from the player's autoexec.cfg, Remove gives that file back byte for byte.
void tst_GameSetup::installAndRemove()
{
    const QString base = m_home->filePath(QStringLiteral(".doom3/base"));
    const QByteArray autoexec = "bind F1 \"echo hi\"";
    QVERIFY(!writeFile(*m_home, QStringLiteral(".doom3/base/DoomConfig.cfg"), "").isEmpty());
    QVERIFY(!writeFile(*m_home, QStringLiteral(".doom3/base/autoexec.cfg"), autoexec).isEmpty());
    openWindow();

    auto* folders = child<QTreeWidget>("folders");
    QCOMPARE(folders->topLevelItemCount(), 1);
    QCOMPARE(folders->topLevelItem(0)->text(0), QStringLiteral("Doom 3 for Linux"));
    QCOMPARE(folders->topLevelItem(0)->text(1), QDir::toNativeSeparators(base));
    QCOMPARE(folders->topLevelItem(0)->checkState(0), Qt::Checked);

    // win_xpos is a setting of the Windows build only: the table shows what this build sets.
    setTweak(QStringLiteral("g_fov (85) win_xpos (3)"));
    QCOMPARE(column(child<QTableWidget>("settings"), 0), QStringList{"g_fov"});
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(m_dialogs.failures, QStringList());
    QFile installed(QDir(base).filePath(QStringLiteral("quenzar.cfg")));
    QVERIFY(installed.open(QIODevice::ReadOnly));
    const QByteArray text = installed.readAll();
    QVERIFY(text.contains("seta g_fov \"85\""));
    QVERIFY(!text.contains("seta win_xpos"));
    QFile edited(QDir(base).filePath(QStringLiteral("autoexec.cfg")));
    QVERIFY(edited.open(QIODevice::ReadOnly));
    const QByteArray runs = edited.readAll();
    QVERIFY2(runs.startsWith(autoexec + "\nexec quenzar.cfg"), runs.constData());
    edited.close();
    QVERIFY2(child<QLabel>("summary")->text().contains(installed.fileName()),
             qPrintable(child<QLabel>("summary")->text()));

    QTest::mouseClick(child<QPushButton>("remove"), Qt::LeftButton);
    QCOMPARE(m_dialogs.failures, QStringList());
    QVERIFY(!installed.exists());
    QVERIFY(edited.open(QIODevice::ReadOnly));
    QCOMPARE(edited.readAll(), autoexec);
    QVERIFY(child<QLabel>("summary")->text().contains(installed.fileName()));
}

// A folder added by hand is listed once and ticked. Where it cannot take quenzar.cfg, the
// failure names its path and the reason, and the other ticked folder is still done.
void tst_GameSetup::installFailing()
{
    QVERIFY(!writeFile(*m_home, QStringLiteral(".doom3/base/DoomConfig.cfg"), "").isEmpty());
    const QString blocked = m_home->filePath(QStringLiteral("blocked"));
    QVERIFY(QDir().mkpath(blocked + QStringLiteral("/quenzar.cfg")));
    openWindow();
    setTweak(QStringLiteral("g_fov (85)"));
    m_dialogs.folder = blocked;
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(child<QPushButton>("addFolder"), Qt::LeftButton);
    auto* folders = child<QTreeWidget>("folders");
    QCOMPARE(folders->topLevelItemCount(), 2);
    QTreeWidgetItem* added = folders->topLevelItem(1);
    QCOMPARE(added->text(1), QDir::toNativeSeparators(blocked));
    QCOMPARE(added->checkState(0), Qt::Checked);

    QTest::mouseClick(child<QPushButton>("install"), Qt::LeftButton);
    QCOMPARE(m_dialogs.failures.size(), 1);
    const QString failure = m_dialogs.failures.first();
    QVERIFY2(failure.contains(QDir::toNativeSeparators(blocked)), qPrintable(failure));
    QVERIFY2(failure.contains(QStringLiteral("directory"), Qt::CaseInsensitive),
             qPrintable(failure));
    QVERIFY(child<QLabel>("summary")->text().contains(failure));
    QVERIFY(QFile::exists(m_home->filePath(QStringLiteral(".doom3/base/quenzar.cfg"))));

    // Space unticks from the keyboard; with nothing ticked there is nowhere to install.
    folders->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    folders->setFocus();
    folders->setCurrentItem(added);
    QTest::keyClick(folders, Qt::Key_Space);
    QCOMPARE(added->checkState(0), Qt::Unchecked);
    QVERIFY(!child<QPushButton>("install")->isEnabled());
    QVERIFY(!child<QPushButton>("remove")->isEnabled());
}

// With no game folder found, the window keeps saying where it looked and how to go on while a
// tweak is read, until a folder is added.
void tst_GameSetup::noFolderSaysHowToGoOn()
{
    m_window->openTweak(writeFile(*m_home, QStringLiteral("tweak.cfg"), "g_fov 85"));
    auto* hint = child<QLabel>("noFolder");
    QVERIFY(hint);
    QVERIFY(hint->isVisible());
    QVERIFY2(hint->text().contains(m_home->filePath(QStringLiteral(".doom3/base"))) &&
                 hint->text().contains(QStringLiteral("Add Folder")),
             qPrintable(hint->text()));
    auto* folders = QAccessible::queryAccessibleInterface(child<QTreeWidget>("folders"));
    QCOMPARE(folders->text(QAccessible::Description), hint->text());
    m_dialogs.folder = m_home->path();
    QTest::mouseClick(child<QPushButton>("addFolder"), Qt::LeftButton);
    QVERIFY(!hint->isVisible());
    QCOMPARE(folders->text(QAccessible::Description), QString());
}

// Tab reaches every control in reading order, each access key reaches its control, Escape
// closes the window.
void tst_GameSetup::keyboardAlone()
{
    setTweak(QStringLiteral("g_fov 85"));
    m_dialogs.folder = m_home->path();
    QTest::mouseClick(child<QPushButton>("addFolder"), Qt::LeftButton);
    m_window->activateWindow();

    const QStringList order = {"open",    "tweak",  "settings", "leftOut", "folders", "addFolder",
                               "install", "remove", "saveAs",   "close",   "summary"};
    child<QPushButton>("open")->setFocus();
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, order);

    const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_T, "tweak"},
                                                    {Qt::Key_S, "settings"},
                                                    {Qt::Key_L, "leftOut"},
                                                    {Qt::Key_G, "folders"}};
    for (const auto& [key, name] : keys) {
        QTest::keyClick(m_window.get(), key, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
    }

    QSignalSpy finished(m_window.get(), &QDialog::finished);
    QTest::keyClick(child<QTreeWidget>("folders"), Qt::Key_Escape);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!m_window->isVisible());
}

// A screen reader hears a name for every control, the table as a table, and each cell's column
// header.
void tst_GameSetup::accessibleNamesAndRoles()
{
    setTweak(QStringLiteral("g_fov 85"));

    for (QWidget* control : m_window->findChildren<QWidget*>()) {
        if (control->focusPolicy() & Qt::TabFocus && control->isVisibleTo(m_window.get()))
            QVERIFY2(!accessibleName(control).isEmpty(), qPrintable(control->objectName()));
    }

    const std::pair<const char*, QAccessible::Role> roles[] = {{"tweak", QAccessible::EditableText},
                                                               {"settings", QAccessible::Table},
                                                               {"leftOut", QAccessible::List},
                                                               {"folders", QAccessible::Tree},
                                                               {"install", QAccessible::Button}};
    for (const auto& [name, role] : roles) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(m_window->findChild<QWidget*>(name));
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), role);
    }

    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(child<QTableWidget>("settings"))->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->columnCount(), 5);
    // What a screen reader announces as each column's header.
    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->columnDescription(column);
    QCOMPARE(headers, QStringList({"Setting", "Value", "Takes effect", "Kept at next start",
                                   "Cheat in multiplayer"}));
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("g_fov"));
}

QTEST_MAIN(tst_GameSetup)
#include "tst_gamesetup.moc"
