#include "CarnelisControls.h"

#include "MainTexts.h"
#include "WindowKit.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>

namespace carnelis::shell {

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, QRect geometry, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void paint(QLabel *label, const QColor &background, const QColor &text = Qt::black)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

kit::Line *makeLine(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, QColor color = Qt::black,
                    int width = 1)
{
    auto *line = new kit::Line(parent, x1, y1, x2, y2, color, width);
    line->setObjectName(QLatin1String(name));
    return line;
}

QAction *makeEntry(QMainWindow *window, const char *name, const QString &caption)
{
    QAction *action = window->menuBar()->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

CarnelisControls::CarnelisControls(QMainWindow *window)
{
    window->setWindowTitle(windowCaption());
    // The stamp travels inside the program as a resource.
    const QPixmap stamp(QStringLiteral(":/carnelis/timbre.png"));
    if (!stamp.isNull())
        window->setWindowIcon(QIcon(stamp));

    auto *client = new QWidget(window);
    client->setFixedSize(kit::px(8535), kit::px(6300));
    client->setFont(kit::designFont(kit::Face::Sans, 8.25));
    window->setCentralWidget(client);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);

    Label1 = makeLabel(client, "Label1", kit::twipsRect(120, 120, 8292, 612));
    paint(Label1, QColor(0xC0, 0xFF, 0xFF));

    Label2 = makeLabel(client, "Label2", kit::twipsRect(120, 840, 8295, 3195), titleCaption());
    paint(Label2, QColor(0xFF, 0xE0, 0xC0), QColor(0xFF, 0x00, 0x00));
    // The stand-in italic is taller than the design's: at 72 points the foot of "12/2003"
    // would pass the label's bottom edge.
    Label2->setFont(kit::fittedToHeight(kit::designFont(kit::Face::Title, 72), titleCaption(), Label2->size()));

    Label3 = makeLabel(client, "Label3", kit::twipsRect(240, 4440, 4455, 1575));
    Label3->setFont(kit::designFont(kit::Face::Sans, 9.75));

    Label4 = makeLabel(client, "Label4", kit::twipsRect(5520, 3720, 2775, 255));
    paint(Label4, QColor(0xFF, 0xE0, 0xC0), QColor(0x00, 0x00, 0xFF));

    Image1 = makeLabel(client, "Image1", kit::twipsRect(5040, 4080, 3375, 2130));
    Image1->setWordWrap(false);
    Image1->setPixmap(stamp);

    Line1 = makeLine(client, "Line1", 120, 0, 8403, 0, QColor(0x00, 0x00, 0x80), 3);
    Line2 = makeLine(client, "Line2", 120, 4440, 120, 6122, QColor(0x00, 0x00, 0xFF), 3);
    Line3 = makeLine(client, "Line3", 120, 721, 240, 721);
    Line4 = makeLine(client, "Line4", 120, 6120, 4802, 6120, QColor(0x00, 0x00, 0xFF), 3);

    Base = makeEntry(window, "Base", menuBase());
    Lire = makeEntry(window, "Lire", menuLire());
    Propos = makeEntry(window, "Propos", menuPropos());
    Quitter = makeEntry(window, "Quitter", menuQuitter());
}

} // namespace carnelis::shell
