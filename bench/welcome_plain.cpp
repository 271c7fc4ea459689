// The yardstick for start-up: the welcome dialog written as plainly as Qt allows, with its
// texts, fonts, colours, buttons and size, and nothing else. Preloaded with the idle hook, it
// ends the moment it is on screen and idle, as the program does beside it.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace {

// A position or size of the design, in twips (fifteen to a pixel at 96 dpi).
int px(int twips)
{
    return (twips + 7) / 15;
}

QLabel* label(QWidget* window, const QString& text, int left, int top, int width, int height,
              const QColor& colour, double pointSize, bool bold = false, bool underline = false,
              bool autoSize = true)
{
    auto* label = new QLabel(text, window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(!autoSize);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    label->setFont(font);
    label->setGeometry(px(left), px(top), px(width), px(height));
    if (autoSize && !text.isEmpty())
        label->adjustSize();
    return label;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The free faces that stand in for the designed ones, as the program sets them.
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});

    QWidget window;
    window.setWindowTitle(QStringLiteral("FIRST READ THE README FILE!"));
    window.setFixedSize(px(7305), px(4455));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPointSizeF(8.25);
    window.setFont(formFont);

    const QColor green(0, 255, 0), yellow(255, 255, 0), red(255, 0, 0);
    label(&window, QStringLiteral("Quenzar DOOM\u00B3 FPS BOOST!"), 120, 120, 7095, 615, green,
          21.75, false, false, false);
    label(&window, QStringLiteral("Doom 3 tweak V2.3"), 120, 2040, 1725, 270, green, 9.75);
    label(&window, QStringLiteral("Author : Tarvel..."), 120, 2520, 1590, 270, green, 9.75);
    label(&window, QStringLiteral("Version: 2.3"), 120, 3000, 1080, 270, green, 9.75);
    label(&window, QStringLiteral("Windows Xp/NT/98se"), 120, 3480, 2055, 270, green, 9.75);
    label(&window, QStringLiteral("E-mail :tarvel@quenzar.example"), 120, 3960, 3390, 270, green,
          9.75);
    label(&window, QStringLiteral("Have you read the readme.txt File?"), 1200, 1080, 5595, 450,
          yellow, 15.75, true, true);
    auto* yes = new QPushButton(QStringLiteral("&Yes"), &window);
    yes->setGeometry(px(2880), px(2880), px(1215), px(375));
    auto* no = new QPushButton(QStringLiteral("&No"), &window);
    no->setGeometry(px(5160), px(2880), px(1335), px(375));
    label(&window, QString(), 3720, 3960, 90, 285, red, 9.75, true);
    QObject::connect(no, &QPushButton::clicked, &app, &QApplication::quit);
    yes->setFocus();

    window.show();
    window.activateWindow();
    return QApplication::exec();
}
