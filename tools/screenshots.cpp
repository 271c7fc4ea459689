// Shows each form the way the program does and saves a picture of it, for the README and for a
// look at the layout: quenzar-screenshots OUTPUT_FOLDER
#include "app/registerforms.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "forms/look.h"
#include "platform/qtdialogs.h"
#include "platform/shutdown/shutdown.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
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
    return ok ? 0 : 1;
}
