// Shows each form the way the program does and saves a picture of it, for the README and for a
// look at the layout: quenzar-screenshots OUTPUT_FOLDER. The game setup window follows, with a
// hand-edited tweak, in the desktop's colours and in a dark scheme.
#include "app/registerforms.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "forms/look.h"
#include "gamesetup/gamesetupwindow.h"
#include "gamesetup/setupdialogs.h"
#include "platform/qtdialogs.h"
#include "platform/shutdown/shutdown.h"
#include "tweak/composition/composition.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <cstdio>

namespace {

class NoShutdown final : public quenzar::Shutdown
{
protected:
    void request(Answered answered) override { answered({false, QStringLiteral("not here")}); }
};

bool save(QWidget* form, const QString& path)
{
    if (!QTest::qWaitForWindowExposed(form))
        std::fprintf(stderr, "%s was never shown\n", qPrintable(form->objectName()));
    QTest::qWait(200);
    QPixmap picture = form->grab();
    if (QScreen* screen = form->screen(); screen && form->windowHandle()) {
        // The window as the screen shows it, frame excluded.
        const QPixmap shown = screen->grabWindow(form->winId());
        if (!shown.isNull() && shown.size() == picture.size())
            picture = shown;
    }
    const bool ok = picture.save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "FAILED", qPrintable(path));
    return ok;
}

// The window's tweak: everything ticked with 1024 and 256, then edited by hand.
QString editedTweak()
{
    quenzar::composition::ControlState state;
    for (const auto& box : quenzar::composition::checkBoxes)
        state.*box.value = Qt::Checked;
    state.txtRam = QStringLiteral("1024");
    state.txtVRam = QStringLiteral("256");
    return quenzar::composition::composeTweak(state).fileText +
           QStringLiteral("\nr_mode 5 com_showFPS 1 r_useGL2 1 image_lodbias - 1\n");
}

QPalette darkScheme()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x6e, 0xb4));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    dark.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ToolTipText, QColor(0xe6, 0xe6, 0xe6));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return dark;
}

bool saveGameSetup(const QString& folder)
{
    // A home where Doom 3 for Linux and dhewm3 have both run once.
    QTemporaryDir home;
    for (const char* base : {".doom3/base", ".config/dhewm3/base"}) {
        const QString game = QDir(home.path()).filePath(QLatin1String(base));
        QFile config(QDir(game).filePath(QStringLiteral("DoomConfig.cfg")));
        if (!QDir().mkpath(game) || !config.open(QIODevice::WriteOnly))
            return false;
    }
    QFile tweak(home.filePath(QStringLiteral("tweak.cfg")));
    if (!tweak.open(QIODevice::WriteOnly) || tweak.write(editedTweak().toUtf8()) < 0)
        return false;
    tweak.close();

    quenzar::gamesetup::QtSetupDialogs dialogs;
    bool ok = true;
    for (const bool dark : {false, true}) {
        if (dark) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkScheme());
        }
        quenzar::gamesetup::Environment environment;
        environment.home = home.path();
        quenzar::gamesetup::GameSetupWindow window(dialogs, environment);
        window.move(0, 0);
        window.show();
        window.openTweak(tweak.fileName());
        const QString name =
            dark ? QStringLiteral("gamesetup-dark.png") : QStringLiteral("gamesetup.png");
        ok = save(&window, QDir(folder).filePath(name)) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quenzar::installFontSubstitutes();
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    quenzar::QtDialogs dialogs;
    NoShutdown shutdown;
    quenzar::Forms forms;
    const quenzar::Services services{forms, dialogs, shutdown};
    quenzar::registerForms(services);

    bool ok = true;
    for (const QStringView name : {quenzar::formnames::frmFirst, quenzar::formnames::frmD3Tweak,
                                   quenzar::formnames::frmEdit}) {
        QWidget* form = forms.show(name);
        form->move(0, 0);
        ok = save(form, QDir(folder).filePath(name.toString() + QStringLiteral(".png"))) && ok;
        form->hide();
    }
    ok = saveGameSetup(folder) && ok;
    return ok ? 0 : 1;
}
